#include "platform/mfc/CWinApp.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CPrintDialog.h"
#include "platform/mfc/CRecentFileList.h"
#include "platform/mfc/CWnd.h"
#include "platform/win32/dialog/windlg.h"
#include "platform/win32/kernel/kernel.h"
#include "platform/win32/registry/Registry.h"
#include "platform/win32/resource/ResourceLoader.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

namespace tw::mfc::app_detail {

std::atomic<CWinApp*> theApp{nullptr};
std::atomic<HINSTANCE> resourceHandle{nullptr};

// Replaces one of the application's heap strings.
void SetHeapString(LPCTSTR& target, LPCTSTR value)
{
    std::free(const_cast<char*>(target));
    target = value ? ::strdup(value) : nullptr;
}

CString ExeBaseName()
{
    char path[MAX_PATH] = {};
    if (!::GetModuleFileName(nullptr, path, MAX_PATH))
        return CString();
    CString name(path);
    const int slash = name.ReverseFind('/');
    if (slash >= 0)
        name = name.Mid(slash + 1);
    const int dot = name.ReverseFind('.');
    if (dot > 0)
        name = name.Left(dot);
    return name;
}

}  // namespace tw::mfc::app_detail

namespace app_detail = tw::mfc::app_detail;

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    app_detail::SetHeapString(m_pszAppName, lpszAppName);
    m_nThreadID = ::GetCurrentThreadId();
    m_bAutoDelete = FALSE;
    app_detail::theApp.store(this);
}

CWinApp::~CWinApp()
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    DeleteDocManager();
    CWinApp* expected = this;
    app_detail::theApp.compare_exchange_strong(expected, nullptr);
    for (LPCTSTR* field : {&m_pszAppName, &m_pszRegistryKey, &m_pszProfileName, &m_pszExeName, &m_pszHelpFilePath})
        app_detail::SetHeapString(*field, nullptr);
}

BOOL CWinApp::InitApplication()
{
    // The framework's error reports (file and archive errors) are message boxes from here on.
    tw::SetErrorBoxFunction(tw::ShowFrameworkErrorBox);
    if (!m_hInstance)
        m_hInstance = tw::ProgramInstance();
    if (!m_pszExeName)
        app_detail::SetHeapString(m_pszExeName, app_detail::ExeBaseName());
    if (!m_pszAppName) {
        CString title;
        if (!title.LoadString(AFX_IDS_APP_TITLE))
            title = m_pszExeName;
        app_detail::SetHeapString(m_pszAppName, title);
    }
    if (!m_pszProfileName)
        app_detail::SetHeapString(m_pszProfileName, m_pszAppName);
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    // Without a main window nothing could ever end the loop.
    if (!m_pMainWnd)
        ::PostQuitMessage(0);
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    // Settings are saved by a worker; the user hears of a failed save here, once.
    const std::string failure = tw::TakeRegistrySaveFailure();
    if (!failure.empty())
        tw::ShowErrorBox(failure.c_str(), MB_OK | MB_ICONEXCLAMATION, 0);
    return CWinThread::OnIdle(lCount);
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return CWinThread::ExitInstance();
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    HWND hWndOwner = ::GetActiveWindow();
    if (!hWndOwner)
        hWndOwner = CWnd::GetSafeHwndOf(AfxGetMainWnd());
    return ::MessageBox(hWndOwner, lpszPrompt, m_pszAppName, nType);
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pDlg)
{
    return CPrintDialog::GetAppPrinterDefaults(pDlg);
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog dlg(TRUE);
    // Without a printer the dialog itself says there is none.
    GetPrinterDeviceDefaults(&dlg.m_pd);
    if (dlg.DoModal() == IDOK)
        CPrintDialog::SetAppPrinter(dlg.m_pd);
}

void CWinApp::DoWaitCursor(int nCode)
{
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0) {
        HCURSOR hcurPrev = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = hcurPrev;
        return;
    }
    // More ends than begins: the count stays at zero rather than going negative.
    m_nWaitCursorCount = 0;
    ::SetCursor(m_hcurWaitCursorRestore);
}

namespace tw::mfc {

void ReportHelpUnavailable()
{
    CString prompt;
    if (!prompt.LoadString(AFX_IDP_FAILED_TO_LAUNCH_HELP))
        prompt = "Failed to launch help: there is no help engine on this system.";
    AfxMessageBox(prompt, MB_OK | MB_ICONEXCLAMATION, AFX_IDP_FAILED_TO_LAUNCH_HELP);
}

}  // namespace tw::mfc

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (CWnd* pMainWnd = AfxGetMainWnd()) {
        pMainWnd->WinHelp(dwData, nCmd);
        return;
    }
    if (!::WinHelp(nullptr, m_pszHelpFilePath, nCmd, dwData))
        tw::mfc::ReportHelpUnavailable();
}

