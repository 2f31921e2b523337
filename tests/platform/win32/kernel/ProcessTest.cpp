#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/kernel/Files.h"
#include "platform/win32/kernel/Process.h"
#include "platform/win32/kernel/Sync.h"

namespace tw_process_test {

struct SplitCase {
    const char* line;
    std::vector<std::string> args;
};

TEST(CommandLine, SplitsByThePlatformRules)
{
    const SplitCase cases[] = {
        {"", {}},
        {"   ", {}},
        {"prog", {"prog"}},
        {"prog a b", {"prog", "a", "b"}},
        {"prog  \t a\t\tb  ", {"prog", "a", "b"}},
        {"\"C:\\Program Files\\x.exe\" arg", {"C:\\Program Files\\x.exe", "arg"}},
        {"C:\\dir\\prog.exe \"a b\" c", {"C:\\dir\\prog.exe", "a b", "c"}},
        {"p a\\b", {"p", "a\\b"}},
        {"p a\\\\b", {"p", "a\\\\b"}},
        {"p \"a\\\\\" b", {"p", "a\\", "b"}},
        {"p a\\\"b", {"p", "a\"b"}},
        {"p a\\\\\\\"b", {"p", "a\\\"b"}},
        {"p \"a\"\"b\"", {"p", "a\"b"}},
        {"p \"\"", {"p", ""}},
        {"p ab\"c d\"ef", {"p", "abc def"}},
        {"p \"unterminated arg", {"p", "unterminated arg"}},
        {"net send * \"hello there\"", {"net", "send", "*", "hello there"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tw::SplitCommandLine(c.line), c.args) << "line: " << c.line;
}

TEST(Processes, RunsAProgramWithItsArgumentsAndReportsItsExitCode)
{
    std::string command = "sh -c \"echo \\\"$0\\\" > out.txt; exit 3\" \"two words\"";
    STARTUPINFO si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcess(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                              &si, &pi));
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
    EXPECT_EQ(code, 3u);
    EXPECT_EQ(WaitForSingleObject(pi.hThread, 0), WAIT_OBJECT_0);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::ifstream in("out.txt");
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "two words");
}

TEST(Processes, StillActiveUntilTerminated)
{
    std::string command = "sleep 30";
    STARTUPINFO si{};
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcess(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 20), static_cast<DWORD>(WAIT_TIMEOUT));
    ASSERT_TRUE(TerminateProcess(pi.hProcess, 9));
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 9u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

TEST(Processes, MissingProgramFailsWithoutAShell)
{
    std::string command = "Net Send somebody hello";
    STARTUPINFO si{};
    PROCESS_INFORMATION pi{};
    EXPECT_FALSE(CreateProcess(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &si, &pi));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    // Shell syntax is passed as plain arguments, never interpreted.
    std::string injected = "echo hi; touch injected.txt";
    ASSERT_TRUE(CreateProcess(nullptr, injected.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(GetFileAttributes("injected.txt"), INVALID_FILE_ATTRIBUTES);
}

TEST(Processes, AMissingStartingFolderIsRefusedBeforeAnythingRuns)
{
    std::string command = "sh -c \"touch ran.txt\"";
    STARTUPINFO si{};
    PROCESS_INFORMATION pi{};
    EXPECT_FALSE(CreateProcess(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, "no-such-folder", &si,
                               &pi));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
    std::ofstream("plain.txt") << "x";
    EXPECT_FALSE(CreateProcess(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, "plain.txt", &si, &pi));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_EQ(GetFileAttributes("ran.txt"), INVALID_FILE_ATTRIBUTES);
}

TEST(Processes, BinaryTypeTellsProgramsFromOtherFiles)
{
    std::ofstream("tool.sh") << "#!/bin/sh\n";
    std::ofstream("notes.txt") << "text";
    ASSERT_EQ(chmod("tool.sh", 0755), 0);
    ASSERT_TRUE(CreateDirectory("folder", nullptr));
    struct Case {
        const char* path;
        BOOL program;
        DWORD error;
    };
    const Case cases[] = {
        {"tool.sh", TRUE, 0},
        {".\\TOOL.SH", TRUE, 0},
        {"notes.txt", FALSE, ERROR_BAD_EXE_FORMAT},
        {"folder", FALSE, ERROR_BAD_EXE_FORMAT},
        {"missing.exe", FALSE, ERROR_FILE_NOT_FOUND},
    };
    for (const auto& c : cases) {
        DWORD type = 99;
        EXPECT_EQ(GetBinaryType(c.path, &type), c.program) << c.path;
        if (c.program)
            EXPECT_EQ(type, static_cast<DWORD>(SCS_64BIT_BINARY)) << c.path;
        else
            EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
}

}  // namespace tw_process_test
