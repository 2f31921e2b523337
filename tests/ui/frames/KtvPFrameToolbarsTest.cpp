// Toolbars a library frame keeps for the user: toolbars the user made (created,
// deleted, stored and loaded again by the next frame) and toolbars torn off
// menus, whose stored state must be a toolbar for loading to go on.
#include <memory>
#include <optional>
#include <vector>

#include "platform/mfc/afxwin.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/support/ScopedAppNames.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvStoredValue.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPMDIChildWnd.h"
#include "ui/frames/KtvPMDIFrameWnd.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPCustomizeMenuButton.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvPWorkspace.h"
#include "ui/frames/KtvRegPath.h"

namespace {

constexpr char kSection[] = "FrameToolbarsTest";
constexpr UINT kUserFirst = 0xE900;
constexpr UINT kUserLast = 0xE902;

class KtvPFrameToolbarsTest : public tw::test::KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        KtvPrepareUiTest();
        names.emplace("Tarnwick", "Corvane");
        ktvtest::ForgetKey(KtvGetRegPath(kSection));
        workspace = std::make_unique<CKtvPWorkspace>(TRUE);
        workspace->SetRegistryBase(kSection);
    }
    void TearDown() override
    {
        tw::test::DestroyTopLevelWindows();
        // The menus played their sounds on a worker that must end before the process does.
        CKtvPMenuSound::Terminate();
        workspace.reset();
        ktvtest::ForgetKey(KtvGetRegPath(kSection));
        names.reset();
        KtvControlTest::TearDown();
    }

    CKtvPMDIFrameWnd* OpenFrame()
    {
        auto* pFrame = new CKtvPMDIFrameWnd;
        EXPECT_TRUE(pFrame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 440)));
        EXPECT_TRUE(pFrame->EnableDocking(CBRS_ALIGN_ANY));
        Pump();
        return pFrame;
    }
    static void Close(CKtvPMDIFrameWnd* pFrame) { pFrame->DestroyWindow(); }

    // The ids and names of the frame's user toolbars in their order.
    static std::vector<std::pair<UINT, CString>> UserBars(CKtvPFrameImpl& impl)
    {
        std::vector<std::pair<UINT, CString>> bars;
        for (int i = 0; CKtvPToolBar* pBar = impl.GetUserToolBarByIndex(i); i++) {
            CString strName;
            pBar->GetWindowText(strName);
            bars.emplace_back(static_cast<UINT>(pBar->GetDlgCtrlID()), strName);
        }
        return bars;
    }

    std::optional<tw::test::ScopedAppNames> names;
    std::unique_ptr<CKtvPWorkspace> workspace;
};

using Bars = std::vector<std::pair<UINT, CString>>;

TEST_F(KtvPFrameToolbarsTest, UserToolbarsTakeFreeIdsAndComeBackInTheNextFrameAsStored)
{
    CKtvPMDIFrameWnd* pFrame = OpenFrame();
    CKtvPFrameImpl& impl = *pFrame->GetFrameImpl();
    impl.InitUserToolbars(nullptr, kUserFirst, kUserLast);

    CKtvPToolBar* pFirst = impl.CreateNewToolbar("Mine");
    ASSERT_NE(pFirst, nullptr);
    EXPECT_TRUE(impl.IsUserDefinedToolbar(pFirst));
    ASSERT_NE(impl.CreateNewToolbar("Second"), nullptr);
    EXPECT_EQ(UserBars(impl), (Bars{{kUserFirst, "Mine"}, {kUserFirst + 1, "Second"}}));

    EXPECT_TRUE(impl.DeleteToolbar(pFirst));
    ASSERT_NE(impl.CreateNewToolbar("Third"), nullptr);
    EXPECT_EQ(UserBars(impl), (Bars{{kUserFirst + 1, "Second"}, {kUserFirst, "Third"}}))
        << "the id a deleted toolbar left is taken again";
    impl.SaveUserToolbars();
    Close(pFrame);

    pFrame = OpenFrame();
    CKtvPFrameImpl& next = *pFrame->GetFrameImpl();
    next.InitUserToolbars(nullptr, kUserFirst, kUserLast);
    next.LoadUserToolbars();
    EXPECT_EQ(UserBars(next), (Bars{{kUserFirst, "Third"}, {kUserFirst + 1, "Second"}}))
        << "loaded in the order of their ids";

    // Deleting a toolbar forgets what was stored for it.
    EXPECT_TRUE(next.DeleteToolbar(next.GetUserToolBarByIndex(0)));
    Close(pFrame);
    pFrame = OpenFrame();
    CKtvPFrameImpl& last = *pFrame->GetFrameImpl();
    last.InitUserToolbars(nullptr, kUserFirst, kUserLast);
    last.LoadUserToolbars();
    EXPECT_EQ(UserBars(last), (Bars{{kUserFirst + 1, "Second"}}));
}

