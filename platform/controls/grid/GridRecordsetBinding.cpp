#include "platform/controls/grid/GridRecordsetBinding.h"

namespace tw::grid {

namespace gridbinding_detail {

std::string ErrorText(const _com_error& error)
{
    const _bstr_t description = error.Description();
    const char* text = description;
    return text && *text ? std::string(text) : std::string("The recordset refused the call.");
}

std::optional<std::string> ValueText(const _variant_t& value)
{
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return std::nullopt;
    const _bstr_t text = static_cast<_bstr_t>(value);
    const char* utf8 = text;
    return std::string(utf8 ? utf8 : "");
}

}  // namespace gridbinding_detail

using gridbinding_detail::ErrorText;
using gridbinding_detail::ValueText;

GridRecordsetBinding::~GridRecordsetBinding()
{
    Unbind();
}

bool GridRecordsetBinding::Bind(ADODB::_Recordset* recordset, std::string& error)
{
    Unbind();
    if (!recordset) {
        error = "No recordset was given.";
        return false;
    }
    recordset_ = recordset;
    if (!Load(error)) {
        Unbind();
        return false;
    }
    return true;
}

void GridRecordsetBinding::Unbind()
{
    if (!recordset_)
        return;
    model_.SetRecordWriter(nullptr);
    recordset_ = nullptr;
    bookmarks_.clear();
}

bool GridRecordsetBinding::Load(std::string& error)
{
    model_.SetRecordWriter(nullptr);
    model_.Close();
    bookmarks_.clear();
    try {
        if (recordset_->GetState() == ADODB::adStateClosed) {
            error = "The recordset is not open.";
            return false;
        }
        ADODB::FieldsPtr fields = recordset_->GetFields();
        const long count = fields->GetCount();
        GridDataset& dataset = model_.Dataset();
        dataset.ClearFields();
        for (long i = 0; i < count; ++i) {
            ADODB::FieldPtr field = fields->GetItem(_variant_t(i));
            const _bstr_t name = field->GetName();
            const char* utf8 = name;
            dataset.AddField({utf8 ? utf8 : "", FieldType::String, int(field->GetDefinedSize())});
        }
        model_.DisableControls();
        if (!recordset_->GetBOF() || !recordset_->GetEOF())
            recordset_->MoveFirst();
        for (; !recordset_->GetEOF(); recordset_->MoveNext()) {
            std::vector<std::optional<std::string>> cells;
            for (long i = 0; i < count; ++i)
                cells.push_back(ValueText(fields->GetItem(_variant_t(i))->GetValue()));
            std::vector<std::optional<std::string_view>> views(cells.begin(), cells.end());
            dataset.Append(views);
            bookmarks_.push_back(recordset_->GetBookmark());
        }
        model_.EnableControls();
    } catch (const _com_error& failure) {
        while (model_.ControlsDisabled())
            model_.EnableControls();
        error = ErrorText(failure);
        return false;
    }
    model_.Open();
    model_.SetRecordWriter(this);
    model_.MoveTo(0);
    return true;
}

bool GridRecordsetBinding::Save(std::string& error)
{
    if (!recordset_) {
        error = "The grid is not bound to a recordset.";
        return false;
    }
    model_.Post();
    try {
        recordset_->UpdateBatch(ADODB::adAffectAll);
    } catch (const _com_error& failure) {
        error = ErrorText(failure);
        return false;
    }
    return true;
}

bool GridRecordsetBinding::Refresh(std::string& error)
{
    if (!recordset_) {
        error = "The grid is not bound to a recordset.";
        return false;
    }
    model_.Post();
    try {
        recordset_->Requery(ADODB::adOptionUnspecified);
    } catch (const _com_error& failure) {
        error = ErrorText(failure);
        return false;
    }
    return Load(error);
}

bool GridRecordsetBinding::MoveToRow(int row)
{
    if (row < 0 || row >= int(bookmarks_.size()))
        return false;
    recordset_->PutBookmark(bookmarks_[size_t(row)]);
    return true;
}

bool GridRecordsetBinding::StoreValue(int row, int field, std::optional<std::string_view> value)
{
    try {
        if (!MoveToRow(row))
            return false;
        _variant_t stored;
        if (value)
            stored = _variant_t(std::string(*value).c_str());
        else
            stored.vt = VT_NULL;
        recordset_->GetFields()->GetItem(_variant_t(long(field)))->PutValue(stored);
        recordset_->Update();
    } catch (const _com_error&) {
        // The value does not fit the field (a letter in a number): the cell keeps its old value.
        try {
            recordset_->CancelUpdate();
        } catch (const _com_error&) {
        }
        return false;
    }
    return true;
}

bool GridRecordsetBinding::AppendRecord()
{
    try {
        recordset_->AddNew();
        recordset_->Update();
        bookmarks_.push_back(recordset_->GetBookmark());
    } catch (const _com_error&) {
        return false;
    }
    return true;
}

bool GridRecordsetBinding::DeleteRecord(int row)
{
    try {
        if (!MoveToRow(row))
            return false;
        recordset_->Delete(ADODB::adAffectCurrent);
    } catch (const _com_error&) {
        return false;
    }
    bookmarks_.erase(bookmarks_.begin() + row);
    return true;
}

}  // namespace tw::grid
