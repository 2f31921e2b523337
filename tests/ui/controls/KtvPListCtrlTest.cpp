// The sortable list and its header: header clicks cycling the order, the
// marks with and without multiple sort, the shaded sort column and the
// header's font.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CDialog.h"
#include "platform/win32/resource/DialogTemplate.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvEmptyDialog.h"
#include "ui/controls/KtvPListCtrl.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using tw::test::KtvControlTest;

// Rows sort by their item data; the number of sorts is counted.
class NumberList : public CKtvPListCtrl {
public:
    int OnCompareItems(LPARAM lParam1, LPARAM lParam2, int) override
    {
        return (int)lParam1 - (int)lParam2;
    }
    COLORREF OnGetCellBkColor(int nRow, int nColumn) override
    {
        if (nRow == 0 && nColumn == 1) return RGB(255, 0, 0);
        return CKtvPListCtrl::OnGetCellBkColor(nRow, nColumn);
    }
    using CKtvPListCtrl::m_clrSortedColumn;
};

class ListTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &host, 77));
        ASSERT_NE(nullptr, list.GetHeaderCtrl().GetSafeHwnd());
        for (int c = 0; c < 3; ++c) list.InsertColumn(c, "Column", LVCFMT_LEFT, 90);
        const int values[] = {2, 3, 1};
        for (int i = 0; i < 3; ++i) {
            list.InsertItem(i, std::to_string(values[i]).c_str());
            list.SetItemData(i, (DWORD_PTR)values[i]);
        }
        Pump();
    }
    void TearDown() override
    {
        list.DestroyWindow();
        KtvControlTest::TearDown();
    }
    void ClickColumn(int iColumn, bool shift = false)
    {
        CRect rect;
        list.GetHeaderCtrl().GetItemRect(iColumn, rect);
        if (shift) input.KeyDown(VK_SHIFT);
        Click(list.GetHeaderCtrl().GetSafeHwnd(), rect.CenterPoint().x, rect.CenterPoint().y);
        if (shift) input.KeyUp(VK_SHIFT);
        Pump();
    }
    std::string Order() const
    {
        std::string s;
        for (int i = 0; i < list.GetItemCount(); ++i) s += std::to_string((int)list.GetItemData(i));
        return s;
    }
    NumberList list;
};

TEST_F(ListTest, HeaderClicksStartDescendingAndThenAlternate)
{
    ClickColumn(0);
    EXPECT_EQ("321", Order());
    EXPECT_EQ(-1, list.GetHeaderCtrl().GetSortColumnState(0));
    ClickColumn(0);
    EXPECT_EQ("123", Order());
    EXPECT_EQ(1, list.GetHeaderCtrl().GetSortColumnState(0));
    ClickColumn(0);
    EXPECT_EQ("321", Order());
    EXPECT_EQ(0, list.GetSortColumn());
    EXPECT_FALSE(list.IsAscending());
}

TEST_F(ListTest, ShiftClickAddsAMarkOnlyWithMultipleSort)
{
    ClickColumn(0);
    ClickColumn(1, true);
    EXPECT_EQ(0, list.GetHeaderCtrl().GetSortColumnState(0));  // replaced
    EXPECT_EQ(-1, list.GetHeaderCtrl().GetSortColumnState(1));

    list.EnableMultipleSort();
    ClickColumn(0);
    ClickColumn(1, true);
    EXPECT_EQ(-1, list.GetHeaderCtrl().GetSortColumnState(0));  // kept
    EXPECT_EQ(-1, list.GetHeaderCtrl().GetSortColumnState(1));
    list.EnableMultipleSort(FALSE);  // switching off clears every mark
    EXPECT_EQ(0, list.GetHeaderCtrl().GetSortColumnState(1));
}

TEST_F(ListTest, ClearingTheSortColumnDoesNotRepaint)
{
    list.SetSortColumn(1, FALSE);
    EXPECT_EQ(-1, list.GetHeaderCtrl().GetSortColumnState(1));
    list.GetHeaderCtrl().UpdateWindow();
    list.SetSortColumn(-1);
    EXPECT_EQ(0, list.GetHeaderCtrl().GetSortColumnState(1));
    EXPECT_FALSE(::GetUpdateRect(list.GetHeaderCtrl().GetSafeHwnd(), nullptr, FALSE));
}

