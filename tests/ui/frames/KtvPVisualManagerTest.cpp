#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/mfc/CDC.h"
#include "tests/support/ui/KtvTestFrameBars.h"
#include "tests/ui/frames/KtvPVisualManagerCanvas.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/controls/KtvPCaptionBar.h"
#include "ui/controls/KtvPOutlookBarPane.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPFrameWnd.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPVisualManager2003.h"
#include "ui/frames/KtvPVisualManagerXP.h"

namespace {

using tw::test::KtvLookCanvas;

class KtvPClassicLookTest : public KtvLookCanvas {
protected:
    CKtvPVisualManager* Look()
    {
        if (look_ == nullptr)
            look_ = new CKtvPVisualManager(TRUE);
        return look_;
    }
    void TearDown() override
    {
        delete look_;
        KtvLookCanvas::TearDown();
    }
    CKtvPVisualManager* look_ = nullptr;
};

// --- lifecycle --------------------------------------------------------------------------------------

TEST_F(KtvPClassicLookTest, FirstUseMakesAnAutoDeletedClassicManagerAndAChosenLookReplacesIt)
{
    CKtvPVisualManager* first = CKtvPVisualManager::GetInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetRuntimeClass(), RUNTIME_CLASS(CKtvPVisualManager));
    EXPECT_TRUE(first->m_bAutoDelete);
    EXPECT_EQ(CKtvPVisualManager::GetInstance(), first);

    // A class that is not a look changes nothing.
    CKtvPVisualManager::SetDefaultManager(RUNTIME_CLASS(CObject));
    EXPECT_EQ(CKtvPVisualManager::m_pVisManager, first);
    EXPECT_EQ(CKtvPVisualManager::m_pRTIDefault, nullptr);

    CKtvPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKtvPVisualManagerXP));
    EXPECT_EQ(CKtvPVisualManager::m_pVisManager, nullptr);
    CKtvPVisualManager* xp = CKtvPVisualManager::GetInstance();
    EXPECT_EQ(xp->GetRuntimeClass(), RUNTIME_CLASS(CKtvPVisualManagerXP));
    EXPECT_TRUE(xp->m_bAutoDelete);

    CKtvPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKtvPVisualManager2003));
    EXPECT_EQ(CKtvPVisualManager::GetInstance()->GetRuntimeClass(), RUNTIME_CLASS(CKtvPVisualManager2003));

    CKtvPVisualManager::SetDefaultManager(nullptr);
    EXPECT_EQ(CKtvPVisualManager::GetInstance()->GetRuntimeClass(), RUNTIME_CLASS(CKtvPVisualManager));
}

TEST_F(KtvPClassicLookTest, LibraryCleanUpDeletesOnlyAManagerItMadeItself)
{
    CKtvPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKtvPVisualManagerXP));
    ASSERT_NE(CKtvPVisualManager::GetInstance(), nullptr);
    KtvCleanUp();
    EXPECT_EQ(CKtvPVisualManager::m_pVisManager, nullptr);

    KtvInitGlobalData();
    auto* own = new CKtvPVisualManager;
    ASSERT_EQ(CKtvPVisualManager::m_pVisManager, own);
    KtvCleanUp();
    EXPECT_EQ(CKtvPVisualManager::m_pVisManager, own);
    KtvInitGlobalData();
}

TEST_F(KtvPClassicLookTest, TemporaryManagersOfEveryLookNeverBecomeCurrent)
{
    {
        CKtvPVisualManager classic(TRUE);
        CKtvPVisualManagerXP xp(TRUE);
        EXPECT_EQ(CKtvPVisualManager::m_pVisManager, nullptr);
        EXPECT_TRUE(xp.m_bLook2000);
        EXPECT_EQ(xp.m_nMenuShadowDepth, 4);
        EXPECT_EQ(xp.GetMenuImageMargin(), 3);
        EXPECT_FALSE(xp.IsLook2000Allowed());
    }
    CKtvPVisualManager* current = CKtvPVisualManager::GetInstance();
    {
        CKtvPVisualManagerXP xp(TRUE);
    }
    EXPECT_EQ(CKtvPVisualManager::m_pVisManager, current);
}

