// Forward-only read-only results stream: Open returns with the first rows
// while the provider reads ahead a few pages at a time. These are the
// behaviours a reader relies on that streaming could break.
#include <atomic>
#include <chrono>
#include <thread>

#include "tests/platform/ado/AdoTestSupport.h"

using namespace ADODB;
using adotest::OpenEmbedded;
using adotest::Text;

namespace adostreaming {

// More rows than the provider may hold waiting for a reader that stopped.
constexpr long kRows = 20000;

class AdoStreaming : public testing::Test {
protected:
    void SetUp() override
    {
        connection.Attach(OpenEmbedded("tempdb").Detach());
        connection->PutCommandTimeout(0);
        connection->Execute("if object_id('Numbers') is not null drop table Numbers", nullptr, adCmdText);
        connection->Execute("if object_id('Digits') is not null drop table Digits", nullptr, adCmdText);
        connection->Execute("create table Digits (d int)", nullptr, adCmdText);
        connection->Execute("insert into Digits values (0) insert into Digits values (1) insert into Digits values (2) "
                            "insert into Digits values (3) insert into Digits values (4) insert into Digits values (5) "
                            "insert into Digits values (6) insert into Digits values (7) insert into Digits values (8) "
                            "insert into Digits values (9)",
                            nullptr, adCmdText);
        connection->Execute("create table Numbers (n int, label varchar(20))", nullptr, adCmdText);
        connection->Execute("insert into Numbers select a.d * 10000 + b.d * 1000 + c.d * 100 + e.d * 10 + f.d, "
                            "'row ' + convert(varchar(10), a.d * 10000 + b.d * 1000 + c.d * 100 + e.d * 10 + f.d) "
                            "from Digits a, Digits b, Digits c, Digits e, Digits f where a.d < 2",
                            nullptr, adCmdText);
    }

    _RecordsetPtr Stream(const char* text, long options = adCmdText)
    {
        _RecordsetPtr rs("ADODB.Recordset");
        rs->Open(text, _variant_t(static_cast<IDispatch*>(connection)), adOpenForwardOnly, adLockReadOnly, options);
        return rs;
    }

    static long ReadRows(_RecordsetPtr& rs, long most)
    {
        long read = 0;
        for (; read < most && !rs->GetEOF(); ++read)
            rs->MoveNext();
        return read;
    }

