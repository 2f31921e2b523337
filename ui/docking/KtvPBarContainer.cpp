#include "ui/docking/KtvPBarContainer.h"

#include "platform/mfc/CArchive.h"
#include "ui/docking/KtvPBarContainerManager.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNAMIC(CKtvPBarContainer, CObject)

CKtvPBarContainer::CKtvPBarContainer(CKtvPBarContainerManager* pManager, CKtvPDockingControlBar* pLeftBar,
                                     CKtvPDockingControlBar* pRightBar, CKtvPSlider* pSlider)
    : m_pBarLeft(pLeftBar),
      m_pBarRight(pRightBar),
      m_pSlider(pSlider),
      m_pLeftContainer(nullptr),
      m_pRightContainer(nullptr),
      m_pParentContainer(nullptr),
      m_pContainerManager(pManager),
      m_nSavedPercent(50),
      m_bSavedSliderHorz(FALSE),
      m_dwRefCount(0),
      m_dwSavedSliderStyle(0),
      m_nSavedLeftBarID(-1),
      m_nSavedRightBarID(-1),
      m_nSavedSliderID(-1),
      m_dwReserved(0)
{
}

// The child nodes are the node's own. Their sliders' windows go with ReleaseTree.
CKtvPBarContainer::~CKtvPBarContainer()
{
    delete m_pLeftContainer;
    delete m_pRightContainer;
}

void CKtvPBarContainer::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPBarContainer::Serialize"); }
void CKtvPBarContainer::GetWindowRect(CRect&, BOOL) const { KTVP_NOT_BUILT("CKtvPBarContainer::GetWindowRect"); }
void CKtvPBarContainer::GetMinSize(CSize&) const { KTVP_NOT_BUILT("CKtvPBarContainer::GetMinSize"); }
void CKtvPBarContainer::GetMinSizeLeft(CSize&) const { KTVP_NOT_BUILT("CKtvPBarContainer::GetMinSizeLeft"); }
void CKtvPBarContainer::GetMinSizeRight(CSize&) const { KTVP_NOT_BUILT("CKtvPBarContainer::GetMinSizeRight"); }
int CKtvPBarContainer::GetResizeStep() const { KTVP_NOT_BUILT("CKtvPBarContainer::GetResizeStep"); }
void CKtvPBarContainer::FillWithRemaining(CKtvPBaseControlBar*, HDWP*)
{
    KTVP_NOT_BUILT("CKtvPBarContainer::FillWithRemaining");
}

void CKtvPBarContainer::RemoveControlBar(CKtvPBaseControlBar*)
{
    KTVP_NOT_BUILT("CKtvPBarContainer::RemoveControlBar");
}

void CKtvPBarContainer::DeleteControlBar(CKtvPBaseControlBar*, int)
{
    KTVP_NOT_BUILT("CKtvPBarContainer::DeleteControlBar");
}

void CKtvPBarContainer::StoreRecentDockInfo(CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPBarContainer::StoreRecentDockInfo");
}

void CKtvPBarContainer::Move(int, int) { KTVP_NOT_BUILT("CKtvPBarContainer::Move"); }
void CKtvPBarContainer::ResizeContainer(CRect, HDWP&, BOOL) { KTVP_NOT_BUILT("CKtvPBarContainer::ResizeContainer"); }
int CKtvPBarContainer::StretchContainer(int, BOOL, BOOL, BOOL, HDWP&)
{
    KTVP_NOT_BUILT("CKtvPBarContainer::StretchContainer");
}

int CKtvPBarContainer::MoveInnerSlider(int) { KTVP_NOT_BUILT("CKtvPBarContainer::MoveInnerSlider"); }
int CKtvPBarContainer::ResizePart(int, BOOL, BOOL, HDWP&) { KTVP_NOT_BUILT("CKtvPBarContainer::ResizePart"); }
int CKtvPBarContainer::CalcAvailableSpace(CSize, BOOL) const
{
    KTVP_NOT_BUILT("CKtvPBarContainer::CalcAvailableSpace");
}

int CKtvPBarContainer::CalcAvailablePartSpace(BOOL, BOOL) const
{
    KTVP_NOT_BUILT("CKtvPBarContainer::CalcAvailablePartSpace");
}

