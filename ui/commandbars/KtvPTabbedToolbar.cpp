#include "ui/commandbars/KtvPTabbedToolbar.h"

#include "platform/comctl/commctrl.h"
#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPTabbedToolbar, CKtvPToolBar)
IMPLEMENT_DYNAMIC(CKtvPReBar, CKtvPControlBar)

BEGIN_MESSAGE_MAP(CKtvPTabbedToolbar, CKtvPToolBar)
    ON_WM_CREATE()
    ON_WM_NCDESTROY()
    ON_REGISTERED_MESSAGE(KTVM_ONCHANGE_ACTIVE_TAB, OnChangeActiveTab)
END_MESSAGE_MAP()

CKtvPTabbedToolbar::CKtvPTabbedToolbar()
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

// The tab window is deleted at WM_NCDESTROY.
CKtvPTabbedToolbar::~CKtvPTabbedToolbar() = default;

void CKtvPTabbedToolbar::RecalcLayout() { KTVP_NOT_BUILT("CKtvPTabbedToolbar::RecalcLayout"); }

CSize CKtvPTabbedToolbar::CalcFixedLayout(BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPTabbedToolbar::CalcFixedLayout"); }

BOOL CKtvPTabbedToolbar::Create(CWnd*, DWORD, UINT, BOOL) { KTVP_NOT_BUILT("CKtvPTabbedToolbar::Create"); }

BOOL CKtvPTabbedToolbar::AddTab(CKtvPControlBar*, BOOL, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPTabbedToolbar::AddTab"); }

int CKtvPTabbedToolbar::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPTabbedToolbar::OnCreate"); }

void CKtvPTabbedToolbar::OnNcDestroy() { KTVP_NOT_BUILT("CKtvPTabbedToolbar::OnNcDestroy"); }

LRESULT CKtvPTabbedToolbar::OnChangeActiveTab(WPARAM, LPARAM) { return 0; }  // swallowed

BEGIN_MESSAGE_MAP(CKtvPReBar, CKtvPControlBar)
    ON_WM_NCCREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
    ON_NOTIFY_REFLECT(RBN_ENDDRAG, OnHeightChange)
    ON_MESSAGE(RB_SHOWBAND, OnShowBand)
    ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
END_MESSAGE_MAP()

CKtvPReBar::CKtvPReBar() = default;
CKtvPReBar::~CKtvPReBar() = default;

BOOL CKtvPReBar::OnNcCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPReBar::OnNcCreate"); }

void CKtvPReBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { KTVP_NOT_BUILT("CKtvPReBar::OnNcCalcSize"); }

void CKtvPReBar::OnNcPaint() { KTVP_NOT_BUILT("CKtvPReBar::OnNcPaint"); }

void CKtvPReBar::OnHeightChange(NMHDR*, LRESULT*) { KTVP_NOT_BUILT("CKtvPReBar::OnHeightChange"); }

LRESULT CKtvPReBar::OnShowBand(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPReBar::OnShowBand"); }

LRESULT CKtvPReBar::OnRecalcParent(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPReBar::OnRecalcParent"); }