// A toolbar the user makes floats in its own frame in the middle of the screen,
// shown, hides with the application like other floating toolbars, and is one
// row wide when it is floated again later.
TEST_F(KtvPFrameToolbarsTest, ANewUserToolbarFloatsInTheMiddleOfTheScreen)
{
    CKtvPMDIFrameWnd* pFrame = OpenFrame();
    CKtvPFrameImpl& impl = *pFrame->GetFrameImpl();
    impl.InitUserToolbars(nullptr, kUserFirst, kUserLast);

    CKtvPToolBar* pBar = impl.CreateNewToolbar("Mine");
    ASSERT_NE(pBar, nullptr);
    Pump();
    CKtvPMiniFrameWnd* pMiniFrame = pBar->GetParentMiniFrame();
    ASSERT_NE(pMiniFrame, nullptr) << "the new toolbar floats";
    EXPECT_TRUE(pMiniFrame->IsWindowVisible());
    EXPECT_TRUE(pBar->IsFloating());
    CRect rectFrame;
    pMiniFrame->GetWindowRect(rectFrame);
    EXPECT_EQ(rectFrame.TopLeft(),
              CPoint(::GetSystemMetrics(SM_CXFULLSCREEN) / 2, ::GetSystemMetrics(SM_CYFULLSCREEN) / 2));
    EXPECT_EQ(pBar->GetRecentDockInfo().m_rectLastFloat.Width(), 32767);
    CString strCaption;
    pMiniFrame->GetWindowText(strCaption);
    EXPECT_EQ(strCaption, "Mine");

    // Like every floating toolbar it is out of sight while the application is inactive.
    pFrame->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(pMiniFrame->IsWindowVisible());
    pFrame->SendMessage(WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(pMiniFrame->IsWindowVisible());

    // Deleting it takes its floating frame along.
    const HWND hMiniFrame = pMiniFrame->GetSafeHwnd();
    EXPECT_TRUE(impl.DeleteToolbar(pBar));
    Pump();
    EXPECT_FALSE(::IsWindow(hMiniFrame));
}

TEST_F(KtvPFrameToolbarsTest, OnlyTheFramesOwnToolbarsAreUserToolbars)
{
    CKtvPMDIFrameWnd* pFrame = OpenFrame();
    CKtvPFrameImpl& impl = *pFrame->GetFrameImpl();
    CKtvPToolBar plain;
    ASSERT_TRUE(plain.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kUserFirst));
    EXPECT_FALSE(impl.IsUserDefinedToolbar(&plain)) << "without a range no toolbar is the user's";
    EXPECT_FALSE(impl.DeleteToolbar(&plain));
    impl.InitUserToolbars(nullptr, kUserFirst, kUserLast);
    EXPECT_FALSE(impl.DeleteToolbar(&plain)) << "a toolbar the frame did not make is left alone";
    EXPECT_TRUE(::IsWindow(plain.GetSafeHwnd()));
    plain.DestroyWindow();
}

