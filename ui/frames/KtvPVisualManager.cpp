#include "ui/frames/KtvPVisualManager.h"

#include "platform/mfc/CDC.h"
#include "platform/mfc/CImageList.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/controls/KtvPButton.h"
#include "ui/controls/KtvPCaptionBar.h"
#include "ui/controls/KtvPOutlookBarPane.h"
#include "ui/commandbars/KtvPBaseToolBar.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/docking/KtvPBaseControlBar.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPSlider.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPVisualManager, CObject)

CKtvPVisualManager* CKtvPVisualManager::m_pVisManager = nullptr;
CRuntimeClass* CKtvPVisualManager::m_pRTIDefault = nullptr;

CKtvPVisualManager::CKtvPVisualManager(BOOL bTemporary)
    : m_bLook2000(FALSE),
      m_nMenuShadowDepth(6),
      m_bFlatButtons(FALSE),
      m_bShadowHotImages(FALSE),
      m_bEmbossDisabled(TRUE),
      m_bFadeImages(FALSE),
      m_bFillToolbarButtons(TRUE),
      m_bTemporary(bTemporary),
      m_nTasksMarginY(12),
      m_nTasksMarginX(12),
      m_nTasksGroupGapY(15),
      m_nTasksGroupCaptionHeight(25),
      m_nTasksGroupCaptionIndentX(13),
      m_nTasksGroupCaptionIndentY(7),
      m_nTasksIndentX(12),
      m_nTasksIconGapX(5),
      m_nTasksIconGapY(4),
      m_bMenuAttachedToButton(FALSE),
      m_nPopupMenuBorderSize(2),
      m_bAutoDelete(FALSE)
{
    if (!m_bTemporary && m_pVisManager == nullptr)
        m_pVisManager = this;
    globalData.UpdateSysColors();
}

CKtvPVisualManager::~CKtvPVisualManager()
{
    // Only the current manager clears the pointer: deleting another must not
    // leave painters without the one in use.
    if (!m_bTemporary && m_pVisManager == this)
        m_pVisManager = nullptr;
}

CKtvPVisualManager* CKtvPVisualManager::GetInstance()
{
    if (m_pVisManager != nullptr)
        return m_pVisManager;

    // Painters never see no manager: the registered look, else the base one.
    CKtvPVisualManager* pManager = nullptr;
    if (m_pRTIDefault != nullptr)
        pManager = static_cast<CKtvPVisualManager*>(m_pRTIDefault->CreateObject());
    if (pManager == nullptr)
        pManager = new CKtvPVisualManager(FALSE);
    m_pVisManager = pManager;
    pManager->m_bAutoDelete = TRUE;
    pManager->OnUpdateSystemColors();
    return pManager;
}

void CKtvPVisualManager::SetDefaultManager(CRuntimeClass*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::SetDefaultManager");
}

void CKtvPVisualManager::RedrawAll()
{
    KTVP_NOT_BUILT("CKtvPVisualManager::RedrawAll");
}

void CKtvPVisualManager::SetLook2000(BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::SetLook2000");
}

BOOL CKtvPVisualManager::IsWinXPThemeAvailable() const
{
    return FALSE;
}

void CKtvPVisualManager::OnUpdateSystemColors() {}

void CKtvPVisualManager::OnFillBarBackground(CDC* pDC, CKtvPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                                             BOOL)
{
    // The outlook pane and the caption bar fill themselves their own way; their looks come with their classes.
    if (pBar != nullptr && (dynamic_cast<CKtvPOutlookBarPane*>(pBar) != nullptr ||
                            pBar->IsKindOf(RUNTIME_CLASS(CKtvPCaptionBar)))) {
        KTVP_NOT_BUILT("CKtvPVisualManager::OnFillBarBackground");
    }
    if (rectClip.IsRectEmpty()) {
        rectClip = rectClient;
    }
    const BOOL bOnDialog = pBar != nullptr && pBar->IsDialogControl();
    pDC->FillRect(rectClip, bOnDialog ? &globalData.brBtnFace : &globalData.brBarFace);
}

void CKtvPVisualManager::OnDrawBarBorder(CDC* pDC, CKtvPBaseControlBar* pBar, CRect& rect)
{
    if (pBar == nullptr || pBar->IsFloating()) {
        return;
    }
    const DWORD dwStyle = pBar->GetBarStyle();
    if ((dwStyle & CBRS_BORDER_ANY) == 0) {
        return;
    }
    const BOOL bOnDialog = pBar->IsDialogControl();
    const COLORREF clrHilite = bOnDialog ? globalData.clrBtnHilite : globalData.clrBarHilite;
    const COLORREF clrShadow = bOnDialog ? globalData.clrBtnShadow : globalData.clrBarShadow;
    const COLORREF clrBk = pDC->GetBkColor();
    const int w = rect.Width();
    const int h = rect.Height();
    if (dwStyle & CBRS_BORDER_LEFT) {
        pDC->FillSolidRect(0, 0, 1, h - 1, clrHilite);
    }
    if (dwStyle & CBRS_BORDER_TOP) {
        pDC->FillSolidRect(0, 0, w - 1, 1, clrHilite);
    }
    if (dwStyle & CBRS_BORDER_RIGHT) {
        pDC->FillSolidRect(rect.right, 0, -1, h, clrShadow);
    }
    if (dwStyle & CBRS_BORDER_BOTTOM) {
        pDC->FillSolidRect(0, rect.bottom, w - 1, -1, clrShadow);
    }
    if (!pBar->CanFloat()) {
        pDC->FillSolidRect(0, 0, w, 1, clrShadow);
        pDC->FillSolidRect(0, 1, w, 1, clrHilite);
    }
    if (dwStyle & CBRS_BORDER_LEFT) {
        ++rect.left;
    }
    if (dwStyle & CBRS_BORDER_TOP) {
        ++rect.top;
    }
    if (dwStyle & CBRS_BORDER_RIGHT) {
        --rect.right;
    }
    if (dwStyle & CBRS_BORDER_BOTTOM) {
        --rect.bottom;
    }
    pDC->SetBkColor(clrBk);
}

