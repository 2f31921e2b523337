// User types made with sp_addtype, and the master objects and catalogue
// functions DBA scripts read, answered as SQL Server does.
#include "ServerFixture.h"

namespace tw::server::test {

namespace {

std::string Cell(const BufferedSink& sink, size_t set, size_t row, size_t column)
{
    return sink.resultSets.at(set).rows.at(row).at(column).ToText();
}

} // namespace

TEST_F(ServerTest, UserTypesStandForTheirBaseTypeInColumnsVariablesAndTheCatalogue)
{
    ASSERT_FALSE(Run("EXEC sp_addtype 'empid', 'char(9)', 'NOT NULL' EXEC sp_addtype tid, 'varchar(6)', 'NULL'")
                     .HasError());
    const BufferedSink sink = Run(
        "CREATE TABLE Staff (e empid, t tid)\n"
        "INSERT Staff (e, t) VALUES ('A1', 'B')\n"
        "SELECT c.name, c.xtype, t.name, c.length, c.isnullable FROM syscolumns c JOIN systypes t "
        "ON t.xusertype = c.xusertype WHERE c.id = OBJECT_ID('Staff') ORDER BY c.colid\n"
        "DECLARE @x empid SET @x = 'abc' SELECT DATALENGTH(@x), e FROM Staff\n"
        "SELECT xtype, length, allownulls FROM systypes WHERE name = 'empid'");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    // Columns of a NOT NULL type refuse NULL unless they say otherwise.
    EXPECT_EQ(Rows(sink.resultSets.at(0)), (std::vector<std::string>{"e|175|empid|9|0", "t|167|tid|6|1"}));
    EXPECT_EQ(Rows(sink.resultSets.at(1)), std::vector<std::string>{"9|A1       "});
    EXPECT_EQ(Rows(sink.resultSets.at(2)), std::vector<std::string>{"175|9|0"});
    EXPECT_EQ(Run("INSERT Staff (t) VALUES ('x')").FirstError()->number, 515);
    const BufferedSink help = Run("EXEC sp_help Staff");
    ASSERT_FALSE(help.HasError()) << Describe(help);
    EXPECT_EQ(Cell(help, 1, 0, 1), "empid");
    EXPECT_EQ(Cell(help, 1, 1, 1), "tid");

    // A type in use stays; dropped once no column uses it.
    EXPECT_EQ(Run("EXEC sp_droptype 'empid'").FirstError()->number, 15180);
    Run("DROP TABLE Staff");
    const BufferedSink dropped = Run("EXEC sp_droptype 'empid' EXEC sp_droptype 'tid' "
                                     "SELECT count(*) FROM systypes WHERE xusertype > 256");
    ASSERT_FALSE(dropped.HasError()) << Describe(dropped);
    EXPECT_EQ(Cell(dropped, 0, 0, 0), "0");
    EXPECT_EQ(Run("DECLARE @y empid").FirstError()->number, 2715);
}

TEST_F(ServerTest, UserTypesInProceduresAndTheirMistakes)
{
    ASSERT_FALSE(Run("EXEC sp_addtype money_amount, 'decimal(10, 2)'").HasError());
    ASSERT_FALSE(Run("CREATE PROC Doubled @m money_amount AS SELECT @m * 2").HasError());
    const BufferedSink sink = Run("EXEC Doubled 1.234");
    Run("DROP PROC Doubled EXEC sp_droptype money_amount");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(Cell(sink, 0, 0, 0), "2.46");

    EXPECT_EQ(Run("EXEC sp_addtype twice, 'nosuchtype'").FirstError()->number, 15036);
    EXPECT_EQ(Run("EXEC sp_addtype int, 'int'").FirstError()->number, 15029);
    EXPECT_EQ(Run("EXEC sp_addtype odd, 'int', 'maybe'").FirstError()->number, 15040);
    EXPECT_EQ(Run("EXEC sp_droptype nosuchtype").FirstError()->number, 15148);
}

TEST_F(ServerTest, MasterObjectsDbaScriptsRead)
{
    const BufferedSink sink = Run(
        "SELECT count(*) FROM master.dbo.sysaltfiles WHERE dbid = DB_ID() AND filename LIKE '%TarnSample%'\n"
        "SELECT count(*), min(number), max(number) FROM master.dbo.spt_values WHERE type = 'P'\n"
        "USE master SELECT OBJECTPROPERTY(OBJECT_ID('spt_values'), 'IsMSShipped') USE TarnSample");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(Rows(sink.resultSets.at(0)), std::vector<std::string>{"2"});
    EXPECT_EQ(Rows(sink.resultSets.at(1)), std::vector<std::string>{"2048|0|2047"});
    EXPECT_EQ(Rows(sink.resultSets.at(2)), std::vector<std::string>{"1"});
}

TEST_F(ServerTest, IndexPropertyAndMarkedSystemObjects)
{
    ASSERT_FALSE(Run("CREATE TABLE Indexed (a int CONSTRAINT PK_Indexed PRIMARY KEY, b int) "
                     "CREATE INDEX ix_b ON Indexed (b)").HasError());
    ASSERT_FALSE(Run("CREATE PROC sp_mine AS SELECT 1").HasError());
    const BufferedSink sink = Run(
        "SELECT INDEXPROPERTY(OBJECT_ID('Indexed'), 'PK_Indexed', 'IsClustered'), "
        "INDEXPROPERTY(OBJECT_ID('Indexed'), 'PK_Indexed', 'IsUnique'), "
        "INDEXPROPERTY(OBJECT_ID('Indexed'), 'ix_b', 'IsClustered'), "
        "INDEXPROPERTY(OBJECT_ID('Indexed'), 'ix_b', 'IsUnique'), "
        "INDEXPROPERTY(OBJECT_ID('Indexed'), 'ix_b', 'IsStatistics'), "
        "INDEXPROPERTY(OBJECT_ID('Indexed'), 'nosuch', 'IsUnique')\n"
        "SELECT OBJECTPROPERTY(OBJECT_ID('sp_mine'), 'IsMSShipped')\n"
        "EXEC sp_MS_marksystemobject 'sp_mine'\n"
        "SELECT OBJECTPROPERTY(OBJECT_ID('sp_mine'), 'IsMSShipped')");
    Run("DROP TABLE Indexed DROP PROC sp_mine");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(Rows(sink.resultSets.at(0)), std::vector<std::string>{"1|1|0|0|0|NULL"});
    EXPECT_EQ(Rows(sink.resultSets.at(1)), std::vector<std::string>{"0"});
    EXPECT_EQ(Rows(sink.resultSets.at(2)), std::vector<std::string>{"1"});
}

TEST_F(ServerTest, RecoveryModelIsKeptPerDatabase)
{
    const BufferedSink sink = Run(
        "SELECT DATABASEPROPERTYEX('TarnSample', 'Recovery'), DATABASEPROPERTYEX('master', 'Recovery')\n"
        "ALTER DATABASE TarnSample SET RECOVERY SIMPLE\n"
        "SELECT DATABASEPROPERTYEX('TarnSample', 'Recovery'), status & 8 FROM master.dbo.sysdatabases "
        "WHERE name = 'TarnSample'\n"
        "ALTER DATABASE TarnSample SET RECOVERY BULK_LOGGED\n"
        "SELECT DATABASEPROPERTYEX('TarnSample', 'Recovery')\n"
        "ALTER DATABASE TarnSample SET RECOVERY FULL\n"
        "SELECT DATABASEPROPERTYEX('TarnSample', 'Recovery')");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    const std::vector<std::vector<std::string>> expected = {{"FULL|SIMPLE"}, {"SIMPLE|8"}, {"BULK_LOGGED"}, {"FULL"}};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(Rows(sink.resultSets.at(i)), expected[i]) << "result " << i;
    EXPECT_EQ(Run("ALTER DATABASE TarnSample SET RECOVERY SOMETIMES").FirstError()->number, 40000);
}

} // namespace tw::server::test
