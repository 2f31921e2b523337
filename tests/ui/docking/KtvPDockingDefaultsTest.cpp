// What a new docking object holds before anything happens to it, where other
// classes rely on it (recent places, borders, the dock manager's delays, the
// caption buttons, the layout nodes), and the operations that only read or
// store the bar's style words.
#include <gtest/gtest.h>

#include "ui/docking/KtvPAutoHideButton.h"
#include "ui/docking/KtvPAutoHideToolBar.h"
#include "ui/docking/KtvPBarContainer.h"
#include "ui/docking/KtvPBarContainerManager.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/docking/KtvPControlBar.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPPreviewTabBar.h"
#include "ui/docking/KtvPDockingCBWrapper.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPOutlookBar.h"
#include "ui/docking/KtvPSlider.h"
#include "ui/docking/KtvPTabbedControlBar.h"
#include "ui/frames/KtvPGlobalData.h"
#include "platform/mfc/CFrameWnd.h"

namespace {

// Opens the protected fields of a bar for reading.
template <class Bar>
struct Probe : Bar {
    using Bar::m_dwStyle;
    using Bar::m_dwControlBarStyle;
    using Bar::m_dwEnabledAlignment;
    using Bar::m_dockMode;
};

struct ControlBarProbe : CKtvPControlBar {
    using CKtvPControlBar::m_cxDefaultGap;
    using CKtvPControlBar::m_cxLeftBorder;
    using CKtvPControlBar::m_cxRightBorder;
    using CKtvPControlBar::m_cyBottomBorder;
    using CKtvPControlBar::m_cyTopBorder;
    using CKtvPControlBar::m_nCount;
    using CKtvPControlBar::m_nMRUWidth;
    using CKtvPControlBar::m_pData;
    using CKtvPControlBar::m_sizeMin;
};

struct DockingBarProbe : CKtvPDockingControlBar {
    using CKtvPDockingControlBar::m_bAutoHideMode;
    using CKtvPDockingControlBar::m_nCaptionHeight;
    using CKtvPDockingControlBar::m_nSlideMode;
};

struct MiniFrameProbe : CKtvPMiniFrameWnd {
    using CKtvPMiniFrameWnd::m_nCaptionHeight;
    using CKtvPMiniFrameWnd::m_rectRecentFloat;
    using CKtvPMiniFrameWnd::m_sizeMinSize;
};

TEST(RecentDockInfo, StartsWithTheDefaultFloatingPlaceAndNoDockedPlace)
{
    CKtvPRecentDockInfo info(nullptr);
    EXPECT_EQ(CRect(10, 10, 110, 110), info.m_rectLastFloat);
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, info.m_dwLastAlignment);
    EXPECT_EQ(0, info.m_nLastRowIndex);
    EXPECT_EQ(nullptr, info.m_pLastDockBar);
    EXPECT_EQ(nullptr, info.m_pLastRow);
    EXPECT_EQ(nullptr, info.m_hLastDefaultSlider);
    EXPECT_EQ(nullptr, info.m_hLastMiniFrame);
    for (BOOL bDocked : {TRUE, FALSE}) {
        SCOPED_TRACE(bDocked ? "docked record" : "floating record");
        EXPECT_EQ(CRect(0, 0, 30, 30), info.GetLayoutRect(bDocked));
        EXPECT_EQ(50, info.GetLayoutPercent(bDocked));
        EXPECT_TRUE(info.WasLeftPart(bDocked));
        EXPECT_EQ(nullptr, info.GetLayoutNode(bDocked));
        EXPECT_EQ(nullptr, info.GetTabbedBarNode(bDocked));
        EXPECT_TRUE(info.GetSiblingWnds(bDocked).IsEmpty());
    }
}

// The records are separate: writing the docked rectangle leaves the floating one.
TEST(RecentDockInfo, KeepsTheDockedAndFloatingRecordsApart)
{
    CKtvPRecentDockInfo info(nullptr);
    info.GetLayoutRect(TRUE) = CRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(1, 2, 3, 4), info.GetLayoutRect(TRUE));
    EXPECT_EQ(CRect(0, 0, 30, 30), info.GetLayoutRect(FALSE));
    info.Init();
    EXPECT_EQ(CRect(1, 2, 3, 4), info.GetLayoutRect(TRUE)) << "Init leaves the records alone";
}

