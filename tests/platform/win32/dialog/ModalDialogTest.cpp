// DialogBox's modal loop: the owner is disabled while the dialog runs and
// enabled again on every way out; loops are driven from inside (the dialog's
// own messages, or input queued before the call) so a test never blocks.
#include "tests/platform/win32/dialog/DialogTestFixture.h"

namespace tw::dlg::test {
namespace {

constexpr UINT kEndNow = WM_APP + 1;

class ModalDialogTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        owner = MakeOwner();
        builder.Font(8, "MS Shell Dlg")
            .Item("Edit", "", 100, WS_TABSTOP | WS_BORDER, 7, 7, 100, 12)
            .Item("Button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 7, 30, 50, 14)
            .Item("Button", "Cancel", IDCANCEL, WS_TABSTOP, 60, 30, 50, 14);
    }

    INT_PTR Run() { return DialogBoxIndirectParam(nullptr, builder.Bytes(), owner, Proc, 77); }

    HWND owner = nullptr;
    TemplateBuilder builder{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 120, 50};
    bool ownerEnabledInside = true;
    HWND dialogSeen = nullptr;
};

TEST_F(ModalDialogTest, EndDialogReturnsItsResultAndGivesTheOwnerBack)
{
    LPARAM initParam = 0;
    handler = [&](HWND dialog, UINT message, WPARAM, LPARAM lParam, INT_PTR*) {
        if (message == WM_INITDIALOG) {
            initParam = lParam;
            ownerEnabledInside = IsWindowEnabled(owner) != FALSE;
            dialogSeen = dialog;
            PostMessage(dialog, kEndNow, 0, 0);
        }
        if (message == kEndNow)
            EndDialog(dialog, 42);
        return false;
    };
    EXPECT_EQ(Run(), 42);
    EXPECT_EQ(initParam, 77);
    EXPECT_FALSE(ownerEnabledInside) << "the owner is disabled while the dialog runs";
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(dialogSeen)) << "the loop destroys its dialog";
    EXPECT_EQ(GetActiveWindow(), owner) << "the owner is active again";
}

TEST_F(ModalDialogTest, KeysQueuedBeforeTheCallReachTheDialog)
{
    handler = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM, INT_PTR*) {
        if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, IDCANCEL);
        if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
            EndDialog(dialog, IDOK);
        return message == WM_COMMAND;
    };
    input.KeyStroke(VK_ESCAPE);
    EXPECT_EQ(Run(), IDCANCEL);
    input.KeyStroke(VK_RETURN);
    EXPECT_EQ(Run(), IDOK) << "Enter in the edit presses the default button";
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(ModalDialogTest, TheOwnerComesBackBeforeTheDialogHides)
{
    handler = [&](HWND dialog, UINT message, WPARAM, LPARAM, INT_PTR*) {
        if (message == WM_INITDIALOG)
            PostMessage(dialog, kEndNow, 0, 0);
        if (message == kEndNow) {
            EndDialog(dialog, 5);
            ownerEnabledInside = IsWindowEnabled(owner) != FALSE;
            dialogSeen = dialog;
        }
        return false;
    };
    EXPECT_EQ(Run(), 5);
    EXPECT_TRUE(ownerEnabledInside) << "EndDialog enables the owner at once";
}

TEST_F(ModalDialogTest, DestroyingTheDialogEndsTheLoop)
{
    handler = [&](HWND dialog, UINT message, WPARAM, LPARAM, INT_PTR*) {
        if (message == WM_INITDIALOG)
            PostMessage(dialog, kEndNow, 0, 0);
        if (message == kEndNow)
            DestroyWindow(dialog);
        return false;
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(ModalDialogTest, DestroyingTheOwnerEndsTheLoop)
{
    handler = [&](HWND dialog, UINT message, WPARAM, LPARAM, INT_PTR*) {
        if (message == WM_INITDIALOG) {
            dialogSeen = dialog;
            PostMessage(dialog, kEndNow, 0, 0);
        }
        if (message == kEndNow)
            DestroyWindow(owner);
        return false;
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_FALSE(IsWindow(owner));
    EXPECT_FALSE(IsWindow(dialogSeen));
}

TEST_F(ModalDialogTest, QuitEndsTheLoopAndIsPutBackForTheOuterLoop)
{
    handler = [&](HWND dialog, UINT message, WPARAM, LPARAM, INT_PTR*) {
        if (message == WM_INITDIALOG) {
            dialogSeen = dialog;
            PostQuitMessage(9);
        }
        return false;
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(dialogSeen));
    MSG quit{};
    ASSERT_TRUE(PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 9u);
}

TEST_F(ModalDialogTest, AnOwnerDisabledBeforeStaysDisabled)
{
    EnableWindow(owner, FALSE);
    handler = [&](HWND dialog, UINT message, WPARAM, LPARAM, INT_PTR*) {
        if (message == WM_INITDIALOG)
            EndDialog(dialog, 3);
        return false;
    };
    EXPECT_EQ(Run(), 3);
    EXPECT_FALSE(IsWindowEnabled(owner)) << "a nested modal loop does not enable what its caller disabled";
}

TEST_F(ModalDialogTest, TheIdleOwnerHearsEnterIdle)
{
    HWND idleDialog = nullptr;
    WPARAM idleKind = 99;
    ownerHandler = [&](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_ENTERIDLE)
            return;
        idleKind = wParam;
        idleDialog = reinterpret_cast<HWND>(lParam);
        EndDialog(idleDialog, 11);
    };
    EXPECT_EQ(Run(), 11);
    EXPECT_EQ(idleKind, static_cast<WPARAM>(MSGF_DIALOGBOX));
    EXPECT_NE(idleDialog, nullptr);
}

TEST_F(ModalDialogTest, AMissingTemplateOrControlClassFailsWithTheOwnerEnabled)
{
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(31999), owner, Proc, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(owner));

    builder.Item("NoSuchClass", "", 200, 0, 0, 0, 10, 10);
    EXPECT_EQ(Run(), -1);
    EXPECT_TRUE(IsWindowEnabled(owner));
    HWND left = FindWindow(WC_DIALOG, nullptr);
    EXPECT_EQ(left, nullptr) << "no half-made dialog stays behind";
}

TEST_F(ModalDialogTest, NoFailCreateKeepsTheDialogWithoutTheMissingControl)
{
    builder.Item("NoSuchClass", "", 200, 0, 0, 0, 10, 10);
    builder.Template().style |= DS_NOFAILCREATE;
    bool hadEdit = false;
    handler = [&](HWND dialog, UINT message, WPARAM, LPARAM, INT_PTR*) {
        if (message == WM_INITDIALOG) {
            hadEdit = GetDlgItem(dialog, 100) != nullptr;
            EndDialog(dialog, 8);
        }
        return false;
    };
    EXPECT_EQ(Run(), 8);
    EXPECT_TRUE(hadEdit);
}

}  // namespace
}  // namespace tw::dlg::test
