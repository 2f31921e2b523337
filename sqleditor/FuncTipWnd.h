// The parameter tip: a small borderless window one row below the caret that
// shows a routine's signature, its header and its parameters in
// parentheses, with the parameter being typed in bold.
#pragma once

#include "platform/mfc/CDialog.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CMiniFrameWnd.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CStringArray.h"

class CCustomerEditCtrl;

// The tip's dialog template and its one static control.
constexpr UINT IDD_SQLED_FUNC_TIP = 241;
constexpr UINT IDC_SQLED_FUNC_TIP_TEXT = 2015;

class CFuncTipStatic : public CStatic {
public:
    CFuncTipStatic() = default;
    ~CFuncTipStatic() override = default;

    // Makes both fonts and takes the texts; the first parameter is current.
    void SetTip(const CString& strHeader, const CStringArray& arrParams);
    // The whole signature as one line: header (p1, p2).
    CString GetSignature() const;

    int m_nParamCount = 0;
    // 1-based; a number past the last parameter shows none in bold.
    int m_nCurrentParam = 1;
    CStringArray m_arrParams;
    CFont m_fontNormal;
    CFont m_fontBold;
    CString m_strHeader;

protected:
    void OnPaint();
    // Draws a segment of text at the running position, carrying what passes the right
    // edge to the next line.
    void DrawWrapped(CDC& dc, const CString& strSegment, CPoint& ptAt, int nRight);
    DECLARE_MESSAGE_MAP()
};

class CFuncTipDialog : public CDialog {
public:
    CFuncTipDialog() : CDialog(IDD_SQLED_FUNC_TIP) {}
    ~CFuncTipDialog() override = default;

    CFuncTipStatic m_wndText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Characters typed while the tip has the focus go to the editor.
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};

class CCustomerEditIntelliFuncWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CCustomerEditIntelliFuncWnd)
public:
    CCustomerEditIntelliFuncWnd() = default;
    ~CCustomerEditIntelliFuncWnd() override = default;

    // Opens the tip for a list whose first item is the header and the rest
    // the parameters; 0 without an owner or when a window cannot be made.
    virtual BOOL Create(CObList* pList, DWORD dwStyle, int x, int y, CCustomerEditCtrl* pOwner, int nUnused);

    CFuncTipDialog m_dlgTip;
    CCustomerEditCtrl* m_pOwnerEdit = nullptr;

protected:
    void PostNcDestroy() override;
    // Sizes the tip to the text, wrapping it at the work area's edge, and
    // puts it one row below the point.
    void SizeToText(int x, int y, const CString& strText);
    LRESULT OnNcHitTest(CPoint point);
    void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()
};
