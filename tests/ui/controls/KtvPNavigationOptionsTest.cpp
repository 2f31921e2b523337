// The "Navigation Pane Options" dialog over a plain outlook window, used as
// its user uses it, and the check list box's per-item locks.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/CStatic.h"
#include "resources/resource.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPCheckListBox.h"
#include "ui/controls/KtvPNavigationPaneOptionsDlg.h"
#include "ui/controls/KtvPOutlookWnd.h"

namespace {

using tw::test::KtvControlTest;

class NavigationOptionsTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        wnd = std::make_unique<CKtvPOutlookWnd>();
        ASSERT_TRUE(wnd->Create(CRect(0, 0, 200, 300), &host, 101));
        for (int i = 0; i < 5; i++) {
            auto page = std::make_unique<CStatic>();
            const std::string label = "Page " + std::to_string(i);
            page->Create(label.c_str(), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), wnd.get(), 300 + i);
            wnd->AddTab(page.get(), label.c_str(), (UINT)-1, FALSE);
            pages.push_back(std::move(page));
        }
        dlg = std::make_unique<CKtvPNavigationPaneOptionsDlg>(wnd.get());
        ASSERT_TRUE(dlg->Create(IDD_KTVP_NAVIGATION_OPTIONS, wnd.get()));
        dlg->ShowWindow(SW_SHOW);
        PumpFiltered();
    }
    void TearDown() override
    {
        if (dlg->GetSafeHwnd() != nullptr)
            dlg->DestroyWindow();
        dlg.reset();
        wnd.reset();
        pages.clear();
        KtvControlTest::TearDown();
    }
    // A click on an item's text, or on its check box.
    void ClickItem(int nIndex, bool onCheck = false)
    {
        CRect rect;
        dlg->m_wndList.GetItemRect(nIndex, &rect);
        Click(dlg->m_wndList.GetSafeHwnd(), onCheck ? rect.left + 3 : rect.left + 40, rect.CenterPoint().y);
    }
    void ClickButton(CWnd& button) { Click(button.GetSafeHwnd(), 5, 5); }
    std::string Label(int iTab)
    {
        CString str;
        wnd->GetTabLabel(iTab, str);
        return (LPCTSTR)str;
    }

    std::unique_ptr<CKtvPOutlookWnd> wnd;
    std::vector<std::unique_ptr<CStatic>> pages;
    std::unique_ptr<CKtvPNavigationPaneOptionsDlg> dlg;
};

TEST_F(NavigationOptionsTest, MoveButtonsStopAtTheListsEnds)
{
    ASSERT_EQ(5, dlg->m_wndList.GetCount());
    EXPECT_EQ(0, dlg->m_wndList.GetCurSel());
    EXPECT_FALSE(dlg->m_btnMoveUp.IsWindowEnabled());
    EXPECT_TRUE(dlg->m_btnMoveDown.IsWindowEnabled());
    ClickItem(4);
    EXPECT_EQ(4, dlg->m_wndList.GetCurSel());
    EXPECT_TRUE(dlg->m_btnMoveUp.IsWindowEnabled());
    EXPECT_FALSE(dlg->m_btnMoveDown.IsWindowEnabled());
    // Without an outlook bar there is nothing to reset to.
    EXPECT_FALSE(dlg->m_btnReset.IsWindowVisible());
}

TEST_F(NavigationOptionsTest, OkAppliesVisibilityAndOrder)
{
    ClickItem(1, true);  // hide page 1
    EXPECT_EQ(0, dlg->m_wndList.GetCheck(1));
    ClickItem(3);
    ClickButton(dlg->m_btnMoveUp);  // page 3 before page 2
    EXPECT_EQ(2, dlg->m_wndList.GetCurSel());
    EXPECT_EQ(3, (int)dlg->m_wndList.GetItemData(2));
    EXPECT_EQ("Page 0", Label(0)) << "nothing changes before OK";

    ClickButton(*dlg->GetDlgItem(IDOK));
    const char* expected[] = {"Page 0", "Page 1", "Page 3", "Page 2", "Page 4"};
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(expected[i], Label(i)) << i;
    EXPECT_FALSE(wnd->IsTabVisible(1));
    EXPECT_TRUE(wnd->IsTabVisible(2));
}

TEST_F(NavigationOptionsTest, ADoubleClickTogglesTheCheckOnceWhereverItLands)
{
    for (bool onCheck : {false, true}) {
        const int nBefore = dlg->m_wndList.GetCheck(2);
        CRect rect;
        dlg->m_wndList.GetItemRect(2, &rect);
        DoubleClick(dlg->m_wndList.GetSafeHwnd(), onCheck ? rect.left + 3 : rect.left + 40, rect.CenterPoint().y);
        EXPECT_NE(nBefore, dlg->m_wndList.GetCheck(2)) << (onCheck ? "on the check" : "on the text");
    }
}

TEST_F(NavigationOptionsTest, CheckListFlagsFollowTheItems)
{
    CKtvPCheckListBox& list = dlg->m_wndList;
    list.ResetContent();
    list.AddString("a");
    list.AddString("b");
    list.EnableItem(1, FALSE);
    list.InsertString(0, "new");
    EXPECT_TRUE(list.IsItemEnabled(0));
    EXPECT_TRUE(list.IsItemEnabled(1));
    EXPECT_FALSE(list.IsItemEnabled(2));
    list.DeleteString(0);
    EXPECT_TRUE(list.IsItemEnabled(0));
    EXPECT_FALSE(list.IsItemEnabled(1));
    EXPECT_FALSE(list.IsItemEnabled(2)) << "no such item";

    // A locked check does not change.
    list.SetCheck(1, 1);
    ClickItem(1, true);
    EXPECT_EQ(1, list.GetCheck(1));
    list.SetCurSel(1);
    list.SetCaretIndex(1);
    list.SetFocus();
    KeyFiltered(VK_SPACE);
    EXPECT_EQ(1, list.GetCheck(1));

    list.ResetContent();
    EXPECT_FALSE(list.IsItemEnabled(0));
}

}  // namespace
