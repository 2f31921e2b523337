// User tools: their command ids, order, stored value "Tools", icons and how
// they start their programs.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CWinApp.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/win32/dialog/windlg.h"
#include "platform/mfc/CWnd.h"
#include "tests/support/ui/KtvStoredValue.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPMouseManager.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

constexpr char kToolsProfile[] = "Software\\TwTests\\Tools\\";
constexpr char kToolsKey[] = "Software\\TwTests\\Tools";
// "CKtvPUserTool"
constexpr char kToolClassHex[] = "43 4b 74 76 50 55 73 65 72 54 6f 6f 6c";

class UserToolsTest : public ktvtest::StoredStateTest {
protected:
    const char* StateKey() const override { return kToolsKey; }

    CKtvPUserToolsManager manager{32805, 32806, 32815, RUNTIME_CLASS(CKtvPUserTool)};
};

std::vector<UINT> IdsOf(const CKtvPUserToolsManager& manager)
{
    std::vector<UINT> ids;
    for (POSITION pos = manager.GetUserTools().GetHeadPosition(); pos != nullptr;)
        ids.push_back(static_cast<CKtvPUserTool*>(manager.GetUserTools().GetNext(pos))->m_uiCmdId);
    return ids;
}

CKtvPUserTool* ToolAt(const CKtvPUserToolsManager& manager, int index)
{
    return static_cast<CKtvPUserTool*>(manager.GetUserTools().GetAt(manager.GetUserTools().FindIndex(index)));
}

// --- ids and order -----------------------------------------------------------------

TEST_F(UserToolsTest, NewToolsTakeTheLowestFreeIdUntilTheRangeIsFull)
{
    for (UINT id = 32806; id <= 32815; id++) {
        CKtvPUserTool* pTool = manager.CreateNewTool();
        ASSERT_NE(pTool, nullptr);
        EXPECT_EQ(pTool->m_uiCmdId, id);
    }
    EXPECT_EQ(manager.CreateNewTool(), nullptr);

    // Removing tools in the middle frees their ids for the next new ones.
    EXPECT_TRUE(manager.RemoveTool(manager.FindTool(32812)));
    EXPECT_TRUE(manager.RemoveTool(manager.FindTool(32808)));
    EXPECT_EQ(manager.CreateNewTool()->m_uiCmdId, 32808u);
    EXPECT_EQ(manager.CreateNewTool()->m_uiCmdId, 32812u);
    EXPECT_EQ(manager.CreateNewTool(), nullptr);

    CKtvPUserTool stranger;
    EXPECT_FALSE(manager.RemoveTool(&stranger));
}

TEST_F(UserToolsTest, FindingLooksOnlyInsideTheRange)
{
    CKtvPUserTool* pTool = manager.CreateNewTool();
    EXPECT_EQ(manager.FindTool(32806), pTool);
    EXPECT_EQ(manager.FindTool(32805), nullptr);  // the placeholder is never a tool
    EXPECT_EQ(manager.FindTool(32807), nullptr);
    EXPECT_FALSE(manager.InvokeTool(32805));
    EXPECT_FALSE(manager.InvokeTool(32900));
}

TEST_F(UserToolsTest, ToolsMoveByOneAndNotPastEitherEnd)
{
    for (int i = 0; i < 3; i++)
        manager.CreateNewTool();
    CKtvPUserTool* pFirst = ToolAt(manager, 0);
    CKtvPUserTool* pLast = ToolAt(manager, 2);
    EXPECT_FALSE(manager.MoveToolUp(pFirst));
    EXPECT_FALSE(manager.MoveToolDown(pLast));
    EXPECT_EQ(IdsOf(manager), (std::vector<UINT>{32806, 32807, 32808}));

    EXPECT_TRUE(manager.MoveToolDown(pFirst));
    EXPECT_EQ(IdsOf(manager), (std::vector<UINT>{32807, 32806, 32808}));
    EXPECT_TRUE(manager.MoveToolUp(pLast));
    EXPECT_EQ(IdsOf(manager), (std::vector<UINT>{32807, 32808, 32806}));
    EXPECT_FALSE(manager.MoveToolDown(pFirst));  // now the last

    CKtvPUserTool stranger;
    EXPECT_FALSE(manager.MoveToolUp(&stranger));
    EXPECT_FALSE(manager.MoveToolDown(&stranger));
}

