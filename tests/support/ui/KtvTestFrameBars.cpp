#include "tests/support/ui/KtvTestFrameBars.h"

#include "platform/mfc/CDC.h"

namespace tw::test {

void KtvCountingBar::DoPaint(CDC* pDC)
{
    if (fill == (COLORREF)-1) {
        KtvTestBar::DoPaint(pDC);
        return;
    }
    CRect rect;
    GetClientRect(rect);
    pDC->FillSolidRect(rect, fill);
}

KtvCountingBar* KtvDockBarAt(CFrameWnd* pFrame, CKtvPFrameHooks* pHooks, UINT nID, UINT nDockBarID, int nLength,
                             int nThickness, int x, int y)
{
    auto* pBar = new KtvCountingBar(nLength, nThickness);
    EXPECT_TRUE(pBar->CreateBar(pFrame, nID));
    const BOOL bHorz = nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
    CRect rect(x, y, x + (bHorz ? nLength : nThickness), y + (bHorz ? nThickness : nLength));
    pFrame->ClientToScreen(rect);
    pHooks->DockControlBar(pBar, nDockBarID, rect);
    return pBar;
}

CWnd* KtvCreateTestView(CWnd* pFrame)
{
    auto* pView = new CWnd;
    EXPECT_TRUE(pView->CreateEx(0, nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame,
                                AFX_IDW_PANE_FIRST));
    return pView;
}

void KtvDragBorderTo(CWnd* pFrame, int cx, int cy)
{
    CRect rect;
    pFrame->GetWindowRect(rect);
    CRect rectProposed(rect.left, rect.top, rect.left + cx, rect.top + cy);
    pFrame->SendMessage(WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&rectProposed));
    pFrame->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CRect KtvRectIn(CWnd* pOuter, CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(rect);
    pOuter->ScreenToClient(rect);
    return rect;
}

}  // namespace tw::test
