#include "ui/frames/KtvPFrameImpl.h"

#include <string>

#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CDockBar.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CView.h"
#include "platform/win32/kernel/Utf8Text.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "platform/mfc/CWinApp.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPCustomizeMenuButton.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPDlgImpl.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPNotBuilt.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

constexpr DWORD kUserToolbarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE;

// The toolbars the frame keeps for the user may float.
void LetToolbarFloat(CKtvPControlBar* pBar)
{
    pBar->SetControlBarStyle(pBar->GetControlBarStyle() | KTVP_CBRS_FLOAT);
}

}  // namespace

CKtvPToolBar* CKtvPFrameImpl::m_pCustomizeToolbar = nullptr;
CMap<UINT, UINT, UINT, UINT> CKtvPFrameImpl::m_mapCustomizeIds;

CKtvPFrameImpl::CKtvPFrameImpl(CFrameWnd* pFrame)
    : m_uiUserToolbarFirst((UINT)-1),
      m_uiUserToolbarLast((UINT)-1),
      m_listUserDefinedToolbars(10),
      m_listTearOffToolbars(10),
      m_pMenuBar(nullptr),
      m_hDefaultMenu(nullptr),
      m_pFrame(pFrame),
      m_pDockManager(nullptr),
      m_nIDDefaultResource(0),
      m_bLoadDockState(TRUE),
      m_bMenuKeyF10Down(FALSE)
{
}

CKtvPFrameImpl::~CKtvPFrameImpl()
{
    for (CObList* list : {&m_listUserDefinedToolbars, &m_listTearOffToolbars}) {
        while (!list->IsEmpty())
            delete list->RemoveHead();
    }
}

BOOL CKtvPFrameImpl::HasUserToolbarRange() const
{
    return m_uiUserToolbarFirst != (UINT)-1 && m_uiUserToolbarLast != (UINT)-1;
}

CKtvPToolBar* CKtvPFrameImpl::CreateUserToolbarWindow(UINT uiID)
{
    auto* pToolBar = new CKtvPToolBar;
    if (!pToolBar->Create(m_pFrame, kUserToolbarStyle, uiID)) {
        delete pToolBar;
        return nullptr;
    }
    return pToolBar;
}

CString CKtvPFrameImpl::GetTearOffBase()
{
    CKtvPWorkspace* pWorkspace = KtvGetWorkspace();
    CString strBase = pWorkspace != nullptr ? pWorkspace->GetRegSectionPath("") : CString();
    strBase += "ControlBars-TearOff";
    return strBase;
}

