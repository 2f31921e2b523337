#include "platform/ado/ServerList.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <strings.h>

namespace tw::ado {

namespace serverlistdetail {

void AddSections(const std::string& path, std::vector<std::string>& names)
{
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        const size_t open = line.find_first_not_of(" \t");
        if (open == std::string::npos || line[open] != '[')
            continue;
        const size_t close = line.find(']', open);
        if (close == std::string::npos)
            continue;
        const std::string name = line.substr(open + 1, close - open - 1);
        if (name.empty() || strcasecmp(name.c_str(), "global") == 0)
            continue;
        const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& existing) {
            return strcasecmp(existing.c_str(), name.c_str()) == 0;
        });
        if (!known)
            names.push_back(name);
    }
}

} // namespace serverlistdetail

std::vector<std::string> AvailableServers()
{
    std::vector<std::string> names{"(embedded)"};
    if (const char* configured = std::getenv("FREETDSCONF"); configured && *configured) {
        serverlistdetail::AddSections(configured, names);
        return names;
    }
    serverlistdetail::AddSections("/etc/freetds/freetds.conf", names);
    if (const char* home = std::getenv("HOME"); home && *home)
        serverlistdetail::AddSections(std::string(home) + "/.freetds.conf", names);
    return names;
}

} // namespace tw::ado
