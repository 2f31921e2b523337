#include "platform/win32/menu/MenuTracker.h"

#include <algorithm>
#include <cctype>
#include <mutex>

#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/kernel/RectFunctions.h"
#include "platform/win32/menu/MenuBar.h"
#include "platform/win32/menu/SystemMenu.h"

namespace tw::menu {

std::atomic<MenuTracker*> MenuTracker::s_active{nullptr};

namespace menu_tracker_detail {
// Held while the active loop is published or withdrawn, so EndMenu from
// another thread never reaches a loop that has already ended.
std::mutex& ActiveMutex()
{
    static std::mutex mutex;
    return mutex;
}
}  // namespace menu_tracker_detail

namespace menu_tracker_detail {

// The loop of this thread, for its popup windows' painting.
thread_local MenuTracker* t_current = nullptr;

void RegisterPopupClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASS wc{};
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = MenuTracker::PopupProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = MenuTracker::kPopupClassName;
        RegisterClass(&wc);
    });
}

bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

bool IsButtonDown(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN || message == WM_NCMBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_NCLBUTTONDBLCLK;
}

bool IsButtonUp(UINT message)
{
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_NCLBUTTONUP ||
           message == WM_NCRBUTTONUP;
}

bool IsRightButton(UINT message)
{
    return message == WM_RBUTTONDOWN || message == WM_RBUTTONUP || message == WM_NCRBUTTONDOWN ||
           message == WM_NCRBUTTONUP || message == WM_RBUTTONDBLCLK;
}


// An item's mnemonic; the icon of a maximised document window's system menu
// answers to '-', as Alt+- opens a document window's system menu.
char ItemMnemonic(const MenuItem& item)
{
    if ((item.type & MFT_BITMAP) && item.bitmap == HBMMENU_SYSTEM)
        return '-';
    return MnemonicOf(item.text);
}

