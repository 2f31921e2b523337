#include "platform/server/Session.h"

#include <sqlite3.h>

#include "platform/server/Catalog.h"
#include "platform/server/Executor.h"
#include "platform/server/Server.h"
#include "platform/server/ServerState.h"
#include "platform/server/SessionState.h"

namespace tw::server {

Session::Session(std::unique_ptr<SessionState> state) : state_(std::move(state)) {}

Session::~Session()
{
    state_->server->UnregisterSession(state_->spid);
    if (state_->tranCount > 0)
        sqlite3_exec(state_->db, "ROLLBACK", nullptr, nullptr, nullptr);
    state_->server->locks.ReleaseAll(state_->spid);
    sqlite3_close_v2(state_->db);
}

bool Session::Execute(std::string_view batch, ResultSink& sink)
{
    SessionState& s = *state_;
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
    s.cancelled = false;
    s.running = true;
    s.SetInfo(&SessionState::lastBatch, std::string(batch));
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
    s.running = false;
    return ok;
}

void Session::Cancel()
{
    state_->cancelled = true;
    sqlite3_interrupt(state_->db);
}

int Session::Spid() const { return state_->spid; }
std::string Session::CurrentDatabase() const { return state_->Info(&SessionState::databaseShown); }
int Session::TranCount() const { return state_->tranCount; }
std::string Session::Login() const { return state_->login; }
bool Session::IsKilled() const { return state_->killed; }

} // namespace tw::server
