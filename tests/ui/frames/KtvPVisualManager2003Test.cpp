#include <gtest/gtest.h>

#include "platform/mfc/CDC.h"
#include "tests/ui/frames/KtvPVisualManagerCanvas.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/controls/KtvPTasksPane.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPVisualManager2003.h"
#include "ui/frames/KtvPWinXPThemeManager.h"

namespace {

using DM = CKtvPDrawManager;
using tw::test::BrushColor;
using tw::test::KtvLookCanvas;
using tw::test::PenColor;

class KtvPGradientLookTest : public KtvLookCanvas {
protected:
    void SetUp() override
    {
        KtvLookCanvas::SetUp();
        look = new CKtvPVisualManager2003;
    }
    void TearDown() override
    {
        delete look;
        KtvLookCanvas::TearDown();
    }
    CKtvPVisualManager2003* look = nullptr;
};

// --- the theme wrapper ------------------------------------------------------------------------------

TEST_F(KtvPGradientLookTest, WithoutTheStyleLibraryTheThemeWrapperDrawsNothingAndSaysSo)
{
    CKtvPWinXPThemeManager theme;
    EXPECT_EQ(theme.m_hThemeDLL, nullptr);
    EXPECT_EQ(theme.m_pfOpenThemeData, nullptr);
    EXPECT_EQ(theme.m_hThemeWindow, nullptr);
    EXPECT_EQ(theme.m_hThemeButton, nullptr);
    const CRect rect(0, 0, 40, 20);
    EXPECT_FALSE(theme.DrawPushButton(&dc, rect, nullptr, 0));
    EXPECT_FALSE(theme.DrawStatusBarProgress(&dc, nullptr, rect, 10, 5, 0, 0, 0, TRUE));
    EXPECT_FALSE(theme.DrawComboDropButton(&dc, rect, FALSE, TRUE, TRUE));
    EXPECT_FALSE(theme.DrawComboBorder(&dc, rect, FALSE, TRUE, TRUE));
    EXPECT_EQ(Count(CRect(0, 0, kW, kH), kWhite), kW * kH);

    EXPECT_FALSE(look->IsWinXPThemeAvailable());
    EXPECT_FALSE(look->DrawPushButtonWinXP(&dc, rect, nullptr, 0));
    EXPECT_FALSE(look->DrawComboDropButtonWinXP(&dc, rect, FALSE, FALSE, TRUE));
    EXPECT_FALSE(look->DrawComboBorderWinXP(&dc, rect, FALSE, FALSE, TRUE));
}

TEST_F(KtvPGradientLookTest, ProgressFallsBackToTheClassicDrawing)
{
    const COLORREF blue = RGB(0, 0, 255);
    look->OnDrawStatusBarProgress(&dc, nullptr, CRect(0, 0, 100, 10), 4, 3, blue, (COLORREF)-1, (COLORREF)-1, FALSE);
    EXPECT_EQ(At(74, 5), blue);
    EXPECT_EQ(At(75, 5), kWhite);
}

// --- palette ----------------------------------------------------------------------------------------

TEST_F(KtvPGradientLookTest, PaletteWithoutAVisualStyleComesFromTheSystemColours)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_FALSE(look->m_bLunaTheme);
    EXPECT_TRUE(look->m_strThemeColorName.IsEmpty());
    EXPECT_EQ(globalData.clrBarFace, face);
    const COLORREF d = DM::SmartMixColors(face, GetSysColor(COLOR_WINDOW), 1.03, 1, 1);
    struct Row {
        const char* name;
        COLORREF got, expected;
    };
    const Row rows[] = {
        {"menu item highlight", look->m_clrMenuItemHighlight, (COLORREF)-1},
        {"toolbar 1", look->m_clrToolBarGradient1, DM::SmartMixColors(face, GetSysColor(COLOR_BTNFACE), 0.93, 2, 1)},
        {"toolbar 2", look->m_clrToolBarGradient2, d},
        {"bar 1", look->m_clrBarGradient1, DM::SmartMixColors(face, GetSysColor(COLOR_3DLIGHT), 0.99, 2, 1)},
        {"bar 2", look->m_clrBarGradient2, d},
        {"vertical 1", look->m_clrToolBarGradientVert1, d},
        {"vertical 2", look->m_clrToolBarGradientVert2, DM::ScaleColor(look->m_clrToolBarGradient1, 98)},
        {"highlight 1", look->m_clrHighlightGradient1, look->m_clrHighlight},
        {"highlight 2", look->m_clrHighlightGradient2, look->m_clrHighlightDn},
        {"pressed 1", look->m_clrHighlightDnGradient1, DM::ScaleColor(look->m_clrHighlight, 120)},
        {"pressed 2", look->m_clrHighlightDnGradient2, look->m_clrHighlightDn},
        {"checked 1", look->m_clrHighlightCheckedGradient1, look->m_clrHighlightDn},
        {"checked 2", look->m_clrHighlightCheckedGradient2,
         DM::ScaleColor(DM::ScaleColor(look->m_clrHighlight, 120), 120)},
        {"customise 1", look->m_clrCustomizeButtonGradient1, globalData.clrBarShadow},
        {"customise 2", look->m_clrCustomizeButtonGradient2, DM::ScaleColor(globalData.clrBarShadow, 125)},
        {"bottom line", look->m_clrToolBarBottomLine, look->m_clrToolBarGradient1},
        {"corner 1", look->m_clrToolBarCorner1, globalData.clrBarLight},
        {"corner 2", look->m_clrToolBarCorner2, look->m_clrToolBarGradient1},
        {"gripper", look->m_clrToolBarGripper, globalData.clrBarShadow},
        {"caption 1", look->m_clrCaptionBarGradient1, globalData.clrBarShadow},
        {"caption 2", look->m_clrCaptionBarGradient2, globalData.clrBarDkShadow},
        {"task pane 1", look->m_clrTaskPaneGradient1, look->m_clrBarGradient1},
        {"task pane 2", look->m_clrTaskPaneGradient2, d},
        {"special 2", look->m_clrTaskGroupSpecialGradient2, look->m_clrCustomizeButtonGradient2},
        {"group border", look->m_clrTaskGroupBorder, d},
        {"tab background", BrushColor(look->m_brTabBack), d},
        {"bar face brush", BrushColor(look->m_brBarFace), face},
        {"menu shadow base", look->m_clrMenuShadowBase, face},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.got, r.expected) << r.name;
    EXPECT_TRUE(look->IsHighlightOneNoteTabs());
    EXPECT_EQ(look->GetToolBarCustomizeButtonMargin(), 1);
    EXPECT_FALSE(look->IsOffsetPressedButton());
    EXPECT_FALSE(look->IsLook2000Allowed());
    EXPECT_EQ(look->GetMenuImageMargin(), 3);
    EXPECT_EQ(look->m_nMenuShadowDepth, 3);
    EXPECT_EQ(look->m_nTasksGroupCaptionHeight, 18);
}

