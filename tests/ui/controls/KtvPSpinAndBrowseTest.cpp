// The flat spin button's halves under a held mouse, and the browse edit:
// its typed-character rule, its button in the frame, the file dialog and the
// keys that browse.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "platform/mfc/CEdit.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPBrowseEdit.h"
#include "ui/controls/KtvPSpinButton.h"

namespace {

using tw::test::KtvControlTest;

// --- spin --------------------------------------------------------------------------------------------

class SpinTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(20, 20, 36, 41), &host, 80));
    }
    void TearDown() override
    {
        spin.DestroyWindow();
        KtvControlTest::TearDown();
    }
    POINT At(int x, int y) { return ScreenPointOf(spin.GetSafeHwnd(), x, y); }
    CKtvPSpinButton spin;
};

TEST_F(SpinTest, TheSplitRowBelongsToTheLowerHalf)
{
    // 21 rows: the split is row 10.
    const POINT split = At(5, 10);
    input.MouseMove(split.x, split.y);
    input.ButtonDown(tw::display::MouseButton::Left, split.x, split.y);
    Pump();
    EXPECT_TRUE(spin.IsDownPressed());
    EXPECT_FALSE(spin.IsUpPressed());
    input.ButtonUp(tw::display::MouseButton::Left, split.x, split.y);
    Pump();
    EXPECT_FALSE(spin.IsDownPressed());

    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);  // a new press, not a double-click
    const POINT above = At(5, 9);
    input.MouseMove(above.x, above.y);
    input.ButtonDown(tw::display::MouseButton::Left, above.x, above.y);
    Pump();
    EXPECT_TRUE(spin.IsUpPressed());
    input.ButtonUp(tw::display::MouseButton::Left, above.x, above.y);
    Pump();
}

TEST_F(SpinTest, ThePressFollowsTheHeldMouseAndStaysAfterLeaving)
{
    const POINT upper = At(5, 3);
    const POINT lower = At(5, 17);
    const POINT outside = At(60, 60);
    input.MouseMove(upper.x, upper.y);
    input.ButtonDown(tw::display::MouseButton::Left, upper.x, upper.y);
    Pump();
    EXPECT_TRUE(spin.IsUpPressed());
    input.MouseMove(lower.x, lower.y);
    Pump();
    EXPECT_FALSE(spin.IsUpPressed());
    EXPECT_TRUE(spin.IsDownPressed());
    EXPECT_TRUE(spin.IsDownHighlighted());

    input.MouseMove(outside.x, outside.y);
    Pump();
    spin.SendMessage(WM_MOUSELEAVE);
    EXPECT_TRUE(spin.IsDownPressed()) << "the pressed look stays off the control";
    EXPECT_FALSE(spin.IsDownHighlighted());
    input.ButtonUp(tw::display::MouseButton::Left, outside.x, outside.y);
    Pump();
    EXPECT_FALSE(spin.IsDownPressed());
}

// --- browse edit -------------------------------------------------------------------------------------

class CountingBrowseEdit : public CKtvPBrowseEdit {
public:
    void DoBrowse() override { browses++; }
    using CKtvPBrowseEdit::m_rectBtn;
    int browses = 0;
};

class BrowseEditTest : public KtvControlTest {
protected:
    template <class T>
    T* MakeEdit(T* pEdit, const char* text = "")
    {
        EXPECT_TRUE(pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(20, 20, 220, 42), &host,
                                  90));
        pEdit->SetWindowText(text);
        return pEdit;
    }
    void TearDown() override
    {
        if (edit.GetSafeHwnd() != nullptr)
            edit.DestroyWindow();
        if (counting.GetSafeHwnd() != nullptr)
            counting.DestroyWindow();
        KtvControlTest::TearDown();
    }
    int ChangesFrom(CWnd* pEdit)
    {
        int n = 0;
        for (const auto& m : Received(WM_COMMAND))
            n += (HWND)m.lParam == pEdit->GetSafeHwnd() && HIWORD(m.wParam) == EN_CHANGE ? 1 : 0;
        return n;
    }
    CKtvPBrowseEdit edit;
    CountingBrowseEdit counting;
};

TEST_F(BrowseEditTest, CalculatorCharactersFollowTheNumberSoFar)
{
    MakeEdit(&edit);
    struct {
        const char* text;
        int selStart;
        UINT ch;
        BOOL accepted;
    } cases[] = {
        {"12", 2, '7', TRUE},   {"12", 2, '.', TRUE},  {"1.2", 3, ',', FALSE}, {"1,2", 3, '.', FALSE},
        {"12", 0, '-', TRUE},   {"12", 1, '-', FALSE}, {"-12", 0, '-', FALSE}, {"12", 2, 'a', FALSE},
        {"12", 2, ' ', FALSE},  {"12", 2, VK_BACK, TRUE},
    };
    for (const auto& c : cases) {
        edit.SetWindowText(c.text);
        edit.SetSel(c.selStart, c.selStart);
        EXPECT_EQ(c.accepted, edit.CheckCalculatorChar(c.ch)) << c.text << " + " << (char)c.ch;
    }
}

