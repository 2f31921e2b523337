#include "platform/controls/grid/GridEventFirer.h"

#include <algorithm>
#include <vector>

#include "platform/com/Bstr.h"
#include "platform/controls/grid/GridAutomation.h"

namespace tw::grid {

namespace gridevents_detail {

VARIANT EventByRef(VARTYPE type, void* target)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VARTYPE(type | VT_BYREF);
    value.byref = target;
    return value;
}

VARIANT EventLong(long number)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = number;
    return value;
}

VARIANT EventSingle(float number)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_R4;
    value.fltVal = number;
    return value;
}

VARIANT EventBool(bool flag)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BOOL;
    value.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return value;
}

// A BSTR passed by reference: the handler may free and replace it.
class EventRefText {
public:
    explicit EventRefText(const std::string& text) : text_(tw::SysAllocStringUtf8(text.c_str())) {}
    ~EventRefText() { SysFreeString(text_); }
    EventRefText(const EventRefText&) = delete;
    EventRefText& operator=(const EventRefText&) = delete;
    BSTR* Address() { return &text_; }
    std::string Utf8() const { return tw::BstrToUtf8(text_); }

private:
    BSTR text_;
};

}  // namespace gridevents_detail

using gridevents_detail::EventBool;
using gridevents_detail::EventByRef;
using gridevents_detail::EventLong;
using gridevents_detail::EventRefText;
using gridevents_detail::EventSingle;

void GridEventFirer::Fire(DISPID id, std::initializer_list<VARIANT> arguments)
{
    std::vector<VARIANT> reversed(arguments.begin(), arguments.end());
    std::reverse(reversed.begin(), reversed.end());
    point_.Fire<IDispatch>([&](IDispatch* sink) {
        DISPPARAMS params{reversed.data(), nullptr, UINT(reversed.size()), 0};
        _variant_t result;
        // A sink's failure is its own affair; the grid goes on. A handler that
        // throws must not unwind through the grid's window procedure.
        try {
            sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
        } catch (...) {
        }
    });
}

_variant_t GridEventFirer::Node(int row) const
{
    auto model = model_.lock();
    if (!model || row < 0 || row >= model->Dataset().RowCount())
        return _variant_t(static_cast<IDispatch*>(nullptr));
    return _variant_t(static_cast<IDispatch*>(NewNodeObject(model, row)));
}

_variant_t GridEventFirer::Column(int column) const
{
    auto model = model_.lock();
    if (!model || !model->Columns().Item(column))
        return _variant_t(static_cast<IDispatch*>(nullptr));
    return _variant_t(static_cast<IDispatch*>(NewColumnObject(model, column)));
}

void GridEventFirer::FocusedRowChanged(int previous, int current)
{
    if (!Listened())
        return;
    _variant_t left = Node(previous), entered = Node(current);
    Fire(kEventFocusedNodeChanged, {left, entered});
}

bool GridEventFirer::WantsCustomDraw() const
{
    return Listened();
}

void GridEventFirer::CustomDrawCell(GridCellDraw& cell)
{
    if (!Listened())
        return;
    _variant_t node = Node(cell.row), column = Column(cell.column);
    EventRefText text(cell.text);
    long background = long(cell.background), textColor = long(cell.textColor), alignment = cell.alignment;
    VARIANT_BOOL done = VARIANT_FALSE;
    VARIANT noFont;
    VariantInit(&noFont);
    noFont.vt = VT_DISPATCH;
    noFont.pdispVal = nullptr;
    Fire(kEventCustomDrawCell,
         {EventLong(cell.column), EventSingle(float(cell.rect.left)), EventSingle(float(cell.rect.top)),
          EventSingle(float(cell.rect.right)), EventSingle(float(cell.rect.bottom)), node, column, EventBool(cell.selected),
          EventBool(cell.focused), EventBool(cell.focused), EventByRef(VT_BSTR, text.Address()), EventByRef(VT_I4, &background),
          noFont, EventByRef(VT_I4, &textColor), EventByRef(VT_I4, &alignment), EventByRef(VT_BOOL, &done)});
    cell.done = done != VARIANT_FALSE;
    if (!cell.done)
        return;
    cell.text = text.Utf8();
    cell.background = COLORREF(background);
    cell.textColor = COLORREF(textColor);
    cell.alignment = int(alignment);
}

void GridEventFirer::RowPosted(int row)
{
    if (!Listened())
        return;
    _variant_t node = Node(row);
    Fire(kEventNodeChanged, {node});
}

bool GridEventFirer::Editing(int row)
{
    if (!Listened())
        return true;
    _variant_t node = Node(row);
    VARIANT_BOOL allow = VARIANT_TRUE;
    Fire(kEventEditing, {node, EventByRef(VT_BOOL, &allow)});
    return allow != VARIANT_FALSE;
}

void GridEventFirer::Key(int& vk, int shift)
{
    if (!Listened())
        return;
    SHORT key = SHORT(vk);
    Fire(kEventKey, {EventByRef(VT_I2, &key), EventLong(shift)});
    vk = key;
}

void GridEventFirer::Mouse(int button, int shift, int x, int y)
{
    if (!Listened())
        return;
    Fire(kEventMouse, {EventLong(button), EventLong(shift), EventSingle(float(x)), EventSingle(float(y))});
}

void GridEventFirer::DataStateChanged(DataState state)
{
    if (!Listened())
        return;
    Fire(kEventDataState, {EventLong(long(state))});
}

void GridEventFirer::CellButton(int column, int row)
{
    if (!Listened())
        return;
    _variant_t columnObject = Column(column), node = Node(row);
    Fire(kEventCellButton, {columnObject, node});
}

bool GridEventFirer::Validate(int column, int /*row*/, std::string& text)
{
    if (!Listened())
        return true;
    _variant_t columnObject = Column(column);
    EventRefText edited(text);
    VARIANT_BOOL accept = VARIANT_TRUE;
    Fire(kEventValidate, {columnObject, EventByRef(VT_BSTR, edited.Address()), EventByRef(VT_BOOL, &accept)});
    text = edited.Utf8();
    return accept != VARIANT_FALSE;
}

void GridEventFirer::EditColumn(int row, int& column, bool byMouse)
{
    if (!Listened())
        return;
    _variant_t node = Node(row);
    SHORT index = SHORT(column);
    Fire(byMouse ? kEventGetEditColumn2 : kEventGetEditColumn, {node, EventByRef(VT_I2, &index)});
    column = index;
}

}  // namespace tw::grid
