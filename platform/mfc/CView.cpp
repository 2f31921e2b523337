#include "platform/mfc/CView.h"

#include <algorithm>

#include "platform/comctl/dialogs/DialogLayout.h"
#include "platform/mfc/CCreateContext.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CFileDialog.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CPreviewView.h"
#include "platform/mfc/CPrintInfo.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/kernel/GlobalMemory.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return CWnd::PreCreateWindow(cs);
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (pContext && pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* pFrame = GetParentFrame()) {
        if (pFrame->GetActiveView() == this)
            pFrame->SetActiveView(nullptr, FALSE);
    }
    CWnd::OnDestroy();
}

// Views are made with new and die with their windows.
void CView::PostNcDestroy()
{
    delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo)
{
    if (pInfo)
        pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != 0xFFFF || pInfo->m_nCurPage == 1;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (bActivate && pActivateView == this && ::GetFocus() != m_hWnd && !::IsChild(m_hWnd, ::GetFocus()))
        SetFocus();
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    const int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    if (CFrameWnd* pFrame = GetParentFrame()) {
        if (pFrame->GetActiveView() != this)
            pFrame->SetActiveView(this);
    }
    return nResult;
}

// The view first, then its document.
BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// --- printing ------------------------------------------------------------------------------------

namespace tw::mfc::view_print_detail {

constexpr int kStatusPageId = 0x3002;

// One running print job: the "Printing" window with its Cancel button, and
// whether the user pressed it.
struct PrintJob {
    HWND hStatus = nullptr;
    bool bUserAbort = false;
};

INT_PTR CALLBACK StatusProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtr(hDlg, DWLP_USER, lParam);
        return TRUE;
    }
    auto* job = reinterpret_cast<PrintJob*>(::GetWindowLongPtr(hDlg, DWLP_USER));
    if (job && message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        job->bUserAbort = true;
        ::EnableWindow(::GetDlgItem(hDlg, IDCANCEL), FALSE);
        return TRUE;
    }
    return FALSE;
}

