// Fonts and text on a DC: creation, metrics, extents, enumeration and output.
#include <algorithm>
#include <cstring>
#include <glib.h>
#include <strings.h>

#include "platform/win32/gdi/TextDraw.h"

using tw::gdi::DeviceContext;
using tw::gdi::DrawCall;
using tw::gdi::FontInfo;
using tw::gdi::TextEngine;

namespace tw::gdi {

namespace {

// A size too small for the device stays the smallest one: 0 would ask for the default size.
LONG TextDeviceLength(LONG scaled, LONG logical)
{
    if (scaled == 0 && logical != 0)
        return logical < 0 ? -1 : 1;
    return scaled;
}

}  // namespace

const FontInfo& FontOfDC(const DeviceContext& dc)
{
    static const LOGFONTA kFallback = [] {
        LOGFONTA lf{};
        lf.lfHeight = 16;
        lf.lfWeight = FW_BOLD;
        std::strcpy(lf.lfFaceName, "System");
        return lf;
    }();
    if (!dc.state.font)
        return TextEngine::Instance().Resolve(kFallback);
    // Stock fonts are the screen's own faces, drawn at their device size in every mode.
    if (dc.state.font->stock)
        return TextEngine::Instance().Resolve(dc.state.font->logFont);
    LOGFONTA lf = dc.state.font->logFont;
    lf.lfHeight = TextDeviceLength(dc.LengthToDeviceY(lf.lfHeight), lf.lfHeight);
    lf.lfWidth = TextDeviceLength(dc.LengthToDeviceX(lf.lfWidth), lf.lfWidth);
    return TextEngine::Instance().Resolve(lf);
}

LogicalFont::LogicalFont(const DeviceContext& dc) : dc_(dc), font_(FontOfDC(dc)) {}

int LogicalFont::Width(std::string_view utf8) const
{
    return dc_.LengthToLogicalX(TextEngine::Instance().Width(font_, utf8));
}

std::vector<size_t> Utf8Starts(std::string_view text)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    }
    return starts;
}

namespace {

// Coverage rotated by a quarter turn: counter-clockwise for 900, clockwise for 2700.
TextRaster TextRotate(const TextRaster& in, bool counterClockwise)
{
    TextRaster out;
    out.width = in.height;
    out.height = in.width;
    out.coverage.assign(size_t(out.width) * out.height, 0);
    for (int y = 0; y < in.height; ++y) {
        for (int x = 0; x < in.width; ++x) {
            const uint8_t c = in.coverage[size_t(y) * in.width + x];
            const int nx = counterClockwise ? y : in.height - 1 - y;
            const int ny = counterClockwise ? in.width - 1 - x : x;
            out.coverage[size_t(ny) * out.width + nx] = c;
        }
    }
    return out;
}

// One flat raster of a run whose characters sit at the given positions.
TextRaster TextComposeSpaced(const FontInfo& font, std::string_view text, const std::vector<size_t>& starts,
                             const std::vector<int>& positions, int advance)
{
    TextEngine& engine = TextEngine::Instance();
    TextRaster raster;
    const int pad = font.em / 3 + 2;
    raster.width = advance + 2 * pad + font.em;
    raster.height = font.height;
    raster.originX = pad;
    raster.advance = advance;
    raster.coverage.assign(size_t(std::max(1, raster.width)) * std::max(1, raster.height), 0);
    for (size_t i = 0; i < starts.size(); ++i) {
        const size_t end = i + 1 < starts.size() ? starts[i + 1] : text.size();
        const TextRaster glyph = engine.Render(font, text.substr(starts[i], end - starts[i]));
        const int offset = raster.originX + positions[i] - glyph.originX;
        for (int gy = 0; gy < glyph.height && gy < raster.height; ++gy) {
            for (int gx = 0; gx < glyph.width; ++gx) {
                const int tx = offset + gx;
                if (tx < 0 || tx >= raster.width)
                    continue;
                uint8_t& c = raster.coverage[size_t(gy) * raster.width + tx];
                c = std::max(c, glyph.coverage[size_t(gy) * glyph.width + gx]);
            }
        }
    }
    return raster;
}

void TextBlendCoverage(DrawCall& call, const TextRaster& raster, int left, int top, uint32_t color, const RECT* clip)
{
    auto& target = call.Target();
    RECT box{left, top, left + raster.width, top + raster.height};
    if (clip)
        box = RectIntersection(box, *clip);
    box = RectIntersection(box, target.clip.Bounds());
    const int cr = (color >> 16) & 0xFF, cg = (color >> 8) & 0xFF, cb = color & 0xFF;
    for (int y = box.top; y < box.bottom; ++y) {
        target.clip.ForEachSpan(y, box.left, box.right, [&](int x0, int x1) {
            for (int x = x0; x < x1; ++x) {
                const int a = raster.coverage[size_t(y - top) * raster.width + (x - left)];
                if (!a)
                    continue;
                uint32_t& d = target.surface.At(x, y);
                if (target.mono) {
                    if (a >= 128)
                        d = color;
                    continue;
                }
                const int dr = (d >> 16) & 0xFF, dg = (d >> 8) & 0xFF, db = d & 0xFF;
                d = (uint32_t((dr * (255 - a) + cr * a + 127) / 255) << 16) |
                    (uint32_t((dg * (255 - a) + cg * a + 127) / 255) << 8) | uint32_t((db * (255 - a) + cb * a + 127) / 255);
            }
        });
    }
    call.Changed(box);
}

void TextFillRect(DrawCall& call, const RECT& surfaceRect, uint32_t color, const RECT* clip)
{
    RECT area = clip ? RectIntersection(surfaceRect, *clip) : surfaceRect;
    BrushPaint paint;
    paint.none = false;
    paint.color = color;
    call.Changed(PaintRectRop3(call.Target(), area, paint, PATCOPY));
}

// A logical rectangle on the surface, ordered whichever way the mode's axes point.
RECT TextSurfaceRect(const DeviceContext& dc, const RECT& logical)
{
    const RECT r = dc.RectToSurface(logical.left, logical.top, logical.right, logical.bottom);
    return NormalizedRect(r.left, r.top, r.right, r.bottom);
}

}  // namespace

