#include "ui/frames/KtvPVisualManager.h"

#include <algorithm>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CWinThread.h"
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
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/controls/KtvPCalendarBar.h"
#include "ui/controls/KtvPHeaderCtrl.h"
#include "ui/controls/KtvPTasksPane.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPGlobalData.h"

IMPLEMENT_DYNCREATE(CKtvPVisualManager, CObject)

CKtvPVisualManager* CKtvPVisualManager::m_pVisManager = nullptr;
CRuntimeClass* CKtvPVisualManager::m_pRTIDefault = nullptr;

CPoint CKtvPVisualManager::CenteredGlyph(const CRect& rect, int)
{
    const CSize sizeGlyph = CKtvPMenuImages::Size();
    return CPoint(rect.left + (rect.Width() - sizeGlyph.cx) / 2, rect.top + (rect.Height() - sizeGlyph.cy) / 2);
}

BOOL CKtvPVisualManager::IsPopupMenuItem(const CKtvPToolbarButton* pButton)
{
    const CKtvPToolbarMenuButton* pMenuButton = dynamic_cast<const CKtvPToolbarMenuButton*>(pButton);
    return pMenuButton != nullptr && dynamic_cast<CKtvPPopupMenuBar*>(pMenuButton->m_pWndParent) != nullptr;
}

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

// The library's clean-up deletes a manager that GetInstance made; one the
// program made itself stays the program's.
static void KtvDeleteAutoVisualManager()
{
    CKtvPVisualManager* pManager = CKtvPVisualManager::m_pVisManager;
    if (pManager != nullptr && pManager->m_bAutoDelete)
        delete pManager;
}

CKtvPVisualManager* CKtvPVisualManager::GetInstance()
{
    if (m_pVisManager != nullptr)
        return m_pVisManager;

    static const bool bCleanUpJoined = (KtvAddCleanUpStep(&KtvDeleteAutoVisualManager), true);
    (void)bCleanUpJoined;

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

void CKtvPVisualManager::SetDefaultManager(CRuntimeClass* pRTI)
{
    if (pRTI != nullptr && !pRTI->IsDerivedFrom(RUNTIME_CLASS(CKtvPVisualManager)))
        return;
    m_pRTIDefault = pRTI;
    // The next painter makes the chosen look; until then nothing is current.
    delete m_pVisManager;
    m_pVisManager = nullptr;
    globalData.UpdateSysColors();
    RedrawAll();
}

void CKtvPVisualManager::RedrawAll()
{
    constexpr UINT uiFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread != nullptr ? pThread->m_pMainWnd : nullptr;
    if (pMainWnd != nullptr && ::IsWindow(pMainWnd->GetSafeHwnd()))
        pMainWnd->RedrawWindow(nullptr, nullptr, uiFlags);

    const CObList& lstBars = CKtvPBaseControlBar::GetAllControlBars();
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        CWnd* pBar = static_cast<CWnd*>(lstBars.GetNext(pos));
        if (pBar != nullptr && ::IsWindow(pBar->GetSafeHwnd()))
            pBar->RedrawWindow(nullptr, nullptr, uiFlags);
    }
    CKtvPMiniFrameWnd::RedrawAll();
}

void CKtvPVisualManager::SetLook2000(BOOL bLook2000)
{
    m_bLook2000 = bLook2000;
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread != nullptr ? pThread->m_pMainWnd : nullptr;
    if (pMainWnd != nullptr && ::IsWindow(pMainWnd->GetSafeHwnd()))
        pMainWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    RedrawAll();
}

BOOL CKtvPVisualManager::IsWinXPThemeAvailable() const
{
    return FALSE;
}

void CKtvPVisualManager::OnUpdateSystemColors() {}

