// The edit view's print preview inside the library's frames: a library
// toolbar takes the place of the framework's button bar, and the page
// number goes to the library's status bar.
#pragma once

#include "platform/mfc/CPreviewView.h"
#include "ui/commandbars/KtvPToolBar.h"

class CKtvPStatusBar;

// The preview's button bar template, its toolbar, and the toolbar entry
// that only carries the page button's two-page picture.
#define IDD_KTVP_PRINT_PREVIEW_BAR 16658
#define IDR_KTVP_PRINT_PREVIEW 16960
#define ID_KTVP_PREVIEW_TWO_PAGE_IMAGE 16959

// The preview's toolbar: no context menu, and it leaves the frame's dock
// manager when it goes, so no bar of a closed preview stays listed.
class CKtvPPrintPreviewToolBar : public CKtvPToolBar {
    DECLARE_DYNAMIC(CKtvPPrintPreviewToolBar)
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

protected:
    void OnDestroy();
    void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CKtvPPrintPreviewView : public CPreviewView {
    DECLARE_DYNCREATE(CKtvPPrintPreviewView)
public:
    CKtvPPrintPreviewView();
    ~CKtvPPrintPreviewView() override;

    void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed) override;

    CKtvPPrintPreviewToolBar m_wndToolBar;
    int m_iOnePageImage = -1;
    int m_iTwoPageImage = -1;
    int m_iNumPageIndex = -1;
    CKtvPStatusBar* m_pStatusBar = nullptr;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    // Once it is the frame's active view, the frame places it below the toolbar.
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnUpdatePreviewNumPage(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // The button bar and the toolbar across the frame's top, the frame laid out again.
    void LayoutToolBar();
    bool m_bInLayout = false;
};