void CKtvPVisualManager::OnDrawMenuBorder(CDC*, CKtvPPopupMenu*, CRect)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawMenuBorder");
}

void CKtvPVisualManager::OnDrawMenuShadow(CDC*, const CRect&, const CRect&, int, int, int, CBitmap*, CBitmap*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawMenuShadow");
}

// Ridges 3 pixels thick, 4 apart, across the bar from the gripper's leading edge.
// Raised ridges across the middle of the gripper, each with a highlight dot at
// its far corner; the older look has one narrower ridge and no dots.
void CKtvPVisualManager::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CKtvPBaseControlBar* pBar)
{
    const BOOL bOnDialog = pBar != nullptr && pBar->IsDialogControl();
    const COLORREF clrHilite = bOnDialog ? globalData.clrBtnHilite : globalData.clrBarHilite;
    const COLORREF clrShadow = bOnDialog ? globalData.clrBtnShadow : globalData.clrBarShadow;
    const int nRidges = m_bLook2000 ? 1 : 2;
    const int nInset = m_bLook2000 ? 3 : 2;
    const int nBack = m_bLook2000 ? 1 : 2;
    CRect rectRidge = rectGripper;
    if (bHorz) {
        rectRidge.DeflateRect(0, nInset);
        rectRidge.left = (rectRidge.left + rectRidge.right) / 2 - nBack;
        rectRidge.right = rectRidge.left + 3;
    } else {
        if (!m_bLook2000) {
            rectRidge.top += 1;
        }
        rectRidge.DeflateRect(nInset, 0);
        rectRidge.top = (rectRidge.top + rectRidge.bottom) / 2 - nBack;
        rectRidge.bottom = rectRidge.top + 3;
    }
    for (int i = 0; i < nRidges; ++i) {
        pDC->Draw3dRect(rectRidge, clrHilite, clrShadow);
        if (!m_bLook2000) {
            const CPoint ptDot =
                bHorz ? CPoint(rectRidge.left, rectRidge.bottom - 1) : CPoint(rectRidge.right - 1, rectRidge.top);
            pDC->SetPixel(ptDot, clrHilite);
        }
        rectRidge.OffsetRect(bHorz ? 4 : 0, bHorz ? 0 : 4);
    }
}

void CKtvPVisualManager::OnDrawSeparator(CDC*, CKtvPBaseControlBar*, CRect, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawSeparator");
}

// The glyph a caption button shows by its hit id; -1 for none.
static int CaptionButtonGlyph(UINT nHit, BOOL bHorz, BOOL bMaximized)
{
    switch (nHit) {
    case KTVP_HTAUTOHIDE_SECOND:
        return bHorz ? (bMaximized ? CKtvPMenuImages::IdArowLeft : CKtvPMenuImages::IdArowRight)
                     : (bMaximized ? CKtvPMenuImages::IdArowDown : CKtvPMenuImages::IdArowUp);
    case KTVP_HTPIN:
        return bMaximized ? CKtvPMenuImages::IdPinHorz : CKtvPMenuImages::IdPinVert;
    case KTVP_HTCLOSE_BAR:
    case KTVP_HTCLOSE_FRAME:
        return CKtvPMenuImages::IdClose;
    case KTVP_HTBACK:
        return CKtvPMenuImages::IdArowBack;
    case KTVP_HTFORWARD:
        return CKtvPMenuImages::IdArowForward;
    case KTVP_HTMENU:
        return CKtvPMenuImages::IdArowDown;
    default:
        return -1;
    }
}

COLORREF CKtvPVisualManager::OnDrawDockingBarCaption(CDC* pDC, CKtvPDockingControlBar*, BOOL bActive,
                                                     CRect rectCaption, CRect)
{
    pDC->FillSolidRect(rectCaption, bActive ? globalData.clrActiveCaption : globalData.clrInactiveCaption);
    return globalData.clrCaptionText;
}

