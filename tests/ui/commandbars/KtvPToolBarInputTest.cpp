// A toolbar driven as its user drives it: pressing and releasing buttons,
// check boxes, disabled buttons, tools, the focus hand-back, tooltips and the
// idle command update.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/CWinApp.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/support/window/RecordingSpawner.h"
#include "platform/win32/menu/winmenu.h"
#include "platform/win32/user/BeepTrace.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPUserTool.h"

namespace tw::test {
namespace {

using display::MouseButton;

// Keys and the tooltip's mouse messages reach the bar through the
// framework's pre-translation, as in the program's message loop.
void PumpWithPreTranslate()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (CWnd::WalkPreTranslateTree(nullptr, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

class ToolBarInputTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        bar = MakeBar({101, 102, 0, 103});
        other = MakeBar({201, 202}, TRUE, 0xE821);
        Pump();
    }
    POINT At(CKtvPToolBar* pBar, int i)
    {
        const CPoint c = Centre(pBar, i);
        return ScreenPointOf(pBar->GetSafeHwnd(), c.x, c.y);
    }
    BOOL Pressed(CKtvPToolBar* pBar, int i) { return (pBar->GetButtonStyle(i) & TBBS_PRESSED) != 0; }

    CKtvPToolBar* bar = nullptr;
    CKtvPToolBar* other = nullptr;
};

TEST_F(ToolBarInputTest, PressMoveOffAndBackThenReleaseRunsTheCommandOnce)
{
    const UINT nUsesBefore = CKtvPToolBar::m_UsageCount.GetCount(101);
    const POINT on = At(bar, 0);
    input.MouseMove(on.x, on.y);
    input.ButtonDown(MouseButton::Left, on.x, on.y);
    Pump();
    EXPECT_TRUE(Pressed(bar, 0));

    const POINT off = At(other, 1);
    input.MouseMove(off.x, off.y);
    Pump();
    EXPECT_FALSE(Pressed(bar, 0)) << "the pressed look follows the pointer";
    EXPECT_FALSE(Pressed(other, 1)) << "the bar holds the mouse";

    input.MouseMove(on.x, on.y);
    Pump();
    EXPECT_TRUE(Pressed(bar, 0));
    EXPECT_TRUE(frame->commands.empty());

    input.ButtonUp(MouseButton::Left, on.x, on.y);
    Pump();
    EXPECT_FALSE(Pressed(bar, 0));
    EXPECT_EQ(frame->commands, std::vector<UINT>{101});
    EXPECT_EQ(CKtvPToolBar::m_UsageCount.GetCount(101), nUsesBefore + 1);
    EXPECT_NE(std::find(frame->prompts.begin(), frame->prompts.end(), 101u), frame->prompts.end())
        << "the button's prompt was shown while it was pressed";
}

TEST_F(ToolBarInputTest, ReleasingOffTheButtonRunsNothing)
{
    const POINT on = At(bar, 1);
    const POINT off = At(other, 0);
    input.ButtonDown(MouseButton::Left, on.x, on.y);
    input.MouseMove(off.x, off.y);
    input.ButtonUp(MouseButton::Left, off.x, off.y);
    Pump();
    EXPECT_TRUE(frame->commands.empty());
    EXPECT_FALSE(Pressed(bar, 1));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ToolBarInputTest, ACheckBoxToggles_AndAnIndeterminateOneBecomesChecked)
{
    struct Case {
        int checkFromHandler;   // -1: the button keeps what it has
        UINT before;
        UINT after;
    };
    const Case cases[] = {
        {-1, TBBS_CHECKBOX, TBBS_CHECKBOX | TBBS_CHECKED},
        {-1, TBBS_CHECKBOX | TBBS_CHECKED, TBBS_CHECKBOX},
        {-1, TBBS_CHECKBOX | TBBS_INDETERMINATE, TBBS_CHECKBOX | TBBS_CHECKED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        bar->GetButton(0)->m_nStyle = c.before;
        Click(bar->GetSafeHwnd(), Centre(bar, 0).x, Centre(bar, 0).y);
        Pump();
        EXPECT_EQ(bar->GetButtonStyle(0) & ~TBBS_PRESSED, c.after);
    }
    EXPECT_EQ(frame->commands, (std::vector<UINT>{101, 101, 101}));
}

TEST_F(ToolBarInputTest, ADisabledButtonIsNeitherPressedNorRun)
{
    frame->updates[102] = [](CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); };
    Click(bar->GetSafeHwnd(), Centre(bar, 1).x, Centre(bar, 1).y);
    Pump();
    EXPECT_TRUE(frame->commands.empty());
    EXPECT_TRUE(bar->GetButtonStyle(1) & TBBS_DISABLED);
    EXPECT_FALSE(Pressed(bar, 1));
}

TEST_F(ToolBarInputTest, TheIdleUpdateEnablesAndChecksEveryCommandButton)
{
    frame->updates[101] = [](CCmdUI* pCmdUI) {
        pCmdUI->Enable(TRUE);
        pCmdUI->SetCheck(1);
    };
    frame->updates[102] = [](CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); };
    frame->updates[103] = [](CCmdUI* pCmdUI) {
        pCmdUI->Enable(TRUE);
        pCmdUI->SetCheck(2);
    };
    bar->OnUpdateCmdUI(frame, TRUE);
    EXPECT_EQ(bar->GetButtonStyle(0), (UINT)(TBBS_CHECKBOX | TBBS_CHECKED));
    EXPECT_EQ(bar->GetButtonStyle(1), (UINT)TBBS_DISABLED);
    EXPECT_EQ(bar->GetButtonStyle(3), (UINT)(TBBS_CHECKBOX | TBBS_INDETERMINATE));

