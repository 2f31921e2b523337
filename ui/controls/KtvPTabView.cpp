#include "ui/controls/KtvPTabView.h"

#include "platform/mfc/CCreateContext.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CFrameWnd.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPGlobalData.h"

IMPLEMENT_DYNCREATE(CKtvPTabView, CView)

BEGIN_MESSAGE_MAP(CKtvPTabView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ERASEBKGND()
    ON_REGISTERED_MESSAGE(KTVM_ONCHANGE_ACTIVE_TAB, OnChangeActiveTab)
END_MESSAGE_MAP()

namespace {

CFrameWnd* FrameOf(CWnd* pWnd) { return dynamic_cast<CFrameWnd*>(KtvGetParentFrame(pWnd)); }

}  // namespace

int CKtvPTabView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    const int style = UsesSharedScrollBar() ? CKtvPTabWnd::TABSTYLE_FLAT_SHARED_SCROLL : CKtvPTabWnd::TABSTYLE_FLAT;
    if (!m_wndTabs.Create(style, CRect(0, 0, 0, 0), this, 1, CKtvPBaseTabWnd::LOCATION_BOTTOM, FALSE))
        return -1;
    if (!m_wndTabs.m_bDrawFrame) {
        m_wndTabs.m_bDrawFrame = TRUE;
        m_wndTabs.RedrawWindow();
    }
    m_wndTabs.SetTabBorderSize(0, TRUE);
    // The views of the tabs belong to the frame, which destroys them.
    m_wndTabs.m_bAutoDestroyWindow = FALSE;
    return 0;
}

void CKtvPTabView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    // Left, top and bottom edges lie outside the view.
    m_wndTabs.SetWindowPos(nullptr, -1, -1, cx + 1, cy + 3, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CKtvPTabView::OnEraseBkgnd(CDC*) { return TRUE; }

int CKtvPTabView::AddView(CRuntimeClass* pViewClass, const CString& strViewLabel, int iIndex,
                          CCreateContext* pContext)
{
    CObject* pObject = pViewClass != nullptr ? pViewClass->CreateObject() : nullptr;
    CView* pView = dynamic_cast<CView*>(pObject);
    if (pView == nullptr) {
        delete pObject;
        return -1;
    }
    // A view whose window fails deletes itself (PostNcDestroy).
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &m_wndTabs, (UINT)-1, pContext))
        return -1;
    CDocument* pDoc = GetDocument();
    if (pDoc != nullptr && pView->GetDocument() == nullptr)
        pDoc->AddView(pView);
    m_wndTabs.InsertTab(pView, strViewLabel, iIndex, (UINT)-1, TRUE);
    return m_wndTabs.GetTabsNum() - 1;
}

BOOL CKtvPTabView::SetActiveView(int iTab) { return m_wndTabs.SetActiveTab(iTab); }

CView* CKtvPTabView::GetActiveView() const { return dynamic_cast<CView*>(m_wndTabs.GetActiveWnd()); }

LRESULT CKtvPTabView::OnChangeActiveTab(WPARAM wParam, LPARAM)
{
    CFrameWnd* pFrame = FrameOf(this);
    const int iTab = (int)wParam;
    CView* pView = iTab >= 0 ? dynamic_cast<CView*>(m_wndTabs.GetTabWnd(iTab)) : nullptr;
    if (pFrame != nullptr)
        pFrame->SetActiveView(pView);
    OnActivateView(pView);
    return 0;
}

int CKtvPTabView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    CView* pView = GetActiveView();
    if (pView == nullptr)
        return CView::OnMouseActivate(pDesktopWnd, nHitTest, message);
    const int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    CFrameWnd* pFrame = FrameOf(this);
    if (pFrame == nullptr)
        return nResult;
    const HWND hFocus = ::GetFocus();
    if (pFrame->GetActiveView() == pView) {
        if (hFocus != pView->GetSafeHwnd() && !::IsChild(pView->GetSafeHwnd(), hFocus))
            pView->OnActivateView(TRUE, pView, pView);
    } else {
        pFrame->SetActiveView(pView);
    }
    return nResult;
}
