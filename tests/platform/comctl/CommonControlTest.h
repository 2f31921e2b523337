// The fixture of the common-control tests: a visible, active top-level parent
// that hands every WM_NOTIFY to the test, on a frozen process clock, with
// helpers that inject mouse and keyboard input and pump.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/display/InputInjector.h"

namespace tw::comctl::test {

class CommonControlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Make(const char* className, DWORD style, RECT rect, int id = 100, DWORD exStyle = 0);
    void Pump();
    void Advance(unsigned ms);
    POINT ScreenPointOf(HWND hwnd, int clientX, int clientY);
    void MoveTo(HWND hwnd, int clientX, int clientY);
    COLORREF ScreenPixel(HWND hwnd, int clientX, int clientY);
    void Click(HWND hwnd, int clientX, int clientY);
    void DoubleClick(HWND hwnd, int clientX, int clientY);
    void Key(UINT vk);
    // Letters, digits and spaces typed as keys.
    void Type(const std::string& text);

    // Every notification code the parent got, in order, since the last Clear.
    std::vector<UINT> codes;
    void Clear() { codes.clear(); }
    // What the parent answers to a WM_NOTIFY (after recording its code).
    std::function<LRESULT(NMHDR*)> onNotify;
    // Other messages the parent should answer itself.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT*)> onMessage;

    HWND parent = nullptr;
    tw::display::InputInjector input;

private:
    static LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static CommonControlTest* current_;
};

}  // namespace tw::comctl::test