// A bar that notes which look it was painted by.
class LookProbeBar : public tw::test::KtvCountingBar {
public:
    LookProbeBar() : KtvCountingBar(120, 24) {}
    void DoPaint(CDC* pDC) override
    {
        paintedBy = CKtvPVisualManager::GetInstance()->GetRuntimeClass();
        KtvCountingBar::DoPaint(pDC);
    }
    CRuntimeClass* paintedBy = nullptr;
};

class KtvPLookSwitchTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        KtvLookCanvas::ResetLook();
    }
    void TearDown() override
    {
        HeadlessWindowTest::TearDown();
        KtvLookCanvas::ResetLook();
    }
};

TEST_F(KtvPLookSwitchTest, ChangingTheLookRepaintsEveryBarWithTheNewManager)
{
    auto* frame = new CKtvPFrameWnd;
    CRect rect(20, 20, 420, 320);
    ASSERT_TRUE(frame->Create(nullptr, "Looks", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect));
    ASSERT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
    auto* bar = new LookProbeBar;
    ASSERT_TRUE(bar->CreateBar(frame, 1));
    frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
    frame->RecalcLayout();
    Pump();

    CKtvPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKtvPVisualManagerXP));
    EXPECT_EQ(bar->paintedBy, RUNTIME_CLASS(CKtvPVisualManagerXP));
    CKtvPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKtvPVisualManager2003));
    EXPECT_EQ(bar->paintedBy, RUNTIME_CLASS(CKtvPVisualManager2003));

    CKtvPVisualManager::SetDefaultManager(nullptr);
    bar->paintedBy = nullptr;
    CKtvPVisualManager::GetInstance()->SetLook2000(TRUE);
    EXPECT_EQ(bar->paintedBy, RUNTIME_CLASS(CKtvPVisualManager));
    EXPECT_TRUE(CKtvPVisualManager::GetInstance()->IsLook2000());
    frame->DestroyWindow();
}

// --- frames and lines -------------------------------------------------------------------------------

TEST_F(KtvPClassicLookTest, SeparatorIsATwoPixelEtchedLineInTheMiddle)
{
    Look()->OnDrawSeparator(&dc, nullptr, CRect(10, 0, 20, 30), TRUE);
    EXPECT_EQ(At(14, 15), globalData.clrBarShadow);
    EXPECT_EQ(At(15, 15), globalData.clrBarHilite);
    EXPECT_EQ(At(13, 15), kWhite);
    EXPECT_EQ(At(16, 15), kWhite);
    Clear();
    Look()->OnDrawSeparator(&dc, nullptr, CRect(0, 10, 40, 20), FALSE);
    EXPECT_EQ(At(20, 14), globalData.clrBarShadow);
    EXPECT_EQ(At(20, 15), globalData.clrBarHilite);
    EXPECT_EQ(At(20, 13), kWhite);
}

