// A page of an outlook bar showing command buttons as large images with
// their labels underneath, one per row, centred, on a plain or tiled
// background; small scroll buttons appear in the corners when the buttons do
// not fit. It takes only outlook buttons, also from drags in customisation.
#pragma once

#include "platform/mfc/CRect.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/controls/KtvPButton.h"

class CDC;
class CKtvPOutlookBarPane;

// A button of an outlook pane: a large image with its label underneath
// (beside it on a horizontal bar).
class CKtvPOutlookButton : public CKtvPToolbarButton {
    DECLARE_SERIAL(CKtvPOutlookButton)
public:
    CKtvPOutlookButton();
    ~CKtvPOutlookButton() override;

    BOOL CanBeDropped(CKtvPToolBar* pToolbar) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    CSize OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    // Only stores the index: the image lives in the panes' shared strip.
    void SetImage(int iImage) override { m_iImage = iImage; }

    // The button a customisation drag carries is an outlook button.
    static BOOL IsDraggedOutlookButton(COleDataObject* pDataObject);

    CKtvPOutlookBarPane* m_pWndParentBar;  // NULL when the parent is not a pane
    CSize m_sizeImage;
    BOOL m_bIsWholeText;                   // the label fits its width
};

class CKtvPOutlookBarPane : public CKtvPToolBar {
public:
    CKtvPOutlookBarPane();
    ~CKtvPOutlookBarPane() override;

    // --- virtual operations added after the toolbar's, in slot order ---
    virtual void OnFillBackground(CDC* pDC, CRect rectClient);
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT uiID, DWORD dwKtvStyle);

    // --- overrides ---
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL CanBeAttached() const override { return TRUE; }
    // Left and right alignment only: a pane never reports itself horizontal.
    DWORD GetCurrentAlignment() const override { return m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT); }
    BOOL CanFloat() const override { return FALSE; }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    BOOL GetDockTargetAtCursor(int nSensitivity, CWnd*& pTarget) override;
    BOOL OnBeforeFloat(CRect& rectFloat, int dockMethod) override;
    BOOL Dock(CKtvPBaseControlBar* pDockBar, LPCRECT lpRect, int dockMethod) override;
    void RemoveAllButtons() override;
    BOOL CanBeRestored() const override;
    BOOL RestoreOriginalState() override;
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void AdjustLocations() override;
    BOOL AllowShowOnList() const override { return FALSE; }
    CKtvPToolbarButton* CreateDroppedButton(COleDataObject* pDataObject) override;
    BOOL EnableContextMenuItems(CKtvPToolbarButton* pButton, CMenu* pPopup) override;
    BOOL MergeOriginalItems(CObList& lstOrigButtons) override;

    using CKtvPToolBar::Create;

    // --- other operations ---
    BOOL AddButton(HICON hIcon, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt = -1);
    BOOL AddImageButton(int iImage, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt = -1);
    BOOL RemoveButton(UINT iIdCommand);
    void SetBackImage(UINT uiImageID);
    void ScrollUp();
    void ScrollDown();
    void ScrollPageUp();
    void ScrollPageDown();

    void SetTextColor(COLORREF clrRegText) { m_clrRegText = clrRegText; }
    void SetExtraSpace(int nExtraSpace) { m_nExtraSpace = nExtraSpace; }
    void EnablePageScrollMode(BOOL bPageScroll = TRUE) { m_bPageScroll = bPageScroll; }
    void SetUserChange(BOOL bUserChange) { m_bUserChange = bUserChange; }
    COLORREF GetRegularColor() const { return m_clrRegText; }
    COLORREF GetBackColor() const { return m_clrBackColor; }
    COLORREF GetTransparentColor() const { return m_clrTransparent; }
    int GetExtraSpace() const { return m_nExtraSpace; }
    BOOL IsDrawShadedHighlight() const { return m_bDrawShadedHighlight; }
    BOOL IsBackgroundTexture() const { return m_uiBackImageId != 0; }

    // The one strip every pane's button images live in, made on first use.
    static CKtvPToolBarImages& GetSharedImages();
    static CSize GetSharedImageSize() { return m_csImage; }
    // Frees the shared strip; KtvCleanUp runs it once the strip was made.
    static void CleanUpSharedImages();

protected:
    COLORREF m_clrRegText;
    COLORREF m_clrTransparent;
    COLORREF m_clrBackColor;
    CKtvPToolBarImages m_BackImages;
    UINT m_uiBackImageId;
    CKtvPButton m_btnUp;
    CKtvPButton m_btnDown;
    int m_nScrollOffset;
    int m_iFirstVisibleButton;
    BOOL m_bScrollDown;
    BOOL m_bDrawShadedHighlight;
    int m_nExtraSpace;
    HWND m_hRecentOutlookBar;
    BOOL m_bUserChange;
    BOOL m_bPageScroll;

    static CKtvPToolBarImages* m_pSharedImages;
    static CSize m_csImage;

    int ButtonHeightAt(int iButton) const;
    // How many buttons from the first shown one fill the client height.
    int ButtonsPerPage() const;
    // One button, or one page in page-scroll mode.
    void ScrollOnce(BOOL bDown);

    // The scroll buttons' timers.
    static constexpr UINT_PTR idScrollUp = 1;
    static constexpr UINT_PTR idScrollDn = 2;

    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnSysColorChange();
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()
};
