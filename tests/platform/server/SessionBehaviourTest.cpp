// Session state: SET options with SQL Server's effects, transactions,
// procedures with OUTPUT parameters and RETURN values, and refusals.
#include <chrono>
#include <thread>

#include "ServerFixture.h"

namespace tw::server::test {

namespace {

std::string FirstCell(const BufferedSink& sink)
{
    if (sink.resultSets.empty() || sink.resultSets[0].rows.empty())
        return "<none>";
    return sink.resultSets[0].rows[0][0].ToText();
}

bool HasInfoStarting(const BufferedSink& sink, const std::string& prefix)
{
    for (const Message& m : sink.messages)
        if (!m.IsError() && m.text.find(prefix) != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST_F(ServerTest, AnsiNullsOffMakesNullEqualNull)
{
    EXPECT_EQ(FirstCell(Run("SET ANSI_NULLS ON SELECT CASE WHEN NULL = NULL THEN 1 ELSE 0 END")), "0");
    EXPECT_EQ(FirstCell(Run("SET ANSI_NULLS OFF SELECT CASE WHEN NULL = NULL THEN 1 ELSE 0 END")), "1");
    EXPECT_EQ(FirstCell(Run("SET ANSI_NULLS OFF SELECT COUNT(*) FROM Orders WHERE ShippedDate = NULL")), "20");
}

TEST_F(ServerTest, ConcatNullYieldsNull)
{
    EXPECT_EQ(FirstCell(Run("SET CONCAT_NULL_YIELDS_NULL ON SELECT 'a' + NULL")), "NULL");
    EXPECT_EQ(FirstCell(Run("SET CONCAT_NULL_YIELDS_NULL OFF DECLARE @n varchar(5) SELECT 'a' + @n")), "a");
}

TEST_F(ServerTest, NocountDropsRowCounts)
{
    EXPECT_EQ(Run("SET NOCOUNT OFF SELECT 1").rowCounts.size(), 1u);
    EXPECT_TRUE(Run("SET NOCOUNT ON SELECT 1").rowCounts.empty());
}

TEST_F(ServerTest, NoexecAndParseonlyRunNothingUntilSwitchedOff)
{
    BufferedSink noexec = Run("SET NOEXEC ON SELECT 1 PRINT 'x' SET NOEXEC OFF SELECT 2");
    ASSERT_EQ(noexec.resultSets.size(), 1u);
    EXPECT_EQ(noexec.resultSets[0].rows[0][0].ToText(), "2");
    BufferedSink parseonly = Run("SET PARSEONLY ON SELECT * FROM NoSuchTable SET PARSEONLY OFF");
    EXPECT_FALSE(parseonly.HasError());
    EXPECT_TRUE(parseonly.resultSets.empty());
}

TEST_F(ServerTest, ShowplanTextReturnsPlansInsteadOfRunning)
{
    ASSERT_FALSE(Run("SET SHOWPLAN_TEXT ON").HasError());
    BufferedSink plan = Run("DELETE FROM Orders WHERE OrderID = 1");
    ASSERT_EQ(plan.resultSets.size(), 2u);
    EXPECT_EQ(plan.resultSets[0].columns[0].name, "StmtText");
    EXPECT_EQ(plan.resultSets[0].rows[0][0].ToText(), "DELETE FROM Orders WHERE OrderID = 1");
    ASSERT_FALSE(Run("SET SHOWPLAN_TEXT OFF").HasError());
    EXPECT_EQ(FirstCell(Run("SELECT COUNT(*) FROM Orders WHERE OrderID = 1")), "1");
    EXPECT_EQ(Run("SET SHOWPLAN_TEXT ON SELECT 1").FirstError()->number, 1067);
}

TEST_F(ServerTest, StatisticsGiveMessages)
{
    BufferedSink time = Run("SET STATISTICS TIME ON\nSELECT COUNT(*) FROM Orders");
    EXPECT_TRUE(HasInfoStarting(time, "SQL Server Execution Times:"));
    BufferedSink io = Run("SET STATISTICS IO ON\nSELECT COUNT(*) FROM Orders");
    EXPECT_TRUE(HasInfoStarting(io, "Table 'Orders'. Scan count"));
    Run("SET STATISTICS IO OFF SET STATISTICS TIME OFF");
    EXPECT_TRUE(Run("SELECT COUNT(*) FROM Orders").messages.empty());
}

TEST_F(ServerTest, ImplicitTransactionsOpenOneOnFirstChange)
{
    EXPECT_EQ(FirstCell(Run("SET IMPLICIT_TRANSACTIONS OFF INSERT INTO Customers (CompanyName) VALUES ('i') "
                            "SELECT @@TRANCOUNT")), "0");
    EXPECT_EQ(FirstCell(Run("SET IMPLICIT_TRANSACTIONS ON INSERT INTO Customers (CompanyName) VALUES ('j') "
                            "SELECT @@TRANCOUNT")), "1");
    Run("ROLLBACK SET IMPLICIT_TRANSACTIONS OFF DELETE FROM Customers WHERE CompanyName IN ('i', 'j')");
    EXPECT_EQ(FirstCell(Run("SELECT COUNT(*) FROM Customers WHERE CompanyName IN ('i', 'j')")), "0");
}

TEST_F(ServerTest, ArithabortDecidesWhetherDivideByZeroEndsTheBatch)
{
    BufferedSink off = Run("SET ARITHABORT OFF SELECT 1 / 0 PRINT 'continued'");
    EXPECT_TRUE(HasInfoStarting(off, "continued"));
    BufferedSink on = Run("SET ARITHABORT ON SELECT 1 / 0 PRINT 'continued'");
    EXPECT_EQ(on.FirstError()->number, 8134);
    EXPECT_FALSE(HasInfoStarting(on, "continued"));
}

TEST_F(ServerTest, RowcountLimitsRows)
{
    EXPECT_EQ(Run("SET ROWCOUNT 3 SELECT * FROM Orders").resultSets[0].rows.size(), 3u);
    EXPECT_EQ(Run("SET ROWCOUNT 0 SELECT * FROM Orders").resultSets[0].rows.size(), 200u);
}

TEST_F(ServerTest, AnsiNullDefaultDecidesNullability)
{
    Run("SET ANSI_NULL_DFLT_ON ON CREATE TABLE #on (a int)");
    Run("SET ANSI_NULL_DFLT_ON OFF CREATE TABLE #off (a int)");
    EXPECT_FALSE(Run("INSERT INTO #on VALUES (NULL)").HasError());
    EXPECT_EQ(Run("INSERT INTO #off VALUES (NULL)").FirstError()->number, 515);
}

TEST_F(ServerTest, QuotedIdentifierDecidesWhatDoubleQuotesAre)
{
    EXPECT_EQ(FirstCell(Run("SET QUOTED_IDENTIFIER ON")), "<none>");
    EXPECT_EQ(FirstCell(Run("SELECT \"OrderID\" FROM Orders WHERE OrderID = 7")), "7");
    Run("SET QUOTED_IDENTIFIER OFF");
    EXPECT_EQ(FirstCell(Run("SELECT \"OrderID\" FROM Orders WHERE OrderID = 7")), "OrderID");
}

TEST_F(ServerTest, AnsiDefaultsSwitchTheGroupAndUseroptionsShowIt)
{
    BufferedSink sink = Run("SET ANSI_DEFAULTS ON SET CURSOR_CLOSE_ON_COMMIT OFF DBCC USEROPTIONS");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    std::set<std::string> options;
    for (const Row& row : sink.resultSets[0].rows)
        options.insert(row[0].text);
    EXPECT_TRUE(options.count("implicit_transactions"));
    EXPECT_FALSE(options.count("cursor_close_on_commit"));
    Run("SET IMPLICIT_TRANSACTIONS OFF");
}

TEST_F(ServerTest, OptionsItCannotHonourAreRefused)
{
    for (const char* batch : {"SET ANSI_PADDING OFF", "SET ANSI_WARNINGS OFF", "SET XACT_ABORT ON", "SET SHOWPLAN_ALL ON",
                              "SET NO_SUCH_OPTION ON"}) {
        BufferedSink sink = Run(batch);
        EXPECT_TRUE(sink.HasError()) << batch;
    }
}

struct UnsupportedCase {
    const char* batch;
};

class UnsupportedTest : public ServerTest, public ::testing::WithParamInterface<UnsupportedCase> {};

TEST_P(UnsupportedTest, RefusesWithAnErrorAndNoRows)
{
    BufferedSink sink = Run(GetParam().batch);
    ASSERT_TRUE(sink.HasError()) << GetParam().batch;
    const Message* e = sink.FirstError();
    EXPECT_GT(e->number, 0);
    EXPECT_GE(e->severity, 15);
    EXPECT_FALSE(e->text.empty());
    EXPECT_TRUE(sink.resultSets.empty()) << GetParam().batch;
}

INSTANTIATE_TEST_SUITE_P(
    Constructs, UnsupportedTest,
    ::testing::Values(UnsupportedCase{"DECLARE c CURSOR KEYSET FOR SELECT * FROM Orders"},
                      UnsupportedCase{"DECLARE c CURSOR FOR SELECT * FROM Orders FOR UPDATE"},
                      UnsupportedCase{"DECLARE @c CURSOR"},
                      UnsupportedCase{"MERGE Orders AS t USING Orders AS s ON t.OrderID = s.OrderID"},
                      UnsupportedCase{"SELECT * FROM OPENROWSET('x', 'y', 'z')"},
                      UnsupportedCase{"SELECT * FROM OPENQUERY(srv, 'select 1')"},
                      UnsupportedCase{"SELECT * FROM srv.TarnSample.dbo.Orders"},
                      UnsupportedCase{"BULK INSERT Orders FROM 'file.txt'"},
                      UnsupportedCase{"BACKUP DATABASE TarnSample TO DISK = 'x.bak'"},
                      UnsupportedCase{"RESTORE DATABASE TarnSample FROM DISK = 'x.bak'"},
                      UnsupportedCase{"GRANT CREATE TABLE TO guest"}, UnsupportedCase{"DENY SELECT ON Orders (OrderID) TO guest"},
                      UnsupportedCase{"SELECT * FROM Orders OPTION (FAST 10)"},
                      UnsupportedCase{"SELECT OrderID FROM Orders COMPUTE COUNT(OrderID)"}, UnsupportedCase{"SELECT * FROM Orders FOR XML AUTO"},
                      UnsupportedCase{"SELECT CustomerID, COUNT(*) FROM Orders GROUP BY ALL CustomerID"},
                      UnsupportedCase{"SELECT * FROM Orders o CROSS APPLY (SELECT 1 AS x) a"},
                      UnsupportedCase{"GOTO done"}, UnsupportedCase{"CREATE DATABASE Other ON (NAME = x)"},
                      UnsupportedCase{"INSERT INTO Orders EXEC usp_CustomerOrders 1"},
                      UnsupportedCase{"CREATE TABLE c (a int, b AS a + 1)"},
                      UnsupportedCase{"CREATE TABLE c (a int IDENTITY(100, 5), b int NOT NULL PRIMARY KEY)"},
                      UnsupportedCase{"SELECT TOP 1 PERCENT WITH TIES * FROM Orders ORDER BY CustomerID"},
                      UnsupportedCase{"SHUTDOWN"}));

TEST_F(ServerTest, ProcedureGivesOutputParameterAndReturnValue)
{
    BufferedSink sink = Run("DECLARE @count int, @status int\n"
                            "EXEC @status = dbo.usp_CustomerOrders @CustomerID = 8, @OrderCount = @count OUTPUT\n"
                            "SELECT @count AS c, @status AS s");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    ASSERT_EQ(sink.resultSets.size(), 2u);
    const size_t orders = sink.resultSets[0].rows.size();
    EXPECT_GT(orders, 0u);
    EXPECT_EQ(sink.resultSets[1].rows[0][0].ToText(), std::to_string(orders));
    EXPECT_EQ(sink.resultSets[1].rows[0][1].ToText(), std::to_string(orders));
    ASSERT_TRUE(sink.returnStatus.has_value());
    EXPECT_EQ(*sink.returnStatus, static_cast<int>(orders));
    ASSERT_EQ(sink.outputs.size(), 1u);
    EXPECT_EQ(sink.outputs[0].first, "@ordercount");
    EXPECT_EQ(sink.outputs[0].second.integer, static_cast<int64_t>(orders));
}

TEST_F(ServerTest, ProcedureArgumentErrors)
{
    EXPECT_EQ(Run("EXEC dbo.usp_CustomerOrders 8").FirstError()->number, 201);
    EXPECT_EQ(Run("DECLARE @c int EXEC dbo.usp_CustomerOrders 8, @c OUTPUT, 3").FirstError()->number, 8144);
    EXPECT_EQ(Run("EXEC dbo.usp_CustomerOrders @Nope = 1").FirstError()->number, 8145);
    EXPECT_EQ(Run("DECLARE @c int EXEC dbo.usp_CustomerOrders DEFAULT, @c OUTPUT").FirstError()->number, 201);
}

TEST_F(ServerTest, ErrorsInsideAProcedureNameIt)
{
    ASSERT_FALSE(Run("CREATE PROCEDURE dbo.usp_Fails AS\nSELECT 1\nSELECT * FROM Missing").HasError());
    BufferedSink sink = Run("EXEC dbo.usp_Fails\nPRINT 'caller goes on'");
    ASSERT_TRUE(sink.HasError());
    EXPECT_EQ(sink.FirstError()->procedure, "usp_Fails");
    EXPECT_EQ(sink.FirstError()->line, 3);
    EXPECT_TRUE(HasInfoStarting(sink, "caller goes on"));
    Run("DROP PROCEDURE dbo.usp_Fails");
}

TEST_F(ServerTest, TransactionsRollBackAndNest)
{
    BufferedSink sink = Run("BEGIN TRAN\nINSERT INTO Customers (CompanyName) VALUES ('rolled back')\n"
                            "BEGIN TRAN\nSELECT @@TRANCOUNT\nCOMMIT\nSELECT @@TRANCOUNT\nROLLBACK\n"
                            "SELECT COUNT(*) FROM Customers WHERE CompanyName = 'rolled back'");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(sink.resultSets[0].rows[0][0].ToText(), "2");
    EXPECT_EQ(sink.resultSets[1].rows[0][0].ToText(), "1");
    EXPECT_EQ(sink.resultSets[2].rows[0][0].ToText(), "0");
    EXPECT_EQ(session->TranCount(), 0);
}

TEST_F(ServerTest, CancelStopsALongQueryAndLeavesTheSessionUsable)
{
    BufferedSink sink;
    std::thread runner([&] {
        session->Execute("SELECT COUNT(*) FROM Orders a, Orders b, Orders c, [Order Details] d", sink);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto cancelled = std::chrono::steady_clock::now();
    session->Cancel();
    runner.join();
    // The cross join would take minutes; it ended at the cancel instead.
    EXPECT_LT(std::chrono::steady_clock::now() - cancelled, std::chrono::seconds(5));
    EXPECT_TRUE(HasInfoStarting(sink, "Query was cancelled by user."));
    EXPECT_EQ(FirstCell(Run("SELECT 42")), "42");
}

TEST_F(ServerTest, KillEndsASessionAndRollsItsTransactionBack)
{
    auto victim = NewSession();
    BufferedSink open;
    ASSERT_TRUE(victim->Execute("BEGIN TRAN INSERT INTO Customers (CompanyName) VALUES ('killed')", open));
    BufferedSink kill = Run("KILL " + std::to_string(victim->Spid()));
    ASSERT_FALSE(kill.HasError()) << Describe(kill);
    EXPECT_TRUE(victim->IsKilled());
    BufferedSink after;
    EXPECT_FALSE(victim->Execute("SELECT 1", after));
    EXPECT_EQ(FirstCell(Run("SELECT COUNT(*) FROM Customers WHERE CompanyName = 'killed'")), "0");
}

TEST_F(ServerTest, CatalogueFollowsDdl)
{
    ASSERT_FALSE(Run("CREATE TABLE dbo.Ddl (id int IDENTITY PRIMARY KEY, name varchar(10) NOT NULL DEFAULT 'n')\n"
                     "CREATE INDEX IX_Ddl_name ON Ddl (name)\nINSERT INTO Ddl DEFAULT VALUES\n"
                     "ALTER TABLE Ddl ADD extra nchar(4) NULL").HasError());
    ResultSet columns = Query("SELECT c.name, t.name, c.length FROM syscolumns c JOIN systypes t ON t.xusertype = "
                              "c.xusertype WHERE c.id = object_id('Ddl') ORDER BY c.colid");
    ASSERT_EQ(columns.rows.size(), 3u);
    EXPECT_EQ(columns.rows[2][0].ToText(), "extra");
    EXPECT_EQ(columns.rows[2][1].ToText(), "nchar");
    EXPECT_EQ(columns.rows[2][2].ToText(), "8");
    EXPECT_EQ(FirstCell(Run("SELECT COUNT(*) FROM sysindexes WHERE id = object_id('Ddl') AND name = 'IX_Ddl_name'")), "1");
    EXPECT_EQ(FirstCell(Run("SELECT @@IDENTITY")), "1");
    ASSERT_FALSE(Run("DROP TABLE Ddl").HasError());
    EXPECT_EQ(FirstCell(Run("SELECT COUNT(*) FROM syscolumns WHERE id = object_id('Ddl')")), "0");
}

} // namespace tw::server::test

namespace tw::server::test {

TEST_F(ServerTest, TriggerSeesInsertedRowsAndCanRollTheChangeBack)
{
    BufferedSink refused = Run("UPDATE Products SET UnitsInStock = -5 WHERE ProductID = 1\nPRINT 'not reached'");
    ASSERT_TRUE(refused.HasError());
    EXPECT_EQ(refused.FirstError()->text, "Units in stock cannot go below zero.");
    EXPECT_EQ(refused.FirstError()->procedure, "trg_Products_NoNegativeStock");
    EXPECT_EQ(refused.messages.back().number, 3609);
    EXPECT_FALSE(HasInfoStarting(refused, "not reached"));
    EXPECT_EQ(session->TranCount(), 0);
    EXPECT_NE(FirstCell(Run("SELECT UnitsInStock FROM Products WHERE ProductID = 1")), "-5");

    BufferedSink allowed = Run("UPDATE Products SET UnitsInStock = UnitsInStock + 1 WHERE ProductID = 2\n"
                               "UPDATE Products SET UnitsInStock = UnitsInStock - 1 WHERE ProductID = 2");
    EXPECT_FALSE(allowed.HasError()) << Describe(allowed);
    EXPECT_EQ(allowed.rowCounts, (std::vector<int64_t>{1, 1}));
}

} // namespace tw::server::test

namespace tw::server::test {

TEST_F(ServerTest, RowcountAlsoLimitsChanges)
{
    ASSERT_FALSE(Run("CREATE TABLE #r (a int)\nINSERT INTO #r VALUES (1), (2), (3), (4)").HasError());
    BufferedSink limited = Run("SET ROWCOUNT 1\nDELETE FROM #r\nUPDATE #r SET a = a + 10\n"
                               "INSERT INTO #r SELECT a FROM #r\nSET ROWCOUNT 0\nSELECT COUNT(*), SUM(a) FROM #r");
    ASSERT_FALSE(limited.HasError()) << Describe(limited);
    EXPECT_EQ(limited.rowCounts[0], 1);
    EXPECT_EQ(limited.rowCounts[1], 1);
    EXPECT_EQ(limited.rowCounts[2], 1);
    EXPECT_EQ(limited.resultSets[0].rows[0][0].ToText(), "4");
}

} // namespace tw::server::test

namespace tw::server::test {

TEST_F(ServerTest, CreatedDatabasesAreSeenByEverySession)
{
    auto other = NewSession("master");
    ASSERT_FALSE(Run("CREATE DATABASE Scratchpad").HasError());
    EXPECT_EQ(Run("CREATE DATABASE Scratchpad").FirstError()->number, 1801);
    ASSERT_FALSE(Run("CREATE TABLE Scratchpad.dbo.Notes (id int NOT NULL PRIMARY KEY, body varchar(50) NULL)\n"
                     "INSERT INTO Scratchpad..Notes VALUES (1, 'kept')").HasError());
    BufferedSink read;
    other->Execute("USE Scratchpad SELECT body FROM Notes SELECT name FROM sysobjects WHERE xtype = 'U'", read);
    ASSERT_FALSE(read.HasError()) << Describe(read);
    EXPECT_EQ(read.resultSets[0].rows[0][0].ToText(), "kept");
    EXPECT_EQ(read.resultSets[1].rows[0][0].ToText(), "Notes");
    EXPECT_EQ(Run("DROP DATABASE Scratchpad").FirstError()->number, 3702);
    BufferedSink leave;
    other->Execute("USE master", leave);
    ASSERT_FALSE(Run("DROP DATABASE Scratchpad").HasError());
    EXPECT_EQ(Run("USE Scratchpad").FirstError()->number, 911);
    EXPECT_EQ(Run("DROP DATABASE master").FirstError()->number, 3708);
}

} // namespace tw::server::test
