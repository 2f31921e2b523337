#include <arpa/inet.h>
#include <cstdlib>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <fstream>
#include <thread>

#include "platform/ado/ConnectionString.h"
#include "platform/ado/OdbcProvider.h"
#include "platform/ado/ServerList.h"
#include "tests/platform/ado/AdoTestSupport.h"

using namespace ADODB;
using adotest::Text;

namespace {

// A file database through Debian's SQLite ODBC driver: the ODBC provider's
// own code, without a SQL Server.
_ConnectionPtr OpenSqliteOdbc()
{
    tw::ado::RegisterClasses();
    _ConnectionPtr connection("ADODB.Connection");
    connection->Open("Provider=MSDASQL;Driver={SQLite3};Database=odbc-test.db", "", "", -1);
    return connection;
}

std::string FirstErrorText(_ConnectionPtr& connection)
{
    if (connection->GetErrors()->GetCount() == 0)
        return {};
    return static_cast<const char*>(connection->GetErrors()->GetItem(0L)->GetDescription());
}

} // namespace

TEST(AdoOdbc, ValuesMapToVariantsOfTheirColumnTypes)
{
    _ConnectionPtr connection = OpenSqliteOdbc();
    connection->Execute("create table Items (id integer, ratio double, name varchar(10), price numeric(10,2), "
                        "added timestamp, data blob)",
                        nullptr, adCmdText);
    connection->Execute("insert into Items values (7, 0.5, 'bolt', 12.25, '2003-04-05 10:20:30', x'0102'), "
                        "(8, null, null, null, null, null)",
                        nullptr, adCmdText);
    _RecordsetPtr rs = connection->Execute("select id, ratio, name, price, added, data from Items order by id",
                                           nullptr, adCmdText);
    FieldsPtr fields = rs->GetFields();
    EXPECT_EQ(adInteger, fields->GetItem("id")->GetType());
    EXPECT_EQ(7, static_cast<long>(fields->GetItem("id")->GetValue()));
    EXPECT_EQ(VT_R8, fields->GetItem("ratio")->GetValue().vt);
    EXPECT_EQ("bolt", Text(fields->GetItem("name")->GetValue()));
    EXPECT_EQ(1225, static_cast<long>(static_cast<double>(fields->GetItem("price")->GetValue()) * 100));
    _variant_t added = fields->GetItem("added")->GetValue();
    ASSERT_EQ(VT_DATE, added.vt);
    SYSTEMTIME st{};
    VariantTimeToSystemTime(added.date, &st);
    EXPECT_EQ(2003, st.wYear);
    EXPECT_EQ(20, st.wMinute);
    _variant_t data = fields->GetItem("data")->GetValue();
    ASSERT_EQ(VT_ARRAY | VT_UI1, data.vt);
    EXPECT_EQ(2u, data.parray->rgsabound[0].cElements);
    rs->MoveNext();
    EXPECT_EQ(VT_NULL, fields->GetItem("name")->GetValue().vt);
    EXPECT_EQ(VT_NULL, fields->GetItem("added")->GetValue().vt);
}

TEST(AdoOdbc, DriverMessagesComeWithoutBracketedPrefixes)
{
    _ConnectionPtr connection = OpenSqliteOdbc();
    EXPECT_THROW(connection->Execute("select * from NoSuchTable", nullptr, adCmdText), _com_error);
    const std::string text = FirstErrorText(connection);
    EXPECT_NE(text.find("NoSuchTable"), std::string::npos) << text;
    EXPECT_NE('[', text.empty() ? '[' : text.front()) << text;
    _RecordsetPtr rs = connection->Execute("select 1", nullptr, adCmdText);
    EXPECT_EQ(1, static_cast<long>(rs->GetCollect(0L)));
}

TEST(AdoOdbc, RowCountsOfStatementsWithoutRows)
{
    _ConnectionPtr connection = OpenSqliteOdbc();
    connection->Execute("create table Counted (id integer)", nullptr, adCmdText);
    connection->Execute("insert into Counted values (1), (2), (3)", nullptr, adCmdText);
    _variant_t affected;
    _RecordsetPtr rs = connection->Execute("update Counted set id = id + 1 where id > 1", &affected, adCmdText);
    EXPECT_EQ(2, static_cast<long>(affected));
    EXPECT_EQ(adStateClosed, rs->GetState());
}

