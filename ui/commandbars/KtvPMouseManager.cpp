#include "ui/commandbars/KtvPMouseManager.h"

#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CKtvPMouseManager, CObject, 1)

CKtvPMouseManager* g_pMouseManager = nullptr;

CKtvPMouseManager::CKtvPMouseManager() : m_ViewsNames(10), m_ViewsToCommands(10), m_ViewsToIcons(10)
{
    g_pMouseManager = this;
}

CKtvPMouseManager::~CKtvPMouseManager() { g_pMouseManager = nullptr; }

void CKtvPMouseManager::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPMouseManager::Serialize"); }

BOOL CKtvPMouseManager::AddView(int, LPCTSTR, UINT) { KTVP_NOT_BUILT("CKtvPMouseManager::AddView"); }

void CKtvPMouseManager::GetViewNames(CStringList&) const { KTVP_NOT_BUILT("CKtvPMouseManager::GetViewNames"); }

int CKtvPMouseManager::GetViewIdByName(LPCTSTR) const { KTVP_NOT_BUILT("CKtvPMouseManager::GetViewIdByName"); }

UINT CKtvPMouseManager::GetViewIconId(int) const { KTVP_NOT_BUILT("CKtvPMouseManager::GetViewIconId"); }

UINT CKtvPMouseManager::GetViewDblClickCommand(int) const
{
    KTVP_NOT_BUILT("CKtvPMouseManager::GetViewDblClickCommand");
}

void CKtvPMouseManager::SetCommandForDblClick(int, UINT)
{
    KTVP_NOT_BUILT("CKtvPMouseManager::SetCommandForDblClick");
}

BOOL CKtvPMouseManager::LoadState(LPCTSTR) { KTVP_NOT_BUILT("CKtvPMouseManager::LoadState"); }

BOOL CKtvPMouseManager::SaveState(LPCTSTR) { KTVP_NOT_BUILT("CKtvPMouseManager::SaveState"); }
