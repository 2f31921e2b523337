// The docking layout: saved as one binary value per frame, read into pending
// objects, then applied to the live bars.
#include "platform/mfc/CArchive.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/frames/KtvPNotBuilt.h"

KtvAutoHideBarInfo::KtvAutoHideBarInfo()
    : m_nBarID(-1),
      m_dwBarAlignment(0),
      m_bIsVisible(FALSE),
      m_bFirstInGroup(TRUE),
      m_bLastInGroup(TRUE),
      m_bActiveInGroup(TRUE),
      m_pSavedBar(nullptr)
{
}

KtvAutoHideBarInfo::KtvAutoHideBarInfo(const KtvAutoHideBarInfo& src) : CObject()
{
    *this = src;
}

KtvAutoHideBarInfo& KtvAutoHideBarInfo::operator=(const KtvAutoHideBarInfo& src)
{
    if (this == &src)
        return *this;
    m_nBarID = src.m_nBarID;
    m_dwBarAlignment = src.m_dwBarAlignment;
    m_bIsVisible = src.m_bIsVisible;
    m_lstSiblingBars.RemoveAll();
    m_lstSiblingBars.AddTail(const_cast<CList<UINT, UINT>*>(&src.m_lstSiblingBars));
    m_rectBar = src.m_rectBar;
    m_bFirstInGroup = src.m_bFirstInGroup;
    m_bLastInGroup = src.m_bLastInGroup;
    m_bActiveInGroup = src.m_bActiveInGroup;
    m_pSavedBar = src.m_pSavedBar;
    return *this;
}

KtvAutoHideBarInfo::~KtvAutoHideBarInfo() = default;

void KtvAutoHideBarInfo::Serialize(CArchive&) { KTVP_NOT_BUILT("KtvAutoHideBarInfo::Serialize"); }

void CKtvPDockManager::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPDockManager::Serialize"); }
BOOL CKtvPDockManager::SaveState(LPCTSTR, UINT) { KTVP_NOT_BUILT("CKtvPDockManager::SaveState"); }
BOOL CKtvPDockManager::LoadState(LPCTSTR, UINT) { KTVP_NOT_BUILT("CKtvPDockManager::LoadState"); }
void CKtvPDockManager::SetDockState() { KTVP_NOT_BUILT("CKtvPDockManager::SetDockState"); }
