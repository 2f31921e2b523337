// The tab strip: one row of tabs at the top or bottom in five styles (3-D,
// flat, flat with a horizontal scroll bar shared with the active window,
// scrolled 3-D and slanted), scroll and close buttons, painted through the
// current look. The strip of the tab views, the tabbed bars, the MDI tabs and
// the property sheet's slanted look.
#pragma once

#include "platform/mfc/CList.h"
#include "platform/mfc/CScrollBar.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/controls/KtvPButton.h"

class CDC;

// A scroll or close button of a tab strip; the look draws its face and border.
class CKtvPTabScrollButton : public CKtvPButton {
public:
    CKtvPTabScrollButton() = default;

protected:
    void OnFillBackground(CDC* pDC, const CRect& rectClient) override;
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
};

class CKtvPBaseControlBar;
class CKtvPTabbedControlBar;

class CKtvPTabWnd : public CKtvPBaseTabWnd {
    DECLARE_DYNCREATE(CKtvPTabWnd)
public:
    enum Style {
        TABSTYLE_3D = 0,
        TABSTYLE_FLAT = 1,
        TABSTYLE_FLAT_SHARED_SCROLL = 2,
        TABSTYLE_3D_SCROLLED = 3,
        TABSTYLE_SLANTED = 4,
    };

    CKtvPTabWnd();
    ~CKtvPTabWnd() override;

    BOOL Create(int style, const RECT& rect, CWnd* pParentWnd, UINT nID, int location = LOCATION_BOTTOM,
                BOOL bCloseBtn = FALSE);

    // --- virtual operations added after the base tab window's, in slot order ---
    virtual void LayoutTabs();
    virtual void AdjustTabsScroll();
    virtual void RepositionScrollBar();
    // Never consulted by the tab window itself.
    virtual BOOL CanShowTabs() const { return TRUE; }
    virtual void DrawTab(CDC* pDC, CKtvPTabInfo* pTab, BOOL bActive);
    virtual void DrawFlatTab(CDC* pDC, CKtvPTabInfo* pTab, BOOL bActive);

    // --- overrides of the base tab window ---
    BOOL IsPtInTabArea(CPoint point) const override;
    void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const override;
    BOOL SetImageList(HIMAGELIST hImageList) override;
    BOOL LoadImageList(UINT uiID, int cx = 15, COLORREF clrTransp = RGB(255, 0, 255)) override;
    void UpdateTabsHeight() override;
    int GetTabsHeight() const override;
    void GetTabsRect(CRect& rect) const override { rect = m_rectTabsArea; }
    void RecalcLayout() override;
    void EnableInPlaceEdit(BOOL bEnable) override;
    void AdjustRenameEditRect(CRect& rectEdit) override;
    BOOL SetActiveTab(int iTab) override;
    int GetTabFromPoint(CPoint pt) const override;
    BOOL EnsureVisible(int iTab) override;
    CWnd* FindDragTargetWnd(const CPoint& point) override;
    void SwapTabs(int nFisrtTabID, int nSecondTabID) override;
    void MoveTab(int nSource, int nDest) override;
    BOOL IsFlatTabs() const override { return m_bFlat; }
    BOOL IsSlantedTabs() const override { return m_bIsSlanted; }
    BOOL IsDrawFrame() const override { return m_bDrawFrame; }
    int GetFirstScrolledTab() const override { return m_nFirstScrolledTab; }
    void SetHideSingleTab(BOOL bHide = TRUE) override;
    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // --- other operations ---
    void HideNoTabs(BOOL bHide = TRUE);
    void SetActiveTabBoldFont(BOOL bIsBold = TRUE);
    BOOL ModifyTabStyle(int style);
    void SetFlatFrame(BOOL bFlat = TRUE) { m_bFlatFrame = bFlat; }
    BOOL SynchronizeScrollBar(SCROLLINFO* pScrollInfo = nullptr);
    void HideActiveWindowHorzScrollBar();
    void UpdateScrollButtonsState();
    void RepositionButtons(int x, int y, int cx, int cy, BOOL bHide);

