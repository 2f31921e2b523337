#include "ui/commandbars/KtvPUserTool.h"

#include "resources/resource.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CKtvPUserTool, CObject, VERSIONABLE_SCHEMA | 1)

CKtvPUserToolsManager* g_pUserToolsManager = nullptr;

CKtvPUserTool::CKtvPUserTool() = default;

CKtvPUserTool::~CKtvPUserTool()
{
    // Destroying the icon is the tool's own step.
    if (m_hIcon != nullptr)
        KTVP_NOT_BUILT("CKtvPUserTool::~CKtvPUserTool");
}

void CKtvPUserTool::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPUserTool::Serialize"); }

BOOL CKtvPUserTool::Invoke() { KTVP_NOT_BUILT("CKtvPUserTool::Invoke"); }

HICON CKtvPUserTool::LoadIcon() { KTVP_NOT_BUILT("CKtvPUserTool::LoadIcon"); }

HICON CKtvPUserTool::LoadDefaultIcon() { KTVP_NOT_BUILT("CKtvPUserTool::LoadDefaultIcon"); }

void CKtvPUserTool::DestroyIcon() { KTVP_NOT_BUILT("CKtvPUserTool::DestroyIcon"); }

void CKtvPUserTool::SetCommand(LPCTSTR) { KTVP_NOT_BUILT("CKtvPUserTool::SetCommand"); }

void CKtvPUserTool::DrawToolIcon(CDC*, const CRect&) { KTVP_NOT_BUILT("CKtvPUserTool::DrawToolIcon"); }

BOOL CKtvPUserTool::CopyIconToClipboard() { KTVP_NOT_BUILT("CKtvPUserTool::CopyIconToClipboard"); }

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
    while (!m_lstUserTools.IsEmpty())
        delete m_lstUserTools.RemoveHead();
    g_pUserToolsManager = nullptr;
}

BOOL CKtvPUserToolsManager::LoadState(LPCTSTR) { KTVP_NOT_BUILT("CKtvPUserToolsManager::LoadState"); }

BOOL CKtvPUserToolsManager::SaveState(LPCTSTR) { KTVP_NOT_BUILT("CKtvPUserToolsManager::SaveState"); }

CKtvPUserTool* CKtvPUserToolsManager::CreateNewTool() { KTVP_NOT_BUILT("CKtvPUserToolsManager::CreateNewTool"); }

BOOL CKtvPUserToolsManager::RemoveTool(CKtvPUserTool*) { KTVP_NOT_BUILT("CKtvPUserToolsManager::RemoveTool"); }

BOOL CKtvPUserToolsManager::MoveToolUp(CKtvPUserTool*) { KTVP_NOT_BUILT("CKtvPUserToolsManager::MoveToolUp"); }

BOOL CKtvPUserToolsManager::MoveToolDown(CKtvPUserTool*) { KTVP_NOT_BUILT("CKtvPUserToolsManager::MoveToolDown"); }

CKtvPUserTool* CKtvPUserToolsManager::FindTool(UINT) const { KTVP_NOT_BUILT("CKtvPUserToolsManager::FindTool"); }

BOOL CKtvPUserToolsManager::InvokeTool(UINT) { KTVP_NOT_BUILT("CKtvPUserToolsManager::InvokeTool"); }
