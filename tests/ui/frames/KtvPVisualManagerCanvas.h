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

class KtvLookCanvas : public ::testing::Test {
public:
    // No look is current and none is registered.
    static void ResetLook()
    {
        CKtvPVisualManager::m_pRTIDefault = nullptr;
        delete CKtvPVisualManager::m_pVisManager;
        CKtvPVisualManager::m_pVisManager = nullptr;
    }

protected:
    static constexpr int kW = 120;
    static constexpr int kH = 60;
    static constexpr COLORREF kWhite = RGB(255, 255, 255);

    void SetUp() override
    {
        KtvPrepareUiTest();
        ResetLook();
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
    void TearDown() override
    {
        dc.Detach();
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        ResetLook();
        globalData.m_nBitsPerPixel = 32;
        globalData.UpdateSysColors();
    }
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

}  // namespace tw::test
