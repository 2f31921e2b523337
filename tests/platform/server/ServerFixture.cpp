#include "ServerFixture.h"

#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace tw::server::test {

namespace {
std::shared_ptr<Server> g_server;
}

namespace fixture_detail {

namespace fs = std::filesystem;

// Every test process starts from a fresh sample database. Building one takes
// far longer than copying it, so the first process of a build of this program
// leaves one in the temporary folder for the others.
// The folders of one program share a prefix; the build stamp follows it.
std::string TemplatePrefix(const fs::path& program)
{
    return "tw-server-template-" + std::to_string(std::hash<std::string>{}(program.string())) + "-";
}

fs::path TemplateFolder()
{
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return fs::path();
    const auto stamp = fs::last_write_time(program, ec).time_since_epoch().count();
    return fs::temp_directory_path(ec) / (TemplatePrefix(program) + std::to_string(stamp));
}

// Templates of earlier builds of this program are of no further use: each
// build keeps one. A process of an older build still copying from one falls
// back to building its own database.
void RemoveOlderTemplates(const fs::path& current)
{
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return;
    const std::string prefix = TemplatePrefix(program);
    const std::string keep = current.filename().string();
    std::vector<fs::path> stale;
    for (const fs::directory_entry& entry : fs::directory_iterator(current.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && name.rfind(keep, 0) != 0)
            stale.push_back(entry.path());
    }
    for (const fs::path& folder : stale)
        fs::remove_all(folder, ec);
}

bool HasTemplate(const fs::path& folder)
{
    std::error_code ec;
    return fs::exists(folder / "data" / "server" / "master.db", ec);
}

bool MakeTemplate(const fs::path& folder)
{
    if (HasTemplate(folder))
        return true;
    std::error_code ec;
    const fs::path staging = folder.string() + ".building-" + std::to_string(::getpid());
    fs::create_directories(staging, ec);
    {
        std::string error;
        if (!Server::Open(staging.string(), &error)) {
            fs::remove_all(staging, ec);
            return false;
        }
    }
    // Another process may have finished first: its template is as good.
    fs::rename(staging, folder, ec);
    if (ec)
        fs::remove_all(staging, ec);
    RemoveOlderTemplates(folder);
    return HasTemplate(folder);
}

void CopyTemplateInto(const fs::path& folder, const fs::path& work)
{
    std::error_code ec;
    if (HasTemplate(work))
        return;
    fs::copy(folder / "data", work / "data", fs::copy_options::recursive, ec);
    if (ec)
        fs::remove_all(work / "data", ec); // the server then builds its own
}

} // namespace fixture_detail

void ServerTest::SetUpTestSuite()
{
    if (g_server)
        return;
    const std::filesystem::path work = std::filesystem::current_path();
    const std::filesystem::path folder = fixture_detail::TemplateFolder();
    if (!folder.empty() && fixture_detail::MakeTemplate(folder))
        fixture_detail::CopyTemplateInto(folder, work);
    std::string error;
    // The process's shared server, which opens at the working directory.
    g_server = Server::Shared(&error);
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

std::vector<std::string> Rows(const ResultSet& set)
{
    std::vector<std::string> rows;
    for (const Row& row : set.rows) {
        std::string text;
        for (const Value& v : row)
            text += (text.empty() ? "" : "|") + v.ToText();
        rows.push_back(text);
    }
    return rows;
}

std::string Outcome(const BufferedSink& sink)
{
    if (sink.HasError())
        return std::to_string(sink.FirstError()->number) + " " + sink.FirstError()->text;
    std::string got;
    for (const ResultSet& set : sink.resultSets)
        for (const std::string& row : Rows(set))
            got += (got.empty() ? "" : ";") + row;
    return got;
}

std::vector<std::string> ScriptBatches(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::vector<std::string> batches(1);
    std::string line;
    while (std::getline(in, line)) {
        std::string word;
        std::istringstream(line) >> word;
        for (char& c : word)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (word == "GO" && line.find_first_not_of(" \t\r", line.find_first_of("gG") + 2) == std::string::npos) {
            batches.emplace_back();
            continue;
        }
        batches.back() += line + "\n";
    }
    return batches;
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