void CKtvPVisualManager::OnDrawCaptionButton(CDC* pDC, CKtvPCaptionButton* pButton, BOOL bActive, BOOL bHorz,
                                             BOOL bMaximized, BOOL bDisabled, int nImageID)
{
    if (pButton == nullptr || pButton->m_bHidden) {
        return;
    }
    CRect rect(pButton->m_ptOrigin, CKtvPCaptionButton::GetSize());
    if (nImageID == -1) {
        nImageID = CaptionButtonGlyph(pButton->GetHit(), bHorz, bMaximized);
    }
    const BOOL bPushedHot = pButton->m_bPushed && pButton->m_bFocused;
    if (nImageID != -1) {
        const CSize sizeGlyph = CKtvPMenuImages::Size();
        CPoint pt(rect.left + (rect.Width() - sizeGlyph.cx) / 2, rect.top + (rect.Height() - sizeGlyph.cy) / 2);
        if (bPushedHot) {
            pt.Offset(1, 1);
        }
        int nState = CKtvPMenuImages::ImageGray;
        if (!bDisabled) {
            const COLORREF clr = pButton->m_clrForeground;
            const BOOL bLight = clr == (COLORREF)-1 ? bActive
                                                    : GetRValue(clr) >= 129 && GetGValue(clr) >= 129 &&
                                                          GetBValue(clr) >= 129;
            nState = bLight ? CKtvPMenuImages::ImageWhite : CKtvPMenuImages::ImageBlack;
        }
        CKtvPMenuImages::Draw(pDC, nImageID, pt, nState);
    }
    if (bDisabled) {
        return;
    }
    if (bPushedHot) {
        pDC->Draw3dRect(rect, globalData.clrBarDkShadow, globalData.clrBarLight);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, globalData.clrBarDkShadow, globalData.clrBarHilite);
    } else if (!m_bLook2000) {
        pDC->Draw3dRect(rect, globalData.clrBarLight, globalData.clrBarDkShadow);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarShadow);
    } else if (pButton->m_bPushed || pButton->m_bFocused) {
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarShadow);
    }
}


void CKtvPVisualManager::OnDrawMenuSystemButton(CDC*, CRect, UINT, UINT, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawMenuSystemButton");
}

void CKtvPVisualManager::OnDrawStatusBarPaneBorder(CDC*, CKtvPStatusBar*, CRect, UINT, UINT)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawStatusBarPaneBorder");
}

void CKtvPVisualManager::OnDrawStatusBarProgress(CDC*, CKtvPStatusBar*, CRect, int, int, COLORREF, COLORREF, COLORREF, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawStatusBarProgress");
}

void CKtvPVisualManager::OnDrawStatusBarSizeBox(CDC*, CKtvPStatusBar*, CRect)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawStatusBarSizeBox");
}

void CKtvPVisualManager::OnDrawComboDropButton(CDC*, CRect, BOOL, BOOL, BOOL, CKtvPToolbarComboBoxButton*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawComboDropButton");
}

void CKtvPVisualManager::OnDrawComboBorder(CDC*, CRect, BOOL, BOOL, BOOL, CKtvPToolbarComboBoxButton*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawComboBorder");
}

void CKtvPVisualManager::OnDrawEditBorder(CDC*, CRect, BOOL, BOOL, CKtvPToolbarEditBoxButton*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawEditBorder");
}

void CKtvPVisualManager::OnDrawTearOffCaption(CDC*, CRect, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawTearOffCaption");
}

void CKtvPVisualManager::OnFillButtonInterior(CDC*, CKtvPToolbarButton*, CRect, ButtonState)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnFillButtonInterior");
}

void CKtvPVisualManager::OnDrawButtonBorder(CDC*, CKtvPToolbarButton*, CRect, ButtonState)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawButtonBorder");
}

void CKtvPVisualManager::OnDrawButtonSeparator(CDC*, CKtvPToolbarButton*, CRect, ButtonState, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawButtonSeparator");
}

void CKtvPVisualManager::OnHighlightMenuItem(CDC*, CKtvPToolbarMenuButton*, CRect, COLORREF&)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnHighlightMenuItem");
}

void CKtvPVisualManager::OnHighlightRarelyUsedMenuItems(CDC*, CRect)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnHighlightRarelyUsedMenuItems");
}

COLORREF CKtvPVisualManager::GetToolbarButtonTextColor(CKtvPToolbarButton*, ButtonState)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::GetToolbarButtonTextColor");
}

COLORREF CKtvPVisualManager::GetCaptionBarTextColor(CKtvPCaptionBar*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::GetCaptionBarTextColor");
}

void CKtvPVisualManager::OnDrawCaptionBarBorder(CDC*, CKtvPCaptionBar*, CRect, COLORREF, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawCaptionBarBorder");
}

void CKtvPVisualManager::OnFillOutlookPageButton(CDC*, const CRect&, BOOL, BOOL, COLORREF&)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnFillOutlookPageButton");
}

void CKtvPVisualManager::OnDrawOutlookPageButtonBorder(CDC*, CRect&, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawOutlookPageButtonBorder");
}

void CKtvPVisualManager::OnDrawOutlookBarSplitter(CDC*, CRect)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawOutlookBarSplitter");
}

void CKtvPVisualManager::OnFillOutlookBarCaption(CDC*, CRect, COLORREF&)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnFillOutlookBarCaption");
}

void CKtvPVisualManager::OnEraseTabsArea(CDC* pDC, CRect rect, CKtvPBaseTabWnd* pTabWnd)
{
    pDC->FillRect(rect, &globalData.brBarFace);
    if (pTabWnd == nullptr || !pTabWnd->IsSlantedTabs())
        return;
    // The active slanted tab's colour runs on along the strip's edge.
    const COLORREF clrActive = pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab());
    if (clrActive == (COLORREF)-1)
        return;
    CRect rectEdge = rect;
    rectEdge.top = rectEdge.bottom - 2;
    pDC->FillSolidRect(rectEdge, clrActive);
}

