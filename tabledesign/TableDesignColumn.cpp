#include "tabledesign/TableDesignColumn.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "app/MainFrame.h"
#include "platform/com/ComError.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CWinApp.h"
#include "resources/TableDesignIds.h"
#include "sqleditor/SqlNames.h"
#include "tabledesign/TableDesignWindow.h"

IMPLEMENT_DYNCREATE(CTableDesignColumn, CTableDesignPage)
IMPLEMENT_DYNCREATE(CTableDesignColGridView, CTableDesignPaneView)

BEGIN_MESSAGE_MAP(CTableDesignColumn, CTableDesignPage)
    ON_COMMAND(ID_TW_TD_ADD, OnAdd)
    ON_COMMAND(ID_TW_TD_DELETE, OnDelete)
    ON_COMMAND(ID_TW_TD_SAVE, OnSaveChanges)
    ON_COMMAND(ID_TW_TD_RELOAD, OnReload)
    ON_UPDATE_COMMAND_UI(ID_TW_TD_RELOAD, OnUpdateReload)
END_MESSAGE_MAP()

const char* const CTableDesignColumn::kFieldNames[kFirstNewField] = {
    "ColumnName", "DataType",     "Length",        "IsNull",       "Default",   "Rule",
    "Owner",      "Formula",      "IsRowGuid",     "Identity",     "IdentityIncre",
    "IdentitySeed", "Precision",  "Scale",         "Collation",    "Description", "Primary",
};

namespace {

// The type of a field of the column set by its name without "New".
ADODB::DataTypeEnum TdColumnFieldType(const std::string& name, long& size)
{
    size = 0;
    if (name == "IsNull" || name == "IsRowGuid" || name == "Identity" || name == "Primary")
        return ADODB::adSmallInt;
    if (name == "IdentityIncre" || name == "IdentitySeed" || name == "Precision" || name == "Scale")
        return ADODB::adInteger;
    size = name == "Formula" || name == "Description" ? 4000 : 256;
    return ADODB::adVarChar;
}

// -1 for TRUE, 0 for FALSE, as the set keeps its flags.
_variant_t TdFlag(bool on) { return _variant_t((short)(on ? -1 : 0)); }


}  // namespace

CTableDesignColumn::CTableDesignColumn() : CTableDesignPage(IDD_TW_TD_COLUMNS, IDC_TW_TD_COLUMNS_BAND)
{
    // A set that cannot be made stays empty; every use of it then raises.
    try {
        m_pColumnSet.CreateInstance("ADODB.Recordset");
    } catch (const _com_error&) {
        m_pColumnSet = nullptr;
    }
}

CTableDesignColumn::~CTableDesignColumn() = default;

CRuntimeClass* CTableDesignColumn::GetListViewClass() const { return RUNTIME_CLASS(CTableDesignColGridView); }

CRuntimeClass* CTableDesignColumn::GetDetailViewClass() const { return RUNTIME_CLASS(CTableDesignColPropertyView); }

void CTableDesignColumn::OnInitialUpdate()
{
    CTableDesignPage::OnInitialUpdate();
    // The markers go in once, however often the page is updated.
    if (m_AddedColumns.IsEmpty())
        m_AddedColumns.AddTail("AddColumn");
    if (m_DeletedColumns.IsEmpty())
        m_DeletedColumns.AddTail("DeleteColumn");
    m_pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    CTableView* pView = GetTableView();
    if (m_pMainFrame != nullptr && pView != nullptr) {
        m_strDatabase = pView->m_strDatabase;
        m_bNewTable = pView->m_bNewTable;
        BOOL bBound = TRUE;
        try {
            m_pMainFrame->m_Database = m_pMainFrame->m_SQLServer->GetDatabases()->Item((LPCTSTR)m_strDatabase);
            if (!m_bNewTable)
                m_pMainFrame->m_Table = m_pMainFrame->m_Database->GetTables()->Item((LPCTSTR)pView->m_strTable);
        } catch (const _com_error& error) {
            TdReportComError(error);
            bBound = FALSE;
        }
        pView->m_bTableFound = bBound || m_bNewTable;
        // A table that could not be found leaves an empty set, reported once.
        LoadColumnSet(bBound);
    }
    UpdateData(FALSE);
}