void CKtvPFrameImpl::ConfigureToolbar(CKtvPToolBar* pToolBar)
{
    pToolBar->SetBarStyle(pToolBar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    LetToolbarFloat(pToolBar);
    pToolBar->EnableDocking(CBRS_ALIGN_ANY);
}

void CKtvPFrameImpl::RestorePosition(CREATESTRUCT& cs)
{
    CKtvPWorkspace* pWorkspace = KtvGetWorkspace();
    if (pWorkspace == nullptr || cs.hInstance == nullptr)
        return;

    CRect rectNormal(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
    int nFlags = 0;
    int nShowCmd = SW_SHOWNORMAL;
    if (!pWorkspace->LoadWindowPlacement(rectNormal, nFlags, nShowCmd))
        return;

    if (nShowCmd != SW_SHOWMAXIMIZED)
        nShowCmd = SW_SHOWNORMAL;

    // A minimised or maximised start asked for by the caller stays.
    if (CWinApp* pApp = AfxGetApp()) {
        const int nAppShow = pApp->m_nCmdShow;
        if (nAppShow < SW_SHOWMINIMIZED || nAppShow > SW_SHOWMINNOACTIVE || nAppShow == SW_SHOW ||
            nAppShow == SW_SHOWNOACTIVATE)
            pApp->m_nCmdShow = nShowCmd;
    }

    CRect rectWork;
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    HMONITOR hMonitor = ::MonitorFromPoint(rectNormal.TopLeft(), MONITOR_DEFAULTTONEAREST);
    if (hMonitor != nullptr && ::GetMonitorInfo(hMonitor, &mi))
        rectWork = mi.rcWork;
    else
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);

    if (nShowCmd == SW_SHOWMAXIMIZED) {
        cs.x = rectWork.left;
        cs.y = rectWork.top;
        cs.cx = rectWork.Width();
        cs.cy = rectWork.Height();
        return;
    }

    CRect rectVisible;
    if (rectVisible.IntersectRect(rectNormal, rectWork)) {
        cs.x = rectVisible.left;
        cs.y = rectVisible.top;
        cs.cx = rectNormal.Width();
        cs.cy = rectNormal.Height();
    }
}

void CKtvPFrameImpl::OnCloseFrame()
{
    CKtvPWorkspace* pWorkspace = KtvGetWorkspace();
    if (pWorkspace == nullptr)
        return;

    pWorkspace->OnClosingMainFrame(this);

    if (m_pFrame == nullptr || !::IsWindow(m_pFrame->GetSafeHwnd()))
        return;

    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (!m_pFrame->GetWindowPlacement(&wp))
        return;
    if (wp.showCmd != SW_SHOWMAXIMIZED)
        wp.showCmd = SW_SHOWNORMAL;

    // The placement is in work-area coordinates; the store keeps screen ones.
    CRect rectWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    CRect rectNormal(wp.rcNormalPosition);
    rectNormal.OffsetRect(rectWork.TopLeft());
    pWorkspace->StoreWindowPlacement(rectNormal, static_cast<int>(wp.flags), static_cast<int>(wp.showCmd));
}

void CKtvPFrameImpl::OnLoadFrame()
{
    if (CKtvPWorkspace* pWorkspace = KtvGetWorkspace())
        pWorkspace->LoadState(nullptr, this);
}

BOOL CKtvPFrameImpl::LoadLargeIconsState()
{
    CKtvPWorkspace* pWorkspace = KtvGetWorkspace();
    if (pWorkspace == nullptr)
        return FALSE;
    // Before the toolbars exist, so that they are created in the stored size.
    return CKtvPToolBar::LoadLargeIconsState(pWorkspace->GetRegSectionPath(""));
}

void CKtvPFrameImpl::SetMenuBar(CKtvPMenuBar* pMenuBar)
{
    m_pMenuBar = pMenuBar;
    m_hDefaultMenu = ::GetMenu(m_pFrame->GetSafeHwnd());

    m_pMenuBar->OnDefaultMenuLoaded(m_hDefaultMenu);
    m_pMenuBar->CreateFromMenu(m_hDefaultMenu, TRUE, FALSE);
    // The menu bar shows the menu from now on, not the window's menu line.
    ::SetMenu(m_pFrame->GetSafeHwnd(), nullptr);
    m_pMenuBar->SetDefaultMenuResId(m_nIDDefaultResource);
}

void CKtvPFrameImpl::InitUserToolbars(LPCTSTR lpszRegEntry, UINT uiUserToolbarFirst, UINT uiUserToolbarLast)
{
    if (uiUserToolbarFirst == (UINT)-1 || uiUserToolbarLast == (UINT)-1)
        return;

    m_uiUserToolbarFirst = uiUserToolbarFirst;
    m_uiUserToolbarLast = uiUserToolbarLast;

    if (lpszRegEntry != nullptr)
        m_strControlBarRegEntry = lpszRegEntry;
    else if (CKtvPWorkspace* pWorkspace = KtvGetWorkspace())
        m_strControlBarRegEntry = pWorkspace->GetRegSectionPath("");
    else
        m_strControlBarRegEntry = "";
}

void CKtvPFrameImpl::LoadUserToolbars()
{
    if (!HasUserToolbarRange() || m_uiUserToolbarLast < m_uiUserToolbarFirst)
        return;

    for (UINT uiID = m_uiUserToolbarFirst; uiID <= m_uiUserToolbarLast; uiID++) {
        CKtvPToolBar* pNewToolbar = CreateUserToolbarWindow(uiID);
        if (pNewToolbar == nullptr)
            continue;

        if (!pNewToolbar->LoadState(m_strControlBarRegEntry, -1, (UINT)-1)) {
            // Nothing stored for this id.
            pNewToolbar->DestroyWindow();
            delete pNewToolbar;
            continue;
        }
        ConfigureToolbar(pNewToolbar);
        // The stored position is applied by the docking layout later.
        if (m_pDockManager != nullptr)
            m_pDockManager->DockControlBar(pNewToolbar, 0, nullptr);
        m_listUserDefinedToolbars.AddTail(pNewToolbar);
    }
}

void CKtvPFrameImpl::SaveUserToolbars(BOOL bFrameBarsOnly)
{
    for (POSITION pos = m_listUserDefinedToolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pToolBar = static_cast<CKtvPToolBar*>(m_listUserDefinedToolbars.GetNext(pos));
        if (bFrameBarsOnly && pToolBar->GetTopLevelFrame() != m_pFrame)
            continue;
        pToolBar->SaveState(m_strControlBarRegEntry, -1, (UINT)-1);
    }
}

CKtvPToolBar* CKtvPFrameImpl::GetUserToolBarByIndex(int nIndex) const
{
    POSITION pos = m_listUserDefinedToolbars.FindIndex(nIndex);
    return pos != nullptr ? static_cast<CKtvPToolBar*>(m_listUserDefinedToolbars.GetAt(pos)) : nullptr;
}

BOOL CKtvPFrameImpl::IsUserDefinedToolbar(const CKtvPControlBar* pToolBar) const
{
    if (pToolBar == nullptr || !HasUserToolbarRange())
        return FALSE;
    const UINT uiCtrlId = static_cast<UINT>(pToolBar->GetDlgCtrlID());
    return uiCtrlId >= m_uiUserToolbarFirst && uiCtrlId <= m_uiUserToolbarLast;
}

UINT CKtvPFrameImpl::GetFreeUserToolbarId() const
{
    if (!HasUserToolbarRange() || m_uiUserToolbarLast < m_uiUserToolbarFirst)
        return 0;
    const UINT uiRangeSize = m_uiUserToolbarLast - m_uiUserToolbarFirst + 1;
    if (static_cast<UINT>(m_listUserDefinedToolbars.GetCount()) >= uiRangeSize)
        return 0;

    for (UINT uiID = m_uiUserToolbarFirst; uiID <= m_uiUserToolbarLast; uiID++) {
        BOOL bUsed = FALSE;
        for (POSITION pos = m_listUserDefinedToolbars.GetHeadPosition(); pos != nullptr && !bUsed;) {
            auto* pToolBar = static_cast<CKtvPToolBar*>(m_listUserDefinedToolbars.GetNext(pos));
            bUsed = static_cast<UINT>(pToolBar->GetDlgCtrlID()) == uiID;
        }
        if (!bUsed)
            return uiID;
    }
    return 0;
}

CKtvPToolBar* CKtvPFrameImpl::CreateNewToolbar(LPCTSTR lpszName)
{
    const UINT uiNewToolbarID = GetFreeUserToolbarId();
    if (uiNewToolbarID == 0) {
        CString strFormat;
        strFormat.LoadString(IDS_KTVP_TOO_MANY_TOOLBARS);
        CString strMessage;
        strMessage.Format(strFormat, static_cast<int>(m_uiUserToolbarLast - m_uiUserToolbarFirst + 1));
        AfxMessageBox(strMessage, MB_OK | MB_ICONINFORMATION);
        return nullptr;
    }

    CKtvPToolBar* pNewToolbar = CreateUserToolbarWindow(uiNewToolbarID);
    if (pNewToolbar == nullptr)
        return nullptr;

    pNewToolbar->SetWindowText(lpszName);
    ConfigureToolbar(pNewToolbar);

    CRect rectBar;
    pNewToolbar->GetWindowRect(rectBar);
    const CPoint ptFloat(::GetSystemMetrics(SM_CXFULLSCREEN) / 2, ::GetSystemMetrics(SM_CYFULLSCREEN) / 2);
    pNewToolbar->FloatControlBar(CRect(ptFloat, rectBar.Size()), 0, TRUE);
    // A new bar floats as one long row until the user reshapes it.
    pNewToolbar->GetRecentDockInfo().m_rectLastFloat.right =
        pNewToolbar->GetRecentDockInfo().m_rectLastFloat.left + 32767;
    m_pFrame->RecalcLayout(TRUE);

    m_listUserDefinedToolbars.AddTail(pNewToolbar);
    return pNewToolbar;
}

BOOL CKtvPFrameImpl::DeleteToolbar(CKtvPToolBar* pToolBar)
{
    POSITION pos = m_listUserDefinedToolbars.Find(pToolBar);
    if (pos == nullptr)
        return FALSE;

    m_listUserDefinedToolbars.RemoveAt(pos);
    pToolBar->RemoveStateFromRegistry(m_strControlBarRegEntry, -1, (UINT)-1);

    if (CKtvPDockBar* pDockBar = pToolBar->GetParentDockBar())
        pDockBar->RemoveControlBar(pToolBar);
    else if (CKtvPMiniFrameWnd* pMiniFrame = pToolBar->GetParentMiniFrame(TRUE))
        pMiniFrame->RemoveControlBar(pToolBar, FALSE, FALSE);
    // A docked bar is also on the dock manager's list; it must not lay out a deleted bar.
    if (m_pDockManager != nullptr)
        m_pDockManager->RemoveControlBarFromDockManager(pToolBar, FALSE, FALSE, FALSE);

    pToolBar->DestroyWindow();
    delete pToolBar;

    m_pFrame->RecalcLayout(TRUE);
    return TRUE;
}

void CKtvPFrameImpl::SetupToolbarMenu(CMenu& menu, const UINT uiViewUserToolbarCmdFirst,
                                      const UINT uiViewUserToolbarCmdLast)
{
    int iItem = 0;
    while (iItem < static_cast<int>(menu.GetMenuItemCount())) {
        const UINT uiCmd = menu.GetMenuItemID(iItem);
        if (uiCmd < uiViewUserToolbarCmdFirst || uiCmd > uiViewUserToolbarCmdLast) {
            iItem++;
            continue;
        }
        if (CKtvPToolBar* pToolBar = GetUserToolBarByIndex(static_cast<int>(uiCmd - uiViewUserToolbarCmdFirst))) {
            CString strToolbarName;
            pToolBar->GetWindowText(strToolbarName);
            menu.ModifyMenu(iItem, MF_BYPOSITION | MF_STRING, uiCmd, strToolbarName);
            iItem++;
        } else {
            // The next item moves into this place and is examined there.
            menu.DeleteMenu(iItem, MF_BYPOSITION);
        }
    }
}

void CKtvPFrameImpl::AddTearOffToolbar(CKtvPControlBar* pToolBar)
{
    m_listTearOffToolbars.AddTail(pToolBar);
    // A menu torn off floats where it was dropped, and may float again later.
    if (pToolBar != nullptr)
        LetToolbarFloat(pToolBar);
}

void CKtvPFrameImpl::RemoveTearOffToolbar(CKtvPControlBar* pToolBar)
{
    if (POSITION pos = m_listTearOffToolbars.Find(pToolBar))
        m_listTearOffToolbars.RemoveAt(pos);
}

void CKtvPFrameImpl::LoadTearOffMenus()
{
    // The bars of the session so far go; the stored ones replace them.
    while (!m_listTearOffToolbars.IsEmpty()) {
        auto* pBar = static_cast<CKtvPControlBar*>(m_listTearOffToolbars.RemoveHead());
        if (::IsWindow(pBar->GetSafeHwnd())) {
            if (pBar->IsDocked())
                pBar->UndockControlBar(TRUE);
            pBar->DestroyWindow();
        }
        delete pBar;
    }

    const CString strBase = GetTearOffBase();
    for (int n = 0;; n++) {
        CString strKey;
        strKey.Format("%s-%d", static_cast<LPCTSTR>(strBase), n);

        int nID = 0;
        CString strName;
        CObject* pObject = nullptr;
        {
            CKtvPRegistryFactory factory;
            CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
            if (!reg.Open(strKey))
                break;
            // Anything but a toolbar stored as the state is refused like a failed read.
            if (!reg.Read("ID", nID) || !reg.Read("Name", strName) ||
                !reg.Read("State", pObject, RUNTIME_CLASS(CKtvPToolBar)) || pObject == nullptr) {
                delete pObject;
                break;
            }
        }

        auto* pToolBar = static_cast<CKtvPToolBar*>(pObject);
        if (!pToolBar->Create(m_pFrame, kUserToolbarStyle, static_cast<UINT>(nID))) {
            delete pToolBar;
            break;
        }
        pToolBar->SetWindowText(strName);
        ConfigureToolbar(pToolBar);
        m_listTearOffToolbars.AddTail(pToolBar);
        pToolBar->LoadState(strBase, n, (UINT)-1);
        if (m_pDockManager != nullptr)
            m_pDockManager->DockControlBar(pToolBar, 0, nullptr);
    }
}

void CKtvPFrameImpl::SaveTearOffMenus(BOOL bFrameBarsOnly)
{
    const CString strBase = GetTearOffBase();

    // Entries of an earlier session that had more bars would otherwise come back.
    for (int n = 0;; n++) {
        CString strKey;
        strKey.Format("%s-%d", static_cast<LPCTSTR>(strBase), n);
        CKtvPRegistryFactory factory;
        if (!factory.Create(FALSE, FALSE).DeleteKey(strKey))
            break;
    }

    int n = 0;
    for (POSITION pos = m_listTearOffToolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPControlBar*>(m_listTearOffToolbars.GetNext(pos));
        if (!::IsWindow(pBar->GetSafeHwnd()) || !(pBar->GetStyle() & WS_VISIBLE))
            continue;
        if (bFrameBarsOnly && pBar->GetTopLevelFrame() != m_pFrame)
            continue;

        CString strKey;
        strKey.Format("%s-%d", static_cast<LPCTSTR>(strBase), n);
        {
            CKtvPRegistryFactory factory;
            CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
            if (reg.CreateKey(strKey)) {
                CString strName;
                pBar->GetWindowText(strName);
                reg.Write("ID", pBar->GetDlgCtrlID());
                reg.Write("Name", static_cast<LPCTSTR>(strName));
                reg.Write("State", static_cast<CObject*>(pBar));
            }
        }
        pBar->SaveState(strBase, n, (UINT)-1);
        n++;
    }
}

void CKtvPFrameImpl::SaveDockManagerState(LPCTSTR lpszProfileName)
{
    if (m_pDockManager != nullptr)
        m_pDockManager->SaveState(lpszProfileName, m_nIDDefaultResource);
}

void CKtvPFrameImpl::LoadDockManagerState(LPCTSTR lpszProfileName)
{
    if (m_bLoadDockState && m_pDockManager != nullptr)
        m_pDockManager->LoadState(lpszProfileName, m_nIDDefaultResource);
}

void CKtvPFrameImpl::SetDockManagerState(CDockState&)
{
    if (m_pDockManager != nullptr)
        m_pDockManager->SetDockState();
}

BOOL CKtvPFrameImpl::ProcessKeyboard(int nKey, BOOL* pbProcessAccel)
{
    if (pbProcessAccel != nullptr)
        *pbProcessAccel = TRUE;

    if (CKtvPPopupMenu* pPopup = CKtvPDlgImpl::GetOpenPopup()) {
        pPopup->SendMessage(WM_KEYDOWN, static_cast<WPARAM>(nKey));
        return TRUE;
    }
    if (m_pFrame->IsIconic())
        return TRUE;
    if (CKtvPToolBar::m_bCustomizeMode)
        return FALSE;

    BOOL bFocus = FALSE;
    const CObList& toolbars = CKtvPToolBar::GetAllToolbars();
    for (POSITION pos = toolbars.GetHeadPosition(); pos != nullptr && !bFocus;) {
        auto* pToolBar = static_cast<CKtvPToolBar*>(toolbars.GetNext(pos));
        if (pToolBar->GetSafeHwnd() == nullptr)
            continue;
        for (int i = 0; i < pToolBar->GetCount() && !bFocus; i++) {
            CKtvPToolbarButton* pButton = pToolBar->GetButton(i);
            bFocus = pButton != nullptr && pButton->HasFocus();
        }
    }

    BYTE fVirt = 0;
    if (::GetAsyncKeyState(VK_CONTROL) & 0x8000)
        fVirt |= FCONTROL;
    if (::GetAsyncKeyState(VK_MENU) & 0x8000)
        fVirt |= FALT;
    if (::GetAsyncKeyState(VK_SHIFT) & 0x8000)
        fVirt |= FSHIFT;

    if (!bFocus) {
        const BYTE fKey = static_cast<BYTE>(fVirt | FVIRTKEY);
        if (CKtvPKeyboardManager::IsKeyHandled(static_cast<WORD>(nKey), fKey, m_pFrame, TRUE) ||
            CKtvPKeyboardManager::IsKeyHandled(static_cast<WORD>(nKey), fKey, m_pFrame->GetActiveFrame(), FALSE))
            return FALSE;  // the accelerator wins
    }

    if (fVirt == FALT && OnMenuChar(static_cast<UINT>(nKey)))
        return TRUE;

    if (bFocus && pbProcessAccel != nullptr)
        *pbProcessAccel = FALSE;
    return FALSE;
}

BOOL CKtvPFrameImpl::ProcessMouseClick(UINT uiMsg, POINT pt, HWND hwnd)
{
    if (uiMsg == WM_LBUTTONDOWN && (CKtvPToolBar::m_bCustomizeMode || (::GetAsyncKeyState(VK_MENU) & 0x8000))) {
        // A hosted edit or combo box is dragged like any button in customise mode or with Alt.
        const CObList& toolbars = CKtvPToolBar::GetAllToolbars();
        for (POSITION pos = toolbars.GetHeadPosition(); pos != nullptr;) {
            auto* pToolBar = static_cast<CKtvPToolBar*>(toolbars.GetNext(pos));
            if (pToolBar->GetSafeHwnd() == nullptr)
                continue;
            CPoint ptClient(pt);
            pToolBar->ScreenToClient(&ptClient);
            const int iButton = pToolBar->HitTest(ptClient);
            if (iButton < 0)
                continue;
            CKtvPToolbarButton* pButton = pToolBar->GetButton(iButton);
            if (pButton != nullptr && pButton->GetHwnd() != nullptr && pButton->GetHwnd() == hwnd &&
                pButton->m_rect.PtInRect(ptClient)) {
                pToolBar->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(ptClient.x, ptClient.y));
                return TRUE;
            }
            break;
        }
    }
    return CKtvPDlgImpl::ProcessPopupClick(m_pFrame, pt);
}

