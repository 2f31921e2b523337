#include "ui/controls/KtvPTabWnd.h"

#include "ui/frames/KtvPNotBuilt.h"

// --- CKtvPTabScrollButton --------------------------------------------------------------------------

void CKtvPTabScrollButton::OnFillBackground(CDC*, const CRect&)
{
    KTVP_NOT_BUILT("CKtvPTabScrollButton::OnFillBackground");
}
void CKtvPTabScrollButton::OnDrawBorder(CDC*, CRect&, UINT) { KTVP_NOT_BUILT("CKtvPTabScrollButton::OnDrawBorder"); }

// --- CKtvPTabWnd -----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPTabWnd, CKtvPBaseTabWnd)

BOOL CKtvPTabWnd::m_bIsInHScroll = FALSE;

BEGIN_MESSAGE_MAP(CKtvPTabWnd, CKtvPBaseTabWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_HSCROLL()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CKtvPTabWnd::CKtvPTabWnd()
    : m_bFlat(FALSE),
      m_bIsSlanted(FALSE),
      m_bSharedScroll(FALSE),
      m_bScroll(FALSE),
      m_bCloseBtn(FALSE),
      m_nScrollBarRight(0),
      m_nTabsHorzOffset(0),
      m_nTabsHorzOffsetMax(0),
      m_nTabsTotalWidth(0),
      m_nFirstScrolledTab(0),
      m_nHorzScrollWidth(0),
      m_bTrackSplitter(FALSE),
      m_bDrawFrame(TRUE),
      m_bAutoSizeWindow(TRUE),
      m_bDontEraseBkgnd(FALSE),
      m_bTopEdge(FALSE),
      m_bFlatFrame(TRUE),
      m_bHideNoTabs(FALSE),
      m_bIsActiveTabBold(FALSE)
{
}

// The scroll bar, the five buttons and the button list go with their members.
CKtvPTabWnd::~CKtvPTabWnd() = default;

BOOL CKtvPTabWnd::Create(int, const RECT&, CWnd*, UINT, int, BOOL) { KTVP_NOT_BUILT("CKtvPTabWnd::Create"); }

void CKtvPTabWnd::LayoutTabs() { KTVP_NOT_BUILT("CKtvPTabWnd::LayoutTabs"); }
void CKtvPTabWnd::AdjustTabsScroll() { KTVP_NOT_BUILT("CKtvPTabWnd::AdjustTabsScroll"); }
void CKtvPTabWnd::RepositionScrollBar() { KTVP_NOT_BUILT("CKtvPTabWnd::RepositionScrollBar"); }
void CKtvPTabWnd::DrawTab(CDC*, CKtvPTabInfo*, BOOL) { KTVP_NOT_BUILT("CKtvPTabWnd::DrawTab"); }
void CKtvPTabWnd::DrawFlatTab(CDC*, CKtvPTabInfo*, BOOL) { KTVP_NOT_BUILT("CKtvPTabWnd::DrawFlatTab"); }

BOOL CKtvPTabWnd::IsPtInTabArea(CPoint) const { KTVP_NOT_BUILT("CKtvPTabWnd::IsPtInTabArea"); }
void CKtvPTabWnd::GetTabArea(CRect&, CRect&) const { KTVP_NOT_BUILT("CKtvPTabWnd::GetTabArea"); }
BOOL CKtvPTabWnd::SetImageList(HIMAGELIST) { KTVP_NOT_BUILT("CKtvPTabWnd::SetImageList"); }
BOOL CKtvPTabWnd::LoadImageList(UINT, int, COLORREF) { KTVP_NOT_BUILT("CKtvPTabWnd::LoadImageList"); }
void CKtvPTabWnd::UpdateTabsHeight() { KTVP_NOT_BUILT("CKtvPTabWnd::UpdateTabsHeight"); }
int CKtvPTabWnd::GetTabsHeight() const { KTVP_NOT_BUILT("CKtvPTabWnd::GetTabsHeight"); }
void CKtvPTabWnd::RecalcLayout() { KTVP_NOT_BUILT("CKtvPTabWnd::RecalcLayout"); }
void CKtvPTabWnd::EnableInPlaceEdit(BOOL) { KTVP_NOT_BUILT("CKtvPTabWnd::EnableInPlaceEdit"); }
void CKtvPTabWnd::AdjustRenameEditRect(CRect&) { KTVP_NOT_BUILT("CKtvPTabWnd::AdjustRenameEditRect"); }
BOOL CKtvPTabWnd::SetActiveTab(int) { KTVP_NOT_BUILT("CKtvPTabWnd::SetActiveTab"); }
int CKtvPTabWnd::GetTabFromPoint(CPoint) const { KTVP_NOT_BUILT("CKtvPTabWnd::GetTabFromPoint"); }
BOOL CKtvPTabWnd::EnsureVisible(int) { KTVP_NOT_BUILT("CKtvPTabWnd::EnsureVisible"); }
CWnd* CKtvPTabWnd::FindDragTargetWnd(const CPoint&) { KTVP_NOT_BUILT("CKtvPTabWnd::FindDragTargetWnd"); }
void CKtvPTabWnd::SwapTabs(int, int) { KTVP_NOT_BUILT("CKtvPTabWnd::SwapTabs"); }
void CKtvPTabWnd::MoveTab(int, int) { KTVP_NOT_BUILT("CKtvPTabWnd::MoveTab"); }
void CKtvPTabWnd::SetHideSingleTab(BOOL) { KTVP_NOT_BUILT("CKtvPTabWnd::SetHideSingleTab"); }
DROPEFFECT CKtvPTabWnd::OnDragEnter(COleDataObject*, DWORD, CPoint) { KTVP_NOT_BUILT("CKtvPTabWnd::OnDragEnter"); }
DROPEFFECT CKtvPTabWnd::OnDragOver(COleDataObject*, DWORD, CPoint) { KTVP_NOT_BUILT("CKtvPTabWnd::OnDragOver"); }
BOOL CKtvPTabWnd::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPTabWnd::PreTranslateMessage"); }

void CKtvPTabWnd::HideNoTabs(BOOL) { KTVP_NOT_BUILT("CKtvPTabWnd::HideNoTabs"); }
void CKtvPTabWnd::SetActiveTabBoldFont(BOOL) { KTVP_NOT_BUILT("CKtvPTabWnd::SetActiveTabBoldFont"); }
BOOL CKtvPTabWnd::ModifyTabStyle(int) { KTVP_NOT_BUILT("CKtvPTabWnd::ModifyTabStyle"); }
BOOL CKtvPTabWnd::SynchronizeScrollBar(SCROLLINFO*) { KTVP_NOT_BUILT("CKtvPTabWnd::SynchronizeScrollBar"); }
void CKtvPTabWnd::HideActiveWindowHorzScrollBar() { KTVP_NOT_BUILT("CKtvPTabWnd::HideActiveWindowHorzScrollBar"); }
void CKtvPTabWnd::UpdateScrollButtonsState() { KTVP_NOT_BUILT("CKtvPTabWnd::UpdateScrollButtonsState"); }
void CKtvPTabWnd::RepositionButtons(int, int, int, int, BOOL) { KTVP_NOT_BUILT("CKtvPTabWnd::RepositionButtons"); }

BOOL CKtvPTabWnd::OnCommand(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPTabWnd::OnCommand"); }
BOOL CKtvPTabWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { KTVP_NOT_BUILT("CKtvPTabWnd::OnNotify"); }

int CKtvPTabWnd::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPTabWnd::OnCreate"); }
void CKtvPTabWnd::OnDestroy() { KTVP_NOT_BUILT("CKtvPTabWnd::OnDestroy"); }
void CKtvPTabWnd::OnPaint() { KTVP_NOT_BUILT("CKtvPTabWnd::OnPaint"); }
BOOL CKtvPTabWnd::OnEraseBkgnd(CDC*) { KTVP_NOT_BUILT("CKtvPTabWnd::OnEraseBkgnd"); }
void CKtvPTabWnd::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPTabWnd::OnSize"); }
void CKtvPTabWnd::OnSetFocus(CWnd*) { KTVP_NOT_BUILT("CKtvPTabWnd::OnSetFocus"); }
BOOL CKtvPTabWnd::OnSetCursor(CWnd*, UINT, UINT) { KTVP_NOT_BUILT("CKtvPTabWnd::OnSetCursor"); }
void CKtvPTabWnd::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPTabWnd::OnLButtonDown"); }
void CKtvPTabWnd::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPTabWnd::OnLButtonUp"); }
void CKtvPTabWnd::OnLButtonDblClk(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPTabWnd::OnLButtonDblClk"); }
void CKtvPTabWnd::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPTabWnd::OnMouseMove"); }
void CKtvPTabWnd::OnCancelMode() { KTVP_NOT_BUILT("CKtvPTabWnd::OnCancelMode"); }
void CKtvPTabWnd::OnHScroll(UINT, UINT, CScrollBar*) { KTVP_NOT_BUILT("CKtvPTabWnd::OnHScroll"); }
void CKtvPTabWnd::OnSysColorChange() { KTVP_NOT_BUILT("CKtvPTabWnd::OnSysColorChange"); }
void CKtvPTabWnd::OnSettingChange(UINT, LPCTSTR) { KTVP_NOT_BUILT("CKtvPTabWnd::OnSettingChange"); }
