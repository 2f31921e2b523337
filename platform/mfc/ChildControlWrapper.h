// A wrapper of the right class for a window that a common control made for
// itself (a list view's header, a label editor): the object the program
// attached to it when that object is of the class, else a spare wrapper that
// the control's own wrapper keeps. The spare is never in the handle map, so
// it never destroys the window and lives as long as the wrapper that keeps it.
#pragma once

#include "platform/mfc/CWnd.h"

template <class T>
T* ChildControlWrapper(HWND hwnd, T& spare)
{
    if (!hwnd)
        return nullptr;
    CWnd* attached = CWnd::FromHandlePermanent(hwnd);
    if (attached && attached->IsKindOf(spare.GetRuntimeClass()))
        return static_cast<T*>(attached);
    spare.m_hWnd = hwnd;
    return &spare;
}
