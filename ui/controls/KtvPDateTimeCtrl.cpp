#include "ui/controls/KtvPDateTimeCtrl.h"

#include <algorithm>
#include <cctype>

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CDC.h"
#include "platform/win32/kernel/Locale.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/controls/KtvPCalendarBar.h"
#include "ui/controls/KtvPCalendarMenuButton.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

namespace {

constexpr UINT kDateTimeSpinId = 1;
constexpr int kDropButtonWidth = 17;
constexpr int kSpinWidth = 15;

int DtcDaysInMonth(int nYear, int nMonth)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const BOOL bLeap = (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
    return nMonth == 2 && bLeap ? 29 : kDays[(nMonth - 1 + 12) % 12];
}

CString DtcLocaleText(LCTYPE type)
{
    char buffer[64] = {};
    if (::GetLocaleInfo(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) <= 0)
        return CString();
    return CString(buffer);
}

BOOL DtcIsSet(const COleDateTime& date) { return date != COleDateTime(); }

COleDateTime DtcMake(int y, int m, int d, const COleDateTime& time)
{
    return COleDateTime(y, m, d, time.GetHour(), time.GetMinute(), time.GetSecond());
}

BOOL DtcIsDatePart(int nType)
{
    return nType == CKtvPDateTimeCtrl::PartDay || nType == CKtvPDateTimeCtrl::PartMonth ||
           nType == CKtvPDateTimeCtrl::PartYear;
}

BOOL DtcIsTimePart(int nType)
{
    return nType == CKtvPDateTimeCtrl::PartHour || nType == CKtvPDateTimeCtrl::PartMinute;
}

} // namespace

IMPLEMENT_DYNAMIC(CKtvPDateTimeCtrl, CButton)

BEGIN_MESSAGE_MAP(CKtvPDateTimeCtrl, CButton)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_GETDLGCODE()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_SETCURSOR()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_NOTIFY(UDN_DELTAPOS, kDateTimeSpinId, OnSpinDeltaPos)
END_MESSAGE_MAP()

// A date with a drop-down calendar, no time, spin or check box; numeric
// months, four-digit years, the locale's clock; the value is now.
CKtvPDateTimeCtrl::CKtvPDateTimeCtrl()
    : m_bCheckBoxIsAvailable(FALSE),
      m_bDropButtonIsAvailable(TRUE),
      m_bShowDate(TRUE),
      m_bShowTime(FALSE),
      m_bSpinButtonIsAvailable(FALSE),
      m_bAutoResize(TRUE),
      m_b2DigitsInYear(FALSE),
      m_iYearPos(2029),
      m_monthFormat(MonthNumber),
      m_hFont(nullptr),
      m_rectCheck{},
      m_rectDropButton{},
      m_rectText{},
      m_Date(COleDateTime::GetCurrentTime()),
      m_CurrPartType(PartNone),
      m_iPartNum(0),
      m_bIsChecked(FALSE),
      m_bChecked(TRUE),
      m_arPartsOrder{},
      m_arPartRects{},
      m_iPartsNumber(0),
      m_b24HoursFormat(FALSE),
      m_bAutoSetTimeFormat(TRUE),
      m_bIsFocused(FALSE),
      m_iPrevDigit(-1),
      m_pWndCalendar(nullptr),
      m_pPopup(nullptr),
      m_bDropButtonIsPressed(FALSE),
      m_iControlWidth(0),
      m_iControlHeight(0),
      m_nYearDigits(0),
      m_bInLayout(FALSE)
{
}

CKtvPDateTimeCtrl::~CKtvPDateTimeCtrl() = default;

// --- value ---------------------------------------------------------------------------------------------

void CKtvPDateTimeCtrl::SetDate(const COleDateTime& date)
{
    const BOOL bChanged = date != m_Date;
    m_Date = date;
    m_Date.SetStatus(COleDateTime::valid);
    if (m_bCheckBoxIsAvailable)
        m_bChecked = DtcIsSet(date);
    EnableSpin();
    if (GetSafeHwnd() == nullptr)
        return;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    if (bChanged)
        OnDateChanged();
}

