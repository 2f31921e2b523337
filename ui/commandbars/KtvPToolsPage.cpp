#include "ui/commandbars/KtvPToolsPage.h"

#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CFileDialog.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "resources/CustomizeIds.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/commandbars/KtvPUserTool.h"

// --- the list ---------------------------------------------------------------------------------

void CKtvPToolsPageList::OnSelectionChanged()
{
    m_pParent->OnSelchangeToolsList();
}

BOOL CKtvPToolsPageList::OnBeforeRemoveItem(int iItem)
{
    CKtvPUserTool* pTool = m_pParent->GetToolByIndex(iItem);
    if (pTool != nullptr && g_pUserToolsManager != nullptr)
        g_pUserToolsManager->RemoveTool(pTool);
    // The item's data is gone with the tool; the item follows it.
    SetItemData(iItem, 0);
    m_pParent->m_pSelTool = nullptr;
    return TRUE;
}

BOOL CKtvPToolsPageList::RemoveItem(int iIndex)
{
    const BOOL bRemoved = CKtvPEditListCtrl::RemoveItem(iIndex);
    if (bRemoved && GetSelItem() < 0 && m_pParent->GetSafeHwnd() != nullptr)
        m_pParent->OnSelchangeToolsList();
    return bRemoved;
}

void CKtvPToolsPageList::OnAfterAddItem(int iItem)
{
    CKtvPUserTool* pTool = m_pParent->CreateNewTool();
    if (pTool == nullptr) {
        RemoveItem(iItem);
        return;
    }
    pTool->m_strLabel = GetItemText(iItem);
    SetItemData(iItem, reinterpret_cast<DWORD_PTR>(pTool));
    m_pParent->OnSelchangeToolsList();
}

void CKtvPToolsPageList::OnAfterRenameItem(int iItem)
{
    if (CKtvPUserTool* pTool = m_pParent->GetToolByIndex(iItem))
        pTool->m_strLabel = GetItemText(iItem);
}

void CKtvPToolsPageList::OnAfterMoveItemUp(int iItem)
{
    if (CKtvPUserTool* pTool = m_pParent->GetToolByIndex(iItem))
        if (g_pUserToolsManager != nullptr)
            g_pUserToolsManager->MoveToolUp(pTool);
}

void CKtvPToolsPageList::OnAfterMoveItemDown(int iItem)
{
    if (CKtvPUserTool* pTool = m_pParent->GetToolByIndex(iItem))
        if (g_pUserToolsManager != nullptr)
            g_pUserToolsManager->MoveToolDown(pTool);
}

// --- the page ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKtvPToolsPage, CPropertyPage)
    ON_BN_CLICKED(IDC_KTVP_TOOLS_BROWSE, OnBrowseCommand)
    ON_EN_UPDATE(IDC_KTVP_TOOLS_COMMAND, OnUpdateTool)
    ON_EN_UPDATE(IDC_KTVP_TOOLS_ARGUMENTS, OnUpdateTool)
    ON_EN_UPDATE(IDC_KTVP_TOOLS_INITIAL_DIR, OnUpdateTool)
    ON_BN_CLICKED(IDC_KTVP_TOOLS_ARGUMENTS_MENU, OnArgumentsOptions)
    ON_BN_CLICKED(IDC_KTVP_TOOLS_INITIAL_DIR_MENU, OnInitialDirectoryOptions)
END_MESSAGE_MAP()

CKtvPToolsPage::CKtvPToolsPage() : CPropertyPage(IDD_KTVP_TOOLS_PAGE), m_wndToolsList(this)
{
    // The list inside the page is a list view.
    ::InitCommonControls();
}

CKtvPToolsPage::~CKtvPToolsPage() = default;

void CKtvPToolsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_TOOLS_INITIAL_DIR_MENU, m_wndInitialDirBtn);
    DDX_Control(pDX, IDC_KTVP_TOOLS_ARGUMENTS_MENU, m_wndArgumentsBtn);
    DDX_Control(pDX, IDC_KTVP_TOOLS_ARGUMENTS, m_wndArgumentsEdit);
    DDX_Control(pDX, IDC_KTVP_TOOLS_INITIAL_DIR, m_wndInitialDirEdit);
    DDX_Control(pDX, IDC_KTVP_TOOLS_COMMAND, m_wndCommandEdit);
    DDX_Control(pDX, IDC_KTVP_TOOLS_BROWSE, m_wndBrowseBtn);
    DDX_Control(pDX, IDC_KTVP_TOOLS_LIST, m_wndToolsList);
    DDX_Text(pDX, IDC_KTVP_TOOLS_COMMAND, m_strCommand);
    DDX_Text(pDX, IDC_KTVP_TOOLS_ARGUMENTS, m_strArguments);
    DDX_Text(pDX, IDC_KTVP_TOOLS_INITIAL_DIR, m_strInitialDirectory);
}

BOOL CKtvPToolsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_pParentSheet = dynamic_cast<CKtvPToolbarCustomize*>(GetParent());
    m_wndToolsList.SetStandardButtons();
    if (m_pParentSheet != nullptr)
        m_pParentSheet->OnInitToolsPage();

    if (g_pUserToolsManager != nullptr) {
        const CObList& tools = g_pUserToolsManager->GetUserTools();
        for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
            auto* pTool = static_cast<CKtvPUserTool*>(tools.GetNext(pos));
            m_wndToolsList.AddItem(pTool->m_strLabel, reinterpret_cast<DWORD_PTR>(pTool));
        }
        const struct {
            UINT uiMenu;
            CMenu& menu;
            CKtvPMenuButton& button;
        } menuButtons[] = {
            {g_pUserToolsManager->GetInitialDirMenuID(), m_menuInitialDir, m_wndInitialDirBtn},
            {g_pUserToolsManager->GetArgumentsMenuID(), m_menuArguments, m_wndArgumentsBtn},
        };
        for (const auto& entry : menuButtons) {
            if (entry.uiMenu == 0 || !entry.menu.LoadMenu(entry.uiMenu))
                continue;
            CMenu* pPopup = entry.menu.GetSubMenu(0);
            entry.button.ShowWindow(SW_SHOW);
            entry.button.m_Menu = pPopup != nullptr ? pPopup->GetSafeHmenu() : nullptr;
            entry.button.m_MenuOnRight = TRUE;
        }
    }
    EnableControls();
    return TRUE;
}

CKtvPUserTool* CKtvPToolsPage::GetToolByIndex(int iItem)
{
    if (iItem < 0)
        return nullptr;
    return reinterpret_cast<CKtvPUserTool*>(m_wndToolsList.GetItemData(iItem));
}

void CKtvPToolsPage::EnableControls()
{
    const BOOL bEnable = m_wndToolsList.GetSelItem() >= 0;
    for (CWnd* pWnd : {static_cast<CWnd*>(&m_wndCommandEdit), static_cast<CWnd*>(&m_wndArgumentsEdit),
                       static_cast<CWnd*>(&m_wndInitialDirEdit), static_cast<CWnd*>(&m_wndBrowseBtn),
                       static_cast<CWnd*>(&m_wndArgumentsBtn), static_cast<CWnd*>(&m_wndInitialDirBtn)}) {
        if (pWnd->GetSafeHwnd() != nullptr)
            pWnd->EnableWindow(bEnable);
    }
}

void CKtvPToolsPage::OnSelchangeToolsList()
{
    CKtvPUserTool* pTool = GetToolByIndex(m_wndToolsList.GetSelItem());
    if (pTool != nullptr) {
        m_strCommand = pTool->GetCommand();
        m_strArguments = pTool->m_strArguments;
        m_strInitialDirectory = pTool->m_strInitialDirectory;
    } else {
        m_strCommand.Empty();
        m_strArguments.Empty();
        m_strInitialDirectory.Empty();
    }
    if (m_pParentSheet != nullptr)
        m_pParentSheet->OnBeforeChangeTool(m_pSelTool);
    m_pSelTool = pTool;
    ShowValues();
    EnableControls();
    if (m_pParentSheet != nullptr)
        m_pParentSheet->OnAfterChangeTool(m_pSelTool);
}

