// Read-only cursors as SQL Server 2000 DBA scripts use them: a loop of FETCH
// NEXT INTO variables while @@FETCH_STATUS = 0, scrolling STATIC cursors,
// LOCAL and GLOBAL scope, and the errors of cursors used out of turn.
#include "ServerFixture.h"

namespace tw::server::test {

class CursorTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        ASSERT_FALSE(Run("CREATE TABLE Fruit (id int, name varchar(20)) INSERT Fruit VALUES (1, 'apple') "
                         "INSERT Fruit VALUES (2, 'banana') INSERT Fruit VALUES (3, 'cherry')").HasError());
    }
    void TearDown() override { Run("DROP TABLE Fruit"); }
};

TEST_F(CursorTest, AFetchLoopReadsEveryRowIntoVariables)
{
    const BufferedSink sink = Run(
        "DECLARE @id int, @name varchar(20), @all varchar(100)\n"
        "SET @all = ''\n"
        "DECLARE fruit_cursor CURSOR FOR SELECT id, name FROM Fruit ORDER BY id\n"
        "OPEN fruit_cursor\n"
        "FETCH NEXT FROM fruit_cursor INTO @id, @name\n"
        "WHILE @@FETCH_STATUS = 0\n"
        "BEGIN\n"
        "    SET @all = @all + CAST(@id AS varchar(5)) + ':' + @name + ' '\n"
        "    FETCH NEXT FROM fruit_cursor INTO @id, @name\n"
        "END\n"
        "CLOSE fruit_cursor\n"
        "DEALLOCATE fruit_cursor\n"
        "SELECT @all, @@FETCH_STATUS");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    ASSERT_EQ(sink.resultSets.size(), 1u);
    EXPECT_EQ(sink.resultSets[0].rows.at(0).at(0).ToText(), "1:apple 2:banana 3:cherry ");
    EXPECT_EQ(sink.resultSets[0].rows.at(0).at(1).ToText(), "-1");
}

TEST_F(CursorTest, StaticCursorsScrollAndKeepTheRowsTheyOpenedWith)
{
    const BufferedSink sink = Run(
        "DECLARE c CURSOR LOCAL STATIC READ_ONLY FOR SELECT name FROM Fruit ORDER BY id\n"
        "OPEN c\n"
        "SELECT @@CURSOR_ROWS\n"
        "DELETE Fruit WHERE id = 3\n"
        "FETCH LAST FROM c\n"
        "FETCH PRIOR FROM c\n"
        "FETCH FIRST FROM c\n"
        "FETCH ABSOLUTE 2 FROM c\n"
        "FETCH RELATIVE -1 FROM c\n"
        "FETCH PRIOR FROM c\n"
        "SELECT @@FETCH_STATUS\n"
        "CLOSE c DEALLOCATE c");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    ASSERT_EQ(sink.resultSets.size(), 8u);
    EXPECT_EQ(sink.resultSets[0].rows.at(0).at(0).ToText(), "3");
    const char* const fetched[] = {"cherry", "banana", "apple", "banana", "apple"};
    for (size_t i = 0; i < std::size(fetched); ++i)
        EXPECT_EQ(sink.resultSets[i + 1].rows.at(0).at(0).ToText(), fetched[i]) << "fetch " << i;
    // Past the first row: an empty result with the cursor's columns, and status -1.
    EXPECT_TRUE(sink.resultSets[6].rows.empty());
    EXPECT_EQ(sink.resultSets[6].columns.at(0).name, "name");
    EXPECT_EQ(sink.resultSets[7].rows.at(0).at(0).ToText(), "-1");
}

TEST_F(CursorTest, GlobalCursorsOutliveTheBatchAndLocalOnesDoNot)
{
    ASSERT_FALSE(Run("DECLARE g CURSOR GLOBAL FOR SELECT id FROM Fruit ORDER BY id OPEN g").HasError());
    ASSERT_FALSE(Run("DECLARE l CURSOR LOCAL FOR SELECT id FROM Fruit").HasError());
    const BufferedSink next = Run("FETCH NEXT FROM g FETCH g");
    ASSERT_FALSE(next.HasError()) << Describe(next);
    EXPECT_EQ(next.resultSets.at(1).rows.at(0).at(0).ToText(), "2");
    EXPECT_EQ(Run("OPEN l").FirstError()->number, 16916);
    EXPECT_FALSE(Run("CLOSE GLOBAL g DEALLOCATE GLOBAL g").HasError());
}

