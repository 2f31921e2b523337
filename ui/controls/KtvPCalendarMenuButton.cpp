#include "ui/controls/KtvPCalendarMenuButton.h"

#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/frames/KtvPNotBuilt.h"

// --- CKtvPCalendarMenuButton -----------------------------------------------------------------------

// Serialisable: it sits on toolbars whose buttons are stored by class.
IMPLEMENT_SERIAL(CKtvPCalendarMenuButton, CKtvPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

CMap<UINT, UINT, COleDateTime, const COleDateTime&> CKtvPCalendarMenuButton::m_CalendarsByCmd;

CKtvPCalendarMenuButton::CKtvPCalendarMenuButton()
    : m_Calendar(COleDateTime::GetCurrentTime()), m_nMonths(-1), m_nWeeks(-1), m_nWeekStart(-1), m_nFlags(0)
{
}

CKtvPCalendarMenuButton::CKtvPCalendarMenuButton(UINT uiCmdID, LPCTSTR lpszText)
    : CKtvPToolbarMenuButton(uiCmdID, nullptr, GetCmdImage(uiCmdID, FALSE), lpszText, FALSE),
      m_Calendar(GetCommandDate(uiCmdID)),
      m_nMonths(-1),
      m_nWeeks(-1),
      m_nWeekStart(-1),
      m_nFlags(0)
{
}

CKtvPCalendarMenuButton::~CKtvPCalendarMenuButton() = default;

void CKtvPCalendarMenuButton::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPCalendarMenuButton::Serialize"); }
void CKtvPCalendarMenuButton::CopyFrom(const CKtvPToolbarButton&) { KTVP_NOT_BUILT("CKtvPCalendarMenuButton::CopyFrom"); }
void CKtvPCalendarMenuButton::OnDraw(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPCalendarMenuButton::OnDraw");
}
BOOL CKtvPCalendarMenuButton::OnClick(CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPCalendarMenuButton::OnClick"); }
void CKtvPCalendarMenuButton::OnChangeParentWnd(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPCalendarMenuButton::OnChangeParentWnd");
}
int CKtvPCalendarMenuButton::OnDrawOnCustomizeList(CDC*, const CRect&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPCalendarMenuButton::OnDrawOnCustomizeList");
}
CKtvPPopupMenu* CKtvPCalendarMenuButton::CreatePopupMenu()
{
    KTVP_NOT_BUILT("CKtvPCalendarMenuButton::CreatePopupMenu");
}
void CKtvPCalendarMenuButton::SetDate(const COleDateTime&, BOOL) { KTVP_NOT_BUILT("CKtvPCalendarMenuButton::SetDate"); }
COleDateTime CKtvPCalendarMenuButton::GetCommandDate(UINT uiCmdID)
{
    COleDateTime date;
    if (!m_CalendarsByCmd.Lookup(uiCmdID, date))
        return COleDateTime();
    return date;
}

// --- CCalendarPopup --------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CCalendarPopup, CKtvPPopupMenu)

BEGIN_MESSAGE_MAP(CCalendarPopup, CKtvPPopupMenu)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CCalendarPopup::CCalendarPopup(const COleDateTime& date, UINT uiCommandID)
    : m_wndCalendarBar(date, uiCommandID, nullptr), m_bEnabledInCustomizeMode(FALSE)
{
}

CCalendarPopup::~CCalendarPopup() = default;

CKtvPControlBar* CCalendarPopup::CreateTearOffBar(CFrameWnd*, UINT, LPCTSTR)
{
    KTVP_NOT_BUILT("CCalendarPopup::CreateTearOffBar");
}
int CCalendarPopup::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CCalendarPopup::OnCreate"); }
