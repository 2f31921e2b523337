// The window of one open popup menu: a topmost, non-activating frame around
// the bar that holds the items. It places itself on the work area, scrolls,
// animates, casts a shadow, may be torn off, and links the chain of parent
// and child menus. The colour, calendar and calculator pickers derive from it.
#pragma once

#include <ctime>

#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CMiniFrameWnd.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"

class CKtvPMenuPage;
class CKtvPControlBar;
class CKtvPToolbarMenuButton;

class CKtvPPopupMenu : public CMiniFrameWnd {
    DECLARE_SERIAL(CKtvPPopupMenu)
public:
    CKtvPPopupMenu();
    // The customisation Menu page's editable copy of a context menu.
    CKtvPPopupMenu(CKtvPMenuPage* pMenuPage, LPCTSTR lpszTitle);
    ~CKtvPPopupMenu() override;

    // Where the popup opened relative to its bar button.
    enum DROP_DIRECTION { DROP_DIRECTION_NONE = 0, DROP_DIRECTION_TOP = 2, DROP_DIRECTION_LEFT = 4 };
    // Side of the logo strip.
    enum LOGO_LOCATION { MENU_LOGO_LEFT = 0, MENU_LOGO_RIGHT = 1, MENU_LOGO_TOP = 2, MENU_LOGO_BOTTOM = 3 };
    // What a screen point falls on (HitTest).
    enum MENUAREA_TYPE {
        MENU = 0, SHADOW_RIGHT = 1, SHADOW_BOTTOM = 2, LOGO = 3, OUTSIDE = 4, TEAROFF_CAPTION = 5,
    };
    enum ANIMATION_TYPE { NO_ANIMATION = 0, UNFOLD = 1, SLIDE = 2, FADE = 3 };

    // --- overrides ------------------------------------------------------------------------------
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // --- new virtuals, in slot order ------------------------------------------------------------
    virtual CKtvPPopupMenuBar* GetMenuBar();
    virtual BOOL InCommand();
    virtual BOOL InitMenuBar();
    virtual BOOL TearOff(CPoint point);
    virtual CKtvPControlBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName);
    virtual BOOL Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked = FALSE,
                        BOOL bOwnMessage = FALSE);

    using CMiniFrameWnd::Create;

    // --- items ----------------------------------------------------------------------------------
    int InsertItem(const CKtvPToolbarButton& button, int iInsertAt = -1);
    int InsertSeparator(int iInsertAt = -1);
    int GetMenuItemCount() const;
    CKtvPToolbarButton* GetMenuItem(int iIndex) const;
    BOOL RemoveItem(int iIndex);
    void RemoveAllItems();

    // --- the chain of menus ---------------------------------------------------------------------
    static BOOL ActivatePopupMenu(CFrameWnd* pTopFrame, CKtvPPopupMenu* pPopupMenu);
    void CloseMenu(BOOL bSetFocus = FALSE);
    CKtvPPopupMenu* GetParentPopupMenu() const;
    CKtvPToolBar* GetParentToolBar() const;
    CKtvPToolbarMenuButton* GetSelItem();
    // One of the MENUAREA_TYPE values.
    int HitTest(CPoint pt) const;
    void ShowAllCommands();
    void ShowAllItems();
    BOOL PostCommand(UINT uiCommandID);
    void CancelAllItems();
    // In customise mode: the edited items go back into the parent buttons' menus, up the chain.
    void WriteBackToParentButtons();

    // --- drawing, scrolling and shadow ----------------------------------------------------------
    BOOL UpdateScrollButtons(BOOL bForce = FALSE);
    BOOL CanScrollUp();
    BOOL CanScrollDown();
    void CheckShadowFits(BOOL bNoResize);
    void UpdateShadow(LPCRECT lprectScreen = nullptr);
    static void UpdateAllShadows(LPCRECT lprectScreen = nullptr);

    // Fields, in declared order.
    BOOL m_bCloseParentOnDestroy = TRUE;
    CWnd* m_pWndMessage = nullptr;         // receives the commands; asked first by OnCmdMsg
    CKtvPToolbarMenuButton* m_pParentButton = nullptr;
    int m_nDropDirection = DROP_DIRECTION_NONE;
    CKtvPPopupMenuBar m_menuBar;
    HMENU m_hMenu = nullptr;
    CPoint m_ptPos;
    CPoint m_ptPosInitial;
    CSize m_sizeFinal;
    int m_nMenuBarHeight = 0;
    BOOL m_bOwnsMenu = TRUE;               // the destructor destroys m_hMenu
    BOOL m_bTrackMode = FALSE;
    BOOL m_bAlignRight = FALSE;
    BOOL m_bShown = FALSE;
    BOOL m_bClosing = FALSE;
    int m_nMaxMenuWidth = -1;
    int m_nLogoSize = 0;
    int m_nLogoLocation = MENU_LOGO_LEFT;
    CKtvPMenuPage* m_pEditPage = nullptr;
    CString m_strTitle;
    CSize m_sizeAnim;
    BOOL m_bAnimRight = TRUE;
    BOOL m_bAnimDown = TRUE;
    BOOL m_bAnimationDone = TRUE;
    BOOL m_bScrollable = FALSE;
    CRect m_rectScrollUp;
    CRect m_rectScrollDown;
    int m_nScrollDirection = 0;            // -1 up, 1 down
    int m_nScrollButtonHeight = 0;
    CBitmap m_bmpAnimBack;
    CBitmap m_bmpAnimMenu;
    CBitmap m_bmpAnimMix;
    int m_nFadePercent = 0;
    DWORD* m_pAnimBackBits = nullptr;
    DWORD* m_pAnimMenuBits = nullptr;
    DWORD* m_pAnimMixBits = nullptr;
    int m_nShadowDepth = 0;
    CBitmap m_bmpShadowRight;
    CBitmap m_bmpShadowBottom;
    BOOL m_bTearOffTracking = FALSE;
    BOOL m_bTearOffHot = FALSE;
    CRect m_rectTearOff;
    CToolTipCtrl m_wndToolTip;
    BOOL m_bShowAllForced = FALSE;
    int m_nLookKind = 2;                   // 2 ordinary, 1 the chevron's drop-down, 0 a frame's button list

    static CKtvPPopupMenu* m_pActivePopupMenu;
    static int m_nAnimationType;
    static BOOL m_bForceShadow;
    static int m_nAnimationSpeed;          // ms per step
    static clock_t m_nAnimTimeStart;
    static BOOL m_bFocusOwnerBar;          // the bar that opens a popup takes the focus; cleared by the main frame

protected:
    void Initialize();
    // "Recent File" becomes the recent-file list; the tools placeholder the user tools.
    void ExpandRecentFiles();
    void ExpandUserTools();
    // The parent button draws the part of this menu's shadow that falls on it.
    void RepaintShadowOverParentButton();
    void BringHotItemIntoView();
    void DrawScrollButton(CDC* pDC, const CRect& rect, int nGlyph, BOOL bHighlight);
    void DrawAnimation(CDC* pDC);
    void OnAnimationStep();
    void OnScrollStep();
    // The client area less shadow, border, logo and tear-off strip: the bar's place.
    CRect GetInnerRect() const;

    BOOL m_bSavedRecentlyUsed = TRUE;      // the option ShowAllCommands switched off
    // Border, shadow, logo, tear-off strip and scroll buttons; the bar paints the items.
    void DrawFrame(CDC* pDC);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnDestroy();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnTimer(UINT_PTR nIDEvent);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    DECLARE_MESSAGE_MAP()
};
