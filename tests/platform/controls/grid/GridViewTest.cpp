#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/platform/controls/grid/GridViewFixture.h"

namespace tw::grid::test {
namespace {

std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE memory = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(memory))) {
            text = bytes;
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}

TEST_F(GridViewFixture, AnEmptyGridTakesKeysClicksAndCopyWithoutAFocusedRow)
{
    for (UINT vk : {UINT(VK_DOWN), UINT(VK_UP), UINT(VK_NEXT), UINT(VK_PRIOR), UINT(VK_END), UINT(VK_HOME)}) {
        KeyWith(vk, false, false);
        KeyWith(vk, true, true);
    }
    Click(20, grid->HeaderHeight() + 5);
    KeyWith('C', false, true);
    EXPECT_EQ(grid->Selection().Focused(), -1);
    EXPECT_EQ(grid->Selection().Count(), 0);
    EXPECT_FALSE(grid->CopySelection());
    EXPECT_EQ(grid->TopRow(), 0);
}

class GridViewTest : public GridViewFixture {
protected:
    void SetUp() override
    {
        GridViewFixture::SetUp();
        Fill(100);
    }
};

TEST_F(GridViewTest, FirstRowIsFocusedOnceRowsArrive)
{
    EXPECT_EQ(grid->Selection().Focused(), 0);
    EXPECT_GT(grid->PageRows(), 3);
    EXPECT_LT(grid->PageRows(), 100);
}

struct KeyCase {
    const char* name;
    UINT vk;
    bool ctrl;
    int from;
    // Expected focus, with -1 meaning "the last row" and -2 "from plus a page".
    int to;
};

class GridKeyTest : public GridViewTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(GridKeyTest, KeyMovesFocusSelectsItAloneAndKeepsItInView)
{
    const KeyCase& c = GetParam();
    grid->FocusRow(c.from);
    KeyWith(c.vk, false, c.ctrl);
    const int page = grid->PageRows();
    int expected = c.to == -1 ? 99 : c.to == -2 ? c.from + page : c.to;
    const int focused = grid->Selection().Focused();
    EXPECT_EQ(focused, expected);
    EXPECT_EQ(grid->Selection().Rows(), std::vector<int>{expected});
    EXPECT_GE(focused, grid->TopRow());
    EXPECT_LT(focused, grid->TopRow() + page);
}

