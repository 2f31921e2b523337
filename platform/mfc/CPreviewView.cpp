#include "platform/mfc/CPreviewView.h"

#include <algorithm>
#include <cmath>

#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/menu/winmenu.h"

IMPLEMENT_DYNCREATE(CPreviewView, CScrollView)

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace tw::mfc::preview_detail {

// The nIndex-th line of a "\n"-separated text; empty when there is none.
CString Line(const CString& text, int nIndex)
{
    int start = 0;
    for (int i = 0; i < nIndex; ++i) {
        const int end = text.Find('\n', start);
        if (end < 0)
            return CString();
        start = end + 1;
    }
    const int end = text.Find('\n', start);
    return end < 0 ? text.Mid(start) : text.Mid(start, end - start);
}

}  // namespace tw::mfc::preview_detail

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView()
{
    ClearImages();
    m_dcPrinter.Detach();
    delete m_pPreviewInfo;
    delete m_pPreviewState;
}

BOOL CPreviewView::SetPrintView(CView* pPrintView)
{
    m_pPrintView = pPrintView;
    m_hWndPrintView = pPrintView->m_hWnd;
    m_pPreviewInfo = new CPrintInfo;
    m_pPreviewInfo->m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(m_pPreviewInfo))
        return FALSE;
    HDC hPrinter = m_pPreviewInfo->m_pPD->m_pd.hDC;
    if (!hPrinter)
        return FALSE;
    m_dcPrinter.Attach(hPrinter);
    m_dcPrinter.m_bPrinting = TRUE;
    m_nPages = std::clamp<UINT>(m_pPreviewInfo->m_nNumPreviewPages, 1, m_nMaxPages);
    if (m_pPreviewInfo->m_strPageDesc.IsEmpty())
        m_pPreviewInfo->m_strPageDesc = tw::mfc::PrintingString(AFX_IDS_PREVIEWPAGEDESC,
                                                                         "Page %u\nPages %u-%u\n");
    pPrintView->OnBeginPrinting(&m_dcPrinter, m_pPreviewInfo);
    m_bPrintingEnded = false;
    SetCurrentPage(m_pPreviewInfo->GetMinPage(), TRUE);
    return TRUE;
}

CSize CPreviewView::PrinterPageSize() const
{
    if (!m_dcPrinter.m_hDC)
        return CSize(1, 1);
    return CSize(std::max(1, m_dcPrinter.GetDeviceCaps(HORZRES)), std::max(1, m_dcPrinter.GetDeviceCaps(VERTRES)));
}

// Zoomed out, the pages shown fill the window.
double CPreviewView::FitScale() const
{
    CRect client;
    GetClientRect(&client);
    const CSize page = PrinterPageSize();
    const int n = static_cast<int>(m_nPages);
    const double byWidth = double(client.Width() - (n + 1) * kGap) / (n * page.cx);
    const double byHeight = double(client.Height() - 2 * kGap) / page.cy;
    return std::max(0.01, std::min(byWidth, byHeight));
}

// Zoomed in, a page is at its size on paper (or twice the fit, if the
// window is larger than that); the middle level lies halfway.
double CPreviewView::Scale() const
{
    const double fit = FitScale();
    if (m_nZoomState == ZOOM_OUT)
        return fit;
    CClientDC screen(nullptr);
    const double paper = double(screen.GetDeviceCaps(LOGPIXELSX)) / std::max(1, m_dcPrinter.GetDeviceCaps(LOGPIXELSX));
    const double full = std::max(paper, fit * 2);
    return m_nZoomState == ZOOM_IN ? full : (fit + full) / 2;
}

CRect CPreviewView::GetPageRect(UINT nIndex) const
{
    const CSize page = PrinterPageSize();
    const double scale = Scale();
    const int width = std::max(1, int(std::lround(page.cx * scale)));
    const int height = std::max(1, int(std::lround(page.cy * scale)));
    CRect client;
    GetClientRect(&client);
    const int shown = static_cast<int>(GetPagesShown());
    const int total = shown * width + (shown - 1) * kGap;
    int left = std::max(kGap, (client.Width() - total) / 2);
    int top = std::max(kGap, (client.Height() - height) / 2);
    left += static_cast<int>(nIndex) * (width + kGap);
    const CPoint scroll = GetScrollPosition();
    return CRect(left - scroll.x, top - scroll.y, left - scroll.x + width, top - scroll.y + height);
}

