// The grid's events reach the container's sink with the argument types the
// checked-in table lists, and what a handler writes through a by-reference
// argument changes what the grid does.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>

#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/gdi/wingdi.h"
#include "tests/platform/controls/grid/DispatchTable.h"
#include "tests/platform/controls/grid/GridControlFixture.h"
#include "tests/platform/controls/grid/GridEditingFixture.h"

namespace tw::grid {
namespace {

using namespace tw::grid::testing;

VARTYPE TypeOf(const std::string& name)
{
    static const std::map<std::string, VARTYPE> types{
        {"I2", VT_I2}, {"I4", VT_I4}, {"R4", VT_R4}, {"BOOL", VT_BOOL}, {"BSTR", VT_BSTR}, {"DISPATCH", VT_DISPATCH}};
    const bool byRef = name.back() == '*';
    const VARTYPE type = types.at(byRef ? name.substr(0, name.size() - 1) : name);
    return byRef ? VARTYPE(type | VT_BYREF) : type;
}

class GridEventsTest : public GridEditingFixture {
protected:
    void Trigger(const std::string& trigger)
    {
        const std::map<std::string, std::function<void()>> triggers{
            {"down-arrow", [this] { Key(VK_DOWN); }},
            {"paint", [this] {
                 InvalidateRect(hwnd, nullptr, FALSE);
                 UpdateWindow(hwnd);
             }},
            {"edit-and-leave", [this] {
                 EditWithF2(0, kValue);
                 Type("x");
                 Key(VK_RETURN);
                 Key(VK_DOWN);
             }},
            {"open-editor", [this] { EditWithF2(0, kValue); }},
            {"click", [this] { ClickCell(1, kName); }},
            {"cell-button", [this] {
                 Model().Columns().Item(kValue)->editor = EditorKind::Button;
                 EditWithF2(0, kValue);
                 KeyWith(VK_RETURN, false, true);
             }},
            {"click-editor", [this] {
                 ClickCell(1, kValue);
                 ClickCell(1, kValue);
             }},
        };
        triggers.at(trigger)();
    }
};

TEST_F(GridEventsTest, EveryEventOfTheTableReachesTheSinkWithItsArgumentTypes)
{
    for (const DispatchEntry& entry : LoadDispatchTable()) {
        if (entry.kind != "event")
            continue;
        SCOPED_TRACE(entry.name);
        grid->CancelEditor();
        Model().MoveTo(0);
        sink->fired.clear();
        Trigger(entry.effect.substr(entry.effect.find(' ') + 1));
        const FiredEvent* event = sink->Last(entry.dispid);
        ASSERT_NE(event, nullptr);
        std::vector<VARTYPE> expected;
        std::stringstream types(entry.arguments);
        for (std::string type; std::getline(types, type, '|');)
            expected.push_back(TypeOf(type));
        EXPECT_EQ(event->types, expected);
    }
}

TEST_F(GridEventsTest, FocusChangeNamesTheRowLeftAndTheRowEntered)
{
    Key(VK_DOWN);
    Key(VK_DOWN);
    const FiredEvent* event = sink->Last(kEventFocusedNodeChanged);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->nodes, (std::vector<int>{1, 2}));
    EXPECT_EQ(sink->Count(kEventFocusedNodeChanged), 2);
}

TEST_F(GridEventsTest, AKeyTheContainerClearsIsIgnored)
{
    sink->reactions[kEventKey] = [](DISPPARAMS& params) { *GridEventSink::Arg(params, 0).piVal = 0; };
    Key(VK_DOWN);
    EXPECT_EQ(Model().Selection().Focused(), 0);
    sink->reactions[kEventKey] = [](DISPPARAMS& params) { *GridEventSink::Arg(params, 0).piVal = VK_END; };
    KeyWith(VK_DOWN, false, true);  // Ctrl+Down turned into Ctrl+End
    EXPECT_EQ(Model().Selection().Focused(), 2);
}

TEST_F(GridEventsTest, EditingRefusedByTheContainerOpensNoEditor)
{
    sink->reactions[kEventEditing] = [](DISPPARAMS& params) { *GridEventSink::Arg(params, 1).pboolVal = VARIANT_FALSE; };
    EditWithF2(1, kValue);
    EXPECT_EQ(grid->Editor(), nullptr);
    const FiredEvent* event = sink->Last(kEventEditing);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->nodes, (std::vector<int>{1}));
}

TEST_F(GridEventsTest, AColumnMadeReadOnlyDuringTheEditingEventIsNotEdited)
{
    // As the parameter dialog protects its name and type columns.
    sink->reactions[kEventEditing] = [this](DISPPARAMS&) { Model().Columns().Item(kName)->editable = false; };
    EditWithF2(0, kName);
    EXPECT_EQ(grid->Editor(), nullptr);
    EditWithF2(0, kValue);
    EXPECT_NE(grid->Editor(), nullptr);
}

TEST_F(GridEventsTest, ARefusingValidateKeepsTheEditorOpenAndTheCellUnchanged)
{
    bool accept = false;
    sink->reactions[kEventValidate] = [&accept](DISPPARAMS& params) {
        if (!accept)
            *GridEventSink::Arg(params, 2).pboolVal = VARIANT_FALSE;
    };
    EditWithF2(0, kValue);
    Type("refused");
    Key(VK_RETURN);
    ASSERT_NE(grid->Editor(), nullptr);
    EXPECT_EQ(Cell(0, kValue), "v0");
    EXPECT_EQ(sink->Count(kEventDataState), 0);
    accept = true;
    Key(VK_RETURN);
    EXPECT_EQ(grid->Editor(), nullptr);
    EXPECT_EQ(Cell(0, kValue), "refused");
}

