#include "platform/win32/mdi/MdiClient.h"

#include <algorithm>
#include <cstdio>

#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/kernel/RectFunctions.h"
#include "platform/win32/mdi/MdiArrange.h"

namespace tw::mdi {

namespace mdi_client_detail {

constexpr const char* kMoreWindows = "&More Windows...";

std::string TitleOf(HWND hwnd)
{
    char buffer[256] = {};
    GetWindowText(hwnd, buffer, sizeof buffer);
    return buffer;
}

bool IsMdiChild(HWND hwnd)
{
    return IsWindow(hwnd) && (GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD);
}

}  // namespace mdi_client_detail

namespace mcd = mdi_client_detail;

std::mutex& MdiClient::Mutex()
{
    static std::mutex mutex;
    return mutex;
}

std::unordered_map<HWND, MdiClient::State>& MdiClient::States()
{
    static auto* states = new std::unordered_map<HWND, State>;
    return *states;
}

bool MdiClient::Snapshot(HWND client, State* state)
{
    std::lock_guard<std::mutex> lock(Mutex());
    auto found = States().find(client);
    if (found == States().end())
        return false;
    *state = found->second;
    return true;
}

template <typename F>
void MdiClient::Update(HWND client, F change)
{
    std::lock_guard<std::mutex> lock(Mutex());
    auto found = States().find(client);
    if (found != States().end())
        change(found->second);
}

HWND MdiClient::ClientOf(HWND child)
{
    if (!mcd::IsMdiChild(child))
        return nullptr;
    const HWND parent = GetParent(child);
    std::lock_guard<std::mutex> lock(Mutex());
    return States().count(parent) ? parent : nullptr;
}

HWND MdiClient::Active(HWND client, bool* maximized)
{
    State state;
    if (!Snapshot(client, &state))
        return nullptr;
    if (maximized)
        *maximized = state.maximized && state.active;
    return state.active;
}

HWND MdiClient::ChildForCommand(HWND client, UINT id)
{
    State state;
    if (!Snapshot(client, &state) || id < state.idFirstChild || id >= state.idFirstChild + kListedChildren)
        return nullptr;
    const size_t index = id - state.idFirstChild;
    return index < state.children.size() ? state.children[index] : nullptr;
}

RECT MdiClient::ClientArea(HWND client)
{
    RECT area{};
    GetClientRect(client, &area);
    return area;
}

std::vector<HWND> MdiClient::ZOrder(HWND client)
{
    std::vector<HWND> order;
    for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (mcd::IsMdiChild(child))
            order.push_back(child);
    }
    return order;
}

// --- the window procedure --------------------------------------------------------

