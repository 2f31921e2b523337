#include "platform/dmo/ObjectCollection.h"

namespace tw::dmo {

bool IsMissingArgument(const _variant_t& value)
{
    return value.vt == VT_EMPTY || (value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND);
}

std::string ArgumentText(const _variant_t& value)
{
    if (IsMissingArgument(value) || value.vt == VT_NULL)
        return {};
    return static_cast<const char*>(_bstr_t(value));
}

namespace collection_detail {

long FindExact(const std::vector<NameEntry>& entries, const std::string& name, const std::string& owner)
{
    for (size_t i = 0; i < entries.size(); ++i) {
        if (SameName(entries[i].name, name) && SameName(entries[i].owner, owner))
            return static_cast<long>(i);
    }
    return -1;
}

long FindBare(const std::vector<NameEntry>& entries, const std::string& name)
{
    long first = -1;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!SameName(entries[i].name, name))
            continue;
        if (SameName(entries[i].owner, "dbo"))
            return static_cast<long>(i);
        if (first < 0)
            first = static_cast<long>(i);
    }
    return first;
}

} // namespace collection_detail

long FindNameEntry(const std::vector<NameEntry>& entries, const std::string& text, const std::string& owner)
{
    if (!owner.empty())
        return collection_detail::FindExact(entries, SplitOwnerName(text).name, owner);
    const long whole = collection_detail::FindBare(entries, text);
    if (whole >= 0)
        return whole;
    const OwnerAndName parts = SplitOwnerName(text);
    if (parts.owner.empty())
        return collection_detail::FindBare(entries, parts.name);
    return collection_detail::FindExact(entries, parts.name, parts.owner);
}

} // namespace tw::dmo
