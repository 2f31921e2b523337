// The edit control's measures served from a font: a memory DC holds the
// font and answers each character's advance, so proportional fonts place
// the caret where the text is drawn.
#pragma once

#include "editctrl/KtvPTextMetrics.h"
#include "platform/win32/gdi/wingdi.h"

class CKtvPFontTextMetrics : public CKtvPTextMetrics {
public:
    // NULL: the default GUI font.
    explicit CKtvPFontTextMetrics(HFONT hFont);
    ~CKtvPFontTextMetrics() override;
    CKtvPFontTextMetrics(const CKtvPFontTextMetrics&) = delete;
    CKtvPFontTextMetrics& operator=(const CKtvPFontTextMetrics&) = delete;

    int GetCharWidth(char32_t ch) const override;
    int GetHeight() const override { return m_metrics.tmHeight; }
    int GetMaxCharWidth() const override { return m_metrics.tmMaxCharWidth; }
    int GetAveCharWidth() const override { return m_metrics.tmAveCharWidth; }

private:
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOldFont = nullptr;
    TEXTMETRIC m_metrics{};
};
