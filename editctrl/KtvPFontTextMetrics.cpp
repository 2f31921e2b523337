#include "editctrl/KtvPFontTextMetrics.h"

#include <string>

#include "platform/win32/kernel/Utf8Text.h"

CKtvPFontTextMetrics::CKtvPFontTextMetrics(HFONT hFont)
{
    m_hDC = CreateCompatibleDC(nullptr);
    if (m_hDC == nullptr)
        return;
    if (hFont == nullptr)
        hFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    m_hOldFont = SelectObject(m_hDC, hFont);
    GetTextMetrics(m_hDC, &m_metrics);
    // A font that answers nothing still gives the geometry usable sizes.
    if (m_metrics.tmHeight <= 0)
        m_metrics.tmHeight = 16;
    if (m_metrics.tmAveCharWidth <= 0)
        m_metrics.tmAveCharWidth = 8;
    if (m_metrics.tmMaxCharWidth <= 0)
        m_metrics.tmMaxCharWidth = m_metrics.tmAveCharWidth;
}

CKtvPFontTextMetrics::~CKtvPFontTextMetrics()
{
    if (m_hDC == nullptr)
        return;
    if (m_hOldFont != nullptr)
        SelectObject(m_hDC, m_hOldFont);
    DeleteDC(m_hDC);
}

int CKtvPFontTextMetrics::GetCharWidth(char32_t ch) const
{
    if (m_hDC == nullptr)
        return m_metrics.tmAveCharWidth;
    std::string encoded;
    tw::AppendUtf8(encoded, ch);
    SIZE size{};
    if (!GetTextExtentPoint32(m_hDC, encoded.c_str(), static_cast<int>(encoded.size()), &size))
        return m_metrics.tmAveCharWidth;
    return size.cx;
}
