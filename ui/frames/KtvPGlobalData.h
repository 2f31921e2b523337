// The library-wide drawing data: system colours (a fixed system copy and a
// "bar" copy a look may re-tint), the brushes, pens and fonts made from them,
// lazily loaded cursors, and the layout constants the docking code reads.
// `globalData` is the one instance; it holds nothing until KtvInitGlobalData
// runs at start-up, after the platform is ready.
#pragma once

#include <vector>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CRect.h"
#include "platform/win32/gdi/SystemColors.h"

class CWnd;

class CKtvPGlobalData {
public:
    CKtvPGlobalData() = default;
    ~CKtvPGlobalData();
    CKtvPGlobalData(const CKtvPGlobalData&) = delete;
    CKtvPGlobalData& operator=(const CKtvPGlobalData&) = delete;

    HBRUSH hbrBtnHilite = nullptr;
    HBRUSH hbrBtnShadow = nullptr;
    HBRUSH hbrWindow = nullptr;

    COLORREF clrBtnFace = 0;
    COLORREF clrBtnShadow = 0;
    COLORREF clrBtnHilite = 0;
    COLORREF clrBtnText = 0;
    COLORREF clrWindowFrame = 0;
    COLORREF clrBtnDkShadow = 0;
    COLORREF clrBtnLight = 0;
    COLORREF clrGrayedText = 0;
    COLORREF clrHilite = 0;
    COLORREF clrTextHilite = 0;
    COLORREF clrHotText = 0;

    COLORREF clrBarWindow = 0;
    COLORREF clrBarFace = 0;
    COLORREF clrBarShadow = 0;
    COLORREF clrBarHilite = 0;
    COLORREF clrBarDkShadow = 0;
    COLORREF clrBarLight = 0;
    COLORREF clrBarText = 0;

    COLORREF clrWindow = 0;
    COLORREF clrWindowText = 0;
    COLORREF clrCaptionText = 0;
    COLORREF clrMenuText = 0;
    COLORREF clrActiveCaption = 0;
    COLORREF clrInactiveCaption = 0;
    COLORREF clrInactiveCaptionText = 0;
    COLORREF clrActiveBorder = 0;
    COLORREF clrInactiveBorder = 0;

    CBrush brBtnFace;
    CBrush brHilite;
    CBrush brLight;
    CBrush brBtnDkShadow;
    CBrush brActiveCaption;
    CBrush brInactiveCaption;
    CBrush brWindow;
    CBrush brBarFace;

    CPen penHilite;
    CPen penBarFace;
    CPen penBarShadow;

    HCURSOR hcurSplitHorz = nullptr;
    HCURSOR hcurSplitVert = nullptr;
    HCURSOR hcurHand = nullptr;
    HCURSOR hcurSizeAll = nullptr;
    HICON hiconDefaultTool = nullptr;
    CSize m_sizeSmallIcon;

    CFont fontRegular;
    CFont fontTooltip;
    CFont fontBold;
    CFont fontGuiBold;
    CFont fontUnderline;
    CFont fontGuiUnderline;
    CFont fontVertDown;
    CFont fontVertUp;
    CFont fontMarlett;

    BOOL bIsOldNT = FALSE;
    BOOL bIsWin9x = FALSE;
    int m_nBitsPerPixel = 0;
    BOOL bIsRemoteSession = FALSE;

    int m_nDragFrameWidthFloating = 4;
    int m_nDragFrameWidthDocked = 3;
    int m_nAutoHideStripGap = 14;
    int m_nAutoHideStripMargin = 4;
    int m_nMaxDockedSizePercent = 50;
    int m_nTooltipMaxWidth = -1;
    int m_nTextHeight = 0;
    int m_nVertTextHeight = 0;
    HINSTANCE m_hUxTheme = nullptr;

    // Windows of the library paint through a memory DC while this is set;
    // nothing in the program clears it.
    BOOL DoubleBufferedPaint = TRUE;

    // The start-up work: colours, fonts, icon size, platform flags. Safe to
    // call again after CleanUp.
    void Initialize();
    BOOL IsInitialized() const { return m_bInitialized; }

    void UpdateSysColors();
    void UpdateFonts();
    void UpdateTextMetrics();
    HBITMAP CreateDitherBitmap(HDC hdc);
    void CleanUp();
    BOOL DrawParentBackground(CWnd* pWnd, CDC* pDC, LPRECT rectClip = nullptr);
    COLORREF GetColor(int nColorIndex);

    // The light fill for the current colour depth: a midpoint of face and
    // highlight above 8 bits per pixel, a checker of both at 8 or less.
    void RebuildLightBrush();

    // The lazily loaded handles, loaded by their first reader.
    HCURSOR GetSplitHorzCursor();
    HCURSOR GetSplitVertCursor();
    HCURSOR GetHandCursor();
    HCURSOR GetSizeAllCursor();
    HICON GetDefaultToolIcon();

private:
    void ReadSystemColors();
    void RebuildSolidObjects();
    void DeleteAllFonts();
    void ReadSmallIconSize();
    void ReadPlatformFlags();
    std::vector<CGdiObject*> AllOwnedObjects();

    BOOL m_bInitialized = FALSE;
};

extern CKtvPGlobalData globalData;

// Face names the fonts are built from.
extern const char* const strKtvTahomaFont;
extern const char* const strKtvMSSansSerifFont;
extern const char* const strKtvArialFont;
extern const char* const strKtvMarlettFont;

// Builds globalData; the application calls it once the platform is up.
void KtvInitGlobalData();

// Library shutdown: releases the global drawing objects and every library
// cache that has joined it (see KtvAddCleanUpStep).
void KtvCleanUp();

// A manager whose class owns process-wide caches registers how to free them;
// KtvCleanUp runs the steps in registration order after globalData's own.
using KtvCleanUpStep = void (*)();
void KtvAddCleanUpStep(KtvCleanUpStep step);

// Called by UpdateSysColors so that the menu glyphs are rebuilt in the new
// colours; the menu-image class installs it when it lands in a program.
void KtvSetSysColorsChangedHook(KtvCleanUpStep hook);

// Placed around the library's resource loads; it has no effect.
class CKtvPScopedResourceGuard {
public:
    CKtvPScopedResourceGuard() = default;
    CKtvPScopedResourceGuard(const CKtvPScopedResourceGuard&) = delete;
    CKtvPScopedResourceGuard& operator=(const CKtvPScopedResourceGuard&) = delete;
};

// The frame a window belongs to: the window itself when it is a frame; a
// floating pane's mini frame leads to the frame that owns it. NULL for NULL,
// a window without a handle, or a chain without a frame.
CWnd* KtvGetParentFrame(CWnd* pWnd);
