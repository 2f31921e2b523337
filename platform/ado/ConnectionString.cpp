#include "platform/ado/ConnectionString.h"

namespace tw::ado {

namespace csdetail {

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace csdetail

std::optional<ConnectionString> ConnectionString::Parse(const std::string& text, std::string* error)
{
    ConnectionString result;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t equals = text.find('=', pos);
        const size_t semicolon = text.find(';', pos);
        if (equals == std::string::npos || (semicolon != std::string::npos && semicolon < equals)) {
            const std::string rest = csdetail::Trimmed(text.substr(pos, semicolon == std::string::npos ? std::string::npos : semicolon - pos));
            if (!rest.empty()) {
                if (error)
                    *error = "Format of the initialization string is not valid: '" + rest + "'.";
                return std::nullopt;
            }
            if (semicolon == std::string::npos)
                break;
            pos = semicolon + 1;
            continue;
        }
        const std::string key = csdetail::Trimmed(text.substr(pos, equals - pos));
        if (key.empty()) {
            if (error)
                *error = "Format of the initialization string is not valid: empty keyword.";
            return std::nullopt;
        }
        size_t valueStart = text.find_first_not_of(" \t", equals + 1);
        std::string value;
        if (valueStart != std::string::npos && text[valueStart] == '{') {
            // Braced, as the driver form writes values holding ";": "}}" stands for "}".
            size_t at = valueStart + 1;
            for (; at < text.size(); ++at) {
                if (text[at] != '}')
                    value += text[at];
                else if (at + 1 < text.size() && text[at + 1] == '}')
                    value += text[++at];
                else
                    break;
            }
            if (at >= text.size()) {
                if (error)
                    *error = "Format of the initialization string is not valid: unclosed brace.";
                return std::nullopt;
            }
            const size_t next = text.find(';', at);
            if (!csdetail::Trimmed(text.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1))
                     .empty()) {
                if (error)
                    *error = "Format of the initialization string is not valid: text after a braced value.";
                return std::nullopt;
            }
            pos = next == std::string::npos ? text.size() : next + 1;
        } else if (valueStart != std::string::npos && (text[valueStart] == '\'' || text[valueStart] == '"')) {
            const char quote = text[valueStart];
            const size_t close = text.find(quote, valueStart + 1);
            if (close == std::string::npos) {
                if (error)
                    *error = "Format of the initialization string is not valid: unclosed quote.";
                return std::nullopt;
            }
            value = text.substr(valueStart + 1, close - valueStart - 1);
            const size_t next = text.find(';', close);
            pos = next == std::string::npos ? text.size() : next + 1;
        } else {
            const size_t end = text.find(';', equals + 1);
            value = csdetail::Trimmed(text.substr(equals + 1, end == std::string::npos ? std::string::npos : end - equals - 1));
            pos = end == std::string::npos ? text.size() : end + 1;
        }
        result.m_values.emplace(key, value);
    }
    return result;
}

std::string ConnectionString::Get(std::initializer_list<const char*> keys) const
{
    for (const char* key : keys) {
        auto found = m_values.find(key);
        if (found != m_values.end())
            return found->second;
    }
    return {};
}

bool ConnectionString::Has(const char* key) const { return m_values.count(key) != 0; }

void ConnectionString::Set(const std::string& key, const std::string& value) { m_values[key] = value; }

std::string ConnectionString::ToText(std::initializer_list<const char*> excluded) const
{
    std::string text;
    for (const auto& [key, value] : m_values) {
        bool skip = false;
        for (const char* name : excluded)
            skip = skip || strcasecmp(name, key.c_str()) == 0;
        if (skip)
            continue;
        // Values that would end early or read as braced are braced, "}" doubled.
        const bool brace = value.find_first_of(";{}") != std::string::npos ||
                           (!value.empty() && (value.front() == ' ' || value.back() == ' '));
        std::string written;
        for (char c : value) {
            written += c;
            if (brace && c == '}')
                written += c;
        }
        text += key + "=" + (brace ? "{" + written + "}" : written) + ";";
    }
    return text;
}

} // namespace tw::ado
