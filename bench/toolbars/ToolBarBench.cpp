// Figures for the toolbars: one layout pass and one repaint of five docked
// bars of 30 buttons each, with images. The baseline, printed last, paints
// the same bars by hand: a background fill and 30 image blits per bar.
// Run by hand.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/mfc/CDC.h"
#include "tests/support/ui/KtvTestDockFrame.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

constexpr int kRounds = 200;
constexpr int kBars = 5;
constexpr int kButtons = 30;

template <class Body>
double Measure(Body body)
{
    using Clock = std::chrono::steady_clock;
    body();
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; i++)
        body();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kRounds;
}

// A strip of kButtons images of 16 x 15, each a different colour.
HBITMAP MakeStrip(HDC hdcScreen)
{
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hbmp = ::CreateCompatibleBitmap(hdcScreen, 16 * kButtons, 15);
    HGDIOBJ old = ::SelectObject(hdc, hbmp);
    for (int i = 0; i < kButtons; i++) {
        HBRUSH brush = ::CreateSolidBrush(RGB(i * 8, 255 - i * 8, (i * 37) % 256));
        RECT rect{16 * i + 1, 1, 16 * i + 15, 14};
        ::FillRect(hdc, &rect, brush);
        ::DeleteObject(brush);
    }
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
    return hbmp;
}

}  // namespace

int main()
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    KtvPrepareUiTest();

    auto* pFrame = new tw::test::KtvTestDockFrame;
    if (!pFrame->CreateFrame(0, 0, 1280, 1024) || !pFrame->m_dockManager.EnableDocking(CBRS_ALIGN_ANY)) {
        std::fprintf(stderr, "no frame\n");
        return 1;
    }

    HDC hdcScreen = ::GetDC(nullptr);
    HBITMAP hbmStrip = MakeStrip(hdcScreen);
    CKtvPToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    CKtvPToolBar::m_Images.AddImage(hbmStrip);

    std::vector<std::unique_ptr<CKtvPToolBar>> bars;
    for (int b = 0; b < kBars; b++) {
        auto pBar = std::make_unique<CKtvPToolBar>();
        pBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0xE800 + b);
        for (int i = 0; i < kButtons; i++) {
            if (i % 6 == 5) {
                pBar->InsertSeparator();
                continue;
            }
            pBar->InsertButton(new CKtvPToolbarButton(1000 + b * 100 + i, i, nullptr, FALSE, TRUE));
        }
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        pFrame->DockControlBar(pBar.get(), AFX_IDW_DOCKBAR_TOP);
        bars.push_back(std::move(pBar));
    }
    pFrame->RecalcLayout();

    const double usLayout = Measure([&] {
        for (auto& pBar : bars)
            pBar->AdjustLayout();
    });
    const double usRepaint = Measure([&] {
        for (auto& pBar : bars)
            pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    });

    // Baseline: the same pixels put down by hand, without the bars' logic.
    HDC hdcStrip = ::CreateCompatibleDC(hdcScreen);
    HGDIOBJ oldStrip = ::SelectObject(hdcStrip, hbmStrip);
    HBRUSH face = ::CreateSolidBrush(globalData.clrBarFace);
    const double usBaseline = Measure([&] {
        for (auto& pBar : bars) {
            HWND hwnd = pBar->GetSafeHwnd();
            HDC hdc = ::GetDC(hwnd);
            RECT client;
            ::GetClientRect(hwnd, &client);
            ::FillRect(hdc, &client, face);
            for (int i = 0; i < kButtons; i++)
                ::BitBlt(hdc, 1 + 23 * i + 3, 3, 16, 15, hdcStrip, 16 * i, 0, SRCCOPY);
            ::ReleaseDC(hwnd, hdc);
        }
    });
    ::DeleteObject(face);
    ::SelectObject(hdcStrip, oldStrip);
    ::DeleteDC(hdcStrip);
    ::ReleaseDC(nullptr, hdcScreen);

    std::printf("%-52s %10.1f us\n", "layout, 5 docked bars of 30 buttons", usLayout);
    std::printf("%-52s %10.1f us\n", "repaint, 5 docked bars of 30 buttons", usRepaint);
    std::printf("%-52s %10.1f us\n", "baseline: fill and 30 blits per bar by hand", usBaseline);
    std::printf("%-52s %10.2f\n", "ratio repaint / baseline", usRepaint / usBaseline);
    pFrame->DestroyWindow();
    bars.clear();
    ::DeleteObject(hbmStrip);
    return 0;
}
