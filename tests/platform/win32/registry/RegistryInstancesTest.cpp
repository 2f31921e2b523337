// Two instances of the program on one registry file, and saves the disk
// refuses.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/registry/Registry.h"
#include "tests/support/Instance.h"

namespace {

constexpr char kOrders[] = "TW_REGISTRY_ORDERS";
constexpr char kHive[] = "TW_REGISTRY_HIVE";

std::string Query(const char* path, const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    char buffer[256] = {};
    DWORD size = sizeof buffer - 1;
    const LONG rc = RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? buffer : "<missing>";
}

LONG Set(const char* path, const char* name, const std::string& text)
{
    HKEY key = nullptr;
    LONG rc = RegCreateKey(HKEY_CURRENT_USER, path, &key);
    if (rc != ERROR_SUCCESS)
        return rc;
    rc = RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return rc;
}

LONG Flush()
{
    return RegFlushKey(HKEY_CURRENT_USER);
}

// Orders for the other instance, one a line: "set <key> <name> <text>",
// "delvalue <key> <name>", "delkey <key>", "flush"; keys without spaces.
void Obey(const std::string& orders)
{
    std::istringstream lines(orders);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string verb, key, name, text;
        words >> verb >> key >> name >> text;
        if (verb == "set") {
            ASSERT_EQ(Set(key.c_str(), name.c_str(), text), ERROR_SUCCESS) << line;
        } else if (verb == "delvalue") {
            HKEY k = nullptr;
            ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &k), ERROR_SUCCESS);
            EXPECT_EQ(RegDeleteValue(k, name.c_str()), ERROR_SUCCESS) << line;
            RegCloseKey(k);
        } else if (verb == "delkey") {
            EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, key.c_str()), ERROR_SUCCESS) << line;
        } else if (verb == "flush") {
            ASSERT_EQ(Flush(), ERROR_SUCCESS);
        }
    }
}

// The other instance: works on the hive it is given, saves at exit.
TEST(RegistryOtherInstance, Obeys)
{
    const char* orders = getenv(kOrders);
    if (!orders)
        GTEST_SKIP() << "run by the two-instance tests";
    setenv("TARNWICK_REGISTRY", getenv(kHive), 1);
    tw::ReloadRegistry();
    Obey(orders);
}

int RunOther(const std::string& orders)
{
    return tw::test::RunInstance("RegistryOtherInstance.Obeys",
                                 {{kOrders, orders}, {kHive, tw::RegistryFilePath()}});
}

class RegistryInstances : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw::ReloadRegistry();
        // This instance has read the hive before the other one starts.
        ASSERT_EQ(Set("Software\\Two\\Shared", "Start", "yes"), ERROR_SUCCESS);
        ASSERT_EQ(Set("Software\\Two\\Doomed", "Old", "yes"), ERROR_SUCCESS);
        ASSERT_EQ(Flush(), ERROR_SUCCESS);
    }
};

TEST_F(RegistryInstances, AStaleInstanceKeepsWhatTheOtherSavedInTheMeantime)
{
    ASSERT_EQ(RunOther("set Software\\Two\\Shared Theirs other\n"
                       "set Software\\Two\\New Made other\n"
                       "delvalue Software\\Two\\Doomed Old\n"
                       "delkey Software\\Two\\Doomed\n"),
              0);
    ASSERT_EQ(Set("Software\\Two\\Shared", "Mine", "this"), ERROR_SUCCESS);
    ASSERT_EQ(Flush(), ERROR_SUCCESS);

    // After its save this instance sees the other's work without a reload.
    EXPECT_EQ(Query("Software\\Two\\Shared", "Theirs"), "other");
    tw::ReloadRegistry();
    EXPECT_EQ(Query("Software\\Two\\Shared", "Start"), "yes");
    EXPECT_EQ(Query("Software\\Two\\Shared", "Mine"), "this");
    EXPECT_EQ(Query("Software\\Two\\Shared", "Theirs"), "other");
    EXPECT_EQ(Query("Software\\Two\\New", "Made"), "other");
    EXPECT_EQ(Query("Software\\Two\\Doomed", "Old"), "<no key>") << "a key the other deleted came back";
}

