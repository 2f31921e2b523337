// The edit control's printing: a font scaled to the printer, and one page
// at a time painted by OnDraw into the printer DC, with the view's place in
// the text saved and given back around each page.
#include <algorithm>

#include "editctrl/KtvPEditCtrl.h"
#include "editctrl/KtvPFontTextMetrics.h"
#include "platform/mfc/CPrintInfo.h"
#include "platform/win32/kernel/Locale.h"

namespace ktvp_print {

// value * numerator / denominator, rounded half away from zero.
int ScaleRounded(int value, int numerator, int denominator)
{
    if (denominator == 0)
        return value;
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = (denominator < 0 ? -denominator : denominator) / 2;
    const long long rounded = (product < 0) == (denominator < 0) ? product + half : product - half;
    return static_cast<int>(rounded / denominator);
}

int ScreenPixelsPerInch(int index)
{
    HDC screen = ::GetDC(nullptr);
    const int value = screen != nullptr ? ::GetDeviceCaps(screen, index) : 96;
    if (screen != nullptr)
        ::ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
}

// What a page changes in the control and gives back afterwards.
struct SavedView {
    RECT rectText;
    int nFirstVisibleRow;
    int nFirstVisibleOffset;
    int nFirstVisibleColumn;
    int nHorzRange;
};

}  // namespace ktvp_print

HFONT CKtvPEditCtrl::OnBeginPrint(CDC* pDC, CPrintInfo* /*pInfo*/)
{
    if (m_hPrinterFont != nullptr)
        return m_hPrinterFont;
    if (pDC == nullptr)
        return nullptr;
    HGDIOBJ screenFont = m_hFont != nullptr ? static_cast<HGDIOBJ>(m_hFont) : ::GetStockObject(DEFAULT_GUI_FONT);
    LOGFONT font{};
    LOGFONT systemFont{};
    if (::GetObject(screenFont, sizeof(font), &font) == 0)
        return nullptr;
    ::GetObject(::GetStockObject(SYSTEM_FONT), sizeof(systemFont), &systemFont);
    // The system font has no sizes of its own: the printer's default font
    // serves it better than a scaled copy.
    if (::lstrcmpi(font.lfFaceName, systemFont.lfFaceName) == 0)
        return nullptr;
    font.lfHeight = ktvp_print::ScaleRounded(font.lfHeight, pDC->GetDeviceCaps(LOGPIXELSY),
                                             ktvp_print::ScreenPixelsPerInch(LOGPIXELSY));
    font.lfWidth = ktvp_print::ScaleRounded(font.lfWidth, pDC->GetDeviceCaps(LOGPIXELSX),
                                            ktvp_print::ScreenPixelsPerInch(LOGPIXELSX));
    HFONT printerFont = ::CreateFontIndirect(&font);
    m_hPrinterFont = printerFont;
    m_hCreatedPrinterFont = printerFont;
    return printerFont;
}

void CKtvPEditCtrl::OnEndPrint(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
    // The font made for the job is the control's own even when an owner
    // has put another printer font in its place; the owner's stays alive.
    if (m_hCreatedPrinterFont != nullptr)
        ::DeleteObject(m_hCreatedPrinterFont);
    m_hCreatedPrinterFont = nullptr;
    m_hPrinterFont = nullptr;
}

void CKtvPEditCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr || pInfo == nullptr)
        return;
    HDC hdc = pDC->GetSafeHdc();
    HGDIOBJ oldFont = m_hPrinterFont != nullptr ? ::SelectObject(hdc, m_hPrinterFont) : nullptr;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const ktvp_print::SavedView saved{m_rectText, m_nFirstVisibleRow, m_nFirstVisibleOffset, m_nFirstVisibleColumn,
                                      m_nHorzRange};

    // Rows are measured in the font the printer DC holds now.
    CKtvPFontTextMetrics printerMetrics(static_cast<HFONT>(::GetCurrentObject(hdc, OBJ_FONT)));
    SetTextMetrics(&printerMetrics);
    CRect area(pInfo->m_rectDraw);
    area.DeflateRect(2 * m_nRowHeight, 2 * m_nRowHeight);
    if (area.bottom < area.top)
        area.bottom = area.top;
    m_rectText = area;

    // A page that holds no row can show nothing, on this page or any later
    // one: the job ends with this (blank) page rather than running forever.
    const int rowsPerPage = GetPageRows();
    const int rowCount = GetVisibleRowCount();
    const int pageIndex = static_cast<int>(std::max<UINT>(pInfo->m_nCurPage, 1) - 1);
    const int firstRow = rowsPerPage > 0 ? pageIndex * rowsPerPage : rowCount;
    if (firstRow < rowCount) {
        m_nFirstVisibleRow = firstRow;
        m_nFirstVisibleOffset = VisualRowStart(firstRow);
        m_nFirstVisibleColumn = 0;
        pDC->SaveDC();
        pDC->IntersectClipRect(&area);
        OnDraw(pDC);
        pDC->RestoreDC(-1);
    }
    if (rowsPerPage <= 0 || firstRow + rowsPerPage >= rowCount) {
        pInfo->m_bContinuePrinting = FALSE;
        pInfo->SetMaxPage(pInfo->m_nCurPage);
    }

    m_rectText = saved.rectText;
    m_nFirstVisibleRow = saved.nFirstVisibleRow;
    m_nFirstVisibleOffset = saved.nFirstVisibleOffset;
    m_nFirstVisibleColumn = saved.nFirstVisibleColumn;
    m_nHorzRange = saved.nHorzRange;
    ApplyFontMetrics();
    if (oldFont != nullptr)
        ::SelectObject(hdc, oldFont);
    pDC->SetBkMode(oldMode);
    // Painting the page laid out links and fold frames in printer units.
    if (m_hWnd != nullptr)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}