TEST_F(CursorTest, CursorCloseOnCommitClosesThemWhenATransactionEnds)
{
    const BufferedSink kept = Run("DECLARE c CURSOR LOCAL FOR SELECT id FROM Fruit OPEN c BEGIN TRAN COMMIT "
                                  "FETCH NEXT FROM c");
    ASSERT_FALSE(kept.HasError()) << Describe(kept);
    const BufferedSink closed = Run("SET CURSOR_CLOSE_ON_COMMIT ON DECLARE c CURSOR LOCAL FOR SELECT id FROM Fruit "
                                    "OPEN c BEGIN TRAN COMMIT FETCH NEXT FROM c");
    Run("SET CURSOR_CLOSE_ON_COMMIT OFF");
    ASSERT_TRUE(closed.HasError());
    EXPECT_EQ(closed.FirstError()->number, 16917);
}

TEST_F(CursorTest, ProcedureVariablesReachTheCursorQuery)
{
    ASSERT_FALSE(Run("CREATE PROC CountAbove @min int AS\n"
                     "DECLARE @n int, @id int SET @n = 0\n"
                     "DECLARE c CURSOR LOCAL FAST_FORWARD FOR SELECT id FROM Fruit WHERE id > @min\n"
                     "OPEN c FETCH NEXT FROM c INTO @id\n"
                     "WHILE @@FETCH_STATUS = 0 BEGIN SET @n = @n + 1 FETCH NEXT FROM c INTO @id END\n"
                     "SELECT @n").HasError());
    const BufferedSink sink = Run("EXEC CountAbove 1 EXEC CountAbove 0");
    Run("DROP PROC CountAbove");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(sink.resultSets.at(0).rows.at(0).at(0).ToText(), "2");
    EXPECT_EQ(sink.resultSets.at(1).rows.at(0).at(0).ToText(), "3");
}

TEST_F(CursorTest, CursorsUsedOutOfTurnGiveSqlServersErrors)
{
    struct Case {
        const char* batch;
        int number;
    };
    const Case cases[] = {
        {"FETCH NEXT FROM nosuch", 16916},
        {"DECLARE c CURSOR LOCAL FOR SELECT id FROM Fruit FETCH NEXT FROM c", 16917},
        {"DECLARE c CURSOR LOCAL FOR SELECT id FROM Fruit OPEN c OPEN c", 16905},
        {"DECLARE c CURSOR LOCAL FOR SELECT id FROM Fruit DECLARE c CURSOR LOCAL FOR SELECT 1", 16915},
        {"DECLARE c CURSOR LOCAL FOR SELECT id FROM Fruit OPEN c FETCH LAST FROM c", 16911},
        {"DECLARE c CURSOR LOCAL FAST_FORWARD FOR SELECT id FROM Fruit OPEN c FETCH PRIOR FROM c", 16911},
        {"DECLARE @a int DECLARE c CURSOR LOCAL FOR SELECT id, name FROM Fruit OPEN c FETCH c INTO @a", 16924},
        {"DECLARE c CURSOR LOCAL FOR SELECT id FROM Fruit CLOSE c", 16917},
        {"DECLARE c CURSOR LOCAL FOR SELECT id FROM NoSuchTable OPEN c", 208},
        {"DECLARE c CURSOR DYNAMIC FOR SELECT id FROM Fruit", 40000},
        {"DECLARE c CURSOR FOR SELECT id FROM Fruit FOR UPDATE OF name", 40000},
        {"DECLARE @c CURSOR", 40000},
    };
    for (const Case& c : cases) {
        const BufferedSink sink = Run(c.batch);
        ASSERT_TRUE(sink.HasError()) << c.batch;
        EXPECT_EQ(sink.FirstError()->number, c.number) << c.batch;
    }
    EXPECT_EQ(Run("FETCH NEXT FROM nosuch").FirstError()->text, "A cursor with the name 'nosuch' does not exist.");
}

} // namespace tw::server::test
