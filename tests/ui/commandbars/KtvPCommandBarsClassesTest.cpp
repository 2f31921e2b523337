// The command-bar classes' records (the toolbar and menu archives store the
// button classes by name) and the defaults that bars, menus and the looks rely
// on before any body of theirs runs.
#include <gtest/gtest.h>

#include <vector>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMemFile.h"
#include "platform/mfc/CMiniFrameWnd.h"
#include "tests/support/ui/KtvClassTable.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/HelpComboBoxButton.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPCustomizeMenuButton.h"
#include "ui/commandbars/KtvPDropDownToolBar.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPMouseManager.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPStatusBar.h"
#include "ui/commandbars/KtvPTabbedToolbar.h"
#include "ui/commandbars/KtvPToolbarComboBoxButton.h"
#include "ui/commandbars/KtvPToolbarEditBoxButton.h"
#include "ui/commandbars/KtvPToolbarSystemMenuButton.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "resources/resource.h"
#include "ui/frames/KtvPCodes.h"

namespace {

using tw::test::KtvClassRow;

const std::vector<KtvClassRow>& CommandBarClasses()
{
    static const std::vector<KtvClassRow> rows = {
        KTV_CLASS_ROW(CKtvPToolbarButton, CObject, Serial, VERSIONABLE_SCHEMA | 1),
        KTV_CLASS_ROW(CKtvPToolbarMenuButton, CKtvPToolbarButton, Serial, VERSIONABLE_SCHEMA | 1),
        KTV_CLASS_ROW(CKtvPToolbarComboBoxButton, CKtvPToolbarButton, Serial, 1),
        KTV_CLASS_ROW(CKtvPToolbarEditBoxButton, CKtvPToolbarButton, Serial, 1),
        KTV_CLASS_ROW(CHelpComboBoxButton, CKtvPToolbarComboBoxButton, Serial, 1),
        KTV_CLASS_ROW(CKtvPToolbarSystemMenuButton, CKtvPToolbarMenuButton, Serial, VERSIONABLE_SCHEMA | 1),
        KTV_CLASS_ROW(CKtvPToolbarMenuButtonsButton, CKtvPToolbarButton, DynCreate),
        KTV_CLASS_ROW(CCustomizeButton, CKtvPToolbarMenuButton, Serial, VERSIONABLE_SCHEMA | 1),
        KTV_CLASS_ROW(CKtvPShowAllButton, CKtvPToolbarMenuButton, DynCreate),
        KTV_CLASS_ROW(CKtvPCustomizeMenuButton, CKtvPToolbarMenuButton, DynCreate),
        KTV_CLASS_ROW(CKtvPDropDownToolbarButton, CKtvPToolbarButton, Serial, VERSIONABLE_SCHEMA | 1),
        KTV_CLASS_ROW(CKtvPBaseToolBar, CKtvPControlBar, DynCreate),
        KTV_CLASS_ROW(CKtvPToolBar, CKtvPBaseToolBar, Serial, VERSIONABLE_SCHEMA | 1),
        KTV_CLASS_ROW(CKtvPPopupMenuBar, CKtvPToolBar, Serial, 1),
        KTV_CLASS_ROW(CKtvPMenuBar, CKtvPToolBar, DynCreate),
        KTV_CLASS_ROW(CKtvPDropDownToolBar, CKtvPToolBar, Serial, 1),
        KTV_CLASS_ROW(CKtvPTabbedToolbar, CKtvPToolBar, DynCreate),
        KTV_CLASS_ROW(CKtvPReBar, CKtvPControlBar, Dynamic),
        KTV_CLASS_ROW(CKtvPStatusBar, CKtvPControlBar, Dynamic),
        KTV_CLASS_ROW(CKtvPPopupMenu, CMiniFrameWnd, Serial, VERSIONABLE_SCHEMA | 1),
        KTV_CLASS_ROW(CKtvPDropDownFrame, CMiniFrameWnd, Serial, VERSIONABLE_SCHEMA | 1),
        KTV_CLASS_ROW(CKtvPUserTool, CObject, Serial, VERSIONABLE_SCHEMA | 1),
        KTV_CLASS_ROW(CKtvPMouseManager, CObject, Serial, 1),
    };
    return rows;
}

class CommandBarClassRecord : public ::testing::TestWithParam<KtvClassRow> {};

TEST_P(CommandBarClassRecord, HasItsNameBaseAndKind) { EXPECT_TRUE(tw::test::CheckClassRecord(GetParam())); }

INSTANTIATE_TEST_SUITE_P(CommandBars, CommandBarClassRecord, ::testing::ValuesIn(CommandBarClasses()),
                         tw::test::KtvClassRowName);

// Buttons are made by name from archives and drag data; their constructors
// touch nothing but their fields.
TEST(CommandBarButtons, CreateThemselvesByName)
{
    for (const KtvClassRow& row : CommandBarClasses()) {
        if (row.pClass->IsDerivedFrom(RUNTIME_CLASS(CKtvPToolbarButton))) {
            EXPECT_TRUE(tw::test::CheckCreatesByName(row)) << row.lpszName;
        }
    }
}

// A bar stores its buttons by class: a button kind that a saved bar can hold
// (the menu bar's help combo among them) must be storable, or saving the bar
// fails.
TEST(CommandBarButtons, ButtonsOfSavedBarsAreStoredByClass)
{
    for (const CRuntimeClass* pClass :
         {RUNTIME_CLASS(CKtvPToolbarButton), RUNTIME_CLASS(CKtvPToolbarMenuButton),
          RUNTIME_CLASS(CKtvPToolbarComboBoxButton), RUNTIME_CLASS(CKtvPToolbarEditBoxButton),
          RUNTIME_CLASS(CHelpComboBoxButton), RUNTIME_CLASS(CKtvPDropDownToolbarButton)}) {
        SCOPED_TRACE(pClass->m_lpszClassName);
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        EXPECT_NO_THROW(ar.WriteClass(pClass));
        ar.Close();
    }
}

// The frames and docking kind tests: every menu bar and popup bar is a
// toolbar, and a toolbar is a control bar the dock manager lays out.
TEST(CommandBarClassChains, KindTestsAnswerAlongThePartsChains)
{
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPMenuBar), RUNTIME_CLASS(CKtvPControlBar)));
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPPopupMenuBar), RUNTIME_CLASS(CKtvPBaseControlBar)));
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CCustomizeButton), RUNTIME_CLASS(CKtvPToolbarButton)));
    EXPECT_FALSE(RUNTIME_CLASS(CKtvPStatusBar)->IsDerivedFrom(RUNTIME_CLASS(CKtvPToolBar)));
    EXPECT_FALSE(RUNTIME_CLASS(CKtvPPopupMenu)->IsDerivedFrom(RUNTIME_CLASS(CKtvPBaseControlBar)));
}

