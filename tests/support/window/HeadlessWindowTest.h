// The base of the tests that drive windows headless: a visible, active
// top-level parent whose messages go to the test, a frozen process clock,
// and helpers that inject mouse and keyboard input and pump. Tear-down
// destroys every top-level window, empties the clipboard and releases keys.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/display/InputInjector.h"
#include "platform/win32/user/winuser.h"

namespace tw::test {

// The top-level windows of the process, or of the calling thread only.
std::vector<HWND> TopLevelWindows(bool callingThreadOnly = false);
// Destroys them, each one still alive when its turn comes.
void DestroyTopLevelWindows(bool callingThreadOnly = false);

class HeadlessWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The parent's messages; the default processing unless a test answers.
    virtual LRESULT HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    void Pump();
    POINT ScreenPointOf(HWND hwnd, int clientX, int clientY);
    COLORREF ScreenPixel(HWND hwnd, int clientX, int clientY);
    // Far enough in time from any earlier click that it is a single click.
    void Click(HWND hwnd, int clientX, int clientY);
    void DoubleClick(HWND hwnd, int clientX, int clientY);
    void Key(UINT vk);
    // Text typed key by key on the US layout (Shift where a character needs
    // it), queued without pumping: injected text is not for ASCII.
    void TypeKeys(const std::string& text);

    HWND parent = nullptr;
    tw::display::InputInjector input;

private:
    static LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static HeadlessWindowTest* current_;
};

}  // namespace tw::test
