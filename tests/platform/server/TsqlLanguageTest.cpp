// The T-SQL the server reads: syntax errors as SQL Server reports them, and
// expressions whose answers differ between SQL Server and SQLite.
#include "ServerFixture.h"

namespace tw::server::test {

struct SyntaxCase {
    const char* batch;
    int number;
    const char* text;
};

class SyntaxErrorTest : public ServerTest, public ::testing::WithParamInterface<SyntaxCase> {};

TEST_P(SyntaxErrorTest, ReportsSqlServersErrorAndRunsNothing)
{
    const SyntaxCase& c = GetParam();
    // A syntax error anywhere stops the whole batch before its first statement runs.
    BufferedSink sink = Run(std::string("PRINT 'ran'\n") + c.batch);
    ASSERT_TRUE(sink.HasError());
    EXPECT_EQ(sink.FirstError()->number, c.number);
    EXPECT_EQ(sink.FirstError()->severity, 15);
    EXPECT_EQ(sink.FirstError()->text, c.text);
    for (const Message& m : sink.messages)
        EXPECT_NE(m.text, "ran");
    EXPECT_TRUE(sink.resultSets.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Batches, SyntaxErrorTest,
    ::testing::Values(SyntaxCase{"GO", 102, "Incorrect syntax near 'GO'."},
                      SyntaxCase{"PRINT 'x'\nGO\nSELECT 1", 102, "Incorrect syntax near 'GO'."},
                      SyntaxCase{"SELECT 'abc", 105, "Unclosed quotation mark after the character string 'abc'."},
                      SyntaxCase{"SELECT 1 /* outer /* inner */", 113, "Missing end comment mark '*/'."},
                      SyntaxCase{"SELECT FROM Orders", 156, "Incorrect syntax near the keyword 'FROM'."},
                      SyntaxCase{"SELECT * FROM Orders WHERE", 102, "Incorrect syntax near the end of the batch."},
                      SyntaxCase{"SELECT (1 + 2", 102, "Incorrect syntax near the end of the batch."},
                      SyntaxCase{"UPDATE Orders SET", 102, "Incorrect syntax near the end of the batch."},
                      SyntaxCase{"SELECT 1\nCREATE PROCEDURE p AS SELECT 1", 111,
                                 "'CREATE PROCEDURE' must be the first statement in a query batch."},
                      SyntaxCase{"SELECT nosuchfunction(1)", 195, "'nosuchfunction' is not a recognized built-in function name."}));

TEST_F(ServerTest, ErrorLinesCountFromTheBatchStart)
{
    BufferedSink sink = Run("SELECT 1\n\n-- a comment\nSELECT * FROM NoSuchTable");
    ASSERT_TRUE(sink.HasError());
    EXPECT_EQ(sink.FirstError()->number, 208);
    EXPECT_EQ(sink.FirstError()->line, 4);
    EXPECT_EQ(sink.FirstError()->text, "Invalid object name 'NoSuchTable'.");
}

TEST_F(ServerTest, ObjectErrorsQuoteTheNameAsWritten)
{
    EXPECT_EQ(Run("SELECT * FROM dbo.Missing").FirstError()->text, "Invalid object name 'dbo.Missing'.");
    EXPECT_EQ(Run("SELECT * FROM TarnSample..Missing").FirstError()->text, "Invalid object name 'TarnSample..Missing'.");
    const BufferedSink column = Run("SELECT NoColumn FROM Orders");
    EXPECT_EQ(column.FirstError()->number, 207);
    EXPECT_EQ(column.FirstError()->text, "Invalid column name 'NoColumn'.");
    // A misspelt column in double quotes is an error, never a string.
    EXPECT_EQ(Run("SELECT \"NoColumn\" FROM Orders").FirstError()->number, 207);
}

TEST_P(ExpressionTest, GivesSqlServersValue)
{
    ResultSet r = Query(std::string("SELECT ") + GetParam().expression);
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0][0].ToText(), GetParam().expected) << GetParam().expression;
}

