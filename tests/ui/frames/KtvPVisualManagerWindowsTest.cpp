#include <gtest/gtest.h>

#include <vector>

#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/ui/frames/KtvPVisualManagerCanvas.h"
#include "tests/support/ui/KtvTestDockFrame.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPVisualManager2003.h"
#include "ui/frames/KtvPVisualManagerXP.h"

namespace {

using tw::test::KtvLookCanvas;
using tw::test::KtvLookSurface;

// Windows on the test's parent (a tab window of three tabs, bars), drawn into a memory DC.
class KtvPLookInWindowsTest : public tw::test::KtvControlTest, public KtvLookSurface {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        KtvPrepareUiTest();
        KtvLookCanvas::ResetLook();
    }
    void TearDown() override
    {
        for (CWnd* page : pages)
            page->DestroyWindow();
        tabs.DestroyWindow();
        for (CWnd* page : pages)
            delete page;
        KtvControlTest::TearDown();
        KtvLookCanvas::ResetLook();
    }
    void MakeTabs(int style)
    {
        ASSERT_TRUE(tabs.Create(style, CRect(0, 0, 110, 50), &host, 1, CKtvPBaseTabWnd::LOCATION_TOP));
        for (const char* label : {"One", "Two", "Three"}) {
            auto* page = new CWnd;
            ASSERT_TRUE(page->CreateEx(0, nullptr, label, WS_CHILD, CRect(0, 0, 10, 10), &tabs, 10 + (int)pages.size()));
            pages.push_back(page);
            tabs.AddTab(page, label);
        }
        tabs.SetActiveTab(0);
        tabs.GetTabsRect(strip);
        ASSERT_FALSE(strip.IsRectEmpty());
        ASSERT_LT(strip.right + 1, kW);
        ASSERT_LE(strip.bottom, kH);
    }

    CKtvPTabWnd tabs;
    std::vector<CWnd*> pages;
    CRect strip;
};

// A slanted tab reaching past the strip's end is cut there and closed by a line.
TEST_F(KtvPLookInWindowsTest, SlantedTabPastTheStripIsCutAndClosed)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_SLANTED);
    const CRect tab(strip.right - 40, strip.top, strip.right + 30, strip.bottom);
    struct Case {
        CKtvPVisualManager* look;
        COLORREF outline;
    };
    CKtvPVisualManager classic(TRUE);
    CKtvPVisualManager2003 gradient;
    const Case cases[] = {{&classic, RGB(0, 0, 0)}, {&gradient, globalData.clrBarDkShadow}};
    for (const Case& c : cases) {
        Clear();
        const int saved = dc.SaveDC();
        c.look->OnDrawTab(&dc, tab, 1, TRUE, &tabs);
        dc.RestoreDC(saved);
        const char* name = c.look->GetRuntimeClass()->m_lpszClassName;
        EXPECT_EQ(Count(CRect(strip.right, tab.top + 3, strip.right + 1, tab.bottom - 1), c.outline),
                  tab.Height() - 4)
            << name;
        // Nothing of the tab itself shows past the strip.
        EXPECT_EQ(Count(CRect(strip.right + 1, 0, kW, strip.bottom), kWhite), (kW - strip.right - 1) * strip.bottom)
            << name;
    }
}

TEST_F(KtvPLookInWindowsTest, FlatLookOutlinesTheActiveThreeDimensionalTab)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_3D);
    CKtvPVisualManagerXP xp(TRUE);
    CRect tab;
    ASSERT_TRUE(tabs.GetTabRect(0, tab));
    xp.OnDrawTab(&dc, tab, 0, TRUE, &tabs);
    // Tabs above: the right edge dark, the top and left edges light.
    EXPECT_EQ(At(tab.right, tab.CenterPoint().y), globalData.clrBarText);
    EXPECT_EQ(At(tab.CenterPoint().x, tab.top), globalData.clrBarHilite);
    EXPECT_EQ(At(tab.left, tab.CenterPoint().y), globalData.clrBarHilite);

    // An inactive tab gets only the separator at its right, unless the next tab is the active one.
    Clear();
    CRect second;
    ASSERT_TRUE(tabs.GetTabRect(1, second));
    xp.OnDrawTab(&dc, second, 1, FALSE, &tabs);
    EXPECT_EQ(At(second.right, second.top + 3), globalData.clrBarShadow);
    EXPECT_EQ(At(second.right, second.top + 2), kWhite);
    EXPECT_EQ(At(second.left, second.CenterPoint().y), kWhite);
}

// A bar that is not a toolbar shares one gradient with its neighbours: the
// gradient runs on to the work area's right edge, taken in the bar's own
// coordinates, wherever the bar stands on the screen.
TEST_F(KtvPLookInWindowsTest, BarGradientEndsAtTheWorkAreasRightEdgeInTheBarsCoordinates)
{
    auto* frame = new tw::test::KtvTestDockFrame;
    ASSERT_TRUE(frame->CreateFrame(40, 30, 600, 300));
    // The bar and the frame go with their windows.
    auto* bar = new tw::test::KtvTestBar(100, 20);
    ASSERT_TRUE(bar->CreateBar(frame, 7));
    bar->MoveWindow(250, 10, 100, 20);
    CPoint ptOrigin(0, 0);
    bar->ClientToScreen(&ptOrigin);
    ASSERT_GT(ptOrigin.x, 0);
    CRect work;
    ASSERT_TRUE(::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));

    CKtvPVisualManager2003 gradient;
    gradient.OnFillBarBackground(&dc, bar, CRect(0, 0, 100, 20), CRect());
    EXPECT_TRUE(SameAs([&](CDC* pDC) {
        CKtvPDrawManager dm(*pDC);
        dm.FillGradient(CRect(0, 0, work.right - ptOrigin.x, 20), gradient.m_clrBarGradient1,
                        gradient.m_clrBarGradient2, FALSE);
        pDC->FillSolidRect(0, 20, kW, kH - 20, kWhite);
    }));
    frame->DestroyWindow();
}

}  // namespace
