// Filling a folder or sub-folder of the object tree the first time it is opened.
#include "app/MainFrame.h"
#include "explorer/ExplorerErrors.h"
#include "explorer/ObjectBrowseTreeCtrl.h"
#include "platform/mfc/CWinApp.h"
#include "sqleditor/SqlNames.h"

namespace {

struct ExplorerFolderKind {
    const char* kind;
    int image;
    std::initializer_list<const char*> subFolders;
};

const ExplorerFolderKind kExplorerFolderKinds[] = {
    {"User Table", OBJTREE_IMG_TABLE, {"Columns", "Index", "Restriction", "Depend", "Trigger", "Foreign Key"}},
    {"System Table", OBJTREE_IMG_TABLE, {"Columns", "Index", "Restriction", "Depend", "Trigger", "Foreign Key"}},
    {"View", OBJTREE_IMG_VIEW, {"Columns", "Index", "Depend"}},
    {"Procedure", OBJTREE_IMG_PROCEDURE, {"Parameter", "Depend"}},
    {"Extend Procedure", OBJTREE_IMG_XPROCEDURE, {"DLL Name"}},
    {"Function", OBJTREE_IMG_FUNCTION, {"Parameter", "Depend"}},
};

const ExplorerFolderKind* ExplorerFolderKindOf(const CString& kind)
{
    for (const ExplorerFolderKind& folder : kExplorerFolderKinds)
        if (kind == folder.kind)
            return &folder;
    return nullptr;
}

BOOL ExplorerIsDboOwner(const CString& owner) { return owner.IsEmpty() || owner.CompareNoCase("dbo") == 0; }

// "owner.name" as the server reads it inside a literal: each part bracketed
// when it needs it, then the whole quoted.
CString ExplorerQualifiedLiteral(const CString& strObject)
{
    const CString owner = ObjectTreeOwner(strObject);
    const CString name = ObjectTreeBareName(strObject);
    if (owner.IsEmpty())
        return SqlQuoteLiteral(SqlQuoteName(name));
    return SqlQuoteLiteral(SqlQuoteName(owner) + "." + SqlQuoteName(name));
}

// The bare name for dbo's objects, the qualified name otherwise: two owners'
// objects of one name never mix.
CString ExplorerOwnedLiteral(const CString& strObject)
{
    if (ExplorerIsDboOwner(ObjectTreeOwner(strObject)))
        return SqlQuoteLiteral(SqlQuoteName(ObjectTreeBareName(strObject)));
    return ExplorerQualifiedLiteral(strObject);
}

CString ExplorerColumnsStatement(const CString& strObject)
{
    const CString precScale = "'('+rtrim(ISNULL(cast(syscolumns.prec as nvarchar),''))+'.'+"
                              "rtrim(ISNULL(cast(syscolumns.scale as nvarchar),''))+')' ";
    return CString("Select syscolumns.name+' ('+") + "CASE systypes.name " +
           "WHEN 'decimal' THEN  systypes.name+" + precScale + "WHEN 'numeric' THEN systypes.name+" + precScale +
           "WHEN 'float' THEN systypes.name+" + precScale + "WHEN 'real' THEN systypes.name+" + precScale +
           "WHEN 'char' THEN systypes.name+'('+rtrim(cast(syscolumns.length as nvarchar)) +')' " +
           "WHEN 'varchar' THEN systypes.name+'('+rtrim(cast(syscolumns.length as nvarchar))+')' " +
           "WHEN 'nchar' THEN systypes.name+'('+rtrim(cast(syscolumns.length as nvarchar))+')' " +
           "WHEN 'nvarchar' THEN systypes.name+'('+rtrim(cast(syscolumns.length as nvarchar))+')' " +
           "ELSE systypes.name " + "END +','+ " + "CASE syscolumns.isnullable " + "WHEN 1 THEN ' NULL' " +
           "WHEN 0 THEN ' Not NULL' " + "END+')' as name " + "From syscolumns,systypes " +
           "Where syscolumns.xtype=systypes.xtype and syscolumns.xusertype=systypes.xusertype and "
           "syscolumns.id=object_id(" +
           ExplorerQualifiedLiteral(strObject) + ")";
}

// The arguments naming a routine to sp_sproc_columns and sp_helpextendedproc.
CString ExplorerRoutineArguments(const CString& strObject, BOOL bOwnerApart)
{
    const CString owner = ObjectTreeOwner(strObject);
    const CString name = ObjectTreeBareName(strObject);
    if (ExplorerIsDboOwner(owner))
        return SqlProcArgument(name);
    if (bOwnerApart)
        return SqlProcArgument(name) + ", " + SqlProcArgument(owner);
    return SqlQuoteLiteral(SqlQuoteName(owner) + "." + SqlQuoteName(name));
}

CString ExplorerFieldText(ADODB::_Recordset* pRecordset, LPCTSTR lpszField)
{
    const _variant_t value = pRecordset->GetCollect(lpszField);
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return CString();
    return static_cast<LPCTSTR>(_bstr_t(value));
}

CString ExplorerParameterText(ADODB::_Recordset* pRecordset)
{
    CString typeName = ExplorerFieldText(pRecordset, "TYPE_NAME");
    if (typeName.IsEmpty())
        return CString();
    const CString column = ExplorerFieldText(pRecordset, "COLUMN_NAME");
    const CString precision = ExplorerFieldText(pRecordset, "PRECISION");
    const CString scale = ExplorerFieldText(pRecordset, "SCALE");
    const CString nullable = ExplorerFieldText(pRecordset, "NULLABLE");
    const char* direction = "Return Value";
    switch (atoi(ExplorerFieldText(pRecordset, "COLUMN_TYPE"))) {
    case 0: direction = "Unknown"; break;
    case 1: direction = "In"; break;
    case 2: direction = "InOut"; break;
    case 3: direction = "Result Column"; break;
    case 4: direction = "Out"; break;
    default: break;
    }
    const CString nullWord = nullable == "0" ? "Not Null" : "Null";
    const CString typeWord = typeName == "sysname" ? CString("nvarchar") : typeName;
    CString typePart = typeWord;
    if (typeName == "decimal" || typeName == "numeric" || typeName == "float" || typeName == "real")
        typePart = typeWord + " (" + precision + "." + scale + ")";
    else if (typeName == "char" || typeName == "varchar" || typeName == "nchar" || typeName == "nvarchar" ||
             typeName == "sysname")
        typePart = typeWord + " (" + precision + ")";
    return column + " (" + typePart + ", " + nullWord + ", " + direction + ")";
}

}  // namespace

