#include "ui/commandbars/KtvPMemDC.h"

#include "platform/mfc/CWnd.h"
#include "ui/frames/KtvPGlobalData.h"

BOOL CKtvPMemDC::m_bUseMemDC = TRUE;

CKtvPMemDC::CKtvPMemDC(CDC& dc, CWnd* pWnd) : m_dcTarget(dc)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    pWnd->GetClientRect(&m_rect);
    m_rect.right += pWnd->GetScrollPos(SB_HORZ);
    m_rect.bottom += pWnd->GetScrollPos(SB_VERT);
    if (!m_bUseMemDC || !globalData.DoubleBufferedPaint)
        return;
    if (!m_dcMem.CreateCompatibleDC(&m_dcTarget))
        return;
    if (!m_bmp.CreateCompatibleBitmap(&m_dcTarget, m_rect.Width(), m_rect.Height())) {
        m_dcMem.DeleteDC();
        return;
    }
    m_pOldBmp = m_dcMem.SelectObject(&m_bmp);
    m_bMemDC = TRUE;
}

CKtvPMemDC::~CKtvPMemDC()
{
    if (m_bMemDC) {
        CRect clip;
        switch (m_dcTarget.GetClipBox(&clip)) {
        case NULLREGION: break;
        case SIMPLEREGION:
            m_dcTarget.BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &m_dcMem, clip.left, clip.top,
                              SRCCOPY);
            break;
        default:
            m_dcTarget.BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), &m_dcMem, m_rect.left,
                              m_rect.top, SRCCOPY);
            break;
        }
        m_dcMem.SelectObject(m_pOldBmp);
    }
    m_bmp.DeleteObject();
    m_dcMem.DeleteDC();
}