// Tear-off toolbars: what a session saves, the next one loads; an entry whose
// stored state is anything but a toolbar stops the loading there.
TEST_F(KtvPFrameToolbarsTest, TearOffToolbarsStoredAsToolbarsLoadAndAnythingElseStopsTheLoading)
{
    CKtvPMDIFrameWnd* pFrame = OpenFrame();
    CKtvPFrameImpl& impl = *pFrame->GetFrameImpl();
    for (const auto& [nID, name] : {std::pair<UINT, const char*>{0xE910, "Edit"}, {0xE911, "Query"}}) {
        auto* pBar = new CKtvPToolBar;
        ASSERT_TRUE(pBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID));
        pBar->SetWindowText(name);
        impl.AddTearOffToolbar(pBar);
    }
    impl.SaveTearOffMenus();
    Close(pFrame);

    pFrame = OpenFrame();
    CKtvPFrameImpl& next = *pFrame->GetFrameImpl();
    next.LoadTearOffMenus();
    CString strBase = workspace->GetRegSectionPath("") + "ControlBars-TearOff";
    auto storedName = [&](int n) {
        CString strKey;
        strKey.Format("%s-%d", static_cast<LPCTSTR>(strBase), n);
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
        CString strName;
        return reg.Open(strKey) && reg.Read("Name", strName) ? strName : CString("<none>");
    };
    // Saving again writes what was loaded: both bars came back.
    next.SaveTearOffMenus();
    EXPECT_EQ(storedName(0), "Edit");
    EXPECT_EQ(storedName(1), "Query");

    // The first entry's state becomes a button: loading refuses it and goes no further.
    {
        CString strKey = strBase + "-0";
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(strKey));
        CKtvPToolbarButton button(0x8001, -1, "Run");
        ASSERT_TRUE(reg.Write("State", static_cast<CObject*>(&button)));
    }
    next.LoadTearOffMenus();
    next.SaveTearOffMenus();
    EXPECT_EQ(storedName(0), "<none>") << "nothing was loaded, so nothing is stored";
    EXPECT_EQ(storedName(1), "<none>");
}

}  // namespace

namespace {

// The menu bar link: a library menu bar made in a library frame takes over the
// frame's menu line, and the frame no longer shows a window menu of its own.
// A menu line of top-level popups with one command each.
HMENU MakeMenu(std::initializer_list<const char*> titles, UINT uiFirstCmd)
{
    HMENU hMenu = ::CreateMenu();
    for (const char* title : titles) {
        HMENU hPopup = ::CreatePopupMenu();
        ::AppendMenu(hPopup, MF_STRING, uiFirstCmd++, "&Run");
        ::AppendMenu(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), title);
    }
    return hMenu;
}

std::vector<CString> MenuBarTexts(CKtvPMenuBar* pMenuBar)
{
    std::vector<CString> texts;
    for (int i = 0; i < pMenuBar->GetCount(); i++)
        if (!(pMenuBar->GetButton(i)->m_nStyle & TBBS_SEPARATOR) && !pMenuBar->GetButton(i)->m_strText.IsEmpty())
            texts.push_back(pMenuBar->GetButton(i)->m_strText);
    return texts;
}

