// What the user arranged comes back after a restart: a toolbar dragged off
// into a floating frame and a pane moved to another side. The window is
// closed as the user closes it, the settings file is written as at exit, and
// the program starts again.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/XMLSettings.h"
#include "tests/app/mainwindow/MainWindowFixture.h"
#include "ui/docking/KtvPMiniFrameWnd.h"

namespace tw::test {
namespace {

class MainFrameRestartTest : public MainWindowTest {
protected:
    void Restart()
    {
        frame->SendMessage(WM_CLOSE);
        Pump();
        MSG msg;
        while (::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        std::filesystem::create_directories("data");
        ASSERT_TRUE(CXMLSettings::SaveToFile(FALSE, CTarnwickApp::kSettingsFile));
        StartProgram();
    }
};

TEST_F(MainFrameRestartTest, AFloatedToolbarAndAMovedPaneComeBack)
{
    ASSERT_TRUE(frame->m_wndResultBar.FloatControlBar(CRect(300, 300, 500, 340), KTVP_DM_RECT, TRUE));
    CRect client;
    frame->GetClientRect(client);
    frame->m_wndOutput.DockToFrameWindow(CBRS_ALIGN_TOP);
    frame->RecalcLayout();
    Pump();
    ASSERT_TRUE(frame->m_wndResultBar.IsFloating());
    const CRect outputBefore = BarRect(frame->m_wndOutput);
    ASSERT_LT(outputBefore.top, client.Height() / 2) << "the pane was moved to the top";

    Restart();

    EXPECT_TRUE(frame->m_wndResultBar.IsFloating());
    CRect floated;
    frame->m_wndResultBar.GetParent()->GetWindowRect(floated);
    EXPECT_NEAR(floated.left, 300, 20);
    EXPECT_NEAR(floated.top, 300, 40);
    const CRect outputAfter = BarRect(frame->m_wndOutput);
    EXPECT_LT(outputAfter.top, client.Height() / 2);
    EXPECT_EQ(outputAfter.Width(), outputBefore.Width());
    EXPECT_FALSE(frame->m_wndToolBar.IsFloating()) << "the other toolbars stay docked";
    EXPECT_TRUE(frame->m_wndSnippets.IsWindowVisible()) << "the Snippets pane, empty without a snippet file";
    EXPECT_TRUE(frame->m_wndObjectBar.IsVisible());
    EXPECT_FALSE(frame->m_wndProjectBar.IsVisible());
}

}  // namespace
}  // namespace tw::test
