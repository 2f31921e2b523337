// The customise sheet's Mouse page: the registered views in name order and
// the double-click command chosen for each, written to the mouse manager at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc/afxole.h"
#include "platform/win32/user/BeepTrace.h"
#include "resources/CustomizeIds.h"
#include "resources/resource.h"
#include "tests/ui/commandbars/CustomizeTestSupport.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPMouseManager.h"
#include "ui/commandbars/KtvPMousePage.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"

namespace {

using tw::test::ToolBarTest;
namespace custtest = tw::test::custtest;
namespace tbres = tw::test::tbres;

class MousePageTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        ASSERT_TRUE(AfxOleInit());
        manager = new CKtvPMouseManager;
    }
    void TearDown() override
    {
        tw::test::DestroyTopLevelWindows();
        Pump();
        delete manager;
        ToolBarTest::TearDown();
    }

    CKtvPToolbarCustomize* OpenSheet()
    {
        auto* pSheet = new CKtvPToolbarCustomize(frame, FALSE, 0);
        pSheet->AddButton("File", CKtvPToolbarButton(tbres::kOpenCommand, -1, "Open"));
        pSheet->AddButton("File", CKtvPToolbarButton(101, -1, "Close"));
        EXPECT_TRUE(pSheet->Create());
        Pump();
        page = pSheet->m_pMousePage;
        custtest::ShowPage(pSheet, page);
        EXPECT_TRUE(::IsWindow(page->GetSafeHwnd()));
        return pSheet;
    }
    std::vector<std::string> Views()
    {
        std::vector<std::string> names;
        for (int i = 0; i < page->m_wndListOfViews.GetItemCount(); i++)
            names.push_back(static_cast<LPCTSTR>(page->m_wndListOfViews.GetItemText(i, 0)));
        return names;
    }
    void ClickView(int iItem)
    {
        CRect rect;
        page->m_wndListOfViews.GetItemRect(iItem, &rect, LVIR_LABEL);
        custtest::ClickTranslated(input, page->m_wndListOfViews.GetSafeHwnd(), rect.left + 4, rect.CenterPoint().y);
    }
    void ClickCommand(LPCTSTR lpszText)
    {
        const int i = page->m_wndListOfCommands.FindStringExact(-1, lpszText);
        ASSERT_GE(i, 0) << lpszText;
        CRect rect;
        page->m_wndListOfCommands.GetItemRect(i, &rect);
        custtest::ClickTranslated(input, page->m_wndListOfCommands.GetSafeHwnd(), rect.left + 4,
                                  rect.CenterPoint().y);
    }
    void ClickRadio(int nID) { custtest::ClickCentre(input, ::GetDlgItem(page->GetSafeHwnd(), nID)); }
    bool Checked(int nID) { return page->IsDlgButtonChecked(nID) == BST_CHECKED; }

    CKtvPMouseManager* manager = nullptr;
    CKtvPMousePage* page = nullptr;
};

TEST_F(MousePageTest, ViewsAreListedByNameAndTheFirstIsChosen)
{
    ASSERT_TRUE(manager->AddView(130, "My view", IDI_KTVP_DEFAULT_TOOL));
    ASSERT_TRUE(manager->AddView(131, "Grid"));
    ASSERT_TRUE(manager->AddView(132, "Tree", IDI_KTVP_DEFAULT_TOOL));
    manager->SetCommandForDblClick(131, 101);
    OpenSheet();

    EXPECT_EQ(Views(), (std::vector<std::string>{"Grid", "My view", "Tree"}));
    // A view without an icon keeps its place, with no image.
    LVITEM item{};
    item.mask = LVIF_IMAGE | LVIF_PARAM;
    item.iItem = 0;
    ASSERT_TRUE(page->m_wndListOfViews.GetItem(&item));
    EXPECT_EQ(item.iImage, I_IMAGENONE);
    EXPECT_EQ(item.lParam, 131);
    item.iItem = 1;
    ASSERT_TRUE(page->m_wndListOfViews.GetItem(&item));
    EXPECT_GE(item.iImage, 0);

    // The first view's command is shown checked and selected.
    EXPECT_EQ(page->m_iCurrViewId, 131);
    EXPECT_TRUE(Checked(IDC_KTVP_MOUSE_USE_DBLCLK));
    EXPECT_FALSE(Checked(IDC_KTVP_MOUSE_NO_DBLCLK));
    EXPECT_TRUE(page->m_wndListOfCommands.IsWindowEnabled());
    const int iSel = page->m_wndListOfCommands.GetCurSel();
    ASSERT_GE(iSel, 0);
    EXPECT_EQ(page->m_wndListOfCommands.GetItemData(iSel), 101u);

    // A view without a command: no event, the list greyed and empty of a choice.
    ClickView(1);
    EXPECT_EQ(page->m_iCurrViewId, 130);
    EXPECT_TRUE(Checked(IDC_KTVP_MOUSE_NO_DBLCLK));
    EXPECT_FALSE(page->m_wndListOfCommands.IsWindowEnabled());
    EXPECT_EQ(page->m_wndListOfCommands.GetCurSel(), -1);
    EXPECT_TRUE(page->m_strCommandDescription.IsEmpty());
}

