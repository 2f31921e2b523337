// Sessions and locks: a writer's exclusive lock blocks readers until its
// transaction ends, other sessions see who blocks whom, KILL releases the
// blocked reader, and a deadlock ends one victim with error 1205.
#include <chrono>
#include <future>
#include <thread>

#include "ServerFixture.h"

namespace tw::server::test {

namespace {

std::string Cell(const BufferedSink& sink, size_t row, const std::string& column)
{
    if (sink.resultSets.empty())
        return "<no result>";
    const ResultSet& r = sink.resultSets.back();
    const int index = r.ColumnIndex(column);
    if (index < 0 || row >= r.rows.size())
        return "<none>";
    return r.rows[row][index].ToText();
}

} // namespace

TEST_F(ServerTest, KillOfABlockingWriterReleasesTheReaderWithRolledBackData)
{
    auto writer = NewSession();
    auto reader = NewSession();
    auto watcher = NewSession("master");
    const std::string before = Query("SELECT Freight FROM Orders WHERE OrderID = 3").rows[0][0].ToText();

    BufferedSink update;
    ASSERT_TRUE(writer->Execute("BEGIN TRAN UPDATE Orders SET Freight = 999 WHERE OrderID = 3", update));

    BufferedSink read;
    auto pending = std::async(std::launch::async, [&] {
        return reader->Execute("SELECT Freight FROM Orders WHERE OrderID = 3", read);
    });
    EXPECT_EQ(pending.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);

    BufferedSink processes;
    watcher->Execute("SELECT blocked, rtrim(lastwaittype) AS lastwaittype FROM sysprocesses WHERE spid = " + std::to_string(reader->Spid()),
                     processes);
    EXPECT_EQ(Cell(processes, 0, "blocked"), std::to_string(writer->Spid())) << Describe(processes);
    EXPECT_EQ(Cell(processes, 0, "lastwaittype"), "LCK_M_S");

    // The writer holds the row exclusively (a key of the clustered index) and the table with intent.
    BufferedSink locks;
    watcher->Execute("SELECT rsc_type, req_mode, req_status FROM syslockinfo WHERE rsc_type IN (5, 7, 9) AND "
                     "rsc_objid = object_id('TarnSample..Orders') AND req_spid = " + std::to_string(writer->Spid()) +
                         " ORDER BY rsc_type",
                     locks);
    EXPECT_EQ(Cell(locks, 0, "rsc_type"), "5");
    EXPECT_EQ(Cell(locks, 0, "req_mode"), "8");
    EXPECT_EQ(Cell(locks, 1, "rsc_type"), "7");
    EXPECT_EQ(Cell(locks, 1, "req_mode"), "5");
    EXPECT_EQ(Cell(locks, 1, "req_status"), "1");

    BufferedSink kill;
    watcher->Execute("KILL " + std::to_string(writer->Spid()), kill);
    ASSERT_FALSE(kill.HasError()) << Describe(kill);
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_TRUE(pending.get()) << Describe(read);
    ASSERT_FALSE(read.resultSets.empty());
    EXPECT_EQ(read.resultSets[0].rows[0][0].ToText(), before);
}

TEST_F(ServerTest, LockTimeoutEndsTheWait)
{
    auto writer = NewSession();
    BufferedSink update;
    ASSERT_TRUE(writer->Execute("BEGIN TRAN UPDATE Products SET UnitsInStock = UnitsInStock WHERE ProductID = 1",
                                update));
    BufferedSink read = Run("SET LOCK_TIMEOUT 50 SELECT * FROM Products");
    ASSERT_TRUE(read.HasError());
    EXPECT_EQ(read.FirstError()->number, 1222);
    BufferedSink end;
    writer->Execute("ROLLBACK", end);
    EXPECT_FALSE(Run("SET LOCK_TIMEOUT -1 SELECT COUNT(*) FROM Products").HasError());
}

TEST_F(ServerTest, DeadlockEndsOneVictimWith1205)
{
    auto first = NewSession();
    auto second = NewSession();
    BufferedSink a, b;
    ASSERT_TRUE(first->Execute("BEGIN TRAN UPDATE Customers SET Phone = Phone WHERE CustomerID = 1", a)) << Describe(a);
    ASSERT_TRUE(second->Execute("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ BEGIN TRAN "
                                "SELECT COUNT(*) FROM Orders", b)) << Describe(b);
    // The second waits for the first's write; the first then needs what the second reads.
    BufferedSink secondWaits;
    auto pending = std::async(std::launch::async, [&] {
        return second->Execute("UPDATE Customers SET Phone = Phone WHERE CustomerID = 2", secondWaits);
    });
    EXPECT_EQ(pending.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    BufferedSink closesCycle;
    first->Execute("UPDATE Orders SET Freight = Freight WHERE OrderID = 1", closesCycle);
    ASSERT_TRUE(closesCycle.HasError());
    EXPECT_EQ(closesCycle.FirstError()->number, 1205);
    EXPECT_EQ(first->TranCount(), 0);
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_TRUE(pending.get()) << Describe(secondWaits);
    BufferedSink end;
    second->Execute("ROLLBACK SET TRANSACTION ISOLATION LEVEL READ COMMITTED", end);
}

} // namespace tw::server::test
