#include "ui/controls/KtvPCalendarMenuButton.h"

#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPToolBar.h"

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

// The four kept numbers follow the menu button's data. A loaded button joins
// the date its command already shows on another bar.
void CKtvPCalendarMenuButton::Serialize(CArchive& ar)
{
    CKtvPToolbarMenuButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nMonths << m_nWeeks << m_nWeekStart << m_nFlags;
        return;
    }
    ar >> m_nMonths >> m_nWeeks >> m_nWeekStart >> m_nFlags;
    CObList lstButtons;
    CKtvPToolBar::GetCommandButtons(m_nID, lstButtons);
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pOther = dynamic_cast<CKtvPCalendarMenuButton*>((CObject*)lstButtons.GetNext(pos));
        if (pOther != nullptr && pOther != this) {
            m_Calendar = pOther->m_Calendar;
            break;
        }
    }
}

void CKtvPCalendarMenuButton::CopyFrom(const CKtvPToolbarButton& src)
{
    CKtvPToolbarMenuButton::CopyFrom(src);
    const auto* pSrc = dynamic_cast<const CKtvPCalendarMenuButton*>(&src);
    if (pSrc == nullptr)
        return;
    m_Calendar = pSrc->m_Calendar;
    m_CalendarsByCmd.SetAt(pSrc->m_nID, pSrc->m_Calendar);
    m_nMonths = pSrc->m_nMonths;
    m_nWeeks = pSrc->m_nWeeks;
    m_nWeekStart = pSrc->m_nWeekStart;
    m_nFlags = pSrc->m_nFlags;
}

// Drawn as any drop-down menu button: a menu item inside menus, else a
// button with its arrow part.
void CKtvPCalendarMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz,
                                     BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                     BOOL bGrayDisabledButtons)
{
    const BOOL bShowArrow = m_bShowArrow;
    m_bShowArrow = TRUE;
    CKtvPToolbarMenuButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                   bGrayDisabledButtons);
    m_bShowArrow = bShowArrow;
}

// A click opens the calendar, or closes it when it is open.
BOOL CKtvPCalendarMenuButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    m_bClickedOnMenu = FALSE;

    auto* pMenuBar = DYNAMIC_DOWNCAST(CKtvPMenuBar, m_pWndParent);
    auto* pPopupBar = DYNAMIC_DOWNCAST(CKtvPPopupMenuBar, m_pWndParent);

    if (m_pPopupMenu != nullptr) {
        CKtvPPopupMenu* pPopup = m_pPopupMenu;
        m_pPopupMenu = nullptr;
        pPopup->m_pParentButton = nullptr;
        pPopup->DestroyWindow();
    } else if (pPopupBar != nullptr && bDelay && !CKtvPToolBar::m_bCustomizeMode) {
        pPopupBar->StartPopupMenuTimer(this);
    } else {
        if (pMenuBar != nullptr) {
            CKtvPToolbarMenuButton* pDropped = pMenuBar->GetDroppedDownMenu();
            if (pDropped != nullptr && pDropped != this)
                pDropped->OnCancelMode();
        }
        if (!OpenPopupMenu(pWnd))
            return FALSE;
    }

    if (pMenuBar != nullptr)
        pMenuBar->SetDroppedMenuButton(m_pPopupMenu != nullptr ? this : nullptr);

    if (m_pWndParent != nullptr && m_pWndParent->GetSafeHwnd() != nullptr) {
        CRect rect = m_rect;
        rect.InflateRect(4, 4);
        m_pWndParent->RedrawWindow(rect, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
    return TRUE;
}

void CKtvPCalendarMenuButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKtvPToolbarMenuButton::OnChangeParentWnd(pWndParent);
    if (pWndParent != nullptr && pWndParent->IsKindOf(RUNTIME_CLASS(CKtvPMenuBar))) {
        m_bTextShown = TRUE;
    } else if (pWndParent != nullptr && pWndParent->IsKindOf(RUNTIME_CLASS(CKtvPPopupMenuBar))) {
        m_bMenuMode = TRUE;
        m_bTextShown = TRUE;
    } else {
        m_bMenuMode = FALSE;
    }
    m_bShowArrow = TRUE;
}

