#include "ui/controls/KtvPTabWnd.h"

#include <algorithm>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CView.h"
#include "platform/win32/menu/winmenu.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPTabbedToolbar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPTabbedControlBar.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPMDIFrameWnd.h"
#include "ui/frames/KtvPVisualManager.h"

// --- CKtvPTabScrollButton --------------------------------------------------------------------------

void CKtvPTabScrollButton::OnFillBackground(CDC* pDC, const CRect& rectClient)
{
    CKtvPVisualManager::GetInstance()->OnEraseTabsButton(pDC, rectClient, this,
                                                         dynamic_cast<CKtvPBaseTabWnd*>(GetParent()));
}

void CKtvPTabScrollButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState)
{
    CKtvPVisualManager::GetInstance()->OnDrawTabsButtonBorder(pDC, rectClient, this, uiState,
                                                              dynamic_cast<CKtvPBaseTabWnd*>(GetParent()));
}

// --- CKtvPTabWnd -----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPTabWnd, CKtvPBaseTabWnd)

BOOL CKtvPTabWnd::m_bIsInHScroll = FALSE;

BEGIN_MESSAGE_MAP(CKtvPTabWnd, CKtvPBaseTabWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_HSCROLL()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CKtvPTabWnd::CKtvPTabWnd()
    : m_bFlat(FALSE),
      m_bIsSlanted(FALSE),
      m_bSharedScroll(FALSE),
      m_bScroll(FALSE),
      m_bCloseBtn(FALSE),
      m_nScrollBarRight(0),
      m_nTabsHorzOffset(0),
      m_nTabsHorzOffsetMax(0),
      m_nTabsTotalWidth(0),
      m_nFirstScrolledTab(0),
      m_nHorzScrollWidth(0),
      m_bTrackSplitter(FALSE),
      m_bDrawFrame(TRUE),
      m_bAutoSizeWindow(TRUE),
      m_bDontEraseBkgnd(FALSE),
      m_bTopEdge(FALSE),
      m_bFlatFrame(TRUE),
      m_bHideNoTabs(FALSE),
      m_bIsActiveTabBold(FALSE)
{
}

// The scroll bar, the five buttons and the button list go with their members.
CKtvPTabWnd::~CKtvPTabWnd() = default;

BOOL CKtvPTabWnd::Create(int style, const RECT& rect, CWnd* pParentWnd, UINT nID, int location, BOOL bCloseBtn)
{
    m_bFlat = style == TABSTYLE_FLAT || style == TABSTYLE_FLAT_SHARED_SCROLL;
    m_bIsSlanted = m_bHighLightTabs = style == TABSTYLE_SLANTED;
    m_bSharedScroll = style == TABSTYLE_FLAT_SHARED_SCROLL;
    m_bScroll = style >= TABSTYLE_FLAT && style <= TABSTYLE_SLANTED;
    m_location = location;
    m_bCloseBtn = bCloseBtn;
    return CWnd::Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pParentWnd,
                        nID);
}

// --- creation ---------------------------------------------------------------------------------------

int CKtvPTabWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPBaseTabWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_bScroll && !CreateButtons())
        return -1;
    if (m_bSharedScroll &&
        !m_wndScrollWnd.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 0, 0), this, (UINT)-1))
        return -1;
    if (m_bFlat) {
        m_brActiveTab.CreateSolidBrush(GetActiveTabColor());
    } else if (m_ToolTip.Create(this, TTS_ALWAYSTIP)) {
        m_ToolTip.Activate(TRUE);
        if (globalData.m_nTooltipMaxWidth != -1)
            m_ToolTip.SetMaxTipWidth(globalData.m_nTooltipMaxWidth);
        m_ToolTip.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    UpdateTabsHeight();
    return 0;
}

BOOL CKtvPTabWnd::CreateButtons()
{
    CKtvPTabScrollButton* buttons[] = {m_bFlat ? &m_btnScrollFirst : nullptr, &m_btnScrollLeft, &m_btnScrollRight,
                                       m_bFlat ? &m_btnScrollLast : nullptr, &m_btnClose};
    for (CKtvPTabScrollButton* pButton : buttons) {
        if (pButton == nullptr)
            continue;
        pButton->m_DrawFocus = FALSE;
        pButton->m_FlatStyle = CKtvPButton::BUTTONSTYLE_FLAT;
        if (!pButton->Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, (UINT)-1))
            return FALSE;
        m_lstButtons.AddTail(pButton->GetSafeHwnd());
    }
    if (m_bFlat) {
        m_btnScrollFirst.SetGlyph(CKtvPMenuImages::IdArowFirst);
        m_btnScrollLeft.SetGlyph(CKtvPMenuImages::IdArowLeftLarge);
        m_btnScrollRight.SetGlyph(CKtvPMenuImages::IdArowRightLarge);
        m_btnScrollLast.SetGlyph(CKtvPMenuImages::IdArowLast);
        m_btnClose.SetGlyph(CKtvPMenuImages::IdClose);
        m_btnScrollLeft.SetAutoRepeatDelay(kScrollRepeatDelay);
        m_btnScrollRight.SetAutoRepeatDelay(kScrollRepeatDelay);
        return TRUE;
    }
    Set3dButtonGlyphs();
    CString str;
    str.LoadString(IDS_KTVP_SCROLL_LEFT);
    m_btnScrollLeft.SetTooltip(str);
    str.LoadString(IDS_KTVP_SCROLL_RIGHT);
    m_btnScrollRight.SetTooltip(str);
    str.LoadString(IDS_KTVP_CLOSE);
    m_btnClose.SetTooltip(str);
    return TRUE;
}

// The scrolled 3-D strip's glyphs are dark grey and repeat; the slanted strip's are black and scroll by tabs.
void CKtvPTabWnd::Set3dButtonGlyphs()
{
    const int state = m_bIsSlanted ? CKtvPMenuImages::ImageBlack : CKtvPMenuImages::ImageDkGray;
    m_btnScrollLeft.SetGlyph(CKtvPMenuImages::IdArowLeftTab3d, state, CKtvPMenuImages::IdArowLeftDsbldTab3d);
    m_btnScrollRight.SetGlyph(CKtvPMenuImages::IdArowRightTab3d, state, CKtvPMenuImages::IdArowRightDsbldTab3d);
    m_btnClose.SetGlyph(CKtvPMenuImages::IdClose, state);
    const int nDelay = m_bIsSlanted ? 0 : kScrollRepeatDelay;
    m_btnScrollLeft.SetAutoRepeatDelay(nDelay);
    m_btnScrollRight.SetAutoRepeatDelay(nDelay);
}

void CKtvPTabWnd::OnDestroy()
{
    m_brActiveTab.DeleteObject();
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.DestroyWindow();
    CKtvPBaseTabWnd::OnDestroy();
}

