// The grid fetch worker: every result of a batch, each result set with rows
// into a grid of its own result tab, a row-count line per result and the
// server's informational messages in the order they came among them.
#include <algorithm>
#include <chrono>

#include "platform/mfc/CException.h"
#include "platform/mfc/COleDispatchDriver.h"
#include "platform/mfc/COleException.h"
#include "session/FetchThreads.h"
#include "session/QueryWindowMessages.h"
#include "session/VariantText.h"
#include "session/dxDBGrid.h"
#include "session/dxDBGridCalls.h"

using namespace ADODB;

namespace {

// The grid control reached by its dispatch interface, which the worker holds
// itself: the result view that shows it may go before the worker ends.
class CFetchGrid : public COleDispatchDriver {
public:
    explicit CFetchGrid(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch, FALSE) {}

    CdxDBGridColumns GetColumns() { return dxdbgrid::ObjectProperty<CdxDBGridColumns>(*this, 1); }
    void SetOptionIndex(LONG n) { SetProperty(3, VT_I4, n); }
    void SetOptionValue(BOOL b) { SetProperty(4, VT_BOOL, b); }
    void SetKeyField(LPCTSTR text) { SetProperty(10, VT_BSTR, text); }
    CdxDBGridView GetView() { return dxdbgrid::ObjectProperty<CdxDBGridView>(*this, 17); }
    CdxDBGridDataset GetDataset() { return dxdbgrid::ObjectProperty<CdxDBGridDataset>(*this, 19); }
};

// The grid refused by the window: ends the fetch with its own text.
struct GridRefused {};

const char* const kRowCountFormat = "[%d row(s) affected (application specific)]";
// Rows between two looks at pause and at the clock; the display is resumed
// once a block has taken this long, so rows show while they arrive.
constexpr long kRowsPerCheck = 256;
constexpr auto kBlockTime = std::chrono::milliseconds(100);

std::string RowCountLine(long count)
{
    CString text;
    text.Format(kRowCountFormat, static_cast<int>(count));
    return static_cast<const char*>(text);
}

class GridFetch {
public:
    explicit GridFetch(QueryRunState& state) : m_state(state) {}

    void Run();
    BYTE ErrorFlag() const { return m_error; }
    bool GridMade() const { return m_gridMade; }
    long CancelCount() const { return std::max(m_cancelCount, 1L); }

private:
    void FetchResults();
    // One result: FALSE when the walk must end.
    void FetchResult(const _RecordsetPtr& rs, long recordsAffected);
    void FetchRows(const _RecordsetPtr& rs, FieldsPtr& fields, long count);
    void SetupGridColumns(CFetchGrid& grid, FieldsPtr& fields, long count);
    // The messages the server sent with the step just taken, one line each.
    void WriteNotes();
    void WriteFailure(const std::string& text);
    bool Cancelled() const { return m_state.Stopped(); }

    QueryRunState& m_state;
    BYTE m_error = 0;
    bool m_gridMade = false;
    long m_cancelCount = 0;
    long m_rows = 0;
};

_variant_t CellText(const FieldPtr& field)
{
    const DataTypeEnum type = field->GetType();
    if (type == adBinary || type == adVarBinary || type == adLongVarBinary)
        return _variant_t("(...)<Binary>/<Raw>");
    _variant_t value = field->GetValue();
    if (value.vt == VT_BSTR)
        return value;
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return _variant_t("NULL");
    _variant_t text;
    if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)))
        return _variant_t("");
    return text;
}

void GridFetch::WriteNotes()
{
    if (Cancelled() || m_state.pConnection == nullptr)
        return;
    try {
        ErrorsPtr errors = m_state.pConnection->GetErrors();
        const long count = errors->GetCount();
        for (long i = 0; i < count; ++i) {
            ErrorPtr error = errors->GetItem(_variant_t(i));
            // Errors are written where the step that met them fails.
            const std::string sqlState = static_cast<const char*>(error->GetSQLState());
            if (sqlState.compare(0, 2, "01") == 0)
                m_state.WriteMessage(static_cast<const char*>(error->GetDescription()));
        }
    } catch (const _com_error&) {
    }
}

