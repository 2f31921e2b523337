// What every library frame shares, embedded in each: the main window's
// stored placement, the link to the menu bar, user-defined and tear-off
// toolbars, the key and mouse filtering that lets library menus work while
// the frame's own loop runs, and the "Add or Remove Buttons" list.
#pragma once

#include "platform/mfc/CMap.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CString.h"
#include "platform/win32/user/winuser.h"

class CDockState;
class CFrameWnd;
class CMenu;
class CKtvPControlBar;
class CKtvPDockManager;
class CKtvPMenuBar;
class CKtvPPopupMenu;
class CKtvPToolBar;

class CCmdUI;
class CWnd;
class CKtvPFrameHooks;

class CKtvPFrameImpl {
public:
    explicit CKtvPFrameImpl(CFrameWnd* pFrame);
    // Deletes the toolbar objects of both lists; their windows are gone by then.
    virtual ~CKtvPFrameImpl();

    // --- placement and loading with the frame -------------------------------------------------
    void RestorePosition(CREATESTRUCT& cs);
    void OnCloseFrame();
    void OnLoadFrame();
    BOOL LoadLargeIconsState();

    void SetMenuBar(CKtvPMenuBar* pMenuBar);

    // --- user-defined toolbars ----------------------------------------------------------------
    void InitUserToolbars(LPCTSTR lpszRegEntry, UINT uiUserToolbarFirst, UINT uiUserToolbarLast);
    void LoadUserToolbars();
    void SaveUserToolbars(BOOL bFrameBarsOnly = FALSE);
    CKtvPToolBar* GetUserToolBarByIndex(int nIndex) const;
    BOOL IsUserDefinedToolbar(const CKtvPControlBar* pToolBar) const;
    UINT GetFreeUserToolbarId() const;
    CKtvPToolBar* CreateNewToolbar(LPCTSTR lpszName);
    BOOL DeleteToolbar(CKtvPToolBar* pToolBar);
    void SetupToolbarMenu(CMenu& menu, const UINT uiViewUserToolbarCmdFirst, const UINT uiViewUserToolbarCmdLast);

    // --- tear-off toolbars ----------------------------------------------------------------------
    void AddTearOffToolbar(CKtvPControlBar* pToolBar);
    void RemoveTearOffToolbar(CKtvPControlBar* pToolBar);
    void LoadTearOffMenus();
    void SaveTearOffMenus(BOOL bFrameBarsOnly = FALSE);

    // --- the docking layout, for the workspace -------------------------------------------------
    void SaveDockManagerState(LPCTSTR lpszProfileName = nullptr);
    void LoadDockManagerState(LPCTSTR lpszProfileName = nullptr);
    void SetDockManagerState(CDockState& state);

    // --- keys, mnemonics and clicks while library menus are open -------------------------------
    BOOL ProcessKeyboard(int nKey, BOOL* pbProcessAccel = nullptr);
    BOOL ProcessMouseClick(UINT uiMsg, POINT pt, HWND hwnd);
    BOOL OnMenuChar(UINT nChar);
    // A character typed with Alt (a code point): the menu bar's, then a toolbar's mnemonic.
    BOOL OnMenuTypedChar(UINT nCodePoint);
    // The key of a WM_MENUCHAR's character: letters come as typed, the bars look keys up in upper case.
    static UINT MenuCharKey(WPARAM wParam);
    static BOOL IsHelpKey(const MSG* pMsg);
    void DeactivateMenu();

    // --- popup hooks ----------------------------------------------------------------------------
    BOOL OnShowPopupMenu(CKtvPPopupMenu* pMenuPopup, CFrameWnd* pWndFrame);
    void OnShowCustomizeMenu(CKtvPPopupMenu* pMenuPopup, UINT uiToolbarId);
    BOOL IsCustomizeMenu(CKtvPPopupMenu* pMenuPopup) const;
    void SetupToolbarButtonsMenu(CKtvPPopupMenu* pMenuPopup);

    UINT m_uiUserToolbarFirst;
    UINT m_uiUserToolbarLast;
    CObList m_listUserDefinedToolbars;  // owned
    CObList m_listTearOffToolbars;      // owned
    CString m_strControlBarRegEntry;
    CKtvPMenuBar* m_pMenuBar;
    HMENU m_hDefaultMenu;
    CFrameWnd* m_pFrame;
    CKtvPDockManager* m_pDockManager;
    UINT m_nIDDefaultResource;
    BOOL m_bLoadDockState;

    // The toolbar whose buttons the "Add or Remove Buttons" list shows, and
    // the command ids it shows as present there.
    static CKtvPToolBar* m_pCustomizeToolbar;
    static CMap<UINT, UINT, UINT, UINT> m_mapCustomizeIds;

    // F10 went down as the menu key; its release moves the focus.
    BOOL m_bMenuKeyF10Down;

    // --- what the library frames share ------------------------------------------------------------
    // Which rows of the frames' message filter a frame kind takes.
    enum FilterKind {
        FILTER_MDI,      // Alt and menu keys, accelerators always translated
        FILTER_SDI,      // as the MDI frame, but a focused toolbar control stops accelerators
        FILTER_INPLACE,  // no Alt-key rows; double-clicks are routed too, WM_LBUTTONUP is not
    };
    enum FilterResult { FILTER_CONSUMED, FILTER_NO_ACCEL, FILTER_PASS };
    FilterResult FilterFrameMessage(MSG* pMsg, FilterKind kind);
    // An accelerator command counted, given to an open popup as Esc or run as a
    // user tool; TRUE when that consumed it.
    BOOL OnAcceleratorCommand(WPARAM wParam);
    // The frames' WM_DESTROY: every direct child but hwndKeep goes before the frame.
    static void DestroyChildWindows(CWnd* pFrame, HWND hwndKeep = nullptr);
    // The view of a frame, when it is the edit control's print-preview view.
    static CWnd* GetPrintPreviewView(CFrameWnd* pFrame);
    // A frame's layout through its dock manager, or the framework's while the bars are hidden.
    static void RecalcFrameLayout(CFrameWnd* pFrame, CKtvPDockManager& dockManager, BOOL bIsMinimized,
                                  BOOL bNotify);
    // The view bar commands: show a hidden bar, hide a shown one.
    static BOOL ToggleControlBar(CKtvPFrameHooks* pHooks, UINT nID);
    static BOOL UpdateControlBarMenu(CKtvPFrameHooks* pHooks, CCmdUI* pCmdUI);

private:
    void ToggleMenuBarFocus();
    BOOL IsMenuKeyF10(const MSG* pMsg) const;
    FilterResult OnMenuKeyF10Down(CKtvPPopupMenu* pPopup);
    // The menu bar, then the frame's toolbars, look the key (or the typed character) up.
    BOOL TranslateBarsChar(UINT nChar, BOOL bTyped);
    // A byte of a character beyond ASCII: once whole, a mnemonic while a menu
    // is open, the menu bar has the focus or Alt is held; text otherwise.
    FilterResult OnTypedCharByte(const MSG* pMsg, CKtvPPopupMenu* pPopup);
    BOOL HasUserToolbarRange() const;
    // A user-defined or torn-off toolbar window with the given id; NULL when it cannot be made.
    CKtvPToolBar* CreateUserToolbarWindow(UINT uiID);
    void ConfigureToolbar(CKtvPToolBar* pToolBar);
    // The settings path under which the tear-off toolbars are numbered.
    static CString GetTearOffBase();
};
