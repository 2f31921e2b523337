// The main window's own commands, run the way a user runs them: from the
// menus, by the keys of its accelerator table and from its toolbars, on the
// program started in this process as main() starts it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

#include "app/AboutDlg.h"
#include "app/AppHome.h"
#include "app/MainFrame.h"
#include "app/MainFrameCommandIds.h"
#include "app/TarnwickApp.h"
#include "resources/resource.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CCreateContext.h"
#include "platform/mfc/CDocManager.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CMDIChildWnd.h"
#include "platform/mfc/CView.h"
#include "platform/mfc/CWinApp.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "tests/support/window/RecordingSpawner.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPGlobalData.h"

// Rectangles in failure messages.
void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

// A script document that keeps what it loaded.
class CCmdTestScriptDoc : public CDocument {
    DECLARE_DYNCREATE(CCmdTestScriptDoc)
public:
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override
    {
        std::ifstream in(lpszPathName);
        if (!in)
            return FALSE;
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        m_strText = text.c_str();
        m_nLoads++;
        SetModifiedFlag(FALSE);
        return TRUE;
    }
    CString m_strText;
    int m_nLoads = 0;
};
IMPLEMENT_DYNCREATE(CCmdTestScriptDoc, CDocument)

// Another kind of window's document (a tool window, a designer).
class CCmdTestToolDoc : public CCmdTestScriptDoc {
    DECLARE_DYNCREATE(CCmdTestToolDoc)
};
IMPLEMENT_DYNCREATE(CCmdTestToolDoc, CCmdTestScriptDoc)

class CCmdTestView : public CView {
    DECLARE_DYNCREATE(CCmdTestView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CCmdTestView, CView)

// What a child window saw of the main window when it was first asked to close.
struct CmdTestCloseRecord {
    bool asked = false;
    CRect frameRect{0, 0, 0, 0};
    BOOL fullScreen = FALSE;
};

// A child window that keeps that record (the test's, as the window may go
// with the main window) and may refuse to close, as a window still
// cancelling its batch does.
class CCmdTestChild : public CMDIChildWnd {
public:
    bool refuse = false;
    CmdTestCloseRecord own;
    CmdTestCloseRecord* record = &own;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CLOSE && !record->asked) {
            record->asked = true;
            if (auto* pFrame = dynamic_cast<CMainFrame*>(GetMDIFrame())) {
                pFrame->GetWindowRect(record->frameRect);
                record->fullScreen = pFrame->m_bFullScreen;
            }
        }
        if (message == WM_CLOSE && refuse)
            return 0;
        return CMDIChildWnd::WindowProc(message, wParam, lParam);
    }
};

namespace {

using tw::test::HeadlessWindowTest;

CTarnwickApp& CommandsTestApp()
{
    // One application object per process; the other tests of this folder may have made it.
    if (auto* pApp = dynamic_cast<CTarnwickApp*>(AfxGetApp()))
        return *pApp;
    static CTarnwickApp app;
    return app;
}

// A spawner whose every start fails, as on a desktop without an opener.
class FailingCmdTestSpawner : public tw::shell::ProcessSpawner {
public:
    int Spawn(const std::vector<std::string>&, const std::string&) override { return ENOENT; }
};

// The enabled and checked state an item of the interface would get.
class CmdStateProbe : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { checked = nCheck; }
    BOOL enabled = TRUE;
    int checked = 0;
};

constexpr UINT kDialogSeen = WM_APP + 41;

