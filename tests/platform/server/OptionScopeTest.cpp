// SET options set inside a procedure, a trigger or a dynamic batch end with
// it: SQL Server gives the caller back its own settings when control returns.
#include "ServerFixture.h"

namespace tw::server::test {

class OptionScopeTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        ASSERT_FALSE(Run("CREATE TABLE #Prices (id int, price money)\n"
                         "DECLARE @i int SET @i = 1\n"
                         "WHILE @i <= 25 BEGIN INSERT #Prices VALUES (@i, @i * 2) SET @i = @i + 1 END")
                         .HasError());
    }
    void TearDown() override
    {
        for (const char* object : {"TenMostExpensive", "SetsAndFails", "Outer", "Inner", "ShowDates"})
            Run(std::string("IF OBJECT_ID('") + object + "') IS NOT NULL DROP PROCEDURE " + object);
        Run("IF OBJECT_ID('Audited') IS NOT NULL DROP TABLE Audited");
    }
    std::string Count(const std::string& batch) { return Query(batch).rows.at(0).at(0).ToText(); }
    int64_t RowsOf(const std::string& batch) { return static_cast<int64_t>(Query(batch).rows.size()); }
};

TEST_F(OptionScopeTest, RowcountSetInAProcedureEndsWithIt)
{
    ASSERT_FALSE(Run("CREATE PROCEDURE TenMostExpensive AS\n"
                     "SET ROWCOUNT 10\n"
                     "SELECT price FROM #Prices ORDER BY price DESC").HasError());
    const BufferedSink call = Run("EXEC TenMostExpensive");
    ASSERT_EQ(call.resultSets.size(), 1u);
    EXPECT_EQ(call.resultSets[0].rows.size(), 10u);
    EXPECT_EQ(RowsOf("SELECT * FROM #Prices"), 25);
    const BufferedSink update = Run("UPDATE #Prices SET price = price + 1");
    ASSERT_FALSE(update.rowCounts.empty());
    EXPECT_EQ(update.rowCounts.back(), 25);
    // The caller's own setting is restored, not reset.
    const BufferedSink limited = Run("SET ROWCOUNT 3 EXEC TenMostExpensive SELECT * FROM #Prices SET ROWCOUNT 0");
    ASSERT_EQ(limited.resultSets.size(), 2u);
    EXPECT_EQ(limited.resultSets[0].rows.size(), 10u);
    EXPECT_EQ(limited.resultSets[1].rows.size(), 3u);
}

TEST_F(OptionScopeTest, EveryKindOfOptionIsRestoredEvenAfterAnError)
{
    ASSERT_FALSE(Run("CREATE PROCEDURE SetsAndFails AS\n"
                     "SET NOCOUNT ON SET DATEFORMAT dmy SET ANSI_NULLS OFF SET CONCAT_NULL_YIELDS_NULL OFF\n"
                     "SET TRANSACTION ISOLATION LEVEL SERIALIZABLE\n"
                     "SELECT 1 / 0").HasError());
    Run("EXEC SetsAndFails");
    const BufferedSink nocount = Run("UPDATE #Prices SET price = price");
    EXPECT_FALSE(nocount.rowCounts.empty()); // NOCOUNT is off again
    EXPECT_EQ(Count("SELECT MONTH('02/03/2024')"), "2");
    EXPECT_EQ(Count("SELECT CASE WHEN NULL = NULL THEN 1 ELSE 0 END"), "0");
    EXPECT_EQ(Count("SELECT ISNULL('a' + NULL, 'null')"), "null");
    std::string isolation;
    for (const Row& row : Query("DBCC USEROPTIONS").rows) {
        if (row[0].ToText() == "isolation level")
            isolation = row[1].ToText();
    }
    EXPECT_EQ(isolation, "read committed");
}

TEST_F(OptionScopeTest, NestedProceduresEachRestoreTheirCallers)
{
    ASSERT_FALSE(Run("CREATE PROCEDURE Inner AS SET ROWCOUNT 2 SELECT id FROM #Prices").HasError());
    ASSERT_FALSE(Run("CREATE PROCEDURE Outer AS SET ROWCOUNT 5 EXEC Inner SELECT id FROM #Prices").HasError());
    const BufferedSink sink = Run("EXEC Outer SELECT id FROM #Prices");
    ASSERT_EQ(sink.resultSets.size(), 3u);
    EXPECT_EQ(sink.resultSets[0].rows.size(), 2u);
    EXPECT_EQ(sink.resultSets[1].rows.size(), 5u);
    EXPECT_EQ(sink.resultSets[2].rows.size(), 25u);
}

TEST_F(OptionScopeTest, TriggersAndDynamicBatchesRestoreToo)
{
    ASSERT_FALSE(Run("CREATE TABLE Audited (id int)").HasError());
    ASSERT_FALSE(Run("CREATE TRIGGER AuditedInsert ON Audited FOR INSERT AS SET ROWCOUNT 1 SET NOCOUNT ON").HasError());
    ASSERT_FALSE(Run("INSERT Audited VALUES (1)").HasError());
    EXPECT_EQ(RowsOf("SELECT * FROM #Prices"), 25);
    Run("EXEC('SET ROWCOUNT 4 SET DATEFORMAT ymd')");
    EXPECT_EQ(RowsOf("SELECT * FROM #Prices"), 25);
    EXPECT_EQ(Count("SELECT MONTH('02/03/2024')"), "2");
    // Options set in the batch itself stay for the session, as always.
    Run("SET ROWCOUNT 4");
    EXPECT_EQ(RowsOf("SELECT * FROM #Prices"), 4);
    Run("SET ROWCOUNT 0");
}

} // namespace tw::server::test