// --- the stored value ---------------------------------------------------------------

struct ToolRecord {
    const char* label;
    const char* command;
    const char* arguments;
    const char* directory;
};

struct ToolsImageCase {
    const char* name;
    std::vector<ToolRecord> tools;
    std::string bytes;
};

TEST_F(UserToolsTest, TheListIsStoredWithItsClassRecordOnceAndLoadsBackEqual)
{
    const std::string firstTool = std::string("ff ff 01 00 0d 00 ") + kToolClassHex + " 01 41 01 42 00 00 26 80 00 00";
    const ToolsImageCase cases[] = {
        {"empty", {}, "00 00"},
        {"one tool", {{"A", "B", "", ""}}, "01 00 " + firstTool},
        {"two tools of one class",
         {{"A", "B", "", ""}, {"Ed", "ed", "-x \"a b\"", "/tmp"}},
         "02 00 " + firstTool +
             " 01 80 02 45 64 02 65 64 08 2d 78 20 22 61 20 62 22 04 2f 74 6d 70 27 80 00 00"},
        {"text beyond one byte of length and outside ASCII",
         {{"Größe", "", "", ""}},
         std::string("01 00 ff ff 01 00 0d 00 ") + kToolClassHex +
             " 07 47 72 c3 b6 c3 9f 65 00 00 00 26 80 00 00"},
    };
    for (const auto& c : cases) {
        {
            CKtvPUserToolsManager saved(32805, 32806, 32815, RUNTIME_CLASS(CKtvPUserTool));
            for (const auto& record : c.tools) {
                CKtvPUserTool* pTool = saved.CreateNewTool();
                pTool->m_strLabel = record.label;
                pTool->SetCommand(record.command);
                pTool->m_strArguments = record.arguments;
                pTool->m_strInitialDirectory = record.directory;
            }
            ASSERT_TRUE(saved.SaveState(kToolsProfile)) << c.name;
        }
        EXPECT_EQ(ktvtest::StoredHex(kToolsKey, "Tools"), c.bytes) << c.name;

        CKtvPUserToolsManager loaded(32805, 32806, 32815, RUNTIME_CLASS(CKtvPUserTool));
        loaded.CreateNewTool();  // replaced by what is stored
        ASSERT_TRUE(loaded.LoadState(kToolsProfile)) << c.name;
        ASSERT_EQ(loaded.GetUserTools().GetCount(), static_cast<INT_PTR>(c.tools.size())) << c.name;
        for (size_t i = 0; i < c.tools.size(); i++) {
            const CKtvPUserTool* pTool = ToolAt(loaded, static_cast<int>(i));
            EXPECT_EQ(pTool->m_strLabel, CString(c.tools[i].label)) << c.name;
            EXPECT_EQ(pTool->GetCommand(), CString(c.tools[i].command)) << c.name;
            EXPECT_EQ(pTool->m_strArguments, CString(c.tools[i].arguments)) << c.name;
            EXPECT_EQ(pTool->m_strInitialDirectory, CString(c.tools[i].directory)) << c.name;
            EXPECT_EQ(pTool->m_uiCmdId, 32806u + i) << c.name;
            // The icon comes with the command.
            EXPECT_EQ(pTool->GetIcon() != nullptr, *c.tools[i].command != '\0') << c.name;
        }
    }
}

