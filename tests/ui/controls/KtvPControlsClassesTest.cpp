// The controls' class records (what archives and creation by name rely on),
// the initial values other classes read, and the registered message names.
#include <gtest/gtest.h>

#include <vector>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMemFile.h"
#include "tests/support/ui/KtvClassTable.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/controls/KtvPButton.h"
#include "ui/controls/KtvPMenuButton.h"
#include "ui/controls/KtvPTabView.h"
#include "ui/controls/KtvPURLLinkButton.h"
#include "ui/controls/KtvPCalculator.h"
#include "ui/controls/KtvPCalendarBar.h"
#include "ui/controls/KtvPCalendarMenuButton.h"
#include "ui/controls/KtvPCaptionBar.h"
#include "ui/controls/KtvPColorBar.h"
#include "ui/controls/KtvPHeaderCtrl.h"
#include "ui/controls/KtvPListCtrl.h"
#include "ui/controls/KtvPOutlookBarDockingPane.h"
#include "ui/controls/KtvPOutlookBarPane.h"
#include "ui/controls/KtvPOutlookWnd.h"
#include "ui/controls/KtvPPropertySheet.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/controls/KtvPTaskPaneMiniFrameWnd.h"
#include "ui/controls/KtvPTasksPane.h"
#include "ui/controls/KtvPToolBox.h"
#include "ui/docking/KtvPOutlookBar.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPCodes.h"

namespace {

using tw::test::KtvClassRow;

const std::vector<KtvClassRow>& ControlClasses()
{
    static const std::vector<KtvClassRow> rows = {
        KTV_CLASS_ROW(CKtvPButton, CButton, DynCreate),
        KTV_CLASS_ROW(CKtvPMenuButton, CKtvPButton, Dynamic),
        KTV_CLASS_ROW(CKtvPURLLinkButton, CKtvPButton, Dynamic),
        KTV_CLASS_ROW(CKtvPTabView, CView, DynCreate),
        KTV_CLASS_ROW(CKtvPBaseTabWnd, CWnd, Dynamic),
        KTV_CLASS_ROW(CKtvPTabWnd, CKtvPBaseTabWnd, DynCreate),
        KTV_CLASS_ROW(CKtvPHeaderCtrl, CHeaderCtrl, Dynamic),
        KTV_CLASS_ROW(CKtvPListCtrl, CListCtrl, Dynamic),
        KTV_CLASS_ROW(CKtvPCaptionBar, CKtvPControlBar, DynCreate),
        KTV_CLASS_ROW(CKtvPOutlookWnd, CKtvPBaseTabWnd, DynCreate),
        KTV_CLASS_ROW(COutlookCustomizeButton, CCustomizeButton, DynCreate),
        KTV_CLASS_ROW(CKtvPOutlookButton, CKtvPToolbarButton, Serial, VERSIONABLE_SCHEMA | 1),
        KTV_CLASS_ROW(CKtvPOutlookBarDockingPane, CKtvPDockingCBWrapper, DynCreate),
        KTV_CLASS_ROW(CKtvPToolBox, CKtvPDockingControlBar, DynCreate),
        KTV_CLASS_ROW(CKtvPToolBoxPage, CKtvPControlBar, DynCreate),
        KTV_CLASS_ROW(CKtvPTasksPane, CKtvPDockingControlBar, Serial, VERSIONABLE_SCHEMA | 1),
        KTV_CLASS_ROW(CTasksPaneToolBar, CKtvPToolBar, Serial, 1),
        KTV_CLASS_ROW(CTasksPaneNavigateButton, CKtvPToolbarButton, Serial, 1),
        KTV_CLASS_ROW(CTasksPaneMenuButton, CKtvPToolbarMenuButton, Serial, 1),
        KTV_CLASS_ROW(CKtvPTaskPaneMiniFrameWnd, CKtvPMiniFrameWnd, Serial, VERSIONABLE_SCHEMA | 2),
        KTV_CLASS_ROW(CColorButton, CKtvPToolbarButton, Serial, 1),
        KTV_CLASS_ROW(CKtvPColorBar, CKtvPPopupMenuBar, Serial, 1),
        KTV_CLASS_ROW(CCalculatorButton, CKtvPToolbarButton, DynCreate),
        KTV_CLASS_ROW(CCalculatorDisplay, CKtvPToolbarButton, DynCreate),
        KTV_CLASS_ROW(CKtvPCalculator, CKtvPPopupMenuBar, DynCreate),
        KTV_CLASS_ROW(CKtvPCalculatorPopup, CKtvPPopupMenu, Dynamic),
        KTV_CLASS_ROW(CKtvPCalendarButton, CKtvPToolbarButton, DynCreate),
        KTV_CLASS_ROW(CKtvPCalendarBar, CKtvPPopupMenuBar, DynCreate),
        KTV_CLASS_ROW(CKtvPCalendarMenuButton, CKtvPToolbarMenuButton, Serial, VERSIONABLE_SCHEMA | 1),
        KTV_CLASS_ROW(CCalendarPopup, CKtvPPopupMenu, Dynamic),
        KTV_CLASS_ROW(CKtvPPropertyPage, CPropertyPage, Dynamic),
        KTV_CLASS_ROW(CKtvPPropSheetCategory, CObject, Dynamic),
        KTV_CLASS_ROW(CKtvPPropertySheet, CPropertySheet, Dynamic),
    };
    return rows;
}

class ControlClassRecord : public ::testing::TestWithParam<KtvClassRow> {};

TEST_P(ControlClassRecord, HasItsNameBaseAndKind) { EXPECT_TRUE(tw::test::CheckClassRecord(GetParam())); }

TEST_P(ControlClassRecord, CreatesItselfByName) { EXPECT_TRUE(tw::test::CheckCreatesByName(GetParam())); }

INSTANTIATE_TEST_SUITE_P(Controls, ControlClassRecord, ::testing::ValuesIn(ControlClasses()),
                         tw::test::KtvClassRowName);

// The chains the looks and the docking layer test tabs and buttons along.
TEST(ControlClassChains, TabWindowsAndButtonsDeriveAlongTheirChains)
{
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPTabWnd), RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPButton), RUNTIME_CLASS(CWnd)));
    EXPECT_FALSE(RUNTIME_CLASS(CKtvPBaseTabWnd)->IsDerivedFrom(RUNTIME_CLASS(CKtvPTabWnd)));
    // The looks and the outlook bar test these along the toolbar and docking chains.
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPColorBar), RUNTIME_CLASS(CKtvPToolBar)));
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPCalendarBar), RUNTIME_CLASS(CKtvPPopupMenuBar)));
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPCaptionBar), RUNTIME_CLASS(CKtvPBaseControlBar)));
    EXPECT_TRUE(
        tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPOutlookBarDockingPane), RUNTIME_CLASS(CKtvPDockingControlBar)));
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPTasksPane), RUNTIME_CLASS(CKtvPBaseControlBar)));
}

