#include "ui/frames/KtvPVisualManagerXP.h"

#include <algorithm>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CImageList.h"
#include "ui/commandbars/KtvPBaseToolBar.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/controls/KtvPButton.h"
#include "ui/controls/KtvPCalculator.h"
#include "ui/controls/KtvPCalendarBar.h"
#include "ui/controls/KtvPColorBar.h"
#include "ui/controls/KtvPOutlookBarPane.h"
#include "ui/controls/KtvPTaskPaneMiniFrameWnd.h"
#include "ui/controls/KtvPTasksPane.h"
#include "ui/docking/KtvPAutoHideDockBar.h"
#include "ui/docking/KtvPBaseControlBar.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPGlobalData.h"

IMPLEMENT_DYNCREATE(CKtvPVisualManagerXP, CKtvPVisualManager)

namespace {

using DM = CKtvPDrawManager;

BOOL HasChannelBelow(COLORREF clr, int nLimit)
{
    return GetRValue(clr) < nLimit || GetGValue(clr) < nLimit || GetBValue(clr) < nLimit;
}

// Each channel of (clr1 + n x clr2) / (n + 1), in integers.
COLORREF WeightedMix(COLORREF clr1, COLORREF clr2, int n)
{
    return RGB((GetRValue(clr1) + n * GetRValue(clr2)) / (n + 1), (GetGValue(clr1) + n * GetGValue(clr2)) / (n + 1),
               (GetBValue(clr1) + n * GetBValue(clr2)) / (n + 1));
}

BOOL IsOnDialog(const CKtvPBaseControlBar* pBar)
{
    return pBar != nullptr && pBar->IsDialogControl();
}

// Bars of a pop-up that keep the menu's light background and no image column.
BOOL IsPopupOwnBar(const CKtvPBaseControlBar* pBar)
{
    return dynamic_cast<const CKtvPColorBar*>(pBar) != nullptr ||
           dynamic_cast<const CKtvPCalculator*>(pBar) != nullptr ||
           dynamic_cast<const CKtvPCalendarBar*>(pBar) != nullptr;
}

}  // namespace

CKtvPVisualManagerXP::CKtvPVisualManagerXP(BOOL bTemporary)
    : CKtvPVisualManager(bTemporary),
      m_clrBarBkgnd(0),
      m_clrMenuLight(0),
      m_clrInactiveTabText(0),
      m_clrHighlight(0),
      m_clrHighlightDn(0),
      m_clrHighlightChecked(0),
      m_clrGripper(0),
      m_clrPaneBorder(0),
      m_clrMenuBorder(0),
      m_clrMenuItemBorder(0),
      m_bJoinMenuBorder(TRUE),
      m_clrMenuShadowBase((COLORREF)-1)
{
    m_bLook2000 = TRUE;
    m_nMenuShadowDepth = 4;
    m_bFlatButtons = TRUE;
    m_bShadowHotImages = TRUE;
    m_bEmbossDisabled = FALSE;
    m_bFadeImages = TRUE;
    m_nTasksMarginY = 4;
    m_nTasksMarginX = 4;
    m_nTasksGroupGapY = 4;
    m_nTasksGroupCaptionHeight = 0;
    m_nTasksGroupCaptionIndentX = 0;
    m_nTasksGroupCaptionIndentY = 0;
    m_nTasksIndentX = 12;
    m_nTasksIconGapX = 5;
    m_nTasksIconGapY = 4;
    m_bMenuAttachedToButton = TRUE;
    m_nPopupMenuBorderSize = 1;
    globalData.UpdateSysColors();
    CKtvPVisualManagerXP::OnUpdateSystemColors();
}

CKtvPVisualManagerXP::~CKtvPVisualManagerXP()
{
    DeletePalette();
    m_brGripperHorz.DeleteObject();
    m_brGripperVert.DeleteObject();
}

void CKtvPVisualManagerXP::DeletePalette()
{
    m_brBarBkgnd.DeleteObject();
    m_brMenuLight.DeleteObject();
    m_brTabBack.DeleteObject();
    m_brHighlight.DeleteObject();
    m_brHighlightDn.DeleteObject();
    m_brHighlightChecked.DeleteObject();
    m_brFloatToolbarBorder.DeleteObject();
    m_penSeparator.DeleteObject();
}

void CKtvPVisualManagerXP::FrameIn(CDC* pDC, const CRect& rect, COLORREF clr)
{
    pDC->Draw3dRect(rect, clr, clr);
}

void CKtvPVisualManagerXP::OnUpdateSystemColors()
{
    DeletePalette();
    COLORREF clrTabBack;
    COLORREF clrSeparator;
    COLORREF clrFloatBorder;
    if (globalData.m_nBitsPerPixel <= 8) {
        m_clrMenuLight = globalData.clrWindow;
        m_clrBarBkgnd = m_clrHighlight = m_clrHighlightDn = clrTabBack = globalData.clrBtnFace;
        m_clrHighlightChecked = globalData.clrWindow;
        m_clrInactiveTabText = globalData.clrBtnDkShadow;
        m_clrGripper = globalData.clrBtnShadow;
        m_clrPaneBorder = globalData.clrBtnShadow;
        m_clrMenuBorder = globalData.clrBtnDkShadow;
        clrSeparator = clrFloatBorder = globalData.clrBtnShadow;
    } else {
        m_clrMenuLight = DM::ScaleColorChannels(globalData.clrBarWindow, 0.976, 0.973, 0.969);
        double h = 0, s = 0, l = 0;
        DM::RgbToHls(globalData.clrBarFace, &h, &s, &l);
        // Greys stay grey; faint tints grow a little, stronger ones double.
        const double sTab = s < 0.1 ? (s == 0 ? 0.0 : std::min(1.0, s + 0.1)) : std::min(1.0, 2 * s);
        clrTabBack = DM::HlsToRgb(h, std::min(1.0, (1 + l) / 2), sTab);
        m_clrBarBkgnd = l > 0.9 ? globalData.clrBarFace : DM::HlsToRgb(h, l * 1.03, s);
        m_clrInactiveTabText = DM::HlsToRgb(h, l * 0.4, s);
        m_clrHighlight = DM::ScaleColor(WeightedMix(globalData.clrHilite, m_clrMenuLight, 2), 105);
        m_clrHighlightDn = DM::ScaleColorChannels(m_clrHighlight, 0.87, 0.87, 0.87);
        m_clrHighlightChecked = DM::ScaleColor(WeightedMix(globalData.clrHilite, m_clrMenuLight, 5), 100);
        clrSeparator = DM::ScaleColorChannels(globalData.clrBarFace, 0.86, 0.86, 0.86);
        m_clrPaneBorder = globalData.clrBarShadow;
        m_clrMenuBorder = DM::ScaleColor(globalData.clrBarFace, 55);
        clrFloatBorder = DM::ScaleColorChannels(globalData.clrBarShadow, 0.85, 0.85, 0.85);
        m_clrGripper = DM::ScaleColor(globalData.clrBarShadow, 110);
    }
    m_brBarBkgnd.CreateSolidBrush(m_clrBarBkgnd);
    m_brMenuLight.CreateSolidBrush(m_clrMenuLight);
    m_brHighlight.CreateSolidBrush(m_clrHighlight);
    m_brHighlightDn.CreateSolidBrush(m_clrHighlightDn);
    m_brHighlightChecked.CreateSolidBrush(m_clrHighlightChecked);
    m_brTabBack.CreateSolidBrush(clrTabBack);
    m_brFloatToolbarBorder.CreateSolidBrush(clrFloatBorder);
    m_penSeparator.CreatePen(PS_SOLID, 1, clrSeparator);
    m_clrMenuItemBorder = globalData.clrHilite;
    m_clrMenuShadowBase = (COLORREF)-1;
}

