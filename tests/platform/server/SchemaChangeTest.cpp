// Changes to a database's schema and its security: dropping indexes, owners
// other than dbo, constraints added and dropped, permissions, identity
// properties and awkward database names.
#include "ServerFixture.h"

namespace tw::server::test {

namespace schemachange_detail {

std::string Cell(const BufferedSink& sink, size_t set = 0, size_t row = 0, size_t column = 0)
{
    if (sink.resultSets.size() <= set || sink.resultSets[set].rows.size() <= row ||
        sink.resultSets[set].rows[row].size() <= column)
        return "<none>";
    return sink.resultSets[set].rows[row][column].ToText();
}

int ErrorNumber(const BufferedSink& sink)
{
    const Message* error = sink.FirstError();
    return error ? error->number : 0;
}

} // namespace schemachange_detail

using schemachange_detail::Cell;
using schemachange_detail::ErrorNumber;

TEST_F(ServerTest, DropIndexByTableAndNameRemovesItFromTheCatalogue)
{
    ASSERT_FALSE(Run("CREATE TABLE DropIx (a int NOT NULL, b int NULL)\n"
                     "CREATE INDEX IX_a ON DropIx (a)\nCREATE UNIQUE INDEX UX_b ON DropIx (b)").HasError());
    BufferedSink dropped = Run("DROP INDEX DropIx.IX_a, [dbo].[DropIx].[UX_b]");
    EXPECT_FALSE(dropped.HasError()) << Describe(dropped);
    EXPECT_EQ(Cell(Run("SELECT COUNT(*) FROM sysindexes WHERE id = object_id('DropIx') AND indid > 0")), "0");
    EXPECT_FALSE(Run("INSERT INTO DropIx VALUES (1, NULL) INSERT INTO DropIx VALUES (2, NULL)").HasError());
    EXPECT_EQ(ErrorNumber(Run("DROP INDEX DropIx.IX_a")), 3701);
    // Inside a transaction the drop rolls back with it.
    ASSERT_FALSE(Run("CREATE INDEX IX_a ON DropIx (a)").HasError());
    BufferedSink rolled = Run("BEGIN TRAN DROP INDEX DropIx.IX_a ROLLBACK");
    EXPECT_FALSE(rolled.HasError()) << Describe(rolled);
    EXPECT_EQ(Cell(Run("SELECT name FROM sysindexes WHERE id = object_id('DropIx') AND indid > 0")), "IX_a");
    EXPECT_FALSE(Run("DROP TABLE DropIx").HasError());
}

} // namespace tw::server::test

namespace tw::server::test {

// Two users owning objects in a scratch database of their own, so that the
// sample database keeps only dbo's.
class OwnersTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        ASSERT_FALSE(Run("IF db_id('Owners') IS NOT NULL DROP DATABASE Owners").HasError());
        BufferedSink setup = Run("CREATE DATABASE Owners");
        ASSERT_FALSE(setup.HasError()) << Describe(setup);
        setup = Run("IF NOT EXISTS (SELECT * FROM master..syslogins WHERE name = 'ann') EXEC sp_addlogin 'ann'\n"
                    "IF NOT EXISTS (SELECT * FROM master..syslogins WHERE name = 'bob') EXEC sp_addlogin 'bob'\n"
                    "USE Owners\nEXEC sp_adduser 'ann'\nEXEC sp_adduser 'bob'");
        ASSERT_FALSE(setup.HasError()) << Describe(setup);
    }
    void TearDown() override { Run("USE master DROP DATABASE Owners"); }
};

TEST_F(OwnersTest, UsersGetTheirOwnUidsAndNames)
{
    BufferedSink users = Run("SELECT name, uid, user_name(uid) FROM sysusers WHERE name IN ('ann', 'bob') ORDER BY uid");
    ASSERT_FALSE(users.HasError()) << Describe(users);
    ASSERT_EQ(users.resultSets[0].rows.size(), 2u);
    EXPECT_EQ(Cell(users, 0, 0, 0), "ann");
    EXPECT_EQ(Cell(users, 0, 0, 1), "5");
    EXPECT_EQ(Cell(users, 0, 1, 2), "bob");
    EXPECT_EQ(Cell(Run("SELECT user_name(1), user_name(), user_name(999)")), "dbo");
    EXPECT_EQ(Cell(Run("SELECT user_name()")), "dbo");
    EXPECT_EQ(Cell(Run("SELECT ISNULL(user_name(999), 'none')")), "none");
    EXPECT_EQ(ErrorNumber(Run("EXEC sp_adduser 'ann'")), 15023);
    EXPECT_EQ(ErrorNumber(Run("EXEC sp_adduser 'nobody'")), 15007);
    EXPECT_EQ(ErrorNumber(Run("EXEC sp_dropuser 'nobody'")), 15008);
    EXPECT_EQ(ErrorNumber(Run("EXEC sp_dropuser 'dbo'")), 15150);
    EXPECT_FALSE(Run("EXEC sp_dropuser 'bob'").HasError());
    EXPECT_EQ(Cell(Run("SELECT COUNT(*) FROM sysusers WHERE name = 'bob'")), "0");
}

