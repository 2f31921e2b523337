// The rich edit wrapper as the property value editor drives it: the word
// format at the caret, list paragraphs switched on and off, plain-text
// paste, undo and redo, and the change notifications in the host's map.
#include <cstring>

#include "tests/platform/mfc/controls/ControlHost.h"

namespace tw::mfc::test {
namespace {

class RichEditWrapper : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        ASSERT_TRUE(editor.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL |
                                      WS_BORDER,
                                  CRect(10, 40, 500, 300), &host, IDC_EDITOR));
        Pump();
        host.Clear();
    }
    // What a test copied would otherwise outlive the process.
    void TearDown() override
    {
        if (OpenClipboard(host.m_hWnd)) {
            EmptyClipboard();
            CloseClipboard();
        }
        ControlsTest::TearDown();
    }
    // The list toggle of the editor's numbering and bullet commands.
    void ToggleList(WORD kind)
    {
        PARAFORMAT2 pf{};
        editor.GetParaFormat(pf);
        if ((pf.dwMask & PFM_NUMBERING) && pf.wNumbering == kind) {
            pf.dwMask = PFM_NUMBERING | PFM_STARTINDENT | PFM_OFFSET;
            pf.wNumbering = 0;
            pf.dxStartIndent = 0;
            pf.dxOffset = 0;
        } else {
            pf.wNumbering = kind;
            pf.wNumberingStart = 1;
            pf.wNumberingStyle = 1;
            pf.wNumberingTab = 360;
            pf.dwMask = PFM_NUMBERING | PFM_NUMBERINGSTYLE | PFM_NUMBERINGTAB | PFM_NUMBERINGSTART;
            if (pf.dxOffset == 0) {
                pf.dxOffset = 360;
                pf.dwMask = PFM_NUMBERING | PFM_STARTINDENT | PFM_OFFSET;
            }
        }
        editor.SetParaFormat(pf);
    }
    WORD Numbering()
    {
        PARAFORMAT2 pf{};
        editor.GetParaFormat(pf);
        return pf.wNumbering;
    }
    CString Text()
    {
        CString text;
        editor.GetWindowText(text);
        return text;
    }
    CRichEditCtrl editor;
};

TEST_F(RichEditWrapper, WordFormatAtTheCaretThenTypedTextKeepsIt)
{
    CHARFORMAT cf{};
    cf.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED;
    cf.yHeight = 240;
    std::strcpy(cf.szFaceName, "Times New Roman");
    ASSERT_TRUE(editor.SetWordCharFormat(cf));
    editor.LimitText(7500);
    EXPECT_EQ(editor.GetLimitText(), 7500);
    editor.SetFocus();
    Type("note");
    editor.SetSel(0, -1);
    CHARFORMAT2 read{};
    editor.GetSelectionCharFormat(read);
    EXPECT_STREQ(read.szFaceName, "Times New Roman");
    EXPECT_EQ(read.yHeight, 240);
    EXPECT_STREQ(editor.GetSelText(), "note");
}

TEST_F(RichEditWrapper, ListCommandsToggleAndSwitchTheKind)
{
    editor.SetWindowText("line");
    const struct {
        WORD command;
        WORD after;
    } presses[] = {{PFN_BULLET, PFN_BULLET}, {PFN_BULLET, 0}, {PFN_BULLET, PFN_BULLET}, {PFN_ARABIC, PFN_ARABIC}};
    for (const auto& press : presses) {
        ToggleList(press.command);
        EXPECT_EQ(Numbering(), press.after) << press.command;
    }
    EXPECT_STREQ(Text(), "line") << "no bullet or number reaches the text";
}

TEST_F(RichEditWrapper, PlainPasteUndoAndRedo)
{
    editor.SetWindowText("abc");
    editor.SetSel(0, 3);
    CHARFORMAT bold{};
    bold.dwMask = CFM_BOLD;
    bold.dwEffects = CFE_BOLD;
    editor.SetSelectionCharFormat(bold);
    editor.Copy();
    editor.SetSel(3, 3);
    ASSERT_TRUE(editor.CanPaste(CF_TEXT));
    editor.PasteSpecial(CF_TEXT);
    EXPECT_STREQ(Text(), "abcabc");
    editor.SetSel(3, 6);
    CHARFORMAT read{};
    editor.GetSelectionCharFormat(read);
    EXPECT_TRUE(read.dwEffects & CFE_BOLD) << "typed at the end of bold text, the paste continues it";

    ASSERT_TRUE(editor.CanUndo());
    editor.Undo();
    EXPECT_STREQ(Text(), "abc");
    ASSERT_TRUE(editor.CanRedo());
    editor.Redo();
    EXPECT_STREQ(Text(), "abcabc");
    editor.SetSel(0, 1);
    editor.ReplaceSel("X");
    EXPECT_FALSE(editor.CanUndo()) << "ReplaceSel defaults to a change that cannot be undone";
    CString range;
    EXPECT_EQ(editor.GetTextRange(1, 4, range), 3);
    EXPECT_STREQ(range, "bca");
}

TEST_F(RichEditWrapper, ChangesAndSelectionsReachTheHostsHandlersOnlyWhenAskedFor)
{
    editor.SetFocus();
    Type("a");
    EXPECT_TRUE(host.received.empty());
    EXPECT_EQ(editor.SetEventMask(ENM_CHANGE | ENM_SELCHANGE), static_cast<DWORD>(ENM_NONE));
    Type("b");
    EXPECT_EQ(host.received, (std::vector<std::string>{"EN_CHANGE", "EN_SELCHANGE 2 2"}));
    host.Clear();
    editor.SetSel(0, 1);
    EXPECT_EQ(host.received, (std::vector<std::string>{"EN_SELCHANGE 0 1"}));
}

}  // namespace
}  // namespace tw::mfc::test
