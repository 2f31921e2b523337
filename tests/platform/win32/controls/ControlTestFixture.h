// The fixture of the standard-control tests: the headless parent records
// what its controls tell it (WM_COMMAND, WM_DRAWITEM, scroll and
// owner-draw messages) as readable lines, on a frozen process clock.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/gdi/windraw.h"
#include "tests/support/window/HeadlessWindowTest.h"

namespace tw::controls::test {

class ControlTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override;
    LRESULT HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // A control of a standard class as a visible child of the parent.
    HWND Make(const char* className, const char* text, DWORD style, RECT rect, int id = 100, DWORD exStyle = 0);
    void KeyWith(UINT modifierVk, UINT vk);
    void Type(const std::string& text);

    // Notifications the parent got since the last Clear, as "COMMAND id code".
    std::vector<std::string> Commands() const;
    const std::vector<std::string>& Log() const { return log_; }
    void Clear() { log_.clear(); }

    // What the parent answers for a message instead of the default processing.
    using Answer = std::function<bool(UINT, WPARAM, LPARAM, LRESULT*)>;
    void OnParentMessage(Answer answer) { answer_ = std::move(answer); }

    std::string TextOf(HWND hwnd);

private:
    std::vector<std::string> log_;
    Answer answer_;
};

// The names of notification codes per class, for readable transcripts.
std::string CommandLine(int id, int code);

}  // namespace tw::controls::test
