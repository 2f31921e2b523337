// SendMessage between threads: the sender waits, serving messages sent to
// its own windows meanwhile, so two threads sending to each other never
// deadlock.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "platform/win32/kernel/Threads.h"
#include "platform/win32/user/winuser.h"

namespace {

constexpr UINT kAskB = WM_APP + 1;
constexpr UINT kAskA = WM_APP + 2;
constexpr UINT kTimeoutMs = 5000;

std::atomic<HWND> g_windowA{nullptr};
std::atomic<bool> g_inSendSeenByA{false};
std::atomic<bool> g_inSendSeenByB{false};

LRESULT CALLBACK ProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kAskA) {
        g_inSendSeenByA = InSendMessage() != FALSE;
        return 41;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ProcB(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kAskB) {
        g_inSendSeenByB = InSendMessage() != FALSE;
        // B asks A back while A is still waiting for B's answer.
        DWORD_PTR fromA = 0;
        if (!SendMessageTimeout(g_windowA, kAskA, 0, 0, SMTO_NORMAL, kTimeoutMs, &fromA))
            return -1;
        return static_cast<LRESULT>(fromA) + 1;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

HWND MakeWindow(const char* className, WNDPROC proc)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = className;
    RegisterClass(&wc);
    return CreateWindowEx(0, className, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

// Runs a window of class B on its own thread until it is told to quit.
class ThreadB {
public:
    ThreadB()
    {
        std::promise<std::pair<HWND, DWORD>> ready;
        auto created = ready.get_future();
        thread_ = std::thread([&ready] {
            HWND b = MakeWindow("CrossThreadB", ProcB);
            ready.set_value({b, GetCurrentThreadId()});
            MSG msg;
            while (GetMessage(&msg, nullptr, 0, 0))
                DispatchMessage(&msg);
            DestroyWindow(b);
        });
        std::tie(window, threadId) = created.get();
    }
    ~ThreadB()
    {
        PostThreadMessage(threadId, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND window = nullptr;
    DWORD threadId = 0;

private:
    std::thread thread_;
};

TEST(CrossThreadSend, SendsBothWaysWithoutDeadlockAndInSendMessageIsTrue)
{
    g_windowA = MakeWindow("CrossThreadA", ProcA);
    ThreadB b;
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeout(b.window, kAskB, 0, 0, SMTO_NORMAL, kTimeoutMs, &answer));
    EXPECT_EQ(answer, 42u);
    EXPECT_TRUE(g_inSendSeenByA);
    EXPECT_TRUE(g_inSendSeenByB);
    EXPECT_FALSE(InSendMessage());
    DestroyWindow(g_windowA);
}

TEST(CrossThreadSend, WindowsOfAnEndedThreadGoWithItAndSendsToThemReturnAtOnce)
{
    HWND orphan = nullptr;
    std::thread([&orphan] { orphan = MakeWindow("CrossThreadOrphan", DefWindowProc); }).join();
    EXPECT_FALSE(IsWindow(orphan));
    DWORD_PTR answer = 7;
    EXPECT_FALSE(SendMessageTimeout(orphan, WM_APP, 0, 0, SMTO_NORMAL, kTimeoutMs, &answer));
    EXPECT_EQ(answer, 0u);
}

}  // namespace