// --- settings ---------------------------------------------------------------------------------------

void CKtvPTabWnd::RelayoutIfCreated()
{
    if (GetSafeHwnd() == nullptr)
        return;
    RecalcLayout();
    SynchronizeScrollBar();
}

void CKtvPTabWnd::HideNoTabs(BOOL bHide)
{
    if (m_bHideNoTabs == bHide)
        return;
    m_bHideNoTabs = bHide;
    RelayoutIfCreated();
}

void CKtvPTabWnd::SetActiveTabBoldFont(BOOL bIsBold)
{
    m_bIsActiveTabBold = m_bFlat ? FALSE : bIsBold;
    RelayoutIfCreated();
}

void CKtvPTabWnd::SetHideSingleTab(BOOL bHide)
{
    if (m_bHideSingleTab == bHide)
        return;
    m_bHideSingleTab = bHide;
    RelayoutIfCreated();
}

BOOL CKtvPTabWnd::ModifyTabStyle(int style)
{
    if (m_bFlat || !m_bScroll)
        return FALSE;
    m_bIsSlanted = m_bHighLightTabs = style == TABSTYLE_SLANTED;
    Set3dButtonGlyphs();
    return TRUE;
}

void CKtvPTabWnd::EnableInPlaceEdit(BOOL bEnable)
{
    if (m_bFlat)
        m_bIsInPlaceEdit = bEnable;
}

void CKtvPTabWnd::AdjustRenameEditRect(CRect& rectEdit)
{
    rectEdit.DeflateRect(m_nTabsHeight / 2, 1);
}

BOOL CKtvPTabWnd::SetImageList(HIMAGELIST hImageList)
{
    return m_bFlat ? FALSE : CKtvPBaseTabWnd::SetImageList(hImageList);
}

BOOL CKtvPTabWnd::LoadImageList(UINT uiID, int cx, COLORREF clrTransp)
{
    return m_bFlat ? FALSE : CKtvPBaseTabWnd::LoadImageList(uiID, cx, clrTransp);
}

// --- strip height and fonts -------------------------------------------------------------------------

void CKtvPTabWnd::UpdateTabsHeight()
{
    if (!m_bFlat) {
        CKtvPBaseTabWnd::UpdateTabsHeight();
        return;
    }
    m_nTabsHeight = ::GetSystemMetrics(SM_CYHSCROLL) + TAB_TEXT_MARGIN / 2;

    LOGFONT lf{};
    globalData.fontRegular.GetLogFont(&lf);
    snprintf(lf.lfFaceName, sizeof(lf.lfFaceName), "%s", "Arial");
    // The font shrinks until its text fits the strip.
    for (;;) {
        m_fntTabs.DeleteObject();
        m_fntTabs.CreateFontIndirect(&lf);
        CClientDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
        CFont* pOld = dc.SelectObject(&m_fntTabs);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        if (m_nTabsHeight >= tm.tmHeight + 2 || lf.lfHeight == 0)
            break;
        lf.lfHeight += lf.lfHeight < 0 ? 1 : -1;
    }
    lf.lfWeight = FW_BOLD;
    m_fntTabsBold.DeleteObject();
    m_fntTabsBold.CreateFontIndirect(&lf);
}

BOOL CKtvPTabWnd::IsStripHidden() const
{
    const int nVisible = GetVisibleTabsNum();
    return (m_bHideSingleTab && nVisible <= 1) || (m_bHideNoTabs && nVisible == 0);
}

int CKtvPTabWnd::GetTabsHeight() const
{
    if (m_bSharedScroll)
        return m_nTabsHeight;
    return IsStripHidden() ? 0 : m_nTabsHeight;
}

BOOL CKtvPTabWnd::IsPtInTabArea(CPoint point) const { return m_rectTabsArea.PtInRect(point); }

void CKtvPTabWnd::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const
{
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
    if (m_location == LOCATION_TOP)
        rectTabAreaTop = m_rectTabsArea;
    else
        rectTabAreaBottom = m_rectTabsArea;
}

// --- layout -----------------------------------------------------------------------------------------

int CKtvPTabWnd::ButtonSide(int nTabsHeight) const
{
    if (!m_bScroll)
        return 0;
    int side = CKtvPMenuImages::Size().cx + CKtvPVisualManager::GetInstance()->GetButtonExtraBorder().cx + 4;
    if (!m_bFlat)
        side = std::min(side + 2, nTabsHeight - 4);
    return side;
}