void CKtvPVisualManager::OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CKtvPBaseTabWnd* pTabWnd)
{
    const COLORREF clrTab = pTabWnd->GetTabBkColor(iTab);
    const BOOL bTop = pTabWnd->GetLocation() == CKtvPBaseTabWnd::LOCATION_TOP;
    if (pTabWnd->IsFlatTabs()) {
        DrawFlatTabShape(pDC, rectTab, clrTab, bIsActive, bTop, pTabWnd);
    } else {
        CRect rectTabs;
        pTabWnd->GetTabsRect(rectTabs);
        const BOOL bSlanted = pTabWnd->IsSlantedTabs();
        if (bSlanted && (rectTabs.right < rectTab.left + 10 + ((iTab > 0 && !bIsActive) ? rectTab.Height() : 0) ||
                         rectTabs.left >= rectTab.right - 10))
            return;
        if (!bIsActive) {
            if (bTop)
                rectTab.top += 2;
            else
                rectTab.bottom -= 2;
        }
        if (bSlanted)
            DrawSlantedTabShape(pDC, rectTab, rectTabs, iTab, bIsActive, bTop, clrTab, pTabWnd);
        else
            Draw3dTabShape(pDC, rectTab, iTab, bIsActive, bTop, clrTab, pTabWnd);

        if (bIsActive) {
            // The active tab opens into the content.
            const int y = bTop ? rectTab.bottom : rectTab.top - 3;
            CBrush brTab;
            if (clrTab != (COLORREF)-1)
                brTab.CreateSolidBrush(clrTab);
            pDC->FillRect(CRect(rectTab.left, y, rectTab.right - 1, y + 4),
                          clrTab != (COLORREF)-1 ? &brTab : &globalData.brBarFace);
        }
        if (bSlanted) {
            rectTab.left += rectTab.Height();
            rectTab.right -= CKtvPBaseTabWnd::TAB_TEXT_MARGIN;
        }
    }

    const COLORREF clrText = pTabWnd->GetTabTextColor(iTab);
    const BOOL bOwnText = !bIsActive && clrText != (COLORREF)-1;
    const COLORREF clrOldText = bOwnText ? pDC->SetTextColor(clrText) : 0;
    OnDrawTabContent(pDC, rectTab, iTab, bIsActive, pTabWnd, (COLORREF)-1);
    if (bOwnText)
        pDC->SetTextColor(clrOldText);
}

void CKtvPVisualManager::DrawFlatTabShape(CDC* pDC, CRect& rectTab, COLORREF clrTab, BOOL bIsActive, BOOL bTop,
                                          CKtvPBaseTabWnd* pTabWnd)
{
    const int half = pTabWnd->GetTabsHeight() / 2;
    POINT pts[4];
    if (bTop) {
        pts[0] = {rectTab.left + half, rectTab.top + 1};
        pts[1] = {rectTab.left, rectTab.bottom};
        pts[2] = {rectTab.right, rectTab.bottom};
        pts[3] = {rectTab.right - half, rectTab.top + 1};
        rectTab.left += 2;
    } else {
        pts[0] = {rectTab.left, rectTab.top};
        pts[1] = {rectTab.left + half, rectTab.bottom - 1};
        pts[2] = {rectTab.right - half, rectTab.bottom - 1};
        pts[3] = {rectTab.right, rectTab.top};
    }
    CBrush brTab;
    CBrush* pOldBrush = nullptr;
    if (!bIsActive && clrTab != (COLORREF)-1) {
        brTab.CreateSolidBrush(clrTab);
        pOldBrush = pDC->SelectObject(&brTab);
    }
    pDC->Polygon(pts, 4);
    if (pOldBrush != nullptr)
        pDC->SelectObject(pOldBrush);
}

void CKtvPVisualManager::Draw3dTabShape(CDC* pDC, const CRect& rectTab, int iTab, BOOL bIsActive, BOOL bTop,
                                        COLORREF clrTab, CKtvPBaseTabWnd* pTabWnd)
{
    if (clrTab != (COLORREF)-1) {
        CRect rectFill = rectTab;
        rectFill.DeflateRect(1, 0);
        if (bTop)
            rectFill.bottom -= 1;
        else
            rectFill.top += 1;
        CBrush brTab(clrTab);
        OnFillTab(pDC, rectFill, &brTab, iTab, bIsActive, pTabWnd);
    }

    CPen penHilite(PS_SOLID, 1, globalData.clrBarHilite);
    CPen penShadow(PS_SOLID, 1, globalData.clrBarShadow);
    CPen penDark(PS_SOLID, 1, globalData.clrBarDkShadow);
    CPen* pOldPen = pDC->SelectObject(&penDark);
    const int inactive = bIsActive ? 0 : 1;
    const CRect& r = rectTab;
    if (bTop) {
        pDC->MoveTo(r.right, r.bottom - inactive);
        pDC->LineTo(r.right, r.top + 2);
        pDC->LineTo(r.right - 2, r.top);
        pDC->SelectObject(&penHilite);
        pDC->LineTo(r.left + 2, r.top);
        pDC->LineTo(r.left, r.top + 2);
        pDC->LineTo(r.left, r.bottom);
        pDC->SelectObject(&penShadow);
        pDC->MoveTo(r.right - 1, r.bottom - inactive);
        pDC->LineTo(r.right - 1, r.top + 1);
    } else {
        pDC->SelectObject(&penHilite);
        pDC->MoveTo(r.left, r.top);
        pDC->LineTo(r.left, r.bottom - 2);
        pDC->SelectObject(&penDark);
        pDC->LineTo(r.left + 2, r.bottom);
        pDC->LineTo(r.right - 2, r.bottom);
        pDC->LineTo(r.right, r.bottom - 2);
        pDC->LineTo(r.right, r.top - 1);
        pDC->SelectObject(&penShadow);
        pDC->MoveTo(r.left + 3, r.bottom - 1);
        pDC->LineTo(r.right - 2, r.bottom - 1);
        pDC->LineTo(r.right - 1, r.bottom - 2);
        pDC->LineTo(r.right - 1, r.top - 1);
    }
    pDC->SelectObject(pOldPen);
}

