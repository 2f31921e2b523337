#include "ui/frames/KtvPWindowsManagerDlg.h"

#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "resources/resource.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPGlobalData.h"
#include "platform/mfc/CMDIFrameWnd.h"

#include <vector>

namespace {

// Minimise animation off for the life of the object; the setting comes back
// however the handler is left.
class CMinimizeAnimationOff {
public:
    CMinimizeAnimationOff()
    {
        ANIMATIONINFO info{sizeof(ANIMATIONINFO), 0};
        if (::SystemParametersInfo(SPI_GETANIMATION, sizeof(info), &info, 0)) {
            m_bRead = TRUE;
            m_bWasOn = info.iMinAnimate != 0;
            info.iMinAnimate = 0;
            ::SystemParametersInfo(SPI_SETANIMATION, sizeof(info), &info, 0);
        }
    }
    ~CMinimizeAnimationOff()
    {
        if (!m_bRead)
            return;
        ANIMATIONINFO info{sizeof(ANIMATIONINFO), m_bWasOn ? 1 : 0};
        ::SystemParametersInfo(SPI_SETANIMATION, sizeof(info), &info, 0);
    }
    CMinimizeAnimationOff(const CMinimizeAnimationOff&) = delete;
    CMinimizeAnimationOff& operator=(const CMinimizeAnimationOff&) = delete;

private:
    BOOL m_bRead = FALSE;
    BOOL m_bWasOn = FALSE;
};

std::vector<int> SelectedItems(const CListBox& list)
{
    std::vector<int> items(static_cast<size_t>(std::max(list.GetSelCount(), 0)));
    if (!items.empty())
        list.GetSelItems(static_cast<int>(items.size()), items.data());
    return items;
}

}  // namespace

BEGIN_MESSAGE_MAP(CKtvPWindowsManagerDlg, CDialog)
    ON_BN_CLICKED(IDC_KTVP_WINDOWS_ACTIVATE, OnActivate)
    ON_LBN_DBLCLK(IDC_KTVP_WINDOWS_LIST, OnActivate)
    ON_BN_CLICKED(IDC_KTVP_WINDOWS_SAVE, OnSave)
    ON_BN_CLICKED(IDC_KTVP_WINDOWS_CLOSE, OnCloseWindows)
    ON_BN_CLICKED(IDC_KTVP_WINDOWS_CASCADE, OnCascade)
    ON_BN_CLICKED(IDC_KTVP_WINDOWS_TILE_HORZ, OnTileHorz)
    ON_BN_CLICKED(IDC_KTVP_WINDOWS_TILE_VERT, OnTileVert)
    ON_BN_CLICKED(IDC_KTVP_WINDOWS_MINIMIZE, OnMinimize)
    ON_LBN_SELCHANGE(IDC_KTVP_WINDOWS_LIST, OnSelChange)
    ON_BN_CLICKED(ID_HELP, OnHelpButton)
    ON_MESSAGE(WM_HELP, OnHelpMessage)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CKtvPWindowsManagerDlg::CKtvPWindowsManagerDlg(CMDIFrameWnd* pMDIFrame, BOOL bShowHelp)
    : CDialog(IDD_KTVP_WINDOWS, pMDIFrame),
      m_pMDIFrame(pMDIFrame),
      m_bShowHelp(bShowHelp),
      m_bMDIActions(TRUE),
      m_lstCloseDisabled(10)
{
}

CKtvPWindowsManagerDlg::~CKtvPWindowsManagerDlg() = default;

void CKtvPWindowsManagerDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_WINDOWS_LIST, m_wndList);
}

HWND CKtvPWindowsManagerDlg::GetMDIClient() const
{
    return m_pMDIFrame->m_hWndMDIClient;
}

BOOL CKtvPWindowsManagerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    FillWindowList();
    if (!m_bMDIActions) {
        for (UINT uiID : {IDC_KTVP_WINDOWS_TILE_HORZ, IDC_KTVP_WINDOWS_TILE_VERT, IDC_KTVP_WINDOWS_CASCADE,
                          IDC_KTVP_WINDOWS_MINIMIZE})
            ::ShowWindow(::GetDlgItem(GetSafeHwnd(), static_cast<int>(uiID)), SW_HIDE);
    }
    SelectActive();
    UpdateButtons();
    ::ShowWindow(::GetDlgItem(GetSafeHwnd(), ID_HELP), m_bShowHelp ? SW_SHOW : SW_HIDE);
    return TRUE;
}

