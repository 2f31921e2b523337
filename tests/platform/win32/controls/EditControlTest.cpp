// Edit controls: typing and its notifications, limits and filters, the
// selection, undo, the clipboard, lines, keys, the mouse and scrolling.
#include "tests/platform/win32/controls/ControlTestFixture.h"

#include <cstring>

#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::controls::test {
namespace {

class EditTest : public ControlTest {
protected:
    HWND MakeEdit(DWORD style, const char* text = "", RECT rect = RECT{10, 10, 210, 34})
    {
        HWND edit = Make("Edit", text, style | WS_BORDER, rect, 50);
        SetFocus(edit);
        Pump();
        Clear();
        return edit;
    }
    std::pair<DWORD, DWORD> Selection(HWND edit)
    {
        DWORD start = 0;
        DWORD end = 0;
        SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    std::string Line(HWND edit, int line)
    {
        char buffer[256] = {};
        const WORD capacity = sizeof buffer - 1;
        std::memcpy(buffer, &capacity, sizeof capacity);
        const LRESULT got = SendMessage(edit, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer));
        return std::string(buffer, static_cast<size_t>(got));
    }
    static std::string ClipboardText()
    {
        if (!OpenClipboard(nullptr))
            return "<closed>";
        std::string text;
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }
    static void SetClipboardText(const std::string& text)
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
    }
};

TEST_F(EditTest, EachTypedCharacterNotifiesUpdateThenChange)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL);
    Type("ab");
    EXPECT_EQ(TextOf(edit), "ab");
    EXPECT_EQ(Commands(), (std::vector<std::string>{CommandLine(50, EN_UPDATE), CommandLine(50, EN_CHANGE),
                                                    CommandLine(50, EN_UPDATE), CommandLine(50, EN_CHANGE)}));
    EXPECT_TRUE(SendMessage(edit, EM_GETMODIFY, 0, 0));
    POINT caret{};
    GetCaretPos(&caret);
    EXPECT_EQ(caret.x, static_cast<short>(LOWORD(SendMessage(edit, EM_POSFROMCHAR, 2, 0)))) << "the caret follows";
}

TEST_F(EditTest, KeyStrokesReachTheControlThroughTranslation)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL);
    Key('H');
    Key('I');
    KeyWith(VK_SHIFT, '1');
    EXPECT_EQ(TextOf(edit), "hi!");
}

TEST_F(EditTest, SetTextNotifiesAndLeavesTheControlUnmodified)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL);
    Type("x");
    Clear();
    SetWindowText(edit, "fresh");
    EXPECT_EQ(TextOf(edit), "fresh");
    EXPECT_EQ(GetWindowTextLength(edit), 5);
    EXPECT_FALSE(SendMessage(edit, EM_GETMODIFY, 0, 0));
    EXPECT_FALSE(SendMessage(edit, EM_CANUNDO, 0, 0));
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 0}));
    EXPECT_EQ(Commands(), (std::vector<std::string>{CommandLine(50, EN_UPDATE), CommandLine(50, EN_CHANGE)}));
}

TEST_F(EditTest, LimitCutsTypingAndPastingAndSaysSo)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL);
    SendMessage(edit, EM_LIMITTEXT, 4, 0);
    EXPECT_EQ(SendMessage(edit, EM_GETLIMITTEXT, 0, 0), 4);
    Type("abcdef");
    EXPECT_EQ(TextOf(edit), "abcd");
    const auto commands = Commands();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back(), CommandLine(50, EN_MAXTEXT));
    SendMessage(edit, EM_SETSEL, 1, 3);
    SetClipboardText("XYZW");
    SendMessage(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(edit), "aXYd") << "the pasted text replaces the selection up to the limit";
}

TEST_F(EditTest, LimitNeverSplitsAUtf8Character)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL);
    SendMessage(edit, EM_LIMITTEXT, 3, 0);
    SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("a\xC3\xA9\xC3\xA9"));
    EXPECT_EQ(TextOf(edit), "a\xC3\xA9");
}

