// The keyboard map: every command of the application with its keys and its
// description, category by category, for the frame's shortcut table or a
// document kind's. Sorts by any column, prints, copies the selected rows as
// text, and reopens where it was last closed.
#pragma once

#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/CString.h"
#include "platform/win32/menu/winmenu.h"
#include "ui/controls/KtvPButton.h"
#include "ui/controls/KtvPListCtrl.h"

class CDC;
class CFrameWnd;
class CKtvPToolbarButton;
class CKtvPToolbarCustomize;

class CKtvPKeyMapDlg;

// The map's list: a click on a column header sorts as the dialog says.
class CKtvPKeyMapList : public CKtvPListCtrl {
public:
    void Sort(int iColumn, BOOL bAscending = TRUE, BOOL bAdd = FALSE) override;

    CKtvPKeyMapDlg* m_pDlg = nullptr;
};

class CKtvPKeyMapDlg : public CDialog {
public:
    explicit CKtvPKeyMapDlg(CFrameWnd* pWndParentFrame, BOOL bEnablePrint = FALSE);
    ~CKtvPKeyMapDlg() override;

    INT_PTR DoModal() override;
    BOOL Create(CWnd* pParentWnd = nullptr);

    // --- new virtuals, in slot order -------------------------------------------------------------
    virtual void CopyKeyMap();
    virtual void PrintKeyMap();
    virtual int OnPrintHeader(CDC& dc, int nPage, int cx) const;
    virtual int OnPrintItem(CDC& dc, int nItem, int y, int cx, BOOL bCalcHeight) const;
    virtual CString FormatItem(int nItem) const;
    virtual void SetColumns();
    virtual void OnInsertItem(CKtvPToolbarButton* pButton, int nItem);
    virtual void SetColumnWidths();
    virtual CString GetCommandKeys(UINT uiCmdID) const;

    // Fields, in declared order.
    CStatic m_wndAccelLabel;
    CKtvPKeyMapList m_KeymapList;
    CComboBox m_wndCategoryList;
    CStatic m_wndIcon;
    CComboBox m_wndViewTypeList;
    CKtvPButton m_ButtonPrint;
    CKtvPButton m_ButtonCopy;
    CFrameWnd* m_pWndParentFrame = nullptr;
    HACCEL m_hAccelTable = nullptr;
    LPACCEL m_lpAccel = nullptr;          // owned copy of the table shown
    int m_nAccelSize = 0;
    CKtvPToolbarCustomize* m_pDlgCustomize = nullptr;  // owned, the command catalogue only
    int m_nSortColumn = 0;
    BOOL m_bSortAscending = TRUE;
    BOOL m_bEnablePrint = FALSE;
    HINSTANCE m_hInstDefault = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    void OnSelchangeViewType();
    void OnSelchangeCategory();
    void OnCopy();
    void OnPrint();
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    void SortList();
    friend class CKtvPKeyMapList;
    // A header click: the same column flips the order, another sorts ascending.
    void OnColumnHeaderClick(int iColumn);
    static int CALLBACK CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
};
