#include "platform/controls/grid/GridAutomation.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/com/ClassRegistry.h"
#include "platform/com/ErrorInfo.h"
#include "platform/com/SafeArray.h"
#include "platform/controls/grid/GridExport.h"
#include "platform/controls/grid/GridView.h"
#include "platform/controls/grid/GridWorkbook.h"

namespace tw::grid {

namespace gridauto_detail {

using ModelPtr = std::shared_ptr<GridModel>;
using StatePtr = std::shared_ptr<GridDatasetState>;

// Raises the failure as the caller sees it: DISP_E_EXCEPTION with this text.
[[noreturn]] void Fail(const char* description, HRESULT hr = E_FAIL)
{
    tw::com::ReportError(hr, "DataGrid", description);
    IErrorInfo* info = nullptr;
    GetErrorInfo(0, &info);
    throw _com_error(hr, info);
}

// A cell value as the grid keeps it: text, or null for VT_NULL and VT_EMPTY.
std::optional<std::string> CellText(const VARIANT& value)
{
    _variant_t copy;
    if (FAILED(VariantCopyInd(&copy, &value)))
        Fail("The value cannot be read.", DISP_E_TYPEMISMATCH);
    if (copy.vt == VT_NULL || copy.vt == VT_EMPTY)
        return std::nullopt;
    try {
        const _bstr_t text = static_cast<_bstr_t>(copy);
        const char* utf8 = text;
        return std::string(utf8 ? utf8 : "");
    } catch (const _com_error&) {
        Fail("The value cannot be shown as text.", DISP_E_TYPEMISMATCH);
    }
}

// The elements of a one-dimensional safe array of VARIANTs, by value or by reference.
std::vector<std::optional<std::string>> RecordCells(const _variant_t& record)
{
    const VARIANT* value = &record;
    if (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal)
        value = value->pvarVal;
    SAFEARRAY* array = nullptr;
    if (value->vt == (VT_ARRAY | VT_VARIANT))
        array = value->parray;
    else if (value->vt == (VT_BYREF | VT_ARRAY | VT_VARIANT) && value->pparray)
        array = *value->pparray;
    if (!array || SafeArrayGetDim(array) != 1)
        Fail("A record is a one-dimensional array of values.", DISP_E_TYPEMISMATCH);
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    std::vector<std::optional<std::string>> cells;
    for (LONG i = lower; i <= upper; ++i) {
        _variant_t element;
        if (FAILED(SafeArrayGetElement(array, &i, &element)))
            Fail("A record's value cannot be read.");
        cells.push_back(CellText(element));
    }
    return cells;
}

// Numbered settings whose effect the grid does not define yet: kept, and read back.
class NumberedSettings {
public:
    template <class Members>
    void Expose(Members& members, std::initializer_list<DISPID> ids)
    {
        for (DISPID id : ids) {
            const std::string name = "Property" + std::to_string(id);
            members.Put(id, name, [this, id](_variant_t value) { values_[id] = value; });
            members.Get(id, name, [this, id] { return values_[id]; });
        }
    }

private:
    std::map<DISPID, _variant_t> values_;
};

class NodeObject : public tw::com::DispatchObject<IDispatch> {
public:
    NodeObject(ModelPtr model, int row) : model_(std::move(model)), row_(row)
    {
        Members().Get(17, "Index", [this] { return row_; });
        Members().Get(27, "CellText", [this](int column) { return CellTextOf(column); });
    }

private:
    std::string CellTextOf(int column) const
    {
        const GridColumn* item = model_->Columns().Item(column);
        if (!item || row_ >= model_->Dataset().RowCount())
            Fail("No such cell.", DISP_E_BADINDEX);
        return std::string(model_->Dataset().Text(row_, model_->Dataset().FieldIndex(item->fieldName)));
    }

