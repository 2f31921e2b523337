// The picker from which the library's Colors dialog is built: an owner-drawn
// button showing one of five faces (preview, lightness ramp, hue-by-saturation
// field, honeycomb of colour cells, grey strip). The mouse and, on the ramp
// and the field, the arrow keys pick a colour; every change goes to the parent
// as BN_CLICKED, a double-click on the field or a cell as BN_DOUBLECLICKED.
#pragma once

#include "platform/mfc/CArray.h"
#include "platform/mfc/CButton.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/afxmsg.h"

class CDC;

// One hexagon of the honeycomb or the grey strip: upright sides, a point at
// the top and at the bottom.
class CColorCell {
public:
    CColorCell(int x, int y, int nSize, COLORREF color, COLORREF colorDraw);

    // Where the hexagon of this size centred at (x, y) has its six corners.
    static void Vertices(int x, int y, int nSize, POINT* pPoints);
    BOOL HitTest(CPoint point) const;
    void Draw(CDC* pDC) const;
    // White and black frames that follow the outline.
    void DrawSelection(CDC* pDC) const;

    POINT m_Points[6];
    COLORREF m_Color;
    COLORREF m_DrawColor;  // what is painted: a palette index on an 8-bit screen
    int m_X;
    int m_Y;
    int m_Size;
};

class CKtvPColorChooserCtrl : public CButton {
public:
    enum {
        CHOOSER_PREVIEW = 0,
        CHOOSER_LUMINANCE_BAR = 1,
        CHOOSER_SPECTRUM = 2,
        CHOOSER_HEXAGON_PALETTE = 3,
        CHOOSER_GREY_STRIP = 4,
    };

    CKtvPColorChooserCtrl();
    ~CKtvPColorChooserCtrl() override;

    void SetType(int nType) { m_Type = nType; }
    int GetType() const { return m_Type; }
    void SetPalette(CPalette* pPalette);
    void SetColor(COLORREF color);
    void SetRGB(BYTE red, BYTE green, BYTE blue);
    void SetInitialColor(COLORREF color) { m_InitialColor = color; }
    // -1 keeps a component; the parent is not told.
    void SetHLS(double hue, double lum, double sat, BOOL bRedraw = TRUE);
    void GetHLS(double* hue, double* lum, double* sat) const;
    COLORREF GetColor() const { return m_Color; }
    COLORREF GetInitialColor() const { return m_InitialColor; }
    void SetLuminanceBarWidth(int nWidth);
    int GetLuminanceBarWidth() const { return m_LumBarWidth; }

    // The cells of the honeycomb and the strip, in order; empty until the first paint.
    int GetCellCount() const { return (int)m_Cells.GetSize(); }
    const CColorCell* GetCell(int nIndex) const { return m_Cells[nIndex]; }
    // The last cell holding the current colour, -1 for none: the one framed.
    int FindSelectedCell() const;
    // Where the marker of the ramp or the field is drawn; empty for other faces.
    CRect GetMarkerRect() const;

    // A channel moved onto 0, 128, 192 or 255 when it is within t of it.
    static int Snap(int nValue, int nThreshold);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    virtual void DrawMarker(CDC* pDC, const CRect& rect);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    // The usable rows of the ramp, and the lightness of a row and back.
    void GetRampBand(int& nTop, int& nBottom) const;
    double LumFromRow(int y) const;
    int RowFromLum(double lum) const;
    void BuildHexagons(const CRect& rectClient);
    void BuildGreys(const CRect& rectClient);
    void AddCell(int x, int y, int nSize, COLORREF colorRaw, COLORREF color);
    void DeleteCells();
    void BuildSpectrum(CDC* pDC, const CRect& rectClient);
    void DrawFace(CDC* pDC, const CRect& rectClient);
    void Track(CPoint point, UINT nFlags);
    void NotifyParent(WORD wCode);
    void InvalidateMarker();
    COLORREF PaletteColor(COLORREF color) const;

    int m_Type;
    double m_Lum;
    double m_Sat;
    double m_Hue;
    COLORREF m_Color;
    COLORREF m_InitialColor;
    int m_LumBarWidth;
    CPalette* m_Palette;
    CBitmap m_SpectrumBitmap;
    CArray<CColorCell*, CColorCell*> m_Cells;

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnQueryNewPalette(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaletteChanged(WPARAM wParam, LPARAM lParam);
    void OnCancelMode();
    DECLARE_MESSAGE_MAP()
};
