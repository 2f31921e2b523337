#include <gtest/gtest.h>

#include <sstream>

#include "platform/com/ClassRegistry.h"
#include "platform/dmo/DmoInterfaces.h"

namespace dmoserver {

using namespace SQLDMO;

std::string Text(const _bstr_t& text) { return static_cast<const char*>(text); }

// The server logged in to the embedded server, with a database of its own.
class DmoServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw::dmo::RegisterClasses();
        server.CreateInstance(CLSID_SQLServer);
        ASSERT_TRUE(server);
        server->PutLoginSecure(VARIANT_FALSE);
        server->Connect("(embedded)", "sa", "");
    }

    _SQLServerPtr server;
};

struct ClassRow {
    const GUID* clsid;
    const GUID* iid;
};

TEST(DmoCreation, EveryClassOfTheMainFrameTableAnswersItsInterface)
{
    tw::dmo::RegisterClasses();
    const ClassRow rows[] = {
        {&CLSID_SQLServer, &IID__SQLServer},       {&CLSID_Database, &IID__Database},
        {&CLSID_User, &IID__User},                 {&CLSID_Default, &IID__Default},
        {&CLSID_Rule, &IID__Rule},                 {&CLSID_Table, &IID__Table},
        {&CLSID_Column, &IID__Column},             {&CLSID_Key, &IID__Key},
        {&CLSID_Check, &IID__Check},               {&CLSID_Trigger, &IID__Trigger},
        {&CLSID_Index, &IID__Index},               {&CLSID_Login, &IID__Login},
        {&CLSID_StoredProcedure, &IID__StoredProcedure}, {&CLSID_UserDefinedDatatype, &IID__UserDefinedDatatype},
        {&CLSID_View, &IID__View},                 {&CLSID_UserDefinedFunction, &IID__UserDefinedFunction},
    };
    for (const ClassRow& row : rows) {
        IUnknown* object = nullptr;
        EXPECT_EQ(CoCreateInstance(*row.clsid, nullptr, CLSCTX_ALL, *row.iid, reinterpret_cast<void**>(&object)),
                  S_OK);
        ASSERT_NE(object, nullptr);
        object->Release();
    }
    IUnknown* object = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_Table, nullptr, CLSCTX_ALL, IID__Database, reinterpret_cast<void**>(&object)),
              E_NOINTERFACE);
}

TEST(DmoCreation, ObjectsOutsideADatabaseRaiseButKeepTheirName)
{
    tw::dmo::RegisterClasses();
    _TablePtr table(CLSID_Table);
    table->PutName("Draft");
    EXPECT_EQ(Text(table->GetName()), "Draft");
    EXPECT_THROW(table->Script(), _com_error);
    _SQLServerPtr server(CLSID_SQLServer);
    EXPECT_THROW(server->GetDatabases(), _com_error);
}

TEST_F(DmoServer, NameLoginAndVersion)
{
    EXPECT_EQ(Text(server->GetName()), "(embedded)");
    EXPECT_EQ(Text(server->GetLogin()), "sa");
    EXPECT_EQ(server->GetVersionMajor(), 8);
    EXPECT_NE(Text(server->GetVersionString()).find("SQL Server"), std::string::npos);
}

TEST_F(DmoServer, IntegratedSecurityTakesTheLoginTheServerNames)
{
    server->PutLoginSecure(VARIANT_TRUE);
    server->Connect("(embedded)", "", "");
    EXPECT_TRUE(server->GetLoginSecure());
    EXPECT_EQ(Text(server->GetLogin()),
              Text(server->ExecuteWithResults("select suser_sname()")->GetColumnString(1, 1)));
    EXPECT_FALSE(Text(server->GetLogin()).empty());
}

TEST_F(DmoServer, ResultsAreOneBasedWithNullAsEmptyAndTheLastSetCurrent)
{
    _QueryResultsPtr results =
        server->ExecuteWithResults("select 1 as a; select 'x''y' as first, NULL as second union all select 'zz', 'w'");
    EXPECT_EQ(results->GetResultSets(), 2);
    EXPECT_EQ(results->GetCurrentResultSet(), 2);
    ASSERT_EQ(results->GetRows(), 2);
    EXPECT_EQ(results->GetColumns(), 2);
    EXPECT_EQ(Text(results->GetColumnName(1)), "first");
    EXPECT_EQ(Text(results->GetColumnString(1, 1)), "x'y");
    EXPECT_EQ(Text(results->GetColumnString(1, 2)), "");
    EXPECT_EQ(results->GetColumnMaxLength(2), 6); // the name is longer than any value
    EXPECT_THROW(results->GetColumnString(3, 1), _com_error);
    EXPECT_THROW(results->GetColumnString(1, 0), _com_error);
    results->PutCurrentResultSet(1);
    EXPECT_EQ(results->GetColumnLong(1, 1), 1);
}

