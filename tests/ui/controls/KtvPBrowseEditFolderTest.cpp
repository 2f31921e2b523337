// The browse edit's folder mode: its button opens the shell's folder browser
// on the folder typed in the box, and the chosen folder becomes the text.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/controls/KtvPBrowseEdit.h"
#include "ui/frames/KtvPShellManager.h"

namespace {

namespace fs = std::filesystem;

class BrowseEditFolderTest : public tw::test::KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        KtvPrepareUiTest();
        fs::create_directories("folders/alpha");
        fs::create_directories("folders/beta");
        base = fs::current_path().string() + "/folders";
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(20, 20, 220, 42), &host, 90));
        edit.EnableFolderBrowseButton();
        edit.SetWindowText((base + "/alpha").c_str());
        ClearReceived();
    }
    void TearDown() override
    {
        edit.DestroyWindow();
        shell.reset();
        KtvControlTest::TearDown();
    }
    int Changes()
    {
        int n = 0;
        for (const auto& m : Received(WM_COMMAND))
            n += (HWND)m.lParam == edit.GetSafeHwnd() && HIWORD(m.wParam) == EN_CHANGE ? 1 : 0;
        return n;
    }
    std::string Text()
    {
        CString text;
        edit.GetWindowText(text);
        return std::string(text);
    }

    CKtvPBrowseEdit edit;
    std::unique_ptr<CKtvPShellManager> shell;
    std::string base;
};

TEST_F(BrowseEditFolderTest, TheButtonBrowsesFromTheTypedFolderAndTakesTheChoice)
{
    shell = std::make_unique<CKtvPShellManager>();
    CRect window;
    edit.GetWindowRect(window);
    const CPoint button(window.right - 8, window.top + 8);
    input.MouseMove(button.x, button.y);
    input.ButtonDown(tw::display::MouseButton::Left, button.x, button.y);
    input.ButtonUp(tw::display::MouseButton::Left, button.x, button.y);
    // Typed into the browser, which opens on alpha: the next folder down, then OK.
    input.KeyStroke(VK_DOWN);
    input.KeyStroke(VK_RETURN);
    Pump();

    EXPECT_EQ(Text(), base + "/beta");
    EXPECT_EQ(Changes(), 1);
    EXPECT_EQ(::GetFocus(), edit.GetSafeHwnd());
}

TEST_F(BrowseEditFolderTest, CancellingTheBrowserKeepsTheText)
{
    shell = std::make_unique<CKtvPShellManager>();
    input.KeyStroke(VK_ESCAPE);
    edit.DoBrowse();
    EXPECT_EQ(Text(), base + "/alpha");
    EXPECT_EQ(Changes(), 0);
    EXPECT_EQ(::GetFocus(), edit.GetSafeHwnd());
}

TEST_F(BrowseEditFolderTest, WithoutAShellManagerOnlyTheFocusMoves)
{
    ASSERT_EQ(g_pShellManager, nullptr);
    host.SetFocus();
    edit.DoBrowse();
    EXPECT_EQ(Text(), base + "/alpha");
    EXPECT_EQ(Changes(), 0);
    EXPECT_EQ(::GetFocus(), edit.GetSafeHwnd());
}

}  // namespace
