#include "platform/win32/registry/RegistryKey.h"

#include <algorithm>

#include "platform/win32/kernel/Time.h"
#include "platform/win32/kernel/Utf8Text.h"

namespace tw::reg {

std::string FoldName(std::string_view name)
{
    std::string folded;
    folded.reserve(name.size());
    const char* p = name.data();
    const char* end = p + name.size();
    while (p < end) {
        size_t n;
        const char32_t c = utf8::Decode(p, end, n);
        if (n == 1 && static_cast<unsigned char>(*p) >= 0x80)
            folded += *p;
        else
            utf8::Append(utf8::ToUpper(c), folded);
        p += n;
    }
    return folded;
}

RegValue* RegKey::FindValue(std::string_view valueName)
{
    const std::string folded = FoldName(valueName);
    for (auto& value : values) {
        if (FoldName(value.name) == folded)
            return &value;
    }
    return nullptr;
}

const RegValue* RegKey::FindValue(std::string_view valueName) const
{
    return const_cast<RegKey*>(this)->FindValue(valueName);
}

void RegKey::SetValue(std::string_view valueName, DWORD type, std::vector<BYTE> data)
{
    if (RegValue* existing = FindValue(valueName)) {
        existing->type = type;
        existing->data = std::move(data);
    } else {
        values.push_back(RegValue{std::string(valueName), type, std::move(data)});
    }
    Touch();
}

bool RegKey::RemoveValue(std::string_view valueName)
{
    const std::string folded = FoldName(valueName);
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const RegValue& v) { return FoldName(v.name) == folded; });
    if (it == values.end())
        return false;
    values.erase(it);
    Touch();
    return true;
}

std::shared_ptr<RegKey> RegKey::FindSubkey(std::string_view keyName) const
{
    const std::string folded = FoldName(keyName);
    auto it = std::lower_bound(subkeys.begin(), subkeys.end(), folded,
                               [](const std::shared_ptr<RegKey>& k, const std::string& f) { return FoldName(k->name) < f; });
    if (it != subkeys.end() && FoldName((*it)->name) == folded)
        return *it;
    return nullptr;
}

std::shared_ptr<RegKey> RegKey::AddSubkey(std::string_view keyName, bool& created)
{
    const std::string folded = FoldName(keyName);
    auto it = std::lower_bound(subkeys.begin(), subkeys.end(), folded,
                               [](const std::shared_ptr<RegKey>& k, const std::string& f) { return FoldName(k->name) < f; });
    if (it != subkeys.end() && FoldName((*it)->name) == folded) {
        created = false;
        return *it;
    }
    auto child = std::make_shared<RegKey>(std::string(keyName), this);
    child->isVolatile = isVolatile;
    child->Touch();
    subkeys.insert(it, child);
    Touch();
    created = true;
    return child;
}

bool RegKey::RemoveSubkey(const RegKey* child)
{
    auto it = std::find_if(subkeys.begin(), subkeys.end(),
                           [&](const std::shared_ptr<RegKey>& k) { return k.get() == child; });
    if (it == subkeys.end())
        return false;
    (*it)->MarkDeleted();
    subkeys.erase(it);
    Touch();
    return true;
}

void RegKey::MarkDeleted()
{
    deleted = true;
    for (auto& child : subkeys)
        child->MarkDeleted();
}

void RegKey::Touch()
{
    GetSystemTimeAsFileTime(&lastWrite);
}

}  // namespace tw::reg