TEST_F(GridEventsTest, TextChangedByValidateIsWhatTheCellStores)
{
    sink->reactions[kEventValidate] = [](DISPPARAMS& params) {
        BSTR* text = GridEventSink::Arg(params, 1).pbstrVal;
        SysFreeString(*text);
        *text = tw::SysAllocStringUtf8("changed");
    };
    EditWithF2(2, kName);
    Type("typed");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(2, kName), "changed");
}

TEST_F(GridEventsTest, StoringACellReportsTheStatesAndLeavingTheRowReportsItStored)
{
    EditWithF2(1, kValue);
    Type("new");
    Key(VK_RETURN);
    EXPECT_EQ(sink->Count(kEventNodeChanged), 0);  // still on the row
    Key(VK_UP);
    std::vector<long> states;
    for (const FiredEvent& event : sink->fired) {
        if (event.id == kEventDataState)
            states.push_back(event.numbers.at(0));
    }
    EXPECT_EQ(states, (std::vector<long>{long(DataState::Edit), long(DataState::Modified), long(DataState::Browse)}));
    const FiredEvent* stored = sink->Last(kEventNodeChanged);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->nodes, (std::vector<int>{1}));
    EXPECT_EQ(Model().State(), DataState::Browse);
}

TEST_F(GridEventsTest, TheStoredRowCanStillTakeValuesFromTheContainer)
{
    // As the column grid renames a duplicate and numbers a new row when a row is stored.
    IDispatchPtr dataset = Object(Get(controlDispatch, 19));
    sink->reactions[kEventNodeChanged] = [&dataset](DISPPARAMS&) { Put(dataset, 1064, {"Type", "numbered"}); };
    EditWithF2(1, kName);
    Type("n0");
    Key(VK_RETURN);
    Key(VK_DOWN);
    EXPECT_EQ(Cell(1, kType), "numbered");
    EXPECT_EQ(Model().State(), DataState::Browse);
    EXPECT_EQ(sink->Count(kEventNodeChanged), 1);
}

TEST_F(GridEventsTest, AHandlerThatThrowsLeavesTheGridWorking)
{
    sink->reactions[kEventFocusedNodeChanged] = [](DISPPARAMS&) { throw _com_error(E_FAIL); };
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(Model().Selection().Focused(), 2);
}

TEST_F(GridEventsTest, ThePickListArrowIsTheCellsButton)
{
    Model().Columns().Item(kValue)->editor = EditorKind::PickList;
    EditWithF2(2, kValue);
    ASSERT_NE(sink->Last(kEventCellButton), nullptr);
    EXPECT_EQ(sink->Last(kEventCellButton)->nodes, (std::vector<int>{-2, 2}));
    Key(VK_F4);  // drops the list down: the arrow again
    EXPECT_EQ(sink->Count(kEventCellButton), 2);
}

TEST_F(GridEventsTest, TheEditColumnChosenByTheContainerLendsItsEditorToTheCell)
{
    GridColumn spin;
    spin.name = spin.caption = "Spin";
    spin.editor = EditorKind::Spin;
    spin.visible = false;
    const int spinColumn = Model().Columns().Add(spin);
    sink->reactions[kEventGetEditColumn] = [spinColumn](DISPPARAMS& params) {
        SHORT* column = GridEventSink::Arg(params, 1).piVal;
        if (*column == kValue)
            *column = SHORT(spinColumn);
    };
    EditWithF2(0, kValue);
    ASSERT_NE(grid->Editor(), nullptr);
    EXPECT_EQ(grid->Editor()->Kind(), EditorKind::Spin);
    Type("12");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(0, kValue), "12");  // the value lands in the edited cell
    EditWithF2(0, kValue);
    Type("abc");
    Key(VK_RETURN);  // not a number: the spin editor keeps it open
    EXPECT_NE(grid->Editor(), nullptr);
    Key(VK_ESCAPE);
    EXPECT_EQ(Cell(0, kValue), "12");
}

TEST_F(GridEventsTest, ACellMarkedDoneIsDrawnInTheColoursTheContainerGave)
{
    sink->reactions[kEventCustomDrawCell] = [](DISPPARAMS& params) {
        const int column = GridEventSink::Arg(params, 0).lVal;
        IDispatch* node = GridEventSink::Arg(params, 5).pdispVal;
        _variant_t text = tw::com::InvokeOrRaise(node, 27, DISPATCH_PROPERTYGET, {_variant_t(long(column))});
        if (std::string(static_cast<const char*>(_bstr_t(text))) != "n1")
            return;
        *GridEventSink::Arg(params, 11).plVal = long(RGB(102, 255, 153));
        *GridEventSink::Arg(params, 13).plVal = long(RGB(255, 0, 0));
        *GridEventSink::Arg(params, 15).pboolVal = VARIANT_TRUE;
    };
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    const RECT marked = grid->CellRect(1, kName);
    EXPECT_EQ(Pixel(marked.left + 1, marked.bottom - 1), RGB(102, 255, 153));
    const RECT plain = grid->CellRect(2, kName);
    EXPECT_EQ(Pixel(plain.left + 1, plain.bottom - 1), GetSysColor(COLOR_WINDOW));
}

}  // namespace
}  // namespace tw::grid
