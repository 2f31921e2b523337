// The library's customisable toolbar: an ordered list of buttons that docks at
// a frame edge, floats, or sits in another window. The menu bar, the popup
// menu bar, the drop-down toolbar, the tabbed toolbar and the outlook pane
// derive from it and change it only through its virtuals and switches.
#pragma once

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CMap.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "platform/mfc/afxres.h"
#include "platform/ole/oleidl.h"
#include "ui/commandbars/KtvPBaseToolBar.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/commandbars/KtvPToolbarDropTarget.h"

class CMenu;
class COleDataObject;
class CKtvPCommandUsage;
class CCustomizeButton;
class CKtvPRegistry;
class CKtvPToolbarButton;
class CKtvPToolbarDropSource;
class CKtvPToolbarMenuButton;

// Resource ids handed from LoadBitmap/LoadToolBar to their Ex forms; 0 = none.
struct CKtvPToolBarParams {
    UINT m_uiColdResID = 0;
    UINT m_uiHotResID = 0;   // the standard images
    UINT m_uiDisabledResID = 0;
    UINT m_uiLargeColdResID = 0;
    UINT m_uiLargeHotResID = 0;
    UINT m_uiLargeDisabledResID = 0;
    UINT m_uiMenuResID = 0;
    UINT m_uiMenuDisabledResID = 0;
};

class CKtvPToolBar : public CKtvPBaseToolBar {
    DECLARE_SERIAL(CKtvPToolBar)
public:
    CKtvPToolBar();
    ~CKtvPToolBar() override;
    void Serialize(CArchive& ar) override;

    // --- overrides of the control bar ---------------------------------------------------------
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void EnableDocking(DWORD dwAlignment) override;
    BOOL CanBeClosed() const override;
    CSize CalcLayoutForLength(int nLength, BOOL bVert) override;
    void AdjustLayout() override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcMaxButtonSize(BOOL bVertical) override;
    void OnAfterFloat() override;
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;

