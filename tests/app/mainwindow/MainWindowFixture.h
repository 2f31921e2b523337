// The program's start-up in this process, as main() runs it: the application
// object's InitInstance makes the maximised main window; tests then look at
// and drive that window.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "app/MainFrame.h"
#include "app/TarnwickApp.h"
#include "app/XMLSettings.h"
#include "app/XmlSettingsNode.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPTearOffManager.h"

namespace tw::test {

inline CTarnwickApp& App()
{
    static CTarnwickApp app;
    return app;
}

class MainWindowTest : public HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        static const bool registered = tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());
        (void)registered;
        // Every test starts with nothing stored, as on a fresh home folder.
        std::filesystem::remove(CTarnwickApp::kSettingsFile);
        std::filesystem::remove(kTwSnippetsFile);
        CXMLSettings settings;
        if (CXmlSettingsNode* pRoot = settings.GetRootNode())
            pRoot->DeleteChildren();
        BeforeStart();
        StartProgram();
    }

    // The application's start-up, up to the first idle with the window shown.
    void StartProgram()
    {
        App().m_nCmdShow = SW_SHOWMAXIMIZED;
        App().m_bStartupWindows = startupWindows;
        frame = nullptr;
        ASSERT_TRUE(App().InitInstance());
        frame = dynamic_cast<CMainFrame*>(App().m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        Pump();
        App().OnIdle(0);
        Pump();
    }

    void TearDown() override
    {
        // Menus play their sounds on a worker; it ends with the test, not at exit.
        CKtvPMenuSound::Terminate();
        // Later programs of this process start without the start-up's windows.
        App().m_bStartupWindows = FALSE;
        HeadlessWindowTest::TearDown();
    }

    // Runs before the program starts: files the start-up reads are put in place here.
    virtual void BeforeStart() {}

    CRect BarRect(CWnd& bar)
    {
        CRect rect;
        bar.GetWindowRect(rect);
        frame->ScreenToClient(rect);
        return rect;
    }

    CMainFrame* frame = nullptr;
    // The first query window and the Tutorial of an empty command line: off
    // unless a test asks for them (set it in BeforeStart and answer their
    // modal loops; StartupFixture.h does both).
    bool startupWindows = false;
};

}  // namespace tw::test
