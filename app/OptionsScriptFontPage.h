// Options / Script Editor / Fonts and Colors: the editors' face and size,
// shared by every item, and the boldness and colours of each item ("Text",
// "Selected Text", "Inactive Selected Text"), with a sample drawn in them.
#pragma once

#include "app/FontSizeCombo.h"
#include "app/LabelCtrl.h"
#include "platform/mfc/CListBox.h"
#include "platform/mfc/CString.h"
#include "ui/controls/KtvPColorButton.h"
#include "ui/controls/KtvPFontComboBox.h"
#include "ui/controls/KtvPPropertySheet.h"

enum : UINT {
    IDD_TW_OPTIONS_SCRIPT_FONT = 213,
    IDC_TW_OPT_FONT = 1823,
    IDC_TW_OPT_SIZE = 1824,
    IDC_TW_OPT_ITEMS = 1825,
    IDC_TW_OPT_FORE = 1826,
    IDC_TW_OPT_FORE_CUSTOM = 1827,
    IDC_TW_OPT_BACK = 1828,
    IDC_TW_OPT_BACK_CUSTOM = 1829,
    IDC_TW_OPT_BOLD = 1830,
    IDC_TW_OPT_SAMPLE = 1831,
    IDC_TW_OPT_DEFAULTS = 1832,
};

// Colour text: six lower-case hexadecimal digits, red, green, blue. Text that
// is not six hexadecimal digits reads as black.
COLORREF OptionsColorFromText(const CString& strText);
CString OptionsColorToText(COLORREF color);

// One editor item as the page edits it and the main frame stores it.
struct FontClrItem {
    CString m_strName;
    CString m_strFace;
    CString m_strSize;
    int m_nBold = 0;
    CString m_strFore;
    CString m_strBack;
};

class COptionsScriptFontPage : public CKtvPPropertyPage {
    DECLARE_DYNCREATE(COptionsScriptFontPage)
public:
    static constexpr int kItemCount = 3;

    COptionsScriptFontPage();

    // TRUE once the page was shown: only then do its items hold the stored values.
    BOOL WasShown() const { return m_bShown; }

    CLabelCtrl m_wndSample;
    CListBox m_wndItems;
    CButton m_wndBold;
    CFontSizeComboBox m_wndSize;
    CKtvPColorButton m_wndFore;
    CKtvPColorButton m_wndBack;
    CKtvPFontComboBox m_wndFont;
    FontClrItem m_items[kItemCount];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSelChangeItems();
    void OnSelFont();
    void OnSelSize();
    void OnBold();
    void OnForeColor();
    void OnBackColor();
    void OnForeCustom();
    void OnBackCustom();
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bShown;

    // The record of the item selected in the list; NULL when none matches.
    FontClrItem* SelectedItem();
    void LoadStoredItems();
    void ShowSelectedFont();
    // The face's entry, searched by prefix from after the first entry round to it.
    int FindFontEntry(const CString& strFace) const;
    int FindSizeEntry(const CString& strSize) const;
    void ApplyForeColor(COLORREF color);
    void ApplyBackColor(COLORREF color);
};
