// The text fetch worker: the first column of every row of every result,
// joined into the window's text result (what sp_helptext answers).
#include "platform/mfc/CException.h"
#include "session/FetchThreads.h"
#include "session/QueryWindowMessages.h"
#include "session/VariantText.h"

using namespace ADODB;

namespace {

std::string FirstColumnText(const _RecordsetPtr& rs)
{
    _variant_t value = rs->GetFields()->GetItem(_variant_t(0L))->GetValue();
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return "NULL";
    if (value.vt != VT_BSTR) {
        _variant_t text;
        const HRESULT hr = VariantChangeType(&text, &value, 0, VT_BSTR);
        if (FAILED(hr))
            _com_raise_error(hr);
        value = text;
    }
    return static_cast<const char*>(_bstr_t(value.bstrVal, true));
}

void AppendText(QueryRunState& state, const std::string& text)
{
    std::lock_guard lock(state.textMutex);
    state.strTextResult += text;
}

bool TextEmpty(QueryRunState& state)
{
    std::lock_guard lock(state.textMutex);
    return state.strTextResult.empty();
}

void FetchText(QueryRunState& state)
{
    _RecordsetPtr rs = state.param.pRecordset;
    if (rs == nullptr || rs->GetState() == adStateClosed || state.Stopped())
        return;
    while (rs != nullptr && !rs->GetBOF()) {
        long rows = 0;
        while (!state.Stopped() && !rs->GetEOF()) {
            AppendText(state, FirstColumnText(rs));
            rs->MoveNext();
            if (++rows % 256 == 0)
                state.WaitWhilePaused();
        }
        if (state.Stopped())
            return;
        AppendText(state, "\n\n");
        if (!state.bMultipleResults.load())
            return;
        rs = rs->NextRecordset(nullptr);
    }
    if (!state.Stopped() && TextEmpty(state))
        AppendText(state, "NULL");
}

}  // namespace

UINT TextFetchThreadProc(LPVOID pParam)
{
    std::unique_ptr<std::shared_ptr<QueryRunState>> argument(static_cast<std::shared_ptr<QueryRunState>*>(pParam));
    QueryRunState& state = **argument;
    BYTE error = 0;
    auto fail = [&](const std::string& text) {
        if (state.bCancelled.load())
            return;
        error = 1;
        state.WriteMessage(text);
    };
    try {
        FetchText(state);
    } catch (const _com_error& e) {
        const std::string provider = state.ProviderErrorText();
        fail(provider.empty() ? std::string(ComErrorText(e)) : provider);
    } catch (CMemoryException* e) {
        e->Delete();
        fail("Out-of-Memory.");
    } catch (CException* e) {
        e->Delete();
        fail("Errors occurred.");
    } catch (...) {
        fail("Errors occurred.");
    }
    state.CloseRecordset();
    if (!state.bCancelled.load() && state.bTransactSql.load() && FindNoCase(state.param.strBatch, "USE ", 0) >= 0)
        state.bDatabaseMayHaveChanged = true;
    state.param.pRecordset = nullptr;
    state.PostToWindow(WM_TEXT_BATCH_COMPLETED, error, 0);
    return 0;
}
