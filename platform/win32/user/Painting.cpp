#include "platform/win32/user/Painting.h"

#include <map>
#include <mutex>

#include "platform/display/Display.h"
#include "platform/win32/gdi/RegionObject.h"
#include "platform/win32/gdi/ScreenDC.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/user/Caret.h"
#include "platform/win32/user/UserInternal.h"
#include "platform/win32/user/WindowTree.h"

namespace tw::user {

namespace painting_detail {

struct DcRecord {
    HWND hwnd;
};
std::mutex g_dcMutex;
std::map<HDC, DcRecord> g_dcs;

HWND g_locked = nullptr;  // LockWindowUpdate

RECT ClientArea(const Window* w)
{
    return RECT{0, 0, w->clientRect.right - w->clientRect.left, w->clientRect.bottom - w->clientRect.top};
}

bool IsLocked(const Window* w)
{
    if (!g_locked)
        return false;
    for (const Window* x = w; x; x = x->parent) {
        if (x->handle == g_locked)
            return true;
    }
    return false;
}

void SubtractVisibleSiblingsAbove(RectRegion& region, const Window* w)
{
    for (const Window* sibling : w->parent->children) {
        if (sibling == w)
            return;
        if (sibling->style & WS_VISIBLE)
            region.Subtract(Tree().ScreenRect(sibling));
    }
}

bool NeedsPaint(const Window* w)
{
    return !w->update.IsEmpty() || w->internalPaint || w->ncPaintNeeded;
}

void Register(HDC hdc, HWND hwnd)
{
    std::lock_guard lock(g_dcMutex);
    g_dcs[hdc] = DcRecord{hwnd};
}

// The parts of `area` (screen) that fall in the window's client and frame.
void InvalidateUnder(Window* w, const RECT& area)
{
    const RECT windowRect = Tree().ScreenRect(w);
    const RECT overlap = RectRegion::Intersection(windowRect, area);
    if (RectRegion::IsEmptyRect(overlap))
        return;
    const RECT client = Tree().ScreenClientRect(w);
    const RECT inClient = RectRegion::Intersection(overlap, client);
    if (!RectRegion::IsEmptyRect(inClient)) {
        RECT local = inClient;
        local.left -= client.left;
        local.right -= client.left;
        local.top -= client.top;
        local.bottom -= client.top;
        Painting::AddUpdate(w, local, true);
    }
    if (RectRegion::IsEmptyRect(inClient) || inClient.left != overlap.left || inClient.top != overlap.top ||
        inClient.right != overlap.right || inClient.bottom != overlap.bottom) {
        if (Painting::CanPaint(w)) {
            w->ncPaintNeeded = true;
            WakeOwnerOf(w->handle);
        }
    }
}

RectRegion g_desktopDirty;
bool g_desktopPainted = false;

}  // namespace painting_detail

bool Painting::CanPaint(const Window* w)
{
    for (const Window* x = w; x; x = x->parent) {
        if (!(x->style & WS_VISIBLE) || x->redrawDisabled)
            return false;
    }
    return true;
}

void Painting::AddUpdate(Window* w, const RECT& clientArea, bool erase)
{
    if (!CanPaint(w))
        return;  // while redraw is off nothing is remembered, as on the platform
    const RECT r = RectRegion::Intersection(clientArea, painting_detail::ClientArea(w));
    if (RectRegion::IsEmptyRect(r))
        return;
    w->update.Add(r);
    if (erase)
        w->eraseNeeded = true;
    WakeOwnerOf(w->handle);
}

RectRegion Painting::VisibleRegion(HWND hwnd, bool clientOnly, DWORD dcxFlags)
{
    namespace d = painting_detail;
    RectRegion region;
    UserGuard guard(UserMutex());
    Window* w = hwnd ? Tree().Find(hwnd) : Tree().Desktop();
    if (!w)
        return region;
    if (w == Tree().Desktop()) {
        region.Add(w->rect);
        return region;
    }
    if (!CanPaint(w) || (d::IsLocked(w) && !(dcxFlags & DCX_LOCKWINDOWUPDATE)))
        return region;
    region.Add(clientOnly ? Tree().ScreenClientRect(w) : Tree().ScreenRect(w));
    const bool clipChildren = (w->style & WS_CLIPCHILDREN) || (dcxFlags & DCX_CLIPCHILDREN);
    if (clientOnly && clipChildren) {
        for (const Window* child : w->children) {
            if (child->style & WS_VISIBLE)
                region.Subtract(Tree().ScreenRect(child));
        }
    }
    for (const Window* x = w; x != Tree().Desktop(); x = x->parent) {
        if (x != w)
            region.IntersectWith(Tree().ScreenClientRect(x));
        const bool clipSiblings = Tree().IsTopLevel(x) || (x->style & WS_CLIPSIBLINGS) ||
                                  (x == w && (dcxFlags & DCX_CLIPSIBLINGS));
        if (clipSiblings)
            d::SubtractVisibleSiblingsAbove(region, x);
        if (region.IsEmpty())
            break;
    }
    region.IntersectWith(Tree().Desktop()->rect);
    return region;
}

HRGN Painting::ToRegion(const RectRegion& region)
{
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    if (auto object = tw::gdi::FindRegion(rgn))
        object->SetRects(region.Rects());
    return rgn;
}

RectRegion Painting::FromRegion(HRGN rgn)
{
    RectRegion region;
    if (auto object = tw::gdi::FindRegion(rgn)) {
        for (const RECT& r : object->Rects())
            region.Add(r);
    }
    return region;
}

HDC Painting::WindowDC(HWND hwnd, bool wholeWindow, DWORD dcxFlags, const RectRegion* limit)
{
    RectRegion visible = VisibleRegion(hwnd, !wholeWindow, dcxFlags);
    if (limit) {
        RectRegion limited;
        for (const RECT& a : visible.Rects()) {
            for (const RECT& b : limit->Rects())
                limited.Add(RectRegion::Intersection(a, b));
        }
        visible = limited;
    }
    POINT origin{0, 0};
    {
        UserGuard guard(UserMutex());
        Window* w = hwnd ? Tree().Find(hwnd) : nullptr;
        if (hwnd && !w)
            return nullptr;
        if (w) {
            const RECT r = wholeWindow ? Tree().ScreenRect(w) : Tree().ScreenClientRect(w);
            origin = POINT{r.left, r.top};
        }
    }
    HRGN rgn = ToRegion(visible);
    HDC hdc = tw::gdi::CreateScreenDC(origin, rgn);
    DeleteObject(rgn);
    if (hdc)
        painting_detail::Register(hdc, hwnd);
    return hdc;
}

bool Painting::EraseWithClassBrush(HWND hwnd, HDC hdc)
{
    HBRUSH brush = reinterpret_cast<HBRUSH>(GetClassLongPtr(hwnd, GCL_HBRBACKGROUND));
    if (!brush || !hdc)
        return false;
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(hdc, &client, brush);
    return true;
}

LRESULT Painting::DefaultControlColor(UINT message, HDC hdc)
{
    int background = COLOR_3DFACE;
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX)
        background = COLOR_WINDOW;
    else if (message == WM_CTLCOLORSCROLLBAR)
        background = COLOR_SCROLLBAR;
    if (hdc) {
        SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(hdc, GetSysColor(background));
    }
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

void Painting::PaintDesktop()
{
    RectRegion dirty;
    {
        UserGuard guard(UserMutex());
        // The first time round the whole desktop is uncovered.
        if (!painting_detail::g_desktopPainted) {
            painting_detail::g_desktopPainted = true;
            painting_detail::g_desktopDirty.Add(Tree().Desktop()->rect);
        }
        if (painting_detail::g_desktopDirty.IsEmpty())
            return;
        dirty = painting_detail::g_desktopDirty;
        painting_detail::g_desktopDirty.Clear();
        for (const Window* top : Tree().Desktop()->children) {
            if (top->style & WS_VISIBLE)
                dirty.Subtract(Tree().ScreenRect(top));
        }
    }
    if (dirty.IsEmpty())
        return;
    HRGN rgn = ToRegion(dirty);
    HDC hdc = tw::gdi::CreateScreenDC(POINT{0, 0}, rgn);
    DeleteObject(rgn);
    if (!hdc)
        return;
    const RECT all = dirty.Bounds();
    FillRect(hdc, &all, GetSysColorBrush(COLOR_BACKGROUND));
    DeleteDC(hdc);
}

// --- bookkeeping the rest of the window system calls ----------------------------

void WakeOwnerOf(HWND hwnd)
{
    std::shared_ptr<MessageQueue> queue;
    {
        UserGuard guard(UserMutex());
        if (Window* w = Tree().Find(hwnd))
            queue = w->queue;
    }
    if (queue)
        queue->Wake();
}

void InvalidateWholeWindow(HWND hwnd)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return;
    Tree().ForEach(w, [](Window* x) {
        if (!Painting::CanPaint(x))
            return;
        x->ncPaintNeeded = true;
        Painting::AddUpdate(x, painting_detail::ClientArea(x), true);
        WakeOwnerOf(x->handle);
    });
}

