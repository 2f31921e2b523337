#include "ui/controls/KtvPPropertySheet.h"

#include "ui/frames/KtvPNotBuilt.h"

// --- CKtvPPropertyPage -----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CKtvPPropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CKtvPPropertyPage, CPropertyPage)
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPPropertyPage::CKtvPPropertyPage()
    : m_Impl(*this), m_pCategory(nullptr), m_nIcon(-1), m_nSelIconNum(-1), m_hTreeNode(nullptr)
{
}

CKtvPPropertyPage::CKtvPPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(nIDTemplate, nIDCaption),
      m_Impl(*this),
      m_pCategory(nullptr),
      m_nIcon(-1),
      m_nSelIconNum(-1),
      m_hTreeNode(nullptr)
{
}

CKtvPPropertyPage::~CKtvPPropertyPage() = default;

void CKtvPPropertyPage::SetActiveMenu(CKtvPPopupMenu*) { KTVP_NOT_BUILT("CKtvPPropertyPage::SetActiveMenu"); }
BOOL CKtvPPropertyPage::OnSetActive() { KTVP_NOT_BUILT("CKtvPPropertyPage::OnSetActive"); }
BOOL CKtvPPropertyPage::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPPropertyPage::PreTranslateMessage"); }
BOOL CKtvPPropertyPage::OnCommand(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPPropertyPage::OnCommand"); }
void CKtvPPropertyPage::OnActivate(UINT, CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPPropertyPage::OnActivate"); }
BOOL CKtvPPropertyPage::OnNcActivate(BOOL) { KTVP_NOT_BUILT("CKtvPPropertyPage::OnNcActivate"); }
void CKtvPPropertyPage::OnDestroy() { KTVP_NOT_BUILT("CKtvPPropertyPage::OnDestroy"); }

// --- CKtvPPropSheetCategory ------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CKtvPPropSheetCategory, CObject)

CKtvPPropSheetCategory::CKtvPPropSheetCategory(LPCTSTR lpszName, int nIcon, int nSelectedIcon,
                                               const CKtvPPropSheetCategory* pParentCategory,
                                               CKtvPPropertySheet& propSheet)
    : m_strName(lpszName == nullptr ? "" : lpszName),
      m_nIcon(nIcon),
      m_nSelectedIcon(nSelectedIcon == -1 ? nIcon : nSelectedIcon),
      m_pParentCategory(const_cast<CKtvPPropSheetCategory*>(pParentCategory)),
      m_hTreeItem(nullptr),
      m_hLastSelectedItem(nullptr),
      m_propSheet(propSheet)
{
}

// Sub-categories go first; the pages leave a sheet whose window still exists,
// and the category leaves its parent's list.
CKtvPPropSheetCategory::~CKtvPPropSheetCategory()
{
    while (!m_lstSubCategories.IsEmpty())
        delete m_lstSubCategories.RemoveHead();
    if (m_propSheet.GetSafeHwnd() != nullptr)
        KTVP_NOT_BUILT("CKtvPPropSheetCategory::~CKtvPPropSheetCategory");
    if (m_pParentCategory != nullptr) {
        POSITION pos = m_pParentCategory->m_lstSubCategories.Find(this);
        if (pos != nullptr)
            m_pParentCategory->m_lstSubCategories.RemoveAt(pos);
    }
}

// --- CKtvPPropSheetPane and CKtvPPropSheetTab ------------------------------------------------------

BOOL CKtvPPropSheetPane::OnSendCommand(const CKtvPToolbarButton*) { KTVP_NOT_BUILT("CKtvPPropSheetPane::OnSendCommand"); }
BOOL CKtvPPropSheetTab::SetActiveTab(int) { KTVP_NOT_BUILT("CKtvPPropSheetTab::SetActiveTab"); }

// --- CKtvPPropertySheet ----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CKtvPPropertySheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CKtvPPropertySheet, CPropertySheet)
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_DESTROY()
    ON_MESSAGE(UM_AFTERACTIVATEPAGE, OnAfterActivatePage)
    ON_NOTIFY(TVN_SELCHANGED, idTree, OnSelectTree)
    ON_NOTIFY(TVN_GETDISPINFO, idTree, OnGetDispInfo)
END_MESSAGE_MAP()

CKtvPPropertySheet::CKtvPPropertySheet()
    : m_look(SHEETLOOK_TABS), m_nBarWidth(100), m_nActivePage(-1), m_bIsInSelectTree(FALSE), m_Impl(*this)
{
}

CKtvPPropertySheet::CKtvPPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage),
      m_look(SHEETLOOK_TABS),
      m_nBarWidth(100),
      m_nActivePage(-1),
      m_bIsInSelectTree(FALSE),
      m_Impl(*this)
{
}

CKtvPPropertySheet::CKtvPPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage),
      m_look(SHEETLOOK_TABS),
      m_nBarWidth(100),
      m_nActivePage(-1),
      m_bIsInSelectTree(FALSE),
      m_Impl(*this)
{
}