TEST(ControlBar, StartsWithTheLibraryBordersAndSizes)
{
    ControlBarProbe bar;
    EXPECT_EQ(6, bar.m_cxLeftBorder);
    EXPECT_EQ(6, bar.m_cxRightBorder);
    EXPECT_EQ(2, bar.m_cyTopBorder);
    EXPECT_EQ(2, bar.m_cyBottomBorder);
    EXPECT_EQ(2, bar.m_cxDefaultGap);
    EXPECT_EQ(32767, bar.m_nMRUWidth);
    EXPECT_EQ(CSize(1, 1), bar.m_sizeMin);
    EXPECT_EQ(0, bar.m_nCount);
    EXPECT_EQ(nullptr, bar.m_pData);
    EXPECT_TRUE(bar.IsFirstInGroup());
    EXPECT_TRUE(bar.IsLastInGroup());
    EXPECT_TRUE(bar.IsActiveInGroup());
    EXPECT_FALSE(bar.IsDragMode());
    EXPECT_FALSE(bar.IsResizable());
    EXPECT_EQ(10, bar.GetResizeStep());
    EXPECT_EQ(-1, bar.GetDefaultIndex());
    EXPECT_EQ(0, bar.GetPinState());
    EXPECT_EQ(&bar, bar.GetRecentDockInfo().m_pOwnerBar);
    EXPECT_EQ(-1, bar.GetDragFrameImpl().m_nPreviewTab);
    EXPECT_EQ(globalData.m_nDragFrameWidthFloating, bar.GetDragFrameImpl().m_nOutlineWidth);
    EXPECT_FALSE(bar.GetDragFrameImpl().IsShown());
}

TEST(ControlBar, SetBordersStoresTheFourSidesAsGiven)
{
    ControlBarProbe bar;
    const RECT borders = {1, 2, 3, 4};
    bar.SetBordersFromRect(&borders);
    EXPECT_EQ(1, bar.m_cxLeftBorder);
    EXPECT_EQ(2, bar.m_cyTopBorder);
    EXPECT_EQ(3, bar.m_cxRightBorder);
    EXPECT_EQ(4, bar.m_cyBottomBorder);
}

TEST(ControlBar, AnExclusiveRowRefusesSiblings)
{
    CKtvPControlBar bar;
    EXPECT_TRUE(bar.AllowsSiblingBars());
    bar.SetExclusiveRow(TRUE);
    EXPECT_TRUE(bar.IsExclusiveRow());
    EXPECT_FALSE(bar.AllowsSiblingBars());
}

// The alignment nibble is replaced, every other bit of the style kept.
TEST(BaseControlBar, SetBarAlignmentReplacesOnlyTheAlignmentNibble)
{
    Probe<CKtvPControlBar> bar;
    bar.SetBarStyle(0x2F4F);
    bar.SetBarAlignment(CBRS_ALIGN_LEFT);
    EXPECT_EQ(0x1F4Fu, bar.GetBarStyle());
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, bar.GetCurrentAlignment());
    EXPECT_FALSE(bar.IsHorizontal());
    bar.SetBarAlignment(CBRS_ALIGN_BOTTOM);
    EXPECT_EQ(0x8F4Fu, bar.GetBarStyle());
    EXPECT_TRUE(bar.IsHorizontal());

    // Bits beside the alignment in the argument are ignored.
    const struct {
        DWORD dwStyle;
        DWORD dwAlignment;
        DWORD dwExpected;
    } cases[] = {
        {0x0000, CBRS_ALIGN_BOTTOM, 0x8000},
        {0xF0FF, CBRS_ALIGN_TOP, 0x20FF},
        {0x1234, 0x0F00 | CBRS_ALIGN_RIGHT, 0x4234},
    };
    for (const auto& c : cases) {
        bar.m_dwStyle = c.dwStyle;
        bar.SetBarAlignment(c.dwAlignment);
        EXPECT_EQ(c.dwExpected, bar.GetBarStyle()) << std::hex << c.dwStyle;
    }
}

