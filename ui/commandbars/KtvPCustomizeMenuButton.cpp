#include "ui/commandbars/KtvPCustomizeMenuButton.h"

#include "platform/mfc/CDC.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPVisualManager.h"

namespace {
constexpr int kResetIndex = 17016;   // the item that offers to reset the bar
}

IMPLEMENT_DYNCREATE(CKtvPCustomizeMenuButton, CKtvPToolbarMenuButton)

CKtvPToolBar* CKtvPCustomizeMenuButton::m_pWndToolBar = nullptr;
CMap<UINT, UINT, int, int> CKtvPCustomizeMenuButton::m_mapPresentIDs(10);

CKtvPCustomizeMenuButton::CKtvPCustomizeMenuButton() = default;

CKtvPCustomizeMenuButton::CKtvPCustomizeMenuButton(int uiID, HMENU hMenu, int iImage, LPCTSTR lpszText,
                                                   BOOL bUserImage)
    : CKtvPToolbarMenuButton((UINT)uiID, hMenu, iImage, lpszText, bUserImage)
{
}

CKtvPCustomizeMenuButton::~CKtvPCustomizeMenuButton() = default;

void CKtvPCustomizeMenuButton::CopyFrom(const CKtvPToolbarButton& s)
{
    CKtvPToolbarMenuButton::CopyFrom(s);
    const auto& src = static_cast<const CKtvPCustomizeMenuButton&>(s);
    m_iIndex = src.m_iIndex;
    m_bChecked = src.m_bChecked;
    m_bSeparator = src.m_bSeparator;
    m_bExist = src.m_bExist;
    m_bAddSeparator = src.m_bAddSeparator;
    m_bEnabled = src.m_bEnabled;
    m_bBrothersBtn = src.m_bBrothersBtn;
}

void CKtvPCustomizeMenuButton::SetItemIndex(int iIndex, BOOL bExist, BOOL bAddSeparator)
{
    m_iIndex = iIndex;
    m_bExist = bExist;
    m_bAddSeparator = bAddSeparator;
    CKtvPToolbarButton* pBarButton =
        m_pWndToolBar != nullptr && iIndex != kResetIndex ? m_pWndToolBar->GetButton(iIndex) : nullptr;
    m_bChecked = bExist && !m_bSeparator && pBarButton != nullptr && pBarButton->m_bVisible;
}

