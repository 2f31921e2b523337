// Toolbar painting, hit-testing and tooltips: the background through the
// visual manager, every button from the image strip that matches its state,
// the customise selection frame and insertion marker, and one tooltip tool
// per button.
#include "platform/comctl/commctrl.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPDropDownToolBar.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPVisualManager.h"

namespace {
BOOL HasImages(const CKtvPToolBarImages* pImages) { return pImages != nullptr && pImages->GetCount() > 0; }

// The keys bound to a command, as a tooltip names them: looked up in the frame
// treated as top level (an active in-place frame while one is up), then in its
// active frame. Empty when no key runs the command.
CString TipShortcutKeys(const CWnd* pBar, UINT uiCmd)
{
    CFrameWnd* pFrame = g_pKtvTopLevelFrameOverride;
    if (pFrame == nullptr) {
        auto* pParentFrame = DYNAMIC_DOWNCAST(CFrameWnd, KtvGetParentFrame(const_cast<CWnd*>(pBar)));
        pFrame = pParentFrame != nullptr ? pParentFrame->GetTopLevelFrame() : nullptr;
        if (pFrame == nullptr)
            pFrame = pParentFrame;
    }
    CString strKeys;
    if (CKtvPKeyboardManager::FindDefaultAccelerator(uiCmd, strKeys, pFrame, TRUE))
        return strKeys;
    CFrameWnd* pActive = pFrame != nullptr ? pFrame->GetActiveFrame() : nullptr;
    if (pActive != nullptr && CKtvPKeyboardManager::FindDefaultAccelerator(uiCmd, strKeys, pActive, FALSE))
        return strKeys;
    return CString();
}
}  // namespace

CKtvPToolBarImages* CKtvPToolBar::GetImageList(CKtvPToolBarImages& images, CKtvPToolBarImages& imagesLocked,
                                               CKtvPToolBarImages& largeImages,
                                               CKtvPToolBarImages& largeImagesLocked) const
{
    const BOOL bLarge = m_bLargeIcons && !m_bMenuMode;
    if (m_bLocked)
        return bLarge && largeImagesLocked.GetCount() > 0 ? &largeImagesLocked : &imagesLocked;
    return bLarge && largeImages.GetCount() > 0 ? &largeImages : &images;
}

