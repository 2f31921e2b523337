// The catalogue tables that show live server state (sysprocesses, syslockinfo),
// filled into the session's temp schema just before a statement reads them,
// and the table-valued system functions (::fn_listextendedproperty, ...).
#pragma once

#include <string>
#include <vector>

namespace tw::server {

class Executor;
class SessionState;

class SystemViews {
public:
    static bool IsLive(const std::string& lowerName);
    static bool IsMasterOnly(const std::string& lowerName);
    static void Refresh(SessionState& session, const std::string& lowerName);
    // A SQLite subquery standing for ::name(args); args are translated SQL expressions.
    static std::string TableFunction(Executor& executor, const std::string& name, const std::vector<std::string>& args);
};

} // namespace tw::server
