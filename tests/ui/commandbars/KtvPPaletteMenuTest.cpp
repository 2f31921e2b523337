// A toolbar menu button whose menu opens as a palette: the items stand in a
// grid of the button's rows, and the one chosen becomes the button's command.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/menu/winmenu.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "tests/ui/commandbars/MenuTestSupport.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"

namespace palettemenutest {

using menutest::Cmd;
using tw::display::MouseButton;
using tw::test::ToolBarTest;

class PaletteMenuTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        CKtvPMenuBar::m_bRecentlyUsedMenus = FALSE;
        CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
        // Commands 101 to 103 have images 0 to 2; the palette offers them and four more.
        bar = MakeBar({101, 102, 103});
        for (UINT id = 101; id <= 103; id++)
            GetCmdMgr()->SetCmdImage(id, (int)(id - 101), FALSE);
        std::vector<menutest::Item> items;
        for (UINT id = 101; id <= 107; id++)
            items.push_back(Cmd(id, "Colour"));
        hMenu = menutest::Build(items);
        auto* pButton = new CKtvPToolbarMenuButton(101, hMenu, 0, "Colours");
        pButton->m_bPaletteMenu = TRUE;
        pButton->m_nPaletteRows = 2;
        ASSERT_GE(bar->InsertButton(pButton), 0);
        bar->AdjustLayout();
        Pump();
        button = pButton;
    }
    void TearDown() override
    {
        GetCmdMgr()->ClearAllCmdImages();
        if (button->m_pPopupMenu != nullptr)
            button->m_pPopupMenu->SendMessage(WM_CLOSE);
        Pump();
        ::DestroyMenu(hMenu);
        CKtvPMenuBar::m_bRecentlyUsedMenus = TRUE;
        CKtvPMenuSound::Terminate();
        ToolBarTest::TearDown();
    }

    CKtvPToolBar* bar = nullptr;
    // The button runs its command; its arrow, at the right edge, opens the palette.
    void ClickArrow()
    {
        Click(bar->GetSafeHwnd(), button->m_rect.right - 3, button->m_rect.CenterPoint().y);
        Pump();
    }

    CKtvPToolbarMenuButton* button = nullptr;
    HMENU hMenu = nullptr;
};

TEST_F(PaletteMenuTest, ItemsStandInAGridOfTheButtonsRows)
{
    ClickArrow();
    CKtvPPopupMenu* pPopup = button->m_pPopupMenu;
    ASSERT_NE(pPopup, nullptr);
    CKtvPPopupMenuBar* pMenuBar = pPopup->GetMenuBar();
    EXPECT_TRUE(pMenuBar->m_bPaletteMode);
    ASSERT_EQ(pPopup->GetMenuItemCount(), 7);

    // Seven items in two rows: four columns, the second row one short.
    const int nColumns = 4;
    for (int i = 0; i < 7; i++) {
        SCOPED_TRACE(i);
        const CRect rect = pPopup->GetMenuItem(i)->m_rect;
        const CRect rectRowStart = pPopup->GetMenuItem(i - i % nColumns)->m_rect;
        EXPECT_EQ(rect.top, rectRowStart.top);
        if (i % nColumns != 0)
            EXPECT_EQ(rect.left, pPopup->GetMenuItem(i - 1)->m_rect.right);
    }
    EXPECT_LT(pPopup->GetMenuItem(0)->m_rect.bottom, pPopup->GetMenuItem(4)->m_rect.top + 1);
    EXPECT_EQ(pPopup->GetMenuItem(4)->m_rect.left, pPopup->GetMenuItem(0)->m_rect.left);

    // The window holds the whole grid: every item can be reached.
    CRect rectClient;
    pMenuBar->GetClientRect(rectClient);
    for (int i = 0; i < 7; i++) {
        SCOPED_TRACE(i);
        const CRect rect = pPopup->GetMenuItem(i)->m_rect;
        EXPECT_TRUE(rectClient.PtInRect(rect.TopLeft()) && rectClient.PtInRect(rect.BottomRight() - CSize(1, 1)));
    }
}

TEST_F(PaletteMenuTest, TheChosenItemBecomesTheButtonsCommandAndImage)
{
    ClickArrow();
    CKtvPPopupMenu* pPopup = button->m_pPopupMenu;
    ASSERT_NE(pPopup, nullptr);
    const int iThird = 2;   // command 103, the bar's image 2
    ASSERT_EQ(pPopup->GetMenuItem(iThird)->m_nID, 103u);
    const CPoint ptItem = pPopup->GetMenuItem(iThird)->m_rect.CenterPoint();
    const POINT at = ScreenPointOf(pPopup->GetMenuBar()->GetSafeHwnd(), ptItem.x, ptItem.y);
    // The first move after the palette appeared only arms it.
    input.MouseMove(at.x - 1, at.y);
    Pump();
    input.MouseMove(at.x, at.y);
    Pump();
    input.Click(MouseButton::Left, at.x, at.y);
    Pump();

    EXPECT_EQ(button->m_pPopupMenu, nullptr);
    EXPECT_EQ(frame->commands, std::vector<UINT>{103});
    EXPECT_EQ(button->m_nID, 103u);
    EXPECT_EQ(button->GetImage(), 2);
}

}  // namespace palettemenutest
