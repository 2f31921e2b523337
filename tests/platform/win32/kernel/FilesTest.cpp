#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "platform/win32/kernel/Files.h"
#include "platform/win32/kernel/Modules.h"

namespace tw_files_test {

std::string FileText(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void MakeFile(const char* path, const char* text)
{
    std::ofstream(path, std::ios::binary) << text;
}

HANDLE OpenForRead(const char* path, DWORD share)
{
    return CreateFile(path, GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
}

TEST(Files, WriteSeekReadAndTruncate)
{
    HANDLE h = CreateFile("data.bin", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(h, "hello world", 11, &written, nullptr));
    EXPECT_EQ(written, 11u);
    EXPECT_EQ(GetFileSize(h, nullptr), 11u);
    EXPECT_EQ(SetFilePointer(h, 6, nullptr, FILE_BEGIN), 6u);
    char buffer[16] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(std::string(buffer, read), "world");
    ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(read, 0u);  // end of file is success with nothing read
    EXPECT_EQ(SetFilePointer(h, -6, nullptr, FILE_END), 5u);
    ASSERT_TRUE(SetEndOfFile(h));
    EXPECT_EQ(GetFileSize(h, nullptr), 5u);
    EXPECT_EQ(SetFilePointer(h, -10, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    CloseHandle(h);
    EXPECT_EQ(FileText("data.bin"), "hello");
}

TEST(Files, CreationDispositions)
{
    struct Case {
        DWORD disposition;
        bool exists;
        bool opens;
        DWORD lastError;
        const char* contentAfter;
    };
    const Case cases[] = {
        {CREATE_NEW, false, true, ERROR_SUCCESS, ""},
        {CREATE_NEW, true, false, ERROR_FILE_EXISTS, "old"},
        {CREATE_ALWAYS, false, true, ERROR_SUCCESS, ""},
        {CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
        {OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
        {OPEN_EXISTING, true, true, ERROR_SUCCESS, "old"},
        {OPEN_ALWAYS, false, true, ERROR_SUCCESS, ""},
        {OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "old"},
        {TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
        {TRUNCATE_EXISTING, true, true, ERROR_SUCCESS, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "disposition " << c.disposition << " exists " << c.exists);
        DeleteFile("disp.txt");
        if (c.exists)
            MakeFile("disp.txt", "old");
        HANDLE h = CreateFile("disp.txt", GENERIC_READ | GENERIC_WRITE, 0, nullptr, c.disposition, 0, nullptr);
        const DWORD error = GetLastError();
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens);
        EXPECT_EQ(error, c.lastError);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
        if (c.contentAfter) {
            EXPECT_EQ(FileText("disp.txt"), c.contentAfter);
        }
    }
    EXPECT_EQ(CreateFile("no/such/dir/x", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(Files, ShareModesAreHonouredBetweenOpens)
{
    MakeFile("shared.txt", "keep me");
    struct Case {
        DWORD firstAccess, firstShare, secondAccess, secondShare;
        bool secondOpens;
    };
    const Case cases[] = {
        {GENERIC_READ, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, true},
        {GENERIC_READ, FILE_SHARE_READ, GENERIC_WRITE, FILE_SHARE_READ, false},
        {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, GENERIC_WRITE, FILE_SHARE_READ, true},
        {GENERIC_WRITE, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, false},  // second must share writing
        {GENERIC_WRITE, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
        {GENERIC_READ, 0, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.firstAccess << "/" << c.firstShare << " then "
                                        << c.secondAccess << "/" << c.secondShare);
        HANDLE first = CreateFile("shared.txt", c.firstAccess, c.firstShare, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(first, INVALID_HANDLE_VALUE);
        HANDLE second = CreateFile("shared.txt", c.secondAccess, c.secondShare, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(second != INVALID_HANDLE_VALUE, c.secondOpens);
        if (second == INVALID_HANDLE_VALUE) {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        } else {
            CloseHandle(second);
        }
        CloseHandle(first);
    }
    // A refused CREATE_ALWAYS must not have truncated the file first.
    HANDLE reader = OpenForRead("shared.txt", FILE_SHARE_READ);
    EXPECT_EQ(CreateFile("shared.txt", GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(FileText("shared.txt"), "keep me");
    EXPECT_FALSE(DeleteFile("shared.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(reader);
    EXPECT_TRUE(DeleteFile("shared.txt"));
}

TEST(Files, DeleteOnCloseRemovesTheFileWithTheLastHandle)
{
    char folder[MAX_PATH], name[MAX_PATH];
    ASSERT_GT(GetTempPath(MAX_PATH, folder), 0u);
    EXPECT_EQ(folder[strlen(folder) - 1], '/');
    ASSERT_NE(GetTempFileName(".", "Ktv", 0, name), 0u);
    EXPECT_NE(strstr(name, "/Ktv"), nullptr);
    EXPECT_NE(GetFileAttributes(name), INVALID_FILE_ATTRIBUTES);  // the name is reserved by a file
    // Shared: others may open it by name until the last handle closes.
    HANDLE h = CreateFile(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                          CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE | FILE_ATTRIBUTE_TEMPORARY, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(h, "x", 1, &written, nullptr);
    EXPECT_NE(GetFileAttributes(name), INVALID_FILE_ATTRIBUTES);
    CloseHandle(h);
    EXPECT_EQ(GetFileAttributes(name), INVALID_FILE_ATTRIBUTES);
}

TEST(Files, AnUnsharedDeleteOnCloseFileLosesItsNameAtOnceAndKeepsItsData)
{
    char name[MAX_PATH];
    ASSERT_NE(GetTempFileName(".", "Ktv", 0, name), 0u);
    HANDLE h = CreateFile(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_FLAG_DELETE_ON_CLOSE | FILE_ATTRIBUTE_TEMPORARY, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileAttributes(name), INVALID_FILE_ATTRIBUTES);
    // A new file may take the name; closing the first must leave it alone.
    MakeFile(name, "someone else's");
    DWORD done = 0;
    ASSERT_TRUE(WriteFile(h, "kept", 4, &done, nullptr));
    ASSERT_EQ(SetFilePointer(h, 0, nullptr, FILE_BEGIN), 0u);
    char back[8] = {};
    ASSERT_TRUE(ReadFile(h, back, sizeof back, &done, nullptr));
    EXPECT_EQ(std::string(back, done), "kept");
    CloseHandle(h);
    EXPECT_EQ(FileText(name), "someone else's");
}

TEST(Files, BackslashesDoubledSlashesAndCaseFindTheSameFile)
{
    ASSERT_TRUE(CreateDirectory("data", nullptr));
    MakeFile("data/ProData.dat", "profiles");
    EXPECT_NE(GetFileAttributes(".\\data\\ProData.dat"), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributes(".//data//ProData.dat"), INVALID_FILE_ATTRIBUTES);
    HANDLE h = OpenForRead("./DATA/prodata.dat", FILE_SHARE_READ);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    // Writing under another case replaces the existing file, as one name.
    ASSERT_TRUE(tw::WriteFileAtomically("./data/prodata.dat", "new", 0600));
    EXPECT_EQ(FileText("data/ProData.dat"), "new");
    struct stat st {};
    ASSERT_EQ(stat("data/ProData.dat", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_FALSE(CreateDirectory("Data", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
}

TEST(Files, FindFirstFileMatchesWildcardsWithoutCase)
{
    ASSERT_TRUE(CreateDirectory("find", nullptr));
    for (const char* name : {"a.sql", "B.SQL", "ab.txt", "noext", "abc.sql.bak"})
        MakeFile((std::string("find/") + name).c_str(), "");
    ASSERT_TRUE(CreateDirectory("find/sub", nullptr));
    struct Case {
        const char* pattern;
        std::set<std::string> names;
    };
    const Case cases[] = {
        {"find\\*.sql", {"a.sql", "B.SQL"}},
        {"find/?.sql", {"a.sql", "B.SQL"}},
        {"find/a*", {"a.sql", "ab.txt", "abc.sql.bak"}},
        {"find/*.*", {".", "..", "a.sql", "B.SQL", "ab.txt", "noext", "abc.sql.bak", "sub"}},
        {"find/noext", {"noext"}},
        {"find/*.none", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        std::set<std::string> found;
        WIN32_FIND_DATA data;
        HANDLE h = FindFirstFile(c.pattern, &data);
        if (c.names.empty()) {
            EXPECT_EQ(h, INVALID_HANDLE_VALUE);
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
            continue;
        }
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        do {
            found.insert(data.cFileName);
            if (strcmp(data.cFileName, "sub") == 0) {
                EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
            }
        } while (FindNextFile(h, &data));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
        EXPECT_TRUE(FindClose(h));
        EXPECT_EQ(found, c.names);
    }
    WIN32_FIND_DATA data;
    EXPECT_EQ(FindFirstFile("nowhere/*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(Files, MoveCopyAndDirectories)
{
    MakeFile("one.txt", "1");
    MakeFile("two.txt", "2");
    EXPECT_FALSE(MoveFile("one.txt", "two.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    ASSERT_TRUE(MoveFileEx("one.txt", "two.txt", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(FileText("two.txt"), "1");
    EXPECT_EQ(GetFileAttributes("one.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(CopyFile("two.txt", "two.txt", TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    ASSERT_TRUE(CopyFile("two.txt", "three.txt", TRUE));
    EXPECT_EQ(FileText("three.txt"), "1");

    ASSERT_TRUE(CreateDirectory("dir", nullptr));
    MakeFile("dir/f", "");
    EXPECT_FALSE(RemoveDirectory("dir"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(DeleteFile("dir"));
    EXPECT_TRUE(DeleteFile("dir\\f"));
    EXPECT_TRUE(RemoveDirectory("dir"));
}

TEST(Files, AttributesAndReadOnly)
{
    MakeFile("attr.txt", "12345");
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesEx("attr.txt", GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_FALSE(data.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(SetFileAttributes("attr.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(GetFileAttributes("attr.txt") & FILE_ATTRIBUTE_READONLY);
    // Refused whoever runs the test, root included.
    EXPECT_EQ(CreateFile("attr.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(DeleteFile("attr.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    HANDLE reader = CreateFile("attr.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);
    ASSERT_TRUE(SetFileAttributes("attr.txt", FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(GetFileAttributes("attr.txt") & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(GetFileAttributes("missing.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(Files, PathsOfTheProgramAndTheCurrentDirectory)
{
    char cwd[MAX_PATH];
    const DWORD length = GetCurrentDirectory(MAX_PATH, cwd);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(length, strlen(cwd));
    char tiny[2];
    EXPECT_EQ(GetCurrentDirectory(sizeof tiny, tiny), length + 1);

    char full[MAX_PATH];
    LPSTR filePart = nullptr;
    ASSERT_GT(GetFullPathName("sub\\..\\x.txt", MAX_PATH, full, &filePart), 0u);
    EXPECT_EQ(std::string(full), std::string(cwd) + "/x.txt");
    EXPECT_STREQ(filePart, "x.txt");

    char exe[MAX_PATH];
    const DWORD exeLength = GetModuleFileName(nullptr, exe, MAX_PATH);
    ASSERT_GT(exeLength, 0u);
    EXPECT_NE(strstr(exe, "test_win32_kernel"), nullptr);
    char cut[8];
    EXPECT_EQ(GetModuleFileName(nullptr, cut, sizeof cut), sizeof cut);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(strlen(cut), sizeof cut - 1);

    // SearchPath finds a file beside the program before the current directory.
    const std::string exeName = strrchr(exe, '/') + 1;
    char found[MAX_PATH];
    ASSERT_GT(SearchPath(nullptr, exeName.c_str(), nullptr, MAX_PATH, found, nullptr), 0u);
    EXPECT_STREQ(found, exe);
    MakeFile("here.txt", "");
    ASSERT_GT(SearchPath(nullptr, "here", ".txt", MAX_PATH, found, &filePart), 0u);
    EXPECT_STREQ(filePart, "here.txt");
    EXPECT_EQ(SearchPath(nullptr, "nothere.txt", nullptr, MAX_PATH, found, nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(Files, AtomicWriteLeavesNoTemporaryBehind)
{
    ASSERT_TRUE(tw::WriteFileAtomically("atomic.txt", "first"));
    ASSERT_TRUE(tw::WriteFileAtomically("atomic.txt", "second"));
    EXPECT_EQ(FileText("atomic.txt"), "second");
    WIN32_FIND_DATA data;
    HANDLE h = FindFirstFile(".atomic*", &data);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(tw::WriteFileAtomically("no/such/folder/x.txt", "x"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace tw_files_test
