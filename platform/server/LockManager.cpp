#include "platform/server/LockManager.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "platform/server/SqlError.h"

namespace tw::server {

bool LockManager::Compatible(LockMode held, LockMode requested)
{
    auto index = [](LockMode m) { return static_cast<int>(m); };
    // Rows: Shared, Exclusive, IntentShared, IntentExclusive.
    static const bool table[4][4] = {
        {true, false, true, false},  // Shared held
        {false, false, false, false}, // Exclusive held
        {true, false, true, true},   // IntentShared held
        {false, false, true, true},  // IntentExclusive held
    };
    return table[index(held)][index(requested)];
}

// The one mode that covers both; shared with intent-exclusive has no mode of
// its own here and becomes exclusive.
LockMode LockManager::Combined(LockMode held, LockMode requested)
{
    if (held == requested)
        return held;
    if (held == LockMode::Exclusive || requested == LockMode::Exclusive)
        return LockMode::Exclusive;
    const bool shared = held == LockMode::Shared || requested == LockMode::Shared;
    const bool intentExclusive = held == LockMode::IntentExclusive || requested == LockMode::IntentExclusive;
    if (shared && intentExclusive)
        return LockMode::Exclusive;
    return shared ? LockMode::Shared : LockMode::IntentExclusive;
}

int LockManager::Conflict(int spid, const LockResource& resource, LockMode mode) const
{
    for (const LockInfo& l : granted_) {
        if (l.spid == spid || !(l.resource == resource))
            continue;
        if (!Compatible(l.mode, mode))
            return l.spid;
    }
    return 0;
}

bool LockManager::WouldDeadlock(int spid) const
{
    // Follows who waits for whom from `spid`; coming back to it is a cycle.
    std::set<int> seen;
    std::vector<int> frontier{spid};
    while (!frontier.empty()) {
        const int current = frontier.back();
        frontier.pop_back();
        auto it = waiting_.find(current);
        if (it == waiting_.end())
            continue;
        for (const LockInfo& l : granted_) {
            if (l.spid == current || !(l.resource == it->second.resource))
                continue;
            if (Compatible(l.mode, it->second.mode))
                continue;
            if (l.spid == spid)
                return true;
            if (seen.insert(l.spid).second)
                frontier.push_back(l.spid);
        }
    }
    return false;
}

void LockManager::Grant(int spid, const LockResource& resource, LockMode mode, bool transactional)
{
    for (LockInfo& l : granted_)
        if (l.spid == spid && l.resource == resource) {
            l.mode = Combined(l.mode, mode);
            l.transactional = l.transactional || transactional;
            return;
        }
    granted_.push_back({spid, resource, mode, true, transactional});
}

bool LockManager::WaitForNoConflict(std::unique_lock<std::mutex>& lock, int spid, const LockResource& resource,
                                    LockMode mode, int timeoutMs, const std::atomic<bool>& cancelled)
{
    const auto start = std::chrono::steady_clock::now();
    bool waited = false;
    for (;;) {
        if (!Conflict(spid, resource, mode)) {
            waiting_.erase(spid);
            return waited;
        }
        waited = true;
        waiting_[spid] = Waiter{resource, mode, start};
        if (WouldDeadlock(spid)) {
            waiting_.erase(spid);
            changed_.notify_all();
            throw SqlError(1205, 13, "Transaction (Process ID " + std::to_string(spid) +
                                         ") was deadlocked on lock resources with another process and has been chosen "
                                         "as the deadlock victim. Rerun the transaction.",
                           SqlError::Scope::Batch, 51);
        }
        if (cancelled) {
            waiting_.erase(spid);
            throw SqlError(0, 0, "Query was cancelled by user.", SqlError::Scope::Batch);
        }
        const auto elapsed = std::chrono::steady_clock::now() - start;
        if (timeoutMs >= 0 && elapsed >= std::chrono::milliseconds(timeoutMs)) {
            waiting_.erase(spid);
            throw SqlError(1222, 16, "Lock request time out period exceeded.", SqlError::Scope::Statement, 51);
        }
        // Short slices so that a cancel or KILL is seen promptly.
        changed_.wait_for(lock, std::chrono::milliseconds(10));
    }
}

void LockManager::Acquire(int spid, const LockResource& resource, LockMode mode, bool transactional, int timeoutMs,
                          const std::atomic<bool>& cancelled)
{
    std::unique_lock<std::mutex> lock(mutex_);
    WaitForNoConflict(lock, spid, resource, mode, timeoutMs, cancelled);
    Grant(spid, resource, mode, transactional);
}

bool LockManager::AwaitRow(int spid, const LockResource& row, int timeoutMs, const std::atomic<bool>& cancelled)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return WaitForNoConflict(lock, spid, row, LockMode::Shared, timeoutMs, cancelled);
}

