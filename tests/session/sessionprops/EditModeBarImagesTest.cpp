// The edit-mode view's toolbar resource: thirteen buttons, each with a
// picture of its own.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "session/SessionIds.h"
#include "tests/app/mainwindow/MainWindowFixture.h"

namespace {

using EditModeBarImagesTest = tw::test::MainWindowTest;

TEST_F(EditModeBarImagesTest, ThirteenButtonsEachWithAPictureOfItsOwn)
{
    ASSERT_NE(nullptr, ::FindResource(tw::ProgramInstance(), MAKEINTRESOURCE(IDR_TW_EDIT_MODE_BAR), RT_TOOLBAR));
    HBITMAP bitmap = ::LoadBitmap(tw::ProgramInstance(), MAKEINTRESOURCE(IDR_TW_EDIT_MODE_BAR));
    ASSERT_NE(nullptr, bitmap);
    BITMAP info{};
    ::GetObject(bitmap, sizeof info, &info);
    EXPECT_EQ(13 * 16, info.bmWidth);
    EXPECT_EQ(16, info.bmHeight);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    std::set<std::vector<COLORREF>> pictures;
    for (int button = 0; button < 13; ++button) {
        std::vector<COLORREF> pixels;
        std::set<COLORREF> colours;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                pixels.push_back(::GetPixel(dc, button * 16 + x, y));
                colours.insert(pixels.back());
            }
        EXPECT_GT(colours.size(), 1u) << "button " << button << " has no picture";
        EXPECT_EQ(0u, colours.count(RGB(255, 0, 255))) << "button " << button;
        pictures.insert(pixels);
    }
    EXPECT_EQ(13u, pictures.size());
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
}

}  // namespace
