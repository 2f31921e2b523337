#include "ui/frames/KtvPVisualManager2003.h"

#include <algorithm>

#include "platform/mfc/CDC.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPStatusBar.h"
#include "ui/controls/KtvPOutlookBarPane.h"
#include "ui/commandbars/KtvPTabbedToolbar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/controls/KtvPButton.h"
#include "ui/controls/KtvPCalculator.h"
#include "ui/controls/KtvPCalendarBar.h"
#include "ui/controls/KtvPCaptionBar.h"
#include "ui/controls/KtvPColorBar.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/controls/KtvPTasksPane.h"
#include "ui/docking/KtvPAutoHideButton.h"
#include "ui/docking/KtvPBaseControlBar.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPGlobalData.h"

IMPLEMENT_DYNCREATE(CKtvPVisualManager2003, CKtvPVisualManagerXP)

namespace {

using DM = CKtvPDrawManager;

COLORREF Scale(COLORREF clr, int nPercent)
{
    return DM::ScaleColor(clr, nPercent);
}

COLORREF Mix(COLORREF clr1, COLORREF clr2, double dblRatio, int k1, int k2)
{
    return DM::SmartMixColors(clr1, clr2, dblRatio, k1, k2);
}

void Gradient(CDC* pDC, const CRect& rect, COLORREF clrFirst, COLORREF clrSecond, BOOL bHorz)
{
    DM dm(*pDC);
    dm.FillGradient(rect, clrFirst, clrSecond, bHorz);
}

BOOL IsBarOnDialog(const CKtvPBaseControlBar* pBar)
{
    return pBar != nullptr && pBar->IsDialogControl();
}

BOOL IsHorizontalBar(const CKtvPBaseControlBar* pBar)
{
    return pBar == nullptr || (pBar->GetCurrentAlignment() & CBRS_ORIENT_HORZ) != 0;
}

}  // namespace

CKtvPVisualManager2003::CKtvPVisualManager2003()
    : CKtvPVisualManagerXP(FALSE),
      m_clrBarGradient1(0),
      m_clrBarGradient2(0),
      m_clrToolBarGradient1(0),
      m_clrToolBarGradient2(0),
      m_clrToolBarGradientVert1(0),
      m_clrToolBarGradientVert2(0),
      m_clrCustomizeButtonGradient1(0),
      m_clrCustomizeButtonGradient2(0),
      m_clrToolBarBottomLine(0),
      m_clrToolBarCorner1(0),
      m_clrToolBarCorner2(0),
      m_clrMenuItemHighlight((COLORREF)-1),
      m_clrHighlightGradient1(0),
      m_clrHighlightGradient2(0),
      m_clrHighlightDnGradient1(0),
      m_clrHighlightDnGradient2(0),
      m_clrHighlightCheckedGradient1(0),
      m_clrHighlightCheckedGradient2(0),
      m_clrToolBarGripper(0),
      m_clrCaptionBarGradient1(0),
      m_clrCaptionBarGradient2(0),
      m_clrTaskPaneGradient1(0),
      m_clrTaskPaneGradient2(0),
      m_clrTaskGroupCaptionGradient1(0),
      m_clrTaskGroupCaptionGradient2(0),
      m_clrTaskGroupSpecialGradient1(0),
      m_clrTaskGroupSpecialGradient2(0),
      m_clrTaskGroupInteriorGradient1(0),
      m_clrTaskGroupInteriorGradient2(0),
      m_clrTaskGroupBorder(0),
      m_bLunaTheme(FALSE)
{
    m_nMenuShadowDepth = 3;
    m_bShadowHotImages = FALSE;
    m_bFadeImages = FALSE;
    m_nTasksMarginY = 8;
    m_nTasksMarginX = 8;
    m_nTasksGroupGapY = 8;
    m_nTasksGroupCaptionHeight = 18;
    m_nTasksGroupCaptionIndentX = 3;
    m_nTasksGroupCaptionIndentY = 3;
    m_nTasksIndentX = 8;
    m_nTasksIconGapX = 5;
    m_nTasksIconGapY = 4;

    // Every colour gets its full-depth value first, so that a manager made at a
    // low colour depth never reads a colour it did not compute.
    ModifyGlobalColors();
    CKtvPVisualManagerXP::OnUpdateSystemColors();
    ComputeGradientColors();
    CKtvPVisualManager2003::OnUpdateSystemColors();
}

CKtvPVisualManager2003::~CKtvPVisualManager2003()
{
    m_penSeparatorLight.DeleteObject();
    m_brBarFace.DeleteObject();
    m_penTaskGroupBorder.DeleteObject();
}

BOOL CKtvPVisualManager2003::IsLowColor() const
{
    return globalData.m_nBitsPerPixel <= 8;
}

COLORREF CKtvPVisualManager2003::ThemedSysColor(int nIndex) const
{
    if (m_winXPTheme.m_hThemeWindow != nullptr && m_winXPTheme.m_pfGetThemeSysColor != nullptr)
        return m_winXPTheme.m_pfGetThemeSysColor(m_winXPTheme.m_hThemeWindow, nIndex);
    return ::GetSysColor(nIndex);
}

void CKtvPVisualManager2003::ModifyGlobalColors()
{
    // Without the standard visual style the bars take the button colours of
    // the button theme (the system's when no theme is open).
    auto buttonColor = [this](int nIndex) {
        if (m_winXPTheme.m_hThemeButton != nullptr && m_winXPTheme.m_pfGetThemeSysColor != nullptr)
            return m_winXPTheme.m_pfGetThemeSysColor(m_winXPTheme.m_hThemeButton, nIndex);
        return ::GetSysColor(nIndex);
    };
    globalData.clrBarFace = buttonColor(COLOR_BTNFACE);
    globalData.clrBarShadow = buttonColor(COLOR_BTNSHADOW);
    globalData.clrBarHilite = buttonColor(COLOR_BTNHIGHLIGHT);
    globalData.clrBarDkShadow = buttonColor(COLOR_3DDKSHADOW);
    globalData.clrBarLight = buttonColor(COLOR_3DLIGHT);
    globalData.brBarFace.DeleteObject();
    globalData.brBarFace.CreateSolidBrush(globalData.clrBarFace);
}

