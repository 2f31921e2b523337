// The completion and symbol lists of the edit window, driven by messages:
// opening under the caret, following typing, keys that insert or close,
// focus loss and Alt, one list at a time, and the replacement hook.
#include "tests/editctrl/window/EditWindowFixture.h"

#include <string>
#include <vector>

#include "editctrl/KtvPIntelliSenseLB.h"
#include "editctrl/KtvPIntelliSenseWnd.h"
#include "editctrl/KtvPSymImagesLB.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace ktvp_intellisense_test {
namespace {

// An owner that completes from a fixed list and may replace typed characters.
class CompletingEdit : public CKtvPEditCtrl {
public:
    std::vector<std::string> m_items;
    int m_nFillCalls = 0;
    BOOL m_bVetoInsert = FALSE;
    CString m_strInsertInstead;
    int m_nWordPositionBack = 0;
    UINT m_chReplaced = 0;
    CString m_strReplacement;

    BOOL FillIntelliSenseList(CObList& list, LPCTSTR) override
    {
        ++m_nFillCalls;
        for (const std::string& item : m_items)
            list.AddTail(new CKtvPIntelliSenseData(item.c_str(), item.c_str()));
        return !list.IsEmpty();
    }
    BOOL OnInsertIntelliSenseItem(int, CKtvPIntelliSenseData*, CString& strText) override
    {
        if (!m_strInsertInstead.IsEmpty())
            strText = m_strInsertInstead;
        return !m_bVetoInsert;
    }
    BOOL FindWordBeforePos(LPCTSTR, int& nOffset, CString& strWord) override
    {
        nOffset -= m_nWordPositionBack;
        strWord.Empty();
        return TRUE;
    }
    BOOL OnIntelliSenseChar(LPCTSTR, int, UINT nChar, CString& strReplacement) override
    {
        if (m_chReplaced == 0 || nChar != m_chReplaced)
            return FALSE;
        strReplacement = m_strReplacement;
        return TRUE;
    }
};

class IntelliSenseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw::ProcessClock::Freeze();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                    640, 480, nullptr, nullptr));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 400, 200}, &parent, 100));
        edit.SetFocus();
        edit.EnableIntelliSense(TRUE);
        edit.m_items = {"select", "set", "from", "Sum"};
        Pump();
    }
    void TearDown() override
    {
        if (edit.m_hWnd != nullptr)
            edit.DestroyWindow();
        if (parent.m_hWnd != nullptr)
            parent.DestroyWindow();
        Pump();
        tw::ProcessClock::Resume();
    }

    static void Pump()
    {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    void Type(HWND target, const std::string& text)
    {
        for (unsigned char ch : text)
            ::SendMessage(target, WM_CHAR, ch, 0);
    }
    void Key(HWND target, UINT vk) { ::SendMessage(target, WM_KEYDOWN, vk, 0); }
    std::string Text() const { return std::string(edit.GetText().GetString()); }
    // Types into the control and checks that a list opened.
    CKtvPIntelliSenseLB* OpenBy(const std::string& typed)
    {
        Type(edit.m_hWnd, typed);
        if (edit.m_pIntelliSenseWnd == nullptr)
            return nullptr;
        return dynamic_cast<CKtvPIntelliSenseLB*>(edit.m_pIntelliSenseWnd->m_pListBox);
    }
    std::vector<std::string> ItemTexts(const CKtvPBaseIntelliSenseLB& list) const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetCount(); ++i)
            texts.emplace_back(list.GetItem(i)->m_strText.GetString());
        return texts;
    }

    ktvp_window_test::NoticeParent parent;
    CompletingEdit edit;
};

TEST_F(IntelliSenseTest, NothingOpensWhenDisabledWithoutATriggerAtTheStartOrWithAnEmptyList)
{
    edit.EnableIntelliSense(FALSE);
    Type(edit.m_hWnd, "t.");
    EXPECT_EQ(edit.m_nFillCalls, 0) << "a disabled control asks nothing";
    EXPECT_EQ(edit.m_pIntelliSenseWnd, nullptr);

    EXPECT_FALSE(edit.EnableIntelliSense(TRUE));
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    Type(edit.m_hWnd, "ab");
    EXPECT_EQ(edit.m_nFillCalls, 0) << "only trigger characters ask";
    edit.m_items.clear();
    Type(edit.m_hWnd, ".");
    EXPECT_EQ(edit.m_nFillCalls, 1);
    EXPECT_EQ(edit.m_pIntelliSenseWnd, nullptr) << "an empty list opens nothing";
    EXPECT_EQ(edit.GetLastFailure(), 0u) << "and reports nothing";
    EXPECT_FALSE(edit.InvokeIntelliSense());
    EXPECT_EQ(edit.GetLastFailure(), KTVP_FAIL_INTELLISENSE) << "on demand an empty list is a failure";

    CKtvPEditCtrl plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, RECT{0, 210, 400, 300}, &parent, 101));
    plain.EnableIntelliSense(TRUE);
    Type(plain.m_hWnd, "t.");
    EXPECT_EQ(plain.m_pIntelliSenseWnd, nullptr) << "the default hooks give no list";
}

