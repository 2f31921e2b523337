// The toolbar's button list and its layout: rows for a given length,
// separators at row starts, large icons, locked sizes and text labels.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPCodes.h"

namespace tw::test {
namespace {

using ToolBarListTest = ToolBarTest;
using ToolBarLayoutTest = ToolBarTest;

CKtvPToolbarButton* Plain(UINT id) { return new CKtvPToolbarButton(id, 0, nullptr, FALSE, TRUE); }

struct ListCase {
    const char* name;
    std::vector<UINT> start;
    std::function<void(CKtvPToolBar*)> change;
    std::string expected;
};

TEST_F(ToolBarListTest, OperationsKeepTheListTidy)
{
    CKtvPToolbarButton replacement(99, 0, nullptr, FALSE, TRUE);
    const ListCase cases[] = {
        {"insert at an index goes before it", {1, 2}, [](CKtvPToolBar* p) { EXPECT_EQ(p->InsertButton(Plain(7), 1), 1); },
         "1 7 2"},
        {"insert at the count appends", {1, 2}, [](CKtvPToolBar* p) { EXPECT_EQ(p->InsertButton(Plain(7), 2), 2); },
         "1 2 7"},
        {"insert beyond the count is refused", {1, 2},
         [](CKtvPToolBar* p) {
             CKtvPToolbarButton* pButton = Plain(7);
             EXPECT_EQ(p->InsertButton(pButton, 3), -1);
             delete pButton;
         },
         "1 2"},
        {"a separator never starts the bar", {1, 2}, [](CKtvPToolBar* p) { EXPECT_EQ(p->InsertSeparator(0), -1); },
         "1 2"},
        {"a separator between buttons", {1, 2}, [](CKtvPToolBar* p) { EXPECT_EQ(p->InsertSeparator(1), 1); },
         "1 | 2"},
        {"removing the last button takes the separator before it", {1, 0, 2},
         [](CKtvPToolBar* p) { EXPECT_TRUE(p->RemoveButton(2)); }, "1"},
        {"removing between two separators leaves one", {1, 0, 2, 0, 3},
         [](CKtvPToolBar* p) { EXPECT_TRUE(p->RemoveButton(2)); }, "1 | 3"},
        {"the first element stays even as a separator", {0, 1}, [](CKtvPToolBar* p) { EXPECT_TRUE(p->RemoveButton(1)); },
         "|"},
        {"out of range removes nothing", {1, 2}, [](CKtvPToolBar* p) { EXPECT_FALSE(p->RemoveButton(2)); }, "1 2"},
        {"replace the first only", {5, 1, 5},
         [&](CKtvPToolBar* p) { EXPECT_EQ(p->ReplaceButton(5, replacement), 1); }, "99 1 5"},
        {"replace every one", {5, 1, 5},
         [&](CKtvPToolBar* p) { EXPECT_EQ(p->ReplaceButton(5, replacement, TRUE), 2); }, "99 1 99"},
        {"a refused command is not inserted", {1},
         [](CKtvPToolBar* p) {
             CKtvPToolBar::m_NonPermittedCommands.AddTail(7);
             CKtvPToolbarButton* pButton = Plain(7);
             EXPECT_EQ(p->InsertButton(pButton), -1);
             delete pButton;
         },
         "1"},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.name);
        CKtvPToolBar* pBar = MakeBar(c.start, FALSE);
        c.change(pBar);
        EXPECT_EQ(Layout(pBar), c.expected);
        CKtvPToolBar::m_NonPermittedCommands.RemoveAll();
    }
}

TEST_F(ToolBarListTest, RemovingAButtonMovesTheStateIndicesWithTheirButtons)
{
    CKtvPToolBar* pBar = MakeBar({1, 2, 3, 4}, FALSE);
    pBar->m_iSelected = 3;
    pBar->m_iHighlighted = 2;
    pBar->m_iButtonCapture = 1;
    ASSERT_TRUE(pBar->RemoveButton(1));
    EXPECT_EQ(pBar->m_iSelected, 2);
    EXPECT_EQ(pBar->m_iHighlighted, 1);
    EXPECT_EQ(pBar->m_iButtonCapture, -1);
}

TEST_F(ToolBarListTest, LookupsAnswerOutOfRangeQuietly)
{
    CKtvPToolBar* pBar = MakeBar({10, 0, 20, 10}, FALSE);
    EXPECT_EQ(pBar->CommandToIndex(10), 0);
    EXPECT_EQ(pBar->CommandToIndex(10, 1), 3);
    EXPECT_EQ(pBar->CommandToIndex(30), -1);
    EXPECT_EQ(pBar->ButtonToIndex(pBar->GetButton(2)), 2);
    EXPECT_EQ(pBar->GetButton(4), nullptr);
    EXPECT_EQ(pBar->GetItemID(9), 0u);
    EXPECT_EQ(pBar->GetButtonStyle(-1), 0u);
    EXPECT_FALSE(pBar->SetButtonText(4, "x"));
    CRect rect(1, 2, 3, 4);
    pBar->GetItemRect(7, rect);
    EXPECT_TRUE(rect.IsRectEmpty());

    CObList found;
    MakeBar({10}, FALSE);
    EXPECT_EQ(CKtvPToolBar::GetCommandButtons(10, found), 3);
    EXPECT_EQ(CKtvPToolBar::GetCommandButtons(0, found), 0);
}

TEST_F(ToolBarListTest, SettingAStyleRepaintsUnlessThePressedLookStays)
{
    CKtvPToolBar* pBar = MakeBar({1}, FALSE);
    Pump();
    pBar->SetButtonStyle(0, TBBS_PRESSED | TBBS_DISABLED);
    EXPECT_EQ(pBar->GetButtonStyle(0), (UINT)TBBS_DISABLED);
    EXPECT_TRUE(::GetUpdateRect(pBar->GetSafeHwnd(), nullptr, FALSE));
}

struct WrapCase {
    int length;
    int rows;
    std::vector<int> breaksAfter;   // indices with the wrap flag
    CSize extent;                   // CalcMaxButtonSize(FALSE)
};

// Ten buttons of 23 x 22: a row holds as many as the length allows; rows are 5 pixels apart.
TEST_F(ToolBarLayoutTest, ALengthGivesRowsOfWholeButtons)
{
    const WrapCase cases[] = {
        {100, 3, {3, 7}, CSize(93, 76)},
        {240, 1, {}, CSize(231, 22)},
        {32767, 1, {}, CSize(231, 22)},
        {50, 5, {1, 3, 5, 7}, CSize(47, 130)},
        {0, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8}, CSize(24, 265)},
    };
    CKtvPToolBar* pBar = MakeBar({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, FALSE);
    for (const WrapCase& c : cases) {
        SCOPED_TRACE(c.length);
        EXPECT_EQ(pBar->SizeToolBar(c.length), c.rows);
        std::vector<int> breaks;
        for (int i = 0; i < pBar->GetCount(); i++) {
            if (pBar->GetButton(i)->m_bRowBreak)
                breaks.push_back(i);
        }
        EXPECT_EQ(breaks, c.breaksAfter);
        EXPECT_EQ(pBar->CalcMaxButtonSize(FALSE), c.extent);
    }
}

TEST_F(ToolBarLayoutTest, ButtonsArePlacedInRowsAndSeparatorsThatStartARowAreHidden)
{
    CKtvPToolBar* pBar = MakeBar({1, 2, 3, 0, 4, 0, 0, 5}, FALSE);
    pBar->SetWindowPos(nullptr, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER);
    // Breaks after button 3 (the separator would start the second row) and after button 4.
    pBar->GetButton(2)->m_bRowBreak = TRUE;
    pBar->GetButton(4)->m_bRowBreak = TRUE;
    pBar->AdjustLocations();

    EXPECT_EQ(pBar->GetButton(0)->m_rect, CRect(1, 0, 24, 22));
    EXPECT_EQ(pBar->GetButton(2)->m_rect, CRect(47, 0, 70, 22));
    EXPECT_EQ(pBar->GetButton(3)->m_rect, CRect(1, 27, 1, 27)) << "a separator at a row start takes no room";
    EXPECT_EQ(pBar->GetButton(4)->m_rect, CRect(1, 27, 24, 49));
    EXPECT_EQ(pBar->GetButton(5)->m_rect, CRect(1, 54, 1, 54));
    EXPECT_EQ(pBar->GetButton(7)->m_rect, CRect(1, 54, 24, 76));

    EXPECT_EQ(pBar->HitTest(CPoint(10, 10)), 0);
    EXPECT_EQ(pBar->HitTest(CPoint(10, 24)), -1) << "the gap between rows";
    EXPECT_EQ(pBar->HitTest(CPoint(30, 60)), -1);
}

TEST_F(ToolBarLayoutTest, TwoSeparatorsInARowShowAsOne)
{
    CKtvPToolBar* pBar = MakeBar({1, 0, 0, 2}, FALSE);
    pBar->SetWindowPos(nullptr, 0, 0, 200, 22, SWP_NOMOVE | SWP_NOZORDER);
    pBar->AdjustLocations();
    EXPECT_EQ(pBar->GetButton(1)->m_rect.Width(), 8);
    EXPECT_EQ(pBar->GetButton(2)->m_rect.Width(), 0);
    EXPECT_EQ(pBar->GetButton(3)->m_rect.left, 32);
}

TEST_F(ToolBarLayoutTest, AVerticalBarStacksItsButtonsInOneColumn)
{
    CKtvPToolBar* pBar = MakeBar({1, 0, 2}, FALSE);
    pBar->SetBarStyle((pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_LEFT);
    pBar->SetWindowPos(nullptr, 0, 0, 23, 200, SWP_NOMOVE | SWP_NOZORDER);
    pBar->AdjustLocations();
    EXPECT_EQ(pBar->GetButton(0)->m_rect, CRect(0, 1, 23, 23));
    EXPECT_EQ(pBar->GetButton(1)->m_rect, CRect(0, 23, 23, 31));
    EXPECT_EQ(pBar->GetButton(2)->m_rect, CRect(0, 31, 23, 53));

    CRect rectSeparator;
    pBar->GetButton(1)->m_bRowBreak = TRUE;
    pBar->GetSeparatorRect(pBar->GetButton(1), rectSeparator, FALSE);
    EXPECT_EQ(rectSeparator, pBar->GetButton(1)->m_rect) << "the wrap rectangle is for horizontal bars";
}

TEST_F(ToolBarLayoutTest, LargeIconsDoubleTheCellsOfTheBarsThatFollowThem)
{
    CKtvPToolBar* pFollows = MakeBar({1}, FALSE);
    CKtvPToolBar* pSmall = MakeBar({2}, FALSE);
    pSmall->EnableLargeIcons(FALSE);
    CKtvPToolBar* pLocked = MakeBar({3}, FALSE);
    pLocked->m_bLocked = TRUE;
    pLocked->SetLockedSizes(CSize(30, 28), CSize(24, 22));

    CKtvPToolBar::SetLargeIcons(TRUE);
    EXPECT_EQ(CSize(pFollows->GetColumnWidth(), pFollows->GetRowHeight()), CSize(46, 44));
    EXPECT_EQ(CSize(pSmall->GetColumnWidth(), pSmall->GetRowHeight()), CSize(23, 22));
    EXPECT_EQ(CSize(pLocked->GetColumnWidth(), pLocked->GetRowHeight()), CSize(60, 56));
    EXPECT_EQ(pFollows->GetButton(0)->m_rect.Width(), 46) << "the bar was laid out again";

    CKtvPToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    EXPECT_EQ(CKtvPToolBar::m_sizeCurButton, CSize(46, 44));
    EXPECT_EQ(CKtvPToolBar::m_sizeCurImage, CSize(32, 30));
    EXPECT_EQ(CKtvPToolBar::m_LargeImages.GetImageSize(), CSize(32, 30));

    CKtvPToolBar::SetLargeIcons(FALSE);
    EXPECT_EQ(CSize(pFollows->GetColumnWidth(), pFollows->GetRowHeight()), CSize(23, 22));
}

TEST_F(ToolBarLayoutTest, TextLabelsMakeEveryButtonOfAHorizontalBarTaller)
{
    CKtvPToolBar* pBar = MakeBar({1, 2}, FALSE);
    pBar->SetButtonText(0, "Open");
    pBar->SetButtonText(1, "A much longer label");
    pBar->EnableTextLabels();
    EXPECT_TRUE(pBar->GetButton(0)->m_bTextBelow);
    EXPECT_TRUE(pBar->m_bDrawTextLabels);
    const int nRow = pBar->GetRowHeight();
    EXPECT_GT(nRow, 22);
    EXPECT_EQ(pBar->GetButton(0)->m_rect.Height(), nRow);
    EXPECT_EQ(pBar->GetButton(1)->m_rect.Height(), nRow);
    EXPECT_GT(pBar->GetButton(1)->m_rect.Width(), pBar->GetButton(0)->m_rect.Width());

    pBar->EnableTextLabels(FALSE);
    EXPECT_FALSE(pBar->GetButton(0)->m_bTextBelow);
    EXPECT_EQ(pBar->GetRowHeight(), 22);
}

TEST_F(ToolBarLayoutTest, AStretchedQueryReportsAnUnlimitedLength)
{
    CKtvPToolBar* pBar = MakeBar({1, 2}, FALSE);
    EXPECT_GE(pBar->CalcFixedLayout(TRUE, TRUE).cx, 32767);
    EXPECT_GE(pBar->CalcFixedLayout(TRUE, FALSE).cy, 32767);
    const CSize size = pBar->CalcFixedLayout(FALSE, TRUE);
    CRect rectBorders;
    pBar->CalcInsideRect(rectBorders, TRUE);
    EXPECT_EQ(size, CSize(1 + 2 * 23 - rectBorders.Width(), 22 - rectBorders.Height()))
        << "one row and the bar's borders";
}

TEST_F(ToolBarLayoutTest, ADockedBarTakesItsLayoutInTheFrame)
{
    CKtvPToolBar* pBar = MakeBar({1, 2, 0, 3});
    ASSERT_TRUE(pBar->IsDocked());
    CRect rectClient;
    pBar->GetClientRect(rectClient);
    EXPECT_EQ(rectClient.Height(), 22);
    EXPECT_EQ(pBar->GetButton(3)->m_rect, CRect(55, 0, 78, 22));
}

// Floated, a bar lays its buttons out for the width it last had floating and
// its mini frame fits around it.
TEST_F(ToolBarLayoutTest, AFloatedBarTakesItsFloatingWidthAndItsFrameFits)
{
    CKtvPToolBar* pBar = MakeBar({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    pBar->SetControlBarStyle(pBar->GetControlBarStyle() | KTVP_CBRS_FLOAT);
    pBar->SetMRUWidth(100);
    ASSERT_TRUE(pBar->FloatControlBar(CRect(300, 200, 420, 300), KTVP_DM_DBL_CLICK, TRUE));
    Pump();

    CKtvPMiniFrameWnd* pMiniFrame = pBar->GetParentMiniFrame(TRUE);
    ASSERT_NE(pMiniFrame, nullptr);
    EXPECT_EQ(pBar->GetMRUWidth(), 93) << "four buttons to a row, as at length 100";
    CRect rectBar, rectClient;
    pBar->GetWindowRect(rectBar);
    pMiniFrame->GetClientRect(rectClient);
    pMiniFrame->ClientToScreen(rectClient);
    EXPECT_TRUE(rectClient.PtInRect(rectBar.TopLeft()));
    EXPECT_LE(rectBar.right, rectClient.right);
    EXPECT_LE(rectBar.bottom, rectClient.bottom);
    // Its buttons stand in rows of four, and the bar is as wide as one row.
    for (int i = 0; i < pBar->GetCount(); i++) {
        const CRect rect = pBar->GetButton(i)->m_rect;
        EXPECT_EQ(rect.top, pBar->GetButton(i - i % 4)->m_rect.top) << i;
        if (i % 4 != 0)
            EXPECT_EQ(rect.left, pBar->GetButton(i - 1)->m_rect.right) << i;
    }
    EXPECT_LT(pBar->GetButton(0)->m_rect.top, pBar->GetButton(4)->m_rect.top);
    EXPECT_LT(pBar->GetButton(4)->m_rect.top, pBar->GetButton(8)->m_rect.top);
    EXPECT_LT(rectBar.Width(), 4 * 23 + 20);
}

}  // namespace
}  // namespace tw::test
