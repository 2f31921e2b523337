// Figures for the docking layout: one layout pass of a 1280 x 1024 frame with
// four dock bars, eight toolbars in three rows and five resizable panes, and one
// step of an outline drag. The baseline, printed last, moves the same child
// windows with one deferred positioning pass and no docking logic. Run by hand.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/docking/DockingBenchSupport.h"
#include "tests/support/ui/KtvTestDockFrame.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using tw::bench::Measure;
using tw::bench::NewPane;
using tw::test::KtvTestBar;
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
    CKtvPDockManager& manager = pFrame->m_dockManager;
    struct Place {
        UINT nDockBarID;
        int x;
        int y;
    };
    // Three rows at the top, one at each other side.
    const Place places[] = {
        {AFX_IDW_DOCKBAR_TOP, 0, 0},      {AFX_IDW_DOCKBAR_TOP, 300, 0},   {AFX_IDW_DOCKBAR_TOP, 0, 40},
        {AFX_IDW_DOCKBAR_TOP, 400, 40},   {AFX_IDW_DOCKBAR_TOP, 0, 80},    {AFX_IDW_DOCKBAR_BOTTOM, 0, 1000},
        {AFX_IDW_DOCKBAR_LEFT, 0, 200},   {AFX_IDW_DOCKBAR_RIGHT, 1250, 200},
    };
    std::vector<KtvTestBar*> bars;
    UINT nID = 100;
    for (const Place& place : places) {
        auto* pBar = new KtvTestBar(220, 26);
        pBar->CreateBar(pFrame, nID++);
        CRect rect(place.x, place.y, place.x + 220, place.y + 26);
        pFrame->ClientToScreen(rect);
        manager.DockControlBar(pBar, place.nDockBarID, rect);
        bars.push_back(pBar);
    }

    // Five panes: two split on the left, one on the right, two side by side at the bottom.
    std::vector<CKtvPDockingControlBar*> panes;
    for (UINT nPaneID = 200; nPaneID < 205; nPaneID++)
        panes.push_back(NewPane(pFrame, nPaneID, 250, 200));
    panes[0]->DockToFrameWindow(CBRS_ALIGN_LEFT);
    panes[1]->DockNextToBar(panes[0], CBRS_ALIGN_BOTTOM, nullptr);
    panes[2]->DockToFrameWindow(CBRS_ALIGN_RIGHT);
    panes[3]->DockToFrameWindow(CBRS_ALIGN_BOTTOM);
    panes[4]->DockNextToBar(panes[3], CBRS_ALIGN_RIGHT, nullptr);
    for (CKtvPDockingControlBar* pPane : panes) {
        if (!pPane->IsDocked()) {
            std::fprintf(stderr, "a pane did not dock\n");
            return 1;
        }
    }

    const double usLayout = Measure([&] {
        manager.AdjustDockBars();
    });

    KtvTestBar* pDragged = bars[0];
    CKtvPDragFrameImpl& drag = pDragged->GetDragFrameImpl();
    CPoint ptCursor(600, 500);
    ::SetCursorPos(ptCursor.x, ptCursor.y);
    drag.m_ptLastCursor = ptCursor;
    drag.MoveDragFrame(TRUE);
    int nStep = 0;
    const double usDragStep = Measure([&] {
        ++nStep;
        ::SetCursorPos(ptCursor.x + (nStep % 40), ptCursor.y + (nStep % 30));
        drag.MoveDragFrame(FALSE);
    });
    drag.EndOutline(TRUE);

    // Baseline: the same windows put where they are, in one deferred pass, as a layout pass that changes nothing does.
    std::vector<HWND> windows;
    for (POSITION pos = manager.GetControlBars().GetHeadPosition(); pos != nullptr;) {
        windows.push_back(static_cast<CWnd*>(manager.GetControlBars().GetNext(pos))->GetSafeHwnd());
    }
    for (KtvTestBar* pBar : bars) {
        windows.push_back(pBar->GetSafeHwnd());
    }
    for (CKtvPDockingControlBar* pPane : panes) {
        windows.push_back(pPane->GetSafeHwnd());
    }
    const double usBaseline = Measure([&] {
        HDWP hdwp = ::BeginDeferWindowPos((int)windows.size());
        for (HWND hWnd : windows) {
            RECT rect;
            ::GetWindowRect(hWnd, &rect);
            ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rect), 2);
            hdwp = ::DeferWindowPos(hdwp, hWnd, nullptr, rect.left, rect.top, rect.right - rect.left,
                                    rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ::EndDeferWindowPos(hdwp);
    });

    std::printf("%-52s %10.1f us\n", "layout pass, 4 dock bars, 8 toolbars, 5 panes", usLayout);
    std::printf("%-52s %10.1f us\n", "outline drag step", usDragStep);
    std::printf("%-52s %10.1f us\n", "baseline: the windows kept in place, one deferred pass", usBaseline);
    std::printf("%-52s %10.2f\n", "ratio layout / baseline", usLayout / usBaseline);
    pFrame->DestroyWindow();
    return 0;
}