    ModelPtr model_;
    int row_;
};

IDispatchPtr MakeNode(const ModelPtr& model, int row)
{
    if (row < 0 || row >= model->Dataset().RowCount())
        Fail("No such row.", DISP_E_BADINDEX);
    return IDispatchPtr(new NodeObject(model, row), false);
}

class SelectionObject : public tw::com::DispatchObject<IDispatch> {
public:
    explicit SelectionObject(ModelPtr model) : model_(std::move(model))
    {
        Members().Get(125, "Count", [this] { return model_->Selection().Count(); });
        Members().Get(126, "Item", [this](int index) {
            const auto& rows = model_->Selection().Rows();
            if (index < 0 || index >= int(rows.size()))
                Fail("No such selected row.", DISP_E_BADINDEX);
            return MakeNode(model_, rows[size_t(index)]);
        });
    }

private:
    ModelPtr model_;
};

// A column's pick-list strings.
class StringsObject : public tw::com::DispatchObject<IDispatch> {
public:
    StringsObject(ModelPtr model, int column) : model_(std::move(model)), column_(column)
    {
        Members().Get(1, "Count", [this] { return int(List().size()); });
        Members().Method(10, "Add", [this](std::string text) {
            List().push_back(text);
            return int(List().size()) - 1;
        });
        Members().Method(14, "Clear", [this] { List().clear(); });
        Members().Get(0, "Item", [this](int index) {
            if (index < 0 || index >= int(List().size()))
                Fail("No such string.", DISP_E_BADINDEX);
            return List()[size_t(index)];
        });
    }

private:
    std::vector<std::string>& List()
    {
        GridColumn* column = model_->Columns().Item(column_);
        if (!column)
            Fail("The column no longer exists.", DISP_E_BADINDEX);
        return column->pickList;
    }

    ModelPtr model_;
    int column_;
};

class EditorObject : public tw::com::DispatchObject<IDispatch> {
public:
    EditorObject(ModelPtr model, int column) : model_(std::move(model)), column_(column)
    {
        Members().Get(151, "Items", [this] { return IDispatchPtr(new StringsObject(model_, column_), false); });
        settings_.Expose(Members(), {152, 153});
    }

private:
    ModelPtr model_;
    int column_;
    NumberedSettings settings_;
};

class ColumnObject : public tw::com::DispatchObject<IDispatch> {
public:
    ColumnObject(ModelPtr model, int index) : model_(std::move(model)), index_(index)
    {
        Members().Get(4, "Caption", [this] { return Column().caption; });
        Members().Put(4, "Caption", [this](std::string text) {
            Column().caption = text;
            Changed();
        });
        Members().Put(14, "Name", [this](std::string text) { Column().name = text; });
        Members().Get(14, "Name", [this] { return Column().name; });
        Members().Get(37, "Width", [this] { return Column().width; });
        Members().Put(37, "Width", [this](int width) {
            Column();
            model_->Columns().SetWidth(index_, width);
            Changed();
        });
        Members().Get(45, "FieldName", [this] { return Column().fieldName; });
        Members().Put(45, "FieldName", [this](std::string text) {
            Column().fieldName = text;
            Changed();
        });
        settings_.Expose(Members(), {1, 19, 24, 25, 46, 115});
        Members().Get(53, "Editor", [this] {
            Column();
            return IDispatchPtr(new EditorObject(model_, index_), false);
        });
        Members().Get(47, "Index", [this] {
            Column();
            return index_;
        });
    }

private:
    GridColumn& Column()
    {
        GridColumn* column = model_->Columns().Item(index_);
        if (!column)
            Fail("The column no longer exists.", DISP_E_BADINDEX);
        return *column;
    }
    void Changed() { model_->Changed(); }

    ModelPtr model_;
    int index_;
    NumberedSettings settings_;
};

class ColumnsObject : public tw::com::DispatchObject<IDispatch> {
public:
    explicit ColumnsObject(ModelPtr model) : model_(std::move(model))
    {
        Members().Get(0, "Item", [this](int index) { return ColumnAt(index); });
        Members().Get(1, "Count", [this] { return model_->Columns().Count(); });
        Members().Method(2, "Add", [this](std::optional<int>) {
            const int index = model_->Columns().Add();
            model_->Changed();
            return ColumnAt(index);
        });
        Members().Method(317, "DestroyColumns", [this] {
            model_->Columns().Destroy();
            model_->Changed();
        });
        Members().Method(321, "ColumnByName",
                         [this](std::string name) { return ColumnAt(model_->Columns().IndexByName(name)); });
        Members().Method(322, "ColumnByFieldName",
                         [this](std::string name) { return ColumnAt(model_->Columns().IndexByFieldName(name)); });
    }

private:
    IDispatchPtr ColumnAt(int index)
    {
        if (!model_->Columns().Item(index))
            Fail("No such column.", DISP_E_BADINDEX);
        return IDispatchPtr(new ColumnObject(model_, index), false);
    }