    frame->updates[102] = [](CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); };
    frame->updates[103] = [](CCmdUI* pCmdUI) {
        pCmdUI->Enable(TRUE);
        pCmdUI->SetText("Run\tF5");
    };
    bar->OnUpdateCmdUI(frame, TRUE);
    EXPECT_EQ(bar->GetButtonStyle(1), 0u);
    EXPECT_EQ(bar->GetButtonText(3), "Run") << "the text is cut at the tab";
}

// System commands on a bar (a menu's Close, say) are updated as the frame's
// own menus update them: a handler may grey them, yet none greys them for
// want of a handler; the window-list ids are left alone.
TEST_F(ToolBarInputTest, SystemCommandsAreUpdatedButNeverGreyedForWantOfAHandler)
{
    CKtvPToolBar* pSystem = MakeBar({SC_CLOSE, SC_MINIMIZE, SC_SIZE, 0xFF01}, TRUE, 0xE822);
    frame->updates[SC_CLOSE] = [](CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); };
    frame->updates[SC_MINIMIZE] = [](CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); };

    pSystem->OnUpdateCmdUI(frame, TRUE);
    EXPECT_EQ(pSystem->GetButtonStyle(0), (UINT)TBBS_DISABLED);
    EXPECT_EQ(pSystem->GetButtonStyle(1), (UINT)(TBBS_CHECKBOX | TBBS_CHECKED));
    EXPECT_EQ(pSystem->GetButtonStyle(2), 0u) << "SC_SIZE has no handler";
    EXPECT_EQ(pSystem->GetButtonStyle(3), 0u) << "no handler covers the window-list id";

    frame->updates[SC_CLOSE] = [](CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); };
    pSystem->UpdateButton(0);
    EXPECT_EQ(pSystem->GetButtonStyle(0), 0u) << "a single button's update reaches the handler too";
    pSystem->SetButtonStyle(2, 0);
    pSystem->UpdateButton(2);
    EXPECT_EQ(pSystem->GetButtonStyle(2), 0u);
}

