#include <cstring>
#include <string>
#include <vector>

#include "platform/comctl/RichEdit.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "tests/platform/comctl/CommonControlTest.h"

namespace tw::comctl::test {
namespace {

// A multi-line rich edit at (10,10)-(310,210) whose parent records the
// WM_COMMAND codes it sends and the selections of its EN_SELCHANGE.
class RichEditTest : public CommonControlTest {
protected:
    void SetUp() override
    {
        CommonControlTest::SetUp();
        edit = Make(RICHEDIT_CLASS, ES_MULTILINE | ES_WANTRETURN | ES_NOHIDESEL | WS_VSCROLL | WS_HSCROLL,
                    RECT{10, 10, 310, 210}, 1804);
        onMessage = [this](UINT message, WPARAM wParam, LPARAM, LRESULT*) {
            if (message == WM_COMMAND && LOWORD(wParam) == 1804)
                commands.push_back(HIWORD(wParam));
            return false;
        };
        onNotify = [this](NMHDR* header) -> LRESULT {
            if (header->code == EN_SELCHANGE) {
                const auto* change = reinterpret_cast<SELCHANGE*>(header);
                selections.push_back({change->chrg.cpMin, change->chrg.cpMax});
            }
            return 0;
        };
    }

    // What a test copied would otherwise outlive the process.
    void TearDown() override
    {
        EmptyTheClipboard();
        CommonControlTest::TearDown();
    }

