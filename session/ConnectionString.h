// The two connection strings a logon hands to a query window: Windows
// authentication and server authentication, keys in a fixed order.
#pragma once

#include "platform/mfc/CString.h"

// A value as it may stand in a connection string: unchanged when plain;
// in braces, with "}" doubled, when it holds ";", "=", "{", "}", a quote
// or blanks at its ends, so that no value can end the string early or add
// a key of its own.
CString ConnectionStringValue(const CString& value);

// "Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=<db>;Data Source=<server>"
CString WindowsConnectionString(const CString& database, const CString& server);
// "Provider=SQLOLEDB.1;User ID=<user>;Password=<pw>;Initial Catalog=<db>;Data Source=<server>"
CString SqlServerConnectionString(const CString& user, const CString& password, const CString& database,
                                  const CString& server);
// The form that the authentication mode selects.
CString BuildConnectionString(BOOL bIdentified, const CString& user, const CString& password,
                              const CString& database, const CString& server);