void CKtvPVisualManager::OnFillBarBackground(CDC* pDC, CKtvPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                                             BOOL)
{
    if (CKtvPOutlookBarPane* pPane = dynamic_cast<CKtvPOutlookBarPane*>(pBar)) {
        pPane->OnFillBackground(pDC, rectClient);
        return;
    }
    if (CKtvPCaptionBar* pCaption = dynamic_cast<CKtvPCaptionBar*>(pBar)) {
        const COLORREF clr = pCaption->m_clrBarBackground;
        pDC->FillSolidRect(rectClip, clr == (COLORREF)-1 ? globalData.clrBarShadow : clr);
        return;
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

void CKtvPVisualManager::OnDrawMenuBorder(CDC* pDC, CKtvPPopupMenu*, CRect rect)
{
    pDC->Draw3dRect(rect, globalData.clrBarLight, globalData.clrBarDkShadow);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarShadow);
}

void CKtvPVisualManager::OnDrawMenuShadow(CDC* pDC, const CRect& rectClient, const CRect&, int nDepth,
                                          int nBrightness1, int nBrightness2, CBitmap* pBmpSaveBottom,
                                          CBitmap* pBmpSaveRight)
{
    CKtvPDrawManager dm(*pDC);
    dm.DrawShadow(rectClient, nDepth, nBrightness1, nBrightness2, pBmpSaveBottom, pBmpSaveRight);
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

void CKtvPVisualManager::OnDrawSeparator(CDC* pDC, CKtvPBaseControlBar* pBar, CRect rect, BOOL bIsHoriz)
{
    CRect rectLine = rect;
    if (bIsHoriz) {
        rectLine.left += rect.Width() / 2 - 1;
        rectLine.right = rectLine.left + 2;
    } else {
        rectLine.top += rect.Height() / 2 - 1;
        rectLine.bottom = rectLine.top + 2;
    }
    const BOOL bOnDialog = pBar != nullptr && pBar->IsDialogControl();
    pDC->Draw3dRect(rectLine, bOnDialog ? globalData.clrBtnShadow : globalData.clrBarShadow,
                    bOnDialog ? globalData.clrBtnHilite : globalData.clrBarHilite);
}

int CKtvPVisualManager::CaptionButtonGlyph(UINT nHit, BOOL bHorz, BOOL bMaximized)
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


void CKtvPVisualManager::OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle, BOOL)
{
    UINT uiState = 0;
    switch (uiSystemCommand) {
    case SC_MINIMIZE:
        uiState = DFCS_CAPTIONMIN;
        break;
    case SC_CLOSE:
        uiState = DFCS_CAPTIONCLOSE;
        break;
    case SC_RESTORE:
        uiState = DFCS_CAPTIONRESTORE;
        break;
    default:
        return;
    }
    if (nStyle & TBBS_PRESSED)
        uiState |= DFCS_PUSHED;
    if (nStyle & TBBS_DISABLED)
        uiState |= DFCS_INACTIVE;
    pDC->DrawFrameControl(rect, DFC_CAPTION, uiState);
}

void CKtvPVisualManager::OnDrawStatusBarPaneBorder(CDC* pDC, CKtvPStatusBar*, CRect rectPane, UINT, UINT nStyle)
{
    if (nStyle & SBPS_NOBORDERS)
        return;
    if (nStyle & SBPS_POPOUT)
        pDC->Draw3dRect(rectPane, globalData.clrBarHilite, globalData.clrBarShadow);
    else
        pDC->Draw3dRect(rectPane, globalData.clrBarShadow, globalData.clrBarHilite);
}

// The filled width, in 64 bits and with the count clamped to [0, total], so a
// count past either end never draws outside the pane.
int KtvProgressFilledWidth(int nWidth, int nTotal, int nCurrent)
{
    if (nTotal <= 0 || nWidth <= 0)
        return 0;
    const long long nClamped = std::clamp<long long>(nCurrent, 0, nTotal);
    return (int)((long long)nWidth * nClamped / nTotal);
}

int KtvProgressPercent(int nTotal, int nCurrent)
{
    if (nTotal <= 0)
        return 0;
    const long long nClamped = std::clamp<long long>(nCurrent, 0, nTotal);
    return (int)(nClamped * 100 / nTotal);
}

void CKtvPVisualManager::OnDrawStatusBarProgress(CDC* pDC, CKtvPStatusBar*, CRect rectProgress, int nProgressTotal,
                                                 int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                                 COLORREF clrProgressText, BOOL bProgressText)
{
    if (nProgressTotal == 0)
        return;
    CRect rectFilled = rectProgress;
    rectFilled.right = rectFilled.left + KtvProgressFilledWidth(rectProgress.Width(), nProgressTotal, nProgressCurr);
    if (clrProgressBarDest == (COLORREF)-1) {
        pDC->FillSolidRect(rectFilled, clrBar);
    } else {
        CKtvPDrawManager dm(*pDC);
        dm.FillGradient(rectFilled, clrBar, clrProgressBarDest, FALSE);
    }
    if (!bProgressText)
        return;

    CString strText;
    strText.Format("%d%%", KtvProgressPercent(nProgressTotal, nProgressCurr));
    constexpr UINT uiFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    const COLORREF clrTextOld = pDC->SetTextColor(globalData.clrBarText);
    pDC->DrawText(strText, rectProgress, uiFormat);

    // The part of the text over the bar is drawn again in the bar's text colour.
    CRgn rgnFilled;
    rgnFilled.CreateRectRgnIndirect(rectFilled);
    pDC->SelectClipRgn(&rgnFilled);
    pDC->SetTextColor(clrProgressText == (COLORREF)-1 ? globalData.clrTextHilite : clrProgressText);
    pDC->DrawText(strText, rectProgress, uiFormat);
    pDC->SelectClipRgn(nullptr);
    pDC->SetTextColor(clrTextOld);
}

void CKtvPVisualManager::OnDrawStatusBarSizeBox(CDC* pDC, CKtvPStatusBar*, CRect rectSizeBox)
{
    CFont* pOldFont = pDC->SelectObject(&globalData.fontMarlett);
    const UINT uiOldAlign = pDC->SetTextAlign(TA_RIGHT | TA_BOTTOM);
    const COLORREF clrOld = pDC->SetTextColor(globalData.clrBarShadow);
    pDC->ExtTextOut(rectSizeBox.right, rectSizeBox.bottom, ETO_CLIPPED, rectSizeBox, CString("o"), nullptr);
    pDC->SelectObject(pOldFont);
    pDC->SetTextAlign(uiOldAlign);
    pDC->SetTextColor(clrOld);
}

void CKtvPVisualManager::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                               BOOL bIsHighlighted, CKtvPToolbarComboBoxButton*)
{
    pDC->FillSolidRect(rect, globalData.clrBarFace);
    pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarHilite);
    CPoint ptGlyph = CenteredGlyph(rect, CKtvPMenuImages::IdArowDown) + CPoint(1, 1);
    if (bIsDropped) {
        rect.OffsetRect(1, 1);
        ptGlyph.Offset(1, 1);
        pDC->Draw3dRect(rect, globalData.clrBarShadow, globalData.clrBarHilite);
    } else if (bIsHighlighted) {
        pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarShadow);
    }
    CKtvPMenuImages::Draw(pDC, CKtvPMenuImages::IdArowDown, ptGlyph,
                          bDisabled ? CKtvPMenuImages::ImageGray : CKtvPMenuImages::ImageBlack);
}