void CKtvPTabWnd::RecalcLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    const int H = GetTabsHeight();
    const int B = GetTabBorderSize();
    const BOOL bHidden = IsStripHidden();
    CRect rectClient;
    GetClientRect(rectClient);

    m_rectTabsArea = rectClient;
    m_rectTabsArea.DeflateRect(B, 0);
    const int side = ButtonSide(H);
    const int nButtons = (int)m_lstButtons.GetCount() - (m_bCloseBtn || m_lstButtons.IsEmpty() ? 0 : 1);
    const int nButtonsWidth = bHidden ? 0 : side * nButtons;
    int xButtons = 0;
    int cyButtons = side;

    if (m_bFlat) {
        if (m_location == LOCATION_BOTTOM) {
            if (B > 1)
                m_rectTabsArea.bottom -= B - 1;
            m_rectTabsArea.top = m_rectTabsArea.bottom - H;
        } else {
            if (B > 1)
                m_rectTabsArea.top += B - 1;
            m_rectTabsArea.bottom = m_rectTabsArea.top + H;
        }
        m_rectTabsArea.left += nButtonsWidth + 1;
        m_rectTabsArea.right -= B;
        if (m_rectTabsArea.right <= m_rectTabsArea.left) {
            m_rectTabsArea.left = rectClient.left;
            m_rectTabsArea.right = rectClient.right;
            if (B > 0)
                m_rectTabsArea.DeflateRect(B + 1, 0);
        }
        if (m_rectTabsArea.Height() + B > rectClient.Height()) {
            m_rectTabsArea.SetRectEmpty();
            cyButtons = 0;
        }
        xButtons = rectClient.left + B + 1;
    } else {
        if (m_location == LOCATION_BOTTOM)
            m_rectTabsArea.top = m_rectTabsArea.bottom - H;
        else
            m_rectTabsArea.bottom = m_rectTabsArea.top + H;
        if (m_bScroll) {
            m_rectTabsArea.right -= nButtonsWidth;
            xButtons = m_rectTabsArea.right;
            if (m_bIsSlanted)
                m_rectTabsArea.left += side;
        }
        m_rectTabsArea.right -= 2 * B;
    }
    const int yButtons = m_rectTabsArea.top + (m_rectTabsArea.Height() - cyButtons) / 2;
    RepositionButtons(xButtons, yButtons, side, cyButtons, bHidden);
    m_nScrollBarRight = m_rectTabsArea.right - ::GetSystemMetrics(SM_CXVSCROLL);

    m_rectWndArea = rectClient;
    if (B > 0)
        m_rectWndArea.DeflateRect(B + 1, B + 1);
    if (m_bFlat && m_location == LOCATION_BOTTOM) {
        m_rectWndArea.bottom = m_rectTabsArea.top;
        if (B == 0)
            m_rectWndArea.DeflateRect(1, 1, 0, 0);
    } else if (m_bFlat) {
        m_rectWndArea.top = m_rectTabsArea.bottom + B;
        if (B == 0)
            m_rectWndArea.DeflateRect(1, 0, 0, 1);
    } else if (m_location == LOCATION_BOTTOM) {
        m_rectWndArea.bottom = m_rectTabsArea.top - 2 * B;
    } else {
        m_rectWndArea.top = m_rectTabsArea.bottom + 2 * B;
    }

    if (m_bAutoSizeWindow) {
        for (int i = 0; i < m_iTabsNum; i++) {
            CWnd* pWnd = TabAt(i)->m_pWnd;
            if (TabAt(i)->m_bVisible && pWnd->GetSafeHwnd() != nullptr)
                pWnd->SetWindowPos(nullptr, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(),
                                   m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    RepositionScrollBar();
    LayoutTabs();
    AdjustTabsScroll();
    Invalidate();
    UpdateWindow();
}

void CKtvPTabWnd::RepositionButtons(int x, int y, int cx, int cy, BOOL bHide)
{
    BOOL bFirst = TRUE;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        HWND hwnd = m_lstButtons.GetNext(pos);
        CRect rect(x, y, x + cx, y + cy);
        if (m_bIsSlanted && bFirst)
            rect.OffsetRect(m_rectTabsArea.left - cx - 1 - x, 0);
        else
            x += cx;
        if (bHide || (hwnd == m_btnClose.GetSafeHwnd() && !m_bCloseBtn))
            rect.SetRectEmpty();
        ::SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        bFirst = FALSE;
    }
}

int CKtvPTabWnd::TabImageWidth(const CKtvPTabInfo* pTab) const
{
    return (pTab->m_hIcon != nullptr || pTab->m_uiIcon != -1) ? (int)m_sizeImage.cx : 0;
}

void CKtvPTabWnd::SetTabToolRect(const CKtvPTabInfo* pTab, const CRect& rect)
{
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.SetToolRect(this, (UINT_PTR)pTab->m_iTabID, rect);
}

void CKtvPTabWnd::LayoutTabs()
{
    const int nVisible = GetVisibleTabsNum();
    if (nVisible == 0 || GetTabsHeight() == 0)
        return;
    if (m_bHideSingleTab && nVisible <= 1) {
        for (int i = 0; i < m_iTabsNum; i++)
            TabAt(i)->m_rect.SetRectEmpty();
        return;
    }
    const int T = m_rectTabsArea.top;
    const int Bt = m_rectTabsArea.bottom;
    const int L = m_rectTabsArea.left;
    const int R = m_rectTabsArea.right;
    const int h = Bt - T;

    CClientDC dc(this);
    CFont* pRegular = m_bFlat ? &m_fntTabs : &globalData.fontRegular;
    CFont* pOldFont = dc.SelectObject(pRegular);
    int x = L - m_nTabsHorzOffset;
    m_nTabsTotalWidth = 0;
    BOOL bFirstVisible = TRUE;
    for (int i = 0; i < m_iTabsNum; i++) {
        CKtvPTabInfo* pTab = TabAt(i);
        const BOOL bBold = m_bIsActiveTabBold && (i == m_iActiveTab || m_bIsSlanted);
        dc.SelectObject(bBold ? &globalData.fontBold : pRegular);
        int width = 0;
        int overlap = 0;
        if (pTab->m_bVisible) {
            const int textWidth = pTab->m_bIconOnly ? 0 : dc.GetTextExtent(pTab->m_strText).cx;
            width = textWidth + 2 * TAB_TEXT_MARGIN + TAB_IMAGE_MARGIN + TabImageWidth(pTab);
            if (m_bIsSlanted) {
                width += h + 2 * TAB_IMAGE_MARGIN;
                overlap = h - TAB_IMAGE_MARGIN - 1;
            }
        }
        pTab->m_nFullWidth = width;
        CRect rect(x, T, x + width, Bt - 2);
        if (!pTab->m_bVisible) {
            pTab->m_rect.SetRectEmpty();
            SetTabToolRect(pTab, CRect(0, 0, 0, 0));
            continue;
        }
        if (m_location == LOCATION_TOP)
            rect.OffsetRect(0, 2);
        const BOOL bSticksOut = rect.left < L || rect.right > R;
        SetTabToolRect(pTab, bSticksOut || pTab->m_bAlwaysShowToolTip ? rect : CRect(0, 0, 0, 0));
        x += width - overlap + 1;
        m_nTabsTotalWidth += width + 1 - (bFirstVisible ? 0 : overlap);
        if (m_bFlat)
            rect.right += h / 2;
        pTab->m_rect = rect;
        bFirstVisible = FALSE;
    }
    dc.SelectObject(pRegular);

    if (m_bScroll || x < R) {
        m_nTabsTotalWidth += h / 2;
    } else {
        ShrinkTabs(nVisible, T, Bt, L, R);
    }
    dc.SelectObject(pOldFont);
}

// Tabs that do not fit share the strip: narrow tabs keep their width and
// give what they do not need to the others.
void CKtvPTabWnd::ShrinkTabs(int nVisible, int T, int Bt, int L, int R)
{
    const int B = GetTabBorderSize();
    const int average = (R - L) / nVisible - 1;
    int pool = 0;
    int nWide = nVisible;
    for (int i = 0; i < m_iTabsNum; i++) {
        const CKtvPTabInfo* pTab = TabAt(i);
        if (pTab->m_bVisible && pTab->m_nFullWidth < average) {
            pool += average - pTab->m_nFullWidth;
            nWide--;
        }
    }
    const int limit = nWide > 0 ? average + pool / nWide : average;
    int x = L;
    for (int i = 0; i < m_iTabsNum; i++) {
        CKtvPTabInfo* pTab = TabAt(i);
        if (!pTab->m_bVisible) {
            SetTabToolRect(pTab, CRect(0, 0, 0, 0));
            continue;
        }
        const int cxImage = TabImageWidth(pTab);
        int width = std::min(pTab->m_nFullWidth, limit);
        if (limit < TAB_IMAGE_MARGIN + cxImage)
            width = (R + 2 * B - L) / nVisible;
        if (pTab->m_strText.IsEmpty() || pTab->m_bIconOnly)
            width = cxImage + 2 * TAB_TEXT_MARGIN;
        CRect rect(x, T, x + width, Bt - 2);
        if (m_location == LOCATION_TOP)
            rect.OffsetRect(0, 2);
        pTab->m_rect = rect;
        const BOOL bShortened = width < pTab->m_nFullWidth;
        SetTabToolRect(pTab, !m_bFlat && (bShortened || pTab->m_bAlwaysShowToolTip) ? rect : CRect(0, 0, 0, 0));
        x += width + (pool > 0 ? 1 : 0);
    }
}

// --- scrolling --------------------------------------------------------------------------------------

// Where a slanted strip starts when nFirst is its first tab shown: each tab
// before it takes exactly its own advance, so scrolling either way by whole
// tabs always lands on the same pixels.
int CKtvPTabWnd::SlantedOffsetOf(int nFirst) const
{
    const int h = m_rectTabsArea.Height();
    int offset = 0;
    for (int i = 0; i < nFirst && i < m_iTabsNum; i++) {
        if (TabAt(i)->m_bVisible)
            offset += TabAt(i)->m_nFullWidth - h + TAB_IMAGE_MARGIN + 2;
    }
    return offset;
}

BOOL CKtvPTabWnd::ClampScrollOffset()
{
    const int nOld = m_nTabsHorzOffset;
    m_nTabsHorzOffset = std::max(0, m_nTabsHorzOffset);
    if (!m_bIsSlanted)
        m_nTabsHorzOffset = std::min(m_nTabsHorzOffset, m_nTabsHorzOffsetMax);
    return nOld != m_nTabsHorzOffset;
}

void CKtvPTabWnd::AdjustTabsScroll()
{
    const int nOld = m_nTabsHorzOffset;
    if (!m_bScroll) {
        m_nTabsHorzOffset = 0;
        m_nFirstScrolledTab = 0;
    }
    if (m_iTabsNum == 0)
        m_nTabsHorzOffsetMax = 0;
    else
        m_nTabsHorzOffsetMax = std::max(0, m_nTabsTotalWidth - m_rectTabsArea.Width());
    if (m_bScroll)
        ClampScrollOffset();
    if (nOld != m_nTabsHorzOffset) {
        LayoutTabs();
        InvalidateRect(m_rectTabsArea);
    }
    UpdateScrollButtonsState();
}

void CKtvPTabWnd::UpdateScrollButtonsState()
{
    if (m_bFlat || !m_bScroll || m_btnScrollLeft.GetSafeHwnd() == nullptr)
        return;
    BOOL bLeft = FALSE;
    BOOL bRight = FALSE;
    if (!m_bIsSlanted) {
        bLeft = m_nTabsHorzOffset > 0;
        bRight = m_nTabsHorzOffset < m_nTabsHorzOffsetMax;
    } else if (m_iTabsNum > 0) {
        bLeft = m_nFirstScrolledTab > 0;
        bRight = TabAt(m_iTabsNum - 1)->m_rect.right > m_rectTabsArea.right && m_nFirstScrolledTab < m_iTabsNum - 1;
    }
    for (auto [pButton, bEnable] : {std::pair{&m_btnScrollLeft, bLeft}, std::pair{&m_btnScrollRight, bRight}}) {
        pButton->EnableWindow(bEnable);
        if (!bEnable)
            pButton->SendMessage(WM_CANCELMODE);
    }
}

void CKtvPTabWnd::ScrollBy(HWND hwndButton)
{
    if (hwndButton == m_btnScrollLeft.GetSafeHwnd()) {
        if (m_bIsSlanted && m_nFirstScrolledTab > 0)
            m_nTabsHorzOffset = SlantedOffsetOf(--m_nFirstScrolledTab);
        else
            m_nTabsHorzOffset -= kScrollStep;
    } else if (hwndButton == m_btnScrollRight.GetSafeHwnd()) {
        if (m_bIsSlanted && m_nFirstScrolledTab < m_iTabsNum)
            m_nTabsHorzOffset = SlantedOffsetOf(++m_nFirstScrolledTab);
        else
            m_nTabsHorzOffset += kScrollStep;
    } else if (hwndButton == m_btnScrollFirst.GetSafeHwnd()) {
        m_nTabsHorzOffset = 0;
    } else if (hwndButton == m_btnScrollLast.GetSafeHwnd()) {
        m_nTabsHorzOffset = m_nTabsHorzOffsetMax;
    }
}

BOOL CKtvPTabWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const HWND hwndFrom = (HWND)lParam;
    if (hwndFrom == nullptr || m_lstButtons.Find(hwndFrom) == nullptr)
        return CKtvPBaseTabWnd::OnCommand(wParam, lParam);
    if (hwndFrom == m_btnClose.GetSafeHwnd()) {
        if (CWnd* pActive = GetActiveWnd())
            pActive->SendMessage(WM_CLOSE);
        return TRUE;
    }
    const int nOld = m_nTabsHorzOffset;
    ScrollBy(hwndFrom);
    ClampScrollOffset();
    if (nOld != m_nTabsHorzOffset) {
        LayoutTabs();
        UpdateScrollButtonsState();
        Invalidate();
        UpdateWindow();
    }
    return TRUE;
}

