// The server's own locks on tables, above SQLite, with SQL Server's rules:
// shared and exclusive modes, exclusive locks held to the end of the
// transaction, waits bounded by the lock time-out and cancel, and deadlock
// detection that ends the requester with error 1205.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace tw::server {

enum class LockMode { Shared, Exclusive };

struct LockResource {
    int dbid = 0;
    int64_t objectId = 0;
    bool operator==(const LockResource& o) const { return dbid == o.dbid && objectId == o.objectId; }
};

struct LockInfo {
    int spid;
    LockResource resource;
    LockMode mode;
    bool granted;
    bool transactional;
};

struct LockWait {
    int blocker = 0;
    LockResource resource;
    LockMode mode = LockMode::Shared;
    int64_t waitedMs = 0;
};

class LockManager {
public:
    // Waits until the lock is granted. Throws SqlError 1222 when `timeoutMs`
    // (-1: no limit) passes, 1205 when waiting would deadlock, and the cancel
    // error when `cancelled` is raised meanwhile.
    void Acquire(int spid, const LockResource& resource, LockMode mode, bool transactional, int timeoutMs,
                 const std::atomic<bool>& cancelled);
    // Statement locks go at the end of each statement, all locks at the end of the transaction.
    void ReleaseStatementLocks(int spid);
    void ReleaseAll(int spid);

    std::vector<LockInfo> Locks() const;
    bool Waiting(int spid, LockWait* wait) const;

private:
    struct Waiter {
        LockResource resource;
        LockMode mode;
        std::chrono::steady_clock::time_point since;
    };
    // The spid holding a lock that conflicts with the request, or 0.
    int Conflict(int spid, const LockResource& resource, LockMode mode) const;
    bool WouldDeadlock(int spid) const;
    void Grant(int spid, const LockResource& resource, LockMode mode, bool transactional);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<LockInfo> granted_;
    std::map<int, Waiter> waiting_;
};

} // namespace tw::server
