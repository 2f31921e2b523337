// The recent-file list and the command line: files opened go to the top of
// the list, which the registry keeps across runs and the File menu shows as
// numbered items that open their file; the command line's parameters become
// a shell command that the application carries out.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "platform/mfc/afxwin.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "tests/platform/mfc/frames/FramesInput.h"
#include "tests/platform/mfc/frames/FramesTestApp.h"
#include "tests/platform/mfc/frames/fixtures/FrameFixtures.h"

namespace {

using tw::mfc::frames_test::FramesApp;
using tw::mfc::frames_test::TheApp;

class RecentDoc : public CDocument {
    DECLARE_DYNCREATE(RecentDoc)
};
IMPLEMENT_DYNCREATE(RecentDoc, CDocument)

class RecentView : public CView {
    DECLARE_DYNCREATE(RecentView)
public:
    void OnDraw(CDC*) override {}
    static int printCommands;

protected:
    void OnPrintDirect() { ++printCommands; }
    DECLARE_MESSAGE_MAP()
};
int RecentView::printCommands = 0;
IMPLEMENT_DYNCREATE(RecentView, CView)
BEGIN_MESSAGE_MAP(RecentView, CView)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnPrintDirect)
END_MESSAGE_MAP()

using tw::mfc::frames_test::CurrentFolder;

void MakeFile(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
}

class RecentFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::once_flag once;
        std::call_once(once, [] {
            tw::RegisterStandardControlClasses();
            tw::RegisterResources(tw::ProgramInstance(), FrameFixtureResources());
        });
        tw::ProcessClock::Freeze();
        FramesApp& app = TheApp();
        app.prompts.clear();
        app.SetRegistryKey("Tarnwick Tests");
        app.WriteProfileString("Recent File List", nullptr, nullptr);
        main = new CMDIFrameWnd;
        ASSERT_TRUE(main->LoadFrame(IDR_TEST_MAINFRAME));
        mainHwnd = main->m_hWnd;
        app.m_pMainWnd = main;
        app.AddDocTemplate(new CMultiDocTemplate(IDR_TEST_QUERYTYPE, RUNTIME_CLASS(RecentDoc),
                                                 RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(RecentView)));
        for (const char* name : {"a.qry", "b.qry", "c.qry"})
            MakeFile(CurrentFolder() + "/" + name);
    }
    void TearDown() override
    {
        FramesApp& app = TheApp();
        app.CloseAllDocuments(TRUE);
        if (IsWindow(mainHwnd))
            DestroyWindow(mainHwnd);
        app.m_pMainWnd = nullptr;
        app.DeleteDocManager();
        app.LoadStdProfileSettings(0);
        app.WriteProfileString("Recent File List", nullptr, nullptr);
        std::free(const_cast<char*>(app.m_pszRegistryKey));
        app.m_pszRegistryKey = nullptr;
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        AfxDeleteTempMaps();
        tw::ProcessClock::Resume();
    }

    std::string Entry(int n) { return static_cast<LPCTSTR>(TheApp().GetProfileString("Recent File List", Name(n))); }
    static CString Name(int n)
    {
        CString entry;
        entry.Format("File%d", n);
        return entry;
    }
    // The File popup with the recent-file item where a program's menu has it.
    HMENU MakeFileMenu()
    {
        HMENU popup = CreatePopupMenu();
        AppendMenu(popup, MF_STRING, ID_FILE_MRU_FILE1, "Recent File");
        AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
        AppendMenu(popup, MF_STRING, ID_APP_EXIT, "E&xit");
        return popup;
    }
    std::vector<std::string> Items(HMENU popup)
    {
        SendMessage(mainHwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        std::vector<std::string> items;
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            char text[128] = {};
            GetMenuString(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            const UINT state = GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION);
            items.push_back(std::string(text) + ((state & MF_GRAYED) ? " (grey)" : ""));
        }
        return items;
    }

    CMDIFrameWnd* main = nullptr;
    HWND mainHwnd = nullptr;
};