TEST_F(EditTest, NumberStyleRefusesAnythingButDigits)
{
    HWND edit = MakeEdit(ES_NUMBER | ES_AUTOHSCROLL);
    Type("1a2-3");
    EXPECT_EQ(TextOf(edit), "123");
    SetClipboardText("45x");
    SendMessage(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(edit), "123") << "a paste with a non-digit is refused whole";
    SetClipboardText("45");
    SendMessage(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(edit), "12345");
}

TEST_F(EditTest, CaseStylesConvertTypedAndPastedText)
{
    struct Case {
        DWORD style;
        const char* expected;
    };
    for (const Case& c : {Case{ES_UPPERCASE, "ABC-DÉ"}, Case{ES_LOWERCASE, "abc-dÉ"}}) {
        HWND edit = MakeEdit(c.style | ES_AUTOHSCROLL);
        Type("aBc");
        SetClipboardText("-d\xC3\x89");
        SendMessage(edit, WM_PASTE, 0, 0);
        EXPECT_EQ(TextOf(edit), std::string(c.expected).replace(5, 2, "\xC3\x89")) << c.style;
        DestroyWindow(edit);
    }
}

TEST_F(EditTest, SetSelFollowsThePlatformRules)
{
    struct Case {
        int start;
        int end;
        DWORD selStart;
        DWORD selEnd;
    };
    HWND edit = MakeEdit(ES_AUTOHSCROLL, "hello");
    const Case cases[] = {
        {0, -1, 0, 5},   // everything
        {4, 1, 1, 4},    // reversed ends
        {2, 99, 2, 5},   // past the end
        {-1, 0, 5, 5},   // -1 removes the selection, keeping the caret (at 5 from the last case)
    };
    for (const Case& c : cases) {
        SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(c.start), static_cast<LPARAM>(c.end));
        EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{c.selStart, c.selEnd})) << c.start << "," << c.end;
    }
    EXPECT_EQ(SendMessage(edit, EM_GETSEL, 0, 0), MAKELONG(5, 5));
    EXPECT_TRUE(Commands().empty()) << "selecting changes no text";
}

TEST_F(EditTest, ReplaceSelUndoesAndASecondUndoRedoes)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL, "one two");
    SendMessage(edit, EM_SETSEL, 4, 7);
    SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("three"));
    EXPECT_EQ(TextOf(edit), "one three");
    ASSERT_TRUE(SendMessage(edit, EM_CANUNDO, 0, 0));
    EXPECT_TRUE(SendMessage(edit, EM_UNDO, 0, 0));
    EXPECT_EQ(TextOf(edit), "one two");
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{4, 7})) << "the restored text comes back selected";
    EXPECT_TRUE(SendMessage(edit, WM_UNDO, 0, 0));
    EXPECT_EQ(TextOf(edit), "one three");
    SendMessage(edit, EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_FALSE(SendMessage(edit, EM_UNDO, 0, 0));
}

TEST_F(EditTest, ReplaceSelWithoutUndoForgetsTheEarlierStep)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL);
    Type("abc");
    SendMessage(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("d"));
    EXPECT_EQ(TextOf(edit), "abcd");
    EXPECT_FALSE(SendMessage(edit, EM_CANUNDO, 0, 0));
}

TEST_F(EditTest, ARunOfTypingIsOneUndoStep)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL, "x");
    SendMessage(edit, EM_SETSEL, 1, 1);
    Type("yz");
    SendMessage(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(TextOf(edit), "x");
}

