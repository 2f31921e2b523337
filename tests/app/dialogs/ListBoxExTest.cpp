// The editable list driven by keys and mouse as a user drives it: editing in
// place, cancelling, browsing, moving and deleting rows, what the in-place
// controls report, and the caption strip's four buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ListBoxEx.h"
#include "app/ListBoxExBuddy.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/app/dialogs/ProgramControlFixture.h"

namespace tw::test {
namespace {

// A list that records what it is told and answers as the test says.
class RecordingListBox : public CListBoxEx {
public:
    BOOL OnEndEdit(int nRow, BOOL bCancel) override
    {
        endEdits.push_back({nRow, bCancel});
        return acceptEdit;
    }
    void OnBrowse(int nRow) override
    {
        browsed.push_back(nRow);
        if (!browseResult.empty())
            SetEditText(browseResult.c_str());
    }

    struct EndEditCall {
        int row;
        BOOL cancel;
    };
    std::vector<CtrlMsgInfo> reports;
    std::vector<EndEditCall> endEdits;
    std::vector<int> browsed;
    std::string browseResult;
    BOOL acceptEdit = TRUE;

protected:
    LRESULT RecordCtrlMsg(WPARAM wParam, LPARAM lParam)
    {
        reports.push_back(*reinterpret_cast<const CtrlMsgInfo*>(lParam));
        return OnCtrlMsg(wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingListBox, CListBoxEx)
    ON_REGISTERED_MESSAGE(WM_IPC_CTRLMSG, RecordCtrlMsg)
END_MESSAGE_MAP()

constexpr UINT kListId = 100;
constexpr UINT kOtherId = 101;
constexpr UINT kBuddyId = 102;

class ListBoxExTest : public ProgramControlTest {
protected:
    void SetUp() override
    {
        ProgramControlTest::SetUp();
        // As on a dialog template: a single-selection owner-drawn list, subclassed.
        const HWND hwndList = ::CreateWindowEx(
            0, "LISTBOX", "",
            WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                WS_VSCROLL | WS_BORDER | WS_TABSTOP,
            10, 40, 300, 200, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)), nullptr, nullptr);
        ASSERT_TRUE(list.SubclassWindow(hwndList));
        other = ::CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 10, 260, 200, 22,
                                 parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kOtherId)), nullptr, nullptr);
        const HWND hwndBuddy =
            ::CreateWindowEx(0, "STATIC", "Files:", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 10, 300, 24, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kBuddyId)), nullptr, nullptr);
        ASSERT_TRUE(buddy.SubclassWindow(hwndBuddy));
        buddy.SetListBox(&list);
        const char* const rows[] = {"alpha", "beta", "gamma"};
        for (int i = 0; i < 3; ++i)
            list.SetItemData(list.AddString(rows[i]), static_cast<DWORD_PTR>(10 * (i + 1)));
        ::UpdateWindow(parent);
        PumpFiltered();
    }

    void TearDown() override
    {
        if (buddy.GetSafeHwnd() != nullptr)
            buddy.DestroyWindow();
        if (list.GetSafeHwnd() != nullptr)
            list.DestroyWindow();
        ProgramControlTest::TearDown();
    }

    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString text;
            list.GetText(i, text);
            rows.emplace_back(text);
        }
        return rows;
    }

    CPoint RowCentre(int nRow) const
    {
        CRect item;
        list.GetItemRect(nRow, item);
        return item.CenterPoint();
    }

    void ClickRow(int nRow)
    {
        const CPoint pt = RowCentre(nRow);
        Click(list.GetSafeHwnd(), pt.x, pt.y);
        PumpFiltered();
    }
    void DoubleClickRow(int nRow)
    {
        const CPoint pt = RowCentre(nRow);
        DoubleClick(list.GetSafeHwnd(), pt.x, pt.y);
        PumpFiltered();
    }
    void ClickBrowse()
    {
        CRect rect;
        list.GetBrowseButton()->GetClientRect(rect);
        Click(list.GetBrowseButton()->GetSafeHwnd(), rect.CenterPoint().x, rect.CenterPoint().y);
        PumpFiltered();
    }
    void ClickBuddyButton(int nButton)
    {
        const CPoint pt = buddy.GetButtonRect(nButton).CenterPoint();
        Click(buddy.GetSafeHwnd(), pt.x, pt.y);
        PumpFiltered();
    }
    void Type(const std::string& text)
    {
        TypeKeys(text);
        PumpFiltered();
    }
    void DragRow(int nFrom, int nTo)
    {
        tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
        const CPoint from = RowCentre(nFrom);
        CRect to;
        list.GetItemRect(nTo, to);
        input.Drag(tw::display::MouseButton::Left, ScreenPointOf(list.GetSafeHwnd(), from.x, from.y),
                   ScreenPointOf(list.GetSafeHwnd(), to.left + 20, to.top + 2));
        PumpFiltered();
    }

    RecordingListBox list;
    CListBoxExBuddy buddy;
    HWND other = nullptr;
};