void CKtvPVisualManager::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsDropped, BOOL bIsHighlighted,
                                           CKtvPToolbarComboBoxButton*)
{
    if (!bIsDropped && !bIsHighlighted)
        return;
    if (m_bFlatButtons) {
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, globalData.clrBarDkShadow, globalData.clrBarDkShadow);
    } else {
        pDC->Draw3dRect(rect, globalData.clrBarShadow, globalData.clrBarHilite);
    }
}

void CKtvPVisualManager::OnDrawEditBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsHighlighted,
                                          CKtvPToolbarEditBoxButton*)
{
    if (bIsHighlighted)
        pDC->DrawEdge(rect, EDGE_SUNKEN, BF_RECT);
}

void CKtvPVisualManager::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive)
{
    pDC->FillRect(rect, &globalData.brBarFace);
    rect.DeflateRect(2, 1);
    pDC->FillSolidRect(rect, bIsActive ? globalData.clrActiveCaption : globalData.clrInactiveCaption);
}

void CKtvPVisualManager::OnFillButtonInterior(CDC* pDC, CKtvPToolbarButton* pButton, CRect rect, ButtonState state)
{
    if (pButton == nullptr)
        return;
    if (dynamic_cast<CKtvPShowAllButton*>(pButton) != nullptr) {
        if (state == ButtonsIsHighlighted) {
            CKtvPDrawManager dm(*pDC);
            dm.HighlightRect(rect);
        }
        return;
    }
    if (!m_bFillToolbarButtons && !IsPopupMenuItem(pButton))
        return;
    if (dynamic_cast<CKtvPOutlookButton*>(pButton) != nullptr || CKtvPToolBar::m_bCustomizeMode ||
        state == ButtonsIsHighlighted)
        return;
    if (pButton->m_nStyle & (TBBS_CHECKED | TBBS_INDETERMINATE)) {
        rect.DeflateRect(2 * ::GetSystemMetrics(SM_CXBORDER), 2 * ::GetSystemMetrics(SM_CYBORDER));
        pDC->FillRect(rect, &globalData.brLight);
    }
}

void CKtvPVisualManager::OnDrawButtonBorder(CDC* pDC, CKtvPToolbarButton* pButton, CRect rect, ButtonState state)
{
    const COLORREF clrDark = dynamic_cast<CKtvPOutlookButton*>(pButton) != nullptr ? globalData.clrBarDkShadow
                                                                                     : globalData.clrBarShadow;
    if (state == ButtonsIsPressed)
        pDC->Draw3dRect(rect, clrDark, globalData.clrBarHilite);
    else if (state == ButtonsIsHighlighted)
        pDC->Draw3dRect(rect, globalData.clrBarHilite, clrDark);
}

