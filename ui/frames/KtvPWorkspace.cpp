#include "ui/frames/KtvPWorkspace.h"

#include "platform/mfc/CDockState.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWinThread.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPMouseManager.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPFrameWnd.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPMDIFrameWnd.h"
#include "ui/frames/KtvPRebarState.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvPShellManager.h"
#include "ui/frames/KtvRegPath.h"

BOOL g_bKtvRegisterCmdImages = TRUE;
BOOL g_bKtvLoadingBars = FALSE;

namespace {

CKtvPWorkspace* g_pWorkspace = nullptr;

// The library version written with every save; a stored version only tells
// that a layout was saved before.
constexpr int kVersionMajor = 6;
constexpr int kVersionMinor = 74;

const char kVersionKey[] = "KtvControlBarVersion";
const char kPlacementKey[] = "WindowPlacement";

CFrameWnd* FrameOf(CKtvPFrameImpl* pFrameImpl)
{
    return pFrameImpl != nullptr ? pFrameImpl->m_pFrame : nullptr;
}

// The toolbars of the global list whose window still has its object and,
// when asked, whose top-level frame is the given one.
template <typename Visit>
void ForEachLiveToolbar(CFrameWnd* pOwnFrame, Visit visit)
{
    const CObList& toolbars = CKtvPToolBar::GetAllToolbars();
    for (POSITION pos = toolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pToolBar = static_cast<CKtvPToolBar*>(toolbars.GetNext(pos));
        if (CWnd::FromHandlePermanent(pToolBar->GetSafeHwnd()) == nullptr)
            continue;
        if (pOwnFrame != nullptr && pToolBar->GetTopLevelFrame() != pOwnFrame)
            continue;
        visit(pToolBar);
    }
}

}  // namespace

CKtvPWorkspace* KtvGetWorkspace()
{
    return g_pWorkspace;
}

CKtvPWorkspace::CKtvPWorkspace(BOOL bResourceSmartUpdate)
    : m_bWithUserToolbars(TRUE),
      m_strSettingsSection("KtvWorkspace"),
      m_bKeyboardManagerCreated(FALSE),
      m_bContextMenuManagerCreated(FALSE),
      m_bMouseManagerCreated(FALSE),
      m_bUserToolsManagerCreated(FALSE),
      m_bShellManagerCreated(FALSE),
      m_nLoadedVersionMajor(-1),
      m_nLoadedVersionMinor(-1),
      m_bOwnFrameToolbarsOnly(FALSE),
      m_bSaveState(TRUE),
      m_bResourceSmartUpdate(bResourceSmartUpdate),
      m_bForceRelayout(FALSE)
{
    g_pWorkspace = this;
}

CKtvPWorkspace::~CKtvPWorkspace()
{
    if (g_pWorkspace == this)
        g_pWorkspace = nullptr;
    if (m_bKeyboardManagerCreated) {
        delete g_pKeyboardManager;
        g_pKeyboardManager = nullptr;
    }
    if (m_bContextMenuManagerCreated) {
        delete g_pContextMenuManager;
        g_pContextMenuManager = nullptr;
    }
    if (m_bMouseManagerCreated) {
        delete g_pMouseManager;
        g_pMouseManager = nullptr;
    }
    if (m_bUserToolsManagerCreated) {
        delete g_pUserToolsManager;
        g_pUserToolsManager = nullptr;
    }
    if (m_bShellManagerCreated) {
        delete g_pShellManager;
        g_pShellManager = nullptr;
    }
}

void CKtvPWorkspace::OnReservedWorkspaceHook(void*) {}

// --- the whole state ---------------------------------------------------------------------------------

