// The coloured list: which colours a cell is drawn in, sorting by a header
// click in byte order, and the colours following their rows through a re-sort.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "session/ColorListCtrl.h"
#include "tests/support/ui/KtvControlTest.h"

namespace {

using tw::test::KtvControlTest;

class ColorListTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &host, 78));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        list.InsertColumn(1, "Other", LVCFMT_LEFT, 120);
        Pump();
    }
    void TearDown() override
    {
        list.DestroyWindow();
        KtvControlTest::TearDown();
    }
    // Rows in this order, each row's item data its number in the list.
    void Fill(const std::vector<std::string>& texts)
    {
        for (size_t i = 0; i < texts.size(); ++i) {
            const int row = list.InsertItem(static_cast<int>(i), texts[i].c_str());
            list.SetItemData(row, i);
            list.SetItemText(row, 1, ("other " + texts[i]).c_str());
        }
        Pump();
    }
    void ClickColumn(int iColumn)
    {
        CRect rect;
        list.GetHeaderCtrl().GetItemRect(iColumn, rect);
        Click(list.GetHeaderCtrl().GetSafeHwnd(), rect.CenterPoint().x, rect.CenterPoint().y);
        Pump();
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetItemCount(); ++i)
            texts.emplace_back(list.GetItemText(i, 0));
        return texts;
    }
    int RowOf(const std::string& text) const
    {
        for (int i = 0; i < list.GetItemCount(); ++i)
            if (text == static_cast<const char*>(list.GetItemText(i, 0)))
                return i;
        return -1;
    }
    CColorListCtrl list;
};

TEST_F(ColorListTest, HeaderClicksSortCaseSensitivelyInByteOrder)
{
    Fill({"b", "B", "a", "_x", "A", "10", "9", "\xc3\xa9t\xc3\xa9"});
    ClickColumn(0);  // the first click sorts descending
    EXPECT_EQ((std::vector<std::string>{"\xc3\xa9t\xc3\xa9", "b", "a", "_x", "B", "A", "9", "10"}), Texts());
    ClickColumn(0);
    EXPECT_EQ((std::vector<std::string>{"10", "9", "A", "B", "_x", "a", "b", "\xc3\xa9t\xc3\xa9"}), Texts());
    // The other column sorts by its own texts.
    ClickColumn(1);
    EXPECT_EQ("\xc3\xa9t\xc3\xa9", Texts().front());
}

struct CellColorCase {
    const char* name;
    std::vector<std::array<COLORREF, 2>> settings;  // colours given to cell (row 0, column 1), in turn
    COLORREF text;                                  // expected; kListColor: the list's own
    COLORREF back;
};

class ColorListLookupTest : public ColorListTest, public ::testing::WithParamInterface<CellColorCase> {};

TEST_P(ColorListLookupTest, ACellTakesItsRecordsColoursOrTheListsOwn)
{
    const CellColorCase& c = GetParam();
    Fill({"one", "two"});
    for (const auto& colors : c.settings)
        list.SetCellColors(0, 1, colors[0], colors[1]);
    EXPECT_EQ(c.settings.empty() ? 0 : 1, list.GetCellColorCount());
    // The list's own colours changed afterwards: cells that use them follow.
    list.SetTextColor(RGB(1, 2, 3));
    list.SetBkColor(RGB(250, 240, 230));
    const COLORREF text = c.text == CColorListCtrl::kListColor ? RGB(1, 2, 3) : c.text;
    const COLORREF back = c.back == CColorListCtrl::kListColor ? RGB(250, 240, 230) : c.back;
    EXPECT_EQ(text, list.OnGetCellTextColor(0, 1));
    EXPECT_EQ(back, list.OnGetCellBkColor(0, 1));
    // Neighbours of the cell keep the list's colours.
    EXPECT_EQ(RGB(250, 240, 230), list.OnGetCellBkColor(0, 0));
    EXPECT_EQ(RGB(250, 240, 230), list.OnGetCellBkColor(1, 1));
}

constexpr COLORREF kList = CColorListCtrl::kListColor;

INSTANTIATE_TEST_SUITE_P(
    Cells, ColorListLookupTest,
    ::testing::Values(CellColorCase{"NoRecord", {}, kList, kList},
                      CellColorCase{"BothColours", {{RGB(255, 0, 255), RGB(192, 220, 192)}}, RGB(255, 0, 255),
                                    RGB(192, 220, 192)},
                      CellColorCase{"TextOnly", {{RGB(255, 0, 0), kList}}, RGB(255, 0, 0), kList},
                      CellColorCase{"BackOnly", {{kList, RGB(0, 0, 255)}}, kList, RGB(0, 0, 255)},
                      CellColorCase{"SetTwiceKeepsOneRecordWithTheSecond",
                                    {{RGB(255, 0, 0), RGB(0, 255, 0)}, {RGB(0, 0, 255), RGB(9, 9, 9)}},
                                    RGB(0, 0, 255), RGB(9, 9, 9)}),
    [](const ::testing::TestParamInfo<CellColorCase>& info) { return std::string(info.param.name); });

TEST_F(ColorListTest, ColoursFollowTheirRowThroughAResortAndArePainted)
{
    Fill({"c", "a", "b"});
    const int row = RowOf("c");
    for (int column = 0; column < 2; ++column)
        list.SetCellColors(row, column, RGB(255, 0, 255), RGB(192, 220, 192));
    ClickColumn(0);
    ClickColumn(0);
    ASSERT_EQ((std::vector<std::string>{"a", "b", "c"}), Texts());
    const int moved = RowOf("c");
    EXPECT_EQ(2, moved);
    EXPECT_EQ(RGB(192, 220, 192), list.OnGetCellBkColor(moved, 1));
    EXPECT_EQ(RGB(255, 0, 255), list.OnGetCellTextColor(moved, 0));
    EXPECT_EQ(list.GetBkColor(), list.OnGetCellBkColor(RowOf("a"), 1));

    list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump();
    CRect cell;
    list.GetSubItemRect(moved, 1, LVIR_BOUNDS, cell);
    EXPECT_EQ(RGB(192, 220, 192), ScreenPixel(list.GetSafeHwnd(), cell.right - 3, cell.CenterPoint().y));
    list.GetSubItemRect(RowOf("a"), 1, LVIR_BOUNDS, cell);
    EXPECT_NE(RGB(192, 220, 192), ScreenPixel(list.GetSafeHwnd(), cell.right - 3, cell.CenterPoint().y));
}

}  // namespace
