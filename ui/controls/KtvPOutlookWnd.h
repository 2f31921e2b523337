// The tab window of an outlook-style bar: every page is a full-width page
// button, the buttons up to the active page stacked at the top and the rest at
// the bottom, the active page between them; optionally a short slide when
// the active page changes. In the navigation-pane layout a caption, a splitter,
// the chosen number of page buttons and a bottom toolbar with the other pages'
// icons and a chevron menu.
#pragma once

#include "platform/mfc/CImageList.h"
#include "platform/mfc/CMap.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/controls/KtvPButton.h"

class CCmdUI;
class CDC;
class CKtvPOutlookBar;
class CKtvPOutlookWnd;

// A page scroll button; the look fills and frames it like a page button.
class CKtvPOutlookScrollButton : public CKtvPButton {
public:
    CKtvPOutlookScrollButton() = default;

protected:
    void OnFillBackground(CDC* pDC, const CRect& rectClient) override;
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
};

// The bottom toolbar of the navigation-pane layout: an icon for every page
// whose button is not shown, then the chevron.
class CKtvPOutlookWndToolBar : public CKtvPToolBar {
public:
    explicit CKtvPOutlookWndToolBar(CKtvPOutlookWnd* pParentBar = nullptr);
    ~CKtvPOutlookWndToolBar() override;

    BOOL IsTabbed() const override { return FALSE; }
    // The bar has no saved state.
    BOOL LoadState(LPCTSTR /*lpszProfileName*/ = nullptr, int /*nIndex*/ = -1, UINT /*uiID*/ = (UINT)-1) override
    {
        return TRUE;
    }
    BOOL SaveState(LPCTSTR /*lpszProfileName*/ = nullptr, int /*nIndex*/ = -1, UINT /*uiID*/ = (UINT)-1) override
    {
        return TRUE;
    }
    BOOL AllowShowOnList() const override { return FALSE; }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void AdjustLocations() override;
    BOOL OnSendCommand(const CKtvPToolbarButton* pButton) override;
    void OnCustomizeMode(BOOL bSet) override;
    BOOL OnUserToolTip(CKtvPToolbarButton* pButton, CString& strTTText) const override;

    friend class CKtvPOutlookWnd;

    CMap<int, int, int, int> m_TabButtons;  // toolbar button index -> page index
    CKtvPOutlookWnd* m_pParentBar;

protected:
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};

// The chevron of the bottom toolbar: the hidden pages and the page-button commands.
class COutlookCustomizeButton : public CCustomizeButton {
    DECLARE_DYNCREATE(COutlookCustomizeButton)
public:
    COutlookCustomizeButton() = default;

    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    CKtvPPopupMenu* CreatePopupMenu() override;
    // Closes an open menu as any menu button does; the chevron keeps no other state.
    void OnCancelMode() override;
};

class CKtvPOutlookWnd : public CKtvPBaseTabWnd {
    DECLARE_DYNCREATE(CKtvPOutlookWnd)
public:
    // Commands of the bottom toolbar and its chevron menu; page icons follow from idToolbarCommandsFirst.
    enum {
        idShowMoreButtons = 0xF200,
        idShowFewerButtons = 0xF201,
        idNavigationPaneOptions = 0xF202,
        idToolbarCommandsFirst = 0xF203,
        idToolbarCommandsLast = 0xF20A,
    };

    CKtvPOutlookWnd();
    ~CKtvPOutlookWnd() override;

    // --- virtual operations added after the base tab window's, in slot order ---
    virtual void ShowMoreButtons();
    virtual void ShowFewerButtons();
    virtual BOOL CanShowMoreButtons() const { return m_nVisiblePageButtons < m_nMaxPageButtons; }
    virtual BOOL CanShowFewerButtons() const { return m_nVisiblePageButtons > 0; }
    virtual void ShowOptionsDialog();
    virtual BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual void OnReservedHookA() {}
    virtual void OnReservedHookB() {}

