// The tasks pane's pages and navigation: the history, the caption and its
// buttons, the navigation toolbar, task clicks and command update, the saved
// state across library versions, and the pane's own floating frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CRecentFileList.h"
#include "platform/mfc/CWinApp.h"
#include "resources/resource.h"
#include "tests/ui/controls/TasksPaneFixture.h"
#include "ui/controls/KtvPTaskPaneMiniFrameWnd.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

using tw::test::TasksPaneTest;
using tw::test::TestTasksPane;
using tw::test::kPaneStyle;

std::string Text(CWnd* pWnd)
{
    CString text;
    pWnd->GetWindowText(text);
    return std::string(text);
}

std::vector<int> History(const CKtvPTasksPane* pane)
{
    std::vector<int> history;
    for (int i = 0; i < pane->GetHistoryLength(); i++)
        history.push_back(pane->GetHistoryEntry(i));
    return history;
}

TEST_F(TasksPaneTest, TheHistoryFollowsVisitsBackForwardAndHome)
{
    MakePane();
    for (const char* name : {"One", "Two", "Three", "Four"})
        pane->AddPage(name);
    enum Act { Visit, Back, Forward, Home };
    struct Step {
        Act act;
        int page;
        std::vector<int> history;
        int position;
    };
    const Step steps[] = {
        {Visit, 1, {0, 1}, 1},
        {Visit, 2, {0, 1, 2}, 2},
        {Visit, 3, {0, 1, 2, 3}, 3},
        {Back, 0, {0, 1, 2, 3}, 2},
        {Back, 0, {0, 1, 2, 3}, 1},
        {Visit, 4, {0, 1, 4}, 2},          // a new page drops the entries ahead
        {Visit, 4, {0, 1, 4}, 2},          // the shown page adds nothing
        {Back, 0, {0, 1, 4}, 1},
        {Forward, 0, {0, 1, 4}, 2},
        {Forward, 0, {0, 1, 4}, 2},        // nothing ahead
        {Home, 0, {0, 1, 4, 0}, 3},
        {Home, 0, {0, 1, 4, 0}, 3},
        {Visit, 9, {0, 1, 4, 0}, 3},       // no such page
    };
    int n = 0;
    for (const Step& step : steps) {
        switch (step.act) {
        case Visit:
            pane->SetActivePage(step.page);
            break;
        case Back:
            pane->OnPressBackButton();
            break;
        case Forward:
            pane->OnPressForwardButton();
            break;
        case Home:
            pane->OnPressHomeButton();
            break;
        }
        EXPECT_EQ(History(pane), step.history) << "step " << n;
        EXPECT_EQ(pane->GetActiveHistoryPos(), step.position) << "step " << n;
        EXPECT_EQ(pane->GetActivePage(), step.history[size_t(step.position)]) << "step " << n;
        n++;
    }
}

TEST_F(TasksPaneTest, TheHistoryKeepsItsLatestTenEntries)
{
    MakePane();
    pane->AddPage("One");
    pane->AddPage("Two");
    for (int i = 0; i < 12; i++)
        pane->SetActivePage(1 + i % 2);
    ASSERT_EQ(pane->GetHistoryLength(), 10);
    EXPECT_EQ(pane->GetActiveHistoryPos(), 9);
    EXPECT_EQ(pane->GetHistoryEntry(0), 1) << "the home entry and the first visit are gone";
    int backs = 0;
    while (pane->GetActiveHistoryPos() > 0 && backs < 20) {
        pane->OnPressBackButton();
        backs++;
    }
    EXPECT_EQ(backs, 9);
}

TEST_F(TasksPaneTest, ThePagesMenuListsThePagesWithTheShownOneChecked)
{
    MakePane();
    pane->AddPage("Files");
    pane->AddPage("Search");
    pane->SetActivePage(2);
    HMENU hMenu = pane->GetPagesMenu();
    ASSERT_NE(hMenu, nullptr);
    ASSERT_EQ(::GetMenuItemCount(hMenu), 3);
    const char* names[] = {"Tasks Pane", "Files", "Search"};
    for (int i = 0; i < 3; i++) {
        char text[64] = {};
        ::GetMenuString(hMenu, (UINT)i, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(text, names[i]);
        EXPECT_EQ(::GetMenuItemID(hMenu, i), (UINT)IDS_KTVP_OTHER_TASK_PANES);
        EXPECT_EQ((::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION) & MF_CHECKED) != 0, i == 2) << i;
    }
}

