// The command console: input only after the last prompt, continuation rows,
// one execute message per statement, the statement text, the history walk
// before and after it wraps, pasting line by line, and printing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/kernel/GlobalMemory.h"
#include "sqleditor/CustomerCommandEditCtrl.h"
#include "tests/support/window/HeadlessWindowTest.h"

namespace sqled_console_test {
namespace {

class ConsoleTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        ASSERT_TRUE(console.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 600, 400}, CWnd::FromHandle(parent), 100));
        // As the command view sets it up.
        console.m_hWndNotify = parent;
        console.m_nNotifyMsg = WM_CONSOLE_EXECUTE;
        console.m_strPrompt = "SQL> ";
        console.AppendText("SQL> ");
        console.m_arrHistory.SetSize(50);
        console.SetFocus();
        Pump();
    }

    void TearDown() override
    {
        console.DestroyWindow();
        HeadlessWindowTest::TearDown();
    }

    // The command view's side: take the statement, and, as the finished
    // batch does, print a new prompt and clear the input after it.
    LRESULT HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CONSOLE_EXECUTE) {
            statements.push_back(console.GetCommandText().GetString());
            progress = reinterpret_cast<const char*>(lParam);
            console.AppendText("SQL> ");
            console.ClearCurrentInput();
            return 0;
        }
        return HeadlessWindowTest::HandleParentMessage(hwnd, message, wParam, lParam);
    }

    std::string Text() const { return console.GetText().GetString(); }
    void Type(const std::string& text)
    {
        for (unsigned char ch : text)
            ::SendMessage(console.m_hWnd, WM_CHAR, ch, 0);
    }
    void KeyDown(UINT vk) { ::SendMessage(console.m_hWnd, WM_KEYDOWN, vk, 0); }
    void Enter()
    {
        KeyDown(VK_RETURN);
        Type("\r");
    }
    void Line(const std::string& text)
    {
        Type(text);
        Enter();
    }
    // The text after the last row's prompt.
    std::string Input() const
    {
        const std::string text = Text();
        const size_t rowStart = text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1;
        return text.substr(std::min(text.size(), rowStart + 5));
    }
    void SetClipboard(const std::string& text)
    {
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
        ::GlobalUnlock(block);
        ::SetClipboardData(CF_TEXT, block);
        ::CloseClipboard();
    }

    CCustomerCommandEditCtrl console;
    std::vector<std::string> statements;
    std::string progress;
};

TEST_F(ConsoleTest, InputGoesOnlyAfterTheLastPrompt)
{
    EXPECT_EQ(Text(), "SQL> ");
    Type("ab");
    EXPECT_EQ(Text(), "SQL> ab");

    console.SetCaret(2);  // inside the prompt
    Type("x");
    KeyDown(VK_DELETE);
    EXPECT_EQ(Text(), "SQL> ab");

    console.SetCaret(5);  // right after the prompt
    KeyDown(VK_BACK);
    EXPECT_EQ(Text(), "SQL> ab") << "Backspace cannot eat the prompt";
    KeyDown(VK_DELETE);
    EXPECT_EQ(Text(), "SQL> b");
    console.SetCaret(6);
    KeyDown(VK_BACK);
    EXPECT_EQ(Text(), "SQL> ");

    Line("select 1");
    EXPECT_EQ(Text(), "SQL> select 1\n   > ");
    console.SetCaret(7);  // an earlier row
    Type("zz");
    KeyDown(VK_BACK);
    KeyDown(VK_DELETE);
    Enter();
    EXPECT_EQ(Text(), "SQL> select 1\n   > ");
    EXPECT_TRUE(statements.empty());
}

TEST_F(ConsoleTest, ASelectionNeverReachesIntoThePrompt)
{
    Type("abc");
    tw::display::InputInjector keys;
    keys.KeyDown(VK_SHIFT);
    keys.KeyStroke(VK_HOME);
    keys.KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(std::min(console.m_nSelStart, console.m_nSelEnd), 5);
    EXPECT_EQ(std::max(console.m_nSelStart, console.m_nSelEnd), 8);
    Type("x");
    EXPECT_EQ(Text(), "SQL> x");
}

TEST_F(ConsoleTest, StatementsRunOnceWhenARowEndsThemAndContinuationRowsJoin)
{
    Line("select a,");
    Line("b");
    EXPECT_TRUE(statements.empty());
    EXPECT_EQ(Text(), "SQL> select a,\n   > b\n   > ");
    Line("from t;");
    ASSERT_EQ(statements.size(), 1u);
    // The row after a continuation row took its blanks (auto-indent) before
    // the prompt went in front of them.
    EXPECT_EQ(statements[0], "select a, b from t;\n  ");
    EXPECT_EQ(progress, "---Please waiting...");
    EXPECT_EQ(Text(), "SQL> select a,\n   > b\n   > from t;\nSQL> ");

    Line("-- note;");
    EXPECT_EQ(statements.size(), 1u) << "a comment row is never sent";
    Line("  select 2 ;  ");
    ASSERT_EQ(statements.size(), 2u);
    EXPECT_EQ(statements[1], "-- note;  select 2 ; \n  ");
    Line(";");
    EXPECT_EQ(statements.size(), 3u);
}