TEST_F(RegistryInstances, TheLastSaveOfOneValueWinsAndDeletionsAreKept)
{
    ASSERT_EQ(Set("Software\\Two\\Shared", "Same", "this first"), ERROR_SUCCESS);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Two\\Shared", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValue(key, "Start"), ERROR_SUCCESS);
    ASSERT_EQ(Flush(), ERROR_SUCCESS);

    ASSERT_EQ(RunOther("set Software\\Two\\Shared Same other\n"), 0);
    EXPECT_EQ(Query("Software\\Two\\Shared", "Same"), "this first") << "read once, before the other saved";
    ASSERT_EQ(Set("Software\\Two\\Shared", "Same", "this again"), ERROR_SUCCESS);
    ASSERT_EQ(Flush(), ERROR_SUCCESS);
    // An open handle still reaches its key after the save took in the other's tree.
    char buffer[64] = {};
    DWORD size = sizeof buffer;
    EXPECT_EQ(RegQueryValueEx(key, "Same", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "this again");
    RegCloseKey(key);

    tw::ReloadRegistry();
    EXPECT_EQ(Query("Software\\Two\\Shared", "Same"), "this again");
    EXPECT_EQ(Query("Software\\Two\\Shared", "Start"), "<missing>");

    ASSERT_EQ(RunOther("set Software\\Two\\Shared Same other\n"), 0);
    tw::ReloadRegistry();
    EXPECT_EQ(Query("Software\\Two\\Shared", "Same"), "other");
}

TEST_F(RegistryInstances, InstancesSavingAtTheSameTimeLoseNothing)
{
    constexpr int kInstances = 3, kValues = 40;
    std::vector<pid_t> others;
    for (int i = 0; i < kInstances; ++i) {
        std::string orders;
        for (int v = 0; v < kValues; ++v)
            orders += "set Software\\Two\\I" + std::to_string(i) + " v" + std::to_string(v) + " x\nflush\n";
        others.push_back(tw::test::StartInstance("RegistryOtherInstance.Obeys",
                                                 {{kOrders, orders}, {kHive, tw::RegistryFilePath()}}));
    }
    for (int v = 0; v < kValues; ++v) {
        ASSERT_EQ(Set("Software\\Two\\Mine", ("v" + std::to_string(v)).c_str(), "x"), ERROR_SUCCESS);
        ASSERT_EQ(Flush(), ERROR_SUCCESS);
    }
    for (pid_t pid : others)
        EXPECT_EQ(tw::test::WaitInstance(pid), 0);
    tw::ReloadRegistry();
    for (const char* key : {"Software\\Two\\I0", "Software\\Two\\I1", "Software\\Two\\I2", "Software\\Two\\Mine"}) {
        HKEY k = nullptr;
        ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, key, 0, KEY_READ, &k), ERROR_SUCCESS) << key;
        DWORD values = 0;
        RegQueryInfoKey(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                        nullptr);
        EXPECT_EQ(values, static_cast<DWORD>(kValues)) << key;
        RegCloseKey(k);
    }
}

// Saves for ever, until killed.
TEST(RegistryOtherInstance, SavesUntilKilled)
{
    const char* hive = getenv(kHive);
    if (!hive || getenv(kOrders))
        GTEST_SKIP() << "run by the kill test";
    setenv("TARNWICK_REGISTRY", hive, 1);
    tw::ReloadRegistry();
    const std::string big(64 * 1024, 'v');
    for (unsigned i = 0;; ++i) {
        Set("Software\Killed", "Count", std::to_string(i));
        Set("Software\Killed", "Big", big);
        Flush();
    }
}