    ModelPtr model_;
};

class FieldDefsObject : public tw::com::DispatchObject<IDispatch> {
public:
    FieldDefsObject(ModelPtr model, StatePtr state) : model_(std::move(model)), state_(std::move(state))
    {
        Members().Method(1201, "Add", [this](std::string name, int type, int size) {
            if (state_->active)
                Fail("Fields cannot be defined while the dataset is open.");
            if (!model_->Dataset().AddField({name, FieldType(type), size}))
                Fail("The field name is empty or already defined.");
        });
        Members().Get(1, "Count", [this] { return model_->Dataset().FieldCount(); });
    }

private:
    ModelPtr model_;
    StatePtr state_;
};

class DatasetObject : public tw::com::DispatchObject<IDispatch> {
public:
    DatasetObject(ModelPtr model, StatePtr state) : model_(std::move(model)), state_(std::move(state))
    {
        Members().Put(1001, "Active", [this](bool active) { active ? Open() : Close(); });
        Members().Get(1001, "Active", [this] { return state_->active; });
        Members().Method(1005, "Close", [this] { Close(); });
        Members().Method(1012, "Open", [this] { Open(); });
        Members().Get(1020, "RecordCount", [this] { return model_->Dataset().RowCount(); });
        Members().Method(1024, "Append", [this] {
            AppendCells({});
            state_->editing = true;
        });
        Members().Method(1025, "AppendRecord", [this](_variant_t record) { AppendCells(RecordCells(record)); });
        Members().Method(1027, "Delete", [this] { Delete(); });
        Members().Method(1028, "DisableControls", [this] { model_->DisableControls(); });
        Members().Method(1029, "Edit", [this] {
            CurrentRow();
            state_->editing = true;
        });
        Members().Method(1030, "EnableControls", [this] { model_->EnableControls(); });
        Members().Method(1035, "First", [this] { model_->MoveTo(0); });
        Members().Method(1039, "MoveToRecord", [this](int record) { model_->MoveTo(record - 1); });
        Members().Method(1043, "Last", [this] { model_->MoveTo(model_->Dataset().RowCount() - 1); });
        Members().Method(1045, "Next", [this] { model_->MoveTo(model_->Selection().Focused() + 1); });
        Members().Method(1046, "Post", [this] {
            state_->editing = false;
            model_->Changed();
        });
        Members().Method(1047, "Prior", [this] { model_->MoveTo(model_->Selection().Focused() - 1); });
        Members().Get(1060, "FieldDefs", [this] { return IDispatchPtr(new FieldDefsObject(model_, state_), false); });
        Members().Put(1064, "FieldValue", [this](std::string field, _variant_t value) { SetFieldValue(field, value); });
    }

private:
    void Open()
    {
        if (model_->Dataset().FieldCount() == 0)
            Fail("The dataset has no fields.");
        state_->active = true;
    }
    void Close()
    {
        state_->active = false;
        state_->editing = false;
        model_->Dataset().Clear();
        model_->Changed();
    }
    int CurrentRow() const
    {
        const int row = model_->Selection().Focused();
        if (row < 0 || row >= model_->Dataset().RowCount())
            Fail("The dataset has no current record.");
        return row;
    }
    void AppendCells(const std::vector<std::optional<std::string>>& cells)
    {
        if (!state_->active)
            Fail("The dataset is not open.");
        std::vector<std::optional<std::string_view>> views(cells.begin(), cells.end());
        if (!model_->Dataset().Append(views))
            Fail("The record has more values than the dataset has fields.", DISP_E_BADPARAMCOUNT);
        model_->MoveTo(model_->Dataset().RowCount() - 1);
    }
    void Delete()
    {
        const int row = CurrentRow();
        model_->Dataset().Delete(row);
        model_->Selection().Deselect(row);
        state_->editing = false;
        // The record after the deleted one becomes current, or the new last one.
        model_->MoveTo(std::min(row, model_->Dataset().RowCount() - 1));
        model_->Changed();
    }
    void SetFieldValue(const std::string& field, const _variant_t& value)
    {
        const int row = CurrentRow();
        if (!state_->editing)
            Fail("The dataset is not in edit or insert state.");
        const int index = model_->Dataset().FieldIndex(field);
        if (index < 0)
            Fail("No field of that name.", DISP_E_MEMBERNOTFOUND);
        const std::optional<std::string> text = CellText(value);
        model_->Dataset().SetText(row, index, text ? std::optional<std::string_view>(*text) : std::nullopt);
        model_->Changed();
    }

