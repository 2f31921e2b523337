#include "app/TarnwickApp.h"

#include <cstdio>
#include <cstdlib>

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/TutorialDlg.h"
#include "app/XMLSettings.h"
#include "platform/controls/grid/GridAutomation.h"
#include "platform/mfc/CDocTemplate.h"
#include "resources/resource.h"
#include "session/ChildFrame.h"
#include "session/TarnwickDoc.h"
#include "session/VelQryViews.h"
#include "platform/ado/AdoInterfaces.h"
#include "platform/dmo/DmoInterfaces.h"
#include "platform/mfc/CCommandLineInfo.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CMDIChildWnd.h"
#include "platform/mfc/CMDIFrameWnd.h"
#include "platform/mfc/CRichEditCtrl.h"
#include "platform/mfc/afxole.h"
#include "platform/shell/shellapi.h"
#include "tabledesign/TableDesignWindow.h"
#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPMouseManager.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPRegistryFactory.h"

BEGIN_MESSAGE_MAP(CTarnwickApp, CWinApp)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
    ON_COMMAND(ID_TW_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CTarnwickApp::CTarnwickApp() : CWinApp(nullptr), CKtvPWorkspace(TRUE) {}

BOOL CTarnwickApp::InitComModule()
{
    m_bComModuleInited = TRUE;
    return TRUE;
}

BOOL CTarnwickApp::InitInstance()
{
    m_bSettingsLoaded = FALSE;
    if (!AfxOleInit()) {
        AfxMessageBox(100);
        return FALSE;
    }
    if (!AfxInitRichEdit())
        return FALSE;
    // The data-access and server-management classes are there as on a
    // machine that has them installed.
    tw::ado::RegisterClasses();
    tw::dmo::RegisterClasses();
    InitComModule();
    AfxEnableControlContainer();
    // The UI library's fonts, metrics, colours and registered messages.
    KtvInitGlobalData();

    SetRegistryKey("Corvane");
    LoadStdProfileSettings(8);

    CKtvPRegistryFactory::SetRuntimeClass(RUNTIME_CLASS(CXMLSettings));
    CXMLSettings::LoadFromFile(FALSE, kSettingsFile);
    m_bSettingsLoaded = TRUE;

    SetRegistryBase("Settings");
    InitMouseManager();
    InitContextMenuManager();
    InitKeyboardManager();
    InitShellManager();
    EnableUserTools(32805, 32806, 32815, RUNTIME_CLASS(CKtvPUserTool));

    // --- query windows: their document template, and the grid their results show in, installed
    // with the program as the data-access classes are.
    tw::grid::RegisterClasses();
    if (m_pQueryTemplate == nullptr) {
        m_pQueryTemplate = new CMultiDocTemplate(IDR_TARNWICK_DOCUMENT, RUNTIME_CLASS(CTarnwickDoc),
                                                 RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CVelQryView));
        AddDocTemplate(m_pQueryTemplate);
    }

    // Table designer: the table-design template, second of the application's four.
    if (m_pTableTemplate == nullptr) {
        m_pTableTemplate = tw::tabledesign::MakeTemplate();
        AddDocTemplate(m_pTableTemplate);
    }

    auto* pMainFrame = new CMainFrame;
    if (!pMainFrame->LoadFrame(IDR_TW_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr)) {
        delete pMainFrame;
        return FALSE;
    }
    m_pMainWnd = pMainFrame;
    ::DragAcceptFiles(pMainFrame->GetSafeHwnd(), TRUE);
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    CCommandLineInfo cmdInfo;
    if (m_lpCmdLine && *m_lpCmdLine) {
        ParseCommandLine(cmdInfo);
        if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileNew) {
            AfxMessageBox("Usage: Standard shell commands, DDE, and file open only.", MB_OK);
            return FALSE;
        }
        pMainFrame->ShowWindow(m_nCmdShow);
        pMainFrame->UpdateWindow();
        ProcessShellCommand(cmdInfo);
        return TRUE;
    }
    pMainFrame->ShowWindow(m_nCmdShow);
    pMainFrame->UpdateWindow();
    if (m_bStartupWindows)
        OpenStartupWindows(pMainFrame);
    return TRUE;
}

