// The application object: start-up (settings store, workspace managers, the
// main window, the command line) and shut-down (the settings file written back).
#pragma once

#include "platform/mfc/CWinApp.h"
#include "ui/frames/KtvPWorkspace.h"

class CMainFrame;
class CMultiDocTemplate;

class CTarnwickApp : public CWinApp, public CKtvPWorkspace {
public:
    CTarnwickApp();

    BOOL InitInstance() override;
    BOOL OnIdle(LONG lCount) override;
    int ExitInstance() override;
    void PreLoadState() override;
    BOOL InitComModule();

    // The settings file, relative to the home folder.
    static constexpr const char* kSettingsFile = "./data/PosImg.dat";

    BOOL m_bComModuleInited = FALSE;
    // Set once the settings file has been read: only then is it written back,
    // so a start-up that failed earlier never replaces the user's file.
    BOOL m_bSettingsLoaded = FALSE;
    // With an empty command line, start-up opens the first query window, with
    // its logon, and then the Tutorial. main() sets it for a person starting
    // the program; programs that drive the main window on their own (tests,
    // benchmarks) leave it clear unless they ask for those windows.
    BOOL m_bStartupWindows = FALSE;

    // --- opening files and About ---------------------------------------------------------------
    // A file from the shell, File/Open or the recent-file list: an active query
    // window takes it into its own document, else it opens in a new one.
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override;
    void OnAppAbout();

    // The document templates, null until their kinds of window are registered.
    CMultiDocTemplate* m_pQueryTemplate = nullptr;
    CMultiDocTemplate* m_pTableTemplate = nullptr;
    CMultiDocTemplate* m_pToolTemplate = nullptr;
    CMultiDocTemplate* m_pRepositoryTemplate = nullptr;

    // TARNWICK_WINDOW_TEXTS=<file>: the texts of the main window and of its
    // query windows, as last seen idle, are written there at exit, so a run
    // driven from outside (a desktop, real input) can be checked afterwards.
    static constexpr const char* kWindowTextsVariable = "TARNWICK_WINDOW_TEXTS";
    CString m_strLastWindowTexts;

protected:
    // The first query window and the Tutorial over the shown main window.
    void OpenStartupWindows(CMainFrame* pMainFrame);

    DECLARE_MESSAGE_MAP()
};

extern CTarnwickApp theApp;
