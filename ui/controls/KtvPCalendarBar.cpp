#include "ui/controls/KtvPCalendarBar.h"

#include <algorithm>

#include "ui/frames/KtvPNotBuilt.h"

// --- CKtvPCalendarButton ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPCalendarButton, CKtvPToolbarButton)

CKtvPCalendarButton::CKtvPCalendarButton()
    : m_Date(COleDateTime::GetCurrentTime()), m_bIsMarked(FALSE), m_pParentBar(nullptr)
{
}

CKtvPCalendarButton::~CKtvPCalendarButton() = default;

BOOL CKtvPCalendarButton::IsCurrentMonth() const
{
    if (m_pParentBar == nullptr)
        return FALSE;
    const COleDateTime& shown = m_pParentBar->GetDate();
    return m_Date.GetMonth() == shown.GetMonth() && m_Date.GetYear() == shown.GetYear();
}

void CKtvPCalendarButton::SetDate(const COleDateTime& date)
{
    if (date == m_Date)
        return;
    m_Date = date;
    m_strText.Format("%d", date.GetDay());
    if (m_pParentBar != nullptr && m_pParentBar->GetSafeHwnd() != nullptr)
        m_pParentBar->InvalidateRect(m_rect);
}

BOOL CKtvPCalendarButton::IsSelected() const
{
    return IsDayCell() && m_pParentBar != nullptr && m_pParentBar->IsDateSelected(m_Date);
}

void CKtvPCalendarButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKtvPToolbarButton::OnChangeParentWnd(pWndParent);
    m_pParentBar = dynamic_cast<CKtvPCalendarBar*>(pWndParent);
}

// --- CKtvPCalendarBar ------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPCalendarBar, CKtvPPopupMenuBar)

BEGIN_MESSAGE_MAP(CKtvPCalendarBar, CKtvPPopupMenuBar)
    ON_WM_CREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CKtvPCalendarBar::CKtvPCalendarBar()
{
    SetDefaults();
    m_dateDisplayed = COleDateTime::GetCurrentTime();
    m_bIsStandAlone = TRUE;
}

CKtvPCalendarBar::CKtvPCalendarBar(const COleDateTime& date, UINT uiCommandID, CKtvPDateTimeCtrl* pOwnerCtrl)
{
    SetDefaults();
    m_dateDisplayed = date;
    m_uiCommandID = uiCommandID;
    m_pOwnerCtrl = pOwnerCtrl;
    m_bIsStandAlone = FALSE;
}

CKtvPCalendarBar::CKtvPCalendarBar(const CKtvPCalendarBar& src, UINT uiCommandID, BOOL bMultipleSelection)
{
    SetDefaults();
    m_dateDisplayed = src.m_dateDisplayed;
    m_uiCommandID = uiCommandID;
    m_bIsStandAlone = TRUE;
    if (bMultipleSelection)
        m_dwCalendarStyle |= KTVP_CAL_MULTIPLE_SELECTION;
    else
        m_dwCalendarStyle &= ~(DWORD)KTVP_CAL_MULTIPLE_SELECTION;
}

CKtvPCalendarBar::~CKtvPCalendarBar() = default;

// What every constructor starts from; the selected date stays the zero date.
void CKtvPCalendarBar::SetDefaults()
{
    m_clrCaptionText = (COLORREF)-1;
    m_clrWeekText = (COLORREF)-1;
    m_clrWeekText2 = (COLORREF)-1;
    m_nCaptionHeight = 0;
    m_nFirstDayOfWeek = 1;
    m_dwCalendarStyle = KTVP_CAL_DEFAULT_STYLE;
    m_nCellWidth = 0;
    m_nCellHeight = 0;
    m_nMinCellWidth = 0;
    m_nMinCellHeight = 0;
    m_uiCommandID = 0;
    m_bIsEnabled = TRUE;
    m_bIsStandAlone = TRUE;
    m_pOwnerCtrl = nullptr;
    m_bMouseInCustomizeMode = FALSE;
    m_nVertMargin = 4;
    m_nHorzMargin = 4;
    m_nGridOffset = 0;
    m_bIsControl = FALSE;
    m_uiRepeatTimerID = 0;
    m_nRepeatDelay = 0;
}

