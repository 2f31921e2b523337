// An owner-drawn combo box of the installed fonts, each marked as a TrueType
// or a device font, that hands back a descriptor of the chosen font. On a
// library toolbar its list belongs to the toolbar's font button and the box
// only adds the toolbar's keys.
#pragma once

#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CImageList.h"
#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPFontDesc.h"

class CKtvPFontComboBox : public CComboBox {
public:
    CKtvPFontComboBox();
    ~CKtvPFontComboBox() override;

    // Empties the box and lists the fonts of the given types, character set
    // and pitch; FALSE on a toolbar, whose button owns the list.
    BOOL Setup(int nFontType = DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE, BYTE nCharSet = DEFAULT_CHARSET,
               BYTE nPitchAndFamily = 0);
    // NULL when nothing is selected.
    CKtvPFontDesc* GetSelFont() const;
    void RemoveAllFonts();
    BOOL IsOnToolbar() const { return m_bToolBarMode; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
    int CompareItem(LPCOMPAREITEMSTRUCT lpCIS) override;

protected:
    void PreSubclassWindow() override;
    void Init();

    CImageList m_Images;
    BOOL m_bToolBarMode;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