// One user action of a sequence.
enum class Act { Click, DoubleClick, Key, AltKey, Type, Browse, ClickOther, BuddyNew, Drag };
struct Step {
    Act act;
    int row = 0;  // the row clicked, or the key
    const char* text = "";
    int toRow = 0;
};

TEST_F(ListBoxExTest, KeyAndMouseSequencesLeaveTheRowsAndSelectionAUserExpects)
{
    const struct {
        const char* name;
        std::vector<Step> steps;
        std::vector<std::string> rows;
        int selected;
        bool editing;
    } cases[] = {
        {"F2 edits the selected row, Enter stores",
         {{Act::Click, 1}, {Act::Key, VK_F2}, {Act::Type, 0, "delta"}, {Act::Key, VK_RETURN}},
         {"alpha", "delta", "gamma"}, 1, false},
        {"a double click edits the row under the mouse",
         {{Act::DoubleClick, 2}, {Act::Type, 0, "omega"}, {Act::Key, VK_RETURN}},
         {"alpha", "beta", "omega"}, 2, false},
        {"Esc keeps the old text",
         {{Act::DoubleClick, 0}, {Act::Type, 0, "x"}, {Act::Key, VK_ESCAPE}},
         {"alpha", "beta", "gamma"}, 0, false},
        {"a row emptied and confirmed is deleted",
         {{Act::Click, 1}, {Act::Key, VK_F2}, {Act::Key, VK_DELETE}, {Act::Key, VK_RETURN}},
         {"alpha", "gamma"}, 1, false},
        {"a row emptied and cancelled keeps its text",
         {{Act::Click, 1}, {Act::Key, VK_F2}, {Act::Key, VK_DELETE}, {Act::Key, VK_ESCAPE}},
         {"alpha", "beta", "gamma"}, 1, false},
        {"a new row cancelled goes away",
         {{Act::BuddyNew}, {Act::Type, 0, "delta"}, {Act::Key, VK_ESCAPE}},
         {"alpha", "beta", "gamma"}, 2, false},
        {"a new row typed and confirmed stays at the end",
         {{Act::BuddyNew}, {Act::Type, 0, "delta"}, {Act::Key, VK_RETURN}},
         {"alpha", "beta", "gamma", "delta"}, 3, false},
        {"a new row left empty goes away",
         {{Act::BuddyNew}, {Act::Key, VK_RETURN}},
         {"alpha", "beta", "gamma"}, 2, false},
        {"the focus moving to another control stores the text",
         {{Act::Click, 1}, {Act::Key, VK_F2}, {Act::Type, 0, "b2"}, {Act::ClickOther}},
         {"alpha", "b2", "gamma"}, 1, false},
        {"the browse button keeps the edit open",
         {{Act::Click, 1}, {Act::Key, VK_F2}, {Act::Browse}},
         {"alpha", "beta", "gamma"}, 1, true},
        {"the browsed text is stored with Enter",
         {{Act::Click, 1}, {Act::Key, VK_F2}, {Act::Browse}, {Act::Key, VK_RETURN}},
         {"alpha", "picked.sql", "gamma"}, 1, false},
        {"Esc on the browse button cancels the edit",
         {{Act::Click, 1}, {Act::Key, VK_F2}, {Act::Type, 0, "zz"}, {Act::Browse}, {Act::Key, VK_ESCAPE}},
         {"alpha", "beta", "gamma"}, 1, false},
        {"Alt+Down moves the row down", {{Act::Click, 0}, {Act::AltKey, VK_DOWN}}, {"beta", "alpha", "gamma"}, 1, false},
        {"Alt+Right moves it down too", {{Act::Click, 1}, {Act::AltKey, VK_RIGHT}}, {"alpha", "gamma", "beta"}, 2, false},
        {"Alt+Up moves the row up", {{Act::Click, 2}, {Act::AltKey, VK_UP}}, {"alpha", "gamma", "beta"}, 1, false},
        {"Alt+Left moves it up too", {{Act::Click, 1}, {Act::AltKey, VK_LEFT}}, {"beta", "alpha", "gamma"}, 0, false},
        {"Alt+Up on the first row changes nothing", {{Act::Click, 0}, {Act::AltKey, VK_UP}},
         {"alpha", "beta", "gamma"}, 0, false},
        {"Alt+Down on the last row changes nothing", {{Act::Click, 2}, {Act::AltKey, VK_DOWN}},
         {"alpha", "beta", "gamma"}, 2, false},
        {"Delete removes the selected row", {{Act::Click, 0}, {Act::Key, VK_DELETE}}, {"beta", "gamma"}, 0, false},
        {"Delete of the last row selects the new last one", {{Act::Click, 2}, {Act::Key, VK_DELETE}},
         {"alpha", "beta"}, 1, false},
        {"Delete after the arrow keys removes the row now selected",
         {{Act::Click, 0}, {Act::Key, VK_DOWN}, {Act::Key, VK_DELETE}}, {"alpha", "gamma"}, 1, false},
        {"F2 after a move edits the moved row",
         {{Act::Click, 0}, {Act::AltKey, VK_DOWN}, {Act::Key, VK_F2}, {Act::Type, 0, "a2"}, {Act::Key, VK_RETURN}},
         {"beta", "a2", "gamma"}, 1, false},
        {"Delete after deletes removes the row selected, never one past the end",
         {{Act::Click, 2}, {Act::Key, VK_DELETE}, {Act::Key, VK_DELETE}, {Act::Key, VK_DELETE},
          {Act::Key, VK_DELETE}},
         {}, -1, false},
        {"a drag moves the row in front of the one dropped on", {{Act::Drag, 2, "", 0}},
         {"gamma", "alpha", "beta"}, 0, false},
        {"a drag while editing stores the text first",
         {{Act::Click, 0}, {Act::Key, VK_F2}, {Act::Type, 0, "zeta"}, {Act::Drag, 2, "", 1}},
         {"zeta", "gamma", "beta"}, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list.ResetContent();
        const char* const rows[] = {"alpha", "beta", "gamma"};
        for (const char* row : rows)
            list.AddString(row);
        list.browseResult = "picked.sql";
        PumpFiltered();
        for (const Step& step : c.steps) {
            switch (step.act) {
            case Act::Click: ClickRow(step.row); break;
            case Act::DoubleClick: DoubleClickRow(step.row); break;
            case Act::Key: KeyFiltered(static_cast<UINT>(step.row)); break;
            case Act::AltKey: ChordFiltered(VK_MENU, static_cast<UINT>(step.row)); break;
            case Act::Type: Type(step.text); break;
            case Act::Browse: ClickBrowse(); break;
            case Act::ClickOther: Click(other, 5, 5); PumpFiltered(); break;
            case Act::BuddyNew: ClickBuddyButton(0); break;
            case Act::Drag: DragRow(step.row, step.toRow); break;
            }
        }
        EXPECT_EQ(Rows(), c.rows);
        EXPECT_EQ(list.GetCurSel(), c.selected);
        EXPECT_EQ(list.IsEditing() != FALSE, c.editing);
        EXPECT_EQ(list.GetInPlaceEdit()->IsWindowVisible() != FALSE, c.editing);
        // Whatever happened, nothing is left open for the next sequence.
        list.EndEdit(TRUE);
        ::SetFocus(parent);
        PumpFiltered();
    }
}

TEST_F(ListBoxExTest, RowsKeepTheirDataWhenEditedAndMoved)
{
    ClickRow(0);
    ChordFiltered(VK_MENU, VK_DOWN);
    KeyFiltered(VK_F2);
    Type("first");
    KeyFiltered(VK_RETURN);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"beta", "first", "gamma"}));
    EXPECT_EQ(list.GetItemData(0), 20u);
    EXPECT_EQ(list.GetItemData(1), 10u);
    EXPECT_EQ(list.GetItemData(2), 30u);
}

