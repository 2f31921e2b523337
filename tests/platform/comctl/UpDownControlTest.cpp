#include <string>
#include <vector>

#include "platform/comctl/UpDownControl.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/platform/comctl/CommonControlTest.h"

namespace tw::comctl::test {
namespace {

// A static "buddy" at (10,10)-(110,30) and an up-down after it that takes it
// as its buddy, sits at its right edge and shows its position in it. The
// parent's transcript holds "DELTAPOS pos delta" and "VSCROLL code pos".
class UpDownTest : public CommonControlTest {
protected:
    void SetUp() override
    {
        CommonControlTest::SetUp();
        buddy = Make("Static", 0, RECT{10, 10, 110, 30}, 200);
        updown = Make(UPDOWN_CLASS, UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS,
                      RECT{0, 0, 16, 20}, 201);
        SendMessage(updown, UDM_SETRANGE32, 0, 10);
        SendMessage(updown, UDM_SETPOS32, 0, 5);
        onNotify = [this](NMHDR* nm) -> LRESULT {
            if (nm->code != UDN_DELTAPOS)
                return 0;
            auto* ud = reinterpret_cast<NMUPDOWN*>(nm);
            transcript.push_back("DELTAPOS " + std::to_string(ud->iPos) + " " + std::to_string(ud->iDelta));
            return refuse ? TRUE : FALSE;
        };
        onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
            if (message != WM_VSCROLL || reinterpret_cast<HWND>(lParam) != updown)
                return false;
            transcript.push_back("VSCROLL " + std::to_string(LOWORD(wParam)) + " " +
                                 std::to_string(short(HIWORD(wParam))));
            *result = 0;
            return true;
        };
    }
    std::string BuddyText()
    {
        char text[64] = {};
        GetWindowText(buddy, text, sizeof text);
        return text;
    }
    int Pos() { return int(SendMessage(updown, UDM_GETPOS32, 0, 0)); }
    void ClickUp() { Click(updown, 8, 3); }
    void ClickDown() { Click(updown, 8, 17); }

    HWND buddy = nullptr;
    HWND updown = nullptr;
    bool refuse = false;
    std::vector<std::string> transcript;
};

TEST_F(UpDownTest, TakesThePreviousSiblingAsBuddyAndSitsAtItsRight)
{
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(updown, UDM_GETBUDDY, 0, 0)), buddy);
    RECT buddyRect{}, ownRect{};
    GetWindowRect(buddy, &buddyRect);
    GetWindowRect(updown, &ownRect);
    EXPECT_EQ(buddyRect.right - buddyRect.left, 84);
    EXPECT_EQ(ownRect.left, buddyRect.right);
    EXPECT_EQ(ownRect.bottom - ownRect.top, 20);
    EXPECT_EQ(BuddyText(), "5");
}

TEST_F(UpDownTest, ClickingTheArrowsNotifiesThenScrolls)
{
    ClickUp();
    ClickDown();
    ClickDown();
    EXPECT_EQ(transcript, (std::vector<std::string>{"DELTAPOS 5 1", "VSCROLL 4 6", "VSCROLL 8 6", "DELTAPOS 6 -1",
                                                   "VSCROLL 4 5", "VSCROLL 8 5", "DELTAPOS 5 -1", "VSCROLL 4 4",
                                                   "VSCROLL 8 4"}));
    EXPECT_EQ(BuddyText(), "4");
}

TEST_F(UpDownTest, RefusedDeltaLeavesThePosition)
{
    refuse = true;
    ClickUp();
    EXPECT_EQ(Pos(), 5);
    EXPECT_EQ(transcript, (std::vector<std::string>{"DELTAPOS 5 1", "VSCROLL 8 5"}));
}

TEST_F(UpDownTest, ArrowKeysOnTheBuddyStepAndTypedTextIsRead)
{
    SendMessage(buddy, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(Pos(), 6);
    SetWindowText(buddy, "9");
    SendMessage(buddy, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(Pos(), 10) << "the step starts from the number in the buddy";
    SetWindowText(buddy, "nine");
    BOOL failed = FALSE;
    SendMessage(updown, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed));
    EXPECT_TRUE(failed);
    EXPECT_EQ(HIWORD(SendMessage(updown, UDM_GETPOS, 0, 0)), 1);
}

TEST_F(UpDownTest, EndsClampOrWrap)
{
    SendMessage(updown, UDM_SETPOS32, 0, 10);
    ClickUp();
    EXPECT_EQ(Pos(), 10);
    SetWindowLong(updown, GWL_STYLE, GetWindowLong(updown, GWL_STYLE) | UDS_WRAP);
    ClickUp();
    EXPECT_EQ(Pos(), 0);
    ClickDown();
    EXPECT_EQ(Pos(), 10);
    EXPECT_EQ(SendMessage(updown, UDM_SETPOS32, 0, 99), 10);
    EXPECT_EQ(Pos(), 10) << "a position outside the range is clamped";
}

TEST_F(UpDownTest, DefaultRangeRunsFromHundredDownToZero)
{
    HWND plain = Make(UPDOWN_CLASS, 0, RECT{200, 10, 216, 30}, 202);
    EXPECT_EQ(SendMessage(plain, UDM_GETRANGE, 0, 0), MAKELONG(0, 100));
    SendMessage(plain, UDM_SETPOS, 0, MAKELONG(50, 0));
    Click(plain, 8, 3);
    EXPECT_EQ(LOWORD(SendMessage(plain, UDM_GETPOS, 0, 0)), 49) << "the up arrow moves towards the upper bound, 0";
}

TEST_F(UpDownTest, HoldingAButtonRepeatsAndAccelerates)
{
    SendMessage(updown, UDM_SETRANGE32, 0, 1000);
    UDACCEL accels[] = {{0, 1}, {2, 5}};
    ASSERT_TRUE(SendMessage(updown, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(accels)));
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    const POINT pt = ScreenPointOf(updown, 8, 3);
    input.MouseMove(pt.x, pt.y);
    input.ButtonDown(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
    EXPECT_EQ(Pos(), 6);
    Advance(500);
    EXPECT_EQ(Pos(), 7);
    for (int i = 0; i < 14; ++i)
        Advance(100);
    EXPECT_EQ(Pos(), 21) << "one a tick during the first two seconds";
    Advance(100);
    EXPECT_EQ(Pos(), 26) << "five a tick from two seconds on";
    input.ButtonUp(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
    Advance(500);
    EXPECT_EQ(Pos(), 26);
}

struct FormatCase {
    int pos;
    int base;
    bool thousands;
    const char* text;
};

TEST(UpDownFormat, BuddyText)
{
    const FormatCase cases[] = {
        {0, 10, true, "0"},          {999, 10, true, "999"},           {1000, 10, true, "1,000"},
        {-1234, 10, true, "-1,234"}, {1234567, 10, true, "1,234,567"}, {1234567, 10, false, "1234567"},
        {255, 16, true, "0x00FF"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(UpDownControl::FormatPosition(c.pos, c.base, c.thousands), c.text) << c.pos;
}

}  // namespace
}  // namespace tw::comctl::test
