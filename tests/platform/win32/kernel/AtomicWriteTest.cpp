// Atomic writes: modes under different umasks, a writer killed at a random
// moment, and a write the disk refuses.
#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/kernel/Files.h"
#include "tests/support/Instance.h"

namespace {

std::string Text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

mode_t ModeOf(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

std::vector<std::string> HiddenFiles(const std::string& dir)
{
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (const dirent* e = readdir(d)) {
            if (e->d_name[0] == '.' && std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                names.emplace_back(e->d_name);
        }
        closedir(d);
    }
    return names;
}

struct ModeCase {
    mode_t umask;
    mode_t existing;  // 0: no file yet
    mode_t asked;
    mode_t expected;
};

class AtomicWriteModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(AtomicWriteModes, NewFilesFollowTheUmaskAndRewritesKeepTheirMode)
{
    const ModeCase c = GetParam();
    const std::string path = "mode-" + std::to_string(c.umask) + "-" + std::to_string(c.existing) + "-" +
                             std::to_string(c.asked) + ".dat";
    if (c.existing) {
        std::ofstream(path) << "old";
        ASSERT_EQ(chmod(path.c_str(), c.existing), 0);
    }
    const mode_t saved = umask(c.umask);
    const BOOL written = tw::WriteFileAtomically(path, "new", c.asked);
    umask(saved);
    ASSERT_TRUE(written);
    EXPECT_EQ(Text(path), "new");
    EXPECT_EQ(ModeOf(path), c.expected) << std::oct << "umask " << c.umask << " existing " << c.existing;
}

INSTANTIATE_TEST_SUITE_P(Umasks, AtomicWriteModes,
                         ::testing::Values(ModeCase{022, 0, 0666, 0644}, ModeCase{077, 0, 0666, 0600},
                                           ModeCase{022, 0, 0600, 0600}, ModeCase{077, 0, 0600, 0600},
                                           // a file its user made private stays private
                                           ModeCase{022, 0600, 0666, 0600}, ModeCase{022, 0640, 0666, 0640},
                                           ModeCase{077, 0664, 0666, 0664},
                                           // a file of passwords never opens up
                                           ModeCase{022, 0644, 0600, 0600}, ModeCase{077, 0604, 0600, 0600}));

// The writer killed by the test below: rewrites its file for ever.
TEST(AtomicWriteVictim, WritesUntilKilled)
{
    const char* path = getenv("TW_VICTIM_FILE");
    if (!path)
        GTEST_SKIP() << "run by the kill test";
    for (unsigned i = 0;; ++i)
        tw::WriteFileAtomically(path, std::string(256 * 1024, static_cast<char>('a' + i % 2)));
}

// A later start of the program, which reads the file.
TEST(AtomicWriteNextStart, Opens)
{
    const char* path = getenv("TW_VICTIM_FILE");
    if (!path)
        GTEST_SKIP() << "run by the kill test";
    HANDLE h = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
}

TEST(AtomicWrite, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewFileAndNoTemporaryAfterTheNextStart)
{
    std::mt19937 random(12345);
    size_t leftovers = 0;
    for (int round = 0; round < 12; ++round) {
        const std::string dir = "kill" + std::to_string(round);
        ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
        const std::string path = dir + "/store.dat";
        ASSERT_TRUE(tw::WriteFileAtomically(path, std::string(256 * 1024, 'a')));
        const pid_t victim = tw::test::StartInstance("AtomicWriteVictim.WritesUntilKilled", {{"TW_VICTIM_FILE", path}});
        ASSERT_GT(victim, 0);
        // Once the writer is at work, kill it at a random moment.
        for (int wait = 0; wait < 5000 && HiddenFiles(dir).empty(); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        kill(victim, SIGKILL);
        EXPECT_EQ(tw::test::WaitInstance(victim), 128 + SIGKILL);

        const std::string text = Text(path);
        ASSERT_EQ(text.size(), 256u * 1024) << "round " << round;
        EXPECT_TRUE(text == std::string(text.size(), 'a') || text == std::string(text.size(), 'b'));
        leftovers += HiddenFiles(dir).size();
        // The next start opens the file, and the dead writer's temporary goes.
        ASSERT_EQ(tw::test::RunInstance("AtomicWriteNextStart.Opens", {{"TW_VICTIM_FILE", path}}), 0);
        EXPECT_EQ(HiddenFiles(dir), std::vector<std::string>{}) << "round " << round;
    }
    RecordProperty("temporaries_left_by_kills", static_cast<int>(leftovers));
}

TEST(AtomicWrite, ALiveWritersTemporaryAndOtherHiddenFilesAreLeftAlone)
{
    ASSERT_EQ(mkdir("alive", 0700), 0);
    const std::string mine = "alive/.x.tw-" + std::to_string(getpid()) + "-1.tmp";
    const std::string parent = "alive/.x.tw-" + std::to_string(getppid()) + "-1.tmp";
    std::ofstream(mine) << "writing";
    std::ofstream(parent) << "writing";
    std::ofstream("alive/.profile") << "not ours";
    std::ofstream("alive/.y.tw-x-1.tmp") << "not a process";
    tw::RemoveDeadWritersFiles("alive");
    EXPECT_EQ(HiddenFiles("alive").size(), 4u);
}

TEST(AtomicWrite, AFullDiskKeepsTheOldFileAndSaysWhy)
{
    ASSERT_TRUE(tw::WriteFileAtomically("full.dat", "old"));
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit lower = saved;
    lower.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &lower);
    // Beyond the limit the process is not killed (SIGXFSZ is ignored): the write fails.
    const BOOL written = tw::WriteFileAtomically("full.dat", std::string(1000, 'x'));
    const int err = errno;
    const DWORD error = GetLastError();
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written);
    EXPECT_EQ(err, EFBIG);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_TOO_LARGE));
    EXPECT_EQ(Text("full.dat"), "old");
    for (const auto& name : HiddenFiles("."))
        EXPECT_EQ(name.find("full.dat"), std::string::npos) << name;
}

}  // namespace