    // --- new virtuals, in slot order ----------------------------------------------------------
    // Flat window style, 1-pixel borders.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                        UINT nID = AFX_IDW_TOOLBAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                          CRect rcBorders = CRect(1, 1, 1, 1), UINT nID = AFX_IDW_TOOLBAR);
    virtual void ResetAllImages();
    virtual BOOL LoadBitmap(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                            UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0);
    virtual BOOL LoadToolBar(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                             UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiBmpResID = 0);
    virtual BOOL LoadBitmapEx(CKtvPToolBarParams& params, BOOL bLocked = FALSE);
    virtual BOOL LoadToolBarEx(UINT uiToolbarResID, CKtvPToolBarParams& params, BOOL bLocked = FALSE);
    // Takes ownership of pButton; -1 when refused.
    virtual int InsertButton(CKtvPToolbarButton* pButton, int iInsertAt = -1);
    virtual int InsertButtonCopy(const CKtvPToolbarButton& button, int iInsertAt = -1);
    virtual BOOL RemoveButton(int iIndex);
    virtual void RemoveAllButtons();
    virtual int GetRowHeight() const;
    virtual int GetColumnWidth() const;
    virtual BOOL IsButtonExtraSizeAvailable() const;
    virtual void Deactivate();
    virtual BOOL RestoreFocus();
    virtual BOOL IsOriginalItemsChanged() const;
    virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
    virtual void GetInvalidateItemRect(int nIndex, LPRECT lpRect) const;
    virtual void SetButtonStyle(int nIndex, UINT nStyle);
    virtual BOOL AllowShowTextLabels() const;
    // TRUE: the source button of a move may be removed.
    virtual BOOL OnBeforeRemoveButton(CKtvPToolbarButton* pButton, DROPEFFECT dropEffect);
    virtual BOOL RemoveStateFromRegistry(LPCTSTR lpszProfileName = nullptr, int nIndex = -1,
                                         UINT uiID = (UINT)-1);
    virtual BOOL CanBeRestored() const;
    virtual BOOL RestoreOriginalState();
    // Called by SetButtons before "KTVTOOLBAR_RESETTOOLBAR" goes out.
    virtual void OnReset();
    virtual int HitTest(CPoint point);
    virtual BOOL TranslateChar(UINT nChar);
    virtual BOOL PrevMenu();
    virtual BOOL NextMenu();
    virtual BOOL SetDefaultButtonText(CKtvPToolbarButton* pButton);
    virtual void OnAfterFillBackground(CDC* pDC);
    virtual void OnGlobalFontsChanged();
    virtual void DropDownMenuButton(int iIndex);
    virtual CSize CalcLayout(DWORD dwMode, int nLength = -1);
    virtual BOOL DrawButton(CDC* pDC, CKtvPToolbarButton* pButton, CKtvPToolBarImages* pImages,
                            BOOL bHighlighted, BOOL bDrawDisabledImages);
    virtual void DrawDragMarker(CDC* pDC);
    virtual CWnd* GetCommandTarget() const;
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL NotifyControlCommand(CKtvPToolbarButton* pButton, BOOL bAccelerator, int nNotifyCode,
                                      WPARAM wParam, LPARAM lParam);
    virtual int FindDropIndex(const CPoint point, CRect& rectDrag) const;
    virtual void AdjustLocations();
    // TRUE tells the release handler that the bar ran the button itself.
    virtual BOOL OnSendCommand(const CKtvPToolbarButton* pButton);
    virtual BOOL HighlightDisabledItems() const;
    virtual BOOL AllowShowOnList() const;
    virtual void DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz);
    virtual CKtvPToolbarButton* CreateDroppedButton(COleDataObject* pDataObject);
    virtual BOOL OnKey(UINT nChar);
    virtual void OnCustomizeMode(BOOL bSet);
    virtual BOOL EnableContextMenuItems(CKtvPToolbarButton* pButton, CMenu* pPopup);
    virtual BOOL IsPureMenuButton(CKtvPToolbarButton* pButton) const;
    virtual void GetSeparatorRect(const CKtvPToolbarButton* pButton, RECT* pRect, BOOL bHorz) const;
    virtual void ShowCommandMessageString(UINT uiCmdId);
    virtual int CalcMaxButtonHeight();
    virtual BOOL OnUserToolTip(CKtvPToolbarButton* pButton, CString& strTTText) const;
    virtual BOOL AllowAltCustomization() const;
    virtual BOOL SaveOriginalState(CKtvPRegistry& reg);
    virtual BOOL LoadLastOriginalState(CKtvPRegistry& reg);
    virtual BOOL MergeOriginalItems(CObList& lstOrigButtons);

    using CKtvPBaseToolBar::Create;
    using CKtvPBaseToolBar::CreateEx;

    // --- the button list ----------------------------------------------------------------------
    int GetCount() const;
    CKtvPToolbarButton* GetButton(int iIndex) const;
    int CommandToIndex(UINT nIDFind, int iIndexFirst = 0) const;
    int ButtonToIndex(const CKtvPToolbarButton* pButton) const;
    UINT GetItemID(int nIndex) const;
    UINT GetButtonStyle(int nIndex) const;
    CString GetButtonText(int nIndex) const;
    BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
    // lpszText NULL takes the command's default text.
    void SetButtonTextAndImage(int nIndex, LPCTSTR lpszText, BOOL bText, BOOL bImage);
    int InsertSeparator(int iInsertAt = -1);
    int ReplaceButton(UINT uiCmd, const CKtvPToolbarButton& button, BOOL bAll = FALSE);
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount, BOOL bRemapImages = TRUE);
    static int GetCommandButtons(UINT uiCmd, CObList& listButtons);
    static const CObList& GetAllToolbars() { return m_AllToolbars; }
    BOOL IsUserDefined() const;

    // --- images and sizes ---------------------------------------------------------------------
    static void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetLockedSizes(SIZE sizeButton, SIZE sizeImage);
    static BOOL SetUserImages(CKtvPToolBarImages* pUserImages);
    static BOOL AddToolBarForImageCollection(UINT uiResID, UINT uiBmpResID = 0, UINT uiColdResID = 0,
                                             UINT uiMenuResID = 0, UINT uiDisabledResID = 0,
                                             UINT uiMenuDisabledResID = 0);
    static void CleanUpImages();
    static CSize GetMenuImageSize();
    static CSize GetMenuButtonSize();
    void EnableLargeIcons(BOOL bEnable) { m_bLargeIconsAreEnabled = bEnable; }
    // Row and column metrics from the button size (TRUE) or from the image size.
    void SetSizeFromButtons(BOOL bSize = TRUE) { m_bSizeFromButtons = bSize; }
    static void SetLargeIcons(BOOL bLargeIcons = TRUE);
    static void SetLook2000(BOOL bLook2000 = TRUE);
    static COLORREF GetToolbarTextColor();

    // --- layout -------------------------------------------------------------------------------
    int WrapToolBar(int nWidth, int nHeight = 32767);
    int SizeToolBar(int nLength, BOOL bVert = FALSE);
    void EnableTextLabels(BOOL bEnable = TRUE);
    void EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText,
                               BOOL bQuickCustomize = TRUE);
    // The same with the text from the string table.
    void EnableCustomizeButtonResId(BOOL bEnable, int iCustomizeCmd, UINT uiCustomizeTextResId,
                                    BOOL bQuickCustomize = TRUE);
    BOOL IsOneRowWithSibling();
    void SetOneRowWithSibling();
    void SetTwoRowsWithSibling();
    BOOL CanHaveSibling();
    // The customize button's menu asks by this name.
    BOOL CanHandleSiblings();

    // --- painting, hit-testing and tooltips ---------------------------------------------------
    BOOL IsButtonHighlighted(int iButton) const;
    CKtvPToolbarButton* InvalidateButton(int nIndex);
    CKtvPToolbarButton* GetHighlightedButton() const;
    void UpdateTooltips();

    // --- mouse, keyboard and commands ---------------------------------------------------------
    BOOL DropDownMenu(CKtvPToolbarButton* pButton);
    BOOL SetDroppedMenuButton(CKtvPToolbarMenuButton* pButton);
    CKtvPToolbarMenuButton* GetDroppedDownMenu(int* pIndex = nullptr) const;
    BOOL ProcessCommand(CKtvPToolbarButton* pButton);
    void RebuildAccelerationKeys();
    // Mnemonics typed as characters: letters beyond ASCII arrive as text, not
    // as keys. The key of a mnemonic is its upper-cased code point.
    static UINT MnemonicCharAt(const CString& strLabel, int iPos);
    static UINT UpperMnemonicChar(UINT nCodePoint);
    // The button whose mnemonic is the typed character drops its menu or runs.
    virtual BOOL TranslateTypedChar(UINT nCodePoint);
    static BOOL IsLastCommandFromButton(CKtvPToolbarButton* pButton);
    void UpdateButton(int nIndex);
    static void SetHelpMode(BOOL bOn = TRUE);

    // --- customisation ------------------------------------------------------------------------
    static BOOL SetCustomizeMode(BOOL bSet = TRUE);
    void MoveButtonGroup(CKtvPToolbarButton* pButton, CPoint ptStart, CPoint ptDrop);

    // --- commands of personalised menus -------------------------------------------------------
    static void SetBasicCommands(CList<UINT, UINT>& lstCommands);
    static void AddBasicCommand(UINT uiCmd);
    static BOOL IsCommandRarelyUsed(UINT uiCmd);
    static void AddCommandUsage(UINT uiCommand);

    // --- stored state -------------------------------------------------------------------------
    BOOL SaveResetOriginalState(CKtvPRegistry& reg);
    BOOL LoadResetOriginalState(CKtvPRegistry& reg);
    void OnResetPrompt();
    static BOOL SaveParameters(LPCTSTR lpszProfileName);
    static BOOL LoadParameters(LPCTSTR lpszProfileName);
    static BOOL LoadLargeIconsState(LPCTSTR lpszProfileName);

    // --- class-wide state ---------------------------------------------------------------------
    static CKtvPToolBarImages m_Images;
    static CKtvPToolBarImages m_ColdImages;
    static CKtvPToolBarImages m_DisabledImages;
    static CKtvPToolBarImages m_LargeImages;
    static CKtvPToolBarImages m_LargeColdImages;
    static CKtvPToolBarImages m_LargeDisabledImages;
    static CKtvPToolBarImages m_MenuImages;
    static CKtvPToolBarImages m_DisabledMenuImages;
    static CKtvPToolBarImages* m_pUserImages;   // not owned
    static CSize m_sizeButton;
    static CSize m_sizeImage;
    static CSize m_sizeCurButton;   // twice m_sizeButton under large icons
    static CSize m_sizeCurImage;
    static CSize m_sizeMenuImage;   // -1 x -1: m_sizeImage applies
    static CSize m_sizeMenuButton;  // -1 x -1: m_sizeButton applies
    static CMap<UINT, UINT, int, int> m_DefaultImages;
    static CObList m_AllToolbars;
    static CList<UINT, UINT> m_BasicCommands;
    static CList<UINT, UINT> m_NonPermittedCommands;
    static CKtvPCommandUsage m_UsageCount;
    static BOOL m_bCustomizeMode;
    static BOOL m_bAltCustomizeDrag;
    static BOOL m_bAltCustomization;
    static CKtvPToolBar* m_pSelToolbar;
    static BOOL m_bLargeIcons;
    static BOOL m_bShowTooltips;
    static BOOL m_bShowShortcutKeys;
    static HHOOK m_hookMouseHelp;
    static CKtvPToolBar* m_pLastHookedToolbar;
    static CKtvPToolbarDropSource m_DropSource;
    static COLORREF m_clrTextColor;   // -1: the global button-text colour
    static CString m_strToolTipText;  // the text of the tooltip being shown