void CKtvPToolBar::DoPaint(CDC* pDCPaint)
{
    CRect rectClip;
    pDCPaint->GetClipBox(rectClip);
    CRect rectClient;
    GetClientRect(&rectClient);
    const BOOL bHorz = IsHorizontal();

    CKtvPMemDC memDC(*pDCPaint, this);
    CDC* pDC = &memDC.GetDC();

    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    if (GetStyle() & 0x8000)
        m_Impl.DrawParentBackground(pDC);
    else
        pLook->OnFillBarBackground(pDC, this, rectClient, rectClip, FALSE);

    OnAfterFillBackground(pDC);
    pDC->SetTextColor(globalData.clrBtnText);
    pDC->SetBkMode(TRANSPARENT);

    CKtvPToolBarImages* pImages =
        GetImageList(m_Images, m_ImagesLocked, m_LargeImages, m_LargeImagesLocked);
    CKtvPToolBarImages* pColdImages =
        GetImageList(m_ColdImages, m_ColdImagesLocked, m_LargeColdImages, m_LargeColdImagesLocked);
    CKtvPToolBarImages* pDisabledImages =
        GetImageList(m_DisabledImages, m_DisabledImagesLocked, m_LargeDisabledImages, m_LargeDisabledImagesLocked);
    CKtvPToolBarImages* pMenuImages = m_bLocked ? &m_MenuImagesLocked : &m_MenuImages;
    CKtvPToolBarImages* pDisabledMenuImages = m_bLocked ? &m_DisabledMenuImagesLocked : &m_DisabledMenuImages;

    CSize sizeImage;
    if (m_bMenuMode)
        sizeImage = m_sizeMenuImage;
    else if (m_bLocked)
        sizeImage = m_bLargeIconsAreEnabled ? m_sizeCurImageLocked : m_sizeImageLocked;
    else
        sizeImage = m_bLargeIconsAreEnabled ? m_sizeCurImage : m_sizeImage;

    const BOOL bDrawImages = pImages->GetImageWell() != nullptr;
    const BOOL bFadeSaved = pLook->m_bFadeImages;
    CKtvPDrawState ds;
    CKtvPToolBarImages* pPrepared = nullptr;

    auto prepare = [&](CKtvPToolBarImages* pStrip) -> BOOL {
        if (pStrip->GetLastFaceColor() != globalData.clrBtnFace) {
            pStrip->SetLastFaceColor(globalData.clrBtnFace);
            pStrip->CreateFadedImages();
        }
        if (!pStrip->PrepareDrawImage(ds, sizeImage, pLook->m_bFadeImages))
            return FALSE;
        pPrepared = pStrip;
        return TRUE;
    };

    if (bDrawImages && !prepare(pImages))
        return;

    CFont* pOldFont = pDC->SelectObject(GetBarFont(!bHorz));
    if (HasImages(pColdImages))
        pLook->m_bFadeImages = FALSE;

    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        if (IsSeparatorButton(pButton)) {
            CRect rectSeparator;
            GetSeparatorRect(pButton, &rectSeparator, bHorz);
            CRect rectInter;
            if (!pButton->m_bOverflow && rectInter.IntersectRect(rectSeparator, rectClip))
                DrawSeparator(pDC, rectSeparator, pButton->m_bRowBreak ? FALSE : bHorz);
            continue;
        }
        CRect rectInter;
        if (!rectInter.IntersectRect(pButton->m_rect, rectClip) || !pDC->RectVisible(pButton->m_rect))
            continue;

        const BOOL bHighlight = IsButtonHighlighted(i);
        const BOOL bDisabled = (pButton->m_nStyle & TBBS_DISABLED) && !m_bCustomizeMode;
        BOOL bDisabledImage = FALSE;
        CKtvPToolBarImages* pStrip = nullptr;

        if (pButton->m_bUserImage) {
            pStrip = pButton->m_iUserImage < 0 ? nullptr : m_pUserImages;
        } else if (!m_bMenuMode) {
            if (bDisabled && HasImages(pDisabledImages)) {
                pStrip = pDisabledImages;
                bDisabledImage = TRUE;
            } else {
                pStrip = pImages;
            }
            if (!bHighlight && !(pButton->m_nStyle & TBBS_PRESSED) && !pButton->IsDroppedDown() &&
                !bDisabledImage && HasImages(pColdImages))
                pStrip = pColdImages;
        } else if (bDisabled && HasImages(pDisabledMenuImages)) {
            pStrip = pDisabledMenuImages;
            bDisabledImage = TRUE;
        } else if (HasImages(pMenuImages)) {
            pStrip = pMenuImages;
        } else if (bDisabled && HasImages(pDisabledImages)) {
            pStrip = pDisabledImages;
            bDisabledImage = TRUE;
        } else {
            pStrip = pImages;
        }

        if (bDrawImages && pStrip != nullptr && pStrip != pPrepared) {
            if (pPrepared != nullptr)
                pPrepared->EndDrawImage(ds);
            pPrepared = nullptr;
            prepare(pStrip);
        }
        DrawButton(pDC, pButton, bDrawImages && pStrip == pPrepared ? pStrip : nullptr, bHighlight,
                   bDisabledImage);
    }

    if (m_iSelected >= m_Buttons.GetCount())
        m_iSelected = -1;

    if (m_bCustomizeMode && !m_bLocked && m_pSelToolbar == this) {
        CKtvPToolbarButton* pSelected = GetButton(m_iSelected);
        if (pSelected != nullptr && pSelected->CanBeStored()) {
            CRect rect = pSelected->m_rect;
            if (pSelected->GetHwnd() != nullptr)
                rect.InflateRect(0, 1);
            const COLORREF clrFrame = globalData.clrBtnText;
            pDC->Draw3dRect(rect, clrFrame, clrFrame);
            rect.DeflateRect(1, 1);
            pDC->Draw3dRect(rect, clrFrame, clrFrame);
        }
    }
    if (m_bCustomizeMode && m_iDragIndex >= 0 && !m_bLocked)
        DrawDragMarker(pDC);

    pDC->SelectObject(pOldFont);
    if (pPrepared != nullptr)
        pPrepared->EndDrawImage(ds);
    pLook->m_bFadeImages = bFadeSaved;
}