void CKtvPVisualManager::OnDrawButtonSeparator(CDC* pDC, CKtvPToolbarButton* pButton, CRect rect, ButtonState state,
                                               BOOL)
{
    if (m_bFlatButtons && pButton != nullptr && pButton->IsDroppedDown())
        return;
    OnDrawButtonBorder(pDC, pButton, rect, state);
}

void CKtvPVisualManager::OnHighlightMenuItem(CDC* pDC, CKtvPToolbarMenuButton*, CRect rect, COLORREF&)
{
    pDC->FillRect(rect, &globalData.brHilite);
}

void CKtvPVisualManager::OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed)
{
    CKtvPDrawManager dm(*pDC);
    dm.HighlightRect(rectRarelyUsed);
    pDC->Draw3dRect(rectRarelyUsed, globalData.clrBarShadow, globalData.clrBarHilite);
}

BOOL CKtvPVisualManager::IsButtonDisabled(const CKtvPToolbarButton* pButton)
{
    if (CKtvPToolBar::m_bCustomizeMode)
        return !pButton->IsEditable();
    return (pButton->m_nStyle & TBBS_DISABLED) != 0;
}

COLORREF CKtvPVisualManager::GetToolbarButtonTextColor(CKtvPToolbarButton* pButton, ButtonState state)
{
    const BOOL bDisabled = IsButtonDisabled(pButton);
    if (dynamic_cast<CKtvPOutlookButton*>(pButton) != nullptr)
        return bDisabled ? globalData.clrBarFace : globalData.clrWindow;
    if (CKtvPCalendarButton* pDay = dynamic_cast<CKtvPCalendarButton*>(pButton)) {
        const COLORREF clrOwn = pDay->GetTextColor();
        if (clrOwn != (COLORREF)-1)
            return clrOwn;
        if (!pDay->IsCurrentMonth())
            return globalData.clrGrayedText;
    }
    if (bDisabled)
        return globalData.clrGrayedText;
    if (state == ButtonsIsHighlighted)
        return CKtvPToolBar::GetToolbarTextColor();
    return globalData.clrBarText;
}

COLORREF CKtvPVisualManager::GetCaptionBarTextColor(CKtvPCaptionBar*)
{
    return globalData.clrWindow;
}

void CKtvPVisualManager::OnDrawCaptionBarBorder(CDC* pDC, CKtvPCaptionBar*, CRect rect, COLORREF clrBarBorder,
                                                BOOL bFlatBorder)
{
    if (clrBarBorder == (COLORREF)-1)
        pDC->FillRect(rect, &globalData.brBarFace);
    else
        pDC->FillSolidRect(rect, clrBarBorder);
    if (!bFlatBorder)
        pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarShadow);
}

void CKtvPVisualManager::OnFillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL, BOOL, COLORREF& clrText)
{
    pDC->FillRect(rect, &globalData.brBarFace);
    clrText = globalData.clrBarText;
}

void CKtvPVisualManager::OnDrawOutlookPageButtonBorder(CDC* pDC, CRect& rectBtn, BOOL bIsHighlighted,
                                                       BOOL bIsPressed)
{
    if (bIsHighlighted && bIsPressed) {
        pDC->Draw3dRect(rectBtn, globalData.clrBarDkShadow, globalData.clrBarFace);
        rectBtn.DeflateRect(1, 1);
        pDC->Draw3dRect(rectBtn, globalData.clrBarShadow, globalData.clrBarHilite);
    } else if (bIsHighlighted || bIsPressed) {
        pDC->Draw3dRect(rectBtn, globalData.clrBarFace, globalData.clrBarDkShadow);
        rectBtn.DeflateRect(1, 1);
        pDC->Draw3dRect(rectBtn, globalData.clrBarHilite, globalData.clrBarShadow);
    } else {
        pDC->Draw3dRect(rectBtn, globalData.clrBarHilite, globalData.clrBarShadow);
    }
    rectBtn.DeflateRect(1, 1);
}

void CKtvPVisualManager::OnDrawOutlookBarSplitter(CDC* pDC, CRect rectSplitter)
{
    pDC->FillRect(rectSplitter, &globalData.brBarFace);
    pDC->Draw3dRect(rectSplitter, globalData.clrBarHilite, globalData.clrBarShadow);
}