TEST_F(EditTest, CutCopyPasteGoThroughTheClipboard)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL, "alpha beta");
    SendMessage(edit, EM_SETSEL, 0, 5);
    SendMessage(edit, WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(), "alpha");
    EXPECT_EQ(TextOf(edit), "alpha beta");
    SendMessage(edit, EM_SETSEL, 6, 10);
    SendMessage(edit, WM_CUT, 0, 0);
    EXPECT_EQ(ClipboardText(), "beta");
    EXPECT_EQ(TextOf(edit), "alpha ");
    SendMessage(edit, EM_SETSEL, 0, 0);
    SendMessage(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(edit), "betaalpha ");
    SendMessage(edit, EM_SETSEL, 0, 4);
    SendMessage(edit, WM_CLEAR, 0, 0);
    EXPECT_EQ(TextOf(edit), "alpha ");
    KeyWith(VK_CONTROL, 'Z');
    EXPECT_EQ(TextOf(edit), "betaalpha ") << "Ctrl+Z undoes the clear";
}

TEST_F(EditTest, PasswordControlShowsStarsAndRefusesToCopy)
{
    HWND edit = MakeEdit(ES_PASSWORD | ES_AUTOHSCROLL, "secret");
    EXPECT_EQ(SendMessage(edit, EM_GETPASSWORDCHAR, 0, 0), '*');
    SetClipboardText("before");
    SendMessage(edit, EM_SETSEL, 0, -1);
    SendMessage(edit, WM_COPY, 0, 0);
    SendMessage(edit, WM_CUT, 0, 0);
    EXPECT_EQ(ClipboardText(), "before");
    EXPECT_EQ(TextOf(edit), "secret");
    SendMessage(edit, EM_SETPASSWORDCHAR, 0, 0);
    EXPECT_EQ(GetWindowLong(edit, GWL_STYLE) & ES_PASSWORD, 0);
}

TEST_F(EditTest, MultiLineQueriesCountLinesWithoutTheirBreaks)
{
    HWND edit = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL, "one\r\ntwo\r\nthree",
                         RECT{10, 10, 210, 110});
    EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, 1, 0), 5);
    EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, 3, 0), -1);
    EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, 5, 0), 3);
    EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, 10, 0), 5);
    EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, 6, 0), 1);
    EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, 99, 0), 2);
    EXPECT_EQ(Line(edit, 2), "three");
    EXPECT_EQ(Line(edit, 0), "one");
    EXPECT_EQ(Line(edit, 7), "");
    SendMessage(edit, EM_SETSEL, 7, 7);
    EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, static_cast<WPARAM>(-1), 0), 5) << "-1 is the caret's line";
}

TEST_F(EditTest, GetLineStopsAtTheCallersCapacity)
{
    HWND edit = MakeEdit(ES_MULTILINE, "abcdef", RECT{10, 10, 210, 110});
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    const WORD capacity = 3;
    std::memcpy(buffer, &capacity, sizeof capacity);
    EXPECT_EQ(SendMessage(edit, EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer)), 3);
    EXPECT_EQ(std::string(buffer, 4), "abc#");
}

TEST_F(EditTest, EnterBreaksTheLineOnlyInMultiLineControls)
{
    HWND single = MakeEdit(ES_AUTOHSCROLL, "ab");
    SendMessage(single, EM_SETSEL, 1, 1);
    Type("\r");
    EXPECT_EQ(TextOf(single), "ab");
    HWND multi = MakeEdit(ES_MULTILINE | ES_WANTRETURN, "ab", RECT{10, 50, 210, 150});
    SendMessage(multi, EM_SETSEL, 1, 1);
    Type("\r");
    EXPECT_EQ(TextOf(multi), "a\r\nb");
    EXPECT_EQ(SendMessage(multi, EM_GETLINECOUNT, 0, 0), 2);
    Key(VK_BACK);
    EXPECT_EQ(TextOf(multi), "ab") << "one backspace takes the whole line break";
}

