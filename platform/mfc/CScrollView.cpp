#include "platform/mfc/CScrollView.h"

#include <algorithm>

#include "platform/mfc/CDC.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    if (nMapMode != MM_TEXT || sizeTotal.cx < 0 || sizeTotal.cy < 0)
        return;
    m_nMapMode = nMapMode;
    m_totalDev = sizeTotal;
    // A page is a tenth of the total and a line a tenth of a page, unless given.
    m_pageDev = sizePage;
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    m_lineDev = sizeLine;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = std::max(m_pageDev.cx / 10, 1);
    if (m_lineDev.cy == 0)
        m_lineDev.cy = std::max(m_pageDev.cy / 10, 1);
    if (m_hWnd)
        UpdateBars();
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CPoint CScrollView::GetScrollPosition() const
{
    auto* self = const_cast<CScrollView*>(this);
    return CPoint(self->GetScrollPos(SB_HORZ), self->GetScrollPos(SB_VERT));
}

// Bars show only while the total exceeds the window; the position is kept within range.
void CScrollView::UpdateBars()
{
    // Showing one bar narrows the room for the other, so each reads the client area afresh.
    for (int nBar : {SB_HORZ, SB_VERT, SB_HORZ}) {
        CRect client;
        GetClientRect(&client);
        const int total = nBar == SB_HORZ ? m_totalDev.cx : m_totalDev.cy;
        const int page = nBar == SB_HORZ ? client.Width() : client.Height();
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
        info.nMin = 0;
        info.nMax = total > page ? total - 1 : 0;
        info.nPage = total > page ? static_cast<UINT>(page) : 0;
        const int maxPos = std::max(total - page, 0);
        info.nPos = std::min(GetScrollPos(nBar), maxPos);
        SetScrollInfo(nBar, &info, TRUE);
        ShowScrollBar(static_cast<UINT>(nBar), total > page);
    }
}

void CScrollView::ScrollToPosition(POINT pt)
{
    const CPoint before = GetScrollPosition();
    OnScrollBy(CSize(pt.x - before.x, pt.y - before.y));
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll)
{
    CRect client;
    GetClientRect(&client);
    const CPoint before = GetScrollPosition();
    const int xMax = std::max(m_totalDev.cx - client.Width(), 0);
    const int yMax = std::max(m_totalDev.cy - client.Height(), 0);
    const int x = std::clamp(before.x + sizeScroll.cx, 0, xMax);
    const int y = std::clamp(before.y + sizeScroll.cy, 0, yMax);
    if (x == before.x && y == before.y)
        return FALSE;
    SetScrollPos(SB_HORZ, x);
    SetScrollPos(SB_VERT, y);
    ::ScrollWindow(m_hWnd, before.x - x, before.y - y, nullptr, nullptr);
    return TRUE;
}

void CScrollView::OnScroll(int nBar, UINT nSBCode)
{
    const bool bHorz = nBar == SB_HORZ;
    const int line = bHorz ? m_lineDev.cx : m_lineDev.cy;
    CRect client;
    GetClientRect(&client);
    const int page = bHorz ? client.Width() : client.Height();
    const int total = bHorz ? m_totalDev.cx : m_totalDev.cy;
    const int pos = GetScrollPos(nBar);
    int target = pos;
    switch (nSBCode) {
    case SB_LINEUP: target = pos - line; break;
    case SB_LINEDOWN: target = pos + line; break;
    case SB_PAGEUP: target = pos - page; break;
    case SB_PAGEDOWN: target = pos + page; break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = total; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit track position, not the message's 16-bit one.
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(nBar, &info, SIF_TRACKPOS);
        target = info.nTrackPos;
        break;
    }
    default: return;
    }
    OnScrollBy(bHorz ? CSize(target - pos, 0) : CSize(0, target - pos));
}

void CScrollView::OnHScroll(UINT nSBCode, UINT, CScrollBar*)
{
    OnScroll(SB_HORZ, nSBCode);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    OnScroll(SB_VERT, nSBCode);
}

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    // Three lines a notch, as the system's wheel setting reads here.
    return OnScrollBy(CSize(0, -zDelta / WHEEL_DELTA * 3 * m_lineDev.cy));
}

void CScrollView::OnSize(UINT nType, int, int)
{
    if (nType != SIZE_MINIMIZED)
        UpdateBars();
}

void CScrollView::OnPrepareDC(CDC* pDC, void* pInfo)
{
    const CPoint pos = GetScrollPosition();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(-pos.x, -pos.y);
    CView::OnPrepareDC(pDC, pInfo);
}
