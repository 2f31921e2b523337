// The connection-profiles dialog driven as a user does, each change checked
// on the profile file read back.
#include <memory>

#include "platform/comctl/commctrl.h"
#include "session/LogonIds.h"
#include "session/ProfilesDlg.h"
#include "tests/session/LogonTestSupport.h"

namespace {

using logontest::ListItems;
using logontest::LogonTest;
using logontest::MessageBoxes;
using logontest::Scripted;
using ProfilesScripted = Scripted<CLogonHistoryDlg>;

class ProfilesDlgTest : public LogonTest {
protected:
    void SetUp() override
    {
        LogonTest::SetUp();
        unexpected = std::make_unique<MessageBoxes>();
    }
    void TearDown() override
    {
        EXPECT_TRUE(unexpected->texts.empty()) << unexpected->texts[0];
        unexpected.reset();
        LogonTest::TearDown();
    }
    // Answers a message box no test expects, so that it fails the test instead of hanging it.
    std::unique_ptr<MessageBoxes> unexpected;

    static void Click(ProfilesScripted& d, int nID) { ::SendMessage(d.Item(nID), BM_CLICK, 0, 0); }
    static void Type(ProfilesScripted& d, int nID, const char* text) { ::SetWindowText(d.Item(nID), text); }
    static void Select(ProfilesScripted& d, const char* nickname)
    {
        const std::vector<std::string> items = ListItems(d.Item(IDC_TW_PROFILE_LIST));
        const auto found = std::find(items.begin(), items.end(), nickname);
        ASSERT_NE(items.end(), found) << nickname;
        LVITEM item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessage(d.Item(IDC_TW_PROFILE_LIST), LVM_SETITEMSTATE, found - items.begin(),
                      reinterpret_cast<LPARAM>(&item));
    }
    // Runs the dialog with the steps, then closes it unsaved.
    static void Run(std::vector<std::function<void(ProfilesScripted&)>> steps)
    {
        ProfilesScripted dlg;
        dlg.steps = std::move(steps);
        dlg.steps.push_back([](ProfilesScripted& d) { d.Press(IDCANCEL); });
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
    static std::vector<std::string> Nicknames()
    {
        std::vector<std::string> names;
        for (const CProfileRow& row : ReadProfiles())
            names.emplace_back(static_cast<LPCTSTR>(row.m_NickName));
        return names;
    }
    // A new profile typed in full.
    static void TypeNewProfile(ProfilesScripted& d, const char* nick, const char* server, const char* database,
                               const char* user, const char* password)
    {
        d.Press(ID_TW_PROFILE_NEW);
        Type(d, IDC_TW_PROFILE_NICKNAME, nick);
        Type(d, IDC_TW_PROFILE_SERVER, server);
        Type(d, IDC_TW_PROFILE_DATABASE, database);
        if (!d.Checked(IDC_TW_PROFILE_SQL_AUTH))
            Click(d, IDC_TW_PROFILE_SQL_AUTH);
        Type(d, IDC_TW_PROFILE_USER, user);
        Type(d, IDC_TW_PROFILE_PASSWORD, password);
    }
};

TEST_F(ProfilesDlgTest, OpensWithTheFileOrderAndTheFirstProfileShown)
{
    CProfileRow work = Row("work", "srv1", "db1", FALSE, "u1", "p1");
    // Both switches in the file: shown, the rules leave the default alone.
    work.m_Default = TRUE;
    work.m_AutoConn = TRUE;
    WriteProfiles({work, Row("home", "srv2", "db2", TRUE)});
    Run({[&](ProfilesScripted& d) {
        EXPECT_EQ((std::vector<std::string>{"work", "home"}), ListItems(d.Item(IDC_TW_PROFILE_LIST)));
        EXPECT_EQ("work", d.Text(IDC_TW_PROFILE_NICKNAME));
        EXPECT_EQ("srv1", d.Text(IDC_TW_PROFILE_SERVER));
        EXPECT_EQ("p1", d.Text(IDC_TW_PROFILE_PASSWORD));
        EXPECT_TRUE(d.Checked(IDC_TW_PROFILE_SQL_AUTH));
        EXPECT_TRUE(d.Checked(IDC_TW_PROFILE_DEFAULT));
        EXPECT_FALSE(d.Checked(IDC_TW_PROFILE_AUTO_CONNECT));

        Select(d, "home");
        EXPECT_EQ("srv2", d.Text(IDC_TW_PROFILE_SERVER));
        EXPECT_TRUE(d.Checked(IDC_TW_PROFILE_WINDOWS_AUTH));
        EXPECT_FALSE(d.Checked(IDC_TW_PROFILE_SQL_AUTH));
        EXPECT_FALSE(d.Enabled(IDC_TW_PROFILE_USER));
    }});
}

TEST_F(ProfilesDlgTest, SaveStoresTheProfileAndThePasswordOnlyWhenAskedTo)
{
    for (const bool savePassword : {true, false}) {
        SCOPED_TRACE(savePassword ? "password saved" : "password not saved");
        WriteProfiles({});
        Run({[&](ProfilesScripted& d) {
            TypeNewProfile(d, "new one", "srv", "db", "sa", "secret");
            if (savePassword != d.Checked(IDC_TW_PROFILE_SAVE_PASSWORD))
                Click(d, IDC_TW_PROFILE_SAVE_PASSWORD);
            d.Press(ID_TW_PROFILE_SAVE);
        }});
        const std::vector<CProfileRow> rows = ReadProfiles();
        ASSERT_EQ(1u, rows.size());
        EXPECT_STREQ("new one", rows[0].m_NickName);
        EXPECT_STREQ("srv", rows[0].m_ServerName);
        EXPECT_STREQ("sa", rows[0].m_UserName);
        EXPECT_FALSE(rows[0].m_Identified);
        EXPECT_EQ(savePassword, rows[0].m_SavePwd != FALSE);
        EXPECT_STREQ(savePassword ? "secret" : "", rows[0].m_PasswordName);
    }
}

TEST_F(ProfilesDlgTest, SaveOverwritesByTheTrimmedNicknameAndARenameAddsAProfile)
{
    WriteProfiles({Row("work", "srv1", "db1", TRUE), Row("home", "srv2", "db2", TRUE)});
    // The renamed profile describes the same connection as its old self.
    MessageBoxes boxes({IDYES});
    Run({[&](ProfilesScripted& d) {
        Select(d, "work");
        Type(d, IDC_TW_PROFILE_NICKNAME, "  work ");
        Type(d, IDC_TW_PROFILE_SERVER, "moved");
        d.Press(ID_TW_PROFILE_SAVE);
        Select(d, "home");
        Type(d, IDC_TW_PROFILE_NICKNAME, "home2");
        d.Press(ID_TW_PROFILE_SAVE);
    }});
    EXPECT_EQ(1u, boxes.texts.size());
    const std::vector<CProfileRow> rows = ReadProfiles();
    ASSERT_EQ(3u, rows.size());
    EXPECT_STREQ("work", rows[0].m_NickName);
    EXPECT_STREQ("moved", rows[0].m_ServerName);
    EXPECT_STREQ("home", rows[1].m_NickName);
    EXPECT_STREQ("home2", rows[2].m_NickName);
    EXPECT_STREQ("srv2", rows[2].m_ServerName);
}

TEST_F(ProfilesDlgTest, SimilarConnectionIsAskedAboutAndNoKeepsTheFile)
{
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "yes" : "no");
        WriteProfiles({Row("first", "srv", "db", FALSE, "sa", "pw")});
        MessageBoxes boxes({answer});
        Run({[&](ProfilesScripted& d) {
            TypeNewProfile(d, "second", "srv", "db", "sa", "other");
            d.Press(ID_TW_PROFILE_SAVE);
        }});
        ASSERT_EQ(1u, boxes.texts.size());
        EXPECT_EQ("Similar connection has been existed,will you be sure of create other connect?", boxes.texts[0]);
        EXPECT_EQ(answer == IDYES ? (std::vector<std::string>{"first", "second"}) : std::vector<std::string>{"first"},
                  Nicknames());
    }
}

