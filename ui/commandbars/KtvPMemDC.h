// Double-buffered painting: draws go to a memory bitmap of the window's client
// area (grown by its scroll positions), copied to the caller's DC when the
// object goes.
#pragma once

#include "platform/mfc/CDC.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CRect.h"

class CWnd;

class CKtvPMemDC {
public:
    CKtvPMemDC(CDC& dc, CWnd* pWnd);
    virtual ~CKtvPMemDC();
    CKtvPMemDC(const CKtvPMemDC&) = delete;
    CKtvPMemDC& operator=(const CKtvPMemDC&) = delete;

    CDC& GetDC() { return m_bMemDC ? m_dcMem : m_dcTarget; }
    BOOL IsMemDC() const { return m_bMemDC; }

    // Memory painting also needs globalData.DoubleBufferedPaint.
    static BOOL m_bUseMemDC;

protected:
    CDC& m_dcTarget;
    BOOL m_bMemDC = FALSE;
    CDC m_dcMem;
    CBitmap m_bmp;
    CBitmap* m_pOldBmp = nullptr;
    CRect m_rect;
};
