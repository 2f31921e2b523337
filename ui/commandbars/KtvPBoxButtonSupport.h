// What the toolbar buttons that host a combo box or an edit box share: the
// versions of their stored records, their colours, the context menu of their
// edit windows and the request for a mouse-leave message.
#pragma once

#include "platform/mfc/CWnd.h"

class CDC;

namespace ktvbox {

// The menu resource id joined the stored record with library version 6.41;
// no loaded state (-1.-1) counts as the current version.
BOOL StoresMenuResID();
// The calculator flag joined it with 6.72 (7.0 omits it).
BOOL StoresCalculatorFlag();

// Window text on the window colour, for the hosted controls.
HBRUSH CtlColor(CDC* pDC);

// Sub-menu 0 of the menu resource at the screen point, owned by pOwner;
// FALSE when there is no such menu.
BOOL ShowContextMenu(UINT uiMenuResID, CPoint point, CWnd* pOwner);

// Asks, once per entry of the mouse, for WM_MOUSELEAVE.
void TrackMouseLeave(CWnd* pWnd, BOOL& bTracked);

// The window's text as a CString, empty without a window.
CString WindowText(const CWnd* pWnd);

}  // namespace ktvbox
