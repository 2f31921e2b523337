// List boxes: items and their order, the three kinds of selection by
// message, mouse and keyboard, notifications, owner draw, type-ahead,
// scrolling and geometry.
#include "tests/platform/win32/controls/ControlTestFixture.h"

#include <cstring>

#include "platform/win32/kernel/ProcessClock.h"

namespace tw::controls::test {
namespace {

class ListBoxTest : public ControlTest {
protected:
    HWND MakeList(DWORD style, std::initializer_list<const char*> items = {}, RECT rect = RECT{10, 10, 160, 170})
    {
        HWND list = Make("ListBox", "", style | WS_BORDER, rect, 60);
        for (const char* item : items)
            SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        Pump();
        Clear();
        return list;
    }
    std::vector<std::string> Items(HWND list)
    {
        std::vector<std::string> items;
        const LRESULT count = SendMessage(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char buffer[256] = {};
            SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
            items.push_back(buffer);
        }
        return items;
    }
    std::vector<int> Selected(HWND list)
    {
        int indices[64] = {};
        const LRESULT count = SendMessage(list, LB_GETSELITEMS, 64, reinterpret_cast<LPARAM>(indices));
        return std::vector<int>(indices, indices + std::max<LRESULT>(count, 0));
    }
    // The middle of an item, in client coordinates.
    POINT ItemPoint(HWND list, int index)
    {
        RECT rect{};
        SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    void ClickItem(HWND list, int index, UINT modifier = 0)
    {
        if (modifier)
            input.KeyDown(modifier);
        const POINT pt = ItemPoint(list, index);
        Click(list, pt.x, pt.y);
        if (modifier)
            input.KeyUp(modifier);
        Pump();
    }
};

TEST_F(ListBoxTest, SortedListOrdersWithoutCaseAndKeepsEqualItemsInArrivalOrder)
{
    HWND list = MakeList(LBS_SORT | LBS_NOTIFY, {"delta", "Alpha", "charlie", "alpha", "Bravo"});
    EXPECT_EQ(Items(list), (std::vector<std::string>{"Alpha", "alpha", "Bravo", "charlie", "delta"}));
    EXPECT_EQ(SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("beta")), 2);
    EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("zulu")), 0)
        << "inserting at an index does not sort";
    EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, 99, reinterpret_cast<LPARAM>("x")), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("end")), 7);
}

TEST_F(ListBoxTest, TextQueriesAnswerLengthsAndErrors)
{
    HWND list = MakeList(0, {"one", "three"});
    EXPECT_EQ(SendMessage(list, LB_GETTEXTLEN, 1, 0), 5);
    EXPECT_EQ(SendMessage(list, LB_GETTEXTLEN, 2, 0), LB_ERR);
    char buffer[16] = {};
    EXPECT_EQ(SendMessage(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(buffer)), 5);
    EXPECT_STREQ(buffer, "three");
    EXPECT_EQ(SendMessage(list, LB_GETTEXT, 5, reinterpret_cast<LPARAM>(buffer)), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 0, 0), 1) << "the count left";
    EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 4, 0), LB_ERR);
}

TEST_F(ListBoxTest, FindSearchesAfterTheStartAndWraps)
{
    struct Case {
        int start;
        const char* text;
        UINT message;
        LRESULT found;
    };
    HWND list = MakeList(0, {"apple", "Banana", "apricot", "cherry", "banana split"});
    const Case cases[] = {
        {-1, "ap", LB_FINDSTRING, 0},
        {0, "ap", LB_FINDSTRING, 2},
        {2, "ap", LB_FINDSTRING, 0},          // wraps past the end
        {1, "BAN", LB_FINDSTRING, 4},         // no case
        {4, "ban", LB_FINDSTRING, 1},
        {-1, "banana", LB_FINDSTRINGEXACT, 1},
        {1, "banana", LB_FINDSTRINGEXACT, 1}, // the start item is tried last
        {-1, "kiwi", LB_FINDSTRING, LB_ERR},
        {99, "cher", LB_FINDSTRING, 3},       // an index past the end starts from the top
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SendMessage(list, c.message, static_cast<WPARAM>(c.start), reinterpret_cast<LPARAM>(c.text)),
                  c.found)
            << c.start << " " << c.text;
    }
}

