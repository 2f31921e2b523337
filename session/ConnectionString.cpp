#include "session/ConnectionString.h"

#include <cstring>

CString ConnectionStringValue(const CString& value)
{
    const char* text = value;
    const size_t length = std::strlen(text);
    const bool blankAtEnd = length > 0 && (std::strchr(" \t", text[0]) != nullptr ||
                                           std::strchr(" \t", text[length - 1]) != nullptr);
    if (!blankAtEnd && std::strpbrk(text, ";={}'\"") == nullptr)
        return value;
    CString braced("{");
    for (const char* at = text; *at != 0; ++at) {
        braced += *at;
        if (*at == '}')
            braced += '}';
    }
    braced += '}';
    return braced;
}

CString WindowsConnectionString(const CString& database, const CString& server)
{
    return "Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=" + ConnectionStringValue(database) +
           ";Data Source=" + ConnectionStringValue(server);
}

CString SqlServerConnectionString(const CString& user, const CString& password, const CString& database,
                                  const CString& server)
{
    return "Provider=SQLOLEDB.1;User ID=" + ConnectionStringValue(user) +
           ";Password=" + ConnectionStringValue(password) +
           ";Initial Catalog=" + ConnectionStringValue(database) + ";Data Source=" + ConnectionStringValue(server);
}

CString BuildConnectionString(BOOL bIdentified, const CString& user, const CString& password,
                              const CString& database, const CString& server)
{
    return bIdentified ? WindowsConnectionString(database, server)
                       : SqlServerConnectionString(user, password, database, server);
}
