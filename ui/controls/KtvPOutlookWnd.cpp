#include "ui/controls/KtvPOutlookWnd.h"

#include <algorithm>
#include <cstdlib>

#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CView.h"
#include "platform/win32/kernel/Threads.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/controls/KtvPNavigationPaneOptionsDlg.h"
#include "ui/controls/KtvPOutlookBarPane.h"
#include "ui/docking/KtvPDockingCBWrapper.h"
#include "ui/docking/KtvPMultiMiniFrameWnd.h"
#include "ui/docking/KtvPOutlookBar.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

constexpr int kSplitterHeight = 8;
constexpr int kSlideStep = 30;
constexpr int kSlideFrameMs = 10;
constexpr int kScrollRepeatDelay = 100;
constexpr int kGripperWidth = 11;

// Holds the docking layout still while page windows move, and puts the earlier value back.
class LayoutSuspension {
public:
    LayoutSuspension() : m_bWas(g_bKtvLoadingBars) { g_bKtvLoadingBars = TRUE; }
    ~LayoutSuspension() { g_bKtvLoadingBars = m_bWas; }
    LayoutSuspension(const LayoutSuspension&) = delete;
    LayoutSuspension& operator=(const LayoutSuspension&) = delete;

private:
    BOOL m_bWas;
};

}  // namespace

// --- CKtvPOutlookScrollButton ----------------------------------------------------------------------

void CKtvPOutlookScrollButton::OnFillBackground(CDC* pDC, const CRect& rectClient)
{
    COLORREF clrText = globalData.clrBarText;
    CKtvPVisualManager::GetInstance()->OnFillOutlookPageButton(pDC, rectClient, IsHighlighted(), IsPushed(),
                                                               clrText);
}

void CKtvPOutlookScrollButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT)
{
    CKtvPVisualManager::GetInstance()->OnDrawOutlookPageButtonBorder(pDC, rectClient, IsHighlighted(), IsPushed());
}

// --- CKtvPOutlookWndToolBar ------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKtvPOutlookWndToolBar, CKtvPToolBar)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

// Its images live in its own locked strip.
CKtvPOutlookWndToolBar::CKtvPOutlookWndToolBar(CKtvPOutlookWnd* pParentBar) : m_pParentBar(pParentBar)
{
    m_bLocked = TRUE;
    m_TabButtons.InitHashTable(17);
}

CKtvPOutlookWndToolBar::~CKtvPOutlookWndToolBar() = default;

void CKtvPOutlookWndToolBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    const int iActive = m_pParentBar != nullptr ? m_pParentBar->GetActiveTab() : -1;
    for (POSITION pos = m_TabButtons.GetStartPosition(); pos != nullptr;) {
        int iButton = 0, iPage = 0;
        m_TabButtons.GetNextAssoc(pos, iButton, iPage);
        CKtvPToolbarButton* pButton = GetButton(iButton);
        if (pButton == nullptr)
            continue;
        UINT nStyle = (pButton->m_nStyle & ~(TBBS_CHECKED | TBBS_INDETERMINATE)) | TBBS_CHECKBOX;
        if (iPage == iActive)
            nStyle |= TBBS_CHECKED;
        if (nStyle != pButton->m_nStyle) {
            pButton->m_nStyle = nStyle;
            InvalidateButton(iButton);
        }
    }
}

// Right-aligned icons that overlap their neighbours by two pixels, then the
// chevron; icons that do not fit go into the chevron's list.
void CKtvPOutlookWndToolBar::AdjustLocations()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect rectClient;
    GetClientRect(rectClient);
    CSize sizeImage = m_sizeImageLocked;
    if (sizeImage.cx == 0 || sizeImage.cy == 0)
        sizeImage = CSize(16, 16);
    const CSize sizeButton(sizeImage.cx + 10, sizeImage.cy + 14);
    const int nChevronWidth = std::max<int>(sizeButton.cx, CKtvPMenuImages::Size().cx + 10);
    const int n = (int)m_Buttons.GetCount() - (m_pCustomizeBtn != nullptr ? 1 : 0);
    if (m_pCustomizeBtn != nullptr)
        m_pCustomizeBtn->m_lstHiddenButtons.RemoveAll();

    int x = rectClient.right - (sizeButton.cx - 2) * n - nChevronWidth + 2;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        const CRect rectOld = pButton->m_rect;
        if (pButton == m_pCustomizeBtn) {
            pButton->m_rect.SetRect(rectClient.right - nChevronWidth, -1, rectClient.right, sizeButton.cy);
        } else if (x < rectClient.left) {
            pButton->m_rect.SetRectEmpty();
            if (m_pCustomizeBtn != nullptr)
                m_pCustomizeBtn->m_lstHiddenButtons.AddTail(pButton);
            x += sizeButton.cx - 2;
        } else {
            pButton->m_rect.SetRect(x, -1, x + sizeButton.cx, sizeButton.cy);
            x += sizeButton.cx - 2;
        }
        if (pButton->m_rect != rectOld)
            pButton->OnMove();
    }
    UpdateTooltips();
}

BOOL CKtvPOutlookWndToolBar::OnSendCommand(const CKtvPToolbarButton* pButton)
{
    int iPage = -1;
    if (m_pParentBar == nullptr || !m_TabButtons.Lookup(ButtonToIndex(pButton), iPage))
        return FALSE;
    m_pParentBar->SetActiveTab(iPage);
    return TRUE;
}

void CKtvPOutlookWndToolBar::OnCustomizeMode(BOOL bSet)
{
    CKtvPToolBar::OnCustomizeMode(bSet);
    EnableWindow(!bSet);
}

