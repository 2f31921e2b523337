#include "platform/ado/ValueMapping.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <strings.h>

#include "platform/com/OleAuto.h"
#include "platform/com/VariantNumber.h"
#include "platform/win32/kernel/Utf8Text.h"

namespace tw::ado {

namespace mapdetail {

struct TypeRow {
    const char* serverName;
    ADODB::DataTypeEnum type;
    bool fixed;
    bool isLong;
};

constexpr TypeRow kTypes[] = {
    {"bit", ADODB::adBoolean, true, false},
    {"tinyint", ADODB::adUnsignedTinyInt, true, false},
    {"smallint", ADODB::adSmallInt, true, false},
    {"int", ADODB::adInteger, true, false},
    {"bigint", ADODB::adBigInt, true, false},
    {"real", ADODB::adSingle, true, false},
    {"float", ADODB::adDouble, true, false},
    {"money", ADODB::adCurrency, true, false},
    {"smallmoney", ADODB::adCurrency, true, false},
    {"decimal", ADODB::adNumeric, true, false},
    {"numeric", ADODB::adNumeric, true, false},
    {"datetime", ADODB::adDBTimeStamp, true, false},
    {"smalldatetime", ADODB::adDBTimeStamp, true, false},
    {"char", ADODB::adChar, true, false},
    {"varchar", ADODB::adVarChar, false, false},
    {"text", ADODB::adLongVarChar, false, true},
    {"nchar", ADODB::adWChar, true, false},
    {"nvarchar", ADODB::adVarWChar, false, false},
    {"sysname", ADODB::adVarWChar, false, false},
    {"ntext", ADODB::adLongVarWChar, false, true},
    {"binary", ADODB::adBinary, true, false},
    {"varbinary", ADODB::adVarBinary, false, false},
    {"image", ADODB::adLongVarBinary, false, true},
    {"timestamp", ADODB::adBinary, true, false},
    {"uniqueidentifier", ADODB::adGUID, true, false},
    {"sql_variant", ADODB::adVariant, false, false},
};

const TypeRow* FindType(const std::string& name)
{
    for (const TypeRow& row : kTypes)
        if (strcasecmp(row.serverName, name.c_str()) == 0)
            return &row;
    return nullptr;
}

_variant_t TextVariant(const std::string& text)
{
    _variant_t result;
    result.SetString(text.c_str());
    return result;
}

// Money arrives as exact decimal text with at most four decimals.
bool CurrencyFromText(const std::string& text, CY& out)
{
    size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        ++at;
    int64_t units = 0;
    size_t digits = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, ++digits) {
        if (units > (INT64_MAX / 10000 - 9) / 10)
            return false;
        units = units * 10 + (text[at] - '0');
    }
    int64_t fraction = 0;
    int scale = 0;
    if (at < text.size() && text[at] == '.') {
        for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, ++scale) {
            if (scale >= 4)
                return false;
            fraction = fraction * 10 + (text[at] - '0');
        }
    }
    if (at != text.size() || (digits == 0 && scale == 0))
        return false;
    for (; scale < 4; ++scale)
        fraction *= 10;
    out.int64 = (units * 10000 + fraction) * (negative ? -1 : 1);
    return true;
}

_variant_t DecimalTextVariant(const std::string& text, VARTYPE vt)
{
    CY currency;
    if (vt == VT_CY && CurrencyFromText(text, currency))
        return _variant_t(currency);
    // Straight from the text, as the conversion from a string would, without
    // making the string first: a decimal column costs this for every row.
    tw::varnum::Number number;
    DECIMAL exact;
    if (vt == VT_DECIMAL && SUCCEEDED(tw::varnum::ParseText(text, number)) &&
        SUCCEEDED(tw::varnum::ToDecimal(number, exact))) {
        _variant_t result;
        result.decVal = exact;
        result.vt = VT_DECIMAL;
        return result;
    }
    _variant_t source = TextVariant(text);
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, &source, 0, vt)))
        return source;
    return _variant_t(converted, false);
}

