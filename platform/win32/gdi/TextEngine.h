// Fonts and text underneath GDI: LOGFONTs mapped to installed faces, metrics,
// extents per character, and text rendered to coverage for the DC to paint.
// Hinted, unkerned and without ligatures, so widths add up per character as
// GDI callers expect and stay the same from run to run.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/gdi/wingdi.h"

namespace tw::gdi {

struct FontInfo {
    std::string family;  // the installed family drawn, or "Marlett" for our vector glyphs
    std::string faceName;  // the name the caller asked for (GetTextFace)
    bool marlett = false;
    int em = 0;           // pixels
    int ascent = 0;
    int descent = 0;
    int height = 0;
    int internalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool fixedPitch = false;
    int escapement = 0;  // tenths of a degree, counter-clockwise
    bool antialiased = true;  // NONANTIALIASED_QUALITY draws whole pixels only
    double widthScale = 1.0;  // lfWidth against the face's own average width
    int Scaled(int naturalWidth) const { return int(naturalWidth * widthScale + 0.5); }
    BYTE charSet = ANSI_CHARSET;
    BYTE family_bits = FF_SWISS;
};

// A rendered run of text, unrotated: coverage 0..255, with the text's
// origin (left end of the baseline) at (originX, ascent).
struct TextRaster {
    int width = 0;
    int height = 0;
    int originX = 0;
    int advance = 0;  // the run's advance width
    std::vector<uint8_t> coverage;
};

class TextEngine {
public:
    static TextEngine& Instance();
    ~TextEngine();

    const FontInfo& Resolve(const LOGFONTA& logFont);
    // Advance width of the whole run.
    int Width(const FontInfo& font, std::string_view utf8);
    // Byte offset and x position of each character boundary, the end included.
    struct Boundary {
        size_t byte;
        int x;
    };
    std::vector<Boundary> Boundaries(const FontInfo& font, std::string_view utf8);
    TextRaster Render(const FontInfo& font, std::string_view utf8);
    // The installed families, sorted.
    std::vector<std::string> Families();

    // The family a face name is drawn with.
    static std::string MapFace(const char* face, BYTE pitchAndFamily, const std::vector<std::string>& installed);

private:
    TextEngine();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Draws one Marlett glyph into an 8-bit coverage raster at the cell
// (left, top) of size em; false for a character we have no glyph for.
bool DrawMarlettGlyph(char glyph, int em, int left, int top, TextRaster& raster);

}  // namespace tw::gdi
