#include "app/FontSizeCombo.h"

namespace {

// The sizes offered for a scalable face.
const int kFontSizeComboSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

}  // namespace

IMPLEMENT_DYNCREATE(CFontSizeComboBox, CComboBox)

CFontSizeComboBox::CFontSizeComboBox() : m_nLogPixelsY(0) {}

void CFontSizeComboBox::FillSizes(const CString& strFaceName)
{
    if (strFaceName.IsEmpty())
        return;
    ResetContent();
    HDC hDC = ::GetDC(nullptr);
    m_nLogPixelsY = ::GetDeviceCaps(hDC, LOGPIXELSY);
    // Every face offers the sizes of a scalable one: the list is asked of "Arial".
    ::EnumFontFamilies(hDC, "Arial", &CFontSizeComboBox::EnumSizeCallback, reinterpret_cast<LPARAM>(this));
    ::ReleaseDC(nullptr, hDC);
}

int CALLBACK CFontSizeComboBox::EnumSizeCallback(const LOGFONT* /*lplf*/, const TEXTMETRIC* /*lptm*/,
                                                 DWORD /*dwFontType*/, LPARAM lParam)
{
    auto* pCombo = reinterpret_cast<CFontSizeComboBox*>(lParam);
    for (const int size : kFontSizeComboSizes) {
        CString text;
        text.Format("%d", size);
        pCombo->AddString(text);
    }
    return 0;
}
