#include "ui/docking/KtvPBarContainerManager.h"

#include "platform/mfc/CArchive.h"
#include "ui/docking/KtvPBarContainer.h"
#include "ui/docking/KtvPSlider.h"
#include "ui/frames/KtvPNotBuilt.h"

int CKtvPBarContainerManager::m_nNextSliderID = 1;

CKtvPBarContainerManager::CKtvPBarContainerManager()
    : m_pRootContainer(nullptr),
      m_pContainerRTC(nullptr),
      m_pDefaultSlider(nullptr),
      m_bDestroyRootContainer(TRUE),
      m_pDockSite(nullptr)
{
}

// The tree is the manager's; its sliders stop pointing back at it.
CKtvPBarContainerManager::~CKtvPBarContainerManager()
{
    if (!m_bDestroyRootContainer)
        return;
    for (POSITION pos = m_lstSliders.GetHeadPosition(); pos != nullptr;) {
        if (auto* pSlider = dynamic_cast<CKtvPSlider*>(m_lstSliders.GetNext(pos)))
            pSlider->SetContainerManager(nullptr);
    }
    delete m_pRootContainer;
    m_pRootContainer = nullptr;
}

void CKtvPBarContainerManager::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPBarContainerManager::Serialize"); }
BOOL CKtvPBarContainerManager::Create(CWnd*, CKtvPSlider*, CRuntimeClass*)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::Create");
}

BOOL CKtvPBarContainerManager::AddContainerManagerToBar(CKtvPDockingControlBar*, DWORD, CKtvPBarContainerManager&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::AddContainerManagerToBar");
}

BOOL CKtvPBarContainerManager::AddContainerManager(CKtvPBarContainerManager&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::AddContainerManager");
}

BOOL CKtvPBarContainerManager::AddContainerManagerAsTabs(CKtvPDockingControlBar*, CKtvPBarContainerManager&)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::AddContainerManagerAsTabs");
}

void CKtvPBarContainerManager::AddControlBar(CKtvPBaseControlBar*)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::AddControlBar");
}

CKtvPBaseControlBar* CKtvPBarContainerManager::AddControlBarToRecentContainer(CKtvPBaseControlBar*, CKtvPBarContainer*)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::AddControlBarToRecentContainer");
}

BOOL CKtvPBarContainerManager::InsertControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*, DWORD)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::InsertControlBar");
}

void CKtvPBarContainerManager::OnMoveInnerSlider(CKtvPSlider*, UINT, int, HDWP&)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::OnMoveInnerSlider");
}

void CKtvPBarContainerManager::GetWindowRect(CRect&) const
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::GetWindowRect");
}

void CKtvPBarContainerManager::GetAvailableSpace(CRect&) const
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::GetAvailableSpace");
}

BOOL CKtvPBarContainerManager::RemoveControlBarFromContainer(CKtvPBaseControlBar*)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::RemoveControlBarFromContainer");
}

void CKtvPBarContainerManager::ResizeBarContainers(CRect, HDWP&)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::ResizeBarContainers");
}

void CKtvPBarContainerManager::StretchBarContainers(int, BOOL, int, HDWP&)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::StretchBarContainers");
}

BOOL CKtvPBarContainerManager::ReplaceControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::ReplaceControlBar");
}

void CKtvPBarContainerManager::GetMinMaxOffset(CKtvPSlider*, int&, int&, int&)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::GetMinMaxOffset");
}

BOOL CKtvPBarContainerManager::OnShowControlBar(CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::OnShowControlBar");
}

BOOL CKtvPBarContainerManager::IsRootContainerVisible() const
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::IsRootContainerVisible");
}

void CKtvPBarContainerManager::GetMinSize(CSize&) const { KTVP_NOT_BUILT("CKtvPBarContainerManager::GetMinSize"); }
int CKtvPBarContainerManager::GetVisibleBarCount() const
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::GetVisibleBarCount");
}

void CKtvPBarContainerManager::ShowCaptions(BOOL) { KTVP_NOT_BUILT("CKtvPBarContainerManager::ShowCaptions"); }
void CKtvPBarContainerManager::HideAll() { KTVP_NOT_BUILT("CKtvPBarContainerManager::HideAll"); }
BOOL CKtvPBarContainerManager::CanFloat() const { KTVP_NOT_BUILT("CKtvPBarContainerManager::CanFloat"); }
BOOL CKtvPBarContainerManager::AllowsInsertBefore() const
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::AllowsInsertBefore");
}

CKtvPBaseControlBar* CKtvPBarContainerManager::ControlBarFromPoint(CPoint, int, BOOL, BOOL&, BOOL&)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::ControlBarFromPoint");
}

BOOL CKtvPBarContainerManager::CheckTitle(CPoint, CWnd*&) const
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::CheckTitle");
}

CKtvPBaseControlBar* CKtvPBarContainerManager::GetFirstBar() const
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::GetFirstBar");
}

CKtvPBaseControlBar* CKtvPBarContainerManager::GetFirstVisibleBar() const
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::GetFirstVisibleBar");
}

BOOL CKtvPBarContainerManager::CanBeAttached() const { KTVP_NOT_BUILT("CKtvPBarContainerManager::CanBeAttached"); }
void CKtvPBarContainerManager::NotifySliderTracking(BOOL)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::NotifySliderTracking");
}

void CKtvPBarContainerManager::RemoveSlider(CKtvPSlider*) { KTVP_NOT_BUILT("CKtvPBarContainerManager::RemoveSlider"); }
void CKtvPBarContainerManager::StoreRecentDockInfo(CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::StoreRecentDockInfo");
}

CKtvPBarContainer* CKtvPBarContainerManager::FindContainer(CKtvPBaseControlBar*, BOOL&)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::FindContainer");
}

CKtvPSlider* CKtvPBarContainerManager::CreateSlider(CRect, DWORD, int)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::CreateSlider");
}

int CKtvPBarContainerManager::GetNodeCount() const { KTVP_NOT_BUILT("CKtvPBarContainerManager::GetNodeCount"); }
int CKtvPBarContainerManager::GetTotalRefCount() const { KTVP_NOT_BUILT("CKtvPBarContainerManager::GetTotalRefCount"); }
void CKtvPBarContainerManager::AddControlBarsToList(CObList*, CObList*)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::AddControlBarsToList");
}

void CKtvPBarContainerManager::RemoveNonBars() { KTVP_NOT_BUILT("CKtvPBarContainerManager::RemoveNonBars"); }
BOOL CKtvPBarContainerManager::CheckBarValid(CKtvPBaseControlBar*)
{
    KTVP_NOT_BUILT("CKtvPBarContainerManager::CheckBarValid");
}

void CKtvPBarContainerManager::RemoveInvalidBars() { KTVP_NOT_BUILT("CKtvPBarContainerManager::RemoveInvalidBars"); }
void CKtvPBarContainerManager::OnRootEmpty() { KTVP_NOT_BUILT("CKtvPBarContainerManager::OnRootEmpty"); }
