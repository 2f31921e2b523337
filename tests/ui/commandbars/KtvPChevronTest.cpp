// The toolbar chevron's menu: the buttons that did not fit, then the
// customise command; each item runs the hidden button it stands for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/commandbars/KtvPCommandManager.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPCustomizeMenuButton.h"
#include "ui/commandbars/KtvPDropDownToolBar.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolbarComboBoxButton.h"

namespace {

using tw::test::ToolBarTest;

class ChevronTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        CKtvPMenuBar::m_bRecentlyUsedMenus = FALSE;
        CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
    }
    void TearDown() override
    {
        CKtvPMenuBar::m_bRecentlyUsedMenus = TRUE;
        CKtvPMenuSound::Terminate();
        ToolBarTest::TearDown();
    }

    static std::vector<std::string> Items(CKtvPPopupMenu* pPopup)
    {
        std::vector<std::string> items;
        for (int i = 0; i < pPopup->GetMenuItemCount(); i++) {
            CKtvPToolbarButton* pItem = pPopup->GetMenuItem(i);
            items.push_back((pItem->m_nStyle & TBBS_SEPARATOR) ? "|" : std::to_string((int)pItem->m_nID));
        }
        return items;
    }
};

// Hidden buttons that start with a separator: the menu shows no leading
// separator, and its first item still runs the first real hidden button.
TEST_F(ChevronTest, HiddenButtonsRunThroughTheirItems)
{
    CKtvPToolBar* pBar = MakeBar({101, 0, 102, 0, 103});
    pBar->EnableCustomizeButton(TRUE, 32770, "Customize...", FALSE);
    CCustomizeButton* pChevron = pBar->m_pCustomizeBtn;
    ASSERT_NE(pChevron, nullptr);
    pChevron->m_lstHiddenButtons.RemoveAll();
    for (int i = 1; i < 5; i++)
        pChevron->m_lstHiddenButtons.AddTail(pBar->GetButton(i));   // | 102 | 103

    ASSERT_TRUE(pChevron->OpenPopupMenu(pBar));
    Pump();
    CKtvPPopupMenu* pPopup = pChevron->m_pPopupMenu;
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(Items(pPopup), (std::vector<std::string>{"102", "|", "103", "|", "32770"}));

    pPopup->SendMessage(WM_KEYDOWN, VK_DOWN);
    pPopup->SendMessage(WM_KEYDOWN, VK_DOWN);
    pPopup->SendMessage(WM_KEYDOWN, VK_RETURN);
    Pump();
    EXPECT_EQ(frame->commands, std::vector<UINT>{103});
    EXPECT_EQ(pChevron->m_pPopupMenu, nullptr);
}

// A hidden combo box becomes a plain item labelled by its command's string
// (the part after the prompt), never by the text shown in the box; a button
// without a label takes the same string.
TEST_F(ChevronTest, HiddenComboAndUnlabelledButtonsTakeTheCommandsLabel)
{
    CKtvPToolBar* pBar = MakeBar({101});
    pBar->EnableCustomizeButton(TRUE, 32770, "Customize...", FALSE);
    CKtvPToolbarComboBoxButton combo(tw::test::tbres::kOpenCommand, -1, CBS_DROPDOWN, 80);
    combo.AddItem("first");
    combo.m_strText = "In the box";
    ASSERT_GE(pBar->InsertButtonCopy(combo, 1), 0);
    ASSERT_GE(pBar->InsertButton(new CKtvPToolbarButton(tw::test::tbres::kOpenCommand, -1, "", FALSE, TRUE), 2), 0);
    CCustomizeButton* pChevron = pBar->m_pCustomizeBtn;
    ASSERT_NE(pChevron, nullptr);
    pChevron->m_lstHiddenButtons.RemoveAll();
    pChevron->m_lstHiddenButtons.AddTail(pBar->GetButton(1));
    pChevron->m_lstHiddenButtons.AddTail(pBar->GetButton(2));

    ASSERT_TRUE(pChevron->OpenPopupMenu(pBar));
    Pump();
    CKtvPPopupMenu* pPopup = pChevron->m_pPopupMenu;
    ASSERT_NE(pPopup, nullptr);
    ASSERT_GE(pPopup->GetMenuItemCount(), 2);
    for (int i = 0; i < 2; i++) {
        CKtvPToolbarButton* pItem = pPopup->GetMenuItem(i);
        EXPECT_EQ(pItem->m_nID, tw::test::tbres::kOpenCommand) << i;
        EXPECT_EQ(CString("Open"), pItem->m_strText) << i;
        EXPECT_FALSE(pItem->IsKindOf(RUNTIME_CLASS(CKtvPToolbarComboBoxButton))) << i;
    }
    pPopup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    Pump();
}

// An item of a bar's add-or-remove list shows or hides its button, and the
// separator after it goes with it; the list stays open.
TEST_F(ChevronTest, AddOrRemoveItemTogglesTheButtonAndItsSeparator)
{
    CKtvPToolBar* pBar = MakeBar({101, 0, 102, 103});
    CKtvPCustomizeMenuButton::m_pWndToolBar = pBar;
    CKtvPCustomizeMenuButton item(101, nullptr, -1, "First");
    item.SetItemIndex(0);
    EXPECT_TRUE(item.m_bChecked);

    EXPECT_TRUE(item.OnClickMenuItem()) << "the list stays open";
    EXPECT_FALSE(pBar->GetButton(0)->m_bVisible);
    EXPECT_FALSE(pBar->GetButton(1)->m_bVisible);
    EXPECT_TRUE(pBar->GetButton(2)->m_bVisible);
    EXPECT_FALSE(item.m_bChecked);

    EXPECT_TRUE(item.OnClickMenuItem());
    EXPECT_TRUE(pBar->GetButton(0)->m_bVisible);
    EXPECT_TRUE(pBar->GetButton(1)->m_bVisible);

    // A disabled item changes nothing and keeps the list open too.
    item.m_bEnabled = FALSE;
    EXPECT_TRUE(item.OnClickMenuItem());
    EXPECT_TRUE(pBar->GetButton(0)->m_bVisible);
    CKtvPCustomizeMenuButton::m_pWndToolBar = nullptr;
}

}  // namespace

namespace {

// A drop-down button stands for the palette command it last ran: its image
// index is that command's place among the palette's buttons.
TEST_F(ChevronTest, DropDownButtonTakesThePaletteCommand)
{
    CKtvPDropDownToolBar palette;
    palette.InsertButton(new CKtvPToolbarButton(301, 0, "A", FALSE, TRUE));
    palette.InsertSeparator();
    palette.InsertButton(new CKtvPToolbarButton(302, 1, "B", FALSE, TRUE));
    palette.InsertButton(new CKtvPToolbarButton(303, 2, "C", FALSE, TRUE));

    CKtvPDropDownToolbarButton button;
    button.m_pToolBar = &palette;
    struct Case {
        UINT cmd;
        int image;
    };
    for (const Case& c : {Case{303, 2}, Case{301, 0}, Case{302, 1}, Case{999, 0}}) {
        button.SetDefaultCommand(c.cmd);
        EXPECT_EQ(button.m_nID, c.cmd);
        EXPECT_EQ(button.m_iSelectedImage, c.image) << c.cmd;
    }
}

}  // namespace
