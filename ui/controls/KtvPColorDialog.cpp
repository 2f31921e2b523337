#include "ui/controls/KtvPColorDialog.h"

#include <algorithm>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CColorDialog.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CSpinButtonCtrl.h"
#include "resources/resource.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

// A logical palette of the 256 entries the screen's system palette holds.
BOOL BuildSystemPalette(CWnd* pWnd, CPalette& palette)
{
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
    auto* pLogPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = 256;
    CClientDC dc(pWnd);
    ::GetSystemPaletteEntries(dc.GetSafeHdc(), 0, 256, pLogPalette->palPalEntry);
    return palette.CreatePalette(pLogPalette);
}

}  // namespace

// --- CPropertySheetCtrl ----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CPropertySheetCtrl, CPropertySheet)

BEGIN_MESSAGE_MAP(CPropertySheetCtrl, CPropertySheet)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CPropertySheetCtrl::CPropertySheetCtrl(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
}

CPropertySheetCtrl::~CPropertySheetCtrl() = default;

BOOL CPropertySheetCtrl::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    // The dialog's Tab and arrow keys enter the pages.
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    LayoutPages();
    return bResult;
}

void CPropertySheetCtrl::OnSize(UINT, int, int)
{
    Default();
    LayoutPages();
}

// The page that a tab shows is made while the sheet handles the change, so
// it is laid out afterwards.
BOOL CPropertySheetCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    CTabCtrl* pTab = GetTabControl();
    if (pHeader != nullptr && pHeader->code == TCN_SELCHANGE && pTab != nullptr &&
        pHeader->hwndFrom == pTab->GetSafeHwnd()) {
        *pResult = Default();
        LayoutPages();
        return TRUE;
    }
    return CPropertySheet::OnNotify(wParam, lParam, pResult);
}

void CPropertySheetCtrl::LayoutPages()
{
    CTabCtrl* pTab = GetTabControl();
    if (pTab == nullptr || pTab->GetSafeHwnd() == nullptr)
        return;
    CRect rectClient;
    GetClientRect(rectClient);
    pTab->MoveWindow(0, 0, rectClient.Width(), rectClient.Height());

    for (int i = 0; i < GetPageCount(); i++) {
        CPropertyPage* pPage = GetPage(i);
        if (pPage == nullptr || pPage->GetSafeHwnd() == nullptr)
            continue;
        CRect rectPage;
        pPage->GetWindowRect(rectPage);
        pTab->ScreenToClient(rectPage);
        pPage->SetWindowPos(nullptr, rectPage.left, rectPage.top,
                            rectClient.Width() - 3 * ::GetSystemMetrics(SM_CXEDGE),
                            rectClient.Height() - rectPage.top - ::GetSystemMetrics(SM_CYEDGE),
                            SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Made with new as a modeless child: nobody else deletes it.
void CPropertySheetCtrl::PostNcDestroy()
{
    CPropertySheet::PostNcDestroy();
    delete this;
}

// --- CColorPage1 -----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CColorPage1, CPropertyPage)

BEGIN_MESSAGE_MAP(CColorPage1, CPropertyPage)
    ON_BN_CLICKED(IDC_KTVP_COLOR_GREYS, OnGreys)
    ON_BN_CLICKED(IDC_KTVP_COLOR_HEXAGONS, OnHexagons)
    ON_BN_DOUBLECLICKED(IDC_KTVP_COLOR_GREYS, OnDoubleClicked)
    ON_BN_DOUBLECLICKED(IDC_KTVP_COLOR_HEXAGONS, OnDoubleClicked)
END_MESSAGE_MAP()

CColorPage1::CColorPage1() : CPropertyPage(IDD_KTVP_COLOR_PAGE_STANDARD), m_Dialog(nullptr) {}

CColorPage1::~CColorPage1() = default;

void CColorPage1::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_COLOR_HEXAGONS, m_Hexagons);
    DDX_Control(pDX, IDC_KTVP_COLOR_GREYS, m_Greys);
}

BOOL CColorPage1::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_Hexagons.SetPalette(m_Dialog->m_Palette);
    m_Greys.SetPalette(m_Dialog->m_Palette);
    m_Hexagons.SetType(CKtvPColorChooserCtrl::CHOOSER_HEXAGON_PALETTE);
    m_Greys.SetType(CKtvPColorChooserCtrl::CHOOSER_GREY_STRIP);
    return TRUE;
}

