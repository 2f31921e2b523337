// A small desk calculator built as a popup-menu bar whose display and keys
// are its own toolbar buttons: double precision, one pending operation, one
// memory, mouse and keyboard. The drop-down of a browse edit in calculator
// mode holds one in a pop-up.
#pragma once

#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CStringList.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"

class CDC;
class CKtvPBrowseEdit;
class CKtvPCalculator;

// One key.
class CCalculatorButton : public CKtvPToolbarButton {
    DECLARE_DYNCREATE(CCalculatorButton)
public:
    // The key "0".
    CCalculatorButton();
    CCalculatorButton(LPCTSTR lpszLabel, int nCommand, int nKeyCode, int nKeyCode2 = 0, BOOL bIsVirtualKey = TRUE,
                      BOOL bNeedsCtrl = FALSE, short nDigit = -1, BOOL bIsUserCommand = FALSE);
    ~CCalculatorButton() override;

    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    INT_PTR OnToolHitTest(const CWnd* /*pWnd*/, TOOLINFO* /*pTI*/) override { return -1; }

    short m_Digit;          // 0 to 9 for a digit key, else -1
    int m_Command;          // 0 for digits; 100 and up for extra commands
    int m_KeyCode;          // 0: none
    int m_KeyCode2;
    CKtvPCalculator* m_Calculator;
    BOOL m_IsVirtualKey;    // codes matched on WM_KEYDOWN; else characters on WM_CHAR
    BOOL m_NeedsCtrl;
    BOOL m_IsUserCommand;
};

// The display row.
class CCalculatorDisplay : public CKtvPToolbarButton {
    DECLARE_DYNCREATE(CCalculatorDisplay)
public:
    CCalculatorDisplay();
    ~CCalculatorDisplay() override;

    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    INT_PTR OnToolHitTest(const CWnd* /*pWnd*/, TOOLINFO* /*pTI*/) override { return -1; }

    BOOL m_ShowMemory;
    CKtvPCalculator* m_Calculator;
};

class CKtvPCalculator : public CKtvPPopupMenuBar {
    DECLARE_DYNCREATE(CKtvPCalculator)
public:
    CKtvPCalculator();
    CKtvPCalculator(double dblValue, UINT uiCommandID, CKtvPBrowseEdit* pEdit);
    ~CKtvPCalculator() override;

    // --- overrides ---
    void Serialize(CArchive& ar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    CSize CalcMaxButtonSize(BOOL bVertical) override;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR) override;
    void AdjustLocations() override;
    BOOL OnSendCommand(const CKtvPToolbarButton* pButton) override;
    void ShowCommandMessageString(UINT uiCmdId) override;

    // --- virtual operations added, in slot order ---
    virtual BOOL CreateControl(CWnd* pParentWnd, const RECT& rect, UINT nID);
    virtual void OnUserCommand(UINT /*uiCmd*/) {}
    virtual BOOL OnDrawButton(CDC* pDC, CRect rect, CCalculatorButton* pButton, int state, int cmd);
    virtual BOOL OnDrawDisplay(CDC* pDC, CRect rect, const CString& strText, BOOL bMem);
    virtual void Rebuild();
    virtual void OnDigit(int nDigit);
    virtual BOOL ProcessKey(UINT nChar, BOOL bKeyDown);

    void SetAdditionalCommands(const CStringList& lstCommands);
    double GetValue() const { return m_Value; }
    const CString& GetDisplayText() const { return m_DisplayText; }
    BOOL IsError() const { return m_IsError; }

    // While a key's command runs, a click outside does not close the pop-up.
    BOOL m_bIsInCommand;

protected:
    void FormatDisplayValue();
    void UpdateDisplay();
    void Compute();
    // Sets the value from the display text; an unreadable text keeps the value.
    void ReadDisplayValue();
    CCalculatorDisplay* GetDisplay() const;

    double m_Value;
    double m_SecondValue;
    double m_Memory;
    CString m_DisplayText;
    int m_PendingOp;        // command code 6 to 9, 0 for none
    UINT m_CommandId;
    CKtvPBrowseEdit* m_Edit;
    int m_VertMargin;
    int m_HorzMargin;
    CRect m_DisplayRect;
    BOOL m_IsNewNumber;
    BOOL m_IsError;
    BOOL m_LastWasEquals;
    int m_Rows;
    int m_Columns;
    CStringList m_AdditionalCommands;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* /*lpncsp*/) {}
    void OnNcPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    friend class CCalculatorDisplay;
};

// The pop-up of a browse edit in calculator mode.
class CKtvPCalculatorPopup : public CKtvPPopupMenu {
    DECLARE_DYNAMIC(CKtvPCalculatorPopup)
public:
    CKtvPCalculatorPopup(double dblValue, UINT uiCommandID, CKtvPBrowseEdit* pEdit);
    ~CKtvPCalculatorPopup() override;

    CKtvPPopupMenuBar* GetMenuBar() override { return &m_wndCalculator; }
    CKtvPCalculator& GetCalculator() { return m_wndCalculator; }

protected:
    CKtvPCalculator m_wndCalculator;
};
