#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editctrl/KtvPOutlineParser.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMemFile.h"

namespace {

// A tree written as "start-end", "h<header start>" when a header was found,
// "u<flags>" for an unpaired start or end, "*" when folded and the children in [].
std::string Describe(const CKtvPOutlineNode& node)
{
    std::string out;
    for (POSITION pos = node.m_lstNodes.GetHeadPosition(); pos != nullptr;) {
        const auto* pChild = static_cast<const CKtvPOutlineNode*>(node.m_lstNodes.GetNext(pos));
        if (!out.empty())
            out += ' ';
        out += std::to_string(pChild->m_nStart) + "-" + std::to_string(pChild->m_nEnd);
        if (pChild->m_nNameOffset != 0)
            out += "h" + std::to_string(pChild->GetHeaderStart());
        if (pChild->m_dwFlags != KTVP_OUTLINE_COMPLETE)
            out += "u" + std::to_string(pChild->m_dwFlags);
        if (pChild->m_bCollapsed)
            out += '*';
        if (!pChild->m_lstNodes.IsEmpty())
            out += "[" + Describe(*pChild) + "]";
        EXPECT_EQ(pChild->m_pParent, &node);
    }
    return out;
}

class OutlineParserTest : public ::testing::Test {
protected:
    void SetUp() override { parser.InitDefaultRules(); }

    // The whole text parsed as one edit of all of it.
    std::string Parse(const std::string& text)
    {
        this->text = text;
        root.RemoveAllNodes();
        CKtvPOutlineChanges changes;
        parser.UpdateOutline(text, 0, static_cast<int>(text.size()), &root, &changes);
        return Describe(root);
    }
    // Text inserted as the control does it: offsets follow, then a re-scan.
    std::string Insert(int offset, const std::string& what)
    {
        text.insert(static_cast<size_t>(offset), what);
        root.OnTextInserted(offset, static_cast<int>(what.size()));
        CKtvPOutlineChanges changes;
        parser.UpdateOutline(text, offset, static_cast<int>(what.size()), &root, &changes);
        return Describe(root);
    }

