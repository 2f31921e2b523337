// The main window's panes and what its constructor and start-up set up: the
// server objects, the look chosen by the stored options, the Output pane with
// its list, the Object group and the Snippets pane filled from its file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/com/ClassRegistry.h"
#include "platform/dmo/DmoInterfaces.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "tests/app/mainwindow/MainWindowFixture.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/docking/KtvPTabbedControlBar.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvPVisualManager2003.h"
#include "ui/frames/KtvPVisualManagerXP.h"

namespace tw::test {
namespace {

std::string PanesFileText(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string ClipboardText()
{
    std::string text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE hData = ::GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(::GlobalLock(hData));
        ::GlobalUnlock(hData);
    }
    ::CloseClipboard();
    return text;
}

using MainFramePanesTest = MainWindowTest;

TEST_F(MainFramePanesTest, TheConstructorMakesEveryServerObjectAndTheRecordset)
{
    EXPECT_NE(frame->m_SQLServer, nullptr);
    EXPECT_NE(frame->m_Database, nullptr);
    EXPECT_NE(frame->m_Table2, nullptr);
    EXPECT_NE(frame->m_Key, nullptr);
    EXPECT_NE(frame->m_View, nullptr);
    EXPECT_NE(frame->m_UserDefinedFunction, nullptr);
    EXPECT_NE(frame->m_pRecordset, nullptr);
    EXPECT_EQ(frame->m_QueryResults, nullptr) << "made by those that run queries";
}

// A class that is not there stops the list at its member: the members before
// it are made, it and all after it stay null, and so does the recordset. The
// window still opens.
TEST_F(MainFramePanesTest, AnUnregisteredServerClassStopsTheConstructorThere)
{
    tw::com::ClassRegistry::Instance().Unregister(SQLDMO::CLSID_Key);
    auto* pFrame = new CMainFrame;
    tw::dmo::RegisterClasses();
    EXPECT_NE(pFrame->m_SQLServer, nullptr);
    EXPECT_NE(pFrame->m_Column, nullptr);
    EXPECT_EQ(pFrame->m_Key, nullptr);
    EXPECT_EQ(pFrame->m_Check, nullptr);
    EXPECT_EQ(pFrame->m_UserDefinedFunction, nullptr);
    EXPECT_EQ(pFrame->m_pRecordset, nullptr);
    frame->DestroyWindow();
    Pump();
    ASSERT_TRUE(pFrame->LoadFrame(IDR_TW_MAINFRAME));
    pFrame->ShowWindow(SW_SHOWMAXIMIZED);
    Pump();
    EXPECT_TRUE(pFrame->IsWindowVisible());
    pFrame->DestroyWindow();
}

// Output at the bottom, the Object pane at the left with Depot as a tab and
// Project hidden in the same group, Snippets at the right with an id of its own.
TEST_F(MainFramePanesTest, ThePanesComeUpWhereTheFramePutsThem)
{
    CRect client;
    frame->GetClientRect(client);
    struct Pane {
        CKtvPDockingControlBar* pBar;
        UINT nID;
        const char* caption;
    };
    const Pane panes[] = {{&frame->m_wndOutput, 32775, "Output"},
                          {&frame->m_wndObjectBar, 32772, "Object"},
                          {&frame->m_wndDepotBar, 40266, "Depot"},
                          {&frame->m_wndProjectBar, 40267, "Project"},
                          {&frame->m_wndSnippets, 40270, "Snippets"}};
    for (const Pane& pane : panes) {
        EXPECT_EQ(static_cast<UINT>(pane.pBar->GetDlgCtrlID()), pane.nID) << pane.caption;
        CString caption;
        pane.pBar->GetWindowText(caption);
        EXPECT_STREQ(caption, pane.caption);
    }

    // The library's fonts and metrics were set up: captions fit their text.
    EXPECT_GT(globalData.m_nTextHeight, 0);
    EXPECT_GT(frame->m_wndOutput.GetCaptionHeight(), globalData.m_nTextHeight);
    EXPECT_TRUE(frame->m_wndOutput.IsVisible());
    const CRect output = BarRect(frame->m_wndOutput);
    EXPECT_GT(output.Height(), 0);
    EXPECT_LE(output.bottom, BarRect(frame->m_wndStatusBar).top);
    EXPECT_GT(output.top, client.Height() / 2);

    EXPECT_TRUE(frame->m_wndObjectBar.IsVisible());
    EXPECT_TRUE(frame->m_wndObjectBar.IsTabbed());
    EXPECT_TRUE(frame->m_wndDepotBar.IsTabbed());
    EXPECT_EQ(frame->m_wndDepotBar.GetParent(), frame->m_wndObjectBar.GetParent());
    EXPECT_FALSE(frame->m_wndProjectBar.IsVisible());
    EXPECT_LT(BarRect(frame->m_wndObjectBar).left, client.Width() / 4);

    EXPECT_TRUE(frame->m_wndSnippets.IsVisible());
    EXPECT_GT(BarRect(frame->m_wndSnippets).left, client.Width() * 3 / 4);

    for (CWnd* pPane : {static_cast<CWnd*>(&frame->m_wndObjectBar), static_cast<CWnd*>(&frame->m_wndDepotBar),
                        static_cast<CWnd*>(&frame->m_wndProjectBar)})
        EXPECT_NE(pPane->SendMessage(WM_GETICON, ICON_SMALL, 0), 0) << "a small icon in the caption and tab";
}

// Menu commands that no shown toolbar carries still show an image in the menus.
TEST_F(MainFramePanesTest, MenuCommandsOutsideTheShownToolbarsHaveImages)
{
    const UINT commands[] = {57602, 57665, 57643, 57636, 32775, 40268, 32816, 32770, 57664, 57649};
    for (UINT nID : commands)
        EXPECT_GE(GetCmdImage(nID), 0) << nID;
}

// The list keeps a one-pixel frame on every side whatever size the pane takes.
TEST_F(MainFramePanesTest, TheOutputListKeepsAOnePixelBorderWhenThePaneIsResized)
{
    COutputBar& output = frame->m_wndOutput;
    const CSize sizes[] = {{600, 120}, {300, 60}, {40, 30}};
    for (const CSize& size : sizes) {
        output.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
        CRect client;
        output.GetClientRect(client);
        CRect list;
        output.m_wndList.GetWindowRect(list);
        output.ScreenToClient(list);
        EXPECT_EQ(list, CRect(1, 1, client.right - 1, client.bottom - 1)) << size.cx << "x" << size.cy;
    }
    output.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    CRect list;
    output.m_wndList.GetWindowRect(list);
    output.ScreenToClient(list);
    EXPECT_EQ(ScreenPixel(output.GetSafeHwnd(), list.left - 1, list.top + 5), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenPixel(output.GetSafeHwnd(), list.right, list.top + 5), ::GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(MainFramePanesTest, AMessageWhileThePaneIsHiddenShowsItAndLinesKeepTheirOrder)
{
    COutputBar& output = frame->m_wndOutput;
    frame->ShowControlBar(&output, FALSE, FALSE, FALSE);
    Pump();
    ASSERT_FALSE(output.IsVisible());
    EXPECT_EQ(output.AddLine("(3 row(s) affected)"), 0);
    EXPECT_EQ(output.AddLine("Msg 208, Level 16, State 1, Line 1"), 1);
    Pump();
    EXPECT_TRUE(output.IsVisible());
    EXPECT_GT(BarRect(output).Height(), 0);
    CString line;
    output.m_wndList.GetText(1, line);
    EXPECT_STREQ(line, "Msg 208, Level 16, State 1, Line 1");
}

// The user selects lines with the mouse (Shift+click for a range) and copies them with Ctrl+C.
TEST_F(MainFramePanesTest, SelectedOutputLinesAreCopiedWithCtrlC)
{
    COutputBar& output = frame->m_wndOutput;
    output.AddLine("first");
    output.AddLine("second");
    output.AddLine("third");
    Pump();
    CRect first;
    CRect second;
    output.m_wndList.GetItemRect(0, first);
    output.m_wndList.GetItemRect(1, second);
    const POINT a = ScreenPointOf(output.m_wndList.GetSafeHwnd(), first.left + 5, first.CenterPoint().y);
    const POINT b = ScreenPointOf(output.m_wndList.GetSafeHwnd(), second.left + 5, second.CenterPoint().y);
    input.MouseMove(a.x, a.y);
    input.ButtonDown(tw::display::MouseButton::Left, a.x, a.y);
    input.ButtonUp(tw::display::MouseButton::Left, a.x, a.y);
    Pump();
    input.KeyDown(VK_SHIFT);
    input.MouseMove(b.x, b.y);
    input.ButtonDown(tw::display::MouseButton::Left, b.x, b.y);
    input.ButtonUp(tw::display::MouseButton::Left, b.x, b.y);
    input.KeyUp(VK_SHIFT);
    Pump();
    input.KeyDown(VK_CONTROL);
    input.KeyStroke('C');
    input.KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(ClipboardText(), "first\r\nsecond");
}

// The snippet file holds two groups; start-up shows one page per group with
// its snippets, keeps them in the registry for the run (opening a snippet
// reads its text there) and leaves the file as it was.
class SnippetsStartTest : public MainWindowTest {
protected:
    void BeforeStart() override
    {
        std::filesystem::create_directories("data");
        std::ofstream out(kTwSnippetsFile, std::ios::binary);
        out << kFile;
        // Left in the registry by an earlier run that ended abruptly: the file wins.
        CKtvPRegistry registry(FALSE, FALSE);
        registry.CreateKey(CString(kTwSnippetsKey) + "\\Stale group");
    }
    static constexpr const char* kFile =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        " <registry>\r\n"
        "  <k name=\"HKEY_CURRENT_USER\">\r\n"
        "   <k name=\"Software\">\r\n"
        "    <k name=\"Corvane\">\r\n"
        "     <k name=\"Tarnwick\">\r\n"
        "      <k name=\"Snippets\">\r\n"
        "       <k name=\"Cursors\">\r\n"
        "        <k name=\"Declare cursor\">\r\n"
        "         <v name=\"(Default)\" value=\"DECLARE c CURSOR FOR SELECT 1\"/>\r\n"
        "        </k>\r\n"
        "       </k>\r\n"
        "       <k name=\"Tables\">\r\n"
        "        <k name=\"Create table\">\r\n"
        "         <v name=\"(Default)\" value=\"CREATE TABLE t (id int)\"/>\r\n"
        "        </k>\r\n"
        "        <k name=\"Drop table\">\r\n"
        "         <v name=\"(Default)\" value=\"DROP TABLE t\"/>\r\n"
        "        </k>\r\n"
        "       </k>\r\n"
        "      </k>\r\n"
        "     </k>\r\n"
        "    </k>\r\n"
        "   </k>\r\n"
        "  </k>\r\n"
        " </registry>\r\n";
};

TEST_F(SnippetsStartTest, ShowsOnePagePerGroupAndKeepsTheSnippetsForTheRun)
{
    CKtvPBaseTabWnd* pPages = frame->m_wndSnippets.GetUnderlinedWindow();
    ASSERT_NE(pPages, nullptr);
    ASSERT_EQ(pPages->GetTabsNum(), 2);
    struct Page {
        const char* group;
        std::vector<std::string> items;
    };
    const Page pages[] = {{"Cursors", {"Declare cursor"}}, {"Tables", {"Create table", "Drop table"}}};
    for (int i = 0; i < 2; i++) {
        CString label;
        pPages->GetTabLabel(i, label);
        EXPECT_STREQ(label, pages[i].group);
        ASSERT_LT(static_cast<size_t>(i), frame->m_SnippetLists.size());
        CSnippetListBox* pList = frame->m_SnippetLists[static_cast<size_t>(i)].get();
        CString name;
        pList->GetWindowText(name);
        EXPECT_STREQ(name, pages[i].group);
        std::vector<std::string> items;
        for (int j = 0; j < pList->GetCount(); j++) {
            CString text;
            pList->GetText(j, text);
            items.emplace_back(static_cast<LPCTSTR>(text));
        }
        EXPECT_EQ(items, pages[i].items) << pages[i].group;
    }
    CKtvPRegistry registry(FALSE, TRUE);
    ASSERT_TRUE(registry.Open(CString(kTwSnippetsKey) + "\\Tables\\Drop table"));
    CString text;
    EXPECT_TRUE(registry.Read("", text));
    EXPECT_STREQ(text, "DROP TABLE t");
    EXPECT_EQ(PanesFileText(kTwSnippetsFile), kFile);
}

// The look and the MDI tabs follow the stored options; with none stored the
// base look and slanted tabs at the top.
TEST_F(MainFramePanesTest, TheStoredLookOptionsChooseTheLookAndTheTabs)
{
    struct Case {
        std::vector<std::pair<const char*, int>> options;
        CRuntimeClass* pLook;
        BOOL bSlanted;
        BOOL bAutoColor;
    };
    const Case cases[] = {
        {{}, RUNTIME_CLASS(CKtvPVisualManager), TRUE, FALSE},
        {{{"APPLookVS", 1}}, RUNTIME_CLASS(CKtvPVisualManagerXP), TRUE, FALSE},
        {{{"APPLookVS", 1}, {"APPLookNet", 1}}, RUNTIME_CLASS(CKtvPVisualManager2003), FALSE, FALSE},
        {{{"APPLookVS", 1}, {"APPLookNet", 1}, {"APPLookOff23OneNote", 1}},
         RUNTIME_CLASS(CKtvPVisualManager2003), TRUE, TRUE},
        {{{"APPLookVS", 1}, {"APPLookNet", 1}, {"APPLookOff2003", 1}}, RUNTIME_CLASS(CKtvPVisualManager), TRUE,
         FALSE},
        {{{"APPLookVS", 1}, {"APPLookNet", 1}, {"APPLookOff2003", 1}, {"APPLookOff2000", 1}},
         RUNTIME_CLASS(CKtvPVisualManager2003), TRUE, TRUE},
    };
    const char* const allOptions[] = {"APPLookVS", "APPLookNet", "APPLookOff2003", "APPLookOff2000",
                                      "APPLookOff23OneNote"};
    for (const Case& c : cases) {
        for (const char* option : allOptions)
            App().WriteSectionInt(option, "EnvironmentGeneral", 0);
        for (const auto& [option, value] : c.options)
            App().WriteSectionInt(option, "EnvironmentGeneral", value);
        frame->DestroyWindow();
        Pump();
        frame = new CMainFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_TW_MAINFRAME));
        const std::string label = c.options.empty() ? "nothing stored" : c.options.back().first;
        EXPECT_STREQ(CKtvPVisualManager::GetInstance()->GetRuntimeClass()->m_lpszClassName,
                     c.pLook->m_lpszClassName)
            << label;
        CKtvPTabWnd& tabs = frame->m_wndClientArea.GetMDITabs();
        EXPECT_EQ(tabs.IsSlantedTabs(), c.bSlanted) << label;
        EXPECT_EQ(tabs.IsAutoColor(), c.bAutoColor) << label;
        EXPECT_EQ(tabs.GetLocation(), CKtvPTabWnd::LOCATION_TOP) << label;
    }
    for (const char* option : allOptions)
        App().WriteSectionInt(option, "EnvironmentGeneral", 0);
    CKtvPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKtvPVisualManager));
    CKtvPToolBar::SetLook2000(FALSE);
}

}  // namespace
}  // namespace tw::test
