// The recorder tests use to see what the program sent: every batch a client
// connection hands the server, in arrival order, per connection and for the
// whole server, and nothing while no recorder lives.
#include <thread>

#include "ServerFixture.h"
#include "platform/server/BatchRecorder.h"

namespace tw::server::test {

class BatchRecorderTest : public ServerTest {};

TEST_F(BatchRecorderTest, NotesEachConnectionsBatchesExactlyInArrivalOrder)
{
    auto other = NewSession("master");
    BatchRecorder recorder;
    const std::string withLineEnds = "use TarnSample;\r\nSelect top 1 * From dbo.Orders;\r\n";
    Run(withLineEnds);
    BufferedSink sink;
    other->Execute("select db_name()", sink);
    Run("select no_such_column from Orders"); // a failing batch was still received
    Run("exec('select 1')");                  // the inner text is not sent by the connection

    const auto batches = recorder.Batches();
    ASSERT_EQ(batches.size(), 4u);
    EXPECT_EQ(batches[0].text, withLineEnds);
    EXPECT_EQ(batches[0].spid, session->Spid());
    EXPECT_EQ(batches[0].login, "sa");
    EXPECT_EQ(batches[1].spid, other->Spid());
    EXPECT_EQ(batches[1].database, "master");
    EXPECT_EQ(batches[3].database, "TarnSample") << "the database current when the batch arrived";

    EXPECT_EQ(recorder.Spids(), (std::vector<int>{session->Spid(), other->Spid()}));
    EXPECT_EQ(recorder.TextsOf(other->Spid()), std::vector<std::string>{"select db_name()"});
    EXPECT_EQ(recorder.TextsOf(session->Spid()),
              (std::vector<std::string>{withLineEnds, "select no_such_column from Orders", "exec('select 1')"}));
}

TEST_F(BatchRecorderTest, RecordsOnlyWhileInstalledAndEachRecorderFromItsOwnStart)
{
    Run("select 'before'");
    std::vector<std::string> firstSaw;
    {
        BatchRecorder first;
        Run("select 'one'");
        {
            BatchRecorder second;
            Run("select 'two'");
            EXPECT_EQ(second.Texts(), std::vector<std::string>{"select 'two'"});
        }
        first.Clear();
        Run("select 'three'");
        firstSaw = first.Texts();
    }
    EXPECT_EQ(firstSaw, std::vector<std::string>{"select 'three'"});
    Run("select 'after'");
    BatchRecorder fresh;
    EXPECT_TRUE(fresh.Batches().empty());
}

TEST_F(BatchRecorderTest, KeepsEveryBatchOfConnectionsRunningAtOnce)
{
    constexpr int kThreads = 4;
    constexpr int kBatches = 25;
    std::vector<std::unique_ptr<Session>> sessions;
    for (int t = 0; t < kThreads; ++t)
        sessions.push_back(NewSession());
    BatchRecorder recorder;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kBatches; ++i) {
                BufferedSink sink;
                sessions[t]->Execute("select " + std::to_string(i), sink);
            }
        });
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_EQ(recorder.Batches().size(), static_cast<size_t>(kThreads * kBatches));
    for (const auto& s : sessions) {
        const auto texts = recorder.TextsOf(s->Spid());
        ASSERT_EQ(texts.size(), static_cast<size_t>(kBatches));
        for (int i = 0; i < kBatches; ++i)
            EXPECT_EQ(texts[i], "select " + std::to_string(i)) << "spid " << s->Spid();
    }
}

} // namespace tw::server::test
