// Compiled images decode back to the pixels they were drawn with.
#include <gtest/gtest.h>

#include "platform/win32/resource/DibImage.h"
#include "platform/win32/resource/IconGroupResource.h"
#include "platform/win32/resource/ResourceBytes.h"
#include "platform/win32/resource/ResourceLoader.h"

const tw::ResourceTable& LoaderFixtureResources();

namespace tw::res {
namespace {

class DibImages : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(RegisterResources(m_module, LoaderFixtureResources())); }
    void TearDown() override { UnregisterResources(m_module); }

    std::vector<BYTE> Bytes(LPCSTR name, LPCSTR type)
    {
        const BYTE* data = nullptr;
        DWORD size = 0;
        EXPECT_TRUE(FindResourceBytes(m_module, name, type, &data, &size));
        return data ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>{};
    }

    const HINSTANCE m_module = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x5400));
};

TEST_F(DibImages, BitmapDecodesTopRowFirstWithItsPalette)
{
    const auto bytes = Bytes(MAKEINTRESOURCE(600), RT_BITMAP);
    const auto image = DecodeDib(bytes.data(), bytes.size(), DibKind::Bitmap);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 4);
    EXPECT_EQ(image->height, 3);
    EXPECT_EQ(image->bitCount, 4);
    EXPECT_FALSE(image->hasMask);
    const uint32_t m = 0xFFFF00FF, r = 0xFFC00000, g = 0xFF00A000, b = 0xFF0000E0;
    const std::vector<uint32_t> expected = {m, r, r, m, g, m, m, b, m, b, g, m};
    EXPECT_EQ(image->pixels, expected);
    EXPECT_EQ(image->palette.at(0), 0xFF00FFu);
}

TEST_F(DibImages, CursorImageCarriesHotSpotAndMask)
{
    const auto groupBytes = Bytes(MAKEINTRESOURCE(601), RT_GROUP_CURSOR);
    const auto group = ParseIconGroup(groupBytes.data(), groupBytes.size());
    ASSERT_TRUE(group);
    ASSERT_EQ(group->entries.size(), 1u);
    const auto bytes = Bytes(MAKEINTRESOURCE(group->entries[0].id), RT_CURSOR);
    const auto image = DecodeDib(bytes.data(), bytes.size(), DibKind::CursorImage);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->hotSpot.x, 2);
    EXPECT_EQ(image->hotSpot.y, 1);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_TRUE(image->hasMask);
    const std::vector<uint32_t> expected = {0x00000000, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0x00000000};
    EXPECT_EQ(image->pixels, expected);
}

TEST_F(DibImages, ShortOrForeignDataIsRefused)
{
    const auto bytes = Bytes(MAKEINTRESOURCE(600), RT_BITMAP);
    for (size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(DecodeDib(bytes.data(), size, DibKind::Bitmap)) << size;
    // Compressed bitmaps and impossible sizes are not read.
    auto compressed = bytes;
    compressed[16] = 1;  // BI_RLE8
    EXPECT_FALSE(DecodeDib(compressed.data(), compressed.size(), DibKind::Bitmap));
    auto huge = bytes;
    huge[7] = 0x40;  // width beyond any image
    EXPECT_FALSE(DecodeDib(huge.data(), huge.size(), DibKind::Bitmap));
}

TEST(DibImage, TopDownTrueColourBitmap)
{
    ByteWriter out;
    out.Dword(40);
    out.Dword(1);
    out.Dword(static_cast<DWORD>(-2));  // top-down
    out.Word(1);
    out.Word(24);
    for (int i = 0; i < 6; ++i)
        out.Dword(0);
    out.Bytes("\x01\x02\x03\x00", 4);  // top row: blue 1, green 2, red 3, padding
    out.Bytes("\x10\x20\x30\x00", 4);
    const auto image = DecodeDib(out.Data().data(), out.Size(), DibKind::Bitmap);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->At(0, 0), 0xFF030201u);
    EXPECT_EQ(image->At(0, 1), 0xFF302010u);
}

}  // namespace
}  // namespace tw::res
