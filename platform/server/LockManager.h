// The server's own locks, above SQLite, with SQL Server's rules: shared,
// exclusive and intent locks on databases, tables and rows, exclusive locks
// held to the end of the transaction, waits bounded by the lock time-out and
// cancel, and deadlock detection that ends the requester with error 1205.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tw::server {

enum class LockMode { Shared, Exclusive, IntentShared, IntentExclusive };

// A database (objectId 0), a table (rowId 0) or one row of a table. A row of
// a table with a clustered index is a key, of a heap a row id (display only).
struct LockResource {
    int dbid = 0;
    int64_t objectId = 0;
    int64_t rowId = 0;
    bool keyed = false;
    bool operator==(const LockResource& o) const
    {
        return dbid == o.dbid && objectId == o.objectId && rowId == o.rowId;
    }
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
    static bool Compatible(LockMode held, LockMode requested);
    static LockMode Combined(LockMode held, LockMode requested);

    // Waits until the lock is granted. Throws SqlError 1222 when `timeoutMs`
    // (-1: no limit) passes, 1205 when waiting would deadlock, and the cancel
    // error when `cancelled` is raised meanwhile.
    void Acquire(int spid, const LockResource& resource, LockMode mode, bool transactional, int timeoutMs,
                 const std::atomic<bool>& cancelled);
    // Waits, as Acquire does, until a shared lock on the row could be had,
    // without keeping one (a read under READ COMMITTED). True when it waited.
    bool AwaitRow(int spid, const LockResource& row, int timeoutMs, const std::atomic<bool>& cancelled);
    // Exclusive locks, to the end of the transaction, on rows the session has
    // just changed. They never wait: a writer holds its database's write lock
    // and its table's intent lock first.
    void GrantRows(int spid, const std::vector<LockResource>& rows);
    // Takes the table exclusively in place of the session's row locks in it,
    // when that needs no wait; false otherwise.
    bool TryEscalate(int spid, const LockResource& table);
    // Whether sessions other than `spid` hold exclusive row locks in the table.
    bool OthersHoldRows(int spid, int dbid, int64_t objectId) const;

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
    struct ResourceHash {
        size_t operator()(const LockResource& r) const
        {
            return std::hash<int64_t>()(r.objectId * 1000003 + r.rowId) ^ std::hash<int>()(r.dbid);
        }
    };
    struct Holder {
        LockInfo info;
        uint64_t sequence; // grant order, the order Locks() lists them in
    };
    using TableKey = std::pair<int, int64_t>;
    // The spid holding a lock that conflicts with the request, or 0.
    int Conflict(int spid, const LockResource& resource, LockMode mode) const;
    bool WouldDeadlock(int spid) const;
    // Waits with `lock` held until the request has no conflict.
    bool WaitForNoConflict(std::unique_lock<std::mutex>& lock, int spid, const LockResource& resource, LockMode mode,
                           int timeoutMs, const std::atomic<bool>& cancelled);
    void Grant(int spid, const LockResource& resource, LockMode mode, bool transactional);
    Holder* Find(int spid, const LockResource& resource);
    void Remove(int spid, const LockResource& resource);
    void CountRow(const LockInfo& l, int64_t delta);

    // Every lookup is by resource or by session, so that a transaction
    // holding many row locks costs each statement no more than a few.
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::unordered_map<LockResource, std::vector<Holder>, ResourceHash> byResource_;
    std::unordered_map<int, std::unordered_set<LockResource, ResourceHash>> bySession_;
    std::unordered_map<int, std::vector<LockResource>> statementLocks_; // granted without `transactional`
    std::map<TableKey, std::map<int, int64_t>> exclusiveRows_;          // per table, per spid
    uint64_t sequence_ = 0;
    std::map<int, Waiter> waiting_;
};

} // namespace tw::server
