#include "platform/mfc/CPropertySheet.h"

#include <algorithm>
#include <limits>

#include "platform/mfc/ChildControlWrapper.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWinThread.h"
#include "platform/mfc/afxres.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

namespace {

// The sheet whose window the control is making on this thread: the control's
// precreate callback carries no pointer of its own.
thread_local CPropertySheet* t_pSheetInCreation = nullptr;

constexpr DWORD kPopupSheetStyle =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT;

bool IsPageSwitchKey(const MSG& msg)
{
    return msg.message == WM_KEYDOWN && (::GetKeyState(VK_CONTROL) & 0x8000) &&
           (msg.wParam == VK_TAB || msg.wParam == VK_NEXT || msg.wParam == VK_PRIOR);
}

HWND TopLevelOf(HWND hWnd)
{
    while (hWnd && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

}  // namespace

BOOL AfxHelpEnabled()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    AFX_CMDHANDLERINFO info{};
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd && pMainWnd->OnCmdMsg(ID_HELP, CN_COMMAND, nullptr, &info))
        return TRUE;
    return pApp->OnCmdMsg(ID_HELP, CN_COMMAND, nullptr, &info);
}

// --- construction ----------------------------------------------------------------------------------

CPropertySheet::CPropertySheet()
{
    CommonConstruct(nullptr, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet()
{
    m_tabWrapper.m_hWnd = nullptr;
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption.Empty();
    if (nIDCaption != 0)
        m_strCaption.LoadString(nIDCaption);
    CommonConstruct(pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption = pszCaption ? pszCaption : "";
    CommonConstruct(pParentWnd, iSelectPage);
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh = PROPSHEETHEADER{};
    m_psh.dwSize = sizeof(PROPSHEETHEADER);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    if (AfxHelpEnabled())
        m_psh.dwFlags |= PSH_HASHELP;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_bStacked = TRUE;
    m_bModeless = FALSE;
}

// --- making the window -------------------------------------------------------------------------------

BOOL CPropertySheet::BuildPropPageArray()
{
    m_pageRecords.clear();
    for (CPropertyPage* pPage : m_pages) {
        const PROPSHEETPAGE* psp = pPage->PreparePage();
        if (!psp)
            return FALSE;
        m_pageRecords.push_back(*psp);
    }
    m_psh.dwFlags |= PSH_PROPSHEETPAGE;
    m_psh.nPages = static_cast<UINT>(m_pageRecords.size());
    m_psh.ppsp = m_pageRecords.data();
    m_psh.pszCaption = m_strCaption;
    if (!m_psh.hInstance)
        m_psh.hInstance = AfxGetResourceHandle();
    return TRUE;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT uMsg, LPARAM lParam)
{
    CPropertySheet* pSheet = t_pSheetInCreation;
    if (!pSheet)
        return 0;
    if (uMsg == PSCB_INITIALIZED) {
        // Before the control lays the sheet out: one row of tabs instead of stacked rows.
        HWND hTab = reinterpret_cast<HWND>(::SendMessage(hWnd, PSM_GETTABCONTROL, 0, 0));
        if (hTab && !pSheet->m_bStacked)
            ::SetWindowLong(hTab, GWL_STYLE, ::GetWindowLong(hTab, GWL_STYLE) & ~TCS_MULTILINE);
        return 0;
    }
    if (uMsg != PSCB_PRECREATE || !lParam)
        return 0;
    auto* pTemplate = reinterpret_cast<DLGTEMPLATE*>(lParam);
    // The font stays, whatever the style asks: the template's layout depends on the bit.
    pTemplate->style = (pSheet->m_dwCreateStyle & ~DS_SETFONT) | (pTemplate->style & DS_SETFONT);
    pTemplate->dwExtendedStyle = pSheet->m_dwCreateExStyle;
    return 0;
}

HWND CPropertySheet::CreateSheetWindow(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle)
{
    if (m_hWnd || m_pages.empty() || !BuildPropPageArray())
        return nullptr;
    PROPSHEETHEADER header = m_psh;
    // Always modeless underneath: a modal sheet runs the framework's loop, so
    // that its keys pass through PreTranslateMessage.
    header.dwFlags |= PSH_MODELESS | PSH_USECALLBACK;
    header.hwndParent = hWndParent;
    header.pfnCallback = &SheetCallback;
    m_dwCreateStyle = dwStyle;
    m_dwCreateExStyle = dwExStyle;

    CPropertySheet* pOuter = t_pSheetInCreation;
    t_pSheetInCreation = this;
    AfxHookWindowCreate(this);
    const INT_PTR result = ::PropertySheet(&header);
    AfxUnhookWindowCreate();
    t_pSheetInCreation = pOuter;
    // A window that was made and then failed went with its object's handle.
    if (result == -1 || result == 0)
        return nullptr;
    HWND hWnd = reinterpret_cast<HWND>(result);
    return m_hWnd == hWnd ? hWnd : nullptr;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd)
        return -1;
    m_bModeless = FALSE;
    m_nModalResult = IDCANCEL;  // a sheet closed by other means was cancelled
    HWND hWndOwner = TopLevelOf(m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : CWnd::GetSafeHwndOf(AfxGetMainWnd()));
    BOOL bEnableOwner = FALSE;
    if (hWndOwner && ::IsWindowEnabled(hWndOwner)) {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = TRUE;
    }
    m_nFlags |= WF_CONTINUEMODAL;
    if (!CreateSheetWindow(hWndOwner, kPopupSheetStyle, 0)) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        if (bEnableOwner)
            ::EnableWindow(hWndOwner, TRUE);
        return -1;
    }
    // OnInitDialog may have ended the sheet already.
    if (ContinueModal())
        RunModalLoop(0);
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    const int nResult = m_nModalResult;
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    DestroyWindow();
    return nResult;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (dwStyle == static_cast<DWORD>(-1))
        dwStyle = kPopupSheetStyle;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    m_bModeless = TRUE;
    return CreateSheetWindow(CWnd::GetSafeHwndOf(m_pParentWnd), dwStyle, dwExStyle) != nullptr;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CPropertySheet::OnInitDialog()
{
    HWND hWnd = m_hWnd;
    const BOOL bResult = static_cast<BOOL>(Default());
    if (!::IsWindow(hWnd))
        return FALSE;
    if (m_bModeless)
        HideStandardButtons();
    return bResult;
}

void CPropertySheet::HideStandardButtons()
{
    // A modeless sheet answers to its owner, not to OK and Cancel; the row they
    // stood in goes too. A derived sheet may show them again.
    CRect rectWnd;
    GetWindowRect(&rectWnd);
    LONG buttonsTop = std::numeric_limits<LONG>::max();
    for (int nID : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP}) {
        HWND hButton = ::GetDlgItem(m_hWnd, nID);
        if (!hButton)
            continue;
        CRect rectButton;
        ::GetWindowRect(hButton, &rectButton);
        buttonsTop = std::min(buttonsTop, rectButton.top);
        ::ShowWindow(hButton, SW_HIDE);
        ::EnableWindow(hButton, FALSE);
    }
    if (buttonsTop != std::numeric_limits<LONG>::max() && buttonsTop > rectWnd.top)
        SetWindowPos(nullptr, 0, 0, rectWnd.Width(), buttonsTop - rectWnd.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    // OK or Cancel went through: the control shows no page any more.
    return m_hWnd && ::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

// --- messages ------------------------------------------------------------------------------------------

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // A child sheet leaves Tab, Enter and Esc to the dialog around it.
    if ((GetStyle() & WS_CHILD) && !IsPageSwitchKey(*pMsg))
        return FALSE;
    return ::SendMessage(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)) != 0;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    const UINT nID = LOWORD(wParam);
    const bool ending = (nID == IDOK || nID == IDCANCEL) && HIWORD(wParam) == BN_CLICKED;
    if (ending)
        m_nModalResult = static_cast<int>(nID);
    HWND hWnd = m_hWnd;
    Default();
    // A modeless sheet that OK or Cancel ended goes away; a modal one leaves its loop.
    if (ending && m_bModeless && ::IsWindow(hWnd) && !::SendMessage(hWnd, PSM_GETCURRENTPAGEHWND, 0, 0))
        DestroyWindow();
    return TRUE;
}

// --- pages -----------------------------------------------------------------------------------------------

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage)
        return;
    m_pages.push_back(pPage);
    if (!m_hWnd)
        return;
    const PROPSHEETPAGE* psp = pPage->PreparePage();
    HPROPSHEETPAGE hPage = psp ? ::CreatePropertySheetPage(psp) : nullptr;
    if (hPage && ::SendMessage(m_hWnd, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(hPage)))
        return;
    // Not in the sheet, so not listed either.
    if (hPage)
        ::DestroyPropertySheetPage(hPage);
    m_pages.pop_back();
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    const int nPage = GetPageIndex(pPage);
    if (nPage >= 0)
        RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    if (m_hWnd)
        ::SendMessage(m_hWnd, PSM_REMOVEPAGE, static_cast<WPARAM>(nPage), 0);
    else if (m_psh.nStartPage > static_cast<UINT>(nPage))
        --m_psh.nStartPage;
    m_pages.erase(m_pages.begin() + nPage);
}

