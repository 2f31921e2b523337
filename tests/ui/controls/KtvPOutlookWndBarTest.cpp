// The outlook window inside a live outlook bar: list-box pages added as the
// Snippets pane adds them, and the navigation-pane layout with its caption,
// splitter, bottom toolbar of page icons and the splitter dragged by the mouse.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/CListBox.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/support/ScopedAppNames.h"
#include "tests/support/ui/KtvStoredValue.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/controls/KtvPOutlookBarPane.h"
#include "ui/docking/KtvPMultiMiniFrameWnd.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvRegPath.h"
#include "tests/support/ui/KtvTestDockFrame.h"
#include "tests/ui/controls/KtvPOutlookBarFixture.h"
#include "ui/controls/KtvPOutlookBarDockingPane.h"
#include "ui/controls/KtvPOutlookWnd.h"
#include "ui/docking/KtvPOutlookBar.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

class OutlookBarWindowTest : public tw::test::KtvOutlookBarFixture<CKtvPOutlookBar> {
protected:

    CKtvPOutlookWnd* MakeBar(int nPages, BOOL bNavigationPane = FALSE, DWORD dwControlBarStyle = 0)
    {
        bar = std::make_unique<CKtvPOutlookBar>();
        bar->SetNavigationPaneMode(bNavigationPane);
        EXPECT_TRUE(bar->Create("Snippets", frame, CRect(0, 0, 180, 300), 40267,
                                WS_CHILD | WS_VISIBLE | CBRS_LEFT, dwControlBarStyle));
        wnd = dynamic_cast<CKtvPOutlookWnd*>(bar->GetUnderlinedWindow());
        for (int i = 0; i < nPages; i++)
            AddList("Group " + std::to_string(i));
        Pump();
        return wnd;
    }
    CListBox* AddList(const std::string& label)
    {
        auto list = std::make_unique<CListBox>();
        list->Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 10, 10), wnd, 500 + (UINT)lists.size());
        list->AddString(label.c_str());
        wnd->AddControl(list.get(), label.c_str(), -1, TRUE);
        lists.push_back(std::move(list));
        return lists.back().get();
    }
    CRect TabRect(int i)
    {
        CRect rect;
        wnd->GetTabRect(i, rect);
        return rect;
    }
    // Sizes the outlook window so that exactly nButtons page buttons fit in the navigation-pane layout.
    void FitButtons(int nButtons)
    {
        const int h = wnd->GetTabsHeight();
        const int T = 16 + 12;
        wnd->SetWindowPos(nullptr, 0, 0, 180, 2 + h + T + 2 * h * nButtons + h, SWP_NOZORDER | SWP_NOMOVE);
    }
};

TEST_F(OutlookBarWindowTest, ListBoxPagesAreWrappedDetachablePanes)
{
    MakeBar(3);
    ASSERT_NE(nullptr, wnd);
    ASSERT_EQ(3, wnd->GetTabsNum());
    wnd->SetActiveTab(1);
    for (int i = 0; i < 3; i++) {
        auto* pPane = dynamic_cast<CKtvPOutlookBarDockingPane*>(wnd->GetTabWnd(i));
        ASSERT_NE(nullptr, pPane) << "page " << i;
        EXPECT_EQ(lists[i].get(), pPane->GetWrappedWnd());
        EXPECT_TRUE(wnd->IsTabDetachable(i));
        EXPECT_NE(0u, pPane->GetBarStyle() & 0x40);
    }
    CRect rectPane;
    wnd->GetTabWnd(1)->GetWindowRect(rectPane);
    wnd->ScreenToClient(rectPane);
    EXPECT_EQ(wnd->GetPageArea(), rectPane);
    EXPECT_TRUE(wnd->GetTabWnd(1)->IsWindowVisible());
    EXPECT_FALSE(wnd->GetTabWnd(0)->IsWindowVisible());

    // Reloading the snippets starts from an empty bar.
    wnd->RemoveAllTabs();
    EXPECT_EQ(0, wnd->GetTabsNum());
}

