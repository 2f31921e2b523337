// Helpers of the customise sheet's Keyboard, Mouse and Tools page tests: an
// answerer for the message boxes they raise, and screenshots beside the test program.
#pragma once

#include <string>
#include <vector>

#include "platform/display/InputInjector.h"
#include "platform/mfc/CPropertySheet.h"
#include "platform/mfc/CWnd.h"
#include "platform/win32/user/winuser.h"

namespace tw::test::custtest {

// Answers every message box of the thread with the chosen button, counting
// them and keeping the texts they show.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int nAnswer);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    int boxes = 0;
    std::vector<std::string> texts;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam);
    static MessageBoxAnswerer* s_self;
    int m_nAnswer;
    HHOOK m_hook = nullptr;
};

// Pumps as the program's loop does: the window a message is for and its
// parents see it first (PreTranslateMessage), then the main window's keys.
void PumpTranslated();
// A single click at a point of the window's client area, pumped as above.
void ClickTranslated(tw::display::InputInjector& input, HWND hwnd, int x, int y);
// A click at the centre of the window.
void ClickCentre(tw::display::InputInjector& input, HWND hwnd);

// Makes the page the sheet's active one. A page the sheet left without a
// size is placed over the sheet above its buttons, where the sheet shows it.
void ShowPage(CPropertySheet* pSheet, CPropertyPage* pPage);

// The screen, saved as the named picture beside the test program.
bool SaveWindowShot(CWnd* pWnd, const std::string& name);

}  // namespace tw::test::custtest
