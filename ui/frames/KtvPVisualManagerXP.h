// The flat look: bars on a light tint of the face colour, dotted grippers,
// menus with a tinted image column, and highlights filled with a blend of the
// system highlight colour and framed in it. Its palette is computed from the
// system colours whenever they change; the 2003 look derives from it.
#pragma once

#include "platform/mfc/CGdiObject.h"
#include "ui/frames/KtvPVisualManager.h"

class CKtvPVisualManagerXP : public CKtvPVisualManager {
    DECLARE_DYNCREATE(CKtvPVisualManagerXP)
public:
    explicit CKtvPVisualManagerXP(BOOL bTemporary = FALSE);
    ~CKtvPVisualManagerXP() override;

    // --- overrides of the base look --------------------------------------------------------------
    void OnUpdateSystemColors() override;
    void OnFillBarBackground(CDC* pDC, CKtvPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                             BOOL bNCArea = FALSE) override;
    void OnDrawBarBorder(CDC* pDC, CKtvPBaseControlBar* pBar, CRect& rect) override;
    void OnDrawMenuBorder(CDC* pDC, CKtvPPopupMenu* pMenu, CRect rect) override;
    void OnDrawMenuShadow(CDC* pDC, const CRect& rectClient, const CRect& rectExclude, int nDepth,
                          int nBrightness1, int nBrightness2, CBitmap* pBmpSaveBottom,
                          CBitmap* pBmpSaveRight) override;
    void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CKtvPBaseControlBar* pBar) override;
    void OnDrawSeparator(CDC* pDC, CKtvPBaseControlBar* pBar, CRect rect, BOOL bIsHoriz) override;
    COLORREF OnDrawDockingBarCaption(CDC* pDC, CKtvPDockingControlBar* pBar, BOOL bActive, CRect rectCaption,
                                     CRect rectButtons) override;
    void OnDrawCaptionButton(CDC* pDC, CKtvPCaptionButton* pButton, BOOL bActive, BOOL bHorz, BOOL bMaximized,
                             BOOL bDisabled, int nImageID = -1) override;
    void OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                BOOL bHighlight) override;
    void OnDrawStatusBarPaneBorder(CDC* pDC, CKtvPStatusBar* pBar, CRect rectPane, UINT uiID,
                                   UINT nStyle) override;
    void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                               CKtvPToolbarComboBoxButton* pButton) override;
    void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                           CKtvPToolbarComboBoxButton* pButton) override;
    void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) override;
    void OnFillButtonInterior(CDC* pDC, CKtvPToolbarButton* pButton, CRect rect, ButtonState state) override;
    void OnDrawButtonBorder(CDC* pDC, CKtvPToolbarButton* pButton, CRect rect, ButtonState state) override;
    void OnHighlightMenuItem(CDC* pDC, CKtvPToolbarMenuButton* pButton, CRect rect, COLORREF& clrText) override;
    void OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed) override;
    COLORREF GetToolbarButtonTextColor(CKtvPToolbarButton* pButton, ButtonState state) override;
    void OnEraseTabsArea(CDC* pDC, CRect rect, CKtvPBaseTabWnd* pTabWnd) override;
    void OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CKtvPBaseTabWnd* pTabWnd) override;
    void OnFillTab(CDC* pDC, CRect rectFill, CBrush* pbrFill, int iTab, BOOL bIsActive,
                   CKtvPBaseTabWnd* pTabWnd) override;
    void OnEraseTabsButton(CDC* pDC, CRect rect, CKtvPButton* pButton, CKtvPBaseTabWnd* pWndTab) override;
    void OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKtvPButton* pButton, UINT uiState,
                                CKtvPBaseTabWnd* pWndTab) override;
    COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE) override;
    void OnDrawMenuArrowOnCustomizeList(CDC* pDC, CRect rectCommand, BOOL bSelected) override;
    COLORREF OnFillMiniFrameCaption(CDC* pDC, CRect rectCaption, CKtvPMiniFrameWnd* pFrameWnd,
                                    BOOL bActive) override;
    void OnDrawMiniFrameBorder(CDC* pDC, CKtvPMiniFrameWnd* pFrameWnd, CRect rectBorder,
                               CRect rectBorderSize) override;
    void OnDrawFloatingToolbarBorder(CDC* pDC, CKtvPBaseToolBar* pToolBar, CRect rectBorder,
                                     CRect rectBorderSize) override;
    void OnDrawTasksGroupCaption(CDC* pDC, CKtvPTasksGroup* pGroup, BOOL bIsHighlighted = FALSE,
                                 BOOL bIsSelected = FALSE, BOOL bCanCollapse = FALSE) override;
    void OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial = FALSE) override;
    void OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial = FALSE, BOOL bNoTitle = FALSE) override;
    void OnDrawTask(CDC* pDC, CKtvPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted = FALSE,
                    BOOL bIsSelected = FALSE) override;
    void OnDrawScrollButton(CDC* pDC, CRect rect, int nExtraTop, int nImageID, BOOL bIsHighlighted) override;
    void OnDrawInsetFrame(CDC* pDC, CRect rect) override;
    void OnDrawFlatFrame(CDC* pDC, CRect rect) override;
    void OnFillCalendarBarWeekColumn(CDC* pDC, CRect rect, COLORREF& clrText,
                                     COLORREF& clrTextDisabled) override;
    COLORREF OnFillCalendarBarCaption(CDC* pDC, CRect rect) override;
    BOOL OnDrawCalculatorButton(CDC* pDC, CRect rect, CKtvPToolbarButton* pButton, ButtonState state,
                                int nCommand, CKtvPCalculator* pCalculator) override;
    BOOL OnDrawCalculatorDisplay(CDC* pDC, CRect rect, const CString& strText, BOOL bMem,
                                 CKtvPCalculator* pCalculator) override;
    BOOL OnDrawBrowseButton(CDC* pDC, CRect rect, CKtvPBrowseEdit* pEdit, ButtonState state,
                            COLORREF& clrText) override;
    void OnDrawSpinButtons(CDC* pDC, CRect rectSpin, int nState, BOOL bOrientation,
                           CKtvPSpinButton* pSpinCtrl) override;
    int GetMenuImageMargin() const override;
    BOOL IsLook2000Allowed() const override;

    // --- operations added by this look, in slot order ----------------------------------------------
    virtual void OnDrawCaptionButtonIcon(CDC* pDC, CKtvPCaptionButton* pButton, int nImageID, BOOL bActive,
                                         BOOL bDisabled, CPoint ptImage);
    virtual void CreateGripperBrush();
    virtual void ExtendMenuButton(CKtvPToolbarMenuButton* pButton, CRect& rect);
    virtual void OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush, CKtvPToolbarButton* pButton);

    // --- the palette ------------------------------------------------------------------------------
    CBrush m_brGripperHorz;
    CBrush m_brGripperVert;
    COLORREF m_clrBarBkgnd;
    CBrush m_brBarBkgnd;
    COLORREF m_clrMenuLight;
    CBrush m_brMenuLight;
    COLORREF m_clrInactiveTabText;
    CBrush m_brTabBack;
    COLORREF m_clrHighlight;
    CBrush m_brHighlight;
    COLORREF m_clrHighlightDn;
    CBrush m_brHighlightDn;
    COLORREF m_clrHighlightChecked;
    CBrush m_brHighlightChecked;
    COLORREF m_clrGripper;
    CPen m_penSeparator;
    COLORREF m_clrPaneBorder;
    COLORREF m_clrMenuBorder;
    COLORREF m_clrMenuItemBorder;
    CBrush m_brFloatToolbarBorder;
    BOOL m_bJoinMenuBorder;
    COLORREF m_clrMenuShadowBase;

protected:
    // Width of the image column of a popup menu bar: one image or, in a frame's
    // button list, two.
    int MenuImageColumnWidth(CKtvPBaseControlBar* pMenuBar) const;
    void DeletePalette();
    // A one-colour frame.
    static void FrameIn(CDC* pDC, const CRect& rect, COLORREF clr);
    // The XP gripper band; used by the looks that derive from this one.
    void DrawXPGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CKtvPBaseControlBar* pBar);
};