int DrawTextRun(DrawCall& call, int x, int y, std::string_view text, const TextRunOptions& options)
{
    DeviceContext& dc = call.Dc();
    const FontInfo& font = FontOfDC(dc);
    TextEngine& engine = TextEngine::Instance();
    const int extra = dc.state.charExtra;
    const std::vector<size_t> starts = Utf8Starts(text);

    // Character positions along the run in device pixels, from its start; a
    // plain run is rendered whole and measured by the same layout. Spacing is
    // logical and summed before scaling, so rounding never drifts along a run.
    std::vector<int> positions;
    int advance = 0;
    int logicalAdvance = 0;
    TextRaster raster;
    if (options.dx) {
        for (size_t i = 0; i < starts.size(); ++i) {
            positions.push_back(dc.LengthToDeviceX(logicalAdvance));
            logicalAdvance += options.dx[i];
        }
        advance = dc.LengthToDeviceX(logicalAdvance);
    } else if (extra) {
        const auto boundaries = engine.Boundaries(font, text);
        for (size_t i = 0; i <= starts.size(); ++i) {
            const int at = boundaries[i].x + dc.LengthToDeviceX(int(i) * extra);
            if (i < starts.size())
                positions.push_back(at);
            advance = at;
        }
        logicalAdvance = dc.LengthToLogicalX(boundaries.back().x) + int(starts.size()) * extra;
    } else {
        raster = engine.Render(font, text);
        advance = raster.advance;
        logicalAdvance = dc.LengthToLogicalX(advance);
    }

    const UINT horizontal = options.align & (TA_LEFT | TA_RIGHT | TA_CENTER);
    const UINT vertical = options.align & (TA_TOP | TA_BOTTOM | TA_BASELINE);
    int along = 0;  // from the reference point to the run's start, along the text
    if (horizontal == TA_RIGHT)
        along = -advance;
    else if (horizontal == TA_CENTER)
        along = -advance / 2;
    int down = 0;  // from the reference point to the run's top, across the text
    if (vertical == TA_BASELINE)
        down = -font.ascent;
    else if (vertical == TA_BOTTOM)
        down = -font.height;

    const int angle = ((font.escapement % 3600) + 3600) % 3600;
    const bool upward = angle >= 450 && angle < 1350;
    const bool downward = angle >= 2250 && angle < 3150;
    const POINT reference = dc.ToSurface(x, y);
    RECT clipSurface{};
    const RECT* clip = nullptr;
    if (options.clipRect) {
        clipSurface = TextSurfaceRect(dc, *options.clipRect);
        clip = &clipSurface;
    }
    if (options.opaqueRect) {
        const RECT r = TextSurfaceRect(dc, *options.opaqueRect);
        TextFillRect(call, r, dc.PaintOfColor(dc.state.bkColor).color, nullptr);
    }

    // Spaced runs are put together a character at a time.
    if (!positions.empty())
        raster = TextComposeSpaced(font, text, starts, positions, advance);

    // Place the raster so the run's start (originX on its top row) lands on
    // the reference point moved by `along` and `down` in the text's own axes.
    const int flatWidth = raster.width;
    const int flatOrigin = raster.originX;
    const int lineHeight = font.height;
    int left = 0, top = 0;
    RECT background{};
    if (upward) {
        raster = TextRotate(raster, true);
        left = reference.x + down;
        top = reference.y - along + flatOrigin - flatWidth + 1;
        background = RECT{left, reference.y - along - advance + 1, left + lineHeight, reference.y - along + 1};
    } else if (downward) {
        raster = TextRotate(raster, false);
        left = reference.x - down - lineHeight;
        top = reference.y + along - flatOrigin;
        background = RECT{left, reference.y + along, reference.x - down, reference.y + along + advance};
    } else {
        left = reference.x + along - flatOrigin;
        top = reference.y + down;
        background = RECT{reference.x + along, top, reference.x + along + advance, top + lineHeight};
    }
    if (dc.state.bkMode == OPAQUE && options.useBkMode && !options.opaqueRect)
        TextFillRect(call, background, dc.PaintOfColor(dc.state.bkColor).color, clip);
    TextBlendCoverage(call, raster, left, top, dc.PaintOfColor(dc.state.textColor).color, clip);
    if (options.align & TA_UPDATECP)
        dc.state.position.x += logicalAdvance;
    return logicalAdvance;
}

}  // namespace tw::gdi

