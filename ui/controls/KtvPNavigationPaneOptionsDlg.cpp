#include "ui/controls/KtvPNavigationPaneOptionsDlg.h"

#include "platform/mfc/CDataExchange.h"
#include "resources/resource.h"
#include "ui/controls/KtvPOutlookWnd.h"
#include "ui/docking/KtvPOutlookBar.h"

BEGIN_MESSAGE_MAP(CKtvPNavigationPaneOptionsDlg, CDialog)
    ON_LBN_SELCHANGE(IDC_KTVP_NAV_LIST, OnSelChange)
    ON_LBN_DBLCLK(IDC_KTVP_NAV_LIST, OnDblClk)
    ON_BN_CLICKED(IDC_KTVP_NAV_MOVE_UP, OnMoveUp)
    ON_BN_CLICKED(IDC_KTVP_NAV_MOVE_DOWN, OnMoveDown)
    ON_BN_CLICKED(IDC_KTVP_NAV_RESET, OnReset)
END_MESSAGE_MAP()

CKtvPNavigationPaneOptionsDlg::CKtvPNavigationPaneOptionsDlg(CKtvPOutlookWnd* pParent)
    : CDialog(IDD_KTVP_NAVIGATION_OPTIONS, pParent), m_pParentBar(pParent)
{
}

void CKtvPNavigationPaneOptionsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_NAV_MOVE_UP, m_btnMoveUp);
    DDX_Control(pDX, IDC_KTVP_NAV_MOVE_DOWN, m_btnMoveDown);
    DDX_Control(pDX, IDC_KTVP_NAV_LIST, m_wndList);
    DDX_Control(pDX, IDC_KTVP_NAV_RESET, m_btnReset);
}

void CKtvPNavigationPaneOptionsDlg::AddPage(int iPage, BOOL bCheck)
{
    CString strLabel;
    m_pParentBar->GetTabLabel(iPage, strLabel);
    const int nIndex = m_wndList.AddString(strLabel);
    m_wndList.SetItemData(nIndex, (DWORD_PTR)iPage);
    m_wndList.SetCheck(nIndex, bCheck ? 1 : 0);
}

BOOL CKtvPNavigationPaneOptionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int i = 0; i < m_pParentBar->GetTabsNum(); i++)
        AddPage(i, m_pParentBar->IsTabVisible(i));
    m_wndList.SetCurSel(0);
    UpdateButtons();
    if (dynamic_cast<CKtvPOutlookBar*>(m_pParentBar->GetParent()) == nullptr) {
        m_btnReset.EnableWindow(FALSE);
        m_btnReset.ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CKtvPNavigationPaneOptionsDlg::UpdateButtons()
{
    const int nSel = m_wndList.GetCurSel();
    m_btnMoveUp.EnableWindow(nSel > 0);
    m_btnMoveDown.EnableWindow(nSel >= 0 && nSel < m_wndList.GetCount() - 1);
}

void CKtvPNavigationPaneOptionsDlg::OnSelChange() { UpdateButtons(); }

// Reaches here only for a double-click off the check box (the list toggles its own boxes).
void CKtvPNavigationPaneOptionsDlg::OnDblClk()
{
    const int nSel = m_wndList.GetCurSel();
    if (nSel >= 0)
        m_wndList.SetCheck(nSel, !m_wndList.GetCheck(nSel));
}

void CKtvPNavigationPaneOptionsDlg::MoveSelection(int nDelta)
{
    const int nSel = m_wndList.GetCurSel();
    const int nNew = nSel + nDelta;
    if (nSel < 0 || nNew < 0 || nNew >= m_wndList.GetCount())
        return;
    CString strText;
    m_wndList.GetText(nSel, strText);
    const DWORD_PTR dwData = m_wndList.GetItemData(nSel);
    const int nCheck = m_wndList.GetCheck(nSel);
    m_wndList.DeleteString(nSel);
    const int nIndex = m_wndList.InsertString(nNew, strText);
    m_wndList.SetItemData(nIndex, dwData);
    m_wndList.SetCheck(nIndex, nCheck);
    m_wndList.SetCurSel(nIndex);
    UpdateButtons();
}

void CKtvPNavigationPaneOptionsDlg::OnMoveUp() { MoveSelection(-1); }
void CKtvPNavigationPaneOptionsDlg::OnMoveDown() { MoveSelection(1); }

// The order the bar's pages had before its saved state was applied, all shown.
void CKtvPNavigationPaneOptionsDlg::OnReset()
{
    auto* pBar = dynamic_cast<CKtvPOutlookBar*>(m_pParentBar->GetParent());
    if (pBar == nullptr)
        return;
    const CArray<int, int>& arIDs = pBar->m_arDefaultTabsOrder;
    // Without a recorded first order there is nothing to go back to; an empty list would hide every page.
    if (arIDs.GetSize() == 0)
        return;
    CArray<int, int> arPages;
    for (int i = 0; i < arIDs.GetSize(); i++) {
        const int iPage = m_pParentBar->GetTabByID(arIDs[i]);
        if (iPage < 0)
            return;
        arPages.Add(iPage);
    }
    m_wndList.ResetContent();
    for (int i = 0; i < arPages.GetSize(); i++)
        AddPage(arPages[i], TRUE);
    m_wndList.SetCurSel(0);
    UpdateButtons();
}

void CKtvPNavigationPaneOptionsDlg::OnOK()
{
    CArray<int, int> arOrder;
    for (int i = 0; i < m_wndList.GetCount(); i++) {
        const int iPage = (int)m_wndList.GetItemData(i);
        const BOOL bShow = m_wndList.GetCheck(i) != 0;
        if (m_pParentBar->IsTabVisible(iPage) != bShow)
            m_pParentBar->ShowTab(iPage, bShow, FALSE, FALSE);
        arOrder.Add(iPage);
    }
    m_pParentBar->SetTabsOrder(arOrder);
    CDialog::OnOK();
}