void GridFetch::WriteFailure(const std::string& text)
{
    if (Cancelled())
        return;
    m_error = 1;
    m_state.WriteMessage(text);
}

void GridFetch::SetupGridColumns(CFetchGrid& grid, FieldsPtr& fields, long count)
{
    if (count == 0)
        return;
    try {
        for (long i = 0; i < fields->GetCount(); ++i) {
            FieldPtr field = fields->GetItem(_variant_t(i));
            CString name(static_cast<const char*>(field->GetName()));
            if (name.IsEmpty())
                name = "Untitled";
            CdxDBGridColumn column = grid.GetColumns().Add(1);
            column.SetFieldName(name);
            column.SetCaption(name);
            column.SetName(name);
            column.SetProperty25(0);
            column.SetProperty19(1);
            grid.GetDataset().GetFieldDefs().Add(name, 3, field->GetActualSize());
            grid.GetColumns().GetItem(i).SetProperty46(1);
            grid.SetKeyField("");
            grid.SetOptionIndex(9);
            grid.SetOptionValue(FALSE);
        }
    } catch (const _com_error& error) {
        // The columns made so far stay; the rows still come.
        m_state.WriteMessage(static_cast<const char*>(ComErrorText(error)));
    }
}

void GridFetch::FetchRows(const _RecordsetPtr& rs, FieldsPtr& fields, long count)
{
    CFetchGrid grid(m_state.param.pCurrentGrid);
    if (!Cancelled())
        SetupGridColumns(grid, fields, count);
    CdxDBGridDataset dataset = grid.GetDataset();
    dataset.DisableControls();
    dataset.Open();
    std::vector<FieldPtr> fieldList;
    for (long i = 0; i < count; ++i)
        fieldList.push_back(fields->GetItem(_variant_t(i)));
    bool appendReported = false;
    auto blockStart = std::chrono::steady_clock::now();
    while (!Cancelled() && !rs->GetEOF()) {
        SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, ULONG(count));
        ++m_rows;
        for (LONG i = 0; i < count && !Cancelled(); ++i) {
            _variant_t text;
            try {
                text = CellText(fieldList[size_t(i)]);
            } catch (const _com_error&) {
                m_state.SendToWindow(WM_SHOW_RESULT_GRID, WPARAM(m_rows + 1), 0);
                text = _variant_t("");
            }
            SafeArrayPutElement(array, &i, &text);
        }
        VARIANT record;
        record.vt = VT_ARRAY | VT_VARIANT;
        record.parray = array;
        try {
            dataset.AppendRecord(record);
        } catch (CException* e) {
            e->Delete();
            // Said once per result set, in the Output pane rather than in a box.
            if (!appendReported)
                m_state.WriteMessage("Error with append record.");
            appendReported = true;
        }
        SafeArrayDestroy(array);
        try {
            rs->MoveNext();
        } catch (const _com_error&) {
            m_state.SendToWindow(WM_SHOW_RESULT_GRID, WPARAM(m_rows + 1), 0);
            if (!Cancelled() && !m_state.bBatchCompleted.load())
                m_state.WriteMessage(RowCountLine(m_rows));
            dataset.EnableControls();
            throw;
        }
        if (m_rows % kRowsPerCheck == 0) {
            m_state.WaitWhilePaused();
            const auto now = std::chrono::steady_clock::now();
            if (now - blockStart >= kBlockTime) {
                dataset.EnableControls();
                dataset.DisableControls();
                blockStart = now;
            }
        }
    }
    dataset.EnableControls();
    dataset.First();
    grid.GetView().CallMethod214();
}

