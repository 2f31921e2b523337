// The customise sheet over an MDI frame with the library's menu bar: the
// Menu page (the menu shown while customising, its reset, context menus
// edited as popups, the animation choice) and a screenshot of each page.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/afxwin.h"
#include "platform/win32/menu/winmenu.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "tests/ui/commandbars/MenuTestSupport.h"
#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPMenuPage.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/commandbars/KtvPToolbarsPage.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

namespace {

using menutest::Cmd;
using menutest::Sub;

constexpr UINT kDefaultMenuRes = 7601;
constexpr UINT kContextMenuRes = 7602;

// Answers every message box with the chosen button.
class MenuPageAnswerer {
public:
    explicit MenuPageAnswerer(int nAnswer) : m_nAnswer(nAnswer)
    {
        s_self = this;
        m_hook = ::SetWindowsHookEx(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~MenuPageAnswerer()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_self = nullptr;
    }
    int boxes = 0;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND && s_self != nullptr) {
            const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
            if (create->hwndParent == nullptr || (create->style & WS_CHILD) == 0) {
                s_self->boxes++;
                ::PostMessage(reinterpret_cast<HWND>(wParam), WM_COMMAND, s_self->m_nAnswer, 0);
            }
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static MenuPageAnswerer* s_self;
    int m_nAnswer;
    HHOOK m_hook = nullptr;
};
MenuPageAnswerer* MenuPageAnswerer::s_self = nullptr;

// Creates and deletes user-defined toolbars when the Toolbars page asks, as the program's main frame does.
class UserBarsFrame : public CKtvPMDIFrameWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KTVM_CREATETOOLBAR)
            return reinterpret_cast<LRESULT>(m_Impl.CreateNewToolbar(reinterpret_cast<LPCTSTR>(lParam)));
        if (message == KTVM_DELETETOOLBAR)
            return m_Impl.DeleteToolbar(reinterpret_cast<CKtvPToolBar*>(lParam));
        return CKtvPMDIFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// Fills the Toolbar Name dialog with a name and presses OK as soon as it opens.
class ToolbarNameAnswerer {
public:
    explicit ToolbarNameAnswerer(const char* name) : m_name(name)
    {
        s_self = this;
        m_hook = ::SetWindowsHookEx(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~ToolbarNameAnswerer()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_self = nullptr;
    }

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND && s_self != nullptr) {
            const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
            if ((create->style & WS_CHILD) && create->hMenu == reinterpret_cast<HMENU>(static_cast<UINT_PTR>(16516))) {
                ::PostMessage(reinterpret_cast<HWND>(wParam), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s_self->m_name));
                ::PostMessage(create->hwndParent, WM_COMMAND, IDOK, 0);
            }
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static ToolbarNameAnswerer* s_self;
    const char* m_name;
    HHOOK m_hook = nullptr;
};
ToolbarNameAnswerer* ToolbarNameAnswerer::s_self = nullptr;

class MenuPageTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        ::ShowWindow(parent, SW_HIDE);
        animationSaved = CKtvPPopupMenu::m_nAnimationType;
        CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
        menutest::RegisterMenuResource(kDefaultMenuRes, {Cmd(100, "&New"), Cmd(101, "&Open")});
        menutest::RegisterMenuResource(kContextMenuRes, {Cmd(300, "Cu&t"), Cmd(301, "&Paste")});

        frame = new UserBarsFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420)));
        ASSERT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
        frame->m_Impl.InitUserToolbars(nullptr, 0xE850, 0xE85F);
        ::SetMenu(frame->GetSafeHwnd(), menutest::Build({Sub("File", {Cmd(100, "&New"), Cmd(101, "&Open")}),
                                                         Sub("Edit", {Cmd(200, "&Copy")})}));
        ASSERT_TRUE(menuBar.Create(frame));
        menuBar.EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(&menuBar);
        frame->RecalcLayout();
        Pump();
    }
    void TearDown() override
    {
        HeadlessWindowTest::TearDown();
        delete contextMenus;
        CKtvPPopupMenu::m_nAnimationType = animationSaved;
        CKtvPMenuBar::m_bMenuShadows = TRUE;
    }

    CKtvPToolbarCustomize* OpenSheet()
    {
        auto* pSheet = new CKtvPToolbarCustomize(frame, TRUE);
        EXPECT_TRUE(pSheet->Create());
        pSheet->SetWindowPos(nullptr, 60, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Pump();
        return pSheet;
    }

    std::vector<std::string> BarTexts()
    {
        std::vector<std::string> texts;
        for (int i = 0; i < menuBar.GetCount(); i++) {
            CKtvPToolbarButton* pButton = menuBar.GetButton(i);
            if (pButton->m_nID != 0 || !pButton->m_strText.IsEmpty())
                texts.push_back(static_cast<LPCTSTR>(pButton->m_strText));
        }
        return texts;
    }

    void Snapshot(const char* name)
    {
        std::string path = TW_COMMANDBARS_TEST_BINARY_DIR;
        path += "/customize-";
        path += name;
        path += ".png";
        EXPECT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(path));
    }

    UserBarsFrame* frame = nullptr;
    CKtvPMenuBar menuBar;
    CKtvPContextMenuManager* contextMenus = nullptr;
    int animationSaved = 0;
};

