// Prints how many messages per second the window system delivers: sent on
// the same thread, posted and pumped through GetMessage/DispatchMessage, and
// sent to a window of another thread.
#include <chrono>
#include <cstdio>
#include <future>
#include <thread>

#include "platform/win32/kernel/Threads.h"
#include "platform/win32/user/winuser.h"

namespace {

long g_handled = 0;

LRESULT CALLBACK CountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        ++g_handled;
        return 1;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

HWND MakeWindow()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASS wc{};
        wc.lpfnWndProc = CountingProc;
        wc.lpszClassName = "BenchCounter";
        RegisterClass(&wc);
        registered = true;
    }
    return CreateWindowEx(0, "BenchCounter", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

template <typename F>
void Report(const char* what, long count, F&& run)
{
    const auto start = std::chrono::steady_clock::now();
    run(count);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-40s %12.0f messages/s  (%ld in %.3f s)\n", what, count / seconds, count, seconds);
}

}  // namespace

int main()
{
    HWND hwnd = MakeWindow();
    Report("SendMessage, same thread", 2000000, [&](long n) {
        for (long i = 0; i < n; ++i)
            SendMessage(hwnd, WM_APP, 0, 0);
    });
    Report("PostMessage + GetMessage + Dispatch", 500000, [&](long n) {
        MSG msg;
        for (long i = 0; i < n; i += 100) {
            for (int k = 0; k < 100; ++k)
                PostMessage(hwnd, WM_APP, 0, 0);
            for (int k = 0; k < 100 && GetMessage(&msg, nullptr, 0, 0); ++k)
                DispatchMessage(&msg);
        }
    });

    std::promise<std::pair<HWND, DWORD>> ready;
    auto created = ready.get_future();
    std::thread worker([&ready] {
        HWND other = MakeWindow();
        ready.set_value({other, GetCurrentThreadId()});
        MSG msg;
        while (GetMessage(&msg, nullptr, 0, 0))
            DispatchMessage(&msg);
        DestroyWindow(other);
    });
    const auto [other, workerId] = created.get();
    Report("SendMessage to another thread", 100000, [&](long n) {
        for (long i = 0; i < n; ++i)
            SendMessage(other, WM_APP, 0, 0);
    });
    PostThreadMessage(workerId, WM_QUIT, 0, 0);
    worker.join();
    DestroyWindow(hwnd);
    return g_handled > 0 ? 0 : 1;
}
