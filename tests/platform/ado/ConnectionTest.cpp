#include <thread>

#include "tests/platform/ado/AdoTestSupport.h"

using namespace ADODB;
using adotest::OpenEmbedded;
using adotest::Text;

TEST(AdoConnection, CreatedByProgIdAndClassIdAndOpensTheEmbeddedServer)
{
    tw::ado::RegisterClasses();
    _ConnectionPtr byClassId;
    ASSERT_EQ(S_OK, byClassId.CreateInstance(CLSID_Connection));
    _RecordsetPtr recordset;
    ASSERT_EQ(S_OK, recordset.CreateInstance("ADODB.Recordset"));

    _ConnectionPtr connection = OpenEmbedded();
    EXPECT_EQ(adStateOpen, connection->GetState());
    PropertiesPtr properties = connection->GetProperties();
    properties->Refresh();
    EXPECT_EQ("SQL Server", Text(properties->GetItem("DBMS Name")->GetValue()));
    EXPECT_EQ("(embedded)", Text(properties->GetItem("Data Source")->GetValue()));
    EXPECT_EQ(1, static_cast<long>(properties->GetItem("Multiple Results")->GetValue()));
    EXPECT_EQ("SQLOLEDB.DLL", Text(properties->GetItem("Provider Name")->GetValue()));
    EXPECT_EQ("master", Text(properties->GetItem("Current Catalog")->GetValue()));
    connection->Close();
    EXPECT_EQ(adStateClosed, connection->GetState());
}

TEST(AdoConnection, CurrentCatalogWrittenSwitchesTheSessionsDatabase)
{
    _ConnectionPtr connection = OpenEmbedded();
    connection->GetProperties()->GetItem("Current Catalog")->PutValue("[tempdb]");
    EXPECT_EQ("tempdb", Text(_variant_t(connection->GetDefaultDatabase())));
    _RecordsetPtr rs = connection->Execute("select db_name()", nullptr, adCmdText);
    EXPECT_EQ("tempdb", Text(rs->GetFields()->GetItem(0L)->GetValue()));
}

TEST(AdoConnection, OpenSchemaCatalogsListsDatabaseNamesInTheFirstField)
{
    _ConnectionPtr connection = OpenEmbedded();
    _RecordsetPtr catalogs = connection->OpenSchema(adSchemaCatalogs);
    std::vector<std::string> names;
    for (; !catalogs->GetEOF(); catalogs->MoveNext())
        names.push_back(Text(catalogs->GetFields()->GetItem(0L)->GetValue()));
    EXPECT_NE(std::find(names.begin(), names.end(), "master"), names.end());
}

TEST(AdoConnection, ALoginWithAPasswordConnectsByEitherFormAndAWrongOneIsRefused)
{
    OpenEmbedded()->Execute("exec sp_addlogin 'tw_reader', 'se;cret', 'master'", nullptr, adCmdText);
    auto open = [](const std::string& connectionString, const char* user, const char* password) {
        _ConnectionPtr connection("ADODB.Connection");
        connection->Open(connectionString.c_str(), user, password, -1);
        return Text(connection->Execute("select suser_sname()", nullptr, adCmdText)->GetFields()->GetItem(0L)->GetValue());
    };
    const std::string server = "Provider=SQLOLEDB.1;Data Source=(embedded);";
    EXPECT_EQ(open(server + "User ID=tw_reader;Password={se;cret}", "", ""), "tw_reader");
    EXPECT_EQ(open(server, "tw_reader", "se;cret"), "tw_reader") << "Open's own user and password";
    try {
        open(server + "User ID=tw_reader;Password=wrong", "", "");
        ADD_FAILURE() << "a wrong password connected";
    } catch (const _com_error& error) {
        EXPECT_NE(std::string(static_cast<const char*>(error.Description())).find("Login failed for user 'tw_reader'."),
                  std::string::npos);
    }
}

struct BadOpenCase {
    const char* connectionString;
    const char* descriptionPart;
};

class AdoConnectionBadOpen : public testing::TestWithParam<BadOpenCase> {};