// Toolbars store their buttons by class: a button kind that sits on a saved bar
// (the Date button on the main frame's toolbar, an outlook pane's buttons)
// must be storable, or saving the bar fails.
TEST(ControlClassChains, ButtonsOfSavedBarsAreStoredByClass)
{
    for (const CRuntimeClass* pClass : {RUNTIME_CLASS(CKtvPCalendarMenuButton), RUNTIME_CLASS(CKtvPOutlookButton),
                                        RUNTIME_CLASS(CColorButton)}) {
        SCOPED_TRACE(pClass->m_lpszClassName);
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        EXPECT_NO_THROW(ar.WriteClass(pClass));
        ar.Close();
    }
}

// Classes without a record of their own answer their base's: the pane is a toolbar.
TEST(ControlClassChains, ClassesWithoutOwnRecordAreTheirBasesKind)
{
    CKtvPOutlookBarPane pane;
    EXPECT_TRUE(pane.IsKindOf(RUNTIME_CLASS(CKtvPToolBar)));
    CKtvPTabScrollButton scroll;
    EXPECT_TRUE(scroll.IsKindOf(RUNTIME_CLASS(CKtvPButton)));
}

TEST(TabRecord, StartsVisibleUncolouredAndAtItsNaturalWidthZero)
{
    CKtvPTabInfo tab("Results", 3, nullptr, 7, TRUE, FALSE);
    EXPECT_STREQ("Results", (LPCTSTR)tab.m_strText);
    EXPECT_EQ(3, tab.m_uiIcon);
    EXPECT_EQ(nullptr, tab.m_hIcon);
    EXPECT_TRUE(tab.m_rect.IsRectEmpty());
    EXPECT_TRUE(tab.m_bVisible);
    EXPECT_EQ(0, tab.m_nFullWidth);
    EXPECT_EQ(7, tab.m_iTabID);
    EXPECT_EQ((COLORREF)-1, tab.m_clrText);
    EXPECT_EQ((COLORREF)-1, tab.m_clrBack);
    EXPECT_FALSE(tab.m_bIconOnly);
    EXPECT_FALSE(tab.m_bAlwaysShowToolTip);
    EXPECT_TRUE(tab.m_bIsDetachable);
    EXPECT_FALSE(tab.m_bIsListView);
}

