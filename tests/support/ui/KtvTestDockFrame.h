// A plain frame that embeds a dock manager and answers the frame hooks by
// forwarding to it, as the library's frames do, so docking is tested on its
// own. The frame deletes itself when its window goes. Its bars are toolbar-like control bars of a fixed size.
#pragma once

#include <functional>

#include "platform/mfc/CFrameWnd.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/docking/KtvPControlBar.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/frames/KtvPFrameHooks.h"

namespace tw::test {

class KtvTestDockFrame : public CFrameWnd, public CKtvPFrameHooks {
public:
    // A visible top-level frame with the given client size at (x, y).
    BOOL CreateFrame(int x, int y, int cxClient, int cyClient);

    CFrameWnd* GetHookedFrame() override { return this; }
    CKtvPDockManager* GetDockManager() override { return &m_dockManager; }

    void AdjustDockingLayout(HDWP hdwp = nullptr) override;
    BOOL OnMoveMiniFrame(CWnd* pFrame) override { return m_dockManager.OnMoveMiniFrame(pFrame); }
    BOOL ShowControlBars(BOOL bShow) override;
    BOOL AddControlBar(CKtvPBaseControlBar* pControlBar, BOOL bTail = TRUE) override;
    BOOL InsertControlBar(CKtvPBaseControlBar* pControlBar, CKtvPBaseControlBar* pTarget,
                          BOOL bAfter = TRUE) override;
    void RemoveControlBarFromDockManager(CKtvPBaseControlBar* pControlBar, BOOL bDestroy = TRUE,
                                         BOOL bAdjustLayout = FALSE, BOOL bAutoHide = FALSE) override;
    void DockControlBar(CKtvPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr) override;
    CKtvPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                             CRuntimeClass* pRTCBarType) override;
    BOOL IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) override;
    CKtvPBaseControlBar* GetControlBar(UINT nID) override;

    void RecalcLayout(BOOL bNotify = TRUE) override;
    // Every message the frame receives goes by this first, when it is set.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CKtvPDockManager m_dockManager;
    std::function<void(UINT, WPARAM, LPARAM)> m_onMessage;
};

// A toolbar-like bar: not resizable, floats, docks anywhere, and is `length`
// long and `thickness` thick in either orientation.
class KtvTestBar : public CKtvPControlBar {
public:
    KtvTestBar(int nLength, int nThickness) : m_nLength(nLength), m_nThickness(nThickness) {}

    // A child of any frame that docks through a dock manager.
    BOOL CreateBar(CWnd* pFrame, UINT nID, DWORD dwAlignment = CBRS_ALIGN_ANY);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // The protected fields the tests read.
    using CKtvPControlBar::m_cxLeftBorder;
    using CKtvPControlBar::m_dwStyle;
    using CKtvPControlBar::m_rectVirtual;

    int m_nLength;
    int m_nThickness;

protected:
    void PostNcDestroy() override { delete this; }
};

// The base of the docking tests: a 600 x 400 test frame docking on all four sides.
class DockFrameTest : public HeadlessWindowTest {
protected:
    void SetUp() override;

    // A visible bar of the frame, docking anywhere unless told otherwise.
    KtvTestBar* AddBar(UINT nID, int nLength, int nThickness, DWORD dwAlignment = CBRS_ALIGN_ANY);
    // Docks the bar by rectangle with its top-left corner at (x, y) of the frame's client area.
    void DockAt(KtvTestBar* pBar, UINT nDockBarID, int x, int y);
    CKtvPDockBar* DockBar(DWORD dwSide) { return manager->FindDockBar(dwSide, TRUE); }

    KtvTestDockFrame* frame = nullptr;
    CKtvPDockManager* manager = nullptr;
};

}  // namespace tw::test