BOOL CTableDesignColumn::OpenColumnSet()
{
    // A loaded set is replaced by a fresh one: its fields cannot be defined again.
    if (m_pColumnSet->GetState() != ADODB::adStateClosed) {
        ADODB::_RecordsetPtr fresh;
        if (FAILED(fresh.CreateInstance("ADODB.Recordset")))
            _com_issue_error(E_FAIL);
        m_pColumnSet = fresh;
    }
    m_pColumnSet->PutCursorLocation(ADODB::adUseClient);
    m_pColumnSet->PutCursorType(ADODB::adOpenStatic);
    m_pColumnSet->PutLockType(ADODB::adLockBatchOptimistic);
    ADODB::FieldsPtr fields = m_pColumnSet->GetFields();
    for (int pass = 0; pass < 2; ++pass) {
        for (const char* name : kFieldNames) {
            long size = 0;
            const ADODB::DataTypeEnum type = TdColumnFieldType(name, size);
            const std::string field = (pass == 0 ? "" : "New") + std::string(name);
            fields->Append(field.c_str(), type, size, ADODB::adFldIsNullable);
        }
    }
    fields->Append("ColumnID", ADODB::adVarChar, 20, ADODB::adFldUnspecified);
    m_pColumnSet->Open(vtMissing, vtMissing, ADODB::adOpenStatic, ADODB::adLockBatchOptimistic,
                       ADODB::adCmdUnspecified);
    return TRUE;
}

BOOL CTableDesignColumn::LoadColumnSet(BOOL bFromServer)
{
    try {
        if (m_pColumnSet == nullptr)
            _com_issue_error(E_POINTER);
        OpenColumnSet();
        if (!bFromServer || m_bNewTable || m_pMainFrame == nullptr || m_pMainFrame->m_Table == nullptr)
            return TRUE;
        SQLDMO::_TablePtr table = m_pMainFrame->m_Table;
        std::set<std::string> primary;
        SQLDMO::KeysPtr keys = table->GetKeys();
        for (long i = 1; i <= keys->GetCount(); ++i) {
            SQLDMO::_KeyPtr key = keys->Item(i);
            if (key->GetType() != SQLDMO::SQLDMOKey_Primary)
                continue;
            SQLDMO::NamesPtr names = key->GetKeyColumns();
            for (long n = 1; n <= names->GetCount(); ++n)
                primary.insert(static_cast<const char*>(names->Item(n)));
        }
        const std::string owner = static_cast<const char*>(table->GetOwner());
        const std::string tableName = static_cast<const char*>(table->GetName());
        // The columns' descriptions, kept as extended properties.
        std::map<std::string, std::string> descriptions;
        SQLDMO::_QueryResultsPtr described = m_pMainFrame->m_Database->ExecuteWithResults(
            (LPCTSTR)("select objname, cast(value as nvarchar(4000)) from ::fn_listextendedproperty('MS_Description', "
                      "'user', " + SqlQuoteLiteral(owner.c_str()) + ", 'table', " +
                      SqlQuoteLiteral(tableName.c_str()) + ", 'column', NULL)"));
        for (long r = 1; r <= described->GetRows(); ++r)
            descriptions[static_cast<const char*>(described->GetColumnString(r, 1))] =
                static_cast<const char*>(described->GetColumnString(r, 2));
        SQLDMO::ColumnsPtr columns = table->GetColumns();
        for (long i = 1; i <= columns->GetCount(); ++i) {
            SQLDMO::_ColumnPtr column = columns->Item(i);
            const std::string name = static_cast<const char*>(column->GetName());
            const std::string type = static_cast<const char*>(column->GetDatatype());
            // Lengths as a column is declared: characters for the Unicode types.
            long length = column->GetLength();
            if (type == "nchar" || type == "nvarchar")
                length /= 2;
            const _variant_t values[kFirstNewField] = {
                _variant_t(name.c_str()),
                _variant_t(type.c_str()),
                _variant_t(std::to_string(length).c_str()),
                TdFlag(!column->GetAllowNulls()),
                _variant_t(column->GetDefault()),
                _variant_t(column->GetRule()),
                _variant_t(owner.c_str()),
                _variant_t(column->GetComputedText()),
                TdFlag(column->GetIsRowGuidCol() != VARIANT_FALSE),
                TdFlag(column->GetIdentity() != VARIANT_FALSE),
                _variant_t(column->GetIdentityIncrement()),
                _variant_t(column->GetIdentitySeed()),
                _variant_t(column->GetNumericPrecision()),
                _variant_t(column->GetNumericScale()),
                _variant_t(column->GetCollation()),
                _variant_t(descriptions[name].c_str()),
                TdFlag(primary.count(name) != 0),
            };
            m_pColumnSet->AddNew();
            ADODB::FieldsPtr fields = m_pColumnSet->GetFields();
            for (long f = 0; f < kFirstNewField; ++f) {
                fields->GetItem(_variant_t(f))->PutValue(values[f]);
                fields->GetItem(_variant_t(f + kFirstNewField))->PutValue(values[f]);
            }
            fields->GetItem(_variant_t((long)kColumnIdField))->PutValue(_variant_t(std::to_string(i).c_str()));
            m_pColumnSet->Update();
        }
        if (m_pColumnSet->GetRecordCount() > 0)
            m_pColumnSet->MoveFirst();
    } catch (const _com_error& error) {
        TdReportComError(error);
        return FALSE;
    }
    return TRUE;
}

