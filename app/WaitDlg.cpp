#include "app/WaitDlg.h"

IMPLEMENT_DYNCREATE(CWaitDlgThread, CWinThread)

CWaitDlgThread::CWaitDlgThread() : m_bAllowCancel(FALSE), m_pEvent(nullptr) {}

void CWaitDlgThread::SetText(const CString& strText)
{
    std::lock_guard lock(m_textLock);
    m_strText = strText;
}

CString CWaitDlgThread::GetText() const
{
    std::lock_guard lock(m_textLock);
    return m_strText;
}

BOOL CWaitDlgThread::InitInstance()
{
    CWaitDlg dlg;
    m_pMainWnd = &dlg;
    // Not signalled, manual reset, named so that the owner can open it.
    try {
        m_pEvent = new CEvent(FALSE, TRUE, m_strEventName.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_strEventName));
    } catch (CException* e) {
        e->Delete();
        m_pMainWnd = nullptr;
        return FALSE;  // without its event nothing could close the dialog
    }
    dlg.m_bAllowCancel = m_bAllowCancel;
    dlg.m_strText = GetText();
    dlg.m_pThread = this;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    delete m_pEvent;
    m_pEvent = nullptr;
    return FALSE;
}

BEGIN_MESSAGE_MAP(CWaitDlg, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CWaitDlg::CWaitDlg() : CDialog(IDD_TW_WAIT), m_bAllowCancel(FALSE), m_pThread(nullptr) {}

BOOL CWaitDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* pOk = GetDlgItem(IDOK))
        pOk->ShowWindow(m_bAllowCancel ? SW_SHOW : SW_HIDE);
    if (!m_strText.IsEmpty() && m_pThread != nullptr)
        SetDlgItemText(IDC_TW_WAIT_TEXT, m_pThread->GetText());
    SetTimer(kPollTimer, kPollMs, nullptr);
    return TRUE;
}

void CWaitDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kPollTimer && m_pThread != nullptr) {
        const CString text = m_pThread->GetText();
        CString shown;
        GetDlgItemText(IDC_TW_WAIT_TEXT, shown);
        if (shown != text)
            SetDlgItemText(IDC_TW_WAIT_TEXT, text);
        if (m_pThread->m_pEvent != nullptr && m_pThread->m_pEvent->Lock(0)) {
            KillTimer(kPollTimer);
            CDialog::OnOK();  // the owner is done: the event stays as it set it
            return;
        }
    }
    CDialog::OnTimer(nIDEvent);
}

// OK, Enter and Esc cancel the wait only when cancelling is allowed, and then
// always set the event first, so that the owner finds it signalled; otherwise
// the dialog stays until the owner sets the event.
void CWaitDlg::OnOK()
{
    if (!m_bAllowCancel)
        return;
    if (m_pThread != nullptr && m_pThread->m_pEvent != nullptr)
        m_pThread->m_pEvent->SetEvent();
    CDialog::OnOK();
}

void CWaitDlg::OnCancel()
{
    OnOK();
}
