// The window procedures of the common controls and the table that registers them.
#pragma once

#include <vector>

#include "platform/comctl/commctrl.h"

namespace tw::comctl {

struct ControlClass {
    const char* name;
    WNDPROC proc;
    UINT style;
    HBRUSH background;
};

const std::vector<ControlClass>& AllControlClasses();

LRESULT CALLBACK ToolTipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK HeaderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TabControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK UpDownProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TreeViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The window procedure of a control kept as an object of class T (made on
// WM_NCCREATE from the window, deleted after WM_NCDESTROY), reached through a
// window property so the window's own user data stays the caller's.
template <class T>
LRESULT ControlProc(const char* prop, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
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

// Sends a WM_NOTIFY from a control to its parent with the header filled in.
LRESULT SendNotify(HWND control, UINT code, NMHDR* header);
LRESULT SendNotifyTo(HWND target, HWND control, UINT code, NMHDR* header);

}  // namespace tw::comctl
