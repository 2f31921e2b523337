#include "ui/commandbars/KtvPToolbarCustomize.h"

#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "resources/CustomizeIds.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPCustomizePage.h"
#include "ui/commandbars/KtvPKeyboardPage.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPMenuPage.h"
#include "ui/commandbars/KtvPMouseManager.h"
#include "ui/commandbars/KtvPOptionsPage.h"
#include "ui/commandbars/KtvPTabbedToolbar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/KtvPToolbarsPage.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPOutlookBar.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPNotBuilt.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPWorkspace.h"
#include "platform/mfc/CDockBar.h"

IMPLEMENT_DYNAMIC(CKtvPToolbarCustomize, CPropertySheet)

CKtvPToolbarCustomize* CKtvPToolbarCustomize::m_pCustomizeSheet = nullptr;

BEGIN_MESSAGE_MAP(CKtvPToolbarCustomize, CPropertySheet)
    ON_WM_CREATE()
    ON_MESSAGE(WM_HELP, OnHelp)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

namespace {

// Help ids of the sheet's controls are the control ids moved into the library's help range.
constexpr DWORD kCustomizeHelpIdBase = 0x41000;
constexpr UINT kCustomizeFlagReserved = 0x40;

}  // namespace

CKtvPToolbarCustomize::CKtvPToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus, UINT uiFlags,
                                             CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages)
    : CPropertySheet(_T(""), pWndParentFrame, 0),
      m_pParentFrame(pWndParentFrame),
      m_bAutoSetFromMenus(bAutoSetFromMenus),
      m_uiFlags(uiFlags)
{
    m_ButtonsByCategory.InitHashTable(17);
    // The sheet lays out its own Help button, so the control always makes one.
    m_psh.dwFlags |= PSH_HASHELP;

    if (plistCustomPages != nullptr) {
        for (POSITION pos = plistCustomPages->GetHeadPosition(); pos != nullptr;) {
            CRuntimeClass* pClass = plistCustomPages->GetNext(pos);
            CObject* pObject = pClass != nullptr ? pClass->CreateObject() : nullptr;
            auto* pPage = dynamic_cast<CPropertyPage*>(pObject);
            if (pPage == nullptr) {
                delete pObject;
                continue;
            }
            m_listCustomPages.AddTail(pPage);
        }
    }

    if (!CKtvPVisualManager::GetInstance()->IsLook2000Allowed())
        m_uiFlags &= ~KTVCUSTOMIZE_LOOK_2000;
    m_uiFlags &= ~kCustomizeFlagReserved;
    m_bSaveMenuAmps = (m_uiFlags & KTVCUSTOMIZE_SAVE_MENU_AMPS) != 0;

    m_pCustomizePage = new CKtvPCustomizePage;
    m_pToolbarsPage = new CKtvPToolbarsPage(m_pParentFrame);
    m_pKeyboardPage = new CKtvPKeyboardPage(m_pParentFrame, m_bAutoSetFromMenus);
    m_pMenuPage = new CKtvPMenuPage(m_pParentFrame, m_bAutoSetFromMenus);
    AddPage(m_pCustomizePage);
    AddPage(m_pToolbarsPage);
    CustomizeAddToolsAndKeyboardPages();

    const BOOL bMenuBar = GetFrameMenuBar(m_pParentFrame) != nullptr;
    if (g_pContextMenuManager != nullptr || bMenuBar)
        AddPage(m_pMenuPage);
    CustomizeAddMousePage();
    for (POSITION pos = m_listCustomPages.GetHeadPosition(); pos != nullptr;)
        AddPage(m_listCustomPages.GetNext(pos));
    m_pOptionsPage = new CKtvPOptionsPage(bMenuBar);
    AddPage(m_pOptionsPage);

    CString strCaption;
    strCaption.LoadString(IDS_KTVP_CUSTOMIZE);
    SetTitle(strCaption);
    m_strAllCommands.LoadString(IDS_KTVP_ALL_COMMANDS);
    m_pCustomizePage->SetAllCommandsCategory(m_strAllCommands);
    m_pKeyboardPage->SetAllCommandsCategory(m_strAllCommands);

    if (m_bAutoSetFromMenus)
        SetupFromMenus();

    CString strNewMenu;
    strNewMenu.LoadString(IDS_KTVP_NEW_MENU);
    CKtvPToolbarMenuButton newMenu(0, nullptr, -1, strNewMenu);
    AddButton(strNewMenu, newMenu);
}

CKtvPToolbarCustomize::~CKtvPToolbarCustomize()
{
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
    delete m_pCustomizePage;
    delete m_pToolbarsPage;
    delete m_pMenuPage;
    delete m_pOptionsPage;
    CustomizeDeleteOwnPages();
    if (m_pCustomizeSheet == this)
        m_pCustomizeSheet = nullptr;
}

