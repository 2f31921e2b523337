// The workspace: its settings path and single settings, the main window's
// stored placement (also through a real library frame closing and opening
// again), the process-wide managers it makes, the view double-click, and
// keys reaching a library frame's accelerators.
#include <memory>
#include <optional>
#include <vector>

#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWinThread.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "tests/support/ScopedAppNames.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvStoredValue.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPMouseManager.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPMDIFrameWnd.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvPShellManager.h"
#include "ui/frames/KtvPWorkspace.h"
#include "ui/frames/KtvRegPath.h"

namespace {

constexpr char kSection[] = "WorkspaceTest";

CString Base() { return KtvGetRegPath(kSection); }

class KtvPWorkspaceTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        names.emplace("Tarnwick", "Corvane");
        ktvtest::ForgetKey(Base());
        workspace = std::make_unique<CKtvPWorkspace>(TRUE);
        workspace->SetRegistryBase(kSection);
    }
    void TearDown() override
    {
        workspace.reset();
        tw::test::DestroyTopLevelWindows();
        if (CWinThread* pThread = AfxGetThread())
            pThread->m_pMainWnd = nullptr;
        names.reset();
        HeadlessWindowTest::TearDown();
    }
    std::optional<tw::test::ScopedAppNames> names;
    std::unique_ptr<CKtvPWorkspace> workspace;
};

TEST_F(KtvPWorkspaceTest, SectionPathsHangBelowTheApplicationsSettingsSection)
{
    EXPECT_EQ(KtvGetWorkspace(), workspace.get());
    EXPECT_STREQ(Base(), "SOFTWARE\\Corvane\\Tarnwick\\WorkspaceTest\\");
    EXPECT_STREQ(workspace->GetRegSectionPath(), Base());
    EXPECT_STREQ(workspace->GetRegSectionPath("SRTTextFont"), Base() + "SRTTextFont\\");
    EXPECT_STREQ(workspace->SetRegistryBase("Settings"), "Settings");
    EXPECT_STREQ(workspace->GetRegSectionPath(), KtvGetRegPath("Settings"));
    workspace.reset();
    EXPECT_EQ(KtvGetWorkspace(), nullptr);
}

// Every setting lives in a key named after it, holding one value named after its group.
TEST_F(KtvPWorkspaceTest, SectionValuesAreWrittenAndReadBackOrGiveTheDefault)
{
    EXPECT_EQ(workspace->GetSectionInt("HideSysObj", "EnvironmentGeneral", 7), 7);
    EXPECT_STREQ(workspace->GetSectionString("SRTTextFont", "SRTFontClr", "Courier New"), "Courier New");

    ASSERT_TRUE(workspace->WriteSectionInt("HideSysObj", "EnvironmentGeneral", 1));
    ASSERT_TRUE(workspace->WriteSectionString("SRTTextFont", "SRTFontClr", "Arial"));
    EXPECT_EQ(workspace->GetSectionInt("HideSysObj", "EnvironmentGeneral", 7), 1);
    EXPECT_STREQ(workspace->GetSectionString("SRTTextFont", "SRTFontClr", "Courier New"), "Arial");
    CKtvPRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(Base() + "SRTTextFont\\"));
    CString strStored;
    EXPECT_TRUE(reg.Read("SRTFontClr", strStored));
    EXPECT_STREQ(strStored, "Arial");

    // The key is there but not this value: the caller's default, for strings too.
    EXPECT_EQ(workspace->GetSectionInt("HideSysObj", "Other", 7), 7);
    EXPECT_STREQ(workspace->GetSectionString("SRTTextFont", "Other", "Courier New"), "Courier New");
}