TEST_F(KtvPClassicLookTest, FramesByKindAndState)
{
    // Each case draws into (2, 2, 22, 12); the outer top-left and bottom-right
    // pixels, and the one just inside the top-left corner, tell the frame.
    struct Case {
        const char* name;
        std::function<void(CKtvPVisualManager*, CDC*, CRect)> draw;
        COLORREF topLeft, bottomRight, inner;
    };
    const COLORREF face = globalData.clrBarFace, shadow = globalData.clrBarShadow,
                   hilite = globalData.clrBarHilite, dark = globalData.clrBarDkShadow,
                   light = globalData.clrBarLight;
    CKtvPToolbarButton button;
    CKtvPOutlookButton outlookButton;
    const Case cases[] = {
        {"menu border", [](auto* m, CDC* pDC, CRect r) { m->OnDrawMenuBorder(pDC, nullptr, r); }, light, dark,
         hilite},
        {"pane without borders",
         [](auto* m, CDC* pDC, CRect r) { m->OnDrawStatusBarPaneBorder(pDC, nullptr, r, 0, SBPS_NOBORDERS); },
         kWhite, kWhite, kWhite},
        {"pane popped out",
         [](auto* m, CDC* pDC, CRect r) { m->OnDrawStatusBarPaneBorder(pDC, nullptr, r, 0, SBPS_POPOUT); },
         hilite, shadow, kWhite},
        {"pane inset",
         [](auto* m, CDC* pDC, CRect r) { m->OnDrawStatusBarPaneBorder(pDC, nullptr, r, 0, SBPS_STRETCH); },
         shadow, hilite, kWhite},
        {"pressed button",
         [&](auto* m, CDC* pDC, CRect r) { m->OnDrawButtonBorder(pDC, &button, r, ButtonsIsPressed); }, shadow,
         hilite, kWhite},
        {"hot button",
         [&](auto* m, CDC* pDC, CRect r) { m->OnDrawButtonBorder(pDC, &button, r, ButtonsIsHighlighted); },
         hilite, shadow, kWhite},
        {"plain button",
         [&](auto* m, CDC* pDC, CRect r) { m->OnDrawButtonBorder(pDC, &button, r, ButtonsIsRegular); }, kWhite,
         kWhite, kWhite},
        {"hot outlook button",
         [&](auto* m, CDC* pDC, CRect r) { m->OnDrawButtonBorder(pDC, &outlookButton, r, ButtonsIsHighlighted); },
         hilite, dark, kWhite},
        {"combo border at rest", [](auto* m, CDC* pDC, CRect r) { m->OnDrawComboBorder(pDC, r, FALSE, FALSE, FALSE, nullptr); },
         kWhite, kWhite, kWhite},
        {"hot combo border", [](auto* m, CDC* pDC, CRect r) { m->OnDrawComboBorder(pDC, r, FALSE, FALSE, TRUE, nullptr); },
         shadow, hilite, kWhite},
        {"inset frame", [](auto* m, CDC* pDC, CRect r) { m->OnDrawInsetFrame(pDC, r); }, shadow, hilite, face},
        {"flat frame", [](auto* m, CDC* pDC, CRect r) { m->OnDrawFlatFrame(pDC, r); }, face, shadow, kWhite},
        {"rarely used items", [](auto* m, CDC* pDC, CRect r) { m->OnHighlightRarelyUsedMenuItems(pDC, r); }, shadow,
         hilite, CKtvPDrawManager::BlendColors(kWhite, globalData.clrBtnHilite, 50)},
        {"outlook splitter", [](auto* m, CDC* pDC, CRect r) { m->OnDrawOutlookBarSplitter(pDC, r); }, hilite, shadow,
         face},
        {"calculator display",
         [](auto* m, CDC* pDC, CRect r) { m->OnDrawCalculatorDisplay(pDC, r, "0", FALSE, nullptr); }, shadow, hilite,
         globalData.clrWindow},
        {"pressed calculator key",
         [](auto* m, CDC* pDC, CRect r) { m->OnDrawCalculatorButton(pDC, r, nullptr, ButtonsIsPressed, 0, nullptr); },
         shadow, hilite, kWhite},
        {"calculator key at rest",
         [](auto* m, CDC* pDC, CRect r) { m->OnDrawCalculatorButton(pDC, r, nullptr, ButtonsIsRegular, 0, nullptr); },
         hilite, shadow, kWhite},
    };
    for (const Case& c : cases) {
        Clear();
        c.draw(Look(), &dc, CRect(2, 2, 22, 12));
        EXPECT_EQ(At(2, 2), c.topLeft) << c.name;
        EXPECT_EQ(At(21, 11), c.bottomRight) << c.name;
        if (c.inner != kWhite || std::string(c.name).find("button") != std::string::npos) {
            EXPECT_EQ(At(3, 3), c.inner) << c.name;
        }
        EXPECT_EQ(At(1, 1), kWhite) << c.name;
        EXPECT_EQ(At(22, 12), kWhite) << c.name;
    }
}