void CKtvPToolsPage::ShowValues()
{
    // While one edit is filled the others still hold the previous tool's values.
    m_bShowingValues = TRUE;
    UpdateData(FALSE);
    m_bShowingValues = FALSE;
}

void CKtvPToolsPage::OnUpdateTool()
{
    if (m_wndCommandEdit.GetSafeHwnd() == nullptr || m_bShowingValues)
        return;
    UpdateData();
    CKtvPUserTool* pTool = GetToolByIndex(m_wndToolsList.GetSelItem());
    if (pTool != nullptr) {
        // SetCommand reloads the tool's icon; it is cheap enough for every keystroke.
        if (pTool->GetCommand() != m_strCommand)
            pTool->SetCommand(m_strCommand);
        pTool->m_strArguments = m_strArguments;
        pTool->m_strInitialDirectory = m_strInitialDirectory;
    } else if (!m_strCommand.IsEmpty() || !m_strArguments.IsEmpty() || !m_strInitialDirectory.IsEmpty()) {
        m_strCommand.Empty();
        m_strArguments.Empty();
        m_strInitialDirectory.Empty();
        ShowValues();
    }
    EnableControls();
}

void CKtvPToolsPage::OnOK()
{
    OnUpdateTool();
    CPropertyPage::OnOK();
}

BOOL CKtvPToolsPage::OnKillActive()
{
    if (m_pParentSheet != nullptr && g_pUserToolsManager != nullptr &&
        !m_pParentSheet->CheckToolsValidity(g_pUserToolsManager->GetUserTools()))
        return FALSE;
    return CPropertyPage::OnKillActive();
}

void CKtvPToolsPage::OnBrowseCommand()
{
    if (g_pUserToolsManager == nullptr)
        return;
    CFileDialog dlg(TRUE, g_pUserToolsManager->GetDefExt(), nullptr, 0, g_pUserToolsManager->GetFilter(), this);
    if (dlg.DoModal() != IDOK)
        return;
    m_strCommand = dlg.GetPathName();
    // Shown, then stored as a typed command is.
    m_wndCommandEdit.SetWindowText(m_strCommand);
    OnUpdateTool();
}

void CKtvPToolsPage::TypeMenuChoice(CKtvPMenuButton& button, CEdit& edit)
{
    if (button.m_MenuResult == 0)
        return;
    CString strText;
    if (!strText.LoadString(static_cast<UINT>(button.m_MenuResult)))
        return;
    edit.SetFocus();
    for (int i = 0; i < strText.GetLength(); i++)
        edit.SendMessage(WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(strText[i])), 0);
}

void CKtvPToolsPage::OnArgumentsOptions()
{
    TypeMenuChoice(m_wndArgumentsBtn, m_wndArgumentsEdit);
}

void CKtvPToolsPage::OnInitialDirectoryOptions()
{
    TypeMenuChoice(m_wndInitialDirBtn, m_wndInitialDirEdit);
}

CKtvPUserTool* CKtvPToolsPage::CreateNewTool()
{
    if (g_pUserToolsManager == nullptr)
        return nullptr;
    const int nMaxTools =
        static_cast<int>(g_pUserToolsManager->GetLastCmdId() - g_pUserToolsManager->GetFirstCmdId() + 1);
    if (g_pUserToolsManager->GetUserTools().GetCount() >= nMaxTools) {
        CString strFormat;
        strFormat.LoadString(IDS_KTVP_TOOLS_LIMIT);
        CString strMessage;
        strMessage.Format(strFormat, nMaxTools);
        AfxMessageBox(strMessage, MB_OK);
        return nullptr;
    }
    return g_pUserToolsManager->CreateNewTool();
}
