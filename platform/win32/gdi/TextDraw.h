// Painting text on a DC: what TextOut, ExtTextOut, TabbedTextOut and
// DrawText share.
#pragma once

#include <string_view>
#include <vector>

#include "platform/win32/gdi/DrawCall.h"
#include "platform/win32/gdi/TextEngine.h"

namespace tw::gdi {

// The DC's font realised at the device size its mapping mode gives it.
const FontInfo& FontOfDC(const DeviceContext& dc);

// The DC's font measured in the DC's logical units, as callers lay text out.
class LogicalFont {
public:
    explicit LogicalFont(const DeviceContext& dc);
    const FontInfo& Device() const { return font_; }
    int Width(std::string_view utf8) const;
    int Height() const { return dc_.LengthToLogicalY(font_.height); }
    int Ascent() const { return dc_.LengthToLogicalY(font_.ascent); }
    int AveCharWidth() const { return dc_.LengthToLogicalX(font_.aveCharWidth); }

private:
    const DeviceContext& dc_;
    const FontInfo& font_;
};

struct TextRunOptions {
    UINT align = TA_LEFT | TA_TOP;
    const RECT* opaqueRect = nullptr;  // logical; filled with the background colour
    const RECT* clipRect = nullptr;    // logical
    const INT* dx = nullptr;           // logical advance of each character (not byte)
    bool useBkMode = true;             // the background behind the text in OPAQUE mode
};

// Draws one run with its reference point at (x, y) (logical); returns the
// run's advance in logical units.
int DrawTextRun(DrawCall& call, int x, int y, std::string_view text, const TextRunOptions& options);

// Number of UTF-8 characters, and the byte offset where each starts.
std::vector<size_t> Utf8Starts(std::string_view text);

}  // namespace tw::gdi

namespace tw::gdi {

// Where each tab-separated piece of a line starts, for tab stops as
// TabbedTextOut takes them (none: every 8 average characters; one: every
// that many units; more: those positions, then single spaces), measured
// from `origin`, all in logical units.
struct TabbedPiece {
    std::string_view text;
    int x;  // relative to the line's start
};
std::vector<TabbedPiece> LayOutTabs(const LogicalFont& font, std::string_view line, int startX, int origin,
                                    int tabCount, const INT* tabs, int* totalWidth);

}  // namespace tw::gdi