BOOL CKtvPTabWnd::EnsureVisible(int iTab)
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr)
        return FALSE;
    const int L = m_rectTabsArea.left;
    const int R = m_rectTabsArea.right;
    if (!m_bScroll || R <= L)
        return TRUE;
    const CRect rect = pTab->m_rect;
    const int nOld = m_nTabsHorzOffset;
    if (rect.left < L) {
        if (m_bIsSlanted) {
            m_nFirstScrolledTab = iTab;
            m_nTabsHorzOffset = SlantedOffsetOf(iTab);
        } else {
            m_nTabsHorzOffset -= L - rect.left;
        }
    } else if (rect.right > R && rect.Width() <= R - L) {
        if (!m_bIsSlanted) {
            m_nTabsHorzOffset += rect.right - R;
        } else {
            while (rect.right - (m_nTabsHorzOffset - nOld) > R) {
                if (m_nFirstScrolledTab >= m_iTabsNum - 1)
                    return FALSE;
                m_nTabsHorzOffset = SlantedOffsetOf(++m_nFirstScrolledTab);
            }
        }
    }
    if (nOld != m_nTabsHorzOffset) {
        LayoutTabs();
        AdjustTabsScroll();
        RedrawWindow();
    }
    return TRUE;
}

// --- activation -------------------------------------------------------------------------------------