namespace tw::gdi {

std::vector<TabbedPiece> LayOutTabs(const LogicalFont& font, std::string_view line, int startX, int origin,
                                    int tabCount, const INT* tabs, int* totalWidth)
{
    std::vector<TabbedPiece> pieces;
    int x = startX;
    size_t begin = 0;
    const int every = (tabCount <= 0 || !tabs) ? 8 * std::max(1, font.AveCharWidth())
                      : tabCount == 1           ? std::max(1, std::abs(tabs[0]))
                                                : 0;
    while (true) {
        const size_t tab = line.find('\t', begin);
        const std::string_view piece = line.substr(begin, tab == std::string_view::npos ? std::string_view::npos : tab - begin);
        pieces.push_back(TabbedPiece{piece, x - startX});
        x += font.Width(piece);
        if (tab == std::string_view::npos)
            break;
        const int fromOrigin = x - origin;
        int next = -1;
        if (every > 0) {
            next = (fromOrigin / every + 1) * every;
        } else {
            for (int i = 0; i < tabCount; ++i) {
                if (std::abs(tabs[i]) > fromOrigin) {
                    next = std::abs(tabs[i]);
                    break;
                }
            }
        }
        x = next >= 0 ? origin + next : x + font.Width(" ");
        begin = tab + 1;
    }
    if (totalWidth)
        *totalWidth = x - startX;
    return pieces;
}

}  // namespace tw::gdi