BOOL CKtvPOutlookWndToolBar::OnUserToolTip(CKtvPToolbarButton* pButton, CString& strTTText) const
{
    strTTText = pButton->m_strText;
    return TRUE;
}

BOOL CKtvPOutlookWndToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (HitTest(pt) >= 0) {
        ::SetCursor(globalData.GetHandCursor());
        return TRUE;
    }
    return CKtvPToolBar::OnSetCursor(pWnd, nHitTest, message);
}

// --- COutlookCustomizeButton -----------------------------------------------------------------------

IMPLEMENT_DYNCREATE(COutlookCustomizeButton, CCustomizeButton)

void COutlookCustomizeButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages*, BOOL, BOOL, BOOL bHighlight,
                                     BOOL, BOOL)
{
    m_bDrawn = TRUE;
    FillInterior(pDC, rect, bHighlight || IsDroppedDown());
    const CSize sizeGlyph = CKtvPMenuImages::Size();
    const int x = rect.left + (rect.Width() - sizeGlyph.cx) / 2;
    const int y = rect.top + (rect.Height() - 2 * sizeGlyph.cy) / 2;
    CKtvPMenuImages::Draw(pDC, CKtvPMenuImages::IdMoreButtons, CPoint(x, y));
    CKtvPMenuImages::Draw(pDC, CKtvPMenuImages::IdArowDown, CPoint(x, y + sizeGlyph.cy));
}

void COutlookCustomizeButton::OnCancelMode() { CKtvPToolbarMenuButton::OnCancelMode(); }

// The icons that did not fit, then the page-button commands.
CKtvPPopupMenu* COutlookCustomizeButton::CreatePopupMenu()
{
    auto* pMenu = new CKtvPPopupMenu;
    for (POSITION pos = m_lstHiddenButtons.GetHeadPosition(); pos != nullptr;) {
        const auto* pHidden = static_cast<CKtvPToolbarButton*>(m_lstHiddenButtons.GetNext(pos));
        if (pHidden->m_nID == (UINT)m_iCustomizeCmdId)
            continue;
        pMenu->InsertItem(CKtvPToolbarMenuButton(pHidden->m_nID, nullptr, -1, pHidden->m_strText));
    }
    if (pMenu->GetMenuItemCount() > 0)
        pMenu->InsertSeparator();
    const struct {
        UINT nID;
        UINT nText;
    } commands[] = {
        {CKtvPOutlookWnd::idShowMoreButtons, IDS_KTVP_SHOW_MORE_BUTTONS},
        {CKtvPOutlookWnd::idShowFewerButtons, IDS_KTVP_SHOW_FEWER_BUTTONS},
        {CKtvPOutlookWnd::idNavigationPaneOptions, IDS_KTVP_NAVIGATION_OPTIONS},
    };
    for (const auto& c : commands) {
        CString strText;
        strText.LoadString(c.nText);
        pMenu->InsertItem(CKtvPToolbarMenuButton(c.nID, nullptr, -1, strText));
    }
    return pMenu;
}

// --- CKtvPOutlookWnd -------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPOutlookWnd, CKtvPBaseTabWnd)

BOOL CKtvPOutlookWnd::m_bEnableAnimation = FALSE;

BEGIN_MESSAGE_MAP(CKtvPOutlookWnd, CKtvPBaseTabWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_COMMAND_RANGE(idShowMoreButtons, idToolbarCommandsLast, OnToolBarCommand)
    ON_UPDATE_COMMAND_UI_RANGE(idShowMoreButtons, idToolbarCommandsLast, OnUpdateToolBarCommand)
END_MESSAGE_MAP()

CKtvPOutlookWnd::CKtvPOutlookWnd()
    : m_nBorderSize(0),
      m_bTrackSplitter(FALSE),
      m_wndToolBar(this),
      m_nVisiblePageButtons(-1),
      m_nMaxPageButtons(0),
      m_bPageButtonsChanged(FALSE),
      m_bScrollButtons(FALSE),
      m_nPageTextAlign(TA_CENTER),
      m_sizeToolBarImage(0, 0)
{
    // A press only highlights a page button; the release activates the page.
    m_bActivateOnBtnUp = TRUE;
    m_bEnableTabSwap = FALSE;

    m_btnScrollUp.m_FlatStyle = CKtvPButton::BUTTONSTYLE_SEMIFLAT;
    m_btnScrollUp.m_DrawFocus = FALSE;
    m_btnScrollDown.m_FlatStyle = CKtvPButton::BUTTONSTYLE_SEMIFLAT;
    m_btnScrollDown.m_DrawFocus = FALSE;
}

// The image list, both scroll buttons, the toolbar and its map go with their members.
CKtvPOutlookWnd::~CKtvPOutlookWnd() = default;

// --- page-button count ------------------------------------------------------------------------------

void CKtvPOutlookWnd::RelayoutForUserChange()
{
    m_bPageButtonsChanged = TRUE;
    RecalcLayout();
    m_bPageButtonsChanged = FALSE;
}

void CKtvPOutlookWnd::ShowMoreButtons()
{
    m_nVisiblePageButtons++;
    RelayoutForUserChange();
}

void CKtvPOutlookWnd::ShowFewerButtons()
{
    m_nVisiblePageButtons--;
    RelayoutForUserChange();
}

void CKtvPOutlookWnd::ShowOptionsDialog()
{
    CKtvPNavigationPaneOptionsDlg dlg(this);
    if (dlg.DoModal() == IDOK)
        RelayoutForUserChange();
}

// --- creation ---------------------------------------------------------------------------------------

BOOL CKtvPOutlookWnd::Create(const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pParentWnd, nID))
        return FALSE;
    UpdateTabsHeight();
    m_bHighLightTabs = TRUE;
    return TRUE;
}

int CKtvPOutlookWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPBaseTabWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    struct {
        CKtvPOutlookScrollButton* pButton;
        int nGlyph;
    } buttons[] = {{&m_btnScrollUp, CKtvPMenuImages::IdArowUpLarge}, {&m_btnScrollDown, CKtvPMenuImages::IdArowDownLarge}};
    for (auto& b : buttons) {
        if (!b.pButton->Create("", WS_CHILD, CRect(0, 0, 0, 0), this, (UINT)-1))
            return -1;
        b.pButton->SetGlyph(b.nGlyph);
        b.pButton->SetAutoRepeatDelay(kScrollRepeatDelay);
    }

    const DWORD dwStyle = 0x50402808;
    if (!m_wndToolBar.CreateEx(this, 0x800, dwStyle, CRect(0, 0, 0, 0), 0xE800))
        return -1;
    m_wndToolBar.SetOwner(this);
    m_wndToolBar.m_bRouteCommandsViaFrame = FALSE;
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() & ~(0x400000 | 0xF00));
    m_wndToolBar.m_bShowHotBorder = FALSE;
    return 0;
}

// --- the parent outlook bar -------------------------------------------------------------------------

CKtvPOutlookBar* CKtvPOutlookWnd::GetParentOutlookBar() const
{
    return dynamic_cast<CKtvPOutlookBar*>(GetParent());
}

BOOL CKtvPOutlookWnd::IsNavigationPaneMode() const
{
    const CKtvPOutlookBar* pBar = GetParentOutlookBar();
    return pBar != nullptr && pBar->m_bNavigationPaneMode;
}

BOOL CKtvPOutlookWnd::ArePageButtonsShown() const { return GetVisibleTabsNum() > 1 || !m_bHideSingleTab; }

CSize CKtvPOutlookWnd::GetToolBarImageSize() const
{
    CSize size = m_imagesToolBar.GetSafeHandle() != nullptr && m_imagesToolBar.GetImageCount() > 0
                     ? m_sizeToolBarImage
                     : m_sizeImage;
    if (size.cx == 0 || size.cy == 0)
        size = CSize(16, 16);
    return size;
}

int CKtvPOutlookWnd::GetToolBarHeight() const { return GetToolBarImageSize().cy + 12; }

// --- layout -----------------------------------------------------------------------------------------