// The toolbar's data, then whether the bar stands alone and its command.
void CKtvPCalendarBar::Serialize(CArchive& ar)
{
    CKtvPPopupMenuBar::Serialize(ar);
    if (ar.IsStoring()) {
        ar << (int)m_bIsStandAlone << (int)m_uiCommandID;
        return;
    }
    int nStandAlone = 0;
    int nCommand = 0;
    ar >> nStandAlone >> nCommand;
    m_bIsStandAlone = nStandAlone;
    m_uiCommandID = (UINT)nCommand;
    if (GetSafeHwnd() != nullptr) {
        RebuildButtons();
        AdjustLocations();
    }
}
BOOL CKtvPCalendarBar::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPCalendarBar::PreTranslateMessage"); }
void CKtvPCalendarBar::OnUpdateCmdUI(CFrameWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnUpdateCmdUI"); }
CSize CKtvPCalendarBar::CalcMaxButtonSize(BOOL) { KTVP_NOT_BUILT("CKtvPCalendarBar::CalcMaxButtonSize"); }
void CKtvPCalendarBar::OnAfterFillBackground(CDC*) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnAfterFillBackground"); }
void CKtvPCalendarBar::AdjustLocations() { KTVP_NOT_BUILT("CKtvPCalendarBar::AdjustLocations"); }
BOOL CKtvPCalendarBar::OnSendCommand(const CKtvPToolbarButton*) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnSendCommand"); }
BOOL CKtvPCalendarBar::OnKey(UINT) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnKey"); }
// The status line shows the bar's command, whichever cell is under the mouse.
void CKtvPCalendarBar::ShowCommandMessageString(UINT)
{
    CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (pOwner != nullptr)
        pOwner->SendMessage(0x0362, m_uiCommandID == (UINT)-1 ? 0xE001 : m_uiCommandID);
}
BOOL CKtvPCalendarBar::CreateEx(CWnd* pParentWnd, DWORD dwStyle, UINT nID, BOOL bMultipleSelection)
{
    if (bMultipleSelection)
        m_dwCalendarStyle |= KTVP_CAL_MULTIPLE_SELECTION;
    else
        m_dwCalendarStyle &= ~(DWORD)KTVP_CAL_MULTIPLE_SELECTION;
    return CKtvPPopupMenuBar::Create(pParentWnd, dwStyle, nID);
}
BOOL CKtvPCalendarBar::CreateControl(CWnd*, const RECT&, UINT, DWORD) { KTVP_NOT_BUILT("CKtvPCalendarBar::CreateControl"); }
// A stand-alone calendar tells its owner; one in a drop-down has nobody to tell.
void CKtvPCalendarBar::OnSelectionChanged()
{
    static const UINT kSelChanged = ::RegisterWindowMessage("KTVM_CALENDAR_ON_SELCHANGED");
    if (!m_bIsStandAlone || GetSafeHwnd() == nullptr)
        return;
    CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (pOwner != nullptr)
        pOwner->SendMessage(kSelChanged, 0, (LPARAM)GetSafeHwnd());
}
void CKtvPCalendarBar::RebuildButtons() { KTVP_NOT_BUILT("CKtvPCalendarBar::RebuildButtons"); }

void CKtvPCalendarBar::SetStyle(DWORD dwStyle, DWORD dwStyleMask)
{
    m_dwCalendarStyle = (m_dwCalendarStyle & ~dwStyleMask) | (dwStyle & dwStyleMask);
    if ((m_dwCalendarStyle & KTVP_CAL_MULTIPLE_SELECTION) == 0)
        m_lstSelectedDays.RemoveAll();
    if (GetSafeHwnd() == nullptr)
        return;
    RebuildButtons();
    AdjustLocations();
    Invalidate();
    UpdateWindow();
}
void CKtvPCalendarBar::SetDate(const COleDateTime&) { KTVP_NOT_BUILT("CKtvPCalendarBar::SetDate"); }
void CKtvPCalendarBar::SelectDate(const COleDateTime& date, BOOL bCtrl, BOOL bShift)
{
    if ((m_dwCalendarStyle & KTVP_CAL_MULTIPLE_SELECTION) == 0 || (!bCtrl && !bShift)) {
        ClearSelection();
        m_dateSelected = date;
        if (!m_bIsStandAlone)
            m_dateDisplayed = date;
        AddSelectedDay(date.GetDay());
    } else if (date.GetMonth() == m_dateDisplayed.GetMonth() && date.GetYear() == m_dateDisplayed.GetYear()) {
        if (bCtrl) {
            if (m_lstSelectedDays.Find(date.GetDay()) != nullptr)
                RemoveSelectedDay(date.GetDay());
            else {
                m_dateSelected = date;
                AddSelectedDay(date.GetDay());
            }
        } else {
            SelectRange(date);
        }
    }
    OnSelectionChanged();
}

void CKtvPCalendarBar::SelectWeekDay(const COleDateTime&, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPCalendarBar::SelectWeekDay");
}
void CKtvPCalendarBar::SelectWeek(const COleDateTime&, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPCalendarBar::SelectWeek"); }
// Every day from the lowest to the highest of the date and the selection.
void CKtvPCalendarBar::SelectRange(const COleDateTime& date)
{
    int nFirst = date.GetDay();
    int nLast = nFirst;
    if (!m_lstSelectedDays.IsEmpty()) {
        nFirst = std::min(nFirst, m_lstSelectedDays.GetHead());
        nLast = std::max(nLast, m_lstSelectedDays.GetTail());
    }
    ClearSelection();
    for (int nDay = nFirst; nDay <= nLast; nDay++) {
        COleDateTime day;
        if (day.SetDate(m_dateDisplayed.GetYear(), m_dateDisplayed.GetMonth(), nDay) == 0)
            m_dateSelected = day;
        AddSelectedDay(nDay);
    }
}

void CKtvPCalendarBar::ClearSelection()
{
    while (!m_lstSelectedDays.IsEmpty())
        RemoveSelectedDay(m_lstSelectedDays.GetHead());
    if (GetSafeHwnd() != nullptr)
        UpdateWindow();
}

namespace {

void InvalidateDay(const CKtvPCalendarBar* pBar, int nDay)
{
    CRect rect;
    if (pBar->GetSafeHwnd() == nullptr || !pBar->GetDayRect(nDay, rect))
        return;
    rect.InflateRect(2, 2);
    const_cast<CKtvPCalendarBar*>(pBar)->InvalidateRect(rect);
}

} // namespace

// The list stays ascending and without repeats.
void CKtvPCalendarBar::AddSelectedDay(int nDay)
{
    POSITION pos = m_lstSelectedDays.GetHeadPosition();
    while (pos != nullptr) {
        const int nAt = m_lstSelectedDays.GetAt(pos);
        if (nAt == nDay)
            return;
        if (nAt > nDay)
            break;
        m_lstSelectedDays.GetNext(pos);
    }
    if (pos == nullptr)
        m_lstSelectedDays.AddTail(nDay);
    else
        m_lstSelectedDays.InsertBefore(pos, nDay);
    InvalidateDay(this, nDay);
}

void CKtvPCalendarBar::RemoveSelectedDay(int nDay)
{
    POSITION pos = m_lstSelectedDays.Find(nDay);
    if (pos == nullptr)
        return;
    m_lstSelectedDays.RemoveAt(pos);
    InvalidateDay(this, nDay);
}

BOOL CKtvPCalendarBar::IsDateSelected(const COleDateTime& date) const
{
    if (date.GetMonth() != m_dateDisplayed.GetMonth() || date.GetYear() != m_dateDisplayed.GetYear())
        return FALSE;
    if (m_bIsStandAlone)
        return m_lstSelectedDays.Find(date.GetDay()) != nullptr;
    return date.GetDay() == m_dateDisplayed.GetDay();
}

// The cell of that day in the displayed month, not the neighbours' days.
BOOL CKtvPCalendarBar::GetDayRect(int nDay, CRect& rect) const
{
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pCell = dynamic_cast<CKtvPCalendarButton*>((CObject*)m_Buttons.GetNext(pos));
        if (pCell == nullptr || !pCell->IsDayCell())
            continue;
        if (pCell->m_Date.GetDay() == nDay && pCell->m_Date.GetMonth() == m_dateDisplayed.GetMonth() &&
            pCell->m_Date.GetYear() == m_dateDisplayed.GetYear()) {
            rect = pCell->m_rect;
            return TRUE;
        }
    }
    return FALSE;
}

int CKtvPCalendarBar::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnCreate"); }
void CKtvPCalendarBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnNcCalcSize"); }
void CKtvPCalendarBar::OnNcPaint() { KTVP_NOT_BUILT("CKtvPCalendarBar::OnNcPaint"); }
void CKtvPCalendarBar::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnLButtonDown"); }
void CKtvPCalendarBar::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnLButtonUp"); }
void CKtvPCalendarBar::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnMouseMove"); }
void CKtvPCalendarBar::OnLButtonDblClk(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnLButtonDblClk"); }
void CKtvPCalendarBar::OnTimer(UINT_PTR) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnTimer"); }
void CKtvPCalendarBar::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnSize"); }
