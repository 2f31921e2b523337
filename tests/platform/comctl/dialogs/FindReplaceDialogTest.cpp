// Find and replace: the requests the owner gets, their flags and buffers,
// the buttons' states, and the end of the dialog.
#include <cstring>

#include "tests/platform/comctl/dialogs/ComDlgTest.h"

namespace tw::comdlg::test {
namespace {

struct Request {
    DWORD flags;
    std::string find;
    std::string replace;
};

class FindReplaceTest : public ComDlgTest {
protected:
    void SetUp() override
    {
        ComDlgTest::SetUp();
        std::memset(&fr, 0, sizeof fr);
        fr.lStructSize = sizeof fr;
        fr.hwndOwner = owner;
        fr.lpstrFindWhat = findWhat;
        fr.wFindWhatLen = sizeof findWhat;
        fr.lpstrReplaceWith = replaceWith;
        fr.wReplaceWithLen = sizeof replaceWith;
        const UINT findMessage = RegisterWindowMessage(FINDMSGSTRING);
        ownerHandler = [this, findMessage](UINT message, WPARAM, LPARAM lParam) {
            if (message != findMessage)
                return;
            auto* seen = reinterpret_cast<FINDREPLACE*>(lParam);
            EXPECT_EQ(seen, &fr);
            requests.push_back({seen->Flags, seen->lpstrFindWhat, seen->lpstrReplaceWith});
        };
    }
    HWND Open(bool replace)
    {
        HWND dialog = replace ? ReplaceText(&fr) : FindText(&fr);
        EXPECT_NE(dialog, nullptr);
        Pump(dialog);
        return dialog;
    }
    void Drive(HWND dialog, const std::function<void()>& keys)
    {
        keys();
        Pump(dialog);
    }

    FINDREPLACE fr;
    char findWhat[128] = "";
    char replaceWith[128] = "";
    std::vector<Request> requests;
};

TEST_F(FindReplaceTest, FindNextSendsTheTypedTextWithTheChosenOptions)
{
    fr.Flags = FR_DOWN;
    HWND dialog = Open(false);
    EXPECT_EQ(TextOf(dialog), "Find");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, edt1));
    Drive(dialog, [&] {
        Type("Orders");
        Key('C', true);  // match case
        Key('U', true);  // up
        Key(VK_RETURN);
    });
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].find, "Orders");
    EXPECT_EQ(requests[0].flags & (FR_FINDNEXT | FR_MATCHCASE | FR_WHOLEWORD | FR_DOWN), DWORD(FR_FINDNEXT | FR_MATCHCASE));
    EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays up for the next search";

    Drive(dialog, [&] {
        Key('W', true);
        Key('D', true);
        Key('F', true);
    });
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].flags & (FR_FINDNEXT | FR_MATCHCASE | FR_WHOLEWORD | FR_DOWN),
              DWORD(FR_FINDNEXT | FR_MATCHCASE | FR_WHOLEWORD | FR_DOWN));
}

TEST_F(FindReplaceTest, StartsFromTheCallersTextAndFlags)
{
    std::strcpy(findWhat, "customer");
    fr.Flags = FR_WHOLEWORD;
    HWND dialog = Open(false);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, edt1)), "customer");
    EXPECT_EQ(IsDlgButtonChecked(dialog, chx1), UINT(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, chx2), UINT(BST_UNCHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, rad1), UINT(BST_CHECKED)) << "no FR_DOWN: upward";
    Drive(dialog, [&] { Key(VK_RETURN); });
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].flags & (FR_FINDNEXT | FR_WHOLEWORD | FR_DOWN), DWORD(FR_FINDNEXT | FR_WHOLEWORD));
}

TEST_F(FindReplaceTest, FindNextIsDisabledWhileTheTextIsEmpty)
{
    HWND dialog = Open(true);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, psh2)));
    Drive(dialog, [&] { Key(VK_RETURN); });
    EXPECT_TRUE(requests.empty());
    Drive(dialog, [&] { Type("x"); });
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, psh1)));
}

struct ReplaceCase {
    const char* name;
    char key;
    DWORD command;
};

class ReplaceButtons : public FindReplaceTest, public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(ReplaceButtons, SendBothTextsAndTheirCommandGoingForward)
{
    HWND dialog = Open(true);
    EXPECT_EQ(TextOf(dialog), "Replace");
    // Pumped after the Tab, so the next letters go to the newly focused edit.
    Drive(dialog, [&] {
        Type("old");
        Key(VK_TAB);
    });
    Drive(dialog, [&] {
        Type("new");
        Key(GetParam().key, true);
    });
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].find, "old");
    EXPECT_EQ(requests[0].replace, "new");
    const DWORD commands = FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM;
    EXPECT_EQ(requests[0].flags & commands, GetParam().command);
    EXPECT_TRUE(requests[0].flags & FR_DOWN);
}