TEST_F(EditTest, DialogCodeLeavesEnterToTheDialogUnlessWantReturn)
{
    HWND single = MakeEdit(ES_AUTOHSCROLL);
    HWND plain = MakeEdit(ES_MULTILINE, "", RECT{10, 40, 210, 100});
    HWND wants = MakeEdit(ES_MULTILINE | ES_WANTRETURN, "", RECT{10, 110, 210, 170});
    MSG enter{};
    enter.message = WM_KEYDOWN;
    enter.wParam = VK_RETURN;
    const LRESULT base = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    EXPECT_EQ(SendMessage(single, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)), base);
    EXPECT_EQ(SendMessage(plain, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)), base);
    EXPECT_EQ(SendMessage(wants, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)), base | DLGC_WANTALLKEYS);
    EXPECT_EQ(SendMessage(plain, WM_GETDLGCODE, 0, 0), base | DLGC_WANTALLKEYS);
}

TEST_F(EditTest, ArrowsStepOverWholeUtf8CharactersAndWords)
{
    // "añb cd": ñ is two bytes.
    HWND edit = MakeEdit(ES_AUTOHSCROLL, "a\xC3\xB1" "b cd");
    SendMessage(edit, EM_SETSEL, 1, 1);
    Key(VK_RIGHT);
    EXPECT_EQ(Selection(edit).first, 3u);
    Key(VK_LEFT);
    EXPECT_EQ(Selection(edit).first, 1u);
    KeyWith(VK_CONTROL, VK_RIGHT);
    EXPECT_EQ(Selection(edit).first, 5u) << "to the start of the next word";
    KeyWith(VK_CONTROL, VK_LEFT);
    EXPECT_EQ(Selection(edit).first, 0u);
    KeyWith(VK_SHIFT, VK_END);
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 7}));
    Key(VK_HOME);
    Key(VK_DELETE);
    Key(VK_DELETE);
    EXPECT_EQ(TextOf(edit), "b cd");
    // A selection end inside a character moves to its start.
    SetWindowText(edit, "\xC3\xB1x");
    SendMessage(edit, EM_SETSEL, 1, 1);
    EXPECT_EQ(Selection(edit).first, 0u);
}

TEST_F(EditTest, Utf8BytesArrivingOneMessageEachMakeOneCharacter)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL);
    Type("\xE2\x82\xAC");  // the euro sign, byte by byte
    SendMessage(edit, WM_CHAR, 0x03B1, 1);  // above 0xFF: a code point, alpha
    EXPECT_EQ(TextOf(edit), "\xE2\x82\xAC\xCE\xB1");
    EXPECT_EQ(Commands().size(), 4u) << "two characters, two update and change pairs";
}

TEST_F(EditTest, ReadOnlyRefusesEditsButNotSelection)
{
    HWND edit = MakeEdit(ES_READONLY | ES_AUTOHSCROLL, "fixed");
    Type("x");
    Key(VK_DELETE);
    KeyWith(VK_SHIFT, VK_END);
    EXPECT_EQ(TextOf(edit), "fixed");
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 5}));
    SendMessage(edit, EM_SETREADONLY, FALSE, 0);
    Type("x");
    EXPECT_EQ(TextOf(edit), "x");
}

TEST_F(EditTest, MouseClickDragAndDoubleClickSelect)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL, "word other");
    const LRESULT at5 = SendMessage(edit, EM_POSFROMCHAR, 5, 0);
    const LRESULT at8 = SendMessage(edit, EM_POSFROMCHAR, 8, 0);
    const int x5 = static_cast<short>(LOWORD(at5));
    const int x8 = static_cast<short>(LOWORD(at8));
    Click(edit, x5, 5);
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{5, 5}));
    const POINT from = ScreenPointOf(edit, x5, 5);
    const POINT to = ScreenPointOf(edit, x8, 5);
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    input.ButtonDown(tw::display::MouseButton::Left, from.x, from.y);
    Pump();
    input.MouseMove(to.x, to.y);
    input.ButtonUp(tw::display::MouseButton::Left, to.x, to.y);
    Pump();
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{5, 8}));
    DoubleClick(edit, x5 + 2, 5);
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{5, 10}));
}

