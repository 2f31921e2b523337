#include <string>
#include <vector>

#include "platform/win32/kernel/ProcessClock.h"
#include "tests/platform/comctl/CommonControlTest.h"

namespace tw::comctl::test {
namespace {

// A report view with columns "Name", "Type" and "Size" and the rows
// orders/Table/12, items/Table/4 and notes/View/0 (lParam 10, 20, 30), whose
// notifications are written as readable lines.
class ListViewTest : public CommonControlTest {
protected:
    void SetUp() override
    {
        CommonControlTest::SetUp();
        list = Make(WC_LISTVIEW, LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS, RECT{10, 10, 310, 210});
        ASSERT_NE(list, nullptr);
        const char* columns[] = {"Name", "Type", "Size"};
        for (int i = 0; i < 3; ++i) {
            LVCOLUMN column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            column.pszText = const_cast<LPSTR>(columns[i]);
            column.cx = 80;
            column.iSubItem = i;
            ASSERT_EQ(SendMessage(list, LVM_INSERTCOLUMN, i, reinterpret_cast<LPARAM>(&column)), i);
        }
        AddRow("orders", "Table", "12", 10);
        AddRow("items", "Table", "4", 20);
        AddRow("notes", "View", "0", 30);
        onNotify = [this](NMHDR* nm) { return OnNotify(nm); };
        SetFocus(list);
        Pump();
        transcript.clear();
    }