int CKtvPVisualManagerXP::MenuImageColumnWidth(CKtvPBaseControlBar* pMenuBar) const
{
    const int cxImage = CKtvPToolBar::GetMenuImageSize().cx;
    const int nMargin = GetMenuImageMargin();
    const CKtvPPopupMenu* pMenu = pMenuBar != nullptr ? dynamic_cast<CKtvPPopupMenu*>(pMenuBar->GetParent()) : nullptr;
    if (pMenu != nullptr && pMenu->m_nLookKind == 0)
        return 2 * cxImage + 4 * nMargin + 4;
    return cxImage + 2 * nMargin + 1;
}

void CKtvPVisualManagerXP::OnFillBarBackground(CDC* pDC, CKtvPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                                               BOOL bNCArea)
{
    if (rectClip.IsRectEmpty())
        rectClip = rectClient;
    const CKtvPOutlookBarPane* pPane = dynamic_cast<CKtvPOutlookBarPane*>(pBar);
    if (dynamic_cast<CKtvPMenuBar*>(pBar) != nullptr || (pPane != nullptr && pPane->IsBackgroundTexture())) {
        CKtvPVisualManager::OnFillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
        return;
    }
    const BOOL bOnDialog = IsOnDialog(pBar);
    if (const CKtvPColorBar* pColorBar = dynamic_cast<CKtvPColorBar*>(pBar); pColorBar != nullptr && !bOnDialog) {
        pDC->FillRect(rectClip, pColorBar->IsTearOff() ? &m_brBarBkgnd : &m_brMenuLight);
        return;
    }
    if ((dynamic_cast<CKtvPCalculator*>(pBar) != nullptr && !bOnDialog) ||
        dynamic_cast<CKtvPCalendarBar*>(pBar) != nullptr) {
        pDC->FillRect(rectClip, &m_brMenuLight);
        return;
    }
    if (dynamic_cast<CKtvPPopupMenuBar*>(pBar) != nullptr && !IsPopupOwnBar(pBar)) {
        pDC->FillRect(rectClip, &m_brMenuLight);
        CRect rectColumn = rectClient;
        rectColumn.right = rectColumn.left + MenuImageColumnWidth(pBar);
        pDC->FillRect(rectColumn, &m_brBarBkgnd);
        return;
    }
    if (dynamic_cast<CKtvPToolBar*>(pBar) != nullptr && !bOnDialog) {
        pDC->FillRect(rectClip, &m_brBarBkgnd);
        return;
    }
    if (dynamic_cast<CKtvPAutoHideDockBar*>(pBar) != nullptr) {
        pDC->FillRect(rectClip, &m_brTabBack);
        return;
    }
    CKtvPVisualManager::OnFillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
}

