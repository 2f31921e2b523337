#include "ui/frames/KtvPFrameImpl.h"

#include "ui/frames/KtvPNotBuilt.h"

CKtvPToolBar* CKtvPFrameImpl::m_pCustomizeToolbar = nullptr;
CMap<UINT, UINT, UINT, UINT> CKtvPFrameImpl::m_mapCustomizeIds;

CKtvPFrameImpl::CKtvPFrameImpl(CFrameWnd* pFrame)
    : m_uiUserToolbarFirst((UINT)-1),
      m_uiUserToolbarLast((UINT)-1),
      m_listUserDefinedToolbars(10),
      m_listTearOffToolbars(10),
      m_pMenuBar(nullptr),
      m_hDefaultMenu(nullptr),
      m_pFrame(pFrame),
      m_pDockManager(nullptr),
      m_nIDDefaultResource(0),
      m_bLoadDockState(TRUE)
{
}

CKtvPFrameImpl::~CKtvPFrameImpl()
{
    for (CObList* list : {&m_listUserDefinedToolbars, &m_listTearOffToolbars}) {
        while (!list->IsEmpty())
            delete list->RemoveHead();
    }
}

void CKtvPFrameImpl::RestorePosition(CREATESTRUCT&)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::RestorePosition");
}

void CKtvPFrameImpl::OnCloseFrame()
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::OnCloseFrame");
}

void CKtvPFrameImpl::OnLoadFrame()
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::OnLoadFrame");
}

BOOL CKtvPFrameImpl::LoadLargeIconsState()
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::LoadLargeIconsState");
}

void CKtvPFrameImpl::SetMenuBar(CKtvPMenuBar*)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::SetMenuBar");
}

void CKtvPFrameImpl::InitUserToolbars(LPCTSTR, UINT, UINT)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::InitUserToolbars");
}

void CKtvPFrameImpl::LoadUserToolbars()
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::LoadUserToolbars");
}

void CKtvPFrameImpl::SaveUserToolbars(BOOL)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::SaveUserToolbars");
}

CKtvPToolBar* CKtvPFrameImpl::GetUserToolBarByIndex(int) const
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::GetUserToolBarByIndex");
}

BOOL CKtvPFrameImpl::IsUserDefinedToolbar(const CKtvPControlBar*) const
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::IsUserDefinedToolbar");
}

UINT CKtvPFrameImpl::GetFreeUserToolbarId() const
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::GetFreeUserToolbarId");
}

CKtvPToolBar* CKtvPFrameImpl::CreateNewToolbar(LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::CreateNewToolbar");
}

BOOL CKtvPFrameImpl::DeleteToolbar(CKtvPToolBar*)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::DeleteToolbar");
}

void CKtvPFrameImpl::SetupToolbarMenu(CMenu&, const UINT, const UINT)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::SetupToolbarMenu");
}

void CKtvPFrameImpl::AddTearOffToolbar(CKtvPControlBar*)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::AddTearOffToolbar");
}

void CKtvPFrameImpl::RemoveTearOffToolbar(CKtvPControlBar*)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::RemoveTearOffToolbar");
}

void CKtvPFrameImpl::LoadTearOffMenus()
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::LoadTearOffMenus");
}

void CKtvPFrameImpl::SaveTearOffMenus(BOOL)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::SaveTearOffMenus");
}

void CKtvPFrameImpl::SaveDockManagerState(LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::SaveDockManagerState");
}

void CKtvPFrameImpl::LoadDockManagerState(LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::LoadDockManagerState");
}

void CKtvPFrameImpl::SetDockManagerState(CDockState&)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::SetDockManagerState");
}

BOOL CKtvPFrameImpl::ProcessKeyboard(int, BOOL*)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::ProcessKeyboard");
}

BOOL CKtvPFrameImpl::ProcessMouseClick(UINT, POINT, HWND)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::ProcessMouseClick");
}

BOOL CKtvPFrameImpl::OnMenuChar(UINT)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::OnMenuChar");
}

BOOL CKtvPFrameImpl::IsHelpKey(const MSG*)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::IsHelpKey");
}

void CKtvPFrameImpl::DeactivateMenu()
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::DeactivateMenu");
}

BOOL CKtvPFrameImpl::OnShowPopupMenu(CKtvPPopupMenu*, CFrameWnd*)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::OnShowPopupMenu");
}

void CKtvPFrameImpl::OnShowCustomizeMenu(CKtvPPopupMenu*, UINT)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::OnShowCustomizeMenu");
}

BOOL CKtvPFrameImpl::IsCustomizeMenu(CKtvPPopupMenu*) const
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::IsCustomizeMenu");
}

void CKtvPFrameImpl::SetupToolbarButtonsMenu(CKtvPPopupMenu*)
{
    KTVP_NOT_BUILT("CKtvPFrameImpl::SetupToolbarButtonsMenu");
}