TEST_F(KtvPWorkspaceTest, PlacementIsStoredAsARectangleAndTwoNumbers)
{
    ASSERT_TRUE(workspace->StoreWindowPlacement(CRect(10, 20, 810, 620), 2, SW_SHOWMAXIMIZED));
    const CString strKey = Base() + "WindowPlacement\\";
    EXPECT_EQ(ktvtest::StoredHex(strKey, "MainWindowRect"),
              "0a 00 00 00 14 00 00 00 2a 03 00 00 6c 02 00 00");
    CRect rect;
    int nFlags = 0;
    int nShowCmd = 0;
    ASSERT_TRUE(workspace->LoadWindowPlacement(rect, nFlags, nShowCmd));
    EXPECT_EQ(rect, CRect(10, 20, 810, 620));
    EXPECT_EQ(nFlags, 2);
    EXPECT_EQ(nShowCmd, SW_SHOWMAXIMIZED);

    // Anything missing and the placement is not taken.
    CKtvPRegistry reg(FALSE, FALSE);
    ASSERT_TRUE(reg.Open(strKey));
    ASSERT_TRUE(reg.DeleteValue("ShowCmd"));
    EXPECT_FALSE(workspace->LoadWindowPlacement(rect, nFlags, nShowCmd));
    ktvtest::ForgetKey(Base());
    EXPECT_FALSE(workspace->LoadWindowPlacement(rect, nFlags, nShowCmd));
}

TEST_F(KtvPWorkspaceTest, CleanStateRemovesEverythingUnderTheSection)
{
    ASSERT_TRUE(workspace->WriteSectionInt("HideSysObj", "EnvironmentGeneral", 1));
    ASSERT_TRUE(workspace->StoreWindowPlacement(CRect(0, 0, 100, 100), 0, SW_SHOWNORMAL));
    EXPECT_TRUE(workspace->CleanState());
    CKtvPRegistry reg(FALSE, TRUE);
    EXPECT_FALSE(reg.Open(Base()));
    EXPECT_EQ(workspace->GetSectionInt("HideSysObj", "EnvironmentGeneral", 0), 0);
}

TEST_F(KtvPWorkspaceTest, SaveStateSwitchedOffWritesNothing)
{
    workspace->m_bSaveState = FALSE;
    EXPECT_FALSE(workspace->SaveState());
    CKtvPRegistry reg(FALSE, TRUE);
    EXPECT_FALSE(reg.Open(Base()));
}

// --- the managers ---------------------------------------------------------------------------------------

TEST_F(KtvPWorkspaceTest, MakesEachManagerOnceAndDeletesOnlyWhatItMade)
{
    EXPECT_TRUE(workspace->InitMouseManager());
    CKtvPMouseManager* pMouse = g_pMouseManager;
    EXPECT_FALSE(workspace->InitMouseManager());
    EXPECT_EQ(g_pMouseManager, pMouse) << "the second call keeps the first manager";
    EXPECT_TRUE(workspace->InitContextMenuManager());
    EXPECT_FALSE(workspace->InitContextMenuManager());
    EXPECT_TRUE(workspace->InitKeyboardManager());
    EXPECT_FALSE(workspace->InitKeyboardManager());
    EXPECT_TRUE(workspace->EnableUserTools(32805, 32806, 32815, RUNTIME_CLASS(CKtvPUserTool)));
    EXPECT_FALSE(workspace->EnableUserTools(1, 2, 3, RUNTIME_CLASS(CKtvPUserTool)));
    ASSERT_NE(g_pUserToolsManager, nullptr);
    EXPECT_EQ(g_pUserToolsManager->GetToolsEntryCmd(), 32805u);
    EXPECT_EQ(g_pUserToolsManager->GetFirstCmdId(), 32806u);
    EXPECT_EQ(g_pUserToolsManager->GetLastCmdId(), 32815u);

    // A shell manager the application made itself outlives the workspace.
    auto shell = std::make_unique<CKtvPShellManager>();
    EXPECT_FALSE(workspace->InitShellManager());

    workspace.reset();
    EXPECT_EQ(g_pMouseManager, nullptr);
    EXPECT_EQ(g_pContextMenuManager, nullptr);
    EXPECT_EQ(g_pKeyboardManager, nullptr);
    EXPECT_EQ(g_pUserToolsManager, nullptr);
    EXPECT_EQ(g_pShellManager, shell.get());
}

