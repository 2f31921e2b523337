// The library's property sheet and page. The page carries the dialog
// companion (popup menus of a page behave like the main window's) and what
// a sheet needs to show it in a tree. The sheet can replace its row of tabs
// by a navigation pane: an outlook bar of large page buttons, a tree of
// categories and pages, or a slanted tab window.
#pragma once

#include "platform/mfc/CImageList.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CPropertyPage.h"
#include "platform/mfc/CPropertySheet.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CTreeCtrl.h"
#include "platform/mfc/afxmsg.h"
#include "ui/controls/KtvPOutlookBarPane.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/docking/KtvPOutlookBar.h"
#include "ui/frames/KtvPDlgImpl.h"

class CKtvPPopupMenu;
class CKtvPPropertySheet;
class CKtvPPropSheetCategory;

class CKtvPPropertyPage : public CPropertyPage {
    DECLARE_DYNAMIC(CKtvPPropertyPage)
public:
    CKtvPPropertyPage();
    explicit CKtvPPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    ~CKtvPPropertyPage() override;

    // The library popup menu open over the page, NULL once it closed.
    void SetActiveMenu(CKtvPPopupMenu* pMenu);

    BOOL OnSetActive() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CKtvPPropSheetCategory* GetCategory() const { return m_pCategory; }
    int GetIcon() const { return m_nIcon; }
    int GetSelectedIcon() const { return m_nSelIconNum; }
    HTREEITEM GetTreeItem() const { return m_hTreeNode; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CKtvPDlgImpl m_Impl;
    CKtvPPropSheetCategory* m_pCategory;
    int m_nIcon;
    int m_nSelIconNum;
    HTREEITEM m_hTreeNode;

    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    BOOL OnNcActivate(BOOL bActive);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    friend class CKtvPPropertySheet;
};

// A category of the tree look: owned by the sheet (top level) or by its parent category.
class CKtvPPropSheetCategory : public CObject {
    DECLARE_DYNAMIC(CKtvPPropSheetCategory)
public:
    CKtvPPropSheetCategory(LPCTSTR lpszName, int nIcon, int nSelectedIcon,
                           const CKtvPPropSheetCategory* pParentCategory, CKtvPPropertySheet& propSheet);
    ~CKtvPPropSheetCategory() override;

    const CString m_strName;
    const int m_nIcon;
    const int m_nSelectedIcon;
    CKtvPPropSheetCategory* m_pParentCategory;
    HTREEITEM m_hTreeItem;
    CList<CKtvPPropSheetCategory*, CKtvPPropSheetCategory*> m_lstSubCategories;
    CList<CKtvPPropertyPage*, CKtvPPropertyPage*> m_lstPages;
    HTREEITEM m_hLastSelectedItem;
    CKtvPPropertySheet& m_propSheet;
};

// The page of large buttons inside the sheet's outlook bar.
class CKtvPPropSheetPane : public CKtvPOutlookBarPane {
public:
    CKtvPPropSheetPane() : m_pParent(nullptr) {}

    BOOL OnSendCommand(const CKtvPToolbarButton* pButton) override;

    CKtvPPropertySheet* m_pParent;
};

// The slanted tabs of the sheet's slanted look.
class CKtvPPropSheetTab : public CKtvPTabWnd {
public:
    // The 2003 look fills its tab area with the plain face colour.
    CKtvPPropSheetTab() : m_pParent(nullptr) { m_bFlatFrame2003 = TRUE; }

    BOOL SetActiveTab(int iTab) override;

    CKtvPPropertySheet* m_pParent;
};

class CKtvPPropertySheet : public CPropertySheet {
    DECLARE_DYNAMIC(CKtvPPropertySheet)
public:
    enum PropSheetLook {
        SHEETLOOK_TABS = 0,
        SHEETLOOK_OUTLOOK = 1,
        SHEETLOOK_TREE = 2,
        SHEETLOOK_SLANTED_TABS = 3,
    };

    CKtvPPropertySheet();
    explicit CKtvPPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CKtvPPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CKtvPPropertySheet() override;

    // --- overrides and virtual operations added, in slot order ---
    BOOL OnInitDialog() override;
    virtual void OnActivatePage(CPropertyPage* pPage);
    virtual CWnd* CreateNavigationPane();
    virtual BOOL OnRemoveTreePage(CPropertyPage* pPage);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Before the window is made; any look but the tabs turns stacked tabs off.
    void SetLook(int look, int nNavBarWidth = 100);
    int GetLook() const { return m_look; }
    BOOL SetIconsList(UINT uiImageListResID, int cx, COLORREF clrTransparent = RGB(255, 0, 255));
    void SetIconsList(HIMAGELIST hIcons);
    CKtvPPropSheetCategory* AddTreeCategory(LPCTSTR lpszLabel, int nIconNum = -1, int nSelectedIconNum = -1,
                                            const CKtvPPropSheetCategory* pParentCategory = nullptr);
    void AddPageToTree(CKtvPPropSheetCategory* pCategory, CKtvPPropertyPage* pPage, int nIconNum = -1,
                       int nSelIconNum = -1);
    // Takes the page with its navigation entry.
    void RemovePage(CPropertyPage* pPage);
    using CPropertySheet::RemovePage;

    CKtvPOutlookBar& GetOutlookBar() { return m_wndOutlookBar; }
    CTreeCtrl& GetTree() { return m_wndTree; }
    CKtvPTabWnd& GetTab() { return m_wndTab; }
    int GetNavBarWidth() const { return m_nBarWidth; }

protected:
    void AddPageToNavigation(int nPage);
    void AddCategoryToTree(CKtvPPropSheetCategory* pCategory);
    // The category, then its sub-categories, depth first.
    void AddCategoryDepthFirst(CKtvPPropSheetCategory* pCategory);
    void InvalidateTreeItem(HTREEITEM hItem);

    int m_look;
    CKtvPOutlookBar m_wndOutlookBar;
    CKtvPPropSheetPane m_wndPane1;
    CKtvPPropSheetTab m_wndTab;
    CTreeCtrl m_wndTree;
    int m_nBarWidth;
    int m_nActivePage;   // the checked navigation button
    CImageList m_Icons;
    CList<CKtvPPropSheetCategory*, CKtvPPropSheetCategory*> m_lstTreeCategories;
    BOOL m_bIsInSelectTree;
    CKtvPDlgImpl m_Impl;

    // Posted to check the highlighted navigation button once the page shows.
    static constexpr UINT UM_AFTERACTIVATEPAGE = WM_USER + 1001;
    // The tree's control id.
    static constexpr UINT idTree = 101;

    // The dialog companion's, as the library's dialog has them.
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    BOOL OnNcActivate(BOOL bActive);
    void OnDestroy();
    LRESULT OnAfterActivatePage(WPARAM wParam, LPARAM lParam);
    void OnSelectTree(NMHDR* pNMHDR, LRESULT* pResult);
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    friend class CKtvPPropSheetCategory;
    friend class CKtvPPropSheetPane;
    friend class CKtvPPropSheetTab;
};
