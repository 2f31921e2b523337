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
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolbarEditBoxButton.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPFrameWnd.h"
#include "ui/frames/KtvPMDIChildWnd.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

// A user tool that records its runs instead of starting a program.
class CRecordingUserTool : public CKtvPUserTool {
    DECLARE_DYNCREATE(CRecordingUserTool)
public:
    BOOL Invoke() override
    {
        s_nRuns++;
        return TRUE;
    }
    static int s_nRuns;
};
IMPLEMENT_DYNCREATE(CRecordingUserTool, CKtvPUserTool)
int CRecordingUserTool::s_nRuns = 0;

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
        // The menus played their sounds on a worker that must end before the process does.
        CKtvPMenuSound::Terminate();
        KtvControlTest::TearDown();
    }

    // A library frame (MDI unless told otherwise) with a menu bar made from "&File" and "&Edit".
    template <class Frame = CKtvPMDIFrameWnd>
    Frame* OpenFrameWithMenuBar()
    {
        auto* pFrame = new Frame;
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

    // An MDI child of the frame with the focus.
    CKtvPMDIChildWnd* OpenFocusedChild(CKtvPMDIFrameWnd* pFrame)
    {
        auto* pChild = new CKtvPMDIChildWnd;
        EXPECT_TRUE(pChild->Create(nullptr, "Query1", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                   CFrameWnd::rectDefault, pFrame));
        pChild->InitialUpdateFrame(nullptr, TRUE);
        pChild->SetFocus();
        Pump();
        return pChild;
    }

    // Alt+E then Esc, as a user types them, the given number of times: each
    // time the Edit menu drops down and Esc closes it.
    void AltEThenEsc(int nTimes)
    {
        for (int nTime = 1; nTime <= nTimes; nTime++) {
            SCOPED_TRACE(nTime);
            ChordFiltered(VK_MENU, 'E');
            Pump();
            EXPECT_EQ(DroppedTitle(), "&Edit");
            KeyFiltered(VK_ESCAPE);
            Pump();
            EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr) << "Esc closed the popup";
        }
    }

    // A mouse message as the loop takes it from the queue, before the filters.
    static MSG MouseMessage(CWnd* pTarget, UINT message, CPoint ptClient)
    {
        MSG msg{};
        msg.hwnd = pTarget->GetSafeHwnd();
        msg.message = message;
        msg.lParam = MAKELPARAM(ptClient.x, ptClient.y);
        return msg;
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
// menu bar takes the focus while its popup is open or (as the program has it)
// not, and with the focus in an MDI child.
TEST_F(KtvPFrameMenuKeysTest, AltWithAMnemonicDropsItsPopupEachTime)
{
    struct Case {
        BOOL bFocusOwnerBar;
        bool bChild;
    };
    for (const Case& c : {Case{TRUE, false}, Case{FALSE, false}, Case{FALSE, true}}) {
        SCOPED_TRACE(testing::Message() << c.bFocusOwnerBar << " " << c.bChild);
        CKtvPPopupMenu::m_bFocusOwnerBar = c.bFocusOwnerBar;
        CKtvPMDIFrameWnd* pFrame = OpenFrameWithMenuBar();
        if (c.bChild) {
            CKtvPMDIChildWnd* pChild = OpenFocusedChild(pFrame);
            ASSERT_EQ(::GetFocus(), pChild->GetSafeHwnd());
        }
        AltEThenEsc(3);
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

// Under an open library popup the frame filters the mouse: moves outside the
// menu are swallowed, a click on the item that opened the menu closes it and is
// swallowed (so it does not open it again), and a click elsewhere closes it and
// still reaches its window.
TEST_F(KtvPFrameMenuKeysTest, TheMouseUnderAnOpenPopupClosesItOrIsSwallowed)
{
    CKtvPMDIFrameWnd* pFrame = OpenFrameWithMenuBar();
    CWnd* pClient = CWnd::FromHandle(pFrame->m_hWndMDIClient);
    auto openEdit = [&] {
        pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('e', MF_SYSMENU), 0);
        Pump();
        return CKtvPPopupMenu::m_pActivePopupMenu;
    };

    CKtvPPopupMenu* pPopup = openEdit();
    ASSERT_NE(pPopup, nullptr);
    MSG moveOutside = MouseMessage(pClient, WM_MOUSEMOVE, CPoint(300, 300));
    EXPECT_TRUE(pFrame->PreTranslateMessage(&moveOutside)) << "no hover outside the menu";
    MSG moveInside = MouseMessage(pPopup, WM_MOUSEMOVE, CPoint(10, 10));
    EXPECT_FALSE(pFrame->PreTranslateMessage(&moveInside));
    EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, pPopup) << "moves close nothing";

    int iEdit = -1;
    ASSERT_NE(menuBar->GetDroppedDownMenu(&iEdit), nullptr);
    MSG onOpener = MouseMessage(menuBar, WM_LBUTTONDOWN, menuBar->GetButton(iEdit)->m_rect.CenterPoint());
    EXPECT_TRUE(pFrame->PreTranslateMessage(&onOpener));
    Pump();
    EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr);
    EXPECT_EQ(DroppedTitle(), "");

    ASSERT_NE(openEdit(), nullptr);
    MSG onClient = MouseMessage(pClient, WM_LBUTTONDOWN, CPoint(300, 300));
    EXPECT_FALSE(pFrame->PreTranslateMessage(&onClient)) << "the click still reaches the client";
    Pump();
    EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr);
    MSG moveAfter = MouseMessage(pClient, WM_MOUSEMOVE, CPoint(300, 300));
    EXPECT_FALSE(pFrame->PreTranslateMessage(&moveAfter)) << "without a menu the mouse is left alone";
}

