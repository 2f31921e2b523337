// The look: every painter of the library asks the current visual manager how
// to draw bars, grippers, captions, buttons, menus, tabs, panes and pop-ups.
// This class holds the look's metrics and flags and is the classic look
// itself; the XP and 2003 looks derive from it. Exactly one manager is
// current; GetInstance makes one on first use, so painters never see none.
#pragma once

#include "platform/mfc/CObject.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"
#include "ui/frames/KtvPCodes.h"

class CBitmap;
class CBrush;
class CDC;
class CImageList;
class CWnd;
class CKtvPAutoHideButton;
class CKtvPBaseControlBar;
class CKtvPBaseTabWnd;
class CKtvPBaseToolBar;
class CKtvPBrowseEdit;
class CKtvPButton;
class CKtvPCalculator;
class CKtvPCaptionBar;
class CKtvPCaptionButton;
class CKtvPDockingControlBar;
class CKtvPHeaderCtrl;
class CKtvPMiniFrameWnd;
class CKtvPPopupMenu;
class CKtvPSlider;
class CKtvPSpinButton;
class CKtvPStatusBar;
class CKtvPTask;
class CKtvPTasksGroup;
class CKtvPToolbarButton;
class CKtvPToolbarComboBoxButton;
class CKtvPToolbarEditBoxButton;
class CKtvPToolbarMenuButton;

class CPen;

// A progress pane's filled width and its percentage, with the count clamped
// to [0, total] and the arithmetic in 64 bits; 0 for a total of 0 or less.
int KtvProgressFilledWidth(int nWidth, int nTotal, int nCurrent);
int KtvProgressPercent(int nTotal, int nCurrent);

class CKtvPVisualManager : public CObject {
    DECLARE_DYNCREATE(CKtvPVisualManager)
public:
    explicit CKtvPVisualManager(BOOL bTemporary = FALSE);
    ~CKtvPVisualManager() override;

    // Never NULL: the current manager, made from the registered class when none is current.
    static CKtvPVisualManager* GetInstance();
    // A class not derived from this one changes nothing; NULL selects the classic look.
    static void SetDefaultManager(CRuntimeClass* pRTI);
    static void RedrawAll();
    void SetLook2000(BOOL bLook2000 = TRUE);
    BOOL IsLook2000() const { return m_bLook2000; }

    // --- virtual operations, in slot order -----------------------------------------------------
    virtual BOOL IsWinXPThemeAvailable() const;
    virtual void OnUpdateSystemColors();

