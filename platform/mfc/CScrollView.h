// A view larger than its window: it keeps a total size, shows scroll bars
// while the window is smaller, and shifts the drawing origin by the scroll
// position. Sizes and positions are in the view's mapping mode: device units
// (MM_TEXT) or a fixed measure (inches or millimetres, y growing upward),
// converted at the screen's resolution. A scale-to-fit view has no bars: its
// whole total is drawn in the window.
#pragma once

#include "platform/mfc/CView.h"
#include "platform/win32/gdi/wingdi.h"

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    static const SIZE sizeDefault;
    // The mode of a view set up by SetScaleToFitSize.
    static constexpr int MM_SCALETOFIT = -1;

    // MM_TEXT or a fixed-measure mode; MM_ISOTROPIC and MM_ANISOTROPIC, and
    // negative sizes, are refused (the sizes stay as they were).
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    void SetScaleToFitSize(SIZE sizeTotal);
    // In the mapping mode's units (y negative below the top in the fixed-measure modes).
    CPoint GetScrollPosition() const;
    void ScrollToPosition(POINT pt);
    CPoint GetDeviceScrollPosition() const;
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

protected:
    CScrollView() = default;

    void UpdateBars();
    BOOL OnScrollBy(CSize sizeScroll);
    void OnScroll(int nBar, UINT nSBCode);
    void ScrollToDevicePosition(POINT ptDev);

    void OnSize(UINT nType, int cx, int cy);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()

    int m_nMapMode = 0;
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;

private:
    bool m_bUpdatingBars = false;  // showing a bar resizes the window, which asks again
    // Device pixels for a length in the mapping mode's units, and back.
    int ToDevice(int logical, bool bVertical) const;
    int ToLogical(int device, bool bVertical) const;
};
