// One batch each, as people paste them from install and DBA scripts, with
// the answer SQL Server gives: the first error, or every row of every result.
#include "ServerFixture.h"

namespace tw::server::test {

struct BatchCase {
    const char* batch;
    const char* outcome; // Outcome(): "number text" of the first error, else rows joined by ';'
};

class ScriptAnswersTest : public ServerTest, public ::testing::WithParamInterface<BatchCase> {};

TEST_P(ScriptAnswersTest, AnswersAsSqlServer)
{
    const BufferedSink sink = Run(GetParam().batch);
    EXPECT_EQ(Outcome(sink), GetParam().outcome) << GetParam().batch;
}

// real is a 4-byte float: stored, converted and computed as one, so that money
// taken through a discount rounds to the cent as SQL Server rounds it.
INSTANTIATE_TEST_SUITE_P(
    Real, ScriptAnswersTest,
    ::testing::Values(
        BatchCase{"DECLARE @r real SET @r = 0.1 SELECT CAST(@r AS float)", "0.100000001490116"},
        BatchCase{"SELECT CAST(CAST(0.05 AS real) AS float), CAST(0.5 AS real) * 3", "0.0500000007450581|1.5"},
        // In doubles the second line would come to 1.12.
        BatchCase{"CREATE TABLE #d (p money, q smallint, d real) INSERT #d VALUES (28.50, 3, 0.05) "
                  "INSERT #d VALUES (1.25, 1, 0.1) "
                  "SELECT CAST(p * q * (1 - d) AS float), CAST(CONVERT(money, p * q * (1 - d) / 100) * 100 AS "
                  "varchar(20)) FROM #d ORDER BY p DESC",
                  "81.2249984741211|81.22;1.125|1.13"},
        BatchCase{"CREATE TABLE #d (d real) INSERT #d VALUES (0.05) INSERT #d SELECT 0.15 "
                  "SELECT COUNT(*) FROM #d WHERE d = 0.05 OR d IN (0.15) "
                  "SELECT COUNT(*) FROM #d WHERE d BETWEEN 0.05 AND 0.15 AND 1 - d <> 0.95 "
                  "SELECT COUNT(*) FROM #d WHERE d = CAST(0.05 AS float)",
                  "2;1;0"},
        BatchCase{"CREATE TABLE #d (d real) INSERT #d VALUES (0.1) UPDATE #d SET d = d + 0.2 "
                  "SELECT CAST(d AS float), CAST(SUM(d) AS float) FROM #d GROUP BY d",
                  "0.300000011920929|0.300000011920929"},
        BatchCase{"SELECT CAST(1e39 AS real)", "8115 Arithmetic overflow error converting expression to data type real."}),
    [](const ::testing::TestParamInfo<BatchCase>& info) { return "case" + std::to_string(info.index); });

// SET options leave @@ROWCOUNT at 0, an assignment at 1, as do PRINT and the
// other statements that touch no rows.
INSTANTIATE_TEST_SUITE_P(
    RowCount, ScriptAnswersTest,
    ::testing::Values(BatchCase{"SELECT 1 UNION SELECT 2 SET NOCOUNT OFF SELECT @@ROWCOUNT", "1;2;0"},
                      BatchCase{"SELECT 1 UNION SELECT 2 SET ROWCOUNT 0 SELECT @@ROWCOUNT", "1;2;0"},
                      BatchCase{"SELECT 1 UNION SELECT 2 DECLARE @v int SET @v = 5 SELECT @@ROWCOUNT", "1;2;1"},
                      BatchCase{"SELECT 1 UNION SELECT 2 DECLARE @v int SELECT @@ROWCOUNT", "1;2;2"},
                      BatchCase{"SELECT 1 UNION SELECT 2 PRINT 'x' SELECT @@ROWCOUNT", "1;2;0"},
                      BatchCase{"SELECT 1 UNION SELECT 2 BEGIN TRAN SELECT @@ROWCOUNT COMMIT", "1;2;0"}),
    [](const ::testing::TestParamInfo<BatchCase>& info) { return "case" + std::to_string(info.index); });

// Temporary tables and table variables number their identity from their own seed by their own increment.
INSTANTIATE_TEST_SUITE_P(
    TemporaryIdentity, ScriptAnswersTest,
    ::testing::Values(
        BatchCase{"CREATE TABLE #i (id int IDENTITY(100, 5), v int) INSERT #i (v) VALUES (1) INSERT #i (v) VALUES (2) "
                  "INSERT #i (v) SELECT v FROM #i SELECT id, v FROM #i ORDER BY id SELECT @@IDENTITY",
                  "100|1;105|2;110|1;115|2;115"},
        BatchCase{"DECLARE @t TABLE (id int IDENTITY(10, -2), v int) INSERT @t (v) VALUES (1) INSERT @t (v) VALUES (2) "
                  "SELECT id, v FROM @t ORDER BY v",
                  "10|1;8|2"},
        BatchCase{"CREATE TABLE #i (id int IDENTITY(100, 5)) DROP TABLE #i CREATE TABLE #i (id int IDENTITY, v int) "
                  "INSERT #i (v) VALUES (1) SELECT id FROM #i",
                  "1"},
        BatchCase{"CREATE TABLE #i (id int IDENTITY(100, 5), v int) SET IDENTITY_INSERT #i ON "
                  "INSERT #i (id, v) VALUES (7, 1) SET IDENTITY_INSERT #i OFF INSERT #i (v) VALUES (2) "
                  "SELECT id FROM #i ORDER BY v",
                  "7;12"}),
    [](const ::testing::TestParamInfo<BatchCase>& info) { return "case" + std::to_string(info.index); });

// TOP ... WITH TIES ordered by a name the select list gives.
INSTANTIATE_TEST_SUITE_P(
    TopWithTies, ScriptAnswersTest,
    ::testing::Values(
        BatchCase{"CREATE TABLE #p (n int, price money) INSERT #p VALUES (1, 5) INSERT #p VALUES (2, 3) "
                  "INSERT #p VALUES (3, 5) INSERT #p VALUES (4, 9) "
                  "SELECT TOP 2 WITH TIES price AS p FROM #p ORDER BY p DESC",
                  "9.0000;5.0000;5.0000"},
        BatchCase{"CREATE TABLE #p (n int, price money) INSERT #p VALUES (1, 5) INSERT #p VALUES (2, 3) "
                  "INSERT #p VALUES (3, 5) INSERT #p VALUES (4, 3) "
                  "SELECT TOP 1 WITH TIES price, COUNT(*) AS [count] FROM #p GROUP BY price ORDER BY [count] DESC, price",
                  "3.0000|2"}),
    [](const ::testing::TestParamInfo<BatchCase>& info) { return "case" + std::to_string(info.index); });

// CHECKSUM hashes values as the default collation compares them.
INSTANTIATE_TEST_SUITE_P(
    Checksum, ScriptAnswersTest,
    ::testing::Values(
        BatchCase{"SELECT CASE WHEN CHECKSUM('abc ', 1) = CHECKSUM('ABC', 1) THEN 1 ELSE 0 END, "
                  "CASE WHEN CHECKSUM('abc', 1) = CHECKSUM('abd', 1) THEN 1 ELSE 0 END, "
                  "CASE WHEN CHECKSUM(1, NULL) = CHECKSUM(1, 0) THEN 1 ELSE 0 END",
                  "1|0|0"},
        BatchCase{"SELECT COUNT(DISTINCT CHECKSUM(CompanyName, City)) - COUNT(*) FROM Customers", "0"},
        BatchCase{"SELECT CHECKSUM(*) FROM Customers", "40000 CHECKSUM(*) is not supported by the embedded server."}),
    [](const ::testing::TestParamInfo<BatchCase>& info) { return "case" + std::to_string(info.index); });

} // namespace tw::server::test
