#include "ui/controls/KtvPOutlookWnd.h"

#include "platform/mfc/CCmdUI.h"
#include "ui/frames/KtvPNotBuilt.h"

// --- CKtvPOutlookScrollButton ----------------------------------------------------------------------

void CKtvPOutlookScrollButton::OnFillBackground(CDC*, const CRect&)
{
    KTVP_NOT_BUILT("CKtvPOutlookScrollButton::OnFillBackground");
}
void CKtvPOutlookScrollButton::OnDrawBorder(CDC*, CRect&, UINT)
{
    KTVP_NOT_BUILT("CKtvPOutlookScrollButton::OnDrawBorder");
}

// --- CKtvPOutlookWndToolBar ------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKtvPOutlookWndToolBar, CKtvPToolBar)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

// Its images live in its own locked strip.
CKtvPOutlookWndToolBar::CKtvPOutlookWndToolBar(CKtvPOutlookWnd* pParentBar) : m_pParentBar(pParentBar)
{
    m_bLocked = TRUE;
    m_TabButtons.InitHashTable(17);
}

CKtvPOutlookWndToolBar::~CKtvPOutlookWndToolBar() = default;

void CKtvPOutlookWndToolBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOutlookWndToolBar::OnUpdateCmdUI");
}
void CKtvPOutlookWndToolBar::AdjustLocations() { KTVP_NOT_BUILT("CKtvPOutlookWndToolBar::AdjustLocations"); }
BOOL CKtvPOutlookWndToolBar::OnSendCommand(const CKtvPToolbarButton*)
{
    KTVP_NOT_BUILT("CKtvPOutlookWndToolBar::OnSendCommand");
}
void CKtvPOutlookWndToolBar::OnCustomizeMode(BOOL) { KTVP_NOT_BUILT("CKtvPOutlookWndToolBar::OnCustomizeMode"); }
BOOL CKtvPOutlookWndToolBar::OnUserToolTip(CKtvPToolbarButton*, CString&) const
{
    KTVP_NOT_BUILT("CKtvPOutlookWndToolBar::OnUserToolTip");
}
BOOL CKtvPOutlookWndToolBar::OnSetCursor(CWnd*, UINT, UINT) { KTVP_NOT_BUILT("CKtvPOutlookWndToolBar::OnSetCursor"); }

// --- COutlookCustomizeButton -----------------------------------------------------------------------

IMPLEMENT_DYNCREATE(COutlookCustomizeButton, CCustomizeButton)

void COutlookCustomizeButton::OnDraw(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("COutlookCustomizeButton::OnDraw");
}
CKtvPPopupMenu* COutlookCustomizeButton::CreatePopupMenu() { KTVP_NOT_BUILT("COutlookCustomizeButton::CreatePopupMenu"); }

// --- CKtvPOutlookWnd -------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPOutlookWnd, CKtvPBaseTabWnd)

BOOL CKtvPOutlookWnd::m_bEnableAnimation = FALSE;

