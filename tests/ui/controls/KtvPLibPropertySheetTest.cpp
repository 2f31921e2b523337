// The library's sheet in its tree look, shaped as the program's Options
// sheet: categories over pages, a category returning to the page last chosen
// under it, branches collapsing and expanding, the active page's icon, the
// buttons at the bottom right, and a page removed with its tree item.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "resources/resource.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPOutlookBarPane.h"
#include "ui/controls/KtvPPropertySheet.h"

namespace {

using tw::test::KtvControlTest;

class Sheet : public CKtvPPropertySheet {
public:
    Sheet() : CKtvPPropertySheet("Options") {}
    using CKtvPPropertySheet::OnGetDispInfo;
};

class LibPropertySheetTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        // The sheet's tab control, as the program registers it at start-up.
        InitCommonControls();
        for (int i = 0; i < 3; i++)
            pages.push_back(std::make_unique<CKtvPPropertyPage>(IDD_KTVP_WINDOWS));
        sheet.SetLook(CKtvPPropertySheet::SHEETLOOK_TREE, 150);
        environment = sheet.AddTreeCategory("Environment", 0, 1);
        editor = sheet.AddTreeCategory("Script Editor", 2, 3);
        sheet.AddPageToTree(environment, pages[0].get(), 4, 5);
        sheet.AddPageToTree(environment, pages[1].get(), 4, 5);
        sheet.AddPageToTree(editor, pages[2].get(), 6, 7);
        sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
        ASSERT_TRUE(sheet.Create(&host));
        PumpFiltered();
    }
    void TearDown() override
    {
        if (sheet.GetSafeHwnd() != nullptr)
            sheet.DestroyWindow();
        KtvControlTest::TearDown();
    }
    void Select(HTREEITEM hItem)
    {
        sheet.GetTree().SelectItem(hItem);
        PumpFiltered();
    }
    BOOL IsExpanded(CKtvPPropSheetCategory* pCategory)
    {
        return (sheet.GetTree().GetItemState(pCategory->m_hTreeItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }
    int DisplayedIcon(HTREEITEM hItem)
    {
        NMTVDISPINFO info = {};
        info.hdr.hwndFrom = sheet.GetTree().GetSafeHwnd();
        info.hdr.code = TVN_GETDISPINFO;
        info.item.hItem = hItem;
        info.item.lParam = (LPARAM)sheet.GetTree().GetItemData(hItem);
        LRESULT result = 0;
        sheet.OnGetDispInfo(&info.hdr, &result);
        return info.item.iImage;
    }

    Sheet sheet;
    std::vector<std::unique_ptr<CKtvPPropertyPage>> pages;
    CKtvPPropSheetCategory* environment = nullptr;
    CKtvPPropSheetCategory* editor = nullptr;
};

TEST_F(LibPropertySheetTest, CategoriesReturnToTheirLastPageAndBranchesFollow)
{
    ASSERT_NE(nullptr, pages[0]->GetTreeItem());
    EXPECT_EQ(pages[0].get(), sheet.GetActivePage());

    Select(pages[1]->GetTreeItem());
    EXPECT_EQ(pages[1].get(), sheet.GetActivePage());

    // A category never visited: its first page.
    Select(editor->m_hTreeItem);
    EXPECT_EQ(pages[2].get(), sheet.GetActivePage());
    EXPECT_TRUE(IsExpanded(editor));
    EXPECT_FALSE(IsExpanded(environment));

    // Back to the first category: the page last chosen there.
    Select(environment->m_hTreeItem);
    EXPECT_EQ(pages[1].get(), sheet.GetActivePage());
    EXPECT_TRUE(IsExpanded(environment));
    EXPECT_FALSE(IsExpanded(editor));

    // The active page shows its selected icon, the others their icon.
    EXPECT_EQ(5, DisplayedIcon(pages[1]->GetTreeItem()));
    EXPECT_EQ(4, DisplayedIcon(pages[0]->GetTreeItem()));
    EXPECT_EQ(6, DisplayedIcon(pages[2]->GetTreeItem()));
    EXPECT_EQ(1, DisplayedIcon(environment->m_hTreeItem));
    EXPECT_EQ(2, DisplayedIcon(editor->m_hTreeItem));
}

TEST_F(LibPropertySheetTest, TheTreeStandsLeftAndOkAndCancelSitAtTheBottomRight)
{
    CRect rectClient;
    sheet.GetClientRect(rectClient);
    CRect rectTree;
    sheet.GetTree().GetWindowRect(rectTree);
    sheet.ScreenToClient(rectTree);
    EXPECT_EQ(1, rectTree.left);
    EXPECT_EQ(148, rectTree.Width());

    CRect rectOk, rectCancel;
    sheet.GetDlgItem(IDOK)->GetWindowRect(rectOk);
    sheet.ScreenToClient(rectOk);
    sheet.GetDlgItem(IDCANCEL)->GetWindowRect(rectCancel);
    sheet.ScreenToClient(rectCancel);
    EXPECT_EQ(rectClient.bottom - 5, rectOk.bottom);
    EXPECT_EQ(rectClient.bottom - 5, rectCancel.bottom);
    EXPECT_EQ(rectClient.right - 5, std::max(rectOk.right, rectCancel.right));
}

TEST_F(LibPropertySheetTest, RemovingAPageTakesItsTreeItem)
{
    Select(pages[1]->GetTreeItem());
    sheet.RemovePage(pages[0].get());
    EXPECT_EQ(2, sheet.GetPageCount());
    EXPECT_EQ(nullptr, pages[0]->GetTreeItem());
    ASSERT_EQ(1, (int)environment->m_lstPages.GetCount());
    EXPECT_EQ(pages[1].get(), environment->m_lstPages.GetHead());
    EXPECT_EQ(pages[1].get(), sheet.GetActivePage());
}

// The outlook look: a button per page in a pane too short for all of them.
class OutlookSheetTest : public KtvControlTest {
protected:
    void TearDown() override
    {
        if (sheet.GetSafeHwnd() != nullptr)
            sheet.DestroyWindow();
        KtvControlTest::TearDown();
    }
    void Make(int look, int nPages)
    {
        InitCommonControls();
        for (int i = 0; i < nPages; i++) {
            pages.push_back(std::make_unique<CKtvPPropertyPage>(IDD_KTVP_WINDOWS));
            sheet.AddPage(pages.back().get());
        }
        sheet.SetLook(look, 100);
        ASSERT_TRUE(sheet.Create(&host));
        PumpFiltered();
    }
    CKtvPOutlookBarPane* Pane()
    {
        return dynamic_cast<CKtvPOutlookBarPane*>(sheet.GetOutlookBar().GetUnderlinedWindow()->GetTabContentWnd(0));
    }

    Sheet sheet;
    std::vector<std::unique_ptr<CKtvPPropertyPage>> pages;
};

TEST_F(OutlookSheetTest, AFarPageScrollsItsButtonIntoViewAndChecksIt)
{
    Make(CKtvPPropertySheet::SHEETLOOK_OUTLOOK, 20);
    CKtvPOutlookBarPane* pPane = Pane();
    ASSERT_NE(nullptr, pPane);
    ASSERT_EQ(20, pPane->GetCount());
    CRect rectPane;
    pPane->GetClientRect(rectPane);
    ASSERT_GT(pPane->GetButton(19)->m_rect.bottom, rectPane.bottom) << "the pane must be too short";

    sheet.SetActivePage(1);
    PumpFiltered();
    EXPECT_NE(0u, pPane->GetButton(1)->m_nStyle & TBBS_CHECKED);
    sheet.SetActivePage(17);
    PumpFiltered();
    const CRect rectButton = pPane->GetButton(17)->m_rect;
    EXPECT_NE(0u, pPane->GetButton(17)->m_nStyle & TBBS_CHECKED);
    EXPECT_EQ(0u, pPane->GetButton(1)->m_nStyle & TBBS_CHECKED);
    EXPECT_GE(rectButton.top, rectPane.top);
    EXPECT_LE(rectButton.bottom, rectPane.bottom);

    // A click on a button shows its page.
    const CRect rect3 = pPane->GetButton(16)->m_rect;
    Click(pPane->GetSafeHwnd(), rect3.CenterPoint().x, rect3.CenterPoint().y);
    EXPECT_EQ(pages[16].get(), sheet.GetActivePage());

    // Removing a page takes the button it had.
    sheet.RemovePage(pages[0].get());
    EXPECT_EQ(19, pPane->GetCount());
}

TEST_F(OutlookSheetTest, SlantedTabsFollowThePagesAndLoseARemovedOne)
{
    Make(CKtvPPropertySheet::SHEETLOOK_SLANTED_TABS, 3);
    CKtvPTabWnd& tabs = sheet.GetTab();
    ASSERT_EQ(3, tabs.GetTabsNum());
    tabs.SetActiveTab(2);
    EXPECT_EQ(pages[2].get(), sheet.GetActivePage());
    sheet.SetActivePage(1);
    EXPECT_EQ(1, tabs.GetActiveTab());
    sheet.RemovePage(pages[0].get());
    EXPECT_EQ(2, tabs.GetTabsNum());
}

}  // namespace