BOOL CKtvPToolBar::DrawButton(CDC* pDC, CKtvPToolbarButton* pButton, CKtvPToolBarImages* pImages,
                              BOOL bHighlighted, BOOL bDrawDisabledImages)
{
    if (!pButton->m_bVisible || pButton->m_bOverflow || !pDC->RectVisible(pButton->m_rect))
        return TRUE;
    pButton->OnDraw(pDC, pButton->m_rect, pImages, IsHorizontal(), m_bCustomizeMode && !m_bAltCustomizeDrag && !m_bLocked,
                    bHighlighted, m_bShowHotBorder, m_bGrayDisabledButtons && !bDrawDisabledImages);
    return TRUE;
}

void CKtvPToolBar::DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz)
{
    CKtvPVisualManager::GetInstance()->OnDrawSeparator(pDC, this, rect, bHorz);
}

BOOL CKtvPToolBar::IsButtonHighlighted(int iButton) const
{
    if (m_bCustomizeMode && !m_bLocked)
        return FALSE;
    if (m_bMenuMode)
        return iButton == m_iHighlighted;
    if (iButton != m_iHighlighted && iButton != m_iButtonCapture)
        return FALSE;
    return m_iButtonCapture == -1 || iButton == m_iButtonCapture;
}

CKtvPToolbarButton* CKtvPToolBar::InvalidateButton(int nIndex)
{
    CKtvPToolbarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr || GetSafeHwnd() == nullptr)
        return pButton;
    CRect rect = pButton->GetInvalidateRect();
    if (pButton == m_pCustomizeBtn) {
        rect.right += 10;
        rect.bottom += 10;
        const CSize sizeExtra = m_pCustomizeBtn->m_sizeExtra;
        if (sizeExtra != CSize(0, 0)) {
            CRect rectExtra = rect;
            rectExtra.InflateRect(sizeExtra);
            RedrawWindow(rectExtra, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        }
    }
    InvalidateRect(rect, TRUE);
    return pButton;
}

CKtvPToolbarButton* CKtvPToolBar::GetHighlightedButton() const { return GetButton(m_iHighlighted); }

void CKtvPToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    CKtvPToolbarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr)
        ::SetRectEmpty(lpRect);
    else
        *lpRect = pButton->m_rect;
}

void CKtvPToolBar::GetInvalidateItemRect(int nIndex, LPRECT lpRect) const
{
    CKtvPToolbarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr)
        ::SetRectEmpty(lpRect);
    else
        *lpRect = pButton->GetInvalidateRect();
}

int CKtvPToolBar::HitTest(CPoint point)
{
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->m_rect.PtInRect(point) && !pButton->m_bOverflow)
            return IsSeparatorButton(pButton) ? -1 : i;
    }
    return -1;
}

INT_PTR CKtvPToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (!m_bShowTooltips)
        return -1;
    const INT_PTR nBase = CKtvPBaseToolBar::OnToolHitTest(point, pTI);
    if (nBase != -1)
        return nBase;

    auto* pThis = const_cast<CKtvPToolBar*>(this);
    const int iButton = pThis->HitTest(point);
    if (iButton < 0)
        return -1;
    CKtvPToolbarButton* pButton = GetButton(iButton);
    const UINT uiCmd = pButton->m_nID;
    const UINT uiToolId = uiCmd == (UINT)-1 ? 0 : uiCmd;
    if (pTI == nullptr)
        return uiToolId;

    CString strText;
    if (!OnUserToolTip(pButton, strText)) {
        if ((uiCmd == 0 || uiCmd == (UINT)-1 || pButton->m_bUserImage) && !pButton->m_strText.IsEmpty()) {
            strText = pButton->m_strText;
            strText.Remove('&');
        } else if (IsUserToolCmd(uiCmd)) {
            strText = pButton->m_strText;
        } else {
            strText = CommandTipText(uiCmd);
        }
    }
    if (strText.IsEmpty())
        return -1;
    if (uiCmd != 0 && uiCmd != (UINT)-1 && m_bShowShortcutKeys) {
        const CString strKeys = TipShortcutKeys(this, uiCmd);
        if (!strKeys.IsEmpty())
            strText += _T(" (") + strKeys + _T(")");
    }

    pTI->lpszText = strdup(strText);
    pTI->rect = pButton->m_rect;
    pTI->uId = uiToolId;
    pTI->hwnd = GetSafeHwnd();
    return uiToolId;
}

