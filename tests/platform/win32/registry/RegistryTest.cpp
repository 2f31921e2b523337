#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/kernel/Files.h"
#include "platform/win32/kernel/Process.h"
#include "platform/win32/registry/Registry.h"
#include "platform/win32/registry/TokenPrivileges.h"

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Each test works below its own key of HKEY_CURRENT_USER.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        base = std::string("Software\\TwTest\\") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, base.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                 nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        if (key)
            RegCloseKey(key);
    }

    void SetString(HKEY k, const char* name, const char* text)
    {
        ASSERT_EQ(RegSetValueEx(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                static_cast<DWORD>(strlen(text) + 1)),
                  ERROR_SUCCESS);
    }

    std::string GetString(HKEY k, const char* name)
    {
        char buffer[512] = {};
        DWORD size = sizeof buffer;
        DWORD type = 0;
        if (RegQueryValueEx(k, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
            return "<missing>";
        return buffer;
    }

    HKEY Create(const char* sub)
    {
        HKEY k = nullptr;
        EXPECT_EQ(RegCreateKey(key, sub, &k), ERROR_SUCCESS);
        return k;
    }

    std::vector<std::string> SubkeyNames(HKEY k)
    {
        std::vector<std::string> names;
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD size = sizeof name;
            if (RegEnumKeyEx(k, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            names.push_back(name);
        }
        return names;
    }

    std::string base;
    HKEY key = nullptr;
};

struct TypedValue {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
};

TEST_F(RegistryTest, EveryValueTypeSurvivesAReloadFromTheFile)
{
    const std::vector<TypedValue> values = {
        {"none", REG_NONE, {}},
        {"sz", REG_SZ, {'a', '"', '\\', '\n', 'z', 0}},
        {"sz without nul", REG_SZ, {'a', 'b'}},
        {"expand", REG_EXPAND_SZ, {'%', 'P', '%', 0}},
        {"binary", REG_BINARY, {0x0a, 0xff, 0x00}},
        {"dword", REG_DWORD, {0x2a, 0, 0, 0x80}},
        {"big endian", REG_DWORD_BIG_ENDIAN, {0, 0, 0, 1}},
        {"link", REG_LINK, {'x', 0, 0, 0}},
        {"multi", REG_MULTI_SZ, {'a', 0, 'b', 'c', 0, 0}},
        {"resources", REG_RESOURCE_LIST, {1, 2, 3}},
        {"descriptor", REG_FULL_RESOURCE_DESCRIPTOR, {4}},
        {"requirements", REG_RESOURCE_REQUIREMENTS_LIST, {5, 6}},
        {"qword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 0x88}},
        {"odd dword", REG_DWORD, {1, 2}},
        {"", REG_SZ, {'d', 'e', 'f', 0}},
    };
    for (const auto& v : values)
        ASSERT_EQ(RegSetValueEx(key, v.name, 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size())),
                  ERROR_SUCCESS)
            << v.name;
    RegCloseKey(key);
    key = nullptr;
    tw::ReloadRegistry();

    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, base.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    for (const auto& v : values) {
        BYTE buffer[64];
        DWORD size = sizeof buffer;
        DWORD type = 99;
        ASSERT_EQ(RegQueryValueEx(key, v.name, nullptr, &type, buffer, &size), ERROR_SUCCESS) << v.name;
        EXPECT_EQ(type, v.type) << v.name;
        EXPECT_EQ(std::vector<BYTE>(buffer, buffer + size), v.data) << v.name;
    }
}

TEST_F(RegistryTest, TooSmallBufferGivesMoreDataAndTheSizeNeeded)
{
    SetString(key, "Text", "0123456789");
    char buffer[4];
    DWORD size = sizeof buffer;
    EXPECT_EQ(RegQueryValueEx(key, "Text", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 11u);
    DWORD sizeOnly = 0;
    EXPECT_EQ(RegQueryValueEx(key, "Text", nullptr, nullptr, nullptr, &sizeOnly), ERROR_SUCCESS);
    EXPECT_EQ(sizeOnly, 11u);
    EXPECT_EQ(RegQueryValueEx(key, "Missing", nullptr, nullptr, nullptr, &sizeOnly), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, NamesCompareWithoutCaseAndKeepTheirFirstSpelling)
{
    HKEY sub = Create("MixedCase");
    SetString(sub, "ValueName", "one");
    SetString(sub, "VALUENAME", "two");
    EXPECT_EQ(GetString(sub, "valuename"), "two");
    char name[64];
    DWORD nameSize = sizeof name;
    ASSERT_EQ(RegEnumValue(sub, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_STREQ(name, "ValueName");
    nameSize = sizeof name;
    EXPECT_EQ(RegEnumValue(sub, 1, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    RegCloseKey(sub);

    HKEY again = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyEx(key, "MIXEDCASE", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &again, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    RegCloseKey(again);
    EXPECT_EQ(SubkeyNames(key), std::vector<std::string>{"MixedCase"});
}

TEST_F(RegistryTest, SubkeysEnumerateSortedAndValuesInCreationOrder)
{
    for (const char* name : {"beta", "Alpha", "_under", "gamma", "10"})
        RegCloseKey(Create(name));
    // Upper-case order: digits, letters, then "_" (after "Z").
    EXPECT_EQ(SubkeyNames(key), (std::vector<std::string>{"10", "Alpha", "beta", "gamma", "_under"}));

    SetString(key, "z", "1");
    SetString(key, "a", "2");
    SetString(key, "m", "3");
    std::vector<std::string> names;
    char name[16];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumValue(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"z", "a", "m"}));
}

TEST_F(RegistryTest, EnumerationReportsShortNameBuffersAndTheEnd)
{
    RegCloseKey(Create("LongerName"));
    char name[4];
    DWORD size = sizeof name;
    EXPECT_EQ(RegEnumKeyEx(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    char big[32];
    size = sizeof big;
    EXPECT_EQ(RegEnumKeyEx(key, 0, big, &size, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(RegEnumKey(key, 1, big, sizeof big), ERROR_NO_MORE_ITEMS);
}

TEST_F(RegistryTest, QueryInfoCountsAndLongestNames)
{
    RegCloseKey(Create("abc"));
    RegCloseKey(Create("abcdefg"));
    SetString(key, "n", "12345");
    SetString(key, "longname", "1");
    DWORD subkeys = 0, maxSubkey = 0, values = 0, maxName = 0, maxData = 0;
    ASSERT_EQ(RegQueryInfoKey(key, nullptr, nullptr, nullptr, &subkeys, &maxSubkey, nullptr, &values, &maxName,
                              &maxData, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeys, 2u);
    EXPECT_EQ(maxSubkey, 7u);
    EXPECT_EQ(values, 2u);
    EXPECT_EQ(maxName, 8u);
    EXPECT_EQ(maxData, 6u);
}

TEST_F(RegistryTest, DeleteKeyRefusesAKeyWithSubkeys)
{
    HKEY parent = Create("Parent\\Child");
    RegCloseKey(parent);
    EXPECT_EQ(RegDeleteKey(key, "Parent"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(key, "Parent\\Child"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(key, "Parent"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(key, "Parent"), ERROR_FILE_NOT_FOUND);
    HKEY gone = nullptr;
    EXPECT_EQ(RegOpenKeyEx(key, "Parent", 0, KEY_READ, &gone), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, HandleToADeletedKeyAnswersKeyDeleted)
{
    HKEY doomed = Create("Doomed");
    EXPECT_EQ(RegDeleteKey(key, "Doomed"), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(doomed, "x", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(doomed), ERROR_SUCCESS);
}

TEST_F(RegistryTest, ReadOnlyHandleRefusesWrites)
{
    RegCloseKey(Create("ReadOnly"));
    HKEY readOnly = nullptr;
    ASSERT_EQ(RegOpenKeyEx(key, "ReadOnly\\", 0, KEY_READ, &readOnly), ERROR_SUCCESS);
    const BYTE one[4] = {1, 0, 0, 0};
    EXPECT_EQ(RegSetValueEx(readOnly, "x", 0, REG_DWORD, one, 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValue(readOnly, "x"), ERROR_ACCESS_DENIED);
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyEx(readOnly, "New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
              ERROR_ACCESS_DENIED);
    RegCloseKey(readOnly);
}

TEST_F(RegistryTest, DefaultValueThroughTheOldCalls)
{
    ASSERT_EQ(RegSetValue(key, "Legacy", REG_SZ, "hello", 0), ERROR_SUCCESS);
    char buffer[16];
    LONG size = sizeof buffer;
    ASSERT_EQ(RegQueryValue(key, "Legacy", buffer, &size), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "hello");
    EXPECT_EQ(size, 6);
    RegCloseKey(Create("Empty"));
    size = sizeof buffer;
    ASSERT_EQ(RegQueryValue(key, "Empty", buffer, &size), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "");
}

TEST_F(RegistryTest, SaveAndRestoreCopyASubtreeUnderAnotherName)
{
    HKEY source = Create("Old\\Folder");
    SetString(source, "Script", "select 1\r\nselect 'x'");
    RegCloseKey(source);
    HKEY old = nullptr;
    ASSERT_EQ(RegOpenKeyEx(key, "Old", 0, KEY_ALL_ACCESS, &old), ERROR_SUCCESS);
    SetString(old, "", "top default");
    ASSERT_EQ(RegSaveKey(old, ".\\saved-key.txt", nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSaveKey(old, "./saved-key.txt", nullptr), ERROR_ALREADY_EXISTS);

    HKEY fresh = Create("New");
    HKEY leftover = nullptr;
    RegCreateKey(fresh, "Leftover", &leftover);
    RegCloseKey(leftover);
    ASSERT_EQ(RegRestoreKey(fresh, "./saved-key.txt", REG_FORCE_RESTORE), ERROR_SUCCESS);
    EXPECT_EQ(GetString(fresh, ""), "top default");
    EXPECT_EQ(SubkeyNames(fresh), std::vector<std::string>{"Folder"});
    HKEY folder = nullptr;
    ASSERT_EQ(RegOpenKeyEx(fresh, "Folder", 0, KEY_READ, &folder), ERROR_SUCCESS);
    EXPECT_EQ(GetString(folder, "Script"), "select 1\r\nselect 'x'");
    RegCloseKey(folder);
    RegCloseKey(fresh);
    RegCloseKey(old);
}

TEST_F(RegistryTest, RestoreWithoutForceIsRefusedWhileASubkeyIsOpen)
{
    HKEY target = Create("Target");
    SetString(target, "kept", "yes");
    ASSERT_EQ(RegSaveKey(target, "./target.txt", nullptr), ERROR_SUCCESS);
    HKEY child = nullptr;
    RegCreateKey(target, "Open", &child);
    EXPECT_EQ(RegRestoreKey(target, "./target.txt", 0), ERROR_ACCESS_DENIED);
    ASSERT_EQ(RegRestoreKey(target, "./target.txt", REG_FORCE_RESTORE), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(child, "x", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1), ERROR_KEY_DELETED);
    RegCloseKey(child);
    RegCloseKey(target);
}

TEST_F(RegistryTest, RestoreOfADamagedCopyChangesNothing)
{
    std::ofstream("./damaged.txt") << "Tarnwick Registry 1\n[]\n\"x\"=dword:zz\n";
    HKEY target = Create("Untouched");
    SetString(target, "kept", "yes");
    EXPECT_EQ(RegRestoreKey(target, "./damaged.txt", REG_FORCE_RESTORE), ERROR_NOT_REGISTRY_FILE);
    EXPECT_EQ(GetString(target, "kept"), "yes");
    RegCloseKey(target);
}

TEST_F(RegistryTest, EnumValueReportsAShortDataBufferWithTheSizeNeeded)
{
    SetString(key, "Name", "a longer value");
    char name[16];
    DWORD nameSize = sizeof name;
    BYTE data[4];
    DWORD dataSize = sizeof data;
    DWORD type = 0;
    EXPECT_EQ(RegEnumValue(key, 0, name, &nameSize, nullptr, &type, data, &dataSize), ERROR_MORE_DATA);
    EXPECT_EQ(dataSize, 15u);
    nameSize = sizeof name;
    dataSize = 0;
    EXPECT_EQ(RegEnumValue(key, 0, name, &nameSize, nullptr, &type, nullptr, &dataSize), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Name");
    EXPECT_EQ(nameSize, 4u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(dataSize, 15u);
}

TEST_F(RegistryTest, VolatileKeysAreNotKeptInTheFile)
{
    HKEY session = nullptr;
    ASSERT_EQ(RegCreateKeyEx(key, "Session", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &session,
                             nullptr),
              ERROR_SUCCESS);
    SetString(session, "pid", "1");
    RegCloseKey(session);
    RegCloseKey(Create("Lasting"));
    RegCloseKey(key);
    key = nullptr;
    tw::ReloadRegistry();
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, base.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(SubkeyNames(key), std::vector<std::string>{"Lasting"});
}

TEST_F(RegistryTest, ChangesReachTheFileSoonAfterAndAtOnceOnFlush)
{
    HKEY sub = Create("Persisted");
    SetString(sub, "Name", "value");
    std::string text;
    for (int i = 0; i < 300 && text.find("\"Name\"=\"value\"") == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        text = ReadText(tw::RegistryFilePath());
    }
    EXPECT_NE(text.find("\\Persisted]\n\"Name\"=\"value\"\n"), std::string::npos) << text;

    SetString(sub, "Second", "now");
    ASSERT_EQ(RegFlushKey(sub), ERROR_SUCCESS);
    EXPECT_NE(ReadText(tw::RegistryFilePath()).find("\"Second\"=\"now\""), std::string::npos);
    RegCloseKey(sub);
}

TEST(RegistryFile, DamagedFileIsKeptAsideAndItsReadableKeysSurvive)
{
    tw::ReloadRegistry();
    const std::string path = tw::RegistryFilePath();
    const std::string damaged =
        "Tarnwick Registry 1\n"
        "\n[HKEY_CURRENT_USER\\Software\\Good]\n\"a\"=\"kept\"\n"
        "this line is damaged\n"
        "\"b\"=dword:00000001\n";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << damaged;
    tw::ReloadRegistry();

    testing::internal::CaptureStderr();
    HKEY good = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Good", 0, KEY_READ, &good), ERROR_SUCCESS);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find(".bad"), std::string::npos);
    DWORD b = 0, size = sizeof b;
    EXPECT_EQ(RegQueryValueEx(good, "b", nullptr, nullptr, reinterpret_cast<BYTE*>(&b), &size), ERROR_SUCCESS);
    EXPECT_EQ(b, 1u);
    RegCloseKey(good);
    EXPECT_EQ(ReadText(path + ".bad"), damaged);
    EXPECT_NE(ReadText(path).find("\"a\"=\"kept\""), std::string::npos);
}

TEST(RegistryFile, ConcurrentWritersLoseNothing)
{
    constexpr int kThreads = 4, kValues = 50;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([t] {
            HKEY k = nullptr;
            const std::string path = "Software\\TwConcurrent\\T" + std::to_string(t);
            RegCreateKey(HKEY_CURRENT_USER, path.c_str(), &k);
            for (DWORD i = 0; i < kValues; ++i) {
                const std::string name = "v" + std::to_string(i);
                RegSetValueEx(k, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&i), sizeof i);
            }
            RegCloseKey(k);
        });
    }
    for (auto& w : writers)
        w.join();
    tw::ReloadRegistry();
    for (int t = 0; t < kThreads; ++t) {
        HKEY k = nullptr;
        const std::string path = "Software\\TwConcurrent\\T" + std::to_string(t);
        ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &k), ERROR_SUCCESS);
        DWORD values = 0;
        RegQueryInfoKey(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                        nullptr);
        EXPECT_EQ(values, static_cast<DWORD>(kValues));
        RegCloseKey(k);
    }
}

TEST(Privileges, BackupAndRestoreCanBeEnabledAndDisabledAgain)
{
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token));
    TOKEN_PRIVILEGES tp{};
    tp.PrivilegeCount = 1;
    ASSERT_TRUE(LookupPrivilegeValue(nullptr, SE_BACKUP_NAME, &tp.Privileges[0].Luid));
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    ASSERT_TRUE(AdjustTokenPrivileges(token, FALSE, &tp, sizeof tp, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_TRUE(tw::IsPrivilegeEnabled(SE_BACKUP_NAME));
    ASSERT_TRUE(AdjustTokenPrivileges(token, TRUE, nullptr, 0, nullptr, nullptr));
    EXPECT_FALSE(tw::IsPrivilegeEnabled(SE_BACKUP_NAME));

    LUID luid;
    EXPECT_FALSE(LookupPrivilegeValue(nullptr, "SeNoSuchPrivilege", &luid));
    ASSERT_TRUE(LookupPrivilegeValue(nullptr, SE_DEBUG_NAME, &tp.Privileges[0].Luid));
    ASSERT_TRUE(AdjustTokenPrivileges(token, FALSE, &tp, sizeof tp, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ALL_ASSIGNED));
    CloseHandle(token);
}

}  // namespace