int CKtvPToolbarCustomize::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CPropertySheet::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_uiFlags & KTVCUSTOMIZE_CONTEXT_HELP)
        ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    m_pCustomizeSheet = this;
    return 0;
}

BOOL CKtvPToolbarCustomize::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    if (!::IsWindow(m_hWnd))
        return bResult;

    CWnd* pCancel = GetDlgItem(IDCANCEL);
    if (pCancel == nullptr)
        return bResult;
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectCancel;
    pCancel->GetWindowRect(&rectCancel);
    ScreenToClient(&rectCancel);
    CRect rectWnd;
    GetWindowRect(&rectWnd);

    pCancel->ShowWindow(SW_SHOW);
    pCancel->EnableWindow(TRUE);
    SetWindowPos(nullptr, 0, 0, rectWnd.Width(), rectWnd.Height() + rectCancel.Height() + 16,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const int nCancelTop = rectCancel.top;
    pCancel->SetWindowPos(nullptr, rectClient.right - rectCancel.Width() - 8, rectCancel.top + 4, 0, 0,
                          SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (CWnd* pOK = GetDlgItem(IDOK)) {
        if (pOK->GetStyle() & BS_DEFPUSHBUTTON)
            pCancel->ModifyStyle(0, BS_DEFPUSHBUTTON);
    }
    CString strClose;
    strClose.LoadString(IDS_KTVP_CLOSE);
    pCancel->SetWindowText(strClose);

    CWnd* pHelp = GetDlgItem(IDHELP);
    if (pHelp == nullptr)
        return bResult;
    if (m_uiFlags & KTVCUSTOMIZE_NOHELP) {
        pHelp->ShowWindow(SW_HIDE);
        pHelp->EnableWindow(FALSE);
        return bResult;
    }
    pHelp->ShowWindow(SW_SHOW);
    pHelp->EnableWindow(TRUE);
    HBITMAP hbmHelp = static_cast<HBITMAP>(::LoadImage(AfxGetResourceHandle(),
                                                        MAKEINTRESOURCE(IDB_KTVP_CUSTOMIZE_HELP), IMAGE_BITMAP, 0,
                                                        0, LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS));
    BITMAP bmp{};
    if (hbmHelp != nullptr && ::GetObject(hbmHelp, sizeof(bmp), &bmp) != 0) {
        pHelp->ModifyStyle(0, BS_BITMAP);
        pHelp->SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hbmHelp));
        pHelp->SetWindowPos(nullptr, rectClient.left + 8, nCancelTop, bmp.bmWidth + 8, bmp.bmHeight + 8,
                            SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        // Without its picture the button keeps its text and size in the same place.
        pHelp->SetWindowPos(nullptr, rectClient.left + 8, nCancelTop, 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return bResult;
}

BOOL CKtvPToolbarCustomize::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDCANCEL:
        if (g_pUserToolsManager != nullptr && m_pToolsPage != nullptr &&
            !CheckToolsValidity(g_pUserToolsManager->GetUserTools())) {
            if (GetActivePage() != CustomizeToolsPage())
                SetActivePage(CustomizeToolsPage());
            return TRUE;
        }
        DestroyWindow();
        return TRUE;
    case IDHELP:
        if (m_pParentFrame != nullptr)
            m_pParentFrame->SendMessage(KTVM_CUSTOMIZEHELP, GetActiveIndex(), reinterpret_cast<LPARAM>(this));
        return TRUE;
    default:
        return CPropertySheet::OnCommand(wParam, lParam);
    }
}

LRESULT CKtvPToolbarCustomize::OnHelp(WPARAM, LPARAM lParam)
{
    auto* pHelpInfo = reinterpret_cast<HELPINFO*>(lParam);
    if ((m_uiFlags & KTVCUSTOMIZE_CONTEXT_HELP) && pHelpInfo != nullptr &&
        pHelpInfo->iContextType == HELPINFO_WINDOW) {
        // No help engine serves the pop-ups here; WinHelp reports that itself.
        if (CWinApp* pApp = AfxGetApp())
            pApp->WinHelp(static_cast<DWORD_PTR>(pHelpInfo->iCtrlId) + kCustomizeHelpIdBase, HELP_CONTEXTPOPUP);
        return TRUE;
    }
    if (m_pParentFrame != nullptr)
        m_pParentFrame->SendMessage(KTVM_CUSTOMIZEHELP, GetActiveIndex(), reinterpret_cast<LPARAM>(this));
    return TRUE;
}