INSTANTIATE_TEST_SUITE_P(
    Functions, ExpressionTest,
    ::testing::Values(
        ExpressionCase{"'abc' + 'def'", "abcdef"}, ExpressionCase{"'1' + 1", "2"},
        ExpressionCase{"NULL + 'x'", "NULL"}, ExpressionCase{"LEN('ab  ')", "2"},
        ExpressionCase{"LEN(N'\xc3\xa9t\xc3\xa9')", "3"}, ExpressionCase{"CHARINDEX('C', 'abcabc', 4)", "6"},
        ExpressionCase{"SUBSTRING('hello', 0, 3)", "he"}, ExpressionCase{"SUBSTRING('hello', -1, 3)", "h"},
        ExpressionCase{"LEFT('hello', 2) + RIGHT('hello', 2)", "helo"}, ExpressionCase{"ISNULL(NULL, 'x')", "x"},
        ExpressionCase{"CASE WHEN 'abc' = 'ABC  ' THEN 1 ELSE 0 END", "1"},
        ExpressionCase{"CASE WHEN 'b1' LIKE '[a-c][0-9]%' THEN 1 ELSE 0 END", "1"},
        ExpressionCase{"CASE WHEN 'x_y' LIKE 'x!_y' ESCAPE '!' THEN 1 ELSE 0 END", "1"},
        ExpressionCase{"7 / 2", "3"}, ExpressionCase{"7 % 3", "1"}, ExpressionCase{"5 ^ 3", "6"},
        // Decimal constants keep their digits, and results take SQL Server's precision and scale.
        ExpressionCase{"7.5", "7.5"}, ExpressionCase{"7.5 / 2", "3.750000"}, ExpressionCase{"1.25 + 1", "2.25"},
        ExpressionCase{"7 * 2.5", "17.5"}, ExpressionCase{"0.1 + 0.2", "0.3"}, ExpressionCase{"2.50 * 2", "5.00"},
        ExpressionCase{"10.0 / 4", "2.500000"}, ExpressionCase{"CAST(7.5 AS decimal(5,2)) / 2", "3.750000"},
        ExpressionCase{".5 - 1", "-0.5"},
        ExpressionCase{"CONVERT(varchar(10), CAST('2024-03-05 13:04' AS datetime), 101)", "03/05/2024"},
        ExpressionCase{"CONVERT(varchar(30), CAST('20240305' AS datetime), 120)", "2024-03-05 00:00:00"},
        ExpressionCase{"CAST('2024-01-31' AS datetime)", "2024-01-31 00:00:00.000"},
        ExpressionCase{"DATEADD(month, 1, '2024-01-31')", "2024-02-29 00:00:00.000"},
        ExpressionCase{"DATEDIFF(day, '2024-01-01', '2024-03-01')", "60"},
        ExpressionCase{"DATEPART(weekday, '2024-03-05')", "3"},
        ExpressionCase{"CAST(12.345 AS decimal(5,2))", "12.35"}, ExpressionCase{"CAST(3 AS money)", "3.0000"},
        ExpressionCase{"CAST(123456 AS varchar(3))", "*"}, ExpressionCase{"CAST('abc' AS char(5)) + '|'", "abc  |"},
        ExpressionCase{"UPPER('abc') + LOWER('DEF')", "ABCdef"}, ExpressionCase{"REPLACE('aXbx', 'x', '-')", "a-b-"},
        ExpressionCase{"QUOTENAME('a]b')", "[a]]b]"}, ExpressionCase{"STUFF('abcdef', 2, 3, 'XY')", "aXYef"},
        ExpressionCase{"db_name()", "TarnSample"}, ExpressionCase{"object_name(object_id('[dbo].[Orders]'))", "Orders"},
        ExpressionCase{"OBJECTPROPERTY(object_id('OrderTotals'), 'IsView')", "1"},
        ExpressionCase{"COLUMNPROPERTY(object_id('Orders'), 'OrderID', 'IsIdentity')", "1"},
        ExpressionCase{"@@TRANCOUNT", "0"}, ExpressionCase{"(SELECT AVG(Quantity) FROM [Order Details] WHERE OrderID IN (1, 2))", "2"},
        ExpressionCase{"(SELECT AVG(CAST(Quantity AS float)) FROM [Order Details] WHERE OrderID IN (1, 2))", "2.5"}, ExpressionCase{"dbo.fn_LineTotal(10, 3, 0.5)", "15"}));

struct ErrorCase {
    const char* batch;
    int number;
};

