#include "ui/commandbars/KtvPUserTool.h"

#include <algorithm>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWnd.h"
#include "platform/shell/shellapi.h"
#include "platform/win32/dialog/windlg.h"
#include "platform/win32/kernel/ErrorText.h"
#include "platform/win32/kernel/Files.h"
#include "platform/win32/kernel/Process.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvRegPath.h"

IMPLEMENT_SERIAL(CKtvPUserTool, CObject, VERSIONABLE_SCHEMA | 1)

CKtvPUserToolsManager* g_pUserToolsManager = nullptr;

namespace {

constexpr LPCTSTR kToolsSection = _T("KtvUserToolsManager");
constexpr LPCTSTR kToolsValue = _T("Tools");
constexpr DWORD kSearchBuffer = 260;

// The smallest stored tool: a class reference, four empty strings and the id.
constexpr ULONGLONG kMinStoredToolBytes = 2 + 4 + 4;

HWND MainWindow()
{
    CWnd* pMain = AfxGetMainWnd();
    return pMain != nullptr ? pMain->GetSafeHwnd() : nullptr;
}

// A bare program name is looked for along the search path; anything with a
// folder or a drive is taken as it is written.
CString ResolveCommandPath(const CString& strCommand)
{
    if (strCommand.FindOneOf(_T("\\/:")) >= 0)
        return strCommand;
    TCHAR szPath[kSearchBuffer] = {};
    const DWORD nLength = ::SearchPath(nullptr, strCommand, nullptr, kSearchBuffer, szPath, nullptr);
    if (nLength == 0 || nLength >= kSearchBuffer)
        return CString();
    return CString(szPath);
}

CString SystemReason(DWORD dwError)
{
    TCHAR szText[512] = {};
    if (::FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, dwError, 0, szText,
                        sizeof(szText), nullptr) == 0) {
        CString strCode;
        strCode.Format(_T("Error %lu."), static_cast<unsigned long>(dwError));
        return strCode;
    }
    CString strText(szText);
    strText.TrimRight();
    return strText;
}

BOOL StartProgram(const CString& strProgram, const CString& strArguments, LPCTSTR lpszDirectory)
{
    CString strCommandLine;
    strCommandLine.Format(_T("\"%s\" %s"), static_cast<LPCTSTR>(strProgram), static_cast<LPCTSTR>(strArguments));
    STARTUPINFO si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcess(strProgram, strCommandLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, lpszDirectory,
                         &si, &pi)) {
        strCommandLine.ReleaseBuffer();
        return FALSE;
    }
    strCommandLine.ReleaseBuffer();
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return TRUE;
}

// The stored list: the count, then each tool with its class record. Reading
// makes tools of the manager's class only, each with an id of the range that
// no earlier tool has; anything else is damage and throws.
class CStoredTools : public CObject {
public:
    CStoredTools(CObList& lstTools, const CKtvPUserToolsManager& manager) : m_lstTools(lstTools), m_manager(manager) {}

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            m_lstTools.Serialize(ar);
            return;
        }
        const DWORD_PTR nCount = ar.ReadCount();
        ar.CheckCount(nCount, kMinStoredToolBytes);
        for (DWORD_PTR i = 0; i < nCount; i++) {
            auto* pTool = static_cast<CKtvPUserTool*>(ar.ReadObject(m_manager.GetToolRuntimeClass()));
            if (pTool == nullptr)
                AfxThrowArchiveException(CArchiveException::badClass);
            m_lstTools.AddTail(pTool);
            if (!IsFreeId(pTool))
                AfxThrowArchiveException(CArchiveException::badIndex);
        }
    }

private:
    BOOL IsFreeId(const CKtvPUserTool* pTool) const
    {
        const UINT uiId = pTool->m_uiCmdId;
        if (uiId < m_manager.GetFirstCmdId() || uiId > m_manager.GetLastCmdId())
            return FALSE;
        for (POSITION pos = m_lstTools.GetHeadPosition(); pos != nullptr;) {
            const auto* pOther = static_cast<const CKtvPUserTool*>(m_lstTools.GetNext(pos));
            if (pOther != pTool && pOther->m_uiCmdId == uiId)
                return FALSE;
        }
        return TRUE;
    }

    CObList& m_lstTools;
    const CKtvPUserToolsManager& m_manager;
};

