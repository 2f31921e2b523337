// Toolbar buttons dragged over a tab window while customising: a tabbed
// toolbar brings the tab under the cursor forward and takes the button, any
// other tab window refuses it; other data only switches tabs.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/mfc/COleDataObject.h"
#include "platform/mfc/COleDataSource.h"
#include "platform/mfc/afxole.h"
#include "platform/ole/oleidl.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPTabbedToolbar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/controls/KtvPTabWnd.h"

namespace ktvtabbeddroptest {

using tw::test::OfferedData;
using tw::test::ToolBarTest;

class TabbedToolbarDropTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        ASSERT_TRUE(AfxOleInit());
        tabbed = std::make_unique<CKtvPTabbedToolbar>();
        ASSERT_TRUE(tabbed->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE860, TRUE));
        CKtvPToolBar* pFirst = MakeBar({100, 101}, FALSE, 0xE861);
        pFirst->SetWindowText("First");
        CKtvPToolBar* pSecond = MakeBar({200}, FALSE, 0xE862);
        pSecond->SetWindowText("Second");
        ASSERT_TRUE(tabbed->AddTab(pFirst));
        ASSERT_TRUE(tabbed->AddTab(pSecond, TRUE, FALSE));
        tabBars[0] = pFirst;
        tabBars[1] = pSecond;
        Pump();
        ASSERT_EQ(Tabs()->GetActiveTab(), 0);
    }
    void TearDown() override
    {
        CKtvPToolBar::SetCustomizeMode(FALSE);
        data.Release();
        if (tabbed != nullptr && tabbed->GetSafeHwnd() != nullptr) {
            for (CKtvPToolBar* pBar : tabBars)
                pBar->SetParent(frame);
            tabbed->DestroyWindow();
        }
        ToolBarTest::TearDown();
    }

    CKtvPTabWnd* Tabs() const { return tabbed->GetTabWnd(); }
    CPoint OnTab(int iTab) const
    {
        CRect rect;
        EXPECT_TRUE(Tabs()->GetTabRect(iTab, rect));
        return rect.CenterPoint();
    }
    void OfferButton() { ASSERT_TRUE(offered.Button(button)); }
    void OfferText() { offered.Text(); }

    std::unique_ptr<CKtvPTabbedToolbar> tabbed;
    CKtvPToolBar* tabBars[2] = {nullptr, nullptr};
    CKtvPToolbarButton button{300, 1, nullptr, FALSE, TRUE};
    OfferedData offered;
    COleDataObject& data = offered.data;
};

// The drop target as the drag loop calls it: enter, over, leave, drop.
TEST_F(TabbedToolbarDropTest, ButtonDraggedWhileCustomisingBringsItsTabForward)
{
    ASSERT_TRUE(CKtvPToolBar::SetCustomizeMode(TRUE));
    OfferButton();
    CKtvPTabDropTarget& target = Tabs()->m_DropTarget;
    struct Case {
        DWORD keys;
        int tab;
        DROPEFFECT expected;
    } const cases[] = {
        {0, 1, DROPEFFECT_MOVE},
        {MK_CONTROL, 0, DROPEFFECT_COPY},
        {0, 1, DROPEFFECT_MOVE},
    };
    EXPECT_EQ(target.OnDragEnter(Tabs(), &data, 0, OnTab(0)), static_cast<DROPEFFECT>(DROPEFFECT_MOVE));
    for (const Case& c : cases) {
        EXPECT_EQ(target.OnDragOver(Tabs(), &data, c.keys, OnTab(c.tab)), c.expected) << c.tab;
        EXPECT_EQ(Tabs()->GetActiveTab(), c.tab);
    }
    target.OnDragLeave(Tabs());
    // The tab strip itself keeps nothing: the button lands on the bar the tab shows.
    EXPECT_FALSE(target.OnDrop(Tabs(), &data, DROPEFFECT_MOVE, OnTab(1)));
    EXPECT_EQ(Layout(tabBars[0]), "100 101");
    EXPECT_EQ(Layout(tabBars[1]), "200");
}

