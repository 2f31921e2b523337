// BEGIN TRY ... END TRY BEGIN CATCH ... END CATCH: a run-time error inside
// TRY goes to CATCH instead of the client, and the ERROR_ functions tell it.
#include "ServerFixture.h"

namespace tw::server::test {

class TryCatchTest : public ServerTest {
protected:
    void TearDown() override
    {
        Run("IF OBJECT_ID('Failing') IS NOT NULL DROP PROCEDURE Failing");
        Run("IF OBJECT_ID('Guarded') IS NOT NULL DROP TABLE Guarded");
    }
    // The single row of the batch's last result set, as text.
    std::vector<std::string> LastRow(const BufferedSink& sink)
    {
        std::vector<std::string> cells;
        if (sink.resultSets.empty() || sink.resultSets.back().rows.empty())
            return cells;
        for (const Value& v : sink.resultSets.back().rows.front())
            cells.push_back(v.ToText());
        return cells;
    }
};

TEST_F(TryCatchTest, RunTimeErrorGoesToCatchWithItsDetails)
{
    const BufferedSink sink = Run("BEGIN TRY\n"
                                  "  SELECT 1 / 0\n"
                                  "  PRINT 'not reached'\n"
                                  "END TRY\n"
                                  "BEGIN CATCH\n"
                                  "  SELECT ERROR_NUMBER(), ERROR_SEVERITY(), ERROR_STATE(), ERROR_LINE(), ERROR_MESSAGE(),\n"
                                  "         ERROR_PROCEDURE()\n"
                                  "END CATCH\n"
                                  "PRINT 'after'");
    EXPECT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(LastRow(sink), (std::vector<std::string>{"8134", "16", "1", "2", "Divide by zero error encountered.",
                                                         "NULL"}));
    bool after = false;
    for (const Message& m : sink.messages) {
        EXPECT_NE(m.text, "not reached");
        after = after || m.text == "after";
    }
    EXPECT_TRUE(after);
    // Outside CATCH there is no error to tell.
    EXPECT_EQ(Query("SELECT ERROR_NUMBER(), ERROR_MESSAGE()").rows[0][0].ToText(), "NULL");
}

TEST_F(TryCatchTest, RaiserrorAndFailedChangesGoToCatch)
{
    const BufferedSink raised = Run("BEGIN TRY RAISERROR('Stock too low for order %d.', 16, 2, 42) END TRY\n"
                                    "BEGIN CATCH SELECT ERROR_NUMBER(), ERROR_STATE(), ERROR_MESSAGE() END CATCH");
    EXPECT_FALSE(raised.HasError()) << Describe(raised);
    EXPECT_EQ(LastRow(raised), (std::vector<std::string>{"50000", "2", "Stock too low for order 42."}));
    // An informational RAISERROR is only a message.
    const BufferedSink info = Run("BEGIN TRY RAISERROR('just saying', 10, 1) SELECT 'went on' END TRY\n"
                                  "BEGIN CATCH SELECT 'caught' END CATCH");
    EXPECT_EQ(LastRow(info), std::vector<std::string>{"went on"});

    ASSERT_FALSE(Run("CREATE TABLE Guarded (id int PRIMARY KEY, qty int CHECK (qty > 0))").HasError());
    const BufferedSink change = Run("BEGIN TRY INSERT Guarded VALUES (1, 5) INSERT Guarded VALUES (2, 0) END TRY\n"
                                    "BEGIN CATCH SELECT ERROR_NUMBER() END CATCH\n"
                                    "SELECT COUNT(*) FROM Guarded");
    EXPECT_FALSE(change.HasError()) << Describe(change);
    ASSERT_EQ(change.resultSets.size(), 2u);
    EXPECT_EQ(change.resultSets[0].rows[0][0].ToText(), "547");
    EXPECT_EQ(change.resultSets[1].rows[0][0].ToText(), "1");
}

TEST_F(TryCatchTest, ErrorsInsideProceduresAndNestedTriesReachTheRightCatch)
{
    ASSERT_FALSE(Run("CREATE PROCEDURE Failing AS\nSELECT CAST('x' AS int)").HasError());
    const BufferedSink fromProcedure = Run("BEGIN TRY EXEC Failing END TRY\n"
                                           "BEGIN CATCH SELECT ERROR_NUMBER(), ERROR_PROCEDURE(), ERROR_LINE() END CATCH");
    EXPECT_FALSE(fromProcedure.HasError()) << Describe(fromProcedure);
    EXPECT_EQ(LastRow(fromProcedure), (std::vector<std::string>{"245", "Failing", "2"}));

    const BufferedSink nested = Run("BEGIN TRY\n"
                                    "  BEGIN TRY SELECT 1 / 0 END TRY\n"
                                    "  BEGIN CATCH RAISERROR('inner caught %d', 16, 1, 8134) END CATCH\n"
                                    "END TRY\n"
                                    "BEGIN CATCH SELECT ERROR_MESSAGE() END CATCH");
    EXPECT_FALSE(nested.HasError()) << Describe(nested);
    EXPECT_EQ(LastRow(nested), std::vector<std::string>{"inner caught 8134"});
    // From a dynamic batch too, and the session stays sound for what follows.
    const BufferedSink dynamic = Run("BEGIN TRY EXEC('SELECT 1 / 0') END TRY BEGIN CATCH SELECT ERROR_NUMBER() END CATCH\n"
                                     "SELECT LEN('still fine')");
    EXPECT_FALSE(dynamic.HasError()) << Describe(dynamic);
    ASSERT_EQ(dynamic.resultSets.size(), 2u);
    EXPECT_EQ(dynamic.resultSets[0].rows[0][0].ToText(), "8134");
    EXPECT_EQ(dynamic.resultSets[1].rows[0][0].ToText(), "10");
    // An error in CATCH with no outer TRY reaches the client.
    const BufferedSink uncaught = Run("BEGIN TRY SELECT 1 / 0 END TRY BEGIN CATCH SELECT CAST('y' AS int) END CATCH");
    ASSERT_TRUE(uncaught.HasError());
    EXPECT_EQ(uncaught.FirstError()->number, 245);
}

TEST_F(TryCatchTest, SyntaxIsCheckedBeforeAnythingRuns)
{
    for (const char* batch : {"PRINT 'ran' BEGIN TRY SELECT 1 END TRY", "PRINT 'ran' BEGIN TRY SELECT 1 END TRY BEGIN CATCH",
                              "PRINT 'ran' BEGIN TRY SELECT FROM END TRY BEGIN CATCH END CATCH"}) {
        const BufferedSink sink = Run(batch);
        ASSERT_TRUE(sink.HasError()) << batch;
        EXPECT_EQ(sink.FirstError()->severity, 15) << batch;
        EXPECT_EQ(sink.messages.size(), 1u) << batch;
    }
    // An empty CATCH block is allowed.
    EXPECT_FALSE(Run("BEGIN TRY SELECT 1 / 0 END TRY BEGIN CATCH END CATCH").HasError());
}

} // namespace tw::server::test