_variant_t IntegerVariant(int64_t value, ADODB::DataTypeEnum type)
{
    switch (type) {
    case ADODB::adBoolean: return _variant_t(value != 0);
    case ADODB::adUnsignedTinyInt: return _variant_t(static_cast<BYTE>(value));
    case ADODB::adSmallInt: return _variant_t(static_cast<short>(value));
    case ADODB::adInteger: return _variant_t(static_cast<int>(value));
    case ADODB::adCurrency: {
        CY cy;
        cy.int64 = value * 10000;
        return _variant_t(cy);
    }
    case ADODB::adDouble: return _variant_t(static_cast<double>(value));
    default:
        if (value >= INT32_MIN && value <= INT32_MAX && type != ADODB::adBigInt)
            return _variant_t(static_cast<int>(value));
        return _variant_t(static_cast<long long>(value));
    }
}

std::string DoubleText(double value)
{
    char buffer[40];
    snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

std::string HexBytes(const std::string& bytes)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (unsigned char byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
    }
    return text;
}

std::string QuotedText(const std::string& text, bool national)
{
    std::string literal = national ? "N'" : "'";
    for (char c : text) {
        literal += c;
        if (c == '\'')
            literal += '\'';
    }
    literal += '\'';
    return literal;
}

} // namespace mapdetail

FieldInfo FieldFromColumn(const tw::server::ColumnInfo& column)
{
    FieldInfo field;
    field.name = column.name;
    field.definedSize = column.size;
    field.precision = column.precision;
    field.numericScale = column.scale;
    const mapdetail::TypeRow* row = mapdetail::FindType(column.typeName);
    field.type = row ? row->type : ADODB::adVarChar;
    if (row && row->fixed)
        field.attributes |= ADODB::adFldFixed;
    if (row && row->isLong)
        field.attributes |= ADODB::adFldLong;
    if (column.nullable)
        field.attributes |= ADODB::adFldIsNullable | ADODB::adFldMayBeNull;
    if (field.type == ADODB::adVarWChar || field.type == ADODB::adWChar || field.type == ADODB::adLongVarWChar)
        field.definedSize = column.size / 2 > 0 ? column.size / 2 : column.size;
    return field;
}

_variant_t VariantFromValue(const tw::server::Value& value, const FieldInfo& field)
{
    using tw::server::ValueKind;
    switch (value.kind) {
    case ValueKind::Null: {
        _variant_t null;
        null.vt = VT_NULL;
        return null;
    }
    case ValueKind::Int: return mapdetail::IntegerVariant(value.integer, field.type);
    case ValueKind::Float:
        if (field.type == ADODB::adSingle)
            return _variant_t(static_cast<float>(value.real));
        return _variant_t(value.real);
    case ValueKind::Decimal:
        if (field.type == ADODB::adCurrency)
            return mapdetail::DecimalTextVariant(value.text, VT_CY);
        if (field.type == ADODB::adDouble || field.type == ADODB::adSingle)
            return mapdetail::DecimalTextVariant(value.text, VT_R8);
        return mapdetail::DecimalTextVariant(value.text, VT_DECIMAL);
    case ValueKind::DateTime: {
        DATE date = 0;
        if (!DateFromIsoText(value.text, date))
            return mapdetail::TextVariant(value.text);
        return _variant_t(date, VT_DATE);
    }
    case ValueKind::Binary: return BinaryVariant(value.text);
    case ValueKind::String:
        if (field.type == ADODB::adBoolean)
            return _variant_t(value.text == "1" || strcasecmp(value.text.c_str(), "true") == 0);
        return mapdetail::TextVariant(value.text);
    }
    return _variant_t();
}

std::string SqlLiteral(const VARIANT& value)
{
    switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL: return "NULL";
    case VT_BOOL: return value.boolVal ? "1" : "0";
    case VT_UI1: return std::to_string(value.bVal);
    case VT_I2: return std::to_string(value.iVal);
    case VT_I4: return std::to_string(value.lVal);
    case VT_I8: return std::to_string(value.llVal);
    case VT_R4: return mapdetail::DoubleText(value.fltVal);
    case VT_R8: return mapdetail::DoubleText(value.dblVal);
    case VT_CY: return tw::varnum::FormatCurrency(value.cyVal.int64);
    case VT_DECIMAL: return tw::varnum::FormatDecimal(value.decVal);
    case VT_DATE: return "'" + IsoTextFromDate(value.date) + "'";
    case VT_BSTR: return mapdetail::QuotedText(tw::BstrToUtf8(value.bstrVal), true);
    case VT_ARRAY | VT_UI1: return mapdetail::HexBytes(BytesOf(value));
    default: {
        _variant_t text;
        if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)))
            return "NULL";
        return mapdetail::QuotedText(tw::BstrToUtf8(text.bstrVal), true);
    }
    }
}

