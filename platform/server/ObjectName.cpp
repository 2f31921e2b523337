#include "platform/server/ObjectName.h"

#include <vector>

namespace tw::server {

ObjectName ObjectName::Parse(const std::string& text)
{
    std::vector<std::string> parts(1);
    ObjectName result;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '[' || c == '"') {
            const char close = c == '[' ? ']' : '"';
            size_t j = i + 1;
            for (;; ++j) {
                if (j >= text.size()) {
                    result.valid = false;
                    return result;
                }
                if (text[j] == close) {
                    if (j + 1 < text.size() && text[j + 1] == close) {
                        parts.back() += close;
                        ++j;
                        continue;
                    }
                    break;
                }
                parts.back() += text[j];
            }
            i = j;
        } else if (c == '.') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    // Blanks around an unbracketed part do not belong to the name.
    for (std::string& p : parts) {
        while (!p.empty() && p.back() == ' ')
            p.pop_back();
        while (!p.empty() && p.front() == ' ')
            p.erase(p.begin());
    }
    if (parts.size() > 4) {
        result.valid = false;
        return result;
    }
    result.name = parts.back();
    if (parts.size() >= 2) result.owner = parts[parts.size() - 2];
    if (parts.size() >= 3) result.database = parts[parts.size() - 3];
    if (parts.size() == 4) result.server = parts[0];
    return result;
}

} // namespace tw::server
