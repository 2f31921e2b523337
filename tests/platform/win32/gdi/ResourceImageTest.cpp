// Bitmaps and icons loaded from a module's resources.
#include <gtest/gtest.h>

#include "GdiTestCanvas.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/resource/ResourceLoader.h"

const tw::ResourceTable& GdiImageResources();

namespace {

using gditest::Canvas;

class ResourceImageTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tw::RegisterResources(m_module, GdiImageResources())); }
    void TearDown() override { tw::UnregisterResources(m_module); }

    HINSTANCE m_module = reinterpret_cast<HINSTANCE>(0x7A0000);
};

TEST_F(ResourceImageTest, BitmapResourceDrawsItsPixels)
{
    HBITMAP bitmap = LoadBitmap(m_module, MAKEINTRESOURCE(700));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObject(bitmap, sizeof(info), &info), int(sizeof(info)));
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(info.bmHeight, 2);

    Canvas canvas(4, 2, RGB(0, 0, 0));
    HDC source = CreateCompatibleDC(canvas.Dc());
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(canvas.Dc(), 0, 0, 4, 2, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(bitmap);

    EXPECT_EQ(canvas.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(2, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(3, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(0, 1), RGB(255, 255, 255)) << "rows stay in order (the resource is bottom-up)";
    EXPECT_EQ(canvas.At(3, 1), RGB(255, 0, 0));
}

TEST_F(ResourceImageTest, IconResourceKeepsItsClearCorners)
{
    HICON icon = static_cast<HICON>(LoadImage(m_module, MAKEINTRESOURCE(701), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(icon, nullptr);
    Canvas canvas(4, 4, RGB(0, 255, 0));
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.Picture(RGB(0, 0, 255)), ".##.\n####\n####\n.##.\n");
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 255, 0)) << "the background shows through the clear pixels";
    DestroyIcon(icon);
}

TEST_F(ResourceImageTest, SharedLoadsGiveOneHandleAndSizesScale)
{
    HICON first = LoadIcon(m_module, MAKEINTRESOURCE(701));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(LoadIcon(m_module, MAKEINTRESOURCE(701)), first);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(first, &info));
    BITMAP mask{};
    GetObject(info.hbmMask, sizeof(mask), &mask);
    EXPECT_EQ(mask.bmWidth, GetSystemMetrics(SM_CXICON)) << "LoadIcon gives the default icon size";
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
}

TEST_F(ResourceImageTest, CursorResourceKeepsItsHotSpot)
{
    HCURSOR cursor = static_cast<HCURSOR>(LoadImage(m_module, MAKEINTRESOURCE(702), IMAGE_CURSOR, 0, 0, 0));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 1u);
    EXPECT_EQ(info.yHotspot, 2u);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyCursor(cursor);
}

TEST_F(ResourceImageTest, MissingResourcesGiveNull)
{
    EXPECT_EQ(LoadBitmap(m_module, MAKEINTRESOURCE(799)), nullptr);
    EXPECT_EQ(LoadIcon(m_module, MAKEINTRESOURCE(700)), nullptr) << "a bitmap id is no icon";
    EXPECT_EQ(LoadImage(m_module, MAKEINTRESOURCE(701), IMAGE_BITMAP, 0, 0, 0), nullptr);
}

}  // namespace
