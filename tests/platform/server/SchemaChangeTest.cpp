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

TEST_F(OwnersTest, ConstraintsMadeWithATableBelongToItsOwner)
{
    BufferedSink created = Run("CREATE TABLE ann.lines (id int NOT NULL CONSTRAINT PK_lines PRIMARY KEY, "
                               "qty int NULL CONSTRAINT DF_qty DEFAULT (1) CONSTRAINT CK_qty CHECK (qty > 0))\n"
                               "ALTER TABLE ann.lines ADD note varchar(10) NULL CONSTRAINT DF_note DEFAULT ('n')");
    ASSERT_FALSE(created.HasError()) << Describe(created);
    BufferedSink owners = Run("SELECT name, user_name(uid) FROM sysobjects WHERE parent_obj = object_id('ann.lines') "
                              "ORDER BY name");
    ASSERT_FALSE(owners.HasError()) << Describe(owners);
    ASSERT_EQ(owners.resultSets[0].rows.size(), 4u);
    for (const Row& row : owners.resultSets[0].rows)
        EXPECT_EQ(row[1].ToText(), "ann") << row[0].ToText();
    // dbo's namespace stays free for constraints of the same names.
    EXPECT_EQ(Cell(Run("SELECT ISNULL(object_id('dbo.CK_qty'), 0)")), "0");
    EXPECT_FALSE(Run("CREATE TABLE lines (id int NOT NULL CONSTRAINT PK_lines PRIMARY KEY)").HasError());
}

TEST_F(OwnersTest, NamesInsideAModuleResolveAsItsOwner)
{
    BufferedSink created = Run("CREATE TABLE ann.t (who varchar(10) NULL)\nCREATE TABLE t (who varchar(10) NULL)\n"
                               "INSERT INTO ann.t VALUES ('ann')\nINSERT INTO t VALUES ('dbo')");
    ASSERT_FALSE(created.HasError()) << Describe(created);
    ASSERT_FALSE(Run("CREATE PROCEDURE ann.whose AS SELECT who FROM t").HasError());
    ASSERT_FALSE(Run("CREATE PROCEDURE bob.whose AS SELECT who FROM t").HasError());
    ASSERT_FALSE(Run("CREATE FUNCTION ann.count_t () RETURNS int AS BEGIN RETURN (SELECT COUNT(*) FROM t "
                     "WHERE who = 'ann') END").HasError());
    // ann's procedure finds ann's table; bob has none, so his finds dbo's.
    EXPECT_EQ(Cell(Run("EXEC ann.whose")), "ann");
    EXPECT_EQ(Cell(Run("EXEC bob.whose")), "dbo");
    EXPECT_EQ(Cell(Run("SELECT ann.count_t()")), "1");
    // Dynamic text runs as the caller, as on SQL Server.
    ASSERT_FALSE(Run("CREATE PROCEDURE ann.dynamic AS EXEC ('SELECT who FROM t')").HasError());
    EXPECT_EQ(Cell(Run("EXEC ann.dynamic")), "dbo");
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
    const std::string helpOffline = Cell(Run("EXEC sp_helpdb 'Sleepy'"), 0, 0, 5);
    EXPECT_EQ(helpOffline.rfind("Status=OFFLINE, ", 0), 0u) << helpOffline;
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
    const std::string helpOnline = Cell(Run("EXEC sp_helpdb 'Sleepy'"), 0, 0, 5);
    EXPECT_EQ(helpOnline.rfind("Status=ONLINE, ", 0), 0u) << helpOnline;
    EXPECT_FALSE(Run("DROP DATABASE Sleepy").HasError());
}