HTREEITEM CObjectBrowseTreeCtrl::InsertEntry(LPCTSTR lpszText, int nImage, HTREEITEM hParent)
{
    return InsertItem(lpszText, nImage, nImage, hParent, TVI_LAST);
}

void CObjectBrowseTreeCtrl::RedrawAfterFill()
{
    SetRedraw(TRUE);
    Invalidate();
}

int CObjectBrowseTreeCtrl::ExpandNode(LPCTSTR lpszKind, int nFlag, HTREEITEM hItem)
{
    auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (pFrame == nullptr || hItem == nullptr)
        return 0;
    HTREEITEM hPlaceholder = nullptr;
    for (HTREEITEM hChild = GetChildItem(hItem); hChild != nullptr; hChild = GetNextSiblingItem(hChild)) {
        if (GetItemText(hChild) == OBJTREE_DUMMY_ITEM) {
            hPlaceholder = hChild;
            break;
        }
    }
    if (hPlaceholder == nullptr)
        return 0;
    DeleteItem(hPlaceholder);

    const CString strKind = lpszKind;
    HTREEITEM hParent = GetParentItem(hItem);
    const CString strObject = hParent != nullptr ? GetItemText(hParent) : CString();
    HTREEITEM hDatabase = ObjectTreeAncestor(*this, hItem, OBJTREE_DEPTH_DATABASE);
    const CString strDatabase = hDatabase != nullptr && hDatabase != hItem ? GetItemText(hDatabase) : CString();

    // Many entries at once: the tree is drawn once, when they are all in.
    SetRedraw(FALSE);
    try {
        if (pFrame->m_SQLServer == nullptr)
            _com_issue_error(E_POINTER);
        pFrame->m_Database = pFrame->m_SQLServer->GetDatabases()->Item(static_cast<LPCTSTR>(strDatabase));
        if (ExplorerFolderKindOf(strKind) != nullptr) {
            FillFolder(*pFrame, strKind, hItem, strDatabase);
        } else if (strKind == "Index1" || strKind == "Trigger1" || strKind == "Foreign Key") {
            FillTableMembers(*pFrame, strKind, nFlag, hItem, strObject);
        } else if (strKind == "Columns") {
            FillFromQuery(*pFrame, strKind, hItem, strDatabase, ExplorerColumnsStatement(strObject));
        } else if (strKind == "Restriction") {
            FillFromQuery(*pFrame, strKind, hItem, strDatabase,
                          "Select name from sysobjects where parent_obj=object_id(" +
                              ExplorerOwnedLiteral(strObject) + ") and xtype in ('C','D')");
        } else if (strKind == "Depend") {
            HTREEITEM hFolder = ObjectTreeAncestor(*this, hItem, OBJTREE_DEPTH_FOLDER);
            const CString strFolder = hFolder != nullptr ? GetItemText(hFolder) : CString();
            const CString target = ExplorerQualifiedLiteral(strObject);
            if (strFolder == "User Table" || strFolder == "System Table")
                FillFromQuery(*pFrame, strKind, hItem, strDatabase,
                              "Select distinct object_name(id) as name from sysdepends where depid=object_id(" +
                                  target + ")");
            else
                FillFromQuery(*pFrame, strKind, hItem, strDatabase,
                              "Select distinct object_name(depid) as name from sysdepends where id=object_id(" +
                                  target + ")");
        } else if (strKind == "Parameter") {
            FillFromQuery(*pFrame, strKind, hItem, strDatabase,
                          "sp_sproc_columns " + ExplorerRoutineArguments(strObject, TRUE));
        } else if (strKind == "DLL") {
            FillFromQuery(*pFrame, strKind, hItem, strDatabase,
                          "sp_helpextendedproc " + ExplorerRoutineArguments(strObject, FALSE));
        }
    } catch (const _com_error& error) {
        RedrawAfterFill();
        ShowExplorerComError(error);
        return 0;
    } catch (...) {
        // Any other failure ends the filling silently; what was read stays.
    }
    RedrawAfterFill();
    return 1;
}

