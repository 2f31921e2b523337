// A thread of the framework: a worker running one function, or a user-interface
// thread with its own message loop, idle processing and main window.
#pragma once

#include "platform/mfc/CCmdTarget.h"
#include "platform/win32/kernel/Threads.h"
#include "platform/win32/user/winuser.h"

class CWnd;

#ifndef AFX_CDECL
#define AFX_CDECL
#endif

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Starts the thread; with CREATE_SUSPENDED it waits for ResumeThread.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;  // the object deletes itself when the thread ends
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    MSG m_msgCur{};

    operator HANDLE() const { return m_hThread; }
    virtual CWnd* GetMainWnd();
    int GetThreadPriority();
    BOOL SetThreadPriority(int nPriority);
    DWORD ResumeThread();
    // There is no freezing a running thread here: fails with (DWORD)-1.
    DWORD SuspendThread();
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    virtual BOOL InitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    // lCount counts the calls since the last message; TRUE asks for another call.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int ExitInstance();
    virtual void Delete();
    BOOL DispatchThreadMessageEx(MSG* pMsg);

    // Internal: what the new thread runs.
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

private:
    static DWORD WINAPI ThreadEntry(LPVOID param);
    POINT m_ptCursorLast{-1, -1};
    UINT m_nMsgLast = 0;
};

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Ends the calling framework thread with the code.
[[noreturn]] void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// The calling thread's object; the application object on the main thread.
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
