#include "ui/controls/KtvPColorBar.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/controls/KtvPColorButton.h"
#include "ui/controls/KtvPColorDialog.h"
#include "ui/controls/KtvPColorMenuButton.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/commandbars/KtvPPopupOutsideInput.h"

namespace {

constexpr int kColorBarInset = 4;       // the grid's distance from the client edges in the size
constexpr int kMaxPaletteColors = 100;  // entries of a bar's own palette

BOOL IsColorBarPaletteScreen() { return globalData.m_nBitsPerPixel == 8; }

BOOL IsTextCell(const CColorButton* pButton)
{
    return pButton->m_IsAutomatic || pButton->m_IsOther || pButton->m_IsLabel;
}

COLORREF PaletteRelative(COLORREF color) { return PALETTERGB(GetRValue(color), GetGValue(color), GetBValue(color)); }

// Light top-left and dark bottom-right, then the reverse one pixel further:
// the sunken square of a disabled swatch.
void DrawEmbossedSquare(CDC* pDC, CRect rect)
{
    pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarShadow);
    rect.OffsetRect(1, 1);
    pDC->Draw3dRect(rect, globalData.clrBarShadow, globalData.clrBarHilite);
}

// Whether a handler enabled the command; a handler that says nothing leaves it enabled.
class CColorBarCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    BOOL m_bEnabled = TRUE;
};

}  // namespace

// --- CColorButton ----------------------------------------------------------------------------------

IMPLEMENT_SERIAL(CColorButton, CKtvPToolbarButton, 1)

CColorButton::CColorButton()
    : m_Color((COLORREF)-1),
      m_Selected(FALSE),
      m_IsAutomatic(FALSE),
      m_IsOther(FALSE),
      m_IsLabel(FALSE),
      m_IsDocument(FALSE),
      m_IsOtherColor(FALSE),
      m_ParentBar(nullptr)
{
}

CColorButton::CColorButton(COLORREF color, BOOL bIsAutomatic, BOOL bIsOther, LPCTSTR lpszColorName,
                           BOOL bHighlight, BOOL bIsDocument, BOOL bIsOtherColor)
    : m_Color(color),
      m_Selected(bHighlight),
      m_IsAutomatic(bIsAutomatic),
      m_IsOther(bIsOther),
      m_IsLabel(FALSE),
      m_IsDocument(bIsDocument),
      m_IsOtherColor(bIsOtherColor),
      m_ParentBar(nullptr)
{
    m_strText = lpszColorName == nullptr ? "" : lpszColorName;
}

CColorButton::~CColorButton() = default;

void CColorButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKtvPToolbarButton::OnChangeParentWnd(pWndParent);
    m_ParentBar = dynamic_cast<CKtvPColorBar*>(pWndParent);
}

void CColorButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages*, BOOL bHorz, BOOL bCustomizeMode,
                          BOOL bHighlight, BOOL bDrawBorder, BOOL)
{
    CPalette* pOldPalette = m_ParentBar != nullptr ? m_ParentBar->SelectBarPalette(pDC) : nullptr;

    const UINT nStyle = m_nStyle;
    if (m_Selected)
        m_nStyle |= TBBS_CHECKED;

    FillInterior(pDC, rect, bHighlight && !m_IsDocument);

    const BOOL bEnabled = (m_nStyle & TBBS_DISABLED) == 0;
    if (bEnabled && !m_IsLabel && HaveHotBorder() && bDrawBorder && !bCustomizeMode) {
        CKtvPVisualManager* pManager = CKtvPVisualManager::GetInstance();
        if (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED))
            pManager->OnDrawButtonBorder(pDC, this, rect, ButtonsIsPressed);
        else if (bHighlight && !(m_nStyle & (TBBS_CHECKED | TBBS_INDETERMINATE)))
            pManager->OnDrawButtonBorder(pDC, this, rect, ButtonsIsHighlighted);
    }

    CRect rectFrame = rect;
    rectFrame.DeflateRect(2, 2);

    if (IsTextCell(this)) {
        CRect rectText = rectFrame;
        if (m_IsAutomatic && m_Color != (COLORREF)-1) {
            CRect rectColor = rectFrame;
            rectColor.DeflateRect(3, 3);
            rectColor.right = rectColor.left + rectColor.Height();
            if (bEnabled) {
                pDC->FillSolidRect(rectColor, PaletteRelative(m_Color));
                pDC->Draw3dRect(rectColor, globalData.clrBarShadow, globalData.clrBarShadow);
            } else {
                DrawEmbossedSquare(pDC, rectColor);
            }
            rectText.left = rectColor.right + 2;
        }
        CFont* pOldFont = bHorz ? nullptr : pDC->SelectObject(&globalData.fontRegular);
        const COLORREF clrOldText =
            pDC->SetTextColor(!bEnabled && !m_IsLabel ? globalData.clrGrayedText : globalData.clrBarText);
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(m_strText, rectText,
                      (m_IsLabel ? DT_LEFT : DT_CENTER) | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        pDC->SetBkMode(nOldMode);
        pDC->SetTextColor(clrOldText);
        if (pOldFont != nullptr)
            pDC->SelectObject(pOldFont);
    } else {
        if (bEnabled && m_Color != (COLORREF)-1)
            pDC->FillSolidRect(rectFrame, PaletteRelative(m_Color));
        if (bEnabled)
            pDC->Draw3dRect(rectFrame, globalData.clrBarShadow, globalData.clrBarShadow);
        else
            DrawEmbossedSquare(pDC, rectFrame);
    }

    m_nStyle = nStyle;
    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, FALSE);
}