UINT CKtvPFrameImpl::MenuCharKey(WPARAM wParam)
{
    const UINT nChar = LOWORD(wParam);
    return nChar >= 'a' && nChar <= 'z' ? nChar - 'a' + 'A' : nChar;
}

BOOL CKtvPFrameImpl::OnMenuChar(UINT nChar)
{
    return TranslateBarsChar(nChar, FALSE);
}

BOOL CKtvPFrameImpl::OnMenuTypedChar(UINT nCodePoint)
{
    return TranslateBarsChar(nCodePoint, TRUE);
}

BOOL CKtvPFrameImpl::TranslateBarsChar(UINT nChar, BOOL bTyped)
{
    const auto translate = [nChar, bTyped](CKtvPToolBar* pBar) {
        return bTyped ? pBar->TranslateTypedChar(nChar) : pBar->TranslateChar(nChar);
    };
    const BOOL bPreview = m_pDockManager != nullptr && m_pDockManager->IsPrintPreviewValid();
    CRuntimeClass* pPreviewBarClass = bPreview ? CRuntimeClass::FromName("CKtvPPrintPreviewToolBar") : nullptr;

    if (!bPreview && m_pMenuBar != nullptr && ::IsWindow(m_pMenuBar->GetSafeHwnd()) &&
        m_pMenuBar->IsWindowVisible() && translate(m_pMenuBar))
        return TRUE;

    const CObList& toolbars = CKtvPToolBar::GetAllToolbars();
    for (POSITION pos = toolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pToolBar = static_cast<CKtvPToolBar*>(toolbars.GetNext(pos));
        if (pToolBar->GetSafeHwnd() == nullptr)
            continue;
        if (bPreview) {
            // Only the preview's own bar answers while the preview covers the frame.
            if (pPreviewBarClass == nullptr || !pToolBar->IsKindOf(pPreviewBarClass))
                continue;
        } else if (pToolBar == static_cast<CKtvPToolBar*>(m_pMenuBar) || !pToolBar->IsWindowVisible() ||
                   pToolBar->GetTopLevelFrame() != m_pFrame) {
            continue;
        }
        if (translate(pToolBar))
            return TRUE;
    }
    return FALSE;
}