class MainFrameCommandsTest : public HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        static const bool registered = tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());
        (void)registered;
        CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
        KtvInitGlobalData();
        s_self = this;
        hook = ::SetWindowsHookEx(WH_CBT, &DialogHook, nullptr, ::GetCurrentThreadId());
        if (StartsWithTheTest()) {
            ASSERT_TRUE(Start(""));
        }
    }
    virtual bool StartsWithTheTest() const { return true; }
    // Starts the program with a command line, as main() does; the main window
    // is kept when start-up made one.
    BOOL Start(const std::string& commandLine)
    {
        CTarnwickApp& app = CommandsTestApp();
        app.m_nCmdShow = SW_SHOWMAXIMIZED;
        cmdLine = commandLine;
        app.m_lpCmdLine = cmdLine.data();
        app.m_pMainWnd = nullptr;
        const BOOL bStarted = app.InitInstance();
        app.m_lpCmdLine = nullptr;
        frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
        frameHwnd = frame ? frame->GetSafeHwnd() : nullptr;
        Pump();
        if (frame && ::IsWindow(frameHwnd))
            Idle();
        return bStarted;
    }
    void TearDown() override
    {
        ::UnhookWindowsHookEx(hook);
        s_self = nullptr;
        tw::shell::SetProcessSpawner(nullptr);
        HeadlessWindowTest::TearDown();
    }

    void Idle()
    {
        CommandsTestApp().OnIdle(0);
        Pump();
    }
    void Command(UINT nID)
    {
        frame->SendMessage(WM_COMMAND, nID);
        Pump();
    }
    CmdStateProbe State(UINT nID)
    {
        CmdStateProbe probe;
        probe.m_nID = nID;
        probe.DoUpdate(frame, TRUE);
        return probe;
    }
    // A key with its modifiers, pressed on the main window as a user would.
    void Keys(std::initializer_list<UINT> modifiers, UINT vk)
    {
        ::SetActiveWindow(frameHwnd);
        ::SetFocus(frameHwnd);
        for (UINT m : modifiers)
            input.KeyDown(m);
        input.KeyStroke(vk);
        for (UINT m : modifiers)
            input.KeyUp(m);
        // Through the program's own loop, which gives the frame its keys first.
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && CommandsTestApp().PumpMessage()) {
        }
        Pump();
    }

    CCmdTestChild* AddChild(const char* title, CDocument* pDoc = nullptr)
    {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CCmdTestView);
        context.m_pCurrentDoc = pDoc;
        auto* child = new CCmdTestChild;
        EXPECT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                  CFrameWnd::rectDefault, frame, nullptr, 0, &context));
        child->InitialUpdateFrame(pDoc, TRUE);
        Pump();
        return child;
    }
    int ChildCount() const
    {
        int count = 0;
        for (HWND h = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
            count++;
        return count;
    }

    // A pane of the View menu, made here when the frame has none of that id.
    CKtvPBaseControlBar* Pane(UINT nID, const char* caption)
    {
        if (CKtvPBaseControlBar* pBar = frame->GetControlBar(nID))
            return pBar;
        auto pane = std::make_unique<CKtvPDockingControlBar>();
        EXPECT_TRUE(pane->Create(caption, frame, CRect(0, 0, 200, 200), TRUE, nID,
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_LEFT, 0x20, 0x0F));
        pane->EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(pane.get());
        frame->RecalcLayout();
        Pump();
        panes.push_back(std::move(pane));
        return panes.back().get();
    }

    // Opens a menu of the menu bar with a click and reads its items: the
    // command of each with "-" in front when greyed and "*" when checked.
    std::map<UINT, std::string> MenuItems(const char* label)
    {
        std::map<UINT, std::string> items;
        CKtvPToolbarMenuButton* pMenu = nullptr;
        for (int i = 0; i < frame->m_wndMenuBar.GetCount(); i++) {
            auto* pButton = dynamic_cast<CKtvPToolbarMenuButton*>(frame->m_wndMenuBar.GetButton(i));
            if (pButton && pButton->m_strText == label)
                pMenu = pButton;
        }
        EXPECT_NE(pMenu, nullptr) << label;
        if (!pMenu)
            return items;
        const CPoint center = pMenu->m_rect.CenterPoint();
        Click(frame->m_wndMenuBar.GetSafeHwnd(), center.x, center.y);
        Idle();
        CKtvPPopupMenu* pPopup = pMenu->m_pPopupMenu;
        EXPECT_NE(pPopup, nullptr) << label;
        if (!pPopup)
            return items;
        for (int i = 0; i < pPopup->GetMenuItemCount(); i++) {
            CKtvPToolbarButton* pItem = pPopup->GetMenuItem(i);
            if (pItem->m_nID == 0 || pItem->m_nID == static_cast<UINT>(-1))
                continue;
            std::string state;
            if (pItem->m_nStyle & TBBS_DISABLED)
                state += "-";
            if (pItem->m_nStyle & TBBS_CHECKED)
                state += "*";
            items[pItem->m_nID] = state;
        }
        pPopup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
        Pump();
        return items;
    }

    LRESULT HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && onParentCommand) {
            onParentCommand(LOWORD(wParam));
            return 0;
        }
        if (message != kDialogSeen)
            return HeadlessWindowTest::HandleParentMessage(hwnd, message, wParam, lParam);
        const HWND hwndDialog = reinterpret_cast<HWND>(wParam);
        if (!::IsWindow(hwndDialog))
            return 0;
        std::string texts;
        for (HWND h = ::GetWindow(hwndDialog, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            char text[512] = {};
            ::GetWindowText(h, text, sizeof(text));
            texts += text;
            texts += "\n";
        }
        dialogTexts.push_back(texts);
        if (onDialog)
            onDialog(hwndDialog);
        ::PostMessage(hwndDialog, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }

    CMainFrame* frame = nullptr;
    HWND frameHwnd = nullptr;
    std::string cmdLine;
    std::vector<std::unique_ptr<CKtvPDockingControlBar>> panes;
    // The text of every control of each dialog and message box that opened.
    std::vector<std::string> dialogTexts;
    std::function<void(HWND)> onDialog;
    std::function<void(UINT)> onParentCommand;

private:
    // Dialogs and message boxes are read and closed once their modal loop runs.
    static LRESULT CALLBACK DialogHook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND && s_self != nullptr) {
            const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
            if ((create->style & WS_CHILD) == 0 && create->lpszClass != nullptr &&
                !IS_INTRESOURCE(create->lpszClass) && std::string(create->lpszClass) == WC_DIALOG)
                ::PostMessage(s_self->parent, kDialogSeen, wParam, 0);
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static MainFrameCommandsTest* s_self;
    HHOOK hook = nullptr;
};
MainFrameCommandsTest* MainFrameCommandsTest::s_self = nullptr;