// The caption bar answers its own alignment; its orientation follows that answer.
TEST(BaseControlBar, IsHorizontalFollowsTheVirtualAlignment)
{
    struct TopBar : CKtvPControlBar {
        DWORD GetCurrentAlignment() const override { return CBRS_ALIGN_TOP; }
    };
    TopBar bar;
    bar.SetBarAlignment(CBRS_ALIGN_LEFT);
    EXPECT_TRUE(bar.IsHorizontal());
}

TEST(BaseControlBar, CalcFixedLayoutStretchesOnlyAlongTheAskedAxis)
{
    struct Case {
        BOOL bStretch, bHorz;
        CSize expected;
    };
    const Case cases[] = {
        {TRUE, TRUE, CSize(32767, 0)},
        {TRUE, FALSE, CSize(0, 32767)},
        {FALSE, TRUE, CSize(0, 0)},
        {FALSE, FALSE, CSize(0, 0)},
    };
    CKtvPControlBar bar;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "stretch " << c.bStretch << " horz " << c.bHorz);
        EXPECT_EQ(c.expected, bar.CalcFixedLayout(c.bStretch, c.bHorz));
    }
}

TEST(BaseControlBar, DockingStyleBitsAnswerTheCanQuestions)
{
    struct Case {
        DWORD dwStyle;
        BOOL bClose, bResize, bAutoHide;
    };
    const Case cases[] = {
        {0, FALSE, FALSE, FALSE},
        {KTVP_CBRS_CLOSE, TRUE, FALSE, FALSE},
        {KTVP_CBRS_RESIZE, FALSE, TRUE, FALSE},
        {KTVP_CBRS_AUTOHIDE, FALSE, FALSE, TRUE},
        {KTVP_CBRS_FLOAT | KTVP_CBRS_AUTOHIDE | KTVP_CBRS_RESIZE | KTVP_CBRS_CLOSE, TRUE, TRUE, TRUE},
    };
    for (const Case& c : cases) {
        Probe<CKtvPControlBar> bar;
        bar.m_dwControlBarStyle = c.dwStyle;
        SCOPED_TRACE(testing::Message() << "docking style " << c.dwStyle);
        EXPECT_EQ(c.bClose, bar.CanBeClosed());
        EXPECT_EQ(c.bResize, bar.CanBeResized());
        EXPECT_EQ(c.bAutoHide, bar.CanAutoHide());
    }
}

TEST(BaseControlBar, ABarWithoutItsOwnModeUsesTheLibraryDockingMode)
{
    Probe<CKtvPControlBar> bar;
    EXPECT_EQ(KTVP_DT_STANDARD, g_nKtvDefaultDockMode);
    EXPECT_EQ(g_nKtvDefaultDockMode, bar.GetDockingMode());
    bar.SetDockMode(KTVP_DT_IMMEDIATE);
    EXPECT_EQ(KTVP_DT_IMMEDIATE, bar.GetDockingMode());
    EXPECT_EQ(nullptr, bar.GetDockSiteFrameWnd());
    EXPECT_EQ(nullptr, bar.GetParentDockBar());
    EXPECT_EQ(0u, bar.GetEnabledAlignment());
    bar.EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_EQ((DWORD)CBRS_ALIGN_ANY, bar.GetEnabledAlignment());
}

TEST(DockManager, HoldsTheLibraryDelaysAndStartsWithLayoutEnabled)
{
    EXPECT_EQ(200, CKtvPDockManager::m_nToolbarDockDelay);
    EXPECT_EQ(220, CKtvPDockManager::m_nDockingBarDockDelay);
    EXPECT_EQ(1, CKtvPDockManager::m_nDefaultSlideMode);
    EXPECT_EQ(15, CKtvPDockManager::m_nDockSensitivity);
    EXPECT_TRUE(CKtvPDockManager::m_bHideAllIncludesDockingBars);
    EXPECT_STREQ("KtvPDockManagers", CKtvPDockManager::m_szSection);
    EXPECT_FALSE(g_bKtvRestoringDockState);

    CKtvPDockManager manager;
    EXPECT_TRUE(manager.IsAdjustLayoutEnabled());
    EXPECT_FALSE(manager.IsPrintPreviewValid());
    EXPECT_FALSE(manager.IsLastLoadFailed());
    EXPECT_EQ(0u, manager.GetEnabledDockingAlignment());
    EXPECT_TRUE(manager.GetControlBars().IsEmpty());
    EXPECT_TRUE(manager.GetMiniFrames().IsEmpty());
    CFrameWnd site;
    EXPECT_TRUE(manager.Create(&site));
    EXPECT_EQ(&site, manager.GetDockSiteFrameWnd());
}