// A page exists inside the range; of a document whose length is not known,
// while the view goes on printing it.
bool CPreviewView::PageExists(UINT nPage)
{
    if (!m_pPreviewInfo || nPage < m_pPreviewInfo->GetMinPage() || nPage > m_pPreviewInfo->GetMaxPage())
        return false;
    if (m_pPreviewInfo->GetMaxPage() != 0xFFFF)
        return true;
    const UINT saved = m_pPreviewInfo->m_nCurPage;
    m_pPreviewInfo->m_nCurPage = nPage;
    m_pPreviewInfo->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(&m_dcPrinter, m_pPreviewInfo);
    const bool exists = m_pPreviewInfo->m_bContinuePrinting != FALSE;
    m_pPreviewInfo->m_nCurPage = saved;
    return exists;
}

// The page is printed onto the printer's own page, as it would be on paper.
void CPreviewView::RenderPage(UINT nPage)
{
    const CSize page = PrinterPageSize();
    HDC hPrinter = m_dcPrinter.m_hDC;
    ::PatBlt(hPrinter, 0, 0, page.cx, page.cy, WHITENESS);
    const int saved = ::SaveDC(hPrinter);
    m_pPreviewInfo->m_nCurPage = nPage;
    m_pPreviewInfo->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(&m_dcPrinter, m_pPreviewInfo);
    m_pPreviewInfo->m_rectDraw.SetRect(0, 0, page.cx, page.cy);
    m_dcPrinter.DPtoLP(&m_pPreviewInfo->m_rectDraw);
    m_pPrintView->OnPrint(&m_dcPrinter, m_pPreviewInfo);
    // A view that ends the document on this page has found its last page.
    if (!m_pPreviewInfo->m_bContinuePrinting && m_pPreviewInfo->GetMaxPage() > nPage)
        m_pPreviewInfo->SetMaxPage(nPage);
    ::RestoreDC(hPrinter, saved);
}

HBITMAP CPreviewView::PageImageFor(UINT nPage, CSize size)
{
    for (const PageImage& image : m_images) {
        if (image.page == nPage && image.size == size)
            return image.hBitmap;
    }
    RenderPage(nPage);
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, size.cx, size.cy);
    ::ReleaseDC(nullptr, hScreen);
    if (!hBitmap) {
        ::DeleteDC(hMem);
        return nullptr;
    }
    HGDIOBJ old = ::SelectObject(hMem, hBitmap);
    const CSize page = PrinterPageSize();
    ::SetStretchBltMode(hMem, HALFTONE);
    ::StretchBlt(hMem, 0, 0, size.cx, size.cy, m_dcPrinter.m_hDC, 0, 0, page.cx, page.cy, SRCCOPY);
    ::SelectObject(hMem, old);
    ::DeleteDC(hMem);
    m_images.push_back({nPage, size, hBitmap});
    return hBitmap;
}

void CPreviewView::ClearImages()
{
    for (const PageImage& image : m_images)
        ::DeleteObject(image.hBitmap);
    m_images.clear();
}

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    // The scroll view shifted the origin; the pages' rectangles are in client terms.
    pDC->SetViewportOrg(0, 0);
    pDC->FillSolidRect(client, ::GetSysColor(COLOR_APPWORKSPACE));
    if (!m_pPreviewInfo)
        return;
    for (UINT i = 0; i < GetPagesShown(); ++i) {
        const UINT nPage = m_nCurrentPage + i;
        if (!PageExists(nPage))
            break;
        const CRect rect = GetPageRect(i);
        CRect shadow = rect;
        shadow.OffsetRect(kShadow, kShadow);
        pDC->FillSolidRect(shadow, ::GetSysColor(COLOR_BTNSHADOW));
        HBITMAP hBitmap = PageImageFor(nPage, rect.Size());
        HDC hMem = ::CreateCompatibleDC(pDC->m_hDC);
        HGDIOBJ old = ::SelectObject(hMem, hBitmap);
        ::BitBlt(pDC->m_hDC, rect.left, rect.top, rect.Width(), rect.Height(), hMem, 0, 0, SRCCOPY);
        ::SelectObject(hMem, old);
        ::DeleteDC(hMem);
        pDC->Draw3dRect(rect, RGB(0, 0, 0), RGB(0, 0, 0));
    }
}

CString CPreviewView::PageNumberText(UINT nPage, UINT nPagesDisplayed) const
{
    if (!m_pPreviewInfo)
        return CString();
    const int nLine = nPagesDisplayed == 1 ? 0 : 1;
    const CString format = tw::mfc::preview_detail::Line(m_pPreviewInfo->m_strPageDesc, nLine);
    if (format.IsEmpty())
        return CString();
    CString text;
    if (nLine == 0)
        text.Format(format, nPage);
    else
        text.Format(format, nPage, nPage + nPagesDisplayed - 1);
    return text;
}

void CPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed)
{
    const CString text = PageNumberText(nPage, nPagesDisplayed);
    if (text.IsEmpty())
        return;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text)));
}