// The menu bar link: a library menu bar made in a library frame takes over the
// frame's menu line, and the frame no longer shows a window menu of its own;
// the menu an MDI child sets goes onto the bar, and the frame's comes back.
TEST_F(KtvPFrameToolbarsTest, AMenuBarTakesOverTheFramesMenuLineAndFollowsTheChildsMenu)
{
    CKtvPMDIFrameWnd* pFrame = OpenFrame();
    HMENU hMenu = MakeMenu({"&File", "&Edit"}, 0x8001);
    ASSERT_TRUE(::SetMenu(pFrame->GetSafeHwnd(), hMenu));

    auto* pMenuBar = new CKtvPMenuBar;
    ASSERT_TRUE(pMenuBar->Create(pFrame));
    Pump();
    CKtvPFrameImpl& impl = *pFrame->GetFrameImpl();
    EXPECT_EQ(impl.m_pMenuBar, pMenuBar);
    EXPECT_EQ(impl.m_hDefaultMenu, hMenu) << "the frame keeps its menu as the default";
    EXPECT_EQ(::GetMenu(pFrame->GetSafeHwnd()), nullptr) << "the menu line is gone";
    EXPECT_EQ(MenuBarTexts(pMenuBar), (std::vector<CString>{"&File", "&Edit"}));

    HMENU hChildMenu = MakeMenu({"&File", "&Query", "&Window"}, 0x8101);
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hChildMenu), 0);
    EXPECT_EQ(MenuBarTexts(pMenuBar), (std::vector<CString>{"&File", "&Query", "&Window"}));
    EXPECT_EQ(::GetMenu(pFrame->GetSafeHwnd()), nullptr) << "still no menu line";

    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, 0, 0);
    EXPECT_EQ(MenuBarTexts(pMenuBar), (std::vector<CString>{"&File", "&Edit"})) << "without a menu, the default";
    ::DestroyMenu(hChildMenu);
}

// Commands run from the keyboard count as used, like those run from menus and
// buttons, so the menus that show the frequently used commands know them.
TEST_F(KtvPFrameToolbarsTest, AcceleratorCommandsCountAsUsed)
{
    CKtvPKeyboardManager keyboard;
    CKtvPMDIFrameWnd* pFrame = OpenFrame();
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'N', 0x8001}};
    pFrame->m_hAccelTable = ::CreateAcceleratorTable(keys, 1);
    pFrame->SetFocus();
    Pump();
    CKtvPCommandUsage& usage = CKtvPToolBar::m_UsageCount;
    const UINT uiBefore = usage.GetCount(0x8001);
    const UINT uiOtherBefore = usage.GetCount(0x8002);

    ChordFiltered(VK_CONTROL, 'N');
    ChordFiltered(VK_CONTROL, 'N');
    EXPECT_EQ(usage.GetCount(0x8001), uiBefore + 2);
    // A key bound to nothing counts nothing.
    ChordFiltered(VK_CONTROL, 'M');
    EXPECT_EQ(usage.GetCount(0x8002), uiOtherBefore);
    pFrame->DestroyWindow();
    CKtvPKeyboardManager::CleanUp();
}

// WM_MENUCHAR: a mnemonic of the library menu bar drops its popup down and the
// frame answers that it has handled the key; an unknown one is left to the system.
TEST_F(KtvPFrameToolbarsTest, MenuCharOpensTheMenuBarsPopupForItsMnemonic)
{
    // The character comes as typed: Alt+e and Alt+Shift+E both open "&Edit".
    for (UINT nChar : {'e', 'E'}) {
        CKtvPMDIFrameWnd* pFrame = OpenFrame();
        ASSERT_TRUE(::SetMenu(pFrame->GetSafeHwnd(), MakeMenu({"&File", "&Edit"}, 0x8001)));
        auto* pMenuBar = new CKtvPMenuBar;
        ASSERT_TRUE(pMenuBar->Create(pFrame));
        Pump();

        EXPECT_EQ(pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('q', MF_SYSMENU), 0) >> 16, 0)
            << "no item has this mnemonic";
        EXPECT_EQ(pMenuBar->GetDroppedDownMenu(), nullptr);

        int iDropped = -1;
        EXPECT_EQ(pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM(nChar, MF_SYSMENU), 0) >> 16, 0xFFFF) << nChar;
        Pump();
        ASSERT_NE(pMenuBar->GetDroppedDownMenu(&iDropped), nullptr) << nChar;
        EXPECT_EQ(pMenuBar->GetButton(iDropped)->m_strText, "&Edit");
        Key(VK_ESCAPE);
        Pump();
        pFrame->DestroyWindow();
        Pump();
    }
}