BOOL CKtvPFrameImpl::IsHelpKey(const MSG* pMsg)
{
    return pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1 && (pMsg->lParam & 0x40000000) == 0 &&
           ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0;
}

void CKtvPFrameImpl::DeactivateMenu()
{
    if (!CKtvPToolBar::m_bCustomizeMode && CKtvPDlgImpl::GetOpenPopup() != nullptr && m_pMenuBar != nullptr)
        m_pMenuBar->Deactivate();
}

BOOL CKtvPFrameImpl::OnShowPopupMenu(CKtvPPopupMenu* pMenuPopup, CFrameWnd*)
{
    CKtvPPopupMenu::m_pActivePopupMenu = pMenuPopup;
    if (pMenuPopup == nullptr)
        return TRUE;

    if (IsCustomizeMenu(pMenuPopup))
        SetupToolbarButtonsMenu(pMenuPopup);

    if (!CKtvPToolBar::m_bCustomizeMode) {
        // The bar that opened the chain takes the focus, so keys reach the menu.
        CWnd* pOwnerBar = nullptr;
        for (CKtvPPopupMenu* pPopup = pMenuPopup; pPopup != nullptr; pPopup = pPopup->GetParentPopupMenu()) {
            if (pPopup->m_pParentButton != nullptr && pPopup->m_pParentButton->m_pWndParent != nullptr)
                pOwnerBar = pPopup->m_pParentButton->m_pWndParent;
        }
        auto* pBar = pOwnerBar != nullptr && pOwnerBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))
                         ? static_cast<CKtvPBaseControlBar*>(pOwnerBar)
                         : nullptr;
        if (pBar != nullptr && !pBar->IsKindOf(RUNTIME_CLASS(CKtvPPopupMenuBar)) && pBar->IsDocked() &&
            CWnd::GetFocus() != pBar && CKtvPPopupMenu::m_bFocusOwnerBar)
            pBar->SetFocus();
    }
    return TRUE;
}

