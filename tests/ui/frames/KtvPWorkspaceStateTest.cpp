// The order in which the workspace loads and saves the library's whole state,
// read from a settings store that logs every key it opens or creates (as the
// program's own store is registered with the factory), and when the docking
// layout takes part: only when the store says one was saved.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/mfc/CWinThread.h"
#include "tests/support/ScopedAppNames.h"
#include "tests/support/ui/KtvStoredValue.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPMouseManager.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPMDIFrameWnd.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvPWorkspace.h"
#include "ui/frames/KtvRegPath.h"

namespace {

constexpr char kStateSection[] = "StateOrderTest";

std::vector<std::string> g_log;

void LogKey(const char* lpszWhat, LPCTSTR lpszPath)
{
    const CString strBase = KtvGetRegPath(kStateSection);
    CString strPath = lpszPath;
    if (strPath.Left(strBase.GetLength()).CompareNoCase(strBase) != 0)
        return;  // not the workspace's state
    strPath = strPath.Mid(strBase.GetLength());
    strPath.TrimRight('\\');
    g_log.push_back(std::string(lpszWhat) + " " + std::string(strPath));
}

class CLoggingRegistry : public CKtvPRegistry {
    DECLARE_DYNCREATE(CLoggingRegistry)
public:
    BOOL Open(LPCTSTR lpszPath) override
    {
        LogKey("open", lpszPath);
        return CKtvPRegistry::Open(lpszPath);
    }
    BOOL CreateKey(LPCTSTR lpszPath) override
    {
        LogKey("create", lpszPath);
        return CKtvPRegistry::CreateKey(lpszPath);
    }
    // The managers that share one key tell themselves apart by their value.
    BOOL VerifyValue(LPCTSTR lpszValueName) override
    {
        g_log.push_back(std::string("value ") + lpszValueName);
        return CKtvPRegistry::VerifyValue(lpszValueName);
    }
};
IMPLEMENT_DYNCREATE(CLoggingRegistry, CKtvPRegistry)

class CLoggingMenus : public CKtvPContextMenuManager {
public:
    BOOL LoadState(LPCTSTR) override
    {
        g_log.push_back("context menus");
        registeringImagesDuringLoad = g_bKtvRegisterCmdImages;
        loadingBarsDuringLoad = g_bKtvLoadingBars;
        return TRUE;
    }
    BOOL registeringImagesDuringLoad = TRUE;
    BOOL loadingBarsDuringLoad = TRUE;
    BOOL SaveState(LPCTSTR) override
    {
        g_log.push_back("context menus");
        return TRUE;
    }
};

// The versions as the workspace holds them while its hooks run.
class CWatchedWorkspace : public CKtvPWorkspace {
public:
    CWatchedWorkspace() : CKtvPWorkspace(TRUE) {}
    void PreLoadState() override { g_log.push_back("pre-load"); }
    void LoadCustomState() override
    {
        g_log.push_back("custom load");
        versionsAtCustomLoad = {m_nLoadedVersionMajor, m_nLoadedVersionMinor};
    }
    void PreSaveState() override { g_log.push_back("pre-save"); }
    void SaveCustomState() override { g_log.push_back("custom save"); }
    std::pair<int, int> versionsAtCustomLoad{0, 0};
};

class KtvPWorkspaceStateTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        names.emplace("Tarnwick", "Corvane");
        ktvtest::ForgetKey(KtvGetRegPath(kStateSection));
        ASSERT_TRUE(CKtvPRegistryFactory::SetRuntimeClass(RUNTIME_CLASS(CLoggingRegistry)));
        workspace = std::make_unique<CWatchedWorkspace>();
        workspace->SetRegistryBase(kStateSection);
        g_log.clear();
    }
    void TearDown() override
    {
        tw::test::DestroyTopLevelWindows();
        AfxGetThread()->m_pMainWnd = nullptr;
        workspace.reset();
        menus.reset();
        CKtvPKeyboardManager::CleanUp();
        CKtvPRegistryFactory::SetRuntimeClass(nullptr);
        names.reset();
        HeadlessWindowTest::TearDown();
    }
    void MakeAllManagers()
    {
        workspace->InitMouseManager();
        menus = std::make_unique<CLoggingMenus>();
        workspace->InitKeyboardManager();
        workspace->EnableUserTools(32805, 32806, 32815, RUNTIME_CLASS(CKtvPUserTool));
    }
    // The main frame, holding keys of its own so that the keyboard takes part.
    CKtvPMDIFrameWnd* MakeFrame()
    {
        auto* pFrame = new CKtvPMDIFrameWnd;
        EXPECT_TRUE(pFrame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
        ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'N', 0xE100}};
        pFrame->m_hAccelTable = ::CreateAcceleratorTable(keys, 1);
        AfxGetThread()->m_pMainWnd = pFrame;
        return pFrame;
    }
    std::vector<std::string> TakeLog()
    {
        std::vector<std::string> log;
        log.swap(g_log);
        return log;
    }
    bool Logged(const std::vector<std::string>& log, const std::string& entry)
    {
        for (const std::string& line : log)
            if (line == entry)
                return true;
        return false;
    }

    std::optional<tw::test::ScopedAppNames> names;
    std::unique_ptr<CWatchedWorkspace> workspace;
    std::unique_ptr<CLoggingMenus> menus;
};

