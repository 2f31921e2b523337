// Forms older scripts use that the server answers as SQL Server does:
// DELETE with a second FROM clause, the spread aggregates, SOUNDEX.
#include "ServerFixture.h"

namespace tw::server::test {

// Parents(id, keep) 1 kept, 2 and 3 not; Children(id, pid) 10..13 under 1, 2, 3, 2.
struct JoinedDeleteCase {
    const char* statement;
    const char* remaining; // Children's ids after it, or the error
};

class JoinedDeleteTest : public ServerTest, public ::testing::WithParamInterface<JoinedDeleteCase> {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        Run("IF OBJECT_ID('Children') IS NOT NULL DROP TABLE Children\n"
            "IF OBJECT_ID('Parents') IS NOT NULL DROP TABLE Parents");
        BufferedSink sink = Run("CREATE TABLE Parents (id int PRIMARY KEY, keep bit NOT NULL)\n"
                                "CREATE TABLE Children (id int PRIMARY KEY, pid int NOT NULL)\n"
                                "INSERT Parents VALUES (1, 1)\nINSERT Parents VALUES (2, 0)\n"
                                "INSERT Parents VALUES (3, 0)\nINSERT Children VALUES (10, 1)\n"
                                "INSERT Children VALUES (11, 2)\nINSERT Children VALUES (12, 3)\n"
                                "INSERT Children VALUES (13, 2)");
        ASSERT_FALSE(sink.HasError()) << Describe(sink);
    }
    void TearDown() override { Run("DROP TABLE Children\nDROP TABLE Parents"); }
};

TEST_P(JoinedDeleteTest, DeletesTheRowsTheJoinFinds)
{
    BufferedSink sink = Run(std::string(GetParam().statement) + "\nSELECT id FROM Children ORDER BY id");
    EXPECT_EQ(Outcome(sink), GetParam().remaining) << GetParam().statement;
}

INSTANTIATE_TEST_SUITE_P(
    Table, JoinedDeleteTest,
    ::testing::Values(
        JoinedDeleteCase{"DELETE FROM c FROM Children c JOIN Parents p ON p.id = c.pid WHERE p.keep = 0 AND c.id > 11",
                         "10;11"},
        JoinedDeleteCase{"DELETE Children FROM Children INNER JOIN Parents ON Parents.id = Children.pid "
                         "WHERE Parents.id = 2",
                         "10;12"},
        JoinedDeleteCase{"DELETE dbo.Children FROM Parents p, dbo.Children WHERE p.id = Children.pid AND p.keep = 1",
                         "11;12;13"},
        // SET ROWCOUNT limits it as any DELETE; one of the three rows goes.
        JoinedDeleteCase{"SET ROWCOUNT 1\nDELETE c FROM Children c JOIN Parents p ON p.id = c.pid WHERE p.keep = 0\n"
                         "SELECT @@ROWCOUNT\nSET ROWCOUNT 0\nDELETE Children WHERE id NOT IN (10, 11, 12, 13)\n"
                         "SELECT COUNT(*) FROM Children WHERE id > 10\nDELETE Children WHERE id > 10",
                         "1;2;10"},
        JoinedDeleteCase{"DELETE x FROM Children c", "208 Invalid object name 'x'."},
        // A table variable is named by its alias; its rows go as a table's do.
        JoinedDeleteCase{"DECLARE @gone TABLE (id int)\nINSERT @gone VALUES (11)\nINSERT @gone VALUES (99)\n"
                         "DELETE g FROM @gone AS g JOIN Children c ON c.id = g.id\n"
                         "DELETE c FROM Children c, @gone g WHERE c.id <> g.id AND c.id > 12\nSELECT id FROM @gone",
                         "99;10;11;12"}));

TEST_F(ServerTest, JoinedDeleteCountsItsRows)
{
    Run("IF OBJECT_ID('Marks') IS NOT NULL DROP TABLE Marks");
    ASSERT_FALSE(Run("CREATE TABLE Marks (id int, v int)\nINSERT Marks VALUES (1, 1)\nINSERT Marks VALUES (2, 2)")
                     .HasError());
    EXPECT_EQ(Outcome(Run("DELETE m FROM Marks m JOIN Marks n ON n.id = m.id WHERE m.v > 0\nSELECT @@ROWCOUNT")),
              "2");
    Run("DROP TABLE Marks");
}

INSTANTIATE_TEST_SUITE_P(
    Spreads, ExpressionTest,
    ::testing::Values(
        ExpressionCase{"(SELECT STDEVP(v) FROM (SELECT 2 AS v UNION ALL SELECT 4 UNION ALL SELECT 4 UNION ALL SELECT 4 "
                       "UNION ALL SELECT 5 UNION ALL SELECT 5 UNION ALL SELECT 7 UNION ALL SELECT 9) x)",
                       "2"},
        ExpressionCase{"(SELECT VARP(v) FROM (SELECT 2 AS v UNION ALL SELECT 4 UNION ALL SELECT 4 UNION ALL SELECT 4 "
                       "UNION ALL SELECT 5 UNION ALL SELECT 5 UNION ALL SELECT 7 UNION ALL SELECT 9) x)",
                       "4"},
        ExpressionCase{"(SELECT VAR(v) FROM (SELECT 1 AS v UNION ALL SELECT 3) x)", "2"},
        ExpressionCase{"(SELECT STDEV(DISTINCT v) FROM (SELECT 1 AS v UNION ALL SELECT 1 UNION ALL SELECT 3) x)",
                       "1.4142135623731"},
        // One value has no sample spread, and a population spread of nothing.
        ExpressionCase{"(SELECT STDEV(v) FROM (SELECT 1e300 AS v) x)", "NULL"},
        ExpressionCase{"(SELECT STDEVP(v) FROM (SELECT 1e300 AS v) x)", "0"},
        ExpressionCase{"(SELECT VAR(v) FROM (SELECT 1 AS v WHERE 1 = 0) x)", "NULL"}));

