// The small modal loops of default processing: moving and sizing a window
// with the mouse or the keyboard, pressing a caption button, dragging a
// window scroll bar. Each holds the capture and reads the thread's queue
// until its gesture ends, dispatching everything else as usual.
#pragma once

#include "platform/win32/user/winuser.h"

namespace tw::user {

class ModalLoops {
public:
    // SC_MOVE / SC_SIZE: the low four bits say what started it (HTCAPTION
    // or a WMSZ_ edge from the mouse; 0 from the keyboard).
    static void SizeMove(HWND hwnd, WPARAM command, LPARAM startPos);
    // Returns true when the button was released over the same caption button.
    static bool TrackCaptionButton(HWND hwnd, int hit);
    static void TrackScrollBar(HWND hwnd, int bar, POINT screenPt);

    // Reads one message, waiting for it; false when the loop must end
    // (WM_QUIT, which is put back for the outer loop).
    static bool Next(MSG* msg);

private:
    static bool ButtonHeld();
};

}  // namespace tw::user