// The Window menu of the library menu bar lists the children after a separator,
// the active one checked, and ends with the item that opens the Windows dialog.
TEST_F(KtvPFrameToolbarsTest, TheWindowMenuListsTheChildrenAndTheWindowsDialogItem)
{
    CKtvPMDIFrameWnd* pFrame = OpenFrame();
    constexpr UINT kWindowsDlgId = 0x8200;
    pFrame->EnableWindowsDialog(kWindowsDlgId, "&Windows...", TRUE);
    HMENU hMenu = ::CreateMenu();
    HMENU hWindow = ::CreatePopupMenu();
    ::AppendMenu(hWindow, MF_STRING, ID_WINDOW_NEW, "&New Window");
    ::AppendMenu(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hWindow), "&Window");
    ASSERT_TRUE(::SetMenu(pFrame->GetSafeHwnd(), hMenu));
    auto* pMenuBar = new CKtvPMenuBar;
    ASSERT_TRUE(pMenuBar->Create(pFrame));
    for (const char* title : {"Query1", "Query2"}) {
        auto* pChild = new CKtvPMDIChildWnd;
        ASSERT_TRUE(pChild->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                   CFrameWnd::rectDefault, pFrame));
        pChild->InitialUpdateFrame(nullptr, TRUE);
    }
    // As an application does once its children are up: the client lists them in the Window popup.
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu),
                  reinterpret_cast<LPARAM>(hWindow));
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    Pump();

    pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('W', MF_SYSMENU), 0);
    Pump();
    CKtvPToolbarMenuButton* pDropped = pMenuBar->GetDroppedDownMenu();
    ASSERT_NE(pDropped, nullptr);
    ASSERT_NE(pDropped->m_pPopupMenu, nullptr);
    std::vector<CString> texts;
    CKtvPPopupMenu* pPopup = pDropped->m_pPopupMenu;
    for (int i = 0; i < pPopup->GetMenuItemCount(); i++) {
        CKtvPToolbarButton* pItem = pPopup->GetMenuItem(i);
        CString strText = (pItem->m_nStyle & TBBS_SEPARATOR) ? CString("-") : pItem->m_strText;
        if (pItem->m_nStyle & TBBS_CHECKED)
            strText += " *";
        texts.push_back(strText);
    }
    EXPECT_EQ(texts, (std::vector<CString>{"&New Window", "-", "&1 Query1", "&2 Query2 *", "&Windows..."}));
    Key(VK_ESCAPE);
    Pump();
}

}  // namespace

