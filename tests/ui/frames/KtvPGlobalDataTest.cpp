#include <gtest/gtest.h>

#include "platform/win32/gdi/SystemColors.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

class KtvPGlobalDataTest : public testing::Test {
protected:
    void SetUp() override { KtvInitGlobalData(); }
    void TearDown() override { KtvCleanUp(); }

    static COLORREF SolidColorOf(CBrush& brush)
    {
        LOGBRUSH lb{};
        brush.GetLogBrush(&lb);
        EXPECT_EQ(lb.lbStyle, UINT(BS_SOLID));
        return lb.lbColor;
    }
};

TEST_F(KtvPGlobalDataTest, ColoursAndBrushesComeFromTheSystemTable)
{
    EXPECT_EQ(globalData.clrBtnFace, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(globalData.clrBarFace, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(globalData.clrHilite, RGB(10, 36, 106));
    EXPECT_EQ(globalData.clrBtnDkShadow, GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(globalData.clrHotText, RGB(0, 0, 255));
    EXPECT_EQ(globalData.hbrBtnShadow, GetSysColorBrush(COLOR_BTNSHADOW));
    EXPECT_EQ(SolidColorOf(globalData.brBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(SolidColorOf(globalData.brHilite), RGB(10, 36, 106));
    EXPECT_GT(globalData.m_nBitsPerPixel, 8);
    // Face (212, 208, 200) and highlight white: each channel halfway, truncated.
    EXPECT_EQ(SolidColorOf(globalData.brLight), RGB(233, 231, 227));
    EXPECT_EQ(globalData.m_nMaxDockedSizePercent, 50);
    EXPECT_EQ(globalData.m_nTooltipMaxWidth, -1);
    EXPECT_TRUE(globalData.DoubleBufferedPaint);
}

TEST_F(KtvPGlobalDataTest, LightBrushMidpointTruncatesTowardZero)
{
    struct Case {
        COLORREF face, hilite, expected;
    };
    const Case cases[] = {
        {RGB(200, 100, 0), RGB(100, 255, 0), RGB(150, 177, 0)},
        {RGB(201, 0, 255), RGB(100, 1, 0), RGB(151, 0, 128)},
    };
    const COLORREF savedFace = globalData.clrBtnFace, savedHilite = globalData.clrBtnHilite;
    for (const Case& c : cases) {
        globalData.clrBtnFace = c.face;
        globalData.clrBtnHilite = c.hilite;
        globalData.RebuildLightBrush();
        EXPECT_EQ(SolidColorOf(globalData.brLight), c.expected);
    }
    globalData.clrBtnFace = savedFace;
    globalData.clrBtnHilite = savedHilite;
}

TEST_F(KtvPGlobalDataTest, UpdateSysColorsUndoesARetintedBarCopyAndGetColorNeverReadsIt)
{
    globalData.clrBarFace = RGB(1, 2, 3);
    EXPECT_EQ(globalData.GetColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(globalData.GetColor(COLOR_MENU), GetSysColor(COLOR_MENU));
    EXPECT_EQ(globalData.GetColor(COLOR_APPWORKSPACE), GetSysColor(COLOR_APPWORKSPACE));
    globalData.clrBtnShadow = RGB(9, 9, 9);
    EXPECT_EQ(globalData.GetColor(COLOR_BTNSHADOW), RGB(9, 9, 9));
    globalData.UpdateSysColors();
    EXPECT_EQ(globalData.clrBarFace, RGB(212, 208, 200));
    EXPECT_EQ(globalData.clrBtnShadow, RGB(128, 128, 128));
}

TEST_F(KtvPGlobalDataTest, FontsFollowTheMenuFont)
{
    LOGFONT regular{}, bold{}, underline{}, vertDown{}, vertUp{}, marlett{};
    ASSERT_NE(globalData.fontRegular.GetSafeHandle(), nullptr);
    globalData.fontRegular.GetLogFont(&regular);
    globalData.fontBold.GetLogFont(&bold);
    globalData.fontUnderline.GetLogFont(&underline);
    globalData.fontVertDown.GetLogFont(&vertDown);
    globalData.fontVertUp.GetLogFont(&vertUp);
    globalData.fontMarlett.GetLogFont(&marlett);
    EXPECT_STREQ(regular.lfFaceName, "Tahoma");  // the stand-in lists the face
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    EXPECT_EQ(bold.lfHeight, regular.lfHeight);
    EXPECT_EQ(underline.lfUnderline, 1);
    EXPECT_EQ(vertDown.lfEscapement, 2700);
    EXPECT_EQ(vertUp.lfEscapement, 900);
    EXPECT_STREQ(vertDown.lfFaceName, "Arial");
    EXPECT_STREQ(marlett.lfFaceName, "Marlett");
    EXPECT_EQ(marlett.lfCharSet, SYMBOL_CHARSET);
    EXPECT_NE(globalData.fontGuiBold.GetSafeHandle(), nullptr);
    EXPECT_GT(globalData.m_nTextHeight, 2);
    EXPECT_GT(globalData.m_nVertTextHeight, 2);
    EXPECT_EQ(globalData.m_sizeSmallIcon, CSize(16, 16));
}

int g_cleanUpCalls = 0;
void CountCleanUp() { g_cleanUpCalls++; }

TEST_F(KtvPGlobalDataTest, CleanUpReleasesWhatExistsAndRunsTheJoinedSteps)
{
    g_cleanUpCalls = 0;
    KtvAddCleanUpStep(CountCleanUp);
    KtvAddCleanUpStep(CountCleanUp);  // joining twice runs once
    KtvCleanUp();
    EXPECT_EQ(g_cleanUpCalls, 1);
    EXPECT_EQ(globalData.brLight.GetSafeHandle(), nullptr);
    EXPECT_EQ(globalData.fontRegular.GetSafeHandle(), nullptr);
    EXPECT_EQ(globalData.brBtnFace.GetSafeHandle(), nullptr);
    EXPECT_EQ(globalData.penBarShadow.GetSafeHandle(), nullptr);
    EXPECT_EQ(globalData.fontMarlett.GetSafeHandle(), nullptr);
    EXPECT_FALSE(globalData.IsInitialized());
    KtvCleanUp();  // a second clean-up finds nothing to free
    EXPECT_EQ(g_cleanUpCalls, 2);
    KtvInitGlobalData();
    EXPECT_NE(globalData.brLight.GetSafeHandle(), nullptr);
    EXPECT_NE(globalData.fontRegular.GetSafeHandle(), nullptr);
}

}  // namespace
