// A frame that enabled tooltips shows, for the control under the resting mouse,
// the tip half of that control's prompt string, through the thread's one
// tooltip window; presses hide it and leaving the tool moves it on.
#include <gtest/gtest.h>

#include <cstring>
#include <mutex>
#include <string>

#include "platform/comctl/commctrl.h"
#include "platform/display/Display.h"
#include "platform/display/InputInjector.h"
#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/afxwin.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "tests/platform/mfc/frames/FramesInput.h"
#include "tests/platform/mfc/frames/fixtures/FrameFixtures.h"

namespace {

constexpr int kNoPromptId = 3299;

class ToolTipPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::once_flag once;
        std::call_once(once, [] {
            tw::RegisterStandardControlClasses();
            tw::InitCommonControls();
            tw::RegisterResources(tw::ProgramInstance(), FrameFixtureResources());
        });
        tw::display::Display::Instance().Input().Clear();
        tw::ProcessClock::Freeze();
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Tips", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 440, 340)));
        frameWnd = frame->m_hWnd;
        frame->SetActiveWindow();
        run = MakeButton(ID_TEST_RUN, 10);
        stop = MakeButton(ID_TEST_STOP, 60);
        silent = MakeButton(kNoPromptId, 110);
        label = MakeButton(static_cast<int>(0xFFFF), 160);
        frame->EnableToolTips();
        Pump();
    }
    void TearDown() override
    {
        // The frame deletes itself with its window.
        if (IsWindow(frameWnd))
            DestroyWindow(frameWnd);
        tw::mfc::frames_test::ClearInput();
        Pump();
        DestroySharedToolTip();
        AfxDeleteTempMaps();
        tw::ProcessClock::Resume();
    }

    // The thread's tooltip outlives the frame; the framework makes it again when needed.
    static void DestroySharedToolTip()
    {
        if (IsWindow(Tip()))
            DestroyWindow(Tip());
    }
    HWND MakeButton(int id, int y)
    {
        return CreateWindowEx(0, "Button", "b", WS_CHILD | WS_VISIBLE, 10, y, 80, 30, frame->m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    // The application's loop: each message goes through the PreTranslateMessage chain.
    static void Pump() { tw::mfc::frames_test::PumpThroughApp(); }
    void MoveOver(HWND control, int x = 20, int y = 10)
    {
        POINT pt{x, y};
        ClientToScreen(control, &pt);
        input.MouseMove(pt.x, pt.y);
        Pump();
    }
    static void Rest()
    {
        tw::ProcessClock::Advance(GetDoubleClickTime());
        Pump();
    }
    static HWND Tip() { return tw::mfc::CurrentThreadState().hToolTip; }
    static bool TipShown() { return Tip() && IsWindowVisible(Tip()); }
    // The text the tip would show for the tool it holds now.
    std::string CurrentTipText()
    {
        TOOLINFO ti{};
        ti.cbSize = sizeof ti;
        if (!SendMessage(Tip(), TTM_GETCURRENTTOOL, 0, reinterpret_cast<LPARAM>(&ti)))
            return "<no tool>";
        char text[128] = {};
        ti.lpszText = text;
        SendMessage(Tip(), TTM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(&ti));
        return text;
    }
    int ToolCount() { return static_cast<int>(SendMessage(Tip(), TTM_GETTOOLCOUNT, 0, 0)); }

    CFrameWnd* frame = nullptr;
    HWND frameWnd = nullptr;
    HWND run = nullptr;
    HWND stop = nullptr;
    HWND silent = nullptr;
    HWND label = nullptr;
    tw::display::InputInjector input;
};

TEST_F(ToolTipPathTest, RestingOnAControlShowsTheTipHalfOfItsPrompt)
{
    MoveOver(run);
    EXPECT_FALSE(TipShown());
    Rest();
    ASSERT_TRUE(TipShown());
    EXPECT_EQ(CurrentTipText(), "Run");
    EXPECT_EQ(GetActiveWindow(), frame->m_hWnd);
}

TEST_F(ToolTipPathTest, MovingToAnotherControlKeepsOnlyItsTool)
{
    MoveOver(run);
    Rest();
    ASSERT_TRUE(TipShown());
    MoveOver(stop);
    Rest();
    EXPECT_TRUE(TipShown());
    EXPECT_EQ(CurrentTipText(), "Stop");
    EXPECT_EQ(ToolCount(), 1);

    // Off every control: no tool, no tip.
    MoveOver(frame->m_hWnd, 300, 250);
    Rest();
    EXPECT_FALSE(TipShown());
    EXPECT_EQ(ToolCount(), 0);
}

struct SilentCase {
    const char* name;
    int target;  // 0 run, 1 control without a prompt, 2 static id
    bool disableTips;
};

class ToolTipSilence : public ToolTipPathTest, public ::testing::WithParamInterface<SilentCase> {};

TEST_P(ToolTipSilence, NoTipAppears)
{
    const SilentCase& c = GetParam();
    if (c.disableTips)
        frame->EnableToolTips(FALSE);
    const HWND targets[] = {run, silent, label};
    MoveOver(targets[c.target]);
    Rest();
    EXPECT_FALSE(TipShown());
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolTipSilence,
                         ::testing::Values(SilentCase{"NoPromptString", 1, false},
                                           SilentCase{"StaticId", 2, false},
                                           SilentCase{"TipsDisabled", 0, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ToolTipPathTest, APressHidesTheTipUntilTheMouseMovesToAnotherTool)
{
    MoveOver(run);
    Rest();
    ASSERT_TRUE(TipShown());
    POINT pt{20, 10};
    ClientToScreen(run, &pt);
    input.ButtonDown(tw::display::MouseButton::Left, pt.x, pt.y);
    input.ButtonUp(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
    EXPECT_FALSE(TipShown());
    MoveOver(run, 25, 12);
    Rest();
    EXPECT_FALSE(TipShown());

    MoveOver(stop);
    Rest();
    EXPECT_TRUE(TipShown());
}

TEST_F(ToolTipPathTest, DisablingTipsOrDestroyingTheWindowDropsItsTool)
{
    MoveOver(run);
    Rest();
    ASSERT_EQ(ToolCount(), 1);
    frame->EnableToolTips(FALSE);
    EXPECT_EQ(ToolCount(), 0);
    EXPECT_FALSE(TipShown());

    frame->EnableToolTips(TRUE);
    MoveOver(stop);
    ASSERT_EQ(ToolCount(), 1);
    HWND tip = Tip();
    frame->DestroyWindow();
    EXPECT_EQ(IsWindow(tip) ? static_cast<int>(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0)) : 0, 0);
    EXPECT_EQ(tw::mfc::CurrentThreadState().pToolTipLastHit, nullptr);
}

TEST_F(ToolTipPathTest, ALongTipIsCutBetweenCharacters)
{
    HWND control = MakeButton(ID_TEST_LONGTIP, 200);
    TOOLTIPTEXT ttt{};
    ttt.hdr.hwndFrom = Tip() ? Tip() : frame->m_hWnd;
    ttt.hdr.idFrom = reinterpret_cast<UINT_PTR>(control);
    ttt.hdr.code = TTN_NEEDTEXT;
    ttt.uFlags = TTF_IDISHWND;
    frame->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&ttt));
    // Forty two-byte letters do not fit in 79 bytes: 39 of them do, whole.
    std::string expected;
    for (int i = 0; i < 39; ++i)
        expected += "\xC3\x84";
    EXPECT_EQ(std::string(ttt.szText), expected);
}

}  // namespace