BOOL CKtvPWorkspace::LoadState(LPCTSTR lpszSectionName, CKtvPFrameImpl* pFrameImpl)
{
    if (lpszSectionName != nullptr)
        m_strSettingsSection = lpszSectionName;
    const CString strBase = GetRegSectionPath();
    CFrameWnd* pFrame = FrameOf(pFrameImpl);

    PreLoadState();

    // The docking layout is loaded only when this very store says one was
    // saved, so a load after CleanState behaves like the first run.
    BOOL bLayoutStored = FALSE;
    {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
        if (reg.Open(strBase + kVersionKey)) {
            int nMajor = -1;
            int nMinor = -1;
            const BOOL bMajor = reg.Read("Major", nMajor);
            const BOOL bMinor = reg.Read("Minor", nMinor);
            if (bMajor)
                m_nLoadedVersionMajor = nMajor;
            if (bMinor)
                m_nLoadedVersionMinor = nMinor;
            bLayoutStored = bMajor && bMinor && nMajor != -1 && nMinor != -1;
        }
    }

    CKtvPToolBar::LoadParameters(strBase);
    if (CKtvPCommandManager* pCommandManager = GetCmdMgr())
        pCommandManager->LoadState(strBase);
    if (m_bResourceSmartUpdate)
        g_bKtvRegisterCmdImages = FALSE;

    BOOL bResourcesChanged = FALSE;
    if (pFrameImpl != nullptr) {
        if (pFrame != nullptr)
            CKtvPRebarState::LoadRebarState(strBase, pFrame);

        const BOOL bLoadingBarsWas = g_bKtvLoadingBars;
        g_bKtvLoadingBars = TRUE;
        ForEachLiveToolbar(m_bOwnFrameToolbarsOnly ? pFrame : nullptr, [&](CKtvPToolBar* pToolBar) {
            if (pToolBar->IsFloating())
                return;
            pToolBar->LoadState(strBase, -1, (UINT)-1);
            if (pToolBar->IsOriginalItemsChanged())
                bResourcesChanged = TRUE;
        });
        if (m_bWithUserToolbars)
            pFrameImpl->LoadUserToolbars();
        pFrameImpl->LoadTearOffMenus();
        g_bKtvLoadingBars = bLoadingBarsWas;

        // The framework keeps no bars of its own, so its dock state is not
        // read; the frame gets an empty one.
        if (bLayoutStored) {
            pFrameImpl->LoadDockManagerState(strBase);
            CDockState dockState;
            pFrameImpl->SetDockManagerState(dockState);
        }
    }

    if (g_pMouseManager != nullptr)
        g_pMouseManager->LoadState(strBase);
    if (g_pContextMenuManager != nullptr)
        g_pContextMenuManager->LoadState(strBase);
    if (g_pKeyboardManager != nullptr)
        g_pKeyboardManager->LoadState(strBase, pFrame);
    if (g_pUserToolsManager != nullptr)
        g_pUserToolsManager->LoadState(strBase);

    if (m_bResourceSmartUpdate)
        g_bKtvRegisterCmdImages = TRUE;

    if (m_bForceRelayout || (m_bResourceSmartUpdate && bResourcesChanged)) {
        ForEachLiveToolbar(nullptr, [](CKtvPToolBar* pToolBar) { pToolBar->ResetAllImages(); });
        if (pFrame != nullptr)
            pFrame->RecalcLayout(TRUE);
    }

    LoadCustomState();

    m_nLoadedVersionMajor = kVersionMajor;
    m_nLoadedVersionMinor = kVersionMinor;
    return TRUE;
}

BOOL CKtvPWorkspace::CleanState(LPCTSTR lpszSectionName)
{
    if (lpszSectionName != nullptr)
        m_strSettingsSection = lpszSectionName;
    CKtvPRegistryFactory factory;
    return factory.Create(FALSE, FALSE).DeleteKey(GetRegSectionPath(), FALSE);
}

BOOL CKtvPWorkspace::SaveState(LPCTSTR lpszSectionName, CKtvPFrameImpl* pFrameImpl)
{
    if (!m_bSaveState)
        return FALSE;
    if (lpszSectionName != nullptr)
        m_strSettingsSection = lpszSectionName;
    const CString strBase = GetRegSectionPath();
    CFrameWnd* pFrame = FrameOf(pFrameImpl);

    PreSaveState();

    {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
        if (reg.CreateKey(strBase + kVersionKey)) {
            reg.Write("Major", kVersionMajor);
            reg.Write("Minor", kVersionMinor);
        }
    }

    CKtvPToolBar::SaveParameters(strBase);
    if (CKtvPCommandManager* pCommandManager = GetCmdMgr())
        pCommandManager->SaveState(strBase);

    if (pFrameImpl != nullptr) {
        pFrameImpl->SaveDockManagerState(strBase);
        ForEachLiveToolbar(m_bOwnFrameToolbarsOnly ? pFrame : nullptr,
                           [&](CKtvPToolBar* pToolBar) { pToolBar->SaveState(strBase, -1, (UINT)-1); });
        pFrameImpl->SaveUserToolbars(m_bOwnFrameToolbarsOnly);
        pFrameImpl->SaveTearOffMenus(m_bOwnFrameToolbarsOnly);
        if (pFrame != nullptr)
            CKtvPRebarState::SaveRebarState(strBase, pFrame);
    }

    if (CKtvPToolBar::m_pUserImages != nullptr)
        CKtvPToolBar::m_pUserImages->Save();

    if (g_pMouseManager != nullptr)
        g_pMouseManager->SaveState(strBase);
    if (g_pContextMenuManager != nullptr)
        g_pContextMenuManager->SaveState(strBase);
    if (g_pKeyboardManager != nullptr)
        g_pKeyboardManager->SaveState(strBase, pFrame);
    if (g_pUserToolsManager != nullptr)
        g_pUserToolsManager->SaveState(strBase);

    SaveCustomState();
    return TRUE;
}

