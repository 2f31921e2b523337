#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>

#include "StripTestSupport.h"
#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using striptest::Canvas;
using striptest::Palette;
using Rows = std::vector<std::string>;

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kGreen = RGB(0, 128, 0);
const COLORREF kFace = RGB(212, 208, 200);

// The strip's own colours.
const Palette kStripColours = {
    {'m', kMagenta},           {'r', RGB(255, 0, 0)},       {'k', RGB(0, 0, 0)},
    {'g', RGB(128, 128, 128)}, {'c', RGB(192, 192, 192)},   {'w', RGB(255, 255, 255)},
};
// What the canvas shows: the strip's colours mapped to the system ones, the
// green background, and the derived shades the tests expect.
const Palette kSeen = {
    {'G', kGreen},
    {'m', kMagenta},
    {'r', RGB(255, 0, 0)},
    {'k', RGB(0, 0, 0)},
    {'g', RGB(128, 128, 128)},
    {'F', kFace},
    {'c', RGB(192, 192, 192)},
    {'w', RGB(255, 255, 255)},
    {'1', RGB(191, 191, 191)},
    {'2', RGB(127, 127, 127)},
    {'R', RGB(255, 77, 77)},
    {'K', RGB(77, 77, 77)},
    {'6', RGB(166, 166, 166)},
};

// Two 4 x 3 images.
const Rows kStrip = {
    "mrkmkkkk",
    "gcwmmrrm",
    "mmrmcmmw",
};

class KtvPStripTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static bool registered = false;
        if (!registered)
            tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());
        registered = true;
    }
    void SetUp() override { KtvInitGlobalData(); }
    void TearDown() override
    {
        CKtvPToolBarImages::m_pfnEmbossDisabled = nullptr;
        KtvCleanUp();
    }

    // A file strip of the test images at the given depth, transparent magenta.
    std::unique_ptr<CKtvPToolBarImages> FileStrip(int bits, const std::string& name = "strip.bmp",
                                                  const std::map<char, BYTE>& alpha = {})
    {
        EXPECT_TRUE(striptest::WriteBmp(name, kStrip, kStripColours, bits, alpha));
        auto strip = std::make_unique<CKtvPToolBarImages>();
        strip->SetImageSize(CSize(4, 3));
        EXPECT_TRUE(strip->LoadFromFile(("./" + name).c_str()));
        strip->SetTransparentColor(kMagenta);
        strip->CreateFadedImages();
        return strip;
    }

    static Rows DrawOne(CKtvPToolBarImages& strip, int image, BOOL disabled, BOOL shadow, CSize size = CSize(0, 0),
                        BOOL fade = FALSE, BOOL inactive = FALSE)
    {
        Canvas canvas(20, 12, kGreen);
        CKtvPDrawState ds;
        EXPECT_TRUE(strip.PrepareDrawImage(ds, size, fade));
        EXPECT_TRUE(strip.Draw(canvas.Dc(), 2, 2, image, disabled, shadow, inactive));
        strip.EndDrawImage(ds);
        const CSize drawn = size.cx > 0 ? size : CSize(4, 3);
        Rows seen = canvas.Read(1, 1, drawn.cx + 2, drawn.cy + 2, kSeen);
        return seen;
    }
};

