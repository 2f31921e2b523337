// The owner-draw messages a list box or combo box takes back from its parent
// and hands to its own virtuals (DrawItem, MeasureItem, CompareItem,
// DeleteItem), as both controls' OnChildNotify do.
#pragma once

#include "platform/win32/user/winuser.h"

namespace tw::mfc {

// TRUE with *pResult set when the message was one of them; FALSE otherwise.
template <class Control>
BOOL HandleOwnerDrawNotify(Control& control, UINT message, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = TRUE;
    switch (message) {
    case WM_DRAWITEM:
        control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    case WM_MEASUREITEM:
        control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        break;
    case WM_COMPAREITEM:
        lResult = control.CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case WM_DELETEITEM:
        control.DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        break;
    default:
        return FALSE;
    }
    if (pResult)
        *pResult = lResult;
    return TRUE;
}

}  // namespace tw::mfc
