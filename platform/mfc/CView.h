// A window that shows a document: it draws it, hears of its changes, and
// is the first to be offered the frame's commands.
#pragma once

#include "platform/mfc/CWnd.h"

class CDocument;
class CPreviewView;
struct CPrintInfo;
struct CPrintPreviewState;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnInitialUpdate();
    // The default repaints the whole view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    // pInfo is the job's CPrintInfo while printing or previewing, NULL on
    // the screen. The default prints only page 1 of a document whose length
    // is not known.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

    // --- printing ------------------------------------------------------------------------------
    // Sets the page range and asks for the printer (the dialog, or the
    // application's printer for a direct print or a preview); FALSE when
    // cancelled. The default calls DoPreparePrinting.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // One page, pInfo->m_nCurPage, into pInfo->m_rectDraw; the default draws the view.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // Replaces the frame's view and bars by a preview view of pPreviewViewClass
    // with its bar from the dialog template nIDResource; FALSE when it
    // could not start (the frame is then as it was).
    BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                        CPrintPreviewState* pState);

protected:
    CDocument* m_pDocument = nullptr;

    // ID_FILE_PRINT and ID_FILE_PRINT_DIRECT (without the dialog).
    void OnFilePrint();
    void OnFilePrintPreview();

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    friend class CDocument;
};