BOOL CKtvPTabWnd::SetActiveTab(int iTab)
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr)
        return FALSE;
    if (iTab == m_iActiveTab)
        return TRUE;
    CWnd* pParent = GetParent();
    // A vetoed switch keeps the tab that is shown, and says so.
    if (pParent != nullptr && pParent->SendMessage(KTVM_ON_CHANGING_ACTIVE_TAB, (WPARAM)iTab, (LPARAM)this) != 0)
        return FALSE;

    // A closing MDI frame is not drawn again, so its drawing is left alone.
    CWnd* pFrame = KtvGetParentFrame(this);
    const BOOL bFrameClosing = pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CKtvPMDIFrameWnd)) &&
                               static_cast<CKtvPMDIFrameWnd*>(pFrame)->m_bClosing;
    const BOOL bFreeze = m_iTabsNum > 1 && pParent != nullptr && !bFrameClosing;
    if (bFreeze)
        pParent->SetRedraw(FALSE);
    const BOOL bHadActive = m_iActiveTab >= 0;
    CWnd* pOldWnd = GetActiveWnd();
    if (pOldWnd != nullptr && m_bHideInactiveWnd && pOldWnd->GetSafeHwnd() != nullptr)
        pOldWnd->ShowWindow(SW_HIDE);
    m_iActiveTab = iTab;
    HideActiveWindowHorzScrollBar();

    CWnd* pWnd = pTab->m_pWnd;
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr) {
        if (bFreeze)
            pParent->SetRedraw(TRUE);
        return FALSE;
    }
    pWnd->ShowWindow(SW_SHOW);
    if (!m_bHideInactiveWnd)
        pWnd->BringWindowToTop();
    if (m_bAutoSizeWindow) {
        // A size change always reaches the window, even when its size is the same.
        pWnd->SetWindowPos(nullptr, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width() + 1,
                           m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        pWnd->SetWindowPos(nullptr, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(),
                           m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EnsureVisible(m_iActiveTab);
    if (m_bFlat)
        SynchronizeScrollBar();
    auto* pTabbed = pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKtvPTabbedControlBar))
                        ? static_cast<CKtvPTabbedControlBar*>(pParent)
                        : nullptr;
    if (pTabbed != nullptr && pTabbed->IsCaptionFromTab())
        ShowLabelAsCaption(pTabbed, pTab->m_strText);
    if (m_bIsActiveTabBold)
        RecalcLayout();
    Invalidate();
    UpdateWindow();

    if (bHadActive)
        ActivateTabWindow(pWnd);
    if (m_bCloseBtn)
        UpdateCloseButton(pWnd);
    if (bFreeze) {
        pParent->SetRedraw(TRUE);
        pParent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    NotifyActiveTabChanged(m_iActiveTab);
    if (pTabbed != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar)))
        FollowRollUpStyle(pTabbed, static_cast<CKtvPBaseControlBar*>(pWnd));
    return TRUE;
}

// The tabbed bar's caption (or its floating frame's) shows the active tab's label.
void CKtvPTabWnd::ShowLabelAsCaption(CKtvPTabbedControlBar* pTabbed, const CString& strLabel)
{
    pTabbed->SetWindowText(strLabel);
    CWnd* pCaptionOwner = pTabbed->IsFloating() ? pTabbed->GetParentMiniFrame(TRUE) : nullptr;
    if (pCaptionOwner == nullptr)
        pCaptionOwner = pTabbed;
    pCaptionOwner->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

// A floating tabbed bar rolls up as its active tab's bar would.
void CKtvPTabWnd::FollowRollUpStyle(CKtvPTabbedControlBar* pTabbed, const CKtvPBaseControlBar* pBar)
{
    const DWORD dwRollUp = pBar->GetControlBarStyle() & KTVP_CBRS_AUTO_ROLLUP;
    pTabbed->SetControlBarStyle((pTabbed->GetControlBarStyle() & ~KTVP_CBRS_AUTO_ROLLUP) | dwRollUp);
    if (CKtvPMiniFrameWnd* pFrame = pTabbed->GetParentMiniFrame(TRUE)) {
        if (dwRollUp != 0)
            pFrame->SetRollUpTimer();
        else
            pFrame->KillRollUpTimer();
    }
}

void CKtvPTabWnd::ActivateTabWindow(CWnd* pWnd)
{
    CView* pView = dynamic_cast<CView*>(pWnd);
    CFrameWnd* pFrame = pView != nullptr ? dynamic_cast<CFrameWnd*>(KtvGetParentFrame(pView)) : nullptr;
    if (pFrame != nullptr)
        pFrame->SetActiveView(pView);
    else
        pWnd->SetFocus();
}

void CKtvPTabWnd::UpdateCloseButton(CWnd* pWnd)
{
    if (m_btnClose.GetSafeHwnd() == nullptr)
        return;
    HMENU hSysMenu = ::GetSystemMenu(pWnd->GetSafeHwnd(), FALSE);
    const UINT uiState = hSysMenu != nullptr ? ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND) : (UINT)-1;
    m_btnClose.EnableWindow(uiState != (UINT)-1 && !(uiState & (MF_GRAYED | MF_DISABLED)));
}

int CKtvPTabWnd::GetTabFromPoint(CPoint pt) const
{
    if (!m_rectTabsArea.PtInRect(pt))
        return -1;
    if (!m_bIsSlanted)
        return CKtvPBaseTabWnd::GetTabFromPoint(pt);
    const CKtvPTabInfo* pActive = TabAt(m_iActiveTab);
    if (pActive != nullptr && pActive->m_rect.PtInRect(pt)) {
        const CRect& r = pActive->m_rect;
        const int dx = pt.x - r.left;
        const int dy = pt.y - r.top;
        // The sloped edge of the active tab leaves its top-left corner to the tab before it.
        if (m_iActiveTab > 0 && pt.x < r.left + r.Height() && 2 * (dx * dx + dy * dy) < r.Height() * r.Height()) {
            for (int i = m_iActiveTab - 1; i >= 0; i--) {
                if (TabAt(i)->m_bVisible)
                    return i;
            }
        }
        return m_iActiveTab;
    }
    return CKtvPBaseTabWnd::GetTabFromPoint(pt);
}

CWnd* CKtvPTabWnd::FindDragTargetWnd(const CPoint& point)
{
    if (point.y < m_nTabsHeight || GetTabFromPoint(point) >= 0)
        return nullptr;
    return GetParent();
}

void CKtvPTabWnd::SwapTabs(int nFirstTab, int nSecondTab)
{
    CKtvPBaseTabWnd::SwapTabs(nFirstTab, nSecondTab);
    ResetSlantedScroll();
}

void CKtvPTabWnd::MoveTab(int nSource, int nDest)
{
    CKtvPBaseTabWnd::MoveTab(nSource, nDest);
    if (m_bIsSlanted) {
        ResetSlantedScroll();
        EnsureVisible(m_iActiveTab);
    }
}

