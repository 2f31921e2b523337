// How server values become VARIANTs of their field's type, and VARIANTs
// become T-SQL literals when edited rows are written back.
#pragma once

#include <string>

#include "platform/ado/Rowset.h"
#include "platform/server/Value.h"

namespace tw::ado {

// The field a result column describes: its type by the server's type name.
FieldInfo FieldFromColumn(const tw::server::ColumnInfo& column);

// Numbers, money as VT_CY, dates as VT_DATE, binary as VT_ARRAY|VT_UI1,
// NULL as VT_NULL.
_variant_t VariantFromValue(const tw::server::Value& value, const FieldInfo& field);

// A T-SQL literal for the value ("NULL", 12, 12.5, N'text', 0x0A0B, '2003-04-05 10:20:30.000').
std::string SqlLiteral(const VARIANT& value);

// "[name]" with closing brackets doubled.
std::string QuoteName(const std::string& name);

// A VT_ARRAY|VT_UI1 of the bytes.
_variant_t BinaryVariant(const std::string& bytes);
std::string BytesOf(const VARIANT& value);

// DATE <-> "YYYY-MM-DD hh:mm:ss.mmm"; false for text that is no date.
bool DateFromIsoText(const std::string& text, DATE& out);
std::string IsoTextFromDate(DATE value, char separator = ' ', bool withMilliseconds = true);

} // namespace tw::ado
