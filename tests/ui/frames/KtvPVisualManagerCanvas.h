// What the look tests draw into: a white 32-bit memory DC with the library's
// drawing data ready, and the look state (current manager, default class,
// colour depth, bar colours) put back after every test.
#pragma once

#include <gtest/gtest.h>

#include "platform/mfc/CDC.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

namespace tw::test {

inline COLORREF BrushColor(CBrush& brush)
{
    LOGBRUSH lb{};
    brush.GetLogBrush(&lb);
    return lb.lbColor;
}

inline COLORREF PenColor(CPen& pen)
{
    LOGPEN lp{};
    pen.GetLogPen(&lp);
    return lp.lopnColor;
}

// A white 32-bit memory DC and ways to read it back.
class KtvLookSurface {
public:
    static constexpr int kW = 120;
    static constexpr int kH = 60;
    static constexpr COLORREF kWhite = RGB(255, 255, 255);

    KtvLookSurface()
    {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kW;
        info.bmiHeader.biHeight = -kH;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* raw = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        dc.Attach(dc_);
        Clear();
    }
    ~KtvLookSurface()
    {
        dc.Detach();
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    KtvLookSurface(const KtvLookSurface&) = delete;
    KtvLookSurface& operator=(const KtvLookSurface&) = delete;

    void Clear(COLORREF clr = kWhite) { dc.FillSolidRect(0, 0, kW, kH, clr); }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    // How many pixels of the rectangle have exactly this colour.
    int Count(const CRect& rect, COLORREF clr) const
    {
        int n = 0;
        for (int y = rect.top; y < rect.bottom; y++)
            for (int x = rect.left; x < rect.right; x++)
                n += At(x, y) == clr;
        return n;
    }
    // Whether anti-aliased text on the white canvas is in this colour: its
    // strongest pixel lies on the way from white to the colour, every
    // channel the same share of the way.
    bool TextIn(const CRect& rect, COLORREF clr) const
    {
        COLORREF strongest = kWhite;
        int most = 0;
        for (int y = rect.top; y < rect.bottom; y++)
            for (int x = rect.left; x < rect.right; x++) {
                const COLORREF p = At(x, y);
                const int away = 765 - GetRValue(p) - GetGValue(p) - GetBValue(p);
                if (away > most) {
                    most = away;
                    strongest = p;
                }
            }
        if (most == 0)
            return false;
        double share = -1;
        const int pix[3] = {GetRValue(strongest), GetGValue(strongest), GetBValue(strongest)};
        const int want[3] = {GetRValue(clr), GetGValue(clr), GetBValue(clr)};
        for (int i = 0; i < 3; i++) {
            if (want[i] == 255) {
                if (pix[i] != 255)
                    return false;
                continue;
            }
            const double s = double(255 - pix[i]) / (255 - want[i]);
            if (share >= 0 && (s - share > 0.05 || share - s > 0.05))
                return false;
            share = s;
        }
        return share > 0.3;
    }
    // Every pixel of a second canvas drawn by another way, compared.
    template <typename Draw>
    bool SameAs(Draw draw) const
    {
        HDC other = CreateCompatibleDC(nullptr);
        HBITMAP bmp = CreateCompatibleBitmap(dc_, kW, kH);
        HGDIOBJ old = SelectObject(other, bmp);
        CDC cdc;
        cdc.Attach(other);
        cdc.FillSolidRect(0, 0, kW, kH, kWhite);
        draw(&cdc);
        bool same = true;
        for (int y = 0; y < kH && same; y++)
            for (int x = 0; x < kW && same; x++)
                same = GetPixel(other, x, y) == At(x, y);
        cdc.Detach();
        SelectObject(other, old);
        DeleteObject(bmp);
        DeleteDC(other);
        return same;
    }

    CDC dc;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

class KtvLookCanvas : public ::testing::Test, public KtvLookSurface {
public:
    // No look is current and none is registered.
    static void ResetLook()
    {
        CKtvPVisualManager::m_pRTIDefault = nullptr;
        delete CKtvPVisualManager::m_pVisManager;
        CKtvPVisualManager::m_pVisManager = nullptr;
    }

protected:
    void SetUp() override
    {
        KtvPrepareUiTest();
        ResetLook();
        Clear();
    }
    void TearDown() override
    {
        ResetLook();
        globalData.m_nBitsPerPixel = 32;
        globalData.UpdateSysColors();
    }
};

}  // namespace tw::test
