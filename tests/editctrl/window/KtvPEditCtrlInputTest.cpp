// The edit window driven by messages: text, keys, characters, the mouse and
// the undo state they leave, and the notices its parent gets.
#include "tests/editctrl/window/EditWindowFixture.h"

#include "platform/display/InputInjector.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace ktvp_window_test {
namespace {

TEST_F(EditWindowTest, SetTextAndGetTextRoundTripAndGetTextNeverOverrunsTheBuffer)
{
    ASSERT_TRUE(::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("select *\nfrom t")));
    EXPECT_EQ(Text(), "select *\nfrom t");
    char small[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(::SendMessage(edit.m_hWnd, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(small)), 3);
    EXPECT_STREQ(small, "sel");
    EXPECT_EQ(small[4], 'x');
    EXPECT_FALSE(edit.CanUndo()) << "loaded text is not an edit";
}

TEST_F(EditWindowTest, TypedCharactersAndKeysEditWithUndoAndNotifyTheParent)
{
    Type("abc");
    Key(VK_LEFT);
    Type("X");
    EXPECT_EQ(Text(), "abXc");
    EXPECT_EQ(edit.GetCaretOffset(), 3);
    EXPECT_GT(parent.m_nChangeNotices, 0);
    Key(VK_BACK);
    EXPECT_EQ(Text(), "abc");
    ::SendMessage(edit.m_hWnd, WM_CHAR, 127, 0);  // Ctrl+Backspace
    EXPECT_EQ(Text(), "abc");
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "abXc");
    EXPECT_TRUE(edit.IsModified());
}

TEST_F(EditWindowTest, ShiftHeldWhileArrowsAreInjectedSelects)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("hello world"));
    tw::display::InputInjector input;
    input.KeyDown(VK_SHIFT);
    input.KeyStroke(VK_RIGHT);
    input.KeyStroke(VK_RIGHT);
    input.KeyUp(VK_SHIFT);
    Pump();
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 2);
    Type("J");
    EXPECT_EQ(Text(), "Jllo world");
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "hello world") << "the replaced selection comes back in the same step";
}

TEST_F(EditWindowTest, ClickPlacesTheCaretAndShiftClickSelectsFromIt)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("first row\nsecond row"));
    Click(PointOf(3));
    EXPECT_EQ(edit.GetCaretOffset(), 3);
    EXPECT_FALSE(edit.HasSelection());
    Click(PointOf(12), true);
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 12);
    Click(PointOf(1));
    EXPECT_FALSE(edit.HasSelection()) << "a plain click drops the selection";
}

TEST_F(EditWindowTest, DraggingTheMouseSelectsAndDoubleClickSelectsTheWord)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("alpha beta gamma"));
    const POINT from = PointOf(1);
    const POINT to = PointOf(8);
    ::SendMessage(edit.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(from.x, from.y));
    ::SendMessage(edit.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELONG(to.x, to.y));
    ::SendMessage(edit.m_hWnd, WM_LBUTTONUP, 0, MAKELONG(to.x, to.y));
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 8);
    EXPECT_EQ(::GetCapture(), nullptr);

    const POINT word = PointOf(12);
    ::SendMessage(edit.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELONG(word.x, word.y));
    edit.GetSel(start, end);
    EXPECT_EQ(start, 11);
    EXPECT_EQ(end, 16);
    EXPECT_EQ(edit.GetCaretOffset(), 16);
}

TEST_F(EditWindowTest, DragBelowTheWindowScrollsOnTheTimerAndKeepsSelecting)
{
    std::string text;
    for (int row = 0; row < 60; ++row)
        text += "row " + std::to_string(row) + "\n";
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    const POINT from = PointOf(0);
    ::SendMessage(edit.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(from.x, from.y));
    ::SendMessage(edit.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELONG(from.x, 260));
    const int firstRow = edit.m_nFirstVisibleRow;
    int start = -1, endBefore = -1, endAfter = -1;
    edit.GetSel(start, endBefore);
    tw::ProcessClock::Advance(1000);
    Pump();
    EXPECT_GT(edit.m_nFirstVisibleRow, firstRow) << "the view moves while the mouse stays below";
    edit.GetSel(start, endAfter);
    EXPECT_EQ(start, 0);
    EXPECT_GT(endAfter, endBefore);
    ::SendMessage(edit.m_hWnd, WM_LBUTTONUP, 0, MAKELONG(from.x, 260));
    const int stopped = edit.m_nFirstVisibleRow;
    tw::ProcessClock::Advance(1000);
    Pump();
    EXPECT_EQ(edit.m_nFirstVisibleRow, stopped) << "releasing the button stops the scrolling";
}

TEST_F(EditWindowTest, FailuresOfTheKeyTableAreReported)
{
    struct Case {
        const char* name;
        const char* text;
        UINT key;
        DWORD code;
    };
    const Case cases[] = {
        {"left at start", "ab", VK_LEFT, KTVP_FAIL_MOVE_LEFT},
        {"up on first row", "ab", VK_UP, KTVP_FAIL_MOVE_UP},
        {"delete at end", "", VK_DELETE, KTVP_FAIL_DELETE_AT_END},
    };
    for (const Case& c : cases) {
        ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.text));
        Key(c.key);
        EXPECT_EQ(edit.GetLastFailure(), c.code) << c.name;
    }
    edit.m_bReadOnly = TRUE;
    Type("z");
    EXPECT_EQ(Text(), "") << "a read-only control takes no characters";
}

}  // namespace
}  // namespace ktvp_window_test

