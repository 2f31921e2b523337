#include "ui/commandbars/KtvPToolbarsPage.h"

#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "resources/CustomizeIds.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPDropDownToolBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPCodes.h"

// --- the Toolbar Name dialog ---------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKtvPToolbarNameDlg, CDialog)
    ON_EN_UPDATE(IDC_KTVP_TOOLBAR_NAME, OnUpdateToolbarName)
END_MESSAGE_MAP()

CKtvPToolbarNameDlg::CKtvPToolbarNameDlg(CWnd* pParent) : CDialog(IDD_KTVP_TOOLBAR_NAME, pParent) {}

CKtvPToolbarNameDlg::~CKtvPToolbarNameDlg() = default;

void CKtvPToolbarNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOk);
    DDX_Text(pDX, IDC_KTVP_TOOLBAR_NAME, m_strToolbarName);
}

BOOL CKtvPToolbarNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_btnOk.EnableWindow(!m_strToolbarName.IsEmpty());
    return TRUE;
}

void CKtvPToolbarNameDlg::OnUpdateToolbarName()
{
    UpdateData();
    m_btnOk.EnableWindow(!m_strToolbarName.IsEmpty());
}

// --- the page ------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPToolbarsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CKtvPToolbarsPage, CPropertyPage)
    ON_LBN_SELCHANGE(IDC_KTVP_TOOLBAR_LIST, OnSelchangeToolbarList)
    ON_LBN_DBLCLK(IDC_KTVP_TOOLBAR_LIST, OnDblclkToolbarList)
    ON_BN_CLICKED(IDC_KTVP_TOOLBAR_RESET, OnResetToolbar)
    ON_BN_CLICKED(IDC_KTVP_TOOLBAR_RESET_ALL, OnResetAllToolbars)
    ON_BN_CLICKED(IDC_KTVP_TOOLBAR_NEW, OnNewToolbar)
    ON_BN_CLICKED(IDC_KTVP_TOOLBAR_RENAME, OnRenameToolbar)
    ON_BN_CLICKED(IDC_KTVP_TOOLBAR_DELETE, OnDeleteToolbar)
    ON_BN_CLICKED(IDC_KTVP_TOOLBAR_TEXT_LABELS, OnTextLabels)
END_MESSAGE_MAP()

namespace {

CString ToolbarsPageName(const CKtvPToolBar* pToolBar)
{
    CString strName;
    pToolBar->GetWindowText(strName);
    if (strName.IsEmpty())
        strName.LoadString(IDS_KTVP_UNTITLED);
    return strName;
}

int ToolbarsPageAsk(UINT nIDPrompt, const CString& strName)
{
    CString strFormat;
    strFormat.LoadString(nIDPrompt);
    CString strPrompt;
    strPrompt.Format(strFormat, static_cast<LPCTSTR>(strName));
    return AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION);
}

}  // namespace

CKtvPToolbarsPage::CKtvPToolbarsPage(CFrameWnd* pParentFrame)
    : CPropertyPage(IDD_KTVP_TOOLBARS_PAGE), m_pParentFrame(pParentFrame)
{
}

CKtvPToolbarsPage::~CKtvPToolbarsPage() = default;

void CKtvPToolbarsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_TOOLBAR_TEXT_LABELS, m_bntTextLabels);
    DDX_Control(pDX, IDC_KTVP_TOOLBAR_RENAME, m_bntRenameToolbar);
    DDX_Control(pDX, IDC_KTVP_TOOLBAR_NEW, m_btnNewToolbar);
    DDX_Control(pDX, IDC_KTVP_TOOLBAR_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_KTVP_TOOLBAR_RESET, m_btnReset);
    DDX_Control(pDX, IDC_KTVP_TOOLBAR_LIST, m_wndToolbarList);
    DDX_Check(pDX, IDC_KTVP_TOOLBAR_TEXT_LABELS, m_bTextLabels);
}

