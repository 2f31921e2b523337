#include "ui/controls/KtvPColorChooserCtrl.h"

#include <algorithm>
#include <cmath>

#include "platform/mfc/CDC.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

constexpr double kHexRatio = 0.57735026;   // tan 30°: half-height of a side over half-width
constexpr double kSin60 = 0.8660254;
constexpr int kRampInset = 5;
constexpr double kKeyStep = 0.05;

BOOL IsPaletteScreen() { return globalData.m_nBitsPerPixel == 8; }

double ClampUnit(double v) { return std::min(1.0, std::max(0.0, v)); }

}  // namespace

// --- CColorCell ------------------------------------------------------------------------------------

CColorCell::CColorCell(int x, int y, int nSize, COLORREF color, COLORREF colorDraw)
    : m_Color(color), m_DrawColor(colorDraw), m_X(x), m_Y(y), m_Size(nSize)
{
    Vertices(x, y, nSize, m_Points);
}

void CColorCell::Vertices(int x, int y, int nSize, POINT* p)
{
    const int h = nSize / 2;
    const int d = (int)(nSize * kHexRatio) / 2;
    p[0] = {x - h, y - d};
    p[1] = {x, y - h};
    p[2] = {x + h, y - d};
    p[3] = {x + h, y + d};
    p[4] = {x, y + h};
    p[5] = {x - h, y + d};
}

BOOL CColorCell::HitTest(CPoint point) const
{
    CRgn rgn;
    POINT points[6];
    std::copy(m_Points, m_Points + 6, points);
    if (!rgn.CreatePolygonRgn(points, 6, ALTERNATE))
        return FALSE;
    return rgn.PtInRegion(point);
}

