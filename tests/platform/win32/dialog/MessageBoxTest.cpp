// Message boxes: the answer of every button set to each key, mnemonic and
// click; the layout, caption and icons; the modes; the framework's error box.
#include "platform/mfc/CException.h"
#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "resources/resource.h"
#include "tests/platform/win32/dialog/DialogTestFixture.h"

namespace tw::dlg::test {
namespace {

constexpr int kTextId = 0xFFFF;

struct Stroke {
    UINT vk;
    bool alt = false;
    bool shift = false;
};

struct KeyCase {
    const char* name;
    UINT type;
    std::vector<Stroke> keys;
    int expected;
};

class MessageBoxTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        owner = MakeOwner();
    }
    void Queue(const std::vector<Stroke>& keys)
    {
        for (const Stroke& key : keys) {
            if (key.alt)
                input.KeyDown(VK_MENU);
            if (key.shift)
                input.KeyDown(VK_SHIFT);
            input.KeyStroke(key.vk);
            if (key.shift)
                input.KeyUp(VK_SHIFT);
            if (key.alt)
                input.KeyUp(VK_MENU);
        }
    }
    // Runs `look` once the box is up and idle, then answers it with Esc,
    // or with Enter where Esc gives no answer.
    int Inspect(const char* text, const char* caption, UINT type, const std::function<void(HWND)>& look)
    {
        bool seen = false;
        ownerHandler = [&](HWND, UINT message, WPARAM, LPARAM lParam) {
            if (message != WM_ENTERIDLE || seen)
                return;
            seen = true;
            look(reinterpret_cast<HWND>(lParam));
            Queue({{VK_RETURN}});
        };
        const int answer = MessageBox(owner, text, caption, type);
        EXPECT_TRUE(seen);
        return answer;
    }
    static RECT RectIn(HWND dialog, HWND control)
    {
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    HWND owner = nullptr;
};

class MessageBoxKeys : public MessageBoxTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(MessageBoxKeys, AnswerTheButtonTheKeysChoose)
{
    Queue(GetParam().keys);
    EXPECT_EQ(MessageBox(owner, "Proceed?", "Question", GetParam().type), GetParam().expected);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(FindWindow(WC_DIALOG, nullptr), nullptr) << "the box is gone";
}

INSTANTIATE_TEST_SUITE_P(
    EveryButtonSet, MessageBoxKeys,
    ::testing::Values(
        KeyCase{"OkEnter", MB_OK, {{VK_RETURN}}, IDOK}, KeyCase{"OkEscIsOk", MB_OK, {{VK_ESCAPE}}, IDOK},
        KeyCase{"OkCancelEnter", MB_OKCANCEL, {{VK_RETURN}}, IDOK},
        KeyCase{"OkCancelEsc", MB_OKCANCEL, {{VK_ESCAPE}}, IDCANCEL},
        KeyCase{"OkCancelSecondDefault", MB_OKCANCEL | MB_DEFBUTTON2, {{VK_RETURN}}, IDCANCEL},
        KeyCase{"OkCancelTabEnter", MB_OKCANCEL, {{VK_TAB}, {VK_RETURN}}, IDCANCEL},
        KeyCase{"OkCancelArrowEnter", MB_OKCANCEL, {{VK_RIGHT}, {VK_RETURN}}, IDCANCEL},
        KeyCase{"OkCancelShiftTabWraps", MB_OKCANCEL, {{VK_TAB, false, true}, {VK_RETURN}}, IDCANCEL},
        KeyCase{"AbortRetryIgnoreEnter", MB_ABORTRETRYIGNORE, {{VK_RETURN}}, IDABORT},
        KeyCase{"AbortRetryIgnoreEscDoesNothing", MB_ABORTRETRYIGNORE, {{VK_ESCAPE}, {'I'}}, IDIGNORE},
        KeyCase{"AbortRetryIgnoreR", MB_ABORTRETRYIGNORE, {{'R'}}, IDRETRY},
        KeyCase{"AbortRetryIgnoreAltI", MB_ABORTRETRYIGNORE, {{'I', true}}, IDIGNORE},
        KeyCase{"AbortRetryIgnoreThirdDefault", MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {{VK_RETURN}}, IDIGNORE},
        KeyCase{"YesNoCancelY", MB_YESNOCANCEL, {{'Y'}}, IDYES},
        KeyCase{"YesNoCancelN", MB_YESNOCANCEL, {{'N'}}, IDNO},
        KeyCase{"YesNoCancelEsc", MB_YESNOCANCEL, {{VK_ESCAPE}}, IDCANCEL},
        KeyCase{"YesNoCancelSecondDefault", MB_YESNOCANCEL | MB_DEFBUTTON2, {{VK_RETURN}}, IDNO},
        KeyCase{"YesNoEscDoesNothing", MB_YESNO, {{VK_ESCAPE}, {VK_RETURN}}, IDYES},
        KeyCase{"YesNoAltN", MB_YESNO, {{'N', true}}, IDNO},
        KeyCase{"YesNoMissingFourthDefaultIsTheFirst", MB_YESNO | MB_DEFBUTTON4, {{VK_RETURN}}, IDYES},
        KeyCase{"RetryCancelEnter", MB_RETRYCANCEL, {{VK_RETURN}}, IDRETRY},
        KeyCase{"RetryCancelEsc", MB_RETRYCANCEL, {{VK_ESCAPE}}, IDCANCEL},
        KeyCase{"RetryCancelR", MB_RETRYCANCEL | MB_DEFBUTTON2, {{'R'}}, IDRETRY}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClickCase {
    const char* name;
    UINT type;
    int button;
};

class MessageBoxClicks : public MessageBoxTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(MessageBoxClicks, AnswerTheButtonClicked)
{
    bool clicked = false;
    ownerHandler = [&](HWND, UINT message, WPARAM, LPARAM lParam) {
        if (message != WM_ENTERIDLE || clicked)
            return;
        clicked = true;
        HWND button = GetDlgItem(reinterpret_cast<HWND>(lParam), GetParam().button);
        ASSERT_NE(button, nullptr);
        const POINT at = CentreOf(button);
        input.Click(tw::display::MouseButton::Left, at.x, at.y);
    };
    EXPECT_EQ(MessageBox(owner, "Choose.", "Clicks", GetParam().type), GetParam().button);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

INSTANTIATE_TEST_SUITE_P(EveryButtonSet, MessageBoxClicks,
                         ::testing::Values(ClickCase{"Ok", MB_OK, IDOK}, ClickCase{"Cancel", MB_OKCANCEL, IDCANCEL},
                                           ClickCase{"Ignore", MB_ABORTRETRYIGNORE, IDIGNORE},
                                           ClickCase{"Retry", MB_ABORTRETRYIGNORE, IDRETRY},
                                           ClickCase{"No", MB_YESNOCANCEL, IDNO}, ClickCase{"Yes", MB_YESNO, IDYES},
                                           ClickCase{"RetryCancel", MB_RETRYCANCEL, IDCANCEL}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MessageBoxTest, ButtonsSitCentredInARowBelowTheTextWithTheDefaultFocused)
{
    Inspect("The file was changed outside the editor.", "Tarnwick", MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2,
            [&](HWND box) {
                EXPECT_EQ(TextOf(box), "Tarnwick");
                HWND text = GetDlgItem(box, kTextId);
                ASSERT_NE(text, nullptr);
                EXPECT_EQ(TextOf(text), "The file was changed outside the editor.");
                EXPECT_EQ(GetFocus(), GetDlgItem(box, IDNO));
                EXPECT_EQ(SendMessage(box, DM_GETDEFID, 0, 0), MAKELONG(IDNO, DC_HASDEFID));
                RECT client;
                GetClientRect(box, &client);
                const RECT textRect = RectIn(box, text);
                EXPECT_GT(textRect.left, 32) << "the text stands right of the icon";
                const RECT yes = RectIn(box, GetDlgItem(box, IDYES));
                const RECT no = RectIn(box, GetDlgItem(box, IDNO));
                const RECT cancel = RectIn(box, GetDlgItem(box, IDCANCEL));
                EXPECT_EQ(TextOf(GetDlgItem(box, IDYES)), "&Yes");
                EXPECT_EQ(TextOf(GetDlgItem(box, IDCANCEL)), "Cancel");
                EXPECT_EQ(yes.top, no.top);
                EXPECT_EQ(no.top, cancel.top);
                EXPECT_GT(yes.top, textRect.bottom);
                EXPECT_LT(yes.right, no.left);
                EXPECT_LT(no.right, cancel.left);
                EXPECT_EQ(yes.right - yes.left, cancel.right - cancel.left);
                EXPECT_NEAR(yes.left, client.right - cancel.right, 1) << "the row is centred";
                EXPECT_LE(textRect.right, client.right);
                EXPECT_LE(cancel.bottom, client.bottom);
                RECT boxRect;
                RECT ownerRect;
                GetWindowRect(box, &boxRect);
                GetWindowRect(owner, &ownerRect);
                EXPECT_NEAR((boxRect.left + boxRect.right) / 2, (ownerRect.left + ownerRect.right) / 2, 1)
                    << "the box is centred over its owner";
            });
}

TEST_F(MessageBoxTest, EveryButtonIsPaintedOnceTheBoxIsUp)
{
    Inspect("All three buttons show.", "Paint", MB_YESNOCANCEL | MB_DEFBUTTON2, [&](HWND box) {
        HDC dc = GetDC(box);
        for (int id : {IDYES, IDNO, IDCANCEL}) {
            const RECT r = RectIn(box, GetDlgItem(box, id));
            // A push button's lower right corner is its dark edge, never the dialog's face.
            EXPECT_NE(GetPixel(dc, r.right - 1, r.bottom - 1), GetSysColor(COLOR_BTNFACE)) << "button " << id;
        }
        ReleaseDC(box, dc);
    });
}

TEST_F(MessageBoxTest, LongTextWrapsAndTheBoxStaysOnTheScreen)
{
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "The quick brown fox jumps over the lazy dog. ";
    Inspect(text.c_str(), nullptr, MB_OK, [&](HWND box) {
        EXPECT_EQ(TextOf(box), "Error") << "the caption of a box without one";
        const RECT textRect = RectIn(box, GetDlgItem(box, kTextId));
        EXPECT_LE(textRect.right - textRect.left, 480);
        EXPECT_GT(textRect.bottom - textRect.top, 100) << "many lines";
        RECT boxRect;
        GetWindowRect(box, &boxRect);
        EXPECT_GE(boxRect.left, 0);
        EXPECT_GE(boxRect.top, 0);
        EXPECT_LE(boxRect.right, GetSystemMetrics(SM_CXSCREEN));
    });
}

struct IconCase {
    const char* name;
    UINT icon;
    POINT at;  // inside the 32 x 32 icon
    COLORREF colour;
};

class MessageBoxIcon : public MessageBoxTest, public ::testing::WithParamInterface<IconCase> {};

TEST_P(MessageBoxIcon, IsDrawnAtTheTopLeft)
{
    Inspect("Look at the icon.", "Icon", MB_OK | GetParam().icon, [&](HWND box) {
        HWND text = GetDlgItem(box, kTextId);
        const RECT textRect = RectIn(box, text);
        HDC dc = GetDC(box);
        // The icon sits at the margin; its top left is found from the text's left edge.
        const int left = textRect.left - 11 - 32;
        EXPECT_EQ(GetPixel(dc, left + GetParam().at.x, 11 + GetParam().at.y), GetParam().colour);
        ReleaseDC(box, dc);
    });
}

INSTANTIATE_TEST_SUITE_P(EveryIcon, MessageBoxIcon,
                         ::testing::Values(IconCase{"Stop", MB_ICONSTOP, {16, 4}, RGB(255, 0, 0)},
                                           IconCase{"Error", MB_ICONERROR, {5, 13}, RGB(255, 0, 0)},
                                           IconCase{"Question", MB_ICONQUESTION, {5, 12}, RGB(255, 255, 255)},
                                           IconCase{"Warning", MB_ICONWARNING, {9, 27}, RGB(255, 255, 0)},
                                           IconCase{"Information", MB_ICONINFORMATION, {16, 15}, RGB(0, 0, 255)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MessageBoxTest, WithoutAnIconTheTextStartsAtTheMargin)
{
    Inspect("Plain.", "Plain", MB_OK, [&](HWND box) {
        HWND text = GetDlgItem(box, kTextId);
        EXPECT_EQ(RectIn(box, text).left, 11);
        EXPECT_EQ(GetWindowLong(text, GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
        EXPECT_TRUE(GetWindowLong(text, GWL_STYLE) & SS_NOPREFIX) << "an ampersand in the text is shown as it is";
    });
    Inspect("Right.", "Right", MB_OK | MB_RIGHT, [&](HWND box) {
        EXPECT_EQ(GetWindowLong(GetDlgItem(box, kTextId), GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
    });
}

TEST_F(MessageBoxTest, TopmostAndSystemModalBoxesStayOnTop)
{
    for (UINT mode : {static_cast<UINT>(MB_TOPMOST), static_cast<UINT>(MB_SYSTEMMODAL)}) {
        Inspect("On top.", "Top", MB_OK | mode, [&](HWND box) {
            EXPECT_TRUE(GetWindowLong(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
        });
    }
    Inspect("Not on top.", "Top", MB_OK, [&](HWND box) {
        EXPECT_FALSE(GetWindowLong(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
    });
}

TEST_F(MessageBoxTest, ATaskModalBoxWithoutOwnerDisablesTheThreadsWindowsMeanwhile)
{
    std::vector<WPARAM> enables;
    ownerHandler = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
        if (hwnd == owner && message == WM_ENABLE)
            enables.push_back(wParam);
    };
    Queue({{VK_RETURN}});
    EXPECT_EQ(MessageBox(nullptr, "Everything waits.", "Task", MB_OK | MB_TASKMODAL), IDOK);
    EXPECT_EQ(enables, (std::vector<WPARAM>{FALSE, TRUE}));
    EXPECT_TRUE(IsWindowEnabled(owner));

    enables.clear();
    Queue({{VK_RETURN}});
    EXPECT_EQ(MessageBox(nullptr, "Nothing waits.", "Application", MB_OK), IDOK);
    EXPECT_TRUE(enables.empty()) << "an application-modal box without owner disables nothing";
}

TEST_F(MessageBoxTest, AnUnknownButtonSetOrOwnerShowsNothing)
{
    EXPECT_EQ(MessageBox(owner, "x", "x", 0x7), 0);
    EXPECT_EQ(MessageBox(reinterpret_cast<HWND>(0x7777), "x", "x", MB_OK), 0);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(MessageBoxTest, TheFrameworksErrorBoxIsAMessageBoxWithTheTextOrItsPrompt)
{
    tw::SetErrorBoxFunction(tw::ShowFrameworkErrorBox);
    std::string shown;
    std::string caption;
    bool seen = false;
    ownerHandler = [&](HWND, UINT message, WPARAM, LPARAM lParam) {
        if (message != WM_ENTERIDLE || seen)
            return;
        seen = true;
        HWND box = reinterpret_cast<HWND>(lParam);
        shown = TextOf(GetDlgItem(box, kTextId));
        caption = TextOf(box);
        Queue({{VK_ESCAPE}});
    };
    SetActiveWindow(owner);
    EXPECT_EQ(tw::ShowErrorBox(nullptr, MB_OKCANCEL, IDS_APP_TITLE), IDCANCEL);
    EXPECT_EQ(shown, "Tarnwick") << "without a text the prompt's string is shown";
    EXPECT_EQ(caption, "Tarnwick") << "the program's title";

    seen = false;
    CNotSupportedException error;
    EXPECT_EQ(error.ReportError(), IDOK);
    EXPECT_EQ(shown, "An unsupported operation was attempted.");
    EXPECT_TRUE(IsWindowEnabled(owner));
    tw::SetErrorBoxFunction(nullptr);
}

}  // namespace
}  // namespace tw::dlg::test
