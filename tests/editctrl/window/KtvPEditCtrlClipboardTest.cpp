// The edit window and the clipboard: CR LF written on copy, CR removed on
// paste, and the failures of copy and paste.
#include "tests/editctrl/window/EditWindowFixture.h"

namespace ktvp_window_test {
namespace {

TEST_F(EditWindowTest, CopyWritesCrLfAndPasteBringsBackLineFeedsOnly)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("one\ntwo\nthree"));
    edit.SetSelection(0, 7, FALSE, TRUE);
    ASSERT_TRUE(edit.Copy());
    EXPECT_EQ(ClipboardText(), "one\r\ntwo");
    edit.SetCaret(edit.GetTextLength(), FALSE, FALSE);
    edit.RemoveSelection(FALSE, TRUE, FALSE);
    ASSERT_TRUE(edit.Paste());
    EXPECT_EQ(Text(), "one\ntwo\nthreeone\ntwo");
}

TEST_F(EditWindowTest, CutRemovesTheSelectionAndOneUndoPutsItBack)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("keep cut keep"));
    edit.SetSelection(5, 9, FALSE, TRUE);
    ASSERT_TRUE(edit.Cut());
    EXPECT_EQ(Text(), "keep keep");
    EXPECT_EQ(ClipboardText(), "cut ");
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "keep cut keep");
}

TEST_F(EditWindowTest, PasteOverASelectionIsUndoneInOneStep)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("a OLD b"));
    SetClipboard("new\r\nrow");
    edit.SetSelection(2, 5, FALSE, TRUE);
    ASSERT_TRUE(edit.Paste());
    EXPECT_EQ(Text(), "a new\nrow b");
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "a OLD b");
}

TEST_F(EditWindowTest, CopyAndPasteFailuresLeaveTheClipboardAndTextAlone)
{
    SetClipboard("before");
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("text"));
    EXPECT_FALSE(edit.Copy());
    EXPECT_EQ(edit.GetLastFailure(), KTVP_FAIL_COPY);
    EXPECT_EQ(ClipboardText(), "before");

    edit.m_bReadOnly = TRUE;
    EXPECT_FALSE(edit.Paste());
    EXPECT_EQ(edit.GetLastFailure(), KTVP_FAIL_PASTE_READ_ONLY);
    edit.m_bReadOnly = FALSE;

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(edit.CanPaste());
    EXPECT_FALSE(edit.Paste());
    EXPECT_EQ(edit.GetLastFailure(), KTVP_FAIL_PASTE_EMPTY);
    EXPECT_EQ(Text(), "text");
}

TEST_F(EditWindowTest, BlockModeCopyOffersThePrivateFormatBesideText)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab\ncd"));
    edit.SetSelection(0, 4, FALSE, TRUE);
    edit.m_bBlockMode = TRUE;
    ASSERT_TRUE(edit.Copy());
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormat("KTVP_TEXT")));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    edit.m_bBlockMode = FALSE;
    ASSERT_TRUE(edit.Copy());
    EXPECT_FALSE(IsClipboardFormatAvailable(RegisterClipboardFormat("KTVP_TEXT")));
}

}  // namespace
}  // namespace ktvp_window_test
