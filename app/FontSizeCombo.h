// A combo box of point sizes for the font pages.
#pragma once

#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CString.h"
#include "platform/win32/gdi/wingdi.h"

class CFontSizeComboBox : public CComboBox {
    DECLARE_DYNCREATE(CFontSizeComboBox)
public:
    CFontSizeComboBox();

    // Lists the sizes offered for a face; an empty face leaves the list as it is.
    void FillSizes(const CString& strFaceName);

    int m_nLogPixelsY;

private:
    static int CALLBACK EnumSizeCallback(const LOGFONT* lplf, const TEXTMETRIC* lptm, DWORD dwFontType,
                                         LPARAM lParam);
};
