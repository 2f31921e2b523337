// The property grid: values to text and back with their refusals, the item
// tree, and the grid driven by the user's clicks and keys.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/com/Bstr.h"
#include "platform/mfc/CComboBox.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPPropList.h"
#include "ui/controls/KtvPSpinButton.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using tw::test::KtvControlTest;

VARIANT Var(VARTYPE vt)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    return v;
}

VARIANT I4(LONG n)
{
    VARIANT v = Var(VT_I4);
    v.lVal = n;
    return v;
}

VARIANT Bool(bool b)
{
    VARIANT v = Var(VT_BOOL);
    v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

// --- values without a window -------------------------------------------------------------------------

struct ParseCase {
    const char* name;
    VARTYPE vt;
    const char* text;
    bool accepted;
    const char* shownAfter;  // the text of the value afterwards
};

class PropValueTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(PropValueTest, TextReadsBackOrIsRefusedKeepingTheValue)
{
    const ParseCase& c = GetParam();
    VARIANT v = Var(c.vt);
    v.llVal = 0;
    if (c.vt == VT_BSTR) v.bstrVal = SysAllocString(u"old");
    CKtvPPropList list;  // no window: the texts of a list are there all the same
    auto* prop = new CKtvPProp(_T("p"), v);
    VariantClear(&v);
    ASSERT_EQ(0, list.AddProperty(prop, FALSE));
    EXPECT_EQ(c.accepted, prop->ParseValue(c.text) != FALSE);
    EXPECT_STREQ(c.shownAfter, (LPCTSTR)prop->FormatValue());
}

INSTANTIATE_TEST_SUITE_P(
    Types, PropValueTest,
    ::testing::Values(ParseCase{"I2", VT_I2, "-32768", true, "-32768"},
                      ParseCase{"I2TooBig", VT_I2, "70000", false, "0"},
                      ParseCase{"I4", VT_I4, " 42 ", true, "42"},
                      ParseCase{"I4NotANumber", VT_I4, "12ab", false, "0"},
                      ParseCase{"I4TooBig", VT_I4, "2147483648", false, "0"},
                      ParseCase{"UI2Negative", VT_UI2, "-1", false, "0"},
                      ParseCase{"UI4Large", VT_UI4, "4294967295", true, "4294967295"},
                      ParseCase{"UI4TooBig", VT_UI4, "4294967296", false, "0"},
                      ParseCase{"IntBecomesI4", VT_INT, "7", true, "7"},
                      ParseCase{"R4", VT_R4, "1.5", true, "1.500000"},
                      ParseCase{"R8NotANumber", VT_R8, "abc", false, "0.000000"},
                      ParseCase{"Bstr", VT_BSTR, "new text", true, "new text"},
                      ParseCase{"BoolTrue", VT_BOOL, "True", true, "True"},
                      ParseCase{"BoolOther", VT_BOOL, "true", true, "False"},
                      ParseCase{"UI1Letter", VT_UI1, "A", true, "A"},
                      ParseCase{"UI1Empty", VT_UI1, "", true, ""},
                      ParseCase{"DateIsNotFormatted", VT_DATE, "1", false, "*** error ***"}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(PropTree, GrandchildAddedBeforeTheGroupGetsTheOwnerAndFormats)
{
    CKtvPPropList list;
    auto* top = new CKtvPProp(_T("top"));
    auto* mid = new CKtvPProp(_T("mid"), 0, TRUE);
    top->AddSubItem(mid);
    list.AddProperty(top, FALSE);
    // Added after the group joined the list: the leaf and its whole subtree get the owner.
    auto* leafGroup = new CKtvPProp(_T("inner"));
    auto* leaf = new CKtvPProp(_T("leaf"), Bool(true));
    leafGroup->AddSubItem(leaf);
    ASSERT_TRUE(top->AddSubItem(leafGroup));
    EXPECT_EQ(&list, leaf->GetOwnerList());
    EXPECT_STREQ("True", (LPCTSTR)leaf->FormatValue());
    // An item already in the list cannot be added again.
    EXPECT_FALSE(top->AddSubItem(leaf));
    EXPECT_EQ(-1, list.AddProperty(leaf, FALSE));
    EXPECT_EQ(nullptr, top->GetSubItem(2));
    EXPECT_EQ(1, list.GetPropertyCount());
    EXPECT_EQ(top, list.GetProperty(0));
    EXPECT_EQ(nullptr, list.GetProperty(1));
    list.RemoveAll();
    EXPECT_EQ(0, list.GetPropertyCount());
}

TEST(PropTree, OptionsSpinAndTypeChanges)
{
    CKtvPPropList list;
    auto* p = new CKtvPProp(_T("n"), I4(5));
    list.AddProperty(p, FALSE);
    p->EnableSpinControl(TRUE, 0, 32765);
    EXPECT_EQ((DWORD)CKtvPProp::PROP_HAS_SPIN, p->GetFlags());
    EXPECT_TRUE(p->AddOption(_T("a")));
    EXPECT_FALSE(p->AddOption(_T("a")));
    EXPECT_EQ((DWORD)CKtvPProp::PROP_HAS_LIST, p->GetFlags());  // the list replaces the spin

    auto* s = new CKtvPProp(_T("s"), Bool(false));
    list.AddProperty(s, FALSE);
    s->EnableSpinControl(TRUE, 1, 2);  // not an integer: nothing changes
    EXPECT_EQ((DWORD)CKtvPProp::PROP_HAS_LIST, s->GetFlags());
    EXPECT_FALSE(s->IsAllowEdit());
    s->SetValue(I4(3));  // another type: ignored
    EXPECT_EQ(VT_BOOL, s->GetValue().vt);

    auto* e = new CKtvPProp(_T("e"), Var(VT_EMPTY));
    list.AddProperty(e, FALSE);
    e->SetValue(I4(3));  // an empty value takes any type
    EXPECT_STREQ("3", (LPCTSTR)e->FormatValue());
}

TEST(PropTree, ValueListShowsItsItemsAndRefusesTheSeparator)
{
    CKtvPPropList list;
    auto* group = new CKtvPProp(_T("point"), 0, TRUE);
    auto* empty = new CKtvPProp(_T("none"), 0, TRUE);
    VARIANT a = Var(VT_BSTR);
    a.bstrVal = SysAllocString(u"a");
    auto* first = new CKtvPProp(_T("x"), a);
    VariantClear(&a);
    group->AddSubItem(first);
    group->AddSubItem(new CKtvPProp(_T("y"), I4(2)));
    list.AddProperty(group, FALSE);
    list.AddProperty(empty, FALSE);
    EXPECT_STREQ("a, 2", (LPCTSTR)group->FormatValue());
    EXPECT_STREQ("", (LPCTSTR)empty->FormatValue());
    EXPECT_FALSE(group->IsExpanded());  // a value list starts collapsed

    EXPECT_FALSE(first->ParseValue(_T("b,c")));
    VARIANT bad = Var(VT_BSTR);
    bad.bstrVal = SysAllocString(u"p,q");
    first->SetValue(bad);
    VariantClear(&bad);
    EXPECT_STREQ("a, 2", (LPCTSTR)group->FormatValue());
}

TEST(PropTree, AlphabeticOrderKeepsEqualNamesInInsertionOrder)
{
    CKtvPPropList list;
    auto* g = new CKtvPProp(_T("g"));
    auto* b = new CKtvPProp(_T("b"), I4(1));
    auto* a1 = new CKtvPProp(_T("a"), I4(2));
    auto* a2 = new CKtvPProp(_T("a"), I4(3));
    g->AddSubItem(b);
    g->AddSubItem(a1);
    g->AddSubItem(a2);
    list.AddProperty(g, FALSE);
    CList<CKtvPProp*, CKtvPProp*> sorted;
    g->AddToSortedList(sorted);
    ASSERT_EQ(3, (int)sorted.GetCount());
    EXPECT_EQ(a1, sorted.GetAt(sorted.FindIndex(0)));
    EXPECT_EQ(a2, sorted.GetAt(sorted.FindIndex(1)));
    EXPECT_EQ(b, sorted.GetAt(sorted.FindIndex(2)));
}

// --- the grid in a window ----------------------------------------------------------------------------

const char* const kQuery[] = {"Arithabort", "Nocount", "Noexec", "ParseOnly", "Concat_Null_Yields_Null",
                              "ShowPlan_Text", "Statistics Time", "Statistics IO"};
const char* const kAnsi[] = {"ANSI_Defaults", "ANSI_Nulls", "ANSI_NULL_DFLT_ON", "ANSI_Padding",
                             "ANSI_Warnings", "Cursor_Close_ON_Commit", "Implicit_Transactions",
                             "Quoted_Identifier"};

class PropGridTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(0, 0, 300, 320), &host,
                                (UINT)-1));
        Pump();
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        KtvControlTest::TearDown();
    }

    // The session-properties grid as the program builds it.
    void BuildSessionGrid()
    {
        auto* query = new CKtvPProp(_T("Query Execution"));
        for (const char* name : kQuery) query->AddSubItem(new CKtvPProp(name, Bool(false), _T("help")));
        rowCount = new CKtvPProp(_T("RowCount"), I4(0), _T("Stops after that many rows."));
        rowCount->EnableSpinControl(TRUE, 0, 32765);
        query->AddSubItem(rowCount);
        auto* ansi = new CKtvPProp(_T("SQL-92 Standard"));
        for (const char* name : kAnsi) ansi->AddSubItem(new CKtvPProp(name, Bool(false), _T("help")));
        query->Expand();
        ansi->Expand();
        grid.AddProperty(query);
        grid.AddProperty(ansi);
        grid.EnableHeaderCtrl(FALSE);
        grid.EnableDescriptionArea();
        grid.SetAlphabeticMode(FALSE);
        grid.SetCustomColors(RGB(228, 243, 254), RGB(0, 0, 0), RGB(200, 236, 209), RGB(33, 102, 49),
                             RGB(255, 229, 216), RGB(128, 0, 0), RGB(159, 159, 255));
        grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        // The stored values, as Reset puts them.
        query->GetSubItem(0)->SetValue(Bool(true));
        rowCount->SetValue(I4(99));
        Pump();
    }

    CPoint ValuePoint(CKtvPProp* p) const
    {
        const CRect r = p->GetRect();
        return CPoint(grid.GetListRect().left + grid.GetNameColumnWidth() + 20, r.CenterPoint().y);
    }
    void ClickValue(CKtvPProp* p)
    {
        const CPoint pt = ValuePoint(p);
        Click(grid.GetSafeHwnd(), pt.x, pt.y);
        PumpFiltered();
    }
    int Changes() const { return (int)Received(KTVM_PROPERTYCHANGED).size(); }

    CKtvPPropList grid;
    CKtvPProp* rowCount = nullptr;
};

