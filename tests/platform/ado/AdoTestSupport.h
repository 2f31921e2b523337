// A connection to the embedded server for the object model's tests.
#pragma once

#include <gtest/gtest.h>

#include "platform/ado/AdoInterfaces.h"

namespace adotest {

inline ADODB::_ConnectionPtr OpenEmbedded(const char* database = "master")
{
    tw::ado::RegisterClasses();
    ADODB::_ConnectionPtr connection("ADODB.Connection");
    const std::string text = std::string("Provider=SQLOLEDB.1;User ID=sa;Password=;Initial Catalog=") + database +
                             ";Data Source=(embedded)";
    connection->Open(text.c_str(), "", "", -1);
    return connection;
}

inline std::string Text(const _variant_t& value) { return static_cast<const char*>(_bstr_t(value)); }

} // namespace adotest