namespace {

int TextLength(LPCSTR text, int count) { return count < 0 ? int(std::strlen(text)) : count; }

HFONT TextAddFont(const LOGFONTA& lf)
{
    auto font = std::make_shared<tw::gdi::FontObject>();
    font->logFont = lf;
    font->logFont.lfFaceName[LF_FACESIZE - 1] = 0;
    return HFONT(tw::gdi::AddObject(font));
}

void TextFillMetrics(const FontInfo& font, TEXTMETRICA& tm)
{
    tm = TEXTMETRICA{};
    tm.tmHeight = font.height;
    tm.tmAscent = font.ascent;
    tm.tmDescent = font.descent;
    tm.tmInternalLeading = font.internalLeading;
    tm.tmExternalLeading = 0;
    tm.tmAveCharWidth = font.aveCharWidth;
    tm.tmMaxCharWidth = font.maxCharWidth;
    tm.tmWeight = font.weight;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = font.marlett ? 0x20 : 0x1E;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = font.italic;
    tm.tmUnderlined = font.underline;
    tm.tmStruckOut = font.strikeOut;
    // A set TMPF_FIXED_PITCH bit means a variable-pitch face.
    tm.tmPitchAndFamily = BYTE(TMPF_TRUETYPE | TMPF_VECTOR | (font.fixedPitch ? 0 : TMPF_FIXED_PITCH) | font.family_bits);
    tm.tmCharSet = font.charSet;
}

// The metrics in the DC's logical units: heights along y, widths along x.
void TextMetricsToLogical(const DeviceContext& dc, TEXTMETRICA& tm)
{
    tm.tmHeight = dc.LengthToLogicalY(tm.tmHeight);
    tm.tmAscent = dc.LengthToLogicalY(tm.tmAscent);
    tm.tmDescent = dc.LengthToLogicalY(tm.tmDescent);
    tm.tmInternalLeading = dc.LengthToLogicalY(tm.tmInternalLeading);
    tm.tmExternalLeading = dc.LengthToLogicalY(tm.tmExternalLeading);
    tm.tmAveCharWidth = dc.LengthToLogicalX(tm.tmAveCharWidth);
    tm.tmMaxCharWidth = dc.LengthToLogicalX(tm.tmMaxCharWidth);
}

}  // namespace

HFONT CreateFontIndirect(const LOGFONT* lplf)
{
    if (!lplf)
        return nullptr;
    std::lock_guard lock(tw::gdi::GdiLock());
    return TextAddFont(*lplf);
}

HFONT CreateFont(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                 DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                 DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName)
{
    LOGFONTA lf{};
    lf.lfHeight = cHeight;
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfWeight = cWeight;
    lf.lfItalic = BYTE(bItalic != 0);
    lf.lfUnderline = BYTE(bUnderline != 0);
    lf.lfStrikeOut = BYTE(bStrikeOut != 0);
    lf.lfCharSet = BYTE(iCharSet);
    lf.lfOutPrecision = BYTE(iOutPrecision);
    lf.lfClipPrecision = BYTE(iClipPrecision);
    lf.lfQuality = BYTE(iQuality);
    lf.lfPitchAndFamily = BYTE(iPitchAndFamily);
    if (pszFaceName)
        std::snprintf(lf.lfFaceName, LF_FACESIZE, "%s", pszFaceName);
    return CreateFontIndirect(&lf);
}

BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC lptm)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto dc = tw::gdi::FindDC(hdc);
    if (!dc || !lptm)
        return FALSE;
    TextFillMetrics(tw::gdi::FontOfDC(*dc), *lptm);
    TextMetricsToLogical(*dc, *lptm);
    return TRUE;
}

BOOL GetTextExtentPoint32(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto dc = tw::gdi::FindDC(hdc);
    if (!dc || !psizl || c < 0 || (c > 0 && !lpString))
        return FALSE;
    const tw::gdi::LogicalFont font(*dc);
    const std::string_view text(lpString ? lpString : "", size_t(c));
    const int chars = int(tw::gdi::Utf8Starts(text).size());
    psizl->cx = font.Width(text) + chars * dc->state.charExtra;
    psizl->cy = font.Height();
    return TRUE;
}

