// What the designer's pages share: a form view with a 25-pixel band at the top
// for the page's toolbar and a two-row splitter below it, the list view above
// and the detail view below; and the list and detail views, form views whose
// main control stretches with them.
#pragma once

#include "platform/mfc/CFormView.h"
#include "platform/mfc/CSplitterWnd.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPToolBar.h"

class CTableView;
class CException;
class _com_error;

// Every failure of the server objects or the grid in a handler is shown once
// in a message box.
void TdReportComError(const _com_error& error);
void TdReportException(CException* pError);

class CTableDesignPage : public CFormView {
    DECLARE_DYNAMIC(CTableDesignPage)
public:
    static constexpr int kToolBarBand = 25;

    CStatic m_wndToolBarArea;
    CSplitterWnd m_wndSplitter;
    CKtvPToolBar m_wndToolBar;
    BOOL m_bPanesCreated = FALSE;
    CView* m_pListView = nullptr;
    CView* m_pDetailView = nullptr;

    // The table-design view that holds the page: its parent's parent.
    CTableView* GetTableView() const;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;

protected:
    CTableDesignPage(UINT nIDTemplate, UINT nIDToolBarArea);

protected:
    virtual CRuntimeClass* GetListViewClass() const = 0;
    virtual CRuntimeClass* GetDetailViewClass() const = 0;
    // The ideal height of the splitter's upper row: half of the splitter.
    virtual int FirstRowHeight(int splitterHeight) const { return splitterHeight / 2; }
    // Makes the splitter with the list view above and the detail view below,
    // loads the toolbar into the band, then marks the panes as made.
    BOOL CreatePanes();
    // Hands a command to the list view; nothing before it exists.
    void PassToList(UINT nID);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    UINT m_nIDToolBarArea;
};

// A list or detail view of a page: the control with id nIDMainControl keeps
// its top-left corner and stretches to the view's bottom-right.
class CTableDesignPaneView : public CFormView {
    DECLARE_DYNAMIC(CTableDesignPaneView)
public:
    // The page that holds the view: its parent's parent (view, splitter, page).
    CTableDesignPage* GetPage() const;

protected:
    CTableDesignPaneView(UINT nIDTemplate, UINT nIDMainControl);

    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    UINT m_nIDMainControl;
};
