// What the docking benchmarks share: the timing loop and a resizable pane.
#pragma once

#include <chrono>

#include "ui/docking/KtvPDockingControlBar.h"

namespace tw::bench {

constexpr int kDockingRounds = 500;

// Microseconds per call of body, after one call to warm up.
template <class Body>
double Measure(Body body)
{
    using Clock = std::chrono::steady_clock;
    body();
    const auto start = Clock::now();
    for (int i = 0; i < kDockingRounds; i++)
        body();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kDockingRounds;
}

// A docking pane that floats, hides, sizes and closes, dockable on every side.
inline CKtvPDockingControlBar* NewPane(CWnd* pFrame, UINT nID, int cx, int cy)
{
    constexpr DWORD kPaneStyle = KTVP_CBRS_FLOAT | KTVP_CBRS_AUTOHIDE | KTVP_CBRS_RESIZE | KTVP_CBRS_CLOSE;
    auto* pPane = new CKtvPDockingControlBar;
    pPane->Create("Pane", pFrame, CRect(0, 0, cx, cy), TRUE, nID, WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0x20,
                  kPaneStyle);
    pPane->EnableDocking(CBRS_ALIGN_ANY);
    pPane->SetMinSize(CSize(10, 10));
    return pPane;
}

}  // namespace tw::bench
