// One horizontal strip of equally sized button images, drawn in the states a
// command bar needs (normal, faded, disabled, shadow, stretched, transparent).
// Strips come from bitmap resources (several may be appended) or from a file
// (the user images, which can be edited and saved back).
#pragma once

#include "platform/mfc/CDC.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CMap.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"
#include "platform/win32/gdi/wingdi.h"

// What a caller keeps between PrepareDrawImage and EndDrawImage.
struct CKtvPDrawState {
    HBITMAP hbmMono = nullptr;
    HGDIOBJ hbmMonoOld = nullptr;
    HGDIOBJ hbmGlyphsOld = nullptr;
};

class CKtvPToolBarImages : public CObject {
public:
    CKtvPToolBarImages();
    ~CKtvPToolBarImages() override;
    CKtvPToolBarImages(const CKtvPToolBarImages&) = delete;
    CKtvPToolBarImages& operator=(const CKtvPToolBarImages&) = delete;

    void Clear();

    BOOL Load(UINT uiResID, HINSTANCE hinst = nullptr, BOOL bAppend = FALSE);
    BOOL LoadFromFile(LPCTSTR lpszPath);
    int AddImage(HBITMAP hbmp);
    int AddIcon(HICON hIcon);
    BOOL UpdateImage(int iImage, HBITMAP hbmp);
    BOOL CopyTo(CKtvPToolBarImages& dest);
    BOOL CopyTemp(CKtvPToolBarImages& dest);

    BOOL Save(LPCTSTR lpszPath = nullptr);
    BOOL CopyImageToClipboard(int iImage);

    BOOL MapColors(BOOL bSwapChannels, COLORREF clrFrom = (COLORREF)-1, COLORREF clrTo = (COLORREF)-1);
    BOOL CreateFadedImages();
    void OnSysColorChange();
    static COLORREF MapToSysColor(COLORREF clr, BOOL bSwapChannels);
    static COLORREF MapFromSysColor(COLORREF clr, BOOL bSwapChannels);

    BOOL PrepareDrawImage(CKtvPDrawState& ds, CSize sizeDest = CSize(0, 0), BOOL bFadeInactive = FALSE);
    BOOL Draw(CDC* pDC, int x, int y, int iImage, BOOL bDisabled = FALSE, BOOL bShadow = FALSE,
              BOOL bInactive = FALSE);
    void EndDrawImage(CKtvPDrawState& ds);

    static void TransparentBlt(HDC hdcDest, int x, int y, int cx, int cy, CDC* pSrc, int xSrc, int ySrc,
                               COLORREF clrTransparent, int cxDest = -1, int cyDest = -1);
    // A packed DIB (header, colour table, bits) in GMEM_FIXED memory, or NULL.
    static HANDLE CopyBitmapToDIB(HBITMAP hbmp, DWORD dwCompression);
    // At no more than nMaxBitCount bits per pixel.
    static HANDLE CopyBitmapToDIB(HBITMAP hbmp, DWORD dwCompression, int nMaxBitCount);
    static BOOL WriteBitmapFile(LPCTSTR lpszPath, HANDLE hDib);

    void SetImageSize(CSize size) { m_sizeImage = size; }
    CSize GetImageSize(BOOL bDest = FALSE) const { return bDest ? m_sizeDest : m_sizeImage; }
    int GetCount() const { return m_nCount; }
    HBITMAP GetImageWell() const { return m_hbmStrip; }
    HBITMAP GetFadedImageWell() const { return m_hbmFaded; }
    BOOL IsModified() const { return m_bModified; }
    BOOL IsReadOnly() const { return m_bFileReadOnly; }
    BOOL IsShared() const { return m_bShared; }
    BOOL IsFromFile() const { return m_bFromFile; }
    const CString& GetFilePath() const { return m_strFilePath; }
    int GetBitsPerPixel() const { return m_nBitsPerPixel; }
    void SetTransparentColor(COLORREF clr) { m_clrTransparent = clr; }
    COLORREF GetTransparentColor() const { return m_clrTransparent; }
    // The button-face colour the strip was last prepared under; a painter that
    // sees another one stores it and rebuilds the faded copy. -1: none yet.
    COLORREF GetLastFaceColor() const { return m_clrLastFace; }
    void SetLastFaceColor(COLORREF clr) { m_clrLastFace = clr; }
    // The index of the first image a resource appended, or -1.
    int GetResourceOffset(UINT uiResID) const;
    // -1 (none) for 32-bit images drawn with per-pixel alpha.
    COLORREF GetEffectiveTransparentColor() const;

    // The look decides whether disabled images are embossed; the base look does.
    static BOOL (*m_pfnEmbossDisabled)();
    static BOOL IsAlphaBlendAvailable()
    {
        SetUpShared();
        return m_pfnAlphaBlend != nullptr;
    }
    // Frees the shared DCs and msimg32.dll; the next use makes them again.
    static void CleanUpShared();
    // The shared DCs and the blend entry, made at the first use after start-up
    // (or after a clean-up); the resource exception when a DC cannot be made.
    static void SetUpShared();

protected:
    void CreateMask(int iImage, BOOL bHighlightToo, BOOL bOffsetAnd);
    BOOL CopyImageToClipboardUnguarded(int iImage);
    void UpdateCount();
    void DeleteStrips();
    // The strip again from the unmapped pixels, in the current system colours.
    void RetintFromOriginal();
    static HBITMAP CopyBitmap(HBITMAP hbmp);
    static HBITMAP AppendBitmap(HBITMAP hbmStrip, HBITMAP hbmNew);
    // Appends to the strip and, from its own pixels, to the unmapped copy.
    int AppendImages(HBITMAP hbmp, HBITMAP hbmpOriginal);

    CSize m_sizeImage{16, 15};
    CSize m_sizeDest{0, 0};
    HBITMAP m_hbmStrip = nullptr;
    HBITMAP m_hbmFaded = nullptr;
    // The strip's pixels before they were mapped to the system colours: the
    // source of every re-tint and of the saved file.
    HBITMAP m_hbmOriginal = nullptr;
    BOOL m_bFromFile = FALSE;
    CString m_strFilePath;
    BOOL m_bModified = FALSE;
    int m_nCount = 0;
    CList<UINT, UINT> m_lstResIds{10};
    CList<HINSTANCE, HINSTANCE> m_lstResInstances{10};
    CMap<UINT, UINT, int, int> m_mapResFirstImage{10};
    BOOL m_bStretch = FALSE;
    CDC m_dcMem;
    CBitmap m_bmpMem;
    CBitmap* m_pOldMemBitmap = nullptr;
    COLORREF m_clrTransparent = (COLORREF)-1;
    BOOL m_bFileReadOnly = FALSE;
    BOOL m_bShared = FALSE;
    COLORREF m_clrShadow = 0;
    BOOL m_bFadeActive = FALSE;
    int m_nBitsPerPixel = 0;
    COLORREF m_clrLastFace = (COLORREF)-1;

    using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    static HDC m_hDCGlyphs;
    static HDC m_hDCMono;
    static HINSTANCE m_hinstMsimg32;
    static AlphaBlendFn m_pfnAlphaBlend;
    static BOOL m_bSharedSetUpDone;
};
