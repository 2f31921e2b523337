// Decimal and money types carried where a value travels without a declared
// column of its own: tables made by SELECT ... INTO, temporary tables and
// table variables, scalar subqueries, UNIONs, long +/- runs, and the type an
// overflow message names.
#include "ServerFixture.h"

namespace tw::server::test {

namespace {

// The column types of a result set as SQL Server spells them: "decimal(38,2)", "money", "varchar(20)".
std::string ColumnTypes(const ResultSet& set)
{
    std::string types;
    for (const ColumnInfo& c : set.columns) {
        std::string type = c.typeName;
        if (type == "decimal" || type == "numeric")
            type += "(" + std::to_string(c.precision) + "," + std::to_string(c.scale) + ")";
        else if (type.find("char") != std::string::npos)
            type += "(" + std::to_string(c.size) + ")";
        types += (types.empty() ? "" : " ") + type;
    }
    return types;
}

} // namespace

// Prices(id, big decimal(38,2), small decimal(5,1), fee money, f float, r real, n int, t varchar(20)).
class DecimalCarryTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        Run("IF OBJECT_ID('Prices') IS NOT NULL DROP TABLE Prices\n"
            "IF OBJECT_ID('Copied') IS NOT NULL DROP TABLE Copied");
        BufferedSink sink = Run(
            "CREATE TABLE Prices (id int NOT NULL, big decimal(38,2) NOT NULL, small decimal(5,1) NOT NULL, "
            "fee money NULL, f float NULL, r real NULL, n int NULL, t varchar(20) NULL)\n"
            "INSERT INTO Prices VALUES (1, 12345678901234567890.02, 9.5, $100, 1.5, 2.5, 7, '1234.5')\n"
            "INSERT INTO Prices VALUES (2, 100000000000000000000.00, 10.0, $9.50, 2.5, 3.5, 8, '99999')");
        ASSERT_FALSE(sink.HasError()) << Describe(sink);
    }
    void TearDown() override { Run("DROP TABLE Prices\nIF OBJECT_ID('Copied') IS NOT NULL DROP TABLE Copied"); }
};

// A table made by SELECT ... INTO has the query's decimal and money columns,
// so that it reads back as they were and rounds and refuses what is stored later.
struct IntoCase {
    const char* table; // "Copied" or "#Copied"
};

class SelectIntoTest : public DecimalCarryTest, public ::testing::WithParamInterface<IntoCase> {};

TEST_P(SelectIntoTest, KeepsDecimalAndMoneyColumns)
{
    const std::string table = GetParam().table;
    BufferedSink copy = Run("SELECT id, big, small, fee, big * 2 AS twice, n INTO " + table + " FROM Prices");
    ASSERT_FALSE(copy.HasError()) << Describe(copy);
    BufferedSink read = Run("SELECT * FROM " + table + " ORDER BY id");
    ASSERT_EQ(read.resultSets.size(), 1u) << Describe(read);
    EXPECT_EQ(ColumnTypes(read.resultSets[0]), "int decimal(38,2) decimal(5,1) money decimal(38,2) int");
    EXPECT_EQ(Outcome(read), "1|12345678901234567890.02|9.5|100.0000|24691357802469135780.04|7;"
                             "2|100000000000000000000.00|10.0|9.5000|200000000000000000000.00|8");

    BufferedSink added = Run("INSERT INTO " + table + " VALUES (3, 1.005, 2.25, 1.23456, 0, 9)\n"
                             "UPDATE " + table + " SET small = 7.25 WHERE id = 1");
    ASSERT_FALSE(added.HasError()) << Describe(added);
    EXPECT_EQ(Outcome(Run("SELECT id, CAST(big AS varchar(40)), CAST(small AS varchar(10)), CAST(fee AS varchar(10)) "
                          "FROM " + table + " WHERE small IN (7.3, 2.3) ORDER BY id")),
              "1|12345678901234567890.02|7.3|100.00;3|1.01|2.3|1.23");
    EXPECT_EQ(Outcome(Run("INSERT INTO " + table + " (id, big, small) VALUES (4, 0, 12345.6)")),
              "8115 Arithmetic overflow error converting numeric to data type numeric.");
    Run("DROP TABLE " + table);
}

