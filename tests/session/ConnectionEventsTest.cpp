// The connection-events sink: only the end of an execution that the window
// still waits for starts a fetch worker; every other event is declined.
#include <gtest/gtest.h>

#include "platform/win32/kernel/Sync.h"
#include "session/ConnectionEvents.h"

namespace {

using namespace ADODB;

struct SinkCase {
    const char* name;
    const char* pending;
    bool cancelled;
    bool executing;
    bool startsWorker;
};

TEST(ConnectionEventsSink, StartsAWorkerOnlyForTheBatchTheWindowWaitsFor)
{
    const SinkCase cases[] = {
        {"a batch waiting", "select 1", false, true, true},
        {"no pending batch (a repeated event)", "", false, true, false},
        {"cancelled before the server answered", "select 1", true, true, false},
        {"the window no longer executing", "select 1", false, false, false},
    };
    for (const SinkCase& c : cases) {
        auto state = std::make_shared<QueryRunState>();
        state->strPendingBatch = c.pending;
        state->bCancelled = c.cancelled;
        state->bExecuting = c.executing;
        auto* sink = new CConnectionEvents(state);
        sink->AddRef();
        EventStatusEnum status = adStatusOK;
        EXPECT_EQ(sink->ExecuteComplete(3, nullptr, &status, nullptr, nullptr, nullptr), S_OK) << c.name;
        EXPECT_EQ(status, adStatusOK) << c.name;
        std::unique_ptr<CWinThread> worker;
        {
            std::lock_guard lock(state->threadsMutex);
            worker = std::move(state->pFetchThread);
        }
        EXPECT_EQ(worker != nullptr, c.startsWorker) << c.name;
        if (worker) {
            ::WaitForSingleObject(worker->m_hThread, INFINITE);
            // The batch was taken: a second event for it starts nothing.
            EXPECT_TRUE(state->strPendingBatch.IsEmpty());
            EXPECT_EQ(std::string(state->param.strBatch), c.pending);
            EXPECT_EQ(state->param.vRecordsAffected.vt, VT_I4);
            EXPECT_EQ(state->param.vRecordsAffected.lVal, 3);
        }
        sink->Release();
    }
}

TEST(ConnectionEventsSink, DeclinesEveryOtherEventAndAnswersOnlyItsInterfaces)
{
    auto* sink = new CConnectionEvents(std::make_shared<QueryRunState>());
    sink->AddRef();
    EventStatusEnum status = adStatusOK;
    sink->InfoMessage(nullptr, &status, nullptr);
    EXPECT_EQ(status, adStatusUnwantedEvent);
    status = adStatusOK;
    sink->WillExecute(nullptr, nullptr, nullptr, nullptr, &status, nullptr, nullptr, nullptr);
    EXPECT_EQ(status, adStatusUnwantedEvent);
    status = adStatusOK;
    sink->Disconnect(&status, nullptr);
    EXPECT_EQ(status, adStatusUnwantedEvent);
    void* pInterface = nullptr;
    EXPECT_EQ(sink->QueryInterface(IID_ConnectionEvents, &pInterface), S_OK);
    EXPECT_EQ(pInterface, static_cast<ConnectionEvents*>(sink));
    sink->Release();
    EXPECT_EQ(sink->QueryInterface(IID_IDispatch, &pInterface), E_NOINTERFACE);
    EXPECT_EQ(sink->Release(), 0u);
}

}  // namespace
