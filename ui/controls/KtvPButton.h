// The library's owner-drawn push, check and radio button: images for the
// normal, hot, disabled and checked states (or one of the menu glyphs), text
// with its own colours and font, four border styles, a full-text tooltip, a
// hover cursor, auto-repeat while held and radio groups moved by arrow keys.
// Base of the menu, link and colour buttons and of the tab and outlook scroll
// buttons.
#pragma once

#include "platform/mfc/CButton.h"
#include "platform/mfc/CImageList.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "platform/mfc/afxmsg.h"

class CDC;
class CFont;

class CKtvPButton : public CButton {
    DECLARE_DYNCREATE(CKtvPButton)
public:
    // Border styles (m_FlatStyle).
    enum FlatStyle { BUTTONSTYLE_3D = 0, BUTTONSTYLE_FLAT = 1, BUTTONSTYLE_SEMIFLAT = 2, BUTTONSTYLE_NOBORDERS = 3 };
    // Text alignment (m_TextAlign).
    enum AlignStyle { ALIGN_LEFT = 0, ALIGN_RIGHT = 1, ALIGN_CENTER = 2 };

    CKtvPButton();
    ~CKtvPButton() override;

    virtual void CleanUp();
    virtual CSize SizeToContent(BOOL bCalcOnly = FALSE);

protected:
    virtual void OnFillBackground(CDC* pDC, const CRect& rectClient);
    // Draws the border and shrinks rect to the content area (shifted while pressed).
    virtual void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState);
    virtual void OnDrawFocusRect(CDC* pDC, const CRect& rectClient);
    virtual void OnDraw(CDC* pDC, const CRect& rect, UINT uiState);
    virtual void OnDrawText(CDC* pDC, const CRect& rect, const CString& strText, UINT uiDTFlags, UINT uiState);
    virtual BOOL CreateDisabledImage(HBITMAP hBitmapOrig, BOOL bChecked);
    virtual CFont* SelectFont(CDC* pDC);
    virtual int GetImageHorzMargin() const { return 10; }
    virtual int GetVertMargin() const { return 5; }

public:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

public:
    void SetImage(HICON hIcon, BOOL bAutoDestroy = TRUE, HICON hIconHot = nullptr, HICON hIconDisabled = nullptr);
    void SetImage(HBITMAP hBitmap, BOOL bAutoDestroy = TRUE, HBITMAP hBitmapHot = nullptr, BOOL bMap3dColors = TRUE,
                  HBITMAP hBitmapDisabled = nullptr);
    void SetImage(UINT uiBmpResId, UINT uiBmpHotResId = 0, UINT uiBmpDsblResID = 0);
    void SetCheckedImage(UINT uiBmpResId, UINT uiBmpHotResId = 0, UINT uiBmpDsblResID = 0);
    void SetGlyph(int nGlyph, int nGlyphState = 0, int nGlyphDisabled = 0);

    void SetTooltip(LPCTSTR lpszToolTipText);
    void SetHoverCursor(HCURSOR hcur) { m_HoverCursor = hcur; }
    void SetHandCursor();
    void SetAutoRepeatDelay(int nDelay) { m_AutoRepeatDelay = nDelay; }

    BOOL IsPushed() const { return m_Pushed; }
    BOOL IsHighlighted() const { return m_Highlighted; }
    BOOL IsChecked() const { return m_Checked; }
    BOOL IsCheckBox() const { return m_IsCheckBox; }
    BOOL IsRadio() const { return m_IsRadio; }
    BOOL IsAutoCheck() const { return m_AutoCheck; }
    CSize GetImageSize() const { return m_ImageSize; }

    static void EnableThemedLook(BOOL bEnable = TRUE) { s_ThemedLook = bEnable; }
    static BOOL IsThemedLook() { return s_ThemedLook; }

    // The text of the button's own tooltip; empty without one.
    CString GetTooltipText() const;
    // WM_COMMAND (id, handle) from the button to its parent, when it has one.
    static void SendCommandToParent(CWnd* pButton);

    // Settings the owner sets directly.
    int m_FlatStyle;
    int m_TextAlign;
    BOOL m_ImageOnRight;
    BOOL m_ParentBackground;
    BOOL m_DrawFocus;
    BOOL m_HighlightChecked;
    BOOL m_GrayDisabled;
    BOOL m_ClickOnButtonDown;

protected:
    BOOL m_Pushed;
    BOOL m_ClickedInside;
    BOOL m_Highlighted;
    BOOL m_Captured;
    BOOL m_Hover;
    BOOL m_Checked;
    BOOL m_IsCheckBox;
    BOOL m_IsRadio;
    BOOL m_AutoCheck;

    CSize m_ImageSize;
    CImageList m_Image;
    CImageList m_ImageHot;
    CImageList m_ImageDisabled;
    CImageList m_ImageChecked;
    CImageList m_ImageCheckedHot;
    CImageList m_ImageCheckedDisabled;

public:
    BOOL m_FullTextTooltip;

protected:
    BOOL m_TooltipPending;
    int m_Glyph;
    int m_GlyphDisabled;
    int m_GlyphState;
    CToolTipCtrl m_Tooltip;
    HCURSOR m_HoverCursor;

public:
    CSize m_PushOffset;
    COLORREF m_TextColor;
    COLORREF m_HotTextColor;
    COLORREF m_FaceColor;

protected:
    HFONT m_Font;
    int m_AutoRepeatDelay;

    static BOOL s_ThemedLook;

    // The timer of the auto-repeat clicks.
    static constexpr UINT_PTR kAutoRepeatTimer = 1;
    // The one tool of the button's tooltip.
    static constexpr UINT_PTR kTooltipTool = 1;

    void RecordStyle(DWORD dwStyle);
    void DrawImage(CDC* pDC, CPoint pt, BOOL bGrayed);
    void DeleteImageSet(BOOL bChecked);
    void SetIconSet(BOOL bChecked, HICON hIcon, BOOL bAutoDestroy, HICON hIconHot, HICON hIconDisabled);
    void SetBitmapSet(BOOL bChecked, HBITMAP hBitmap, BOOL bAutoDestroy, HBITMAP hBitmapHot, BOOL bMap3dColors,
                      HBITMAP hBitmapDisabled);
    void SetResourceSet(BOOL bChecked, UINT uiBmpResId, UINT uiBmpHotResId, UINT uiBmpDsblResID);
    static BOOL AddBitmapToList(CImageList& list, HBITMAP hbmp, COLORREF clrTransparent);
    void ClearMouseState();
    void ReleaseOwnCapture();
    void UncheckRadioButtonsInGroup();
    BOOL MoveRadioCheck(BOOL bPrevious);
    BOOL HandleKeyDown(UINT nChar);

    BOOL OnEraseBkgnd(CDC* pDC);
    void OnCancelMode();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnEnable(BOOL bEnable);
    void OnSize(UINT nType, int cx, int cy);
    void OnKillFocus(CWnd* pNewWnd);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetImage(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetImage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The image-list colour flag that keeps a bitmap of that depth (4 bits for
// depths the lists do not have).
UINT KtvImageListColorFlag(int nBitsPerPixel);
