#include "ui/controls/KtvPCalendarBar.h"

#include <algorithm>

#include <cstring>
#include <vector>

#include "platform/mfc/CCmdUI.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/controls/KtvPCalendarMenuButton.h"
#include "ui/controls/KtvPDateTimeCtrl.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/commandbars/KtvPPopupOutsideInput.h"

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

namespace {

constexpr UINT kCalRepeatTimer = 1;
constexpr int kCalFirstRepeatDelay = 500;
constexpr int kCalFastestRepeatDelay = 100;
constexpr int kCalRepeatStep = 50;

COleDateTime CalDay(int nYear, int nMonth, int nDay) { return COleDateTime(nYear, nMonth, nDay, 0, 0, 0); }

COleDateTime CalAddDays(const COleDateTime& date, int nDays) { return date + COleDateTimeSpan(nDays, 0, 0, 0); }

BOOL CalSameDay(const COleDateTime& a, const COleDateTime& b)
{
    return a.GetDay() == b.GetDay() && a.GetMonth() == b.GetMonth() && a.GetYear() == b.GetYear();
}

// The same day nMonths on (or back), or the target month's last day when it is shorter.
COleDateTime CalAddMonths(const COleDateTime& date, int nMonths)
{
    const int nIndex = date.GetYear() * 12 + (date.GetMonth() - 1) + nMonths;
    const int nYear = nIndex / 12;
    const int nMonth = nIndex % 12 + 1;
    const int nDay = std::min(date.GetDay(), CKtvPCalendarBar::GetDaysInMonth(nYear, nMonth));
    return COleDateTime(nYear, nMonth, nDay, date.GetHour(), date.GetMinute(), date.GetSecond());
}

void CalSetEnabled(CKtvPToolbarButton* pButton, BOOL bEnabled)
{
    if (bEnabled)
        pButton->m_nStyle &= ~(UINT)TBBS_DISABLED;
    else
        pButton->m_nStyle |= TBBS_DISABLED;
}

// The tooltip of a caption button, only while it is enabled and tooltips are on.
INT_PTR CalCaptionTip(const CKtvPToolbarButton* pButton, TOOLINFO* pTI, LPCTSTR lpszText)
{
    if ((pButton->m_nStyle & TBBS_DISABLED) || !CKtvPToolBar::m_bShowTooltips)
        return -1;
    if (pTI != nullptr) {
        pTI->lpszText = strdup(lpszText);
        pTI->rect = pButton->m_rect;
        pTI->uId = 1;
    }
    return 1;
}

void CalInvalidateCell(CKtvPCalendarBar* pBar, const CRect& rect)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || rect.IsRectEmpty())
        return;
    CRect rectGrown = rect;
    rectGrown.InflateRect(2, 2);
    pBar->InvalidateRect(rectGrown);
}

} // namespace

void CKtvPCalendarButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz,
                                 BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    const UINT nStyle = m_nStyle;
    const BOOL bTextShown = m_bTextShown;
    if (IsSelected())
        m_nStyle |= TBBS_CHECKED;
    m_bTextShown = FALSE;
    CKtvPToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                               bGrayDisabledButtons);
    m_bTextShown = bTextShown;

    if (IsDayCell() && CalSameDay(m_Date, COleDateTime::GetCurrentTime())) {
        CRect rectToday = rect;
        rectToday.DeflateRect(2 * ::GetSystemMetrics(SM_CXBORDER) - 1, 2 * ::GetSystemMetrics(SM_CYBORDER) - 1);
        pDC->Draw3dRect(rectToday, globalData.clrBarShadow, globalData.clrBarShadow);
        pDC->FillSolidRect(rectToday.left, rectToday.top - 1, rectToday.Width(), 3, globalData.clrBarShadow);
    }

    if (GetImage() < 0 && !m_strText.IsEmpty()) {
        const ButtonState state = bHighlight ? ButtonsIsHighlighted
                                  : (m_nStyle & (TBBS_PRESSED | TBBS_CHECKED)) ? ButtonsIsPressed
                                                                               : ButtonsIsRegular;
        const COLORREF clrOld = pDC->SetTextColor(CKtvPVisualManager::GetInstance()->GetToolbarButtonTextColor(this, state));
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        CRect rectText = rect;
        pDC->DrawText(m_strText, rectText, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        pDC->SetBkMode(nOldMode);
        pDC->SetTextColor(clrOld);
    }
    m_nStyle = nStyle;
}

// --- the other cells ---------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CCalendarWeekButton, CKtvPCalendarButton)

void CCalendarWeekButton::SetDate(const COleDateTime& date)
{
    if (date == m_Date && !m_strText.IsEmpty())
        return;
    m_Date = date;
    m_strText = date.Format("%a");
    CalInvalidateCell(m_pParentBar, m_rect);
}

IMPLEMENT_DYNCREATE(CCalendarWeekNumButton, CKtvPCalendarButton)

void CCalendarWeekNumButton::SetDate(const COleDateTime& date)
{
    if (date == m_Date && !m_strText.IsEmpty())
        return;
    m_Date = date;
    const int nFirstDay = m_pParentBar != nullptr ? m_pParentBar->GetFirstDayOfWeek() : 1;
    m_strText.Format("%02d", CKtvPCalendarBar::GetWeekNumber(date, nFirstDay));
    CalInvalidateCell(m_pParentBar, m_rect);
}