INSTANTIATE_TEST_SUITE_P(
    Soundex, ExpressionTest,
    ::testing::Values(ExpressionCase{"SOUNDEX('Robert') + SOUNDEX('Rupert')", "R163R163"},
                      ExpressionCase{"SOUNDEX('Ashcraft')", "A261"}, ExpressionCase{"SOUNDEX('Tymczak')", "T522"},
                      ExpressionCase{"SOUNDEX('Pfister')", "P236"}, ExpressionCase{"SOUNDEX('Lee')", "L000"},
                      ExpressionCase{"DIFFERENCE('Smith', 'Smythe')", "4"},
                      ExpressionCase{"DIFFERENCE('Green', 'Brown')", "3"},
                      ExpressionCase{"SOUNDEX(NULL)", "NULL"}));

} // namespace tw::server::test

namespace tw::server::test {

// sp_lock spells out what syslockinfo holds: the session's database lock, and
// inside a transaction the table and key locks of what it changed.
TEST_F(ServerTest, LockListingNamesTypesAndModes)
{
    Run("IF OBJECT_ID('Locked') IS NOT NULL DROP TABLE Locked");
    ASSERT_FALSE(Run("CREATE TABLE Locked (id int PRIMARY KEY)\nINSERT Locked VALUES (1)").HasError());
    BufferedSink sink = Run("BEGIN TRAN\nUPDATE Locked SET id = 1 WHERE id = 1\n"
                            "DECLARE @me int\nSET @me = @@SPID\nEXEC sp_lock @me\nROLLBACK");
    ASSERT_EQ(sink.resultSets.size(), 1u) << Describe(sink);
    const ResultSet& locks = sink.resultSets[0];
    ASSERT_EQ(locks.columns.size(), 8u);
    EXPECT_EQ(locks.columns[4].name, "Type");
    std::vector<std::string> kinds;
    for (const Row& row : locks.rows)
        kinds.push_back(row[4].ToText() + row[6].ToText() + row[7].ToText());
    EXPECT_EQ(kinds, (std::vector<std::string>{"DB  SGRANT", "DB  XGRANT", "KEY XGRANT", "TAB IXGRANT"}));
    BufferedSink none = Run("EXEC sp_lock 32000");
    ASSERT_EQ(none.resultSets.size(), 1u) << Describe(none);
    EXPECT_TRUE(none.resultSets[0].rows.empty());
    Run("DROP TABLE Locked");
}

} // namespace tw::server::test

namespace tw::server::test {

// TOP n WITH TIES: the first n rows by the ORDER BY and every row tied with the last of them.
struct TiesCase {
    const char* query; // over Scores(name, points decimal(5,1), team)
    const char* expected;
};

class TopWithTiesTest : public ServerTest, public ::testing::WithParamInterface<TiesCase> {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        Run("IF OBJECT_ID('Scores') IS NOT NULL DROP TABLE Scores");
        BufferedSink sink = Run("CREATE TABLE Scores (name varchar(10) NOT NULL, points decimal(5,1) NOT NULL, "
                                "team char(1) NOT NULL)\n"
                                "INSERT Scores VALUES ('ann', 9.5, 'a')\nINSERT Scores VALUES ('bob', 10.0, 'b')\n"
                                "INSERT Scores VALUES ('cy', 9.5, 'a')\nINSERT Scores VALUES ('dee', 7.0, 'b')\n"
                                "INSERT Scores VALUES ('eve', 9.5, 'b')\nINSERT Scores VALUES ('fay', 100.0, 'a')");
        ASSERT_FALSE(sink.HasError()) << Describe(sink);
    }
    void TearDown() override { Run("DROP TABLE Scores"); }
};

TEST_P(TopWithTiesTest, KeepsRowsTiedWithTheLast)
{
    EXPECT_EQ(Outcome(Run(GetParam().query)), GetParam().expected) << GetParam().query;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TopWithTiesTest,
    ::testing::Values(
        TiesCase{"SELECT TOP 3 WITH TIES name FROM Scores ORDER BY points DESC, name", "fay;bob;ann"},
        TiesCase{"SELECT TOP 3 WITH TIES points FROM Scores ORDER BY points DESC", "100.0;10.0;9.5;9.5;9.5"},
        TiesCase{"SELECT TOP 1 WITH TIES s.name FROM Scores s WHERE s.team = 'a' ORDER BY s.points, s.team",
                 "ann;cy"},
        TiesCase{"SELECT TOP 1 WITH TIES COUNT(*) FROM Scores GROUP BY team ORDER BY COUNT(*) DESC", "3;3"},
        TiesCase{"DECLARE @n int\nSET @n = 2\nSELECT TOP (@n) WITH TIES name FROM Scores ORDER BY points", "dee;ann;cy;eve"},
        TiesCase{"SELECT TOP 2 WITH TIES name FROM Scores",
                 "1062 The TOP N WITH TIES clause is not allowed without a corresponding ORDER BY clause."},
        TiesCase{"SELECT TOP 2 PERCENT WITH TIES name FROM Scores ORDER BY points",
                 "40000 TOP ... PERCENT WITH TIES is not supported by the embedded server."},
        TiesCase{"SELECT TOP 2 WITH TIES name FROM Scores ORDER BY 1",
                 "40000 TOP ... WITH TIES ordered by column numbers is not supported by the embedded server."}));

} // namespace tw::server::test