void LockManager::GrantRows(int spid, const std::vector<LockResource>& rows)
{
    std::lock_guard<std::mutex> lock(mutex_);
    // Rows already held (or covered by a held table) are not granted twice.
    std::set<std::tuple<int, int64_t, int64_t>> held;
    for (const LockInfo& l : granted_)
        if (l.spid == spid && (l.resource.rowId != 0 || l.mode == LockMode::Exclusive))
            held.insert({l.resource.dbid, l.resource.objectId, l.resource.rowId});
    for (const LockResource& row : rows) {
        if (held.count({row.dbid, row.objectId, 0}) || !held.insert({row.dbid, row.objectId, row.rowId}).second)
            continue;
        granted_.push_back({spid, row, LockMode::Exclusive, true, true});
    }
}

bool LockManager::TryEscalate(int spid, const LockResource& table)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (Conflict(spid, table, LockMode::Exclusive))
        return false;
    granted_.erase(std::remove_if(granted_.begin(), granted_.end(),
                                  [&](const LockInfo& l) {
                                      return l.spid == spid && l.resource.dbid == table.dbid &&
                                             l.resource.objectId == table.objectId && l.resource.rowId != 0;
                                  }),
                   granted_.end());
    Grant(spid, table, LockMode::Exclusive, true);
    return true;
}

bool LockManager::OthersHoldRows(int spid, int dbid, int64_t objectId) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const LockInfo& l : granted_)
        if (l.spid != spid && l.resource.dbid == dbid && l.resource.objectId == objectId && l.resource.rowId != 0 &&
            l.mode == LockMode::Exclusive)
            return true;
    return false;
}

void LockManager::ReleaseStatementLocks(int spid)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto before = granted_.size();
    granted_.erase(std::remove_if(granted_.begin(), granted_.end(),
                                  [&](const LockInfo& l) { return l.spid == spid && !l.transactional; }),
                   granted_.end());
    if (granted_.size() != before)
        changed_.notify_all();
}

void LockManager::ReleaseAll(int spid)
{
    std::lock_guard<std::mutex> lock(mutex_);
    granted_.erase(std::remove_if(granted_.begin(), granted_.end(), [&](const LockInfo& l) { return l.spid == spid; }),
                   granted_.end());
    waiting_.erase(spid);
    changed_.notify_all();
}

std::vector<LockInfo> LockManager::Locks() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<LockInfo> all = granted_;
    for (const auto& [spid, w] : waiting_)
        all.push_back({spid, w.resource, w.mode, false, false});
    return all;
}

bool LockManager::Waiting(int spid, LockWait* wait) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = waiting_.find(spid);
    if (it == waiting_.end())
        return false;
    wait->resource = it->second.resource;
    wait->mode = it->second.mode;
    wait->waitedMs = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                           it->second.since).count();
    wait->blocker = 0;
    for (const LockInfo& l : granted_)
        if (l.spid != spid && l.resource == it->second.resource && !Compatible(l.mode, it->second.mode)) {
            wait->blocker = l.spid;
            wait->resource.keyed = l.resource.keyed; // a waiting read does not know what kind of row it met
        }
    return true;
}

} // namespace tw::server