// A grey is as light as the strip says.
void CColorPage1::OnGreys()
{
    double hue = 0, lum = 0, sat = 0;
    m_Greys.GetHLS(&hue, &lum, &sat);
    const BYTE v = (BYTE)(int)(lum * 255);
    m_Dialog->SetNewColor(RGB(v, v, v));
    m_Dialog->SyncCustomPage(v, v, v);
    m_Hexagons.SetRGB(v, v, v);
    m_Hexagons.Invalidate();
}

void CColorPage1::OnHexagons()
{
    const COLORREF color = m_Hexagons.GetColor();
    m_Dialog->SetNewColor(color);
    m_Dialog->SyncCustomPage(GetRValue(color), GetGValue(color), GetBValue(color));
    m_Greys.SetRGB(GetRValue(color), GetGValue(color), GetBValue(color));
    m_Greys.Invalidate();
}

void CColorPage1::OnDoubleClicked() { m_Dialog->EndDialog(IDOK); }

// --- CColorPage2 -----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CColorPage2, CPropertyPage)

BEGIN_MESSAGE_MAP(CColorPage2, CPropertyPage)
    ON_EN_CHANGE(IDC_KTVP_COLOR_RED, OnRgbChanged)
    ON_EN_CHANGE(IDC_KTVP_COLOR_GREEN, OnRgbChanged)
    ON_EN_CHANGE(IDC_KTVP_COLOR_BLUE, OnRgbChanged)
    ON_EN_CHANGE(IDC_KTVP_COLOR_HUE, OnHlsChanged)
    ON_EN_CHANGE(IDC_KTVP_COLOR_SAT, OnHlsChanged)
    ON_EN_CHANGE(IDC_KTVP_COLOR_LUM, OnHlsChanged)
    ON_BN_CLICKED(IDC_KTVP_COLOR_LUM_BAR, OnLumBar)
    ON_BN_CLICKED(IDC_KTVP_COLOR_PREVIEW, OnSpectrum)
    ON_BN_DOUBLECLICKED(IDC_KTVP_COLOR_PREVIEW, OnDoubleClicked)
END_MESSAGE_MAP()

CColorPage2::CColorPage2()
    : CPropertyPage(IDD_KTVP_COLOR_PAGE_CUSTOM),
      m_Dialog(nullptr),
      m_Red(0),
      m_Blue(0),
      m_Green(0),
      m_Lum(0),
      m_Hue(0),
      m_Sat(0),
      m_IsReady(FALSE),
      m_InUpdate(FALSE)
{
}

CColorPage2::~CColorPage2() = default;

void CColorPage2::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_COLOR_LUM_BAR, m_LumBar);
    DDX_Control(pDX, IDC_KTVP_COLOR_PREVIEW, m_Spectrum);
    DDX_Text(pDX, IDC_KTVP_COLOR_RED, m_Red);
    DDV_MinMaxInt(pDX, m_Red, 0, 255);
    DDX_Text(pDX, IDC_KTVP_COLOR_BLUE, m_Blue);
    DDV_MinMaxInt(pDX, m_Blue, 0, 255);
    DDX_Text(pDX, IDC_KTVP_COLOR_GREEN, m_Green);
    DDV_MinMaxInt(pDX, m_Green, 0, 255);
    DDX_Text(pDX, IDC_KTVP_COLOR_LUM, m_Lum);
    DDV_MinMaxUInt(pDX, m_Lum, 0, 255);
    DDX_Text(pDX, IDC_KTVP_COLOR_HUE, m_Hue);
    DDV_MinMaxUInt(pDX, m_Hue, 0, 255);
    DDX_Text(pDX, IDC_KTVP_COLOR_SAT, m_Sat);
    DDV_MinMaxUInt(pDX, m_Sat, 0, 255);
}