COLORREF CCalendarWeekNumButton::GetTextColor() const
{
    if (m_pParentBar == nullptr)
        return (COLORREF)-1;
    return IsCurrentMonth() ? m_pParentBar->m_clrWeekText : m_pParentBar->m_clrWeekText2;
}

IMPLEMENT_DYNCREATE(CCalendarTodayButton, CKtvPCalendarButton)

CCalendarTodayButton::CCalendarTodayButton() { m_iImage = 4; }

void CCalendarTodayButton::SetDate(const COleDateTime& date)
{
    m_Date = date;
    CalInvalidateCell(m_pParentBar, m_rect);
}

INT_PTR CCalendarTodayButton::OnToolHitTest(const CWnd*, TOOLINFO* pTI) { return CalCaptionTip(this, pTI, "Today"); }

IMPLEMENT_DYNCREATE(CCalendarNavigateButton, CKtvPCalendarButton)

CCalendarNavigateButton::CCalendarNavigateButton() : CCalendarNavigateButton(0) {}

CCalendarNavigateButton::CCalendarNavigateButton(int iImage) { m_iImage = iImage; }

void CCalendarNavigateButton::SetDate(const COleDateTime& date)
{
    m_Date = date;
    CalInvalidateCell(m_pParentBar, m_rect);
}

INT_PTR CCalendarNavigateButton::OnToolHitTest(const CWnd*, TOOLINFO* pTI)
{
    static const char* const kTips[] = {"Prev. year", "Prev. month", "Next month", "Next year"};
    if (m_iImage < 0 || m_iImage > 3)
        return -1;
    return CalCaptionTip(this, pTI, kTips[m_iImage]);
}

IMPLEMENT_DYNCREATE(CCalendarMonthButton, CKtvPToolbarButton)

CCalendarMonthButton::CCalendarMonthButton() : m_pParentBar(nullptr) {}

void CCalendarMonthButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKtvPToolbarButton::OnChangeParentWnd(pWndParent);
    m_pParentBar = dynamic_cast<CKtvPCalendarBar*>(pWndParent);
}

// Centred while it is only a label (as SetDate leaves it); otherwise the
// name stands right of centre with a drop-down triangle at the right.
void CCalendarMonthButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz,
                                  BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    const BOOL bTextShown = m_bTextShown;
    m_bTextShown = FALSE;
    CKtvPToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                               bGrayDisabledButtons);
    m_bTextShown = bTextShown;
    if (m_pParentBar == nullptr)
        return;

    const COLORREF clrText = m_pParentBar->m_clrCaptionText;
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(m_pParentBar->GetCalendarFont());
    CRect rectText = rect;
    if (m_nStyle == TBBS_DISABLED) {
        pDC->DrawText(m_strText, rectText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        CRect rectArrow(rect.right - rect.Height(), rect.top, rect.right, rect.bottom);
        rectText.right = rectArrow.left;
        pDC->DrawText(m_strText, rectText, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        const CPoint ptCentre = rectArrow.CenterPoint();
        const POINT triangle[] = {{ptCentre.x - 3, ptCentre.y - 1}, {ptCentre.x + 3, ptCentre.y - 1},
                                  {ptCentre.x, ptCentre.y + 2}};
        CBrush brush(clrText);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
        pDC->Polygon(triangle, 3);
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
    }
    pDC->SelectObject(pOldFont);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
}

INT_PTR CCalendarMonthButton::OnToolHitTest(const CWnd*, TOOLINFO* pTI)
{
    return CalCaptionTip(this, pTI, "Change month");
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
    ON_WM_MOUSELEAVE()
    ON_WM_DESTROY()
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
    m_iRepeatButton = -1;
    m_bRepeated = FALSE;
    // The calendar keeps its own images and sizes and is never customised.
    m_bLocked = TRUE;
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
// --- dates ---------------------------------------------------------------------------------------------

int CKtvPCalendarBar::GetWeekNumber(const COleDateTime& date, int nFirstDay)
{
    const COleDateTime jan1 = CalDay(date.GetYear(), 1, 1);
    return (date.GetDayOfYear() + (jan1.GetDayOfWeek() - nFirstDay + 7) % 7 - (date.GetDayOfWeek() - nFirstDay + 7) % 7) /
               7 +
           1;
}

int CKtvPCalendarBar::GetDaysInMonth(int nYear, int nMonth)
{
    for (int nDay = 31; nDay > 28; nDay--) {
        COleDateTime date;
        if (date.SetDate(nYear, nMonth, nDay) == 0)
            return nDay;
    }
    return 28;
}

// Computed once, from the framework's English names.
CString CKtvPCalendarBar::GetMonthName(int nMonth)
{
    static const std::vector<CString> names = [] {
        std::vector<CString> all;
        const int nYear = COleDateTime::GetCurrentTime().GetYear();
        for (int m = 1; m <= 12; m++)
            all.push_back(CalDay(nYear, m, 1).Format("%B"));
        return all;
    }();
    if (nMonth < 1 || nMonth > 12)
        return CString();
    return names[(size_t)nMonth - 1];
}

void CKtvPCalendarBar::SetFirstDayOfWeek(int nDay)
{
    if (nDay < 1 || nDay > 7)
        return;
    m_nFirstDayOfWeek = nDay;
    if (GetSafeHwnd() == nullptr)
        return;
    const COleDateTime selected = m_dateSelected;
    SetDate(m_dateDisplayed);
    m_dateSelected = selected;
    Invalidate();
}

// --- messages from the framework -------------------------------------------------------------------------

// A drop-down of a date-time control closes on any press outside it; a
// stand-alone calendar takes its keys first.
BOOL CKtvPCalendarBar::PreTranslateMessage(MSG* pMsg)
{
    if (m_pOwnerCtrl != nullptr && !m_bInCommand) {
        switch (pMsg->message) {
        case WM_KEYDOWN:
            OnKey((UINT)pMsg->wParam);
            return TRUE;
        default:
            // Posted: the pop-up that holds this bar goes with the close.
            if (KtvIsPopupClosingInput(this, pMsg)) {
                GetParent()->PostMessage(WM_CLOSE);
                return TRUE;
            }
            break;
        }
    } else if (m_bIsStandAlone && pMsg->message == WM_KEYDOWN && pMsg->hwnd == GetSafeHwnd()) {
        if (OnKey((UINT)pMsg->wParam))
            return TRUE;
    }
    return CKtvPToolBar::PreTranslateMessage(pMsg);
}

namespace {

// Only records the frame's answer.
class CCalendarBarCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
    BOOL m_bEnabled = TRUE;
};

} // namespace

// The day cells follow whether the frame enables the bar's command.
void CKtvPCalendarBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_uiCommandID != 0 && m_uiCommandID != (UINT)-1 && pTarget != nullptr) {
        CCalendarBarCmdUI state;
        state.m_nID = m_uiCommandID;
        state.m_pOther = this;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
        if (state.m_bEnabled != m_bIsEnabled) {
            m_bIsEnabled = state.m_bEnabled;
            for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
                auto* pCell = dynamic_cast<CKtvPCalendarButton*>((CObject*)m_Buttons.GetNext(pos));
                if (pCell != nullptr && pCell->IsDayCell())
                    CalSetEnabled(pCell, m_bIsEnabled);
            }
            if (GetSafeHwnd() != nullptr) {
                Invalidate();
                UpdateWindow();
            }
        }
    }
    CKtvPPopupMenuBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