void CKtvPVisualManagerXP::OnDrawBarBorder(CDC* pDC, CKtvPBaseControlBar* pBar, CRect& rect)
{
    if (pBar == nullptr || pBar->IsDialogControl()) {
        CKtvPVisualManager::OnDrawBarBorder(pDC, pBar, rect);
        return;
    }
    const DWORD dwStyle = pBar->GetBarStyle();
    if ((dwStyle & CBRS_BORDER_ANY) == 0)
        return;
    const COLORREF clrBk = pDC->GetBkColor();
    const COLORREF clr = globalData.clrBarFace;
    const int w = rect.Width();
    const int h = rect.Height();
    if (dwStyle & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(0, 0, 1, h - 1, clr);
    if (dwStyle & CBRS_BORDER_TOP)
        pDC->FillSolidRect(0, 0, w - 1, 1, clr);
    if (dwStyle & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(rect.right, 0, -1, h, clr);
    if (dwStyle & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(0, rect.bottom, w - 1, -1, clr);
    if (dwStyle & CBRS_BORDER_LEFT)
        ++rect.left;
    if (dwStyle & CBRS_BORDER_TOP)
        ++rect.top;
    if (dwStyle & CBRS_BORDER_RIGHT)
        --rect.right;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        --rect.bottom;
    pDC->SetBkColor(clrBk);
}

void CKtvPVisualManagerXP::OnDrawMenuBorder(CDC* pDC, CKtvPPopupMenu* pMenu, CRect rect)
{
    FrameIn(pDC, rect, m_clrMenuBorder);
    CRect rectInner = rect;
    rectInner.DeflateRect(1, 1);
    FrameIn(pDC, rectInner, m_clrMenuLight);
    // The image column runs on to the frame.
    pDC->FillRect(CRect(1, 1, 2, rect.bottom - 2), &m_brBarBkgnd);

    if (pMenu == nullptr || CKtvPToolBar::m_bCustomizeMode || !m_bJoinMenuBorder)
        return;
    if (pMenu->GetParentPopupMenu() != nullptr)
        return;
    CKtvPToolbarMenuButton* pButton = pMenu->m_pParentButton;
    if (pButton == nullptr || pButton->m_pWndParent == nullptr || !pButton->IsConnectedToPopup())
        return;
    if (!::IsWindow(pButton->m_pWndParent->GetSafeHwnd()) || !::IsWindow(pMenu->GetSafeHwnd()))
        return;

    // The gap where the menu touches its button, so the two read as one shape.
    CRect rectButton = pButton->m_rect;
    pButton->m_pWndParent->ClientToScreen(rectButton);
    pMenu->ScreenToClient(rectButton);
    CRect rectGap;
    int nLength = 0;
    int nRoom = 0;
    switch (pMenu->m_nDropDirection) {
    case CKtvPPopupMenu::DROP_DIRECTION_TOP:
        rectGap.SetRect(rectButton.left + 1, rect.bottom - 1, rectButton.right - 2, rect.bottom);
        nLength = rectGap.Width();
        nRoom = rect.Width();
        break;
    case CKtvPPopupMenu::DROP_DIRECTION_LEFT:
        rectGap.SetRect(rect.right - 1, rectButton.top + 1, rect.right, rectButton.bottom - 2);
        nLength = rectGap.Height();
        nRoom = rect.Height();
        break;
    default:
        return;
    }
    if (nRoom < nLength)
        return;
    CRect rectLimit = rectButton;
    rectLimit.InflateRect(1, 1);
    rectGap.IntersectRect(rectGap, rect);
    rectGap.IntersectRect(rectGap, rectLimit);
    if (!rectGap.IsRectEmpty())
        pDC->FillRect(rectGap, &m_brBarBkgnd);
}

void CKtvPVisualManagerXP::OnDrawMenuShadow(CDC* pDC, const CRect& rectClient, const CRect& rectExclude,
                                            int nDepth, int nBrightness1, int nBrightness2, CBitmap* pBmpSaveBottom,
                                            CBitmap* pBmpSaveRight)
{
    if (rectExclude.IsRectNull() || rectExclude.IsRectEmpty()) {
        DM dm(*pDC);
        dm.DrawShadow(rectClient, nDepth, nBrightness1, nBrightness2, pBmpSaveBottom, pBmpSaveRight,
                      m_clrMenuShadowBase);
        return;
    }
    // The shadow goes through a copy of the screen so that the excluded button keeps its pixels.
    CRect rectAll = rectClient;
    rectAll.right += nDepth;
    rectAll.bottom += nDepth;
    CDC dcMem;
    CBitmap bmpMem;
    if (!dcMem.CreateCompatibleDC(pDC) || !bmpMem.CreateCompatibleBitmap(pDC, rectAll.Width(), rectAll.Height()))
        return;
    CBitmap* pOldBmp = dcMem.SelectObject(&bmpMem);
    dcMem.BitBlt(0, 0, rectAll.Width(), rectAll.Height(), pDC, rectAll.left, rectAll.top, SRCCOPY);
    {
        DM dm(dcMem);
        dm.DrawShadow(CRect(CPoint(0, 0), rectClient.Size()), nDepth, nBrightness1, nBrightness2, pBmpSaveBottom,
                      pBmpSaveRight, m_clrMenuShadowBase);
    }
    dcMem.BitBlt(rectExclude.left - rectAll.left, rectExclude.top - rectAll.top, rectExclude.Width(),
                 rectExclude.Height(), pDC, rectExclude.left, rectExclude.top, SRCCOPY);
    pDC->BitBlt(rectAll.left, rectAll.top, rectAll.Width(), rectAll.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOldBmp);
}

void CKtvPVisualManagerXP::CreateGripperBrush()
{
    // One-bit rows are padded to 16 bits.
    const WORD rowsHorz[8] = {0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0};
    const WORD rowsVert[8] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    CBitmap bmpHorz;
    bmpHorz.CreateBitmap(8, 8, 1, 1, rowsHorz);
    m_brGripperHorz.CreatePatternBrush(&bmpHorz);
    CBitmap bmpVert;
    bmpVert.CreateBitmap(8, 8, 1, 1, rowsVert);
    m_brGripperVert.CreatePatternBrush(&bmpVert);
}

void CKtvPVisualManagerXP::DrawXPGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CKtvPBaseControlBar* pBar)
{
    if (m_brGripperHorz.GetSafeHandle() == nullptr)
        CreateGripperBrush();
    CKtvPDockingControlBar* pDockingBar = dynamic_cast<CKtvPDockingControlBar*>(pBar);
    CRect rectBand = rectGripper;
    CBrush* pBrush = nullptr;
    if (pDockingBar != nullptr) {
        rectBand.DeflateRect(4, 0);
        pBrush = bHorz ? &m_brGripperVert : &m_brGripperHorz;
    } else if (bHorz) {
        const int xCenter = rectBand.CenterPoint().x;
        rectBand.SetRect(xCenter - 1, rectBand.top + 5, xCenter + 2, rectBand.bottom - 5);
        pBrush = &m_brGripperHorz;
    } else {
        const int yCenter = rectBand.CenterPoint().y;
        rectBand.SetRect(rectBand.left + 5, yCenter - 1, rectBand.right - 5, yCenter + 2);
        pBrush = &m_brGripperVert;
    }
    const BOOL bFaceBack = pDockingBar != nullptr || dynamic_cast<CKtvPMenuBar*>(pBar) != nullptr;
    const COLORREF clrTextOld = pDC->SetTextColor(m_clrGripper);
    const COLORREF clrBkOld = pDC->SetBkColor(bFaceBack ? globalData.clrBarFace : m_clrBarBkgnd);
    pDC->FillRect(rectBand, pBrush);

    if (pDockingBar != nullptr) {
        // The pane's title over the band, padded by a space on each side.
        CString strTitle;
        pDockingBar->GetWindowText(strTitle);
        strTitle = " " + strTitle + " ";
        CFont* pOldFont = pDC->SelectObject(CKtvPMenuBar::GetMenuFont(bHorz));
        const int nOldMode = pDC->SetBkMode(OPAQUE);
        pDC->SetTextColor(globalData.clrBarText);
        pDC->SetBkColor(globalData.clrBarFace);
        const int nTextHeight = pDC->GetTextExtent(strTitle).cy;
        if (bHorz)
            pDC->TextOut(rectBand.left, rectBand.top + (rectBand.Height() - nTextHeight - 1) / 2, strTitle);
        else
            pDC->TextOut(rectBand.right - (rectBand.Width() - nTextHeight + 1) / 2, rectBand.top, strTitle);
        pDC->SetBkMode(nOldMode);
        pDC->SelectObject(pOldFont);
    }
    pDC->SetTextColor(clrTextOld);
    pDC->SetBkColor(clrBkOld);
}

void CKtvPVisualManagerXP::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CKtvPBaseControlBar* pBar)
{
    if (IsOnDialog(pBar)) {
        CKtvPVisualManager::OnDrawBarGripper(pDC, rectGripper, bHorz, pBar);
        return;
    }
    DrawXPGripper(pDC, rectGripper, bHorz, pBar);
}

void CKtvPVisualManagerXP::OnDrawSeparator(CDC* pDC, CKtvPBaseControlBar* pBar, CRect rect, BOOL bIsHoriz)
{
    if (IsOnDialog(pBar)) {
        CKtvPVisualManager::OnDrawSeparator(pDC, pBar, rect, bIsHoriz);
        return;
    }
    CPen* pOldPen = pDC->SelectObject(&m_penSeparator);
    if (dynamic_cast<CKtvPPopupMenuBar*>(pBar) != nullptr && !IsPopupOwnBar(pBar)) {
        // Menu separators start after the image column and run to the menu's edge.
        const int cxImage = CKtvPToolBar::GetMenuImageSize().cx;
        const int nMargin = GetMenuImageMargin();
        const CKtvPPopupMenu* pMenu = dynamic_cast<CKtvPPopupMenu*>(pBar->GetParent());
        const int x = pMenu != nullptr && pMenu->m_nLookKind == 0 ? rect.left + 2 * cxImage + 3 * nMargin + 2
                                                                  : rect.left + cxImage + nMargin + 1;
        const int y = (rect.top + rect.bottom) / 2;
        pDC->MoveTo(x, y);
        pDC->LineTo(32767, y);
    } else if (bIsHoriz) {
        const int x = (rect.left + rect.right) / 2;
        pDC->MoveTo(x, rect.top);
        pDC->LineTo(x, rect.bottom - 1);
    } else {
        const int y = (rect.top + rect.bottom) / 2;
        pDC->MoveTo(rect.left, y);
        pDC->LineTo(rect.right, y);
    }
    pDC->SelectObject(pOldPen);
}

COLORREF CKtvPVisualManagerXP::OnDrawDockingBarCaption(CDC* pDC, CKtvPDockingControlBar*, BOOL bActive,
                                                       CRect rectCaption, CRect)
{
    CPen pen(PS_SOLID, 1, bActive ? globalData.clrBarLight : globalData.clrBarShadow);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(bActive ? &globalData.brActiveCaption : &globalData.brBarFace);
    if (bActive)
        rectCaption.InflateRect(1, 1);
    pDC->RoundRect(rectCaption, CPoint(2, 2));
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
    return bActive ? globalData.clrCaptionText : globalData.clrBarText;
}

void CKtvPVisualManagerXP::OnDrawCaptionButton(CDC* pDC, CKtvPCaptionButton* pButton, BOOL bActive, BOOL bHorz,
                                               BOOL bMaximized, BOOL bDisabled, int nImageID)
{
    if (pButton == nullptr || pButton->m_bHidden)
        return;
    CRect rect(pButton->m_ptOrigin, CKtvPCaptionButton::GetSize());
    const BOOL bPushed = pButton->m_bPushed;
    const BOOL bHot = pButton->m_bFocused;
    if (bPushed && bHot && !bDisabled) {
        pDC->FillRect(rect, &m_brHighlightDn);
        bActive = TRUE;
    } else if (bPushed || bHot) {
        if (!bDisabled)
            pDC->FillRect(rect, &m_brHighlight);
        bActive = FALSE;
    }
    if (nImageID == -1)
        nImageID = CaptionButtonGlyph(pButton->GetHit(), bHorz, bMaximized);
    if (nImageID != -1)
        OnDrawCaptionButtonIcon(pDC, pButton, nImageID, bActive, bDisabled, CenteredGlyph(rect, nImageID));
    if ((bPushed || bHot) && !bDisabled)
        FrameIn(pDC, rect, globalData.clrBarDkShadow);
}

void CKtvPVisualManagerXP::OnDrawCaptionButtonIcon(CDC* pDC, CKtvPCaptionButton* pButton, int nImageID,
                                                   BOOL bActive, BOOL bDisabled, CPoint ptImage)
{
    int nState = CKtvPMenuImages::ImageGray;
    if (!bDisabled) {
        const COLORREF clr = pButton != nullptr ? pButton->m_clrForeground : (COLORREF)-1;
        const BOOL bLight = clr == (COLORREF)-1
                                ? bActive
                                : GetRValue(clr) > 192 && GetGValue(clr) > 192 && GetBValue(clr) > 192;
        nState = bLight ? CKtvPMenuImages::ImageWhite : CKtvPMenuImages::ImageBlack;
    }
    CKtvPMenuImages::Draw(pDC, nImageID, ptImage, nState);
}

void CKtvPVisualManagerXP::OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                                  BOOL bHighlight)
{
    int nGlyph = -1;
    switch (uiSystemCommand) {
    case SC_MINIMIZE:
        nGlyph = CKtvPMenuImages::IdMinimize;
        break;
    case SC_CLOSE:
        nGlyph = CKtvPMenuImages::IdClose;
        break;
    case SC_RESTORE:
        nGlyph = CKtvPMenuImages::IdRestore;
        break;
    default:
        return;
    }
    const BOOL bDisabled = (nStyle & TBBS_DISABLED) != 0;
    if (bHighlight && !bDisabled) {
        OnFillHighlightedArea(pDC, rect, (nStyle & TBBS_PRESSED) ? &m_brHighlightDn : &m_brHighlight, nullptr);
        FrameIn(pDC, rect, m_clrMenuItemBorder);
    }
    const int nState = bDisabled    ? CKtvPMenuImages::ImageGray
                       : bHighlight ? CKtvPMenuImages::ImageWhite
                                    : CKtvPMenuImages::ImageBlack;
    CKtvPMenuImages::Draw(pDC, nGlyph, CenteredGlyph(rect, nGlyph), nState);
}