    void AddRow(const char* name, const char* type, const char* size, LPARAM param)
    {
        LVITEM item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = int(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<LPSTR>(name);
        item.lParam = param;
        const int index = int(SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)));
        SetText(index, 1, type);
        SetText(index, 2, size);
    }
    void SetText(int index, int subItem, const char* text)
    {
        LVITEM item{};
        item.iSubItem = subItem;
        item.pszText = const_cast<LPSTR>(text);
        SendMessage(list, LVM_SETITEMTEXT, index, reinterpret_cast<LPARAM>(&item));
    }
    std::string Text(int index, int subItem = 0)
    {
        char buffer[64] = {};
        LVITEM item{};
        item.iSubItem = subItem;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessage(list, LVM_GETITEMTEXT, index, reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    RECT ItemRect(int index, int code)
    {
        RECT rect{};
        rect.left = code;
        SendMessage(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    UINT State(int index, UINT mask = 0xFFFF) { return UINT(SendMessage(list, LVM_GETITEMSTATE, index, mask)); }
    void SetState(int index, UINT state, UINT mask)
    {
        LVITEM item{};
        item.state = state;
        item.stateMask = mask;
        SendMessage(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
    }

    LRESULT OnNotify(NMHDR* nm)
    {
        auto* lv = reinterpret_cast<NMLISTVIEW*>(nm);
        auto* disp = reinterpret_cast<NMLVDISPINFO*>(nm);
        switch (nm->code) {
        case LVN_COLUMNCLICK:
            transcript.push_back("COLUMNCLICK " + std::to_string(lv->iItem) + " " + std::to_string(lv->iSubItem));
            break;
        case LVN_ITEMCHANGED:
            if (lv->uChanged & LVIF_STATE)
                transcript.push_back("CHANGED " + std::to_string(lv->iItem) + " " + std::to_string(lv->uNewState) +
                                     " " + std::to_string(lv->uOldState) + " " + std::to_string(lv->lParam));
            break;
        case LVN_BEGINLABELEDIT:
            transcript.push_back("BEGINEDIT " + std::to_string(disp->item.iItem) + " " + disp->item.pszText);
            break;
        case LVN_ENDLABELEDIT:
            transcript.push_back("ENDEDIT " + std::to_string(disp->item.iItem) + " " +
                                 (disp->item.pszText ? disp->item.pszText : "(null)"));
            return TRUE;
        case LVN_DELETEITEM:
            transcript.push_back("DELETE " + std::to_string(lv->iItem) + " " + std::to_string(lv->lParam));
            break;
        case NM_CLICK:
        case NM_DBLCLK: {
            auto* act = reinterpret_cast<NMITEMACTIVATE*>(nm);
            transcript.push_back(std::string(nm->code == NM_CLICK ? "CLICK " : "DBLCLK ") +
                                 std::to_string(act->iItem) + " " + std::to_string(act->iSubItem));
            break;
        }
        case LVN_ITEMACTIVATE:
            transcript.push_back("ACTIVATE " + std::to_string(reinterpret_cast<NMITEMACTIVATE*>(nm)->iItem));
            break;
        default:
            break;
        }
        return 0;
    }
    using Lines = std::vector<std::string>;

    HWND list = nullptr;
    Lines transcript;
};

constexpr UINT kSelFocus = LVIS_SELECTED | LVIS_FOCUSED;

TEST_F(ListViewTest, HeaderClickGivesColumnClickWithTheSubItem)
{
    HWND header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
    ASSERT_TRUE(IsWindowVisible(header));
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    EXPECT_EQ(ScreenPixel(header, 40, 8), GetSysColor(COLOR_BTNFACE)) << "the rows do not paint over the header";
    RECT second{};
    SendMessage(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    Click(header, (second.left + second.right) / 2, 5);
    ASSERT_FALSE(transcript.empty());
    EXPECT_EQ(transcript.back(), "COLUMNCLICK -1 1");
}

TEST_F(ListViewTest, ArrowKeysMoveSelectionAndFocusWithChangeNotifications)
{
    Key(VK_DOWN);  // nothing focused yet: the first item
    Key(VK_DOWN);
    EXPECT_EQ(transcript, (Lines{"CHANGED 0 3 0 10", "CHANGED 0 1 3 10", "CHANGED 0 0 1 10", "CHANGED 1 3 0 20"}))
        << "selection leaves the old item, then its focus, then both arrive on the new one";
    transcript.clear();
    input.KeyDown(VK_SHIFT);
    Key(VK_DOWN);
    input.KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(State(1, kSelFocus), UINT(LVIS_SELECTED));
    EXPECT_EQ(State(2, kSelFocus), kSelFocus);
    EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED), 2);
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 1);
}

TEST_F(ListViewTest, F2TypedTextAndEnterRenameTheItemAndEscGivesNull)
{
    SetState(1, kSelFocus, kSelFocus);
    transcript.clear();
    Key(VK_F2);
    HWND edit = reinterpret_cast<HWND>(SendMessage(list, LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    Type("stock");
    Key(VK_RETURN);
    EXPECT_EQ(transcript, (Lines{"BEGINEDIT 1 items", "ENDEDIT 1 stock"}));
    EXPECT_EQ(Text(1), "stock");
    EXPECT_EQ(Text(1, 1), "Table") << "sub-items are untouched";

    transcript.clear();
    Key(VK_F2);
    Type("lost");
    Key(VK_ESCAPE);
    EXPECT_EQ(transcript, (Lines{"BEGINEDIT 1 stock", "ENDEDIT 1 (null)"}));
    EXPECT_EQ(Text(1), "stock");
    EXPECT_EQ(GetFocus(), list);
}

TEST_F(ListViewTest, ClicksSelectAndReportTheSubItem)
{
    const RECT row = ItemRect(2, LVIR_BOUNDS);
    const int y = (row.top + row.bottom) / 2;
    Click(list, 20, y);
    EXPECT_EQ(State(2, kSelFocus), kSelFocus);
    EXPECT_EQ(transcript.back(), "CLICK 2 0");

    // Without full-row select, a click on a sub-item selects nothing.
    Click(list, 200, y);
    EXPECT_EQ(transcript.back(), "CLICK 2 2");
    EXPECT_EQ(State(2, LVIS_SELECTED), 0u);

    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    Click(list, 200, y);
    EXPECT_EQ(State(2, LVIS_SELECTED), UINT(LVIS_SELECTED));
    const RECT first = ItemRect(0, LVIR_BOUNDS);
    input.KeyDown(VK_CONTROL);
    Click(list, 20, (first.top + first.bottom) / 2);
    input.KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 2);

    transcript.clear();
    DoubleClick(list, 20, (first.top + first.bottom) / 2);
    Advance(GetDoubleClickTime() + 1);
    EXPECT_EQ(transcript.back(), "ACTIVATE 0") << "a double click does not edit the label";
    EXPECT_NE(std::find(transcript.begin(), transcript.end(), "DBLCLK 0 0"), transcript.end());

    // A single click on the focused item's label edits it after the double-click time.
    transcript.clear();
    Click(list, 20, (first.top + first.bottom) / 2);
    EXPECT_EQ(transcript.back(), "CLICK 0 0");
    Advance(GetDoubleClickTime());
    EXPECT_EQ(transcript.back(), "BEGINEDIT 0 orders");
}

struct ListHitCase {
    int x;
    int item;
    int subItem;
    UINT flags;
};

TEST_F(ListViewTest, SubItemHitTesting)
{
    const RECT row = ItemRect(1, LVIR_BOUNDS);
    const int y = (row.top + row.bottom) / 2;
    const ListHitCase cases[] = {
        {10, 1, 0, LVHT_ONITEMLABEL}, {100, 1, 1, LVHT_ONITEMLABEL}, {200, 1, 2, LVHT_ONITEMLABEL},
    };
    for (const ListHitCase& c : cases) {
        LVHITTESTINFO info{};
        info.pt = POINT{c.x, y};
        EXPECT_EQ(SendMessage(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&info)), c.item) << c.x;
        EXPECT_EQ(info.iSubItem, c.subItem) << c.x;
        EXPECT_EQ(info.flags, c.flags) << c.x;
    }
    LVHITTESTINFO below{};
    below.pt = POINT{10, 180};
    EXPECT_EQ(SendMessage(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&below)), -1);
    EXPECT_EQ(below.flags, UINT(LVHT_NOWHERE));
}

int CALLBACK RowsByParamDescending(LPARAM a, LPARAM b, LPARAM) { return int(b - a); }

TEST_F(ListViewTest, SortingMovesRowsWithTheirStates)
{
    SetState(0, kSelFocus, kSelFocus);
    ASSERT_TRUE(SendMessage(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&RowsByParamDescending)));
    EXPECT_EQ(Text(0), "notes");
    EXPECT_EQ(Text(0, 1), "View");
    EXPECT_EQ(Text(2), "orders");
    EXPECT_EQ(State(2, kSelFocus), kSelFocus);
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED), 2);
}