TEST_F(MenuPageTest, EachPageOverTheFrameInCustomiseMode)
{
    contextMenus = new CKtvPContextMenuManager;
    ASSERT_TRUE(contextMenus->AddMenu("Editor", kContextMenuRes));
    CKtvPToolbarCustomize* pSheet = OpenSheet();
    ASSERT_EQ(pSheet->GetPageCount(), 4);
    const char* names[] = {"commands", "toolbars", "menu", "options"};
    for (int i = 0; i < 4; i++) {
        ASSERT_TRUE(pSheet->SetActivePage(i));
        Pump();
        Snapshot(names[i]);
    }
    pSheet->DestroyWindow();
    Pump();
}

TEST_F(MenuPageTest, DefaultMenuIsShownForEditingAndResetOnlyAfterYes)
{
    menuBar.SetDefaultMenuResId(kDefaultMenuRes);
    CKtvPToolbarCustomize* pSheet = OpenSheet();
    ASSERT_TRUE(pSheet->SetActivePage(pSheet->m_pMenuPage));
    Pump();
    CKtvPMenuPage* pPage = pSheet->m_pMenuPage;
    ASSERT_EQ(pPage->m_wndMenuesList.GetCount(), 1);
    CString strShown;
    pPage->m_wndMenuesList.GetLBText(pPage->m_wndMenuesList.GetCurSel(), strShown);
    EXPECT_STREQ(strShown, "Default Menu");
    EXPECT_TRUE(pPage->m_bIsDefaultMenuSelected);
    EXPECT_EQ(BarTexts(), (std::vector<std::string>{"File", "Edit"}));
    // No context-menu manager: its controls are not there.
    EXPECT_FALSE(pPage->m_wndContextMenus.IsWindowVisible());

    menuBar.RemoveButton(1);
    menuBar.AdjustLayout();
    {
        MenuPageAnswerer answerer(IDNO);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(16624, BN_CLICKED),
                           reinterpret_cast<LPARAM>(pPage->GetDlgItem(16624)->GetSafeHwnd()));
        Pump();
        EXPECT_EQ(answerer.boxes, 1);
    }
    EXPECT_EQ(BarTexts(), std::vector<std::string>{"File"});
    {
        MenuPageAnswerer answerer(IDYES);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(16624, BN_CLICKED),
                           reinterpret_cast<LPARAM>(pPage->GetDlgItem(16624)->GetSafeHwnd()));
        Pump();
    }
    // The resource's one sub-menu is back.
    EXPECT_EQ(BarTexts().size(), 1u);
    EXPECT_NE(BarTexts(), std::vector<std::string>{"File"});
    pSheet->DestroyWindow();
    Pump();
}

