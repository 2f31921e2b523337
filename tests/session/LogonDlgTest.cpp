// The logon dialog driven as a user does: what it opens with, profiles
// recalled by nickname and by user, the server's databases listed through a
// trial connection, and the connection string it hands back.
#include <cstdlib>

#include "platform/comctl/commctrl.h"
#include "session/LogonDlg.h"
#include "session/LogonIds.h"
#include "tests/session/LogonTestSupport.h"

namespace {

using logontest::ChooseComboEntry;
using logontest::ComboItems;
using logontest::LogonTest;
using logontest::MessageBoxes;
using logontest::Scripted;
using LogonScripted = Scripted<CConnectDlg>;

class LogonDlgTest : public LogonTest {
protected:
    // Drops the database list down as the arrow does, and closes it again.
    static std::vector<std::string> DropDatabases(LogonScripted& dlg)
    {
        const HWND hCombo = dlg.Item(IDC_TW_LOGON_DATABASE);
        ::SendMessage(hCombo, CB_SHOWDROPDOWN, TRUE, 0);
        ::SendMessage(hCombo, CB_SHOWDROPDOWN, FALSE, 0);
        return ComboItems(hCombo);
    }
    // A preset that keeps the first nickname from being recalled on opening.
    static void PresetServerLogin(CConnectDlg& dlg, const char* user, const char* password)
    {
        dlg.m_NickName = "typed";
        dlg.m_ServerName = "(embedded)";
        dlg.m_UserName = user;
        dlg.m_PasswordName = password;
        dlg.m_Identified = FALSE;
    }
};

TEST_F(LogonDlgTest, FirstRunOpensPresetWithTheEmbeddedProfileAndEnterConnects)
{
    LogonScripted dlg;
    dlg.steps.push_back([&](LogonScripted& d) {
        EXPECT_EQ("Embedded", d.Text(IDC_TW_LOGON_NICKNAME));
        EXPECT_EQ("(embedded)", d.Text(IDC_TW_LOGON_SERVER));
        EXPECT_EQ("TarnSample", d.Text(IDC_TW_LOGON_DATABASE));
        EXPECT_TRUE(d.Checked(IDC_TW_LOGON_WINDOWS_AUTH));
        EXPECT_FALSE(d.Checked(IDC_TW_LOGON_SQL_AUTH));
        EXPECT_FALSE(d.Enabled(IDC_TW_LOGON_USER));
        // The banner is the title: the first control sits below it.
        CRect nick;
        ::GetWindowRect(d.Item(IDC_TW_LOGON_NICKNAME), nick);
        d.ScreenToClient(nick);
        EXPECT_GE(nick.top, d.m_Banner.GetBandHeight());
        input.KeyStroke(VK_RETURN);
    });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=TarnSample;Data Source=(embedded)",
                 dlg.m_strConnection);
    EXPECT_STREQ("Embedded", dlg.m_NickName);
    EXPECT_EQ(1u, ReadProfiles().size());
}

TEST_F(LogonDlgTest, PresetAuthenticationChecksItsButtonAndSetsTheUserControls)
{
    for (const BOOL identified : {TRUE, FALSE}) {
        SCOPED_TRACE(identified ? "windows" : "server login");
        LogonScripted dlg;
        dlg.m_NickName = "mine";
        dlg.m_ServerName = "dbhost";
        dlg.m_UserName = "sa";
        dlg.m_PasswordName = "pw";
        dlg.m_DatabaseName = "  ";
        dlg.m_Identified = identified;
        dlg.steps.push_back([&](LogonScripted& d) {
            EXPECT_EQ(identified != FALSE, d.Checked(IDC_TW_LOGON_WINDOWS_AUTH));
            EXPECT_EQ(identified == FALSE, d.Checked(IDC_TW_LOGON_SQL_AUTH));
            for (int id : {IDC_TW_LOGON_USER, IDC_TW_LOGON_PASSWORD, IDC_TW_LOGON_SAVE_PASSWORD,
                           IDC_TW_LOGON_USER_MENU})
                EXPECT_EQ(identified == FALSE, d.Enabled(id)) << id;
            EXPECT_EQ("mine", d.Text(IDC_TW_LOGON_NICKNAME));
            d.Press(IDOK);
        });
        ASSERT_EQ(IDOK, dlg.DoModal());
        // A blank database is master; Windows logons carry no user or password.
        EXPECT_STREQ(identified ? "Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=master;Data Source=dbhost"
                                : "Provider=SQLOLEDB.1;User ID=sa;Password=pw;Initial Catalog=master;Data Source=dbhost",
                     dlg.m_strConnection);
    }
}

