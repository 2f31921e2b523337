#include "platform/win32/user/NonClientPainter.h"

#include <mutex>
#include <string>

#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/kernel/RectFunctions.h"
#include "platform/win32/user/MenuBarHook.h"
#include "platform/win32/user/NonClientLayout.h"
#include "platform/win32/user/Painting.h"
#include "platform/win32/user/ScrollBars.h"
#include "platform/win32/user/WindowTree.h"

namespace tw::user {

namespace nonclient_painter_detail {

struct FrameSnapshot {
    DWORD style = 0;
    DWORD exStyle = 0;
    int width = 0;
    int height = 0;
    int menuBarHeight = 0;
    bool active = false;
    std::string title;
    HICON icon = nullptr;
};

std::mutex g_pressedMutex;
HWND g_pressedWindow = nullptr;
int g_pressedHit = 0;

bool Snapshot(HWND hwnd, FrameSnapshot& out)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return false;
    out.style = w->style;
    out.exStyle = w->exStyle;
    out.width = w->rect.right - w->rect.left;
    out.height = w->rect.bottom - w->rect.top;
    out.menuBarHeight = w->menuBarHeight;
    out.active = w->captionActive;
    out.title = w->text;
    out.icon = w->iconSmall ? w->iconSmall : (w->cls ? w->cls->iconSmall : nullptr);
    if (!out.icon)
        out.icon = w->iconBig ? w->iconBig : (w->cls ? w->cls->icon : nullptr);
    return true;
}

void Fill(HDC hdc, RECT r, int colour)
{
    FillRect(hdc, &r, GetSysColorBrush(colour));
}

// Borders: a raised 3-D edge outside, then the border colour (sizing frames)
// or the face colour (fixed frames) up to the frame's thickness.
void PaintBorders(HDC hdc, const FrameSnapshot& f, const NonClientLayout& layout)
{
    RECT r{0, 0, f.width, f.height};
    if (layout.frame == 1) {
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    } else if (layout.frame > 1) {
        DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        const int colour = layout.thickFrame ? (f.active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER) : COLOR_3DFACE;
        for (int i = 2; i < layout.frame; ++i) {
            FrameRect(hdc, &r, GetSysColorBrush(colour));
            InflateRect(&r, -1, -1);
        }
    }
    const int edge = NonClientLayout::EdgeWidth(f.exStyle);
    if (edge > 0) {
        RECT inner{layout.frame, layout.frame + layout.captionHeight, f.width - layout.frame, f.height - layout.frame};
        if (f.exStyle & WS_EX_CLIENTEDGE)
            DrawEdge(hdc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        if (f.exStyle & WS_EX_STATICEDGE)
            DrawEdge(hdc, &inner, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
}

void PaintCaptionBackground(HDC hdc, const RECT& caption, bool active)
{
    const COLORREF from = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    const COLORREF to = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    TRIVERTEX vertices[2] = {
        {caption.left, caption.top, static_cast<COLOR16>(GetRValue(from) << 8), static_cast<COLOR16>(GetGValue(from) << 8),
         static_cast<COLOR16>(GetBValue(from) << 8), 0},
        {caption.right, caption.bottom, static_cast<COLOR16>(GetRValue(to) << 8), static_cast<COLOR16>(GetGValue(to) << 8),
         static_cast<COLOR16>(GetBValue(to) << 8), 0},
    };
    GRADIENT_RECT mesh{0, 1};
    if (!GradientFill(hdc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_H))
        Fill(hdc, caption, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    // The line under the caption belongs to the frame.
    Fill(hdc, RECT{caption.left, caption.bottom, caption.right, caption.bottom + 1}, COLOR_3DFACE);
}

void PaintCaptionText(HDC hdc, const FrameSnapshot& f, const NonClientLayout& layout)
{
    RECT text = layout.caption;
    text.left += (layout.sysMenuIcon.right > 0 ? layout.sysMenuIcon.right - layout.caption.left : 0) + 2;
    if (layout.minButton.left > 0)
        text.right = layout.minButton.left - 2;
    else if (layout.closeButton.left > 0)
        text.right = layout.closeButton.left - 2;
    LOGFONTA lf = tw::gdi::DefaultGuiLogFont(true);
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ oldFont = SelectObject(hdc, font);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(f.active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    DrawText(hdc, f.title.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(hdc, oldFont);
    DeleteObject(font);
}

void PaintCaptionButtons(HDC hdc, HWND hwnd, const FrameSnapshot& f, const NonClientLayout& layout)
{
    int pressedHit = 0;
    {
        std::lock_guard lock(g_pressedMutex);
        if (g_pressedWindow == hwnd)
            pressedHit = g_pressedHit;
    }
    const auto button = [&](RECT r, UINT kind, int hit, bool enabled) {
        if (r.right <= r.left)
            return;
        UINT state = kind;
        if (pressedHit == hit)
            state |= DFCS_PUSHED;
        if (!enabled)
            state |= DFCS_INACTIVE;
        DrawFrameControl(hdc, &r, DFC_CAPTION, state);
    };
    button(layout.closeButton, DFCS_CAPTIONCLOSE, HTCLOSE, true);
    button(layout.maxButton, (f.style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX, HTMAXBUTTON,
           (f.style & WS_MAXIMIZEBOX) != 0);
    button(layout.minButton, (f.style & WS_MINIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN, HTMINBUTTON,
           (f.style & WS_MINIMIZEBOX) != 0);
}

void PaintScrollBar(HDC hdc, HWND hwnd, int bar)
{
    const ScrollBarGeometry g = ScrollBars::Geometry(hwnd, bar);
    if (!g.present)
        return;
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd, bar, &si);
    const bool disabled = RectRegion::IsEmptyRect(g.thumb);
    RECT up = g.upArrow;
    RECT down = g.downArrow;
    const UINT inactive = disabled ? DFCS_INACTIVE : 0;
    DrawFrameControl(hdc, &up, DFC_SCROLL, (g.vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | inactive);
    DrawFrameControl(hdc, &down, DFC_SCROLL, (g.vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | inactive);
    RECT track = g.vertical ? RECT{g.bar.left, up.bottom, g.bar.right, down.top}
                            : RECT{up.right, g.bar.top, down.left, g.bar.bottom};
    Fill(hdc, track, COLOR_SCROLLBAR);
    if (!disabled) {
        RECT thumb = g.thumb;
        Fill(hdc, thumb, COLOR_3DFACE);
        DrawEdge(hdc, &thumb, EDGE_RAISED, BF_RECT);
    }
}

}  // namespace nonclient_painter_detail

void NonClientPainter::Paint(HWND hwnd)
{
    namespace d = nonclient_painter_detail;
    d::FrameSnapshot f;
    if (!d::Snapshot(hwnd, f))
        return;
    const NonClientLayout layout(f.style, f.exStyle, f.width, f.height, (f.style & WS_HSCROLL) != 0,
                                 (f.style & WS_VSCROLL) != 0, f.menuBarHeight);
    if (layout.client.left == 0 && layout.client.top == 0 && layout.client.right == f.width &&
        layout.client.bottom == f.height)
        return;  // no frame at all
    // The frame only: the client area keeps what its owner drew.
    RectRegion limit;
    RECT windowOnScreen;
    GetWindowRect(hwnd, &windowOnScreen);
    limit.Add(windowOnScreen);
    if (!(f.style & WS_MINIMIZE))
        limit.Subtract(RECT{windowOnScreen.left + layout.client.left, windowOnScreen.top + layout.client.top,
                            windowOnScreen.left + layout.client.right, windowOnScreen.top + layout.client.bottom});
    HDC hdc = Painting::WindowDC(hwnd, true, 0, &limit);
    if (!hdc)
        return;
    d::PaintBorders(hdc, f, layout);
    if (layout.captionHeight) {
        d::PaintCaptionBackground(hdc, layout.caption, f.active);
        if (f.icon && layout.sysMenuIcon.right > layout.sysMenuIcon.left)
            DrawIconEx(hdc, layout.sysMenuIcon.left, layout.sysMenuIcon.top, f.icon, 16, 16, 0, nullptr, DI_NORMAL);
        d::PaintCaptionText(hdc, f, layout);
        d::PaintCaptionButtons(hdc, hwnd, f, layout);
    }
    if (f.style & WS_VSCROLL)
        d::PaintScrollBar(hdc, hwnd, SB_VERT);
    if (f.style & WS_HSCROLL)
        d::PaintScrollBar(hdc, hwnd, SB_HORZ);
    if (layout.sizeBox.right > layout.sizeBox.left)
        d::Fill(hdc, layout.sizeBox, COLOR_3DFACE);
    if (layout.menuBar.bottom > layout.menuBar.top && !(f.style & WS_MINIMIZE))
        MenuBarHook::Paint(hwnd, hdc, layout.menuBar);
    ReleaseDC(hwnd, hdc);
}

void NonClientPainter::SetActiveCaption(HWND hwnd, bool active)
{
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return;
        w->captionActive = active;
    }
    RedrawCaption(hwnd);
}

void NonClientPainter::RedrawCaption(HWND hwnd)
{
    if (IsWindowVisible(hwnd))
        Paint(hwnd);
}

void NonClientPainter::PressCaptionButton(HWND hwnd, int hit, bool pressed)
{
    {
        std::lock_guard lock(nonclient_painter_detail::g_pressedMutex);
        nonclient_painter_detail::g_pressedWindow = pressed ? hwnd : nullptr;
        nonclient_painter_detail::g_pressedHit = pressed ? hit : 0;
    }
    RedrawCaption(hwnd);
}

}  // namespace tw::user
