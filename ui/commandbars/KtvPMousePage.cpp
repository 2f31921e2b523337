#include "ui/commandbars/KtvPMousePage.h"

#include <algorithm>

#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CStringList.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "resources/CustomizeIds.h"
#include "ui/commandbars/KtvPMouseManager.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"

IMPLEMENT_DYNCREATE(CKtvPMousePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CKtvPMousePage, CPropertyPage)
    ON_BN_CLICKED(IDC_KTVP_MOUSE_NO_DBLCLK, OnNoDblClick)
    ON_BN_CLICKED(IDC_KTVP_MOUSE_USE_DBLCLK, OnUseDblClick)
    ON_LBN_SELCHANGE(IDC_KTVP_MOUSE_COMMANDS, OnSelchangeListOfCommands)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_KTVP_MOUSE_VIEWS, OnItemChangedListOfViews)
END_MESSAGE_MAP()

CKtvPMousePage::CKtvPMousePage() : CPropertyPage(IDD_KTVP_MOUSE_PAGE)
{
    // The page's template holds a list view: its class must exist before the page is made.
    ::InitCommonControls();
}

CKtvPMousePage::~CKtvPMousePage() = default;

void CKtvPMousePage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_MOUSE_VIEWS, m_wndListOfViews);
    DDX_Control(pDX, IDC_KTVP_MOUSE_COMMANDS, m_wndListOfCommands);
    DDX_Control(pDX, IDC_KTVP_MOUSE_DESCRIPTION, m_wndCommandDescription);
    DDX_Text(pDX, IDC_KTVP_MOUSE_DESCRIPTION, m_strCommandDescription);
}

BOOL CKtvPMousePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    CStringList listOfViewNames;
    if (g_pMouseManager != nullptr)
        g_pMouseManager->GetViewNames(listOfViewNames);

    const int cxIcon = ::GetSystemMetrics(SM_CXSMICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYSMICON);
    m_ViewsImages.Create(cxIcon, cyIcon, ILC_COLOR8 | ILC_MASK, static_cast<int>(listOfViewNames.GetCount()), 1);
    m_wndListOfViews.SetImageList(&m_ViewsImages, LVSIL_SMALL);

    CRect rectList;
    m_wndListOfViews.GetClientRect(&rectList);
    m_wndListOfViews.InsertColumn(0, _T(""), LVCFMT_LEFT, rectList.Width() - 1);

    int iMaxWidth = 0;
    for (POSITION pos = listOfViewNames.GetHeadPosition(); pos != nullptr;) {
        const CString strName = listOfViewNames.GetNext(pos);
        const int iViewId = g_pMouseManager->GetViewIdByName(strName);
        // -1 would ask the page for the image later; a view without an icon has none.
        int iImage = I_IMAGENONE;
        if (const UINT uiIconId = g_pMouseManager->GetViewIconId(iViewId)) {
            if (auto hIcon = static_cast<HICON>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(uiIconId),
                                                            IMAGE_ICON, 0, 0, LR_DEFAULTSIZE))) {
                iImage = m_ViewsImages.Add(hIcon);
                ::DestroyIcon(hIcon);
            }
        }
        // Sorted as inserted: before the first name that compares greater.
        int iItem = 0;
        while (iItem < m_wndListOfViews.GetItemCount() &&
               m_wndListOfViews.GetItemText(iItem, 0).Compare(strName) <= 0)
            iItem++;
        iItem = m_wndListOfViews.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, iItem, strName, 0, 0, iImage,
                                            static_cast<LPARAM>(iViewId));
        (void)iItem;
        iMaxWidth = std::max(iMaxWidth, m_wndListOfViews.GetStringWidth(strName));
    }
    m_wndListOfViews.SetColumnWidth(0, iMaxWidth + cxIcon + 10);

    if (auto* pSheet = dynamic_cast<CKtvPToolbarCustomize*>(GetParent()))
        pSheet->FillAllCommandsList(m_wndListOfCommands);

    if (m_wndListOfViews.GetItemCount() > 0) {
        m_wndListOfViews.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_wndListOfViews.EnsureVisible(0, FALSE);
    } else {
        EnableDblClickControls(FALSE);
    }
    return TRUE;
}

