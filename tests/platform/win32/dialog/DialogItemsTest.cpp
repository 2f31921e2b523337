// The dialog-item helpers: text, numbers with their translated flag, checks
// and radio groups, and messages to items by id.
#include "platform/win32/kernel/KernelObjects.h"
#include "tests/platform/win32/dialog/DialogTestFixture.h"

namespace tw::dlg::test {
namespace {

constexpr int kEdit = 100;

class DialogItemsTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        TemplateBuilder builder(WS_POPUP | WS_CAPTION | WS_VISIBLE, 160, 100);
        builder.Item("Edit", "", kEdit, WS_TABSTOP | WS_BORDER, 5, 5, 80, 12)
            .Item("Button", "One", 11, WS_GROUP | WS_TABSTOP | BS_RADIOBUTTON, 5, 20, 60, 10)
            .Item("Button", "Two", 12, BS_RADIOBUTTON, 5, 32, 60, 10)
            .Item("Button", "Three", 13, BS_RADIOBUTTON, 5, 44, 60, 10)
            .Item("Button", "Check", 20, WS_GROUP | WS_TABSTOP | BS_AUTO3STATE, 5, 60, 60, 10);
        dialog = CreateDialogIndirectParam(nullptr, builder.Bytes(), nullptr, Proc, 0);
        ASSERT_NE(dialog, nullptr);
    }
    HWND dialog = nullptr;
};

struct IntCase {
    const char* name;
    const char* text;
    BOOL isSigned;
    BOOL translated;
    UINT value;
};

class DialogItemInt : public DialogItemsTest, public ::testing::WithParamInterface<IntCase> {};

TEST_P(DialogItemInt, ReadsTheWholeTextAsANumberOrSaysItCannot)
{
    ASSERT_TRUE(SetDlgItemText(dialog, kEdit, GetParam().text));
    BOOL translated = 7;
    const UINT value = GetDlgItemInt(dialog, kEdit, &translated, GetParam().isSigned);
    EXPECT_EQ(translated, GetParam().translated);
    EXPECT_EQ(value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DialogItemInt,
    ::testing::Values(IntCase{"Plain", "42", TRUE, TRUE, 42}, IntCase{"Blanks", "  17 ", FALSE, TRUE, 17},
                      IntCase{"Negative", "-7", TRUE, TRUE, static_cast<UINT>(-7)},
                      IntCase{"NegativeUnsigned", "-7", FALSE, FALSE, 0},
                      IntCase{"Plus", "+5", FALSE, TRUE, 5}, IntCase{"Trailing", "12a", TRUE, FALSE, 0},
                      IntCase{"Empty", "", TRUE, FALSE, 0}, IntCase{"SignAlone", "-", TRUE, FALSE, 0},
                      IntCase{"LargestUnsigned", "4294967295", FALSE, TRUE, 4294967295u},
                      IntCase{"PastUnsigned", "4294967296", FALSE, FALSE, 0},
                      IntCase{"PastSigned", "2147483648", TRUE, FALSE, 0},
                      IntCase{"SmallestSigned", "-2147483648", TRUE, TRUE, 0x80000000u}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogItemsTest, SetDlgItemIntWritesSignedAndUnsignedText)
{
    SetDlgItemInt(dialog, kEdit, static_cast<UINT>(-12), TRUE);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kEdit)), "-12");
    SetDlgItemInt(dialog, kEdit, static_cast<UINT>(-12), FALSE);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kEdit)), "4294967284");
}

TEST_F(DialogItemsTest, TextRoundTripsAndIsCutToTheBuffer)
{
    ASSERT_TRUE(SetDlgItemText(dialog, kEdit, "H\xC3\xA9llo"));
    char buffer[32];
    EXPECT_EQ(GetDlgItemText(dialog, kEdit, buffer, sizeof buffer), 6u);
    EXPECT_STREQ(buffer, "H\xC3\xA9llo");
    char small[3];
    GetDlgItemText(dialog, kEdit, small, sizeof small);
    EXPECT_STREQ(small, "H") << "a character is never cut in half";
}

TEST_F(DialogItemsTest, AMissingItemFailsWithItsError)
{
    char buffer[8] = "x";
    SetLastError(0);
    EXPECT_EQ(GetDlgItemText(dialog, 999, buffer, sizeof buffer), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
    EXPECT_FALSE(SetDlgItemText(dialog, 999, "x"));
    BOOL translated = TRUE;
    EXPECT_EQ(GetDlgItemInt(dialog, 999, &translated, TRUE), 0u);
    EXPECT_FALSE(translated);
    EXPECT_FALSE(CheckDlgButton(dialog, 999, BST_CHECKED));
    EXPECT_EQ(SendDlgItemMessage(dialog, 999, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_FALSE(CheckRadioButton(dialog, 500, 510, 505));
}

TEST_F(DialogItemsTest, RadioAndCheckButtonsAreSetByIdAndRange)
{
    EXPECT_TRUE(CheckRadioButton(dialog, 11, 13, 12));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 11), 0u);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 12), static_cast<UINT>(BST_CHECKED));
    EXPECT_TRUE(CheckRadioButton(dialog, 11, 13, 13));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 12), 0u);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 13), static_cast<UINT>(BST_CHECKED));
    EXPECT_TRUE(CheckDlgButton(dialog, 20, BST_INDETERMINATE));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 20), static_cast<UINT>(BST_INDETERMINATE));
    EXPECT_EQ(SendDlgItemMessage(dialog, kEdit, WM_GETTEXTLENGTH, 0, 0), 0);
}

}  // namespace
}  // namespace tw::dlg::test