void GridFetch::FetchResult(const _RecordsetPtr& rs, long recordsAffected)
{
    const long stateNow = rs->GetState();
    if (stateNow == adStateClosed) {
        if (recordsAffected != -1 && !m_state.bBatchCompleted.load())
            m_state.WriteMessage(RowCountLine(recordsAffected));
        return;
    }
    if (stateNow != adStateOpen)
        return;
    FieldsPtr fields = rs->GetFields();
    const long count = fields->GetCount();
    if (Cancelled() || count == 0)
        return;
    m_rows = 0;
    if (rs->GetState() == adStateOpen && !rs->GetBOF()) {
        LRESULT reply = -1;
        m_state.SendToWindow(WM_CREATE_RESULT_GRID, 0, 0, &reply);
        if (Cancelled())
            return;
        if (reply == -1 || m_state.param.pCurrentGrid == nullptr)
            throw GridRefused{};
        m_gridMade = true;
        FetchRows(rs, fields, count);
    }
    if (Cancelled()) {
        m_cancelCount = m_rows;
        return;
    }
    if (!m_state.bBatchCompleted.load())
        m_state.WriteMessage(RowCountLine(m_rows));
}

void GridFetch::FetchResults()
{
    _RecordsetPtr rs = m_state.param.pRecordset;
    long recordsAffected = -1;
    if (m_state.param.vRecordsAffected.vt == VT_I4)
        recordsAffected = m_state.param.vRecordsAffected.lVal;
    if (rs == nullptr)
        return;
    WriteNotes();
    // A failing statement does not hide what the batch produced after it:
    // its text is written and the walk goes on while the server has more.
    int failuresInARow = 0;
    while (!Cancelled()) {
        try {
            FetchResult(rs, recordsAffected);
            failuresInARow = 0;
        } catch (const _com_error& error) {
            const std::string provider = m_state.ProviderErrorText();
            WriteFailure(provider.empty() ? std::string(ComErrorText(error)) : provider);
            if (provider.empty() || ++failuresInARow > 1)
                break;
        }
        if (!m_state.bMultipleResults.load() || Cancelled())
            break;
        _variant_t affected;
        _RecordsetPtr next;
        try {
            next = rs->NextRecordset(&affected);
            failuresInARow = 0;
        } catch (const _com_error& error) {
            // The failed statement was taken: the next call goes on after it.
            const std::string provider = m_state.ProviderErrorText();
            WriteFailure(provider.empty() ? std::string(ComErrorText(error)) : provider);
            if (provider.empty() || ++failuresInARow > 100)
                break;
            recordsAffected = -1;
            continue;
        }
        WriteNotes();
        if (next == nullptr)
            break;
        rs = next;
        recordsAffected = affected.vt == VT_I4 ? affected.lVal : -1;
    }
    m_state.CloseRecordset();
}

void GridFetch::Run()
{
    try {
        FetchResults();
    } catch (const _com_error& error) {
        const std::string provider = m_state.ProviderErrorText();
        WriteFailure(provider.empty() ? std::string(ComErrorText(error)) : provider);
    } catch (const GridRefused&) {
        WriteFailure("Failed to create grid control.");
    } catch (CMemoryException* e) {
        e->Delete();
        WriteFailure("Out-of-Memory.");
    } catch (COleDispatchException* e) {
        WriteFailure(static_cast<const char*>(e->m_strDescription));
        e->Delete();
    } catch (CException* e) {
        char text[255] = {};
        e->GetErrorMessage(text, sizeof text);
        WriteFailure(text);
        e->Delete();
    } catch (const std::bad_alloc&) {
        WriteFailure("Out-of-Memory.");
    } catch (...) {
        WriteFailure("Errors occurred.");
    }
}

}  // namespace

UINT GridFetchThreadProc(LPVOID pParam)
{
    std::unique_ptr<std::shared_ptr<QueryRunState>> argument(static_cast<std::shared_ptr<QueryRunState>*>(pParam));
    QueryRunState& state = **argument;
    LRESULT reply = 0;
    state.SendToWindow(WM_DELETE_RESULT_GRIDS, 0, 0, &reply);
    GridFetch fetch(state);
    fetch.Run();
    const bool cancelled = state.bCancelled.load();
    if (!cancelled && state.bTransactSql.load() && FindNoCase(state.param.strBatch, "USE ", 0) >= 0)
        state.bDatabaseMayHaveChanged = true;
    if (cancelled && fetch.GridMade())
        state.SendToWindow(WM_SHOW_RESULT_GRID, WPARAM(fetch.CancelCount()), 1);
    state.param.pRecordset = nullptr;
    state.PostToWindow(WM_BATCH_COMPLETED, fetch.ErrorFlag(), -1);
    return 0;
}
