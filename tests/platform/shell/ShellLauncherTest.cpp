// What "open" would run, decided without starting anything, and what
// ShellExecute answers with a spawner that only records.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/shell/ShellLauncher.h"
#include "platform/shell/shellapi.h"
#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/winerror.h"

namespace tw::shell {
namespace {

namespace fs = std::filesystem;
using Argv = std::vector<std::string>;

class RecordingSpawner : public ProcessSpawner {
public:
    int Spawn(const Argv& argv, const std::string& directory) override
    {
        calls.push_back(argv);
        directories.push_back(directory);
        return answer;
    }
    std::vector<Argv> calls;
    std::vector<std::string> directories;
    int answer = 0;
};

class ShellOpenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory("docs");
        std::ofstream("docs/report.txt") << "x";
        std::ofstream("-rf.txt") << "x";
        std::ofstream("tool.sh") << "#!/bin/sh\n";
        ::chmod("tool.sh", 0755);
        spawner = std::make_shared<RecordingSpawner>();
        SetProcessSpawner(spawner);
    }
    void TearDown() override { SetProcessSpawner(nullptr); }

    static std::string Here(const std::string& relative) { return (fs::current_path() / relative).string(); }

    std::shared_ptr<RecordingSpawner> spawner;
};

struct AddressCase {
    const char* file;
    Argv argv;
};

TEST_F(ShellOpenTest, AddressesOfTheOpenableSchemesGoToTheOpenerAsOneArgument)
{
    const AddressCase cases[] = {
        {"http://example.org/a b", {"xdg-open", "http://example.org/a b"}},
        {"HTTPS://example.org/?q=1&r=2", {"xdg-open", "HTTPS://example.org/?q=1&r=2"}},
        {"ftp://files.example.org/pub", {"xdg-open", "ftp://files.example.org/pub"}},
        {"mailto:someone@example.org?subject=a;b $(x)", {"xdg-open", "mailto:someone@example.org?subject=a;b $(x)"}},
    };
    for (const auto& c : cases) {
        const auto command = BuildOpenCommand(nullptr, c.file, nullptr, nullptr);
        EXPECT_EQ(command.error, 0) << c.file;
        EXPECT_EQ(command.argv, c.argv) << c.file;
    }
}

TEST_F(ShellOpenTest, RefusalsCarryTheShellErrorAndNoCommand)
{
    struct Refusal {
        const char* verb;
        const char* file;
        int error;
    } const cases[] = {
        {nullptr, "javascript:alert(1)", SE_ERR_NOASSOC},
        {nullptr, "file:///etc/passwd", SE_ERR_NOASSOC},
        {nullptr, "ms-help://topic", SE_ERR_NOASSOC},
        {"print", "docs/report.txt", SE_ERR_NOASSOC},
        {"edit", "http://example.org", SE_ERR_NOASSOC},
        {nullptr, nullptr, SE_ERR_FNF},
        {nullptr, "", SE_ERR_FNF},
        {nullptr, "docs/missing.txt", SE_ERR_FNF},
        {nullptr, "nowhere/missing.txt", SE_ERR_PNF},
    };
    for (const auto& c : cases) {
        const auto command = BuildOpenCommand(c.verb, c.file, nullptr, nullptr);
        EXPECT_EQ(command.error, c.error) << (c.file ? c.file : "(null)");
        EXPECT_TRUE(command.argv.empty()) << (c.file ? c.file : "(null)");
    }
}

TEST_F(ShellOpenTest, LocalFilesOpenByAbsolutePathFromTheGivenDirectory)
{
    const Argv expected{"xdg-open", Here("docs/report.txt")};
    EXPECT_EQ(BuildOpenCommand("open", "docs/report.txt", nullptr, nullptr).argv, expected);
    EXPECT_EQ(BuildOpenCommand("OPEN", "docs\\report.txt", nullptr, nullptr).argv, expected);
    EXPECT_EQ(BuildOpenCommand(nullptr, "report.txt", nullptr, "docs").argv, expected);
    EXPECT_EQ(BuildOpenCommand(nullptr, "C.txt", nullptr, nullptr).error, SE_ERR_FNF) << "one letter is no scheme";
}

