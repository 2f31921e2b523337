#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CFile.h"
#include "platform/mfc/CMemFile.h"
#include "platform/mfc/CStdioFile.h"
#include "platform/win32/kernel/Files.h"

namespace file_test {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

int FileCauseOf(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (CFileException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

// Each test works in its own folder below the test's working directory.
class FileTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::path("files") / testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(folder);
    }
    std::string PathOf(const char* name) const { return (folder / name).string(); }
    fs::path folder;
};

TEST_F(FileTest, WritesReadsSeeksAndTruncates)
{
    CFile file;
    ASSERT_TRUE(file.Open(PathOf("data.bin").c_str(), CFile::modeCreate | CFile::modeReadWrite));
    file.Write("0123456789", 10);
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(file.Seek(-4, CFile::end), 6u);
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 8), 4u);
    EXPECT_STREQ(buffer, "6789");
    EXPECT_EQ(file.Read(buffer, 8), 0u);
    file.SeekToBegin();
    EXPECT_EQ(file.GetPosition(), 0u);
    file.SetLength(3);
    EXPECT_EQ(file.SeekToEnd(), 3u);
    file.Close();
    EXPECT_EQ(ReadBytes(folder / "data.bin"), "012");
}

TEST_F(FileTest, CreateWithoutNoTruncateEmptiesAndWithItKeeps)
{
    WriteBytes(folder / "kept.txt", "old");
    {
        CFile file(PathOf("kept.txt").c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(file.GetLength(), 3u);
    }
    {
        CFile file(PathOf("kept.txt").c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(file.GetLength(), 0u);
    }
}

TEST_F(FileTest, NamesUseForwardSlashesAndBackslashPathsWork)
{
    const std::string backslashed = "files\\" + folder.filename().string() + "\\name.dat";
    CFile file;
    ASSERT_TRUE(file.Open(backslashed.c_str(), CFile::modeCreate | CFile::modeWrite));
    EXPECT_STREQ(file.GetFileName().GetString(), "name.dat");
    const std::string full = file.GetFilePath().GetString();
    EXPECT_EQ(full, fs::absolute(folder / "name.dat").lexically_normal().string());
    file.Close();
    EXPECT_TRUE(fs::exists(folder / "name.dat"));
}

struct OpenFailureCase {
    const char* name;
    const char* path;
    UINT flags;
    int cause;
};

class FileOpenFailureTest : public FileTest, public testing::WithParamInterface<OpenFailureCase> {};

TEST_P(FileOpenFailureTest, ReportsTheCauseAndTheNameAsGiven)
{
    const OpenFailureCase& c = GetParam();
    const std::string path = PathOf(c.path);
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path.c_str(), c.flags, &error));
    EXPECT_EQ(error.m_cause, c.cause);
    EXPECT_NE(error.m_lOsError, 0);
    EXPECT_STREQ(error.m_strFileName.GetString(), path.c_str());
    EXPECT_EQ(FileCauseOf([&] { CFile thrown(path.c_str(), c.flags); }), c.cause);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, FileOpenFailureTest,
    testing::Values(OpenFailureCase{"Missing", "missing.txt", CFile::modeRead, CFileException::fileNotFound},
                    OpenFailureCase{"MissingFolder", "nofolder/x.txt", CFile::modeCreate | CFile::modeWrite,
                                    CFileException::badPath}),
    [](const testing::TestParamInfo<OpenFailureCase>& info) { return std::string(info.param.name); });