// After a change of page, page count or zoom: new page images, scroll range and page number.
void CPreviewView::DisplayChanged()
{
    UpdateScrollSizes();
    // Images of pages still shown at the same size are kept: printing a page is the slow part.
    const CSize size = GetPageRect(0).Size();
    const UINT first = m_nCurrentPage;
    const UINT last = m_nCurrentPage + GetPagesShown() - 1;
    std::erase_if(m_images, [&](const PageImage& image) {
        const bool keep = image.page >= first && image.page <= last && image.size == size;
        if (!keep)
            ::DeleteObject(image.hBitmap);
        return !keep;
    });
    // Each page is printed before the next is looked for: printing a page
    // may find it is the last.
    UINT shown = 0;
    while (shown < GetPagesShown() && PageExists(m_nCurrentPage + shown)) {
        PageImageFor(m_nCurrentPage + shown, GetPageRect(shown).Size());
        ++shown;
    }
    if (m_pPreviewInfo && shown > 0)
        OnDisplayPageNumber(m_nCurrentPage, shown);
    Invalidate(FALSE);
}

void CPreviewView::UpdateScrollSizes()
{
    if (!m_hWnd)
        return;
    if (m_nZoomState == ZOOM_OUT) {
        SetScrollSizes(MM_TEXT, CSize(0, 0));
        return;
    }
    const CSize page = PrinterPageSize();
    const double scale = Scale();
    SetScrollSizes(MM_TEXT, CSize(int(page.cx * scale) + 2 * kGap, int(page.cy * scale) + 2 * kGap));
}

void CPreviewView::SetCurrentPage(UINT nPage, BOOL)
{
    if (!m_pPreviewInfo)
        return;
    nPage = std::max(nPage, m_pPreviewInfo->GetMinPage());
    if (!PageExists(nPage))
        return;
    m_nCurrentPage = nPage;
    if (m_hWnd)
        ScrollToPosition(CPoint(0, 0));
    DisplayChanged();
}

void CPreviewView::SetZoomState(UINT nNewState, UINT nPage, CPoint point)
{
    if (nNewState > ZOOM_IN || nNewState == m_nZoomState)
        return;
    // The point under the pointer, as a fraction of its page.
    const CRect before = GetPageRect(nPage >= m_nCurrentPage ? nPage - m_nCurrentPage : 0);
    const double fx = before.Width() ? double(point.x - before.left) / before.Width() : 0.5;
    const double fy = before.Height() ? double(point.y - before.top) / before.Height() : 0.5;
    if (nPage >= m_pPreviewInfo->GetMinPage() && PageExists(nPage))
        m_nCurrentPage = nPage;
    m_nZoomState = nNewState;
    ScrollToPosition(CPoint(0, 0));
    DisplayChanged();
    if (m_nZoomState == ZOOM_OUT)
        return;
    const CRect after = GetPageRect(0);
    ScrollToPosition(CPoint(std::max(0, int(after.left + fx * after.Width()) - point.x),
                            std::max(0, int(after.top + fy * after.Height()) - point.y)));
    Invalidate(FALSE);
}

void CPreviewView::OnNextPage()
{
    SetCurrentPage(m_nCurrentPage + 1, TRUE);
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > 1)
        SetCurrentPage(m_nCurrentPage - 1, TRUE);
}

void CPreviewView::OnNumPageChange()
{
    m_nPages = m_nPages == 1 ? std::min<UINT>(2, m_nMaxPages) : 1;
    if (CWinApp* pApp = AfxGetApp())
        pApp->m_nNumPreviewPages = m_nPages;
    DisplayChanged();
}

void CPreviewView::OnZoomIn()
{
    CRect client;
    GetClientRect(&client);
    if (m_nZoomState < ZOOM_IN)
        SetZoomState(m_nZoomState + 1, m_nCurrentPage, client.CenterPoint());
}

void CPreviewView::OnZoomOut()
{
    CRect client;
    GetClientRect(&client);
    if (m_nZoomState > ZOOM_OUT)
        SetZoomState(m_nZoomState - 1, m_nCurrentPage, client.CenterPoint());
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pPreviewInfo && PageExists(m_nCurrentPage + GetPagesShown()));
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pPreviewInfo && m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI)
{
    // The button offers the other layout.
    const UINT nID = m_nPages == 1 ? AFX_IDS_TWOPAGE : AFX_IDS_ONEPAGE;
    pCmdUI->SetText(tw::mfc::PrintingString(nID, m_nPages == 1 ? "&Two Page" : "&One Page"));
    pCmdUI->Enable(m_nZoomState == ZOOM_OUT && m_nMaxPages > 1);
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState != ZOOM_IN);
}

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState != ZOOM_OUT);
}

