#include "ui/commandbars/KtvPImagePaintArea.h"

#include <algorithm>

#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "resources/CustomizeIds.h"
#include "ui/commandbars/KtvPImageEditDlg.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/frames/KtvPGlobalData.h"

BEGIN_MESSAGE_MAP(CKtvPImagePaintArea, CButton)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

// Every tool stores its colour in the system colours, as the strip's drawn images hold them.
COLORREF PaintAreaStored(COLORREF color)
{
    return CKtvPToolBarImages::MapToSysColor(color, FALSE);
}

}  // namespace

CKtvPImagePaintArea::CKtvPImagePaintArea(CKtvPImageEditDlg* pParentDlg)
    : m_rectParentPreviewArea(0, 0, 0, 0), m_rectDraw(0, 0, 0, 0), m_pParentDlg(pParentDlg)
{
    m_memDC.CreateCompatibleDC(nullptr);
    m_penDraw.CreatePen(PS_SOLID, 1, PaintAreaStored(m_rgbColor));
}

CKtvPImagePaintArea::~CKtvPImagePaintArea()
{
    for (HCURSOR hCursor : {m_hcurPen, m_hcurFill, m_hcurLine, m_hcurRect, m_hcurEllipse, m_hcurColor}) {
        if (hCursor != nullptr)
            ::DestroyCursor(hCursor);
    }
}

void CKtvPImagePaintArea::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    Init();
}

int CKtvPImagePaintArea::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CButton::OnCreate(lpCreateStruct) == -1)
        return -1;
    Init();
    return 0;
}

void CKtvPImagePaintArea::Init()
{
    if (m_hcurPen != nullptr)
        return;
    const HINSTANCE hInst = AfxGetResourceHandle();
    m_hcurPen = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_KTVP_PAINT_PENCIL));
    m_hcurFill = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_KTVP_PAINT_FILL));
    m_hcurLine = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_KTVP_PAINT_LINE));
    m_hcurRect = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_KTVP_PAINT_RECT));
    m_hcurEllipse = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_KTVP_PAINT_ELLIPSE));
    m_hcurColor = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_KTVP_PAINT_COLOR));
}

void CKtvPImagePaintArea::SetBitmap(CBitmap* pBitmap)
{
    m_pBitmap = pBitmap;
    m_sizeImageCx = m_sizeImageCy = 0;
    m_sizeCellCx = m_sizeCellCy = 0;
    if (m_pBitmap == nullptr || m_pBitmap->GetSafeHandle() == nullptr) {
        m_pBitmap = nullptr;
        return;
    }
    BITMAP bmp{};
    m_pBitmap->GetBitmap(&bmp);
    m_sizeImageCx = bmp.bmWidth;
    m_sizeImageCy = bmp.bmHeight;
    CRect rectClient(0, 0, 0, 0);
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&rectClient);
    if (m_sizeImageCx > 0 && m_sizeImageCy > 0) {
        m_sizeCellCx = (rectClient.Width() - 2) / m_sizeImageCx;
        m_sizeCellCy = (rectClient.Height() - 2) / m_sizeImageCy;
    }
    m_penStretch.DeleteObject();
    m_penStretch.CreatePen(PS_SOLID, std::max(1, std::min(m_sizeCellCx, m_sizeCellCy)), globalData.clrBtnText);
}

void CKtvPImagePaintArea::SetColor(COLORREF color)
{
    m_rgbColor = color;
    m_penDraw.DeleteObject();
    m_penDraw.CreatePen(PS_SOLID, 1, PaintAreaStored(m_rgbColor));
}

CPoint CKtvPImagePaintArea::PixelOf(CPoint point) const
{
    if (m_sizeCellCx <= 0 || m_sizeCellCy <= 0)
        return CPoint(0, 0);
    const int x = std::clamp((point.x - 1) / m_sizeCellCx, 0, std::max(0, m_sizeImageCx - 1));
    const int y = std::clamp((point.y - 1) / m_sizeCellCy, 0, std::max(0, m_sizeImageCy - 1));
    // A point left of or above the grid divides towards 0 already; negative ones too.
    return CPoint(point.x < 1 ? 0 : x, point.y < 1 ? 0 : y);
}