void CKtvPOutlookWnd::RecalcLayout()
{
    const int h = m_nTabsHeight;
    if (GetSafeHwnd() == nullptr || h == 0)
        return;
    const BOOL bNavigation = IsNavigationPaneMode();
    const int T = bNavigation ? GetToolBarHeight() : 0;

    if (m_btnScrollUp.GetSafeHwnd() != nullptr) {
        m_btnScrollUp.SendMessage(WM_CANCELMODE);
        m_btnScrollDown.SendMessage(WM_CANCELMODE);
    }

    CRect R;
    GetClientRect(R);
    R.DeflateRect(m_nBorderSize + 1, m_nBorderSize + 1);
    m_rectPageArea = R;
    const int V = GetVisibleTabsNum();

    if (bNavigation) {
        if (m_nVisiblePageButtons == -1 || m_nVisiblePageButtons > V)
            m_nVisiblePageButtons = V;
        m_nMaxPageButtons = std::max(0, std::min(V, (R.Height() - h - T) / (2 * h)));
        const int n = std::min(m_nMaxPageButtons, m_nVisiblePageButtons);
        m_rectCaption = R;
        m_rectCaption.top = R.top + 3;
        m_rectCaption.bottom = R.top + 2 * TAB_TEXT_MARGIN + globalData.m_nTextHeight + 2;
        m_rectSplitter = R;
        m_rectSplitter.bottom = R.bottom - (n * h + T);
        m_rectSplitter.top = m_rectSplitter.bottom - kSplitterHeight;
        m_rectPageArea.top = m_rectCaption.bottom;
        m_rectPageArea.bottom = m_rectSplitter.top;
    } else {
        m_rectCaption.SetRectEmpty();
        m_rectSplitter.SetRectEmpty();
        if (!(V <= 1 && m_bHideSingleTab))
            m_rectPageArea.DeflateRect(0, 1);
    }

    const BOOL bScroll = m_bScrollButtons && !bNavigation;
    if (ArePageButtonsShown()) {
        int y = bNavigation ? m_rectSplitter.bottom : R.top;
        for (int i = 0; i < m_iTabsNum; i++) {
            CKtvPTabInfo* pTab = TabAt(i);
            pTab->m_rect.SetRect(R.left, y, R.right + 1, y + h);
            if (bNavigation && y >= R.bottom - T) {
                pTab->m_rect.SetRectEmpty();
                continue;
            }
            if (!pTab->m_bVisible) {
                pTab->m_rect.SetRectEmpty();
                continue;
            }
            if (bScroll && (i == m_iActiveTab || i == m_iActiveTab + 1)) {
                pTab->m_rect.right -= h;
                CKtvPOutlookScrollButton& button = i == m_iActiveTab ? m_btnScrollUp : m_btnScrollDown;
                button.SetWindowPos(nullptr, pTab->m_rect.right, pTab->m_rect.top, h, pTab->m_rect.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
            }
            if (!bNavigation && i == m_iActiveTab) {
                int k = 0;
                for (int j = i + 1; j < m_iTabsNum; j++)
                    k += TabAt(j)->m_bVisible ? 1 : 0;
                m_rectPageArea.top = y + h;
                m_rectPageArea.bottom = R.bottom - k * h;
                y = R.bottom - k * h + 1;
                continue;
            }
            y += h;
        }
    } else if (bScroll) {
        int iLast = -1;
        GetLastVisibleTab(iLast);
        if (iLast == m_iActiveTab) {
            m_rectPageArea.bottom -= h;
            m_btnScrollDown.SetWindowPos(nullptr, R.right - h + 1, R.bottom - h + 1, 0, 0,
                                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
        }
    }

    for (int i = 0; i < m_iTabsNum; i++) {
        CKtvPTabInfo* pTab = TabAt(i);
        if (!pTab->m_bVisible || pTab->m_pWnd == nullptr || pTab->m_pWnd->GetSafeHwnd() == nullptr)
            continue;
        CKtvPOutlookBarPane* pPane = nullptr;
        if (auto* pWrapper = dynamic_cast<CKtvPDockingCBWrapper*>(pTab->m_pWnd))
            pPane = dynamic_cast<CKtvPOutlookBarPane*>(pWrapper->GetWrappedWnd());
        if (pPane != nullptr) {
            pPane->m_nMaxLen = m_rectPageArea.Height();
            if (m_bPageButtonsChanged)
                pPane->SetUserChange(TRUE);
        }
        pTab->m_pWnd->SetWindowPos(nullptr, m_rectPageArea.left, m_rectPageArea.top, m_rectPageArea.Width(),
                                   m_rectPageArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        if (pPane != nullptr && m_bPageButtonsChanged)
            pPane->SetUserChange(FALSE);
    }

    if (V == 0 && !bNavigation) {
        ShowWindow(SW_HIDE);
        if (m_wndToolBar.GetSafeHwnd() != nullptr)
            m_wndToolBar.ShowWindow(SW_HIDE);
        const UINT uiRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
        if (m_btnScrollUp.GetSafeHwnd() != nullptr) {
            m_btnScrollUp.RedrawWindow(nullptr, nullptr, uiRedraw);
            m_btnScrollDown.RedrawWindow(nullptr, nullptr, uiRedraw);
        }
        if (GetParent() != nullptr)
            GetParent()->RedrawWindow(nullptr, nullptr, uiRedraw);
        return;
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    if (m_wndToolBar.GetSafeHwnd() == nullptr)
        return;
    if (bNavigation) {
        m_wndToolBar.ShowWindow(SW_SHOWNOACTIVATE);
        m_wndToolBar.SetWindowPos(nullptr, R.left, R.bottom - T, R.Width(), T, SWP_NOZORDER | SWP_NOACTIVATE);
        RebuildToolBar();
    } else {
        m_wndToolBar.ShowWindow(SW_HIDE);
    }
}

void CKtvPOutlookWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

// --- painting ---------------------------------------------------------------------------------------

void CKtvPOutlookWnd::OnPaint()
{
    CPaintDC dcPaint(this);
    CKtvPMemDC memDC(dcPaint, this);
    CDC* pDC = &memDC.GetDC();
    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();

    CRect rect;
    GetClientRect(rect);
    pDC->FillRect(rect, &globalData.brBarFace);
    if (m_nBorderSize > 0) {
        const int b = m_nBorderSize;
        pDC->FillRect(CRect(rect.left, rect.top, rect.left + b, rect.bottom), &globalData.brBarFace);
        pDC->FillRect(CRect(rect.left, rect.top, rect.right, rect.top + b), &globalData.brBarFace);
        pDC->FillRect(CRect(rect.right - b - 1, rect.top, rect.right, rect.bottom), &globalData.brBarFace);
        pDC->FillRect(CRect(rect.left, rect.bottom - b, rect.right, rect.bottom), &globalData.brBarFace);
        rect.DeflateRect(b, b);
    }
    pDC->Draw3dRect(rect, globalData.clrBarShadow, globalData.clrBarShadow);
    {
        CPen pen(PS_SOLID, 1, globalData.clrBarShadow);
        CPen* pOldPen = pDC->SelectObject(&pen);
        pDC->MoveTo(m_rectPageArea.left - 1, m_rectPageArea.bottom);
        pDC->LineTo(m_rectPageArea.right + 1, m_rectPageArea.bottom);
        pDC->SelectObject(pOldPen);
    }

    CKtvPOutlookBar* pBar = GetParentOutlookBar();
    CFont* pFont = pBar != nullptr && pBar->GetButtonsFont() != nullptr ? pBar->GetButtonsFont() : &globalData.fontRegular;
    CFont* pOldFont = pDC->SelectObject(pFont);
    pDC->SetBkMode(TRANSPARENT);

    if (ArePageButtonsShown()) {
        for (int i = 0; i < m_iTabsNum; i++)
            DrawPageButton(pDC, i, TRUE);
    }
    if (!m_rectCaption.IsRectEmpty()) {
        pDC->FillRect(CRect(m_rectCaption.left, m_rectCaption.top - 5, m_rectCaption.right, m_rectCaption.top),
                      &globalData.brBarFace);
        COLORREF clrText = globalData.clrBarText;
        pLook->OnFillOutlookBarCaption(pDC, m_rectCaption, clrText);
        if (CKtvPTabInfo* pActive = TabAt(m_iActiveTab)) {
            CRect rectText = m_rectCaption;
            rectText.DeflateRect(5, 5);
            pDC->SetTextColor(clrText);
            pDC->DrawText(pActive->m_strText, rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        }
    }
    if (!m_rectSplitter.IsRectEmpty())
        pLook->OnDrawOutlookBarSplitter(pDC, m_rectSplitter);
    if (!IsNavigationPaneMode() && m_bScrollButtons) {
        int iLast = -1;
        GetLastVisibleTab(iLast);
        if (iLast == m_iActiveTab)
            pDC->FillRect(CRect(rect.left, rect.bottom - m_nTabsHeight, rect.right, rect.bottom), &globalData.brBarFace);
    }
    pDC->SelectObject(pOldFont);
}

void CKtvPOutlookWnd::DrawPageButton(CDC* pDC, int iPage, BOOL bDrawPressedButton)
{
    CKtvPTabInfo* pTab = TabAt(iPage);
    if (pTab == nullptr || pTab->m_rect.IsRectEmpty())
        return;
    const BOOL bNavigation = IsNavigationPaneMode();
    BOOL bHighlighted = iPage == m_iHighlighted;
    BOOL bPressed = iPage == m_iPressed && bDrawPressedButton;
    if (bNavigation && iPage == m_iActiveTab) {
        bHighlighted = TRUE;
        bPressed = iPage == m_iHighlighted;
    }
    CRect rectBtn = pTab->m_rect;
    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    COLORREF clrText = globalData.clrBarText;
    pLook->OnFillOutlookPageButton(pDC, rectBtn, bHighlighted, bPressed, clrText);
    pLook->OnDrawOutlookPageButtonBorder(pDC, rectBtn, bHighlighted, bPressed);

    int nImageWidth = 0;
    CImageList* pImages = GetImageList();
    const BOOL bHasImage = pTab->m_hIcon != nullptr || (pImages != nullptr && pTab->m_uiIcon >= 0);
    if (bHasImage) {
        nImageWidth = m_sizeImage.cx;
        if (TAB_IMAGE_MARGIN + nImageWidth <= pTab->m_rect.Width()) {
            const CPoint pt(pTab->m_rect.left + TAB_IMAGE_MARGIN,
                            pTab->m_rect.top + (pTab->m_rect.Height() - m_sizeImage.cy) / 2);
            if (pTab->m_hIcon != nullptr)
                ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, pTab->m_hIcon, m_sizeImage.cx, m_sizeImage.cy, 0,
                             nullptr, DI_NORMAL);
            else
                pImages->Draw(pDC, pTab->m_uiIcon, pt, ILD_TRANSPARENT);
        }
    }

    CRect rectText = pTab->m_rect;
    rectText.left += nImageWidth + 2 * TAB_TEXT_MARGIN;
    UINT uiFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (bNavigation || m_nPageTextAlign == TA_LEFT)
        uiFormat |= DT_LEFT;
    else if (m_nPageTextAlign == TA_RIGHT)
        uiFormat |= DT_RIGHT;
    else
        uiFormat |= DT_CENTER;
    if (!bNavigation && pTab->m_bIsDetachable) {
        rectText.right -= kGripperWidth;
        CRect rectGripper(rectText.right, pTab->m_rect.top, rectText.right + kGripperWidth, pTab->m_rect.bottom);
        rectGripper.DeflateRect(4, 2);
        CKtvPBaseControlBar bar;
        pLook->OnDrawBarGripper(pDC, rectGripper, TRUE, &bar);
    }
    pDC->SetTextColor(clrText);
    pDC->DrawText(pTab->m_strText, rectText, uiFormat);
}

// --- activation -------------------------------------------------------------------------------------

BOOL CKtvPOutlookWnd::SetActiveTab(int iTab)
{
    CKtvPTabInfo* pTarget = TabAt(iTab);
    if (pTarget == nullptr)
        return FALSE;
    if (iTab == m_iActiveTab)
        return TRUE;
    // A page without a window cannot be shown: nothing changes.
    CWnd* pNewWnd = pTarget->m_pWnd;
    if (pNewWnd == nullptr || pNewWnd->GetSafeHwnd() == nullptr)
        return FALSE;

    const int iOld = m_iActiveTab;
    const BOOL bHadActive = iOld >= 0;
    CKtvPOutlookBar* pBar = GetParentOutlookBar();
    const BOOL bClicked = (m_iPressed >= 0 && m_iPressed == m_iHighlighted) || m_iClickedPage == iTab;
    const BOOL bSlide = bHadActive && bClicked && m_bEnableAnimation && !IsNavigationPaneMode() &&
                        (pBar == nullptr || pBar->AllowPageSlide(iTab)) && !globalData.bIsRemoteSession;

    CWnd* pOldWnd = GetActiveWnd();
    m_iActiveTab = iTab;

    if (bSlide && pOldWnd != nullptr && pOldWnd->GetSafeHwnd() != nullptr) {
        SlidePages(iOld, iTab, pOldWnd);
        if (pBar != nullptr)
            pBar->OnPageActivated(iTab);
        pNewWnd->SetWindowPos(nullptr, 0, 0, 0, 0,
                              SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
        pNewWnd->BringWindowToTop();
        pNewWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    } else {
        if (pOldWnd != nullptr && pOldWnd->GetSafeHwnd() != nullptr)
            pOldWnd->ShowWindow(SW_HIDE);
        RecalcLayout();
        pNewWnd->ShowWindow(SW_SHOW);
        pNewWnd->BringWindowToTop();
        LayoutSuspension suspend;
        // A size change always reaches the page, even when its size is the same.
        pNewWnd->SetWindowPos(nullptr, 0, 0, m_rectPageArea.Width() + 1, m_rectPageArea.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
        pNewWnd->SetWindowPos(nullptr, 0, 0, m_rectPageArea.Width(), m_rectPageArea.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }

    if (pBar != nullptr && pBar->IsCaptionFromTab()) {
        pBar->SetWindowText(pTarget->m_strText);
        CWnd* pCaptionOwner = pBar->IsDocked() ? static_cast<CWnd*>(pBar) : pBar->GetParent();
        if (pCaptionOwner != nullptr)
            pCaptionOwner->RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    if (bHadActive) {
        CView* pView = dynamic_cast<CView*>(pNewWnd);
        CFrameWnd* pFrame = pView != nullptr ? dynamic_cast<CFrameWnd*>(KtvGetParentFrame(pView)) : nullptr;
        if (pFrame != nullptr)
            pFrame->SetActiveView(pView);
        else
            pNewWnd->SetFocus();
    }
    return TRUE;
}

// The buttons between the old and the new page travel across the window in
// steps of 30 pixels while the old page shrinks toward its far edge.
void CKtvPOutlookWnd::SlidePages(int iOld, int iNew, CWnd* pOldWnd)
{
    const BOOL bUp = iNew < iOld;
    const int nStep = bUp ? kSlideStep : -kSlideStep;
    CRect rectOld;
    pOldWnd->GetWindowRect(rectOld);
    ScreenToClient(rectOld);
    const int nFrames = std::abs(rectOld.Height() / nStep);

    const BOOL bScroll = m_bScrollButtons;
    BOOL bUpVisible = FALSE;
    BOOL bDownVisible = FALSE;
    if (bScroll) {
        bUpVisible = m_btnScrollUp.IsWindowVisible();
        bDownVisible = m_btnScrollDown.IsWindowVisible();
        m_btnScrollUp.ShowWindow(SW_HIDE);
        m_btnScrollDown.ShowWindow(SW_HIDE);
        // The buttons that carried the scroll buttons are drawn at full width.
        CRect rectClient;
        GetClientRect(rectClient);
        for (int i : {iOld, iOld + 1}) {
            if (CKtvPTabInfo* pTab = TabAt(i); pTab != nullptr && !pTab->m_rect.IsRectEmpty())
                pTab->m_rect.right = rectClient.right - m_nBorderSize;
        }
    }

    CRect rectErase;
    if (bUp) {
        if (CKtvPTabInfo* pNext = TabAt(iNew + 1)) {
            rectErase = pNext->m_rect;
            rectErase.bottom = rectErase.top + kSlideStep;
        }
    } else if (CKtvPTabInfo* pNewTab = TabAt(iNew)) {
        rectErase = pNewTab->m_rect;
        rectErase.top = rectErase.bottom - kSlideStep;
    }
    const int iFirstMoving = bUp ? iNew + 1 : iOld + 1;
    const int iLastMoving = bUp ? iOld : iNew;

    const DWORD dwStyle = GetStyle();
    ModifyStyle(WS_CLIPCHILDREN, 0);
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(&globalData.fontRegular);
        dc.SetBkMode(TRANSPARENT);
        LayoutSuspension suspend;
        for (int f = 0; f < nFrames; f++) {
            if (bUp)
                rectOld.top += nStep;
            else
                rectOld.bottom += nStep;
            pOldWnd->SetWindowPos(nullptr, rectOld.left, rectOld.top, rectOld.Width(), std::max(0, (int)rectOld.Height()),
                                  SWP_NOZORDER | SWP_NOACTIVATE);
            for (int i = iFirstMoving; i <= iLastMoving; i++) {
                CKtvPTabInfo* pTab = TabAt(i);
                if (pTab == nullptr || pTab->m_rect.IsRectEmpty())
                    continue;
                pTab->m_rect.OffsetRect(0, nStep);
                DrawPageButton(&dc, i, FALSE);
            }
            if (!rectErase.IsRectEmpty()) {
                dc.FillRect(rectErase, &globalData.brBarFace);
                rectErase.OffsetRect(0, nStep);
            }
            ::Sleep(kSlideFrameMs);
        }
        dc.SelectObject(pOldFont);
    }
    if (dwStyle & WS_CLIPCHILDREN)
        ModifyStyle(0, WS_CLIPCHILDREN);
    if (bScroll)
        EnableScrollButtons(TRUE, bUpVisible, bDownVisible);
    pOldWnd->ShowWindow(SW_HIDE);
    RecalcLayout();
}

// --- scroll buttons ---------------------------------------------------------------------------------

void CKtvPOutlookWnd::EnableScrollButtons(BOOL bEnable, BOOL bIsUp, BOOL bIsDown)
{
    if (IsNavigationPaneMode())
        bEnable = FALSE;
    const BOOL bChanged = m_bScrollButtons != bEnable;
    m_bScrollButtons = bEnable;
    if (m_btnScrollUp.GetSafeHwnd() == nullptr)
        return;
    if (bEnable) {
        m_btnScrollUp.ShowWindow(SW_SHOWNOACTIVATE);
        m_btnScrollDown.ShowWindow(SW_SHOWNOACTIVATE);
        m_btnScrollUp.EnableWindow(bIsUp);
        m_btnScrollDown.EnableWindow(bIsDown);
        m_btnScrollUp.SetGlyph(CKtvPMenuImages::IdArowUpLarge,
                               bIsUp ? CKtvPMenuImages::ImageBlack : CKtvPMenuImages::ImageGray);
        m_btnScrollDown.SetGlyph(CKtvPMenuImages::IdArowDownLarge,
                                 bIsDown ? CKtvPMenuImages::ImageBlack : CKtvPMenuImages::ImageGray);
    } else {
        m_btnScrollUp.ShowWindow(SW_HIDE);
        m_btnScrollDown.ShowWindow(SW_HIDE);
    }
    m_btnScrollUp.RedrawWindow();
    m_btnScrollDown.RedrawWindow();
    if (bChanged)
        RecalcLayout();
}

BOOL CKtvPOutlookWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = (HWND)lParam;
    if (hwnd != nullptr && (hwnd == m_btnScrollUp.GetSafeHwnd() || hwnd == m_btnScrollDown.GetSafeHwnd())) {
        CKtvPOutlookScrollButton& button = hwnd == m_btnScrollUp.GetSafeHwnd() ? m_btnScrollUp : m_btnScrollDown;
        if (CKtvPOutlookBar* pBar = GetParentOutlookBar())
            pBar->OnPageScroll(&button == &m_btnScrollDown);
        if (!button.IsWindowVisible())
            SetFocus();
        return TRUE;
    }
    return CKtvPBaseTabWnd::OnCommand(wParam, lParam);
}

// --- mouse ------------------------------------------------------------------------------------------

BOOL CKtvPOutlookWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (m_rectSplitter.PtInRect(pt)) {
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZENS));
        return TRUE;
    }
    if (GetTabFromPoint(pt) >= 0) {
        ::SetCursor(globalData.GetHandCursor());
        return TRUE;
    }
    return CKtvPBaseTabWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CKtvPOutlookWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_rectSplitter.PtInRect(point)) {
        m_bTrackSplitter = TRUE;
        SetCapture();
        return;
    }
    CKtvPBaseTabWnd::OnLButtonDown(nFlags, point);
}

void CKtvPOutlookWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTrackSplitter) {
        m_bTrackSplitter = FALSE;
        if (GetCapture() == this)
            ReleaseCapture();
    }
    // The base clears the pressed page before it activates; the slide needs to know a click is activating.
    m_iClickedPage = m_iPressed >= 0 && GetTabFromPoint(point) == m_iPressed ? m_iPressed : -1;
    CKtvPBaseTabWnd::OnLButtonUp(nFlags, point);
    m_iClickedPage = -1;
}