// While a library menu is open in an SDI frame an accelerator runs nothing (its
// keys go to the menu); once the menu is closed the same keys run the command.
TEST_F(KtvPFrameMenuKeysTest, AnSdiFrameRunsNoAcceleratorWhileAMenuIsOpen)
{
    CKtvPKeyboardManager keyboard;
    auto* pFrame = OpenFrameWithMenuBar<CKtvPFrameWnd>();
    constexpr UINT kCmd = 0x8102;
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'N', kCmd}};
    pFrame->m_hAccelTable = ::CreateAcceleratorTable(keys, 1);
    const UINT uiBefore = CKtvPToolBar::m_UsageCount.GetCount(kCmd);

    pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('e', MF_SYSMENU), 0);
    Pump();
    ASSERT_EQ(DroppedTitle(), "&Edit");
    ChordFiltered(VK_CONTROL, 'N');
    EXPECT_EQ(CKtvPToolBar::m_UsageCount.GetCount(kCmd), uiBefore);

    KeyFiltered(VK_ESCAPE);
    Pump();
    ASSERT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr);
    ChordFiltered(VK_CONTROL, 'N');
    EXPECT_EQ(CKtvPToolBar::m_UsageCount.GetCount(kCmd), uiBefore + 1);
}

// An accelerator bound to a user tool's command starts the tool, in both main
// frame kinds; with a menu open its keys go to the menu and no tool starts.
TEST_F(KtvPFrameMenuKeysTest, AnAcceleratorOfAUserToolStartsTheTool)
{
    for (bool bMDI : {true, false}) {
        SCOPED_TRACE(bMDI ? "MDI" : "SDI");
        CKtvPKeyboardManager keyboard;
        CKtvPUserToolsManager tools(0x8500, 0x8501, 0x8510, RUNTIME_CLASS(CRecordingUserTool));
        CKtvPUserTool* pTool = tools.CreateNewTool();
        ASSERT_NE(pTool, nullptr);
        CFrameWnd* pFrame = bMDI ? static_cast<CFrameWnd*>(OpenFrameWithMenuBar<CKtvPMDIFrameWnd>())
                                 : static_cast<CFrameWnd*>(OpenFrameWithMenuBar<CKtvPFrameWnd>());
        ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'T', static_cast<WORD>(pTool->m_uiCmdId)}};
        pFrame->m_hAccelTable = ::CreateAcceleratorTable(keys, 1);
        CRecordingUserTool::s_nRuns = 0;

        ChordFiltered(VK_CONTROL, 'T');
        EXPECT_EQ(CRecordingUserTool::s_nRuns, 1);

        pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('f', MF_SYSMENU), 0);
        Pump();
        ASSERT_NE(CKtvPPopupMenu::m_pActivePopupMenu, nullptr);
        ChordFiltered(VK_CONTROL, 'T');
        EXPECT_EQ(CRecordingUserTool::s_nRuns, 1);
        KeyFiltered(VK_ESCAPE);
        pFrame->DestroyWindow();
        Pump();
        CKtvPKeyboardManager::CleanUp();
    }
}

