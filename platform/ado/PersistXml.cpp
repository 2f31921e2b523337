#include "platform/ado/PersistXml.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <strings.h>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include "platform/ado/AdoFailure.h"
#include "platform/ado/RecordCursor.h"
#include "platform/ado/ValueMapping.h"
#include "platform/com/VariantNumber.h"
#include "platform/win32/kernel/Files.h"

namespace tw::ado {

namespace xmldetail {

constexpr HRESULT kInvalidSource = static_cast<HRESULT>(0x80004005u);
constexpr const char* kDamaged = "Recordset cannot be created. Source XML is incomplete or invalid.";

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

bool Named(const xmlNode* node, const char* localName)
{
    return node->type == XML_ELEMENT_NODE && strcmp(reinterpret_cast<const char*>(node->name), localName) == 0;
}

const xmlNode* Child(const xmlNode* parent, const char* localName)
{
    for (const xmlNode* node = parent->children; node; node = node->next)
        if (Named(node, localName))
            return node;
    return nullptr;
}

// An attribute by local name, whatever its prefix.
bool Attribute(const xmlNode* node, const char* localName, std::string& value)
{
    for (const xmlAttr* attr = node->properties; attr; attr = attr->next) {
        if (strcmp(reinterpret_cast<const char*>(attr->name), localName) != 0)
            continue;
        xmlChar* text = xmlNodeListGetString(node->doc, attr->children, 1);
        value = text ? reinterpret_cast<const char*>(text) : "";
        xmlFree(text);
        return true;
    }
    return false;
}

std::string AttributeOr(const xmlNode* node, const char* localName, const char* fallback = "")
{
    std::string value;
    return Attribute(node, localName, value) ? value : fallback;
}

bool IsTrue(const std::string& text)
{
    return text == "1" || text == "-1" || strcasecmp(text.c_str(), "true") == 0;
}

ADODB::DataTypeEnum TypeOf(const std::string& dtType, const std::string& dbType, bool fixed, bool isLong)
{
    if (dtType == "boolean") return ADODB::adBoolean;
    if (dtType == "i1") return ADODB::adTinyInt;
    if (dtType == "ui1") return ADODB::adUnsignedTinyInt;
    if (dtType == "i2") return ADODB::adSmallInt;
    if (dtType == "ui2") return ADODB::adUnsignedSmallInt;
    if (dtType == "i4" || dtType == "int") return ADODB::adInteger;
    if (dtType == "ui4") return ADODB::adUnsignedInt;
    if (dtType == "i8") return ADODB::adBigInt;
    if (dtType == "ui8") return ADODB::adUnsignedBigInt;
    if (dtType == "r4") return ADODB::adSingle;
    if (dtType == "r8" || dtType == "float") return ADODB::adDouble;
    if (dtType == "number") {
        if (dbType == "currency") return ADODB::adCurrency;
        if (dbType == "decimal") return ADODB::adDecimal;
        if (dbType == "varnumeric") return ADODB::adVarNumeric;
        return ADODB::adNumeric;
    }
    if (dtType == "dateTime" || dtType == "dateTime.tz")
        return dbType == "variantdate" ? ADODB::adDate : ADODB::adDBTimeStamp;
    if (dtType == "date") return ADODB::adDBDate;
    if (dtType == "time" || dtType == "time.tz") return ADODB::adDBTime;
    if (dtType == "bin.hex" || dtType == "bin.base64")
        return isLong ? ADODB::adLongVarBinary : (fixed ? ADODB::adBinary : ADODB::adVarBinary);
    if (dtType == "uuid") return ADODB::adGUID;
    const bool narrow = dbType == "str";
    if (isLong) return narrow ? ADODB::adLongVarChar : ADODB::adLongVarWChar;
    if (fixed) return narrow ? ADODB::adChar : ADODB::adWChar;
    return narrow ? ADODB::adVarChar : ADODB::adVarWChar;
}

struct XmlField {
    std::string xmlName;
    FieldInfo info;
};

XmlField ReadField(const xmlNode* attributeType)
{
    XmlField field;
    // The row attribute's name is the plain "name"; rs:name carries a field
    // name that is not a valid XML name.
    std::string rsName;
    for (const xmlAttr* attr = attributeType->properties; attr; attr = attr->next) {
        if (strcmp(reinterpret_cast<const char*>(attr->name), "name") != 0)
            continue;
        xmlChar* text = xmlNodeListGetString(attributeType->doc, attr->children, 1);
        (attr->ns ? rsName : field.xmlName) = text ? reinterpret_cast<const char*>(text) : "";
        xmlFree(text);
    }
    if (field.xmlName.empty())
        FailWith(kInvalidSource, kDamaged);
    field.info.name = rsName.empty() ? field.xmlName : rsName;
    const xmlNode* datatype = Child(attributeType, "datatype");
    std::string dtType = "string", dbType, maxLength = "0", fixed, maybeNull = "true", isLong, precision, scale;
    if (datatype) {
        dtType = AttributeOr(datatype, "type", "string");
        dbType = AttributeOr(datatype, "dbtype");
        maxLength = AttributeOr(datatype, "maxLength", "0");
        fixed = AttributeOr(datatype, "fixedlength");
        maybeNull = AttributeOr(datatype, "maybenull", "true");
        isLong = AttributeOr(datatype, "long");
        precision = AttributeOr(datatype, "precision");
        scale = AttributeOr(datatype, "scale");
    }
    field.info.type = TypeOf(dtType, dbType, IsTrue(fixed), IsTrue(isLong));
    field.info.definedSize = atol(maxLength.c_str());
    field.info.precision = static_cast<BYTE>(atoi(precision.c_str()));
    field.info.numericScale = static_cast<BYTE>(atoi(scale.c_str()));
    if (IsTrue(fixed))
        field.info.attributes |= ADODB::adFldFixed;
    if (IsTrue(isLong))
        field.info.attributes |= ADODB::adFldLong;
    if (IsTrue(maybeNull) || IsTrue(AttributeOr(attributeType, "nullable")))
        field.info.attributes |= ADODB::adFldIsNullable | ADODB::adFldMayBeNull;
    return field;
}

std::string BytesFromHex(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

_variant_t ValueFromText(const std::string& text, const FieldInfo& field)
{
    _variant_t source;
    source.SetString(text.c_str());
    switch (field.type) {
    case ADODB::adBoolean: return _variant_t(IsTrue(text));
    case ADODB::adDBTimeStamp:
    case ADODB::adDate:
    case ADODB::adDBDate: {
        DATE date = 0;
        if (!DateFromIsoText(text, date))
            FailWith(kInvalidSource, kDamaged);
        return _variant_t(date, VT_DATE);
    }
    case ADODB::adBinary:
    case ADODB::adVarBinary:
    case ADODB::adLongVarBinary: {
        try {
            return BinaryVariant(BytesFromHex(text));
        } catch (const std::exception&) {
            FailWith(kInvalidSource, kDamaged);
        }
    }
    default: break;
    }
    const VARTYPE target = VariantTypeOf(field.type);
    if (target == VT_EMPTY || target == VT_BSTR)
        return source;
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, &source, 0, target)))
        FailWith(kInvalidSource, kDamaged);
    return _variant_t(converted, false);
}

