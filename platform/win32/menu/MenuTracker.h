// The menu loop: one modal loop per thread that owns the menus open at a
// time (the bar of a window and the popups cascading from it, or a popup
// from TrackPopupMenu). It holds the capture on the owner window, reads the
// thread's queue, handles mouse and keyboard itself, dispatches everything
// else, and tells the owner what happens with the platform's messages
// (WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_MENUSELECT,
// WM_MENUCHAR, WM_EXITMENULOOP). Popup windows never take activation: the
// owner keeps the focus and its keys come to the loop.
#pragma once

#include <atomic>
#include <vector>

#include "platform/win32/menu/MenuLayout.h"

namespace tw::menu {

class MenuTracker {
public:
    static constexpr const char* kPopupClassName = "#32768";

    // TrackPopupMenu(Ex): the chosen command with TPM_RETURNCMD, else TRUE.
    static int TrackPopup(HMENU menu, UINT flags, POINT pt, HWND owner, bool systemMenu);
    // The bar by keyboard: key 0 selects the first item, a character opens
    // the item with that mnemonic (or asks the owner with WM_MENUCHAR).
    static void TrackBarByKey(HWND owner, HMENU bar, WPARAM key);
    // The bar by mouse: opens the item under the screen point.
    static void TrackBarByMouse(HWND owner, HMENU bar, POINT screenPt);
    // Ends the active loop of any thread; false when none runs.
    static bool EndActive();

    // The bar item the loop highlights in this window, -1 when none.
    static int BarSelection(HWND owner, bool* pressed);
    // The popup windows open now, outermost first (for painting and tests).
    static std::vector<HWND> OpenPopups();
    // The screen rectangle of an item of an open popup of this thread.
    static bool OpenItemRect(HMENU menu, UINT item, RECT* rect);

    static LRESULT CALLBACK PopupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Level {
        HMENU menu = nullptr;
        HWND window = nullptr;
        MenuLayout layout;
        int selected = -1;
        POINT origin{0, 0};
        bool system = false;
    };
    struct Hit {
        int level = -2;  // -1: the bar; -2: nothing
        int item = -1;
    };

    MenuTracker(HWND owner, UINT flags, HMENU bar);
    ~MenuTracker();
    MenuTracker(const MenuTracker&) = delete;
    MenuTracker& operator=(const MenuTracker&) = delete;

    void Enter(HMENU initMenu);
    void Run();
    void Leave();
    int Deliver();

    void OnMouse(const MSG& msg);
    void OnKeyDown(const MSG& msg);
    void OnChar(WPARAM ch);
    Hit Locate(POINT screenPt) const;

    bool OpenPopup(HMENU menu, int indexInParent, bool system, const RECT& anchor, bool besideAnchor,
                   POINT at = {0, 0}, UINT align = 0);
    void CloseLevelsFrom(size_t level);
    void Select(size_t level, int item, bool byMouse);
    void OpenSelectedSubmenu(bool selectFirst);
    void Execute(size_t level, int item);
    void SelectBar(int item, bool openPopup, bool selectFirst);
    void MoveInLevel(int step);
    void MoveInBar(int step);
    void Cancel() { done_ = true; result_ = 0; }
    void Notify(UINT message, WPARAM wParam, LPARAM lParam);
    void NotifySelect(HMENU menu, const MenuItem& item, int index, bool byMouse, bool system);
    void RedrawBar();
    RECT BarScreenRect() const;
    // The first item that is not a separator, from an index in a direction;
    // grayed items can be highlighted, as on the platform.
    int FirstItem(const MenuLayout& layout, int from, int step) const;

    static HWND CreatePopupWindow(HWND owner, const RECT& rect);
    static std::atomic<MenuTracker*> s_active;

    HWND owner_;
    UINT flags_;
    bool notify_;
    HMENU bar_;
    MenuLayout barLayout_;
    int barSelected_ = -1;
    std::vector<Level> levels_;
    bool done_ = false;
    UINT result_ = 0;
    bool resultSystem_ = false;
    bool altPressedInLoop_ = false;
    bool openedByMouse_ = false;
    bool rightButton_ = false;
    std::atomic<bool> endRequested_{false};
};

}  // namespace tw::menu
