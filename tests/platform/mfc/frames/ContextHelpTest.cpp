// Context help: Shift+F1 puts the frame in help mode; the next click (or F1)
// names a window whose WM_HELPHITTEST answer is the help asked for, and asking
// for help says there is no help engine.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/display/InputInjector.h"
#include "platform/mfc/afxwin.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/platform/mfc/frames/FramesInput.h"
#include "tests/platform/mfc/frames/FramesTestApp.h"

namespace {

using tw::mfc::frames_test::TheApp;

constexpr DWORD_PTR kPanelContext = 0x20077;

// Answers WM_HELPHITTEST with its own context, and notes the frame's state then.
class HelpPanel : public CWnd {
public:
    int helpModeSeen = -2;
    bool helpCursorSeen = false;

protected:
    LRESULT OnHelpHitTest(WPARAM, LPARAM)
    {
        helpModeSeen = static_cast<CFrameWnd*>(GetParent())->m_bHelpMode;
        helpCursorSeen = ::GetCursor() == ::LoadCursor(nullptr, IDC_HELP);
        return static_cast<LRESULT>(kPanelContext);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpPanel, CWnd)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

class HelpFrame : public CFrameWnd {
public:
    std::vector<DWORD_PTR> helpAsked;
    int defaultHelpCommands = 0;
    void WinHelp(DWORD_PTR dwData, UINT nCmd) override
    {
        helpAsked.push_back(dwData);
        CFrameWnd::WinHelp(dwData, nCmd);
    }

protected:
    void OnDefaultHelp() { ++defaultHelpCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpFrame, CFrameWnd)
    ON_COMMAND(ID_DEFAULT_HELP, OnDefaultHelp)
END_MESSAGE_MAP()

class ContextHelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::once_flag once;
        std::call_once(once, [] { tw::RegisterStandardControlClasses(); });
        tw::display::Display::Instance().Input().Clear();
        tw::ProcessClock::Freeze();
        TheApp().prompts.clear();
        frame = new HelpFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Help", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 440, 340)));
        frameWnd = frame->m_hWnd;
        TheApp().m_pMainWnd = frame;
        frame->SetActiveWindow();
        ASSERT_TRUE(panel.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 110), frame, 5));
        // A control with no help of its own, inside the panel.
        button = CreateWindowEx(0, "Button", "b", WS_CHILD | WS_VISIBLE, 10, 10, 60, 20, panel.m_hWnd,
                                reinterpret_cast<HMENU>(6), nullptr, nullptr);
        Pump();
    }
    void TearDown() override
    {
        TheApp().m_pMainWnd = nullptr;
        if (IsWindow(frameWnd))
            DestroyWindow(frameWnd);
        tw::mfc::frames_test::ClearInput();
        Pump();
        MSG quit;
        while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        AfxDeleteTempMaps();
        tw::ProcessClock::Resume();
    }
    static void Pump() { tw::mfc::frames_test::PumpThroughApp(); }
    POINT Screen(HWND hWnd, int x, int y)
    {
        POINT pt{x, y};
        ClientToScreen(hWnd, &pt);
        return pt;
    }
    // Shift+F1, then whatever the test queues, then the pump runs it all.
    void PressShiftF1()
    {
        input.KeyDown(VK_SHIFT);
        input.KeyStroke(VK_F1);
        input.KeyUp(VK_SHIFT);
    }
    void ClickAt(POINT pt)
    {
        input.MouseMove(pt.x, pt.y);
        input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    }
    static std::string NoHelpPrompt() { return "Failed to launch help: there is no help engine on this system."; }

    HelpFrame* frame = nullptr;
    HWND frameWnd = nullptr;
    HelpPanel panel;
    HWND button = nullptr;
    tw::display::InputInjector input;
};

struct HelpClickCase {
    const char* name;
    int target;  // 0 the panel, 1 the button inside it, 2 the frame's own client area, 3 the caption
    DWORD_PTR context;
};

class HelpClick : public ContextHelpTest, public ::testing::WithParamInterface<HelpClickCase> {};

TEST_P(HelpClick, TheClickedWindowNamesTheHelp)
{
    const HelpClickCase& c = GetParam();
    RECT frameRect{};
    GetWindowRect(frameWnd, &frameRect);
    const POINT points[] = {Screen(panel.m_hWnd, 150, 80), Screen(button, 5, 5), Screen(frameWnd, 300, 200),
                            POINT{(frameRect.left + frameRect.right) / 2, frameRect.top + 8}};
    PressShiftF1();
    ClickAt(points[c.target]);
    Pump();

    EXPECT_EQ(frame->m_bHelpMode, CFrameWnd::HELP_INACTIVE);
    EXPECT_NE(GetCapture(), frameWnd);
    if (c.context == static_cast<DWORD_PTR>(-1)) {
        EXPECT_EQ(frame->defaultHelpCommands, 1);
        EXPECT_TRUE(frame->helpAsked.empty());
        return;
    }
    ASSERT_EQ(frame->helpAsked.size(), 1u);
    EXPECT_EQ(frame->helpAsked[0], c.context);
    EXPECT_EQ(TheApp().prompts, std::vector<std::string>{NoHelpPrompt()});
}

