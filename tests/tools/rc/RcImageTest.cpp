// The text image form compiles to the platform's DIB layouts: bitmaps, and
// icon and cursor images with their masks and groups.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/win32/resource/IconGroupResource.h"
#include "tests/tools/rc/RcTestSupport.h"
#include "tools/rc/RcImage.h"

namespace tw::rc::test {
namespace {

DWORD DwordAt(const std::vector<BYTE>& bytes, size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (DWORD(bytes[at + 3]) << 24);
}

TEST(RcImage, TwoColourBitmapIsOneBitBottomUpWithPaddedRows)
{
    const auto images = ParseImageText("// arrow\nimage 3 2\npalette\n. #ffffff\nk #102030\npixels\nk..\n.kk\n", "a.pix");
    ASSERT_EQ(images.size(), 1u);
    const auto dib = ImageToDib(images[0]);
    const auto expected = Join({
        Bytes({40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 8, 0, 0, 0}),
        Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
        Bytes({0xFF, 0xFF, 0xFF, 0, 0x30, 0x20, 0x10, 0}),  // RGBQUADs are blue, green, red
        Bytes({0x60, 0, 0, 0}),                            // bottom row ".kk"
        Bytes({0x80, 0, 0, 0}),                            // top row "k.."
    });
    EXPECT_EQ(dib, expected);
}

TEST(RcImage, DepthFollowsThePaletteUnlessGiven)
{
    struct Case {
        int colours;
        const char* bits;
        int expectedBits;
        size_t paletteEntries;
    };
    const Case cases[] = {{2, "", 1, 2}, {3, "", 4, 16}, {17, "", 8, 256}, {2, "bits 4\n", 4, 16}, {2, "bits 24\n", 24, 0}};
    const std::string keys = "abcdefghijklmnopq";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.colours);
        std::string text = "image 1 1\n" + std::string(c.bits) + "palette\n";
        for (int i = 0; i < c.colours; ++i)
            text += keys.substr(i, 1) + " #0000" + (i < 10 ? "0" : "") + std::to_string(i) + "\n";
        text += "pixels\nb\n";
        const auto dib = ImageToDib(ParseImageText(text, "t.pix").at(0));
        EXPECT_EQ(dib[14], c.expectedBits);
        EXPECT_EQ(dib.size(), 40 + c.paletteEntries * 4 + 4);
    }
}

TEST(RcImage, FourBitStripMatchesTheFrameworksBitmapSize)
{
    // An 88 x 20 strip at 4 bits: with a 14-byte file header it is the
    // 998 bytes the edit-list box's button strip takes.
    std::string text = "image 88 20\nbits 4\npalette\nm #ff00ff\nk #000000\npixels\n";
    for (int y = 0; y < 20; ++y) {
        text.append(88, y % 2 ? 'm' : 'k');
        text += '\n';
    }
    const auto dib = ImageToDib(ParseImageText(text, "strip.pix").at(0));
    EXPECT_EQ(dib.size() + 14, 998u);
    EXPECT_EQ(DwordAt(dib, 20), 880u);  // biSizeImage
}

TEST(RcImage, IconImageHasDoubledHeightAndAMaskForTransparentPixels)
{
    const auto images = ParseImageText("image 2 2\npalette\n. transparent\nr #ff0000\npixels\n.r\nr.\n", "i.pix");
    ASSERT_TRUE(images[0].HasMask());
    const auto dib = ImageToIconDib(images[0]);
    EXPECT_EQ(DwordAt(dib, 8), 4u);  // height of colours and mask together
    // 40 header + 2 palette entries, then 2 colour rows and 2 mask rows of 4 bytes.
    ASSERT_EQ(dib.size(), 40u + 8u + 8u + 8u);
    EXPECT_EQ(dib[42], 0);     // the transparent entry is black, as the mask expects
    EXPECT_EQ(dib[46], 0xFF);  // red
    EXPECT_EQ(dib[48], 0x80);  // bottom colour row "r."
    EXPECT_EQ(dib[52], 0x40);  // top colour row ".r"
    EXPECT_EQ(dib[56], 0x40);  // bottom mask row: second pixel shows through
    EXPECT_EQ(dib[60], 0x80);  // top mask row: first pixel shows through
}