TEST_F(DmoServer, ServerErrorsCarryTheServersMessage)
{
    try {
        server->ExecuteWithResults("select * from NoSuchTable");
        FAIL() << "no error raised";
    } catch (const _com_error& error) {
        EXPECT_NE(Text(error.Description()).find("Invalid object name 'NoSuchTable'"), std::string::npos);
    }
}

TEST_F(DmoServer, ParseOnlyChecksSyntaxWithoutRunning)
{
    _DatabasePtr master = server->GetDatabases()->Item("master");
    master->ExecuteImmediate("create table ParsedOnly (a int)", SQLDMOExec_ParseOnly);
    EXPECT_EQ(Text(server->ExecuteWithResults("select count(*) from sysobjects where name = 'ParsedOnly'")
                       ->GetColumnString(1, 1)),
              "0");
    EXPECT_THROW(master->ExecuteImmediate("selec 1 frm", SQLDMOExec_ParseOnly), _com_error);
    // Parse-only is switched off again, even after a failure.
    EXPECT_EQ(Text(server->ExecuteWithResults("select 5")->GetColumnString(1, 1)), "5");
}

TEST_F(DmoServer, ANewLoginReplacesTheOldAndDisconnectEndsIt)
{
    server->Connect("", "sa", "");
    EXPECT_EQ(Text(server->GetName()), "(embedded)");
    server->DisConnect();
    EXPECT_THROW(server->ExecuteWithResults("select 1"), _com_error);
}

TEST_F(DmoServer, ApplicationListsTheEmbeddedServerFirst)
{
    NameListPtr servers = server->GetApplication()->ListAvailableSQLServers();
    ASSERT_GE(servers->GetCount(), 1);
    EXPECT_EQ(Text(servers->Item(1)), "(embedded)");
    EXPECT_THROW(servers->Item(0), _com_error);
}

TEST_F(DmoServer, DatabasesByNameAndPositionWithTheirFigures)
{
    DatabasesPtr databases = server->GetDatabases();
    ASSERT_GE(databases->GetCount(), 1);
    _Database2Ptr master = databases->Item("MASTER");
    ASSERT_TRUE(master);
    EXPECT_EQ(Text(master->GetName()), "master");
    EXPECT_EQ(master->GetStatus(), SQLDMODBStat_Normal);
    EXPECT_GT(master->GetID(), 0);
    EXPECT_FALSE(Text(master->GetCreateDate()).empty());
    EXPECT_THROW(databases->Item("NoSuchDatabase"), _com_error);
    EXPECT_THROW(databases->Item(databases->GetCount() + 1L), _com_error);
    BSTR messages = nullptr;
    _QueryResults2Ptr results =
        master->ExecuteWithResultsAndMessages2("print 'hello there'; select 2; print 'and after'; select 3", &messages);
    // Every message once, in the order the server sent them.
    EXPECT_EQ("hello there\nand after", std::string(static_cast<const char*>(_bstr_t(messages, false))));
    EXPECT_EQ(results->GetRows(), 1);
}

TEST_F(DmoServer, MemoryUsageTextHasTheLabelsAtTheirWidths)
{
    const std::string text = Text(server->GetDatabases()->Item("master")->GetMemoryUsage());
    const size_t pages = text.find("Total Buffer Pool Page Count");
    const size_t dirty = text.find("Total Buffer Pool Dirty Count");
    ASSERT_NE(pages, std::string::npos);
    ASSERT_NE(dirty, std::string::npos);
    EXPECT_EQ(text.substr(0, 17), "Buffer Cache Top ");
    EXPECT_EQ(text.substr(dirty + 32), "0");
}

TEST_F(DmoServer, ALengthArgumentCutsTheCommand)
{
    _QueryResultsPtr results = server->ExecuteWithResults("select 7; select 8", 8L);
    EXPECT_EQ(results->GetResultSets(), 1);
    EXPECT_EQ(Text(results->GetColumnString(1, 1)), "7");
}

TEST_F(DmoServer, NoExecCompilesWithoutRunning)
{
    server->ExecuteImmediate("create table NotMade (a int)", SQLDMOExec_NoExec);
    EXPECT_EQ(Text(server->ExecuteWithResults("select count(*) from sysobjects where name = 'NotMade'")
                       ->GetColumnString(1, 1)),
              "0");
}