// Alt with a mnemonic opens the menu bar's popup unless the same keys are an
// accelerator of the main frame or of the active child frame: then the command wins.
TEST_F(KtvPFrameMenuKeysTest, AltWithAMnemonicBoundToAnAcceleratorRunsTheCommand)
{
    enum class Bound { Nowhere, MainFrame, ActiveChild };
    for (Bound bound : {Bound::Nowhere, Bound::MainFrame, Bound::ActiveChild}) {
        SCOPED_TRACE(static_cast<int>(bound));
        CKtvPKeyboardManager keyboard;
        CKtvPMDIFrameWnd* pFrame = OpenFrameWithMenuBar();
        CKtvPMDIChildWnd* pChild = OpenFocusedChild(pFrame);
        constexpr UINT kCmd = 0x8103;
        ACCEL keys[] = {{FVIRTKEY | FALT, 'E', kCmd}};
        if (bound == Bound::MainFrame)
            pFrame->m_hAccelTable = ::CreateAcceleratorTable(keys, 1);
        else if (bound == Bound::ActiveChild)
            pChild->m_hAccelTable = ::CreateAcceleratorTable(keys, 1);

        ChordFiltered(VK_MENU, 'E');
        Pump();
        EXPECT_EQ(DroppedTitle(), bound == Bound::Nowhere ? "&Edit" : "");
        KeyFiltered(VK_ESCAPE);
        pFrame->DestroyWindow();
        Pump();
        CKtvPKeyboardManager::CleanUp();
    }
}

// In an SDI frame a key typed into a toolbar's edit box is the box's, not an
// accelerator; the same key with the focus elsewhere in the frame runs the command.
TEST_F(KtvPFrameMenuKeysTest, AnSdiFrameLeavesKeysOfAToolbarEditBoxToTheBox)
{
    CKtvPKeyboardManager keyboard;
    auto* pFrame = OpenFrameWithMenuBar<CKtvPFrameWnd>();
    constexpr UINT kCmd = 0x8104;
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'N', kCmd}};
    pFrame->m_hAccelTable = ::CreateAcceleratorTable(keys, 1);
    auto* pBar = new CKtvPToolBar;
    ASSERT_TRUE(pBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE840));
    auto* pEdit = new CKtvPToolbarEditBoxButton;
    pEdit->m_nID = 0x8105;
    ASSERT_GE(pBar->InsertButton(pEdit), 0);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pBar);
    pBar->AdjustLayout();
    Pump();
    ASSERT_NE(pEdit->GetHwnd(), nullptr);
    const UINT uiBefore = CKtvPToolBar::m_UsageCount.GetCount(kCmd);

    ::SetFocus(pEdit->GetHwnd());
    Pump();
    ChordFiltered(VK_CONTROL, 'N');
    EXPECT_EQ(CKtvPToolBar::m_UsageCount.GetCount(kCmd), uiBefore) << "the edit box has the key";

    pFrame->SetFocus();
    Pump();
    ChordFiltered(VK_CONTROL, 'N');
    EXPECT_EQ(CKtvPToolBar::m_UsageCount.GetCount(kCmd), uiBefore + 1);
}

// With the focus in a floating pane, Alt with a mnemonic still drops the frame's
// menu, Esc closes it, and the next one drops it again.
TEST_F(KtvPFrameMenuKeysTest, MnemonicsWorkWithTheFocusInAFloatingPane)
{
    CKtvPMDIFrameWnd* pFrame = OpenFrameWithMenuBar();
    auto* pPane = new CKtvPDockingControlBar;
    ASSERT_TRUE(pPane->Create("Pane", pFrame, CRect(0, 0, 150, 120), TRUE, 0xE860, WS_CHILD | WS_VISIBLE | CBRS_LEFT,
                              0x20, KTVP_CBRS_FLOAT | KTVP_CBRS_RESIZE | KTVP_CBRS_CLOSE));
    pPane->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(pPane->DockToFrameWindow(CBRS_ALIGN_LEFT));
    ASSERT_TRUE(pPane->FloatControlBar(CRect(200, 200, 350, 320), KTVP_DM_DBL_CLICK, TRUE));
    Pump();
    ASSERT_NE(pPane->GetParentMiniFrame(), nullptr);
    pPane->SetFocus();
    Pump();
    AltEThenEsc(2);
}

}  // namespace
