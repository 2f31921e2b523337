// The tab window driven as its owners drive it: tabs added, removed, hidden,
// reordered, renamed and stored; the keys and clicks of a user; the five
// styles' layouts, scroll buttons and shared scroll bar.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/CListCtrl.h"
#include "platform/mfc/CMemFile.h"
#include "platform/mfc/CStatic.h"
#include "platform/win32/menu/winmenu.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using tw::test::KtvControlTest;

// The tab window with the members the tests read.
class TabWnd : public CKtvPTabWnd {
public:
    using CKtvPTabWnd::m_btnClose;
    using CKtvPTabWnd::m_btnScrollLeft;
    using CKtvPTabWnd::m_btnScrollRight;
    using CKtvPTabWnd::m_lstRestoredTabInfo;
    using CKtvPTabWnd::m_nRestoredActiveTab;
    using CKtvPTabWnd::m_nRestoredLocation;
    using CKtvPTabWnd::m_pInPlaceEdit;
};

class TabWndTest : public KtvControlTest {
protected:
    void TearDown() override
    {
        pages.clear();
        KtvControlTest::TearDown();
    }

    TabWnd* MakeTabs(int style, int nTabs, CRect rect = CRect(10, 10, 410, 210), int location = 0,
                     BOOL bClose = FALSE)
    {
        tabs = std::make_unique<TabWnd>();
        EXPECT_TRUE(tabs->Create(style, rect, &host, 100, location, bClose));
        for (int i = 0; i < nTabs; i++)
            AddPage("Tab " + std::to_string(i));
        return tabs.get();
    }
    CWnd* AddPage(const std::string& label, DWORD dwExtraStyle = 0)
    {
        auto page = std::make_unique<CStatic>();
        const UINT id = 200 + (UINT)pages.size();
        page->Create(label.c_str(), WS_CHILD | WS_VISIBLE | dwExtraStyle, CRect(0, 0, 10, 10), tabs.get(), id);
        tabs->AddTab(page.get(), label.c_str(), (UINT)-1, FALSE);
        pages.push_back(std::move(page));
        return pages.back().get();
    }
    std::vector<int> ChangeNotifications()
    {
        std::vector<int> indices;
        for (const auto& m : Received(KTVM_ONCHANGE_ACTIVE_TAB))
            indices.push_back((int)m.wParam);
        return indices;
    }
    CPoint CentreOf(int iTab)
    {
        CRect rect;
        tabs->GetTabRect(iTab, rect);
        return rect.CenterPoint();
    }

    std::unique_ptr<TabWnd> tabs;
    std::vector<std::unique_ptr<CWnd>> pages;
};

// --- removing and hiding -----------------------------------------------------------------------------

struct RemoveCase {
    const char* name;
    int active;              // before
    bool hide;               // hide instead of remove
    int tab;                 // the tab removed or hidden
    bool recalc;
    bool lastVisibleOnRemoval;
    int expectedActive;      // after
    std::vector<int> notes;  // KTVM_ONCHANGE_ACTIVE_TAB indices
};

class TabRemoval : public TabWndTest, public ::testing::WithParamInterface<RemoveCase> {};

TEST_P(TabRemoval, ChoosesTheNextActiveTabAndNotifies)
{
    const RemoveCase& c = GetParam();
    MakeTabs(CKtvPTabWnd::TABSTYLE_FLAT, 5);
    tabs->m_bActivateLastVisibleTab = c.lastVisibleOnRemoval;
    ASSERT_TRUE(tabs->SetActiveTab(c.active));
    ClearReceived();
    CWnd* pExpectedWnd = c.expectedActive >= 0
                             ? tabs->GetTabWnd(c.hide || c.expectedActive < c.tab ? c.expectedActive
                                                                                  : c.expectedActive + 1)
                             : nullptr;
    if (c.hide)
        ASSERT_TRUE(tabs->ShowTab(c.tab, FALSE));
    else
        ASSERT_TRUE(tabs->RemoveTab(c.tab, c.recalc));
    EXPECT_EQ(c.expectedActive, tabs->GetActiveTab());
    EXPECT_EQ(pExpectedWnd, tabs->GetActiveWnd());
    if (pExpectedWnd != nullptr)
        EXPECT_TRUE(pExpectedWnd->IsWindowVisible());
    EXPECT_EQ(c.notes, ChangeNotifications());
}