TEST_F(MousePageTest, CommandIsSetAndRemovedAtOnce)
{
    ASSERT_TRUE(manager->AddView(130, "My view"));
    OpenSheet();
    ASSERT_TRUE(Checked(IDC_KTVP_MOUSE_NO_DBLCLK));

    ClickRadio(IDC_KTVP_MOUSE_USE_DBLCLK);
    EXPECT_TRUE(page->m_wndListOfCommands.IsWindowEnabled());
    EXPECT_EQ(manager->GetViewDblClickCommand(130), 0u);

    ClickCommand("Open");
    EXPECT_EQ(manager->GetViewDblClickCommand(130), tbres::kOpenCommand);
    // The description is the frame's prompt for the command.
    EXPECT_STREQ(page->m_strCommandDescription, "Open a file");

    ClickRadio(IDC_KTVP_MOUSE_NO_DBLCLK);
    EXPECT_EQ(manager->GetViewDblClickCommand(130), 0u);
    EXPECT_FALSE(page->m_wndListOfCommands.IsWindowEnabled());
    EXPECT_EQ(page->m_wndListOfCommands.GetCurSel(), -1);

    // Back to a command: none until one is picked.
    ClickRadio(IDC_KTVP_MOUSE_USE_DBLCLK);
    EXPECT_EQ(manager->GetViewDblClickCommand(130), 0u);
    ClickCommand("Close");
    EXPECT_EQ(manager->GetViewDblClickCommand(130), 101u);
}

TEST_F(MousePageTest, WithoutViewsTheChoicesOnlyBeep)
{
    OpenSheet();
    EXPECT_TRUE(Views().empty());
    tw::user::ResetBeepTrace();
    ClickRadio(IDC_KTVP_MOUSE_USE_DBLCLK);
    EXPECT_EQ(tw::user::BeepTrace().size(), 1u);
    ClickCommand("Open");
    EXPECT_EQ(tw::user::BeepTrace().size(), 2u);
    EXPECT_TRUE(page->m_strCommandDescription.IsEmpty());
}

TEST_F(MousePageTest, PageIsShownOnlyWithAMouseManager)
{
    {
        CKtvPToolbarCustomize sheet(frame, FALSE, 0);
        EXPECT_EQ(sheet.GetPageIndex(sheet.m_pMousePage), 2);
    }
    delete manager;
    manager = nullptr;
    CKtvPToolbarCustomize sheet(frame, FALSE, 0);
    EXPECT_EQ(sheet.GetPageIndex(sheet.m_pMousePage), -1);
}

TEST_F(MousePageTest, Screenshot)
{
    ASSERT_TRUE(manager->AddView(130, "My view", IDI_KTVP_DEFAULT_TOOL));
    ASSERT_TRUE(manager->AddView(131, "Grid"));
    manager->SetCommandForDblClick(131, tbres::kOpenCommand);
    CKtvPToolbarCustomize* pSheet = OpenSheet();
    pSheet->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    EXPECT_TRUE(custtest::SaveWindowShot(pSheet, "customize-mouse.png"));
}

}  // namespace
