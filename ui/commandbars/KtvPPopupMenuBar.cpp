#include "ui/commandbars/KtvPPopupMenuBar.h"

#include "platform/mfc/afxmsg.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CKtvPPopupMenuBar, CKtvPToolBar, 1)

int CKtvPPopupMenuBar::m_nMenuShowDelay = -1;
int CKtvPPopupMenuBar::m_nLastCommandIndex = -1;

BEGIN_MESSAGE_MAP(CKtvPPopupMenuBar, CKtvPToolBar)
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_COMMAND(ID_KTVP_TOOLBAR_TEXT, OnToolbarText)
    ON_COMMAND(ID_KTVP_TOOLBAR_IMAGE_AND_TEXT, OnToolbarImageAndText)
END_MESSAGE_MAP()

CKtvPPopupMenuBar::CKtvPPopupMenuBar() : m_HiddenItemsAccel(10)
{
    m_bMenuMode = TRUE;
}

CKtvPPopupMenuBar::~CKtvPPopupMenuBar() = default;

INT_PTR CKtvPPopupMenuBar::OnToolHitTest(CPoint, TOOLINFO*) const
{
    KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnToolHitTest");
}

void CKtvPPopupMenuBar::AdjustLayout() { KTVP_NOT_BUILT("CKtvPPopupMenuBar::AdjustLayout"); }

CSize CKtvPPopupMenuBar::CalcMaxButtonSize(BOOL) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::CalcMaxButtonSize"); }

void CKtvPPopupMenuBar::AdjustSizeImmediate(BOOL) {}

void CKtvPPopupMenuBar::SetButtonStyle(int, UINT) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::SetButtonStyle"); }

BOOL CKtvPPopupMenuBar::TranslateChar(UINT) { return FALSE; }

BOOL CKtvPPopupMenuBar::SetDefaultButtonText(CKtvPToolbarButton*)
{
    KTVP_NOT_BUILT("CKtvPPopupMenuBar::SetDefaultButtonText");
}

void CKtvPPopupMenuBar::OnAfterFillBackground(CDC*) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnAfterFillBackground"); }

void CKtvPPopupMenuBar::DropDownMenuButton(int) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::DropDownMenuButton"); }

void CKtvPPopupMenuBar::DrawDragMarker(CDC*) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::DrawDragMarker"); }

CWnd* CKtvPPopupMenuBar::GetCommandTarget() const { KTVP_NOT_BUILT("CKtvPPopupMenuBar::GetCommandTarget"); }

DROPEFFECT CKtvPPopupMenuBar::OnDragOver(COleDataObject*, DWORD, CPoint)
{
    KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnDragOver");
}

int CKtvPPopupMenuBar::FindDropIndex(const CPoint, CRect&) const
{
    KTVP_NOT_BUILT("CKtvPPopupMenuBar::FindDropIndex");
}

void CKtvPPopupMenuBar::AdjustLocations() { KTVP_NOT_BUILT("CKtvPPopupMenuBar::AdjustLocations"); }

BOOL CKtvPPopupMenuBar::OnSendCommand(const CKtvPToolbarButton*)
{
    KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnSendCommand");
}

BOOL CKtvPPopupMenuBar::HighlightDisabledItems() const
{
    KTVP_NOT_BUILT("CKtvPPopupMenuBar::HighlightDisabledItems");
}

BOOL CKtvPPopupMenuBar::AllowShowOnList() const { return FALSE; }

void CKtvPPopupMenuBar::DrawSeparator(CDC*, const CRect&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPPopupMenuBar::DrawSeparator");
}

CKtvPToolbarButton* CKtvPPopupMenuBar::CreateDroppedButton(COleDataObject*)
{
    KTVP_NOT_BUILT("CKtvPPopupMenuBar::CreateDroppedButton");
}

BOOL CKtvPPopupMenuBar::OnKey(UINT) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnKey"); }

BOOL CKtvPPopupMenuBar::EnableContextMenuItems(CKtvPToolbarButton*, CMenu*)
{
    KTVP_NOT_BUILT("CKtvPPopupMenuBar::EnableContextMenuItems");
}

void CKtvPPopupMenuBar::GetSeparatorRect(const CKtvPToolbarButton*, RECT*, BOOL) const
{
    KTVP_NOT_BUILT("CKtvPPopupMenuBar::GetSeparatorRect");
}

BOOL CKtvPPopupMenuBar::OnUserToolTip(CKtvPToolbarButton*, CString&) const { return FALSE; }

BOOL CKtvPPopupMenuBar::AllowAltCustomization() const { return FALSE; }

CSize CKtvPPopupMenuBar::GetCurrentMenuImageSize() const
{
    KTVP_NOT_BUILT("CKtvPPopupMenuBar::GetCurrentMenuImageSize");
}

BOOL CKtvPPopupMenuBar::ImportFromMenu(HMENU, BOOL) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::ImportFromMenu"); }

HMENU CKtvPPopupMenuBar::ExportToMenu() const { KTVP_NOT_BUILT("CKtvPPopupMenuBar::ExportToMenu"); }

void CKtvPPopupMenuBar::InvokeMenuCommand(UINT, const CKtvPToolbarButton*)
{
    KTVP_NOT_BUILT("CKtvPPopupMenuBar::InvokeMenuCommand");
}

void CKtvPPopupMenuBar::StartPopupMenuTimer(CKtvPToolbarMenuButton*, int)
{
    KTVP_NOT_BUILT("CKtvPPopupMenuBar::StartPopupMenuTimer");
}

void CKtvPPopupMenuBar::CloseDelayedSubMenu() { KTVP_NOT_BUILT("CKtvPPopupMenuBar::CloseDelayedSubMenu"); }

void CKtvPPopupMenuBar::RestoreDelayedSubMenu() { KTVP_NOT_BUILT("CKtvPPopupMenuBar::RestoreDelayedSubMenu"); }

void CKtvPPopupMenuBar::SetInCommand(BOOL) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::SetInCommand"); }

CKtvPToolBar* CKtvPPopupMenuBar::FindBarAtPoint(CPoint) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::FindBarAtPoint"); }

// No border and no non-client area.
void CKtvPPopupMenuBar::OnNcPaint() {}

void CKtvPPopupMenuBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {}

int CKtvPPopupMenuBar::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnCreate"); }

void CKtvPPopupMenuBar::OnDestroy() { KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnDestroy"); }

void CKtvPPopupMenuBar::OnTimer(UINT_PTR) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnTimer"); }

void CKtvPPopupMenuBar::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnLButtonDown"); }

void CKtvPPopupMenuBar::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnLButtonUp"); }

void CKtvPPopupMenuBar::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnMouseMove"); }

void CKtvPPopupMenuBar::OnLButtonDblClk(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnLButtonDblClk"); }

LRESULT CKtvPPopupMenuBar::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnIdleUpdateCmdUI");
}

void CKtvPPopupMenuBar::OnToolbarText() { KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnToolbarText"); }

void CKtvPPopupMenuBar::OnToolbarImageAndText() { KTVP_NOT_BUILT("CKtvPPopupMenuBar::OnToolbarImageAndText"); }