INSTANTIATE_TEST_SUITE_P(
    FiveTabs, TabRemoval,
    ::testing::Values(
        RemoveCase{"ActiveMiddleGivesWayToTheNext", 2, false, 2, true, false, 2, {2, 2}},
        RemoveCase{"ActiveLastGivesWayToTheNewLast", 4, false, 4, true, false, 3, {3, 3}},
        RemoveCase{"AfterTheActiveKeepsItAndNotifiesOnce", 1, false, 3, true, false, 1, {1}},
        RemoveCase{"BeforeTheActiveKeepsItAndNotifiesOnce", 3, false, 0, true, false, 2, {2}},
        RemoveCase{"WithoutLayoutLeavesNoActiveTab", 2, false, 2, false, false, -1, {}},
        RemoveCase{"LastVisibleOnRemoval", 1, false, 1, true, true, 3, {3, 3}},
        RemoveCase{"HidingTheActiveShowsTheNext", 2, true, 2, true, false, 3, {3, 3}},
        RemoveCase{"HidingAnInactiveChangesNothing", 2, true, 4, true, false, 2, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TabWndTest, HidingTheOnlyVisibleTabLeavesNoneAndShowingOneActivatesIt)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_3D, 2);
    tabs->ShowTab(1, FALSE);
    tabs->ShowTab(0, FALSE);
    EXPECT_EQ(-1, tabs->GetActiveTab());
    EXPECT_TRUE(tabs->ShowTab(1, TRUE, TRUE, FALSE));
    EXPECT_EQ(1, tabs->GetActiveTab());
    EXPECT_TRUE(tabs->GetTabWnd(1)->IsWindowVisible());
}

TEST_F(TabWndTest, InsertingBeforeTheActiveTabMovesTheIndexWithItsTab)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_FLAT, 3);
    tabs->SetActiveTab(1);
    CWnd* pActive = tabs->GetActiveWnd();
    auto extra = std::make_unique<CStatic>();
    extra->Create("x", WS_CHILD, CRect(0, 0, 5, 5), tabs.get(), 300);
    tabs->InsertTab(extra.get(), "New", 0);
    EXPECT_EQ(2, tabs->GetActiveTab());
    EXPECT_EQ(pActive, tabs->GetActiveWnd());
    EXPECT_FALSE(extra->IsWindowVisible());
    pages.push_back(std::move(extra));
}

TEST_F(TabWndTest, FindTabByCtrlIdAnswersMinusOneWhenNoneMatches)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_FLAT, 2);
    CKtvPTabInfo* pTab = reinterpret_cast<CKtvPTabInfo*>(1);
    EXPECT_EQ(-1, tabs->FindTabByCtrlID(999, &pTab));
    EXPECT_EQ(nullptr, pTab);
    EXPECT_EQ(1, tabs->FindTabByCtrlID(201, &pTab));
    EXPECT_EQ(tabs->GetTabWnd(1), pTab->m_pWnd);
}

// --- order, colours and the archive ------------------------------------------------------------------

TEST_F(TabWndTest, SetTabsOrderMovesTheActiveIndexWithItsTab)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_3D, 3);
    tabs->SetActiveTab(0);
    CArray<int, int> wrong;
    wrong.Add(0);
    wrong.Add(1);
    EXPECT_FALSE(tabs->SetTabsOrder(wrong));
    CString label;
    tabs->GetTabLabel(0, label);
    EXPECT_STREQ("Tab 0", label);

    CArray<int, int> order;
    for (int i : {2, 0, 1})
        order.Add(i);
    ASSERT_TRUE(tabs->SetTabsOrder(order));
    for (int j = 0; j < 3; j++) {
        tabs->GetTabLabel(j, label);
        EXPECT_EQ("Tab " + std::to_string(order[j]), std::string(label));
    }
    EXPECT_EQ(1, tabs->GetActiveTab());
}

