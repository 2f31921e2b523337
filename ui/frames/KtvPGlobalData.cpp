#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPCodes.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWnd.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/kernel/CrtCompat.h"
#include "platform/win32/kernel/Modules.h"
#include "platform/win32/user/winuser.h"

CKtvPGlobalData globalData;

const char* const strKtvTahomaFont = "Tahoma";
const char* const strKtvMSSansSerifFont = "MS Sans Serif";
const char* const strKtvArialFont = "Arial";
const char* const strKtvMarlettFont = "Marlett";

namespace ktvgd {

std::vector<KtvCleanUpStep>& CleanUpSteps()
{
    static std::vector<KtvCleanUpStep> steps;
    return steps;
}

KtvCleanUpStep g_sysColorsChangedHook = nullptr;

// Resource ids of the lazily loaded cursors and the tool icon.
constexpr UINT kSplitHorzCursor = 30980;
constexpr UINT kSplitVertCursor = 30981;
constexpr UINT kHandCursor = 16919;
constexpr UINT kDefaultToolIcon = 16931;

int CALLBACK StopAtTahoma(const LOGFONT* plf, const TEXTMETRIC*, DWORD, LPARAM)
{
    return _stricmp(plf->lfFaceName, strKtvTahomaFont) == 0 ? 0 : 1;
}

void SetFaceName(LOGFONT& lf, const char* face)
{
    snprintf(lf.lfFaceName, sizeof(lf.lfFaceName), "%s", face);
}

void RecreateSolidBrush(CBrush& brush, COLORREF clr)
{
    brush.DeleteObject();
    brush.CreateSolidBrush(clr);
}

void RecreatePen(CPen& pen, COLORREF clr)
{
    pen.DeleteObject();
    pen.CreatePen(PS_SOLID, 1, clr);
}

int TextHeightWith(HDC hdc, CFont& font)
{
    if (font.GetSafeHandle() == nullptr)
        return 0;
    HGDIOBJ old = SelectObject(hdc, font.GetSafeHandle());
    TEXTMETRIC tm{};
    GetTextMetrics(hdc, &tm);
    SelectObject(hdc, old);
    return tm.tmHeight + 2;
}

}  // namespace ktvgd

CKtvPGlobalData::~CKtvPGlobalData()
{
    // At process exit the drawing layer may already be gone: whatever
    // KtvCleanUp did not release is left to the end of the process.
    for (CGdiObject* object : AllOwnedObjects())
        object->Detach();
}

std::vector<CGdiObject*> CKtvPGlobalData::AllOwnedObjects()
{
    return {&brBtnFace,    &brHilite,     &brLight,      &brBtnDkShadow, &brActiveCaption,  &brInactiveCaption,
            &brWindow,     &brBarFace,    &penHilite,    &penBarFace,    &penBarShadow,     &fontRegular,
            &fontTooltip,  &fontBold,     &fontGuiBold,  &fontUnderline, &fontGuiUnderline, &fontVertDown,
            &fontVertUp,   &fontMarlett};
}

void CKtvPGlobalData::Initialize()
{
    hcurSplitHorz = hcurSplitVert = hcurHand = hcurSizeAll = nullptr;
    hiconDefaultTool = nullptr;
    m_hUxTheme = nullptr;
    UpdateSysColors();
    UpdateFonts();
    ReadSmallIconSize();
    ReadPlatformFlags();
    m_bInitialized = TRUE;
}

