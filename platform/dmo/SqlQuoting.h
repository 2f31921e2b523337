// Quoting of names and literals in the T-SQL the object model builds, and
// the parsing of "owner.name" texts.
#pragma once

#include <string>

namespace tw::dmo {

// [name] with every "]" doubled.
std::string QuoteName(const std::string& name);
// N'text' with every "'" doubled.
std::string QuoteLiteral(const std::string& text);
// [owner].[name], or [name] alone when the owner is empty.
std::string QualifiedName(const std::string& owner, const std::string& name);
// ASCII case-insensitive equality, as the server compares names.
bool SameName(const std::string& a, const std::string& b);

struct OwnerAndName {
    std::string owner;
    std::string name;
};

// Splits "owner.name", "[own.er].[na]]me]" or "name" at the first full
// stop outside brackets; brackets are removed and "]]" undoubled.
OwnerAndName SplitOwnerName(const std::string& text);

} // namespace tw::dmo