void CKtvPVisualManager2003::ComputeGradientColors()
{
    const COLORREF c = globalData.clrBarFace;
    m_clrToolBarGradient1 = Mix(c, ThemedSysColor(COLOR_BTNFACE), 0.93, 2, 1);
    m_clrBarGradient1 = Mix(c, ThemedSysColor(COLOR_3DLIGHT), 0.99, 2, 1);
    const COLORREF d = Mix(c, ThemedSysColor(COLOR_WINDOW), 1.03, 1, 1);
    m_clrToolBarGradient2 = d;
    m_clrBarGradient2 = d;
    m_clrToolBarGradientVert1 = m_clrToolBarGradient2;
    m_clrToolBarGradientVert2 = Scale(m_clrToolBarGradient1, 98);

    m_clrMenuItemHighlight = (COLORREF)-1;
    m_clrHighlightGradient1 = m_clrHighlight;
    m_clrHighlightGradient2 = m_clrHighlightDn;
    m_clrHighlightDnGradient1 = Scale(m_clrHighlight, 120);
    m_clrCustomizeButtonGradient1 = globalData.clrBarShadow;
    m_clrCustomizeButtonGradient2 = Scale(globalData.clrBarShadow, 125);
    m_clrToolBarBottomLine = m_clrToolBarGradient1;
    m_clrToolBarCorner2 = m_clrToolBarGradient1;
    m_clrToolBarCorner1 = globalData.clrBarLight;
    m_clrToolBarGripper = globalData.clrBarShadow;
    const COLORREF clrSeparator = globalData.clrBarShadow;
    m_clrCaptionBarGradient1 = globalData.clrBarShadow;
    m_clrCaptionBarGradient2 = globalData.clrBarDkShadow;

    m_clrHighlightDnGradient2 = m_clrHighlightGradient2;
    m_clrHighlightCheckedGradient1 = m_clrHighlightGradient2;
    m_clrHighlightCheckedGradient2 = Scale(m_clrHighlightDnGradient1, 120);
    m_brTabBack.DeleteObject();
    m_brTabBack.CreateSolidBrush(m_clrToolBarGradient2);
    m_penSeparatorLight.DeleteObject();
    m_penSeparatorLight.CreatePen(PS_SOLID, 1, globalData.clrBarHilite);
    m_brBarFace.DeleteObject();
    m_brBarFace.CreateSolidBrush(globalData.clrBarFace);
    m_penSeparator.DeleteObject();
    m_penSeparator.CreatePen(PS_SOLID, 1, clrSeparator);
    m_clrMenuShadowBase = globalData.clrBarFace;

    m_clrTaskPaneGradient1 = m_clrBarGradient1;
    m_clrTaskGroupCaptionGradient1 = m_clrBarGradient1;
    m_clrTaskPaneGradient2 = m_clrToolBarGradient2;
    m_clrTaskGroupCaptionGradient2 = m_clrToolBarGradient2;
    m_clrTaskGroupSpecialGradient1 = Mix(m_clrCustomizeButtonGradient1, m_clrCustomizeButtonGradient2, 1, 1, 1);
    m_clrTaskGroupSpecialGradient2 = m_clrCustomizeButtonGradient2;
    m_clrTaskGroupInteriorGradient1 = m_clrToolBarGradient2;
    m_clrTaskGroupInteriorGradient2 = m_clrToolBarGradient2;
    m_clrTaskGroupBorder = m_clrToolBarGradient2;
    m_penTaskGroupBorder.DeleteObject();
    m_penTaskGroupBorder.CreatePen(PS_SOLID, 1, m_clrTaskGroupBorder);
}

void CKtvPVisualManager2003::OnUpdateSystemColors()
{
    m_winXPTheme.UpdateSystemColors();
    m_bLunaTheme = FALSE;
    m_strThemeColorName.Empty();
    ModifyGlobalColors();
    CKtvPVisualManagerXP::OnUpdateSystemColors();
    if (!IsLowColor()) {
        ComputeGradientColors();
        return;
    }
    // Few colours: only what the operations still draw the 2003 way; the
    // other colours keep their last full-depth values.
    m_clrTaskPaneGradient1 = m_clrTaskPaneGradient2 = globalData.clrWindow;
    m_clrTaskGroupCaptionGradient1 = m_clrTaskGroupCaptionGradient2 = globalData.clrBarFace;
    m_clrTaskGroupSpecialGradient1 = m_clrTaskGroupSpecialGradient2 = globalData.clrBarFace;
    m_clrTaskGroupInteriorGradient1 = m_clrTaskGroupInteriorGradient2 = globalData.clrWindow;
    m_clrTaskGroupBorder = globalData.clrBtnShadow;
    m_clrToolBarGradient2 = m_clrBarGradient2 = globalData.clrBarLight;
    m_penTaskGroupBorder.DeleteObject();
    m_penTaskGroupBorder.CreatePen(PS_SOLID, 1, m_clrTaskGroupBorder);
}

BOOL CKtvPVisualManager2003::IsWinXPThemeAvailable() const
{
    return m_winXPTheme.m_hThemeWindow != nullptr;
}

BOOL CKtvPVisualManager2003::DrawPushButtonWinXP(CDC* pDC, CRect rect, CKtvPButton* pButton, UINT uiState)
{
    return m_winXPTheme.DrawPushButton(pDC, rect, pButton, uiState);
}

BOOL CKtvPVisualManager2003::DrawComboDropButtonWinXP(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                      BOOL bIsHighlighted)
{
    return m_winXPTheme.DrawComboDropButton(pDC, rect, bDisabled, bIsDropped, bIsHighlighted);
}

BOOL CKtvPVisualManager2003::DrawComboBorderWinXP(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                  BOOL bIsHighlighted)
{
    return m_winXPTheme.DrawComboBorder(pDC, rect, bDisabled, bIsDropped, bIsHighlighted);
}

void CKtvPVisualManager2003::OnDrawStatusBarProgress(CDC* pDC, CKtvPStatusBar* pStatusBar, CRect rectProgress,
                                                     int nProgressTotal, int nProgressCurr, COLORREF clrBar,
                                                     COLORREF clrProgressBarDest, COLORREF clrProgressText,
                                                     BOOL bProgressText)
{
    if (m_winXPTheme.DrawStatusBarProgress(pDC, pStatusBar, rectProgress, nProgressTotal, nProgressCurr, clrBar,
                                           clrProgressBarDest, clrProgressText, bProgressText))
        return;
    CKtvPVisualManager::OnDrawStatusBarProgress(pDC, pStatusBar, rectProgress, nProgressTotal, nProgressCurr,
                                                clrBar, clrProgressBarDest, clrProgressText, bProgressText);
}

int CKtvPVisualManager2003::GetToolBarCustomizeButtonMargin() const
{
    return 1;
}

BOOL CKtvPVisualManager2003::IsOffsetPressedButton() const
{
    return FALSE;
}

BOOL CKtvPVisualManager2003::IsHighlightOneNoteTabs() const
{
    return TRUE;
}

// --- bars ----------------------------------------------------------------------------------------

