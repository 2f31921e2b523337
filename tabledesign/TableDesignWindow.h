// The table-design window: a document, an MDI child frame and a tabbed view
// holding one page per part of the table under design.
#pragma once

#include "platform/mfc/CDocument.h"
#include "platform/mfc/afxmsg.h"
#include "ui/controls/KtvPTabView.h"
#include "ui/frames/KtvPMDIChildWnd.h"

class CMultiDocTemplate;

class CTableDoc : public CDocument {
    DECLARE_DYNCREATE(CTableDoc)
public:
    CTableDoc() = default;
};

class CTableChildFrame : public CKtvPMDIChildWnd {
    DECLARE_DYNCREATE(CTableChildFrame)
public:
    CTableChildFrame() = default;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

class CTableView : public CKtvPTabView {
    DECLARE_DYNCREATE(CTableView)
public:
    CTableView() = default;

    void OnActivateView(CView* pView) override;
    void OnInitialUpdate() override;

    // The page's text as the notice shows it on entering the SQL text tab.
    static const char* const kSqlTextNotice;

    CString m_strDatabase{"master"};
    // "owner.name" or a bare name.
    CString m_strTable{"spt_values"};
    BOOL m_bNewTable = FALSE;
    int m_nSQLTextTab = 0;
    // FALSE when the columns page could not find the table: the other pages
    // then load nothing rather than report the same failure again.
    BOOL m_bTableFound = TRUE;

    // The table-design view a page or view of it lies in; NULL for none.
    static CTableView* FromChild(CWnd* pWnd);

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

namespace tw::tabledesign {

// The application's table-design template: resource 130, CTableDoc,
// CTableChildFrame and CTableView.
CMultiDocTemplate* MakeTemplate();

// Opens a further table-design window on the table named "owner.name" of the
// database; NULL when the window could not be made.
CTableView* OpenDesigner(CMultiDocTemplate* pTemplate, const CString& strDatabase, const CString& strTable);

}  // namespace tw::tabledesign
