// Drawing figures: a full repaint of a 1280x1024 screen (60 text rows and
// toolbar-like blits), and text drawn through GDI against a plain Pango loop
// over the same rows. Prints milliseconds; run by hand.
#include <pango/pangocairo.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/win32/gdi/ScreenDC.h"
#include "platform/win32/gdi/windraw.h"

namespace {

constexpr int kBenchWidth = 1280;
constexpr int kBenchHeight = 1024;
constexpr int kBenchRows = 60;
constexpr int kBenchRounds = 20;

using BenchClock = std::chrono::steady_clock;

double BenchMs(BenchClock::time_point since)
{
    return std::chrono::duration<double, std::milli>(BenchClock::now() - since).count();
}

std::vector<std::string> BenchRows()
{
    std::vector<std::string> rows;
    for (int i = 0; i < kBenchRows; ++i) {
        char line[160];
        std::snprintf(line, sizeof(line),
                      "%4d  SELECT o.name, c.name, t.name FROM sysobjects o JOIN syscolumns c ON c.id = o.id -- row %d",
                      i + 1, i + 1);
        rows.emplace_back(line);
    }
    return rows;
}

// A 16x16 toolbar image and its mask, as image lists draw them.
struct BenchImages {
    HDC imageDc;
    HDC maskDc;
    HBITMAP image;
    HBITMAP mask;
};

BenchImages BenchMakeImages(HDC screen)
{
    BenchImages images{};
    images.imageDc = CreateCompatibleDC(screen);
    images.maskDc = CreateCompatibleDC(screen);
    images.image = CreateCompatibleBitmap(screen, 16 * 20, 16);
    images.mask = CreateBitmap(16 * 20, 16, 1, 1, nullptr);
    SelectObject(images.imageDc, images.image);
    SelectObject(images.maskDc, images.mask);
    RECT all{0, 0, 16 * 20, 16};
    FillRect(images.imageDc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(images.maskDc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (int i = 0; i < 20; ++i) {
        HBRUSH brush = CreateSolidBrush(RGB(20 * i, 255 - 10 * i, 128));
        SelectObject(images.imageDc, brush);
        SelectObject(images.maskDc, GetStockObject(BLACK_BRUSH));
        Ellipse(images.imageDc, i * 16 + 1, 1, i * 16 + 15, 15);
        Ellipse(images.maskDc, i * 16 + 1, 1, i * 16 + 15, 15);
        SelectObject(images.imageDc, GetStockObject(WHITE_BRUSH));
        DeleteObject(brush);
    }
    return images;
}

void BenchRepaint(HDC screen, const BenchImages& images, const std::vector<std::string>& rows, HFONT font)
{
    RECT all{0, 0, kBenchWidth, kBenchHeight};
    FillRect(screen, &all, GetSysColorBrush(COLOR_BTNFACE));
    // Two toolbars of 20 buttons: raised edges and masked images.
    for (int bar = 0; bar < 2; ++bar) {
        for (int i = 0; i < 20; ++i) {
            RECT button{4 + i * 24, 4 + bar * 26, 4 + i * 24 + 23, 4 + bar * 26 + 22};
            DrawEdge(screen, &button, BDR_RAISEDINNER, BF_RECT);
            BitBlt(screen, button.left + 4, button.top + 3, 16, 16, images.maskDc, i * 16, 0, SRCAND);
            BitBlt(screen, button.left + 4, button.top + 3, 16, 16, images.imageDc, i * 16, 0, SRCPAINT);
        }
    }
    HGDIOBJ old = SelectObject(screen, font);
    SetBkColor(screen, RGB(255, 255, 255));
    for (int i = 0; i < int(rows.size()); ++i) {
        RECT line{0, 60 + i * 15, kBenchWidth, 60 + (i + 1) * 15};
        ExtTextOut(screen, 4, line.top, ETO_OPAQUE, &line, rows[i].c_str(), UINT(rows[i].size()), nullptr);
    }
    SelectObject(screen, old);
}

double BenchRawPango(const std::vector<std::string>& rows)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kBenchWidth, kBenchHeight);
    cairo_t* cr = cairo_create(surface);
    PangoFontDescription* description = pango_font_description_from_string("Liberation Sans");
    pango_font_description_set_absolute_size(description, 11 * PANGO_SCALE);
    PangoLayout* layout = pango_cairo_create_layout(cr);
    pango_layout_set_font_description(layout, description);
    const auto start = BenchClock::now();
    for (int round = 0; round < kBenchRounds; ++round) {
        for (int i = 0; i < int(rows.size()); ++i) {
            pango_layout_set_text(layout, rows[i].c_str(), int(rows[i].size()));
            cairo_move_to(cr, 4, 60 + i * 15);
            pango_cairo_show_layout(cr, layout);
        }
    }
    cairo_surface_flush(surface);
    const double ms = BenchMs(start) / kBenchRounds;
    g_object_unref(layout);
    pango_font_description_free(description);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return ms;
}

}  // namespace

int main()
{
    setenv("FONTCONFIG_FILE", TW_SOURCE_DIR "/tests/support/fonts.conf", 0);
    setenv("TARNWICK_DISPLAY", "headless", 1);
    tw::display::Screen& screenSurface = tw::display::Display::Instance().GetScreen();
    screenSurface.Resize(kBenchWidth, kBenchHeight);
    HDC screen = tw::gdi::CreateScreenDC(POINT{0, 0}, nullptr);
    const std::vector<std::string> rows = BenchRows();
    HFONT font = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    BenchImages images = BenchMakeImages(screen);

    BenchRepaint(screen, images, rows, font);  // warm the font caches
    auto start = BenchClock::now();
    for (int round = 0; round < kBenchRounds; ++round)
        BenchRepaint(screen, images, rows, font);
    const double repaintMs = BenchMs(start) / kBenchRounds;

    HGDIOBJ old = SelectObject(screen, font);
    SetBkMode(screen, TRANSPARENT);
    start = BenchClock::now();
    for (int round = 0; round < kBenchRounds; ++round)
        for (int i = 0; i < int(rows.size()); ++i)
            TextOut(screen, 4, 60 + i * 15, rows[i].c_str(), int(rows[i].size()));
    const double gdiTextMs = BenchMs(start) / kBenchRounds;
    SelectObject(screen, old);
    const double pangoMs = BenchRawPango(rows);

    std::printf("full repaint, 1280x1024, %d text rows + 40 toolbar buttons: %.2f ms\n", kBenchRows, repaintMs);
    std::printf("%d text rows through TextOut:                             %.2f ms\n", kBenchRows, gdiTextMs);
    std::printf("%d text rows through a plain Pango loop:                  %.2f ms\n", kBenchRows, pangoMs);
    std::printf("TextOut / Pango:                                         %.2fx\n", gdiTextMs / pangoMs);

    DeleteDC(images.imageDc);
    DeleteDC(images.maskDc);
    DeleteObject(images.image);
    DeleteObject(images.mask);
    DeleteObject(font);
    DeleteDC(screen);
    return 0;
}
