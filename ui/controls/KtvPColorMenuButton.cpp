#include "ui/controls/KtvPColorMenuButton.h"

#include <algorithm>
#include <vector>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/controls/KtvPColorButton.h"
#include "ui/controls/KtvPColorDialog.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_SERIAL(CKtvPColorMenuButton, CKtvPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

UINT CKtvPColorMenuButton::KTVTOOLBAR_GETDOCUMENTCOLORS = ::RegisterWindowMessage("KTVTOOLBAR__GETDOCUMENTCOLORS");

namespace {

constexpr int kMaxMenuButtonPaletteColors = 100;

// Every colour menu button of the command except one.
template <class F>
void ForEachColorMenuButton(UINT uiCmdID, const CKtvPColorMenuButton* pExcept, F f)
{
    CObList lstButtons;
    CKtvPToolBar::GetCommandButtons(uiCmdID, lstButtons);
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pOther = dynamic_cast<CKtvPColorMenuButton*>(lstButtons.GetNext(pos));
        if (pOther != nullptr && pOther != pExcept)
            f(pOther);
    }
}

}  // namespace

CKtvPColorMenuButton::CKtvPColorMenuButton() = default;

CKtvPColorMenuButton::CKtvPColorMenuButton(UINT uiCmdID, LPCTSTR lpszText, CPalette* pPalette)
    : CKtvPToolbarMenuButton(uiCmdID, nullptr, GetCmdImage(uiCmdID, FALSE), lpszText, FALSE),
      m_Color(GetColorByCmdID(uiCmdID))
{
    CKtvPColorBar::InitColors(pPalette, m_Colors);
}

CKtvPColorMenuButton::~CKtvPColorMenuButton() = default;

COLORREF CKtvPColorMenuButton::GetColorByCmdID(UINT uiCmdID)
{
    COLORREF color = (COLORREF)-1;
    CKtvPColorBar::m_CommandColors.Lookup(uiCmdID, color);
    return color;
}

void CKtvPColorMenuButton::EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable)
{
    m_AutoLabel = bEnable && lpszLabel != nullptr ? lpszLabel : "";
    m_AutomaticColor = colorAutomatic;
    m_ShowAutomatic = bEnable && !m_AutoLabel.IsEmpty();
}

void CKtvPColorMenuButton::EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg, BOOL bEnable)
{
    m_OtherLabel = bEnable && lpszLabel != nullptr ? lpszLabel : "";
    m_UseStandardDialog = !bAltColorDlg;
    m_ShowOther = bEnable && !m_OtherLabel.IsEmpty();
}

void CKtvPColorMenuButton::EnableDocumentColors(LPCTSTR lpszLabel, BOOL bEnable)
{
    m_DocColorsLabel = bEnable && lpszLabel != nullptr ? lpszLabel : "";
    m_ShowDocColors = bEnable && !m_DocColorsLabel.IsEmpty();
}

void CKtvPColorMenuButton::EnableTearOff(UINT uiID, int nColumnsDockVert, int nRowsDockHorz)
{
    m_uiTearOffId = uiID;
    m_ColumnsDockVert = nColumnsDockVert;
    m_RowsDockHorz = nRowsDockHorz;
}

// The colour itself is not stored: a loaded button joins the colour its
// command shows on another button.
void CKtvPColorMenuButton::Serialize(CArchive& ar)
{
    CKtvPToolbarMenuButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << (int)m_Colors.GetSize();
        for (INT_PTR i = 0; i < m_Colors.GetSize(); i++)
            ar << (DWORD)m_Colors[i];
        ar << (DWORD)m_Columns << (DWORD)m_ColumnsDockVert << (DWORD)m_RowsDockHorz;
        ar << (DWORD)m_ShowAutomatic << (DWORD)m_ShowOther << (DWORD)m_ShowDocColors;
        ar << m_AutoLabel << m_OtherLabel << m_DocColorsLabel;
        ar << (DWORD)m_AutomaticColor << (DWORD)m_UseStandardDialog;
        return;
    }

    int nCount = 0;
    ar >> nCount;
    if (nCount < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    m_Colors.RemoveAll();
    for (int i = 0; i < nCount; i++) {
        DWORD dwColor = 0;
        ar >> dwColor;
        m_Colors.Add(dwColor);
    }
    DWORD dwColumns = 0, dwColumnsVert = 0, dwRows = 0, dwAuto = 0, dwOther = 0, dwDoc = 0;
    ar >> dwColumns >> dwColumnsVert >> dwRows >> dwAuto >> dwOther >> dwDoc;
    ar >> m_AutoLabel >> m_OtherLabel >> m_DocColorsLabel;
    DWORD dwAutomaticColor = 0, dwStandard = 0;
    ar >> dwAutomaticColor >> dwStandard;
    m_Columns = (int)dwColumns;
    m_ColumnsDockVert = (int)dwColumnsVert;
    m_RowsDockHorz = (int)dwRows;
    m_ShowAutomatic = (BOOL)dwAuto;
    m_ShowOther = (BOOL)dwOther;
    m_ShowDocColors = (BOOL)dwDoc;
    m_AutomaticColor = dwAutomaticColor;
    m_UseStandardDialog = (BOOL)dwStandard;

    BOOL bFound = FALSE;
    ForEachColorMenuButton(m_nID, this, [&](CKtvPColorMenuButton* pOther) {
        if (!bFound && pOther->m_Color != (COLORREF)-1) {
            m_Color = pOther->m_Color;
            bFound = TRUE;
        }
    });
}