TEST(CommandBarDefaults, NewButtonHoldsThePartsValues)
{
    CKtvPToolbarButton button;
    EXPECT_EQ(button.m_nID, 0u);
    EXPECT_EQ(button.m_nStyle, 0u);
    EXPECT_EQ(button.m_iImage, -1);
    EXPECT_EQ(button.m_iUserImage, -1);
    EXPECT_EQ(button.GetImage(), -1);
    EXPECT_FALSE(button.m_bTextShown);
    EXPECT_TRUE(button.m_bImageShown);
    EXPECT_TRUE(button.m_bWholeText);
    EXPECT_TRUE(button.m_bHorz);
    EXPECT_TRUE(button.m_bVisible);
    EXPECT_TRUE(button.m_rect.IsRectEmpty());
    EXPECT_EQ(CKtvPToolbarButton::m_strAmpersandPlaceholder, CString("\x01\x01"));
    EXPECT_TRUE(CKtvPToolbarButton::m_bRegisterImages);

    // The plain button's constant answers, which the bar relies on.
    EXPECT_TRUE(button.CanBeStored());
    EXPECT_TRUE(button.HaveHotBorder());
    EXPECT_FALSE(button.OnClick(nullptr, FALSE));
    EXPECT_EQ(button.GetHwnd(), nullptr);
    button.m_rect = CRect(1, 2, 3, 4);
    EXPECT_EQ(button.GetInvalidateRect(), CRect(1, 2, 3, 4));
}

TEST(CommandBarDefaults, ButtonKindsHoldThePartsValues)
{
    CKtvPToolbarMenuButton menu;
    EXPECT_EQ(menu.m_pPopupMenu, nullptr);
    EXPECT_FALSE(menu.IsDroppedDown());
    EXPECT_FALSE(menu.HaveHotBorder());
    EXPECT_EQ(menu.m_nPaletteRows, 1);

    CCustomizeButton chevron(32770, CString("Customize..."));
    EXPECT_EQ(chevron.m_iCustomizeCmdId, 32770);
    EXPECT_EQ(chevron.m_strCustomizeText, CString("Customize..."));
    EXPECT_TRUE(chevron.m_bMenuRightAlign);
    EXPECT_FALSE(chevron.CanBeStored());

    CKtvPToolbarComboBoxButton combo;
    EXPECT_EQ(combo.m_dwStyle, 0x50200403u);
    EXPECT_EQ(combo.m_nWidth, 150);
    EXPECT_EQ(combo.m_nDropDownHeight, 150);
    EXPECT_EQ(combo.m_iSelIndex, -1);

    // The menu bar's help combo: a drop-down combo with its prompt, never
    // edited in customise mode.
    CHelpComboBoxButton help;
    EXPECT_TRUE(help.GetPrompt().IsEmpty());
    help.m_strPrompt = _T("Type a question");
    EXPECT_EQ(help.GetPrompt(), CString("Type a question"));
    EXPECT_FALSE(help.IsEditable());

    CKtvPToolbarEditBoxButton edit;
    EXPECT_EQ(edit.m_dwStyle, 0x50000080u);
    EXPECT_EQ(edit.m_nWidth, 150);

    CKtvPDropDownToolbarButton dropDown;
    EXPECT_TRUE(dropDown.m_bLocked);  // never registers images
}

