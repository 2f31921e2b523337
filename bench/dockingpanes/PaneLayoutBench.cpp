// Figures for docked panes: one layout pass of sixteen panes split by fifteen
// inner sliders on the left of a 1280 x 1024 frame, and one immediate-mode
// move step of a floating pane over docking targets (the dock manager's test
// of the place under the cursor and the move). The baselines, printed last,
// move the same windows with one deferred pass, and the floating frame by the
// same step, with no docking logic. Run by hand.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/docking/DockingBenchSupport.h"
#include "tests/support/ui/KtvTestDockFrame.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/docking/KtvPBarContainer.h"
#include "ui/docking/KtvPBarContainerManager.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPSlider.h"

namespace {

using tw::bench::Measure;
using tw::bench::NewPane;
using tw::test::KtvTestDockFrame;

}  // namespace

int main()
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    KtvInitGlobalData();

    auto* pFrame = new KtvTestDockFrame;
    if (!pFrame->CreateFrame(0, 0, 1280, 1024) || !pFrame->m_dockManager.EnableDocking(CBRS_ALIGN_ANY)) {
        std::fprintf(stderr, "no frame\n");
        return 1;
    }
    // Sixteen panes: each new one splits the largest so far, across its longer side.
    std::vector<CKtvPDockingControlBar*> panes;
    panes.push_back(NewPane(pFrame, 100, 600, 1000));
    panes[0]->DockToFrameWindow(CBRS_ALIGN_LEFT);
    for (UINT nID = 101; panes.size() < 16; nID++) {
        CKtvPDockingControlBar* pTarget = panes[0];
        for (CKtvPDockingControlBar* pPane : panes) {
            CRect a;
            CRect b;
            pPane->GetWindowRect(a);
            pTarget->GetWindowRect(b);
            if (a.Width() * a.Height() > b.Width() * b.Height())
                pTarget = pPane;
        }
        CRect rect;
        pTarget->GetWindowRect(rect);
        CKtvPDockingControlBar* pNew = NewPane(pFrame, nID, 300, 300);
        pNew->DockNextToBar(pTarget, rect.Width() > rect.Height() ? CBRS_ALIGN_RIGHT : CBRS_ALIGN_BOTTOM, nullptr);
        panes.push_back(pNew);
    }
    CKtvPBarContainerManager* pManager = panes[0]->GetDefaultSlider()->GetContainerManager();
    if (pManager->GetControlBars().GetCount() != 16) {
        std::fprintf(stderr, "the layout holds %d panes\n", (int)pManager->GetControlBars().GetCount());
        return 1;
    }
    int nRound = 0;
    const double usLayout = Measure([&] {
        // Alternate widths so every pass moves every window.
        const int cx = (++nRound % 2) != 0 ? 600 : 560;
        HDWP hdwp = ::BeginDeferWindowPos(50);
        pManager->ResizeBarContainers(CRect(0, 0, cx, 1024), hdwp);
        ::EndDeferWindowPos(hdwp);
    });

    std::vector<HWND> windows;
    for (CKtvPDockingControlBar* pPane : panes)
        windows.push_back(pPane->GetSafeHwnd());
    for (POSITION pos = pManager->GetSliders().GetHeadPosition(); pos != nullptr;)
        windows.push_back(static_cast<CWnd*>(pManager->GetSliders().GetNext(pos))->GetSafeHwnd());
    nRound = 0;
    const double usLayoutBaseline = Measure([&] {
        const int dx = (++nRound % 2) != 0 ? 1 : -1;
        HDWP hdwp = ::BeginDeferWindowPos((int)windows.size());
        for (HWND hWnd : windows) {
            RECT rect;
            ::GetWindowRect(hWnd, &rect);
            ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rect), 2);
            hdwp = ::DeferWindowPos(hdwp, hWnd, nullptr, rect.left, rect.top, rect.right - rect.left + dx,
                                    rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ::EndDeferWindowPos(hdwp);
    });

    // A floating pane in immediate mode, moved between the lower edges of two docked panes:
    // every step finds a new target, so the docking wait starts again and nothing docks.
    CKtvPDockingControlBar* pFloating = NewPane(pFrame, 200, 200, 150);
    pFloating->SetDockMode(KTVP_DT_IMMEDIATE);
    pFloating->DockToFrameWindow(CBRS_ALIGN_RIGHT);
    pFloating->FloatControlBar(CRect(900, 300, 1100, 450), KTVP_DM_DBL_CLICK, TRUE);
    CKtvPMiniFrameWnd* pMiniFrame = pFloating->GetParentMiniFrame();
    if (pMiniFrame == nullptr) {
        std::fprintf(stderr, "no floating frame\n");
        return 1;
    }
    CPoint targets[2];
    for (int i = 0; i < 2; i++) {
        CRect rect;
        panes[i]->GetWindowRect(rect);
        targets[i] = CPoint(rect.CenterPoint().x, rect.bottom - 5);
    }
    ::SetCursorPos(targets[0].x, targets[0].y);
    pMiniFrame->EnterDragMode(nullptr);
    nRound = 0;
    const double usMoveStep = Measure([&] {
        const CPoint& pt = targets[++nRound % 2];
        ::SetCursorPos(pt.x, pt.y);
        pMiniFrame->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    });
    const bool bStillFloating = pFloating->IsFloating() != FALSE;
    pMiniFrame->SendMessage(WM_CANCELMODE);

    nRound = 0;
    const double usMoveBaseline = Measure([&] {
        const int dx = (++nRound % 2) != 0 ? 40 : -40;
        CRect rect;
        pMiniFrame->GetWindowRect(rect);
        pMiniFrame->MoveWindow(rect.left + dx, rect.top, rect.Width(), rect.Height(), TRUE);
    });

    std::printf("%-58s %10.1f us\n", "layout pass, 16 panes and 15 inner sliders", usLayout);
    std::printf("%-58s %10.1f us%s\n", "immediate-mode move step over docking targets", usMoveStep,
                bStillFloating ? "" : "  (docked: figure not valid)");
    std::printf("%-58s %10.1f us\n", "baseline: the same 31 windows resized, one deferred pass", usLayoutBaseline);
    std::printf("%-58s %10.1f us\n", "baseline: the floating frame moved by the same step", usMoveBaseline);
    std::printf("%-58s %10.2f\n", "ratio layout / baseline", usLayout / usLayoutBaseline);
    std::printf("%-58s %10.2f\n", "ratio move step / baseline", usMoveStep / usMoveBaseline);
    pFrame->DestroyWindow();
    return 0;
}