    void SetText(const char* text) { SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
    std::string Text()
    {
        char text[512] = {};
        SendMessage(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void Select(LONG from, LONG to)
    {
        CHARRANGE range{from, to};
        SendMessage(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    CHARRANGE Selection()
    {
        CHARRANGE range{};
        SendMessage(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        return range;
    }
    BOOL SetBold(bool bold, WPARAM scope = SCF_SELECTION)
    {
        CHARFORMAT cf{};
        cf.cbSize = sizeof cf;
        cf.dwMask = CFM_BOLD;
        cf.dwEffects = bold ? CFE_BOLD : 0;
        return BOOL(SendMessage(edit, EM_SETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&cf)));
    }
    CHARFORMAT2 Format(WPARAM scope = SCF_SELECTION)
    {
        CHARFORMAT2 cf{};
        cf.cbSize = sizeof cf;
        SendMessage(edit, EM_GETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&cf));
        return cf;
    }
    PARAFORMAT2 Para()
    {
        PARAFORMAT2 pf{};
        pf.cbSize = sizeof pf;
        SendMessage(edit, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
        return pf;
    }
    void SetNumbering(WORD kind)
    {
        PARAFORMAT2 pf{};
        pf.cbSize = sizeof pf;
        pf.dwMask = PFM_NUMBERING | PFM_STARTINDENT | PFM_OFFSET | PFM_NUMBERINGSTART;
        pf.wNumbering = kind;
        pf.wNumberingStart = 1;
        pf.dxOffset = 360;
        SendMessage(edit, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    }
    void PutOnClipboard(const std::string& text)
    {
        ASSERT_TRUE(OpenClipboard(parent));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
    }
    void EmptyTheClipboard()
    {
        ASSERT_TRUE(OpenClipboard(parent));
        EmptyClipboard();
        CloseClipboard();
    }
    bool CanUndo() { return SendMessage(edit, EM_CANUNDO, 0, 0) != 0; }
    bool CanRedo() { return SendMessage(edit, EM_CANREDO, 0, 0) != 0; }
    void Undo() { SendMessage(edit, EM_UNDO, 0, 0); }
    void Redo() { SendMessage(edit, EM_REDO, 0, 0); }
    void Focus()
    {
        SetFocus(edit);
        Pump();
    }
    // The leftmost column in [0, 200) of a client row band that holds ink, or -1.
    int FirstInkColumn(int top, int bottom)
    {
        UpdateWindow(edit);
        for (int x = 0; x < 200; ++x)
            for (int y = top; y < bottom; ++y)
                if (ScreenPixel(edit, x, y) != RGB(255, 255, 255))
                    return x;
        return -1;
    }
    std::vector<COLORREF> Block(int left, int top, int right, int bottom)
    {
        UpdateWindow(edit);
        std::vector<COLORREF> pixels;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                pixels.push_back(ScreenPixel(edit, x, y));
        return pixels;
    }
    POINTL PositionOf(LONG at)
    {
        POINTL point{};
        SendMessage(edit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), at);
        return point;
    }
    // Rows are paragraphs; the second starts one row height down.
    int RowHeight() { return int(PositionOf(3).y - PositionOf(0).y); }

    HWND edit = nullptr;
    std::vector<WORD> commands;
    std::vector<std::pair<LONG, LONG>> selections;
};

TEST_F(RichEditTest, CharacterFormatsReadBackWithOnlyTheSharedAttributesInTheMask)
{
    SetText("plain bold");
    Select(6, 10);
    ASSERT_TRUE(SetBold(true));
    CHARFORMAT2 bold = Format();
    EXPECT_TRUE(bold.dwMask & CFM_BOLD);
    EXPECT_TRUE(bold.dwEffects & CFE_BOLD);

    Select(0, 10);
    const CHARFORMAT2 mixed = Format();
    EXPECT_FALSE(mixed.dwMask & CFM_BOLD) << "bold differs across the selection";
    EXPECT_TRUE(mixed.dwMask & CFM_FACE);
    EXPECT_TRUE(mixed.dwMask & CFM_SIZE);

    Select(0, 5);
    EXPECT_FALSE(Format().dwEffects & CFE_BOLD);
    EXPECT_EQ(Text(), "plain bold") << "formats never reach the plain text";
}

TEST_F(RichEditTest, FormatRequestsOfAnUnknownSizeFail)
{
    SetText("abc");
    Select(0, 3);
    CHARFORMAT cf{};
    cf.cbSize = sizeof cf - 4;
    cf.dwMask = CFM_BOLD;
    cf.dwEffects = CFE_BOLD;
    EXPECT_EQ(SendMessage(edit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)), 0);
    EXPECT_EQ(SendMessage(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)), 0);
    PARAFORMAT pf{};
    pf.cbSize = 12;
    pf.dwMask = PFM_ALIGNMENT;
    pf.wAlignment = PFA_CENTER;
    EXPECT_EQ(SendMessage(edit, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)), 0);
    EXPECT_FALSE(Format().dwEffects & CFE_BOLD);
}

// The property value editor sets Times New Roman 12 points on the word at the
// caret before anything is typed: typing then uses it.
TEST_F(RichEditTest, WordFormatOnAnEmptyControlBecomesTheTypingFormat)
{
    CHARFORMAT cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED;
    cf.yHeight = 240;
    std::strcpy(cf.szFaceName, "Times New Roman");
    ASSERT_TRUE(SendMessage(edit, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, reinterpret_cast<LPARAM>(&cf)));
    Focus();
    Type("hello");
    Select(0, 5);
    const CHARFORMAT2 typed = Format();
    EXPECT_STREQ(typed.szFaceName, "Times New Roman");
    EXPECT_EQ(typed.yHeight, 240);
    EXPECT_TRUE(typed.dwMask & CFM_FACE);
}

TEST_F(RichEditTest, WordFormatWithTheCaretInsideAWordFormatsThatWordOnly)
{
    SetText("one two three");
    Select(5, 5);
    ASSERT_TRUE(SetBold(true, SCF_SELECTION | SCF_WORD));
    const struct {
        LONG from, to;
        bool bold;
    } cases[] = {{0, 3, false}, {4, 7, true}, {8, 13, false}};
    for (const auto& c : cases) {
        Select(c.from, c.to);
        const CHARFORMAT2 cf = Format();
        EXPECT_TRUE(cf.dwMask & CFM_BOLD) << c.from;
        EXPECT_EQ((cf.dwEffects & CFE_BOLD) != 0, c.bold) << c.from;
    }
}

// The list toggle of the property value editor: read, then switch off when
// the same kind is on, else on with start 1 and a 360-twip tab.
TEST_F(RichEditTest, ParagraphNumberingSetAndReadBackPerParagraph)
{
    SetText("first\r\nsecond\r\nthird");
    Select(8, 8);
    PARAFORMAT2 on{};
    on.cbSize = sizeof on;
    on.dwMask = PFM_NUMBERING | PFM_NUMBERINGSTYLE | PFM_NUMBERINGTAB | PFM_NUMBERINGSTART;
    on.wNumbering = PFN_ARABIC;
    on.wNumberingStart = 1;
    on.wNumberingStyle = 1;
    on.wNumberingTab = 360;
    ASSERT_TRUE(SendMessage(edit, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&on)));
    PARAFORMAT2 read = Para();
    EXPECT_EQ(read.wNumbering, PFN_ARABIC);
    EXPECT_EQ(read.wNumberingStart, 1);
    EXPECT_EQ(read.wNumberingTab, 360);
    EXPECT_TRUE(read.dwMask & PFM_NUMBERING);

    Select(0, 0);
    EXPECT_EQ(Para().wNumbering, 0) << "the first paragraph was not selected";
    Select(0, 20);
    EXPECT_FALSE(Para().dwMask & PFM_NUMBERING) << "numbering differs across the selection";
    EXPECT_TRUE(Para().dwMask & PFM_ALIGNMENT);

    PARAFORMAT align{};
    align.cbSize = sizeof align;
    align.dwMask = PFM_ALIGNMENT;
    align.wAlignment = PFA_RIGHT;
    ASSERT_TRUE(SendMessage(edit, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&align)));
    Select(8, 8);
    EXPECT_EQ(Para().wAlignment, PFA_RIGHT);
    EXPECT_EQ(Para().wNumbering, PFN_ARABIC) << "setting the alignment keeps the numbering";
}

TEST_F(RichEditTest, ParagraphsTypedInsideANumberedListContinueIt)
{
    SetText("item");
    SetNumbering(PFN_ARABIC);
    Focus();
    SendMessage(edit, EM_SETSEL, 4, 4);
    Key(VK_RETURN);
    Type("next");
    EXPECT_EQ(Text(), "item\r\nnext");
    EXPECT_EQ(Para().wNumbering, PFN_ARABIC);
    SendMessage(edit, EM_SETSEL, 0, 0);
    Key(VK_DELETE);
    SendMessage(edit, EM_SETSEL, 3, 3);
    Key(VK_DELETE);
    EXPECT_EQ(Text(), "temnext") << "the line break goes as one character";
    EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(RichEditTest, BulletsAndNumbersAreDrawnBeforeTheTextWhichMovesRight)
{
    SetText("W\r\nW\r\nW");
    const int height = RowHeight();
    ASSERT_GE(FirstInkColumn(0, height), 0);
    EXPECT_LT(FirstInkColumn(0, height), 4) << "plain text starts at the margin";

    struct Case {
        WORD kind;
        bool labelsDiffer;
    } cases[] = {{PFN_BULLET, false}, {PFN_ARABIC, true}, {PFN_UCLETTER, true}};
    for (const Case& c : cases) {
        Select(0, -1);
        SetNumbering(c.kind);
        // The text moved right by the 360-twip (24 pixel) offset; the label stands before it.
        const auto labelRow1 = Block(0, 1 + height, 22, 2 * height);
        const auto labelRow2 = Block(0, 1 + 2 * height, 22, 3 * height);
        EXPECT_NE(labelRow1, std::vector<COLORREF>(labelRow1.size(), RGB(255, 255, 255))) << c.kind;
        EXPECT_EQ(labelRow1 != labelRow2, c.labelsDiffer) << c.kind;
        const auto textColumns = Block(25, 1, 40, height);
        EXPECT_NE(textColumns, std::vector<COLORREF>(textColumns.size(), RGB(255, 255, 255))) << c.kind;
    }
    Select(0, -1);
    SetNumbering(0);
    EXPECT_LT(FirstInkColumn(0, height), 4) << "switched off, the text is back at the margin";
    EXPECT_EQ(Text(), "W\r\nW\r\nW") << "labels are never part of the text";
}

TEST_F(RichEditTest, UndoAndRedoWalkTheHistoryOfTextAndFormats)
{
    Focus();
    Type("abc");
    Key(VK_SPACE);
    Type("def");
    SendMessage(edit, EM_SETSEL, 0, 3);
    SetBold(true);
    SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("XYZ"));
    EXPECT_EQ(Text(), "XYZ def");

    // Each line: the text and whether its first character is bold after one more undo.
    const struct {
        const char* text;
        bool bold;
    } history[] = {{"abc def", true}, {"abc def", false}, {"", false}};
    for (const auto& step : history) {
        ASSERT_TRUE(CanUndo());
        Undo();
        EXPECT_EQ(Text(), step.text);
        Select(0, 1);
        EXPECT_EQ((Format().dwEffects & CFE_BOLD) != 0, step.bold) << step.text;
    }
    EXPECT_FALSE(CanUndo()) << "typing without a break is one step";
    for (const char* text : {"abc def", "abc def", "XYZ def"}) {
        ASSERT_TRUE(CanRedo());
        Redo();
        EXPECT_EQ(Text(), text);
    }
    EXPECT_FALSE(CanRedo());

    Undo();
    SendMessage(edit, EM_SETSEL, 7, 7);
    Type("g");
    EXPECT_FALSE(CanRedo()) << "a new change ends the redo history";
    EXPECT_EQ(Text(), "abc defg");
}

TEST_F(RichEditTest, AReplacementThatCannotBeUndoneForgetsTheHistory)
{
    Focus();
    Type("abc");
    ASSERT_TRUE(CanUndo());
    SendMessage(edit, EM_SETSEL, 1, 2);
    SendMessage(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("12"));
    EXPECT_EQ(Text(), "a12c");
    EXPECT_FALSE(CanUndo());
    EXPECT_EQ(SendMessage(edit, EM_UNDO, 0, 0), FALSE);
    EXPECT_EQ(Text(), "a12c");
}

TEST_F(RichEditTest, PasteSpecialAsTextTakesTheFormatAtTheCaret)
{
    SetText("bold plain");
    Select(0, 4);
    SetBold(true);
    SendMessage(edit, WM_COPY, 0, 0);
    SendMessage(edit, EM_SETSEL, 10, 10);
    ASSERT_TRUE(SendMessage(edit, EM_CANPASTE, CF_TEXT, 0));
    SendMessage(edit, EM_PASTESPECIAL, CF_TEXT, 0);
    EXPECT_EQ(Text(), "bold plainbold");
    Select(10, 14);
    const CHARFORMAT2 pasted = Format();
    EXPECT_TRUE(pasted.dwMask & CFM_BOLD);
    EXPECT_FALSE(pasted.dwEffects & CFE_BOLD) << "the copied bold stays behind";

    SendMessage(edit, EM_SETSEL, 0, 0);
    SendMessage(edit, EM_PASTESPECIAL, CF_BITMAP, 0);
    EXPECT_EQ(Text(), "bold plainbold") << "a format the control cannot read pastes nothing";
    EXPECT_TRUE(CanUndo());
    Undo();
    EXPECT_EQ(Text(), "bold plain");
}

TEST_F(RichEditTest, CanPasteFollowsTheClipboard)
{
    EmptyTheClipboard();
    EXPECT_FALSE(SendMessage(edit, EM_CANPASTE, 0, 0));
    PutOnClipboard("text");
    EXPECT_TRUE(SendMessage(edit, EM_CANPASTE, 0, 0));
    EXPECT_TRUE(SendMessage(edit, EM_CANPASTE, CF_TEXT, 0));
    EXPECT_FALSE(SendMessage(edit, EM_CANPASTE, CF_BITMAP, 0));
}

TEST_F(RichEditTest, ChangeAndSelectionNotificationsFollowTheEventMask)
{
    Focus();
    commands.clear();
    Type("a");
    SendMessage(edit, EM_SETSEL, 0, 1);
    EXPECT_TRUE(std::find(commands.begin(), commands.end(), EN_CHANGE) == commands.end());
    EXPECT_TRUE(selections.empty());

    SendMessage(edit, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
    EXPECT_EQ(SendMessage(edit, EM_GETEVENTMASK, 0, 0), ENM_CHANGE | ENM_SELCHANGE);
    commands.clear();
    Type("b");
    EXPECT_EQ(Text(), "b");
    EXPECT_EQ(std::count(commands.begin(), commands.end(), EN_CHANGE), 1);
    ASSERT_FALSE(selections.empty());
    EXPECT_EQ(selections.back(), std::make_pair(LONG(1), LONG(1)));
    Key(VK_HOME);
    EXPECT_EQ(selections.back(), std::make_pair(LONG(0), LONG(0)));
    input.KeyDown(VK_SHIFT);
    Key(VK_END);
    input.KeyUp(VK_SHIFT);
    EXPECT_EQ(selections.back(), std::make_pair(LONG(0), LONG(1)));
    const size_t count = selections.size();
    Select(0, 1);
    EXPECT_EQ(selections.size(), count) << "no notification when the selection stays";
}

TEST_F(RichEditTest, TheTextLimitStopsTypingAndPastingButNotTheProgram)
{
    SendMessage(edit, EM_EXLIMITTEXT, 0, 5);
    Focus();
    Type("abcdefg");
    EXPECT_EQ(Text(), "abcde");
    EXPECT_TRUE(std::find(commands.begin(), commands.end(), EN_MAXTEXT) != commands.end());
    PutOnClipboard("xyz");
    SendMessage(edit, EM_SETSEL, 1, 2);
    SendMessage(edit, EM_PASTESPECIAL, CF_TEXT, 0);
    EXPECT_EQ(Text(), "axcde") << "the paste is cut to the room the selection leaves";
    SetText("much longer than five");
    EXPECT_EQ(Text(), "much longer than five");
}

TEST_F(RichEditTest, MouseAndKeyboardSelectAndEdit)
{
    SetText("alpha beta");
    Click(edit, 2, 5);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(Selection().cpMin, 0);
    DoubleClick(edit, 2, 5);
    EXPECT_EQ(Selection().cpMax, 5);
    Type("x");
    EXPECT_EQ(Text(), "x beta");
    input.KeyDown(VK_CONTROL);
    Key('A');
    Key('C');
    input.KeyUp(VK_CONTROL);
    Key(VK_END);
    input.KeyDown(VK_CONTROL);
    Key('V');
    Key('Z');
    input.KeyUp(VK_CONTROL);
    EXPECT_EQ(Text(), "x beta");
    input.KeyDown(VK_CONTROL);
    Key('Y');
    input.KeyUp(VK_CONTROL);
    EXPECT_EQ(Text(), "x betax beta");
    Key(VK_BACK);
    EXPECT_EQ(Text(), "x betax bet");
}

TEST_F(RichEditTest, MultibyteCharactersAreTypedAndStepped)
{
    Focus();
    Type("a");
    input.Text("\xC3\xA9\xE2\x82\xAC");  // e acute, euro sign
    Pump();
    Type("b");
    EXPECT_EQ(Text(), "a\xC3\xA9\xE2\x82\xAC" "b");
    const struct {
        UINT key;
        LONG caret;
    } steps[] = {{VK_LEFT, 6}, {VK_LEFT, 3}, {VK_LEFT, 1}, {VK_RIGHT, 3}};
    for (const auto& step : steps) {
        Key(step.key);
        EXPECT_EQ(Selection().cpMin, step.caret);
    }
    Key(VK_BACK);
    EXPECT_EQ(Text(), "a\xE2\x82\xAC" "b") << "the whole character goes";
    Select(2, 2);
    EXPECT_EQ(Selection().cpMin, 1) << "a position inside a character moves to its start";
}

TEST_F(RichEditTest, TheUndoLimitKeepsOnlyTheNewestSteps)
{
    EXPECT_EQ(SendMessage(edit, EM_SETUNDOLIMIT, 2, 0), 2);
    for (const char* text : {"1", "2", "3"}) {
        SendMessage(edit, EM_SETSEL, 100, 100);
        SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    Undo();
    Undo();
    EXPECT_EQ(Text(), "1");
    EXPECT_FALSE(CanUndo());
    SendMessage(edit, EM_SETUNDOLIMIT, 0, 0);
    SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
    EXPECT_FALSE(CanUndo()) << "no history at all";
}

// Replacements that add and remove line breaks, with formats and lists set
// in between and undone and redone, checked against a plain string history:
// the text, the paragraph count and every paragraph's format stay readable.
TEST_F(RichEditTest, MixedEditsUndoneAndRedoneKeepTextAndParagraphsInStep)
{
    struct Step {
        LONG from, to;
        const char* insert;  // nullptr: undo; "" with from < 0: redo
    };
    const Step steps[] = {
        {0, 0, "alpha\r\nbeta\r\ngamma"}, {5, 7, " "},  {0, 0, "\r\n\r\n"}, {-1, 0, nullptr}, {3, 12, "x\ny"},
        {-1, 0, nullptr},               {-2, 0, ""},  {0, -1, "one"},      {-1, 0, nullptr}, {-1, 0, nullptr},
        {-2, 0, ""},                    {2, 2, "\r"}, {100, 100, "\r\nend"},
    };
    std::vector<std::string> undo{""};
    std::vector<std::string> redo;
    SendMessage(edit, EM_SETEVENTMASK, 0, 0);
    for (const Step& step : steps) {
        if (!step.insert) {
            ASSERT_TRUE(CanUndo());
            Undo();
            redo.push_back(undo.back());
            undo.pop_back();
        } else if (step.from == -2) {
            ASSERT_TRUE(CanRedo());
            Redo();
            undo.push_back(redo.back());
            redo.pop_back();
        } else {
            SendMessage(edit, EM_SETSEL, WPARAM(step.from), step.to);
            CHARRANGE range = Selection();
            std::string model = undo.back();
            std::string insert;
            for (const char* c = step.insert; *c; ++c) {
                if (*c == '\r' || *c == '\n') {
                    if (*c == '\n' && c > step.insert && c[-1] == '\r')
                        continue;
                    insert += "\r\n";
                } else {
                    insert += *c;
                }
            }
            model.replace(size_t(range.cpMin), size_t(range.cpMax - range.cpMin), insert);
            SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(step.insert));
            undo.push_back(model);
            redo.clear();
            // A list on the paragraph at the caret, so paragraphs carry formats through the edits.
            SetNumbering(PFN_BULLET);
            undo.push_back(model);
        }
        ASSERT_EQ(Text(), undo.back()) << (step.insert ? step.insert : "undo");
        const LONG breaks = LONG(std::count(undo.back().begin(), undo.back().end(), '\n'));
        ASSERT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), breaks + 1);
        for (LONG line = 0; line <= breaks; ++line) {
            const LONG start = LONG(SendMessage(edit, EM_LINEINDEX, WPARAM(line), 0));
            ASSERT_GE(start, 0);
            Select(start, start);
            EXPECT_TRUE(Para().dwMask & PFM_NUMBERING);
        }
    }
}

TEST_F(RichEditTest, TheViewFollowsTheCaretDownAndAcross)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "row " + std::to_string(i) + "\r\n";
    text += std::string(200, 'w');
    SetText(text.c_str());
    EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    const LONG end = LONG(text.size());
    SendMessage(edit, EM_SETSEL, WPARAM(end), end);
    EXPECT_GT(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_GT(GetScrollPos(edit, SB_HORZ), 0);
    RECT client{};
    GetClientRect(edit, &client);
    const POINTL caret = PositionOf(end);
    EXPECT_GE(caret.x, 0);
    EXPECT_LT(caret.x, client.right);
    EXPECT_GE(caret.y, 0);
    EXPECT_LT(caret.y, client.bottom);

    SendMessage(edit, EM_SETSEL, 0, 0);
    EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(GetScrollPos(edit, SB_HORZ), 0);
    SendMessage(edit, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
    EXPECT_LT(PositionOf(0).y, 0) << "the first row went above the view";
}

}  // namespace
}  // namespace tw::comctl::test
