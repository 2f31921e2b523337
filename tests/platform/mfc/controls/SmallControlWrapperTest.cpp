// The tab, up-down, tooltip and rebar wrappers, and the classes every
// wrapper's Create makes.
#include <functional>

#include "tests/platform/mfc/controls/ControlHost.h"

namespace tw::mfc::test {
namespace {

TEST_F(ControlsTest, EachWrapperCreatesItsControlsClass)
{
    CListCtrl list;
    CTreeCtrl tree;
    CTabCtrl tab;
    CHeaderCtrl header;
    CSpinButtonCtrl spin;
    CRichEditCtrl editor;
    CReBarCtrl rebar;
    CDragListBox dragList;
    CButton button;
    CEdit edit;
    CStatic label;
    CScrollBar bar;
    CComboBox combo;
    const CRect rect(0, 0, 100, 60);
    const struct {
        std::function<BOOL()> create;
        CWnd* wnd;
        const char* className;
    } cases[] = {
        {[&] { return list.Create(WS_CHILD, rect, &host, 1); }, &list, "SysListView32"},
        {[&] { return tree.Create(WS_CHILD, rect, &host, 2); }, &tree, "SysTreeView32"},
        {[&] { return tab.Create(WS_CHILD, rect, &host, 3); }, &tab, "SysTabControl32"},
        {[&] { return header.Create(WS_CHILD, rect, &host, 4); }, &header, "SysHeader32"},
        {[&] { return spin.Create(WS_CHILD, rect, &host, 5); }, &spin, "msctls_updown32"},
        {[&] { return editor.Create(WS_CHILD | ES_MULTILINE, rect, &host, 6); }, &editor, "RichEdit20A"},
        {[&] { return rebar.Create(WS_CHILD, rect, &host, 7); }, &rebar, "ReBarWindow32"},
        {[&] { return dragList.Create(WS_CHILD, rect, &host, 8); }, &dragList, "ListBox"},
        // The standard controls exist without a dialog having made them first.
        {[&] { return button.Create("b", WS_CHILD, rect, &host, 9); }, &button, "Button"},
        {[&] { return edit.Create(WS_CHILD, rect, &host, 10); }, &edit, "Edit"},
        {[&] { return label.Create("s", WS_CHILD, rect, &host, 11); }, &label, "Static"},
        {[&] { return bar.Create(WS_CHILD | SBS_HORZ, rect, &host, 12); }, &bar, "ScrollBar"},
        {[&] { return combo.Create(WS_CHILD | CBS_DROPDOWNLIST, rect, &host, 13); }, &combo, "ComboBox"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.create()) << c.className;
        EXPECT_EQ(ClassOf(*c.wnd), c.className);
        EXPECT_EQ(CWnd::FromHandlePermanent(c.wnd->m_hWnd), c.wnd) << c.className;
        EXPECT_EQ(c.wnd->GetParent(), &host) << c.className;
    }
    EXPECT_TRUE(AfxInitRichEdit());
}

TEST_F(ControlsTest, TabSelectionByClickReachesTheHostsHandler)
{
    CTabCtrl tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 400, 200), &host, IDC_TAB));
    tab.InsertItem(0, "Results");
    tab.InsertItem(1, "Messages");
    tab.InsertItem(TCIF_TEXT | TCIF_PARAM, 2, "Plan", 0, 77);
    EXPECT_EQ(tab.GetItemCount(), 3);
    TCITEM item{};
    item.mask = TCIF_PARAM;
    ASSERT_TRUE(tab.GetItem(2, &item));
    EXPECT_EQ(item.lParam, 77);
    EXPECT_EQ(tab.GetCurSel(), 0);
    Pump();
    host.Clear();

    CRect second;
    ASSERT_TRUE(tab.GetItemRect(1, &second));
    Click(tab, second.CenterPoint());
    EXPECT_EQ(tab.GetCurSel(), 1);
    EXPECT_EQ(host.received, (std::vector<std::string>{"TABSELCHANGE 1"}));
    EXPECT_EQ(tab.SetCurSel(2), 1);
    EXPECT_EQ(host.received.size(), 1u) << "a selection by the program is not notified";
}

