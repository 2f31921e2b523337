#include "tabledesign/TableDesignColumn.h"

#include <set>
#include <string>

#include "app/MainFrame.h"
#include "platform/com/ComError.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CWinApp.h"
#include "resources/TableDesignIds.h"
#include "tabledesign/TableDesignWindow.h"

IMPLEMENT_DYNCREATE(CTableDesignColumn, CTableDesignPage)
IMPLEMENT_DYNCREATE(CTableDesignColGridView, CTableDesignPaneView)
IMPLEMENT_DYNCREATE(CTableDesignColPropView, CTableDesignPaneView)

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

void TdReportFailure(const _com_error& error)
{
    const _bstr_t description = error.Description();
    const char* text = static_cast<const char*>(description);
    AfxMessageBox(text != nullptr && *text != '\0' ? text : error.ErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
}

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

CRuntimeClass* CTableDesignColumn::GetDetailViewClass() const { return RUNTIME_CLASS(CTableDesignColPropView); }

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
            TdReportFailure(error);
            bBound = FALSE;
        }
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
        SQLDMO::ColumnsPtr columns = table->GetColumns();
        for (long i = 1; i <= columns->GetCount(); ++i) {
            SQLDMO::_ColumnPtr column = columns->Item(i);
            const std::string name = static_cast<const char*>(column->GetName());
            const _variant_t values[kFirstNewField] = {
                _variant_t(name.c_str()),
                _variant_t(column->GetDatatype()),
                _variant_t(std::to_string(column->GetLength()).c_str()),
                TdFlag(!column->GetAllowNulls()),
                _variant_t(""),
                _variant_t(""),
                _variant_t(owner.c_str()),
                _variant_t(""),
                TdFlag(false),
                TdFlag(column->GetIdentity() != VARIANT_FALSE),
                _variant_t(column->GetIdentityIncrement()),
                _variant_t(column->GetIdentitySeed()),
                _variant_t(column->GetNumericPrecision()),
                _variant_t(column->GetNumericScale()),
                _variant_t(""),
                _variant_t(""),
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
        TdReportFailure(error);
        return FALSE;
    }
    return TRUE;
}

BEGIN_MESSAGE_MAP(CTableDesignColGridView, CTableDesignPaneView)
    ON_COMMAND(ID_TW_TD_RELOAD, ReloadColumns)
END_MESSAGE_MAP()

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
    };
    static const GridColumn columns[] = {
        {"Primary", "Primary"},   {"ColumnName", "Column Name"}, {"DataType", "Data Type"},
        {"Length", "Length"},     {"NotNull", "Not Null"},       {"ColumnID", "ColumnID"},
    };
    for (const GridColumn& column : columns) {
        CdxDBGridColumn added = m_wndGrid.GetColumns().Add(1);
        added.SetFieldName(column.name);
        added.SetCaption(column.caption);
        added.SetName(column.name);
    }
    // The dataset's fields in record order.
    struct GridField {
        const char* name;
        LONG type;
        LONG size;
    };
    static const GridField fields[] = {{"Primary", 5, 0},  {"ColumnName", 1, 20}, {"DataType", 1, 20},
                                       {"NotNull", 5, 0},  {"Length", 3, 0},      {"ColumnID", 1, 20}};
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
                dataset.AppendRecord(record);
                SafeArrayDestroy(values);
            }
            set->MoveFirst();
        }
        dataset.EnableControls();
        dataset.First();
    } catch (const _com_error& error) {
        TdReportFailure(error);
    } catch (CException* pError) {
        pError->ReportError();
        pError->Delete();
    }
}

CTableDesignColPropView::CTableDesignColPropView() : CTableDesignPaneView(IDD_TW_TD_COLUMN_PROPS, 0) {}
