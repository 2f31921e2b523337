// One window's state. Owned by the WindowTree; every field is read and
// written under the window system's lock, never while a window procedure runs.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/user/RectRegion.h"
#include "platform/win32/user/WindowClass.h"
#include "platform/win32/user/winuser.h"

namespace tw::user {

class MessageQueue;

struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

struct ScrollBarState {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    bool shown = true;    // only meaningful while the style has the bar
    UINT disabledArrows = 0;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> cls;
    std::shared_ptr<MessageQueue> queue;
    DWORD threadId = 0;

    DWORD style = 0;
    DWORD exStyle = 0;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    UINT_PTR id = 0;  // child id, or the menu of a top-level window
    int menuBarHeight = 0;  // as the last default WM_NCCALCSIZE measured it
    LONG_PTR userData = 0;
    std::vector<BYTE> extra;
    std::string text;
    std::map<std::string, HANDLE, CaseInsensitiveLess> props;
    HICON iconSmall = nullptr;
    HICON iconBig = nullptr;

    Window* parent = nullptr;  // the desktop for top-level windows
    HWND owner = nullptr;
    std::vector<Window*> children;  // z-order, topmost first

    RECT rect{};        // window rectangle in the parent's client coordinates
    RECT clientRect{};  // client rectangle relative to the window's top-left corner

    // Placement remembered across minimise and maximise.
    RECT normalRect{};
    POINT minPosition{-1, -1};
    POINT maxPosition{-1, -1};
    bool restoreToMaximized = false;

    // Painting state; the update region is in client coordinates.
    RectRegion update;
    bool eraseNeeded = false;
    bool ncPaintNeeded = false;
    bool internalPaint = false;
    bool redrawDisabled = false;
    bool captionActive = false;

    ScrollBarState hScroll;
    ScrollBarState vScroll;

    bool creating = true;
    bool destroying = false;    // DestroyWindow runs on it or on an ancestor
    bool destroySent = false;   // it has had its WM_DESTROY
    bool destroyed = false;
};

}  // namespace tw::user