void CKtvPVisualManagerXP::OnDrawStatusBarPaneBorder(CDC* pDC, CKtvPStatusBar*, CRect rectPane, UINT,
                                                     UINT nStyle)
{
    if (nStyle & SBPS_NOBORDERS)
        return;
    if (nStyle & SBPS_POPOUT) {
        DM dm(*pDC);
        dm.HighlightRect(rectPane);
    }
    FrameIn(pDC, rectPane, m_clrPaneBorder);
}

void CKtvPVisualManagerXP::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                 BOOL bIsHighlighted, CKtvPToolbarComboBoxButton*)
{
    if (!bIsDropped && !bIsHighlighted) {
        pDC->FillSolidRect(rect, globalData.clrBarFace);
        FrameIn(pDC, rect, globalData.clrBarWindow);
    } else {
        OnFillHighlightedArea(pDC, rect, bIsDropped ? &m_brHighlightDn : &m_brHighlight, nullptr);
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), m_clrMenuItemBorder);
    }
    const int nState = bDisabled                      ? CKtvPMenuImages::ImageGray
                       : bIsDropped && bIsHighlighted ? CKtvPMenuImages::ImageWhite
                                                      : CKtvPMenuImages::ImageBlack;
    CKtvPMenuImages::Draw(pDC, CKtvPMenuImages::IdArowDown,
                          CenteredGlyph(rect, CKtvPMenuImages::IdArowDown) + CPoint(1, 1), nState);
}

void CKtvPVisualManagerXP::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsDropped, BOOL bIsHighlighted,
                                             CKtvPToolbarComboBoxButton*)
{
    if (!bIsDropped && !bIsHighlighted)
        return;
    rect.DeflateRect(1, 1);
    FrameIn(pDC, rect, m_clrMenuItemBorder);
}