TEST_F(KtvPGradientLookTest, AtEightBitsOnlyTheTasksPaneAndTwoGradientEndsChange)
{
    const CKtvPVisualManager2003 before;  // never current: the test's manager was made first
    globalData.m_nBitsPerPixel = 8;
    look->OnUpdateSystemColors();
    EXPECT_EQ(look->m_clrTaskPaneGradient1, globalData.clrWindow);
    EXPECT_EQ(look->m_clrTaskPaneGradient2, globalData.clrWindow);
    EXPECT_EQ(look->m_clrTaskGroupCaptionGradient1, globalData.clrBarFace);
    EXPECT_EQ(look->m_clrTaskGroupSpecialGradient2, globalData.clrBarFace);
    EXPECT_EQ(look->m_clrTaskGroupInteriorGradient1, globalData.clrWindow);
    EXPECT_EQ(look->m_clrTaskGroupBorder, globalData.clrBtnShadow);
    EXPECT_EQ(look->m_clrToolBarGradient2, globalData.clrBarLight);
    EXPECT_EQ(look->m_clrBarGradient2, globalData.clrBarLight);
    // The rest keep their full-depth values.
    EXPECT_EQ(look->m_clrToolBarGradient1, before.m_clrToolBarGradient1);
    EXPECT_EQ(look->m_clrToolBarBottomLine, before.m_clrToolBarBottomLine);
    EXPECT_EQ(look->m_clrHighlightGradient1, before.m_clrHighlightGradient1);
    EXPECT_EQ(look->m_clrCaptionBarGradient1, before.m_clrCaptionBarGradient1);
    EXPECT_EQ(look->m_clrCustomizeButtonGradient2, before.m_clrCustomizeButtonGradient2);
}

