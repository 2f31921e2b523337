// Decimal and money computed exactly to 38 digits: conversions, text, overflow,
// storage, ordering, indexes and aggregates.
#include "ServerFixture.h"

namespace tw::server::test {

INSTANTIATE_TEST_SUITE_P(
    ExactDecimals, ExpressionTest,
    ::testing::Values(
        ExpressionCase{"CAST(0.1 AS decimal(38,20))", "0.10000000000000000000"},
        ExpressionCase{"CAST('12345678901234567890.123456789' AS decimal(38,9))", "12345678901234567890.123456789"},
        ExpressionCase{"CAST(12345678901234567890123456789012345678 AS decimal(38,0))",
                       "12345678901234567890123456789012345678"},
        ExpressionCase{"CAST('99999999999999999999.99' AS decimal(22,2))", "99999999999999999999.99"},
        ExpressionCase{"CAST(2.675 AS decimal(4,2))", "2.68"}, ExpressionCase{"CAST(-2.675 AS decimal(4,2))", "-2.68"},
        ExpressionCase{"CAST(2.665 AS numeric(5,2))", "2.67"}, ExpressionCase{"CAST(0.004 AS decimal(5,2))", "0.00"},
        ExpressionCase{"CAST(1234567.89 AS money)", "1234567.8900"},
        ExpressionCase{"CAST(CAST(1234567.89 AS money) AS varchar(30))", "1234567.89"},
        ExpressionCase{"CONVERT(varchar(30), CAST(1234567.891 AS money), 1)", "1,234,567.89"},
        ExpressionCase{"CONVERT(varchar(30), CAST(1234567.891 AS money), 2)", "1234567.8910"},
        ExpressionCase{"'Total: ' + CAST($922337203685477.5807 AS varchar(30))", "Total: 922337203685477.58"},
        ExpressionCase{"CAST(CAST('12345678901234567.25' AS decimal(20,2)) AS varchar(40))", "12345678901234567.25"},
        ExpressionCase{"CAST(CAST('1234567890123456789.9' AS decimal(20,1)) AS bigint)", "1234567890123456789"},
        ExpressionCase{"CASE WHEN CAST('12345678901234567.1' AS decimal(20,1)) < "
                       "CAST('12345678901234567.2' AS decimal(20,1)) THEN 'less' ELSE 'not less' END",
                       "less"},
        ExpressionCase{"CASE WHEN CAST('12345678901234567.1' AS decimal(20,1)) = 12345678901234567.1 "
                       "THEN 'equal' ELSE 'differs' END",
                       "equal"},
        // Arithmetic at SQL Server's precision and scale: exact past 2^53, division at its scale.
        ExpressionCase{"CAST(12345678901234567890.12 AS decimal(38,2)) + 0.01", "12345678901234567890.13"},
        ExpressionCase{"CAST(9007199254740993 AS decimal(20,0)) - 1", "9007199254740992"},
        ExpressionCase{"CAST(123456789.123456789 AS decimal(18,9)) * CAST(1000000000 AS decimal(10,0))",
                       "123456789123456789.000000000"},
        ExpressionCase{"CAST(1 AS decimal(10,2)) / 3", "0.333333"},
        ExpressionCase{"CAST(2 AS decimal(38,10)) / CAST(3 AS decimal(38,10))", "0.666667"},
        ExpressionCase{"1.0 / 3", "0.333333"},
        ExpressionCase{"CAST(1 AS decimal(10,2)) / CAST(3 AS int)", "0.3333333333333"}, ExpressionCase{"CAST(10.5 AS decimal(4,1)) % 4", "2.5"},
        ExpressionCase{"-CAST(0.5 AS decimal(2,1))", "-0.5"},
        ExpressionCase{"$10.00 / 3", "3.3333"}, ExpressionCase{"$1.25 * $1.25", "1.5625"},
        ExpressionCase{"0.1 + 0.2", "0.3"},
        // ROUND, FLOOR, CEILING, ABS and SIGN keep the value exact and its type.
        ExpressionCase{"ROUND(CAST(2.675 AS decimal(5,3)), 2)", "2.680"},
        ExpressionCase{"ROUND(CAST(-2.675 AS decimal(5,3)), 2)", "-2.680"},
        ExpressionCase{"ROUND(CAST(2.675 AS decimal(5,3)), 2, 1)", "2.670"},
        ExpressionCase{"ROUND(CAST('12345678901234567890.55' AS decimal(24,2)), 1)", "12345678901234567890.60"},
        ExpressionCase{"ROUND($1234.5678, -2)", "1200.0000"},
        ExpressionCase{"FLOOR(CAST(-12345678901234567890.5 AS decimal(22,1)))", "-12345678901234567891"},
        ExpressionCase{"CEILING(CAST(2.01 AS decimal(4,2)))", "3"}, ExpressionCase{"CEILING($2.01)", "3.0000"},
        ExpressionCase{"ABS(CAST(-12345678901234567890.12 AS decimal(22,2)))", "12345678901234567890.12"},
        ExpressionCase{"SIGN(CAST(-0.5 AS decimal(3,1)))", "-1.0"}));

struct DecimalOverflowCase {
    const char* expression;
    const char* type; // the type SQL Server's message names
};

class DecimalOverflowTest : public ServerTest, public ::testing::WithParamInterface<DecimalOverflowCase> {};

TEST_P(DecimalOverflowTest, RaisesArithmeticOverflow)
{
    BufferedSink sink = Run(std::string("SELECT ") + GetParam().expression);
    ASSERT_TRUE(sink.HasError()) << GetParam().expression;
    ASSERT_FALSE(sink.messages.empty());
    EXPECT_EQ(sink.messages[0].number, 8115) << Describe(sink);
    EXPECT_EQ(sink.messages[0].text, std::string("Arithmetic overflow error converting expression to data type ") +
                                         GetParam().type + ".");
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecimalOverflowTest,
    ::testing::Values(DecimalOverflowCase{"CAST(99999.999 AS decimal(7,2))", "decimal"},
                      DecimalOverflowCase{"CAST(1000 AS decimal(5,2))", "decimal"},
                      DecimalOverflowCase{"CAST('123456789012345678901234567890123456789' AS decimal(38,0))", "decimal"},
                      DecimalOverflowCase{"CAST(922337203685477.5808 AS money)", "money"},
                      DecimalOverflowCase{"CAST(-214748.3649 AS smallmoney)", "smallmoney"},
                      DecimalOverflowCase{"CAST(CAST('12345678901234567890' AS decimal(20,0)) AS bigint)", "bigint"},
                      DecimalOverflowCase{"CAST(99999999999999999999999999999999999999 AS decimal(38,0)) + 1", "numeric"},
                      DecimalOverflowCase{"$922337203685477.5807 + $0.0001", "money"}));

TEST_F(ServerTest, DecimalDivisionByZeroIsItsOwnError)
{
    BufferedSink sink = Run("SELECT CAST(1 AS decimal(5,2)) / 0.0");
    ASSERT_FALSE(sink.messages.empty());
    EXPECT_EQ(sink.messages[0].number, 8134) << Describe(sink);
}

class ExactDecimalTableTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        Run("IF OBJECT_ID('Ledger') IS NOT NULL DROP TABLE Ledger");
        BufferedSink sink = Run(
            "CREATE TABLE Ledger (id int NOT NULL PRIMARY KEY, amount decimal(38,2) NOT NULL, fee money NULL)\n"
            "CREATE UNIQUE INDEX IX_Ledger_amount ON Ledger (amount)\n"
            "INSERT INTO Ledger VALUES (1, 12345678901234567890.03, $1.10)\n"
            "INSERT INTO Ledger VALUES (2, 12345678901234567890.01, $0.10)\n"
            "INSERT INTO Ledger VALUES (3, 12345678901234567890.02, NULL)\n"
            "INSERT INTO Ledger VALUES (4, 0.1, $922337203685477.58)\n"
            "INSERT INTO Ledger VALUES (5, -12345678901234567890.01, $0.01)");
        ASSERT_FALSE(sink.HasError()) << Describe(sink);
    }
    void TearDown() override { Run("DROP TABLE Ledger"); }
};

