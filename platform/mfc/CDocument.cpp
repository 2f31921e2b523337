#include "platform/mfc/CDocument.h"

#include "platform/comctl/dialogs/commdlg.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CFile.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CView.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxres.h"
#include "platform/win32/dialog/windlg.h"
#include "platform/win32/kernel/Files.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

namespace doc_detail {

CString FrameworkString(UINT nID, LPCTSTR lpszFallback)
{
    CString text;
    if (!text.LoadString(nID))
        text = lpszFallback;
    return text;
}

CString FileTitleOf(const CString& path)
{
    int cut = -1;
    for (int i = 0; i < path.GetLength(); ++i) {
        if (path[i] == '/' || path[i] == '\\')
            cut = i;
    }
    return path.Mid(cut + 1);
}

}  // namespace doc_detail

CDocument::~CDocument()
{
    // Views still attached must not call back into a dead document.
    POSITION pos = GetFirstViewPosition();
    while (pos) {
        CView* pView = GetNextView(pos);
        pView->m_pDocument = nullptr;
    }
    m_viewList.RemoveAll();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = lpszPathName;
    SetTitle(doc_detail::FileTitleOf(m_strPathName));
    if (bAddToMRU && !m_strPathName.IsEmpty()) {
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(m_strPathName);
    }
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::AddView(CView* pView)
{
    if (!pView || m_viewList.Find(pView))
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (!pos)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

// Frames showing the same document number themselves ("Doc:1", "Doc:2").
void CDocument::UpdateFrameCounts()
{
    CPtrList frames;
    POSITION pos = GetFirstViewPosition();
    while (pos) {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame && pView->IsWindowVisible() && !frames.Find(pFrame))
            frames.AddTail(pFrame);
    }
    const int nFrames = static_cast<int>(frames.GetCount());
    int nNext = 1;
    for (pos = frames.GetHeadPosition(); pos;) {
        auto* pFrame = static_cast<CFrameWnd*>(frames.GetNext(pos));
        pFrame->m_nWindow = nFrames > 1 ? nNext++ : 0;
        pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstViewPosition();
    while (pos) {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE);  // dirty while half loaded
    try {
        CArchive loadArchive(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        Serialize(loadArchive);
        loadArchive.Close();
    } catch (CException* e) {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    file.Close();
    SetModifiedFlag(FALSE);
    return TRUE;
}

// Written beside the file and renamed over it, so a failed save leaves the old file whole.
BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    const CString tempPath = CString(lpszPathName) + ".saving";
    CFile file;
    CFileException fe;
    if (!file.Open(tempPath, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    try {
        CArchive saveArchive(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        Serialize(saveArchive);
        saveArchive.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        ::DeleteFile(tempPath);
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    if (!::MoveFileEx(tempPath, lpszPathName, MOVEFILE_REPLACE_EXISTING)) {
        ::DeleteFile(tempPath);
        ReportSaveLoadException(lpszPathName, nullptr, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    TCHAR cause[512] = {};
    CString text;
    if (e && e->GetErrorMessage(cause, sizeof cause) && cause[0])
        text = cause;
    else
        text.Format(bSaving ? "Failed to save document %s." : "Failed to open document %s.", lpszPathName);
    AfxMessageBox(text, MB_ICONEXCLAMATION, nIDPDefault);
}

void CDocument::OnCloseDocument()
{
    // Closing the frames removes the views; keep the document alive until the end.
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        auto* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        }
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);  // a view with no frame, or one that outlived it
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::DeleteContents() {}

void CDocument::Serialize(CArchive&) {}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    // Only the last frame of the document asks.
    POSITION pos = GetFirstViewPosition();
    while (pos) {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame && pFrame != pFrameArg)
            return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : doc_detail::FileTitleOf(m_strPathName);
    if (name.IsEmpty())
        name = doc_detail::FrameworkString(AFX_IDS_UNTITLED, "Untitled");
    CString prompt = doc_detail::FrameworkString(AFX_IDP_ASK_TO_SAVE, "Save changes to %1?");
    prompt.Replace("%1", name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:  // cancelled, or the box could not be shown: keep the document
        return FALSE;
    }
}

BOOL CDocument::DoFileSave()
{
    return DoSave(m_strPathName.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_strPathName));
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName ? CString(lpszPathName) : CString();
    if (newName.IsEmpty()) {
        newName = AskSaveAsName();
        if (newName.IsEmpty())
            return FALSE;
    }
    if (!OnSaveDocument(newName))
        return FALSE;
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

// The Save As dialog of the document's type, offering the title with the
// type's extension for a document never saved; empty when cancelled.
CString CDocument::AskSaveAsName()
{
    CDocTemplate* pTemplate = GetDocTemplate();
    CString name = m_strPathName;
    if (name.IsEmpty()) {
        name = m_strTitle;
        // A title may hold what a file name cannot; the offer stops before it.
        const int bad = name.FindOneOf("/\\:*?\"<>|");
        if (bad >= 0)
            name = name.Left(bad);
        CString ext;
        if (pTemplate && pTemplate->GetDocString(ext, CDocTemplate::filterExt)) {
            const int end = ext.Find(';');
            if (end >= 0)
                ext = ext.Left(end);
            ext.TrimLeft('*');
            if (!ext.IsEmpty() && ext[0] == '.')
                name += ext;
        }
    }
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !pApp->DoPromptFileName(name, AFX_IDS_SAVEFILE, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, pTemplate))
        return CString();
    return name;
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}

// After its own map, a document offers commands to its template.
BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