// A comparison that reads the list while it sorts: each item found by its
// data and compared by its text, descending.
HWND g_sortedList = nullptr;
int CALLBACK RowsByTextDescending(LPARAM a, LPARAM b, LPARAM)
{
    auto textOf = [](LPARAM param) {
        LVFINDINFO find{};
        find.flags = LVFI_PARAM;
        find.lParam = param;
        const int index = int(SendMessage(g_sortedList, LVM_FINDITEM, WPARAM(-1), reinterpret_cast<LPARAM>(&find)));
        char text[64] = {};
        LVITEM item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessage(g_sortedList, LVM_GETITEMTEXT, WPARAM(index), reinterpret_cast<LPARAM>(&item));
        return std::string(text);
    };
    const std::string ta = textOf(a), tb = textOf(b);
    return ta == tb ? 0 : ta < tb ? 1 : -1;
}

TEST_F(ListViewTest, ACallbackMayReadTheListWhileItSorts)
{
    g_sortedList = list;
    ASSERT_TRUE(SendMessage(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&RowsByTextDescending)));
    EXPECT_EQ(Text(0), "orders");
    EXPECT_EQ(Text(1), "notes");
    EXPECT_EQ(Text(2), "items");
}

TEST_F(ListViewTest, CallbackTextIsAskedForPerSubItem)
{
    LVITEM item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = 3;
    item.pszText = LPSTR_TEXTCALLBACK;
    item.lParam = 77;
    SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    SetText(3, 2, LPSTR_TEXTCALLBACK);
    onNotify = [](NMHDR* nm) -> LRESULT {
        if (nm->code == LVN_GETDISPINFO) {
            auto* disp = reinterpret_cast<NMLVDISPINFO*>(nm);
            snprintf(disp->item.pszText, size_t(disp->item.cchTextMax), "row %d cell %d (%d)", disp->item.iItem,
                     disp->item.iSubItem, int(disp->item.lParam));
        }
        return 0;
    };
    EXPECT_EQ(Text(3), "row 3 cell 0 (77)");
    EXPECT_EQ(Text(3, 2), "row 3 cell 2 (77)");
    EXPECT_EQ(Text(3, 1), "");
    EXPECT_GT(SendMessage(list, LVM_GETSTRINGWIDTH, 0, reinterpret_cast<LPARAM>("orders and items")),
              SendMessage(list, LVM_GETSTRINGWIDTH, 0, reinterpret_cast<LPARAM>("orders")));
}

