#include "ui/docking/KtvPTabbedControlBar.h"

#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPNotBuilt.h"

// The framework's object archive writes tabbed bars with their class record.
IMPLEMENT_SERIAL(CKtvPTabbedControlBar, CKtvPBaseTabbedBar, VERSIONABLE_SCHEMA | 2)

int CKtvPTabbedControlBar::m_nTabWndStyle = 0;
BOOL CKtvPTabbedControlBar::m_bTabAutoColor = FALSE;
CArray<COLORREF, COLORREF> CKtvPTabbedControlBar::m_arTabAutoColors;
CList<HWND, HWND> CKtvPTabbedControlBar::m_lstTabbedControlBars;

BEGIN_MESSAGE_MAP(CKtvPTabbedControlBar, CKtvPBaseTabbedBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPTabbedControlBar::CKtvPTabbedControlBar(BOOL bAutoDestroy) : CKtvPBaseTabbedBar(bAutoDestroy) {}

CKtvPTabbedControlBar::~CKtvPTabbedControlBar() = default;

void CKtvPTabbedControlBar::GetTabArea(CRect&, CRect&) const { KTVP_NOT_BUILT("CKtvPTabbedControlBar::GetTabArea"); }
BOOL CKtvPTabbedControlBar::IsTabLocationBottom() const
{
    KTVP_NOT_BUILT("CKtvPTabbedControlBar::IsTabLocationBottom");
}

void CKtvPTabbedControlBar::OnPressCloseButton() { KTVP_NOT_BUILT("CKtvPTabbedControlBar::OnPressCloseButton"); }
BOOL CKtvPTabbedControlBar::FloatTab(CWnd*, int, int, BOOL) { KTVP_NOT_BUILT("CKtvPTabbedControlBar::FloatTab"); }
BOOL CKtvPTabbedControlBar::DetachControlBar(CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPTabbedControlBar::DetachControlBar"); }
void CKtvPTabbedControlBar::EnableTabAutoColor(BOOL) { KTVP_NOT_BUILT("CKtvPTabbedControlBar::EnableTabAutoColor"); }
int CKtvPTabbedControlBar::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPTabbedControlBar::OnCreate"); }
void CKtvPTabbedControlBar::OnDestroy() { KTVP_NOT_BUILT("CKtvPTabbedControlBar::OnDestroy"); }