// Commands whose windows and dialogs come with later parts of the program
// are greyed; the frame's own ones are there to use.
TEST_F(MainFrameCommandsTest, MenusGreyTheCommandsThatHaveNothingToRunYet)
{
    struct Menu {
        const char* label;
        std::map<UINT, std::string> expected;
    };
    const Menu menus[] = {
        {"&File", {{57600, ""}, {57601, ""}, {57665, ""}}},
        {"Session", {{32840, ""}, {32841, ""}, {32842, ""}, {32843, ""}, {32844, ""}}},
        {"&Tools", {{40268, "-"}, {40140, "-"}, {40141, "-"}, {40269, ""}, {32816, ""}, {32770, ""}}},
        {"&Help", {{40131, ""}, {40135, ""}, {61448, ""}, {40133, ""}, {40134, ""}, {57664, ""}}},
    };
    for (const Menu& menu : menus) {
        std::map<UINT, std::string> items = MenuItems(menu.label);
        for (const auto& [id, state] : menu.expected) {
            ASSERT_TRUE(items.count(id)) << menu.label << " " << id;
            EXPECT_EQ(items[id], state) << menu.label << " " << id;
        }
    }
    // The object tree's commands have their handlers in the frame; they act on
    // the tree's selection.
    EXPECT_TRUE(State(40020).enabled);
}

// Each key of the frame's table sends its command, as the menu labels say.
TEST_F(MainFrameCommandsTest, TheAcceleratorTableSendsTheLabelledCommands)
{
    struct Key {
        std::vector<UINT> modifiers;
        UINT vk;
        UINT command;
    };
    const Key keys[] = {
        {{VK_CONTROL}, 'N', 57600},           {{VK_CONTROL}, 'Q', 32840},
        {{VK_CONTROL}, VK_F4, 32841},         {{VK_MENU}, VK_F4, 32842},
        {{}, VK_F8, 32772},                   {{}, VK_F9, 32773},
        {{VK_MENU}, '2', 32775},              {{}, VK_F5, 32850},
        {{VK_CONTROL}, VK_F5, 32852},         {{VK_CONTROL}, 'H', 57641},
        {{VK_CONTROL}, 'U', 37128},           {{VK_CONTROL, VK_SHIFT}, 'U', 37127},
        {{VK_CONTROL}, VK_F2, 37223},         {{VK_CONTROL, VK_SHIFT}, VK_F2, 37226},
        {{VK_CONTROL, VK_SHIFT}, VK_DELETE, 57633}, {{VK_SHIFT}, VK_DELETE, 57635},
        {{VK_MENU}, VK_BACK, 57643},          {{VK_SHIFT}, VK_TAB, 37004},
    };
    HACCEL hAccel = ::LoadAccelerators(tw::ProgramInstance(), MAKEINTRESOURCE(IDR_TW_MAINFRAME));
    ASSERT_NE(hAccel, nullptr);
    for (const Key& key : keys) {
        BYTE state[256] = {};
        for (UINT m : key.modifiers)
            state[m] = 0x80;
        ::SetKeyboardState(state);
        const bool alt = std::find(key.modifiers.begin(), key.modifiers.end(), VK_MENU) != key.modifiers.end();
        MSG msg{parent, static_cast<UINT>(alt ? WM_SYSKEYDOWN : WM_KEYDOWN), key.vk, alt ? (1 << 29) : 0, 0, {}};
        // The command arrives at the window the table is translated for: here the test's.
        std::vector<UINT> commands;
        onParentCommand = [&](UINT id) { commands.push_back(id); };
        EXPECT_TRUE(::TranslateAccelerator(parent, hAccel, &msg)) << key.vk;
        onParentCommand = nullptr;
        EXPECT_EQ(commands, std::vector<UINT>{key.command}) << key.vk;
    }
    BYTE none[256] = {};
    ::SetKeyboardState(none);
    ::DestroyAcceleratorTable(hAccel);
}

