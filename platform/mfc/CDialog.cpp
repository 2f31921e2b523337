#include "platform/mfc/CDialog.h"

#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/resource/DlgInitResource.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTypes.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, HandleOK)
    ON_COMMAND(IDCANCEL, HandleCancel)
END_MESSAGE_MAP()

using tw::mfc::CurrentThreadState;


INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd) {
        // The dialog's first message: the object being created takes the window.
        tw::mfc::ThreadState& state = CurrentThreadState();
        if (!state.pWndInit || !state.initIsDialog)
            return FALSE;
        pWnd = state.pWndInit;
        // Still pending while PreSubclassWindow runs, as for other windows.
        const BOOL bSubclassed = pWnd->SubclassWindow(hWnd);
        state.pWndInit = nullptr;
        state.initIsDialog = false;
        if (!bSubclassed)
            return FALSE;
    }
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* pDialog = DYNAMIC_DOWNCAST(CDialog, pWnd);
    if (!pDialog)
        return TRUE;
    pDialog->ExecuteDlgInit(pDialog->m_lpszTemplateName);
    return pDialog->OnInitDialog();
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

LPCDLGTEMPLATE CDialog::FindTemplate(LPCTSTR lpszTemplateName) const
{
    const BYTE* bytes = nullptr;
    DWORD size = 0;
    if (!lpszTemplateName || !tw::FindResourceBytes(AfxGetResourceHandle(), lpszTemplateName, RT_DIALOG, &bytes, &size))
        return nullptr;
    return reinterpret_cast<LPCDLGTEMPLATE>(bytes);
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, HWND hWndParent)
{
    tw::mfc::ThreadState& state = CurrentThreadState();
    CWnd* outerInit = state.pWndInit;
    const bool outerIsDialog = state.initIsDialog;
    state.pWndInit = this;
    state.initIsDialog = true;
    HWND hWnd = ::CreateDialogIndirectParam(AfxGetResourceHandle(), lpDialogTemplate, hWndParent, &AfxDlgProc, 0);
    state.pWndInit = outerInit;
    state.initIsDialog = outerIsDialog;
    if (!hWnd)
        return FALSE;
    return m_hWnd == hWnd;
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    LPCDLGTEMPLATE lpTemplate = FindTemplate(lpszTemplateName);
    if (!lpTemplate)
        return FALSE;
    return CreateIndirect(lpTemplate, pParentWnd);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    if (!pParentWnd)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, CWnd::GetSafeHwndOf(pParentWnd));
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpszTemplateName = nullptr;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

HWND CDialog::ModalOwner() const
{
    HWND hWnd = m_pParentWnd ? CWnd::GetSafeHwndOf(m_pParentWnd) : CWnd::GetSafeHwndOf(AfxGetMainWnd());
    // A popup cannot be owned by a child window.
    while (hWnd && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate ? m_lpDialogTemplate : FindTemplate(m_lpszTemplateName);
    if (!lpTemplate)
        return -1;

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    HWND hWndParent = ModalOwner();
    BOOL bEnableParent = FALSE;
    if (hWndParent && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }
    try {
        if (CreateDlgIndirect(lpTemplate, hWndParent)) {
            // OnInitDialog may have ended the dialog already.
            if (m_nFlags & WF_CONTINUEMODAL) {
                DWORD dwFlags = MLF_SHOWONIDLE;
                if (GetStyle() & DS_NOIDLEMSG)
                    dwFlags |= MLF_NOIDLEMSG;
                RunModalLoop(dwFlags);
            }
            if (m_hWnd)
                SetWindowPos(nullptr, 0, 0, 0, 0,
                             SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        }
    } catch (CException* e) {
        e->Delete();
        m_nModalResult = -1;
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) {
        EndModalLoop(nResult);
        return;
    }
    ::EndDialog(m_hWnd, nResult);
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(CWnd::GetSafeHwndOf(pWndCtrl)), 1);
}

void CDialog::SetDefID(UINT nID)
{
    ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, DM_GETDEFID, 0, 0));
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    // The controls' own notifications while values move are not the user's doing.
    tw::mfc::ThreadState& state = CurrentThreadState();
    HWND hWndOldLockout = state.hLockoutNotifyWindow;
    state.hLockoutNotifyWindow = m_hWnd;
    BOOL bOK = FALSE;
    try {
        DoDataExchange(&dx);
        bOK = TRUE;
    } catch (CUserException* e) {
        e->Delete();
    } catch (CException* e) {
        // Anything else is reported as it would be elsewhere.
        e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
    }
    state.hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

BOOL CDialog::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (lpszResourceName == nullptr ||
        !tw::FindResourceBytes(AfxGetResourceHandle(), lpszResourceName, RT_DLGINIT, &data, &size))
        return TRUE;  // a template without dialog-init data
    const auto records = tw::res::ParseDlgInit(data, size);
    if (!records)
        return FALSE;
    for (const tw::res::DlgInitRecord& record : *records) {
        if (!record.IsAddString())
            continue;  // control states are read by their controls
        const std::string text = record.Text();
        SendDlgItemMessage(record.controlId, record.message, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    // The dialog stays up even when the values could not be shown.
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnSetFont(CFont*)
{
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // The window's own filtering first: its tooltips.
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        // Keys go through the dialog's keyboard interface unless a child of it wants them.
        if (::IsDialogMessage(m_hWnd, pMsg))
            return TRUE;
    }
    return FALSE;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