TEST_F(ServerTest, SysindexesCountsEachTablesRows)
{
    ASSERT_FALSE(Run("CREATE TABLE Counted (a int NOT NULL PRIMARY KEY NONCLUSTERED, b int NULL)\n"
                     "CREATE INDEX IX_b ON Counted (b)\nCREATE TABLE Empty (a int NULL)").HasError());
    BufferedSink filled = Run("DECLARE @i int SET @i = 0\n"
                              "WHILE @i < 120 BEGIN INSERT INTO Counted VALUES (@i, @i % 7) SET @i = @i + 1 END\n"
                              "DELETE FROM Counted WHERE a < 20");
    ASSERT_FALSE(filled.HasError()) << Describe(filled);
    BufferedSink rows = Run("SELECT indid, rows, rowcnt, CASE WHEN dpages > 0 THEN 1 ELSE 0 END FROM sysindexes "
                            "WHERE id = object_id('Counted') ORDER BY indid\n"
                            "SELECT rows, rowcnt FROM sysindexes WHERE id = object_id('Empty')");
    ASSERT_FALSE(rows.HasError()) << Describe(rows);
    // The heap (0) and both nonclustered indexes see the 100 rows left.
    ASSERT_EQ(rows.resultSets[0].rows.size(), 3u);
    for (const Row& row : rows.resultSets[0].rows) {
        EXPECT_EQ(row[1].ToText(), "100") << "indid " << row[0].ToText();
        EXPECT_EQ(row[2].ToText(), "100") << "indid " << row[0].ToText();
    }
    EXPECT_EQ(Cell(rows, 0, 0, 3), "1");
    EXPECT_EQ(Cell(rows, 0, 1, 3), "0");
    EXPECT_EQ(Cell(rows, 1, 0, 0), "0");
    // Rows a transaction adds count for it before it commits.
    BufferedSink inside = Run("BEGIN TRAN INSERT INTO Empty VALUES (1) "
                              "SELECT rows FROM sysindexes WHERE id = object_id('Empty') ROLLBACK");
    EXPECT_EQ(Cell(inside), "1");
    EXPECT_FALSE(Run("DROP TABLE Counted DROP TABLE Empty").HasError());
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

namespace tw::server::test {

// A parent and a child with rows, an index and a trigger, changed by ALTER
// TABLE: every change rebuilds the child and must keep all of them.
class AlterTableTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        Run("IF object_id('AltChild') IS NOT NULL DROP TABLE AltChild\n"
            "IF object_id('AltParent') IS NOT NULL DROP TABLE AltParent");
        BufferedSink setup = Run(
            "CREATE TABLE AltParent (id int NOT NULL CONSTRAINT PK_AltParent PRIMARY KEY, name varchar(20) NULL)\n"
            "CREATE TABLE AltChild (line int IDENTITY(1,1) NOT NULL, parent int NOT NULL, qty smallint NULL, "
            "note varchar(10) NULL, made datetime NULL)\n"
            "CREATE INDEX IX_AltChild_qty ON AltChild (qty)\n"
            "INSERT INTO AltParent VALUES (1, 'one')\nINSERT INTO AltParent VALUES (2, 'two')\n"
            "INSERT INTO AltChild (parent, qty, note) VALUES (1, 5, 'a')\n"
            "INSERT INTO AltChild (parent, qty, note) VALUES (2, 7, '12')");
        ASSERT_FALSE(setup.HasError()) << Describe(setup);
        ASSERT_FALSE(Run("CREATE TRIGGER trg_AltChild ON AltChild FOR INSERT AS "
                         "UPDATE AltChild SET note = 'trig' WHERE note = 'fire'").HasError());
    }
    void TearDown() override { Run("DROP TABLE AltChild DROP TABLE AltParent"); }

    std::string Count(const std::string& where)
    {
        return Cell(Run("SELECT COUNT(*) FROM sysobjects WHERE parent_obj = object_id('AltChild') AND " + where));
    }
};

