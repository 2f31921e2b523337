// Pixel effects GDI lacks (lightening, greying, gradients, soft shadows) on a
// caller's DC, and the colour arithmetic the looks derive their palettes from.
// Constructed on the stack around one operation.
#pragma once

#include "platform/mfc/CDC.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CRect.h"

class CKtvPDrawManager : public CObject {
public:
    explicit CKtvPDrawManager(CDC& dc) : m_dc(dc) {}

    // FALSE: a memory DC, bitmap or DIB section could not be made; nothing drawn.
    BOOL HighlightRect(CRect rect, int nPercentage = -1, COLORREF clrTransparent = (COLORREF)-1);
    BOOL GrayRect(CRect rect, int nPercentage = -1, COLORREF clrTransparent = (COLORREF)-1);
    void FillGradient(CRect rect, COLORREF colorStart, COLORREF colorFinish, BOOL bHorz = TRUE);
    void FillGradientAngle(CRect rect, COLORREF colorStart, COLORREF colorFinish, int nAngle);
    BOOL DrawGradientRing(CRect rect, COLORREF colorStart, COLORREF colorFinish, COLORREF colorBorder, int nAngle,
                          int nWidth, COLORREF clrFace);
    BOOL DrawShadow(CRect rect, int nDepth, int nMinBrightness, int nMaxBrightness, CBitmap* pBmpSaveBottom,
                    CBitmap* pBmpSaveRight, COLORREF clrBase = (COLORREF)-1);

    static COLORREF ScaleColor(COLORREF clr, int nPercent);
    static COLORREF ScaleColorChannels(COLORREF clr, double dRed, double dGreen, double dBlue);
    // The same factor on all three channels.
    static COLORREF ScaleColorChannels(COLORREF clr, double dFactor);
    static COLORREF BlendColors(COLORREF clr1, COLORREF clr2, int nPercent1);
    static void RgbToHls(COLORREF clr, double* pHue, double* pSaturation, double* pLightness);
    static COLORREF HlsToRgb(double hue, double lightness, double saturation);
    static COLORREF HlsToRgbDegrees(double hue, double lightness, double saturation);
    static void RgbToHsv(COLORREF clr, double* pHue, double* pSaturation, double* pValue);
    static COLORREF HsvToRgb(double hue, double saturation, double value);
    static COLORREF SmartMixColors(COLORREF clr1, COLORREF clr2, double dblLumRatio = 1, int k1 = 1, int k2 = 1);
    static double HueToRgb(double m1, double m2, double h);
    static BYTE HueToRgbDegrees(float m1, float m2, float h);
    // Points outside the cx x cy bitmap are ignored.
    static void SetBitmapPixel(DWORD* pBits, int cx, int cy, int x, int y, COLORREF clr);

private:
    CDC& m_dc;
};

// Fills the rectangle with the light checker or midpoint brush of globalData.
void FillWithGlobalBrush(CDC* pDC, LPCRECT rect);