void CKtvPVisualManager2003::OnFillBarBackground(CDC* pDC, CKtvPBaseControlBar* pBar, CRect rectClient,
                                                 CRect rectClip, BOOL bNCArea)
{
    if (rectClip.IsRectEmpty())
        rectClip = rectClient;
    if (dynamic_cast<CKtvPReBar*>(pBar) != nullptr ||
        (pBar != nullptr && dynamic_cast<CKtvPReBar*>(pBar->GetParent()) != nullptr)) {
        pDC->FillRect(rectClip, &globalData.brBtnFace);
        return;
    }
    // An outlook pane with a picture of its own shows it here too, as in the XP look.
    const CKtvPOutlookBarPane* pPane = dynamic_cast<CKtvPOutlookBarPane*>(pBar);
    if (IsLowColor() || IsBarOnDialog(pBar) || dynamic_cast<CKtvPColorBar*>(pBar) != nullptr ||
        dynamic_cast<CKtvPCalculator*>(pBar) != nullptr || dynamic_cast<CKtvPCalendarBar*>(pBar) != nullptr ||
        (pPane != nullptr && pPane->IsBackgroundTexture())) {
        CKtvPVisualManagerXP::OnFillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
        return;
    }
    if (dynamic_cast<CKtvPStatusBar*>(pBar) != nullptr) {
        pDC->FillRect(rectClip, &globalData.brBtnFace);
        return;
    }
    if (dynamic_cast<CKtvPCaptionBar*>(pBar) != nullptr) {
        Gradient(pDC, rectClient, m_clrCaptionBarGradient2, m_clrCaptionBarGradient1, TRUE);
        return;
    }
    if (dynamic_cast<CKtvPPopupMenuBar*>(pBar) != nullptr) {
        pDC->FillRect(rectClip, &m_brMenuLight);
        CRect rectColumn = rectClient;
        rectColumn.right = rectColumn.left + MenuImageColumnWidth(pBar);
        rectColumn.DeflateRect(0, 1);
        Gradient(pDC, rectColumn, m_clrToolBarGradient2, m_clrToolBarGradient1, FALSE);
        return;
    }

    CKtvPToolBar* pToolBar = dynamic_cast<CKtvPToolBar*>(pBar);
    const BOOL bPlainToolBar = pToolBar != nullptr && dynamic_cast<CKtvPMenuBar*>(pBar) == nullptr;
    const BOOL bHorz = IsHorizontalBar(pBar);
    if (!bPlainToolBar) {
        // Other bars share one gradient across the monitor's work area, so
        // neighbouring bars line up.
        CRect rectFill = rectClient;
        CPoint ptCorner(rectClient.right, rectClient.top);
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
            pBar->ClientToScreen(&ptCorner);
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        CRect rectWork;
        if (::GetMonitorInfo(::MonitorFromPoint(ptCorner, MONITOR_DEFAULTTONEAREST), &mi))
            rectWork = mi.rcWork;
        else
            ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
        CPoint ptWorkRight(rectWork.right, rectWork.top);
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
            pBar->ScreenToClient(&ptWorkRight);
        rectFill.right = std::max<int>(rectFill.right, ptWorkRight.x);
        Gradient(pDC, rectFill, m_clrBarGradient1, m_clrBarGradient2, FALSE);
        return;
    }

    const COLORREF clr1 = bHorz ? m_clrToolBarGradient1 : m_clrToolBarGradientVert1;
    const COLORREF clr2 = bHorz ? m_clrToolBarGradient2 : m_clrToolBarGradientVert2;
    const BOOL bDockedPass = bNCArea && !pBar->IsFloating();
    if (!bDockedPass) {
        Gradient(pDC, rectClient, clr1, clr2, bHorz);
        return;
    }

    // The dock bar behind the toolbar shows at its rounded corners.
    if (CKtvPBaseControlBar* pParent = dynamic_cast<CKtvPBaseControlBar*>(pBar->GetParent())) {
        CRect rectParent;
        pParent->GetClientRect(rectParent);
        CRect rectBar;
        pBar->GetWindowRect(rectBar);
        pParent->ScreenToClient(rectBar);
        const CPoint ptOld = pDC->OffsetViewportOrg(-rectBar.left, -rectBar.top);
        OnFillBarBackground(pDC, pParent, rectParent, rectParent, FALSE);
        pDC->SetViewportOrg(ptOld);
    }
    CRect rectBand = rectClient;
    rectBand.DeflateRect(1, 0);
    Gradient(pDC, rectBand, clr1, clr2, bHorz);
    Gradient(pDC, CRect(rectClient.left, rectClient.top + 1, rectClient.left + 1, rectClient.bottom), clr1, clr2,
             bHorz);
    Gradient(pDC, CRect(rectClient.right - 1, rectClient.top, rectClient.right, rectClient.bottom), clr1, clr2,
             bHorz);

    const CRect& r = rectClient;
    CPen penLine(PS_SOLID, 1, m_clrToolBarBottomLine);
    CPen* pOldPen = pDC->SelectObject(&penLine);
    if (bHorz) {
        pDC->MoveTo(r.left + 2, r.bottom - 1);
        pDC->LineTo(r.right - 1, r.bottom - 1);
        Gradient(pDC, CRect(r.right - 1, r.top + 1, r.right, r.bottom - 1), m_clrToolBarBottomLine,
                 m_clrToolBarGradient1, TRUE);
    } else {
        pDC->MoveTo(r.right - 1, r.top + 2);
        pDC->LineTo(r.right - 1, r.bottom - 1);
    }
    pDC->SelectObject(pOldPen);
    pDC->SetPixel(r.left + 1, r.top, m_clrToolBarCorner1);
    pDC->SetPixel(r.left, r.top + 1, m_clrToolBarCorner1);
    pDC->SetPixel(r.right - 2, r.top, m_clrToolBarCorner1);
    pDC->SetPixel(r.right - 1, r.top + 1, m_clrToolBarCorner1);
    pDC->SetPixel(r.left + 1, r.bottom - 2, m_clrToolBarCorner2);
    pDC->SetPixel(r.right - 2, r.bottom - 2, m_clrToolBarCorner2);

    DrawToolBarCustomizeButton(pDC, pToolBar, rectClient, bHorz);
}

void CKtvPVisualManager2003::DrawToolBarCustomizeButton(CDC* pDC, CKtvPToolBar* pToolBar, const CRect& rectClient,
                                                        BOOL bHorz)
{
    const int nCount = pToolBar->GetCount();
    if (nCount <= 0)
        return;
    CCustomizeButton* pButton = dynamic_cast<CCustomizeButton*>(pToolBar->GetButton(nCount - 1));
    if (pButton == nullptr || pButton->m_rect.IsRectEmpty() || !pButton->m_bExtraValid)
        return;
    // The button reaches the toolbar window's outer edge.
    CRect rectWindow;
    pToolBar->GetWindowRect(rectWindow);
    CRect rectButton = pButton->m_rect;
    pToolBar->ClientToScreen(rectButton);
    CRect rect;
    if (bHorz) {
        rect.SetRect(rectClient.right - rectButton.Width() - (rectWindow.right - rectButton.right), rectClient.top,
                     rectClient.right, rectClient.bottom);
        pButton->m_sizeExtra = CSize(0, rectWindow.bottom - rectButton.bottom);
    } else {
        rect.SetRect(rectClient.left, rectClient.bottom - rectButton.Height() - (rectWindow.bottom - rectButton.bottom),
                     rectClient.right, rectClient.bottom);
        pButton->m_sizeExtra = CSize(rectWindow.right - rectButton.right, 0);
    }
    ButtonState state = ButtonsIsRegular;
    if (pToolBar->GetHighlightedButton() == pButton || pButton->IsDroppedDown())
        state = ButtonsIsHighlighted;
    else if (pButton->m_nStyle & (TBBS_CHECKED | TBBS_PRESSED))
        state = ButtonsIsPressed;
    OnDrawCustomizeButton(pDC, rect, bHorz, state, pButton->m_iCustomizeCmdId > 0,
                          !pButton->m_lstHiddenButtons.IsEmpty());
}

void CKtvPVisualManager2003::OnDrawCustomizeButton(CDC* pDC, CRect rect, BOOL bHorz, ButtonState state,
                                                   BOOL bDrawCustomizeArrow, BOOL bDrawMoreButtons)
{
    const BOOL bNormal = state == ButtonsIsRegular;
    const COLORREF c1 = bNormal ? m_clrCustomizeButtonGradient2 : m_clrHighlightGradient1;
    const COLORREF c2 = bNormal ? m_clrCustomizeButtonGradient1 : m_clrHighlightGradient2;
    const COLORREF k = Scale(c1, 90);
    CPen pen1(PS_SOLID, 1, c1);
    CPen pen2(PS_SOLID, 1, c2);
    CPen* pOldPen = pDC->SelectObject(&pen1);
    for (int i = 0; i < 2; i++) {
        if (bHorz) {
            pDC->SelectObject(&pen1);
            pDC->MoveTo(rect.left + i, rect.top + i);
            pDC->LineTo(rect.right + i - 2, rect.top + i);
            pDC->SetPixel(rect.left + i, rect.top + i, k);
            pDC->SetPixel(rect.right + i - 2, rect.top + i, k);
            const int y = rect.bottom - i - 1;
            pDC->SelectObject(&pen2);
            pDC->MoveTo(rect.left + i, y);
            pDC->LineTo(rect.right + i - 2, y);
            pDC->SetPixel(rect.left + i, y, c1);
            pDC->SetPixel(rect.right + i - 2, y, c1);
        } else {
            pDC->SelectObject(&pen2);
            pDC->MoveTo(rect.left + i, rect.top + i);
            pDC->LineTo(rect.left + i, rect.bottom + i - 2);
            pDC->SetPixel(rect.left + i, rect.top + i, c1);
            pDC->SetPixel(rect.left + i, rect.bottom + i - 2, c1);
            const int x = rect.right - i - 1;
            pDC->SelectObject(&pen1);
            pDC->MoveTo(x, rect.top + i);
            pDC->LineTo(x, rect.bottom + i - 2);
            pDC->SetPixel(x, rect.top + i, k);
            pDC->SetPixel(x, rect.bottom + i - 2, c1);
        }
    }
    pDC->SelectObject(pOldPen);

    CRect rectInside = rect;
    if (bHorz) {
        rectInside.DeflateRect(0, 2);
        rectInside.left += 2;
    } else {
        rectInside.DeflateRect(2, 0);
        rectInside.top += 2;
    }
    Gradient(pDC, rectInside, c2, c1, bHorz);

    const int m = GetToolBarCustomizeButtonMargin();
    const CSize sizeGlyph = CKtvPMenuImages::Size();
    if (bDrawCustomizeArrow) {
        CRect rectArrow = rectInside;
        if (bHorz)
            rectArrow.top = rectArrow.bottom - (2 * m + sizeGlyph.cy);
        else
            rectArrow.left = rectArrow.right - (2 * m + sizeGlyph.cx);
        const int nGlyph = bHorz ? CKtvPMenuImages::IdCustomizeArowDown : CKtvPMenuImages::IdCustomizeArowLeft;
        const CPoint pt = CenteredGlyph(rectArrow, nGlyph);
        CKtvPMenuImages::Draw(pDC, nGlyph, pt + CPoint(1, 1), CKtvPMenuImages::ImageWhite);
        CKtvPMenuImages::Draw(pDC, nGlyph, pt, CKtvPMenuImages::ImageBlack);
    }
    if (bDrawMoreButtons) {
        CRect rectMore = rectInside;
        if (bHorz)
            rectMore.bottom = rectMore.top + 2 * m + sizeGlyph.cy;
        else
            rectMore.right = rectMore.left + 2 * m + sizeGlyph.cx;
        const int nGlyph =
            bHorz ? CKtvPMenuImages::IdCustomizeMoreButtonsHorz : CKtvPMenuImages::IdCustomizeMoreButtonsVert;
        const CPoint pt = CenteredGlyph(rectMore, nGlyph);
        CKtvPMenuImages::Draw(pDC, nGlyph, pt + CPoint(1, 1), CKtvPMenuImages::ImageWhite);
        CKtvPMenuImages::Draw(pDC, nGlyph, pt + CPoint(1, 0), CKtvPMenuImages::ImageBlack);
    }
}

