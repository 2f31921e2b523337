// Each editor kind opens by F2 or a click on the focused cell, edits, and
// stores its value with Enter; values that do not fit the kind keep it open.
#include <gtest/gtest.h>

#include <functional>

#include "tests/platform/controls/grid/GridControlFixture.h"
#include "tests/platform/controls/grid/GridEditingFixture.h"

namespace tw::grid {
namespace {

using namespace tw::grid::testing;

class GridEditorsTest : public GridEditingFixture {
protected:
    // Gives the Value column of row 0 the kind and a starting text, then opens its editor.
    void Open(EditorKind kind, const std::string& start, bool byMouse)
    {
        GridColumn& column = *Model().Columns().Item(kValue);
        column.editor = kind;
        column.mask = "00-00";
        if (kind == EditorKind::PickList)
            column.pickList = {"bigint", "int", "smallint"};
        Model().Dataset().SetText(0, Model().FieldOfColumn(kValue), start);
        if (byMouse) {
            ClickCell(0, kValue);  // focuses the cell
            ClickCell(0, kValue);  // opens its editor
        } else {
            EditWithF2(0, kValue);
        }
    }
};

struct EditorCase {
    const char* name;
    EditorKind kind;
    bool byMouse;
    std::string start;
    std::function<void(GridEditorsTest&)> edit;
    std::string stored;
};

struct EditorCaseName {
    std::string operator()(const ::testing::TestParamInfo<EditorCase>& info) const { return info.param.name; }
};

class GridEditorKindsTest : public GridEditorsTest, public ::testing::WithParamInterface<EditorCase> {
public:
    void TypeText(const std::string& text) { Type(text); }
    void Press(UINT vk, bool ctrl = false) { KeyWith(vk, false, ctrl); }
};

TEST_P(GridEditorKindsTest, OpensEditsAndStoresWithEnter)
{
    const EditorCase& c = GetParam();
    Open(c.kind, c.start, c.byMouse);
    ASSERT_NE(grid->Editor(), nullptr);
    EXPECT_EQ(grid->Editor()->Kind(), c.kind);
    c.edit(*this);
    Press(VK_RETURN);
    EXPECT_EQ(grid->Editor(), nullptr);
    EXPECT_EQ(Cell(0, kValue), c.stored);
    EXPECT_EQ(GetFocus(), hwnd);  // the keyboard is back with the grid
}

auto Types(std::string text)
{
    return [text](GridEditorsTest& test) { static_cast<GridEditorKindsTest&>(test).TypeText(text); };
}
auto Presses(UINT vk, bool ctrl = false)
{
    return [vk, ctrl](GridEditorsTest& test) { static_cast<GridEditorKindsTest&>(test).Press(vk, ctrl); };
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, GridEditorKindsTest,
    ::testing::Values(
        EditorCase{"Text", EditorKind::Text, false, "v0", Types("abc"), "abc"},
        EditorCase{"Mask", EditorKind::Mask, true, "", Types("12-34"), "12-34"},
        EditorCase{"Button", EditorKind::Button, false, "", Types("path"), "path"},
        EditorCase{"Date", EditorKind::Date, false, "", Types("2024-02-29"), "2024-02-29"},
        EditorCase{"CheckBySpace", EditorKind::Check, false, "False", Presses(VK_SPACE), "True"},
        EditorCase{"CheckByClick", EditorKind::Check, true, "True", [](GridEditorsTest&) {}, "False"},
        EditorCase{"SpinByArrow", EditorKind::Spin, false, "5", Presses(VK_UP), "6"},
        EditorCase{"PickListTyped", EditorKind::PickList, false, "", Types("int"), "int"},
        EditorCase{"PickListByArrow", EditorKind::PickList, true, "int", Presses(VK_DOWN), "smallint"},
        EditorCase{"Image", EditorKind::Image, false, "", Types("logo.png"), "logo.png"},
        EditorCase{"Memo", EditorKind::Memo, false, "",
                   [](GridEditorsTest& test) {
                       Types("a")(test);
                       Presses(VK_RETURN, true)(test);  // Ctrl+Enter breaks the line
                       Types("b")(test);
                   },
                   "a\r\nb"},
        EditorCase{"Lookup", EditorKind::Lookup, false, "v1", Presses(VK_DOWN), "v2"},
        EditorCase{"Time", EditorKind::Time, true, "", Types("12:30"), "12:30"},
        EditorCase{"Currency", EditorKind::Currency, false, "", Types("-12.50"), "-12.50"},
        EditorCase{"Hyperlink", EditorKind::Hyperlink, false, "", Types("http://x.org"), "http://x.org"}),
    EditorCaseName());

struct RefusedCase {
    const char* name;
    EditorKind kind;
    std::string typed;
};

class GridEditorRefusals : public GridEditorsTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(GridEditorRefusals, AValueNotOfTheKindKeepsTheEditorOpenAndEscLeavesTheCell)
{
    Open(GetParam().kind, "", false);
    ASSERT_NE(grid->Editor(), nullptr);
    Type(GetParam().typed);
    Key(VK_RETURN);
    EXPECT_NE(grid->Editor(), nullptr);
    EXPECT_EQ(sink->Count(kEventValidate), 0);  // refused before the container is asked
    Key(VK_ESCAPE);
    EXPECT_EQ(grid->Editor(), nullptr);
    EXPECT_EQ(Cell(0, kValue), "");
}

INSTANTIATE_TEST_SUITE_P(Kinds, GridEditorRefusals,
                         ::testing::Values(RefusedCase{"MaskLetter", EditorKind::Mask, "1a-34"},
                                           RefusedCase{"MaskShort", EditorKind::Mask, "12-3"},
                                           RefusedCase{"DateNotLeap", EditorKind::Date, "2023-02-29"},
                                           RefusedCase{"DateMonth", EditorKind::Date, "2023-13-01"},
                                           RefusedCase{"TimeHour", EditorKind::Time, "25:00"},
                                           RefusedCase{"SpinText", EditorKind::Spin, "x"},
                                           RefusedCase{"CurrencyTwoPoints", EditorKind::Currency, "1.2.3"}),
                         [](const ::testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

TEST(GridEditorValues, EachKindTakesOnlyItsValues)
{
    struct Value {
        EditorKind kind;
        const char* mask;
        const char* text;
        bool fits;
    };
    const Value values[] = {
        {EditorKind::Time, "", "9:05", true},
        {EditorKind::Time, "", "23:59:59", true},
        {EditorKind::Time, "", "12:00:00.123", true},  // as the server writes it
        {EditorKind::Time, "", "12:60", false},
        {EditorKind::Time, "", "12:00:00.", false},
        {EditorKind::Date, "", "2026-12-10 15:00:00.997", true},
        {EditorKind::Date, "", "2000-02-29", true},
        {EditorKind::Date, "", "1900-02-29", false},
        {EditorKind::Date, "", "2026-04-31", false},
        {EditorKind::Mask, "LL-00", "\xC3\xA9t-42", true},  // a UTF-8 letter is one character
        {EditorKind::Mask, "LL-00", "\xC3\xA9t-4", false},
        {EditorKind::Mask, "99", "4 ", true},
        {EditorKind::Spin, "", "-17", true},
        {EditorKind::Spin, "", "1.5", false},
        {EditorKind::Currency, "", ".25", true},
        {EditorKind::Currency, "", "1.23456", false},
        {EditorKind::Text, "", "anything", true},
        {EditorKind::Date, "", "", true},  // a cell may always be cleared
    };
    for (const Value& value : values) {
        SCOPED_TRACE(value.text);
        GridColumn column;
        column.editor = value.kind;
        column.mask = value.mask;
        EXPECT_EQ(GridEditor::ValueFits(column, value.text), value.fits);
    }
}

TEST_F(GridEditorsTest, AnUnchangedCellIsTakenBackWhateverItHolds)
{
    Open(EditorKind::Date, "last week", false);  // text the server gave, not a date the editor writes
    Key(VK_RETURN);
    EXPECT_EQ(grid->Editor(), nullptr);
    EXPECT_EQ(Cell(0, kValue), "last week");
}

TEST_F(GridEditorsTest, TypingOnACellStartsEditingItWithWhatWasTyped)
{
    Model().MoveTo(1);
    grid->SetFocusedColumn(kType);
    Type("zq");
    ASSERT_NE(grid->Editor(), nullptr);
    Key(VK_RETURN);
    EXPECT_EQ(Cell(1, kType), "zq");
    Key(VK_SPACE);  // a blank is not typing
    EXPECT_EQ(grid->Editor(), nullptr);
}

TEST_F(GridEditorsTest, EscDropsTheTypedTextAndEditingStartsAfresh)
{
    Open(EditorKind::Text, "kept", false);
    Type("lost");
    Key(VK_ESCAPE);
    EXPECT_EQ(grid->Editor(), nullptr);
    EXPECT_EQ(Cell(0, kValue), "kept");
    EXPECT_EQ(sink->Count(kEventDataState), 0);
}

TEST_F(GridEditorsTest, TheButtonOfAButtonEditorReportsTheCell)
{
    Open(EditorKind::Button, "x", false);
    HWND button = FindWindowEx(hwnd, nullptr, "Button", "...");
    ASSERT_NE(button, nullptr);
    RECT rect{};
    GetWindowRect(button, &rect);
    input.Click(tw::display::MouseButton::Left, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Pump();
    const FiredEvent* event = sink->Last(kEventCellButton);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->nodes, (std::vector<int>{-2, 0}));  // the column, then the row node
    EXPECT_NE(grid->Editor(), nullptr);  // the button leaves the editor open
}

TEST_F(GridEditorsTest, AColumnTheContainerMadeReadOnlyOpensNoEditor)
{
    Model().Columns().Item(kName)->editable = false;
    EditWithF2(0, kName);
    EXPECT_EQ(grid->Editor(), nullptr);
    EditWithF2(0, kValue);
    EXPECT_NE(grid->Editor(), nullptr);
}

TEST_F(GridEditorsTest, ClickingAnotherCellStoresTheEditFirst)
{
    Open(EditorKind::Text, "", false);
    Type("moved");
    ClickCell(2, kName);
    EXPECT_EQ(grid->Editor(), nullptr);
    EXPECT_EQ(Cell(0, kValue), "moved");
    EXPECT_EQ(Model().Selection().Focused(), 2);
    EXPECT_EQ(sink->Count(kEventNodeChanged), 1);  // leaving row 0 stored it
}

TEST_F(GridEditorsTest, AnEditorWhoseRowIsGoneClosesWithoutStoring)
{
    Model().MoveTo(2);
    EditWithF2(2, kValue);
    ASSERT_NE(grid->Editor(), nullptr);
    Type("late");
    IDispatchPtr dataset = Object(Get(controlDispatch, 19));
    Call(dataset, 1027);  // the program deletes the row being edited
    EXPECT_EQ(grid->Editor(), nullptr);
    EXPECT_EQ(Model().Dataset().RowCount(), 2);
    EXPECT_EQ(Cell(1, kValue), "v1");
}

TEST_F(GridEditorsTest, CheckBoxCellsShowABoxTickedByTheirText)
{
    Model().Columns().Item(kValue)->editor = EditorKind::Check;
    Model().Dataset().SetText(1, Model().FieldOfColumn(kValue), "True");
    Model().Dataset().SetText(2, Model().FieldOfColumn(kValue), "False");
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    auto darkPixels = [this](int row) {
        const RECT cell = grid->CellRect(row, kValue);
        int dark = 0;
        // Inside the box's frame, where only the tick can be dark.
        for (int y = cell.top + 4; y < cell.bottom - 4; ++y) {
            for (int x = cell.left + 6; x < cell.left + 12; ++x)
                dark += GetRValue(Pixel(x, y)) < 128 ? 1 : 0;
        }
        return dark;
    };
    EXPECT_GT(darkPixels(1), 0);
    EXPECT_EQ(darkPixels(2), 0);
}

}  // namespace
}  // namespace tw::grid