TEST_F(UserToolsTest, ADamagedListIsRefusedWholeAndStaysStoredUntilTheUserEditsTheTools)
{
    const std::string header = std::string("ff ff 01 00 0d 00 ") + kToolClassHex;
    const std::string tool = header + " 01 41 01 42 00 00 26 80 00 00";
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"cut short", "01 00 " + header + " 01 41 01"},
        {"a count larger than the tools", "05 00 " + tool},
        {"a second tool cut short", "02 00 " + tool + " 01 80 01 41"},
        {"another class",
         "01 00 ff ff 01 00 11 00 43 4b 74 76 50 4d 6f 75 73 65 4d 61 6e 61 67 65 72 00 00 00 00"},
        {"a class that does not exist", "01 00 ff ff 01 00 05 00 43 4e 6f 6e 65 01 41 01 42 00 00 26 80 00 00"},
        {"no object", "01 00 00 00"},
        {"an id outside the range", "01 00 " + header + " 01 41 01 42 00 00 25 80 00 00"},
        {"one id twice", "02 00 " + tool + " 01 80 01 43 01 44 00 00 26 80 00 00"},
    };
    for (const auto& c : cases) {
        ktvtest::StoreHex(kToolsKey, "Tools", c.bytes);
        CKtvPUserToolsManager loaded(32805, 32806, 32815, RUNTIME_CLASS(CKtvPUserTool));
        EXPECT_FALSE(loaded.LoadState(kToolsProfile)) << c.name;
        EXPECT_EQ(loaded.GetUserTools().GetCount(), 0) << c.name;
        EXPECT_TRUE(loaded.SaveState(kToolsProfile)) << c.name;
        EXPECT_EQ(ktvtest::StoredHex(kToolsKey, "Tools"), c.bytes) << c.name;

        loaded.CreateNewTool()->m_strLabel = "A";
        ASSERT_TRUE(loaded.SaveState(kToolsProfile));
        EXPECT_EQ(ktvtest::StoredHex(kToolsKey, "Tools"), "01 00 " + header + " 01 41 00 00 00 26 80 00 00")
            << c.name;
    }
}

TEST_F(UserToolsTest, NothingStoredLeavesNoTools)
{
    manager.CreateNewTool();
    EXPECT_FALSE(manager.LoadState(kToolsProfile));
    EXPECT_EQ(manager.GetUserTools().GetCount(), 0);
}

// --- icons ---------------------------------------------------------------------------

TEST_F(UserToolsTest, AToolWithoutAFindableProgramShowsTheDefaultIcon)
{
    CKtvPUserTool tool;
    tool.SetCommand("no-such-program-anywhere");
    ASSERT_NE(tool.GetIcon(), nullptr);
    EXPECT_EQ(tool.GetIcon(), globalData.GetDefaultToolIcon());

    // A program found along the path shows the shell's icon for it.
    std::ofstream("visible-tool.sh") << "#!/bin/sh\n";
    ASSERT_EQ(chmod("visible-tool.sh", 0755), 0);
    tool.SetCommand("visible-tool.sh");
    ASSERT_NE(tool.GetIcon(), nullptr);
    EXPECT_NE(tool.GetIcon(), globalData.GetDefaultToolIcon());
    const HICON hIcon = tool.GetIcon();
    tool.SetCommand("visible-tool.sh");  // the same command keeps its icon
    EXPECT_EQ(tool.GetIcon(), hIcon);

    tool.SetCommand("./missing/visible-tool.sh");  // a path is asked as written
    EXPECT_EQ(tool.GetIcon(), globalData.GetDefaultToolIcon());
}

// --- running tools -------------------------------------------------------------------