CKtvPBarContainer* CKtvPBarContainer::AddRecentBar(CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPBarContainer::AddRecentBar");
}

void CKtvPBarContainer::AdjustParentSlider(int, HDWP&) { KTVP_NOT_BUILT("CKtvPBarContainer::AdjustParentSlider"); }
void CKtvPBarContainer::StoreRecentPercents() { KTVP_NOT_BUILT("CKtvPBarContainer::StoreRecentPercents"); }
void CKtvPBarContainer::CheckSliderVisibility() { KTVP_NOT_BUILT("CKtvPBarContainer::CheckSliderVisibility"); }
BOOL CKtvPBarContainer::IsEmpty() const { KTVP_NOT_BUILT("CKtvPBarContainer::IsEmpty"); }
BOOL CKtvPBarContainer::IsLeftPartEmpty(BOOL) const { KTVP_NOT_BUILT("CKtvPBarContainer::IsLeftPartEmpty"); }
BOOL CKtvPBarContainer::IsRightPartEmpty(BOOL) const { KTVP_NOT_BUILT("CKtvPBarContainer::IsRightPartEmpty"); }
BOOL CKtvPBarContainer::IsVisible() const { KTVP_NOT_BUILT("CKtvPBarContainer::IsVisible"); }
CKtvPBarContainer* CKtvPBarContainer::FindContainer(const void*, BC_FIND_CRITERIA)
{
    KTVP_NOT_BUILT("CKtvPBarContainer::FindContainer");
}

void CKtvPBarContainer::SetBar(CKtvPDockingControlBar*, BOOL) { KTVP_NOT_BUILT("CKtvPBarContainer::SetBar"); }
void CKtvPBarContainer::SetContainer(CKtvPBarContainer*, BOOL) { KTVP_NOT_BUILT("CKtvPBarContainer::SetContainer"); }
void CKtvPBarContainer::ReplaceBarByNode(CKtvPDockingControlBar*, CKtvPBarContainer*)
{
    KTVP_NOT_BUILT("CKtvPBarContainer::ReplaceBarByNode");
}

void CKtvPBarContainer::AddRef() { KTVP_NOT_BUILT("CKtvPBarContainer::AddRef"); }
DWORD CKtvPBarContainer::Release() { KTVP_NOT_BUILT("CKtvPBarContainer::Release"); }
void CKtvPBarContainer::CollapseIfEmpty() { KTVP_NOT_BUILT("CKtvPBarContainer::CollapseIfEmpty"); }
void CKtvPBarContainer::ReleaseEmptyContainers() { KTVP_NOT_BUILT("CKtvPBarContainer::ReleaseEmptyContainers"); }
void CKtvPBarContainer::ReleaseTree() { KTVP_NOT_BUILT("CKtvPBarContainer::ReleaseTree"); }
void CKtvPBarContainer::CopyVisible(const CKtvPBarContainer&, CKtvPBarContainerManager&)
{
    KTVP_NOT_BUILT("CKtvPBarContainer::CopyVisible");
}

void CKtvPBarContainer::SetManager(CKtvPBarContainerManager*, BOOL) { KTVP_NOT_BUILT("CKtvPBarContainer::SetManager"); }
BOOL CKtvPBarContainer::SetBarByID(UINT, CKtvPDockingControlBar*) { KTVP_NOT_BUILT("CKtvPBarContainer::SetBarByID"); }
CKtvPDockingControlBar* CKtvPBarContainer::FindBarByTabID(UINT) { KTVP_NOT_BUILT("CKtvPBarContainer::FindBarByTabID"); }
CList<UINT, UINT>* CKtvPBarContainer::GetSiblingBarIDs(CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPBarContainer::GetSiblingBarIDs");
}

int CKtvPBarContainer::CountNodes() const { KTVP_NOT_BUILT("CKtvPBarContainer::CountNodes"); }
int CKtvPBarContainer::GetTotalRefCount() const { KTVP_NOT_BUILT("CKtvPBarContainer::GetTotalRefCount"); }
void CKtvPBarContainer::RemoveInvalidBars() { KTVP_NOT_BUILT("CKtvPBarContainer::RemoveInvalidBars"); }
BOOL CKtvPBarContainer::IsSliderHorz() const { KTVP_NOT_BUILT("CKtvPBarContainer::IsSliderHorz"); }