TEST_F(OutlookBarWindowTest, TheNavigationPaneShowsTheButtonsThatFitAndTheRestAsIcons)
{
    MakeBar(8, TRUE);
    ASSERT_TRUE(wnd->IsNavigationPaneMode());
    FitButtons(3);
    wnd->SetVisiblePageButtons(5);
    wnd->RecalcLayout();
    const int h = wnd->GetTabsHeight();
    EXPECT_EQ(3, wnd->GetMaxPageButtons());
    EXPECT_FALSE(wnd->GetCaptionRect().IsRectEmpty());
    EXPECT_EQ(8, wnd->GetSplitterRect().Height());
    EXPECT_EQ(wnd->GetCaptionRect().bottom, wnd->GetPageArea().top);
    EXPECT_EQ(wnd->GetSplitterRect().top, wnd->GetPageArea().bottom);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(i < 3, !TabRect(i).IsRectEmpty()) << "page " << i;
    EXPECT_EQ(wnd->GetSplitterRect().bottom + h, TabRect(1).top);

    // The other five pages are icons of the bottom toolbar, then the chevron.
    CKtvPOutlookWndToolBar& toolbar = wnd->GetToolBar();
    EXPECT_TRUE(toolbar.IsWindowVisible());
    ASSERT_EQ(6, toolbar.GetCount());
    for (int k = 0; k < 5; k++) {
        CKtvPToolbarButton* pButton = toolbar.GetButton(k);
        EXPECT_EQ(UINT(CKtvPOutlookWnd::idToolbarCommandsFirst + k), pButton->m_nID);
        CString strTip;
        EXPECT_TRUE(toolbar.OnUserToolTip(pButton, strTip));
        EXPECT_EQ(CString(("Group " + std::to_string(k + 3)).c_str()), strTip);
    }
    auto* pChevron = dynamic_cast<COutlookCustomizeButton*>(toolbar.GetButton(5));
    ASSERT_NE(nullptr, pChevron);
    // Its menu ends with the page-button commands.
    std::unique_ptr<CKtvPPopupMenu> menu(pChevron->CreatePopupMenu());
    const int nItems = menu->GetMenuItemCount();
    ASSERT_GE(nItems, 3);
    const UINT ids[] = {CKtvPOutlookWnd::idShowMoreButtons, CKtvPOutlookWnd::idShowFewerButtons,
                        CKtvPOutlookWnd::idNavigationPaneOptions};
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(ids[i], menu->GetMenuItem(nItems - 3 + i)->m_nID);

    // Clicking an icon activates its page and checks it.
    EXPECT_TRUE(toolbar.OnSendCommand(toolbar.GetButton(2)));
    EXPECT_EQ(5, wnd->GetActiveTab());
    toolbar.OnUpdateCmdUI(nullptr, FALSE);
    EXPECT_NE(0u, toolbar.GetButton(2)->m_nStyle & TBBS_CHECKED);
    EXPECT_EQ(0u, toolbar.GetButton(1)->m_nStyle & TBBS_CHECKED);
}

TEST_F(OutlookBarWindowTest, DraggingTheSplitterShowsWholeButtonsWithinTheCount)
{
    MakeBar(4, TRUE);
    FitButtons(4);
    wnd->SetVisiblePageButtons(1);
    wnd->RecalcLayout();
    const int h = wnd->GetTabsHeight();
    auto drag = [&](int dy) {
        // Far from the last press, so that this one is no double-click.
        tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
        const CRect rect = wnd->GetSplitterRect();
        const POINT from = ScreenPointOf(wnd->GetSafeHwnd(), 40, rect.top + 2);
        input.ButtonDown(tw::display::MouseButton::Left, from.x, from.y);
        Pump();
        input.MouseMove(from.x, from.y + dy);
        Pump();
        input.ButtonUp(tw::display::MouseButton::Left, from.x, from.y + dy);
        Pump();
    };
    struct Case {
        int dy;
        int nExpected;
    } cases[] = {
        {-(5 * h) / 2, 3},  // up by two and a half buttons: two more
        {h / 2, 3},          // less than a button: no change
        {4 * h, 0},          // down past the last button: stops at none
        {-6 * h, 4},         // up past the page count: stops there
    };
    for (const Case& c : cases) {
        drag(c.dy);
        EXPECT_EQ(c.nExpected, wnd->GetVisiblePageButtons()) << "drag by " << c.dy;
    }
    EXPECT_FALSE(wnd->CanShowMoreButtons());
    wnd->ShowFewerButtons();
    EXPECT_EQ(3, wnd->GetVisiblePageButtons());
    EXPECT_TRUE(wnd->CanShowMoreButtons());
    wnd->ShowMoreButtons();
    EXPECT_EQ(4, wnd->GetVisiblePageButtons());
}