TEST_F(KtvPWorkspaceTest, MouseAndContextMenuManagersAreMadeWhenFirstAskedFor)
{
    ASSERT_EQ(g_pMouseManager, nullptr);
    CKtvPMouseManager* pMouse = workspace->GetMouseManager();
    ASSERT_NE(pMouse, nullptr);
    EXPECT_EQ(workspace->GetMouseManager(), pMouse);
    EXPECT_TRUE(workspace->m_bMouseManagerCreated);
    CKtvPContextMenuManager* pMenus = workspace->GetContextMenuManager();
    ASSERT_NE(pMenus, nullptr);
    EXPECT_TRUE(workspace->m_bContextMenuManagerCreated);
    workspace.reset();
    EXPECT_EQ(g_pMouseManager, nullptr);
    EXPECT_EQ(g_pContextMenuManager, nullptr);
}

TEST_F(KtvPWorkspaceTest, WithoutManagersMenusAndHelpAnswerFalse)
{
    EXPECT_FALSE(workspace->ShowPopupMenu(1, CPoint(10, 10), nullptr));
    const DWORD ids[] = {1000, 1, 0, 0};
    EXPECT_FALSE(workspace->OnAppContextHelp(nullptr, ids)) << "there is no help engine to show it";
}

// --- double-clicking a view ----------------------------------------------------------------------------

class CCommandFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        commands.push_back(LOWORD(wParam));
        return TRUE;
    }
};

TEST_F(KtvPWorkspaceTest, ADoubleClickRunsTheViewsCommandInItsFrame)
{
    auto* pFrame = new CCommandFrame;
    ASSERT_TRUE(pFrame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
    auto* pView = new CWnd;
    ASSERT_TRUE(pView->Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), pFrame, 1)) << ::GetLastError();

    EXPECT_FALSE(workspace->OnViewDoubleClick(pView, 5)) << "no mouse manager";
    CKtvPMouseManager* pMouse = workspace->GetMouseManager();
    pMouse->AddView(5, "Query");
    EXPECT_FALSE(workspace->OnViewDoubleClick(pView, 5)) << "nothing assigned: a beep";
    EXPECT_TRUE(pFrame->commands.empty());

    pMouse->SetCommandForDblClick(5, 32900);
    EXPECT_TRUE(workspace->OnViewDoubleClick(pView, 5));
    EXPECT_EQ(pFrame->commands, std::vector<UINT>{32900});

    // While an in-place frame stands in for the top-level frame, it runs the command.
    auto* pInPlace = new CCommandFrame;
    ASSERT_TRUE(pInPlace->Create(nullptr, "In place", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100)));
    g_pKtvTopLevelFrameOverride = pInPlace;
    EXPECT_TRUE(workspace->OnViewDoubleClick(pView, 5));
    g_pKtvTopLevelFrameOverride = nullptr;
    EXPECT_EQ(pInPlace->commands, std::vector<UINT>{32900});
    EXPECT_EQ(pFrame->commands.size(), 1u);

    // Without a view the main window runs it.
    AfxGetThread()->m_pMainWnd = pFrame;
    EXPECT_TRUE(workspace->OnViewDoubleClick(nullptr, 5));
    EXPECT_EQ(pFrame->commands, (std::vector<UINT>{32900, 32900}));
    AfxGetThread()->m_pMainWnd = nullptr;
    EXPECT_FALSE(workspace->OnViewDoubleClick(nullptr, 5)) << "no frame to run it in";
    pView->DestroyWindow();
    delete pView;
}

// --- a real library frame -------------------------------------------------------------------------------

// A workspace for frames alone: the frame's state load is left out (it needs
// the toolbars), the placement is the real one.
class CPlacementOnlyWorkspace : public CKtvPWorkspace {
public:
    CPlacementOnlyWorkspace() : CKtvPWorkspace(TRUE) { m_bSaveState = FALSE; }
    BOOL LoadState(LPCTSTR, CKtvPFrameImpl*) override { return TRUE; }
};