TEST_F(IntelliSenseTest, ATriggerOpensTheSortedListUnderTheCaretWithTheFocus)
{
    edit.m_items = {"zeta", "beta", "Alpha", "alpha", "_x", "10"};
    CKtvPIntelliSenseLB* list = OpenBy("t.");
    ASSERT_NE(list, nullptr);
    POINT caret{};
    edit.OffsetToPoint(2, caret);
    ::ClientToScreen(edit.m_hWnd, &caret);
    EXPECT_TRUE(edit.m_bIntelliSenseOpen);
    EXPECT_EQ(ItemTexts(*list), (std::vector<std::string>{"_x", "10", "alpha", "Alpha", "beta", "zeta"}));
    EXPECT_EQ(::GetFocus(), list->m_hWnd);
    EXPECT_EQ(list->GetStyle() & 0x40000023u, 0x40000023u) << "an owner-drawn, sorted, notifying child";

    CRect popup;
    edit.m_pIntelliSenseWnd->GetWindowRect(&popup);
    EXPECT_EQ(popup.top, caret.y + edit.m_nRowHeight) << "below the caret row";
    const int textOffset = GetSystemMetrics(SM_CXBORDER) + 1 + 2 + 0 + 1;
    EXPECT_EQ(popup.left, caret.x - textOffset) << "item texts line up with the caret";
    CRect listRect;
    list->GetWindowRect(&listRect);
    EXPECT_TRUE(popup.PtInRect(listRect.TopLeft()) && popup.PtInRect(CPoint(listRect.right - 1, listRect.bottom - 1)))
        << "the popup holds the whole list";
    EXPECT_EQ(list->GetCurSel(), -1) << "nothing typed after the trigger: nothing chosen";
    Key(list->m_hWnd, VK_ESCAPE);
    Pump();

    // The owner may name the position just after the word it completes.
    edit.m_nWordPositionBack = 2;
    ASSERT_NE(OpenBy("."), nullptr);
    POINT wordEnd{};
    edit.OffsetToPoint(1, wordEnd);
    ::ClientToScreen(edit.m_hWnd, &wordEnd);
    edit.m_pIntelliSenseWnd->GetWindowRect(&popup);
    EXPECT_EQ(popup.left, wordEnd.x - textOffset) << "the list opens at the owner's position";
    EXPECT_EQ(edit.GetCaretOffset(), 3) << "the caret stays after what was typed";
}

TEST_F(IntelliSenseTest, TypingThroughTheListFollowsTheWordWithoutCase)
{
    struct Case {
        const char* typed;
        const char* selected;  // nullptr: nothing chosen
        const char* focused;
    };
    const Case cases[] = {
        {"SEL", "select", "select"},
        {"se", "select", "select"},
        {"set", "set", "set"},
        {"Sx", nullptr, "select"},  // the longest leading part that matches
        {"su", "Sum", "Sum"},
        {"q", nullptr, "from"},  // not even the first letter: the first item
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("t"));
        edit.SetCaret(1);
        CKtvPIntelliSenseLB* list = OpenBy(".");
        ASSERT_NE(list, nullptr);
        Type(list->m_hWnd, c.typed);
        EXPECT_EQ(Text(), std::string("t.") + c.typed) << "typing goes into the text";
        const int selected = list->GetCurSel();
        if (c.selected == nullptr)
            EXPECT_EQ(selected, -1);
        else
            EXPECT_EQ(selected >= 0 ? list->GetItem(selected)->m_strText : CString("<none>"), c.selected);
        EXPECT_EQ(list->GetItem(list->GetCaretIndex())->m_strText, c.focused);
        Key(list->m_hWnd, VK_ESCAPE);
        Pump();
        EXPECT_EQ(edit.m_pIntelliSenseWnd, nullptr) << "Escape closes";
    }
}