// Disconnect All closes every window one by one, however it is asked for:
// from the menu, or by Alt+F4, which leaves the main window open.
TEST_F(MainFrameCommandsTest, DisconnectAllClosesEveryWindowAndAltF4KeepsTheMainWindow)
{
    const std::function<void()> ways[] = {
        [this] { Command(ID_TW_DISCONNECT_ALL); },
        [this] { Keys({VK_MENU}, VK_F4); },
    };
    for (const auto& run : ways) {
        AddChild("Query 1");
        AddChild("Query 2");
        AddChild("Designer");
        ASSERT_EQ(ChildCount(), 3);
        run();
        EXPECT_EQ(ChildCount(), 0);
        ASSERT_TRUE(::IsWindow(frameHwnd));
        EXPECT_TRUE(frame->IsWindowVisible());
        EXPECT_STREQ(frame->m_wndStatusBar.GetPaneByIndex(1)->lpszText, "Total # of connections: 0");
        const LPCTSTR lpszMessage = frame->m_wndStatusBar.GetPaneByIndex(0)->lpszText;
        EXPECT_STREQ(lpszMessage != nullptr ? lpszMessage : "", "") << "the message pane is empty";
        EXPECT_FALSE(frame->m_bDisconnectingAll);
        // Releasing Alt after Alt+F4 ends the chord: the menu bar does not take the focus.
        EXPECT_NE(::GetFocus(), frame->m_wndMenuBar.GetSafeHwnd());
    }
}

// A window that cannot close yet stops the round; the ones it has not come
// to stay open. Disconnect closes only the active window, of any kind.
TEST_F(MainFrameCommandsTest, DisconnectAllStopsAtAWindowThatStaysAndDisconnectClosesTheActiveOne)
{
    CCmdTestChild* first = AddChild("First");
    CCmdTestChild* busy = AddChild("Busy");
    busy->refuse = true;
    AddChild("Last");
    Command(ID_TW_DISCONNECT_ALL);
    EXPECT_EQ(ChildCount(), 2);
    EXPECT_TRUE(busy->own.asked);
    EXPECT_FALSE(first->own.asked);

    busy->refuse = false;
    frame->MDIActivate(first);
    Keys({VK_CONTROL}, VK_F4);
    EXPECT_EQ(ChildCount(), 1);
    EXPECT_EQ(frame->MDIGetActive(), busy);
    EXPECT_TRUE(::IsWindow(frameHwnd));
}

// The View commands show and hide their panes and tick those shown; the
// Snippets command works on the Snippets pane, not on the Project pane that
// shares its number. Without its pane a command is greyed.
TEST_F(MainFrameCommandsTest, ViewCommandsToggleTheirPanesAndTickTheShownOnes)
{
    const bool framePanes = frame->GetControlBar(IDW_TW_OBJECT_PANE) != nullptr;
    if (!framePanes) {
        const UINT commands[] = {ID_TW_VIEW_OBJECT_TREE, ID_TW_VIEW_OUTPUT, ID_TW_VIEW_SNIPPETS};
        for (UINT id : commands)
            EXPECT_FALSE(State(id).enabled) << id;
    }
    CKtvPBaseControlBar* project = Pane(40267, "Project");
    const BOOL projectShown = project->IsVisible();
    struct Toggle {
        UINT command;
        CKtvPBaseControlBar* pane;
    };
    const Toggle toggles[] = {{ID_TW_VIEW_OBJECT_TREE, Pane(IDW_TW_OBJECT_PANE, "Object")},
                              {ID_TW_VIEW_OUTPUT, Pane(IDW_TW_OUTPUT_PANE, "Output")},
                              {ID_TW_VIEW_SNIPPETS, Pane(IDW_TW_SNIPPETS_PANE, "Snippets")}};
    for (const Toggle& t : toggles) {
        const BOOL shown = t.pane->IsVisible();
        EXPECT_TRUE(State(t.command).enabled) << t.command;
        EXPECT_EQ(State(t.command).checked, shown ? 1 : 0) << t.command;
        Command(t.command);
        EXPECT_EQ(t.pane->IsVisible(), !shown) << t.command;
        EXPECT_EQ(State(t.command).checked, shown ? 0 : 1) << t.command;
        Command(t.command);
        EXPECT_EQ(t.pane->IsVisible(), shown) << t.command;
    }
    EXPECT_EQ(project->IsVisible(), projectShown);

    // F8 and Alt+2 are the keys of the Object and Output panes.
    const BOOL objectShown = toggles[0].pane->IsVisible();
    Keys({}, VK_F8);
    EXPECT_EQ(toggles[0].pane->IsVisible(), !objectShown);
    const BOOL outputShown = toggles[1].pane->IsVisible();
    Keys({VK_MENU}, '2');
    EXPECT_EQ(toggles[1].pane->IsVisible(), !outputShown);
}