BOOL GetTextExtentExPoint(HDC hdc, LPCSTR lpszString, int cchString, int nMaxExtent, LPINT lpnFit, LPINT lpnDx,
                          LPSIZE lpSize)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto dc = tw::gdi::FindDC(hdc);
    if (!dc || !lpSize || cchString < 0 || (cchString > 0 && !lpszString))
        return FALSE;
    const tw::gdi::LogicalFont font(*dc);
    const std::string_view text(lpszString ? lpszString : "", size_t(cchString));
    const auto boundaries = TextEngine::Instance().Boundaries(font.Device(), text);
    int fit = 0;
    for (size_t i = 1; i < boundaries.size(); ++i) {
        const int extent = dc->LengthToLogicalX(boundaries[i].x) + int(i) * dc->state.charExtra;
        if (lpnDx)
            lpnDx[i - 1] = extent;
        if (extent <= nMaxExtent)
            fit = int(i);
    }
    if (lpnFit)
        *lpnFit = fit;
    lpSize->cx = dc->LengthToLogicalX(boundaries.back().x) + int(boundaries.size() - 1) * dc->state.charExtra;
    lpSize->cy = font.Height();
    return TRUE;
}

BOOL GetCharWidth32(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto dc = tw::gdi::FindDC(hdc);
    if (!dc || !lpBuffer || iLast < iFirst)
        return FALSE;
    const tw::gdi::LogicalFont font(*dc);
    for (UINT code = iFirst; code <= iLast; ++code) {
        // Codes are characters of the text's own encoding (UTF-8 code points).
        char utf8[8] = {};
        const int length = g_unichar_to_utf8(gunichar(code), utf8);
        lpBuffer[code - iFirst] = font.Width(std::string_view(utf8, size_t(length)));
    }
    return TRUE;
}

BOOL GetCharWidth(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer) { return GetCharWidth32(hdc, iFirst, iLast, lpBuffer); }

int GetTextFace(HDC hdc, int c, LPSTR lpName)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto dc = tw::gdi::FindDC(hdc);
    if (!dc)
        return 0;
    const std::string& face = tw::gdi::FontOfDC(*dc).faceName;
    if (!lpName)
        return int(face.size()) + 1;
    if (c <= 0)
        return 0;
    std::snprintf(lpName, size_t(c), "%s", face.c_str());
    return int(std::min<size_t>(face.size(), size_t(c - 1))) + 1;
}

int GetTextCharset(HDC hdc) { return GetTextCharsetInfo(hdc, nullptr, 0); }

int GetTextCharsetInfo(HDC hdc, LPFONTSIGNATURE lpSig, DWORD)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto dc = tw::gdi::FindDC(hdc);
    if (!dc)
        return DEFAULT_CHARSET;
    const FontInfo& font = tw::gdi::FontOfDC(*dc);
    if (lpSig) {
        *lpSig = FONTSIGNATURE{};
        lpSig->fsUsb[0] = 0x00000003;           // Latin
        lpSig->fsCsb[0] = font.marlett ? 0x80000000u : 0x00000001u;  // symbol or Latin 1
    }
    return font.charSet;
}

BOOL TranslateCharsetInfo(DWORD* lpSrc, LPCHARSETINFO lpCs, DWORD dwFlags)
{
    // Only the Western character set is known (by charset, code page or signature bit).
    constexpr DWORD kByCharset = 1, kByCodePage = 2, kByFontSignature = 3;
    if (!lpCs)
        return FALSE;
    const auto value = reinterpret_cast<uintptr_t>(lpSrc);
    bool western = false;
    if (dwFlags == kByCharset)
        western = value == ANSI_CHARSET;
    else if (dwFlags == kByCodePage)
        western = value == 1252;
    else if (dwFlags == kByFontSignature)
        western = lpSrc && (lpSrc[0] & 1);
    if (!western)
        return FALSE;
    *lpCs = CHARSETINFO{};
    lpCs->ciCharset = ANSI_CHARSET;
    lpCs->ciACP = 1252;
    lpCs->fs.fsCsb[0] = 1;
    return TRUE;
}