namespace {

constexpr int kCustomizeResetIndex = 17016;   // the list's reset item
constexpr int kCustomizeNoCommand = -20;      // an item that stands for no command

// The name a list shows for a command: the label part of its string.
CString CustomizeCommandName(UINT uiCmd) { return KtvCommandLabel(uiCmd); }

int CustomizeItemId(UINT uiCmd) { return (uiCmd == 0 || uiCmd == (UINT)-1) ? kCustomizeNoCommand : (int)uiCmd; }

BOOL MenuContainsCommand(HMENU hMenu, UINT uiCmd)
{
    for (int i = 0; hMenu != nullptr && i < ::GetMenuItemCount(hMenu); i++) {
        if (::GetMenuItemID(hMenu, i) == uiCmd || MenuContainsCommand(::GetSubMenu(hMenu, i), uiCmd))
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void CKtvPFrameImpl::OnShowCustomizeMenu(CKtvPPopupMenu* pMenuPopup, UINT)
{
    CKtvPToolBar* pBar = m_pCustomizeToolbar;
    if (pBar == nullptr || pMenuPopup == nullptr)
        return;

    // The bar's default buttons that are no longer on it, at their default places.
    int iDefault = -1;
    for (POSITION pos = pBar->m_OrigResetButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(pBar->m_OrigResetButtons.GetNext(pos));
        iDefault++;
        UINT uiKnown = 0;
        if ((pButton->m_nStyle & TBBS_SEPARATOR) || pButton->IsKindOf(RUNTIME_CLASS(CCustomizeButton)) ||
            m_mapCustomizeIds.Lookup(pButton->m_nID, uiKnown))
            continue;
        if (auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, pButton)) {
            HMENU hMenu = pMenuButton->CreateMenu();
            const BOOL bOwnCommand = MenuContainsCommand(hMenu, pButton->m_nID);
            if (hMenu != nullptr)
                ::DestroyMenu(hMenu);
            if (bOwnCommand)
                continue;
        }
        CKtvPCustomizeMenuButton item(CustomizeItemId(pButton->m_nID), nullptr, pButton->GetImage(),
                                      CustomizeCommandName(pButton->m_nID), pButton->m_bUserImage);
        item.m_bTextShown = TRUE;
        item.SetItemIndex(iDefault, FALSE);
        const int iAt = iDefault < pMenuPopup->GetMenuItemCount() ? iDefault : -1;
        pMenuPopup->InsertItem(item, iAt);
    }
}

BOOL CKtvPFrameImpl::IsCustomizeMenu(CKtvPPopupMenu* pMenuPopup) const
{
    // A toolbar's list sits in the "Add or Remove Buttons" sub-menu of the chevron's menu.
    CKtvPPopupMenu* pParent = pMenuPopup != nullptr ? pMenuPopup->GetParentPopupMenu() : nullptr;
    if (pParent == nullptr)
        return FALSE;
    if (pParent->m_pParentButton != nullptr) {
        CString strAddRemove;
        strAddRemove.LoadString(IDS_KTVP_ADD_REMOVE_BUTTONS);
        if (pParent->m_pParentButton->m_strText.Find(strAddRemove) < 0)
            return FALSE;
    }
    CKtvPPopupMenu* pGrandParent = pParent->GetParentPopupMenu();
    return pGrandParent != nullptr && pGrandParent->m_nLookKind == 1;
}

void CKtvPFrameImpl::SetupToolbarButtonsMenu(CKtvPPopupMenu* pMenuPopup)
{
    CKtvPPopupMenu* pParent = pMenuPopup->GetParentPopupMenu();
    CKtvPPopupMenu* pGrandParent = pParent != nullptr ? pParent->GetParentPopupMenu() : nullptr;
    if (pGrandParent == nullptr)
        return;

    CKtvPToolBar* pBar = nullptr;
    if (pGrandParent->m_pParentButton != nullptr) {
        auto* pChevron = DYNAMIC_DOWNCAST(CCustomizeButton, pGrandParent->m_pParentButton);
        if (pChevron == nullptr)
            return;
        pBar = pChevron->m_pWndParentToolbar;
        // The list's placeholder item names the bar it is for by its control id.
        if (CKtvPToolbarButton* pPlaceholder = pMenuPopup->GetMenuItem(0)) {
            const int nBarId = atoi(pPlaceholder->m_strText);
            for (POSITION pos = CKtvPToolBar::m_AllToolbars.GetHeadPosition(); pos != nullptr;) {
                auto* pCandidate = static_cast<CKtvPToolBar*>(CKtvPToolBar::m_AllToolbars.GetNext(pos));
                if (CWnd::FromHandlePermanent(pCandidate->GetSafeHwnd()) == pCandidate &&
                    pCandidate->GetDlgCtrlID() == nBarId) {
                    pBar = pCandidate;
                    break;
                }
            }
        }
    } else {
        auto* pMiniFrame = DYNAMIC_DOWNCAST(CKtvPMiniFrameWnd, pGrandParent->GetOwner());
        if (pMiniFrame == nullptr)
            return;
        pBar = DYNAMIC_DOWNCAST(CKtvPToolBar, pMiniFrame->GetControlBar());
    }
    if (pBar == nullptr)
        return;

    pMenuPopup->RemoveAllItems();
    m_mapCustomizeIds.RemoveAll();
    m_pCustomizeToolbar = pBar;
    CKtvPCustomizeMenuButton::m_pWndToolBar = pBar;

    BOOL bAdded = FALSE;
    for (int i = 0; i < pBar->GetCount(); i++) {
        CKtvPToolbarButton* pButton = pBar->GetButton(i);
        if ((pButton->m_nStyle & TBBS_SEPARATOR) || pButton->IsKindOf(RUNTIME_CLASS(CCustomizeButton)))
            continue;
        m_mapCustomizeIds[pButton->m_nID] = 0;
        CString strText = pButton->m_strText;
        if (strText.IsEmpty())
            strText = CustomizeCommandName(pButton->m_nID);
        CKtvPCustomizeMenuButton item(CustomizeItemId(pButton->m_nID), nullptr, pButton->GetImage(), strText,
                                      pButton->m_bUserImage);
        item.m_bTextShown = TRUE;
        item.SetItemIndex(i);
        pMenuPopup->InsertItem(item);
        bAdded = TRUE;
    }
    pGrandParent->m_nLookKind = 2;

    if (CKtvPFrameHooks* pHooks = KtvGetFrameHooks(m_pFrame))
        pHooks->OnShowCustomizeMenu(pMenuPopup, pBar->m_uiOriginalResID);

    if (bAdded)
        pMenuPopup->InsertSeparator();
    CString strReset;
    strReset.LoadString(IDS_KTVP_RESET_TOOLBAR);
    CKtvPCustomizeMenuButton reset(kCustomizeNoCommand, nullptr, -1, strReset);
    reset.m_bTextShown = TRUE;
    reset.SetItemIndex(kCustomizeResetIndex, FALSE);
    pMenuPopup->InsertItem(reset);
}

namespace {

// Another key went down while Alt was held (Alt+F4, Alt+E): releasing Alt
// then ends the chord and leaves the focus where it is. There is one
// keyboard, so this is the keyboard's state, not a frame's.
BOOL s_bFrameAltChorded = FALSE;

void TrackFrameAltChord(const MSG* pMsg)
{
    const BOOL bRepeat = (pMsg->lParam & 0x40000000) != 0;
    if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_MENU) {
        if (!bRepeat)
            s_bFrameAltChorded = FALSE;
    } else if (pMsg->message == WM_SYSKEYDOWN || pMsg->message == WM_KEYDOWN) {
        s_bFrameAltChorded = ::GetKeyState(VK_MENU) < 0 || pMsg->message == WM_SYSKEYDOWN;
    }
}

}  // namespace

CKtvPFrameImpl::FilterResult CKtvPFrameImpl::FilterFrameMessage(MSG* pMsg, FilterKind kind)
{
    CKtvPPopupMenu* pPopup = CKtvPDlgImpl::GetOpenPopup();
    TrackFrameAltChord(pMsg);

    switch (pMsg->message) {
    case WM_SYSKEYDOWN:
    case WM_CONTEXTMENU:
        if (kind == FILTER_INPLACE)
            return FILTER_PASS;
        if (pPopup != nullptr && pMsg->wParam == VK_MENU) {
            pPopup->SendMessage(WM_CLOSE);
            return FILTER_CONSUMED;
        }
        if (pMsg->message == WM_SYSKEYDOWN && IsMenuKeyF10(pMsg))
            return OnMenuKeyF10Down(pPopup);
        return ProcessKeyboard(static_cast<int>(pMsg->wParam)) ? FILTER_CONSUMED : FILTER_PASS;

    case WM_KEYDOWN: {
        if (IsHelpKey(pMsg))
            return FILTER_PASS;
        BOOL bProcessAccel = TRUE;
        if (ProcessKeyboard(static_cast<int>(pMsg->wParam), kind == FILTER_SDI ? &bProcessAccel : nullptr))
            return FILTER_CONSUMED;
        return bProcessAccel ? FILTER_PASS : FILTER_NO_ACCEL;
    }

    case WM_CHAR:
    case WM_SYSCHAR:
        if (kind == FILTER_INPLACE)
            return FILTER_PASS;
        return OnTypedCharByte(pMsg, pPopup);

    case WM_SYSKEYUP:
        if (kind == FILTER_INPLACE)
            return FILTER_PASS;
        if (m_pMenuBar != nullptr && pMsg->wParam == VK_MENU) {
            if (!s_bFrameAltChorded)
                ToggleMenuBarFocus();
            s_bFrameAltChorded = FALSE;
            return FILTER_CONSUMED;
        }
        if (IsMenuKeyF10(pMsg)) {
            // Released after a press that was the menu key; a press an accelerator
            // took, or one that closed a menu, moves nothing.
            if (m_bMenuKeyF10Down)
                ToggleMenuBarFocus();
            m_bMenuKeyF10Down = FALSE;
            return FILTER_CONSUMED;
        }
        return pPopup != nullptr ? FILTER_CONSUMED : FILTER_PASS;

    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP: {
        const CPoint pt(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        return ProcessMouseClick(pMsg->message, pt, pMsg->hwnd) ? FILTER_CONSUMED : FILTER_PASS;
    }

    case WM_MOUSEMOVE: {
        CPoint pt(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        ::ClientToScreen(pMsg->hwnd, &pt);
        return CKtvPDlgImpl::ProcessMouseMove(pt) ? FILTER_CONSUMED : FILTER_PASS;
    }

    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (kind != FILTER_INPLACE)
            return FILTER_PASS;
        [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        CPoint pt(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        ::ClientToScreen(pMsg->hwnd, &pt);
        if (ProcessMouseClick(pMsg->message, pt, pMsg->hwnd) || !::IsWindow(pMsg->hwnd))
            return FILTER_CONSUMED;
        CWnd* pTarget = CWnd::FromHandlePermanent(pMsg->hwnd);
        if (pMsg->message == WM_RBUTTONUP && !CKtvPToolBar::m_bCustomizeMode && pTarget != nullptr &&
            pTarget->IsKindOf(RUNTIME_CLASS(CDockBar))) {
            m_pFrame->SendMessage(KTVM_TOOLBARMENU, reinterpret_cast<WPARAM>(m_pFrame->GetSafeHwnd()),
                                  MAKELPARAM(pt.x, pt.y));
        }
        return FILTER_PASS;
    }

    default:
        return FILTER_PASS;
    }
}

namespace {

// The bytes so far of a character beyond ASCII; such a character arrives as
// its UTF-8 bytes, one WM_CHAR each.
std::string s_strFrameTypedBytes;

}  // namespace

CKtvPFrameImpl::FilterResult CKtvPFrameImpl::OnTypedCharByte(const MSG* pMsg, CKtvPPopupMenu* pPopup)
{
    // ASCII reaches the bars as the key that typed it.
    if (pMsg->wParam < 0x80) {
        s_strFrameTypedBytes.clear();
        return FILTER_PASS;
    }
    const BOOL bMenuFocus = m_pMenuBar != nullptr && ::GetFocus() == m_pMenuBar->GetSafeHwnd();
    // Right Alt is the key that types characters on many layouts, and with Ctrl Alt is one too.
    const BOOL bAltChord =
        ::GetKeyState(VK_MENU) < 0 && ::GetKeyState(VK_RMENU) >= 0 && ::GetKeyState(VK_CONTROL) >= 0;
    if (pPopup == nullptr && (CKtvPToolBar::m_bCustomizeMode || (!bMenuFocus && !bAltChord))) {
        s_strFrameTypedBytes.clear();
        return FILTER_PASS;  // text for the window with the focus
    }

    UINT nCodePoint = static_cast<UINT>(pMsg->wParam);
    if (pMsg->wParam <= 0xFF) {
        const char chByte = static_cast<char>(pMsg->wParam);
        const BOOL bContinuation = (static_cast<unsigned char>(chByte) & 0xC0) == 0x80;
        if (!bContinuation)
            s_strFrameTypedBytes.clear();
        else if (s_strFrameTypedBytes.empty())
            return FILTER_CONSUMED;  // the rest of a character whose start went elsewhere
        s_strFrameTypedBytes += chByte;
        const size_t nNeeded = tw::utf8::SequenceLength(static_cast<unsigned char>(s_strFrameTypedBytes[0]));
        if (s_strFrameTypedBytes.size() < nNeeded)
            return FILTER_CONSUMED;
        size_t nLength = 0;
        nCodePoint = tw::utf8::Decode(s_strFrameTypedBytes.data(),
                                      s_strFrameTypedBytes.data() + s_strFrameTypedBytes.size(), nLength);
        s_strFrameTypedBytes.clear();
    }

    if (bAltChord)
        s_bFrameAltChorded = TRUE;  // releasing Alt after it leaves the focus where it is
    if (pPopup != nullptr) {
        if (CKtvPPopupMenuBar* pBar = pPopup->GetMenuBar())
            pBar->TranslateTypedChar(nCodePoint);
    } else if (!m_pFrame->IsIconic()) {
        OnMenuTypedChar(nCodePoint);
    }
    // Typed into a menu or with Alt, a character is never text, matched or not.
    return FILTER_CONSUMED;
}

// Alt alone, and F10, move the focus to the menu bar and back.
void CKtvPFrameImpl::ToggleMenuBarFocus()
{
    if (::GetFocus() == m_pMenuBar->GetSafeHwnd())
        m_pFrame->SetFocus();
    else
        m_pMenuBar->SetFocus();
}

// F10 without Shift, Ctrl or Alt is the menu key of a frame with a menu bar.
BOOL CKtvPFrameImpl::IsMenuKeyF10(const MSG* pMsg) const
{
    return m_pMenuBar != nullptr && ::IsWindow(m_pMenuBar->GetSafeHwnd()) && pMsg->wParam == VK_F10 &&
           ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0;
}

CKtvPFrameImpl::FilterResult CKtvPFrameImpl::OnMenuKeyF10Down(CKtvPPopupMenu* pPopup)
{
    m_bMenuKeyF10Down = FALSE;
    if (pPopup != nullptr) {
        pPopup->SendMessage(WM_CLOSE);
        return FILTER_CONSUMED;
    }
    if (m_pFrame->IsIconic() || CKtvPToolBar::m_bCustomizeMode)
        return ProcessKeyboard(VK_F10) ? FILTER_CONSUMED : FILTER_PASS;
    // A command bound to F10 runs instead.
    if (CKtvPKeyboardManager::IsKeyHandled(VK_F10, FVIRTKEY, m_pFrame, TRUE) ||
        CKtvPKeyboardManager::IsKeyHandled(VK_F10, FVIRTKEY, m_pFrame->GetActiveFrame(), FALSE))
        return FILTER_PASS;
    m_bMenuKeyF10Down = TRUE;
    return FILTER_CONSUMED;
}

BOOL CKtvPFrameImpl::OnAcceleratorCommand(WPARAM wParam)
{
    if (HIWORD(wParam) != 1)
        return FALSE;
    const UINT uiCmd = LOWORD(wParam);
    CKtvPToolBar::AddCommandUsage(uiCmd);
    // An open popup gets Esc instead, and a minimised frame runs nothing.
    if (ProcessKeyboard(VK_ESCAPE))
        return TRUE;
    return g_pUserToolsManager != nullptr && g_pUserToolsManager->InvokeTool(uiCmd);
}

void CKtvPFrameImpl::DestroyChildWindows(CWnd* pFrame, HWND hwndKeep)
{
    // Collected first: destroying one child may destroy others.
    CArray<HWND, HWND> children;
    for (HWND hwnd = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hwnd != nullptr;
         hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        if (hwnd != hwndKeep)
            children.Add(hwnd);
    }
    for (INT_PTR i = 0; i < children.GetSize(); i++) {
        const HWND hwnd = children[i];
        if (::IsWindow(hwnd) && ::GetParent(hwnd) == pFrame->GetSafeHwnd())
            ::DestroyWindow(hwnd);
    }
}

CWnd* CKtvPFrameImpl::GetPrintPreviewView(CFrameWnd* pFrame)
{
    // The edit control's preview lives above this library; it is known by name only.
    CRuntimeClass* pPreviewClass = CRuntimeClass::FromName("CKtvPPrintPreviewView");
    CView* pView = pFrame->GetActiveView();
    if (pPreviewClass == nullptr || pView == nullptr || !pView->IsKindOf(pPreviewClass))
        return nullptr;
    return pView;
}

void CKtvPFrameImpl::RecalcFrameLayout(CFrameWnd* pFrame, CKtvPDockManager& dockManager, BOOL bIsMinimized,
                                       BOOL bNotify)
{
    if (pFrame->m_bInRecalcLayout)
        return;
    pFrame->m_bInRecalcLayout = TRUE;

    CKtvPFrameHooks* pHooks = KtvGetFrameHooks(pFrame);
    if (!bIsMinimized) {
        if (!dockManager.IsPrintPreviewValid() && !dockManager.IsHideAllBars()) {
            dockManager.RecalcLayout(bNotify);
            if (pHooks != nullptr)
                pHooks->AdjustClientArea();
        } else if (CWnd* pPreview = GetPrintPreviewView(pFrame)) {
            dockManager.RecalcLayout(bNotify);
            const CRect rect = dockManager.GetClientAreaBounds();
            pPreview->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            pFrame->m_bInRecalcLayout = FALSE;
            pFrame->CFrameWnd::RecalcLayout(bNotify);
            pFrame->m_bInRecalcLayout = TRUE;
            if (pHooks != nullptr)
                pHooks->AdjustClientArea();
        }
    }
    pFrame->m_bInRecalcLayout = FALSE;
}

BOOL CKtvPFrameImpl::ToggleControlBar(CKtvPFrameHooks* pHooks, UINT nID)
{
    CKtvPBaseControlBar* pBar = pHooks->GetControlBar(nID);
    if (pBar == nullptr)
        return FALSE;
    pHooks->ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE, FALSE);
    return TRUE;
}

BOOL CKtvPFrameImpl::UpdateControlBarMenu(CKtvPFrameHooks* pHooks, CCmdUI* pCmdUI)
{
    CKtvPBaseControlBar* pBar = pHooks->GetControlBar(pCmdUI->m_nID);
    if (pBar == nullptr) {
        pCmdUI->ContinueRouting();
        return FALSE;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
    return TRUE;
}
