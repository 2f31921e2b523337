#include "platform/server/LockManager.h"

#include <algorithm>
#include <set>

#include "platform/server/SqlError.h"

namespace tw::server {

int LockManager::Conflict(int spid, const LockResource& resource, LockMode mode) const
{
    for (const LockInfo& l : granted_) {
        if (l.spid == spid || !(l.resource == resource))
            continue;
        if (mode == LockMode::Exclusive || l.mode == LockMode::Exclusive)
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
            if (it->second.mode != LockMode::Exclusive && l.mode != LockMode::Exclusive)
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
            if (mode == LockMode::Exclusive)
                l.mode = LockMode::Exclusive;
            l.transactional = l.transactional || transactional;
            return;
        }
    granted_.push_back({spid, resource, mode, true, transactional});
}

void LockManager::Acquire(int spid, const LockResource& resource, LockMode mode, bool transactional, int timeoutMs,
                          const std::atomic<bool>& cancelled)
{
    std::unique_lock<std::mutex> lock(mutex_);
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        if (!Conflict(spid, resource, mode)) {
            waiting_.erase(spid);
            Grant(spid, resource, mode, transactional);
            return;
        }
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
        const auto waited = std::chrono::steady_clock::now() - start;
        if (timeoutMs >= 0 && waited >= std::chrono::milliseconds(timeoutMs)) {
            waiting_.erase(spid);
            throw SqlError(1222, 16, "Lock request time out period exceeded.", SqlError::Scope::Statement, 51);
        }
        // Short slices so that a cancel or KILL is seen promptly.
        changed_.wait_for(lock, std::chrono::milliseconds(10));
    }
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
        if (l.spid != spid && l.resource == it->second.resource &&
            (l.mode == LockMode::Exclusive || it->second.mode == LockMode::Exclusive))
            wait->blocker = l.spid;
    return true;
}

} // namespace tw::server