TEST_F(ListBoxTest, SingleSelectionByMessageDoesNotNotify)
{
    HWND list = MakeList(LBS_NOTIFY, {"a", "b", "c"});
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessage(list, LB_GETSEL, 1, 0), 1);
    EXPECT_EQ(SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR) << "-1 clears and says LB_ERR";
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("C")), 2);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessage(list, LB_SETSEL, TRUE, 0), LB_ERR) << "multiple-selection messages refuse";
    EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), LB_ERR);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(ListBoxTest, SelectionFollowsInsertionsAndDeletions)
{
    HWND list = MakeList(0, {"a", "b", "c"});
    SendMessage(list, LB_SETCURSEL, 1, 0);
    SendMessage(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("first"));
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2) << "still on b";
    SendMessage(list, LB_DELETESTRING, 2, 0);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR) << "the selected item went";
}

TEST_F(ListBoxTest, ClickSelectsAndNotifiesOnlyWithNotifyStyle)
{
    HWND quiet = MakeList(0, {"a", "b"}, RECT{10, 10, 100, 100});
    HWND loud = MakeList(LBS_NOTIFY, {"a", "b"}, RECT{200, 10, 300, 100});
    ClickItem(quiet, 1);
    EXPECT_EQ(SendMessage(quiet, LB_GETCURSEL, 0, 0), 1);
    Clear();
    ClickItem(loud, 1);
    EXPECT_EQ(Commands(), (std::vector<std::string>{CommandLine(60, LBN_SETFOCUS), CommandLine(60, LBN_SELCHANGE)}));
    Clear();
    ClickItem(loud, 1);
    EXPECT_TRUE(Commands().empty()) << "clicking the selected item changes nothing";
    Clear();
    const POINT pt = ItemPoint(loud, 0);
    DoubleClick(loud, pt.x, pt.y);
    EXPECT_EQ(Commands(), (std::vector<std::string>{CommandLine(60, LBN_SELCHANGE), CommandLine(60, LBN_DBLCLK)}));
}

TEST_F(ListBoxTest, ExtendedSelectionWithShiftAndControl)
{
    HWND list = MakeList(LBS_EXTENDEDSEL | LBS_NOTIFY, {"0", "1", "2", "3", "4", "5"});
    ClickItem(list, 1);
    ClickItem(list, 3, VK_SHIFT);
    EXPECT_EQ(Selected(list), (std::vector<int>{1, 2, 3}));
    ClickItem(list, 5, VK_CONTROL);
    EXPECT_EQ(Selected(list), (std::vector<int>{1, 2, 3, 5}));
    ClickItem(list, 2, VK_CONTROL);
    EXPECT_EQ(Selected(list), (std::vector<int>{1, 3, 5}));
    ClickItem(list, 0);
    EXPECT_EQ(Selected(list), (std::vector<int>{0}));
    KeyWith(VK_SHIFT, VK_DOWN);
    KeyWith(VK_SHIFT, VK_DOWN);
    EXPECT_EQ(Selected(list), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(SendMessage(list, LB_GETCARETINDEX, 0, 0), 2);
    EXPECT_EQ(SendMessage(list, LB_GETANCHORINDEX, 0, 0), 0);
    EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 3);
}

TEST_F(ListBoxTest, MultipleSelectionTogglesByClickAndSpace)
{
    HWND list = MakeList(LBS_MULTIPLESEL | LBS_NOTIFY, {"0", "1", "2", "3"});
    ClickItem(list, 1);
    ClickItem(list, 3);
    ClickItem(list, 1);
    EXPECT_EQ(Selected(list), (std::vector<int>{3}));
    Key(VK_UP);  // from the last clicked item, 1: moves the caret only
    EXPECT_EQ(Selected(list), (std::vector<int>{3}));
    EXPECT_EQ(SendMessage(list, LB_GETCARETINDEX, 0, 0), 0);
    Key(VK_SPACE);
    EXPECT_EQ(Selected(list), (std::vector<int>{0, 3}));
}