TEST_F(MainFrameCommandsTest, TabMdiAndTheToolbarsToggleFromTheViewMenu)
{
    const BOOL tabbed = frame->m_wndClientArea.IsMDITabbed();
    EXPECT_EQ(State(ID_TW_VIEW_TAB_MDI).checked, tabbed ? 1 : 0);
    Keys({}, VK_F9);
    EXPECT_EQ(frame->m_wndClientArea.IsMDITabbed(), !tabbed);
    EXPECT_EQ(State(ID_TW_VIEW_TAB_MDI).checked, tabbed ? 0 : 1);
    Command(ID_TW_VIEW_TAB_MDI);
    EXPECT_EQ(frame->m_wndClientArea.IsMDITabbed(), tabbed);

    CKtvPToolBar* bars[] = {&frame->m_wndToolBar, &frame->m_wndEditBar, &frame->m_wndSessionBar, &frame->m_wndQueryBar,
                            &frame->m_wndResultBar};
    for (CKtvPToolBar* pBar : bars) {
        const UINT id = pBar->GetDlgCtrlID();
        EXPECT_EQ(State(id).checked, 1) << id;
        Command(id);
        EXPECT_FALSE(pBar->IsVisible()) << id;
        EXPECT_EQ(State(id).checked, 0) << id;
        Command(id);
        EXPECT_TRUE(pBar->IsVisible()) << id;
    }
    // No user toolbar has been made: their entries are greyed.
    EXPECT_FALSE(State(ID_TW_VIEW_USER_BAR_FIRST).enabled);
    EXPECT_FALSE(State(ID_TW_VIEW_USER_BAR_LAST).enabled);
}

// Full screen puts the active view over the whole screen, greys the toolbar
// toggles and floats a bar whose button comes back; without a window it does nothing.
TEST_F(MainFrameCommandsTest, FullScreenCoversTheScreenWithTheViewAndItsBarBringsTheFrameBack)
{
    CRect before;
    frame->GetWindowRect(before);
    Command(ID_TW_VIEW_FULL_SCREEN);
    EXPECT_FALSE(frame->m_bFullScreen) << "no window: nothing to show in full screen";
    EXPECT_EQ(frame->m_pwndFullScreenBar, nullptr);

    // Query windows fill the client area, as they open in the program.
    CCmdTestChild* child = AddChild("Query 1");
    frame->MDIMaximize(child);
    Pump();
    Command(ID_TW_VIEW_FULL_SCREEN);
    ASSERT_TRUE(frame->m_bFullScreen);
    Pump();
    CRect desktop;
    ::GetWindowRect(::GetDesktopWindow(), desktop);
    CRect view;
    child->GetActiveView()->GetWindowRect(view);
    EXPECT_EQ(view, desktop);
    const UINT toggles[] = {ID_TW_VIEW_STANDARD_BAR, ID_TW_VIEW_EDIT_BAR, 32777u, 32778u, ID_TW_VIEW_RESULT_BAR,
                            ID_TW_VIEW_USER_BAR_FIRST};
    for (UINT id : toggles)
        EXPECT_FALSE(State(id).enabled) << id;

    CKtvPToolBar* pBar = frame->m_pwndFullScreenBar;
    ASSERT_NE(pBar, nullptr);
    CKtvPMiniFrameWnd* pFloat = pBar->GetParentMiniFrame(TRUE);
    ASSERT_NE(pFloat, nullptr) << "the bar floats";
    EXPECT_TRUE(pFloat->IsWindowVisible());
    CString title;
    pBar->GetWindowText(title);
    EXPECT_STREQ(title, "Full Screen");
    ASSERT_EQ(pBar->GetCount(), 1);
    EXPECT_STREQ(pBar->GetButton(0)->m_strText, "Close Full Screen");

    // The user clicks "Close Full Screen".
    const CPoint center = pBar->GetButton(0)->m_rect.CenterPoint();
    Click(pBar->GetSafeHwnd(), center.x, center.y);
    Pump();
    EXPECT_FALSE(frame->m_bFullScreen);
    EXPECT_EQ(frame->m_pwndFullScreenBar, nullptr);
    EXPECT_TRUE(frame->IsZoomed());
    CRect after;
    frame->GetWindowRect(after);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(State(ID_TW_VIEW_EDIT_BAR).enabled);

    // Closing the bar leaves full screen too: hidden, it would leave no way back.
    Command(ID_TW_VIEW_FULL_SCREEN);
    ASSERT_TRUE(frame->m_bFullScreen);
    frame->m_pwndFullScreenBar->GetParentMiniFrame(TRUE)->SendMessage(WM_CLOSE);
    Pump();
    EXPECT_FALSE(frame->m_bFullScreen);
    EXPECT_EQ(frame->m_pwndFullScreenBar, nullptr);
    frame->GetWindowRect(after);
    EXPECT_EQ(after, before);
}