// Outside customising, and for data that is no button, a drag only switches tabs.
TEST_F(TabbedToolbarDropTest, OtherDragsSwitchTabsAndAreRefused)
{
    CKtvPTabDropTarget& target = Tabs()->m_DropTarget;
    struct Case {
        BOOL customise;
        bool text;
    } const cases[] = {{FALSE, false}, {TRUE, true}, {FALSE, true}};
    for (const Case& c : cases) {
        CKtvPToolBar::SetCustomizeMode(c.customise);
        if (c.text)
            OfferText();
        else
            OfferButton();
        Tabs()->SetActiveTab(0);
        EXPECT_EQ(target.OnDragOver(Tabs(), &data, MK_CONTROL, OnTab(1)), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
        EXPECT_EQ(Tabs()->GetActiveTab(), 1) << c.customise << c.text;
        EXPECT_FALSE(target.OnDrop(Tabs(), &data, DROPEFFECT_MOVE, OnTab(1)));
    }
}

// A tab window that is not a tabbed toolbar's refuses a dragged button and keeps its tab.
TEST_F(TabbedToolbarDropTest, PlainTabWindowRefusesAButton)
{
    CKtvPTabWnd plain;
    ASSERT_TRUE(plain.Create(CKtvPTabWnd::TABSTYLE_3D, CRect(0, 0, 300, 200), frame, 0xE870));
    CWnd first, second;
    ASSERT_TRUE(first.Create(nullptr, "one", WS_CHILD, CRect(0, 0, 10, 10), &plain, 1));
    ASSERT_TRUE(second.Create(nullptr, "two", WS_CHILD, CRect(0, 0, 10, 10), &plain, 2));
    plain.AddTab(&first, "One", (UINT)-1, FALSE);
    plain.AddTab(&second, "Two", (UINT)-1, FALSE);
    plain.RecalcLayout();
    plain.SetActiveTab(0);
    ASSERT_TRUE(CKtvPToolBar::SetCustomizeMode(TRUE));
    OfferButton();
    CRect rect;
    ASSERT_TRUE(plain.GetTabRect(1, rect));
    EXPECT_EQ(plain.m_DropTarget.OnDragOver(&plain, &data, 0, rect.CenterPoint()),
              static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_EQ(plain.GetActiveTab(), 0);
    plain.RemoveAllTabs();
    plain.DestroyWindow();
}

// A button dragged with the mouse from another bar: resting on a tab brings
// that tab's bar forward, and the release drops the button onto it.
TEST_F(TabbedToolbarDropTest, MouseDragOverATabDropsTheButtonOnThatTabsBar)
{
    tabbed->SetWindowPos(nullptr, 10, 80, 300, 90, SWP_NOZORDER | SWP_NOACTIVATE);
    tabbed->RecalcLayout();
    CKtvPToolBar* pSource = MakeBar({400, 401});
    frame->RecalcLayout();
    Pump();
    ASSERT_TRUE(CKtvPToolBar::SetCustomizeMode(TRUE));
    Pump();

    const CPoint ptSource = Centre(pSource, 0);
    const POINT from = ScreenPointOf(pSource->GetSafeHwnd(), ptSource.x, ptSource.y);
    const CPoint ptTab = OnTab(1);
    const POINT overTab = ScreenPointOf(Tabs()->GetSafeHwnd(), ptTab.x, ptTab.y);
    CRect rectTarget = tabBars[1]->GetButton(0)->m_rect;
    const POINT onBar = ScreenPointOf(tabBars[1]->GetSafeHwnd(), rectTarget.left + 3, rectTarget.CenterPoint().y);

    input.MouseMove(from.x, from.y);
    input.ButtonDown(tw::display::MouseButton::Left, from.x, from.y);
    input.MouseMove(from.x + 6, from.y + 6);
    input.MouseMove(overTab.x - 2, overTab.y);
    input.MouseMove(overTab.x, overTab.y);
    input.MouseMove(onBar.x, onBar.y - 1);
    input.MouseMove(onBar.x, onBar.y);
    input.ButtonUp(tw::display::MouseButton::Left, onBar.x, onBar.y);
    Pump(4);

    EXPECT_EQ(Tabs()->GetActiveTab(), 1);
    EXPECT_EQ(Layout(tabBars[1]), "400 200");
    EXPECT_EQ(Layout(pSource), "401");
    EXPECT_EQ(Layout(tabBars[0]), "100 101");
}

}  // namespace ktvtabbeddroptest