void CKtvPOutlookWnd::OnCancelMode()
{
    CKtvPBaseTabWnd::OnCancelMode();
    if (m_bTrackSplitter) {
        m_bTrackSplitter = FALSE;
        if (GetCapture() == this)
            ReleaseCapture();
    }
}

void CKtvPOutlookWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bTrackSplitter) {
        CKtvPBaseTabWnd::OnMouseMove(nFlags, point);
        return;
    }
    const int h = m_nTabsHeight;
    if (h == 0 || m_nVisiblePageButtons == -1)
        return;
    const int d = (m_rectSplitter.top - point.y) / h;
    if (d == 0)
        return;
    const int nCount = std::max(0, std::min(GetVisibleTabsNum(), m_nVisiblePageButtons + d));
    if (nCount == m_nVisiblePageButtons)
        return;
    m_nVisiblePageButtons = nCount;
    RelayoutForUserChange();
    CPoint pt(point.x, m_rectSplitter.CenterPoint().y);
    ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
}

// --- toolbar commands -------------------------------------------------------------------------------

void CKtvPOutlookWnd::OnToolBarCommand(UINT id)
{
    switch (id) {
    case idShowMoreButtons:
        ShowMoreButtons();
        break;
    case idShowFewerButtons:
        ShowFewerButtons();
        break;
    case idNavigationPaneOptions:
        ShowOptionsDialog();
        break;
    default:
        break;
    }
}

