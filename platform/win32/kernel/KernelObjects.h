// The kernel-object table behind HANDLE: events, mutexes, threads, processes,
// files and find handles share one table, one CloseHandle and one wait
// machinery. Last-error is per thread.
#pragma once

#include <functional>
#include <memory>

#include "platform/win32/windef.h"
#include "platform/win32/winerror.h"

#define INFINITE 0xFFFFFFFF
#define WAIT_OBJECT_0 0x00000000L
#define WAIT_ABANDONED 0x00000080L
#define WAIT_ABANDONED_0 0x00000080L
#define WAIT_FAILED ((DWORD)0xFFFFFFFF)
#define STATUS_WAIT_0 ((DWORD)0x00000000L)
#define STILL_ACTIVE 259L
#define MAXIMUM_WAIT_OBJECTS 64

typedef struct _SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

DWORD GetLastError();
void SetLastError(DWORD dwErrCode);
BOOL CloseHandle(HANDLE hObject);

namespace tw {

// Everything a HANDLE can name. Waitable objects answer IsSignaled and
// Acquire under the table's wait lock.
class KernelObject {
public:
    virtual ~KernelObject() = default;
    virtual bool IsWaitable() const { return false; }
    // Called with the wait lock held.
    virtual bool IsSignaled(DWORD /*threadId*/) const { return false; }
    // Called with the wait lock held once a wait is satisfied; returns true
    // when the object had been abandoned (a mutex whose owner ended).
    virtual bool Acquire(DWORD /*threadId*/) { return false; }
};

// Puts an object into the table and returns its new handle.
HANDLE InsertKernelObject(std::shared_ptr<KernelObject> object);
// The object behind a handle, or null (pseudo handles are resolved by callers).
std::shared_ptr<KernelObject> LookupKernelObject(HANDLE handle);

template <class T>
std::shared_ptr<T> LookupKernelObjectAs(HANDLE handle)
{
    return std::dynamic_pointer_cast<T>(LookupKernelObject(handle));
}

// Runs fn with the wait lock held, then wakes every waiter: the way every
// change of a signal state is made.
void ChangeSignalState(const std::function<void()>& fn);
// Runs fn with the wait lock held without waking anyone.
void WithWaitLock(const std::function<void()>& fn);

// The general wait. Waits on the kernel objects and, when given, on an extra
// wake-up source: extraReady is polled under the wait lock and, when it turns
// true, the wait returns WAIT_OBJECT_0 + count. The source that makes it true
// calls WakeKernelWaiters. The window layer builds MsgWaitForMultipleObjects
// on this with its message queue as the extra source.
// Gives up the mutexes the calling thread owns, marking them abandoned; a
// thread calls it as it ends, before its handle is signalled.
void AbandonOwnedMutexes();

DWORD WaitForKernelObjects(DWORD count, const HANDLE* handles, bool waitAll, DWORD timeoutMs,
                           const std::function<bool()>& extraReady = {});
void WakeKernelWaiters();

}  // namespace tw