TEST_F(KtvPClassicLookTest, FlatButtonsDrawTheComboBorderAsOneDarkLineInside)
{
    Look()->m_bFlatButtons = TRUE;
    Look()->OnDrawComboBorder(&dc, CRect(0, 0, 20, 10), FALSE, TRUE, FALSE, nullptr);
    EXPECT_EQ(At(0, 0), kWhite);
    EXPECT_EQ(At(1, 1), globalData.clrBarDkShadow);
    EXPECT_EQ(At(18, 8), globalData.clrBarDkShadow);
}

TEST_F(KtvPClassicLookTest, OutlookPageButtonBorderHandsBackTheInnerRectangle)
{
    struct Case {
        BOOL hot, pressed;
        int inset;
        COLORREF outer;
    };
    const Case cases[] = {{TRUE, TRUE, 2, globalData.clrBarDkShadow},
                          {TRUE, FALSE, 2, globalData.clrBarFace},
                          {FALSE, TRUE, 2, globalData.clrBarFace},
                          {FALSE, FALSE, 1, globalData.clrBarHilite}};
    for (const Case& c : cases) {
        Clear();
        CRect rect(0, 0, 30, 20);
        Look()->OnDrawOutlookPageButtonBorder(&dc, rect, c.hot, c.pressed);
        EXPECT_EQ(rect, CRect(c.inset, c.inset, 30 - c.inset, 20 - c.inset)) << c.hot << c.pressed;
        EXPECT_EQ(At(0, 0), c.outer) << c.hot << c.pressed;
    }
}

// Ridges are 3 pixels thick and 4 apart; the older look has one and no dot.
TEST_F(KtvPClassicLookTest, GripperRidgesByLook)
{
    // The highlight is white: a background of another colour shows every pixel drawn.
    const COLORREF bg = RGB(1, 2, 3);
    const COLORREF hi = globalData.clrBarHilite, sh = globalData.clrBarShadow;
    // Horizontal bar: gripper (0, 0, 10, 30), ridges vertical.
    Clear(bg);
    Look()->OnDrawBarGripper(&dc, CRect(0, 0, 10, 30), TRUE, nullptr);
    EXPECT_EQ(At(3, 10), hi);
    EXPECT_EQ(At(5, 10), sh);
    EXPECT_EQ(At(7, 10), hi);  // the second ridge
    EXPECT_EQ(At(9, 10), sh);
    EXPECT_EQ(At(3, 27), hi);  // the dot at the first ridge's lower-left corner
    EXPECT_EQ(At(3, 28), bg);

    Clear(bg);
    Look()->m_bLook2000 = TRUE;
    Look()->OnDrawBarGripper(&dc, CRect(0, 0, 10, 30), TRUE, nullptr);
    EXPECT_EQ(At(4, 10), hi);
    EXPECT_EQ(At(6, 10), sh);
    EXPECT_EQ(Count(CRect(7, 0, 10, 30), bg), 90);
    EXPECT_EQ(At(4, 2), bg);
    EXPECT_EQ(At(4, 3), hi);
    EXPECT_EQ(At(4, 26), sh);  // no dot over the ridge's shadow corner
    EXPECT_EQ(At(4, 27), bg);

    // Vertical bar: one ridge across the middle.
    Clear(bg);
    Look()->OnDrawBarGripper(&dc, CRect(0, 0, 30, 10), FALSE, nullptr);
    EXPECT_EQ(At(10, 4), hi);
    EXPECT_EQ(At(10, 6), sh);
    EXPECT_EQ(Count(CRect(0, 7, 30, 10), bg), 90);
}

TEST_F(KtvPClassicLookTest, CaptionButtonWithoutAGlyphStillGetsItsFrame)
{
    CKtvPCaptionButton button(HTCLIENT);
    button.m_ptOrigin = CPoint(4, 4);
    Look()->OnDrawCaptionButton(&dc, &button, TRUE, TRUE, FALSE, FALSE);
    const CSize size = CKtvPCaptionButton::GetSize();
    EXPECT_EQ(At(4, 4), globalData.clrBarLight);
    EXPECT_EQ(At(4 + size.cx - 1, 4 + size.cy - 1), globalData.clrBarDkShadow);
    const CRect inside(6, 6, 4 + size.cx - 2, 4 + size.cy - 2);
    EXPECT_EQ(Count(inside, kWhite), inside.Width() * inside.Height());
}