BOOL CKtvPToolbarsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (!m_bUserDefinedToolbars) {
        m_btnNewToolbar.EnableWindow(FALSE);
        m_btnNewToolbar.ShowWindow(SW_HIDE);
        m_btnDelete.ShowWindow(SW_HIDE);
        m_bntRenameToolbar.ShowWindow(SW_HIDE);
    }

    CFrameWnd* pTopFrame = m_pParentFrame != nullptr ? m_pParentFrame->GetTopLevelFrame() : nullptr;
    const CObList& toolbars = CKtvPToolBar::GetAllToolbars();
    for (POSITION pos = toolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pToolBar = static_cast<CKtvPToolBar*>(toolbars.GetNext(pos));
        if (pToolBar == nullptr || !::IsWindow(pToolBar->GetSafeHwnd()) ||
            pToolBar->IsKindOf(RUNTIME_CLASS(CKtvPDropDownToolBar)) || pToolBar->GetTopLevelFrame() != pTopFrame ||
            !pToolBar->AllowShowOnList())
            continue;
        const int iItem = m_wndToolbarList.AddString(ToolbarsPageName(pToolBar));
        m_wndToolbarList.SetItemDataPtr(iItem, pToolBar);
        m_wndToolbarList.SetCheck(iItem, (pToolBar->GetStyle() & WS_VISIBLE) ? 1 : 0);
        m_wndToolbarList.EnableItem(iItem, pToolBar->CanBeClosed());
    }

    auto* pSheet = dynamic_cast<CKtvPToolbarCustomize*>(GetParent());
    if (pSheet != nullptr && !(pSheet->m_uiFlags & KTVCUSTOMIZE_TEXT_LABELS))
        m_bntTextLabels.ShowWindow(SW_HIDE);
    return TRUE;
}

int CKtvPToolbarsPage::FindToolbarItem(const CKtvPToolBar* pToolBar) const
{
    if (!::IsWindow(m_wndToolbarList.GetSafeHwnd()))
        return -1;
    for (int i = 0; i < m_wndToolbarList.GetCount(); i++) {
        if (m_wndToolbarList.GetItemDataPtr(i) == pToolBar)
            return i;
    }
    return -1;
}

void CKtvPToolbarsPage::OnToolbarShown(CKtvPToolBar* pToolBar, BOOL bShow)
{
    const int iItem = FindToolbarItem(pToolBar);
    if (iItem >= 0)
        m_wndToolbarList.SetCheck(iItem, bShow ? 1 : 0);
}

void CKtvPToolbarsPage::OnSelchangeToolbarList()
{
    const int iSel = m_wndToolbarList.GetCurSel();
    if (iSel < 0) {
        m_pSelectedToolbar = nullptr;
        m_btnReset.EnableWindow(FALSE);
        m_btnDelete.EnableWindow(FALSE);
        m_bntRenameToolbar.EnableWindow(FALSE);
        m_bntTextLabels.EnableWindow(FALSE);
        return;
    }
    m_pSelectedToolbar = static_cast<CKtvPToolBar*>(m_wndToolbarList.GetItemDataPtr(iSel));
    m_btnReset.EnableWindow(m_pSelectedToolbar->CanBeRestored());
    const BOOL bUserDefined = m_pSelectedToolbar->IsUserDefined();
    m_btnDelete.EnableWindow(bUserDefined);
    m_bntRenameToolbar.EnableWindow(bUserDefined);
    m_bntTextLabels.EnableWindow(m_pSelectedToolbar->AllowShowTextLabels());
    m_bTextLabels = m_pSelectedToolbar->m_bTextLabels;
    UpdateData(FALSE);
}