TEST_F(ConsoleTest, CommandTextIsWhatFollowsTheLastPrompt)
{
    const struct {
        const char* text;
        const char* command;
    } cases[] = {
        {"SQL> select 1", "select 1"},
        {"SQL> ", ""},
        {"SQL> a;\nresult\nSQL> select\n   > 2", "select 2"},
        {"SQL> a;\nSQL> ", ""},
        {"SQL> x\n   > y", "x y"},
        {"SQL> x\n   >  y", "x  y"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ::SendMessage(console.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.text));
        EXPECT_STREQ(console.GetCommandText(), c.command);
    }
}

TEST_F(ConsoleTest, HistoryWalksNewestToOldestBeforeAndAfterItWraps)
{
    Line("a;");
    Line("b;");
    KeyDown(VK_UP);
    EXPECT_EQ(Input(), "b;");
    KeyDown(VK_UP);
    EXPECT_EQ(Input(), "a;");
    KeyDown(VK_UP);
    EXPECT_EQ(Input(), "a;") << "the oldest stays";
    KeyDown(VK_DOWN);
    EXPECT_EQ(Input(), "b;");
    KeyDown(VK_DOWN);
    EXPECT_EQ(Input(), "b;") << "the newest stays";
    EXPECT_EQ(console.GetText().Right(7), CString("SQL> b;")) << "Up and Down never move the caret row";

    console.ClearCurrentInput();
    for (int i = 0; i < 51; ++i)
        Line("c" + std::to_string(i) + ";");
    EXPECT_EQ(console.m_arrHistory[0], CString("c48;")) << "the 51st entry overwrote the first slot";
    KeyDown(VK_UP);
    EXPECT_EQ(Input(), "c50;");
    KeyDown(VK_UP);
    EXPECT_EQ(Input(), "c49;");
    KeyDown(VK_UP);
    EXPECT_EQ(Input(), "c48;");
    KeyDown(VK_DOWN);
    EXPECT_EQ(Input(), "c49;");
    KeyDown(VK_DOWN);
    EXPECT_EQ(Input(), "c50;");
    for (int i = 0; i < 60; ++i)
        KeyDown(VK_UP);
    EXPECT_EQ(Input(), "c1;") << "the oldest kept entry; the walk stays inside the slots";
    EXPECT_EQ(console.m_arrHistory.GetSize(), 50);
}

TEST_F(ConsoleTest, PastingGoesLineByLineThroughEnter)
{
    const struct {
        const char* name;
        bool byMessage;  // WM_PASTE, else the Paste command
    } ways[] = {{"paste command", false}, {"WM_PASTE", true}};
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        statements.clear();
        ::SendMessage(console.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("SQL> "));
        console.SetCaret(5);
        SetClipboard("select 1;\r\nselect 2\r\nfrom t;\r\nx");
        if (way.byMessage)
            ::SendMessage(console.m_hWnd, WM_PASTE, 0, 0);
        else
            EXPECT_TRUE(console.Paste());
        ASSERT_EQ(statements.size(), 2u);
        EXPECT_EQ(statements[0], "select 1;\n");
        EXPECT_EQ(statements[1], "select 2 from t;\n  ");
        EXPECT_EQ(Text(), "SQL> select 1;\nSQL> select 2\n   > from t;\nSQL> x");
    }
}

TEST_F(ConsoleTest, PasteRefusesOutsideTheInputAndWithoutText)
{
    SetClipboard("abc");
    console.SetCaret(1);
    EXPECT_FALSE(console.Paste());
    console.SetCaret(5);
    console.m_bReadOnly = TRUE;
    EXPECT_FALSE(console.Paste());
    EXPECT_EQ(console.GetLastFailure(), KTVP_FAIL_PASTE_READ_ONLY);
    console.m_bReadOnly = FALSE;
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_FALSE(console.Paste());
    EXPECT_EQ(console.GetLastFailure(), KTVP_FAIL_PASTE_EMPTY);
    EXPECT_EQ(Text(), "SQL> ");
}

TEST_F(ConsoleTest, PrintingKeepsTheTextAndGoesInFrontOfTrailingBlanks)
{
    console.AppendText("   \t ");
    EXPECT_EQ(Text(), "SQL> ") << "blanks alone print nothing";
    console.AppendText("\n");
    EXPECT_EQ(Text(), "SQL>\n ") << "a line feed prints, in front of the blank ending the console";
    ::SendMessage(console.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("out"));
    console.AppendText("  two  \n");
    EXPECT_EQ(Text(), "out  two  \n");
    EXPECT_FALSE(console.CanUndo()) << "output is not an edit";

    const std::string longText(200, 'w');
    EXPECT_EQ(console.AppendFormat("%s|%d", longText.c_str(), 42), 203);
    EXPECT_EQ(Text(), "out  two  \n" + longText + "|42");

    ::SendMessage(console.m_hWnd, WM_CLEAR, 0, 0);
    EXPECT_EQ(Text(), "out  two  \n" + longText + "|42") << "WM_CLEAR does nothing";
}

TEST_F(ConsoleTest, ClearCurrentInputKeepsThePrompt)
{
    const struct {
        const char* text;
        const char* after;
    } cases[] = {
        {"SQL> select 1", "SQL> "},
        {"SQL> a;\n   > b", "SQL> a;\n   > "},
        {"SQL> ", "SQL> "},
        {"no prompt", "n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ::SendMessage(console.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.text));
        console.ClearCurrentInput();
        EXPECT_EQ(Text(), c.after);
    }
}

} // namespace
} // namespace sqled_console_test