TEST_F(AlterTableTest, AddedConstraintsAreEnforcedAndCatalogued)
{
    BufferedSink added = Run("ALTER TABLE AltChild ADD CONSTRAINT FK_AltChild_Parent FOREIGN KEY (parent) "
                             "REFERENCES AltParent (id), CONSTRAINT CK_AltChild_qty CHECK (qty > 0), "
                             "CONSTRAINT UQ_AltChild_note UNIQUE (note)\n"
                             "ALTER TABLE AltChild ADD CONSTRAINT PK_AltChild PRIMARY KEY (line)\n"
                             "ALTER TABLE AltChild ADD CONSTRAINT DF_AltChild_qty DEFAULT (3) FOR qty");
    ASSERT_FALSE(added.HasError()) << Describe(added);
    EXPECT_EQ(Count("xtype IN ('F', 'C', 'UQ', 'PK', 'D')"), "5");
    EXPECT_EQ(Cell(Run("SELECT COUNT(*) FROM sysreferences WHERE fkeyid = object_id('AltChild') AND "
                       "rkeyid = object_id('AltParent') AND fkey1 = 2 AND rkey1 = 1")), "1");
    EXPECT_EQ(Cell(Run("SELECT COUNT(*) FROM sysconstraints WHERE id = object_id('AltChild')")), "5");
    EXPECT_EQ(Cell(Run("SELECT COUNT(*) FROM sysindexes WHERE id = object_id('AltChild') AND "
                       "name IN ('UQ_AltChild_note', 'PK_AltChild', 'IX_AltChild_qty')")), "3");
    EXPECT_EQ(Cell(Run("SELECT c.text FROM syscomments c WHERE c.id = object_id('DF_AltChild_qty')")), "((3))");

    struct Refused {
        const char* batch;
        int number;
    };
    const Refused refused[] = {
        {"INSERT INTO AltChild (parent, qty, note) VALUES (9, 1, 'x')", 547},
        {"INSERT INTO AltChild (parent, qty, note) VALUES (1, -1, 'y')", 547},
        {"INSERT INTO AltChild (parent, qty, note) VALUES (1, 1, 'a')", 2627},
        {"ALTER TABLE AltChild ADD CONSTRAINT PK_Again PRIMARY KEY (parent)", 1779},
        {"ALTER TABLE AltChild ADD CONSTRAINT DF_Again DEFAULT (1) FOR qty", 1781},
        {"ALTER TABLE AltChild ADD CONSTRAINT CK_Missing CHECK (nosuch > 0)", 207},
        {"ALTER TABLE AltChild ADD CONSTRAINT UQ_x UNIQUE (nosuch)", 1911},
    };
    for (const Refused& r : refused)
        EXPECT_EQ(ErrorNumber(Run(r.batch)), r.number) << r.batch;
    // Rows, the index, the trigger and the new default all survived.
    BufferedSink kept = Run("INSERT INTO AltChild (parent, note) VALUES (2, 'fire')\n"
                            "SELECT COUNT(*), SUM(qty) FROM AltChild\nSELECT note FROM AltChild WHERE line = 3");
    ASSERT_FALSE(kept.HasError()) << Describe(kept);
    EXPECT_EQ(Cell(kept, 0, 0, 0), "3");
    EXPECT_EQ(Cell(kept, 0, 0, 1), "15");
    EXPECT_EQ(Cell(kept, 1), "trig");
}

TEST_F(AlterTableTest, AddingAConstraintTheRowsBreakChangesNothing)
{
    EXPECT_EQ(ErrorNumber(Run("ALTER TABLE AltChild ADD CONSTRAINT CK_big CHECK (qty > 6)")), 547);
    EXPECT_EQ(ErrorNumber(Run("ALTER TABLE AltChild ADD CONSTRAINT FK_none FOREIGN KEY (qty) REFERENCES AltParent (id)")),
              547);
    EXPECT_EQ(Count("xtype IN ('C', 'F')"), "0");
    EXPECT_EQ(Cell(Run("SELECT COUNT(*) FROM AltChild")), "2");
    EXPECT_FALSE(Run("INSERT INTO AltChild (parent, qty) VALUES (1, 1)").HasError());
}