BEGIN_MESSAGE_MAP(CTableDesignColGridView, CTableDesignPaneView)
    ON_COMMAND(ID_TW_TD_RELOAD, ReloadColumns)
    ON_COMMAND(ID_TW_TD_ADD, OnAddRow)
    ON_COMMAND(ID_TW_TD_DELETE, OnDeleteColumn)
    ON_COMMAND(ID_TW_TD_SAVE, OnChangeScript)
    ON_UPDATE_COMMAND_UI(ID_TW_TD_RELOAD, OnUpdateReload)
END_MESSAGE_MAP()

BEGIN_EVENTSINK_MAP(CTableDesignColGridView, CTableDesignPaneView)
    ON_EVENT(CTableDesignColGridView, IDC_TW_TD_COLUMN_GRID, 12, OnGridNodeChanged, VTS_DISPATCH VTS_DISPATCH)
    ON_EVENT(CTableDesignColGridView, IDC_TW_TD_COLUMN_GRID, 35, OnRowStored, VTS_DISPATCH)
    ON_EVENT(CTableDesignColGridView, IDC_TW_TD_COLUMN_GRID, 77, OnCellEditStart, VTS_DISPATCH VTS_DISPATCH)
    ON_EVENT(CTableDesignColGridView, IDC_TW_TD_COLUMN_GRID, 79, OnCellEditText, VTS_DISPATCH VTS_PBSTR VTS_PBOOL)
END_EVENTSINK_MAP()

const char* const CTableDesignColGridView::kTypeNames[25] = {
    "bigint",   "int",      "smallint", "tinyint", "bit",       "decimal", "numeric",   "money",       "smallmoney",
    "float",    "real",     "datetime", "smalldatetime", "char", "varchar", "text",     "nchar",       "nvarchar",
    "ntext",    "binary",   "varbinary", "image",  "sql_variant", "timestamp", "uniqueidentifier",
};

CTableDesignColGridView::CTableDesignColGridView() : CTableDesignPaneView(IDD_TW_TD_COLUMN_GRID, IDC_TW_TD_COLUMN_GRID)
{
}

BOOL CTableDesignColGridView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                                     CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CTableDesignPaneView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    // The grid at 1,0 of the form, 240 x 122 dialog units.
    CRect area(1, 0, 241, 122);
    ::MapDialogRect(m_hWnd, area);
    if (!m_wndGrid.Create(nullptr, "ColumnGrid", WS_CHILD | WS_VISIBLE, area, this, IDC_TW_TD_COLUMN_GRID))
        return FALSE;
    m_wndGrid.SetDatasetType(1);
    struct GridColumn {
        const char* name;
        const char* caption;
        LONG editor;
    };
    // Primary and Not Null are check boxes, Length a spin editor; the row's
    // id is kept out of the user's reach.
    static const GridColumn columns[] = {
        {"Primary", "Primary", 5}, {"ColumnName", "Column Name", 1}, {"DataType", "Data Type", 1},
        {"Length", "Length", 6},   {"NotNull", "Not Null", 5},       {"ColumnID", "ColumnID", 1},
    };
    for (const GridColumn& column : columns) {
        CdxDBGridColumn added = m_wndGrid.GetColumns().Add(1);
        added.SetFieldName(column.name);
        added.SetCaption(column.caption);
        added.SetName(column.name);
        added.SetProperty46(column.editor);
    }
    m_wndGrid.GetColumns().GetItem(5).SetProperty24(FALSE);
    // The dataset's fields in record order.
    struct GridField {
        const char* name;
        LONG type;
        LONG size;
    };
    static const GridField fields[] = {{"Primary", 5, 0},  {"ColumnName", 1, 128}, {"DataType", 1, 20},
                                       {"NotNull", 5, 0},  {"Length", 3, 0},       {"ColumnID", 1, 20}};
    for (const GridField& field : fields)
        m_wndGrid.GetDataset().GetFieldDefs().Add(field.name, field.type, field.size);
    m_wndGrid.SetKeyField("ColumnName");
    return TRUE;
}