TEST(TabState, DefaultsToAVisibleUncolouredTab)
{
    CKtvPTabState state;
    EXPECT_TRUE(state.m_strLabel.IsEmpty());
    EXPECT_EQ(TRUE, state.m_bVisible);
    EXPECT_EQ(-1, state.m_clrText);
    EXPECT_EQ(-1, state.m_clrBack);
}

// What the tabbed bars, the MDI tab strip and the tab views rely on before
// they change anything.
TEST(TabWindowDefaults, NewTabWindowHoldsTheDocumentedValues)
{
    CKtvPTabWnd wnd;
    EXPECT_FALSE(wnd.m_bEnableWrapping);
    EXPECT_FALSE(wnd.m_bActivateLastVisibleTab);
    EXPECT_FALSE(wnd.m_bHighLightTabs);
    EXPECT_EQ(CKtvPBaseTabWnd::LOCATION_BOTTOM, wnd.m_location);
    EXPECT_EQ(0, wnd.GetTabsNum());
    EXPECT_EQ(-1, wnd.GetActiveTab());
    EXPECT_EQ(-1, wnd.m_iTabBeforeDrag);
    EXPECT_EQ(CSize(0, 0), wnd.GetImageSize());
    EXPECT_EQ(1, wnd.m_iTabIdCounter);
    EXPECT_EQ(2, wnd.m_nTabBorderSize);
    EXPECT_FALSE(wnd.m_bAutoDestroyWindow);
    EXPECT_TRUE(wnd.m_bHideInactiveWnd);
    EXPECT_EQ(-1, wnd.m_iHighlighted);
    EXPECT_EQ(-1, wnd.m_iPressed);
    EXPECT_FALSE(wnd.IsActivateOnButtonUp());
    EXPECT_TRUE(wnd.m_bEnableTabSwap);
    EXPECT_FALSE(wnd.IsHideSingleTab());
    EXPECT_EQ((COLORREF)-1, wnd.m_clrActiveTabBk);
    EXPECT_EQ((COLORREF)-1, wnd.m_clrActiveTabFg);
    EXPECT_FALSE(wnd.IsDrawNoPrefix());
    EXPECT_EQ(-1, wnd.m_iEditedTab);
    EXPECT_FALSE(wnd.IsInPlaceEditEnabled());
    EXPECT_EQ(nullptr, wnd.GetDockingBarWrapperRTC());
    EXPECT_FALSE(wnd.IsAutoColor());
    EXPECT_TRUE(wnd.m_bIsDefaultAutoColor);
    EXPECT_EQ(-1, wnd.m_iLastActiveTab);
    EXPECT_FALSE(wnd.m_bActivateLastActiveTab);

    // The tab window's own.
    EXPECT_FALSE(wnd.IsFlatTabs());
    EXPECT_FALSE(wnd.IsSlantedTabs());
    EXPECT_FALSE(wnd.IsSharedScroll());
    EXPECT_TRUE(wnd.IsDrawFrame());
    EXPECT_TRUE(wnd.m_bAutoSizeWindow);
    EXPECT_TRUE(wnd.m_bFlatFrame);
    EXPECT_FALSE(wnd.IsHideNoTabs());
    EXPECT_FALSE(wnd.IsActiveTabBoldFont());
    EXPECT_EQ(0, wnd.GetFirstScrolledTab());
    CRect strip(1, 2, 3, 4);
    wnd.GetTabsRect(strip);
    EXPECT_TRUE(strip.IsRectEmpty());
}

