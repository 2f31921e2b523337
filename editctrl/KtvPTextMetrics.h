// Character measures for the edit control's geometry. The control's window
// serves them from its font; the model only asks for widths and heights,
// so the offset, row, column and pixel arithmetic runs without a window.
#pragma once

#include "platform/win32/windef.h"

class CKtvPTextMetrics {
public:
    virtual ~CKtvPTextMetrics() = default;

    // Advance width in pixels of one character (a Unicode code point).
    virtual int GetCharWidth(char32_t ch) const = 0;
    // The font's tmHeight, tmMaxCharWidth and tmAveCharWidth.
    virtual int GetHeight() const = 0;
    virtual int GetMaxCharWidth() const = 0;
    virtual int GetAveCharWidth() const = 0;
};

// Every character the same width: a monospaced font, and the measure the
// model uses until a window gives it its font.
class CKtvPFixedTextMetrics : public CKtvPTextMetrics {
public:
    CKtvPFixedTextMetrics(int nCharWidth = 8, int nHeight = 16) : m_nCharWidth(nCharWidth), m_nHeight(nHeight) {}

    int GetCharWidth(char32_t) const override { return m_nCharWidth; }
    int GetHeight() const override { return m_nHeight; }
    int GetMaxCharWidth() const override { return m_nCharWidth; }
    int GetAveCharWidth() const override { return m_nCharWidth; }

private:
    int m_nCharWidth;
    int m_nHeight;
};
