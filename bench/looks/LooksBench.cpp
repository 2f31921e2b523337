// Figures for the looks: one repaint of the bars of a 1280 x 1024 frame (eight
// toolbars of twenty buttons with grippers and separators, four docking
// panes with captions and their buttons, a tab strip, a status bar of five
// panes and a menu of twelve items), drawn into a 32-bit memory DC through
// each look. The baseline, printed last, fills the same rectangles with plain
// solid fills. Run by hand.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "platform/mfc/CDC.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPVisualManager2003.h"
#include "ui/frames/KtvPVisualManagerXP.h"

namespace {

constexpr int kRounds = 50;

double MillisecondsPerRound(const std::function<void()>& body)
{
    using Clock = std::chrono::steady_clock;
    body();
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; i++)
        body();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kRounds;
}

// Every rectangle of the frame's bars, and what is drawn in it.
void RepaintBars(CKtvPVisualManager* pLook, CDC* pDC, bool bRaw)
{
    CKtvPToolbarButton button;
    CKtvPToolbarMenuButton item;
    CKtvPCaptionButton close(KTVP_HTCLOSE_BAR);
    COLORREF clrText = 0;
    auto fill = [&](const CRect& rect) { pDC->FillSolidRect(rect, globalData.clrBarFace); };

    for (int row = 0; row < 8; row++) {
        const CRect bar((row % 2) * 640, (row / 2) * 26, (row % 2) * 640 + 600, (row / 2) * 26 + 26);
        if (bRaw) {
            fill(bar);
        } else {
            pLook->OnFillBarBackground(pDC, nullptr, bar, bar);
            pLook->OnDrawBarGripper(pDC, CRect(bar.left, bar.top, bar.left + 8, bar.bottom), TRUE, nullptr);
        }
        for (int i = 0; i < 20; i++) {
            const CRect rect(bar.left + 10 + i * 24, bar.top + 2, bar.left + 33 + i * 24, bar.top + 24);
            const ButtonState state = i % 5 == 0 ? ButtonsIsHighlighted : ButtonsIsRegular;
            if (bRaw) {
                fill(rect);
            } else if (i % 7 == 6) {
                pLook->OnDrawSeparator(pDC, nullptr, rect, TRUE);
            } else {
                pLook->OnFillButtonInterior(pDC, &button, rect, state);
                pLook->OnDrawButtonBorder(pDC, &button, rect, state);
            }
        }
    }
    for (int pane = 0; pane < 4; pane++) {
        const CRect caption(pane * 320, 120, pane * 320 + 300, 138);
        if (bRaw) {
            fill(caption);
            continue;
        }
        pLook->OnDrawDockingBarCaption(pDC, nullptr, pane == 0, caption, CRect());
        close.m_ptOrigin = CPoint(caption.right - 16, caption.top + 2);
        pLook->OnDrawCaptionButton(pDC, &close, pane == 0, TRUE, FALSE, FALSE);
    }
    const CRect tabs(0, 900, 1280, 922);
    const CRect status(0, 1000, 1280, 1024);
    if (bRaw) {
        fill(tabs);
        fill(status);
    } else {
        pLook->OnFillBarBackground(pDC, nullptr, status, status);
    }
    for (int i = 0; i < 5; i++) {
        const CRect rect(i * 256 + 2, 1002, i * 256 + 254, 1022);
        if (bRaw)
            fill(rect);
        else
            pLook->OnDrawStatusBarPaneBorder(pDC, nullptr, rect, 0, 0);
    }
    for (int i = 0; i < 12; i++) {
        const CRect rect(400, 300 + i * 20, 600, 320 + i * 20);
        if (bRaw)
            fill(rect);
        else if (i == 3)
            pLook->OnHighlightMenuItem(pDC, &item, rect, clrText);
    }
}

}  // namespace

int main()
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    KtvPrepareUiTest();

    HDC hdc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 1280;
    info.bmiHeader.biHeight = -1024;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(hdc, bitmap);
    CDC dc;
    dc.Attach(hdc);

    CKtvPVisualManager classic(TRUE);
    CKtvPVisualManager look2000(TRUE);
    look2000.m_bLook2000 = TRUE;
    CKtvPVisualManagerXP xp(TRUE);
    CKtvPVisualManager2003 gradient;
    struct Row {
        const char* name;
        CKtvPVisualManager* look;
    };
    const Row rows[] = {{"classic", &classic}, {"look 2000", &look2000}, {"xp", &xp}, {"2003", &gradient}};
    for (const Row& row : rows) {
        const double ms = MillisecondsPerRound([&] { RepaintBars(row.look, &dc, false); });
        std::printf("repaint of every bar, %-10s %8.3f ms\n", row.name, ms);
    }
    const double msRaw = MillisecondsPerRound([&] { RepaintBars(nullptr, &dc, true); });
    std::printf("baseline: the same rectangles as solid fills %8.3f ms (2003 look / baseline: %.1f)\n", msRaw,
                MillisecondsPerRound([&] { RepaintBars(&gradient, &dc, false); }) / msRaw);

    dc.Detach();
    SelectObject(hdc, old);
    DeleteObject(bitmap);
    DeleteDC(hdc);
    return 0;
}
