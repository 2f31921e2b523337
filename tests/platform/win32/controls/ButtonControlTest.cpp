// Buttons: clicks by mouse and keyboard, the automatic kinds, radio groups,
// dialog codes, owner draw and the look of a check mark and focus.
#include "tests/platform/win32/controls/ControlTestFixture.h"

namespace tw::controls::test {
namespace {

using tw::display::MouseButton;

class ButtonTest : public ControlTest {};

TEST_F(ButtonTest, MouseClickNotifiesOnceOnRelease)
{
    HWND button = Make("Button", "&OK", BS_PUSHBUTTON, RECT{10, 10, 90, 35}, 1);
    const POINT at = ScreenPointOf(button, 20, 10);
    input.MouseMove(at.x, at.y);
    input.ButtonDown(MouseButton::Left, at.x, at.y);
    Pump();
    EXPECT_EQ(SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(GetFocus(), button);
    input.ButtonUp(MouseButton::Left, at.x, at.y);
    Pump();
    EXPECT_EQ(Commands(), std::vector<std::string>{CommandLine(1, BN_CLICKED)});
    EXPECT_EQ(SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

// A group box made before the buttons it frames lies above them, yet a
// click inside it reaches the button under the pointer.
TEST_F(ButtonTest, AClickInAGroupBoxReachesTheButtonWithinIt)
{
    HWND group = Make("Button", "Context Menus", BS_GROUPBOX, RECT{5, 5, 200, 120}, 1);
    HWND button = Make("Button", "&Reset", BS_PUSHBUTTON, RECT{20, 40, 100, 65}, 2);
    EXPECT_EQ(SendMessage(group, WM_NCHITTEST, 0, MAKELPARAM(ScreenPointOf(group, 2, 2).x, ScreenPointOf(group, 2, 2).y)),
              HTTRANSPARENT);
    Click(button, 20, 10);
    EXPECT_EQ(Commands(), std::vector<std::string>{CommandLine(2, BN_CLICKED)});

    // Two frames over the button, each passing the mouse on: it still gets there.
    HWND outer = Make("Button", "Outer", BS_GROUPBOX, RECT{0, 0, 220, 140}, 3);
    ::SetWindowPos(outer, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Click(button, 20, 10);
    EXPECT_EQ(Commands(), (std::vector<std::string>{CommandLine(2, BN_CLICKED), CommandLine(2, BN_CLICKED)}));
}

TEST_F(ButtonTest, ReleaseOutsideCancelsTheClick)
{
    HWND button = Make("Button", "Go", BS_PUSHBUTTON, RECT{10, 10, 90, 35}, 7);
    const POINT in = ScreenPointOf(button, 20, 10);
    const POINT out = ScreenPointOf(button, 200, 100);
    input.ButtonDown(MouseButton::Left, in.x, in.y);
    Pump();  // input is routed when pumped: the capture must be in place before the move
    input.MouseMove(out.x, out.y);
    Pump();
    EXPECT_EQ(SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << "moving off the button raises it";
    input.ButtonUp(MouseButton::Left, out.x, out.y);
    Pump();
    EXPECT_TRUE(Commands().empty());
}

TEST_F(ButtonTest, SpacePressAndReleaseClicks)
{
    HWND button = Make("Button", "Go", BS_PUSHBUTTON, RECT{10, 10, 90, 35}, 7);
    SetFocus(button);
    input.KeyDown(VK_SPACE);
    Pump();
    EXPECT_EQ(SendMessage(button, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
    input.KeyUp(VK_SPACE);
    Pump();
    EXPECT_EQ(Commands(), std::vector<std::string>{CommandLine(7, BN_CLICKED)});
}

TEST_F(ButtonTest, SetStateShowsThePressWithoutClicking)
{
    HWND button = Make("Button", "Go", BS_PUSHBUTTON, RECT{10, 10, 90, 35}, 7);
    SendMessage(button, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(SendMessage(button, BM_GETSTATE, 0, 0), BST_PUSHED);
    SendMessage(button, BM_SETSTATE, FALSE, 0);
    EXPECT_EQ(SendMessage(button, BM_GETSTATE, 0, 0), 0);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(ButtonTest, FocusLossDuringSpaceCancelsTheClick)
{
    HWND button = Make("Button", "Go", BS_PUSHBUTTON, RECT{10, 10, 90, 35}, 7);
    HWND other = Make("Button", "Other", BS_PUSHBUTTON, RECT{100, 10, 180, 35}, 8);
    SetFocus(button);
    input.KeyDown(VK_SPACE);
    Pump();
    SetFocus(other);
    input.KeyUp(VK_SPACE);
    Pump();
    EXPECT_TRUE(Commands().empty());
}

struct AutoCase {
    const char* name;
    DWORD style;
    std::vector<LRESULT> checksAfterClicks;
};

class AutoButtonTest : public ButtonTest, public ::testing::WithParamInterface<AutoCase> {};

TEST_P(AutoButtonTest, ClicksStepTheCheckState)
{
    HWND button = Make("Button", "Box", GetParam().style, RECT{10, 10, 150, 30}, 3);
    std::vector<LRESULT> got;
    for (size_t i = 0; i < GetParam().checksAfterClicks.size(); ++i) {
        Click(button, 5, 10);
        got.push_back(SendMessage(button, BM_GETCHECK, 0, 0));
    }
    EXPECT_EQ(got, GetParam().checksAfterClicks);
    EXPECT_EQ(Commands().size(), got.size()) << "every click notifies";
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, AutoButtonTest,
    ::testing::Values(AutoCase{"AutoCheck", BS_AUTOCHECKBOX, {1, 0, 1}},
                      AutoCase{"AutoThreeState", BS_AUTO3STATE, {1, 2, 0, 1}},
                      AutoCase{"PlainCheckLeavesStateToOwner", BS_CHECKBOX, {0, 0}},
                      AutoCase{"AutoRadioStaysChecked", BS_AUTORADIOBUTTON, {1, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ButtonTest, SetCheckIgnoresPushButtonsAndFoldsIndeterminateOnTwoStateBoxes)
{
    HWND push = Make("Button", "Go", BS_PUSHBUTTON, RECT{10, 10, 90, 35}, 1);
    HWND box = Make("Button", "Box", BS_AUTOCHECKBOX, RECT{10, 40, 150, 60}, 2);
    HWND tri = Make("Button", "Tri", BS_3STATE, RECT{10, 70, 150, 90}, 3);
    SendMessage(push, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(box, BM_SETCHECK, BST_INDETERMINATE, 0);
    SendMessage(tri, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(SendMessage(push, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessage(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessage(tri, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_TRUE(Commands().empty()) << "BM_SETCHECK does not notify";
}

TEST_F(ButtonTest, AutoRadioUnchecksOnlyItsOwnGroup)
{
    HWND a = Make("Button", "A", BS_AUTORADIOBUTTON | WS_GROUP, RECT{10, 10, 100, 30}, 11);
    HWND b = Make("Button", "B", BS_AUTORADIOBUTTON, RECT{10, 40, 100, 60}, 12);
    HWND c = Make("Button", "C", BS_AUTORADIOBUTTON, RECT{10, 70, 100, 90}, 13);
    HWND d = Make("Button", "D", BS_AUTORADIOBUTTON | WS_GROUP, RECT{10, 100, 100, 120}, 14);
    SendMessage(a, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(d, BM_SETCHECK, BST_CHECKED, 0);
    Click(c, 5, 10);
    EXPECT_EQ(SendMessage(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessage(c, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessage(d, BM_GETCHECK, 0, 0), BST_CHECKED) << "the next group keeps its choice";
    EXPECT_EQ(Commands(), std::vector<std::string>{CommandLine(13, BN_CLICKED)});
    // Tab comes into the group at the checked button.
    EXPECT_EQ(GetWindowLong(a, GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(GetWindowLong(c, GWL_STYLE) & WS_TABSTOP, WS_TABSTOP);
}

TEST_F(ButtonTest, DialogCodesTellTheDialogManagerWhatEachButtonIs)
{
    struct Case {
        DWORD style;
        LRESULT code;
    };
    const Case cases[] = {
        {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
        {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_AUTOCHECKBOX, DLGC_BUTTON},
        {BS_GROUPBOX, DLGC_STATIC},
    };
    for (const Case& c : cases) {
        HWND button = Make("Button", "x", c.style, RECT{10, 10, 90, 35});
        EXPECT_EQ(SendMessage(button, WM_GETDLGCODE, 0, 0), c.code) << "style " << c.style;
        DestroyWindow(button);
    }
}

TEST_F(ButtonTest, SetStyleTurnsAPushButtonIntoTheDefaultOne)
{
    HWND button = Make("Button", "Go", BS_PUSHBUTTON | WS_TABSTOP, RECT{10, 10, 90, 35});
    SendMessage(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLong(button, GWL_STYLE) & (BS_TYPEMASK | WS_TABSTOP), BS_DEFPUSHBUTTON | WS_TABSTOP);
    EXPECT_EQ(SendMessage(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
}

TEST_F(ButtonTest, ClickMessageRespectsDisabledButtons)
{
    HWND button = Make("Button", "Go", BS_PUSHBUTTON, RECT{10, 10, 90, 35}, 5);
    SendMessage(button, BM_CLICK, 0, 0);
    EnableWindow(button, FALSE);
    SendMessage(button, BM_CLICK, 0, 0);
    EXPECT_EQ(Commands(), std::vector<std::string>{CommandLine(5, BN_CLICKED)});
}

TEST_F(ButtonTest, DoubleClickNotifiesForRadioButtonsAndClicksTwiceForPushButtons)
{
    HWND radio = Make("Button", "R", BS_AUTORADIOBUTTON | WS_GROUP, RECT{10, 10, 100, 30}, 21);
    HWND push = Make("Button", "P", BS_PUSHBUTTON | WS_GROUP, RECT{10, 40, 100, 60}, 22);
    DoubleClick(radio, 5, 5);
    EXPECT_EQ(Commands(), (std::vector<std::string>{CommandLine(21, BN_CLICKED), CommandLine(21, BN_DOUBLECLICKED)}));
    Clear();
    DoubleClick(push, 5, 5);
    EXPECT_EQ(Commands(), (std::vector<std::string>{CommandLine(22, BN_CLICKED), CommandLine(22, BN_CLICKED)}));
}

TEST_F(ButtonTest, FocusNotificationsNeedTheNotifyStyle)
{
    HWND quiet = Make("Button", "Q", BS_PUSHBUTTON, RECT{10, 10, 90, 35}, 31);
    HWND loud = Make("Button", "L", BS_PUSHBUTTON | BS_NOTIFY, RECT{10, 40, 90, 65}, 32);
    SetFocus(quiet);
    SetFocus(loud);
    SetFocus(quiet);
    EXPECT_EQ(Commands(), (std::vector<std::string>{CommandLine(32, BN_SETFOCUS), CommandLine(32, BN_KILLFOCUS)}));
}

TEST_F(ButtonTest, OwnerDrawButtonAsksItsParentToDrawWithPressAndFocusState)
{
    HWND button = Make("Button", "", BS_OWNERDRAW, RECT{10, 10, 90, 35}, 40);
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log().back(), "DRAWITEM 4 40 item=0 action=1 state=0");
    Clear();
    const POINT at = ScreenPointOf(button, 5, 5);
    input.ButtonDown(MouseButton::Left, at.x, at.y);
    Pump();
    bool sawSelectedAndFocused = false;
    for (const std::string& line : Log())
        sawSelectedAndFocused |= line.find("state=" + std::to_string(ODS_SELECTED | ODS_FOCUS)) != std::string::npos;
    EXPECT_TRUE(sawSelectedAndFocused);
    input.ButtonUp(MouseButton::Left, at.x, at.y);
    Pump();
    EXPECT_EQ(Commands(), std::vector<std::string>{CommandLine(40, BN_CLICKED)});
}

TEST_F(ButtonTest, ImageIsSwappedAndTheOldOneReturned)
{
    HWND button = Make("Button", "", BS_PUSHBUTTON | BS_BITMAP, RECT{10, 10, 90, 35});
    HBITMAP first = CreateBitmap(8, 8, 1, 32, nullptr);
    HBITMAP second = CreateBitmap(8, 8, 1, 32, nullptr);
    EXPECT_EQ(SendMessage(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(first)), 0);
    EXPECT_EQ(SendMessage(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(second)),
              reinterpret_cast<LRESULT>(first));
    EXPECT_EQ(SendMessage(button, BM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(second));
    DestroyWindow(button);
    DeleteObject(first);
    DeleteObject(second);
}

TEST_F(ButtonTest, CheckedBoxShowsItsMarkInTheBox)
{
    HWND box = Make("Button", "Box", BS_AUTOCHECKBOX, RECT{10, 10, 150, 30});
    auto darkPixelsInBox = [&] {
        int dark = 0;
        // The 13-pixel box is at the left, centred vertically in the 20-pixel control.
        for (int y = 6; y < 13; ++y)
            for (int x = 3; x < 10; ++x)
                dark += ScreenPixel(box, x, y) == RGB(0, 0, 0);
        return dark;
    };
    EXPECT_EQ(darkPixelsInBox(), 0);
    EXPECT_EQ(ScreenPixel(box, 6, 10), GetSysColor(COLOR_WINDOW));
    SendMessage(box, BM_SETCHECK, BST_CHECKED, 0);
    Pump();
    EXPECT_GT(darkPixelsInBox(), 5);
}

TEST_F(ButtonTest, FocusedPushButtonShowsAFocusRectangle)
{
    HWND button = Make("Button", "", BS_PUSHBUTTON, RECT{10, 10, 90, 40});
    // The focus rectangle is dotted, three pixels in: every other pixel of its top edge changes.
    auto topEdge = [&] {
        std::vector<COLORREF> row;
        for (int x = 4; x < 20; ++x)
            row.push_back(ScreenPixel(button, x, 3));
        return row;
    };
    const std::vector<COLORREF> unfocused = topEdge();
    SetFocus(button);
    Pump();
    const std::vector<COLORREF> focused = topEdge();
    int changed = 0;
    for (size_t i = 0; i < focused.size(); ++i)
        changed += focused[i] != unfocused[i];
    EXPECT_GE(changed, 6);
    EXPECT_LT(changed, 16) << "dotted, not solid";
}

TEST_F(ButtonTest, FontIsKeptAndAnswered)
{
    HWND button = Make("Button", "Go", BS_PUSHBUTTON, RECT{10, 10, 90, 35});
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(SendMessage(button, WM_GETFONT, 0, 0), 0);
    SendMessage(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_EQ(SendMessage(button, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
}

}  // namespace
}  // namespace tw::controls::test
