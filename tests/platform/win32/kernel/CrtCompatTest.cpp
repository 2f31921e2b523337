#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/win32/kernel/CrtCompat.h"

namespace tw_crtcompat_test {

struct SplitPathCase {
    const char* path;
    const char* dir;
    const char* fname;
    const char* ext;
};

TEST(CrtPaths, SplitPathTable)
{
    const SplitPathCase cases[] = {
        {"/usr/bin/tarnwick", "/usr/bin/", "tarnwick", ""},
        {"C:\\Tools\\Tarnwick.exe", "\\Tools\\", "Tarnwick", ".exe"},
        {".\\data/PosImg.dat", ".\\data/", "PosImg", ".dat"},
        {"archive.tar.gz", "", "archive.tar", ".gz"},
        {"/home/u/.bashrc", "/home/u/", "", ".bashrc"},
        {"dir.d/noext", "dir.d/", "noext", ""},
        {"trailing/", "trailing/", "", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        char drive[_MAX_DRIVE] = "x", dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
        _splitpath(c.path, drive, dir, fname, ext);
        EXPECT_STREQ(drive, "") << c.path;
        EXPECT_STREQ(dir, c.dir) << c.path;
        EXPECT_STREQ(fname, c.fname) << c.path;
        EXPECT_STREQ(ext, c.ext) << c.path;
    }
    char fname[_MAX_FNAME];
    _splitpath("/a/b.c", nullptr, nullptr, fname, nullptr);
    EXPECT_STREQ(fname, "b");
}

struct MakePathCase {
    const char* dir;
    const char* fname;
    const char* ext;
    const char* path;
};

TEST(CrtPaths, MakePathTable)
{
    const MakePathCase cases[] = {
        {"/usr/bin/", "tarnwick", ".chm", "/usr/bin/tarnwick.chm"},
        {"/usr/bin", "tarnwick", "chm", "/usr/bin/tarnwick.chm"},
        {"", "file", "", "file"},
        {nullptr, "file", ".txt", "file.txt"},
        {".\\data\\", "x", ".dat", ".\\data\\x.dat"},
    };
    for (const auto& c : cases) {
        char path[_MAX_PATH];
        _makepath(path, "", c.dir, c.fname, c.ext);
        EXPECT_STREQ(path, c.path);
    }
}

TEST(CrtStrings, MultibyteFormsWorkOnWholeCharacters)
{
    unsigned char text[] = "Select \xC3\xA9t\xC3\xA9";
    EXPECT_STREQ(reinterpret_cast<char*>(_mbsupr(text)), "SELECT \xC3\x89T\xC3\x89");
    EXPECT_STREQ(reinterpret_cast<char*>(_mbslwr(text)), "select \xC3\xA9t\xC3\xA9");
    const auto* u = reinterpret_cast<const unsigned char*>("a\xC3\xA9" "b\xC3\xA9");
    EXPECT_EQ(_mbslen(u), 4u);
    EXPECT_EQ(_mbschr(u, 0xE9) - u, 1);
    EXPECT_EQ(_mbsrchr(u, 0xE9) - u, 4);
    EXPECT_EQ(_mbschr(u, 'z'), nullptr);
    EXPECT_EQ(_mbsinc(u + 1) - u, 3);
    EXPECT_EQ(_mbsdec(u, u + 4) - u, 3);
    EXPECT_EQ(_mbsdec(u, u + 3) - u, 1);
    EXPECT_EQ(_mbsdec(u, u), nullptr);
    EXPECT_EQ(_mbsstr(u, reinterpret_cast<const unsigned char*>("b\xC3\xA9")) - u, 3);
    EXPECT_LT(_mbscmp(reinterpret_cast<const unsigned char*>("a"), reinterpret_cast<const unsigned char*>("b")), 0);
    EXPECT_EQ(_mbsicmp(reinterpret_cast<const unsigned char*>("\xC3\xA9T\xC3\xA9"),
                       reinterpret_cast<const unsigned char*>("\xC3\x89t\xC3\x89")),
              0);

    unsigned char copy[6];
    _mbsnbcpy(copy, reinterpret_cast<const unsigned char*>("ab\xE2\x82\xAC"), 4);  // € needs 3 bytes
    EXPECT_EQ(std::string(reinterpret_cast<char*>(copy), 4), std::string("ab\0\0", 4));
    _mbsnbcpy(copy, reinterpret_cast<const unsigned char*>("x"), 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(copy), 3), std::string("x\0\0", 3));
}

TEST(CrtStrings, ByteFormsAndNumbers)
{
    char text[] = "MiXeD";
    EXPECT_STREQ(_strlwr(text), "mixed");
    EXPECT_STREQ(_strupr(text), "MIXED");
    EXPECT_STREQ(_strrev(text), "DEXIM");
    EXPECT_EQ(_stricmp("abc", "ABC"), 0);
    EXPECT_LT(_stricmp("abc", "ABD"), 0);
    EXPECT_EQ(_strnicmp("abcX", "ABCY", 3), 0);
    char number[40];
    EXPECT_STREQ(_itoa(-42, number, 10), "-42");
    EXPECT_STREQ(_itoa(-1, number, 16), "ffffffff");
    EXPECT_STREQ(_itoa(255, number, 2), "11111111");
    EXPECT_STREQ(_ltoa(-7, number, 10), "-7");
    EXPECT_STREQ(_ultoa(4000000000ul, number, 10), "4000000000");
}

std::string ReadAll(FILE* f)
{
    std::string text;
    char chunk[64];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0)
        text.append(chunk, n);
    return text;
}

TEST(CrtFiles, SharedOpenTextModeAndLength)
{
    std::ofstream("script.sql", std::ios::binary) << "select 1\r\ngo\r\n";
    FILE* reader = _fsopen("script.sql", "rt", _SH_DENYWR);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(_filelength(_fileno(reader)), 14);
    EXPECT_EQ(ReadAll(reader), "select 1\ngo\n");
    // Writing is denied while the reader denies it; reading is not.
    errno = 0;
    EXPECT_EQ(_fsopen("script.sql", "r+b", _SH_DENYNO), nullptr);
    EXPECT_EQ(errno, EACCES);
    FILE* second = _fsopen("script.sql", "rb", _SH_DENYNO);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(ReadAll(second), "select 1\r\ngo\r\n");
    fclose(second);
    fclose(reader);
    FILE* writer = _fsopen("script.sql", "w", _SH_DENYWR);
    ASSERT_NE(writer, nullptr);
    fputs("a\nb\n", writer);
    fclose(writer);
    std::ifstream in("script.sql", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    EXPECT_EQ(s.str(), "a\r\nb\r\n");
}

TEST(CrtFiles, FolderCalls)
{
    EXPECT_EQ(_mkdir("made"), 0);
    EXPECT_EQ(_access("made", 0), 0);
    EXPECT_EQ(_access("missing", 0), -1);
    char before[_MAX_PATH];
    ASSERT_NE(_getcwd(before, sizeof before), nullptr);
    EXPECT_EQ(_chdir(".\\made"), 0);
    char after[_MAX_PATH];
    _getcwd(after, sizeof after);
    EXPECT_EQ(std::string(after), std::string(before) + "/made");
    EXPECT_EQ(_chdir(".."), 0);
}

}  // namespace tw_crtcompat_test