void CKtvPGlobalData::ReadSystemColors()
{
    clrBtnFace = clrBarFace = GetSysColor(COLOR_BTNFACE);
    clrBtnShadow = clrBarShadow = GetSysColor(COLOR_BTNSHADOW);
    clrBtnDkShadow = clrBarDkShadow = GetSysColor(COLOR_3DDKSHADOW);
    clrBtnLight = clrBarLight = GetSysColor(COLOR_3DLIGHT);
    clrBtnHilite = clrBarHilite = GetSysColor(COLOR_BTNHIGHLIGHT);
    clrBtnText = clrBarText = GetSysColor(COLOR_BTNTEXT);
    clrGrayedText = GetSysColor(COLOR_GRAYTEXT);
    clrWindowFrame = GetSysColor(COLOR_WINDOWFRAME);
    clrHilite = GetSysColor(COLOR_HIGHLIGHT);
    clrTextHilite = GetSysColor(COLOR_HIGHLIGHTTEXT);
    clrWindow = clrBarWindow = GetSysColor(COLOR_WINDOW);
    clrWindowText = GetSysColor(COLOR_WINDOWTEXT);
    clrCaptionText = GetSysColor(COLOR_CAPTIONTEXT);
    clrMenuText = GetSysColor(COLOR_MENUTEXT);
    clrActiveCaption = GetSysColor(COLOR_ACTIVECAPTION);
    clrInactiveCaption = GetSysColor(COLOR_INACTIVECAPTION);
    clrActiveBorder = GetSysColor(COLOR_ACTIVEBORDER);
    clrInactiveBorder = GetSysColor(COLOR_INACTIVEBORDER);
    clrInactiveCaptionText = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    clrHotText = RGB(0, 0, 255);
}

void CKtvPGlobalData::RebuildSolidObjects()
{
    ktvgd::RecreateSolidBrush(brBtnFace, clrBtnFace);
    ktvgd::RecreateSolidBrush(brBarFace, clrBarFace);
    ktvgd::RecreateSolidBrush(brActiveCaption, clrActiveCaption);
    ktvgd::RecreateSolidBrush(brInactiveCaption, clrInactiveCaption);
    ktvgd::RecreateSolidBrush(brHilite, clrHilite);
    ktvgd::RecreateSolidBrush(brBtnDkShadow, clrBtnDkShadow);
    ktvgd::RecreateSolidBrush(brWindow, clrWindow);
    ktvgd::RecreatePen(penHilite, clrHilite);
    ktvgd::RecreatePen(penBarFace, clrBarFace);
    ktvgd::RecreatePen(penBarShadow, clrBarShadow);
}

void CKtvPGlobalData::UpdateSysColors()
{
    ReadSystemColors();
    hbrBtnShadow = GetSysColorBrush(COLOR_BTNSHADOW);
    hbrBtnHilite = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    hbrWindow = GetSysColorBrush(COLOR_WINDOW);
    RebuildSolidObjects();

    HWND desktop = GetDesktopWindow();
    HDC hdc = GetDC(desktop);
    m_nBitsPerPixel = GetDeviceCaps(hdc, BITSPIXEL);
    ReleaseDC(desktop, hdc);

    RebuildLightBrush();
    if (ktvgd::g_sysColorsChangedHook != nullptr)
        ktvgd::g_sysColorsChangedHook();
}

void CKtvPGlobalData::RebuildLightBrush()
{
    brLight.DeleteObject();
    if (m_nBitsPerPixel > 8) {
        auto mid = [](int face, int hilite) { return face + (hilite - face) / 2; };
        brLight.CreateSolidBrush(RGB(mid(GetRValue(clrBtnFace), GetRValue(clrBtnHilite)),
                                     mid(GetGValue(clrBtnFace), GetGValue(clrBtnHilite)),
                                     mid(GetBValue(clrBtnFace), GetBValue(clrBtnHilite))));
        return;
    }
    HWND desktop = GetDesktopWindow();
    HDC hdc = GetDC(desktop);
    HBITMAP dither = CreateDitherBitmap(hdc);
    ReleaseDC(desktop, hdc);
    if (dither == nullptr)
        return;
    CBitmap bitmap;
    bitmap.Attach(dither);
    brLight.CreatePatternBrush(&bitmap);
    bitmap.DeleteObject();
}