// The sheet owns its top-level categories (each its sub-categories).
CKtvPPropertySheet::~CKtvPPropertySheet()
{
    while (!m_lstTreeCategories.IsEmpty())
        delete m_lstTreeCategories.RemoveHead();
}

BOOL CKtvPPropertySheet::OnInitDialog() { KTVP_NOT_BUILT("CKtvPPropertySheet::OnInitDialog"); }
void CKtvPPropertySheet::OnActivatePage(CPropertyPage*) { KTVP_NOT_BUILT("CKtvPPropertySheet::OnActivatePage"); }
CWnd* CKtvPPropertySheet::CreateNavigationPane() { KTVP_NOT_BUILT("CKtvPPropertySheet::CreateNavigationPane"); }
BOOL CKtvPPropertySheet::OnRemoveTreePage(CPropertyPage*) { KTVP_NOT_BUILT("CKtvPPropertySheet::OnRemoveTreePage"); }
BOOL CKtvPPropertySheet::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPPropertySheet::PreTranslateMessage"); }
void CKtvPPropertySheet::SetLook(int, int) { KTVP_NOT_BUILT("CKtvPPropertySheet::SetLook"); }
BOOL CKtvPPropertySheet::SetIconsList(UINT, int, COLORREF) { KTVP_NOT_BUILT("CKtvPPropertySheet::SetIconsList"); }
void CKtvPPropertySheet::SetIconsList(HIMAGELIST) { KTVP_NOT_BUILT("CKtvPPropertySheet::SetIconsList"); }
CKtvPPropSheetCategory* CKtvPPropertySheet::AddTreeCategory(LPCTSTR, int, int, const CKtvPPropSheetCategory*)
{
    KTVP_NOT_BUILT("CKtvPPropertySheet::AddTreeCategory");
}
void CKtvPPropertySheet::AddPageToTree(CKtvPPropSheetCategory*, CKtvPPropertyPage*, int, int)
{
    KTVP_NOT_BUILT("CKtvPPropertySheet::AddPageToTree");
}
void CKtvPPropertySheet::RemovePage(CPropertyPage*) { KTVP_NOT_BUILT("CKtvPPropertySheet::RemovePage"); }
void CKtvPPropertySheet::AddPageToNavigation(int) { KTVP_NOT_BUILT("CKtvPPropertySheet::AddPageToNavigation"); }
void CKtvPPropertySheet::AddCategoryToTree(CKtvPPropSheetCategory*)
{
    KTVP_NOT_BUILT("CKtvPPropertySheet::AddCategoryToTree");
}
void CKtvPPropertySheet::OnActivate(UINT, CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPPropertySheet::OnActivate"); }
BOOL CKtvPPropertySheet::OnNcActivate(BOOL) { KTVP_NOT_BUILT("CKtvPPropertySheet::OnNcActivate"); }
void CKtvPPropertySheet::OnDestroy() { KTVP_NOT_BUILT("CKtvPPropertySheet::OnDestroy"); }
LRESULT CKtvPPropertySheet::OnAfterActivatePage(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPPropertySheet::OnAfterActivatePage");
}
void CKtvPPropertySheet::OnSelectTree(NMHDR*, LRESULT*) { KTVP_NOT_BUILT("CKtvPPropertySheet::OnSelectTree"); }
void CKtvPPropertySheet::OnGetDispInfo(NMHDR*, LRESULT*) { KTVP_NOT_BUILT("CKtvPPropertySheet::OnGetDispInfo"); }
