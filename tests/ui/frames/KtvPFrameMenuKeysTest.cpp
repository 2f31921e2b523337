// Keys and clicks of a library frame while its menu bar and popup menus are in
// use: mnemonics again and again on one frame, F10, accelerators and user
// tools, and the mouse under an open popup.
#include <memory>
#include <optional>
#include <vector>

#include "platform/mfc/afxwin.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

namespace {

// A menu line of top-level popups with two commands each.
HMENU KeysTestMenu(std::initializer_list<const char*> titles, UINT uiFirstCmd)
{
    HMENU hMenu = ::CreateMenu();
    for (const char* title : titles) {
        HMENU hPopup = ::CreatePopupMenu();
        ::AppendMenu(hPopup, MF_STRING, uiFirstCmd++, "&Run");
        ::AppendMenu(hPopup, MF_STRING, uiFirstCmd++, "&Stop");
        ::AppendMenu(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), title);
    }
    return hMenu;
}

class KtvPFrameMenuKeysTest : public tw::test::KtvControlTest {
protected:
    void TearDown() override
    {
        tw::test::DestroyTopLevelWindows();
        CKtvPPopupMenu::m_pActivePopupMenu = nullptr;
        CKtvPPopupMenu::m_bFocusOwnerBar = TRUE;
        CKtvPKeyboardManager::CleanUp();
        KtvControlTest::TearDown();
    }

    // A library MDI frame with a menu bar made from "&File" and "&Edit".
    CKtvPMDIFrameWnd* OpenFrameWithMenuBar()
    {
        auto* pFrame = new CKtvPMDIFrameWnd;
        EXPECT_TRUE(pFrame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 440)));
        EXPECT_TRUE(pFrame->EnableDocking(CBRS_ALIGN_ANY));
        EXPECT_TRUE(::SetMenu(pFrame->GetSafeHwnd(), KeysTestMenu({"&File", "&Edit"}, 0x8001)));
        menuBar = new CKtvPMenuBar;
        EXPECT_TRUE(menuBar->Create(pFrame));
        pFrame->SetFocus();
        Pump();
        return pFrame;
    }

    // The title of the menu bar item whose popup is down, or "" when none is.
    CString DroppedTitle()
    {
        int iDropped = -1;
        if (menuBar->GetDroppedDownMenu(&iDropped) == nullptr)
            return "";
        return menuBar->GetButton(iDropped)->m_strText;
    }

    CKtvPMenuBar* menuBar = nullptr;
};

// WM_MENUCHAR drops the popup of its mnemonic down each time it comes, also
// after the previous popup was closed with Esc.
TEST_F(KtvPFrameMenuKeysTest, EveryMenuCharDropsItsPopupAgainAfterEsc)
{
    CKtvPMDIFrameWnd* pFrame = OpenFrameWithMenuBar();
    for (int nTime = 1; nTime <= 3; nTime++) {
        SCOPED_TRACE(nTime);
        EXPECT_EQ(pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('e', MF_SYSMENU), 0) >> 16, 0xFFFF);
        Pump();
        EXPECT_EQ(DroppedTitle(), "&Edit");
        KeyFiltered(VK_ESCAPE);
        Pump();
        EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr) << "Esc closed the popup";
    }
    // Another mnemonic after one popup was closed opens its own.
    EXPECT_EQ(pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('f', MF_SYSMENU), 0) >> 16, 0xFFFF);
    Pump();
    EXPECT_EQ(DroppedTitle(), "&File");
    KeyFiltered(VK_ESCAPE);
}

// Alt+E as a user types it, then Esc, again and again on one frame, whether the
// menu bar takes the focus while its popup is open or (as the program has it) not.
TEST_F(KtvPFrameMenuKeysTest, AltWithAMnemonicDropsItsPopupEachTime)
{
    for (BOOL bFocusOwnerBar : {TRUE, FALSE}) {
        SCOPED_TRACE(bFocusOwnerBar);
        CKtvPPopupMenu::m_bFocusOwnerBar = bFocusOwnerBar;
        CKtvPMDIFrameWnd* pFrame = OpenFrameWithMenuBar();
        for (int nTime = 1; nTime <= 3; nTime++) {
            SCOPED_TRACE(nTime);
            ChordFiltered(VK_MENU, 'E');
            Pump();
            EXPECT_EQ(DroppedTitle(), "&Edit");
            KeyFiltered(VK_ESCAPE);
            Pump();
            EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr) << "Esc closed the popup";
        }
        pFrame->DestroyWindow();
        Pump();
    }
}

// F10 is the menu key: pressed and released it moves the focus to the menu bar
// and back, as Alt alone does; it closes an open menu; Shift+F10 is not it.
TEST_F(KtvPFrameMenuKeysTest, F10MovesTheFocusToTheMenuBarAndBack)
{
    CKtvPMDIFrameWnd* pFrame = OpenFrameWithMenuBar();
    // The frame passes its focus on to the window inside it.
    const HWND hFrame = ::GetFocus();
    ASSERT_TRUE(hFrame == pFrame->GetSafeHwnd() || ::IsChild(pFrame->GetSafeHwnd(), hFrame));
    ASSERT_NE(hFrame, menuBar->GetSafeHwnd());

    KeyFiltered(VK_F10);
    EXPECT_EQ(::GetFocus(), menuBar->GetSafeHwnd());
    KeyFiltered(VK_F10);
    EXPECT_EQ(::GetFocus(), hFrame);

    ChordFiltered(VK_SHIFT, VK_F10);
    EXPECT_EQ(::GetFocus(), hFrame) << "Shift+F10 asks for a context menu";

    pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('f', MF_SYSMENU), 0);
    Pump();
    ASSERT_EQ(DroppedTitle(), "&File");
    KeyFiltered(VK_F10);
    Pump();
    EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr) << "F10 closed the menu";
    EXPECT_EQ(DroppedTitle(), "");
}

// A command bound to F10 runs instead, and the focus stays where it was; a
// minimised frame swallows F10 as it does other keys.
TEST_F(KtvPFrameMenuKeysTest, F10BoundToACommandRunsItInstead)
{
    CKtvPKeyboardManager keyboard;
    CKtvPMDIFrameWnd* pFrame = OpenFrameWithMenuBar();
    constexpr UINT kCmd = 0x8101;
    ACCEL keys[] = {{FVIRTKEY, VK_F10, kCmd}};
    pFrame->m_hAccelTable = ::CreateAcceleratorTable(keys, 1);
    const UINT uiBefore = CKtvPToolBar::m_UsageCount.GetCount(kCmd);
    const HWND hFocus = ::GetFocus();

    KeyFiltered(VK_F10);
    EXPECT_EQ(CKtvPToolBar::m_UsageCount.GetCount(kCmd), uiBefore + 1) << "the command ran";
    EXPECT_EQ(::GetFocus(), hFocus) << "the menu bar did not take the focus";

    pFrame->ShowWindow(SW_MINIMIZE);
    Pump();
    KeyFiltered(VK_F10);
    EXPECT_EQ(CKtvPToolBar::m_UsageCount.GetCount(kCmd), uiBefore + 1) << "nothing runs while minimised";
    EXPECT_NE(::GetFocus(), menuBar->GetSafeHwnd());
}

}  // namespace