TEST_F(BrowseEditTest, WithoutAModeItIsAPlainEdit)
{
    MakeEdit(&counting);
    CRect client;
    counting.GetClientRect(client);
    CRect window;
    counting.GetWindowRect(window);
    EXPECT_EQ(window.Width() - 2, client.Width()) << "no button area";
    EXPECT_EQ(HTCLIENT, counting.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(window.right - 3, window.top + 5)));
    counting.SetFocus();
    ChordFiltered(VK_MENU, VK_DOWN);
    EXPECT_EQ(0, counting.browses);

    counting.EnableBrowseButton(TRUE, "...");
    counting.GetClientRect(client);
    EXPECT_EQ(window.Width() - 2 - 20, client.Width()) << "a 20-pixel button for a label";
    EXPECT_EQ(HTBORDER, counting.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(window.right - 3, window.top + 5)));
}

TEST_F(BrowseEditTest, AltDownAndAltRightBrowseInEveryMode)
{
    MakeEdit(&counting);
    counting.SetFocus();
    int expected = 0;
    for (int mode = 1; mode <= 4; mode++) {
        switch (mode) {
        case 1:
            counting.EnableBrowseButton(TRUE, "...");
            break;
        case 2:
            counting.EnableCalculatorButton();
            break;
        case 3:
            counting.EnableFileBrowseButton("sql", "SQL Files (*.sql)|*.sql||");
            break;
        default:
            counting.EnableFolderBrowseButton();
            break;
        }
        EXPECT_EQ(mode, counting.GetMode());
        ChordFiltered(VK_MENU, VK_DOWN);
        ChordFiltered(VK_MENU, VK_RIGHT);
        expected += 2;
        EXPECT_EQ(expected, counting.browses) << "mode " << mode;
    }
}

TEST_F(BrowseEditTest, PressingTheButtonAndReleasingOutsideBrowsesNothing)
{
    MakeEdit(&counting);
    counting.EnableBrowseButton(TRUE, "...");
    CRect window;
    counting.GetWindowRect(window);
    const CPoint button(window.right - 8, window.top + 8);
    input.MouseMove(button.x, button.y);
    input.ButtonDown(tw::display::MouseButton::Left, button.x, button.y);
    Pump();
    EXPECT_EQ(counting.GetSafeHwnd(), ::GetCapture()) << "a press with no move before it presses the button";
    input.MouseMove(window.left - 30, window.bottom + 30);
    input.ButtonUp(tw::display::MouseButton::Left, window.left - 30, window.bottom + 30);
    Pump();
    EXPECT_EQ(0, counting.browses);
    EXPECT_EQ(nullptr, ::GetCapture());

    CRect after;
    counting.GetWindowRect(after);
    EXPECT_EQ(window, after) << "the edit did not move";

    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);  // a new press, not a double-click
    input.MouseMove(button.x, button.y);
    input.ButtonDown(tw::display::MouseButton::Left, button.x, button.y);
    input.ButtonUp(tw::display::MouseButton::Left, button.x, button.y);
    Pump();
    EXPECT_EQ(1, counting.browses);
}

TEST_F(BrowseEditTest, TheFileDialogFillsTheTextAndTellsTheOwnerOnce)
{
    std::ofstream("report.log") << "x";
    MakeEdit(&edit, "old.log");
    edit.EnableFileBrowseButton("*.log", "Log Files (*.log)|*.log||");
    int idles = 0;
    UINT keyToDialog = VK_ESCAPE;
    answer = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_ENTERIDLE && idles++ == 0) {
            if (keyToDialog == VK_RETURN)
                TypeKeys("\b\b\b\b\b\b\b\breport.log");
            input.KeyStroke(keyToDialog);
        }
        return false;
    };

    ClearReceived();
    edit.DoBrowse();
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ("old.log", text) << "cancel keeps the text";
    EXPECT_EQ(0, ChangesFrom(&edit));
    EXPECT_EQ(1, idles);

    idles = 0;
    keyToDialog = VK_RETURN;
    edit.DoBrowse();
    edit.GetWindowText(text);
    EXPECT_NE(-1, text.Find("report.log")) << (LPCTSTR)text;
    EXPECT_EQ(1, ChangesFrom(&edit));
    for (const auto& m : Received(WM_COMMAND))
        EXPECT_NE(0x300u, m.message);
    EXPECT_EQ(edit.GetSafeHwnd(), ::GetFocus());
}

}  // namespace