void CKtvPToolbarCustomize::OnContextMenu(CWnd* pWnd, CPoint)
{
    if (!(m_uiFlags & KTVCUSTOMIZE_CONTEXT_HELP))
        return;
    CKtvPWorkspace* pWorkspace = KtvGetWorkspace();
    if (pWorkspace == nullptr)
        return;
    static DWORD s_helpIds[2 * 36];
    if (s_helpIds[0] == 0) {
        const UINT ranges[][2] = {{16601, 16603}, {16611, 16617}, {16621, 16626}, {16631, 16634},
                                  {16601, 16601}, {16641, 16647}, {16651, 16657}};
        int i = 0;
        for (const auto& range : ranges)
            for (UINT id = range[0]; id <= range[1]; id++) {
                s_helpIds[i++] = id;
                s_helpIds[i++] = id + kCustomizeHelpIdBase;
            }
    }
    pWorkspace->OnAppContextHelp(pWnd, s_helpIds);
}

BOOL CKtvPToolbarCustomize::Create()
{
    // A window that goes while it is being made leaves the object to the caller.
    m_bCreating = TRUE;
    const BOOL bCreated = CPropertySheet::Create(m_pParentFrame) && ::IsWindow(m_hWnd);
    m_bCreating = FALSE;
    if (!bCreated)
        return FALSE;
    EnableCustomizeMode(TRUE);
    return TRUE;
}

void CKtvPToolbarCustomize::PostNcDestroy()
{
    if (m_pCustomizeSheet == this)
        m_pCustomizeSheet = nullptr;
    EnableCustomizeMode(FALSE);
    CPropertySheet::PostNcDestroy();
    if (!m_bCreating)
        delete this;
}

namespace {

// Bars stay usable while customising: buttons are dragged onto and between them.
BOOL CustomizeKeepsEnabled(CWnd* pWnd)
{
    return pWnd->IsKindOf(RUNTIME_CLASS(CDockBar)) || pWnd->IsKindOf(RUNTIME_CLASS(CKtvPDockBar)) ||
           pWnd->IsKindOf(RUNTIME_CLASS(CKtvPOutlookBar)) || pWnd->IsKindOf(RUNTIME_CLASS(CKtvPReBar)) ||
           pWnd->IsKindOf(RUNTIME_CLASS(CKtvPToolBar));
}

}  // namespace

void CKtvPToolbarCustomize::EnableCustomizeMode(BOOL bEnable)
{
    if (bEnable == m_bCustomizeMode)
        return;
    m_bCustomizeMode = bEnable;
    CWaitCursor wait;
    if (bEnable)
        m_hwndCustomizedFrame = m_pParentFrame != nullptr ? m_pParentFrame->GetSafeHwnd() : nullptr;
    // The frame may be going already (its owned sheet goes first); then only the bars leave the mode.
    const BOOL bFrameAlive = m_hwndCustomizedFrame != nullptr && ::IsWindow(m_hwndCustomizedFrame);

    if (bEnable && bFrameAlive) {
        m_listDisabledWnds.RemoveAll();
        for (CWnd* pChild = m_pParentFrame->GetWindow(GW_CHILD); pChild != nullptr;
             pChild = pChild->GetWindow(GW_HWNDNEXT)) {
            if (CustomizeKeepsEnabled(pChild) || !pChild->IsWindowEnabled())
                continue;
            pChild->EnableWindow(FALSE);
            m_listDisabledWnds.AddTail(pChild->GetSafeHwnd());
        }
    } else if (!bEnable) {
        while (!m_listDisabledWnds.IsEmpty()) {
            HWND hWnd = m_listDisabledWnds.RemoveHead();
            if (::IsWindow(hWnd))
                ::EnableWindow(hWnd, TRUE);
        }
    }

    if (!bFrameAlive) {
        CKtvPToolBar::SetCustomizeMode(bEnable);
        return;
    }
    m_pParentFrame->LockWindowUpdate();
    CKtvPToolBar::SetCustomizeMode(bEnable);
    m_pParentFrame->SendMessage(KTVM_CUSTOMIZETOOLBAR, bEnable, 0);
    m_pParentFrame->UnlockWindowUpdate();

    if (!bEnable) {
        if (CFrameWnd* pActive = m_pParentFrame->GetActiveFrame())
            pActive->PostMessage(WM_SETFOCUS);
    }
}

void CKtvPToolbarCustomize::EnableUserDefinedToolbars(BOOL bEnable)
{
    if (m_pToolbarsPage != nullptr)
        m_pToolbarsPage->EnableUserDefinedToolbars(bEnable);
}

void CKtvPToolbarCustomize::ShowToolBar(CKtvPToolBar* pToolBar, BOOL bShow)
{
    if (m_pToolbarsPage != nullptr)
        m_pToolbarsPage->OnToolbarShown(pToolBar, bShow);
}
