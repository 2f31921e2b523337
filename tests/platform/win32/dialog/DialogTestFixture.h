// The fixture of the dialog tests: the headless display with a frozen clock,
// the standard controls and the program's resources, an owner window, a
// dialog procedure that records the presses (BN_CLICKED commands) it gets and
// defers to a per-test handler, and templates built in memory.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/display/InputInjector.h"
#include "platform/win32/dialog/windlg.h"
#include "platform/win32/resource/DialogTemplate.h"

namespace tw::dlg::test {

struct CommandSeen {
    int id;
    int code;
    HWND control;
};

// A dialog template made in memory, in the platform's layout.
class TemplateBuilder {
public:
    TemplateBuilder(DWORD style, short cx, short cy, const std::string& title = "Test");
    TemplateBuilder& Item(const std::string& className, const std::string& text, int id, DWORD style, short x,
                          short y, short cx, short cy, DWORD exStyle = 0);
    TemplateBuilder& Font(WORD pointSize, const std::string& face);
    LPCDLGTEMPLATE Bytes();
    tw::res::DialogTemplate& Template() { return template_; }

private:
    tw::res::DialogTemplate template_;
    std::vector<BYTE> bytes_;
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Handles every waiting message, through IsDialogMessage for `dialog`.
    static void Pump(HWND dialog);
    HWND MakeOwner(RECT rect = RECT{100, 100, 700, 500});
    POINT CentreOf(HWND control) const;
    std::string TextOf(HWND hwnd) const;

    // The recording dialog procedure; `handler` sees every message first and
    // may answer it.
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static DialogTest* current_;
    std::function<bool(HWND, UINT, WPARAM, LPARAM, INT_PTR*)> handler;
    std::function<void(HWND, UINT, WPARAM, LPARAM)> ownerHandler;
    std::vector<CommandSeen> commands;

    tw::display::InputInjector input;

private:
    static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace tw::dlg::test
