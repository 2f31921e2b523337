// Print preview: a view that takes the place of the frame's view and bars
// and shows the printing view's pages, one or two side by side, at three
// zoom levels, with a bar of Print, Next Page, Prev Page, One Page/Two
// Page, Zoom In, Zoom Out and Close.
#pragma once

#include <vector>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CDialogBar.h"
#include "platform/mfc/CPrintInfo.h"
#include "platform/mfc/CScrollView.h"
#include "platform/mfc/afxres.h"

class CFrameWnd;

#ifndef AFX_CONTROLBAR_MASK
#define AFX_CONTROLBAR_MASK(nIDC) (1UL << ((nIDC) - AFX_IDW_CONTROLBAR_FIRST))
#endif

// What the frame gave up for the preview, to be given back when it ends.
struct CPrintPreviewState {
    UINT nIDMainPane = AFX_IDW_PANE_FIRST;
    HMENU hMenu = nullptr;
    // Bars that stay shown during the preview, by AFX_CONTROLBAR_MASK of their ids.
    DWORD dwStates = 0;
    CView* pViewActiveOld = nullptr;
    BOOL(CALLBACK* lpfnCloseProc)(CFrameWnd* pFrameWnd) = nullptr;
    HACCEL hAccelTable = nullptr;
    std::vector<HWND> hiddenBars;  // the frame's bars that were visible
};

class CPreviewView : public CScrollView {
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView();
    // Deletes the preview's print information and state.
    ~CPreviewView() override;

    enum { ZOOM_OUT = 0, ZOOM_MIDDLE = 1, ZOOM_IN = 2 };

    // Prepares printing on pPrintView for preview; FALSE when it declines
    // or no printer is to be had.
    BOOL SetPrintView(CView* pPrintView);
    // Shows nPage first; a page past the document's end is not shown.
    void SetCurrentPage(UINT nPage, BOOL bClearRatios);
    // Zoomed in, point (client coordinates) stays under the pointer as far as it can.
    void SetZoomState(UINT nNewState, UINT nPage, CPoint point);

    UINT GetCurrentPage() const { return m_nCurrentPage; }
    // The pages shown side by side: 2 only while zoomed out.
    UINT GetPagesShown() const { return m_nZoomState == ZOOM_OUT ? m_nPages : 1; }
    UINT GetZoomState() const { return m_nZoomState; }
    // Where the nIndex-th shown page is drawn, in client coordinates.
    CRect GetPageRect(UINT nIndex) const;

    // Says which pages are shown: by default the page description's first
    // or second line, as the frame's message string.
    virtual void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed);
    // The page description's line for one page or for several, filled in;
    // empty when the description has no such line.
    CString PageNumberText(UINT nPage, UINT nPagesDisplayed) const;
    // Ends the preview: the frame gets its view and bars back and this view goes.
    void OnPreviewClose();
    // The frame's close procedure while it shows a preview: ends the preview.
    static BOOL CALLBACK ClosePreviewOf(CFrameWnd* pFrameWnd);

    CPrintPreviewState* m_pPreviewState = nullptr;
    CDialogBar* m_pToolBar = nullptr;
    CView* m_pOrigView = nullptr;
    CView* m_pPrintView = nullptr;
    CPrintInfo* m_pPreviewInfo = nullptr;

protected:
    void OnDraw(CDC* pDC) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

    void OnNextPage();
    void OnPrevPage();
    void OnNumPageChange();
    void OnZoomIn();
    void OnZoomOut();
    void OnPreviewPrint();
    void OnUpdateNextPage(CCmdUI* pCmdUI);
    void OnUpdatePrevPage(CCmdUI* pCmdUI);
    void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    void OnUpdateZoomIn(CCmdUI* pCmdUI);
    void OnUpdateZoomOut(CCmdUI* pCmdUI);
    void OnLButtonDown(UINT nFlags, CPoint point);
    // Page Up and Page Down move by a page, Esc ends the preview.
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    UINT m_nPages = 1;     // pages shown when zoomed out
    UINT m_nMaxPages = 2;
    UINT m_nCurrentPage = 1;
    UINT m_nZoomState = ZOOM_OUT;

private:
    static constexpr int kGap = 8;     // pixels around and between pages
    static constexpr int kShadow = 3;  // the pages' shadow

    struct PageImage {
        UINT page = 0;
        CSize size;
        HBITMAP hBitmap = nullptr;
    };

    CSize PrinterPageSize() const;
    double Scale() const;
    double FitScale() const;
    bool PageExists(UINT nPage);
    HBITMAP PageImageFor(UINT nPage, CSize size);
    void RenderPage(UINT nPage);
    void ClearImages();
    void UpdateScrollSizes();
    void DisplayChanged();

    CDC m_dcPrinter;
    std::vector<PageImage> m_images;
    HWND m_hWndPrintView = nullptr;
    bool m_bPrintingEnded = false;
};