TEST_F(ProfilesDlgTest, EmptyNicknameIsRefused)
{
    WriteProfiles({Row("only", "srv", "db", TRUE)});
    MessageBoxes boxes;
    Run({[&](ProfilesScripted& d) {
        d.Press(ID_TW_PROFILE_NEW);
        d.Press(ID_TW_PROFILE_SAVE);
    }});
    EXPECT_EQ((std::vector<std::string>{"Input nickname,please!"}), boxes.texts);
    EXPECT_EQ((std::vector<std::string>{"only"}), Nicknames());
}

TEST_F(ProfilesDlgTest, DeleteRemovesTheProfileAndAnUnsavedEntryLeavesTheFile)
{
    WriteProfiles({Row("a", "s", "d", TRUE), Row("b", "s", "d", TRUE), Row("c", "s", "d", TRUE)});
    Run({[&](ProfilesScripted& d) {
        Select(d, "b");
        d.Press(ID_TW_PROFILE_DELETE);
        EXPECT_EQ((std::vector<std::string>{"a", "c"}), ListItems(d.Item(IDC_TW_PROFILE_LIST)));
        d.Press(ID_TW_PROFILE_NEW);
        d.Press(ID_TW_PROFILE_DELETE);
        EXPECT_EQ((std::vector<std::string>{"a", "c"}), ListItems(d.Item(IDC_TW_PROFILE_LIST)));
    }});
    EXPECT_EQ((std::vector<std::string>{"a", "c"}), Nicknames());
}