// A toolbar dragged off the frame keeps sending its buttons' commands to the
// main window, not to the floating frame that now holds it.
TEST_F(MainFrameCommandsTest, AFloatedToolbarsButtonsCommandTheMainWindow)
{
    AddChild("Query 1");
    AddChild("Query 2");
    CKtvPToolBar& bar = frame->m_wndSessionBar;
    ASSERT_TRUE(bar.FloatControlBar(CRect(300, 300, 500, 340), KTVP_DM_SHOW, TRUE));
    Pump();
    Idle();
    CKtvPMiniFrameWnd* pFloat = bar.GetParentMiniFrame(TRUE);
    ASSERT_NE(pFloat, nullptr);
    EXPECT_EQ(bar.GetOwner(), frame);

    const int iButton = bar.CommandToIndex(ID_TW_DISCONNECT_ALL);
    ASSERT_GE(iButton, 0);
    EXPECT_FALSE(bar.GetButton(iButton)->m_nStyle & TBBS_DISABLED) << "the frame's command state reaches it";
    const CPoint center = bar.GetButton(iButton)->m_rect.CenterPoint();
    Click(bar.GetSafeHwnd(), center.x, center.y);
    Pump();
    EXPECT_EQ(ChildCount(), 0);
    EXPECT_STREQ(frame->m_wndStatusBar.GetPaneByIndex(1)->lpszText, "Total # of connections: 0");
}

// Closing the main window leaves full screen before it disconnects the windows.
TEST_F(MainFrameCommandsTest, ClosingTheMainWindowInFullScreenRestoresItsPlacementFirst)
{
    CRect normal;
    frame->GetWindowRect(normal);
    CmdTestCloseRecord record;
    AddChild("Query 1")->record = &record;
    Command(ID_TW_VIEW_FULL_SCREEN);
    ASSERT_TRUE(frame->m_bFullScreen);
    frame->SendMessage(WM_CLOSE);
    Pump();
    EXPECT_FALSE(::IsWindow(frameHwnd));
    EXPECT_TRUE(record.asked);
    EXPECT_FALSE(record.fullScreen);
    EXPECT_EQ(record.frameRect, normal);
}

TEST_F(MainFrameCommandsTest, HelpOpensThePagesBesideTheProgramAndTheProductPages)
{
    auto spawner = std::make_shared<tw::test::RecordingSpawner>();
    tw::shell::SetProcessSpawner(spawner);
    const UINT commands[] = {ID_TW_HELP_CONTENTS, ID_TW_HELP_FEEDBACK, ID_TW_HELP_NEWS};
    for (UINT id : commands)
        Command(id);
    ASSERT_EQ(spawner->runs.size(), 3u);
    const std::string index = tw::app::ProgramFolder() + "/Help/index.htm";
    EXPECT_EQ(spawner->runs[0].back(), index);
    EXPECT_EQ(spawner->runs[1].back(), tw::app::kFeedbackPage);
    EXPECT_EQ(spawner->runs[2].back(), tw::app::kNewsPage);
    EXPECT_TRUE(dialogTexts.empty());

    // Every page the contents link to is there.
    std::ifstream in(index);
    ASSERT_TRUE(in) << index;
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const char* linked : {"menus.htm", "keys.htm", "connecting.htm"}) {
        EXPECT_NE(page.find(linked), std::string::npos) << linked;
        EXPECT_TRUE(std::ifstream(tw::app::ProgramFolder() + "/Help/" + linked)) << linked;
    }

    // Without a way to open them, the user is told which page could not open.
    tw::shell::SetProcessSpawner(std::make_shared<FailingCmdTestSpawner>());
    Command(ID_TW_HELP_NEWS);
    ASSERT_EQ(dialogTexts.size(), 1u);
    EXPECT_NE(dialogTexts[0].find(tw::app::kNewsPage), std::string::npos) << dialogTexts[0];
}

TEST_F(MainFrameCommandsTest, AboutShowsTheWarningAndWritesToTheMakers)
{
    auto spawner = std::make_shared<tw::test::RecordingSpawner>();
    tw::shell::SetProcessSpawner(spawner);
    CString linkAddress;
    onDialog = [&](HWND hwndDialog) {
        if (auto* pLink = dynamic_cast<CKtvPURLLinkButton*>(CWnd::FromHandlePermanent(
                ::GetDlgItem(hwndDialog, IDC_TW_ABOUT_LINK))))
            linkAddress = pLink->GetAddress();
        ::SendMessage(hwndDialog, WM_COMMAND, MAKEWPARAM(IDC_TW_ABOUT_MAIL, BN_CLICKED),
                      reinterpret_cast<LPARAM>(::GetDlgItem(hwndDialog, IDC_TW_ABOUT_MAIL)));
    };
    Command(ID_TW_APP_ABOUT);
    ASSERT_EQ(dialogTexts.size(), 1u);
    EXPECT_NE(dialogTexts[0].find("Warning: this program is protected by copyright law"), std::string::npos)
        << dialogTexts[0];
    EXPECT_NE(dialogTexts[0].find("Version"), std::string::npos) << dialogTexts[0];
    EXPECT_STREQ(linkAddress, tw::app::kProductPage);
    ASSERT_EQ(spawner->runs.size(), 1u);
    EXPECT_EQ(spawner->runs[0].back(), std::string("mailto:") + tw::app::kContactAddress);
}

