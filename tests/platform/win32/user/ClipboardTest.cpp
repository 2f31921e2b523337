// The clipboard: data by format, text in its three forms, owners.
#include "tests/platform/win32/user/UserTestFixture.h"

#include <cstring>

#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/kernel/GlobalMemory.h"

namespace tw::user::test {
namespace {

HGLOBAL MakeGlobal(const void* data, size_t size)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(h), data, size);
    GlobalUnlock(h);
    return h;
}

std::string TextOf(HANDLE h)
{
    const char* p = static_cast<const char*>(GlobalLock(h));
    std::string text = p ? p : "";
    GlobalUnlock(h);
    return text;
}

std::u16string UnicodeOf(HANDLE h)
{
    const char16_t* p = static_cast<const char16_t*>(GlobalLock(h));
    std::u16string text = p ? p : u"";
    GlobalUnlock(h);
    return text;
}

class ClipboardTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        owner = trace.Create("owner", WS_POPUP, 0, RECT{0, 0, 10, 10});
        ASSERT_TRUE(OpenClipboard(owner));
        ASSERT_TRUE(EmptyClipboard());
    }
    void TearDown() override
    {
        CloseClipboard();
        UserTest::TearDown();
    }
    HWND owner = nullptr;
};

TEST_F(ClipboardTest, TextIsOfferedInEveryTextFormat)
{
    const char text[] = "Gr\xC3\xBC\xC3\x9F" "e \xF0\x9F\x98\x80";  // "Grüße 😀"
    ASSERT_NE(SetClipboardData(CF_TEXT, MakeGlobal(text, sizeof text)), nullptr);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_OEMTEXT));
    EXPECT_EQ(UnicodeOf(GetClipboardData(CF_UNICODETEXT)), u"Gr\u00FC\u00DFe \U0001F600");
    EXPECT_EQ(TextOf(GetClipboardData(CF_OEMTEXT)), text);
    EXPECT_EQ(CountClipboardFormats(), 3);
    EXPECT_EQ(EnumClipboardFormats(0), static_cast<UINT>(CF_TEXT)) << "what was put there comes first";
    EXPECT_EQ(GetClipboardOwner(), owner);
}

TEST_F(ClipboardTest, UnicodeTextBecomesUtf8Text)
{
    const char16_t text[] = u"caf\u00E9";
    SetClipboardData(CF_UNICODETEXT, MakeGlobal(text, sizeof text));
    EXPECT_EQ(TextOf(GetClipboardData(CF_TEXT)), "caf\xC3\xA9");
    // A new text replaces what was converted from the old one.
    const char plain[] = "new";
    SetClipboardData(CF_TEXT, MakeGlobal(plain, sizeof plain));
    const char16_t fresh[] = u"fresh";
    SetClipboardData(CF_UNICODETEXT, MakeGlobal(fresh, sizeof fresh));
    EXPECT_EQ(TextOf(GetClipboardData(CF_TEXT)), "new");
}

TEST_F(ClipboardTest, RegisteredFormatsCarryTheirBytesAndName)
{
    const UINT format = RegisterClipboardFormat("KTVP_TEXT");
    EXPECT_EQ(RegisterClipboardFormat("ktvp_text"), format);
    const char bytes[] = {1, 2, 3};
    SetClipboardData(format, MakeGlobal(bytes, sizeof bytes));
    EXPECT_TRUE(IsClipboardFormatAvailable(format));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(GlobalSize(GetClipboardData(format)), sizeof bytes);
    char name[32];
    EXPECT_EQ(GetClipboardFormatName(format, name, sizeof name), 9);
    EXPECT_STREQ(name, "KTVP_TEXT");
}

TEST_F(ClipboardTest, OnlyTheThreadThatOpenedItMayChangeIt)
{
    CloseClipboard();
    // A refused block stays its owner's to free.
    HGLOBAL refused = MakeGlobal("x", 2);
    EXPECT_EQ(SetClipboardData(CF_TEXT, refused), nullptr);
    GlobalFree(refused);
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_FALSE(CloseClipboard());
    ASSERT_TRUE(OpenClipboard(owner));
}

TEST_F(ClipboardTest, EmptyingTellsThePreviousOwnerAndDelayedDataIsRenderedOnDemand)
{
    HWND other = trace.Create("other", WS_POPUP, 0, RECT{0, 0, 10, 10});
    trace.OnMessage(owner, WM_RENDERFORMAT, [](HWND, UINT, WPARAM format, LPARAM, LRESULT* r) {
        SetClipboardData(static_cast<UINT>(format), MakeGlobal("late", 5));
        *r = 0;
        return true;
    });
    SetClipboardData(CF_TEXT, nullptr);
    EXPECT_EQ(TextOf(GetClipboardData(CF_TEXT)), "late");
    CloseClipboard();
    trace.Start();
    ASSERT_TRUE(OpenClipboard(other));
    EmptyClipboard();
    EXPECT_EQ(trace.Messages(owner), std::vector<std::string>{"WM_DESTROYCLIPBOARD"});
    EXPECT_EQ(GetClipboardOwner(), other);
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

TEST_F(ClipboardTest, BitmapsAreOfferedAsDibsAndBack)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 3, 2);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetPixel(memory, 2, 0, RGB(10, 20, 30));
    SelectObject(memory, old);
    SetClipboardData(CF_BITMAP, bitmap);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    HANDLE dib = GetClipboardData(CF_DIB);
    ASSERT_NE(dib, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
    EXPECT_EQ(header->biWidth, 3);
    EXPECT_EQ(header->biHeight, 2);
    // Bottom-up rows of 32-bit pixels: the top row comes second.
    const auto* pixels = reinterpret_cast<const DWORD*>(header + 1);
    EXPECT_EQ(pixels[3 + 2] & 0xFFFFFF, 0x0A141Eu);
    const HGLOBAL copy = MakeGlobal(header, GlobalSize(dib));
    GlobalUnlock(dib);
    EmptyClipboard();
    SetClipboardData(CF_DIB, copy);
    HBITMAP back = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(back, nullptr);
    old = SelectObject(memory, back);
    EXPECT_EQ(GetPixel(memory, 2, 0), RGB(10, 20, 30));
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace tw::user::test