TEST_F(TasksPaneTest, TheCaptionIsThePageNameUntilASecondPageExists)
{
    MakePane();
    pane->SetCaption("Tools");
    EXPECT_EQ(Text(pane), "Tasks Pane") << "one page: its name";
    pane->AddPage("Search");
    EXPECT_EQ(Text(pane), "Tools");
    pane->SetActivePage(1);
    EXPECT_EQ(Text(pane), "Tools");
}

// The docked caption shows Back, Forward and the pages menu once a second page
// exists, though the first drawing with one page hid them.
TEST_F(TasksPaneTest, DockedCaptionButtonsComeWithASecondPage)
{
    MakePane();
    pane->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(pane->DockToFrameWindow(CBRS_ALIGN_LEFT));
    Pump();
    pane->SendMessage(WM_NCPAINT);
    for (UINT nHit : {(UINT)KTVP_HTBACK, (UINT)KTVP_HTFORWARD, (UINT)KTVP_HTMENU})
        EXPECT_TRUE(pane->FindButtonByHit(nHit)->m_bHidden) << nHit;

    pane->AddPage("Search");
    pane->SetActivePage(1);
    Pump();
    for (UINT nHit : {(UINT)KTVP_HTBACK, (UINT)KTVP_HTFORWARD, (UINT)KTVP_HTMENU})
        EXPECT_FALSE(pane->FindButtonByHit(nHit)->m_bHidden) << nHit;
    EXPECT_TRUE(pane->FindButtonByHit(KTVP_HTBACK)->m_bEnabled);
    EXPECT_FALSE(pane->FindButtonByHit(KTVP_HTFORWARD)->m_bEnabled);

    ClickCaptionButton(pane, KTVP_HTBACK);
    EXPECT_EQ(pane->GetActivePage(), 0);
    pane->SendMessage(WM_NCPAINT);
    EXPECT_FALSE(pane->FindButtonByHit(KTVP_HTBACK)->m_bEnabled);
    EXPECT_TRUE(pane->FindButtonByHit(KTVP_HTFORWARD)->m_bEnabled);
    ClickCaptionButton(pane, KTVP_HTFORWARD);
    EXPECT_EQ(pane->GetActivePage(), 1);

    struct TipCase {
        UINT nTool;
        const char* text;
    };
    for (const TipCase& tip : {TipCase{3, "Back"}, TipCase{4, "Forward"}, TipCase{5, "Other Task Panes"}}) {
        TOOLTIPTEXTA info{};
        info.hdr.hwndFrom = pane->GetCaptionToolTip().GetSafeHwnd();
        info.hdr.idFrom = tip.nTool;
        info.hdr.code = TTN_NEEDTEXTA;
        pane->SendMessage(WM_NOTIFY, tip.nTool, (LPARAM)&info);
        ASSERT_NE(info.lpszText, nullptr) << tip.nTool;
        EXPECT_STREQ(info.lpszText, tip.text);
    }
}

// The caption's menu button lists the pages in the system's menu; choosing
// one shows it (all its items share one command, so the menu shown carries
// the pages' numbers).
TEST_F(TasksPaneTest, TheCaptionMenuShowsTheChosenPage)
{
    MakePane();
    pane->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(pane->DockToFrameWindow(CBRS_ALIGN_LEFT));
    pane->AddPage("Files");
    pane->AddPage("Search");
    Pump();
    CKtvPCaptionButton* pMenuButton = pane->FindButtonByHit(KTVP_HTMENU);
    ASSERT_NE(pMenuButton, nullptr);
    ASSERT_FALSE(pMenuButton->m_bHidden);
    ASSERT_TRUE(static_cast<CKtvPCaptionMenuButton*>(pMenuButton)->m_bOSMenu);
    CRect rect = pMenuButton->GetRect();
    rect.OffsetRect(Rect(pane).TopLeft());
    Advance(1000);
    input.MouseMove(rect.CenterPoint().x, rect.CenterPoint().y);
    Pump();
    // The menu is modal: the keys that choose the third page wait in the queue.
    input.Click(tw::display::MouseButton::Left, rect.CenterPoint().x, rect.CenterPoint().y);
    for (UINT vk : {(UINT)VK_DOWN, (UINT)VK_DOWN, (UINT)VK_DOWN, (UINT)VK_RETURN})
        input.KeyStroke(vk);
    Pump();
    EXPECT_EQ(pane->GetActivePage(), 2);
    EXPECT_FALSE(pane->m_bMenuShown);
    EXPECT_EQ(::GetMenuItemID(pane->GetPagesMenu(), 2), (UINT)IDS_KTVP_OTHER_TASK_PANES)
        << "the pane's own menu keeps the shared command";
}

