// Windows whose state is a C++ object of class T: the object is made from
// the window on WM_NCCREATE, reached through a window property (so the
// window's own user data stays the caller's), handed every later message
// through T::Handle, and deleted after WM_NCDESTROY.
#pragma once

#include "platform/win32/user/winuser.h"

namespace tw {

template <class T>
LRESULT ObjectWindowProc(const char* prop, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* created = new T(hwnd);
        SetProp(hwnd, prop, created);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    auto* self = static_cast<T*>(GetProp(hwnd, prop));
    if (!self)
        return DefWindowProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemoveProp(hwnd, prop);
        delete self;
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

// The object of such a window, or NULL for any other window.
template <class T>
T* WindowObject(const char* prop, HWND hwnd)
{
    return hwnd ? static_cast<T*>(GetProp(hwnd, prop)) : nullptr;
}

}  // namespace tw