INT_PTR CColorButton::OnToolHitTest(const CWnd*, TOOLINFO* pTI)
{
    if ((m_nStyle & TBBS_DISABLED) || !CKtvPToolBar::m_bShowTooltips || pTI == nullptr)
        return -1;
    CString strText = m_strText;
    if (!IsTextCell(this)) {
        if (!CKtvPColorBar::m_ColorNames.Lookup(m_Color, strText))
            strText.Format("Hex={%02X,%02X,%02X}", GetRValue(m_Color), GetGValue(m_Color), GetBValue(m_Color));
    }
    pTI->lpszText = strdup(strText);
    return 1;
}

// --- CKtvPColorBar ---------------------------------------------------------------------------------

IMPLEMENT_SERIAL(CKtvPColorBar, CKtvPPopupMenuBar, 1)

CMap<COLORREF, COLORREF, CString, LPCTSTR> CKtvPColorBar::m_ColorNames;
CMap<UINT, UINT, COLORREF, COLORREF> CKtvPColorBar::m_CommandColors;

BEGIN_MESSAGE_MAP(CKtvPColorBar, CKtvPPopupMenuBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_QUERYNEWPALETTE, OnQueryNewPalette)
    ON_MESSAGE(WM_PALETTECHANGED, OnPaletteChanged)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

// The bar's cells cannot be customised.
CKtvPColorBar::CKtvPColorBar()
    : m_Columns(0),
      m_RowsDockHorz(0),
      m_ColumnsDockVert(0),
      m_BoxWidth(0),
      m_BoxHeight(0),
      m_TextButtonHeight(0),
      m_SelectedColor((COLORREF)-1),
      m_AutomaticColor((COLORREF)-1),
      m_CommandId(0),
      m_UseStandardDialog(FALSE),
      m_IsEnabled(TRUE),
      m_IsToolbar(TRUE),
      m_ShowDocColorsAlways(FALSE),
      m_ParentButton(nullptr),
      m_OffsetX(0),
      m_OffsetY(0),
      m_EnabledInCustomizeMode(FALSE),
      m_VertMargin(4),
      m_HorzMargin(4)
{
    m_bLocked = TRUE;
}

CKtvPColorBar::CKtvPColorBar(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCTSTR lpszAutoColor,
                             LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors, CList<COLORREF, COLORREF>& lstDocColors,
                             int nColumns, int nRowsDockHorz, int nColDockVert, COLORREF colorAutomatic,
                             UINT nCommandID, CKtvPColorButton* pParentBtn)
    : CKtvPColorBar()
{
    m_Columns = nColumns;
    m_RowsDockHorz = nRowsDockHorz;
    m_ColumnsDockVert = nColDockVert;
    m_Colors.Copy(colors);
    m_SelectedColor = color;
    m_AutomaticColor = colorAutomatic;
    m_AutoLabel = lpszAutoColor == nullptr ? "" : lpszAutoColor;
    m_OtherLabel = lpszOtherColor == nullptr ? "" : lpszOtherColor;
    m_DocColorsLabel = lpszDocColors == nullptr ? "" : lpszDocColors;
    m_DocColors.AddTail(&lstDocColors);
    m_CommandId = nCommandID;
    m_IsToolbar = FALSE;
    m_ShowDocColorsAlways = TRUE;
    m_ParentButton = pParentBtn;
    m_UseStandardDialog = pParentBtn != nullptr && !pParentBtn->m_UseOwnDialog;
}