TEST(AdoOdbc, CancelFromAnotherThreadStopsALongQuery)
{
    _ConnectionPtr connection = OpenSqliteOdbc();
    _RecordsetPtr rs("ADODB.Recordset");
    rs->Open("with recursive n(i) as (select 1 union all select i + 1 from n where i < 2000000000) "
             "select count(*) from n",
             _variant_t(static_cast<IDispatch*>(connection)), adOpenForwardOnly, adLockReadOnly, adAsyncExecute);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::thread canceller([&] { rs->Cancel(); });
    canceller.join();
    EXPECT_EQ(adStateClosed, rs->GetState());
    _RecordsetPtr after = connection->Execute("select 2", nullptr, adCmdText);
    EXPECT_EQ(2, static_cast<long>(after->GetCollect(0L)));
}

// A long result streams through the driver as through the embedded server:
// its rows arrive once and in order, and a cancel while it is being read
// leaves the connection usable.
TEST(AdoOdbc, ForwardOnlyResultsStreamFromTheDriver)
{
    _ConnectionPtr connection = OpenSqliteOdbc();
    _RecordsetPtr rs("ADODB.Recordset");
    rs->Open("with recursive n(i) as (select 1 union all select i + 1 from n where i < 20000) select i from n",
             _variant_t(static_cast<IDispatch*>(connection)), adOpenForwardOnly, adLockReadOnly, adCmdText);
    long expected = 1;
    for (; !rs->GetEOF(); rs->MoveNext())
        ASSERT_EQ(expected++, static_cast<long>(rs->GetCollect(0L)));
    EXPECT_EQ(20001, expected);

    rs->Close();
    rs->Open("with recursive n(i) as (select 1 union all select i + 1 from n where i < 20000) select i from n",
             _variant_t(static_cast<IDispatch*>(connection)), adOpenForwardOnly, adLockReadOnly, adCmdText);
    for (long i = 0; i < 5000; ++i)
        rs->MoveNext();
    std::thread canceller([&] { rs->Cancel(); });
    canceller.join();
    while (!rs->GetEOF())
        rs->MoveNext();
    rs->Close();
    EXPECT_EQ(2, static_cast<long>(connection->Execute("select 2", nullptr, adCmdText)->GetCollect(0L)));
}

TEST(AdoOdbc, ProviderPropertiesComeFromTheDriver)
{
    _ConnectionPtr connection = OpenSqliteOdbc();
    PropertiesPtr properties = connection->GetProperties();
    EXPECT_EQ("SQLite", Text(properties->GetItem("DBMS Name")->GetValue()));
    EXPECT_FALSE(Text(properties->GetItem("Driver Name")->GetValue()).empty());
    EXPECT_EQ("MSDASQL.DLL", Text(properties->GetItem("Provider Name")->GetValue()));
    EXPECT_EQ(0, static_cast<long>(properties->GetItem("Multiple Results")->GetValue()));
}

struct TdsStringCase {
    const char* connectionString;
    const char* expected;
};

class AdoTdsConnectionString : public testing::TestWithParam<TdsStringCase> {};

TEST_P(AdoTdsConnectionString, LogonBecomesADsnLessFreeTdsString)
{
    auto settings = tw::ado::ConnectionString::Parse(GetParam().connectionString);
    ASSERT_TRUE(settings);
    EXPECT_EQ(GetParam().expected, tw::ado::TdsConnectionString(*settings, "", ""));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdoTdsConnectionString,
    testing::Values(
        TdsStringCase{"Provider=SQLOLEDB.1;User ID=sa;Password=p}w;Initial Catalog=pubs;Data Source=db1",
                      "DRIVER={FreeTDS};SERVER={db1};DATABASE={pubs};UID={sa};PWD={p}}w};ClientCharset=UTF-8;"},
        TdsStringCase{"Provider=SQLOLEDB.1;User ID=sa;Password=;Initial Catalog=;Data Source=db1,1533",
                      "DRIVER={FreeTDS};SERVER={db1};PORT=1533;UID={sa};PWD={};ClientCharset=UTF-8;"},
        TdsStringCase{"Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=master;Data Source=host\\SQL2",
                      "DRIVER={FreeTDS};SERVER={host\\SQL2};DATABASE={master};Trusted_Connection=Yes;"
                      "ClientCharset=UTF-8;"}));