TEST(DockManager, AStoredAutoHideRecordStartsUnboundAndCopiesItsSiblings)
{
    KtvAutoHideBarInfo info;
    EXPECT_EQ(-1, info.m_nBarID);
    EXPECT_TRUE(info.m_bFirstInGroup);
    EXPECT_TRUE(info.m_bLastInGroup);
    EXPECT_TRUE(info.m_bActiveInGroup);
    EXPECT_EQ(nullptr, info.m_pSavedBar);
    info.m_nBarID = 32775;
    info.m_lstSiblingBars.AddTail(40266);
    info.m_lstSiblingBars.AddTail(40267);
    KtvAutoHideBarInfo copy(info);
    info.m_lstSiblingBars.RemoveAll();
    EXPECT_EQ(32775, copy.m_nBarID);
    ASSERT_EQ(2, copy.m_lstSiblingBars.GetCount());
    EXPECT_EQ(40266u, copy.m_lstSiblingBars.GetHead());
    EXPECT_EQ(40267u, copy.m_lstSiblingBars.GetTail());
}

TEST(DockingControlBar, StartsWholeInItsNodeWithTheLibrarySlideMode)
{
    DockingBarProbe bar;
    EXPECT_EQ(100, bar.m_nLastPercent);
    EXPECT_EQ(CKtvPDockManager::m_nDefaultSlideMode, bar.m_nSlideMode);
    EXPECT_EQ(0, bar.m_nCaptionHeight);
    EXPECT_FALSE(bar.IsAutoHideMode());
    EXPECT_TRUE(bar.IsNotSlidingOut());
    EXPECT_TRUE(bar.CanBeAttached());
    EXPECT_TRUE(bar.IsSingleBar());
    EXPECT_TRUE(bar.IsTabLocationBottom());
    EXPECT_EQ(nullptr, bar.GetAutoHideButton());
    EXPECT_EQ(nullptr, bar.GetAutoHideToolBar());
    EXPECT_EQ(2, CKtvPDockingControlBar::m_nCaptionBorder);
    EXPECT_EQ(2, CKtvPDockingControlBar::m_nCaptionButtonsMargin);
    EXPECT_EQ(700, CKtvPDockingControlBar::m_nAutoHideConditionDelay);
    EXPECT_EQ(1, CKtvPDockingControlBar::m_nSlideDelay);
    EXPECT_EQ(12, CKtvPDockingControlBar::m_nSlideSteps);
    EXPECT_TRUE(CKtvPDockingControlBar::m_bHideDisabledButtons);
    EXPECT_FALSE(CKtvPDockingControlBar::m_bHideInAutoHideMode);
}

TEST(CaptionButton, StartsShownEnabledAndInTheLooksColour)
{
    CKtvPCaptionButton unnamed;
    EXPECT_EQ((UINT)-1, unnamed.GetHit());
    CKtvPCaptionButton close(KTVP_HTCLOSE_BAR);
    EXPECT_EQ(19u, close.GetHit());
    EXPECT_FALSE(close.m_bPushed);
    EXPECT_FALSE(close.m_bFocused);
    EXPECT_FALSE(close.m_bHidden);
    EXPECT_TRUE(close.m_bEnabled);
    EXPECT_FALSE(close.m_bLeftAlign);
    EXPECT_EQ((COLORREF)-1, close.m_clrForeground);
    EXPECT_EQ(CPoint(0, 0), close.m_ptOrigin);
    EXPECT_EQ(2, CKtvPCaptionButton::m_nButtonBorder);

    CKtvPCaptionMenuButton menu(KTVP_HTMENU);
    EXPECT_EQ(25u, menu.GetHit());
    EXPECT_EQ(0, menu.m_nMenuResult);
    EXPECT_TRUE(menu.m_bOSMenu);
    EXPECT_FALSE(menu.m_bMenuIsActive);
}

