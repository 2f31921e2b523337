// One embedded server per test program, opened in the test's working
// directory (so the sample database is built once), and helpers to run a batch.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/server/BufferedSink.h"
#include "platform/server/Server.h"

namespace tw::server::test {

class ServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    // Runs a batch on the fixture's session and keeps everything it produced.
    BufferedSink Run(const std::string& batch);
    // Runs a batch that must succeed and returns its first result set.
    ResultSet Query(const std::string& batch);
    std::unique_ptr<Session> NewSession(const std::string& database = Server::kSampleDatabase);

    static Server& TheServer();
    std::unique_ptr<Session> session;
};

// The batches of a script file, split at lines holding only GO, as a query tool does.
std::vector<std::string> ScriptBatches(const std::filesystem::path& file);

// The text of every message, one per line, for failure output.
std::string Describe(const BufferedSink& sink);
// The first error as "number text", else every row of every result set, ";" between rows.
std::string Outcome(const BufferedSink& sink);
// Each row of a result set as its values' text joined by '|'.
std::vector<std::string> Rows(const ResultSet& set);

// SELECT <expression> gives one value; tables of them are instantiated where their topic is.
struct ExpressionCase {
    const char* expression;
    const char* expected; // Value::ToText of the single result
};

class ExpressionTest : public ServerTest, public ::testing::WithParamInterface<ExpressionCase> {};

} // namespace tw::server::test