void CKtvPCalendarBar::MeasureCaption()
{
    CWindowDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
    CFont* pOldFont = dc.SelectObject(GetBarFont(FALSE));
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOldFont);
    m_nCaptionHeight = tm.tmHeight + 2 * m_nVertMargin;
}

int CKtvPCalendarBar::GetWeekColumnWidth() const
{
    if ((m_dwCalendarStyle & KTVP_CAL_WEEKNUMBERS) == 0)
        return 0;
    return CKtvPToolBar::GetMenuImageSize().cx + 2 * CKtvPVisualManager::GetInstance()->GetMenuImageMargin();
}

// The whole bar: the wider of the caption and the grid, seven rows under the caption.
CSize CKtvPCalendarBar::CalcMaxButtonSize(BOOL)
{
    m_nCellWidth = std::max(m_nCellWidth, m_nMinCellWidth);
    m_nCellHeight = std::max(m_nCellHeight, m_nMinCellHeight);
    MeasureCaption();

    CWindowDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
    CFont* pOldFont = dc.SelectObject(GetBarFont(FALSE));
    int nMonthWidth = 0;
    for (int m = 1; m <= 12; m++)
        nMonthWidth = std::max<int>(nMonthWidth, dc.GetTextExtent(GetMonthName(m)).cx);
    const int nYearWidth = dc.GetTextExtent("0000").cx;
    dc.SelectObject(pOldFont);

    int nCaptionWidth = nMonthWidth + 2 * m_nHorzMargin + nYearWidth;
    if (m_dwCalendarStyle & KTVP_CAL_NAVIGATION)
        nCaptionWidth += 5 * m_nCellWidth;
    const int nGridWidth =
        m_nCellWidth * ((m_dwCalendarStyle & KTVP_CAL_WEEKNUMBERS) ? 8 : 7) + 2 * m_nHorzMargin;
    m_nGridOffset = nCaptionWidth > nGridWidth ? (nCaptionWidth - nGridWidth) / 2 : 0;
    return CSize(std::max(nCaptionWidth, nGridWidth), 7 * m_nCellHeight + 2 * m_nVertMargin + m_nCaptionHeight + 16);
}

