// What the SQL editor's character handler opens after the typing dispatch:
// an offer the dispatch prepared opens whatever the IntelliSense characters
// are (a member list as the completion list, a routine's entries as the
// parameter tip); otherwise an IntelliSense character asks the list builder.
// The breakpoint and placeholder features, which have no entry, work when
// their switches are set.
#include "tests/sqleditor/SqlEditorFixture.h"

#include <string>
#include <vector>

#include "editctrl/KtvPIntelliSenseData.h"

namespace sqled_test {
namespace {

// The dispatch and the windows replaced by recorders.
class OfferEditCtrl : public CCustomerEditCtrl {
public:
    BOOL OnIntelliSenseChar(LPCTSTR, int, UINT nChar, CString&) override
    {
        if (nChar == prepareOn) {
            m_mapMemberList.RemoveAll();
            for (const auto& entry : entries)
                m_mapMemberList.SetAt(entry.first.c_str(), entry.second.c_str());
            m_nPreparedOffer = prepared;
            if (prepared == OfferFuncTip)
                m_bProcedureTip = 1;
        }
        return FALSE;
    }
    BOOL FindWordBeforePos(LPCTSTR, int& nOffset, CString& strWord) override
    {
        if (!wordFound)
            return FALSE;
        nOffset = wordOffset;
        strWord = "w";
        return TRUE;
    }
    BOOL FillIntelliSenseList(CObList& list, LPCTSTR) override
    {
        list.AddTail(new CKtvPIntelliSenseData("from builder", "", 2, 0));
        return TRUE;
    }
    BOOL ShowIntelliSenseWnd(CObList& list, int, int) override { return Record(list, lists); }
    BOOL ShowFuncTipWnd(CObList& list, int, int) override
    {
        Record(list, tips);
        return tipOpens;
    }

    BOOL Record(CObList& list, std::vector<std::string>& into)
    {
        std::string shown;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            auto* pItem = static_cast<CKtvPIntelliSenseData*>(list.GetNext(pos));
            shown += std::string(pItem->m_strText.GetString()) + ":" + std::to_string(pItem->m_nImage) + " ";
        }
        into.push_back(shown);
        return TRUE;
    }

