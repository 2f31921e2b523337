#include "platform/mfc/CFormView.h"

#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/CCreateContext.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/dialog/windlg.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTypes.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

CFormView::CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)) {}

CFormView::CFormView(LPCTSTR lpszTemplateName) : m_lpszTemplateName(lpszTemplateName) {}

// The template gives the controls; the frame gives the place, id and style bits of a child.
BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext)
{
    const BYTE* bytes = nullptr;
    DWORD size = 0;
    // Every failure ends in PostNcDestroy, as a window's creation does, so the caller never
    // has to guess whether the object still lives.
    if (!m_lpszTemplateName ||
        !tw::FindResourceBytes(AfxGetResourceHandle(), m_lpszTemplateName, RT_DIALOG, &bytes, &size)) {
        PostNcDestroy();
        ::SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return FALSE;
    }
    tw::mfc::ThreadState& state = tw::mfc::CurrentThreadState();
    CWnd* outerInit = state.pWndInit;
    const bool outerIsDialog = state.initIsDialog;
    state.pWndInit = this;
    state.initIsDialog = true;
    HWND hWnd = ::CreateDialogIndirectParam(AfxGetResourceHandle(), reinterpret_cast<LPCDLGTEMPLATE>(bytes),
                                            CWnd::GetSafeHwndOf(pParentWnd), &AfxDlgProc, 0);
    state.pWndInit = outerInit;
    state.initIsDialog = outerIsDialog;
    if (!hWnd)
        return FALSE;
    if (!(::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD)) {
        // A popup template cannot be a pane; destroying it deletes this object.
        ::DestroyWindow(hWnd);
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SetDlgCtrlID(static_cast<int>(nID));
    // The template's size is the form's: a smaller window scrolls it.
    CRect templateRect;
    GetClientRect(&templateRect);
    ModifyStyle(WS_BORDER | WS_CAPTION, dwStyle & (WS_BORDER | WS_CLIPCHILDREN | WS_CLIPSIBLINGS));
    SetScrollSizes(MM_TEXT, templateRect.Size());
    if (pContext && pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(this);
    ::SetWindowPos(hWnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | ((dwStyle & WS_VISIBLE) ? SWP_SHOWWINDOW : 0));
    return TRUE;
}

BOOL CFormView::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    tw::mfc::ThreadState& state = tw::mfc::CurrentThreadState();
    HWND hWndOldLockout = state.hLockoutNotifyWindow;
    state.hLockoutNotifyWindow = m_hWnd;
    BOOL bOK = FALSE;
    try {
        DoDataExchange(&dx);
        bOK = TRUE;
    } catch (CUserException* e) {
        e->Delete();
    } catch (CException* e) {
        e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
    }
    state.hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

void CFormView::DoDataExchange(CDataExchange*) {}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

// The controls draw themselves.
void CFormView::OnDraw(CDC*) {}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (CScrollView::PreTranslateMessage(pMsg))
        return TRUE;
    // The frame's accelerators come before dialog navigation.
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame && pFrame->PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    return ::IsDialogMessage(m_hWnd, pMsg);
}
