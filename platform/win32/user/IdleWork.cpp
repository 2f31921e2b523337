// What the reading threads do besides messages: the display thread pulls
// input and presents the screen, paints the desktop and, when asked by
// TARNWICK_SCREENSHOT, saves the screen the first time it is idle and then
// closes the program as its user would; every thread blinks its caret.
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <mutex>

#include "platform/display/Display.h"
#include "platform/win32/gdi/SystemChange.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/user/Caret.h"
#include "platform/win32/user/InputRouter.h"
#include "platform/win32/user/Painting.h"
#include "platform/win32/user/UserInternal.h"
#include "platform/win32/user/WindowPosition.h"
#include "platform/win32/user/WindowTree.h"

namespace tw::user {

namespace idle_work_detail {

std::atomic<bool> g_screenshotDone{false};
// Only the display thread reads and writes these two.
bool g_closingAfterScreenshot = false;
HWND g_lastClosedDialog = nullptr;

HWND MainWindow()
{
    if (HWND active = GetActiveWindow())
        return active;
    UserGuard guard(UserMutex());
    for (Window* top : Tree().Desktop()->children) {
        if (top->style & WS_VISIBLE)
            return top->handle;
    }
    return nullptr;
}

// A person resized the desktop window: maximised windows fill the new work
// area and everything is shown again.
void FollowNewScreenSize()
{
    std::vector<HWND> maximized;
    {
        UserGuard guard(UserMutex());
        for (Window* top : Tree().Desktop()->children) {
            if (top->style & WS_MAXIMIZE)
                maximized.push_back(top->handle);
        }
    }
    for (HWND hwnd : maximized) {
        const RECT r = WindowPosition::MaximizedRect(hwnd);
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void BroadcastSysColorChange()
{
    SendMessage(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
    RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

std::mutex g_workAreaMutex;
bool g_workAreaKnown = false;
RECT g_announcedWorkArea{};

// A changed work area is announced like the platform's SPI_SETWORKAREA
// broadcast, once per change whoever notices it first, and maximised
// windows follow it. reported: the tables said it changed; otherwise only a
// difference from the last look counts (a resized screen).
void AnnounceWorkArea(bool reported)
{
    const RECT now = tw::gdi::WorkArea();
    bool announce = false;
    {
        std::lock_guard lock(g_workAreaMutex);
        const RECT& known = g_announcedWorkArea;
        const bool differs = !g_workAreaKnown || now.left != known.left || now.top != known.top ||
                             now.right != known.right || now.bottom != known.bottom;
        announce = differs && (reported || g_workAreaKnown);
        g_announcedWorkArea = now;
        g_workAreaKnown = true;
    }
    if (!announce)
        return;
    SendMessage(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    FollowNewScreenSize();
}

// The drawing layer's tables tell of their changes as they happen.
void OnSystemChange(tw::gdi::SystemChange change)
{
    switch (change) {
    case tw::gdi::SystemChange::Colors:
        BroadcastSysColorChange();
        return;
    case tw::gdi::SystemChange::WorkArea:
        AnnounceWorkArea(true);
        return;
    }
}

[[maybe_unused]] const bool g_systemChangesHeard = (tw::gdi::SetSystemChangeListener(OnSystemChange), true);

void ScreenshotOnFirstIdle()
{
    const char* path = std::getenv("TARNWICK_SCREENSHOT");
    if (!path || !*path || g_screenshotDone.load())
        return;
    HWND main = MainWindow();
    if (!main)
        return;  // start-up is not over before a window shows
    g_screenshotDone = true;
    auto& screen = tw::display::Display::Instance().GetScreen();
    if (!screen.SavePng(path)) {
        std::fprintf(stderr, "tarnwick: could not write the screenshot to %s: %s\n", path, std::strerror(errno));
        tw::display::Display::NoteScreenshotFailed();
    }
    g_closingAfterScreenshot = true;
}

// After the screenshot the program is closed as its user would close it: a
// modal dialog over its owner first (as its Close button or Esc would, so a
// logon at start-up is cancelled, not left waiting), each once, then the
// window at the root of the owners. Closing only the dialog would leave the
// program running.
void CloseAfterScreenshot()
{
    if (!g_closingAfterScreenshot)
        return;
    HWND active = MainWindow();
    if (!active)
        return;
    const HWND owner = GetWindow(active, GW_OWNER);
    if (owner && !IsWindowEnabled(owner)) {
        if (active != g_lastClosedDialog) {
            g_lastClosedDialog = active;
            PostMessage(active, WM_CLOSE, 0, 0);
        }
        return;
    }
    g_closingAfterScreenshot = false;
    const HWND root = GetAncestor(active, GA_ROOTOWNER);
    PostMessage(root ? root : active, WM_CLOSE, 0, 0);
}

}  // namespace idle_work_detail

void IdleWork(bool aboutToWait)
{
    auto& router = InputRouter::Instance();
    router.PumpDisplay();
    const DWORD thread = MessageQueue::CurrentThreadId();
    Caret::Tick(thread);
    // The desktop, the screenshot and the slice-wise waits belong to the
    // thread that reads the display first: the program's main thread.
    if (!router.IsDisplayThread())
        return;
    bool resized;
    {
        UserGuard guard(UserMutex());
        resized = Tree().SyncScreenSize();
    }
    if (resized)
        idle_work_detail::FollowNewScreenSize();
    // A resized screen may have shrunk the work area with it.
    idle_work_detail::AnnounceWorkArea(false);
    Painting::PaintDesktop();
    if (aboutToWait) {
        idle_work_detail::ScreenshotOnFirstIdle();
        idle_work_detail::CloseAfterScreenshot();
    }
}

uint64_t IdleDeadline()
{
    return Caret::NextBlink(MessageQueue::CurrentThreadId());
}

int MaxRealWaitMs()
{
    if (!InputRouter::Instance().IsDisplayThread())
        return -1;
    // Headless input arrives through the queue's own wake-ups, desktop
    // input only when the backend is pumped.
    return tw::display::Display::Instance().IsHeadless() ? 20 : 10;
}

}  // namespace tw::user
