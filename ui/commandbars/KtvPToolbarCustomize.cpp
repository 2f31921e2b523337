#include "ui/commandbars/KtvPToolbarCustomize.h"

#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNAMIC(CKtvPToolbarCustomize, CPropertySheet)

CKtvPToolbarCustomize* CKtvPToolbarCustomize::m_pCustomizeSheet = nullptr;

BEGIN_MESSAGE_MAP(CKtvPToolbarCustomize, CPropertySheet)
    ON_WM_CREATE()
    ON_MESSAGE(WM_HELP, OnHelp)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CKtvPToolbarCustomize::CKtvPToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus, UINT uiFlags,
                                             CList<CRuntimeClass*, CRuntimeClass*>*)
    : CPropertySheet(_T(""), pWndParentFrame, 0),
      m_pParentFrame(pWndParentFrame),
      m_bAutoSetFromMenus(bAutoSetFromMenus),
      m_uiFlags(uiFlags)
{
    // The pages, the caption and the catalogue are the sheet's own steps.
    KTVP_NOT_BUILT("CKtvPToolbarCustomize::CKtvPToolbarCustomize");
}

CKtvPToolbarCustomize::~CKtvPToolbarCustomize()
{
    // The catalogue: every category's buttons and the list holding them.
    for (POSITION pos = m_ButtonsByCategory.GetStartPosition(); pos != nullptr;) {
        CString strCategory;
        void* pValue = nullptr;
        m_ButtonsByCategory.GetNextAssoc(pos, strCategory, pValue);
        CObList* pButtons = static_cast<CObList*>(pValue);
        while (!pButtons->IsEmpty())
            delete static_cast<CKtvPToolbarButton*>(pButtons->RemoveHead());
        delete pButtons;
    }
    m_ButtonsByCategory.RemoveAll();
    while (!m_listCustomPages.IsEmpty())
        delete m_listCustomPages.RemoveHead();
    if (m_pCustomizePage != nullptr || m_pToolbarsPage != nullptr || m_pKeyboardPage != nullptr ||
        m_pMenuPage != nullptr || m_pMousePage != nullptr || m_pOptionsPage != nullptr || m_pToolsPage != nullptr)
        KTVP_NOT_BUILT("CKtvPToolbarCustomize::~CKtvPToolbarCustomize");
}

BOOL CKtvPToolbarCustomize::OnInitDialog() { KTVP_NOT_BUILT("CKtvPToolbarCustomize::OnInitDialog"); }

void CKtvPToolbarCustomize::FillAllCommandsList(CListBox&) const
{
    KTVP_NOT_BUILT("CKtvPToolbarCustomize::FillAllCommandsList");
}

BOOL CKtvPToolbarCustomize::Create() { KTVP_NOT_BUILT("CKtvPToolbarCustomize::Create"); }

void CKtvPToolbarCustomize::EnableUserDefinedToolbars(BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarCustomize::EnableUserDefinedToolbars");
}

void CKtvPToolbarCustomize::ShowToolBar(CKtvPToolBar*, BOOL) { KTVP_NOT_BUILT("CKtvPToolbarCustomize::ShowToolBar"); }

void CKtvPToolbarCustomize::AddButton(LPCTSTR, const CKtvPToolbarButton&, int)
{
    KTVP_NOT_BUILT("CKtvPToolbarCustomize::AddButton");
}

void CKtvPToolbarCustomize::AddMenuCommands(const CMenu*, BOOL, LPCTSTR, LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPToolbarCustomize::AddMenuCommands");
}

void CKtvPToolbarCustomize::SetupFromMenus() { KTVP_NOT_BUILT("CKtvPToolbarCustomize::SetupFromMenus"); }

void CKtvPToolbarCustomize::AddUserTools(LPCTSTR) { KTVP_NOT_BUILT("CKtvPToolbarCustomize::AddUserTools"); }

void CKtvPToolbarCustomize::ReplaceButton(UINT, const CKtvPToolbarButton&)
{
    KTVP_NOT_BUILT("CKtvPToolbarCustomize::ReplaceButton");
}

void CKtvPToolbarCustomize::FillCategoriesComboBox(CComboBox&, BOOL) const
{
    KTVP_NOT_BUILT("CKtvPToolbarCustomize::FillCategoriesComboBox");
}

void CKtvPToolbarCustomize::FillCategoriesListBox(CListBox&, BOOL) const
{
    KTVP_NOT_BUILT("CKtvPToolbarCustomize::FillCategoriesListBox");
}

LPCTSTR CKtvPToolbarCustomize::GetCommandName(UINT) const
{
    KTVP_NOT_BUILT("CKtvPToolbarCustomize::GetCommandName");
}

int CKtvPToolbarCustomize::GetCountInCategory(LPCTSTR, const CObList&) const
{
    KTVP_NOT_BUILT("CKtvPToolbarCustomize::GetCountInCategory");
}

BOOL CKtvPToolbarCustomize::OnCommand(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPToolbarCustomize::OnCommand"); }

void CKtvPToolbarCustomize::PostNcDestroy() { KTVP_NOT_BUILT("CKtvPToolbarCustomize::PostNcDestroy"); }

void CKtvPToolbarCustomize::EnableCustomizeMode(BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarCustomize::EnableCustomizeMode");
}

int CKtvPToolbarCustomize::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPToolbarCustomize::OnCreate"); }

LRESULT CKtvPToolbarCustomize::OnHelp(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPToolbarCustomize::OnHelp"); }

void CKtvPToolbarCustomize::OnContextMenu(CWnd*, CPoint) { KTVP_NOT_BUILT("CKtvPToolbarCustomize::OnContextMenu"); }