// The per-tab reads answer "none" outside 0..count-1 and never touch a record there.
TEST(TabWindowReads, IndexOutsideTheTabsAnswersNone)
{
    CKtvPTabWnd wnd;
    auto* tab = new CKtvPTabInfo("One", 2, nullptr, 5, TRUE, FALSE);
    tab->m_clrText = RGB(1, 2, 3);
    wnd.m_arTabs.Add(tab);
    wnd.m_iTabsNum = 1;

    struct Case {
        int iTab;
        bool inRange;
    };
    for (const Case c : {Case{-1, false}, Case{0, true}, Case{1, false}}) {
        SCOPED_TRACE(c.iTab);
        EXPECT_EQ(c.inRange ? 5 : -1, wnd.GetTabID(c.iTab));
        EXPECT_EQ(c.inRange ? 2u : (UINT)-1, wnd.GetTabIcon(c.iTab));
        EXPECT_EQ(c.inRange ? RGB(1, 2, 3) : (COLORREF)-1, wnd.GetTabTextColor(c.iTab));
        EXPECT_EQ(c.inRange ? TRUE : FALSE, wnd.IsTabVisible(c.iTab));
        EXPECT_EQ(c.inRange ? TRUE : FALSE, wnd.IsTabDetachable(c.iTab));
        EXPECT_FALSE(wnd.IsTabTextHidden(c.iTab));
        EXPECT_EQ(nullptr, wnd.GetTabWnd(c.iTab));
        EXPECT_EQ(nullptr, wnd.GetTabIconHandle(c.iTab));
    }
}

TEST(ButtonDefaults, NewButtonHoldsTheDocumentedValues)
{
    CKtvPButton btn;
    EXPECT_EQ(CKtvPButton::BUTTONSTYLE_3D, btn.m_FlatStyle);
    EXPECT_EQ(CKtvPButton::ALIGN_CENTER, btn.m_TextAlign);
    EXPECT_FALSE(btn.m_ImageOnRight);
    EXPECT_FALSE(btn.m_ParentBackground);
    EXPECT_TRUE(btn.m_DrawFocus);
    EXPECT_TRUE(btn.m_HighlightChecked);
    EXPECT_TRUE(btn.m_GrayDisabled);
    EXPECT_FALSE(btn.m_ClickOnButtonDown);
    EXPECT_FALSE(btn.m_FullTextTooltip);
    EXPECT_FALSE(btn.IsPushed());
    EXPECT_FALSE(btn.IsHighlighted());
    EXPECT_FALSE(btn.IsChecked());
    EXPECT_FALSE(btn.IsCheckBox());
    EXPECT_FALSE(btn.IsRadio());
    EXPECT_EQ(CSize(0, 0), btn.GetImageSize());
    EXPECT_EQ(CSize(2, 2), btn.m_PushOffset);
    EXPECT_EQ((COLORREF)-1, btn.m_TextColor);
    EXPECT_EQ((COLORREF)-1, btn.m_HotTextColor);
    EXPECT_EQ((COLORREF)-1, btn.m_FaceColor);
    EXPECT_FALSE(CKtvPButton::IsThemedLook());
}

// What the outlook bar and the tool box rely on before any window exists.
TEST(OutlookDefaults, OutlookWindowActivatesOnReleaseAndShowsAllPageButtons)
{
    CKtvPOutlookWnd wnd;
    EXPECT_TRUE(wnd.IsActivateOnButtonUp());
    EXPECT_FALSE(wnd.m_bEnableTabSwap);
    EXPECT_EQ(-1, wnd.GetVisiblePageButtons());
    EXPECT_EQ(0, wnd.GetMaxPageButtons());
    EXPECT_EQ(0, wnd.GetBorderSize());
    EXPECT_EQ(TA_CENTER, wnd.GetPageButtonTextAlign());
    EXPECT_FALSE(wnd.IsScrollButtons());
    EXPECT_TRUE(wnd.GetCaptionRect().IsRectEmpty());
    EXPECT_TRUE(wnd.GetSplitterRect().IsRectEmpty());
    // A page added or removed shows every page button that fits again.
    wnd.SetVisiblePageButtons(3);
    wnd.OnTabsChanged();
    EXPECT_EQ(-1, wnd.GetVisiblePageButtons());
}

TEST(OutlookDefaults, DockingPaneFormsAnOutlookBarWhenABarDocksOntoIt)
{
    CKtvPOutlookBarDockingPane pane;
    EXPECT_EQ(RUNTIME_CLASS(CKtvPOutlookBar), pane.GetTabbedControlBarRTC());
}