// A click on a page zooms in there; at the closest zoom, back out.
void CPreviewView::OnLButtonDown(UINT, CPoint point)
{
    for (UINT i = 0; i < GetPagesShown(); ++i) {
        if (!GetPageRect(i).PtInRect(point))
            continue;
        const UINT nNext = m_nZoomState == ZOOM_IN ? UINT(ZOOM_OUT) : m_nZoomState + 1;
        SetZoomState(nNext, m_nCurrentPage + i, point);
        return;
    }
}

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_NEXT:
        OnNextPage();
        return;
    case VK_PRIOR:
        OnPrevPage();
        return;
    case VK_ESCAPE:
        OnPreviewClose();
        return;
    default:
        CScrollView::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

BOOL CPreviewView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    ClearImages();
    UpdateScrollSizes();
}

void CPreviewView::OnActivateView(BOOL bActivate, CView*, CView*)
{
    if (bActivate && ::GetFocus() != m_hWnd)
        SetFocus();
}

void CPreviewView::OnPreviewPrint()
{
    CView* pOrigView = m_pOrigView;
    OnPreviewClose();
    // The preview is gone: the original view prints, with the dialog.
    if (pOrigView && ::IsWindow(pOrigView->m_hWnd))
        pOrigView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnPreviewClose()
{
    if (m_pToolBar) {
        m_pToolBar->DestroyWindow();
        m_pToolBar = nullptr;
    }
    m_pPreviewInfo->m_nCurPage = m_nCurrentPage;
    m_bPrintingEnded = true;
    m_pOrigView->OnEndPrintPreview(&m_dcPrinter, m_pPreviewInfo, CPoint(0, 0), this);
}

BOOL CALLBACK CPreviewView::ClosePreviewOf(CFrameWnd* pFrameWnd)
{
    HWND hPane = ::GetDlgItem(pFrameWnd->m_hWnd, AFX_IDW_PANE_FIRST);
    auto* pView = DYNAMIC_DOWNCAST(CPreviewView, CWnd::FromHandlePermanent(hPane));
    if (!pView)
        return FALSE;
    pView->OnPreviewClose();
    return TRUE;
}

// A preview that goes with its frame still ends the printing it began, if
// the printing view is still there to hear it.
void CPreviewView::OnDestroy()
{
    const bool begun = m_pPreviewInfo && m_dcPrinter.m_hDC;
    if (begun && !m_bPrintingEnded && CWnd::FromHandlePermanent(m_hWndPrintView) == m_pPrintView) {
        m_bPrintingEnded = true;
        m_pPrintView->OnEndPrinting(&m_dcPrinter, m_pPreviewInfo);
    }
    CScrollView::OnDestroy();
}

// --- the frame's preview mode ----------------------------------------------------------------------

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    m_lpfnCloseProc = bPreview ? pState->lpfnCloseProc : nullptr;
    if (bPreview) {
        pState->hMenu = ::GetMenu(m_hWnd);
        if (pState->hMenu)
            ::SetMenu(m_hWnd, nullptr);
        pState->hAccelTable = m_hAccelTable;
        m_hAccelTable = nullptr;
        pState->hiddenBars.clear();
        for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            const UINT nID = static_cast<UINT>(::GetDlgCtrlID(hChild));
            const bool isBar = nID >= AFX_IDW_CONTROLBAR_FIRST && nID <= AFX_IDW_CONTROLBAR_LAST;
            const bool keepShown = isBar && nID - AFX_IDW_CONTROLBAR_FIRST < 32 &&
                                   (pState->dwStates & AFX_CONTROLBAR_MASK(nID)) != 0;
            if (isBar && !keepShown && nID != AFX_IDW_PREVIEW_BAR && ::IsWindowVisible(hChild))
                pState->hiddenBars.push_back(hChild);
        }
        for (HWND hBar : pState->hiddenBars)
            ::ShowWindow(hBar, SW_HIDE);
        if (HWND hPane = ::GetDlgItem(m_hWnd, static_cast<int>(pState->nIDMainPane))) {
            ::ShowWindow(hPane, SW_HIDE);
            ::SetWindowLongPtr(hPane, GWLP_ID, AFX_IDW_PANE_SAVE);
        }
        return;
    }
    if (HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_SAVE)) {
        ::SetWindowLongPtr(hPane, GWLP_ID, static_cast<LONG_PTR>(pState->nIDMainPane));
        ::ShowWindow(hPane, SW_SHOW);
    }
    for (HWND hBar : pState->hiddenBars) {
        if (::IsWindow(hBar))
            ::ShowWindow(hBar, SW_SHOWNOACTIVATE);
    }
    pState->hiddenBars.clear();
    m_hAccelTable = pState->hAccelTable;
    if (pState->hMenu)
        ::SetMenu(m_hWnd, pState->hMenu);
}
