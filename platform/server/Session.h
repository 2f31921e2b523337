// One connection to the embedded server: a spid with its login, current
// database, SET options and transaction. Execute runs a batch and streams its
// results; Cancel may be called from any other thread.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/server/ResultSink.h"

namespace tw::server {

class SessionState;

class Session {
public:
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Runs a T-SQL batch; everything it produces goes to `sink` in order.
    // Returns false when the batch raised an error (severity above 10).
    bool Execute(std::string_view batch, ResultSink& sink);

    // Interrupts the running batch (from another thread); the batch ends with
    // the message "Query was cancelled by user." and the session stays usable.
    // A batch whose Execute has been called but has not started yet is cancelled
    // as it starts; with no batch running or starting, Cancel does nothing.
    void Cancel();
    // True from the call of Execute until it returns.
    bool IsExecuting() const;

    int Spid() const;
    std::string CurrentDatabase() const;
    int TranCount() const;
    std::string Login() const;
    bool IsKilled() const;

private:
    friend class Server;
    explicit Session(std::unique_ptr<SessionState> state);
    std::unique_ptr<SessionState> state_;
};

} // namespace tw::server
