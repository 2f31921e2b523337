#include "platform/mfc/CCmdUI.h"

#include <cstring>

#include "platform/mfc/CCmdTarget.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CWnd.h"

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu) {
        // A popup's own item is left as it is.
        if (m_pSubMenu)
            return;
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther) {
        // Focus leaves a control before it is disabled, so the keyboard keeps working.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            if (CWnd* pParent = m_pOther->GetParent()) {
                if (CWnd* pNext = pParent->GetNextDlgTabItem(m_pOther))
                    pNext->SetFocus();
            }
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu) {
        if (m_pSubMenu)
            return;
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
        return;
    }
    if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON))
        m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu && !m_pSubMenu) {
        m_pMenu->CheckMenuRadioItem(m_nIndex, m_nIndex, bOn ? m_nIndex : static_cast<UINT>(-1), MF_BYPOSITION);
        if (!bOn)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (!lpszText)
        lpszText = "";
    if (m_pMenu) {
        if (m_pSubMenu)
            return;
        // Keep the item's state; only its text changes.
        const UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) &
                            (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBARBREAK | MF_MENUBREAK);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
        return;
    }
    if (!m_pOther)
        return;
    // Setting the same text again would only make the control flicker.
    CString current;
    m_pOther->GetWindowText(current);
    if (std::strcmp(current, lpszText) != 0)
        m_pOther->SetWindowText(lpszText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;
    m_bEnableChanged = FALSE;
    const BOOL bResult = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{nullptr, nullptr};
        if (!pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info))
            Enable(FALSE);
    }
    return bResult;
}
