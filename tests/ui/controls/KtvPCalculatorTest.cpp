// The desk calculator driven from the keyboard as a user types: chains of
// operations, repeated "=", percent, memory, errors and recovery, the display
// format's limits, "<-"; its keypad layout with extra commands; and the
// pop-up of a browse edit in calculator mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/CStringList.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPBrowseEdit.h"
#include "ui/controls/KtvPCalculator.h"

namespace {

using tw::test::KtvControlTest;

class CalculatorTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        ASSERT_TRUE(calc.CreateControl(&host, CRect(10, 10, 230, 230), 77));
        calc.SetFocus();
    }
    void TearDown() override
    {
        if (calc.GetSafeHwnd() != nullptr)
            calc.DestroyWindow();
        KtvControlTest::TearDown();
    }

    void Chord(UINT vk)
    {
        input.KeyDown(VK_CONTROL);
        input.KeyStroke(vk);
        PumpFiltered();
        input.KeyUp(VK_CONTROL);
        PumpFiltered();
    }

    // One keypad key as the keyboard presses it.
    void Press(const std::string& token)
    {
        if (token == "=")
            KeyFiltered(VK_RETURN);
        else if (token == "<-")
            KeyFiltered(VK_BACK);
        else if (token == "C")
            KeyFiltered(VK_ESCAPE);
        else if (token == "CE")
            KeyFiltered(VK_DELETE);
        else if (token == "+/-")
            KeyFiltered(VK_F9);
        else if (token == "MR")
            Chord('R');
        else if (token == "M+")
            Chord('P');
        else if (token == "MC")
            Chord('L');
        else if (token == "^F1")
            Chord(VK_F1);
        else if (token == "^F3")
            Chord(VK_F3);
        else if (token == "sqrt") {
            TypeKeys("@");
            PumpFiltered();
        } else if (token == "1/x") {
            TypeKeys("r");
            PumpFiltered();
        } else {
            TypeKeys(token);
            PumpFiltered();
        }
    }

    void PressAll(const std::string& keys)
    {
        std::istringstream in(keys);
        std::string token;
        while (in >> token)
            Press(token);
    }

    // What the display key shows.
    CString Shown() const { return calc.GetButton(0)->m_strText; }

    CKtvPCalculator calc;
};

TEST_F(CalculatorTest, KeySequencesShowTheirResults)
{
    const std::string big(23, '0');  // "1" followed by 22 zeros is 10^22
    struct {
        std::string keys;
        const char* shown;
    } cases[] = {
        {"1 / 3 =", "0.3333333333333333"},
        {"2 * . 5 =", "1"},
        {"2 + 3 *", "5"},                      // left to right, no precedence
        {"10 - 3 = =", "4"},                   // "=" repeats the last operation
        {"5 + = =", "15"},
        {"12 / 4 = =", "0.75"},
        {"200 + 10 % =", "220"},
        {"7 + * 2 =", "14"},                   // a second operator only replaces the first
        {"9 +/-", "-9"},
        {"16 sqrt", "4"},
        {"4 1/x", "0.25"},
        {". .", "0."},
        {"1 . . 5", "1.5"},
        {"7 <-", "0"},
        {"123 <-", "12"},
        {"12 + <-", "12"},                     // nothing after an operator
        {"12 = <-", "12"},
        {"4 M+ 12 MR 3", "43"},                // a recalled number goes on being typed
        {"4 M+ 1 + MR 3", "3"},                // after an operator it does not
        {"2 + 3 M+ =", "7"},                   // M+ keeps the pending "+"
        {"2 + 3 M+ = C MR", "5"},
        {"4 M+ MC C MR", "0"},
        {"6 ^F1 C ^F3", "6"},                  // Ctrl+F1 adds to memory, Ctrl+F3 recalls
        {"5 +/- M+ 1 MR <- + 3 =", "3"},       // "-5" less a character is 0, shown and used
        {"1" + big.substr(0, 22) + " =", "10000000000000000000000"},
        {"1" + big + " =", "1.000000e+023"},
        {"0 1/x", "Error"},
        {"5 / 0 =", "Error"},
        {"9 +/- sqrt", "Error"},
        {"0 1/x 5 + 2 =", "Error"},            // only C and CE work in the error state
        {"0 1/x C 7", "7"},
        {"0 1/x CE 7 + 1 =", "8"},
        {std::string(200, '9') + " * =", "Error"},  // an overflow is no number
    };
    for (const auto& c : cases) {
        Press("C");
        Press("MC");
        PressAll(c.keys);
        EXPECT_STREQ(c.shown, (LPCTSTR)Shown()) << c.keys.substr(0, 40);
    }
}

