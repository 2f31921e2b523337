#include "platform/win32/user/NonClientLayout.h"

#include <algorithm>

#include "platform/win32/gdi/SystemMetrics.h"

namespace tw::user {

namespace nonclient_layout_detail {

// The frame's measures come from the system metrics table, so a changed
// table changes every frame alike.
int Border() { return GetSystemMetrics(SM_CXBORDER); }
int Edge() { return GetSystemMetrics(SM_CXEDGE); }
int FixedFrame() { return GetSystemMetrics(SM_CXDLGFRAME); }
int SizeFrame() { return GetSystemMetrics(SM_CXFRAME); }
int Caption() { return GetSystemMetrics(SM_CYCAPTION); }
int SmallCaption() { return GetSystemMetrics(SM_CYSMCAPTION); }
int CaptionButton() { return GetSystemMetrics(SM_CXSIZE); }
int SmallCaptionButton() { return GetSystemMetrics(SM_CXSMSIZE); }
int ScrollBar() { return GetSystemMetrics(SM_CXVSCROLL); }

bool Contains(const RECT& r, POINT p)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace nonclient_layout_detail

int NonClientLayout::OuterFrame(DWORD style, DWORD exStyle)
{
    namespace d = nonclient_layout_detail;
    if (style & WS_THICKFRAME)
        return d::SizeFrame();
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        return d::FixedFrame();
    if (style & WS_BORDER)
        return d::Border();
    return 0;
}

int NonClientLayout::EdgeWidth(DWORD exStyle)
{
    namespace d = nonclient_layout_detail;
    int edge = 0;
    if (exStyle & WS_EX_CLIENTEDGE)
        edge += d::Edge();
    if (exStyle & WS_EX_STATICEDGE)
        edge += d::Border();
    return edge;
}

int NonClientLayout::MenuBarWidth(DWORD style, DWORD exStyle, int width)
{
    return std::max(width - 2 * OuterFrame(style, exStyle), 0);
}

NonClientLayout::NonClientLayout(DWORD style, DWORD exStyle, int width, int height, bool hScrollShown,
                                 bool vScrollShown, int menuBarHeight)
{
    namespace d = nonclient_layout_detail;
    outerWidth = width;
    outerHeight = height;
    frame = OuterFrame(style, exStyle);
    thickFrame = (style & WS_THICKFRAME) != 0;
    const bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
    if ((style & WS_CAPTION) == WS_CAPTION)
        captionHeight = tool ? d::SmallCaption() : d::Caption();
    hasSysMenu = captionHeight && (style & WS_SYSMENU);
    hasMinMax = hasSysMenu && !tool && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    if (captionHeight) {
        caption = RECT{frame, frame, width - frame, frame + captionHeight - 1};
        const int buttonHeight = captionHeight - 5;
        const int buttonWidth = (tool ? d::SmallCaptionButton() : d::CaptionButton()) - 2;
        const int top = caption.top + 2;
        if (hasSysMenu) {
            closeButton = RECT{caption.right - 2 - buttonWidth, top, caption.right - 2, top + buttonHeight};
            if (!tool) {
                sysMenuIcon = RECT{caption.left + 2, caption.top + 1, caption.left + 2 + 16, caption.top + 1 + 16};
                sysMenuIcon.bottom = std::min(sysMenuIcon.bottom, caption.bottom);
            }
        }
        if (hasMinMax) {
            maxButton = RECT{closeButton.left - 2 - buttonWidth, top, closeButton.left - 2, top + buttonHeight};
            minButton = RECT{maxButton.left - buttonWidth, top, maxButton.left, top + buttonHeight};
        }
    }

    const int barTop = frame + captionHeight;
    if (menuBarHeight > 0 && !(style & WS_CHILD)) {
        menuBar = RECT{frame, barTop, width - frame, std::min(barTop + menuBarHeight, std::max(height - frame, barTop))};
        menuBarHeight = menuBar.bottom - menuBar.top;
    } else {
        menuBarHeight = 0;
    }
    const int edge = EdgeWidth(exStyle);
    client = RECT{frame + edge, barTop + menuBarHeight + edge, width - frame - edge, height - frame - edge};
    client.bottom = std::max(client.bottom, client.top);
    if (vScrollShown && client.right - client.left >= d::ScrollBar()) {
        vScroll = RECT{client.right - d::ScrollBar(), client.top, client.right, client.bottom};
        client.right -= d::ScrollBar();
    }
    if (hScrollShown && client.bottom - client.top >= d::ScrollBar()) {
        hScroll = RECT{client.left, client.bottom - d::ScrollBar(), client.right, client.bottom};
        client.bottom -= d::ScrollBar();
        if (vScrollShown && vScroll.right > vScroll.left) {
            vScroll.bottom = client.bottom;
            sizeBox = RECT{vScroll.left, client.bottom, vScroll.right, hScroll.bottom};
        }
    }
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
}

int NonClientLayout::HitTest(POINT p) const
{
    namespace d = nonclient_layout_detail;
    if (p.x < 0 || p.y < 0 || p.x >= outerWidth || p.y >= outerHeight)
        return HTNOWHERE;
    if (d::Contains(client, p))
        return HTCLIENT;
    if (d::Contains(vScroll, p))
        return HTVSCROLL;
    if (d::Contains(hScroll, p))
        return HTHSCROLL;
    if (d::Contains(sizeBox, p))
        return thickFrame ? HTBOTTOMRIGHT : HTSIZE;
    if (d::Contains(menuBar, p))
        return HTMENU;
    if (captionHeight && d::Contains(caption, p)) {
        if (d::Contains(closeButton, p))
            return HTCLOSE;
        if (d::Contains(maxButton, p))
            return HTMAXBUTTON;
        if (d::Contains(minButton, p))
            return HTMINBUTTON;
        if (hasSysMenu && p.x < caption.left + (sysMenuIcon.right - caption.left) + 2 && sysMenuIcon.right > 0)
            return HTSYSMENU;
        return HTCAPTION;
    }
    if (thickFrame) {
        // The corners reach along the edges as far as a caption button, as on the platform.
        const int corner = d::CaptionButton() + frame;
        const bool left = p.x < frame;
        const bool top = p.y < frame;
        const bool right = p.x >= outerWidth - frame;
        const bool bottom = p.y >= outerHeight - frame;
        const bool nearLeft = p.x < corner;
        const bool nearTop = p.y < corner;
        const bool nearRight = p.x >= outerWidth - corner;
        const bool nearBottom = p.y >= outerHeight - corner;
        if ((top && nearLeft) || (left && nearTop))
            return HTTOPLEFT;
        if ((top && nearRight) || (right && nearTop))
            return HTTOPRIGHT;
        if ((bottom && nearLeft) || (left && nearBottom))
            return HTBOTTOMLEFT;
        if ((bottom && nearRight) || (right && nearBottom))
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    return HTBORDER;
}

}  // namespace tw::user
