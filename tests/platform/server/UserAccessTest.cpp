// Database users stand for logins: a user may take another name than its
// login, and each login has one user per database.
#include "ServerFixture.h"

namespace tw::server::test {

class UserAccessTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        ASSERT_FALSE(Run("IF db_id('UserAccess') IS NOT NULL DROP DATABASE UserAccess").HasError());
        BufferedSink setup = Run("CREATE DATABASE UserAccess\n"
                                 "IF NOT EXISTS (SELECT * FROM master..syslogins WHERE name = 'carol') "
                                 "EXEC sp_addlogin 'carol'\n"
                                 "IF NOT EXISTS (SELECT * FROM master..syslogins WHERE name = 'dora') "
                                 "EXEC sp_addlogin 'dora'\n"
                                 "USE UserAccess");
        ASSERT_FALSE(setup.HasError()) << Describe(setup);
    }
    void TearDown() override { Run("USE master DROP DATABASE UserAccess"); }

    static int ErrorOf(const BufferedSink& sink) { return sink.FirstError() ? sink.FirstError()->number : 0; }
};

TEST_F(UserAccessTest, UserUnderAnotherNameKeepsItsLogin)
{
    BufferedSink granted = Run("EXEC sp_grantdbaccess 'carol', 'Carol Reports'");
    ASSERT_FALSE(granted.HasError()) << Describe(granted);

    ResultSet joined = Query("SELECT u.name, l.name, suser_sname(u.sid) FROM sysusers u "
                             "JOIN master..syslogins l ON l.sid = u.sid WHERE u.name IN ('Carol Reports', 'dbo') "
                             "ORDER BY u.uid");
    ASSERT_EQ(joined.rows.size(), 2u);
    EXPECT_EQ(joined.rows[0][1].ToText(), "sa");
    EXPECT_EQ(joined.rows[1][0].ToText(), "Carol Reports");
    EXPECT_EQ(joined.rows[1][1].ToText(), "carol");
    EXPECT_EQ(joined.rows[1][2].ToText(), "carol");
}

struct GrantCase {
    const char* batch;
    int number;
};

class UserGrantErrorTest : public UserAccessTest, public ::testing::WithParamInterface<GrantCase> {};

TEST_P(UserGrantErrorTest, RefusedAndNothingAdded)
{
    ASSERT_FALSE(Run("EXEC sp_grantdbaccess 'carol', 'cr'").HasError());
    const int before = Query("SELECT count(*) FROM sysusers").rows[0][0].integer;
    BufferedSink sink = Run(GetParam().batch);
    EXPECT_EQ(ErrorOf(sink), GetParam().number) << GetParam().batch << "\n" << Describe(sink);
    EXPECT_EQ(Query("SELECT count(*) FROM sysusers").rows[0][0].integer, before);
}

INSTANTIATE_TEST_SUITE_P(Calls, UserGrantErrorTest,
                         ::testing::Values(GrantCase{"EXEC sp_grantdbaccess 'carol', 'carol2'", 15063},
                                           GrantCase{"EXEC sp_grantdbaccess 'carol'", 15063},
                                           GrantCase{"EXEC sp_grantdbaccess 'sa', 'sa2'", 15063},
                                           GrantCase{"EXEC sp_grantdbaccess 'dora', 'cr'", 15023},
                                           GrantCase{"EXEC sp_adduser 'dora', 'cr'", 15023},
                                           GrantCase{"EXEC sp_grantdbaccess 'nologin'", 15007}));

TEST_F(UserAccessTest, RevokedUserFreesItsLogin)
{
    ASSERT_FALSE(Run("EXEC sp_grantdbaccess 'dora', 'd1'").HasError());
    ASSERT_FALSE(Run("EXEC sp_revokedbaccess 'd1'").HasError());
    BufferedSink again = Run("EXEC sp_grantdbaccess 'dora', 'd2'");
    EXPECT_FALSE(again.HasError()) << Describe(again);
}

} // namespace tw::server::test