// Listed without the command's own image.
int CKtvPCalendarMenuButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    const UINT nID = m_nID;
    m_nID = 0;
    const int nWidth = CKtvPToolbarMenuButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
    m_nID = nID;
    return nWidth;
}

CKtvPPopupMenu* CKtvPCalendarMenuButton::CreatePopupMenu()
{
    auto* pPopup = new CCalendarPopup(m_Calendar, m_nID);
    pPopup->m_bEnabledInCustomizeMode = FALSE;
    return pPopup;
}

// The date becomes the command's: with bNotify every other button and every
// calendar of the command shows it too.
void CKtvPCalendarMenuButton::SetDate(const COleDateTime& date, BOOL bNotify)
{
    m_Calendar = date;
    m_CalendarsByCmd.SetAt(m_nID, date);
    if (m_pWndParent != nullptr && m_pWndParent->GetSafeHwnd() != nullptr)
        m_pWndParent->InvalidateRect(m_rect);
    if (!bNotify)
        return;

    CObList lstButtons;
    CKtvPToolBar::GetCommandButtons(m_nID, lstButtons);
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pOther = dynamic_cast<CKtvPCalendarMenuButton*>((CObject*)lstButtons.GetNext(pos));
        if (pOther != nullptr && pOther != this)
            pOther->SetDate(date, FALSE);
    }
    for (POSITION pos = CKtvPToolBar::GetAllToolbars().GetHeadPosition(); pos != nullptr;) {
        auto* pBar = dynamic_cast<CKtvPCalendarBar*>((CObject*)CKtvPToolBar::GetAllToolbars().GetNext(pos));
        if (pBar != nullptr && pBar->GetCommandID() == m_nID)
            pBar->SetDate(date);
    }
}

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

CCalendarPopup::CCalendarPopup(const COleDateTime& date, CKtvPDateTimeCtrl* pOwnerCtrl)
    : m_wndCalendarBar(date, 0, pOwnerCtrl), m_bEnabledInCustomizeMode(FALSE)
{
}

CCalendarPopup::~CCalendarPopup() = default;

BOOL CCalendarPopup::Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL, BOOL bOwnMessage)
{
    return CKtvPPopupMenu::Create(pWndParent, x, y, hMenu, TRUE, bOwnMessage);
}

// A torn-off calendar floats as a toolbar of the parent button's command.
CKtvPControlBar* CCalendarPopup::CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName)
{
    auto* pButton = dynamic_cast<CKtvPCalendarMenuButton*>(m_pParentButton);
    if (pButton == nullptr || pWndMain == nullptr)
        return nullptr;
    auto* pBar = new CKtvPCalendarBar(m_wndCalendarBar, pButton->m_nID, FALSE);
    if (!pBar->CreateEx(pWndMain, 0x50402808, uiID, FALSE)) {
        delete pBar;
        return nullptr;
    }
    pBar->SetWindowText(lpszName);
    pBar->SetBarStyle(pBar->GetBarStyle() | 0x30);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

int CCalendarPopup::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const BOOL bCustomize = CKtvPToolBar::m_bCustomizeMode;
    if (bCustomize && !m_bEnabledInCustomizeMode)
        return -1;
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    m_wndCalendarBar.SetStyle(0x18);
    const DWORD dwStyle = (m_nAnimationType != NO_ANIMATION && !bCustomize) ? (0x40402808 | 0x30)
                                                                             : (0x50402808 | 0x30);
    if (!m_wndCalendarBar.CreateEx(this, dwStyle, 1, FALSE))
        return -1;

    HWND hwndOwner = ::GetWindow(GetSafeHwnd(), GW_OWNER);
    m_wndCalendarBar.SetOwner(hwndOwner != nullptr ? CWnd::FromHandle(hwndOwner) : GetParent());
    m_wndCalendarBar.SetBarStyle(m_wndCalendarBar.GetBarStyle() | 0x10);

    CWnd* pParent = GetParent();
    CFrameWnd* pTopFrame = pParent != nullptr ? pParent->GetTopLevelFrame() : nullptr;
    if (!ActivatePopupMenu(pTopFrame, this))
        return -1;
    RecalcLayout(TRUE);
    return 0;
}
