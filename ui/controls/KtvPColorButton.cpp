#include "ui/controls/KtvPColorButton.h"

#include <vector>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/controls/KtvPColorMenuButton.h"
#include "ui/controls/KtvPMenuButton.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

namespace {

// The popup's bar: a child of the popup, seen through a frame of its own.
constexpr DWORD kColorPopupBarStyle =
    WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_HIDE_INPLACE | CBRS_GRIPPER | CBRS_TOOLTIPS |
    CBRS_FLYBY;
constexpr DWORD kTearOffBarStyle =
    WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_HIDE_INPLACE | CBRS_GRIPPER;

BOOL IsVisualStylesLook()
{
    return CKtvPButton::IsThemedLook() && CKtvPVisualManager::GetInstance()->IsWinXPThemeAvailable();
}

}  // namespace

// --- CColorPopup -----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CColorPopup, CKtvPPopupMenu)

BEGIN_MESSAGE_MAP(CColorPopup, CKtvPPopupMenu)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CColorPopup::CColorPopup(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCTSTR lpszAutoColor,
                         LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors, CList<COLORREF, COLORREF>& lstDocColors,
                         int nColumns, int nRowsDockHorz, int nColDockVert, COLORREF colorAutomatic,
                         UINT uiCommandID, CKtvPColorButton* pParentBtn)
    : m_wndColorBar(colors, color, lpszAutoColor, lpszOtherColor, lpszDocColors, lstDocColors, nColumns,
                    nRowsDockHorz, nColDockVert, colorAutomatic, uiCommandID, pParentBtn),
      m_EnabledInCustomizeMode(FALSE)
{
}

CColorPopup::~CColorPopup() = default;

int CColorPopup::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const BOOL bCustomize = CKtvPToolBar::m_bCustomizeMode;
    if (bCustomize && !m_EnabledInCustomizeMode)
        return -1;
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    DWORD dwStyle = kColorPopupBarStyle;
    if (m_nAnimationType != NO_ANIMATION && !bCustomize)
        dwStyle &= ~(DWORD)WS_VISIBLE;
    if (!m_wndColorBar.Create(this, dwStyle, 1, nullptr))
        return -1;

    HWND hwndOwner = ::GetWindow(GetSafeHwnd(), GW_OWNER);
    m_wndColorBar.SetOwner(hwndOwner != nullptr ? CWnd::FromHandle(hwndOwner) : GetParent());
    m_wndColorBar.SetBarStyle(m_wndColorBar.GetBarStyle() | CBRS_TOOLTIPS);

    CWnd* pParent = GetParent();
    CFrameWnd* pTopFrame = pParent != nullptr ? pParent->GetTopLevelFrame() : nullptr;
    if (!ActivatePopupMenu(pTopFrame, this))
        return -1;
    RecalcLayout(TRUE);
    return 0;
}

// Only the popup of a colour menu button floats off as a bar of its command.
CKtvPControlBar* CColorPopup::CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName)
{
    auto* pButton = dynamic_cast<CKtvPColorMenuButton*>(m_pParentButton);
    if (pButton == nullptr || pWndMain == nullptr)
        return nullptr;
    auto* pBar = new CKtvPColorBar(m_wndColorBar, pButton->m_nID);
    if (!pBar->Create(pWndMain, kTearOffBarStyle, uiID, nullptr)) {
        delete pBar;
        return nullptr;
    }
    pBar->SetWindowText(lpszName);
    pBar->SetBarStyle(pBar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

// --- CKtvPColorButton ------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CKtvPColorButton, CKtvPButton)

BEGIN_MESSAGE_MAP(CKtvPColorButton, CKtvPButton)
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_MOUSEMOVE()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CKtvPColorButton::CKtvPColorButton()
    : m_EnabledInCustomizeMode(FALSE),
      m_FocusPopupOnOpen(TRUE),
      m_Color(RGB(0, 0, 0)),
      m_AutomaticColor((COLORREF)-1),
      m_Columns(-1),
      m_Popup(nullptr),
      m_UseOwnDialog(TRUE),
      m_Palette(nullptr)
{
}

// An open popup must not call back into a button that is gone.
CKtvPColorButton::~CKtvPColorButton()
{
    if (m_Popup != nullptr) {
        CColorPopup* pPopup = m_Popup;
        m_Popup = nullptr;
        pPopup->m_wndColorBar.m_ParentButton = nullptr;
        if (pPopup->GetSafeHwnd() != nullptr)
            pPopup->DestroyWindow();
    }
    delete m_Palette;
}

CSize CKtvPColorButton::SizeToContent(BOOL bCalcOnly)
{
    return KtvSizeWithMenuArrow(this, CKtvPButton::SizeToContent(TRUE), bCalcOnly);
}

void CKtvPColorButton::EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable)
{
    m_AutoLabel = bEnable && lpszLabel != nullptr ? lpszLabel : "";
    m_AutomaticColor = colorAutomatic;
}

void CKtvPColorButton::EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg, BOOL bEnable)
{
    m_OtherLabel = bEnable && lpszLabel != nullptr ? lpszLabel : "";
    m_UseOwnDialog = bAltColorDlg;
}