TEST_F(AlterTableTest, DroppedConstraintsStopApplyingAndLeaveTheCatalogue)
{
    ASSERT_FALSE(Run("ALTER TABLE AltChild ADD CONSTRAINT FK_AltChild_Parent FOREIGN KEY (parent) "
                     "REFERENCES AltParent (id), CONSTRAINT CK_AltChild_qty CHECK (qty > 0)\n"
                     "ALTER TABLE AltChild ADD CONSTRAINT DF_AltChild_note DEFAULT ('dflt') FOR note").HasError());
    EXPECT_EQ(ErrorNumber(Run("ALTER TABLE AltParent DROP CONSTRAINT PK_AltParent")), 3725);
    BufferedSink dropped = Run("ALTER TABLE AltChild DROP CONSTRAINT CK_AltChild_qty\n"
                               "ALTER TABLE AltChild DROP CONSTRAINT FK_AltChild_Parent\n"
                               "ALTER TABLE AltChild DROP CONSTRAINT DF_AltChild_note\n"
                               "INSERT INTO AltChild (parent, qty) VALUES (99, -4)\n"
                               "SELECT note FROM AltChild WHERE parent = 99");
    ASSERT_FALSE(dropped.HasError()) << Describe(dropped);
    EXPECT_EQ(Cell(dropped), "NULL");
    EXPECT_EQ(Count("1 = 1"), "1"); // the trigger
    EXPECT_EQ(Cell(Run("SELECT COUNT(*) FROM sysreferences WHERE fkeyid = object_id('AltChild')")), "0");
    EXPECT_EQ(Cell(Run("SELECT COUNT(*) FROM syscolumns WHERE id = object_id('AltChild') AND cdefault <> 0")), "0");
    EXPECT_EQ(ErrorNumber(Run("ALTER TABLE AltChild DROP CONSTRAINT CK_AltChild_qty")), 3728);
    // Without its referencing key the parent's key can go, and comes back.
    ASSERT_FALSE(Run("ALTER TABLE AltParent DROP CONSTRAINT PK_AltParent\nINSERT INTO AltParent VALUES (1, 'dup')")
                     .HasError());
    EXPECT_EQ(Cell(Run("SELECT COUNT(*) FROM sysindexes WHERE id = object_id('AltParent') AND indid = 1")), "0");
    EXPECT_EQ(ErrorNumber(Run("ALTER TABLE AltParent ADD CONSTRAINT PK_AltParent PRIMARY KEY (id)")), 2627);
}

TEST_F(AlterTableTest, AlterColumnChangesTypeAndNullabilityKeepingData)
{
    EXPECT_EQ(ErrorNumber(Run("ALTER TABLE AltChild ALTER COLUMN note int NULL")), 245);
    EXPECT_EQ(Cell(Run("SELECT note FROM AltChild WHERE line = 1")), "a");
    BufferedSink altered = Run("UPDATE AltChild SET note = '3' WHERE note = 'a'\n"
                               "ALTER TABLE AltChild ALTER COLUMN note int NULL\n"
                               "ALTER TABLE AltChild ALTER COLUMN parent bigint NOT NULL\n"
                               "SELECT SUM(note) FROM AltChild WHERE parent = 2\n"
                               "SELECT t.name, c.isnullable FROM syscolumns c JOIN systypes t ON t.xusertype = c.xusertype "
                               "WHERE c.id = object_id('AltChild') AND c.name IN ('note', 'parent') ORDER BY c.colid");
    ASSERT_FALSE(altered.HasError()) << Describe(altered);
    EXPECT_EQ(Cell(altered, 0), "12");
    EXPECT_EQ(Cell(altered, 1, 0, 0), "bigint");
    EXPECT_EQ(Cell(altered, 1, 0, 1), "0");
    EXPECT_EQ(Cell(altered, 1, 1, 0), "int");
    EXPECT_EQ(Cell(altered, 1, 1, 1), "1");
    EXPECT_EQ(ErrorNumber(Run("UPDATE AltChild SET note = 'x'")), 245);
    // Data that does not fit refuses the change and leaves the column as it was.
    EXPECT_EQ(ErrorNumber(Run("ALTER TABLE AltChild ALTER COLUMN made datetime NOT NULL")), 515);
    EXPECT_FALSE(Run("INSERT INTO AltChild (parent) VALUES (1)").HasError());
    EXPECT_EQ(ErrorNumber(Run("ALTER TABLE AltChild ALTER COLUMN qty int")), 5074);
    EXPECT_EQ(ErrorNumber(Run("ALTER TABLE AltChild ALTER COLUMN nosuch int")), 4924);
    EXPECT_EQ(Cell(Run("SELECT COUNT(*) FROM AltChild")), "3");
    EXPECT_FALSE(Run("ALTER TABLE AltChild ALTER COLUMN made varchar(30) NULL").HasError());
}

