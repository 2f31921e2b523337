// The fixture of the menu tests: a frame window whose procedure logs the
// menu loop's messages and hands its menu bar to the installed provider the
// way the window system's default processing does, with the clock frozen and
// every window gone afterwards.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/display/InputInjector.h"
#include "platform/win32/menu/winmenu.h"

namespace tw::menu::test {

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A visible, active frame at the given screen rectangle.
    HWND MakeFrame(RECT rect, HMENU bar = nullptr);
    static void Pump();
    // Injects keys: v ^ > < are the arrows, e Enter, x Escape, h Home, n End,
    // a Alt alone, _ Space; other characters are virtual keys ('F', '1').
    void Keys(const std::string& keys);
    // Alt held while the key goes down and up.
    void AltKey(UINT vk);
    // The messages the frame got that concern menus, in order, e.g.
    // "WM_COMMAND 0x10001 0" or "WM_INITMENUPOPUP popup=1 0x0".
    std::vector<std::string> Log(const std::string& prefix = "") const;
    void ClearLog();
    // A name the log uses for a menu handle.
    void Name(HMENU menu, const std::string& name);

public:
    // What the frame answers to WM_MENUCHAR.
    static LRESULT menuCharAnswer;
    // Called with each menu message the frame logs, after logging it.
    static std::function<void(UINT message, WPARAM wParam, LPARAM lParam)> onMessage;

protected:
    tw::display::InputInjector input;
    HWND frame = nullptr;
};

}  // namespace tw::menu::test