TEST_F(ToolBarInputTest, AToolButtonStartsItsToolInsteadOfSendingACommand)
{
    CKtvPUserToolsManager tools(0x7000, 0x7001, 0x7010, RUNTIME_CLASS(CKtvPUserTool));
    CKtvPUserToolsManager* pSaved = g_pUserToolsManager;
    g_pUserToolsManager = &tools;
    CKtvPUserTool* pTool = tools.CreateNewTool();
    ASSERT_NE(pTool, nullptr);
    std::ofstream("notes.txt") << "a document the shell opens";
    auto spawner = std::make_shared<RecordingSpawner>();
    tw::shell::SetProcessSpawner(spawner);
    pTool->SetCommand("notes.txt");
    bar->InsertButton(new CKtvPToolbarButton(pTool->m_uiCmdId, 0, "Tool", FALSE, TRUE));
    bar->AdjustLayout();
    Pump();

    const int i = bar->CommandToIndex(pTool->m_uiCmdId);
    Click(bar->GetSafeHwnd(), Centre(bar, i).x, Centre(bar, i).y);
    Pump();
    tw::shell::SetProcessSpawner(nullptr);
    EXPECT_TRUE(frame->commands.empty()) << "a tool is not a command of the frame";
    EXPECT_EQ(spawner->runs.size(), 1u) << "the tool was started";

    // Removing the tool takes its button off every bar.
    EXPECT_TRUE(tools.RemoveTool(pTool));
    EXPECT_EQ(Layout(bar), "101 102 | 103");
    g_pUserToolsManager = pSaved;
}

TEST_F(ToolBarInputTest, EscapeGivesTheFocusBackToTheWindowThatHadIt)
{
    CWnd* pView = new CWnd;
    ASSERT_TRUE(pView->CreateEx(0, nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 100, 50, 150), frame, 77));
    pView->SetFocus();
    bar->SetFocus();
    ASSERT_EQ(::GetFocus(), bar->GetSafeHwnd());
    input.KeyStroke(VK_ESCAPE);
    PumpWithPreTranslate();
    EXPECT_EQ(::GetFocus(), pView->GetSafeHwnd());
    pView->DestroyWindow();
    delete pView;
}

TEST_F(ToolBarInputTest, LeavingTheBarDropsTheHotButton)
{
    const POINT on = At(bar, 0);
    input.MouseMove(on.x, on.y);
    Pump();
    EXPECT_EQ(bar->m_iHighlighted, 0);
    EXPECT_TRUE(bar->m_bTracking);

    const POINT away = ScreenPointOf(frame->GetSafeHwnd(), 300, 300);
    input.MouseMove(away.x, away.y);
    Pump();
    EXPECT_EQ(bar->m_iHighlighted, -1);
    EXPECT_FALSE(bar->m_bTracking);
    EXPECT_EQ(frame->prompts.back(), (UINT)AFX_IDS_IDLEMESSAGE);
}

TEST_F(ToolBarInputTest, TooltipTextsComeFromTheCommandString_OrTheUserImageButtonsOwnText)
{
    TOOLINFO ti{};
    ti.cbSize = sizeof(ti);
    // A command without a string has nothing to say.
    EXPECT_EQ(bar->OnToolHitTest(Centre(bar, 0), &ti), -1);

    bar->GetButton(1)->m_bUserImage = TRUE;
    bar->GetButton(1)->m_strText = "&Run";
    ti = TOOLINFO{};
    EXPECT_EQ(bar->OnToolHitTest(Centre(bar, 1), &ti), 102);
    ASSERT_NE(ti.lpszText, nullptr);
    EXPECT_STREQ(ti.lpszText, "Run");
    EXPECT_EQ(CRect(ti.rect), bar->GetButton(1)->m_rect);
    free(ti.lpszText);

    CKtvPToolBar::m_bShowTooltips = FALSE;
    EXPECT_EQ(bar->OnToolHitTest(Centre(bar, 1), &ti), -1);
}

