#include "tests/support/ui/KtvTestDockFrame.h"

namespace tw::test {

BOOL KtvTestDockFrame::CreateFrame(int x, int y, int cxClient, int cyClient)
{
    CRect rect(x, y, x + cxClient, y + cyClient);
    ::AdjustWindowRectEx(rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
    if (!Create(nullptr, "Docking test frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, rect)) {
        return FALSE;
    }
    return m_dockManager.Create(this);
}

void KtvTestDockFrame::AdjustDockingLayout(HDWP hdwp) { m_dockManager.AdjustDockingLayout(hdwp); }

BOOL KtvTestDockFrame::ShowControlBars(BOOL bShow) { return m_dockManager.ShowControlBars(bShow); }

BOOL KtvTestDockFrame::AddControlBar(CKtvPBaseControlBar* pControlBar, BOOL bTail)
{
    return m_dockManager.AddControlBar(pControlBar, bTail);
}

BOOL KtvTestDockFrame::InsertControlBar(CKtvPBaseControlBar* pControlBar, CKtvPBaseControlBar* pTarget, BOOL bAfter)
{
    return m_dockManager.InsertControlBar(pControlBar, pTarget, bAfter);
}

void KtvTestDockFrame::RemoveControlBarFromDockManager(CKtvPBaseControlBar* pControlBar, BOOL bDestroy,
                                                       BOOL bAdjustLayout, BOOL bAutoHide)
{
    m_dockManager.RemoveControlBarFromDockManager(pControlBar, bDestroy, bAdjustLayout, bAutoHide);
}

void KtvTestDockFrame::DockControlBar(CKtvPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

CKtvPBaseControlBar* KtvTestDockFrame::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                           CRuntimeClass* pRTCBarType)
{
    return m_dockManager.ControlBarFromPoint(point, nSensitivity, bExactBar, pRTCBarType);
}

BOOL KtvTestDockFrame::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge)
{
    return m_dockManager.IsPointNearDockBar(point, dwBarAlignment, bOuterEdge);
}

CKtvPBaseControlBar* KtvTestDockFrame::GetControlBar(UINT nID) { return m_dockManager.FindBarByID(nID, TRUE); }

// The dock manager lays out every bar; there is no view, so the rest stays empty.
void KtvTestDockFrame::RecalcLayout(BOOL)
{
    if (GetSafeHwnd() != nullptr) {
        m_dockManager.AdjustDockingLayout();
    }
}

BOOL KtvTestBar::CreateBar(CWnd* pFrame, UINT nID, DWORD dwAlignment)
{
    if (!Create(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, m_nLength, m_nThickness), pFrame, nID,
                KTVP_CBRS_FLOAT)) {
        return FALSE;
    }
    EnableDocking(dwAlignment);
    return TRUE;
}

CSize KtvTestBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? CSize(m_nLength, m_nThickness) : CSize(m_nThickness, m_nLength);
}

void DockFrameTest::SetUp()
{
    HeadlessWindowTest::SetUp();
    frame = new KtvTestDockFrame;
    ASSERT_TRUE(frame->CreateFrame(20, 20, 600, 400));
    ASSERT_TRUE(frame->m_dockManager.EnableDocking(CBRS_ALIGN_ANY));
    manager = &frame->m_dockManager;
}

KtvTestBar* DockFrameTest::AddBar(UINT nID, int nLength, int nThickness, DWORD dwAlignment)
{
    auto* pBar = new KtvTestBar(nLength, nThickness);
    EXPECT_TRUE(pBar->CreateBar(frame, nID, dwAlignment));
    return pBar;
}

void DockFrameTest::DockAt(KtvTestBar* pBar, UINT nDockBarID, int x, int y)
{
    CRect rect(x, y, x + pBar->m_nLength, y + pBar->m_nThickness);
    frame->ClientToScreen(rect);
    manager->DockControlBar(pBar, nDockBarID, rect);
}

LRESULT KtvTestDockFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_onMessage) {
        m_onMessage(message, wParam, lParam);
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

}  // namespace tw::test
