// Scrolling a window's client area: the pixels move on the screen, what was
// uncovered (or could not be copied because it was hidden) is invalidated,
// and pending invalid areas move with the content.
#include "platform/win32/gdi/RegionObject.h"
#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/user/Caret.h"
#include "platform/win32/user/Painting.h"
#include "platform/win32/user/UserInternal.h"
#include "platform/win32/user/WindowTree.h"

namespace tw::user::scroll_window_detail {

RectRegion Offset(RectRegion region, int dx, int dy)
{
    region.Offset(dx, dy);
    return region;
}

RectRegion Intersect(const RectRegion& a, const RectRegion& b)
{
    RectRegion out;
    for (const RECT& x : a.Rects()) {
        for (const RECT& y : b.Rects())
            out.Add(RectRegion::Intersection(x, y));
    }
    return out;
}

void MoveChildren(HWND hwnd, const RECT* scroll, int dx, int dy)
{
    std::vector<std::pair<HWND, RECT>> children;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return;
        for (Window* c : w->children) {
            if (!scroll || !RectRegion::IsEmptyRect(RectRegion::Intersection(c->rect, *scroll)))
                children.emplace_back(c->handle, c->rect);
        }
    }
    for (const auto& [child, r] : children)
        SetWindowPos(child, nullptr, r.left + dx, r.top + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

}  // namespace tw::user::scroll_window_detail

using tw::user::Painting;
using tw::user::RectRegion;
using tw::user::Tree;
using tw::user::UserGuard;
using tw::user::UserMutex;
using tw::user::Window;

int ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* prcScroll, const RECT* prcClip, HRGN hrgnUpdate,
                   LPRECT prcUpdate, UINT flags)
{
    namespace d = tw::user::scroll_window_detail;
    RECT client;
    if (!GetClientRect(hWnd, &client))
        return ERROR;
    const RECT scroll = prcScroll ? RectRegion::Intersection(*prcScroll, client) : client;
    const RECT clip = prcClip ? RectRegion::Intersection(*prcClip, client) : client;
    const RECT moved = RectRegion::Intersection(scroll, clip);

    POINT origin;
    {
        UserGuard guard(UserMutex());
        origin = Tree().ClientOrigin(Tree().Find(hWnd));
    }
    // What can be copied: visible before (source) and visible after (destination).
    RectRegion visible = Painting::VisibleRegion(hWnd, true, 0);
    visible.Offset(-origin.x, -origin.y);
    RectRegion source;
    source.Add(moved);
    source = d::Intersect(source, visible);
    RectRegion destination = d::Offset(source, dx, dy);
    destination.IntersectWith(clip);
    destination = d::Intersect(destination, visible);

    tw::user::Caret::HideFor(hWnd);
    if (!destination.IsEmpty()) {
        HDC hdc = GetDC(hWnd);
        for (const RECT& r : destination.Rects())
            BitBlt(hdc, r.left, r.top, r.right - r.left, r.bottom - r.top, hdc, r.left - dx, r.top - dy, SRCCOPY);
        ReleaseDC(hWnd, hdc);
    }
    tw::user::Caret::ShowAfterPaint(hWnd);

    // Everything in the clipped scroll area that did not receive copied pixels.
    RectRegion invalid;
    invalid.Add(moved);
    for (const RECT& r : destination.Rects())
        invalid.Subtract(r);

    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWnd);
        if (w && !w->update.IsEmpty()) {
            // Pending invalid parts inside the scroll area travel with the pixels.
            RectRegion inside = w->update;
            inside.IntersectWith(moved);
            for (const RECT& r : inside.Rects())
                w->update.Subtract(r);
            inside.Offset(dx, dy);
            inside.IntersectWith(clip);
            for (const RECT& r : inside.Rects())
                invalid.Add(r);
        }
    }
    if (flags & SW_SCROLLCHILDREN)
        d::MoveChildren(hWnd, prcScroll, dx, dy);
    if (flags & SW_INVALIDATE) {
        HRGN rgn = Painting::ToRegion(invalid);
        RedrawWindow(hWnd, nullptr, rgn,
                     RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0) |
                         ((flags & SW_SCROLLCHILDREN) ? RDW_ALLCHILDREN : RDW_NOCHILDREN));
        DeleteObject(rgn);
    }
    if (hrgnUpdate) {
        if (auto object = tw::gdi::FindRegion(hrgnUpdate))
            object->SetRects(invalid.Rects());
    }
    if (prcUpdate)
        *prcUpdate = invalid.Bounds();
    if (invalid.IsEmpty())
        return NULLREGION;
    return invalid.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect, const RECT* lpClipRect)
{
    const UINT flags = SW_INVALIDATE | SW_ERASE | (lpRect ? 0 : SW_SCROLLCHILDREN);
    return ScrollWindowEx(hWnd, XAmount, YAmount, lpRect, lpClipRect, nullptr, nullptr, flags) != ERROR ? TRUE : FALSE;
}