TEST_F(ListBoxExTest, TheInPlaceControlsReportKeysClicksAndFocusLoss)
{
    ClickRow(1);
    KeyFiltered(VK_F2);
    ASSERT_TRUE(list.IsEditing());
    const HWND edit = list.GetInPlaceEdit()->GetSafeHwnd();
    const HWND button = list.GetBrowseButton()->GetSafeHwnd();
    EXPECT_EQ(::GetFocus(), edit);

    ClickBrowse();
    const POINT clicked = input.Pointer();
    Click(other, 5, 5);
    PumpFiltered();
    ClickRow(0);
    KeyFiltered(VK_F2);
    KeyFiltered(VK_ESCAPE);

    struct Expected {
        HWND sender;
        DWORD code;
        HWND focus;  // for focus loss
        DWORD param;
    };
    const std::vector<Expected> expected = {
        {edit, CtrlMsgInfo::FocusLost, button, 0},            // the focus goes to "..."
        {nullptr, CtrlMsgInfo::ButtonClicked, nullptr, CListBoxEx::kBrowseId},
        {nullptr, CtrlMsgInfo::FocusLost, other, 0},          // and then to another control
        {edit, CtrlMsgInfo::KeyPressed, nullptr, VK_ESCAPE},
    };
    ASSERT_EQ(list.reports.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("report " + std::to_string(i));
        const CtrlMsgInfo& got = list.reports[i];
        EXPECT_EQ(CtrlMsgFieldHandle(got.hwndSender), expected[i].sender);
        EXPECT_EQ(got.nCode, expected[i].code);
        if (expected[i].code == CtrlMsgInfo::FocusLost)
            EXPECT_EQ(CtrlMsgFieldHandle(got.nParam), expected[i].focus);
        else
            EXPECT_EQ(got.nParam, expected[i].param);
    }
    // The click report carries where the mouse was.
    EXPECT_EQ(list.reports[1].x, clicked.x);
    EXPECT_EQ(list.reports[1].y, clicked.y);
    EXPECT_EQ(list.browsed, std::vector<int>{1});
    // The owner is asked about each ending: leaving the field confirms, Esc cancels.
    ASSERT_EQ(list.endEdits.size(), 2u);
    EXPECT_EQ(list.endEdits[0].row, 1);
    EXPECT_FALSE(list.endEdits[0].cancel);
    EXPECT_EQ(list.endEdits[1].row, 0);
    EXPECT_TRUE(list.endEdits[1].cancel);
}

