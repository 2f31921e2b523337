#include "platform/mfc/CPropertyPage.h"

#include "platform/mfc/CPropertySheet.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxres.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTypes.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

namespace {

// The page's dialog procedure: the page object takes its window when the
// sheet first shows it, and initialises it as any framework dialog.
INT_PTR CALLBACK AfxPropPageProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    const auto* psp = reinterpret_cast<const PROPSHEETPAGE*>(lParam);
    auto* pPage = psp ? reinterpret_cast<CPropertyPage*>(psp->lParam) : nullptr;
    if (!pPage)
        return TRUE;
    if (CWnd::FromHandlePermanent(hWnd) != pPage && !pPage->SubclassWindow(hWnd))
        return TRUE;
    pPage->ExecuteDlgInit(pPage->m_lpszTemplateName);
    return pPage->OnInitDialog();
}

}  // namespace

CPropertyPage::CPropertyPage()
{
    CommonConstruct(nullptr, 0);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    m_lpszTemplateName = lpszTemplateName;
    m_nIDHelp = IS_INTRESOURCE(lpszTemplateName) ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName)) : 0;
    m_psp = PROPSHEETPAGE{};
    m_psp.dwSize = sizeof(PROPSHEETPAGE);
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = &AfxPropPageProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    m_strCaption.Empty();
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption))
        m_psp.dwFlags |= PSP_USETITLE;
    if (AfxHelpEnabled())
        m_psp.dwFlags |= PSP_HASHELP;
    m_bFirstSetActive = TRUE;
    m_bChanged = FALSE;
}

const PROPSHEETPAGE* CPropertyPage::PreparePage()
{
    // Callers may have set the template or caption after construction.
    if (!m_psp.hInstance)
        m_psp.hInstance = AfxGetResourceHandle();
    if (!(m_psp.dwFlags & PSP_DLGINDIRECT)) {
        if (!m_psp.pszTemplate)
            m_psp.pszTemplate = m_lpszTemplateName;
        const BYTE* bytes = nullptr;
        DWORD size = 0;
        if (!m_psp.pszTemplate || !tw::FindResourceBytes(m_psp.hInstance, m_psp.pszTemplate, RT_DIALOG, &bytes, &size))
            return nullptr;
    } else if (!m_psp.pResource) {
        return nullptr;
    }
    if ((m_psp.dwFlags & PSP_USETITLE) && !m_strCaption.IsEmpty())
        m_psp.pszTitle = m_strCaption;
    m_psp.pfnDlgProc = &AfxPropPageProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    m_bFirstSetActive = TRUE;
    return &m_psp;
}

CPropertySheet* CPropertyPage::GetParentSheet() const
{
    if (!m_hWnd)
        return nullptr;
    return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_bChanged = bChanged;
    if (HWND hSheet = m_hWnd ? ::GetParent(m_hWnd) : nullptr)
        ::SendMessage(hSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CPropertyPage::CancelToClose()
{
    if (HWND hSheet = m_hWnd ? ::GetParent(m_hWnd) : nullptr)
        ::SendMessage(hSheet, PSM_CANCELTOCLOSE, 0, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    HWND hSheet = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    return hSheet ? ::SendMessage(hSheet, PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;  // OnInitDialog has just shown the members
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // Not the dialog's own keyboard interface: it would keep Tab inside the page.
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
    if (!pNMHDR || pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    switch (pNMHDR->code) {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        return TRUE;
    case PSN_KILLACTIVE:
        *pResult = OnKillActive() ? FALSE : TRUE;
        return TRUE;
    case PSN_APPLY:
        if (!OnApply()) {
            // The sheet shows this page and applies nothing after it; showing
            // it must not write the members over what the page just refused.
            CPropertySheet* pSheet = GetParentSheet();
            if (pSheet && pSheet->GetActivePage() != this)
                m_bFirstSetActive = TRUE;
            *pResult = PSNRET_INVALID;
            return TRUE;
        }
        m_bChanged = FALSE;
        *pResult = PSNRET_NOERROR;
        return TRUE;
    case PSN_RESET:
        OnReset();
        m_bChanged = FALSE;
        *pResult = 0;
        return TRUE;
    case PSN_QUERYCANCEL:
        *pResult = OnQueryCancel() ? FALSE : TRUE;
        return TRUE;
    case PSN_HELP:
        // A page may map ID_HELP; without a handler the user hears there is no help.
        if (!OnCmdMsg(ID_HELP, CN_COMMAND, nullptr, nullptr))
            WinHelp(HID_BASE_RESOURCE + m_nIDHelp, HELP_CONTEXT);
        *pResult = 0;
        return TRUE;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
}
