// Pictures on the clipboard read through its data object: a bitmap travels as
// a GDI handle the reader owns, whichever form the writer put there.
#include <gtest/gtest.h>

#include <future>
#include <thread>
#include <vector>

#include "platform/ole/ClipboardDataObject.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "tests/platform/ole/OleTestFixture.h"

namespace tw::ole::test {
namespace {

class ClipboardBitmapTest : public OleTest {
protected:
    void SetUp() override
    {
        OleTest::SetUp();
        screen = GetDC(nullptr);
        memory = CreateCompatibleDC(screen);
    }
    void TearDown() override
    {
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        OleTest::TearDown();
    }

    // A cx x cy picture filled with one colour and one marked pixel at (cx - 1, 0).
    HBITMAP Picture(int cx, int cy, COLORREF fill, COLORREF mark)
    {
        HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
        HGDIOBJ old = SelectObject(memory, bitmap);
        RECT all{0, 0, cx, cy};
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        SetPixel(memory, cx - 1, 0, mark);
        SelectObject(memory, old);
        return bitmap;
    }
    COLORREF PixelOf(HBITMAP bitmap, int x, int y)
    {
        HGDIOBJ old = SelectObject(memory, bitmap);
        const COLORREF color = GetPixel(memory, x, y);
        SelectObject(memory, old);
        return color;
    }
    // Another window of the process writes the clipboard the plain way.
    void PutOnClipboard(UINT format, HANDLE data)
    {
        HWND writer = MakeWindow(RECT{0, 0, 10, 10});
        ASSERT_TRUE(OpenClipboard(writer));
        EmptyClipboard();
        SetClipboardData(format, data);
        CloseClipboard();
    }
    // Another program leaves only a DIB of the picture: the clipboard's own conversion makes it.
    void PutOnlyDibOnClipboard(HBITMAP picture)
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(CF_BITMAP, picture);
        HANDLE dib = GetClipboardData(CF_DIB);
        ASSERT_NE(dib, nullptr);
        HGLOBAL copy = DuplicateGlobal(dib);
        EmptyClipboard();
        SetClipboardData(CF_DIB, copy);
        CloseClipboard();
    }
    static SIZE SizeOf(HBITMAP bitmap)
    {
        BITMAP info{};
        if (!GetObject(bitmap, sizeof info, &info))
            return SIZE{0, 0};
        return SIZE{info.bmWidth, info.bmHeight};
    }
    static FORMATETC Request(CLIPFORMAT format, DWORD tymed)
    {
        return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, tymed};
    }

    HDC screen = nullptr;
    HDC memory = nullptr;
};

