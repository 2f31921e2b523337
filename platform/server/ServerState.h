// What the server shares between its sessions: the database list, the data
// folder and the registry of live sessions (for sysprocesses, KILL).
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/server/LockManager.h"

struct sqlite3;

namespace tw::server {

class SessionState;

struct DatabaseInfo {
    std::string name;
    int dbid = 0;
    std::string path;       // SQLite file name or URI
    std::string crdate;
    int cmptlevel = 80;
    bool offline = false;
};

class ServerState : public std::enable_shared_from_this<ServerState> {
public:
    explicit ServerState(std::string dataDir);
    ~ServerState();

    const std::string& DataDir() const { return dataDir_; }

    // Databases, copied so that callers need not hold the lock.
    std::vector<DatabaseInfo> Databases() const;
    bool FindDatabase(const std::string& name, DatabaseInfo* info) const;
    bool FindDatabase(int dbid, DatabaseInfo* info) const;
    void AddDatabase(const DatabaseInfo& info);
    void RemoveDatabase(const std::string& name);
    void SetOffline(const std::string& name, bool offline);

    int RegisterSession(SessionState* session);
    void UnregisterSession(int spid);
    // Calls `visit` for every live session under the registry lock.
    template <typename F> void ForEachSession(F visit) const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (SessionState* s : sessions_)
            visit(*s);
    }
    SessionState* LockSession(int spid, std::unique_lock<std::mutex>& lock) const;

    LockManager locks;
    // sp_configure 'show advanced options': as set, and as RECONFIGURE installed it.
    std::atomic<int> showAdvancedConfigured{0};
    std::atomic<int> showAdvancedRunning{0};

    // Keeps the in-memory tempdb alive while the server lives.
    sqlite3* tempdbKeeper = nullptr;
    std::string startTime;

private:
    std::string dataDir_;
    mutable std::mutex mutex_;
    std::vector<DatabaseInfo> databases_;
    std::vector<SessionState*> sessions_;
};

} // namespace tw::server