TEST_F(OwnersTest, OneNameUnderTwoOwnersStaysTwoObjects)
{
    BufferedSink created = Run("CREATE TABLE ann.x (a int NOT NULL PRIMARY KEY, label varchar(10) NULL)\n"
                               "CREATE TABLE x (b int NULL)\n"
                               "CREATE INDEX IX_label ON ann.x (label)\n"
                               "INSERT INTO ann.x VALUES (1, 'ann''s')\nINSERT INTO dbo.x VALUES (2)");
    ASSERT_FALSE(created.HasError()) << Describe(created);
    ASSERT_FALSE(Run("CREATE VIEW bob.v AS SELECT a, label FROM ann.x").HasError());
    ASSERT_FALSE(Run("CREATE PROCEDURE bob.p AS SELECT b FROM x").HasError());
    EXPECT_EQ(Cell(Run("SELECT label FROM ann.x")), "ann's");
    EXPECT_EQ(Cell(Run("SELECT b FROM x")), "2");
    EXPECT_EQ(Cell(Run("SELECT label FROM bob.v")), "ann's");
    EXPECT_EQ(Cell(Run("EXEC bob.p")), "2");
    EXPECT_EQ(ErrorNumber(Run("EXEC p")), 2812);
    EXPECT_EQ(ErrorNumber(Run("SELECT * FROM bob.x")), 208);
    EXPECT_EQ(ErrorNumber(Run("CREATE TABLE ann.x (c int)")), 2714);
    EXPECT_EQ(ErrorNumber(Run("CREATE TABLE nobody.x (c int)")), 2760);

    BufferedSink catalogue = Run(
        "SELECT user_name(uid), xtype FROM sysobjects WHERE name = 'x' ORDER BY uid\n"
        "SELECT object_id('ann.x') - object_id('dbo.x'), object_id('x') - object_id('dbo.x'), object_id('bob.x')\n"
        "SELECT COUNT(*) FROM syscolumns WHERE id = object_id('ann.x')\n"
        "SELECT name FROM sysindexes WHERE id = object_id('ann.x') AND name = 'IX_label'\n"
        "SELECT COUNT(*) FROM syscomments WHERE id = object_id('bob.v')\n"
        "SELECT user_name(uid) FROM sysobjects WHERE id = object_id('bob.p')");
    ASSERT_FALSE(catalogue.HasError()) << Describe(catalogue);
    ASSERT_EQ(catalogue.resultSets[0].rows.size(), 2u);
    EXPECT_EQ(Cell(catalogue, 0, 0, 0), "dbo");
    EXPECT_EQ(Cell(catalogue, 0, 1, 0), "ann");
    EXPECT_NE(Cell(catalogue, 1, 0, 0), "0");
    EXPECT_EQ(Cell(catalogue, 1, 0, 1), "0");
    EXPECT_EQ(Cell(catalogue, 1, 0, 2), "NULL");
    EXPECT_EQ(Cell(catalogue, 2), "2");
    EXPECT_EQ(Cell(catalogue, 3), "IX_label");
    EXPECT_EQ(Cell(catalogue, 4), "1");
    EXPECT_EQ(Cell(catalogue, 5), "bob");

    EXPECT_EQ(ErrorNumber(Run("EXEC sp_dropuser 'ann'")), 15183);
    BufferedSink dropped = Run("DROP VIEW bob.v\nDROP INDEX ann.x.IX_label\nDROP TABLE ann.x");
    ASSERT_FALSE(dropped.HasError()) << Describe(dropped);
    EXPECT_EQ(Cell(Run("SELECT b FROM x")), "2");
    EXPECT_EQ(ErrorNumber(Run("SELECT * FROM ann.x")), 208);
}

} // namespace tw::server::test