// The caption band with the year at its right, and the week-number column.
void CKtvPCalendarBar::OnAfterFillBackground(CDC* pDC)
{
    CKtvPVisualManager* pManager = CKtvPVisualManager::GetInstance();
    CRect rectClient;
    GetClientRect(rectClient);

    if (m_dwCalendarStyle & KTVP_CAL_WEEKNUMBERS) {
        CRect rectColumn(rectClient.left, rectClient.top + m_nCaptionHeight,
                         rectClient.left + GetWeekColumnWidth() + 1, rectClient.bottom);
        pManager->OnFillCalendarBarWeekColumn(pDC, rectColumn, m_clrWeekText, m_clrWeekText2);
    }

    CRect rectCaption(rectClient.left, rectClient.top, rectClient.right, rectClient.top + m_nCaptionHeight - 1);
    m_clrCaptionText = pManager->OnFillCalendarBarCaption(pDC, rectCaption);

    CRect rectYear = rectCaption;
    rectYear.DeflateRect(m_nHorzMargin, 0);
    CFont* pOldFont = pDC->SelectObject(GetBarFont(FALSE));
    const COLORREF clrOld = pDC->SetTextColor(m_clrCaptionText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(m_dateDisplayed.Format("%Y"), rectYear, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
    pDC->SelectObject(pOldFont);
}

void CKtvPCalendarBar::AdjustLocations()
{
    if (GetSafeHwnd() == nullptr || m_Buttons.IsEmpty())
        return;
    m_nCellWidth = std::max(m_nCellWidth, m_nMinCellWidth);
    m_nCellHeight = std::max(m_nCellHeight, m_nMinCellHeight);
    MeasureCaption();

    const BOOL bNavigation = (m_dwCalendarStyle & KTVP_CAL_NAVIGATION) != 0;
    const int nWeekColumn = GetWeekColumnWidth();
    CRect rectClient;
    GetClientRect(rectClient);
    CRect rectWork = rectClient;
    rectWork.DeflateRect(m_nHorzMargin, m_nVertMargin);
    rectWork.top += m_nCaptionHeight;
    const int nGridLeft = rectClient.left + m_nHorzMargin + m_nGridOffset + nWeekColumn;

    int nYearWidth = 0;
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(GetBarFont(FALSE));
        nYearWidth = dc.GetTextExtent("0000").cx;
        dc.SelectObject(pOldFont);
    }

    const int nSquare = m_nCaptionHeight - 1;
    int xCaption = rectClient.left;
    int iWeekDay = 0;
    int iWeekNum = 0;
    int iDay = 0;
    BOOL bSeparatorPlaced = FALSE;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = (CKtvPToolbarButton*)m_Buttons.GetNext(pos);
        CRect rect;
        if (pButton->m_nStyle & TBBS_SEPARATOR) {
            if (!bSeparatorPlaced)
                rect.SetRect(nGridLeft, rectWork.top + m_nCellHeight, rectWork.right, rectWork.top + m_nCellHeight + 2);
            bSeparatorPlaced = TRUE;
        } else if (pButton->IsKindOf(RUNTIME_CLASS(CCalendarTodayButton)) ||
                   pButton->IsKindOf(RUNTIME_CLASS(CCalendarNavigateButton))) {
            rect.SetRect(xCaption, rectClient.top, xCaption + nSquare, rectClient.top + nSquare);
            rect.DeflateRect(1, 1);
            xCaption += nSquare;
        } else if (auto* pMonth = dynamic_cast<CCalendarMonthButton*>(pButton)) {
            int nWidth = rectWork.Width() - nYearWidth;
            if (bNavigation)
                nWidth -= 5 * m_nCaptionHeight - 2 * m_nHorzMargin + 5;
            rect.SetRect(xCaption, rectClient.top, xCaption + std::max(0, nWidth), rectClient.top + nSquare);
            rect.DeflateRect(0, 1);
            xCaption += std::max(0, nWidth);
            pMonth->m_strText = GetMonthName(m_dateDisplayed.GetMonth());
        } else if (pButton->IsKindOf(RUNTIME_CLASS(CCalendarWeekButton))) {
            rect.SetRect(nGridLeft + (iWeekDay % 7) * m_nCellWidth, rectWork.top, 0, 0);
            rect.right = rect.left + m_nCellWidth;
            rect.bottom = rect.top + m_nCellHeight;
            iWeekDay++;
        } else if (pButton->IsKindOf(RUNTIME_CLASS(CCalendarWeekNumButton))) {
            iWeekNum++;
            rect.left = m_nHorzMargin / 2;
            rect.top = rectWork.top + iWeekNum * m_nCellHeight + 2;
            rect.right = rect.left + nWeekColumn - m_nHorzMargin / 2;
            rect.bottom = rect.top + m_nCellHeight;
        } else {
            rect.left = nGridLeft + (iDay % 7) * m_nCellWidth;
            rect.top = rectWork.top + (iDay / 7 + 1) * m_nCellHeight + 2;
            rect.right = rect.left + m_nCellWidth;
            rect.bottom = rect.top + m_nCellHeight;
            iDay++;
        }
        if (pButton->m_rect != rect) {
            pButton->m_rect = rect;
            pButton->OnMove();
        }
    }
    UpdateTooltips();
}

// Where a navigation button leads: a stand-alone calendar to the first of
// that month, one that shows a chosen date to the same day there.
COleDateTime CKtvPCalendarBar::NavigationTarget(const CKtvPCalendarButton* pButton) const
{
    if (m_bIsStandAlone)
        return pButton->m_Date;
    const int nYear = pButton->m_Date.GetYear();
    const int nMonth = pButton->m_Date.GetMonth();
    return CalDay(nYear, nMonth, std::min(m_dateDisplayed.GetDay(), GetDaysInMonth(nYear, nMonth)));
}

