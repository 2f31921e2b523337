// A month calendar built as a popup-menu bar whose caption, week-day names,
// week numbers and 42 day cells are its own toolbar buttons. In a calendar
// menu button's drop-down, stand-alone (torn off or a bordered child control,
// with a selection list), or as a date-time control's drop-down.
#pragma once

#include "platform/mfc/CList.h"
#include "platform/mfc/COleDateTime.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"

class CKtvPCalendarBar;
class CKtvPDateTimeCtrl;

// A day cell.
class CKtvPCalendarButton : public CKtvPToolbarButton {
    DECLARE_DYNCREATE(CKtvPCalendarButton)
public:
    CKtvPCalendarButton();
    ~CKtvPCalendarButton() override;

    // --- virtual operations added after the toolbar button's, in slot order ---
    virtual BOOL IsCurrentMonth() const;
    virtual BOOL IsMarked() const { return m_bIsMarked; }
    // -1: the look's colour.
    virtual COLORREF GetTextColor() const { return (COLORREF)-1; }
    virtual void SetDate(const COleDateTime& date);
    virtual BOOL IsSelected() const;
    virtual BOOL IsDayCell() const { return TRUE; }

    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    INT_PTR OnToolHitTest(const CWnd* /*pWnd*/, TOOLINFO* /*pTI*/) override { return -1; }

    COleDateTime m_Date;
    BOOL m_bIsMarked;
    CKtvPCalendarBar* m_pParentBar;  // set when the cell gets its parent
};

// A week-day name over its column.
class CCalendarWeekButton : public CKtvPCalendarButton {
    DECLARE_DYNCREATE(CCalendarWeekButton)
public:
    void SetDate(const COleDateTime& date) override;
    BOOL IsDayCell() const override { return FALSE; }
};

// The number of the week of its row.
class CCalendarWeekNumButton : public CKtvPCalendarButton {
    DECLARE_DYNCREATE(CCalendarWeekNumButton)
public:
    void SetDate(const COleDateTime& date) override;
    COLORREF GetTextColor() const override;
    BOOL IsDayCell() const override { return FALSE; }
};

// Goes to today.
class CCalendarTodayButton : public CKtvPCalendarButton {
    DECLARE_DYNCREATE(CCalendarTodayButton)
public:
    CCalendarTodayButton();
    void SetDate(const COleDateTime& date) override;
    BOOL IsDayCell() const override { return FALSE; }
    INT_PTR OnToolHitTest(const CWnd* pWnd, TOOLINFO* pTI) override;
};

// Previous year (image 0), previous month (1), next month (2), next year (3).
class CCalendarNavigateButton : public CKtvPCalendarButton {
    DECLARE_DYNCREATE(CCalendarNavigateButton)
public:
    CCalendarNavigateButton();
    explicit CCalendarNavigateButton(int iImage);
    void SetDate(const COleDateTime& date) override;
    BOOL IsDayCell() const override { return FALSE; }
    INT_PTR OnToolHitTest(const CWnd* pWnd, TOOLINFO* pTI) override;
};

// The month's name in the caption.
class CCalendarMonthButton : public CKtvPToolbarButton {
    DECLARE_DYNCREATE(CCalendarMonthButton)
public:
    CCalendarMonthButton();
    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    INT_PTR OnToolHitTest(const CWnd* pWnd, TOOLINFO* pTI) override;

    CKtvPCalendarBar* m_pParentBar;
};

class CKtvPCalendarBar : public CKtvPPopupMenuBar {
    DECLARE_DYNCREATE(CKtvPCalendarBar)
public:
    // Style bits.
    enum {
        KTVP_CAL_SELECT_WEEKDAY = 0x01,  // a click on a week-day name selects its column
        KTVP_CAL_WEEKNUMBERS = 0x02,     // the week-number column, a click on one selects its week
        KTVP_CAL_MULTIPLE_SELECTION = 0x04,
        KTVP_CAL_RESERVED = 0x08,
        KTVP_CAL_NAVIGATION = 0x10,      // the navigation and Today buttons
        KTVP_CAL_DEFAULT_STYLE = 0x1B,
    };

    CKtvPCalendarBar();
    CKtvPCalendarBar(const COleDateTime& date, UINT uiCommandID, CKtvPDateTimeCtrl* pOwnerCtrl = nullptr);
    // The tear-off copy.
    CKtvPCalendarBar(const CKtvPCalendarBar& src, UINT uiCommandID, BOOL bMultipleSelection);
    ~CKtvPCalendarBar() override;