void CKtvPVisualManagerXP::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive)
{
    pDC->FillRect(rect, &m_brMenuLight);
    rect.DeflateRect(1, 1);
    OnFillHighlightedArea(pDC, rect, bIsActive ? &m_brHighlight : &m_brBarBkgnd, nullptr);

    const int cxImage = CKtvPToolBar::GetMenuImageSize().cx;
    const int nStripWidth = 2 * cxImage > 18 ? 2 * cxImage : 20;
    CRect rectStrip = rect;
    rectStrip.left = rect.CenterPoint().x - nStripWidth / 2;
    rectStrip.right = rectStrip.left + nStripWidth;
    rectStrip.DeflateRect(0, bIsActive ? 2 : 1);
    if (m_brGripperHorz.GetSafeHandle() == nullptr)
        CreateGripperBrush();
    const COLORREF clrTextOld = pDC->SetTextColor(bIsActive ? globalData.clrBarDkShadow : globalData.clrBarShadow);
    const COLORREF clrBkOld = pDC->SetBkColor(bIsActive ? m_clrHighlight : m_clrBarBkgnd);
    pDC->FillRect(rectStrip, &m_brGripperHorz);
    pDC->SetTextColor(clrTextOld);
    pDC->SetBkColor(clrBkOld);
    if (bIsActive)
        FrameIn(pDC, rect, globalData.clrBarDkShadow);
}

void CKtvPVisualManagerXP::ExtendMenuButton(CKtvPToolbarMenuButton* pButton, CRect& rect)
{
    CKtvPPopupMenu* pPopup = pButton != nullptr ? pButton->m_pPopupMenu : nullptr;
    if (pPopup == nullptr || !::IsWindow(pPopup->GetSafeHwnd()))
        return;
    CRect rectMenu;
    pPopup->GetWindowRect(rectMenu);
    switch (pPopup->m_nDropDirection) {
    case CKtvPPopupMenu::DROP_DIRECTION_TOP:
        rect.top -= rectMenu.Width() < rect.Width() ? 1 : 4;
        break;
    case CKtvPPopupMenu::DROP_DIRECTION_LEFT:
        rect.left -= rectMenu.Height() < rect.Height() ? 1 : 4;
        break;
    default:
        break;
    }
}

void CKtvPVisualManagerXP::OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush, CKtvPToolbarButton*)
{
    pDC->FillRect(rect, pBrush);
}

// A bar's menu button whose popup is open (or opening).
static BOOL IsDroppedBarMenuButton(CKtvPToolbarButton* pButton, BOOL bMenuItem)
{
    CKtvPToolbarMenuButton* pMenuButton = dynamic_cast<CKtvPToolbarMenuButton*>(pButton);
    return pMenuButton != nullptr && !bMenuItem && pMenuButton->IsDroppedDown();
}

void CKtvPVisualManagerXP::OnFillButtonInterior(CDC* pDC, CKtvPToolbarButton* pButton, CRect rect,
                                                ButtonState state)
{
    if (pButton == nullptr || state == ButtonsIsRegular || CKtvPToolBar::m_bCustomizeMode)
        return;
    const BOOL bMenuItem = IsPopupMenuItem(pButton);
    if (!bMenuItem && !m_bFillToolbarButtons)
        return;
    if (!bMenuItem || state != ButtonsIsHighlighted) {
        rect.right--;
        rect.bottom--;
    }
    const UINT nStyle = pButton->m_nStyle;
    CBrush* pBrush = (nStyle & TBBS_PRESSED) && !bMenuItem ? &m_brHighlightDn : &m_brHighlight;
    if (IsDroppedBarMenuButton(pButton, bMenuItem)) {
        ExtendMenuButton(static_cast<CKtvPToolbarMenuButton*>(pButton), rect);
        pBrush = &m_brBarBkgnd;
    }
    if (nStyle & TBBS_CHECKED)
        pBrush = state == ButtonsIsHighlighted ? &m_brHighlightDn : &m_brHighlightChecked;
    if ((nStyle & TBBS_DISABLED) && dynamic_cast<CKtvPToolbarMenuButton*>(pButton) != nullptr)
        pBrush = &m_brMenuLight;
    if (!(nStyle & TBBS_CHECKED))
        rect.DeflateRect(1, 1);
    OnFillHighlightedArea(pDC, rect, pBrush, pButton);
}

void CKtvPVisualManagerXP::OnDrawButtonBorder(CDC* pDC, CKtvPToolbarButton* pButton, CRect rect,
                                              ButtonState state)
{
    if (pButton == nullptr || state == ButtonsIsRegular)
        return;
    const BOOL bMenuItem = IsPopupMenuItem(pButton);
    COLORREF clr = m_clrMenuItemBorder;
    if (!bMenuItem || state != ButtonsIsHighlighted) {
        rect.right--;
        rect.bottom--;
    }
    if (IsDroppedBarMenuButton(pButton, bMenuItem)) {
        CKtvPToolbarMenuButton* pMenuButton = static_cast<CKtvPToolbarMenuButton*>(pButton);
        CKtvPPopupMenu* pPopup = pMenuButton->m_pPopupMenu;
        const BOOL bPopupShown = pPopup != nullptr && (pPopup->GetSafeHwnd() == nullptr || pPopup->IsWindowVisible());
        if (bPopupShown) {
            clr = m_clrMenuBorder;
            ExtendMenuButton(pMenuButton, rect);
            if (CKtvPMenuBar::m_bMenuShadows && !CKtvPToolBar::m_bCustomizeMode && globalData.m_nBitsPerPixel > 8) {
                DM dm(*pDC);
                dm.DrawShadow(rect, m_nMenuShadowDepth, 100, 75, nullptr, nullptr, m_clrMenuShadowBase);
            }
        }
    }
    if (bMenuItem && (pButton->m_nStyle & TBBS_CHECKED))
        rect.bottom++;
    FrameIn(pDC, rect, clr);
}