BOOL CKtvPToolBar::OnNeedTipText(UINT, NMHDR* pNMH, LRESULT* pResult)
{
    if (m_ToolTip.GetSafeHwnd() == nullptr || pNMH->hwndFrom != m_ToolTip.GetSafeHwnd())
        return FALSE;

    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);

    TOOLINFO ti{};
    ti.cbSize = 40;
    const INT_PTR nHit = OnToolHitTest(point, &ti);
    if (nHit < 0 || ti.lpszText == nullptr || ti.lpszText == LPSTR_TEXTCALLBACK)
        return FALSE;

    m_strToolTipText = ti.lpszText;
    free(ti.lpszText);

    auto* pTTT = reinterpret_cast<NMTTDISPINFO*>(pNMH);
    pTTT->lpszText = const_cast<LPTSTR>((LPCTSTR)m_strToolTipText);
    m_ToolTip.SetFont(&globalData.fontRegular, FALSE);
    *pResult = 0;
    return TRUE;
}

void CKtvPToolBar::UpdateTooltips()
{
    if (m_ToolTip.GetSafeHwnd() == nullptr)
        return;
    // Tools are numbered by button index + 1, so separators leave gaps: every
    // id handed out last time goes, not only as many as were counted.
    for (int nId = m_nLastTooltipId; nId >= 1; nId--)
        m_ToolTip.DelTool(this, nId);
    m_nTooltipsCount = 0;
    m_nLastTooltipId = 0;

    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->m_nStyle == TBBS_SEPARATOR)
            continue;
        const CString strTip = CommandTipText(pButton->m_nID);
        if (!pButton->AddToolTip(this, i, &m_ToolTip, strTip))
            m_ToolTip.AddTool(this, LPSTR_TEXTCALLBACK, pButton->m_rect, i + 1);
        m_nTooltipsCount++;
        m_nLastTooltipId = i + 1;
    }
}

BOOL CKtvPToolBar::OnUserToolTip(CKtvPToolbarButton* pButton, CString& strTTText) const
{
    CWnd* pFrame = KtvGetParentFrame(const_cast<CKtvPToolBar*>(this));
    if (auto* pDropDownFrame = DYNAMIC_DOWNCAST(CKtvPDropDownFrame, pFrame))
        pFrame = KtvGetParentFrame(pDropDownFrame);
    CKtvPFrameHooks* pHooks = KtvGetFrameHooks(pFrame);
    if (pHooks == nullptr)
        return FALSE;
    return pHooks->GetToolbarButtonToolTipText(pButton, strTTText);
}

void CKtvPToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) { m_Impl.CalcNcSize(lpncsp); }

void CKtvPToolBar::OnNcPaint() { m_Impl.DrawNcArea(); }

LRESULT CKtvPToolBar::OnNcHitTest(CPoint) { return HTCLIENT; }

BOOL CKtvPToolBar::OnEraseBkgnd(CDC*) { return TRUE; }

void CKtvPToolBar::OnSysColorChange()
{
    globalData.UpdateSysColors();
    CKtvPVisualManager::GetInstance()->OnUpdateSystemColors();

    CKtvPToolBarImages* strips[] = {
        &m_Images, &m_ColdImages, &m_DisabledImages, &m_LargeImages, &m_LargeColdImages,
        &m_LargeDisabledImages, &m_MenuImages, &m_DisabledMenuImages, &m_ImagesLocked, &m_ColdImagesLocked,
        &m_DisabledImagesLocked, &m_LargeImagesLocked, &m_LargeColdImagesLocked, &m_LargeDisabledImagesLocked,
        &m_MenuImagesLocked, &m_DisabledMenuImagesLocked, m_pUserImages,
    };
    for (CKtvPToolBarImages* pStrip : strips) {
        if (pStrip != nullptr)
            pStrip->OnSysColorChange();
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CKtvPToolBar::OnSettingChange(UINT uFlags, LPCTSTR)
{
    Default();
    if (uFlags == SPI_SETNONCLIENTMETRICS) {
        globalData.UpdateFonts();
        AdjustLayout();
    }
}

void CKtvPToolBar::OnGlobalFontsChanged()
{
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos))->OnGlobalFontsChanged();
}