TEST_F(ToolBarInputTest, TheCommonControlMessagesAnswerAsTheControlWould)
{
    bar->SetButtonText(1, "Paste");
    bar->SetButtonStyle(1, TBBS_CHECKBOX | TBBS_CHECKED);
    TBBUTTON tb{};
    EXPECT_TRUE(bar->SendMessage(TB_GETBUTTON, 1, (LPARAM)&tb));
    EXPECT_EQ(tb.idCommand, 102);
    EXPECT_EQ(tb.fsStyle, (BYTE)TBBS_CHECKBOX);
    EXPECT_EQ(tb.fsState, (BYTE)(TBBS_CHECKED >> 16));
    EXPECT_EQ(bar->SendMessage(TB_BUTTONCOUNT), 4);
    EXPECT_EQ(bar->SendMessage(TB_GETBUTTONTEXT, 102, 0), 5) << "no buffer: the length alone";
    char text[16] = {};
    EXPECT_EQ(bar->SendMessage(TB_GETBUTTONTEXT, 102, (LPARAM)text), 5);
    EXPECT_STREQ(text, "Paste");
    CRect rect;
    EXPECT_TRUE(bar->SendMessage(TB_GETITEMRECT, 3, (LPARAM)(LPRECT)rect));
    EXPECT_EQ(rect, bar->GetButton(3)->m_rect);
}

TEST_F(ToolBarInputTest, MnemonicsPostTheCommandOfAPlainButton)
{
    bar->GetButton(3)->m_strText = "&Go";
    bar->GetButton(3)->m_bTextShown = TRUE;
    bar->AdjustLayout();
    EXPECT_TRUE(bar->TranslateChar('G'));
    EXPECT_FALSE(bar->TranslateChar('X'));
    Pump();
    EXPECT_EQ(frame->commands, std::vector<UINT>{103});
}

TEST_F(ToolBarInputTest, TheTooltipShowsTheCommandsShortTextAfterTheHoverDelay)
{
    bar->InsertButton(new CKtvPToolbarButton(tbres::kOpenCommand, 0, nullptr, FALSE, TRUE));
    bar->AdjustLayout();
    Pump();
    const int i = bar->CommandToIndex(tbres::kOpenCommand);
    const POINT at = At(bar, i);
    input.MouseMove(at.x - 1, at.y);
    input.MouseMove(at.x, at.y);
    PumpWithPreTranslate();
    EXPECT_FALSE(bar->m_ToolTip.IsWindowVisible());

    for (int n = 0; n < 10 && !bar->m_ToolTip.IsWindowVisible(); n++) {
        tw::ProcessClock::Advance(200);
        PumpWithPreTranslate();
    }
    EXPECT_TRUE(bar->m_ToolTip.IsWindowVisible());
    EXPECT_EQ(CKtvPToolBar::m_strToolTipText, "Open");
}

// The keys bound to a command in the frame's accelerators follow its tooltip
// text while shortcut keys are shown.
TEST_F(ToolBarInputTest, TheTooltipNamesTheShortcutKeyWhileShortcutsAreShown)
{
    ACCEL accel[] = {{FCONTROL | FVIRTKEY, 'O', (WORD)tbres::kOpenCommand}};
    frame->m_hAccelTable = ::CreateAcceleratorTable(accel, 1);
    bar->InsertButton(new CKtvPToolbarButton(tbres::kOpenCommand, 0, nullptr, FALSE, TRUE));
    bar->InsertButton(new CKtvPToolbarButton(tbres::kOpenCommand + 1, 1, nullptr, FALSE, TRUE));
    bar->AdjustLayout();
    const BOOL bSaved = CKtvPToolBar::m_bShowShortcutKeys;

    struct Case {
        BOOL bShowShortcutKeys;
        const char* expected;
    };
    for (const Case& c : {Case{TRUE, "Open (Ctrl+O)"}, Case{FALSE, "Open"}}) {
        SCOPED_TRACE(c.expected);
        CKtvPToolBar::m_bShowShortcutKeys = c.bShowShortcutKeys;
        TOOLINFO ti{};
        ti.cbSize = sizeof(ti);
        ASSERT_EQ(bar->OnToolHitTest(Centre(bar, bar->CommandToIndex(tbres::kOpenCommand)), &ti),
                  (INT_PTR)tbres::kOpenCommand);
        ASSERT_NE(ti.lpszText, nullptr);
        EXPECT_STREQ(ti.lpszText, c.expected);
        free(ti.lpszText);
    }
    CKtvPToolBar::m_bShowShortcutKeys = bSaved;
    ::DestroyAcceleratorTable(frame->m_hAccelTable);
    frame->m_hAccelTable = nullptr;
}

