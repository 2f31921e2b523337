// The application's settings in the registry: values round-trip by kind, a
// value of another kind reads as the default, reading never creates keys,
// and deleting by NULL entry or value.
#include <sys/resource.h>

#include <memory>
#include <string>

#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

class Profile : public ::testing::Test {
protected:
    void SetUp() override { App().SetRegistryKey("Corvane"); }
    static bool KeyExists(const char* path)
    {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
};

TEST_F(Profile, PreviewPagesAreReadWithTheStandardSettingsAndWrittenWhenChosen)
{
    App().LoadStdProfileSettings(0);
    EXPECT_EQ(App().m_nNumPreviewPages, 0u);
    App().SaveStdProfileSettings();
    EXPECT_FALSE(KeyExists("Software\\Corvane\\Tarnwick\\Settings")) << "nothing chosen, nothing written";

    App().m_nNumPreviewPages = 2;
    App().SaveStdProfileSettings();
    App().m_nNumPreviewPages = 0;
    App().LoadStdProfileSettings(0);
    EXPECT_EQ(App().m_nNumPreviewPages, 2u);
    App().WriteProfileString("Settings", nullptr, nullptr);
    App().m_nNumPreviewPages = 0;
}

TEST_F(Profile, ValuesRoundTripUnderTheApplicationKey)
{
    EXPECT_TRUE(App().WriteProfileInt("Configure", "QueryTimeOut", -30));
    EXPECT_TRUE(App().WriteProfileString("Configure", "Server", "(embedded)"));
    BYTE bytes[] = {1, 0, 255, 7};
    EXPECT_TRUE(App().WriteProfileBinary("Configure", "Placement", bytes, sizeof bytes));

    EXPECT_EQ(static_cast<int>(App().GetProfileInt("Configure", "QueryTimeOut", 5)), -30);
    EXPECT_STREQ(App().GetProfileString("Configure", "Server"), "(embedded)");
    LPBYTE data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(App().GetProfileBinary("Configure", "Placement", &data, &size));
    std::unique_ptr<BYTE[]> owned(data);
    ASSERT_EQ(size, sizeof bytes);
    EXPECT_EQ(std::memcmp(data, bytes, size), 0);
    EXPECT_TRUE(KeyExists("Software\\Corvane\\Tarnwick\\Configure"));
}

TEST_F(Profile, MissingOrOtherKindReadsAsTheDefault)
{
    App().WriteProfileString("Configure", "CacheSize", "large");
    App().WriteProfileInt("Configure", "Title", 3);
    EXPECT_EQ(App().GetProfileInt("Configure", "CacheSize", 64), 64u);
    EXPECT_STREQ(App().GetProfileString("Configure", "Title", "none"), "none");
    EXPECT_STREQ(App().GetProfileString("Configure", "Absent"), "");
    LPBYTE data = nullptr;
    UINT size = 9;
    EXPECT_FALSE(App().GetProfileBinary("Configure", "Title", &data, &size));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0u);
}

TEST_F(Profile, ReadingDoesNotCreateKeys)
{
    EXPECT_EQ(App().GetProfileInt("NeverWritten", "Value", 8), 8u);
    EXPECT_FALSE(KeyExists("Software\\Corvane\\Tarnwick\\NeverWritten"));
}

TEST_F(Profile, NullValueDeletesTheEntryAndNullEntryTheSection)
{
    App().WriteProfileString("Snippets", "One", "select 1");
    App().WriteProfileString("Snippets", "Two", "select 2");
    EXPECT_TRUE(App().WriteProfileString("Snippets", "One", nullptr));
    EXPECT_STREQ(App().GetProfileString("Snippets", "One", "gone"), "gone");
    EXPECT_STREQ(App().GetProfileString("Snippets", "Two"), "select 2");
    EXPECT_TRUE(App().WriteProfileString("Snippets", nullptr, nullptr));
    EXPECT_FALSE(KeyExists("Software\\Corvane\\Tarnwick\\Snippets"));
}

TEST(ProfileWithoutKey, FailsAndAnswersDefaults)
{
    CWinApp* app = &App();
    LPCTSTR saved = app->m_pszRegistryKey;
    app->m_pszRegistryKey = nullptr;
    EXPECT_FALSE(app->WriteProfileInt("Configure", "X", 1));
    EXPECT_EQ(app->GetProfileInt("Configure", "X", 2), 2u);
    EXPECT_EQ(app->GetAppRegistryKey(), nullptr);
    app->m_pszRegistryKey = saved;
}

std::string g_box;
int RecordBox(LPCTSTR text, UINT, UINT)
{
    g_box += text ? text : "";
    g_box += "\n";
    return IDOK;
}

TEST_F(Profile, AFailedSaveIsToldToTheUserOnceWhenIdle)
{
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit lower = saved;
    lower.rlim_cur = 8;  // every save fails as on a full disk
    setrlimit(RLIMIT_FSIZE, &lower);
    EXPECT_TRUE(App().WriteProfileString("Configure", "Server", "(embedded)"));
    App().GetProfileInt("Configure", "X", 0);
    const LONG flushed = RegFlushKey(HKEY_CURRENT_USER);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(flushed, ERROR_REGISTRY_IO_FAILED);

    g_box.clear();
    auto previous = tw::SetErrorBoxFunction(&RecordBox);
    App().OnIdle(0);
    App().OnIdle(1);
    tw::SetErrorBoxFunction(previous);
    EXPECT_EQ(g_box, "settings could not be saved: File too large\n");
    EXPECT_EQ(RegFlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS) << "kept and saved later";
}

TEST(ApplicationStart, FrameworkErrorsBecomeMessageBoxes)
{
    tw::SetErrorBoxFunction(nullptr);
    ASSERT_TRUE(App().InitApplication());
    EXPECT_EQ(tw::SetErrorBoxFunction(nullptr), &tw::ShowFrameworkErrorBox);
}

}  // namespace
}  // namespace tw::mfc::test