INSTANTIATE_TEST_SUITE_P(Keys, GridKeyTest,
                         ::testing::Values(KeyCase{"Down", VK_DOWN, false, 5, 6}, KeyCase{"Up", VK_UP, false, 5, 4},
                                           KeyCase{"UpAtTop", VK_UP, false, 0, 0},
                                           KeyCase{"DownAtBottom", VK_DOWN, false, 99, 99},
                                           KeyCase{"PageDown", VK_NEXT, false, 20, -2},
                                           KeyCase{"PageDownNearEnd", VK_NEXT, false, 97, 99},
                                           KeyCase{"PageUpNearTop", VK_PRIOR, false, 2, 0},
                                           KeyCase{"CtrlEnd", VK_END, true, 3, -1},
                                           KeyCase{"CtrlHome", VK_HOME, true, 80, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridViewTest, ScrollingToTheEndShowsTheLastRowAtTheBottom)
{
    KeyWith(VK_END, false, true);
    EXPECT_EQ(grid->TopRow(), 100 - grid->PageRows());
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(hwnd, SB_VERT, &info));
    EXPECT_EQ(info.nPos, grid->TopRow());
    EXPECT_EQ(info.nMax, 99);
    EXPECT_EQ(int(info.nPage), grid->PageRows());
}

TEST_F(GridViewTest, ScrollBarAndWheelMoveTheViewButNotTheFocus)
{
    SendMessage(hwnd, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(grid->TopRow(), grid->PageRows());
    SendMessage(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(grid->TopRow(), grid->PageRows() - 3);
    SendMessage(hwnd, WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    EXPECT_EQ(grid->TopRow(), 100 - grid->PageRows());
    EXPECT_EQ(grid->Selection().Focused(), 0);
    // The next arrow brings the focused row back into view.
    Key(VK_DOWN);
    EXPECT_EQ(grid->TopRow(), 1);
}

TEST_F(GridViewTest, HorizontalScrollingStopsAtTheLastColumn)
{
    RECT client;
    GetClientRect(hwnd, &client);
    const int maxX = kColumns * kColumnWidth - client.right;
    ASSERT_GT(maxX, 0);
    Key(VK_END);
    EXPECT_EQ(grid->ScrollX(), maxX);
    SendMessage(hwnd, WM_HSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
    EXPECT_EQ(grid->ScrollX(), maxX - 20);
    Key(VK_HOME);
    EXPECT_EQ(grid->ScrollX(), 0);
}

TEST_F(GridViewTest, ShiftExtendsFromTheAnchorAndCtrlMovesWithoutSelecting)
{
    grid->FocusRow(10);
    KeyWith(VK_DOWN, true, false);
    KeyWith(VK_DOWN, true, false);
    EXPECT_EQ(grid->Selection().Rows(), (std::vector<int>{10, 11, 12}));
    KeyWith(VK_UP, true, false);
    KeyWith(VK_UP, true, false);
    KeyWith(VK_UP, true, false);
    EXPECT_EQ(grid->Selection().Rows(), (std::vector<int>{10, 9}));

    KeyWith(VK_DOWN, false, true);
    KeyWith(VK_DOWN, false, true);
    EXPECT_EQ(grid->Selection().Focused(), 11);
    EXPECT_EQ(grid->Selection().Rows(), (std::vector<int>{10, 9}));
    KeyWith(VK_SPACE, false, true);
    EXPECT_EQ(grid->Selection().Rows(), (std::vector<int>{10, 9, 11}));
}

TEST_F(GridViewTest, ClicksSelectToggleAndExtendInTheOrderMade)
{
    const POINT row2 = RowPoint(2), row6 = RowPoint(6), row4 = RowPoint(4);
    Click(row2.x, row2.y);
    EXPECT_EQ(grid->Selection().Rows(), std::vector<int>{2});
    Click(row6.x, row6.y, VK_CONTROL);
    Click(row2.x, row2.y, VK_CONTROL);
    Click(row4.x, row4.y, VK_CONTROL);
    EXPECT_EQ(grid->Selection().Rows(), (std::vector<int>{6, 4}));
    EXPECT_EQ(grid->Selection().Focused(), 4);
    Click(row6.x, row6.y, VK_SHIFT);
    EXPECT_EQ(grid->Selection().Rows(), (std::vector<int>{4, 5, 6}));
    Click(row2.x, row2.y);
    EXPECT_EQ(grid->Selection().Rows(), std::vector<int>{2});
}

TEST_F(GridViewTest, DraggingOverRowsSelectsFromWhereThePressWas)
{
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    input.Drag(tw::display::MouseButton::Left, ScreenPointOf(RowPoint(2).x, RowPoint(2).y),
               ScreenPointOf(RowPoint(5).x, RowPoint(5).y), 3);
    Pump();
    EXPECT_EQ(grid->Selection().Rows(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(grid->Selection().Focused(), 5);
    EXPECT_EQ(GetCapture(), nullptr);

    // Held below the rows, each move reaches one row further and scrolls.
    RECT client;
    GetClientRect(hwnd, &client);
    const POINT start = ScreenPointOf(RowPoint(1).x, RowPoint(1).y);
    input.ButtonDown(tw::display::MouseButton::Left, start.x, start.y);
    Pump();
    const int page = grid->PageRows();
    for (int i = 0; i < page + 3; ++i) {
        const POINT below = ScreenPointOf(20, client.bottom + 5 + (i % 2));
        input.MouseMove(below.x, below.y);
        Pump();
    }
    input.ButtonUp(tw::display::MouseButton::Left, start.x, client.bottom + 5);
    Pump();
    const int reached = 1 + page + 3;
    EXPECT_EQ(grid->Selection().Focused(), reached);
    EXPECT_EQ(grid->Selection().Count(), reached);  // rows 1..reached
    EXPECT_EQ(grid->TopRow(), reached - page + 1);
}

TEST_F(GridViewTest, ClicksOnTheHeaderOrBelowTheRowsChangeNothing)
{
    grid->FocusRow(3);
    Click(20, grid->HeaderHeight() / 2);
    EXPECT_EQ(grid->Selection().Focused(), 3);
    EXPECT_EQ(grid->Selection().Rows(), std::vector<int>{3});

    grid->Dataset().Clear();
    grid->Dataset().Append({"only"});
    grid->Refresh();
    EXPECT_EQ(grid->Selection().Focused(), 0);  // the focus stays on a row that exists
    grid->FocusRow(0);
    const POINT below = RowPoint(4);
    Click(below.x, below.y, VK_SHIFT);
    EXPECT_EQ(grid->Selection().Rows(), std::vector<int>{0});
    EXPECT_EQ(grid->Selection().Focused(), 0);
}

TEST_F(GridViewTest, DraggingAHeaderDividerResizesItsColumn)
{
    const int y = grid->HeaderHeight() / 2;
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    input.Drag(tw::display::MouseButton::Left, ScreenPointOf(kColumnWidth, y), ScreenPointOf(kColumnWidth + 35, y), 3);
    Pump();
    EXPECT_EQ(grid->Columns().Item(0)->width, kColumnWidth + 35);
    EXPECT_EQ(grid->Columns().Item(1)->width, kColumnWidth);
    EXPECT_EQ(GetCapture(), nullptr);

    // Dragging far left stops at the minimum width rather than going negative.
    const int divider = 2 * kColumnWidth + 35;
    input.Drag(tw::display::MouseButton::Left, ScreenPointOf(divider, y), ScreenPointOf(divider - 200, y), 3);
    Pump();
    EXPECT_EQ(grid->Columns().Item(1)->width, GridColumns::kMinWidth);
}

TEST_F(GridViewTest, BestFitSizesColumnsToTheWidestTextOfTheSampledRows)
{
    const std::string longText = "a much longer piece of text than any other";
    grid->Dataset().SetText(3, 0, longText);
    grid->Dataset().SetText(80, 1, longText);  // past the sample: not measured
    grid->BestFitColumns(50);

    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(hwnd, WM_GETFONT, 0, 0)));
    SIZE longSize{}, captionSize{};
    GetTextExtentPoint32(dc, longText.c_str(), int(longText.size()), &longSize);
    GetTextExtentPoint32(dc, "Caption 1", 9, &captionSize);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);

    EXPECT_EQ(grid->Columns().Item(0)->width, longSize.cx + 5);
    EXPECT_GE(grid->Columns().Item(1)->width, captionSize.cx + 8);
    EXPECT_LT(grid->Columns().Item(1)->width, longSize.cx);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE;
    GetScrollInfo(hwnd, SB_HORZ, &info);
    EXPECT_EQ(info.nMax, grid->Columns().TotalWidth() - 1);
}

TEST_F(GridViewTest, CtrlCCopiesSelectedRowsInRowOrderAsTabSeparatedText)
{
    grid->Dataset().SetText(7, 1, "a\tb \"q\"");
    grid->FocusRow(7);
    Click(RowPoint(3).x, RowPoint(3).y, VK_CONTROL);
    KeyWith('C', false, true);
    EXPECT_EQ(ClipboardText(), "r3c0\tr3c1\tr3c2\tr3c3\tr3c4\r\n"
                               "r7c0\t\"a\tb \"\"q\"\"\"\tr7c2\tr7c3\tr7c4\r\n");
}

TEST_F(GridViewTest, SelectedRowsPaintInTheHighlightAndOthersInTheWindowColour)
{
    grid->FocusRow(1);
    Click(RowPoint(3).x, RowPoint(3).y, VK_CONTROL);
    SetFocus(parent);  // no focus rectangle over the rows
    Pump();
    // A point inside the second column's cell where no text reaches.
    const int x = 2 * kColumnWidth - 4;
    auto rowY = [&](int row) { return RowPoint(row).y; };
    EXPECT_EQ(Pixel(x, rowY(1)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(Pixel(x, rowY(3)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(Pixel(x, rowY(2)), GetSysColor(COLOR_WINDOW));
    // Grid lines between cells and under each row.
    EXPECT_EQ(Pixel(kColumnWidth - 1, rowY(2)), GetSysColor(COLOR_BTNFACE));
    const int bottomOfRow2 = grid->HeaderHeight() + 3 * grid->RowHeight() - 1;
    EXPECT_EQ(Pixel(x, bottomOfRow2), GetSysColor(COLOR_BTNFACE));
    // The header band.
    EXPECT_EQ(Pixel(kColumnWidth / 2, grid->HeaderHeight() - 4), GetSysColor(COLOR_BTNFACE));
}

TEST_F(GridViewTest, RowsAppendedWhileDisabledAppearOnEnable)
{
    grid->DisableControls();
    grid->DisableControls();
    grid->Dataset().Append({"new"});
    grid->EnableControls();
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE;
    GetScrollInfo(hwnd, SB_VERT, &info);
    EXPECT_EQ(info.nMax, 99);
    grid->EnableControls();
    GetScrollInfo(hwnd, SB_VERT, &info);
    EXPECT_EQ(info.nMax, 100);
    KeyWith(VK_END, false, true);
    EXPECT_EQ(grid->Selection().Focused(), 100);
}

}  // namespace
}  // namespace tw::grid::test
