// The library's modal "Colors" dialog: a sheet with a Standard page (a
// honeycomb and a grey strip) and a Custom page (a hue field, a lightness ramp
// and six numeric fields), OK, Cancel and a preview of the new colour over
// the one the dialog started with. A change on either page reaches the other
// page and the preview at once; a double-click on a colour is OK.
#pragma once

#include "platform/mfc/CArray.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CPropertyPage.h"
#include "platform/mfc/CPropertySheet.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/afxmsg.h"
#include "ui/controls/KtvPColorChooserCtrl.h"

class CKtvPColorDialog;

// A property sheet living as a child window of a dialog; it deletes itself
// when its window goes.
class CPropertySheetCtrl : public CPropertySheet {
    DECLARE_DYNAMIC(CPropertySheetCtrl)
public:
    explicit CPropertySheetCtrl(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheetCtrl() override;

    BOOL OnInitDialog() override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;
    // The tab control fills the sheet; every page made so far fills the tab's display area.
    void LayoutPages();

    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

// Standard: the honeycomb and the grey strip.
class CColorPage1 : public CPropertyPage {
    DECLARE_DYNCREATE(CColorPage1)
public:
    CColorPage1();
    ~CColorPage1() override;

    CKtvPColorDialog* m_Dialog;
    CKtvPColorChooserCtrl m_Hexagons;
    CKtvPColorChooserCtrl m_Greys;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnGreys();
    void OnHexagons();
    void OnDoubleClicked();
    DECLARE_MESSAGE_MAP()
};

// Custom: the hue-by-saturation field, the lightness ramp and the six values.
class CColorPage2 : public CPropertyPage {
    DECLARE_DYNCREATE(CColorPage2)
public:
    CColorPage2();
    ~CColorPage2() override;

    // The colour's components go to the field and the ramp, its values to the
    // members (shown in the fields when the page is next activated).
    void SetRGB(BYTE red, BYTE green, BYTE blue);

    CKtvPColorDialog* m_Dialog;
    CKtvPColorChooserCtrl m_LumBar;
    CKtvPColorChooserCtrl m_Spectrum;
    int m_Red;
    int m_Blue;
    int m_Green;
    UINT m_Lum;
    UINT m_Hue;
    UINT m_Sat;
    BOOL m_IsReady;
    BOOL m_InUpdate;    // the page is writing its own fields

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Hue, lightness and saturation of the field as the three 0..255 members.
    void TakeFieldComponents();
    BOOL CanTakeTypedValues();

    void OnRgbChanged();
    void OnHlsChanged();
    void OnLumBar();
    void OnSpectrum();
    void OnDoubleClicked();
    DECLARE_MESSAGE_MAP()
};

class CKtvPColorDialog : public CDialog {
public:
    CKtvPColorDialog(COLORREF clrInit, CWnd* pParentWnd = nullptr, HPALETTE hPal = nullptr);
    // The flags go only to the system dialog that stands in on screens of
    // fewer than 8 bits per pixel.
    CKtvPColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd, HPALETTE hPal = nullptr);
    ~CKtvPColorDialog() override;

    COLORREF GetColor() const { return m_NewColor; }
    void SetNewColor(COLORREF color);
    void SyncStandardPage(BYTE red, BYTE green, BYTE blue);
    void SyncCustomPage(BYTE red, BYTE green, BYTE blue);

    CStatic m_Placeholder;
    CKtvPColorChooserCtrl m_Preview;
    CPropertySheetCtrl* m_Sheet;
    CColorPage1* m_StandardPage;
    CColorPage2* m_CustomPage;
    COLORREF m_InitialColor;
    COLORREF m_NewColor;
    CPalette* m_Palette;
    BOOL m_OwnPalette;
    DWORD m_SystemDialogFlags;

    // 0..1 to 0..255 and back.
    static int ToByte(double x);
    static double ToUnit(UINT v);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // 256 entries read from the system palette.
    void BuildOwnPalette();
    // The system's colour dialog in place of this one; its answer ends this one.
    void RunSystemDialog();

    void OnDestroy();
    void OnSysColorChange();
    DECLARE_MESSAGE_MAP()
};

// The colour picked in the library's Colors dialog, or in the system's colour
// dialog (full, any colour) when bSystemDialog; FALSE when the user cancelled.
BOOL KtvPickColor(COLORREF colorInitial, BOOL bSystemDialog, COLORREF& colorResult);
// A logical palette of the first nMax colours.
BOOL KtvCreateColorPalette(const CArray<COLORREF, COLORREF>& colors, int nMax, CPalette& palette);
