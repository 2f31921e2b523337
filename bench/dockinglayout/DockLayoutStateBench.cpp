// Figures for the docking layout of twenty panes in a 1280 x 1024 frame (ten
// split on the left, four on the right, two floating alone, two floating in one
// frame, two auto-hidden): the size of the stored value, the time to write it,
// and the time to read it and apply it to the frame. The baselines, printed
// last, write and read the same number of bytes as plain integers through the
// same archive, with no layout. Run by hand.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/docking/DockingBenchSupport.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMemFile.h"
#include "tests/support/ui/KtvTestDockFrame.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPMultiMiniFrameWnd.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using tw::bench::NewPane;
using tw::test::KtvTestDockFrame;

constexpr int kRounds = 40;

template <class Body>
double MillisecondsPerCall(Body body)
{
    using Clock = std::chrono::steady_clock;
    body();
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; i++)
        body();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kRounds;
}

std::vector<BYTE> Store(CObject& object)
{
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 4096);
        object.Serialize(ar);
        ar.Close();
    }
    const auto nLength = (size_t)file.GetLength();
    BYTE* pData = file.Detach();
    std::vector<BYTE> bytes(pData, pData + nLength);
    std::free(pData);
    return bytes;
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

bool ArrangeTwentyPanes(KtvTestDockFrame* pFrame)
{
    CKtvPDockingControlBar* pLeft = NewPane(pFrame, 100, 300, 900);
    pLeft->DockToFrameWindow(CBRS_ALIGN_LEFT);
    for (UINT nID = 101; nID < 110; nID++) {
        CKtvPDockingControlBar* pPane = NewPane(pFrame, nID, 300, 90);
        if (!pPane->DockNextToBar(pLeft, CBRS_ALIGN_BOTTOM, nullptr))
            return false;
    }
    CKtvPDockingControlBar* pRight = NewPane(pFrame, 110, 250, 900);
    pRight->DockToFrameWindow(CBRS_ALIGN_RIGHT);
    for (UINT nID = 111; nID < 114; nID++) {
        if (!NewPane(pFrame, nID, 250, 200)->DockNextToBar(pRight, CBRS_ALIGN_BOTTOM, nullptr))
            return false;
    }
    for (UINT nID : {114u, 115u}) {
        CKtvPDockingControlBar* pPane = NewPane(pFrame, nID, 200, 150);
        pPane->DockToFrameWindow(CBRS_ALIGN_TOP);
        pPane->FloatControlBar(CRect(400 + 60 * (int)(nID - 114), 300, 600, 450), KTVP_DM_DBL_CLICK, TRUE);
    }
    auto* pFirst = new CKtvPDockingControlBar;
    auto* pSecond = new CKtvPDockingControlBar;
    constexpr DWORD kStyle = KTVP_CBRS_FLOAT | KTVP_CBRS_AUTOHIDE | KTVP_CBRS_RESIZE | KTVP_CBRS_CLOSE;
    for (auto [pPane, nID] : {std::pair{pFirst, 116u}, std::pair{pSecond, 117u}}) {
        pPane->Create("Pane", pFrame, CRect(0, 0, 200, 150), TRUE, nID, WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_FLOAT_MULTI,
                      0x20, kStyle);
        pPane->EnableDocking(CBRS_ALIGN_ANY);
        pPane->DockToFrameWindow(CBRS_ALIGN_TOP);
    }
    pFirst->FloatControlBar(CRect(700, 500, 900, 700), KTVP_DM_DBL_CLICK, TRUE);
    pSecond->FloatControlBar(CRect(700, 750, 900, 850), KTVP_DM_DBL_CLICK, TRUE);
    auto* pMulti = dynamic_cast<CKtvPMultiMiniFrameWnd*>(pFirst->GetParentMiniFrame());
    if (pMulti == nullptr)
        return false;
    CRect rect;
    pFirst->GetWindowRect(rect);
    ::SetCursorPos(rect.CenterPoint().x, rect.bottom - 5);
    if (pMulti->DockBarIntoFrame(pSecond))
        return false;
    for (UINT nID : {118u, 119u}) {
        CKtvPDockingControlBar* pPane = NewPane(pFrame, nID, 300, 200);
        pPane->DockToFrameWindow(CBRS_ALIGN_BOTTOM);
        if (pPane->SetAutoHideMode(TRUE, CBRS_ALIGN_BOTTOM, nullptr, FALSE) == nullptr)
            return false;
    }
    PumpMessages();
    return true;
}

}  // namespace

int main()
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    KtvInitGlobalData();

    auto* pFrame = new KtvTestDockFrame;
    if (!pFrame->CreateFrame(0, 0, 1280, 1024) || !pFrame->m_dockManager.EnableDocking(CBRS_ALIGN_ANY) ||
        !pFrame->m_dockManager.EnableAutoHideBars(CBRS_ALIGN_ANY) || !ArrangeTwentyPanes(pFrame)) {
        std::fprintf(stderr, "no layout\n");
        return 1;
    }
    CKtvPDockManager& manager = pFrame->m_dockManager;
    std::vector<BYTE> bytes = Store(manager);
    const double msSave = MillisecondsPerCall([&] { bytes = Store(manager); });
    auto countWindows = [&] {
        int n = 0;
        for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
            n++;
        for (HWND h = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
            n++;
        return n;
    };
    const int nWindowsBefore = countWindows();
    bool bLoaded = true;
    const double msLoadApply = MillisecondsPerCall([&] {
        bLoaded = manager.LoadLayoutBytes(bytes.data(), (UINT)bytes.size()) && bLoaded;
        manager.SetDockState();
        PumpMessages();
    });

    const int nWindowsAfter = countWindows();
    const int nInts = (int)(bytes.size() / 4);
    const double msSaveBaseline = MillisecondsPerCall([&] {
        CMemFile file(1024);
        CArchive ar(&file, CArchive::store, 4096);
        for (int i = 0; i < nInts; i++)
            ar << i;
        ar.Close();
    });
    std::vector<BYTE> ints(bytes.size());
    const double msLoadBaseline = MillisecondsPerCall([&] {
        CMemFile file(ints.data(), (UINT)ints.size());
        CArchive ar(&file, CArchive::load, 4096);
        int n = 0;
        for (int i = 0; i < nInts; i++)
            ar >> n;
    });

    std::printf("%-58s %10zu bytes\n", "stored layout of twenty panes", bytes.size());
    std::printf("%-58s %10.3f ms\n", "save (archive written to memory)", msSave);
    std::printf("%-58s %10.3f ms%s\n", "load and apply to the frame", msLoadApply, bLoaded ? "" : "  (load failed)");
    std::printf("%-58s %6d -> %d\n", "windows before and after the rounds of loading", nWindowsBefore, nWindowsAfter);
    std::printf("%-58s %10.3f ms\n", "baseline: the same bytes written as integers", msSaveBaseline);
    std::printf("%-58s %10.3f ms\n", "baseline: the same bytes read as integers", msLoadBaseline);
    std::printf("%-58s %10.1f\n", "ratio save / baseline", msSave / msSaveBaseline);
    std::printf("%-58s %10.1f\n", "ratio load and apply / baseline", msLoadApply / msLoadBaseline);
    pFrame->DestroyWindow();
    return 0;
}