CPoint CKtvPImagePaintArea::ClampToClient(CPoint point) const
{
    CRect rectClient;
    GetClientRect(&rectClient);
    return CPoint(std::clamp(point.x, static_cast<int>(rectClient.left), static_cast<int>(rectClient.right) - 1),
                  std::clamp(point.y, static_cast<int>(rectClient.top), static_cast<int>(rectClient.bottom) - 1));
}

CRect CKtvPImagePaintArea::CellRect(int x, int y) const
{
    CRect rect(1 + x * m_sizeCellCx, 1 + y * m_sizeCellCy, 1 + (x + 1) * m_sizeCellCx, 1 + (y + 1) * m_sizeCellCy);
    rect.DeflateRect(1, 1);
    return rect;
}

BOOL CKtvPImagePaintArea::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKtvPImagePaintArea::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rectClient = lpDIS->rcItem;
    pDC->FillRect(rectClient, &globalData.brBtnFace);

    CRect rectGrid = rectClient;
    rectGrid.DeflateRect(1, 1);
    rectGrid.right = rectGrid.left + m_sizeImageCx * m_sizeCellCx;
    rectGrid.bottom = rectGrid.top + m_sizeImageCy * m_sizeCellCy;
    CRect rectFrame = rectGrid;
    rectFrame.InflateRect(1, 1);
    pDC->Draw3dRect(rectFrame, globalData.clrBtnDkShadow, globalData.clrBtnHilite);

    CPen penGrid(PS_SOLID, 1, globalData.clrBtnShadow);
    CPen* pOldPen = pDC->SelectObject(&penGrid);
    for (int x = 1; x < m_sizeImageCx; x++) {
        const int xLine = rectGrid.left + x * m_sizeCellCx;
        pDC->MoveTo(xLine, rectGrid.top + 1);
        pDC->LineTo(xLine, rectGrid.bottom - 1);
    }
    for (int y = 1; y < m_sizeImageCy; y++) {
        const int yLine = rectGrid.top + y * m_sizeCellCy;
        pDC->MoveTo(rectGrid.left + 1, yLine);
        pDC->LineTo(rectGrid.right - 1, yLine);
    }
    pDC->SelectObject(pOldPen);

    if (m_pBitmap == nullptr)
        return;
    CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
    for (int x = 0; x < m_sizeImageCx; x++) {
        for (int y = 0; y < m_sizeImageCy; y++) {
            const COLORREF color = m_memDC.GetPixel(x, y);
            if (color == CLR_INVALID)
                continue;
            pDC->FillSolidRect(CellRect(x, y), CKtvPToolBarImages::MapFromSysColor(color, FALSE));
        }
    }
    m_memDC.SelectObject(pOldBitmap);
}

void CKtvPImagePaintArea::InvalidatePreview()
{
    if (m_pParentDlg != nullptr && m_pParentDlg->GetSafeHwnd() != nullptr)
        m_pParentDlg->InvalidateRect(m_rectParentPreviewArea, TRUE);
}

void CKtvPImagePaintArea::DrawPixel(CPoint pixel)
{
    if (m_pBitmap == nullptr)
        return;
    {
        CClientDC dc(this);
        dc.FillSolidRect(CellRect(pixel.x, pixel.y), m_rgbColor);
    }
    CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
    m_memDC.SetPixel(pixel.x, pixel.y, PaintAreaStored(m_rgbColor));
    m_memDC.SelectObject(pOldBitmap);
    InvalidatePreview();
}

