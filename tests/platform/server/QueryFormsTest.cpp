// Common table expressions (recursive ones with MAXRECURSION), table
// variables and GROUP BY ... WITH ROLLUP or CUBE with GROUPING(), checked
// against SQL Server's answers.
#include "ServerFixture.h"

namespace tw::server::test {

namespace {

using Lines = std::vector<std::string>;

} // namespace

class QueryFormsTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        ASSERT_FALSE(Run("CREATE TABLE Staff (id int, boss int, name varchar(10), dept char(1), pay int)\n"
                         "INSERT Staff VALUES (1, NULL, 'Ada', 'A', 50) INSERT Staff VALUES (2, 1, 'Bo', 'A', 30)\n"
                         "INSERT Staff VALUES (3, 2, 'Cy', 'B', 20) INSERT Staff VALUES (4, 2, 'Di', 'B', 25)\n"
                         "INSERT Staff VALUES (5, 4, 'Ed', 'A', 10)").HasError());
    }
    void TearDown() override { Run("DROP TABLE Staff"); }
};

TEST_F(QueryFormsTest, CommonTableExpressionsPlainAndChained)
{
    const BufferedSink sink = Run(
        "WITH a AS (SELECT id, pay FROM Staff WHERE dept = 'A'), b (n, total) AS (SELECT COUNT(*), SUM(pay) FROM a)\n"
        "SELECT n, total FROM b\n"
        ";WITH gone AS (SELECT id FROM Staff WHERE pay < 15) DELETE FROM Staff WHERE id IN (SELECT id FROM gone)\n"
        "SELECT COUNT(*) FROM Staff");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(Rows(sink.resultSets.at(0)), Lines{"3|90"});
    EXPECT_EQ(Rows(sink.resultSets.at(1)), Lines{"4"});
}

TEST_F(QueryFormsTest, RecursiveCommonTableExpressionsWalkAHierarchy)
{
    const BufferedSink sink = Run(
        "WITH chain (id, name, depth) AS (\n"
        "    SELECT id, name, 0 FROM Staff WHERE boss IS NULL\n"
        "    UNION ALL\n"
        "    SELECT s.id, s.name, c.depth + 1 FROM Staff s JOIN chain c ON s.boss = c.id)\n"
        "SELECT name, depth FROM chain ORDER BY depth, name");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    ASSERT_EQ(sink.resultSets.at(0).columns.size(), 2u);
    EXPECT_EQ(sink.resultSets[0].columns[1].name, "depth");
    EXPECT_EQ(Rows(sink.resultSets[0]), (Lines{"Ada|0", "Bo|1", "Cy|2", "Di|2", "Ed|3"}));
}

TEST_F(QueryFormsTest, MaxRecursionLimitsHowDeepARecursionGoes)
{
    const std::string numbers = "WITH n AS (SELECT 1 AS i UNION ALL SELECT i + 1 FROM n WHERE i < 150) "
                                "SELECT COUNT(*) FROM n";
    // 100 levels by default; 0 lifts the limit.
    const BufferedSink deep = Run(numbers);
    ASSERT_TRUE(deep.HasError());
    EXPECT_EQ(deep.FirstError()->number, 530);
    EXPECT_EQ(deep.FirstError()->text,
              "The statement terminated. The maximum recursion 100 has been exhausted before statement completion.");
    const BufferedSink unlimited = Run(numbers + " OPTION (MAXRECURSION 0)");
    ASSERT_FALSE(unlimited.HasError()) << Describe(unlimited);
    EXPECT_EQ(Rows(unlimited.resultSets.at(0)), Lines{"150"});
    EXPECT_FALSE(Run(numbers + " OPTION (MAXRECURSION 149)").HasError());
    EXPECT_EQ(Run(numbers + " OPTION (MAXRECURSION 148)").FirstError()->number, 530);
    EXPECT_EQ(Run(numbers + " OPTION (MAXRECURSION 40000)").FirstError()->number, 310);
    // A CTE that never stops ends at the limit instead of running on.
    EXPECT_EQ(Run("WITH n AS (SELECT 1 AS i UNION ALL SELECT i FROM n) SELECT COUNT(*) FROM n").FirstError()->number,
              530);
}

