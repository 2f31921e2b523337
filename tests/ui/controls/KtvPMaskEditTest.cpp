// The mask edit driven by keys: typing across groups, deleting within runs,
// the caret keys, and texts stored or refused from outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/win32/user/BeepTrace.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPMaskEdit.h"

namespace {

using tw::test::KtvControlTest;

// A step of a sequence: a key (VK_*), or text typed when vk is 0.
struct Step {
    UINT vk;
    UINT modifier;
    const char* text;
};

struct KeyCase {
    const char* name;
    const char* mask;
    const char* tmpl;
    int selStart;
    int selEnd;
    std::vector<Step> steps;
    const char* expectText;
    int expectStart;
    int expectEnd;
    size_t expectBeeps;
};

class MaskEditKeysTest : public KtvControlTest, public ::testing::WithParamInterface<KeyCase> {
protected:
    void TearDown() override
    {
        edit.DestroyWindow();
        KtvControlTest::TearDown();
    }
    CKtvPMaskEdit edit;
};

TEST_P(MaskEditKeysTest, KeysGiveTheTextSelectionAndBeeps)
{
    const KeyCase& c = GetParam();
    edit.SetFormat(c.mask, c.tmpl, ' ');
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 20), &host, 5));
    ASSERT_TRUE(edit.StoreText("", TRUE));
    edit.SetWindowText(edit.GetValue());
    edit.SetFocus();
    PumpFiltered();
    edit.SetSel(c.selStart, c.selEnd);
    tw::user::ResetBeepTrace();
    for (const Step& s : c.steps) {
        if (s.vk == 0) {
            const std::string text = s.text;
            const bool ascii = std::all_of(text.begin(), text.end(), [](char ch) { return (unsigned char)ch < 0x80; });
            if (ascii)
                TypeKeys(text);
            else
                input.Text(text);  // arrives as UTF-8 bytes, one WM_CHAR each
            PumpFiltered();
        } else if (s.modifier != 0) {
            ChordFiltered(s.modifier, s.vk);
        } else {
            KeyFiltered(s.vk);
        }
    }
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ(c.expectText, (LPCTSTR)text);
    EXPECT_STREQ(c.expectText, (LPCTSTR)edit.GetValue());
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(c.expectStart, start);
    EXPECT_EQ(c.expectEnd, end);
    EXPECT_EQ(c.expectBeeps, tw::user::BeepTrace().size());
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, MaskEditKeysTest,
    ::testing::Values(
        KeyCase{"TypingJumpsOverTheColon", "DD:DD", "__:__", 0, 0, {{0, 0, "1234"}}, "12:34", 5, 5, 0},
        KeyCase{"ALetterInADigitPositionBeeps", "DD:DD", "__:__", 0, 0, {{0, 0, "x"}}, "  :  ", 0, 0, 1},
        KeyCase{"ALetterInAnAlnumPosition", "AA:DD", "__:__", 0, 0, {{0, 0, "x"}}, "x :  ", 1, 1, 0},
        KeyCase{"BackspaceAtTheSecondGroupGoesBack", "DD:DD", "__:__", 0, 0,
                {{0, 0, "123"}, {VK_LEFT, 0, nullptr}, {VK_BACK, 0, nullptr}}, "12:3 ", 2, 2, 0},
        KeyCase{"BackspaceInsideARunShifts", "DDD", "___", 0, 0, {{0, 0, "123"}, {VK_HOME, 0, nullptr},
                                                                   {VK_RIGHT, 0, nullptr}, {VK_BACK, 0, nullptr}},
                "23 ", 0, 0, 0},
        KeyCase{"DeleteAtAGroupEndBeeps", "DD:DD", "__:__", 0, 0, {{0, 0, "12"}, {VK_LEFT, 0, nullptr},
                                                                    {VK_END, 0, nullptr}, {VK_DELETE, 0, nullptr}},
                "12:  ", 2, 2, 1},
        KeyCase{"DeleteInsideARun", "DDD", "___", 0, 0, {{0, 0, "123"}, {VK_HOME, 0, nullptr}, {VK_DELETE, 0, nullptr}},
                "23 ", 0, 0, 0},
        KeyCase{"ASelectionLongerThanItsRunBeeps", "DDCC", "____", 0, 3, {{0, 0, "5"}}, "    ", 0, 2, 1},
        KeyCase{"TypingOverASelectionFillsTheRun", "DDD", "___", 0, 2, {{0, 0, "7"}}, "7  ", 1, 1, 0},
        KeyCase{"CtrlRightSelectsGroupByGroupThenBeeps", "DD:DD", "__:__", 0, 0,
                {{VK_RIGHT, VK_CONTROL, nullptr}, {VK_RIGHT, VK_CONTROL, nullptr}, {VK_RIGHT, VK_CONTROL, nullptr}},
                "  :  ", 3, 5, 1},
        KeyCase{"HomeAndEnd", "DD:DD", "__:__", 4, 4, {{VK_HOME, 0, nullptr}}, "  :  ", 3, 3, 0},
        // Positions count characters; the selection is read back in bytes.
        KeyCase{"WideLettersFillOnePositionEach", "CC:CC", "__:__", 0, 0, {{0, 0, "\xC3\xA4\xC3\xB6\xC3\xBC"}},
                "\xC3\xA4\xC3\xB6:\xC3\xBC ", 7, 7, 0},
        KeyCase{"BackspaceTakesTheWholeWideLetter", "CCC", "___", 0, 0,
                {{0, 0, "a"}, {0, 0, "\xC3\xA9"}, {0, 0, "b"}, {VK_LEFT, 0, nullptr}, {VK_BACK, 0, nullptr}}, "ab ",
                1, 1, 0},
        KeyCase{"DeleteShiftsWideLettersLeft", "CCC", "___", 0, 0,
                {{0, 0, "\xC3\xA9\xC3\xA8\xC3\xAA"}, {VK_HOME, 0, nullptr}, {VK_DELETE, 0, nullptr}},
                "\xC3\xA8\xC3\xAA ", 0, 0, 0},
        KeyCase{"RightStepsOverAWideLetter", "CCC", "___", 0, 0,
                {{0, 0, "\xC3\xA9\xC3\xA9"}, {VK_HOME, 0, nullptr}, {VK_RIGHT, 0, nullptr}},
                "\xC3\xA9\xC3\xA9 ", 2, 2, 0},
        KeyCase{"AWideLetterInADigitPositionBeeps", "DD", "__", 0, 0, {{0, 0, "\xC3\xA9"}}, "  ", 0, 0, 1},
        KeyCase{"TypingJumpsOverAWideLiteral", "DD DD", "__\xE2\x82\xAC__", 0, 0, {{0, 0, "1234"}},
                "12\xE2\x82\xAC" "34", 7, 7, 0}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST(MaskEditStore, WithAndWithoutDelimiters)
{
    CKtvPMaskEdit edit;
    edit.SetFormat("DD:DD", "__:__", ' ');
    EXPECT_TRUE(edit.StoreText("1234", FALSE));
    EXPECT_STREQ("12:34", (LPCTSTR)edit.GetValue());
    EXPECT_FALSE(edit.StoreText("1234", TRUE));  // refused at the colon
    EXPECT_STREQ("12:34", (LPCTSTR)edit.GetValue());
    EXPECT_TRUE(edit.StoreText("56:78", TRUE));
    EXPECT_STREQ("56:78", (LPCTSTR)edit.GetValue());
    EXPECT_FALSE(edit.StoreText("5a:78", TRUE));
    EXPECT_FALSE(edit.StoreText("123456", TRUE));
    edit.SetAllowedChars("0123");
    EXPECT_FALSE(edit.StoreText("45:00", TRUE));
    EXPECT_STREQ("56:78", (LPCTSTR)edit.GetValue());
}

TEST(MaskEditStore, CountsCharactersNotBytes)
{
    CKtvPMaskEdit edit;
    edit.SetFormat("CC-CC", "__-__", ' ');
    EXPECT_TRUE(edit.StoreText("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F", FALSE));
    EXPECT_STREQ("\xC3\xA4\xC3\xB6-\xC3\xBC\xC3\x9F", (LPCTSTR)edit.GetValue());
    EXPECT_TRUE(edit.StoreText("ab-\xC3\xA9", TRUE));
    EXPECT_STREQ("ab-\xC3\xA9 ", (LPCTSTR)edit.GetValue());
    EXPECT_FALSE(edit.StoreText("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\xA9", FALSE));  // five letters, four places

    edit.SetFormat("DD DD", "__\xE2\x82\xAC__", ' ');
    EXPECT_TRUE(edit.StoreText("12\xE2\x82\xAC" "34", TRUE));
    EXPECT_STREQ("12\xE2\x82\xAC" "34", (LPCTSTR)edit.GetValue());
    EXPECT_FALSE(edit.StoreText("12$34", TRUE));  // the literal must match
}

class MaskEditWindowTest : public KtvControlTest {
protected:
    void TearDown() override
    {
        edit.DestroyWindow();
        KtvControlTest::TearDown();
    }
    CKtvPMaskEdit edit;
};

TEST_F(MaskEditWindowTest, ShowsTheTemplateAndPutsBackARefusedText)
{
    edit.SetFormat("DD:DD", "__:__", ' ');
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 20), &host, 5));
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ("__:__", (LPCTSTR)text);

    ASSERT_TRUE(edit.StoreText("12:34", TRUE));
    edit.SetWindowText("12:34");
    tw::user::ResetBeepTrace();
    edit.SetWindowText("ab-cd");  // an outside change the format refuses
    Pump();
    edit.GetWindowText(text);
    EXPECT_STREQ("12:34", (LPCTSTR)text);
    EXPECT_STREQ("12:34", (LPCTSTR)edit.GetValue());
    EXPECT_EQ(1u, tw::user::BeepTrace().size());
}

}  // namespace
