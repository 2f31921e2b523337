// The customise sheet's Tools page: the user tools of the user-tools manager
// in an edit-list box (New, Delete, Move Item Up, Move Item Down) and the
// selected tool's command, arguments and initial directory. Every change
// goes into the manager at once.
#pragma once

#include "platform/mfc/CButton.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CPropertyPage.h"
#include "platform/mfc/CString.h"
#include "ui/commandbars/KtvPEditListBox.h"
#include "ui/controls/KtvPMenuButton.h"

class CKtvPToolbarCustomize;
class CKtvPToolsPage;
class CKtvPUserTool;

// The page's list: each item is a tool (its data) under the tool's title.
class CKtvPToolsPageList : public CKtvPEditListCtrl {
public:
    explicit CKtvPToolsPageList(CKtvPToolsPage* pParent) : m_pParent(pParent) {}

    void OnSelectionChanged() override;
    BOOL OnBeforeRemoveItem(int iItem) override;
    void OnAfterAddItem(int iItem) override;
    void OnAfterRenameItem(int iItem) override;
    void OnAfterMoveItemUp(int iItem) override;
    void OnAfterMoveItemDown(int iItem) override;
    // The fields follow the selection also when the last item went and none is left selected.
    BOOL RemoveItem(int iIndex) override;

    CKtvPToolsPage* m_pParent;
};

class CKtvPToolsPage : public CPropertyPage {
public:
    CKtvPToolsPage();
    ~CKtvPToolsPage() override;

    // The tool of an item of the list, NULL when none.
    CKtvPUserTool* GetToolByIndex(int iItem);
    void EnableControls();

    // Fields, in declared order.
    CKtvPMenuButton m_wndInitialDirBtn;
    CKtvPMenuButton m_wndArgumentsBtn;
    CEdit m_wndArgumentsEdit;
    CEdit m_wndInitialDirEdit;
    CEdit m_wndCommandEdit;
    CButton m_wndBrowseBtn;
    CKtvPToolsPageList m_wndToolsList;
    CString m_strCommand;
    CString m_strArguments;
    CString m_strInitialDirectory;
    CKtvPUserTool* m_pSelTool = nullptr;
    CKtvPToolbarCustomize* m_pParentSheet = nullptr;
    CMenu m_menuArguments;
    CMenu m_menuInitialDir;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnKillActive() override;

    void OnBrowseCommand();
    void OnUpdateTool();
    void OnArgumentsOptions();
    void OnInitialDirectoryOptions();
    DECLARE_MESSAGE_MAP()

    CKtvPUserTool* CreateNewTool();
    void OnSelchangeToolsList();
    friend class CKtvPToolsPageList;

private:
    // The string of the command chosen from a menu button, typed into the edit at its caret.
    void TypeMenuChoice(CKtvPMenuButton& button, CEdit& edit);
    // Shows the three values without the edits' change notices storing them back.
    void ShowValues();
    BOOL m_bShowingValues = FALSE;
};