CKtvPColorBar::CKtvPColorBar(CKtvPColorBar& src, UINT uiCommandID) : CKtvPColorBar()
{
    m_Columns = src.m_Columns;
    m_RowsDockHorz = src.m_RowsDockHorz;
    m_ColumnsDockVert = src.m_ColumnsDockVert;
    m_Colors.Copy(src.m_Colors);
    m_SelectedColor = src.m_SelectedColor;
    m_AutomaticColor = src.m_AutomaticColor;
    m_AutoLabel = src.m_AutoLabel;
    m_OtherLabel = src.m_OtherLabel;
    m_DocColorsLabel = src.m_DocColorsLabel;
    m_UseStandardDialog = src.m_UseStandardDialog;
    m_DocColors.AddTail(&src.m_DocColors);
    m_CommandId = uiCommandID;
}

// The cells go with the toolbar's button list; the colours, list and palette with their members.
CKtvPColorBar::~CKtvPColorBar() = default;

BOOL CKtvPColorBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, CPalette* pPalette, int nColumns,
                           int nRowsDockHorz, int nColDockVert)
{
    if (m_Colors.GetSize() == 0) {
        m_Columns = nColumns;
        m_RowsDockHorz = nRowsDockHorz;
        m_ColumnsDockVert = nColDockVert;
        InitColors(pPalette, m_Colors);
    }
    return CKtvPToolBar::Create(pParentWnd, dwStyle, nID);
}

BOOL CKtvPColorBar::CreateControl(CWnd* pParentWnd, const CRect& rect, UINT nID, int nColumns, CPalette* pPalette)
{
    EnableLargeIcons(FALSE);

    if (nColumns <= 0) {
        const int nCount = pPalette != nullptr ? pPalette->GetEntryCount() : 20;
        nColumns = -1;
        for (int c = nCount; c > 0; c--) {
            const int nCellWidth = (rect.Width() - 2 * m_HorzMargin) / c;
            if (nCellWidth == 0)
                continue;
            const int nRows = nCount / c;
            if (nRows * nCellWidth > rect.Height() - 2 * m_VertMargin) {
                nColumns = c + 1;
                break;
            }
        }
    }

    if (!Create(pParentWnd, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, nID, pPalette, nColumns))
        return FALSE;
    SetBarStyle(GetBarStyle() & ~(DWORD)(CBRS_BORDER_ANY | CBRS_GRIPPER));
    MoveWindow(rect);
    FitCells(TRUE, TRUE);
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetOwner(pParentWnd);
    m_CommandId = nID;
    m_bRouteCommandsViaFrame = FALSE;
    return TRUE;
}

void CKtvPColorBar::FitCells(BOOL bSquare, BOOL bCenter)
{
    CRect rectClient;
    GetClientRect(rectClient);
    constexpr int kMaxCell = 1000;

    // The largest value of one cell dimension whose bar still fits the client extent.
    auto fit = [this](int& nValue, int nLimit, bool bWidth) {
        auto extent = [&](int v) {
            nValue = v;
            if (!bWidth)
                m_TextButtonHeight = 3 * m_BoxHeight / 2;
            const CSize size = CalcMaxButtonSize(TRUE);
            return bWidth ? size.cx : size.cy;
        };
        int v = std::max(1, nValue);
        if (extent(v) <= nLimit) {
            while (v < kMaxCell && extent(v + 1) <= nLimit)
                v++;
        } else {
            while (v > 1 && extent(v) > nLimit)
                v--;
        }
        extent(v);
    };
    fit(m_BoxHeight, rectClient.Height(), false);
    fit(m_BoxWidth, rectClient.Width(), true);

    m_BoxHeight = std::max(1, m_BoxHeight - 1);
    m_BoxWidth = std::max(1, m_BoxWidth - 1);
    if (bSquare)
        m_BoxWidth = m_BoxHeight = std::min(m_BoxWidth, m_BoxHeight);
    m_TextButtonHeight = 3 * m_BoxHeight / 2;

    m_OffsetX = m_OffsetY = 0;
    if (bCenter) {
        const CSize size = CalcMaxButtonSize(TRUE);
        m_OffsetX = std::max(0, (rectClient.Width() - size.cx) / 2);
        m_OffsetY = std::max(0, (rectClient.Height() - size.cy) / 2);
    }
    AdjustLocations();
}