void CKtvPImagePaintArea::DrawStretch(const CRect& rect)
{
    if (rect.left == rect.right && rect.top == rect.bottom)
        return;
    CClientDC dc(this);
    CRect rectClip(1, 1, 1 + m_sizeImageCx * m_sizeCellCx, 1 + m_sizeImageCy * m_sizeCellCy);
    CRgn rgn;
    rgn.CreateRectRgnIndirect(rectClip);
    dc.SelectClipRgn(&rgn);
    CPen* pOldPen = dc.SelectObject(&m_penStretch);
    CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
    const int nOldRop = dc.SetROP2(R2_NOT);
    auto centre = [this](int p, int cell) { return 1 + p * cell + cell / 2; };
    const int x1 = centre(rect.left, m_sizeCellCx);
    const int y1 = centre(rect.top, m_sizeCellCy);
    const int x2 = centre(rect.right, m_sizeCellCx);
    const int y2 = centre(rect.bottom, m_sizeCellCy);
    switch (m_Mode) {
    case IMAGE_EDIT_MODE_LINE:
        dc.MoveTo(x1, y1);
        dc.LineTo(x2, y2);
        break;
    case IMAGE_EDIT_MODE_RECT:
        dc.Rectangle(x1, y1, x2, y2);
        break;
    case IMAGE_EDIT_MODE_ELLIPSE:
        dc.Ellipse(x1, y1, x2, y2);
        break;
    default:
        break;
    }
    dc.SetROP2(nOldRop);
    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOldPen);
    dc.SelectClipRgn(nullptr);
}

void CKtvPImagePaintArea::OnLButtonDown(UINT, CPoint point)
{
    if (m_pBitmap == nullptr)
        return;
    const CPoint pixel = PixelOf(point);
    switch (m_Mode) {
    case IMAGE_EDIT_MODE_PEN:
        DrawPixel(pixel);
        break;
    case IMAGE_EDIT_MODE_LINE:
    case IMAGE_EDIT_MODE_RECT:
    case IMAGE_EDIT_MODE_ELLIPSE:
        m_rectDraw = CRect(pixel.x, pixel.y, pixel.x, pixel.y);
        break;
    default:
        break;
    }
    SetCapture();
}

void CKtvPImagePaintArea::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!(nFlags & MK_LBUTTON) || m_pBitmap == nullptr || GetCapture() != this)
        return;
    const CPoint pixel = PixelOf(ClampToClient(point));
    switch (m_Mode) {
    case IMAGE_EDIT_MODE_PEN:
        DrawPixel(pixel);
        break;
    case IMAGE_EDIT_MODE_LINE:
    case IMAGE_EDIT_MODE_RECT:
    case IMAGE_EDIT_MODE_ELLIPSE:
        DrawStretch(m_rectDraw);
        m_rectDraw.right = pixel.x;
        m_rectDraw.bottom = pixel.y;
        DrawStretch(m_rectDraw);
        break;
    default:
        break;
    }
}

