// The fixture of the window-system tests: a fresh display and message trace
// per test, the process clock frozen, and every window, capture and pending
// message gone afterwards so tests do not see one another.
#pragma once

#include <gtest/gtest.h>

#include "platform/display/InputInjector.h"
#include "tests/platform/win32/user/MessageTrace.h"

namespace tw::user::test {

class UserTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A visible overlapped window with a caption, not yet traced.
    HWND MakeFrame(const std::string& name, RECT rect, DWORD extraStyle = 0);
    void Pump() { MessageTrace::Pump(); }
    POINT ScreenPointOf(HWND hwnd, int clientX, int clientY);

    MessageTrace trace;
    tw::display::InputInjector input;
};

}  // namespace tw::user::test