void CKtvPVisualManagerXP::OnHighlightMenuItem(CDC* pDC, CKtvPToolbarMenuButton* pButton, CRect rect,
                                               COLORREF& clrText)
{
    const BOOL bDisabled = pButton != nullptr && (pButton->m_nStyle & TBBS_DISABLED);
    CBrush* pBrush = bDisabled ? &m_brMenuLight : &m_brHighlight;
    OnFillHighlightedArea(pDC, rect, pBrush, pButton);
    FrameIn(pDC, rect, m_clrMenuItemBorder);

    if (pButton != nullptr && pButton->m_bArrowDown && pButton->m_pPopupMenu != nullptr &&
        ::IsWindow(pButton->m_pPopupMenu->GetSafeHwnd()) && pButton->m_pWndParent != nullptr) {
        // The item opens its sub-menu beside it: widen it toward the side the sub-menu opens on.
        CWnd* pHolder = pButton->m_pWndParent->GetParent();
        CFrameWnd* pFrame = pButton->m_pWndParent->GetTopLevelFrame();
        if (pHolder != nullptr && pFrame != nullptr) {
            CRect rectFrame;
            CRect rectHolder;
            pFrame->GetWindowRect(rectFrame);
            pHolder->GetWindowRect(rectHolder);
            CRect rectJoined = rect;
            if (rectFrame.left - rectHolder.left < 200)
                rectJoined.right += 10;
            if (rectFrame.right - rectHolder.right < 200)
                rectJoined.left -= 10;
            pDC->FillRect(rectJoined, &m_brBarBkgnd);
            FrameIn(pDC, rectJoined, m_clrMenuBorder);
        }
    }

    if (pButton != nullptr && IsPopupMenuItem(pButton)) {
        const int cxImage = CKtvPToolBar::GetMenuImageSize().cx;
        const int nMargin = GetMenuImageMargin();
        if (nMargin - 1 < rect.left && rect.left <= 2 * (cxImage + nMargin) + 1) {
            const int x0 = cxImage + 2 * nMargin - ((pButton->m_nStyle & TBBS_CHECKED) ? 0 : 1);
            CRect rectJoin(x0, rect.top, rect.left + 1, rect.bottom);
            FrameIn(pDC, rectJoin, m_clrMenuItemBorder);
            rectJoin.DeflateRect(0, 1);
            OnFillHighlightedArea(pDC, rectJoin, pBrush, pButton);
        }
    }
    clrText = bDisabled ? globalData.clrGrayedText
                        : (HasChannelBelow(m_clrHighlight, 129) ? RGB(255, 255, 255) : RGB(0, 0, 0));
}

void CKtvPVisualManagerXP::OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed)
{
    const int cxImage = CKtvPToolBar::GetMenuImageSize().cx;
    const int nMargin = GetMenuImageMargin();
    CRect rectColumn(rectRarelyUsed.left - 1, rectRarelyUsed.top,
                     rectRarelyUsed.left + cxImage + 2 * nMargin + 1, rectRarelyUsed.bottom);
    DM dm(*pDC);
    dm.HighlightRect(rectColumn, 94);
}

COLORREF CKtvPVisualManagerXP::GetToolbarButtonTextColor(CKtvPToolbarButton* pButton, ButtonState state)
{
    if (dynamic_cast<CKtvPOutlookButton*>(pButton) != nullptr)
        return IsButtonDisabled(pButton) ? globalData.clrGrayedText : globalData.clrBarText;
    if (state == ButtonsIsHighlighted && !IsButtonDisabled(pButton) &&
        (pButton->m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)))
        return globalData.clrTextHilite;
    return CKtvPVisualManager::GetToolbarButtonTextColor(pButton, state);
}

void CKtvPVisualManagerXP::OnEraseTabsArea(CDC* pDC, CRect rect, CKtvPBaseTabWnd* pTabWnd)
{
    if (pTabWnd == nullptr || pTabWnd->IsFlatTabs()) {
        CKtvPVisualManager::OnEraseTabsArea(pDC, rect, pTabWnd);
        return;
    }
    pDC->FillRect(rect, &m_brTabBack);
}

void CKtvPVisualManagerXP::OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CKtvPBaseTabWnd* pTabWnd)
{
    if (pTabWnd->IsFlatTabs() || pTabWnd->IsSlantedTabs() || pTabWnd->HasColoredTabs()) {
        CKtvPVisualManager::OnDrawTab(pDC, rectTab, iTab, bIsActive, pTabWnd);
        return;
    }
    COLORREF clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight;
    CBrush* pbrFace = nullptr;
    CBrush* pbrBlack = nullptr;
    GetTabFrameColors(pTabWnd, clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight, pbrFace, pbrBlack);
    const BOOL bTop = pTabWnd->GetLocation() == CKtvPBaseTabWnd::LOCATION_TOP;

    if (iTab + 1 != pTabWnd->GetActiveTab())
        pDC->FillSolidRect(rectTab.right, rectTab.top + 3, 1, rectTab.Height() - 6, clrDark);

    if (bIsActive) {
        CRect rectFill = bTop ? CRect(rectTab.left + 1, rectTab.top, rectTab.right, rectTab.bottom + 3)
                              : CRect(rectTab.left, rectTab.top - 2, rectTab.right, rectTab.bottom);
        if (!bTop && !pTabWnd->IsDrawFrame())
            rectFill.top--;
        OnFillTab(pDC, rectFill, pbrFace, iTab, TRUE, pTabWnd);

        CPen penBlack(PS_SOLID, 1, clrBlack);
        CPen penHighlight(PS_SOLID, 1, clrHighlight);
        CPen* pOldPen = pDC->SelectObject(&penBlack);
        if (bTop) {
            pDC->MoveTo(rectTab.right, rectTab.bottom);
            pDC->LineTo(rectTab.right, rectTab.top);
            pDC->SelectObject(&penHighlight);
            pDC->LineTo(rectTab.left, rectTab.top);
            pDC->LineTo(rectTab.left, rectTab.bottom);
        } else {
            pDC->MoveTo(rectTab.right, rectTab.top);
            pDC->LineTo(rectTab.right, rectTab.bottom);
            pDC->LineTo(rectTab.left, rectTab.bottom);
            pDC->SelectObject(&penHighlight);
            pDC->LineTo(rectTab.left, rectTab.top);
        }
        pDC->SelectObject(pOldPen);
    }
    OnDrawTabContent(pDC, rectTab, iTab, bIsActive, pTabWnd,
                     bIsActive ? globalData.clrBarText : m_clrInactiveTabText);
}

void CKtvPVisualManagerXP::OnFillTab(CDC* pDC, CRect rectFill, CBrush* pbrFill, int iTab, BOOL bIsActive,
                                     CKtvPBaseTabWnd* pTabWnd)
{
    if (bIsActive) {
        pDC->FillRect(rectFill, pbrFill);
        return;
    }
    const COLORREF clrTab = pTabWnd != nullptr ? pTabWnd->GetTabBkColor(iTab) : (COLORREF)-1;
    if (clrTab != (COLORREF)-1)
        pDC->FillSolidRect(rectFill, clrTab);
}

void CKtvPVisualManagerXP::OnEraseTabsButton(CDC* pDC, CRect rect, CKtvPButton* pButton, CKtvPBaseTabWnd* pWndTab)
{
    if (pWndTab == nullptr || !pWndTab->IsFlatTabs()) {
        pDC->FillRect(rect, &m_brTabBack);
        return;
    }
    CBrush* pBrush = &globalData.brBarFace;
    if (pButton != nullptr && pButton->IsHighlighted())
        pBrush = pButton->IsPushed() ? &m_brHighlightDn : &m_brHighlight;
    pDC->FillRect(rect, pBrush);
    OnFillHighlightedArea(pDC, rect, pBrush, nullptr);
}