void CWinApp::HtmlHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (CWnd* pMainWnd = AfxGetMainWnd()) {
        pMainWnd->HtmlHelp(dwData, nCmd);
        return;
    }
    if (!::HtmlHelp(nullptr, m_pszHelpFilePath, nCmd, dwData) && nCmd != HH_CLOSE_ALL)
        tw::mfc::ReportHelpUnavailable();
}

void CWinApp::OnHelp()
{
    auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pFrame && pFrame->m_bHelpMode != CFrameWnd::HELP_INACTIVE)
        return;  // F1 in help mode asks about the window under the pointer
    // The window with the focus, or the nearest of its parents, may give its own help.
    for (HWND hWnd = ::GetFocus(); hWnd; hWnd = ::GetParent(hWnd)) {
        if (::SendMessage(hWnd, WM_COMMANDHELP, 0, 0))
            return;
    }
    WinHelp(HID_BASE_RESOURCE + (pFrame ? pFrame->m_nIDHelp : 0), HELP_CONTEXT);
}

void CWinApp::OnHelpIndex()
{
    WinHelp(0, HELP_INDEX);
}

void CWinApp::OnHelpFinder()
{
    WinHelp(0, HELP_FINDER);
}

void CWinApp::OnHelpUsing()
{
    WinHelp(0, HELP_HELPONHELP);
}

void CWinApp::OnContextHelp()
{
    if (CWnd* pMainWnd = AfxGetMainWnd())
        pMainWnd->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
}

// --- settings ----------------------------------------------------------------------------------

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    app_detail::SetHeapString(m_pszRegistryKey, lpszRegistryKey);
    // The profile is named after the application, in the registry.
    app_detail::SetHeapString(m_pszProfileName, m_pszAppName ? m_pszAppName : m_pszExeName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    if (key.LoadString(nIDRegistryKey))
        SetRegistryKey(key);
}

HKEY CWinApp::OpenAppKey(bool bCreate)
{
    if (!m_pszRegistryKey || !m_pszProfileName)
        return nullptr;
    CString path;
    path.Format("Software\\%s\\%s", m_pszRegistryKey, m_pszProfileName);
    HKEY hKey = nullptr;
    const LSTATUS status = bCreate ? ::RegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                      KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr)
                                   : ::RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey);
    return status == ERROR_SUCCESS ? hKey : nullptr;
}

HKEY CWinApp::GetAppRegistryKey()
{
    return OpenAppKey(true);
}

