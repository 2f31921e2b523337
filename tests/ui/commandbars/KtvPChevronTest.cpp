// The toolbar chevron's menu: the buttons that did not fit, then the
// customise command; each item runs the hidden button it stands for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/commandbars/KtvPCommandManager.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPTearOffManager.h"

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

}  // namespace
