// A Cancel racing the start of a batch, and row counts that say whether they
// are a result set's own count.
#include <atomic>
#include <filesystem>
#include <thread>

#include "ServerFixture.h"

namespace tw::server::test {

namespace cancelcount_detail {

constexpr const char* kLongQuery = "SELECT COUNT(*) FROM Orders a, Orders b, Orders c, [Order Details] d";

bool WasCancelled(const BufferedSink& sink)
{
    for (const Message& m : sink.messages)
        if (m.text == "Query was cancelled by user.")
            return true;
    return false;
}

std::vector<std::pair<int64_t, RowCountOf>> CountsOf(const BufferedSink& sink)
{
    std::vector<std::pair<int64_t, RowCountOf>> counts;
    for (const BufferedSink::Event& e : sink.events)
        if (e.kind == BufferedSink::EventKind::RowCount)
            counts.emplace_back(e.number, e.countOf);
    return counts;
}

} // namespace cancelcount_detail

TEST_F(ServerTest, CancelAsABatchStartsIsNotLost)
{
    using cancelcount_detail::WasCancelled;
    // Each round cancels as soon as Execute has been called, so most cancels
    // land while the batch is still being set up.
    for (int round = 0; round < 40; ++round) {
        BufferedSink sink;
        std::atomic<bool> done{false};
        std::thread runner([&] {
            session->Execute(cancelcount_detail::kLongQuery, sink);
            done = true;
        });
        while (!session->IsExecuting() && !done)
            std::this_thread::yield();
        session->Cancel();
        // Only a lost cancel leaves the query running; end it so that the
        // failure is reported instead of the test hanging.
        bool rescued = false;
        for (int waited = 0; !done && waited < 3000; ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!done) {
            rescued = true;
            session->Cancel();
        }
        runner.join();
        ASSERT_FALSE(rescued) << "round " << round << ": the cancel was lost";
        ASSERT_TRUE(WasCancelled(sink)) << "round " << round << ": " << Describe(sink);
    }
    EXPECT_EQ(Run("SELECT 42").resultSets.at(0).rows.at(0)[0].ToText(), "42");
}

TEST_F(ServerTest, CancelWithNoBatchDoesNotReachTheNextOne)
{
    session->Cancel();
    EXPECT_FALSE(session->IsExecuting());
    BufferedSink after = Run("SELECT 42");
    EXPECT_FALSE(cancelcount_detail::WasCancelled(after)) << Describe(after);
    ASSERT_EQ(after.resultSets.size(), 1u);
    EXPECT_EQ(after.resultSets[0].rows.at(0)[0].ToText(), "42");
}

TEST_F(ServerTest, CancelOfAFinishedBatchDoesNotReachTheNextOne)
{
    BufferedSink sink;
    std::thread runner([&] { session->Execute(cancelcount_detail::kLongQuery, sink); });
    while (!session->IsExecuting())
        std::this_thread::yield();
    session->Cancel();
    runner.join();
    session->Cancel();
    BufferedSink after = Run("SELECT 42");
    EXPECT_FALSE(cancelcount_detail::WasCancelled(after)) << Describe(after);
}

struct CountCase {
    const char* name;
    const char* batch;
    std::vector<std::pair<int64_t, RowCountOf>> counts;
};

class RowCountOrigin : public ServerTest, public ::testing::WithParamInterface<CountCase> {};

TEST_P(RowCountOrigin, EachCountSaysWhatItCounts)
{
    const CountCase& c = GetParam();
    BufferedSink sink = Run(c.batch);
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(cancelcount_detail::CountsOf(sink), c.counts);
}

// Equal counts on both sides of a result set, with NOCOUNT switched mid-batch.
INSTANTIATE_TEST_SUITE_P(
    Batches, RowCountOrigin,
    ::testing::Values(
        CountCase{"SelectThenUpdate",
                  "SET NOCOUNT ON CREATE TABLE #rc (n int) INSERT INTO #rc VALUES (1) INSERT INTO #rc VALUES (2) "
                  "SET NOCOUNT OFF SELECT n FROM #rc UPDATE #rc SET n = n + 1",
                  {{2, RowCountOf::ResultSet}, {2, RowCountOf::Statement}}},
        CountCase{"NoCountSelectThenUpdate",
                  "SET NOCOUNT ON CREATE TABLE #rc (n int) INSERT INTO #rc VALUES (1) INSERT INTO #rc VALUES (2) "
                  "SELECT n FROM #rc SET NOCOUNT OFF UPDATE #rc SET n = n + 1",
                  {{2, RowCountOf::Statement}}},
        CountCase{"SelectOfValuesAndAssignment",
                  "SET NOCOUNT OFF DECLARE @v int SELECT 1 UNION ALL SELECT 2 SELECT @v = n FROM (SELECT 1 AS n) x",
                  {{2, RowCountOf::ResultSet}, {1, RowCountOf::Statement}}}),
    [](const ::testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

} // namespace tw::server::test

namespace tw::server::test {

TEST_F(ServerTest, SharedServerIsOneInstanceUnderTheWorkingDirectory)
{
    std::shared_ptr<Server> first = Server::Shared();
    std::shared_ptr<Server> second = Server::Shared();
    ASSERT_TRUE(first);
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(first.get(), &TheServer());
    EXPECT_EQ(first->DataDirectory(), (std::filesystem::current_path() / "data" / "server").string());

    // Sessions from either handle are sessions of the same server.
    std::unique_ptr<Session> other = second->Connect(LoginInfo{});
    ASSERT_TRUE(other);
    ResultSet seen = Query("SELECT COUNT(*) FROM master..sysprocesses WHERE spid = " + std::to_string(other->Spid()));
    EXPECT_EQ(seen.rows.at(0)[0].ToText(), "1");
}

} // namespace tw::server::test