void CKtvPOutlookWnd::OnUpdateToolBarCommand(CCmdUI* pCmdUI)
{
    if (pCmdUI->m_nID == idShowMoreButtons)
        pCmdUI->Enable(CanShowMoreButtons());
    else if (pCmdUI->m_nID == idShowFewerButtons)
        pCmdUI->Enable(CanShowFewerButtons());
}

// --- areas, hit tests and detaching -----------------------------------------------------------------

void CKtvPOutlookWnd::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const
{
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
    for (int i = 0; i < m_iTabsNum; i++) {
        const CRect& rect = TabAt(i)->m_rect;
        if (i == 0) {
            rectTabAreaTop = rect;
        } else if (!rectTabAreaTop.IsRectEmpty() && rect.top == rectTabAreaTop.bottom) {
            rectTabAreaTop.bottom = rect.bottom;
        } else if (!rect.IsRectEmpty()) {
            if (rectTabAreaBottom.IsRectEmpty())
                rectTabAreaBottom = rect;
            else
                rectTabAreaBottom.bottom = rect.bottom;
        }
    }
    if (!rectTabAreaTop.IsRectEmpty())
        ClientToScreen(rectTabAreaTop);
    if (!rectTabAreaBottom.IsRectEmpty())
        ClientToScreen(rectTabAreaBottom);
}