TEST_F(ListViewTest, CustomDrawColoursEachSubItem)
{
    std::vector<std::string> stages;
    onNotify = [&](NMHDR* nm) -> LRESULT {
        if (nm->code != NM_CUSTOMDRAW)
            return 0;
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(nm);
        switch (cd->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            stages.push_back(std::to_string(cd->nmcd.dwItemSpec) + "." + std::to_string(cd->iSubItem));
            if (cd->nmcd.dwItemSpec == 1 && cd->iSubItem == 1)
                cd->clrTextBk = RGB(255, 255, 0);
            return CDRF_DODEFAULT;
        default:
            return CDRF_DODEFAULT;
        }
    };
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    EXPECT_EQ(stages, (Lines{"0.0", "0.1", "0.2", "1.0", "1.1", "1.2", "2.0", "2.1", "2.2"}));
    const RECT row = ItemRect(1, LVIR_BOUNDS);
    EXPECT_EQ(ScreenPixel(list, 158, row.top + 1), RGB(255, 255, 0)) << "the cell of row 1, column 1";
    EXPECT_EQ(ScreenPixel(list, 238, row.top + 1), RGB(255, 255, 255)) << "column 2 keeps the window colour";
}

TEST_F(ListViewTest, ParentMayDeleteItemsWhileTheyAreDrawn)
{
    onNotify = [this](NMHDR* nm) -> LRESULT {
        if (nm->code != NM_CUSTOMDRAW)
            return 0;
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(nm);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW;
        if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && cd->nmcd.dwItemSpec == 1)
            SendMessage(list, LVM_DELETEALLITEMS, 0, 0);
        return CDRF_DODEFAULT;
    };
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListViewTest, LabelTipShowsTheWholeTextOfACutOffCell)
{
    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_LABELTIP, LVS_EX_LABELTIP);
    SetText(0, 1, "a type name far too long for its column");
    const RECT row = ItemRect(0, LVIR_BOUNDS);
    const int y = (row.top + row.bottom) / 2;
    MoveTo(list, 120, y);
    HWND tip = FindWindow(TOOLTIPS_CLASS, nullptr);
    ASSERT_NE(tip, nullptr);
    Advance(GetDoubleClickTime());
    EXPECT_TRUE(IsWindowVisible(tip));
    char text[80] = {};
    TOOLINFO tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = list;
    tool.uId = 1;
    tool.lpszText = text;
    SendMessage(tip, TTM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "a type name far too long for its column");

    // Text that fits gets no tip.
    MoveTo(list, 20, y);
    Advance(GetDoubleClickTime() * 2);
    EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(ListViewTest, CheckBoxesToggleWithSpace)
{
    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    EXPECT_EQ(State(0, LVIS_STATEIMAGEMASK), UINT(INDEXTOSTATEIMAGEMASK(1)));
    SetState(0, kSelFocus, kSelFocus);
    transcript.clear();
    Key(VK_SPACE);
    EXPECT_EQ(State(0, LVIS_STATEIMAGEMASK), UINT(INDEXTOSTATEIMAGEMASK(2)));
    EXPECT_EQ(transcript, (Lines{"CHANGED 0 " + std::to_string(INDEXTOSTATEIMAGEMASK(2) | kSelFocus) + " " +
                                 std::to_string(INDEXTOSTATEIMAGEMASK(1) | kSelFocus) + " 10"}));
}

TEST_F(ListViewTest, DeletingKeepsFocusOnTheSameItem)
{
    SetState(2, kSelFocus, kSelFocus);
    transcript.clear();
    ASSERT_TRUE(SendMessage(list, LVM_DELETEITEM, 0, 0));
    EXPECT_EQ(transcript, (Lines{"DELETE 0 10"}));
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED), 1);
    EXPECT_FALSE(SendMessage(list, LVM_DELETEITEM, 5, 0));
    ASSERT_TRUE(SendMessage(list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED), -1);
}

TEST_F(ListViewTest, NoColumnHeaderStyleHidesTheHeader)
{
    HWND plain = Make(WC_LISTVIEW, LVS_REPORT | LVS_NOCOLUMNHEADER, RECT{10, 220, 310, 300}, 101);
    HWND header = reinterpret_cast<HWND>(SendMessage(plain, LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    EXPECT_FALSE(IsWindowVisible(header));
    LVCOLUMN column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessage(plain, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&column));
    LVITEM item{};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<LPSTR>("first");
    SendMessage(plain, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    SendMessage(plain, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect.top, 0) << "rows start at the top";
    EXPECT_EQ(SendMessage(plain, LVM_GETCOLUMNWIDTH, 0, 0), 100);
}

}  // namespace
}  // namespace tw::comctl::test