void CKtvPWindowsManagerDlg::FillWindowList()
{
    m_wndList.SendMessage(WM_SETREDRAW, FALSE);
    m_wndList.ResetContent();
    m_bMDIActions = TRUE;
    m_lstCloseDisabled.RemoveAll();

    for (HWND hwndChild = ::GetWindow(GetMDIClient(), GW_CHILD); hwndChild != nullptr;
         hwndChild = ::GetWindow(hwndChild, GW_HWNDNEXT)) {
        TCHAR szText[256 + 1] = {};
        ::GetWindowText(hwndChild, szText, 256);
        const int nItem = m_wndList.AddString(szText);
        m_wndList.SetItemData(nItem, reinterpret_cast<DWORD_PTR>(hwndChild));

        HMENU hSysMenu = (::GetWindowLong(hwndChild, GWL_STYLE) & WS_SYSMENU) ? ::GetSystemMenu(hwndChild, FALSE)
                                                                               : nullptr;
        if (hSysMenu == nullptr) {
            m_bMDIActions = FALSE;
            continue;
        }
        MENUITEMINFO mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STATE;
        if (!::GetMenuItemInfo(hSysMenu, SC_CLOSE, FALSE, &mii) || (mii.fState & (MFS_DISABLED | MFS_GRAYED)))
            m_lstCloseDisabled.AddTail(hwndChild);
    }

    m_wndList.SendMessage(WM_SETREDRAW, TRUE);
}

void CKtvPWindowsManagerDlg::SelectActive()
{
    const int nCount = m_wndList.GetCount();
    if (nCount <= 0)
        return;

    m_wndList.SendMessage(WM_SETREDRAW, FALSE);
    m_wndList.SendMessage(LB_SELITEMRANGEEX, static_cast<WPARAM>(nCount - 1), 0);

    const HWND hwndActive = reinterpret_cast<HWND>(::SendMessage(GetMDIClient(), WM_MDIGETACTIVE, 0, 0));
    for (int i = 0; i < nCount; i++) {
        if (reinterpret_cast<HWND>(m_wndList.GetItemData(i)) == hwndActive) {
            m_wndList.SetSel(i, TRUE);
            break;
        }
    }
    m_wndList.SendMessage(WM_SETREDRAW, TRUE);
}

void CKtvPWindowsManagerDlg::UpdateButtons()
{
    const std::vector<int> selected = SelectedItems(m_wndList);
    const int nSel = static_cast<int>(selected.size());

    BOOL bCloseEnabled = nSel > 0;
    for (int nItem : selected) {
        if (m_lstCloseDisabled.Find(reinterpret_cast<HWND>(m_wndList.GetItemData(nItem))) != nullptr) {
            bCloseEnabled = FALSE;
            break;
        }
    }

    const HWND hwndDlg = GetSafeHwnd();
    ::EnableWindow(::GetDlgItem(hwndDlg, IDC_KTVP_WINDOWS_CLOSE), bCloseEnabled);
    ::EnableWindow(::GetDlgItem(hwndDlg, IDC_KTVP_WINDOWS_SAVE), nSel > 0);
    ::EnableWindow(::GetDlgItem(hwndDlg, IDC_KTVP_WINDOWS_TILE_HORZ), m_bMDIActions && nSel > 1);
    ::EnableWindow(::GetDlgItem(hwndDlg, IDC_KTVP_WINDOWS_TILE_VERT), m_bMDIActions && nSel > 1);
    ::EnableWindow(::GetDlgItem(hwndDlg, IDC_KTVP_WINDOWS_CASCADE), m_bMDIActions && nSel > 1);
    ::EnableWindow(::GetDlgItem(hwndDlg, IDC_KTVP_WINDOWS_MINIMIZE), m_bMDIActions && nSel > 0);
    ::EnableWindow(::GetDlgItem(hwndDlg, IDC_KTVP_WINDOWS_ACTIVATE), nSel == 1);
}

void CKtvPWindowsManagerDlg::OnActivate()
{
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_SETREDRAW, FALSE);

    const std::vector<int> selected = SelectedItems(m_wndList);
    if (selected.size() == 1) {
        const HWND hwnd = reinterpret_cast<HWND>(m_wndList.GetItemData(selected[0]));
        if (::IsWindow(hwnd)) {
            WINDOWPLACEMENT wp{};
            wp.length = sizeof(wp);
            ::GetWindowPlacement(hwnd, &wp);
            if (wp.showCmd == SW_SHOWMINIMIZED)
                ::ShowWindow(hwnd, SW_RESTORE);
            ::SendMessage(GetMDIClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd), 0);
            EndDialog(IDOK);
        }
    }

    if (pParent != nullptr) {
        pParent->SendMessage(WM_SETREDRAW, TRUE);
        pParent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void CKtvPWindowsManagerDlg::OnSave()
{
    for (int nItem : SelectedItems(m_wndList)) {
        const HWND hwnd = reinterpret_cast<HWND>(m_wndList.GetItemData(nItem));
        CWnd* pWnd = CWnd::FromHandlePermanent(hwnd);
        if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            continue;
        if (CDocument* pDoc = static_cast<CFrameWnd*>(pWnd)->GetActiveDocument())
            pDoc->SaveModified();
    }
    FillWindowList();
    SelectActive();
    UpdateButtons();
}

void CKtvPWindowsManagerDlg::OnCloseWindows()
{
    if (m_wndList.GetCount() > 0) {
        m_wndList.SendMessage(WM_SETREDRAW, FALSE);
        const std::vector<int> selected = SelectedItems(m_wndList);
        for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
            const HWND hwnd = reinterpret_cast<HWND>(m_wndList.GetItemData(*it));
            ::SendMessage(hwnd, WM_CLOSE, 0, 0);
            // The user kept it open: the rest are not asked.
            if (::IsWindow(hwnd) && ::GetParent(hwnd) == GetMDIClient())
                break;
        }
        m_wndList.SendMessage(WM_SETREDRAW, TRUE);
    }
    FillWindowList();
    SelectActive();
    UpdateButtons();
}