    virtual void OnFillBarBackground(CDC* pDC, CKtvPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                                     BOOL bNCArea = FALSE);
    virtual void OnDrawBarBorder(CDC* pDC, CKtvPBaseControlBar* pBar, CRect& rect);
    virtual void OnDrawMenuBorder(CDC* pDC, CKtvPPopupMenu* pMenu, CRect rect);
    virtual void OnDrawMenuShadow(CDC* pDC, const CRect& rectClient, const CRect& rectExclude, int nDepth,
                                  int nBrightness1, int nBrightness2, CBitmap* pBmpSaveBottom,
                                  CBitmap* pBmpSaveRight);
    virtual void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CKtvPBaseControlBar* pBar);
    virtual void OnDrawSeparator(CDC* pDC, CKtvPBaseControlBar* pBar, CRect rect, BOOL bIsHoriz);
    virtual COLORREF OnDrawDockingBarCaption(CDC* pDC, CKtvPDockingControlBar* pBar, BOOL bActive,
                                             CRect rectCaption, CRect rectButtons);
    virtual void OnDrawCaptionButton(CDC* pDC, CKtvPCaptionButton* pButton, BOOL bActive, BOOL bHorz,
                                     BOOL bMaximized, BOOL bDisabled, int nImageID = -1);
    virtual void OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                        BOOL bHighlight);
    virtual void OnDrawStatusBarPaneBorder(CDC* pDC, CKtvPStatusBar* pBar, CRect rectPane, UINT uiID,
                                           UINT nStyle);
    virtual void OnDrawStatusBarProgress(CDC* pDC, CKtvPStatusBar* pStatusBar, CRect rectProgress, int nProgressTotal,
                                         int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                         COLORREF clrProgressText, BOOL bProgressText);
    virtual void OnDrawStatusBarSizeBox(CDC* pDC, CKtvPStatusBar* pStatBar, CRect rectSizeBox);
    virtual void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                       BOOL bIsHighlighted, CKtvPToolbarComboBoxButton* pButton);
    virtual void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                                   CKtvPToolbarComboBoxButton* pButton);
    virtual void OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                                  CKtvPToolbarEditBoxButton* pButton);
    virtual void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive);
    virtual void OnFillButtonInterior(CDC* pDC, CKtvPToolbarButton* pButton, CRect rect, ButtonState state);
    virtual void OnDrawButtonBorder(CDC* pDC, CKtvPToolbarButton* pButton, CRect rect, ButtonState state);
    virtual void OnDrawButtonSeparator(CDC* pDC, CKtvPToolbarButton* pButton, CRect rect, ButtonState state,
                                       BOOL bHorz);
    virtual void OnHighlightMenuItem(CDC* pDC, CKtvPToolbarMenuButton* pButton, CRect rect, COLORREF& clrText);
    virtual void OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed);
    virtual COLORREF GetToolbarButtonTextColor(CKtvPToolbarButton* pButton, ButtonState state);
    virtual COLORREF GetCaptionBarTextColor(CKtvPCaptionBar* pBar);
    virtual void OnDrawCaptionBarBorder(CDC* pDC, CKtvPCaptionBar* pBar, CRect rect, COLORREF clrBarBorder,
                                        BOOL bFlatBorder);
    virtual void OnFillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL bIsHighlighted, BOOL bIsPressed,
                                         COLORREF& clrText);
    virtual void OnDrawOutlookPageButtonBorder(CDC* pDC, CRect& rectBtn, BOOL bIsHighlighted, BOOL bIsPressed);
    virtual void OnDrawOutlookBarSplitter(CDC* pDC, CRect rectSplitter);
    virtual void OnFillOutlookBarCaption(CDC* pDC, CRect rectCaption, COLORREF& clrText);
    virtual void OnEraseTabsArea(CDC* pDC, CRect rect, CKtvPBaseTabWnd* pTabWnd);
    virtual void OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CKtvPBaseTabWnd* pTabWnd);
    virtual void OnFillTab(CDC* pDC, CRect rectFill, CBrush* pbrFill, int iTab, BOOL bIsActive,
                           CKtvPBaseTabWnd* pTabWnd);
    virtual void OnDrawTabContent(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive,
                                  CKtvPBaseTabWnd* pTabWnd, COLORREF clrText);
    virtual void OnEraseTabsButton(CDC* pDC, CRect rect, CKtvPButton* pButton, CKtvPBaseTabWnd* pWndTab);
    virtual void OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKtvPButton* pButton, UINT uiState,
                                        CKtvPBaseTabWnd* pWndTab);
    virtual void GetTabFrameColors(CKtvPBaseTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                   COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                   COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack);
    virtual BOOL OnEraseTabsFrame(CDC* pDC, CRect rect, CKtvPBaseTabWnd* pTabWnd);
    virtual BOOL IsHighlightOneNoteTabs() const;
    virtual COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE);
    virtual void OnDrawMenuArrowOnCustomizeList(CDC* pDC, CRect rectCommand, BOOL bSelected);
    virtual CSize GetButtonExtraBorder() const;
    virtual CSize GetCaptionButtonExtraBorder() const;
    virtual COLORREF OnFillMiniFrameCaption(CDC* pDC, CRect rectCaption, CKtvPMiniFrameWnd* pFrameWnd,
                                            BOOL bActive);
    virtual void OnDrawMiniFrameBorder(CDC* pDC, CKtvPMiniFrameWnd* pFrameWnd, CRect rectBorder,
                                       CRect rectBorderSize);
    virtual void OnDrawFloatingToolbarBorder(CDC* pDC, CKtvPBaseToolBar* pToolBar, CRect rectBorder,
                                             CRect rectBorderSize);
    virtual void OnFillHeaderCtrlBackground(CKtvPHeaderCtrl* pCtrl, CDC* pDC, CRect rect);
    virtual void OnDrawHeaderCtrlBorder(CKtvPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                        BOOL bIsHighlighted);
    virtual void OnDrawHeaderCtrlSortArrow(CKtvPHeaderCtrl* pCtrl, CDC* pDC, CRect& rectArrow, BOOL bIsUp);
    virtual void OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea);
    virtual void OnDrawTasksGroupCaption(CDC* pDC, CKtvPTasksGroup* pGroup, BOOL bIsHighlighted = FALSE,
                                         BOOL bIsSelected = FALSE, BOOL bCanCollapse = FALSE);
    virtual void OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial = FALSE);
    virtual void OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial = FALSE, BOOL bNoTitle = FALSE);
    virtual void OnDrawTask(CDC* pDC, CKtvPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted = FALSE,
                            BOOL bIsSelected = FALSE);
    virtual void OnDrawScrollButton(CDC* pDC, CRect rect, int nExtraTop, int nImageID, BOOL bIsHighlighted);
    virtual void OnDrawSlider(CDC* pDC, CKtvPSlider* pSlider, CRect rect, BOOL bAutoHideMode);
    virtual void OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF clrBox);
    virtual void OnDrawInsetFrame(CDC* pDC, CRect rect);
    virtual void OnDrawFlatFrame(CDC* pDC, CRect rect);
    virtual void OnFillFrameBackground(CDC* pDC, CRect rect);
    virtual void OnFillCalendarBarWeekColumn(CDC* pDC, CRect rect, COLORREF& clrText,
                                             COLORREF& clrTextDisabled);
    virtual COLORREF OnFillCalendarBarCaption(CDC* pDC, CRect rect);
    virtual void OnDrawCheckBox(CDC* pDC, CRect rect, BOOL bHighlighted, BOOL bChecked, BOOL bEnabled);
    virtual void OnDrawControlBorder(CWnd* pWndCtrl);
    virtual void OnFillAutoHideButtonBackground(CDC* pDC, CRect rect, CKtvPAutoHideButton* pButton);
    virtual void OnDrawAutoHideButtonBorder(CDC* pDC, CRect rectBounds, CRect rectBorderSize,
                                            CKtvPAutoHideButton* pButton);
    virtual BOOL OnDrawCalculatorButton(CDC* pDC, CRect rect, CKtvPToolbarButton* pButton, ButtonState state,
                                        int nCommand, CKtvPCalculator* pCalculator);
    virtual BOOL OnDrawCalculatorDisplay(CDC* pDC, CRect rect, const CString& strText, BOOL bMem,
                                         CKtvPCalculator* pCalculator);
    virtual BOOL OnDrawBrowseButton(CDC* pDC, CRect rect, CKtvPBrowseEdit* pEdit, ButtonState state,
                                    COLORREF& clrText);
    virtual void OnDrawSpinButtons(CDC* pDC, CRect rectSpin, int nState, BOOL bOrientation,
                                   CKtvPSpinButton* pSpinCtrl);
    virtual BOOL DrawPushButtonWinXP(CDC* pDC, CRect rect, CKtvPButton* pButton, UINT uiState);
    virtual BOOL DrawComboDropButtonWinXP(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                          BOOL bIsHighlighted);
    virtual BOOL DrawComboBorderWinXP(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                      BOOL bIsHighlighted);
    virtual int GetMenuImageMargin() const;
    virtual BOOL IsLook2000Allowed() const;
    virtual int GetToolBarCustomizeButtonMargin() const;
    virtual BOOL IsOffsetPressedButton() const;
    virtual BOOL IsMenuAttachedToButton() const;
    virtual int GetPopupMenuBorderSize() const;
    virtual int GetShowAllMenuItemsHeight(CDC* pDC, const CSize& sizeDefault);
    virtual void OnDrawShowAllMenuItems(CDC* pDC, CRect rect, ButtonState state);

    // --- the look's values -----------------------------------------------------------------------
    BOOL m_bLook2000;
    int m_nMenuShadowDepth;
    BOOL m_bFlatButtons;
    BOOL m_bShadowHotImages;
    BOOL m_bEmbossDisabled;
    BOOL m_bFadeImages;
    BOOL m_bFillToolbarButtons;
    BOOL m_bTemporary;
    // Tasks pane defaults, read wherever a pane's own value is -1.
    int m_nTasksMarginY;
    int m_nTasksMarginX;
    int m_nTasksGroupGapY;
    int m_nTasksGroupCaptionHeight;
    int m_nTasksGroupCaptionIndentX;
    int m_nTasksGroupCaptionIndentY;
    int m_nTasksIndentX;
    int m_nTasksIconGapX;
    int m_nTasksIconGapY;
    BOOL m_bMenuAttachedToButton;
    int m_nPopupMenuBorderSize;
    // Set by GetInstance on a manager it made; such a manager is deleted by
    // the library's clean-up or by SetDefaultManager.
    BOOL m_bAutoDelete;

    static CKtvPVisualManager* m_pVisManager;
    static CRuntimeClass* m_pRTIDefault;

