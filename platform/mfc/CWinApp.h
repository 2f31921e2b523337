// The application object: the main thread's CWinThread, with the program's
// names, its settings in the registry, message boxes and the wait cursor.
#pragma once

#include "platform/mfc/CString.h"
#include "platform/mfc/Collections.h"
#include "platform/mfc/CWinThread.h"
#include "platform/win32/registry/Registry.h"

// The framework's own string ids.
#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001
#define AFX_IDS_HELPMODEMESSAGE 0xE002

// The prompt shown when help is asked for.
#define AFX_IDP_FAILED_TO_LAUNCH_HELP 0xF107

namespace tw::mfc {
// The message box that says help cannot be shown.
void ReportHelpUnavailable();
}  // namespace tw::mfc

class CCmdUI;
class CCommandLineInfo;
class CDocManager;
class CDocTemplate;
class CDocument;
class CRecentFileList;
struct tagPD;
typedef tagPD PRINTDLG;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // There is one application object; it registers itself as AfxGetApp().
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Heap strings (free/strdup), which a program may replace the same way.
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszHelpFilePath = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int Run() override;
    BOOL OnIdle(LONG lCount) override;
    int ExitInstance() override;
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    // +1 shows the wait cursor, -1 takes one away, 0 shows it again after a dialog.
    virtual void DoWaitCursor(int nCode);
    // Help goes through the main window's WinHelp. There is no help engine here:
    // asking for help says so in a message box (closing it, HELP_QUIT, is quietly done).
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual void HtmlHelp(DWORD_PTR dwData, UINT nCmd = HH_HELP_CONTEXT);
    // Handlers a program maps to ID_HELP, ID_HELP_INDEX, ID_HELP_FINDER,
    // ID_HELP_USING and ID_CONTEXT_HELP.
    void OnHelp();
    void OnHelpIndex();
    void OnHelpFinder();
    void OnHelpUsing();
    void OnContextHelp();

    // Settings under HKEY_CURRENT_USER\Software\<key>\<application>.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // NULL (the caller closes it) when no registry key was set or it cannot be made.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // *ppData is made with new[]; the caller deletes it.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    // A NULL entry deletes the section, a NULL value the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;

    // The document manager: templates, File New and File Open.
    CDocManager* m_pDocManager = nullptr;
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    void OnFileNew();
    void OnFileOpen();
    // The open (bOpenFileDialog) or save dialog filtered by the document types; FALSE when cancelled.
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    int GetOpenDocumentCount();
    void DeleteDocManager();

    // The recent-file list, made by LoadStdProfileSettings; NULL without one.
    CRecentFileList* m_pRecentFileList = nullptr;
    // Reads the recent-file list of nMaxMRU entries (at most 16; 0: none) from the
    // profile section "Recent File List"; ExitInstance writes it back.
    // Also reads the number of pages a preview shows (m_nNumPreviewPages)
    // from "Settings", "PreviewPages"; a number other than 0 is written back.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);

    // The shell's file types and DDE opens have no meaning here: these do nothing
    // (and write nothing to the registry).
    void EnableShellOpen();
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    void UnregisterShellFileTypes();

    // The program's command line (m_lpCmdLine) into rCmdInfo, one parameter at a time.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Carries out the command line's shell command; FALSE when the program should end.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // Pages a print preview shows at first (0: one); the preview's one/two
    // page choice is kept here for the next.
    UINT m_nNumPreviewPages = 0;
    // pDlg's DEVMODE and DEVNAMES blocks become copies of the application's
    // printer (the system's default until print setup picks another); blocks
    // it held are freed. FALSE when there is no printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLG* pDlg);
    // ID_FILE_PRINT_SETUP, for a program to map: the setup dialog starting
    // at the application's printer, whose choice becomes the application's.
    void OnFilePrintSetup();

    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;

protected:
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    BOOL OnOpenRecentFile(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    // Opens (bCreate: creates) a key under the application's.
    HKEY OpenSectionKey(LPCTSTR lpszSection, bool bCreate);
    HKEY OpenAppKey(bool bCreate);
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
LPCTSTR AfxGetAppName();
// The application's message box, captioned with its name; 0 when it could not be shown.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The prompt is the string nIDPrompt; 0 without showing anything when there is none.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// What a program's entry calls: initialises the application object, runs
// InitInstance and the message loop, and answers the exit code.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);

// Shows the wait cursor for its lifetime.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};