void CKtvPTabWnd::ResetSlantedScroll()
{
    if (!m_bIsSlanted)
        return;
    m_nTabsHorzOffset = 0;
    m_nFirstScrolledTab = 0;
}

// --- mouse and keys ---------------------------------------------------------------------------------

void CKtvPTabWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_rectTabSplitter.PtInRect(point)) {
        m_bTrackSplitter = TRUE;
        SetCapture();
        return;
    }
    CKtvPBaseTabWnd::OnLButtonDown(nFlags, point);
    if (m_bReadyToDetach)
        return;
    if (CWnd* pTarget = FindDragTargetWnd(point)) {
        MapWindowPoints(pTarget, &point, 1);
        pTarget->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
    }
}

void CKtvPTabWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        CRect rect;
        ::GetWindowRect(m_lstButtons.GetNext(pos), rect);
        ScreenToClient(rect);
        if (rect.PtInRect(point))
            return;
    }
    if (CWnd* pTarget = FindDragTargetWnd(point)) {
        MapWindowPoints(pTarget, &point, 1);
        pTarget->SendMessage(WM_LBUTTONDBLCLK, nFlags, MAKELPARAM(point.x, point.y));
        return;
    }
    CKtvPBaseTabWnd::OnLButtonDblClk(nFlags, point);
}

void CKtvPTabWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTrackSplitter) {
        TrackSplitter(point.x);
        return;
    }
    CKtvPBaseTabWnd::OnMouseMove(nFlags, point);
}

void CKtvPTabWnd::TrackSplitter(int x)
{
    const int nMin = 2 * ::GetSystemMetrics(SM_CXHSCROLL);
    const CRect rectOld = m_rectTabSplitter;
    m_nHorzScrollWidth = std::max(nMin, std::min(m_nScrollBarRight - x, m_nScrollBarRight - m_rectTabsArea.left - 5));
    RepositionScrollBar();
    CRect rectInvalid;
    rectInvalid.UnionRect(rectOld, m_rectTabSplitter);
    rectInvalid.InflateRect(GetTabBorderSize(), GetTabBorderSize());
    if (m_rectTabSplitter.left < rectOld.left)
        rectInvalid.left -= 20;
    InvalidateRect(rectInvalid);
    UpdateWindow();
    AdjustTabsScroll();
    if (m_bIsSlanted && !CKtvPVisualManager::GetInstance()->IsHighlightOneNoteTabs())
        m_bHighLightTabs = FALSE;
}

void CKtvPTabWnd::StopSplitterTracking()
{
    if (!m_bTrackSplitter)
        return;
    m_bTrackSplitter = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
}

void CKtvPTabWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    StopSplitterTracking();
    CKtvPBaseTabWnd::OnLButtonUp(nFlags, point);
}

void CKtvPTabWnd::OnCancelMode()
{
    StopSplitterTracking();
    CKtvPBaseTabWnd::OnCancelMode();
}

BOOL CKtvPTabWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bFlat && !m_rectTabSplitter.IsRectEmpty()) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (m_rectTabSplitter.PtInRect(pt)) {
            ::SetCursor(globalData.GetSplitHorzCursor());
            return TRUE;
        }
    }
    return CKtvPBaseTabWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CKtvPTabWnd::OnSetFocus(CWnd* pOldWnd)
{
    CKtvPBaseTabWnd::OnSetFocus(pOldWnd);
    if (CWnd* pActive = GetActiveWnd())
        pActive->SetFocus();
}

BOOL CKtvPTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && m_iActiveTab >= 0 && ::GetKeyState(VK_CONTROL) < 0 &&
        (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT)) {
        const int step = pMsg->wParam == VK_PRIOR ? -1 : 1;
        for (int n = 1; n < m_iTabsNum; n++) {
            const int i = (m_iActiveTab + step * n + m_iTabsNum) % m_iTabsNum;
            if (!TabAt(i)->m_bVisible)
                continue;
            if (SetActiveTab(i)) {
                if (CWnd* pActive = GetActiveWnd())
                    pActive->SetFocus();
                NotifyActiveTabChanged(m_iActiveTab);
            }
            break;
        }
        return TRUE;
    }
    if (m_ToolTip.GetSafeHwnd() != nullptr) {
        switch (pMsg->message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_NCLBUTTONUP:
        case WM_NCRBUTTONUP:
        case WM_NCMBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_SYSKEYDOWN:
        case WM_KEYDOWN:
            m_ToolTip.RelayEvent(pMsg);
            break;
        default:
            break;
        }
    }
    return CKtvPBaseTabWnd::PreTranslateMessage(pMsg);
}

BOOL CKtvPTabWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr->code == TTN_SHOW && m_ToolTip.GetSafeHwnd() != nullptr) {
        m_ToolTip.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else if (pHdr->code == HDN_ITEMCHANGED) {
        SynchronizeScrollBar();
    }
    return CKtvPBaseTabWnd::OnNotify(wParam, lParam, pResult);
}

// --- shared scroll bar ------------------------------------------------------------------------------

void CKtvPTabWnd::OnSize(UINT nType, int cx, int cy)
{
    CKtvPBaseTabWnd::OnSize(nType, cx, cy);
    if (m_bSharedScroll) {
        const int nMin = 2 * ::GetSystemMetrics(SM_CXHSCROLL);
        const int w = cx - 2 * GetTabBorderSize() - 4 * ::GetSystemMetrics(SM_CXVSCROLL);
        if (w <= nMin)
            m_nHorzScrollWidth = 0;
        else
            m_nHorzScrollWidth = w / 2 > nMin ? w / 2 : w;
    }
    ResetSlantedScroll();
    RecalcLayout();
    if (m_bIsSlanted)
        EnsureVisible(m_iActiveTab);
    SynchronizeScrollBar();
}

