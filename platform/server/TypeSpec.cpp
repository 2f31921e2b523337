#include "platform/server/TypeSpec.h"

#include <cctype>
#include <cstdlib>
#include <set>

namespace tw::server {

namespace typespec_detail {

const std::set<std::string>& CharacterTypes()
{
    static const std::set<std::string> s = {"char", "varchar", "nchar", "nvarchar", "text", "ntext", "sysname"};
    return s;
}

} // namespace typespec_detail

bool TypeSpec::IsCharacter() const { return typespec_detail::CharacterTypes().count(name) > 0; }
bool TypeSpec::IsUnicode() const { return name == "nchar" || name == "nvarchar" || name == "ntext" || name == "sysname"; }
bool TypeSpec::IsBinary() const { return name == "binary" || name == "varbinary" || name == "image" || name == "timestamp"; }
bool TypeSpec::IsInteger() const
{
    return name == "int" || name == "bigint" || name == "smallint" || name == "tinyint" || name == "bit";
}
bool TypeSpec::IsExactNumeric() const
{
    return name == "decimal" || name == "numeric" || name == "money" || name == "smallmoney";
}
bool TypeSpec::IsApproximate() const { return name == "float" || name == "real"; }
bool TypeSpec::IsDateTime() const { return name == "datetime" || name == "smalldatetime"; }

bool TypeSpec::IsSupported() const
{
    return IsCharacter() || IsBinary() || IsInteger() || IsExactNumeric() || IsApproximate() || IsDateTime() ||
           name == "uniqueidentifier" || name == "sql_variant";
}

int TypeSpec::XType() const
{
    static const std::pair<const char*, int> codes[] = {
        {"image", 34}, {"text", 35}, {"uniqueidentifier", 36}, {"tinyint", 48}, {"smallint", 52}, {"int", 56},
        {"smalldatetime", 58}, {"real", 59}, {"money", 60}, {"datetime", 61}, {"float", 62}, {"sql_variant", 98},
        {"ntext", 99}, {"bit", 104}, {"decimal", 106}, {"numeric", 108}, {"smallmoney", 122}, {"bigint", 127},
        {"varbinary", 165}, {"varchar", 167}, {"binary", 173}, {"char", 175}, {"timestamp", 189},
        {"nvarchar", 231}, {"sysname", 231}, {"nchar", 239}};
    for (const auto& [n, code] : codes)
        if (name == n)
            return code;
    return 0;
}

int TypeSpec::StorageLength() const
{
    if (IsCharacter() || IsBinary()) {
        if (name == "text" || name == "ntext" || name == "image")
            return 16;
        if (name == "sysname")
            return 256;
        if (name == "timestamp")
            return 8;
        const int chars = length == kMax ? -1 : (length < 0 ? 1 : length);
        if (chars < 0)
            return -1;
        return IsUnicode() ? chars * 2 : chars;
    }
    if (name == "tinyint" || name == "bit") return 1;
    if (name == "smallint") return 2;
    if (name == "int" || name == "real" || name == "smallmoney" || name == "smalldatetime") return 4;
    if (name == "bigint" || name == "float" || name == "money" || name == "datetime") return 8;
    if (name == "uniqueidentifier") return 16;
    if (name == "decimal" || name == "numeric") {
        const int p = Precision();
        return p <= 9 ? 5 : p <= 19 ? 9 : p <= 28 ? 13 : 17;
    }
    if (name == "sql_variant") return 8016;
    return 0;
}

int TypeSpec::Precision() const
{
    if (name == "decimal" || name == "numeric") return precision < 0 ? 18 : precision;
    if (name == "tinyint") return 3;
    if (name == "smallint") return 5;
    if (name == "int") return 10;
    if (name == "bigint") return 19;
    if (name == "bit") return 1;
    if (name == "float") return 53;
    if (name == "real") return 24;
    if (name == "money") return 19;
    if (name == "smallmoney") return 10;
    if (name == "datetime") return 23;
    if (name == "smalldatetime") return 16;
    if (IsCharacter()) { const int l = StorageLength(); return IsUnicode() && l > 0 ? l / 2 : l; }
    if (IsBinary()) return StorageLength();
    return 0;
}

int TypeSpec::Scale() const
{
    if (name == "decimal" || name == "numeric") return scale < 0 ? 0 : scale;
    if (name == "money" || name == "smallmoney") return 4;
    if (name == "datetime") return 3;
    return 0;
}

std::string TypeSpec::Spelling() const
{
    std::string s = name;
    if ((name == "char" || name == "varchar" || name == "nchar" || name == "nvarchar" || name == "binary" ||
         name == "varbinary") && length != -1)
        s += length == kMax ? "(max)" : "(" + std::to_string(length) + ")";
    else if ((name == "decimal" || name == "numeric") && precision >= 0)
        s += "(" + std::to_string(precision) + (scale >= 0 ? "," + std::to_string(scale) : "") + ")";
    else if (name == "float" && precision >= 0)
        s += "(" + std::to_string(precision) + ")";
    return s;
}

TypeSpec TypeSpec::FromDeclared(const std::string& declared)
{
    TypeSpec t;
    size_t i = 0;
    while (i < declared.size() && declared[i] != '(' && !std::isspace(static_cast<unsigned char>(declared[i])))
        t.name += static_cast<char>(std::tolower(static_cast<unsigned char>(declared[i++])));
    const size_t open = declared.find('(');
    if (open == std::string::npos)
        return t;
    const std::string inside = declared.substr(open + 1);
    if (inside.rfind("max", 0) == 0 || inside.rfind("MAX", 0) == 0) {
        t.length = kMax;
        return t;
    }
    const long first = std::strtol(inside.c_str(), nullptr, 10);
    const size_t comma = inside.find(',');
    if (t.name == "decimal" || t.name == "numeric" || t.name == "float") {
        t.precision = static_cast<int>(first);
        if (comma != std::string::npos)
            t.scale = static_cast<int>(std::strtol(inside.c_str() + comma + 1, nullptr, 10));
    } else {
        t.length = static_cast<int>(first);
    }
    return t;
}

} // namespace tw::server
