// Commands travel a chain of command targets and the first handler wins;
// update handlers decide whether a command may run; idle processing applies
// the update handlers to a window's controls, disabling push buttons whose
// command nobody handles.
#include <string>
#include <vector>

#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

constexpr UINT ID_BOTH = 2001;       // handled by the window and by the document
constexpr UINT ID_DOC_ONLY = 2002;   // handled by the document only
constexpr UINT ID_PASS_ON = 2003;    // the window's handler lets it go on
constexpr UINT ID_RANGE_FIRST = 2010;
constexpr UINT ID_RANGE_LAST = 2019;
constexpr UINT ID_DISABLED = 2020;   // an update handler disables it
constexpr UINT ID_NOBODY = 2030;

std::vector<std::string> g_calls;

// Stands for a document: a command target that is not a window.
class TestDoc : public CCmdTarget {
protected:
    void OnBoth() { g_calls.push_back("doc:both"); }
    void OnDocOnly() { g_calls.push_back("doc:only"); }
    void OnPassOn() { g_calls.push_back("doc:passon"); }
    void OnUpdateDocOnly(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDoc, CCmdTarget)
    ON_COMMAND(ID_BOTH, OnBoth)
    ON_COMMAND(ID_DOC_ONLY, OnDocOnly)
    ON_COMMAND(ID_PASS_ON, OnPassOn)
    ON_UPDATE_COMMAND_UI(ID_DOC_ONLY, OnUpdateDocOnly)
END_MESSAGE_MAP()

// A window that offers commands to itself first, then to its document, then to the application.
class RoutingWnd : public CWnd {
public:
    TestDoc doc;
    UINT lastRangeId = 0;
    bool disabledRan = false;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        if (doc.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        return App().OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    void OnBoth() { g_calls.push_back("wnd:both"); }
    BOOL OnPassOn(UINT nID)
    {
        g_calls.push_back("wnd:passon " + std::to_string(nID));
        return FALSE;
    }
    void OnRange(UINT nID) { lastRangeId = nID; }
    void OnDisabled() { disabledRan = true; }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
    {
        UpdateDialogControls(this, static_cast<BOOL>(wParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RoutingWnd, CWnd)
    ON_COMMAND(ID_BOTH, OnBoth)
    ON_COMMAND_EX(ID_PASS_ON, OnPassOn)
    ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
    ON_COMMAND(ID_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_DISABLED, OnUpdateDisabled)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

class CommandRouting : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        g_calls.clear();
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Routing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 450, 350),
                                 nullptr, 0));
    }
    // As a menu or an accelerator sends it.
    LRESULT Command(UINT id) { return wnd.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    HWND Button(UINT id, DWORD style, int y)
    {
        return CreateWindowEx(0, "Button", "B", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, y, 80, 20,
                              wnd.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    }
    RoutingWnd wnd;
};

TEST_F(CommandRouting, EarliestTargetWinsAndLaterOnesStillServeTheirOwn)
{
    EXPECT_EQ(Command(ID_BOTH), 1);
    EXPECT_EQ(Command(ID_DOC_ONLY), 1);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"wnd:both", "doc:only"}));
}

TEST_F(CommandRouting, ExHandlerThatDeclinesLetsTheCommandGoOn)
{
    Command(ID_PASS_ON);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"wnd:passon 2003", "doc:passon"}));
}

TEST_F(CommandRouting, RangeHandlerLearnsTheId)
{
    Command(ID_RANGE_FIRST + 4);
    EXPECT_EQ(wnd.lastRangeId, ID_RANGE_FIRST + 4);
    Command(ID_RANGE_LAST + 1);
    EXPECT_EQ(wnd.lastRangeId, ID_RANGE_FIRST + 4);
}

TEST_F(CommandRouting, UnhandledCommandIsNotClaimed)
{
    EXPECT_EQ(Command(ID_NOBODY), 0);
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(CommandRouting, CommandWhoseUpdateHandlerDisablesItDoesNotRun)
{
    EXPECT_EQ(Command(ID_DISABLED), 0);
    EXPECT_FALSE(wnd.disabledRan);
}

TEST_F(CommandRouting, HandlerExistenceIsAskedWithoutCallingIt)
{
    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    EXPECT_TRUE(wnd.OnCmdMsg(ID_DOC_ONLY, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &wnd.doc);
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(CommandRouting, IdleUpdateDisablesOnlyPushButtonsWithoutHandler)
{
    App().m_pMainWnd = &wnd;
    HWND handled = Button(ID_BOTH, BS_PUSHBUTTON, 10);
    HWND orphanPush = Button(ID_NOBODY, BS_PUSHBUTTON, 40);
    HWND orphanCheck = Button(ID_NOBODY + 1, BS_AUTOCHECKBOX, 70);
    HWND disabledByHandler = Button(ID_DISABLED, BS_PUSHBUTTON, 100);
    HWND checkedByDoc = Button(ID_DOC_ONLY, BS_CHECKBOX, 130);

    EXPECT_TRUE(App().OnIdle(0));

    EXPECT_TRUE(IsWindowEnabled(handled));
    EXPECT_FALSE(IsWindowEnabled(orphanPush));
    EXPECT_TRUE(IsWindowEnabled(orphanCheck));
    EXPECT_FALSE(IsWindowEnabled(disabledByHandler));
    EXPECT_TRUE(IsWindowEnabled(checkedByDoc));
    EXPECT_EQ(SendMessage(checkedByDoc, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(CommandRouting, IdleUpdateSkipsAnInvisibleMainWindow)
{
    App().m_pMainWnd = &wnd;
    HWND orphanPush = Button(ID_NOBODY, BS_PUSHBUTTON, 40);
    wnd.ShowWindow(SW_HIDE);
    App().OnIdle(0);
    EXPECT_TRUE(IsWindowEnabled(orphanPush));
}

TEST_F(CommandRouting, DisablingTheFocusedControlMovesTheFocusOn)
{
    HWND first = Button(ID_NOBODY, BS_PUSHBUTTON, 10);
    HWND second = Button(ID_BOTH, BS_PUSHBUTTON, 40);
    SetFocus(first);
    ASSERT_EQ(GetFocus(), first);
    wnd.UpdateDialogControls(&wnd, TRUE);
    EXPECT_FALSE(IsWindowEnabled(first));
    EXPECT_EQ(GetFocus(), second);
}

TEST_F(CommandRouting, SetTextChangesTheControlText)
{
    HWND label = CreateWindowEx(0, "Static", "old", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, wnd.m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ID_NOBODY)), nullptr, nullptr);
    CCmdUI state;
    state.m_nID = ID_NOBODY;
    state.m_pOther = CWnd::FromHandle(label);
    state.SetText("new");
    char text[16] = {};
    GetWindowText(label, text, sizeof text);
    EXPECT_STREQ(text, "new");
}

}  // namespace
}  // namespace tw::mfc::test