// --- hooks for the frames and views -------------------------------------------------------------------

BOOL CKtvPWorkspace::OnViewDoubleClick(CWnd* pWnd, int iViewId)
{
    if (g_pMouseManager == nullptr)
        return FALSE;
    const UINT uiCmd = g_pMouseManager->GetViewDblClickCommand(iViewId);
    if (uiCmd == 0 || uiCmd == (UINT)-1) {
        ::MessageBeep((UINT)-1);
        return FALSE;
    }
    if (g_pUserToolsManager != nullptr && g_pUserToolsManager->FindTool(uiCmd) != nullptr)
        return g_pUserToolsManager->InvokeTool(uiCmd);

    CWnd* pTarget = nullptr;
    if (pWnd != nullptr)
        pTarget = g_pKtvTopLevelFrameOverride != nullptr ? g_pKtvTopLevelFrameOverride : pWnd->GetTopLevelFrame();
    else if (CWinThread* pThread = AfxGetThread())
        pTarget = pThread->m_pMainWnd;
    // With no frame to run it the command is not run, and the caller hears so.
    if (pTarget == nullptr || pTarget->GetSafeHwnd() == nullptr)
        return FALSE;
    pTarget->SendMessage(WM_COMMAND, uiCmd, 0);
    return TRUE;
}

BOOL CKtvPWorkspace::ShowPopupMenu(UINT uiMenuResId, const CPoint& point, CWnd* pWnd)
{
    if (g_pContextMenuManager == nullptr)
        return FALSE;
    return g_pContextMenuManager->ShowPopupMenu(uiMenuResId, point.x, point.y, pWnd, FALSE, FALSE);
}

BOOL CKtvPWorkspace::OnAppContextHelp(CWnd* pWndControl, const DWORD dwHelpIDArray[])
{
    CWinApp* pApp = AfxGetApp();
    return ::WinHelp(pWndControl != nullptr ? pWndControl->GetSafeHwnd() : nullptr,
                     pApp != nullptr ? pApp->m_pszHelpFilePath : nullptr, HELP_CONTEXTMENU,
                     reinterpret_cast<ULONG_PTR>(dwHelpIDArray));
}

BOOL CKtvPWorkspace::OnClosingMainFrame(CKtvPFrameImpl* pFrameImpl)
{
    return SaveState(nullptr, pFrameImpl);
}

void CKtvPWorkspace::PreLoadState() {}

void CKtvPWorkspace::LoadCustomState() {}

void CKtvPWorkspace::PreSaveState() {}

void CKtvPWorkspace::SaveCustomState() {}

// --- the main window's placement -----------------------------------------------------------------------

BOOL CKtvPWorkspace::LoadWindowPlacement(CRect& rectNormalPosition, int& nFlags, int& nShowCmd)
{
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
    if (!reg.Open(GetRegSectionPath(kPlacementKey)))
        return FALSE;
    return reg.Read("MainWindowRect", rectNormalPosition) && reg.Read("Flags", nFlags) &&
           reg.Read("ShowCmd", nShowCmd);
}

BOOL CKtvPWorkspace::StoreWindowPlacement(const CRect& rectNormalPosition, int nFlags, int nShowCmd)
{
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
    if (!reg.CreateKey(GetRegSectionPath(kPlacementKey)))
        return FALSE;
    return reg.Write("MainWindowRect", rectNormalPosition) && reg.Write("Flags", nFlags) &&
           reg.Write("ShowCmd", nShowCmd);
}

