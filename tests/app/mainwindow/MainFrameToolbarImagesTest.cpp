// The pictures on the main window's five toolbars: every button has one of
// its own, drawn on a background that is the bar's face.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/mfc/CDC.h"
#include "tests/app/mainwindow/MainWindowFixture.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/commandbars/KtvPToolbarButton.h"

namespace tw::test {
namespace {

constexpr COLORREF kImagesTestBehind = RGB(0, 255, 0);

// The image as drawn over a green background: its pixels row by row.
std::vector<COLORREF> DrawnPicture(int iImage, CSize size)
{
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    HBRUSH green = ::CreateSolidBrush(kImagesTestBehind);
    const RECT all{0, 0, size.cx, size.cy};
    ::FillRect(dc, &all, green);
    ::DeleteObject(green);

    CKtvPDrawState ds;
    std::vector<COLORREF> pixels;
    if (CKtvPToolBar::m_Images.PrepareDrawImage(ds)) {
        CKtvPToolBar::m_Images.Draw(CDC::FromHandle(dc), 0, 0, iImage, FALSE, FALSE, FALSE);
        CKtvPToolBar::m_Images.EndDrawImage(ds);
        for (int y = 0; y < size.cy; y++)
            for (int x = 0; x < size.cx; x++)
                pixels.push_back(::GetPixel(dc, x, y));
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

using MainFrameToolbarImagesTest = MainWindowTest;

TEST_F(MainFrameToolbarImagesTest, EveryButtonHasAPictureOfItsOwnOverTheBarsFace)
{
    const CSize size = CKtvPToolBar::m_Images.GetImageSize();
    EXPECT_EQ(size, CSize(16, 16));
    CKtvPToolBar* bars[] = {&frame->m_wndToolBar, &frame->m_wndEditBar, &frame->m_wndSessionBar,
                            &frame->m_wndQueryBar, &frame->m_wndResultBar};
    std::set<std::vector<COLORREF>> seen;
    for (CKtvPToolBar* pBar : bars) {
        CString title;
        pBar->GetWindowText(title);
        for (int i = 0; i < pBar->GetCount(); i++) {
            const CKtvPToolbarButton* pButton = pBar->GetButton(i);
            if (pButton->m_nID == 0 || (pButton->m_nStyle & TBBS_SEPARATOR))
                continue;
            SCOPED_TRACE(std::string(title) + " " + std::to_string(pButton->m_nID));
            // The database box shows no picture of its own on the bar, but it has one in menus and lists.
            ASSERT_GE(pButton->GetImage(), 0);
            const std::vector<COLORREF> pixels = DrawnPicture(pButton->GetImage(), size);
            ASSERT_EQ(pixels.size(), static_cast<size_t>(size.cx * size.cy));
            EXPECT_TRUE(seen.insert(pixels).second) << "a picture shared with another button";

            // Around the picture: what is behind, or the face the bar has there.
            size_t behind = 0;
            std::set<COLORREF> colours;
            for (COLORREF pixel : pixels) {
                EXPECT_NE(pixel, RGB(255, 0, 255)) << "a key colour left showing";
                if (pixel == kImagesTestBehind || pixel == ::GetSysColor(COLOR_BTNFACE))
                    behind++;
                else
                    colours.insert(pixel);
            }
            EXPECT_GE(behind, pixels.size() / 10) << "the background is the face of the bar";
            EXPECT_FALSE(colours.empty()) << "something is drawn";
        }
    }
}

}  // namespace
}  // namespace tw::test
