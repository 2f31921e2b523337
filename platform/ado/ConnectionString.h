// The "key=value;key=value" connection strings of the object model. Keys
// compare without case; values may be quoted with ' or " to hold a ';'.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <strings.h>

namespace tw::ado {

class ConnectionString {
public:
    // Nothing when the text is malformed (a part without '=', an empty key,
    // an unclosed quote); `error` then says why.
    static std::optional<ConnectionString> Parse(const std::string& text, std::string* error = nullptr);

    // The value of the first of the keys present, or "".
    std::string Get(std::initializer_list<const char*> keys) const;
    bool Has(const char* key) const;
    void Set(const std::string& key, const std::string& value);
    // "key=value;" for every key but the excluded ones; a value holding ';'
    // is braced, as ODBC drivers read it.
    std::string ToText(std::initializer_list<const char*> excluded) const;

private:
    struct KeyLess {
        bool operator()(const std::string& a, const std::string& b) const
        {
            return strcasecmp(a.c_str(), b.c_str()) < 0;
        }
    };
    std::map<std::string, std::string, KeyLess> m_values;
};

} // namespace tw::ado
