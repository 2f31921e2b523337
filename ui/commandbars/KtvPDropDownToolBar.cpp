#include "ui/commandbars/KtvPDropDownToolBar.h"

#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CKtvPDropDownToolbarButton, CKtvPToolbarButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CKtvPDropDownToolBar, CKtvPToolBar, 1)
IMPLEMENT_SERIAL(CKtvPDropDownFrame, CMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

CKtvPDropDownToolbarButton* CKtvPDropDownToolbarButton::m_pBtnDown = nullptr;
CString CKtvPDropDownFrame::m_strClassName;

// It never registers images.
CKtvPDropDownToolbarButton::CKtvPDropDownToolbarButton() { m_bLocked = TRUE; }
CKtvPDropDownToolbarButton::~CKtvPDropDownToolbarButton() = default;

void CKtvPDropDownToolbarButton::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::Serialize"); }

void CKtvPDropDownToolbarButton::CopyFrom(const CKtvPToolbarButton&)
{
    KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::CopyFrom");
}

void CKtvPDropDownToolbarButton::OnDraw(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::OnDraw");
}

CSize CKtvPDropDownToolbarButton::OnCalculateSize(CDC*, const CSize&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::OnCalculateSize");
}

BOOL CKtvPDropDownToolbarButton::OnClick(CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::OnClick"); }

BOOL CKtvPDropDownToolbarButton::OnClickUp() { KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::OnClickUp"); }

void CKtvPDropDownToolbarButton::OnChangeParentWnd(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::OnChangeParentWnd");
}

BOOL CKtvPDropDownToolbarButton::ExportToMenuButton(CKtvPToolbarMenuButton&) const
{
    KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::ExportToMenuButton");
}

void CKtvPDropDownToolbarButton::OnCancelMode() { KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::OnCancelMode"); }

BOOL CKtvPDropDownToolbarButton::OnContextHelp(CWnd*) { KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::OnContextHelp"); }

BOOL CKtvPDropDownToolbarButton::OnCustomizeMenu(CMenu*)
{
    KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::OnCustomizeMenu");
}

int CKtvPDropDownToolbarButton::OnDrawOnCustomizeList(CDC*, const CRect&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::OnDrawOnCustomizeList");
}

BOOL CKtvPDropDownToolbarButton::IsExtraSize() const { KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::IsExtraSize"); }

void CKtvPDropDownToolbarButton::SetDefaultCommand(UINT)
{
    KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::SetDefaultCommand");
}

BOOL CKtvPDropDownToolbarButton::DropDownToolbar(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPDropDownToolbarButton::DropDownToolbar");
}

BEGIN_MESSAGE_MAP(CKtvPDropDownToolBar, CKtvPToolBar)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CKtvPDropDownToolBar::CKtvPDropDownToolBar() { m_bLocked = TRUE; }
CKtvPDropDownToolBar::~CKtvPDropDownToolBar() = default;

BOOL CKtvPDropDownToolBar::LoadBitmap(UINT, UINT, UINT, BOOL, UINT, UINT)
{
    KTVP_NOT_BUILT("CKtvPDropDownToolBar::LoadBitmap");
}

BOOL CKtvPDropDownToolBar::LoadToolBar(UINT, UINT, UINT, BOOL, UINT, UINT, UINT)
{
    KTVP_NOT_BUILT("CKtvPDropDownToolBar::LoadToolBar");
}

void CKtvPDropDownToolBar::OnUpdateCmdUI(CFrameWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPDropDownToolBar::OnUpdateCmdUI"); }

BOOL CKtvPDropDownToolBar::OnSendCommand(const CKtvPToolbarButton*)
{
    KTVP_NOT_BUILT("CKtvPDropDownToolBar::OnSendCommand");
}

void CKtvPDropDownToolBar::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPDropDownToolBar::OnMouseMove"); }

void CKtvPDropDownToolBar::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPDropDownToolBar::OnLButtonUp"); }

BEGIN_MESSAGE_MAP(CKtvPDropDownFrame, CMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPDropDownFrame::CKtvPDropDownFrame() = default;
CKtvPDropDownFrame::~CKtvPDropDownFrame() = default;

BOOL CKtvPDropDownFrame::Create(CWnd*, int, int, CKtvPDropDownToolBar*)
{
    KTVP_NOT_BUILT("CKtvPDropDownFrame::Create");
}

void CKtvPDropDownFrame::RecalcLayout(BOOL) { KTVP_NOT_BUILT("CKtvPDropDownFrame::RecalcLayout"); }

void CKtvPDropDownFrame::PostNcDestroy() { KTVP_NOT_BUILT("CKtvPDropDownFrame::PostNcDestroy"); }

int CKtvPDropDownFrame::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPDropDownFrame::OnCreate"); }

void CKtvPDropDownFrame::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPDropDownFrame::OnSize"); }

void CKtvPDropDownFrame::OnPaint() { KTVP_NOT_BUILT("CKtvPDropDownFrame::OnPaint"); }

BOOL CKtvPDropDownFrame::OnEraseBkgnd(CDC*) { KTVP_NOT_BUILT("CKtvPDropDownFrame::OnEraseBkgnd"); }

int CKtvPDropDownFrame::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }

void CKtvPDropDownFrame::OnActivateApp(BOOL, DWORD) { KTVP_NOT_BUILT("CKtvPDropDownFrame::OnActivateApp"); }

void CKtvPDropDownFrame::OnDestroy() { KTVP_NOT_BUILT("CKtvPDropDownFrame::OnDestroy"); }
