// Keyboard messages, their lParam bits, characters on the US layout and the
// key names and mappings the program shows in its shortcut lists.
#include "tests/platform/win32/user/UserTestFixture.h"

#include <cstdio>
#include <cstring>

namespace tw::user::test {
namespace {

class KeyboardTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        main = MakeFrame("main", RECT{100, 100, 400, 300});
        Pump();
        ASSERT_EQ(GetFocus(), main);
    }
    HWND main = nullptr;
};

TEST_F(KeyboardTest, KeyDownAndUpCarryTheScanCodeAndTransitionBits)
{
    MSG down{};
    MSG up{};
    input.KeyDown('A');
    input.KeyUp('A');
    ASSERT_TRUE(PeekMessage(&down, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    ASSERT_TRUE(PeekMessage(&up, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(down.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(static_cast<DWORD>(down.lParam), 0x001E0001u);
    EXPECT_EQ(up.message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(static_cast<DWORD>(up.lParam), 0xC01E0001u);
    EXPECT_EQ(down.hwnd, main);
}

struct CharCase {
    const char* name;
    UINT vk;
    bool shift;
    WPARAM expected;
};

class TypedCharacter : public KeyboardTest, public ::testing::WithParamInterface<CharCase> {};

TEST_P(TypedCharacter, TranslateMessageMakesTheUsLayoutCharacter)
{
    const CharCase& c = GetParam();
    if (c.shift)
        input.KeyDown(VK_SHIFT);
    input.KeyStroke(c.vk);
    if (c.shift)
        input.KeyUp(VK_SHIFT);
    trace.Start();
    Pump();
    const std::string expected = "main WM_CHAR 0x" + [&] {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%lX", static_cast<unsigned long>(c.expected));
        return std::string(buffer);
    }();
    EXPECT_NE(std::find(trace.Lines().begin(), trace.Lines().end(), expected), trace.Lines().end()) << trace.Text();
}

INSTANTIATE_TEST_SUITE_P(UsLayout, TypedCharacter,
                         ::testing::Values(CharCase{"Lower", 'A', false, 'a'}, CharCase{"Upper", 'A', true, 'A'},
                                           CharCase{"Bang", '1', true, '!'}, CharCase{"Semicolon", VK_OEM_1, false, ';'},
                                           CharCase{"Colon", VK_OEM_1, true, ':'}, CharCase{"Space", VK_SPACE, false, ' '},
                                           CharCase{"Enter", VK_RETURN, false, '\r'},
                                           CharCase{"NumPad", VK_NUMPAD7, false, '7'}),
                         [](const auto& info) { return info.param.name; });

TEST_F(KeyboardTest, AltWithALetterIsASystemKeyAndAltAloneOpensTheMenu)
{
    trace.Start();
    input.KeyDown(VK_MENU);
    input.KeyStroke('X');
    input.KeyUp(VK_MENU);
    input.KeyDown(VK_MENU);
    input.KeyUp(VK_MENU);
    Pump();
    ExpectTrace("alt_keys", trace.Text());
}

TEST_F(KeyboardTest, KeyStateFollowsTheMessagesRead)
{
    input.KeyDown(VK_CONTROL);
    EXPECT_FALSE(GetKeyState(VK_CONTROL) & 0x8000) << "nothing read yet";
    Pump();
    EXPECT_TRUE(GetKeyState(VK_CONTROL) & 0x8000);
    EXPECT_TRUE(GetAsyncKeyState(VK_CONTROL) & 0x8000);
    input.KeyUp(VK_CONTROL);
    Pump();
    EXPECT_FALSE(GetKeyState(VK_CONTROL) & 0x8000);
    input.KeyStroke(VK_CAPITAL);
    Pump();
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1) << "Caps Lock toggled on";
    input.KeyStroke(VK_CAPITAL);
    Pump();
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
}

struct KeyNameCase {
    LONG lParam;
    const char* name;
};

class KeyName : public ::testing::TestWithParam<KeyNameCase> {};

TEST_P(KeyName, IsTheUsName)
{
    char buffer[32];
    const int length = GetKeyNameText(GetParam().lParam, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, GetParam().name);
    EXPECT_EQ(length, static_cast<int>(std::strlen(GetParam().name)));
}

INSTANTIATE_TEST_SUITE_P(UsNames, KeyName,
                         ::testing::Values(KeyNameCase{0x1E << 16, "A"}, KeyNameCase{0x1C << 16, "Enter"},
                                           KeyNameCase{(0x1C << 16) | (1 << 24), "Num Enter"},
                                           KeyNameCase{(0x53 << 16) | (1 << 24), "Delete"},
                                           KeyNameCase{0x53 << 16, "Num Del"}, KeyNameCase{0x3B << 16, "F1"},
                                           KeyNameCase{0x36 << 16, "Right Shift"},
                                           KeyNameCase{(0x36 << 16) | (1 << 25), "Shift"},
                                           KeyNameCase{0x39 << 16, "Space"}, KeyNameCase{0x33 << 16, ","},
                                           KeyNameCase{(0x49 << 16) | (1 << 24), "Page Up"}));

TEST(KeyboardMapping, MapsBetweenKeysScanCodesAndCharacters)
{
    EXPECT_EQ(MapVirtualKey('A', MAPVK_VK_TO_VSC), 0x1Eu);
    EXPECT_EQ(MapVirtualKey(0x1E, MAPVK_VSC_TO_VK), static_cast<UINT>('A'));
    EXPECT_EQ(MapVirtualKey(0x2A, MAPVK_VSC_TO_VK), static_cast<UINT>(VK_SHIFT));
    EXPECT_EQ(MapVirtualKey(0x36, MAPVK_VSC_TO_VK_EX), static_cast<UINT>(VK_RSHIFT));
    EXPECT_EQ(MapVirtualKey(VK_OEM_2, MAPVK_VK_TO_CHAR), static_cast<UINT>('/'));
    EXPECT_EQ(MapVirtualKeyEx(VK_DELETE, MAPVK_VK_TO_VSC, GetKeyboardLayout(0)), 0x53u);
    BYTE keys[256] = {};
    WORD ch = 0;
    keys[VK_CONTROL] = 0x80;
    EXPECT_EQ(ToAscii('C', 0x2E, keys, &ch, 0), 1);
    EXPECT_EQ(ch, 3) << "Ctrl+C is the control character";
    EXPECT_EQ(ToAscii('C', 0x2E | 0x8000, keys, &ch, 0), 0) << "a release gives nothing";
    EXPECT_EQ(VkKeyScan('?'), 0x100 | VK_OEM_2);
}

}  // namespace
}  // namespace tw::user::test
