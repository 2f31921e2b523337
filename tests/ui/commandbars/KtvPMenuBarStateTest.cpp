// The menu bar's stored layouts: the layout of the default menu is written
// under its own key, comes back byte for byte, and a damaged or outdated one
// gives way to the menu as its resource has it, with the owner told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc/CDocManager.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CMDIChildWnd.h"
#include "platform/mfc/CView.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxwin.h"
#include "platform/win32/menu/winmenu.h"
#include "tests/support/ui/KtvStoredValue.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "tests/ui/commandbars/MenuTestSupport.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPSnapshotStore.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPMDIFrameWnd.h"
#include "ui/frames/KtvPWorkspace.h"

namespace menubarstatetest {

using menutest::Cmd;
using menutest::Sub;

constexpr UINT kMenuA = 0x7E51;   // File, Edit, Run
constexpr UINT kMenuB = 0x7E52;   // File, Run, Stop: the same menu in a later version
constexpr const char* kProfile = "SOFTWARE\\KtvMenuStateTest\\";

void RegisterMenus()
{
    static const bool registered = [] {
        menutest::RegisterMenuBarResource(kMenuA, {Sub("File", {Cmd(100, "&New")}), Sub("Edit", {Cmd(200, "&Copy")}),
                                                   Cmd(300, "Run")});
        menutest::RegisterMenuBarResource(kMenuB, {Sub("File", {Cmd(100, "&New")}), Cmd(300, "Run"),
                                                   Cmd(301, "Stop")});
        return true;
    }();
    (void)registered;
}

// The main frame: notes every menu its menu bar says was rebuilt.
class RecordingMainFrame : public CKtvPMDIFrameWnd {
public:
    std::vector<UINT> resets;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KTVM_RESETMENU)
            resets.push_back((UINT)wParam);
        return CKtvPMDIFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class MenuBarStateTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        RegisterMenus();
        ktvtest::ForgetKey("SOFTWARE\\KtvMenuStateTest");
        CKtvPMenuBar::m_bRecentlyUsedMenus = FALSE;
        CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;

        frame = new RecordingMainFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420)));
        ASSERT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
        ::SetMenu(frame->GetSafeHwnd(), ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(kMenuA)));
        ASSERT_TRUE(menuBar.Create(frame));
        menuBar.SetDefaultMenuResId(kMenuA);
        menuBar.EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(&menuBar);
        frame->RecalcLayout();
        Pump();
    }
    void TearDown() override
    {
        CKtvPMenuBar::m_bRecentlyUsedMenus = TRUE;
        CKtvPMenuSound::Terminate();
        HeadlessWindowTest::TearDown();
    }

    // The key of the default menu's layout.
    std::string LayoutKey() const
    {
        return std::string(kProfile) + "KtvToolBar-" + std::to_string(menuBar.GetDlgCtrlID()) + "0";
    }
    std::string Stored(const char* value) const
    {
        return ktvtest::StoredHex(LayoutKey().c_str(), value).value_or("none");
    }
    std::vector<std::string> Labels() const
    {
        std::vector<std::string> labels;
        for (int i = 0; i < menuBar.GetCount(); i++)
            labels.emplace_back(menuBar.GetButton(i)->m_strText);
        return labels;
    }
    // The default menu built afresh from a resource, as the frame has it after a start.
    void ShowDefaultMenu(UINT uiResId)
    {
        menuBar.SetDefaultMenuResId(uiResId);
        menuBar.CreateFromMenu(::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(uiResId)), TRUE, TRUE);
    }

    RecordingMainFrame* frame = nullptr;
    CKtvPMenuBar menuBar;
};

TEST_F(MenuBarStateTest, CustomisedLayoutIsStoredAndComesBackByteForByte)
{
    CKtvPWorkspace workspace(TRUE);   // tracks resource changes
    ASSERT_EQ(Labels(), (std::vector<std::string>{"File", "Edit", "Run"}));
    menuBar.RemoveButton(1);
    ASSERT_TRUE(menuBar.SaveState(kProfile));
    const std::string buttons = Stored("Buttons");
    ASSERT_NE(buttons, "none");
    EXPECT_NE(Stored("OriginalItems"), "none") << "the resource's items are kept beside the layout";

    ShowDefaultMenu(kMenuA);
    ASSERT_EQ(Labels(), (std::vector<std::string>{"File", "Edit", "Run"}));
    ASSERT_TRUE(menuBar.LoadState(kProfile));
    EXPECT_EQ(Labels(), (std::vector<std::string>{"File", "Run"}));
    EXPECT_TRUE(frame->resets.empty());

    // Another menu and back: the loaded layout is the default menu's.
    HMENU hDefault = menuBar.m_hMenu;
    HMENU hOther = menutest::Build({Sub("Query", {Cmd(400, "E&xecute")})});
    menuBar.CreateFromMenu(hOther);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"Query"}));
    menuBar.CreateFromMenu(hDefault);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"File", "Run"}));

    ASSERT_TRUE(menuBar.SaveState(kProfile));
    EXPECT_EQ(Stored("Buttons"), buttons);
    ::DestroyMenu(hOther);
}