TEST_F(ControlsTest, SpinButtonRangePositionAndBuddy)
{
    CEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 80, 30), &host, 720));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT, CRect(80, 10, 96, 30), &host, 721));
    spin.SetBuddy(&buddy);
    EXPECT_EQ(spin.GetBuddy()->m_hWnd, buddy.m_hWnd);
    spin.SetRange32(-5, 500);
    int lower = 0;
    int upper = 0;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(lower, -5);
    EXPECT_EQ(upper, 500);
    spin.SetPos32(300);
    BOOL error = TRUE;
    EXPECT_EQ(spin.GetPos32(&error), 300);
    EXPECT_FALSE(error);
    CString shown;
    buddy.GetWindowText(shown);
    EXPECT_STREQ(shown, "300");
    spin.SetRange(0, 10);
    spin.GetRange(lower, upper);
    EXPECT_EQ(upper, 10);
}

TEST_F(ControlsTest, ToolTipToolsAddedForWindowsAndIds)
{
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&host, TTS_ALWAYSTIP));
    EXPECT_EQ(ClassOf(tips), TOOLTIPS_CLASS);
    EXPECT_EQ(tips.GetOwner(), &host);
    CStatic label;
    ASSERT_TRUE(label.Create("Server", WS_CHILD | WS_VISIBLE, CRect(10, 10, 100, 30), &host, 730));
    ASSERT_TRUE(tips.AddTool(&label, "The server you are connected to"));
    CRect area(0, 50, 100, 80);
    ASSERT_TRUE(tips.AddTool(&host, "An area of the host", &area, 5));
    EXPECT_EQ(tips.GetToolCount(), 2);

    CString text;
    tips.GetText(text, &label);
    EXPECT_STREQ(text, "The server you are connected to");
    tips.UpdateTipText("Another server", &label);
    tips.GetText(text, &label);
    EXPECT_STREQ(text, "Another server");
    TOOLINFO hit{};
    EXPECT_TRUE(tips.HitTest(&host, CPoint(20, 60), &hit));
    EXPECT_EQ(hit.uId, 5u);
    tips.DelTool(&label);
    EXPECT_EQ(tips.GetToolCount(), 1);
    tips.SetMaxTipWidth(300);
    EXPECT_EQ(tips.GetMaxTipWidth(), 300);
}

TEST_F(ControlsTest, ReBarBandsThroughTheWrapper)
{
    CReBarCtrl rebar;
    ASSERT_TRUE(rebar.Create(WS_CHILD | WS_VISIBLE | RBS_BANDBORDERS, CRect(0, 0, 600, 30), &host, 740));
    CStatic first;
    CStatic second;
    ASSERT_TRUE(first.Create("a", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &host, 741));
    ASSERT_TRUE(second.Create("b", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &host, 742));
    for (CStatic* child : {&first, &second}) {
        REBARBANDINFO band{};
        band.cbSize = sizeof band;
        band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | RBBIM_SIZE;
        band.hwndChild = child->m_hWnd;
        band.cxMinChild = 40;
        band.cyMinChild = 20;
        band.cx = 150;
        band.wID = static_cast<UINT>(child->GetDlgCtrlID());
        ASSERT_TRUE(rebar.InsertBand(static_cast<UINT>(-1), &band));
    }
    EXPECT_EQ(rebar.GetBandCount(), 2u);
    EXPECT_EQ(first.GetParent(), &rebar) << "a band's child lives in the rebar";
    EXPECT_EQ(rebar.IDToIndex(742), 1);
    ASSERT_TRUE(rebar.MoveBand(1, 0));
    REBARBANDINFO read{};
    read.cbSize = sizeof read;
    read.fMask = RBBIM_CHILD | RBBIM_ID;
    ASSERT_TRUE(rebar.GetBandInfo(0, &read));
    EXPECT_EQ(read.hwndChild, second.m_hWnd);
    EXPECT_EQ(read.wID, 742u);
    EXPECT_EQ(rebar.GetRowCount(), 1u);
    EXPECT_EQ(rebar.SetOwner(&first), &host);
}

}  // namespace
}  // namespace tw::mfc::test