TEST_F(PropGridTest, TheUserChangesThreeSessionOptions)
{
    BuildSessionGrid();
    CKtvPProp* query = grid.GetProperty(0);
    CKtvPProp* arithabort = query->GetSubItem(0);
    CKtvPProp* nocount = query->GetSubItem(1);
    ASSERT_FALSE(arithabort->GetRect().IsRectEmpty());
    ClearReceived();

    // Arithabort off with a double click on its name.
    const CPoint pt(arithabort->GetRect().left + 10, arithabort->GetRect().CenterPoint().y);
    const POINT screen = ScreenPointOf(grid.GetSafeHwnd(), pt.x, pt.y);
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    input.Click(tw::display::MouseButton::Left, screen.x, screen.y);
    input.Click(tw::display::MouseButton::Left, screen.x, screen.y);
    PumpFiltered();
    KeyFiltered(VK_RETURN);
    EXPECT_EQ(VARIANT_FALSE, arithabort->GetValue().boolVal);
    EXPECT_EQ(1, Changes());

    // Nocount on by typing its first letter.
    grid.SelectItem(nocount);
    grid.SetFocus();
    TypeKeys("t");
    PumpFiltered();
    EXPECT_EQ(VT_BOOL, nocount->GetValue().vt);
    EXPECT_EQ(VARIANT_TRUE, nocount->GetValue().boolVal);
    EXPECT_EQ(2, Changes());

    // RowCount 0 typed, then Enter.
    ClickValue(rowCount);
    ASSERT_NE(nullptr, rowCount->GetEditor());
    rowCount->GetEditor()->SetWindowText(_T("0"));
    KeyFiltered(VK_RETURN);
    EXPECT_EQ(VT_I4, rowCount->GetValue().vt);
    EXPECT_EQ(0, rowCount->GetValue().lVal);
    EXPECT_EQ(nullptr, rowCount->GetEditor());
    EXPECT_EQ(3, Changes());

    // An unchanged Enter notifies nobody.
    ClickValue(rowCount);
    KeyFiltered(VK_RETURN);
    EXPECT_EQ(3, Changes());
}