void CTarnwickApp::OpenStartupWindows(CMainFrame* pMainFrame)
{
    const HWND hWndMain = pMainFrame->GetSafeHwnd();
    // Its logon comes up at once; a cancelled logon leaves the frame empty.
    pMainFrame->NewQueryWindow(nullptr, nullptr, nullptr);
    if (!::IsWindow(hWndMain))
        return;
    // Ends before it appears when the user chose not to see it at start-up.
    CTutorialDlg tutorial(pMainFrame);
    tutorial.DoModal();
}

BOOL CTarnwickApp::OnIdle(LONG lCount)
{
    const char* lpszFile = std::getenv(kWindowTextsVariable);
    auto* pMainFrame = dynamic_cast<CMainFrame*>(m_pMainWnd);
    if (lpszFile != nullptr && *lpszFile && pMainFrame != nullptr && pMainFrame->GetSafeHwnd()) {
        CString texts;
        CString text;
        pMainFrame->GetWindowText(text);
        texts += "main: " + text + "\n";
        for (POSITION pos = pMainFrame->m_QueryFrames.GetHeadPosition(); pos != nullptr;) {
            auto* pWindow = static_cast<CChildFrame*>(pMainFrame->m_QueryFrames.GetNext(pos));
            pWindow->GetWindowText(text);
            texts += "query window: " + text + "\n";
        }
        texts += "connections: " + pMainFrame->m_strConnCountText + "\n";
        m_strLastWindowTexts = texts;
    }
    return CWinApp::OnIdle(lCount);
}

int CTarnwickApp::ExitInstance()
{
    if (const char* lpszFile = std::getenv(kWindowTextsVariable); lpszFile != nullptr && *lpszFile) {
        if (std::FILE* pFile = std::fopen(lpszFile, "w")) {
            std::fputs(m_strLastWindowTexts, pFile);
            std::fclose(pFile);
        }
    }
    if (m_bSettingsLoaded)
        CXMLSettings::SaveToFile(FALSE, kSettingsFile);
    KtvCleanUp();
    m_bComModuleInited = FALSE;
    return CWinApp::ExitInstance();
}

void CTarnwickApp::PreLoadState()
{
    if (CKtvPMouseManager* pMouse = GetMouseManager())
        pMouse->AddView(130, "My view", 130);
    if (CKtvPContextMenuManager* pMenus = GetContextMenuManager())
        pMenus->AddMenu("My menu", 133);
}

void CTarnwickApp::OnAppAbout()
{
    CAboutDlg dlg(m_pMainWnd);
    dlg.DoModal();
}

CDocument* CTarnwickApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    CWaitCursor wait;
    auto* pMainFrame = dynamic_cast<CMDIFrameWnd*>(m_pMainWnd);
    CMDIChildWnd* pChild = pMainFrame ? pMainFrame->MDIGetActive() : nullptr;
    CDocument* pDoc = pChild ? pChild->GetActiveDocument() : nullptr;
    // Only a query document takes a script in: a tool, designer or
    // repository window keeps its own, and the file gets a query window.
    if (pDoc != nullptr && m_pQueryTemplate != nullptr && pDoc->GetDocTemplate() == m_pQueryTemplate &&
        pDoc->SaveModified() && pDoc->OnOpenDocument(lpszFileName))
        pDoc->SetPathName(lpszFileName);

    // Finds the document that now has this path and brings its window
    // forward, or opens the file in a new window.
    CDocument* pOpened = CWinApp::OpenDocumentFile(lpszFileName);
    if (pOpened == nullptr && GetFirstDocTemplatePosition() == nullptr) {
        CString message;
        message.Format("Tarnwick cannot open \"%s\": there is no window yet that shows scripts.", lpszFileName);
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    }
    return pOpened;
}
