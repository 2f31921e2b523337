// The modeless Tools/Customize sheet. While it is open the frame is in
// customise mode: buttons may be dragged between bars, the frame's other
// windows are disabled and command use is not counted. The sheet owns the
// command catalogue that its pages offer for dragging, and chooses its pages
// from the managers the application created.
#pragma once

#include "platform/mfc/CList.h"
#include "platform/mfc/CMapStringToPtr.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CPropertySheet.h"
#include "platform/mfc/CStringList.h"

class CBitmap;
class CComboBox;
class CFrameWnd;
class CListBox;
class CMenu;
class CKtvPCustomizePage;
class CKtvPKeyboardPage;
class CKtvPMenuBar;
class CKtvPMenuPage;
class CKtvPMousePage;
class CKtvPOptionsPage;
class CKtvPToolBar;
class CKtvPToolbarButton;
class CKtvPToolbarsPage;
class CKtvPToolsPage;
class CKtvPUserTool;

// Option bits of the sheet's flag word; the pages read them through their sheet.
enum : UINT {
    KTVCUSTOMIZE_MENU_SHADOWS = 0x01,     // the Menu page offers the shadows check box
    KTVCUSTOMIZE_TEXT_LABELS = 0x02,      // the Toolbars page offers text labels
    KTVCUSTOMIZE_LOOK_2000 = 0x04,        // the Options page offers "Look 2000" (cleared when the look refuses it)
    KTVCUSTOMIZE_MENU_ANIMATIONS = 0x08,  // the Menu page offers the animation box
    KTVCUSTOMIZE_NOHELP = 0x10,           // no Help button
    KTVCUSTOMIZE_CONTEXT_HELP = 0x20,     // the caption's help button and help pop-ups
    // 0x40 is always cleared by the constructor.
    KTVCUSTOMIZE_NO_TOOLS = 0x80,         // no Tools page
    KTVCUSTOMIZE_SAVE_MENU_AMPS = 0x100,  // command names keep their '&'
};

class CKtvPToolbarCustomize : public CPropertySheet {
    DECLARE_DYNAMIC(CKtvPToolbarCustomize)
public:
    // plistCustomPages: runtime classes of extra pages, made and owned by the sheet.
    CKtvPToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus = FALSE,
                          UINT uiFlags = KTVCUSTOMIZE_MENU_SHADOWS | KTVCUSTOMIZE_TEXT_LABELS |
                                         KTVCUSTOMIZE_LOOK_2000 | KTVCUSTOMIZE_MENU_ANIMATIONS,
                          CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages = nullptr);
    ~CKtvPToolbarCustomize() override;

    // --- overrides ------------------------------------------------------------------------------
    BOOL OnInitDialog() override;
    // Close checks the tools first; Help asks the frame.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // --- new virtuals, in slot order ------------------------------------------------------------
    virtual void FillAllCommandsList(CListBox& wndListOfCommands) const;
    // Hooks of the Tools page; the library's sheet does nothing in them.
    virtual void OnInitToolsPage() {}
    virtual void OnBeforeChangeTool(CKtvPUserTool* /*pSelTool*/) {}
    virtual void OnAfterChangeTool(CKtvPUserTool* /*pSelTool*/) {}
    // Runs on Close while the Tools page exists; FALSE keeps the sheet open on it.
    virtual BOOL CheckToolsValidity(const CObList& /*lstTools*/) { return TRUE; }
    // Modeless, owned by the frame; turns customise mode on.
    virtual BOOL Create();
    // The Edit Button Image dialog over the bitmap; TRUE when the user pressed OK.
    virtual BOOL OnEditToolbarMenuImage(CWnd* pWndParent, CBitmap& bitmap, int nBitsPerPixel);

    void EnableUserDefinedToolbars(BOOL bEnable = TRUE);
    // A toolbar was shown or hidden while the sheet is open.
    void ShowToolBar(CKtvPToolBar* pToolBar, BOOL bShow);

    // --- the command catalogue ------------------------------------------------------------------
    void AddButton(LPCTSTR lpszCategory, const CKtvPToolbarButton& button, int iInsertBefore = -1);
    void AddMenuCommands(const CMenu* pMenu, BOOL bPopup, LPCTSTR lpszCategory = nullptr,
                         LPCTSTR lpszMenuPath = nullptr);
    void SetupFromMenus();
    void AddUserTools(LPCTSTR lpszCategory);
    void ReplaceButton(UINT uiCmd, const CKtvPToolbarButton& button);
    void FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty = TRUE) const;
    void FillCategoriesListBox(CListBox& wndCategory, BOOL bAddEmpty = TRUE) const;
    // The display name of the first all-commands entry of the command; NULL when none.
    LPCTSTR GetCommandName(UINT uiCmd) const;
    int GetCountInCategory(LPCTSTR lpszItemName, const CObList& lstButtons) const;
    // The menu bar of the library's MDI or SDI frame; NULL for any other frame.
    static CKtvPMenuBar* GetFrameMenuBar(CFrameWnd* pFrame);

    // Fields, in declared order.
    CMapStringToPtr m_ButtonsByCategory;      // name -> owned CObList of owned buttons
    CStringList m_strCategoriesList;          // in first-use order; not the all-commands one
    CKtvPCustomizePage* m_pCustomizePage = nullptr;   // owned
    CKtvPToolbarsPage* m_pToolbarsPage = nullptr;     // owned
    CKtvPKeyboardPage* m_pKeyboardPage = nullptr;     // owned
    CKtvPMenuPage* m_pMenuPage = nullptr;             // owned
    CKtvPMousePage* m_pMousePage = nullptr;           // owned
    CKtvPOptionsPage* m_pOptionsPage = nullptr;       // owned
    CKtvPToolsPage* m_pToolsPage = nullptr;           // owned; NULL without the Tools page
    CList<CPropertyPage*, CPropertyPage*> m_listCustomPages;   // owned
    CString m_strAllCommands;
    CFrameWnd* m_pParentFrame = nullptr;
    BOOL m_bAutoSetFromMenus = FALSE;
    UINT m_uiFlags = 0;
    BOOL m_bSaveMenuAmps = FALSE;

    // The sheet whose window was created last; NULL once it is destroyed.
    static CKtvPToolbarCustomize* m_pCustomizeSheet;

protected:
    // Leaves customise mode, then deletes the object.
    void PostNcDestroy() override;
    void EnableCustomizeMode(BOOL bEnable);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    LRESULT OnHelp(WPARAM wParam, LPARAM lParam);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // The frame's child windows customise mode disabled; only these are enabled again.
    CList<HWND, HWND> m_listDisabledWnds;
    BOOL m_bCustomizeMode = FALSE;
    HWND m_hwndCustomizedFrame = nullptr;
    BOOL m_bCreating = FALSE;

    // The Tools, Keyboard and Mouse pages (KtvPToolbarCustomizePages.cpp).
    void CustomizeAddToolsAndKeyboardPages();
    void CustomizeAddMousePage();
    void CustomizeDeleteOwnPages();
    CPropertyPage* CustomizeToolsPage() const;
};
