#include "ui/frames/KtvPOleInPlaceFrame.h"

#include "platform/mfc/CCmdUI.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/frames/KtvPNotBuilt.h"

// The server frame binds its dock manager to itself when it is made; that
// step waits for the frames' build with the rest of these bodies.
template <class TBase>
CKtvPOleInPlaceFrameT<TBase>::CKtvPOleInPlaceFrameT() : m_Impl(this), m_hwndLastTopLevelFrame(nullptr)
{
}

template <class TBase>
CKtvPOleInPlaceFrameT<TBase>::~CKtvPOleInPlaceFrameT() = default;

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::ShowControlBars(BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::ShowControlBars");
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::AdjustDockingLayout(HDWP)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::AdjustDockingLayout");
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::OnMoveMiniFrame(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::OnMoveMiniFrame");
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::OnShowCustomizeMenu(CKtvPPopupMenu*, UINT)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::OnShowCustomizeMenu");
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::OnClosePopupMenu(CKtvPPopupMenu* pMenuPopup)
{
    // Only the open top-level popup is forgotten.
    if (CKtvPPopupMenu::m_pActivePopupMenu == pMenuPopup)
        CKtvPPopupMenu::m_pActivePopupMenu = nullptr;
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::AddControlBar(CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::AddControlBar");
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::InsertControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::InsertControlBar");
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::RemoveControlBarFromDockManager(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::RemoveControlBarFromDockManager");
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::DockControlBar(CKtvPBaseControlBar*, UINT, LPCRECT)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::DockControlBar");
}

template <class TBase>
CKtvPBaseControlBar* CKtvPOleInPlaceFrameT<TBase>::GetControlBar(UINT)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::GetControlBar");
}

template <class TBase>
CKtvPBaseControlBar* CKtvPOleInPlaceFrameT<TBase>::ControlBarFromPoint(CPoint, int, BOOL, CRuntimeClass*)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::ControlBarFromPoint");
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::IsPointNearDockBar(CPoint, DWORD&, BOOL&)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::IsPointNearDockBar");
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::ShowControlBar(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::ShowControlBar");
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::ShowPopupMenu(CKtvPPopupMenu*)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::ShowPopupMenu");
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::PreCreateWindow(CREATESTRUCT&)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::PreCreateWindow");
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::LoadFrame(UINT, DWORD, CWnd*, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::LoadFrame");
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::PreTranslateMessage(MSG*)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::PreTranslateMessage");
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::RecalcLayout(BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::RecalcLayout");
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::OnSetPreviewMode(BOOL, CPrintPreviewState*)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::OnSetPreviewMode");
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::OnCreateControlBars(CFrameWnd*, CFrameWnd*)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::OnCreateControlBars");
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::OnCommand(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::OnCommand");
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::OnActivate(UINT, CWnd*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::OnActivate");
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::OnClose()
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::OnClose");
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::OnDestroy()
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::OnDestroy");
}

template <class TBase>
LRESULT CKtvPOleInPlaceFrameT<TBase>::OnMenuChar(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::OnMenuChar");
}

template <class TBase>
LRESULT CKtvPOleInPlaceFrameT<TBase>::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::OnIdleUpdateCmdUI");
}

template <class TBase>
LRESULT CKtvPOleInPlaceFrameT<TBase>::OnToolbarCreateNew(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::OnToolbarCreateNew");
}

template <class TBase>
LRESULT CKtvPOleInPlaceFrameT<TBase>::OnToolbarDelete(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::OnToolbarDelete");
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::OnBarCheck(UINT)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::OnBarCheck");
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::OnUpdateControlBarMenu(CCmdUI*)
{
    KTVP_NOT_BUILT("CKtvPOleInPlaceFrameT::OnUpdateControlBarMenu");
}

template class CKtvPOleInPlaceFrameT<COleIPFrameWnd>;
template class CKtvPOleInPlaceFrameT<COleDocIPFrameWnd>;