TEST_F(AlterTableTest, ChangesInsideATransactionRollBack)
{
    BufferedSink rolled = Run("BEGIN TRAN\nALTER TABLE AltChild ADD CONSTRAINT CK_AltChild_qty CHECK (qty > 0)\n"
                              "ALTER TABLE AltChild ALTER COLUMN note varchar(40) NULL\nROLLBACK");
    ASSERT_FALSE(rolled.HasError()) << Describe(rolled);
    EXPECT_EQ(Count("xtype = 'C'"), "0");
    EXPECT_FALSE(Run("INSERT INTO AltChild (parent, qty) VALUES (1, -1)").HasError());
    EXPECT_EQ(ErrorNumber(Run("BEGIN TRAN ALTER TABLE AltParent ALTER COLUMN name varchar(30) NULL")), 0);
    Run("IF @@TRANCOUNT > 0 ROLLBACK");
}

} // namespace tw::server::test

namespace tw::server::test {

TEST_F(OwnersTest, PermissionsAreKeptInSysprotects)
{
    ASSERT_FALSE(Run("CREATE TABLE dbo.Guarded (a int)").HasError());
    ASSERT_FALSE(Run("CREATE PROCEDURE dbo.Act AS SELECT 1").HasError());
    BufferedSink granted = Run("GRANT SELECT, INSERT ON Guarded TO ann WITH GRANT OPTION\n"
                               "GRANT ALL ON dbo.Guarded TO bob\nDENY DELETE ON Guarded TO ann\n"
                               "GRANT EXEC ON Act TO public\nREVOKE UPDATE ON Guarded FROM bob\n"
                               "REVOKE GRANT OPTION FOR INSERT ON Guarded TO ann");
    ASSERT_FALSE(granted.HasError()) << Describe(granted);
    BufferedSink rows = Run("SELECT user_name(uid), action, protecttype FROM sysprotects "
                            "WHERE id = object_id('Guarded') ORDER BY uid, action\n"
                            "SELECT user_name(uid), action, protecttype, user_name(grantor) FROM sysprotects "
                            "WHERE id = object_id('Act')");
    ASSERT_FALSE(rows.HasError()) << Describe(rows);
    struct Expected {
        const char* user;
        const char* action;
        const char* type;
    };
    const Expected expected[] = {
        {"ann", "193", "204"}, {"ann", "195", "205"}, {"ann", "196", "206"},
        {"bob", "26", "205"},  {"bob", "193", "205"}, {"bob", "195", "205"}, {"bob", "196", "205"},
    };
    ASSERT_EQ(rows.resultSets[0].rows.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(Cell(rows, 0, i, 0), expected[i].user) << i;
        EXPECT_EQ(Cell(rows, 0, i, 1), expected[i].action) << i;
        EXPECT_EQ(Cell(rows, 0, i, 2), expected[i].type) << i;
    }
    EXPECT_EQ(Cell(rows, 1, 0, 0), "public");
    EXPECT_EQ(Cell(rows, 1, 0, 1), "224");
    EXPECT_EQ(Cell(rows, 1, 0, 2), "205");
    EXPECT_EQ(Cell(rows, 1, 0, 3), "dbo");

    // A grant replaces the deny; dropping the user or the object takes its rows along.
    ASSERT_FALSE(Run("GRANT DELETE ON Guarded TO ann").HasError());
    EXPECT_EQ(Cell(Run("SELECT protecttype FROM sysprotects WHERE uid = user_id('ann') AND action = 196")), "205");
    EXPECT_EQ(ErrorNumber(Run("GRANT EXECUTE ON Guarded TO ann")), 4606);
    EXPECT_EQ(ErrorNumber(Run("GRANT SELECT ON Guarded TO nobody")), 4604);
    EXPECT_EQ(ErrorNumber(Run("GRANT SELECT ON NoSuchTable TO ann")), 208);
    ASSERT_FALSE(Run("DROP TABLE Guarded\nEXEC sp_dropuser 'ann'").HasError());
    EXPECT_EQ(Cell(Run("SELECT COUNT(*) FROM sysprotects")), "1");
}

} // namespace tw::server::test