TEST(AdoOdbc, DriverPrefixesAreStripped)
{
    EXPECT_EQ("Invalid object name 'x'.", tw::ado::WithoutDriverPrefixes("[FreeTDS][SQL Server]Invalid object name 'x'."));
    EXPECT_EQ("plain", tw::ado::WithoutDriverPrefixes("plain"));
}

// Runs only when TARNWICK_TEST_SQLSERVER names a server ("host,port;user;password").
TEST(AdoRealSqlServer, AnswersAQueryWhenOneIsNamed)
{
    const char* named = std::getenv("TARNWICK_TEST_SQLSERVER");
    if (!named || !*named)
        GTEST_SKIP() << "TARNWICK_TEST_SQLSERVER is not set";
    std::string spec = named;
    const size_t first = spec.find(';');
    const size_t second = first == std::string::npos ? std::string::npos : spec.find(';', first + 1);
    const std::string server = spec.substr(0, first);
    const std::string user = first == std::string::npos ? "sa" : spec.substr(first + 1, second - first - 1);
    const std::string password = second == std::string::npos ? "" : spec.substr(second + 1);
    tw::ado::RegisterClasses();
    _ConnectionPtr connection("ADODB.Connection");
    const std::string text = "Provider=SQLOLEDB.1;User ID=" + user + ";Password=" + password +
                             ";Initial Catalog=master;Data Source=" + server;
    connection->Open(text.c_str(), "", "", -1);
    _RecordsetPtr rs = connection->Execute("select 1 as one; print 'hello'; select db_name()", nullptr, adCmdText);
    EXPECT_EQ(1, static_cast<long>(rs->GetCollect("one")));
    _RecordsetPtr next = rs->NextRecordset();
    ASSERT_TRUE(next);
    EXPECT_EQ("master", Text(next->GetCollect(0L)));
}

TEST(AdoServerList, EmbeddedFirstThenTheTdsConfigurationsServers)
{
    {
        std::ofstream conf("freetds.conf");
        conf << "[global]\n\ttds version = auto\n[egServer73]\n\thost = ntmachine.domain.com\n"
                "  [Accounts] \n\thost = 10.0.0.5\n[accounts]\n";
    }
    setenv("FREETDSCONF", "freetds.conf", 1);
    EXPECT_EQ((std::vector<std::string>{"(embedded)", "egServer73", "Accounts"}), tw::ado::AvailableServers());
    unsetenv("FREETDSCONF");
}

namespace adoodbctest {

// A listener on 127.0.0.1 that hangs up on every caller: a server that drops
// the connection during the logon.
class HangUpServer {
public:
    HangUpServer()
    {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        listen(m_socket, 4);
        m_thread = std::thread([this] {
            for (;;) {
                const int caller = accept(m_socket, nullptr, nullptr);
                if (caller < 0)
                    return;
                close(caller);
            }
        });
    }
    ~HangUpServer()
    {
        shutdown(m_socket, SHUT_RDWR);
        close(m_socket);
        m_thread.join();
    }
    int Port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
    std::thread m_thread;
};

} // namespace adoodbctest

TEST(AdoOdbc, ServerThatDropsTheLogonGivesAClearError)
{
    adoodbctest::HangUpServer server;
    tw::ado::RegisterClasses();
    _ConnectionPtr connection("ADODB.Connection");
    connection->PutConnectionTimeout(5);
    const std::string dataSource = "127.0.0.1," + std::to_string(server.Port());
    const std::string text = "Provider=SQLOLEDB.1;User ID=sa;Password=x;Initial Catalog=master;Data Source=" + dataSource;
    EXPECT_THROW(connection->Open(text.c_str(), "", "", -1), _com_error);
    EXPECT_EQ(adStateClosed, connection->GetState());
    EXPECT_NE(FirstErrorText(connection).find(dataSource), std::string::npos) << FirstErrorText(connection);
}