void CKtvPImagePaintArea::OnLButtonUp(UINT, CPoint point)
{
    if (GetCapture() == this)
        ::ReleaseCapture();
    if (m_pBitmap == nullptr) {
        m_rectDraw.SetRectEmpty();
        return;
    }
    const CPoint pixel = PixelOf(ClampToClient(point));

    CRect rect = m_rectDraw;
    if (m_Mode == IMAGE_EDIT_MODE_RECT || m_Mode == IMAGE_EDIT_MODE_ELLIPSE) {
        // The far cells belong to the shape.
        if (rect.left != rect.right) {
            if (rect.left > rect.right)
                rect.left++;
            else
                rect.right++;
        }
        if (rect.top != rect.bottom) {
            if (rect.top > rect.bottom)
                rect.top++;
            else
                rect.bottom++;
        }
    }

    BOOL bRedraw = FALSE;
    const BOOL bSinglePixel = m_rectDraw.left == m_rectDraw.right && m_rectDraw.top == m_rectDraw.bottom;
    switch (m_Mode) {
    case IMAGE_EDIT_MODE_FILL: {
        CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
        CBrush brush(PaintAreaStored(m_rgbColor));
        CBrush* pOldBrush = m_memDC.SelectObject(&brush);
        ::ExtFloodFill(m_memDC.GetSafeHdc(), pixel.x, pixel.y, m_memDC.GetPixel(pixel.x, pixel.y), FLOODFILLSURFACE);
        m_memDC.SelectObject(pOldBrush);
        m_memDC.SelectObject(pOldBitmap);
        bRedraw = TRUE;
        break;
    }
    case IMAGE_EDIT_MODE_LINE:
        if (!bSinglePixel) {
            CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
            CPen* pOldPen = m_memDC.SelectObject(&m_penDraw);
            m_memDC.MoveTo(m_rectDraw.left, m_rectDraw.top);
            m_memDC.LineTo(m_rectDraw.right, m_rectDraw.bottom);
            m_memDC.SelectObject(pOldPen);
            m_memDC.SelectObject(pOldBitmap);
        }
        DrawPixel(m_rectDraw.BottomRight());
        bRedraw = TRUE;
        break;
    case IMAGE_EDIT_MODE_RECT:
    case IMAGE_EDIT_MODE_ELLIPSE:
        if (!bSinglePixel) {
            CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
            CPen* pOldPen = m_memDC.SelectObject(&m_penDraw);
            CGdiObject* pOldBrush = m_memDC.SelectStockObject(NULL_BRUSH);
            if (m_Mode == IMAGE_EDIT_MODE_RECT)
                m_memDC.Rectangle(rect);
            else
                m_memDC.Ellipse(rect);
            m_memDC.SelectObject(pOldBrush);
            m_memDC.SelectObject(pOldPen);
            m_memDC.SelectObject(pOldBitmap);
        } else {
            DrawPixel(m_rectDraw.TopLeft());
        }
        bRedraw = TRUE;
        break;
    case IMAGE_EDIT_MODE_PEN:
        DrawPixel(pixel);
        break;
    case IMAGE_EDIT_MODE_COLOR: {
        CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
        const COLORREF color = m_memDC.GetPixel(pixel.x, pixel.y);
        m_memDC.SelectObject(pOldBitmap);
        // The colour as the grid shows it, which the colour bar knows.
        if (color != CLR_INVALID && m_pParentDlg != nullptr)
            m_pParentDlg->OnPickColor(CKtvPToolBarImages::MapFromSysColor(color, FALSE));
        else if (color != CLR_INVALID)
            SetColor(CKtvPToolBarImages::MapFromSysColor(color, FALSE));
        break;
    }
    default:
        break;
    }
    if (bRedraw) {
        Invalidate();
        UpdateWindow();
        InvalidatePreview();
    }
    m_rectDraw.SetRectEmpty();
}

void CKtvPImagePaintArea::OnCancelMode()
{
    CButton::OnCancelMode();
    if (GetCapture() == this)
        ::ReleaseCapture();
}

BOOL CKtvPImagePaintArea::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    HCURSOR hCursor = nullptr;
    switch (m_Mode) {
    case IMAGE_EDIT_MODE_PEN:
        hCursor = m_hcurPen;
        break;
    case IMAGE_EDIT_MODE_FILL:
        hCursor = m_hcurFill;
        break;
    case IMAGE_EDIT_MODE_LINE:
        hCursor = m_hcurLine;
        break;
    case IMAGE_EDIT_MODE_RECT:
        hCursor = m_hcurRect;
        break;
    case IMAGE_EDIT_MODE_ELLIPSE:
        hCursor = m_hcurEllipse;
        break;
    case IMAGE_EDIT_MODE_COLOR:
        hCursor = m_hcurColor;
        break;
    default:
        break;
    }
    if (hCursor == nullptr)
        return CButton::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(hCursor);
    return TRUE;
}
