// A property sheet: pages behind a row of tabs, with OK, Cancel, Apply and
// Help, over the platform's property-sheet control. It runs modally
// (DoModal), as a modeless window (Create), or as a child window of a dialog
// (Create with WS_CHILD). Pages are made when they are first shown.
#pragma once

#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CPropertyPage.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CTabCtrl.h"
#include "platform/mfc/CWnd.h"

// Help is on offer when the main window or the application handles ID_HELP.
BOOL AfxHelpEnabled();

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    // For sheets built with the default constructor.
    void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // IDOK or IDCANCEL (or what EndDialog gave); -1 when the sheet could not
    // be made: no page, or a page whose template is missing or fails.
    virtual INT_PTR DoModal();
    // Modeless: by default a visible popup with caption and system menu, whose
    // OK, Cancel and Apply buttons are hidden; with WS_CHILD in dwStyle a
    // child window of pParentWnd. FALSE when the window could not be made.
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1), DWORD dwExStyle = 0);

    // Before or after the window exists; the sheet does not own its pages.
    void AddPage(CPropertyPage* pPage);
    // The active page being removed hands over to a neighbour first.
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    // FALSE when the active page refuses to be left or the page cannot be made.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);

    // nStyle PSH_PROPTITLE gives "Properties for " + the text.
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    CTabCtrl* GetTabControl() const;
    // Before the window is made: stacked tabs (the default) wrap onto more
    // rows when they do not fit; otherwise they stay in one row.
    void EnableStackedTabs(BOOL bStacked);
    // PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW or PSBTN_HELP, as if the user had
    // pressed it (posted: it happens when the sheet next handles messages).
    void PressButton(int nButton);
    // Ends the sheet with this result without asking the pages: a modal sheet
    // leaves its loop, a modeless one is destroyed.
    void EndDialog(int nEndID);

    // The header handed to the control; PSH_ flags may be changed before the
    // window is made (PSH_NOAPPLYNOW, PSH_HASHELP, PSH_PROPTITLE).
    PROPSHEETHEADER m_psh{};

    // After the control built the sheet and showed its first page.
    virtual BOOL OnInitDialog();
    // Tab, mnemonics, Enter and Esc through the sheet's keyboard interface;
    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp change the page.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    CString m_strCaption;
    CWnd* m_pParentWnd = nullptr;
    BOOL m_bStacked = TRUE;
    BOOL m_bModeless = FALSE;

private:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    // Builds the page records of m_psh; FALSE when a page's template is missing.
    BOOL BuildPropPageArray();
    // Makes the window through the control with this style; the handle or NULL.
    HWND CreateSheetWindow(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle);
    static int CALLBACK SheetCallback(HWND hWnd, UINT uMsg, LPARAM lParam);
    void HideStandardButtons();

    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGE> m_pageRecords;
    DWORD m_dwCreateStyle = 0;
    DWORD m_dwCreateExStyle = 0;
    mutable CTabCtrl m_tabWrapper;  // for a tab control no object of the program holds
};