TEST_F(KtvPGradientLookTest, ModifyGlobalColorsRetintsOnlyTheBarCopies)
{
    const COLORREF odd = RGB(1, 2, 3);
    globalData.clrBarFace = globalData.clrBarShadow = globalData.clrBarHilite = odd;
    globalData.clrBarDkShadow = globalData.clrBarLight = odd;
    globalData.clrBtnFace = globalData.clrBtnShadow = odd;
    look->ModifyGlobalColors();
    EXPECT_EQ(globalData.clrBarFace, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(globalData.clrBarShadow, GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(globalData.clrBarHilite, GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(globalData.clrBarDkShadow, GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(globalData.clrBarLight, GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(BrushColor(globalData.brBarFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(globalData.clrBtnFace, odd);
    EXPECT_EQ(globalData.clrBtnShadow, odd);
}

// --- drawing ----------------------------------------------------------------------------------------

TEST_F(KtvPGradientLookTest, GripperDotsSitInABandAtTheFarEnd)
{
    const COLORREF bg = RGB(1, 2, 3);
    Clear(bg);
    // Horizontal bar: a band 4 wide at the right end, 30 long: six dots, the first 3 pixels in.
    look->OnDrawBarGripper(&dc, CRect(0, 0, 10, 30), TRUE, nullptr);
    const COLORREF dot = look->m_clrToolBarGripper, light = globalData.clrBtnHilite;
    for (int i = 0; i < 6; i++) {
        const int y = 3 + 4 * i;
        EXPECT_EQ(At(6, y), dot) << i;
        EXPECT_EQ(At(7, y + 1), dot) << i;
        EXPECT_EQ(At(8, y + 2), light) << i;
        EXPECT_EQ(At(6, y + 2), bg) << i;
    }
    EXPECT_EQ(Count(CRect(0, 0, 6, 30), bg), 180);
    EXPECT_EQ(Count(CRect(6, 27, 10, 30), bg), 12);

    // Too short for a dot.
    Clear(bg);
    look->OnDrawBarGripper(&dc, CRect(0, 0, 10, 7), TRUE, nullptr);
    EXPECT_EQ(Count(CRect(0, 0, kW, kH), bg), kW * kH);
}

TEST_F(KtvPGradientLookTest, CustomizeButtonEdgesGradientAndGlyphs)
{
    const CRect rect(10, 0, 24, 40);
    look->OnDrawCustomizeButton(&dc, rect, TRUE, ButtonsIsRegular, FALSE, FALSE);
    const COLORREF c1 = look->m_clrCustomizeButtonGradient2, c2 = look->m_clrCustomizeButtonGradient1;
    EXPECT_EQ(At(10, 0), DM::ScaleColor(c1, 90));  // the softened corner
    EXPECT_EQ(At(12, 0), c1);
    EXPECT_EQ(At(12, 39), c2);
    EXPECT_EQ(At(10, 39), c1);
    EXPECT_EQ(At(9, 20), kWhite);
    // Without glyphs the inside holds only the gradient's colours.
    EXPECT_EQ(Count(CRect(12, 2, 24, 38), RGB(0, 0, 0)), 0);

    Clear();
    look->OnDrawCustomizeButton(&dc, rect, TRUE, ButtonsIsHighlighted, TRUE, TRUE);
    EXPECT_EQ(At(12, 0), look->m_clrHighlightGradient1);
    // The arrow at the far end and the chevron at the near end, black over white.
    const int cy = CKtvPMenuImages::Size().cy + 2;
    EXPECT_GT(Count(CRect(12, 38 - cy, 24, 38), RGB(0, 0, 0)), 0);
    EXPECT_GT(Count(CRect(12, 2, 24, 2 + cy), RGB(0, 0, 0)), 0);
    EXPECT_GT(Count(CRect(12, 2, 24, 38), kWhite), 0);
}

TEST_F(KtvPGradientLookTest, HighlightsAreSolidWithoutTheStandardStyleAndGradientsWithIt)
{
    const CRect rect(0, 0, 40, 40);
    look->OnFillHighlightedArea(&dc, rect, &look->m_brHighlight, nullptr);
    EXPECT_EQ(Count(rect, look->m_clrHighlight), 1600);

    // The scheme colours cannot be read here; the gradient itself still follows the flag.
    look->m_bLunaTheme = TRUE;
    look->m_clrHighlightGradient1 = RGB(255, 200, 0);
    look->m_clrHighlightGradient2 = RGB(255, 255, 200);
    Clear();
    look->OnFillHighlightedArea(&dc, rect, &look->m_brHighlight, nullptr);
    EXPECT_NE(At(0, 0), At(39, 39));
    EXPECT_EQ(Count(rect, kWhite), 0);
    // A brush without a gradient pair fills as it is.
    Clear();
    look->OnFillHighlightedArea(&dc, rect, &look->m_brMenuLight, nullptr);
    EXPECT_EQ(Count(rect, look->m_clrMenuLight), 1600);
}

TEST_F(KtvPGradientLookTest, FramesOfCaptionBarTasksAndControls)
{
    const CRect rect(2, 2, 30, 20);
    look->OnDrawCaptionBarBorder(&dc, nullptr, rect, (COLORREF)-1, FALSE);
    EXPECT_EQ(At(2, 2), look->m_clrBarGradient2);
    EXPECT_EQ(At(29, 19), look->m_clrToolBarBottomLine);
    EXPECT_EQ(At(10, 10), globalData.clrBarFace);

    Clear();
    look->OnDrawTasksGroupAreaBorder(&dc, rect, FALSE, FALSE);
    EXPECT_EQ(At(15, 2), look->m_clrTaskGroupBorder);
    EXPECT_EQ(At(2, 10), look->m_clrTaskGroupBorder);
    EXPECT_EQ(At(29, 19), look->m_clrTaskGroupBorder);
    EXPECT_EQ(At(15, 10), kWhite);

    Clear();
    look->OnDrawComboBorder(&dc, rect, TRUE, FALSE, FALSE, nullptr);
    EXPECT_EQ(At(3, 3), globalData.clrBtnShadow);
    EXPECT_EQ(At(2, 2), kWhite);

    Clear();
    look->OnDrawCalculatorDisplay(&dc, rect, "0", FALSE, nullptr);
    EXPECT_EQ(At(2, 2), look->m_clrToolBarGradient1);
    EXPECT_EQ(At(10, 10), globalData.clrWindow);
}

TEST_F(KtvPGradientLookTest, AtEightBitsTheGroupCaptionStaysAGradientAndScrollButtonsHighlightInTheWindowColour)
{
    globalData.m_nBitsPerPixel = 8;
    look->OnUpdateSystemColors();
    CKtvPTasksGroup group("", FALSE, TRUE);
    group.m_rect = CRect(10, 10, 60, 30);
    look->OnDrawTasksGroupCaption(&dc, &group);
    EXPECT_EQ(At(10, 10), kWhite);  // the rounded corner
    EXPECT_EQ(At(14, 10), globalData.clrBarFace);
    EXPECT_EQ(At(59, 29), globalData.clrBarFace);

    Clear();
    look->OnDrawScrollButton(&dc, CRect(0, 0, 20, 10), 0, CKtvPMenuImages::IdArowUp, TRUE);
    EXPECT_EQ(At(0, 0), look->m_clrMenuItemBorder);
    EXPECT_EQ(At(1, 1), globalData.clrWindow);
    Clear();
    look->OnDrawScrollButton(&dc, CRect(0, 0, 20, 10), 0, CKtvPMenuImages::IdArowUp, FALSE);
    EXPECT_EQ(At(0, 0), globalData.clrBarShadow);
    EXPECT_EQ(At(1, 1), globalData.clrBarFace);
}

}  // namespace

namespace {

TEST_F(KtvPGradientLookTest, CustomizeButtonWithoutAToolbarIsDrawnAsOnAHorizontalBarAndOnlyOnce)
{
    CCustomizeButton button(0, "");
    ASSERT_EQ(button.m_pWndParentToolbar, nullptr);
    button.m_sizeExtra = CSize(0, 2);
    const CRect rect(10, 10, 24, 40);
    look->OnFillButtonInterior(&dc, &button, rect, ButtonsIsRegular);
    EXPECT_FALSE(button.m_bDrawn);
    EXPECT_TRUE(SameAs([&](CDC* pDC) {
        look->OnDrawCustomizeButton(pDC, CRect(10, 8, 24, 42), TRUE, ButtonsIsRegular, FALSE, FALSE);
    }));
    // Its border belongs to the button's own drawing.
    Clear();
    look->OnDrawButtonBorder(&dc, &button, rect, ButtonsIsHighlighted);
    EXPECT_EQ(Count(CRect(0, 0, kW, kH), kWhite), kW * kH);
}

// The same task in the three looks: a separator line in each look's colour,
// a command's name in its colour.
TEST_F(KtvPGradientLookTest, TasksInEveryLook)
{
    CKtvPVisualManager classic(TRUE);
    CKtvPVisualManagerXP xp(TRUE);
    CKtvPTask separator(nullptr, "", -1, 0);
    separator.m_bIsSeparator = TRUE;
    separator.m_rect = CRect(0, 0, 60, 10);
    CKtvPTask command(nullptr, "Run the query", -1, 100);
    command.m_bEnabled = TRUE;
    command.m_rect = CRect(0, 20, 110, 40);
    struct Case {
        CKtvPVisualManager* look;
        COLORREF line, text;
    };
    const Case cases[] = {
        {&classic, globalData.clrBarFace, globalData.clrWindowText},
        {&xp, globalData.clrBarShadow, globalData.clrHotText},
        {look, tw::test::PenColor(look->m_penSeparator), globalData.clrHilite},
    };
    for (const Case& c : cases) {
        Clear();
        c.look->OnDrawTask(&dc, &separator, nullptr);
        EXPECT_EQ(At(30, 5), c.line);
        EXPECT_EQ(At(30, 4), kWhite);
        c.look->OnDrawTask(&dc, &command, nullptr);
        EXPECT_TRUE(TextIn(command.m_rect, c.text)) << c.look->GetRuntimeClass()->m_lpszClassName;
        // No icon: the name starts after the icon gap.
        EXPECT_EQ(Count(CRect(0, 20, c.look->m_nTasksIconGapX, 40), kWhite), 20 * c.look->m_nTasksIconGapX);
    }
}

}  // namespace

namespace {

TEST_F(KtvPGradientLookTest, DockingCaptionsAndComboButtonsAreGradients)
{
    const CRect rect(0, 0, 100, 18);
    EXPECT_EQ(look->OnDrawDockingBarCaption(&dc, nullptr, TRUE, rect, CRect()), globalData.clrBarText);
    EXPECT_TRUE(SameAs([&](CDC* pDC) {
        CKtvPDrawManager dm(*pDC);
        dm.FillGradient(rect, look->m_clrHighlightGradient2, look->m_clrHighlightGradient1, TRUE);
    }));
    Clear();
    look->OnDrawComboDropButton(&dc, CRect(0, 0, 14, 20), FALSE, FALSE, FALSE, nullptr);
    EXPECT_EQ(At(0, 0), globalData.clrWindow);
    EXPECT_EQ(At(13, 19), globalData.clrWindow);
    EXPECT_NE(At(1, 1), At(1, 18));  // top and bottom of the gradient differ
}

}  // namespace

namespace {

// A task group's caption in the three looks: its fill, and the collapse box of
// a highlighted caption in its bottom-right corner.
TEST_F(KtvPGradientLookTest, TaskGroupCaptionsInEveryLook)
{
    CKtvPVisualManager classic(TRUE);
    CKtvPVisualManagerXP xp(TRUE);
    CKtvPTasksGroup group("Details", FALSE);
    group.m_rect = CRect(0, 0, 110, 25);
    const CSize glyph = CKtvPMenuImages::Size();
    struct Case {
        CKtvPVisualManager* look;
        COLORREF fill;  // white: not filled; -1: a gradient
        CRect box;
        COLORREF boxEdge;
    };
    const int r = (25 + 1) / 2;
    const CRect classicBox(CPoint(110 - (glyph.cx + 1) / 2 - r, 25 - (glyph.cy + 1) / 2 - r), glyph);
    const CRect xpBox(110 - glyph.cx, 25 - glyph.cy, 110, 25);
    const Case cases[] = {
        {&classic, globalData.clrBarFace, classicBox, globalData.clrWindow},
        {&xp, kWhite, xpBox, globalData.clrHilite},
        {look, (COLORREF)-1, classicBox, globalData.clrWindow},
    };
    for (const Case& c : cases) {
        const char* name = c.look->GetRuntimeClass()->m_lpszClassName;
        Clear();
        c.look->OnDrawTasksGroupCaption(&dc, &group, TRUE, FALSE, TRUE);
        if (c.fill == (COLORREF)-1)
            EXPECT_NE(At(5, 1), At(100, 1)) << name;  // the gradient runs across
        else
            EXPECT_EQ(At(100, 2), c.fill) << name;
        EXPECT_EQ(At(c.box.left, c.box.top), c.boxEdge) << name;
        EXPECT_GT(Count(c.box, RGB(0, 0, 0)), 0) << name;  // the arrow
    }
}

}  // namespace