void InvalidateScreenArea(const RECT& screenArea, HWND skip)
{
    UserGuard guard(UserMutex());
    Window* skipped = skip ? Tree().Find(skip) : nullptr;
    painting_detail::g_desktopDirty.Add(RectRegion::Intersection(screenArea, Tree().Desktop()->rect));
    Tree().ForEach(Tree().Desktop(), [&](Window* x) {
        if (x == Tree().Desktop() || x == skipped || (skipped && Tree().IsDescendant(skipped, x)))
            return;
        painting_detail::InvalidateUnder(x, screenArea);
    });
    // The desktop is painted by whichever thread reads the display's input.
    MessageQueue::WakeAll();
}

void InvalidateScreenAreaOf(HWND hwnd, const RECT& screenArea)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return;
    Tree().ForEach(w, [&](Window* x) { painting_detail::InvalidateUnder(x, screenArea); });
}

HWND FindWindowToPaint(DWORD threadId, HWND filter)
{
    UserGuard guard(UserMutex());
    HWND found = nullptr;
    Tree().ForEach(Tree().Desktop(), [&](Window* x) {
        if (found || x == Tree().Desktop() || x->threadId != threadId)
            return;
        if (filter && x->handle != filter)
            return;
        if (painting_detail::NeedsPaint(x) && Painting::CanPaint(x))
            found = x->handle;
    });
    return found;
}