// --- enumeration -------------------------------------------------------------------------
namespace {

// The names every stored setting may use, next to the installed families.
constexpr const char* kTextWindowsFaces[] = {"Arial",       "Courier",         "Courier New", "Marlett",
                                             "MS Sans Serif", "MS Shell Dlg",  "Microsoft Sans Serif",
                                             "Tahoma",      "Times New Roman"};

std::vector<std::string> TextEnumerableFaces()
{
    std::vector<std::string> faces = TextEngine::Instance().Families();
    for (const char* face : kTextWindowsFaces)
        faces.emplace_back(face);
    std::sort(faces.begin(), faces.end());
    faces.erase(std::unique(faces.begin(), faces.end()), faces.end());
    return faces;
}

bool TextFaceKnown(const std::string& face)
{
    for (const std::string& known : TextEnumerableFaces())
        if (strcasecmp(known.c_str(), face.c_str()) == 0)
            return true;
    return false;
}

// Calls proc for the face (all its styles when `styles`); returns the last answer, or 1 if none.
int TextEnumFace(const std::string& face, bool styles, FONTENUMPROCA proc, LPARAM lParam, int lastAnswer)
{
    struct Style {
        LONG weight;
        BYTE italic;
        const char* name;
    };
    static constexpr Style kStyles[] = {
        {FW_NORMAL, 0, "Regular"}, {FW_BOLD, 0, "Bold"}, {FW_NORMAL, 1, "Italic"}, {FW_BOLD, 1, "Bold Italic"}};
    const int count = styles ? 4 : 1;
    for (int i = 0; i < count; ++i) {
        ENUMLOGFONTEXA elf{};
        elf.elfLogFont.lfHeight = 16;
        elf.elfLogFont.lfWeight = kStyles[i].weight;
        elf.elfLogFont.lfItalic = kStyles[i].italic;
        elf.elfLogFont.lfOutPrecision = OUT_STROKE_PRECIS;
        elf.elfLogFont.lfClipPrecision = CLIP_STROKE_PRECIS;
        elf.elfLogFont.lfQuality = DRAFT_QUALITY;
        std::snprintf(elf.elfLogFont.lfFaceName, LF_FACESIZE, "%s", face.c_str());
        const FontInfo& info = TextEngine::Instance().Resolve(elf.elfLogFont);
        elf.elfLogFont.lfCharSet = info.charSet;
        elf.elfLogFont.lfPitchAndFamily = BYTE((info.fixedPitch ? FIXED_PITCH : VARIABLE_PITCH) | info.family_bits);
        std::snprintf(elf.elfFullName, LF_FULLFACESIZE, "%s%s%s", face.c_str(), i ? " " : "", i ? kStyles[i].name : "");
        std::snprintf(elf.elfStyle, LF_FACESIZE, "%s", kStyles[i].name);
        std::snprintf(elf.elfScript, LF_FACESIZE, "%s", info.marlett ? "Symbol" : "Western");
        NEWTEXTMETRICEXA ntm{};
        TEXTMETRICA tm{};
        TextFillMetrics(info, tm);
        std::memcpy(&ntm.ntmTm, &tm, sizeof(tm));
        ntm.ntmTm.ntmSizeEM = 2048;
        ntm.ntmTm.ntmCellHeight = UINT(info.height);
        ntm.ntmTm.ntmAvgWidth = UINT(info.aveCharWidth);
        lastAnswer = proc(&elf.elfLogFont, reinterpret_cast<const TEXTMETRICA*>(&ntm), TRUETYPE_FONTTYPE, lParam);
        if (!lastAnswer)
            return 0;
    }
    return lastAnswer;
}

int TextEnumerate(HDC hdc, const char* face, bool allStylesOfFace, FONTENUMPROCA proc, LPARAM lParam)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    if (!tw::gdi::FindDC(hdc) || !proc)
        return 0;
    if (face && *face) {
        if (!TextFaceKnown(face))
            return 1;
        return TextEnumFace(face, allStylesOfFace, proc, lParam, 1);
    }
    int answer = 1;
    for (const std::string& each : TextEnumerableFaces()) {
        answer = TextEnumFace(each, false, proc, lParam, answer);
        if (!answer)
            return 0;
    }
    return answer;
}

}  // namespace

int EnumFontFamilies(HDC hdc, LPCSTR lpLogfont, FONTENUMPROC lpProc, LPARAM lParam)
{
    return TextEnumerate(hdc, lpLogfont, true, lpProc, lParam);
}