INSTANTIATE_TEST_SUITE_P(Tables, SelectIntoTest, ::testing::Values(IntoCase{"Copied"}, IntoCase{"#Copied"}));

// Temporary tables and table variables round what they store to the column
// and refuse what does not fit, by every way a statement writes.
struct TemporaryStoreCase {
    const char* batch; // writes into {T} (#T or @T) with columns id int, d decimal(10,2), m money
    const char* expected;
};

class TemporaryStoreTest : public DecimalCarryTest, public ::testing::WithParamInterface<TemporaryStoreCase> {};

TEST_P(TemporaryStoreTest, RoundsOrRefuses)
{
    for (const std::string declare : {"CREATE TABLE #T (id int NOT NULL, d decimal(10,2) NULL, m money NULL)\n",
                                      "DECLARE @T TABLE (id int NOT NULL, d decimal(10,2) NULL, m money NULL)\n"}) {
        const std::string name = declare[0] == 'C' ? "#T" : "@T";
        std::string batch = declare + GetParam().batch +
                            "\nSELECT id, CAST(d AS varchar(20)), CAST(m AS varchar(20)) FROM {T} ORDER BY id";
        for (size_t at = batch.find("{T}"); at != std::string::npos; at = batch.find("{T}", at))
            batch.replace(at, 3, name);
        EXPECT_EQ(Outcome(Run(batch)), GetParam().expected) << batch;
        Run("IF OBJECT_ID('tempdb..#T') IS NOT NULL DROP TABLE #T");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TemporaryStoreTest,
    ::testing::Values(
        TemporaryStoreCase{"INSERT INTO {T} VALUES (1, 1.005, 1.23456)", "1|1.01|1.23"},
        TemporaryStoreCase{"INSERT INTO {T} (m, id) VALUES ('$2.00005', 1)", "1|NULL|2.00"},
        TemporaryStoreCase{"INSERT INTO {T} SELECT id, big / 10000000000000000000, fee FROM Prices", "1|1.23|100.00;2|10.00|9.50"},
        TemporaryStoreCase{"INSERT INTO {T} (id, d) VALUES (1, 5)\nUPDATE {T} SET d = d / 3", "1|1.67|NULL"},
        TemporaryStoreCase{"INSERT INTO {T} VALUES (1, 123456789.5, 0)",
                           "8115 Arithmetic overflow error converting numeric to data type numeric."},
        TemporaryStoreCase{"INSERT INTO {T} (id, d) SELECT id, big FROM Prices",
                           "8115 Arithmetic overflow error converting numeric to data type numeric."}));

// A temporary table's identity column is filled by the server, and
// IDENTITY_INSERT lets a script give its own values, as for any table.
TEST_F(DecimalCarryTest, TemporaryIdentityColumnsTakeRowsWithoutAColumnList)
{
    EXPECT_EQ(Outcome(Run("CREATE TABLE #Lines (id int IDENTITY(1,1) PRIMARY KEY, amount decimal(10,2) NOT NULL)\n"
                          "INSERT INTO #Lines VALUES (1.005)\n"
                          "INSERT INTO #Lines (amount) VALUES (2.675)\n"
                          "SET IDENTITY_INSERT #Lines ON\n"
                          "INSERT INTO #Lines (id, amount) VALUES (10, 3.335)\n"
                          "SET IDENTITY_INSERT #Lines OFF\n"
                          "INSERT INTO #Lines VALUES (4)\n"
                          "SELECT id, amount FROM #Lines ORDER BY id\n"
                          "DROP TABLE #Lines")),
              "1|1.01;2|2.68;10|3.34;11|4.00");
    EXPECT_EQ(Outcome(Run("CREATE TABLE #Plain (id int NOT NULL)\nSET IDENTITY_INSERT #Plain ON")),
              "8106 Table '#Plain' does not have the identity property. Cannot perform SET operation.");
    Run("DROP TABLE #Plain");
}

// A scalar subquery has its one column's type: decimals show their digits and
// scale, never an exponent, and arithmetic on them is exact.
INSTANTIATE_TEST_SUITE_P(
    ScalarSubqueries, ExpressionTest,
    ::testing::Values(
        ExpressionCase{"(SELECT CAST(100000000000000000000 AS decimal(38,2)))", "100000000000000000000.00"},
        ExpressionCase{"(SELECT CAST('0.00001' AS decimal(10,5)))", "0.00001"},
        ExpressionCase{"(SELECT CAST(100000000000000000000 AS decimal(38,2))) + 0.01", "100000000000000000000.01"},
        ExpressionCase{"CAST((SELECT CAST(100000000000000000000 AS decimal(38,2))) AS varchar(40))",
                       "100000000000000000000.00"},
        ExpressionCase{"(SELECT $1000000)", "1000000.0000"}));

struct QueryCase {
    const char* query;
    const char* types; // of the result's columns
    const char* rows;
};

class DecimalQueryTest : public DecimalCarryTest, public ::testing::WithParamInterface<QueryCase> {};

TEST_P(DecimalQueryTest, AnswersWithSqlServersTypes)
{
    BufferedSink sink = Run(GetParam().query);
    ASSERT_FALSE(sink.HasError()) << GetParam().query << "\n" << Describe(sink);
    ASSERT_EQ(sink.resultSets.size(), 1u);
    EXPECT_EQ(ColumnTypes(sink.resultSets[0]), GetParam().types) << GetParam().query;
    EXPECT_EQ(Outcome(sink), GetParam().rows) << GetParam().query;
}

INSTANTIATE_TEST_SUITE_P(
    Subqueries, DecimalQueryTest,
    ::testing::Values(
        QueryCase{"SELECT (SELECT big FROM Prices WHERE id = 2), (SELECT MAX(big) FROM Prices), "
                  "(SELECT SUM(fee) FROM Prices)",
                  "decimal(38,2) decimal(38,2) money", "100000000000000000000.00|100000000000000000000.00|109.5000"},
        QueryCase{"SELECT id, (SELECT q.small FROM Prices q WHERE q.id = p.id) FROM Prices p ORDER BY id",
                  "int decimal(5,1)", "1|9.5;2|10.0"}));

// A UNION's column holds every branch: decimals take the widest whole part
// and the finest scale, whichever branch comes first.
INSTANTIATE_TEST_SUITE_P(
    Unions, DecimalQueryTest,
    ::testing::Values(
        QueryCase{"SELECT big FROM Prices WHERE id = 1 UNION SELECT small FROM Prices WHERE id = 1",
                  "decimal(38,2)", "9.50;12345678901234567890.02"},
        QueryCase{"SELECT small FROM Prices WHERE id = 1 UNION ALL SELECT big FROM Prices WHERE id = 1",
                  "decimal(38,2)", "9.50;12345678901234567890.02"},
        QueryCase{"SELECT CAST(1.5 AS decimal(3,1)) UNION ALL SELECT CAST(2.25 AS decimal(4,3)) "
                  "UNION ALL SELECT 12345",
                  "decimal(13,3)", "1.500;2.250;12345.000"},
        QueryCase{"SELECT fee FROM Prices WHERE id = 2 UNION ALL SELECT small FROM Prices WHERE id = 1",
                  "decimal(19,4)", "9.5000;9.5000"},
        QueryCase{"SELECT small FROM Prices WHERE id = 1 UNION ALL SELECT f FROM Prices WHERE id = 2",
                  "float", "9.5;2.5"},
        QueryCase{"SELECT n FROM Prices WHERE id = 1 UNION ALL SELECT fee FROM Prices WHERE id = 2 ORDER BY 1",
                  "money", "7.0000;9.5000"},
        QueryCase{"SELECT u.v FROM (SELECT small AS v FROM Prices UNION SELECT big FROM Prices) u "
                  "WHERE u.v > 10 ORDER BY u.v",
                  "decimal(38,2)", "12345678901234567890.02;100000000000000000000.00"}));

// The overflow storing a value in a decimal column names the value's type as SQL Server does.
struct OverflowSourceCase {
    const char* value; // from Prices WHERE id = 1, stored in a decimal(5,2) column
    const char* source;
};

class OverflowSourceTest : public DecimalCarryTest, public ::testing::WithParamInterface<OverflowSourceCase> {};

TEST_P(OverflowSourceTest, NamesTheValuesType)
{
    BufferedSink sink = Run(std::string("CREATE TABLE #Narrow (x decimal(5,2) NULL)\n"
                                        "INSERT INTO #Narrow SELECT ") +
                            GetParam().value + " FROM Prices WHERE id = 1");
    Run("DROP TABLE #Narrow");
    EXPECT_EQ(Outcome(sink), std::string("8115 Arithmetic overflow error converting ") + GetParam().source +
                                 " to data type numeric.")
        << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, OverflowSourceTest,
    ::testing::Values(OverflowSourceCase{"f * 1000", "float"}, OverflowSourceCase{"f + 999", "float"},
                      OverflowSourceCase{"r * 1000", "real"}, OverflowSourceCase{"n * 1000", "int"},
                      OverflowSourceCase{"t", "varchar"}, OverflowSourceCase{"small * 1000", "numeric"},
                      OverflowSourceCase{"12345678901", "numeric"}, OverflowSourceCase{"1E5", "float"}));

TEST_F(DecimalCarryTest, OverflowInUpdateNamesTheValuesType)
{
    EXPECT_EQ(Outcome(Run("CREATE TABLE #Narrow (x decimal(5,2) NULL)\nINSERT INTO #Narrow VALUES (1)\n"
                          "UPDATE #Narrow SET x = (SELECT f FROM Prices WHERE id = 2) * 1000")),
              "8115 Arithmetic overflow error converting float to data type numeric.");
    Run("DROP TABLE #Narrow");
}

// + and - runs past the nested form's length stay exact where their steps
// are decimal, and go as SQL Server's types go where they are not.
struct MixedChainCase {
    const char* head;
    const char* term; // repeated after the head
    int repeats;
    const char* tail;
    const char* expected; // the value or the error
};

class MixedChainTest : public ServerTest, public ::testing::WithParamInterface<MixedChainCase> {};

TEST_P(MixedChainTest, FoldsEachStepByItsType)
{
    std::string expression = GetParam().head;
    for (int i = 0; i < GetParam().repeats; ++i)
        expression += GetParam().term;
    expression += GetParam().tail;
    EXPECT_EQ(Outcome(Run("SELECT " + expression)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MixedChainTest,
    ::testing::Values(
        // Integer steps first, then decimal ones past 2^53.
        MixedChainCase{"1", " + 1", 80, " + CAST('12345678901234567890.01' AS decimal(38,2)) + 0.01",
                       "12345678901234567971.02"},
        MixedChainCase{"1", " + 1", 70, " + $0.0001", "71.0001"},
        // A float step turns the rest to float.
        MixedChainCase{"CAST(1 AS decimal(5,2))", " + 1", 70, " + 2.5E0 + 0.25", "73.75"},
        // An integer prefix still overflows as an int.
        MixedChainCase{"2147483000", " + 10", 70, " + CAST(1 AS decimal(5,2))",
                       "8115 Arithmetic overflow error converting expression to data type int."},
        // NULL anywhere makes the sum NULL.
        MixedChainCase{"CAST(1 AS decimal(5,2))", " + 1", 70, " + NULL + 1", "NULL"}));

} // namespace tw::server::test

namespace tw::server::test {

// A CASE has the type that holds all its branches; a view's computed
// columns keep the types of their expressions, through views over views,
// bracketed joins and reads by name or with *.
class ComputedTypeTest : public DecimalCarryTest {
protected:
    void SetUp() override
    {
        DecimalCarryTest::SetUp();
        Run("IF OBJECT_ID('Line Totals') IS NOT NULL DROP VIEW [Line Totals]\n"
            "IF OBJECT_ID('Big Lines') IS NOT NULL DROP VIEW [Big Lines]");
        BufferedSink sink = Run("CREATE VIEW [Line Totals] AS SELECT id, SUM(CONVERT(money, f * 100) / 100) AS Total, "
                                "small * 2 AS Twice, CASE WHEN id = 1 THEN 'one' ELSE t END AS Label FROM Prices "
                                "GROUP BY id, small, t");
        ASSERT_FALSE(sink.HasError()) << Describe(sink);
        sink = Run("CREATE VIEW [Big Lines] AS SELECT p.id, lt.Total AS Amount FROM ((Prices p "
                   "INNER JOIN [Line Totals] lt ON p.id = lt.id)) WHERE lt.Total > 1");
        ASSERT_FALSE(sink.HasError()) << Describe(sink);
    }
    void TearDown() override
    {
        Run("DROP VIEW [Big Lines]\nDROP VIEW [Line Totals]");
        DecimalCarryTest::TearDown();
    }
};

INSTANTIATE_TEST_SUITE_P(
    Cases, DecimalQueryTest,
    ::testing::Values(
        QueryCase{"SELECT CASE WHEN id = 1 THEN small ELSE big END FROM Prices ORDER BY id", "decimal(38,2)",
                  "9.50;100000000000000000000.00"},
        QueryCase{"SELECT CASE id WHEN 1 THEN 'ALL' ELSE t END, CASE WHEN id = 2 THEN NULL ELSE fee END FROM Prices "
                  "ORDER BY id",
                  "varchar(20) money", "ALL|100.0000;99999|NULL"},
        // Columns named in a CASE of the select list still find their table's types.
        QueryCase{"SELECT CASE WHEN id = 1 THEN 'x' ELSE 'y' END, AVG(fee) FROM Prices GROUP BY id ORDER BY id",
                  "varchar(1) money", "x|100.0000;y|9.5000"}));

TEST_F(ComputedTypeTest, ViewColumnsKeepTheirExpressionsTypes)
{
    const ResultSet all = Query("SELECT * FROM [Line Totals] ORDER BY id");
    EXPECT_EQ(ColumnTypes(all), "int money decimal(7,1) varchar(20)");
    EXPECT_EQ(Outcome(Run("SELECT * FROM [Line Totals] ORDER BY id")), "1|1.5000|19.0|one;2|2.5000|20.0|99999");
    EXPECT_EQ(Outcome(Run("SELECT SUM(Amount), MAX(Amount) FROM [Big Lines]")), "4.0000|2.5000");
    EXPECT_EQ(ColumnTypes(Query("SELECT SUM(Amount) FROM [Big Lines] WHERE id > 5")), "money");
    EXPECT_EQ(Outcome(Run("SELECT Amount INTO #Amounts FROM [Big Lines]\n"
                          "INSERT INTO #Amounts VALUES (1.23456)\n"
                          "SELECT Amount FROM #Amounts ORDER BY Amount\nDROP TABLE #Amounts")),
              "1.2346;1.5000;2.5000");
}

} // namespace tw::server::test

namespace tw::server::test {

// A table made by SELECT ... INTO needs a name for every column, each its own.
TEST_F(ServerTest, SelectIntoRefusesUnnamedAndRepeatedColumns)
{
    EXPECT_EQ(Outcome(Run("SELECT CAST(1 AS decimal(5,2)) INTO #Unnamed")).substr(0, 5), "1038 ");
    EXPECT_EQ(Outcome(Run("SELECT 1 AS a, 2 AS A INTO #Twice")),
              "2705 Column names in each table must be unique. Column name 'A' in table '#Twice' is specified more "
              "than once.");
    EXPECT_EQ(Outcome(Run("SELECT OBJECT_ID('tempdb..#Unnamed'), OBJECT_ID('tempdb..#Twice')")), "NULL|NULL");
    EXPECT_EQ(Outcome(Run("DECLARE @v decimal(5,2)\nSET @v = 2.5\n"
                          "SELECT @v AS v, @v * 2 AS w INTO #Named WHERE @v > 1\n"
                          "INSERT #Named VALUES (1.005, 1.0005)\nSELECT v, w FROM #Named ORDER BY v\nDROP TABLE #Named")),
              "1.01|1.00;2.50|5.00");
}

} // namespace tw::server::test
