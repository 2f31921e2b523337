// The base toolbar's limits, the tabbed toolbar that holds bars as tabs, and
// the drop source's cursors.
#include <gtest/gtest.h>

#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPTabbedToolbar.h"
#include "ui/commandbars/KtvPToolbarDropSource.h"
#include "ui/controls/KtvPTabWnd.h"

namespace ktvtabbedbartest {

using tw::test::ToolBarTest;

class TabbedToolbarTest : public ToolBarTest {};

TEST_F(TabbedToolbarTest, ToolbarKeepsItsMinimumSizeForItsOrientation)
{
    CKtvPToolBar* pBar = MakeBar({100, 101});
    CSize size;
    pBar->GetMinSize(size);
    EXPECT_EQ(size, CSize(40, 16));
    pBar->SetBarAlignment(CBRS_ALIGN_LEFT);
    pBar->GetMinSize(size);
    EXPECT_EQ(size, CSize(16, 40));
}

TEST_F(TabbedToolbarTest, BarsBecomeTabsAndTheBarTakesTheTabWindowsSize)
{
    auto tabbed = std::make_unique<CKtvPTabbedToolbar>();
    ASSERT_TRUE(tabbed->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_ALIGN_LEFT, 0xE850, TRUE));
    EXPECT_NE(tabbed->GetBarStyle() & CBRS_GRIPPER, 0u);
    EXPECT_EQ(tabbed->GetBarStyle() & CBRS_ALIGN_LEFT, 0u);
    CKtvPTabWnd* pTabs = tabbed->GetTabWnd();
    ASSERT_NE(pTabs, nullptr);
    EXPECT_EQ(pTabs->GetParent(), tabbed.get());

    CKtvPToolBar* pFirst = MakeBar({100, 101}, FALSE, 0xE851);
    pFirst->SetWindowText("First");
    CKtvPToolBar* pSecond = MakeBar({200}, FALSE, 0xE852);
    pSecond->SetWindowText("Second");
    ASSERT_TRUE(tabbed->AddTab(pFirst));
    ASSERT_TRUE(tabbed->AddTab(pSecond, TRUE, FALSE));
    Pump();

    EXPECT_EQ(pTabs->GetTabsNum(), 2);
    EXPECT_EQ(pTabs->GetActiveTab(), 0);   // the second came without taking the focus tab
    EXPECT_EQ(pFirst->GetParent(), pTabs);
    EXPECT_EQ(pFirst->GetBarStyle() & CBRS_GRIPPER, 0u);
    CString strLabel;
    pTabs->GetTabLabel(1, strLabel);
    EXPECT_STREQ(strLabel, "Second");

    CRect rectTabs;
    pTabs->GetWindowRect(rectTabs);
    const CSize sizeLargest = pTabs->GetLargestTabWndSize();
    EXPECT_EQ(rectTabs.Width(), sizeLargest.cx + 2 * pTabs->GetTabBorderSize());
    CRect rectInside;
    tabbed->CalcInsideRect(rectInside, TRUE);
    EXPECT_EQ(tabbed->CalcFixedLayout(FALSE, TRUE),
              CSize(rectTabs.Width() + rectInside.left - rectInside.right,
                    rectTabs.Height() + rectInside.top - rectInside.bottom));

    // The bars go back to their owners before the tab window goes.
    pFirst->SetParent(frame);
    pSecond->SetParent(frame);
    tabbed->DestroyWindow();
    EXPECT_EQ(tabbed->GetTabWnd(), nullptr);
}

TEST_F(TabbedToolbarTest, AddingWithoutATabWindowIsRefused)
{
    CKtvPTabbedToolbar notCreated;
    CKtvPToolBar* pBar = MakeBar({100}, FALSE, 0xE853);
    EXPECT_FALSE(notCreated.AddTab(pBar));
}

TEST_F(TabbedToolbarTest, DragCursorsTellMoveCopyDeleteOrRefusal)
{
    CKtvPToolbarDropSource source;
    source.OnBeginDrag(nullptr);   // no window: the drag does not start, but the cursors load
    ASSERT_NE(source.m_hcurMove, nullptr);
    ASSERT_NE(source.m_hcurCopy, nullptr);
    ASSERT_NE(source.m_hcurDelete, nullptr);
    struct Case {
        DROPEFFECT effect;
        BOOL deleteOnDrop;
        HCURSOR expected;
        SCODE result;
    } const cases[] = {
        {DROPEFFECT_MOVE, FALSE, source.m_hcurMove, S_OK},
        {DROPEFFECT_COPY, TRUE, source.m_hcurCopy, S_OK},
        {DROPEFFECT_NONE, TRUE, source.m_hcurDelete, S_OK},
        {DROPEFFECT_NONE, FALSE, nullptr, DRAGDROP_S_USEDEFAULTCURSORS},
    };
    for (const Case& c : cases) {
        source.m_bDeleteOnDrop = c.deleteOnDrop;
        ::SetCursor(nullptr);
        EXPECT_EQ(source.GiveFeedback(c.effect), c.result) << c.effect;
        if (c.expected != nullptr)
            EXPECT_EQ(::GetCursor(), c.expected) << c.effect;
    }
}

}  // namespace ktvtabbedbartest