TEST_F(PropGridTest, TheRowCountSpinStopsAtItsLimits)
{
    BuildSessionGrid();
    ClickValue(rowCount);
    ASSERT_NE(nullptr, rowCount->GetSpin());
    int lo = 1, hi = 1;
    rowCount->GetSpin()->GetRange32(lo, hi);
    EXPECT_EQ(0, lo);
    EXPECT_EQ(32765, hi);
    KeyFiltered(VK_ESCAPE);
}

TEST_F(PropGridTest, ATextTheTypeCannotTakeIsRefusedAndTheEditorStays)
{
    BuildSessionGrid();
    ClickValue(rowCount);
    ASSERT_NE(nullptr, rowCount->GetEditor());
    rowCount->GetEditor()->SetWindowText(_T("99999999999"));
    ClearReceived();
    EXPECT_FALSE(rowCount->OnUpdateValue());
    KeyFiltered(VK_RETURN);
    EXPECT_EQ(99, rowCount->GetValue().lVal);
    EXPECT_NE(nullptr, rowCount->GetEditor());
    EXPECT_EQ(0, Changes());
    // Escape discards.
    KeyFiltered(VK_ESCAPE);
    EXPECT_EQ(nullptr, rowCount->GetEditor());
    EXPECT_EQ(99, rowCount->GetValue().lVal);
}

