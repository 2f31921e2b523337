#include "ui/frames/KtvPDrawManager.h"

#include <algorithm>
#include <cmath>

#include "ui/frames/KtvPGlobalData.h"

namespace ktvdm {

constexpr double kPi = 3.1415926;
constexpr COLORREF kNoColor = (COLORREF)-1;

// A 32-bit bottom-up copy of an area of a DC, written back on request. Pixels
// are 0x00RRGGBB.
class AreaPixels {
public:
    AreaPixels(HDC target, int left, int top, int width, int height)
        : target_(target), left_(left), top_(top), width_(width), height_(height)
    {
        memDc_ = CreateCompatibleDC(target);
        if (memDc_ == nullptr)
            return;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        info.bmiHeader.biSizeImage = DWORD(width * height);
        void* raw = nullptr;
        dib_ = CreateDIBSection(memDc_, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
        if (dib_ == nullptr)
            return;
        bits_ = static_cast<DWORD*>(raw);
        oldBitmap_ = SelectObject(memDc_, dib_);
        BitBlt(memDc_, 0, 0, width, height, target, left, top, SRCCOPY);
    }
    ~AreaPixels()
    {
        if (oldBitmap_ != nullptr)
            SelectObject(memDc_, oldBitmap_);
        if (dib_ != nullptr)
            DeleteObject(dib_);
        if (memDc_ != nullptr)
            DeleteDC(memDc_);
    }
    AreaPixels(const AreaPixels&) = delete;
    AreaPixels& operator=(const AreaPixels&) = delete;

    bool Ok() const { return bits_ != nullptr; }
    DWORD* Bits() { return bits_; }
    // (x, y) from the area's top-left corner.
    DWORD& At(int x, int y) { return bits_[(height_ - 1 - y) * width_ + x]; }
    void WriteBack() { BitBlt(target_, left_, top_, width_, height_, memDc_, 0, 0, SRCCOPY); }

private:
    HDC target_;
    int left_, top_, width_, height_;
    HDC memDc_ = nullptr;
    HBITMAP dib_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    DWORD* bits_ = nullptr;
};

DWORD ToPixel(COLORREF clr)
{
    return (DWORD(GetRValue(clr)) << 16) | (DWORD(GetGValue(clr)) << 8) | GetBValue(clr);
}

COLORREF FromPixel(DWORD pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// The two lightening rules of HighlightRect and GrayRect, on one COLORREF.
COLORREF Lighten(COLORREF clr, int nPercentage)
{
    if (nPercentage != -1) {
        const double p = nPercentage * 0.01;
        return CKtvPDrawManager::ScaleColorChannels(clr, p, p, p);
    }
    auto halfway = [](int c, int h) { return std::min(255, c + (h - c) / 2); };
    const COLORREF hilite = globalData.clrBtnHilite;
    return RGB(halfway(GetRValue(clr), GetRValue(hilite)), halfway(GetGValue(clr), GetGValue(hilite)),
               halfway(GetBValue(clr), GetBValue(hilite)));
}

COLORREF BandColor(COLORREF start, COLORREF finish, int i)
{
    auto channel = [i](int s, int f) { return (s * (64 - i) + f * i) >> 6; };
    return RGB(channel(GetRValue(start), GetRValue(finish)), channel(GetGValue(start), GetGValue(finish)),
               channel(GetBValue(start), GetBValue(finish)));
}

void FillSolid(HDC hdc, const RECT& rect, COLORREF clr)
{
    HBRUSH brush = CreateSolidBrush(clr);
    FillRect(hdc, &rect, brush);
    DeleteObject(brush);
}

int ClampByte(double v)
{
    return int(std::clamp(v, 0.0, 255.0));
}

}  // namespace ktvdm

// --- colour arithmetic -----------------------------------------------------------------------------

COLORREF CKtvPDrawManager::ScaleColor(COLORREF clr, int nPercent)
{
    auto scale = [nPercent](int c) { return std::min(255, c * nPercent / 100); };
    return RGB(scale(GetRValue(clr)), scale(GetGValue(clr)), scale(GetBValue(clr)));
}

COLORREF CKtvPDrawManager::ScaleColorChannels(COLORREF clr, double dRed, double dGreen, double dBlue)
{
    auto scale = [](int c, double d) {
        const int v = (c == 0 && d > 1.0) ? int((d - 1.0) * 255 + 0.5) : int(c * d + 0.5);
        return std::min(255, v);
    };
    return RGB(scale(GetRValue(clr), dRed), scale(GetGValue(clr), dGreen), scale(GetBValue(clr), dBlue));
}

COLORREF CKtvPDrawManager::ScaleColorChannels(COLORREF clr, double dFactor)
{
    return ScaleColorChannels(clr, dFactor, dFactor, dFactor);
}

COLORREF CKtvPDrawManager::BlendColors(COLORREF clr1, COLORREF clr2, int nPercent1)
{
    auto blend = [nPercent1](int c1, int c2) { return (c1 * nPercent1 + c2 * (100 - nPercent1)) / 100; };
    return RGB(blend(GetRValue(clr1), GetRValue(clr2)), blend(GetGValue(clr1), GetGValue(clr2)),
               blend(GetBValue(clr1), GetBValue(clr2)));
}

void CKtvPDrawManager::RgbToHls(COLORREF clr, double* pHue, double* pSaturation, double* pLightness)
{
    const double unit = 0.00392156862745098;
    const double r = GetRValue(clr) * unit, g = GetGValue(clr) * unit, b = GetBValue(clr) * unit;
    const double maxC = std::max({r, g, b}), minC = std::min({r, g, b});
    const double l = (maxC + minC) * 0.5;
    *pLightness = l;
    if (maxC == minC) {
        *pSaturation = 0;
        *pHue = 0;
        return;
    }
    const double delta = maxC - minC;
    *pSaturation = l < 0.5 ? delta / (maxC + minC) : delta / (2 - maxC - minC);
    double h;
    if (r == maxC)
        h = (g - b) / delta;
    else if (g == maxC)
        h = (b - r) / delta + 2;
    else
        h = (r - g) / delta + 4;
    h *= 1.0 / 6;
    if (h < 0)
        h += 1;
    *pHue = h;
}

double CKtvPDrawManager::HueToRgb(double m1, double m2, double h)
{
    if (h < 0)
        h += 1;
    if (h > 1)
        h -= 1;
    if (6 * h < 1)
        return m1 + (m2 - m1) * h * 6;
    if (2 * h < 1)
        return m2;
    if (3 * h < 2)
        return m1 + (m2 - m1) * (2.0 / 3 - h) * 6;
    return m1;
}

COLORREF CKtvPDrawManager::HlsToRgb(double hue, double lightness, double saturation)
{
    if (saturation == 0) {
        const int v = int(lightness * 255);
        return RGB(v, v, v);
    }
    const double third = 0.3333333333333333;
    const double m2 = lightness <= 0.5 ? lightness * (1 + saturation) : lightness + saturation - lightness * saturation;
    const double m1 = 2 * lightness - m2;
    return RGB(int(HueToRgb(m1, m2, hue + third) * 255), int(HueToRgb(m1, m2, hue) * 255),
               int(HueToRgb(m1, m2, hue - third) * 255));
}

BYTE CKtvPDrawManager::HueToRgbDegrees(float m1, float m2, float h)
{
    if (h > 360)
        h -= 360;
    else if (h < 0)
        h += 360;
    float v;
    if (h < 60)
        v = (m1 + (m2 - m1) * h * 0.016666668f) * 255;
    else if (h < 180)
        v = m2 * 255;
    else if (h < 240)
        v = (m1 + (m2 - m1) * (240 - h) * 0.016666668f) * 255;
    else
        v = m1 * 255;
    return BYTE(v);
}

COLORREF CKtvPDrawManager::HlsToRgbDegrees(double hue, double lightness, double saturation)
{
    if (saturation == 0) {
        const int v = int(lightness * 255);
        return RGB(v, v, v);
    }
    const float l = float(lightness), s = float(saturation), h = float(hue);
    const float m2 = l <= 0.5f ? l * (1 + s) : l + s - l * s;
    const float m1 = 2 * l - m2;
    return RGB(HueToRgbDegrees(m1, m2, h + 120), HueToRgbDegrees(m1, m2, h), HueToRgbDegrees(m1, m2, h - 120));
}

void CKtvPDrawManager::RgbToHsv(COLORREF clr, double* pHue, double* pSaturation, double* pValue)
{
    const double unit = 0.00392156862745098;
    const double r = GetRValue(clr) * unit, g = GetGValue(clr) * unit, b = GetBValue(clr) * unit;
    const double maxC = std::max({r, g, b}), minC = std::min({r, g, b});
    *pValue = maxC;
    if (maxC == 0) {
        *pSaturation = 0;
        *pHue = -1;
        return;
    }
    const double delta = maxC - minC;
    *pSaturation = delta / maxC;
    double h;
    if (maxC == minC)
        h = 1;
    else if (r == maxC)
        h = (g - b) / delta;
    else if (g == maxC)
        h = (b - r) / delta + 2;
    else
        h = (r - g) / delta + 4;
    h *= 60;
    if (h < 0)
        h += 360;
    *pHue = h;
}

COLORREF CKtvPDrawManager::HsvToRgb(double hue, double saturation, double value)
{
    auto byte = [](double x) { return int(x * 255 + 0.5); };
    if (saturation == 0)
        return RGB(byte(value), byte(value), byte(value));
    // Hues outside one turn would pick no sector: wrap them first.
    hue = std::fmod(hue, 360.0);
    if (hue < 0)
        hue += 360.0;
    const double h = hue * (1.0 / 60);
    const int i = std::clamp(int(std::floor(h)), 0, 5);
    const double f = h - i;
    const double p = value * (1 - saturation);
    const double q = value * (1 - saturation * f);
    const double t = value * (1 - saturation * (1 - f));
    double r, g, b;
    switch (i) {
    case 0: r = value, g = t, b = p; break;
    case 1: r = q, g = value, b = p; break;
    case 2: r = p, g = value, b = t; break;
    case 3: r = p, g = q, b = value; break;
    case 4: r = t, g = p, b = value; break;
    default: r = value, g = p, b = q; break;
    }
    return RGB(byte(r), byte(g), byte(b));
}

COLORREF CKtvPDrawManager::SmartMixColors(COLORREF clr1, COLORREF clr2, double dblLumRatio, int k1, int k2)
{
    if (k1 + k2 == 0)
        return RGB(0, 0, 0);
    const int k = k1 + k2;
    auto mixChannel = [&](int c1, int c2) { return (c1 * k1 + c2 * k2) / k; };
    const COLORREF mix = RGB(mixChannel(GetRValue(clr1), GetRValue(clr2)), mixChannel(GetGValue(clr1), GetGValue(clr2)),
                             mixChannel(GetBValue(clr1), GetBValue(clr2)));
    double hMix, sMix, vMix, h2, s2, v2;
    RgbToHsv(mix, &hMix, &sMix, &vMix);
    RgbToHsv(clr2, &h2, &s2, &v2);
    const COLORREF result = HsvToRgb(hMix, (k2 * s2 + k1 * sMix) / k, v2);
    if (dblLumRatio == 1.0)
        return result;
    double h, s, l;
    RgbToHls(result, &h, &s, &l);
    return HlsToRgb(h, std::min(1.0, l * dblLumRatio), s);
}

void CKtvPDrawManager::SetBitmapPixel(DWORD* pBits, int cx, int cy, int x, int y, COLORREF clr)
{
    if (pBits == nullptr || x < 0 || y < 0 || x >= cx || y >= cy)
        return;
    pBits[(cy - 1 - y) * cx + x] = ktvdm::ToPixel(clr);
}

// --- pixel operations ------------------------------------------------------------------------------

BOOL CKtvPDrawManager::HighlightRect(CRect rect, int nPercentage, COLORREF clrTransparent)
{
    if (nPercentage == 100 || rect.Width() <= 0 || rect.Height() <= 0)
        return TRUE;
    if (globalData.m_nBitsPerPixel <= 8) {
        FillWithGlobalBrush(&m_dc, rect);
        return TRUE;
    }
    ktvdm::AreaPixels area(m_dc.GetSafeHdc(), rect.left, rect.top, rect.Width(), rect.Height());
    if (!area.Ok())
        return FALSE;
    const DWORD transparent = clrTransparent == ktvdm::kNoColor ? DWORD(-1) : ktvdm::ToPixel(clrTransparent);
    DWORD* bits = area.Bits();
    const int count = rect.Width() * rect.Height();
    for (int i = 0; i < count; i++) {
        const DWORD pixel = bits[i] & 0xFFFFFF;
        if (pixel == transparent)
            continue;
        bits[i] = ktvdm::ToPixel(ktvdm::Lighten(ktvdm::FromPixel(pixel), nPercentage));
    }
    area.WriteBack();
    return TRUE;
}

BOOL CKtvPDrawManager::GrayRect(CRect rect, int nPercentage, COLORREF clrTransparent)
{
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return TRUE;
    if (globalData.m_nBitsPerPixel <= 8) {
        FillWithGlobalBrush(&m_dc, rect);
        return TRUE;
    }
    ktvdm::AreaPixels area(m_dc.GetSafeHdc(), rect.left, rect.top, rect.Width(), rect.Height());
    if (!area.Ok())
        return FALSE;
    const DWORD transparent = clrTransparent == ktvdm::kNoColor ? DWORD(-1) : ktvdm::ToPixel(clrTransparent);
    DWORD* bits = area.Bits();
    const int count = rect.Width() * rect.Height();
    for (int i = 0; i < count; i++) {
        const DWORD pixel = bits[i] & 0xFFFFFF;
        if (pixel == transparent)
            continue;
        double h, s, l;
        RgbToHls(ktvdm::FromPixel(pixel), &h, &s, &l);
        bits[i] = ktvdm::ToPixel(ktvdm::Lighten(HlsToRgb(h, l, 0), nPercentage));
    }
    area.WriteBack();
    return TRUE;
}

void CKtvPDrawManager::FillGradient(CRect rect, COLORREF colorStart, COLORREF colorFinish, BOOL bHorz)
{
    HDC hdc = m_dc.GetSafeHdc();
    if (colorStart == colorFinish) {
        ktvdm::FillSolid(hdc, rect, colorStart);
        return;
    }
    for (int i = 0; i < 64; i++) {
        RECT band = rect;
        if (bHorz) {
            band.top = rect.bottom - ((rect.bottom - rect.top) * (i + 1) >> 6);
            band.bottom = rect.bottom - ((rect.bottom - rect.top) * i >> 6);
        } else {
            band.left = rect.left + ((rect.right - rect.left) * i >> 6);
            band.right = rect.left + ((rect.right - rect.left) * (i + 1) >> 6);
        }
        if (band.top >= band.bottom || band.left >= band.right)
            continue;
        ktvdm::FillSolid(hdc, band, ktvdm::BandColor(colorStart, colorFinish, i));
    }
}

void CKtvPDrawManager::FillGradientAngle(CRect rect, COLORREF colorStart, COLORREF colorFinish, int nAngle)
{
    if (colorStart == colorFinish) {
        ktvdm::FillSolid(m_dc.GetSafeHdc(), rect, colorStart);
        return;
    }
    switch (nAngle) {
    case 0:
    case 360: FillGradient(rect, colorStart, colorFinish, FALSE); return;
    case 90: FillGradient(rect, colorStart, colorFinish, TRUE); return;
    case 180: FillGradient(rect, colorFinish, colorStart, FALSE); return;
    case 270: FillGradient(rect, colorFinish, colorStart, TRUE); return;
    default: break;
    }
    const int w = rect.Width(), h = rect.Height();
    if (w <= 0 || h <= 0)
        return;
    HDC target = m_dc.GetSafeHdc();
    HDC mem = CreateCompatibleDC(target);
    if (mem == nullptr)
        return;
    HBITMAP bitmap = CreateCompatibleBitmap(target, w, h);
    if (bitmap == nullptr) {
        DeleteDC(mem);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(mem, bitmap);
    // Pixels no strip reaches keep what was there.
    BitBlt(mem, 0, 0, w, h, target, rect.left, rect.top, SRCCOPY);
    HGDIOBJ oldPen = SelectObject(mem, GetStockObject(NULL_PEN));

    const int offset = int(std::cos((nAngle + 180) * ktvdm::kPi * (1.0 / 180)) * h);
    const int span = std::abs(offset) + w;
    const int shift = offset < 1 ? 0 : -offset;
    for (int i = 0; i < 64; i++) {
        const int a = (i * span) >> 6, b = ((i + 1) * span) >> 6;
        if (a == b)
            continue;
        const POINT strip[4] = {{shift + a, 0}, {shift + b, 0}, {shift + b + offset, h}, {shift + a + offset, h}};
        HBRUSH brush = CreateSolidBrush(ktvdm::BandColor(colorStart, colorFinish, i));
        HGDIOBJ oldBrush = SelectObject(mem, brush);
        Polygon(mem, strip, 4);
        SelectObject(mem, oldBrush);
        DeleteObject(brush);
    }
    BitBlt(target, rect.left, rect.top, w, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, oldPen);
    SelectObject(mem, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(mem);
}

BOOL CKtvPDrawManager::DrawGradientRing(CRect rect, COLORREF colorStart, COLORREF colorFinish, COLORREF colorBorder,
                                        int nAngle, int nWidth, COLORREF clrFace)
{
    const int cx = rect.Width(), cy = rect.Height();
    if (cx <= 4 || cy <= 4)
        return FALSE;
    ktvdm::AreaPixels area(m_dc.GetSafeHdc(), rect.left, rect.top, cx, cy);
    if (!area.Ok())
        return FALSE;
    DWORD* bits = area.Bits();
    CRect ring(0, 0, cx, cy);
    const CPoint centre(cx / 2, cy / 2);

    const double stepR = (GetRValue(colorFinish) + 0.5 - GetRValue(colorStart)) * (1.0 / 180);
    const double stepG = (GetGValue(colorFinish) + 0.5 - GetGValue(colorStart)) * (1.0 / 180);
    const double stepB = (GetBValue(colorFinish) + 0.5 - GetBValue(colorStart)) * (1.0 / 180);

    for (int k = 0; k < nWidth && ring.Width() > 0 && ring.Height() > 0; k++) {
        if (k == 0 && clrFace != ktvdm::kNoColor) {
            const double rx = ring.Width() / 2.0, ry = ring.Height() / 2.0;
            for (int y = 0; y < cy; y++)
                for (int x = 0; x < cx; x++) {
                    const double dx = (x + 0.5 - rx) / rx, dy = (y + 0.5 - ry) / ry;
                    if (dx * dx + dy * dy <= 1.0)
                        SetBitmapPixel(bits, cx, cy, x, y, clrFace);
                }
        }
        const int radius = std::min(ring.Width(), ring.Height()) / 2;
        const int halfDiffX = std::max(0, ring.Width() - ring.Height()) / 2;
        const int halfDiffY = std::max(0, ring.Height() - ring.Width()) / 2;
        const double theta0 = nAngle * ktvdm::kPi * (1.0 / 180);
        int n = 0;
        for (double theta = theta0; theta < theta0 + 6.2831852; theta += 0.017453292222222222, n++) {
            const int t = theta <= theta0 + ktvdm::kPi ? n : 360 - n;
            COLORREF clr = RGB(ktvdm::ClampByte(GetRValue(colorStart) + t * stepR + 0.5),
                               ktvdm::ClampByte(GetGValue(colorStart) + t * stepG + 0.5),
                               ktvdm::ClampByte(GetBValue(colorStart) + t * stepB + 0.5));
            if (k == 0 && colorBorder != ktvdm::kNoColor)
                clr = colorBorder;
            int x = centre.x + int(radius * std::cos(theta));
            int y = centre.y + int(radius * std::sin(theta));
            x += x > centre.x ? halfDiffX : -halfDiffX;
            y += y > centre.y ? halfDiffY : -halfDiffY;
            SetBitmapPixel(bits, cx, cy, x, y, clr);
        }
        ring.DeflateRect(1, 1);
    }
    area.WriteBack();
    return TRUE;
}

BOOL CKtvPDrawManager::DrawShadow(CRect rect, int nDepth, int nMinBrightness, int nMaxBrightness,
                                  CBitmap* pBmpSaveBottom, CBitmap* pBmpSaveRight, COLORREF clrBase)
{
    const int d = nDepth, w = rect.Width(), h = rect.Height();
    if (d == 0 || w <= 0 || h <= 0)
        return TRUE;
    HDC hdc = m_dc.GetSafeHdc();
    if (pBmpSaveBottom != nullptr && pBmpSaveRight != nullptr && pBmpSaveBottom->GetSafeHandle() != nullptr &&
        pBmpSaveRight->GetSafeHandle() != nullptr) {
        DrawState(hdc, nullptr, nullptr, LPARAM(pBmpSaveRight->GetSafeHandle()), 0, rect.right, rect.top, d, h + d,
                  DST_BITMAP);
        DrawState(hdc, nullptr, nullptr, LPARAM(pBmpSaveBottom->GetSafeHandle()), 0, rect.left, rect.bottom, w + d, d,
                  DST_BITMAP);
        return TRUE;
    }

    {
        ktvdm::AreaPixels area(hdc, rect.left, rect.top, w + d, h + d);
        if (!area.Ok())
            return FALSE;
        const int f = (nMaxBrightness - nMinBrightness) / d;
        auto shade = [&](int x, int y, int level) {
            DWORD& pixel = area.At(x, y);
            COLORREF clr = ScaleColor(ktvdm::FromPixel(pixel), nMaxBrightness - level * f);
            if (clrBase != ktvdm::kNoColor)
                clr = RGB((GetRValue(clrBase) + 3 * GetRValue(clr)) >> 2, (GetGValue(clrBase) + 3 * GetGValue(clr)) >> 2,
                          (GetBValue(clrBase) + 3 * GetBValue(clr)) >> 2);
            pixel = ktvdm::ToPixel(clr);
        };
        for (int x = w; x < w + d; x++)
            for (int y = h - 1; y < h + d - 1; y++)
                shade(x, y, std::max(x - w, y - h + 1));
        for (int x = w; x < w + d; x++)
            for (int y = d - 1; y < h - 1; y++)
                shade(x, y, std::max(x - w, 2 * d - 1 - y));
        for (int y = h - 1; y < h + d - 1; y++)
            for (int x = d; x < w; x++)
                shade(x, y, std::max(y - h + 1, 2 * d - x));
        area.WriteBack();
    }

    auto save = [&](CBitmap* bitmap, int cx, int cy, int x, int y, int copyCx, int copyCy) {
        bitmap->DeleteObject();
        bitmap->Attach(CreateCompatibleBitmap(hdc, cx, cy));
        HDC mem = CreateCompatibleDC(hdc);
        HGDIOBJ old = SelectObject(mem, bitmap->GetSafeHandle());
        BitBlt(mem, 0, 0, copyCx, copyCy, hdc, x, y, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
    };
    if (pBmpSaveRight != nullptr)
        save(pBmpSaveRight, d + 1, h + d, rect.right, rect.top, d, h + d);
    if (pBmpSaveBottom != nullptr)
        save(pBmpSaveBottom, w + d, d + 1, rect.left, rect.bottom, w + d, d);
    return TRUE;
}

void FillWithGlobalBrush(CDC* pDC, LPCRECT rect)
{
    if (pDC == nullptr || rect == nullptr)
        return;
    FillRect(pDC->GetSafeHdc(), rect, static_cast<HBRUSH>(globalData.brLight.GetSafeHandle()));
}
