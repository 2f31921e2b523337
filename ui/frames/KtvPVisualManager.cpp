#include "ui/frames/KtvPVisualManager.h"

#include "platform/mfc/CDC.h"
#include "ui/controls/KtvPCaptionBar.h"
#include "ui/controls/KtvPOutlookBarPane.h"
#include "ui/docking/KtvPBaseControlBar.h"
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

COLORREF CKtvPVisualManager::OnDrawDockingBarCaption(CDC*, CKtvPDockingControlBar*, BOOL, CRect, CRect)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawDockingBarCaption");
}

void CKtvPVisualManager::OnDrawCaptionButton(CDC*, CKtvPCaptionButton*, BOOL, BOOL, BOOL, BOOL, int)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawCaptionButton");
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

void CKtvPVisualManager::OnEraseTabsArea(CDC*, CRect, CKtvPBaseTabWnd*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnEraseTabsArea");
}

void CKtvPVisualManager::OnDrawTab(CDC*, CRect, int, BOOL, CKtvPBaseTabWnd*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawTab");
}

void CKtvPVisualManager::OnFillTab(CDC*, CRect, CBrush*, int, BOOL, CKtvPBaseTabWnd*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnFillTab");
}

void CKtvPVisualManager::OnDrawTabContent(CDC*, CRect, int, BOOL, CKtvPBaseTabWnd*, COLORREF)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawTabContent");
}

void CKtvPVisualManager::OnEraseTabsButton(CDC*, CRect, CKtvPButton*, CKtvPBaseTabWnd*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnEraseTabsButton");
}

void CKtvPVisualManager::OnDrawTabsButtonBorder(CDC*, CRect&, CKtvPButton*, UINT, CKtvPBaseTabWnd*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawTabsButtonBorder");
}

void CKtvPVisualManager::GetTabFrameColors(CKtvPBaseTabWnd*, COLORREF&, COLORREF&, COLORREF&, COLORREF&, COLORREF&, COLORREF&, CBrush*&, CBrush*&)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::GetTabFrameColors");
}

BOOL CKtvPVisualManager::OnEraseTabsFrame(CDC*, CRect, CKtvPBaseTabWnd*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnEraseTabsFrame");
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

COLORREF CKtvPVisualManager::OnFillMiniFrameCaption(CDC*, CRect, CKtvPMiniFrameWnd*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnFillMiniFrameCaption");
}

void CKtvPVisualManager::OnDrawMiniFrameBorder(CDC*, CKtvPMiniFrameWnd*, CRect, CRect)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawMiniFrameBorder");
}

void CKtvPVisualManager::OnDrawFloatingToolbarBorder(CDC*, CKtvPBaseToolBar*, CRect, CRect)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawFloatingToolbarBorder");
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

void CKtvPVisualManager::OnDrawSlider(CDC*, CKtvPSlider*, CRect, BOOL)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawSlider");
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

BOOL CKtvPVisualManager::OnDrawBrowseButton(CDC*, CRect, CKtvPBrowseEdit*, ButtonState, COLORREF&)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawBrowseButton");
}

void CKtvPVisualManager::OnDrawSpinButtons(CDC*, CRect, int, BOOL, CKtvPSpinButton*)
{
    KTVP_NOT_BUILT("CKtvPVisualManager::OnDrawSpinButtons");
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