void CKtvPWindowsManagerDlg::OnMinimize()
{
    CMinimizeAnimationOff animationOff;

    m_wndList.SendMessage(WM_SETREDRAW, FALSE);
    const std::vector<int> selected = SelectedItems(m_wndList);
    for (auto it = selected.rbegin(); it != selected.rend(); ++it)
        ::ShowWindow(reinterpret_cast<HWND>(m_wndList.GetItemData(*it)), SW_MINIMIZE);
    m_wndList.SendMessage(WM_SETREDRAW, TRUE);

    FillWindowList();
    SelectActive();
    UpdateButtons();
}

void CKtvPWindowsManagerDlg::MDIMessage(UINT uMsg, WPARAM wParam)
{
    CWaitCursor wait;
    CMinimizeAnimationOff animationOff;

    const int nCount = m_wndList.GetCount();
    if (nCount <= 0)
        return;

    ::LockWindowUpdate(GetMDIClient());
    for (int i = nCount - 1; i >= 0; i--) {
        const HWND hwnd = reinterpret_cast<HWND>(m_wndList.GetItemData(i));
        ::ShowWindow(hwnd, m_wndList.GetSel(i) > 0 ? SW_RESTORE : SW_MINIMIZE);
    }
    ::SendMessage(GetMDIClient(), uMsg, wParam, 0);
    ::LockWindowUpdate(nullptr);
}

void CKtvPWindowsManagerDlg::OnCascade()
{
    MDIMessage(WM_MDICASCADE, 0);
}

void CKtvPWindowsManagerDlg::OnTileHorz()
{
    MDIMessage(WM_MDITILE, MDITILE_HORIZONTAL);
}

void CKtvPWindowsManagerDlg::OnTileVert()
{
    MDIMessage(WM_MDITILE, MDITILE_VERTICAL);
}

void CKtvPWindowsManagerDlg::OnSelChange()
{
    UpdateButtons();
}

void CKtvPWindowsManagerDlg::OnHelpButton()
{
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread != nullptr ? pThread->m_pMainWnd : nullptr;
    if (pMainWnd != nullptr)
        pMainWnd->SendMessage(KTVM_WINDOW_HELP, 0, reinterpret_cast<LPARAM>(this));
}

LRESULT CKtvPWindowsManagerDlg::OnHelpMessage(WPARAM, LPARAM)
{
    OnHelpButton();
    return FALSE;
}

void CKtvPWindowsManagerDlg::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS)
{
    if (nIDCtl != IDC_KTVP_WINDOWS_LIST) {
        CDialog::OnDrawItem(nIDCtl, lpDIS);
        return;
    }
    if (static_cast<int>(lpDIS->itemID) == -1)
        return;

    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    HBRUSH hBrush = ::GetSysColorBrush(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF clrText = bSelected ? globalData.clrTextHilite : globalData.clrWindowText;
    const HDC hdc = lpDIS->hDC;
    const CRect rectItem(lpDIS->rcItem);

    if (lpDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))
        ::FillRect(hdc, &rectItem, hBrush);

    const COLORREF clrTextOld = ::SetTextColor(hdc, clrText);
    const int nBkModeOld = ::SetBkMode(hdc, TRANSPARENT);

    CString strText;
    m_wndList.GetText(static_cast<int>(lpDIS->itemID), strText);
    CRect rectText = rectItem;
    rectText.left += rectItem.Height() + 4;
    ::DrawText(hdc, strText, strText.GetLength(), &rectText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);

    const HWND hwndChild = reinterpret_cast<HWND>(lpDIS->itemData);
    if (::IsWindow(hwndChild)) {
        const HICON hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(hwndChild, GCLP_HICONSM));
        if (hIcon != nullptr)
            ::DrawIconEx(hdc, rectItem.left + 2, rectItem.top, hIcon, rectItem.Height(), rectItem.Height(), 0,
                         nullptr, DI_NORMAL);
    }

    ::SetTextColor(hdc, clrTextOld);
    ::SetBkMode(hdc, nBkModeOld);

    if (lpDIS->itemAction & ODA_FOCUS)
        ::DrawFocusRect(hdc, &rectItem);
}
