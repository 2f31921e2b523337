// A toolbar or menu button that drops down a month calendar; the chosen day
// is the button's date and, library-wide, the date of its command, so every
// button, calendar and handler of that command sees the last choice.
#pragma once

#include "platform/mfc/CMap.h"
#include "platform/mfc/COleDateTime.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/controls/KtvPCalendarBar.h"

class CKtvPCalendarMenuButton : public CKtvPToolbarMenuButton {
    DECLARE_SERIAL(CKtvPCalendarMenuButton)
public:
    CKtvPCalendarMenuButton();
    CKtvPCalendarMenuButton(UINT uiCmdID, LPCTSTR lpszText);
    ~CKtvPCalendarMenuButton() override;

    // --- overrides ---
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKtvPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    CKtvPPopupMenu* CreatePopupMenu() override;
    BOOL IsEmptyMenuAllowed() const override { return TRUE; }

    // --- virtual operation added ---
    virtual void SetDate(const COleDateTime& date, BOOL bNotify = TRUE);

    const COleDateTime& GetDate() const { return m_Calendar; }
    // The last date chosen for the command; the zero date when none was.
    static COleDateTime GetCommandDate(UINT uiCmdID);

    COleDateTime m_Calendar;
    // Kept for the archive and copies; the button does not read them.
    int m_nMonths;
    int m_nWeeks;
    int m_nWeekStart;
    int m_nFlags;

    // Command id -> date.
    static CMap<UINT, UINT, COleDateTime, const COleDateTime&> m_CalendarsByCmd;
};

// The drop-down of a calendar menu button: a popup menu whose menu bar is a calendar.
class CCalendarPopup : public CKtvPPopupMenu {
    DECLARE_DYNAMIC(CCalendarPopup)
public:
    CCalendarPopup(const COleDateTime& date, UINT uiCommandID);
    // The drop-down of a date-time control.
    CCalendarPopup(const COleDateTime& date, CKtvPDateTimeCtrl* pOwnerCtrl);
    ~CCalendarPopup() override;

    // The calendar keeps its own images: the pop-up is always a locked one.
    BOOL Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked = FALSE, BOOL bOwnMessage = FALSE) override;
    using CKtvPPopupMenu::Create;
    CKtvPPopupMenuBar* GetMenuBar() override { return &m_wndCalendarBar; }
    CKtvPControlBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName) override;

    CKtvPCalendarBar m_wndCalendarBar;
    BOOL m_bEnabledInCustomizeMode;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
