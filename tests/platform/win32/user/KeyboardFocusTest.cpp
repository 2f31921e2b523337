// Where keys and typed text land: bound to the focus when the thread reads
// them, and every character delivered exactly once, whichever path made it.
#include "tests/platform/win32/user/UserTestFixture.h"

#include <map>
#include <string>

#include "platform/win32/controls/stdctrl.h"

namespace tw::user::test {
namespace {

// An edit-like field: keeps the characters it gets, and passes the focus on
// to its next sibling on Tab, as a dialog does.
std::map<HWND, std::string>& TypedInto()
{
    static std::map<HWND, std::string> typed;
    return typed;
}

LRESULT CALLBACK FieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_CHAR)
        return DefWindowProc(hwnd, message, wParam, lParam);
    if (wParam == '\t') {
        if (HWND next = GetWindow(hwnd, GW_HWNDNEXT))
            SetFocus(next);
        return 0;
    }
    TypedInto()[hwnd] += static_cast<char>(wParam);
    return 0;
}

class KeyboardFocusTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        TypedInto().clear();
        WNDCLASS wc{};
        wc.lpfnWndProc = FieldProc;
        wc.lpszClassName = "KeyboardFocusTestField";
        RegisterClass(&wc);
        dialog = MakeFrame("dialog", RECT{100, 100, 400, 300});
        first = CreateWindowEx(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, dialog, nullptr,
                               nullptr, nullptr);
        second = CreateWindowEx(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, 10, 40, 100, 20, dialog, nullptr,
                                nullptr, nullptr);
        Pump();
        SetFocus(first);
    }

    HWND dialog = nullptr;
    HWND first = nullptr;
    HWND second = nullptr;
};

TEST_F(KeyboardFocusTest, KeysTypedAfterATabReachTheControlItMovedTo)
{
    // Fast typing: the letter goes down before the Tab comes up.
    input.KeyDown(VK_TAB);
    input.KeyDown('A');
    input.KeyUp(VK_TAB);
    input.KeyUp('A');
    input.KeyStroke('B');
    Pump();
    EXPECT_EQ(GetFocus(), second);
    EXPECT_EQ(TypedInto()[first], "");
    EXPECT_EQ(TypedInto()[second], "ab");
}

TEST_F(KeyboardFocusTest, AQueuedKeyGoesToTheFocusWhenItIsTaken)
{
    input.KeyDown('A');
    MSG peeked{};
    ASSERT_TRUE(PeekMessage(&peeked, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    EXPECT_EQ(peeked.hwnd, first);
    SetFocus(second);
    MSG taken{};
    ASSERT_TRUE(PeekMessage(&taken, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(taken.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(taken.hwnd, second);
    input.KeyUp('A');
    Pump();
}

TEST_F(KeyboardFocusTest, AWindowFilterSeesKeysOfTheCurrentFocus)
{
    input.KeyStroke('A');
    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    SetFocus(second);
    EXPECT_FALSE(PeekMessage(&msg, first, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    ASSERT_TRUE(PeekMessage(&msg, second, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, second);
    Pump();
}

TEST_F(KeyboardFocusTest, KeysQueuedForADestroyedWindowReachTheNextFocus)
{
    input.KeyStroke('A');
    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    DestroyWindow(first);
    SetFocus(second);
    Pump();
    EXPECT_EQ(TypedInto()[second], "a");
}

// Typed text into the standard edit control, as the desktop backend and
// tests deliver it.
class TypedTextTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        tw::RegisterStandardControlClasses();
        frame = MakeFrame("frame", RECT{100, 100, 400, 300});
        edit = CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE | ES_LEFT, 10, 10, 200, 24, frame, nullptr,
                              nullptr, nullptr);
        Pump();
        SetFocus(edit);
    }

    std::string EditText()
    {
        char buffer[64] = {};
        GetWindowText(edit, buffer, sizeof buffer);
        return buffer;
    }

    HWND frame = nullptr;
    HWND edit = nullptr;
};

TEST_F(TypedTextTest, CharactersNoKeyMakesArriveWhole)
{
    input.Text("\xC3\xA9\xE2\x82\xAC");  // é€
    Pump();
    EXPECT_EQ(EditText(), "\xC3\xA9\xE2\x82\xAC");
}

TEST_F(TypedTextTest, TextFollowsTheKeysTypedBeforeIt)
{
    input.KeyStroke('A');
    input.Text("\xC3\xBC");  // ü
    input.KeyStroke('B');
    Pump();
    EXPECT_EQ(EditText(), "a\xC3\xBC" "b");
}

TEST_F(TypedTextTest, BrokenSequencesAreDroppedWithoutSwallowingWhatFollows)
{
    input.Text("\xE2\x82");  // a cut-off character
    input.Text("\xA9");      // a stray continuation byte
    input.Text("\xC3\xA9");
    Pump();
    EXPECT_EQ(EditText(), "\xC3\xA9");
}

struct LetterCase {
    const char* name;
    bool withText;  // the desktop backend's key and text pair
};

class TypedLetter : public TypedTextTest, public ::testing::WithParamInterface<LetterCase> {};

TEST_P(TypedLetter, ArrivesOnce)
{
    input.KeyDown('A');
    if (GetParam().withText)
        input.Text("a");
    input.KeyUp('A');
    Pump();
    EXPECT_EQ(EditText(), "a");
}

INSTANTIATE_TEST_SUITE_P(Paths, TypedLetter,
                         ::testing::Values(LetterCase{"KeyOnly", false}, LetterCase{"KeyAndText", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tw::user::test
