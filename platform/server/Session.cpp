#include "platform/server/Session.h"

#include <sqlite3.h>

#include "platform/server/BatchRecorder.h"
#include "platform/server/Catalog.h"
#include "platform/server/Executor.h"
#include "platform/server/Logins.h"
#include "platform/server/SqliteStatement.h"
#include "platform/server/Server.h"
#include "platform/server/ServerState.h"
#include "platform/server/SessionState.h"

namespace tw::server {

Session::Session(std::unique_ptr<SessionState> state) : state_(std::move(state))
{
    // sqlite3_interrupt only reaches a statement already stepping; a Cancel
    // that lands while the next one is being prepared is caught here instead.
    sqlite3_progress_handler(
        state_->db, 1000, [](void* session) { return static_cast<SessionState*>(session)->cancelled.load() ? 1 : 0; },
        state_.get());
}

Session::~Session()
{
    state_->server->UnregisterSession(state_->spid);
    if (state_->tranCount > 0)
        sqlite3_exec(state_->db, "ROLLBACK", nullptr, nullptr, nullptr);
    state_->server->locks.ReleaseAll(state_->spid);
    SqliteStatement::Close(state_->db);
}

namespace session_detail {

// Counts the batch as starting from the call of Execute until it runs, so that
// a Cancel in between is kept for it.
class StartingBatch {
public:
    explicit StartingBatch(SessionState& s) : s_(s)
    {
        std::lock_guard lock(s_.cancelMutex);
        ++s_.startingBatches;
    }
    ~StartingBatch()
    {
        if (!started_)
            Leave();
    }
    StartingBatch(const StartingBatch&) = delete;
    StartingBatch& operator=(const StartingBatch&) = delete;

    // Marks the batch running, taking any Cancel that came while it was starting.
    void Start()
    {
        std::lock_guard lock(s_.cancelMutex);
        --s_.startingBatches;
        started_ = true;
        s_.cancelled = s_.cancelPending;
        s_.cancelPending = false;
        s_.running = true;
    }

private:
    void Leave()
    {
        std::lock_guard lock(s_.cancelMutex);
        if (--s_.startingBatches == 0)
            s_.cancelPending = false;
    }
    SessionState& s_;
    bool started_ = false;
};

} // namespace session_detail

bool Session::Execute(std::string_view batch, ResultSink& sink)
{
    SessionState& s = *state_;
    if (s.fromClient && BatchRecorder::Active())
        BatchRecorder::Note({s.spid, s.login, s.program, s.Info(&SessionState::databaseShown), std::string(batch)});
    session_detail::StartingBatch starting(s);
    if (s.killed) {
        Message m;
        m.number = 0;
        m.severity = 20;
        m.server = Server::kServerName;
        m.text = "A severe error occurred on the current command. The results, if any, should be discarded.";
        sink.MessageReceived(m);
        return false;
    }
    std::lock_guard<std::mutex> running(s.executeMutex);
    starting.Start();
    s.SetInfo(&SessionState::lastBatch, Logins::Shown(batch));
    s.SetInfo(&SessionState::lastBatchTime, Catalog::Now());
    s.SetInfo(&SessionState::status, "runnable");
    s.SetInfo(&SessionState::command, "SELECT");
    s.frames.assign(1, {});
    Executor executor(s, sink);
    bool ok = executor.RunBatch(batch);
    if (s.killed && s.tranCount > 0) {
        sqlite3_exec(s.db, "ROLLBACK", nullptr, nullptr, nullptr);
        s.tranCount = 0;
    }
    if (s.tranCount == 0)
        s.server->locks.ReleaseAll(s.spid);
    else
        s.server->locks.ReleaseStatementLocks(s.spid);
    s.SetInfo(&SessionState::status, "sleeping");
    s.SetInfo(&SessionState::command, "AWAITING COMMAND");
    {
        // A Cancel after this point finds no batch and must not reach the next one.
        std::lock_guard lock(s.cancelMutex);
        s.running = false;
        s.cancelled = false;
    }
    return ok;
}

void Session::Cancel()
{
    SessionState& s = *state_;
    std::lock_guard lock(s.cancelMutex);
    if (s.running) {
        s.cancelled = true;
        sqlite3_interrupt(s.db);
        return;
    }
    if (s.startingBatches > 0)
        s.cancelPending = true;
}

bool Session::IsExecuting() const
{
    std::lock_guard lock(state_->cancelMutex);
    return state_->running || state_->startingBatches > 0;
}

int Session::Spid() const { return state_->spid; }
std::string Session::CurrentDatabase() const { return state_->Info(&SessionState::databaseShown); }
int Session::TranCount() const { return state_->tranCount; }
std::string Session::Login() const { return state_->login; }
bool Session::IsKilled() const { return state_->killed; }

} // namespace tw::server
