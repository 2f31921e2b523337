// Access to the system's visual styles without linking to them: the style
// library is loaded at run time, and every operation reports that it drew
// nothing when the library or a theme is missing, so callers fall back to the
// classic drawing. On this platform the library is absent and every handle
// stays NULL.
#pragma once

#include "platform/mfc/CRect.h"

class CDC;
class CKtvPButton;
class CKtvPStatusBar;

// The visual-style library's handle of an open theme.
typedef HANDLE HTHEME;

class CKtvPWinXPThemeManager {
public:
    using OPENTHEMEDATA = HTHEME (*)(HWND hwnd, LPCWSTR pszClassList);
    using CLOSETHEMEDATA = HRESULT (*)(HTHEME hTheme);
    using DRAWTHEMEBACKGROUND = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                            const RECT* pClipRect);
    using GETTHEMECOLOR = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor);
    using GETTHEMESYSCOLOR = COLORREF (*)(HTHEME hTheme, int iColorId);
    using GETCURRENTTHEMENAME = HRESULT (*)(LPWSTR pszThemeFileName, int dwMaxNameChars, LPWSTR pszColorBuff,
                                            int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars);
    using GETWINDOWTHEME = HTHEME (*)(HWND hwnd);

    CKtvPWinXPThemeManager();
    virtual ~CKtvPWinXPThemeManager();
    CKtvPWinXPThemeManager(const CKtvPWinXPThemeManager&) = delete;
    CKtvPWinXPThemeManager& operator=(const CKtvPWinXPThemeManager&) = delete;

    virtual BOOL DrawPushButton(CDC* pDC, CRect rect, CKtvPButton* pButton, UINT uiState);
    virtual BOOL DrawStatusBarProgress(CDC* pDC, CKtvPStatusBar* pStatusBar, CRect rectProgress, int nProgressTotal,
                                       int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                       COLORREF clrProgressText, BOOL bProgressText);
    virtual BOOL DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted);
    virtual BOOL DrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted);

    // Reopens the themes for the main window (nothing without the library).
    void UpdateSystemColors();
    void CleanUp();

    HTHEME m_hThemeToolBar = nullptr;
    HTHEME m_hThemeRebar = nullptr;
    HTHEME m_hThemeButton = nullptr;
    HTHEME m_hThemeStatusBar = nullptr;
    HTHEME m_hThemeWindow = nullptr;
    HTHEME m_hThemeComboBox = nullptr;
    HTHEME m_hThemeProgress = nullptr;
    HTHEME m_hThemeHeader = nullptr;
    HTHEME m_hThemeScrollBar = nullptr;
    HTHEME m_hThemeExplorerBar = nullptr;
    HTHEME m_hThemeTree = nullptr;
    HTHEME m_hThemeStartPanel = nullptr;
    HTHEME m_hThemeTaskBand = nullptr;
    HTHEME m_hThemeTaskBar = nullptr;
    HTHEME m_hThemeSpin = nullptr;
    HINSTANCE m_hThemeDLL = nullptr;
    OPENTHEMEDATA m_pfOpenThemeData = nullptr;
    CLOSETHEMEDATA m_pfCloseThemeData = nullptr;
    DRAWTHEMEBACKGROUND m_pfDrawThemeBackground = nullptr;
    GETTHEMECOLOR m_pfGetThemeColor = nullptr;
    GETTHEMESYSCOLOR m_pfGetThemeSysColor = nullptr;
    GETCURRENTTHEMENAME m_pfGetCurrentThemeName = nullptr;
    GETWINDOWTHEME m_pfGetWindowTheme = nullptr;

private:
    // Every theme handle with the class name it is opened by, in opening order.
    struct ThemeSlot {
        HTHEME CKtvPWinXPThemeManager::*handle;
        const WCHAR* className;
    };
    static const ThemeSlot s_slots[15];
};