TEST_F(TabWndTest, AutomaticColoursStickToTheirTabsAndGoWhenSwitchedOff)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_SLANTED, 6);
    CArray<COLORREF, COLORREF> five;
    for (COLORREF clr : {RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0), RGB(4, 0, 0), RGB(5, 0, 0)})
        five.Add(clr);
    tabs->SetAutoColors(five);
    tabs->EnableAutoColor(TRUE);
    EXPECT_EQ(RGB(1, 0, 0), tabs->GetTabBkColor(5)) << "the sixth tab of five colours takes the first";
    EXPECT_EQ(RGB(2, 0, 0), tabs->GetTabBkColor(1));

    tabs->SwapTabs(5, 1);
    EXPECT_EQ(RGB(1, 0, 0), tabs->GetTabBkColor(1)) << "the colour stays with its tab";
    EXPECT_EQ(RGB(2, 0, 0), tabs->GetTabBkColor(5));

    tabs->SetTabBkColor(0, RGB(9, 9, 9));
    EXPECT_TRUE(tabs->HasColoredTabs());
    tabs->EnableAutoColor(FALSE);
    EXPECT_EQ((COLORREF)-1, tabs->GetTabBkColor(0)) << "switching off clears set colours too";
    EXPECT_FALSE(tabs->HasColoredTabs());

    // Back to the default table: eight colours on a 32-bit screen.
    tabs->SetAutoColors(CArray<COLORREF, COLORREF>());
    tabs->EnableAutoColor(TRUE);
    EXPECT_EQ(RGB(148, 175, 230), tabs->GetTabBkColor(0));
    EXPECT_EQ(RGB(154, 191, 180), tabs->GetTabBkColor(5));
}

std::vector<BYTE> Bytes(CMemFile& file)
{
    const ULONGLONG n = file.GetLength();
    std::vector<BYTE> bytes((size_t)n);
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)n);
    return bytes;
}

void PutInt(std::vector<BYTE>& bytes, int value)
{
    for (int i = 0; i < 4; i++)
        bytes.push_back((BYTE)((unsigned)value >> (8 * i)));
}

void PutString(std::vector<BYTE>& bytes, const std::string& text)
{
    bytes.push_back((BYTE)text.size());
    bytes.insert(bytes.end(), text.begin(), text.end());
}

TEST_F(TabWndTest, StoresTheLayoutByteForByte)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_FLAT, 2, CRect(10, 10, 410, 210), CKtvPBaseTabWnd::LOCATION_TOP);
    tabs->SetTabLabel(1, "Résumé");
    tabs->ShowTab(0, FALSE);
    tabs->SetTabTextColor(1, RGB(1, 2, 3));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        tabs->Serialize(ar);
    }
    std::vector<BYTE> expected;
    PutInt(expected, 2);
    PutString(expected, "Tab 0");
    PutInt(expected, 0);
    PutInt(expected, 200);
    PutInt(expected, 0);
    PutInt(expected, -1);
    PutInt(expected, -1);
    PutString(expected, "Résumé");  // UTF-8 bytes, length-prefixed
    PutInt(expected, 1);
    PutInt(expected, 201);
    PutInt(expected, 0);
    PutInt(expected, (int)RGB(1, 2, 3));
    PutInt(expected, -1);
    PutInt(expected, 1);  // active
    PutInt(expected, 1);  // top
    EXPECT_EQ(expected, Bytes(file));

    // Loading reads the records back and changes no tab.
    auto other = std::make_unique<TabWnd>();
    ASSERT_TRUE(other->Create(1, CRect(0, 0, 300, 100), &host, 101));
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        other->Serialize(ar);
    }
    ASSERT_EQ(2, other->m_lstRestoredTabInfo.GetCount());
    const CKtvPTabState& second = other->m_lstRestoredTabInfo.GetTail();
    EXPECT_STREQ("Résumé", second.m_strLabel);
    EXPECT_EQ(201, second.m_nControlID);
    EXPECT_EQ((int)RGB(1, 2, 3), second.m_clrText);
    EXPECT_EQ(1, other->m_nRestoredActiveTab);
    EXPECT_EQ(1, other->m_nRestoredLocation);
    EXPECT_EQ(0, other->GetTabsNum());
}

TEST_F(TabWndTest, SavedStateAppliesToTabsMatchedByControlId)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_3D, 3);
    tabs->SetTabLabel(0, "First");
    tabs->SetTabBkColor(2, RGB(7, 8, 9));
    tabs->ShowTab(1, FALSE);
    tabs->SetActiveTab(2);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        tabs->Serialize(ar);
    }
    // The same windows in another order, as a new session makes them.
    tabs->SetTabLabel(0, "Changed");
    tabs->SetTabBkColor(2, (COLORREF)-1);
    tabs->ShowTab(1, TRUE);
    tabs->SwapTabs(0, 2);
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        tabs->Serialize(ar);
    }
    tabs->ApplySavedTabState(TRUE);
    CString label;
    tabs->GetTabLabel(0, label);
    EXPECT_STREQ("First", label);
    EXPECT_EQ(200, tabs->GetTabWnd(0)->GetDlgCtrlID());
    EXPECT_EQ(202, tabs->GetTabWnd(2)->GetDlgCtrlID());
    EXPECT_EQ(RGB(7, 8, 9), tabs->GetTabBkColor(2));
    EXPECT_FALSE(tabs->IsTabVisible(1));
    EXPECT_EQ(2, tabs->GetActiveTab());
}