TEST_F(ListBoxExTest, AnOwnerThatRefusesTheTextKeepsTheRowAsItWas)
{
    list.acceptEdit = FALSE;
    ClickRow(2);
    KeyFiltered(VK_F2);
    Type("refused");
    KeyFiltered(VK_RETURN);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"alpha", "beta", "gamma"}));
    EXPECT_FALSE(list.IsEditing());
}

TEST_F(ListBoxExTest, TheEditCoversTheRowAndLeavesRoomForTheBrowseButton)
{
    for (const DWORD style : {CListBoxEx::kBrowseStyle, DWORD(0)}) {
        SCOPED_TRACE(style ? "with browse button" : "without");
        list.SetEditStyle(style);
        ClickRow(1);
        KeyFiltered(VK_F2);
        CRect item, edit, button;
        list.GetItemRect(1, item);
        list.GetInPlaceEdit()->GetWindowRect(edit);
        list.ScreenToClient(edit);
        EXPECT_EQ(edit.left, item.left + 5);
        EXPECT_EQ(edit.top, item.top - 2);
        EXPECT_EQ(edit.bottom, item.bottom + 2);
        EXPECT_EQ(edit.right, item.right - (style ? 30 : 5));
        EXPECT_EQ(list.GetBrowseButton()->IsWindowVisible() != FALSE, style != 0);
        if (style) {
            list.GetBrowseButton()->GetWindowRect(button);
            list.ScreenToClient(button);
            EXPECT_EQ(button, CRect(edit.right, item.top - 2, item.right - 5, item.bottom + 2));
        }
        KeyFiltered(VK_ESCAPE);
    }
}