void CKtvPVisualManager::OnFillOutlookBarCaption(CDC* pDC, CRect rectCaption, COLORREF& clrText)
{
    pDC->FillSolidRect(rectCaption, globalData.clrBarShadow);
    clrText = globalData.clrBarHilite;
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
    DrawSlantedTabInnerLines(pDC, pts, bIsActive, bCut, bTop, globalData.clrBarHilite);
    pDC->RestoreDC(nSaved);
    // Tabs drawn after this one stay behind it.
    pDC->ExcludeClipRect(CRect(r.right, rectTabs.top, rectTabs.right, rectTabs.bottom));
}

void CKtvPVisualManager::DrawSlantedTabInnerLines(CDC* pDC, const POINT* p, BOOL bIsActive, BOOL bCut, BOOL bTop,
                                                  COLORREF clrInner)
{
    CPen penHilite(PS_SOLID, 1, clrInner);
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

COLORREF CKtvPVisualManager::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected)
{
    if (!bIsSelected) {
        pDC->FillRect(rect, &globalData.brBarFace);
        return globalData.clrBarText;
    }
    pDC->FillRect(rect, &globalData.brHilite);
    rect.DeflateRect(1, 1);
    // A dotted-looking inner frame: the one-pixel edge just inside, inverted.
    pDC->PatBlt(rect.left, rect.top, rect.Width(), 1, PATINVERT);
    pDC->PatBlt(rect.left, rect.bottom - 1, rect.Width(), 1, PATINVERT);
    pDC->PatBlt(rect.left, rect.top + 1, 1, rect.Height() - 2, PATINVERT);
    pDC->PatBlt(rect.right - 1, rect.top + 1, 1, rect.Height() - 2, PATINVERT);
    return globalData.clrTextHilite;
}

void CKtvPVisualManager::OnDrawMenuArrowOnCustomizeList(CDC* pDC, CRect rectCommand, BOOL bSelected)
{
    const CSize sizeGlyph = CKtvPMenuImages::Size();
    const int x = rectCommand.right - sizeGlyph.cx;
    CKtvPMenuImages::Draw(pDC, CKtvPMenuImages::IdArowRightLarge,
                          CPoint(x, rectCommand.top + (rectCommand.Height() - sizeGlyph.cy) / 2),
                          bSelected ? CKtvPMenuImages::ImageWhite : CKtvPMenuImages::ImageBlack);
    CRect rectLine(x - 3, rectCommand.top + 2, x - 1, rectCommand.bottom - 2);
    pDC->Draw3dRect(rectLine, globalData.clrBtnShadow, globalData.clrBtnHilite);
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

void CKtvPVisualManager::OnFillHeaderCtrlBackground(CKtvPHeaderCtrl* pCtrl, CDC* pDC, CRect rect)
{
    const BOOL bOnDialog = pCtrl != nullptr && pCtrl->IsDialogControl();
    pDC->FillRect(rect, bOnDialog ? &globalData.brBtnFace : &globalData.brBarFace);
}

void CKtvPVisualManager::OnDrawHeaderCtrlBorder(CKtvPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                                BOOL)
{
    const BOOL bOnDialog = pCtrl != nullptr && pCtrl->IsDialogControl();
    const COLORREF clrShadow = bOnDialog ? globalData.clrBtnShadow : globalData.clrBarShadow;
    if (bIsPressed) {
        pDC->Draw3dRect(rect, clrShadow, clrShadow);
        rect.left++;
        rect.top++;
    } else {
        pDC->Draw3dRect(rect, bOnDialog ? globalData.clrBtnHilite : globalData.clrBarHilite, clrShadow);
    }
}

void CKtvPVisualManager::OnDrawHeaderCtrlSortArrow(CKtvPHeaderCtrl* pCtrl, CDC* pDC, CRect& rectArrow, BOOL bIsUp)
{
    const BOOL bOnDialog = pCtrl != nullptr && pCtrl->IsDialogControl();
    CPen penLight(PS_DASH, 0, bOnDialog ? globalData.clrBtnHilite : globalData.clrBarHilite);
    CPen penDark(PS_DASH, 0, bOnDialog ? globalData.clrBtnDkShadow : globalData.clrBarDkShadow);
    CPen* pOldPen = pDC->SelectObject(&penLight);
    const int xMid = (rectArrow.left + rectArrow.right) / 2;
    if (bIsUp) {
        pDC->MoveTo(rectArrow.left, rectArrow.bottom);
        pDC->LineTo(rectArrow.right, rectArrow.bottom);
        pDC->LineTo(xMid, rectArrow.top);
        pDC->SelectObject(&penDark);
        pDC->LineTo(rectArrow.left, rectArrow.bottom);
    } else {
        pDC->MoveTo(rectArrow.right, rectArrow.top);
        pDC->LineTo(xMid, rectArrow.bottom);
        pDC->SelectObject(&penDark);
        pDC->LineTo(rectArrow.left, rectArrow.top);
        pDC->LineTo(rectArrow.right, rectArrow.top);
    }
    pDC->SelectObject(pOldPen);
}

void CKtvPVisualManager::OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea)
{
    pDC->FillRect(rectWorkArea, &globalData.brWindow);
}