    BOOL IsSharedScroll() const { return m_bSharedScroll; }
    BOOL IsActiveTabBoldFont() const { return m_bIsActiveTabBold; }
    BOOL IsHideNoTabs() const { return m_bHideNoTabs; }
    // Left to the owner by the tab window itself.
    void SetEraseNothing(BOOL bErase) { m_bDontEraseBkgnd = bErase; }
    void SetOutlineTopStrip(BOOL bOutline) { m_bTopEdge = bOutline; }

    // Fields the MDI tab strip and the tab views set directly; defaults from the constructor.
    BOOL m_bFlat;
    BOOL m_bIsSlanted;
    BOOL m_bSharedScroll;
    BOOL m_bScroll;                  // scroll buttons
    BOOL m_bCloseBtn;
    int m_nScrollBarRight;
    CRect m_rectTabsArea;            // the strip
    CRect m_rectWndArea;             // the content
    CScrollBar m_wndScrollWnd;       // shared scroll bar, child id -1
    CKtvPTabScrollButton m_btnScrollLeft;
    CKtvPTabScrollButton m_btnScrollRight;
    CKtvPTabScrollButton m_btnScrollFirst;
    CKtvPTabScrollButton m_btnScrollLast;
    CKtvPTabScrollButton m_btnClose;
    CList<HWND, HWND> m_lstButtons;  // in creation order
    int m_nTabsHorzOffset;
    int m_nTabsHorzOffsetMax;
    int m_nTabsTotalWidth;
    int m_nFirstScrolledTab;
    int m_nHorzScrollWidth;
    CRect m_rectTabSplitter;
    BOOL m_bTrackSplitter;
    BOOL m_bDrawFrame;
    BOOL m_bAutoSizeWindow;
    BOOL m_bDontEraseBkgnd;          // erase nothing, even with no tab visible
    BOOL m_bTopEdge;                 // outline the strip side at the top location
    BOOL m_bFlatFrame;
    BOOL m_bHideNoTabs;
    BOOL m_bIsActiveTabBold;

    // Stops the forwarded WM_HSCROLL coming back round while a window handles it.
    static BOOL m_bIsInHScroll;

    // The step of the scroll buttons of strips that do not scroll by whole tabs.
    static constexpr int kScrollStep = 20;
    // The left and right buttons repeat while held.
    static constexpr int kScrollRepeatDelay = 50;

protected:
    struct TabFrameColors {
        COLORREF clrDark = 0, clrBlack = 0, clrHighlight = 0, clrFace = 0, clrDarkShadow = 0, clrLight = 0;
        CBrush* pbrFace = nullptr;
        CBrush* pbrBlack = nullptr;
    };

    BOOL CreateButtons();
    void ShowLabelAsCaption(CKtvPTabbedControlBar* pTabbed, const CString& strLabel);
    void FollowRollUpStyle(CKtvPTabbedControlBar* pTabbed, const CKtvPBaseControlBar* pBar);
    void Set3dButtonGlyphs();
    void RelayoutIfCreated();
    // The strip is gone by the hide-single-tab and hide-no-tabs rules.
    BOOL IsStripHidden() const;
    int ButtonSide(int nTabsHeight) const;
    int TabImageWidth(const CKtvPTabInfo* pTab) const;
    void SetTabToolRect(const CKtvPTabInfo* pTab, const CRect& rect);
    void ShrinkTabs(int nVisible, int T, int Bt, int L, int R);
    int SlantedOffsetOf(int nFirst) const;
    // TRUE when the offset had to move into its range.
    BOOL ClampScrollOffset();
    void ScrollBy(HWND hwndButton);
    void ResetSlantedScroll();
    void ActivateTabWindow(CWnd* pWnd);
    void UpdateCloseButton(CWnd* pWnd);
    void TrackSplitter(int x);
    void StopSplitterTracking();
    void DrawFrame(CDC* pDC, const TabFrameColors& colors, CPen& penBlack, CPen& penHilite);
    void DrawTabs(CDC* pDC, CPen& penBlack);

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnSysColorChange();
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    DECLARE_MESSAGE_MAP()
};