void CKtvPVisualManager2003::OnDrawBarBorder(CDC* pDC, CKtvPBaseControlBar* pBar, CRect& rect)
{
    if (IsBarOnDialog(pBar)) {
        CKtvPVisualManager::OnDrawBarBorder(pDC, pBar, rect);
        return;
    }
    if (IsLowColor())
        CKtvPVisualManagerXP::OnDrawBarBorder(pDC, pBar, rect);
}

void CKtvPVisualManager2003::OnDrawMenuBorder(CDC* pDC, CKtvPPopupMenu* pMenu, CRect rect)
{
    // A menu hanging from a toolbar's customise button is not joined to it.
    const BOOL bFromCustomize =
        pMenu != nullptr && dynamic_cast<CCustomizeButton*>(pMenu->m_pParentButton) != nullptr;
    const BOOL bJoin = m_bJoinMenuBorder;
    if (bFromCustomize)
        m_bJoinMenuBorder = FALSE;
    CKtvPVisualManagerXP::OnDrawMenuBorder(pDC, pMenu, rect);
    m_bJoinMenuBorder = bJoin;
}

int CKtvPVisualManager2003::ToolBarBandInset(CKtvPBaseControlBar* pBar, BOOL bHorz)
{
    const CKtvPToolBar* pToolBar = dynamic_cast<CKtvPToolBar*>(pBar);
    if (pToolBar == nullptr)
        return 0;
    CSize sizeButton = pToolBar->m_bLocked ? pToolBar->m_sizeCurButtonLocked : CKtvPToolBar::m_sizeCurButton;
    const CSize sizeImage = pToolBar->m_bLocked ? pToolBar->m_sizeCurImageLocked : CKtvPToolBar::m_sizeCurImage;
    if (pToolBar->IsButtonExtraSizeAvailable())
        sizeButton += CKtvPVisualManager::GetInstance()->GetButtonExtraBorder();
    const int nHalf = bHorz ? (sizeButton.cy - sizeImage.cy) / 2 : (sizeButton.cx - sizeImage.cx) / 2;
    return std::max(0, nHalf);
}

void CKtvPVisualManager2003::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CKtvPBaseControlBar* pBar)
{
    if (IsBarOnDialog(pBar) || IsLowColor()) {
        CKtvPVisualManagerXP::OnDrawBarGripper(pDC, rectGripper, bHorz, pBar);
        return;
    }
    CRect rectBand = rectGripper;
    const int nInset = ToolBarBandInset(pBar, bHorz);
    if (bHorz) {
        rectBand.left = rectBand.right - 4;
        rectBand.DeflateRect(0, nInset);
    } else {
        rectBand.top = rectBand.bottom - 4;
        rectBand.DeflateRect(nInset, 0);
    }
    const int nLength = bHorz ? rectBand.Height() : rectBand.Width();
    const int nDots = (nLength - 4) / 4;
    if (nDots <= 0)
        return;
    const int nFirst = ((nLength - 4) % 4 + 4) / 2;
    for (int i = 0; i < nDots; i++) {
        const int nAlong = nFirst + 4 * i;
        const CPoint pt = bHorz ? CPoint(rectBand.left, rectBand.top + nAlong) : CPoint(rectBand.left + nAlong, rectBand.top);
        pDC->FillSolidRect(pt.x + 1, pt.y + 1, 2, 2, globalData.clrBtnHilite);
        pDC->FillSolidRect(pt.x, pt.y, 2, 2, m_clrToolBarGripper);
    }
}

void CKtvPVisualManager2003::OnDrawSeparator(CDC* pDC, CKtvPBaseControlBar* pBar, CRect rect, BOOL bIsHoriz)
{
    if (IsBarOnDialog(pBar) || dynamic_cast<CKtvPPopupMenuBar*>(pBar) != nullptr ||
        dynamic_cast<CKtvPToolBar*>(pBar) == nullptr || IsLowColor()) {
        CKtvPVisualManagerXP::OnDrawSeparator(pDC, pBar, rect, bIsHoriz);
        return;
    }
    const int nInset = ToolBarBandInset(pBar, bIsHoriz);
    CPen* pOldPen = pDC->SelectObject(&m_penSeparator);
    if (bIsHoriz) {
        rect.DeflateRect(0, nInset);
        const int x = (rect.left + rect.right) / 2 - 1;
        pDC->MoveTo(x, rect.top);
        pDC->LineTo(x, rect.bottom - 1);
        pDC->SelectObject(&m_penSeparatorLight);
        pDC->MoveTo(x + 1, rect.top + 1);
        pDC->LineTo(x + 1, rect.bottom);
    } else {
        rect.DeflateRect(nInset, 0);
        const int y = (rect.top + rect.bottom) / 2 - 1;
        pDC->MoveTo(rect.left, y);
        pDC->LineTo(rect.right - 1, y);
        pDC->SelectObject(&m_penSeparatorLight);
        pDC->MoveTo(rect.left + 1, y + 1);
        pDC->LineTo(rect.right, y + 1);
    }
    pDC->SelectObject(pOldPen);
}

COLORREF CKtvPVisualManager2003::OnDrawDockingBarCaption(CDC* pDC, CKtvPDockingControlBar* pBar, BOOL bActive,
                                                         CRect rectCaption, CRect rectButtons)
{
    if (IsLowColor())
        return CKtvPVisualManagerXP::OnDrawDockingBarCaption(pDC, pBar, bActive, rectCaption, rectButtons);
    if (bActive)
        Gradient(pDC, rectCaption, m_clrHighlightGradient2, m_clrHighlightGradient1, TRUE);
    else
        Gradient(pDC, rectCaption, m_clrToolBarGradient1, m_clrToolBarGradient2, TRUE);
    return globalData.clrBarText;
}

// --- buttons and controls ---------------------------------------------------------------------------