TEST_F(CalculatorTest, TheMemoryMarkFollowsTheMemory)
{
    auto* pDisplay = dynamic_cast<CCalculatorDisplay*>(calc.GetButton(0));
    ASSERT_NE(nullptr, pDisplay);
    EXPECT_FALSE(pDisplay->m_ShowMemory);
    PressAll("3 M+");
    EXPECT_TRUE(pDisplay->m_ShowMemory);
    PressAll("3 +/- M+");
    EXPECT_FALSE(pDisplay->m_ShowMemory) << "3 - 3 leaves nothing in memory";
    PressAll("8 M+ MC");
    EXPECT_FALSE(pDisplay->m_ShowMemory);
}

TEST_F(CalculatorTest, ClickingKeysWorksLikeTyping)
{
    auto clickKey = [&](const char* label) {
        for (int i = 1; i < calc.GetCount(); i++) {
            CKtvPToolbarButton* pButton = calc.GetButton(i);
            if (pButton->m_strText == label) {
                const CPoint center = pButton->m_rect.CenterPoint();
                Click(calc.GetSafeHwnd(), center.x, center.y);
                PumpFiltered();
                return;
            }
        }
        ADD_FAILURE() << "no key " << label;
    };
    for (const char* label : {"7", "*", "6", "="})
        clickKey(label);
    EXPECT_STREQ("42", (LPCTSTR)Shown());
}

// The pop-up of a browse edit in calculator mode, with an edit that records
// the extra commands it hears of.
class CommandEdit : public CKtvPBrowseEdit {
public:
    void OnCalculatorCommand(CKtvPCalculator* pCalculator, UINT uiCmd) override
    {
        commands.push_back(uiCmd);
        valueAtCommand = pCalculator->GetValue();
    }
    std::vector<UINT> commands;
    double valueAtCommand = 0.0;
};

class CalculatorPopupTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(20, 20, 220, 42), &host,
                                90));
    }
    void TearDown() override
    {
        if (edit.GetSafeHwnd() != nullptr)
            edit.DestroyWindow();
        KtvControlTest::TearDown();
    }
    CKtvPCalculator& Open(const char* text, const CStringList* pExtra = nullptr)
    {
        edit.SetWindowText(text);
        edit.EnableCalculatorButton(pExtra);
        edit.SetFocus();
        ChordFiltered(VK_MENU, VK_DOWN);
        EXPECT_NE(nullptr, edit.GetCalculatorPopup());
        return edit.GetCalculatorPopup()->GetCalculator();
    }
    CString EditText()
    {
        CString text;
        edit.GetWindowText(text);
        return text;
    }
    CommandEdit edit;
};

TEST_F(CalculatorPopupTest, EqualsWritesTheResultBackAndClosesEscDoesNot)
{
    CKtvPCalculator& calc = Open("1,5");
    EXPECT_STREQ("1.5", (LPCTSTR)calc.GetDisplayText()) << "the comma reads as the decimal point";
    EXPECT_EQ(calc.GetSafeHwnd(), ::GetFocus());
    CRect rectEdit, rectCalc;
    edit.GetWindowRect(rectEdit);
    calc.GetWindowRect(rectCalc);
    EXPECT_GE(rectCalc.top, rectEdit.bottom) << "the pop-up opens below the edit";

    ClearReceived();
    TypeKeys("*4");
    PumpFiltered();
    KeyFiltered(VK_RETURN);
    EXPECT_STREQ("6", (LPCTSTR)EditText());
    EXPECT_EQ(nullptr, edit.GetCalculatorPopup()) << "the pop-up closed";
    EXPECT_EQ(edit.GetSafeHwnd(), ::GetFocus()) << "the edit has the focus back";
    EXPECT_FALSE(Received(WM_COMMAND).empty()) << "the parent heard of the new text";

    CKtvPCalculator& calc2 = Open("6");
    EXPECT_STREQ("6", (LPCTSTR)calc2.GetDisplayText());
    TypeKeys("9");
    PumpFiltered();
    KeyFiltered(VK_ESCAPE);
    EXPECT_STREQ("6", (LPCTSTR)EditText()) << "Esc leaves the text alone";
    EXPECT_EQ(nullptr, edit.GetCalculatorPopup());
    EXPECT_EQ(edit.GetSafeHwnd(), ::GetFocus());
}

