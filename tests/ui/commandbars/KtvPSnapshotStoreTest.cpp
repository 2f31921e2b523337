// Menu snapshots: one nameless temporary file per menu, read back from the
// start each time, and gone with the process however it ends.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CException.h"
#include "platform/win32/menu/winmenu.h"
#include "tests/support/Instance.h"
#include "ui/commandbars/KtvPSnapshotStore.h"

namespace {

namespace fs = std::filesystem;

// What a bar would store: some text and a number; it can be told to fail
// half-way, and it notes whether the store was marked active meanwhile.
class SnapshotContent : public CObject {
public:
    SnapshotContent() = default;
    SnapshotContent(const char* text, int value) : m_strText(text), m_nValue(value) {}

    CString m_strText;
    int m_nValue = 0;
    bool m_bFailHalfWay = false;
    bool m_bSawActive = false;

    void Serialize(CArchive& ar) override
    {
        m_bSawActive = g_SnapshotStore.m_bIsActive != FALSE;
        if (ar.IsStoring()) {
            ar << m_strText;
            if (m_bFailHalfWay)
                AfxThrowArchiveException(CArchiveException::genericException);
            ar << m_nValue;
        } else {
            ar >> m_strText >> m_nValue;
        }
    }
};

// The snapshot files this process holds open; their names are gone already.
int OpenSnapshotFiles()
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        const std::string target = fs::read_symlink(entry.path(), ec).string();
        if (!ec && target.find("/Ktv") != std::string::npos)
            count++;
    }
    return count;
}

int SnapshotNamesIn(const fs::path& folder)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().rfind("Ktv", 0) == 0)
            count++;
    return count;
}

class SnapshotStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories("temp");
        setenv("TMPDIR", fs::absolute("temp").c_str(), 1);
        menu = ::CreatePopupMenu();
        other = ::CreatePopupMenu();
    }
    void TearDown() override
    {
        g_SnapshotStore.CleanUp();
        ::DestroyMenu(menu);
        ::DestroyMenu(other);
        unsetenv("TMPDIR");
    }

    HMENU menu = nullptr;
    HMENU other = nullptr;
};

TEST_F(SnapshotStoreTest, ASnapshotReadsBackTheSameContentEveryTime)
{
    SnapshotContent saved("File", 7);
    ASSERT_TRUE(g_SnapshotStore.SaveSnapshot(menu, saved));
    EXPECT_TRUE(saved.m_bSawActive);
    EXPECT_FALSE(g_SnapshotStore.m_bIsActive);
    for (int read = 0; read < 2; read++) {
        SnapshotContent loaded;
        ASSERT_TRUE(g_SnapshotStore.LoadSnapshot(menu, loaded));
        EXPECT_EQ(loaded.m_strText, CString("File"));
        EXPECT_EQ(loaded.m_nValue, 7);
        EXPECT_TRUE(loaded.m_bSawActive);
        EXPECT_FALSE(g_SnapshotStore.m_bIsActive);
    }
    SnapshotContent none;
    EXPECT_FALSE(g_SnapshotStore.LoadSnapshot(other, none));
}

TEST_F(SnapshotStoreTest, SavingAMenuAgainKeepsOneFileAndTheNewContent)
{
    SnapshotContent first("first", 1);
    SnapshotContent second("second", 2);
    SnapshotContent elsewhere("other", 3);
    ASSERT_TRUE(g_SnapshotStore.SaveSnapshot(menu, first));
    ASSERT_TRUE(g_SnapshotStore.SaveSnapshot(menu, second));
    EXPECT_EQ(OpenSnapshotFiles(), 1);
    ASSERT_TRUE(g_SnapshotStore.SaveSnapshot(other, elsewhere));
    EXPECT_EQ(OpenSnapshotFiles(), 2);
    // Nobody can open a snapshot by name: the names are gone from the start.
    EXPECT_EQ(SnapshotNamesIn("temp"), 0);

    SnapshotContent loaded;
    ASSERT_TRUE(g_SnapshotStore.LoadSnapshot(menu, loaded));
    EXPECT_EQ(loaded.m_strText, CString("second"));

    EXPECT_TRUE(g_SnapshotStore.RemoveMenu(menu));
    EXPECT_FALSE(g_SnapshotStore.RemoveMenu(menu));
    EXPECT_FALSE(g_SnapshotStore.LoadSnapshot(menu, loaded));
    EXPECT_EQ(OpenSnapshotFiles(), 1);
    g_SnapshotStore.CleanUp();
    EXPECT_EQ(OpenSnapshotFiles(), 0);
    EXPECT_FALSE(g_SnapshotStore.HasSnapshot(other));
}

