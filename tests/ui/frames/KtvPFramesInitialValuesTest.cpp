// What new objects of the frames, looks, workspace and managers hold before
// anything runs: the values other parts rely on from the start.
#include <gtest/gtest.h>

#include "platform/mfc/afxres.h"
#include "ui/commandbars/KtvPMouseManager.h"
#include "ui/frames/KtvPDlgImpl.h"
#include "ui/frames/KtvPFontDesc.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPKeyHelper.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPMDIChildWnd.h"
#include "ui/frames/KtvPMDIFrameWnd.h"
#include "ui/frames/KtvPShellManager.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

// --- the classic look ------------------------------------------------------------------------------

TEST(KtvPVisualManagerValues, ClassicLookValuesAndConstantAnswers)
{
    CKtvPVisualManager look(TRUE);
    EXPECT_FALSE(look.m_bLook2000);
    EXPECT_EQ(look.m_nMenuShadowDepth, 6);
    EXPECT_FALSE(look.m_bFlatButtons);
    EXPECT_FALSE(look.m_bShadowHotImages);
    EXPECT_TRUE(look.m_bEmbossDisabled);
    EXPECT_FALSE(look.m_bFadeImages);
    EXPECT_TRUE(look.m_bFillToolbarButtons);
    EXPECT_TRUE(look.m_bTemporary);
    EXPECT_FALSE(look.m_bMenuAttachedToButton);
    EXPECT_EQ(look.m_nPopupMenuBorderSize, 2);
    EXPECT_FALSE(look.m_bAutoDelete);

    const int tasksPane[] = {look.m_nTasksMarginY,        look.m_nTasksMarginX,           look.m_nTasksGroupGapY,
                             look.m_nTasksGroupCaptionHeight, look.m_nTasksGroupCaptionIndentX,
                             look.m_nTasksGroupCaptionIndentY, look.m_nTasksIndentX,       look.m_nTasksIconGapX,
                             look.m_nTasksIconGapY};
    const int expected[] = {12, 12, 15, 25, 13, 7, 12, 5, 4};
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(tasksPane[i], expected[i]) << "tasks pane value " << i;

    EXPECT_FALSE(look.IsWinXPThemeAvailable());
    EXPECT_FALSE(look.IsHighlightOneNoteTabs());
    EXPECT_EQ(look.GetButtonExtraBorder(), CSize(0, 0));
    EXPECT_EQ(look.GetCaptionButtonExtraBorder(), CSize(0, 0));
    EXPECT_FALSE(look.DrawPushButtonWinXP(nullptr, CRect(), nullptr, 0));
    EXPECT_FALSE(look.DrawComboDropButtonWinXP(nullptr, CRect(), FALSE, FALSE, FALSE));
    EXPECT_FALSE(look.DrawComboBorderWinXP(nullptr, CRect(), FALSE, FALSE, FALSE));
    EXPECT_EQ(look.GetMenuImageMargin(), 2);
    EXPECT_TRUE(look.IsLook2000Allowed());
    EXPECT_EQ(look.GetToolBarCustomizeButtonMargin(), 2);
    EXPECT_TRUE(look.IsOffsetPressedButton());
    EXPECT_FALSE(look.IsMenuAttachedToButton());
    EXPECT_EQ(look.GetPopupMenuBorderSize(), 2);
    look.m_nPopupMenuBorderSize = 5;
    look.m_bMenuAttachedToButton = TRUE;
    EXPECT_EQ(look.GetPopupMenuBorderSize(), 5);
    EXPECT_TRUE(look.IsMenuAttachedToButton());
}

TEST(KtvPVisualManagerValues, OnlyAFirstNonTemporaryManagerBecomesCurrent)
{
    // A painter in an earlier test may have had the base look made on first use.
    delete CKtvPVisualManager::m_pVisManager;
    ASSERT_EQ(CKtvPVisualManager::m_pVisManager, nullptr);
    {
        CKtvPVisualManager temporary(TRUE);
        EXPECT_EQ(CKtvPVisualManager::m_pVisManager, nullptr);
        CKtvPVisualManager first;
        EXPECT_EQ(CKtvPVisualManager::m_pVisManager, &first);
        {
            CKtvPVisualManager second;
            EXPECT_EQ(CKtvPVisualManager::m_pVisManager, &first);
        }
        // Another manager going away leaves the current one in place.
        EXPECT_EQ(CKtvPVisualManager::m_pVisManager, &first);
    }
    EXPECT_EQ(CKtvPVisualManager::m_pVisManager, nullptr);
    EXPECT_EQ(CKtvPVisualManager::m_pRTIDefault, nullptr);
}

// --- frames ----------------------------------------------------------------------------------------

// Counts its destructions, to see what a list owner deletes.
class CCountedObject : public CObject {
public:
    explicit CCountedObject(int& nDeleted) : m_nDeleted(nDeleted) {}
    ~CCountedObject() override { ++m_nDeleted; }
    int& m_nDeleted;
};