TEST_F(MenuPageTest, AnimationChoiceAndShadowsApplyWhenTheSheetCloses)
{
    CKtvPMenuBar::m_bMenuShadows = TRUE;
    CKtvPToolbarCustomize* pSheet = OpenSheet();
    ASSERT_TRUE(pSheet->SetActivePage(pSheet->m_pMenuPage));
    Pump();
    CKtvPMenuPage* pPage = pSheet->m_pMenuPage;
    pPage->m_wndMenuAnimations.SetCurSel(CKtvPPopupMenu::FADE);
    ASSERT_EQ(pPage->m_wndMenuAnimations.GetCount(), 4);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(16625, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(pPage->m_wndMenuAnimations.GetSafeHwnd()));
    CRect rectShadows;
    pPage->m_wndMenuShadows.GetClientRect(&rectShadows);
    Click(pPage->m_wndMenuShadows.GetSafeHwnd(), 5, rectShadows.CenterPoint().y);
    Pump();
    ASSERT_EQ(pPage->m_wndMenuShadows.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(CKtvPPopupMenu::m_nAnimationType, CKtvPPopupMenu::NO_ANIMATION);
    pSheet->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    Pump();
    EXPECT_EQ(CKtvPPopupMenu::m_nAnimationType, CKtvPPopupMenu::FADE);
    EXPECT_FALSE(CKtvPMenuBar::m_bMenuShadows);
}

TEST_F(MenuPageTest, ContextMenuOpensAsAPopupAndReopensWhereItWas)
{
    contextMenus = new CKtvPContextMenuManager;
    ASSERT_TRUE(contextMenus->AddMenu("Editor", kContextMenuRes));
    CKtvPToolbarCustomize* pSheet = OpenSheet();
    ASSERT_TRUE(pSheet->SetActivePage(pSheet->m_pMenuPage));
    Pump();
    CKtvPMenuPage* pPage = pSheet->m_pMenuPage;
    ASSERT_EQ(pPage->m_wndContextMenus.GetCount(), 2);
    EXPECT_TRUE(pPage->m_wndContextMenus.IsWindowEnabled());

    pPage->m_wndContextMenus.SetCurSel(1);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(16622, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(pPage->m_wndContextMenus.GetSafeHwnd()));
    Pump();
    ASSERT_NE(pPage->m_pContextMenu, nullptr);
    EXPECT_TRUE(pPage->m_wndResetMenuButton.IsWindowEnabled());
    CKtvPPopupMenu* pPopup = pPage->m_pContextMenu;
    ASSERT_GE(pPopup->GetMenuBar()->GetCount(), 2);
    pPopup->SetWindowPos(nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump();

    // The dash line closes the popup and keeps where it was.
    pPage->m_wndContextMenus.SetCurSel(0);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(16622, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(pPage->m_wndContextMenus.GetSafeHwnd()));
    Pump();
    EXPECT_EQ(pPage->m_pContextMenu, nullptr);
    EXPECT_EQ(CKtvPMenuPage::m_ptMenuLastPos, CPoint(300, 200));

    pPage->m_wndContextMenus.SetCurSel(1);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(16622, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(pPage->m_wndContextMenus.GetSafeHwnd()));
    Pump();
    ASSERT_NE(pPage->m_pContextMenu, nullptr);
    CRect rect;
    pPage->m_pContextMenu->GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(300, 200));
    pSheet->DestroyWindow();
    Pump();
    CKtvPMenuPage::m_ptMenuLastPos = CPoint(100, 100);
}

TEST_F(MenuPageTest, UserToolbarsAreCreatedRenamedAndDeletedThroughTheFrame)
{
    auto* pSheet = new CKtvPToolbarCustomize(frame, TRUE);
    pSheet->EnableUserDefinedToolbars();
    ASSERT_TRUE(pSheet->Create());
    pSheet->SetWindowPos(nullptr, 60, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(pSheet->SetActivePage(1));
    Pump();
    CKtvPToolbarsPage* pPage = pSheet->m_pToolbarsPage;
    const auto listed = [&] {
        std::vector<std::string> names;
        for (int i = 0; i < pPage->m_wndToolbarList.GetCount(); i++) {
            CString strName;
            pPage->m_wndToolbarList.GetText(i, strName);
            names.push_back(static_cast<LPCTSTR>(strName));
        }
        return names;
    };
    const auto press = [&](int nID) {
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                           reinterpret_cast<LPARAM>(pPage->GetDlgItem(nID)->GetSafeHwnd()));
        Pump();
    };
    const std::vector<std::string> before = listed();

    // New: the name given in the Toolbar Name dialog.
    {
        ToolbarNameAnswerer answerer("Results");
        press(16615);
    }
    CKtvPToolBar* pNew = frame->m_Impl.GetUserToolBarByIndex(0);
    ASSERT_NE(pNew, nullptr);
    EXPECT_TRUE(pNew->IsWindowVisible());
    EXPECT_EQ(pPage->m_pSelectedToolbar, pNew);
    std::vector<std::string> expected = before;
    expected.push_back("Results");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed(), expected);
    EXPECT_TRUE(pPage->GetDlgItem(16616)->IsWindowEnabled());

    // Rename: the bar takes its new alphabetical place and stays selected.
    {
        ToolbarNameAnswerer answerer("Alpha");
        press(16616);
    }
    CString strText;
    pNew->GetWindowText(strText);
    EXPECT_STREQ(strText, "Alpha");
    EXPECT_EQ(listed().front(), "Alpha");
    EXPECT_EQ(pPage->m_wndToolbarList.GetCurSel(), 0);
    EXPECT_EQ(pPage->m_pSelectedToolbar, pNew);

    // Delete after Yes.
    {
        MenuPageAnswerer answerer(IDYES);
        press(16617);
        EXPECT_EQ(answerer.boxes, 1);
    }
    EXPECT_EQ(frame->m_Impl.GetUserToolBarByIndex(0), nullptr);
    EXPECT_EQ(listed(), before);
    pSheet->DestroyWindow();
    Pump();
}

}  // namespace