    // --- overrides of the base tab window ---
    BOOL IsPtInTabArea(CPoint point) const override;
    void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const override;
    void RecalcLayout() override;
    BOOL IsTabDetachable(int iTab) const override;
    void EnableInPlaceEdit(BOOL bEnable) override { m_bIsInPlaceEdit = bEnable; }
    void AdjustRenameEditRect(CRect& rectEdit) override { rectEdit.DeflateRect(1, 1); }
    BOOL SetActiveTab(int iTab) override;
    CWnd* FindDragTargetWnd(const CPoint& point) override;
    void OnTabsChanged() override { m_nVisiblePageButtons = -1; }
    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    int GetTabToDetach(int nTabNum) const override;

    // --- other operations ---
    void AddControl(CWnd* pWndCtrl, LPCTSTR lpszName, int nImageID = -1, BOOL bDetachable = TRUE);
    static void EnableAnimation(BOOL bEnable = TRUE) { m_bEnableAnimation = bEnable; }
    static BOOL IsAnimation() { return m_bEnableAnimation; }
    void EnableScrollButtons(BOOL bEnable = TRUE, BOOL bIsUp = TRUE, BOOL bIsDown = TRUE);
    BOOL IsNavigationPaneMode() const;

    void SetToolbarImageList(UINT uiID, int cx, COLORREF clrTransp = RGB(255, 0, 255));
    void SetBorderSize(int nBorderSize);
    int GetBorderSize() const { return m_nBorderSize; }
    // TA_LEFT, TA_RIGHT, anything else centred.
    void SetPageButtonTextAlign(UINT uiAlign, BOOL bRedraw = TRUE);
    int GetPageButtonTextAlign() const { return m_nPageTextAlign; }
    int GetVisiblePageButtons() const { return m_nVisiblePageButtons; }
    void SetVisiblePageButtons(int nVisiblePageButtons) { m_nVisiblePageButtons = nVisiblePageButtons; }
    int GetMaxPageButtons() const { return m_nMaxPageButtons; }
    CRect GetPageArea() const { return m_rectPageArea; }
    CRect GetCaptionRect() const { return m_rectCaption; }
    CRect GetSplitterRect() const { return m_rectSplitter; }
    BOOL IsScrollButtons() const { return m_bScrollButtons; }
    CKtvPOutlookWndToolBar& GetToolBar() { return m_wndToolBar; }

protected:
    void DrawPageButton(CDC* pDC, int iPage, BOOL bDrawPressedButton);
    void RebuildToolBar();
    // Both page-button areas are shown (more than one visible page, or single pages keep their button).
    BOOL ArePageButtonsShown() const;
    int GetToolBarHeight() const;
    CSize GetToolBarImageSize() const;
    void SlidePages(int iOld, int iNew, CWnd* pOldWnd);
    void RelayoutForUserChange();
    // The parent when it is an outlook bar, else NULL.
    CKtvPOutlookBar* GetParentOutlookBar() const;

    CRect m_rectPageArea;
    CRect m_rectCaption;
    int m_nBorderSize;
    CRect m_rectSplitter;
    BOOL m_bTrackSplitter;
    CKtvPOutlookWndToolBar m_wndToolBar;
    int m_nVisiblePageButtons;   // -1: all
    int m_nMaxPageButtons;
    BOOL m_bPageButtonsChanged;  // only while a relayout follows the user's change
    BOOL m_bScrollButtons;
    CKtvPOutlookScrollButton m_btnScrollUp;
    CKtvPOutlookScrollButton m_btnScrollDown;
    int m_nPageTextAlign;
    CImageList m_imagesToolBar;
    CSize m_sizeToolBarImage;

    static BOOL m_bEnableAnimation;

    // The page a released click on its button is activating; -1 otherwise.
    int m_iClickedPage = -1;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* pDC);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnToolBarCommand(UINT id);
    void OnUpdateToolBarCommand(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
