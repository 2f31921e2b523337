#include <cstring>
#include <string>

#include "tests/platform/comctl/CommonControlTest.h"

namespace tw::comctl::test {
namespace {

// A tooltip owned by the parent with one tool over the parent's client
// rectangle (10,10)-(110,60).
class ToolTipTest : public CommonControlTest {
protected:
    void SetUp() override
    {
        CommonControlTest::SetUp();
        tip = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, nullptr, nullptr);
        ASSERT_NE(tip, nullptr);
    }

    TOOLINFO Tool(UINT flags, const char* text, UINT_PTR id = 7)
    {
        TOOLINFO ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = flags;
        ti.hwnd = parent;
        ti.uId = id;
        ti.rect = RECT{10, 10, 110, 60};
        ti.lpszText = const_cast<LPSTR>(text);
        return ti;
    }
    void Add(TOOLINFO ti) { ASSERT_TRUE(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti))); }
    bool Shown() { return IsWindowVisible(tip) != FALSE; }
    int Count(UINT code) { return int(std::count(codes.begin(), codes.end(), code)); }

    HWND tip = nullptr;
};

TEST_F(ToolTipTest, ShowsAfterTheInitialDelayAndPopsAfterTheAutopopDelay)
{
    Add(Tool(TTF_SUBCLASS, "Run the query"));
    MoveTo(parent, 40, 30);
    Advance(GetDoubleClickTime() - 1);
    EXPECT_FALSE(Shown());
    Advance(1);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Count(TTN_SHOW), 1);
    EXPECT_EQ(GetActiveWindow(), parent) << "showing the tip does not take activation";
    EXPECT_TRUE(GetWindowLong(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Below the cursor.
    RECT tipRect{};
    GetWindowRect(tip, &tipRect);
    const POINT cursor = ScreenPointOf(parent, 40, 30);
    EXPECT_EQ(tipRect.left, cursor.x);
    EXPECT_GT(tipRect.top, cursor.y);

    Advance(GetDoubleClickTime() * 10);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(Count(TTN_POP), 1);
}

TEST_F(ToolTipTest, LeavingTheToolOrPressingAButtonPops)
{
    Add(Tool(TTF_SUBCLASS, "Run the query"));
    MoveTo(parent, 40, 30);
    Advance(GetDoubleClickTime());
    ASSERT_TRUE(Shown());
    MoveTo(parent, 200, 200);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(Count(TTN_POP), 1);

    MoveTo(parent, 40, 30);
    Advance(GetDoubleClickTime());
    ASSERT_TRUE(Shown());
    const POINT pt = ScreenPointOf(parent, 40, 30);
    input.ButtonDown(tw::display::MouseButton::Left, pt.x, pt.y);
    input.ButtonUp(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
    EXPECT_FALSE(Shown());
    // Resting on the clicked tool does not bring the tip back.
    MoveTo(parent, 41, 30);
    Advance(GetDoubleClickTime() * 2);
    EXPECT_FALSE(Shown());
}

TEST_F(ToolTipTest, CallbackTextAsksTheToolWindowEachTime)
{
    int asked = 0;
    onNotify = [&](NMHDR* header) -> LRESULT {
        if (header->code != TTN_NEEDTEXT)
            return 0;
        auto* info = reinterpret_cast<NMTTDISPINFO*>(header);
        EXPECT_EQ(header->hwndFrom, tip);
        EXPECT_EQ(header->idFrom, 7u);
        EXPECT_EQ(info->lParam, 99);
        ++asked;
        std::strcpy(info->szText, asked == 1 ? "first" : "");
        return 0;
    };
    TOOLINFO ti = Tool(TTF_SUBCLASS, LPSTR_TEXTCALLBACK);
    ti.lParam = 99;
    Add(ti);
    MoveTo(parent, 40, 30);
    Advance(GetDoubleClickTime());
    EXPECT_TRUE(Shown());
    EXPECT_EQ(asked, 1);
    MoveTo(parent, 200, 200);
    MoveTo(parent, 40, 30);
    Advance(GetDoubleClickTime());
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(Shown()) << "an empty text shows no tip";
}

TEST_F(ToolTipTest, RelayedMessagesDriveATipWithoutSubclassing)
{
    Add(Tool(0, "Relayed"));
    MoveTo(parent, 40, 30);
    Advance(GetDoubleClickTime());
    EXPECT_FALSE(Shown()) << "nothing was relayed";

    MSG msg{parent, WM_MOUSEMOVE, 0, MAKELPARAM(41, 30), 0, {}};
    SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    Advance(GetDoubleClickTime());
    EXPECT_TRUE(Shown());
    SendMessage(tip, TTM_POP, 0, 0);
    EXPECT_FALSE(Shown());

    // An inactive tooltip shows nothing.
    SendMessage(tip, TTM_ACTIVATE, FALSE, 0);
    msg.lParam = MAKELPARAM(200, 200);
    SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    msg.lParam = MAKELPARAM(40, 30);
    SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    Advance(GetDoubleClickTime());
    EXPECT_FALSE(Shown());
}

TEST_F(ToolTipTest, MaximumWidthBreaksTheTipIntoLines)
{
    Add(Tool(TTF_SUBCLASS, "one two three four five six seven eight"));
    MoveTo(parent, 40, 30);
    Advance(GetDoubleClickTime());
    RECT single{};
    GetWindowRect(tip, &single);

    SendMessage(tip, TTM_POP, 0, 0);
    EXPECT_EQ(SendMessage(tip, TTM_SETMAXTIPWIDTH, 0, 60), -1);
    MoveTo(parent, 200, 200);
    MoveTo(parent, 40, 30);
    Advance(GetDoubleClickTime());
    RECT wrapped{};
    GetWindowRect(tip, &wrapped);
    EXPECT_LE(wrapped.right - wrapped.left, 60 + 10);
    EXPECT_GT(wrapped.bottom - wrapped.top, 2 * (single.bottom - single.top) - 10);
}

TEST_F(ToolTipTest, ToolsAreKeptByWindowAndIdWithTheirInfoSize)
{
    Add(Tool(0, "a", 1));
    TOOLINFO duplicate = Tool(0, "b", 1);
    EXPECT_FALSE(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&duplicate)));
    TOOLINFO oldForm = Tool(0, "old", 2);
    oldForm.cbSize = TTTOOLINFOA_V1_SIZE;
    EXPECT_TRUE(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&oldForm)));
    TOOLINFO tooSmall = Tool(0, "x", 3);
    tooSmall.cbSize = 8;
    EXPECT_FALSE(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&tooSmall)));
    EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 2);

    TOOLINFO update = Tool(0, "renamed", 1);
    SendMessage(tip, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&update));
    char buffer[80] = {};
    TOOLINFO query = Tool(0, buffer, 1);
    SendMessage(tip, TTM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(&query));
    EXPECT_STREQ(buffer, "renamed");

    TOOLINFO moved = Tool(0, nullptr, 1);
    moved.rect = RECT{300, 300, 320, 320};
    SendMessage(tip, TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&moved));
    TTHITTESTINFO hit{};
    hit.hwnd = parent;
    hit.pt = POINT{305, 305};
    hit.ti.cbSize = sizeof(TOOLINFO);
    EXPECT_TRUE(SendMessage(tip, TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    EXPECT_EQ(hit.ti.uId, 1u);

    SendMessage(tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&query));
    EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(ToolTipTest, SubclassIsUndoneWhenTheToolGoes)
{
    const LONG_PTR before = GetWindowLongPtr(parent, GWLP_WNDPROC);
    TOOLINFO ti = Tool(TTF_SUBCLASS, "tip");
    Add(ti);
    EXPECT_NE(GetWindowLongPtr(parent, GWLP_WNDPROC), before);
    SendMessage(tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(GetWindowLongPtr(parent, GWLP_WNDPROC), before);
}

TEST_F(ToolTipTest, TrackingTipShowsAtItsPositionUntilDeactivated)
{
    TOOLINFO ti = Tool(TTF_TRACK | TTF_ABSOLUTE, "tracked");
    Add(ti);
    SendMessage(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(120, 140));
    SendMessage(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    ASSERT_TRUE(Shown());
    RECT rect{};
    GetWindowRect(tip, &rect);
    EXPECT_EQ(rect.left, 120);
    EXPECT_EQ(rect.top, 140);
    Advance(GetDoubleClickTime() * 20);
    EXPECT_TRUE(Shown()) << "a tracking tip has no autopop";
    SendMessage(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    EXPECT_FALSE(Shown());
}

}  // namespace
}  // namespace tw::comctl::test