TEST(OutlookDefaults, PaneIsAlwaysVertical)
{
    CKtvPOutlookBarPane pane;
    pane.SetBarStyle(CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT);
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, pane.GetCurrentAlignment());
    EXPECT_FALSE(pane.IsHorizontal());
    EXPECT_FALSE(pane.CanFloat());
    EXPECT_TRUE(pane.CanBeAttached());
    EXPECT_EQ((COLORREF)-1, pane.GetRegularColor());
    EXPECT_EQ(RGB(255, 0, 255), pane.GetTransparentColor());
    EXPECT_EQ(0, pane.GetExtraSpace());
    EXPECT_FALSE(pane.IsBackgroundTexture());
}

// The panes' one strip is made on first use and given back by the library's clean-up.
TEST(OutlookDefaults, SharedPaneStripComesOnFirstUseAndGoesWithTheCleanUp)
{
    CKtvPToolBarImages& strip = CKtvPOutlookBarPane::GetSharedImages();
    EXPECT_EQ(&strip, &CKtvPOutlookBarPane::GetSharedImages());
    EXPECT_EQ(RGB(255, 0, 255), strip.GetTransparentColor());
    strip.SetTransparentColor(RGB(1, 2, 3));
    KtvCleanUp();
    // A new strip, not the one changed above.
    EXPECT_EQ(RGB(255, 0, 255), CKtvPOutlookBarPane::GetSharedImages().GetTransparentColor());
    CKtvPOutlookBarPane::CleanUpSharedImages();
}

TEST(TasksPaneDefaults, MetricsFollowTheLookUntilSetAndHistoryHoldsHome)
{
    CKtvPTasksPane pane;
    for (int metric : {pane.m_nMarginV, pane.m_nMarginH, pane.m_nGroupSpacing, pane.m_nCaptionMinHeight,
                       pane.m_nTaskTextIndent, pane.m_nCaptionPadding, pane.m_nTaskIndent, pane.m_nTaskIconGap,
                       pane.m_nTaskSpacing})
        EXPECT_EQ(-1, metric);
    EXPECT_EQ(1, pane.GetHistoryLength());
    EXPECT_EQ(0, pane.GetActiveHistoryPos());
    EXPECT_FALSE(pane.IsNavigationToolbarEnabled());
    EXPECT_FALSE(pane.IsMenuShown());
}

TEST(TasksPaneDefaults, GroupOwnsItsTasks)
{
    auto* group = new CKtvPTasksGroup("Files", FALSE);
    group->m_lstTasks.AddTail(new CKtvPTask(group, "Open", 0, 100));
    group->m_lstTasks.AddTail(new CKtvPTask(group, "Save", 1, 101));
    auto* task = static_cast<CKtvPTask*>(group->m_lstTasks.GetHead());
    EXPECT_TRUE(task->m_bVisible);
    EXPECT_TRUE(task->m_bEnabled);
    EXPECT_FALSE(task->m_bIsSeparator);
    EXPECT_EQ(100u, task->m_uiCommandID);
    EXPECT_FALSE(group->m_bIsCollapsed);
    delete group;  // the sanitizers see a leak here if the tasks stay behind
}

TEST(CaptionBarDefaults, ColoursFollowTheLookAndBordersAreFour)
{
    CKtvPCaptionBar bar;
    EXPECT_EQ((COLORREF)-1, bar.m_clrBarText);
    EXPECT_EQ((COLORREF)-1, bar.m_clrBarBackground);
    EXPECT_EQ((COLORREF)-1, bar.m_clrBarBorder);
    EXPECT_EQ(4, bar.m_nBorderSize);
    EXPECT_FALSE(bar.m_bFlatBorder);
    EXPECT_FALSE(bar.AllowsInsertBefore());
    EXPECT_EQ(0, bar.GetCurrentHeight());
}

TEST(PickerDefaults, ColourBarCalendarAndCalculatorStartAsDocumented)
{
    CKtvPColorBar colors;
    EXPECT_EQ((COLORREF)-1, colors.GetColor());
    EXPECT_EQ((COLORREF)-1, colors.m_AutomaticColor);
    EXPECT_TRUE(colors.m_IsToolbar);
    EXPECT_FALSE(colors.m_ShowDocColorsAlways);
    EXPECT_TRUE(colors.m_IsEnabled);
    EXPECT_EQ(4, colors.m_VertMargin);
    EXPECT_EQ(4, colors.m_HorzMargin);

    CKtvPColorBar tearOff(colors, 42);
    EXPECT_EQ(42u, tearOff.m_CommandId);
    EXPECT_TRUE(tearOff.m_IsToolbar);

    CKtvPCalendarBar calendar;
    EXPECT_EQ((DWORD)CKtvPCalendarBar::KTVP_CAL_DEFAULT_STYLE, calendar.GetCalendarStyle());
    EXPECT_EQ(1, calendar.GetFirstDayOfWeek());
    EXPECT_TRUE(calendar.IsStandAlone());
    CKtvPCalendarBar single(calendar, 7, FALSE);
    EXPECT_EQ(0u, single.GetCalendarStyle() & CKtvPCalendarBar::KTVP_CAL_MULTIPLE_SELECTION);

    CKtvPCalculator calc;
    EXPECT_EQ(0.0, calc.GetValue());
    EXPECT_STREQ("0", (LPCTSTR)calc.GetDisplayText());
    EXPECT_FALSE(calc.IsError());
}

