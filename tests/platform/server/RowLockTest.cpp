// Row locks: a writer's open transaction holds the rows it changed, so a
// reader waits only for those rows, and when it waits it then reads what the
// writer committed. Writers in one database still take turns, as the store
// takes one writer per database file.
#include <chrono>
#include <future>

#include "ServerFixture.h"

namespace tw::server::test {

class RowLockTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        writer = NewSession();
        BufferedSink update;
        ASSERT_TRUE(writer->Execute("BEGIN TRAN UPDATE Orders SET Freight = 777 WHERE OrderID = 3", update))
            << Describe(update);
    }
    void TearDown() override
    {
        if (writer) {
            BufferedSink end;
            writer->Execute("IF @@TRANCOUNT > 0 ROLLBACK", end);
        }
    }

    // Runs on the fixture's session with a zero lock time-out, so a read that
    // would wait fails at once with 1222 instead.
    BufferedSink RunWithoutWaiting(const std::string& batch) { return Run("SET LOCK_TIMEOUT 0 " + batch); }

    std::unique_ptr<Session> writer;
};

struct RowReadCase {
    const char* query;
    bool waits;
};

class RowLockReadTest : public RowLockTest, public ::testing::WithParamInterface<RowReadCase> {};

TEST_P(RowLockReadTest, ReadsWaitOnlyForTheRowsTheyMeet)
{
    const RowReadCase& c = GetParam();
    BufferedSink sink = RunWithoutWaiting(c.query);
    if (c.waits) {
        ASSERT_TRUE(sink.HasError()) << c.query;
        EXPECT_EQ(sink.FirstError()->number, 1222) << c.query;
        return;
    }
    EXPECT_FALSE(sink.HasError()) << c.query << "\n" << Describe(sink);
    ASSERT_EQ(sink.resultSets.size(), 1u) << c.query;
    EXPECT_FALSE(sink.resultSets[0].rows.empty()) << c.query;
}

INSTANTIATE_TEST_SUITE_P(
    Queries, RowLockReadTest,
    ::testing::Values(RowReadCase{"SELECT Freight FROM Orders WHERE OrderID = 4", false},
                      RowReadCase{"SELECT o.Freight FROM Orders AS o WHERE o.OrderID IN (1, 2, 5)", false},
                      RowReadCase{"SELECT COUNT(*) FROM Customers", false},
                      RowReadCase{"SELECT Orders.Freight FROM Orders WHERE Orders.OrderID = 3", true},
                      RowReadCase{"SELECT SUM(Freight) FROM Orders", true},
                      RowReadCase{"SELECT Freight INTO #held FROM Orders", true},
                      RowReadCase{"IF EXISTS (SELECT * FROM Orders WHERE OrderID = 3) SELECT 1", true},
                      RowReadCase{"IF EXISTS (SELECT * FROM Orders WHERE OrderID = 4) SELECT 1", false},
                      RowReadCase{"SELECT c.CustomerID FROM Customers c JOIN Orders o ON o.CustomerID = c.CustomerID",
                               true},
                      // Dirty reads never wait; a repeatable read outside a transaction reads as committed.
                      RowReadCase{"SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED SELECT SUM(Freight) FROM Orders",
                                  false},
                      RowReadCase{"SET TRANSACTION ISOLATION LEVEL REPEATABLE READ SELECT SUM(Freight) FROM Orders",
                                  true}));

TEST_F(RowLockTest, AWaitingReaderReadsWhatTheWriterCommitted)
{
    auto reader = NewSession();
    BufferedSink read;
    auto pending = std::async(std::launch::async, [&] {
        return reader->Execute("SELECT Freight FROM Orders WHERE OrderID = 3", read);
    });
    EXPECT_EQ(pending.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);

    // Others see the reader blocked by the writer on the row's key.
    BufferedSink processes = Run("SELECT blocked, rtrim(lastwaittype), rtrim(waitresource) FROM master..sysprocesses "
                                 "WHERE spid = " + std::to_string(reader->Spid()));
    ASSERT_FALSE(processes.HasError()) << Describe(processes);
    ASSERT_EQ(processes.resultSets[0].rows.size(), 1u);
    EXPECT_EQ(processes.resultSets[0].rows[0][0].ToText(), std::to_string(writer->Spid()));
    EXPECT_EQ(processes.resultSets[0].rows[0][1].ToText(), "LCK_M_S");
    EXPECT_EQ(processes.resultSets[0].rows[0][2].ToText().rfind("KEY: ", 0), 0u);

    BufferedSink commit;
    ASSERT_TRUE(writer->Execute("COMMIT", commit)) << Describe(commit);
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_TRUE(pending.get()) << Describe(read);
    ASSERT_EQ(read.resultSets.size(), 1u);
    EXPECT_EQ(read.resultSets[0].rows[0][0].ToText(), "777.0000");
    // Put the sample back for the other tests.
    EXPECT_FALSE(Run("UPDATE Orders SET Freight = Freight WHERE OrderID = 3").HasError());
}

