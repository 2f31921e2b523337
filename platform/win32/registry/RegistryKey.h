// The hive's tree in memory: keys with their values and sub-keys.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/windef.h"

namespace tw::reg {

// The form names are compared in: upper case, whole UTF-8 characters.
std::string FoldName(std::string_view name);

struct RegValue {
    std::string name;  // empty for the default value
    DWORD type = 0;
    std::vector<BYTE> data;
};

class RegKey {
public:
    explicit RegKey(std::string name, RegKey* parent = nullptr) : name(std::move(name)), parent(parent) {}

    RegValue* FindValue(std::string_view valueName);
    const RegValue* FindValue(std::string_view valueName) const;
    // Sets or adds a value; an existing value keeps its place and spelling.
    void SetValue(std::string_view valueName, DWORD type, std::vector<BYTE> data);
    bool RemoveValue(std::string_view valueName);

    std::shared_ptr<RegKey> FindSubkey(std::string_view keyName) const;
    // The existing sub-key of that name, or a new one in sorted position.
    std::shared_ptr<RegKey> AddSubkey(std::string_view keyName, bool& created);
    bool RemoveSubkey(const RegKey* child);

    // Marks this key and everything below it deleted (for open handles).
    void MarkDeleted();
    void Touch();

    std::string name;
    RegKey* parent;
    std::vector<RegValue> values;                    // in creation order
    std::vector<std::shared_ptr<RegKey>> subkeys;    // sorted by FoldName
    bool deleted = false;
    bool isVolatile = false;
    FILETIME lastWrite{};
};

}  // namespace tw::reg