TEST_F(IntelliSenseTest, TheChosenItemIsDrawnInTheHighlightColours)
{
    CKtvPIntelliSenseLB* list = OpenBy("t.");
    ASSERT_NE(list, nullptr);
    Type(list->m_hWnd, "sel");
    const int chosen = list->GetCurSel();
    ASSERT_GE(chosen, 0);
    list->UpdateWindow();
    CRect chosenRect;
    list->GetItemRect(chosen, &chosenRect);
    CRect otherRect;
    list->GetItemRect(chosen == 0 ? 1 : 0, &otherRect);
    HDC dc = ::GetDC(list->m_hWnd);
    // Right of the text, inside the item's frame.
    EXPECT_EQ(::GetPixel(dc, chosenRect.right - 2, chosenRect.CenterPoint().y), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(::GetPixel(dc, otherRect.right - 2, otherRect.CenterPoint().y), GetSysColor(COLOR_WINDOW));
    ::ReleaseDC(list->m_hWnd, dc);
}

TEST_F(IntelliSenseTest, KeysInsertTheChoiceOrPassThroughAndClose)
{
    struct Case {
        const char* name;
        const char* typed;
        UINT key;
        const char* text;
    };
    const Case cases[] = {
        {"Tab with a choice", "sel", VK_TAB, "t.select"},
        {"Enter with a choice", "FR", VK_RETURN, "t.from"},
        {"Space with a choice", "su", VK_SPACE, "t.Sum"},
        {"Tab with nothing chosen takes the first item", "", VK_TAB, "t.from"},
        {"Enter with nothing chosen breaks the row", "zz", VK_RETURN, "t.zz\n"},
        {"Delete passes through", "", VK_DELETE, "t."},
        {"Escape keeps the typed text", "se", VK_ESCAPE, "t.se"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("t"));
        edit.SetCaret(1);
        CKtvPIntelliSenseLB* list = OpenBy(".");
        ASSERT_NE(list, nullptr);
        Type(list->m_hWnd, c.typed);
        Key(list->m_hWnd, c.key);
        Pump();
        EXPECT_EQ(Text(), c.text);
        EXPECT_EQ(edit.m_pIntelliSenseWnd, nullptr);
        EXPECT_FALSE(edit.m_bIntelliSenseOpen);
        EXPECT_EQ(::GetFocus(), edit.m_hWnd) << "the text has the focus again";
    }
}

TEST_F(IntelliSenseTest, ChosenItemReplacesTheWholeTypedPartAndAVetoLeavesItDeleted)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x se"));
    edit.SetCaret(4);
    ASSERT_TRUE(edit.InvokeIntelliSense());
    CKtvPIntelliSenseLB* list = dynamic_cast<CKtvPIntelliSenseLB*>(edit.m_pIntelliSenseWnd->m_pListBox);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetItem(list->GetCurSel())->m_strText, "select") << "the word at the caret is followed at once";
    Key(list->m_hWnd, VK_TAB);
    Pump();
    EXPECT_EQ(Text(), "x select");
    EXPECT_EQ(edit.GetCaretOffset(), 8);

    edit.m_strInsertInstead = "[from]";
    Type(edit.m_hWnd, " fr");
    ASSERT_TRUE(edit.InvokeIntelliSense());
    list = dynamic_cast<CKtvPIntelliSenseLB*>(edit.m_pIntelliSenseWnd->m_pListBox);
    Key(list->m_hWnd, VK_RETURN);
    Pump();
    EXPECT_EQ(Text(), "x select [from]") << "the owner may change what goes in";
    edit.m_strInsertInstead.Empty();

    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x se"));
    edit.SetCaret(4);
    edit.m_bVetoInsert = TRUE;
    ASSERT_TRUE(edit.InvokeIntelliSense());
    list = dynamic_cast<CKtvPIntelliSenseLB*>(edit.m_pIntelliSenseWnd->m_pListBox);
    Key(list->m_hWnd, VK_TAB);
    Pump();
    EXPECT_EQ(Text(), "x ") << "the typed word goes, nothing comes";
}