// A list-box page torn off a bar that can float goes into a floating frame of
// its own, and comes back as a page when docked onto the bar.
TEST_F(OutlookBarWindowTest, ATornOffPageFloatsInItsOwnFrame)
{
    MakeBar(3, FALSE, KTVP_CBRS_FLOAT | KTVP_CBRS_RESIZE);
    wnd->SetActiveTab(1);
    auto* pPane = dynamic_cast<CKtvPOutlookBarDockingPane*>(wnd->GetTabWnd(2));
    ASSERT_NE(nullptr, pPane);
    ASSERT_TRUE(wnd->DetachTab(KTVP_DM_DBL_CLICK, 2));
    Pump();
    EXPECT_EQ(2, wnd->GetTabsNum());
    CKtvPMiniFrameWnd* pFrame = pPane->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(pFrame->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd)));
    EXPECT_EQ(lists[2].get(), pPane->GetWrappedWnd());
    EXPECT_TRUE(lists[2]->IsWindowVisible());

    // Docked onto the bar it is a page again.
    pPane->AttachToTabbedBar(bar.get(), KTVP_DM_MOUSE, TRUE);
    Pump();
    ASSERT_EQ(3, wnd->GetTabsNum());
    EXPECT_EQ(pPane, wnd->GetTabWnd(2));
    EXPECT_EQ(2, wnd->GetActiveTab());
    CRect rectPane;
    pPane->GetWindowRect(rectPane);
    wnd->ScreenToClient(rectPane);
    EXPECT_EQ(wnd->GetPageArea(), rectPane);
}

// Custom pages come back from the bar's stream as outlook panes, in order,
// with the visible page-button count, and the count is saved with them.
TEST_F(OutlookBarWindowTest, CustomPagesAndTheButtonCountAreSavedAndLoaded)
{
    tw::test::ScopedAppNames names("Tarnwick", "TarnwickOutlookWindowTest");
    MakeBar(0);
    const std::string key = std::string((LPCTSTR)KtvGetRegPath(CKtvPOutlookBar::m_szSection, nullptr)) +
                            "KtvPOutlookBar-40267";
    const std::string stream =
        "02 00 00 00 00 f0 00 00 04 4d 61 69 6c 01 f0 00 00 05 54 61 73 6b 73 04 00 00 00";
    ktvtest::StoreHex(key.c_str(), "KtvPOutlookCustomPages", stream);

    ASSERT_TRUE(bar->LoadState(nullptr, -1, (UINT)-1));
    ASSERT_EQ(2, wnd->GetTabsNum());
    const char* labels[] = {"Mail", "Tasks"};
    for (int i = 0; i < 2; i++) {
        CString strLabel;
        wnd->GetTabLabel(i, strLabel);
        EXPECT_EQ(CString(labels[i]), strLabel);
        // A pane is not a docking bar: it comes wrapped so that it can be torn off.
        CWnd* pPage = wnd->GetTabContentWnd(i);
        ASSERT_NE(nullptr, dynamic_cast<CKtvPOutlookBarPane*>(pPage)) << labels[i];
        EXPECT_EQ(61440 + i, pPage->GetDlgCtrlID());
    }
    EXPECT_EQ(4, wnd->GetVisiblePageButtons());

    // The count goes back with the pages.
    wnd->SetVisiblePageButtons(1);
    EXPECT_TRUE(bar->SaveState(nullptr, -1, (UINT)-1));
    const auto saved = ktvtest::StoredHex(key.c_str(), "KtvPOutlookCustomPages");
    ASSERT_TRUE(saved.has_value());
    // Same pages, same names, in the same order; only the count changed.
    EXPECT_EQ(stream.substr(0, stream.size() - 11) + "01 00 00 00", *saved);
}

}  // namespace
