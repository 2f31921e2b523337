// The magnified pixel canvas of the Edit Button Image dialog: every pixel of
// a small bitmap as a cell of a grid, painted with the pencil, flood fill,
// line, rectangle and ellipse, or picked up with the colour picker. Changes
// go into the bitmap itself and the dialog's real-size preview is redrawn.
#pragma once

#include "platform/mfc/CButton.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CGdiObject.h"

class CKtvPImageEditDlg;

class CKtvPImagePaintArea : public CButton {
public:
    enum IMAGE_EDIT_MODE {
        IMAGE_EDIT_MODE_PEN = 0,
        IMAGE_EDIT_MODE_FILL = 1,
        IMAGE_EDIT_MODE_LINE = 2,
        IMAGE_EDIT_MODE_RECT = 3,
        IMAGE_EDIT_MODE_ELLIPSE = 4,
        IMAGE_EDIT_MODE_COLOR = 5,
    };

    explicit CKtvPImagePaintArea(CKtvPImageEditDlg* pParentDlg);
    ~CKtvPImagePaintArea() override;

    void SetBitmap(CBitmap* pBitmap);
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_rgbColor; }
    void SetMode(int iMode) { m_Mode = iMode; }
    int GetMode() const { return m_Mode; }

    // Fields, in declared order.
    CRect m_rectParentPreviewArea;
    COLORREF m_rgbColor = RGB(0, 0, 0);
    CDC m_memDC;
    int m_sizeImageCx = 0;
    int m_sizeImageCy = 0;
    CBitmap* m_pBitmap = nullptr;
    int m_Mode = IMAGE_EDIT_MODE_PEN;
    HCURSOR m_hcurPen = nullptr;
    HCURSOR m_hcurFill = nullptr;
    HCURSOR m_hcurLine = nullptr;
    HCURSOR m_hcurRect = nullptr;
    HCURSOR m_hcurEllipse = nullptr;
    HCURSOR m_hcurColor = nullptr;
    int m_sizeCellCx = 0;
    int m_sizeCellCy = 0;
    CKtvPImageEditDlg* m_pParentDlg;
    CPen m_penDraw;
    CPen m_penStretch;
    CRect m_rectDraw;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

protected:
    void PreSubclassWindow() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    void Init();
    CPoint PixelOf(CPoint point) const;
    // Drags beyond the control keep drawing at its edge.
    CPoint ClampToClient(CPoint point) const;
    CRect CellRect(int x, int y) const;
    void DrawPixel(CPoint pixel);
    // The rubber band of a shape, drawn so that drawing it twice erases it.
    void DrawStretch(const CRect& rect);
    void InvalidatePreview();
};