TEST_F(ListTest, TheShadeGoesOnlyWhereACellHasTheListBackground)
{
    list.SetSortColumn(1);
    list.EnableMarkSortedColumn();
    const COLORREF shade = list.m_clrSortedColumn;
    EXPECT_NE(list.GetBkColor(), shade);
    for (int row = 0; row < 2; ++row) {
        NMLVCUSTOMDRAW cd = {};
        cd.nmcd.hdr.hwndFrom = list.GetSafeHwnd();
        cd.nmcd.hdr.idFrom = 77;
        cd.nmcd.hdr.code = NM_CUSTOMDRAW;
        cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
        cd.nmcd.dwItemSpec = (DWORD_PTR)row;
        cd.iSubItem = 1;
        host.SendMessage(WM_NOTIFY, 77, (LPARAM)&cd);
        EXPECT_EQ(row == 0 ? RGB(255, 0, 0) : shade, cd.clrTextBk) << "row " << row;
    }
}

// The same list inside a dialog and outside: only the dialog's header takes the
// default GUI font (its paint picks the font by this flag).
TEST_F(ListTest, TheHeaderKnowsWhetherItLivesInADialog)
{
    EXPECT_FALSE(list.GetHeaderCtrl().IsDialogControl());

    const std::vector<BYTE> bytes = KtvEmptyDialogTemplate();
    CDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(bytes.data()), &host));
    NumberList inDialog;
    ASSERT_TRUE(inDialog.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &dlg, 78));
    EXPECT_TRUE(inDialog.GetHeaderCtrl().IsDialogControl());
    inDialog.DestroyWindow();
    dlg.DestroyWindow();
}

class ListHeaderFontTest : public ListTest {
protected:
    // Columns of the first item holding text pixels (dark), from the first to the last.
    int InkWidth(CKtvPHeaderCtrl& header)
    {
        header.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
        CRect rect;
        header.GetItemRect(0, rect);
        rect.DeflateRect(2, 2, 3, 2);
        int first = -1, last = -1;
        for (int x = rect.left; x < rect.right; x++)
            for (int y = rect.top; y < rect.bottom; y++) {
                const COLORREF clr = ScreenPixel(header.GetSafeHwnd(), x, y);
                if (GetRValue(clr) + GetGValue(clr) + GetBValue(clr) < 300) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
            }
        return first < 0 ? 0 : last - first + 1;
    }
    static int TextWidth(HFONT hFont)
    {
        CWindowDC dc(nullptr);
        HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), hFont);
        const int cx = dc.GetTextExtent(CString("Column")).cx;
        ::SelectObject(dc.GetSafeHdc(), old);
        return cx;
    }
};

// The header paints in the font it was given, else the dialog font inside a dialog, else the library's font.
TEST_F(ListHeaderFontTest, TheLabelsTakeTheChosenFont)
{
    EXPECT_NEAR(TextWidth((HFONT)globalData.fontRegular.GetSafeHandle()), InkWidth(list.GetHeaderCtrl()), 2);

    CFont big;
    big.CreateFont(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    ASSERT_GT(TextWidth(big), TextWidth((HFONT)globalData.fontRegular.GetSafeHandle()) + 10);
    list.GetHeaderCtrl().SendMessage(WM_SETFONT, (WPARAM)big.GetSafeHandle(), TRUE);
    EXPECT_NEAR(TextWidth(big), InkWidth(list.GetHeaderCtrl()), 2);
    list.GetHeaderCtrl().SendMessage(WM_SETFONT, 0, TRUE);

    const std::vector<BYTE> bytes = KtvEmptyDialogTemplate(300, 200);
    CDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(bytes.data()), &host));
    NumberList inDialog;
    ASSERT_TRUE(inDialog.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 100), &dlg, 78));
    inDialog.InsertColumn(0, "Column", LVCFMT_LEFT, 90);
    EXPECT_NEAR(TextWidth((HFONT)::GetStockObject(DEFAULT_GUI_FONT)), InkWidth(inDialog.GetHeaderCtrl()), 2);
    inDialog.DestroyWindow();
    dlg.DestroyWindow();
}

}  // namespace