    ModelPtr model_;
    StatePtr state_;
};

class ViewObject : public tw::com::DispatchObject<IDispatch> {
public:
    explicit ViewObject(ModelPtr model) : model_(std::move(model))
    {
        Members().Method(209, "DeleteSelection", [this] { return model_->DeleteSelectedRows(); });
        // Called once a result set has loaded: the columns take the width of their text.
        Members().Method(214, "BestFit", [this] { model_->BestFitColumns(); });
        Members().Method(260, "SaveToText", [this](std::string path) { Save(path, GridExport::Text(*model_)); });
        Members().Method(273, "SaveToHtml", [this](std::string path) { Save(path, GridExport::Html(*model_)); });
        Members().Method(274, "SaveToExcel", [this](std::string path) {
            std::string error;
            if (!GridWorkbook::Write(*model_, path, error))
                Fail(("The workbook cannot be written: " + error).c_str());
        });
        Members().Method(275, "SaveToXml", [this](std::string path) { Save(path, GridExport::Xml(*model_)); });
    }

private:
    static void Save(const std::string& path, const std::string& contents)
    {
        if (!GridExport::WriteFile(path, contents))
            Fail("The file cannot be written.");
    }

    ModelPtr model_;
};

}  // namespace gridauto_detail



void RegisterClasses()
{
    GridView::RegisterWindowClass();
    tw::com::ClassRegistry::Instance().Register(CLSID_DataGrid, {"TwDataGrid.Grid"},
                                                tw::com::ClassRegistry::FactoryOf<GridControlObject>());
}

GridControlObject::GridControlObject()
    : model_(std::make_shared<GridModel>()), dataset_(std::make_shared<GridDatasetState>())
{
    Members().Get(1, "Columns", [this] { return IDispatchPtr(new gridauto_detail::ColumnsObject(model_), false); });
    Members().Put(3, "OptionIndex", [this](int index) { optionIndex_ = index; });
    Members().Put(4, "OptionValue", [this](bool value) {
        if (optionIndex_ < 0)
            gridauto_detail::Fail("No option is chosen.");
        options_[optionIndex_] = value;
    });
    Members().Put(5, "OptionExIndex", [this](int index) { optionExIndex_ = index; });
    Members().Put(6, "OptionExValue", [this](bool value) {
        if (optionExIndex_ < 0)
            gridauto_detail::Fail("No option is chosen.");
        optionsEx_[optionExIndex_] = value;
    });
    Members().Get(7, "Node", [this](int row) { return gridauto_detail::MakeNode(model_, row); });
    Members().Get(9, "Count", [this] { return model_->Dataset().RowCount(); });
    Members().Put(10, "KeyField", [this](std::string name) { keyField_ = name; });
    Members().Get(10, "KeyField", [this] { return keyField_; });
    Members().Get(18, "Selection", [this] { return IDispatchPtr(new gridauto_detail::SelectionObject(model_), false); });
    Members().Get(19, "Dataset", [this] { return IDispatchPtr(new gridauto_detail::DatasetObject(model_, dataset_), false); });
    for (DISPID id : {41, 46}) {
        const std::string name = "Property" + std::to_string(id);
        Members().Put(id, name, [this, id](_variant_t value) { settings_[id] = value; });
        Members().Get(id, name, [this, id] { return settings_[id]; });
    }
    Members().Get(17, "View", [this] { return IDispatchPtr(new gridauto_detail::ViewObject(model_), false); });
    Members().Put(20, "DatasetType", [this](int type) { datasetType_ = type; });
    Members().Get(20, "DatasetType", [this] { return datasetType_; });
}

GridControlObject::~GridControlObject()
{
    if (OwnsLiveWindow())
        DestroyWindow(window_);
}

HWND GridControlObject::GridWindow()
{
    return OwnsLiveWindow() ? window_ : nullptr;
}

bool GridControlObject::OwnsLiveWindow() const
{
    // A handle whose window is gone may since name another window.
    GridView* view = GridView::FromHandle(window_);
    return view && &view->Model() == model_.get();
}

bool GridControlObject::Option(int index, bool& value) const
{
    auto it = options_.find(index);
    if (it == options_.end())
        return false;
    value = it->second;
    return true;
}

HWND GridControlObject::CreateGridWindow(HWND parent, const RECT& rect, UINT id, DWORD style, LPCSTR windowName)
{
    if (OwnsLiveWindow())
        return nullptr;
    GridView::RegisterWindowClass();
    HWND hwnd = CreateWindowEx(0, GridView::kClassName, windowName ? windowName : "", style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    GridView* view = GridView::FromHandle(hwnd);
    if (!view)
        return nullptr;
    view->SetModel(model_);
    window_ = hwnd;
    return hwnd;
}

}  // namespace tw::grid