TEST_F(ListBoxTest, RangeMessagesSelectAndDeselect)
{
    HWND list = MakeList(LBS_EXTENDEDSEL, {"0", "1", "2", "3", "4", "5"});
    SendMessage(list, LB_SELITEMRANGEEX, 1, 4);
    EXPECT_EQ(Selected(list), (std::vector<int>{1, 2, 3, 4}));
    SendMessage(list, LB_SELITEMRANGEEX, 3, 2);
    EXPECT_EQ(Selected(list), (std::vector<int>{1, 4})) << "a reversed range deselects";
    SendMessage(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(5, 5));
    SendMessage(list, LB_SETSEL, FALSE, 1);
    EXPECT_EQ(Selected(list), (std::vector<int>{4, 5}));
    SendMessage(list, LB_SETSEL, TRUE, static_cast<LPARAM>(-1));
    EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 6);
    int two[2] = {-7, -7};
    EXPECT_EQ(SendMessage(list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(two)), 1);
    EXPECT_EQ(two[1], -7) << "never past the caller's count";
}

TEST_F(ListBoxTest, KeysMoveTheSelectionAndNotify)
{
    HWND list = MakeList(LBS_NOTIFY, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13"},
                         RECT{10, 10, 160, 90});
    SetFocus(list);
    Clear();
    Key(VK_DOWN);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0) << "the first key press selects the first item";
    Key(VK_DOWN);
    Key(VK_END);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 13);
    EXPECT_GT(SendMessage(list, LB_GETTOPINDEX, 0, 0), 0) << "scrolled to show the last item";
    Key(VK_HOME);
    EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(Commands().size(), 4u);
    Key(VK_UP);
    EXPECT_EQ(Commands().size(), 4u) << "nothing above the first item";
}

TEST_F(ListBoxTest, TypingSelectsByPrefixAndRepeatingALetterCycles)
{
    HWND list = MakeList(LBS_SORT, {"cedar", "birch", "beech", "cherry", "box"});
    SetFocus(list);
    Type("c");
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 3);
    Type("h");
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 4) << "\"ch\" is cherry";
    tw::ProcessClock::Advance(2000);
    Type("b");
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0);
    Type("b");
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
    Type("b");
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
}

TEST_F(ListBoxTest, OwnerDrawFixedMeasuresOnceAndDrawsEachItem)
{
    int measures = 0;
    OnParentMessage([&](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
        if (message != WM_MEASUREITEM)
            return false;
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        EXPECT_EQ(mis->CtlType, static_cast<UINT>(ODT_LISTBOX));
        mis->itemHeight = 20;
        ++measures;
        *result = TRUE;
        return true;
    });
    HWND list = MakeList(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY, {"a", "b"});
    EXPECT_EQ(measures, 1);
    EXPECT_EQ(SendMessage(list, LB_GETITEMHEIGHT, 0, 0), 20);
    SendMessage(list, LB_SETCURSEL, 1, 0);
    Pump();
    std::vector<std::string> draws;
    for (const std::string& line : Log())
        if (line.rfind("DRAWITEM", 0) == 0)
            draws.push_back(line);
    EXPECT_EQ(draws, (std::vector<std::string>{"DRAWITEM 2 60 item=0 action=1 state=0",
                                               "DRAWITEM 2 60 item=1 action=1 state=1"}));
    RECT second{};
    SendMessage(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(second.top, 20);
    EXPECT_EQ(second.bottom, 40);
    OnParentMessage(nullptr);
}

TEST_F(ListBoxTest, EmptyFocusedOwnerDrawListAsksForTheFocusAsItemMinusOne)
{
    HWND list = MakeList(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, {});
    SetFocus(list);
    Pump();
    const std::string focusOnly =
        "DRAWITEM 2 60 item=-1 action=" + std::to_string(ODA_FOCUS) + " state=" + std::to_string(ODS_FOCUS);
    bool asked = false;
    for (const std::string& line : Log())
        asked |= line == focusOnly;
    EXPECT_TRUE(asked);
}

TEST_F(ListBoxTest, OwnerDrawVariableMeasuresEveryItem)
{
    OnParentMessage([&](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
        if (message != WM_MEASUREITEM)
            return false;
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        mis->itemHeight = 10 + static_cast<UINT>(mis->itemData) * 5;
        *result = TRUE;
        return true;
    });
    HWND list = MakeList(LBS_OWNERDRAWVARIABLE | LBS_NOINTEGRALHEIGHT, {});
    for (LPARAM data : {1, 2, 3})
        SendMessage(list, LB_ADDSTRING, 0, data);
    EXPECT_EQ(SendMessage(list, LB_GETITEMHEIGHT, 2, 0), 25);
    RECT third{};
    SendMessage(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&third));
    EXPECT_EQ(third.top, 15 + 20);
    EXPECT_EQ(HIWORD(SendMessage(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 36))), 0);
    EXPECT_EQ(LOWORD(SendMessage(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 36))), 2);
    OnParentMessage(nullptr);
}

