#include "platform/mfc/CDocManager.h"

#include <string>

#include "platform/comctl/dialogs/commdlg.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CView.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxres.h"

CDocManager::~CDocManager()
{
    POSITION pos = m_templateList.GetHeadPosition();
    while (pos)
        delete static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
    m_templateList.RemoveAll();
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (!pTemplate || m_templateList.Find(pTemplate))
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (!lpszFileName || !*lpszFileName)
        return nullptr;
    CDocTemplate* pBestTemplate = nullptr;
    CDocument* pOpenDocument = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pMatch = nullptr;
        const CDocTemplate::Confidence match = pTemplate->MatchDocType(lpszFileName, pMatch);
        if (match > bestMatch) {
            bestMatch = match;
            pBestTemplate = pTemplate;
            pOpenDocument = pMatch;
        }
        if (match == CDocTemplate::yesAlreadyOpen)
            break;
    }
    if (pOpenDocument) {
        // Bring its frame forward rather than open it twice.
        POSITION viewPos = pOpenDocument->GetFirstViewPosition();
        if (viewPos) {
            CView* pView = pOpenDocument->GetNextView(viewPos);
            if (CFrameWnd* pFrame = pView->GetParentFrame())
                pFrame->ActivateFrame();
        }
        return pOpenDocument;
    }
    return pBestTemplate ? pBestTemplate->OpenDocumentFile(lpszFileName) : nullptr;
}

// With several templates the first one serves; the chooser of document types is not built.
void CDocManager::OnFileNew()
{
    if (m_templateList.IsEmpty()) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen()
{
    CString fileName;
    if (!DoPromptFileName(fileName, 0, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    AfxGetApp()->OpenDocumentFile(fileName);
}

CString CDocManager::BuildFilter(CDocTemplate* pOnly) const
{
    std::string filter;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        if (pOnly && pTemplate != pOnly)
            continue;
        CString name;
        CString ext;
        if (!pTemplate->GetDocString(name, CDocTemplate::filterName) ||
            !pTemplate->GetDocString(ext, CDocTemplate::filterExt))
            continue;
        std::string patterns;
        int start = 0;
        while (start <= ext.GetLength()) {
            int end = ext.Find(';', start);
            if (end < 0)
                end = ext.GetLength();
            CString one = ext.Mid(start, end - start);
            one.Trim();
            if (!one.IsEmpty()) {
                if (!patterns.empty())
                    patterns += ';';
                patterns += (one[0] == '*' ? "" : "*") + std::string(static_cast<LPCTSTR>(one));
            }
            start = end + 1;
        }
        filter += std::string(static_cast<LPCTSTR>(name)) + '\0' + patterns + '\0';
    }
    filter += std::string("All Files (*.*)") + '\0' + "*.*" + '\0';
    filter += '\0';
    return CString(filter.data(), static_cast<int>(filter.size()));
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate)
{
    const CString filter = BuildFilter(pTemplate);
    CString title;
    if (nIDSTitle)
        title.LoadString(nIDSTitle);
    char buffer[MAX_PATH] = {};
    const int copied = std::min<int>(fileName.GetLength(), MAX_PATH - 1);
    std::memcpy(buffer, static_cast<LPCTSTR>(fileName), static_cast<size_t>(copied));

    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof ofn;
    CWnd* pMainWnd = AfxGetMainWnd();
    ofn.hwndOwner = pMainWnd ? pMainWnd->GetSafeHwnd() : nullptr;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = title.IsEmpty() ? nullptr : static_cast<LPCTSTR>(title);
    ofn.Flags = lFlags;
    const BOOL bResult = bOpenFileDialog ? ::GetOpenFileName(&ofn) : ::GetSaveFileName(&ofn);
    if (bResult)
        fileName = buffer;
    return bResult;
}

BOOL CDocManager::SaveAllModified()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

int CDocManager::GetOpenDocumentCount()
{
    int nCount = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        for (POSITION docPos = pTemplate->GetFirstDocPosition(); docPos;) {
            pTemplate->GetNextDoc(docPos);
            ++nCount;
        }
    }
    return nCount;
}

// --- the application's side --------------------------------------------------------------------

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (!m_pDocManager)
        m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_pDocManager ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return m_pDocManager ? m_pDocManager->GetNextDocTemplate(pos) : nullptr;
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return m_pDocManager ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen()
{
    if (m_pDocManager)
        m_pDocManager->OnFileOpen();
}

BOOL CWinApp::SaveAllModified()
{
    return m_pDocManager ? m_pDocManager->SaveAllModified() : TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount()
{
    return m_pDocManager ? m_pDocManager->GetOpenDocumentCount() : 0;
}

void CWinApp::DeleteDocManager()
{
    delete m_pDocManager;
    m_pDocManager = nullptr;
}