BEGIN_MESSAGE_MAP(CKtvPOutlookWnd, CKtvPBaseTabWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_COMMAND_RANGE(idShowMoreButtons, idToolbarCommandsLast, OnToolBarCommand)
    ON_UPDATE_COMMAND_UI_RANGE(idShowMoreButtons, idToolbarCommandsLast, OnUpdateToolBarCommand)
END_MESSAGE_MAP()

CKtvPOutlookWnd::CKtvPOutlookWnd()
    : m_nBorderSize(0),
      m_bTrackSplitter(FALSE),
      m_wndToolBar(this),
      m_nVisiblePageButtons(-1),
      m_nMaxPageButtons(0),
      m_bPageButtonsChanged(FALSE),
      m_bScrollButtons(FALSE),
      m_nPageTextAlign(TA_CENTER),
      m_sizeToolBarImage(0, 0)
{
    // A press only highlights a page button; the release activates the page.
    m_bActivateOnBtnUp = TRUE;
    m_bEnableTabSwap = FALSE;

    m_btnScrollUp.m_FlatStyle = CKtvPButton::BUTTONSTYLE_SEMIFLAT;
    m_btnScrollUp.m_DrawFocus = FALSE;
    m_btnScrollDown.m_FlatStyle = CKtvPButton::BUTTONSTYLE_SEMIFLAT;
    m_btnScrollDown.m_DrawFocus = FALSE;
}

// The image list, both scroll buttons, the toolbar and its map go with their members.
CKtvPOutlookWnd::~CKtvPOutlookWnd() = default;

void CKtvPOutlookWnd::ShowMoreButtons() { KTVP_NOT_BUILT("CKtvPOutlookWnd::ShowMoreButtons"); }
void CKtvPOutlookWnd::ShowFewerButtons() { KTVP_NOT_BUILT("CKtvPOutlookWnd::ShowFewerButtons"); }
void CKtvPOutlookWnd::ShowOptionsDialog() { KTVP_NOT_BUILT("CKtvPOutlookWnd::ShowOptionsDialog"); }
BOOL CKtvPOutlookWnd::Create(const RECT&, CWnd*, UINT) { KTVP_NOT_BUILT("CKtvPOutlookWnd::Create"); }

BOOL CKtvPOutlookWnd::IsPtInTabArea(CPoint) const { KTVP_NOT_BUILT("CKtvPOutlookWnd::IsPtInTabArea"); }
void CKtvPOutlookWnd::GetTabArea(CRect&, CRect&) const { KTVP_NOT_BUILT("CKtvPOutlookWnd::GetTabArea"); }
void CKtvPOutlookWnd::RecalcLayout() { KTVP_NOT_BUILT("CKtvPOutlookWnd::RecalcLayout"); }
BOOL CKtvPOutlookWnd::IsTabDetachable(int) const { KTVP_NOT_BUILT("CKtvPOutlookWnd::IsTabDetachable"); }
BOOL CKtvPOutlookWnd::SetActiveTab(int) { KTVP_NOT_BUILT("CKtvPOutlookWnd::SetActiveTab"); }
CWnd* CKtvPOutlookWnd::FindDragTargetWnd(const CPoint&) { KTVP_NOT_BUILT("CKtvPOutlookWnd::FindDragTargetWnd"); }
DROPEFFECT CKtvPOutlookWnd::OnDragEnter(COleDataObject*, DWORD, CPoint)
{
    KTVP_NOT_BUILT("CKtvPOutlookWnd::OnDragEnter");
}
DROPEFFECT CKtvPOutlookWnd::OnDragOver(COleDataObject*, DWORD, CPoint) { KTVP_NOT_BUILT("CKtvPOutlookWnd::OnDragOver"); }
int CKtvPOutlookWnd::GetTabToDetach(int) const { KTVP_NOT_BUILT("CKtvPOutlookWnd::GetTabToDetach"); }

void CKtvPOutlookWnd::AddControl(CWnd*, LPCTSTR, int, BOOL) { KTVP_NOT_BUILT("CKtvPOutlookWnd::AddControl"); }
void CKtvPOutlookWnd::EnableScrollButtons(BOOL, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPOutlookWnd::EnableScrollButtons"); }
BOOL CKtvPOutlookWnd::IsNavigationPaneMode() const { KTVP_NOT_BUILT("CKtvPOutlookWnd::IsNavigationPaneMode"); }
void CKtvPOutlookWnd::SetToolbarImageList(UINT, int, COLORREF)
{
    KTVP_NOT_BUILT("CKtvPOutlookWnd::SetToolbarImageList");
}
void CKtvPOutlookWnd::SetBorderSize(int) { KTVP_NOT_BUILT("CKtvPOutlookWnd::SetBorderSize"); }
void CKtvPOutlookWnd::SetPageButtonTextAlign(UINT, BOOL) { KTVP_NOT_BUILT("CKtvPOutlookWnd::SetPageButtonTextAlign"); }
void CKtvPOutlookWnd::DrawPageButton(CDC*, int, BOOL) { KTVP_NOT_BUILT("CKtvPOutlookWnd::DrawPageButton"); }
void CKtvPOutlookWnd::RebuildToolBar() { KTVP_NOT_BUILT("CKtvPOutlookWnd::RebuildToolBar"); }
CKtvPOutlookBar* CKtvPOutlookWnd::GetParentOutlookBar() const
{
    KTVP_NOT_BUILT("CKtvPOutlookWnd::GetParentOutlookBar");
}

BOOL CKtvPOutlookWnd::OnCommand(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPOutlookWnd::OnCommand"); }
void CKtvPOutlookWnd::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPOutlookWnd::OnSize"); }
void CKtvPOutlookWnd::OnPaint() { KTVP_NOT_BUILT("CKtvPOutlookWnd::OnPaint"); }
BOOL CKtvPOutlookWnd::OnSetCursor(CWnd*, UINT, UINT) { KTVP_NOT_BUILT("CKtvPOutlookWnd::OnSetCursor"); }
// The window paints all of itself in OnPaint.
BOOL CKtvPOutlookWnd::OnEraseBkgnd(CDC*) { return TRUE; }
int CKtvPOutlookWnd::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPOutlookWnd::OnCreate"); }
void CKtvPOutlookWnd::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPOutlookWnd::OnLButtonDown"); }
void CKtvPOutlookWnd::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPOutlookWnd::OnLButtonUp"); }
void CKtvPOutlookWnd::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPOutlookWnd::OnMouseMove"); }
void CKtvPOutlookWnd::OnCancelMode() { KTVP_NOT_BUILT("CKtvPOutlookWnd::OnCancelMode"); }
void CKtvPOutlookWnd::OnToolBarCommand(UINT) { KTVP_NOT_BUILT("CKtvPOutlookWnd::OnToolBarCommand"); }
void CKtvPOutlookWnd::OnUpdateToolBarCommand(CCmdUI*) { KTVP_NOT_BUILT("CKtvPOutlookWnd::OnUpdateToolBarCommand"); }