int EnumFonts(HDC hdc, LPCSTR lpLogfont, FONTENUMPROC lpProc, LPARAM lParam)
{
    return TextEnumerate(hdc, lpLogfont, true, lpProc, lParam);
}

int EnumFontFamiliesEx(HDC hdc, LPLOGFONT lpLogfont, FONTENUMPROC lpProc, LPARAM lParam, DWORD)
{
    if (!lpLogfont)
        return 0;
    // Every face here is Western (or the symbol face).
    const BYTE charSet = lpLogfont->lfCharSet;
    if (charSet != DEFAULT_CHARSET && charSet != ANSI_CHARSET && charSet != SYMBOL_CHARSET)
        return 1;
    char face[LF_FACESIZE];
    std::memcpy(face, lpLogfont->lfFaceName, LF_FACESIZE);
    face[LF_FACESIZE - 1] = 0;
    return TextEnumerate(hdc, face, true, lpProc, lParam);
}

// --- output ----------------------------------------------------------------------------------
BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c, const INT* lpDx)
{
    DrawCall call(hdc);
    if (!call.Valid() || (c > 0 && !lpString))
        return FALSE;
    if (!call.CanPaint())
        return TRUE;
    tw::gdi::TextRunOptions run;
    run.align = call.Dc().state.textAlign;
    run.dx = lpDx;
    if (lprect && (options & ETO_OPAQUE))
        run.opaqueRect = lprect;
    if (lprect && (options & ETO_CLIPPED))
        run.clipRect = lprect;
    if (run.align & TA_UPDATECP) {
        x = call.Dc().state.position.x;
        y = call.Dc().state.position.y;
    }
    tw::gdi::DrawTextRun(call, x, y, std::string_view(lpString ? lpString : "", c), run);
    return TRUE;
}

BOOL TextOut(HDC hdc, int x, int y, LPCSTR lpString, int c)
{
    if (c < 0)
        return FALSE;
    return ExtTextOut(hdc, x, y, 0, nullptr, lpString, UINT(c), nullptr);
}

LONG TabbedTextOut(HDC hdc, int x, int y, LPCSTR lpString, int chCount, int nTabPositions,
                   const INT* lpnTabStopPositions, int nTabOrigin)
{
    DrawCall call(hdc);
    if (!call.Valid() || !lpString)
        return 0;
    const tw::gdi::LogicalFont font(call.Dc());
    const std::string_view text(lpString, size_t(TextLength(lpString, chCount)));
    int total = 0;
    const auto pieces = tw::gdi::LayOutTabs(font, text, x, nTabOrigin, nTabPositions, lpnTabStopPositions, &total);
    if (call.CanPaint()) {
        if (call.Dc().state.bkMode == OPAQUE) {
            // The gaps the tabs leave are background too.
            RECT band = call.Dc().RectToSurface(x, y, x + total, y);
            band = tw::gdi::NormalizedRect(band.left, band.top, band.right, band.top + font.Device().height);
            tw::gdi::BrushPaint bk = call.Dc().PaintOfColor(call.Dc().state.bkColor);
            call.Changed(tw::gdi::PaintRectRop3(call.Target(), band, bk, PATCOPY));
        }
        tw::gdi::TextRunOptions run;
        run.align = TA_LEFT | TA_TOP;
        run.useBkMode = false;
        for (const auto& piece : pieces)
            tw::gdi::DrawTextRun(call, x + piece.x, y, piece.text, run);
    }
    return MAKELONG(total, font.Height());
}

DWORD GetTabbedTextExtent(HDC hdc, LPCSTR lpString, int chCount, int nTabPositions, const INT* lpnTabStopPositions)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto dc = tw::gdi::FindDC(hdc);
    if (!dc || !lpString)
        return 0;
    const tw::gdi::LogicalFont font(*dc);
    int total = 0;
    tw::gdi::LayOutTabs(font, std::string_view(lpString, size_t(TextLength(lpString, chCount))), 0, 0, nTabPositions,
                        lpnTabStopPositions, &total);
    return DWORD(MAKELONG(total, font.Height()));
}