BOOL CKtvPCalendarBar::OnSendCommand(const CKtvPToolbarButton* pButtonConst)
{
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    const BOOL bMultiple = (m_dwCalendarStyle & KTVP_CAL_MULTIPLE_SELECTION) != 0;
    auto* pButton = const_cast<CKtvPToolbarButton*>(pButtonConst);

    if (auto* pNavigate = dynamic_cast<CCalendarNavigateButton*>(pButton)) {
        SetDate(NavigationTarget(pNavigate));
        return TRUE;
    }
    if (pButton->IsKindOf(RUNTIME_CLASS(CCalendarTodayButton))) {
        SetDate(COleDateTime::GetCurrentTime());
        SelectDate(m_dateDisplayed);
        return TRUE;
    }
    if (auto* pWeekDay = dynamic_cast<CCalendarWeekButton*>(pButton)) {
        if (m_bIsStandAlone && bMultiple && (m_dwCalendarStyle & KTVP_CAL_SELECT_WEEKDAY))
            SelectWeekDay(pWeekDay->m_Date, bCtrl, bShift);
        return TRUE;
    }
    if (auto* pWeekNum = dynamic_cast<CCalendarWeekNumButton*>(pButton)) {
        if (m_bIsStandAlone && bMultiple && (m_dwCalendarStyle & KTVP_CAL_WEEKNUMBERS))
            SelectWeek(pWeekNum->m_Date, bCtrl, bShift);
        return TRUE;
    }
    auto* pDay = dynamic_cast<CKtvPCalendarButton*>(pButton);
    if (pDay == nullptr || !pDay->IsDayCell()) {
        // The month name is a label: the click only takes its highlight away.
        if (m_iHighlighted >= 0) {
            const int iOld = m_iHighlighted;
            m_iHighlighted = -1;
            InvalidateButton(iOld);
        }
        return TRUE;
    }

    const COleDateTime date = pDay->m_Date;
    SelectDate(date, bCtrl, bShift);
    OnDayChosen(date, bCtrl, bShift);
    return TRUE;
}

void CKtvPCalendarBar::OnDayChosen(const COleDateTime& date, BOOL bCtrl, BOOL bShift)
{
    auto* pPopup = DYNAMIC_DOWNCAST(CKtvPPopupMenu, GetParent());
    auto* pMenuButton = pPopup != nullptr ? dynamic_cast<CKtvPCalendarMenuButton*>(pPopup->m_pParentButton) : nullptr;
    if (pMenuButton != nullptr) {
        pMenuButton->SetDate(date, TRUE);
        // Runs the command and closes the pop-up, this bar with it.
        InvokeMenuCommand(pMenuButton->m_nID, nullptr);
        return;
    }
    if (m_pOwnerCtrl != nullptr) {
        m_pOwnerCtrl->SetDate(date);
        GetParent()->PostMessage(WM_CLOSE);
        return;
    }
    if (bCtrl || bShift)
        return;

    SetDate(date);
    if (m_uiCommandID == 0)
        return;
    CObList lstButtons;
    CKtvPToolBar::GetCommandButtons(m_uiCommandID, lstButtons);
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pOther = dynamic_cast<CKtvPCalendarMenuButton*>((CObject*)lstButtons.GetNext(pos));
        if (pOther != nullptr)
            pOther->SetDate(date, FALSE);
    }
    CKtvPCalendarMenuButton::m_CalendarsByCmd.SetAt(m_uiCommandID, date);

    HWND hwndThis = GetSafeHwnd();
    if (CWnd* pOwner = GetOwner())
        pOwner->SendMessage(WM_COMMAND, m_uiCommandID);
    if (!::IsWindow(hwndThis))
        return;
    if (CKtvPPopupMenu::m_pActivePopupMenu != nullptr && CKtvPPopupMenu::m_pActivePopupMenu->GetSafeHwnd() != nullptr)
        CKtvPPopupMenu::m_pActivePopupMenu->SetFocus();
    else if (CFrameWnd* pFrame = GetTopLevelFrame())
        pFrame->SetFocus();
}

