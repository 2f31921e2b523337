// The fixture of the common dialog tests: the headless display on a frozen
// clock, an owner window that records what it is sent, and input helpers.
// Modal dialogs are driven from the owner's WM_ENTERIDLE, once they are up.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/comctl/dialogs/commdlg.h"
#include "platform/display/InputInjector.h"
#include "platform/win32/dialog/windlg.h"

namespace tw::comdlg::test {

class ComDlgTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Handles every waiting message, through IsDialogMessage for `dialog`.
    static void Pump(HWND dialog);
    void Key(UINT vk, bool alt = false);
    // ASCII typed as keys on the US layout.
    void Type(const std::string& text);
    static std::string TextOf(HWND hwnd);
    static POINT CentreOf(HWND hwnd);
    // Runs `step` each time a modal dialog (or a box over it) goes idle; the
    // argument is the idle window, the count how many times it went idle.
    void OnIdle(std::function<void(HWND, int)> step);

    HWND owner = nullptr;
    tw::display::InputInjector input;
    std::function<void(UINT, WPARAM, LPARAM)> ownerHandler;

private:
    static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static ComDlgTest* current_;
    int idleCount_ = 0;
};

}  // namespace tw::comdlg::test
