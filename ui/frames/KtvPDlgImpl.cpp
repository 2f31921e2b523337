#include "ui/frames/KtvPDlgImpl.h"

#include "platform/mfc/CDockBar.h"
#include "platform/mfc/CWnd.h"
#include "platform/win32/kernel/Threads.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPCodes.h"

HHOOK CKtvPDlgImpl::m_hookMouse = nullptr;
CKtvPDlgImpl* CKtvPDlgImpl::m_pMenuDlgImpl = nullptr;

CKtvPDlgImpl::CKtvPDlgImpl(CWnd& dlg) : m_Dlg(dlg) {}

CKtvPDlgImpl::~CKtvPDlgImpl() = default;

CKtvPPopupMenu* CKtvPDlgImpl::GetOpenPopup()
{
    CKtvPPopupMenu* pPopup = CKtvPPopupMenu::m_pActivePopupMenu;
    return (pPopup != nullptr && ::IsWindow(pPopup->GetSafeHwnd())) ? pPopup : nullptr;
}

namespace {

BOOL IsShadowHit(int nHit)
{
    return nHit == CKtvPPopupMenu::SHADOW_RIGHT || nHit == CKtvPPopupMenu::SHADOW_BOTTOM;
}

void ClosePopupAndFocus(CWnd* pPopup, CWnd* pOwner)
{
    pPopup->SendMessage(WM_CLOSE);
    if (pOwner != nullptr && ::IsWindow(pOwner->GetSafeHwnd()))
        pOwner->SetFocus();
}

CKtvPPopupMenuBar* AsPopupMenuBar(CWnd* pWnd)
{
    return (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPPopupMenuBar))) ? static_cast<CKtvPPopupMenuBar*>(pWnd)
                                                                                  : nullptr;
}

CKtvPPopupMenu* AsPopupMenu(CWnd* pWnd)
{
    return (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPPopupMenu))) ? static_cast<CKtvPPopupMenu*>(pWnd)
                                                                               : nullptr;
}

}  // namespace

BOOL CKtvPDlgImpl::ProcessPopupClick(CWnd* pOwner, POINT pt)
{
    CKtvPPopupMenu* pPopup = GetOpenPopup();
    if (CKtvPToolBar::m_bCustomizeMode || pPopup == nullptr)
        return FALSE;

    switch (pPopup->HitTest(pt)) {
    case CKtvPPopupMenu::SHADOW_RIGHT:
    case CKtvPPopupMenu::SHADOW_BOTTOM:
        ClosePopupAndFocus(pPopup, pOwner);
        return TRUE;
    case CKtvPPopupMenu::OUTSIDE:
        break;
    default:
        return FALSE;
    }

    CKtvPToolbarMenuButton* pButton = pPopup->m_pParentButton;
    CWnd* pButtonWnd = pButton != nullptr ? pButton->m_pWndParent : nullptr;
    if (pButtonWnd != nullptr && ::IsWindow(pButtonWnd->GetSafeHwnd())) {
        CPoint ptClient(pt);
        pButtonWnd->ScreenToClient(&ptClient);
        CKtvPPopupMenuBar* pParentBar = AsPopupMenuBar(pButtonWnd);
        if (pButton->m_rect.PtInRect(ptClient)) {
            // The opening button: a parent menu's item keeps its sub-menu, a bar's
            // button closes it without reopening it.
            if (pParentBar == nullptr && !pPopup->InCommand())
                pPopup->SendMessage(WM_CLOSE);
            return TRUE;
        }
        if (pParentBar != nullptr) {
            pParentBar->CloseDelayedSubMenu();
            CKtvPPopupMenu* pParentPopup = AsPopupMenu(pParentBar->GetParent());
            if (pParentPopup != nullptr) {
                const int nHit = pParentPopup->HitTest(pt);
                if (IsShadowHit(nHit)) {
                    ClosePopupAndFocus(pParentPopup, pOwner);
                    return TRUE;
                }
                if (nHit != CKtvPPopupMenu::OUTSIDE)
                    return FALSE;
            }
        }
    }

    if (!pPopup->InCommand())
        pPopup->SendMessage(WM_CLOSE);
    if (CWnd::GetFocus() != nullptr && CWnd::GetFocus()->IsKindOf(RUNTIME_CLASS(CKtvPToolBar)) && pOwner != nullptr)
        pOwner->SetFocus();
    return FALSE;
}

BOOL CKtvPDlgImpl::ProcessMouseClick(POINT pt)
{
    return ProcessPopupClick(&m_Dlg, pt);
}

BOOL CKtvPDlgImpl::ProcessMouseMove(POINT pt)
{
    CKtvPPopupMenu* pPopup = GetOpenPopup();
    if (CKtvPToolBar::m_bCustomizeMode || pPopup == nullptr)
        return FALSE;

    CRect rectPopup;
    pPopup->GetWindowRect(rectPopup);
    if (rectPopup.PtInRect(pt))
        return FALSE;

    CKtvPPopupMenuBar* pMenuBar = pPopup->GetMenuBar();
    // Dialog controls see no hover while a menu is open, except over the menu chain.
    return pMenuBar == nullptr || pMenuBar->FindBarAtPoint(pt) == nullptr;
}