RECT ScreenArea()
{
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace menu_tracker_detail

namespace mtd = menu_tracker_detail;

MenuTracker::MenuTracker(HWND owner, UINT flags, HMENU bar)
    : owner_(owner), flags_(flags), notify_(!(flags & TPM_NONOTIFY)), bar_(bar)
{
}

MenuTracker::~MenuTracker() = default;

// --- entry points --------------------------------------------------------------

int MenuTracker::TrackPopup(HMENU menu, UINT flags, POINT pt, HWND owner, bool systemMenu)
{
    if (!IsMenu(menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return 0;
    }
    if (!IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (mtd::t_current) {
        // One menu loop at a time on a thread.
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    MenuTracker tracker(owner, flags, nullptr);
    tracker.Enter(menu);
    if (systemMenu)
        UpdateSystemMenuStates(owner, menu);
    if (!tracker.OpenPopup(menu, 0, systemMenu, RECT{pt.x, pt.y, pt.x, pt.y}, false, pt, flags)) {
        tracker.Leave();
        return 0;
    }
    tracker.Run();
    tracker.Leave();
    return tracker.Deliver();
}

void MenuTracker::TrackBarByKey(HWND owner, HMENU bar, WPARAM key)
{
    if (mtd::t_current || !IsMenu(bar) || GetMenuItemCount(bar) <= 0)
        return;
    MenuTracker tracker(owner, 0, bar);
    tracker.barLayout_ = MenuPainter::MeasureBar(owner, bar, std::max<int>(1, tracker.BarScreenRect().right -
                                                                                     tracker.BarScreenRect().left));
    if (key) {
        // Alt and a letter: only when some item answers to it.
        const char wanted = static_cast<char>(std::tolower(static_cast<int>(key & 0xFF)));
        int match = -1;
        for (size_t i = 0; i < tracker.barLayout_.items.size(); ++i) {
            if (mtd::ItemMnemonic(tracker.barLayout_.items[i]) == wanted) {
                match = static_cast<int>(i);
                break;
            }
        }
        if (match < 0) {
            const LRESULT answer = SendMessage(owner, WM_MENUCHAR, MAKEWPARAM(key, 0), reinterpret_cast<LPARAM>(bar));
            if (HIWORD(answer) == MNC_EXECUTE || HIWORD(answer) == MNC_SELECT)
                match = LOWORD(answer);
            if (match < 0 || match >= static_cast<int>(tracker.barLayout_.items.size())) {
                MessageBeep(0);
                return;
            }
        }
        tracker.Enter(bar);
        tracker.SelectBar(match, true, true);
        if (!tracker.barLayout_.items[static_cast<size_t>(match)].subMenu)
            tracker.Execute(0, match);
    } else {
        tracker.Enter(bar);
        tracker.SelectBar(0, false, false);
    }
    tracker.Run();
    tracker.Leave();
    tracker.Deliver();
}

void MenuTracker::TrackBarByMouse(HWND owner, HMENU bar, POINT screenPt)
{
    if (mtd::t_current || !IsMenu(bar))
        return;
    MenuTracker tracker(owner, 0, bar);
    const RECT barRect = tracker.BarScreenRect();
    tracker.barLayout_ = MenuPainter::MeasureBar(owner, bar, std::max<int>(1, barRect.right - barRect.left));
    const int item = tracker.barLayout_.ItemAt(POINT{screenPt.x - barRect.left, screenPt.y - barRect.top});
    if (item < 0)
        return;
    tracker.openedByMouse_ = true;
    tracker.Enter(bar);
    tracker.SelectBar(item, true, false);
    tracker.Run();
    tracker.Leave();
    tracker.Deliver();
}

bool MenuTracker::EndActive()
{
    std::lock_guard<std::mutex> lock(mtd::ActiveMutex());
    MenuTracker* active = s_active.load();
    if (!active)
        return false;
    active->endRequested_ = true;
    PostMessage(active->owner_, WM_NULL, 0, 0);
    return true;
}

int MenuTracker::BarSelection(HWND owner, bool* pressed)
{
    MenuTracker* current = mtd::t_current;
    if (!current || current->owner_ != owner || !current->bar_)
        return -1;
    if (pressed)
        *pressed = !current->levels_.empty();
    return current->barSelected_;
}

std::vector<HWND> MenuTracker::OpenPopups()
{
    std::vector<HWND> windows;
    if (MenuTracker* current = mtd::t_current) {
        for (const Level& level : current->levels_)
            windows.push_back(level.window);
    }
    return windows;
}

bool MenuTracker::OpenItemRect(HMENU menu, UINT item, RECT* rect)
{
    MenuTracker* current = mtd::t_current;
    if (!current)
        return false;
    for (const Level& level : current->levels_) {
        if (level.menu != menu || item >= level.layout.rects.size())
            continue;
        *rect = level.layout.rects[item];
        OffsetRect(rect, level.origin.x, level.origin.y);
        return true;
    }
    return false;
}

// --- the loop --------------------------------------------------------------------

void MenuTracker::Enter(HMENU initMenu)
{
    mtd::t_current = this;
    {
        std::lock_guard<std::mutex> lock(mtd::ActiveMutex());
        s_active = this;
    }
    rightButton_ = (flags_ & TPM_RIGHTBUTTON) != 0;
    Notify(WM_ENTERMENULOOP, bar_ ? FALSE : TRUE, 0);
    SetCapture(owner_);
    Notify(WM_INITMENU, reinterpret_cast<WPARAM>(initMenu), 0);
}

void MenuTracker::Run()
{
    MSG msg;
    while (!done_) {
        if (endRequested_ || !IsWindow(owner_) || GetCapture() != owner_) {
            Cancel();
            break;
        }
        // With no menu open the bar only shows where the keyboard is: a click
        // elsewhere ends menu mode and, left in the queue, does what it would do.
        if (bar_ && levels_.empty() && PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) &&
            mtd::IsButtonDown(msg.message) && Locate(msg.pt).level == -2) {
            Cancel();
            break;
        }
        const BOOL got = GetMessage(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT ends the menu and goes on to the outer loop.
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            Cancel();
            break;
        }
        if (mtd::IsMouseMessage(msg.message)) {
            OnMouse(msg);
            continue;
        }
        switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            TranslateMessage(&msg);
            OnKeyDown(msg);
            continue;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if ((msg.wParam == VK_MENU || msg.wParam == VK_F10) && altPressedInLoop_)
                Cancel();
            continue;
        case WM_CHAR:
        case WM_SYSCHAR:
            OnChar(msg.wParam);
            continue;
        default:
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void MenuTracker::Leave()
{
    CloseLevelsFrom(0);
    barSelected_ = -1;
    if (GetCapture() == owner_)
        ReleaseCapture();
    if (bar_)
        RedrawBar();
    Notify(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    Notify(WM_EXITMENULOOP, bar_ ? FALSE : TRUE, 0);
    if (mtd::t_current == this)
        mtd::t_current = nullptr;
    {
        std::lock_guard<std::mutex> lock(mtd::ActiveMutex());
        MenuTracker* self = this;
        s_active.compare_exchange_strong(self, nullptr);
    }
}

int MenuTracker::Deliver()
{
    if (flags_ & TPM_RETURNCMD)
        return static_cast<int>(result_);
    if (result_ && IsWindow(owner_))
        PostMessage(owner_, resultSystem_ ? WM_SYSCOMMAND : WM_COMMAND, result_, 0);
    return TRUE;
}

void MenuTracker::Notify(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (notify_ && IsWindow(owner_))
        SendMessage(owner_, message, wParam, lParam);
}

void MenuTracker::NotifySelect(HMENU menu, const MenuItem& item, int index, bool byMouse, bool system)
{
    UINT flags = (item.type | item.state | MF_HILITE) & 0xFFFF;
    if (item.subMenu)
        flags |= MF_POPUP;
    if (byMouse)
        flags |= MF_MOUSESELECT;
    if (system)
        flags |= MF_SYSMENU;
    const UINT id = item.subMenu ? static_cast<UINT>(index) : item.id;
    Notify(WM_MENUSELECT, MAKEWPARAM(id, flags), reinterpret_cast<LPARAM>(menu));
}

// --- mouse --------------------------------------------------------------------------

MenuTracker::Hit MenuTracker::Locate(POINT pt) const
{
    for (size_t i = levels_.size(); i-- > 0;) {
        const Level& level = levels_[i];
        const RECT area{level.origin.x, level.origin.y, level.origin.x + level.layout.size.cx,
                        level.origin.y + level.layout.size.cy};
        if (PtInRect(&area, pt))
            return Hit{static_cast<int>(i), level.layout.ItemAt(POINT{pt.x - level.origin.x, pt.y - level.origin.y})};
    }
    if (bar_) {
        const RECT area = BarScreenRect();
        if (PtInRect(&area, pt))
            return Hit{-1, barLayout_.ItemAt(POINT{pt.x - area.left, pt.y - area.top})};
    }
    return Hit{};
}

void MenuTracker::OnMouse(const MSG& msg)
{
    const Hit hit = Locate(msg.pt);
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        if (hit.level >= 0 && hit.item >= 0) {
            Select(static_cast<size_t>(hit.level), hit.item, true);
            OpenSelectedSubmenu(false);
        } else if (hit.level == -1 && hit.item >= 0 && hit.item != barSelected_ && !levels_.empty()) {
            SelectBar(hit.item, true, false);
        }
        return;
    }
    if (mtd::IsButtonDown(msg.message)) {
        if (hit.level == -2) {
            Cancel();
            return;
        }
        if (hit.level == -1) {
            if (hit.item < 0)
                return;
            if (hit.item == barSelected_ && !levels_.empty())
                Cancel();
            else
                SelectBar(hit.item, true, false);
            return;
        }
        if (hit.item >= 0) {
            Select(static_cast<size_t>(hit.level), hit.item, true);
            OpenSelectedSubmenu(false);
        }
        return;
    }
    if (mtd::IsButtonUp(msg.message)) {
        if (mtd::IsRightButton(msg.message) && !rightButton_)
            return;
        if (hit.level >= 0 && hit.item >= 0) {
            const MenuItem& item = levels_[static_cast<size_t>(hit.level)].layout.items[static_cast<size_t>(hit.item)];
            if (!item.subMenu)
                Execute(static_cast<size_t>(hit.level), hit.item);
        } else if (hit.level == -1 && hit.item >= 0 && levels_.empty()) {
            Execute(0, hit.item);
        }
    }
}

// --- keyboard ----------------------------------------------------------------------------

void MenuTracker::OnKeyDown(const MSG& msg)
{
    const bool inPopup = !levels_.empty();
    switch (msg.wParam) {
    case VK_MENU:
    case VK_F10:
        altPressedInLoop_ = true;
        return;
    case VK_ESCAPE:
        // A menu opened with the mouse leaves menu mode whole; from the
        // keyboard the bar stays selected for the arrows.
        if (bar_ && openedByMouse_ && levels_.size() == 1) {
            Cancel();
        } else if (levels_.size() > 1 || (bar_ && levels_.size() == 1)) {
            CloseLevelsFrom(levels_.size() - 1);
            if (bar_ && levels_.empty())
                RedrawBar();
        } else {
            Cancel();
        }
        return;
    case VK_UP:
    case VK_DOWN:
        if (inPopup)
            MoveInLevel(msg.wParam == VK_DOWN ? 1 : -1);
        else if (bar_ && barSelected_ >= 0)
            SelectBar(barSelected_, true, true);
        return;
    case VK_HOME:
    case VK_END:
        if (inPopup) {
            Level& top = levels_.back();
            const int first = msg.wParam == VK_HOME ? FirstItem(top.layout, 0, 1)
                                                     : FirstItem(top.layout,
                                                                       static_cast<int>(top.layout.items.size()) - 1, -1);
            if (first >= 0)
                Select(levels_.size() - 1, first, false);
        }
        return;
    case VK_LEFT:
        if (levels_.size() > 1)
            CloseLevelsFrom(levels_.size() - 1);
        else if (bar_)
            MoveInBar(-1);
        return;
    case VK_RIGHT:
        if (inPopup) {
            const Level& top = levels_.back();
            if (top.selected >= 0 && top.layout.items[static_cast<size_t>(top.selected)].subMenu &&
                top.layout.items[static_cast<size_t>(top.selected)].IsSelectable()) {
                OpenSelectedSubmenu(true);
                return;
            }
        }
        if (bar_)
            MoveInBar(1);
        return;
    case VK_RETURN:
        if (inPopup) {
            const Level& top = levels_.back();
            if (top.selected >= 0)
                Execute(levels_.size() - 1, top.selected);
        } else if (bar_ && barSelected_ >= 0) {
            if (barLayout_.items[static_cast<size_t>(barSelected_)].subMenu)
                SelectBar(barSelected_, true, true);
            else
                Execute(0, barSelected_);
        }
        return;
    default:
        return;
    }
}

void MenuTracker::OnChar(WPARAM ch)
{
    if (ch == VK_ESCAPE || ch == VK_RETURN || ch < ' ')
        return;
    const bool inPopup = !levels_.empty();
    const MenuLayout& layout = inPopup ? levels_.back().layout : barLayout_;
    const HMENU menu = inPopup ? levels_.back().menu : bar_;
    const int current = inPopup ? levels_.back().selected : barSelected_;
    const char wanted = static_cast<char>(std::tolower(static_cast<int>(ch & 0xFF)));
    std::vector<int> matches;
    for (size_t i = 0; i < layout.items.size(); ++i) {
        if (!layout.items[i].IsSeparator() && mtd::ItemMnemonic(layout.items[i]) == wanted)
            matches.push_back(static_cast<int>(i));
    }
    auto choose = [&](int index, bool execute) {
        if (inPopup) {
            Select(levels_.size() - 1, index, false);
            if (execute)
                Execute(levels_.size() - 1, index);
        } else {
            const bool popup = barLayout_.items[static_cast<size_t>(index)].subMenu != nullptr;
            SelectBar(index, popup && execute, popup && execute);
            if (execute && !popup)
                Execute(0, index);
        }
    };
    if (matches.size() == 1) {
        choose(matches.front(), true);
        return;
    }
    if (matches.size() > 1) {
        // Items sharing a mnemonic are stepped through, not chosen.
        auto next = std::upper_bound(matches.begin(), matches.end(), current);
        choose(next == matches.end() ? matches.front() : *next, false);
        return;
    }
    const UINT kind = (inPopup ? MF_POPUP : 0) | (inPopup && levels_.back().system ? MF_SYSMENU : 0);
    const LRESULT answer =
        notify_ ? SendMessage(owner_, WM_MENUCHAR, MAKEWPARAM(ch, kind), reinterpret_cast<LPARAM>(menu)) : 0;
    const int index = LOWORD(answer);
    const bool valid = index < static_cast<int>(layout.items.size());
    switch (HIWORD(answer)) {
    case MNC_EXECUTE:
        if (valid)
            choose(index, true);
        return;
    case MNC_SELECT:
        if (valid)
            choose(index, false);
        return;
    case MNC_CLOSE:
        Cancel();
        return;
    default:
        MessageBeep(0);
        return;
    }
}

// --- levels ------------------------------------------------------------------------------

HWND MenuTracker::CreatePopupWindow(HWND owner, const RECT& rect)
{
    mtd::RegisterPopupClass();
    return CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kPopupClassName, "", WS_POPUP,
                          rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, owner, nullptr, nullptr,
                          nullptr);
}

bool MenuTracker::OpenPopup(HMENU menu, int indexInParent, bool system, const RECT& anchor, bool besideAnchor,
                            POINT at, UINT align)
{
    Notify(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(indexInParent, system ? 1 : 0));
    Level level;
    level.menu = menu;
    level.system = system;
    level.layout = MenuPainter::MeasurePopup(owner_, menu);
    const SIZE size = level.layout.size;
    const RECT screen = mtd::ScreenArea();
    POINT origin;
    if (besideAnchor) {
        // A submenu opens to the right of its item, or to the left when the
        // screen ends first; its first item lines up with the parent item.
        origin = POINT{anchor.right - 3, anchor.top - 3};
        if (origin.x + size.cx > screen.right)
            origin.x = anchor.left - size.cx + 3;
    } else if (bar_) {
        // Below the bar item, or above it when the screen ends first.
        origin = POINT{anchor.left, anchor.bottom};
        if (origin.y + size.cy > screen.bottom)
            origin.y = anchor.top - size.cy;
    } else {
        origin = at;
        if (align & TPM_CENTERALIGN)
            origin.x -= size.cx / 2;
        else if (align & TPM_RIGHTALIGN)
            origin.x -= size.cx;
        if (align & TPM_VCENTERALIGN)
            origin.y -= size.cy / 2;
        else if (align & TPM_BOTTOMALIGN)
            origin.y -= size.cy;
        // Where the screen ends first, the menu opens to the other side of the point.
        if (origin.x + size.cx > screen.right)
            origin.x = at.x - size.cx;
        if (origin.y + size.cy > screen.bottom)
            origin.y = at.y - size.cy;
    }
    origin.x = std::max<LONG>(origin.x, screen.left);
    origin.y = std::max<LONG>(origin.y, screen.top);
    level.origin = origin;
    level.window = CreatePopupWindow(owner_, RECT{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy});
    if (!level.window)
        return false;
    const HWND window = level.window;
    levels_.push_back(std::move(level));
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(window);
    return true;
}

void MenuTracker::CloseLevelsFrom(size_t level)
{
    while (levels_.size() > level) {
        const HWND window = levels_.back().window;
        levels_.pop_back();
        if (!levels_.empty())
            InvalidateRect(levels_.back().window, nullptr, FALSE);
        DestroyWindow(window);
    }
}

void MenuTracker::Select(size_t levelIndex, int item, bool byMouse)
{
    if (levelIndex >= levels_.size())
        return;
    CloseLevelsFrom(levelIndex + 1);
    Level& level = levels_[levelIndex];
    if (level.selected == item)
        return;
    level.selected = item;
    InvalidateRect(level.window, nullptr, FALSE);
    UpdateWindow(level.window);
    if (item >= 0 && !level.layout.items[static_cast<size_t>(item)].IsSeparator())
        NotifySelect(level.menu, level.layout.items[static_cast<size_t>(item)], item, byMouse, level.system);
}

void MenuTracker::OpenSelectedSubmenu(bool selectFirst)
{
    if (levels_.empty())
        return;
    const size_t index = levels_.size() - 1;
    const Level& level = levels_[index];
    if (level.selected < 0)
        return;
    const MenuItem item = level.layout.items[static_cast<size_t>(level.selected)];
    if (!item.subMenu || !item.IsSelectable())
        return;
    RECT anchor = level.layout.rects[static_cast<size_t>(level.selected)];
    OffsetRect(&anchor, level.origin.x, level.origin.y);
    anchor.left = level.origin.x;
    anchor.right = level.origin.x + level.layout.size.cx;
    if (!OpenPopup(item.subMenu, level.selected, level.system, anchor, true))
        return;
    if (selectFirst) {
        const int first = FirstItem(levels_.back().layout, 0, 1);
        if (first >= 0)
            Select(levels_.size() - 1, first, false);
    }
}

void MenuTracker::Execute(size_t levelIndex, int item)
{
    const bool fromBar = levels_.empty();
    if (!fromBar && levelIndex >= levels_.size())
        return;
    const MenuItem& chosen = fromBar ? barLayout_.items[static_cast<size_t>(item)]
                                     : levels_[levelIndex].layout.items[static_cast<size_t>(item)];
    if (!chosen.IsSelectable())
        return;
    if (chosen.subMenu) {
        if (fromBar)
            SelectBar(item, true, true);
        else
            OpenSelectedSubmenu(true);
        return;
    }
    result_ = chosen.id;
    // A system menu opened from a bar (a maximised MDI child's) sends its
    // commands to the frame as WM_COMMAND, which hands them to the child.
    resultSystem_ = !fromBar && levels_[levelIndex].system && !bar_;
    done_ = true;
}

void MenuTracker::SelectBar(int item, bool openPopup, bool selectFirst)
{
    if (!bar_ || item < 0 || item >= static_cast<int>(barLayout_.items.size()))
        return;
    CloseLevelsFrom(0);
    barSelected_ = item;
    const MenuItem barItem = barLayout_.items[static_cast<size_t>(item)];
    RedrawBar();
    NotifySelect(bar_, barItem, item, false, false);
    if (!openPopup || !barItem.subMenu || !barItem.IsSelectable())
        return;
    const RECT barRect = BarScreenRect();
    RECT anchor = barLayout_.rects[static_cast<size_t>(item)];
    OffsetRect(&anchor, barRect.left, barRect.top);
    // A maximised MDI child's icon opens its system menu.
    const bool system = (barItem.type & MFT_BITMAP) && barItem.bitmap == HBMMENU_SYSTEM;
    if (system && IsWindow(reinterpret_cast<HWND>(barItem.data)))
        UpdateSystemMenuStates(reinterpret_cast<HWND>(barItem.data), barItem.subMenu);
    if (!OpenPopup(barItem.subMenu, item, system, anchor, false))
        return;
    RedrawBar();
    if (selectFirst) {
        const int first = FirstItem(levels_.back().layout, 0, 1);
        if (first >= 0)
            Select(0, first, false);
    }
}

int MenuTracker::FirstItem(const MenuLayout& layout, int from, int step) const
{
    const int count = static_cast<int>(layout.items.size());
    for (int i = from, n = 0; n < count; ++n, i = (i + step + count) % count) {
        if (i >= 0 && i < count && !layout.items[static_cast<size_t>(i)].IsSeparator())
            return i;
    }
    return -1;
}

void MenuTracker::MoveInLevel(int step)
{
    Level& top = levels_.back();
    const int count = static_cast<int>(top.layout.items.size());
    if (count == 0)
        return;
    int start = top.selected < 0 ? (step > 0 ? 0 : count - 1) : (top.selected + step + count) % count;
    // Separators are skipped; disabled items can be selected, as on the platform.
    for (int n = 0; n < count; ++n, start = (start + step + count) % count) {
        if (!top.layout.items[static_cast<size_t>(start)].IsSeparator()) {
            Select(levels_.size() - 1, start, false);
            return;
        }
    }
}

void MenuTracker::MoveInBar(int step)
{
    const int count = static_cast<int>(barLayout_.items.size());
    if (count == 0)
        return;
    const bool wasOpen = !levels_.empty();
    int next = barSelected_;
    for (int n = 0; n < count; ++n) {
        next = (next + step + count) % count;
        if (!barLayout_.items[static_cast<size_t>(next)].IsSeparator())
            break;
    }
    SelectBar(next, wasOpen, wasOpen);
}

RECT MenuTracker::BarScreenRect() const
{
    RECT bar = MenuBar::BarRect(owner_);
    RECT window{};
    GetWindowRect(owner_, &window);
    OffsetRect(&bar, window.left, window.top);
    return bar;
}

void MenuTracker::RedrawBar() { MenuBar::Redraw(owner_); }

// --- popup windows --------------------------------------------------------------------------

LRESULT CALLBACK MenuTracker::PopupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        if (MenuTracker* current = mtd::t_current) {
            for (const Level& level : current->levels_) {
                if (level.window == hwnd)
                    MenuPainter::PaintPopup(hdc, current->owner_, level.layout, level.selected);
            }
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace tw::menu