int CPropertySheet::GetPageCount() const
{
    return static_cast<int>(m_pages.size());
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i] == pPage)
            return static_cast<int>(i);
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd)
        return static_cast<int>(m_psh.nStartPage);
    HWND hPage = reinterpret_cast<HWND>(::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (size_t i = 0; hPage && i < m_pages.size(); ++i) {
        if (m_pages[i]->m_hWnd == hPage)
            return static_cast<int>(i);
    }
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    return ::SendMessage(m_hWnd, PSM_SETCURSEL, static_cast<WPARAM>(nPage), 0) != 0;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

// --- the rest of the sheet ---------------------------------------------------------------------------------

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText ? lpszText : "";
    m_psh.pszCaption = m_strCaption;
    if (nStyle & PSH_PROPTITLE)
        m_psh.dwFlags |= PSH_PROPTITLE;
    else
        m_psh.dwFlags &= ~PSH_PROPTITLE;
    if (m_hWnd)
        ::SendMessage(m_hWnd, PSM_SETTITLE, nStyle, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(m_strCaption)));
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    HWND hTab = m_hWnd ? reinterpret_cast<HWND>(::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0)) : nullptr;
    return ChildControlWrapper(hTab, m_tabWrapper);
}

void CPropertySheet::EnableStackedTabs(BOOL bStacked)
{
    m_bStacked = bStacked;
}

void CPropertySheet::PressButton(int nButton)
{
    if (m_hWnd)
        ::SendMessage(m_hWnd, PSM_PRESSBUTTON, static_cast<WPARAM>(nButton), 0);
}

void CPropertySheet::EndDialog(int nEndID)
{
    m_nModalResult = nEndID;
    if (m_bModeless) {
        DestroyWindow();
        return;
    }
    EndModalLoop(nEndID);
}