TEST_F(FileTest, ShareModesRefuseConflictingOpens)
{
    const std::string path = PathOf("shared.txt");
    CFile writer(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
    CFile second;
    CFileException error;
    EXPECT_FALSE(second.Open(path.c_str(), CFile::modeWrite | CFile::shareDenyNone, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    EXPECT_TRUE(second.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone));
}

TEST_F(FileTest, StatusGivesSizeTimeAndFullPath)
{
    const std::string path = PathOf("status.txt");
    WriteBytes(path, "12345");
    CFileStatus status{};
    ASSERT_TRUE(CFile::GetStatus(path.c_str(), status));
    EXPECT_EQ(status.m_size, 5u);
    EXPECT_EQ(std::string(status.m_szFullName), fs::absolute(path).lexically_normal().string());
    EXPECT_EQ(status.m_attribute & CFile::directory, 0);
    EXPECT_GT(status.m_mtime.GetTime(), 0);
    EXPECT_FALSE(CFile::GetStatus(PathOf("none.txt").c_str(), status));
}

TEST_F(FileTest, RemoveAndRenameThrowForMissingFiles)
{
    const std::string from = PathOf("from.txt");
    const std::string to = PathOf("to.txt");
    WriteBytes(from, "x");
    CFile::Rename(from.c_str(), to.c_str());
    EXPECT_TRUE(fs::exists(to));
    CFile::Remove(to.c_str());
    EXPECT_FALSE(fs::exists(to));
    EXPECT_EQ(FileCauseOf([&] { CFile::Remove(to.c_str()); }), CFileException::fileNotFound);
    EXPECT_EQ(FileCauseOf([&] { CFile::Rename(from.c_str(), to.c_str()); }), CFileException::fileNotFound);
}

TEST_F(FileTest, AFileOverACallersHandleLeavesItOpen)
{
    const std::string path = PathOf("handle.bin");
    HANDLE hFile = ::CreateFile(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    {
        CFile file(hFile);
        CArchive ar(&file, CArchive::store);
        ar << static_cast<DWORD>(7);
    }
    DWORD nWritten = 0;
    EXPECT_TRUE(::WriteFile(hFile, "x", 1, &nWritten, nullptr));
    EXPECT_TRUE(::CloseHandle(hFile));
    EXPECT_EQ(ReadBytes(path), std::string("\x07\0\0\0x", 5));
}

TEST_F(FileTest, AnArchiveOverADiskFileRoundTrips)
{
    const std::string path = PathOf("archive.bin");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ar << CString("settings") << static_cast<DWORD>(42);
    }
    EXPECT_EQ(ReadBytes(path), std::string("\x08settings\x2a\0\0\0", 13));
    CFile file(path.c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    CString text;
    DWORD value = 0;
    ar >> text >> value;
    EXPECT_STREQ(text.GetString(), "settings");
    EXPECT_EQ(value, 42u);
}

// --- memory files ------------------------------------------------------------

TEST(MemFile, GrowsAndDetachesItsBuffer)
{
    CMemFile file(16);
    std::string data(40, 'z');
    file.Write(data.data(), 40);
    file.Seek(2, CFile::begin);
    file.Write("ab", 2);
    EXPECT_EQ(file.GetLength(), 40u);
    BYTE* pBuffer = file.Detach();
    EXPECT_EQ(std::string(reinterpret_cast<char*>(pBuffer), 4), "zzab");
    std::free(pBuffer);
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST(MemFile, AFixedBufferIsTheFileAndCannotGrow)
{
    BYTE bytes[4] = {1, 2, 3, 4};
    CMemFile file(bytes, sizeof bytes);
    EXPECT_EQ(file.GetLength(), 4u);
    BYTE read[8] = {};
    EXPECT_EQ(file.Read(read, 8), 4u);
    EXPECT_EQ(read[3], 4);
    file.SeekToBegin();
    file.Write("\x09", 1);
    EXPECT_EQ(bytes[0], 9);
    bool outOfMemory = false;
    try {
        file.Write("12345", 5);
    } catch (CMemoryException* e) {
        outOfMemory = true;
        e->Delete();
    }
    EXPECT_TRUE(outOfMemory);
}

TEST(MemFile, AttachingWithAGrowStepStartsEmpty)
{
    BYTE* pStart = static_cast<BYTE*>(std::malloc(20));
    CMemFile file;
    file.Attach(pStart, 20, 16);
    EXPECT_EQ(file.GetLength(), 0u);
    std::string data(30, 'q');
    file.Write(data.data(), 30);
    EXPECT_EQ(file.GetLength(), 30u);
    std::free(file.Detach());
}

TEST(MemFile, SeekBeforeTheStartThrowsAndAGapReadsAsZeros)
{
    CMemFile file;
    EXPECT_EQ(FileCauseOf([&] { file.Seek(-1, CFile::begin); }), CFileException::badSeek);
    file.Seek(3, CFile::begin);
    file.Write("x", 1);
    file.SeekToBegin();
    char read[4] = {'?', '?', '?', '?'};
    EXPECT_EQ(file.Read(read, 4), 4u);
    EXPECT_EQ(std::string(read, 4), std::string("\0\0\0x", 4));
}

// --- text files --------------------------------------------------------------

TEST_F(FileTest, TextModeWritesCrLfAndReadsLinesWithoutTheirEnds)
{
    const std::string path = PathOf("lines.txt");
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString("first\nsecond\n");
        file.WriteString("third");
    }
    EXPECT_EQ(ReadBytes(path), "first\r\nsecond\r\nthird");

    CStdioFile file(path.c_str(), CFile::modeRead);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ(line.GetString(), "first");
    char buffer[32] = {};
    ASSERT_NE(file.ReadString(buffer, sizeof buffer), nullptr);
    EXPECT_STREQ(buffer, "second\n");  // the buffer form keeps "\n", as fgets does
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ(line.GetString(), "third");
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
    EXPECT_EQ(file.ReadString(buffer, sizeof buffer), nullptr);
}

TEST_F(FileTest, TextModeReadsLfOnlyFilesAndStopsShortLinesAtTheBuffer)
{
    const std::string path = PathOf("unix.txt");
    WriteBytes(path, "abcdef\nlast\r\n");
    CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeText);
    char buffer[4] = {};
    EXPECT_STREQ(file.ReadString(buffer, sizeof buffer), "abc");
    EXPECT_STREQ(file.ReadString(buffer, sizeof buffer), "def");
    EXPECT_STREQ(file.ReadString(buffer, sizeof buffer), "\n");
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ(line.GetString(), "last");
}

TEST_F(FileTest, BinaryModeWritesBytesAsGiven)
{
    const std::string path = PathOf("binary.txt");
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.WriteString("a\nb");
    }
    EXPECT_EQ(ReadBytes(path), "a\nb");
}

TEST_F(FileTest, WriteOnlyOpenOfAnExistingFileAppends)
{
    const std::string path = PathOf("log.txt");
    WriteBytes(path, "one\r\n");
    {
        CStdioFile file(path.c_str(), CFile::modeWrite);
        file.SeekToBegin();
        file.WriteString("two\n");
    }
    EXPECT_EQ(ReadBytes(path), "one\r\ntwo\r\n");
}

TEST_F(FileTest, PositionCountsWhatTheCallerReadNotWhatWasBuffered)
{
    const std::string path = PathOf("position.txt");
    WriteBytes(path, "12\r\n34\r\n");
    CStdioFile file(path.c_str(), CFile::modeRead | CFile::modeReadWrite);
    CString line;
    file.ReadString(line);
    EXPECT_EQ(file.GetPosition(), 4u);
    file.Write("X", 1);
    file.Close();
    EXPECT_EQ(ReadBytes(path), "12\r\nX4\r\n");
}

}  // namespace file_test
