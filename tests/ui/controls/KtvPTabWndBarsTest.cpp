// Tab windows holding bars: the largest tab size asks a bar for its own
// layout size; outside a frame, or for tabs that cannot leave, windows are
// tabbed as they are, never wrapped; a tab that is not a floating bar does not
// detach.
#include <gtest/gtest.h>

#include <memory>

#include "platform/mfc/CStatic.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/docking/KtvPControlBar.h"

namespace {

using tw::test::KtvControlTest;

// A bar whose fixed layout differs from its window size.
class SizedBar : public CKtvPControlBar {
public:
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(555, 444); }
};

class TabWndBarsTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        tabs = std::make_unique<CKtvPTabWnd>();
        ASSERT_TRUE(tabs->Create(CKtvPTabWnd::TABSTYLE_3D, CRect(10, 10, 410, 210), &host, 100));
    }
    void TearDown() override
    {
        tabs.reset();
        KtvControlTest::TearDown();
    }

    std::unique_ptr<CKtvPTabWnd> tabs;
};

TEST_F(TabWndBarsTest, TheLargestTabSizeTakesABarsLayoutSize)
{
    CStatic page;
    ASSERT_TRUE(page.Create("page", WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 90), tabs.get(), 201));
    tabs->AddTab(&page, "Page", (UINT)-1, FALSE);
    const CSize sizePageOnly = tabs->GetLargestTabWndSize();
    ASSERT_LT(sizePageOnly.cx, 555);
    ASSERT_LT(sizePageOnly.cy, 444);

    SizedBar bar;
    ASSERT_TRUE(bar.Create(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 50, 50), tabs.get(), 202));
    tabs->AddTab(&bar, "Bar", (UINT)-1, FALSE);
    const CSize sizeLargest = tabs->GetLargestTabWndSize();
    EXPECT_EQ(CSize(555, 444), sizeLargest) << "the bar's layout size, not its window's";
    tabs->RemoveAllTabs();
}

// Without a frame round it nothing is wrapped, and a window that is no
// floating bar stays where it is when asked to detach.
TEST_F(TabWndBarsTest, OutsideAFrameWindowsAreTabbedAsTheyAre)
{
    EXPECT_FALSE(tabs->m_bEnableWrapping);
    tabs->m_bEnableWrapping = TRUE;
    CStatic fixed;
    ASSERT_TRUE(fixed.Create("fixed", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), tabs.get(), 203));
    tabs->AddTab(&fixed, "Fixed", (UINT)-1, FALSE);
    EXPECT_EQ(&fixed, tabs->GetTabWnd(0)) << "a tab that cannot leave is not wrapped";
    EXPECT_EQ(&fixed, tabs->GetTabContentWnd(0));
    EXPECT_FALSE(tabs->IsTabDetachable(0));
    for (int nMethod : {1, 2}) {
        EXPECT_FALSE(tabs->DetachTab(nMethod, 0));
        EXPECT_EQ(1, tabs->GetTabsNum());
    }
    tabs->RemoveAllTabs();
}

}  // namespace