void CKtvPCustomizeMenuButton::RedrawCustomizeButton()
{
    if (m_pWndToolBar == nullptr || m_pWndToolBar->m_pCustomizeBtn == nullptr ||
        m_pWndToolBar->GetSafeHwnd() == nullptr)
        return;
    CCustomizeButton* pChevron = m_pWndToolBar->m_pCustomizeBtn;
    CRect rect = pChevron->GetInvalidateRect();
    rect.InflateRect(10, 10);
    m_pWndToolBar->InvalidateRect(rect);
    if (pChevron->m_bExtraValid)
        rect.InflateRect(pChevron->m_sizeExtra.cx, pChevron->m_sizeExtra.cy);
    m_pWndToolBar->RedrawWindow(rect, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

CSize CKtvPCustomizeMenuButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (m_bSeparator)
        return CSize(0, 4);
    if (m_bBrothersBtn)
        return CKtvPToolbarMenuButton::OnCalculateSize(pDC, sizeDefault, bHorz);

    if (!m_strText.IsEmpty()) {
        const int iTab = m_strText.Find(_T('\t'));
        if (iTab >= 0)
            m_strText = m_strText.Left(iTab);
    } else {
        m_strText = KtvCommandLabel(m_nID);
    }
    if (m_bMenuMode && g_pKeyboardManager != nullptr && !(m_nID >= 0xF000 && m_nID < 0xF1F0))
        AppendAcceleratorText();

    TEXTMETRIC tm = {};
    pDC->GetTextMetrics(&tm);
    const CSize sizeImage = CKtvPToolBar::GetMenuImageSize();
    const int nMargin = CKtvPVisualManager::GetInstance()->GetMenuImageMargin();
    const int cx = m_strText.GetLength() * tm.tmAveCharWidth + 2 * sizeImage.cx + 3 * nMargin + 50;
    const int cy = sizeImage.cy + (m_bMenuMode ? 0 : nMargin);
    return CSize(cx, cy);
}

void CKtvPCustomizeMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz,
                                      BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                      BOOL bGrayDisabledButtons)
{
    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    const int nMargin = pLook->GetMenuImageMargin();
    const CSize sizeImage = CKtvPToolBar::GetMenuImageSize();
    if (m_bSeparator) {
        CRect rectSeparator(rect.left + nMargin + 2 * sizeImage.cx, rect.top, rect.right, rect.bottom);
        pLook->OnDrawSeparator(pDC, DYNAMIC_DOWNCAST(CKtvPBaseControlBar, m_pWndParent), rectSeparator, FALSE);
        return;
    }
    if (m_bBrothersBtn) {
        CKtvPToolbarMenuButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                       bGrayDisabledButtons);
        return;
    }

    const CRect rectCheck(rect.left + 2, rect.top, rect.left + rect.Height(), rect.bottom - 2);
    if (m_bEnabled) {
        SetStyle(m_bChecked && bHighlight ? TBBS_CHECKED : 0);
        if (bHighlight) {
            CRect rectHighlight(rect.left + 2, rect.top, rect.right, rect.bottom - 2);
            COLORREF clrText = RGB(0, 0, 0);
            pLook->OnHighlightMenuItem(pDC, this, rectHighlight, clrText);
        }
    } else {
        SetStyle(TBBS_DISABLED);
        bHighlight = FALSE;
    }
    DrawCheck(pDC, rectCheck, bHighlight);
    if (m_bEnabled && bHighlight)
        SetStyle(0);

    // The label starts at the check square's right edge.
    const CRect rectItem(rectCheck.right, rect.top, rect.right, rect.bottom - 2);
    DrawItem(pDC, rectItem, pImages, bHighlight, !m_bEnabled);
}

void CKtvPCustomizeMenuButton::DrawCheck(CDC* pDC, const CRect& rect, BOOL bHighlight)
{
    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    if (!m_bChecked) {
        if (m_nStyle & TBBS_CHECKED)
            pLook->OnDrawButtonBorder(pDC, this, rect, ButtonsIsPressed);
        return;
    }
    const CSize sizeGlyph = CKtvPMenuImages::Size();
    CRect rectInner = rect;
    rectInner.DeflateRect(0, 1);
    if (m_nStyle & TBBS_DISABLED) {
        FillInterior(pDC, rectInner, TRUE);
        CKtvPMenuImages::Draw(pDC, CKtvPMenuImages::IdCheck,
                              CPoint(rect.left + rect.Width() / 4, rect.top + rect.Height() / 4),
                              CKtvPMenuImages::ImageGray);
    } else {
        rectInner.DeflateRect(1, 0);
        const UINT nStyle = m_nStyle;
        m_nStyle |= TBBS_CHECKED;
        FillInterior(pDC, rectInner, bHighlight);
        m_nStyle = nStyle;
        const CPoint ptCentre = rect.CenterPoint();
        CKtvPMenuImages::Draw(pDC, CKtvPMenuImages::IdCheck,
                              CPoint(ptCentre.x - sizeGlyph.cx / 2 - 1, ptCentre.y - sizeGlyph.cy / 2 - 1));
    }
    pLook->OnDrawButtonBorder(pDC, this, rect, ButtonsIsPressed);
}

void CKtvPCustomizeMenuButton::DrawItem(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHighlight,
                                        BOOL bGrayDisabledButtons)
{
    // The reset item never shows an image; the check is drawn by DrawCheck.
    const int iImage = m_iImage, iUserImage = m_iUserImage;
    const UINT nStyle = m_nStyle;
    if (m_iIndex == kResetIndex)
        m_iImage = m_iUserImage = -1;
    m_nStyle &= ~TBBS_CHECKED;
    DrawMenuItem(pDC, rect, pImages, FALSE, bHighlight, bGrayDisabledButtons);
    m_iImage = iImage;
    m_iUserImage = iUserImage;
    m_nStyle = nStyle;
}

