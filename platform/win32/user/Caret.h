// The caret: one for the screen, owned by a window, drawn by inverting the
// screen (so drawing it twice removes it exactly) and blinking on the
// process clock. Hide and show calls nest.
#pragma once

#include <cstdint>

#include "platform/win32/user/winuser.h"

namespace tw::user {

class Caret {
public:
    static bool Create(HWND hwnd, HBITMAP bitmap, int width, int height);
    static bool Destroy();
    static bool Show(HWND hwnd);
    static bool Hide(HWND hwnd);
    static bool SetPos(int x, int y);
    static bool GetPos(POINT* pt);
    static void SetBlinkTime(UINT ms);
    static UINT BlinkTime();

    // Painting and scrolling take the caret off the screen and put it back.
    static void HideFor(HWND hwnd);
    static void ShowAfterPaint(HWND hwnd);
    static void Forget(HWND hwnd);

    // Blinks when due; the time of the next blink (UINT64_MAX: none) for waits.
    static void Tick(DWORD threadId);
    static uint64_t NextBlink(DWORD threadId);
    static bool IsDrawn();
};

}  // namespace tw::user
