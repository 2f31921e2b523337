#include "platform/win32/kernel/Sync.h"

#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win32/kernel/Threads.h"

namespace tw {
namespace sync_detail {

class EventObject : public KernelObject {
public:
    EventObject(bool manual, bool signaled) : manualReset(manual), signaled(signaled) {}
    bool IsWaitable() const override { return true; }
    bool IsSignaled(DWORD) const override { return signaled; }
    bool Acquire(DWORD) override
    {
        if (!manualReset)
            signaled = false;
        return false;
    }

    const bool manualReset;
    bool signaled;  // guarded by the wait lock
};

class MutexObject : public KernelObject, public std::enable_shared_from_this<MutexObject> {
public:
    bool IsWaitable() const override { return true; }
    bool IsSignaled(DWORD threadId) const override { return owner == 0 || owner == threadId; }
    bool Acquire(DWORD threadId) override;

    // Guarded by the wait lock.
    DWORD owner = 0;
    unsigned recursion = 0;
    bool abandoned = false;
};

// The mutexes a thread owns; when the thread ends they are abandoned, so the
// next waiter gets WAIT_ABANDONED instead of waiting for ever.
struct OwnedMutexes {
    std::vector<std::weak_ptr<MutexObject>> mutexes;
    ~OwnedMutexes() { Abandon(); }
    void Abandon()
    {
        if (mutexes.empty())
            return;
        const DWORD self = GetCurrentThreadId();
        ChangeSignalState([&] {
            for (auto& weak : mutexes) {
                auto mutex = weak.lock();
                if (!mutex || mutex->owner != self)
                    continue;
                mutex->owner = 0;
                mutex->recursion = 0;
                mutex->abandoned = true;
            }
        });
        mutexes.clear();
    }
};

thread_local OwnedMutexes t_ownedMutexes;

bool MutexObject::Acquire(DWORD threadId)
{
    if (owner == threadId) {
        ++recursion;
        return false;
    }
    owner = threadId;
    recursion = 1;
    auto& owned = t_ownedMutexes.mutexes;
    std::erase_if(owned, [&](const std::weak_ptr<MutexObject>& weak) {
        auto mutex = weak.lock();
        return !mutex || mutex->owner != threadId;
    });
    owned.push_back(weak_from_this());
    const bool wasAbandoned = abandoned;
    abandoned = false;
    return wasAbandoned;
}

struct NamedObjects {
    std::mutex mutex;
    std::unordered_map<std::string, std::weak_ptr<KernelObject>> byName;
};

NamedObjects& Names()
{
    static auto* names = new NamedObjects;  // outlives threads still running at exit
    return *names;
}

// Finds or creates a named object of type T. Sets ERROR_ALREADY_EXISTS when
// the name was taken by an object of the same type; fails with
// ERROR_INVALID_HANDLE when it is taken by another type.
template <class T, class Make>
HANDLE CreateNamed(LPCSTR name, Make make)
{
    if (!name || !*name) {
        SetLastError(ERROR_SUCCESS);
        return InsertKernelObject(make());
    }
    auto& names = Names();
    std::lock_guard lock(names.mutex);
    auto& slot = names.byName[name];
    if (auto existing = slot.lock()) {
        if (!std::dynamic_pointer_cast<T>(existing)) {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        SetLastError(ERROR_ALREADY_EXISTS);
        return InsertKernelObject(existing);
    }
    std::shared_ptr<KernelObject> created = make();
    slot = created;
    SetLastError(ERROR_SUCCESS);
    return InsertKernelObject(created);
}

template <class T>
std::shared_ptr<T> OpenNamed(LPCSTR name)
{
    if (!name)
        return nullptr;
    auto& names = Names();
    std::lock_guard lock(names.mutex);
    auto it = names.byName.find(name);
    if (it == names.byName.end())
        return nullptr;
    return std::dynamic_pointer_cast<T>(it->second.lock());
}

bool SetEventState(HANDLE hEvent, bool signaled)
{
    auto event = LookupKernelObjectAs<EventObject>(hEvent);
    if (!event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    ChangeSignalState([&] { event->signaled = signaled; });
    return true;
}

}  // namespace sync_detail

void AbandonOwnedMutexes()
{
    sync_detail::t_ownedMutexes.Abandon();
}

}  // namespace tw

using tw::sync_detail::EventObject;
using tw::sync_detail::MutexObject;

HANDLE CreateEvent(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName)
{
    return tw::sync_detail::CreateNamed<EventObject>(
        lpName, [&] { return std::make_shared<EventObject>(bManualReset != FALSE, bInitialState != FALSE); });
}

HANDLE OpenEvent(DWORD, BOOL, LPCSTR lpName)
{
    auto event = tw::sync_detail::OpenNamed<EventObject>(lpName);
    if (!event) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    return tw::InsertKernelObject(event);
}

BOOL SetEvent(HANDLE hEvent)
{
    return tw::sync_detail::SetEventState(hEvent, true) ? TRUE : FALSE;
}

BOOL ResetEvent(HANDLE hEvent)
{
    return tw::sync_detail::SetEventState(hEvent, false) ? TRUE : FALSE;
}

HANDLE CreateMutex(LPSECURITY_ATTRIBUTES, BOOL bInitialOwner, LPCSTR lpName)
{
    std::shared_ptr<MutexObject> created;
    HANDLE handle = tw::sync_detail::CreateNamed<MutexObject>(lpName, [&] {
        created = std::make_shared<MutexObject>();
        return created;
    });
    // Only the creator of a new mutex takes the initial ownership.
    if (handle && created && bInitialOwner) {
        const DWORD lastError = GetLastError();
        tw::ChangeSignalState([&] { created->Acquire(GetCurrentThreadId()); });
        SetLastError(lastError);
    }
    return handle;
}

BOOL ReleaseMutex(HANDLE hMutex)
{
    auto mutex = tw::LookupKernelObjectAs<MutexObject>(hMutex);
    if (!mutex) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    bool released = false;
    const DWORD self = GetCurrentThreadId();
    tw::ChangeSignalState([&] {
        if (mutex->owner != self)
            return;
        released = true;
        if (--mutex->recursion == 0)
            mutex->owner = 0;
    });
    if (!released) {
        SetLastError(ERROR_NOT_OWNER);
        return FALSE;
    }
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    return tw::WaitForKernelObjects(1, &hHandle, false, dwMilliseconds);
}

DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds)
{
    if (nCount == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    return tw::WaitForKernelObjects(nCount, lpHandles, bWaitAll != FALSE, dwMilliseconds);
}

void InitializeCriticalSection(LPCRITICAL_SECTION cs)
{
    cs->impl = new std::recursive_mutex;
}

void EnterCriticalSection(LPCRITICAL_SECTION cs)
{
    static_cast<std::recursive_mutex*>(cs->impl)->lock();
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION cs)
{
    return static_cast<std::recursive_mutex*>(cs->impl)->try_lock() ? TRUE : FALSE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION cs)
{
    static_cast<std::recursive_mutex*>(cs->impl)->unlock();
}

void DeleteCriticalSection(LPCRITICAL_SECTION cs)
{
    delete static_cast<std::recursive_mutex*>(cs->impl);
    cs->impl = nullptr;
}

LONG InterlockedIncrement(LONG volatile* addend)
{
    return __atomic_add_fetch(addend, 1, __ATOMIC_SEQ_CST);
}

LONG InterlockedDecrement(LONG volatile* addend)
{
    return __atomic_sub_fetch(addend, 1, __ATOMIC_SEQ_CST);
}

LONG InterlockedExchange(LONG volatile* target, LONG value)
{
    return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}

LONG InterlockedExchangeAdd(LONG volatile* addend, LONG value)
{
    return __atomic_fetch_add(addend, value, __ATOMIC_SEQ_CST);
}

LONG InterlockedCompareExchange(LONG volatile* destination, LONG exchange, LONG comparand)
{
    __atomic_compare_exchange_n(destination, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
    return comparand;
}

PVOID InterlockedExchangePointer(PVOID volatile* target, PVOID value)
{
    return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}

PVOID InterlockedCompareExchangePointer(PVOID volatile* destination, PVOID exchange, PVOID comparand)
{
    __atomic_compare_exchange_n(destination, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
    return comparand;
}