TEST_F(ExactDecimalTableTest, OrdersAndFindsValuesDifferingPastTheSixteenthDigit)
{
    EXPECT_EQ(Rows(Query("SELECT id, amount FROM Ledger ORDER BY amount")),
              (std::vector<std::string>{"5|-12345678901234567890.01", "4|0.10", "2|12345678901234567890.01",
                                        "3|12345678901234567890.02", "1|12345678901234567890.03"}));
    EXPECT_EQ(Rows(Query("SELECT id FROM Ledger WHERE amount = 12345678901234567890.02")),
              (std::vector<std::string>{"3"}));
    EXPECT_EQ(Rows(Query("SELECT id FROM Ledger WHERE amount > 12345678901234567890.01 ORDER BY id")),
              (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(Rows(Query("SELECT MIN(amount), MAX(amount) FROM Ledger WHERE amount > 1")),
              (std::vector<std::string>{"12345678901234567890.01|12345678901234567890.03"}));
    // The unique index tells the neighbours apart, and finds a real duplicate.
    BufferedSink duplicate = Run("INSERT INTO Ledger VALUES (6, 12345678901234567890.020, $0)");
    EXPECT_TRUE(duplicate.HasError());
    BufferedSink neighbour = Run("INSERT INTO Ledger VALUES (7, 12345678901234567890.04, $0)");
    EXPECT_FALSE(neighbour.HasError()) << Describe(neighbour);
}

TEST_F(ExactDecimalTableTest, SumsAndAveragesExactly)
{
    EXPECT_EQ(Rows(Query("SELECT SUM(amount), SUM(fee) FROM Ledger WHERE id <= 3")),
              (std::vector<std::string>{"37037036703703703670.06|1.2000"}));
    EXPECT_EQ(Rows(Query("SELECT AVG(amount), AVG(fee) FROM Ledger WHERE id <= 3")),
              (std::vector<std::string>{"12345678901234567890.020000|0.6000"}));
    EXPECT_EQ(Rows(Query("SELECT SUM(fee) FROM Ledger WHERE id IN (4, 5)")),
              (std::vector<std::string>{"922337203685477.5900"}));
}

TEST_F(ExactDecimalTableTest, ValuesReadBackAsStoredAndTextRefused)
{
    EXPECT_EQ(Rows(Query("SELECT id, amount, fee FROM Ledger ORDER BY id")),
              (std::vector<std::string>{"1|12345678901234567890.03|1.1000", "2|12345678901234567890.01|0.1000",
                                        "3|12345678901234567890.02|NULL", "4|0.10|922337203685477.5800",
                                        "5|-12345678901234567890.01|0.0100"}));
    EXPECT_EQ(Rows(Query("DECLARE @a decimal(38,2)\nSELECT @a = amount FROM Ledger WHERE id = 1\n"
                         "SELECT id FROM Ledger WHERE amount = @a")),
              (std::vector<std::string>{"1"}));
    EXPECT_TRUE(Run("INSERT INTO Ledger VALUES (8, 'twelve', $0)").HasError());
    // Expressions over the columns compare as numbers, not as their stored text.
    EXPECT_EQ(Rows(Query("SELECT id FROM Ledger WHERE ISNULL(fee, 0) > 1 ORDER BY id")),
              (std::vector<std::string>{"1", "4"}));
    EXPECT_EQ(Rows(Query("SELECT id FROM Ledger WHERE fee / 2 < 0.1 ORDER BY id")),
              (std::vector<std::string>{"2", "5"}));
    // Twice the largest fee passes money's range, as SQL Server finds.
    BufferedSink overflow = Run("SELECT fee * 2 FROM Ledger");
    ASSERT_FALSE(overflow.messages.empty());
    EXPECT_EQ(overflow.messages[0].number, 8115);
    EXPECT_EQ(Rows(Query("SELECT COUNT(*) FROM Ledger HAVING MAX(fee) > 100")), (std::vector<std::string>{"5"}));
    EXPECT_EQ(Rows(Query("SELECT id FROM Ledger WHERE fee BETWEEN 0.05 AND 2 ORDER BY id")),
              (std::vector<std::string>{"1", "2"}));
}

} // namespace tw::server::test

namespace tw::server::test {

// An install script in the usual style (a table of prices and weights, a few
// hundred INSERTs, a view totalling them) whose every row must come back digit
// for digit, beyond what a double holds.
TEST_F(ServerTest, InstallScriptKeepsEveryDecimalAndMoneyValue)
{
    constexpr int kRows = 300;
    auto amount = [](int i) { return "98765432109876" + std::to_string(1000 + i) + "." + std::to_string(1000 + i); };
    auto price = [](int i) { return std::to_string(i * 7) + "." + std::to_string(10 + i % 90); };
    std::string script = "IF OBJECT_ID('dbo.Stock') IS NOT NULL DROP TABLE dbo.Stock\n"
                         "CREATE TABLE dbo.Stock (\n\tItemID int NOT NULL CONSTRAINT PK_Stock PRIMARY KEY,\n"
                         "\tValuation decimal (24, 4) NOT NULL,\n\tUnitPrice money NULL DEFAULT (0),\n"
                         "\tWeight numeric (9, 3) NULL\n)\n";
    for (int i = 1; i <= kRows; ++i)
        script += "INSERT INTO dbo.Stock (ItemID, Valuation, UnitPrice, Weight) VALUES (" + std::to_string(i) + ", " +
                  amount(i) + ", $" + price(i) + ", " + std::to_string(i) + ".5)\n";
    BufferedSink load = Run(script);
    ASSERT_FALSE(load.HasError()) << Describe(load);

    const std::vector<std::string> rows =
        Rows(Query("SELECT ItemID, Valuation, UnitPrice, Weight FROM dbo.Stock ORDER BY ItemID"));
    ASSERT_EQ(rows.size(), static_cast<size_t>(kRows));
    for (int i = 1; i <= kRows; ++i)
        EXPECT_EQ(rows[i - 1], std::to_string(i) + "|" + amount(i) + "|" + price(i) + "00|" + std::to_string(i) +
                                   ".500");

    // Ordered by value, the highest valuation is the last row's; the totals are exact.
    EXPECT_EQ(Rows(Query("SELECT TOP 1 ItemID FROM dbo.Stock ORDER BY Valuation DESC")),
              (std::vector<std::string>{std::to_string(kRows)}));
    EXPECT_EQ(Rows(Query("SELECT SUM(Valuation - 987654321098760000), SUM(UnitPrice), COUNT(*) FROM dbo.Stock "
                         "WHERE ItemID <= 2")),
              (std::vector<std::string>{"2003.2003|21.2300|2"}));
    Run("DROP TABLE dbo.Stock");
}

} // namespace tw::server::test

#include <sqlite3.h>

#include <filesystem>

#include "platform/server/Session.h"

namespace tw::server::test {

// A database whose money and decimal columns an earlier build wrote (numbers
// stored as doubles, under a numeric column type) still opens, reads, sorts,
// sums and takes new rows.
TEST(StoredDecimalTest, ColumnsWrittenAsDoublesStillRead)
{
    namespace fs = std::filesystem;
    const fs::path work = fs::current_path() / "stored-decimals";
    fs::remove_all(work);
    auto run = [](Session& session, const std::string& batch) {
        BufferedSink sink;
        session.Execute(batch, sink);
        EXPECT_FALSE(sink.HasError()) << batch << "\n" << Describe(sink);
        return sink;
    };
    LoginInfo login;
    login.database = Server::kSampleDatabase;
    {
        std::string error;
        auto server = Server::Open(work.string(), &error);
        ASSERT_NE(server, nullptr) << error;
        auto session = server->Connect(login);
        run(*session, "CREATE TABLE OldPrices (id int NOT NULL PRIMARY KEY, price money NULL, rate decimal(10,4) NULL)");
    }
    // Rewrite the table as the earlier build kept it.
    int rewritten = 0;
    for (const auto& entry : fs::directory_iterator(work / "data" / "server")) {
        sqlite3* db = nullptr;
        if (sqlite3_open(entry.path().c_str(), &db) != SQLITE_OK) {
            sqlite3_close(db);
            continue;
        }
        const char* sql =
            "DROP TABLE \"OldPrices\";"
            "CREATE TABLE \"OldPrices\" (\"id\" int NOT NULL PRIMARY KEY, "
            "\"price\" money CONSTRAINT \"tw_type_price\" CHECK (typeof(\"price\") IN ('integer', 'real', 'null')), "
            "\"rate\" decimal(10,4) CONSTRAINT \"tw_type_rate\" CHECK (typeof(\"rate\") IN ('integer', 'real', 'null')));"
            "INSERT INTO \"OldPrices\" VALUES (1, 12.5, 0.1), (2, 1234567.89, 2.675), (3, NULL, -3);";
        if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
            ++rewritten;
        sqlite3_close(db);
    }
    ASSERT_EQ(rewritten, 1);
    {
        std::string error;
        auto server = Server::Open(work.string(), &error);
        ASSERT_NE(server, nullptr) << error;
        auto session = server->Connect(login);
        run(*session, "INSERT INTO OldPrices VALUES (4, $0.05, 12345.6789)");
        BufferedSink read = run(*session, "SELECT id, price, rate, CAST(price AS varchar(20)) FROM OldPrices "
                                          "ORDER BY price\n"
                                          "SELECT SUM(price), SUM(rate) FROM OldPrices");
        ASSERT_EQ(read.resultSets.size(), 2u);
        EXPECT_EQ(Rows(read.resultSets[0]),
                  (std::vector<std::string>{"3|NULL|-3.0000|NULL", "4|0.0500|12345.6789|0.05",
                                            "1|12.5000|0.1000|12.50", "2|1234567.8900|2.6750|1234567.89"}));
        EXPECT_EQ(Rows(read.resultSets[1]), (std::vector<std::string>{"1234580.4400|12345.4539"}));
    }
    fs::remove_all(work);
}

} // namespace tw::server::test

namespace tw::server::test {

// Values stored into decimal and money columns, by every way a statement writes
// them, are rounded half away from zero to the column's scale and refused
// (storing nothing) past its precision.
struct StoreCase {
    const char* statement; // writes into Store(id int, d decimal(10,2), m money, s smallmoney)
    const char* expected;  // the rows read back after it, or the error text
};

class DecimalStoreTest : public ServerTest, public ::testing::WithParamInterface<StoreCase> {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        Run("IF OBJECT_ID('Store') IS NOT NULL DROP TABLE Store\n"
            "IF OBJECT_ID('Source') IS NOT NULL DROP TABLE Source");
        BufferedSink sink = Run("CREATE TABLE Store (id int NOT NULL, d decimal(10,2) NULL, m money NULL, "
                                "s smallmoney NULL)\n"
                                "CREATE TABLE Source (id int NOT NULL, x float NULL, t varchar(40) NULL)\n"
                                "INSERT INTO Source VALUES (1, 2.675, '12.345')\n"
                                "INSERT INTO Source VALUES (2, -0.005, '-7.125')");
        ASSERT_FALSE(sink.HasError()) << Describe(sink);
    }
    void TearDown() override { Run("DROP TABLE Store\nDROP TABLE Source"); }
};

TEST_P(DecimalStoreTest, RoundsToTheColumnOrRefuses)
{
    BufferedSink sink = Run(GetParam().statement);
    std::string got;
    if (sink.HasError()) {
        ASSERT_FALSE(sink.messages.empty());
        got = std::to_string(sink.messages[0].number) + " " + sink.messages[0].text;
    }
    for (const std::string& row : Rows(Query("SELECT id, d, m, s FROM Store ORDER BY id")))
        got += (got.empty() ? "" : ";") + row;
    EXPECT_EQ(got, GetParam().expected) << GetParam().statement;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecimalStoreTest,
    ::testing::Values(
        StoreCase{"INSERT INTO Store VALUES (1, 12.345, 1.23456, 2.00005)", "1|12.35|1.2346|2.0001"},
        StoreCase{"INSERT INTO Store (id, d) VALUES (1, -12.345)", "1|-12.35|NULL|NULL"},
        StoreCase{"INSERT INTO Store (d, id) VALUES ('0.005', 1)", "1|0.01|NULL|NULL"},
        StoreCase{"INSERT INTO Store (id, m) VALUES (1, '$5.12345')", "1|NULL|5.1235|NULL"},
        StoreCase{"INSERT INTO Store VALUES (1, 99999999.994, 0, 0)", "1|99999999.99|0.0000|0.0000"},
        StoreCase{"INSERT INTO Store VALUES (1, 99999999.995, 0, 0)",
                  "8115 Arithmetic overflow error converting numeric to data type numeric."},
        StoreCase{"INSERT INTO Store (id, d) VALUES (1, 1000000000)",
                  "8115 Arithmetic overflow error converting int to data type numeric."},
        StoreCase{"INSERT INTO Store (id, m) VALUES (1, 922337203685477.5808)",
                  "8115 Arithmetic overflow error converting expression to data type money."},
        StoreCase{"INSERT INTO Store (id, s) VALUES (1, 214748.3648)",
                  "8115 Arithmetic overflow error converting expression to data type smallmoney."},
        // A statement that fails on its second row stores neither.
        StoreCase{"INSERT INTO Store (id, d) SELECT id, x * 1000000000 FROM Source",
                  "8115 Arithmetic overflow error converting float to data type numeric."},
        StoreCase{"INSERT INTO Store (id, d, m) SELECT id, x, t FROM Source", "1|2.68|12.3450|NULL;2|-0.01|-7.1250|NULL"},
        StoreCase{"INSERT INTO Store SELECT id, t, x, x FROM Source", "1|12.35|2.6750|2.6750;2|-7.13|-0.0050|-0.0050"},
        StoreCase{"INSERT INTO Store (id) VALUES (1)\nUPDATE Store SET d = 2.675, m = d", "1|2.68|NULL|NULL"},
        StoreCase{"INSERT INTO Store (id, d) VALUES (1, 5)\nUPDATE Store SET d = d * 100000000",
                  "8115 Arithmetic overflow error converting numeric to data type numeric.;1|5.00|NULL|NULL"},
        StoreCase{"INSERT INTO Store (id, d) VALUES (1, 12.345)\n"
                  "DELETE FROM Store WHERE d <> 12.35",
                  "1|12.35|NULL|NULL"}));

} // namespace tw::server::test