void ReadRow(const xmlNode* row, const std::vector<XmlField>& fields, Rowset& rowset)
{
    std::vector<_variant_t> values(fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        std::string text;
        if (Attribute(row, fields[i].xmlName.c_str(), text))
            values[i] = ValueFromText(text, fields[i].info);
        else
            values[i].vt = VT_NULL;
    }
    rowset.AppendRecord(std::move(values));
}

// Rows of rs:data, including rows a saved batch had pending: inserted and
// updated rows count with their current values; deleted ones do not.
void ReadRows(const xmlNode* data, const std::vector<XmlField>& fields, Rowset& rowset)
{
    for (const xmlNode* node = data->children; node; node = node->next) {
        if (Named(node, "row"))
            ReadRow(node, fields, rowset);
        else if (Named(node, "insert") || Named(node, "update"))
            ReadRows(node, fields, rowset);
    }
}

Rowset RowsetFromDocument(xmlDoc* doc)
{
    const xmlNode* root = xmlDocGetRootElement(doc);
    if (!root)
        FailWith(kInvalidSource, kDamaged);
    const xmlNode* schema = Child(root, "Schema");
    const xmlNode* elementType = schema ? Child(schema, "ElementType") : nullptr;
    const xmlNode* data = Child(root, "data");
    if (!elementType || !data)
        FailWith(kInvalidSource, kDamaged);
    std::vector<XmlField> fields;
    Rowset rowset;
    for (const xmlNode* node = elementType->children; node; node = node->next) {
        if (!Named(node, "AttributeType"))
            continue;
        fields.push_back(ReadField(node));
        rowset.fields.push_back(fields.back().info);
    }
    if (fields.empty())
        FailWith(kInvalidSource, kDamaged);
    ReadRows(data, fields, rowset);
    return rowset;
}