BOOL CColorPage2::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_Spectrum.SetPalette(m_Dialog->m_Palette);
    m_Spectrum.SetType(CKtvPColorChooserCtrl::CHOOSER_SPECTRUM);
    m_LumBar.SetPalette(m_Dialog->m_Palette);
    m_LumBar.SetType(CKtvPColorChooserCtrl::CHOOSER_LUMINANCE_BAR);
    double hue = 0, lum = 0, sat = 0;
    m_Spectrum.GetHLS(&hue, &lum, &sat);
    m_LumBar.SetHLS(hue, lum, sat, TRUE);
    m_LumBar.SetLuminanceBarWidth(14);

    for (UINT nID = IDC_KTVP_COLOR_HUE_SPIN; nID <= IDC_KTVP_COLOR_BLUE_SPIN; nID++) {
        CWnd* pSpin = GetDlgItem((int)nID);
        if (pSpin == nullptr)
            break;
        pSpin->SendMessage(UDM_SETRANGE, 0, MAKELPARAM(255, 0));
    }
    m_IsReady = TRUE;
    return TRUE;
}

void CColorPage2::SetRGB(BYTE red, BYTE green, BYTE blue)
{
    double hue = 0, lum = 0, sat = 0;
    CKtvPDrawManager::RgbToHls(RGB(red, green, blue), &hue, &sat, &lum);
    m_Spectrum.SetHLS(hue, lum, sat, TRUE);
    m_LumBar.SetHLS(hue, lum, sat, TRUE);
    m_Red = red;
    m_Green = green;
    m_Blue = blue;
    m_Hue = (UINT)CKtvPColorDialog::ToByte(hue);
    m_Lum = (UINT)CKtvPColorDialog::ToByte(lum);
    m_Sat = (UINT)CKtvPColorDialog::ToByte(sat);
}

void CColorPage2::TakeFieldComponents()
{
    double hue = 0, lum = 0, sat = 0;
    m_Spectrum.GetHLS(&hue, &lum, &sat);
    m_Hue = (UINT)CKtvPColorDialog::ToByte(hue);
    m_Lum = (UINT)CKtvPColorDialog::ToByte(lum);
    m_Sat = (UINT)CKtvPColorDialog::ToByte(sat);
}

BOOL CColorPage2::CanTakeTypedValues() { return !m_InUpdate && m_IsReady && UpdateData(TRUE); }

void CColorPage2::OnRgbChanged()
{
    if (!CanTakeTypedValues())
        return;
    m_InUpdate = TRUE;
    const COLORREF color = RGB(m_Red, m_Green, m_Blue);
    m_Dialog->SetNewColor(color);
    m_Dialog->SyncStandardPage((BYTE)m_Red, (BYTE)m_Green, (BYTE)m_Blue);
    double hue = 0, lum = 0, sat = 0;
    CKtvPDrawManager::RgbToHls(color, &hue, &sat, &lum);
    m_Hue = (UINT)CKtvPColorDialog::ToByte(hue);
    m_Lum = (UINT)CKtvPColorDialog::ToByte(lum);
    m_Sat = (UINT)CKtvPColorDialog::ToByte(sat);
    UpdateData(FALSE);
    m_Spectrum.SetHLS(hue, lum, sat, TRUE);
    m_LumBar.SetHLS(hue, lum, sat, TRUE);
    m_InUpdate = FALSE;
}

void CColorPage2::OnHlsChanged()
{
    if (!CanTakeTypedValues())
        return;
    m_InUpdate = TRUE;
    const double hue = CKtvPColorDialog::ToUnit(m_Hue);
    const double sat = CKtvPColorDialog::ToUnit(m_Sat);
    const double lum = CKtvPColorDialog::ToUnit(m_Lum);
    const COLORREF color = CKtvPDrawManager::HlsToRgb(hue, lum, sat);
    m_Red = GetRValue(color);
    m_Green = GetGValue(color);
    m_Blue = GetBValue(color);
    UpdateData(FALSE);
    m_Dialog->SetNewColor(color);
    m_Dialog->SyncStandardPage(GetRValue(color), GetGValue(color), GetBValue(color));
    m_Spectrum.SetHLS(hue, lum, sat, TRUE);
    m_LumBar.SetHLS(hue, lum, sat, TRUE);
    m_InUpdate = FALSE;
}

