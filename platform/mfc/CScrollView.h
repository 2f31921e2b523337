// A view larger than its window: it keeps a total size in device units
// (MM_TEXT), shows scroll bars while the window is smaller, and shifts the
// drawing origin by the scroll position.
#pragma once

#include "platform/mfc/CView.h"

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    static const SIZE sizeDefault;

    // Only MM_TEXT is kept: other mapping modes are refused (the sizes stay as they were).
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const;
    void ScrollToPosition(POINT pt);
    CSize GetTotalSize() const { return m_totalDev; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;

    void OnPrepareDC(CDC* pDC, void* pInfo = nullptr) override;

protected:
    CScrollView() = default;

    void UpdateBars();
    BOOL OnScrollBy(CSize sizeScroll);
    void OnScroll(int nBar, UINT nSBCode);

    void OnSize(UINT nType, int cx, int cy);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()

    int m_nMapMode = 0;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
};