TEST_F(TasksPaneTest, TheNavigationToolbarTopsThePaneAndGoesBack)
{
    MakePane();
    pane->EnableNavigationToolbar(TRUE);
    EXPECT_TRUE(pane->GetToolbarArea().IsRectEmpty()) << "no toolbar with one page";
    pane->AddPage("Search");
    pane->SetActivePage(1);
    Pump();
    CTasksPaneToolBar& toolbar = pane->GetNavigationToolBar();
    ASSERT_TRUE(toolbar.IsWindowVisible());
    const CRect rectToolbar = pane->GetToolbarArea();
    EXPECT_EQ(rectToolbar.top, 0);
    EXPECT_EQ(pane->GetTasksArea().top, rectToolbar.bottom);

    // Back, Forward, Home, a separator, the pages menu naming the shown page, and Close kept hidden beside it.
    ASSERT_EQ(toolbar.GetCount(), 6);
    EXPECT_EQ(toolbar.GetButton(4)->m_strText, CString("Search"));
    EXPECT_FALSE(toolbar.GetButton(5)->m_bVisible);

    pane->OnUpdateCmdUI(frame, FALSE);
    toolbar.OnUpdateCmdUI(frame, FALSE);
    EXPECT_EQ(toolbar.GetButton(0)->m_nStyle & TBBS_DISABLED, 0u) << "Back";
    EXPECT_NE(toolbar.GetButton(1)->m_nStyle & TBBS_DISABLED, 0u) << "Forward";

    CRect rectBack;
    toolbar.GetItemRect(0, rectBack);
    toolbar.ClientToScreen(rectBack);
    pane->ScreenToClient(rectBack);
    ClickAt(rectBack.CenterPoint());
    EXPECT_EQ(pane->GetActivePage(), 0);
    EXPECT_EQ(toolbar.GetButton(4)->m_strText, CString("Tasks Pane"));
}

TEST_F(TasksPaneTest, AClickOnATaskPostsItsCommandOnce)
{
    MakePane();
    const int g = pane->AddGroup("Files");
    pane->AddTask(g, "Open", -1, 32801);
    pane->AddLabel(g, "Just a label");
    pane->AddTask(g, "Print", -1, 32802);
    pane->EnableTask(g, 2, FALSE);
    Pump();

    ClickTask(g, 0);
    EXPECT_EQ(commands, std::vector<UINT>{32801});
    EXPECT_NE(std::find(messageStrings.begin(), messageStrings.end(), 32801u), messageStrings.end())
        << "the status bar hears of the command under the mouse";

    commands.clear();
    ClickTask(g, 1);
    ClickTask(g, 2);
    EXPECT_TRUE(commands.empty()) << "a label and a disabled task post nothing";
    EXPECT_EQ(pane->GetHotTask(), nullptr) << "a disabled task never lights up";
    ASSERT_FALSE(messageStrings.empty());
    EXPECT_EQ(messageStrings.back(), (UINT)AFX_IDS_IDLEMESSAGE);
}

