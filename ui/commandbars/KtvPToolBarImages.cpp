#include "ui/commandbars/KtvPToolBarImages.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/mfc/CException.h"
#include "platform/mfc/CFile.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWinThread.h"
#include "platform/mfc/CWnd.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/kernel/Files.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/kernel/Modules.h"
#include "platform/win32/user/winuser.h"
#include "resources/resource.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPGlobalData.h"

static_assert(sizeof(BITMAPFILEHEADER) == 14, "the file header is written as it is laid out");

HDC CKtvPToolBarImages::m_hDCGlyphs = nullptr;
HDC CKtvPToolBarImages::m_hDCMono = nullptr;
HINSTANCE CKtvPToolBarImages::m_hinstMsimg32 = nullptr;
CKtvPToolBarImages::AlphaBlendFn CKtvPToolBarImages::m_pfnAlphaBlend = nullptr;
BOOL CKtvPToolBarImages::m_bSharedSetUpDone = FALSE;
BOOL (*CKtvPToolBarImages::m_pfnEmbossDisabled)() = nullptr;

namespace ktvtbi {

constexpr COLORREF kNone = (COLORREF)-1;
constexpr DWORD kRopBrushWhereMaskIsClear = 0xB8074A;

struct StandardColor {
    COLORREF standard;
    int sysColor;
};
const StandardColor kStandardColors[] = {
    {RGB(0x00, 0x00, 0x00), COLOR_BTNTEXT},
    {RGB(0x80, 0x80, 0x80), COLOR_BTNSHADOW},
    {RGB(0xC0, 0xC0, 0xC0), COLOR_BTNFACE},
    {RGB(0xFF, 0xFF, 0xFF), COLOR_BTNHIGHLIGHT},
};

// The greys a shallow image's colour table follows on load.
COLORREF Map3DColor(COLORREF clr)
{
    switch (clr) {
    case RGB(0x80, 0x80, 0x80): return GetSysColor(COLOR_3DSHADOW);
    case RGB(0xC0, 0xC0, 0xC0): return GetSysColor(COLOR_3DFACE);
    case RGB(0xDF, 0xDF, 0xDF): return GetSysColor(COLOR_3DLIGHT);
    default: return clr;
    }
}

COLORREF SwapRedBlue(COLORREF clr)
{
    return RGB(GetBValue(clr), GetGValue(clr), GetRValue(clr));
}

BITMAP BitmapInfoOf(HBITMAP hbmp)
{
    BITMAP bm{};
    if (hbmp == nullptr || GetObject(hbmp, sizeof(bm), &bm) == 0)
        bm.bmWidth = bm.bmHeight = 0;
    return bm;
}

// A memory DC with one bitmap selected for the lifetime of the object.
class SelectedBitmap {
public:
    SelectedBitmap(HDC compatibleWith, HBITMAP bitmap) : dc_(CreateCompatibleDC(compatibleWith))
    {
        if (dc_ != nullptr && bitmap != nullptr)
            old_ = SelectObject(dc_, bitmap);
    }
    ~SelectedBitmap()
    {
        if (old_ != nullptr)
            SelectObject(dc_, old_);
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;
    bool Ok() const { return old_ != nullptr; }
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

// Pre-multiplies the colour channels of a 32-bit DIB section by its alpha.
void PremultiplyAlpha(HBITMAP hbmp, const BITMAP& bm)
{
    DIBSECTION ds{};
    if (GetObject(hbmp, sizeof(ds), &ds) != int(sizeof(ds)) || ds.dsBm.bmBits == nullptr)
        return;
    auto* bytes = static_cast<BYTE*>(ds.dsBm.bmBits);
    const long count = long(bm.bmWidth) * bm.bmHeight;
    for (long i = 0; i < count; i++) {
        BYTE* pixel = bytes + i * 4;
        const int alpha = pixel[3];
        for (int c = 0; c < 3; c++)
            pixel[c] = BYTE(pixel[c] * alpha / 255);
    }
}

}  // namespace ktvtbi

// --- lifetime ------------------------------------------------------------------------------------

CKtvPToolBarImages::CKtvPToolBarImages()
{
    m_clrShadow = globalData.clrBtnShadow;
    m_mapResFirstImage.InitHashTable(17);
    // The shared DCs and the blend entry wait for the first use: the toolbar's
    // class-wide strips are built before main, when no display exists yet.
    OnSysColorChange();
}

void CKtvPToolBarImages::SetUpShared()
{
    if (m_bSharedSetUpDone)
        return;
    m_hDCGlyphs = CreateCompatibleDC(nullptr);
    m_hDCMono = CreateCompatibleDC(nullptr);
    if (m_hDCGlyphs == nullptr || m_hDCMono == nullptr) {
        if (m_hDCGlyphs != nullptr)
            DeleteDC(m_hDCGlyphs);
        if (m_hDCMono != nullptr)
            DeleteDC(m_hDCMono);
        m_hDCGlyphs = m_hDCMono = nullptr;
        AfxThrowResourceException();
    }
    if (!globalData.bIsWin9x && !globalData.bIsOldNT) {
        m_hinstMsimg32 = LoadLibrary("msimg32.dll");
        if (m_hinstMsimg32 != nullptr)
            m_pfnAlphaBlend = reinterpret_cast<AlphaBlendFn>(
                reinterpret_cast<void (*)()>(GetProcAddress(m_hinstMsimg32, "AlphaBlend")));
    }
    m_bSharedSetUpDone = TRUE;
    KtvAddCleanUpStep(CleanUpShared);
}

CKtvPToolBarImages::~CKtvPToolBarImages()
{
    if (!m_bShared)
        DeleteStrips();
}

void CKtvPToolBarImages::CleanUpShared()
{
    if (m_hDCGlyphs != nullptr)
        DeleteDC(m_hDCGlyphs);
    if (m_hDCMono != nullptr)
        DeleteDC(m_hDCMono);
    if (m_hinstMsimg32 != nullptr)
        FreeLibrary(m_hinstMsimg32);
    m_hDCGlyphs = m_hDCMono = nullptr;
    m_hinstMsimg32 = nullptr;
    m_pfnAlphaBlend = nullptr;
    m_bSharedSetUpDone = FALSE;
}

void CKtvPToolBarImages::DeleteStrips()
{
    for (HBITMAP* bitmap : {&m_hbmStrip, &m_hbmFaded, &m_hbmOriginal}) {
        if (*bitmap != nullptr)
            DeleteObject(*bitmap);
        *bitmap = nullptr;
    }
}

void CKtvPToolBarImages::Clear()
{
    if (m_bShared)
        return;
    DeleteStrips();
    m_lstResIds.RemoveAll();
    m_lstResInstances.RemoveAll();
    m_mapResFirstImage.RemoveAll();
    m_strFilePath.Empty();
    m_bFromFile = FALSE;
    m_nCount = 0;
    m_bModified = FALSE;
    // Images loaded later have no faded copy yet: the next paint must make one.
    m_clrLastFace = (COLORREF)-1;
}

void CKtvPToolBarImages::UpdateCount()
{
    if (m_hbmStrip == nullptr || m_sizeImage.cx <= 0) {
        m_nCount = 0;
        return;
    }
    m_nCount = ktvtbi::BitmapInfoOf(m_hbmStrip).bmWidth / m_sizeImage.cx;
}

COLORREF CKtvPToolBarImages::GetEffectiveTransparentColor() const
{
    SetUpShared();
    if (m_nBitsPerPixel == 32 && m_pfnAlphaBlend != nullptr)
        return ktvtbi::kNone;
    return m_clrTransparent;
}

int CKtvPToolBarImages::GetResourceOffset(UINT uiResID) const
{
    int first = -1;
    return m_mapResFirstImage.Lookup(uiResID, first) ? first : -1;
}

HBITMAP CKtvPToolBarImages::CopyBitmap(HBITMAP hbmp)
{
    return hbmp == nullptr ? nullptr : static_cast<HBITMAP>(CopyImage(hbmp, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// --- loading -------------------------------------------------------------------------------------

BOOL CKtvPToolBarImages::Load(UINT uiResID, HINSTANCE hinst, BOOL bAppend)
{
    if (m_bShared)
        return FALSE;
    if (!bAppend) {
        DeleteStrips();
        m_lstResIds.RemoveAll();
        m_lstResInstances.RemoveAll();
        m_mapResFirstImage.RemoveAll();
    } else if (m_lstResIds.Find(uiResID) != nullptr) {
        return TRUE;
    }
    if (hinst == nullptr)
        hinst = AfxGetResourceHandle();
    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImage(hinst, MAKEINTRESOURCE(LOWORD(uiResID)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS));
    if (loaded == nullptr)
        return FALSE;
    BITMAP bm{};
    if (GetObject(loaded, sizeof(bm), &bm) == 0) {
        DeleteObject(loaded);
        return FALSE;
    }
    HBITMAP original = static_cast<HBITMAP>(
        LoadImage(hinst, MAKEINTRESOURCE(LOWORD(uiResID)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bm.bmBitsPixel >= 32)
        ktvtbi::PremultiplyAlpha(loaded, bm);
    m_nBitsPerPixel = std::max<int>(m_nBitsPerPixel, bm.bmBitsPixel);

    if (bAppend) {
        m_mapResFirstImage[uiResID] = m_nCount;
        const BOOL wasModified = m_bModified;
        AppendImages(loaded, original);
        m_bModified = wasModified;  // resource images are not user changes
        m_lstResIds.AddTail(uiResID);
        m_lstResInstances.AddTail(hinst);
        DeleteObject(loaded);
        if (original != nullptr)
            DeleteObject(original);
    } else {
        m_hbmStrip = loaded;
        m_hbmOriginal = original;
    }
    if (m_nBitsPerPixel > 8 && m_nBitsPerPixel < 32)
        MapColors(FALSE);
    UpdateCount();
    CreateFadedImages();
    return TRUE;
}

BOOL CKtvPToolBarImages::LoadFromFile(LPCTSTR lpszPath)
{
    if (m_bShared || lpszPath == nullptr)
        return FALSE;
    DeleteStrips();
    m_nCount = 0;

    CString path = lpszPath;
    if (path.FindOneOf("\\/:") < 0) {
        char module[MAX_PATH] = {};
        GetModuleFileName(nullptr, module, MAX_PATH);
        std::string folder = module;
        const size_t slash = folder.find_last_of("\\/");
        folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
        path = CString(folder.c_str()) + lpszPath;
    }
    HBITMAP loaded = static_cast<HBITMAP>(LoadImage(AfxGetInstanceHandle(), path, IMAGE_BITMAP, 0, 0,
                                                    LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS | LR_LOADFROMFILE));
    if (loaded == nullptr)
        return FALSE;
    BITMAP bm{};
    if (GetObject(loaded, sizeof(bm), &bm) == 0) {
        DeleteObject(loaded);
        return FALSE;
    }
    m_hbmStrip = loaded;
    m_hbmOriginal = static_cast<HBITMAP>(
        LoadImage(AfxGetInstanceHandle(), path, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE));
    m_bFromFile = TRUE;
    m_strFilePath = path;
    const DWORD attributes = GetFileAttributes(path);
    m_bFileReadOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    m_nBitsPerPixel = bm.bmBitsPixel;
    // Per-pixel alpha is blended pre-multiplied, as resource images are; the
    // unmapped copy keeps the file's own values for saving.
    if (m_nBitsPerPixel >= 32)
        ktvtbi::PremultiplyAlpha(m_hbmStrip, bm);
    if (m_nBitsPerPixel > 8 && m_nBitsPerPixel < 32)
        MapColors(FALSE);
    UpdateCount();
    CreateFadedImages();
    return TRUE;
}

HBITMAP CKtvPToolBarImages::AppendBitmap(HBITMAP hbmStrip, HBITMAP hbmNew)
{
    const BITMAP strip = ktvtbi::BitmapInfoOf(hbmStrip), added = ktvtbi::BitmapInfoOf(hbmNew);
    if (added.bmWidth <= 0)
        return nullptr;
    if (hbmStrip == nullptr)
        return CopyBitmap(hbmNew);
    ktvtbi::SelectedBitmap source(nullptr, hbmStrip);
    if (!source.Ok())
        return nullptr;
    HBITMAP combined = CreateCompatibleBitmap(source.Dc(), strip.bmWidth + added.bmWidth, strip.bmHeight);
    if (combined == nullptr)
        return nullptr;
    ktvtbi::SelectedBitmap target(nullptr, combined);
    ktvtbi::SelectedBitmap extra(nullptr, hbmNew);
    if (!target.Ok() || !extra.Ok() ||
        !BitBlt(target.Dc(), 0, 0, strip.bmWidth, strip.bmHeight, source.Dc(), 0, 0, SRCCOPY) ||
        !BitBlt(target.Dc(), strip.bmWidth, 0, added.bmWidth, strip.bmHeight, extra.Dc(), 0, 0, SRCCOPY)) {
        DeleteObject(combined);
        return nullptr;
    }
    return combined;
}

int CKtvPToolBarImages::AddImage(HBITMAP hbmp)
{
    return AppendImages(hbmp, hbmp);
}

int CKtvPToolBarImages::AppendImages(HBITMAP hbmp, HBITMAP hbmpOriginal)
{
    if (m_bShared || ktvtbi::BitmapInfoOf(hbmp).bmWidth <= 0)
        return -1;
    if (hbmpOriginal == nullptr)
        hbmpOriginal = hbmp;
    HBITMAP strip = AppendBitmap(m_hbmStrip, hbmp);
    if (strip == nullptr)
        return -1;
    HBITMAP original = AppendBitmap(m_hbmOriginal, hbmpOriginal);
    if (original == nullptr) {
        DeleteObject(strip);
        return -1;
    }
    if (m_hbmStrip != nullptr)
        DeleteObject(m_hbmStrip);
    if (m_hbmOriginal != nullptr)
        DeleteObject(m_hbmOriginal);
    m_hbmStrip = strip;
    m_hbmOriginal = original;
    m_bModified = TRUE;
    UpdateCount();
    CreateFadedImages();
    return m_nCount - 1;
}

int CKtvPToolBarImages::AddIcon(HICON hIcon)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, m_sizeImage.cx, m_sizeImage.cy);
    ReleaseDC(nullptr, screen);
    if (bitmap == nullptr)
        return -1;
    {
        ktvtbi::SelectedBitmap target(nullptr, bitmap);
        const RECT cell{0, 0, m_sizeImage.cx, m_sizeImage.cy};
        FillRect(target.Dc(), &cell, static_cast<HBRUSH>(globalData.brBtnFace.GetSafeHandle()));
        if (hIcon != nullptr)
            DrawState(target.Dc(), nullptr, nullptr, LPARAM(hIcon), 0, 0, 0, m_sizeImage.cx, m_sizeImage.cy, DST_ICON);
    }
    const int index = AddImage(bitmap);
    DeleteObject(bitmap);
    return index;
}

BOOL CKtvPToolBarImages::UpdateImage(int iImage, HBITMAP hbmp)
{
    if (!m_bFromFile || m_bShared || m_hbmStrip == nullptr || hbmp == nullptr)
        return FALSE;
    if (iImage < 0 || iImage >= m_nCount)
        return FALSE;
    ktvtbi::SelectedBitmap source(nullptr, hbmp);
    if (!source.Ok())
        return FALSE;
    for (HBITMAP target : {m_hbmStrip, m_hbmOriginal}) {
        ktvtbi::SelectedBitmap dest(nullptr, target);
        if (dest.Ok())
            BitBlt(dest.Dc(), iImage * m_sizeImage.cx, 0, m_sizeImage.cx, m_sizeImage.cy, source.Dc(), 0, 0, SRCCOPY);
    }
    m_bModified = TRUE;
    CreateFadedImages();
    return TRUE;
}

BOOL CKtvPToolBarImages::CopyTo(CKtvPToolBarImages& dest)
{
    if (dest.m_bShared)
        return FALSE;
    if (dest.m_hbmStrip != nullptr)
        dest.Clear();
    dest.m_sizeImage = m_sizeImage;
    dest.m_sizeDest = m_sizeDest;
    dest.m_bFromFile = m_bFromFile;
    dest.m_strFilePath = m_strFilePath;
    dest.m_bModified = m_bModified;
    dest.m_nCount = m_nCount;
    dest.m_clrTransparent = m_clrTransparent;
    dest.m_bFileReadOnly = m_bFileReadOnly;
    dest.m_hbmStrip = CopyBitmap(m_hbmStrip);
    dest.m_hbmOriginal = CopyBitmap(m_hbmOriginal);
    POSITION pos = m_lstResIds.GetHeadPosition();
    while (pos != nullptr) {
        const UINT id = m_lstResIds.GetNext(pos);
        dest.m_lstResIds.AddTail(id);
        int first = 0;
        if (m_mapResFirstImage.Lookup(id, first))
            dest.m_mapResFirstImage[id] = first;
    }
    return TRUE;
}

BOOL CKtvPToolBarImages::CopyTemp(CKtvPToolBarImages& dest)
{
    dest.Clear();
    dest.m_bShared = TRUE;
    dest.m_sizeImage = m_sizeImage;
    dest.m_sizeDest = m_sizeDest;
    dest.m_hbmStrip = m_hbmStrip;
    dest.m_bFromFile = m_bFromFile;
    dest.m_nCount = m_nCount;
    dest.m_bFileReadOnly = TRUE;
    return TRUE;
}

// --- colours -------------------------------------------------------------------------------------

COLORREF CKtvPToolBarImages::MapToSysColor(COLORREF clr, BOOL bSwapChannels)
{
    for (const ktvtbi::StandardColor& row : ktvtbi::kStandardColors) {
        if (clr != row.standard)
            continue;
        const COLORREF sys = globalData.GetColor(row.sysColor);
        return bSwapChannels ? ktvtbi::SwapRedBlue(sys) : sys;
    }
    return clr;
}

COLORREF CKtvPToolBarImages::MapFromSysColor(COLORREF clr, BOOL bSwapChannels)
{
    for (const ktvtbi::StandardColor& row : ktvtbi::kStandardColors) {
        COLORREF sys = globalData.GetColor(row.sysColor);
        if (bSwapChannels)
            sys = ktvtbi::SwapRedBlue(sys);
        if (clr == sys)
            return bSwapChannels ? ktvtbi::SwapRedBlue(row.standard) : row.standard;
    }
    return clr;
}

BOOL CKtvPToolBarImages::MapColors(BOOL bSwapChannels, COLORREF clrFrom, COLORREF clrTo)
{
    if (m_hbmStrip == nullptr)
        return FALSE;
    if (clrFrom != ktvtbi::kNone && clrTo == ktvtbi::kNone)
        return FALSE;
    const BITMAP bm = ktvtbi::BitmapInfoOf(m_hbmStrip);
    HBITMAP mapped = CopyBitmap(m_hbmStrip);
    if (mapped == nullptr)
        return FALSE;
    // Pixels read back as COLORREFs; the swap flag describes colour-table order,
    // so a pixel is mapped in that order and turned back before it is stored.
    auto toTableOrder = [bSwapChannels](COLORREF clr) { return bSwapChannels ? ktvtbi::SwapRedBlue(clr) : clr; };
    {
        ktvtbi::SelectedBitmap pixels(nullptr, mapped);
        if (!pixels.Ok()) {
            DeleteObject(mapped);
            return FALSE;
        }
        for (int x = 0; x < bm.bmWidth; x++) {
            for (int y = 0; y < bm.bmHeight; y++) {
                const COLORREF pixel = GetPixel(pixels.Dc(), x, y);
                COLORREF result;
                if (clrFrom == ktvtbi::kNone)
                    result = toTableOrder(MapToSysColor(toTableOrder(pixel), bSwapChannels));
                else
                    result = toTableOrder(pixel) == clrFrom ? toTableOrder(clrTo) : pixel;
                if (result != pixel)
                    SetPixel(pixels.Dc(), x, y, result);
            }
        }
    }
    DeleteObject(m_hbmStrip);
    m_hbmStrip = mapped;
    return TRUE;
}

BOOL CKtvPToolBarImages::CreateFadedImages()
{
    if (m_hbmFaded != nullptr) {
        DeleteObject(m_hbmFaded);
        m_hbmFaded = nullptr;
    }
    if (m_hbmStrip == nullptr || globalData.m_nBitsPerPixel <= 8 || globalData.bIsWin9x)
        return TRUE;
    const BITMAP bm = ktvtbi::BitmapInfoOf(m_hbmStrip);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = DWORD(bm.bmWidth * bm.bmHeight);
    void* bits = nullptr;
    HBITMAP faded = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (faded == nullptr)
        return FALSE;
    {
        ktvtbi::SelectedBitmap source(nullptr, m_hbmStrip);
        ktvtbi::SelectedBitmap target(nullptr, faded);
        if (!source.Ok() || !target.Ok() ||
            !BitBlt(target.Dc(), 0, 0, bm.bmWidth, bm.bmHeight, source.Dc(), 0, 0, SRCCOPY)) {
            DeleteObject(faded);
            return FALSE;
        }
        CDC dc;
        dc.Attach(target.Dc());
        CKtvPDrawManager dm(dc);
        const COLORREF keep = GetEffectiveTransparentColor();
        dm.HighlightRect(CRect(0, 0, bm.bmWidth, bm.bmHeight), 130, keep == ktvtbi::kNone ? globalData.clrBtnFace : keep);
        dc.Detach();
    }
    m_hbmFaded = faded;
    return TRUE;
}

void CKtvPToolBarImages::RetintFromOriginal()
{
    const BITMAP bm = ktvtbi::BitmapInfoOf(m_hbmOriginal);
    if (bm.bmWidth <= 0)
        return;
    HBITMAP fresh = nullptr;
    if (m_nBitsPerPixel > 8) {
        fresh = CopyBitmap(m_hbmOriginal);
        if (fresh != nullptr && m_nBitsPerPixel >= 32)
            ktvtbi::PremultiplyAlpha(fresh, ktvtbi::BitmapInfoOf(fresh));
    } else {
        // Shallow images had their colour table mapped at load: the same
        // mapping, pixel by pixel, on a screen-depth copy.
        ktvtbi::SelectedBitmap source(nullptr, m_hbmOriginal);
        HDC screen = GetDC(nullptr);
        fresh = CreateCompatibleBitmap(screen, bm.bmWidth, bm.bmHeight);
        ReleaseDC(nullptr, screen);
        ktvtbi::SelectedBitmap target(nullptr, fresh);
        if (!source.Ok() || !target.Ok()) {
            if (fresh != nullptr)
                DeleteObject(fresh);
            return;
        }
        BitBlt(target.Dc(), 0, 0, bm.bmWidth, bm.bmHeight, source.Dc(), 0, 0, SRCCOPY);
        for (int x = 0; x < bm.bmWidth; x++)
            for (int y = 0; y < bm.bmHeight; y++) {
                const COLORREF pixel = GetPixel(target.Dc(), x, y);
                const COLORREF mapped = ktvtbi::Map3DColor(pixel);
                if (mapped != pixel)
                    SetPixel(target.Dc(), x, y, mapped);
            }
    }
    if (fresh == nullptr)
        return;
    if (m_hbmStrip != nullptr)
        DeleteObject(m_hbmStrip);
    m_hbmStrip = fresh;
}

void CKtvPToolBarImages::OnSysColorChange()
{
    if (m_bShared)
        return;
    if (m_hbmStrip != nullptr) {
        // From the pixels as loaded or added: neither the file nor the
        // resources are read again, so this run's edits stay.
        RetintFromOriginal();
        UpdateCount();
        if (m_nBitsPerPixel > 8 && m_nBitsPerPixel < 32)
            MapColors(FALSE);
        CreateFadedImages();
    }
    m_clrShadow = globalData.clrBtnShadow;
}

// --- drawing -------------------------------------------------------------------------------------

BOOL CKtvPToolBarImages::PrepareDrawImage(CKtvPDrawState& ds, CSize sizeDest, BOOL bFadeInactive)
{
    SetUpShared();
    if (m_hbmStrip == nullptr)
        return FALSE;
    m_bStretch = FALSE;
    m_bFadeActive = bFadeInactive && m_hbmFaded != nullptr && m_nBitsPerPixel >= 1 && m_nBitsPerPixel <= 4;

    ds.hbmGlyphsOld = SelectObject(m_hDCGlyphs, m_bFadeActive ? m_hbmFaded : m_hbmStrip);
    ds.hbmMono = CreateBitmap(m_sizeImage.cx + 2, m_sizeImage.cy + 2, 1, 1, nullptr);
    ds.hbmMonoOld = ds.hbmMono != nullptr ? SelectObject(m_hDCMono, ds.hbmMono) : nullptr;
    if (ds.hbmGlyphsOld == nullptr || ds.hbmMono == nullptr || ds.hbmMonoOld == nullptr) {
        if (ds.hbmGlyphsOld != nullptr)
            SelectObject(m_hDCGlyphs, ds.hbmGlyphsOld);
        if (ds.hbmMono != nullptr)
            DeleteObject(ds.hbmMono);
        ds = CKtvPDrawState{};
        m_bFadeActive = FALSE;
        return FALSE;
    }

    m_sizeDest = (sizeDest.cx > 0 && sizeDest.cy > 0) ? sizeDest : m_sizeImage;
    if (m_sizeDest == m_sizeImage && GetEffectiveTransparentColor() == ktvtbi::kNone)
        return TRUE;

    m_bStretch = m_sizeDest != m_sizeImage;
    m_dcMem.CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    m_bmpMem.Attach(CreateCompatibleBitmap(screen, m_sizeImage.cx + 2, m_sizeImage.cy + 2));
    ReleaseDC(nullptr, screen);
    m_pOldMemBitmap = m_dcMem.SelectObject(&m_bmpMem);
    return TRUE;
}

void CKtvPToolBarImages::EndDrawImage(CKtvPDrawState& ds)
{
    if (ds.hbmMonoOld != nullptr)
        SelectObject(m_hDCMono, ds.hbmMonoOld);
    if (ds.hbmMono != nullptr)
        DeleteObject(ds.hbmMono);
    if (ds.hbmGlyphsOld != nullptr)
        SelectObject(m_hDCGlyphs, ds.hbmGlyphsOld);
    ds = CKtvPDrawState{};
    m_sizeDest = CSize(0, 0);
    if (m_dcMem.GetSafeHdc() != nullptr) {
        m_dcMem.SelectObject(m_pOldMemBitmap);
        m_bmpMem.DeleteObject();
        m_dcMem.DeleteDC();
        m_pOldMemBitmap = nullptr;
    }
    m_bStretch = FALSE;
    m_bFadeActive = FALSE;
}

void CKtvPToolBarImages::CreateMask(int iImage, BOOL bHighlightToo, BOOL bOffsetAnd)
{
    SetUpShared();
    const int cx = m_sizeImage.cx, cy = m_sizeImage.cy;
    PatBlt(m_hDCMono, 0, 0, cx + 2, cy + 2, WHITENESS);
    const COLORREF transparent = GetEffectiveTransparentColor();
    SetBkColor(m_hDCGlyphs, transparent == ktvtbi::kNone ? globalData.clrBtnFace : transparent);
    BitBlt(m_hDCMono, 0, 0, cx, cy, m_hDCGlyphs, iImage * cx, 0, SRCCOPY);
    if (bHighlightToo) {
        SetBkColor(m_hDCGlyphs, globalData.clrBtnHilite);
        BitBlt(m_hDCMono, 0, 0, cx, cy, m_hDCGlyphs, iImage * cx, 0, SRCPAINT);
    }
    if (bOffsetAnd)
        BitBlt(m_hDCMono, 1, 1, cx + 1, cy + 1, m_hDCMono, 0, 0, SRCAND);
}

BOOL CKtvPToolBarImages::Draw(CDC* pDC, int x, int y, int iImage, BOOL bDisabled, BOOL bShadow, BOOL bInactive)
{
    if (pDC == nullptr || iImage < 0 || iImage >= m_nCount)
        return FALSE;
    if (bShadow && globalData.m_nBitsPerPixel <= 8)
        return TRUE;
    SetUpShared();

    HGDIOBJ glyphsBefore = nullptr;
    if (m_bFadeActive && !bInactive)
        glyphsBefore = SelectObject(m_hDCGlyphs, m_hbmStrip);

    const int cx = m_sizeImage.cx, cy = m_sizeImage.cy;
    const COLORREF transparent = GetEffectiveTransparentColor();
    const bool throughMemory = m_bStretch || transparent != ktvtbi::kNone;
    HDC target = pDC->GetSafeHdc();
    int drawX = x, drawY = y;
    if (throughMemory && m_dcMem.GetSafeHdc() != nullptr) {
        target = m_dcMem.GetSafeHdc();
        drawX = drawY = 0;
        const RECT cell{0, 0, cx, cy};
        if (transparent != ktvtbi::kNone && transparent != globalData.clrBtnFace) {
            HBRUSH brush = CreateSolidBrush(transparent);
            FillRect(target, &cell, brush);
            DeleteObject(brush);
        } else {
            FillRect(target, &cell, static_cast<HBRUSH>(globalData.brBtnFace.GetSafeHandle()));
        }
    }

    bool grey = false;
    if (bDisabled && m_nBitsPerPixel >= 24) {
        bDisabled = FALSE;
        grey = true;
    }
    if (m_nBitsPerPixel == 32 && m_pfnAlphaBlend != nullptr)
        bShadow = FALSE;

    if (!bDisabled && !bShadow) {
        bool blended = false;
        if (m_nBitsPerPixel == 32 && m_pfnAlphaBlend != nullptr) {
            BLENDFUNCTION blend{AC_SRC_OVER, 0, BYTE(grey ? 127 : 255), AC_SRC_ALPHA};
            blended = m_pfnAlphaBlend(target, drawX, drawY, cx, cy, m_hDCGlyphs, iImage * cx, 0, cx, cy, blend);
        }
        if (!blended) {
            BitBlt(target, drawX, drawY, cx, cy, m_hDCGlyphs, iImage * cx, 0, SRCCOPY);
            if (grey) {
                CDC dc;
                dc.Attach(target);
                CKtvPDrawManager dm(dc);
                // Only the image's own cell: a caller's pixels beside it stay.
                dm.GrayRect(CRect(drawX, drawY, drawX + cx, drawY + cy), -1, transparent);
                dc.Detach();
            }
        }
    } else {
        CreateMask(iImage, TRUE, FALSE);
        // The mask's ink must read as all-zero bits so the brush shows unmixed;
        // a grey text colour would AND the shadow into whatever lies beneath.
        SetTextColor(target, RGB(0, 0, 0));
        SetBkColor(target, RGB(255, 255, 255));
        const bool emboss = m_pfnEmbossDisabled == nullptr || m_pfnEmbossDisabled();
        if (bDisabled && emboss && globalData.hbrBtnHilite != nullptr) {
            HGDIOBJ old = SelectObject(target, globalData.hbrBtnHilite);
            BitBlt(target, drawX + 1, drawY + 1, cx + 2, cy + 2, m_hDCMono, 0, 0, ktvtbi::kRopBrushWhereMaskIsClear);
            SelectObject(target, old);
        }
        if (globalData.hbrBtnShadow != nullptr) {
            HGDIOBJ old = SelectObject(target, globalData.hbrBtnShadow);
            BitBlt(target, drawX, drawY, cx + 2, cy + 2, m_hDCMono, 0, 0, ktvtbi::kRopBrushWhereMaskIsClear);
            SelectObject(target, old);
        }
    }

    if (throughMemory && m_dcMem.GetSafeHdc() != nullptr) {
        const COLORREF key = transparent == ktvtbi::kNone ? globalData.clrBtnFace : transparent;
        if (m_bStretch)
            TransparentBlt(pDC->GetSafeHdc(), x, y, cx, cy, &m_dcMem, 0, 0, key, m_sizeDest.cx, m_sizeDest.cy);
        else
            TransparentBlt(pDC->GetSafeHdc(), x, y, cx, cy, &m_dcMem, 0, 0, key, -1, -1);
    }
    if (glyphsBefore != nullptr)
        SelectObject(m_hDCGlyphs, glyphsBefore);
    return TRUE;
}

void CKtvPToolBarImages::TransparentBlt(HDC hdcDest, int x, int y, int cx, int cy, CDC* pSrc, int xSrc, int ySrc,
                                        COLORREF clrTransparent, int cxDest, int cyDest)
{
    if (pSrc == nullptr)
        return;
    const bool stretch = cxDest > 0 && cyDest > 0 && (cxDest != cx || cyDest != cy);
    const int outCx = (cxDest > 0 && cyDest > 0) ? cxDest : cx;
    const int outCy = (cxDest > 0 && cyDest > 0) ? cyDest : cy;

    HBITMAP image = CreateCompatibleBitmap(hdcDest, outCx, outCy);
    HBITMAP mask = CreateBitmap(outCx, outCy, 1, 1, nullptr);
    if (image == nullptr || mask == nullptr) {
        if (image != nullptr)
            DeleteObject(image);
        if (mask != nullptr)
            DeleteObject(mask);
        return;
    }
    {
        ktvtbi::SelectedBitmap imageDc(hdcDest, image);
        ktvtbi::SelectedBitmap maskDc(hdcDest, mask);
        if (stretch)
            StretchBlt(imageDc.Dc(), 0, 0, outCx, outCy, pSrc->GetSafeHdc(), xSrc, ySrc, cx, cy, SRCCOPY);
        else
            BitBlt(imageDc.Dc(), 0, 0, outCx, outCy, pSrc->GetSafeHdc(), xSrc, ySrc, SRCCOPY);
        SetBkColor(imageDc.Dc(), clrTransparent);
        BitBlt(maskDc.Dc(), 0, 0, outCx, outCy, imageDc.Dc(), 0, 0, SRCCOPY);
        SetBkColor(imageDc.Dc(), RGB(0, 0, 0));
        SetTextColor(imageDc.Dc(), RGB(255, 255, 255));
        BitBlt(imageDc.Dc(), 0, 0, outCx, outCy, maskDc.Dc(), 0, 0, SRCAND);
        const COLORREF oldBk = SetBkColor(hdcDest, RGB(255, 255, 255));
        const COLORREF oldText = SetTextColor(hdcDest, RGB(0, 0, 0));
        BitBlt(hdcDest, x, y, outCx, outCy, maskDc.Dc(), 0, 0, SRCAND);
        BitBlt(hdcDest, x, y, outCx, outCy, imageDc.Dc(), 0, 0, SRCPAINT);
        SetBkColor(hdcDest, oldBk);
        SetTextColor(hdcDest, oldText);
    }
    DeleteObject(image);
    DeleteObject(mask);
}

// --- saving --------------------------------------------------------------------------------------

BOOL CKtvPToolBarImages::Save(LPCTSTR lpszPath)
{
    if (!m_bFromFile || m_hbmStrip == nullptr || m_bFileReadOnly)
        return FALSE;
    const CString target = lpszPath != nullptr ? CString(lpszPath) : m_strFilePath;
    if (!m_bModified && target == m_strFilePath)
        return TRUE;
    // Images without an alpha channel are written without one: a 32-bit file
    // would read back as alpha images, all transparent.
    HANDLE dib = CopyBitmapToDIB(m_hbmOriginal != nullptr ? m_hbmOriginal : m_hbmStrip, BI_RGB,
                                 m_nBitsPerPixel >= 32 ? 32 : 24);
    if (dib == nullptr)
        return FALSE;
    const BOOL written = WriteBitmapFile(target, dib);
    GlobalFree(dib);
    if (!written)
        return FALSE;
    m_bModified = FALSE;
    return TRUE;
}

HANDLE CKtvPToolBarImages::CopyBitmapToDIB(HBITMAP hbmp, DWORD dwCompression)
{
    return CopyBitmapToDIB(hbmp, dwCompression, 32);
}

HANDLE CKtvPToolBarImages::CopyBitmapToDIB(HBITMAP hbmp, DWORD dwCompression, int nMaxBitCount)
{
    if (dwCompression == BI_BITFIELDS || hbmp == nullptr)
        return nullptr;
    BITMAP bm{};
    if (GetObject(hbmp, sizeof(bm), &bm) == 0)
        return nullptr;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = bm.bmWidth;
    header.biHeight = bm.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = WORD(std::min(bm.bmPlanes * bm.bmBitsPixel, nMaxBitCount));
    header.biCompression = dwCompression;
    const DWORD tableEntries = header.biBitCount <= 8 ? (1u << header.biBitCount) : 0;
    const size_t tableBytes = tableEntries * sizeof(RGBQUAD);

    HGLOBAL block = GlobalAlloc(GMEM_FIXED, header.biSize + tableBytes);
    if (block == nullptr)
        return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    auto* info = static_cast<BITMAPINFO*>(GlobalLock(block));
    info->bmiHeader = header;
    GetDIBits(dc, hbmp, 0, UINT(bm.bmHeight), nullptr, info, DIB_RGB_COLORS);
    header = info->bmiHeader;
    if (header.biSizeImage == 0) {
        header.biSizeImage = DWORD((bm.bmWidth * header.biBitCount + 31) / 32 * 4 * bm.bmHeight);
        if (dwCompression != BI_RGB)
            header.biSizeImage = header.biSizeImage * 3 / 2;
    }
    GlobalUnlock(block);
    HGLOBAL grown = GlobalReAlloc(block, header.biSize + tableBytes + header.biSizeImage, GMEM_MOVEABLE);
    if (grown == nullptr) {
        GlobalFree(block);
        DeleteDC(dc);
        return nullptr;
    }
    block = grown;
    info = static_cast<BITMAPINFO*>(GlobalLock(block));
    info->bmiHeader = header;
    BYTE* bits = reinterpret_cast<BYTE*>(info) + header.biSize + tableBytes;
    const int lines = GetDIBits(dc, hbmp, 0, UINT(bm.bmHeight), bits, info, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (lines == 0) {
        GlobalUnlock(block);
        GlobalFree(block);
        return nullptr;
    }
    // Stored files hold the standard greys whatever the current system colours.
    auto* table = reinterpret_cast<RGBQUAD*>(reinterpret_cast<BYTE*>(info) + header.biSize);
    for (DWORD i = 0; i < tableEntries; i++) {
        COLORREF entry = RGB(table[i].rgbBlue, table[i].rgbGreen, table[i].rgbRed);  // RGBQUAD order
        entry = MapFromSysColor(entry, TRUE);
        table[i].rgbBlue = GetRValue(entry);
        table[i].rgbGreen = GetGValue(entry);
        table[i].rgbRed = GetBValue(entry);
    }
    GlobalUnlock(block);
    return block;
}

BOOL CKtvPToolBarImages::WriteBitmapFile(LPCTSTR lpszPath, HANDLE hDib)
{
    if (lpszPath == nullptr || hDib == nullptr)
        return FALSE;
    const SIZE_T size = GlobalSize(hDib);
    auto* dib = static_cast<const BYTE*>(GlobalLock(hDib));
    if (dib == nullptr)
        return FALSE;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
    const DWORD tableEntries = header->biBitCount <= 8 ? (1u << header->biBitCount) : 0;
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfSize = DWORD(size + sizeof(BITMAPFILEHEADER));
    fileHeader.bfOffBits = DWORD(sizeof(BITMAPFILEHEADER) + header->biSize + tableEntries * sizeof(RGBQUAD));

    CFile file;
    BOOL ok = file.Open(lpszPath, CFile::modeCreate | CFile::modeWrite);
    if (ok) {
        file.Write(&fileHeader, sizeof(fileHeader));
        file.Write(dib, UINT(size));
        file.Close();
    }
    GlobalUnlock(hDib);
    return ok;
}

BOOL CKtvPToolBarImages::CopyImageToClipboard(int iImage)
{
    try {
        return CopyImageToClipboardUnguarded(iImage);
    } catch (CException* e) {
        e->Delete();
        AfxMessageBox(IDS_KTVP_INTERNAL_ERROR);
        return FALSE;
    }
}

BOOL CKtvPToolBarImages::CopyImageToClipboardUnguarded(int iImage)
{
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = mem != nullptr ? CreateCompatibleBitmap(screen, m_sizeImage.cx, m_sizeImage.cy) : nullptr;
    ReleaseDC(nullptr, screen);
    if (bitmap == nullptr) {
        if (mem != nullptr)
            DeleteDC(mem);
        AfxMessageBox(IDS_KTVP_CANNOT_COPY_IMAGE);
        return FALSE;
    }
    HGDIOBJ old = SelectObject(mem, bitmap);
    const RECT cell{0, 0, m_sizeImage.cx, m_sizeImage.cy};
    FillRect(mem, &cell, static_cast<HBRUSH>(globalData.brBtnFace.GetSafeHandle()));
    CKtvPDrawState ds;
    if (PrepareDrawImage(ds)) {
        CDC dc;
        dc.Attach(mem);
        Draw(&dc, 0, 0, iImage);
        dc.Detach();
        EndDrawImage(ds);
    }
    SelectObject(mem, old);
    DeleteDC(mem);

    CWnd* main = AfxGetMainWnd();
    if (!OpenClipboard(main != nullptr ? main->GetSafeHwnd() : nullptr)) {
        DeleteObject(bitmap);
        AfxMessageBox(IDS_KTVP_CANNOT_COPY_IMAGE);
        return FALSE;
    }
    if (!EmptyClipboard() || SetClipboardData(CF_BITMAP, bitmap) == nullptr) {
        CloseClipboard();
        DeleteObject(bitmap);  // the clipboard did not take it
        AfxMessageBox(IDS_KTVP_CANNOT_COPY_IMAGE);
        return FALSE;
    }
    CloseClipboard();
    return TRUE;
}
