#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/win32/kernel/Sync.h"
#include "platform/win32/kernel/Threads.h"

namespace tw_sync_test {

using SyncClock = std::chrono::steady_clock;

struct SyncHandle {
    HANDLE h;
    explicit SyncHandle(HANDLE handle) : h(handle) {}
    ~SyncHandle()
    {
        if (h)
            CloseHandle(h);
    }
    operator HANDLE() const { return h; }
};

TEST(Events, AutoResetReleasesOneWaitThenResets)
{
    SyncHandle event(CreateEvent(nullptr, FALSE, TRUE, nullptr));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST(Events, ManualResetStaysSignalledUntilReset)
{
    SyncHandle event(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    ASSERT_TRUE(SetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    ASSERT_TRUE(ResetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST(Events, WaitTimesOutAfterRoughlyTheGivenTime)
{
    SyncHandle event(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    const auto start = SyncClock::now();
    EXPECT_EQ(WaitForSingleObject(event, 50), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_GE(SyncClock::now() - start, std::chrono::milliseconds(45));
}

TEST(Events, SetFromAnotherThreadWakesAnInfiniteWait)
{
    SyncHandle event(CreateEvent(nullptr, FALSE, FALSE, nullptr));
    std::thread setter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        SetEvent(event);
    });
    EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0);
    setter.join();
}

TEST(Events, SameNameGivesTheSameEventAndSaysItExisted)
{
    SyncHandle first(CreateEvent(nullptr, TRUE, FALSE, "tw-test-named"));
    ASSERT_NE(first.h, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    SyncHandle second(CreateEvent(nullptr, TRUE, FALSE, "tw-test-named"));
    ASSERT_NE(second.h, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_NE(first.h, second.h);
    SetEvent(first);
    EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0);

    SyncHandle opened(OpenEvent(EVENT_ALL_ACCESS, FALSE, "tw-test-named"));
    EXPECT_EQ(WaitForSingleObject(opened, 0), WAIT_OBJECT_0);
}

TEST(Events, NameDiesWithItsLastHandle)
{
    HANDLE h = CreateEvent(nullptr, TRUE, TRUE, "tw-test-transient");
    CloseHandle(h);
    EXPECT_EQ(OpenEvent(EVENT_ALL_ACCESS, FALSE, "tw-test-transient"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(Events, NameTakenByAMutexIsRefused)
{
    SyncHandle mutex(CreateMutex(nullptr, FALSE, "tw-test-shared-name"));
    EXPECT_EQ(CreateEvent(nullptr, TRUE, FALSE, "tw-test-shared-name"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(Mutexes, OwnerMayEnterAgainAndMustReleaseAsOften)
{
    SyncHandle mutex(CreateMutex(nullptr, TRUE, nullptr));
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
    std::atomic<DWORD> other{0};
    auto tryFromOther = [&] {
        std::thread t([&] { other = WaitForSingleObject(mutex, 0); });
        t.join();
        return other.load();
    };
    EXPECT_EQ(tryFromOther(), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_EQ(tryFromOther(), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_FALSE(ReleaseMutex(mutex));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
}

TEST(Mutexes, OwnerThreadEndingAbandonsTheMutex)
{
    SyncHandle mutex(CreateMutex(nullptr, FALSE, nullptr));
    std::thread owner([&] { WaitForSingleObject(mutex, 0); });
    owner.join();
    EXPECT_EQ(WaitForSingleObject(mutex, 100), static_cast<DWORD>(WAIT_ABANDONED));
    // Now owned normally by this thread.
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
    ReleaseMutex(mutex);
}

DWORD WINAPI TakeMutexAndEnd(LPVOID mutex)
{
    return WaitForSingleObject(static_cast<HANDLE>(mutex), 0);
}

TEST(Mutexes, AbandonedBeforeTheEndedThreadIsSignalled)
{
    SyncHandle mutex(CreateMutex(nullptr, FALSE, nullptr));
    SyncHandle thread(CreateThread(nullptr, 0, TakeMutexAndEnd, mutex, 0, nullptr));
    ASSERT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), static_cast<DWORD>(WAIT_ABANDONED));
    ReleaseMutex(mutex);
}

TEST(Waits, AnyReturnsTheFirstSignalledIndex)
{
    SyncHandle a(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    SyncHandle b(CreateEvent(nullptr, TRUE, TRUE, nullptr));
    HANDLE both[] = {a, b};
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_OBJECT_0 + 1);
}

TEST(Waits, AllWaitsForEveryObjectAndConsumesAutoResetOnlyThen)
{
    SyncHandle manual(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    SyncHandle automatic(CreateEvent(nullptr, FALSE, TRUE, nullptr));
    HANDLE both[] = {manual, automatic};
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 10), static_cast<DWORD>(WAIT_TIMEOUT));
    // The auto-reset event was not consumed by the failed wait.
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    SetEvent(automatic);
    SetEvent(manual);
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 10), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST(Waits, BadHandlesFail)
{
    EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(0x12344), 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(0x12344)));
}

TEST(Waits, ExtraWakeSourceEndsTheWait)
{
    SyncHandle event(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    HANDLE handles[] = {event};
    std::atomic<bool> ready{false};
    std::thread waker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ready = true;
        tw::WakeKernelWaiters();
    });
    EXPECT_EQ(tw::WaitForKernelObjects(1, handles, false, 5000, [&] { return ready.load(); }), WAIT_OBJECT_0 + 1);
    waker.join();
}

TEST(CriticalSections, AreRecursiveAndExcludeOtherThreads)
{
    CRITICAL_SECTION cs;
    InitializeCriticalSection(&cs);
    EnterCriticalSection(&cs);
    EXPECT_TRUE(TryEnterCriticalSection(&cs));
    std::atomic<BOOL> otherGot{TRUE};
    std::thread([&] { otherGot = TryEnterCriticalSection(&cs); }).join();
    EXPECT_FALSE(otherGot);
    LeaveCriticalSection(&cs);
    LeaveCriticalSection(&cs);
    std::thread([&] {
        otherGot = TryEnterCriticalSection(&cs);
        if (otherGot)
            LeaveCriticalSection(&cs);
    }).join();
    EXPECT_TRUE(otherGot);
    DeleteCriticalSection(&cs);
}

TEST(Interlocked, ReturnTheValuesThePlatformDocuments)
{
    volatile LONG value = 5;
    EXPECT_EQ(InterlockedIncrement(&value), 6);
    EXPECT_EQ(InterlockedDecrement(&value), 5);
    EXPECT_EQ(InterlockedExchange(&value, 9), 5);
    EXPECT_EQ(InterlockedExchangeAdd(&value, 3), 9);
    EXPECT_EQ(value, 12);
    EXPECT_EQ(InterlockedCompareExchange(&value, 1, 7), 12);  // no swap
    EXPECT_EQ(InterlockedCompareExchange(&value, 1, 12), 12);
    EXPECT_EQ(value, 1);
    int a = 0, b = 0;
    PVOID volatile slot = &a;
    EXPECT_EQ(InterlockedCompareExchangePointer(&slot, &b, &a), &a);
    EXPECT_EQ(InterlockedExchangePointer(&slot, nullptr), &b);
}

TEST(Interlocked, IncrementsFromManyThreadsAreNotLost)
{
    volatile LONG counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 10000; ++i)
                InterlockedIncrement(&counter);
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(counter, 40000);
}

}  // namespace tw_sync_test
