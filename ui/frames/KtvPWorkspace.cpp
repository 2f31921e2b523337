#include "ui/frames/KtvPWorkspace.h"

#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPMouseManager.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPNotBuilt.h"
#include "ui/frames/KtvPShellManager.h"

BOOL g_bKtvRegisterCmdImages = TRUE;
BOOL g_bKtvLoadingBars = FALSE;

namespace {

CKtvPWorkspace* g_pWorkspace = nullptr;

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

BOOL CKtvPWorkspace::LoadState(LPCTSTR, CKtvPFrameImpl*)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::LoadState");
}

BOOL CKtvPWorkspace::CleanState(LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::CleanState");
}

BOOL CKtvPWorkspace::SaveState(LPCTSTR, CKtvPFrameImpl*)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::SaveState");
}

BOOL CKtvPWorkspace::OnViewDoubleClick(CWnd*, int)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::OnViewDoubleClick");
}

BOOL CKtvPWorkspace::ShowPopupMenu(UINT, const CPoint&, CWnd*)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::ShowPopupMenu");
}

BOOL CKtvPWorkspace::OnAppContextHelp(CWnd*, const DWORD[])
{
    KTVP_NOT_BUILT("CKtvPWorkspace::OnAppContextHelp");
}

BOOL CKtvPWorkspace::OnClosingMainFrame(CKtvPFrameImpl*)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::OnClosingMainFrame");
}

void CKtvPWorkspace::PreLoadState() {}

void CKtvPWorkspace::LoadCustomState() {}

void CKtvPWorkspace::PreSaveState() {}

void CKtvPWorkspace::SaveCustomState() {}

BOOL CKtvPWorkspace::LoadWindowPlacement(CRect&, int&, int&)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::LoadWindowPlacement");
}

BOOL CKtvPWorkspace::StoreWindowPlacement(const CRect&, int, int)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::StoreWindowPlacement");
}

LPCTSTR CKtvPWorkspace::SetRegistryBase(LPCTSTR lpszSectionName)
{
    m_strSettingsSection = lpszSectionName != nullptr ? lpszSectionName : "";
    return m_strSettingsSection;
}

BOOL CKtvPWorkspace::InitShellManager()
{
    KTVP_NOT_BUILT("CKtvPWorkspace::InitShellManager");
}

BOOL CKtvPWorkspace::InitMouseManager()
{
    KTVP_NOT_BUILT("CKtvPWorkspace::InitMouseManager");
}

BOOL CKtvPWorkspace::InitContextMenuManager()
{
    KTVP_NOT_BUILT("CKtvPWorkspace::InitContextMenuManager");
}

BOOL CKtvPWorkspace::InitKeyboardManager()
{
    KTVP_NOT_BUILT("CKtvPWorkspace::InitKeyboardManager");
}

BOOL CKtvPWorkspace::EnableUserTools(UINT, UINT, UINT, CRuntimeClass*, UINT, UINT)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::EnableUserTools");
}

CKtvPMouseManager* CKtvPWorkspace::GetMouseManager()
{
    KTVP_NOT_BUILT("CKtvPWorkspace::GetMouseManager");
}

CKtvPContextMenuManager* CKtvPWorkspace::GetContextMenuManager()
{
    KTVP_NOT_BUILT("CKtvPWorkspace::GetContextMenuManager");
}

CString CKtvPWorkspace::GetRegSectionPath(LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::GetRegSectionPath");
}

BOOL CKtvPWorkspace::LoadStateOfMDIFrame(CKtvPMDIFrameWnd&, LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::LoadStateOfMDIFrame");
}

BOOL CKtvPWorkspace::LoadStateOfFrame(CKtvPFrameWnd&, LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::LoadStateOfFrame");
}

int CKtvPWorkspace::GetSectionInt(LPCTSTR, LPCTSTR, int)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::GetSectionInt");
}

CString CKtvPWorkspace::GetSectionString(LPCTSTR, LPCTSTR, LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::GetSectionString");
}

BOOL CKtvPWorkspace::WriteSectionInt(LPCTSTR, LPCTSTR, int)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::WriteSectionInt");
}

BOOL CKtvPWorkspace::WriteSectionString(LPCTSTR, LPCTSTR, LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPWorkspace::WriteSectionString");
}