TEST_F(KtvPClassicLookTest, CaptionButtonFramesByModeAndState)
{
    const COLORREF light = globalData.clrBarLight, dark = globalData.clrBarDkShadow,
                   hilite = globalData.clrBarHilite, shadow = globalData.clrBarShadow;
    const COLORREF bg = RGB(1, 2, 3);
    struct Case {
        BOOL look2000, pushed, hot;
        COLORREF outerTopLeft, innerTopLeft, innerBottomRight;
    };
    const Case cases[] = {
        {FALSE, FALSE, FALSE, light, hilite, shadow},
        {FALSE, TRUE, TRUE, dark, dark, hilite},
        {TRUE, FALSE, FALSE, bg, bg, bg},
        {TRUE, FALSE, TRUE, bg, hilite, shadow},
        {TRUE, TRUE, FALSE, bg, hilite, shadow},
        {TRUE, TRUE, TRUE, dark, dark, hilite},
    };
    CKtvPCaptionButton button(HTCLIENT);
    button.m_ptOrigin = CPoint(4, 4);
    const CSize size = CKtvPCaptionButton::GetSize();
    for (const Case& c : cases) {
        Clear(bg);
        Look()->m_bLook2000 = c.look2000;
        button.m_bPushed = c.pushed;
        button.m_bFocused = c.hot;
        Look()->OnDrawCaptionButton(&dc, &button, FALSE, TRUE, FALSE, FALSE);
        EXPECT_EQ(At(4, 4), c.outerTopLeft) << c.look2000 << c.pushed << c.hot;
        EXPECT_EQ(At(5, 5), c.innerTopLeft) << c.look2000 << c.pushed << c.hot;
        EXPECT_EQ(At(4 + size.cx - 2, 4 + size.cy - 2), c.innerBottomRight) << c.look2000 << c.pushed << c.hot;
    }
    // A disabled button has no frame at all.
    Clear(bg);
    Look()->m_bLook2000 = FALSE;
    Look()->OnDrawCaptionButton(&dc, &button, FALSE, TRUE, FALSE, TRUE);
    EXPECT_EQ(At(4, 4), bg);
}

// --- progress --------------------------------------------------------------------------------------

TEST(KtvPProgressMathTest, CountsOutsideTheTotalAreClampedAndLargeCountsDoNotOverflow)
{
    struct Case {
        int width, total, current, filled, percent;
    };
    const Case cases[] = {
        {100, 4, 1, 25, 25},       {100, 4, 4, 100, 100},         {100, 4, 9, 100, 100},
        {100, 4, -3, 0, 0},        {100, 0, 5, 0, 0},             {100, -5, 5, 0, 0},
        {1000, 2000000000, 1500000000, 750, 75},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KtvProgressFilledWidth(c.width, c.total, c.current), c.filled) << c.total << " " << c.current;
        EXPECT_EQ(KtvProgressPercent(c.total, c.current), c.percent) << c.total << " " << c.current;
    }
}

TEST_F(KtvPClassicLookTest, ProgressFillsItsShareAndDrawsNothingWithoutATotal)
{
    const COLORREF blue = RGB(0, 0, 255);
    Look()->OnDrawStatusBarProgress(&dc, nullptr, CRect(0, 0, 100, 10), 0, 0, blue, (COLORREF)-1, (COLORREF)-1, TRUE);
    EXPECT_EQ(Count(CRect(0, 0, kW, kH), kWhite), kW * kH);

    Look()->OnDrawStatusBarProgress(&dc, nullptr, CRect(0, 0, 100, 10), 4, 1, blue, (COLORREF)-1, (COLORREF)-1, FALSE);
    EXPECT_EQ(At(24, 5), blue);
    EXPECT_EQ(At(25, 5), kWhite);

    Clear();
    Look()->OnDrawStatusBarProgress(&dc, nullptr, CRect(0, 0, 100, 10), 4, 40, blue, (COLORREF)-1, (COLORREF)-1, FALSE);
    EXPECT_EQ(At(99, 5), blue);
    EXPECT_EQ(At(100, 5), kWhite);
}