namespace tw::server::test {

// Comparisons whose one side holds exact decimal text without a type the
// translator knows (CASE branches, UNION results, scalar subqueries) still
// compare as numbers.
struct UntypedCompareCase {
    const char* query;
    const char* expected;
};

class UntypedDecimalCompareTest : public ServerTest, public ::testing::WithParamInterface<UntypedCompareCase> {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        Run("IF OBJECT_ID('Prices') IS NOT NULL DROP TABLE Prices");
        BufferedSink sink = Run("CREATE TABLE Prices (id int NOT NULL, big decimal(38,2) NOT NULL, small decimal(5,1) "
                                "NOT NULL, fee money NOT NULL)\n"
                                "INSERT INTO Prices VALUES (1, 12345678901234567890.02, 9.5, $100)\n"
                                "INSERT INTO Prices VALUES (2, 100000000000000000000.00, 10.0, $9.50)");
        ASSERT_FALSE(sink.HasError()) << Describe(sink);
    }
    void TearDown() override { Run("DROP TABLE Prices"); }
};

TEST_P(UntypedDecimalCompareTest, ComparesAsNumbers)
{
    std::string got;
    for (const std::string& row : Rows(Query(GetParam().query)))
        got += (got.empty() ? "" : ";") + row;
    EXPECT_EQ(got, GetParam().expected) << GetParam().query;
}