namespace tw::server::test {

struct IdentityCase {
    const char* declaration;
    std::vector<std::string> values; // the identities of three single inserts and one of two rows
    const char* seedIncrCurrent;
};

class IdentityNumberingTest : public ServerTest, public ::testing::WithParamInterface<IdentityCase> {};

TEST_P(IdentityNumberingTest, NumbersFromTheSeedByTheIncrement)
{
    const IdentityCase& c = GetParam();
    Run("IF object_id('Numbered') IS NOT NULL DROP TABLE Numbered");
    ASSERT_FALSE(Run(std::string("CREATE TABLE Numbered (n int ") + c.declaration + ", v int NULL)").HasError());
    EXPECT_EQ(Cell(Run("SELECT IDENT_CURRENT('Numbered')")), c.values[0] == "1" ? "1" : Cell(Run("SELECT IDENT_SEED('Numbered')")));
    BufferedSink inserted = Run("INSERT INTO Numbered (v) VALUES (1)\nSELECT @@IDENTITY\n"
                                "INSERT INTO Numbered (v) VALUES (2)\nINSERT INTO Numbered (v) VALUES (3)\n"
                                "INSERT INTO Numbered (v) SELECT v + 10 FROM Numbered WHERE v < 3 ORDER BY v\n"
                                "SELECT n FROM Numbered ORDER BY v\n"
                                "SELECT CAST(IDENT_SEED('Numbered') AS varchar) + ',' + CAST(IDENT_INCR('Numbered') AS "
                                "varchar) + ',' + CAST(IDENT_CURRENT('Numbered') AS varchar), @@IDENTITY");
    ASSERT_FALSE(inserted.HasError()) << Describe(inserted);
    EXPECT_EQ(Cell(inserted, 0), c.values[0]);
    std::vector<std::string> got;
    for (size_t row = 0; row < inserted.resultSets[1].rows.size(); ++row)
        got.push_back(Cell(inserted, 1, row));
    EXPECT_EQ(got, c.values);
    EXPECT_EQ(Cell(inserted, 2, 0, 0), c.seedIncrCurrent);
    EXPECT_EQ(Cell(inserted, 2, 0, 1), c.values.back());
    Run("DROP TABLE Numbered");
}

INSTANTIATE_TEST_SUITE_P(
    Seeds, IdentityNumberingTest,
    ::testing::Values(IdentityCase{"IDENTITY", {"1", "2", "3", "4", "5"}, "1,1,5"},
                      IdentityCase{"IDENTITY(100, 1)", {"100", "101", "102", "103", "104"}, "100,1,104"},
                      IdentityCase{"IDENTITY(10, 5) NOT NULL", {"10", "15", "20", "25", "30"}, "10,5,30"},
                      IdentityCase{"IDENTITY(0, 1)", {"0", "1", "2", "3", "4"}, "0,1,4"},
                      IdentityCase{"IDENTITY(-1, -1)", {"-1", "-2", "-3", "-4", "-5"}, "-1,-1,-5"}));

TEST_F(ServerTest, IdentityFunctionsOnTablesWithoutOne)
{
    ASSERT_FALSE(Run("CREATE TABLE #plain (a int)\nCREATE TABLE Plain (a int)").HasError());
    BufferedSink none = Run("SELECT ISNULL(CAST(IDENT_SEED('Plain') AS varchar), 'null'), "
                            "ISNULL(CAST(IDENT_CURRENT('NoSuchTable') AS varchar), 'null')");
    EXPECT_EQ(Cell(none, 0, 0, 0), "null");
    EXPECT_EQ(Cell(none, 0, 0, 1), "null");
    Run("DROP TABLE Plain");
    EXPECT_EQ(ErrorNumber(Run("CREATE TABLE NoStep (n int IDENTITY(1, 0))")), 2754);
}

} // namespace tw::server::test