// A database whose name holds a blank, with a table whose name holds "'"
// and "]". (The embedded server refuses "]" and "'" in database names.)
TEST_F(DmoServer, DatabaseNamesAreQuoted)
{
    server->ExecuteImmediate("create database [Odd Name]");
    _Database2Ptr odd;
    const _DatabasePtr item = server->GetDatabases()->Item("Odd Name");
    item->QueryInterface(IID__Database2, reinterpret_cast<void**>(&odd));
    ASSERT_TRUE(odd);
    odd->ExecuteImmediate("create table [T'1]]] (a int)");
    EXPECT_EQ(odd->GetStatus(), SQLDMODBStat_Normal);
    EXPECT_GT(odd->GetID(), 0);
    EXPECT_EQ(Text(_TablePtr(odd->GetTables()->Item("dbo.T'1]"))->GetName()), "T'1]");
    EXPECT_EQ(_TablePtr(odd->GetTables()->Item("[dbo].[T'1]]]"))->GetRows(), 0);
    EXPECT_EQ(Text(odd->ExecuteWithResults("select db_name()")->GetColumnString(1, 1)), "Odd Name");
    server->ExecuteImmediate("use master; drop database [Odd Name]");
}

TEST_F(DmoServer, AnOfflineDatabaseReportsItsStatus)
{
    server->ExecuteImmediate("create database Dozing");
    server->ExecuteImmediate("alter database Dozing set offline");
    server->GetDatabases()->Refresh();
    _Database2Ptr dozing;
    server->GetDatabases()->Item("Dozing")->QueryInterface(IID__Database2, reinterpret_cast<void**>(&dozing));
    ASSERT_TRUE(dozing);
    EXPECT_EQ(dozing->GetStatus() & SQLDMODBStat_Offline, SQLDMODBStat_Offline);
    server->ExecuteImmediate("alter database Dozing set online; drop database Dozing");
}

} // namespace dmoserver

