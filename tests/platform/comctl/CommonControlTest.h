// The fixture of the common-control tests: the headless parent hands every
// WM_NOTIFY to the test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "tests/support/window/HeadlessWindowTest.h"

namespace tw::comctl::test {

class CommonControlTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override;
    LRESULT HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND Make(const char* className, DWORD style, RECT rect, int id = 100, DWORD exStyle = 0);
    void Advance(unsigned ms);
    void MoveTo(HWND hwnd, int clientX, int clientY);
    // Letters, digits and spaces typed as keys.
    void Type(const std::string& text);

    // Every notification code the parent got, in order, since the last Clear.
    std::vector<UINT> codes;
    void Clear() { codes.clear(); }
    // What the parent answers to a WM_NOTIFY (after recording its code).
    std::function<LRESULT(NMHDR*)> onNotify;
    // Other messages the parent should answer itself.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT*)> onMessage;
};

}  // namespace tw::comctl::test