void CKtvPVisualManager2003::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                   BOOL bIsHighlighted, CKtvPToolbarComboBoxButton* pButton)
{
    if (IsLowColor()) {
        CKtvPVisualManagerXP::OnDrawComboDropButton(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
        return;
    }
    if (bIsDropped || bIsHighlighted) {
        OnFillHighlightedArea(pDC, rect, bIsDropped ? &m_brHighlightDn : &m_brHighlight, nullptr);
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), m_clrMenuItemBorder);
    } else {
        Gradient(pDC, rect, m_clrToolBarGradient1, m_clrToolBarGradient2, TRUE);
        FrameIn(pDC, rect, globalData.clrWindow);
    }
    const int nState = bDisabled                      ? CKtvPMenuImages::ImageGray
                       : bIsDropped && bIsHighlighted ? CKtvPMenuImages::ImageWhite
                                                      : CKtvPMenuImages::ImageBlack;
    CKtvPMenuImages::Draw(pDC, CKtvPMenuImages::IdArowDown,
                          CenteredGlyph(rect, CKtvPMenuImages::IdArowDown) + CPoint(1, 1), nState);
}

void CKtvPVisualManager2003::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                               BOOL bIsHighlighted, CKtvPToolbarComboBoxButton* pButton)
{
    if (IsLowColor()) {
        CKtvPVisualManagerXP::OnDrawComboBorder(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
        return;
    }
    if (!bIsDropped && !bIsHighlighted && !bDisabled)
        return;
    rect.DeflateRect(1, 1);
    FrameIn(pDC, rect, bDisabled ? globalData.clrBtnShadow : m_clrMenuItemBorder);
}

void CKtvPVisualManager2003::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive)
{
    if (IsLowColor()) {
        CKtvPVisualManagerXP::OnDrawTearOffCaption(pDC, rect, bIsActive);
        return;
    }
    pDC->FillRect(rect, &m_brMenuLight);
    rect.DeflateRect(1, 1);
    if (bIsActive)
        OnFillHighlightedArea(pDC, rect, &m_brHighlight, nullptr);
    else
        pDC->FillRect(rect, &m_brBarFace);
    OnDrawBarGripper(pDC, rect, FALSE, nullptr);
    if (bIsActive)
        FrameIn(pDC, rect, m_clrMenuBorder);
}

void CKtvPVisualManager2003::OnFillButtonInterior(CDC* pDC, CKtvPToolbarButton* pButton, CRect rect,
                                                  ButtonState state)
{
    CCustomizeButton* pCustomize = dynamic_cast<CCustomizeButton*>(pButton);
    if (IsLowColor() || pCustomize == nullptr || !pCustomize->m_bExtraValid) {
        CKtvPVisualManagerXP::OnFillButtonInterior(pDC, pButton, rect, state);
        return;
    }
    // Without a parent toolbar the button is drawn as on a horizontal bar.
    CKtvPToolBar* pToolBar = pCustomize->m_pWndParentToolbar;
    const BOOL bHorz = pToolBar == nullptr || IsHorizontalBar(pToolBar);
    if (pToolBar != nullptr && pToolBar->GetSafeHwnd() != nullptr) {
        CRect rectClient;
        pToolBar->GetClientRect(rectClient);
        if (bHorz)
            rect.right = rectClient.right;
        else
            rect.bottom = rectClient.bottom;
    }
    rect.InflateRect(pCustomize->m_sizeExtra.cx, pCustomize->m_sizeExtra.cy);
    OnDrawCustomizeButton(pDC, rect, bHorz, state, pCustomize->m_iCustomizeCmdId > 0,
                          !pCustomize->m_lstHiddenButtons.IsEmpty());
    pCustomize->m_bDrawn = FALSE;
}

void CKtvPVisualManager2003::OnDrawButtonBorder(CDC* pDC, CKtvPToolbarButton* pButton, CRect rect,
                                                ButtonState state)
{
    const CCustomizeButton* pCustomize = dynamic_cast<CCustomizeButton*>(pButton);
    if (!IsLowColor() && pCustomize != nullptr && pCustomize->m_bExtraValid)
        return;
    CKtvPVisualManagerXP::OnDrawButtonBorder(pDC, pButton, rect, state);
}

void CKtvPVisualManager2003::OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush,
                                                   CKtvPToolbarButton* pButton)
{
    if (!m_bLunaTheme || IsLowColor()) {
        pDC->FillRect(rect, pBrush);
        return;
    }
    const BOOL bHorz = pButton != nullptr ? pButton->m_bHorz : TRUE;
    const BOOL bMenuItem = pButton != nullptr && IsPopupMenuItem(pButton);
    if (bMenuItem && pBrush == &m_brHighlight && m_clrMenuItemHighlight != (COLORREF)-1) {
        pDC->FillSolidRect(rect, m_clrMenuItemHighlight);
        return;
    }
    COLORREF clr1 = (COLORREF)-1;
    COLORREF clr2 = (COLORREF)-1;
    const CKtvPToolbarMenuButton* pMenuButton = dynamic_cast<CKtvPToolbarMenuButton*>(pButton);
    if (pMenuButton != nullptr && !bMenuItem && pMenuButton->IsDroppedDown()) {
        clr1 = m_clrToolBarGradient1;
        clr2 = m_clrToolBarGradient2;
    }
    if (pBrush == &m_brHighlight) {
        clr1 = m_clrHighlightGradient2;
        clr2 = m_clrHighlightGradient1;
    } else if (pBrush == &m_brHighlightDn) {
        clr1 = bMenuItem ? m_clrHighlightDnGradient1 : m_clrHighlightDnGradient2;
        clr2 = m_clrHighlightDnGradient1;
    } else if (pBrush == &m_brHighlightChecked) {
        clr1 = bMenuItem ? m_clrHighlightCheckedGradient1 : m_clrHighlightCheckedGradient2;
        clr2 = m_clrHighlightCheckedGradient1;
    }
    if (clr1 == (COLORREF)-1) {
        pDC->FillRect(rect, pBrush);
        return;
    }
    Gradient(pDC, rect, clr1, clr2, bHorz);
}

void CKtvPVisualManager2003::OnDrawCaptionBarBorder(CDC* pDC, CKtvPCaptionBar*, CRect rect, COLORREF clrBarBorder,
                                                    BOOL bFlatBorder)
{
    pDC->FillSolidRect(rect, clrBarBorder == (COLORREF)-1 ? globalData.clrBarFace : clrBarBorder);
    if (!bFlatBorder)
        pDC->Draw3dRect(rect, m_clrBarGradient2, m_clrToolBarBottomLine);
}

// --- the outlook window ------------------------------------------------------------------------------

void CKtvPVisualManager2003::OnFillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL bIsHighlighted,
                                                     BOOL bIsPressed, COLORREF& clrText)
{
    if (IsLowColor()) {
        CKtvPVisualManagerXP::OnFillOutlookPageButton(pDC, rect, bIsHighlighted, bIsPressed, clrText);
        return;
    }
    if (bIsPressed)
        Gradient(pDC, rect, m_clrHighlightDnGradient2, m_clrHighlightDnGradient1, TRUE);
    else if (bIsHighlighted)
        Gradient(pDC, rect, m_clrHighlightGradient2, m_clrHighlightGradient1, TRUE);
    else
        Gradient(pDC, rect, m_clrBarGradient1, m_clrBarGradient2, TRUE);
    clrText = globalData.clrBtnText;
}

void CKtvPVisualManager2003::OnDrawOutlookPageButtonBorder(CDC* pDC, CRect& rectBtn, BOOL bIsHighlighted,
                                                           BOOL bIsPressed)
{
    if (IsLowColor()) {
        CKtvPVisualManagerXP::OnDrawOutlookPageButtonBorder(pDC, rectBtn, bIsHighlighted, bIsPressed);
        return;
    }
    pDC->Draw3dRect(rectBtn, globalData.clrBtnHilite, m_clrToolBarGripper);
}

