#include <gtest/gtest.h>

#include "platform/mfc/CDC.h"
#include "tests/ui/frames/KtvPVisualManagerCanvas.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include <functional>
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPVisualManagerXP.h"

namespace {

using DM = CKtvPDrawManager;
using tw::test::BrushColor;
using tw::test::KtvLookCanvas;
using tw::test::PenColor;

class KtvPFlatLookTest : public KtvLookCanvas {
protected:
    CKtvPVisualManagerXP& Look()
    {
        if (look_ == nullptr)
            look_ = new CKtvPVisualManagerXP(TRUE);
        return *look_;
    }
    void TearDown() override
    {
        delete look_;
        KtvLookCanvas::TearDown();
    }
    CKtvPVisualManagerXP* look_ = nullptr;
};

// --- palette ----------------------------------------------------------------------------------------

TEST_F(KtvPFlatLookTest, PaletteFromTheClassicSystemColours)
{
    CKtvPVisualManagerXP& xp = Look();
    struct Row {
        const char* name;
        COLORREF got, expected;
    };
    const Row rows[] = {
        {"menu light", xp.m_clrMenuLight, RGB(249, 248, 247)},
        {"highlight", xp.m_clrHighlight, RGB(177, 185, 210)},
        {"pressed highlight", xp.m_clrHighlightDn, RGB(154, 161, 183)},
        {"checked", xp.m_clrHighlightChecked, RGB(209, 212, 223)},
        {"menu border", xp.m_clrMenuBorder, RGB(116, 114, 110)},
        {"gripper", xp.m_clrGripper, RGB(140, 140, 140)},
        {"pane border", xp.m_clrPaneBorder, RGB(128, 128, 128)},
        {"item border", xp.m_clrMenuItemBorder, RGB(10, 36, 106)},
        {"bar background", xp.m_clrBarBkgnd, RGB(217, 213, 206)},
        {"inactive tab text", xp.m_clrInactiveTabText, RGB(92, 85, 72)},
        {"separator", PenColor(xp.m_penSeparator), RGB(182, 179, 172)},
        {"floating border", BrushColor(xp.m_brFloatToolbarBorder), RGB(109, 109, 109)},
        {"tab background", BrushColor(xp.m_brTabBack), RGB(236, 232, 224)},
        {"highlight brush", BrushColor(xp.m_brHighlight), RGB(177, 185, 210)},
        {"menu shadow base", xp.m_clrMenuShadowBase, (COLORREF)-1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.got, r.expected) << r.name;
}

TEST_F(KtvPFlatLookTest, PaletteAtEightBitsUsesPlainButtonColours)
{
    // The constructor reads the screen's depth; the palette follows a later change.
    CKtvPVisualManagerXP& xp = Look();
    globalData.m_nBitsPerPixel = 8;
    xp.OnUpdateSystemColors();
    struct Row {
        const char* name;
        COLORREF got, expected;
    };
    const Row rows[] = {
        {"menu light", xp.m_clrMenuLight, globalData.clrWindow},
        {"bar background", xp.m_clrBarBkgnd, globalData.clrBtnFace},
        {"highlight", xp.m_clrHighlight, globalData.clrBtnFace},
        {"pressed highlight", xp.m_clrHighlightDn, globalData.clrBtnFace},
        {"checked", xp.m_clrHighlightChecked, globalData.clrWindow},
        {"inactive tab text", xp.m_clrInactiveTabText, globalData.clrBtnDkShadow},
        {"gripper", xp.m_clrGripper, globalData.clrBtnShadow},
        {"pane border", xp.m_clrPaneBorder, globalData.clrBtnShadow},
        {"menu border", xp.m_clrMenuBorder, globalData.clrBtnDkShadow},
        {"separator", PenColor(xp.m_penSeparator), globalData.clrBtnShadow},
        {"floating border", BrushColor(xp.m_brFloatToolbarBorder), globalData.clrBtnShadow},
        {"tab background", BrushColor(xp.m_brTabBack), globalData.clrBtnFace},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.got, r.expected) << r.name;
}

// The tab tint keeps greys grey, lifts faint tints by 0.1 and doubles stronger ones.
TEST_F(KtvPFlatLookTest, TabTintSaturationAndBarBackgroundLightnessRules)
{
    struct Case {
        COLORREF face;
        double saturationFrom, saturationTo;
    };
    // Faces chosen for their saturation: none, faint, strong.
    const Case cases[] = {
        {RGB(128, 128, 128), 0.0, 0.0},
        {RGB(140, 133, 126), 0.0, 0.1},
        {RGB(170, 120, 100), 0.1, 0.5},
    };
    Look();
    for (const Case& c : cases) {
        globalData.clrBarFace = c.face;
        Look().OnUpdateSystemColors();
        double h, s, l;
        DM::RgbToHls(c.face, &h, &s, &l);
        ASSERT_GE(s, c.saturationFrom);
        ASSERT_LE(s, c.saturationTo);
        const double expected = s == 0 ? 0 : (s < 0.1 ? s + 0.1 : 2 * s);
        EXPECT_EQ(BrushColor(Look().m_brTabBack), DM::HlsToRgb(h, (1 + l) / 2, expected)) << c.face;
        EXPECT_EQ(Look().m_clrBarBkgnd, DM::HlsToRgb(h, l * 1.03, s)) << c.face;
    }
    // A face lighter than 0.9 is the toolbar background itself.
    globalData.clrBarFace = RGB(240, 238, 235);
    Look().OnUpdateSystemColors();
    EXPECT_EQ(Look().m_clrBarBkgnd, RGB(240, 238, 235));
}

// --- drawing ----------------------------------------------------------------------------------------

TEST_F(KtvPFlatLookTest, HighlightAndFrameOfButtonsControlsAndPopupParts)
{
    CKtvPVisualManagerXP& xp = Look();
    const COLORREF border = xp.m_clrMenuItemBorder;
    struct Case {
        const char* name;
        std::function<void(CDC*, CRect)> draw;
        COLORREF edge, inside;
    };
    CKtvPToolbarButton button;
    COLORREF clrText = 0;
    const Case cases[] = {
        {"hot combo border", [&](CDC* p, CRect r) { xp.OnDrawComboBorder(p, r, FALSE, FALSE, TRUE, nullptr); },
         kWhite, kWhite},
        {"calculator key at rest",
         [&](CDC* p, CRect r) { xp.OnDrawCalculatorButton(p, r, nullptr, ButtonsIsRegular, 0, nullptr); }, border,
         kWhite},
        {"hot calculator key",
         [&](CDC* p, CRect r) { xp.OnDrawCalculatorButton(p, r, nullptr, ButtonsIsHighlighted, 0, nullptr); },
         border, xp.m_clrHighlight},
        {"pressed calculator key",
         [&](CDC* p, CRect r) { xp.OnDrawCalculatorButton(p, r, nullptr, ButtonsIsPressed, 0, nullptr); }, border,
         xp.m_clrHighlightDn},
        {"calculator display", [&](CDC* p, CRect r) { xp.OnDrawCalculatorDisplay(p, r, "0", FALSE, nullptr); },
         border, globalData.clrWindow},
        {"browse button at rest",
         [&](CDC* p, CRect r) { xp.OnDrawBrowseButton(p, r, nullptr, ButtonsIsRegular, clrText); },
         globalData.clrBarHilite, globalData.clrBtnFace},
        {"hot browse button",
         [&](CDC* p, CRect r) { xp.OnDrawBrowseButton(p, r, nullptr, ButtonsIsHighlighted, clrText); }, border,
         xp.m_clrHighlight},
        {"inset frame", [&](CDC* p, CRect r) { xp.OnDrawInsetFrame(p, r); }, globalData.clrBarShadow,
         kWhite},
        {"status pane", [&](CDC* p, CRect r) { xp.OnDrawStatusBarPaneBorder(p, nullptr, r, 0, 0); },
         xp.m_clrPaneBorder, kWhite},
        {"pressed toolbar button",
         [&](CDC* p, CRect r) { xp.OnDrawButtonBorder(p, &button, r, ButtonsIsPressed); }, border, kWhite},
        {"plain toolbar button",
         [&](CDC* p, CRect r) { xp.OnDrawButtonBorder(p, &button, r, ButtonsIsRegular); }, kWhite, kWhite},
    };
    for (const Case& c : cases) {
        Clear();
        c.draw(&dc, CRect(2, 2, 22, 14));
        EXPECT_EQ(At(2, 2), c.edge) << c.name;
        EXPECT_EQ(At(10, 8), c.inside) << c.name;
    }

    // A hot combo border sits one pixel inside; a hot browse button's frame reaches
    // one pixel above and to the right of the button.
    Clear();
    xp.OnDrawComboBorder(&dc, CRect(2, 2, 22, 14), FALSE, FALSE, TRUE, nullptr);
    EXPECT_EQ(At(3, 3), border);
    EXPECT_EQ(At(20, 12), border);
    Clear();
    xp.OnDrawBrowseButton(&dc, CRect(2, 2, 22, 14), nullptr, ButtonsIsPressed, clrText);
    EXPECT_EQ(clrText, globalData.clrWindow);
    EXPECT_EQ(At(2, 1), border);
    EXPECT_EQ(At(22, 14), border);
    // Toolbar buttons lose a pixel at the right and bottom before the frame.
    Clear();
    xp.OnDrawButtonBorder(&dc, &button, CRect(2, 2, 22, 14), ButtonsIsHighlighted);
    EXPECT_EQ(At(20, 12), border);
    EXPECT_EQ(At(21, 13), kWhite);
}

TEST_F(KtvPFlatLookTest, ButtonInteriorsByStateAndStyle)
{
    CKtvPVisualManagerXP& xp = Look();
    CKtvPToolbarButton button;
    struct Case {
        UINT style;
        ButtonState state;
        COLORREF fill;
        CPoint firstFilled;
    };
    const Case cases[] = {
        {0, ButtonsIsRegular, kWhite, CPoint(3, 3)},
        {0, ButtonsIsHighlighted, xp.m_clrHighlight, CPoint(3, 3)},
        {TBBS_PRESSED, ButtonsIsPressed, xp.m_clrHighlightDn, CPoint(3, 3)},
        {TBBS_CHECKED, ButtonsIsPressed, xp.m_clrHighlightChecked, CPoint(2, 2)},
        {TBBS_CHECKED, ButtonsIsHighlighted, xp.m_clrHighlightDn, CPoint(2, 2)},
    };
    for (const Case& c : cases) {
        Clear();
        button.m_nStyle = c.style;
        xp.OnFillButtonInterior(&dc, &button, CRect(2, 2, 22, 14), c.state);
        EXPECT_EQ(At(c.firstFilled.x, c.firstFilled.y), c.fill) << c.style << " " << c.state;
        EXPECT_EQ(At(c.firstFilled.x - 1, c.firstFilled.y - 1), kWhite) << c.style << " " << c.state;
    }
}

TEST_F(KtvPFlatLookTest, SeparatorsAndBarBordersAreSingleLines)
{
    CKtvPVisualManagerXP& xp = Look();
    const COLORREF line = PenColor(xp.m_penSeparator);
    xp.OnDrawSeparator(&dc, nullptr, CRect(10, 0, 20, 30), TRUE);
    EXPECT_EQ(At(15, 0), line);
    EXPECT_EQ(At(15, 28), line);
    EXPECT_EQ(At(15, 29), kWhite);
    EXPECT_EQ(At(14, 10), kWhite);
    EXPECT_EQ(At(16, 10), kWhite);
    Clear();
    xp.OnDrawSeparator(&dc, nullptr, CRect(0, 10, 40, 20), FALSE);
    EXPECT_EQ(At(0, 15), line);
    EXPECT_EQ(At(39, 15), line);
    EXPECT_EQ(At(20, 14), kWhite);
}

TEST_F(KtvPFlatLookTest, ComboDropButtonByState)
{
    CKtvPVisualManagerXP& xp = Look();
    const CRect rect(0, 0, 14, 20);
    xp.OnDrawComboDropButton(&dc, rect, FALSE, FALSE, FALSE, nullptr);
    EXPECT_EQ(At(0, 0), globalData.clrBarWindow);
    EXPECT_EQ(At(3, 3), globalData.clrBarFace);
    Clear();
    xp.OnDrawComboDropButton(&dc, rect, FALSE, FALSE, TRUE, nullptr);
    EXPECT_EQ(At(0, 10), xp.m_clrMenuItemBorder);
    EXPECT_EQ(At(1, 1), xp.m_clrHighlight);
    Clear();
    xp.OnDrawComboDropButton(&dc, rect, FALSE, TRUE, TRUE, nullptr);
    EXPECT_EQ(At(1, 1), xp.m_clrHighlightDn);
    // Dropped and hot: the arrow is white.
    const CSize glyph = CKtvPMenuImages::Size();
    const CRect rectGlyph(CPoint((14 - glyph.cx) / 2 + 1, (20 - glyph.cy) / 2 + 1), glyph);
    EXPECT_GT(Count(rectGlyph, kWhite), 0);
    EXPECT_EQ(Count(rectGlyph, RGB(0, 0, 0)), 0);
}

TEST_F(KtvPFlatLookTest, CaptionButtonFillsWhileHotOrPushedAndFramesInTheDarkShadow)
{
    CKtvPVisualManagerXP& xp = Look();
    CKtvPCaptionButton button(HTCLIENT);
    button.m_ptOrigin = CPoint(4, 4);
    const CSize size = CKtvPCaptionButton::GetSize();
    struct Case {
        BOOL pushed, hot, disabled;
        COLORREF frame, fill;
    };
    const Case cases[] = {
        {FALSE, FALSE, FALSE, kWhite, kWhite},
        {FALSE, TRUE, FALSE, globalData.clrBarDkShadow, xp.m_clrHighlight},
        {TRUE, TRUE, FALSE, globalData.clrBarDkShadow, xp.m_clrHighlightDn},
        {TRUE, TRUE, TRUE, kWhite, kWhite},
    };
    for (const Case& c : cases) {
        Clear();
        button.m_bPushed = c.pushed;
        button.m_bFocused = c.hot;
        xp.OnDrawCaptionButton(&dc, &button, TRUE, TRUE, FALSE, c.disabled);
        EXPECT_EQ(At(4, 4), c.frame) << c.pushed << c.hot << c.disabled;
        EXPECT_EQ(At(5, 5), c.fill) << c.pushed << c.hot << c.disabled;
        EXPECT_EQ(At(4 + size.cx, 4 + size.cy), kWhite);
    }
}

TEST_F(KtvPFlatLookTest, MenuBorderRunsTheImageColumnToTheFrame)
{
    CKtvPVisualManagerXP& xp = Look();
    xp.OnDrawMenuBorder(&dc, nullptr, CRect(0, 0, 60, 40));
    EXPECT_EQ(At(0, 0), xp.m_clrMenuBorder);
    EXPECT_EQ(At(59, 39), xp.m_clrMenuBorder);
    EXPECT_EQ(At(2, 2), kWhite);
    EXPECT_EQ(At(1, 20), xp.m_clrBarBkgnd);
    EXPECT_EQ(At(58, 20), xp.m_clrMenuLight);
    EXPECT_EQ(At(1, 38), xp.m_clrMenuLight);
}

TEST_F(KtvPFlatLookTest, MenuShadowKeepsThePixelsOfTheExcludedButton)
{
    CKtvPVisualManagerXP& xp = Look();
    const COLORREF button = RGB(0, 200, 0);
    const CRect menu(10, 10, 60, 40);
    // The button the menu hangs from lies where the bottom shadow falls.
    const CRect rectButton(20, 38, 40, 50);
    dc.FillSolidRect(rectButton, button);
    xp.OnDrawMenuShadow(&dc, menu, rectButton, 4, 100, 65, nullptr, nullptr);
    EXPECT_EQ(Count(rectButton, button), rectButton.Width() * rectButton.Height());
    // Elsewhere the shadow darkened the bottom band.
    EXPECT_NE(At(50, 41), kWhite);
    EXPECT_EQ(At(50, 45), kWhite);

    Clear();
    dc.FillSolidRect(rectButton, button);
    xp.OnDrawMenuShadow(&dc, menu, CRect(), 4, 100, 65, nullptr, nullptr);
    EXPECT_LT(Count(rectButton, button), rectButton.Width() * rectButton.Height());
}

TEST_F(KtvPFlatLookTest, GripperIsADottedBandInTheGripperColour)
{
    CKtvPVisualManagerXP& xp = Look();
    xp.OnDrawBarGripper(&dc, CRect(0, 0, 10, 30), TRUE, nullptr);
    // A band 3 pixels wide in the middle, 5 pixels in from both ends, striped by rows.
    const CRect band(4, 5, 7, 25);
    EXPECT_EQ(Count(band, xp.m_clrGripper) + Count(band, xp.m_clrBarBkgnd), band.Width() * band.Height());
    EXPECT_GT(Count(band, xp.m_clrGripper), 0);
    EXPECT_EQ(Count(CRect(4, 0, 7, 5), kWhite), 15);
    EXPECT_EQ(Count(CRect(0, 0, 4, 30), kWhite), 120);
    for (int y = band.top; y + 1 < band.bottom; y++)
        EXPECT_NE(At(5, y), At(5, y + 1)) << y;
}

TEST_F(KtvPFlatLookTest, FloatingToolbarBorderIsTwoRingsOfBands)
{
    CKtvPVisualManagerXP& xp = Look();
    xp.OnDrawFloatingToolbarBorder(&dc, nullptr, CRect(0, 0, 40, 30), CRect(3, 3, 3, 3));
    const COLORREF outer = BrushColor(xp.m_brFloatToolbarBorder);
    EXPECT_EQ(At(0, 0), outer);
    EXPECT_EQ(At(1, 15), outer);
    EXPECT_EQ(At(2, 15), globalData.clrBarFace);
    EXPECT_EQ(At(2, 2), outer);  // the inner bands stop one pixel short of the corners
    EXPECT_EQ(At(3, 15), kWhite);
    EXPECT_EQ(At(39, 29), outer);
}

TEST_F(KtvPFlatLookTest, SpinButtonsShowPressedAndHotHalves)
{
    CKtvPVisualManagerXP& xp = Look();
    const CRect rect(0, 0, 16, 20);
    // First half pressed, second half hot.
    xp.OnDrawSpinButtons(&dc, rect, 1 | 8, FALSE, nullptr);
    EXPECT_EQ(At(1, 1), xp.m_clrHighlightDn);
    EXPECT_EQ(At(0, 10), xp.m_clrMenuItemBorder);
    EXPECT_EQ(At(1, 11), xp.m_clrHighlight);
    Clear();
    xp.OnDrawSpinButtons(&dc, rect, 0, FALSE, nullptr);
    EXPECT_EQ(At(0, 0), globalData.clrBarHilite);
    EXPECT_EQ(At(1, 1), globalData.clrBarFace);
    EXPECT_EQ(At(0, 10), globalData.clrBarHilite);
}

TEST_F(KtvPFlatLookTest, HighlightedMenuTextTurnsWhiteOnlyOnADarkHighlight)
{
    CKtvPVisualManagerXP& xp = Look();
    CKtvPToolbarMenuButton item;
    COLORREF clrText = RGB(1, 2, 3);
    xp.OnHighlightMenuItem(&dc, &item, CRect(40, 2, 100, 20), clrText);
    EXPECT_EQ(At(40, 2), xp.m_clrMenuItemBorder);
    EXPECT_EQ(At(60, 10), xp.m_clrHighlight);
    EXPECT_EQ(clrText, RGB(0, 0, 0));  // (177, 185, 210) is light in every channel

    // A dark window colour darkens the menu background the highlight is blended with.
    globalData.clrHilite = RGB(0, 0, 90);
    globalData.clrBarWindow = RGB(40, 40, 40);
    xp.OnUpdateSystemColors();
    ASSERT_LT(GetRValue(xp.m_clrHighlight), 129);
    xp.OnHighlightMenuItem(&dc, &item, CRect(40, 2, 100, 20), clrText);
    EXPECT_EQ(clrText, RGB(255, 255, 255));
    item.m_nStyle = TBBS_DISABLED;
    xp.OnHighlightMenuItem(&dc, &item, CRect(40, 2, 100, 20), clrText);
    EXPECT_EQ(clrText, globalData.clrGrayedText);
    EXPECT_EQ(At(60, 10), xp.m_clrMenuLight);
}

}  // namespace
