// The provider for servers reached through an ODBC driver: SQL Server over
// TDS (the FreeTDS driver, DSN-less) or any driver named with
// "Provider=MSDASQL;Driver={...};...".
#pragma once

#include "platform/ado/Provider.h"

namespace tw::ado {

// A SQL Server named by "Data Source" (host, "host,port" or "host\instance").
std::unique_ptr<ProviderSession> OpenTdsSession(const ConnectionString& settings, const std::string& userId,
                                                const std::string& password, long loginTimeoutSeconds);
// The connection string less its Provider, handed to the driver manager.
std::unique_ptr<ProviderSession> OpenOdbcSession(const std::string& odbcConnectionString,
                                                 long loginTimeoutSeconds);

// The ODBC connection string for a SQL Server logon; exposed for tests.
std::string TdsConnectionString(const ConnectionString& settings, const std::string& userId,
                                const std::string& password);
// A driver message without the bracketed prefixes drivers put in front.
std::string WithoutDriverPrefixes(const std::string& text);

} // namespace tw::ado