protected:
    // The light lines inside a slanted tab's outline (points p0 to p7 after
    // clamping), the slant and top edge in clrInner.
    static void DrawSlantedTabInnerLines(CDC* pDC, const POINT* p, BOOL bIsActive, BOOL bCut, BOOL bTop,
                                         COLORREF clrInner);
    // The glyph a caption button shows by its hit id; -1 for none.
    static int CaptionButtonGlyph(UINT nHit, BOOL bHorz, BOOL bMaximized);
    // Where a glyph of the menu images sits centred in rect.
    static CPoint CenteredGlyph(const CRect& rect, int nGlyph);
    // An item of a popup menu: a menu button whose parent is a popup menu bar.
    static BOOL IsPopupMenuItem(const CKtvPToolbarButton* pButton);
    // Disabled by its style, or in customise mode not editable.
    static BOOL IsButtonDisabled(const CKtvPToolbarButton* pButton);
    // Icon and bold name of a task group's caption, placed by the pane's or the look's offsets.
    void DrawTasksGroupCaptionText(CDC* pDC, CKtvPTasksGroup* pGroup, COLORREF clrText);
    // A task: a separator line, or icon and name in the colour of an enabled command given.
    void DrawTaskWith(CDC* pDC, CKtvPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted, CPen* pSeparatorPen,
                      COLORREF clrEnabled);

private:
    // The shapes of the base look's tabs.
    void DrawFlatTabShape(CDC* pDC, CRect& rectTab, COLORREF clrTab, BOOL bIsActive, BOOL bTop,
                          CKtvPBaseTabWnd* pTabWnd);
    void Draw3dTabShape(CDC* pDC, const CRect& rectTab, int iTab, BOOL bIsActive, BOOL bTop, COLORREF clrTab,
                        CKtvPBaseTabWnd* pTabWnd);
    void DrawSlantedTabShape(CDC* pDC, const CRect& rectTab, const CRect& rectTabs, int iTab, BOOL bIsActive,
                             BOOL bTop, COLORREF clrTab, CKtvPBaseTabWnd* pTabWnd);
};