BOOL CKtvPOutlookWnd::IsPtInTabArea(CPoint point) const
{
    CRect rectTop, rectBottom;
    GetTabArea(rectTop, rectBottom);
    return rectTop.PtInRect(point) || rectBottom.PtInRect(point);
}

CWnd* CKtvPOutlookWnd::FindDragTargetWnd(const CPoint& point)
{
    for (int i = 0; i < m_iTabsNum; i++) {
        const CKtvPTabInfo* pTab = TabAt(i);
        if (pTab->m_bVisible && pTab->m_rect.PtInRect(point))
            return nullptr;
    }
    return GetParent();
}

int CKtvPOutlookWnd::GetTabToDetach(int nTabNum) const { return nTabNum == -1 ? m_iPressed : nTabNum; }

BOOL CKtvPOutlookWnd::IsTabDetachable(int iTab) const
{
    return IsNavigationPaneMode() ? FALSE : CKtvPBaseTabWnd::IsTabDetachable(iTab);
}

DROPEFFECT CKtvPOutlookWnd::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CKtvPOutlookWnd::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!CKtvPOutlookButton::IsDraggedOutlookButton(pDataObject))
        return DROPEFFECT_NONE;
    const int iTab = GetTabFromPoint(point);
    if (iTab < 0)
        return DROPEFFECT_NONE;
    SetActiveTab(iTab);
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