// --- rename ------------------------------------------------------------------------------------------

TEST_F(TabWndTest, RenameCommitsOnEnterAndNotOnEmptyTextEscapeOrVeto)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_FLAT, 2);
    tabs->EnableInPlaceEdit(TRUE);
    tabs->SetActiveTab(1);
    PumpFiltered();
    auto rename = [&](const char* typed, UINT key) {
        const CPoint pt = CentreOf(1);
        DoubleClick(tabs->GetSafeHwnd(), pt.x, pt.y);
        PumpFiltered();
        if (tabs->m_pInPlaceEdit == nullptr)
            return false;
        tabs->m_pInPlaceEdit->SetWindowText(typed);
        KeyFiltered(key);
        return true;
    };
    CString label;

    ASSERT_TRUE(rename("", VK_RETURN));
    EXPECT_NE(nullptr, tabs->m_pInPlaceEdit) << "an empty name keeps the editor open";
    KeyFiltered(VK_ESCAPE);
    EXPECT_EQ(nullptr, tabs->m_pInPlaceEdit);

    ASSERT_TRUE(rename("Discarded", VK_ESCAPE));
    tabs->GetTabLabel(1, label);
    EXPECT_STREQ("Tab 1", label);

    answer = [](UINT message, WPARAM, LPARAM, LRESULT& reply) {
        reply = 1;
        return message == KTVM_ON_RENAME_TAB;
    };
    ASSERT_TRUE(rename("Vetoed", VK_RETURN));
    tabs->GetTabLabel(1, label);
    EXPECT_STREQ("Tab 1", label);
    KeyFiltered(VK_ESCAPE);

    answer = nullptr;
    ClearReceived();
    ASSERT_TRUE(rename("Renamed", VK_RETURN));
    tabs->GetTabLabel(1, label);
    EXPECT_STREQ("Renamed", label);
    EXPECT_EQ(nullptr, tabs->m_pInPlaceEdit);
    const auto notes = Received(KTVM_ON_RENAME_TAB);
    ASSERT_EQ(1u, notes.size());
    EXPECT_EQ(1u, notes[0].wParam);
    CString text;
    tabs->GetTabWnd(1)->GetWindowText(text);
    EXPECT_STREQ("Renamed", text) << "the tab's window takes the name";
}

// --- keys and clicks ---------------------------------------------------------------------------------

TEST_F(TabWndTest, CtrlPageKeysWrapAndMoveTheFocus)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_FLAT, 3);
    tabs->ShowTab(1, FALSE);
    tabs->SetActiveTab(2);
    tabs->GetActiveWnd()->SetFocus();
    ChordFiltered(VK_CONTROL, VK_NEXT);
    EXPECT_EQ(0, tabs->GetActiveTab());
    EXPECT_EQ(tabs->GetTabWnd(0)->GetSafeHwnd(), ::GetFocus());
    ChordFiltered(VK_CONTROL, VK_PRIOR);
    EXPECT_EQ(2, tabs->GetActiveTab()) << "back over the hidden tab, round the start";
    EXPECT_EQ(tabs->GetTabWnd(2)->GetSafeHwnd(), ::GetFocus());

    // One visible tab: the key is eaten and nothing changes.
    tabs->ShowTab(0, FALSE);
    ClearReceived();
    ChordFiltered(VK_CONTROL, VK_NEXT);
    EXPECT_EQ(2, tabs->GetActiveTab());
    EXPECT_TRUE(ChangeNotifications().empty());
}

TEST_F(TabWndTest, AClickActivatesAndAVetoKeepsTheShownTab)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_3D, 3);
    ClearReceived();
    CPoint pt = CentreOf(2);
    Click(tabs->GetSafeHwnd(), pt.x, pt.y);
    EXPECT_EQ(2, tabs->GetActiveTab());
    EXPECT_EQ((std::vector<int>{2, 2}), ChangeNotifications());

    answer = [](UINT message, WPARAM, LPARAM, LRESULT& reply) {
        reply = 1;
        return message == KTVM_ON_CHANGING_ACTIVE_TAB;
    };
    ClearReceived();
    EXPECT_FALSE(tabs->SetActiveTab(0));
    pt = CentreOf(1);
    Click(tabs->GetSafeHwnd(), pt.x, pt.y);
    EXPECT_EQ(2, tabs->GetActiveTab());
    EXPECT_TRUE(tabs->GetTabWnd(2)->IsWindowVisible());
    EXPECT_TRUE(ChangeNotifications().empty()) << "no change, no notification";
}