namespace ktvp_window_test {
namespace {

std::string Rows(int count)
{
    std::string text;
    for (int row = 0; row < count; ++row)
        text += "row " + std::to_string(row) + "\n";
    return text;
}

TEST_F(EditWindowTest, WheelScrollsOneRowPerNotchOnlyWhenTheTextIsTallerThanThePage)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("short"));
    EXPECT_FALSE(::SendMessage(edit.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0));
    const std::string text = Rows(80);
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    EXPECT_TRUE(::SendMessage(edit.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), 0));
    EXPECT_EQ(edit.m_nFirstVisibleRow, 2);
    ::SendMessage(edit.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(edit.m_nFirstVisibleRow, 1);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    ASSERT_TRUE(::GetScrollInfo(edit.m_hWnd, SB_VERT, &info));
    EXPECT_EQ(info.nPos, 1) << "the bar follows the view";
}

TEST_F(EditWindowTest, RightClickKeepsASelectionUnderItAndElsewhereMovesTheCaret)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("alpha beta"));
    edit.SetSelection(0, 5, FALSE, TRUE);
    const POINT inside = PointOf(2);
    ::SendMessage(edit.m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELONG(inside.x, inside.y));
    EXPECT_TRUE(edit.HasSelection());
    const POINT outside = PointOf(8);
    ::SendMessage(edit.m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELONG(outside.x, outside.y));
    EXPECT_FALSE(edit.HasSelection());
    EXPECT_EQ(edit.GetCaretOffset(), 8);
}

TEST_F(EditWindowTest, CursorIsTheIBeamOverTextAndNotOverTheMarginOrTheSelection)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("alpha beta"));
    const HCURSOR ibeam = ::LoadCursor(nullptr, IDC_IBEAM);
    auto cursorAt = [&](POINT pt) {
        ::ClientToScreen(edit.m_hWnd, &pt);
        ::SetCursorPos(pt.x, pt.y);
        ::SetCursor(nullptr);
        ::SendMessage(edit.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(edit.m_hWnd), MAKELONG(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    EXPECT_EQ(cursorAt(PointOf(7)), ibeam);
    EXPECT_NE(cursorAt(POINT{2, 5}), ibeam) << "the marker margin";
    edit.SetSelection(6, 10, FALSE, TRUE);
    EXPECT_NE(cursorAt(PointOf(7)), ibeam) << "over the selection, ready to drag";
}

TEST_F(EditWindowTest, PaintingTheWindowPutsTheTextOnScreen)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("WWWW"));
    ::UpdateWindow(edit.m_hWnd);
    HDC screen = ::GetDC(edit.m_hWnd);
    ASSERT_NE(screen, nullptr);
    POINT from{}, to{};
    edit.OffsetToPoint(0, from);
    edit.OffsetToPoint(4, to);
    const COLORREF back = edit.GetDefaultBackColor();
    int inked = 0;
    for (int y = from.y; y < from.y + edit.m_nRowHeight; ++y)
        for (int x = from.x; x < to.x; ++x)
            inked += ::GetPixel(screen, x, y) != back ? 1 : 0;
    ::ReleaseDC(edit.m_hWnd, screen);
    EXPECT_GT(inked, 0);
}

}  // namespace
}  // namespace ktvp_window_test

namespace ktvp_window_test {
namespace {

TEST_F(EditWindowTest, ARowLongerThanTheLimitIsKeptWholeAndTheHorizontalBarReachesItsEnd)
{
    const std::string row(5000, 'a');
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>((row + "\nb").c_str()));
    EXPECT_EQ(Text(), row + "\nb");
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    ASSERT_TRUE(::GetScrollInfo(edit.m_hWnd, SB_HORZ, &info));
    EXPECT_GE(info.nMax, 5000);
    Key(VK_END);
    EXPECT_EQ(edit.GetCaretOffset(), 5000);
    EXPECT_GT(edit.m_nFirstVisibleColumn, 0) << "the view follows the caret to the row's end";
}

TEST_F(EditWindowTest, TypedMultibyteCharactersMoveTheCaretByWholeCharacters)
{
    ::SendMessage(edit.m_hWnd, WM_CHAR, 0xE9, 0);  // e acute
    ::SendMessage(edit.m_hWnd, WM_CHAR, 0x20AC, 0);  // euro sign
    EXPECT_EQ(Text(), "\xC3\xA9\xE2\x82\xAC");
    Key(VK_LEFT);
    EXPECT_EQ(edit.GetCaretOffset(), 2);
    POINT caret = edit.GetCaretPoint();
    POINT expected{};
    edit.OffsetToPoint(2, expected);
    EXPECT_EQ(caret.x, expected.x);
    Key(VK_BACK);
    EXPECT_EQ(Text(), "\xE2\x82\xAC");
}

}  // namespace
}  // namespace ktvp_window_test
