#include "session/TarnwickDoc.h"

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMDIFrameWnd.h"
#include "platform/mfc/afxmsg.h"
#include "platform/mfc/afxres.h"
#include "session/ChildFrame.h"
#include "session/VelQryViews.h"

IMPLEMENT_DYNCREATE(CTarnwickDoc, CDocument)

BEGIN_MESSAGE_MAP(CTarnwickDoc, CDocument)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

namespace {

CChildFrame* ActiveQueryWindow()
{
    auto* pMainFrame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    return pMainFrame ? dynamic_cast<CChildFrame*>(pMainFrame->MDIGetActive()) : nullptr;
}

}  // namespace

void CTarnwickDoc::Serialize(CArchive& ar)
{
    // The Batch editor alone holds the script: the Edit-Mode editor keeps
    // its own text and is neither stored nor filled.
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        auto* pView = dynamic_cast<CVelQryBactchView*>(GetNextView(pos));
        if (pView == nullptr || pView->GetEditCtrl() == nullptr)
            continue;
        CString text;
        pView->GetWindowText(text);
        text.Trim();
        if (text != "BatchEdit")
            continue;
        pView->GetEditCtrl()->Serialize(ar);
        if (CChildFrame* pFrame = ActiveQueryWindow(); pFrame != nullptr && pFrame->m_pQueryView != nullptr)
            pFrame->m_pQueryView->SetActiveView(pFrame->m_pQueryView->m_nBatchTab);
        break;
    }
}

BOOL CTarnwickDoc::OnNewDocument() { return CDocument::OnNewDocument(); }

BOOL CTarnwickDoc::OnOpenDocument(LPCTSTR lpszPathName) { return CDocument::OnOpenDocument(lpszPathName); }

BOOL CTarnwickDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    if (CChildFrame* pFrame = ActiveQueryWindow(); pFrame != nullptr && pFrame->m_wndStatusBar.GetSafeHwnd())
        pFrame->m_wndStatusBar.SetPaneText(0, "Please wait...");
    return CDocument::OnSaveDocument(lpszPathName);
}

BOOL CTarnwickDoc::CanCloseFrame(CFrameWnd* pFrame)
{
    const CString title = GetTitle();
    const BOOL bCan = CDocument::CanCloseFrame(pFrame);
    if (!bCan)
        SetTitle(title);
    return bCan;
}

BOOL CTarnwickDoc::SaveModified()
{
    const CString title = GetTitle();
    const BOOL bSaved = CDocument::SaveModified();
    if (!bSaved)
        SetTitle(title);
    return bSaved;
}

void CTarnwickDoc::OnFileSave()
{
    const CString title = GetTitle();
    if (!DoSave(GetPathName(), TRUE))
        SetTitle(title);
}

void CTarnwickDoc::OnFileSaveAs()
{
    const CString title = GetTitle();
    if (!DoSave(nullptr, TRUE))
        SetTitle(title);
}