// The field's picture is drawn at one lightness; the colour picked in it
// carries the ramp's, so the two are kept in step here.
void CColorPage2::OnLumBar()
{
    double hue = 0, lum = 0, sat = 0;
    m_LumBar.GetHLS(&hue, &lum, &sat);
    m_Spectrum.SetHLS(-1, lum, -1, FALSE);
    m_InUpdate = TRUE;
    TakeFieldComponents();
    m_Spectrum.GetHLS(&hue, &lum, &sat);
    const COLORREF color = CKtvPDrawManager::HlsToRgb(hue, lum, sat);
    m_Dialog->SetNewColor(color);
    m_Red = GetRValue(color);
    m_Green = GetGValue(color);
    m_Blue = GetBValue(color);
    m_Dialog->SyncStandardPage(GetRValue(color), GetGValue(color), GetBValue(color));
    UpdateData(FALSE);
    m_InUpdate = FALSE;
}

void CColorPage2::OnSpectrum()
{
    double hue = 0, lum = 0, sat = 0;
    m_Spectrum.GetHLS(&hue, &lum, &sat);
    m_LumBar.SetHLS(hue, -1, sat, FALSE);
    const COLORREF colorField = m_Spectrum.GetColor();
    m_Red = GetRValue(colorField);
    m_Green = GetGValue(colorField);
    m_Blue = GetBValue(colorField);
    m_InUpdate = TRUE;
    m_LumBar.Invalidate();
    TakeFieldComponents();
    m_Dialog->SetNewColor(CKtvPDrawManager::HlsToRgb(hue, lum, sat));
    m_Dialog->SyncStandardPage((BYTE)m_Red, (BYTE)m_Green, (BYTE)m_Blue);
    UpdateData(FALSE);
    m_InUpdate = FALSE;
}

void CColorPage2::OnDoubleClicked() { m_Dialog->EndDialog(IDOK); }

// --- CKtvPColorDialog ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKtvPColorDialog, CDialog)
    ON_WM_DESTROY()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CKtvPColorDialog::CKtvPColorDialog(COLORREF clrInit, CWnd* pParentWnd, HPALETTE hPal)
    : CKtvPColorDialog(clrInit, CC_FULLOPEN | CC_ANYCOLOR, pParentWnd, hPal)
{
}

CKtvPColorDialog::CKtvPColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd, HPALETTE hPal)
    : CDialog(IDD_KTVP_COLOR_DIALOG, pParentWnd),
      m_Sheet(nullptr),
      m_StandardPage(nullptr),
      m_CustomPage(nullptr),
      m_InitialColor(clrInit),
      m_NewColor(clrInit),
      m_Palette(hPal != nullptr ? CPalette::FromHandle(hPal) : nullptr),
      m_OwnPalette(hPal == nullptr),
      m_SystemDialogFlags(dwFlags | CC_FULLOPEN | CC_ANYCOLOR)
{
}

CKtvPColorDialog::~CKtvPColorDialog()
{
    delete m_StandardPage;
    delete m_CustomPage;
    if (m_OwnPalette)
        delete m_Palette;
}

int CKtvPColorDialog::ToByte(double x) { return std::min(255, (int)(x * 255 + 0.5)); }

// A typed 0 is 0 and a typed 255 is 1, so a typed grey stays grey.
double CKtvPColorDialog::ToUnit(UINT v) { return std::min(1.0, v / 255.0); }

void CKtvPColorDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_COLOR_PLACEHOLDER, m_Placeholder);
    DDX_Control(pDX, IDC_KTVP_COLOR_PREVIEW, m_Preview);
}

void CKtvPColorDialog::BuildOwnPalette()
{
    if (!m_OwnPalette)
        return;
    delete m_Palette;
    m_Palette = new CPalette;
    if (!BuildSystemPalette(this, *m_Palette)) {
        delete m_Palette;
        m_Palette = nullptr;
    }
}

void CKtvPColorDialog::RunSystemDialog()
{
    CColorDialog dlg(m_InitialColor, m_SystemDialogFlags, nullptr);
    const INT_PTR nResult = dlg.DoModal();
    m_NewColor = dlg.GetColor();
    EndDialog((int)nResult);
}