using Log_t = std::vector<std::string>;

TEST_F(KtvPWorkspaceStateTest, LoadWithoutAFrameOrManagersReadsVersionParametersAndCommands)
{
    ASSERT_TRUE(workspace->LoadState());
    EXPECT_EQ(TakeLog(), (Log_t{"pre-load", "open KtvControlBarVersion", "open KtvToolbarParameters",
                                "open KtvCommandManager", "custom load"}));
}

TEST_F(KtvPWorkspaceStateTest, LoadWithAFrameAndEveryManagerFollowsTheFixedOrder)
{
    CKtvPMDIFrameWnd* pFrame = MakeFrame();
    MakeAllManagers();
    ASSERT_TRUE(workspace->StoreWindowPlacement(CRect(0, 0, 10, 10), 0, 1));  // not part of the state load
    g_log.clear();
    ASSERT_TRUE(workspace->LoadState(nullptr, pFrame->GetFrameImpl()));
    EXPECT_EQ(TakeLog(), (Log_t{"pre-load", "open KtvControlBarVersion", "open KtvToolbarParameters",
                                "open KtvCommandManager", "open ControlBars-TearOff-0",
                                // mouse, context menus, keyboard (the frame's table), user tools
                                "open ", "value Mouse", "context menus", "open KtvKeyboard-0", "open ",
                                "value Tools", "custom load"}));
    // A smart-update load keeps command images out of the command manager
    // until the managers are loaded; the bars are no longer loading by then.
    EXPECT_FALSE(menus->registeringImagesDuringLoad);
    EXPECT_FALSE(menus->loadingBarsDuringLoad);
    EXPECT_TRUE(g_bKtvRegisterCmdImages);
    EXPECT_FALSE(g_bKtvLoadingBars);
}

TEST_F(KtvPWorkspaceStateTest, SaveWritesTheVersionThenEveryPartInItsOrder)
{
    CKtvPMDIFrameWnd* pFrame = MakeFrame();
    auto* pToolBar = new CKtvPToolBar;
    ASSERT_TRUE(pToolBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE811));
    MakeAllManagers();
    g_log.clear();
    ASSERT_TRUE(workspace->SaveState(nullptr, pFrame->GetFrameImpl()));
    EXPECT_EQ(TakeLog(), (Log_t{"pre-save", "create KtvControlBarVersion", "create KtvToolbarParameters",
                                "create KtvCommandManager",
                                // the docking layout, then the toolbars
                                "create KtvPDockManager-0", "create KtvToolBar-59409",
                                "create KtvPControlBar-59409", "create KtvPBaseControlBar-59409",
                                // mouse, context menus, keyboard (the frame's table), user tools
                                "create ", "context menus", "create KtvKeyboard-0", "create ", "custom save"}));

    CKtvPRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(KtvGetRegPath(kStateSection) + "KtvControlBarVersion"));
    int nMajor = 0;
    int nMinor = 0;
    EXPECT_TRUE(reg.Read("Major", nMajor));
    EXPECT_TRUE(reg.Read("Minor", nMinor));
    EXPECT_EQ(nMajor, 6);
    EXPECT_EQ(nMinor, 74);
}

// --- toolbars ----------------------------------------------------------------------------------------------

