// A "Please wait..." dialog on a user-interface thread of its own, shown
// while another thread works and closed when that thread sets a named event.
// The owner may change the message while it shows.
#pragma once

#include <mutex>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/CEvent.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CWinThread.h"
#include "platform/mfc/afxmsg.h"

enum : UINT {
    IDD_TW_WAIT = 201,
    IDC_TW_WAIT_TEXT = 1113,
};

class CWaitDlgThread : public CWinThread {
    DECLARE_DYNCREATE(CWaitDlgThread)
public:
    CWaitDlgThread();

    // Runs the dialog and answers FALSE, so the thread ends with it.
    BOOL InitInstance() override;

    // Set before the thread starts.
    CString m_strEventName;
    BOOL m_bAllowCancel;
    // The message; the owner may change it from its own thread at any time.
    void SetText(const CString& strText);
    CString GetText() const;
    // The event the owner sets to close the dialog; made by the thread.
    CEvent* m_pEvent;

private:
    mutable std::mutex m_textLock;
    CString m_strText;
};

class CWaitDlg : public CDialog {
public:
    static constexpr UINT_PTR kPollTimer = 1;
    static constexpr UINT kPollMs = 500;

    CWaitDlg();

    BOOL m_bAllowCancel;
    CString m_strText;
    CWaitDlgThread* m_pThread;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
