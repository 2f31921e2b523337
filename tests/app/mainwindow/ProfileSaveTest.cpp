// A logon through the dialog keeps the connection as a profile, named after
// the nickname typed (or the next "My-Query-<n>"), once per server, database
// and login; and the main window's server-management object logs in there.
#include <filesystem>

#include "tests/app/mainwindow/StartupFixture.h"
#include "tests/session/ProfileFileRows.h"

namespace tw::test {
namespace {

class ProfileSaveTest : public StartupTest {
protected:
    void BeforeStart() override
    {
        logonAnswer = IDCANCEL;  // the start-up's own logon is not the one tested
        StartupTest::BeforeStart();
    }
    void SetUp() override
    {
        StartupTest::SetUp();
        logonAnswer = IDOK;  // the logons the test opens connect
    }
    // The logon's fields as the user types them, then Enter.
    void AnswerLogon(CConnectDlg& dlg) override
    {
        ::SetDlgItemText(dlg.GetSafeHwnd(), IDC_TW_LOGON_NICKNAME, typedNickname);
        ::SetDlgItemText(dlg.GetSafeHwnd(), IDC_TW_LOGON_DATABASE, typedDatabase);
        StartupTest::AnswerLogon(dlg);
    }
    static std::vector<CProfileRow> StoredRows() { return logontest::ReadProfileRows(); }
    static CProfileRow Row(const char* nick, const char* database, BOOL bDefault = FALSE)
    {
        CProfileRow row;
        row.m_NickName = nick;
        row.m_ServerName = "(embedded)";
        row.m_DatabaseName = database;
        row.m_Identified = TRUE;
        row.m_Default = bDefault;
        return row;
    }
    const char* typedNickname = "";
    const char* typedDatabase = "";
};

TEST_F(ProfileSaveTest, ALogonAddsOneProfileForANewConnectionAndLogsTheServerObjectIn)
{
    const struct {
        const char* name;
        std::vector<CProfileRow> before;
        const char* nickname;
        const char* database;
        const char* added;  // nullptr: no row added
    } cases[] = {
        {"a typed nickname", {Row("Embedded", "TarnSample", TRUE)}, "Mine", "master", "Mine"},
        {"numbered after the largest", {Row("My-Query-3", "TarnSample", TRUE), Row("My-Query-7", "msdb")}, "",
         "master", "My-Query-8"},
        {"the same connection in another case", {Row("Embedded", "TarnSample", TRUE)}, "Other", "TARNSAMPLE",
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        logontest::WriteProfileRows(c.before);
        typedNickname = c.nickname;
        typedDatabase = c.database;
        frame->m_SQLServer->DisConnect();
        frame->SendMessage(WM_COMMAND, 57600);
        Pump();
        for (const std::string& text : otherBoxes)
            ADD_FAILURE() << "unexpected box: " << text;
        otherBoxes.clear();
        CChildFrame* pWindow = ActiveQueryWindow();
        ASSERT_NE(nullptr, pWindow);

        const std::vector<CProfileRow> after = StoredRows();
        ASSERT_EQ(c.before.size() + (c.added ? 1 : 0), after.size());
        if (c.added) {
            const CProfileRow& row = after.back();
            EXPECT_STREQ(c.added, row.m_NickName);
            EXPECT_STREQ("(embedded)", row.m_ServerName);
            EXPECT_STREQ(c.database, row.m_DatabaseName);
            EXPECT_TRUE(row.m_Identified);
            EXPECT_STREQ("", row.m_UserName);
            EXPECT_STREQ("", row.m_PasswordName);
            EXPECT_FALSE(row.m_Default || row.m_AutoConn || row.m_Lock || row.m_SavePwd);
        }
        // The server object logged in, and the window stays in the catalogue chosen.
        EXPECT_STREQ("(embedded)", static_cast<LPCTSTR>(frame->m_SQLServer->GetName()));
        EXPECT_STREQ("master", frame->m_strLoginDefaultDatabase);
        EXPECT_EQ(0, CString(c.database).CompareNoCase(pWindow->m_strCurrentDatabase)) << pWindow->m_strCurrentDatabase;
        CloseQueryWindows();
    }
}

// A profile file that cannot be read costs the profile, not the window, and
// is told once (by the logon that found it).
TEST_F(ProfileSaveTest, AnUnreadableProfileFileIsToldOnceAndTheWindowStaysConnected)
{
    const std::filesystem::path file = tw::MapPath(kProfileFile);
    std::filesystem::remove_all(file);
    std::filesystem::create_directories(file / "inside");
    typedNickname = "Blocked";
    typedDatabase = "master";
    frame->SendMessage(WM_COMMAND, 57600);
    Pump();
    EXPECT_EQ(1, frame->GetQueryWindowCount());
    ASSERT_EQ(1u, otherBoxes.size()) << "told once";
    EXPECT_NE(std::string::npos, otherBoxes[0].find("ProData.dat")) << otherBoxes[0];
    EXPECT_TRUE(std::filesystem::is_directory(file)) << "what cannot be read is left alone";
    std::filesystem::remove_all(file);
    otherBoxes.clear();
}

}  // namespace
}  // namespace tw::test