TEST_F(RowLockTest, CancelEndsAWaitForARow)
{
    auto reader = NewSession();
    BufferedSink read;
    auto pending = std::async(std::launch::async, [&] {
        return reader->Execute("SELECT Freight FROM Orders WHERE OrderID = 3", read);
    });
    ASSERT_EQ(pending.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
    reader->Cancel();
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_FALSE(pending.get());
    EXPECT_TRUE(read.resultSets.empty());
    bool cancelled = false;
    for (const Message& m : read.messages)
        cancelled = cancelled || m.text == "Query was cancelled by user.";
    EXPECT_TRUE(cancelled) << Describe(read);
    // The session goes on, and the writer's row is still its own.
    BufferedSink after;
    EXPECT_TRUE(reader->Execute("SET LOCK_TIMEOUT 0 SELECT Freight FROM Orders WHERE OrderID = 4", after))
        << Describe(after);
}

TEST_F(RowLockTest, WritersInOneDatabaseTakeTurnsAndLocksEndWithTheTransaction)
{
    BufferedSink second = RunWithoutWaiting("UPDATE Orders SET Freight = 1 WHERE OrderID = 4");
    ASSERT_TRUE(second.HasError());
    EXPECT_EQ(second.FirstError()->number, 1222);

    BufferedSink rollback;
    ASSERT_TRUE(writer->Execute("ROLLBACK", rollback));
    BufferedSink locks = Run("SELECT COUNT(*) FROM master..syslockinfo WHERE rsc_type IN (5, 7, 9) AND req_spid = " +
                             std::to_string(writer->Spid()));
    EXPECT_EQ(locks.resultSets[0].rows[0][0].ToText(), "0");
    EXPECT_FALSE(RunWithoutWaiting("SELECT SUM(Freight) FROM Orders").HasError());
}

TEST_F(ServerTest, ManyChangedRowsLockTheTableInstead)
{
    BufferedSink made = Run("CREATE TABLE ManyRows (n int NOT NULL)\n"
                            "INSERT INTO ManyRows (n) SELECT o.OrderID FROM Orders AS o "
                            "CROSS JOIN (SELECT TOP 30 OrderID FROM Orders) AS t");
    ASSERT_FALSE(made.HasError()) << Describe(made);
    auto writer = NewSession();
    BufferedSink update;
    ASSERT_TRUE(writer->Execute("BEGIN TRAN UPDATE ManyRows SET n = n + 1", update)) << Describe(update);

    BufferedSink locks = Run("SELECT rsc_type, req_mode FROM master..syslockinfo WHERE rsc_objid = "
                             "object_id('ManyRows') AND req_spid = " + std::to_string(writer->Spid()));
    ASSERT_FALSE(locks.HasError()) << Describe(locks);
    ASSERT_EQ(locks.resultSets[0].rows.size(), 1u);
    EXPECT_EQ(locks.resultSets[0].rows[0][0].ToText(), "5");
    EXPECT_EQ(locks.resultSets[0].rows[0][1].ToText(), "5");
    BufferedSink read = Run("SET LOCK_TIMEOUT 0 SELECT COUNT(*) FROM ManyRows WHERE n = -1");
    ASSERT_TRUE(read.HasError());
    EXPECT_EQ(read.FirstError()->number, 1222);

    BufferedSink end;
    writer->Execute("ROLLBACK", end);
    EXPECT_FALSE(Run("SET LOCK_TIMEOUT -1 DROP TABLE ManyRows").HasError());
}

} // namespace tw::server::test