protected:
    // The cursor shown over a stretchable button's right edge.
    static HCURSOR StretchCursor();
    // The part after the first newline of a command's string: its tooltip and default text.
    static CString CommandTipText(UINT uiCmd);
    static BOOL IsUserToolCmd(UINT uiCmd);
    static BOOL IsSeparatorButton(const CKtvPToolbarButton* pButton);
    void SendIdlePrompt();
    // The cell a button is given on this bar: its size with the look's extra size.
    CSize GetCellSize() const;
    // The font buttons are measured and drawn with.
    CFont* GetBarFont(BOOL bVert) const;
    void CancelStretch();
    void OnCustomizeLButtonDown(UINT nFlags, CPoint point, int iButton);
    void StartButtonDrag(CKtvPToolbarButton* pButton, int iButton, CPoint point);
    // The context menu's Text (image off) and Image and Text.
    void ShowSelectedText(BOOL bWithImage);
    // Opens the next enabled menu button backwards (-1) or forwards (1).
    BOOL StepDroppedMenu(int nStep);
    // Whether a toolbar lies under a screen point: a drop there is no deletion.
    static BOOL IsOverToolbar(CPoint ptScreen);

    // Resizes the bar in its dock row, mini frame or frame after a layout change.
    void RecalcLayoutInParent();
    // The strip of a pair to draw from: the large one under large icons when it holds images.
    CKtvPToolBarImages* GetImageList(CKtvPToolBarImages& images, CKtvPToolBarImages& imagesLocked,
                                     CKtvPToolBarImages& largeImages, CKtvPToolBarImages& largeImagesLocked) const;
    // The help-mode thread mouse hook.
    static LRESULT CALLBACK ToolBarMouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    LRESULT OnNcHitTest(CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSysColorChange();
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    BOOL OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnCancelMode();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetButton(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetButtonCount(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetItemRect(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetButtonText(WPARAM wParam, LPARAM lParam);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnToolbarReset();
    void OnCopyImage();
    void OnToolbarDelete();
    void OnToolbarAppearance();
    void OnToolbarImage();
    void OnToolbarText();
    void OnToolbarImageAndText();
    void OnToolbarStartGroup();
    void OnToolbarNewMenu();
    DECLARE_MESSAGE_MAP()

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

public:
    // Fields, in declared order.
    CKtvPToolBarImages m_ImagesLocked;
    CKtvPToolBarImages m_ColdImagesLocked;
    CKtvPToolBarImages m_DisabledImagesLocked;
    CKtvPToolBarImages m_LargeImagesLocked;
    CKtvPToolBarImages m_LargeColdImagesLocked;
    CKtvPToolBarImages m_LargeDisabledImagesLocked;
    CKtvPToolBarImages m_MenuImagesLocked;
    CKtvPToolBarImages m_DisabledMenuImagesLocked;
    BOOL m_bLocked = FALSE;                // own images and sizes; never customised
    BOOL m_bLargeIconsAreEnabled = TRUE;
    CKtvPControlBarImpl m_Impl{this};      // the non-client area
    BOOL m_bTextLabels = FALSE;
    BOOL m_bDrawTextLabels = FALSE;
    int m_nMaxBtnHeight = 0;
    CSize m_sizeButtonLocked{23, 22};
    CSize m_sizeImageLocked{16, 15};
    CSize m_sizeCurButtonLocked{23, 22};   // doubled under large icons
    CSize m_sizeCurImageLocked{16, 15};
    int m_iButtonCapture = -1;
    int m_iHighlighted = -1;
    int m_iSelected = -1;
    int m_iDroppedDown = -1;
    CObList m_Buttons;                     // owned, in display order
    CObList m_OrigButtons;                 // owned: one per resource item
    CObList m_OrigResetButtons;            // owned: as after the last reset
    BOOL m_bOriginalItemsChanged = FALSE;
    BOOL m_bTrackFocus = TRUE;
    CKtvPToolbarDropTarget m_DropTarget;
    CToolTipCtrl m_ToolTip;
    int m_nTooltipsCount = 0;
    int m_nLastTooltipId = 0;              // the highest tool id registered
    int m_iDragIndex = -1;
    CRect m_rectDrag;
    CPen m_penDrag;
    CKtvPToolbarButton* m_pDragButton = nullptr;
    CPoint m_ptStartDrag{-1, -1};
    BOOL m_bIsDragCopy = FALSE;
    BOOL m_bStretchButton = FALSE;
    CRect m_rectTrack;
    int m_iImagesOffset = 0;
    UINT m_uiOriginalResID = 0;
    BOOL m_bTracking = FALSE;
    CPoint m_ptLastMouse{-1, -1};
    BOOL m_bMenuMode = FALSE;
    CWnd* m_pWndLastCapture = nullptr;
    HWND m_hwndLastFocus = nullptr;
    BOOL m_bDisableControlsIfNoHandler = TRUE;
    BOOL m_bRouteCommandsViaFrame = TRUE;
    CSize m_sizeLast;
    CMap<UINT, UINT, CKtvPToolbarButton*, CKtvPToolbarButton*> m_AccelKeys;
    BOOL m_bShowHotBorder = TRUE;
    BOOL m_bGrayDisabledButtons = TRUE;
    int m_nMaxLen = 0;                     // 0: no bound on a stretched length
    CCustomizeButton* m_pCustomizeBtn = nullptr;   // owned through m_Buttons, always last
    BOOL m_bQuickCustomize = FALSE;
    // No library operation sets a sibling; the sibling operations then report FALSE.
    CKtvPToolBar* m_pSiblingToolBar = nullptr;
    BOOL m_bSiblingOnRight = TRUE;
    // The menu bar and the looks read it; nothing in the library clears it.
    BOOL m_bSizeFromButtons = TRUE;
    // The last LoadState found a record it could not read and fell back to the resource.
    BOOL m_bStateFellBack = FALSE;
};

// The command-update state of one toolbar button.
class CKtvPToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCTSTR lpszText) override;
};