void CKtvPVisualManager2003::OnDrawOutlookBarSplitter(CDC* pDC, CRect rectSplitter)
{
    if (IsLowColor()) {
        CKtvPVisualManagerXP::OnDrawOutlookBarSplitter(pDC, rectSplitter);
        return;
    }
    Gradient(pDC, rectSplitter, m_clrCaptionBarGradient2, m_clrCaptionBarGradient1, TRUE);
    const int s = rectSplitter.Height() - 3;
    const int nDot = s / 2;
    if (nDot <= 0)
        return;
    int x = (rectSplitter.left + rectSplitter.right) / 2 - s * 10 / 2;
    for (int i = 0; i < 10; i++, x += s) {
        pDC->FillSolidRect(x + 1, rectSplitter.top + 3, nDot, nDot, globalData.clrBtnHilite);
        pDC->FillSolidRect(x, rectSplitter.top + 2, nDot, nDot, m_clrToolBarGripper);
    }
}

void CKtvPVisualManager2003::OnFillOutlookBarCaption(CDC* pDC, CRect rectCaption, COLORREF& clrText)
{
    if (IsLowColor()) {
        CKtvPVisualManagerXP::OnFillOutlookBarCaption(pDC, rectCaption, clrText);
        return;
    }
    Gradient(pDC, rectCaption, m_clrCaptionBarGradient2, m_clrCaptionBarGradient1, TRUE);
    clrText = globalData.clrBarHilite;
}

// --- tabs ---------------------------------------------------------------------------------------

void CKtvPVisualManager2003::OnEraseTabsArea(CDC* pDC, CRect rect, CKtvPBaseTabWnd* pTabWnd)
{
    if (pTabWnd != nullptr && pTabWnd->m_bIsDlgControl) {
        pDC->FillRect(rect, &globalData.brBtnFace);
        return;
    }
    if (pTabWnd == nullptr || pTabWnd->IsFlatTabs() || IsLowColor()) {
        CKtvPVisualManagerXP::OnEraseTabsArea(pDC, rect, pTabWnd);
        return;
    }
    const BOOL bTop = pTabWnd->GetLocation() == CKtvPBaseTabWnd::LOCATION_TOP;
    if (bTop)
        Gradient(pDC, rect, m_clrToolBarGradient2, m_clrToolBarGradient1, TRUE);
    else
        Gradient(pDC, rect, m_clrToolBarGradient1, m_clrToolBarGradient2, TRUE);
    if (!pTabWnd->IsSlantedTabs())
        return;
    // The active tab's colour runs along the content side of the strip.
    COLORREF clrActive = pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab());
    if (clrActive == (COLORREF)-1)
        clrActive = RGB(255, 255, 255);
    CRect rectBand = rect;
    if (bTop)
        rectBand.top = rectBand.bottom - 2;
    else
        rectBand.bottom = rectBand.top + 2;
    pDC->FillSolidRect(rectBand, clrActive);
}

void CKtvPVisualManager2003::OnEraseTabsButton(CDC* pDC, CRect rect, CKtvPButton* pButton, CKtvPBaseTabWnd* pWndTab)
{
    if (pWndTab != nullptr && pWndTab->m_bIsDlgControl) {
        pDC->FillRect(rect, &globalData.brBtnFace);
        return;
    }
    if (pWndTab == nullptr || pWndTab->IsFlatTabs() || IsLowColor()) {
        CKtvPVisualManagerXP::OnEraseTabsButton(pDC, rect, pButton, pWndTab);
        return;
    }
    CKtvPTabWnd* pTabWnd = dynamic_cast<CKtvPTabWnd*>(pWndTab);
    if (pTabWnd == nullptr || !pTabWnd->IsSlantedTabs()) {
        OnEraseTabsArea(pDC, rect, pWndTab);
        return;
    }
    if (pButton != nullptr && pButton->IsHighlighted()) {
        if (pButton->IsPushed())
            Gradient(pDC, rect, m_clrHighlightDnGradient2, m_clrHighlightDnGradient1, TRUE);
        else
            Gradient(pDC, rect, m_clrHighlightGradient2, m_clrHighlightGradient1, TRUE);
        return;
    }
    // Transparent: the strip behind the button, in the button's coordinates.
    if (pButton == nullptr || pButton->GetSafeHwnd() == nullptr) {
        OnEraseTabsArea(pDC, rect, pWndTab);
        return;
    }
    CRect rectTabs;
    pTabWnd->GetClientRect(rectTabs);
    CRect rectTabArea;
    pTabWnd->GetTabsRect(rectTabArea);
    if (pTabWnd->GetLocation() == CKtvPBaseTabWnd::LOCATION_TOP)
        rectTabs.bottom = rectTabArea.bottom;
    else
        rectTabs.top = rectTabArea.top;
    pTabWnd->MapWindowPoints(pButton, rectTabs);
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rect);
    OnEraseTabsArea(pDC, rectTabs, pWndTab);
    pDC->RestoreDC(nSaved);
}

void CKtvPVisualManager2003::GetTabFrameColors(CKtvPBaseTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                               COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                               COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack)
{
    CKtvPVisualManagerXP::GetTabFrameColors(pTabWnd, clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow,
                                            clrLight, pbrFace, pbrBlack);
    if (pTabWnd == nullptr || pTabWnd->IsSlantedTabs() || IsLowColor())
        return;
    if (pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab()) == (COLORREF)-1)
        clrFace = RGB(255, 255, 255);
    clrDark = globalData.clrBarShadow;
    clrBlack = globalData.clrBarDkShadow;
    clrHighlight = globalData.clrBarLight;
    clrDarkShadow = globalData.clrBarShadow;
    clrLight = globalData.clrBarFace;
}

BOOL CKtvPVisualManager2003::OnEraseTabsFrame(CDC* pDC, CRect rect, CKtvPBaseTabWnd* pTabWnd)
{
    if (pTabWnd->IsFlatTabs() || IsLowColor())
        return CKtvPVisualManagerXP::OnEraseTabsFrame(pDC, rect, pTabWnd);
    COLORREF f = pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab());
    if (f == (COLORREF)-1)
        f = pTabWnd->IsSlantedTabs() ? RGB(255, 255, 255) : m_clrBarGradient1;
    const COLORREF g = Scale(f, 130);
    DM dm(*pDC);
    if (pTabWnd->GetLocation() == CKtvPBaseTabWnd::LOCATION_TOP)
        dm.FillGradientAngle(rect, f, g, 45);
    else
        dm.FillGradientAngle(rect, g, f, 45);
    return TRUE;
}

void CKtvPVisualManager2003::OnFillTab(CDC* pDC, CRect rectFill, CBrush* pbrFill, int iTab, BOOL bIsActive,
                                       CKtvPBaseTabWnd* pTabWnd)
{
    if (pTabWnd == nullptr || pTabWnd->IsFlatTabs() || IsLowColor()) {
        CKtvPVisualManagerXP::OnFillTab(pDC, rectFill, pbrFill, iTab, bIsActive, pTabWnd);
        return;
    }
    COLORREF h = pTabWnd->GetTabBkColor(iTab);
    if (h == (COLORREF)-1) {
        if (!bIsActive)
            return;
        h = m_clrBarGradient1;
    }
    if (pTabWnd->GetLocation() == CKtvPBaseTabWnd::LOCATION_TOP)
        Gradient(pDC, rectFill, h, Scale(h, 150), TRUE);
    else
        Gradient(pDC, rectFill, Scale(h, 150), h, TRUE);
}