CString CKtvPMousePage::CommandDescription(UINT uiCmd) const
{
    CString strDescription;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr)
        if (auto* pSheet = dynamic_cast<CKtvPToolbarCustomize*>(GetParent()))
            pFrame = pSheet->m_pParentFrame;
    if (pFrame != nullptr)
        pFrame->GetMessageString(uiCmd, strDescription);
    return strDescription;
}

void CKtvPMousePage::EnableDblClickControls(BOOL bEnable)
{
    m_wndListOfCommands.EnableWindow(bEnable);
    m_wndCommandDescription.EnableWindow(bEnable);
    if (!bEnable) {
        m_wndListOfCommands.SetCurSel(-1);
        m_strCommandDescription.Empty();
        UpdateData(FALSE);
    }
}

void CKtvPMousePage::OnItemChangedListOfViews(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* pListView = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (pListView == nullptr || !(pListView->uChanged & LVIF_STATE))
        return;
    POSITION pos = m_wndListOfViews.GetFirstSelectedItemPosition();
    if (pos == nullptr)
        return;
    const int iItem = m_wndListOfViews.GetNextSelectedItem(pos);
    m_iCurrViewId = static_cast<int>(m_wndListOfViews.GetItemData(iItem));

    const UINT uiCmd = g_pMouseManager != nullptr ? g_pMouseManager->GetViewDblClickCommand(m_iCurrViewId) : 0;
    if (uiCmd != 0) {
        CheckDlgButton(IDC_KTVP_MOUSE_USE_DBLCLK, BST_CHECKED);
        CheckDlgButton(IDC_KTVP_MOUSE_NO_DBLCLK, BST_UNCHECKED);
        EnableDblClickControls(TRUE);
        m_strCommandDescription = CommandDescription(uiCmd);
        for (int i = 0; i < m_wndListOfCommands.GetCount(); i++) {
            if (m_wndListOfCommands.GetItemData(i) == uiCmd) {
                m_wndListOfCommands.SetCurSel(i);
                m_wndListOfCommands.SetTopIndex(i);
                break;
            }
        }
        UpdateData(FALSE);
    } else {
        CheckDlgButton(IDC_KTVP_MOUSE_NO_DBLCLK, BST_CHECKED);
        CheckDlgButton(IDC_KTVP_MOUSE_USE_DBLCLK, BST_UNCHECKED);
        EnableDblClickControls(FALSE);
    }
}

void CKtvPMousePage::OnNoDblClick()
{
    if (g_pMouseManager != nullptr && m_iCurrViewId >= 0)
        g_pMouseManager->SetCommandForDblClick(m_iCurrViewId, 0);
    EnableDblClickControls(FALSE);
}

void CKtvPMousePage::OnUseDblClick()
{
    EnableDblClickControls(TRUE);
    if (m_iCurrViewId < 0 || g_pMouseManager == nullptr) {
        ::MessageBeep(static_cast<UINT>(-1));
        return;
    }
    g_pMouseManager->SetCommandForDblClick(m_iCurrViewId, 0);
}

void CKtvPMousePage::OnSelchangeListOfCommands()
{
    if (m_iCurrViewId < 0 || g_pMouseManager == nullptr) {
        ::MessageBeep(static_cast<UINT>(-1));
        return;
    }
    const int iSel = m_wndListOfCommands.GetCurSel();
    if (iSel < 0)
        return;
    const UINT uiCmd = static_cast<UINT>(m_wndListOfCommands.GetItemData(iSel));
    m_strCommandDescription = CommandDescription(uiCmd);
    g_pMouseManager->SetCommandForDblClick(m_iCurrViewId, uiCmd);
    UpdateData(FALSE);
}