HKEY CWinApp::OpenSectionKey(LPCTSTR lpszSection, bool bCreate)
{
    if (!lpszSection)
        return nullptr;
    HKEY hAppKey = OpenAppKey(bCreate);
    if (!hAppKey)
        return nullptr;
    HKEY hSectionKey = nullptr;
    const LSTATUS status = bCreate ? ::RegCreateKeyEx(hAppKey, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                      KEY_READ | KEY_WRITE, nullptr, &hSectionKey, nullptr)
                                   : ::RegOpenKeyEx(hAppKey, lpszSection, 0, KEY_READ, &hSectionKey);
    ::RegCloseKey(hAppKey);
    return status == ERROR_SUCCESS ? hSectionKey : nullptr;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    return OpenSectionKey(lpszSection, true);
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    // Reading never creates keys.
    HKEY hSection = OpenSectionKey(lpszSection, false);
    if (!hSection)
        return static_cast<UINT>(nDefault);
    DWORD dwValue = 0;
    DWORD dwType = 0;
    DWORD dwCount = sizeof dwValue;
    const LSTATUS status =
        ::RegQueryValueEx(hSection, lpszEntry, nullptr, &dwType, reinterpret_cast<LPBYTE>(&dwValue), &dwCount);
    ::RegCloseKey(hSection);
    if (status != ERROR_SUCCESS || dwType != REG_DWORD || dwCount != sizeof dwValue)
        return static_cast<UINT>(nDefault);
    return dwValue;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    const CString fallback(lpszDefault ? lpszDefault : "");
    HKEY hSection = OpenSectionKey(lpszSection, false);
    if (!hSection)
        return fallback;
    DWORD dwType = 0;
    DWORD dwCount = 0;
    LSTATUS status = ::RegQueryValueEx(hSection, lpszEntry, nullptr, &dwType, nullptr, &dwCount);
    CString value;
    if (status == ERROR_SUCCESS && dwType == REG_SZ) {
        LPTSTR buffer = value.GetBuffer(static_cast<int>(dwCount));
        status = ::RegQueryValueEx(hSection, lpszEntry, nullptr, &dwType, reinterpret_cast<LPBYTE>(buffer), &dwCount);
        buffer[dwCount] = '\0';
        value.ReleaseBuffer();
    }
    ::RegCloseKey(hSection);
    if (status != ERROR_SUCCESS || dwType != REG_SZ)
        return fallback;
    return value;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    HKEY hSection = OpenSectionKey(lpszSection, false);
    if (!hSection)
        return FALSE;
    DWORD dwType = 0;
    DWORD dwCount = 0;
    LSTATUS status = ::RegQueryValueEx(hSection, lpszEntry, nullptr, &dwType, nullptr, &dwCount);
    if (status == ERROR_SUCCESS && dwType == REG_BINARY) {
        auto* data = new BYTE[dwCount ? dwCount : 1];
        status = ::RegQueryValueEx(hSection, lpszEntry, nullptr, &dwType, data, &dwCount);
        if (status == ERROR_SUCCESS) {
            *ppData = data;
            *pBytes = dwCount;
        } else {
            delete[] data;
        }
    }
    ::RegCloseKey(hSection);
    return *ppData != nullptr;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    HKEY hSection = GetSectionKey(lpszSection);
    if (!hSection)
        return FALSE;
    const DWORD dwValue = static_cast<DWORD>(nValue);
    const LSTATUS status = ::RegSetValueEx(hSection, lpszEntry, 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&dwValue), sizeof dwValue);
    ::RegCloseKey(hSection);
    return status == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (!lpszSection)
        return FALSE;
    if (!lpszEntry) {
        HKEY hAppKey = OpenAppKey(false);
        if (!hAppKey)
            return FALSE;
        const LSTATUS status = ::RegDeleteKey(hAppKey, lpszSection);
        ::RegCloseKey(hAppKey);
        return status == ERROR_SUCCESS;
    }
    HKEY hSection = GetSectionKey(lpszSection);
    if (!hSection)
        return FALSE;
    LSTATUS status;
    if (!lpszValue)
        status = ::RegDeleteValue(hSection, lpszEntry);
    else
        status = ::RegSetValueEx(hSection, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                                 static_cast<DWORD>(std::strlen(lpszValue) + 1));
    ::RegCloseKey(hSection);
    return status == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    HKEY hSection = GetSectionKey(lpszSection);
    if (!hSection)
        return FALSE;
    const LSTATUS status = ::RegSetValueEx(hSection, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hSection);
    return status == ERROR_SUCCESS;
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursor(AfxGetResourceHandle(), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return LoadCursor(MAKEINTRESOURCE(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursor(nullptr, lpszCursorName);
}

// --- the application's globals ----------------------------------------------------------------------

CWinApp* AfxGetApp()
{
    return app_detail::theApp.load();
}

HINSTANCE AfxGetInstanceHandle()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_hInstance)
        return app->m_hInstance;
    return tw::ProgramInstance();
}

HINSTANCE AfxGetResourceHandle()
{
    if (HINSTANCE hResource = app_detail::resourceHandle.load())
        return hResource;
    return AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    app_detail::resourceHandle.store(hInstResource);
}

LPCTSTR AfxGetAppName()
{
    CWinApp* app = AfxGetApp();
    return app ? app->m_pszAppName : nullptr;
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* app = AfxGetApp())
        return app->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBox(::GetActiveWindow(), lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString prompt;
    // A blank box would tell the user nothing.
    if (!prompt.LoadString(nIDPrompt))
        return 0;
    if (nIDHelp == static_cast<UINT>(-1))
        nIDHelp = nIDPrompt;
    return AfxMessageBox(prompt, nType, nIDHelp);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = hInstance ? hInstance : tw::ProgramInstance();
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    if (!app->InitApplication())
        return app->ExitInstance();
    if (!app->InitInstance()) {
        if (app->m_pMainWnd)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

// --- the wait cursor ----------------------------------------------------------------------------------

CWaitCursor::CWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->BeginWaitCursor();
}

CWaitCursor::~CWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->EndWaitCursor();
}

void CWaitCursor::Restore()
{
    if (CWinApp* app = AfxGetApp())
        app->RestoreWaitCursor();
}