void CKtvPVisualManager::DrawSlantedTabShape(CDC* pDC, const CRect& rectTab, const CRect& rectTabs, int iTab,
                                             BOOL bIsActive, BOOL bTop, COLORREF clrTab, CKtvPBaseTabWnd* pTabWnd)
{
    const CRect& r = rectTab;
    const int h = r.Height();
    POINT pts[8] = {{r.left, r.bottom},          {r.left + 2, r.bottom - 1}, {r.left + 4, r.bottom - 2},
                    {r.left + h, r.top + 2},     {r.left + h + 4, r.top},    {r.right - 2, r.top},
                    {r.right, r.top + 2},        {r.right, r.bottom}};
    BOOL bCut = FALSE;
    for (POINT& pt : pts) {
        if (pt.x > rectTabs.right) {
            pt.x = rectTabs.right;
            bCut = TRUE;
        }
        if (!bTop)
            pt.y = r.top + r.bottom - pt.y - 1;
    }

    CRgn rgn;
    rgn.CreatePolygonRgn(pts, 8, WINDING);
    pDC->SelectClipRgn(&rgn, RGN_AND);
    CBrush brTab(clrTab != (COLORREF)-1 ? clrTab : globalData.clrBtnFace);
    OnFillTab(pDC, rectTab, &brTab, iTab, bIsActive, pTabWnd);
    pDC->SelectClipRgn(nullptr);

    CRect rectClient;
    pTabWnd->GetClientRect(rectClient);
    const int nSaved = pDC->SaveDC();
    pDC->ExcludeClipRect(CRect(rectClient.left, rectClient.top, rectTabs.left - 1, rectClient.bottom));
    if (!bIsActive && iTab > 0 && iTab != pTabWnd->GetFirstScrolledTab()) {
        // The tab to the left covers the foot of this one's slope.
        CRect rectFoot(rectTabs.left, rectTabs.top, r.left + h - 10, rectTabs.bottom);
        if (bTop)
            rectFoot.bottom += 1;
        else
            rectFoot.top -= 1;
        pDC->ExcludeClipRect(rectFoot);
    }
    pDC->Polyline(pts, 8);
    if (bCut) {
        pDC->MoveTo(rectTabs.right, r.top);
        pDC->LineTo(rectTabs.right, r.bottom);
    }
    DrawSlantedTabInnerLines(pDC, pts, bIsActive, bCut, bTop);
    pDC->RestoreDC(nSaved);
    // Tabs drawn after this one stay behind it.
    pDC->ExcludeClipRect(CRect(r.right, rectTabs.top, rectTabs.right, rectTabs.bottom));
}

void CKtvPVisualManager::DrawSlantedTabInnerLines(CDC* pDC, const POINT* p, BOOL bIsActive, BOOL bCut, BOOL bTop)
{
    CPen penHilite(PS_SOLID, 1, globalData.clrBarHilite);
    CPen penShadow(PS_SOLID, 1, globalData.clrBarShadow);
    CPen* pOldPen = pDC->SelectObject(&penHilite);
    if (bTop) {
        pDC->MoveTo(p[2].x, p[2].y + 1);
        pDC->LineTo(p[3].x + 1, p[3].y);
        pDC->MoveTo(p[3].x + 1, p[3].y + 1);
        pDC->LineTo(p[3].x + 2, p[3].y + 1);
        pDC->MoveTo(p[3].x + 2, p[3].y);
        pDC->LineTo(p[3].x + 4, p[3].y);
        pDC->MoveTo(p[4].x, p[4].y + 1);
        pDC->LineTo(p[5].x + 1, p[5].y + 1);
        if (!bIsActive && !bCut) {
            pDC->SelectObject(&penShadow);
            pDC->MoveTo(p[6].x - 2, p[6].y - 1);
            pDC->LineTo(p[6].x - 1, p[6].y - 1);
        }
        pDC->MoveTo(p[6].x - 1, p[6].y);
        pDC->LineTo(p[7].x - 1, p[7].y);
    } else if (!bCut) {
        pDC->MoveTo(p[6].x - 1, p[6].y);
        pDC->LineTo(p[7].x - 1, bIsActive ? p[7].y - 1 : p[7].y);
    }
    pDC->SelectObject(pOldPen);
}