TEST_F(KtvPClassicLookTest, ProgressTextChangesColourWhereTheBarPassesUnderIt)
{
    const COLORREF blue = RGB(0, 0, 255), red = RGB(255, 0, 0);
    const CRect pane(0, 0, 120, 30);
    Look()->OnDrawStatusBarProgress(&dc, nullptr, pane, 2, 1, blue, (COLORREF)-1, red, TRUE);
    const CRect filled(0, 0, 60, 30), empty(60, 0, 120, 30);
    EXPECT_GT(Count(filled, red), 0);
    EXPECT_EQ(Count(empty, red), 0);
    EXPECT_GT(Count(empty, globalData.clrBarText), 0);
    EXPECT_EQ(Count(filled, globalData.clrBarText), 0);
}

// --- glyph-bearing controls -------------------------------------------------------------------------

TEST_F(KtvPClassicLookTest, MenuSystemButtonsAreTheFrameControlsOfTheirCommand)
{
    struct Case {
        UINT command, style, frameState;
    };
    const Case cases[] = {
        {SC_MINIMIZE, 0, DFCS_CAPTIONMIN},
        {SC_CLOSE, TBBS_PRESSED, DFCS_CAPTIONCLOSE | DFCS_PUSHED},
        {SC_RESTORE, TBBS_DISABLED, DFCS_CAPTIONRESTORE | DFCS_INACTIVE},
    };
    const CRect rect(3, 3, 19, 17);
    for (const Case& c : cases) {
        Clear();
        Look()->OnDrawMenuSystemButton(&dc, rect, c.command, c.style, TRUE);
        EXPECT_TRUE(SameAs([&](CDC* pDC) { pDC->DrawFrameControl(CRect(rect), DFC_CAPTION, c.frameState); }))
            << c.command;
    }
    Clear();
    Look()->OnDrawMenuSystemButton(&dc, rect, SC_MAXIMIZE, 0, TRUE);
    EXPECT_EQ(Count(CRect(0, 0, kW, kH), kWhite), kW * kH);
}

TEST_F(KtvPClassicLookTest, EditBorderIsRecessedOnlyWhileHot)
{
    const CRect rect(2, 2, 40, 20);
    Look()->OnDrawEditBorder(&dc, rect, FALSE, FALSE, nullptr);
    EXPECT_EQ(Count(CRect(0, 0, kW, kH), kWhite), kW * kH);
    Look()->OnDrawEditBorder(&dc, rect, FALSE, TRUE, nullptr);
    EXPECT_TRUE(SameAs([&](CDC* pDC) { pDC->DrawEdge(CRect(rect), EDGE_SUNKEN, BF_RECT); }));
}

TEST_F(KtvPClassicLookTest, ComboDropButtonMovesItsGlyphWhenDropped)
{
    const CRect rect(0, 0, 16, 20);
    const CSize glyph = CKtvPMenuImages::Size();
    const CPoint at(rect.left + (rect.Width() - glyph.cx) / 2 + 1, rect.top + (rect.Height() - glyph.cy) / 2 + 1);
    Look()->OnDrawComboDropButton(&dc, rect, FALSE, FALSE, FALSE, nullptr);
    EXPECT_EQ(At(0, 0), globalData.clrBarHilite);
    EXPECT_EQ(At(15, 19), globalData.clrBarHilite);
    EXPECT_TRUE(SameAs([&](CDC* pDC) {
        pDC->FillSolidRect(rect, globalData.clrBarFace);
        pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarHilite);
        CKtvPMenuImages::Draw(pDC, CKtvPMenuImages::IdArowDown, at, CKtvPMenuImages::ImageBlack);
    }));

    Clear();
    Look()->OnDrawComboDropButton(&dc, rect, TRUE, TRUE, FALSE, nullptr);
    EXPECT_EQ(At(1, 1), globalData.clrBarShadow);
    EXPECT_EQ(At(16, 20), globalData.clrBarHilite);
    EXPECT_TRUE(SameAs([&](CDC* pDC) {
        pDC->FillSolidRect(rect, globalData.clrBarFace);
        pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarHilite);
        pDC->Draw3dRect(CRect(1, 1, 17, 21), globalData.clrBarShadow, globalData.clrBarHilite);
        CKtvPMenuImages::Draw(pDC, CKtvPMenuImages::IdArowDown, at + CPoint(1, 1), CKtvPMenuImages::ImageGray);
    }));
}