TEST_F(EditTest, CaretMovesBelowTheViewScrollTheLines)
{
    HWND edit = MakeEdit(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, "", RECT{10, 10, 210, 60});
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    SetWindowText(edit, text.c_str());
    EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    KeyWith(VK_CONTROL, VK_END);
    const LRESULT first = SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(first, 15);
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(edit, SB_VERT, &si);
    EXPECT_EQ(si.nPos, first) << "the scroll bar follows the view";
    Clear();
    SendMessage(edit, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(Commands(), std::vector<std::string>{CommandLine(50, EN_VSCROLL)});
    SendMessage(edit, EM_SCROLLCARET, 0, 0);
    EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), first);
}

TEST_F(EditTest, SingleLineWithoutAutoScrollTakesOnlyWhatFits)
{
    HWND narrow = MakeEdit(0, "", RECT{10, 10, 50, 34});
    std::string many(40, 'm');
    Type(many);
    const std::string kept = TextOf(narrow);
    EXPECT_LT(kept.size(), many.size());
    EXPECT_FALSE(kept.empty());
    EXPECT_EQ(Commands().back(), CommandLine(50, EN_MAXTEXT));
    HWND scrolling = MakeEdit(ES_AUTOHSCROLL, "", RECT{10, 40, 50, 64});
    Type(many);
    EXPECT_EQ(TextOf(scrolling), many);
    EXPECT_LT(static_cast<short>(LOWORD(SendMessage(scrolling, EM_POSFROMCHAR, 0, 0))), 0)
        << "the start scrolled out of view to show the caret";
}

TEST_F(EditTest, WrappingMultiLineBreaksLongLinesAtBlanks)
{
    HWND edit = MakeEdit(ES_MULTILINE, "", RECT{10, 10, 110, 110});
    SetWindowText(edit, "aaaa bbbb cccc dddd eeee ffff gggg");
    const LRESULT lines = SendMessage(edit, EM_GETLINECOUNT, 0, 0);
    EXPECT_GT(lines, 1);
    for (LRESULT line = 1; line < lines; ++line) {
        const LRESULT start = SendMessage(edit, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
        EXPECT_EQ((start) % 5, 0) << "line " << line << " starts at a word";
    }
}

TEST_F(EditTest, MarginsMoveTheText)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL, "abc");
    SendMessage(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(7, 3));
    EXPECT_EQ(SendMessage(edit, EM_GETMARGINS, 0, 0), MAKELONG(7, 3));
    EXPECT_EQ(LOWORD(SendMessage(edit, EM_POSFROMCHAR, 0, 0)), 7);
    RECT format{};
    SendMessage(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    RECT client{};
    GetClientRect(edit, &client);
    EXPECT_EQ(format.left, 7);
    EXPECT_EQ(format.right, client.right - 3);
}

TEST_F(EditTest, SelectionIsDrawnInHighlightColoursWhileFocused)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL, "mmmmmm");
    HWND other = Make("Button", "x", BS_PUSHBUTTON, RECT{300, 10, 350, 30}, 9);
    SendMessage(edit, EM_SETSEL, 0, -1);
    Pump();
    // The row above the glyphs: the band is solid there.
    const int y = 1;
    const int x = static_cast<short>(LOWORD(SendMessage(edit, EM_POSFROMCHAR, 1, 0)));
    EXPECT_EQ(ScreenPixel(edit, x, y), GetSysColor(COLOR_HIGHLIGHT));
    const int pastEnd = static_cast<short>(LOWORD(SendMessage(edit, EM_POSFROMCHAR, 6, 0))) + 2;
    EXPECT_EQ(ScreenPixel(edit, pastEnd, y), GetSysColor(COLOR_WINDOW));
    SetFocus(other);
    Pump();
    EXPECT_NE(ScreenPixel(edit, x, y), GetSysColor(COLOR_HIGHLIGHT)) << "the selection hides without focus";
}