std::vector<std::string> HiddenFiles(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name[0] == '.')
            names.push_back(name);
    }
    return names;
}

TEST(RegistryKill, AnInstanceKilledWhileSavingLeavesAWholeHiveAndNoTemporaryAfterTheNextStart)
{
    std::mt19937 random(2026);
    int leftovers = 0;
    for (int round = 0; round < 8; ++round) {
        const std::string dir = std::filesystem::absolute("hive" + std::to_string(round)).string();
        std::filesystem::create_directory(dir);
        const std::string hive = dir + "/registry.reg";
        const pid_t victim = tw::test::StartInstance("RegistryOtherInstance.SavesUntilKilled", {{kHive, hive}});
        ASSERT_GT(victim, 0);
        for (int wait = 0; wait < 5000 && !std::filesystem::exists(hive); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        kill(victim, SIGKILL);
        EXPECT_EQ(tw::test::WaitInstance(victim), 128 + SIGKILL);
        leftovers += static_cast<int>(HiddenFiles(dir).size());

        // The next start reads the hive whole and removes the dead writer's temporary.
        ASSERT_EQ(tw::test::RunInstance("RegistryOtherInstance.Obeys", {{kOrders, "flush\n"}, {kHive, hive}}), 0);
        EXPECT_EQ(HiddenFiles(dir), std::vector<std::string>{}) << "round " << round;
        EXPECT_FALSE(std::filesystem::exists(hive + ".bad")) << "round " << round;
    }
    RecordProperty("temporaries_left_by_kills", leftovers);
}

// A file-size limit makes every write fail as a full disk does, without
// needing one.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit lower = saved;
        lower.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }

private:
    rlimit saved{};
};

TEST(RegistrySaveFailure, ChangesAreKeptRetriedAndTheUserToldOnce)
{
    tw::ReloadRegistry();
    ASSERT_EQ(Set("Software\\Full", "Before", "kept"), ERROR_SUCCESS);
    ASSERT_EQ(Flush(), ERROR_SUCCESS);
    tw::TakeRegistrySaveFailure();
    {
        FileSizeLimit limit(16);
        ASSERT_EQ(Set("Software\\Full", "During", std::string(100, 'x')), ERROR_SUCCESS);
        EXPECT_EQ(Flush(), ERROR_REGISTRY_IO_FAILED);
        EXPECT_EQ(Flush(), ERROR_REGISTRY_IO_FAILED);
        EXPECT_EQ(tw::TakeRegistrySaveFailure(), "settings could not be saved: File too large");
        EXPECT_EQ(tw::TakeRegistrySaveFailure(), "") << "told once";
    }
    std::ifstream before(tw::RegistryFilePath());
    std::stringstream text;
    text << before.rdbuf();
    EXPECT_NE(text.str().find("\"Before\"=\"kept\""), std::string::npos) << "the old file was kept";
    EXPECT_EQ(text.str().find("During"), std::string::npos);

    ASSERT_EQ(Set("Software\\Full", "After", "also"), ERROR_SUCCESS);
    ASSERT_EQ(Flush(), ERROR_SUCCESS);
    tw::ReloadRegistry();
    EXPECT_EQ(Query("Software\\Full", "During"), std::string(100, 'x')) << "the failed change was retried";
    EXPECT_EQ(Query("Software\\Full", "After"), "also");

    {
        FileSizeLimit limit(16);
        ASSERT_EQ(Set("Software\\Full", "Again", std::string(100, 'y')), ERROR_SUCCESS);
        EXPECT_EQ(Flush(), ERROR_REGISTRY_IO_FAILED);
    }
    EXPECT_EQ(tw::TakeRegistrySaveFailure(), "settings could not be saved: File too large")
        << "a new failure after a save that worked is told again";
    EXPECT_EQ(Flush(), ERROR_SUCCESS);
}

}  // namespace