TEST_F(KtvPStripTest, DrawsEachModeOnASmallStrip)
{
    struct Case {
        const char* name;
        int bits;
        BOOL disabled, shadow, emboss;
        Rows expected;  // one pixel of background around the 4 x 3 image
    };
    const Case cases[] = {
        {"normal, 24 bits", 24, FALSE, FALSE, TRUE, {"GGGGGG", "GGrkGG", "GgFwGG", "GGGrGG", "GGGGGG"}},
        {"normal, 4 bits", 4, FALSE, FALSE, TRUE, {"GGGGGG", "GGrkGG", "GgFwGG", "GGGrGG", "GGGGGG"}},
        // Deep images are greyed in place of the mask.
        {"disabled, 24 bits", 24, TRUE, FALSE, TRUE, {"GGGGGG", "GG12GG", "G1?wGG", "GGG1GG", "GGGGGG"}},
        // Shallow ones: highlight copy down-right, then the shadow mask.
        {"disabled, 4 bits, embossed", 4, TRUE, FALSE, TRUE, {"GGGGGG", "GGggGG", "GggwwG", "GGwgGG", "GGGGGG"}},
        {"disabled, 4 bits, flat", 4, TRUE, FALSE, FALSE, {"GGGGGG", "GGggGG", "GggGGG", "GGGgGG", "GGGGGG"}},
        {"shadow, 4 bits", 4, FALSE, TRUE, TRUE, {"GGGGGG", "GGggGG", "GggGGG", "GGGgGG", "GGGGGG"}},
        {"shadow, 24 bits", 24, FALSE, TRUE, TRUE, {"GGGGGG", "GGggGG", "GggGGG", "GGGgGG", "GGGGGG"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        static bool emboss;
        emboss = c.emboss;
        CKtvPToolBarImages::m_pfnEmbossDisabled = [] { return BOOL(emboss); };
        auto strip = FileStrip(c.bits);
        EXPECT_EQ(strip->GetBitsPerPixel(), c.bits);
        EXPECT_EQ(strip->GetCount(), 2);
        EXPECT_EQ(DrawOne(*strip, 0, c.disabled, c.shadow), c.expected);
    }
}

TEST_F(KtvPStripTest, WithoutATransparentColourTheKeyColourIsDrawn)
{
    auto strip = FileStrip(24);
    strip->SetTransparentColor((COLORREF)-1);
    EXPECT_EQ(DrawOne(*strip, 1, FALSE, FALSE), (Rows{"GGGGGG", "GkkkkG", "GmrrmG", "GFmmwG", "GGGGGG"}));
}

TEST_F(KtvPStripTest, StretchesToTheRequestedSize)
{
    auto strip = FileStrip(24);
    const Rows seen = DrawOne(*strip, 0, FALSE, FALSE, CSize(8, 6));
    const Rows expected = {
        "GGGGGGGGGG", "GGGrrkkGGG", "GGGrrkkGGG", "GggFFwwGGG",
        "GggFFwwGGG", "GGGGGrrGGG", "GGGGGrrGGG", "GGGGGGGGGG",
    };
    EXPECT_EQ(seen, expected);
}

TEST_F(KtvPStripTest, FadedCopyIsUsedForInactiveImagesOfShallowStrips)
{
    auto shallow = FileStrip(4);
    ASSERT_NE(shallow->GetFadedImageWell(), nullptr);
    EXPECT_EQ(DrawOne(*shallow, 0, FALSE, FALSE, CSize(0, 0), TRUE, TRUE),
              (Rows{"GGGGGG", "GGRKGG", "G6wwGG", "GGGRGG", "GGGGGG"}));
    // An active image inside the same bracket is drawn normally.
    EXPECT_EQ(DrawOne(*shallow, 0, FALSE, FALSE, CSize(0, 0), TRUE, FALSE),
              (Rows{"GGGGGG", "GGrkGG", "GgFwGG", "GGGrGG", "GGGGGG"}));
    auto deep = FileStrip(24, "deep.bmp");
    EXPECT_EQ(DrawOne(*deep, 0, FALSE, FALSE, CSize(0, 0), TRUE, TRUE),
              (Rows{"GGGGGG", "GGrkGG", "GgFwGG", "GGGrGG", "GGGGGG"}));
}

TEST_F(KtvPStripTest, AlphaImagesBlendOverTheBackground)
{
    auto strip = FileStrip(32, "alpha.bmp", {{'m', 0}, {'k', 128}});
    ASSERT_TRUE(CKtvPToolBarImages::IsAlphaBlendAvailable());
    EXPECT_EQ(strip->GetEffectiveTransparentColor(), (COLORREF)-1);
    Canvas canvas(10, 6, kGreen);
    CKtvPDrawState ds;
    ASSERT_TRUE(strip->PrepareDrawImage(ds));
    ASSERT_TRUE(strip->Draw(canvas.Dc(), 0, 0, 0, FALSE, FALSE, FALSE));
    ASSERT_TRUE(strip->Draw(canvas.Dc(), 5, 0, 0, TRUE, FALSE, FALSE));
    strip->EndDrawImage(ds);
    EXPECT_EQ(canvas.At(0, 0), kGreen);          // alpha 0
    EXPECT_EQ(canvas.At(1, 0), RGB(255, 0, 0));  // opaque
    EXPECT_NEAR(GetGValue(canvas.At(2, 0)), 64, 1);  // black at half alpha over green
    // Disabled: the whole image at constant alpha 127.
    EXPECT_NEAR(GetRValue(canvas.At(6, 0)), 127, 1);
    EXPECT_NEAR(GetGValue(canvas.At(6, 0)), 64, 1);
    EXPECT_EQ(canvas.At(5, 0), kGreen);
}

TEST_F(KtvPStripTest, RefusesIndexesOutsideTheStripAndShadowsOnAPalettedScreen)
{
    auto strip = FileStrip(24);
    Canvas canvas(10, 6, kGreen);
    CKtvPDrawState ds;
    ASSERT_TRUE(strip->PrepareDrawImage(ds));
    EXPECT_FALSE(strip->Draw(canvas.Dc(), 0, 0, 2, FALSE, FALSE, FALSE));
    EXPECT_FALSE(strip->Draw(canvas.Dc(), 0, 0, -1, FALSE, FALSE, FALSE));
    const int bits = globalData.m_nBitsPerPixel;
    globalData.m_nBitsPerPixel = 8;
    EXPECT_TRUE(strip->Draw(canvas.Dc(), 0, 0, 0, FALSE, TRUE, FALSE));
    globalData.m_nBitsPerPixel = bits;
    strip->EndDrawImage(ds);
    EXPECT_EQ(canvas.Read(0, 0, 10, 6, kSeen), Rows(6, "GGGGGGGGGG"));

    CKtvPToolBarImages empty;
    EXPECT_FALSE(empty.PrepareDrawImage(ds));
}

TEST_F(KtvPStripTest, ResourceStripsAppendOnceAndKeepTheirHeight)
{
    CKtvPToolBarImages strip;
    strip.SetImageSize(CSize(9, 9));
    ASSERT_TRUE(strip.Load(IDB_KTVP_MENU_IMAGES, nullptr, TRUE));
    EXPECT_EQ(strip.GetCount(), 33);
    EXPECT_EQ(strip.GetResourceOffset(IDB_KTVP_MENU_IMAGES), 0);
    EXPECT_FALSE(strip.IsModified());
    ASSERT_TRUE(strip.Load(IDB_KTVP_MENU_IMAGES, nullptr, TRUE));
    EXPECT_EQ(strip.GetCount(), 33);

    // A taller bitmap appended: the strip stays 9 high.
    HDC screen = GetDC(nullptr);
    HBITMAP tall = CreateCompatibleBitmap(screen, 18, 30);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(strip.AddImage(tall), 34);
    DeleteObject(tall);
    BITMAP bm{};
    GetObject(strip.GetImageWell(), sizeof(bm), &bm);
    EXPECT_EQ(bm.bmHeight, 9);
    EXPECT_EQ(bm.bmWidth, 35 * 9);

    EXPECT_FALSE(strip.Load(4242));
    CKtvPToolBarImages other;
    EXPECT_FALSE(other.Load(4242));
    EXPECT_EQ(other.GetCount(), 0);
}

TEST_F(KtvPStripTest, SharedViewsAndCopies)
{
    auto strip = FileStrip(24);
    CKtvPToolBarImages view;
    ASSERT_TRUE(strip->CopyTemp(view));
    EXPECT_EQ(view.GetImageWell(), strip->GetImageWell());
    EXPECT_EQ(view.GetCount(), 2);
    EXPECT_FALSE(view.Load(IDB_KTVP_MENU_IMAGES));
    EXPECT_EQ(view.AddImage(strip->GetImageWell()), -1);
    EXPECT_FALSE(view.Save("view.bmp"));
    CKtvPToolBarImages copy;
    EXPECT_FALSE(strip->CopyTo(view));
    ASSERT_TRUE(strip->CopyTo(copy));
    EXPECT_NE(copy.GetImageWell(), strip->GetImageWell());
    EXPECT_EQ(copy.GetCount(), 2);
    EXPECT_EQ(DrawOne(copy, 0, FALSE, FALSE), DrawOne(*strip, 0, FALSE, FALSE));
}

// --- files ---------------------------------------------------------------------------------------

std::vector<BYTE> FileBytes(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
}

TEST_F(KtvPStripTest, SavedStripReadsBackEqual)
{
    auto strip = FileStrip(24, "user.bmp");
    ASSERT_TRUE(strip->IsFromFile());
    const Rows before = DrawOne(*strip, 1, FALSE, FALSE);
    ASSERT_TRUE(strip->Save("copy.bmp"));
    EXPECT_FALSE(strip->IsModified());
    EXPECT_EQ(strip->GetFilePath(), CString("./user.bmp"));

    const std::vector<BYTE> bytes = FileBytes("copy.bmp");
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    DWORD fileSize = 0, offBits = 0;
    memcpy(&fileSize, &bytes[2], 4);
    memcpy(&offBits, &bytes[10], 4);
    EXPECT_EQ(fileSize, bytes.size());
    EXPECT_EQ(offBits, 54u);

    CKtvPToolBarImages reread;
    reread.SetImageSize(CSize(4, 3));
    ASSERT_TRUE(reread.LoadFromFile("./copy.bmp"));
    reread.SetTransparentColor(kMagenta);
    EXPECT_EQ(reread.GetCount(), 2);
    EXPECT_EQ(DrawOne(reread, 0, FALSE, FALSE), DrawOne(*strip, 0, FALSE, FALSE));
    EXPECT_EQ(DrawOne(reread, 1, FALSE, FALSE), before);
}

TEST_F(KtvPStripTest, SavedPalettedStripHoldsTheStandardGreys)
{
    const int index[] = {COLOR_BTNFACE, COLOR_BTNSHADOW};
    const COLORREF classic[] = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW)};
    const COLORREF odd[] = {RGB(200, 100, 50), RGB(90, 60, 30)};
    ASSERT_TRUE(SetSysColors(2, index, odd));
    globalData.UpdateSysColors();
    auto strip = FileStrip(4, "paletted.bmp");
    const BOOL saved = strip->Save("paletted-copy.bmp");
    SetSysColors(2, index, classic);
    globalData.UpdateSysColors();
    ASSERT_TRUE(saved);
    const std::vector<BYTE> bytes = FileBytes("paletted-copy.bmp");
    BITMAPINFOHEADER header{};
    memcpy(&header, &bytes[14], sizeof(header));
    ASSERT_LE(header.biBitCount, 8);
    std::vector<COLORREF> table;
    for (int i = 0; i < (1 << header.biBitCount); i++) {
        const BYTE* q = &bytes[14 + 40 + i * 4];
        table.push_back(RGB(q[2], q[1], q[0]));
    }
    for (COLORREF standard : {RGB(0, 0, 0), RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 255, 255)})
        EXPECT_NE(std::find(table.begin(), table.end(), standard), table.end()) << standard;
    for (COLORREF mapped : odd)
        EXPECT_EQ(std::find(table.begin(), table.end(), mapped), table.end()) << mapped;
}