void CKtvPColorButton::SetColor(COLORREF color)
{
    m_Color = color;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKtvPColorButton::UpdateColor(COLORREF color)
{
    SetColor(color);
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_COMMAND, (WPARAM)GetDlgCtrlID(), (LPARAM)GetSafeHwnd());
}

void CKtvPColorButton::RebuildPalette(CPalette* pPalette)
{
    delete m_Palette;
    m_Palette = new CPalette;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
    auto* pLogPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLogPalette->palVersion = 0x300;
    if (pPalette == nullptr) {
        pLogPalette->palNumEntries = 256;
        CClientDC dc(this);
        ::GetSystemPaletteEntries(dc.GetSafeHdc(), 0, 256, pLogPalette->palPalEntry);
    } else {
        const int nCount = pPalette->GetEntryCount();
        buffer.resize(sizeof(LOGPALETTE) + std::max(0, nCount - 1) * sizeof(PALETTEENTRY));
        pLogPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
        pLogPalette->palVersion = 0x300;
        pLogPalette->palNumEntries = (WORD)nCount;
        pPalette->GetPaletteEntries(0, (UINT)nCount, pLogPalette->palPalEntry);
    }
    if (!m_Palette->CreatePalette(pLogPalette)) {
        delete m_Palette;
        m_Palette = nullptr;
    }
}

int CKtvPColorButton::ArrowWidth() { return CKtvPMenuImages::Size().cx + 8; }

// A second open closes the popup: the button toggles.
void CKtvPColorButton::OnShowColorPopup()
{
    if (m_Popup != nullptr) {
        CColorPopup* pPopup = m_Popup;
        m_Popup = nullptr;
        pPopup->SendMessage(WM_CLOSE);
        return;
    }
    if (m_Colors.GetSize() == 0)
        CKtvPColorBar::InitColors(nullptr, m_Colors);

    m_Popup = new CColorPopup(m_Colors, m_Color, m_AutoLabel, m_OtherLabel, m_DocColorsLabel, m_DocColors, m_Columns,
                              0, 0, m_AutomaticColor, (UINT)-1, this);
    m_Popup->m_EnabledInCustomizeMode = m_EnabledInCustomizeMode;

    CRect rectWindow;
    GetWindowRect(rectWindow);
    if (!m_Popup->Create(this, rectWindow.left, rectWindow.bottom, nullptr, m_EnabledInCustomizeMode)) {
        // A refused popup has closed itself.
        m_Popup = nullptr;
    } else {
        if (m_EnabledInCustomizeMode)
            m_Popup->m_wndColorBar.m_EnabledInCustomizeMode = TRUE;
        CRect rectPopup;
        m_Popup->GetWindowRect(rectPopup);
        m_Popup->UpdateShadow(&rectPopup);
        if (m_FocusPopupOnOpen)
            m_Popup->m_wndColorBar.SetFocus();
    }

    if (m_Captured) {
        ::ReleaseCapture();
        m_Captured = FALSE;
    }
}

void CKtvPColorButton::OnFillBackground(CDC* pDC, const CRect& rectClient)
{
    if (IsVisualStylesLook()) {
        pDC->FillRect(rectClient, &globalData.brWindow);
        return;
    }
    CKtvPButton::OnFillBackground(pDC, rectClient);
}

// Sunken like an edit box; the content never moves when pressed.
void CKtvPColorButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState)
{
    if (IsThemedLook() && CKtvPVisualManager::GetInstance()->DrawComboBorderWinXP(
                              pDC, rectClient, !IsWindowEnabled(), FALSE, m_Highlighted)) {
        rectClient.DeflateRect(2, 2);
        return;
    }
    (void)uiState;
    pDC->Draw3dRect(rectClient, globalData.clrBtnDkShadow, globalData.clrBtnHilite);
    rectClient.DeflateRect(1, 1);
    if (m_FlatStyle == BUTTONSTYLE_3D || m_Highlighted)
        pDC->Draw3dRect(rectClient, globalData.clrBtnShadow, globalData.clrBtnLight);
    rectClient.DeflateRect(1, 1);
}