TEST_F(CalculatorPopupTest, AnErrorWritesNothingAndTheButtonTogglesThePopup)
{
    CKtvPCalculator& calc = Open("abc");
    EXPECT_STREQ("0", (LPCTSTR)calc.GetDisplayText()) << "text that is no number opens at 0";
    TypeKeys("r");  // 1/x of 0
    PumpFiltered();
    KeyFiltered(VK_RETURN);
    EXPECT_TRUE(calc.IsError());
    EXPECT_STREQ("abc", (LPCTSTR)EditText());
    ASSERT_NE(nullptr, edit.GetCalculatorPopup()) << "an error does not close the pop-up";

    edit.DoBrowse();  // the edit's button again
    PumpFiltered();
    EXPECT_EQ(nullptr, edit.GetCalculatorPopup());
    EXPECT_STREQ("abc", (LPCTSTR)EditText());
}

TEST_F(CalculatorPopupTest, ExtraCommandsGetTheirOwnRowAndReachTheEdit)
{
    CStringList extra;
    extra.AddTail("&Apply");
    extra.AddTail("&round");
    extra.AddTail("Last&");
    CKtvPCalculator& calc = Open("8", &extra);
    ASSERT_EQ(1 + 26 + 3, calc.GetCount());

    auto* pLastKey = calc.GetButton(26);  // "1/x"
    ASSERT_STREQ("1/x", (LPCTSTR)pLastKey->m_strText);
    for (int i = 27; i < 30; i++) {
        auto* pKey = dynamic_cast<CCalculatorButton*>(calc.GetButton(i));
        ASSERT_NE(nullptr, pKey);
        EXPECT_TRUE(pKey->m_IsUserCommand);
        EXPECT_EQ(100 + (i - 27), pKey->m_Command);
        EXPECT_GT(pKey->m_rect.top, pLastKey->m_rect.bottom) << "row below the keypad";
        EXPECT_EQ(calc.GetButton(27)->m_rect.top, pKey->m_rect.top) << "one row";
    }
    EXPECT_EQ('A', dynamic_cast<CCalculatorButton*>(calc.GetButton(27))->m_KeyCode);
    EXPECT_EQ('R', dynamic_cast<CCalculatorButton*>(calc.GetButton(28))->m_KeyCode);
    EXPECT_EQ(0, dynamic_cast<CCalculatorButton*>(calc.GetButton(29))->m_KeyCode);

    TypeKeys("+2A");
    PumpFiltered();
    ASSERT_EQ(std::vector<UINT>{100}, edit.commands);
    EXPECT_DOUBLE_EQ(10.0, edit.valueAtCommand) << "the pending sum is worked out first";
    ASSERT_NE(nullptr, edit.GetCalculatorPopup()) << "an extra command keeps the pop-up open";
    KeyFiltered(VK_ESCAPE);
}

TEST_F(CalculatorPopupTest, Screenshot)
{
    CKtvPCalculator& calc = Open("1234.5");
    TypeKeys("*2");
    PumpFiltered();
    Pump();
    CRect rectAll, rectCalc;
    edit.GetWindowRect(rectAll);
    calc.GetParent()->GetWindowRect(rectCalc);
    rectAll.UnionRect(rectAll, rectCalc);
    rectAll.InflateRect(4, 4);
    const std::string path =
        (std::filesystem::canonical("/proc/self/exe").parent_path() / "calculator-screenshot.png").string();
    EXPECT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(path, &rectAll)) << path;
    KeyFiltered(VK_ESCAPE);
}

}  // namespace
