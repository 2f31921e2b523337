// What makes library popup menus behave like real menus over a window that
// runs its own modal loop (a dialog, a property page or sheet): keys go to
// the open menu, a click outside closes it, accelerators are counted and may
// run user tools, and the caption stays active while a floating library
// window has the activation.
#pragma once

#include "platform/win32/user/winuser.h"

class CWnd;
class CKtvPPopupMenu;

class CKtvPDlgImpl {
public:
    explicit CKtvPDlgImpl(CWnd& dlg);
    virtual ~CKtvPDlgImpl();

    BOOL PreTranslateMessage(MSG* pMsg);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    void SetActiveMenu(CKtvPPopupMenu* pMenu);
    void OnActivate(UINT nState, CWnd* pWndOther);
    void OnNcActivate(BOOL& bActive);
    void OnDestroy();

    // Points in screen coordinates; TRUE when the click or move is consumed.
    BOOL ProcessMouseClick(POINT pt);
    // Reads only class-wide state, so the frames use it too.
    static BOOL ProcessMouseMove(POINT pt);
    // A click while a library popup is open over pOwner (a dialog or a frame):
    // shadow hits close the popup, a click on the button that opened it is
    // swallowed, one outside the chain closes it and still reaches its target.
    static BOOL ProcessPopupClick(CWnd* pOwner, POINT pt);
    // The open top-level popup menu when its window exists, else NULL.
    static CKtvPPopupMenu* GetOpenPopup();

    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    CWnd& m_Dlg;

    static HHOOK m_hookMouse;
    // The impl whose window owns the open popup menu.
    static CKtvPDlgImpl* m_pMenuDlgImpl;
};