void CKtvPColorMenuButton::CopyFrom(const CKtvPToolbarButton& src)
{
    CKtvPToolbarMenuButton::CopyFrom(src);
    const auto* pSrc = dynamic_cast<const CKtvPColorMenuButton*>(&src);
    if (pSrc == nullptr)
        return;
    m_Color = pSrc->m_Color;
    CKtvPColorBar::m_CommandColors.SetAt(pSrc->m_nID, m_Color);
    m_Colors.Copy(pSrc->m_Colors);
    m_ShowAutomatic = pSrc->m_ShowAutomatic;
    m_ShowOther = pSrc->m_ShowOther;
    m_ShowDocColors = pSrc->m_ShowDocColors;
    m_AutomaticColor = pSrc->m_AutomaticColor;
    m_AutoLabel = pSrc->m_AutoLabel;
    m_OtherLabel = pSrc->m_OtherLabel;
    m_DocColorsLabel = pSrc->m_DocColorsLabel;
    m_Columns = pSrc->m_Columns;
    m_ColumnsDockVert = pSrc->m_ColumnsDockVert;
    m_RowsDockHorz = pSrc->m_RowsDockHorz;
    m_UseStandardDialog = pSrc->m_UseStandardDialog;
}

void CKtvPColorMenuButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKtvPToolbarButton::OnChangeParentWnd(pWndParent);
    m_bShowArrow = TRUE;
    if (pWndParent != nullptr && pWndParent->IsKindOf(RUNTIME_CLASS(CKtvPMenuBar))) {
        m_bTextShown = TRUE;
    } else if (pWndParent != nullptr && pWndParent->IsKindOf(RUNTIME_CLASS(CKtvPPopupMenuBar))) {
        m_bMenuMode = TRUE;
        m_bTextShown = TRUE;
    } else {
        m_bMenuMode = FALSE;
    }
    m_pWndParent = pWndParent;
}

int CKtvPColorMenuButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    const UINT nID = m_nID;
    m_nID = 0;
    const int nWidth = CKtvPToolbarMenuButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
    m_nID = nID;
    return nWidth;
}

CKtvPPopupMenu* CKtvPColorMenuButton::CreatePopupMenu()
{
    CList<COLORREF, COLORREF> lstDocColors;
    if (m_ShowDocColors && m_pWndParent != nullptr) {
        CFrameWnd* pFrame = m_pWndParent->GetTopLevelFrame();
        if (pFrame != nullptr)
            pFrame->SendMessage(KTVTOOLBAR_GETDOCUMENTCOLORS, m_nID, (LPARAM)&lstDocColors);
    }
    auto* pPopup = new CColorPopup(m_Colors, m_Color, m_ShowAutomatic ? (LPCTSTR)m_AutoLabel : nullptr,
                                   m_ShowOther ? (LPCTSTR)m_OtherLabel : nullptr,
                                   m_ShowDocColors ? (LPCTSTR)m_DocColorsLabel : nullptr, lstDocColors, m_Columns,
                                   m_RowsDockHorz, m_ColumnsDockVert, m_AutomaticColor, m_nID, nullptr);
    pPopup->m_EnabledInCustomizeMode = FALSE;
    return pPopup;
}

