// Query windows opened from the main window: through the profile loader and
// the logon dialog, counted, titled and limited; the Session commands that
// reach them.
#include <filesystem>
#include <algorithm>
#include <cstdio>
#include <fstream>

#include "platform/mfc/CDocument.h"
#include "platform/win32/kernel/Files.h"
#include "session/ChildFrame.h"
#include "session/LogonIds.h"
#include "session/ProfileFile.h"
#include "tests/session/ProfileFileRows.h"
#include "tests/app/mainwindow/MainWindowFixture.h"

namespace {

constexpr const char* kEmbeddedSample =
    "Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=TarnSample;Data Source=(embedded)";

// Answers every logon dialog as it opens (Connect or Cancel) and every
// message box with No, Cancel or OK, keeping count of both and the message texts.
class LogonAnswers {
public:
    explicit LogonAnswers(int nAnswer) : answer(nAnswer)
    {
        s_self = this;
        m_hook = ::SetWindowsHookEx(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~LogonAnswers()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_self = nullptr;
    }
    // Connect or Cancel for the next logon dialogs.
    int answer;
    int logons = 0;
    int profileDialogs = 0;
    std::vector<std::string> messages;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND && s_self != nullptr) {
            const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
            const auto id = reinterpret_cast<UINT_PTR>(create->hMenu);
            const std::string cls = create->lpszClass ? create->lpszClass : "";
            if ((create->style & WS_CHILD) && id == IDC_TW_LOGON_USER_MENU && cls == "Button") {
                s_self->logons++;
                ::PostMessage(create->hwndParent, WM_COMMAND, MAKEWPARAM(s_self->answer, BN_CLICKED), 0);
            } else if ((create->style & WS_CHILD) && id == IDC_TW_PROFILE_LIST) {
                s_self->profileDialogs++;
                ::PostMessage(create->hwndParent, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            } else if (!(create->style & WS_CHILD) && create->lpszName && std::string(create->lpszName) == BoxCaption()) {
                // No, or else Cancel, or else OK: whichever the box offers first.
                for (int answer : {IDNO, IDCANCEL})
                    ::PostMessage(reinterpret_cast<HWND>(wParam), WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
                s_self->lastBox = reinterpret_cast<HWND>(wParam);
            } else if ((create->style & WS_CHILD) && create->hwndParent == s_self->lastBox && create->lpszName &&
                       *create->lpszName && std::string(create->lpszClass ? create->lpszClass : "") != "Button") {
                s_self->messages.emplace_back(create->lpszName);
            }
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    // Message boxes carry the program's name, or "Error" without one.
    static std::string BoxCaption()
    {
        const CWinApp* pApp = AfxGetApp();
        return pApp != nullptr && pApp->m_pszAppName != nullptr ? pApp->m_pszAppName : "Error";
    }
    static LogonAnswers* s_self;
    HWND lastBox = nullptr;
    HHOOK m_hook = nullptr;
};
LogonAnswers* LogonAnswers::s_self = nullptr;

class MainFrameLogonTest : public tw::test::MainWindowTest {
protected:
    void BeforeStart() override
    {
        std::filesystem::remove(tw::MapPath(kProfileFile));
    }
    void TearDown() override
    {
        LogonAnswers closing(IDCANCEL);
        if (frame != nullptr && frame->GetSafeHwnd())
            frame->SendMessage(WM_COMMAND, 32842);
        Pump();
        MainWindowTest::TearDown();
    }
    // The command as a menu or key sends it, and the loop run.
    void Command(UINT nID)
    {
        frame->SendMessage(WM_COMMAND, nID);
        Pump();
    }
    CChildFrame* ActiveQueryWindow() { return dynamic_cast<CChildFrame*>(frame->MDIGetActive()); }
    std::string ActiveTitle()
    {
        CChildFrame* pWindow = ActiveQueryWindow();
        return pWindow ? std::string(pWindow->GetActiveDocument()->GetTitle()) : std::string();
    }
    // The number of the active untitled window: the count runs for the whole process.
    int UntitledNumber()
    {
        int number = 0;
        char tail[32] = {};
        const std::string title = ActiveTitle();
        if (std::sscanf(title.c_str(), "(embedded) - Untitled_%d%31[^\n]", &number, tail) != 2 ||
            std::string(tail) != " - (New Query)")
            ADD_FAILURE() << "not an untitled window's title: " << title;
        return number;
    }
    std::string CountPane()
    {
        Pump();
        return static_cast<LPCTSTR>(frame->m_strConnCountText);
    }
    static void WriteProfiles(const std::vector<CProfileRow>& rows) { logontest::WriteProfileRows(rows); }
    static CProfileRow Row(const char* nick, const char* database, BOOL bAuto, BOOL bDefault, BOOL bLock,
                           BOOL bIdentified = TRUE)
    {
        CProfileRow row;
        row.m_NickName = nick;
        row.m_ServerName = "(embedded)";
        row.m_DatabaseName = database;
        row.m_Identified = bIdentified;
        row.m_UserName = bIdentified ? "" : "sa";
        row.m_AutoConn = bAuto;
        row.m_Default = bDefault;
        row.m_Lock = bLock;
        return row;
    }
};

TEST_F(MainFrameLogonTest, NewQueryWindowLogsOnThroughThePresetDialogAndCountsTheWindow)
{
    LogonAnswers answers(IDOK);
    Command(57600);
    EXPECT_EQ(1, answers.logons);
    for (const std::string& text : answers.messages)
        ADD_FAILURE() << text;
    CChildFrame* pWindow = ActiveQueryWindow();
    ASSERT_NE(nullptr, pWindow);
    EXPECT_STREQ(kEmbeddedSample, pWindow->m_strConnectString);
    EXPECT_GE(UntitledNumber(), 1);
    EXPECT_EQ("Total # of connections: 1", CountPane());
    EXPECT_EQ(1, frame->GetQueryWindowCount());
    EXPECT_STREQ("Embedded", frame->m_strProfileNickName);
    EXPECT_EQ(0, frame->m_bSavePassword);
}

TEST_F(MainFrameLogonTest, UntitledNumbersKeepRisingAndACancelledLogonLeavesNoWindow)
{
    LogonAnswers answers(IDOK);
    Command(57600);
    const int first = UntitledNumber();
    Command(57600);
    EXPECT_EQ(first + 1, UntitledNumber());
    Command(32841);  // Disconnect closes the active one.
    EXPECT_EQ(1, frame->GetQueryWindowCount());
    answers.answer = IDCANCEL;
    Command(57600);
    EXPECT_EQ(3, answers.logons);
    EXPECT_EQ(1, frame->GetQueryWindowCount());
    answers.answer = IDOK;
    Command(57600);
    EXPECT_EQ(first + 2, UntitledNumber()) << "closed windows keep their numbers; a cancelled one took none";
    Command(32842);
    EXPECT_EQ(0, frame->GetQueryWindowCount());
    EXPECT_EQ("Total # of connections: 0", CountPane());
}

TEST_F(MainFrameLogonTest, ProfileLoaderTakesTheFirstUnlockedAutoOrDefaultRow)
{
    struct Case {
        const char* name;
        std::vector<CProfileRow> rows;
        int logons;
        const char* connection;
        const char* nickname;
        int savePassword;
    };
    const Case cases[] = {
        {"locked first, auto-connect second",
         {Row("locked", "master", TRUE, FALSE, TRUE), Row("auto", "TarnSample", TRUE, FALSE, FALSE)}, 0,
         kEmbeddedSample, "auto", 0},
        {"server login auto-connect keeps an empty database",
         {Row("sql", "", TRUE, FALSE, FALSE, FALSE)}, 0,
         "Provider=SQLOLEDB.1;User ID=sa;Password=;Initial Catalog=;Data Source=(embedded)", "sql", 1},
        {"default before auto-connect opens the dialog preset",
         {Row("default", "master", FALSE, TRUE, FALSE), Row("auto", "TarnSample", TRUE, FALSE, FALSE)}, 1,
         "Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=master;Data Source=(embedded)", "default", 0},
        // Unpreset, the dialog recalls the first nickname in its sorted list, a locked one too.
        {"no row decides", {Row("plain", "master", FALSE, FALSE, FALSE), Row("locked", "x", TRUE, TRUE, TRUE)}, 1,
         "Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=x;Data Source=(embedded)", "locked", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteProfiles(c.rows);
        LogonAnswers answers(IDOK);
        const CString connection = frame->LoadConnectionProfile();
        EXPECT_EQ(c.logons, answers.logons);
        EXPECT_STREQ(c.connection, connection);
        EXPECT_STREQ(c.nickname, frame->m_strProfileNickName);
        EXPECT_EQ(c.savePassword, frame->m_bSavePassword);
    }
}

TEST_F(MainFrameLogonTest, DamagedProfileFileIsToldOnceAndTheLogonGoesOn)
{
    std::filesystem::create_directories(std::filesystem::path(tw::MapPath(kProfileFile)).parent_path());
    std::ofstream(tw::MapPath(kProfileFile)) << "damaged";
    LogonAnswers answers(IDOK);
    Command(57600);
    EXPECT_EQ(1, answers.logons);
    ASSERT_EQ(1u, answers.messages.size());
    EXPECT_NE(std::string::npos, answers.messages[0].find("ProData.dat.bad"));
    EXPECT_TRUE(std::filesystem::exists(tw::MapPath(kProfileFileAside)));
    EXPECT_GE(UntitledNumber(), 1);
}

TEST_F(MainFrameLogonTest, UnreadableProfileFileIsToldOnceAndTheLogonGoesOnWithoutProfiles)
{
    std::filesystem::create_directories(tw::MapPath(kProfileFile));
    LogonAnswers answers(IDCANCEL);
    Command(57600);
    EXPECT_EQ(1, answers.logons);
    EXPECT_EQ(1, std::count_if(answers.messages.begin(), answers.messages.end(),
                               [](const std::string& text) { return text.find("ProData.dat") != std::string::npos; }));
    EXPECT_EQ(0, frame->GetQueryWindowCount());
    EXPECT_TRUE(std::filesystem::is_directory(tw::MapPath(kProfileFile))) << "what cannot be read is left alone";
    std::filesystem::remove(tw::MapPath(kProfileFile));
}

TEST_F(MainFrameLogonTest, The513thWindowIsRefusedWithTheLimitMessage)
{
    // 511 places taken as by open windows, then the last real one and one more.
    std::vector<CString> stand;
    for (int i = 0; i < 511; i++)
        frame->m_QueryFrames.AddTail(reinterpret_cast<CChildFrame*>(&stand));
    LogonAnswers answers(IDOK);
    EXPECT_NE(nullptr, frame->NewQueryWindow(kEmbeddedSample, nullptr, nullptr));
    EXPECT_EQ(0, answers.logons) << "a given connection string needs no logon";
    frame->m_bReuseConnection = TRUE;
    EXPECT_EQ(nullptr, frame->NewQueryWindow(kEmbeddedSample, nullptr, nullptr));
    EXPECT_FALSE(frame->m_bReuseConnection);
    ASSERT_EQ(1u, answers.messages.size());
    EXPECT_EQ("Connection limit reached. You must close some connections before attempting to open any more "
              "connections.",
              answers.messages[0]);
    while (frame->m_QueryFrames.GetCount() > 0 &&
           frame->m_QueryFrames.GetHead() == reinterpret_cast<CChildFrame*>(&stand))
        frame->m_QueryFrames.RemoveHead();
    EXPECT_EQ(1, frame->GetQueryWindowCount());
}

TEST_F(MainFrameLogonTest, ConnectAsksTheLogonAgainAndUserConfigurationOpensTheProfiles)
{
    LogonAnswers answers(IDOK);
    Command(57600);
    Command(32840);
    EXPECT_EQ(2, answers.logons) << "a reused connection still logs on anew";
    EXPECT_FALSE(frame->m_bReuseConnection);
    EXPECT_EQ(2, frame->GetQueryWindowCount());
    Command(32843);
    EXPECT_EQ(1, answers.profileDialogs);
}

}  // namespace

namespace {

class MainFrameAfterLoginTest : public MainFrameLogonTest {};

TEST_F(MainFrameAfterLoginTest, ReadsTheLoginsDefaultDatabaseAndCopiesResultsAsText)
{
    ASSERT_NE(nullptr, frame->m_SQLServer);
    frame->m_SQLServer->PutLoginSecure(VARIANT_TRUE);
    frame->m_SQLServer->Connect("(embedded)", "", "");
    frame->m_strLoginDefaultDatabase = "unchanged";
    frame->m_DBList.RemoveAll();
    frame->AfterLogin();
    EXPECT_STREQ("master", frame->m_strLoginDefaultDatabase);
    EXPECT_FALSE(frame->m_DBList.IsEmpty()) << "the completion lists are built for the login's database";

    struct Case {
        const char* statement;
        long rows;
    };
    for (const Case& c : {Case{"select name, dbid from master..sysdatabases where name = 'master'", 1},
                          Case{"select name, dbid from master..sysdatabases where 1 = 0", 0}}) {
        SCOPED_TRACE(c.statement);
        ADODB::_RecordsetPtr rs("ADODB.Recordset");
        EXPECT_TRUE(frame->QueryResultsToRecordset(frame->m_SQLServer->ExecuteWithResults(c.statement), rs));
        EXPECT_EQ(ADODB::adStateOpen, rs->GetState());
        EXPECT_EQ(2, rs->GetFields()->GetCount());
        EXPECT_EQ(c.rows, rs->GetRecordCount());
        if (c.rows > 0) {
            rs->MoveFirst();
            const _variant_t dbid = rs->GetCollect(1L);
            EXPECT_EQ(VT_BSTR, dbid.vt) << "every field is text";
            EXPECT_STREQ("master", static_cast<LPCTSTR>(static_cast<_bstr_t>(rs->GetCollect(0L))));
        }
    }
    frame->m_SQLServer->DisConnect();
}

}  // namespace