BOOL CKtvPCalendarBar::OnKey(UINT nChar)
{
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    int nStep = 0;

    switch (nChar) {
    case VK_RETURN:
        if (m_pOwnerCtrl == nullptr)
            return CKtvPPopupMenuBar::OnKey(nChar);
        m_pOwnerCtrl->SetDate(m_dateSelected);
        GetParent()->PostMessage(WM_CLOSE);
        return TRUE;
    case VK_ESCAPE:
        if (m_pOwnerCtrl == nullptr)
            return CKtvPPopupMenuBar::OnKey(nChar);
        GetParent()->PostMessage(WM_CLOSE);
        return TRUE;
    case VK_PRIOR:
        // A calendar month back; Ctrl a year. A day the month lacks becomes its last day.
        SetDate(bCtrl ? CalAddMonths(m_dateDisplayed, -12) : CalAddMonths(m_dateSelected, -1));
        break;
    case VK_NEXT:
        SetDate(bCtrl ? CalAddMonths(m_dateDisplayed, 12) : CalAddMonths(m_dateSelected, 1));
        break;
    case VK_HOME:
        SetDate(COleDateTime::GetCurrentTime());
        SelectDate(m_dateDisplayed);
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (bCtrl)
            return CKtvPPopupMenuBar::OnKey(nChar);
        nStep = nChar == VK_LEFT ? -1 : 1;
        break;
    case VK_UP:
    case VK_DOWN:
        if (bCtrl)
            return TRUE;
        nStep = nChar == VK_UP ? -7 : 7;
        break;
    default:
        return CKtvPPopupMenuBar::OnKey(nChar);
    }

    if (nStep != 0) {
        SelectDate(CalAddDays(m_dateSelected, nStep), FALSE, bShift);
        SetDate(m_dateSelected);
    }
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return TRUE;
}
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
// A bordered child control of the given rectangle whose cells fill it.
BOOL CKtvPCalendarBar::CreateControl(CWnd* pParentWnd, const RECT& rect, UINT nID, DWORD dwStyle)
{
    m_bIsControl = TRUE;
    if (!CKtvPPopupMenuBar::Create(pParentWnd, dwStyle | CBRS_ALIGN_TOP, nID)) {
        m_bIsControl = FALSE;
        return FALSE;
    }
    SetBarStyle(GetBarStyle() & ~(DWORD)(0xF00 | CBRS_GRIPPER));
    MoveWindow(&rect);
    Resize();
    SetOwner(pParentWnd);
    m_uiCommandID = nID;
    return TRUE;
}
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
// Caption buttons, week-day names, week numbers, a separator and 42 day cells.
void CKtvPCalendarBar::RebuildButtons()
{
    if (GetSafeHwnd() == nullptr)
        return;
    RemoveAllButtons();
    const BOOL bNavigation = (m_dwCalendarStyle & KTVP_CAL_NAVIGATION) != 0;
    if (bNavigation) {
        InsertButton(new CCalendarTodayButton);
        InsertButton(new CCalendarNavigateButton(0));
        InsertButton(new CCalendarNavigateButton(1));
    }
    InsertButton(new CCalendarMonthButton);
    if (bNavigation) {
        InsertButton(new CCalendarNavigateButton(2));
        InsertButton(new CCalendarNavigateButton(3));
    }
    for (int i = 0; i < 7; i++)
        InsertButton(new CCalendarWeekButton);
    if (m_dwCalendarStyle & KTVP_CAL_WEEKNUMBERS) {
        for (int i = 0; i < 6; i++)
            InsertButton(new CCalendarWeekNumButton);
    }
    InsertSeparator();
    for (int i = 0; i < 42; i++) {
        auto* pCell = new CKtvPCalendarButton;
        CalSetEnabled(pCell, m_bIsEnabled);
        InsertButton(pCell);
    }
    SetDate(m_dateDisplayed);
}

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
// Shows the month of the date: every cell gets its day, the caption its month.
void CKtvPCalendarBar::SetDate(const COleDateTime& date)
{
    const int nOldMonth = m_dateDisplayed.GetMonth();
    const int nOldYear = m_dateDisplayed.GetYear();
    m_dateDisplayed = date;
    if (GetSafeHwnd() == nullptr)
        return;
    m_dateSelected = date;

    const COleDateTime first = CalDay(date.GetYear(), date.GetMonth(), 1);
    CRect rectCaption;
    GetClientRect(rectCaption);
    rectCaption.bottom = rectCaption.top + m_nCaptionHeight;
    InvalidateRect(rectCaption);

    const COleDateTime gridStart = CalAddDays(first, -((first.GetDayOfWeek() - m_nFirstDayOfWeek + 7) % 7));
    const BOOL bMultiple = (m_dwCalendarStyle & KTVP_CAL_MULTIPLE_SELECTION) != 0;
    const COleDateTime targets[4] = {CalDay(first.GetYear() - 1, first.GetMonth(), 1), CalAddMonths(first, -1),
                                     CalAddMonths(first, 1), CalDay(first.GetYear() + 1, first.GetMonth(), 1)};
    int iWeekDay = 0;
    int iWeekNum = 0;
    int iDay = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = (CKtvPToolbarButton*)m_Buttons.GetNext(pos);
        if (pButton->m_nStyle & TBBS_SEPARATOR)
            continue;
        if (auto* pMonth = dynamic_cast<CCalendarMonthButton*>(pButton)) {
            pMonth->m_strText = GetMonthName(date.GetMonth());
            pMonth->m_nStyle = TBBS_DISABLED;
            InvalidateRect(pMonth->m_rect);
            continue;
        }
        auto* pCell = dynamic_cast<CKtvPCalendarButton*>(pButton);
        if (pCell == nullptr)
            continue;
        if (pCell->IsKindOf(RUNTIME_CLASS(CCalendarWeekNumButton))) {
            pCell->SetDate(CalAddDays(gridStart, 6 + 7 * iWeekNum++));
            CalSetEnabled(pCell, bMultiple && m_bIsStandAlone && (m_dwCalendarStyle & KTVP_CAL_WEEKNUMBERS));
        } else if (pCell->IsKindOf(RUNTIME_CLASS(CCalendarTodayButton))) {
            pCell->SetDate(COleDateTime::GetCurrentTime());
            CalSetEnabled(pCell, TRUE);
        } else if (pCell->IsKindOf(RUNTIME_CLASS(CCalendarNavigateButton))) {
            const int iImage = std::clamp(pCell->m_iImage, 0, 3);
            pCell->SetDate(targets[iImage]);
            CalSetEnabled(pCell, TRUE);
        } else if (pCell->IsKindOf(RUNTIME_CLASS(CCalendarWeekButton))) {
            pCell->SetDate(CalAddDays(gridStart, 7 + iWeekDay++));
            CalSetEnabled(pCell, bMultiple && (m_dwCalendarStyle & KTVP_CAL_SELECT_WEEKDAY) && m_pOwnerCtrl == nullptr);
        } else {
            pCell->SetDate(CalAddDays(gridStart, iDay++));
        }
        pCell->m_bIsMarked = FALSE;
        CalInvalidateCell(this, pCell->m_rect);
    }

    if (nOldMonth != date.GetMonth() || nOldYear != date.GetYear())
        OnSelectionChanged();
}
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

