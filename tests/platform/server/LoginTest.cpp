// Logins other than sa: created with a password and a default database,
// connected to with that password only, changed and dropped as SQL Server's
// procedures do, and kept in master without their passwords in clear.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ServerFixture.h"

namespace tw::server::test {

class LoginTest : public ServerTest {
protected:
    struct Attempt {
        std::unique_ptr<Session> session;
        Message error;
    };

    Attempt Connect(const std::string& login, const std::string& password, const std::string& database = "")
    {
        LoginInfo info;
        info.login = login;
        info.password = password;
        info.database = database;
        Attempt attempt;
        attempt.session = TheServer().Connect(info, &attempt.error);
        return attempt;
    }

    // The first column of the first row a batch gives on `on`.
    static std::string Scalar(Session& on, const std::string& batch)
    {
        BufferedSink sink;
        on.Execute(batch, sink);
        if (sink.resultSets.empty() || sink.resultSets[0].rows.empty())
            return "(none: " + Describe(sink) + ")";
        return sink.resultSets[0].rows[0][0].ToText();
    }

    static int ErrorOf(const BufferedSink& sink) { return sink.FirstError() ? sink.FirstError()->number : 0; }
};

struct RefusedLogin {
    const char* login;
    const char* password;
};

class RefusedLoginTest : public LoginTest, public ::testing::WithParamInterface<RefusedLogin> {};

TEST_P(RefusedLoginTest, WrongPasswordOrUnknownLoginFails)
{
    BufferedSink added = Run("IF NOT EXISTS (SELECT * FROM master..syslogins WHERE name = 'lena') "
                             "EXEC sp_addlogin 'lena', 'S3cret', 'TarnSample'");
    ASSERT_FALSE(added.HasError()) << Describe(added);
    const RefusedLogin& c = GetParam();
    Attempt attempt = Connect(c.login, c.password);
    EXPECT_EQ(attempt.session, nullptr) << c.login << "/" << c.password;
    EXPECT_EQ(attempt.error.number, 18456);
    EXPECT_EQ(attempt.error.text, "Login failed for user '" + std::string(c.login) + "'.");
}

INSTANTIATE_TEST_SUITE_P(Attempts, RefusedLoginTest,
                         ::testing::Values(RefusedLogin{"lena", "wrong"}, RefusedLogin{"lena", ""},
                                           RefusedLogin{"lena", "s3cret"}, RefusedLogin{"lena", "S3cret "},
                                           RefusedLogin{"nobody", "S3cret"}));

TEST_F(LoginTest, ALoginConnectsWithItsPasswordToItsDefaultDatabase)
{
    BufferedSink added = Run("EXEC sp_addlogin 'nora', 'Pa55', 'TarnSample'");
    ASSERT_FALSE(added.HasError()) << Describe(added);
    EXPECT_EQ(added.messages.at(0).text, "New login created.");

    Attempt attempt = Connect("NORA", "Pa55");
    ASSERT_NE(attempt.session, nullptr) << attempt.error.text;
    EXPECT_EQ(Scalar(*attempt.session, "SELECT db_name()"), "TarnSample");
    EXPECT_EQ(Scalar(*attempt.session, "SELECT suser_sname()"), "nora");
    Attempt named = Connect("nora", "Pa55", "master");
    ASSERT_NE(named.session, nullptr) << named.error.text;
    EXPECT_EQ(named.session->CurrentDatabase(), "master");

    ResultSet row = Query("SELECT name, dbname, loginname, password FROM master..syslogins WHERE name = 'nora'");
    ASSERT_EQ(row.rows.size(), 1u);
    EXPECT_EQ(row.rows[0][1].ToText(), "TarnSample");
    EXPECT_EQ(row.rows[0][2].ToText(), "nora");
    EXPECT_TRUE(row.rows[0][3].IsNull());
}

TEST_F(LoginTest, AddLoginRefusesADuplicateAndAnUnknownDatabase)
{
    ASSERT_FALSE(Run("EXEC sp_addlogin 'olga', 'x'").HasError());
    EXPECT_EQ(ErrorOf(Run("EXEC sp_addlogin 'OLGA', 'y'")), 15025);
    BufferedSink unknown = Run("EXEC sp_addlogin 'petra', 'x', 'NoSuchDatabase'");
    EXPECT_EQ(ErrorOf(unknown), 15010);
    EXPECT_EQ(Query("SELECT count(*) FROM master..syslogins WHERE name = 'petra'").rows[0][0].ToText(), "0");
}

TEST_F(LoginTest, NoFileOfTheServerHoldsAPasswordInClear)
{
    const std::string password = "Clear-Text-Would-Show-7731";
    ASSERT_FALSE(Run("EXEC sp_addlogin 'quinn', '" + password + "' EXEC sp_password NULL, '" + password +
                     "-new', 'quinn'").HasError());
    ASSERT_NE(Connect("quinn", password + "-new").session, nullptr);
    for (const auto& entry : std::filesystem::directory_iterator(TheServer().DataDirectory())) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        EXPECT_EQ(bytes.find(password), std::string::npos) << entry.path();
    }
}

