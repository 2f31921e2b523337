#include "platform/mfc/CCommonDialog.h"

#include <cstring>

#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/CWinThread.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog(static_cast<UINT>(0), pParentWnd) {}

UINT_PTR CALLBACK CCommonDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return 0;
    tw::mfc::ThreadState& state = tw::mfc::CurrentThreadState();
    if (!state.pWndInit || !state.initIsDialog || CWnd::FromHandlePermanent(hWnd))
        return TRUE;
    CWnd* pWnd = state.pWndInit;
    pWnd->SubclassWindow(hWnd);  // pending while PreSubclassWindow runs
    state.pWndInit = nullptr;
    state.initIsDialog = false;
    // TRUE: the dialog puts the focus where it normally would.
    return TRUE;
}

void CCommonDialog::OnOK()
{
    Default();
}

void CCommonDialog::OnCancel()
{
    Default();
}

HWND CCommonDialog::PreModal()
{
    tw::mfc::ThreadState& state = tw::mfc::CurrentThreadState();
    m_pOuterInit = state.pWndInit;
    m_bOuterIsDialog = state.initIsDialog;
    state.pWndInit = this;
    state.initIsDialog = true;

    CWnd* pOwner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    HWND hWndOwner = pOwner ? pOwner->m_hWnd : nullptr;
    // A popup cannot be owned by a child window.
    while (hWndOwner && (::GetWindowLong(hWndOwner, GWL_STYLE) & WS_CHILD))
        hWndOwner = ::GetParent(hWndOwner);
    return hWndOwner;
}

void CCommonDialog::PostModal()
{
    tw::mfc::ThreadState& state = tw::mfc::CurrentThreadState();
    state.pWndInit = m_pOuterInit;
    state.initIsDialog = m_bOuterIsDialog;
    m_pOuterInit = nullptr;
    m_bOuterIsDialog = false;
}

void CCommonDialog::CopyText(TCHAR* buffer, size_t size, LPCTSTR text)
{
    size_t length = text ? std::strlen(text) : 0;
    if (length >= size) {
        length = size - 1;
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length;
    }
    if (length)
        std::memcpy(buffer, text, length);
    buffer[length] = '\0';
}