TEST(CommandBarDefaults, SharedToolbarStateStartsWithItsDocumentedValues)
{
    EXPECT_EQ(CKtvPToolBar::m_sizeButton, CSize(23, 22));
    EXPECT_EQ(CKtvPToolBar::m_sizeImage, CSize(16, 15));
    EXPECT_EQ(CKtvPToolBar::m_sizeMenuImage, CSize(-1, -1));
    EXPECT_EQ(CKtvPToolBar::m_sizeMenuButton, CSize(-1, -1));
    EXPECT_FALSE(CKtvPToolBar::m_bCustomizeMode);
    EXPECT_TRUE(CKtvPToolBar::m_bShowTooltips);
    EXPECT_TRUE(CKtvPToolBar::m_bShowShortcutKeys);
    EXPECT_FALSE(CKtvPToolBar::m_bLargeIcons);
    EXPECT_EQ(CKtvPToolBar::m_pUserImages, nullptr);
    // No face colour seen yet, so the first paint rebuilds the faded copy.
    EXPECT_EQ(CKtvPToolBar::m_Images.GetLastFaceColor(), static_cast<COLORREF>(-1));
    EXPECT_TRUE(CKtvPMenuBar::m_bRecentlyUsedMenus);
    EXPECT_TRUE(CKtvPMenuBar::m_bMenuShadows);
    EXPECT_FALSE(CKtvPMenuBar::m_bShowAllCommands);
    EXPECT_EQ(CKtvPPopupMenuBar::m_nMenuShowDelay, -1);
    EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr);
    EXPECT_EQ(CKtvPPopupMenu::m_nAnimationSpeed, 30);
}

// The managers make themselves the process-wide instance for their lifetime.
TEST(CommandBarManagers, ConstructionSetsAndDestructionClearsTheGlobalPointer)
{
    EXPECT_EQ(g_pMouseManager, nullptr);
    {
        CKtvPMouseManager manager;
        EXPECT_EQ(g_pMouseManager, &manager);
    }
    EXPECT_EQ(g_pMouseManager, nullptr);
    {
        CKtvPUserToolsManager tools(100, 200, 209, RUNTIME_CLASS(CKtvPUserTool));
        EXPECT_EQ(g_pUserToolsManager, &tools);
        EXPECT_EQ(tools.m_strDefExt, CString("*.exe"));
        EXPECT_EQ(tools.m_uiCmdFirst, 200u);
        EXPECT_EQ(tools.m_uiCmdLast, 209u);
    }
    EXPECT_EQ(g_pUserToolsManager, nullptr);
}

// The toolbar's messages are registered under the names the bars send.
TEST(CommandBarMessages, ToolbarMessagesAreDistinctAndRegistered)
{
    KtvRegisterLibraryMessages();
    EXPECT_NE(KTVM_RESETTOOLBAR, 0u);
    EXPECT_EQ(KTVM_RESETTOOLBAR, ::RegisterWindowMessage("KTVTOOLBAR_RESETTOOLBAR"));
    EXPECT_EQ(KTVM_RESETMENU, ::RegisterWindowMessage("KTVTOOLBAR_RESETMENU"));
    EXPECT_EQ(KTVM_RESETKEYBOARD, ::RegisterWindowMessage("KTVTOOLBAR_RESETKEYBAORD"));
    EXPECT_EQ(KTVM_RESETRPROMPT, ::RegisterWindowMessage("KTVTOOLBAR_RESETRPROMPT"));
    EXPECT_NE(KTVM_RESETTOOLBAR, KTVM_RESETMENU);
}

}  // namespace

namespace {

// The user-tools browse filter is split at '|' by the file dialog; the doubled
// bar at the end closes the list.
TEST(CommandBarResources, ToolsBrowseFilterHoldsItsFivePairs)
{
    static const BOOL bRegistered = tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());
    ASSERT_TRUE(bRegistered);
    CString strFilter;
    ASSERT_TRUE(strFilter.LoadString(IDS_KTVP_TOOLS_FILTER));
    EXPECT_EQ(strFilter, CString("Executable (*.exe)|*.exe|Command (*.com)|*.com|Information (*.pdf)|*.pdf|"
                                 "Batch (*.bat)|*.bat|All Files (*.*)|*.*||"));
}

}  // namespace