// --- pages ------------------------------------------------------------------------------------------

void CKtvPOutlookWnd::AddControl(CWnd* pWndCtrl, LPCTSTR lpszName, int nImageID, BOOL bDetachable)
{
    AddTab(pWndCtrl, lpszName, (UINT)nImageID, TRUE);
    if (!bDetachable || IsNavigationPaneMode())
        return;
    const int iTab = m_iTabsNum - 1;
    if (auto* pWrapper = dynamic_cast<CKtvPDockingCBWrapper*>(GetTabWnd(iTab))) {
        // Dragged out, the page floats in a frame of its own; a bar docked onto it forms an outlook bar.
        pWrapper->SetMiniFrameRTC(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd));
        pWrapper->SetTabbedControlBarRTC(RUNTIME_CLASS(CKtvPOutlookBar));
        pWrapper->SetBarStyle(pWrapper->GetBarStyle() | 0x40);
    }
}

void CKtvPOutlookWnd::SetToolbarImageList(UINT uiID, int cx, COLORREF clrTransp)
{
    CBitmap bmp;
    if (!bmp.LoadBitmap(uiID))
        return;
    BITMAP bmpObj = {};
    bmp.GetBitmap(&bmpObj);
    m_imagesToolBar.DeleteImageList();
    if (!m_imagesToolBar.Create(cx, bmpObj.bmHeight, ILC_COLOR32 | ILC_MASK, 0, 0))
        return;
    m_imagesToolBar.Add(&bmp, clrTransp);
    m_sizeToolBarImage = CSize(cx, bmpObj.bmHeight);
    RecalcLayout();
}

void CKtvPOutlookWnd::SetBorderSize(int nBorderSize)
{
    m_nBorderSize = std::max(0, nBorderSize);
    RecalcLayout();
}

void CKtvPOutlookWnd::SetPageButtonTextAlign(UINT uiAlign, BOOL bRedraw)
{
    m_nPageTextAlign = (int)uiAlign;
    if (bRedraw && GetSafeHwnd() != nullptr)
        RedrawWindow();
}

// --- bottom toolbar ---------------------------------------------------------------------------------

void CKtvPOutlookWnd::RebuildToolBar()
{
    CKtvPOutlookWndToolBar& bar = m_wndToolBar;
    if (bar.GetSafeHwnd() == nullptr || m_nTabsHeight == 0)
        return;
    bar.RemoveAllButtons();
    bar.m_TabButtons.RemoveAll();

    const CSize sizeImage = GetToolBarImageSize();
    bar.SetLockedSizes(CSize(sizeImage.cx + 6, sizeImage.cy + 14), sizeImage);
    bar.m_ImagesLocked.Clear();
    bar.m_ImagesLocked.SetImageSize(sizeImage);

    // The chevron: the bar's own customise button, replaced by one that lists the hidden pages' icons and
    // the page-button commands and sends its commands here.
    bar.EnableCustomizeButton(TRUE, 0, _T(""), FALSE);
    CCustomizeButton* pDefault = bar.m_pCustomizeBtn;
    const POSITION posDefault = pDefault != nullptr ? bar.m_Buttons.Find(pDefault) : nullptr;
    auto* pChevron = new COutlookCustomizeButton;
    if (posDefault != nullptr) {
        pChevron->CopyFrom(*pDefault);
        bar.m_Buttons.SetAt(posDefault, pChevron);
        delete pDefault;
    } else {
        bar.m_Buttons.AddTail(pChevron);
    }
    pChevron->m_pWndParentToolbar = &bar;
    pChevron->m_pWndMessage = this;
    pChevron->m_bOpenRight = TRUE;
    pChevron->m_bMenuRightAlign = FALSE;
    bar.m_pCustomizeBtn = pChevron;

    CImageList* pImages = GetImageList();
    int k = 0;
    for (int i = 0; i < m_iTabsNum; i++) {
        CKtvPTabInfo* pTab = TabAt(i);
        if (!pTab->m_bVisible || !pTab->m_rect.IsRectEmpty())
            continue;
        auto* pButton = new CKtvPToolbarButton;
        pButton->m_nID = idToolbarCommandsFirst + k;
        pButton->m_iImage = k;
        pButton->m_strText = pTab->m_strText;
        pButton->m_bLocked = TRUE;
        if (bar.InsertButton(pButton) < 0) {
            delete pButton;
            continue;
        }
        bar.m_TabButtons.SetAt(k, i);
        HICON hIcon = nullptr;
        if (m_imagesToolBar.GetSafeHandle() != nullptr && m_imagesToolBar.GetImageCount() > 0)
            hIcon = m_imagesToolBar.ExtractIcon(i);
        else if (pTab->m_hIcon != nullptr)
            hIcon = ::CopyIcon(pTab->m_hIcon);
        else if (pImages != nullptr && pTab->m_uiIcon >= 0)
            hIcon = pImages->ExtractIcon(pTab->m_uiIcon);
        bar.m_ImagesLocked.AddIcon(hIcon);
        if (hIcon != nullptr)
            ::DestroyIcon(hIcon);
        k++;
    }
    bar.AdjustLocations();
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// The window paints all of itself in OnPaint.
BOOL CKtvPOutlookWnd::OnEraseBkgnd(CDC*) { return TRUE; }