std::string QuoteName(const std::string& name)
{
    std::string quoted = "[";
    for (char c : name) {
        quoted += c;
        if (c == ']')
            quoted += ']';
    }
    return quoted + "]";
}

_variant_t BinaryVariant(const std::string& bytes)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array)
        _com_issue_error(E_OUTOFMEMORY);
    void* data = nullptr;
    SafeArrayAccessData(array, &data);
    if (!bytes.empty())
        memcpy(data, bytes.data(), bytes.size());
    SafeArrayUnaccessData(array);
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ARRAY | VT_UI1;
    v.parray = array;
    return _variant_t(v, false);
}

std::string BytesOf(const VARIANT& value)
{
    if (value.vt != (VT_ARRAY | VT_UI1) || !value.parray)
        return {};
    const ULONG count = value.parray->rgsabound[0].cElements;
    return std::string(static_cast<const char*>(value.parray->pvData), count);
}

bool DateFromIsoText(const std::string& text, DATE& out)
{
    // "YYYY-MM-DD[ |T]hh:mm:ss[.fff]"; read by hand, since every date cell of
    // a result passes here.
    size_t at = 0;
    auto number = [&](size_t maxDigits, int& value) {
        const size_t start = at;
        value = 0;
        while (at < text.size() && at - start < maxDigits && text[at] >= '0' && text[at] <= '9')
            value = value * 10 + (text[at++] - '0');
        return at > start;
    };
    auto expect = [&](char c) {
        if (at >= text.size() || text[at] != c)
            return false;
        ++at;
        return true;
    };
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millis = 0;
    if (!number(4, year) || !expect('-') || !number(2, month) || !expect('-') || !number(2, day))
        return false;
    if (at < text.size() && (text[at] == ' ' || text[at] == 'T')) {
        ++at;
        if (!number(2, hour) || !expect(':') || !number(2, minute))
            return false;
        if (expect(':') && !number(2, second))
            return false;
        if (expect('.')) {
            const size_t start = at;
            if (!number(3, millis))
                return false;
            for (size_t digits = at - start; digits < 3; ++digits)
                millis *= 10;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9')
                ++at;
        }
    }
    if (at != text.size())
        return false;
    if (!tw::vardate::FromParts(year, month, day, hour, minute, second, out))
        return false;
    const double fraction = millis / 86400000.0;
    out += out >= 0 ? fraction : -fraction;
    return true;
}

std::string IsoTextFromDate(DATE value, char separator, bool withMilliseconds)
{
    SYSTEMTIME st{};
    if (!tw::vardate::ToSystemTime(value, st))
        return {};
    const double dayFraction = std::fabs(value - std::trunc(value));
    const long totalMillis = std::lround(dayFraction * 86400000.0);
    const int millis = static_cast<int>(totalMillis % 1000);
    char buffer[40];
    if (withMilliseconds && millis != 0 && st.wSecond == (totalMillis / 1000) % 60)
        snprintf(buffer, sizeof buffer, "%04d-%02d-%02d%c%02d:%02d:%02d.%03d", st.wYear, st.wMonth, st.wDay,
                 separator, st.wHour, st.wMinute, st.wSecond, millis);
    else if (withMilliseconds)
        snprintf(buffer, sizeof buffer, "%04d-%02d-%02d%c%02d:%02d:%02d.000", st.wYear, st.wMonth, st.wDay, separator,
                 st.wHour, st.wMinute, st.wSecond);
    else
        snprintf(buffer, sizeof buffer, "%04d-%02d-%02d%c%02d:%02d:%02d", st.wYear, st.wMonth, st.wDay, separator,
                 st.wHour, st.wMinute, st.wSecond);
    return buffer;
}

} // namespace tw::ado