// --- layouts -----------------------------------------------------------------------------------------

TEST_F(TabWndTest, TenThreeDTabsShrinkAndNarrowOnesKeepTheirWidth)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_3D, 0, CRect(0, 0, 300, 100));
    for (int i = 0; i < 10; i++)
        AddPage(i == 3 ? "W" : "A rather long label " + std::to_string(i));
    CRect strip;
    tabs->GetTabsRect(strip);
    const int average = strip.Width() / 10 - 1;
    CRect narrow;
    tabs->GetTabRect(3, narrow);
    EXPECT_LT(narrow.Width(), average);
    int widest = 0;
    for (int i = 0; i < 10; i++) {
        CRect rect;
        tabs->GetTabRect(i, rect);
        if (i != 3) {
            EXPECT_GE(rect.Width(), average) << i << ": the narrow tab's spare goes to the others";
            if (widest != 0)
                EXPECT_EQ(widest, rect.Width()) << i;
            widest = rect.Width();
        }
        EXPECT_LE(rect.right, strip.right + 10) << i;
    }
}

TEST_F(TabWndTest, ScrolledThreeDButtonsStepByTwentyAndDisableAtTheEnds)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_3D_SCROLLED, 8, CRect(0, 0, 200, 100));
    tabs->SetActiveTab(0);
    EXPECT_FALSE(tabs->m_btnScrollLeft.IsWindowEnabled());
    EXPECT_TRUE(tabs->m_btnScrollRight.IsWindowEnabled());
    CRect before;
    tabs->GetTabRect(0, before);
    CRect button;
    tabs->m_btnScrollRight.GetClientRect(button);
    Click(tabs->m_btnScrollRight.GetSafeHwnd(), button.CenterPoint().x, button.CenterPoint().y);
    CRect after;
    tabs->GetTabRect(0, after);
    EXPECT_EQ(before.left - 20, after.left);
    EXPECT_TRUE(tabs->m_btnScrollLeft.IsWindowEnabled());
    for (int i = 0; i < 60 && tabs->m_btnScrollRight.IsWindowEnabled(); i++)
        tabs->SendMessage(WM_COMMAND, 0, (LPARAM)tabs->m_btnScrollRight.GetSafeHwnd());
    EXPECT_FALSE(tabs->m_btnScrollRight.IsWindowEnabled()) << "the right end disables the right button";
    EXPECT_EQ(tabs->m_nTabsHorzOffsetMax, tabs->m_nTabsHorzOffset);
}

TEST_F(TabWndTest, SlantedCornerBelongsToThePreviousTabAndScrollingRoundTrips)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_SLANTED, 6, CRect(0, 0, 250, 100));
    tabs->SetActiveTab(1);
    CRect active;
    tabs->GetTabRect(1, active);
    EXPECT_EQ(0, tabs->GetTabFromPoint(CPoint(active.left + 1, active.top + 1))) << "the sloped corner";
    EXPECT_EQ(1, tabs->GetTabFromPoint(CPoint(active.left + active.Height() + 2, active.bottom - 2)));

    tabs->SetActiveTab(0);
    CRect first;
    tabs->GetTabRect(0, first);
    for (int step = 0; step < 2; step++)
        tabs->SendMessage(WM_COMMAND, 0, (LPARAM)tabs->m_btnScrollRight.GetSafeHwnd());
    EXPECT_EQ(2, tabs->GetFirstScrolledTab());
    CRect third;
    tabs->GetTabRect(2, third);
    EXPECT_EQ(first.left, third.left) << "whole tabs: the first tab shown starts where the strip starts";
    for (int step = 0; step < 2; step++)
        tabs->SendMessage(WM_COMMAND, 0, (LPARAM)tabs->m_btnScrollLeft.GetSafeHwnd());
    CRect back;
    tabs->GetTabRect(0, back);
    EXPECT_EQ(first, back) << "right then left returns to the same pixels";
    EXPECT_EQ(0, tabs->m_nTabsHorzOffset);
}

