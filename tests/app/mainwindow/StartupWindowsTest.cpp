// An empty command line: the main window, the first query window with its
// logon dialog at once, then the Tutorial unless the user switched it off.
#include <cstring>
#include <filesystem>

#include "platform/ado/AdoInterfaces.h"
#include "tests/app/mainwindow/StartupFixture.h"

namespace tw::test {
namespace {

constexpr const char* kEmbeddedSample =
    "Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=TarnSample;Data Source=(embedded)";

class StartupWindowsTest : public StartupTest {
protected:
    // Closes the program and starts it again with this Tutorial choice
    // stored first (kKeep: what the last run left).
    static constexpr const char* kKeep = "keep";
    void Restart(const char* choice)
    {
        CloseQueryWindows();
        frame->SendMessage(WM_CLOSE);
        Pump();
        MSG msg;
        while (::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        if (choice != kKeep)
            StoreTutorialChoice(choice);
        logons.clear();
        tutorialsShown = 0;
        tutorialBoxChecked = false;
        StartProgram();
    }
    std::string CountPane()
    {
        Pump();
        return static_cast<LPCTSTR>(frame->m_strConnCountText);
    }
};

TEST_F(StartupWindowsTest, ConnectOpensTheFirstQueryWindowConnectedAndMaximised)
{
    ASSERT_EQ(1u, logons.size()) << "the logon came up at start-up";
    EXPECT_EQ("(embedded)", logons[0].server);
    EXPECT_EQ("TarnSample", logons[0].database);
    EXPECT_EQ("Embedded", logons[0].nickname);
    EXPECT_TRUE(logons[0].windowsAuthentication);
    EXPECT_TRUE(logons[0].focusInside) << "Enter reaches the dialog without a click";
    for (const std::string& text : otherBoxes)
        ADD_FAILURE() << "unexpected box: " << text;

    ASSERT_EQ(1, frame->GetQueryWindowCount());
    CChildFrame* pWindow = ActiveQueryWindow();
    ASSERT_NE(nullptr, pWindow);
    EXPECT_STREQ(kEmbeddedSample, pWindow->m_strConnectString);
    ASSERT_NE(nullptr, pWindow->m_pConnection);
    EXPECT_EQ(ADODB::adStateOpen, pWindow->m_pConnection->GetState());
    EXPECT_TRUE(pWindow->IsWindowVisible());
    EXPECT_TRUE(pWindow->IsZoomed()) << "the first window is shown maximised";

    // "(embedded) - Untitled_<n> - (New Query)", in the window's caption and,
    // maximised, in the main window's.
    const std::string title = static_cast<LPCTSTR>(pWindow->GetActiveDocument()->GetTitle());
    int number = 0;
    char tail[32] = {};
    ASSERT_EQ(2, std::sscanf(title.c_str(), "(embedded) - Untitled_%d%31[^\n]", &number, tail)) << title;
    EXPECT_STREQ(" - (New Query)", tail);
    EXPECT_GE(number, 1);
    CString caption;
    pWindow->GetWindowText(caption);
    EXPECT_STREQ(title.c_str(), caption);
    frame->GetWindowText(caption);
    EXPECT_NE(std::string::npos, std::string(caption).find(title)) << caption;
    EXPECT_EQ("Total # of connections: 1", CountPane());
    EXPECT_EQ(0, tutorialsShown) << "switched off before the start";
}

class StartupCancelTest : public StartupWindowsTest {
protected:
    void BeforeStart() override
    {
        logonAnswer = IDCANCEL;
        StartupWindowsTest::BeforeStart();
    }
};

// Closing the main window with a connected query window open ends the
// program: the query window goes, then the main window.
TEST_F(StartupWindowsTest, ClosingTheMainWindowWithAQueryWindowOpenEndsTheProgram)
{
    ASSERT_EQ(1, frame->GetQueryWindowCount());
    const HWND hMain = frame->GetSafeHwnd();
    ::SendMessage(hMain, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_FALSE(::IsWindow(hMain));
    for (const std::string& text : otherBoxes)
        ADD_FAILURE() << "unexpected box: " << text;
}

TEST_F(StartupCancelTest, CancelLeavesTheMainWindowWithoutAQueryWindow)
{
    ASSERT_EQ(1u, logons.size());
    EXPECT_TRUE(otherBoxes.empty()) << "a cancelled logon says nothing";
    EXPECT_EQ(0, frame->GetQueryWindowCount());
    EXPECT_EQ(nullptr, frame->MDIGetActive());
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_TRUE(frame->IsWindowEnabled()) << "the main window is usable after the logon";
    EXPECT_EQ("Total # of connections: 0", CountPane());
}

// "StartupDispHow" before each start decides whether the Tutorial comes up
// after the logon, how its box starts and, closed with Close, what it keeps.
TEST_F(StartupCancelTest, TheTutorialFollowsTheLogonAsItsStoredChoiceSays)
{
    const struct {
        const char* stored;
        bool shown;
        bool checked;
        const char* storedAfter;
    } cases[] = {
        {nullptr, true, false, "NSD"},  // the first start: shown, box clear
        {kKeep, false, false, "NSD"},   // closed with Close: not again
        {"SD", true, true, "SD"},
        {"NSD", false, false, "NSD"},
        {"other", true, false, "NSD"},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(row++));
        Restart(c.stored);
        EXPECT_EQ(1u, logons.size()) << "the logon comes first";
        EXPECT_EQ(c.shown ? 1 : 0, tutorialsShown);
        EXPECT_EQ(c.checked, tutorialBoxChecked);
        EXPECT_EQ(c.storedAfter, StoredTutorialChoice());
        EXPECT_TRUE(frame->IsWindowEnabled());
    }
}

}  // namespace
}  // namespace tw::test