CKtvPPopupMenu* CKtvPColorBar::GetPopup() const { return dynamic_cast<CKtvPPopupMenu*>(GetParent()); }

CKtvPColorMenuButton* CKtvPColorBar::GetParentMenuButton() const
{
    CKtvPPopupMenu* pPopup = GetPopup();
    return pPopup != nullptr ? dynamic_cast<CKtvPColorMenuButton*>(pPopup->m_pParentButton) : nullptr;
}

BOOL CKtvPColorBar::OpenColorDialog(const COLORREF colorDefault, COLORREF& colorRes)
{
    if (CKtvPColorMenuButton* pMenuButton = GetParentMenuButton())
        return pMenuButton->OpenColorDialog(colorDefault, colorRes);

    return KtvPickColor(colorDefault, m_UseStandardDialog, colorRes);
}

void CKtvPColorBar::Rebuild()
{
    RemoveAllButtons();

    BOOL bFound = FALSE;
    if (!m_AutoLabel.IsEmpty()) {
        const BOOL bSelected = m_SelectedColor == (COLORREF)-1;
        InsertButton(new CColorButton(m_AutomaticColor, TRUE, FALSE, m_AutoLabel, bSelected));
        bFound = bSelected;
    }

    for (INT_PTR i = 0; i < m_Colors.GetSize(); i++) {
        const BOOL bSelected = m_Colors[i] == m_SelectedColor;
        InsertButton(new CColorButton(m_Colors[i], FALSE, FALSE, nullptr, bSelected));
        bFound = bFound || bSelected;
    }

    if (!m_DocColorsLabel.IsEmpty() && !m_DocColors.IsEmpty()) {
        InsertSeparator();
        auto* pLabel = new CColorButton((COLORREF)-1, FALSE, FALSE, m_DocColorsLabel, FALSE, TRUE);
        pLabel->m_IsLabel = TRUE;
        InsertButton(pLabel);
        for (POSITION pos = m_DocColors.GetHeadPosition(); pos != nullptr;) {
            const COLORREF color = m_DocColors.GetNext(pos);
            InsertButton(new CColorButton(color, FALSE, FALSE, nullptr, !bFound && color == m_SelectedColor, TRUE));
        }
    }

    if (!m_OtherLabel.IsEmpty()) {
        InsertSeparator();
        InsertButton(new CColorButton((COLORREF)-1, FALSE, TRUE, m_OtherLabel));
        InsertButton(new CColorButton(m_SelectedColor, FALSE, FALSE, nullptr, !bFound, FALSE, TRUE));
    }
}