void CKtvPVisualManager2003::OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CKtvPBaseTabWnd* pTabWnd)
{
    if (!pTabWnd->IsSlantedTabs() || IsLowColor()) {
        CKtvPVisualManagerXP::OnDrawTab(pDC, rectTab, iTab, bIsActive, pTabWnd);
        return;
    }
    DrawOneNoteTab(pDC, rectTab, iTab, bIsActive, pTabWnd);
}

void CKtvPVisualManager2003::DrawOneNoteTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive,
                                            CKtvPBaseTabWnd* pTabWnd)
{
    CRect rectTabs;
    pTabWnd->GetTabsRect(rectTabs);
    if (rectTabs.right < rectTab.left + 10 + ((iTab > 0 && !bIsActive) ? rectTab.Height() : 0) ||
        rectTabs.left >= rectTab.right - 10)
        return;
    const BOOL bTop = pTabWnd->GetLocation() == CKtvPBaseTabWnd::LOCATION_TOP;
    if (!bTop)
        rectTab.OffsetRect(0, -1);
    const CRect& r = rectTab;
    const int h = r.Height();

    POINT pts[8] = {{r.left, r.bottom},         {r.left + 2, r.bottom - 1}, {r.left + 4, r.bottom - 2},
                    {r.left + h, r.top + 2},     {r.left + h + 4, r.top},    {r.right - 2, r.top},
                    {r.right, r.top + 2},        {r.right, r.bottom}};
    BOOL bCut = FALSE;
    for (POINT& pt : pts) {
        if (pt.x > rectTabs.right) {
            pt.x = rectTabs.right;
            bCut = TRUE;
        }
        if (!bTop)
            pt.y = r.top + r.bottom - pt.y;
    }

    const BOOL bHot = pTabWnd->GetHighlightedTab() == iTab;
    COLORREF clrTab = bHot ? m_clrMenuItemHighlight : pTabWnd->GetTabBkColor(iTab);
    if (clrTab == (COLORREF)-1 && !bHot && bIsActive)
        clrTab = RGB(255, 255, 255);
    COLORREF clrFill1 = m_clrToolBarGradient1;
    COLORREF clrFill2 = m_clrToolBarGradient2;
    if (clrTab != (COLORREF)-1) {
        clrFill1 = clrTab;
        clrFill2 = Scale(clrTab, 150);
    }
    if (!bTop)
        std::swap(clrFill1, clrFill2);

    const int nSaved = pDC->SaveDC();
    CRgn rgnTab;
    rgnTab.CreatePolygonRgn(pts, 8, WINDING);
    pDC->SelectClipRgn(&rgnTab);
    Gradient(pDC, CRect(r.left, bTop ? r.top : r.top + 1, r.right, r.bottom), clrFill1, clrFill2, TRUE);
    pDC->SelectClipRgn(nullptr);

    CRect rectClient;
    pTabWnd->GetClientRect(rectClient);
    pDC->ExcludeClipRect(CRect(rectClient.left, rectClient.top, rectTabs.left - 1, rectClient.bottom));
    if (!bIsActive && iTab != 0 && iTab != pTabWnd->GetFirstScrolledTab()) {
        CRect rectFoot(rectTabs.left, rectTabs.top, r.left + h - (bTop ? 10 : 11), rectTabs.bottom);
        if (bTop)
            rectFoot.bottom = r.bottom + 1;
        else
            rectFoot.top = r.top - 2;
        pDC->ExcludeClipRect(rectFoot);
    }
    CPen penOutline(PS_SOLID, 1, globalData.clrBarDkShadow);
    CPen* pOldPen = pDC->SelectObject(&penOutline);
    pDC->Polyline(pts, 8);
    if (bCut) {
        pDC->MoveTo(rectTabs.right, r.top);
        pDC->LineTo(rectTabs.right, r.bottom);
    }
    if (bTop)
        DrawSlantedTabInnerLines(pDC, pts, bIsActive, bCut, TRUE,
                                 bHot ? globalData.clrBarDkShadow : globalData.clrBarHilite);
    pDC->SelectObject(pOldPen);

    if (bIsActive) {
        CRect rectBand = bTop ? CRect(r.left + 2, r.bottom, r.right + 1, r.bottom + 3)
                              : CRect(r.left + 1, r.top - 1, r.right, r.top + 1);
        rectBand.right = std::min<int>(rectBand.right, rectTabs.right);
        pDC->FillSolidRect(rectBand, clrTab == (COLORREF)-1 ? RGB(255, 255, 255) : clrTab);
    }

    CRect rectContent = r;
    if (bTop) {
        rectContent.left = r.left + h;
        rectContent.right = r.right - CKtvPBaseTabWnd::TAB_TEXT_MARGIN;
    } else {
        rectContent.left = r.left + h + 4;
    }
    rectContent.right = std::min<int>(rectContent.right, rectTabs.right - 2);
    const COLORREF clrText = pTabWnd->GetTabTextColor(iTab);
    const BOOL bSetText = !bIsActive && clrText != (COLORREF)-1;
    const COLORREF clrOld = bSetText ? pDC->SetTextColor(clrText) : 0;
    OnDrawTabContent(pDC, rectContent, iTab, bIsActive, pTabWnd, (COLORREF)-1);
    if (bSetText)
        pDC->SetTextColor(clrOld);
    pDC->RestoreDC(nSaved);
    // Tabs drawn after this one stay behind it.
    pDC->ExcludeClipRect(CRect(r.right, rectTabs.top, rectTabs.right, rectTabs.bottom));
}

// --- menus and lists ------------------------------------------------------------------------------

COLORREF CKtvPVisualManager2003::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected)
{
    if (IsLowColor())
        return CKtvPVisualManagerXP::OnFillCommandsListBackground(pDC, rect, bIsSelected);
    if (bIsSelected) {
        rect.left = 0;
        const COLORREF clrFill = m_clrMenuItemHighlight == (COLORREF)-1 ? m_clrHighlight : m_clrMenuItemHighlight;
        pDC->FillSolidRect(rect, clrFill);
        FrameIn(pDC, rect, m_clrMenuItemBorder);
        const BOOL bDark = GetRValue(clrFill) < 129 || GetGValue(clrFill) < 129 || GetBValue(clrFill) < 129;
        return bDark ? RGB(255, 255, 255) : RGB(0, 0, 0);
    }
    pDC->FillRect(rect, &m_brMenuLight);
    CRect rectColumn(rect.left, rect.top, rect.left + CKtvPToolBar::GetMenuImageSize().cx + GetMenuImageMargin() + 2,
                     rect.bottom);
    Gradient(pDC, rectColumn, m_clrToolBarGradient2, m_clrToolBarGradient1, FALSE);
    return globalData.clrBarText;
}

int CKtvPVisualManager2003::GetShowAllMenuItemsHeight(CDC* pDC, const CSize& sizeDefault)
{
    return CKtvPVisualManager::GetShowAllMenuItemsHeight(pDC, sizeDefault) + 4;
}

void CKtvPVisualManager2003::OnDrawShowAllMenuItems(CDC* pDC, CRect rect, ButtonState state)
{
    if (!IsLowColor()) {
        const CPoint ptCenter = rect.CenterPoint();
        DM dm(*pDC);
        dm.DrawGradientRing(CRect(ptCenter.x - 7, ptCenter.y - 7, ptCenter.x + 9, ptCenter.y + 9),
                            m_clrToolBarGradient1, m_clrMenuLight, (COLORREF)-1, 45, 8, (COLORREF)-1);
    }
    CKtvPVisualManagerXP::OnDrawShowAllMenuItems(pDC, rect, state);
}

// --- tasks pane ----------------------------------------------------------------------------------

void CKtvPVisualManager2003::OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea)
{
    if (IsLowColor()) {
        CKtvPVisualManagerXP::OnFillTasksPaneBackground(pDC, rectWorkArea);
        return;
    }
    Gradient(pDC, rectWorkArea, m_clrTaskPaneGradient1, m_clrTaskPaneGradient2, TRUE);
}

