// Forms the classic install and DBA scripts use, answered as SQL Server does:
// money constants, dec, DATALENGTH by type, ISNUMERIC, PARSENAME, names
// beyond ASCII and beyond 128 characters, CHECKPOINT, UPDATE STATISTICS.
#include "ServerFixture.h"

namespace tw::server::test {

INSTANTIATE_TEST_SUITE_P(
    ClassicForms, ExpressionTest,
    ::testing::Values(
        ExpressionCase{"CAST($20.00 AS varchar(10))", "20.00"}, ExpressionCase{"$5 + 2", "7.0000"},
        ExpressionCase{"CAST(1.5 AS dec(5, 2))", "1.50"},
        // Decimals show their own digits, never the tail of the binary fraction, and round half away from zero.
        ExpressionCase{"CAST(0.1 AS decimal(38, 20))", "0.10000000000000000000"},
        ExpressionCase{"CAST(2.675 AS decimal(5, 2))", "2.68"}, ExpressionCase{"CAST(-2.675 AS decimal(5, 2))", "-2.68"},
        ExpressionCase{"CAST(0.125 AS decimal(5, 2))", "0.13"}, ExpressionCase{"CAST(-0.004 AS decimal(5, 2))", "0.00"},
        ExpressionCase{"CAST(9.995 AS decimal(5, 2))", "10.00"}, ExpressionCase{"CAST($1234567.891 AS money)", "1234567.8910"},
        ExpressionCase{"CAST(CAST(1234567.891 AS money) AS varchar(30))", "1234567.89"},
        ExpressionCase{"CAST(CAST(0.1 AS decimal(30, 18)) AS varchar(40))", "0.100000000000000000"},
        ExpressionCase{"DATALENGTH('abc')", "3"}, ExpressionCase{"DATALENGTH(N'abc')", "6"},
        ExpressionCase{"DATALENGTH(N'\xc3\xa4\xc3\xb6')", "4"}, ExpressionCase{"DATALENGTH('\xc3\xa4\xc3\xb6')", "2"},
        ExpressionCase{"DATALENGTH(CAST('ab' AS nchar(10)))", "20"}, ExpressionCase{"DATALENGTH(CAST(1 AS smallint))", "2"},
        ExpressionCase{"DATALENGTH(GETDATE())", "8"}, ExpressionCase{"DATALENGTH(CAST(NULL AS int))", "NULL"},
        ExpressionCase{"ISNUMERIC('$12')", "1"}, ExpressionCase{"ISNUMERIC('12')", "1"}, ExpressionCase{"ISNUMERIC(' -12.5 ')", "1"},
        ExpressionCase{"ISNUMERIC('1,000')", "1"}, ExpressionCase{"ISNUMERIC('1e5')", "1"}, ExpressionCase{"ISNUMERIC('1d5')", "1"},
        ExpressionCase{"ISNUMERIC('-')", "1"}, ExpressionCase{"ISNUMERIC('.')", "1"}, ExpressionCase{"ISNUMERIC('abc')", "0"},
        ExpressionCase{"ISNUMERIC('12a')", "0"}, ExpressionCase{"ISNUMERIC('1.2.3')", "0"}, ExpressionCase{"ISNUMERIC('')", "0"},
        ExpressionCase{"ISNUMERIC(NULL)", "0"}, ExpressionCase{"ISNUMERIC(42)", "1"},
        ExpressionCase{"PARSENAME('srv.db.dbo.tbl', 1)", "tbl"}, ExpressionCase{"PARSENAME('srv.db.dbo.tbl', 2)", "dbo"},
        ExpressionCase{"PARSENAME('srv.db.dbo.tbl', 3)", "db"}, ExpressionCase{"PARSENAME('srv.db.dbo.tbl', 4)", "srv"},
        ExpressionCase{"PARSENAME('dbo.tbl', 3)", "NULL"}, ExpressionCase{"PARSENAME('[my.db]..[t]', 3)", "my.db"},
        ExpressionCase{"PARSENAME('[my.db]..[t]', 2)", "NULL"}, ExpressionCase{"PARSENAME('a.b.c.d.e', 1)", "NULL"},
        ExpressionCase{"PARSENAME('tbl', 1)", "tbl"},
        ExpressionCase{"CASE WHEN N'\xc3\x84\xc3\x96\xc3\x9c' = N'\xc3\xa4\xc3\xb6\xc3\xbc' THEN 1 ELSE 0 END", "1"},
        ExpressionCase{"CASE WHEN N'\xd0\x96' = N'\xd0\xb6' THEN 1 ELSE 0 END", "1"},
        ExpressionCase{"CASE WHEN N'\xc3\xa4' = N'a' THEN 1 ELSE 0 END", "0"}));

TEST_F(ServerTest, ColumnsGiveDataLengthByTheirType)
{
    const BufferedSink sink = Run("CREATE TABLE Lengths (n nvarchar(10), c char(6), v varchar(10), i int, m money, "
                                  "s smallint)\n"
                                  "INSERT Lengths VALUES (N'\xc3\xa4\x62', 'ab', '\xc3\xa4\x62', 1, 2, 3)\n"
                                  "SELECT DATALENGTH(n), DATALENGTH(c), DATALENGTH(v), DATALENGTH(i), DATALENGTH(m), "
                                  "DATALENGTH(s) FROM Lengths");
    Run("DROP TABLE Lengths");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    const ResultSet& r = sink.resultSets.at(0);
    ASSERT_EQ(r.rows.size(), 1u);
    const char* const expected[] = {"4", "6", "2", "4", "8", "2"};
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(r.rows[0][i].ToText(), expected[i]) << "column " << i;
}

TEST_F(ServerTest, NamesCompareWithoutCaseBeyondAscii)
{
    ASSERT_FALSE(Run("CREATE TABLE [\xc3\x84\xc3\x96\xc3\x9c] (Stra\xc3\x9f\x65 int)").HasError());
    const BufferedSink sink = Run("INSERT [\xc3\xa4\xc3\xb6\xc3\xbc] VALUES (1) SELECT STRASSE = COUNT(*) FROM "
                                  "[\xc3\xa4\xc3\xb6\xc3\xbc] SELECT OBJECT_ID('\xc3\xa4\xc3\xb6\xc3\xbc')");
    Run("DROP TABLE [\xc3\xa4\xc3\xb6\xc3\xbc]");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(sink.resultSets.at(0).rows.at(0).at(0).ToText(), "1");
    EXPECT_NE(sink.resultSets.at(1).rows.at(0).at(0).ToText(), "NULL");
}

TEST_F(ServerTest, IdentifiersOverOneHundredTwentyEightCharactersAreRefused)
{
    const std::string longest(128, 'x');
    EXPECT_FALSE(Run("SELECT 1 AS [" + longest + "]").HasError());
    for (const std::string& batch : {"SELECT 1 AS [" + longest + "y]", "SELECT 1 AS " + longest + "y",
                                     "DECLARE @" + longest + " int", "SELECT * FROM \"" + longest + "y\""}) {
        const BufferedSink sink = Run("PRINT 'ran' " + batch);
        ASSERT_TRUE(sink.HasError()) << batch;
        EXPECT_EQ(sink.FirstError()->number, 103);
        EXPECT_EQ(sink.FirstError()->severity, 15);
        EXPECT_EQ(sink.messages.size(), 1u); // nothing ran
    }
    EXPECT_EQ(Run("SELECT 1 AS [" + longest + "y]").FirstError()->text,
              "The identifier that starts with '" + longest + "' is too long. Maximum length is 128.");
}

TEST_F(ServerTest, NamesHoldingQuotesAndBracketsStayNames)
{
    const BufferedSink sink = Run("CREATE TABLE [odd\"name] ([col\"x] int, [a]]b] varchar(5))\n"
                                  "INSERT [odd\"name] VALUES (1, 'q')\n"
                                  "CREATE INDEX [ix\"1] ON [odd\"name] ([col\"x])\n"
                                  "UPDATE [odd\"name] SET [col\"x] = [col\"x] + 1\n"
                                  "SELECT [col\"x], [a]]b] FROM dbo.[odd\"name]\n"
                                  "SELECT name FROM syscolumns WHERE id = OBJECT_ID('[odd\"name]') ORDER BY colid");
    Run("DROP TABLE [odd\"name]");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    ASSERT_EQ(sink.resultSets.size(), 2u);
    EXPECT_EQ(sink.resultSets[0].rows.at(0).at(0).ToText(), "2");
    EXPECT_EQ(sink.resultSets[0].columns.at(1).name, "a]b");
    ASSERT_EQ(sink.resultSets[1].rows.size(), 2u);
    EXPECT_EQ(sink.resultSets[1].rows[0][0].ToText(), "col\"x");
    EXPECT_EQ(Query("SELECT COUNT(*) FROM sysobjects WHERE name = 'odd\"name'").rows[0][0].ToText(), "0");
    // A name with nothing in it is refused, not made.
    const BufferedSink empty = Run("CREATE TABLE [] (a int)");
    ASSERT_TRUE(empty.HasError());
    EXPECT_EQ(empty.FirstError()->number, 1038);
}

TEST_F(ServerTest, IndexColNamesEachKeyColumn)
{
    const BufferedSink sink = Run("CREATE TABLE Keyed (a int, b int, c int)\n"
                                  "CREATE INDEX ix_Keyed ON Keyed (c, a)\n"
                                  "DECLARE @i int SELECT @i = indid FROM sysindexes WHERE name = 'ix_Keyed'\n"
                                  "SELECT INDEX_COL('Keyed', @i, 1), INDEX_COL('dbo.Keyed', @i, 2), "
                                  "INDEX_COL('Keyed', @i, 3), INDEX_COL('NoSuchTable', @i, 1)");
    Run("DROP TABLE Keyed");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    const Row& row = sink.resultSets.at(0).rows.at(0);
    EXPECT_EQ(row[0].ToText(), "c");
    EXPECT_EQ(row[1].ToText(), "a");
    EXPECT_EQ(row[2].ToText(), "NULL");
    EXPECT_EQ(row[3].ToText(), "NULL");
}

TEST_F(ServerTest, CheckpointAndUpdateStatisticsRun)
{
    EXPECT_FALSE(Run("CHECKPOINT").HasError());
    EXPECT_FALSE(Run("UPDATE STATISTICS Orders").HasError());
    EXPECT_FALSE(Run("UPDATE STATISTICS dbo.Orders WITH FULLSCAN").HasError());
    EXPECT_FALSE(Run("UPDATE STATISTICS Orders (PK_Orders) WITH SAMPLE 50 PERCENT, NORECOMPUTE").HasError());
    const BufferedSink missing = Run("UPDATE STATISTICS NoSuchTable");
    ASSERT_TRUE(missing.HasError());
    EXPECT_EQ(missing.FirstError()->number, 15009);
    // UPDATE itself is unchanged.
    EXPECT_FALSE(Run("UPDATE Orders SET Freight = Freight WHERE 1 = 0").HasError());
}

TEST_F(ServerTest, MoneyAndDecTypesInTables)
{
    const BufferedSink sink = Run("CREATE TABLE Prices (price money, rate dec(9, 3))\n"
                                  "INSERT Prices VALUES ($18.50, 0.125) INSERT Prices VALUES ($1234567.89, 12.5)\n"
                                  "SELECT CAST(price AS varchar(20)), CAST(rate AS varchar(20)) FROM Prices ORDER BY "
                                  "price\n"
                                  "SELECT CONVERT(varchar(20), price, 1) FROM Prices WHERE price > $1000");
    Run("DROP TABLE Prices");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    ASSERT_EQ(sink.resultSets.size(), 2u);
    const ResultSet& r = sink.resultSets[0];
    EXPECT_EQ(sink.resultSets[1].rows.at(0).at(0).ToText(), "1,234,567.89");
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0][0].ToText(), "18.50");
    EXPECT_EQ(r.rows[0][1].ToText(), "0.125");
    EXPECT_EQ(r.rows[1][0].ToText(), "1234567.89");
    EXPECT_EQ(r.rows[1][1].ToText(), "12.500");
}

} // namespace tw::server::test