// The caption buttons' ids share one value space with the non-client hit codes.
TEST(CaptionButton, HitIdsNeverMeetTheHitCodesTheFramesReturn)
{
    for (int hit : {KTVP_HTAUTOHIDE_SECOND, KTVP_HTPIN, KTVP_HTCLOSE_BAR, KTVP_HTCLOSE_FRAME, KTVP_HTBACK,
                    KTVP_HTFORWARD, KTVP_HTMENU}) {
        SCOPED_TRACE(hit);
        for (int code : {HTCLIENT, HTCAPTION, HTLEFT, HTRIGHT, HTTOP, HTTOPLEFT, HTTOPRIGHT, HTBOTTOM, HTBOTTOMLEFT,
                         HTBOTTOMRIGHT, HTNOWHERE})
            EXPECT_NE(code, hit);
    }
}

TEST(MiniFrame, StartsWithTheSmallCaptionAndItsMinimumTrackSize)
{
    MiniFrameProbe frame;
    EXPECT_EQ(GetSystemMetrics(SM_CYSMCAPTION), frame.m_nCaptionHeight);
    EXPECT_EQ(frame.m_nCaptionHeight, frame.GetCaptionHeight());
    EXPECT_EQ(CSize(frame.m_nCaptionHeight + 15, frame.m_nCaptionHeight + 15), frame.m_sizeMinSize);
    EXPECT_EQ(CRect(0, 0, 100, 100), frame.m_rectRecentFloat);
    EXPECT_EQ(0u, frame.GetCaptionButtons());
    EXPECT_FALSE(frame.IsRolledUp());
    EXPECT_FALSE(frame.IsPinned());
    EXPECT_EQ(0, frame.GetDockStatus());
    EXPECT_EQ(nullptr, frame.GetParentFrameHwnd());
    EXPECT_EQ(250u, CKtvPMiniFrameWnd::m_nRollTimeOut);
    EXPECT_TRUE(CKtvPMiniFrameWnd::m_bUseSaveBits);
}

TEST(TabbedBars, StartDockableEverywhereAndTakeTheirCaptionFromTheTab)
{
    CKtvPTabbedControlBar tabbed;
    EXPECT_EQ((DWORD)CBRS_ALIGN_ANY, tabbed.GetEnabledAlignment());
    EXPECT_FALSE(tabbed.IsAutoDestroy());
    EXPECT_TRUE(tabbed.IsCaptionFromTab());
    EXPECT_EQ(nullptr, tabbed.GetUnderlinedWindow());
    EXPECT_TRUE(tabbed.IsSingleBar());
    EXPECT_EQ(0, CKtvPTabbedControlBar::m_nTabWndStyle);
    EXPECT_FALSE(CKtvPTabbedControlBar::m_bTabAutoColor);
    EXPECT_EQ(0, CKtvPTabbedControlBar::m_arTabAutoColors.GetSize());

    CKtvPTabbedControlBar made(TRUE);
    EXPECT_TRUE(made.IsAutoDestroy());

    CKtvPOutlookBar outlook;
    EXPECT_FALSE(outlook.IsAutoDestroy());
    EXPECT_FALSE(outlook.AllowsInsertBefore());
    EXPECT_FALSE(outlook.IsSingleBar());
    EXPECT_FALSE(outlook.IsNavigationPaneMode());
    EXPECT_EQ(nullptr, outlook.GetButtonsFont());
    EXPECT_STREQ("KtvPOutlookCustomPages", CKtvPOutlookBar::m_szCustomPagesValue);
}

TEST(DockingWrapper, StartsWithItsInitialRectangleAndEverySide)
{
    CKtvPDockingCBWrapper wrapper;
    EXPECT_EQ(CRect(30, 30, 180, 180), wrapper.m_rectInitial);
    EXPECT_EQ((DWORD)CBRS_ALIGN_ANY, wrapper.m_dwDefaultAlignment);
    EXPECT_EQ(nullptr, wrapper.GetWrappedWnd());
}