void PaintFrameAndEraseNow(HWND hwnd)
{
    bool frame;
    bool erase;
    RectRegion update;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w || !Painting::CanPaint(w))
            return;
        frame = w->ncPaintNeeded;
        erase = w->eraseNeeded;
        update = w->update;
        w->ncPaintNeeded = false;
    }
    if (frame)
        SendMessage(hwnd, WM_NCPAINT, 1, 0);
    if (!erase)
        return;
    RectRegion screenUpdate = update;
    const POINT origin = [&] {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        return w ? Tree().ClientOrigin(w) : POINT{0, 0};
    }();
    screenUpdate.Offset(origin.x, origin.y);
    HDC hdc = Painting::WindowDC(hwnd, false, 0, &screenUpdate);
    const bool erased = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) != 0;
    ReleaseDC(hwnd, hdc);
    UserGuard guard(UserMutex());
    if (Window* w = Tree().Find(hwnd); w && erased)
        w->eraseNeeded = false;
}

}  // namespace tw::user

using tw::user::Painting;
using tw::user::RectRegion;
using tw::user::Tree;
using tw::user::UserGuard;
using tw::user::UserMutex;
using tw::user::Window;

namespace tw::user::painting_detail {

// Applies the RDW_ flags to one window; the region is in its client coordinates.
void Redraw(Window* w, const RectRegion& area, UINT flags)
{
    if (flags & RDW_INVALIDATE) {
        for (const RECT& r : area.Rects())
            Painting::AddUpdate(w, r, (flags & RDW_ERASE) != 0);
        if ((flags & RDW_FRAME) && Painting::CanPaint(w))
            w->ncPaintNeeded = true;
    }
    if ((flags & RDW_INTERNALPAINT) && Painting::CanPaint(w)) {
        w->internalPaint = true;
        WakeOwnerOf(w->handle);
    }
    if (flags & RDW_VALIDATE) {
        for (const RECT& r : area.Rects())
            w->update.Subtract(r);
        if (w->update.IsEmpty())
            w->eraseNeeded = false;
        if (flags & RDW_NOFRAME)
            w->ncPaintNeeded = false;
    }
    if (flags & RDW_NOERASE)
        w->eraseNeeded = false;
    if (flags & RDW_NOINTERNALPAINT)
        w->internalPaint = false;
}

void RedrawTree(Window* w, RectRegion area, UINT flags)
{
    Redraw(w, area, flags);
    if (flags & RDW_NOCHILDREN)
        return;
    // Without RDW_ALLCHILDREN only children the parent paints over are reached.
    if (!(flags & RDW_ALLCHILDREN) && (w->style & WS_CLIPCHILDREN))
        return;
    for (Window* child : w->children) {
        RectRegion childArea = area;
        childArea.Offset(-(child->rect.left + child->clientRect.left), -(child->rect.top + child->clientRect.top));
        childArea.IntersectWith(ClientArea(child));
        if (!childArea.IsEmpty() || (flags & RDW_INTERNALPAINT))
            RedrawTree(child, childArea, flags | ((flags & RDW_INVALIDATE) ? RDW_FRAME : 0));
    }
}

void UpdateNow(HWND hwnd, bool eraseOnly, bool children)
{
    PaintFrameAndEraseNow(hwnd);
    if (!eraseOnly) {
        bool needs;
        {
            UserGuard guard(UserMutex());
            Window* w = Tree().Find(hwnd);
            needs = w && Painting::CanPaint(w) && (!w->update.IsEmpty() || w->internalPaint);
        }
        if (needs)
            SendMessage(hwnd, WM_PAINT, 0, 0);
    }
    if (!children)
        return;
    std::vector<HWND> kids;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return;
        for (Window* c : w->children)
            kids.push_back(c->handle);
    }
    for (HWND child : kids)
        UpdateNow(child, eraseOnly, true);
}

}  // namespace tw::user::painting_detail

BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags)
{
    namespace d = tw::user::painting_detail;
    {
        UserGuard guard(UserMutex());
        Window* w = hWnd ? Tree().Find(hWnd) : Tree().Desktop();
        if (!w)
            return FALSE;
        RectRegion area;
        if (hrgnUpdate)
            area = Painting::FromRegion(hrgnUpdate);
        else if (lprcUpdate)
            area.Add(*lprcUpdate);
        else
            area.Add(d::ClientArea(w));
        if (w == Tree().Desktop()) {
            for (Window* top : w->children) {
                RectRegion topArea = area;
                topArea.Offset(-(top->rect.left + top->clientRect.left), -(top->rect.top + top->clientRect.top));
                d::RedrawTree(top, topArea, flags | RDW_FRAME);
            }
            if (flags & RDW_INVALIDATE)
                d::g_desktopDirty.Add(w->rect);
        } else {
            d::RedrawTree(w, area, flags);
        }
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        // The affected windows: children too unless they were kept out.
        const bool children = !(flags & RDW_NOCHILDREN);
        if (hWnd) {
            d::UpdateNow(hWnd, !(flags & RDW_UPDATENOW), children);
        } else {
            for (HWND top : [] {
                     std::vector<HWND> tops;
                     UserGuard guard(UserMutex());
                     for (Window* t : Tree().Desktop()->children)
                         tops.push_back(t->handle);
                     return tops;
                 }())
                d::UpdateNow(top, !(flags & RDW_UPDATENOW), true);
        }
    }
    return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    if (hWnd && !IsWindow(hWnd))
        return FALSE;
    return RedrawWindow(hWnd, lpRect, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | (bErase ? RDW_ERASE : 0) |
                                                   (hWnd ? 0 : RDW_ALLCHILDREN | RDW_FRAME));
}

BOOL InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase)
{
    if (hWnd && !IsWindow(hWnd))
        return FALSE;
    return RedrawWindow(hWnd, nullptr, hRgn, RDW_INVALIDATE | RDW_NOCHILDREN | (bErase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect)
{
    if (!hWnd)
        return InvalidateRect(nullptr, nullptr, TRUE);
    return RedrawWindow(hWnd, lpRect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN | (lpRect ? 0 : RDW_NOFRAME));
}

BOOL ValidateRgn(HWND hWnd, HRGN hRgn)
{
    return RedrawWindow(hWnd, nullptr, hRgn, RDW_VALIDATE | RDW_NOCHILDREN | (hRgn ? 0 : RDW_NOFRAME));
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase)
{
    RECT bounds{};
    bool erase = false;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWnd);
        if (!w)
            return FALSE;
        bounds = w->update.Bounds();
        erase = bErase && w->eraseNeeded && !w->update.IsEmpty();
    }
    if (erase)
        tw::user::PaintFrameAndEraseNow(hWnd);
    if (lpRect)
        *lpRect = bounds;
    return RectRegion::IsEmptyRect(bounds) ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL bErase)
{
    RectRegion update;
    bool erase = false;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWnd);
        if (!w)
            return ERROR;
        update = w->update;
        erase = bErase && w->eraseNeeded && !update.IsEmpty();
    }
    if (erase)
        tw::user::PaintFrameAndEraseNow(hWnd);
    auto object = tw::gdi::FindRegion(hRgn);
    if (!object)
        return ERROR;
    object->SetRects(update.Rects());
    return object->Complexity();
}

