#include "platform/controls/grid/GridAutomation.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/com/ClassRegistry.h"
#include "platform/com/ErrorInfo.h"
#include "platform/com/SafeArray.h"
#include "platform/win32/resource/DlgInitResource.h"
#include "platform/controls/grid/GridExport.h"
#include "platform/controls/grid/GridLayout.h"
#include "platform/controls/grid/GridHosting.h"
#include "platform/controls/grid/GridView.h"
#include "platform/controls/grid/GridWorkbook.h"

namespace tw::grid {

namespace gridauto_detail {

using ModelPtr = std::shared_ptr<GridModel>;

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

using SettingsPtr = std::shared_ptr<GridSettings>;

GridColumn& ColumnOf(const ModelPtr& model, int index)
{
    GridColumn* column = model->Columns().Item(index);
    if (!column)
        Fail("The column no longer exists.", DISP_E_BADINDEX);
    return *column;
}

// Exposes column properties that have no behaviour of their own, kept in the
// column (so every object over it sees them) under key base + id.
template <class Members>
void ExposeNumbered(Members& members, const ModelPtr& model, int column, int base, std::initializer_list<DISPID> ids)
{
    for (DISPID id : ids) {
        const std::string name = "Property" + std::to_string(id);
        members.Put(id, name, [model, column, key = base + int(id)](int value) { ColumnOf(model, column).numbered[key] = value; });
        members.Get(id, name, [model, column, key = base + int(id)] {
            const auto& numbered = ColumnOf(model, column).numbered;
            auto it = numbered.find(key);
            return it == numbered.end() ? 0 : it->second;
        });
    }
}

class NodeObject : public GridDispatchObject<IDispatch> {
public:
    NodeObject(ModelPtr model, int row) : GridDispatchObject(model.get()), model_(std::move(model)), row_(row)
    {
        Members().Get(17, "Index", [this] { return row_; });
        Members().Get(27, "CellText", [this](int column) { return CellTextOf(column); });
    }

private:
    std::string CellTextOf(int column) const
    {
        if (!model_->Columns().Item(column) || row_ >= model_->Dataset().RowCount())
            Fail("No such cell.", DISP_E_BADINDEX);
        // A column without a field (a template column) reads empty.
        return std::string(model_->Dataset().Text(row_, model_->FieldOfColumn(column)));
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

class SelectionObject : public GridDispatchObject<IDispatch> {
public:
    explicit SelectionObject(ModelPtr model) : GridDispatchObject(model.get()), model_(std::move(model))
    {
        Members().Get(125, "Count", [this] { return model_->Selection().Count(); });
        Members().Get(126, "Item", [this](int index) {
            const auto& rows = model_->Selection().Rows();
            if (index < 0 || index >= int(rows.size()))
                Fail("No such selected row.", DISP_E_BADINDEX);
            return MakeNode(model_, rows[size_t(index)]);
        });
        // The row the user works on among the selected ones.
        Members().Get(135, "FocusedNode", [this] { return MakeNode(model_, model_->Selection().Focused()); });
    }

private:
    ModelPtr model_;
};

// A column's pick-list strings.
class StringsObject : public GridDispatchObject<IDispatch> {
public:
    StringsObject(ModelPtr model, int column)
        : GridDispatchObject(model.get()), model_(std::move(model)), column_(column)
    {
        Members().Get(1, "Count", [this] { return int(List().size()); });
        Members().Method(10, "Add", [this](std::string text) {
            List().push_back(text);
            return int(List().size()) - 1;
        });
        Members().Method(14, "Clear", [this] { List().clear(); });
    }

private:
    std::vector<std::string>& List() { return ColumnOf(model_, column_).pickList; }

    ModelPtr model_;
    int column_;
};

class EditorObject : public GridDispatchObject<IDispatch> {
public:
    EditorObject(ModelPtr model, int column)
        : GridDispatchObject(model.get()), model_(std::move(model)), column_(column)
    {
        Members().Get(151, "Items", [this] { return IDispatchPtr(new StringsObject(model_, column_), false); });
        ExposeNumbered(Members(), model_, column_, 0, {152, 153});
    }

private:
    ModelPtr model_;
    int column_;
};

// The sub-objects a column hands out by properties 49 and 50.
class ColumnPartObject : public GridDispatchObject<IDispatch> {
public:
    ColumnPartObject(const ModelPtr& model, int column, int part) : GridDispatchObject(model.get()), model_(model)
    {
        ExposeNumbered(Members(), model_, column, part * 1000, {part == 49 ? 105 : 115});
    }

private:
    ModelPtr model_;
};

class ColumnObject : public GridDispatchObject<IDispatch> {
public:
    ColumnObject(ModelPtr model, int index) : GridDispatchObject(model.get()), model_(std::move(model)), index_(index)
    {
        Members().Get(4, "Caption", [this] { return Column().caption; });
        Members().Put(4, "Caption", [this](std::string text) {
            Column().caption = text;
            Changed();
        });
        Members().Put(14, "Name", [this](std::string text) { Column().name = text; });
        Members().Get(14, "Name", [this] { return Column().name; });
        Members().Put(24, "Editable", [this](bool editable) { Column().editable = editable; });
        Members().Get(24, "Editable", [this] { return Column().editable; });
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
        Members().Put(46, "EditorKind", [this](int kind) {
            if (!IsEditorKind(kind))
                Fail("No editor has that kind.", DISP_E_OVERFLOW);
            Column().editor = EditorKind(kind);
            Changed();
        });
        Members().Get(46, "EditorKind", [this] { return int(Column().editor); });
        Members().Get(47, "Index", [this] {
            Column();
            return index_;
        });
        for (int part : {49, 50}) {
            Members().Get(part, "Property" + std::to_string(part), [this, part] {
                Column();
                return IDispatchPtr(new ColumnPartObject(model_, index_, part), false);
            });
        }
        Members().Get(53, "Editor", [this] {
            Column();
            return IDispatchPtr(new EditorObject(model_, index_), false);
        });
        Members().Method(64, "DropDownOnOpen", [this] { Column().numbered[64] = 1; });
        ExposeNumbered(Members(), model_, index_, 0, {1, 19, 25, 115});
    }

private:
    GridColumn& Column() { return ColumnOf(model_, index_); }
    void Changed() { model_->Changed(); }

    ModelPtr model_;
    int index_;
};

IDispatchPtr MakeColumn(const ModelPtr& model, int index)
{
    if (!model->Columns().Item(index))
        Fail("No such column.", DISP_E_BADINDEX);
    return IDispatchPtr(new ColumnObject(model, index), false);
}

class ColumnsObject : public GridDispatchObject<IDispatch> {
public:
    explicit ColumnsObject(ModelPtr model) : GridDispatchObject(model.get()), model_(std::move(model))
    {
        Members().Get(0, "Item", [this](int index) { return MakeColumn(model_, index); });
        Members().Get(1, "Count", [this] { return model_->Columns().Count(); });
        Members().Method(2, "Add", [this](std::optional<int>) {
            const int index = model_->Columns().Add();
            model_->Changed();
            return MakeColumn(model_, index);
        });
        Members().Method(317, "DestroyColumns", [this] {
            model_->Columns().Destroy();
            model_->Changed();
        });
        // The process monitor asks for "SPID" meaning the column of that field,
        // the parameter dialog for template columns by their own name.
        Members().Method(321, "ColumnByName",
                         [this](std::string name) { return MakeColumn(model_, model_->Columns().FindByFieldThenName(name)); });
        Members().Method(322, "ColumnByFieldName",
                         [this](std::string name) { return MakeColumn(model_, model_->Columns().FindByNameThenField(name)); });
        Members().Method(332, "RetrieveFields", [this] { RetrieveFields(); });
    }

private:
    // A column for every field that no column shows yet, in field order.
    void RetrieveFields()
    {
        const GridDataset& dataset = model_->Dataset();
        for (int f = 0; f < dataset.FieldCount(); ++f) {
            const std::string& name = dataset.Field(f).name;
            if (model_->Columns().IndexByFieldName(name) >= 0)
                continue;
            GridColumn column;
            column.name = column.caption = column.fieldName = name;
            model_->Columns().Add(std::move(column));
        }
        model_->Changed();
    }

    ModelPtr model_;
};

class FieldDefsObject : public GridDispatchObject<IDispatch> {
public:
    explicit FieldDefsObject(ModelPtr model) : GridDispatchObject(model.get()), model_(std::move(model))
    {
        Members().Method(1201, "Add", [this](std::string name, int type, int size) {
            if (model_->Active())
                Fail("Fields cannot be defined while the dataset is open.");
            if (!model_->Dataset().AddField({name, FieldType(type), size}))
                Fail("The field name is empty or already defined.");
        });
    }

private:
    ModelPtr model_;
};

class DatasetSettingsObject : public GridDispatchObject<IDispatch> {
public:
    DatasetSettingsObject(ModelPtr model, SettingsPtr settings)
        : GridDispatchObject(model.get()), model_(std::move(model)), settings_(std::move(settings))
    {
        for (DISPID id : {1104, 1105, 1106}) {
            const std::string name = "Property" + std::to_string(id);
            Members().Put(id, name, [this, id](int value) { settings_->datasetSettings[id] = value; });
            Members().Get(id, name, [this, id] { return settings_->datasetSettings[id]; });
        }
        Members().Method(1111, "Refresh", [this] {
            std::string error;
            if (!settings_->binding.Refresh(error))
                Fail(error.c_str());
        });
        Members().Method(1113, "Save", [this](std::optional<int>) {
            std::string error;
            if (!settings_->binding.Save(error))
                Fail(error.c_str());
        });
    }

private:
    ModelPtr model_;
    SettingsPtr settings_;
};

class DatasetObject : public GridDispatchObject<IDispatch> {
public:
    DatasetObject(ModelPtr model, SettingsPtr settings)
        : GridDispatchObject(model.get()), model_(std::move(model)), settings_(std::move(settings))
    {
        Members().Put(1001, "Active", [this](bool active) { active ? Open() : Close(); });
        Members().Get(1001, "Active", [this] { return model_->Active(); });
        Members().Method(1005, "Close", [this] { Close(); });
        Members().Method(1012, "Open", [this] { Open(); });
        Members().Get(1020, "RecordCount", [this] { return model_->Dataset().RowCount(); });
        Members().Method(1024, "Append", [this] {
            if (!model_->Insert())
                Fail(model_->Active() ? "The record cannot be appended." : "The dataset is not open.");
        });
        Members().Method(1025, "AppendRecord", [this](_variant_t record) { AppendCells(RecordCells(record)); });
        Members().Method(1027, "Delete", [this] { Delete(); });
        Members().Method(1028, "DisableControls", [this] { model_->DisableControls(); });
        Members().Method(1029, "Edit", [this] {
            CurrentRow();
            if (!model_->Edit())
                Fail("The dataset is not open.");
        });
        Members().Method(1030, "EnableControls", [this] { model_->EnableControls(); });
        Members().Method(1035, "First", [this] { model_->MoveTo(0); });
        Members().Method(1039, "MoveToRecord", [this](int record) { model_->MoveTo(record - 1); });
        Members().Method(1043, "Last", [this] { model_->MoveTo(model_->Dataset().RowCount() - 1); });
        Members().Method(1045, "Next", [this] { model_->MoveTo(model_->Selection().Focused() + 1); });
        Members().Method(1046, "Post", [this] { model_->Post(); });
        Members().Method(1047, "Prior", [this] { model_->MoveTo(model_->Selection().Focused() - 1); });
        Members().Get(1053, "Settings", [this] { return IDispatchPtr(new DatasetSettingsObject(model_, settings_), false); });
        Members().Get(1060, "FieldDefs", [this] { return IDispatchPtr(new FieldDefsObject(model_), false); });
        Members().Put(1064, "FieldValue", [this](std::string field, _variant_t value) { SetFieldValue(field, value); });
    }

protected:
    // A worker's AppendRecord of plain text cells waits for nothing: the row
    // is packed for the window's thread, which is told when the first is waiting.
    bool TakeOffThread(DISPID id, WORD flags, DISPPARAMS* params, HWND window) override
    {
        if (id != 1025 || !(flags & DISPATCH_METHOD) || !params || params->cArgs != 1 || params->cNamedArgs != 0)
            return false;
        const GridRowIntake::Offer offer = model_->Intake().Take(params->rgvarg[0]);
        if (offer != GridRowIntake::Offer::Refused && model_->Intake().ClaimWake() &&
            !PostMessage(window, GridThreadCall::Message(), 0, 0))
            model_->Intake().WakeHandled();
        return offer != GridRowIntake::Offer::Refused;
    }

private:
    void Open()
    {
        if (!model_->Open())
            Fail("The dataset has no fields.");
    }
    void Close()
    {
        settings_->binding.Unbind();
        model_->Close();
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
        if (!model_->Active())
            Fail("The dataset is not open.");
        if (int(cells.size()) > model_->Dataset().FieldCount())
            Fail("The record has more values than the dataset has fields.", DISP_E_BADPARAMCOUNT);
        if (model_->Bound()) {
            AppendThroughWriter(cells);
            return;
        }
        const std::vector<std::optional<std::string_view>> views(cells.begin(), cells.end());
        if (!model_->AppendRow(views))
            Fail("The record cannot be appended.");
    }
    void AppendThroughWriter(const std::vector<std::optional<std::string>>& cells)
    {
        if (!model_->Insert())
            Fail("The record cannot be appended.");
        const int row = model_->Dataset().RowCount() - 1;
        for (size_t f = 0; f < cells.size(); ++f) {
            if (!model_->SetValue(row, int(f), cells[f] ? std::optional<std::string_view>(*cells[f]) : std::nullopt))
                Fail("A value does not fit its field.", DISP_E_TYPEMISMATCH);
        }
        model_->Post();
    }
    void Delete()
    {
        const int row = CurrentRow();
        model_->Post();
        if (!model_->DeleteRow(row))
            Fail("The record cannot be deleted.");
        // The record after the deleted one becomes current, or the new last one.
        model_->Selection().SetFocused(-1);
        model_->MoveTo(std::min(row, model_->Dataset().RowCount() - 1));
        model_->Changed();
    }
    void SetFieldValue(const std::string& field, const _variant_t& value)
    {
        const int row = CurrentRow();
        if (!model_->Editing())
            Fail("The dataset is not in edit or insert state.");
        const int index = model_->Dataset().FieldIndex(field);
        if (index < 0)
            Fail("No field of that name.", DISP_E_MEMBERNOTFOUND);
        const std::optional<std::string> text = CellText(value);
        if (!model_->SetValue(row, index, text ? std::optional<std::string_view>(*text) : std::nullopt))
            Fail("The value does not fit the field.", DISP_E_TYPEMISMATCH);
        model_->Changed();
    }

    ModelPtr model_;
    SettingsPtr settings_;
};

class ViewObject : public GridDispatchObject<IDispatch> {
public:
    explicit ViewObject(ModelPtr model) : GridDispatchObject(model.get()), model_(std::move(model))
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

// The grid's look: method 2 picks one by number, property 2 reads it back.
class LookObject : public GridDispatchObject<IDispatch> {
public:
    LookObject(ModelPtr model, SettingsPtr settings)
        : GridDispatchObject(model.get()), model_(std::move(model)), settings_(std::move(settings))
    {
        Members().Method(2, "ApplyLook", [this](int look) { settings_->look = look; });
        Members().Get(2, "Look", [this] { return settings_->look; });
    }

private:
    ModelPtr model_;
    SettingsPtr settings_;
};

}  // namespace gridauto_detail

IDispatchPtr NewNodeObject(const std::shared_ptr<GridModel>& model, int row)
{
    return gridauto_detail::MakeNode(model, row);
}

IDispatchPtr NewColumnObject(const std::shared_ptr<GridModel>& model, int column)
{
    return gridauto_detail::MakeColumn(model, column);
}

void RegisterClasses()
{
    GridView::RegisterWindowClass();
    tw::com::ClassRegistry::Instance().Register(CLSID_DataGrid, {"TwDataGrid.Grid"},
                                                tw::com::ClassRegistry::FactoryOf<GridControlObject>());
    RegisterHostedGrid();
}

GridControlObject::GridControlObject()
    : model_(std::make_shared<GridModel>()), settings_(std::make_shared<GridSettings>(*model_)), points_(this)
{
    using namespace gridauto_detail;
    SetOwner(model_.get());
    firer_ = std::make_unique<GridEventFirer>(model_, points_.Add(DIID_DataGridEvents));
    model_->SetEvents(firer_.get());
    Members().Get(1, "Columns", [this] { return IDispatchPtr(new ColumnsObject(model_), false); });
    Members().Get(2, "Property2", [this] { return IDispatchPtr(new LookObject(model_, settings_), false); });
    Members().Put(3, "OptionIndex", [this](int index) { optionIndex_ = index; });
    Members().Put(4, "OptionValue", [this](bool value) {
        if (optionIndex_ < 0)
            Fail("No option is chosen.");
        options_[optionIndex_] = value;
    });
    Members().Put(5, "OptionExIndex", [this](int index) { optionExIndex_ = index; });
    Members().Put(6, "OptionExValue", [this](bool value) {
        if (optionExIndex_ < 0)
            Fail("No option is chosen.");
        optionsEx_[optionExIndex_] = value;
    });
    Members().Get(7, "Node", [this](int row) { return MakeNode(model_, row); });
    Members().Get(9, "Count", [this] { return model_->Dataset().RowCount(); });
    Members().Put(10, "KeyField", [this](std::string name) { keyField_ = name; });
    Members().Get(10, "KeyField", [this] { return keyField_; });
    Members().Get(17, "View", [this] { return IDispatchPtr(new ViewObject(model_), false); });
    Members().Get(18, "Selection", [this] { return IDispatchPtr(new SelectionObject(model_), false); });
    Members().Get(19, "Dataset", [this] { return IDispatchPtr(new DatasetObject(model_, settings_), false); });
    Members().Put(20, "DatasetType", [this](int type) { datasetType_ = type; });
    Members().Get(20, "DatasetType", [this] { return datasetType_; });
    for (DISPID id : {41, 46}) {
        const std::string name = "Property" + std::to_string(id);
        Members().Put(id, name, [this, id](_variant_t value) { numbered_[id] = value; });
        Members().Get(id, name, [this, id] { return numbered_[id]; });
    }
    Members().PutRef(55, "Recordset", [this](ADODB::_Recordset* recordset) {
        std::string error;
        if (!settings_->binding.Bind(recordset, error))
            Fail(error.c_str());
    });
    Members().Get(55, "Recordset", [this] { return IUnknownPtr(settings_->binding.Recordset()); });
}

GridControlObject::~GridControlObject()
{
    if (OwnsLiveWindow())
        DestroyWindow(window_);
    settings_->binding.Unbind();
    model_->SetEvents(nullptr);
}

HRESULT GridControlObject::EnumConnectionPoints(IEnumConnectionPoints** ppEnum)
{
    if (ppEnum)
        *ppEnum = nullptr;
    return E_NOTIMPL;
}

HRESULT GridControlObject::FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP)
{
    return points_.Find(riid, ppCP);
}

HRESULT GridControlObject::LoadLayout(const BYTE* data, ULONG size)
{
    if (!data && size)
        return E_POINTER;
    std::string error;
    const auto layout = GridLayout::Parse(std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!layout) {
        tw::com::ReportError(E_INVALIDARG, "DataGrid", ("The stored layout is damaged: " + error).c_str());
        return E_INVALIDARG;
    }
    settings_->binding.Unbind();
    layout->ApplyTo(*model_);
    keyField_ = layout->keyField;
    datasetType_ = layout->datasetType;
    return S_OK;
}

HRESULT LoadGridLayout(IUnknown* grid, HINSTANCE module, LPCSTR templateName, WORD controlId)
{
    if (!grid)
        return E_POINTER;
    const auto state = tw::res::LoadControlState(module, templateName, controlId);
    if (!state)
        return S_FALSE;
    IGridLayout* layout = nullptr;
    if (FAILED(grid->QueryInterface(IID_IGridLayout, reinterpret_cast<void**>(&layout))))
        return E_NOINTERFACE;
    const HRESULT hr = layout->LoadLayout(state->data(), ULONG(state->size()));
    layout->Release();
    return hr;
}

bool GridControlObject::OptionEx(int index, bool& value) const
{
    auto it = optionsEx_.find(index);
    if (it == optionsEx_.end())
        return false;
    value = it->second;
    return true;
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