BOOL CKtvPColorDialog::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (globalData.m_nBitsPerPixel < 8) {
        RunSystemDialog();
        return TRUE;
    }
    if (m_Palette == nullptr)
        BuildOwnPalette();
    // The Custom page's numeric fields have up-down controls.
    ::InitCommonControls();

    m_Preview.SetType(CKtvPColorChooserCtrl::CHOOSER_PREVIEW);
    m_Preview.SetPalette(m_Palette);
    m_Preview.SetInitialColor(m_InitialColor);
    m_Preview.SetColor(m_NewColor);

    m_Sheet = new CPropertySheetCtrl("", this);
    m_StandardPage = new CColorPage1;
    m_StandardPage->m_Dialog = this;
    m_CustomPage = new CColorPage2;
    m_CustomPage->m_Dialog = this;
    m_Sheet->AddPage(m_StandardPage);
    m_Sheet->AddPage(m_CustomPage);
    if (!m_Sheet->Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0)) {
        // A sheet without a window never reaches its own clean-up.
        delete m_Sheet;
        m_Sheet = nullptr;
    } else {
        CRect rectPlaceholder;
        m_Placeholder.GetWindowRect(rectPlaceholder);
        ScreenToClient(rectPlaceholder);
        m_Sheet->SetWindowPos(nullptr, rectPlaceholder.left, rectPlaceholder.top, rectPlaceholder.Width(),
                              rectPlaceholder.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }

    SyncStandardPage(GetRValue(m_InitialColor), GetGValue(m_InitialColor), GetBValue(m_InitialColor));
    SyncCustomPage(GetRValue(m_InitialColor), GetGValue(m_InitialColor), GetBValue(m_InitialColor));
    return TRUE;
}

void CKtvPColorDialog::SetNewColor(COLORREF color)
{
    m_NewColor = color;
    COLORREF colorShown = color;
    if (globalData.m_nBitsPerPixel == 8 && m_Palette != nullptr)
        colorShown = PALETTEINDEX((WORD)m_Palette->GetNearestPaletteIndex(color));
    m_Preview.SetColor(colorShown);
    if (m_Preview.GetSafeHwnd() != nullptr) {
        m_Preview.Invalidate();
        m_Preview.UpdateWindow();
    }
}

void CKtvPColorDialog::SyncStandardPage(BYTE red, BYTE green, BYTE blue)
{
    if (m_StandardPage == nullptr)
        return;
    m_StandardPage->m_Hexagons.SetRGB(red, green, blue);
    m_StandardPage->m_Greys.SetRGB(red, green, blue);
}

void CKtvPColorDialog::SyncCustomPage(BYTE red, BYTE green, BYTE blue)
{
    if (m_CustomPage != nullptr)
        m_CustomPage->SetRGB(red, green, blue);
}

void CKtvPColorDialog::OnDestroy()
{
    if (m_OwnPalette) {
        delete m_Palette;
        m_Palette = nullptr;
    }
    CDialog::OnDestroy();
}

void CKtvPColorDialog::OnSysColorChange()
{
    CDialog::OnSysColorChange();
    globalData.UpdateSysColors();
    if (!m_OwnPalette)
        return;
    if (globalData.m_nBitsPerPixel >= 8) {
        BuildOwnPalette();
        m_Preview.SetPalette(m_Palette);
        if (m_StandardPage != nullptr) {
            m_StandardPage->m_Hexagons.SetPalette(m_Palette);
            m_StandardPage->m_Greys.SetPalette(m_Palette);
        }
        if (m_CustomPage != nullptr) {
            m_CustomPage->m_Spectrum.SetPalette(m_Palette);
            m_CustomPage->m_LumBar.SetPalette(m_Palette);
        }
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        return;
    }
    ShowWindow(SW_HIDE);
    RunSystemDialog();
}

BOOL KtvPickColor(COLORREF colorInitial, BOOL bSystemDialog, COLORREF& colorResult)
{
    if (bSystemDialog) {
        CColorDialog dlg(colorInitial, CC_FULLOPEN | CC_ANYCOLOR);
        if (dlg.DoModal() != IDOK)
            return FALSE;
        colorResult = dlg.GetColor();
        return TRUE;
    }
    CKtvPColorDialog dlg(colorInitial);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    colorResult = dlg.GetColor();
    return TRUE;
}

BOOL KtvCreateColorPalette(const CArray<COLORREF, COLORREF>& colors, int nMax, CPalette& palette)
{
    const int nCount = std::min<int>(nMax, (int)colors.GetSize());
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + std::max(0, nCount - 1) * sizeof(PALETTEENTRY));
    auto* pLogPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = (WORD)nCount;
    for (int i = 0; i < nCount; i++)
        pLogPalette->palPalEntry[i] = {GetRValue(colors[i]), GetGValue(colors[i]), GetBValue(colors[i]), 0};
    return palette.CreatePalette(pLogPalette);
}