TEST_F(ListBoxTest, OwnerDrawWithoutStringsSortsByCompareItemAndReportsDeletes)
{
    OnParentMessage([&](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
        if (message != WM_COMPAREITEM)
            return false;
        auto* cis = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
        *result = cis->itemData1 < cis->itemData2 ? -1 : cis->itemData1 > cis->itemData2 ? 1 : 0;
        return true;
    });
    HWND list = MakeList(LBS_OWNERDRAWFIXED | LBS_SORT, {});
    for (LPARAM data : {30, 10, 20})
        SendMessage(list, LB_ADDSTRING, 0, data);
    EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 0, 0), 10);
    EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 2, 0), 30);
    EXPECT_EQ(SendMessage(list, LB_FINDSTRING, static_cast<WPARAM>(-1), 20), 1) << "found by data";
    ULONG_PTR data = 0;
    EXPECT_EQ(SendMessage(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(&data)),
              static_cast<LRESULT>(sizeof(ULONG_PTR)));
    EXPECT_EQ(data, 20u);
    Clear();
    SendMessage(list, LB_DELETESTRING, 0, 0);
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"DELETEITEM 60 item=0 data=10", "DELETEITEM 60 item=0 data=20",
                                               "DELETEITEM 60 item=1 data=30"}));
    OnParentMessage(nullptr);
}

TEST_F(ListBoxTest, WantKeyboardInputLetsTheOwnerTakeKeys)
{
    HWND list = MakeList(LBS_WANTKEYBOARDINPUT | LBS_NOTIFY, {"0", "1", "2", "3"});
    std::vector<std::pair<WORD, WORD>> asked;
    LRESULT answer = -2;
    OnParentMessage([&](UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
        if (message != WM_VKEYTOITEM)
            return false;
        asked.emplace_back(LOWORD(wParam), HIWORD(wParam));
        *result = answer;
        return true;
    });
    SetFocus(list);
    SendMessage(list, LB_SETCURSEL, 1, 0);
    Key(VK_DOWN);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1) << "-2: the owner handled it";
    answer = -1;
    Key(VK_DOWN);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2) << "-1: the list does its own work";
    answer = 0;
    Key(VK_DOWN);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0) << "an index: go there";
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0], (std::pair<WORD, WORD>{VK_DOWN, 1}));
    OnParentMessage(nullptr);
}

TEST_F(ListBoxTest, IntegralHeightTrimsToWholeItemsUnlessAskedNotTo)
{
    HWND trimmed = MakeList(0, {"a"}, RECT{10, 10, 100, 100});
    HWND exact = MakeList(LBS_NOINTEGRALHEIGHT, {"a"}, RECT{110, 10, 200, 100});
    const LRESULT itemHeight = SendMessage(trimmed, LB_GETITEMHEIGHT, 0, 0);
    RECT client{};
    GetClientRect(trimmed, &client);
    EXPECT_EQ(client.bottom % itemHeight, 0);
    RECT window{};
    GetWindowRect(exact, &window);
    EXPECT_EQ(window.bottom - window.top, 90);
}

TEST_F(ListBoxTest, TopIndexAndScrollBarAgree)
{
    std::initializer_list<const char*> many = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
    HWND list = MakeList(WS_VSCROLL, many, RECT{10, 10, 160, 80});
    EXPECT_EQ(SendMessage(list, LB_SETTOPINDEX, 5, 0), LB_OKAY);
    EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 5);
    SCROLLINFO si{sizeof si, SIF_POS | SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(list, SB_VERT, &si);
    EXPECT_EQ(si.nPos, 5);
    EXPECT_EQ(si.nMax, 11);
    SendMessage(list, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 6);
    SendMessage(list, WM_VSCROLL, SB_BOTTOM, 0);
    const LRESULT last = SendMessage(list, LB_GETTOPINDEX, 0, 0);
    RECT item{};
    SendMessage(list, LB_GETITEMRECT, 11, reinterpret_cast<LPARAM>(&item));
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_LE(item.bottom, client.bottom) << "the last page is full, not scrolled past the end";
    EXPECT_GT(last, 5);
    EXPECT_EQ(SendMessage(list, LB_SETTOPINDEX, 40, 0), LB_ERR);
}