BOOL CKtvPDateTimeCtrl::IsDateValid(const COleDateTime& date) const
{
    if (date.GetStatus() != COleDateTime::valid)
        return FALSE;
    if (DtcIsSet(m_MinDate) && date < m_MinDate)
        return FALSE;
    if (DtcIsSet(m_MaxDate) && date > m_MaxDate)
        return FALSE;
    return TRUE;
}

// Only a value within the limits that differs from the current one.
void CKtvPDateTimeCtrl::StoreIfAcceptable(const COleDateTime& date)
{
    if (IsDateValid(date) && date != m_Date)
        StoreDate(date);
}

void CKtvPDateTimeCtrl::StoreDate(const COleDateTime& date)
{
    m_Date = date;
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    OnDateChanged();
}

// The parent hears of every value the control stores.
void CKtvPDateTimeCtrl::OnDateChanged()
{
    CWnd* pParent = GetParent();
    if (pParent != nullptr && GetSafeHwnd() != nullptr)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)GetSafeHwnd());
}

// --- layout --------------------------------------------------------------------------------------------

void CKtvPDateTimeCtrl::SetPartsOrder()
{
    m_iPartsNumber = 0;
    m_bIsChecked = FALSE;
    if (m_bCheckBoxIsAvailable) {
        m_arPartsOrder[m_iPartsNumber++] = PartCheck;
        m_bIsChecked = TRUE;
    }
    m_strDateSeparator = DtcLocaleText(LOCALE_SDATE);
    m_strTimeSeparator = DtcLocaleText(LOCALE_STIME);

    if (m_bShowDate) {
        const CString strOrder = DtcLocaleText(LOCALE_IDATE);
        int order[3] = {PartMonth, PartDay, PartYear};
        if (strOrder == "1")
            order[0] = PartDay, order[1] = PartMonth, order[2] = PartYear;
        else if (strOrder == "2")
            order[0] = PartYear, order[1] = PartMonth, order[2] = PartDay;
        for (int nType : order)
            m_arPartsOrder[m_iPartsNumber++] = nType;
    }
    if (m_bShowTime) {
        m_arPartsOrder[m_iPartsNumber++] = PartHour;
        m_arPartsOrder[m_iPartsNumber++] = PartMinute;
        if (m_bAutoSetTimeFormat)
            m_b24HoursFormat = DtcLocaleText(LOCALE_ITIME) == "1";
        if (!m_b24HoursFormat)
            m_arPartsOrder[m_iPartsNumber++] = PartAmPm;
    }
    m_strAM = DtcLocaleText(LOCALE_S1159);
    m_strAM.MakeUpper();
    m_strPM = DtcLocaleText(LOCALE_S2359);
    m_strPM.MakeUpper();
}

CString CKtvPDateTimeCtrl::MonthText(int nMonth) const
{
    const COleDateTime date(2000, nMonth, 1, 0, 0, 0);
    switch (m_monthFormat) {
    case MonthAbbrev:
        return date.Format("%b");
    case MonthFull:
        return date.Format("%B");
    default:
        return date.Format("%m");
    }
}

CString CKtvPDateTimeCtrl::FormatPart(int nType, const COleDateTime& date) const
{
    switch (nType) {
    case PartDay:
        return date.Format("%d");
    case PartMonth:
        return MonthText(date.GetMonth());
    case PartYear:
        return date.Format("%Y");
    case PartHour:
        return date.Format(m_b24HoursFormat ? "%H" : "%I");
    case PartMinute:
        return date.Format("%M");
    case PartAmPm:
        return date.GetHour() < 12 ? m_strAM : m_strPM;
    default:
        return CString();
    }
}

CFont* CKtvPDateTimeCtrl::GetControlFont() const
{
    return CFont::FromHandle(m_hFont != nullptr ? m_hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT));
}

