// The servers a logon can choose: the embedded one, then those the TDS
// driver's configuration names.
#pragma once

#include <string>
#include <vector>

namespace tw::ado {

// "(embedded)" first, then the section names of the TDS configuration
// ($FREETDSCONF, else the system's file and the user's ~/.freetds.conf),
// without "global" and without repeats, in file order.
std::vector<std::string> AvailableServers();

} // namespace tw::ado