TEST_F(PropGridTest, ColumnWidthRuleAndResize)
{
    BuildSessionGrid();
    CRect rc;
    grid.GetClientRect(rc);
    EXPECT_EQ(rc.Width() / 2, grid.GetNameColumnWidth());
    const int limit = rc.Width() - ::GetSystemMetrics(SM_CXHSCROLL) - 5;
    EXPECT_EQ(limit, grid.LimitColumnWidth(10000));
    EXPECT_EQ(grid.GetRowHeight(), grid.LimitColumnWidth(-2));
    EXPECT_EQ(50, grid.LimitColumnWidth(50));
    grid.SetWindowPos(nullptr, 0, 0, 200, 320, SWP_NOZORDER | SWP_NOMOVE);
    grid.GetClientRect(rc);
    EXPECT_EQ(rc.Width() / 2, grid.GetNameColumnWidth());
}

TEST_F(PropGridTest, DescriptionStartsThreeAndAHalfRowsHighAndScrollStopsAtTheLastPage)
{
    BuildSessionGrid();
    const int row = grid.GetRowHeight();
    EXPECT_EQ(3 * row + row / 2, grid.GetDescriptionHeight());
    // Nineteen rows do not fit: the offset stops at total - page + 1.
    ASSERT_GT(grid.GetScrollTotal(), 0);
    grid.SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(grid.GetScrollTotal() - grid.GetPageSize() + 1, grid.GetScrollOffset());
    grid.SendMessage(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(0, grid.GetScrollOffset());
}

TEST_F(PropGridTest, KeysMoveTheSelectionAndFoldGroups)
{
    BuildSessionGrid();
    grid.SetFocus();
    KeyFiltered(VK_HOME);
    EXPECT_EQ(grid.GetProperty(0), grid.GetCurSel());
    KeyFiltered(VK_DOWN);
    EXPECT_EQ(grid.GetProperty(0)->GetSubItem(0), grid.GetCurSel());
    KeyFiltered(VK_UP);
    KeyFiltered(VK_LEFT);  // collapses the selected group
    EXPECT_FALSE(grid.GetProperty(0)->IsExpanded());
    KeyFiltered(VK_DOWN);
    EXPECT_EQ(grid.GetProperty(1), grid.GetCurSel());
    KeyFiltered(VK_END);
    EXPECT_EQ(grid.GetProperty(1)->GetSubItem(7), grid.GetCurSel());
}

TEST_F(PropGridTest, PaintingRightAfterRemoveAllIsClean)
{
    BuildSessionGrid();
    grid.SetAlphabeticMode(TRUE);
    grid.SelectItem(grid.GetSortedItems().GetHead());
    grid.RemoveAll();
    EXPECT_TRUE(grid.GetSortedItems().IsEmpty());
    EXPECT_EQ(nullptr, grid.GetCurSel());
    grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
}


TEST_F(PropGridTest, ASubclassedWindowGetsItsHeaderAndScrollBar)
{
    CWnd plain;
    ASSERT_TRUE(plain.Create(nullptr, _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), &host, 44));
    const HWND hwnd = plain.Detach();
    CKtvPPropList subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(hwnd));
    EXPECT_NE(nullptr, subclassed.GetHeaderCtrl().GetSafeHwnd());
    EXPECT_NE(nullptr, subclassed.GetScrollBarCtrl(SB_VERT));
    EXPECT_GT(subclassed.GetRowHeight(), 0);
    subclassed.DestroyWindow();
}

