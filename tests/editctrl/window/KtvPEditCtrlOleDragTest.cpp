// Dragging text through OLE drag and drop, with OLE started as the program
// starts it: the gesture is injected mouse input, so the drag loop, the drop
// targets and the controls work as a person would use them.
#include "tests/editctrl/window/EditWindowFixture.h"

#include <cstring>

#include "platform/display/Display.h"
#include "platform/display/InputInjector.h"
#include "platform/mfc/afxole.h"
#include "platform/win32/kernel/GlobalMemory.h"

namespace ktvp_window_test {
namespace {

class EditOleDragTest : public EditWindowTest {
protected:
    void SetUp() override
    {
        tw::display::Display::Instance().Input().Clear();
        ASSERT_TRUE(AfxOleInit());
        EditWindowTest::SetUp();
        ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, RECT{0, 220, 400, 400}, &parent, 101));
        Pump();
    }
    void TearDown() override
    {
        if (other.m_hWnd != nullptr)
            other.DestroyWindow();
        EditWindowTest::TearDown();
        tw::display::Display::Instance().Input().Clear();
        OleUninitialize();
    }

    static POINT ToScreen(const CWnd& wnd, POINT pt)
    {
        ::ClientToScreen(wnd.m_hWnd, &pt);
        return pt;
    }
    POINT InOther(int offset) const
    {
        POINT pt{};
        other.OffsetToPoint(offset, pt);
        pt.x += 1;
        pt.y += other.m_nRowHeight / 2;
        return ToScreen(other, pt);
    }

    // Press at `from` (screen), move to `to` in steps, then release there.
    void Drag(POINT from, POINT to, unsigned modifiers = 0, bool escape = false)
    {
        input.MouseMove(from.x, from.y);
        input.ButtonDown(tw::display::MouseButton::Left, from.x, from.y);
        input.SetModifiers(modifiers);
        for (int step = 1; step <= 4; ++step)
            input.MouseMove(from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4);
        if (escape)
            input.KeyStroke(VK_ESCAPE);
        input.ButtonUp(tw::display::MouseButton::Left, to.x, to.y);
        input.SetModifiers(0);
        Pump();
    }
    void DragWithin(int fromOffset, int toOffset, unsigned modifiers = 0, bool escape = false)
    {
        Drag(ToScreen(edit, PointOf(fromOffset)), ToScreen(edit, PointOf(toOffset)), modifiers, escape);
    }
    std::string OtherText() const { return std::string(other.GetText()); }
    std::pair<int, int> Selection(const CKtvPEditCtrl& control) const
    {
        int start = -1, end = -1;
        control.GetSel(start, end);
        return {start, end};
    }

    tw::display::InputInjector input;
    CKtvPEditCtrl other;
};

using Range = std::pair<int, int>;

TEST_F(EditOleDragTest, PlainDragMovesWithinTheControlAndOneUndoPutsItBack)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc def ghi"));
    edit.SetSelection(0, 4, FALSE, TRUE);
    DragWithin(1, 8);
    EXPECT_EQ(Text(), "def abc ghi");
    EXPECT_EQ(Selection(edit), Range(4, 8));
    EXPECT_EQ(edit.GetCaretOffset(), 8);
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "abc def ghi");
    EXPECT_FALSE(edit.CanUndo());
}

TEST_F(EditOleDragTest, CtrlCopiesAndSelectsTheCopy)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc def ghi"));
    edit.SetSelection(0, 4, FALSE, TRUE);
    DragWithin(1, 8, tw::display::ModControl);
    EXPECT_EQ(Text(), "abc def abc ghi");
    EXPECT_EQ(Selection(edit), Range(8, 12));
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "abc def ghi");
}

TEST_F(EditOleDragTest, DragBackwardsMovesTheTextBeforeTheSelection)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc def ghi"));
    edit.SetSelection(8, 11, FALSE, TRUE);
    DragWithin(9, 0);
    EXPECT_EQ(Text(), "ghiabc def ");
    EXPECT_EQ(Selection(edit), Range(0, 3));
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "abc def ghi");
    EXPECT_FALSE(edit.CanUndo());
}

TEST_F(EditOleDragTest, EscCancelsWithNoChange)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc def ghi"));
    edit.SetSelection(0, 4, FALSE, TRUE);
    DragWithin(1, 8, 0, true);
    EXPECT_EQ(Text(), "abc def ghi");
    EXPECT_EQ(Selection(edit), Range(0, 4));
    EXPECT_FALSE(edit.CanUndo());
}

TEST_F(EditOleDragTest, DropOntoItsOwnSelectionIsRefused)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abcdefgh ijk"));
    edit.SetSelection(0, 8, FALSE, TRUE);
    DragWithin(1, 6);
    EXPECT_EQ(Text(), "abcdefgh ijk");
    EXPECT_EQ(edit.GetLastFailure(), KTVP_FAIL_DROP);
    EXPECT_FALSE(edit.CanUndo());
}

