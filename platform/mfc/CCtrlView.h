// A view that is a control of a registered window class (an edit, a list):
// the control draws itself and the view adds the document's side.
#pragma once

#include "platform/mfc/CString.h"
#include "platform/mfc/CView.h"

class CCtrlView : public CView {
    DECLARE_DYNAMIC(CCtrlView)
public:
    CCtrlView(LPCTSTR lpszClass, DWORD dwStyle);

    // The control's class has its own procedure, so the view joins its document here
    // rather than at WM_CREATE, which the control handled before the view took it.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC* pDC) override;

protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    CString m_strClass;
    DWORD m_dwDefaultStyle;
};