    CKtvPOutlineParser parser;
    CKtvPOutlineNode root;
    std::string text;
};

struct ParseCase {
    const char* name;
    std::string text;
    std::string tree;
};

class OutlineParseTable : public OutlineParserTest, public ::testing::WithParamInterface<ParseCase> {};

TEST_P(OutlineParseTable, FindsTheBlocksAndTheirHeaders)
{
    EXPECT_EQ(Parse(GetParam().text), GetParam().tree) << GetParam().text;
}

const std::string kFarKeyword = "if (" + std::string(260, 'x') + ") {a}";

INSTANTIATE_TEST_SUITE_P(
    Rules, OutlineParseTable,
    ::testing::Values(
        // The block starts at the blank after the condition; its header at "if".
        ParseCase{"KeywordHeader", "if (a) {x}", "6-9h0"},
        ParseCase{"CallHeader", "f(int a) {b}", "8-11h0"},
        ParseCase{"NoHeaderAfterEquals", "x = {1}", "4-6"},
        ParseCase{"KeywordBehindSemicolon", "if; {a}", "4-6"},
        ParseCase{"KeywordBehindBrace", "if {} {a}", "2-4h0 6-8"},
        ParseCase{"KeywordTooFarBack", kFarKeyword, std::to_string(kFarKeyword.size() - 3) + "-" +
                                                        std::to_string(kFarKeyword.size() - 1)},
        ParseCase{"BracesInStringIgnored", "s = \"{\" {a}", "8-10"},
        ParseCase{"EscapedQuoteKeepsString", "s = \"a\\\"{\" {b}", "11-13"},
        ParseCase{"BracesInLineCommentIgnored", "// {\n{a}", "5-7"},
        ParseCase{"UnclosedStringIsNoBlock", "\"{ a } b", "1-5"},
        ParseCase{"BlockComment", "a /* b\n c */ d", "2-11"},
        ParseCase{"UnclosedCommentRunsToEnd", "a /* b\n {c}", "2-10"},
        ParseCase{"Nested", "{ {a} {b} }", "0-10[2-4 6-8]"},
        ParseCase{"UnpairedStart", "{ a", "0-0u2"},
        ParseCase{"UnpairedEnd", "a }", "2-2u4"},
        ParseCase{"CommentInsideBlock", "while (x) { /* c */ }", "9-20h0[12-18]"},
        // A SQL script: only its comments fold.
        ParseCase{"SqlScript", "/* header */\nSELECT a\nFROM t\n/* two\nlines */", "0-11 29-43"}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST_F(OutlineParserTest, TypedOpeningBracePairsWithTheBlocksClosingOne)
{
    ASSERT_EQ(Parse("{ a b }"), "0-6");
    // The new brace takes the block's end; the old one is left unpaired at
    // the top level, where no level has a partner for it.
    EXPECT_EQ(Insert(3, "{"), "0-0u2 3-7");
}

TEST_F(OutlineParserTest, TypedClosingBraceCompletesAnUnpairedStart)
{
    ASSERT_EQ(Parse("if (x) { a "), "6-7h0u2");
    EXPECT_EQ(Insert(11, "}"), "6-11h0");
}

TEST_F(OutlineParserTest, EditsOutsideABlockKeepItsFoldedState)
{
    ASSERT_EQ(Parse("{a}\n{b}\n"), "0-2 4-6");
    auto* pSecond = static_cast<CKtvPOutlineNode*>(root.m_lstNodes.GetTail());
    pSecond->SetCollapsed(TRUE);
    EXPECT_EQ(Insert(1, "x"), "0-3 5-7*");
}

TEST_F(OutlineParserTest, BlocksFoundAgainByARescanStayFolded)
{
    ASSERT_EQ(Parse("{a}\n{b}\nx"), "0-2 4-6");
    static_cast<CKtvPOutlineNode*>(root.m_lstNodes.GetHead())->SetCollapsed(TRUE);
    // An edit below every block scans again from the text's start.
    EXPECT_EQ(Insert(9, "y"), "0-2* 4-6");
    EXPECT_EQ(Insert(1, "z"), "0-3* 5-7") << "a block that grew with its text is the same block";
    EXPECT_EQ(Insert(3, "}"), "0-3 4-4u4 6-8") << "a block ended elsewhere is a new one";
}

TEST_F(OutlineParserTest, UnpairedNodesCannotFold)
{
    ASSERT_EQ(Parse("{ a"), "0-0u2");
    static_cast<CKtvPOutlineNode*>(root.m_lstNodes.GetHead())->SetCollapsed(TRUE);
    EXPECT_EQ(Describe(root), "0-0u2");
}

TEST_F(OutlineParserTest, EmptyEndStringAddsAnEscapeSequence)
{
    const auto types = parser.GetBlockTypeCount();
    const auto escapes = parser.m_lstEscapeSequences.GetCount();
    parser.AddBlockType("''", "", "", FALSE, FALSE);
    EXPECT_EQ(parser.GetBlockTypeCount(), types);
    ASSERT_EQ(parser.m_lstEscapeSequences.GetCount(), escapes + 1);
    EXPECT_STREQ(parser.m_lstEscapeSequences.GetTail(), "''");
}

TEST_F(OutlineParserTest, ReplacingTheRulesKeepsTheEscapes)
{
    parser.RemoveAllBlockTypes();
    EXPECT_EQ(parser.GetBlockTypeCount(), 0);
    EXPECT_EQ(parser.m_lstEscapeSequences.GetCount(), 2);
    EXPECT_EQ(Parse("{a}"), "");
}

TEST_F(OutlineParserTest, WholeWordsKeepKeywordBlocksOutOfLongerWords)
{
    parser.RemoveAllBlockTypes();
    parser.AddBlockType("begin", "end", "...", TRUE, FALSE);
    parser.AddBlockType("{", "}", "...", TRUE, FALSE);
    parser.m_bWholeWords = TRUE;
    EXPECT_EQ(Parse("beginning begin x end"), "10-20");
    EXPECT_EQ(Parse("a{b}"), "1-3") << "a brace is a delimiter itself";
}

TEST_F(OutlineParserTest, CaseInsensitiveRules)
{
    parser.RemoveAllBlockTypes();
    parser.AddBlockType("BEGIN", "END", "...", TRUE, FALSE);
    parser.m_bCaseSensitive = FALSE;
    EXPECT_EQ(Parse("begin x End"), "0-10");
}

// Children ordered, apart and inside their parent, every offset inside the
// text: what painting and the row arithmetic rely on.
void ExpectTreeSound(const CKtvPOutlineNode& node, int textLength, const std::string& context)
{
    int previousEnd = -1;
    for (POSITION pos = node.m_lstNodes.GetHeadPosition(); pos != nullptr;) {
        const auto* pChild = static_cast<const CKtvPOutlineNode*>(node.m_lstNodes.GetNext(pos));
        ASSERT_EQ(pChild->m_pParent, &node) << context;
        ASSERT_LE(pChild->m_nStart, pChild->m_nEnd) << context;
        ASSERT_GT(pChild->m_nStart, previousEnd) << context;
        ASSERT_GE(pChild->m_nStart, 0) << context;
        ASSERT_LT(pChild->m_nEnd, textLength) << context;
        if (!node.IsUnset()) {
            ASSERT_GE(pChild->m_nStart, node.m_nStart) << context;
            ASSERT_LE(pChild->m_nEnd, node.m_nEnd) << context;
        }
        previousEnd = pChild->m_nEnd;
        ExpectTreeSound(*pChild, textLength, context);
    }
}

TEST_F(OutlineParserTest, RandomEditsKeepTheTreeSound)
{
    const char* fragments[] = {"{", "}", "\"", "/*", "*/", "//", "\n", "if (a) ", "x", " ", "\\\""};
    std::mt19937 random(20261210);
    Parse("int f(int a) {\n  if (a) { /* c */ }\n}\n");
    for (int step = 0; step < 400; ++step) {
        const int length = static_cast<int>(text.size());
        if (length > 0 && random() % 3 == 0) {
            const int start = static_cast<int>(random() % static_cast<unsigned>(length));
            const int end = std::min(length, start + 1 + static_cast<int>(random() % 4));
            const std::string removed = text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
            CKtvPOutlineChanges changes;
            root.RemoveNodesInRange(start, end - 1, &changes);
            root.OnTextDeleted(start, end);
            text.erase(static_cast<size_t>(start), static_cast<size_t>(end - start));
            parser.UpdateOutline(text, start, 0, &root, &changes);
            ExpectTreeSound(root, static_cast<int>(text.size()), "deleting '" + removed + "' at " + std::to_string(start));
        } else {
            const int at = static_cast<int>(random() % static_cast<unsigned>(length + 1));
            const std::string fragment = fragments[random() % std::size(fragments)];
            Insert(at, fragment);
            ExpectTreeSound(root, static_cast<int>(text.size()), "inserting '" + fragment + "' at " + std::to_string(at));
        }
        if (HasFatalFailure())
            return;
        // Folds come and go with the edits too.
        if (step % 50 == 0 && !root.m_lstNodes.IsEmpty())
            static_cast<CKtvPOutlineNode*>(root.m_lstNodes.GetHead())->SetCollapsed(TRUE);
    }
}

// ---------------------------------------------------------------- the tree

CKtvPOutlineNode* MakeNode(int start, int end, int nameOffset = 0)
{
    auto* pNode = new CKtvPOutlineNode;
    pNode->m_nStart = start;
    pNode->m_nEnd = end;
    pNode->m_nNameOffset = nameOffset;
    pNode->m_nBlockType = 3;
    return pNode;
}

TEST(OutlineTree, InsertNodeNestsMovesAndDropsCrossingNodes)
{
    CKtvPOutlineNode root;
    CKtvPOutlineChanges changes;
    root.InsertNode(MakeNode(10, 20), &changes);
    root.InsertNode(MakeNode(30, 40), &changes);
    root.InsertNode(MakeNode(12, 14), &changes);
    root.InsertNode(MakeNode(32, 33), &changes);
    EXPECT_EQ(Describe(root), "10-20[12-14] 30-40[32-33]");
    // A node around existing ones takes them as children.
    root.InsertNode(MakeNode(5, 45), &changes);
    EXPECT_EQ(Describe(root), "5-45[10-20[12-14] 30-40[32-33]]");
    // A crossing node removes the one it crosses; that one's children stay.
    root.InsertNode(MakeNode(25, 35), &changes);
    EXPECT_EQ(Describe(root), "5-45[10-20[12-14] 25-35[32-33]]");
    ASSERT_EQ(changes.m_lstRemoved.GetCount(), 1) << "the 30-40 node";
    EXPECT_EQ(static_cast<CKtvPOutlineNode*>(changes.m_lstRemoved.GetHead())->m_nStart, 30);
}

TEST(OutlineTree, RemovedNodesAreNeverReportedAsInserted)
{
    CKtvPOutlineNode root;
    CKtvPOutlineChanges changes;
    root.InsertNode(MakeNode(10, 20), &changes);
    root.InsertNode(MakeNode(15, 25), &changes);
    for (POSITION pos = changes.m_lstInserted.GetHeadPosition(); pos != nullptr;) {
        const CObject* pInserted = changes.m_lstInserted.GetNext(pos);
        EXPECT_EQ(changes.m_lstRemoved.Find(const_cast<CObject*>(pInserted)), nullptr);
    }
    EXPECT_EQ(changes.m_lstInserted.GetCount(), 1);
}

TEST(OutlineTree, QueriesFindFoldedNodesOutermostFirst)
{
    CKtvPOutlineNode root;
    root.InsertNode(MakeNode(0, 50), nullptr);
    root.InsertNode(MakeNode(10, 20), nullptr);
    root.InsertNode(MakeNode(60, 70), nullptr);
    auto* pOuter = static_cast<CKtvPOutlineNode*>(root.m_lstNodes.GetHead());
    auto* pInner = static_cast<CKtvPOutlineNode*>(pOuter->m_lstNodes.GetHead());
    pInner->SetCollapsed(TRUE);
    EXPECT_EQ(root.FindCollapsedNodeAt(15), pInner);
    EXPECT_EQ(root.FindCollapsedNodeAt(25), nullptr);
    pOuter->SetCollapsed(TRUE);
    EXPECT_EQ(root.FindCollapsedNodeAt(15), pOuter);
    EXPECT_EQ(root.FindCollapsedNodeInRange(55, 80, TRUE), nullptr);
    EXPECT_EQ(root.FindInnermostCompleteNode(21), pInner) << "one past the end counts";

    CObList folded;
    root.GetNodesByState(folded, TRUE, TRUE);
    EXPECT_EQ(folded.GetCount(), 1) << "a folded node's children are not searched";
    CObList all;
    root.GetNodesInRange(12, 65, all, FALSE, TRUE);
    EXPECT_EQ(all.GetCount(), 3);
    CObList inside;
    root.GetNodesInRange(5, 75, inside, TRUE, TRUE);
    EXPECT_EQ(inside.GetCount(), 1) << "only 60-70 lies inside; the partly covered 0-50 is not searched";
    EXPECT_EQ(root.GetCount(FALSE), 2);
    EXPECT_EQ(root.GetCount(TRUE), 3);
}

struct ShiftCase {
    const char* name;
    bool insert;
    int a;  // position, or deletion start
    int b;  // length, or deletion end (exclusive)
    int start, end, header;  // the node 10-20 with its header at 6 becomes
};

class OutlineShiftTable : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(OutlineShiftTable, NodesFollowTheEdit)
{
    const ShiftCase& c = GetParam();
    CKtvPOutlineNode node;
    node.m_nStart = 10;
    node.m_nEnd = 20;
    node.m_nNameOffset = 4;
    if (c.insert)
        node.OnTextInserted(c.a, c.b);
    else
        node.OnTextDeleted(c.a, c.b);
    EXPECT_EQ(node.m_nStart, c.start);
    EXPECT_EQ(node.m_nEnd, c.end);
    EXPECT_EQ(node.GetHeaderStart(), c.header);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, OutlineShiftTable,
    ::testing::Values(ShiftCase{"InsertAfter", true, 21, 3, 10, 20, 6}, ShiftCase{"InsertBefore", true, 2, 3, 13, 23, 9},
                      ShiftCase{"InsertInHeader", true, 8, 3, 13, 23, 6},
                      ShiftCase{"InsertInside", true, 15, 3, 10, 23, 6},
                      ShiftCase{"DeleteAfter", false, 21, 25, 10, 20, 6},
                      ShiftCase{"DeleteBefore", false, 1, 3, 8, 18, 4},
                      ShiftCase{"DeleteInHeader", false, 7, 9, 8, 18, 6},
                      ShiftCase{"DeleteAcrossHeaderStart", false, 4, 8, 6, 16, 4},
                      ShiftCase{"DeleteInside", false, 12, 15, 10, 17, 6},
                      ShiftCase{"DeleteFront", false, 8, 12, 8, 16, 6},
                      ShiftCase{"DeleteBack", false, 18, 25, 10, 17, 6}),
    [](const ::testing::TestParamInfo<ShiftCase>& info) { return std::string(info.param.name); });

TEST(OutlineTree, ArchiveRoundTripRestoresTheTree)
{
    CKtvPOutlineNode root;
    root.InsertNode(MakeNode(0, 50, 3), nullptr);
    root.InsertNode(MakeNode(10, 20), nullptr);
    auto* pOuter = static_cast<CKtvPOutlineNode*>(root.m_lstNodes.GetHead());
    pOuter->SetCollapsed(TRUE);
    pOuter->m_strReplace = "{...}";
    pOuter->m_dwData = 77;
    pOuter->m_rect = RECT{1, 2, 3, 4};

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        root.Serialize(ar);
    }
    file.SeekToBegin();
    CKtvPOutlineNode loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(Describe(loaded), "0-50h-3*[10-20]");
    const auto* pLoaded = static_cast<const CKtvPOutlineNode*>(loaded.m_lstNodes.GetHead());
    EXPECT_STREQ(pLoaded->m_strReplace, "{...}");
    EXPECT_EQ(pLoaded->m_dwData, 77u);
    EXPECT_EQ(pLoaded->m_rect.right, 0) << "the drawn place is not kept";
}

}  // namespace
