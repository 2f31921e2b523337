// Integer arithmetic kept to its type's range (error 8115), and the warning
// an aggregate gives when it passes over NULLs (8153), as SQL Server gives
// them.
#include "ServerFixture.h"

namespace tw::server::test {

namespace arithmetic_detail {

int CountOf(const BufferedSink& sink, int number)
{
    int count = 0;
    for (const Message& m : sink.messages)
        count += m.number == number ? 1 : 0;
    return count;
}

} // namespace arithmetic_detail

using arithmetic_detail::CountOf;

struct OverflowCase {
    const char* expression;
    const char* type; // the type the error names; empty when the value fits
    const char* value;
};

class IntegerOverflowTest : public ServerTest, public ::testing::WithParamInterface<OverflowCase> {};

TEST_P(IntegerOverflowTest, OverflowIsAnErrorAndAFitIsAValue)
{
    const OverflowCase& c = GetParam();
    BufferedSink sink = Run("DECLARE @big int, @small smallint, @huge bigint, @least int, @leastBig bigint\n"
                            "SELECT @big = 2147483647, @small = 32767, @huge = 9223372036854775807,\n"
                            "@least = -2147483647 - 1, @leastBig = -9223372036854775807 - 1\n"
                            "SELECT " + std::string(c.expression));
    if (*c.type == '\0') {
        ASSERT_FALSE(sink.HasError()) << c.expression << "\n" << Describe(sink);
        ASSERT_EQ(sink.resultSets.size(), 1u);
        EXPECT_EQ(sink.resultSets[0].rows[0][0].ToText(), c.value) << c.expression;
        return;
    }
    ASSERT_TRUE(sink.HasError()) << c.expression;
    EXPECT_EQ(sink.FirstError()->number, 8115);
    EXPECT_EQ(sink.FirstError()->severity, 16);
    EXPECT_EQ(sink.FirstError()->text,
              "Arithmetic overflow error converting expression to data type " + std::string(c.type) + ".");
}

INSTANTIATE_TEST_SUITE_P(
    Expressions, IntegerOverflowTest,
    ::testing::Values(OverflowCase{"2147483647 + 1", "int", ""}, OverflowCase{"@big + 1", "int", ""},
                      OverflowCase{"-2147483647 - 2", "int", ""}, OverflowCase{"@big * 2", "int", ""},
                      OverflowCase{"65536 * 65536", "int", ""}, OverflowCase{"@small * @small * 4", "int", ""},
                      OverflowCase{"@huge + 1", "bigint", ""}, OverflowCase{"@huge * 2", "bigint", ""},
                      OverflowCase{"@big - 1 + 1", "", "2147483647"},
                      OverflowCase{"CAST(@big AS bigint) + 1", "", "2147483648"},
                      OverflowCase{"2147483648 + 1", "", "2147483649"},
                      OverflowCase{"-2147483647 - 1", "", "-2147483648"},
                      OverflowCase{"-@least", "int", ""}, OverflowCase{"@least / -1", "int", ""},
                      OverflowCase{"-@leastBig", "bigint", ""}, OverflowCase{"@leastBig / -1", "bigint", ""},
                      OverflowCase{"@leastBig % -1", "", "0"}, OverflowCase{"-(@least + 1)", "", "2147483647"},
                      OverflowCase{"@least / 1", "", "-2147483648"},
                      OverflowCase{"-CAST(@least AS bigint)", "", "2147483648"}));

TEST_F(ServerTest, OverflowEndsTheBatchOnlyUnderArithabort)
{
    ASSERT_FALSE(Run("CREATE TABLE Least (n int NOT NULL) INSERT INTO Least VALUES (-2147483647 - 1) "
                     "INSERT INTO Least VALUES (-1)").HasError());
    const std::string preamble = "DECLARE @least int SET @least = -2147483647 - 1 ";
    for (const char* overflow : {"SELECT 2147483647 + 1", "SELECT -@least", "SELECT @least / -1",
                                 "SELECT SUM(n) FROM Least", "SELECT AVG(n) FROM Least"}) {
        BufferedSink goesOn = Run(preamble + "SET ARITHABORT OFF " + overflow + " SELECT 'after'");
        EXPECT_EQ(CountOf(goesOn, 8115), 1) << overflow;
        ASSERT_EQ(goesOn.resultSets.size(), 1u) << overflow;
        EXPECT_EQ(goesOn.resultSets.back().rows[0][0].ToText(), "after");

        BufferedSink ends = Run(preamble + "SET ARITHABORT ON " + overflow + " SELECT 'after'");
        EXPECT_EQ(CountOf(ends, 8115), 1) << overflow;
        EXPECT_TRUE(ends.resultSets.empty()) << overflow;
    }
    EXPECT_FALSE(Run("DROP TABLE Least").HasError());
}

TEST_F(ServerTest, AChangeThatOverflowsLeavesTheRowAsItWas)
{
    ASSERT_FALSE(Run("CREATE TABLE Counter (n int NOT NULL) INSERT INTO Counter VALUES (2147483000)").HasError());
    BufferedSink sink = Run("DECLARE @step int SET @step = 2147483000 UPDATE Counter SET n = @step + 1000");
    EXPECT_EQ(CountOf(sink, 8115), 1);
    EXPECT_EQ(Query("SELECT n FROM Counter").rows[0][0].ToText(), "2147483000");
    EXPECT_FALSE(Run("DROP TABLE Counter").HasError());
}

struct ColumnArithmeticCase {
    const char* query;
    const char* type; // the type the error names; empty when the value comes back
    const char* value;
};

class ColumnArithmeticTest : public ServerTest, public ::testing::WithParamInterface<ColumnArithmeticCase> {};

TEST_P(ColumnArithmeticTest, ColumnsBringTheirTypesToTheArithmetic)
{
    ASSERT_FALSE(Run("IF object_id('Measures') IS NULL BEGIN CREATE TABLE Measures (n int NOT NULL, "
                     "b bigint NOT NULL, f float NOT NULL) INSERT INTO Measures VALUES (2147483000, 3000000000, 0.5) "
                     "END")
                     .HasError());
    const ColumnArithmeticCase& c = GetParam();
    BufferedSink sink = Run(c.query);
    if (*c.type == '\0') {
        ASSERT_FALSE(sink.HasError()) << c.query << "\n" << Describe(sink);
        ASSERT_EQ(sink.resultSets.size(), 1u);
        EXPECT_EQ(sink.resultSets[0].rows[0][0].ToText(), c.value) << c.query;
        return;
    }
    ASSERT_TRUE(sink.HasError()) << c.query;
    EXPECT_EQ(sink.FirstError()->number, 8115) << c.query;
    EXPECT_EQ(sink.FirstError()->text,
              "Arithmetic overflow error converting expression to data type " + std::string(c.type) + ".");
}

INSTANTIATE_TEST_SUITE_P(
    Queries, ColumnArithmeticTest,
    ::testing::Values(ColumnArithmeticCase{"SELECT n + 1000 FROM Measures", "int", ""},
                      ColumnArithmeticCase{"SELECT m.n * 2 FROM Measures AS m", "int", ""},
                      ColumnArithmeticCase{"SELECT a.n + b.n FROM Measures a JOIN Measures b ON a.n = b.n", "int", ""},
                      // A scalar subquery has its column's type: MAX of an int is an int.
                      ColumnArithmeticCase{"SELECT (SELECT MAX(i.n) FROM Measures i) + 1000", "int", ""},
                      ColumnArithmeticCase{"SELECT 1 FROM Measures o WHERE o.n + 1000 > 0", "int", ""},
                      ColumnArithmeticCase{"SELECT n - 1000 FROM Measures", "", "2147482000"},
                      ColumnArithmeticCase{"SELECT b + n FROM Measures", "", "5147483000"},
                      ColumnArithmeticCase{"SELECT f * n + 1 FROM Measures", "", "1073741501"},
                      ColumnArithmeticCase{"SELECT CAST(n AS bigint) + 1000 FROM Measures", "", "2147484000"},
                      ColumnArithmeticCase{"SELECT -n FROM Measures", "", "-2147483000"},
                      ColumnArithmeticCase{"SELECT n / -1 FROM Measures", "", "-2147483000"},
                      ColumnArithmeticCase{"SELECT SUM(n) FROM Measures", "", "2147483000"},
                      ColumnArithmeticCase{"SELECT SUM(m.n) FROM Measures m JOIN (SELECT 1 AS k UNION ALL "
                                           "SELECT 2) AS d ON 1 = 1", "int", ""},
                      ColumnArithmeticCase{"SELECT AVG(m.n) FROM Measures m JOIN (SELECT 1 AS k UNION ALL "
                                           "SELECT 2) AS d ON 1 = 1", "int", ""},
                      ColumnArithmeticCase{"SELECT AVG(DISTINCT m.n) FROM Measures m JOIN (SELECT 1 AS k UNION "
                                           "ALL SELECT 2) AS d ON 1 = 1", "", "2147483000"},
                      ColumnArithmeticCase{"SELECT SUM(CAST(m.n AS bigint)) FROM Measures m JOIN (SELECT 1 AS k "
                                           "UNION ALL SELECT 2) AS d ON 1 = 1", "", "4294966000"},
                      ColumnArithmeticCase{"SELECT SUM(m.b) FROM Measures m JOIN (SELECT 1 AS k UNION ALL "
                                           "SELECT 2) AS d ON 1 = 1", "", "6000000000"},
                      ColumnArithmeticCase{"SELECT SUM(m.b * 3000000000) FROM Measures m JOIN (SELECT 1 AS k "
                                           "UNION ALL SELECT 2) AS d ON 1 = 1", "bigint", ""},
                      ColumnArithmeticCase{"SELECT AVG(m.b * 3000000000) FROM Measures m JOIN (SELECT 1 AS k "
                                           "UNION ALL SELECT 2) AS d ON 1 = 1", "bigint", ""},
                      // A derived table's columns have no catalogue type: no check, and no false error.
                      ColumnArithmeticCase{"SELECT x + 1000 FROM (SELECT n AS x FROM Measures) AS d", "",
                                           "2147484000"}));

struct ColumnRangeCase {
    const char* change;
    const char* type;
};

class ColumnRangeTest : public ServerTest, public ::testing::WithParamInterface<ColumnRangeCase> {};

TEST_P(ColumnRangeTest, AValueTheColumnCannotHoldIsRefused)
{
    ASSERT_FALSE(Run("IF object_id('Ranged') IS NULL CREATE TABLE Ranged (i int NULL, s smallint NULL, "
                     "t tinyint NULL) DELETE FROM Ranged INSERT INTO Ranged VALUES (1, 1, 1)")
                     .HasError());
    BufferedSink sink = Run(GetParam().change);
    ASSERT_TRUE(sink.HasError()) << GetParam().change;
    EXPECT_EQ(sink.FirstError()->number, 8115);
    EXPECT_EQ(sink.FirstError()->text,
              "Arithmetic overflow error converting expression to data type " + std::string(GetParam().type) + ".");
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Ranged WHERE i = 1 AND s = 1 AND t = 1").rows[0][0].ToText(), "1");
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Ranged").rows[0][0].ToText(), "1");
}

INSTANTIATE_TEST_SUITE_P(Changes, ColumnRangeTest,
                         ::testing::Values(ColumnRangeCase{"INSERT INTO Ranged (i) VALUES (3000000000)", "int"},
                                           ColumnRangeCase{"UPDATE Ranged SET i = -2147483649", "int"},
                                           ColumnRangeCase{"UPDATE Ranged SET s = 40000", "smallint"},
                                           ColumnRangeCase{"INSERT INTO Ranged (t) VALUES (256)", "tinyint"},
                                           ColumnRangeCase{"UPDATE Ranged SET t = -1", "tinyint"}));

struct NullWarningCase {
    const char* query;
    int warnings;
};

class NullEliminatedTest : public ServerTest, public ::testing::WithParamInterface<NullWarningCase> {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        ASSERT_FALSE(Run("IF object_id('Sparse') IS NULL BEGIN CREATE TABLE Sparse (k int NOT NULL, v int NULL, "
                         "s varchar(5) NULL) INSERT INTO Sparse VALUES (1, 10, 'b') INSERT INTO Sparse VALUES "
                         "(1, NULL, NULL) INSERT INTO Sparse VALUES (2, 5, 'A') END")
                         .HasError());
    }
};