void CKtvPVisualManagerXP::OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKtvPButton* pButton, UINT,
                                                  CKtvPBaseTabWnd* pWndTab)
{
    const BOOL bPushed = pButton != nullptr && pButton->IsPushed();
    const BOOL bHot = pButton != nullptr && pButton->IsHighlighted();
    if (pWndTab != nullptr && pWndTab->IsFlatTabs()) {
        if (bPushed || bHot)
            FrameIn(pDC, rect, globalData.clrBarDkShadow);
        return;
    }
    if (bPushed && bHot)
        pDC->Draw3dRect(rect, globalData.clrBarDkShadow, m_clrGripper);
    else if (bPushed || bHot)
        pDC->Draw3dRect(rect, m_clrGripper, globalData.clrBarDkShadow);
}

COLORREF CKtvPVisualManagerXP::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected)
{
    if (bIsSelected) {
        if (m_bFillToolbarButtons)
            rect.left = 0;
        OnFillHighlightedArea(pDC, rect, &m_brHighlight, nullptr);
        FrameIn(pDC, rect, m_clrMenuItemBorder);
        return HasChannelBelow(m_clrHighlight, 129) ? RGB(255, 255, 255) : RGB(0, 0, 0);
    }
    pDC->FillRect(rect, &m_brMenuLight);
    CRect rectColumn(rect.left, rect.top, rect.left + GetMenuImageMargin() + CKtvPToolBar::GetMenuImageSize().cx + 2,
                     rect.bottom);
    pDC->FillRect(rectColumn, &m_brBarBkgnd);
    return globalData.clrBarText;
}

void CKtvPVisualManagerXP::OnDrawMenuArrowOnCustomizeList(CDC* pDC, CRect rectCommand, BOOL)
{
    const CSize sizeGlyph = CKtvPMenuImages::Size();
    const int x = rectCommand.right - sizeGlyph.cx;
    const BOOL bDark = !HasChannelBelow(m_clrHighlight, 128);
    CKtvPMenuImages::Draw(pDC, CKtvPMenuImages::IdArowRightLarge,
                          CPoint(x, rectCommand.top + (rectCommand.Height() - sizeGlyph.cy) / 2),
                          bDark ? CKtvPMenuImages::ImageBlack : CKtvPMenuImages::ImageWhite);
    pDC->FillSolidRect(x - 1, rectCommand.top + 2, 1, rectCommand.Height() - 4,
                       bDark ? RGB(0, 0, 0) : RGB(255, 255, 255));
}

COLORREF CKtvPVisualManagerXP::OnFillMiniFrameCaption(CDC* pDC, CRect rectCaption, CKtvPMiniFrameWnd* pFrameWnd,
                                                      BOOL bActive)
{
    CWnd* pBar = pFrameWnd != nullptr ? pFrameWnd->GetControlBar() : nullptr;
    if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseToolBar))) {
        pDC->FillRect(rectCaption, &m_brFloatToolbarBorder);
        return globalData.clrCaptionText;
    }
    if (dynamic_cast<CKtvPTaskPaneMiniFrameWnd*>(pFrameWnd) != nullptr) {
        pDC->FillRect(rectCaption, &globalData.brBarFace);
        return globalData.clrBarText;
    }
    pDC->FillRect(rectCaption, bActive ? &globalData.brActiveCaption : &globalData.brInactiveCaption);
    return globalData.clrCaptionText;
}

// Bands along the four sides, each as thick as the border size gives, then
// bands two pixels further in, one pixel shorter at both ends.
static void DrawFloatingBorderBands(CDC* pDC, CRect rect, CRect rectSize, CBrush* pOuter, CBrush* pInner)
{
    CBrush* pOldBrush = pDC->SelectObject(pOuter);
    pDC->PatBlt(rect.left, rect.top, rectSize.left, rect.Height(), PATCOPY);
    pDC->PatBlt(rect.left, rect.top, rect.Width(), rectSize.top, PATCOPY);
    pDC->PatBlt(rect.right - rectSize.right, rect.top, rectSize.right, rect.Height(), PATCOPY);
    pDC->PatBlt(rect.left, rect.bottom - rectSize.bottom, rect.Width(), rectSize.bottom, PATCOPY);

    rect.DeflateRect(2, 2);
    rectSize.SetRect(std::max<int>(0, rectSize.left - 2), std::max<int>(0, rectSize.top - 2),
                     std::max<int>(0, rectSize.right - 2), std::max<int>(0, rectSize.bottom - 2));
    pDC->SelectObject(pInner);
    pDC->PatBlt(rect.left, rect.top + 1, rectSize.left, rect.Height() - 2, PATCOPY);
    pDC->PatBlt(rect.left + 1, rect.top, rect.Width() - 2, rectSize.top, PATCOPY);
    pDC->PatBlt(rect.right - rectSize.right, rect.top + 1, rectSize.right, rect.Height() - 2, PATCOPY);
    pDC->PatBlt(rect.left + 1, rect.bottom - rectSize.bottom, rect.Width() - 2, rectSize.bottom, PATCOPY);
    pDC->SelectObject(pOldBrush);
}

void CKtvPVisualManagerXP::OnDrawMiniFrameBorder(CDC* pDC, CKtvPMiniFrameWnd* pFrameWnd, CRect rectBorder,
                                                 CRect rectBorderSize)
{
    if (dynamic_cast<CKtvPTaskPaneMiniFrameWnd*>(pFrameWnd) != nullptr) {
        DrawFloatingBorderBands(pDC, rectBorder, rectBorderSize, &m_brFloatToolbarBorder, &globalData.brLight);
        return;
    }
    CKtvPVisualManager::OnDrawMiniFrameBorder(pDC, pFrameWnd, rectBorder, rectBorderSize);
}

void CKtvPVisualManagerXP::OnDrawFloatingToolbarBorder(CDC* pDC, CKtvPBaseToolBar*, CRect rectBorder,
                                                       CRect rectBorderSize)
{
    DrawFloatingBorderBands(pDC, rectBorder, rectBorderSize, &m_brFloatToolbarBorder, &globalData.brBarFace);
}

void CKtvPVisualManagerXP::OnDrawTasksGroupCaption(CDC* pDC, CKtvPTasksGroup* pGroup, BOOL bIsHighlighted, BOOL,
                                                   BOOL bCanCollapse)
{
    if (pGroup == nullptr)
        return;
    DrawTasksGroupCaptionText(pDC, pGroup, globalData.clrWindowText);
    if (!bCanCollapse || pGroup->m_strName.IsEmpty())
        return;
    const CRect& rect = pGroup->m_rect;
    const CSize sizeGlyph = CKtvPMenuImages::Size();
    CRect rectBox(std::max<int>(rect.left, rect.right - sizeGlyph.cx), std::max<int>(rect.top, rect.bottom - sizeGlyph.cy),
                  rect.right, rect.bottom);
    if (rectBox.Width() < sizeGlyph.cx || rectBox.Height() < sizeGlyph.cy)
        return;
    if (bIsHighlighted) {
        CPen* pOldPen = pDC->SelectObject(&globalData.penHilite);
        CBrush* pOldBrush = pDC->SelectObject(&m_brHighlight);
        pDC->Rectangle(rectBox);
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
    }
    CKtvPMenuImages::Draw(pDC, pGroup->m_bIsCollapsed ? CKtvPMenuImages::IdArowDown : CKtvPMenuImages::IdArowUp,
                          rectBox.TopLeft(), CKtvPMenuImages::ImageBlack);
}

