// A thin bar along the top of a frame: an image (bitmap or icon), a line of
// text and a push button with an optional drop-down triangle that sends a
// command to the bar's owner, on a coloured band between two border bands.
#pragma once

#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/docking/KtvPControlBar.h"

class CDC;

class CKtvPCaptionBar : public CKtvPControlBar {
    DECLARE_DYNCREATE(CKtvPCaptionBar)
public:
    // Element alignments.
    enum BarElementAlignment { ALIGN_INVALID = 0, ALIGN_LEFT = 1, ALIGN_RIGHT = 2, ALIGN_CENTER = 3 };

    CKtvPCaptionBar();
    ~CKtvPCaptionBar() override;

    // nHeight -1: from the font and the image.
    BOOL Create(DWORD dwStyle, CWnd* pParentWnd, UINT uID, int nHeight = -1);

    // --- overrides of the control bar ---
    BOOL AllowsInsertBefore() const override { return FALSE; }
    void AdjustLayout() override;
    void RecalcLayout() override;
    void OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHandler*/) override {}
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // --- virtual operations added, in slot order ---
protected:
    virtual void OnEraseBarBackground(CDC* pDC, CRect rectClient);
    virtual void OnDrawBarEdge(CDC* pDC, CRect rectBand);
    virtual void OnDrawBarText(CDC* pDC, CRect rectText, const CString& strText);
    virtual void OnDrawBarImage(CDC* pDC, CRect rectImage);
    virtual void OnDrawBarButton(CDC* pDC, CRect rectButton, const CString& strButton, BOOL bEnabled);

public:
    // The bar keeps its own copy of the bitmap; the caller may delete its handle.
    void SetBitmap(HBITMAP hBitmap, COLORREF clrTransparent, BOOL bStretch = FALSE,
                   int bmpAlignment = ALIGN_RIGHT);
    void RemoveBitmap();
    void SetText(const CString& strText, int textAlignment = ALIGN_RIGHT);
    void RemoveText();
    // The icon is not owned.
    void SetIcon(HICON hIcon, int iconAlignment = ALIGN_LEFT);
    void RemoveIcon();
    void SetButton(LPCTSTR lpszLabel, UINT uiCmdUI, int btnAlignment = ALIGN_LEFT);
    void RemoveButton();
    void EnableButton(BOOL bEnable = TRUE);
    void SetButtonPressed(BOOL bPresed = TRUE);
    BOOL IsButtonActive() const { return m_bBtnEnabled; }
    BOOL IsButtonPressed() const { return m_bIsBtnPressed || m_bIsBtnForcePressed; }
    BOOL IsButtonHighlighted() const { return m_bIsBtnHighlighted; }
    HICON GetIcon() const { return m_hIcon; }
    int GetBitmapCount() const { return m_Bitmap.GetCount(); }

    CRect GetImageRect() const { return m_rectImage; }
    CRect GetTextRect() const { return m_rectDrawText; }
    CRect GetButtonRect() const { return m_rectButton; }
    int GetCurrentHeight() const { return m_nCurrentHeight; }

    // Written by the application, which then redraws the bar; -1: the look's.
    COLORREF m_clrBarText;
    COLORREF m_clrBarBackground;
    COLORREF m_clrBarBorder;

protected:
    // Moves rect clear of rectOther (widened by the element gap on every side).
    void KeepApart(CRect& rect, CRect rectOther, BOOL bKeepLeft) const;
    // Holds rect inside the client's margins; with bKeepWidth the rectangle slides instead of shrinking.
    void HoldInside(CRect& rect, const CRect& rectClient, BOOL bKeepWidth) const;
    CSize GetImageSize() const;
    BOOL HasImage() const { return m_hIcon != nullptr || m_Bitmap.GetCount() > 0; }
    BOOL IsButtonLive() const { return m_uiBtnID != 0 && m_bBtnEnabled; }
    void RedrawButton();
    HFONT GetBarFont() const;

    HICON m_hIcon;
    CKtvPToolBarImages m_Bitmap;
    BOOL m_bStretchImage;
    int m_bmpAlignment;
    CRect m_rectImage;
    HFONT m_hFont;
    CString m_strText;
    int m_textAlignment;
    CRect m_rectText;
    CRect m_rectDrawText;
    CString m_strBtnText;
    UINT m_uiBtnID;
    int m_btnAlignment;
    CRect m_rectButton;
    BOOL m_bIsBtnPressed;
    BOOL m_bIsBtnHighlighted;
    BOOL m_bIsBtnForcePressed;
    BOOL m_bTracked;
    BOOL m_bBtnEnabled;

public:
    int m_nBorderSize;

protected:
    int m_nMargin;
    int m_nHorzElementOffset;
    int m_nDefaultHeight;
    int m_nCurrentHeight;

public:
    BOOL m_bFlatBorder;

protected:
    COLORREF m_clrTransparent;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSysColorChange() {}
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnPaint();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    void OnSize(UINT nType, int cx, int cy);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseLeave();
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
