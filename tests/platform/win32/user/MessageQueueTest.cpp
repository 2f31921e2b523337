// Reading the queue: filters by window and range, leaving messages in
// place, the quit message, and the current message's time and place.
#include "tests/platform/win32/user/UserTestFixture.h"

#include <atomic>
#include <future>
#include <thread>

#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/kernel/Threads.h"

namespace tw::user::test {
namespace {

class MessageQueueTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        a = trace.Create("a", WS_POPUP, 0, RECT{0, 0, 10, 10});
        b = trace.Create("b", WS_POPUP, 0, RECT{0, 0, 10, 10});
        Pump();
    }
    HWND a = nullptr;
    HWND b = nullptr;
};

TEST_F(MessageQueueTest, FiltersPickByWindowAndRangeAndLeaveTheRestInOrder)
{
    PostMessage(a, WM_APP + 1, 0, 0);
    PostMessage(b, WM_APP + 2, 0, 0);
    PostMessage(a, WM_USER + 3, 0, 0);
    PostThreadMessage(GetCurrentThreadId(), WM_APP + 4, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 2));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER, WM_USER + 10, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));
    ASSERT_TRUE(PeekMessage(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE)) << "thread messages only";
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 4));
    EXPECT_EQ(msg.hwnd, nullptr);
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 1));
    ASSERT_TRUE(GetMessage(&msg, a, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3)) << "the one left in place is still there";
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PostMessage(reinterpret_cast<HWND>(0x7777), WM_APP, 0, 0)) << "no such window";
}

TEST_F(MessageQueueTest, QuitIsReadAfterPostedMessagesAndDespiteFilters)
{
    PostQuitMessage(9);
    PostMessage(a, WM_APP, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP));
    EXPECT_FALSE(GetMessage(&msg, b, WM_USER, WM_USER)) << "WM_QUIT ends the loop whatever the filter";
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST_F(MessageQueueTest, PaintComesAfterPostedMessagesAndTimersLast)
{
    SetTimer(a, 1, 10, nullptr);
    tw::ProcessClock::Advance(10);
    ShowWindow(b, SW_SHOWNA);
    InvalidateRect(b, nullptr, TRUE);
    PostMessage(a, WM_APP, 0, 0);
    MSG msg;
    std::vector<UINT> order;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE) && order.size() < 3) {
        order.push_back(msg.message);
        DispatchMessage(&msg);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_APP, WM_PAINT, WM_TIMER}));
    KillTimer(a, 1);
}

TEST_F(MessageQueueTest, CurrentMessageTellsItsTimeAndCursorPosition)
{
    input.MouseMove(3, 4);
    Pump();
    tw::ProcessClock::Advance(25);
    const DWORD now = GetTickCount();
    PostMessage(a, WM_APP, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, a, WM_APP, WM_APP));
    EXPECT_EQ(static_cast<DWORD>(GetMessageTime()), now);
    EXPECT_EQ(GetMessagePos(), static_cast<DWORD>(MAKELONG(3, 4)));
}

TEST_F(MessageQueueTest, RangeFilterReadsInputOfItsKindOnly)
{
    ShowWindow(a, SW_SHOW);
    input.KeyStroke('Q');
    PostMessage(a, WM_APP, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP)) << "posted messages come before the rest of the input";
}

std::atomic<HWND> g_late{nullptr};
LRESULT CALLBACK RepliesEarly(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        ReplyMessage(5);
        EXPECT_TRUE(InSendMessageEx(nullptr) & ISMEX_REPLIED);
        return 99;  // too late: the sender has its answer
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

TEST(CrossThreadReply, ReplyMessageAnswersBeforeTheHandlerEndsAndTimeoutsDoNotHang)
{
    std::promise<std::pair<HWND, DWORD>> ready;
    auto created = ready.get_future();
    std::atomic<bool> busy{false};
    std::thread worker([&] {
        WNDCLASS wc{};
        wc.lpfnWndProc = RepliesEarly;
        wc.lpszClassName = "RepliesEarly";
        RegisterClass(&wc);
        HWND w = CreateWindowEx(0, "RepliesEarly", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        ready.set_value({w, GetCurrentThreadId()});
        MSG msg;
        while (GetMessage(&msg, nullptr, 0, 0)) {
            if (msg.message == WM_APP + 1) {
                busy = true;
                Sleep(300);  // not reading the queue for a while
            }
            DispatchMessage(&msg);
        }
    });
    const auto [w, id] = created.get();
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeout(w, WM_APP, 0, 0, SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(answer, 5u);
    PostMessage(w, WM_APP + 1, 0, 0);
    while (!busy)
        Sleep(1);
    EXPECT_FALSE(SendMessageTimeout(w, WM_NULL, 0, 0, SMTO_NORMAL, 50, &answer)) << "gives up after 50 ms";
    PostThreadMessage(id, WM_QUIT, 0, 0);
    worker.join();
}

}  // namespace
}  // namespace tw::user::test
