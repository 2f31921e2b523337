// PosImg.dat as a file: its mode survives a rewrite, a full disk keeps the
// old file and says why, and a writer killed mid-save leaves a whole file.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "app/XMLSettings.h"
#include "platform/mfc/CException.h"
#include "tests/app/AppTestFiles.h"
#include "tests/support/Instance.h"

namespace {

namespace fs = std::filesystem;

mode_t ModeOf(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

void LoadSettings(const std::string& text)
{
    apptest::WriteFileText("in.dat", text);
    ASSERT_TRUE(CXMLSettings::LoadFromFile(FALSE, "in.dat"));
}

std::string BigSettings(size_t size, char fill)
{
    return "<CURRENT_USER>\r\n<SOFTWARE>\r\n<Big>\"" + std::string(size, fill) +
           "\"</Big>\r\n</SOFTWARE>\r\n</CURRENT_USER>\r\n";
}

std::string g_box;
int RecordBox(LPCTSTR text, UINT, UINT)
{
    g_box = text ? text : "";
    return 1;  // IDOK
}

TEST(SettingsFile, ARewriteKeepsTheModeItsUserGaveAndANewFileFollowsTheUmask)
{
    fs::create_directories("data");
    LoadSettings("<CURRENT_USER>\r\n</CURRENT_USER>\r\n");
    const mode_t saved = umask(077);
    const BOOL created = CXMLSettings::SaveToFile(FALSE, "data/PosImg.dat");
    umask(saved);
    ASSERT_TRUE(created);
    EXPECT_EQ(ModeOf("data/PosImg.dat"), 0600u);

    ASSERT_EQ(chmod("data/PosImg.dat", 0640), 0);
    ASSERT_TRUE(CXMLSettings::SaveToFile(FALSE, "data/PosImg.dat"));
    EXPECT_EQ(ModeOf("data/PosImg.dat"), 0640u) << "not forced open to 0644";
}

TEST(SettingsFile, AFullDiskKeepsTheOldFileAndTellsTheUser)
{
    LoadSettings("<CURRENT_USER>\r\n</CURRENT_USER>\r\n");
    ASSERT_TRUE(CXMLSettings::SaveToFile(FALSE, "full.dat"));
    const std::string before = apptest::FileText("full.dat");
    LoadSettings(BigSettings(500, 'x'));
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit lower = saved;
    lower.rlim_cur = 200;
    auto previous = tw::SetErrorBoxFunction(&RecordBox);
    g_box.clear();
    setrlimit(RLIMIT_FSIZE, &lower);
    const BOOL written = CXMLSettings::SaveToFile(FALSE, "full.dat");
    setrlimit(RLIMIT_FSIZE, &saved);
    tw::SetErrorBoxFunction(previous);
    EXPECT_FALSE(written);
    EXPECT_NE(g_box.find("full.dat"), std::string::npos) << g_box;
    EXPECT_EQ(apptest::FileText("full.dat"), before);
}

// Saves for ever, until killed.
TEST(SettingsFileVictim, SavesUntilKilled)
{
    const char* path = getenv("TW_SETTINGS_FILE");
    if (!path)
        GTEST_SKIP() << "run by the kill test";
    for (int i = 0;; ++i) {
        LoadSettings(BigSettings(100000, static_cast<char>('a' + i % 2)));
        CXMLSettings::SaveToFile(FALSE, path);
    }
}

// The next start of the program, which loads the file.
TEST(SettingsFileVictim, Loads)
{
    const char* path = getenv("TW_SETTINGS_NEXT");
    if (!path)
        GTEST_SKIP() << "run by the kill test";
    ASSERT_TRUE(CXMLSettings::LoadFromFile(FALSE, path));
}

TEST(SettingsFile, AWriterKilledWhileSavingLeavesAWholeFileAndNoTemporaryAfterTheNextStart)
{
    std::mt19937 random(77);
    for (int round = 0; round < 6; ++round) {
        const fs::path dir = fs::absolute("kill" + std::to_string(round));
        fs::create_directories(dir);
        const std::string path = (dir / "PosImg.dat").string();
        const pid_t victim = tw::test::StartInstance("SettingsFileVictim.SavesUntilKilled", {{"TW_SETTINGS_FILE", path}});
        ASSERT_GT(victim, 0);
        for (int wait = 0; wait < 5000 && !fs::exists(path); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        kill(victim, SIGKILL);
        EXPECT_EQ(tw::test::WaitInstance(victim), 128 + SIGKILL);

        ASSERT_EQ(tw::test::RunInstance("SettingsFileVictim.Loads", {{"TW_SETTINGS_NEXT", path}}), 0)
            << "a damaged file, round " << round;
        for (const auto& entry : fs::directory_iterator(dir))
            EXPECT_EQ(entry.path().filename(), "PosImg.dat") << "round " << round;
    }
}

}  // namespace