void CKtvPColorButton::OnDrawFocusRect(CDC* pDC, const CRect& rectClient)
{
    CRect rect = rectClient;
    rect.right -= ArrowWidth();
    CKtvPButton::OnDrawFocusRect(pDC, rect);
}

void CKtvPColorButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState)
{
    if (m_Palette == nullptr)
        RebuildPalette(nullptr);
    CPalette* pOldPalette = nullptr;
    if (m_Palette != nullptr) {
        pOldPalette = pDC->SelectPalette(m_Palette, FALSE);
        pDC->RealizePalette();
    }

    const BOOL bDisabled = (uiState & ODS_DISABLED) != 0;
    CRect rectArrow = rect;
    rectArrow.left = rectArrow.right - ArrowWidth();
    CRect rectColor = rect;
    rectColor.right = rectArrow.left;

    COLORREF color = m_Color;
    if (m_Color == (COLORREF)-1 && !m_AutoLabel.IsEmpty()) {
        rectColor.right = rectColor.left + rectColor.Height();
        CRect rectText(rectColor.right, rect.top, rectArrow.left, rect.bottom);
        CFont* pOldFont = SelectFont(pDC);
        const COLORREF clrOld = pDC->SetTextColor(globalData.clrBtnText);
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(m_AutoLabel, rectText, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
        pDC->SetBkMode(nOldMode);
        pDC->SetTextColor(clrOld);
        if (pOldFont != nullptr)
            pDC->SelectObject(pOldFont);
        color = m_AutomaticColor;
    }

    rectColor.DeflateRect(2, 2);
    pDC->Draw3dRect(rectColor, globalData.clrBtnHilite, globalData.clrBtnHilite);
    rectColor.DeflateRect(1, 1);
    pDC->Draw3dRect(rectColor, globalData.clrBtnDkShadow, globalData.clrBtnDkShadow);
    rectColor.DeflateRect(1, 1);
    if (color != (COLORREF)-1 && !bDisabled) {
        COLORREF colorFill = color;
        if (globalData.m_nBitsPerPixel == 8 && m_Palette != nullptr)
            colorFill = PALETTEINDEX((WORD)m_Palette->GetNearestPaletteIndex(color));
        pDC->FillSolidRect(rectColor, colorFill);
    }

    CRect rectThemed = rectArrow;
    rectThemed.DeflateRect(2, 2);
    const BOOL bThemed = IsThemedLook() && CKtvPVisualManager::GetInstance()->DrawComboDropButtonWinXP(
                                               pDC, rectThemed, bDisabled, m_Pushed, m_Highlighted);
    if (!bThemed) {
        pDC->FillRect(rectArrow, &globalData.brBtnFace);
        const CSize sizeGlyph = CKtvPMenuImages::Size();
        const CPoint pt(rectArrow.left + (rectArrow.Width() - sizeGlyph.cx) / 2,
                        rectArrow.top + (rectArrow.Height() - sizeGlyph.cy) / 2);
        CKtvPMenuImages::Draw(pDC, CKtvPMenuImages::IdArowDownLarge, pt,
                              bDisabled ? CKtvPMenuImages::ImageGray : CKtvPMenuImages::ImageBlack);
        pDC->Draw3dRect(rectArrow, globalData.clrBtnLight, globalData.clrBtnDkShadow);
        rectArrow.DeflateRect(1, 1);
        pDC->Draw3dRect(rectArrow, globalData.clrBtnHilite, globalData.clrBtnShadow);
    }

    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, FALSE);
}

void CKtvPColorButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE || nChar == VK_DOWN) {
        OnShowColorPopup();
        return;
    }
    CKtvPButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKtvPColorButton::OnLButtonDown(UINT, CPoint)
{
    SetFocus();
    OnShowColorPopup();
}

UINT CKtvPColorButton::OnGetDlgCode() { return DLGC_WANTARROWS; }

// Under the system's visual styles the button tracks the mouse like a semi-flat one.
void CKtvPColorButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!IsVisualStylesLook()) {
        CKtvPButton::OnMouseMove(nFlags, point);
        return;
    }
    const int nStyle = m_FlatStyle;
    m_FlatStyle = BUTTONSTYLE_SEMIFLAT;
    CKtvPButton::OnMouseMove(nFlags, point);
    m_FlatStyle = nStyle;
}

void CKtvPColorButton::OnSysColorChange()
{
    CKtvPButton::OnSysColorChange();
    RebuildPalette(nullptr);
    Invalidate();
}