void CKtvPColorBar::Serialize(CArchive& ar)
{
    CKtvPPopupMenuBar::Serialize(ar);
    if (ar.IsStoring()) {
        ar << (DWORD)m_Columns << (DWORD)m_RowsDockHorz << (DWORD)m_ColumnsDockVert << (DWORD)m_AutomaticColor;
        ar << m_AutoLabel << m_OtherLabel << m_DocColorsLabel;
        ar << (DWORD)m_IsToolbar << (DWORD)m_CommandId << (DWORD)m_UseStandardDialog;
        ar << (int)m_Colors.GetSize();
        for (INT_PTR i = 0; i < m_Colors.GetSize(); i++)
            ar << (DWORD)m_Colors[i];
        return;
    }

    DWORD dwColumns = 0, dwRows = 0, dwColumnsVert = 0, dwAutomatic = 0, dwToolbar = 0, dwCommand = 0, dwStd = 0;
    ar >> dwColumns >> dwRows >> dwColumnsVert >> dwAutomatic;
    ar >> m_AutoLabel >> m_OtherLabel >> m_DocColorsLabel;
    ar >> dwToolbar >> dwCommand >> dwStd;
    int nCount = 0;
    ar >> nCount;
    if (nCount < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    m_Columns = (int)dwColumns;
    m_RowsDockHorz = (int)dwRows;
    m_ColumnsDockVert = (int)dwColumnsVert;
    m_AutomaticColor = dwAutomatic;
    m_IsToolbar = (BOOL)dwToolbar;
    m_CommandId = dwCommand;
    m_UseStandardDialog = (BOOL)dwStd;
    m_Colors.RemoveAll();
    for (int i = 0; i < nCount; i++) {
        DWORD dwColor = 0;
        ar >> dwColor;
        m_Colors.Add(dwColor);
    }
    Rebuild();
    AdjustLocations();
}

// A popup of a colour button closes on Escape, Alt, a context menu and a
// click outside, unless it is running a command (its colour dialog).
BOOL CKtvPColorBar::PreTranslateMessage(MSG* pMsg)
{
    if (m_ParentButton != nullptr && !m_bInCommand) {
        const BOOL bClose =
            (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) || KtvIsPopupClosingInput(this, pMsg);
        if (bClose) {
            GetParent()->PostMessage(WM_CLOSE);
            return TRUE;
        }
    }
    return CKtvPToolBar::PreTranslateMessage(pMsg);
}

void CKtvPColorBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_CommandId != 0 && m_CommandId != (UINT)-1 && pTarget != nullptr) {
        CColorBarCmdUI state;
        state.m_nID = m_CommandId;
        state.m_pOther = this;
        BOOL bEnabled = FALSE;
        if (pTarget->OnCmdMsg(m_CommandId, (int)CN_UPDATE_COMMAND_UI, &state, nullptr)) {
            bEnabled = state.m_bEnabled;
        } else if (bDisableIfNoHndler) {
            AFX_CMDHANDLERINFO info{};
            bEnabled = pTarget->OnCmdMsg(m_CommandId, CN_COMMAND, nullptr, &info);
        }
        if (bEnabled != m_IsEnabled) {
            m_IsEnabled = bEnabled;
            for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
                auto* pButton = (CKtvPToolbarButton*)m_Buttons.GetNext(pos);
                if (bEnabled)
                    pButton->m_nStyle &= ~TBBS_DISABLED;
                else
                    pButton->m_nStyle |= TBBS_DISABLED;
            }
            Invalidate();
        }
    }
    CKtvPToolBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

CPalette* CKtvPColorBar::SelectBarPalette(CDC* pDC)
{
    if (!IsColorBarPaletteScreen()) {
        if (m_Palette.GetSafeHandle() != nullptr)
            m_Palette.DeleteObject();
        return nullptr;
    }
    CPalette* pPalette = m_ParentButton != nullptr ? m_ParentButton->m_Palette : nullptr;
    if (pPalette == nullptr) {
        if (m_Palette.GetSafeHandle() == nullptr)
            KtvCreateColorPalette(m_Colors, kMaxPaletteColors, m_Palette);
        pPalette = &m_Palette;
    }
    CPalette* pOld = pDC->SelectPalette(pPalette, FALSE);
    pDC->RealizePalette();
    return pOld;
}

void CKtvPColorBar::DoPaint(CDC* pDC)
{
    CPalette* pOldPalette = SelectBarPalette(pDC);
    CKtvPPopupMenuBar::DoPaint(pDC);
    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, FALSE);
}

CSize CKtvPColorBar::CalcMaxButtonSize(BOOL bVertical)
{
    const int nColors = (int)m_Colors.GetSize();
    int nColumns = 0;
    int nRows = 0;
    if (m_IsToolbar && IsDocked() && !bVertical && m_RowsDockHorz > 0) {
        nRows = m_RowsDockHorz;
        nColumns = (nColors + nRows - 1) / nRows;
    } else if (m_IsToolbar && IsDocked() && m_ColumnsDockVert > 0) {
        nColumns = m_ColumnsDockVert;
    } else {
        nColumns = m_Columns > 0 ? m_Columns : (int)std::sqrt((double)nColors) + 1;
    }
    nColumns = std::max(1, nColumns);
    if (nRows == 0)
        nRows = (nColors + nColumns - 1) / nColumns;

    int nExtraHeight = 0;
    if (!m_AutoLabel.IsEmpty())
        nExtraHeight = m_TextButtonHeight;
    else if (!m_OtherLabel.IsEmpty())
        nExtraHeight = m_VertMargin;
    if (!m_OtherLabel.IsEmpty())
        nExtraHeight += m_TextButtonHeight;
    const int nDocColors = (int)m_DocColors.GetCount();
    if (!m_DocColorsLabel.IsEmpty() && nDocColors > 0 && (m_ShowDocColorsAlways || IsFloating())) {
        const int nDocRows = (nDocColors + nColumns - 1) / nColumns;
        nExtraHeight += m_VertMargin + nDocRows * m_BoxHeight + m_TextButtonHeight + 4;
    }
    return CSize(nColumns * m_BoxWidth + 2 * kColorBarInset, nExtraHeight + nRows * m_BoxHeight + 2 * kColorBarInset);
}