INSTANTIATE_TEST_SUITE_P(EveryButton, ReplaceButtons,
                         ::testing::Values(ReplaceCase{"FindNext", 'F', FR_FINDNEXT},
                                           ReplaceCase{"Replace", 'R', FR_REPLACE},
                                           ReplaceCase{"ReplaceAll", 'A', FR_REPLACEALL}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FindReplaceTest, EscapeSendsDialogTermAloneAndDestroysTheDialog)
{
    fr.Flags = FR_DOWN | FR_MATCHCASE;
    HWND dialog = Open(false);
    Drive(dialog, [&] {
        Type("abc");
        Key(VK_RETURN);
        Key(VK_ESCAPE);
    });
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].flags & (FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM), DWORD(FR_DIALOGTERM));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(FindReplaceTest, TheCloseBoxEndsItLikeCancel)
{
    HWND dialog = Open(true);
    SendMessage(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump(dialog);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].flags & FR_DIALOGTERM);
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(FindReplaceTest, TextLongerThanTheBufferIsCutOnACharacterBoundary)
{
    fr.wFindWhatLen = 6;
    HWND dialog = Open(false);
    // The edit refuses more than five bytes; a two-byte letter that would
    // straddle the end must not be split.
    SetDlgItemText(dialog, edt1, "abcd\xc3\xa9");
    Drive(dialog, [&] { Key(VK_RETURN); });
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].find, "abcd");
}

struct HookLog {
    static inline LPARAM initParam = 0;
    static inline int commandsSwallowed = 0;
    static UINT_PTR CALLBACK Hook(HWND, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG)
            initParam = lParam;
        if (message == WM_COMMAND && LOWORD(wParam) == psh2 && HIWORD(wParam) == BN_CLICKED) {
            ++commandsSwallowed;
            return 1;
        }
        return 0;
    }
};

TEST_F(FindReplaceTest, TheHookSeesTheStructureFirstAndMayTakeMessages)
{
    HookLog::initParam = 0;
    HookLog::commandsSwallowed = 0;
    fr.Flags = FR_ENABLEHOOK;
    fr.lpfnHook = HookLog::Hook;
    std::strcpy(findWhat, "a");
    HWND dialog = Open(true);
    EXPECT_EQ(HookLog::initParam, reinterpret_cast<LPARAM>(&fr));
    Drive(dialog, [&] {
        Key('A', true);  // taken by the hook
        Key('R', true);
    });
    EXPECT_EQ(HookLog::commandsSwallowed, 1);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].flags & FR_REPLACE);
}

struct InvalidCase {
    const char* name;
    std::function<void(FINDREPLACE&)> spoil;
    bool replace;
    DWORD error;
};

class FindReplaceRefusals : public FindReplaceTest, public ::testing::WithParamInterface<InvalidCase> {};

TEST_P(FindReplaceRefusals, FailWithTheirExtendedError)
{
    GetParam().spoil(fr);
    EXPECT_EQ(GetParam().replace ? ReplaceText(&fr) : FindText(&fr), nullptr);
    EXPECT_EQ(CommDlgExtendedError(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    BadRequests, FindReplaceRefusals,
    ::testing::Values(InvalidCase{"StructSize", [](FINDREPLACE& f) { f.lStructSize = 12; }, false, CDERR_STRUCTSIZE},
                      InvalidCase{"NoFindBuffer", [](FINDREPLACE& f) { f.wFindWhatLen = 0; }, false,
                                  FRERR_BUFFERLENGTHZERO},
                      InvalidCase{"NoReplaceBuffer", [](FINDREPLACE& f) { f.lpstrReplaceWith = nullptr; }, true,
                                  FRERR_BUFFERLENGTHZERO},
                      InvalidCase{"HookFlagWithoutHook", [](FINDREPLACE& f) { f.Flags = FR_ENABLEHOOK; }, false,
                                  CDERR_NOHOOK},
                      InvalidCase{"NoOwner", [](FINDREPLACE& f) { f.hwndOwner = nullptr; }, false,
                                  CDERR_DIALOGFAILURE}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FindReplaceTest, HiddenAndDisabledOptions)
{
    fr.Flags = FR_HIDEUPDOWN | FR_NOMATCHCASE;
    HWND dialog = Open(false);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, rad1)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, grp1)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, chx2)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, chx1)));
}

}  // namespace
}  // namespace tw::comdlg::test
