#include "platform/win32/kernel/Threads.h"

#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace tw {
namespace thread_detail {

std::atomic<DWORD> g_nextThreadId{0x104};
thread_local DWORD t_threadId = 0;

DWORD NewThreadId()
{
    return g_nextThreadId.fetch_add(4);
}

class ThreadObject : public KernelObject {
public:
    explicit ThreadObject(DWORD id) : id(id) {}
    bool IsWaitable() const override { return true; }
    bool IsSignaled(DWORD) const override { return finished; }

    const DWORD id;
    std::atomic<int> priority{THREAD_PRIORITY_NORMAL};
    std::atomic<pid_t> linuxTid{0};
    // Guarded by the wait lock.
    bool finished = false;
    DWORD exitCode = STILL_ACTIVE;

    std::mutex startMutex;
    std::condition_variable startSignal;
    bool startAllowed = false;
};

thread_local std::shared_ptr<ThreadObject> t_self;
// True on threads started by CreateThread or _beginthread.
thread_local bool t_startedHere = false;

struct ThreadExitRequest {
    DWORD code;
};

int NiceFor(int priority)
{
    if (priority <= THREAD_PRIORITY_IDLE)
        return 19;
    if (priority <= THREAD_PRIORITY_LOWEST)
        return 10;
    if (priority == THREAD_PRIORITY_BELOW_NORMAL)
        return 5;
    return 0;
}

void ApplyPriority(const ThreadObject& thread)
{
    const pid_t tid = thread.linuxTid.load();
    if (tid != 0)
        setpriority(PRIO_PROCESS, static_cast<id_t>(tid), NiceFor(thread.priority.load()));
}

std::shared_ptr<ThreadObject> CurrentThreadObject()
{
    if (!t_self) {
        t_self = std::make_shared<ThreadObject>(GetCurrentThreadId());
        t_self->linuxTid = static_cast<pid_t>(syscall(SYS_gettid));
    }
    return t_self;
}

std::shared_ptr<ThreadObject> ResolveThread(HANDLE h)
{
    if (h == GetCurrentThread())
        return CurrentThreadObject();
    return LookupKernelObjectAs<ThreadObject>(h);
}

void Finish(ThreadObject& thread, DWORD code)
{
    ChangeSignalState([&] {
        thread.exitCode = code;
        thread.finished = true;
    });
}

void RunThread(std::shared_ptr<ThreadObject> self, LPTHREAD_START_ROUTINE start, LPVOID param, HANDLE autoClose)
{
    t_threadId = self->id;
    t_self = self;
    t_startedHere = true;
    self->linuxTid = static_cast<pid_t>(syscall(SYS_gettid));
    {
        std::unique_lock lock(self->startMutex);
        self->startSignal.wait(lock, [&] { return self->startAllowed; });
    }
    ApplyPriority(*self);
    DWORD code = 0;
    try {
        code = start(param);
    } catch (const ThreadExitRequest& request) {
        code = request.code;
    }
    AbandonOwnedMutexes();
    Finish(*self, code);
    if (autoClose)
        CloseHandle(autoClose);
}

HANDLE StartThread(LPTHREAD_START_ROUTINE start, LPVOID param, bool suspended, bool closeWhenDone,
                   LPDWORD threadId)
{
    auto object = std::make_shared<ThreadObject>(NewThreadId());
    object->startAllowed = !suspended;
    HANDLE handle = InsertKernelObject(object);
    try {
        std::thread(RunThread, object, start, param, closeWhenDone ? handle : nullptr).detach();
    } catch (const std::system_error&) {
        CloseHandle(handle);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (threadId)
        *threadId = object->id;
    return handle;
}

struct BeginThreadArgs {
    void (*start)(void*);
    void* arg;
};

DWORD WINAPI BeginThreadTrampoline(LPVOID p)
{
    BeginThreadArgs args = *static_cast<BeginThreadArgs*>(p);
    delete static_cast<BeginThreadArgs*>(p);
    args.start(args.arg);
    return 0;
}

}  // namespace thread_detail
}  // namespace tw

using tw::thread_detail::ThreadObject;

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
                    DWORD dwCreationFlags, LPDWORD lpThreadId)
{
    if (!lpStartAddress) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return tw::thread_detail::StartThread(lpStartAddress, lpParameter, (dwCreationFlags & CREATE_SUSPENDED) != 0,
                                          false, lpThreadId);
}

uintptr_t _beginthread(void (*start_address)(void*), unsigned, void* arglist)
{
    if (!start_address)
        return static_cast<uintptr_t>(-1);
    auto* args = new tw::thread_detail::BeginThreadArgs{start_address, arglist};
    HANDLE h = tw::thread_detail::StartThread(tw::thread_detail::BeginThreadTrampoline, args, false, true, nullptr);
    if (!h) {
        delete args;
        return static_cast<uintptr_t>(-1);
    }
    return reinterpret_cast<uintptr_t>(h);
}

DWORD ResumeThread(HANDLE hThread)
{
    auto thread = tw::thread_detail::ResolveThread(hThread);
    if (!thread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return static_cast<DWORD>(-1);
    }
    DWORD previous = 0;
    {
        std::lock_guard lock(thread->startMutex);
        if (!thread->startAllowed) {
            previous = 1;
            thread->startAllowed = true;
        }
    }
    thread->startSignal.notify_all();
    return previous;
}

DWORD SuspendThread(HANDLE)
{
    SetLastError(ERROR_NOT_SUPPORTED);
    return static_cast<DWORD>(-1);
}

BOOL TerminateThread(HANDLE, DWORD)
{
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
}

void ExitThread(DWORD dwExitCode)
{
    if (tw::thread_detail::t_startedHere)
        throw tw::thread_detail::ThreadExitRequest{dwExitCode};
    pthread_exit(nullptr);
}

BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode)
{
    auto thread = tw::thread_detail::ResolveThread(hThread);
    if (!thread || !lpExitCode) {
        SetLastError(thread ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    tw::WithWaitLock([&] { *lpExitCode = thread->exitCode; });
    return TRUE;
}

DWORD GetCurrentThreadId()
{
    auto& id = tw::thread_detail::t_threadId;
    if (id == 0)
        id = tw::thread_detail::NewThreadId();
    return id;
}

HANDLE GetCurrentThread()
{
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));
}

BOOL SetThreadPriority(HANDLE hThread, int nPriority)
{
    auto thread = tw::thread_detail::ResolveThread(hThread);
    if (!thread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const bool known = nPriority == THREAD_PRIORITY_IDLE || nPriority == THREAD_PRIORITY_TIME_CRITICAL ||
                       (nPriority >= THREAD_PRIORITY_LOWEST && nPriority <= THREAD_PRIORITY_HIGHEST);
    if (!known) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    thread->priority = nPriority;
    tw::thread_detail::ApplyPriority(*thread);
    return TRUE;
}

int GetThreadPriority(HANDLE hThread)
{
    auto thread = tw::thread_detail::ResolveThread(hThread);
    if (!thread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return THREAD_PRIORITY_ERROR_RETURN;
    }
    return thread->priority.load();
}

void Sleep(DWORD dwMilliseconds)
{
    if (dwMilliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    if (dwMilliseconds == INFINITE) {
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(24));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

BOOL SwitchToThread()
{
    std::this_thread::yield();
    return TRUE;
}