void CColorCell::Draw(CDC* pDC) const
{
    CBrush brush(m_DrawColor);
    CPen pen(PS_SOLID, 1, m_DrawColor);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Polygon(m_Points, 6);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

void CColorCell::DrawSelection(CDC* pDC) const
{
    auto frame = [pDC](int x, int y, int nSize, COLORREF color, int nWidth) {
        POINT points[6];
        Vertices(x, y, nSize, points);
        CRgn rgn;
        if (!rgn.CreatePolygonRgn(points, 6, ALTERNATE))
            return;
        CBrush brush(color);
        pDC->FrameRgn(&rgn, &brush, nWidth, nWidth);
    };
    frame(m_X, m_Y - 1, m_Size + 2, RGB(255, 255, 255), 2);
    frame(m_X, m_Y, m_Size + 2, RGB(0, 0, 0), 1);
    frame(m_X, m_Y, m_Size - 1, RGB(0, 0, 0), 1);
}

// --- CKtvPColorChooserCtrl -------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKtvPColorChooserCtrl, CButton)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_QUERYNEWPALETTE, OnQueryNewPalette)
    ON_MESSAGE(WM_PALETTECHANGED, OnPaletteChanged)
    ON_WM_CANCELMODE()
END_MESSAGE_MAP()

CKtvPColorChooserCtrl::CKtvPColorChooserCtrl()
    : m_Type(CHOOSER_SPECTRUM),
      m_Lum(0.5),
      m_Sat(0),
      m_Hue(0),
      m_Color(RGB(0, 0, 0)),
      m_InitialColor(RGB(0, 0, 0)),
      m_LumBarWidth(20),
      m_Palette(nullptr)
{
    double lum = 0;
    CKtvPDrawManager::RgbToHls(m_Color, &m_Hue, &m_Sat, &lum);
}

CKtvPColorChooserCtrl::~CKtvPColorChooserCtrl() { DeleteCells(); }

void CKtvPColorChooserCtrl::DeleteCells()
{
    for (INT_PTR i = 0; i < m_Cells.GetSize(); i++)
        delete m_Cells[i];
    m_Cells.RemoveAll();
}

int CKtvPColorChooserCtrl::Snap(int nValue, int nThreshold)
{
    if (nThreshold == 0)
        return nValue;
    if (nValue < nThreshold)
        return 0;
    if (nValue > 255 - nThreshold)
        return 255;
    if (std::abs(nValue - 128) < nThreshold)
        return 128;
    if (std::abs(nValue - 192) < nThreshold)
        return 192;
    return nValue;
}

void CKtvPColorChooserCtrl::SetPalette(CPalette* pPalette)
{
    m_Palette = pPalette;
    if (m_SpectrumBitmap.GetSafeHandle() != nullptr)
        m_SpectrumBitmap.DeleteObject();
    if (GetSafeHwnd() != nullptr) {
        Invalidate();
        UpdateWindow();
    }
}

void CKtvPColorChooserCtrl::SetColor(COLORREF color)
{
    m_Color = color;
    CKtvPDrawManager::RgbToHls(color, &m_Hue, &m_Sat, &m_Lum);
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKtvPColorChooserCtrl::SetRGB(BYTE red, BYTE green, BYTE blue)
{
    m_Color = RGB(red, green, blue);
    CKtvPDrawManager::RgbToHls(m_Color, &m_Hue, &m_Sat, &m_Lum);
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKtvPColorChooserCtrl::SetHLS(double hue, double lum, double sat, BOOL bRedraw)
{
    if (hue != -1)
        m_Hue = hue;
    if (lum != -1)
        m_Lum = lum;
    if (sat != -1)
        m_Sat = sat;
    m_Color = CKtvPDrawManager::HlsToRgb(m_Hue, m_Lum, m_Sat);
    if (bRedraw && GetSafeHwnd() != nullptr) {
        Invalidate();
        UpdateWindow();
    }
}

void CKtvPColorChooserCtrl::GetHLS(double* hue, double* lum, double* sat) const
{
    *hue = m_Hue;
    *lum = m_Lum;
    *sat = m_Sat;
}

void CKtvPColorChooserCtrl::SetLuminanceBarWidth(int nWidth)
{
    if (GetSafeHwnd() == nullptr) {
        m_LumBarWidth = nWidth;
        return;
    }
    CRect rectClient;
    GetClientRect(rectClient);
    m_LumBarWidth = std::min(nWidth, (rectClient.Width() * 3) / 4);
    Invalidate();
}

int CKtvPColorChooserCtrl::FindSelectedCell() const
{
    for (INT_PTR i = m_Cells.GetSize() - 1; i >= 0; i--) {
        if (m_Cells[i]->m_Color == m_Color)
            return (int)i;
    }
    return -1;
}

// --- geometry --------------------------------------------------------------------------------------

void CKtvPColorChooserCtrl::GetRampBand(int& nTop, int& nBottom) const
{
    CRect rectClient;
    if (GetSafeHwnd() != nullptr)
        GetClientRect(rectClient);
    nTop = rectClient.top + kRampInset;
    nBottom = rectClient.bottom - kRampInset;
}

double CKtvPColorChooserCtrl::LumFromRow(int y) const
{
    int nTop = 0, nBottom = 0;
    GetRampBand(nTop, nBottom);
    if (nBottom <= nTop)
        return 0;
    y = std::min(nBottom, std::max(nTop, y));
    return (double)(nBottom - y) / (nBottom - nTop);
}

int CKtvPColorChooserCtrl::RowFromLum(double lum) const
{
    int nTop = 0, nBottom = 0;
    GetRampBand(nTop, nBottom);
    return nTop + (int)((nBottom - nTop) * (1 - lum));
}

CRect CKtvPColorChooserCtrl::GetMarkerRect() const
{
    CRect rectClient;
    if (GetSafeHwnd() != nullptr)
        GetClientRect(rectClient);
    if (m_Type == CHOOSER_LUMINANCE_BAR) {
        const CPoint pt(m_LumBarWidth + rectClient.left + 6, RowFromLum(m_Lum));
        return CRect(pt.x - 4, pt.y - 4, pt.x + 5, pt.y + 5);
    }
    if (m_Type == CHOOSER_SPECTRUM) {
        const CPoint pt((int)(rectClient.Width() * m_Hue), (int)((1 - m_Sat) * rectClient.Height()));
        return CRect(pt.x - 9, pt.y - 9, pt.x + 10, pt.y + 10);
    }
    return CRect();
}

COLORREF CKtvPColorChooserCtrl::PaletteColor(COLORREF color) const
{
    if (!IsPaletteScreen() || m_Palette == nullptr)
        return color;
    return PALETTEINDEX((WORD)m_Palette->GetNearestPaletteIndex(color));
}

void CKtvPColorChooserCtrl::AddCell(int x, int y, int nSize, COLORREF colorRaw, COLORREF color)
{
    m_Cells.Add(new CColorCell(x, y, nSize, color, IsPaletteScreen() ? PaletteColor(colorRaw) : color));
}

// A white centre and six rings of hues, each ring darker than the one inside it.
void CKtvPColorChooserCtrl::BuildHexagons(const CRect& rectClient)
{
    CRect rect = rectClient;
    const int nDiff = std::abs(rect.Width() - rect.Height()) / 2;
    if (rect.Width() > rect.Height())
        rect.DeflateRect(nDiff, 0);
    else
        rect.DeflateRect(0, nDiff);
    const int nSide = std::min(rect.Width(), rect.Height());
    const int s = nSide / 13 + 1;
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;

    AddCell(cx, cy, s, RGB(255, 255, 255), RGB(255, 255, 255));

    const double steps[6][2] = {{-0.5, kSin60}, {-1, 0}, {-0.5, -kSin60}, {0.5, -kSin60}, {1, 0}, {0.5, kSin60}};
    for (int r = 1; r <= 6; r++) {
        const double lum = (double)(7 - r) / 7 + 0.1;
        int x = cx + r * s;
        int y = cy;
        for (const auto& step : steps) {
            for (int i = 0; i < r; i++) {
                const int nAngle = (int)(std::atan2((double)(y - cy), (double)(x - cx)) * 180.0 / M_PI);
                const COLORREF raw = CKtvPDrawManager::HlsToRgbDegrees(nAngle, lum, 1.0);
                const COLORREF color = RGB(Snap(GetRValue(raw), 16), Snap(GetGValue(raw), 16),
                                           Snap(GetBValue(raw), 16));
                AddCell(x, y, s, raw, color);
                x += (int)(step[0] * s);
                y += (int)(step[1] * s);
            }
        }
    }
}

// A large white cell, fifteen greys in a zig-zag, a large black cell.
void CKtvPColorChooserCtrl::BuildGreys(const CRect& rectClient)
{
    int s = std::min(rectClient.Height() / 2 - 2, rectClient.Width() / 13);
    if (s % 2 != 0)
        s++;
    const int cy = (rectClient.top + rectClient.bottom) / 2;
    const int e = (int)(s * kHexRatio * 1.5);
    const int y1 = cy - e / 2;
    const int y2 = y1 + e;
    const int x0 = (rectClient.Width() - 13 * s) / 2;

    AddCell(x0 + s, cy, 2 * s, RGB(255, 255, 255), RGB(255, 255, 255));
    for (int k = 0; k < 15; k++) {
        const int v = 240 - 15 * k;
        const int snapped = Snap(v, 7);
        AddCell(x0 + 3 * s + k * s / 2, k % 2 == 0 ? y1 : y2, s, RGB(v, v, v), RGB(snapped, snapped, snapped));
    }
    AddCell(x0 + 12 * s - 1, cy, 2 * s, RGB(0, 0, 0), RGB(0, 0, 0));
}

// --- painting --------------------------------------------------------------------------------------

// The field at lightness 0.5: hue left to right, saturation bottom to top.
void CKtvPColorChooserCtrl::BuildSpectrum(CDC* pDC, const CRect& rectClient)
{
    const int cx = rectClient.Width();
    const int cy = rectClient.Height();
    if (cx <= 0 || cy <= 0 || !m_SpectrumBitmap.CreateCompatibleBitmap(pDC, cx, cy))
        return;
    CDC dcField;
    if (!dcField.CreateCompatibleDC(pDC)) {
        m_SpectrumBitmap.DeleteObject();
        return;
    }
    CBitmap* pOldBitmap = dcField.SelectObject(&m_SpectrumBitmap);
    CPalette* pOldPalette = nullptr;
    if (m_Palette != nullptr) {
        pOldPalette = dcField.SelectPalette(m_Palette, FALSE);
        dcField.RealizePalette();
    }
    const int a = globalData.m_nBitsPerPixel <= 8 ? 4 : 1;
    for (int k = 0; k < cy; k += a) {
        const int y = cy - a - k;
        const double sat = (double)k / cy;
        for (int x = 0; x < cx; x += a) {
            const COLORREF color = CKtvPDrawManager::HlsToRgb((double)x / cx, 0.5, sat);
            if (a == 1)
                dcField.SetPixel(x, y, color);
            else
                dcField.FillSolidRect(x, y, a, a, color);
        }
    }
    if (pOldPalette != nullptr)
        dcField.SelectPalette(pOldPalette, FALSE);
    dcField.SelectObject(pOldBitmap);
}

void CKtvPColorChooserCtrl::DrawFace(CDC* pDC, const CRect& rectClient)
{
    switch (m_Type) {
    case CHOOSER_PREVIEW: {
        const int nHalf = rectClient.Height() / 2;
        pDC->FillSolidRect(rectClient.left, rectClient.top, rectClient.Width(), nHalf, PaletteColor(m_Color));
        pDC->FillSolidRect(rectClient.left, rectClient.top + nHalf, rectClient.Width(), nHalf,
                           PaletteColor(m_InitialColor));
        pDC->Draw3dRect(rectClient, globalData.clrBtnDkShadow, globalData.clrBtnDkShadow);
        break;
    }
    case CHOOSER_LUMINANCE_BAR: {
        int nTop = 0, nBottom = 0;
        GetRampBand(nTop, nBottom);
        for (int y = nTop; y <= nBottom; y++)
            pDC->FillSolidRect(0, y, m_LumBarWidth, 1,
                               PaletteColor(CKtvPDrawManager::HlsToRgb(m_Hue, LumFromRow(y), m_Sat)));
        DrawMarker(pDC, GetMarkerRect());
        break;
    }
    case CHOOSER_SPECTRUM: {
        if (m_SpectrumBitmap.GetSafeHandle() == nullptr)
            BuildSpectrum(pDC, rectClient);
        if (m_SpectrumBitmap.GetSafeHandle() != nullptr) {
            CDC dcField;
            if (dcField.CreateCompatibleDC(pDC)) {
                CBitmap* pOld = dcField.SelectObject(&m_SpectrumBitmap);
                pDC->BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dcField, 0, 0, SRCCOPY);
                dcField.SelectObject(pOld);
            }
        }
        DrawMarker(pDC, GetMarkerRect());
        pDC->Draw3dRect(rectClient, globalData.clrBtnDkShadow, globalData.clrBtnHilite);
        break;
    }
    case CHOOSER_HEXAGON_PALETTE:
    case CHOOSER_GREY_STRIP: {
        if (m_Cells.GetSize() == 0) {
            if (m_Type == CHOOSER_HEXAGON_PALETTE)
                BuildHexagons(rectClient);
            else
                BuildGreys(rectClient);
        }
        globalData.DrawParentBackground(this, pDC);
        for (INT_PTR i = 0; i < m_Cells.GetSize(); i++)
            m_Cells[i]->Draw(pDC);
        const int nSelected = FindSelectedCell();
        if (nSelected >= 0)
            m_Cells[nSelected]->DrawSelection(pDC);
        break;
    }
    default:
        break;
    }
}

void CKtvPColorChooserCtrl::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDCItem = CDC::FromHandle(lpDIS->hDC);
    CRect rectClient = lpDIS->rcItem;

    CPalette* pOldPalette = nullptr;
    if (m_Palette != nullptr) {
        pOldPalette = pDCItem->SelectPalette(m_Palette, FALSE);
        pDCItem->RealizePalette();
    }
    CRect rectClip;
    pDCItem->GetClipBox(rectClip);

    // Off screen, so dragging the markers does not flicker.
    CDC dcMem;
    CBitmap bmpMem;
    CDC* pDC = pDCItem;
    CBitmap* pOldBitmap = nullptr;
    CPalette* pOldMemPalette = nullptr;
    if (dcMem.CreateCompatibleDC(pDCItem) &&
        bmpMem.CreateCompatibleBitmap(pDCItem, rectClient.Width(), rectClient.Height())) {
        pOldBitmap = dcMem.SelectObject(&bmpMem);
        pDC = &dcMem;
        if (m_Palette != nullptr) {
            pOldMemPalette = dcMem.SelectPalette(m_Palette, FALSE);
            dcMem.RealizePalette();
        }
    }

    globalData.DrawParentBackground(this, pDC);
    DrawFace(pDC, rectClient);

    if (pDC == &dcMem) {
        pDCItem->BitBlt(rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), &dcMem, rectClip.left,
                        rectClip.top, SRCCOPY);
        if (pOldMemPalette != nullptr)
            dcMem.SelectPalette(pOldMemPalette, FALSE);
        dcMem.SelectObject(pOldBitmap);
    }
    if (pOldPalette != nullptr)
        pDCItem->SelectPalette(pOldPalette, FALSE);
}

