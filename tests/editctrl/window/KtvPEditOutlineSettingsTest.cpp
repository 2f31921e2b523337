// The outline section of the settings text replaces the parser's rules and
// parses the text again; a section without a usable block keeps the rules.
#include "tests/editctrl/window/EditWindowFixture.h"

#include <string>

namespace ktvp_window_test {
namespace {

// Rows: 0 "x", 1 "BEGIN", 2 " a {", 3 " }", 4 "END", 5 "y".
const std::string kScript = "x\nBEGIN\n a {\n }\nEND\ny\n";

const char kCustomRules[] =
    "<SETTINGS><OUTLINE_DATA>"
    "<EscapeSequences><EscapeSequence>\\t;</EscapeSequence></EscapeSequences>"
    "<BLOCKS><BLOCK><Start>BEGIN</Start><End>END</End><ReplaceString>\"[+]\"</ReplaceString>"
    "<AllowNestedBlocks>false</AllowNestedBlocks></BLOCK></BLOCKS>"
    "<CaseSensitive>False</CaseSensitive><WholeWords>true</WholeWords>"
    "</OUTLINE_DATA>"
    "<HYPERLINKS><EnableHyperlinkSupport>true</EnableHyperlinkSupport></HYPERLINKS></SETTINGS>";

class EditOutlineSettingsTest : public EditWindowTest {
protected:
    void SetUp() override
    {
        EditWindowTest::SetUp();
        edit.m_bAutoOutlining = TRUE;
        edit.m_bOutlineOption = TRUE;
        edit.EnableOutlining(TRUE);
        ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, LPARAM(kScript.c_str()));
    }

    CKtvPOutlineNode* TopNode()
    {
        CObList& nodes = edit.GetOutlineRoot().m_lstNodes;
        return nodes.IsEmpty() ? nullptr : static_cast<CKtvPOutlineNode*>(nodes.GetHead());
    }
    int Offset(const std::string& what) const { return static_cast<int>(kScript.find(what)); }
};

TEST_F(EditOutlineSettingsTest, CustomBlockTypeReplacesTheBuiltInRulesAndFolds)
{
    ASSERT_NE(TopNode(), nullptr);
    EXPECT_EQ(TopNode()->m_nStart, Offset("{")) << "the built-in braces fold before the load";

    ASSERT_TRUE(edit.LoadXMLSettingsFromBuffer(kCustomRules));

    const CKtvPOutlineParser* pParser = edit.GetOutlineParser();
    ASSERT_EQ(pParser->GetBlockTypeCount(), 1);
    EXPECT_STREQ(pParser->GetBlockType(0)->m_strOpen, "BEGIN");
    EXPECT_STREQ(pParser->GetBlockType(0)->m_strReplace, "[+]");
    EXPECT_FALSE(pParser->GetBlockType(0)->m_bNested);
    EXPECT_FALSE(pParser->m_bCaseSensitive);
    EXPECT_TRUE(pParser->m_bWholeWords);
    EXPECT_STREQ(pParser->m_strDelimiters, edit.m_strWordDelimiters);
    EXPECT_STREQ(pParser->m_lstEscapeSequences.GetTail(), "\t;") << "added after the built-in ones";
    EXPECT_TRUE(edit.m_bEnableHyperlinkSupport) << "the sections after the outline are still read";

    ASSERT_EQ(edit.GetOutlineRoot().GetCount(TRUE), 1) << "only the configured block is a node";
    CKtvPOutlineNode* pBlock = TopNode();
    EXPECT_EQ(pBlock->m_nStart, Offset("BEGIN"));
    EXPECT_STREQ(pBlock->m_strReplace, "[+]");

    ASSERT_TRUE(edit.ToggleOutlineNode(pBlock));
    EXPECT_EQ(edit.GetHiddenRowCount(), 3);
    EXPECT_EQ(edit.VisibleRowOfLine(5), 2) << "y follows the folded row";
}

TEST_F(EditOutlineSettingsTest, RulesLoadedWhileOutliningIsOffParseOnlyWhenItIsSwitchedOn)
{
    edit.EnableOutlining(FALSE);
    ASSERT_TRUE(edit.LoadXMLSettingsFromBuffer(kCustomRules));
    EXPECT_EQ(edit.GetOutlineRoot().GetCount(TRUE), 0) << "the old tree is emptied and no new one is built";
    EXPECT_EQ(edit.GetHiddenRowCount(), 0);

    edit.EnableOutlining(TRUE);
    edit.ReparseOutline();
    ASSERT_NE(TopNode(), nullptr);
    EXPECT_EQ(TopNode()->m_nStart, Offset("BEGIN"));
}

TEST_F(EditOutlineSettingsTest, FoldsThatGoWithTheOldRulesGiveTheirRowsBackToTheView)
{
    std::string text = "if (x) {\n a\n b\n c\n}\n";
    for (int line = 0; line < 30; ++line)
        text += "row " + std::to_string(line) + "\n";
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, LPARAM(text.c_str()));
    ASSERT_NE(TopNode(), nullptr);
    ASSERT_TRUE(edit.ToggleOutlineNode(TopNode()));
    ASSERT_TRUE(edit.ScrollText(SB_VERT, SB_THUMBPOSITION, 6));
    const int firstLine = edit.GetBuffer().RowOfOffset(edit.m_nFirstVisibleOffset);
    ASSERT_EQ(firstLine, 10) << "six visible rows down, past the four the fold hides";