TEST_F(KtvPWorkspaceStateTest, OwnFrameToolbarsOnlyLeavesAnotherFramesToolbarsAlone)
{
    CKtvPMDIFrameWnd* pMain = MakeFrame();
    auto* pOther = new CKtvPMDIFrameWnd;
    ASSERT_TRUE(pOther->Create(nullptr, "Other", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    auto* pMine = new CKtvPToolBar;
    ASSERT_TRUE(pMine->Create(pMain, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE811));
    auto* pTheirs = new CKtvPToolBar;
    ASSERT_TRUE(pTheirs->Create(pOther, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE812));

    ASSERT_TRUE(workspace->SaveState(nullptr, pMain->GetFrameImpl()));
    Log_t log = TakeLog();
    EXPECT_TRUE(Logged(log, "create KtvToolBar-59409"));
    EXPECT_TRUE(Logged(log, "create KtvToolBar-59410")) << "every frame's toolbars by default";

    workspace->m_bOwnFrameToolbarsOnly = TRUE;
    ASSERT_TRUE(workspace->SaveState(nullptr, pMain->GetFrameImpl()));
    log = TakeLog();
    EXPECT_TRUE(Logged(log, "create KtvToolBar-59409"));
    EXPECT_FALSE(Logged(log, "create KtvToolBar-59410"));
    ASSERT_TRUE(workspace->LoadState(nullptr, pMain->GetFrameImpl()));
    log = TakeLog();
    EXPECT_TRUE(Logged(log, "open KtvToolBar-59409"));
    EXPECT_FALSE(Logged(log, "open KtvToolBar-59410"));
}

class CCountingToolBar : public CKtvPToolBar {
public:
    void ResetAllImages() override { resets++; }
    int resets = 0;
};

TEST_F(KtvPWorkspaceStateTest, ImagesAreResetAfterALoadOnlyWhenAskedOrWhenResourcesChanged)
{
    CKtvPMDIFrameWnd* pFrame = MakeFrame();
    auto* pToolBar = new CCountingToolBar;
    ASSERT_TRUE(pToolBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE811));
    ASSERT_TRUE(workspace->LoadState(nullptr, pFrame->GetFrameImpl()));
    // Nothing stored for the bar: its resources cannot have changed since.
    ASSERT_FALSE(pToolBar->IsOriginalItemsChanged());
    EXPECT_EQ(pToolBar->resets, 0);

    workspace->m_bForceRelayout = TRUE;
    ASSERT_TRUE(workspace->LoadState(nullptr, pFrame->GetFrameImpl()));
    EXPECT_EQ(pToolBar->resets, 1);
}

// --- when the docking layout is loaded ---------------------------------------------------------------------

class KtvPWorkspaceLayoutTest : public KtvPWorkspaceStateTest {
protected:
    bool LoadsLayout(CKtvPMDIFrameWnd* pFrame)
    {
        g_log.clear();
        EXPECT_TRUE(workspace->LoadState(nullptr, pFrame->GetFrameImpl()));
        const Log_t log = TakeLog();
        for (const std::string& line : log)
            if (line.find("KtvPDockManager") != std::string::npos)
                return true;
        return false;
    }
    void StoreVersion(int nMajor, int nMinor)
    {
        CKtvPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(KtvGetRegPath(kStateSection) + "KtvControlBarVersion"));
        reg.Write("Major", nMajor);
        reg.Write("Minor", nMinor);
    }
};

TEST_F(KtvPWorkspaceLayoutTest, TheFirstRunLoadsNoLayoutAndEndsWithTheLibraryVersion)
{
    CKtvPMDIFrameWnd* pFrame = MakeFrame();
    EXPECT_FALSE(LoadsLayout(pFrame));
    EXPECT_EQ(workspace->versionsAtCustomLoad, std::make_pair(-1, -1));
    EXPECT_EQ(workspace->GetDataVersionMajor(), 6);
    EXPECT_EQ(workspace->GetDataVersionMinor(), 74);
}

TEST_F(KtvPWorkspaceLayoutTest, AnyStoredVersionLoadsTheLayout)
{
    CKtvPMDIFrameWnd* pFrame = MakeFrame();
    StoreVersion(1, 0);
    EXPECT_TRUE(LoadsLayout(pFrame));
    EXPECT_EQ(workspace->versionsAtCustomLoad, std::make_pair(1, 0));
}

// A second load in the same run goes by the store, not by the first load's result.
TEST_F(KtvPWorkspaceLayoutTest, AfterCleanStateTheNextLoadIsAFirstRunAgain)
{
    CKtvPMDIFrameWnd* pFrame = MakeFrame();
    ASSERT_TRUE(workspace->SaveState(nullptr, pFrame->GetFrameImpl()));
    EXPECT_TRUE(LoadsLayout(pFrame));
    ASSERT_TRUE(workspace->CleanState());
    EXPECT_FALSE(LoadsLayout(pFrame));
    EXPECT_FALSE(LoadsLayout(pFrame)) << "still nothing stored";
}

}  // namespace