void CKtvPVisualManager::OnDrawTasksGroupCaption(CDC* pDC, CKtvPTasksGroup* pGroup, BOOL bIsHighlighted, BOOL,
                                                 BOOL bCanCollapse)
{
    if (pGroup == nullptr)
        return;
    const CRect& rect = pGroup->m_rect;
    pDC->FillSolidRect(rect, pGroup->m_bIsSpecial ? globalData.clrHilite : globalData.clrBarFace);
    DrawTasksGroupCaptionText(pDC, pGroup, pGroup->m_bIsSpecial ? globalData.clrWindow : globalData.clrWindowText);
    if (!bCanCollapse || pGroup->m_strName.IsEmpty())
        return;

    const CSize sizeGlyph = CKtvPMenuImages::Size();
    const int r = (rect.Height() + 1) / 2;
    CRect rectBox(CPoint(std::max<int>(rect.left, rect.right - (sizeGlyph.cx + 1) / 2 - r),
                         std::max<int>(rect.top, rect.bottom - (sizeGlyph.cy + 1) / 2 - r)),
                  sizeGlyph);
    if (!rect.PtInRect(rectBox.TopLeft()) || rectBox.right > rect.right || rectBox.bottom > rect.bottom)
        return;
    if (bIsHighlighted)
        pDC->Draw3dRect(rectBox, globalData.clrWindow, globalData.clrBarShadow);
    CKtvPMenuImages::Draw(pDC, pGroup->m_bIsCollapsed ? CKtvPMenuImages::IdArowDown : CKtvPMenuImages::IdArowUp,
                          rectBox.TopLeft(), CKtvPMenuImages::ImageBlack);
}

void CKtvPVisualManager::DrawTasksGroupCaptionText(CDC* pDC, CKtvPTasksGroup* pGroup, COLORREF clrText)
{
    const CRect& rect = pGroup->m_rect;
    const CKtvPTasksPane* pPane = pGroup->m_pPage != nullptr ? pGroup->m_pPage->m_pTaskPane : nullptr;
    BOOL bIcon = FALSE;
    if (pGroup->m_hIcon != nullptr && pGroup->m_sizeIcon.cx < rect.Width() - rect.Height()) {
        pDC->DrawIcon(rect.left + 1, rect.bottom - pGroup->m_sizeIcon.cy, pGroup->m_hIcon);
        bIcon = TRUE;
    }
    int xOffset = pPane != nullptr ? pPane->GetGroupCaptionHorzOffset() : -1;
    if (xOffset == -1)
        xOffset = m_nTasksGroupCaptionIndentX;
    if (bIcon)
        xOffset = pGroup->m_sizeIcon.cx;
    const int yOffset = m_nTasksGroupCaptionIndentY;

    CFont* pOldFont = pDC->SelectObject(&globalData.fontBold);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    CRect rectText(rect.left + xOffset, rect.top + yOffset,
                   std::max<int>(rect.left + xOffset, rect.right - rect.Height()), rect.bottom);
    pDC->DrawText(pGroup->m_strName, rectText, DT_SINGLELINE);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CKtvPVisualManager::OnFillTasksGroupInterior(CDC*, CRect, BOOL) {}

void CKtvPVisualManager::OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial, BOOL bNoTitle)
{
    CPen* pOldPen = pDC->SelectObject(bSpecial ? &globalData.penHilite : &globalData.penBarFace);
    pDC->MoveTo(rect.left, rect.top);
    pDC->LineTo(rect.left, rect.bottom - 1);
    pDC->LineTo(rect.right - 1, rect.bottom - 1);
    pDC->LineTo(rect.right - 1, rect.top);
    if (bNoTitle)
        pDC->LineTo(rect.left, rect.top);
    else
        pDC->LineTo(rect.right - 1, rect.top - 1);
    pDC->SelectObject(pOldPen);
}