INSTANTIATE_TEST_SUITE_P(
    Table, UntypedDecimalCompareTest,
    ::testing::Values(
        UntypedCompareCase{"SELECT id FROM Prices WHERE CASE WHEN id > 0 THEN big END > 99999999999999999999 "
                           "ORDER BY id",
                           "2"},
        UntypedCompareCase{"SELECT id FROM Prices WHERE CASE WHEN id > 0 THEN big END < 2E19 ORDER BY id", "1"},
        UntypedCompareCase{"SELECT id FROM Prices WHERE CASE id WHEN 1 THEN big ELSE small END > 9.9 ORDER BY id",
                           "1;2"},
        UntypedCompareCase{"SELECT COUNT(*) FROM (SELECT big AS v FROM Prices UNION SELECT small FROM Prices) u "
                           "WHERE v > 12345678901234567890.01",
                           "2"},
        UntypedCompareCase{"SELECT COUNT(*) FROM (SELECT big AS v FROM Prices UNION ALL SELECT small FROM Prices) u "
                           "WHERE v < 2E19",
                           "3"},
        UntypedCompareCase{"SELECT id FROM Prices WHERE (SELECT MAX(big) FROM Prices) > 99999999999999999999.99 "
                           "ORDER BY id",
                           "1;2"},
        UntypedCompareCase{"SELECT id FROM Prices p WHERE (SELECT q.big FROM Prices q WHERE q.id = p.id) "
                           "= 12345678901234567890.02",
                           "1"},
        UntypedCompareCase{"SELECT MAX(big), MIN(big) FROM Prices",
                           "100000000000000000000.00|12345678901234567890.02"},
        UntypedCompareCase{"SELECT CASE WHEN (SELECT fee FROM Prices WHERE id = 2) < 10 THEN 'less' ELSE 'not' END",
                           "less"}));

} // namespace tw::server::test

