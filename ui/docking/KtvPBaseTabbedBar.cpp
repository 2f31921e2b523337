#include "ui/docking/KtvPBaseTabbedBar.h"

#include "platform/mfc/CArchive.h"
#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNAMIC(CKtvPBaseTabbedBar, CKtvPDockingControlBar)

BEGIN_MESSAGE_MAP(CKtvPBaseTabbedBar, CKtvPDockingControlBar)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_REGISTERED_MESSAGE(KTVM_ONCHANGE_ACTIVE_TAB, OnChangeActiveTab)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CKtvPBaseTabbedBar::CKtvPBaseTabbedBar(BOOL bAutoDestroy)
    : m_bAutoDestroy(bAutoDestroy), m_pTabWnd(nullptr), m_bCaptionFromTab(TRUE)
{
    m_dwEnabledAlignment = CBRS_ALIGN_ANY;
}

// The tab window is deleted at WM_NCDESTROY, after its window is gone.
CKtvPBaseTabbedBar::~CKtvPBaseTabbedBar() = default;

BOOL CKtvPBaseTabbedBar::OnEraseBkgnd(CDC*) { return TRUE; }

void CKtvPBaseTabbedBar::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::Serialize"); }
HICON CKtvPBaseTabbedBar::GetIcon(BOOL) const { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::GetIcon"); }
BOOL CKtvPBaseTabbedBar::CanFloat() const { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::CanFloat"); }
BOOL CKtvPBaseTabbedBar::FloatControlBar(CRect, int, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::FloatControlBar"); }
void CKtvPBaseTabbedBar::RecalcLayout() { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::RecalcLayout"); }
BOOL CKtvPBaseTabbedBar::LoadState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::LoadState"); }
BOOL CKtvPBaseTabbedBar::SaveState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::SaveState"); }
BOOL CKtvPBaseTabbedBar::Dock(CKtvPBaseControlBar*, LPCRECT, int) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::Dock"); }
void CKtvPBaseTabbedBar::StoreRecentDockInfo() { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::StoreRecentDockInfo"); }
CKtvPAutoHideToolBar* CKtvPBaseTabbedBar::SetAutoHideMode(BOOL, DWORD, CKtvPAutoHideToolBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPBaseTabbedBar::SetAutoHideMode");
}

int CKtvPBaseTabbedBar::GetTabsNum() const { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::GetTabsNum"); }
int CKtvPBaseTabbedBar::GetVisibleTabsNum() const { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::GetVisibleTabsNum"); }
BOOL CKtvPBaseTabbedBar::IsHideSingleTab() const { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::IsHideSingleTab"); }
BOOL CKtvPBaseTabbedBar::AddTab(CWnd*, BOOL, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::AddTab"); }
BOOL CKtvPBaseTabbedBar::FloatTab(CWnd*, int, int, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::FloatTab"); }
BOOL CKtvPBaseTabbedBar::DetachControlBar(CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::DetachControlBar"); }
BOOL CKtvPBaseTabbedBar::RemoveControlBar(CWnd*) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::RemoveControlBar"); }
BOOL CKtvPBaseTabbedBar::ShowTab(CWnd*, BOOL, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::ShowTab"); }
CWnd* CKtvPBaseTabbedBar::FindBarByID(UINT) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::FindBarByID"); }
CWnd* CKtvPBaseTabbedBar::FindBarByTabNumber(int, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::FindBarByTabNumber"); }
CWnd* CKtvPBaseTabbedBar::GetFirstVisibleTab(int&) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::GetFirstVisibleTab"); }
void CKtvPBaseTabbedBar::ApplyRestoredTabInfo() { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::ApplyRestoredTabInfo"); }
void CKtvPBaseTabbedBar::SerializeTabWindow(CArchive&) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::SerializeTabWindow"); }
void CKtvPBaseTabbedBar::SaveSiblingBarIDs(CArchive&) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::SaveSiblingBarIDs"); }
void CKtvPBaseTabbedBar::LoadSiblingBarIDs(CArchive&, CList<UINT, UINT>&)
{
    KTVP_NOT_BUILT("CKtvPBaseTabbedBar::LoadSiblingBarIDs");
}

void CKtvPBaseTabbedBar::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::OnSize"); }
void CKtvPBaseTabbedBar::OnSetFocus(CWnd*) { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::OnSetFocus"); }
LRESULT CKtvPBaseTabbedBar::OnChangeActiveTab(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPBaseTabbedBar::OnChangeActiveTab");
}

void CKtvPBaseTabbedBar::OnNcDestroy() { KTVP_NOT_BUILT("CKtvPBaseTabbedBar::OnNcDestroy"); }