TEST_F(KtvPStripTest, SavingRules)
{
    auto strip = FileStrip(24, "same.bmp");
    remove("same.bmp");
    EXPECT_TRUE(strip->Save());  // nothing changed, own path: nothing written
    struct stat info{};
    EXPECT_NE(stat("same.bmp", &info), 0);

    ASSERT_TRUE(striptest::WriteBmp("locked.bmp", kStrip, kStripColours, 24));
    chmod("locked.bmp", 0444);
    CKtvPToolBarImages locked;
    locked.SetImageSize(CSize(4, 3));
    ASSERT_TRUE(locked.LoadFromFile("./locked.bmp"));
    EXPECT_TRUE(locked.IsReadOnly());
    EXPECT_FALSE(locked.Save("elsewhere.bmp"));

    CKtvPToolBarImages fromResource;
    fromResource.SetImageSize(CSize(9, 9));
    ASSERT_TRUE(fromResource.Load(IDB_KTVP_MENU_IMAGES));
    EXPECT_FALSE(fromResource.Save("resource.bmp"));

    EXPECT_FALSE(strip->UpdateImage(2, strip->GetImageWell()));
    EXPECT_FALSE(strip->UpdateImage(-1, strip->GetImageWell()));
    EXPECT_FALSE(strip->IsModified());
    CKtvPToolBarImages none;
    EXPECT_FALSE(none.LoadFromFile("./missing.bmp"));
    EXPECT_EQ(none.GetImageWell(), nullptr);
}

