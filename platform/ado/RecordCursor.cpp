#include "platform/ado/RecordCursor.h"

#include "platform/ado/AdoFailure.h"

namespace tw::ado {

namespace cursordetail {
constexpr HRESULT kMultipleStepErrors = static_cast<HRESULT>(0x80040E21u);
} // namespace cursordetail

void RecordCursor::RequireOpen()
{
    if (open && period && period->load() != readInPeriod)
        open = false;
    if (!open)
        Fail(ADODB::adErrObjectClosed);
}

Record& RecordCursor::Current()
{
    RequireOpen();
    if (AtEnd())
        Fail(ADODB::adErrNoCurrentRecord);
    Record& record = rowset->records[position];
    if (record.status == RecordStatus::Deleted)
        Fail(ADODB::adErrNoCurrentRecord);
    return record;
}

void RecordCursor::SetValue(int field, const _variant_t& value)
{
    if (!Updatable())
        Fail(ADODB::adErrFeatureNotAvailable);
    Record& record = Current();
    _variant_t coerced = CoerceToField(value, rowset->fields[field]);
    if (record.status == RecordStatus::Unmodified) {
        record.original = record.values;
        record.status = RecordStatus::Modified;
    }
    record.values[field] = std::move(coerced);
    if (editMode == ADODB::adEditNone)
        editMode = ADODB::adEditInProgress;
}

VARTYPE VariantTypeOf(ADODB::DataTypeEnum type)
{
    switch (type) {
    case ADODB::adBoolean: return VT_BOOL;
    case ADODB::adTinyInt: return VT_I1;
    case ADODB::adUnsignedTinyInt: return VT_UI1;
    case ADODB::adSmallInt: return VT_I2;
    case ADODB::adInteger: return VT_I4;
    case ADODB::adBigInt: return VT_I8;
    case ADODB::adSingle: return VT_R4;
    case ADODB::adDouble: return VT_R8;
    case ADODB::adCurrency: return VT_CY;
    case ADODB::adNumeric:
    case ADODB::adDecimal: return VT_DECIMAL;
    case ADODB::adDate:
    case ADODB::adDBDate:
    case ADODB::adDBTime:
    case ADODB::adDBTimeStamp: return VT_DATE;
    case ADODB::adBSTR:
    case ADODB::adChar:
    case ADODB::adVarChar:
    case ADODB::adLongVarChar:
    case ADODB::adWChar:
    case ADODB::adVarWChar:
    case ADODB::adLongVarWChar:
    case ADODB::adGUID: return VT_BSTR;
    default: return VT_EMPTY;
    }
}

_variant_t CoerceToField(const _variant_t& value, const FieldInfo& field)
{
    const VARTYPE target = VariantTypeOf(field.type);
    if (target == VT_EMPTY || value.vt == VT_NULL || value.vt == VT_EMPTY || value.vt == target)
        return value;
    VARIANT converted;
    VariantInit(&converted);
    const USHORT flags = target == VT_BSTR ? VARIANT_ALPHABOOL : 0;
    if (FAILED(VariantChangeType(&converted, &value, flags, target)))
        FailWith(cursordetail::kMultipleStepErrors,
                 "Multiple-step operation generated errors. Check each status value.");
    return _variant_t(converted, false);
}

} // namespace tw::ado

namespace tw::ado {

std::vector<ProviderMessage> RecordCursor::Pull()
{
    std::vector<Record>& records = rowset->records;
    while (stream && !beforeFirst && position >= static_cast<long>(records.size())) {
        windowStart += static_cast<long>(records.size());
        position -= static_cast<long>(records.size());
        records.clear();
        if (!stream->Next(records)) {
            heldErrors = stream->TakeErrors();
            stream = nullptr;
        }
    }
    if (!beforeFirst && position >= static_cast<long>(records.size()))
        return std::move(heldErrors);
    return {};
}

void RecordCursor::PullAll()
{
    std::vector<Record> page;
    while (stream && stream->Next(page))
        rowset->records.insert(rowset->records.end(), std::make_move_iterator(page.begin()),
                               std::make_move_iterator(page.end()));
    if (stream)
        heldErrors = stream->TakeErrors();
    stream = nullptr;
}

bool RecordCursor::Empty() const
{
    if (windowStart > 0)
        return false;
    for (const Record& record : rowset->records)
        if (record.status != RecordStatus::Deleted)
            return false;
    return true;
}

} // namespace tw::ado
