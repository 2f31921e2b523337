#include "ui/docking/KtvPSlider.h"

#include "platform/mfc/CArchive.h"
#include "platform/mfc/afxmsg.h"
#include "ui/docking/KtvPBarContainerManager.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPSlider, CKtvPBaseControlBar)

int CKtvPSlider::m_nDefaultWidth = 4;

BEGIN_MESSAGE_MAP(CKtvPSlider, CKtvPBaseControlBar)
    ON_WM_CREATE()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CKtvPSlider::CKtvPSlider(BOOL bDefaultSlider, CWnd* pParentWnd)
    : m_nID(-1),
      m_dwSliderStyle(0),
      m_nWidth(0),
      m_bCaptured(false),
      m_bDefaultSlider(bDefaultSlider),
      m_bAutoHide(FALSE),
      m_nMinOffset(0),
      m_nMaxOffset(0),
      m_nStep(-1),
      m_pContainerManager(nullptr),
      m_pParentWnd(pParentWnd)
{
}

CKtvPSlider::~CKtvPSlider() = default;

BOOL CKtvPSlider::OnEraseBkgnd(CDC*) { return TRUE; }

BOOL CKtvPSlider::CreateEx(DWORD, const RECT&, CWnd*, UINT, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPSlider::CreateEx");
}

void CKtvPSlider::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPSlider::Serialize"); }
BOOL CKtvPSlider::AllowsInsertBefore() const { KTVP_NOT_BUILT("CKtvPSlider::AllowsInsertBefore"); }
CSize CKtvPSlider::CalcFixedLayout(BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPSlider::CalcFixedLayout"); }
void CKtvPSlider::MoveSlider(CSize, BOOL) { KTVP_NOT_BUILT("CKtvPSlider::MoveSlider"); }
void CKtvPSlider::AddControlBar(CKtvPBaseControlBar*) { KTVP_NOT_BUILT("CKtvPSlider::AddControlBar"); }
CKtvPBaseControlBar* CKtvPSlider::AddRecentControlBar(CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPSlider::AddRecentControlBar");
}

BOOL CKtvPSlider::InsertControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*, DWORD, LPCRECT)
{
    KTVP_NOT_BUILT("CKtvPSlider::InsertControlBar");
}

BOOL CKtvPSlider::ReplaceControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*)
{
    KTVP_NOT_BUILT("CKtvPSlider::ReplaceControlBar");
}

void CKtvPSlider::RemoveControlBar(CKtvPBaseControlBar*) { KTVP_NOT_BUILT("CKtvPSlider::RemoveControlBar"); }
void CKtvPSlider::RepositionSlider(CRect&, HDWP&) { KTVP_NOT_BUILT("CKtvPSlider::RepositionSlider"); }
BOOL CKtvPSlider::AddContainerManagerToBar(CKtvPDockingControlBar*, CKtvPBarContainerManager&, DWORD)
{
    KTVP_NOT_BUILT("CKtvPSlider::AddContainerManagerToBar");
}

BOOL CKtvPSlider::AddContainerManager(CKtvPBarContainerManager&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPSlider::AddContainerManager");
}

BOOL CKtvPSlider::RefreshVisibility() { KTVP_NOT_BUILT("CKtvPSlider::RefreshVisibility"); }
void CKtvPSlider::OnShowControlBar(CKtvPBaseControlBar*, BOOL) { KTVP_NOT_BUILT("CKtvPSlider::OnShowControlBar"); }
BOOL CKtvPSlider::HasFloatableBar() const { KTVP_NOT_BUILT("CKtvPSlider::HasFloatableBar"); }
void CKtvPSlider::CalcExpectedDockedRect(CWnd*, CPoint, CRect&, BOOL&, CKtvPDockingControlBar**)
{
    KTVP_NOT_BUILT("CKtvPSlider::CalcExpectedDockedRect");
}

void CKtvPSlider::CheckVisibility() { KTVP_NOT_BUILT("CKtvPSlider::CheckVisibility"); }
BOOL CKtvPSlider::CreateEx(DWORD, DWORD, const RECT&, CWnd*, UINT, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPSlider::CreateEx");
}

void CKtvPSlider::StopTracking(BOOL) { KTVP_NOT_BUILT("CKtvPSlider::StopTracking"); }
CKtvPBaseControlBar* CKtvPSlider::GetFirstControlBar() const { KTVP_NOT_BUILT("CKtvPSlider::GetFirstControlBar"); }
CKtvPBaseControlBar* CKtvPSlider::FindControlBarByID(UINT) { KTVP_NOT_BUILT("CKtvPSlider::FindControlBarByID"); }
CKtvPBarContainer* CKtvPSlider::FindContainer(CKtvPBaseControlBar*, BOOL&)
{
    KTVP_NOT_BUILT("CKtvPSlider::FindContainer");
}

void CKtvPSlider::StoreRecentDockInfo(CKtvPDockingControlBar*) { KTVP_NOT_BUILT("CKtvPSlider::StoreRecentDockInfo"); }
void CKtvPSlider::StoreRecentTabRelatedInfo(CKtvPDockingControlBar*, CKtvPBaseControlBar*)
{
    KTVP_NOT_BUILT("CKtvPSlider::StoreRecentTabRelatedInfo");
}

void CKtvPSlider::GetControlBars(CObList&) { KTVP_NOT_BUILT("CKtvPSlider::GetControlBars"); }
int CKtvPSlider::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPSlider::OnCreate"); }
BOOL CKtvPSlider::OnSetCursor(CWnd*, UINT, UINT) { KTVP_NOT_BUILT("CKtvPSlider::OnSetCursor"); }
void CKtvPSlider::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPSlider::OnLButtonDown"); }
void CKtvPSlider::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPSlider::OnMouseMove"); }
void CKtvPSlider::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPSlider::OnLButtonUp"); }
void CKtvPSlider::OnCancelMode() { KTVP_NOT_BUILT("CKtvPSlider::OnCancelMode"); }
void CKtvPSlider::OnPaint() { KTVP_NOT_BUILT("CKtvPSlider::OnPaint"); }
void CKtvPSlider::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPSlider::OnSize"); }
void CKtvPSlider::OnDestroy() { KTVP_NOT_BUILT("CKtvPSlider::OnDestroy"); }
void CKtvPSlider::OnNcDestroy() { KTVP_NOT_BUILT("CKtvPSlider::OnNcDestroy"); }