TEST(SplitLayout, NewSlidersAndNodesStartUnboundAtHalfShare)
{
    CKtvPSlider inner;
    EXPECT_FALSE(inner.IsDefault());
    EXPECT_EQ(-1, inner.GetSliderID());
    EXPECT_EQ(nullptr, inner.GetContainerManager());
    CKtvPSlider outer(TRUE);
    EXPECT_TRUE(outer.IsDefault());
    EXPECT_EQ(4, CKtvPSlider::m_nDefaultWidth);

    CKtvPBarContainer node;
    EXPECT_EQ(50, node.m_nSavedPercent);
    EXPECT_EQ(0, node.m_dwRefCount);
    EXPECT_EQ(-1, node.m_nSavedLeftBarID);
    EXPECT_EQ(-1, node.m_nSavedRightBarID);
    EXPECT_EQ(-1, node.m_nSavedSliderID);
    EXPECT_EQ(nullptr, node.m_pParentContainer);

    CKtvPBarContainerManager manager;
    EXPECT_TRUE(manager.IsEmpty());
    EXPECT_EQ(nullptr, manager.GetRootContainer());
    EXPECT_EQ(nullptr, manager.GetDockSite());
}

TEST(AutoHide, AButtonStartsHiddenAndShowsWhenTold)
{
    CKtvPAutoHideButton button;
    EXPECT_FALSE(button.IsVisible());
    EXPECT_TRUE(button.GetRect().IsRectEmpty());
    EXPECT_EQ(0u, button.GetAlignment());
    button.ShowButton(TRUE);
    EXPECT_TRUE(button.IsVisible());
    EXPECT_EQ(1, CKtvPAutoHideButton::m_nBorder);
    EXPECT_EQ(2, CKtvPAutoHideButton::m_nMargin);
    EXPECT_EQ(10, CKtvPAutoHideButton::m_nIconTextGap);
    EXPECT_EQ(20, CKtvPAutoHideButton::m_nNoIconGap);
    EXPECT_TRUE(CKtvPAutoHideButton::m_bTextForActiveOnly);
    EXPECT_EQ(400, CKtvPAutoHideToolBar::m_nHoverDelay);
}

// A row lies at its offset from the dock bar's edge, as thick as asked, along the dock bar's side.
TEST(DockBarRow, StartsVisibleAtItsOffsetAlongItsDockBar)
{
    CKtvPDockBar dockBar;
    dockBar.SetBarAlignment(CBRS_ALIGN_TOP);
    EXPECT_FALSE(dockBar.IsResizable());
    EXPECT_FALSE(dockBar.AllowsInsertBefore());
    CKtvPDockBarRow row(&dockBar, 24, 30);
    EXPECT_EQ(24, row.GetRowOffset());
    EXPECT_EQ(30, row.GetRowHeight());
    EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, row.GetRowAlignment());
    EXPECT_EQ(&dockBar, row.GetDockBar());
    EXPECT_TRUE(row.IsVisible());
    EXPECT_TRUE(row.IsEmpty());
    EXPECT_TRUE(row.IsAnyBarTakingSpace());
    EXPECT_FALSE(row.OnReservedRowQuery());
}

TEST(PreviewTabBar, IsOneDockingBarForTheWholeProcess)
{
    CKtvPPreviewTabBar& bar = KtvGetPreviewTabBar();
    EXPECT_EQ(&bar, &KtvGetPreviewTabBar());
    EXPECT_TRUE(bar.IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)));
    EXPECT_EQ(nullptr, bar.GetSafeHwnd());
}

TEST(GlobalUtils, StartsWithoutADialogParent)
{
    EXPECT_FALSE(globalUtils.m_bDialogParent);
    EXPECT_FALSE(globalUtils.m_bUseCursorMonitor);
}

// A bar object without a window is in none of the lists a change of look repaints.
TEST(BaseControlBar, OnlyBarsWithAWindowJoinTheListOfLiveBars)
{
    CKtvPDockingControlBar bar;
    CKtvPSlider slider;
    EXPECT_TRUE(CKtvPBaseControlBar::GetAllControlBars().IsEmpty());
    EXPECT_EQ(0, CKtvPMiniFrameWnd::GetAllMiniFrames().GetCount());
}

}  // namespace