namespace {

// The "Add or Remove Buttons" list of a toolbar in a library frame, opened from
// the toolbar's chevron by keys: the buttons on the bar, checked while shown,
// the default buttons the user removed at their default places, unchecked,
// then a separator and the reset item.
TEST_F(KtvPFrameToolbarsTest, TheAddOrRemoveListShowsPresentAndRemovedButtons)
{
    CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
    CKtvPMDIFrameWnd* pFrame = OpenFrame();
    auto* pBar = new CKtvPToolBar;
    ASSERT_TRUE(pBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE830));
    const UINT ids[] = {ID_FILE_NEW, ID_FILE_OPEN, 0, ID_FILE_SAVE, ID_FILE_CLOSE};
    ASSERT_TRUE(pBar->SetButtons(ids, 5));
    pBar->EnableCustomizeButton(TRUE, 0x8300, "Customize...", TRUE);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pBar);
    // The user took Open and Close off the bar and hid Save.
    ASSERT_TRUE(pBar->RemoveButton(4));
    ASSERT_TRUE(pBar->RemoveButton(1));
    pBar->GetButton(2)->m_bVisible = FALSE;
    pBar->AdjustLayout();
    Pump();

    CCustomizeButton* pChevron = pBar->m_pCustomizeBtn;
    ASSERT_NE(pChevron, nullptr);
    ASSERT_TRUE(pChevron->OpenPopupMenu(pBar));
    Pump();
    CKtvPPopupMenu* pOptions = pChevron->m_pPopupMenu;
    ASSERT_NE(pOptions, nullptr);
    // The last item opens the list of the row's toolbars, whose entry opens this bar's list.
    pOptions->SendMessage(WM_KEYDOWN, VK_END);
    pOptions->SendMessage(WM_KEYDOWN, VK_RIGHT);
    Pump();
    CKtvPPopupMenu* pToolbars = CKtvPPopupMenu::m_pActivePopupMenu;
    ASSERT_NE(pToolbars, nullptr);
    ASSERT_NE(pToolbars, pOptions);
    pToolbars->SendMessage(WM_KEYDOWN, VK_HOME);
    pToolbars->SendMessage(WM_KEYDOWN, VK_RIGHT);
    Pump();
    CKtvPPopupMenu* pList = CKtvPPopupMenu::m_pActivePopupMenu;
    ASSERT_NE(pList, nullptr);
    ASSERT_NE(pList, pToolbars);

    EXPECT_EQ(CKtvPFrameImpl::m_pCustomizeToolbar, pBar);
    std::vector<CString> items;
    for (int i = 0; i < pList->GetMenuItemCount(); i++) {
        CKtvPToolbarButton* pItem = pList->GetMenuItem(i);
        if (pItem->m_nStyle & TBBS_SEPARATOR) {
            items.push_back("-");
            continue;
        }
        auto* pCustomize = DYNAMIC_DOWNCAST(CKtvPCustomizeMenuButton, pItem);
        CString strItem;
        if (pItem->m_nID == (UINT)-20)
            strItem = pItem->m_strText;
        else
            strItem.Format("%x", pItem->m_nID);
        if (pCustomize != nullptr && pCustomize->m_bChecked)
            strItem += " *";
        items.push_back(strItem);
    }
    CString strNew, strOpen, strSave, strCopy;
    strNew.Format("%x *", ID_FILE_NEW);
    strOpen.Format("%x", ID_FILE_OPEN);
    strSave.Format("%x", ID_FILE_SAVE);
    strCopy.Format("%x", ID_FILE_CLOSE);
    EXPECT_EQ(items, (std::vector<CString>{strNew, strOpen, strSave, strCopy, "-", "&Reset Toolbar"}));
    pList->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    Pump();
    pFrame->DestroyWindow();
    Pump();
}

}  // namespace

namespace {

// A menu of the menu bar torn off floats as a toolbar named after the menu, and
// the frame keeps it among its tear-off toolbars; tearing it off again moves the
// same bar.
TEST_F(KtvPFrameToolbarsTest, AMenuTornOffFloatsAsAToolbarOfTheFrame)
{
    CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
    CKtvPMDIFrameWnd* pFrame = OpenFrame();
    ASSERT_TRUE(::SetMenu(pFrame->GetSafeHwnd(), MakeMenu({"&File", "&Edit"}, 0x8001)));
    auto* pMenuBar = new CKtvPMenuBar;
    ASSERT_TRUE(pMenuBar->Create(pFrame));
    Pump();
    constexpr UINT kTearOffId = 0xE850;

    auto tearOffEdit = [&](CPoint ptClient) {
        pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('e', MF_SYSMENU), 0);
        Pump();
        CKtvPToolbarMenuButton* pDropped = pMenuBar->GetDroppedDownMenu();
        EXPECT_NE(pDropped, nullptr);
        if (pDropped == nullptr || pDropped->m_pPopupMenu == nullptr)
            return FALSE;
        pDropped->m_uiTearOffId = kTearOffId;
        // A new bar follows the mouse until the button comes up: the release
        // is queued before the drag starts.
        if (pFrame->GetControlBar(kTearOffId) == nullptr)
            ::PostMessage(pFrame->GetSafeHwnd(), WM_LBUTTONUP, 0, 0);
        const BOOL bTorn = pDropped->m_pPopupMenu->TearOff(ptClient);
        // The drag that tears a menu off ends with the menu closed.
        if (pDropped->m_pPopupMenu != nullptr)
            pDropped->m_pPopupMenu->SendMessage(WM_CLOSE);
        Pump();
        return bTorn;
    };
    ASSERT_TRUE(tearOffEdit(CPoint(5, 5)));
    auto* pBar = dynamic_cast<CKtvPToolBar*>(pFrame->GetControlBar(kTearOffId));
    ASSERT_NE(pBar, nullptr);
    CKtvPMiniFrameWnd* pMiniFrame = pBar->GetParentMiniFrame();
    ASSERT_NE(pMiniFrame, nullptr) << "the torn-off menu floats";
    EXPECT_TRUE(pMiniFrame->IsWindowVisible());
    CString strName;
    pBar->GetWindowText(strName);
    EXPECT_EQ(strName, "Edit");
    EXPECT_NE(pFrame->GetFrameImpl()->m_listTearOffToolbars.Find(pBar), nullptr);