HWND CreateStatusWindow(PrintJob& job, HWND hOwner, const CString& docName, const CString& printer)
{
    tw::comdlg::DialogLayout layout("Printing", 160, 80);
    layout.Item("Static", std::string(docName), -1, WS_VISIBLE | SS_CENTER, 10, 8, 140, 10)
        .Item("Static", "on the", -1, WS_VISIBLE | SS_CENTER, 10, 20, 140, 10)
        .Item("Static", std::string(printer), -1, WS_VISIBLE | SS_CENTER, 10, 32, 140, 10)
        .Item("Static", "", kStatusPageId, WS_VISIBLE | SS_CENTER, 10, 44, 140, 10)
        .Item("Button", "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 55, 60, 50, 14);
    HWND hStatus = ::CreateDialogIndirectParam(nullptr, layout.Bytes(), hOwner, StatusProc,
                                               reinterpret_cast<LPARAM>(&job));
    if (hStatus)
        ::ShowWindow(hStatus, SW_SHOW);
    return hStatus;
}

// Between pages: the program's windows are served and Cancel is heard.
// FALSE once the user cancelled.
BOOL AbortProc(PrintJob& job)
{
    MSG msg;
    while (!job.bUserAbort && ::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT)
            break;  // left for the thread's own loop
        ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
        if (job.hStatus && ::IsDialogMessage(job.hStatus, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return !job.bUserAbort;
}

// The file a "print to file" job writes; empty when the user cancelled.
CString AskOutputFile(CWnd* pParent, const CString& title)
{
    CFileDialog dialog(FALSE, "pdf", title + ".pdf", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                       "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*||", pParent);
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

}  // namespace tw::mfc::view_print_detail

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    PRINTDLG& pd = pInfo->m_pPD->m_pd;
    if (pd.nMinPage > pd.nMaxPage)
        pd.nMaxPage = pd.nMinPage;
    pd.nFromPage = pd.nMinPage;
    pd.nToPage = pd.nMaxPage;
    // The blocks a dialog or an earlier call left are replaced, not leaked.
    const BOOL bAppPrinter = CPrintDialog::GetAppPrinterDefaults(&pd);
    if (pInfo->m_bPreview || pInfo->m_bDirect) {
        // No printer at all: the dialog tells the user so.
        if (!bAppPrinter && pInfo->m_pPD->DoModal() != IDOK)
            return FALSE;
        if (!pd.hDC && !pInfo->m_pPD->CreatePrinterDC())
            return FALSE;
        pd.nFromPage = pd.nMinPage;
        pd.nToPage = pd.nMaxPage;
    } else {
        if (pInfo->m_pPD->DoModal() != IDOK)
            return FALSE;
        CPrintDialog::SetAppPrinter(pd);
    }
    if (!pd.hDC)
        return FALSE;
    pInfo->m_strPageDesc = tw::mfc::PrintingString(AFX_IDS_PREVIEWPAGEDESC, "Page %u\nPages %u-%u\n");
    return TRUE;
}

void CView::OnFilePrint()
{
    using namespace tw::mfc::view_print_detail;
    CPrintInfo printInfo;
    const MSG* pMsg = GetCurrentMessage();
    if (pMsg && pMsg->message == WM_COMMAND && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT)
        printInfo.m_bDirect = TRUE;
    if (!OnPreparePrinting(&printInfo))
        return;

    CString strTitle = m_pDocument ? m_pDocument->GetTitle() : CString();
    CString strOutput;
    if (printInfo.m_pPD->m_pd.Flags & PD_PRINTTOFILE) {
        strOutput = AskOutputFile(this, strTitle);
        if (strOutput.IsEmpty())
            return;
    }
    DOCINFO docInfo{};
    docInfo.cbSize = sizeof docInfo;
    docInfo.lpszDocName = strTitle;
    docInfo.lpszOutput = strOutput.IsEmpty() ? nullptr : static_cast<LPCTSTR>(strOutput);

    CDC dcPrint;
    dcPrint.Attach(printInfo.m_pPD->m_pd.hDC);
    dcPrint.m_bPrinting = TRUE;
    OnBeginPrinting(&dcPrint, &printInfo);

    CWnd* pMainWnd = AfxGetMainWnd();
    const BOOL bEnableMain = pMainWnd && pMainWnd->IsWindowEnabled();
    PrintJob job;
    job.hStatus = CreateStatusWindow(job, pMainWnd ? pMainWnd->m_hWnd : nullptr, strTitle,
                                     printInfo.m_pPD->GetDeviceName());
    if (bEnableMain)
        pMainWnd->EnableWindow(FALSE);

    BOOL bError = FALSE;
    if (::StartDoc(dcPrint.m_hDC, &docInfo) <= 0) {
        if (job.hStatus)
            ::DestroyWindow(job.hStatus);
        job.hStatus = nullptr;
        if (bEnableMain)
            pMainWnd->EnableWindow(TRUE);
        OnEndPrinting(&dcPrint, &printInfo);
        dcPrint.Detach();
        AfxMessageBox(tw::mfc::PrintingString(AFX_IDP_FAILED_TO_START_PRINT, "Could not start print job."));
        return;
    }

    UINT nStartPage = std::clamp(printInfo.GetFromPage(), printInfo.GetMinPage(), printInfo.GetMaxPage());
    UINT nEndPage = std::clamp(printInfo.GetToPage(), printInfo.GetMinPage(), printInfo.GetMaxPage());
    const CString pageFormat = tw::mfc::PrintingString(AFX_IDS_PRINTPAGENUM, "Page %u");
    for (printInfo.m_nCurPage = nStartPage; printInfo.m_nCurPage <= nEndPage; ++printInfo.m_nCurPage) {
        OnPrepareDC(&dcPrint, &printInfo);
        // A page past a last page the view found while printing is not printed.
        if (!printInfo.m_bContinuePrinting || printInfo.m_nCurPage > printInfo.GetMaxPage())
            break;
        if (job.hStatus) {
            CString pageText;
            pageText.Format(pageFormat, printInfo.m_nCurPage);
            ::SetDlgItemText(job.hStatus, kStatusPageId, pageText);
        }
        printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
        dcPrint.DPtoLP(&printInfo.m_rectDraw);
        if (::StartPage(dcPrint.m_hDC) <= 0) {
            bError = TRUE;
            break;
        }
        OnPrint(&dcPrint, &printInfo);
        if (::EndPage(dcPrint.m_hDC) <= 0 || !AbortProc(job)) {
            bError = TRUE;
            break;
        }
        // The view's own last page ends the job after it.
        if (!printInfo.m_bContinuePrinting)
            break;
    }
    if (bError)
        ::AbortDoc(dcPrint.m_hDC);
    else
        ::EndDoc(dcPrint.m_hDC);

    if (bEnableMain)
        pMainWnd->EnableWindow(TRUE);
    if (job.hStatus)
        ::DestroyWindow(job.hStatus);
    OnEndPrinting(&dcPrint, &printInfo);
    dcPrint.Detach();
}

// --- print preview ---------------------------------------------------------------------------------

void CView::OnFilePrintPreview()
{
    auto* pState = new CPrintPreviewState;
    if (!DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, this, RUNTIME_CLASS(CPreviewView), pState)) {
        AfxMessageBox(tw::mfc::PrintingString(AFX_IDP_COMMAND_FAILURE, "Command failed."));
        delete pState;
    }
}

namespace tw::mfc::view_print_detail {

// The bar the program's resources do not replace.
bool CreateDefaultPreviewBar(CDialogBar& bar, CWnd* pParent, UINT nStyle)
{
    tw::comdlg::DialogLayout layout("", 350, 16);
    struct Button {
        const char* text;
        int id;
    };
    static const Button buttons[] = {
        {"&Print...", AFX_ID_PREVIEW_PRINT},  {"&Next Page", AFX_ID_PREVIEW_NEXT},
        {"Pre&v Page", AFX_ID_PREVIEW_PREV},  {"&Two Page", AFX_ID_PREVIEW_NUMPAGE},
        {"Zoom &In", AFX_ID_PREVIEW_ZOOMIN},  {"Zoom &Out", AFX_ID_PREVIEW_ZOOMOUT},
        {"&Close", AFX_ID_PREVIEW_CLOSE},
    };
    short x = 2;
    for (const Button& button : buttons) {
        layout.Item("Button", button.text, button.id, WS_VISIBLE | BS_PUSHBUTTON, x, 2, 46, 12);
        x += 49;
    }
    return bar.CreateIndirect(pParent, layout.Bytes(), nStyle, AFX_IDW_PREVIEW_BAR) != FALSE;
}

}  // namespace tw::mfc::view_print_detail

BOOL CView::DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                           CPrintPreviewState* pState)
{
    CFrameWnd* pParent = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (!pParent)
        pParent = GetParentFrame();
    if (!pParent || !pPreviewViewClass || !pPreviewViewClass->IsDerivedFrom(RUNTIME_CLASS(CPreviewView)))
        return FALSE;
    auto* pView = static_cast<CPreviewView*>(pPreviewViewClass->CreateObject());
    if (!pView)
        return FALSE;
    pView->m_pOrigView = this;
    pState->pViewActiveOld = pParent->GetActiveView();
    if (!pState->lpfnCloseProc)
        pState->lpfnCloseProc = &CPreviewView::ClosePreviewOf;

    pParent->OnSetPreviewMode(TRUE, pState);
    auto* pBar = new CDialogBar;
    const BOOL bBar = pBar->Create(pParent, nIDResource, CBRS_TOP, AFX_IDW_PREVIEW_BAR) ||
                      tw::mfc::view_print_detail::CreateDefaultPreviewBar(*pBar, pParent, CBRS_TOP);
    if (!bBar) {
        pParent->OnSetPreviewMode(FALSE, pState);
        delete pBar;
        delete pView;
        return FALSE;
    }
    pBar->m_bAutoDelete = TRUE;
    pView->m_pToolBar = pBar;

    CCreateContext context;
    // The preview shows this view's document without joining its views.
    context.m_pCurrentFrame = pParent;
    context.m_pLastView = this;
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), pParent, AFX_IDW_PANE_FIRST,
                       &context)) {
        // A view whose window could not be made went with it (views delete
        // themselves); the state is still the caller's.
        pBar->DestroyWindow();
        pParent->OnSetPreviewMode(FALSE, pState);
        return FALSE;
    }
    pView->m_pPreviewState = pState;
    if (pState->pViewActiveOld)
        pState->pViewActiveOld->OnActivateView(FALSE, pState->pViewActiveOld, pState->pViewActiveOld);
    // The pages are printed at the size the preview is laid out to.
    pParent->RecalcLayout();
    // From here the preview owns the state: a view that declines is closed again.
    if (!pView->SetPrintView(pPrintView)) {
        pView->OnPreviewClose();
        return TRUE;
    }
    pParent->SetActiveView(pView);
    pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    pParent->UpdateWindow();
    return TRUE;
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView)
{
    OnEndPrinting(pDC, pInfo);
    CFrameWnd* pParent = pView->GetParentFrame();
    CPrintPreviewState* pState = pView->m_pPreviewState;
    CView* pViewActiveOld = pState->pViewActiveOld;
    pParent->SetActiveView(nullptr, FALSE);
    pParent->OnSetPreviewMode(FALSE, pState);
    // The view deletes itself, its print information and the state.
    pView->DestroyWindow();
    if (pViewActiveOld && ::IsWindow(pViewActiveOld->m_hWnd))
        pParent->SetActiveView(pViewActiveOld);
    pParent->RecalcLayout();
    pParent->Invalidate();
    pParent->UpdateWindow();
}