TEST_F(SnapshotStoreTest, AFailedSaveLeavesNoSnapshotAndTheStoreInactive)
{
    SnapshotContent good("kept?", 1);
    ASSERT_TRUE(g_SnapshotStore.SaveSnapshot(menu, good));
    SnapshotContent failing("half", 2);
    failing.m_bFailHalfWay = true;
    EXPECT_FALSE(g_SnapshotStore.SaveSnapshot(menu, failing));
    EXPECT_FALSE(g_SnapshotStore.m_bIsActive);
    EXPECT_FALSE(g_SnapshotStore.HasSnapshot(menu));
    EXPECT_EQ(OpenSnapshotFiles(), 0);
    EXPECT_EQ(SnapshotNamesIn("temp"), 0);
}

TEST_F(SnapshotStoreTest, AShortSnapshotFailsToLoadAndCanBeReadAgain)
{
    // A number where the reader expects text and a number: the read runs off the end.
    class TextOnly : public CObject {
    public:
        void Serialize(CArchive& ar) override { ar << CString("x"); }
    } textOnly;
    ASSERT_TRUE(g_SnapshotStore.SaveSnapshot(menu, textOnly));
    SnapshotContent loaded;
    EXPECT_FALSE(g_SnapshotStore.LoadSnapshot(menu, loaded));
    EXPECT_FALSE(g_SnapshotStore.m_bIsActive);
    EXPECT_TRUE(g_SnapshotStore.HasSnapshot(menu));
    EXPECT_FALSE(g_SnapshotStore.LoadSnapshot(menu, loaded));
}

TEST_F(SnapshotStoreTest, NoTemporaryFolderMeansNoSnapshot)
{
    setenv("TMPDIR", fs::absolute("no such folder").c_str(), 1);
    SnapshotContent content("x", 1);
    EXPECT_FALSE(g_SnapshotStore.SaveSnapshot(menu, content));
    EXPECT_FALSE(g_SnapshotStore.HasSnapshot(menu));
}

// Run by the test below as a process of its own: saves a snapshot, says so,
// and is killed before it can clean anything up.
TEST(SnapshotStoreChild, SavesThenIsKilled)
{
    if (getenv("KTV_SNAPSHOT_CHILD") == nullptr)
        GTEST_SKIP() << "run by SnapshotStoreTest.AKilledProcessLeavesNoSnapshotFileBehind";
    HMENU hMenu = ::CreatePopupMenu();
    class Content : public CObject {
    public:
        void Serialize(CArchive& ar) override { ar << CString("customised menu"); }
    } content;
    if (!g_SnapshotStore.SaveSnapshot(hMenu, content))
        std::exit(3);
    std::ofstream("saved.marker") << "saved";
    raise(SIGKILL);
}

TEST_F(SnapshotStoreTest, AKilledProcessLeavesNoSnapshotFileBehind)
{
    fs::create_directories("child temp");
    const int code = tw::test::RunInstance("SnapshotStoreChild.SavesThenIsKilled",
                                           {{"KTV_SNAPSHOT_CHILD", "1"}, {"TMPDIR", fs::absolute("child temp")}});
    EXPECT_EQ(code, 128 + SIGKILL);
    EXPECT_TRUE(fs::exists("saved.marker"));
    EXPECT_EQ(SnapshotNamesIn("child temp"), 0);
}

}  // namespace
