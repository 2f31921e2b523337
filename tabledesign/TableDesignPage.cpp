#include "tabledesign/TableDesignPage.h"

#include "platform/com/ComError.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CWinApp.h"
#include "resources/TableDesignIds.h"
#include "tabledesign/TableDesignWindow.h"

void TdReportComError(const _com_error& error)
{
    const _bstr_t description = error.Description();
    const char* text = static_cast<const char*>(description);
    AfxMessageBox(text != nullptr && *text != '\0' ? text : error.ErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
}

void TdReportException(CException* pError)
{
    pError->ReportError();
    pError->Delete();
}

IMPLEMENT_DYNAMIC(CTableDesignPage, CFormView)

BEGIN_MESSAGE_MAP(CTableDesignPage, CFormView)
    ON_WM_SIZE()
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

CTableDesignPage::CTableDesignPage(UINT nIDTemplate, UINT nIDToolBarArea)
    : CFormView(nIDTemplate), m_nIDToolBarArea(nIDToolBarArea)
{
}

CTableView* CTableDesignPage::GetTableView() const
{
    CWnd* pTabs = GetParent();
    return pTabs != nullptr ? dynamic_cast<CTableView*>(pTabs->GetParent()) : nullptr;
}

void CTableDesignPage::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, (int)m_nIDToolBarArea, m_wndToolBarArea);
}

BOOL CTableDesignPage::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                              CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CFormView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    // The panes exist before the window's initial update, which then reaches
    // the page first and its views after it.
    return CreatePanes();
}

BOOL CTableDesignPage::CreatePanes()
{
    CRuntimeClass* pListClass = GetListViewClass();
    CRuntimeClass* pDetailClass = GetDetailViewClass();
    CRect client;
    GetClientRect(client);
    const int height = client.Height() > kToolBarBand ? client.Height() - kToolBarBand : 0;
    if (!m_wndSplitter.CreateStatic(this, 2, 1))
        return FALSE;
    if (!m_wndSplitter.CreateView(0, 0, pListClass, CSize(client.Width(), FirstRowHeight(height)), nullptr) ||
        !m_wndSplitter.CreateView(1, 0, pDetailClass, CSize(client.Width(), height / 2), nullptr))
        return FALSE;
    m_pListView = dynamic_cast<CView*>(m_wndSplitter.GetPane(0, 0));
    m_pDetailView = dynamic_cast<CView*>(m_wndSplitter.GetPane(1, 0));

    // The toolbar lies in the band and sends its commands to the page.
    if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) ||
        !m_wndToolBar.LoadToolBar(IDR_TW_TABLEDESIGN_BAR, 0, 0, TRUE))
        return FALSE;
    m_wndToolBar.SetOwner(this);
    m_wndToolBar.m_bRouteCommandsViaFrame = FALSE;
    m_wndToolBar.MoveWindow(0, 0, client.Width(), kToolBarBand);

    m_bPanesCreated = TRUE;
    OnSize(SIZE_RESTORED, client.Width(), client.Height());
    return TRUE;
}

void CTableDesignPage::PassToList(UINT nID)
{
    if (m_bPanesCreated && m_pListView != nullptr)
        m_pListView->SendMessage(WM_COMMAND, nID, 0);
}

void CTableDesignPage::OnSize(UINT nType, int cx, int cy)
{
    if (m_bPanesCreated) {
        CRect client;
        GetClientRect(client);
        // Never a negative height when the page is no taller than the band.
        const int height = client.Height() > kToolBarBand ? client.Height() - kToolBarBand : 0;
        m_wndSplitter.MoveWindow(client.left, client.top + kToolBarBand, client.Width(), height, TRUE);
        // Takes effect at the splitter's next layout.
        m_wndSplitter.SetRowInfo(0, FirstRowHeight(height), 0);
        if (m_wndToolBar.GetSafeHwnd() != nullptr)
            m_wndToolBar.MoveWindow(client.left, client.top, client.Width(), kToolBarBand, TRUE);
    }
    CFormView::OnSize(nType, cx, cy);
}

LRESULT CTableDesignPage::OnKickIdle(WPARAM, LPARAM)
{
    if (m_wndToolBar.GetSafeHwnd() == nullptr)
        return 0;
    // Buttons whose command the page does not handle are disabled.
    CKtvPToolCmdUI state;
    state.m_pOther = &m_wndToolBar;
    state.m_nIndexMax = (UINT)m_wndToolBar.GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        CKtvPToolbarButton* pButton = m_wndToolBar.GetButton((int)state.m_nIndex);
        if (pButton == nullptr || pButton->m_nID == 0 || pButton->m_nID >= 0xFF00)
            continue;
        state.m_nID = pButton->m_nID;
        state.DoUpdate(this, TRUE);
    }
    return 0;
}

// --- list and detail views ---------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CTableDesignPaneView, CFormView)

BEGIN_MESSAGE_MAP(CTableDesignPaneView, CFormView)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CTableDesignPaneView::CTableDesignPaneView(UINT nIDTemplate, UINT nIDMainControl)
    : CFormView(nIDTemplate), m_nIDMainControl(nIDMainControl)
{
}

CTableDesignPage* CTableDesignPaneView::GetPage() const
{
    CWnd* pSplitter = GetParent();
    return pSplitter != nullptr ? dynamic_cast<CTableDesignPage*>(pSplitter->GetParent()) : nullptr;
}

void CTableDesignPaneView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    CWnd* pControl = m_nIDMainControl != 0 ? GetDlgItem((int)m_nIDMainControl) : nullptr;
    if (pControl == nullptr || pControl->GetSafeHwnd() == nullptr)
        return;
    CRect view;
    CRect control;
    GetWindowRect(view);
    ScreenToClient(view);
    pControl->GetWindowRect(control);
    ScreenToClient(control);
    pControl->MoveWindow(control.left, control.top, view.right - control.left, view.bottom - control.top, TRUE);
}