void CKtvPColorBar::AdjustLocations()
{
    if (GetSafeHwnd() == nullptr)
        return;

    CRect rectClient;
    GetClientRect(rectClient);
    CRect rectWork = rectClient;
    rectWork.DeflateRect(m_HorzMargin + m_OffsetX, m_VertMargin + m_OffsetY);

    int x = rectWork.left;
    int y = rectWork.top;
    BOOL bNotSeen = !(!m_AutoLabel.IsEmpty() && m_SelectedColor == (COLORREF)-1);
    const BOOL bHideDocs = IsDocked() && !m_ShowDocColorsAlways;
    BOOL bPrevSeparator = FALSE;

    auto place = [](CKtvPToolbarButton* pButton, const CRect& rect) {
        pButton->m_bVisible = !rect.IsRectEmpty();
        if (pButton->m_rect != rect) {
            pButton->m_rect = rect;
            pButton->OnMove();
        }
    };

    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = (CKtvPToolbarButton*)m_Buttons.GetNext(pos);
        if (pButton->m_nStyle & TBBS_SEPARATOR) {
            if (bPrevSeparator) {
                place(pButton, CRect());
                continue;
            }
            bPrevSeparator = TRUE;
            if (x != rectWork.left)
                y += m_BoxHeight + m_VertMargin;
            place(pButton, CRect(rectWork.left, y, rectWork.right, y + 2));
            y += 4;
            x = rectWork.left;
            continue;
        }
        bPrevSeparator = FALSE;

        auto* pCell = dynamic_cast<CColorButton*>(pButton);
        if (pCell == nullptr)
            continue;
        if (pCell->m_IsDocument && bHideDocs) {
            place(pCell, CRect());
            continue;
        }

        if (!IsTextCell(pCell)) {
            if (x + m_BoxWidth > rectWork.right) {
                x = rectWork.left;
                y += m_BoxHeight;
            }
            if (pCell->m_IsOtherColor && !bNotSeen) {
                place(pCell, CRect());
                continue;
            }
            place(pCell, CRect(x, y, x + m_BoxWidth, y + m_BoxHeight));
            x += m_BoxWidth;
            if (!pCell->m_IsOtherColor && pCell->m_Color == m_SelectedColor)
                bNotSeen = FALSE;
            continue;
        }

        if (x != rectWork.left) {
            x = rectWork.left;
            y += m_BoxHeight + m_VertMargin;
        }
        const int nHeight = m_TextButtonHeight - m_VertMargin / 2;
        if (pCell->m_IsOther && bNotSeen) {
            CRect rect(rectWork.left, y, rectWork.right - m_BoxWidth, y + nHeight);
            rect.DeflateRect(m_HorzMargin / 2, m_VertMargin / 2);
            place(pCell, rect);
            // The swatch that follows takes the free cell on the right.
            x = rectWork.right - m_BoxWidth;
            y += (nHeight - m_BoxHeight) / 2;
            continue;
        }
        CRect rect(rectWork.left, y, rectWork.right, y + nHeight);
        if (pCell->m_IsOther)
            rect.DeflateRect(m_HorzMargin / 2, m_VertMargin / 2);
        place(pCell, rect);
        y += nHeight;
    }
    UpdateTooltips();
}

void CKtvPColorBar::ChooseForCommand(COLORREF color)
{
    SetColor(color);
    CObList lstButtons;
    CKtvPToolBar::GetCommandButtons(m_CommandId, lstButtons);
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
        if (auto* pMenuButton = dynamic_cast<CKtvPColorMenuButton*>(lstButtons.GetNext(pos)))
            pMenuButton->SetColor(color, FALSE);
    }
    m_CommandColors.SetAt(m_CommandId, color);

    const HWND hwndThis = GetSafeHwnd();
    CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (pOwner != nullptr)
        pOwner->SendMessage(WM_COMMAND, m_CommandId, 0);
    if (!::IsWindow(hwndThis))
        return;
    if (CFrameWnd* pFrame = GetTopLevelFrame())
        pFrame->SetFocus();
}

