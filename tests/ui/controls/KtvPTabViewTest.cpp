// The tab view inside a frame: views added as tabs, the frame's active view
// following the active tab, and a click into the shown view.
#include <gtest/gtest.h>

#include "platform/mfc/CFrameWnd.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPTabView.h"

namespace {

using tw::test::KtvControlTest;

class PageView : public CView {
    DECLARE_DYNCREATE(PageView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(PageView, CView)

// A class whose objects are no views.
class NotAView : public CObject {
    DECLARE_DYNCREATE(NotAView)
};
IMPLEMENT_DYNCREATE(NotAView, CObject)

class RecordingTabView : public CKtvPTabView {
public:
    void OnActivateView(CView* pView) override
    {
        activations++;
        lastActivated = pView;
    }
    using CKtvPTabView::OnActivateView;
    int activations = 0;
    CView* lastActivated = reinterpret_cast<CView*>(1);
};

class TabViewTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Query", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 440, 340)));
        view = new RecordingTabView;
        ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 380, 260), frame,
                                 AFX_IDW_PANE_FIRST));
    }
    CFrameWnd* frame = nullptr;  // deletes itself with its window
    RecordingTabView* view = nullptr;
};

TEST_F(TabViewTest, AddViewAnswersTheLastIndexOrMinusOne)
{
    EXPECT_EQ(-1, view->AddView(RUNTIME_CLASS(NotAView), "Broken"));
    EXPECT_EQ(0, view->GetTabControl().GetTabsNum());
    EXPECT_EQ(0, view->AddView(RUNTIME_CLASS(PageView), "Batch"));
    EXPECT_EQ(1, view->AddView(RUNTIME_CLASS(PageView), "Command"));
    EXPECT_EQ(2, view->AddView(RUNTIME_CLASS(PageView), "Edit Mode"));
    EXPECT_EQ(3, view->AddView(RUNTIME_CLASS(PageView), "First", 0)) << "the count minus one, not the place";
    CString label;
    view->GetTabControl().GetTabLabel(0, label);
    EXPECT_STREQ("First", label);
    EXPECT_FALSE(view->GetTabControl().IsTabDetachable(0)) << "a view is no docking bar";
}

TEST_F(TabViewTest, TheFramesActiveViewFollowsTheTabs)
{
    view->AddView(RUNTIME_CLASS(PageView), "Batch");
    view->AddView(RUNTIME_CLASS(PageView), "Command");
    ASSERT_TRUE(view->SetActiveView(1));
    EXPECT_EQ(view->GetActiveView(), frame->GetActiveView());
    EXPECT_EQ(view->GetActiveView(), view->lastActivated);

    CKtvPTabWnd& tabs = view->GetTabControl();
    tabs.RemoveTab(1);
    tabs.RemoveTab(0);
    EXPECT_EQ(nullptr, frame->GetActiveView()) << "no tab, no active view";
    EXPECT_EQ(nullptr, view->lastActivated);
}

TEST_F(TabViewTest, AClickIntoTheShownViewActivatesIt)
{
    view->AddView(RUNTIME_CLASS(PageView), "Batch");
    CView* pShown = view->GetActiveView();
    ASSERT_NE(nullptr, pShown);
    frame->SetActiveView(view);
    ASSERT_EQ(view, frame->GetActiveView());
    Click(pShown->GetSafeHwnd(), 20, 20);
    EXPECT_EQ(pShown, frame->GetActiveView());

    // Already active but the focus elsewhere in the frame: the view takes it back.
    view->SetFocus();
    Click(pShown->GetSafeHwnd(), 30, 30);
    EXPECT_EQ(pShown, frame->GetActiveView());
    EXPECT_EQ(pShown->GetSafeHwnd(), ::GetFocus());
}

}  // namespace
