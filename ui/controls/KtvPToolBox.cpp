#include "ui/controls/KtvPToolBox.h"

#include "ui/controls/KtvPButton.h"
#include "ui/frames/KtvPNotBuilt.h"

// --- CKtvPToolBoxPage ------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPToolBoxPage, CKtvPControlBar)

BEGIN_MESSAGE_MAP(CKtvPToolBoxPage, CKtvPControlBar)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CKtvPToolBoxPage::CKtvPToolBoxPage()
    : m_sizeToolImage(0, 0), m_iSelectedTool(-1), m_pToolBox(nullptr), m_iFirstVisibleTool(0), m_nOverflowRows(0)
{
}

// The page owns its tool buttons.
CKtvPToolBoxPage::~CKtvPToolBoxPage()
{
    for (INT_PTR i = 0; i < m_arToolButtons.GetSize(); i++)
        delete m_arToolButtons[i];
    m_arToolButtons.RemoveAll();
}

CKtvPButton* CKtvPToolBoxPage::GetButton(int iIndex) const
{
    if (iIndex < 0 || iIndex >= m_arToolButtons.GetSize())
        return nullptr;
    return m_arToolButtons[iIndex];
}

BOOL CKtvPToolBoxPage::SetImages(UINT, int, const CStringList&, CRuntimeClass*)
{
    KTVP_NOT_BUILT("CKtvPToolBoxPage::SetImages");
}
void CKtvPToolBoxPage::AdjustLayout() { KTVP_NOT_BUILT("CKtvPToolBoxPage::AdjustLayout"); }
BOOL CKtvPToolBoxPage::OnCommand(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPToolBoxPage::OnCommand"); }
BOOL CKtvPToolBoxPage::OnEraseBkgnd(CDC*) { KTVP_NOT_BUILT("CKtvPToolBoxPage::OnEraseBkgnd"); }
void CKtvPToolBoxPage::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPToolBoxPage::OnSize"); }
void CKtvPToolBoxPage::OnNcDestroy() { KTVP_NOT_BUILT("CKtvPToolBoxPage::OnNcDestroy"); }

// --- CKtvPToolBoxOutlookBar ------------------------------------------------------------------------

CKtvPToolBoxOutlookBar::~CKtvPToolBoxOutlookBar() = default;

void CKtvPToolBoxOutlookBar::OnActiveTabChanged(int) { KTVP_NOT_BUILT("CKtvPToolBoxOutlookBar::OnActiveTabChanged"); }
void CKtvPToolBoxOutlookBar::OnPageScroll(BOOL) { KTVP_NOT_BUILT("CKtvPToolBoxOutlookBar::OnPageScroll"); }

// --- CKtvPToolBox ----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPToolBox, CKtvPDockingControlBar)

BEGIN_MESSAGE_MAP(CKtvPToolBox, CKtvPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CKtvPToolBox::CKtvPToolBox() = default;

// The outlook bar member goes first, then the docking bar.
CKtvPToolBox::~CKtvPToolBox() = default;

void CKtvPToolBox::OnClickTool(int, int) { KTVP_NOT_BUILT("CKtvPToolBox::OnClickTool"); }
void CKtvPToolBox::OnActivatePage(int) { KTVP_NOT_BUILT("CKtvPToolBox::OnActivatePage"); }
void CKtvPToolBox::ScrollActivePage(BOOL) { KTVP_NOT_BUILT("CKtvPToolBox::ScrollActivePage"); }
BOOL CKtvPToolBox::AddToolsPage(LPCTSTR, UINT, int, LPCTSTR, CRuntimeClass*, CRuntimeClass*)
{
    KTVP_NOT_BUILT("CKtvPToolBox::AddToolsPage");
}
BOOL CKtvPToolBox::AddToolsPageFromList(LPCTSTR, UINT, int, const CStringList&, CRuntimeClass*, CRuntimeClass*)
{
    KTVP_NOT_BUILT("CKtvPToolBox::AddToolsPageFromList");
}
int CKtvPToolBox::GetActivePage() const { KTVP_NOT_BUILT("CKtvPToolBox::GetActivePage"); }
int CKtvPToolBox::GetPageIndex(CKtvPToolBoxPage*) const { KTVP_NOT_BUILT("CKtvPToolBox::GetPageIndex"); }
CKtvPToolBoxPage* CKtvPToolBox::GetPage(int) const { KTVP_NOT_BUILT("CKtvPToolBox::GetPage"); }
void CKtvPToolBox::SplitLabels(LPCTSTR, CStringList&) { KTVP_NOT_BUILT("CKtvPToolBox::SplitLabels"); }
int CKtvPToolBox::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPToolBox::OnCreate"); }
void CKtvPToolBox::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPToolBox::OnSize"); }