TEST_F(RecentFilesTest, OpenedFilesGoToTheTopAndTheRegistryKeepsThem)
{
    FramesApp& app = TheApp();
    app.LoadStdProfileSettings(2);
    ASSERT_NE(app.m_pRecentFileList, nullptr);
    for (const char* name : {"a.qry", "b.qry", "c.qry"})
        ASSERT_NE(app.OpenDocumentFile((CurrentFolder() + "/" + name).c_str()), nullptr) << name;
    CRecentFileList& list = *app.m_pRecentFileList;
    EXPECT_EQ(std::string(list[0]), CurrentFolder() + "/c.qry");
    EXPECT_EQ(std::string(list[1]), CurrentFolder() + "/b.qry");
    // A name given relative to the current folder is kept whole, and an entry
    // already listed moves up rather than twice.
    app.AddToRecentFileList("b.qry");
    EXPECT_EQ(std::string(list[0]), CurrentFolder() + "/b.qry");
    EXPECT_EQ(std::string(list[1]), CurrentFolder() + "/c.qry");

    app.SaveStdProfileSettings();
    EXPECT_EQ(Entry(1), CurrentFolder() + "/b.qry");
    EXPECT_EQ(Entry(2), CurrentFolder() + "/c.qry");
    EXPECT_EQ(Entry(3), "");

    // The next run reads them back.
    app.LoadStdProfileSettings(4);
    EXPECT_EQ(std::string((*app.m_pRecentFileList)[0]), CurrentFolder() + "/b.qry");
    EXPECT_EQ(std::string((*app.m_pRecentFileList)[1]), CurrentFolder() + "/c.qry");
    EXPECT_EQ(std::string((*app.m_pRecentFileList)[2]), "");
}

TEST_F(RecentFilesTest, TheMenuShowsNumberedNamesAndGreysAnEmptyList)
{
    FramesApp& app = TheApp();
    app.LoadStdProfileSettings(4);
    HMENU popup = MakeFileMenu();
    EXPECT_EQ(Items(popup), (std::vector<std::string>{"Recent File (grey)", "", "E&xit"}));

    app.AddToRecentFileList((CurrentFolder() + "/a.qry").c_str());
    app.AddToRecentFileList("/elsewhere/with a long folder name/deeper/R&D.qry");
    app.AddToRecentFileList((CurrentFolder() + "/b.qry").c_str());
    EXPECT_EQ(Items(popup), (std::vector<std::string>{"&1 b.qry",
                                                      "&2 /elsewhere/.../deeper/R&&D.qry", "&3 a.qry", "", "E&xit"}));

    // Emptied again: the placeholder comes back and no stale item stays.
    for (int i = 0; i < 3; ++i)
        app.m_pRecentFileList->Remove(0);
    EXPECT_EQ(Items(popup), (std::vector<std::string>{"Recent File (grey)", "", "E&xit"}));
    DestroyMenu(popup);
}

TEST_F(RecentFilesTest, ARecentItemOpensItsFileAndAMissingFileLeavesTheList)
{
    FramesApp& app = TheApp();
    app.LoadStdProfileSettings(4);
    app.AddToRecentFileList((CurrentFolder() + "/a.qry").c_str());
    app.AddToRecentFileList((CurrentFolder() + "/gone.qry").c_str());
    app.AddToRecentFileList((CurrentFolder() + "/b.qry").c_str());

    SendMessage(mainHwnd, WM_COMMAND, ID_FILE_MRU_FILE3, 0);
    ASSERT_EQ(app.GetOpenDocumentCount(), 1);
    EXPECT_EQ(std::string((*app.m_pRecentFileList)[0]), CurrentFolder() + "/a.qry");

    // gone.qry is now second.
    SendMessage(mainHwnd, WM_COMMAND, ID_FILE_MRU_FILE3, 0);
    EXPECT_EQ(std::string((*app.m_pRecentFileList)[2]), "");
    EXPECT_EQ(app.GetOpenDocumentCount(), 1);
    EXPECT_EQ(app.prompts.size(), 1u);
}

TEST_F(RecentFilesTest, NoListMeansTheItemIsGreyAndSizesAreCapped)
{
    FramesApp& app = TheApp();
    app.LoadStdProfileSettings(0);
    EXPECT_EQ(app.m_pRecentFileList, nullptr);
    HMENU popup = MakeFileMenu();
    EXPECT_EQ(Items(popup)[0], "Recent File (grey)");
    DestroyMenu(popup);
    app.LoadStdProfileSettings(40);
    EXPECT_EQ(app.m_pRecentFileList->GetSize(), 16);
}

struct CommandLineCase {
    const char* name;
    const char* line;
    int command;
    const char* fileName;
    bool embedded;
    bool automated;
};

