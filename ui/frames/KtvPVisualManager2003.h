// The gradient look: toolbars as gradient bands with softened ends and a
// customise button, dotted grippers, gradient highlights and tabs, and a
// gradient tasks pane. Its colours are computed from the system colours
// (the visual-style scheme colours when a style library is present); at 8
// bits per pixel or fewer most operations draw as the flat look does.
#pragma once

#include "platform/mfc/CString.h"
#include "ui/frames/KtvPVisualManagerXP.h"
#include "ui/frames/KtvPWinXPThemeManager.h"

class CCustomizeButton;
class CKtvPToolBar;

class CKtvPVisualManager2003 : public CKtvPVisualManagerXP {
    DECLARE_DYNCREATE(CKtvPVisualManager2003)
public:
    CKtvPVisualManager2003();
    ~CKtvPVisualManager2003() override;

    // --- overrides --------------------------------------------------------------------------------
    BOOL IsWinXPThemeAvailable() const override;
    void OnUpdateSystemColors() override;
    void OnFillBarBackground(CDC* pDC, CKtvPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                             BOOL bNCArea = FALSE) override;
    void OnDrawBarBorder(CDC* pDC, CKtvPBaseControlBar* pBar, CRect& rect) override;
    void OnDrawMenuBorder(CDC* pDC, CKtvPPopupMenu* pMenu, CRect rect) override;
    void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CKtvPBaseControlBar* pBar) override;
    void OnDrawSeparator(CDC* pDC, CKtvPBaseControlBar* pBar, CRect rect, BOOL bIsHoriz) override;
    COLORREF OnDrawDockingBarCaption(CDC* pDC, CKtvPDockingControlBar* pBar, BOOL bActive, CRect rectCaption,
                                     CRect rectButtons) override;
    void OnDrawStatusBarProgress(CDC* pDC, CKtvPStatusBar* pStatusBar, CRect rectProgress, int nProgressTotal,
                                 int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                 COLORREF clrProgressText, BOOL bProgressText) override;
    void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                               CKtvPToolbarComboBoxButton* pButton) override;
    void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                           CKtvPToolbarComboBoxButton* pButton) override;
    void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) override;
    void OnFillButtonInterior(CDC* pDC, CKtvPToolbarButton* pButton, CRect rect, ButtonState state) override;
    void OnDrawButtonBorder(CDC* pDC, CKtvPToolbarButton* pButton, CRect rect, ButtonState state) override;
    void OnDrawCaptionBarBorder(CDC* pDC, CKtvPCaptionBar* pBar, CRect rect, COLORREF clrBarBorder,
                                BOOL bFlatBorder) override;
    void OnFillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL bIsHighlighted, BOOL bIsPressed,
                                 COLORREF& clrText) override;
    void OnDrawOutlookPageButtonBorder(CDC* pDC, CRect& rectBtn, BOOL bIsHighlighted, BOOL bIsPressed) override;
    void OnDrawOutlookBarSplitter(CDC* pDC, CRect rectSplitter) override;
    void OnFillOutlookBarCaption(CDC* pDC, CRect rectCaption, COLORREF& clrText) override;
    void OnEraseTabsArea(CDC* pDC, CRect rect, CKtvPBaseTabWnd* pTabWnd) override;
    void OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CKtvPBaseTabWnd* pTabWnd) override;
    void OnFillTab(CDC* pDC, CRect rectFill, CBrush* pbrFill, int iTab, BOOL bIsActive,
                   CKtvPBaseTabWnd* pTabWnd) override;
    void OnEraseTabsButton(CDC* pDC, CRect rect, CKtvPButton* pButton, CKtvPBaseTabWnd* pWndTab) override;
    void GetTabFrameColors(CKtvPBaseTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack, COLORREF& clrHighlight,
                           COLORREF& clrFace, COLORREF& clrDarkShadow, COLORREF& clrLight, CBrush*& pbrFace,
                           CBrush*& pbrBlack) override;
    BOOL OnEraseTabsFrame(CDC* pDC, CRect rect, CKtvPBaseTabWnd* pTabWnd) override;
    BOOL IsHighlightOneNoteTabs() const override;
    COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE) override;
    void OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) override;
    void OnDrawTasksGroupCaption(CDC* pDC, CKtvPTasksGroup* pGroup, BOOL bIsHighlighted = FALSE,
                                 BOOL bIsSelected = FALSE, BOOL bCanCollapse = FALSE) override;
    void OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial = FALSE) override;
    void OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial = FALSE, BOOL bNoTitle = FALSE) override;
    void OnDrawTask(CDC* pDC, CKtvPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted = FALSE,
                    BOOL bIsSelected = FALSE) override;
    void OnDrawScrollButton(CDC* pDC, CRect rect, int nExtraTop, int nImageID, BOOL bIsHighlighted) override;
    void OnFillAutoHideButtonBackground(CDC* pDC, CRect rect, CKtvPAutoHideButton* pButton) override;
    void OnDrawAutoHideButtonBorder(CDC* pDC, CRect rectBounds, CRect rectBorderSize,
                                    CKtvPAutoHideButton* pButton) override;
    BOOL OnDrawCalculatorButton(CDC* pDC, CRect rect, CKtvPToolbarButton* pButton, ButtonState state,
                                int nCommand, CKtvPCalculator* pCalculator) override;
    BOOL OnDrawCalculatorDisplay(CDC* pDC, CRect rect, const CString& strText, BOOL bMem,
                                 CKtvPCalculator* pCalculator) override;
    BOOL OnDrawBrowseButton(CDC* pDC, CRect rect, CKtvPBrowseEdit* pEdit, ButtonState state,
                            COLORREF& clrText) override;
    BOOL DrawPushButtonWinXP(CDC* pDC, CRect rect, CKtvPButton* pButton, UINT uiState) override;
    BOOL DrawComboDropButtonWinXP(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                  BOOL bIsHighlighted) override;
    BOOL DrawComboBorderWinXP(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted) override;
    int GetToolBarCustomizeButtonMargin() const override;
    BOOL IsOffsetPressedButton() const override;
    int GetShowAllMenuItemsHeight(CDC* pDC, const CSize& sizeDefault) override;
    void OnDrawShowAllMenuItems(CDC* pDC, CRect rect, ButtonState state) override;
    void OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush, CKtvPToolbarButton* pButton) override;

    // --- operations added by this look, in slot order ----------------------------------------------
    virtual void OnDrawCustomizeButton(CDC* pDC, CRect rect, BOOL bHorz, ButtonState state,
                                       BOOL bDrawCustomizeArrow, BOOL bDrawMoreButtons);
    // Re-tints the bar copies of the system colours in globalData; the system copies stay.
    virtual void ModifyGlobalColors();

    // --- the palette ------------------------------------------------------------------------------
    CKtvPWinXPThemeManager m_winXPTheme;
    COLORREF m_clrBarGradient1, m_clrBarGradient2;
    COLORREF m_clrToolBarGradient1, m_clrToolBarGradient2;
    COLORREF m_clrToolBarGradientVert1, m_clrToolBarGradientVert2;
    COLORREF m_clrCustomizeButtonGradient1, m_clrCustomizeButtonGradient2;
    COLORREF m_clrToolBarBottomLine;
    COLORREF m_clrToolBarCorner1, m_clrToolBarCorner2;
    COLORREF m_clrMenuItemHighlight;
    COLORREF m_clrHighlightGradient1, m_clrHighlightGradient2;
    COLORREF m_clrHighlightDnGradient1, m_clrHighlightDnGradient2;
    COLORREF m_clrHighlightCheckedGradient1, m_clrHighlightCheckedGradient2;
    CPen m_penSeparatorLight;
    COLORREF m_clrToolBarGripper;
    COLORREF m_clrCaptionBarGradient1, m_clrCaptionBarGradient2;
    CBrush m_brBarFace;
    COLORREF m_clrTaskPaneGradient1, m_clrTaskPaneGradient2;
    COLORREF m_clrTaskGroupCaptionGradient1, m_clrTaskGroupCaptionGradient2;
    COLORREF m_clrTaskGroupSpecialGradient1, m_clrTaskGroupSpecialGradient2;
    COLORREF m_clrTaskGroupInteriorGradient1, m_clrTaskGroupInteriorGradient2;
    COLORREF m_clrTaskGroupBorder;
    CPen m_penTaskGroupBorder;
    BOOL m_bLunaTheme;
    CString m_strThemeColorName;

protected:
    // A themed system colour: the window theme's when open, else the system's.
    COLORREF ThemedSysColor(int nIndex) const;
    // The colours computed without a visual style, at full colour depth.
    void ComputeGradientColors();
    BOOL IsLowColor() const;
    // How far a toolbar's gripper band and separators stay from the bar's edges.
    static int ToolBarBandInset(CKtvPBaseControlBar* pBar, BOOL bHorz);
    // Draws a toolbar's customise button from the bar's own background pass.
    void DrawToolBarCustomizeButton(CDC* pDC, CKtvPToolBar* pToolBar, const CRect& rectClient, BOOL bHorz);
    void DrawOneNoteTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CKtvPBaseTabWnd* pTabWnd);
};