    _ConnectionPtr connection;
};

TEST_F(AdoStreaming, EveryRowArrivesOnceAndInOrder)
{
    _RecordsetPtr rs = Stream("select n, label from Numbers order by n");
    EXPECT_FALSE(rs->GetBOF());
    long expected = 0;
    for (; !rs->GetEOF(); rs->MoveNext()) {
        ASSERT_EQ(expected, static_cast<long>(rs->GetFields()->GetItem(0L)->GetValue()));
        ASSERT_EQ("row " + std::to_string(expected), Text(rs->GetCollect(1L)));
        ++expected;
    }
    EXPECT_EQ(kRows, expected);
    EXPECT_FALSE(rs->GetBOF());
    EXPECT_THROW(rs->MoveNext(), _com_error);
    EXPECT_FALSE(rs->NextRecordset());
}

// Counting or saving a result read in part takes in the rest of it; the rows
// before the reader are gone from a forward-only result.
TEST_F(AdoStreaming, RecordCountAnswersForTheWholeResultWherever_theReaderIs)
{
    _RecordsetPtr rs = Stream("select n from Numbers order by n");
    ASSERT_EQ(3000, ReadRows(rs, 3000));
    EXPECT_EQ(kRows, rs->GetRecordCount());
    EXPECT_EQ(3001, rs->GetAbsolutePosition());
    EXPECT_EQ(3000, static_cast<long>(rs->GetCollect(0L)));
    EXPECT_EQ(kRows - 3000, ReadRows(rs, kRows));
    EXPECT_THROW(rs->MoveFirst(), _com_error);
}

TEST_F(AdoStreaming, MoveSkipsAcrossPages)
{
    _RecordsetPtr rs = Stream("select n from Numbers order by n");
    rs->Move(5000);
    EXPECT_EQ(5000, static_cast<long>(rs->GetCollect(0L)));
    rs->Move(kRows);
    EXPECT_TRUE(rs->GetEOF());
}

// The rows before the failing one are read; the failure comes at the move
// onto it, and the Errors collection holds the server's text.
TEST_F(AdoStreaming, ARowThatFailsRaisesItsErrorAtTheMoveOntoIt)
{
    _RecordsetPtr rs = Stream("select n, 10 / (n - 7000) from Numbers");
    long read = 0;
    bool failed = false;
    try {
        for (; !rs->GetEOF(); rs->MoveNext())
            ++read;
    } catch (const _com_error&) {
        failed = true;
    }
    EXPECT_TRUE(failed);
    EXPECT_EQ(7000, read);
    EXPECT_EQ("Divide by zero error encountered.",
              std::string(static_cast<const char*>(connection->GetErrors()->GetItem(0L)->GetDescription())));
    EXPECT_EQ(5, static_cast<long>(connection->Execute("select 5", nullptr, adCmdText)->GetCollect(0L)));
}

TEST_F(AdoStreaming, NextRecordsetAfterAResultReadInPartGivesTheNextResult)
{
    _RecordsetPtr rs = Stream("select n from Numbers; update Digits set d = d where d < 3; select 42 as answer");
    ASSERT_EQ(100, ReadRows(rs, 100));
    _variant_t affected;
    _RecordsetPtr next = rs->NextRecordset(&affected);
    ASSERT_TRUE(next);
    EXPECT_EQ(adStateClosed, next->GetState());
    EXPECT_EQ(3, static_cast<long>(affected));
    next = rs->NextRecordset(&affected);
    ASSERT_TRUE(next);
    EXPECT_EQ(42, static_cast<long>(next->GetCollect("answer")));
    EXPECT_FALSE(rs->NextRecordset());
}

// The connection serves another command while a result is still being read:
// the rest of that result is held for its reader meanwhile.
TEST_F(AdoStreaming, AnotherCommandOnTheConnectionWhileAResultIsReadInPart)
{
    _RecordsetPtr rs = Stream("select n from Numbers order by n");
    ASSERT_EQ(10, ReadRows(rs, 10));
    _RecordsetPtr count = connection->Execute("select count(*) from Numbers", nullptr, adCmdText);
    EXPECT_EQ(kRows, static_cast<long>(count->GetCollect(0L)));
    EXPECT_EQ(10, static_cast<long>(rs->GetCollect(0L)));
    EXPECT_EQ(kRows - 10, ReadRows(rs, kRows));
}

// Cancel and Close stop a result whose provider waits for a reader that no
// longer reads, and the connection goes on serving.
TEST_F(AdoStreaming, CancelOrCloseStopsAStreamAndTheConnectionIsUsedAgain)
{
    for (bool cancel : {true, false}) {
        _RecordsetPtr rs = Stream("select a.n from Numbers a, Digits b");
        ASSERT_EQ(50, ReadRows(rs, 50));
        if (cancel) {
            std::thread canceller([&] { rs->Cancel(); });
            canceller.join();
            ReadRows(rs, 20L * kRows);
        }
        rs->Close();
        _RecordsetPtr again = Stream("select count(*) from Digits");
        EXPECT_EQ(10, static_cast<long>(again->GetCollect(0L))) << (cancel ? "cancel" : "close");
    }
}

// A cancel reaches a reader waiting for the next page from another thread.
TEST_F(AdoStreaming, CancelWakesAReaderWaitingForRows)
{
    _RecordsetPtr rs = Stream("select n from Numbers; waitfor delay '00:00:30'; select 1");
    ASSERT_EQ(kRows, ReadRows(rs, kRows));
    std::atomic<bool> waiting{true};
    std::thread reader([&] {
        try {
            rs->NextRecordset();
        } catch (const _com_error&) {
        }
        waiting = false;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    rs->Cancel();
    reader.join();
    EXPECT_FALSE(waiting);
    EXPECT_EQ(10, static_cast<long>(connection->Execute("select count(*) from Digits", nullptr, adCmdText)
                                        ->GetCollect(0L)));
}

// KILL from another session ends the stream with an error where the reader
// meets it, and the connection is closed by the server.
TEST_F(AdoStreaming, KillEndsAStreamBeingRead)
{
    const long spid = static_cast<long>(connection->Execute("select @@spid", nullptr, adCmdText)->GetCollect(0L));
    _RecordsetPtr rs = Stream("select a.n from Numbers a, Digits b");
    ASSERT_EQ(50, ReadRows(rs, 50));
    _ConnectionPtr other = OpenEmbedded("master");
    std::thread killer([&] { other->Execute(("kill " + std::to_string(spid)).c_str(), nullptr, adCmdText); });
    long read = 0;
    bool failed = false;
    try {
        read = ReadRows(rs, 20L * kRows);
    } catch (const _com_error&) {
        failed = true;
    }
    killer.join();
    EXPECT_TRUE(failed || read < 10 * kRows - 50);
    EXPECT_THROW(connection->Execute("select 1", nullptr, adCmdText), _com_error);
}

TEST_F(AdoStreaming, AsyncOpenCompletesWithTheFirstRows)
{
    _RecordsetPtr rs = Stream("select a.n from Numbers a, Digits b", adAsyncExecute);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (rs->GetState() == adStateExecuting && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(adStateOpen, rs->GetState());
    EXPECT_FALSE(rs->GetBOF());
    EXPECT_EQ(10 * kRows, ReadRows(rs, 20L * kRows));
}

} // namespace adostreaming
