// Input that closes a pop-up holding a bar: a button pressed outside the bar,
// a context menu or a system key.
#pragma once

#include "platform/mfc/CWnd.h"

inline BOOL KtvIsPopupClosingInput(CWnd* pBar, const MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_SYSKEYDOWN:
    case WM_CONTEXTMENU:
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        CPoint pt(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        if (pMsg->hwnd != pBar->GetSafeHwnd())
            ::MapWindowPoints(pMsg->hwnd, pBar->GetSafeHwnd(), &pt, 1);
        CRect rectClient;
        pBar->GetClientRect(rectClient);
        return !rectClient.PtInRect(pt);
    }
    default:
        return FALSE;
    }
}