TEST_F(ShellOpenTest, AFileNamedLikeAnOptionIsNeverTakenForOne)
{
    const auto command = BuildOpenCommand(nullptr, "-rf.txt", nullptr, nullptr);
    ASSERT_EQ(command.argv.size(), 2u);
    EXPECT_EQ(command.argv[1], Here("-rf.txt"));
}

TEST_F(ShellOpenTest, AnExecutableRunsItselfWithItsParametersSplitNotThroughAShell)
{
    const auto command = BuildOpenCommand(nullptr, "tool.sh", "one \"two words\" ; rm -rf ~", "");
    EXPECT_EQ(command.argv, (Argv{Here("tool.sh"), "one", "two words", ";", "rm", "-rf", "~"}));
}

TEST(SplitCommandLineTest, QuotesAndBackslashesFollowThePlatformRules)
{
    const struct {
        const char* line;
        Argv words;
    } cases[] = {
        {"", {}},
        {"  a   b\tc ", {"a", "b", "c"}},
        {"\"a b\" c", {"a b", "c"}},
        {"\"\"", {""}},
        {"a\\\\b", {"a\\\\b"}},
        {"a\\\"b", {"a\"b"}},
        {"a\\\\\"b c\"", {"a\\b c"}},
        {"C:\\Program Files\\x", {"C:\\Program", "Files\\x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line;
}

TEST_F(ShellOpenTest, ShellExecuteSpawnsOnlyWhatItAcceptsAndAnswersAboveThirtyTwo)
{
    const auto done = reinterpret_cast<INT_PTR>(
        ShellExecute(nullptr, nullptr, "http://example.org", nullptr, nullptr, SW_HIDE));
    EXPECT_GT(done, 32);
    ASSERT_EQ(spawner->calls.size(), 1u);
    EXPECT_EQ(spawner->calls[0], (Argv{"xdg-open", "http://example.org"}));

    const auto refused = reinterpret_cast<INT_PTR>(
        ShellExecute(nullptr, nullptr, "javascript:alert(1)", nullptr, nullptr, SW_SHOWNORMAL));
    EXPECT_EQ(refused, SE_ERR_NOASSOC);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_ASSOCIATION));
    const auto missing = reinterpret_cast<INT_PTR>(
        ShellExecute(nullptr, "open", "docs/none.chm", nullptr, nullptr, SW_SHOWNORMAL));
    EXPECT_EQ(missing, SE_ERR_FNF);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(spawner->calls.size(), 1u) << "refusals start nothing";
}

TEST_F(ShellOpenTest, AMissingOpenerIsReportedAsNoAssociation)
{
    spawner->answer = ENOENT;
    const auto answer = reinterpret_cast<INT_PTR>(
        ShellExecute(nullptr, nullptr, "https://example.org", nullptr, nullptr, SW_SHOWNORMAL));
    EXPECT_EQ(answer, SE_ERR_NOASSOC);
}

TEST_F(ShellOpenTest, ShellExecuteExChecksItsRecordAndFillsInTheAnswer)
{
    SHELLEXECUTEINFO info{};
    info.cbSize = sizeof info;
    info.lpFile = "docs/report.txt";
    EXPECT_TRUE(ShellExecuteEx(&info));
    EXPECT_GT(reinterpret_cast<INT_PTR>(info.hInstApp), 32);
    EXPECT_EQ(spawner->calls.back(), (Argv{"xdg-open", Here("docs/report.txt")}));

    info.lpFile = "gopher://old";
    EXPECT_FALSE(ShellExecuteEx(&info));
    EXPECT_EQ(reinterpret_cast<INT_PTR>(info.hInstApp), SE_ERR_NOASSOC);

    SHELLEXECUTEINFO wrongSize{};
    wrongSize.cbSize = 12;
    wrongSize.lpFile = "docs/report.txt";
    EXPECT_FALSE(ShellExecuteEx(&wrongSize));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(spawner->calls.size(), 1u);
}

}  // namespace
}  // namespace tw::shell
