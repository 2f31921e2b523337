#include "ui/controls/KtvPCalendarBar.h"

#include "ui/frames/KtvPNotBuilt.h"

// --- CKtvPCalendarButton ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPCalendarButton, CKtvPToolbarButton)

CKtvPCalendarButton::CKtvPCalendarButton()
    : m_Date(COleDateTime::GetCurrentTime()), m_bIsMarked(FALSE), m_pParentBar(nullptr)
{
}

CKtvPCalendarButton::~CKtvPCalendarButton() = default;

BOOL CKtvPCalendarButton::IsCurrentMonth() const { KTVP_NOT_BUILT("CKtvPCalendarButton::IsCurrentMonth"); }
void CKtvPCalendarButton::SetDate(const COleDateTime&) { KTVP_NOT_BUILT("CKtvPCalendarButton::SetDate"); }
BOOL CKtvPCalendarButton::IsSelected() const { KTVP_NOT_BUILT("CKtvPCalendarButton::IsSelected"); }

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

void CKtvPCalendarBar::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPCalendarBar::Serialize"); }
BOOL CKtvPCalendarBar::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPCalendarBar::PreTranslateMessage"); }
void CKtvPCalendarBar::OnUpdateCmdUI(CFrameWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnUpdateCmdUI"); }
CSize CKtvPCalendarBar::CalcMaxButtonSize(BOOL) { KTVP_NOT_BUILT("CKtvPCalendarBar::CalcMaxButtonSize"); }
void CKtvPCalendarBar::OnAfterFillBackground(CDC*) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnAfterFillBackground"); }
void CKtvPCalendarBar::AdjustLocations() { KTVP_NOT_BUILT("CKtvPCalendarBar::AdjustLocations"); }
BOOL CKtvPCalendarBar::OnSendCommand(const CKtvPToolbarButton*) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnSendCommand"); }
BOOL CKtvPCalendarBar::OnKey(UINT) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnKey"); }
void CKtvPCalendarBar::ShowCommandMessageString(UINT)
{
    KTVP_NOT_BUILT("CKtvPCalendarBar::ShowCommandMessageString");
}
BOOL CKtvPCalendarBar::CreateEx(CWnd*, DWORD, UINT, BOOL) { KTVP_NOT_BUILT("CKtvPCalendarBar::CreateEx"); }
BOOL CKtvPCalendarBar::CreateControl(CWnd*, const RECT&, UINT, DWORD) { KTVP_NOT_BUILT("CKtvPCalendarBar::CreateControl"); }
void CKtvPCalendarBar::OnSelectionChanged() { KTVP_NOT_BUILT("CKtvPCalendarBar::OnSelectionChanged"); }
void CKtvPCalendarBar::RebuildButtons() { KTVP_NOT_BUILT("CKtvPCalendarBar::RebuildButtons"); }

void CKtvPCalendarBar::SetStyle(DWORD, DWORD) { KTVP_NOT_BUILT("CKtvPCalendarBar::SetStyle"); }
void CKtvPCalendarBar::SetDate(const COleDateTime&) { KTVP_NOT_BUILT("CKtvPCalendarBar::SetDate"); }
void CKtvPCalendarBar::SelectDate(const COleDateTime&, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPCalendarBar::SelectDate"); }
void CKtvPCalendarBar::SelectWeekDay(const COleDateTime&, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPCalendarBar::SelectWeekDay");
}
void CKtvPCalendarBar::SelectWeek(const COleDateTime&, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPCalendarBar::SelectWeek"); }
void CKtvPCalendarBar::SelectRange(const COleDateTime&) { KTVP_NOT_BUILT("CKtvPCalendarBar::SelectRange"); }
void CKtvPCalendarBar::ClearSelection() { KTVP_NOT_BUILT("CKtvPCalendarBar::ClearSelection"); }
void CKtvPCalendarBar::AddSelectedDay(int) { KTVP_NOT_BUILT("CKtvPCalendarBar::AddSelectedDay"); }
void CKtvPCalendarBar::RemoveSelectedDay(int) { KTVP_NOT_BUILT("CKtvPCalendarBar::RemoveSelectedDay"); }
BOOL CKtvPCalendarBar::IsDateSelected(const COleDateTime&) const { KTVP_NOT_BUILT("CKtvPCalendarBar::IsDateSelected"); }
BOOL CKtvPCalendarBar::GetDayRect(int, CRect&) const { KTVP_NOT_BUILT("CKtvPCalendarBar::GetDayRect"); }

int CKtvPCalendarBar::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnCreate"); }
void CKtvPCalendarBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnNcCalcSize"); }
void CKtvPCalendarBar::OnNcPaint() { KTVP_NOT_BUILT("CKtvPCalendarBar::OnNcPaint"); }
void CKtvPCalendarBar::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnLButtonDown"); }
void CKtvPCalendarBar::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnLButtonUp"); }
void CKtvPCalendarBar::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnMouseMove"); }
void CKtvPCalendarBar::OnLButtonDblClk(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnLButtonDblClk"); }
void CKtvPCalendarBar::OnTimer(UINT_PTR) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnTimer"); }
void CKtvPCalendarBar::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPCalendarBar::OnSize"); }
