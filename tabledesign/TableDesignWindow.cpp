#include "tabledesign/TableDesignWindow.h"

#include "platform/controls/grid/GridAutomation.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "resources/TableDesignIds.h"
#include "tabledesign/TableDesignColumn.h"
#include "tabledesign/TableDesignPages.h"

IMPLEMENT_DYNCREATE(CTableDoc, CDocument)
IMPLEMENT_DYNCREATE(CTableChildFrame, CKtvPMDIChildWnd)
IMPLEMENT_DYNCREATE(CTableView, CKtvPTabView)

BEGIN_MESSAGE_MAP(CTableChildFrame, CKtvPMDIChildWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CTableChildFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPMDIChildWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    ShowWindow(SW_SHOWNORMAL);
    return 0;
}

BEGIN_MESSAGE_MAP(CTableView, CKtvPTabView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

const char* const CTableView::kSqlTextNotice = "This page shows the table's script and the changes not saved yet.";

int CTableView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // The tab window is set up here, not as the tab view sets up its own:
    // flat tabs at the top, a flat frame and no reordering by drag.
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndTabs.Create(CKtvPTabWnd::TABSTYLE_FLAT, CRect(0, 0, 0, 0), this, 1, CKtvPBaseTabWnd::LOCATION_TOP,
                          FALSE))
        return -1;
    m_wndTabs.SetFlatFrame(TRUE);
    m_wndTabs.EnableAutoColor(TRUE);
    if (!m_wndTabs.m_bDrawFrame) {
        m_wndTabs.m_bDrawFrame = TRUE;
        m_wndTabs.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    m_wndTabs.m_bEnableTabSwap = FALSE;
    // The pages are views of the frame, which destroys them; the tab window
    // destroying them as well would destroy each twice.
    m_wndTabs.m_bAutoDestroyWindow = FALSE;
    m_wndTabs.RecalcLayout();

    // The pages exist before the initial update, which reaches them in tab
    // order: the columns page binds the server objects the others read.
    struct Page {
        CRuntimeClass* pClass;
        const char* label;
    };
    const Page pages[] = {
        {RUNTIME_CLASS(CTableDesignColumn), "Columns"},
        {RUNTIME_CLASS(CTableDesignCheck), "Check Constraints"},
        {RUNTIME_CLASS(CTableDesignForeign), "Foreign Keys"},
        {RUNTIME_CLASS(CTableDesignPermissions), "Permissions"},
        {RUNTIME_CLASS(CTableDesignTrigger), "Triggers"},
        {RUNTIME_CLASS(CTableDesignStatistics), "Statistics"},
        {RUNTIME_CLASS(CTableDesignProperty), "Properties"},
        {RUNTIME_CLASS(CTableDesignSQLText), "SQL Text"},
    };
    for (const Page& page : pages) {
        const int index = AddView(page.pClass, page.label);
        if (index < 0)
            return -1;
        if (page.pClass == RUNTIME_CLASS(CTableDesignSQLText))
            m_nSQLTextTab = index;
    }
    return 0;
}

CTableView* CTableView::FromChild(CWnd* pWnd)
{
    for (CWnd* pParent = pWnd != nullptr ? pWnd->GetParent() : nullptr; pParent != nullptr;
         pParent = pParent->GetParent())
        if (auto* pView = dynamic_cast<CTableView*>(pParent))
            return pView;
    return nullptr;
}

void CTableView::OnInitialUpdate()
{
    CKtvPTabView::OnInitialUpdate();
    if (m_wndTabs.GetTabsNum() > 0 && m_wndTabs.GetActiveTab() < 0)
        SetActiveView(0);
}

void CTableView::OnActivateView(CView* pView)
{
    if (pView == nullptr)
        return;
    auto* pSqlText = dynamic_cast<CTableDesignSQLText*>(m_wndTabs.GetTabWnd(m_nSQLTextTab));
    if (pSqlText == nullptr)
        return;
    if (pView != pSqlText) {
        pSqlText->m_bNoticeShown = FALSE;
        return;
    }
    // Once each time the user comes to the tab from another.
    if (pSqlText->m_bEditorReady && !pSqlText->m_bNoticeShown) {
        pSqlText->m_bNoticeShown = TRUE;
        AfxMessageBox(kSqlTextNotice, MB_OK | MB_ICONINFORMATION);
    }
}

namespace tw::tabledesign {

namespace {

// A designer works on a table on the server, never on a file: opening a
// file must not land in a table-design window.
class TableDesignTemplate : public CMultiDocTemplate {
public:
    TableDesignTemplate()
        : CMultiDocTemplate(IDR_TW_TABLEDESIGN, RUNTIME_CLASS(CTableDoc), RUNTIME_CLASS(CTableChildFrame),
                            RUNTIME_CLASS(CTableView))
    {
    }

    Confidence MatchDocType(LPCTSTR, CDocument*& rpDocMatch) override
    {
        rpDocMatch = nullptr;
        return noAttempt;
    }
};

}  // namespace

CMultiDocTemplate* MakeTemplate()
{
    // The column grid is the hosted data grid: its class is there before any designer opens.
    tw::grid::RegisterClasses();
    return new TableDesignTemplate;
}

CTableView* OpenDesigner(CMultiDocTemplate* pTemplate, const CString& strDatabase, const CString& strTable)
{
    if (pTemplate == nullptr)
        return nullptr;
    CWaitCursor wait;
    CDocument* pDoc = pTemplate->CreateNewDocument();
    if (pDoc == nullptr)
        return nullptr;
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, nullptr);
    if (pFrame == nullptr) {
        delete pDoc;
        return nullptr;
    }
    pDoc->m_bEmbedded = TRUE;
    if (!pDoc->OnNewDocument()) {
        pFrame->DestroyWindow();
        return nullptr;
    }
    pDoc->m_bEmbedded = FALSE;
    CTableView* pView = nullptr;
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != nullptr && pView == nullptr)
        pView = dynamic_cast<CTableView*>(pDoc->GetNextView(pos));
    if (pView != nullptr) {
        pView->m_strDatabase = strDatabase;
        pView->m_strTable = strTable;
    }
    pDoc->SetTitle("Table Designer");
    pTemplate->InitialUpdateFrame(pFrame, pDoc, TRUE);
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->UpdateWindow();
    return pView;
}

}  // namespace tw::tabledesign