namespace tw::server::test {

class OddDatabaseNameTest : public ServerTest, public ::testing::WithParamInterface<const char*> {};

// Each name is given as T-SQL spells it in brackets and in a string.
TEST_P(OddDatabaseNameTest, WorksInEveryStatementAndFunction)
{
    const std::string name = GetParam();
    std::string bracketed = "[", literal = "'";
    for (char c : name) {
        bracketed += c == ']' ? "]]" : std::string(1, c);
        literal += c == '\'' ? "''" : std::string(1, c);
    }
    bracketed += "]";
    literal += "'";
    Run("USE master IF db_id(" + literal + ") IS NOT NULL DROP DATABASE " + bracketed);
    BufferedSink made = Run("CREATE DATABASE " + bracketed + "\nUSE " + bracketed +
                            "\nCREATE TABLE t (a int)\nINSERT INTO t VALUES (4)");
    ASSERT_FALSE(made.HasError()) << Describe(made);
    BufferedSink read = Run("SELECT db_name(), db_id(" + literal + ") - db_id(), COUNT(*) FROM sysobjects WHERE name = 't'\n"
                            "USE master\nSELECT a FROM " + bracketed + "..t\nSELECT a FROM " + bracketed + ".dbo.t\n"
                            "SELECT DATABASEPROPERTYEX(" + literal + ", 'Status'), name FROM sysdatabases WHERE name = " +
                            literal + "\nEXEC sp_helpdb " + literal);
    ASSERT_FALSE(read.HasError()) << Describe(read);
    EXPECT_EQ(Cell(read, 0, 0, 0), name);
    EXPECT_EQ(Cell(read, 0, 0, 1), "0");
    EXPECT_EQ(Cell(read, 0, 0, 2), "1");
    EXPECT_EQ(Cell(read, 1), "4");
    EXPECT_EQ(Cell(read, 2), "4");
    EXPECT_EQ(Cell(read, 3, 0, 0), "ONLINE");
    EXPECT_EQ(Cell(read, 3, 0, 1), name);
    BufferedSink offline = Run("ALTER DATABASE " + bracketed + " SET OFFLINE\nALTER DATABASE " + bracketed +
                               " SET ONLINE\nDROP DATABASE " + bracketed);
    ASSERT_FALSE(offline.HasError()) << Describe(offline);
    EXPECT_EQ(Cell(Run("SELECT COUNT(*) FROM sysdatabases WHERE name = " + literal)), "0");
}

INSTANTIATE_TEST_SUITE_P(Names, OddDatabaseNameTest, ::testing::Values("a]b", "o'k", "[x] 'y'", "semi;colon"));

} // namespace tw::server::test

namespace tw::server::test {

TEST_F(ServerTest, IdentityIsNullAfterAnInsertIntoATableWithoutOne)
{
    BufferedSink sink = Run("CREATE TABLE #counted (n int IDENTITY, v int NULL)\nCREATE TABLE #plain (v int NULL)\n"
                            "INSERT INTO #counted (v) VALUES (1)\nSELECT @@IDENTITY\n"
                            "INSERT INTO #plain VALUES (1)\nSELECT ISNULL(CAST(@@IDENTITY AS varchar), 'null')");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(Cell(sink, 0), "1");
    EXPECT_EQ(Cell(sink, 1), "null");
}

} // namespace tw::server::test

namespace tw::server::test {

TEST_F(OwnersTest, InsertsAndTriggersFindTheOwnersTable)
{
    ASSERT_FALSE(Run("CREATE TABLE dbo.t (a int NULL, b int NULL, c int NULL)\n"
                     "CREATE TABLE ann.t (n int IDENTITY(5, 5), a int NULL)").HasError());
    ASSERT_FALSE(Run("CREATE TRIGGER ann.t_count ON ann.t FOR INSERT AS "
                     "UPDATE ann.t SET a = a * 10 WHERE n IN (SELECT n FROM inserted)").HasError());
    BufferedSink inserted = Run("INSERT INTO ann.t VALUES (1)\nINSERT INTO ann.t VALUES (2)\n"
                                "SELECT n, a FROM ann.t ORDER BY n\nSELECT @@IDENTITY, COUNT(*) FROM dbo.t");
    ASSERT_FALSE(inserted.HasError()) << Describe(inserted);
    EXPECT_EQ(Cell(inserted, 0, 0, 0), "5");
    EXPECT_EQ(Cell(inserted, 0, 0, 1), "10");
    EXPECT_EQ(Cell(inserted, 0, 1, 0), "10");
    EXPECT_EQ(Cell(inserted, 0, 1, 1), "20");
    EXPECT_EQ(Cell(inserted, 1, 0, 0), "10");
    EXPECT_EQ(Cell(inserted, 1, 0, 1), "0");
}

} // namespace tw::server::test