class CommandLineParsing : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineParsing, GivesTheShellCommand)
{
    const CommandLineCase& c = GetParam();
    FramesApp& app = TheApp();
    std::string line = c.line;
    app.m_lpCmdLine = line.data();
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    app.m_lpCmdLine = nullptr;
    EXPECT_EQ(static_cast<int>(info.m_nShellCommand), c.command);
    EXPECT_EQ(std::string(info.m_strFileName), c.fileName);
    EXPECT_EQ(info.m_bRunEmbedded != FALSE, c.embedded);
    EXPECT_EQ(info.m_bRunAutomated != FALSE, c.automated);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineParsing,
    ::testing::Values(
        CommandLineCase{"Empty", "", CCommandLineInfo::FileNew, "", false, false},
        CommandLineCase{"File", "query.sql", CCommandLineInfo::FileOpen, "query.sql", false, false},
        // An absolute path is a file here, not a switch.
        CommandLineCase{"AbsolutePath", "/home/me/query.sql", CCommandLineInfo::FileOpen, "/home/me/query.sql",
                        false, false},
        CommandLineCase{"QuotedBlanks", "\"my query.sql\"", CCommandLineInfo::FileOpen, "my query.sql", false,
                        false},
        CommandLineCase{"EmbeddingAlone", "/Embedding", CCommandLineInfo::FileNew, "", true, false},
        CommandLineCase{"DashSwitch", "-embedding", CCommandLineInfo::FileNew, "", true, false},
        CommandLineCase{"Automation", "/Automation", CCommandLineInfo::FileNew, "", false, true},
        CommandLineCase{"Dde", "/dde", CCommandLineInfo::FileDDE, "", false, false},
        CommandLineCase{"Print", "/p report.sql", CCommandLineInfo::FilePrint, "report.sql", false, false},
        CommandLineCase{"Unregister", "/Unregserver", CCommandLineInfo::AppUnregister, "", false, false},
        CommandLineCase{"Register", "/Register", CCommandLineInfo::AppRegister, "", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLineJoining, ArgumentsComeBackAsTheyWere)
{
    const char* const argv[] = {"tarnwick", "plain",   "with blank", "",        "quote\"inside",
                                "trail\\", "a\\\"b", "/abs/path", "tab\there"};
    const int argc = static_cast<int>(std::size(argv));
    const CString line = tw::mfc::JoinCommandLine(argc, argv);
    const std::vector<CString> back = tw::mfc::SplitCommandLine(line);
    ASSERT_EQ(back.size(), static_cast<size_t>(argc - 1)) << static_cast<LPCTSTR>(line);
    for (int i = 1; i < argc; ++i)
        EXPECT_EQ(std::string(back[static_cast<size_t>(i - 1)]), argv[i]) << static_cast<LPCTSTR>(line);
}

TEST_F(RecentFilesTest, ShellRegistrationWritesNothing)
{
    FramesApp& app = TheApp();
    app.EnableShellOpen();
    app.RegisterShellFileTypes(TRUE);
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyEx(HKEY_CLASSES_ROOT, ".qry", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_NE(RegOpenKeyEx(HKEY_CLASSES_ROOT, "Test.Query", 0, KEY_READ, &key), ERROR_SUCCESS);
    app.UnregisterShellFileTypes();
}

TEST_F(RecentFilesTest, ShellCommandsOpenPrintOrDoNothing)
{
    FramesApp& app = TheApp();
    CCommandLineInfo open;
    open.m_nShellCommand = CCommandLineInfo::FileOpen;
    open.m_strFileName = (CurrentFolder() + "/a.qry").c_str();
    EXPECT_TRUE(app.ProcessShellCommand(open));
    EXPECT_EQ(app.GetOpenDocumentCount(), 1);

    open.m_strFileName = (CurrentFolder() + "/missing.qry").c_str();
    EXPECT_FALSE(app.ProcessShellCommand(open));

    CCommandLineInfo fresh;
    EXPECT_TRUE(app.ProcessShellCommand(fresh));
    EXPECT_EQ(app.GetOpenDocumentCount(), 2);

    for (auto command : {CCommandLineInfo::FileDDE, CCommandLineInfo::FileNothing}) {
        CCommandLineInfo quiet;
        quiet.m_nShellCommand = command;
        EXPECT_TRUE(app.ProcessShellCommand(quiet));
    }
    for (auto command : {CCommandLineInfo::AppRegister, CCommandLineInfo::AppUnregister}) {
        CCommandLineInfo registration;
        registration.m_nShellCommand = command;
        EXPECT_FALSE(app.ProcessShellCommand(registration));
    }
    EXPECT_EQ(app.GetOpenDocumentCount(), 2);

    // Printing prints from the file's view and closes it again.
    RecentView::printCommands = 0;
    CCommandLineInfo print;
    print.m_nShellCommand = CCommandLineInfo::FilePrint;
    print.m_strFileName = (CurrentFolder() + "/c.qry").c_str();
    EXPECT_FALSE(app.ProcessShellCommand(print));
    EXPECT_EQ(RecentView::printCommands, 1);
    EXPECT_EQ(app.GetOpenDocumentCount(), 2);
    app.m_nCmdShow = SW_SHOWNORMAL;
}

}  // namespace
