// The outlook window driven as its bar and its user drive it: the stacked
// page-button layout, activation by click with and without the slide, a page
// that cannot be shown, the scroll buttons, and the navigation-pane layout
// inside a live outlook bar with its splitter dragged by the mouse.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/CStatic.h"
#include "platform/mfc/afxmsg.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPOutlookWnd.h"
#include "ui/docking/KtvPOutlookBar.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using tw::test::KtvControlTest;

// A page that records every height it was given.
class RecordingPage : public CStatic {
public:
    std::vector<int> heights;

protected:
    void OnSize(UINT nType, int cx, int cy)
    {
        CStatic::OnSize(nType, cx, cy);
        heights.push_back(cy);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingPage, CStatic)
    ON_WM_SIZE()
END_MESSAGE_MAP()

class OutlookWnd : public CKtvPOutlookWnd {
public:
    using CKtvPOutlookWnd::m_btnScrollDown;
    using CKtvPOutlookWnd::m_btnScrollUp;
    using CKtvPOutlookWnd::m_wndToolBar;
};

class OutlookWndTest : public KtvControlTest {
protected:
    void TearDown() override
    {
        CKtvPOutlookWnd::EnableAnimation(FALSE);
        wnd.reset();
        pages.clear();
        KtvControlTest::TearDown();
    }

    OutlookWnd* Make(int nPages, CRect rect = CRect(0, 0, 200, 300))
    {
        wnd = std::make_unique<OutlookWnd>();
        EXPECT_TRUE(wnd->Create(rect, &host, 101));
        for (int i = 0; i < nPages; i++)
            AddPage("Page " + std::to_string(i));
        return wnd.get();
    }
    RecordingPage* AddPage(const std::string& label)
    {
        auto page = std::make_unique<RecordingPage>();
        page->Create(label.c_str(), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), wnd.get(), 300 + (UINT)pages.size());
        wnd->AddTab(page.get(), label.c_str(), (UINT)-1, FALSE);
        pages.push_back(std::move(page));
        return pages.back().get();
    }
    CRect TabRect(int i)
    {
        CRect rect;
        wnd->GetTabRect(i, rect);
        return rect;
    }
    CRect PageRect(int i)
    {
        CRect rect;
        pages[i]->GetWindowRect(rect);
        wnd->ScreenToClient(rect);
        return rect;
    }
    void ClickPageButton(int i)
    {
        const CRect rect = TabRect(i);
        Click(wnd->GetSafeHwnd(), rect.CenterPoint().x, rect.CenterPoint().y);
    }

    std::unique_ptr<OutlookWnd> wnd;
    std::vector<std::unique_ptr<RecordingPage>> pages;
};

TEST_F(OutlookWndTest, ButtonsStackAboveAndBelowTheActivePage)
{
    Make(4);
    wnd->SetActiveTab(2);
    const int h = wnd->GetTabsHeight();
    ASSERT_GT(h, 0);
    // Client 200 x 300 deflated by one pixel: R = (1, 1, 199, 299).
    struct Case {
        int iTab;
        CRect rect;
    } cases[] = {
        {0, CRect(1, 1, 200, 1 + h)},
        {1, CRect(1, 1 + h, 200, 1 + 2 * h)},
        {2, CRect(1, 1 + 2 * h, 200, 1 + 3 * h)},
        {3, CRect(1, 300 - h, 200, 300)},  // one pixel below R
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rect, TabRect(c.iTab)) << "page " << c.iTab;
    EXPECT_EQ(CRect(1, 1 + 3 * h, 199, 299 - h), wnd->GetPageArea());
    EXPECT_EQ(wnd->GetPageArea(), PageRect(2));
    EXPECT_TRUE(wnd->GetCaptionRect().IsRectEmpty());
    EXPECT_TRUE(wnd->GetSplitterRect().IsRectEmpty());
}

TEST_F(OutlookWndTest, HiddenPagesTakeNoRoomAndNoVisiblePageHidesTheWindow)
{
    Make(3);
    const int h = wnd->GetTabsHeight();
    wnd->ShowTab(1, FALSE);
    EXPECT_TRUE(TabRect(1).IsRectEmpty());
    EXPECT_EQ(CRect(1, 300 - h, 200, 300), TabRect(2));
    EXPECT_EQ(1 + h, wnd->GetPageArea().top);

    wnd->SetHideSingleTab(TRUE);
    wnd->ShowTab(2, FALSE);
    wnd->RecalcLayout();
    // A single page hides its button and fills the window.
    EXPECT_EQ(CRect(1, 1, 199, 299), wnd->GetPageArea());
    EXPECT_TRUE(wnd->IsWindowVisible());
    wnd->ShowTab(0, FALSE);
    wnd->RecalcLayout();
    EXPECT_FALSE(wnd->IsWindowVisible());
}