// An id nobody chose a date for reads the zero date, valid.
TEST(PickerDefaults, UnsetCommandReadsTheZeroDate)
{
    COleDateTime date = CKtvPCalendarMenuButton::GetCommandDate(40999);
    EXPECT_EQ(COleDateTime::valid, date.GetStatus());
    EXPECT_EQ(0.0, (double)date.m_dt);
}

TEST(SheetDefaults, SheetStartsWithTabsAndAHundredPixelPane)
{
    CKtvPPropertySheet sheet("Options");
    EXPECT_EQ(CKtvPPropertySheet::SHEETLOOK_TABS, sheet.GetLook());
    EXPECT_EQ(100, sheet.GetNavBarWidth());

    CKtvPPropertyPage page;
    EXPECT_EQ(nullptr, page.GetCategory());
    EXPECT_EQ(-1, page.GetIcon());
    EXPECT_EQ(-1, page.GetSelectedIcon());
    EXPECT_EQ(nullptr, page.GetTreeItem());
}

// A category's selected icon defaults to its icon; deleting one takes its
// sub-categories with it and takes it out of its parent's list.
TEST(SheetDefaults, CategoriesOwnTheirSubCategories)
{
    CKtvPPropertySheet sheet("Options");
    auto* env = new CKtvPPropSheetCategory("Environment", 3, -1, nullptr, sheet);
    EXPECT_EQ(3, env->m_nSelectedIcon);
    auto* general = new CKtvPPropSheetCategory("General", 4, 5, env, sheet);
    EXPECT_EQ(5, general->m_nSelectedIcon);
    EXPECT_EQ(env, general->m_pParentCategory);
    env->m_lstSubCategories.AddTail(general);
    auto* fonts = new CKtvPPropSheetCategory("Fonts", 6, -1, env, sheet);
    env->m_lstSubCategories.AddTail(fonts);

    delete fonts;
    ASSERT_EQ(1, (int)env->m_lstSubCategories.GetCount());
    EXPECT_EQ(general, env->m_lstSubCategories.GetHead());
    delete env;  // and general with it: the sanitizers see a leak otherwise
}

TEST(RegisteredMessages, ControlsRegisterUnderTheirNames)
{
    KtvRegisterLibraryMessages();
    struct Case {
        UINT* pId;
        const char* lpszName;
    };
    const Case cases[] = {
        {&KTVM_ON_CHANGING_ACTIVE_TAB, "KTVM_ON_CHANGING_ACTIVE_TAB"},
        {&KTVM_ONCHANGE_ACTIVE_TAB, "KTVM_ONCHANGE_ACTIVE_TAB"},
        {&KTVM_ON_MOVE_TAB, "KTVM_ON_MOVE_TAB"},
        {&KTVM_ON_RENAME_TAB, "KTVM_ON_RENAME_TAB"},
        {&KTVM_ON_HSCROLL, "KTVM_ON_HSCROLL"},
        {&KTVM_PROPERTYCHANGED, "KTVM_PROPERTYCHANGED"},
        {&KTVM_CALENDAR_ON_SELCHANGED, "KTVM_CALENDAR_ON_SELCHANGED"},
        {&KTVM_GETDOCUMENTCOLORS, "KTVTOOLBAR__GETDOCUMENTCOLORS"},
        {&KTVPM_CHANGE_CURRENT_FOLDER, "KTVPM_CHANGE_CURRENT_FOLDER"},
        {&KTVM_DATETIME_HOLDTIMER, "KTVDATETIME_HOLDTIMER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lpszName);
        EXPECT_NE(0u, *c.pId);
        EXPECT_EQ(::RegisterWindowMessage(c.lpszName), *c.pId);
    }
}

}  // namespace