void DeleteTools(CObList& lstTools)
{
    while (!lstTools.IsEmpty())
        delete lstTools.RemoveHead();
}

}  // namespace

// --- the tool ----------------------------------------------------------------------

CKtvPUserTool::CKtvPUserTool() = default;

CKtvPUserTool::~CKtvPUserTool() { DestroyIcon(); }

void CKtvPUserTool::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strLabel << m_strCommand << m_strArguments << m_strInitialDirectory << m_uiCmdId;
        return;
    }
    CString strCommand;
    ar >> m_strLabel >> strCommand >> m_strArguments >> m_strInitialDirectory >> m_uiCmdId;
    SetCommand(strCommand);
}

BOOL CKtvPUserTool::Invoke()
{
    if (!m_strCommand.IsEmpty()) {
        if (RunCommand())
            return TRUE;
    } else {
        ::SetLastError(ERROR_FILE_NOT_FOUND);
    }
    CString strMessage;
    strMessage.Format(_T("Can't run the tool \"%s\":\r\n%s"), static_cast<LPCTSTR>(m_strCommand),
                      static_cast<LPCTSTR>(SystemReason(::GetLastError())));
    AfxMessageBox(strMessage, MB_OK | MB_ICONSTOP);
    return FALSE;
}

BOOL CKtvPUserTool::RunCommand()
{
    LPCTSTR lpszDirectory = nullptr;
    if (!m_strInitialDirectory.IsEmpty()) {
        const DWORD dwAttributes = ::GetFileAttributes(m_strInitialDirectory);
        if (dwAttributes == INVALID_FILE_ATTRIBUTES || !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ::SetLastError(ERROR_DIRECTORY);
            return FALSE;
        }
        lpszDirectory = m_strInitialDirectory;
    }
    CString strPath = ResolveCommandPath(m_strCommand);
    if (strPath.IsEmpty())
        strPath = m_strCommand;
    DWORD dwBinaryType = 0;
    if (::GetBinaryType(strPath, &dwBinaryType))
        return StartProgram(strPath, m_strArguments, lpszDirectory);
    // Documents and addresses go to the shell, which refuses what it cannot open.
    const auto hResult = ::ShellExecute(MainWindow(), nullptr, strPath, m_strArguments, lpszDirectory, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(hResult) > 32;
}

HICON CKtvPUserTool::LoadIcon()
{
    const CString strPath = ResolveCommandPath(m_strCommand);
    if (strPath.IsEmpty())
        return LoadDefaultIcon();
    SHFILEINFO sfi{};
    if (::SHGetFileInfo(strPath, 0, &sfi, sizeof(sfi), SHGFI_ICON | SHGFI_SMALLICON | SHGFI_SHELLICONSIZE) == 0 ||
        sfi.hIcon == nullptr)
        return LoadDefaultIcon();
    return sfi.hIcon;
}

HICON CKtvPUserTool::LoadDefaultIcon() { return globalData.GetDefaultToolIcon(); }

void CKtvPUserTool::DestroyIcon()
{
    // The shared default icon is the global data's, never the tool's to destroy.
    if (m_hIcon != nullptr && m_hIcon != globalData.hiconDefaultTool)
        ::DestroyIcon(m_hIcon);
    m_hIcon = nullptr;
}

void CKtvPUserTool::SetCommand(LPCTSTR lpszCmd)
{
    if (m_strCommand == lpszCmd)
        return;
    m_strCommand = lpszCmd;
    DestroyIcon();
    m_hIcon = LoadIcon();
}

void CKtvPUserTool::DrawToolIcon(CDC* pDC, const CRect& rectImage)
{
    const CSize sizeIcon = globalData.m_sizeSmallIcon;
    const int x = std::max(0, (rectImage.Width() - sizeIcon.cx) / 2);
    const int y = std::max(0, (rectImage.Height() - sizeIcon.cy) / 2);
    ::DrawIconEx(pDC->GetSafeHdc(), rectImage.left + x, rectImage.top + y, m_hIcon, 0, 0, 0, nullptr, DI_NORMAL);
}

BOOL CKtvPUserTool::CopyIconToClipboard()
{
    try {
        CWindowDC dcScreen(nullptr);
        const CSize sizeIcon = globalData.m_sizeSmallIcon;
        CDC dcMem;
        CBitmap bitmap;
        if (!dcMem.CreateCompatibleDC(&dcScreen) ||
            !bitmap.CreateCompatibleBitmap(&dcScreen, sizeIcon.cx, sizeIcon.cy)) {
            AfxMessageBox(IDS_KTVP_CANNOT_COPY_IMAGE);
            return FALSE;
        }
        CBitmap* pOldBitmap = dcMem.SelectObject(&bitmap);
        const CRect rect(0, 0, sizeIcon.cx, sizeIcon.cy);
        dcMem.FillRect(rect, &globalData.brBtnFace);
        DrawToolIcon(&dcMem, rect);
        dcMem.SelectObject(pOldBitmap);

        if (!::OpenClipboard(MainWindow())) {
            AfxMessageBox(IDS_KTVP_CANNOT_COPY_IMAGE);
            return FALSE;
        }
        if (!::EmptyClipboard() || ::SetClipboardData(CF_BITMAP, bitmap.GetSafeHandle()) == nullptr) {
            ::CloseClipboard();
            AfxMessageBox(IDS_KTVP_CANNOT_COPY_IMAGE);
            return FALSE;
        }
        bitmap.Detach();  // the clipboard's from now on
        ::CloseClipboard();
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        AfxMessageBox(IDS_KTVP_INTERNAL_ERROR);
        return FALSE;
    }
}

// --- the manager ---------------------------------------------------------------------

CKtvPUserToolsManager::CKtvPUserToolsManager(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast,
                                             CRuntimeClass* pToolRTC, UINT uArgMenuID, UINT uInitDirMenuID)
    : m_lstUserTools(10),
      m_uiCmdToolsDummy(uiCmdToolsDummy),
      m_uiCmdFirst(uiCmdFirst),
      m_uiCmdLast(uiCmdLast),
      m_pToolRTC(pToolRTC),
      m_strDefExt(_T("*.exe")),
      m_uiArgumentsMenu(uArgMenuID),
      m_uiInitialDirMenu(uInitDirMenuID)
{
    m_strFilter.LoadString(IDS_KTVP_TOOLS_FILTER);
    g_pUserToolsManager = this;
}

CKtvPUserToolsManager::~CKtvPUserToolsManager()
{
    DeleteTools(m_lstUserTools);
    g_pUserToolsManager = nullptr;
}

BOOL CKtvPUserToolsManager::LoadState(LPCTSTR lpszProfileName)
{
    DeleteTools(m_lstUserTools);
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
    if (!reg.Open(KtvGetRegPath(kToolsSection, lpszProfileName)) || !reg.VerifyValue(kToolsValue))
        return FALSE;
    CObList lstLoaded(10);
    CStoredTools stored(lstLoaded, *this);
    if (!reg.Read(kToolsValue, stored)) {
        DeleteTools(lstLoaded);
        m_bKeepStoredTools = TRUE;
        return FALSE;
    }
    while (!lstLoaded.IsEmpty())
        m_lstUserTools.AddTail(lstLoaded.RemoveHead());
    m_bKeepStoredTools = FALSE;
    return TRUE;
}

BOOL CKtvPUserToolsManager::SaveState(LPCTSTR lpszProfileName)
{
    // The stored tools could not be read: they stay until the user edits the list.
    if (m_bKeepStoredTools)
        return TRUE;
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
    if (!reg.CreateKey(KtvGetRegPath(kToolsSection, lpszProfileName)))
        return FALSE;
    CStoredTools stored(m_lstUserTools, *this);
    return reg.Write(kToolsValue, stored);
}

CKtvPUserTool* CKtvPUserToolsManager::CreateNewTool()
{
    if (m_uiCmdFirst > m_uiCmdLast || static_cast<UINT>(m_lstUserTools.GetCount()) > m_uiCmdLast - m_uiCmdFirst)
        return nullptr;
    UINT uiId = m_uiCmdFirst;
    while (FindTool(uiId) != nullptr) {
        if (uiId == m_uiCmdLast)
            return nullptr;
        uiId++;
    }
    CObject* pObject = m_pToolRTC != nullptr ? m_pToolRTC->CreateObject() : nullptr;
    if (pObject == nullptr)
        return nullptr;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CKtvPUserTool))) {
        delete pObject;
        return nullptr;
    }
    auto* pTool = static_cast<CKtvPUserTool*>(pObject);
    pTool->m_uiCmdId = uiId;
    m_lstUserTools.AddTail(pTool);
    m_bKeepStoredTools = FALSE;
    return pTool;
}