// ---- writing

std::string Escaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\'': out += "&apos;"; break;
        case '"': out += "&quot;"; break;
        case '\n': out += "&#xA;"; break;
        case '\r': out += "&#xD;"; break;
        case '\t': out += "&#x9;"; break;
        default: out += c;
        }
    }
    return out;
}

bool IsXmlName(const std::string& name)
{
    if (name.empty() || !(isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_'))
        return false;
    for (unsigned char c : name)
        if (!(isalnum(c) || c == '_' || c == '-' || c == '.' || c >= 0x80))
            return false;
    return strncasecmp(name.c_str(), "xml", 3) != 0;
}

struct TypeText {
    const char* dtType;
    const char* dbType;
};

TypeText TypeTextOf(ADODB::DataTypeEnum type)
{
    switch (type) {
    case ADODB::adBoolean: return {"boolean", nullptr};
    case ADODB::adTinyInt: return {"i1", nullptr};
    case ADODB::adUnsignedTinyInt: return {"ui1", nullptr};
    case ADODB::adSmallInt: return {"i2", nullptr};
    case ADODB::adUnsignedSmallInt: return {"ui2", nullptr};
    case ADODB::adInteger: return {"int", nullptr};
    case ADODB::adUnsignedInt: return {"ui4", nullptr};
    case ADODB::adBigInt: return {"i8", nullptr};
    case ADODB::adUnsignedBigInt: return {"ui8", nullptr};
    case ADODB::adSingle: return {"r4", nullptr};
    case ADODB::adDouble: return {"float", nullptr};
    case ADODB::adCurrency: return {"number", "currency"};
    case ADODB::adDecimal: return {"number", "decimal"};
    case ADODB::adNumeric: return {"number", "numeric"};
    case ADODB::adVarNumeric: return {"number", "varnumeric"};
    case ADODB::adDate: return {"dateTime", "variantdate"};
    case ADODB::adDBDate: return {"date", nullptr};
    case ADODB::adDBTime: return {"time", nullptr};
    case ADODB::adDBTimeStamp: return {"dateTime", "timestamp"};
    case ADODB::adBinary:
    case ADODB::adVarBinary:
    case ADODB::adLongVarBinary: return {"bin.hex", nullptr};
    case ADODB::adGUID: return {"uuid", nullptr};
    case ADODB::adChar:
    case ADODB::adVarChar:
    case ADODB::adLongVarChar: return {"string", "str"};
    default: return {"string", nullptr};
    }
}

std::string TextOfValue(const _variant_t& value, const FieldInfo& field)
{
    char buffer[64];
    switch (value.vt) {
    case VT_BOOL: return value.boolVal ? "True" : "False";
    case VT_DATE: {
        std::string text = IsoTextFromDate(value.date, 'T', true);
        if (text.size() > 4 && text.compare(text.size() - 4, 4, ".000") == 0)
            text.resize(text.size() - 4);
        return text;
    }
    case VT_R4: snprintf(buffer, sizeof buffer, "%.9g", value.fltVal); return buffer;
    case VT_R8: snprintf(buffer, sizeof buffer, "%.17g", value.dblVal); return buffer;
    case VT_CY: return tw::varnum::FormatCurrency(value.cyVal.int64);
    case VT_DECIMAL: return tw::varnum::FormatDecimal(value.decVal);
    case VT_ARRAY | VT_UI1: {
        static const char kDigits[] = "0123456789abcdef";
        std::string hex;
        for (unsigned char byte : BytesOf(value)) {
            hex += kDigits[byte >> 4];
            hex += kDigits[byte & 15];
        }
        return hex;
    }
    default: {
        (void)field;
        _variant_t text;
        if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)))
            FailWith(AdoHresult(ADODB::adErrDataConversion), AdoErrorText(ADODB::adErrDataConversion));
        return tw::BstrToUtf8(text.bstrVal);
    }
    }
}

} // namespace xmldetail

