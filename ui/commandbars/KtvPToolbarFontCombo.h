// Toolbar combo boxes for text formatting: one listing the installed fonts,
// one for font sizes. Every font button alive shares one list of the fonts,
// built by enumerating the screen's and the default printer's fonts when the
// first button needs it and freed with the last button.
#pragma once

#include "platform/mfc/CObList.h"
#include "platform/win32/gdi/wingdi.h"
#include "ui/commandbars/KtvPToolbarComboBoxButton.h"
#include "ui/frames/KtvPFontDesc.h"

class CKtvPToolbarFontCombo : public CKtvPToolbarComboBoxButton {
    DECLARE_SERIAL(CKtvPToolbarFontCombo)
public:
    CKtvPToolbarFontCombo();
    CKtvPToolbarFontCombo(UINT uiID, int iImage, int nFontType = DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE,
                          BYTE nCharSet = DEFAULT_CHARSET, DWORD dwStyle = CBS_DROPDOWN, int iWidth = 0,
                          BYTE nPitchAndFamily = 0);
    ~CKtvPToolbarFontCombo() override;

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKtvPToolbarButton& src) override;
    CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect) override;

    // TRUE when the font joined the shared list.
    virtual BOOL AddFont(const ENUMLOGFONTEX* pelf, int nType, LPCTSTR lpszScript);

    // The shared list of CKtvPFontDesc, ascending by full name.
    static const CObList& GetFontList() { return m_lstFonts; }
    static int GetInstanceCount() { return m_nCount; }

    int m_nFontType;
    BYTE m_nCharSet;
    BYTE m_nPitchAndFamily;

protected:
    void RebuildFonts();
    void SetupFonts();
    static int CALLBACK EnumFamScreenCallBackEx(const LOGFONT* plf, const TEXTMETRIC* ptm, DWORD nType, LPARAM lParam);
    static int CALLBACK EnumFamPrinterCallBackEx(const LOGFONT* plf, const TEXTMETRIC* ptm, DWORD nType,
                                                 LPARAM lParam);

    static CObList m_lstFonts;
    static int m_nCount;
};

// A combo box of sizes; its owner adds the sizes as items.
class CKtvPToolbarFontSizeCombo : public CKtvPToolbarComboBoxButton {
    DECLARE_SERIAL(CKtvPToolbarFontSizeCombo)
public:
    CKtvPToolbarFontSizeCombo();
    CKtvPToolbarFontSizeCombo(UINT uiID, int iImage, DWORD dwStyle = CBS_DROPDOWN, int iWidth = 0);
    ~CKtvPToolbarFontSizeCombo() override;

    CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect) override;
};