TEST_F(QueryFormsTest, TableVariablesHoldRowsForTheirBatch)
{
    const BufferedSink sink = Run(
        "DECLARE @t TABLE (id int PRIMARY KEY, name varchar(10) NOT NULL)\n"
        "INSERT @t VALUES (1, 'one')\n"
        "INSERT INTO @t (id, name) SELECT id + 10, name FROM Staff WHERE dept = 'B'\n"
        "UPDATE @t SET name = 'uno' WHERE id = 1\n"
        "DELETE @t WHERE id = 13\n"
        "SELECT t.id, t.name FROM @t t JOIN Staff s ON s.id + 10 = t.id\n"
        "SELECT id, name FROM @t ORDER BY id");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(Rows(sink.resultSets.at(0)), Lines{"14|Di"});
    EXPECT_EQ(Rows(sink.resultSets.at(1)), (Lines{"1|uno", "14|Di"}));
    // Its constraints hold, and it is gone with the batch.
    EXPECT_EQ(Run("DECLARE @t TABLE (id int PRIMARY KEY) INSERT @t VALUES (1) INSERT @t VALUES (1)")
                  .FirstError()->number, 2627);
    const BufferedSink after = Run("SELECT * FROM @t");
    ASSERT_TRUE(after.HasError());
    EXPECT_EQ(after.FirstError()->number, 1087);
    EXPECT_EQ(after.FirstError()->text, "Must declare the table variable \"@t\".");
    EXPECT_EQ(Run("DECLARE @t TABLE (a int) DECLARE @t TABLE (a int)").FirstError()->number, 134);
}

TEST_F(QueryFormsTest, TableVariablesInProceduresAndCursors)
{
    ASSERT_FALSE(Run("CREATE PROC Payroll AS\n"
                     "DECLARE @p TABLE (name varchar(10), pay int)\n"
                     "INSERT @p SELECT name, pay FROM Staff WHERE pay > 20\n"
                     "DECLARE @total int, @pay int SET @total = 0\n"
                     "DECLARE c CURSOR LOCAL FAST_FORWARD FOR SELECT pay FROM @p\n"
                     "OPEN c FETCH NEXT FROM c INTO @pay\n"
                     "WHILE @@FETCH_STATUS = 0 BEGIN SET @total = @total + @pay FETCH NEXT FROM c INTO @pay END\n"
                     "SELECT @total").HasError());
    const BufferedSink sink = Run("EXEC Payroll EXEC Payroll");
    Run("DROP PROC Payroll");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(Rows(sink.resultSets.at(0)), Lines{"105"});
    EXPECT_EQ(Rows(sink.resultSets.at(1)), Lines{"105"});
}

TEST_F(QueryFormsTest, RollupAddsSubtotalsAfterEachGroupAndAGrandTotal)
{
    const BufferedSink sink = Run(
        "SELECT dept, boss, SUM(pay) AS pay, GROUPING(dept) AS gd, GROUPING(boss) AS gb FROM Staff "
        "WHERE boss IS NOT NULL GROUP BY dept, boss WITH ROLLUP\n"
        "SELECT CASE WHEN GROUPING(dept) = 1 THEN 'All' ELSE dept END, COUNT(*) FROM Staff WHERE pay > 10 "
        "GROUP BY dept WITH ROLLUP HAVING SUM(pay) > 40 ORDER BY 2, 1");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(Rows(sink.resultSets.at(0)), (Lines{"A|1|30|0|0", "A|4|10|0|0", "A|NULL|40|0|1", "B|2|45|0|0",
                                                  "B|NULL|45|0|1", "NULL|NULL|85|1|1"}));
    EXPECT_EQ(sink.resultSets[0].columns.at(2).name, "pay");
    EXPECT_EQ(Rows(sink.resultSets.at(1)), (Lines{"A|2", "B|2", "All|4"}));
}

TEST_F(QueryFormsTest, CubeGroupsEveryCombination)
{
    const BufferedSink sink = Run("SELECT dept, pay / 25 AS band, COUNT(*) FROM Staff GROUP BY dept, pay / 25 "
                                  "WITH CUBE");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(Rows(sink.resultSets.at(0)),
              (Lines{"A|0|1", "A|1|1", "A|2|1", "A|NULL|3", "B|0|1", "B|1|1", "B|NULL|2", "NULL|0|2", "NULL|1|2",
                     "NULL|2|1", "NULL|NULL|5"}));
}

TEST_F(QueryFormsTest, GroupingSetsHaveTheirLimits)
{
    const std::string ten = "id, boss, name, dept, pay, id + 1, boss + 1, pay + 1, id + 2, pay + 2";
    EXPECT_FALSE(Run("SELECT COUNT(*) FROM Staff GROUP BY " + ten + " WITH CUBE").HasError());
    EXPECT_EQ(Run("SELECT COUNT(*) FROM Staff GROUP BY " + ten + ", id + 3 WITH CUBE").FirstError()->number, 8122);
    // A cube inside a cube would be translated a million times over: refused instead.
    const std::string inner = "(SELECT TOP 1 COUNT(*) FROM Staff GROUP BY " + ten + " WITH CUBE)";
    EXPECT_EQ(Run("SELECT " + inner + " AS n FROM Staff GROUP BY " + ten + " WITH CUBE").FirstError()->number, 8623);
}

} // namespace tw::server::test