void CKtvPTabWnd::RepositionScrollBar()
{
    if (!m_bSharedScroll || m_wndScrollWnd.GetSafeHwnd() == nullptr)
        return;
    CRect rectBar;
    m_rectTabSplitter.SetRectEmpty();
    if (IsStripHidden()) {
        rectBar = m_rectTabsArea;
        rectBar.OffsetRect(0, 2);
    } else if (m_nHorzScrollWidth >= 2 * ::GetSystemMetrics(SM_CXHSCROLL)) {
        rectBar.SetRect(m_nScrollBarRight - m_nHorzScrollWidth, m_rectTabsArea.top + 1, m_nScrollBarRight,
                        m_rectTabsArea.bottom - 2);
        m_rectTabSplitter.SetRect(rectBar.left - 5, m_rectTabsArea.top + 2, rectBar.left, rectBar.bottom);
        m_rectTabsArea.right = m_rectTabSplitter.left;
    }
    m_wndScrollWnd.SetWindowPos(nullptr, rectBar.left, rectBar.top, rectBar.Width(), rectBar.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CKtvPTabWnd::SynchronizeScrollBar(SCROLLINFO* pScrollInfo)
{
    if (!m_bSharedScroll || m_wndScrollWnd.GetSafeHwnd() == nullptr)
        return FALSE;
    if (pScrollInfo != nullptr) {
        m_wndScrollWnd.SetScrollInfo(pScrollInfo);
        return TRUE;
    }
    CWnd* pActive = GetActiveWnd();
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    if (pActive == nullptr || pActive->GetSafeHwnd() == nullptr || !pActive->GetScrollInfo(SB_HORZ, &si) ||
        si.nMin + (int)si.nPage >= si.nMax) {
        m_wndScrollWnd.EnableScrollBar(ESB_DISABLE_BOTH);
        return TRUE;
    }
    m_wndScrollWnd.EnableScrollBar(ESB_ENABLE_BOTH);
    m_wndScrollWnd.SetScrollInfo(&si);
    HideActiveWindowHorzScrollBar();
    return TRUE;
}

void CKtvPTabWnd::HideActiveWindowHorzScrollBar()
{
    CWnd* pActive = GetActiveWnd();
    if (!m_bSharedScroll || pActive == nullptr || pActive->GetSafeHwnd() == nullptr)
        return;
    pActive->ShowScrollBar(SB_HORZ, FALSE);
    pActive->ModifyStyle(WS_HSCROLL, 0, SWP_FRAMECHANGED);
}

void CKtvPTabWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CKtvPTabInfo* pTab = TabAt(m_iActiveTab);
    if (pScrollBar == nullptr || pScrollBar->GetSafeHwnd() != m_wndScrollWnd.GetSafeHwnd() || !m_bFlat ||
        pTab == nullptr || m_bIsInHScroll) {
        CKtvPBaseTabWnd::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    m_bIsInHScroll = TRUE;
    CWnd* pWnd = pTab->m_pWnd;
    if (pTab->m_bIsListView && (nSBCode == SB_THUMBPOSITION || nSBCode == SB_THUMBTRACK))
        pWnd->SendMessage(LVM_SCROLL, (WPARAM)((int)nPos - pWnd->GetScrollPos(SB_HORZ)), 0);
    pWnd->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
    m_wndScrollWnd.SetScrollPos(pWnd->GetScrollPos(SB_HORZ));
    HideActiveWindowHorzScrollBar();
    if (GetParent() != nullptr)
        GetParent()->SendMessage(KTVM_ON_HSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
    m_bIsInHScroll = FALSE;
}

// --- painting ---------------------------------------------------------------------------------------

BOOL CKtvPTabWnd::OnEraseBkgnd(CDC* pDC)
{
    if (GetVisibleTabsNum() == 0 && !m_bDontEraseBkgnd) {
        CRect rectClient;
        GetClientRect(rectClient);
        pDC->FillRect(rectClient, &globalData.brBtnFace);
    }
    return TRUE;
}

void CKtvPTabWnd::OnPaint()
{
    CPaintDC dcPaint(this);
    CKtvPMemDC memDC(dcPaint, this);
    CDC* pDC = &memDC.GetDC();
    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();

    TabFrameColors colors;
    pLook->GetTabFrameColors(this, colors.clrDark, colors.clrBlack, colors.clrHighlight, colors.clrFace,
                             colors.clrDarkShadow, colors.clrLight, colors.pbrFace, colors.pbrBlack);
    CBrush* pOldBrush = pDC->SelectObject(colors.pbrFace);
    CPen penDark(PS_SOLID, 1, colors.clrDark);
    CPen penBlack(PS_SOLID, 1, colors.clrBlack);
    CPen penHilite(PS_SOLID, 1, colors.clrHighlight);
    CPen* pOldPen = pDC->SelectObject(&penDark);

    const int nSaved = pDC->SaveDC();
    pDC->ExcludeClipRect(m_rectWndArea);
    DrawFrame(pDC, colors, penBlack, penHilite);

    CFont* pOldFont = pDC->SelectObject(m_bFlat ? &m_fntTabs : &globalData.fontRegular);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(globalData.clrBtnText);
    DrawTabs(pDC, penBlack);

    if (!m_rectTabSplitter.IsRectEmpty()) {
        CRect rect = m_rectTabSplitter;
        pDC->FillRect(rect, colors.pbrFace);
        pDC->Draw3dRect(rect, colors.clrDarkShadow, colors.clrDark);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, colors.clrHighlight, colors.clrDark);
    }
    if (m_bFlat && m_nTabsHorzOffset > 0) {
        pDC->SelectObject(&penDark);
        const int yFrom = m_location == LOCATION_BOTTOM ? m_rectTabsArea.top + 2 : m_rectTabsArea.top;
        const int yTo = m_location == LOCATION_BOTTOM ? m_rectTabsArea.bottom : m_rectTabsArea.bottom - 2;
        pDC->MoveTo(m_rectTabsArea.left, yFrom);
        pDC->LineTo(m_rectTabsArea.left, yTo);
    }
    pDC->SelectObject(pOldFont);
    pDC->RestoreDC(nSaved);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

void CKtvPTabWnd::DrawFrame(CDC* pDC, const TabFrameColors& colors, CPen& penBlack, CPen& penHilite)
{
    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    CRect rectClient;
    GetClientRect(rectClient);
    const int B = GetTabBorderSize();
    const BOOL bBottom = m_location == LOCATION_BOTTOM;

    const BOOL bErased = pLook->OnEraseTabsFrame(pDC, rectClient, this);
    if (!bErased && !m_bFlatFrame)
        pDC->FillRect(rectClient, colors.pbrFace);
    CRect rectStripSide = rectClient;
    if (bBottom)
        rectStripSide.top = m_rectTabsArea.top - B;
    else
        rectStripSide.bottom = m_rectTabsArea.bottom + B;
    pLook->OnEraseTabsArea(pDC, rectStripSide, this);

    if (B == 0) {
        CRect rect = rectClient;
        if (bBottom)
            rect.bottom = m_rectTabsArea.top + 1;
        else
            rect.top = m_rectTabsArea.bottom - 1;
        pDC->FrameRect(rect, m_bFlat ? colors.pbrBlack : colors.pbrFace);
        return;
    }

    CRect rectFrame = rectClient;
    if (!m_bFlat) {
        if (bBottom)
            rectFrame.bottom = m_rectTabsArea.top;
        else
            rectFrame.top = m_rectTabsArea.bottom;
    }
    const int yStripEdge = bBottom ? m_rectTabsArea.top : m_rectTabsArea.bottom - 1;
    auto fillBandsAndFlatLine = [&](const CRect& rectOuter) {
        if (m_bFlatFrame && !bErased) {
            CRect rectBands = rectOuter;
            rectBands.DeflateRect(1, 1);
            const int nSavedBands = pDC->SaveDC();
            pDC->ExcludeClipRect(m_rectTabsArea);
            pDC->FillRect(rectBands, colors.pbrFace);
            pDC->RestoreDC(nSavedBands);
        }
        if (m_bFlat) {
            CPen* pOld = pDC->SelectObject(&penBlack);
            pDC->MoveTo(B, yStripEdge);
            pDC->LineTo(rectClient.Width() - B, yStripEdge);
            pDC->SelectObject(pOld);
        }
    };

    if (m_bDrawFrame) {
        fillBandsAndFlatLine(rectFrame);
        pDC->Draw3dRect(rectFrame, colors.clrFace, colors.clrFace);
        if (m_rectTabsArea.Height() > 0) {
            if (m_bFlatFrame)
                pDC->Draw3dRect(rectFrame, colors.clrDark, colors.clrDark);
            if (!m_bFlat && !m_bIsSlanted) {
                CPen* pOld = pDC->SelectObject(bBottom ? &penBlack : &penHilite);
                const int y = bBottom ? rectFrame.bottom - 1 : rectFrame.top;
                pDC->MoveTo(rectFrame.left, y);
                pDC->LineTo(rectFrame.right, y);
                pDC->SelectObject(pOld);
            }
        }
    } else if (m_bFlatFrame) {
        CRect rect = rectFrame;
        pDC->Draw3dRect(rect, colors.clrHighlight, colors.clrDarkShadow);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, colors.clrLight, colors.clrDark);
        fillBandsAndFlatLine(rectFrame);
        if (B > 2) {
            rect.DeflateRect(B - 2, B - 2);
            pDC->Draw3dRect(rect, colors.clrDarkShadow, colors.clrHighlight);
        }
    }

    if (m_bTopEdge && !bBottom) {
        CPen penOutline(PS_SOLID, 1, colors.clrDark);
        CPen* pOld = pDC->SelectObject(&penOutline);
        pDC->MoveTo(rectClient.left, m_rectTabsArea.bottom);
        pDC->LineTo(rectClient.left, rectClient.top);
        pDC->LineTo(rectClient.right - 1, rectClient.top);
        pDC->LineTo(rectClient.right - 1, m_rectTabsArea.bottom);
        pDC->SelectObject(pOld);
    }
}

void CKtvPTabWnd::DrawTabs(CDC* pDC, CPen& penBlack)
{
    const int B = GetTabBorderSize();
    if (m_rectTabsArea.Width() <= 2 * B + 1 || m_rectTabsArea.Height() <= 2 * B + 1)
        return;
    CRect rectClip = m_rectTabsArea;
    rectClip.InflateRect(1, B);

    // Inactive tabs from the last to the first, so each lies over the one to its right.
    int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rectClip);
    for (int i = m_iTabsNum - 1; i >= 0; i--) {
        CKtvPTabInfo* pTab = TabAt(i);
        if (!pTab->m_bVisible || i == m_iActiveTab)
            continue;
        m_iCurTab = i;
        if (m_bFlat) {
            CPen* pOld = pDC->SelectObject(&penBlack);
            DrawFlatTab(pDC, pTab, FALSE);
            pDC->SelectObject(pOld);
        } else {
            DrawTab(pDC, pTab, FALSE);
        }
    }
    pDC->RestoreDC(nSaved);

    CKtvPTabInfo* pActive = TabAt(m_iActiveTab);
    if (pActive == nullptr || !pActive->m_bVisible) {
        m_iCurTab = -1;
        return;
    }
    nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rectClip);
    m_iCurTab = m_iActiveTab;
    if (m_bFlat) {
        pDC->SelectObject(&m_brActiveTab);
        pDC->SelectObject(&m_fntTabsBold);
        pDC->SetTextColor(GetActiveTabTextColor());
        pDC->SelectObject(&penBlack);
        DrawFlatTab(pDC, pActive, TRUE);
        // The active tab opens into the content.
        CPen penActive(PS_SOLID, 1, GetActiveTabColor());
        pDC->SelectObject(&penActive);
        const int y = m_location == LOCATION_BOTTOM ? pActive->m_rect.top : pActive->m_rect.bottom - 1;
        pDC->MoveTo(pActive->m_rect.left + 1, y);
        pDC->LineTo(pActive->m_rect.right, y);
        pDC->RestoreDC(nSaved);
    } else {
        if (m_bIsActiveTabBold)
            pDC->SelectObject(&globalData.fontBold);
        DrawTab(pDC, pActive, TRUE);
        pDC->RestoreDC(nSaved);
    }
    m_iCurTab = -1;
}