LRESULT CALLBACK MdiClient::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(hwnd, lParam);
    case WM_MDICREATE:
        return reinterpret_cast<LRESULT>(CreateChild(hwnd, reinterpret_cast<const MDICREATESTRUCT*>(lParam)));
    case WM_MDIDESTROY:
        Destroy(hwnd, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_MDIACTIVATE:
        Activate(hwnd, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_MDIGETACTIVE: {
        bool maximized = false;
        const HWND active = Active(hwnd, &maximized);
        if (lParam)
            *reinterpret_cast<BOOL*>(lParam) = maximized;
        return reinterpret_cast<LRESULT>(active);
    }
    case WM_MDINEXT:
        Next(hwnd, reinterpret_cast<HWND>(wParam), lParam != 0);
        return 0;
    case WM_MDIMAXIMIZE:
        Maximize(hwnd, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_MDIRESTORE:
        Restore(hwnd, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_MDICASCADE:
        Cascade(hwnd, static_cast<UINT>(wParam));
        return TRUE;
    case WM_MDITILE:
        Tile(hwnd, static_cast<UINT>(wParam));
        return TRUE;
    case WM_MDIICONARRANGE:
        ArrangeIcons(hwnd);
        return 0;
    case WM_MDISETMENU:
        return SetMenus(hwnd, reinterpret_cast<HMENU>(wParam), reinterpret_cast<HMENU>(lParam));
    case WM_MDIREFRESHMENU: {
        RefreshWindowList(hwnd);
        State state;
        return Snapshot(hwnd, &state) ? reinterpret_cast<LRESULT>(GetMenu(state.frame)) : 0;
    }
    case WM_SIZE: {
        LRESULT result = DefWindowProc(hwnd, message, wParam, lParam);
        bool maximized = false;
        if (HWND active = Active(hwnd, &maximized); active && maximized)
            FitMaximized(hwnd, active);
        // Icons keep their place: a client that shrinks may hide them until they are arranged.
        UpdateScrollBars(hwnd);
        return result;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        Scroll(hwnd, message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
        return 0;
    case WM_NCDESTROY: {
        std::lock_guard<std::mutex> lock(Mutex());
        States().erase(hwnd);
        break;
    }
    default:
        break;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

LRESULT MdiClient::OnCreate(HWND client, LPARAM lParam)
{
    const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
    const auto* ccs = cs ? static_cast<const CLIENTCREATESTRUCT*>(cs->lpCreateParams) : nullptr;
    State state;
    state.frame = GetParent(client);
    // The bars a client is made with come and go as its children need them.
    state.scrollBars = cs != nullptr && (cs->style & (WS_HSCROLL | WS_VSCROLL)) != 0;
    if (ccs) {
        state.windowMenu = static_cast<HMENU>(ccs->hWindowMenu);
        state.idFirstChild = ccs->idFirstChild;
    }
    {
        std::lock_guard<std::mutex> lock(Mutex());
        States()[client] = state;
    }
    // Nothing to scroll yet.
    UpdateScrollBars(client);
    return 0;
}

// --- children --------------------------------------------------------------------------

HWND MdiClient::CreateChild(HWND client, const MDICREATESTRUCT* mcs)
{
    State state;
    if (!mcs || !Snapshot(client, &state))
        return nullptr;
    DWORD style = mcs->style;
    if (!(GetWindowLongPtr(client, GWL_STYLE) & MDIS_ALLCHILDSTYLES))
        style |= WS_CHILD | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                 WS_MAXIMIZEBOX;
    style |= WS_CHILD;
    const bool visible = (style & WS_VISIBLE) != 0;
    const bool maximizeIt = state.maximized && state.active;
    style &= ~(WS_VISIBLE | WS_MAXIMIZE);

    int x = mcs->x;
    int y = mcs->y;
    int cx = mcs->cx;
    int cy = mcs->cy;
    const RECT area = ClientArea(client);
    const std::vector<RECT> spots = MdiArrange::Cascade(area, static_cast<int>(state.children.size()) + 1);
    if (x == CW_USEDEFAULT) {
        x = spots.back().left;
        y = spots.back().top;
    }
    if (cx == CW_USEDEFAULT) {
        cx = spots.back().right - spots.back().left;
        cy = spots.back().bottom - spots.back().top;
    }
    const UINT id = state.idFirstChild + static_cast<UINT>(state.children.size());
    const HWND child = CreateWindowEx(WS_EX_MDICHILD, mcs->szClass, mcs->szTitle, style, x, y, cx, cy, client,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                      static_cast<HINSTANCE>(mcs->hOwner), const_cast<MDICREATESTRUCT*>(mcs));
    if (!child)
        return nullptr;
    Update(client, [child](State& s) { s.children.push_back(child); });
    if (visible) {
        ShowWindow(child, SW_SHOWNOACTIVATE);
        Activate(client, child);
        if (maximizeIt)
            Maximize(client, child);
    }
    RefreshWindowList(client);
    return child;
}

void MdiClient::Activate(HWND client, HWND child)
{
    State state;
    if (!Snapshot(client, &state))
        return;
    if (child && std::find(state.children.begin(), state.children.end(), child) == state.children.end())
        return;
    const HWND previous = state.active;
    if (previous == child) {
        if (child)
            SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    const bool carryMaximized = state.maximized && previous && child;
    // A child beyond the Window menu's nine swaps places with the ninth, so
    // the active one is always listed.
    Update(client, [child](State& s) {
        auto at = std::find(s.children.begin(), s.children.end(), child);
        if (at != s.children.end() && at - s.children.begin() >= kListedChildren)
            std::iter_swap(at, s.children.begin() + (kListedChildren - 1));
        s.active = child;
    });
    Renumber(client);
    if (carryMaximized) {
        // The maximised state goes with the activation.
        Update(client, [](State& s) { s.maximized = false; });
        UndecorateFrameMenu(client);
        ShowWindow(previous, SW_SHOWNOACTIVATE);
        ShowWindow(previous, SW_RESTORE);
    }
    if (previous && IsWindow(previous)) {
        SendMessage(previous, WM_NCACTIVATE, FALSE, 0);
        SendMessage(previous, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(previous), reinterpret_cast<LPARAM>(child));
    }
    if (child) {
        SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SendMessage(child, WM_NCACTIVATE, TRUE, 0);
        SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(previous), reinterpret_cast<LPARAM>(child));
        if (carryMaximized)
            Maximize(client, child);
        // The focus follows when the frame has it.
        const HWND focus = GetFocus();
        if (GetActiveWindow() == state.frame && (!focus || !IsChild(child, focus)))
            SetFocus(child);
    }
    RefreshWindowList(client);
    ShowFrameTitle(client);
}

void MdiClient::Next(HWND client, HWND from, bool previous)
{
    State state;
    if (!Snapshot(client, &state))
        return;
    if (!from)
        from = state.active;
    std::vector<HWND> order = ZOrder(client);
    order.erase(std::remove_if(order.begin(), order.end(),
                               [&](HWND h) { return h != from && (!IsWindowVisible(h) || !IsWindowEnabled(h)); }),
                order.end());
    if (order.size() < 2)
        return;
    if (previous) {
        Activate(client, order.back());
        return;
    }
    // The next one down comes up; the one left goes to the back, so repeated
    // presses visit every window.
    auto at = std::find(order.begin(), order.end(), from);
    const HWND target = (at == order.end() || at + 1 == order.end()) ? order.front() : *(at + 1);
    Activate(client, target);
    if (from && IsWindow(from))
        SetWindowPos(from, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MdiClient::FitMaximized(HWND client, HWND child)
{
    // The child's frame and caption lie outside the client area, so only its
    // client area shows; its caption buttons move to the frame's menu bar.
    RECT window{};
    RECT inner{};
    GetWindowRect(child, &window);
    GetClientRect(child, &inner);
    POINT origin{0, 0};
    ClientToScreen(child, &origin);
    const int left = origin.x - window.left;
    const int top = origin.y - window.top;
    const int right = (window.right - window.left) - left - inner.right;
    const int bottom = (window.bottom - window.top) - top - inner.bottom;
    const RECT area = ClientArea(client);
    SetWindowPos(child, nullptr, -left, -top, area.right + left + right, area.bottom + top + bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void MdiClient::Maximize(HWND client, HWND child)
{
    State state;
    if (!Snapshot(client, &state) || !child || !IsWindow(child))
        return;
    if (state.active != child)
        Activate(client, child);
    if (!IsZoomed(child))
        ShowWindow(child, SW_SHOWMAXIMIZED);
    FitMaximized(client, child);
    Update(client, [](State& s) { s.maximized = true; });
    DecorateFrameMenu(client);
    ShowFrameTitle(client);
    UpdateScrollBars(client);
}

void MdiClient::Restore(HWND client, HWND child)
{
    State state;
    if (!Snapshot(client, &state) || !child || !IsWindow(child))
        return;
    if (child == state.active && state.maximized) {
        Update(client, [](State& s) { s.maximized = false; });
        UndecorateFrameMenu(client);
    }
    ShowWindow(child, SW_RESTORE);
    ArrangeIcons(client);
    ShowFrameTitle(client);
}

void MdiClient::Minimize(HWND client, HWND child)
{
    State state;
    if (!Snapshot(client, &state) || !child)
        return;
    if (child == state.active && state.maximized) {
        Update(client, [](State& s) { s.maximized = false; });
        UndecorateFrameMenu(client);
        ShowFrameTitle(client);
    }
    ShowWindow(child, SW_MINIMIZE);
    ArrangeIcons(client);
}

void MdiClient::Destroy(HWND client, HWND child)
{
    State state;
    if (!Snapshot(client, &state) || std::find(state.children.begin(), state.children.end(), child) ==
                                             state.children.end())
        return;
    if (state.active == child) {
        std::vector<HWND> order = ZOrder(client);
        HWND next = nullptr;
        for (HWND h : order) {
            if (h != child && IsWindowVisible(h)) {
                next = h;
                break;
            }
        }
        const bool wasMaximized = state.maximized;
        if (next) {
            Activate(client, next);
        } else {
            SendMessage(child, WM_NCACTIVATE, FALSE, 0);
            SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
            Update(client, [](State& s) {
                s.active = nullptr;
                s.maximized = false;
            });
            UndecorateFrameMenu(client);
        }
        (void)wasMaximized;
    }
    Update(client, [child](State& s) { s.children.erase(std::remove(s.children.begin(), s.children.end(), child),
                                                        s.children.end()); });
    DestroyWindow(child);
    Renumber(client);
    RefreshWindowList(client);
    ShowFrameTitle(client);
    UpdateScrollBars(client);
}

// --- scrolling ---------------------------------------------------------------------------

namespace mdi_client_detail {

// A line of a scroll bar's arrow.
constexpr int kScrollLine = 16;

}  // namespace mdi_client_detail

bool MdiClient::BeginScrollWork(HWND client)
{
    std::lock_guard<std::mutex> lock(Mutex());
    auto found = States().find(client);
    if (found == States().end() || found->second.placingScrollBars)
        return false;
    found->second.placingScrollBars = true;
    return true;
}

void MdiClient::EndScrollWork(HWND client)
{
    Update(client, [](State& s) { s.placingScrollBars = false; });
}

void MdiClient::ChildPlacementChanged(HWND child)
{
    if (HWND client = ClientOf(child))
        UpdateScrollBars(client);
}

void MdiClient::UpdateScrollBars(HWND client)
{
    State state;
    if (!Snapshot(client, &state) || !state.scrollBars || !BeginScrollWork(client))
        return;
    // The rectangle that holds every shown child, in client coordinates. A
    // maximised child fills the client, so nothing needs scrolling then.
    RECT children{};
    for (HWND child : ZOrder(client)) {
        if (!IsWindowVisible(child))
            continue;
        if (IsZoomed(child)) {
            SetRectEmpty(&children);
            break;
        }
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&rect), 2);
        UnionRect(&children, &children, &rect);
    }
    // Twice: a bar that appears narrows the client, which may call for the other one.
    for (int pass = 0; pass < 2; ++pass) {
        const RECT area = ClientArea(client);
        RECT all = area;
        if (!IsRectEmpty(&children))
            UnionRect(&all, &area, &children);
        // The view starts at 0; the range runs from the leftmost (topmost) child to the farthest.
        SCROLLINFO horz{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, all.left, all.right - 1,
                        static_cast<UINT>(std::max(0L, static_cast<long>(area.right - area.left))), 0, 0};
        SCROLLINFO vert{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, all.top, all.bottom - 1,
                        static_cast<UINT>(std::max(0L, static_cast<long>(area.bottom - area.top))), 0, 0};
        SetScrollInfo(client, SB_HORZ, &horz, TRUE);
        SetScrollInfo(client, SB_VERT, &vert, TRUE);
    }
    EndScrollWork(client);
}

void MdiClient::MoveChildren(HWND client, int dx, int dy)
{
    for (HWND child : ZOrder(client)) {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&rect), 2);
        SetWindowPos(child, nullptr, rect.left + dx, rect.top + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(client, nullptr, TRUE);
}

void MdiClient::Scroll(HWND client, int bar, int code)
{
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(client, bar, &info))
        return;
    const int page = static_cast<int>(info.nPage);
    const int last = std::max(info.nMin, info.nMax - std::max(page, 1) + 1);
    int pos = info.nPos;
    switch (code) {
    case SB_LINEUP: pos -= mcd::kScrollLine; break;
    case SB_LINEDOWN: pos += mcd::kScrollLine; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    // The children move when the thumb is let go, not while it is dragged.
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    case SB_TOP: pos = info.nMin; break;
    case SB_BOTTOM: pos = last; break;
    default: return;
    }
    pos = std::clamp(pos, info.nMin, last);
    const int delta = info.nPos - pos;
    if (delta == 0)
        return;
    if (!BeginScrollWork(client))
        return;
    MoveChildren(client, bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0);
    EndScrollWork(client);
    // The view is the new origin: the ranges are worked out again from there.
    UpdateScrollBars(client);
}

void MdiClient::Renumber(HWND client)
{
    State state;
    if (!Snapshot(client, &state))
        return;
    for (size_t i = 0; i < state.children.size(); ++i)
        SetWindowLongPtr(state.children[i], GWLP_ID, static_cast<LONG_PTR>(state.idFirstChild + i));
}

// --- arranging ---------------------------------------------------------------------------

void MdiClient::Cascade(HWND client, UINT flags)
{
    bool maximized = false;
    if (HWND active = Active(client, &maximized); active && maximized)
        Restore(client, active);
    // Back to front, so the active window ends on top at the last place.
    std::vector<HWND> order = ZOrder(client);
    std::reverse(order.begin(), order.end());
    order.erase(std::remove_if(order.begin(), order.end(),
                               [flags](HWND h) {
                                   return !IsWindowVisible(h) || IsIconic(h) ||
                                          ((flags & MDITILE_SKIPDISABLED) && !IsWindowEnabled(h));
                               }),
                order.end());
    RECT area = ClientArea(client);
    std::vector<HWND> icons = ZOrder(client);
    icons.erase(std::remove_if(icons.begin(), icons.end(), [](HWND h) { return !IsIconic(h); }), icons.end());
    area.bottom -= MdiArrange::IconRowsHeight(area, static_cast<int>(icons.size()));
    const std::vector<RECT> rects = MdiArrange::Cascade(area, static_cast<int>(order.size()));
    for (size_t i = 0; i < order.size(); ++i) {
        const RECT& r = rects[i];
        SetWindowPos(order[i], HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
    }
}

void MdiClient::Tile(HWND client, UINT flags)
{
    bool maximized = false;
    if (HWND active = Active(client, &maximized); active && maximized)
        Restore(client, active);
    std::vector<HWND> order = ZOrder(client);
    order.erase(std::remove_if(order.begin(), order.end(),
                               [flags](HWND h) {
                                   return !IsWindowVisible(h) || IsIconic(h) ||
                                          ((flags & MDITILE_SKIPDISABLED) && !IsWindowEnabled(h));
                               }),
                order.end());
    RECT area = ClientArea(client);
    std::vector<HWND> icons = ZOrder(client);
    icons.erase(std::remove_if(icons.begin(), icons.end(), [](HWND h) { return !IsIconic(h); }), icons.end());
    area.bottom -= MdiArrange::IconRowsHeight(area, static_cast<int>(icons.size()));
    const std::vector<RECT> rects =
        MdiArrange::Tile(area, static_cast<int>(order.size()), (flags & MDITILE_HORIZONTAL) != 0);
    for (size_t i = 0; i < order.size(); ++i) {
        const RECT& r = rects[i];
        SetWindowPos(order[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MdiClient::ArrangeIcons(HWND client)
{
    State state;
    if (!Snapshot(client, &state))
        return;
    std::vector<HWND> icons;
    for (HWND child : state.children) {
        if (IsIconic(child))
            icons.push_back(child);
    }
    const std::vector<RECT> slots = MdiArrange::Icons(ClientArea(client), static_cast<int>(icons.size()));
    for (size_t i = 0; i < icons.size(); ++i) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(icons[i], &placement);
        placement.flags = WPF_SETMINPOSITION;
        placement.ptMinPosition = POINT{slots[i].left, slots[i].top};
        SetWindowPlacement(icons[i], &placement);
        SetWindowPos(icons[i], nullptr, slots[i].left, slots[i].top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// --- the frame's menus and title ------------------------------------------------------

LRESULT MdiClient::SetMenus(HWND client, HMENU frameMenu, HMENU windowMenu)
{
    State state;
    if (!Snapshot(client, &state))
        return 0;
    const HMENU oldFrameMenu = GetMenu(state.frame);
    if (windowMenu && windowMenu != state.windowMenu) {
        RemoveWindowList(client);
        Update(client, [windowMenu](State& s) { s.windowMenu = windowMenu; });
    }
    if (frameMenu && frameMenu != oldFrameMenu) {
        UndecorateFrameMenu(client);
        SetMenu(state.frame, frameMenu);
        if (state.maximized)
            DecorateFrameMenu(client);
    }
    RefreshWindowList(client);
    return reinterpret_cast<LRESULT>(oldFrameMenu);
}

void MdiClient::RemoveWindowList(HWND client)
{
    State state;
    if (!Snapshot(client, &state) || !state.listShown || !IsMenu(state.windowMenu))
        return;
    for (int i = GetMenuItemCount(state.windowMenu) - 1; i >= 0; --i) {
        const UINT id = GetMenuItemID(state.windowMenu, i);
        if (id >= state.idFirstChild && id <= state.idFirstChild + kListedChildren)
            DeleteMenu(state.windowMenu, static_cast<UINT>(i), MF_BYPOSITION);
    }
    // The separator the list brought with it is now last.
    const int last = GetMenuItemCount(state.windowMenu) - 1;
    if (last >= 0 && (GetMenuState(state.windowMenu, static_cast<UINT>(last), MF_BYPOSITION) & MF_SEPARATOR))
        DeleteMenu(state.windowMenu, static_cast<UINT>(last), MF_BYPOSITION);
    Update(client, [](State& s) { s.listShown = false; });
}

void MdiClient::RefreshWindowList(HWND client)
{
    RemoveWindowList(client);
    State state;
    if (!Snapshot(client, &state) || !IsMenu(state.windowMenu))
        return;
    std::vector<HWND> listed;
    for (HWND child : state.children) {
        if (IsWindowVisible(child))
            listed.push_back(child);
    }
    if (listed.empty())
        return;
    AppendMenu(state.windowMenu, MF_SEPARATOR, 0, nullptr);
    const size_t shown = std::min<size_t>(listed.size(), kListedChildren);
    for (size_t i = 0; i < shown; ++i) {
        char text[300];
        std::snprintf(text, sizeof text, "&%zu %s", i + 1, mcd::TitleOf(listed[i]).c_str());
        const UINT id = static_cast<UINT>(GetWindowLongPtr(listed[i], GWLP_ID));
        AppendMenu(state.windowMenu, MF_STRING | (listed[i] == state.active ? MF_CHECKED : 0), id, text);
    }
    if (listed.size() > kListedChildren)
        AppendMenu(state.windowMenu, MF_STRING, state.idFirstChild + kListedChildren, mcd::kMoreWindows);
    Update(client, [](State& s) { s.listShown = true; });
}

void MdiClient::DecorateFrameMenu(HWND client)
{
    State state;
    if (!Snapshot(client, &state) || !state.active)
        return;
    const HMENU menu = GetMenu(state.frame);
    if (!menu || state.decoratedMenu == menu)
        return;
    const HMENU system = GetSystemMenu(state.active, FALSE);
    MENUITEMINFO icon{};
    icon.cbSize = sizeof icon;
    icon.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_DATA | MIIM_BITMAP | MIIM_ID;
    icon.fType = MFT_BITMAP;
    icon.hSubMenu = system;
    icon.dwItemData = reinterpret_cast<ULONG_PTR>(state.active);
    icon.hbmpItem = HBMMENU_SYSTEM;
    icon.wID = 0;
    MENUITEMINFO iconType = icon;
    iconType.fMask = MIIM_TYPE | MIIM_SUBMENU | MIIM_DATA | MIIM_ID;
    iconType.dwTypeData = reinterpret_cast<LPSTR>(HBMMENU_SYSTEM);
    InsertMenuItem(menu, 0, TRUE, &iconType);
    AppendMenu(menu, MF_BITMAP | MF_RIGHTJUSTIFY, SC_MINIMIZE, reinterpret_cast<LPCSTR>(HBMMENU_MBAR_MINIMIZE));
    AppendMenu(menu, MF_BITMAP, SC_RESTORE, reinterpret_cast<LPCSTR>(HBMMENU_MBAR_RESTORE));
    AppendMenu(menu, MF_BITMAP, SC_CLOSE, reinterpret_cast<LPCSTR>(HBMMENU_MBAR_CLOSE));
    Update(client, [menu](State& s) { s.decoratedMenu = menu; });
    DrawMenuBar(state.frame);
}

void MdiClient::UndecorateFrameMenu(HWND client)
{
    State state;
    if (!Snapshot(client, &state) || !state.decoratedMenu)
        return;
    const HMENU menu = state.decoratedMenu;
    Update(client, [](State& s) { s.decoratedMenu = nullptr; });
    if (!IsMenu(menu))
        return;
    // The system menu stays the child's: remove the item, not the menu.
    MENUITEMINFO first{};
    first.cbSize = sizeof first;
    first.fMask = MIIM_FTYPE | MIIM_DATA;
    if (GetMenuItemInfo(menu, 0, TRUE, &first) && (first.fType & MFT_BITMAP))
        RemoveMenu(menu, 0, MF_BYPOSITION);
    for (UINT command : {SC_MINIMIZE, SC_RESTORE, SC_CLOSE}) {
        const int count = GetMenuItemCount(menu);
        for (int i = count - 1; i >= 0; --i) {
            if (GetMenuItemID(menu, i) == command &&
                (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_BITMAP)) {
                RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
                break;
            }
        }
    }
    if (GetMenu(state.frame) == menu)
        DrawMenuBar(state.frame);
}

void MdiClient::FrameTitleChanged(HWND client, const char* title)
{
    Update(client, [title](State& s) {
        s.frameTitle = title ? title : "";
        s.frameTitleKnown = true;
    });
    ShowFrameTitle(client);
}

void MdiClient::ChildTitleChanged(HWND child)
{
    const HWND client = ClientOf(child);
    if (!client)
        return;
    RefreshWindowList(client);
    ShowFrameTitle(client);
}

void MdiClient::ChildVisibilityChanged(HWND child)
{
    const HWND client = ClientOf(child);
    if (!client)
        return;
    State state;
    if (!Snapshot(client, &state))
        return;
    if (IsWindowVisible(child) && !state.active) {
        Activate(client, child);
        return;
    }
    if (!IsWindowVisible(child) && state.active == child) {
        for (HWND other : ZOrder(client)) {
            if (other != child && IsWindowVisible(other)) {
                Activate(client, other);
                return;
            }
        }
    }
    RefreshWindowList(client);
}

void MdiClient::ShowFrameTitle(HWND client)
{
    State state;
    if (!Snapshot(client, &state) || !IsWindow(state.frame))
        return;
    if (!state.frameTitleKnown) {
        state.frameTitle = mcd::TitleOf(state.frame);
        Update(client, [&](State& s) {
            s.frameTitle = state.frameTitle;
            s.frameTitleKnown = true;
        });
    }
    std::string title = state.frameTitle;
    if (state.maximized && state.active)
        title += " - [" + mcd::TitleOf(state.active) + "]";
    // Straight to the default processing, so the frame's base title stays ours.
    DefWindowProc(state.frame, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
}

}  // namespace tw::mdi
