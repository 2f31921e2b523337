#include <gtest/gtest.h>

#include <atomic>

#include "platform/win32/kernel/Sync.h"
#include "platform/win32/kernel/Threads.h"

namespace tw_threads_test {

DWORD WINAPI ReturnParameter(LPVOID p)
{
    return static_cast<DWORD>(reinterpret_cast<uintptr_t>(p));
}

std::atomic<int> g_threadsTestRuns{0};

DWORD WINAPI CountRun(LPVOID)
{
    ++g_threadsTestRuns;
    return 0;
}

DWORD WINAPI WaitForEvent(LPVOID p)
{
    WaitForSingleObject(static_cast<HANDLE>(p), INFINITE);
    return 7;
}

DWORD WINAPI ExitEarly(LPVOID)
{
    ExitThread(42);
}

TEST(Threads, ExitCodeIsStillActiveUntilTheThreadEnds)
{
    HANDLE go = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, WaitForEvent, go, 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    EXPECT_NE(id, GetCurrentThreadId());
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(WaitForSingleObject(thread, 20), static_cast<DWORD>(WAIT_TIMEOUT));
    SetEvent(go);
    EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 7u);
    CloseHandle(thread);
    CloseHandle(go);
}

TEST(Threads, ReturnValueAndExitThreadBecomeTheExitCode)
{
    HANDLE a = CreateThread(nullptr, 0, ReturnParameter, reinterpret_cast<LPVOID>(uintptr_t{3}), 0, nullptr);
    HANDLE b = CreateThread(nullptr, 0, ExitEarly, nullptr, 0, nullptr);
    HANDLE both[] = {a, b};
    ASSERT_EQ(WaitForMultipleObjects(2, both, TRUE, 5000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(a, &code);
    EXPECT_EQ(code, 3u);
    GetExitCodeThread(b, &code);
    EXPECT_EQ(code, 42u);
    CloseHandle(a);
    CloseHandle(b);
}

TEST(Threads, SuspendedThreadRunsOnlyAfterResume)
{
    g_threadsTestRuns = 0;
    HANDLE thread = CreateThread(nullptr, 0, CountRun, nullptr, CREATE_SUSPENDED, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 30), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(g_threadsTestRuns.load(), 0);
    EXPECT_EQ(ResumeThread(thread), 1u);
    EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(g_threadsTestRuns.load(), 1);
    EXPECT_EQ(ResumeThread(thread), 0u);
    CloseHandle(thread);
}

TEST(Threads, SuspendAndTerminateAreRefused)
{
    HANDLE go = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, WaitForEvent, go, 0, nullptr);
    EXPECT_EQ(SuspendThread(thread), static_cast<DWORD>(-1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_FALSE(TerminateThread(thread, 1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    SetEvent(go);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(go);
}

TEST(Threads, PriorityIsKeptAndBadValuesRefused)
{
    HANDLE go = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, WaitForEvent, go, CREATE_SUSPENDED, nullptr);
    EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_NORMAL);
    EXPECT_TRUE(SetThreadPriority(thread, THREAD_PRIORITY_LOWEST));
    EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_LOWEST);
    EXPECT_FALSE(SetThreadPriority(thread, 5));
    EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_LOWEST);
    ResumeThread(thread);
    SetEvent(go);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(go);
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_NORMAL);
}

std::atomic<int> g_beginThreadValue{0};
int s_beginThreadArgument = 11;

TEST(Threads, BeginThreadRunsTheFunctionWithItsArgument)
{
    HANDLE done = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    static HANDLE s_done;
    s_done = done;
    const uintptr_t h = _beginthread(
        [](void* arg) {
            g_beginThreadValue = *static_cast<int*>(arg);
            SetEvent(s_done);
        },
        0, &s_beginThreadArgument);
    ASSERT_NE(h, static_cast<uintptr_t>(-1));
    EXPECT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(g_beginThreadValue.load(), 11);
    CloseHandle(done);
}

}  // namespace tw_threads_test
