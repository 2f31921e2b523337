// The server's folder and files are its user's alone, whatever the umask, and
// they live in the program's data home, not wherever the program was started.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/server/BufferedSink.h"
#include "platform/server/Server.h"
#include "platform/server/Session.h"
#include "tests/platform/server/ServerFixture.h"
#include "tests/support/Instance.h"

namespace tw::server::test {
namespace {

namespace fs = std::filesystem;

mode_t ModeOf(const fs::path& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

void ExpectPrivate(const fs::path& folder)
{
    EXPECT_EQ(ModeOf(folder), 0700u) << folder;
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        EXPECT_EQ(ModeOf(entry.path()), 0600u) << entry.path();
        ++files;
    }
    EXPECT_GE(files, 2) << "master and the sample database at least";
}

class ServerUnderUmask : public ::testing::TestWithParam<mode_t> {
protected:
    void SetUp() override { saved = umask(GetParam()); }
    void TearDown() override { umask(saved); }
    mode_t saved = 0;
};

TEST_P(ServerUnderUmask, FolderIs0700AndEveryFileIncludingNewDatabases0600)
{
    const fs::path work = fs::current_path() / ("umask" + std::to_string(GetParam()));
    {
        std::string error;
        std::unique_ptr<Server> server = Server::Open(work.string(), &error);
        ASSERT_NE(server, nullptr) << error;
        std::unique_ptr<Session> session = server->Connect(LoginInfo{});
        ASSERT_NE(session, nullptr);
        BufferedSink sink;
        EXPECT_TRUE(session->Execute("CREATE DATABASE Ledger", sink));
        EXPECT_TRUE(session->Execute("CREATE TABLE Ledger..t (a int) INSERT Ledger..t VALUES (1)", sink));
        EXPECT_TRUE(fs::exists(work / "data" / "server" / "Ledger.db"));
        ExpectPrivate(work / "data" / "server");
    }
}

INSTANTIATE_TEST_SUITE_P(Umasks, ServerUnderUmask, ::testing::Values(022, 077));

TEST(ServerFiles, FilesAnOlderVersionLeftOpenAreMadePrivate)
{
    const fs::path work = fs::current_path() / "older";
    {
        std::string error;
        ASSERT_NE(Server::Open(work.string(), &error), nullptr) << error;
    }
    const fs::path folder = work / "data" / "server";
    ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
    ASSERT_EQ(chmod((folder / "master.db").c_str(), 0644), 0);
    std::string error;
    ASSERT_NE(Server::Open(work.string(), &error), nullptr) << error;
    ExpectPrivate(folder);
}

// Another start of the program, from a folder of its own.
TEST(ServerFilesOtherInstance, OpensTheSharedServer)
{
    const char* from = getenv("TW_START_FOLDER");
    if (!from)
        GTEST_SKIP() << "run by the data home test";
    fs::create_directories(from);
    fs::current_path(from);
    std::string error;
    ASSERT_NE(Server::Shared(&error), nullptr) << error;
}

TEST(ServerFiles, TheSharedServerLivesInTheDataHomeWhereverTheProgramStarts)
{
    const fs::path home = fs::current_path() / "home";
    for (const char* start : {"elsewhere", "another"}) {
        const fs::path folder = fs::current_path() / start;
        ASSERT_EQ(tw::test::RunInstance("ServerFilesOtherInstance.OpensTheSharedServer",
                                        {{"TARNWICK_HOME", home.string()}, {"TW_START_FOLDER", folder.string()}}),
                  0);
        EXPECT_FALSE(fs::exists(folder / "data")) << start;
    }
    EXPECT_TRUE(fs::exists(home / "data" / "server" / "master.db"));

    const fs::path xdg = fs::current_path() / "xdg";
    ASSERT_EQ(tw::test::RunInstance("ServerFilesOtherInstance.OpensTheSharedServer",
                                    {{"TARNWICK_HOME", ""}, {"XDG_DATA_HOME", xdg.string()},
                                     {"TW_START_FOLDER", (fs::current_path() / "third").string()}}),
              0);
    EXPECT_TRUE(fs::exists(xdg / "tarnwick" / "data" / "server" / "master.db"));
}

std::unique_ptr<Session> Connected(Server& server)
{
    LoginInfo login;
    login.database = Server::kSampleDatabase;
    return server.Connect(login);
}

// Inserts rows for ever, until killed.
TEST(ServerFilesOtherInstance, InsertsUntilKilled)
{
    const char* work = getenv("TW_SERVER_WORK");
    if (!work)
        GTEST_SKIP() << "run by the kill test";
    std::unique_ptr<Server> server = Server::Open(work);
    ASSERT_NE(server, nullptr);
    std::unique_ptr<Session> session = Connected(*server);
    ASSERT_NE(session, nullptr);
    for (int i = 0;; ++i) {
        BufferedSink sink;
        session->Execute("BEGIN TRAN INSERT Pairs VALUES (" + std::to_string(i) + ", 'left') INSERT Pairs VALUES (" +
                             std::to_string(i) + ", 'right') COMMIT",
                         sink);
        if (i == 0)
            std::ofstream(std::string(work) + "/inserting");
    }
}

TEST(ServerFiles, AServerKilledMidTransactionOpensAgainWithWholeTransactionsOnly)
{
    const fs::path work = fs::current_path() / "killed";
    {
        std::string error;
        std::unique_ptr<Server> server = Server::Open(work.string(), &error);
        ASSERT_NE(server, nullptr) << error;
        BufferedSink sink;
        ASSERT_TRUE(Connected(*server)->Execute("CREATE TABLE Pairs (n int, side varchar(10))", sink))
            << Describe(sink);
    }
    for (int round = 0; round < 3; ++round) {
        const pid_t victim = tw::test::StartInstance("ServerFilesOtherInstance.InsertsUntilKilled",
                                                     {{"TW_SERVER_WORK", work.string()}});
        ASSERT_GT(victim, 0);
        // Once it is at work, however slowly the machine starts it.
        const fs::path inserting = work / "inserting";
        for (int wait = 0; wait < 30000 && !fs::exists(inserting); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(50 + 100 * round));
        kill(victim, SIGKILL);
        fs::remove(inserting);
        EXPECT_EQ(tw::test::WaitInstance(victim), 128 + SIGKILL);

        std::string error;
        std::unique_ptr<Server> server = Server::Open(work.string(), &error);
        ASSERT_NE(server, nullptr) << error;
        BufferedSink sink;
        ASSERT_TRUE(Connected(*server)->Execute(
            "SELECT count(*) FROM Pairs SELECT count(*) FROM Pairs GROUP BY n HAVING count(*) % 2 <> 0", sink))
            << Describe(sink);
        EXPECT_NE(sink.resultSets.at(0).rows.at(0).at(0).ToText(), "0");
        EXPECT_TRUE(sink.resultSets.at(1).rows.empty()) << "half a transaction survived";
        ExpectPrivate(work / "data" / "server");
    }
}

TEST(ServerFiles, AFullDiskFailsTheStatementWithAMessageAndKeepsTheData)
{
    const fs::path work = fs::current_path() / "full";
    std::string error;
    std::unique_ptr<Server> server = Server::Open(work.string(), &error);
    ASSERT_NE(server, nullptr) << error;
    std::unique_ptr<Session> session = Connected(*server);
    BufferedSink made;
    ASSERT_TRUE(session->Execute("CREATE TABLE Notes (t varchar(8000)) INSERT Notes VALUES ('kept')", made))
        << Describe(made);

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    uintmax_t largest = 0;
    for (const auto& entry : fs::directory_iterator(work / "data" / "server"))
        largest = std::max<uintmax_t>(largest, entry.file_size());
    rlimit lower = saved;
    lower.rlim_cur = largest + 4096;
    setrlimit(RLIMIT_FSIZE, &lower);
    BufferedSink full;
    std::string batch = "DECLARE @i int SET @i = 0 WHILE @i < 400 BEGIN INSERT Notes VALUES (replicate('x', 8000)) "
                        "SET @i = @i + 1 END";
    session->Execute(batch, full);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_TRUE(full.HasError()) << Describe(full);
    ASSERT_FALSE(full.messages.empty());
    RecordProperty("full_disk_message", full.messages.back().text);

    BufferedSink after;
    ASSERT_TRUE(session->Execute("SELECT t FROM Notes WHERE t = 'kept'", after)) << Describe(after);
    EXPECT_EQ(after.resultSets.at(0).rows.size(), 1u);
}

}  // namespace
}  // namespace tw::server::test