    // --- overrides ---
    void Serialize(CArchive& ar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    CSize CalcMaxButtonSize(BOOL bVertical) override;
    void OnAfterFillBackground(CDC* pDC) override;
    void AdjustLocations() override;
    BOOL OnSendCommand(const CKtvPToolbarButton* pButton) override;
    BOOL OnKey(UINT nChar) override;
    void ShowCommandMessageString(UINT uiCmdId) override;

    // --- virtual operations added, in slot order ---
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwStyle, UINT nID, BOOL bMultipleSelection);
    virtual BOOL CreateControl(CWnd* pParentWnd, const RECT& rect, UINT nID, DWORD dwStyle);
    virtual void OnSelectionChanged();
    virtual void RebuildButtons();

    using CKtvPPopupMenuBar::CreateEx;

    void SetStyle(DWORD dwStyle, DWORD dwStyleMask = (DWORD)-1);
    DWORD GetCalendarStyle() const { return m_dwCalendarStyle; }
    void SetDate(const COleDateTime& date);
    const COleDateTime& GetDate() const { return m_dateDisplayed; }
    void SelectDate(const COleDateTime& date, BOOL bCtrl = FALSE, BOOL bShift = FALSE);
    void SelectWeekDay(const COleDateTime& date, BOOL bCtrl = FALSE, BOOL bShift = FALSE);
    void SelectWeek(const COleDateTime& date, BOOL bCtrl = FALSE, BOOL bShift = FALSE);
    void SelectRange(const COleDateTime& date);
    void ClearSelection();
    void AddSelectedDay(int nDay);
    void RemoveSelectedDay(int nDay);
    BOOL IsDateSelected(const COleDateTime& date) const;
    BOOL GetDayRect(int nDay, CRect& rect) const;
    int GetFirstDayOfWeek() const { return m_nFirstDayOfWeek; }
    void SetFirstDayOfWeek(int nDay);
    const COleDateTime& GetSelectedDate() const { return m_dateSelected; }
    CKtvPDateTimeCtrl* GetOwnerCtrl() const { return m_pOwnerCtrl; }
    int GetCellWidth() const { return m_nCellWidth; }
    int GetCellHeight() const { return m_nCellHeight; }
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    // The week number of a date when weeks start on nFirstDay (1 .. 7);
    // week 1 holds 1 January.
    static int GetWeekNumber(const COleDateTime& date, int nFirstDay);
    static int GetDaysInMonth(int nYear, int nMonth);
    // The month's English name; empty outside 1 .. 12.
    static CString GetMonthName(int nMonth);
    CFont* GetCalendarFont() const { return GetBarFont(FALSE); }
    BOOL IsStandAlone() const { return m_bIsStandAlone; }
    UINT GetCommandID() const { return m_uiCommandID; }

    // Filled by the look while painting.
    COLORREF m_clrCaptionText;
    COLORREF m_clrWeekText;
    COLORREF m_clrWeekText2;

protected:
    int m_nCaptionHeight;
    int m_nFirstDayOfWeek;          // as COleDateTime::GetDayOfWeek counts: 1 .. 7
    DWORD m_dwCalendarStyle;
    CList<int, int> m_lstSelectedDays;
    CList<int, int> m_lstMarkedDays;
    int m_nCellWidth;
    int m_nCellHeight;
    int m_nMinCellWidth;
    int m_nMinCellHeight;
    COleDateTime m_dateDisplayed;   // its month is the month shown
    COleDateTime m_dateSelected;
    UINT m_uiCommandID;
    BOOL m_bIsEnabled;
    BOOL m_bIsStandAlone;
    CKtvPDateTimeCtrl* m_pOwnerCtrl;
    BOOL m_bMouseInCustomizeMode;
    int m_nVertMargin;
    int m_nHorzMargin;
    int m_nGridOffset;
    BOOL m_bIsControl;              // a bordered child control
    UINT m_uiRepeatTimerID;
    int m_nRepeatDelay;

    void SetDefaults();
    // The width of the week-number column; 0 without it.
    int GetWeekColumnWidth() const;
    void MeasureCaption();
    // Cell sizes from a control's client area.
    void Resize();
    void StopRepeat();
    // A day picked by the user: the popup's button, the owner control or the command learns it.
    void OnDayChosen(const COleDateTime& date, BOOL bCtrl, BOOL bShift);
    int m_iRepeatButton;
    BOOL m_bRepeated;           // the held button has paged at least once
    BOOL IgnoresMouse() const;
    COleDateTime NavigationTarget(const CKtvPCalendarButton* pButton) const;
    void SelectMatchingDays(const COleDateTime& date, BOOL bWholeWeek, BOOL bCtrl, BOOL bShift);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSize(UINT nType, int cx, int cy);
    void OnMouseLeave();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
