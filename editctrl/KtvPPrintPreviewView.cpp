#include "editctrl/KtvPPrintPreviewView.h"

#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CPrintInfo.h"
#include "ui/commandbars/KtvPStatusBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/frames/KtvPGlobalData.h"

namespace ktvp_print_preview {

// The stretch pane: index 255 addresses the status bar's first pane.
constexpr int kStretchPane = 255;
// WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_HIDE_INPLACE and 0x400000.
constexpr DWORD kToolBarStyle = 0x50402808;

CFrameWnd* FrameOf(CWnd* pWnd)
{
    return DYNAMIC_DOWNCAST(CFrameWnd, KtvGetParentFrame(pWnd));
}

}  // namespace ktvp_print_preview

// ------------------------------------------------------------------ the toolbar

IMPLEMENT_DYNAMIC(CKtvPPrintPreviewToolBar, CKtvPToolBar)

BEGIN_MESSAGE_MAP(CKtvPPrintPreviewToolBar, CKtvPToolBar)
    ON_WM_DESTROY()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

INT_PTR CKtvPPrintPreviewToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    [[maybe_unused]] CKtvPScopedResourceGuard guard;
    return CKtvPToolBar::OnToolHitTest(point, pTI);
}

void CKtvPPrintPreviewToolBar::OnDestroy()
{
    if (CKtvPDockManager* pDockManager = globalUtils.GetDockManager(KtvGetParentFrame(this)))
        pDockManager->RemoveControlBarFromDockManager(this, FALSE, FALSE, FALSE);
    CKtvPToolBar::OnDestroy();
}

void CKtvPPrintPreviewToolBar::OnContextMenu(CWnd*, CPoint)
{
    // The preview's bar offers no list of toolbars to show or hide.
}

// ------------------------------------------------------------------ the view

IMPLEMENT_DYNCREATE(CKtvPPrintPreviewView, CPreviewView)

BEGIN_MESSAGE_MAP(CKtvPPrintPreviewView, CPreviewView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdatePreviewNumPage)
END_MESSAGE_MAP()

CKtvPPrintPreviewView::CKtvPPrintPreviewView() = default;

CKtvPPrintPreviewView::~CKtvPPrintPreviewView()
{
    if (m_pStatusBar != nullptr && ::IsWindow(m_pStatusBar->GetSafeHwnd()))
        m_pStatusBar->SetPaneText(ktvp_print_preview::kStretchPane, nullptr);
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.DestroyWindow();
}

int CKtvPPrintPreviewView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CPreviewView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_pToolBar == nullptr)
        return -1;
    {
        [[maybe_unused]] CKtvPScopedResourceGuard guard;
        if (!m_wndToolBar.Create(m_pToolBar, ktvp_print_preview::kToolBarStyle, AFX_IDW_TOOLBAR) ||
            !m_wndToolBar.LoadToolBar(IDR_KTVP_PRINT_PREVIEW, 0, 0, TRUE))
            return -1;
    }
    m_wndToolBar.SetOwner(this);
    // The template's placeholder button stays out of the way of the toolbar's buttons.
    if (CWnd* pPlaceholder = m_pToolBar->GetDlgItem(AFX_ID_PREVIEW_PRINT))
        pPlaceholder->ShowWindow(SW_HIDE);
    m_wndToolBar.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    m_iNumPageIndex = m_wndToolBar.CommandToIndex(AFX_ID_PREVIEW_NUMPAGE);
    if (CKtvPToolbarButton* pButton = m_wndToolBar.GetButton(m_iNumPageIndex))
        m_iOnePageImage = pButton->GetImage();
    const int iTwoPage = m_wndToolBar.CommandToIndex(ID_KTVP_PREVIEW_TWO_PAGE_IMAGE);
    if (CKtvPToolbarButton* pButton = m_wndToolBar.GetButton(iTwoPage)) {
        m_iTwoPageImage = pButton->GetImage();
        m_wndToolBar.RemoveButton(iTwoPage);
    }
    m_wndToolBar.SetButtonTextAndImage(m_wndToolBar.CommandToIndex(AFX_ID_PREVIEW_PRINT), nullptr, TRUE, TRUE);
    m_wndToolBar.SetButtonTextAndImage(m_wndToolBar.CommandToIndex(AFX_ID_PREVIEW_CLOSE), nullptr, TRUE, FALSE);

    CFrameWnd* pFrame = ktvp_print_preview::FrameOf(this);
    if (CKtvPDockManager* pDockManager = globalUtils.GetDockManager(pFrame))
        pDockManager->AddControlBar(&m_wndToolBar);
    LayoutToolBar();

    if (pFrame != nullptr) {
        CWnd* pStatus = CWnd::FromHandlePermanent(::GetDlgItem(pFrame->m_hWnd, AFX_IDW_STATUS_BAR));
        m_pStatusBar = DYNAMIC_DOWNCAST(CKtvPStatusBar, pStatus);
        if (m_pStatusBar != nullptr)
            m_pStatusBar->SetPaneText(ktvp_print_preview::kStretchPane, nullptr);
    }
    return 0;
}

void CKtvPPrintPreviewView::LayoutToolBar()
{
    CFrameWnd* pFrame = ktvp_print_preview::FrameOf(this);
    if (m_bInLayout || pFrame == nullptr || m_pToolBar == nullptr || m_wndToolBar.GetSafeHwnd() == nullptr)
        return;
    m_bInLayout = true;
    const CSize size = m_wndToolBar.CalcFixedLayout(FALSE, TRUE);
    CRect client;
    pFrame->GetClientRect(&client);
    m_pToolBar->SetWindowPos(nullptr, 0, 0, client.Width(), size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndToolBar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    m_pToolBar->m_sizeDefault.cy = size.cy;
    pFrame->RecalcLayout();
    pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_bInLayout = false;
}

void CKtvPPrintPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CPreviewView::OnSize(nType, cx, cy);
    LayoutToolBar();
}

void CKtvPPrintPreviewView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CPreviewView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    if (bActivate)
        LayoutToolBar();
}

void CKtvPPrintPreviewView::OnUpdatePreviewNumPage(CCmdUI* pCmdUI)
{
    OnUpdateNumPageChange(pCmdUI);
    // The button shows the layout its next click gives.
    CKtvPToolbarButton* pButton = m_wndToolBar.GetButton(m_iNumPageIndex);
    if (pButton == nullptr)
        return;
    const int iImage = m_nPages == 1 ? m_iTwoPageImage : m_iOnePageImage;
    if (pButton->GetImage() != iImage) {
        pButton->SetImage(iImage);
        m_wndToolBar.InvalidateButton(m_iNumPageIndex);
        m_wndToolBar.UpdateWindow();
    }
}

void CKtvPPrintPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed)
{
    const CString text = PageNumberText(nPage, nPagesDisplayed);
    if (text.IsEmpty())
        return;
    if (m_pStatusBar != nullptr && ::IsWindow(m_pStatusBar->GetSafeHwnd())) {
        m_pStatusBar->SetPaneText(ktvp_print_preview::kStretchPane, text, TRUE);
        m_pStatusBar->UpdateWindow();
        return;
    }
    if (CFrameWnd* pFrame = ktvp_print_preview::FrameOf(this))
        pFrame->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text)));
}
