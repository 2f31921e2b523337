#include "platform/mfc/CCtrlView.h"

#include "platform/mfc/CCreateContext.h"
#include "platform/mfc/CDocument.h"

IMPLEMENT_DYNAMIC(CCtrlView, CView)

BEGIN_MESSAGE_MAP(CCtrlView, CView)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CCtrlView::CCtrlView(LPCTSTR lpszClass, DWORD dwStyle) : m_strClass(lpszClass), m_dwDefaultStyle(dwStyle) {}

BOOL CCtrlView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    if (pContext && pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(this);
    return TRUE;
}

BOOL CCtrlView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.lpszClass = m_strClass;
    cs.style |= m_dwDefaultStyle;
    return CView::PreCreateWindow(cs);
}

void CCtrlView::OnDraw(CDC*) {}

void CCtrlView::OnPaint()
{
    Default();
}