class RuntimeErrorTest : public ServerTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(RuntimeErrorTest, RefusesWithSqlServersError)
{
    BufferedSink sink = Run(GetParam().batch);
    ASSERT_TRUE(sink.HasError()) << GetParam().batch;
    EXPECT_EQ(sink.FirstError()->number, GetParam().number) << Describe(sink);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, RuntimeErrorTest,
    ::testing::Values(ErrorCase{"SELECT CAST('abc' AS int)", 245}, ErrorCase{"SELECT 1 / 0", 8134},
                      ErrorCase{"SELECT CAST(300 AS tinyint)", 8115}, ErrorCase{"SELECT CAST('2024-02-30' AS datetime)", 241},
                      ErrorCase{"SELECT @undeclared", 137}, ErrorCase{"DECLARE @a int DECLARE @a int", 134},
                      ErrorCase{"INSERT INTO Customers (ContactName) VALUES ('x')", 515},
                      ErrorCase{"INSERT INTO Orders (CustomerID) VALUES (99999)", 547},
                      ErrorCase{"INSERT INTO Products (ProductName, UnitPrice) VALUES ('p', -1)", 547},
                      ErrorCase{"INSERT INTO Customers (CompanyName) VALUES (REPLICATE('x', 41))", 8152},
                      ErrorCase{"INSERT INTO Products (ProductName, UnitsInStock) VALUES ('p', 'many')", 245},
                      ErrorCase{"INSERT INTO [Order Details] SELECT TOP 1 * FROM [Order Details]", 2627},
                      ErrorCase{"EXEC NoSuchProcedure", 2812}, ErrorCase{"USE NoSuchDatabase", 911},
                      ErrorCase{"COMMIT TRANSACTION", 3902}, ErrorCase{"ROLLBACK", 3903},
                      ErrorCase{"CREATE TABLE Orders (a int)", 2714}, ErrorCase{"DROP TABLE NoSuchTable", 3701},
                      ErrorCase{"DROP TABLE Customers", 3726}, ErrorCase{"KILL 1", 6106},
                      ErrorCase{"RAISERROR('custom %s', 16, 1, 'text')", 50000},
                      ErrorCase{"SELECT City, COUNT(*) FROM Customers GROUP BY Country", 8120},
                      ErrorCase{"SELECT CompanyName, MAX(Phone) FROM Customers", 8120},
                      ErrorCase{"INSERT INTO Customers VALUES ('only one')", 213}));

TEST_F(ServerTest, StatementErrorsLetTheBatchGoOnButObjectErrorsEndIt)
{
    BufferedSink sink = Run("SELECT CAST('x' AS int)\nPRINT 'after a conversion error'\n"
                            "SELECT * FROM Missing\nPRINT 'after a missing table'");
    std::vector<std::string> printed;
    for (const Message& m : sink.messages)
        if (m.severity == 0)
            printed.push_back(m.text);
    EXPECT_EQ(printed, std::vector<std::string>{"after a conversion error"});
}

TEST_F(ServerTest, VariablesControlFlowAndRowcount)
{
    ResultSet r = Query("DECLARE @i int, @s varchar(20)\nSET @i = 0\nSET @s = ''\n"
                        "WHILE @i < 10 BEGIN SET @i = @i + 1 IF @i % 2 = 0 CONTINUE SET @s = @s + CAST(@i AS varchar) "
                        "IF @i >= 7 BREAK END\n"
                        "SELECT TOP 5 OrderID INTO #five FROM Orders ORDER BY OrderID\n"
                        "SELECT @s AS digits, @@ROWCOUNT AS copied, (SELECT COUNT(*) FROM #five) AS kept");
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0][0].ToText(), "1357");
    EXPECT_EQ(r.rows[0][1].ToText(), "5");
    EXPECT_EQ(r.rows[0][2].ToText(), "5");
}

TEST_F(ServerTest, ArithmeticOnUntypedOperandsTakesTheValuesType)
{
    ResultSet r = Query("SELECT UnitPrice * 2 AS twice, 7 * 2 AS ints, 7 * 2.5 AS mixed FROM Products WHERE ProductID = 10");
    EXPECT_NE(r.columns[0].typeName, "int");
    // money times int is money, with its four decimals.
    EXPECT_EQ(r.rows[0][0].ToText(), "45.0000");
    EXPECT_EQ(r.columns[1].typeName, "int");
    EXPECT_EQ(r.columns[2].typeName, "numeric");
}

