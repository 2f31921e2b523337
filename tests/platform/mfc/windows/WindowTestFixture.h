// The fixture of the framework's window tests: the headless display with a
// frozen clock and the standard controls, a test application object, and a
// clean thread (no windows, no temporary objects, no quit message) after each test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/mfc/afxwin.h"

namespace tw::mfc::test {

// The one application object of the test program.
class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("Tarnwick") {}
    BOOL OnIdle(LONG lCount) override
    {
        idleCounts.push_back(lCount);
        const BOOL more = CWinApp::OnIdle(lCount);
        if (onIdle)
            onIdle(lCount);
        return more;
    }
    std::vector<LONG> idleCounts;
    std::function<void(LONG)> onIdle;
};

TestApp& App();

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Handles every waiting message.
    static void Pump();
    // A visible top-level window of the framework's own class.
    static HWND MakePlainWindow(RECT rect = RECT{100, 100, 500, 400});
};

}  // namespace tw::mfc::test
