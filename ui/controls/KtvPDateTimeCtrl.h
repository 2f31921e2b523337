// The library's date and time field: the parts of a date and a time in the
// user's locale order, an optional check box that switches the value on and
// off, a drop-down button that opens a month calendar and an optional spin.
// Every part is edited from the keyboard; the value stays between a minimum
// and a maximum.
#pragma once

#include "platform/mfc/CButton.h"
#include "platform/mfc/COleDateTime.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CSpinButtonCtrl.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/afxmsg.h"

class CKtvPCalendarBar;
class CKtvPPopupMenu;

class CKtvPDateTimeCtrl : public CButton {
    DECLARE_DYNAMIC(CKtvPDateTimeCtrl)
public:
    // Part types.
    enum {
        PartNone = 0,
        PartCheck = 1,
        PartDay = 2,
        PartMonth = 3,
        PartYear = 4,
        PartHour = 5,
        PartMinute = 6,
        PartAmPm = 7,
    };
    // Month formats.
    enum { MonthAbbrev = 0, MonthFull = 1, MonthNumber = 2 };
    static const int kMaxParts = 7;

    CKtvPDateTimeCtrl();
    ~CKtvPDateTimeCtrl() override;

    void SetDate(const COleDateTime& date);
    const COleDateTime& GetDate() const { return m_Date; }
    void AdjustLayout(CRect rect);

    // Zero dates leave that end open.
    void SetMinDate(const COleDateTime& date) { m_MinDate = date; }
    void SetMaxDate(const COleDateTime& date) { m_MaxDate = date; }
    const COleDateTime& GetMinDate() const { return m_MinDate; }
    const COleDateTime& GetMaxDate() const { return m_MaxDate; }

    BOOL IsChecked() const { return m_bChecked; }
    int GetPartCount() const { return m_iPartsNumber; }
    int GetPartType(int nIndex) const { return nIndex >= 0 && nIndex < m_iPartsNumber ? m_arPartsOrder[nIndex] : 0; }
    CRect GetPartRect(int nIndex) const { return nIndex >= 0 && nIndex < kMaxParts ? CRect(m_arPartRects[nIndex]) : CRect(); }
    int GetCurrentPartIndex() const { return m_iPartNum; }
    int GetCurrentPartType() const { return m_CurrPartType; }
    void SetCurrentPart(int nIndex);
    CKtvPPopupMenu* GetCalendarPopup() const { return m_pPopup; }
    CKtvPCalendarBar* GetCalendar() const { return m_pWndCalendar; }
    CRect GetDropButtonRect() const { return CRect(m_rectDropButton); }
    CRect GetCheckBoxRect() const { return CRect(m_rectCheck); }

    // The calendar drop-down has closed: it forgets it, takes the focus back and runs the close-up hook.
    void OnCalendarClosed();

    // --- hooks ---
    virtual void OnDateChanged();
    virtual void OnShowCalendarPopup();
    virtual void OnCloseUp();

    // Settings; AdjustLayout applies them.
    BOOL m_bCheckBoxIsAvailable;
    BOOL m_bDropButtonIsAvailable;
    BOOL m_bShowDate;
    BOOL m_bShowTime;
    BOOL m_bSpinButtonIsAvailable;
    BOOL m_bAutoResize;
    BOOL m_b2DigitsInYear;
    int m_iYearPos;                 // the pivot of two-digit years
    int m_monthFormat;
    HFONT m_hFont;

protected:
    RECT m_rectCheck;
    RECT m_rectDropButton;
    RECT m_rectText;
    COleDateTime m_Date;
    COleDateTime m_MinDate;
    COleDateTime m_MaxDate;
    int m_CurrPartType;
    int m_iPartNum;
    BOOL m_bIsChecked;
    BOOL m_bChecked;
    int m_arPartsOrder[kMaxParts];
    RECT m_arPartRects[kMaxParts];
    int m_iPartsNumber;
    BOOL m_b24HoursFormat;
    BOOL m_bAutoSetTimeFormat;
    BOOL m_bIsFocused;
    CString m_strDateSeparator;
    CString m_strTimeSeparator;
    int m_iPrevDigit;
    CSpinButtonCtrl m_wndSpin;
    CKtvPCalendarBar* m_pWndCalendar;
    CKtvPPopupMenu* m_pPopup;
    BOOL m_bDropButtonIsPressed;
    int m_iControlWidth;
    int m_iControlHeight;
    CString m_strAM;
    CString m_strPM;
    COleDateTime m_WidestDate;
    int m_nYearDigits;              // digits typed into a four-digit year
    BOOL m_bInLayout;

    void SetPartsOrder();
    void CalcPartRects(CDC* pDC);
    CString FormatPart(int nType, const COleDateTime& date) const;
    BOOL IsDateValid(const COleDateTime& date) const;
    void StoreDate(const COleDateTime& date);
    void StoreIfAcceptable(const COleDateTime& date);
    void Increment(int iDelta);
    void SetPartExtreme(BOOL bHome);
    void PushDigit(int iDigit);
    void PushMonthLetter(UINT nChar);
    void PushAmPm(UINT nChar);
    void ToggleCheck();
    void ChangePart(int nStep);
    void RedrawPart(int nIndex);
    int PartAtPoint(CPoint point) const;
    CFont* GetControlFont() const;
    void EnableSpin();
    void DrawControl(CDC* pDC);
    // The month's name in the control's month format.
    CString MonthText(int nMonth) const;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    UINT OnGetDlgCode();
    void OnRButtonDown(UINT, CPoint) {}
    void OnRButtonUp(UINT, CPoint) {}
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    void OnSpinDeltaPos(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