TEST_F(TabWndTest, HideSingleTabGivesTheContentTheWholeClientArea)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_3D_SCROLLED, 1, CRect(0, 0, 300, 200));
    EXPECT_GT(tabs->GetTabsHeight(), 0);
    tabs->SetHideSingleTab(TRUE);
    EXPECT_EQ(0, tabs->GetTabsHeight());
    CRect rect;
    tabs->m_btnScrollLeft.GetWindowRect(rect);
    EXPECT_TRUE(rect.IsRectEmpty());
    tabs->GetActiveWnd()->GetWindowRect(rect);
    tabs->ScreenToClient(rect);
    EXPECT_EQ(CRect(0, 0, 300, 200), rect) << "no border without a strip";
    AddPage("Second");
    EXPECT_GT(tabs->GetTabsHeight(), 0);
}

TEST_F(TabWndTest, CloseButtonFollowsTheSystemMenuAndClosesTheActiveWindow)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_3D_SCROLLED, 0, CRect(0, 0, 300, 200), 0, TRUE);
    CWnd* pClosable = AddPage("Closable", WS_SYSMENU | WS_CAPTION);
    CWnd* pFixed = AddPage("Fixed", WS_SYSMENU | WS_CAPTION);
    ::EnableMenuItem(::GetSystemMenu(pFixed->GetSafeHwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    tabs->SetActiveTab(1);
    EXPECT_FALSE(tabs->m_btnClose.IsWindowEnabled());
    tabs->SetActiveTab(0);
    EXPECT_TRUE(tabs->m_btnClose.IsWindowEnabled());
    (void)pClosable;
}

TEST_F(TabWndTest, SharedScrollBarFollowsTheListView)
{
    MakeTabs(CKtvPTabWnd::TABSTYLE_FLAT_SHARED_SCROLL, 0, CRect(0, 0, 400, 200));
    auto list = std::make_unique<CListCtrl>();
    ASSERT_TRUE(list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 10, 10), tabs.get(), 210));
    list->InsertColumn(0, "Name", LVCFMT_LEFT, 60);
    list->InsertItem(0, "row");
    tabs->AddTab(list.get(), "Grid", (UINT)-1, FALSE);
    CScrollBar& bar = tabs->m_wndScrollWnd;
    ASSERT_NE(nullptr, bar.GetSafeHwnd());
    // A click on the bar's right arrow scrolls the list only while the bar is enabled.
    auto clickRightArrow = [&] {
        CRect rect;
        bar.GetClientRect(rect);
        Click(bar.GetSafeHwnd(), rect.right - ::GetSystemMetrics(SM_CXHSCROLL) / 2, rect.Height() / 2);
    };
    ClearReceived();
    clickRightArrow();
    EXPECT_TRUE(Received(KTVM_ON_HSCROLL).empty()) << "disabled while the columns fit";

    list->SetColumnWidth(0, 2000);
    NMHDR hdr{list->GetHeaderCtrl()->GetSafeHwnd(), 0, (UINT)HDN_ITEMCHANGED};
    tabs->SendMessage(WM_NOTIFY, 0, (LPARAM)&hdr);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    bar.GetScrollInfo(&si);
    EXPECT_GE(si.nMax, 1999) << "the bar takes the list's range after a column widens";
    EXPECT_FALSE(list->GetStyle() & WS_HSCROLL) << "the list's own bar is hidden";
    clickRightArrow();
    EXPECT_FALSE(Received(KTVM_ON_HSCROLL).empty());
    EXPECT_GT(list->GetScrollPos(SB_HORZ), 0);
    EXPECT_EQ(list->GetScrollPos(SB_HORZ), bar.GetScrollPos());

    // The gripper never squeezes the bar below two arrows.
    CRect gripper = tabs->m_rectTabSplitter;
    ASSERT_FALSE(gripper.IsRectEmpty());
    const CPoint from = gripper.CenterPoint();
    const POINT start = ScreenPointOf(tabs->GetSafeHwnd(), from.x, from.y);
    input.MouseMove(start.x, start.y);
    input.ButtonDown(tw::display::MouseButton::Left, start.x, start.y);
    const POINT end = ScreenPointOf(tabs->GetSafeHwnd(), 390, from.y);
    input.MouseMove(end.x, end.y);
    input.ButtonUp(tw::display::MouseButton::Left, end.x, end.y);
    Pump();
    CRect rectBar;
    bar.GetWindowRect(rectBar);
    EXPECT_EQ(2 * ::GetSystemMetrics(SM_CXHSCROLL), rectBar.Width());
    pages.push_back(std::move(list));
}

}  // namespace
