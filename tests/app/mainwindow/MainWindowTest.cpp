// The program's start-up in this process, as main() runs it: the application
// object's InitInstance makes the maximised main window with its menu bar, its
// five toolbars docked in their rows and the status bar with the connection count.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/TarnwickApp.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "tests/app/mainwindow/MainWindowFixture.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using tw::test::MainWindowTest;

TEST_F(MainWindowTest, StartsMaximisedWithTheMenuBarAndItsPopups)
{
    EXPECT_TRUE(frame->IsZoomed());
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "Tarnwick");
    const std::vector<std::string> expected = {"&File",   "&Edit",  "&View",   "Session", "Query",
                                               "Result", "&Tools", "&Window", "&Help"};
    std::vector<std::string> texts;
    for (int i = 0; i < frame->m_wndMenuBar.GetCount(); i++) {
        auto* pButton = dynamic_cast<CKtvPToolbarMenuButton*>(frame->m_wndMenuBar.GetButton(i));
        if (pButton && !pButton->m_strText.IsEmpty())
            texts.emplace_back(static_cast<LPCTSTR>(pButton->m_strText));
    }
    EXPECT_EQ(texts, expected);

    // The labels tell the keys the program really has.
    HMENU hMenu = ::LoadMenu(tw::ProgramInstance(), MAKEINTRESOURCE(IDR_TW_MAINFRAME));
    ASSERT_NE(hMenu, nullptr);
    struct Item {
        UINT id;
        const char* text;
    };
    const Item items[] = {{37223, "Toggle Bookmark\tCtrl+F2"},
                          {57633, "Clear A&ll\tCtrl+Shift+Del"},
                          {32854, "&Select Database"},
                          {57641, "R&eplace...\tCtrl+H"},
                          {57664, "&About Tarnwick..."}};
    for (const Item& item : items) {
        CString text;
        EXPECT_TRUE(CKtvPMenuBar::FindMenuItemText(hMenu, item.id, text)) << item.id;
        EXPECT_STREQ(text, item.text) << item.id;
    }
    ::DestroyMenu(hMenu);
}

TEST_F(MainWindowTest, HasTheStatusBarWithTheConnectionCountAndTitledToolbars)
{
    CRect client;
    frame->GetClientRect(client);
    EXPECT_EQ(BarRect(frame->m_wndStatusBar).bottom, client.bottom);
    EXPECT_EQ(BarRect(frame->m_wndMenuBar).top, 0);
    EXPECT_EQ(frame->m_wndStatusBar.GetCount(), 5);
    EXPECT_STREQ(frame->m_wndStatusBar.GetPaneByIndex(1)->lpszText, "Total # of connections: 0");

    struct Bar {
        CKtvPToolBar* pBar;
        const char* title;
    };
    const Bar bars[] = {{&frame->m_wndToolBar, "Standard"},
                        {&frame->m_wndEditBar, "Edit Toolbar"},
                        {&frame->m_wndSessionBar, "Session Toolbar"},
                        {&frame->m_wndQueryBar, "Query(execute sql) Toolbar"},
                        {&frame->m_wndResultBar, "Navigate Toolbar"}};
    for (const Bar& bar : bars) {
        CString title;
        bar.pBar->GetWindowText(title);
        EXPECT_STREQ(title, bar.title);
        EXPECT_TRUE(bar.pBar->IsWindowVisible()) << bar.title;
    }
}

// Standard, Edit, Session and Result share the first row under the menu bar,
// each at its own width; the Query toolbar has the next row.
TEST_F(MainWindowTest, DocksTheToolbarsInTwoRowsUnderTheMenuBar)
{
    const CRect menu = BarRect(frame->m_wndMenuBar);
    CWnd* row[] = {&frame->m_wndToolBar, &frame->m_wndEditBar, &frame->m_wndSessionBar, &frame->m_wndResultBar};
    int right = -1;
    for (CWnd* pBar : row) {
        const CRect rect = BarRect(*pBar);
        EXPECT_EQ(rect.top, menu.bottom);
        EXPECT_GE(rect.left, right) << "the row is Standard, Edit, Session, Result";
        EXPECT_GT(rect.Width(), 0);
        right = rect.right;
    }
    EXPECT_LT(right, menu.right);
    EXPECT_GE(BarRect(frame->m_wndQueryBar).top, BarRect(frame->m_wndToolBar).bottom);
}

// On the screen every bar shows something of its own in its rectangle: a
// row through its middle holds more than one colour (text, images, edges),
// and the pane captions show their text.
TEST_F(MainWindowTest, TheScreenShowsEveryBarInItsRectangle)
{
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    struct Shown {
        CWnd* pBar;
        const char* name;
        int y;  // the row looked at, from the bar's top; -1 its middle
    };
    const Shown bars[] = {{&frame->m_wndMenuBar, "menu bar", -1},       {&frame->m_wndToolBar, "Standard", -1},
                          {&frame->m_wndEditBar, "Edit", -1},           {&frame->m_wndSessionBar, "Session", -1},
                          {&frame->m_wndQueryBar, "Query", -1},         {&frame->m_wndResultBar, "Result", -1},
                          {&frame->m_wndStatusBar, "status bar", -1},   {&frame->m_wndOutput, "Output caption", 8},
                          {&frame->m_wndSnippets, "Snippets caption", 8}};
    const HWND hwndFrame = frame->GetSafeHwnd();
    for (const Shown& bar : bars) {
        const CRect rect = BarRect(*bar.pBar);
        ASSERT_FALSE(rect.IsRectEmpty()) << bar.name;
        const int y = bar.y < 0 ? rect.CenterPoint().y : rect.top + bar.y;
        std::set<COLORREF> colours;
        for (int x = rect.left + 1; x < rect.right - 1; x++)
            colours.insert(ScreenPixel(hwndFrame, x, y));
        EXPECT_GT(colours.size(), 1u) << bar.name << " at " << rect.left << "," << rect.top;
    }
}

}  // namespace
