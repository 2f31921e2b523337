// The MDI client: the window that holds a frame's document windows. It
// creates and destroys them, keeps which one is active (and whether it is
// maximised), arranges them, keeps the frame's Window menu listing them and,
// while one is maximised, puts its system menu and caption buttons into the
// frame's menu bar and its title into the frame's.
#pragma once

#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win32/mdi/winmdi.h"

namespace tw::mdi {

class MdiClient {
public:
    // The Window menu lists at most nine children, then "&More Windows...".
    static constexpr int kListedChildren = 9;

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // The client of an MDI child, null for other windows.
    static HWND ClientOf(HWND child);
    static HWND Active(HWND client, bool* maximized = nullptr);
    // The child a Window-menu command names; null for "&More Windows..." and
    // for commands that are no child's.
    static HWND ChildForCommand(HWND client, UINT id);

    static void Activate(HWND client, HWND child);
    static void Next(HWND client, HWND from, bool previous);
    static void Maximize(HWND client, HWND child);
    static void Restore(HWND client, HWND child);
    static void Minimize(HWND client, HWND child);
    static void Destroy(HWND client, HWND child);
    static void Cascade(HWND client, UINT flags);
    static void Tile(HWND client, UINT flags);
    static void ArrangeIcons(HWND client);
    // Title changes: the frame's base title, or a child's (which the frame's
    // title and the Window menu show).
    static void FrameTitleChanged(HWND client, const char* title);
    static void ChildTitleChanged(HWND child);
    // A child shown or hidden by ShowWindow: the Window menu follows, and a
    // shown child becomes active when none is.
    static void ChildVisibilityChanged(HWND child);
    // A child moved, resized, shown or hidden: the scroll bars follow.
    static void ChildPlacementChanged(HWND child);
    // Scroll bars (when the client has their styles) are shown only while a
    // child lies partly outside the client area, and scroll the children.
    static void UpdateScrollBars(HWND client);

private:
    struct State {
        HWND frame = nullptr;
        HMENU windowMenu = nullptr;
        UINT idFirstChild = 0;
        std::vector<HWND> children;  // in Window-menu order
        HWND active = nullptr;
        bool maximized = false;
        bool listShown = false;  // the separator and items are in windowMenu
        HMENU decoratedMenu = nullptr;  // the frame menu holding a maximised child's buttons
        std::string frameTitle;
        bool frameTitleKnown = false;
        // Set while the scroll bars are worked out or the children scrolled,
        // when the children's moves and the client's own resizing say nothing new.
        bool placingScrollBars = false;
        bool scrollBars = false;  // made with WS_HSCROLL or WS_VSCROLL
    };

    static std::mutex& Mutex();
    static std::unordered_map<HWND, State>& States();
    // A copy of the client's state; false for a window that is no client.
    static bool Snapshot(HWND client, State* state);
    template <typename F>
    static void Update(HWND client, F change);

    static LRESULT OnCreate(HWND client, LPARAM lParam);
    static HWND CreateChild(HWND client, const MDICREATESTRUCT* mcs);
    static LRESULT SetMenus(HWND client, HMENU frameMenu, HMENU windowMenu);
    static void RefreshWindowList(HWND client);
    static void RemoveWindowList(HWND client);
    static void Renumber(HWND client);
    static void DecorateFrameMenu(HWND client);
    static void UndecorateFrameMenu(HWND client);
    static void ShowFrameTitle(HWND client);
    static void FitMaximized(HWND client, HWND child);
    static std::vector<HWND> ZOrder(HWND client);
    static RECT ClientArea(HWND client);
    static void Scroll(HWND client, int bar, int code);
    static void MoveChildren(HWND client, int dx, int dy);
    static bool BeginScrollWork(HWND client);
    static void EndScrollWork(HWND client);
};

}  // namespace tw::mdi