void CKtvPVisualManagerXP::OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL)
{
    CPen* pOldPen = pDC->SelectObject(&globalData.penBarShadow);
    pDC->MoveTo(rect.left, rect.top);
    pDC->LineTo(rect.right, rect.top);
    pDC->SelectObject(pOldPen);
}

void CKtvPVisualManagerXP::OnDrawTasksGroupAreaBorder(CDC*, CRect, BOOL, BOOL) {}

void CKtvPVisualManagerXP::OnDrawTask(CDC* pDC, CKtvPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted, BOOL)
{
    DrawTaskWith(pDC, pTask, pIcons, bIsHighlighted, &globalData.penBarShadow, globalData.clrHotText);
}

void CKtvPVisualManagerXP::OnDrawScrollButton(CDC* pDC, CRect rect, int nExtraTop, int nImageID,
                                              BOOL bIsHighlighted)
{
    pDC->FillRect(CRect(rect.left, rect.top - nExtraTop, rect.right, rect.bottom), &globalData.brWindow);
    if (bIsHighlighted) {
        pDC->FillRect(rect, &m_brHighlight);
        FrameIn(pDC, rect, m_clrMenuItemBorder);
    }
    CKtvPMenuImages::Draw(pDC, nImageID, CenteredGlyph(rect, nImageID), CKtvPMenuImages::ImageBlack);
}

void CKtvPVisualManagerXP::OnDrawInsetFrame(CDC* pDC, CRect rect)
{
    FrameIn(pDC, rect, globalData.clrBarShadow);
    rect.DeflateRect(1, 1);
    FrameIn(pDC, rect, globalData.clrBarFace);
}

void CKtvPVisualManagerXP::OnDrawFlatFrame(CDC* pDC, CRect rect)
{
    FrameIn(pDC, rect, globalData.clrBarFace);
}

void CKtvPVisualManagerXP::OnFillCalendarBarWeekColumn(CDC* pDC, CRect rect, COLORREF& clrText,
                                                       COLORREF& clrTextDisabled)
{
    pDC->FillRect(rect, &m_brBarBkgnd);
    clrText = globalData.clrBarText;
    clrTextDisabled = globalData.clrGrayedText;
}

COLORREF CKtvPVisualManagerXP::OnFillCalendarBarCaption(CDC* pDC, CRect rect)
{
    pDC->FillRect(rect, &m_brBarBkgnd);
    CPen* pOldPen = pDC->SelectObject(&m_penSeparator);
    pDC->MoveTo(rect.left, rect.bottom);
    pDC->LineTo(rect.right, rect.bottom);
    pDC->SelectObject(pOldPen);
    return globalData.clrBarText;
}

BOOL CKtvPVisualManagerXP::OnDrawCalculatorButton(CDC* pDC, CRect rect, CKtvPToolbarButton*, ButtonState state,
                                                  int, CKtvPCalculator*)
{
    if (state == ButtonsIsPressed) {
        pDC->FillRect(rect, &m_brHighlightDn);
        pDC->SetTextColor(globalData.clrWindow);
    } else if (state == ButtonsIsHighlighted) {
        pDC->FillRect(rect, &m_brHighlight);
    }
    FrameIn(pDC, rect, m_clrMenuItemBorder);
    return TRUE;
}

BOOL CKtvPVisualManagerXP::OnDrawCalculatorDisplay(CDC* pDC, CRect rect, const CString&, BOOL, CKtvPCalculator*)
{
    pDC->FillRect(rect, &globalData.brWindow);
    FrameIn(pDC, rect, m_clrMenuItemBorder);
    return TRUE;
}

BOOL CKtvPVisualManagerXP::OnDrawBrowseButton(CDC* pDC, CRect rect, CKtvPBrowseEdit*, ButtonState state,
                                              COLORREF& clrText)
{
    if (state == ButtonsIsRegular) {
        pDC->FillRect(rect, &globalData.brBtnFace);
        FrameIn(pDC, rect, globalData.clrBarHilite);
        return TRUE;
    }
    pDC->FillRect(rect, state == ButtonsIsPressed ? &m_brHighlightDn : &m_brHighlight);
    if (state == ButtonsIsPressed)
        clrText = globalData.clrWindow;
    CRect rectFrame(rect.left, rect.top - 1, rect.right + 1, rect.bottom + 1);
    FrameIn(pDC, rectFrame, m_clrMenuItemBorder);
    return TRUE;
}

void CKtvPVisualManagerXP::OnDrawSpinButtons(CDC* pDC, CRect rectSpin, int nState, BOOL bOrientation,
                                             CKtvPSpinButton*)
{
    CRect rect[2] = {rectSpin, rectSpin};
    if (bOrientation) {
        rect[0].right = rectSpin.left + rectSpin.Width() / 2;
        rect[1].left = rect[0].right;
    } else {
        rect[0].bottom = rectSpin.top + rectSpin.Height() / 2;
        rect[1].top = rect[0].bottom;
    }
    const int glyphs[2] = {bOrientation ? CKtvPMenuImages::IdArowLeft : CKtvPMenuImages::IdArowUp,
                           bOrientation ? CKtvPMenuImages::IdArowRight : CKtvPMenuImages::IdArowDown};
    const int glyphState = (nState & 0x10) ? CKtvPMenuImages::ImageGray : CKtvPMenuImages::ImageBlack;
    int iHot = -1;
    for (int i = 0; i < 2; i++) {
        const BOOL bPressed = (nState & 3) == i + 1;
        const BOOL bHot = (nState & (i == 0 ? 4 : 8)) != 0;
        if (bHot)
            iHot = i;
        if (bPressed) {
            OnFillHighlightedArea(pDC, rect[i], &m_brHighlightDn, nullptr);
        } else if (bHot) {
            OnFillHighlightedArea(pDC, rect[i], &m_brHighlight, nullptr);
        } else {
            pDC->FillRect(rect[i], &globalData.brBarFace);
            FrameIn(pDC, rect[i], globalData.clrBarHilite);
        }
        CKtvPMenuImages::Draw(pDC, glyphs[i], CenteredGlyph(rect[i], glyphs[i]), glyphState);
    }
    if (iHot != -1)
        FrameIn(pDC, rect[iHot], m_clrMenuItemBorder);
}

int CKtvPVisualManagerXP::GetMenuImageMargin() const
{
    return 3;
}

BOOL CKtvPVisualManagerXP::IsLook2000Allowed() const
{
    return FALSE;
}