TEST_P(NullEliminatedTest, WarnsOnceWhenAnAggregatePassesANull)
{
    const NullWarningCase& c = GetParam();
    BufferedSink sink = Run(c.query);
    ASSERT_FALSE(sink.HasError()) << c.query << "\n" << Describe(sink);
    EXPECT_EQ(CountOf(sink, 8153), c.warnings) << c.query;
    for (const Message& m : sink.messages)
        if (m.number == 8153) {
            EXPECT_EQ(m.severity, 10);
            EXPECT_EQ(m.text, "Warning: Null value is eliminated by an aggregate or other SET operation.");
        }
}

INSTANTIATE_TEST_SUITE_P(
    Queries, NullEliminatedTest,
    ::testing::Values(NullWarningCase{"SELECT SUM(v) FROM Sparse", 1},
                      NullWarningCase{"SELECT k, MAX(v), COUNT(s) FROM Sparse GROUP BY k", 1},
                      NullWarningCase{"SELECT AVG(v) FROM Sparse WHERE k = 2", 0},
                      NullWarningCase{"SELECT COUNT(*) FROM Sparse", 0},
                      NullWarningCase{"SELECT COUNT(DISTINCT v) FROM Sparse", 1},
                      NullWarningCase{"DECLARE @t int SELECT @t = SUM(v) FROM Sparse", 1},
                      NullWarningCase{"SELECT SUM(v) FROM Sparse SELECT SUM(k) FROM Sparse", 1}));

TEST_F(ServerTest, AggregatesOfStringsKeepTheCaseInsensitiveOrder)
{
    BufferedSink sink = Run("SELECT MIN(s), MAX(s) FROM (SELECT 'b' AS s UNION ALL SELECT 'A' UNION ALL "
                            "SELECT NULL) AS t");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(sink.resultSets[0].rows[0][0].ToText(), "A");
    EXPECT_EQ(sink.resultSets[0].rows[0][1].ToText(), "b");
    EXPECT_EQ(CountOf(sink, 8153), 1);
}

TEST_F(ServerTest, RemaindersOfFractionsAreNotTakenAsDivisionByZero)
{
    ResultSet r = Query("SELECT CAST(7.5 AS float) % 2, 5 % CAST(0.5 AS float), -7 % 3");
    EXPECT_EQ(r.rows[0][0].ToText(), "1.5");
    EXPECT_EQ(r.rows[0][1].ToText(), "0");
    EXPECT_EQ(r.rows[0][2].ToText(), "-1");
    BufferedSink byZero = Run("SELECT 5 % CAST(0 AS float)");
    ASSERT_TRUE(byZero.HasError());
    EXPECT_EQ(byZero.FirstError()->number, 8134);
}

} // namespace tw::server::test