// The main window: answers every message box with OK and keeps its text.
class BoxAnsweringWnd : public CWnd {
public:
    std::vector<std::string> texts;

protected:
    LRESULT OnEnterIdle(WPARAM, LPARAM lParam)
    {
        HWND box = reinterpret_cast<HWND>(lParam);
        if (box == lastBox)
            return 0;
        lastBox = box;
        char text[512] = {};
        ::GetWindowText(::GetDlgItem(box, 0xFFFF), text, sizeof text);
        texts.emplace_back(text);
        ::PostMessage(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    HWND lastBox = nullptr;
};

BEGIN_MESSAGE_MAP(BoxAnsweringWnd, CWnd)
    ON_MESSAGE(WM_ENTERIDLE, OnEnterIdle)
END_MESSAGE_MAP()

namespace fs = std::filesystem;

class RunToolsTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        ASSERT_TRUE(main.CreateEx(0, nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300),
                                  nullptr, 0));
        AfxGetApp()->m_pMainWnd = &main;
        report = fs::absolute("tool-report.txt");
        fs::remove(report);
        // Writes its folder and then each argument on a line of its own.
        std::ofstream script("report-args.sh");
        script << "#!/bin/sh\n"
               << "pwd > '" << report.string() << ".part'\n"
               << "for a in \"$@\"; do printf '%s\\n' \"$a\" >> '" << report.string() << ".part'; done\n"
               << "mv '" << report.string() << ".part' '" << report.string() << "'\n";
        script.close();
        ASSERT_EQ(chmod("report-args.sh", 0755), 0);
        fs::create_directories("work dir");
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        HeadlessWindowTest::TearDown();
    }

    // The report's lines once the program has written it (nothing after 10 s).
    std::vector<std::string> WaitForReport()
    {
        for (int i = 0; i < 1000 && !fs::exists(report); i++)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::vector<std::string> lines;
        std::ifstream in(report);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    CKtvPUserTool* NewTool(const char* command, const char* arguments, const char* directory)
    {
        CKtvPUserTool* pTool = tools.CreateNewTool();
        pTool->SetCommand(command);
        pTool->m_strArguments = arguments;
        pTool->m_strInitialDirectory = directory;
        return pTool;
    }

    BoxAnsweringWnd main;
    fs::path report;
    CKtvPUserToolsManager tools{32805, 32806, 32815, RUNTIME_CLASS(CKtvPUserTool)};
};

TEST_F(RunToolsTest, AProgramGetsItsArgumentsAsWrittenNeverThroughAShell)
{
    NewTool("report-args.sh", "a;b \"c|d\" $(touch pwned) * 'q' \\\"e\\\" `id`", "work dir");
    EXPECT_TRUE(tools.InvokeTool(32806));
    const auto lines = WaitForReport();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], fs::absolute("work dir").string());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()),
              (std::vector<std::string>{"a;b", "c|d", "$(touch", "pwned)", "*", "'q'", "\"e\"", "`id`"}));
    EXPECT_FALSE(fs::exists("pwned"));
    EXPECT_FALSE(fs::exists("work dir/pwned"));
    EXPECT_TRUE(main.texts.empty());
}

TEST_F(RunToolsTest, WithoutAnInitialFolderTheProgramStartsInTheCurrentOne)
{
    NewTool(fs::absolute("report-args.sh").c_str(), "", "");
    EXPECT_TRUE(tools.InvokeTool(32806));
    const auto lines = WaitForReport();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], fs::current_path().string());
}

TEST_F(RunToolsTest, AToolThatCannotStartSaysWhyAndStartsNothing)
{
    struct Case {
        const char* command;
        const char* directory;
        const char* reason;
    };
    const Case cases[] = {
        {"no-such-program-anywhere", "", "The system cannot find the file specified."},
        {"./bin/missing.sh", "", "The system cannot find the path specified."},
        {"report-args.sh", "no such folder", "The directory name is invalid."},
        {"report-args.sh", "report-args.sh", "The directory name is invalid."},
        {"", "", "The system cannot find the file specified."},
    };
    for (const auto& c : cases) {
        main.texts.clear();
        CKtvPUserTool* pTool = NewTool(c.command, "", c.directory);
        EXPECT_TRUE(tools.InvokeTool(pTool->m_uiCmdId)) << c.command;
        ASSERT_EQ(main.texts.size(), 1u) << c.command;
        EXPECT_NE(main.texts[0].find(std::string("\"") + c.command + "\""), std::string::npos) << main.texts[0];
        EXPECT_NE(main.texts[0].find(c.reason), std::string::npos) << main.texts[0];
        tools.RemoveTool(pTool);
    }
    EXPECT_FALSE(fs::exists(report));
}