void CKtvPVisualManager2003::OnDrawTasksGroupCaption(CDC* pDC, CKtvPTasksGroup* pGroup, BOOL bIsHighlighted,
                                                     BOOL bIsSelected, BOOL bCanCollapse)
{
    if (pGroup == nullptr)
        return;
    const CRect& r = pGroup->m_rect;
    // A rounded top-left corner.
    POINT pts[7] = {{r.left, r.bottom},      {r.left, r.top + 4}, {r.left + 1, r.top + 2}, {r.left + 2, r.top + 1},
                          {r.left + 4, r.top},     {r.right, r.top},    {r.right, r.bottom}};
    const int nSaved = pDC->SaveDC();
    CRgn rgn;
    rgn.CreatePolygonRgn(pts, 7, WINDING);
    pDC->SelectClipRgn(&rgn);
    if (pGroup->m_bIsSpecial)
        Gradient(pDC, r, m_clrTaskGroupSpecialGradient1, m_clrTaskGroupSpecialGradient2, FALSE);
    else
        Gradient(pDC, r, m_clrTaskGroupCaptionGradient2, m_clrTaskGroupCaptionGradient1, FALSE);
    pDC->RestoreDC(nSaved);

    DrawTasksGroupCaptionText(pDC, pGroup, pGroup->m_bIsSpecial ? m_clrTaskGroupBorder : globalData.clrHilite);
    (void)bIsSelected;
    if (!bCanCollapse || pGroup->m_strName.IsEmpty())
        return;
    const CSize sizeGlyph = CKtvPMenuImages::Size();
    const int rr = (r.Height() + 1) / 2;
    const CRect rectBox(CPoint(std::max<int>(r.left, r.right - (sizeGlyph.cx + 1) / 2 - rr),
                               std::max<int>(r.top, r.bottom - (sizeGlyph.cy + 1) / 2 - rr)),
                        sizeGlyph);
    if (rectBox.right > r.right || rectBox.bottom > r.bottom)
        return;
    if (bIsHighlighted)
        pDC->Draw3dRect(rectBox, globalData.clrWindow, globalData.clrBarShadow);
    CKtvPMenuImages::Draw(pDC, pGroup->m_bIsCollapsed ? CKtvPMenuImages::IdArowDown : CKtvPMenuImages::IdArowUp,
                          rectBox.TopLeft(), CKtvPMenuImages::ImageBlack);
}

void CKtvPVisualManager2003::OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial)
{
    if (IsLowColor()) {
        CKtvPVisualManagerXP::OnFillTasksGroupInterior(pDC, rect, bSpecial);
        return;
    }
    if (bSpecial)
        Gradient(pDC, rect, m_clrTaskGroupSpecialGradient1, m_clrTaskGroupSpecialGradient2, TRUE);
    else
        Gradient(pDC, rect, m_clrTaskGroupInteriorGradient2, m_clrTaskGroupInteriorGradient1, TRUE);
}

void CKtvPVisualManager2003::OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL, BOOL)
{
    CPen* pOldPen = pDC->SelectObject(&m_penTaskGroupBorder);
    pDC->MoveTo(rect.left, rect.top);
    pDC->LineTo(rect.right - 1, rect.top);
    pDC->LineTo(rect.right - 1, rect.bottom - 1);
    pDC->LineTo(rect.left, rect.bottom - 1);
    pDC->LineTo(rect.left, rect.top);
    pDC->SelectObject(pOldPen);
}

void CKtvPVisualManager2003::OnDrawTask(CDC* pDC, CKtvPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted, BOOL)
{
    DrawTaskWith(pDC, pTask, pIcons, bIsHighlighted, &m_penSeparator, globalData.clrHilite);
}

void CKtvPVisualManager2003::OnDrawScrollButton(CDC* pDC, CRect rect, int nExtraTop, int nImageID,
                                                BOOL bIsHighlighted)
{
    pDC->FillRect(CRect(rect.left, rect.top - nExtraTop, rect.right, rect.bottom), &globalData.brBarFace);
    if (bIsHighlighted) {
        COLORREF clrFill = m_clrMenuItemHighlight == (COLORREF)-1 ? m_clrHighlight : m_clrMenuItemHighlight;
        if (IsLowColor())
            clrFill = globalData.clrWindow;
        pDC->FillSolidRect(rect, clrFill);
        FrameIn(pDC, rect, m_clrMenuItemBorder);
    } else {
        FrameIn(pDC, rect, globalData.clrBarShadow);
    }
    CKtvPMenuImages::Draw(pDC, nImageID, CenteredGlyph(rect, nImageID), CKtvPMenuImages::ImageBlack);
}

// --- docking, pop-ups and small controls ---------------------------------------------------------------

void CKtvPVisualManager2003::OnFillAutoHideButtonBackground(CDC* pDC, CRect rect, CKtvPAutoHideButton* pButton)
{
    if (IsLowColor() || pButton == nullptr) {
        CKtvPVisualManagerXP::OnFillAutoHideButtonBackground(pDC, rect, pButton);
        return;
    }
    const BOOL bHorz = pButton->IsHorizontal();
    const CKtvPDockingControlBar* pBar = pButton->GetAutoHideWindow();
    if (pBar != nullptr && pBar->IsActiveInGroup())
        Gradient(pDC, rect, m_clrHighlightGradient1, m_clrHighlightGradient2, bHorz);
    else
        Gradient(pDC, rect, m_clrBarGradient2, m_clrBarGradient1, bHorz);
}

void CKtvPVisualManager2003::OnDrawAutoHideButtonBorder(CDC* pDC, CRect rectBounds, CRect rectBorderSize,
                                                        CKtvPAutoHideButton* pButton)
{
    CKtvPVisualManager::OnDrawAutoHideButtonBorder(pDC, rectBounds, rectBorderSize, pButton);
}

BOOL CKtvPVisualManager2003::OnDrawCalculatorButton(CDC* pDC, CRect rect, CKtvPToolbarButton*, ButtonState state,
                                                    int, CKtvPCalculator* pCalculator)
{
    if (state == ButtonsIsPressed) {
        OnFillHighlightedArea(pDC, rect, &m_brHighlightDn, nullptr);
    } else if (state == ButtonsIsHighlighted) {
        OnFillHighlightedArea(pDC, rect, &m_brHighlight, nullptr);
    } else if (IsBarOnDialog(pCalculator)) {
        Gradient(pDC, rect, globalData.clrBtnFace, globalData.clrBtnHilite, TRUE);
        FrameIn(pDC, rect, globalData.clrBtnShadow);
        return TRUE;
    } else {
        Gradient(pDC, rect, m_clrToolBarGradient1, m_clrToolBarGradient2, TRUE);
    }
    FrameIn(pDC, rect, m_clrToolBarGradient1);
    return TRUE;
}

BOOL CKtvPVisualManager2003::OnDrawCalculatorDisplay(CDC* pDC, CRect rect, const CString&, BOOL, CKtvPCalculator*)
{
    pDC->FillRect(rect, &globalData.brWindow);
    FrameIn(pDC, rect, m_clrToolBarGradient1);
    return TRUE;
}

BOOL CKtvPVisualManager2003::OnDrawBrowseButton(CDC* pDC, CRect rect, CKtvPBrowseEdit*, ButtonState state,
                                                COLORREF&)
{
    if (state == ButtonsIsRegular) {
        Gradient(pDC, rect, globalData.clrBtnFace, globalData.clrBtnHilite, TRUE);
        FrameIn(pDC, rect, globalData.clrBarHilite);
        return TRUE;
    }
    OnFillHighlightedArea(pDC, rect, state == ButtonsIsPressed ? &m_brHighlightDn : &m_brHighlight, nullptr);
    FrameIn(pDC, CRect(rect.left, rect.top - 1, rect.right + 1, rect.bottom + 1), m_clrToolBarGradient1);
    return TRUE;
}