namespace tw::server::test {

// Runs of + and - on decimals longer than the nested form allows stay exact,
// round at each step's scale and still overflow.
struct LongChainCase {
    const char* first;
    const char* term; // repeated after the first
    int repeats;
    const char* expected; // the value, or the error number
};

class LongDecimalChainTest : public ServerTest, public ::testing::WithParamInterface<LongChainCase> {};

TEST_P(LongDecimalChainTest, ComputesExactly)
{
    std::string expression = GetParam().first;
    for (int i = 0; i < GetParam().repeats; ++i)
        expression += GetParam().term;
    BufferedSink sink = Run("SELECT " + expression);
    std::string got;
    if (sink.HasError())
        got = std::to_string(sink.FirstError()->number);
    else if (!sink.resultSets.empty())
        for (const std::string& row : Rows(sink.resultSets[0]))
            got += row;
    EXPECT_EQ(got, GetParam().expected) << Describe(sink);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LongDecimalChainTest,
    ::testing::Values(
        LongChainCase{"CAST('12345678901234567890.01' AS decimal(38,2))", " + 0.01", 300, "12345678901234567893.01"},
        LongChainCase{"CAST('12345678901234567890.01' AS decimal(38,2))", " - 0.01 + 0.02", 150,
                      "12345678901234567891.51"},
        LongChainCase{"CAST(0 AS decimal(10,1))", " + CAST(0.1 AS decimal(10,1))", 1000, "100.0"},
        LongChainCase{"$922337203685477.0000", " + $0.01", 80, "8115"},
        LongChainCase{"$0", " + $0.0001", 120, "0.0120"},
        LongChainCase{"CAST(1 AS decimal(5,2))", " + 1", 100, "101.00"}));

} // namespace tw::server::test

namespace tw::server::test {

TEST_F(ServerTest, DecimalAndMoneyDefaultsAreRoundedToTheColumn)
{
    Run("IF OBJECT_ID('Defaults') IS NOT NULL DROP TABLE Defaults");
    BufferedSink sink = Run("CREATE TABLE Defaults (id int NOT NULL, d decimal(10,2) NULL DEFAULT 12.345, "
                            "m money NULL DEFAULT 1.23456)\n"
                            "INSERT INTO Defaults (id) VALUES (1)");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(Rows(Query("SELECT id, d, m FROM Defaults WHERE d = 12.35 AND m = 1.2346")),
              (std::vector<std::string>{"1|12.35|1.2346"}));
    Run("DROP TABLE Defaults");
}

} // namespace tw::server::test
