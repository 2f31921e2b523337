// Dragging selected text with the mouse within one control and into a
// second one: moves, copies with Ctrl, refusals, and one undo step each.
#include "tests/editctrl/window/EditWindowFixture.h"

#include "platform/display/InputInjector.h"

namespace ktvp_window_test {
namespace {

class EditDragTest : public EditWindowTest {
protected:
    void SetUp() override
    {
        EditWindowTest::SetUp();
        ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, RECT{0, 220, 400, 400}, &parent, 101));
    }
    void TearDown() override
    {
        if (other.m_hWnd != nullptr)
            other.DestroyWindow();
        EditWindowTest::TearDown();
    }
    // Press at one client point of the first control, release at another
    // (given in the first control's client coordinates).
    void Drag(POINT from, POINT to)
    {
        ::SendMessage(edit.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(from.x, from.y));
        ASSERT_TRUE(edit.IsDraggingText());
        ::SendMessage(edit.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELONG(to.x, to.y));
        ::SendMessage(edit.m_hWnd, WM_LBUTTONUP, 0, MAKELONG(to.x, to.y));
    }
    POINT InOther(int offset) const
    {
        POINT pt{};
        other.OffsetToPoint(offset, pt);
        pt.x += 1;
        pt.y += other.m_nRowHeight / 2;
        ::ClientToScreen(other.m_hWnd, &pt);
        ::ScreenToClient(edit.m_hWnd, &pt);
        return pt;
    }
    std::string OtherText() const { return std::string(other.GetText()); }

    CKtvPEditCtrl other;
};

TEST_F(EditDragTest, DraggedSelectionMovesWithinTheControlAndOneUndoPutsItBack)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc def ghi"));
    edit.SetSelection(0, 4, FALSE, TRUE);
    Drag(PointOf(1), PointOf(8));
    EXPECT_EQ(Text(), "def abc ghi");
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 8);
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "abc def ghi");
}

TEST_F(EditDragTest, DropOntoTheSelectionItselfIsRefusedAndCountsAsAClick)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc def"));
    edit.SetSelection(0, 4, FALSE, TRUE);
    Drag(PointOf(1), PointOf(3));
    EXPECT_EQ(Text(), "abc def");
    EXPECT_EQ(edit.GetLastFailure(), KTVP_FAIL_DROP);
    EXPECT_FALSE(edit.HasSelection());
    EXPECT_EQ(edit.GetCaretOffset(), 3);
    EXPECT_FALSE(edit.CanUndo());
}

TEST_F(EditDragTest, ReleasingWhereThePressWasIsAClick)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc def"));
    edit.SetSelection(0, 4, FALSE, TRUE);
    Drag(PointOf(2), PointOf(2));
    EXPECT_FALSE(edit.HasSelection());
    EXPECT_EQ(edit.GetCaretOffset(), 2);
}

TEST_F(EditDragTest, DragIntoAnotherControlMovesAndCtrlCopies)
{
    ::SendMessage(other.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("[]"));
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("one two"));
    edit.SetSelection(0, 4, FALSE, TRUE);
    Drag(PointOf(1), InOther(1));
    EXPECT_EQ(OtherText(), "[one ]");
    EXPECT_EQ(Text(), "two");
    int start = -1, end = -1;
    other.GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 5);
    ASSERT_TRUE(other.Undo());
    EXPECT_EQ(OtherText(), "[]");
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "one two");

    edit.SetSelection(4, 7, FALSE, TRUE);
    tw::display::InputInjector input;
    input.KeyDown(VK_CONTROL);
    Pump();
    Drag(PointOf(5), InOther(2));
    input.KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(OtherText(), "[]two");
    EXPECT_EQ(Text(), "one two") << "Ctrl copies";
}

TEST_F(EditDragTest, ReadOnlyTargetRefusesTheDropAndTheSourceKeepsItsText)
{
    ::SendMessage(other.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
    other.m_bReadOnly = TRUE;
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("one two"));
    edit.SetSelection(0, 3, FALSE, TRUE);
    Drag(PointOf(1), InOther(0));
    EXPECT_EQ(OtherText(), "x");
    EXPECT_EQ(other.GetLastFailure(), KTVP_FAIL_DROP);
    EXPECT_EQ(Text(), "one two");
}

}  // namespace
}  // namespace ktvp_window_test