void CKtvPVisualManager::OnFillTab(CDC* pDC, CRect rectFill, CBrush* pbrFill, int, BOOL, CKtvPBaseTabWnd*)
{
    pDC->FillRect(rectFill, pbrFill);
}

void CKtvPVisualManager::OnDrawTabContent(CDC* pDC, CRect rectTab, int iTab, BOOL, CKtvPBaseTabWnd* pTabWnd,
                                          COLORREF clrText)
{
    CString strLabel;
    pTabWnd->GetTabLabel(iTab, strLabel);
    const UINT uiNoPrefix = pTabWnd->IsDrawNoPrefix() ? DT_NOPREFIX : 0;
    if (pTabWnd->IsFlatTabs()) {
        pDC->DrawText(strLabel, rectTab, DT_SINGLELINE | DT_CENTER | DT_VCENTER | uiNoPrefix);
        return;
    }

    const CSize sizeImage = pTabWnd->GetImageSize();
    const UINT uiIcon = pTabWnd->GetTabIcon(iTab);
    const HICON hIcon = pTabWnd->GetTabIconHandle(iTab);
    const BOOL bHasImage = hIcon != nullptr || uiIcon != (UINT)-1;
    const int cxImage = bHasImage ? sizeImage.cx : 0;
    if (rectTab.Width() < CKtvPBaseTabWnd::TAB_TEXT_MARGIN + cxImage)
        return;

    if (bHasImage) {
        const int x = rectTab.left + CKtvPBaseTabWnd::TAB_IMAGE_MARGIN;
        const int y = rectTab.top + (rectTab.Height() - sizeImage.cy) / 2;
        if (hIcon != nullptr) {
            ::DrawIconEx(pDC->GetSafeHdc(), x, y, hIcon, sizeImage.cx, sizeImage.cy, 0, nullptr, DI_NORMAL);
        } else if (CImageList* pImages = pTabWnd->GetImageList()) {
            pImages->Draw(pDC, (int)uiIcon, CPoint(x, y), ILD_TRANSPARENT);
        }
    }

    CRect rectLabel = rectTab;
    rectLabel.left += cxImage + 6;
    const COLORREF clrOld = clrText != (COLORREF)-1 ? pDC->SetTextColor(clrText) : 0;
    pDC->DrawText(strLabel, rectLabel,
                  DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | uiNoPrefix |
                      (pTabWnd->IsSlantedTabs() ? DT_CENTER : 0));
    if (clrText != (COLORREF)-1)
        pDC->SetTextColor(clrOld);
}

void CKtvPVisualManager::OnEraseTabsButton(CDC* pDC, CRect rect, CKtvPButton*, CKtvPBaseTabWnd*)
{
    pDC->FillRect(rect, &globalData.brBarFace);
}

void CKtvPVisualManager::OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKtvPButton* pButton, UINT uiState,
                                                CKtvPBaseTabWnd*)
{
    if ((pButton->IsPushed() && pButton->IsHighlighted()) || (uiState & ODS_SELECTED)) {
        pDC->Draw3dRect(rect, globalData.clrBarDkShadow, globalData.clrBarHilite);
        rect.left += 2;
        rect.top += 2;
    } else {
        pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarDkShadow);
    }
    rect.DeflateRect(2, 2);
}

void CKtvPVisualManager::GetTabFrameColors(CKtvPBaseTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                           COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                           COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack)
{
    const COLORREF clrActive =
        pTabWnd->IsSlantedTabs() ? pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab()) : (COLORREF)-1;
    clrFace = clrActive != (COLORREF)-1 ? clrActive : globalData.clrBarFace;
    clrDark = globalData.clrBarShadow;
    clrBlack = globalData.clrBarText;
    clrHighlight = globalData.clrBarHilite;
    clrDarkShadow = globalData.clrBarDkShadow;
    clrLight = globalData.clrBarLight;
    pbrFace = &globalData.brBarFace;
    pbrBlack = &globalData.brBtnDkShadow;
}

BOOL CKtvPVisualManager::OnEraseTabsFrame(CDC* pDC, CRect rect, CKtvPBaseTabWnd* pTabWnd)
{
    const COLORREF clrActive = pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab());
    if (clrActive == (COLORREF)-1)
        return FALSE;
    pDC->FillSolidRect(rect, clrActive);
    return TRUE;
}

BOOL CKtvPVisualManager::IsHighlightOneNoteTabs() const
{
    return FALSE;
}

COLORREF CKtvPVisualManager::OnFillCommandsListBackground(CDC*, CRect, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnFillCommandsListBackground");
}

void CKtvPVisualManager::OnDrawMenuArrowOnCustomizeList(CDC*, CRect, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawMenuArrowOnCustomizeList");
}

CSize CKtvPVisualManager::GetButtonExtraBorder() const
{
    return CSize(0, 0);
}

CSize CKtvPVisualManager::GetCaptionButtonExtraBorder() const
{
    return CSize(0, 0);
}

