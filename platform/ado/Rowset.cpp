#include "platform/ado/Rowset.h"

#include <strings.h>

#include "platform/win32/kernel/Utf8Text.h"

namespace tw::ado {

int Rowset::FieldIndex(std::string_view name) const
{
    for (size_t i = 0; i < fields.size(); ++i) {
        const std::string& candidate = fields[i].name;
        if (candidate.size() == name.size() && strncasecmp(candidate.data(), name.data(), name.size()) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

Record& Rowset::AppendRecord(std::vector<_variant_t> values)
{
    Record record;
    record.values = std::move(values);
    record.bookmark = nextBookmark++;
    records.push_back(std::move(record));
    return records.back();
}

bool Rowset::HasPendingChanges() const
{
    for (const Record& record : records)
        if (record.status != RecordStatus::Unmodified)
            return true;
    return false;
}

long ActualSizeOf(const VARIANT& value, const FieldInfo& field)
{
    switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return 0;
    case VT_BSTR: {
        const bool wide = field.type == ADODB::adWChar || field.type == ADODB::adVarWChar ||
                          field.type == ADODB::adLongVarWChar || field.type == ADODB::adBSTR;
        const size_t units = SysStringLen(value.bstrVal);
        if (wide)
            return static_cast<long>(units * 2);
        return static_cast<long>(tw::Utf16ToUtf8(std::u16string_view(value.bstrVal, units)).size());
    }
    case VT_ARRAY | VT_UI1:
        return static_cast<long>(value.parray->rgsabound[0].cElements);
    default:
        return field.definedSize;
    }
}

} // namespace tw::ado