BOOL CKtvPUserToolsManager::RemoveTool(CKtvPUserTool* pTool)
{
    POSITION pos = m_lstUserTools.Find(pTool);
    if (pos == nullptr)
        return FALSE;
    m_lstUserTools.RemoveAt(pos);
    const UINT uiCmd = pTool->m_uiCmdId;
    delete pTool;
    m_bKeepStoredTools = FALSE;

    // A removed tool leaves no button behind on any bar.
    const CObList& bars = CKtvPToolBar::GetAllToolbars();
    for (POSITION posBar = bars.GetHeadPosition(); posBar != nullptr;) {
        auto* pBar = static_cast<CKtvPToolBar*>(bars.GetNext(posBar));
        BOOL bRemoved = FALSE;
        for (int i = pBar->CommandToIndex(uiCmd); i >= 0; i = pBar->CommandToIndex(uiCmd)) {
            if (!pBar->RemoveButton(i))
                break;
            bRemoved = TRUE;
        }
        if (bRemoved)
            pBar->AdjustLayout();
    }
    return TRUE;
}

BOOL CKtvPUserToolsManager::MoveTool(CKtvPUserTool* pTool, BOOL bUp)
{
    POSITION pos = m_lstUserTools.Find(pTool);
    if (pos == nullptr)
        return FALSE;
    POSITION posOther = pos;
    if (bUp)
        m_lstUserTools.GetPrev(posOther);
    else
        m_lstUserTools.GetNext(posOther);
    if (posOther == nullptr)
        return FALSE;
    m_lstUserTools.SetAt(pos, m_lstUserTools.GetAt(posOther));
    m_lstUserTools.SetAt(posOther, pTool);
    m_bKeepStoredTools = FALSE;
    return TRUE;
}

BOOL CKtvPUserToolsManager::MoveToolUp(CKtvPUserTool* pTool) { return MoveTool(pTool, TRUE); }

BOOL CKtvPUserToolsManager::MoveToolDown(CKtvPUserTool* pTool) { return MoveTool(pTool, FALSE); }

CKtvPUserTool* CKtvPUserToolsManager::FindTool(UINT uiCmdId) const
{
    if (uiCmdId < m_uiCmdFirst || uiCmdId > m_uiCmdLast)
        return nullptr;
    for (POSITION pos = m_lstUserTools.GetHeadPosition(); pos != nullptr;) {
        auto* pTool = static_cast<CKtvPUserTool*>(m_lstUserTools.GetNext(pos));
        if (pTool->m_uiCmdId == uiCmdId)
            return pTool;
    }
    return nullptr;
}

BOOL CKtvPUserToolsManager::InvokeTool(UINT uiCmdId)
{
    CKtvPUserTool* pTool = FindTool(uiCmdId);
    if (pTool == nullptr)
        return FALSE;
    // A tool that cannot start has told the user why; the command is done either way.
    pTool->Invoke();
    return TRUE;
}