COLORREF CKtvPVisualManager::OnFillMiniFrameCaption(CDC* pDC, CRect rectCaption, CKtvPMiniFrameWnd* pFrameWnd,
                                                    BOOL bActive)
{
    CWnd* pBar = pFrameWnd != nullptr ? pFrameWnd->GetControlBar() : nullptr;
    const BOOL bToolBar = pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseToolBar));
    pDC->FillSolidRect(rectCaption,
                       bActive || bToolBar ? globalData.clrActiveCaption : globalData.clrInactiveCaption);
    return globalData.clrCaptionText;
}

void CKtvPVisualManager::OnDrawMiniFrameBorder(CDC* pDC, CKtvPMiniFrameWnd* pFrameWnd, CRect rectBorder,
                                               CRect rectBorderSize)
{
    // The frame's colour tells where it would dock: red beside, blue into a tab.
    const int nStatus = pFrameWnd != nullptr ? pFrameWnd->GetDockStatus() : 0;
    COLORREF clrOuter = globalData.clrBarFace;
    COLORREF clrInner = globalData.clrBarShadow;
    if (nStatus == 1) {
        clrOuter = clrInner = RGB(127, 0, 0);
    } else if (nStatus == 2) {
        clrOuter = clrInner = RGB(0, 0, 127);
    }
    pDC->Draw3dRect(rectBorder, clrOuter, globalData.clrBarDkShadow);
    rectBorder.DeflateRect(1, 1);
    pDC->Draw3dRect(rectBorder, globalData.clrBarHilite, clrInner);
    rectBorder.InflateRect(2 - rectBorderSize.right, 2 - rectBorderSize.top);
    pDC->Draw3dRect(rectBorder, globalData.clrBarFace, globalData.clrBarFace);
    rectBorder.InflateRect(1, 1);
    pDC->Draw3dRect(rectBorder, globalData.clrBarFace, globalData.clrBarFace);
}

void CKtvPVisualManager::OnDrawFloatingToolbarBorder(CDC* pDC, CKtvPBaseToolBar*, CRect rectBorder, CRect)
{
    pDC->Draw3dRect(rectBorder, globalData.clrBarFace, globalData.clrBarDkShadow);
    rectBorder.DeflateRect(1, 1);
    pDC->Draw3dRect(rectBorder, globalData.clrBarHilite, globalData.clrBarShadow);
    rectBorder.DeflateRect(1, 1);
    pDC->Draw3dRect(rectBorder, globalData.clrBarFace, globalData.clrBarFace);
}

void CKtvPVisualManager::OnFillHeaderCtrlBackground(CKtvPHeaderCtrl*, CDC*, CRect)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnFillHeaderCtrlBackground");
}

void CKtvPVisualManager::OnDrawHeaderCtrlBorder(CKtvPHeaderCtrl*, CDC*, CRect&, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawHeaderCtrlBorder");
}

void CKtvPVisualManager::OnDrawHeaderCtrlSortArrow(CKtvPHeaderCtrl*, CDC*, CRect&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawHeaderCtrlSortArrow");
}

void CKtvPVisualManager::OnFillTasksPaneBackground(CDC*, CRect)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnFillTasksPaneBackground");
}

void CKtvPVisualManager::OnDrawTasksGroupCaption(CDC*, CKtvPTasksGroup*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawTasksGroupCaption");
}

void CKtvPVisualManager::OnFillTasksGroupInterior(CDC*, CRect, BOOL) {}

void CKtvPVisualManager::OnDrawTasksGroupAreaBorder(CDC*, CRect, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawTasksGroupAreaBorder");
}

void CKtvPVisualManager::OnDrawTask(CDC*, CKtvPTask*, CImageList*, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawTask");
}

void CKtvPVisualManager::OnDrawScrollButton(CDC*, CRect, int, int, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawScrollButton");
}

void CKtvPVisualManager::OnDrawSlider(CDC* pDC, CKtvPSlider* pSlider, CRect rect, BOOL bAutoHideMode)
{
    pDC->FillRect(rect, &globalData.brBarFace);
    if (!bAutoHideMode || pSlider == nullptr) {
        return;
    }
    // One edge line toward the client area, drawn as a rectangle collapsed onto that edge.
    switch (pSlider->GetCurrentAlignment()) {
    case CBRS_ALIGN_LEFT:
        rect.left = rect.right - 1;
        pDC->Draw3dRect(rect, globalData.clrBarDkShadow, globalData.clrBarDkShadow);
        break;
    case CBRS_ALIGN_RIGHT:
        rect.right = rect.left + 1;
        pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarHilite);
        break;
    case CBRS_ALIGN_TOP:
        rect.top = rect.bottom - 1;
        pDC->Draw3dRect(rect, globalData.clrBarDkShadow, globalData.clrBarDkShadow);
        break;
    case CBRS_ALIGN_BOTTOM:
        rect.bottom = rect.top + 1;
        pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarHilite);
        break;
    default:
        break;
    }
}

void CKtvPVisualManager::OnDrawExpandingBox(CDC*, CRect, BOOL, COLORREF)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawExpandingBox");
}

void CKtvPVisualManager::OnDrawInsetFrame(CDC*, CRect)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawInsetFrame");
}

void CKtvPVisualManager::OnDrawFlatFrame(CDC*, CRect)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawFlatFrame");
}

void CKtvPVisualManager::OnFillFrameBackground(CDC*, CRect)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnFillFrameBackground");
}