BOOL CKtvPToolbarsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_KTVP_TOOLBAR_LIST && HIWORD(wParam) == CLBN_CHKCHANGE) {
        OnCheckChanged();
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

void CKtvPToolbarsPage::OnCheckChanged()
{
    const int iSel = m_wndToolbarList.GetCurSel();
    if (iSel < 0)
        return;
    auto* pToolBar = static_cast<CKtvPToolBar*>(m_wndToolbarList.GetItemDataPtr(iSel));
    const BOOL bChecked = m_wndToolbarList.GetCheck(iSel) != 0;
    if (pToolBar->CanBeClosed()) {
        pToolBar->ShowControlBar(bChecked, FALSE, TRUE);
    } else if (!bChecked) {
        m_wndToolbarList.SetCheck(iSel, 1);
        ::MessageBeep((UINT)-1);
    }
}

void CKtvPToolbarsPage::OnDblclkToolbarList()
{
    const int iSel = m_wndToolbarList.GetCurSel();
    if (iSel >= 0) {
        m_pSelectedToolbar = static_cast<CKtvPToolBar*>(m_wndToolbarList.GetItemDataPtr(iSel));
        if (m_pSelectedToolbar->CanBeClosed()) {
            m_wndToolbarList.SetCheck(iSel, !m_wndToolbarList.GetCheck(iSel));
            m_pSelectedToolbar->ShowControlBar(m_wndToolbarList.GetCheck(iSel) != 0, FALSE, TRUE);
        } else {
            ::MessageBeep((UINT)-1);
        }
    }
    OnSelchangeToolbarList();
}

void CKtvPToolbarsPage::OnReset()
{
    if (m_pSelectedToolbar == nullptr)
        return;
    // The prompt names the toolbar as the list shows it.
    if (ToolbarsPageAsk(IDS_KTVP_RESET_TOOLBAR_PROMPT, ToolbarsPageName(m_pSelectedToolbar)) != IDYES)
        return;
    m_pSelectedToolbar->RestoreOriginalState();
}

void CKtvPToolbarsPage::OnResetAllToolbars()
{
    CString strPrompt;
    strPrompt.LoadString(IDS_KTVP_RESET_ALL_PROMPT);
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The standard images come back before the bars are rebuilt from them.
    GetCmdMgr()->ClearAllCmdImages();
    for (POSITION pos = CKtvPToolBar::m_DefaultImages.GetStartPosition(); pos != nullptr;) {
        UINT uiCmd = 0;
        int iImage = 0;
        CKtvPToolBar::m_DefaultImages.GetNextAssoc(pos, uiCmd, iImage);
        GetCmdMgr()->SetCmdImage(uiCmd, iImage, FALSE);
    }
    for (int i = 0; i < m_wndToolbarList.GetCount(); i++) {
        auto* pToolBar = static_cast<CKtvPToolBar*>(m_wndToolbarList.GetItemDataPtr(i));
        if (pToolBar->CanBeRestored())
            pToolBar->RestoreOriginalState();
    }
}

int CKtvPToolbarsPage::AddToolbarItem(CKtvPToolBar* pToolBar, const CString& strName)
{
    const int iItem = m_wndToolbarList.AddString(strName);
    m_wndToolbarList.SetItemDataPtr(iItem, pToolBar);
    m_wndToolbarList.SetCheck(iItem, (pToolBar->GetStyle() & WS_VISIBLE) ? 1 : 0);
    m_wndToolbarList.EnableItem(iItem, pToolBar->CanBeClosed());
    m_wndToolbarList.SetCurSel(iItem);
    m_wndToolbarList.SetTopIndex(iItem);
    OnSelchangeToolbarList();
    return iItem;
}

void CKtvPToolbarsPage::OnNewToolbar()
{
    CKtvPToolbarNameDlg dlg(this);
    if (dlg.DoModal() != IDOK || dlg.m_strToolbarName.IsEmpty())
        return;
    if (m_pParentFrame == nullptr) {
        ::MessageBeep(MB_ICONASTERISK);
        return;
    }
    auto* pNew = reinterpret_cast<CKtvPToolBar*>(m_pParentFrame->SendMessage(
        KTVM_CREATETOOLBAR, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(dlg.m_strToolbarName))));
    if (pNew == nullptr)
        return;
    const int iItem = AddToolbarItem(pNew, dlg.m_strToolbarName);
    m_wndToolbarList.SetCheck(iItem, 1);
}

void CKtvPToolbarsPage::OnRenameToolbar()
{
    if (m_pSelectedToolbar == nullptr)
        return;
    CKtvPToolbarNameDlg dlg(this);
    m_pSelectedToolbar->GetWindowText(dlg.m_strToolbarName);
    if (dlg.DoModal() != IDOK || dlg.m_strToolbarName.IsEmpty())
        return;
    CKtvPToolBar* pToolBar = m_pSelectedToolbar;
    pToolBar->SetWindowText(dlg.m_strToolbarName);
    if (pToolBar->IsFloating()) {
        if (CKtvPMiniFrameWnd* pMiniFrame = pToolBar->GetParentMiniFrame(TRUE)) {
            pMiniFrame->SetWindowText(dlg.m_strToolbarName);
            pMiniFrame->RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        }
    }
    const int iOld = FindToolbarItem(pToolBar);
    if (iOld >= 0)
        m_wndToolbarList.DeleteString(iOld);
    AddToolbarItem(pToolBar, dlg.m_strToolbarName);
}

void CKtvPToolbarsPage::OnDeleteToolbar()
{
    if (m_pSelectedToolbar == nullptr)
        return;
    if (m_pParentFrame == nullptr) {
        ::MessageBeep(MB_ICONASTERISK);
        return;
    }
    CString strName;
    m_pSelectedToolbar->GetWindowText(strName);
    if (ToolbarsPageAsk(IDS_KTVP_DELETE_TOOLBAR, strName) != IDYES)
        return;
    CKtvPToolBar* pToolBar = m_pSelectedToolbar;
    const int iItem = FindToolbarItem(pToolBar);
    if (!m_pParentFrame->SendMessage(KTVM_DELETETOOLBAR, 0, reinterpret_cast<LPARAM>(pToolBar))) {
        ::MessageBeep(MB_ICONASTERISK);
        return;
    }
    if (iItem >= 0)
        m_wndToolbarList.DeleteString(iItem);
    m_wndToolbarList.SetCurSel(0);
    OnSelchangeToolbarList();
}

void CKtvPToolbarsPage::OnTextLabels()
{
    UpdateData();
    if (m_pSelectedToolbar != nullptr)
        m_pSelectedToolbar->EnableTextLabels(m_bTextLabels);
}