TEST_P(AdoConnectionBadOpen, RaisesWithTheProvidersMessageInErrors)
{
    tw::ado::RegisterClasses();
    _ConnectionPtr connection("ADODB.Connection");
    try {
        connection->Open(GetParam().connectionString, "", "", -1);
        FAIL() << "opened";
    } catch (const _com_error& error) {
        EXPECT_TRUE(FAILED(error.Error()));
        EXPECT_NE(std::string(static_cast<const char*>(error.Description())).find(GetParam().descriptionPart),
                  std::string::npos)
            << static_cast<const char*>(error.Description());
    }
    EXPECT_EQ(adStateClosed, connection->GetState());
    ASSERT_GE(connection->GetErrors()->GetCount(), 1);
    EXPECT_NE(std::string(static_cast<const char*>(connection->GetErrors()->GetItem(0L)->GetDescription()))
                  .find(GetParam().descriptionPart),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdoConnectionBadOpen,
    testing::Values(BadOpenCase{"Provider=SQLOLEDB.1;Data Source=(embedded);garbage", "initialization string"},
                    BadOpenCase{"Provider=SQLOLEDB.1;Data Source='(embedded);Initial Catalog=master", "unclosed"},
                    BadOpenCase{"Provider=SQLOLEDB.1;Initial Catalog=NoSuchDb;Data Source=(embedded)", "NoSuchDb"},
                    BadOpenCase{"Provider=SQLOLEDB.1;Initial Catalog=master;Data Source=127.0.0.1,1", "127.0.0.1,1"}));

TEST(AdoConnection, ExecuteFailureFillsErrorsAndLeavesTheConnectionUsable)
{
    _ConnectionPtr connection = OpenEmbedded();
    EXPECT_THROW(connection->Execute("select * from NoSuchTable", nullptr, adCmdText), _com_error);
    ASSERT_EQ(1, connection->GetErrors()->GetCount());
    EXPECT_EQ("Invalid object name 'NoSuchTable'.",
              std::string(static_cast<const char*>(connection->GetErrors()->GetItem(0L)->GetDescription())));
    EXPECT_EQ(208, connection->GetErrors()->GetItem(0L)->GetNativeError());
    _RecordsetPtr rs = connection->Execute("select 7 as n", nullptr, adCmdText);
    EXPECT_EQ(7, static_cast<long>(rs->GetCollect("n")));
}

TEST(AdoConnection, ClosedConnectionFailsTheNextCall)
{
    _ConnectionPtr connection = OpenEmbedded();
    connection->Close();
    EXPECT_THROW(connection->Execute("select 1", nullptr, adCmdText), _com_error);
    _RecordsetPtr rs("ADODB.Recordset");
    EXPECT_THROW(rs->Open("select 1", _variant_t(static_cast<IDispatch*>(connection)), adOpenForwardOnly,
                          adLockReadOnly, adCmdText),
                 _com_error);
}

TEST(AdoConnection, TransactionsRollBack)
{
    _ConnectionPtr connection = OpenEmbedded();
    connection->Execute("create table TranTest (id int)", nullptr, adCmdText);
    EXPECT_EQ(1, connection->BeginTrans());
    connection->Execute("insert into TranTest values (1)", nullptr, adCmdText);
    connection->RollbackTrans();
    _RecordsetPtr rs = connection->Execute("select count(*) from TranTest", nullptr, adCmdText);
    EXPECT_EQ(0, static_cast<long>(rs->GetFields()->GetItem(0L)->GetValue()));
}

TEST(AdoConnection, KilledSessionFailsClearlyAndClosesTheConnection)
{
    _ConnectionPtr victim = OpenEmbedded();
    const long spid = static_cast<long>(victim->Execute("select @@spid", nullptr, adCmdText)->GetCollect(0L));
    _ConnectionPtr admin = OpenEmbedded();
    admin->Execute(("kill " + std::to_string(spid)).c_str(), nullptr, adCmdText);
    EXPECT_THROW(victim->Execute("select 1", nullptr, adCmdText), _com_error);
    EXPECT_GE(victim->GetErrors()->GetCount(), 1);
    EXPECT_EQ(adStateClosed, victim->GetState());
    EXPECT_THROW(victim->Execute("select 1", nullptr, adCmdText), _com_error);
}

TEST(AdoConnection, ClosingTheConnectionClosesItsRecordsets)
{
    _ConnectionPtr connection = OpenEmbedded();
    _RecordsetPtr rs("ADODB.Recordset");
    rs->Open("select 1 union all select 2; select 3", _variant_t(static_cast<IDispatch*>(connection)),
             adOpenForwardOnly, adLockReadOnly, adCmdText);
    FieldsPtr fields = rs->GetFields();
    EXPECT_EQ(1, static_cast<long>(fields->GetItem(0L)->GetValue()));
    connection->Close();
    EXPECT_EQ(adStateClosed, rs->GetState());
    EXPECT_THROW(rs->MoveNext(), _com_error);
    EXPECT_THROW(fields->GetItem(0L)->GetValue(), _com_error);
    EXPECT_THROW(rs->NextRecordset(), _com_error);
}

namespace adoconnectiontest {

// Notes each event's name; a WillConnect may cancel the logon.
class RecordingSink final : public tw::ComObject<ConnectionEvents> {
public:
    std::vector<std::string> events;
    bool cancelConnect = false;
    bool connectFailed = false;

    HRESULT InfoMessage(Error*, EventStatusEnum*, _Connection*) override { return Note("InfoMessage"); }
    HRESULT BeginTransComplete(long, Error*, EventStatusEnum*, _Connection*) override { return Note("BeginTrans"); }
    HRESULT CommitTransComplete(Error*, EventStatusEnum*, _Connection*) override { return Note("CommitTrans"); }
    HRESULT RollbackTransComplete(Error*, EventStatusEnum*, _Connection*) override { return Note("RollbackTrans"); }
    HRESULT WillExecute(BSTR*, CursorTypeEnum*, LockTypeEnum*, long*, EventStatusEnum*, _Command*, _Recordset*,
                        _Connection*) override
    {
        return Note("WillExecute");
    }
    HRESULT ExecuteComplete(long, Error*, EventStatusEnum*, _Command*, _Recordset*, _Connection*) override
    {
        return Note("ExecuteComplete");
    }
    HRESULT WillConnect(BSTR*, BSTR*, BSTR*, long*, EventStatusEnum* status, _Connection*) override
    {
        if (cancelConnect)
            *status = adStatusCancel;
        return Note("WillConnect");
    }
    HRESULT ConnectComplete(Error* error, EventStatusEnum* status, _Connection*) override
    {
        connectFailed = error != nullptr && *status == adStatusErrorsOccurred;
        return Note("ConnectComplete");
    }
    HRESULT Disconnect(EventStatusEnum*, _Connection*) override { return Note("Disconnect"); }

private:
    HRESULT Note(const char* name)
    {
        events.push_back(name);
        return S_OK;
    }
};

struct AdvisedConnection {
    AdvisedConnection()
    {
        tw::ado::RegisterClasses();
        connection.CreateInstance("ADODB.Connection");
        sink = new RecordingSink;
        tw::com::Advise(connection, sink->GetUnknown(), IID_ConnectionEvents, &cookie);
    }
    ~AdvisedConnection()
    {
        tw::com::Unadvise(connection, IID_ConnectionEvents, cookie);
        sink->Release();
    }
    _ConnectionPtr connection;
    RecordingSink* sink = nullptr;
    DWORD cookie = 0;
};

} // namespace adoconnectiontest

TEST(AdoConnection, EventsOfALogonATransactionAndAClose)
{
    adoconnectiontest::AdvisedConnection advised;
    advised.connection->Open("Provider=SQLOLEDB.1;Data Source=(embedded);Initial Catalog=master", "", "", -1);
    advised.connection->BeginTrans();
    advised.connection->Execute("select 1", nullptr, adCmdText);
    advised.connection->CommitTrans();
    advised.connection->Close();
    EXPECT_EQ((std::vector<std::string>{"WillConnect", "ConnectComplete", "BeginTrans", "WillExecute",
                                        "ExecuteComplete", "CommitTrans", "Disconnect"}),
              advised.sink->events);
    EXPECT_FALSE(advised.sink->connectFailed);
}

TEST(AdoConnection, WillConnectMayCancelAndAFailedLogonCompletesWithItsError)
{
    adoconnectiontest::AdvisedConnection advised;
    advised.sink->cancelConnect = true;
    EXPECT_THROW(advised.connection->Open("Provider=SQLOLEDB.1;Data Source=(embedded)", "", "", -1), _com_error);
    EXPECT_EQ(adStateClosed, advised.connection->GetState());
    advised.sink->cancelConnect = false;
    EXPECT_THROW(advised.connection->Open("Provider=SQLOLEDB.1;Data Source=(embedded);Initial Catalog=NoSuchDb", "",
                                          "", -1),
                 _com_error);
    EXPECT_TRUE(advised.sink->connectFailed);
}