TEST(KtvPFrameImplValues, StartsUnboundAndDeletesTheToolbarsItOwns)
{
    int nDeleted = 0;
    {
        CFrameWnd frame;
        CKtvPFrameImpl impl(&frame);
        EXPECT_EQ(impl.m_uiUserToolbarFirst, (UINT)-1);
        EXPECT_EQ(impl.m_uiUserToolbarLast, (UINT)-1);
        EXPECT_TRUE(impl.m_listUserDefinedToolbars.IsEmpty());
        EXPECT_TRUE(impl.m_listTearOffToolbars.IsEmpty());
        EXPECT_TRUE(impl.m_strControlBarRegEntry.IsEmpty());
        EXPECT_EQ(impl.m_pMenuBar, nullptr);
        EXPECT_EQ(impl.m_hDefaultMenu, nullptr);
        EXPECT_EQ(impl.m_pFrame, &frame);
        EXPECT_EQ(impl.m_pDockManager, nullptr);
        EXPECT_EQ(impl.m_nIDDefaultResource, 0u);
        EXPECT_TRUE(impl.m_bLoadDockState);
        EXPECT_EQ(CKtvPFrameImpl::m_pCustomizeToolbar, nullptr);
        EXPECT_TRUE(CKtvPFrameImpl::m_mapCustomizeIds.IsEmpty());

        impl.m_listUserDefinedToolbars.AddTail(new CCountedObject(nDeleted));
        impl.m_listUserDefinedToolbars.AddTail(new CCountedObject(nDeleted));
        impl.m_listTearOffToolbars.AddTail(new CCountedObject(nDeleted));
    }
    EXPECT_EQ(nDeleted, 3);
}

TEST(KtvPFrameValues, MDIFrameAndChildStartWithTheirDocumentedValues)
{
    CKtvPMDIFrameWnd frame;
    EXPECT_EQ(frame.m_hmenuWindow, nullptr);
    EXPECT_FALSE(frame.m_bContextHelp);
    EXPECT_TRUE(frame.m_bDoSubclass);
    EXPECT_EQ(frame.m_uiWindowsDlgMenuId, 0u);
    EXPECT_TRUE(frame.m_strWindowsDlgMenuText.IsEmpty());
    EXPECT_FALSE(frame.m_bShowWindowsDlgAlways);
    EXPECT_FALSE(frame.m_bShowWindowsDlgHelpButton);
    EXPECT_FALSE(frame.m_bWasMaximized);
    EXPECT_FALSE(frame.m_bIsMinimized);
    EXPECT_FALSE(frame.m_bClosing);

    const CKtvPMainClientAreaWnd& client = frame.m_wndClientArea;
    EXPECT_EQ(client.m_tabLocation, 0);
    EXPECT_FALSE(client.m_bTabIsVisible);
    EXPECT_FALSE(client.m_bTabIsEnabled);
    EXPECT_TRUE(client.m_bTabIcons);
    EXPECT_FALSE(client.m_bTabCloseButton);
    EXPECT_TRUE(client.m_mapIcons.IsEmpty());

    frame.EnableWindowsDialog(32890, "&Windows...", TRUE, FALSE);
    EXPECT_EQ(frame.m_uiWindowsDlgMenuId, 32890u);
    EXPECT_STREQ(frame.m_strWindowsDlgMenuText, "&Windows...");
    EXPECT_TRUE(frame.m_bShowWindowsDlgAlways);
    EXPECT_FALSE(frame.m_bShowWindowsDlgHelpButton);

    CKtvPMDIChildWnd child;
    EXPECT_EQ(child.m_pMDIFrame, nullptr);
    EXPECT_FALSE(child.m_bToBeDestroyed);
    EXPECT_FALSE(child.m_bWasMaximized);
    EXPECT_FALSE(child.m_bIsMinimized);
    EXPECT_FALSE(CKtvPMDIChildWnd::m_bActivating);
    EXPECT_TRUE(child.CanShowOnMDITabs());
}

TEST(KtvPFrameValues, ClassWideMenuStateAndTheOverrideStartEmpty)
{
    EXPECT_EQ(CKtvPDlgImpl::m_hookMouse, nullptr);
    EXPECT_EQ(CKtvPDlgImpl::m_pMenuDlgImpl, nullptr);
    EXPECT_EQ(g_pKtvTopLevelFrameOverride, nullptr);
    CWnd wnd;
    CKtvPDlgImpl impl(wnd);
    EXPECT_EQ(&impl.m_Dlg, &wnd);
}