TEST_F(KtvPClassicLookTest, ExpandingBoxIsAPlusWhenClosedAndAMinusWhenOpen)
{
    const COLORREF box = RGB(0, 128, 0);
    const CRect rect(0, 0, 11, 11);
    Look()->OnDrawExpandingBox(&dc, rect, FALSE, box);
    EXPECT_EQ(At(0, 0), box);
    EXPECT_EQ(At(5, 5), globalData.clrBarText);
    EXPECT_EQ(At(5, 3), globalData.clrBarText);
    EXPECT_EQ(At(3, 5), globalData.clrBarText);
    Clear();
    Look()->OnDrawExpandingBox(&dc, rect, TRUE, box);
    EXPECT_EQ(At(3, 5), globalData.clrBarText);
    EXPECT_EQ(At(5, 3), kWhite);
}

TEST_F(KtvPClassicLookTest, SizeGripIsDrawnInTheShadowColourInsideItsBoxAndLeavesTheDCAsItWas)
{
    CFont* pFont = dc.GetCurrentFont();
    const COLORREF text = dc.SetTextColor(RGB(1, 2, 3));
    const UINT align = dc.SetTextAlign(TA_LEFT | TA_TOP);
    const CRect box(80, 30, 100, 50);
    Look()->OnDrawStatusBarSizeBox(&dc, nullptr, box);
    EXPECT_GT(Count(box, globalData.clrBarShadow), 0);
    EXPECT_EQ(Count(CRect(0, 0, kW, box.top), kWhite), kW * box.top);
    EXPECT_EQ(Count(CRect(0, 0, box.left, kH), kWhite), box.left * kH);
    EXPECT_EQ(dc.GetCurrentFont(), pFont);
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));
    EXPECT_EQ(dc.SetTextAlign(TA_LEFT | TA_TOP), (UINT)(TA_LEFT | TA_TOP));
    dc.SetTextColor(text);
    dc.SetTextAlign(align);
}

TEST_F(KtvPClassicLookTest, CheckBoxFillsByEnabledStateAndShowsTheCheckMark)
{
    const CRect rect(0, 0, 16, 16);
    Look()->OnDrawCheckBox(&dc, rect, FALSE, FALSE, TRUE);
    EXPECT_EQ(At(1, 1), globalData.clrBarDkShadow);
    EXPECT_EQ(At(2, 2), globalData.clrBarShadow);
    EXPECT_EQ(Count(CRect(3, 3, 13, 13), globalData.clrWindow), 100);
    Clear();
    Look()->OnDrawCheckBox(&dc, rect, FALSE, TRUE, FALSE);
    EXPECT_EQ(At(3, 3), globalData.clrBarFace);
    EXPECT_GT(Count(CRect(3, 3, 13, 13), RGB(0, 0, 0)), 0);
}

TEST_F(KtvPClassicLookTest, AutoHideButtonBorderFillsOnlyTheSidesWithASize)
{
    Look()->OnDrawAutoHideButtonBorder(&dc, CRect(0, 0, 30, 20), CRect(2, 0, 0, 1), nullptr);
    const COLORREF sh = globalData.clrBarShadow;
    EXPECT_EQ(At(0, 10), sh);
    EXPECT_EQ(At(1, 10), sh);
    EXPECT_EQ(At(2, 10), kWhite);
    EXPECT_EQ(At(15, 0), kWhite);
    EXPECT_EQ(At(29, 10), kWhite);
    EXPECT_EQ(At(15, 19), sh);
    EXPECT_EQ(At(15, 18), kWhite);
}