TEST_F(KtvPStripTest, SystemColourChangeRetintsWithoutLosingThisRunsImages)
{
    auto strip = FileStrip(24, "user.bmp");
    // An image added in this run, and one edited.
    HBITMAP again = static_cast<HBITMAP>(CopyImage(strip->GetImageWell(), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_EQ(strip->AddImage(again), 3);
    DeleteObject(again);
    ASSERT_EQ(strip->GetCount(), 4);
    const int index[] = {COLOR_BTNFACE};
    const COLORREF classic[] = {GetSysColor(COLOR_BTNFACE)};
    const COLORREF odd[] = {RGB(200, 100, 50)};
    ASSERT_TRUE(SetSysColors(1, index, odd));
    globalData.UpdateSysColors();
    strip->OnSysColorChange();
    EXPECT_EQ(strip->GetCount(), 4);
    EXPECT_TRUE(strip->IsModified());
    Palette seen = kSeen;
    seen['F'] = RGB(200, 100, 50);
    Canvas canvas(40, 6, kGreen);
    CKtvPDrawState ds;
    ASSERT_TRUE(strip->PrepareDrawImage(ds));
    for (int i = 0; i < 4; i++)
        ASSERT_TRUE(strip->Draw(canvas.Dc(), i * 5, 0, i, FALSE, FALSE, FALSE));
    strip->EndDrawImage(ds);
    EXPECT_EQ(canvas.Read(0, 1, 4, 1, seen), Rows{"gFwG"});
    EXPECT_EQ(canvas.Read(15, 1, 4, 1, seen), Rows{"GrrG"});  // image 3 = image 1 added again

    // The file gets the pixels as loaded and added, not the re-tinted ones.
    ASSERT_TRUE(strip->Save("saved.bmp"));
    SetSysColors(1, index, classic);
    globalData.UpdateSysColors();
    CKtvPToolBarImages reread;
    reread.SetImageSize(CSize(4, 3));
    ASSERT_TRUE(reread.LoadFromFile("./saved.bmp"));
    reread.SetTransparentColor(kMagenta);
    EXPECT_EQ(reread.GetCount(), 4);
    EXPECT_EQ(DrawOne(reread, 0, FALSE, FALSE), (Rows{"GGGGGG", "GGrkGG", "GgFwGG", "GGGrGG", "GGGGGG"}));
}

TEST_F(KtvPStripTest, MapsTheStandardGreysBothWays)
{
    struct Case {
        COLORREF in;
        BOOL swap;
        COLORREF to, back;
    };
    const Case cases[] = {
        {RGB(192, 192, 192), FALSE, kFace, RGB(192, 192, 192)},
        {RGB(192, 192, 192), TRUE, RGB(200, 208, 212), RGB(192, 192, 192)},
        {RGB(128, 128, 128), FALSE, RGB(128, 128, 128), RGB(128, 128, 128)},
        {RGB(1, 2, 3), FALSE, RGB(1, 2, 3), RGB(1, 2, 3)},
    };
    for (const Case& c : cases) {
        const COLORREF to = CKtvPToolBarImages::MapToSysColor(c.in, c.swap);
        EXPECT_EQ(to, c.to) << c.in;
        EXPECT_EQ(CKtvPToolBarImages::MapFromSysColor(to, c.swap), c.back) << c.in;
    }
}

}  // namespace

namespace {

TEST_F(KtvPStripTest, CopiesAnImageToTheClipboardOnItsFace)
{
    auto strip = FileStrip(24);
    ASSERT_TRUE(strip->CopyImageToClipboard(1));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HBITMAP copied = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(copied, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, copied);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 1), kFace);  // the key colour shows the button face
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 2), kFace);  // a mapped grey
    SelectObject(dc, old);
    DeleteDC(dc);
    CloseClipboard();
}

}  // namespace

namespace {

TEST_F(KtvPStripTest, AddedIconsSitOnTheButtonFace)
{
    CKtvPToolBarImages strip;
    strip.SetImageSize(CSize(4, 3));
    EXPECT_EQ(strip.AddIcon(nullptr), 0);
    EXPECT_EQ(strip.AddIcon(nullptr), 1);
    EXPECT_TRUE(strip.IsModified());
    EXPECT_EQ(DrawOne(strip, 1, FALSE, FALSE), (Rows{"GGGGGG", "GFFFFG", "GFFFFG", "GFFFFG", "GGGGGG"}));
}

}  // namespace