Rowset ParseRowsetXml(const std::string& text)
{
    std::unique_ptr<xmlDoc, xmldetail::DocFree> doc(
        xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!doc)
        FailWith(xmldetail::kInvalidSource, xmldetail::kDamaged);
    return xmldetail::RowsetFromDocument(doc.get());
}

Rowset LoadRowsetXml(const std::string& path)
{
    std::ifstream file(tw::MapPath(path.c_str()), std::ios::binary);
    if (!file)
        FailWith(static_cast<HRESULT>(0x80030002u), "File '" + path + "' could not be opened.");
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return ParseRowsetXml(bytes.str());
}

std::string RowsetToXml(const Rowset& rowset)
{
    using namespace xmldetail;
    std::string xml =
        "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\n"
        "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\n"
        "\txmlns:rs='urn:schemas-microsoft-com:rowset'\n"
        "\txmlns:z='#RowsetSchema'>\n"
        "<s:Schema id='RowsetSchema'>\n"
        "\t<s:ElementType name='row' content='eltOnly' rs:updatable='true'>\n";
    std::vector<std::string> xmlNames;
    for (size_t i = 0; i < rowset.fields.size(); ++i) {
        const FieldInfo& field = rowset.fields[i];
        const bool plain = IsXmlName(field.name);
        xmlNames.push_back(plain ? field.name : "c" + std::to_string(i));
        xml += "\t\t<s:AttributeType name='" + Escaped(xmlNames.back()) + "'";
        if (!plain)
            xml += " rs:name='" + Escaped(field.name) + "'";
        xml += " rs:number='" + std::to_string(i + 1) + "'";
        const bool nullable = (field.attributes & (ADODB::adFldIsNullable | ADODB::adFldMayBeNull)) != 0;
        if (nullable)
            xml += " rs:nullable='true'";
        xml += " rs:write='true'>\n\t\t\t<s:datatype";
        const TypeText type = TypeTextOf(field.type);
        xml += std::string(" dt:type='") + type.dtType + "'";
        if (type.dbType)
            xml += std::string(" rs:dbtype='") + type.dbType + "'";
        xml += " dt:maxLength='" + std::to_string(field.definedSize) + "'";
        if (field.precision)
            xml += " rs:precision='" + std::to_string(field.precision) + "'";
        if (field.numericScale)
            xml += " rs:scale='" + std::to_string(field.numericScale) + "'";
        if (field.attributes & ADODB::adFldFixed)
            xml += " rs:fixedlength='true'";
        if (field.attributes & ADODB::adFldLong)
            xml += " rs:long='true'";
        if (!nullable)
            xml += " rs:maybenull='false'";
        xml += "/>\n\t\t</s:AttributeType>\n";
    }
    xml += "\t\t<s:extends type='rs:rowbase'/>\n\t</s:ElementType>\n</s:Schema>\n<rs:data>\n";
    for (const Record& record : rowset.records) {
        if (record.status == RecordStatus::Deleted)
            continue;
        xml += "\t<z:row";
        for (size_t i = 0; i < rowset.fields.size(); ++i) {
            const _variant_t& value = record.values[i];
            if (value.vt == VT_NULL || value.vt == VT_EMPTY)
                continue;
            xml += " " + xmlNames[i] + "='" + Escaped(TextOfValue(value, rowset.fields[i])) + "'";
        }
        xml += "/>\n";
    }
    xml += "</rs:data>\n</xml>";
    return xml;
}

void SaveRowsetXml(const Rowset& rowset, const std::string& path)
{
    const std::string xml = RowsetToXml(rowset);
    if (!tw::WriteFileAtomically(tw::MapPath(path.c_str()), xml, 0600)) {
        const std::string reason = strerror(errno);
        FailWith(HRESULT_FROM_WIN32(GetLastError()), "File '" + path + "' could not be written: " + reason + ".");
    }
}

} // namespace tw::ado