void CObjectBrowseTreeCtrl::FillFolder(CMainFrame& frame, const CString& strKind, HTREEITEM hItem,
                                       const CString& /*strDatabase*/)
{
    const ExplorerFolderKind& folder = *ExplorerFolderKindOf(strKind);
    auto insertObject = [&](const CString& text) {
        if (text.IsEmpty())
            return;
        HTREEITEM hObject = InsertEntry(text, folder.image, hItem);
        for (const char* sub : folder.subFolders)
            InsertObjectTreeFolder(*this, hObject, sub, OBJTREE_IMG_FOLDER);
    };
    auto objectText = [](auto& object) {
        return CString(static_cast<LPCTSTR>(object->GetOwner())) + "." + static_cast<LPCTSTR>(object->GetName());
    };
    if (strKind == "User Table" || strKind == "System Table") {
        SQLDMO::TablesPtr tables = frame.m_Database->GetTables();
        tables->Refresh();
        const long nCount = tables->GetCount();
        const bool bSystem = strKind == "System Table";
        for (long i = 1; i <= nCount; ++i) {
            frame.m_Table = tables->Item(_variant_t(i));
            const CString text = objectText(frame.m_Table);
            const bool bIsSystem = frame.m_Table->GetSystemObject() != VARIANT_FALSE;
            if (bIsSystem == bSystem)
                insertObject(text);
        }
    } else if (strKind == "View") {
        SQLDMO::ViewsPtr views = frame.m_Database->GetViews();
        views->Refresh();
        const long nCount = views->GetCount();
        for (long i = 1; i <= nCount; ++i) {
            frame.m_View = views->Item(_variant_t(i));
            insertObject(objectText(frame.m_View));
        }
    } else if (strKind == "Procedure" || strKind == "Extend Procedure") {
        SQLDMO::StoredProceduresPtr procedures = frame.m_Database->GetStoredProcedures();
        procedures->Refresh();
        const long nCount = procedures->GetCount();
        const long nWanted = strKind == "Procedure" ? 0 : 2;
        for (long i = 1; i <= nCount; ++i) {
            frame.m_StoredProcedure = procedures->Item(_variant_t(i));
            const CString text = objectText(frame.m_StoredProcedure);
            if (text.IsEmpty())
                continue;
            if ((static_cast<long>(frame.m_StoredProcedure->GetType()) & 2) == nWanted)
                insertObject(text);
        }
    } else if (strKind == "Function") {
        SQLDMO::_Database2Ptr database2 = frame.m_Database;
        if (database2 == nullptr)
            _com_issue_error(E_NOINTERFACE);
        SQLDMO::UserDefinedFunctionsPtr functions = database2->GetUserDefinedFunctions();
        functions->Refresh();
        const long nCount = functions->GetCount();
        for (long i = 1; i <= nCount; ++i) {
            frame.m_UserDefinedFunction = functions->Item(_variant_t(i));
            insertObject(objectText(frame.m_UserDefinedFunction));
        }
    }
}