TEST_F(IntelliSenseTest, DoubleClickOnAnItemInsertsItAndCloses)
{
    CKtvPIntelliSenseLB* list = OpenBy("t.");
    ASSERT_NE(list, nullptr);
    CRect item;
    list->GetItemRect(1, &item);  // "select", after "from"
    const CPoint at = item.CenterPoint();
    ::SendMessage(list->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(at.x, at.y));
    ::SendMessage(list->m_hWnd, WM_LBUTTONUP, 0, MAKELONG(at.x, at.y));
    ::SendMessage(list->m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELONG(at.x, at.y));
    ::SendMessage(list->m_hWnd, WM_LBUTTONUP, 0, MAKELONG(at.x, at.y));
    Pump();
    EXPECT_EQ(Text(), "t.select");
    EXPECT_EQ(edit.m_pIntelliSenseWnd, nullptr);
    EXPECT_EQ(::GetFocus(), edit.m_hWnd);
}

TEST_F(IntelliSenseTest, KeysAndCharactersKeepTheListOnlyWithinTheTypedWord)
{
    CKtvPIntelliSenseLB* list = OpenBy("t.");
    ASSERT_NE(list, nullptr);
    Type(list->m_hWnd, "sex");
    EXPECT_EQ(list->GetCurSel(), -1);
    Key(list->m_hWnd, VK_BACK);
    EXPECT_EQ(Text(), "t.se");
    EXPECT_EQ(list->GetItem(list->GetCurSel())->m_strText, "select") << "the list follows the shorter word";
    Key(list->m_hWnd, VK_LEFT);
    Key(list->m_hWnd, VK_RIGHT);
    Pump();
    ASSERT_NE(edit.m_pIntelliSenseWnd, nullptr) << "the caret stayed in the word";
    Key(list->m_hWnd, VK_BACK);
    Key(list->m_hWnd, VK_BACK);
    Pump();
    ASSERT_NE(edit.m_pIntelliSenseWnd, nullptr) << "at the word start the word is empty, the list stays";
    Key(list->m_hWnd, VK_BACK);
    Pump();
    EXPECT_EQ(Text(), "t");
    EXPECT_EQ(edit.m_pIntelliSenseWnd, nullptr) << "before the word start the list closes";
    list = OpenBy(".");
    ASSERT_NE(list, nullptr);
    Type(list->m_hWnd, "se(");
    Pump();
    EXPECT_EQ(edit.m_pIntelliSenseWnd, nullptr) << "a character past the word closes the list";
    EXPECT_EQ(Text(), "t.se(");
}

TEST_F(IntelliSenseTest, FocusLossAndAltCloseAndAltsReleaseIsSwallowed)
{
    ASSERT_NE(OpenBy("t."), nullptr);
    ::SetFocus(parent.m_hWnd);
    Pump();
    EXPECT_EQ(edit.m_pIntelliSenseWnd, nullptr) << "focus loss closes";
    EXPECT_EQ(::GetFocus(), parent.m_hWnd) << "and the focus stays where it went";

    edit.SetFocus();
    CKtvPIntelliSenseLB* list = OpenBy(".");
    ASSERT_NE(list, nullptr);
    MSG release{list->m_hWnd, WM_SYSKEYUP, VK_MENU, 0, 0, {}};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(parent.m_hWnd, &release)) << "releasing Alt must not reach the menu bar";
    ::SendMessage(list->m_hWnd, WM_SYSKEYDOWN, VK_MENU, 0);
    Pump();
    EXPECT_EQ(edit.m_pIntelliSenseWnd, nullptr) << "Alt closes";
}

TEST_F(IntelliSenseTest, ASecondListClosesTheFirstAndTheFirstLeavesTheSecondsLink)
{
    ASSERT_TRUE(edit.InvokeIntelliSense());
    CKtvPIntelliSenseWnd* first = edit.m_pIntelliSenseWnd;
    const HWND firstWindow = first->m_hWnd;
    // A trigger typed through the open list opens the second.
    Type(first->m_pListBox->m_hWnd, ".");
    CKtvPIntelliSenseWnd* second = edit.m_pIntelliSenseWnd;
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, first);
    const HWND secondWindow = second->m_hWnd;
    Pump();
    EXPECT_FALSE(::IsWindow(firstWindow));
    EXPECT_TRUE(::IsWindow(secondWindow));
    EXPECT_EQ(edit.m_pIntelliSenseWnd, second) << "the first one's end left the open list named";
    EXPECT_TRUE(edit.m_bIntelliSenseOpen);
    EXPECT_EQ(::GetFocus(), second->m_pListBox->m_hWnd);

    ASSERT_TRUE(edit.Undo());
    Pump();
    EXPECT_FALSE(::IsWindow(secondWindow)) << "undo closes the list";
    EXPECT_EQ(edit.m_pIntelliSenseWnd, nullptr);
}