BOOL CKtvPColorBar::OnSendCommand(const CKtvPToolbarButton* pButton)
{
    auto* pCell = dynamic_cast<CColorButton*>(const_cast<CKtvPToolbarButton*>(pButton));
    if (pCell == nullptr)
        return FALSE;

    if (m_ParentButton != nullptr)
        ::ReleaseCapture();
    CKtvPColorMenuButton* pMenuButton = GetParentMenuButton();
    if (pCell->m_IsLabel)
        return FALSE;

    COLORREF color = pCell->m_Color;
    if (pCell->m_IsAutomatic) {
        color = (COLORREF)-1;
    } else if (pCell->m_IsOther) {
        const HWND hwndThis = GetSafeHwnd();
        SetInCommand(TRUE);
        if (CKtvPPopupMenu* pPopup = GetPopup())
            pPopup->ShowWindow(SW_HIDE);
        InvalidateButton(ButtonToIndex(pCell));
        UpdateWindow();

        COLORREF colorChosen = (COLORREF)-1;
        const BOOL bChosen = OpenColorDialog(
            m_SelectedColor == (COLORREF)-1 ? m_AutomaticColor : m_SelectedColor, colorChosen);
        if (!::IsWindow(hwndThis))
            return TRUE;
        SetInCommand(FALSE);
        if (!bChosen) {
            if (m_ParentButton != nullptr)
                GetParent()->PostMessage(WM_CLOSE);
            else if (pMenuButton != nullptr)
                InvokeMenuCommand(0, pCell);
            else if (CFrameWnd* pFrame = GetTopLevelFrame())
                pFrame->SetFocus();
            return TRUE;
        }
        color = colorChosen;
    }

    if (pMenuButton != nullptr) {
        pMenuButton->SetColor(color, TRUE);
        InvokeMenuCommand(pMenuButton->m_nID, pMenuButton);
        return TRUE;
    }
    if (m_ParentButton != nullptr) {
        m_ParentButton->UpdateColor(color);
        GetParent()->PostMessage(WM_CLOSE);
        return TRUE;
    }
    ChooseForCommand(color);
    return TRUE;
}

BOOL CKtvPColorBar::OnKey(UINT nChar)
{
    if (nChar == VK_RETURN && m_iHighlighted >= 0) {
        CKtvPToolbarButton* pHot = GetButton(m_iHighlighted);
        CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
        if (pOwner != nullptr)
            pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
        if (pHot != nullptr)
            OnSendCommand(pHot);
        return TRUE;
    }
    return CKtvPPopupMenuBar::OnKey(nChar);
}

void CKtvPColorBar::ShowCommandMessageString(UINT)
{
    CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (pOwner != nullptr)
        pOwner->SendMessage(WM_SETMESSAGESTRING, m_CommandId == (UINT)-1 ? AFX_IDS_IDLEMESSAGE : m_CommandId);
}

void CKtvPColorBar::SetColor(COLORREF color)
{
    if (color == m_SelectedColor)
        return;
    m_SelectedColor = color;
    if (GetSafeHwnd() == nullptr)
        return;

    BOOL bNotFound = !(m_AutomaticColor != (COLORREF)-1 && color == (COLORREF)-1);
    m_iHighlighted = -1;
    CColorButton* pSwatch = nullptr;
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++) {
        auto* pCell = dynamic_cast<CColorButton*>((CKtvPToolbarButton*)m_Buttons.GetNext(pos));
        if (pCell == nullptr || pCell->m_IsOther || pCell->m_IsLabel)
            continue;
        if (pCell->m_IsOtherColor) {
            pCell->m_Color = color;
            pCell->m_Selected = TRUE;
            pSwatch = pCell;
            InvalidateButton(i);
            continue;
        }
        if (pCell->m_Selected) {
            pCell->m_Selected = FALSE;
            InvalidateButton(i);
        }
        const BOOL bSelect = pCell->m_IsAutomatic ? color == (COLORREF)-1 : pCell->m_Color == color;
        if (bSelect) {
            pCell->m_Selected = TRUE;
            m_iHighlighted = i;
            InvalidateButton(i);
            if (!pCell->m_IsAutomatic)
                bNotFound = FALSE;
        }
    }
    if (pSwatch != nullptr && (pSwatch->m_bVisible && !pSwatch->m_rect.IsRectEmpty()) != (bNotFound != FALSE)) {
        AdjustLocations();
        Invalidate();
    }
    UpdateWindow();
}