void CObjectBrowseTreeCtrl::FillTableMembers(CMainFrame& frame, const CString& strKind, int nFlag, HTREEITEM hItem,
                                             const CString& strObject)
{
    if (strKind == "Index1" && nFlag != 0)
        return;
    const CString owner = ObjectTreeOwner(strObject);
    const CString name = ObjectTreeBareName(strObject);
    SQLDMO::TablesPtr tables = frame.m_Database->GetTables();
    if (ExplorerIsDboOwner(owner))
        frame.m_Table = tables->Item(static_cast<LPCTSTR>(name));
    else
        frame.m_Table = tables->Item(static_cast<LPCTSTR>(name), static_cast<LPCTSTR>(owner));
    if (strKind == "Index1") {
        frame.m_Table->RecalcSpaceUsage();
        SQLDMO::IndexesPtr indexes = frame.m_Table->GetIndexes();
        const long nCount = indexes->GetCount();
        for (long i = 1; i <= nCount; ++i) {
            frame.m_Index = indexes->Item(_variant_t(i));
            const CString text = static_cast<LPCTSTR>(frame.m_Index->GetName());
            if (!text.IsEmpty())
                InsertEntry(text, OBJTREE_IMG_INDEX, hItem);
        }
    } else if (strKind == "Trigger1") {
        SQLDMO::TriggersPtr triggers = frame.m_Table->GetTriggers();
        triggers->Refresh();
        const long nCount = triggers->GetCount();
        for (long i = 1; i <= nCount; ++i) {
            frame.m_Trigger = triggers->Item(_variant_t(i));
            const CString text = static_cast<LPCTSTR>(frame.m_Trigger->GetName());
            if (!text.IsEmpty())
                InsertEntry(text, OBJTREE_IMG_TRIGGER, hItem);
        }
    } else {
        SQLDMO::KeysPtr keys = frame.m_Table->GetKeys();
        keys->Refresh();
        const long nCount = keys->GetCount();
        for (long i = 1; i <= nCount; ++i) {
            frame.m_Key = keys->Item(_variant_t(i));
            if ((static_cast<long>(frame.m_Key->GetType()) & 3) != 3)
                continue;
            const CString text = static_cast<LPCTSTR>(frame.m_Key->GetName());
            if (!text.IsEmpty())
                InsertEntry(text, OBJTREE_IMG_FOREIGNKEY, hItem);
        }
    }
}

void CObjectBrowseTreeCtrl::FillFromQuery(CMainFrame& frame, const CString& strKind, HTREEITEM hItem,
                                          const CString& strDatabase, const CString& strStatement)
{
    frame.m_Database = frame.m_SQLServer->GetDatabases()->Item(static_cast<LPCTSTR>(strDatabase));
    frame.m_QueryResults = frame.m_Database->ExecuteWithResults(static_cast<LPCTSTR>(strStatement));
    // A fresh recordset for every answer: the copy defines its fields anew.
    m_pCatalogRecordset = nullptr;
    if (FAILED(m_pCatalogRecordset.CreateInstance("ADODB.Recordset")))
        _com_issue_error(E_POINTER);
    if (!frame.QueryResultsToRecordset(frame.m_QueryResults, m_pCatalogRecordset))
        _com_issue_error(E_FAIL);
    int nImage = OBJTREE_IMG_COLUMN;
    if (strKind == "Restriction")
        nImage = OBJTREE_IMG_CONSTRAINT;
    else if (strKind == "Depend")
        nImage = OBJTREE_IMG_DEPEND;
    ADODB::_Recordset* pRecordset = m_pCatalogRecordset;
    const long nCount = pRecordset->GetRecordCount();
    if (nCount >= 1) {
        pRecordset->MoveFirst();
        for (long nRow = 0; nRow < pRecordset->GetRecordCount(); ++nRow) {
            CString text;
            if (strKind == "Parameter")
                text = ExplorerParameterText(pRecordset);
            else if (strKind == "DLL")
                text = ExplorerFieldText(pRecordset, "dll");
            else
                text = ExplorerFieldText(pRecordset, "name");
            // A parameter row is listed even when it reads empty (no type name).
            if (!text.IsEmpty() || strKind == "Parameter")
                InsertEntry(text, nImage, hItem);
            pRecordset->MoveNext();
        }
    }
    pRecordset->Close();
}
