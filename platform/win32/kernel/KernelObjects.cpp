#include "platform/win32/kernel/KernelObjects.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/win32/kernel/Threads.h"

namespace tw {
namespace kobj_detail {

struct HandleTable {
    std::mutex mutex;
    // Handle values are multiples of four from 0x100, as the platform's are,
    // so callers that test the low bits or compare with small numbers behave.
    uintptr_t next = 0x100;
    std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
};

// The tables live as long as the process: detached threads (process
// reapers, threads still running at exit) may touch them during static
// destruction.
HandleTable& Table()
{
    static auto* table = new HandleTable;
    return *table;
}

struct WaitState {
    std::mutex mutex;
    std::condition_variable changed;
};

WaitState& Waits()
{
    static auto* state = new WaitState;
    return *state;
}

thread_local DWORD t_lastError = 0;

bool IsPseudoHandle(HANDLE h)
{
    return h == reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)) ||
           h == reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));
}

}  // namespace kobj_detail

HANDLE InsertKernelObject(std::shared_ptr<KernelObject> object)
{
    auto& table = kobj_detail::Table();
    std::lock_guard lock(table.mutex);
    const uintptr_t value = table.next;
    table.next += 4;
    table.objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> LookupKernelObject(HANDLE handle)
{
    auto& table = kobj_detail::Table();
    std::lock_guard lock(table.mutex);
    auto it = table.objects.find(reinterpret_cast<uintptr_t>(handle));
    if (it == table.objects.end())
        return nullptr;
    return it->second;
}

void ChangeSignalState(const std::function<void()>& fn)
{
    auto& waits = kobj_detail::Waits();
    {
        std::lock_guard lock(waits.mutex);
        fn();
    }
    waits.changed.notify_all();
}

void WithWaitLock(const std::function<void()>& fn)
{
    std::lock_guard lock(kobj_detail::Waits().mutex);
    fn();
}

void WakeKernelWaiters()
{
    auto& waits = kobj_detail::Waits();
    { std::lock_guard lock(waits.mutex); }
    waits.changed.notify_all();
}

namespace kobj_detail {

// Tries to satisfy the wait once; returns the wait result or WAIT_TIMEOUT when
// nothing is ready yet. Called with the wait lock held.
DWORD TrySatisfy(const std::vector<std::shared_ptr<KernelObject>>& objects, bool waitAll, DWORD threadId,
                 const std::function<bool()>& extraReady)
{
    const DWORD count = static_cast<DWORD>(objects.size());
    if (waitAll && count > 0) {
        bool all = true;
        for (const auto& o : objects)
            all = all && o->IsSignaled(threadId);
        if (all) {
            DWORD result = WAIT_OBJECT_0;
            for (DWORD i = 0; i < count; ++i) {
                if (objects[i]->Acquire(threadId) && result == WAIT_OBJECT_0)
                    result = WAIT_ABANDONED_0 + i;
            }
            return result;
        }
    } else {
        for (DWORD i = 0; i < count; ++i) {
            if (objects[i]->IsSignaled(threadId))
                return objects[i]->Acquire(threadId) ? WAIT_ABANDONED_0 + i : WAIT_OBJECT_0 + i;
        }
    }
    if (extraReady && extraReady())
        return WAIT_OBJECT_0 + count;
    return WAIT_TIMEOUT;
}

}  // namespace kobj_detail

DWORD WaitForKernelObjects(DWORD count, const HANDLE* handles, bool waitAll, DWORD timeoutMs,
                           const std::function<bool()>& extraReady)
{
    if (count > MAXIMUM_WAIT_OBJECTS || (count > 0 && !handles)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    std::vector<std::shared_ptr<KernelObject>> objects;
    for (DWORD i = 0; i < count; ++i) {
        auto object = LookupKernelObject(handles[i]);
        if (!object || !object->IsWaitable()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        objects.push_back(std::move(object));
    }
    if (count == 0 && !extraReady) {
        if (timeoutMs == INFINITE) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return WAIT_FAILED;
        }
        Sleep(timeoutMs);
        return WAIT_TIMEOUT;
    }

    const DWORD threadId = GetCurrentThreadId();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    auto& waits = kobj_detail::Waits();
    std::unique_lock lock(waits.mutex);
    for (;;) {
        const DWORD result = kobj_detail::TrySatisfy(objects, waitAll, threadId, extraReady);
        if (result != WAIT_TIMEOUT || timeoutMs == 0)
            return result;
        if (timeoutMs == INFINITE) {
            waits.changed.wait(lock);
        } else if (waits.changed.wait_until(lock, deadline) == std::cv_status::timeout) {
            return kobj_detail::TrySatisfy(objects, waitAll, threadId, extraReady);
        }
    }
}

}  // namespace tw

DWORD GetLastError()
{
    return tw::kobj_detail::t_lastError;
}

void SetLastError(DWORD dwErrCode)
{
    tw::kobj_detail::t_lastError = dwErrCode;
}

BOOL CloseHandle(HANDLE hObject)
{
    if (tw::kobj_detail::IsPseudoHandle(hObject))
        return TRUE;
    std::shared_ptr<tw::KernelObject> released;
    {
        auto& table = tw::kobj_detail::Table();
        std::lock_guard lock(table.mutex);
        auto it = table.objects.find(reinterpret_cast<uintptr_t>(hObject));
        if (it == table.objects.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        // The object is destroyed outside the table lock: a file's destructor
        // may delete its file, a thread's may detach.
        released = std::move(it->second);
        table.objects.erase(it);
    }
    return TRUE;
}
