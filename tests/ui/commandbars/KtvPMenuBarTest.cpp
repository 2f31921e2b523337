// The frame's menu bar (labels without mnemonics: the key table belongs to the
// keyboard manager): one button per item of the frame's menu, a
// maximised child's icon and caption buttons at its ends, and the keys that
// open its menus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc/afxwin.h"
#include "platform/win32/menu/winmenu.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "tests/ui/commandbars/MenuTestSupport.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolbarSystemMenuButton.h"
#include "ui/frames/KtvPMDIChildWnd.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

namespace {

using menutest::Cmd;
using menutest::Sep;
using menutest::Sub;

class MenuBarTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        CKtvPMenuBar::m_bRecentlyUsedMenus = FALSE;
        CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;

        frame = new CKtvPMDIFrameWnd;
        CRect rect(20, 20, 620, 420);
        ASSERT_TRUE(frame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect));
        ASSERT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
        ::SetMenu(frame->GetSafeHwnd(),
                  menutest::Build({Sub("File", {Cmd(100, "&New"), Cmd(101, "&Open")}),
                                   Sub("Edit", {Cmd(200, "&Copy")}), Cmd(300, "Run")}));
        ASSERT_TRUE(menuBar.Create(frame));
        menuBar.EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(&menuBar);
        frame->RecalcLayout();
        Pump();
    }
    void TearDown() override
    {
        CKtvPMenuBar::m_bRecentlyUsedMenus = TRUE;
        HeadlessWindowTest::TearDown();
    }

    CKtvPMDIChildWnd* AddChild(DWORD dwStyle)
    {
        auto* child = new CKtvPMDIChildWnd;
        EXPECT_TRUE(child->Create(nullptr, "Child", WS_CHILD | WS_VISIBLE | dwStyle, CFrameWnd::rectDefault, frame));
        child->InitialUpdateFrame(nullptr, TRUE);
        Pump();
        return child;
    }

    std::vector<std::string> Kinds() const
    {
        std::vector<std::string> kinds;
        for (int i = 0; i < menuBar.GetCount(); i++) {
            CKtvPToolbarButton* pButton = menuBar.GetButton(i);
            if (auto* pCaption = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButtonsButton, pButton))
                kinds.push_back(std::string(pCaption->m_nStyle & TBBS_DISABLED ? "x" : "") +
                                std::to_string(pCaption->m_uiSystemCommand));
            else if (pButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarSystemMenuButton)))
                kinds.push_back("icon");
            else if (pButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarMenuButton)))
                kinds.push_back("menu:" + std::string(pButton->m_strText));
            else
                kinds.push_back("cmd:" + std::string(pButton->m_strText));
        }
        return kinds;
    }

    CKtvPMDIFrameWnd* frame = nullptr;
    CKtvPMenuBar menuBar;
};

TEST_F(MenuBarTest, FollowsTheFramesMenu)
{
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"menu:File", "menu:Edit", "cmd:Run"}));
    for (int i = 0; i < menuBar.GetCount(); i++) {
        EXPECT_TRUE(menuBar.GetButton(i)->m_bTextShown);
        EXPECT_FALSE(menuBar.GetButton(i)->m_bImageShown);
    }
    EXPECT_EQ(::GetMenu(frame->GetSafeHwnd()), nullptr);

    // Another menu replaces the buttons; the first one comes back as it was.
    HMENU hFirst = menuBar.m_hMenu;
    HMENU hOther = menutest::Build({Sub("Query", {Cmd(400, "E&xecute")})});
    menuBar.CreateFromMenu(hOther);
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"menu:Query"}));
    menuBar.CreateFromMenu(hFirst);
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"menu:File", "menu:Edit", "cmd:Run"}));
    ::DestroyMenu(hOther);
}

// A maximised child puts its icon first and its caption buttons last, one
// per box of its style; a greyed close item gives a disabled close button.
TEST_F(MenuBarTest, MaximisedChildButtons)
{
    const std::string kMin = std::to_string(SC_MINIMIZE), kRestore = std::to_string(SC_RESTORE),
                      kClose = std::to_string(SC_CLOSE);
    struct Case {
        DWORD style;
        bool greyClose;
        std::vector<std::string> ends;
    };
    for (const Case& c : {Case{WS_OVERLAPPEDWINDOW, false, {kMin, kRestore, kClose}},
                          Case{WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX, false, {kRestore, kClose}},
                          Case{WS_OVERLAPPEDWINDOW, true, {kMin, kRestore, "x" + kClose}}}) {
        CKtvPMDIChildWnd* pChild = AddChild(c.style);
        if (c.greyClose)
            ::EnableMenuItem(::GetSystemMenu(pChild->GetSafeHwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        menuBar.SetMaximizeMode(TRUE, pChild);

        std::vector<std::string> expected = {"icon", "menu:File", "menu:Edit", "cmd:Run"};
        expected.insert(expected.end(), c.ends.begin(), c.ends.end());
        EXPECT_EQ(Kinds(), expected);

        // Caption buttons are flush right, one pixel apart.
        CRect rectClient;
        menuBar.GetClientRect(rectClient);
        const int nLast = menuBar.GetCount() - 1;
        EXPECT_EQ(menuBar.GetButton(nLast)->m_rect.right, rectClient.right);
        if (c.ends.size() > 1)
            EXPECT_EQ(menuBar.GetButton(nLast - 1)->m_rect.right + 1, menuBar.GetButton(nLast)->m_rect.left);

        menuBar.SetMaximizeMode(FALSE);
        EXPECT_EQ(Kinds(), (std::vector<std::string>{"menu:File", "menu:Edit", "cmd:Run"}));
        pChild->DestroyWindow();
        Pump();
    }
}

}  // namespace