HBITMAP CKtvPGlobalData::CreateDitherBitmap(HDC hdc)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = 8;
    info.header.biHeight = 8;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;

    const COLORREF hilite = GetSysColor(COLOR_BTNHIGHLIGHT);
    info.colors[0] = RGBQUAD{GetBValue(clrBtnFace), GetGValue(clrBtnFace), GetRValue(clrBtnFace), 0};
    info.colors[1] = RGBQUAD{GetBValue(hilite), GetGValue(hilite), GetRValue(hilite), 0};

    DWORD rows[8];
    for (int i = 0; i < 8; i++)
        rows[i] = (i % 2 == 0) ? 0xAA : 0x55;
    return CreateDIBitmap(hdc, &info.header, CBM_INIT, rows, reinterpret_cast<BITMAPINFO*>(&info),
                          DIB_RGB_COLORS);
}

void CKtvPGlobalData::DeleteAllFonts()
{
    for (CFont* font : {&fontRegular, &fontTooltip, &fontBold, &fontGuiBold, &fontUnderline, &fontGuiUnderline,
                        &fontVertDown, &fontVertUp, &fontMarlett})
        font->DeleteObject();
}

void CKtvPGlobalData::UpdateFonts()
{
    DeleteAllFonts();

    NONCLIENTMETRICS info{};
    info.cbSize = sizeof(info);
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, info.cbSize, &info, 0);

    HWND desktop = GetDesktopWindow();
    HDC hdc = GetDC(desktop);
    LOGFONT lf{};
    lf.lfCharSet = BYTE(GetTextCharsetInfo(hdc, nullptr, 0));
    lf.lfHeight = info.lfMenuFont.lfHeight;
    lf.lfWeight = info.lfMenuFont.lfWeight;
    lf.lfItalic = info.lfMenuFont.lfItalic;
    ktvgd::SetFaceName(lf, info.lfMenuFont.lfFaceName);

    if (info.lfMenuFont.lfCharSet <= SYMBOL_CHARSET) {
        const bool tahomaFound = EnumFontFamilies(hdc, nullptr, ktvgd::StopAtTahoma, 0) == 0;
        ktvgd::SetFaceName(lf, tahomaFound ? strKtvTahomaFont : strKtvMSSansSerifFont);
    }
    ReleaseDC(desktop, hdc);

    fontRegular.CreateFontIndirect(&lf);

    lf.lfWeight = info.lfStatusFont.lfWeight;
    lf.lfItalic = info.lfStatusFont.lfItalic;
    fontTooltip.CreateFontIndirect(&lf);

    lf.lfWeight = info.lfMenuFont.lfWeight;
    lf.lfItalic = info.lfMenuFont.lfItalic;
    lf.lfUnderline = 1;
    fontUnderline.CreateFontIndirect(&lf);

    lf.lfUnderline = 0;
    lf.lfWeight = FW_BOLD;
    fontBold.CreateFontIndirect(&lf);

    const BYTE charSet = lf.lfCharSet;
    lf.lfCharSet = SYMBOL_CHARSET;
    lf.lfWeight = 0;
    lf.lfHeight = GetSystemMetrics(SM_CYMENUCHECK) - 1;
    ktvgd::SetFaceName(lf, strKtvMarlettFont);
    fontMarlett.CreateFontIndirect(&lf);
    lf.lfCharSet = charSet;

    HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
    LOGFONT guiLf{};
    if (guiFont != nullptr && GetObject(guiFont, sizeof(guiLf), &guiLf) != 0) {
        LOGFONT vert = guiLf;
        vert.lfHeight = info.lfMenuFont.lfHeight;
        vert.lfWeight = info.lfMenuFont.lfWeight;
        vert.lfItalic = info.lfMenuFont.lfItalic;
        vert.lfOrientation = 900;
        vert.lfEscapement = 2700;
        ktvgd::SetFaceName(vert, strKtvArialFont);
        fontVertDown.CreateFontIndirect(&vert);
        vert.lfEscapement = 900;
        fontVertUp.CreateFontIndirect(&vert);

        guiLf.lfUnderline = 1;
        fontGuiUnderline.CreateFontIndirect(&guiLf);
        guiLf.lfUnderline = 0;
        guiLf.lfWeight = FW_BOLD;
        fontGuiBold.CreateFontIndirect(&guiLf);
    }

    UpdateTextMetrics();
    // Toolbars re-lay themselves out here once the toolbar class keeps its list.
}