TEST_F(EditTest, FocusChangesNotify)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL);
    HWND other = Make("Button", "x", BS_PUSHBUTTON, RECT{300, 10, 350, 30}, 9);
    SetFocus(other);
    SetFocus(edit);
    EXPECT_EQ(Commands(), (std::vector<std::string>{CommandLine(50, EN_KILLFOCUS), CommandLine(50, EN_SETFOCUS)}));
    POINT caret{};
    GetCaretPos(&caret);
    EXPECT_EQ(caret.x, 0);
}

}  // namespace
}  // namespace tw::controls::test

namespace tw::controls::test {
namespace {

class EditLayoutTest : public ControlTest {
protected:
    HWND MakeEdit(DWORD style, const char* text, RECT rect = RECT{10, 10, 210, 110})
    {
        HWND edit = Make("Edit", text, style, rect, 51);
        Pump();
        Clear();
        return edit;
    }
    int XOf(HWND edit, int index) { return static_cast<short>(LOWORD(SendMessage(edit, EM_POSFROMCHAR, index, 0))); }
};

TEST_F(EditLayoutTest, AlignmentStylesPlaceTheLines)
{
    HWND left = MakeEdit(ES_MULTILINE | ES_LEFT, "ab");
    HWND centre = MakeEdit(ES_MULTILINE | ES_CENTER, "ab", RECT{10, 120, 210, 220});
    HWND right = MakeEdit(ES_MULTILINE | ES_RIGHT, "ab", RECT{220, 10, 420, 110});
    const int width = XOf(left, 2) - XOf(left, 0);
    EXPECT_EQ(XOf(left, 0), 0);
    EXPECT_NEAR(XOf(centre, 0), (200 - width) / 2, 1);
    EXPECT_EQ(XOf(right, 2), 200);
}

TEST_F(EditLayoutTest, PastedLineBreaksBecomeCrLfInMultiLineAndCutTheTextInSingleLine)
{
    HWND multi = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, "");
    HWND single = MakeEdit(ES_AUTOHSCROLL, "", RECT{10, 120, 210, 144});
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const char text[] = "one\ntwo\rthree";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    std::memcpy(GlobalLock(memory), text, sizeof text);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    SendMessage(multi, WM_PASTE, 0, 0);
    SendMessage(single, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(multi), "one\r\ntwo\r\nthree");
    EXPECT_EQ(SendMessage(multi, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(TextOf(single), "one");
}

TEST_F(EditLayoutTest, TabStopsSetInDialogUnitsMoveTheTextAfterATab)
{
    HWND edit = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, "a\tb");
    const int before = XOf(edit, 2);
    int stop = 100;
    EXPECT_TRUE(SendMessage(edit, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop)));
    const int after = XOf(edit, 2);
    EXPECT_NE(before, after);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(after, 100 * tm.tmAveCharWidth / 4);
}

TEST_F(EditLayoutTest, HorizontalScrollBarScrollsAndNotifies)
{
    HWND edit = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL | WS_HSCROLL,
                         "a line much longer than the control is wide, to have somewhere to scroll to");
    EXPECT_EQ(XOf(edit, 0), 0);
    SendMessage(edit, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_LT(XOf(edit, 0), 0);
    EXPECT_EQ(Commands(), std::vector<std::string>{CommandLine(51, EN_HSCROLL)});
    SendMessage(edit, WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(XOf(edit, 0), 0);
}

TEST_F(EditLayoutTest, WithoutAutoVScrollOnlyTheVisibleLinesAreTaken)
{
    // Two lines of the system font fit in 36 pixels, three do not.
    HWND fixed = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, "", RECT{10, 10, 210, 46});
    HWND scrolling = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL, "", RECT{10, 60, 210, 96});
    for (HWND edit : {fixed, scrolling}) {
        SetFocus(edit);
        for (char c : std::string("one\rtwo\rthree"))
            SendMessage(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    EXPECT_EQ(TextOf(fixed), "one\r\ntwothree") << "the third line break is refused; typing goes on";
    EXPECT_EQ(TextOf(scrolling), "one\r\ntwo\r\nthree");
    EXPECT_EQ(SendMessage(scrolling, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
    std::vector<std::string> maxText;
    for (const std::string& line : Commands())
        if (line == CommandLine(51, EN_MAXTEXT))
            maxText.push_back(line);
    EXPECT_FALSE(maxText.empty());
}

struct RoundTripCase {
    const char* name;
    DWORD style;
    const char* text;
};

class EditRoundTripTest : public EditLayoutTest, public ::testing::WithParamInterface<RoundTripCase> {};

// Every character boundary maps to a point and back to itself.
TEST_P(EditRoundTripTest, CharFromPosInvertsPosFromChar)
{
    HWND edit = MakeEdit(GetParam().style, GetParam().text, RECT{10, 10, 410, 110});
    const std::string text = GetParam().text;
    for (size_t k = 0; k <= text.size(); ++k) {
        if (k < text.size() && (static_cast<unsigned char>(text[k]) & 0xC0) == 0x80)
            continue;  // inside a character
        const LRESULT pos = SendMessage(edit, EM_POSFROMCHAR, k, 0);
        const LRESULT back = SendMessage(edit, EM_CHARFROMPOS, 0, pos);
        EXPECT_EQ(LOWORD(back), k) << "offset " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EditRoundTripTest,
    ::testing::Values(RoundTripCase{"Plain", ES_AUTOHSCROLL, "word other, more"},
                      RoundTripCase{"Utf8", ES_AUTOHSCROLL, "na\xC3\xAFve \xE2\x82\xAC" "5"},
                      RoundTripCase{"Password", ES_AUTOHSCROLL | ES_PASSWORD, "s\xC3\xA9" "cret"},
                      RoundTripCase{"Tabs", ES_MULTILINE | ES_AUTOHSCROLL, "a\tbb\tc"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditLayoutTest, DragSelectingBelowTheTextScrollsItIntoView)
{
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    HWND edit = MakeEdit(ES_MULTILINE | ES_AUTOVSCROLL, text.c_str(), RECT{10, 10, 210, 60});
    const POINT start = ScreenPointOf(edit, 0, 2);
    RECT client{};
    GetClientRect(edit, &client);
    const POINT below = ScreenPointOf(edit, 2, client.bottom + 8);
    tw::ProcessClock::Advance(1000);
    input.MouseMove(start.x, start.y);
    input.ButtonDown(tw::display::MouseButton::Left, start.x, start.y);
    Pump();
    input.MouseMove(below.x, below.y);
    Pump();
    const LRESULT firstAfterMove = SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    for (int i = 0; i < 4; ++i) {
        tw::ProcessClock::Advance(100);
        Pump();
    }
    EXPECT_GE(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), firstAfterMove + 4);
    input.ButtonUp(tw::display::MouseButton::Left, below.x, below.y);
    Pump();
    DWORD selStart = 0;
    DWORD selEnd = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    EXPECT_EQ(selStart, 0u);
    EXPECT_GT(selEnd, 30u) << "the selection reaches the scrolled-in lines";
}

TEST_F(EditLayoutTest, ClickOnALowerLinePlacesTheCaretThere)
{
    HWND edit = MakeEdit(ES_MULTILINE, "first\r\nsecond\r\nthird");
    const LRESULT pos = SendMessage(edit, EM_POSFROMCHAR, 10, 0);  // "second", after "sec"
    Click(edit, static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)) + 3);
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 10u);
    EXPECT_EQ(end, 10u);
    const LRESULT at = SendMessage(edit, EM_CHARFROMPOS, 0, pos);
    EXPECT_EQ(LOWORD(at), 10);
    EXPECT_EQ(HIWORD(at), 1) << "the line";
    Key(VK_UP);
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const LRESULT above = SendMessage(edit, EM_CHARFROMPOS, 0, MAKELPARAM(LOWORD(pos), 2));
    EXPECT_EQ(start, LOWORD(above)) << "straight up, at the same x";
    EXPECT_GT(start, 2u);
    EXPECT_LT(start, 5u);
}

}  // namespace
}  // namespace tw::controls::test