void CKtvPVisualManager::OnDrawTask(CDC* pDC, CKtvPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted, BOOL)
{
    DrawTaskWith(pDC, pTask, pIcons, bIsHighlighted, &globalData.penBarFace, globalData.clrWindowText);
}

void CKtvPVisualManager::DrawTaskWith(CDC* pDC, CKtvPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted,
                                      CPen* pSeparatorPen, COLORREF clrEnabled)
{
    if (pTask == nullptr)
        return;
    CRect rect = pTask->m_rect;
    if (pTask->m_bIsSeparator) {
        CPen* pOldPen = pDC->SelectObject(pSeparatorPen);
        const int y = rect.CenterPoint().y;
        pDC->MoveTo(rect.left, y);
        pDC->LineTo(rect.right, y);
        pDC->SelectObject(pOldPen);
        return;
    }
    int cxIcon = 0;
    if (pTask->m_nIcon >= 0 && pIcons != nullptr && pIcons->GetSafeHandle() != nullptr &&
        pIcons->GetImageCount() > 0) {
        pIcons->Draw(pDC, pTask->m_nIcon, rect.TopLeft(), ILD_TRANSPARENT);
        int cx = 0, cy = 0;
        ::ImageList_GetIconSize(pIcons->GetSafeHandle(), &cx, &cy);
        cxIcon = cx;
    }
    const CKtvPTasksPane* pPane = pTask->m_pGroup != nullptr && pTask->m_pGroup->m_pPage != nullptr
                                      ? pTask->m_pGroup->m_pPage->m_pTaskPane
                                      : nullptr;
    int nGap = pPane != nullptr ? pPane->GetTasksIconHorzOffset() : -1;
    if (nGap == -1)
        nGap = m_nTasksIconGapX;
    rect.left += cxIcon + nGap;

    CFont* pFont = &globalData.fontRegular;
    COLORREF clrText = globalData.clrWindowText;
    if (pTask->m_uiCommandID != 0) {
        if (!pTask->m_bEnabled) {
            clrText = globalData.clrGrayedText;
        } else {
            clrText = clrEnabled;
            if (bIsHighlighted)
                pFont = &globalData.fontUnderline;
        }
    }
    CFont* pOldFont = pDC->SelectObject(pFont);
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(pTask->m_strName, rect, DT_SINGLELINE | DT_VCENTER);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
    pDC->SelectObject(pOldFont);
}

void CKtvPVisualManager::OnDrawScrollButton(CDC* pDC, CRect rect, int nExtraTop, int nImageID, BOOL bIsHighlighted)
{
    pDC->FillRect(CRect(rect.left, rect.top - nExtraTop, rect.right, rect.bottom), &globalData.brBarFace);
    if (bIsHighlighted) {
        CKtvPDrawManager dm(*pDC);
        dm.HighlightRect(rect);
        pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarDkShadow);
    }
    CKtvPMenuImages::Draw(pDC, nImageID, CenteredGlyph(rect, nImageID), CKtvPMenuImages::ImageBlack);
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

void CKtvPVisualManager::OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF clrBox)
{
    pDC->Draw3dRect(rect, clrBox, clrBox);
    rect.DeflateRect(2, 2);
    CPen pen(PS_SOLID, 1, globalData.clrBarText);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const CPoint ptCenter = rect.CenterPoint();
    pDC->MoveTo(rect.left, ptCenter.y);
    pDC->LineTo(rect.right, ptCenter.y);
    if (!bIsOpened) {
        pDC->MoveTo(ptCenter.x, rect.top);
        pDC->LineTo(ptCenter.x, rect.bottom);
    }
    pDC->SelectObject(pOldPen);
}

void CKtvPVisualManager::OnDrawInsetFrame(CDC* pDC, CRect rect)
{
    pDC->Draw3dRect(rect, globalData.clrBarShadow, globalData.clrBarHilite);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, globalData.clrBarFace, globalData.clrBarFace);
}

void CKtvPVisualManager::OnDrawFlatFrame(CDC* pDC, CRect rect)
{
    pDC->Draw3dRect(rect, globalData.clrBarFace, globalData.clrBarShadow);
}

void CKtvPVisualManager::OnFillFrameBackground(CDC* pDC, CRect rect)
{
    pDC->FillSolidRect(rect, globalData.clrBarFace);
}

void CKtvPVisualManager::OnFillCalendarBarWeekColumn(CDC* pDC, CRect rect, COLORREF& clrText,
                                                     COLORREF& clrTextDisabled)
{
    pDC->FillSolidRect(rect, globalData.clrBarShadow);
    clrText = globalData.clrBarHilite;
    clrTextDisabled = globalData.clrBarLight;
}