void CKtvPColorChooserCtrl::DrawMarker(CDC* pDC, const CRect& rect)
{
    const BOOL bFocused = GetSafeHwnd() != nullptr && ::GetFocus() == GetSafeHwnd();
    const int d = rect.Width() / 2;
    if (m_Type == CHOOSER_SPECTRUM) {
        const COLORREF color = bFocused ? RGB(0, 0, 0) : RGB(255, 255, 255);
        pDC->FillSolidRect(rect.left + d - 1, rect.top, 3, 5, color);
        pDC->FillSolidRect(rect.left + d - 1, rect.bottom - 5, 3, 5, color);
        pDC->FillSolidRect(rect.left, rect.top + d - 1, 5, 3, color);
        pDC->FillSolidRect(rect.right - 5, rect.top + d - 1, 5, 3, color);
        return;
    }
    if (m_Type == CHOOSER_LUMINANCE_BAR) {
        CPen pen(PS_SOLID, 1, globalData.clrBtnText);
        CBrush brush(bFocused ? globalData.clrBtnText : globalData.clrBtnShadow);
        CPen* pOldPen = pDC->SelectObject(&pen);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        const POINT points[3] = {{rect.left, rect.top + d}, {rect.right - 1, rect.top}, {rect.right - 1, rect.bottom - 1}};
        pDC->Polygon(points, 3);
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
    }
}

