#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "tests/platform/ado/AdoTestSupport.h"

using namespace ADODB;
using adotest::OpenEmbedded;
using adotest::Text;

namespace adoresults {

// Records what ExecuteComplete brings and on which thread; declines the
// other events as unwanted.
class EventSink final : public tw::ComObject<ConnectionEvents> {
public:
    HRESULT InfoMessage(Error* error, EventStatusEnum* status, _Connection*) override
    {
        std::lock_guard lock(m_mutex);
        infoMessages.push_back(static_cast<const char*>(error->GetDescription()));
        ++infoCalls;
        if (declineInfo)
            *status = adStatusUnwantedEvent;
        return S_OK;
    }
    HRESULT BeginTransComplete(long, Error*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT CommitTransComplete(Error*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT RollbackTransComplete(Error*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT WillExecute(BSTR*, CursorTypeEnum*, LockTypeEnum*, long*, EventStatusEnum* s, _Command*, _Recordset*,
                        _Connection*) override
    {
        return Unwanted(s);
    }
    HRESULT ExecuteComplete(long recordsAffected, Error* error, EventStatusEnum*, _Command*, _Recordset* recordset,
                            _Connection*) override
    {
        std::lock_guard lock(m_mutex);
        completions++;
        lastRecordsAffected = recordsAffected;
        lastHadError = error != nullptr;
        lastRecordset = recordset;
        threadId = std::this_thread::get_id();
        m_done.notify_all();
        return S_OK;
    }
    HRESULT WillConnect(BSTR*, BSTR*, BSTR*, long*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT ConnectComplete(Error*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT Disconnect(EventStatusEnum* s, _Connection*) override { return Unwanted(s); }

    bool WaitForCompletions(int count)
    {
        std::unique_lock lock(m_mutex);
        return m_done.wait_for(lock, std::chrono::seconds(10), [&] { return completions >= count; });
    }

    std::mutex m_mutex;
    std::condition_variable m_done;
    int completions = 0;
    long lastRecordsAffected = 0;
    bool lastHadError = false;
    _RecordsetPtr lastRecordset;
    std::thread::id threadId;
    std::vector<std::string> infoMessages;
    int infoCalls = 0;
    bool declineInfo = false;

private:
    static HRESULT Unwanted(EventStatusEnum* status)
    {
        *status = adStatusUnwantedEvent;
        return S_OK;
    }
};

class AdoResults : public testing::Test {
protected:
    void SetUp() override
    {
        connection.Attach(OpenEmbedded().Detach());
        sink = new EventSink;
        ASSERT_EQ(S_OK, tw::com::Advise(connection, sink->GetUnknown(), IID_ConnectionEvents, &cookie));
        connection->Execute("if object_id('Parts') is not null drop table Parts", nullptr, adCmdText);
        connection->Execute("create table Parts (id int, name varchar(20), price money, added datetime, "
                            "data varbinary(4), flag bit)",
                            nullptr, adCmdText);
        connection->Execute("insert into Parts values (1, 'bolt', 1.25, '2003-04-05 10:20:30', 0x0102, 1) "
                            "insert into Parts values (2, 'nut', 0.5, '2004-01-01', null, 0) "
                            "insert into Parts values (3, null, null, null, null, null)",
                            nullptr, adCmdText);
        std::lock_guard lock(sink->m_mutex);
        sink->completions = 0;
    }
    void TearDown() override
    {
        tw::com::Unadvise(connection, IID_ConnectionEvents, cookie);
        sink->Release();
    }

    _RecordsetPtr OpenStatement(const char* text, long options)
    {
        _RecordsetPtr rs("ADODB.Recordset");
        rs->Open(text, _variant_t(static_cast<IDispatch*>(connection)), adOpenForwardOnly, adLockReadOnly, options);
        return rs;
    }

    _ConnectionPtr connection;
    EventSink* sink = nullptr;
    DWORD cookie = 0;
};

} // namespace adoresults

using adoresults::AdoResults;

TEST_F(AdoResults, ThreeResultBatchArrivesInOrderWithOpenClosedAndEmptyShapes)
{
    _RecordsetPtr rs = OpenStatement("select id from Parts where id < 3 order by id; "
                                     "update Parts set name = 'x' where id >= 2; "
                                     "print 'between'; "
                                     "select id from Parts where id > 99",
                                     adCmdText);
    ASSERT_EQ(adStateOpen, rs->GetState());
    EXPECT_EQ(1, static_cast<long>(rs->GetCollect(0L)));
    rs->MoveNext();
    EXPECT_EQ(2, static_cast<long>(rs->GetCollect(0L)));
    rs->MoveNext();
    EXPECT_TRUE(rs->GetEOF());

    _variant_t affected;
    _RecordsetPtr next = rs->NextRecordset(&affected);
    ASSERT_TRUE(next);
    EXPECT_EQ(adStateClosed, next->GetState());
    EXPECT_EQ(2, static_cast<long>(affected));

    _RecordsetPtr third = next->NextRecordset(&affected);
    ASSERT_TRUE(third);
    EXPECT_EQ(adStateOpen, third->GetState());
    EXPECT_TRUE(third->GetBOF());
    EXPECT_TRUE(third->GetEOF());
    EXPECT_EQ(-1, static_cast<long>(affected));

    EXPECT_FALSE(third->NextRecordset(&affected));
    ASSERT_EQ(1u, sink->infoMessages.size());
    EXPECT_EQ("between", sink->infoMessages[0]);
}

// The update touches as many rows as the select returned; with NOCOUNT on for
// the select only, its count must still come as a result of its own.
TEST_F(AdoResults, CountEqualToTheRowsBeforeItIsAResultWhenNoCountChanges)
{
    _RecordsetPtr rs = OpenStatement("set nocount on; select id from Parts where id < 3 order by id; "
                                     "set nocount off; update Parts set name = 'y' where id < 3",
                                     adCmdText);
    ASSERT_EQ(adStateOpen, rs->GetState());
    _variant_t affected;
    _RecordsetPtr next = rs->NextRecordset(&affected);
    ASSERT_TRUE(next);
    EXPECT_EQ(adStateClosed, next->GetState());
    EXPECT_EQ(2, static_cast<long>(affected));
    EXPECT_FALSE(next->NextRecordset(&affected));
}

TEST_F(AdoResults, ValuesComeAsVariantsOfTheFieldsType)
{
    _RecordsetPtr rs = OpenStatement("select id, name, price, added, data, flag from Parts order by id", adCmdText);
    FieldsPtr fields = rs->GetFields();
    ASSERT_EQ(6, fields->GetCount());
    EXPECT_EQ(adInteger, fields->GetItem("id")->GetType());
    EXPECT_EQ(adVarChar, fields->GetItem("name")->GetType());
    EXPECT_EQ(20, fields->GetItem("name")->GetDefinedSize());
    EXPECT_EQ(4, fields->GetItem("name")->GetActualSize());
    EXPECT_EQ(adCurrency, fields->GetItem("price")->GetType());
    EXPECT_EQ(VT_I4, fields->GetItem(0L)->GetValue().vt);
    EXPECT_EQ(VT_BSTR, fields->GetItem(1L)->GetValue().vt);
    _variant_t price = fields->GetItem(2L)->GetValue();
    ASSERT_EQ(VT_CY, price.vt);
    EXPECT_EQ(12500, price.cyVal.int64);
    _variant_t added = fields->GetItem(3L)->GetValue();
    ASSERT_EQ(VT_DATE, added.vt);
    SYSTEMTIME st{};
    VariantTimeToSystemTime(added.date, &st);
    EXPECT_EQ(2003, st.wYear);
    EXPECT_EQ(30, st.wSecond);
    _variant_t data = fields->GetItem(4L)->GetValue();
    ASSERT_EQ(VT_ARRAY | VT_UI1, data.vt);
    EXPECT_EQ(2u, data.parray->rgsabound[0].cElements);
    EXPECT_EQ(adVarBinary, fields->GetItem(4L)->GetType());
    _variant_t flag = fields->GetItem(5L)->GetValue();
    ASSERT_EQ(VT_BOOL, flag.vt);
    EXPECT_EQ(VARIANT_TRUE, flag.boolVal);
    rs->MoveNext();
    rs->MoveNext();
    EXPECT_EQ(VT_NULL, fields->GetItem("name")->GetValue().vt);
    EXPECT_THROW(fields->GetItem("nosuch"), _com_error);
}

TEST_F(AdoResults, AsyncOpenReturnsWhileExecutingAndCompletesOnAnotherThread)
{
    _RecordsetPtr rs = OpenStatement("waitfor delay '00:00:01'; select 42 as answer", adAsyncExecute);
    EXPECT_EQ(adStateExecuting, rs->GetState());
    ASSERT_TRUE(sink->WaitForCompletions(1));
    EXPECT_NE(std::this_thread::get_id(), sink->threadId);
    EXPECT_EQ(rs.GetInterfacePtr(), sink->lastRecordset.GetInterfacePtr());
    EXPECT_FALSE(sink->lastHadError);
    EXPECT_EQ(adStateOpen, rs->GetState());
    EXPECT_EQ(42, static_cast<long>(rs->GetCollect("answer")));
}

TEST_F(AdoResults, CancelFromAnotherThreadStopsTheBatchAndKeepsTheConnection)
{
    _RecordsetPtr rs = OpenStatement("waitfor delay '00:00:30'; select 1", adAsyncExecute);
    std::thread canceller([&] { rs->Cancel(); });
    canceller.join();
    ASSERT_TRUE(sink->WaitForCompletions(1));
    EXPECT_TRUE(sink->lastHadError);
    EXPECT_EQ(adStateClosed, rs->GetState());
    EXPECT_FALSE(rs->NextRecordset());
    _RecordsetPtr after = connection->Execute("select count(*) from Parts", nullptr, adCmdText);
    EXPECT_EQ(3, static_cast<long>(after->GetCollect(0L)));
}

// Execute hands back the first result of this batch while its waitfor still
// runs; the second recordset's Cancel must stop that recordset's own batch,
// not the earlier one, whose last insert the caller was told would run.
TEST_F(AdoResults, CancelStopsOnlyTheBatchItWasAskedFor)
{
    connection->Execute("insert into Parts (id) values (4); select 1; waitfor delay '00:00:02'; "
                        "insert into Parts (id) values (5)",
                        nullptr, adCmdText);
    _RecordsetPtr rs = OpenStatement("select 2", adAsyncExecute);
    std::thread canceller([&] { rs->Cancel(); });
    canceller.join();
    ASSERT_TRUE(sink->WaitForCompletions(2));
    EXPECT_TRUE(sink->lastHadError);
    EXPECT_EQ(adStateClosed, rs->GetState());
    _RecordsetPtr after = connection->Execute("select count(*) from Parts where id in (4, 5)", nullptr, adCmdText);
    EXPECT_EQ(2, static_cast<long>(after->GetCollect(0L)));
}

// When nobody can read the results, Execute returns only once the whole batch
// has run: another connection sees every row it wrote.
TEST_F(AdoResults, ExecuteWhoseResultsNobodyReadsHasRunTheWholeBatch)
{
    const char* batch = "delete from Parts where id > 3; insert into Parts (id) values (4); select 1; "
                        "waitfor delay '00:00:01'; insert into Parts (id) values (5)";
    const struct {
        const char* name;
        std::function<void()> execute;
    } cases[] = {
        {"without records", [&] { connection->Execute(batch, nullptr, adCmdText | adExecuteNoRecords); }},
        {"no recordset asked for",
         [&] { ASSERT_EQ(S_OK, connection->raw_Execute(_bstr_t(batch), nullptr, adCmdText, nullptr)); }},
    };
    _ConnectionPtr other = OpenEmbedded();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.execute();
        _RecordsetPtr seen = other->Execute("select count(*) from Parts where id in (4, 5)", nullptr, adCmdText);
        EXPECT_EQ(2, static_cast<long>(seen->GetCollect(0L)));
    }
}

TEST_F(AdoResults, AsyncFailureSurfacesWhenTheReaderAsksForTheNextResult)
{
    _RecordsetPtr rs = OpenStatement("select * from NoSuchTable", adAsyncExecute);
    ASSERT_TRUE(sink->WaitForCompletions(1));
    EXPECT_TRUE(sink->lastHadError);
    EXPECT_EQ(adStateClosed, rs->GetState());
    EXPECT_THROW(rs->NextRecordset(), _com_error);
    EXPECT_EQ("Invalid object name 'NoSuchTable'.",
              std::string(static_cast<const char*>(connection->GetErrors()->GetItem(0L)->GetDescription())));
}

TEST_F(AdoResults, ErrorAfterAResultLeavesTheFirstResultReadable)
{
    _RecordsetPtr rs = OpenStatement("select id from Parts where id = 1; select * from NoSuchTable", adCmdText);
    EXPECT_EQ(1, static_cast<long>(rs->GetCollect(0L)));
    EXPECT_THROW(rs->NextRecordset(), _com_error);
}

TEST_F(AdoResults, SynchronousOpenHasFiredExecuteCompleteWhenItReturns)
{
    OpenStatement("update Parts set flag = 0", adCmdText);
    EXPECT_EQ(1, sink->completions);
    EXPECT_EQ(3, sink->lastRecordsAffected);
    EXPECT_EQ(std::this_thread::get_id(), sink->threadId);
}

TEST_F(AdoResults, UnwantedEventIsNotRaisedAgainForThatSink)
{
    sink->declineInfo = true;
    OpenStatement("print 'one'", adCmdText);
    OpenStatement("print 'two'", adCmdText);
    EXPECT_EQ(1, sink->infoCalls);
}

TEST_F(AdoResults, ForwardOnlyRecordsetRefusesToMoveBackAndToBeChanged)
{
    _RecordsetPtr rs = OpenStatement("select id from Parts", adCmdText);
    EXPECT_FALSE(rs->Supports(adMovePrevious));
    EXPECT_FALSE(rs->Supports(adUpdate));
    EXPECT_THROW(rs->MovePrevious(), _com_error);
    EXPECT_THROW(rs->PutCollect(0L, 5), _com_error);
    rs->Close();
    EXPECT_EQ(adStateClosed, rs->GetState());
    EXPECT_THROW(rs->GetEOF(), _com_error);
}

TEST_F(AdoResults, CountAfterASelectRunWithoutCountsIsAResultOfItsOwn)
{
    _RecordsetPtr rs = OpenStatement("set nocount on; select id from Parts where id = 1; set nocount off; "
                                     "update Parts set flag = 1 where id >= 2",
                                     adCmdText);
    EXPECT_EQ(1, static_cast<long>(rs->GetCollect(0L)));
    _variant_t affected;
    _RecordsetPtr next = rs->NextRecordset(&affected);
    ASSERT_TRUE(next);
    EXPECT_EQ(adStateClosed, next->GetState());
    EXPECT_EQ(2, static_cast<long>(affected));
}

TEST_F(AdoResults, BatchLongerThanTheCommandTimeoutFailsAsExpired)
{
    connection->PutCommandTimeout(1);
    EXPECT_THROW(OpenStatement("waitfor delay '00:00:20'; select 1", adCmdText), _com_error);
    EXPECT_EQ("Query timeout expired",
              std::string(static_cast<const char*>(connection->GetErrors()->GetItem(0L)->GetDescription())));
    connection->PutCommandTimeout(0);
    EXPECT_EQ(3, static_cast<long>(connection->Execute("select count(*) from Parts", nullptr, adCmdText)
                                       ->GetCollect(0L)));
}