// A label's mnemonic meets the key that types it: letters whatever the case
// in the label, a keypad digit as its digit.
TEST_F(ToolBarInputTest, MnemonicsMatchTheKeyWhateverTheLabelsCase)
{
    struct Case {
        const char* label;
        UINT vk;
        bool runs;
    };
    const Case cases[] = {
        {"&about", 'A', true},
        {"&Delete", 'D', true},
        {"&1 Recent", VK_NUMPAD1, true},
        {"&1 Recent", '1', true},
        {"&Go", 'H', false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.label) + " / key " + std::to_string(c.vk));
        frame->commands.clear();
        bar->GetButton(3)->m_strText = c.label;
        bar->GetButton(3)->m_bTextShown = TRUE;
        bar->AdjustLayout();
        EXPECT_EQ(bar->TranslateChar(c.vk), c.runs ? TRUE : FALSE);
        Pump();
        EXPECT_EQ(frame->commands, c.runs ? std::vector<UINT>{103} : std::vector<UINT>{});
    }
}

TEST_F(ToolBarInputTest, TheFramesOwnTooltipStaysQuietOverABar)
{
    frame->EnableToolTips(TRUE);
    bar->InsertButton(new CKtvPToolbarButton(tbres::kOpenCommand, 0, nullptr, FALSE, TRUE));
    bar->AdjustLayout();
    Pump();
    const POINT at = At(bar, bar->CommandToIndex(tbres::kOpenCommand));
    input.MouseMove(at.x - 1, at.y);
    input.MouseMove(at.x, at.y);
    PumpWithPreTranslate();
    for (int n = 0; n < 10; n++) {
        tw::ProcessClock::Advance(200);
        PumpWithPreTranslate();
    }
    EXPECT_TRUE(bar->m_ToolTip.IsWindowVisible());
    HWND hThreadTip = tw::mfc::CurrentThreadState().hToolTip;
    EXPECT_TRUE(hThreadTip == nullptr || !::IsWindowVisible(hThreadTip));
    frame->EnableToolTips(FALSE);
}

TEST_F(ToolBarInputTest, TheDefaultTextIsTheCommandsShortText)
{
    CKtvPToolbarButton button(tbres::kOpenCommand, 0, "mine", FALSE, TRUE);
    EXPECT_TRUE(bar->SetDefaultButtonText(&button));
    EXPECT_EQ(button.m_strText, "Open");
    button.m_nID = 101;
    EXPECT_FALSE(bar->SetDefaultButtonText(&button)) << "no string: the text stays";
    EXPECT_EQ(button.m_strText, "Open");

    bar->SetButtonTextAndImage(0, nullptr, TRUE, FALSE);
    EXPECT_EQ(bar->GetButtonText(0), "");
    EXPECT_TRUE(bar->GetButton(0)->m_bTextShown);
    EXPECT_FALSE(bar->GetButton(0)->m_bImageShown);
}

TEST_F(ToolBarInputTest, InHelpModeAClickOutsideAButtonBeeps)
{
    CKtvPToolBar::SetHelpMode(TRUE);
    EXPECT_NE(CKtvPToolBar::m_hookMouseHelp, nullptr);
    EXPECT_EQ(bar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(500, 5)), -1);
    EXPECT_EQ(tw::user::BeepTrace(), std::vector<UINT>{(UINT)-1});
    CKtvPToolBar::SetHelpMode(FALSE);
    EXPECT_EQ(CKtvPToolBar::m_hookMouseHelp, nullptr);
}

}  // namespace
}  // namespace tw::test