    ASSERT_TRUE(tearOffEdit(CPoint(40, 30)));
    EXPECT_EQ(pFrame->GetControlBar(kTearOffId), pBar) << "no second bar";
    EXPECT_EQ(pFrame->GetFrameImpl()->m_listTearOffToolbars.GetCount(), 1);
    pFrame->DestroyWindow();
    Pump();
}

}  // namespace

namespace {

// A button that tells when the bar holding it is deleted.
class KtvGoneFlagButton : public CKtvPToolbarButton {
public:
    explicit KtvGoneFlagButton(bool* pGone) : CKtvPToolbarButton(0x8100, -1, "Flag"), m_pGone(pGone) {}
    ~KtvGoneFlagButton() override { *m_pGone = true; }

private:
    bool* m_pGone;
};

// A frame that marks every torn-off bar with such a button.
class KtvTearOffMarkingFrame : public CKtvPMDIFrameWnd {
public:
    BOOL OnTearOffMenu(CKtvPPopupMenu* pMenuPopup, CKtvPControlBar* pBar) override
    {
        tornBar = pBar;
        if (auto* pToolBar = dynamic_cast<CKtvPToolBar*>(pBar))
            pToolBar->InsertButton(new KtvGoneFlagButton(&barGone));
        return CKtvPMDIFrameWnd::OnTearOffMenu(pMenuPopup, pBar);
    }

    CKtvPControlBar* tornBar = nullptr;
    bool barGone = false;
};

// Escape during the drag that tears a menu off cancels it: the new bar goes
// completely, the frame and its dock manager no longer know it, and the menu
// can be torn off again.
TEST_F(KtvPFrameToolbarsTest, ACancelledTearOffLeavesNoBarBehind)
{
    CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
    auto* pFrame = new KtvTearOffMarkingFrame;
    ASSERT_TRUE(pFrame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 440)));
    ASSERT_TRUE(pFrame->EnableDocking(CBRS_ALIGN_ANY));
    ASSERT_TRUE(::SetMenu(pFrame->GetSafeHwnd(), MakeMenu({"&File", "&Edit"}, 0x8001)));
    auto* pMenuBar = new CKtvPMenuBar;
    ASSERT_TRUE(pMenuBar->Create(pFrame));
    Pump();
    constexpr UINT kTearOffId = 0xE851;

    pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('e', MF_SYSMENU), 0);
    Pump();
    CKtvPToolbarMenuButton* pDropped = pMenuBar->GetDroppedDownMenu();
    ASSERT_NE(pDropped, nullptr);
    ASSERT_NE(pDropped->m_pPopupMenu, nullptr);
    pDropped->m_uiTearOffId = kTearOffId;
    // The user presses Escape while the torn-off bar follows the mouse.
    pFrame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(pDropped->m_pPopupMenu->TearOff(CPoint(5, 5)));
    ASSERT_NE(pFrame->tornBar, nullptr);
    EXPECT_TRUE(pFrame->barGone) << "the cancelled bar's object is deleted";
    EXPECT_EQ(pFrame->GetControlBar(kTearOffId), nullptr);
    EXPECT_TRUE(pFrame->GetFrameImpl()->m_listTearOffToolbars.IsEmpty());
    if (pDropped->m_pPopupMenu != nullptr)
        pDropped->m_pPopupMenu->SendMessage(WM_CLOSE);
    Pump();
    // The frame lays out and closes without touching the gone bar.
    pFrame->RecalcLayout();
    pFrame->DestroyWindow();
    Pump();
}

}  // namespace