TEST_F(LoginTest, PasswordChangesNeedTheOldPasswordUnlessSaMakesThem)
{
    ASSERT_FALSE(Run("EXEC sp_addlogin 'rita', 'first'").HasError());
    Attempt rita = Connect("rita", "first");
    ASSERT_NE(rita.session, nullptr);

    BufferedSink wrongOld;
    rita.session->Execute("EXEC sp_password 'guess', 'second'", wrongOld);
    EXPECT_EQ(ErrorOf(wrongOld), 15211);
    BufferedSink other;
    rita.session->Execute("EXEC sp_password 'first', 'second', 'sa'", other);
    EXPECT_EQ(ErrorOf(other), 15007);
    for (const char* beyondItsRights : {"EXEC sp_addlogin 'ritas friend', 'x'", "EXEC sp_droplogin 'rita'"}) {
        BufferedSink refused;
        rita.session->Execute(beyondItsRights, refused);
        EXPECT_EQ(ErrorOf(refused), 15247) << beyondItsRights;
    }
    BufferedSink own;
    rita.session->Execute("EXEC sp_password 'first', 'second'", own);
    ASSERT_FALSE(own.HasError()) << Describe(own);
    EXPECT_EQ(own.messages.at(0).text, "Password changed.");
    EXPECT_EQ(Connect("rita", "first").session, nullptr);
    EXPECT_NE(Connect("rita", "second").session, nullptr);

    ASSERT_FALSE(Run("EXEC sp_password NULL, 'third', 'rita'").HasError());
    EXPECT_EQ(Connect("rita", "second").session, nullptr);
    EXPECT_NE(Connect("rita", "third").session, nullptr);
}

TEST_F(LoginTest, DropLoginRefusesWhileTheLoginIsUsedAndThenRemovesIt)
{
    ASSERT_FALSE(Run("EXEC sp_addlogin 'sara', 'pw', 'TarnSample' USE TarnSample "
                     "EXEC sp_grantdbaccess 'sara', 'sarauser' USE master").HasError());
    EXPECT_EQ(ErrorOf(Run("EXEC sp_droplogin 'nobody'")), 15007);
    EXPECT_EQ(ErrorOf(Run("EXEC sp_droplogin 'sa'")), 15405);
    {
        Attempt sara = Connect("sara", "pw");
        ASSERT_NE(sara.session, nullptr);
        EXPECT_EQ(ErrorOf(Run("EXEC sp_droplogin 'sara'")), 15434);
    }
    EXPECT_EQ(ErrorOf(Run("EXEC sp_droplogin 'sara'")), 15175);
    ASSERT_FALSE(Run("USE TarnSample EXEC sp_revokedbaccess 'sarauser' USE master").HasError());

    BufferedSink dropped = Run("EXEC sp_droplogin 'sara'");
    ASSERT_FALSE(dropped.HasError()) << Describe(dropped);
    EXPECT_EQ(dropped.messages.at(0).text, "Login dropped.");
    EXPECT_EQ(Connect("sara", "pw").error.number, 18456);
    EXPECT_EQ(Query("SELECT count(*) FROM master..syslogins WHERE name = 'sara'").rows[0][0].ToText(), "0");
    // The name is free again, with a password of its own.
    ASSERT_FALSE(Run("EXEC sp_addlogin 'sara', 'new'").HasError());
    EXPECT_EQ(Connect("sara", "pw").session, nullptr);
    EXPECT_NE(Connect("sara", "new").session, nullptr);
}