namespace dmoserver {

struct TypedColumn {
    const char* type;
    const char* literal;
    const char* expected;
};

// Every column type the server returns reads as text, binary as the server's
// own tools show it; a NULL of any type reads as nothing.
TEST_F(DmoServer, EveryColumnTypeReadsAsText)
{
    const TypedColumn columns[] = {
        {"bit", "1", "1"},
        {"tinyint", "255", "255"},
        {"smallint", "-5", "-5"},
        {"int", "2147483647", "2147483647"},
        {"bigint", "9000000000", "9000000000"},
        {"real", "1.5", "1.5"},
        {"float", "2.25", "2.25"},
        {"money", "12.34", "12.34"},
        {"smallmoney", "-3.5", "-3.5"},
        {"decimal(10,3)", "1.25", "1.25"},
        {"numeric(5,1)", "2.5", "2.5"},
        {"datetime", "'2003-04-05 10:20:30.123'", "2003-04-05 10:20:30.123"},
        {"smalldatetime", "'2003-04-05 10:20:00'", "2003-04-05 10:20:00.000"},
        {"char(3)", "'ab'", "ab "},
        {"varchar(10)", "'text'", "text"},
        {"text", "'long text'", "long text"},
        {"nchar(3)", "N'\xc3\xa4'", "\xc3\xa4  "},
        {"nvarchar(10)", "N'wide'", "wide"},
        {"sysname", "N'name'", "name"},
        {"ntext", "N'long wide'", "long wide"},
        {"binary(3)", "0x0A0bFf", "0x0A0BFF"},
        {"varbinary(10)", "0x0102", "0x0102"},
        {"varbinary(10)", "0x", "0x"},
        {"image", "0xFF00", "0xFF00"},
        {"uniqueidentifier", "'6F9619FF-8B86-D011-B42D-00C04FC964FF'", "6F9619FF-8B86-D011-B42D-00C04FC964FF"},
        {"sql_variant", "cast(7 as sql_variant)", "7"},
        {"sql_variant", "cast(0xABCD as sql_variant)", "0xABCD"},
    };
    std::string definition;
    std::string values;
    std::string nulls;
    for (size_t i = 0; i < std::size(columns); ++i) {
        const std::string sep = i == 0 ? "" : ", ";
        definition += sep + "c" + std::to_string(i + 1) + " " + columns[i].type + " null";
        values += sep + columns[i].literal;
        nulls += sep + "null";
    }
    server->ExecuteImmediate(("create table tempdb..EveryType (" + definition + ")").c_str());
    server->ExecuteImmediate(("insert tempdb..EveryType values (" + values + ")").c_str());
    server->ExecuteImmediate(("insert tempdb..EveryType values (" + nulls + ")").c_str());
    _QueryResultsPtr results = server->ExecuteWithResults("select * from tempdb..EveryType");
    ASSERT_EQ(results->GetRows(), 2);
    ASSERT_EQ(results->GetColumns(), static_cast<long>(std::size(columns)));
    for (size_t i = 0; i < std::size(columns); ++i) {
        SCOPED_TRACE(columns[i].type);
        const long column = static_cast<long>(i + 1);
        EXPECT_EQ(Text(results->GetColumnString(1, column)), columns[i].expected);
        EXPECT_EQ(Text(results->GetColumnString(2, column)), "");
    }
    server->ExecuteImmediate("drop table tempdb..EveryType");
}

// A row version is eight bytes and reads as binary does.
TEST_F(DmoServer, RowVersionsReadAsEightBytesOfHex)
{
    _QueryResultsPtr results = server->ExecuteWithResults("select cast(0x00000000000007d1 as timestamp)");
    ASSERT_EQ(results->GetRows(), 1);
    EXPECT_EQ(Text(results->GetColumnString(1, 1)), "0x00000000000007D1");
}

// The process monitor's and the lock view's statements carry binary columns.
TEST_F(DmoServer, CatalogueBinaryColumnsAndLiteralsRead)
{
    _QueryResultsPtr literal = server->ExecuteWithResults("select 0x0102 as bytes, cast(0xab as varbinary(4))");
    EXPECT_EQ(Text(literal->GetColumnString(1, 1)), "0x0102");
    EXPECT_EQ(Text(literal->GetColumnString(1, 2)), "0xAB");
    EXPECT_EQ(literal->GetColumnMaxLength(1), 6);

    for (const char* query : {"select spid, sid from master..sysprocesses where sid is not null",
                              "select rsc_bin from master..syslockinfo where rsc_bin is not null"}) {
        SCOPED_TRACE(query);
        server->ExecuteImmediate("begin tran; create table tempdb..Locked (a int); insert tempdb..Locked values (1)");
        _QueryResultsPtr results = server->ExecuteWithResults(query);
        server->ExecuteImmediate("rollback");
        ASSERT_GT(results->GetRows(), 0);
        const long column = results->GetColumns();
        for (long row = 1; row <= results->GetRows(); ++row) {
            const std::string text = Text(results->GetColumnString(row, column));
            ASSERT_GE(text.size(), 2u);
            EXPECT_EQ(text.substr(0, 2), "0x");
            EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF", 2), std::string::npos) << text;
        }
    }
}

}  // namespace dmoserver

namespace dmoquerytimeout {

using namespace SQLDMO;

class DmoQueryTimeout : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw::dmo::RegisterClasses();
        server.CreateInstance(CLSID_SQLServer);
        ASSERT_TRUE(server);
    }

    // The error text of a statement that fails, or "" when it ran.
    std::string Failure(const char* statement)
    {
        try {
            server->ExecuteWithResults(statement);
        } catch (const _com_error& error) {
            return static_cast<const char*>(error.Description());
        }
        return {};
    }

    _SQLServerPtr server;
};

TEST_F(DmoQueryTimeout, AStatementOutlivingTheTimeOutFailsAndTheLoginStaysUsable)
{
    EXPECT_EQ(server->GetQueryTimeout(), -1);
    // Set before the login: it carries over to the connection made then.
    server->PutQueryTimeout(1);
    server->Connect("(embedded)", "sa", "");
    EXPECT_EQ(server->GetQueryTimeout(), 1);
    EXPECT_EQ(Failure("waitfor delay '00:00:05'; select 1"), "Query timeout expired");
    _QueryResultsPtr results = server->ExecuteWithResults("select 7");
    EXPECT_EQ(std::string(static_cast<const char*>(results->GetColumnString(1, 1))), "7");
}

TEST_F(DmoQueryTimeout, GoingBackToNoLimitLetsALongerStatementFinish)
{
    server->Connect("(embedded)", "sa", "");
    server->PutQueryTimeout(1);
    server->PutQueryTimeout(-1);
    EXPECT_EQ(Failure("waitfor delay '00:00:01.500'; select 1"), "");
    EXPECT_THROW(server->PutQueryTimeout(-2), _com_error);
    EXPECT_EQ(server->GetQueryTimeout(), -1);
}

} // namespace dmoquerytimeout