namespace {

// A user toolbar left floating comes back floating at the same place when the
// workspace state is saved with one frame and loaded into the next.
TEST_F(KtvPFrameToolbarsTest, AFloatingUserToolbarComesBackFloatingWhereItWas)
{
    CKtvPMDIFrameWnd* pFrame = OpenFrame();
    pFrame->GetFrameImpl()->InitUserToolbars(nullptr, kUserFirst, kUserLast);
    CKtvPToolBar* pBar = pFrame->GetFrameImpl()->CreateNewToolbar("Mine");
    ASSERT_NE(pBar, nullptr);
    Pump();
    ASSERT_NE(pBar->GetParentMiniFrame(), nullptr);
    pBar->GetParentMiniFrame()->SetWindowPos(nullptr, 150, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    CRect rectBefore;
    pBar->GetParentMiniFrame()->GetWindowRect(rectBefore);
    ASSERT_TRUE(workspace->SaveState(nullptr, pFrame->GetFrameImpl()));
    Close(pFrame);
    Pump();

    pFrame = OpenFrame();
    pFrame->GetFrameImpl()->InitUserToolbars(nullptr, kUserFirst, kUserLast);
    ASSERT_TRUE(workspace->LoadState(nullptr, pFrame->GetFrameImpl()));
    Pump();
    CKtvPToolBar* pLoaded = pFrame->GetFrameImpl()->GetUserToolBarByIndex(0);
    ASSERT_NE(pLoaded, nullptr);
    CKtvPMiniFrameWnd* pMiniFrame = pLoaded->GetParentMiniFrame();
    ASSERT_NE(pMiniFrame, nullptr) << "it floats again";
    EXPECT_TRUE(pMiniFrame->IsWindowVisible());
    CRect rectAfter;
    pMiniFrame->GetWindowRect(rectAfter);
    EXPECT_EQ(rectAfter.TopLeft(), rectBefore.TopLeft());
}

}  // namespace

namespace {

// A user toolbar docked by the user can be dragged off its dock bar by its
// gripper and floats where it was dropped.
TEST_F(KtvPFrameToolbarsTest, ADockedUserToolbarDraggedByItsGripperFloats)
{
    CKtvPMDIFrameWnd* pFrame = OpenFrame();
    CKtvPFrameImpl& impl = *pFrame->GetFrameImpl();
    impl.InitUserToolbars(nullptr, kUserFirst, kUserLast);
    CKtvPToolBar* pBar = impl.CreateNewToolbar("Mine");
    ASSERT_NE(pBar, nullptr);
    const UINT ids[] = {ID_FILE_NEW, ID_FILE_OPEN};
    ASSERT_TRUE(pBar->SetButtons(ids, 2));
    pFrame->DockControlBar(pBar);
    pFrame->RecalcLayout();
    Pump();
    ASSERT_EQ(pBar->GetParentMiniFrame(), nullptr) << "docked";

    CRect rectBar;
    pBar->GetWindowRect(rectBar);
    const CPoint ptGripper(rectBar.left + 3, rectBar.CenterPoint().y);
    tw::ProcessClock::Advance(1000);
    input.MouseMove(ptGripper.x, ptGripper.y);
    Pump();
    input.ButtonDown(tw::display::MouseButton::Left, ptGripper.x, ptGripper.y);
    Pump();
    CPoint pt = ptGripper;
    for (int i = 0; i < 6; i++) {
        pt += CPoint(10, 30);
        input.MouseMove(pt.x, pt.y);
        Pump();
    }
    input.ButtonUp(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
    EXPECT_NE(pBar->GetParentMiniFrame(), nullptr) << "dragged off, it floats";
}

}  // namespace