// Window/Windows... lists the open windows in the library's dialog.
TEST_F(MainFrameCommandsTest, WindowsOpensTheListOfOpenWindows)
{
    AddChild("Query 1");
    std::vector<std::string> listed;
    onDialog = [&](HWND hwndDialog) {
        const HWND list = ::GetDlgItem(hwndDialog, IDC_KTVP_WINDOWS_LIST);
        const int count = static_cast<int>(::SendMessage(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; i++) {
            char text[256] = {};
            ::SendMessage(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            listed.emplace_back(text);
        }
    };
    Command(ID_TW_WINDOWS_DIALOG);
    ASSERT_EQ(dialogTexts.size(), 1u);
    EXPECT_EQ(listed, std::vector<std::string>{"Query 1"});
}

// The program's own build puts the help pages where Help/Contents looks.
TEST(MainFrameHelpPages, LieBesideTheProgram)
{
    const std::filesystem::path help = std::filesystem::path(TW_TARNWICK_EXE).parent_path() / "Help";
    for (const char* page : {"index.htm", "menus.htm", "keys.htm", "connecting.htm"})
        EXPECT_TRUE(std::filesystem::is_regular_file(help / page)) << page;
}

// Scripts opened from the shell, File/Open or the recent files.
class OpenDocumentFileTest : public MainFrameCommandsTest {
protected:
    void SetUp() override
    {
        MainFrameCommandsTest::SetUp();
        CTarnwickApp& app = CommandsTestApp();
        savedManager = app.m_pDocManager;
        app.m_pDocManager = new CDocManager;
        app.m_pQueryTemplate = new CMultiDocTemplate(IDR_TARNWICK_DOCUMENT, RUNTIME_CLASS(CCmdTestScriptDoc),
                                                     RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CCmdTestView));
        app.AddDocTemplate(app.m_pQueryTemplate);
        toolTemplate = new CMultiDocTemplate(IDR_TARNWICK_DOCUMENT, RUNTIME_CLASS(CCmdTestToolDoc),
                                             RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CCmdTestView));
        app.AddDocTemplate(toolTemplate);
        script = Script("tw-open-first.sql", "select 1");
    }
    void TearDown() override
    {
        MainFrameCommandsTest::TearDown();
        CTarnwickApp& app = CommandsTestApp();
        delete app.m_pDocManager;
        app.m_pDocManager = savedManager;
        app.m_pQueryTemplate = nullptr;
        for (const std::string& path : scripts)
            std::filesystem::remove(path);
    }
    std::string Script(const char* name, const char* text)
    {
        const std::string path = (std::filesystem::current_path() / name).string();
        std::ofstream(path) << text;
        scripts.push_back(path);
        return path;
    }
    CCmdTestScriptDoc* NewDocument(CMultiDocTemplate* pTemplate)
    {
        auto* pDoc = static_cast<CCmdTestScriptDoc*>(pTemplate->OpenDocumentFile(nullptr));
        Pump();
        return pDoc;
    }

    CDocManager* savedManager = nullptr;
    CMultiDocTemplate* toolTemplate = nullptr;
    std::string script;
    std::vector<std::string> scripts;
};

TEST_F(OpenDocumentFileTest, AnActiveQueryWindowTakesTheFileOtherWindowsGetANewQueryWindow)
{
    CTarnwickApp& app = CommandsTestApp();
    // Nothing open: a new query window.
    auto* pFirst = dynamic_cast<CCmdTestScriptDoc*>(app.OpenDocumentFile(script.c_str()));
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pFirst->GetDocTemplate(), app.m_pQueryTemplate);
    EXPECT_STREQ(pFirst->m_strText, "select 1");
    EXPECT_EQ(ChildCount(), 1);

    // An empty query window is active: it takes the file in.
    CCmdTestScriptDoc* pQuery = NewDocument(app.m_pQueryTemplate);
    ASSERT_EQ(ChildCount(), 2);
    const std::string other = Script("tw-open-second.sql", "select 2");
    EXPECT_EQ(app.OpenDocumentFile(other.c_str()), pQuery);
    EXPECT_STREQ(pQuery->m_strText, "select 2");
    EXPECT_EQ(ChildCount(), 2);

    // Its changes come first: cancelling the save question keeps them, and
    // the file opens in a window of its own.
    pQuery->SetModifiedFlag(TRUE);
    const std::string edited = Script("tw-open-edited.sql", "select 4");
    CDocument* pBeside = app.OpenDocumentFile(edited.c_str());
    EXPECT_EQ(dialogTexts.size(), 1u) << "the save question";
    EXPECT_STREQ(pQuery->m_strText, "select 2");
    EXPECT_TRUE(pQuery->IsModified());
    ASSERT_NE(pBeside, nullptr);
    EXPECT_NE(pBeside, pQuery);
    EXPECT_EQ(ChildCount(), 3);
    pQuery->SetModifiedFlag(FALSE);
    dialogTexts.clear();

    // A tool window is active: it keeps its own document.
    CCmdTestScriptDoc* pTool = NewDocument(toolTemplate);
    ASSERT_EQ(ChildCount(), 4);
    const std::string third = Script("tw-open-third.sql", "select 3");
    CDocument* pOpened = app.OpenDocumentFile(third.c_str());
    ASSERT_NE(pOpened, nullptr);
    EXPECT_NE(pOpened, pTool);
    EXPECT_EQ(pOpened->GetDocTemplate(), app.m_pQueryTemplate);
    EXPECT_EQ(pTool->m_nLoads, 0);
    EXPECT_EQ(ChildCount(), 5);
    EXPECT_TRUE(dialogTexts.empty());
}

