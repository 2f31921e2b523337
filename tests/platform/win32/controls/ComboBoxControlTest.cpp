// Combo boxes: the three kinds, the dropped list as a popup that leaves
// activation alone, notification order for picking and cancelling by mouse
// and keyboard, the child edit, owner draw and focus.
#include "tests/platform/win32/controls/ControlTestFixture.h"

#include <algorithm>

#include "platform/win32/kernel/ProcessClock.h"

namespace tw::controls::test {
namespace {

constexpr int kId = 70;

class ComboBoxTest : public ControlTest {
protected:
    HWND MakeCombo(DWORD style, std::initializer_list<const char*> items = {"red", "green", "blue", "black"})
    {
        HWND combo = Make("ComboBox", "", style | WS_VSCROLL | WS_TABSTOP, RECT{20, 20, 170, 220}, kId);
        for (const char* item : items)
            SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        Pump();
        Clear();
        return combo;
    }
    HWND DroppedList(HWND combo)
    {
        // The list is a popup: the one visible "ComboLBox" on the screen.
        HWND found = nullptr;
        EnumWindows(
            [](HWND hwnd, LPARAM out) {
                char name[32] = {};
                GetClassName(hwnd, name, sizeof name);
                if (std::string(name) == "ComboLBox" && IsWindowVisible(hwnd))
                    *reinterpret_cast<HWND*>(out) = hwnd;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        (void)combo;
        return found;
    }
    void ClickListItem(HWND list, int index)
    {
        RECT item{};
        SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        Click(list, item.left + 5, (item.top + item.bottom) / 2);
    }
    std::vector<std::string> Codes(std::initializer_list<int> codes)
    {
        std::vector<std::string> lines;
        for (int code : codes)
            lines.push_back(CommandLine(kId, code));
        return lines;
    }
};

TEST_F(ComboBoxTest, DropDownListKeepsTheFieldHeightAndRemembersTheDroppedHeight)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    RECT window{};
    GetWindowRect(combo, &window);
    EXPECT_LT(window.bottom - window.top, 40);
    EXPECT_EQ(window.bottom - window.top, SendMessage(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0) + 6);
    RECT dropped{};
    SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.bottom - dropped.top, 200);
    MoveWindow(combo, 20, 20, 150, 300, TRUE);
    GetWindowRect(combo, &window);
    EXPECT_LT(window.bottom - window.top, 40) << "a move keeps the field's height";
    SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.bottom - dropped.top, 300);
}

TEST_F(ComboBoxTest, SelectionByMessageShowsInTheTextWithoutNotifying)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST | CBS_SORT);
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(TextOf(combo), "blue") << "sorted: black, blue, green, red";
    EXPECT_EQ(SendMessage(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("GR")), 2);
    EXPECT_EQ(TextOf(combo), "green");
    EXPECT_EQ(SendMessage(combo, CB_GETLBTEXTLEN, 3, 0), 3);
    char text[16] = {};
    SendMessage(combo, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "red");
    EXPECT_EQ(SetWindowText(combo, "RED"), TRUE) << "a drop-down list selects the matching item";
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(SendMessage(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("purple")), CB_ERR);
    EXPECT_EQ(SendMessage(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1)), CB_ERR) << "no edit to select in";
    EXPECT_TRUE(Commands().empty());
}

TEST_F(ComboBoxTest, FindStringStartsAfterTheGivenItemAndWraps)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST, {"blue", "black", "brown", "red"});
    EXPECT_EQ(SendMessage(combo, CB_FINDSTRING, 0, reinterpret_cast<LPARAM>("b")), 1);
    EXPECT_EQ(SendMessage(combo, CB_FINDSTRING, 2, reinterpret_cast<LPARAM>("b")), 0);
    EXPECT_EQ(SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("BROWN")), 2);
    EXPECT_EQ(SendMessage(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("x")), CB_ERR);
}

