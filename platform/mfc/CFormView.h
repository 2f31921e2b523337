// A view made from a dialog template: its controls are the template's, it
// exchanges their values with DoDataExchange, and the keys of dialog
// navigation (Tab, arrows, mnemonics) work within it. A window smaller than
// the template scrolls the form.
#pragma once

#include "platform/mfc/CScrollView.h"

class CDataExchange;

class CFormView : public CScrollView {
    DECLARE_DYNAMIC(CFormView)
public:
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    LPCTSTR m_lpszTemplateName;

protected:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(LPCTSTR lpszTemplateName);

    virtual void DoDataExchange(CDataExchange* pDX);
};