// A layout that cannot be read, or one stored for other resource items, is
// dropped: the bar shows the menu as it is now and the owner hears of it.
TEST_F(MenuBarStateTest, DamagedOrOutdatedLayoutIsRebuiltFromTheMenu)
{
    struct Case {
        const char* name;
        bool damage;
        UINT uiMenuNow;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {"damaged", true, kMenuA, {"File", "Edit", "Run"}},
        {"outdated", false, kMenuB, {"File", "Run", "Stop"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKtvPWorkspace workspace(TRUE);
        ktvtest::ForgetKey("SOFTWARE\\KtvMenuStateTest");
        ShowDefaultMenu(kMenuA);
        menuBar.RemoveButton(1);
        ASSERT_TRUE(menuBar.SaveState(kProfile));
        if (c.damage)
            ktvtest::StoreHex(LayoutKey().c_str(), "Buttons", "00 20 00 00 01 00 00 00 05 00 ff ff");

        ShowDefaultMenu(c.uiMenuNow);
        frame->resets.clear();
        ASSERT_TRUE(menuBar.LoadState(kProfile));
        EXPECT_EQ(Labels(), c.labels);
        EXPECT_EQ(frame->resets, std::vector<UINT>{c.uiMenuNow});
    }
}

// A document's menu and the default menu each keep their own layout under
// their own key, and each comes back to its own menu.
TEST_F(MenuBarStateTest, EachMenuKeepsItsOwnLayout)
{
    CKtvPWorkspace workspace(TRUE);
    CWinApp* pApp = AfxGetApp();
    CDocManager* pSavedManager = pApp->m_pDocManager;
    pApp->m_pDocManager = new CDocManager;   // the document kinds of this test only
    auto* pTemplate =
        new CMultiDocTemplate(kMenuB, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CView));
    pApp->AddDocTemplate(pTemplate);
    ASSERT_NE(pTemplate->m_hMenuShared, nullptr);
    HMENU hDefault = menuBar.m_hMenu;

    menuBar.CreateFromMenu(pTemplate->m_hMenuShared);
    ASSERT_EQ(Labels(), (std::vector<std::string>{"File", "Run", "Stop"}));
    menuBar.RemoveButton(1);   // the document's menu loses Run
    menuBar.CreateFromMenu(hDefault);
    ASSERT_EQ(Labels(), (std::vector<std::string>{"File", "Edit", "Run"}));
    menuBar.RemoveButton(1);   // the default menu loses Edit
    ASSERT_TRUE(menuBar.SaveState(kProfile));
    const std::string strDocumentKey =
        std::string(kProfile) + "KtvToolBar-" + std::to_string(menuBar.GetDlgCtrlID()) + "7e52";
    EXPECT_TRUE(ktvtest::StoredHex(strDocumentKey.c_str(), "Buttons").has_value());
    EXPECT_NE(Stored("Buttons"), "none");

    // Both menus as their resources have them, then the stored layouts.
    menuBar.CreateFromMenu(pTemplate->m_hMenuShared, FALSE, TRUE);
    menuBar.CreateFromMenu(hDefault, TRUE, TRUE);
    ASSERT_EQ(Labels(), (std::vector<std::string>{"File", "Edit", "Run"}));
    ASSERT_TRUE(menuBar.LoadState(kProfile));
    EXPECT_EQ(Labels(), (std::vector<std::string>{"File", "Run"}));
    menuBar.CreateFromMenu(pTemplate->m_hMenuShared);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"File", "Stop"}));
    EXPECT_TRUE(frame->resets.empty());

    menuBar.CreateFromMenu(hDefault);
    g_SnapshotStore.RemoveMenu(pTemplate->m_hMenuShared);   // the menu goes with its template
    delete pApp->m_pDocManager;
    pApp->m_pDocManager = pSavedManager;
}

}  // namespace menubarstatetest