namespace tw::server::test {

TEST_F(ServerTest, AnOfflineDatabaseRefusesUseUntilBroughtOnline)
{
    ASSERT_FALSE(Run("IF db_id('Sleepy') IS NOT NULL DROP DATABASE Sleepy").HasError());
    ASSERT_FALSE(Run("CREATE DATABASE Sleepy\nCREATE TABLE Sleepy.dbo.t (a int)\nINSERT Sleepy..t VALUES (7)")
                     .HasError());
    auto inside = NewSession("Sleepy");
    EXPECT_EQ(ErrorNumber(Run("ALTER DATABASE Sleepy SET OFFLINE")), 5070);
    inside.reset();

    BufferedSink offline = Run("ALTER DATABASE Sleepy SET OFFLINE\n"
                               "SELECT DATABASEPROPERTYEX('Sleepy', 'Status'), status & 512 FROM master..sysdatabases "
                               "WHERE name = 'Sleepy'");
    ASSERT_FALSE(offline.HasError()) << Describe(offline);
    EXPECT_EQ(Cell(offline, 0, 0, 0), "OFFLINE");
    EXPECT_EQ(Cell(offline, 0, 0, 1), "512");
    BufferedSink use = Run("USE Sleepy");
    ASSERT_TRUE(use.HasError());
    EXPECT_EQ(use.FirstError()->number, 942);
    EXPECT_EQ(use.FirstError()->text, "Database 'Sleepy' cannot be opened because it is offline.");
    EXPECT_EQ(ErrorNumber(Run("SELECT * FROM Sleepy..t")), 942);
    EXPECT_EQ(ErrorNumber(Run("ALTER DATABASE master SET OFFLINE")), 5058);

    BufferedSink online = Run("ALTER DATABASE Sleepy SET ONLINE\nSELECT a FROM Sleepy..t\n"
                              "SELECT DATABASEPROPERTYEX('Sleepy', 'Status'), status & 512 FROM master..sysdatabases "
                              "WHERE name = 'Sleepy'");
    ASSERT_FALSE(online.HasError()) << Describe(online);
    EXPECT_EQ(Cell(online, 0), "7");
    EXPECT_EQ(Cell(online, 1, 0, 0), "ONLINE");
    EXPECT_EQ(Cell(online, 1, 0, 1), "0");
    EXPECT_FALSE(Run("DROP DATABASE Sleepy").HasError());
}

} // namespace tw::server::test

namespace tw::server::test {

TEST_F(ServerTest, StartupOptionOnlyForDboProceduresInMaster)
{
    BufferedSink created = Run("USE master");
    ASSERT_FALSE(created.HasError());
    Run("IF object_id('dbo.AtStart') IS NOT NULL DROP PROCEDURE dbo.AtStart");
    ASSERT_FALSE(Run("CREATE PROCEDURE dbo.AtStart AS SELECT 1").HasError());
    BufferedSink set = Run("EXEC sp_procoption 'AtStart', 'startup', 'true'\n"
                           "SELECT OBJECTPROPERTY(object_id('AtStart'), 'ExecIsStartup')\n"
                           "EXEC sp_procoption @ProcName = 'dbo.AtStart', @OptionName = 'startup', @OptionValue = 'off'\n"
                           "SELECT OBJECTPROPERTY(object_id('AtStart'), 'ExecIsStartup')");
    ASSERT_FALSE(set.HasError()) << Describe(set);
    EXPECT_EQ(Cell(set, 0), "1");
    EXPECT_EQ(Cell(set, 1), "0");

    struct Refusal {
        const char* batch;
        int number;
    };
    const Refusal refusals[] = {
        {"EXEC sp_procoption 'AtStart', 'autostart', 'true'", 15600},
        {"EXEC sp_procoption 'AtStart', 'startup', 'maybe'", 15600},
        {"EXEC sp_procoption 'NoSuchProc', 'startup', 'true'", 15009},
        {"EXEC sp_procoption 'sysobjects', 'startup', 'true'", 15398},
        {"USE TarnSample EXEC sp_procoption 'usp_CustomerOrders', 'startup', 'true'", 15398},
    };
    for (const Refusal& r : refusals)
        EXPECT_EQ(ErrorNumber(Run(r.batch)), r.number) << r.batch;
    EXPECT_EQ(Cell(Run("SELECT OBJECTPROPERTY(object_id('usp_CustomerOrders'), 'ExecIsStartup')")), "0");
    Run("USE master DROP PROCEDURE dbo.AtStart");
}

} // namespace tw::server::test