void CKtvPVisualManager::OnFillCalendarBarWeekColumn(CDC*, CRect, COLORREF&, COLORREF&)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnFillCalendarBarWeekColumn");
}

COLORREF CKtvPVisualManager::OnFillCalendarBarCaption(CDC*, CRect)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnFillCalendarBarCaption");
}

void CKtvPVisualManager::OnDrawCheckBox(CDC*, CRect, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawCheckBox");
}

void CKtvPVisualManager::OnDrawControlBorder(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawControlBorder");
}

void CKtvPVisualManager::OnFillAutoHideButtonBackground(CDC*, CRect, CKtvPAutoHideButton*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnFillAutoHideButtonBackground");
}

void CKtvPVisualManager::OnDrawAutoHideButtonBorder(CDC*, CRect, CRect, CKtvPAutoHideButton*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawAutoHideButtonBorder");
}

BOOL CKtvPVisualManager::OnDrawCalculatorButton(CDC*, CRect, CKtvPToolbarButton*, ButtonState, int, CKtvPCalculator*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawCalculatorButton");
}

BOOL CKtvPVisualManager::OnDrawCalculatorDisplay(CDC*, CRect, const CString&, BOOL, CKtvPCalculator*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawCalculatorDisplay");
}

BOOL CKtvPVisualManager::OnDrawBrowseButton(CDC* pDC, CRect rect, CKtvPBrowseEdit*, ButtonState state,
                                            COLORREF&)
{
    pDC->FillRect(rect, &globalData.brBtnFace);
    CRect rectFrame = rect;
    rectFrame.top -= 1;
    rectFrame.right += 1;
    rectFrame.bottom += 1;
    pDC->Draw3dRect(rectFrame, globalData.clrBtnDkShadow, globalData.clrBtnDkShadow);
    rectFrame.DeflateRect(1, 1);
    pDC->DrawEdge(rectFrame, state == ButtonsIsPressed ? BDR_SUNKENINNER : BDR_RAISEDINNER, BF_RECT);
    return TRUE;
}

void CKtvPVisualManager::OnDrawSpinButtons(CDC* pDC, CRect rectSpin, int nState, BOOL bOrientation,
                                           CKtvPSpinButton*)
{
    rectSpin.DeflateRect(1, 1);
    CRect rect[2] = {rectSpin, rectSpin};
    if (bOrientation) {
        rect[0].right -= rectSpin.Width() / 2;
        rect[1].left = rect[0].right + 1;
    } else {
        rect[0].bottom -= rectSpin.Height() / 2;
        rect[1].top = rect[0].bottom + 1;
    }
    pDC->FillRect(rectSpin, &globalData.brBarFace);
    pDC->Draw3dRect(rectSpin, globalData.clrBarHilite, globalData.clrBarHilite);

    const int glyphs[2] = {bOrientation ? CKtvPMenuImages::IdArowLeft : CKtvPMenuImages::IdArowUp,
                           bOrientation ? CKtvPMenuImages::IdArowRight : CKtvPMenuImages::IdArowDown};
    const int glyphState = (nState & 0x10) ? CKtvPMenuImages::ImageGray : CKtvPMenuImages::ImageBlack;
    const CSize sizeGlyph = CKtvPMenuImages::Size();
    for (int i = 0; i < 2; i++) {
        const BOOL bPressed = (nState & (i + 1)) != 0;
        if (bPressed)
            pDC->Draw3dRect(rect[i], globalData.clrBarShadow, globalData.clrBarHilite);
        else
            pDC->Draw3dRect(rect[i], globalData.clrBarHilite, globalData.clrBarShadow);
        const CPoint pt(rect[i].left + (rect[i].Width() - sizeGlyph.cx) / 2,
                        rect[i].top + (rect[i].Height() - sizeGlyph.cy) / 2);
        CKtvPMenuImages::Draw(pDC, glyphs[i], pt, glyphState);
    }
}

BOOL CKtvPVisualManager::DrawPushButtonWinXP(CDC*, CRect, CKtvPButton*, UINT)
{
    return FALSE;
}

BOOL CKtvPVisualManager::DrawComboDropButtonWinXP(CDC*, CRect, BOOL, BOOL, BOOL)
{
    return FALSE;
}

BOOL CKtvPVisualManager::DrawComboBorderWinXP(CDC*, CRect, BOOL, BOOL, BOOL)
{
    return FALSE;
}

int CKtvPVisualManager::GetMenuImageMargin() const
{
    return 2;
}

BOOL CKtvPVisualManager::IsLook2000Allowed() const
{
    return TRUE;
}

int CKtvPVisualManager::GetToolBarCustomizeButtonMargin() const
{
    return 2;
}

BOOL CKtvPVisualManager::IsOffsetPressedButton() const
{
    return TRUE;
}

BOOL CKtvPVisualManager::IsMenuAttachedToButton() const
{
    return m_bMenuAttachedToButton;
}

int CKtvPVisualManager::GetPopupMenuBorderSize() const
{
    return m_nPopupMenuBorderSize;
}

int CKtvPVisualManager::GetShowAllMenuItemsHeight(CDC*, const CSize&)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::GetShowAllMenuItemsHeight");
}

void CKtvPVisualManager::OnDrawShowAllMenuItems(CDC*, CRect, ButtonState)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawShowAllMenuItems");
}