LRESULT CALLBACK CKtvPDlgImpl::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (m_pMenuDlgImpl != nullptr) {
        switch (wParam) {
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            CPoint ptCursor;
            ::GetCursorPos(&ptCursor);
            CRect rectDlg;
            m_pMenuDlgImpl->m_Dlg.GetWindowRect(rectDlg);
            // Clicks inside the dialog reach PreTranslateMessage instead.
            if (!rectDlg.PtInRect(ptCursor))
                m_pMenuDlgImpl->ProcessMouseClick(ptCursor);
            break;
        }
        default:
            break;
        }
    }
    return ::CallNextHookEx(m_hookMouse, nCode, wParam, lParam);
}

void CKtvPDlgImpl::SetActiveMenu(CKtvPPopupMenu* pMenu)
{
    CKtvPPopupMenu::m_pActivePopupMenu = pMenu;
    if (pMenu != nullptr) {
        if (m_hookMouse == nullptr)
            m_hookMouse = ::SetWindowsHookEx(WH_MOUSE, MouseHookProc, nullptr, ::GetCurrentThreadId());
        m_pMenuDlgImpl = this;
    } else {
        if (m_hookMouse != nullptr) {
            ::UnhookWindowsHookEx(m_hookMouse);
            m_hookMouse = nullptr;
        }
        m_pMenuDlgImpl = nullptr;
    }
}

BOOL CKtvPDlgImpl::PreTranslateMessage(MSG* pMsg)
{
    CKtvPPopupMenu* pPopup = GetOpenPopup();
    switch (pMsg->message) {
    case WM_KEYDOWN:
        if (pPopup == nullptr)
            return FALSE;
        pPopup->SendMessage(WM_KEYDOWN, pMsg->wParam);
        return TRUE;

    case WM_SYSKEYDOWN:
    case WM_CONTEXTMENU:
        if (pPopup == nullptr || pMsg->wParam != VK_MENU)
            return FALSE;
        pPopup->SendMessage(WM_CLOSE);
        return TRUE;

    case WM_SYSKEYUP:
        return pPopup != nullptr;

    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP: {
        CPoint pt(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        return ProcessMouseClick(pt);
    }

    case WM_MOUSEMOVE: {
        CPoint pt(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        ::ClientToScreen(pMsg->hwnd, &pt);
        return ProcessMouseMove(pt);
    }

    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        CPoint pt(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        ::ClientToScreen(pMsg->hwnd, &pt);
        if (ProcessMouseClick(pt) || !::IsWindow(pMsg->hwnd))
            return TRUE;
        if (pMsg->message == WM_RBUTTONUP && !CKtvPToolBar::m_bCustomizeMode &&
            CWnd::FromHandlePermanent(pMsg->hwnd) != nullptr &&
            CWnd::FromHandlePermanent(pMsg->hwnd)->IsKindOf(RUNTIME_CLASS(CDockBar))) {
            m_Dlg.SendMessage(KTVM_TOOLBARMENU, reinterpret_cast<WPARAM>(m_Dlg.GetSafeHwnd()),
                              MAKELPARAM(pt.x, pt.y));
        }
        return FALSE;
    }

    default:
        return FALSE;
    }
}

BOOL CKtvPDlgImpl::OnCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != 1)
        return FALSE;

    const UINT uiCmd = LOWORD(wParam);
    CKtvPToolBar::AddCommandUsage(uiCmd);

    if (CKtvPPopupMenu* pPopup = GetOpenPopup()) {
        // The accelerator would act behind the open menu: it closes the menu instead.
        pPopup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
        return TRUE;
    }
    return g_pUserToolsManager != nullptr && g_pUserToolsManager->InvokeTool(uiCmd);
}

void CKtvPDlgImpl::OnActivate(UINT nState, CWnd* pWndOther)
{
    m_Dlg.m_nFlags &= ~WF_STAYACTIVE;

    if (nState != WA_INACTIVE)
        pWndOther = &m_Dlg;

    if (pWndOther == nullptr) {
        m_Dlg.SendMessage(WM_NCPAINT, 1);
        return;
    }
    if (pWndOther != &m_Dlg && pWndOther->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) == 0) {
        // The caption was drawn before this answer came, while the flag still
        // said active: it shows the activation gone now.
        m_Dlg.SendMessage(WM_NCACTIVATE, FALSE);
        return;
    }
    // Active itself, or losing the activation to a floating library window.
    m_Dlg.m_nFlags |= WF_STAYACTIVE;
}

void CKtvPDlgImpl::OnNcActivate(BOOL& bActive)
{
    if (m_Dlg.m_nFlags & WF_STAYACTIVE)
        bActive = TRUE;
    if (!m_Dlg.IsWindowEnabled())
        bActive = FALSE;
}

void CKtvPDlgImpl::OnDestroy()
{
    // The hook stays until the menu closes; without an owner it does nothing.
    if (m_pMenuDlgImpl != nullptr && m_pMenuDlgImpl->m_Dlg.GetSafeHwnd() == m_Dlg.GetSafeHwnd())
        m_pMenuDlgImpl = nullptr;
}