TEST_F(ServerTest, ResultSetsCarrySqlServerTypes)
{
    ResultSet r = Query("SELECT ProductID, ProductName, UnitPrice, Discontinued, CAST(1.5 AS float) AS f, "
                        "GETDATE() AS now, N'x' AS n FROM Products WHERE ProductID = 1");
    const std::vector<std::string> types = {"int", "nvarchar", "money", "bit", "float", "datetime", "nvarchar"};
    ASSERT_EQ(r.columns.size(), types.size());
    for (size_t i = 0; i < types.size(); ++i)
        EXPECT_EQ(r.columns[i].typeName, types[i]) << r.columns[i].name;
    EXPECT_EQ(r.columns[1].size, 80); // nvarchar(40) is 80 bytes
    EXPECT_FALSE(r.columns[0].nullable);
    EXPECT_EQ(r.columns[2].scale, 4);
    EXPECT_EQ(r.rows[0][2].kind, ValueKind::Decimal);
    EXPECT_EQ(r.rows[0][5].kind, ValueKind::DateTime);
}

} // namespace tw::server::test

namespace tw::server::test {

TEST_F(ServerTest, DatesCompareAsDatesWhateverTheirSpelling)
{
    ASSERT_FALSE(Run("CREATE TABLE #d (id int, at datetime)\n"
                     "INSERT INTO #d VALUES (1, '20240301')\nINSERT INTO #d VALUES (2, '3/15/2024 10:30')\n"
                     "INSERT INTO #d VALUES (3, '2024-04-01T08:00:00')").HasError());
    EXPECT_EQ(Query("SELECT COUNT(*) FROM #d WHERE at < '2024-04-01'").rows[0][0].ToText(), "2");
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Orders WHERE OrderDate >= '20250101'").rows[0][0].ToText(),
              Query("SELECT COUNT(*) FROM Orders WHERE OrderDate >= '2025-01-01 00:00:00.000'").rows[0][0].ToText());
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Orders WHERE OrderDate BETWEEN '1/1/2024' AND '20240131'").rows[0][0].ToText(),
              "10");
    ASSERT_FALSE(Run("CREATE TABLE dbo.Dates (at datetime NULL)\nINSERT INTO Dates VALUES ('20240301 10:00')").HasError());
    EXPECT_EQ(Query("SELECT at FROM Dates WHERE at = '2024-03-01 10:00'").rows.size(), 1u);
    EXPECT_EQ(Run("INSERT INTO Dates VALUES ('not a date')").FirstError()->number, 241);
    Run("DROP TABLE Dates");
}

} // namespace tw::server::test

namespace tw::server::test {

TEST_F(ServerTest, InsertWithoutColumnListSkipsTheIdentityColumn)
{
    BufferedSink insert = Run("INSERT INTO Customers VALUES ('Newcomer Ltd', 'Ann', 'Bergen', 'Norway', '555')\n"
                              "SELECT CustomerID, CompanyName FROM Customers WHERE CustomerID = @@IDENTITY");
    ASSERT_FALSE(insert.HasError()) << Describe(insert);
    EXPECT_EQ(insert.resultSets[0].rows[0][1].ToText(), "Newcomer Ltd");
    EXPECT_EQ(Run("INSERT INTO Customers (CustomerID, CompanyName) VALUES (1000, 'x')").FirstError()->number, 544);
    Run("DELETE FROM Customers WHERE CompanyName = 'Newcomer Ltd'");
}

} // namespace tw::server::test

namespace tw::server::test {

TEST_F(ServerTest, IdentityInsertLetsExplicitIdentityValuesIn)
{
    BufferedSink sink = Run("SET IDENTITY_INSERT Customers ON\n"
                            "INSERT INTO Customers (CustomerID, CompanyName) VALUES (5000, 'Explicit')\n"
                            "SET IDENTITY_INSERT Customers OFF\n"
                            "SELECT CompanyName FROM Customers WHERE CustomerID = 5000");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(sink.resultSets[0].rows[0][0].ToText(), "Explicit");
    EXPECT_EQ(Run("SET IDENTITY_INSERT [Order Details] ON").FirstError()->number, 8106);
    Run("DELETE FROM Customers WHERE CustomerID = 5000");
}

} // namespace tw::server::test
