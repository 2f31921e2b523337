// A multi-part object name as T-SQL writes it in text arguments:
// 'name', 'owner.name', 'db.owner.name', 'db..name', with [brackets] or "quotes".
#pragma once

#include <string>

namespace tw::server {

struct ObjectName {
    std::string server;
    std::string database;
    std::string owner;
    std::string name;
    bool valid = true; // false for more than four parts or an unclosed bracket

    static ObjectName Parse(const std::string& text);
};

} // namespace tw::server