TEST_F(KtvPClassicLookTest, TasksGroupAreaBorderIsOpenAtTheTopUnderATitle)
{
    const CRect rect(2, 2, 30, 20);
    Look()->OnDrawTasksGroupAreaBorder(&dc, rect, FALSE, FALSE);
    const COLORREF face = globalData.clrBarFace;
    EXPECT_EQ(At(2, 10), face);
    EXPECT_EQ(At(15, 19), face);
    EXPECT_EQ(At(29, 10), face);
    EXPECT_EQ(At(15, 2), kWhite);
    Clear();
    Look()->OnDrawTasksGroupAreaBorder(&dc, rect, TRUE, TRUE);
    EXPECT_EQ(At(15, 2), globalData.clrHilite);
}

TEST_F(KtvPClassicLookTest, CommandListRowsAndTheirTextColours)
{
    const CRect rect(0, 0, 60, 16);
    EXPECT_EQ(Look()->OnFillCommandsListBackground(&dc, rect, FALSE), globalData.clrBarText);
    EXPECT_EQ(At(30, 8), globalData.clrBarFace);
    Clear();
    EXPECT_EQ(Look()->OnFillCommandsListBackground(&dc, rect, TRUE), globalData.clrTextHilite);
    EXPECT_EQ(At(30, 8), globalData.clrHilite);
    // The inverted frame just inside the edge.
    const COLORREF inverted = RGB(255 - GetRValue(globalData.clrHilite), 255 - GetGValue(globalData.clrHilite),
                                  255 - GetBValue(globalData.clrHilite));
    EXPECT_EQ(At(1, 8), inverted);
    EXPECT_EQ(At(30, 1), inverted);
    EXPECT_EQ(At(0, 8), globalData.clrHilite);
}

TEST_F(KtvPClassicLookTest, ButtonTextColoursByKindAndState)
{
    CKtvPToolbarButton button;
    CKtvPOutlookButton outlook;
    struct Case {
        CKtvPToolbarButton* button;
        UINT style;
        COLORREF expected;
    };
    const Case cases[] = {
        {&button, 0, globalData.clrBarText},
        {&button, TBBS_DISABLED, globalData.clrGrayedText},
        {&outlook, 0, globalData.clrWindow},
        {&outlook, TBBS_DISABLED, globalData.clrBarFace},
    };
    for (const Case& c : cases) {
        c.button->m_nStyle = c.style;
        EXPECT_EQ(Look()->GetToolbarButtonTextColor(c.button, ButtonsIsRegular), c.expected) << c.style;
    }
    EXPECT_EQ(Look()->GetShowAllMenuItemsHeight(&dc, CSize(10, 10)), CKtvPMenuImages::Size().cy + 6);
}

}  // namespace

namespace {

TEST_F(KtvPClassicLookTest, CaptionBarFillsWithItsOwnColourOrTheShadow)
{
    CKtvPCaptionBar bar;
    bar.m_clrBarBackground = (COLORREF)-1;
    Look()->OnFillBarBackground(&dc, &bar, CRect(0, 0, 40, 20), CRect(0, 0, 20, 20));
    EXPECT_EQ(At(10, 10), globalData.clrBarShadow);
    EXPECT_EQ(At(30, 10), kWhite);
    bar.m_clrBarBackground = RGB(0, 90, 0);
    Look()->OnFillBarBackground(&dc, &bar, CRect(0, 0, 40, 20), CRect(0, 0, 20, 20));
    EXPECT_EQ(At(10, 10), RGB(0, 90, 0));
    EXPECT_EQ(Look()->GetCaptionBarTextColor(&bar), globalData.clrWindow);
}

}  // namespace