// --- window ----------------------------------------------------------------------------------------

BOOL CKtvPColorChooserCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style &= ~(DWORD)BS_DEFPUSHBUTTON;
    cs.style |= BS_OWNERDRAW;
    return CButton::PreCreateWindow(cs);
}

void CKtvPColorChooserCtrl::PreSubclassWindow()
{
    ModifyStyle(BS_DEFPUSHBUTTON, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

void CKtvPColorChooserCtrl::NotifyParent(WORD wCode)
{
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), wCode), (LPARAM)GetSafeHwnd());
}

void CKtvPColorChooserCtrl::InvalidateMarker()
{
    CRect rect = GetMarkerRect();
    rect.InflateRect(1, 1);
    InvalidateRect(rect);
}

void CKtvPColorChooserCtrl::Track(CPoint point, UINT nFlags)
{
    CRect rectClient;
    GetClientRect(rectClient);
    point.x = std::min<int>(rectClient.right, std::max<int>(rectClient.left, point.x));
    point.y = std::min<int>(rectClient.bottom, std::max<int>(rectClient.top, point.y));

    switch (m_Type) {
    case CHOOSER_LUMINANCE_BAR:
        InvalidateMarker();
        m_Lum = LumFromRow(point.y);
        m_Color = CKtvPDrawManager::HlsToRgb(m_Hue, m_Lum, m_Sat);
        InvalidateMarker();
        break;
    case CHOOSER_SPECTRUM: {
        InvalidateMarker();
        const CRect rectMarker = GetMarkerRect();
        const CPoint ptMarker = rectMarker.CenterPoint();
        if (nFlags & MK_CONTROL)
            point.x = ptMarker.x;
        if (nFlags & MK_SHIFT)
            point.y = ptMarker.y;
        if (rectClient.Width() > 0)
            m_Hue = (double)point.x / rectClient.Width();
        if (rectClient.Height() > 0)
            m_Sat = 1 - (double)point.y / rectClient.Height();
        m_Color = CKtvPDrawManager::HlsToRgb(m_Hue, m_Lum, m_Sat);
        InvalidateMarker();
        break;
    }
    case CHOOSER_HEXAGON_PALETTE:
    case CHOOSER_GREY_STRIP: {
        const CColorCell* pHit = nullptr;
        for (INT_PTR i = 0; i < m_Cells.GetSize() && pHit == nullptr; i++) {
            if (m_Cells[i]->HitTest(point))
                pHit = m_Cells[i];
        }
        if (pHit == nullptr)
            return;
        m_Color = pHit->m_Color;
        CKtvPDrawManager::RgbToHls(m_Color, &m_Hue, &m_Sat, &m_Lum);
        Invalidate();
        break;
    }
    default:
        break;
    }
    NotifyParent(BN_CLICKED);
    UpdateWindow();
}

void CKtvPColorChooserCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetCapture();
    SetFocus();
    Track(point, nFlags);
}

void CKtvPColorChooserCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (::GetCapture() == GetSafeHwnd())
        Track(point, nFlags);
}

void CKtvPColorChooserCtrl::OnLButtonUp(UINT, CPoint)
{
    if (::GetCapture() == GetSafeHwnd())
        ::ReleaseCapture();
    Default();
}

void CKtvPColorChooserCtrl::OnLButtonDblClk(UINT, CPoint)
{
    if (m_Type == CHOOSER_SPECTRUM || m_Type == CHOOSER_HEXAGON_PALETTE || m_Type == CHOOSER_GREY_STRIP) {
        NotifyParent(BN_DOUBLECLICKED);
        return;
    }
    Default();
}

void CKtvPColorChooserCtrl::OnKeyDown(UINT nChar, UINT, UINT)
{
    double* pValue = nullptr;
    double delta = 0;
    if (m_Type == CHOOSER_LUMINANCE_BAR) {
        if (nChar == VK_UP || nChar == VK_DOWN) {
            pValue = &m_Lum;
            delta = nChar == VK_UP ? kKeyStep : -kKeyStep;
        }
    } else if (m_Type == CHOOSER_SPECTRUM) {
        if (nChar == VK_LEFT || nChar == VK_RIGHT) {
            pValue = &m_Hue;
            delta = nChar == VK_RIGHT ? kKeyStep : -kKeyStep;
        } else if (nChar == VK_UP || nChar == VK_DOWN) {
            pValue = &m_Sat;
            delta = nChar == VK_UP ? kKeyStep : -kKeyStep;
        }
    }
    if (pValue != nullptr) {
        const double value = ClampUnit(*pValue + delta);
        if (value != *pValue) {
            InvalidateMarker();
            *pValue = value;
            m_Color = CKtvPDrawManager::HlsToRgb(m_Hue, m_Lum, m_Sat);
            InvalidateMarker();
            NotifyParent(BN_CLICKED);
        }
    }
    Default();
}

UINT CKtvPColorChooserCtrl::OnGetDlgCode() { return DLGC_WANTARROWS; }

void CKtvPColorChooserCtrl::OnSetFocus(CWnd*)
{
    Default();
    Invalidate();
}

void CKtvPColorChooserCtrl::OnKillFocus(CWnd*)
{
    Default();
    Invalidate();
}

void CKtvPColorChooserCtrl::OnSize(UINT, int, int)
{
    Default();
    if (m_SpectrumBitmap.GetSafeHandle() != nullptr)
        m_SpectrumBitmap.DeleteObject();
    Invalidate();
    UpdateWindow();
}

BOOL CKtvPColorChooserCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT CKtvPColorChooserCtrl::OnQueryNewPalette(WPARAM, LPARAM)
{
    Invalidate();
    return Default();
}

LRESULT CKtvPColorChooserCtrl::OnPaletteChanged(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = Default();
    if ((HWND)wParam != GetSafeHwnd())
        Invalidate();
    return lResult;
}

void CKtvPColorChooserCtrl::OnCancelMode() { Default(); }
