// What the frame tests put into a library frame: bars that count the full
// layouts they take part in, docked on a side of the frame, and a plain
// window in the place of the view.
#pragma once

#include "tests/support/ui/KtvTestDockFrame.h"

namespace tw::test {

// Only the dock manager's complete pass asks every bar to lay itself out again.
class KtvCountingBar : public KtvTestBar {
public:
    KtvCountingBar(int nLength, int nThickness) : KtvTestBar(nLength, nThickness) {}
    void AdjustLayout() override { layouts++; }
    // Filled with this colour when set, so the bar shows on a screenshot.
    void DoPaint(CDC* pDC) override;
    int layouts = 0;
    COLORREF fill = (COLORREF)-1;
};

// A visible bar of the frame docked on the given side, its top-left corner at
// (x, y) of the frame's client area.
KtvCountingBar* KtvDockBarAt(CFrameWnd* pFrame, CKtvPFrameHooks* pHooks, UINT nID, UINT nDockBarID, int nLength,
                             int nThickness, int x, int y);
// The window a frame lays out as its view (id AFX_IDW_PANE_FIRST); the caller deletes the object.
CWnd* KtvCreateTestView(CWnd* pFrame);
// Sizes a frame as a border drag does: the proposed rectangle first, then the new size.
void KtvDragBorderTo(CWnd* pFrame, int cx, int cy);
// A window's rectangle in the client coordinates of another.
CRect KtvRectIn(CWnd* pOuter, CWnd* pWnd);

}  // namespace tw::test
