// The connection strings a logon hands over: the two forms byte for byte for
// plain values, and values that could end the string early or add a key
// read back by the provider's own parser as they were typed.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "platform/ado/ConnectionString.h"
#include "session/ConnectionString.h"

namespace {

struct LogonStringCase {
    const char* name;
    BOOL identified;
    const char* user;
    const char* password;
    const char* database;
    const char* server;
};

const LogonStringCase kLogonStringCases[] = {
    {"windows", TRUE, "", "", "TarnSample", "(embedded)"},
    {"windows empty database", TRUE, "", "", "", "(embedded)"},
    {"server login", FALSE, "sa", "secret", "master", "dbhost"},
    {"blank database", FALSE, "sa", "pw", "   ", "dbhost"},
    {"semicolon in password", FALSE, "sa", "a;Initial Catalog=evil", "master", "dbhost"},
    {"equals in password", FALSE, "sa", "a=b", "master", "dbhost"},
    {"closing brace", FALSE, "sa", "x}y}}", "master", "dbhost"},
    {"opening brace first", FALSE, "sa", "{abc", "master", "dbhost"},
    {"quotes", FALSE, "o'neil", "\"pw\"", "master", "dbhost"},
    {"blanks at the ends", FALSE, " user ", "\tpw ", " My Db", "dbhost "},
    {"windows with odd names", TRUE, "ignored", "ignored", "My;Db", "host=1"},
};

class LogonConnectionString : public ::testing::TestWithParam<LogonStringCase> {};

TEST_P(LogonConnectionString, ReadsBackAsTyped)
{
    const LogonStringCase& c = GetParam();
    const CString text = BuildConnectionString(c.identified, c.user, c.password, c.database, c.server);
    std::string error;
    const auto parsed = tw::ado::ConnectionString::Parse(static_cast<LPCTSTR>(text), &error);
    ASSERT_TRUE(parsed.has_value()) << static_cast<LPCTSTR>(text) << ": " << error;
    EXPECT_EQ("SQLOLEDB.1", parsed->Get({"Provider"}));
    EXPECT_EQ(c.database, parsed->Get({"Initial Catalog"}));
    EXPECT_EQ(c.server, parsed->Get({"Data Source"}));
    if (c.identified) {
        EXPECT_EQ("yes", parsed->Get({"Trusted_Connection"}));
        EXPECT_FALSE(parsed->Has("User ID"));
        EXPECT_FALSE(parsed->Has("Password"));
    } else {
        EXPECT_FALSE(parsed->Has("Trusted_Connection"));
        EXPECT_EQ(c.user, parsed->Get({"User ID"}));
        EXPECT_EQ(c.password, parsed->Get({"Password"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Values, LogonConnectionString, ::testing::ValuesIn(kLogonStringCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char* at = info.param.name; *at; ++at)
                                 name += std::isalnum(static_cast<unsigned char>(*at)) ? *at : '_';
                             return name;
                         });

TEST(LogonConnectionStringForms, PlainValuesKeepTheTwoFormsByteForByte)
{
    EXPECT_STREQ("Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=TarnSample;Data Source=(embedded)",
                 WindowsConnectionString("TarnSample", "(embedded)"));
    EXPECT_STREQ("Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=;Data Source=srv",
                 WindowsConnectionString("", "srv"));
    EXPECT_STREQ("Provider=SQLOLEDB.1;User ID=sa;Password=p w;Initial Catalog=master;Data Source=srv\\inst",
                 SqlServerConnectionString("sa", "p w", "master", "srv\\inst"));
    EXPECT_STREQ("Provider=SQLOLEDB.1;User ID=sa;Password={a;b}}};Initial Catalog=master;Data Source=srv",
                 SqlServerConnectionString("sa", "a;b}", "master", "srv"));
}

}  // namespace