// A grid of a few plain rows for the editing protocol.
class PropEditTest : public PropGridTest {
protected:
    void SetUp() override
    {
        PropGridTest::SetUp();
        flag = new CKtvPProp(_T("Flag"), Bool(true));
        number = new CKtvPProp(_T("Number"), I4(5));
        number->EnableSpinControl(TRUE, 1, 10);
        list = new CKtvPProp(_T("Point"), 0, TRUE);
        for (LONG n : {1L, 2L, 3L}) list->AddSubItem(new CKtvPProp(_T("v"), I4(n)));
        VARIANT red = Text(u"Red");
        choice = new CKtvPProp(_T("Choice"), red); // the property keeps its own copy
        VariantClear(&red);
        for (const char* o : {"Red", "Green", "Blue"}) choice->AddOption(o);
        date = new CKtvPProp(_T("Date"), Var(VT_DATE));
        for (CKtvPProp* p : {flag, number, list, choice, date}) grid.AddProperty(p);
        grid.SetFocus();
        Pump();
        ClearReceived();
    }
    static VARIANT Text(const char16_t* s)
    {
        VARIANT v = Var(VT_BSTR);
        v.bstrVal = SysAllocString(s);
        return v;
    }
    CString Shown(CKtvPProp* p) { return p->FormatValue(); }
    CKtvPProp* flag = nullptr;
    CKtvPProp* number = nullptr;
    CKtvPProp* list = nullptr;
    CKtvPProp* choice = nullptr;
    CKtvPProp* date = nullptr;
};

// How an open edit of Number ends, and what it leaves.
struct EndCase {
    const char* name;
    int how;  // 0 Enter, 1 Escape, 2 click on another row, 3 wheel, 4 cancel mode, 5 resize
    const char* stored;
    int notifications;
};

class PropEditEndTest : public PropEditTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(PropEditEndTest, CommitsOrDiscards)
{
    const EndCase& c = GetParam();
    ClickValue(number);
    ASSERT_NE(nullptr, number->GetEditor());
    number->GetEditor()->SetWindowText(_T("8"));
    switch (c.how) {
    case 0: KeyFiltered(VK_RETURN); break;
    case 1: KeyFiltered(VK_ESCAPE); break;
    case 2: {
        const CPoint pt(flag->GetRect().left + 10, flag->GetRect().CenterPoint().y);
        const POINT screen = ScreenPointOf(grid.GetSafeHwnd(), pt.x, pt.y);
        tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
        input.Click(tw::display::MouseButton::Left, screen.x, screen.y);
        PumpFiltered();
        EXPECT_EQ(flag, grid.GetCurSel());
        break;
    }
    case 3: grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-120), 0); break;
    case 4: grid.SendMessage(WM_CANCELMODE); break;
    case 5: grid.SetWindowPos(nullptr, 0, 0, 280, 300, SWP_NOZORDER | SWP_NOMOVE); break;
    }
    EXPECT_EQ(nullptr, number->GetEditor());
    EXPECT_STREQ(c.stored, (LPCTSTR)Shown(number));
    EXPECT_EQ(c.notifications, Changes());
}

