#include "ui/commandbars/KtvPMenuBar.h"

#include "platform/mfc/afxmsg.h"
#include "platform/win32/menu/winmenu.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPMenuBar, CKtvPToolBar)

const TCHAR CKtvPMenuBar::m_szDefaultSection[] = _T("KtvMenuBar");
BOOL CKtvPMenuBar::m_bRecentlyUsedMenus = TRUE;
BOOL CKtvPMenuBar::m_bShowAllCommands = FALSE;
BOOL CKtvPMenuBar::m_bShowAllMenusAfterDelay = TRUE;
BOOL CKtvPMenuBar::m_bMenuShadows = TRUE;
BOOL CKtvPMenuBar::m_bHighlightDisabledItems = FALSE;

BEGIN_MESSAGE_MAP(CKtvPMenuBar, CKtvPToolBar)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETFOCUS()
    ON_WM_TIMER()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CKtvPMenuBar::CKtvPMenuBar()
{
    // The menu bar wants a dock row of its own.
    m_bExclusiveRow = TRUE;
}

CKtvPMenuBar::~CKtvPMenuBar()
{
    if (m_hDefaultMenu != nullptr)
        ::DestroyMenu(m_hDefaultMenu);
}

INT_PTR CKtvPMenuBar::OnToolHitTest(CPoint, TOOLINFO*) const { KTVP_NOT_BUILT("CKtvPMenuBar::OnToolHitTest"); }

BOOL CKtvPMenuBar::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPMenuBar::PreTranslateMessage"); }

BOOL CKtvPMenuBar::CanBeClosed() const { return FALSE; }

BOOL CKtvPMenuBar::LoadState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPMenuBar::LoadState"); }

BOOL CKtvPMenuBar::SaveState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPMenuBar::SaveState"); }

CSize CKtvPMenuBar::CalcFixedLayout(BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPMenuBar::CalcFixedLayout"); }

int CKtvPMenuBar::GetAvailableExpandSize() const { KTVP_NOT_BUILT("CKtvPMenuBar::GetAvailableExpandSize"); }

BOOL CKtvPMenuBar::Create(CWnd*, DWORD, UINT) { KTVP_NOT_BUILT("CKtvPMenuBar::Create"); }

BOOL CKtvPMenuBar::CreateEx(CWnd*, DWORD, DWORD, CRect, UINT) { KTVP_NOT_BUILT("CKtvPMenuBar::CreateEx"); }

void CKtvPMenuBar::ResetAllImages() { KTVP_NOT_BUILT("CKtvPMenuBar::ResetAllImages"); }

int CKtvPMenuBar::GetRowHeight() const { KTVP_NOT_BUILT("CKtvPMenuBar::GetRowHeight"); }

int CKtvPMenuBar::GetColumnWidth() const { KTVP_NOT_BUILT("CKtvPMenuBar::GetColumnWidth"); }

BOOL CKtvPMenuBar::IsButtonExtraSizeAvailable() const { return FALSE; }

BOOL CKtvPMenuBar::AllowShowTextLabels() const { return FALSE; }

BOOL CKtvPMenuBar::CanBeRestored() const { return TRUE; }

BOOL CKtvPMenuBar::RestoreOriginalState() { KTVP_NOT_BUILT("CKtvPMenuBar::RestoreOriginalState"); }

BOOL CKtvPMenuBar::SetDefaultButtonText(CKtvPToolbarButton*) { KTVP_NOT_BUILT("CKtvPMenuBar::SetDefaultButtonText"); }

void CKtvPMenuBar::DropDownMenuButton(int) { KTVP_NOT_BUILT("CKtvPMenuBar::DropDownMenuButton"); }

CSize CKtvPMenuBar::CalcLayout(DWORD, int) { KTVP_NOT_BUILT("CKtvPMenuBar::CalcLayout"); }

int CKtvPMenuBar::FindDropIndex(const CPoint, CRect&) const { KTVP_NOT_BUILT("CKtvPMenuBar::FindDropIndex"); }

void CKtvPMenuBar::AdjustLocations() { KTVP_NOT_BUILT("CKtvPMenuBar::AdjustLocations"); }

BOOL CKtvPMenuBar::OnSendCommand(const CKtvPToolbarButton*) { KTVP_NOT_BUILT("CKtvPMenuBar::OnSendCommand"); }

BOOL CKtvPMenuBar::IsPureMenuButton(CKtvPToolbarButton*) const { KTVP_NOT_BUILT("CKtvPMenuBar::IsPureMenuButton"); }

int CKtvPMenuBar::CalcMaxButtonHeight() { KTVP_NOT_BUILT("CKtvPMenuBar::CalcMaxButtonHeight"); }

void CKtvPMenuBar::CreateFromMenu(HMENU, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPMenuBar::CreateFromMenu"); }

void CKtvPMenuBar::OnDefaultMenuLoaded(HMENU) {}

void CKtvPMenuBar::SetMaximizeMode(BOOL, CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPMenuBar::SetMaximizeMode"); }

CKtvPToolbarComboBoxButton* CKtvPMenuBar::GetHelpCombobox() { KTVP_NOT_BUILT("CKtvPMenuBar::GetHelpCombobox"); }

CKtvPToolbarSystemMenuButton* CKtvPMenuBar::GetSystemMenu() const { KTVP_NOT_BUILT("CKtvPMenuBar::GetSystemMenu"); }

BOOL CKtvPMenuBar::FindMenuItemText(HMENU, UINT, CString&) { KTVP_NOT_BUILT("CKtvPMenuBar::FindMenuItemText"); }

CFont* CKtvPMenuBar::GetMenuFont(BOOL) { KTVP_NOT_BUILT("CKtvPMenuBar::GetMenuFont"); }

void CKtvPMenuBar::CalcSysButtonSize() { KTVP_NOT_BUILT("CKtvPMenuBar::CalcSysButtonSize"); }

void CKtvPMenuBar::RestoreMaximizeMode(BOOL) { KTVP_NOT_BUILT("CKtvPMenuBar::RestoreMaximizeMode"); }

BOOL CKtvPMenuBar::BuildOriginalItems(UINT) { KTVP_NOT_BUILT("CKtvPMenuBar::BuildOriginalItems"); }

int CKtvPMenuBar::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPMenuBar::OnCreate"); }

void CKtvPMenuBar::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPMenuBar::OnLButtonDown"); }

void CKtvPMenuBar::OnSetFocus(CWnd*) { KTVP_NOT_BUILT("CKtvPMenuBar::OnSetFocus"); }

void CKtvPMenuBar::OnTimer(UINT_PTR) { KTVP_NOT_BUILT("CKtvPMenuBar::OnTimer"); }

void CKtvPMenuBar::OnLButtonDblClk(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPMenuBar::OnLButtonDblClk"); }

void CKtvPMenuBar::OnSettingChange(UINT, LPCTSTR) { KTVP_NOT_BUILT("CKtvPMenuBar::OnSettingChange"); }