CTableDesignColumn* CTableDesignColGridView::GetColumnPage() const
{
    return dynamic_cast<CTableDesignColumn*>(GetPage());
}

void CTableDesignColGridView::OnInitialUpdate()
{
    CTableDesignPaneView::OnInitialUpdate();
    m_TypeNames.RemoveAll();
    for (const char* name : kTypeNames)
        m_TypeNames.AddTail(name);
    try {
        CdxDBGridColumn type = m_wndGrid.GetColumns().GetItem(2);
        type.SetProperty46(7);
        CdxDBGridColumnEditor editor = type.GetEditor();
        editor.SetProperty153(FALSE);
        editor.SetProperty152(TRUE);
        CdxDBGridStrings items = editor.GetItems();
        if (items.GetCount() > 0)
            items.Clear();
        for (const char* name : kTypeNames)
            items.Add(name);
    } catch (CException* pError) {
        pError->ReportError();
        pError->Delete();
    }
    ReloadColumns();
}

void CTableDesignColGridView::ReloadColumns()
{
    CTableDesignColumn* pPage = GetColumnPage();
    if (pPage == nullptr || m_wndGrid.GetSafeHwnd() == nullptr)
        return;
    try {
        CdxDBGridDataset dataset = m_wndGrid.GetDataset();
        dataset.DisableControls();
        dataset.Close();
        dataset.Open();
        ADODB::_RecordsetPtr set = pPage->m_pColumnSet;
        if (set != nullptr && set->GetState() != ADODB::adStateClosed && set->GetRecordCount() > 0) {
            for (set->MoveFirst(); !set->GetadoEOF(); set->MoveNext()) {
                const _variant_t name = set->GetCollect(17L);
                if (name.vt == VT_NULL || name.vt == VT_EMPTY || _bstr_t(name).length() == 0)
                    continue;
                const bool primary = (long)_variant_t(set->GetCollect(33L)) != 0;
                const bool notNull = (long)_variant_t(set->GetCollect(20L)) != 0;
                SAFEARRAY* values = SafeArrayCreateVector(VT_VARIANT, 0, 6);
                const _variant_t cells[6] = {
                    _variant_t(primary ? "True" : "False"), name, set->GetCollect(18L),
                    _variant_t(notNull ? "True" : "False"), set->GetCollect(19L), set->GetCollect(34L)};
                for (LONG i = 0; i < 6; ++i)
                    SafeArrayPutElement(values, &i, const_cast<_variant_t*>(&cells[i]));
                VARIANT record;
                record.vt = VT_ARRAY | VT_VARIANT;
                record.parray = values;
                try {
                    dataset.AppendRecord(record);
                } catch (CException* pError) {
                    pError->Delete();
                    AfxMessageBox("Error with AppendRecord()", MB_OK);
                }
                SafeArrayDestroy(values);
            }
            set->MoveFirst();
        }
        dataset.EnableControls();
        if (dataset.GetRecordCount() > 0) {
            dataset.First();
            dataset.Edit();
        }
        static const LONG widths[] = {56, 120, 96, 56, 56};
        for (LONG i = 0; i < 5; ++i)
            m_wndGrid.GetColumns().GetItem(i).SetWidth(widths[i]);
    } catch (const _com_error& error) {
        TdReportComError(error);
    } catch (CException* pError) {
        pError->ReportError();
        pError->Delete();
    }
}

void CTableDesignColGridView::OnUpdateReload(CCmdUI* pCmdUI)
{
    CTableDesignColumn* pPage = GetColumnPage();
    pCmdUI->Enable(pPage != nullptr && !pPage->m_bNewTable);
}