TEST_F(ComboBoxTest, DroppedListIsAPopupBelowThatLeavesActivationAlone)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    SetFocus(combo);
    Clear();
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    Pump();
    EXPECT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    HWND list = DroppedList(combo);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(GetWindowLong(list, GWL_STYLE) & WS_CHILD, 0);
    RECT comboRect{};
    RECT listRect{};
    GetWindowRect(combo, &comboRect);
    GetWindowRect(list, &listRect);
    EXPECT_EQ(listRect.top, comboRect.bottom);
    EXPECT_EQ(listRect.left, comboRect.left);
    EXPECT_EQ(GetActiveWindow(), parent);
    EXPECT_EQ(GetFocus(), combo);
    EXPECT_EQ(Commands(), Codes({CBN_DROPDOWN}));
    const POINT inside = ScreenPointOf(list, 5, 5);
    input.Click(tw::display::MouseButton::Left, inside.x, inside.y);
    Pump();
    EXPECT_EQ(GetActiveWindow(), parent) << "clicking the list does not activate it";
}

TEST_F(ComboBoxTest, ClickingAnItemCommitsWithSelEndOkCloseUpAndSelChange)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    SendMessage(combo, CB_SETCURSEL, 0, 0);
    Click(combo, 10, 5);
    EXPECT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0)) << "a click on the field drops the list";
    HWND list = DroppedList(combo);
    ASSERT_NE(list, nullptr);
    Clear();
    ClickListItem(list, 2);
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(TextOf(combo), "blue");
    EXPECT_EQ(Commands(), Codes({CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
}

TEST_F(ComboBoxTest, ClickingElsewhereCancelsAndKeepsTheOldChoice)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    SendMessage(combo, CB_SETCURSEL, 1, 0);
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = DroppedList(combo);
    ASSERT_NE(list, nullptr);
    const POINT hover = ScreenPointOf(list, 5, 5);
    input.MouseMove(hover.x, hover.y);  // hovering marks item 0 without choosing it
    Pump();
    Clear();
    Click(parent, 400, 300);
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Commands(), Codes({CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, KeyboardOpensMovesCommitsAndCancels)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    SendMessage(combo, CB_SETCURSEL, 0, 0);
    SetFocus(combo);
    Clear();
    Key(VK_F4);
    EXPECT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Commands(), Codes({CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    Clear();
    KeyWith(VK_MENU, VK_DOWN);
    EXPECT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0)) << "Alt+Down opens too";
    Key(VK_ESCAPE);
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(Commands(), Codes({CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, ArrowsOnAClosedListChooseAtOnce)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    SendMessage(combo, CB_SETCURSEL, 0, 0);
    SetFocus(combo);
    Clear();
    Key(VK_DOWN);
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Commands(), Codes({CBN_SELENDOK, CBN_SELCHANGE}));
    Clear();
    Type("b");
    EXPECT_EQ(TextOf(combo), "blue") << "typing selects by first letters";
    tw::ProcessClock::Advance(2000);
    Type("b");
    EXPECT_EQ(TextOf(combo), "black");
}

TEST_F(ComboBoxTest, DropDownHasARealEditChildThatOthersCanSubclass)
{
    HWND combo = MakeCombo(CBS_DROPDOWN | CBS_AUTOHSCROLL);
    HWND edit = GetDlgItem(combo, 1001);
    ASSERT_NE(edit, nullptr);
    char name[16] = {};
    GetClassName(edit, name, sizeof name);
    EXPECT_STREQ(name, "Edit");
    static WNDPROC previous = nullptr;
    static int charsSeen = 0;
    charsSeen = 0;
    previous = reinterpret_cast<WNDPROC>(GetWindowLongPtr(edit, GWLP_WNDPROC));
    SetWindowLongPtr(edit, GWLP_WNDPROC,
                     reinterpret_cast<LONG_PTR>(+[](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
                         if (message == WM_CHAR)
                             ++charsSeen;
                         return CallWindowProc(previous, hwnd, message, wParam, lParam);
                     }));
    SetFocus(combo);
    EXPECT_EQ(GetFocus(), edit) << "focus given to the combo box goes to its edit";
    Clear();
    Type("gr");
    EXPECT_EQ(charsSeen, 2);
    EXPECT_EQ(TextOf(combo), "gr");
    EXPECT_EQ(Commands(), Codes({CBN_EDITUPDATE, CBN_EDITCHANGE, CBN_EDITUPDATE, CBN_EDITCHANGE}));
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1) << "the list follows the typed prefix";
    Clear();
    SendMessage(combo, CB_SETCURSEL, 2, 0);
    EXPECT_EQ(TextOf(edit), "blue");
    EXPECT_TRUE(Commands().empty()) << "text the combo box sets is not an edit change";
    EXPECT_EQ(SendMessage(combo, CB_SETEDITSEL, 0, MAKELPARAM(1, 3)), TRUE);
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 3u);
    SendMessage(combo, CB_LIMITTEXT, 2, 0);
    EXPECT_EQ(SendMessage(edit, EM_GETLIMITTEXT, 0, 0), 2);
}

TEST_F(ComboBoxTest, SetTextOnADropDownSelectsAnExactMatchOrNothing)
{
    HWND combo = MakeCombo(CBS_DROPDOWN);
    SetWindowText(combo, "Green");
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(TextOf(combo), "Green");
    SetWindowText(combo, "gre");
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(ComboBoxTest, FocusEntersAndLeavesOnceAndLeavingClosesTheList)
{
    HWND combo = MakeCombo(CBS_DROPDOWN);
    HWND other = Make("Button", "x", BS_PUSHBUTTON, RECT{300, 20, 360, 40}, 9);
    SetFocus(combo);
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    Clear();
    SetFocus(other);
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(Commands(), Codes({CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}));
    Clear();
    SetFocus(combo);
    EXPECT_EQ(Commands(), Codes({CBN_SETFOCUS}));
}

TEST_F(ComboBoxTest, OwnerDrawItemsReachTheParentAsTheComboBoxes)
{
    std::vector<std::string> measured;
    OnParentMessage([&](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
        if (message != WM_MEASUREITEM)
            return false;
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measured.push_back(std::to_string(mis->CtlType) + " " + std::to_string(mis->CtlID) + " " +
                           std::to_string(static_cast<int>(mis->itemID)));
        mis->itemHeight = 18;
        *result = TRUE;
        return true;
    });
    HWND combo = MakeCombo(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, {});
    EXPECT_EQ(measured, (std::vector<std::string>{"3 70 -1", "3 70 0"})) << "the field, then the list's items";
    EXPECT_EQ(SendMessage(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 18);
    EXPECT_EQ(SendMessage(combo, CB_GETITEMHEIGHT, 0, 0), 18);
    SendMessage(combo, CB_ADDSTRING, 0, 111);
    SendMessage(combo, CB_ADDSTRING, 0, 222);
    SendMessage(combo, CB_SETCURSEL, 1, 0);
    SetFocus(combo);
    Pump();
    const std::string field =
        "DRAWITEM 3 70 item=1 action=1 state=" + std::to_string(ODS_COMBOBOXEDIT | ODS_SELECTED | ODS_FOCUS);
    bool sawField = false;
    for (const std::string& line : Log())
        sawField |= line == field;
    EXPECT_TRUE(sawField);
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    Clear();
    Pump();
    std::vector<std::string> listDraws;
    const std::string fieldWhileDropped = "state=" + std::to_string(ODS_COMBOBOXEDIT);
    for (const std::string& line : Log())
        if (line.rfind("DRAWITEM", 0) == 0 && line.find(fieldWhileDropped) == std::string::npos)
            listDraws.push_back(line);
    EXPECT_EQ(listDraws, (std::vector<std::string>{"DRAWITEM 3 70 item=0 action=1 state=0",
                                                   "DRAWITEM 3 70 item=1 action=1 state=1"}));
    SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
    Clear();
    SendMessage(combo, CB_DELETESTRING, 0, 0);
    EXPECT_EQ(Log(), std::vector<std::string>{"DELETEITEM 70 item=0 data=111"});
    OnParentMessage(nullptr);
}

TEST_F(ComboBoxTest, SortedOwnerDrawItemsAreComparedByTheParentAsTheComboBoxes)
{
    std::vector<UINT> types;
    OnParentMessage([&](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
        if (message != WM_COMPAREITEM)
            return false;
        auto* cis = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
        types.push_back(cis->CtlType);
        *result = cis->itemData1 < cis->itemData2 ? -1 : cis->itemData1 > cis->itemData2 ? 1 : 0;
        return true;
    });
    HWND combo = MakeCombo(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT, {});
    for (LPARAM data : {30, 10, 20})
        SendMessage(combo, CB_ADDSTRING, 0, data);
    EXPECT_EQ(SendMessage(combo, CB_GETITEMDATA, 0, 0), 10);
    EXPECT_EQ(SendMessage(combo, CB_GETITEMDATA, 2, 0), 30);
    ASSERT_FALSE(types.empty());
    for (UINT type : types)
        EXPECT_EQ(type, static_cast<UINT>(ODT_COMBOBOX));
    OnParentMessage(nullptr);
}

TEST_F(ComboBoxTest, SimpleComboShowsItsListAndFillsTheEditFromIt)
{
    HWND combo = MakeCombo(CBS_SIMPLE);
    HWND list = GetDlgItem(combo, 1000);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(IsWindowVisible(list));
    RECT window{};
    GetWindowRect(combo, &window);
    EXPECT_EQ(window.bottom - window.top, 200) << "a simple combo box keeps its whole height";
    RECT item{};
    SendMessage(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item));
    Click(list, 5, (item.top + item.bottom) / 2);
    EXPECT_EQ(TextOf(combo), "black");
    EXPECT_EQ(GetFocus(), GetDlgItem(combo, 1001));
    const auto commands = Commands();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back(), CommandLine(kId, CBN_SELCHANGE));
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    Clear();
    DoubleClick(list, 5, (item.top + item.bottom) / 2);
    EXPECT_EQ(Commands().back(), CommandLine(kId, CBN_DBLCLK));
}

TEST_F(ComboBoxTest, ResetContentEmptiesTheListAndTheText)
{
    HWND combo = MakeCombo(CBS_DROPDOWN);
    SendMessage(combo, CB_SETCURSEL, 1, 0);
    SendMessage(combo, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(TextOf(combo), "");
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(ComboBoxTest, ScrollBarStylesGoToTheList)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"});
    EXPECT_EQ(GetWindowLong(combo, GWL_STYLE) & WS_VSCROLL, 0) << "the field has no scroll bar";
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = DroppedList(combo);
    ASSERT_NE(list, nullptr);
    EXPECT_NE(GetWindowLong(list, GWL_STYLE) & WS_VSCROLL, 0) << "thirteen items do not fit: the list scrolls";
    RECT rect{};
    GetWindowRect(list, &rect);
    EXPECT_LE(rect.bottom - rect.top, 200) << "within the dropped height";
}

TEST_F(ComboBoxTest, FewItemsMakeAShortList)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST, {"only"});
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    RECT rect{};
    GetWindowRect(DroppedList(combo), &rect);
    EXPECT_EQ(rect.bottom - rect.top, SendMessage(combo, CB_GETITEMHEIGHT, 0, 0) + 2);
}

