// Outlining in the window: folds hide rows from the view, the scrolling and
// the caret; the margin and a double click fold and unfold; a folded block
// draws its replacement text and tells its hidden text as a tip.
#include "tests/editctrl/window/EditWindowFixture.h"

#include <random>
#include <string>

namespace ktvp_window_test {
namespace {

// Rows: 0 "a", 1 "if (x) {", 2 " b", 3 " c", 4 "}", 5 "d".
const std::string kBlockText = "a\nif (x) {\n b\n c\n}\nd\n";

class EditOutlineTest : public EditWindowTest {
protected:
    void SetUp() override
    {
        EditWindowTest::SetUp();
        edit.m_bAutoOutlining = TRUE;
        edit.m_bOutlineOption = TRUE;
        edit.EnableOutlining(TRUE);
    }

    void SetText(const std::string& text) { ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, LPARAM(text.c_str())); }
    CKtvPOutlineNode* TopNode(int index = 0)
    {
        POSITION pos = edit.GetOutlineRoot().m_lstNodes.FindIndex(index);
        return pos == nullptr ? nullptr : static_cast<CKtvPOutlineNode*>(edit.GetOutlineRoot().m_lstNodes.GetAt(pos));
    }
    int CaretLine() const { return edit.GetBuffer().RowOfOffset(edit.GetCaretOffset()); }
    int Offset(const std::string& what) const { return static_cast<int>(Text().find(what)); }
    void ShowOutlineMargin()
    {
        edit.m_bOutlineMargin = TRUE;
        CRect client;
        edit.GetClientRect(&client);
        ::SendMessage(edit.m_hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    }
    // A press in the outline margin, beside the visible row.
    void ClickMargin(int visibleRow)
    {
        const int x = edit.m_nMarkerMarginWidth + edit.m_nOutlineMarginWidth / 2;
        const int y = edit.GetTextArea().top + visibleRow * edit.m_nRowHeight + edit.m_nRowHeight / 2;
        Click(POINT{x, y});
    }
    void Paint()
    {
        CRect client;
        edit.GetClientRect(&client);
        canvas.DeleteDC();
        bitmap.DeleteObject();
        ASSERT_TRUE(canvas.Attach(::CreateCompatibleDC(nullptr)));
        ASSERT_TRUE(bitmap.CreateBitmap(client.Width(), client.Height(), 1, 32, nullptr));
        canvas.SelectObject(&bitmap);
        edit.PaintClient(&canvas);
    }

    CDC canvas;
    CBitmap bitmap;
};

TEST_F(EditOutlineTest, FoldingHidesTheBlocksRowsFromTheView)
{
    SetText(kBlockText);
    CKtvPOutlineNode* pBlock = TopNode();
    ASSERT_NE(pBlock, nullptr);
    EXPECT_EQ(pBlock->GetHeaderStart(), Offset("if"));
    const int rowsBefore = edit.GetVisibleRowCount();

    ASSERT_TRUE(edit.ToggleOutlineNode(pBlock));
    EXPECT_TRUE(pBlock->m_bCollapsed);
    EXPECT_EQ(edit.GetHiddenRowCount(), 3);
    EXPECT_EQ(edit.GetVisibleRowCount(), rowsBefore - 3);
    EXPECT_EQ(edit.VisibleRowOfLine(5), 2) << "d follows the folded row";
    EXPECT_EQ(edit.LineOfVisibleRow(2), 5);
    EXPECT_EQ(edit.VisibleRowOfLine(3), 1) << "a hidden line belongs to the fold's row";
    POINT pt{};
    edit.OffsetToPoint(Offset("d"), pt);
    EXPECT_EQ(pt.y, edit.GetTextArea().top + 2 * edit.m_nRowHeight);
    POINT hit{edit.GetTextArea().left + 2, pt.y + 1};
    EXPECT_EQ(edit.OffsetFromPoint(hit), Offset("d"));

    ASSERT_TRUE(edit.ToggleOutlineNode(pBlock));
    EXPECT_EQ(edit.GetHiddenRowCount(), 0);
    EXPECT_EQ(edit.GetVisibleRowCount(), rowsBefore);
}

TEST_F(EditOutlineTest, UnfoldingTheOuterBlockLeavesTheInnerOneFolded)
{
    SetText("{\n{\n x\n}\n y\n}\nz");
    CKtvPOutlineNode* pOuter = TopNode();
    ASSERT_NE(pOuter, nullptr);
    auto* pInner = static_cast<CKtvPOutlineNode*>(pOuter->m_lstNodes.GetHead());
    edit.ToggleOutlineNode(pInner);
    EXPECT_EQ(edit.GetHiddenRowCount(), 2);
    edit.ToggleOutlineNode(pOuter);
    EXPECT_EQ(edit.GetHiddenRowCount(), 5) << "only the outer block's line breaks are hidden";
    edit.ToggleOutlineNode(pOuter);
    EXPECT_TRUE(pInner->m_bCollapsed);
    EXPECT_EQ(edit.GetHiddenRowCount(), 2);
}

TEST_F(EditOutlineTest, MarginClickTogglesTheBlockStartingOnTheRow)
{
    SetText(kBlockText);
    ShowOutlineMargin();
    ClickMargin(1);
    ASSERT_TRUE(TopNode()->m_bCollapsed);
    EXPECT_EQ(edit.GetCaretOffset(), Offset("if")) << "the caret goes to the folded row's start";
    ClickMargin(1);
    EXPECT_FALSE(TopNode()->m_bCollapsed);
}

TEST_F(EditOutlineTest, MarginClickBesideAnUnpairedBraceIsAnOrdinaryClick)
{
    SetText("a\n{ b\nc\n");
    ShowOutlineMargin();
    ASSERT_NE(TopNode(), nullptr);
    ASSERT_FALSE(TopNode()->IsComplete());
    ClickMargin(1);
    EXPECT_FALSE(TopNode()->m_bCollapsed);
    EXPECT_EQ(CaretLine(), 1);
    EXPECT_EQ(edit.GetCaretOffset(), Offset("{"));
}

TEST_F(EditOutlineTest, DoubleClickOnAFoldedBlockUnfoldsIt)
{
    SetText(kBlockText);
    edit.ToggleOutlineNode(TopNode());
    Paint();
    const RECT rc = TopNode()->m_rect;
    ASSERT_GT(rc.right, rc.left);
    const POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ::SendMessage(edit.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELONG(pt.x, pt.y));
    EXPECT_FALSE(TopNode()->m_bCollapsed);
}

TEST_F(EditOutlineTest, CaretStepsOverAFoldAsOneUnit)
{
    SetText(kBlockText);
    edit.ToggleOutlineNode(TopNode());
    const int foldStart = TopNode()->m_nStart;
    const int foldEnd = TopNode()->m_nEnd;

    edit.SetCaret(foldStart);
    Key(VK_RIGHT);
    EXPECT_EQ(edit.GetCaretOffset(), foldEnd + 1);
    Key(VK_LEFT);
    EXPECT_EQ(edit.GetCaretOffset(), foldStart);

    edit.SetCaret(0);
    Key(VK_DOWN);
    EXPECT_EQ(CaretLine(), 1);
    Key(VK_DOWN);
    EXPECT_EQ(CaretLine(), 5) << "the hidden rows are skipped";
    Key(VK_UP);
    EXPECT_EQ(CaretLine(), 1);
    Key(VK_END);
    EXPECT_EQ(edit.GetCaretOffset(), foldEnd + 1) << "the row ends after the fold";
    Key(VK_HOME);
    EXPECT_EQ(edit.GetCaretOffset(), Offset("if")) << "and starts before it";
}

TEST_F(EditOutlineTest, TypingBelowAFoldKeepsItFoldedAndTheCaretOnItsRow)
{
    SetText(kBlockText);
    edit.ToggleOutlineNode(TopNode());
    edit.SetCaret(Offset("d"));
    Type("xy");
    ASSERT_NE(TopNode(), nullptr);
    EXPECT_TRUE(TopNode()->m_bCollapsed);
    EXPECT_EQ(edit.GetHiddenRowCount(), 3);
    EXPECT_EQ(edit.GetCaretPoint().y, edit.GetTextArea().top + 2 * edit.m_nRowHeight);
    Key(VK_BACK);
    Key(VK_BACK);
    Key(VK_BACK);
    EXPECT_EQ(edit.GetCaretOffset(), TopNode()->m_nEnd + 1) << "the line feed after the fold is gone";
    EXPECT_EQ(edit.GetCaretPoint().y, edit.GetTextArea().top + edit.m_nRowHeight);
}

TEST_F(EditOutlineTest, RandomKeysAndFoldsKeepTheCaretOutsideFolds)
{
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "if (a) {\n  b();\n  { c; }\n}\n";
    SetText(text);
    const UINT keys[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_BACK, VK_DELETE};
    std::mt19937 random(7);
    for (int step = 0; step < 300; ++step) {
        switch (random() % 4) {
        case 0: {
            CObList nodes;
            edit.GetOutlineRoot().GetNodesInRange(0, edit.GetTextLength(), nodes, FALSE, TRUE);
            if (!nodes.IsEmpty())
                edit.ToggleOutlineNode(static_cast<CKtvPOutlineNode*>(
                    nodes.GetAt(nodes.FindIndex(static_cast<INT_PTR>(random() % nodes.GetCount())))));
            break;
        }
        case 1: Type(random() % 2 == 0 ? "{" : "x}"); break;
        default: Key(keys[random() % std::size(keys)]); break;
        }
        Paint();
        const int caret = edit.GetCaretOffset();
        ASSERT_GE(caret, 0);
        ASSERT_LE(caret, edit.GetTextLength());
        const CKtvPOutlineNode* pFold = edit.GetCollapsedNodeAt(caret);
        ASSERT_TRUE(pFold == nullptr || pFold->m_nStart == caret) << "step " << step;
        const int caretRow = edit.VisibleRowOfLine(CaretLine());
        ASSERT_GE(caretRow, edit.m_nFirstVisibleRow) << "step " << step;
        ASSERT_LT(caretRow, edit.m_nFirstVisibleRow + edit.GetPageRows()) << "step " << step;
        ASSERT_EQ(edit.GetVisibleRowCount() + edit.GetHiddenRowCount(),
                  static_cast<const CKtvPEditModel&>(edit).GetVisibleRowCount());
    }
}

TEST_F(EditOutlineTest, ScrollingCountsOnlyVisibleRows)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "{\nx\n}\n";
    SetText(text);
    for (int i = 0; i < 40; ++i)
        edit.ToggleOutlineNode(TopNode(i));
    EXPECT_EQ(edit.GetHiddenRowCount(), 80);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ::GetScrollInfo(edit.m_hWnd, SB_VERT, &info);
    EXPECT_EQ(info.nMax, edit.GetVisibleRowCount() - 1);
    EXPECT_EQ(edit.GetVisibleRowCount(), 40);
    ASSERT_TRUE(edit.ScrollText(SB_VERT, SB_THUMBPOSITION, 10));
    EXPECT_EQ(edit.m_nFirstVisibleRow, 10);
    EXPECT_EQ(edit.m_nFirstVisibleOffset, TopNode(10)->m_nStart) << "row 10 is the eleventh fold's row";
    Key(VK_END);
    edit.SetCaret(edit.GetTextLength());
    EXPECT_GE(edit.VisibleRowOfLine(CaretLine()), edit.m_nFirstVisibleRow);
    EXPECT_LT(edit.VisibleRowOfLine(CaretLine()), edit.m_nFirstVisibleRow + edit.GetPageRows());
}

TEST_F(EditOutlineTest, DeletingAWholeFoldedBlockShowsItsRowsAgain)
{
    SetText(kBlockText);
    edit.ToggleOutlineNode(TopNode());
    ASSERT_EQ(edit.GetHiddenRowCount(), 3);
    const int start = Offset("if");
    ASSERT_TRUE(edit.DeleteText(start, TopNode()->m_nEnd + 1));
    EXPECT_EQ(edit.GetHiddenRowCount(), 0);
    EXPECT_EQ(edit.GetOutlineRoot().GetCount(TRUE), 0);
    EXPECT_EQ(Text(), "a\n\nd\n");
}

TEST_F(EditOutlineTest, EditsFollowTheTreeAndTypingMakesBlocks)
{
    SetText("x\n");
    edit.SetCaret(0);
    Type("{ y }");
    ASSERT_NE(TopNode(), nullptr);
    EXPECT_EQ(TopNode()->m_nStart, 0);
    EXPECT_EQ(TopNode()->m_nEnd, 4);
    edit.SetCaret(0);
    Type("zz");
    EXPECT_EQ(TopNode()->m_nStart, 2) << "the node moved with its text";
}

TEST_F(EditOutlineTest, ReplacingTheTextDropsTheOldBlocks)
{
    SetText(kBlockText);
    edit.ToggleOutlineNode(TopNode());
    // Loaded as a file is: emptied, then the new text inserted.
    ASSERT_TRUE(edit.SetTextBytes("x {\ny\n}\n", 9));
    ASSERT_EQ(edit.GetOutlineRoot().GetCount(TRUE), 1);
    EXPECT_EQ(TopNode()->m_nStart, 2);
    EXPECT_FALSE(TopNode()->m_bCollapsed);
    EXPECT_EQ(edit.GetHiddenRowCount(), 0);
}

TEST_F(EditOutlineTest, WithTheOutlineOptionOffEditsShiftNodesButMakeNone)
{
    SetText(kBlockText);
    const int start = TopNode()->m_nStart;
    edit.m_bOutlineOption = FALSE;
    edit.SetCaret(0);
    Type("{}");
    EXPECT_EQ(edit.GetOutlineRoot().GetCount(TRUE), 1);
    EXPECT_EQ(TopNode()->m_nStart, start + 2);
}

TEST_F(EditOutlineTest, WithOutliningOffNothingFoldsOrHides)
{
    SetText(kBlockText);
    CKtvPOutlineNode* pBlock = TopNode();
    edit.ToggleOutlineNode(pBlock);
    ShowOutlineMargin();
    edit.EnableOutlining(FALSE);
    EXPECT_EQ(edit.GetCollapsedNodeAt(pBlock->m_nStart + 1), nullptr);
    EXPECT_EQ(edit.GetHiddenRowCount(), 0);
    EXPECT_EQ(edit.VisibleRowOfLine(5), 5);
    EXPECT_FALSE(edit.ToggleOutliningAtLine(Offset("if")));
    Type("{");
    EXPECT_EQ(edit.GetOutlineRoot().GetCount(TRUE), 1) << "no edit changes the tree";
}

TEST_F(EditOutlineTest, FoldedBlockTipShowsAtMostTheLimit)
{
    const std::string body(600, 'q');
    SetText("a {\n" + body + "\n}\n");
    edit.ToggleOutlineNode(TopNode());
    Paint();
    const RECT rc = TopNode()->m_rect;
    CString tip;
    ASSERT_TRUE(edit.GetCollapsedBlockTipText(POINT{rc.left + 2, rc.top + 2}, tip));
    EXPECT_EQ(tip.GetLength(), 512);
    EXPECT_EQ(std::string(tip.GetString(), 4), std::string(Text(), static_cast<size_t>(TopNode()->m_nStart), 4));
    EXPECT_FALSE(edit.GetCollapsedBlockTipText(POINT{rc.right + 40, rc.top + 2}, tip));
}

TEST_F(EditOutlineTest, LineNumbersCountTheLinesAFoldHides)
{
    SetText(kBlockText);
    edit.ToggleOutlineNode(TopNode());
    int line = 1;
    int drawn = 0;
    const int next = edit.GetNextVisibleRowStart(Offset("if"), line, drawn);
    EXPECT_EQ(next, Offset("d"));
    EXPECT_EQ(line, 1 + 3 + 1) << "the row above's number, plus the hidden line breaks, plus one";
    EXPECT_EQ(drawn, 1);
}

TEST_F(EditOutlineTest, FoldIsDrawnAsAFramedReplacementAndTheMarginShowsAPlus)
{
    SetText(kBlockText);
    ShowOutlineMargin();
    edit.ToggleOutlineNode(TopNode());
    Paint();
    const RECT rc = TopNode()->m_rect;
    EXPECT_EQ(rc.top, edit.GetTextArea().top + edit.m_nRowHeight);
    EXPECT_EQ(canvas.GetPixel(rc.left, rc.top + 2), RGB(128, 128, 128)) << "the frame's left edge";
    // The button's box, with the plus's vertical stroke in the centre.
    const int x = edit.m_nMarkerMarginWidth + edit.m_nOutlineMarginWidth / 2;
    const int y = edit.GetTextArea().top + edit.m_nRowHeight + edit.m_nRowHeight / 2;
    EXPECT_EQ(canvas.GetPixel(x - 4, y), RGB(128, 128, 128));
    EXPECT_EQ(canvas.GetPixel(x, y - 2), RGB(128, 128, 128)) << "folded: a plus";
    edit.ToggleOutlineNode(TopNode());
    Paint();
    EXPECT_EQ(canvas.GetPixel(x, y - 2), RGB(255, 255, 255)) << "unfolded: a minus";
}

}  // namespace
}  // namespace ktvp_window_test