namespace {

// The text of one cell of a row the grid passes with an event.
CString TdCellText(LPDISPATCH pNode, LONG nColumn)
{
    CdxDBGridNode node;
    node.AttachDispatch(pNode, FALSE);
    return node.GetCellText(nColumn);
}

LONG TdNodeIndex(LPDISPATCH pNode)
{
    if (pNode == nullptr)
        return -1;
    CdxDBGridNode node;
    node.AttachDispatch(pNode, FALSE);
    return node.GetProperty17();
}

_variant_t TdText(const CString& text) { return _variant_t((LPCTSTR)text); }

CString TdFieldText(const _variant_t& value)
{
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return CString();
    return CString(static_cast<const char*>(_bstr_t(value)));
}

}  // namespace

void CTableDesignColGridView::OnGridNodeChanged(LPDISPATCH pLeft, LPDISPATCH pEntered)
{
    CTableDesignColumn* pPage = GetColumnPage();
    if (pEntered == nullptr || pPage == nullptr || !pPage->m_bPanesCreated)
        return;
    try {
        const LONG left = TdNodeIndex(pLeft);
        const LONG entered = TdNodeIndex(pEntered);
        if (left == entered)
            return;
        const CString name = m_wndGrid.GetNode(entered).GetCellText(1);
        if (auto* pDetail = dynamic_cast<CTableDesignColPropertyView*>(pPage->m_pDetailView))
            pDetail->ShowColumn(name);
    } catch (CException* pError) {
        pError->ReportError();
        pError->Delete();
    }
}

void CTableDesignColGridView::OnRowStored(LPDISPATCH pNode)
{
    if (pNode == nullptr || m_bStoring)
        return;
    m_bStoring = TRUE;
    try {
        CString cells[6];
        for (LONG i = 0; i < 6; ++i)
            cells[i] = TdCellText(pNode, i);
        StoreRow(cells);
    } catch (const _com_error& error) {
        TdReportComError(error);
    } catch (CException* pError) {
        pError->ReportError();
        pError->Delete();
    }
    m_bStoring = FALSE;
}