TEST_F(ClipboardBitmapTest, BitmapIsOfferedOnlyAsAGdiHandle)
{
    PutOnClipboard(CF_BITMAP, Picture(4, 3, RGB(0, 128, 0), RGB(255, 0, 0)));
    IDataObject* reader = nullptr;
    ASSERT_EQ(OleGetClipboard(&reader), S_OK);
    struct Case {
        FORMATETC request;
        HRESULT expected;
    } cases[] = {
        {Request(CF_BITMAP, TYMED_GDI), S_OK},
        {Request(CF_BITMAP, TYMED_GDI | TYMED_HGLOBAL), S_OK},
        {Request(CF_BITMAP, TYMED_HGLOBAL), DV_E_TYMED},
        {Request(CF_DIB, TYMED_HGLOBAL), S_OK},  // the clipboard's own conversion
        {Request(CF_DIB, TYMED_GDI), DV_E_TYMED},
        {Request(CF_PALETTE, TYMED_GDI), DV_E_TYMED},
        {Request(CF_ENHMETAFILE, TYMED_ENHMF), DV_E_TYMED},
        {FORMATETC{CF_BITMAP, nullptr, DVASPECT_ICON, -1, TYMED_GDI}, DV_E_DVASPECT},
    };
    for (Case& c : cases)
        EXPECT_EQ(reader->QueryGetData(&c.request), c.expected) << c.request.cfFormat << "/" << c.request.tymed;

    // The enumerator names the bitmap's medium as the data object gives it.
    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(reader->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    std::vector<FORMATETC> offered;
    for (FORMATETC f{}; formats->Next(1, &f, nullptr) == S_OK;)
        offered.push_back(f);
    formats->Release();
    bool bitmapAsGdi = false;
    for (const FORMATETC& f : offered) {
        if (f.cfFormat == CF_BITMAP)
            bitmapAsGdi = f.tymed == TYMED_GDI;
        if (f.cfFormat == CF_DIB)
            EXPECT_EQ(f.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    }
    EXPECT_TRUE(bitmapAsGdi);
    reader->Release();
}

// Each reader gets a bitmap of its own with the picture's size and pixels: freeing it leaves the
// clipboard's, and emptying the clipboard leaves the reader's.
TEST_F(ClipboardBitmapTest, ReaderOwnsACopyOfThePicture)
{
    HBITMAP original = Picture(5, 2, RGB(0, 0, 255), RGB(255, 255, 0));
    PutOnClipboard(CF_BITMAP, original);
    IDataObject* reader = nullptr;
    ASSERT_EQ(OleGetClipboard(&reader), S_OK);
    FORMATETC request = Request(CF_BITMAP, TYMED_GDI);

    STGMEDIUM first{};
    ASSERT_EQ(reader->GetData(&request, &first), S_OK);
    EXPECT_EQ(first.tymed, static_cast<DWORD>(TYMED_GDI));
    EXPECT_EQ(first.pUnkForRelease, nullptr);
    ASSERT_NE(first.hBitmap, nullptr);
    EXPECT_NE(first.hBitmap, original);
    EXPECT_EQ(SizeOf(first.hBitmap).cx, 5);
    EXPECT_EQ(SizeOf(first.hBitmap).cy, 2);
    EXPECT_EQ(PixelOf(first.hBitmap, 4, 0), RGB(255, 255, 0));
    EXPECT_EQ(PixelOf(first.hBitmap, 0, 1), RGB(0, 0, 255));
    ReleaseStgMedium(&first);
    EXPECT_EQ(first.hBitmap, nullptr);
    EXPECT_EQ(SizeOf(original).cx, 5) << "the clipboard's bitmap was freed";

    STGMEDIUM second{};
    ASSERT_EQ(reader->GetData(&request, &second), S_OK);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(PixelOf(second.hBitmap, 4, 0), RGB(255, 255, 0));
    ReleaseStgMedium(&second);

    // Nothing left to read: the request names the format as absent.
    STGMEDIUM none{};
    EXPECT_EQ(reader->QueryGetData(&request), DV_E_FORMATETC);
    EXPECT_EQ(reader->GetData(&request, &none), DV_E_FORMATETC);
    reader->Release();
}

// Another program leaves only a DIB: the data object still gives a bitmap.
TEST_F(ClipboardBitmapTest, DibFromAnotherProgramIsReadAsABitmap)
{
    PutOnlyDibOnClipboard(Picture(3, 4, RGB(10, 20, 30), RGB(200, 100, 50)));
    IDataObject* reader = nullptr;
    ASSERT_EQ(OleGetClipboard(&reader), S_OK);
    FORMATETC request = Request(CF_BITMAP, TYMED_GDI);
    STGMEDIUM medium{};
    ASSERT_EQ(reader->GetData(&request, &medium), S_OK);
    EXPECT_EQ(SizeOf(medium.hBitmap).cx, 3);
    EXPECT_EQ(SizeOf(medium.hBitmap).cy, 4);
    EXPECT_EQ(PixelOf(medium.hBitmap, 2, 0), RGB(200, 100, 50));
    EXPECT_EQ(PixelOf(medium.hBitmap, 1, 3), RGB(10, 20, 30));
    ReleaseStgMedium(&medium);
    reader->Release();
}

// While another thread holds the clipboard open the reader is told so, and reads once it is closed.
TEST_F(ClipboardBitmapTest, ClipboardOpenElsewhereIsReported)
{
    PutOnClipboard(CF_BITMAP, Picture(2, 2, RGB(1, 2, 3), RGB(4, 5, 6)));
    IDataObject* reader = nullptr;
    ASSERT_EQ(OleGetClipboard(&reader), S_OK);
    std::promise<bool> opened;
    std::promise<void> release;
    std::thread holder([&] {
        opened.set_value(OpenClipboard(nullptr) != FALSE);
        release.get_future().wait();
        CloseClipboard();
    });
    ASSERT_TRUE(opened.get_future().get());
    FORMATETC request = Request(CF_BITMAP, TYMED_GDI);
    STGMEDIUM medium{};
    EXPECT_EQ(reader->GetData(&request, &medium), CLIPBRD_E_CANT_OPEN);
    release.set_value();
    holder.join();
    ASSERT_EQ(reader->GetData(&request, &medium), S_OK);
    EXPECT_EQ(PixelOf(medium.hBitmap, 1, 0), RGB(4, 5, 6));
    ReleaseStgMedium(&medium);
    reader->Release();
}

}  // namespace
}  // namespace tw::ole::test
