#include <gtest/gtest.h>

#include <thread>

#include "platform/win32/kernel/ProcessClock.h"

using tw::ProcessClock;

TEST(ProcessClock, FrozenClockMovesOnlyWhenAdvanced)
{
    ProcessClock::Freeze();
    const uint64_t t0 = ProcessClock::NowMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(ProcessClock::NowMs(), t0);
    ProcessClock::Advance(1000);
    EXPECT_EQ(ProcessClock::NowMs(), t0 + 1000);
    EXPECT_EQ(GetTickCount(), static_cast<DWORD>(t0 + 1000));
    ProcessClock::Resume();
}

TEST(ProcessClock, ResumeNeverGoesBack)
{
    ProcessClock::Freeze();
    ProcessClock::Advance(60'000);
    const uint64_t frozen = ProcessClock::NowMs();
    ProcessClock::Resume();
    EXPECT_GE(ProcessClock::NowMs(), frozen);
    EXPECT_FALSE(ProcessClock::IsFrozen());
}

TEST(ProcessClock, AdvanceWakesListeners)
{
    ProcessClock::Freeze();
    int calls = 0;
    const int id = ProcessClock::AddAdvanceListener([&] { ++calls; });
    ProcessClock::Advance(5);
    ProcessClock::Advance(5);
    ProcessClock::RemoveAdvanceListener(id);
    ProcessClock::Advance(5);
    EXPECT_EQ(calls, 2);
    ProcessClock::Resume();
}