    ASSERT_TRUE(edit.LoadXMLSettingsFromBuffer(kCustomRules));
    EXPECT_EQ(edit.GetHiddenRowCount(), 0);
    EXPECT_EQ(edit.GetBuffer().RowOfOffset(edit.m_nFirstVisibleOffset), firstLine) << "the same text stays on top";
    EXPECT_EQ(edit.m_nFirstVisibleRow, firstLine) << "the row count no longer leaves hidden rows out";
    POINT pt{};
    edit.OffsetToPoint(edit.m_nFirstVisibleOffset, pt);
    EXPECT_EQ(pt.y, edit.GetTextArea().top);
}

TEST_F(EditOutlineSettingsTest, SectionWithoutACompleteBlockFailsAndKeepsTheRulesAndTheFolds)
{
    const char* const sections[] = {
        "<OUTLINE_DATA><BLOCKS><BLOCK><Start>BEGIN</Start></BLOCK></BLOCKS></OUTLINE_DATA>",
        "<OUTLINE_DATA><BLOCKS><BLOCK><End>END</End></BLOCK><BLOCK><Start>(</Start><End>)</End></BLOCK>"
        "</BLOCKS></OUTLINE_DATA>",
        "<OUTLINE_DATA><CaseSensitive>false</CaseSensitive></OUTLINE_DATA>",
        "<OUTLINE_DATA></OUTLINE_DATA>",
    };
    const int builtInTypes = edit.GetOutlineParser()->GetBlockTypeCount();
    ASSERT_GT(builtInTypes, 0);
    ASSERT_NE(TopNode(), nullptr);
    ASSERT_TRUE(edit.ToggleOutlineNode(TopNode()));

    for (const char* section : sections) {
        const std::string text = std::string(section) +
                                 "<HYPERLINKS><EnableHyperlinkSupport>true</EnableHyperlinkSupport></HYPERLINKS>";
        EXPECT_FALSE(edit.LoadXMLSettingsFromBuffer(text.c_str())) << section;
        EXPECT_FALSE(edit.m_bEnableHyperlinkSupport) << "a refused outline section ends the reading: " << section;
        const CKtvPOutlineParser* pParser = edit.GetOutlineParser();
        EXPECT_EQ(pParser->GetBlockTypeCount(), builtInTypes) << section;
        EXPECT_TRUE(pParser->m_bCaseSensitive) << section;
        ASSERT_NE(TopNode(), nullptr) << section;
        EXPECT_EQ(TopNode()->m_nStart, Offset("{")) << section;
        EXPECT_TRUE(TopNode()->m_bCollapsed) << "the fold survives: " << section;
    }
}

}  // namespace
}  // namespace ktvp_window_test