TEST(RcImage, IconAndCursorStatementsMakeImagesAndGroups)
{
    {
        std::ofstream icon("app.pix");
        icon << "image 16 16\npalette\n. transparent\nx #000080\npixels\n";
        for (int y = 0; y < 16; ++y)
            icon << (y < 8 ? std::string(16, 'x') : std::string(16, '.')) << "\n";
        icon << "image 32 32\npalette\nx #000080\npixels\n";
        for (int y = 0; y < 32; ++y)
            icon << std::string(32, 'x') << "\n";
        std::ofstream cursor("hand.pix");
        cursor << "image 2 2\nhotspot 1 0\npalette\n. transparent\nk #000000\npixels\n.k\nkk\n";
    }
    const auto resources = CompileScriptText("130 ICON \"app.pix\"\n16919 CURSOR \"hand.pix\"\n", "test.rc");
    const RcResource* group = FindCompiled(resources, 14, 130);
    ASSERT_NE(group, nullptr);
    const auto parsed = res::ParseIconGroup(group->data.data(), group->data.size());
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->entries.size(), 2u);
    EXPECT_EQ(parsed->entries[0].width, 16);
    EXPECT_EQ(parsed->entries[1].width, 32);
    EXPECT_EQ(parsed->entries[0].bitCount, 1);
    for (const res::IconGroupEntry& entry : parsed->entries) {
        const RcResource* image = FindCompiled(resources, 3, entry.id);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->data.size(), entry.bytesInRes);
    }

    const RcResource* cursorGroup = FindCompiled(resources, 12, 16919);
    ASSERT_NE(cursorGroup, nullptr);
    const auto cursor = res::ParseIconGroup(cursorGroup->data.data(), cursorGroup->data.size());
    ASSERT_TRUE(cursor);
    ASSERT_EQ(cursor->entries.size(), 1u);
    EXPECT_EQ(cursor->type, res::kGroupTypeCursor);
    EXPECT_EQ(cursor->entries[0].height, 4);  // colours and mask
    const RcResource* image = FindCompiled(resources, 1, cursor->entries[0].id);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->data.size(), cursor->entries[0].bytesInRes);
    EXPECT_EQ(image->data[0], 1);  // hot spot x, then y, before the bitmap
    EXPECT_EQ(image->data[2], 0);
    EXPECT_EQ(image->data[4], 40);
}

TEST(RcImage, MalformedImagesAreRefusedWithTheirLine)
{
    struct Case {
        const char* text;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"palette\n", 1, "starts with 'image"},
        {"image 2 1\npalette\na #000000\npixels\naaa\n", 5, "3 pixels"},
        {"image 1 2\npalette\na #000000\npixels\na\n", 1, "2 rows"},
        {"image 1 1\npalette\na #00000\npixels\na\n", 3, "#RRGGBB"},
        {"image 1 1\npalette\na #000000\na #ffffff\npixels\na\n", 4, "given twice"},
        {"image 1 1\nbits 3\n", 2, "bits must be"},
        {"image 1 1\nbits 1\npalette\na #000000\nb #000001\nc #000002\npixels\na\n", 1, "do not fit"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ParseImageText(c.text, "bad.pix");
            ADD_FAILURE() << "accepted";
        } catch (const RcError& error) {
            EXPECT_EQ(error.Where().line, c.line) << error.what();
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

TEST(RcImage, BitmapsRefuseTransparencyAndAcceptBmpFiles)
{
    {
        std::ofstream masked("masked.pix");
        masked << "image 1 1\npalette\n. transparent\npixels\n.\n";
        std::ofstream bmp("plain.bmp", std::ios::binary);
        bmp << "BM" << std::string(12, '\0') << "DIBDATA";
    }
    EXPECT_THROW(CompileScriptText("1 BITMAP \"masked.pix\"\n", "test.rc"), RcError);
    const auto bytes = CompileOne("2 BITMAP \"plain.bmp\"\n", 2, 2);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "DIBDATA");
}

}  // namespace
}  // namespace tw::rc::test
