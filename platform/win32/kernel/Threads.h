// Threads on std::thread. A thread created suspended starts on ResumeThread.
// There is no SuspendThread: a running thread cannot be frozen safely here, so
// pausing a worker is cooperative (it waits at safe points of its own).
#pragma once

#include <cstdint>

#include "platform/win32/kernel/KernelObjects.h"

typedef DWORD(WINAPI* PTHREAD_START_ROUTINE)(LPVOID lpThreadParameter);
typedef PTHREAD_START_ROUTINE LPTHREAD_START_ROUTINE;

#define CREATE_SUSPENDED 0x00000004
#define STACK_SIZE_PARAM_IS_A_RESERVATION 0x00010000

#define THREAD_PRIORITY_IDLE (-15)
#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2
#define THREAD_PRIORITY_TIME_CRITICAL 15
#define THREAD_PRIORITY_ERROR_RETURN 0x7FFFFFFF

HANDLE CreateThread(LPSECURITY_ATTRIBUTES lpThreadAttributes, SIZE_T dwStackSize,
                    LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter, DWORD dwCreationFlags,
                    LPDWORD lpThreadId);
// Starts a thread created with CREATE_SUSPENDED; returns the previous suspend
// count (1 for such a thread, 0 for one already running), (DWORD)-1 on a bad handle.
DWORD ResumeThread(HANDLE hThread);
// Always fails: (DWORD)-1 with ERROR_NOT_SUPPORTED.
DWORD SuspendThread(HANDLE hThread);
// Refused (FALSE, ERROR_NOT_SUPPORTED): killing a thread would leave its locks held.
BOOL TerminateThread(HANDLE hThread, DWORD dwExitCode);
// Ends the calling thread with the exit code, unwinding its stack.
[[noreturn]] void ExitThread(DWORD dwExitCode);
BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode);
DWORD GetCurrentThreadId();
HANDLE GetCurrentThread();
// The priority is kept as given; lowering it also lowers the thread's nice
// value, raising above normal is not possible for an unprivileged process.
BOOL SetThreadPriority(HANDLE hThread, int nPriority);
int GetThreadPriority(HANDLE hThread);
void Sleep(DWORD dwMilliseconds);
BOOL SwitchToThread();

// The C run time's thread start: the handle closes itself when the thread ends.
uintptr_t _beginthread(void (*start_address)(void*), unsigned stack_size, void* arglist);