TEST_F(ListBoxExTest, NoDragStartsWhileARowIsEditedOrReorderingIsOff)
{
    static const UINT dragMessage = ::RegisterWindowMessage(DRAGLISTMSGSTRING);
    auto beginDrag = [&] {
        DRAGLISTINFO info{};
        info.uNotification = DL_BEGINDRAG;
        info.hWnd = list.GetSafeHwnd();
        info.ptCursor = ScreenPointOf(list.GetSafeHwnd(), RowCentre(2).x, RowCentre(2).y);
        const LRESULT answer = ::SendMessage(parent, dragMessage, kListId, reinterpret_cast<LPARAM>(&info));
        info.uNotification = DL_CANCELDRAG;
        ::SendMessage(parent, dragMessage, kListId, reinterpret_cast<LPARAM>(&info));
        return answer;
    };
    EXPECT_EQ(beginDrag(), 1);
    list.BeginEdit(0);
    EXPECT_EQ(beginDrag(), 0);
    list.EndEdit(TRUE);
    list.AllowReorder(FALSE);
    EXPECT_EQ(beginDrag(), 0);
    ClickRow(0);
    ChordFiltered(VK_MENU, VK_DOWN);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"alpha", "beta", "gamma"})) << "no Alt moves either";
}

TEST_F(ListBoxExTest, TheBuddyButtonsActOnTheSelectedRowOnly)
{
    const struct {
        const char* name;
        int selectFirst;  // -1: no selection
        int button;
        std::vector<std::string> rows;
        int selected;
        bool editing;
    } cases[] = {
        {"New without a selection", -1, 0, {"alpha", "beta", "gamma", ""}, 3, true},
        {"New with a selection", 1, 0, {"alpha", "beta", "gamma", ""}, 3, true},
        {"Delete without a selection", -1, 1, {"alpha", "beta", "gamma"}, -1, false},
        {"Delete", 1, 1, {"alpha", "gamma"}, 1, false},
        {"Move Up without a selection", -1, 2, {"alpha", "beta", "gamma"}, -1, false},
        {"Move Up", 1, 2, {"beta", "alpha", "gamma"}, 0, false},
        {"Move Up of the first row", 0, 2, {"alpha", "beta", "gamma"}, 0, false},
        {"Move Down without a selection", -1, 3, {"alpha", "beta", "gamma"}, -1, false},
        {"Move Down", 1, 3, {"alpha", "gamma", "beta"}, 2, false},
        {"Move Down of the last row", 2, 3, {"alpha", "beta", "gamma"}, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list.ResetContent();
        for (const char* row : {"alpha", "beta", "gamma"})
            list.AddString(row);
        if (c.selectFirst >= 0)
            ClickRow(c.selectFirst);
        ClickBuddyButton(c.button);
        EXPECT_EQ(Rows(), c.rows);
        EXPECT_EQ(list.GetCurSel(), c.selected);
        EXPECT_EQ(list.IsEditing() != FALSE, c.editing);
        list.EndEdit(TRUE);
        ::SetFocus(parent);
        PumpFiltered();
    }
}

TEST_F(ListBoxExTest, TheBuddyStoresAnEditUnderWayBeforeItMovesRows)
{
    ClickRow(0);
    KeyFiltered(VK_F2);
    Type("first");
    ClickBuddyButton(3);
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(Rows(), (std::vector<std::string>{"beta", "first", "gamma"}));
}

TEST_F(ListBoxExTest, TheBuddyButtonsSitAtTheRightEdgeWithTheirTips)
{
    CRect client;
    buddy.GetClientRect(client);
    for (int i = 0; i < CListBoxExBuddy::kButtons; ++i) {
        SCOPED_TRACE(i);
        const CRect rect = buddy.GetButtonRect(i);
        EXPECT_EQ(rect.left, client.Width() - 88 + 22 * i);
        EXPECT_EQ(rect.Width(), 22);
        EXPECT_EQ(rect.top, (client.Height() - 20) / 2);
        EXPECT_EQ(rect.Height(), 20);
        // The tooltip asks the strip for each button's text.
        NMTTDISPINFO info{};
        info.hdr.hwndFrom = buddy.GetToolTip().GetSafeHwnd();
        info.hdr.idFrom = static_cast<UINT_PTR>(i + 1);
        info.hdr.code = TTN_NEEDTEXT;
        buddy.SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(info.lpszText, nullptr);
        EXPECT_STREQ(info.lpszText, CListBoxExBuddy::ButtonTip(i));
        // Its tool covers the button.
        CToolInfo tool;
        ASSERT_TRUE(buddy.GetToolTip().GetToolInfo(tool, &buddy, static_cast<UINT_PTR>(i + 1)));
        EXPECT_EQ(CRect(tool.rect), rect);
    }
    EXPECT_STREQ(CListBoxExBuddy::ButtonTip(0), "New");
    EXPECT_STREQ(CListBoxExBuddy::ButtonTip(1), "Delete");
    EXPECT_STREQ(CListBoxExBuddy::ButtonTip(2), "Move Up");
    EXPECT_STREQ(CListBoxExBuddy::ButtonTip(3), "Move Down");
}

TEST_F(ListBoxExTest, TheHotBuddyButtonIsFramedRaisedAndSunkenWhilePressed)
{
    const CRect rect = buddy.GetButtonRect(1);
    const HWND hwnd = buddy.GetSafeHwnd();
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
    auto corners = [&] {
        ::UpdateWindow(hwnd);
        return std::make_pair(ScreenPixel(hwnd, rect.left, rect.top), ScreenPixel(hwnd, rect.right - 1, rect.bottom - 1));
    };
    // Not hot: the images' grey is the button face, so no frame shows.
    EXPECT_EQ(corners(), std::make_pair(face, face));
    // The Delete image's red cross shows in the second button.
    int red = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            red += ScreenPixel(hwnd, x, y) == RGB(0xc0, 0x28, 0x2d);
    EXPECT_GT(red, 20);

    input.MouseMove(ScreenPointOf(hwnd, rect.CenterPoint().x, rect.CenterPoint().y).x,
                    ScreenPointOf(hwnd, rect.CenterPoint().x, rect.CenterPoint().y).y);
    PumpFiltered();
    EXPECT_EQ(buddy.GetHotButton(), 1);
    const auto hot = corners();
    EXPECT_NE(hot.first, face) << "raised: a light top-left edge";
    EXPECT_EQ(hot.second, shadow) << "raised: a shadow bottom-right edge";

    const POINT at = ScreenPointOf(hwnd, rect.CenterPoint().x, rect.CenterPoint().y);
    input.ButtonDown(tw::display::MouseButton::Left, at.x, at.y);
    PumpFiltered();
    const auto pressed = corners();
    EXPECT_EQ(pressed.first, shadow) << "sunken: a shadow top-left edge";
    EXPECT_NE(pressed.second, shadow);
    input.ButtonUp(tw::display::MouseButton::Left, at.x, at.y);
    PumpFiltered();

    // Moving to another button moves the frame; leaving the strip clears it.
    const CRect next = buddy.GetButtonRect(2);
    const POINT nextAt = ScreenPointOf(hwnd, next.CenterPoint().x, next.CenterPoint().y);
    input.MouseMove(nextAt.x, nextAt.y);
    PumpFiltered();
    EXPECT_EQ(buddy.GetHotButton(), 2);
    EXPECT_EQ(corners(), std::make_pair(face, face));
    const POINT textAt = ScreenPointOf(hwnd, 5, 5);
    input.MouseMove(textAt.x, textAt.y);
    PumpFiltered();
    EXPECT_EQ(buddy.GetHotButton(), CListBoxExBuddy::kNoButton);
}

TEST_F(ListBoxExTest, SelectedRowsDrawInTheCaptionColourWithAFocusFrame)
{
    ClickRow(1);
    ::UpdateWindow(list.GetSafeHwnd());
    CRect item;
    list.GetItemRect(1, item);
    const HWND hwnd = list.GetSafeHwnd();
    EXPECT_EQ(ScreenPixel(hwnd, item.left + 4, item.CenterPoint().y), ::GetSysColor(COLOR_ACTIVECAPTION));
    CRect other;
    list.GetItemRect(0, other);
    EXPECT_EQ(ScreenPixel(hwnd, other.left + 4, other.CenterPoint().y), ::GetSysColor(COLOR_WINDOW));
    // Text starts 8 pixels in.
    bool textBefore = false;
    bool textAfter = false;
    for (int y = item.top + 1; y < item.bottom - 1; ++y) {
        for (int x = item.left + 1; x < item.left + 8; ++x)
            textBefore |= ScreenPixel(hwnd, x, y) == ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        for (int x = item.left + 8; x < item.left + 40; ++x)
            textAfter |= ScreenPixel(hwnd, x, y) == ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    EXPECT_FALSE(textBefore);
    EXPECT_TRUE(textAfter);
}

TEST_F(ListBoxExTest, AListMadeByCreateHasItsControlsAndStyles)
{
    CListBoxEx made;
    ASSERT_TRUE(made.Create(0, CRect(320, 40, 480, 200), &host, 120));
    EXPECT_NE(made.GetInPlaceEdit(), nullptr);
    EXPECT_NE(made.GetBrowseButton()->GetSafeHwnd(), nullptr);
    const DWORD style = made.GetStyle();
    EXPECT_TRUE(style & LBS_OWNERDRAWFIXED);
    EXPECT_FALSE(style & LBS_EXTENDEDSEL) << "single selection";
    EXPECT_TRUE(made.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(list.GetStyle() & LBS_EXTENDEDSEL);
    made.AddString("one");
    made.EditNew();
    EXPECT_EQ(made.GetCount(), 2);
    EXPECT_TRUE(made.IsEditing());
    made.DestroyWindow();
}

TEST_F(ListBoxExTest, ADragMarksWhereTheRowWillLandAndTheMarkGoesWithTheDrop)
{
    const HWND hwnd = list.GetSafeHwnd();
    CRect target;
    list.GetItemRect(2, target);
    const int y = target.top;
    auto inverted = [&](int from, int to) {
        int count = 0;
        for (int x = from; x < to; ++x)
            count += ScreenPixel(hwnd, x, y) != ::GetSysColor(COLOR_WINDOW);
        return count;
    };
    const int barLeft = target.left + 5;
    const int barRight = target.right - 5;
    EXPECT_EQ(inverted(barLeft, barRight), 0);

    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    const CPoint from = RowCentre(0);
    const POINT down = ScreenPointOf(hwnd, from.x, from.y);
    input.ButtonDown(tw::display::MouseButton::Left, down.x, down.y);
    PumpFiltered();
    const POINT over = ScreenPointOf(hwnd, target.left + 20, target.top + 3);
    input.MouseMove(over.x, over.y);
    PumpFiltered();
    // A halftone bar along the row's top edge: every other pixel inverted,
    // from 5 pixels in at each side; a tick at each end stands above it.
    const int bar = inverted(barLeft, barRight);
    EXPECT_GE(bar, (barRight - barLeft) / 2 - 1);
    EXPECT_LE(bar, (barRight - barLeft) / 2 + 1);
    EXPECT_EQ(inverted(target.left, barLeft), 0);
    EXPECT_EQ(inverted(barRight, target.right), 0);
    int tick = 0;
    for (int x = barLeft; x < barLeft + 3; ++x)
        tick += ScreenPixel(hwnd, x, y + 4) != ::GetSysColor(COLOR_WINDOW);
    EXPECT_GT(tick, 0);

    input.ButtonUp(tw::display::MouseButton::Left, over.x, over.y);
    PumpFiltered();
    ::UpdateWindow(hwnd);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"beta", "alpha", "gamma"}));
    EXPECT_EQ(inverted(barLeft, barRight), 0) << "no mark is left behind";
}

}  // namespace
}  // namespace tw::test