void CKtvPColorMenuButton::SetColor(COLORREF color, BOOL bNotify)
{
    m_Color = color;
    CKtvPColorBar::m_CommandColors.SetAt(m_nID, color);
    if (m_pWndParent != nullptr && m_pWndParent->GetSafeHwnd() != nullptr)
        m_pWndParent->InvalidateRect(m_rect);
    if (!bNotify)
        return;

    ForEachColorMenuButton(m_nID, this, [color](CKtvPColorMenuButton* pOther) { pOther->SetColor(color, FALSE); });
    const CObList& lstBars = CKtvPToolBar::GetAllToolbars();
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = dynamic_cast<CKtvPColorBar*>(lstBars.GetNext(pos));
        if (pBar != nullptr && pBar->m_CommandId == m_nID)
            pBar->SetColor(color);
    }
}

BOOL CKtvPColorMenuButton::OpenColorDialog(const COLORREF colorDefault, COLORREF& colorRes)
{
    return KtvPickColor(colorDefault, m_UseStandardDialog, colorRes);
}

// The menu button draws itself, then the stripe of the colour goes under its image.
void CKtvPColorMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz,
                                  BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    CKtvPToolbarMenuButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                   bGrayDisabledButtons);
    if (!m_bImageShown || GetImage() < 0 || pImages == nullptr)
        return;

    CPalette* pOldPalette = nullptr;
    if (globalData.m_nBitsPerPixel == 8) {
        if (m_Palette.GetSafeHandle() == nullptr)
            KtvCreateColorPalette(m_Colors, kMaxMenuButtonPaletteColors, m_Palette);
        pOldPalette = pDC->SelectPalette(&m_Palette, FALSE);
        pDC->RealizePalette();
    } else if (m_Palette.GetSafeHandle() != nullptr) {
        m_Palette.DeleteObject();
    }

    CKtvPVisualManager* pManager = CKtvPVisualManager::GetInstance();
    CRect rectWork = rect;
    const CSize sizeExtra = pManager->GetButtonExtraBorder();
    if (m_bExtraSize && sizeExtra != CSize(0, 0))
        rectWork.DeflateRect(sizeExtra.cx / 2 + 1, sizeExtra.cy / 2 + 1);

    const CSize sizeImage = pImages->GetImageSize();
    const int nStripe = CKtvPToolBar::m_bLargeIcons ? 10 : 5;
    const int nGlyph = CKtvPMenuImages::Size().cx;
    CRect rectStripe;
    if (m_bMenuMode) {
        rectStripe.left = rectWork.left + pManager->GetMenuImageMargin() + 1;
        rectStripe.right = rectStripe.left + sizeImage.cx;
        rectStripe.bottom = rectWork.bottom - 2;
        rectStripe.top = rectStripe.bottom - nStripe;
    } else {
        int nRight = rectWork.right;
        if (bHorz && m_bShowArrow)
            nRight -= 4 + (CKtvPToolBar::m_bLargeIcons ? 2 * nGlyph : nGlyph);
        rectStripe.SetRect(rectWork.left + 4, rectWork.top + sizeImage.cy - 1, nRight - 4,
                           rectWork.top + sizeImage.cy - 1 + nStripe);
        if (!bHorz)
            rectStripe.OffsetRect(-1, 3);
        const BOOL bDown = (m_nStyle & (TBBS_PRESSED | TBBS_CHECKED)) || (m_pPopupMenu != nullptr && !m_bClickedOnMenu);
        if (bDown && pManager->IsOffsetPressedButton())
            rectStripe.OffsetRect(1, 1);
    }

    const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) != 0;
    if (bHighlight && !bCustomizeMode && pManager->m_bShadowHotImages && !bDisabled &&
        !(m_nStyle & (TBBS_PRESSED | TBBS_CHECKED | TBBS_INDETERMINATE))) {
        pDC->FillSolidRect(rectStripe, globalData.clrBarShadow);
        rectStripe.OffsetRect(-1, -1);
    }

    const COLORREF color = m_Color == (COLORREF)-1 ? m_AutomaticColor : m_Color;
    pDC->FillSolidRect(rectStripe, bDisabled ? globalData.clrBarShadow
                                             : PALETTERGB(GetRValue(color), GetGValue(color), GetBValue(color)));
    // The plain look always frames the stripe; the others only when it would vanish into the bar.
    if (pManager->GetRuntimeClass() == RUNTIME_CLASS(CKtvPVisualManager))
        pDC->Draw3dRect(rectStripe, globalData.clrBarShadow, globalData.clrBarLight);
    else if (color == globalData.clrBarFace)
        pDC->Draw3dRect(rectStripe, globalData.clrBarDkShadow, globalData.clrBarDkShadow);

    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, FALSE);
}