// Remembers what the shell would start instead of starting it.
class RecordingSpawner : public tw::shell::ProcessSpawner {
public:
    std::vector<std::vector<std::string>> started;
    int Spawn(const std::vector<std::string>& argv, const std::string&) override
    {
        started.push_back(argv);
        return 0;
    }
};

TEST_F(RunToolsTest, DocumentsAndAddressesAreOpenedByTheShell)
{
    auto spawner = std::make_shared<RecordingSpawner>();
    auto previous = tw::shell::SetProcessSpawner(spawner);
    std::ofstream("notes.txt") << "notes";
    NewTool("notes.txt", "", "");
    NewTool("https://example.com/help", "", "");
    EXPECT_TRUE(tools.InvokeTool(32806));
    EXPECT_TRUE(tools.InvokeTool(32807));
    tw::shell::SetProcessSpawner(previous);
    ASSERT_EQ(spawner->started.size(), 2u);
    EXPECT_EQ(spawner->started[0].back(), fs::absolute("notes.txt").string());
    EXPECT_EQ(spawner->started[1].back(), "https://example.com/help");
    EXPECT_TRUE(main.texts.empty());
}

TEST_F(RunToolsTest, TheIconIsDrawnAtItsOwnSizeInTheMiddleOfTheRectangle)
{
    CKtvPUserTool* pTool = NewTool("no-such-program-anywhere", "", "");
    CWindowDC dcScreen(nullptr);
    CDC dc;
    CBitmap bitmap;
    ASSERT_TRUE(dc.CreateCompatibleDC(&dcScreen));
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dcScreen, 40, 30));
    CBitmap* pOld = dc.SelectObject(&bitmap);
    const COLORREF background = RGB(0, 128, 0);
    CBrush brush(background);
    dc.FillRect(CRect(0, 0, 40, 30), &brush);
    // 24 x 20 at (10, 5): the 16 x 16 icon starts 4 and 2 pixels in.
    pTool->DrawToolIcon(&dc, CRect(10, 5, 34, 25));
    EXPECT_EQ(dc.GetPixel(14, 7), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(13, 7), background);
    EXPECT_EQ(dc.GetPixel(14, 6), background);
    // A rectangle smaller than the icon draws it from its corner.
    dc.FillRect(CRect(0, 0, 40, 30), &brush);
    pTool->DrawToolIcon(&dc, CRect(2, 3, 10, 11));
    EXPECT_EQ(dc.GetPixel(2, 3), RGB(0, 0, 0));
    dc.SelectObject(pOld);
}

TEST_F(RunToolsTest, TheIconGoesToTheClipboardOnTheButtonFace)
{
    CKtvPUserTool* pTool = NewTool("no-such-program-anywhere", "", "");
    ASSERT_TRUE(pTool->CopyIconToClipboard());
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HBITMAP hBitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    ASSERT_NE(hBitmap, nullptr);
    BITMAP bm{};
    ASSERT_NE(::GetObject(hBitmap, sizeof bm, &bm), 0);
    EXPECT_EQ(bm.bmWidth, globalData.m_sizeSmallIcon.cx);
    EXPECT_EQ(bm.bmHeight, globalData.m_sizeSmallIcon.cy);
    // The default icon is transparent at its lower right corner.
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    EXPECT_EQ(::GetPixel(hdc, bm.bmWidth - 1, bm.bmHeight - 1), globalData.clrBtnFace);
    EXPECT_EQ(::GetPixel(hdc, 0, 0), RGB(0, 0, 0));
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ::CloseClipboard();
}

}  // namespace