// The View commands toggle the bars of the same ids.
TEST(KtvPFrameValues, ViewCommandsShareTheBarIds)
{
    EXPECT_EQ(ID_VIEW_TOOLBAR, 59392);
    EXPECT_EQ(ID_VIEW_STATUS_BAR, 59393);
    EXPECT_EQ(ID_VIEW_REBAR, 59396);
    EXPECT_EQ(ID_VIEW_TOOLBAR, AFX_IDW_TOOLBAR);
    EXPECT_EQ(ID_VIEW_STATUS_BAR, AFX_IDW_STATUS_BAR);
    EXPECT_EQ(ID_VIEW_REBAR, AFX_IDW_REBAR);
}

// --- workspace and managers ------------------------------------------------------------------------

TEST(KtvPWorkspaceValues, RegistersItselfWithTheDefaultsAndFlags)
{
    EXPECT_TRUE(g_bKtvRegisterCmdImages);
    EXPECT_FALSE(g_bKtvLoadingBars);
    ASSERT_EQ(KtvGetWorkspace(), nullptr);
    {
        CKtvPWorkspace workspace(TRUE);
        EXPECT_EQ(KtvGetWorkspace(), &workspace);
        EXPECT_TRUE(workspace.m_bWithUserToolbars);
        EXPECT_STREQ(workspace.m_strSettingsSection, "KtvWorkspace");
        EXPECT_FALSE(workspace.m_bKeyboardManagerCreated);
        EXPECT_FALSE(workspace.m_bContextMenuManagerCreated);
        EXPECT_FALSE(workspace.m_bMouseManagerCreated);
        EXPECT_FALSE(workspace.m_bUserToolsManagerCreated);
        EXPECT_FALSE(workspace.m_bShellManagerCreated);
        EXPECT_EQ(workspace.GetDataVersionMajor(), -1);
        EXPECT_EQ(workspace.GetDataVersionMinor(), -1);
        EXPECT_FALSE(workspace.m_bOwnFrameToolbarsOnly);
        EXPECT_TRUE(workspace.m_bSaveState);
        EXPECT_TRUE(workspace.IsResourceSmartUpdate());
        EXPECT_FALSE(workspace.m_bForceRelayout);

        EXPECT_STREQ(workspace.SetRegistryBase("Settings"), "Settings");
        EXPECT_STREQ(workspace.m_strSettingsSection, "Settings");
    }
    EXPECT_EQ(KtvGetWorkspace(), nullptr);
    CKtvPWorkspace plain;
    EXPECT_FALSE(plain.IsResourceSmartUpdate());
}

TEST(KtvPWorkspaceValues, DeletesOnlyTheManagersItCreated)
{
    // The application made the keyboard manager; the workspace made the shell
    // and mouse managers.
    CKtvPKeyboardManager* keyboard = new CKtvPKeyboardManager;
    new CKtvPShellManager;
    new CKtvPMouseManager;
    {
        CKtvPWorkspace workspace;
        workspace.m_bShellManagerCreated = TRUE;
        workspace.m_bMouseManagerCreated = TRUE;
    }
    EXPECT_EQ(g_pShellManager, nullptr);
    EXPECT_EQ(g_pMouseManager, nullptr);
    EXPECT_EQ(g_pKeyboardManager, keyboard);
    delete keyboard;
}

TEST(KtvPManagerValues, EachManagerIsTheGlobalOneWhileItLives)
{
    EXPECT_EQ(g_pKeyboardManager, nullptr);
    EXPECT_EQ(g_pShellManager, nullptr);
    {
        CKtvPKeyboardManager keyboard;
        CKtvPShellManager shell;
        EXPECT_EQ(g_pKeyboardManager, &keyboard);
        EXPECT_EQ(g_pShellManager, &shell);
        EXPECT_NE(shell.m_pMalloc, nullptr);
        EXPECT_EQ(shell.m_lpszInitialPath, nullptr);
        EXPECT_EQ(CKtvPKeyboardManager::m_lpAccelDefault, nullptr);
        EXPECT_EQ(CKtvPKeyboardManager::m_nAccelDefaultSize, 0);
        EXPECT_EQ(CKtvPKeyboardManager::m_lpAccel, nullptr);
        EXPECT_EQ(CKtvPKeyboardManager::m_nAccelSize, 0);
    }
    EXPECT_EQ(g_pKeyboardManager, nullptr);
    EXPECT_EQ(g_pShellManager, nullptr);

    ACCEL entry{FVIRTKEY | FCONTROL, 'S', 57603};
    CKtvPKeyHelper helper(&entry);
    EXPECT_EQ(helper.m_lpAccel, &entry);

    CKtvPFontDesc font("Arial", "Western", TRUETYPE_FONTTYPE, 0, 34);
    EXPECT_STREQ(font.m_strName, "Arial");
    EXPECT_STREQ(font.m_strScript, "Western");
    EXPECT_EQ(font.m_nType, TRUETYPE_FONTTYPE);
    EXPECT_EQ(font.m_nCharSet, 0);
    EXPECT_EQ(font.m_nPitchAndFamily, 34);
}

}  // namespace