TEST_F(ProfilesDlgTest, MovesChangeTheListOnlyAndNeedASelection)
{
    WriteProfiles({Row("a", "s", "d", TRUE), Row("b", "s", "d", TRUE), Row("c", "s", "d", TRUE)});
    MessageBoxes boxes;
    Run({[&](ProfilesScripted& d) {
        Select(d, "c");
        d.Press(ID_TW_PROFILE_UP);
        d.Press(ID_TW_PROFILE_UP);
        d.Press(ID_TW_PROFILE_UP);
        EXPECT_EQ((std::vector<std::string>{"c", "a", "b"}), ListItems(d.Item(IDC_TW_PROFILE_LIST)));
        d.Press(ID_TW_PROFILE_DOWN);
        EXPECT_EQ((std::vector<std::string>{"a", "c", "b"}), ListItems(d.Item(IDC_TW_PROFILE_LIST)));
        EXPECT_EQ("c", d.Text(IDC_TW_PROFILE_NICKNAME));
        LVITEM none{};
        none.stateMask = LVIS_SELECTED;
        ::SendMessage(d.Item(IDC_TW_PROFILE_LIST), LVM_SETITEMSTATE, -1, reinterpret_cast<LPARAM>(&none));
        d.Press(ID_TW_PROFILE_DOWN);
    }});
    EXPECT_EQ((std::vector<std::string>{"Select a row in the list,please!"}), boxes.texts);
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), Nicknames());
}

TEST_F(ProfilesDlgTest, SwitchesExcludeEachOtherAndAutoConnectKeepsAServerPassword)
{
    WriteProfiles({Row("win", "s", "d", TRUE), Row("sql", "s", "d", FALSE, "sa", "pw")});
    Run({[&](ProfilesScripted& d) {
        Select(d, "win");
        Click(d, IDC_TW_PROFILE_DEFAULT);
        Click(d, IDC_TW_PROFILE_AUTO_CONNECT);
        EXPECT_FALSE(d.Checked(IDC_TW_PROFILE_DEFAULT));
        EXPECT_FALSE(d.Checked(IDC_TW_PROFILE_SAVE_PASSWORD));
        Click(d, IDC_TW_PROFILE_LOCK);
        EXPECT_FALSE(d.Checked(IDC_TW_PROFILE_AUTO_CONNECT));
        Click(d, IDC_TW_PROFILE_DEFAULT);
        EXPECT_FALSE(d.Checked(IDC_TW_PROFILE_LOCK));

        Select(d, "sql");
        EXPECT_FALSE(d.Checked(IDC_TW_PROFILE_SAVE_PASSWORD));
        Click(d, IDC_TW_PROFILE_AUTO_CONNECT);
        EXPECT_TRUE(d.Checked(IDC_TW_PROFILE_SAVE_PASSWORD));
    }});
}

TEST_F(ProfilesDlgTest, EnterSavesAndClosesToolbarOkClosesWithoutSaving)
{
    WriteProfiles({Row("a", "s", "d", TRUE)});
    for (const bool enter : {false, true}) {
        SCOPED_TRACE(enter ? "enter" : "toolbar OK");
        ProfilesScripted dlg;
        dlg.steps.push_back([&](ProfilesScripted& d) {
            Type(d, IDC_TW_PROFILE_SERVER, enter ? "by enter" : "by toolbar");
            if (enter)
                input.KeyStroke(VK_RETURN);
            else
                d.Press(ID_TW_PROFILE_OK);
        });
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_STREQ(enter ? "by enter" : "s", ReadProfiles()[0].m_ServerName);
    }
}

}  // namespace
