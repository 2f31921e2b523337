// Input from the screen to the windows: the display's input events go to the
// queue of the window under the mouse (or the capture holder, or the focus
// window's thread for keys), and the reading thread turns them into mouse and
// keyboard messages: hit testing, mouse activation, WM_SETCURSOR, double
// clicks, the mouse hook and mouse tracking happen there, as on the platform.
// Keys and typed text go to the window that has the focus when the thread
// takes them from its queue, not when they arrived.
//
// Characters reach a window exactly once, by one of two paths: ASCII from
// TranslateMessage on the key that typed it (US layout), everything else from
// the display's Text events, one WM_CHAR per UTF-8 byte, in order. The ASCII
// part of a Text event is dropped, since the desktop backend sends the key too.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/win32/user/MessageQueue.h"
#include "platform/win32/user/winuser.h"

namespace tw::display {
struct InputEvent;
}

namespace tw::user {

class InputRouter {
public:
    static InputRouter& Instance();

    // Pulls what the display collected and hands it to the windows' queues.
    // Only one thread (the first that asks) pumps the display.
    void PumpDisplay();
    bool IsDisplayThread() const;
    // True when the event reached a window's queue.
    bool Route(const tw::display::InputEvent& event);

    bool Translate(const RawInput& input, MSG* msg, bool remove);

    POINT CursorPos();
    void MoveCursor(POINT pt);  // SetCursorPos: moves and sends the window a mouse move
    bool SetClip(const RECT* rect);
    RECT Clip();

    SHORT KeyState(int vk);
    SHORT AsyncKeyState(int vk);
    void CopyKeyState(BYTE* state);
    void SetKeyState(const BYTE* state);

    UINT doubleClickTime = 500;

private:
    InputRouter();
    HWND MouseTarget(POINT pt);
    bool RouteMouse(const tw::display::InputEvent& event);
    bool RouteKey(const tw::display::InputEvent& event);
    bool RouteText(const tw::display::InputEvent& event);
    std::shared_ptr<MessageQueue> KeyboardQueue(HWND* target);
    WPARAM MouseKeys(unsigned modifiers);
    bool TranslateMouse(const RawInput& input, MSG* msg, bool remove);
    bool TranslateKey(const RawInput& input, MSG* msg, bool remove);
    bool TranslateChar(const RawInput& input, MSG* msg);
    UINT DoubleClickMessage(HWND hwnd, int hit, const RawInput& input, bool remove);
    void TrackLeaveAndHover(HWND hwnd, int hit, POINT screenPt);
    void NotifyParentsOfPress(HWND hwnd, UINT downMessage, POINT screenPt);
    void RefuseDisabled(HWND hwnd, const RawInput& input, bool remove);

    std::recursive_mutex mutex_;
    std::mutex pumpMutex_;  // one thread routes the display's events at a time
    POINT cursor_{0, 0};
    RECT clip_{};
    bool clipped_ = false;
    BYTE syncKeys_[256] = {};
    BYTE asyncKeys_[256] = {};
    DWORD displayThread_ = 0;

    // The last button press, for double clicks.
    HWND lastClickHwnd_ = nullptr;
    int lastClickButton_ = -1;
    uint64_t lastClickTime_ = 0;
    POINT lastClickPt_{};
    bool lastClickWasDouble_ = false;
};

}  // namespace tw::user