// --- sections and managers -----------------------------------------------------------------------------

LPCTSTR CKtvPWorkspace::SetRegistryBase(LPCTSTR lpszSectionName)
{
    m_strSettingsSection = lpszSectionName != nullptr ? lpszSectionName : "";
    return m_strSettingsSection;
}

BOOL CKtvPWorkspace::InitShellManager()
{
    if (g_pShellManager != nullptr)
        return FALSE;
    new CKtvPShellManager;
    m_bShellManagerCreated = TRUE;
    return TRUE;
}

BOOL CKtvPWorkspace::InitMouseManager()
{
    if (g_pMouseManager != nullptr)
        return FALSE;
    new CKtvPMouseManager;
    m_bMouseManagerCreated = TRUE;
    return TRUE;
}

BOOL CKtvPWorkspace::InitContextMenuManager()
{
    if (g_pContextMenuManager != nullptr)
        return FALSE;
    new CKtvPContextMenuManager;
    m_bContextMenuManagerCreated = TRUE;
    return TRUE;
}

BOOL CKtvPWorkspace::InitKeyboardManager()
{
    if (g_pKeyboardManager != nullptr)
        return FALSE;
    new CKtvPKeyboardManager;
    m_bKeyboardManagerCreated = TRUE;
    return TRUE;
}

BOOL CKtvPWorkspace::EnableUserTools(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast, CRuntimeClass* pToolRTC,
                                     UINT uArgMenuID, UINT uInitDirMenuID)
{
    if (g_pUserToolsManager != nullptr)
        return FALSE;
    new CKtvPUserToolsManager(uiCmdToolsDummy, uiCmdFirst, uiCmdLast, pToolRTC, uArgMenuID, uInitDirMenuID);
    m_bUserToolsManagerCreated = TRUE;
    return TRUE;
}

CKtvPMouseManager* CKtvPWorkspace::GetMouseManager()
{
    if (g_pMouseManager == nullptr)
        InitMouseManager();
    return g_pMouseManager;
}

CKtvPContextMenuManager* CKtvPWorkspace::GetContextMenuManager()
{
    if (g_pContextMenuManager == nullptr)
        InitContextMenuManager();
    return g_pContextMenuManager;
}

CString CKtvPWorkspace::GetRegSectionPath(LPCTSTR szSectionAdd)
{
    CString strPath = KtvGetRegPath(m_strSettingsSection);
    if (szSectionAdd != nullptr && *szSectionAdd != '\0') {
        strPath += szSectionAdd;
        strPath += '\\';
    }
    return strPath;
}

BOOL CKtvPWorkspace::LoadStateOfMDIFrame(CKtvPMDIFrameWnd& frame, LPCTSTR lpszSectionName)
{
    return LoadState(lpszSectionName, frame.GetFrameImpl());
}

BOOL CKtvPWorkspace::LoadStateOfFrame(CKtvPFrameWnd& frame, LPCTSTR lpszSectionName)
{
    return LoadState(lpszSectionName, frame.GetFrameImpl());
}

// --- single settings of the program's options ----------------------------------------------------------

int CKtvPWorkspace::GetSectionInt(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, int nDefault)
{
    int nValue = nDefault;
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
    if (reg.Open(GetRegSectionPath(lpszSubSection)) && !reg.Read(lpszEntry, nValue))
        nValue = nDefault;
    return nValue;
}

CString CKtvPWorkspace::GetSectionString(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString strValue = lpszDefault != nullptr ? lpszDefault : "";
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
    // The registry empties a string it cannot read; the caller's default stays instead.
    CString strRead;
    if (reg.Open(GetRegSectionPath(lpszSubSection)) && reg.Read(lpszEntry, strRead))
        strValue = strRead;
    return strValue;
}

BOOL CKtvPWorkspace::WriteSectionInt(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, int nValue)
{
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
    return reg.CreateKey(GetRegSectionPath(lpszSubSection)) && reg.Write(lpszEntry, nValue);
}

BOOL CKtvPWorkspace::WriteSectionString(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
    return reg.CreateKey(GetRegSectionPath(lpszSubSection)) && reg.Write(lpszEntry, lpszValue);
}