void CKtvPCalendarBar::SelectWeekDay(const COleDateTime& date, BOOL bCtrl, BOOL bShift)
{
    SelectMatchingDays(date, FALSE, bCtrl, bShift);
}

void CKtvPCalendarBar::SelectWeek(const COleDateTime& date, BOOL bCtrl, BOOL bShift)
{
    SelectMatchingDays(date, TRUE, bCtrl, bShift);
}

// Every day of the shown month on the date's week day, or in its week:
// added, or with Ctrl toggled; without a key the selection starts afresh.
void CKtvPCalendarBar::SelectMatchingDays(const COleDateTime& date, BOOL bWholeWeek, BOOL bCtrl, BOOL bShift)
{
    if ((m_dwCalendarStyle & KTVP_CAL_MULTIPLE_SELECTION) == 0)
        return;
    if (!bCtrl && !bShift)
        ClearSelection();
    const int nYear = m_dateDisplayed.GetYear();
    const int nMonth = m_dateDisplayed.GetMonth();
    const int nWeek = GetWeekNumber(date, m_nFirstDayOfWeek);
    for (int nDay = 1; nDay <= GetDaysInMonth(nYear, nMonth); nDay++) {
        const COleDateTime day = CalDay(nYear, nMonth, nDay);
        const BOOL bMatches = bWholeWeek ? GetWeekNumber(day, m_nFirstDayOfWeek) == nWeek
                                         : day.GetDayOfWeek() == date.GetDayOfWeek();
        if (!bMatches)
            continue;
        if (bCtrl && !bShift && m_lstSelectedDays.Find(nDay) != nullptr)
            RemoveSelectedDay(nDay);
        else
            AddSelectedDay(nDay);
    }
    if (GetSafeHwnd() != nullptr)
        RedrawWindow();
    OnSelectionChanged();
}
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

int CKtvPCalendarBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPPopupMenuBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    // A grid of cells rather than a list of items: its buttons draw from the
    // locked strip at its own size and highlight as toolbar buttons do.
    m_bMenuMode = FALSE;
    SetLockedSizes(CSize(12, 12), CSize(10, 10));
    LoadBitmap(IDB_KTVP_CALENDAR_NAVIGATION, 0, 0, TRUE);
    m_ImagesLocked.SetTransparentColor(RGB(255, 0, 255));

    // A cell holds " 99" and every short week-day name.
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(GetBarFont(FALSE));
        CSize sizeMax = dc.GetTextExtent(" 99");
        const COleDateTime first = CalDay(m_dateDisplayed.GetYear(), m_dateDisplayed.GetMonth(), 1);
        for (int i = 0; i < 7; i++) {
            const CSize size = dc.GetTextExtent(CalAddDays(first, i).Format("%a"));
            sizeMax.cx = std::max(sizeMax.cx, size.cx);
            sizeMax.cy = std::max(sizeMax.cy, size.cy);
        }
        dc.SelectObject(pOldFont);
        m_nMinCellWidth = sizeMax.cx + 2;
        m_nMinCellHeight = sizeMax.cy + 2;
    }

    MeasureCaption();
    RebuildButtons();
    AdjustLocations();
    if (m_pOwnerCtrl != nullptr) {
        SetCapture();
        SelectDate(m_dateDisplayed);
    } else {
        m_dateSelected = COleDateTime::GetCurrentTime();
    }
    return 0;
}

// A bordered control has a one-pixel border, a torn-off bar the toolbar's
// frame; in a pop-up the pop-up draws the frame.
void CKtvPCalendarBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (m_bIsControl) {
        if (GetStyle() & WS_BORDER)
            ::InflateRect(&lpncsp->rgrc[0], -1, -1);
        return;
    }
    if (m_bIsStandAlone && DYNAMIC_DOWNCAST(CKtvPPopupMenu, GetParent()) == nullptr)
        CKtvPToolBar::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void CKtvPCalendarBar::OnNcPaint()
{
    if (m_bIsControl) {
        if (GetStyle() & WS_BORDER)
            CKtvPVisualManager::GetInstance()->OnDrawControlBorder(this);
        return;
    }
    if (m_bIsStandAlone && DYNAMIC_DOWNCAST(CKtvPPopupMenu, GetParent()) == nullptr)
        CKtvPToolBar::OnNcPaint();
}

BOOL CKtvPCalendarBar::IgnoresMouse() const { return CKtvPToolBar::m_bCustomizeMode && !m_bMouseInCustomizeMode; }