TEST_F(OutlookWndTest, AClickActivatesThePageOnRelease)
{
    Make(3);
    ASSERT_EQ(0, wnd->GetActiveTab());
    const CRect rect = TabRect(2);
    const POINT pt = ScreenPointOf(wnd->GetSafeHwnd(), rect.CenterPoint().x, rect.CenterPoint().y);
    input.ButtonDown(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
    EXPECT_EQ(0, wnd->GetActiveTab()) << "a press only highlights";
    input.ButtonUp(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
    EXPECT_EQ(2, wnd->GetActiveTab());
    EXPECT_TRUE(pages[2]->IsWindowVisible());
    EXPECT_FALSE(pages[0]->IsWindowVisible());
    EXPECT_EQ(wnd->GetPageArea(), PageRect(2));
}

TEST_F(OutlookWndTest, APageWithoutAWindowIsRefusedAndNothingChanges)
{
    Make(2);
    CWnd windowless;
    wnd->AddTab(&windowless, "Empty", (UINT)-1, FALSE);
    const CRect rectArea = wnd->GetPageArea();
    EXPECT_FALSE(wnd->SetActiveTab(2));
    EXPECT_FALSE(wnd->SetActiveTab(3));
    EXPECT_FALSE(wnd->SetActiveTab(-1));
    EXPECT_EQ(0, wnd->GetActiveTab());
    EXPECT_TRUE(pages[0]->IsWindowVisible());
    EXPECT_EQ(rectArea, wnd->GetPageArea());
    wnd->RemoveTab(2);
}

TEST_F(OutlookWndTest, TheSlideRunsOnlyForAClick)
{
    CKtvPOutlookWnd::EnableAnimation(TRUE);
    // A 300-pixel page under one button and above three, inside a one-pixel edge.
    Make(4);
    const int h = wnd->GetTabsHeight();
    host.SetWindowPos(nullptr, 0, 0, 500, 700, SWP_NOZORDER | SWP_NOMOVE);
    wnd->SetWindowPos(nullptr, 0, 0, 200, 302 + 4 * h, SWP_NOZORDER | SWP_NOMOVE);
    ASSERT_EQ(300, PageRect(0).Height());

    pages[0]->heights.clear();
    ClickPageButton(3);
    ASSERT_EQ(3, wnd->GetActiveTab());
    // Ten frames, each 30 pixels shorter; the hidden page then goes back to the page area's size.
    ASSERT_EQ(11u, pages[0]->heights.size());
    EXPECT_EQ(300, pages[0]->heights.back());
    for (int f = 0; f < 10; f++)
        EXPECT_EQ(300 - 30 * (f + 1), pages[0]->heights[f]);
    EXPECT_FALSE(pages[0]->IsWindowVisible());
    EXPECT_EQ(wnd->GetPageArea(), PageRect(3));

    // By program: no frames.
    pages[3]->heights.clear();
    wnd->SetActiveTab(1);
    EXPECT_EQ(1, wnd->GetActiveTab());
    EXPECT_TRUE(pages[3]->heights.empty());
}

TEST_F(OutlookWndTest, ScrollButtonsSitOnTheActiveAndNextButtons)
{
    Make(3);
    wnd->SetActiveTab(1);
    const int h = wnd->GetTabsHeight();
    wnd->EnableScrollButtons(TRUE, TRUE, FALSE);
    EXPECT_TRUE(wnd->IsScrollButtons());
    EXPECT_EQ(200 - h, TabRect(1).right);
    EXPECT_EQ(200 - h, TabRect(2).right);
    EXPECT_EQ(200, TabRect(0).right);
    CRect rectUp, rectDown;
    wnd->m_btnScrollUp.GetWindowRect(rectUp);
    wnd->ScreenToClient(rectUp);
    wnd->m_btnScrollDown.GetWindowRect(rectDown);
    wnd->ScreenToClient(rectDown);
    EXPECT_EQ(CRect(200 - h, TabRect(1).top, 200, TabRect(1).bottom), rectUp);
    EXPECT_EQ(CRect(200 - h, TabRect(2).top, 200, TabRect(2).bottom), rectDown);
    EXPECT_TRUE(wnd->m_btnScrollUp.IsWindowEnabled());
    EXPECT_FALSE(wnd->m_btnScrollDown.IsWindowEnabled());

    wnd->EnableScrollButtons(FALSE);
    EXPECT_FALSE(wnd->m_btnScrollUp.IsWindowVisible());
    EXPECT_EQ(200, TabRect(1).right);
}

TEST_F(OutlookWndTest, AreasAndDragTargetsFollowThePageButtons)
{
    Make(3);
    wnd->SetActiveTab(1);
    CRect rectTop, rectBottom;
    wnd->GetTabArea(rectTop, rectBottom);
    CRect top = TabRect(0), bottom = TabRect(2);
    top.bottom = TabRect(1).bottom;
    wnd->ClientToScreen(top);
    wnd->ClientToScreen(bottom);
    EXPECT_EQ(top, rectTop);
    EXPECT_EQ(bottom, rectBottom);
    EXPECT_EQ(nullptr, wnd->FindDragTargetWnd(TabRect(2).CenterPoint()));
    EXPECT_EQ(&host, wnd->FindDragTargetWnd(wnd->GetPageArea().CenterPoint()));
    EXPECT_EQ(2, wnd->GetTabToDetach(2));
}

}  // namespace