TEST_F(ComboBoxTest, FieldHeightFollowsSetItemHeight)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    EXPECT_EQ(SendMessage(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 30), CB_OKAY);
    RECT window{};
    GetWindowRect(combo, &window);
    EXPECT_EQ(window.bottom - window.top, 36);
    EXPECT_EQ(SendMessage(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 0), CB_ERR);
}

TEST_F(ComboBoxTest, TheListsColoursAreAskedOfTheParentWithTheListsHandle)
{
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
    std::vector<HWND> asking;
    OnParentMessage([&](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
        if (message != WM_CTLCOLORLISTBOX)
            return false;
        asking.push_back(reinterpret_cast<HWND>(lParam));
        *result = reinterpret_cast<LRESULT>(yellow);
        return true;
    });
    HWND combo = MakeCombo(CBS_DROPDOWNLIST, {"one"});
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    Pump();
    HWND list = DroppedList(combo);
    ASSERT_NE(list, nullptr);
    EXPECT_NE(std::find(asking.begin(), asking.end(), list), asking.end());
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_EQ(ScreenPixel(list, client.right - 2, client.bottom - 1), RGB(255, 255, 0));
    SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
    OnParentMessage(nullptr);
    DestroyWindow(combo);
    DeleteObject(yellow);
}

TEST_F(ComboBoxTest, DroppedWidthNeverNarrowerThanTheComboBox)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    EXPECT_EQ(SendMessage(combo, CB_SETDROPPEDWIDTH, 50, 0), 150);
    EXPECT_EQ(SendMessage(combo, CB_SETDROPPEDWIDTH, 260, 0), 260);
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    RECT listRect{};
    GetWindowRect(DroppedList(combo), &listRect);
    EXPECT_EQ(listRect.right - listRect.left, 260);
}

}  // namespace
}  // namespace tw::controls::test