BOOL CKtvPCustomizeMenuButton::OnClickMenuItem()
{
    if (m_bSeparator || !m_bEnabled)
        return TRUE;

    auto* pPopupBar = DYNAMIC_DOWNCAST(CKtvPPopupMenuBar, m_pWndParent);
    if (pPopupBar != nullptr) {
        const int iSelf = pPopupBar->ButtonToIndex(this);
        if (iSelf >= 0 && pPopupBar->m_iHighlighted != iSelf) {
            const int iOld = pPopupBar->m_iHighlighted;
            pPopupBar->m_iHighlighted = iSelf;
            if (iOld >= 0)
                pPopupBar->InvalidateButton(iOld);
            pPopupBar->InvalidateButton(iSelf);
        }
    }
    CKtvPToolBar* pBar = m_pWndToolBar;
    if (pBar == nullptr)
        return TRUE;

    if (m_bBrothersBtn) {
        if (pBar->IsOneRowWithSibling())
            pBar->SetTwoRowsWithSibling();
        else
            pBar->SetOneRowWithSibling();
        return FALSE;
    }
    if (m_iIndex == kResetIndex) {
        pBar->PostMessage(KTVM_RESETRPROMPT);
        return FALSE;
    }

    if (m_bExist) {
        CKtvPToolbarButton* pButton = pBar->GetButton(m_iIndex);
        if (pButton == nullptr)
            return TRUE;
        pButton->m_bVisible = !pButton->m_bVisible;
        m_bChecked = pButton->m_bVisible;
        CKtvPToolbarButton* pNext = pBar->GetButton(m_iIndex + 1);
        if (pNext != nullptr && (pNext->m_nStyle & TBBS_SEPARATOR))
            pNext->m_bVisible = pButton->m_bVisible;
    } else {
        // A button of the bar's resource layout that the user deleted comes back at its place.
        POSITION pos = pBar->m_OrigResetButtons.FindIndex(m_iIndex);
        if (pos == nullptr)
            return TRUE;
        auto* pOriginal = static_cast<CKtvPToolbarButton*>(pBar->m_OrigResetButtons.GetAt(pos));
        int iNew = pBar->InsertButtonCopy(*pOriginal, m_iIndex);
        BOOL bAtPlace = iNew >= 0;
        if (iNew < 0) {
            iNew = pBar->InsertButtonCopy(*pOriginal);
            bAtPlace = FALSE;
        }
        if (iNew < 0)
            return TRUE;
        if (bAtPlace && pPopupBar != nullptr) {
            for (int i = 0; i < pPopupBar->GetCount(); i++) {
                auto* pItem = DYNAMIC_DOWNCAST(CKtvPCustomizeMenuButton, pPopupBar->GetButton(i));
                if (pItem != nullptr && pItem != this && pItem->m_bExist && pItem->m_iIndex != kResetIndex &&
                    pItem->m_iIndex >= iNew)
                    pItem->m_iIndex++;
            }
        }
        m_iIndex = iNew;
        if (m_bAddSeparator) {
            CKtvPToolbarButton* pNext = pBar->GetButton(iNew + 1);
            if (pNext == nullptr || pNext == pBar->m_pCustomizeBtn || !(pNext->m_nStyle & TBBS_SEPARATOR))
                pBar->InsertSeparator(iNew + 1);
        }
        m_bExist = m_bChecked = TRUE;
    }

    pBar->AdjustLayout();
    pBar->AdjustSizeImmediate(TRUE);
    RedrawCustomizeButton();
    if (pPopupBar != nullptr) {
        pPopupBar->Invalidate();
        pPopupBar->UpdateWindow();
    }
    if (pBar->m_pCustomizeBtn != nullptr && pBar->m_pCustomizeBtn->m_pPopupMenu != nullptr)
        pBar->m_pCustomizeBtn->m_pPopupMenu->RedrawWindow(nullptr, nullptr,
                                                          RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return TRUE;
}