int CKtvPColorBar::InitColors(CPalette* pPalette, CArray<COLORREF, COLORREF>& arColors)
{
    CPalette* pSource = pPalette;
    if (pSource == nullptr)
        pSource = CPalette::FromHandle((HPALETTE)::GetStockObject(DEFAULT_PALETTE));
    const int nCount = pSource != nullptr ? pSource->GetEntryCount() : 0;
    arColors.RemoveAll();
    if (nCount <= 0)
        return 0;
    std::vector<PALETTEENTRY> entries((size_t)nCount);
    pSource->GetPaletteEntries(0, (UINT)nCount, entries.data());
    arColors.SetSize(nCount);
    for (int i = 0; i < nCount; i++)
        arColors[i] = RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
    return nCount;
}

int CKtvPColorBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPPopupMenuBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CSize sizeImage = GetMenuImageSize();
    m_BoxWidth = sizeImage.cx + 1;
    m_BoxHeight = sizeImage.cy + 1;
    m_TextButtonHeight = 3 * m_BoxHeight / 2;
    Rebuild();
    if (m_ParentButton != nullptr) {
        SetCapture();
        m_ParentButton->ForgetCapture();
    }
    return 0;
}

void CKtvPColorBar::OnDestroy()
{
    if (m_ParentButton != nullptr) {
        m_ParentButton->m_Popup = nullptr;
        if (m_ParentButton->GetSafeHwnd() != nullptr)
            m_ParentButton->SetFocus();
    }
    CKtvPPopupMenuBar::OnDestroy();
}

// A popup's bar has no frame; a torn-off or standalone one has the bar's borders and gripper.
void CKtvPColorBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (m_IsToolbar)
        CKtvPToolBar::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void CKtvPColorBar::OnNcPaint()
{
    if (m_IsToolbar)
        CKtvPToolBar::OnNcPaint();
}

LRESULT CKtvPColorBar::OnQueryNewPalette(WPARAM, LPARAM)
{
    Invalidate();
    return TRUE;
}

LRESULT CKtvPColorBar::OnPaletteChanged(WPARAM wParam, LPARAM)
{
    if ((HWND)wParam != GetSafeHwnd())
        Invalidate();
    return 0;
}

BOOL CKtvPColorBar::IsCustomizeBlocked() const { return CKtvPToolBar::m_bCustomizeMode && !m_EnabledInCustomizeMode; }

void CKtvPColorBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (IsCustomizeBlocked())
        return;
    CKtvPToolBar::OnMouseMove(nFlags, point);
}

// A press over a cell waits for the release, which chooses.
void CKtvPColorBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsCustomizeBlocked() || HitTest(point) >= 0)
        return;
    CKtvPToolBar::OnLButtonDown(nFlags, point);
}

void CKtvPColorBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (IsCustomizeBlocked())
        return;
    const int iHit = HitTest(point);
    CKtvPToolbarButton* pHit = GetButton(iHit);
    if (pHit != nullptr && !(pHit->m_nStyle & TBBS_DISABLED))
        m_iButtonCapture = iHit;
    CKtvPToolBar::OnLButtonUp(nFlags, point);
}

void CKtvPColorBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (IsCustomizeBlocked())
        return;
    OnLButtonDown(nFlags, point);
}

void CKtvPColorBar::OnMouseLeave()
{
    if (m_ParentButton == nullptr || CKtvPToolBar::m_hookMouseHelp != nullptr) {
        CKtvPToolBar::OnMouseLeave();
        return;
    }
    m_bTracking = FALSE;
    m_ptLastMouse = CPoint(-1, -1);
    if (m_iHighlighted >= 0) {
        const int iOld = m_iHighlighted;
        m_iHighlighted = -1;
        InvalidateButton(iOld);
        UpdateWindow();
    }
    SendIdlePrompt();
}