BOOL UpdateWindow(HWND hWnd)
{
    bool needs;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWnd);
        if (!w)
            return FALSE;
        needs = Painting::CanPaint(w) && (!w->update.IsEmpty() || w->internalPaint || w->ncPaintNeeded);
    }
    if (needs)
        SendMessage(hWnd, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL LockWindowUpdate(HWND hWndLock)
{
    namespace d = tw::user::painting_detail;
    HWND previous;
    {
        UserGuard guard(UserMutex());
        if (hWndLock && (d::g_locked || !Tree().Find(hWndLock)))
            return FALSE;  // one window at a time, as on the platform
        previous = d::g_locked;
        d::g_locked = hWndLock;
    }
    // What was drawn meanwhile never reached the screen: show it all again.
    if (!hWndLock && previous)
        RedrawWindow(previous, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    if (!lpPaint)
        return nullptr;
    *lpPaint = PAINTSTRUCT{};
    bool frame;
    bool erase;
    RectRegion update;
    POINT origin;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWnd);
        if (!w)
            return nullptr;
        frame = w->ncPaintNeeded;
        erase = w->eraseNeeded;
        update = w->update;
        origin = Tree().ClientOrigin(w);
        w->ncPaintNeeded = false;
        w->eraseNeeded = false;
        w->internalPaint = false;
        w->update.Clear();
    }
    tw::user::Caret::HideFor(hWnd);
    if (frame)
        SendMessage(hWnd, WM_NCPAINT, 1, 0);
    RectRegion screenUpdate = update;
    screenUpdate.Offset(origin.x, origin.y);
    HDC hdc = Painting::WindowDC(hWnd, false, 0, &screenUpdate);
    lpPaint->hdc = hdc;
    lpPaint->rcPaint = update.Bounds();
    lpPaint->fErase = TRUE;
    if (erase && hdc)
        lpPaint->fErase = SendMessage(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) ? FALSE : TRUE;
    else if (!erase)
        lpPaint->fErase = FALSE;
    return hdc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint)
{
    if (lpPaint && lpPaint->hdc)
        ReleaseDC(hWnd, lpPaint->hdc);
    tw::user::Caret::ShowAfterPaint(hWnd);
    return TRUE;
}

HDC GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags)
{
    if (hWnd && !IsWindow(hWnd))
        return nullptr;
    RectRegion limit;
    const RectRegion* limitPtr = nullptr;
    if (hrgnClip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        RectRegion clip = Painting::FromRegion(hrgnClip);
        if (flags & DCX_INTERSECTRGN) {
            limit = clip;
        } else {
            limit.Add(RECT{-32768, -32768, 32767, 32767});
            for (const RECT& r : clip.Rects())
                limit.Subtract(r);
        }
        limitPtr = &limit;
    }
    return Painting::WindowDC(hWnd, (flags & DCX_WINDOW) != 0, flags, limitPtr);
}

HDC GetDC(HWND hWnd)
{
    return GetDCEx(hWnd, nullptr, 0);
}

HDC GetWindowDC(HWND hWnd)
{
    return GetDCEx(hWnd, nullptr, DCX_WINDOW);
}

int ReleaseDC(HWND, HDC hDC)
{
    namespace d = tw::user::painting_detail;
    {
        std::lock_guard lock(d::g_dcMutex);
        if (d::g_dcs.erase(hDC) == 0)
            return 0;
    }
    DeleteDC(hDC);
    return 1;
}

HWND WindowFromDC(HDC hDC)
{
    namespace d = tw::user::painting_detail;
    std::lock_guard lock(d::g_dcMutex);
    const auto it = d::g_dcs.find(hDC);
    return it == d::g_dcs.end() ? nullptr : it->second.hwnd;
}
