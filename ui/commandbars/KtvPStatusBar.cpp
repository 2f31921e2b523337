#include "ui/commandbars/KtvPStatusBar.h"

#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNAMIC(CKtvPStatusBar, CKtvPControlBar)

BEGIN_MESSAGE_MAP(CKtvPStatusBar, CKtvPControlBar)
    ON_WM_CREATE()
    ON_WM_NCHITTEST()
    ON_WM_SYSCOMMAND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_WM_SETTINGCHANGE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_STYLECHANGED, OnStyleChanged)
END_MESSAGE_MAP()

CKtvPStatusBar::CKtvPStatusBar()
{
    m_cxLeftBorder = 4;
    m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
}

// The panes' texts, tips and images are released at WM_DESTROY; the element
// array is the control bar's.
CKtvPStatusBar::~CKtvPStatusBar() = default;

BOOL CKtvPStatusBar::PreCreateWindow(CREATESTRUCT&) { KTVP_NOT_BUILT("CKtvPStatusBar::PreCreateWindow"); }

INT_PTR CKtvPStatusBar::OnToolHitTest(CPoint, TOOLINFO*) const { KTVP_NOT_BUILT("CKtvPStatusBar::OnToolHitTest"); }

BOOL CKtvPStatusBar::AllowsInsertBefore() const { return FALSE; }

void CKtvPStatusBar::RecalcLayout() { KTVP_NOT_BUILT("CKtvPStatusBar::RecalcLayout"); }

void CKtvPStatusBar::OnUpdateCmdUI(CFrameWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPStatusBar::OnUpdateCmdUI"); }

CSize CKtvPStatusBar::CalcFixedLayout(BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPStatusBar::CalcFixedLayout"); }

void CKtvPStatusBar::DoPaint(CDC*) { KTVP_NOT_BUILT("CKtvPStatusBar::DoPaint"); }

void CKtvPStatusBar::OnDrawPane(CDC*, CKtvPStatusBarPaneInfo*) { KTVP_NOT_BUILT("CKtvPStatusBar::OnDrawPane"); }

BOOL CKtvPStatusBar::Create(CWnd*, DWORD, UINT) { KTVP_NOT_BUILT("CKtvPStatusBar::Create"); }

BOOL CKtvPStatusBar::CreateEx(CWnd*, DWORD, DWORD, UINT) { KTVP_NOT_BUILT("CKtvPStatusBar::CreateEx"); }

BOOL CKtvPStatusBar::SetIndicators(const UINT*, int) { KTVP_NOT_BUILT("CKtvPStatusBar::SetIndicators"); }

int CKtvPStatusBar::CommandToIndex(UINT) const { KTVP_NOT_BUILT("CKtvPStatusBar::CommandToIndex"); }

UINT CKtvPStatusBar::GetPaneStyle(int) const { KTVP_NOT_BUILT("CKtvPStatusBar::GetPaneStyle"); }

void CKtvPStatusBar::SetPaneStyle(int, UINT) { KTVP_NOT_BUILT("CKtvPStatusBar::SetPaneStyle"); }

void CKtvPStatusBar::GetPaneInfo(int, UINT&, UINT&, int&) const { KTVP_NOT_BUILT("CKtvPStatusBar::GetPaneInfo"); }

void CKtvPStatusBar::SetPaneInfo(int, UINT, UINT, int) { KTVP_NOT_BUILT("CKtvPStatusBar::SetPaneInfo"); }

void CKtvPStatusBar::SetPaneWidth(int, int) { KTVP_NOT_BUILT("CKtvPStatusBar::SetPaneWidth"); }

BOOL CKtvPStatusBar::SetPaneText(int, LPCTSTR, BOOL) { KTVP_NOT_BUILT("CKtvPStatusBar::SetPaneText"); }

void CKtvPStatusBar::SetPaneIcon(int, HICON, BOOL) { KTVP_NOT_BUILT("CKtvPStatusBar::SetPaneIcon"); }

void CKtvPStatusBar::SetPaneAnimation(int, HIMAGELIST, UINT, BOOL)
{
    KTVP_NOT_BUILT("CKtvPStatusBar::SetPaneAnimation");
}

void CKtvPStatusBar::SetPaneTipText(int, LPCTSTR) { KTVP_NOT_BUILT("CKtvPStatusBar::SetPaneTipText"); }

void CKtvPStatusBar::RedrawPaneContent(int) { KTVP_NOT_BUILT("CKtvPStatusBar::RedrawPaneContent"); }

CKtvPStatusBarPaneInfo* CKtvPStatusBar::PaneFromPoint(CPoint) { KTVP_NOT_BUILT("CKtvPStatusBar::PaneFromPoint"); }

HFONT CKtvPStatusBar::GetBarFont() const { KTVP_NOT_BUILT("CKtvPStatusBar::GetBarFont"); }

CKtvPStatusBarPaneInfo* CKtvPStatusBar::GetPaneByIndex(int) const
{
    KTVP_NOT_BUILT("CKtvPStatusBar::GetPaneByIndex");
}

int CKtvPStatusBar::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPStatusBar::OnCreate"); }

LRESULT CKtvPStatusBar::OnNcHitTest(CPoint) { KTVP_NOT_BUILT("CKtvPStatusBar::OnNcHitTest"); }

void CKtvPStatusBar::OnSysCommand(UINT, LPARAM) { KTVP_NOT_BUILT("CKtvPStatusBar::OnSysCommand"); }

void CKtvPStatusBar::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPStatusBar::OnSize"); }

LRESULT CKtvPStatusBar::OnSetFont(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPStatusBar::OnSetFont"); }

LRESULT CKtvPStatusBar::OnGetFont(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPStatusBar::OnGetFont"); }

LRESULT CKtvPStatusBar::OnSetText(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPStatusBar::OnSetText"); }

LRESULT CKtvPStatusBar::OnGetText(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPStatusBar::OnGetText"); }

LRESULT CKtvPStatusBar::OnGetTextLength(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPStatusBar::OnGetTextLength"); }

void CKtvPStatusBar::OnSettingChange(UINT, LPCTSTR) { KTVP_NOT_BUILT("CKtvPStatusBar::OnSettingChange"); }

void CKtvPStatusBar::OnLButtonDblClk(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPStatusBar::OnLButtonDblClk"); }

void CKtvPStatusBar::OnTimer(UINT_PTR) { KTVP_NOT_BUILT("CKtvPStatusBar::OnTimer"); }

void CKtvPStatusBar::OnDestroy() { KTVP_NOT_BUILT("CKtvPStatusBar::OnDestroy"); }

LRESULT CKtvPStatusBar::OnStyleChanged(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPStatusBar::OnStyleChanged"); }

void CKtvPStatusCmdUI::Enable(BOOL) { KTVP_NOT_BUILT("CKtvPStatusCmdUI::Enable"); }

void CKtvPStatusCmdUI::SetCheck(int) { KTVP_NOT_BUILT("CKtvPStatusCmdUI::SetCheck"); }

void CKtvPStatusCmdUI::SetText(LPCTSTR) { KTVP_NOT_BUILT("CKtvPStatusCmdUI::SetText"); }