INSTANTIATE_TEST_SUITE_P(Ends, PropEditEndTest,
                         ::testing::Values(EndCase{"Enter", 0, "8", 1}, EndCase{"Escape", 1, "5", 0},
                                           EndCase{"ClickElsewhere", 2, "8", 1}, EndCase{"Wheel", 3, "5", 0},
                                           EndCase{"CancelMode", 4, "5", 0}, EndCase{"Resize", 5, "5", 0}),
                         [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

TEST_F(PropEditTest, TypedLettersAndBlankChooseABoolean)
{
    grid.SelectItem(flag);
    TypeKeys("t");  // already True: the search stops before reaching it again
    PumpFiltered();
    EXPECT_STREQ("True", (LPCTSTR)Shown(flag));
    EXPECT_EQ(nullptr, flag->GetEditor());
    EXPECT_EQ(0, flag->GetOptionCount());  // the two texts go with the editor
    TypeKeys(" ");
    PumpFiltered();
    EXPECT_STREQ("False", (LPCTSTR)Shown(flag));
    TypeKeys("T");
    PumpFiltered();
    EXPECT_STREQ("True", (LPCTSTR)Shown(flag));
    EXPECT_EQ(2, Changes());
}

TEST_F(PropEditTest, ValueListTextsWithFewerAndMoreTokens)
{
    grid.SelectItem(list);
    ASSERT_TRUE(grid.EditItem(list));
    list->GetEditor()->SetWindowText(_T("4,5"));
    KeyFiltered(VK_RETURN);
    EXPECT_STREQ("4, 5, 3", (LPCTSTR)Shown(list));
    ASSERT_TRUE(grid.EditItem(list));
    list->GetEditor()->SetWindowText(_T("7, 8, 9, 10"));
    KeyFiltered(VK_RETURN);
    EXPECT_STREQ("7, 8, 9", (LPCTSTR)Shown(list));
    // A token the type refuses changes none of them and keeps the editor open.
    ASSERT_TRUE(grid.EditItem(list));
    list->GetEditor()->SetWindowText(_T("1, x"));
    KeyFiltered(VK_RETURN);
    EXPECT_STREQ("7, 8, 9", (LPCTSTR)Shown(list));
    EXPECT_NE(nullptr, list->GetEditor());
    KeyFiltered(VK_ESCAPE);
}

TEST_F(PropEditTest, SpinThenEnterStoresTheSpunValue)
{
    ClickValue(number);
    ASSERT_NE(nullptr, number->GetSpin());
    number->GetSpin()->SetPos32(9);
    EXPECT_STREQ("5", (LPCTSTR)Shown(number));  // the spin writes only the editor
    KeyFiltered(VK_RETURN);
    EXPECT_STREQ("9", (LPCTSTR)Shown(number));
}

TEST_F(PropEditTest, AComboChoiceCommitsAtOnce)
{
    ClickValue(choice);
    ASSERT_NE(nullptr, choice->GetCombo());
    choice->GetCombo()->SetCurSel(2);
    grid.SendMessage(WM_COMMAND, MAKEWPARAM(3, CBN_SELENDOK), (LPARAM)choice->GetCombo()->GetSafeHwnd());
    EXPECT_STREQ("Blue", (LPCTSTR)Shown(choice));
    EXPECT_EQ(1, Changes());
    KeyFiltered(VK_ESCAPE);
    EXPECT_STREQ("Blue", (LPCTSTR)Shown(choice));
}

TEST_F(PropEditTest, ATypeWithoutEditorOpensNone)
{
    grid.SelectItem(date);
    EXPECT_FALSE(grid.EditItem(date));
    EXPECT_EQ(nullptr, date->GetEditor());
    TypeKeys("1");
    PumpFiltered();
    EXPECT_STREQ("*** error ***", (LPCTSTR)Shown(date));
}

TEST_F(PropEditTest, DraggingTheColumnDividerFollowsTheMouse)
{
    const int x = grid.GetListRect().left + grid.GetNameColumnWidth();
    const int y = flag->GetRect().CenterPoint().y;
    CKtvPProp* selBefore = grid.GetCurSel();
    const POINT from = ScreenPointOf(grid.GetSafeHwnd(), x + 1, y);
    const POINT to = ScreenPointOf(grid.GetSafeHwnd(), x - 40, y);
    input.MouseMove(from.x, from.y);
    input.ButtonDown(tw::display::MouseButton::Left, from.x, from.y);
    PumpFiltered();
    EXPECT_EQ(selBefore, grid.GetCurSel());  // a click on the divider selects nothing
    input.MouseMove(to.x, to.y);
    PumpFiltered();
    EXPECT_EQ(x - 40 - grid.GetListRect().left, grid.GetNameColumnWidth());  // live tracking
    input.ButtonUp(tw::display::MouseButton::Left, to.x, to.y);
    PumpFiltered();
    EXPECT_EQ(x - 40 - grid.GetListRect().left, grid.GetNameColumnWidth());
}

TEST_F(PropEditTest, TipsOnlyForCutTexts)
{
    auto* longName = new CKtvPProp(_T("A name far too long to fit in the name column of this grid"), I4(1));
    grid.AddProperty(longName);
    grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    EXPECT_TRUE(longName->IsNameTruncated());
    EXPECT_STREQ((LPCTSTR)longName->GetName(), (LPCTSTR)longName->GetNameTip());
    EXPECT_FALSE(flag->IsNameTruncated());
    EXPECT_TRUE(flag->GetNameTip().IsEmpty());
    EXPECT_TRUE(flag->GetValueTip().IsEmpty());
}

// The value side of a selected row holds its editor: a double click there flips the value, once.
TEST_F(PropEditTest, EachDoubleClickOnABooleansValueFlipsItOnce)
{
    ClickValue(flag);
    ASSERT_NE(nullptr, flag->GetEditor());
    const CPoint pt = ValuePoint(flag);
    const POINT screen = ScreenPointOf(grid.GetSafeHwnd(), pt.x, pt.y);
    const char* const expected[] = {"False", "True"};
    for (int i = 0; i < 2; ++i) {
        tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
        input.Click(tw::display::MouseButton::Left, screen.x, screen.y);
        input.Click(tw::display::MouseButton::Left, screen.x, screen.y);
        PumpFiltered();
        EXPECT_STREQ(expected[i], (LPCTSTR)Shown(flag)) << "double click " << i + 1;
        EXPECT_EQ(i + 1, Changes());
    }
    KeyFiltered(VK_RETURN);
    EXPECT_STREQ("True", (LPCTSTR)Shown(flag));
    EXPECT_EQ(2, Changes());
}

// The two dividers show the library's split cursors.
TEST_F(PropGridTest, TheDividersShowTheSplitCursors)
{
    BuildSessionGrid();
    const CRect list = grid.GetListRect();
    struct {
        CPoint at;
        HCURSOR expected;
    } cases[] = {
        {CPoint(list.left + grid.GetNameColumnWidth(), list.top + 5), globalData.GetSplitHorzCursor()},
        {CPoint(list.left + 20, list.bottom + 4), globalData.GetSplitVertCursor()},
    };
    ASSERT_NE(nullptr, globalData.GetSplitHorzCursor());
    ASSERT_NE(globalData.GetSplitHorzCursor(), globalData.GetSplitVertCursor());
    for (const auto& c : cases) {
        const POINT screen = ScreenPointOf(grid.GetSafeHwnd(), c.at.x, c.at.y);
        input.MouseMove(screen.x, screen.y);
        PumpFiltered();
        grid.SendMessage(WM_SETCURSOR, (WPARAM)grid.GetSafeHwnd(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(c.expected, ::GetCursor()) << c.at.x << "," << c.at.y;
    }
}

// A tip about to show is raised above the other windows without being moved.
TEST_F(PropGridTest, ATipAboutToShowGoesToTheTop)
{
    CWnd tip, other;
    ASSERT_TRUE(tip.CreateEx(0, AfxRegisterWndClass(0), _T("tip"), WS_POPUP | WS_VISIBLE, CRect(10, 10, 60, 30),
                             nullptr, 0));
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), _T("other"), WS_POPUP | WS_VISIBLE,
                               CRect(20, 20, 80, 40), nullptr, 0));
    auto isAbove = [](HWND upper, HWND lower) {
        for (HWND h = ::GetWindow(upper, GW_HWNDNEXT); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
            if (h == lower) return true;
        return false;
    };
    ASSERT_TRUE(isAbove(other.GetSafeHwnd(), tip.GetSafeHwnd()));
    NMHDR hdr = {};
    hdr.hwndFrom = tip.GetSafeHwnd();
    hdr.code = TTN_SHOW;
    grid.SendMessage(WM_NOTIFY, 0, (LPARAM)&hdr);
    EXPECT_TRUE(isAbove(tip.GetSafeHwnd(), other.GetSafeHwnd()));
    CRect rc;
    tip.GetWindowRect(rc);
    EXPECT_EQ(CRect(10, 10, 60, 30), rc);
    tip.DestroyWindow();
    other.DestroyWindow();
}

// Scrolling moves the painted rows: the result is what a full repaint shows, also for the row the list's
// bottom edge cuts.
TEST_F(PropGridTest, ScrolledRowsMatchAFullRepaint)
{
    BuildSessionGrid();
    grid.UpdateWindow();
    const CRect list = grid.GetListRect();
    auto capture = [&] {
        std::vector<COLORREF> pixels;
        for (int y = list.top; y < list.bottom; y += 3)
            for (int x = list.left; x < list.right; x += 7) pixels.push_back(ScreenPixel(grid.GetSafeHwnd(), x, y));
        return pixels;
    };
    for (UINT code : {(UINT)SB_LINEDOWN, (UINT)SB_PAGEDOWN, (UINT)SB_LINEUP}) {
        grid.SendMessage(WM_VSCROLL, code);
        Pump();
        const std::vector<COLORREF> scrolled = capture();
        grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pump();
        EXPECT_EQ(capture(), scrolled) << "scroll code " << code;
    }
}

// A row with a "..." button whose click picks a new text.
class BrowseProp : public CKtvPProp {
public:
    BrowseProp() : CKtvPProp(_T("Script"), I4(0), _T("A script file")) { m_dwFlags = PROP_HAS_BUTTON; }
    void OnButtonClick(CPoint point) override
    {
        clicks.push_back(point);
        VARIANT v = Var(VT_I4);
        v.lVal = (LONG)clicks.size();
        SetValue(v);
    }
    std::vector<CPoint> clicks;
};

struct BrowseKeyCase {
    const char* name;
    UINT modifier;  // 0: the key alone
    UINT vk;
};

class PropBrowseKeyTest : public PropEditTest, public ::testing::WithParamInterface<BrowseKeyCase> {};

TEST_P(PropBrowseKeyTest, TheKeyPressesTheButtonOfTheSelectedRow)
{
    const BrowseKeyCase& c = GetParam();
    auto* browse = new BrowseProp;
    grid.AddProperty(browse);
    grid.SelectItem(browse);
    grid.SetFocus();
    PumpFiltered();
    ClearReceived();
    if (c.modifier != 0)
        ChordFiltered(c.modifier, c.vk);
    else
        KeyFiltered(c.vk);
    ASSERT_EQ(1u, browse->clicks.size());
    EXPECT_EQ(CPoint(-1, -1), browse->clicks[0]);
    EXPECT_STREQ("1", (LPCTSTR)Shown(browse));
    EXPECT_EQ(1, Changes());
    KeyFiltered(VK_ESCAPE);

    // A disabled row keeps its button shut.
    browse->Enable(FALSE);
    grid.SelectItem(browse);
    if (c.modifier != 0)
        ChordFiltered(c.modifier, c.vk);
    else
        KeyFiltered(c.vk);
    EXPECT_EQ(1u, browse->clicks.size());
}

INSTANTIATE_TEST_SUITE_P(Keys, PropBrowseKeyTest,
                         ::testing::Values(BrowseKeyCase{"F4", 0, VK_F4}, BrowseKeyCase{"AltDown", VK_MENU, VK_DOWN},
                                           BrowseKeyCase{"AltUp", VK_MENU, VK_UP}),
                         [](const ::testing::TestParamInfo<BrowseKeyCase>& info) {
                             return std::string(info.param.name);
                         });

// Holding a spin arrow repeats on the clock and stops at the row's limits.
TEST_F(PropEditTest, HeldSpinArrowsStopAtTheLimits)
{
    struct {
        bool up;
        const char* stopsAt;
    } cases[] = {{true, "10"}, {false, "1"}};
    for (const auto& c : cases) {
        ClickValue(number);
        ASSERT_NE(nullptr, number->GetSpin());
        CRect rect;
        number->GetSpin()->GetClientRect(rect);
        const int y = c.up ? rect.top + 2 : rect.bottom - 3;
        const POINT pt = ScreenPointOf(number->GetSpin()->GetSafeHwnd(), rect.CenterPoint().x, y);
        tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
        input.MouseMove(pt.x, pt.y);
        input.ButtonDown(tw::display::MouseButton::Left, pt.x, pt.y);
        PumpFiltered();
        for (int i = 0; i < 30; i++) {
            tw::ProcessClock::Advance(100);
            PumpFiltered();
        }
        CString text;
        number->GetEditor()->GetWindowText(text);
        EXPECT_STREQ(c.stopsAt, (LPCTSTR)text) << (c.up ? "up" : "down");
        input.ButtonUp(tw::display::MouseButton::Left, pt.x, pt.y);
        PumpFiltered();
        KeyFiltered(VK_RETURN);
        EXPECT_STREQ(c.stopsAt, (LPCTSTR)Shown(number));
    }
}

}  // namespace