INSTANTIATE_TEST_SUITE_P(Targets, HelpClick,
                         ::testing::Values(HelpClickCase{"Panel", 0, kPanelContext},
                                           HelpClickCase{"ControlInsideThePanel", 1, kPanelContext},
                                           HelpClickCase{"NothingAnswers", 2, static_cast<DWORD_PTR>(-1)},
                                           HelpClickCase{"Caption", 3, HID_BASE_NCAREAS + HTCAPTION}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ContextHelpTest, HelpModeHasTheHelpCursorAndTheMouse)
{
    PressShiftF1();
    ClickAt(Screen(panel.m_hWnd, 150, 80));
    Pump();
    EXPECT_EQ(panel.helpModeSeen, CFrameWnd::HELP_ACTIVE);
    EXPECT_TRUE(panel.helpCursorSeen);
}

TEST_F(ContextHelpTest, EscapeOrAClickElsewhereEndsHelpModeWithoutHelp)
{
    PressShiftF1();
    input.KeyStroke(VK_ESCAPE);
    Pump();
    EXPECT_EQ(frame->m_bHelpMode, CFrameWnd::HELP_INACTIVE);

    HWND other = CreateWindowEx(0, "Button", "other", WS_POPUP | WS_VISIBLE, 600, 500, 100, 50, nullptr, nullptr,
                                nullptr, nullptr);
    PressShiftF1();
    ClickAt(Screen(other, 10, 10));
    Pump();
    DestroyWindow(other);

    EXPECT_TRUE(frame->helpAsked.empty());
    EXPECT_EQ(frame->defaultHelpCommands, 0);
    EXPECT_TRUE(TheApp().prompts.empty());
}

TEST_F(ContextHelpTest, F1InHelpModeAsksAboutTheWindowUnderThePointer)
{
    const POINT over = Screen(panel.m_hWnd, 100, 60);
    input.MouseMove(over.x, over.y);
    PressShiftF1();
    input.KeyStroke(VK_F1);
    Pump();
    ASSERT_EQ(frame->helpAsked.size(), 1u);
    EXPECT_EQ(frame->helpAsked[0], kPanelContext);
}

TEST_F(ContextHelpTest, HelpCallsFailVisiblyAndClosingHelpIsQuiet)
{
    EXPECT_FALSE(::WinHelp(frameWnd, "x.hlp", HELP_CONTEXT, 1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(::HtmlHelp(frameWnd, "x.chm", HH_DISPLAY_TOPIC, 0), nullptr);

    TheApp().HtmlHelp(0, HH_DISPLAY_TOC);
    TheApp().WinHelp(0, HELP_QUIT);
    TheApp().HtmlHelp(0, HH_CLOSE_ALL);
    TheApp().OnHelpIndex();
    EXPECT_EQ(TheApp().prompts, (std::vector<std::string>{NoHelpPrompt(), NoHelpPrompt()}));
}

// Answers WM_COMMANDHELP: F1 with the focus inside it gives its own help.
class OwnHelpEdit : public CWnd {
public:
    int asked = 0;

protected:
    LRESULT OnCommandHelp(WPARAM, LPARAM)
    {
        ++asked;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OwnHelpEdit, CWnd)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

TEST_F(ContextHelpTest, F1HelpIsTheFocusedWindowsOwnOrTheFramesResource)
{
    frame->m_nIDHelp = 900;
    ::SetFocus(button);
    TheApp().OnHelp();
    ASSERT_EQ(frame->helpAsked.size(), 1u);
    EXPECT_EQ(frame->helpAsked[0], HID_BASE_RESOURCE + 900);

    OwnHelpEdit own;
    ASSERT_TRUE(own.Create("Edit", "", WS_CHILD | WS_VISIBLE, CRect(220, 10, 300, 30), frame, 7));
    own.SetFocus();
    TheApp().OnHelp();
    EXPECT_EQ(own.asked, 1);
    EXPECT_EQ(frame->helpAsked.size(), 1u);
}

class HelpMdiFrame : public CMDIFrameWnd {
public:
    int defaultHelpCommands = 0;

protected:
    void OnDefaultHelp() { ++defaultHelpCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpMdiFrame, CMDIFrameWnd)
    ON_COMMAND(ID_DEFAULT_HELP, OnDefaultHelp)
END_MESSAGE_MAP()

TEST_F(ContextHelpTest, AnMdiChildHandsHelpModeToTheMainFrame)
{
    auto* mdi = new HelpMdiFrame;
    ASSERT_TRUE(mdi->Create(nullptr, "Mdi", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 500, 400)));
    HWND mdiWnd = mdi->m_hWnd;
    TheApp().m_pMainWnd = mdi;
    auto* child = new CMDIChildWnd;
    ASSERT_TRUE(child->Create(nullptr, "Child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150),
                              mdi));
    Pump();
    // Nothing in the child answers: the default help goes to the frame running help mode.
    ClickAt(Screen(child->m_hWnd, 50, 50));
    child->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
    EXPECT_EQ(mdi->defaultHelpCommands, 1);
    EXPECT_EQ(mdi->m_bHelpMode, CFrameWnd::HELP_INACTIVE);
    DestroyWindow(mdiWnd);
}

}  // namespace
