// Entry points the pieces of the window system call in one another. Not for
// use outside platform/win32/user.
#pragma once

#include <vector>

#include "platform/win32/user/MessageQueue.h"
#include "platform/win32/user/winuser.h"

namespace tw::user {

struct Window;

// Calls the window procedure on the current thread (the window's own).
LRESULT CallWindowProcOf(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Runs a message another thread sent, making InSendMessage true meanwhile.
void DeliverSentMessage(SentMessage& sent);

// Turns raw input into the message the reading thread sees. Returns false
// when the input was eaten (hook, MA_*ANDEAT, window gone).
bool TranslateRawInput(const RawInput& input, MSG* msg, bool remove);

// The window that keyboard input read now by the thread goes to: its focus
// window, else its active window; null when the thread has neither.
HWND KeyboardInputTarget(DWORD threadId);

// The first window of the thread that needs WM_PAINT, passing the filter.
HWND FindWindowToPaint(DWORD threadId, HWND filter);

// Wakes the thread that owns the window, after its painting state changed.
void WakeOwnerOf(HWND hwnd);

// Frees everything a destroyed window left behind in other pieces.
void ForgetWindowInput(HWND hwnd);

}  // namespace tw::user

namespace tw::user {

// The deepest visible window under a screen point whose input it would get:
// disabled children pass it to their parent. `skip` (and what lies inside it)
// is left out, for hit tests that answered HTTRANSPARENT.
HWND WindowUnderPoint(POINT screenPt, HWND skip);
// The same, leaving out every window of `skip`: a hit test that passes the
// mouse on may lead to another window that passes it on too.
HWND WindowUnderPoint(POINT screenPt, const std::vector<HWND>& skip);

// Makes a top-level window the active one, with the platform's messages.
// `how` is WA_ACTIVE or WA_CLICKACTIVE.
bool ActivateWindow(HWND topLevel, WORD how);

// Activates the next window after `leaving` hides, minimises or goes away.
void ActivateNextWindow(HWND leaving);

// Records the extra information of the message just read.
void SetCurrentMessageExtraInfo(LPARAM extra);

}  // namespace tw::user

namespace tw::user {

// Painting bookkeeping the positioning code calls (Painting.cpp).
// Marks the whole window, frame and client, as needing paint and erase.
void InvalidateWholeWindow(HWND hwnd);
// Marks what lies under a screen area as needing paint: windows overlapped
// by it (except `skip` and its descendants) and the desktop.
void InvalidateScreenArea(const RECT& screenArea, HWND skip);
// Marks the part of a window and its descendants under a screen area.
void InvalidateScreenAreaOf(HWND hwnd, const RECT& screenArea);
// Paints the frame and erases the background now, as showing and sizing do.
void PaintFrameAndEraseNow(HWND hwnd);

}  // namespace tw::user

namespace tw::user {

// Work a thread does while it reads its queue: pulling the display's input
// (the display thread), blinking the caret, painting the desktop.
void IdleWork(bool aboutToWait);
// The process-clock time by which the thread must look again (UINT64_MAX: none).
uint64_t IdleDeadline();
// The longest real-time wait allowed: the desktop backend must be pumped.
int MaxRealWaitMs();

}  // namespace tw::user

namespace tw::user {

// A thread ended: its windows go with it, without messages (nobody is left to
// handle them), as on the platform.
void ForgetThreadWindows(DWORD threadId);

}  // namespace tw::user