TEST_F(EditOleDragTest, PressAndReleaseInTheSelectionIsAClick)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc def"));
    edit.SetSelection(0, 4, FALSE, TRUE);
    const POINT at = ToScreen(edit, PointOf(2));
    input.Click(tw::display::MouseButton::Left, at.x, at.y);
    Pump();
    EXPECT_FALSE(edit.HasSelection());
    EXPECT_EQ(edit.GetCaretOffset(), 2);
}

TEST_F(EditOleDragTest, DragIntoAnotherControlMovesTheTextThereUnselected)
{
    ::SendMessage(other.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("[]"));
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("one two"));
    edit.SetSelection(0, 4, FALSE, TRUE);
    Drag(ToScreen(edit, PointOf(1)), InOther(1));
    EXPECT_EQ(OtherText(), "[one ]");
    EXPECT_EQ(Text(), "two");
    EXPECT_FALSE(other.HasSelection());
    // Each control undoes its own part in one step, and the drop is not
    // merged with what is typed next.
    ::SendMessage(other.m_hWnd, WM_CHAR, 'x', 0);
    ASSERT_TRUE(other.Undo());
    ASSERT_TRUE(other.Undo());
    EXPECT_EQ(OtherText(), "[]");
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "one two");
}

TEST_F(EditOleDragTest, ReadOnlyTargetRefusesAndTheSourceKeepsItsText)
{
    ::SendMessage(other.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
    other.m_bReadOnly = TRUE;
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("one two"));
    edit.SetSelection(0, 3, FALSE, TRUE);
    Drag(ToScreen(edit, PointOf(1)), InOther(0));
    EXPECT_EQ(OtherText(), "x");
    EXPECT_EQ(Text(), "one two");
    EXPECT_FALSE(edit.CanUndo());
}

// The drop target's side called directly, with text from elsewhere.
class EditDropTargetTest : public EditOleDragTest {
protected:
    void SetUp() override
    {
        EditOleDragTest::SetUp();
        auto* source = new COleDataSource;
        const char text[] = "dropped\r\nrow";
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
        std::memcpy(GlobalLock(block), text, sizeof text);
        GlobalUnlock(block);
        source->CacheGlobalData(CF_TEXT, block);
        dataSource.reset(source);
        LPDATAOBJECT object = static_cast<LPDATAOBJECT>(dataSource->GetInterface(&IID_IDataObject));
        object->AddRef();
        data.Attach(object, TRUE);
    }

    std::unique_ptr<COleDataSource> dataSource;
    COleDataObject data;
};

TEST_F(EditDropTargetTest, CaretFollowsTheDragAndCtrlAsksForACopy)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc def ghi"));
    EXPECT_EQ(edit.OnDragEnter(&data, MK_LBUTTON, PointOf(4)), static_cast<DROPEFFECT>(DROPEFFECT_MOVE));
    EXPECT_EQ(edit.GetCaretOffset(), 4);
    EXPECT_EQ(edit.OnDragOver(&data, MK_LBUTTON | MK_CONTROL, PointOf(6)), static_cast<DROPEFFECT>(DROPEFFECT_COPY));
    EXPECT_EQ(edit.GetCaretOffset(), 6);
    edit.OnDragLeave();
}

TEST_F(EditDropTargetTest, RestingNearTheBottomScrollsTheView)
{
    std::string rows;
    for (int i = 0; i < 100; ++i)
        rows += "row " + std::to_string(i) + "\n";
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rows.c_str()));
    const CPoint nearBottom(40, edit.GetTextArea().bottom - 2);
    const int firstBefore = edit.m_nFirstVisibleRow;
    for (int repeat = 0; repeat < 5; ++repeat)
        edit.OnDragOver(&data, MK_LBUTTON, nearBottom);
    EXPECT_GT(edit.m_nFirstVisibleRow, firstBefore);
    edit.OnDragLeave();
}

TEST_F(EditDropTargetTest, DroppedTextLosesItsCarriageReturnsAndIsOneUndoStep)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab"));
    ASSERT_TRUE(edit.OnDrop(&data, DROPEFFECT_COPY, PointOf(1)));
    EXPECT_EQ(Text(), "adropped\nrowb");
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "ab");
}

TEST_F(EditDropTargetTest, ReadOnlyOrTextlessDataIsRefused)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab"));
    COleDataObject empty;
    auto* nothing = new tw::ole::DataObject;
    empty.Attach(nothing, TRUE);
    EXPECT_EQ(edit.OnDragOver(&empty, MK_LBUTTON, PointOf(1)), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    edit.m_bReadOnly = TRUE;
    EXPECT_EQ(edit.OnDragEnter(&data, MK_LBUTTON, PointOf(1)), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_FALSE(edit.OnDrop(&data, DROPEFFECT_COPY, PointOf(1)));
    EXPECT_EQ(Text(), "ab");
}

}  // namespace
}  // namespace ktvp_window_test