class CKeyedFrame : public CKtvPMDIFrameWnd {
public:
    std::vector<UINT> commands;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == 1)  // from an accelerator
            commands.push_back(LOWORD(wParam));
        return CKtvPMDIFrameWnd::OnCommand(wParam, lParam);
    }
};

class KtvPWorkspaceFrameTest : public tw::test::KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        KtvPrepareUiTest();
        names.emplace("Tarnwick", "Corvane");
        ktvtest::ForgetKey(KtvGetRegPath(kSection));
        RECT work{0, 0, 1024, 740};
        ::SystemParametersInfo(SPI_SETWORKAREA, 0, &work, 0);
        workspace = std::make_unique<CPlacementOnlyWorkspace>();
        workspace->SetRegistryBase(kSection);
        AfxGetApp()->m_nCmdShow = SW_SHOWNORMAL;
    }
    void TearDown() override
    {
        tw::test::DestroyTopLevelWindows();
        workspace.reset();
        CKtvPKeyboardManager::CleanUp();  // the look-ups' copies outlive the frames
        AfxGetApp()->m_nCmdShow = SW_SHOWNORMAL;
        names.reset();
        KtvControlTest::TearDown();
    }
    std::optional<tw::test::ScopedAppNames> names;
    CKeyedFrame* OpenFrame()
    {
        auto* pFrame = new CKeyedFrame;
        EXPECT_TRUE(pFrame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW, CRect(50, 40, 650, 440)));
        return pFrame;
    }
    std::unique_ptr<CPlacementOnlyWorkspace> workspace;
};

TEST_F(KtvPWorkspaceFrameTest, ClosingStoresThePlacementAndTheNextStartRestoresIt)
{
    CKeyedFrame* pFrame = OpenFrame();
    CRect rect;
    pFrame->GetWindowRect(rect);
    EXPECT_EQ(rect, CRect(50, 40, 650, 440)) << "the first start has nothing stored";
    pFrame->MoveWindow(CRect(120, 80, 620, 480));
    pFrame->ShowWindow(SW_SHOWNORMAL);
    pFrame->SendMessage(WM_CLOSE);
    Pump();

    pFrame = OpenFrame();
    pFrame->GetWindowRect(rect);
    EXPECT_EQ(rect, CRect(120, 80, 620, 480));
    EXPECT_EQ(AfxGetApp()->m_nCmdShow, SW_SHOWNORMAL);

    pFrame->ShowWindow(SW_SHOWMAXIMIZED);
    pFrame->SendMessage(WM_CLOSE);
    Pump();
    pFrame = OpenFrame();
    EXPECT_EQ(AfxGetApp()->m_nCmdShow, SW_SHOWMAXIMIZED) << "a maximised frame starts maximised";
    pFrame->GetWindowRect(rect);
    EXPECT_EQ(rect, CRect(0, 0, 1024, 740)) << "over the whole work area";
}

TEST_F(KtvPWorkspaceFrameTest, AcceleratorsAndAltKeysReachTheLibraryFrame)
{
    CKtvPKeyboardManager keyboard;
    CKeyedFrame* pFrame = OpenFrame();
    pFrame->ShowWindow(SW_SHOW);
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'N', 0x8001}, {FVIRTKEY | FALT, 'X', 0x8002}};
    pFrame->m_hAccelTable = ::CreateAcceleratorTable(keys, 2);
    pFrame->SetFocus();
    Pump();

    ChordFiltered(VK_CONTROL, 'N');
    ChordFiltered(VK_MENU, 'X');
    EXPECT_EQ(pFrame->commands, (std::vector<UINT>{0x8001, 0x8002}));
    // Ctrl+Alt+N is not bound: nothing runs.
    input.KeyDown(VK_CONTROL);
    ChordFiltered(VK_MENU, 'N');
    input.KeyUp(VK_CONTROL);
    PumpFiltered();
    EXPECT_EQ(pFrame->commands.size(), 2u);
}

}  // namespace
