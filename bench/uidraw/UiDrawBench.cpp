// Figures for the pixel effects painters run on every paint: a menu's
// highlight and shadow, a toolbar's gradient, and a toolbar's worth of strip
// images in each drawing state. Prints microseconds per call; run by hand.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/mfc/CDC.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using BenchClock = std::chrono::steady_clock;
constexpr int kRounds = 200;

template <class Body>
void Report(const char* what, Body body)
{
    body();  // warm up
    const auto start = BenchClock::now();
    for (int i = 0; i < kRounds; i++)
        body();
    const double us = std::chrono::duration<double, std::micro>(BenchClock::now() - start).count() / kRounds;
    std::printf("%-44s %10.1f us\n", what, us);
}

// A strip of 24 images of 16 x 15 made from a gradient.
HBITMAP MakeStrip(HDC reference)
{
    HBITMAP strip = CreateCompatibleBitmap(reference, 24 * 16, 15);
    HDC dc = CreateCompatibleDC(reference);
    HGDIOBJ old = SelectObject(dc, strip);
    CDC cdc;
    cdc.Attach(dc);
    CKtvPDrawManager(cdc).FillGradient(CRect(0, 0, 24 * 16, 15), RGB(192, 192, 192), RGB(0, 0, 128), FALSE);
    cdc.Detach();
    SelectObject(dc, old);
    DeleteDC(dc);
    return strip;
}

}  // namespace

int main()
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    KtvInitGlobalData();
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 800, 600);
    HGDIOBJ old = SelectObject(dc, canvas);
    CDC cdc;
    cdc.Attach(dc);
    CKtvPDrawManager dm(cdc);

    Report("HighlightRect 200 x 22 (menu item)", [&] { dm.HighlightRect(CRect(10, 10, 210, 32)); });
    Report("GrayRect 16 x 15 (one image)", [&] { dm.GrayRect(CRect(10, 10, 26, 25)); });
    Report("DrawShadow 200 x 300, depth 4 (popup menu)",
           [&] { dm.DrawShadow(CRect(10, 10, 210, 310), 4, 100, 65, nullptr, nullptr); });
    Report("FillGradient 800 x 26 (toolbar)",
           [&] { dm.FillGradient(CRect(0, 0, 800, 26), RGB(255, 255, 255), RGB(10, 36, 106), FALSE); });
    Report("FillGradientAngle 200 x 200 at 45", [&] {
        dm.FillGradientAngle(CRect(0, 0, 200, 200), RGB(255, 255, 255), RGB(10, 36, 106), 45);
    });

    CKtvPToolBarImages images;
    images.SetImageSize(CSize(16, 15));
    HBITMAP strip = MakeStrip(screen);
    images.AddImage(strip);
    DeleteObject(strip);
    struct Mode {
        const char* name;
        COLORREF transparent;
        CSize size;
        BOOL disabled, shadow;
    };
    const Mode modes[] = {
        {"24 strip images, normal", (COLORREF)-1, CSize(0, 0), FALSE, FALSE},
        {"24 strip images, transparent colour", RGB(255, 0, 255), CSize(0, 0), FALSE, FALSE},
        {"24 strip images, stretched to 24 x 23", (COLORREF)-1, CSize(24, 23), FALSE, FALSE},
        {"24 strip images, disabled", (COLORREF)-1, CSize(0, 0), TRUE, FALSE},
        {"24 strip images, shadow", (COLORREF)-1, CSize(0, 0), FALSE, TRUE},
    };
    for (const Mode& mode : modes) {
        images.SetTransparentColor(mode.transparent);
        Report(mode.name, [&] {
            CKtvPDrawState ds;
            images.PrepareDrawImage(ds, mode.size);
            for (int i = 0; i < 24; i++)
                images.Draw(&cdc, i * 25, 40, i, mode.disabled, mode.shadow);
            images.EndDrawImage(ds);
        });
    }

    cdc.Detach();
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    KtvCleanUp();
    return 0;
}