TEST_F(IntelliSenseTest, TheListIsAtMostTenItemsHighWithAScrollBarBeyond)
{
    struct Case {
        int items;
        int visible;
        bool scrollBar;
    };
    for (const Case c : {Case{3, 3, false}, Case{10, 10, false}, Case{11, 10, true}}) {
        SCOPED_TRACE(c.items);
        edit.m_items.clear();
        for (int i = 0; i < c.items; ++i)
            edit.m_items.push_back("item" + std::to_string(10 + i));
        ASSERT_TRUE(edit.InvokeIntelliSense());
        CKtvPBaseIntelliSenseLB* list = edit.m_pIntelliSenseWnd->m_pListBox;
        CRect client;
        list->GetClientRect(&client);
        CRect window;
        list->GetWindowRect(&window);
        EXPECT_EQ(window.Height(), c.visible * list->GetItemHeight(0));
        EXPECT_EQ(window.Width() - list->GetMaxItemSize().cx, c.scrollBar ? GetSystemMetrics(SM_CXVSCROLL) : 0);
        EXPECT_EQ(client.Width(), list->GetMaxItemSize().cx) << "the widest item fits beside any scroll bar";
        Key(list->m_hWnd, VK_ESCAPE);
        Pump();
    }
}

TEST_F(IntelliSenseTest, AtTheWorkAreasEdgesTheListOpensAboveOrLeftOfTheCaret)
{
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    struct Case {
        const char* name;
        bool nearBottom;
    };
    for (const Case c : {Case{"bottom", true}, Case{"right", false}}) {
        SCOPED_TRACE(c.name);
        ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("t"));
        edit.SetCaret(1);
        // Moves the frame so the caret after "t." stands a few pixels inside the edge.
        POINT at{};
        edit.OffsetToPoint(1, at);
        at.x += edit.GetCharWidth('.');
        ::ClientToScreen(edit.m_hWnd, &at);
        CRect frame;
        parent.GetWindowRect(&frame);
        const int dx = c.nearBottom ? 0 : (work.right - 8) - at.x;
        const int dy = c.nearBottom ? (work.bottom - edit.m_nRowHeight - 4) - at.y : 0;
        parent.SetWindowPos(nullptr, frame.left + dx, frame.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        edit.SetFocus();
        ASSERT_NE(OpenBy("."), nullptr);
        POINT caret{};
        edit.OffsetToPoint(2, caret);
        ::ClientToScreen(edit.m_hWnd, &caret);
        CRect popup;
        edit.m_pIntelliSenseWnd->GetWindowRect(&popup);
        if (c.nearBottom) {
            EXPECT_EQ(popup.bottom, caret.y) << "its bottom at the caret row's top";
        } else {
            EXPECT_EQ(popup.right, caret.x) << "its right edge at the caret";
            EXPECT_EQ(popup.top, caret.y + edit.m_nRowHeight);
        }
        EXPECT_LE(popup.bottom, work.bottom);
        EXPECT_LE(popup.right, work.right);
        Key(edit.m_pIntelliSenseWnd->m_pListBox->m_hWnd, VK_ESCAPE);
        Pump();
        parent.SetWindowPos(nullptr, frame.left, frame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
}

TEST_F(IntelliSenseTest, ReplacementHookReplacesTheTypedCharacterAndUndoesInOneStep)
{
    edit.m_chReplaced = '~';
    edit.m_strReplacement = "<>";
    Type(edit.m_hWnd, "a b");
    Type(edit.m_hWnd, "~");
    EXPECT_EQ(Text(), "a b<>");
    EXPECT_EQ(edit.GetCaretOffset(), 5);
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "a b~") << "the replacement goes and the typed character comes back";

    edit.m_strReplacement = "";
    Type(edit.m_hWnd, "~");
    EXPECT_EQ(Text(), "a b~") << "an empty replacement removes the typed character";
    Type(edit.m_hWnd, "c");
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "a b~") << "what is typed next is a step of its own";
}

TEST_F(IntelliSenseTest, ControlDestroyedWithItsListOpenTakesTheListAlong)
{
    ASSERT_NE(OpenBy("t."), nullptr);
    const HWND popup = edit.m_pIntelliSenseWnd->m_hWnd;
    edit.DestroyWindow();
    Pump();
    EXPECT_FALSE(::IsWindow(popup));
    EXPECT_EQ(edit.m_pIntelliSenseWnd, nullptr);
}

