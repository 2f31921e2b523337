// The window procedures of the common controls and the table that registers them.
#pragma once

#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/win32/user/ObjectWindow.h"

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

// Sends a WM_NOTIFY from a control to its parent with the header filled in.
LRESULT SendNotify(HWND control, UINT code, NMHDR* header);
LRESULT SendNotifyTo(HWND target, HWND control, UINT code, NMHDR* header);

}  // namespace tw::comctl