TEST_F(LogonDlgTest, NicknameRecallsItsProfileAndWindowsProfilesKeepTheTypedLogin)
{
    CProfileRow work = Row("work", "srv1", "db1", FALSE, "u1", "p1");
    work.m_SavePwd = TRUE;
    WriteProfiles({work, Row("home", "srv2", "db2", TRUE)});
    LogonScripted dlg;
    dlg.m_NickName = "typed";
    dlg.steps.push_back([&](LogonScripted& d) {
        EXPECT_EQ((std::vector<std::string>{"home", "work"}), ComboItems(d.Item(IDC_TW_LOGON_NICKNAME)));
        ChooseComboEntry(d.Item(IDC_TW_LOGON_NICKNAME), "work");
        EXPECT_EQ("srv1", d.Text(IDC_TW_LOGON_SERVER));
        EXPECT_EQ("db1", d.Text(IDC_TW_LOGON_DATABASE));
        EXPECT_EQ("u1", d.Text(IDC_TW_LOGON_USER));
        EXPECT_EQ("p1", d.Text(IDC_TW_LOGON_PASSWORD));
        EXPECT_TRUE(d.Checked(IDC_TW_LOGON_SAVE_PASSWORD));
        EXPECT_TRUE(d.Checked(IDC_TW_LOGON_SQL_AUTH));

        ChooseComboEntry(d.Item(IDC_TW_LOGON_NICKNAME), "home");
        EXPECT_EQ("srv2", d.Text(IDC_TW_LOGON_SERVER));
        EXPECT_EQ("u1", d.Text(IDC_TW_LOGON_USER));
        EXPECT_EQ("p1", d.Text(IDC_TW_LOGON_PASSWORD));
        EXPECT_TRUE(d.Checked(IDC_TW_LOGON_WINDOWS_AUTH));
        EXPECT_FALSE(d.Checked(IDC_TW_LOGON_SQL_AUTH));
        EXPECT_FALSE(d.Enabled(IDC_TW_LOGON_USER));
        d.Press(IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST_F(LogonDlgTest, UserMenuSkipsLockedAndWindowsProfilesAndKeepsTheTypedPassword)
{
    CProfileRow locked = Row("a", "srva", "dba", FALSE, "ua", "pa");
    locked.m_Lock = TRUE;
    WriteProfiles({locked, Row("b", "srvb", "dbb", TRUE, "ub"), Row("c", "srvc", "dbc", FALSE, "uc", "pc"),
                   Row("d", "srvd", "dbd", FALSE, "ud", "pd")});
    LogonScripted dlg;
    PresetServerLogin(dlg, "", "typed secret");
    dlg.steps.push_back([&](LogonScripted& d) {
        ASSERT_EQ(2, d.m_UserMenuTexts.GetSize());
        EXPECT_STREQ("uc#srvc#dbc", d.m_UserMenuTexts[0]);
        EXPECT_STREQ("ud#srvd#dbd", d.m_UserMenuTexts[1]);
        // Locked and Windows profiles stay in the nickname list.
        EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d"}), ComboItems(d.Item(IDC_TW_LOGON_NICKNAME)));
        ::SetFocus(d.Item(IDC_TW_LOGON_USER_MENU));
        input.KeyStroke(VK_DOWN);
        input.KeyStroke(VK_DOWN);
        input.KeyStroke(VK_DOWN);
        input.KeyStroke(VK_RETURN);
    });
    dlg.steps.push_back([&](LogonScripted& d) {
        EXPECT_EQ("ud", d.Text(IDC_TW_LOGON_USER));
        EXPECT_EQ("srvd", d.Text(IDC_TW_LOGON_SERVER));
        EXPECT_EQ("dbd", d.Text(IDC_TW_LOGON_DATABASE));
        EXPECT_EQ("d", d.Text(IDC_TW_LOGON_NICKNAME));
        EXPECT_EQ("typed secret", d.Text(IDC_TW_LOGON_PASSWORD));
        EXPECT_TRUE(d.Checked(IDC_TW_LOGON_SQL_AUTH));
        d.Press(IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST_F(LogonDlgTest, DatabaseListShowsStatesAndRefusesADatabaseThatIsNotOnline)
{
    logontest::RunAsAdministrator("create database LogonShelf");
    logontest::RunAsAdministrator("alter database LogonShelf set offline");
    LogonScripted dlg;
    PresetServerLogin(dlg, "sa", "");
    MessageBoxes boxes;
    dlg.steps.push_back([&](LogonScripted& d) {
        const std::vector<std::string> items = DropDatabases(d);
        EXPECT_NE(items.end(), std::find(items.begin(), items.end(), "master"));
        EXPECT_NE(items.end(), std::find(items.begin(), items.end(), "TarnSample"));
        EXPECT_NE(items.end(), std::find(items.begin(), items.end(), "LogonShelf(OFFLINE)"));
        ChooseComboEntry(d.Item(IDC_TW_LOGON_DATABASE), "LogonShelf(OFFLINE)");
        ASSERT_EQ(1u, boxes.texts.size());
        EXPECT_NE(std::string::npos, boxes.texts[0].find("offline")) << boxes.texts[0];
        EXPECT_NE("LogonShelf(OFFLINE)", d.Text(IDC_TW_LOGON_DATABASE));
        // A second drop keeps the list: it already names this server's databases.
        EXPECT_EQ(items, DropDatabases(d));
        ChooseComboEntry(d.Item(IDC_TW_LOGON_DATABASE), "TarnSample");
        d.Press(IDOK);
    });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("Provider=SQLOLEDB.1;User ID=sa;Password=;Initial Catalog=TarnSample;Data Source=(embedded)",
                 dlg.m_strConnection);
    logontest::RunAsAdministrator("alter database LogonShelf set online drop database LogonShelf");
}

TEST_F(LogonDlgTest, WrongPasswordFailsTheListAndTheCorrectedOneListsAgain)
{
    logontest::RunAsAdministrator("exec sp_addlogin 'logon_tester', 'right'");
    LogonScripted dlg;
    PresetServerLogin(dlg, "logon_tester", "wrong");
    MessageBoxes boxes;
    dlg.steps.push_back([&](LogonScripted& d) {
        EXPECT_TRUE(DropDatabases(d).empty());
        ASSERT_EQ(1u, boxes.texts.size());
        EXPECT_EQ(0u, boxes.texts[0].find("Failed to connect (embedded)!")) << boxes.texts[0];
        ::SetWindowText(d.Item(IDC_TW_LOGON_PASSWORD), "right");
        EXPECT_FALSE(DropDatabases(d).empty());
        EXPECT_EQ(1u, boxes.texts.size());
        // Another login may see other databases: the list is made again.
        ::SetWindowText(d.Item(IDC_TW_LOGON_USER), "sa");
        EXPECT_TRUE(ComboItems(d.Item(IDC_TW_LOGON_DATABASE)).empty());
        d.Press(IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    logontest::RunAsAdministrator("exec sp_droplogin 'logon_tester'");
}

}  // namespace