    UINT prepareOn = 0;
    int prepared = OfferNone;
    std::vector<std::pair<std::string, std::string>> entries;
    BOOL wordFound = FALSE;
    int wordOffset = 0;
    BOOL tipOpens = TRUE;
    std::vector<std::string> lists;
    std::vector<std::string> tips;
};

class SqlEditorOfferTest : public SqlEditorTest {
protected:
    CKtvPEditCtrl& Editor() override { return offer; }
    OfferEditCtrl offer;
};

TEST_F(SqlEditorOfferTest, APreparedMemberListOpensWhateverTheIntelliSenseCharactersAre)
{
    offer.m_strIntelliSenseChars = "";
    offer.prepareOn = '.';
    offer.prepared = CCustomerEditCtrl::OfferMemberList;
    offer.entries = {{"title_id", "1"}, {"au_id", "1"}, {"price", "1"}};
    Type("titles.");
    ASSERT_EQ(offer.lists.size(), 1u);
    EXPECT_EQ(offer.lists[0], "title_id:1 au_id:1 price:1 ") << "in the order they were added";
    EXPECT_TRUE(offer.tips.empty());
    EXPECT_EQ(offer.m_nPreparedOffer, CCustomerEditCtrl::OfferNone);
    EXPECT_EQ(offer.GetCaretOffset(), 7);
}

TEST_F(SqlEditorOfferTest, APreparedRoutineOpensTheTipOneTimeAtTheCaret)
{
    offer.m_strIntelliSenseChars = ".";
    offer.prepareOn = '(';
    offer.prepared = CCustomerEditCtrl::OfferFuncTip;
    offer.entries = {{"int byroyalty", "3"}, {"@percentage int", "3"}};
    Type("exec byroyalty(");
    ASSERT_EQ(offer.tips.size(), 1u);
    EXPECT_EQ(offer.tips[0], "int byroyalty:3 @percentage int:3 ");
    EXPECT_TRUE(offer.lists.empty());
    EXPECT_EQ(offer.m_bFuncTipOpen, 1);
    EXPECT_EQ(offer.m_nFuncTipStart, 15);
    EXPECT_EQ(offer.m_bProcedureTip, 1) << "the open tip keeps its kind";
}

TEST_F(SqlEditorOfferTest, AKindFlagThatOpenedNothingIsCleared)
{
    offer.prepareOn = '(';
    offer.prepared = CCustomerEditCtrl::OfferFuncTip;
    offer.entries = {{"int p", "3"}};
    offer.tipOpens = FALSE;
    Type("p(");
    EXPECT_EQ(offer.tips.size(), 1u);
    EXPECT_EQ(offer.m_bFuncTipOpen, 0);
    EXPECT_EQ(offer.m_bProcedureTip, 0);

    offer.prepareOn = 0;
    offer.m_bFunctionTip = 1;  // left from some earlier preparation
    offer.m_strIntelliSenseChars = ".";
    offer.wordFound = TRUE;
    offer.wordOffset = 1;
    Type(".");
    EXPECT_EQ(offer.tips.size(), 1u) << "a stale kind never turns a list into a tip";
    EXPECT_EQ(offer.lists.size(), 1u);
    EXPECT_EQ(offer.m_bFunctionTip, 0);
}

TEST_F(SqlEditorOfferTest, WithoutAnOfferOnlyAnIntelliSenseCharacterAsksTheListBuilder)
{
    const struct {
        const char* name;
        const char* typed;
        const char* chars;
        BOOL wordFound;
        BOOL intelliSense;
        BOOL readOnly;
        size_t lists;
    } cases[] = {
        {"IntelliSense character and a word", "ab:", ".>:", TRUE, TRUE, FALSE, 1},
        {"no word before it", "ab:", ".>:", FALSE, TRUE, FALSE, 0},
        {"not an IntelliSense character", "ab(", ".>:", TRUE, TRUE, FALSE, 0},
        {"IntelliSense off", "ab.", ".>:", TRUE, FALSE, FALSE, 0},
        {"read-only", "ab.", ".>:", TRUE, TRUE, TRUE, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetText("");
        offer.lists.clear();
        offer.m_strIntelliSenseChars = c.chars;
        offer.wordFound = c.wordFound;
        offer.wordOffset = 1;
        offer.EnableIntelliSense(c.intelliSense);
        offer.m_bReadOnly = c.readOnly;
        Type(c.typed);
        EXPECT_EQ(offer.lists.size(), c.lists);
        if (c.lists == 1) {
            EXPECT_EQ(offer.lists[0], "from builder:2 ");
            EXPECT_EQ(offer.GetCaretOffset(), 1) << "the caret goes where the builder's word ends";
        }
        offer.m_bReadOnly = FALSE;
    }
}

TEST_F(SqlEditorTest, MarginDoubleClickTogglesABreakpointOnlyWithItsSwitch)
{
    SetText("select 1\nselect 2");
    edit.SetCaret(10);
    const LPARAM margin = MAKELONG(5, 5);
    ::SendMessage(edit.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, margin);
    CKtvPEditMarker* pMarker = nullptr;
    EXPECT_EQ(edit.FindMarker(1, &pMarker, SQLED_MARKER_BREAKPOINT), nullptr) << "switched off";

    edit.m_bMarginBreakpoints = 1;
    edit.SetCaret(10);
    ::SendMessage(edit.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, margin);
    EXPECT_NE(edit.FindMarker(1, &pMarker, SQLED_MARKER_BREAKPOINT), nullptr);
    ASSERT_NE(edit.FindMarker(1, &pMarker, SQLED_MARKER_BREAKPOINT_LINE), nullptr);
    edit.SetCaret(10);
    ::SendMessage(edit.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, margin);
    EXPECT_EQ(edit.FindMarker(1, &pMarker, SQLED_MARKER_BREAKPOINT), nullptr);
    EXPECT_EQ(edit.FindMarker(1, &pMarker, SQLED_MARKER_BREAKPOINT_LINE), nullptr);
}

TEST_F(SqlEditorTest, PlaceholderColoursOnlyWithTheirSwitch)
{
    SetText("a <b=c> <%x%> d");
    const COLORREF text = edit.GetDefaultTextColor();
    const COLORREF back = edit.GetDefaultBackColor();
    const COLORREF other = RGB(1, 2, 3);
    const struct {
        int offset;
        COLORREF textIn;
        COLORREF textOut;
        COLORREF backOut;
    } cases[] = {
        {0, other, text, back},              // outside any pair: the defaults
        {2, other, RGB(0, 0, 255), other},   // "<"
        {3, text, RGB(255, 0, 0), other},    // a name inside
        {3, other, other, other},            // already coloured: kept
        {4, text, RGB(0, 0, 255), other},    // "="
        {10, other, other, other},           // inside <% %>: left alone
        {14, other, text, back},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        COLORREF t = c.textIn;
        COLORREF b = other;
        edit.OnGetCharColor(edit.GetText()[c.offset], c.offset, t, b);
        EXPECT_EQ(t, c.textIn) << "switched off";
        EXPECT_EQ(b, other);
        edit.m_bPlaceholderColors = 1;
        edit.OnGetCharColor(edit.GetText()[c.offset], c.offset, t, b);
        edit.m_bPlaceholderColors = 0;
        EXPECT_EQ(t, c.textOut);
        EXPECT_EQ(b, c.backOut);
    }
}

} // namespace
} // namespace sqled_test
