#include "scripts/SnippetStore.h"

#include "editctrl/KtvPEditCtrl.h"
#include "editctrl/KtvPEditView.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CMDIChildWnd.h"
#include "platform/mfc/CMDIFrameWnd.h"
#include "session/ChildFrame.h"
#include "session/VelQryViews.h"
#include "ui/frames/KtvPRegistry.h"

namespace snippets {

namespace {
constexpr const char* kRepositoryTitlePrefix = "Repository File - ";

CKtvPEditCtrl* SnippetEditOf(CView* pView)
{
    auto* pEditView = dynamic_cast<CKtvPEditView*>(pView);
    return pEditView != nullptr ? pEditView->GetEditCtrl() : nullptr;
}
}  // namespace

CString PageKey(const CString& strPage) { return CString(kRootKey) + "\\" + strPage; }

CString ItemKey(const CString& strPage, const CString& strItem) { return PageKey(strPage) + "\\" + strItem; }

CString TextToInsert(const CString& strPage, const CString& strItem)
{
    CString text;
    {
        CKtvPRegistry registry(FALSE, TRUE);
        if (registry.Open(ItemKey(strPage, strItem))) {
            DWORD dwOpt = 0;
            if (!registry.Read(strItem + kOptSuffix, dwOpt))
                dwOpt = 0;
            if (!registry.Read(strItem + (dwOpt != 0 ? kFileSuffix : kContentSuffix), text))
                text.Empty();
        }
    }
    return text.IsEmpty() ? strItem : text;
}

CKtvPEditCtrl* InsertionTarget(CMDIFrameWnd* pMainWnd)
{
    if (pMainWnd == nullptr)
        return nullptr;
    CMDIChildWnd* pChild = pMainWnd->MDIGetActive();
    if (pChild == nullptr)
        return nullptr;
    CDocument* pDoc = pChild->GetActiveDocument();
    if (pDoc != nullptr && pDoc->GetTitle().Left(18) == kRepositoryTitlePrefix)
        return SnippetEditOf(pChild->GetActiveView());
    auto* pQuery = dynamic_cast<CChildFrame*>(pChild);
    if (pQuery == nullptr || pQuery->m_pQueryView == nullptr)
        return nullptr;
    CView* pTab = pQuery->m_pQueryView->GetActiveView();
    if (pTab == nullptr)
        return nullptr;
    CString kind;
    pTab->GetWindowText(kind);
    if (kind != "CMDEdit" && kind != "BatchEdit" && kind != "EditMode")
        return nullptr;
    return SnippetEditOf(pTab);
}

BOOL InsertIntoActiveEditor(CMDIFrameWnd* pMainWnd, const CString& strText)
{
    CKtvPEditCtrl* pEdit = InsertionTarget(pMainWnd);
    if (pEdit == nullptr || strText.IsEmpty())
        return FALSE;
    // One undo step for the whole snippet, whatever its length or lines.
    return pEdit->InsertText(strText, pEdit->GetCaretOffset(), TRUE, FALSE, TRUE, FALSE, TRUE);
}

}  // namespace snippets
