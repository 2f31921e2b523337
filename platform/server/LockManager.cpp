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
    const auto it = byResource_.find(resource);
    if (it == byResource_.end())
        return 0;
    for (const Holder& h : it->second)
        if (h.info.spid != spid && !Compatible(h.info.mode, mode))
            return h.info.spid;
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
        const auto holders = byResource_.find(it->second.resource);
        if (holders == byResource_.end())
            continue;
        for (const Holder& h : holders->second) {
            if (h.info.spid == current || Compatible(h.info.mode, it->second.mode))
                continue;
            if (h.info.spid == spid)
                return true;
            if (seen.insert(h.info.spid).second)
                frontier.push_back(h.info.spid);
        }
    }
    return false;
}

LockManager::Holder* LockManager::Find(int spid, const LockResource& resource)
{
    const auto it = byResource_.find(resource);
    if (it == byResource_.end())
        return nullptr;
    for (Holder& h : it->second)
        if (h.info.spid == spid)
            return &h;
    return nullptr;
}

// Exclusive row locks are counted per table, for OthersHoldRows.
void LockManager::CountRow(const LockInfo& l, int64_t delta)
{
    if (l.resource.rowId == 0 || l.mode != LockMode::Exclusive)
        return;
    auto table = exclusiveRows_.find({l.resource.dbid, l.resource.objectId});
    if (table == exclusiveRows_.end())
        table = exclusiveRows_.emplace(TableKey{l.resource.dbid, l.resource.objectId}, std::map<int, int64_t>{}).first;
    if ((table->second[l.spid] += delta) <= 0)
        table->second.erase(l.spid);
    if (table->second.empty())
        exclusiveRows_.erase(table);
}

void LockManager::Grant(int spid, const LockResource& resource, LockMode mode, bool transactional)
{
    if (Holder* h = Find(spid, resource)) {
        CountRow(h->info, -1);
        h->info.mode = Combined(h->info.mode, mode);
        h->info.transactional = h->info.transactional || transactional;
        CountRow(h->info, 1);
        return;
    }
    const LockInfo info{spid, resource, mode, true, transactional};
    byResource_[resource].push_back({info, ++sequence_});
    bySession_[spid].insert(resource);
    if (!transactional)
        statementLocks_[spid].push_back(resource);
    CountRow(info, 1);
}

void LockManager::Remove(int spid, const LockResource& resource)
{
    const auto it = byResource_.find(resource);
    if (it == byResource_.end())
        return;
    std::vector<Holder>& holders = it->second;
    for (size_t i = 0; i < holders.size(); ++i)
        if (holders[i].info.spid == spid) {
            CountRow(holders[i].info, -1);
            holders.erase(holders.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    if (holders.empty())
        byResource_.erase(it);
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
    for (const LockResource& row : rows) {
        // Rows already held, or covered by the table held exclusively, are not granted twice.
        const Holder* table = Find(spid, LockResource{row.dbid, row.objectId});
        if ((table && table->info.mode == LockMode::Exclusive) || Find(spid, row))
            continue;
        Grant(spid, row, LockMode::Exclusive, true);
    }
}

bool LockManager::TryEscalate(int spid, const LockResource& table)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (Conflict(spid, table, LockMode::Exclusive))
        return false;
    auto held = bySession_.find(spid);
    if (held != bySession_.end()) {
        for (auto it = held->second.begin(); it != held->second.end();) {
            if (it->dbid == table.dbid && it->objectId == table.objectId && it->rowId != 0) {
                Remove(spid, *it);
                it = held->second.erase(it);
            } else {
                ++it;
            }
        }
    }
    Grant(spid, table, LockMode::Exclusive, true);
    return true;
}

bool LockManager::OthersHoldRows(int spid, int dbid, int64_t objectId) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto table = exclusiveRows_.find({dbid, objectId});
    if (table == exclusiveRows_.end())
        return false;
    for (const auto& entry : table->second)
        if (entry.first != spid)
            return true;
    return false;
}

void LockManager::ReleaseStatementLocks(int spid)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto statement = statementLocks_.find(spid);
    if (statement == statementLocks_.end())
        return;
    bool released = false;
    for (const LockResource& resource : statement->second) {
        const Holder* h = Find(spid, resource);
        if (!h || h->info.transactional)
            continue;
        Remove(spid, resource);
        bySession_[spid].erase(resource);
        released = true;
    }
    statementLocks_.erase(statement);
    if (released)
        changed_.notify_all();
}

void LockManager::ReleaseAll(int spid)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto held = bySession_.find(spid);
    if (held != bySession_.end()) {
        for (const LockResource& resource : held->second)
            Remove(spid, resource);
        bySession_.erase(held);
    }
    statementLocks_.erase(spid);
    waiting_.erase(spid);
    changed_.notify_all();
}

std::vector<LockInfo> LockManager::Locks() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<const Holder*> holders;
    for (const auto& entry : byResource_)
        for (const Holder& h : entry.second)
            holders.push_back(&h);
    std::sort(holders.begin(), holders.end(), [](const Holder* a, const Holder* b) { return a->sequence < b->sequence; });
    std::vector<LockInfo> all;
    all.reserve(holders.size() + waiting_.size());
    for (const Holder* h : holders)
        all.push_back(h->info);
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
    const auto holders = byResource_.find(it->second.resource);
    if (holders == byResource_.end())
        return true;
    for (const Holder& h : holders->second)
        if (h.info.spid != spid && !Compatible(h.info.mode, it->second.mode)) {
            wait->blocker = h.info.spid;
            wait->resource.keyed = h.info.resource.keyed; // a waiting read does not know what kind of row it met
        }
    return true;
}

} // namespace tw::server