BOOL CTableDesignColGridView::StoreRow(const CString cells[6])
{
    CTableDesignColumn* pPage = GetColumnPage();
    if (pPage == nullptr)
        return FALSE;
    const CString& name = cells[1];
    CdxDBGridDataset dataset = m_wndGrid.GetDataset();
    if (name.IsEmpty()) {
        AfxMessageBox("Input the name in the edit,please", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    // A name is refused whenever another row has it; names differing in case are distinct.
    LONG same = 0;
    const LONG rows = dataset.GetRecordCount();
    for (LONG i = 0; i < rows; ++i)
        same += m_wndGrid.GetNode(i).GetCellText(1) == name ? 1 : 0;
    if (same >= 2) {
        AfxMessageBox("Column '" + name + "' has existed.", MB_OK | MB_ICONEXCLAMATION);
        dataset.SetFieldValue("ColumnName", TdText(name + "1"));
        return FALSE;
    }
    const CString& type = cells[2];
    if (!type.IsEmpty() && m_TypeNames.Find(type) == nullptr) {
        AfxMessageBox("Your input must match values in the list.", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    ADODB::_RecordsetPtr set = pPage->m_pColumnSet;
    if (set == nullptr)
        _com_issue_error(E_POINTER);
    const _variant_t notNull((short)(cells[4] == "False" ? 0 : -1));
    const _variant_t primary((short)(cells[0] == "False" ? 0 : -1));
    CString id = cells[5];
    if (id.IsEmpty()) {
        // A new row's id is one past the largest id in the set.
        long largest = 0;
        if (set->GetRecordCount() > 0)
            for (set->MoveFirst(); !set->GetadoEOF(); set->MoveNext())
                largest = std::max(largest, std::atol(TdFieldText(set->GetCollect(34L))));
        id.Format("%ld", largest + 1);
        dataset.SetFieldValue("ColumnID", TdText(id));
        pPage->m_AddedColumns.AddTail(name);
        set->AddNew();
        // A new column starts with the defaults the property view shows.
        for (const char* field : {"NewDefault", "NewRule", "NewFormula", "NewCollation", "NewDescription"})
            set->PutCollect(field, _variant_t(""));
        for (const char* field : {"NewIsRowGuid", "NewIdentity", "IsNull", "Primary", "IsRowGuid", "Identity"})
            set->PutCollect(field, _variant_t((short)0));
        for (const char* field : {"NewIdentityIncre", "NewIdentitySeed", "NewPrecision", "NewScale"})
            set->PutCollect(field, _variant_t(0L));
        set->PutCollect("ColumnName", _variant_t(""));
        if (pPage->m_pMainFrame != nullptr && pPage->m_pMainFrame->m_Table != nullptr && !pPage->m_bNewTable)
            set->PutCollect("NewOwner", _variant_t(pPage->m_pMainFrame->m_Table->GetOwner()));
    } else {
        bool found = false;
        if (set->GetRecordCount() > 0)
            for (set->MoveFirst(); !set->GetadoEOF() && !found; )
                if (TdFieldText(set->GetCollect(34L)) == id)
                    found = true;
                else
                    set->MoveNext();
        if (!found)
            return FALSE;
    }
    set->PutCollect(17L, TdText(name));
    set->PutCollect(18L, TdText(type));
    set->PutCollect(19L, TdText(cells[3]));
    set->PutCollect(20L, notNull);
    set->PutCollect(33L, primary);
    if (cells[5].IsEmpty())
        set->PutCollect(34L, TdText(id));
    set->Update();
    return TRUE;
}

void CTableDesignColGridView::OnCellEditStart(LPDISPATCH pColumn, LPDISPATCH pNode)
{
    if (pColumn == nullptr || pNode == nullptr)
        return;
    try {
        CdxDBGridColumn column;
        column.AttachDispatch(pColumn, FALSE);
        if (column.GetCaption() != "Data Type")
            return;
        m_bTypeEditPending = TRUE;
        m_strEditColumn = TdCellText(pNode, 1);
        m_strEditType = TdCellText(pNode, 2);
    } catch (CException* pError) {
        pError->ReportError();
        pError->Delete();
    }
}

void CTableDesignColGridView::OnCellEditText(LPDISPATCH, BSTR* pText, VARIANT_BOOL*)
{
    if (!m_bTypeEditPending)
        return;
    m_bTypeEditPending = FALSE;
    const CString text = pText != nullptr && *pText != nullptr ? CString(tw::BstrToUtf8(*pText).c_str()) : CString();
    if (text.IsEmpty() || text == m_strEditType)
        return;
    CTableDesignColumn* pPage = GetColumnPage();
    if (pPage == nullptr)
        return;
    if (auto* pDetail = dynamic_cast<CTableDesignColPropertyView*>(pPage->m_pDetailView))
        pDetail->ShowColumn(m_strEditColumn);
}

void CTableDesignColGridView::OnAddRow()
{
    try {
        CdxDBGridDataset dataset = m_wndGrid.GetDataset();
        dataset.Append();
        // A new column is no key and takes nulls until the user says otherwise.
        dataset.SetFieldValue("Primary", _variant_t("False"));
        dataset.SetFieldValue("NotNull", _variant_t("False"));
    } catch (CException* pError) {
        pError->ReportError();
        pError->Delete();
    }
}

void CTableDesignColGridView::OnDeleteColumn()
{
    CTableDesignColumn* pPage = GetColumnPage();
    if (pPage == nullptr)
        return;
    try {
        if (m_wndGrid.GetDataset().GetRecordCount() == 0)
            return;
        const CString name = m_wndGrid.GetSelection().GetProperty135().GetCellText(1);
        // The first entry is the marker, never a column.
        POSITION pos = pPage->m_DeletedColumns.GetHeadPosition();
        pPage->m_DeletedColumns.GetNext(pos);
        while (pos != nullptr)
            if (pPage->m_DeletedColumns.GetNext(pos) == name)
                return;
        ADODB::_RecordsetPtr set = pPage->m_pColumnSet;
        if (set != nullptr && !name.IsEmpty() && set->GetRecordCount() > 0) {
            for (set->MoveFirst(); !set->GetadoEOF(); set->MoveNext()) {
                if (TdFieldText(set->GetCollect(17L)) != name)
                    continue;
                const CString serverName = TdFieldText(set->GetCollect("ColumnName"));
                set->Delete(ADODB::adAffectCurrent);
                if (!serverName.IsEmpty())
                    pPage->m_DeletedColumns.AddTail(serverName);
                else if (POSITION added = pPage->m_AddedColumns.Find(name, pPage->m_AddedColumns.GetHeadPosition()))
                    pPage->m_AddedColumns.RemoveAt(added);
                break;
            }
        }
        m_wndGrid.GetDataset().Delete();
    } catch (const _com_error& error) {
        TdReportComError(error);
    } catch (CException* pError) {
        pError->ReportError();
        pError->Delete();
    }
}

void CTableDesignColGridView::OnChangeScript()
{
    if (CTableDesignColumn* pPage = GetColumnPage())
        pPage->SaveChanges();
}