void CKtvPGlobalData::UpdateTextMetrics()
{
    HWND desktop = GetDesktopWindow();
    HDC hdc = GetDC(desktop);
    m_nTextHeight = ktvgd::TextHeightWith(hdc, fontRegular);
    m_nVertTextHeight = ktvgd::TextHeightWith(hdc, fontVertDown);
    ReleaseDC(desktop, hdc);
}

void CKtvPGlobalData::ReadSmallIconSize()
{
    // The shell's small image list is sized from the same metrics here.
    m_sizeSmallIcon = CSize(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
}

void CKtvPGlobalData::ReadPlatformFlags()
{
    OSVERSIONINFO version{};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionEx(&version);
    const bool isNT = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    bIsOldNT = isNT && version.dwMajorVersion < 5;
    bIsWin9x = version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;

    m_nDragFrameWidthDocked = 3;
    m_nDragFrameWidthFloating = 4;
    m_nAutoHideStripGap = 14;
    m_nAutoHideStripMargin = 4;
    m_nMaxDockedSizePercent = 50;
    bIsRemoteSession = FALSE;
    if (isNT && version.dwMajorVersion >= 5)
        bIsRemoteSession = GetSystemMetrics(SM_REMOTESESSION);
    m_nTooltipMaxWidth = -1;
}

void CKtvPGlobalData::CleanUp()
{
    // Everything owned goes here, not only the light brush and the text fonts:
    // the destructor runs too late to reach the drawing layer.
    for (CGdiObject* object : AllOwnedObjects())
        object->DeleteObject();
    if (m_hUxTheme != nullptr) {
        FreeLibrary(m_hUxTheme);
        m_hUxTheme = nullptr;
    }
    m_bInitialized = FALSE;
}

BOOL CKtvPGlobalData::DrawParentBackground(CWnd* pWnd, CDC* pDC, LPRECT rectClip)
{
    if (pWnd == nullptr || pDC == nullptr)
        return FALSE;
    HDC hdc = pDC->GetSafeHdc();
    if (rectClip != nullptr) {
        HRGN clip = CreateRectRgnIndirect(rectClip);
        SelectClipRgn(hdc, clip);
        DeleteObject(clip);
    }

    HWND hwnd = pWnd->GetSafeHwnd();
    HWND parent = GetParent(hwnd);
    BOOL result = FALSE;
    bool drawnByTheme = false;
    if (m_hUxTheme == nullptr)
        m_hUxTheme = LoadLibrary("UxTheme.dll");
    if (m_hUxTheme != nullptr) {
        using DrawThemeParentBackgroundFn = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
        auto fn = reinterpret_cast<DrawThemeParentBackgroundFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(m_hUxTheme, "DrawThemeParentBackground")));
        drawnByTheme = fn != nullptr && fn(hwnd, hdc, rectClip) == S_OK;
        result = drawnByTheme;
    }
    if (!drawnByTheme && parent != nullptr) {
        POINT origin{0, 0};
        MapWindowPoints(hwnd, parent, &origin, 1);
        POINT old{};
        OffsetWindowOrgEx(hdc, origin.x, origin.y, &old);
        result = BOOL(SendMessage(parent, WM_ERASEBKGND, WPARAM(hdc), 0));
        SetWindowOrgEx(hdc, old.x, old.y, nullptr);
    }
    SelectClipRgn(hdc, nullptr);
    return result;
}

