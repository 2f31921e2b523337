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

namespace tw::mfc::scrollview_detail {

// Units of the fixed-measure modes in an inch; 0 for the others.
int UnitsPerInch(int nMapMode)
{
    switch (nMapMode) {
    case MM_LOENGLISH: return 100;
    case MM_HIENGLISH: return 1000;
    case MM_LOMETRIC: return 254;
    case MM_HIMETRIC: return 2540;
    case MM_TWIPS: return 1440;
    default: return 0;
    }
}

int ScreenPixelsPerInch(bool bVertical)
{
    HDC hdc = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(hdc, bVertical ? LOGPIXELSY : LOGPIXELSX);
    ::ReleaseDC(nullptr, hdc);
    return dpi > 0 ? dpi : 96;
}

// a * b / c rounded to the nearest, in 64 bits so large totals do not overflow.
int ScaleRounded(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace tw::mfc::scrollview_detail

namespace scrollview_detail = tw::mfc::scrollview_detail;

int CScrollView::ToDevice(int logical, bool bVertical) const
{
    const int unitsPerInch = scrollview_detail::UnitsPerInch(m_nMapMode);
    if (!unitsPerInch)
        return logical;
    return scrollview_detail::ScaleRounded(logical, scrollview_detail::ScreenPixelsPerInch(bVertical), unitsPerInch);
}

int CScrollView::ToLogical(int device, bool bVertical) const
{
    const int unitsPerInch = scrollview_detail::UnitsPerInch(m_nMapMode);
    if (!unitsPerInch)
        return device;
    return scrollview_detail::ScaleRounded(device, unitsPerInch, scrollview_detail::ScreenPixelsPerInch(bVertical));
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    if (nMapMode != MM_TEXT && !scrollview_detail::UnitsPerInch(nMapMode))
        return;
    if (sizeTotal.cx < 0 || sizeTotal.cy < 0)
        return;
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    m_totalDev = CSize(ToDevice(sizeTotal.cx, false), ToDevice(sizeTotal.cy, true));
    // A page is a tenth of the total and a line a tenth of a page, unless given.
    m_pageDev = CSize(ToDevice(sizePage.cx, false), ToDevice(sizePage.cy, true));
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    m_lineDev = CSize(ToDevice(sizeLine.cx, false), ToDevice(sizeLine.cy, true));
    if (m_lineDev.cx == 0)
        m_lineDev.cx = std::max(m_pageDev.cx / 10, 1);
    if (m_lineDev.cy == 0)
        m_lineDev.cy = std::max(m_pageDev.cy / 10, 1);
    if (m_hWnd)
        UpdateBars();
}

void CScrollView::SetScaleToFitSize(SIZE sizeTotal)
{
    if (sizeTotal.cx <= 0 || sizeTotal.cy <= 0)
        return;
    m_nMapMode = MM_SCALETOFIT;
    m_totalLog = sizeTotal;
    m_totalDev = CSize(0, 0);
    m_pageDev = CSize(0, 0);
    m_lineDev = CSize(0, 0);
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

CPoint CScrollView::GetDeviceScrollPosition() const
{
    auto* self = const_cast<CScrollView*>(this);
    return CPoint(self->GetScrollPos(SB_HORZ), self->GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    const CPoint device = GetDeviceScrollPosition();
    if (!scrollview_detail::UnitsPerInch(m_nMapMode))
        return device;
    // In the fixed-measure modes y grows upward: below the top is negative.
    return CPoint(ToLogical(device.x, false), -ToLogical(device.y, true));
}

// Bars show only while the total exceeds the window; a position beyond the new
// range scrolls the contents back with it.
void CScrollView::UpdateBars()
{
    if (m_bUpdatingBars)
        return;
    m_bUpdatingBars = true;
    const CPoint before = GetDeviceScrollPosition();
    if (m_nMapMode == MM_SCALETOFIT) {
        ShowScrollBar(SB_BOTH, FALSE);
        SetScrollPos(SB_HORZ, 0);
        SetScrollPos(SB_VERT, 0);
    } else {
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
    m_bUpdatingBars = false;
    const CPoint after = GetDeviceScrollPosition();
    if (after != before)
        ::ScrollWindow(m_hWnd, before.x - after.x, before.y - after.y, nullptr, nullptr);
}

void CScrollView::ScrollToPosition(POINT pt)
{
    if (scrollview_detail::UnitsPerInch(m_nMapMode))
        pt = CPoint(ToDevice(pt.x, false), ToDevice(-pt.y, true));
    ScrollToDevicePosition(pt);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    const CPoint before = GetDeviceScrollPosition();
    OnScrollBy(CSize(ptDev.x - before.x, ptDev.y - before.y));
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll)
{
    if (m_nMapMode == MM_SCALETOFIT)
        return FALSE;
    CRect client;
    GetClientRect(&client);
    const CPoint before = GetDeviceScrollPosition();
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
    if (m_nMapMode == MM_SCALETOFIT)
        return;
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

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_nMapMode == MM_SCALETOFIT) {
        // The total stretched over the window.
        CRect client;
        GetClientRect(&client);
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowExt(m_totalLog);
        pDC->SetViewportExt(std::max(1, client.Width()), std::max(1, client.Height()));
    } else {
        pDC->SetMapMode(m_nMapMode ? m_nMapMode : MM_TEXT);
        // A page starts at the top of the document, wherever the window is scrolled.
        if (!pDC->IsPrinting()) {
            const CPoint pos = GetDeviceScrollPosition();
            pDC->SetViewportOrg(-pos.x, -pos.y);
        }
    }
    CView::OnPrepareDC(pDC, pInfo);
}
