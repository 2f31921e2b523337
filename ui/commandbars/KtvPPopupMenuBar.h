// The bar inside a popup menu window that holds its items: it imports a menu,
// lays the items out in columns, shades rarely used runs, opens and closes
// sub-menus on timers, and runs the chosen command.
#pragma once

#include "platform/mfc/CArray.h"
#include "platform/mfc/CMap.h"
#include "ui/commandbars/KtvPToolBar.h"

class CKtvPToolbarMenuButton;

class CKtvPPopupMenuBar : public CKtvPToolBar {
    DECLARE_SERIAL(CKtvPPopupMenuBar)
public:
    CKtvPPopupMenuBar();
    ~CKtvPPopupMenuBar() override;

    // --- overrides, in slot order ---------------------------------------------------------------
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    void AdjustLayout() override;
    CSize CalcMaxButtonSize(BOOL bVertical) override;
    void AdjustSizeImmediate(BOOL bRecalcLayout = TRUE) override;
    void SetButtonStyle(int nIndex, UINT nStyle) override;
    BOOL TranslateChar(UINT nChar) override;
    BOOL SetDefaultButtonText(CKtvPToolbarButton* pButton) override;
    void OnAfterFillBackground(CDC* pDC) override;
    void DropDownMenuButton(int iIndex) override;
    void DrawDragMarker(CDC* pDC) override;
    CWnd* GetCommandTarget() const override;
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    int FindDropIndex(const CPoint point, CRect& rectDrag) const override;
    void AdjustLocations() override;
    BOOL OnSendCommand(const CKtvPToolbarButton* pButton) override;
    BOOL HighlightDisabledItems() const override;
    BOOL AllowShowOnList() const override;
    void DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz) override;
    CKtvPToolbarButton* CreateDroppedButton(COleDataObject* pDataObject) override;
    BOOL OnKey(UINT nChar) override;
    BOOL TranslateTypedChar(UINT nCodePoint) override;
    BOOL EnableContextMenuItems(CKtvPToolbarButton* pButton, CMenu* pPopup) override;
    void GetSeparatorRect(const CKtvPToolbarButton* pButton, RECT* pRect, BOOL bHorz) const override;
    BOOL OnUserToolTip(CKtvPToolbarButton* pButton, CString& strTTText) const override;
    BOOL AllowAltCustomization() const override;

    // After the toolbar's virtuals.
    virtual CSize GetCurrentMenuImageSize() const;

    BOOL ImportFromMenu(HMENU hMenu, BOOL bShowAllCommands = FALSE);
    HMENU ExportToMenu() const;
    void InvokeMenuCommand(UINT uiCmdId, const CKtvPToolbarButton* pMenuItem);
    void StartPopupMenuTimer(CKtvPToolbarMenuButton* pMenuButton, int nDelayFactor = 1);
    void CloseDelayedSubMenu();
    void RestoreDelayedSubMenu();
    void SetInCommand(BOOL bInCommand = TRUE);
    CKtvPToolBar* FindBarAtPoint(CPoint pt);

    // Fields, in declared order.
    CKtvPToolBar* m_pRelatedToolBar = nullptr;   // whose hidden buttons this menu shows
    UINT m_uiDefaultItem = 0;
    CKtvPToolbarMenuButton* m_pDelayedPopupMenuButton = nullptr;
    CKtvPToolbarMenuButton* m_pDelayedClosePopupMenuButton = nullptr;
    BOOL m_bFirstClick = TRUE;
    BOOL m_bFirstMove = TRUE;
    int m_iScrollOffset = 0;
    int m_xSeparatorOffsetLeft = 0;
    int m_xSeparatorOffsetRight = 0;
    BOOL m_bAllCommandsShown = TRUE;
    int m_nMaxMenuWidth = -1;              // -1 or 0: no limit
    CArray<int, int> m_arColumns;          // right edge of each column
    CMap<UINT, UINT, UINT, UINT> m_HiddenItemsAccel;
    BOOL m_bInCommand = FALSE;
    BOOL m_bTrackMode = FALSE;
    BOOL m_bReleaseSelects = TRUE;
    BOOL m_bPaletteMode = FALSE;
    int m_nPaletteRows = 1;

    static int m_nMenuShowDelay;           // -1 until the first bar reads it
    static int m_nLastCommandIndex;

protected:
    // The owner window, else the popup's owner, else the parent.
    CWnd* OwnerWindow() const;
    // This bar's popup becomes the active one of its frame again.
    void ActivateOwnPopup();
    // The item becomes hot: both items repainted and its prompt shown.
    void HighlightItem(int iIndex);
    // From iFrom in steps of nStep, wrapping: the first item that is no
    // separator and is shown; -1 when there is none.
    int FindSelectableItem(int iFrom, int nStep) const;
    // The sub-menu delay, read once per process.
    static void ReadMenuShowDelay();
    // A mouse message outside the menu goes to the bar of the chain under it.
    void ForwardToChainBar(UINT message, UINT nFlags, CPoint point);
    // The item whose mnemonic is the upper-cased character opens, runs or becomes hot;
    // *pbMatched tells whether any item has it.
    BOOL OnMnemonic(UINT uiUpper, BOOL* pbMatched);

    void OnNcPaint();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnToolbarText();
    void OnToolbarImageAndText();
    DECLARE_MESSAGE_MAP()
};