TEST_F(IntelliSenseTest, ClickAndDoubleClickWhileTheListIsOpenSelectNothing)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("alpha beta"));
    edit.SetCaret(10);
    ASSERT_TRUE(edit.InvokeIntelliSense());
    POINT at{};
    edit.OffsetToPoint(2, at);
    at.y += edit.m_nRowHeight / 2;
    ::SendMessage(edit.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELONG(at.x + 1, at.y));
    EXPECT_FALSE(edit.HasSelection());
    ::SendMessage(edit.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(at.x + 1, at.y));
    EXPECT_FALSE(edit.IsSelectingByMouse());
    EXPECT_EQ(::GetCapture(), nullptr);
    ::SendMessage(edit.m_hWnd, WM_LBUTTONUP, 0, MAKELONG(at.x + 1, at.y));
    Pump();
    EXPECT_EQ(edit.m_pIntelliSenseWnd, nullptr) << "the click took the focus from the list";
}

// ---------------------------------------------------------------- symbols

class SymbolTest : public IntelliSenseTest {
protected:
    void SetUp() override
    {
        IntelliSenseTest::SetUp();
        edit.m_arrSymbols.Add(CKtvPEditSymbol{"arrow", "->", 0, 0, 0, '\x1a'});
        edit.m_arrSymbols.Add(CKtvPEditSymbol{"not equal", "!=", 1, 0, 0, '#'});
        edit.m_bShowSymbols = TRUE;
    }
};

TEST_F(SymbolTest, SymbolsAreFoundForwardBackwardAndByTheirKeyCharacter)
{
    struct Case {
        const char* text;
        int offset;
        BOOL forward;
        int extra;
    };
    const Case cases[] = {
        {"a->b", 1, TRUE, 1},   // the sequence starts here
        {"a->b", 3, FALSE, 1},  // the sequence ends before here
        {"a->b", 2, TRUE, 0},   // inside the sequence: no symbol
        {"a#b", 1, TRUE, 0},    // the key character, no extra length
        {"x!", 1, TRUE, 0},     // a sequence that does not fit
        {"", 0, TRUE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(c.offset));
        EXPECT_EQ(edit.FindSymbolAt(c.text, c.offset, c.forward), c.extra);
    }
    CKtvPEditSymbol found;
    int extra = -1;
    ASSERT_TRUE(edit.LookupSymbol("a#", 1, 2, '#', &found, extra, TRUE));
    EXPECT_EQ(found.m_strName, "not equal");
    EXPECT_EQ(extra, 0);
    edit.m_bShowSymbols = FALSE;
    EXPECT_FALSE(edit.LookupSymbol("a->", 1, 3, '-', &found, extra, TRUE)) << "symbols are off unless shown";
}

TEST_F(SymbolTest, ReplacementHookTakesOnlyTheTypedCharacterThatCompletesASymbol)
{
    edit.m_chReplaced = '>';
    edit.m_strReplacement = "=>";
    Type(edit.m_hWnd, "a->");
    EXPECT_EQ(Text(), "a-=>") << "the typed character goes, not the whole symbol it completed";
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "a->");
}

TEST_F(SymbolTest, TheSymbolListStepsByTypedLetterAndInsertsTheKeyCharacter)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("a"));
    edit.SetCaret(1);
    ASSERT_TRUE(edit.InvokeSymbolsList());
    auto* list = dynamic_cast<CKtvPSymImagesLB*>(edit.m_pIntelliSenseWnd->m_pListBox);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Text(), "a") << "typing in the symbol list does not reach the text";
    Type(list->m_hWnd, "n");
    EXPECT_EQ(list->GetItem(list->GetCurSel())->m_strText, "not equal");
    Type(list->m_hWnd, "a");
    EXPECT_EQ(list->GetItem(list->GetCurSel())->m_strText, "arrow");
    Key(list->m_hWnd, VK_RETURN);
    Pump();
    EXPECT_EQ(Text(), "a\x1a");
    EXPECT_EQ(edit.m_pIntelliSenseWnd, nullptr);

    edit.m_arrSymbols.RemoveAll();
    EXPECT_FALSE(edit.InvokeSymbolsList());
    EXPECT_EQ(edit.GetLastFailure(), KTVP_FAIL_INTELLISENSE);
}

}  // namespace
}  // namespace ktvp_intellisense_test