// The hand shows over what a click acts on: an enabled task, or a caption while groups collapse.
TEST_F(TasksPaneTest, TheHandCursorMarksWhatAClickActsOn)
{
    MakePane();
    const int g = pane->AddGroup("Files");
    pane->AddTask(g, "Open", -1, 32801);
    pane->AddTask(g, "Print", -1, 32802);
    pane->EnableTask(g, 1, FALSE);
    Pump();
    auto cursorAt = [this](CPoint pt) {
        MoveTo(pt);
        ::SetCursor(nullptr);
        pane->SendMessage(WM_SETCURSOR, (WPARAM)pane->GetSafeHwnd(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor() == globalData.GetHandCursor();
    };
    EXPECT_TRUE(cursorAt(pane->GetTask(g, 0)->m_rect.CenterPoint()));
    EXPECT_FALSE(cursorAt(pane->GetTask(g, 1)->m_rect.CenterPoint())) << "a disabled task";
    EXPECT_TRUE(cursorAt(pane->GetGroup(g)->m_rect.CenterPoint()));
    EXPECT_FALSE(cursorAt(CPoint(100, 280))) << "nothing there";
    pane->EnableGroupCollapse(FALSE);
    EXPECT_FALSE(cursorAt(pane->GetGroup(g)->m_rect.CenterPoint())) << "captions do nothing now";
}

// A double click inside the pane, with messages going through the
// application's pre-translation, neither floats nor docks it.
TEST_F(TasksPaneTest, ADoubleClickInsideThePaneLeavesItDocked)
{
    MakePane();
    pane->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(pane->DockToFrameWindow(CBRS_ALIGN_LEFT));
    Pump();
    ASSERT_FALSE(pane->IsFloating());
    const CPoint pt = ScreenOf(CPoint(60, 200));
    Advance(1000);
    input.MouseMove(pt.x, pt.y);
    input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    MSG msg;
    int doubleClicks = 0;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        doubleClicks += msg.message == WM_LBUTTONDBLCLK ? 1 : 0;
        if (CWnd::WalkPreTranslateTree(frame->GetSafeHwnd(), &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_FALSE(pane->IsFloating());
}

TEST_F(TasksPaneTest, RecentFileNamesAreTheFilesTitles)
{
    MakePane();
    CRecentFileList files(0, "Recent File List", "File%d", 4);
    files[0] = "/work/scripts/backup.sql";
    CString name;
    EXPECT_TRUE(pane->GetMRUFileName(&files, 0, name));
    EXPECT_EQ(name, CString("backup.sql"));
    EXPECT_FALSE(pane->GetMRUFileName(&files, 1, name)) << "an empty entry";
    EXPECT_FALSE(pane->GetMRUFileName(&files, 9, name)) << "no such entry";
    EXPECT_FALSE(pane->GetMRUFileName(nullptr, 0, name));
}

// Idle update: a task whose command nobody handles is disabled; system commands are left alone.
TEST_F(TasksPaneTest, CommandUpdateEnablesTasksByTheirHandlers)
{
    MakePane();
    const int g = pane->AddGroup("Files");
    pane->AddTask(g, "Nobody handles this", -1, 32850);
    pane->AddTask(g, "Close the frame", -1, SC_CLOSE);
    pane->OnUpdateCmdUI(frame, TRUE);
    EXPECT_FALSE(pane->GetTask(g, 0)->m_bEnabled);
    EXPECT_TRUE(pane->GetTask(g, 1)->m_bEnabled);
    pane->OnUpdateCmdUI(frame, FALSE);
    EXPECT_FALSE(pane->GetTask(g, 0)->m_bEnabled) << "without disabling, the state stays as it was";
}

// --- saved state ---------------------------------------------------------------------------------------

class TasksPaneStateTest : public TasksPaneTest {
protected:
    static constexpr LPCTSTR kProfile = "Software\\Tarnwick Tests\\TasksPane\\";

    void SetStoredVersion(int nMajor, int nMinor)
    {
        workspace.m_nLoadedVersionMajor = nMajor;
        workspace.m_nLoadedVersionMinor = nMinor;
    }
    // A pane with pages "Tasks Pane", "Files" and "Search", page 2 shown.
    void MakeStoredPane()
    {
        MakePane();
        pane->AddPage("Files");
        pane->AddPage("Search");
        pane->SetActivePage(2);
        pane->SetVertMargin(3);
        pane->SetTasksIconVertOffset(6);
        pane->SetCaption("My tasks");
    }
    // A fresh pane of three pages with other names, to load into.
    TestTasksPane* MakeFreshPane()
    {
        pane->DestroyWindow();
        MakePane();
        pane->AddPage("A");
        pane->AddPage("B");
        return pane;
    }

    CKtvPWorkspace workspace;
};

TEST_F(TasksPaneStateTest, PagesMetricsAndCaptionComeBack)
{
    SetStoredVersion(6, 74);
    MakeStoredPane();
    pane->SaveState(kProfile);
    {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
        ASSERT_TRUE(reg.Open(CString(kProfile) + "KtvPTasksPane-4040"));
        BYTE* pData = nullptr;
        UINT nBytes = 0;
        ASSERT_TRUE(reg.Read("Settings", &pData, &nBytes));
        delete[] pData;
    }
    MakeFreshPane();
    pane->LoadState(kProfile);
    EXPECT_EQ(pane->GetActivePage(), 2);
    EXPECT_EQ(pane->GetPageName(1), CString("Files"));
    EXPECT_EQ(pane->GetPageName(2), CString("Search"));
    EXPECT_EQ(pane->GetVertMargin(), 3);
    EXPECT_EQ(pane->GetTasksIconVertOffset(), 6);
    EXPECT_EQ(pane->GetHorzMargin(), -1);
    EXPECT_EQ(Text(pane), "My tasks");
}

// The pane's data is stored from 6.21 on and its caption from 6.50 on; a
// 7.x store holds both.
TEST_F(TasksPaneStateTest, WhatAStoreHoldsDependsOnItsVersion)
{
    struct VersionCase {
        int nMajor, nMinor;
        bool bPages;
        bool bCaption;
    };
    const VersionCase cases[] = {
        {6, 20, false, false}, {6, 21, true, false}, {6, 50, true, true},
        {7, 0, true, true},    {7, 20, true, true},  {5, 99, false, false},
    };
    for (const VersionCase& c : cases) {
        SetStoredVersion(c.nMajor, c.nMinor);
        MakeStoredPane();
        pane->SaveState(kProfile);
        MakeFreshPane();
        pane->LoadState(kProfile);
        EXPECT_EQ(pane->GetActivePage(), c.bPages ? 2 : 0) << c.nMajor << "." << c.nMinor;
        EXPECT_EQ(pane->GetPageName(1), CString(c.bPages ? "Files" : "A")) << c.nMajor << "." << c.nMinor;
        EXPECT_EQ(Text(pane) == "My tasks", c.bCaption) << c.nMajor << "." << c.nMinor;
        pane->DestroyWindow();
        pane = nullptr;
    }
}

TEST_F(TasksPaneStateTest, StoredNamesOfAnotherCountOrAPageOutOfRangeAreIgnored)
{
    SetStoredVersion(6, 74);
    MakeStoredPane();
    pane->SaveState(kProfile);
    // Two pages where the store has three: names ignored, page 2 out of range selects page 0.
    pane->DestroyWindow();
    MakePane();
    pane->AddPage("Only");
    pane->LoadState(kProfile);
    EXPECT_EQ(pane->GetActivePage(), 0);
    EXPECT_EQ(pane->GetPageName(1), CString("Only"));

    // Damaged bytes are dropped: the pane keeps what it had.
    {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(CString(kProfile) + "KtvPTasksPane-4040"));
        BYTE junk[] = {1, 2, 3};
        ASSERT_TRUE(reg.Write("Settings", junk, sizeof(junk)));
    }
    pane->LoadState(kProfile);
    EXPECT_EQ(pane->GetPageCount(), 2);
    EXPECT_EQ(pane->GetPageName(1), CString("Only"));

    EXPECT_FALSE(pane->LoadState("Software\\Tarnwick Tests\\Nothing here\\"));
}

// --- the floating frame ----------------------------------------------------------------------------------

class TasksPaneFloatTest : public TasksPaneTest {
protected:
    CKtvPTaskPaneMiniFrameWnd* FloatPane()
    {
        MakePane(180, 240);
        pane->EnableDocking(CBRS_ALIGN_ANY);
        EXPECT_TRUE(pane->DockToFrameWindow(CBRS_ALIGN_LEFT));
        Pump();
        EXPECT_TRUE(pane->FloatControlBar(CRect(250, 150, 450, 400), KTVP_DM_DBL_CLICK, TRUE));
        Pump();
        return dynamic_cast<CKtvPTaskPaneMiniFrameWnd*>(pane->GetParentMiniFrame());
    }
    static CKtvPCaptionButton* Button(CKtvPMiniFrameWnd* pFrame, UINT nHit)
    {
        const CObList& buttons = pFrame->GetCaptionButtonList();
        for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
            auto* pBtn = static_cast<CKtvPCaptionButton*>(buttons.GetNext(pos));
            if (pBtn->GetHit() == nHit)
                return pBtn;
        }
        return nullptr;
    }
    void ClickFrameButton(CKtvPMiniFrameWnd* pFrame, UINT nHit)
    {
        CRect rect = Button(pFrame, nHit)->GetRect();
        CRect rectWindow;
        pFrame->GetWindowRect(rectWindow);
        rect.OffsetRect(rectWindow.TopLeft());
        Advance(1000);
        input.MouseMove(rect.CenterPoint().x, rect.CenterPoint().y);
        Pump();
        input.Click(tw::display::MouseButton::Left, rect.CenterPoint().x, rect.CenterPoint().y);
        Pump();
    }
};

TEST_F(TasksPaneFloatTest, TheFloatingFrameShowsNavigationOnceASecondPageExists)
{
    CKtvPTaskPaneMiniFrameWnd* pFrame = FloatPane();
    ASSERT_NE(pFrame, nullptr) << "the pane floats in its own frame";
    for (UINT nHit : {(UINT)KTVP_HTBACK, (UINT)KTVP_HTFORWARD, (UINT)KTVP_HTMENU}) {
        ASSERT_NE(Button(pFrame, nHit), nullptr) << nHit;
        EXPECT_TRUE(Button(pFrame, nHit)->m_bHidden) << nHit;
    }
    ASSERT_NE(Button(pFrame, KTVP_HTCLOSE_FRAME), nullptr);
    EXPECT_FALSE(Button(pFrame, KTVP_HTCLOSE_FRAME)->m_bHidden);

    pane->AddPage("Search");
    pane->SetActivePage(1);
    pFrame->SendMessage(WM_NCPAINT);
    EXPECT_EQ(std::string(pFrame->GetCaptionText()), Text(pane)) << "the frame shows the pane's caption";
    for (UINT nHit : {(UINT)KTVP_HTBACK, (UINT)KTVP_HTFORWARD, (UINT)KTVP_HTMENU})
        EXPECT_FALSE(Button(pFrame, nHit)->m_bHidden) << nHit;
    EXPECT_TRUE(Button(pFrame, KTVP_HTBACK)->m_bEnabled);
    EXPECT_FALSE(Button(pFrame, KTVP_HTFORWARD)->m_bEnabled);
    EXPECT_TRUE(pane->GetToolbarArea().IsRectEmpty()) << "the frame's caption navigates, not a toolbar";

    ClickFrameButton(pFrame, KTVP_HTBACK);
    EXPECT_EQ(pane->GetActivePage(), 0);
    pFrame->SendMessage(WM_NCPAINT);
    EXPECT_TRUE(Button(pFrame, KTVP_HTFORWARD)->m_bEnabled);
    ClickFrameButton(pFrame, KTVP_HTFORWARD);
    EXPECT_EQ(pane->GetActivePage(), 1);

    // Tooltips by the buttons' places in the list, the menu's reading "Other Tasks Pane".
    const CObList& buttons = pFrame->GetCaptionButtonList();
    int nTool = 1;
    int nNamed = 0;
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr; nTool++) {
        auto* pBtn = static_cast<CKtvPCaptionButton*>(buttons.GetNext(pos));
        const char* expected = pBtn->GetHit() == KTVP_HTBACK      ? "Back"
                               : pBtn->GetHit() == KTVP_HTFORWARD ? "Forward"
                               : pBtn->GetHit() == KTVP_HTMENU    ? "Other Tasks Pane"
                                                                  : nullptr;
        if (expected == nullptr)
            continue;
        TOOLTIPTEXTA info{};
        info.hdr.hwndFrom = pFrame->GetToolTip().GetSafeHwnd();
        info.hdr.idFrom = (UINT_PTR)nTool;
        info.hdr.code = TTN_NEEDTEXTA;
        pFrame->SendMessage(WM_NOTIFY, (WPARAM)nTool, (LPARAM)&info);
        ASSERT_NE(info.lpszText, nullptr) << nTool;
        EXPECT_STREQ(info.lpszText, expected);
        nNamed++;
    }
    EXPECT_EQ(nNamed, 3);
}

TEST_F(TasksPaneFloatTest, APaneThatFloatsWithOthersGetsItsToolbarInstead)
{
    MakePane(180, 240, kPaneStyle);
    pane->DestroyWindow();
    pane = new TestTasksPane;
    ASSERT_TRUE(pane->Create("Tasks", frame, CRect(0, 0, 180, 240), TRUE, tw::test::kTasksPaneId,
                             WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_FLOAT_MULTI, 0x20, kPaneStyle));
    paneHwnd = pane->GetSafeHwnd();
    pane->AddPage("Search");
    pane->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(pane->DockToFrameWindow(CBRS_ALIGN_LEFT));
    Pump();
    ASSERT_TRUE(pane->FloatControlBar(CRect(250, 150, 450, 400), KTVP_DM_DBL_CLICK, TRUE));
    Pump();
    CKtvPMiniFrameWnd* pFrame = pane->GetParentMiniFrame();
    ASSERT_NE(pFrame, nullptr);
    EXPECT_EQ(dynamic_cast<CKtvPTaskPaneMiniFrameWnd*>(pFrame), nullptr);
    pane->RecalcLayout(TRUE);
    EXPECT_FALSE(pane->GetToolbarArea().IsRectEmpty());
}

}  // namespace