COLORREF CKtvPVisualManager::OnFillCalendarBarCaption(CDC* pDC, CRect rect)
{
    pDC->FillSolidRect(rect, globalData.clrInactiveCaption);
    pDC->Draw3dRect(rect, globalData.clrInactiveBorder, globalData.clrInactiveBorder);
    return globalData.clrInactiveCaptionText;
}

void CKtvPVisualManager::OnDrawCheckBox(CDC* pDC, CRect rect, BOOL bHighlighted, BOOL bChecked, BOOL bEnabled)
{
    if (bHighlighted)
        pDC->DrawFocusRect(rect);
    rect.DeflateRect(1, 1);
    pDC->FillSolidRect(rect, bEnabled ? globalData.clrWindow : globalData.clrBarFace);
    pDC->Draw3dRect(rect, globalData.clrBarDkShadow, globalData.clrBarHilite);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, globalData.clrBarShadow, globalData.clrBarLight);
    if (bChecked)
        CKtvPMenuImages::Draw(pDC, CKtvPMenuImages::IdCheck, CenteredGlyph(rect, CKtvPMenuImages::IdCheck),
                              CKtvPMenuImages::ImageBlack);
}

void CKtvPVisualManager::OnDrawControlBorder(CWnd* pWndCtrl)
{
    if (pWndCtrl == nullptr || !::IsWindow(pWndCtrl->GetSafeHwnd()))
        return;
    CDC* pDC = pWndCtrl->GetWindowDC();
    if (pDC == nullptr)
        return;
    CRect rect;
    pWndCtrl->GetWindowRect(rect);
    rect.OffsetRect(-rect.left, -rect.top);
    pDC->Draw3dRect(rect, globalData.clrBarDkShadow, globalData.clrBarHilite);
    pWndCtrl->ReleaseDC(pDC);
}

void CKtvPVisualManager::OnFillAutoHideButtonBackground(CDC* pDC, CRect rect, CKtvPAutoHideButton*)
{
    pDC->FillRect(rect, &globalData.brBarFace);
}

void CKtvPVisualManager::OnDrawAutoHideButtonBorder(CDC* pDC, CRect rectBounds, CRect rectBorderSize,
                                                    CKtvPAutoHideButton*)
{
    const COLORREF clr = globalData.clrBarShadow;
    if (rectBorderSize.left > 0)
        pDC->FillSolidRect(rectBounds.left, rectBounds.top, rectBorderSize.left, rectBounds.Height(), clr);
    if (rectBorderSize.top > 0)
        pDC->FillSolidRect(rectBounds.left, rectBounds.top, rectBounds.Width(), rectBorderSize.top, clr);
    if (rectBorderSize.right > 0)
        pDC->FillSolidRect(rectBounds.right - rectBorderSize.right, rectBounds.top, rectBorderSize.right,
                           rectBounds.Height(), clr);
    if (rectBorderSize.bottom > 0)
        pDC->FillSolidRect(rectBounds.left, rectBounds.bottom - rectBorderSize.bottom, rectBounds.Width(),
                           rectBorderSize.bottom, clr);
}

BOOL CKtvPVisualManager::OnDrawCalculatorButton(CDC* pDC, CRect rect, CKtvPToolbarButton*, ButtonState state, int,
                                                CKtvPCalculator*)
{
    if (state == ButtonsIsPressed) {
        pDC->FillRect(rect, &globalData.brLight);
        pDC->Draw3dRect(rect, globalData.clrBarShadow, globalData.clrBarHilite);
        return TRUE;
    }
    if (state == ButtonsIsHighlighted)
        pDC->FillRect(rect, &globalData.brLight);
    pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarShadow);
    return TRUE;
}

BOOL CKtvPVisualManager::OnDrawCalculatorDisplay(CDC* pDC, CRect rect, const CString&, BOOL, CKtvPCalculator*)
{
    pDC->FillRect(rect, &globalData.brWindow);
    pDC->Draw3dRect(rect, globalData.clrBarShadow, globalData.clrBarHilite);
    return TRUE;
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
    return CKtvPMenuImages::Size().cy + 6;
}

void CKtvPVisualManager::OnDrawShowAllMenuItems(CDC* pDC, CRect rect, ButtonState)
{
    CKtvPMenuImages::Draw(pDC, CKtvPMenuImages::IdArowShowAll, CenteredGlyph(rect, CKtvPMenuImages::IdArowShowAll),
                          CKtvPMenuImages::ImageBlack);
}