void CKtvPTabWnd::DrawTab(CDC* pDC, CKtvPTabInfo* pTab, BOOL bActive)
{
    if (!pTab->m_bVisible || (m_bIsSlanted && pTab->m_rect.right < m_rectTabsArea.left))
        return;
    CKtvPVisualManager::GetInstance()->OnDrawTab(pDC, pTab->m_rect, m_iCurTab, bActive, this);
}

void CKtvPTabWnd::DrawFlatTab(CDC* pDC, CKtvPTabInfo* pTab, BOOL bActive)
{
    if (!pTab->m_bVisible)
        return;
    CKtvPVisualManager::GetInstance()->OnDrawTab(pDC, pTab->m_rect, m_iCurTab, bActive, this);
}

// --- drops and system changes -----------------------------------------------------------------------

// Only a tabbed toolbar takes toolbar buttons: the tab under the cursor comes forward so that the
// button can be dropped on the bar it holds.
DROPEFFECT CKtvPTabWnd::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CKtvPTabWnd::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (DYNAMIC_DOWNCAST(CKtvPTabbedToolbar, GetParent()) == nullptr)
        return DROPEFFECT_NONE;
    CKtvPToolbarButton* pButton = CKtvPToolbarButton::CreateFromOleData(pDataObject);
    if (pButton == nullptr)
        return DROPEFFECT_NONE;
    delete pButton;
    const int iTab = GetTabFromPoint(point);
    if (iTab >= 0 && iTab != GetActiveTab())
        SetActiveTab(iTab);
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CKtvPTabWnd::OnSysColorChange()
{
    CKtvPBaseTabWnd::OnSysColorChange();
    if (m_bFlat && m_clrActiveTabBk == (COLORREF)-1) {
        m_brActiveTab.DeleteObject();
        m_brActiveTab.CreateSolidBrush(GetActiveTabColor());
        Invalidate();
    }
}

void CKtvPTabWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CKtvPBaseTabWnd::OnSettingChange(uFlags, lpszSection);
    if (m_bFlat) {
        UpdateTabsHeight();
        RecalcLayout();
        SynchronizeScrollBar();
    }
}
