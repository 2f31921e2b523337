#include "ui/docking/KtvPOutlookBar.h"

#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CKtvPOutlookBar, CKtvPBaseTabbedBar, 1)

const TCHAR CKtvPOutlookBar::m_szSection[] = "KtvPOutlookBars";
const TCHAR CKtvPOutlookBar::m_szCustomPagesValue[] = "KtvPOutlookCustomPages";

BEGIN_MESSAGE_MAP(CKtvPOutlookBar, CKtvPBaseTabbedBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CKtvPOutlookBar::CKtvPOutlookBar() : CKtvPBaseTabbedBar(FALSE), m_bNavigationPaneMode(FALSE), m_pFontButtons(nullptr)
{
}

CKtvPOutlookBar::~CKtvPOutlookBar()
{
    while (!m_lstCustomPages.IsEmpty())
        delete m_lstCustomPages.RemoveHead();
}

BOOL CKtvPOutlookBar::CanAcceptBar(const CKtvPBaseControlBar*) const
{
    KTVP_NOT_BUILT("CKtvPOutlookBar::CanAcceptBar");
}

BOOL CKtvPOutlookBar::LoadState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPOutlookBar::LoadState"); }
BOOL CKtvPOutlookBar::SaveState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPOutlookBar::SaveState"); }
void CKtvPOutlookBar::GetTabArea(CRect&, CRect&) const { KTVP_NOT_BUILT("CKtvPOutlookBar::GetTabArea"); }
int CKtvPOutlookBar::GetDockingStatus(CPoint, int) { KTVP_NOT_BUILT("CKtvPOutlookBar::GetDockingStatus"); }
BOOL CKtvPOutlookBar::IsCaptionFromTab() const { KTVP_NOT_BUILT("CKtvPOutlookBar::IsCaptionFromTab"); }
BOOL CKtvPOutlookBar::Create(LPCTSTR, CWnd*, const RECT&, UINT, DWORD, DWORD, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPOutlookBar::Create");
}

int CKtvPOutlookBar::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPOutlookBar::OnCreate"); }
void CKtvPOutlookBar::OnPaint() { KTVP_NOT_BUILT("CKtvPOutlookBar::OnPaint"); }

BOOL CKtvPOutlookBar::CanDetachTabs() const { KTVP_NOT_BUILT("CKtvPOutlookBar::CanDetachTabs"); }