void CKtvPDateTimeCtrl::CalcPartRects(CDC* pDC)
{
    int x = m_bIsChecked ? m_rectCheck.right + 2 : m_rectText.left;
    for (int i = 0; i < kMaxParts; i++)
        ::SetRectEmpty(&m_arPartRects[i]);
    for (int i = 0; i < m_iPartsNumber; i++) {
        const int nType = m_arPartsOrder[i];
        if (nType == PartCheck) {
            m_arPartRects[i] = m_rectCheck;
            continue;
        }
        const int nWidth = pDC->GetTextExtent(FormatPart(nType, m_WidestDate)).cx;
        ::SetRect(&m_arPartRects[i], x, m_rectText.top, x + nWidth, m_rectText.bottom);
        x += nWidth;
        if (i + 1 < m_iPartsNumber) {
            const int nNext = m_arPartsOrder[i + 1];
            if (DtcIsDatePart(nType) && DtcIsDatePart(nNext))
                x += pDC->GetTextExtent(m_strDateSeparator).cx;
            else if (DtcIsTimePart(nType) && DtcIsTimePart(nNext))
                x += pDC->GetTextExtent(m_strTimeSeparator).cx;
            else
                x += pDC->GetTextExtent(" ").cx;
        }
    }
}

void CKtvPDateTimeCtrl::AdjustLayout(CRect rect)
{
    if (GetSafeHwnd() == nullptr || m_bInLayout)
        return;
    m_bInLayout = TRUE;

    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetControlFont());

    if (!DtcIsSet(m_WidestDate)) {
        int nWidest = 9;
        if (m_monthFormat != MonthNumber) {
            int nMax = -1;
            for (int m = 1; m <= 12; m++) {
                const int cx = dc.GetTextExtent(MonthText(m)).cx;
                if (cx > nMax) {
                    nMax = cx;
                    nWidest = m;
                }
            }
        }
        m_WidestDate = COleDateTime(2000, nWidest, 20, 20, 0, 0);
    }

    SetPartsOrder();
    m_iPartNum = m_bIsChecked ? 1 : 0;
    m_CurrPartType = m_iPartNum < m_iPartsNumber ? m_arPartsOrder[m_iPartNum] : PartNone;

    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    m_rectText = rect;
    m_rectText.top += 2;
    m_rectText.bottom -= 2;
    int nHeight = m_bAutoResize ? tm.tmHeight + 6 : rect.Height();
    if (m_bAutoResize)
        m_rectText.bottom = rect.top + nHeight - 2;

    if (m_bIsChecked)
        ::SetRect(&m_rectCheck, rect.left + 1, rect.top + 1, rect.left + nHeight - 1, rect.top + nHeight - 1);
    else
        ::SetRectEmpty(&m_rectCheck);

    CalcPartRects(&dc);
    dc.SelectObject(pOldFont);

    int nWidth = m_iPartsNumber > 0 ? m_arPartRects[m_iPartsNumber - 1].right + 2 : rect.left + 2;
    if (m_bSpinButtonIsAvailable)
        nWidth += kDropButtonWidth;
    if (!m_bAutoResize) {
        nWidth = rect.Width();
        nHeight = rect.Height();
    }

    ::SetRectEmpty(&m_rectDropButton);
    if (m_bDropButtonIsAvailable && m_bShowDate) {
        if (m_bAutoResize)
            nWidth += kDropButtonWidth;
        const int nLeft = m_bSpinButtonIsAvailable ? nWidth - 31 : nWidth - kDropButtonWidth;
        ::SetRect(&m_rectDropButton, nLeft, 0, nLeft + kDropButtonWidth, nHeight);
    }
    m_iControlWidth = nWidth;
    m_iControlHeight = nHeight;

    if (m_bAutoResize)
        SetWindowPos(nullptr, 0, 0, nWidth + 2, nHeight + 2, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    if (m_bSpinButtonIsAvailable) {
        if (m_wndSpin.GetSafeHwnd() == nullptr)
            m_wndSpin.Create(WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_AUTOBUDDY, CRect(0, 0, 1, 1), this,
                             kDateTimeSpinId);
        if (m_wndSpin.GetSafeHwnd() != nullptr) {
            m_wndSpin.SetRange(0, 2);
            m_wndSpin.SetPos(1);
            m_wndSpin.SetWindowPos(nullptr, nWidth - kSpinWidth, 0, kSpinWidth, nHeight,
                                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        }
        EnableSpin();
    } else if (m_wndSpin.GetSafeHwnd() != nullptr) {
        m_wndSpin.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }

    // An unset minimum is the earliest date the control can show, not the zero date.
    const COleDateTime earliest(100, 1, 1, 0, 0, 0);
    const COleDateTime latest(9999, 12, 31, 23, 59, 59);
    m_MinDate = DtcIsSet(m_MinDate) ? std::max(m_MinDate, earliest) : earliest;
    m_MaxDate = DtcIsSet(m_MaxDate) ? std::min(m_MaxDate, latest) : latest;

    m_bInLayout = FALSE;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

void CKtvPDateTimeCtrl::EnableSpin()
{
    if (m_wndSpin.GetSafeHwnd() != nullptr)
        m_wndSpin.EnableWindow(IsWindowEnabled() && m_bChecked);
}

void CKtvPDateTimeCtrl::SetCurrentPart(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_iPartsNumber)
        return;
    const int nOld = m_iPartNum;
    m_iPartNum = nIndex;
    m_CurrPartType = m_arPartsOrder[nIndex];
    m_iPrevDigit = -1;
    m_nYearDigits = 0;
    RedrawPart(nOld);
    RedrawPart(nIndex);
}

// --- editing -------------------------------------------------------------------------------------------

void CKtvPDateTimeCtrl::Increment(int iDelta)
{
    int y = m_Date.GetYear();
    int m = m_Date.GetMonth();
    int d = m_Date.GetDay();
    int h = m_Date.GetHour();
    int mi = m_Date.GetMinute();
    switch (m_CurrPartType) {
    case PartDay: {
        const int nDays = DtcDaysInMonth(y, m);
        d = ((d - 1 + iDelta) % nDays + nDays) % nDays + 1;
        break;
    }
    case PartMonth: {
        const BOOL bWasLast = d == DtcDaysInMonth(y, m);
        m = ((m - 1 + iDelta) % 12 + 12) % 12 + 1;
        if (bWasLast || d > DtcDaysInMonth(y, m))
            d = DtcDaysInMonth(y, m);
        break;
    }
    case PartYear:
        y += iDelta;
        d = std::min(d, DtcDaysInMonth(y, m));
        break;
    case PartHour:
        h = ((h + iDelta) % 24 + 24) % 24;
        break;
    case PartMinute:
        mi = ((mi + iDelta) % 60 + 60) % 60;
        break;
    case PartAmPm:
        h = (h + 12) % 24;
        break;
    default:
        return;
    }
    if (y < 100 || y > 9999) {
        // Beyond the calendar: the nearest end.
        COleDateTime end = iDelta > 0 ? m_MaxDate : m_MinDate;
        if (DtcIsSet(end) && end != m_Date && IsDateValid(end))
            StoreDate(end);
        return;
    }
    COleDateTime date(y, m, d, h, mi, m_Date.GetSecond());
    if (iDelta > 0 && DtcIsSet(m_MaxDate) && date > m_MaxDate)
        date = m_MaxDate;
    if (iDelta < 0 && DtcIsSet(m_MinDate) && date < m_MinDate)
        date = m_MinDate;
    StoreIfAcceptable(date);
}

void CKtvPDateTimeCtrl::SetPartExtreme(BOOL bHome)
{
    int y = m_Date.GetYear();
    int m = m_Date.GetMonth();
    int d = m_Date.GetDay();
    int h = m_Date.GetHour();
    int mi = m_Date.GetMinute();
    switch (m_CurrPartType) {
    case PartDay:
        d = bHome ? 1 : DtcDaysInMonth(y, m);
        break;
    case PartMonth:
        m = bHome ? 1 : 12;
        d = std::min(d, DtcDaysInMonth(y, m));
        break;
    case PartHour:
        h = bHome ? 0 : 23;
        break;
    case PartMinute:
        mi = bHome ? 0 : 59;
        break;
    default:
        return;
    }
    const COleDateTime date(y, m, d, h, mi, m_Date.GetSecond());
    StoreIfAcceptable(date);
}

void CKtvPDateTimeCtrl::PushDigit(int iDigit)
{
    const BOOL bFirst = m_iPrevDigit == -1;
    const int nNumber = bFirst ? iDigit : m_iPrevDigit * 10 + iDigit;
    int y = m_Date.GetYear();
    int m = m_Date.GetMonth();
    int d = m_Date.GetDay();
    int h = m_Date.GetHour();
    int mi = m_Date.GetMinute();
    BOOL bComplete = !bFirst;

    switch (m_CurrPartType) {
    case PartDay:
        d = nNumber;
        break;
    case PartMonth:
        if (m_monthFormat != MonthNumber)
            return;
        m = nNumber;
        if (bFirst && iDigit > 1)
            bComplete = TRUE;
        break;
    case PartYear:
        if (m_b2DigitsInYear) {
            y = (y / 100) * 100 + nNumber;
            if (y < m_iYearPos - 99)
                y = (m_iYearPos / 100) * 100 + nNumber;
            if (y > m_iYearPos)
                y -= 100;
        } else {
            if (bFirst)
                m_nYearDigits = 0;
            static const int kPlaces[] = {1000, 100, 10, 1};
            const int nPlace = kPlaces[std::min(m_nYearDigits, 3)];
            y = y - (y / nPlace % 10) * nPlace + iDigit * nPlace;
            m_nYearDigits++;
            bComplete = m_nYearDigits >= 4;
        }
        break;
    case PartHour:
        if (m_b24HoursFormat) {
            h = nNumber;
        } else {
            const BOOL bAfternoon = h >= 12;
            const int nHour = nNumber > 12 ? iDigit : nNumber;
            h = nHour % 12 + (bAfternoon ? 12 : 0);
            if (nNumber == 24)
                h = 0;
            if (bFirst && iDigit != 1)
                bComplete = TRUE;
        }
        break;
    case PartMinute:
        mi = nNumber;
        break;
    default:
        return;
    }

    BOOL bAcceptable = FALSE;
    if (y >= 100 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= DtcDaysInMonth(y, m) && h < 24 && mi < 60) {
        const COleDateTime date(y, m, d, h, mi, m_Date.GetSecond());
        bAcceptable = IsDateValid(date);
        if (bAcceptable && date != m_Date)
            StoreDate(date);
    }

    if (!bComplete) {
        m_iPrevDigit = iDigit;
        return;
    }
    m_iPrevDigit = -1;
    m_nYearDigits = 0;
    if (bAcceptable && m_iPartNum < m_iPartsNumber - 1)
        ChangePart(1);
}

void CKtvPDateTimeCtrl::PushMonthLetter(UINT nChar)
{
    const int y = m_Date.GetYear();
    const int m = m_Date.GetMonth();
    const int d = m_Date.GetDay();
    for (int k = 1; k <= 12; k++) {
        const int nMonth = (m - 1 + k) % 12 + 1;
        const CString strName = MonthText(nMonth);
        if (strName.GetLength() <= 1 || toupper((unsigned char)strName[0]) != toupper((int)nChar))
            continue;
        const int nDay = d == DtcDaysInMonth(y, m) ? DtcDaysInMonth(y, nMonth) : std::min(d, DtcDaysInMonth(y, nMonth));
        const COleDateTime date = DtcMake(y, nMonth, nDay, m_Date);
        if (IsDateValid(date) && date != m_Date)
            StoreDate(date);
        return;
    }
}

void CKtvPDateTimeCtrl::PushAmPm(UINT nChar)
{
    const int nUpper = toupper((int)nChar);
    int h = m_Date.GetHour();
    if (!m_strPM.IsEmpty() && nUpper == (unsigned char)m_strPM[0] && h < 12)
        h += 12;
    else if (!m_strAM.IsEmpty() && nUpper == (unsigned char)m_strAM[0] && h >= 12)
        h -= 12;
    else
        return;
    const COleDateTime date(m_Date.GetYear(), m_Date.GetMonth(), m_Date.GetDay(), h, m_Date.GetMinute(),
                            m_Date.GetSecond());
    StoreIfAcceptable(date);
}

void CKtvPDateTimeCtrl::ToggleCheck()
{
    m_bChecked = !m_bChecked;
    EnableSpin();
    if (m_bChecked && !DtcIsSet(m_Date))
        StoreDate(COleDateTime::GetCurrentTime());
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CKtvPDateTimeCtrl::ChangePart(int nStep)
{
    if (m_iPartsNumber == 0 || m_iPartNum < 0 || !m_bChecked)
        return;
    SetCurrentPart(((m_iPartNum + nStep) % m_iPartsNumber + m_iPartsNumber) % m_iPartsNumber);
}

void CKtvPDateTimeCtrl::RedrawPart(int nIndex)
{
    if (GetSafeHwnd() == nullptr || nIndex < 0 || nIndex >= m_iPartsNumber)
        return;
    CRect rect = m_arPartRects[nIndex];
    rect.InflateRect(1, 1);
    RedrawWindow(rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

int CKtvPDateTimeCtrl::PartAtPoint(CPoint point) const
{
    for (int i = 0; i < m_iPartsNumber; i++) {
        if (::PtInRect(&m_arPartRects[i], point))
            return i;
    }
    return -1;
}

// --- the drop-down ---------------------------------------------------------------------------------------

// A calendar in a pop-up under the control; it hands its day back through SetDate.
void CKtvPDateTimeCtrl::OnShowCalendarPopup()
{
    if (m_pPopup != nullptr)
        return;
    auto* pPopup = new CCalendarPopup(DtcIsSet(m_Date) ? m_Date : COleDateTime::GetCurrentTime(), this);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    m_pPopup = pPopup;
    m_pWndCalendar = &pPopup->m_wndCalendarBar;
    if (!pPopup->Create(this, rectWindow.left, rectWindow.bottom, nullptr, TRUE)) {
        // A refused popup closes and deletes itself.
        m_pPopup = nullptr;
        m_pWndCalendar = nullptr;
        return;
    }
    // The calendar holds the mouse and takes the keys from here on.
    m_bDropButtonIsPressed = FALSE;
    RedrawWindow(&m_rectDropButton, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (m_pWndCalendar != nullptr && m_pWndCalendar->GetSafeHwnd() != nullptr)
        m_pWndCalendar->SetFocus();
}

void CKtvPDateTimeCtrl::OnCalendarClosed()
{
    m_pPopup = nullptr;
    m_pWndCalendar = nullptr;
    if (GetSafeHwnd() == nullptr)
        return;
    SetFocus();
    OnCloseUp();
}

void CKtvPDateTimeCtrl::OnCloseUp()
{
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// --- messages ------------------------------------------------------------------------------------------

int CKtvPDateTimeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CButton::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The spin paints itself over the parts' background.
    ModifyStyle(0, WS_CLIPCHILDREN);
    if (!m_wndSpin.Create(WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_AUTOBUDDY, CRect(0, 0, 1, 1), this,
                          kDateTimeSpinId))
        return -1;
    CRect rectClient;
    GetClientRect(rectClient);
    AdjustLayout(rectClient);
    return 0;
}

UINT CKtvPDateTimeCtrl::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

void CKtvPDateTimeCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsWindowEnabled())
        return;
    const BOOL bValueOn = m_bChecked || m_CurrPartType == PartCheck;

    if ((nChar >= '0' && nChar <= '9') || (nChar >= VK_NUMPAD0 && nChar <= VK_NUMPAD9)) {
        if (bValueOn)
            PushDigit((int)(nChar >= VK_NUMPAD0 ? nChar - VK_NUMPAD0 : nChar - '0'));
        return;
    }
    if (nChar >= 'A' && nChar <= 'Z') {
        if (!m_bChecked)
            return;
        if (m_CurrPartType == PartMonth && m_monthFormat != MonthNumber)
            PushMonthLetter(nChar);
        else if (m_CurrPartType == PartAmPm)
            PushAmPm(nChar);
        return;
    }

    m_iPrevDigit = -1;
    m_nYearDigits = 0;
    switch (nChar) {
    case VK_SPACE:
        if (m_CurrPartType == PartCheck)
            ToggleCheck();
        else if (m_CurrPartType == PartAmPm && m_bChecked)
            Increment(1);
        break;
    case VK_UP:
    case VK_DOWN:
        if (m_bChecked)
            Increment(nChar == VK_UP ? 1 : -1);
        break;
    case VK_HOME:
    case VK_END:
        if (m_bChecked)
            SetPartExtreme(nChar == VK_HOME);
        break;
    case VK_LEFT:
    case VK_RIGHT:
        ChangePart(nChar == VK_LEFT ? -1 : 1);
        break;
    default:
        break;
    }
    CButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKtvPDateTimeCtrl::OnLButtonDown(UINT, CPoint point)
{
    m_iPrevDigit = -1;
    m_nYearDigits = 0;
    SetFocus();
    if (!::PtInRect(&m_rectDropButton, point)) {
        int nFound = PartAtPoint(point);
        if (nFound < 0) {
            m_CurrPartType = PartNone;
            if (::PtInRect(&m_rectText, point)) {
                for (int i = 0; i < m_iPartsNumber; i++) {
                    if (m_arPartRects[i].left >= point.x) {
                        nFound = i;
                        break;
                    }
                }
            }
        }
        if (nFound < 0) {
            RedrawPart(m_iPartNum);
            return;
        }
        const int nType = m_arPartsOrder[nFound];
        if (m_bChecked || nType == PartCheck) {
            SetCurrentPart(nFound);
            if (nType == PartCheck)
                ToggleCheck();
        }
        return;
    }
    if (m_bDropButtonIsAvailable && m_bShowDate && m_bChecked) {
        m_bDropButtonIsPressed = TRUE;
        SetCapture();
        RedrawWindow(&m_rectDropButton, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        OnShowCalendarPopup();
    }
}

void CKtvPDateTimeCtrl::OnLButtonUp(UINT, CPoint)
{
    if (!m_bDropButtonIsPressed)
        return;
    m_bDropButtonIsPressed = FALSE;
    RedrawWindow(&m_rectDropButton, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (::GetCapture() == GetSafeHwnd())
        ReleaseCapture();
    if (m_pWndCalendar != nullptr && m_pWndCalendar->GetSafeHwnd() != nullptr)
        m_pWndCalendar->SetFocus();
}

void CKtvPDateTimeCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CButton::OnSetFocus(pOldWnd);
    if (m_iPartNum >= 0 && m_iPartNum < m_iPartsNumber)
        m_CurrPartType = m_arPartsOrder[m_iPartNum];
    m_bIsFocused = TRUE;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CKtvPDateTimeCtrl::OnKillFocus(CWnd* pNewWnd)
{
    m_bIsFocused = FALSE;
    m_iPrevDigit = -1;
    m_nYearDigits = 0;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CButton::OnKillFocus(pNewWnd);
}

BOOL CKtvPDateTimeCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CKtvPDateTimeCtrl::OnPaint()
{
    CPaintDC dc(this);
    DrawControl(&dc);
}

// The parts in the control's font, the current one highlighted while the
// control has the focus; the check box and the drop button as the look draws them.
void CKtvPDateTimeCtrl::DrawControl(CDC* pDC)
{
    CKtvPVisualManager* pManager = CKtvPVisualManager::GetInstance();
    CRect rectClient;
    GetClientRect(rectClient);
    const BOOL bEnabled = IsWindowEnabled();
    pDC->FillSolidRect(rectClient, bEnabled ? globalData.clrWindow : globalData.clrBarFace);

    CFont* pOldFont = pDC->SelectObject(GetControlFont());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrText = bEnabled && m_bChecked ? globalData.clrWindowText : globalData.clrGrayedText;

    for (int i = 0; i < m_iPartsNumber; i++) {
        const int nType = m_arPartsOrder[i];
        CRect rect = m_arPartRects[i];
        if (nType == PartCheck) {
            pManager->OnDrawCheckBox(pDC, rect, m_bIsFocused && i == m_iPartNum, m_bChecked, bEnabled);
            continue;
        }
        const BOOL bCurrent = m_bIsFocused && i == m_iPartNum && m_bChecked;
        if (bCurrent) {
            pDC->FillSolidRect(rect, globalData.clrHilite);
            pDC->SetTextColor(globalData.clrTextHilite);
        } else {
            pDC->SetTextColor(clrText);
        }
        pDC->DrawText(FormatPart(nType, m_Date), rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOCLIP);

        if (i + 1 < m_iPartsNumber) {
            const int nNext = m_arPartsOrder[i + 1];
            CString strSeparator;
            if (DtcIsDatePart(nType) && DtcIsDatePart(nNext))
                strSeparator = m_strDateSeparator;
            else if (DtcIsTimePart(nType) && DtcIsTimePart(nNext))
                strSeparator = m_strTimeSeparator;
            CRect rectSeparator(rect.right, rect.top, m_arPartRects[i + 1].left, rect.bottom);
            pDC->SetTextColor(clrText);
            pDC->DrawText(strSeparator, rectSeparator, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOCLIP);
        }
    }

    if (!::IsRectEmpty(&m_rectDropButton))
        pManager->OnDrawComboDropButton(pDC, m_rectDropButton, !bEnabled || !m_bChecked,
                                        m_bDropButtonIsPressed || m_pPopup != nullptr, FALSE, nullptr);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CKtvPDateTimeCtrl::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (GetStyle() & WS_BORDER) {
        ::InflateRect(&lpncsp->rgrc[0], -1, -1);
        return;
    }
    CButton::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void CKtvPDateTimeCtrl::OnNcPaint()
{
    if (GetStyle() & WS_BORDER)
        CKtvPVisualManager::GetInstance()->OnDrawControlBorder(this);
}

BOOL CKtvPDateTimeCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (m_bChecked && ::PtInRect(&m_rectText, point) && !::PtInRect(&m_rectDropButton, point)) {
        ::SetCursor(::LoadCursor(nullptr, IDC_IBEAM));
        return TRUE;
    }
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}

void CKtvPDateTimeCtrl::OnSize(UINT nType, int cx, int cy)
{
    CButton::OnSize(nType, cx, cy);
    CRect rectClient;
    GetClientRect(rectClient);
    AdjustLayout(rectClient);
}

LRESULT CKtvPDateTimeCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = (HFONT)wParam;
    if (lParam != 0 && GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return 0;
}

LRESULT CKtvPDateTimeCtrl::OnGetFont(WPARAM, LPARAM) { return (LRESULT)m_hFont; }

// The spin's arrows act as Up and Down on the current part.
void CKtvPDateTimeCtrl::OnSpinDeltaPos(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pUpDown = reinterpret_cast<const NMUPDOWN*>(pNMHDR);
    if (m_bChecked && pUpDown->iDelta != 0) {
        m_iPrevDigit = -1;
        Increment(pUpDown->iDelta > 0 ? 1 : -1);
    }
    *pResult = 1;
}
