#include "ServerFixture.h"

#include <filesystem>

namespace tw::server::test {

namespace {
std::unique_ptr<Server> g_server;
}

void ServerTest::SetUpTestSuite()
{
    if (g_server)
        return;
    std::string error;
    g_server = Server::Open(std::filesystem::current_path().string(), &error);
    ASSERT_TRUE(g_server) << error;
}

void ServerTest::TearDownTestSuite() {}

Server& ServerTest::TheServer() { return *g_server; }

void ServerTest::SetUp()
{
    ASSERT_TRUE(g_server);
    session = NewSession();
    ASSERT_TRUE(session);
}

std::unique_ptr<Session> ServerTest::NewSession(const std::string& database)
{
    LoginInfo login;
    login.database = database;
    login.programName = "test_server";
    Message error;
    auto s = g_server->Connect(login, &error);
    EXPECT_TRUE(s) << error.text;
    return s;
}

BufferedSink ServerTest::Run(const std::string& batch)
{
    BufferedSink sink;
    session->Execute(batch, sink);
    return sink;
}

ResultSet ServerTest::Query(const std::string& batch)
{
    BufferedSink sink = Run(batch);
    EXPECT_FALSE(sink.HasError()) << batch << "\n" << Describe(sink);
    EXPECT_FALSE(sink.resultSets.empty()) << batch << "\n" << Describe(sink);
    return sink.resultSets.empty() ? ResultSet{} : sink.resultSets.front();
}

std::string Describe(const BufferedSink& sink)
{
    std::string out;
    for (const Message& m : sink.messages)
        out += "Msg " + std::to_string(m.number) + ", Level " + std::to_string(m.severity) + ", Line " +
               std::to_string(m.line) + ": " + m.text + "\n";
    return out;
}

} // namespace tw::server::test
