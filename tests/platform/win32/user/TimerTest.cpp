// Timers run on the process clock: WM_TIMER is generated when the queue is
// read and coalesced, however late the read.
#include "tests/platform/win32/user/UserTestFixture.h"

#include <algorithm>

#include "platform/win32/kernel/ProcessClock.h"

namespace tw::user::test {
namespace {

struct TimerCase {
    const char* name;
    int steps;
    uint64_t stepMs;
    size_t expectedTimers;
};

class TimerCoalescing : public UserTest, public ::testing::WithParamInterface<TimerCase> {};

TEST_P(TimerCoalescing, CountsMessagesPerRead)
{
    const TimerCase& c = GetParam();
    HWND hwnd = trace.Create("w", WS_POPUP, 0, RECT{0, 0, 10, 10});
    ASSERT_EQ(SetTimer(hwnd, 7, 100, nullptr), 7u);
    trace.Start();
    for (int i = 0; i < c.steps; ++i) {
        tw::ProcessClock::Advance(c.stepMs);
        Pump();
    }
    const auto messages = trace.Messages(hwnd);
    EXPECT_EQ(static_cast<size_t>(std::count(messages.begin(), messages.end(), "WM_TIMER")), c.expectedTimers);
}

INSTANTIATE_TEST_SUITE_P(Clock, TimerCoalescing,
                         ::testing::Values(TimerCase{"OneLongStep", 1, 1000, 1}, TimerCase{"TenSteps", 10, 100, 10},
                                           TimerCase{"TooEarly", 1, 99, 0}),
                         [](const auto& info) { return info.param.name; });

using TimerTest = UserTest;

TEST_F(TimerTest, KillTimerStopsMessagesAndResettingRestartsThePeriod)
{
    HWND hwnd = trace.Create("w", WS_POPUP, 0, RECT{0, 0, 10, 10});
    SetTimer(hwnd, 1, 100, nullptr);
    tw::ProcessClock::Advance(60);
    SetTimer(hwnd, 1, 100, nullptr);  // the same id starts over
    tw::ProcessClock::Advance(60);
    trace.Start();
    Pump();
    EXPECT_TRUE(trace.Messages(hwnd).empty());
    EXPECT_TRUE(KillTimer(hwnd, 1));
    EXPECT_FALSE(KillTimer(hwnd, 1));
    tw::ProcessClock::Advance(500);
    Pump();
    EXPECT_TRUE(trace.Messages(hwnd).empty());
}

std::vector<UINT_PTR> g_timerCalls;
void CALLBACK RecordTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    g_timerCalls.push_back(id);
}

TEST_F(TimerTest, TimerProcedureIsCalledByDispatchAndThreadTimersGetTheirOwnIds)
{
    g_timerCalls.clear();
    const UINT_PTR first = SetTimer(nullptr, 0, 50, RecordTimer);
    const UINT_PTR second = SetTimer(nullptr, 0, 50, RecordTimer);
    EXPECT_NE(first, second);
    tw::ProcessClock::Advance(50);
    Pump();
    EXPECT_EQ(g_timerCalls.size(), 2u);
    KillTimer(nullptr, first);
    KillTimer(nullptr, second);
}

TEST_F(TimerTest, ForgedTimerMessageDoesNotCallAnArbitraryAddress)
{
    g_timerCalls.clear();
    MSG forged{nullptr, WM_TIMER, 99, reinterpret_cast<LPARAM>(&RecordTimer), 0, {}};
    DispatchMessage(&forged);
    EXPECT_TRUE(g_timerCalls.empty());
}

}  // namespace
}  // namespace tw::user::test