// A held navigation button pages on by itself.
void CKtvPCalendarBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IgnoresMouse())
        return;
    CKtvPPopupMenuBar::OnLButtonDown(nFlags, point);
    if (CKtvPToolBar::m_bCustomizeMode || GetSafeHwnd() == nullptr)
        return;
    const int iHit = HitTest(point);
    auto* pNavigate = dynamic_cast<CCalendarNavigateButton*>(GetButton(iHit));
    if (pNavigate == nullptr || (pNavigate->m_nStyle & TBBS_DISABLED))
        return;
    if (::GetCapture() != GetSafeHwnd())
        SetCapture();
    m_iRepeatButton = iHit;
    m_bRepeated = FALSE;
    pNavigate->m_nStyle |= TBBS_PRESSED;
    InvalidateButton(iHit);
    m_nRepeatDelay = kCalFirstRepeatDelay;
    m_uiRepeatTimerID = SetTimer(kCalRepeatTimer, (UINT)m_nRepeatDelay, nullptr);
}

void CKtvPCalendarBar::StopRepeat()
{
    if (m_uiRepeatTimerID != 0 && GetSafeHwnd() != nullptr)
        KillTimer(kCalRepeatTimer);
    m_uiRepeatTimerID = 0;
    m_iRepeatButton = -1;
}

void CKtvPCalendarBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (IgnoresMouse())
        return;
    const BOOL bRepeating = m_iRepeatButton >= 0;
    const int iRepeatButton = m_iRepeatButton;
    if (::GetCapture() == GetSafeHwnd())
        StopRepeat();
    if (bRepeating && m_bRepeated) {
        // The held button has paged already: the release adds no step.
        if (CKtvPToolbarButton* pButton = GetButton(iRepeatButton)) {
            pButton->m_nStyle &= ~(UINT)TBBS_PRESSED;
            InvalidateButton(iRepeatButton);
        }
        m_iButtonCapture = -1;
        m_bRepeated = FALSE;
        if (::GetCapture() == GetSafeHwnd() && m_pOwnerCtrl == nullptr)
            ReleaseCapture();
        return;
    }
    HWND hwndThis = GetSafeHwnd();
    CKtvPPopupMenuBar::OnLButtonUp(nFlags, point);
    if (!::IsWindow(hwndThis) || !m_bIsStandAlone)
        return;
    const int iUnder = HitTest(point);
    if (iUnder != m_iHighlighted) {
        const int iOld = m_iHighlighted;
        m_iHighlighted = iUnder;
        InvalidateButton(iOld);
        InvalidateButton(iUnder);
        UpdateWindow();
    }
}

void CKtvPCalendarBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (IgnoresMouse())
        return;
    if (m_iRepeatButton >= 0 && ::GetCapture() == GetSafeHwnd() && HitTest(point) < 0)
        StopRepeat();
    CKtvPPopupMenuBar::OnMouseMove(nFlags, point);
}

void CKtvPCalendarBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (IgnoresMouse())
        return;
    CKtvPPopupMenuBar::OnLButtonDblClk(nFlags, point);
}

// 500 ms to the first step, then 50 ms less each time down to 100 ms.
void CKtvPCalendarBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kCalRepeatTimer) {
        CKtvPPopupMenuBar::OnTimer(nIDEvent);
        return;
    }
    auto* pNavigate = dynamic_cast<CCalendarNavigateButton*>(GetButton(m_iRepeatButton));
    if (pNavigate == nullptr) {
        StopRepeat();
        return;
    }
    if (m_nRepeatDelay > kCalFastestRepeatDelay) {
        m_nRepeatDelay -= kCalRepeatStep;
        m_uiRepeatTimerID = SetTimer(kCalRepeatTimer, (UINT)m_nRepeatDelay, nullptr);
    }
    m_bRepeated = TRUE;
    SetDate(NavigationTarget(pNavigate));
    UpdateWindow();
}

void CKtvPCalendarBar::OnSize(UINT nType, int cx, int cy)
{
    CKtvPPopupMenuBar::OnSize(nType, cx, cy);
    if (m_bIsControl)
        Resize();
}

// The cells share the client area of a control.
void CKtvPCalendarBar::Resize()
{
    if (GetSafeHwnd() == nullptr)
        return;
    MeasureCaption();
    CRect rectClient;
    GetClientRect(rectClient);
    const int nColumn =
        CKtvPToolBar::GetMenuImageSize().cx + 2 * CKtvPVisualManager::GetInstance()->GetMenuImageMargin() + 1;
    m_nCellWidth = std::max(m_nMinCellWidth, (rectClient.Width() - nColumn) / 7 - 1);
    m_nCellHeight = std::max(m_nMinCellHeight, (rectClient.Height() - m_nCaptionHeight - 2) / 7 - 1);
    AdjustLocations();
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKtvPCalendarBar::OnMouseLeave()
{
    if (GetDroppedDownMenu() != nullptr)
        return;
    m_bTracking = FALSE;
    m_ptLastMouse = CPoint(-1, -1);
    if (m_iHighlighted >= 0) {
        const int iOld = m_iHighlighted;
        m_iHighlighted = -1;
        InvalidateButton(iOld);
        UpdateWindow();
    }
    if (CWnd* pOwner = GetOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

// A date-time control's drop-down gives the focus back as it goes.
void CKtvPCalendarBar::OnDestroy()
{
    StopRepeat();
    if (m_pOwnerCtrl != nullptr) {
        CKtvPDateTimeCtrl* pOwner = m_pOwnerCtrl;
        m_pOwnerCtrl = nullptr;
        if (::GetCapture() == GetSafeHwnd())
            ReleaseCapture();
        pOwner->OnCalendarClosed();
    }
    CKtvPPopupMenuBar::OnDestroy();
}