TEST_F(ListBoxTest, ScrollBarHidesWhenNotNeededUnlessAskedToStay)
{
    HWND hiding = MakeList(WS_VSCROLL, {"a", "b"}, RECT{10, 10, 160, 100});
    HWND staying = MakeList(WS_VSCROLL | LBS_DISABLENOSCROLL, {"a", "b"}, RECT{200, 10, 350, 100});
    EXPECT_EQ(GetWindowLong(hiding, GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_EQ(GetWindowLong(staying, GWL_STYLE) & WS_VSCROLL, WS_VSCROLL);
    for (int i = 0; i < 20; ++i)
        SendMessage(hiding, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("more"));
    EXPECT_EQ(GetWindowLong(hiding, GWL_STYLE) & WS_VSCROLL, WS_VSCROLL) << "back once the items overflow";
}

TEST_F(ListBoxTest, HorizontalExtentSetsTheHorizontalRange)
{
    HWND list = MakeList(WS_HSCROLL | LBS_DISABLENOSCROLL, {"wide"}, RECT{10, 10, 160, 100});
    SendMessage(list, LB_SETHORIZONTALEXTENT, 400, 0);
    EXPECT_EQ(SendMessage(list, LB_GETHORIZONTALEXTENT, 0, 0), 400);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    GetScrollInfo(list, SB_HORZ, &si);
    EXPECT_EQ(si.nMax, 399);
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_EQ(si.nPage, static_cast<UINT>(client.right));
    SendMessage(list, WM_HSCROLL, SB_RIGHT, 0);
    RECT item{};
    SendMessage(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.right, 400) << "items are as wide as the extent";
}

TEST_F(ListBoxTest, DraggingBelowTheListKeepsScrollingUntilRelease)
{
    std::initializer_list<const char*> many = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                                               "10", "11", "12", "13", "14", "15", "16", "17", "18", "19"};
    HWND list = MakeList(LBS_NOTIFY | WS_VSCROLL, many, RECT{10, 10, 160, 90});
    const POINT first = ScreenPointOf(list, 10, 3);
    RECT client{};
    GetClientRect(list, &client);
    const POINT below = ScreenPointOf(list, 10, client.bottom + 10);
    tw::ProcessClock::Advance(1000);
    input.MouseMove(first.x, first.y);
    input.ButtonDown(tw::display::MouseButton::Left, first.x, first.y);
    Pump();
    input.MouseMove(below.x, below.y);
    Pump();
    const LRESULT afterMove = SendMessage(list, LB_GETCURSEL, 0, 0);
    for (int i = 0; i < 5; ++i) {
        tw::ProcessClock::Advance(100);
        Pump();
    }
    const LRESULT afterHold = SendMessage(list, LB_GETCURSEL, 0, 0);
    EXPECT_EQ(afterHold, afterMove + 5) << "one item a tick";
    EXPECT_GT(SendMessage(list, LB_GETTOPINDEX, 0, 0), 0);
    input.ButtonUp(tw::display::MouseButton::Left, below.x, below.y);
    Pump();
    tw::ProcessClock::Advance(500);
    Pump();
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), afterHold) << "the release stops it";
}

TEST_F(ListBoxTest, SelectedItemUsesHighlightColours)
{
    HWND list = MakeList(0, {"one", "two"});
    SendMessage(list, LB_SETCURSEL, 1, 0);
    Pump();
    RECT second{};
    SendMessage(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(ScreenPixel(list, second.right - 3, second.top + 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ScreenPixel(list, second.right - 3, 1), GetSysColor(COLOR_WINDOW));
}

TEST_F(ListBoxTest, TabStopsNeedTheStyle)
{
    HWND plain = MakeList(0, {"a\tb"});
    HWND tabbed = MakeList(LBS_USETABSTOPS, {"a\tb"}, RECT{200, 10, 300, 100});
    int stops[] = {20, 40};
    EXPECT_FALSE(SendMessage(plain, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops)));
    EXPECT_TRUE(SendMessage(tabbed, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops)));
}

}  // namespace
}  // namespace tw::controls::test