TEST_F(OpenDocumentFileTest, WithoutAnyWindowKindTheUserIsToldTheFileCannotOpen)
{
    CTarnwickApp& app = CommandsTestApp();
    CDocManager* withTemplates = app.m_pDocManager;
    app.m_pDocManager = new CDocManager;
    EXPECT_EQ(app.OpenDocumentFile(script.c_str()), nullptr);
    delete app.m_pDocManager;
    app.m_pDocManager = withTemplates;
    ASSERT_EQ(dialogTexts.size(), 1u);
    EXPECT_NE(dialogTexts[0].find(script), std::string::npos) << dialogTexts[0];
}

// The command line at start-up: none shows the main window; a script opens
// in a query window of its own; a bare "Embedding" asks for a new document
// only, which the program refuses with its usage line.
class CommandLineTest : public OpenDocumentFileTest {
protected:
    bool StartsWithTheTest() const override { return false; }
};

TEST_F(CommandLineTest, NoneAScriptOrEmbeddingAlone)
{
    struct Case {
        std::string line;
        BOOL started;
        int windows;
        const char* message;
    };
    const Case cases[] = {
        {"", TRUE, 0, nullptr},
        {"\"" + script + "\"", TRUE, 1, nullptr},
        {"-Embedding", FALSE, 0, "Usage: Standard shell commands, DDE, and file open only."},
        {"/Embedding", FALSE, 0, "Usage: Standard shell commands, DDE, and file open only."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        dialogTexts.clear();
        EXPECT_EQ(Start(c.line), c.started);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(::IsWindow(frameHwnd));
        if (c.started) {
            EXPECT_TRUE(frame->IsWindowVisible());
            EXPECT_TRUE(frame->IsZoomed());
        }
        EXPECT_EQ(ChildCount(), c.windows);
        if (c.windows == 1) {
            auto* pDoc = dynamic_cast<CCmdTestScriptDoc*>(frame->MDIGetActive()->GetActiveDocument());
            ASSERT_NE(pDoc, nullptr);
            EXPECT_STREQ(pDoc->m_strText, "select 1");
            EXPECT_STREQ(pDoc->GetPathName(), script.c_str());
        }
        if (c.message) {
            ASSERT_EQ(dialogTexts.size(), 1u);
            EXPECT_NE(dialogTexts[0].find(c.message), std::string::npos) << dialogTexts[0];
        } else {
            EXPECT_TRUE(dialogTexts.empty());
        }
        ::DestroyWindow(frameHwnd);
        Pump();
    }
}

// Start-up fails before the settings are read when OLE cannot start: here
// because this thread was already put in the multithreaded COM model. The
// user is told, no window opens, and leaving the program keeps the settings
// file as it was rather than writing the empty settings over it.
TEST_F(CommandLineTest, AFailureBeforeTheSettingsLoadLeavesTheSettingsFile)
{
    const std::string stored = "<stored settings/>\n";
    std::filesystem::create_directories("data");
    std::ofstream(CTarnwickApp::kSettingsFile, std::ios::binary) << stored;

    // What earlier start-ups of this process left on the thread is undone first.
    int undone = 0;
    while (::CoInitializeEx(nullptr, COINIT_MULTITHREADED) == RPC_E_CHANGED_MODE) {
        ::CoUninitialize();
        undone++;
    }
    dialogTexts.clear();
    EXPECT_FALSE(Start(""));
    EXPECT_EQ(frame, nullptr);
    ASSERT_EQ(dialogTexts.size(), 1u);
    EXPECT_NE(dialogTexts[0].find("OLE services could not start."), std::string::npos) << dialogTexts[0];
    CommandsTestApp().ExitInstance();
    ::CoUninitialize();
    for (int i = 0; i < undone; i++)
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    std::ifstream in(CTarnwickApp::kSettingsFile, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, stored);
    KtvInitGlobalData();
}

}  // namespace
