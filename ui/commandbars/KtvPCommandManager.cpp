#include "ui/commandbars/KtvPCommandManager.h"

#include "ui/frames/KtvPNotBuilt.h"

namespace {
CKtvPCommandManager g_CmdManager;
}  // namespace

CKtvPCommandManager* GetCmdMgr() { return &g_CmdManager; }

int GetCmdImage(UINT uiCmd, BOOL bUserImage) { return GetCmdMgr()->GetCmdImage(uiCmd, bUserImage); }

CKtvPCommandManager::CKtvPCommandManager() : m_lstCommandsWithoutImages(10) {}
CKtvPCommandManager::~CKtvPCommandManager() = default;

void CKtvPCommandManager::SetCmdImage(UINT, int, BOOL) { KTVP_NOT_BUILT("CKtvPCommandManager::SetCmdImage"); }
int CKtvPCommandManager::GetCmdImage(UINT, BOOL) const { KTVP_NOT_BUILT("CKtvPCommandManager::GetCmdImage"); }
void CKtvPCommandManager::ClearCmdImage(UINT) { KTVP_NOT_BUILT("CKtvPCommandManager::ClearCmdImage"); }
void CKtvPCommandManager::ClearAllCmdImages() { KTVP_NOT_BUILT("CKtvPCommandManager::ClearAllCmdImages"); }

void CKtvPCommandManager::EnableMenuItemImage(UINT, BOOL)
{
    KTVP_NOT_BUILT("CKtvPCommandManager::EnableMenuItemImage");
}

BOOL CKtvPCommandManager::IsMenuItemWithoutImage(UINT) const
{
    KTVP_NOT_BUILT("CKtvPCommandManager::IsMenuItemWithoutImage");
}

BOOL CKtvPCommandManager::LoadState(LPCTSTR) { KTVP_NOT_BUILT("CKtvPCommandManager::LoadState"); }
BOOL CKtvPCommandManager::SaveState(LPCTSTR) { KTVP_NOT_BUILT("CKtvPCommandManager::SaveState"); }

const UINT CKtvPCommandUsage::m_nStartCount = 0;
const UINT CKtvPCommandUsage::m_nMinUsagePercentage = 5;

CKtvPCommandUsage::CKtvPCommandUsage() = default;
CKtvPCommandUsage::~CKtvPCommandUsage() = default;

void CKtvPCommandUsage::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPCommandUsage::Serialize"); }
void CKtvPCommandUsage::AddCmd(UINT) { KTVP_NOT_BUILT("CKtvPCommandUsage::AddCmd"); }
UINT CKtvPCommandUsage::GetCount(UINT) const { KTVP_NOT_BUILT("CKtvPCommandUsage::GetCount"); }
BOOL CKtvPCommandUsage::IsFrequentlyUsedCmd(UINT) const { KTVP_NOT_BUILT("CKtvPCommandUsage::IsFrequentlyUsedCmd"); }
BOOL CKtvPCommandUsage::HasEnoughInformation() const { KTVP_NOT_BUILT("CKtvPCommandUsage::HasEnoughInformation"); }
void CKtvPCommandUsage::Reset() { KTVP_NOT_BUILT("CKtvPCommandUsage::Reset"); }