COLORREF CKtvPGlobalData::GetColor(int nColorIndex)
{
    switch (nColorIndex) {
    case COLOR_ACTIVECAPTION: return clrActiveCaption;
    case COLOR_INACTIVECAPTION: return clrInactiveCaption;
    case COLOR_WINDOW: return clrWindow;
    case COLOR_WINDOWFRAME: return clrWindowFrame;
    case COLOR_MENUTEXT: return clrMenuText;
    case COLOR_WINDOWTEXT: return clrWindowText;
    case COLOR_CAPTIONTEXT: return clrCaptionText;
    case COLOR_ACTIVEBORDER: return clrActiveBorder;
    case COLOR_INACTIVEBORDER: return clrInactiveBorder;
    case COLOR_HIGHLIGHT: return clrHilite;
    case COLOR_HIGHLIGHTTEXT: return clrTextHilite;
    case COLOR_BTNFACE: return clrBtnFace;
    case COLOR_BTNSHADOW: return clrBtnShadow;
    case COLOR_GRAYTEXT: return clrGrayedText;
    case COLOR_BTNTEXT: return clrBtnText;
    case COLOR_INACTIVECAPTIONTEXT: return clrInactiveCaptionText;
    case COLOR_BTNHIGHLIGHT: return clrBtnHilite;
    case COLOR_3DDKSHADOW: return clrBtnDkShadow;
    case COLOR_3DLIGHT: return clrBtnLight;
    default: return GetSysColor(nColorIndex);
    }
}

HCURSOR CKtvPGlobalData::GetSplitHorzCursor()
{
    if (hcurSplitHorz == nullptr)
        hcurSplitHorz = LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(ktvgd::kSplitHorzCursor));
    return hcurSplitHorz;
}

HCURSOR CKtvPGlobalData::GetSplitVertCursor()
{
    if (hcurSplitVert == nullptr)
        hcurSplitVert = LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(ktvgd::kSplitVertCursor));
    return hcurSplitVert;
}

HCURSOR CKtvPGlobalData::GetHandCursor()
{
    if (hcurHand == nullptr)
        hcurHand = LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(ktvgd::kHandCursor));
    return hcurHand;
}

HCURSOR CKtvPGlobalData::GetSizeAllCursor()
{
    if (hcurSizeAll == nullptr)
        hcurSizeAll = LoadCursor(nullptr, IDC_SIZEALL);
    return hcurSizeAll;
}

HICON CKtvPGlobalData::GetDefaultToolIcon()
{
    if (hiconDefaultTool == nullptr)
        hiconDefaultTool = static_cast<HICON>(LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(ktvgd::kDefaultToolIcon),
                                                        IMAGE_ICON, m_sizeSmallIcon.cx, m_sizeSmallIcon.cy, 0));
    return hiconDefaultTool;
}

void KtvInitGlobalData()
{
    KtvRegisterLibraryMessages();
    globalData.Initialize();
}

void KtvAddCleanUpStep(KtvCleanUpStep step)
{
    auto& steps = ktvgd::CleanUpSteps();
    for (KtvCleanUpStep existing : steps)
        if (existing == step)
            return;
    steps.push_back(step);
}

void KtvSetSysColorsChangedHook(KtvCleanUpStep hook)
{
    ktvgd::g_sysColorsChangedHook = hook;
}

void KtvCleanUp()
{
    globalData.CleanUp();
    for (KtvCleanUpStep step : ktvgd::CleanUpSteps())
        step();
}

namespace ktvgd {

// The docking library's floating frame, known by its class name so that this
// layer need not include it.
bool IsFloatingMiniFrame(const CWnd* pWnd)
{
    for (const CRuntimeClass* rc = pWnd->GetRuntimeClass(); rc != nullptr; rc = rc->m_pBaseClass)
        if (strcmp(rc->m_lpszClassName, "CKtvPMiniFrameWnd") == 0)
            return true;
    return false;
}

}  // namespace ktvgd

CWnd* KtvGetParentFrame(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return nullptr;
    for (CWnd* wnd = pWnd; wnd != nullptr && wnd->GetSafeHwnd() != nullptr;) {
        if (wnd->IsFrameWnd())
            return wnd;
        if (ktvgd::IsFloatingMiniFrame(wnd)) {
            HWND owner = ::GetWindow(wnd->GetSafeHwnd(), GW_OWNER);
            wnd = CWnd::FromHandlePermanent(owner != nullptr ? owner : ::GetParent(wnd->GetSafeHwnd()));
        } else {
            wnd = CWnd::FromHandle(::GetParent(wnd->GetSafeHwnd()));
        }
    }
    return nullptr;
}
