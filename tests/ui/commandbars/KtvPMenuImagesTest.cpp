#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "StripTestSupport.h"
#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using striptest::Canvas;

const COLORREF kBackground = RGB(0, 128, 0);

// The glyph sheet as checked in: rows of 'k' (glyph) and 'm' (background).
std::vector<std::string> SheetRows()
{
    std::ifstream in(TW_SOURCE_DIR "/resources/images/MenuImages.pix");
    std::vector<std::string> rows;
    std::string line;
    bool inPixels = false;
    while (std::getline(in, line)) {
        if (inPixels && !line.empty())
            rows.push_back(line);
        if (line == "pixels")
            inPixels = true;
    }
    return rows;
}

class KtvPMenuImagesTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static bool registered = false;
        if (!registered)
            tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());
        registered = true;
    }
    void SetUp() override
    {
        KtvInitGlobalData();
        sheet_ = SheetRows();
        ASSERT_EQ(sheet_.size(), 9u);
        ASSERT_EQ(sheet_[0].size(), 297u);
    }
    void TearDown() override { KtvCleanUp(); }

    // Draws every glyph in one state, 10 pixels apart, and lists the pixels
    // that differ from the sheet painted in `ink` over the background.
    std::vector<std::string> Mismatches(int state, COLORREF ink)
    {
        Canvas canvas(330, 9, kBackground);
        for (int glyph = 0; glyph < CKtvPMenuImages::kGlyphCount; glyph++)
            CKtvPMenuImages::Draw(canvas.Dc(), glyph, CPoint(glyph * 10, 0), state);
        std::vector<std::string> wrong;
        for (int glyph = 0; glyph < CKtvPMenuImages::kGlyphCount; glyph++)
            for (int y = 0; y < 9; y++)
                for (int x = 0; x < 9; x++) {
                    const COLORREF expected = sheet_[y][glyph * 9 + x] == 'k' ? ink : kBackground;
                    if (canvas.At(glyph * 10 + x, y) != expected)
                        wrong.push_back(std::to_string(glyph) + ":" + std::to_string(x) + "," + std::to_string(y));
                }
        for (int glyph = 0; glyph < CKtvPMenuImages::kGlyphCount; glyph++)
            if (canvas.At(glyph * 10 + 9, 4) != kBackground)
                wrong.push_back(std::to_string(glyph) + ": beyond the cell");
        return wrong;
    }

    std::vector<std::string> sheet_;
};

TEST_F(KtvPMenuImagesTest, EveryGlyphInEveryColourSet)
{
    struct Case {
        int state;
        COLORREF ink;
    };
    const Case cases[] = {
        {0, RGB(0, 0, 0)},       {1, RGB(128, 128, 128)}, {2, RGB(212, 208, 200)}, {3, RGB(255, 255, 255)},
        {4, RGB(72, 72, 72)},    {5, RGB(255, 255, 255)}, {-1, RGB(255, 255, 255)},
    };
    EXPECT_EQ(CKtvPMenuImages::Size(), CSize(9, 9));
    for (const Case& c : cases)
        EXPECT_EQ(Mismatches(c.state, c.ink), std::vector<std::string>{}) << "state " << c.state;
}

TEST_F(KtvPMenuImagesTest, SetsFollowChangedSystemColoursWithoutSwappingChannels)
{
    const int index[] = {COLOR_BTNTEXT, COLOR_BTNFACE};
    const COLORREF classic[] = {GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE)};
    const COLORREF odd[] = {RGB(10, 20, 30), RGB(200, 100, 50)};
    EXPECT_EQ(Mismatches(0, RGB(0, 0, 0)), std::vector<std::string>{});
    ASSERT_TRUE(SetSysColors(2, index, odd));
    globalData.UpdateSysColors();  // frees the sets; the next draw rebuilds them
    EXPECT_EQ(CKtvPMenuImages::SetFor(0).GetCount(), 0);
    const auto black = Mismatches(0, RGB(10, 20, 30));
    const auto light = Mismatches(2, RGB(200, 100, 50));
    const auto grey = Mismatches(1, RGB(128, 128, 128));
    SetSysColors(2, index, classic);
    globalData.UpdateSysColors();
    EXPECT_EQ(black, std::vector<std::string>{});
    EXPECT_EQ(light, std::vector<std::string>{});
    EXPECT_EQ(grey, std::vector<std::string>{});
}

TEST_F(KtvPMenuImagesTest, RebuildsAfterCleanUpAndDrawsNothingForUnknownGlyphs)
{
    ASSERT_TRUE(CKtvPMenuImages::Initialize());
    for (int state : {0, 1, 2, 3, 4})
        EXPECT_EQ(CKtvPMenuImages::SetFor(state).GetCount(), 33) << state;
    CKtvPMenuImages::CleanUp();
    for (int state : {0, 1, 2, 3, 4})
        EXPECT_EQ(CKtvPMenuImages::SetFor(state).GetCount(), 0) << state;

    Canvas canvas(30, 20, kBackground);
    CKtvPMenuImages::Draw(canvas.Dc(), 33, CPoint(0, 0));
    CKtvPMenuImages::Draw(canvas.Dc(), -1, CPoint(0, 0));
    EXPECT_EQ(canvas.Read(0, 0, 9, 9, {{'G', kBackground}}), std::vector<std::string>(9, "GGGGGGGGG"));
    for (int state : {0, 1, 2, 3, 4})
        EXPECT_EQ(CKtvPMenuImages::SetFor(state).GetCount(), 33) << state;

    // Stretched: the close cross doubled.
    CKtvPMenuImages::Draw(canvas.Dc(), CKtvPMenuImages::IdClose, CPoint(10, 0), 0, CSize(18, 18));
    for (int y = 0; y < 9; y++)
        for (int x = 0; x < 9; x++) {
            const COLORREF expected = sheet_[y][5 * 9 + x] == 'k' ? RGB(0, 0, 0) : kBackground;
            ASSERT_EQ(canvas.At(10 + 2 * x, 2 * y), expected) << x << "," << y;
            ASSERT_EQ(canvas.At(11 + 2 * x, 2 * y + 1), expected) << x << "," << y;
        }
}

}  // namespace