TEST_F(LoginTest, ALoginWhoseDefaultDatabaseIsGoneConnectsOnlyToANamedOne)
{
    ASSERT_FALSE(Run("CREATE DATABASE Vanishing EXEC sp_addlogin 'tess', 'pw', 'Vanishing' "
                     "DROP DATABASE Vanishing").HasError());
    Attempt toDefault = Connect("tess", "pw");
    EXPECT_EQ(toDefault.session, nullptr);
    EXPECT_EQ(toDefault.error.number, 4064);
    EXPECT_EQ(toDefault.error.text, "Cannot open user default database. Login failed.");
    Attempt toMaster = Connect("tess", "pw", "master");
    ASSERT_NE(toMaster.session, nullptr) << toMaster.error.text;
    EXPECT_EQ(toMaster.session->CurrentDatabase(), "master");
}

TEST_F(LoginTest, AMappedLoginActsAsItsUserInThatDatabase)
{
    ASSERT_FALSE(Run("EXEC sp_addlogin 'uma', 'pw', 'TarnSample' USE TarnSample "
                     "EXEC sp_grantdbaccess 'uma', 'Uma Reader' USE master").HasError());
    Attempt uma = Connect("uma", "pw");
    ASSERT_NE(uma.session, nullptr) << uma.error.text;
    EXPECT_EQ(Scalar(*uma.session, "SELECT user_name()"), "Uma Reader");
    EXPECT_EQ(Scalar(*uma.session, "SELECT suser_sname()"), "uma");
    // Where it has no user it is a guest, never the owner.
    EXPECT_EQ(Scalar(*uma.session, "USE master SELECT user_name()"), "guest");
}

TEST_F(LoginTest, ABatchSettingAPasswordIsNotShownToOtherSessions)
{
    std::unique_ptr<Session> other = NewSession("master");
    for (const char* batch : {"EXEC sp_addlogin 'vera', 'Hidden-Word-1'",
                              "EXEC SP_PASSWORD NULL, 'Hidden-Word-2', 'vera'"}) {
        BufferedSink ran;
        ASSERT_TRUE(other->Execute(batch, ran)) << Describe(ran);
        ResultSet buffer = Query("DBCC INPUTBUFFER(" + std::to_string(other->Spid()) + ")");
        ASSERT_EQ(buffer.rows.size(), 1u);
        const std::string shown = buffer.rows[0][2].ToText();
        EXPECT_EQ(shown.find("Hidden-Word"), std::string::npos) << shown;
        EXPECT_NE(shown.find("replaced with this comment for security reasons"), std::string::npos) << shown;
    }
}

TEST_F(LoginTest, SaKeepsConnectingUntilGivenAPassword)
{
    EXPECT_NE(Connect("sa", "anything").session, nullptr);
    EXPECT_NE(Connect("", "").session, nullptr);
}

// A server of its own, since sa's password stays with its master.
TEST(SaPasswordTest, ASaPasswordIsCheckedAndTheServerStillRebuildsItsSampleDatabase)
{
    const std::string dir = (std::filesystem::current_path() / "sa-password").string();
    std::filesystem::create_directories(dir);
    LoginInfo sa;
    {
        std::string error;
        std::unique_ptr<Server> server = Server::Open(dir, &error);
        ASSERT_NE(server, nullptr) << error;
        std::unique_ptr<Session> session = server->Connect(sa);
        ASSERT_NE(session, nullptr);
        BufferedSink changed;
        ASSERT_TRUE(session->Execute("EXEC sp_password NULL, 'Guarded'", changed)) << Describe(changed);
    }
    std::filesystem::remove(dir + "/data/server/" + Server::kSampleDatabase + ".db");
    std::string error;
    std::unique_ptr<Server> reopened = Server::Open(dir, &error);
    ASSERT_NE(reopened, nullptr) << error;
    Message refused;
    EXPECT_EQ(reopened->Connect(sa, &refused), nullptr);
    EXPECT_EQ(refused.number, 18456);
    sa.password = "Guarded";
    sa.database = Server::kSampleDatabase;
    std::unique_ptr<Session> session = reopened->Connect(sa);
    ASSERT_NE(session, nullptr);
    BufferedSink sample;
    ASSERT_TRUE(session->Execute("SELECT count(*) FROM sysobjects WHERE xtype = 'U '", sample)) << Describe(sample);
    EXPECT_NE(sample.resultSets.at(0).rows.at(0).at(0).ToText(), "0");
}

} // namespace tw::server::test
