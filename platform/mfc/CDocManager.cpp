#include "platform/mfc/CDocManager.h"

#include <string>
#include <vector>

#include "platform/comctl/dialogs/commdlg.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CFileDialog.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CNewTypeDlg.h"
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

// With several document types the user chooses among those File New names;
// a single one needs no question.
void CDocManager::OnFileNew()
{
    if (m_templateList.IsEmpty()) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    std::vector<CDocTemplate*> offered;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString name;
        if (pTemplate->GetDocString(name, CDocTemplate::fileNewName))
            offered.push_back(pTemplate);
    }
    CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetHead());
    if (offered.size() == 1) {
        pTemplate = offered.front();
    } else if (offered.size() > 1) {
        CNewTypeDlg dlg(offered, AfxGetMainWnd());
        if (dlg.DoModal() != IDOK || !dlg.m_pSelectedTemplate)
            return;
        pTemplate = dlg.m_pSelectedTemplate;
    }
    pTemplate->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen()
{
    CString fileName;
    if (!DoPromptFileName(fileName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
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
    CString allFiles;
    if (!allFiles.LoadString(AFX_IDS_ALLFILTER))
        allFiles = "All Files (*.*)";
    filter += std::string(static_cast<LPCTSTR>(allFiles)) + '\0' + "*.*" + '\0';
    filter += '\0';
    return CString(filter.data(), static_cast<int>(filter.size()));
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate)
{
    CFileDialog dlgFile(bOpenFileDialog, nullptr, fileName.IsEmpty() ? nullptr : static_cast<LPCTSTR>(fileName),
                        OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, AfxGetMainWnd());
    const CString filter = BuildFilter(pTemplate);
    CString title;
    if (!nIDSTitle || !title.LoadString(nIDSTitle))
        title = bOpenFileDialog ? "Open" : "Save As";  // the framework's own titles
    CString defaultExt;
    if (pTemplate && pTemplate->GetDocString(defaultExt, CDocTemplate::filterExt)) {
        // The first of the type's extensions, without its dot.
        const int end = defaultExt.Find(';');
        if (end >= 0)
            defaultExt = defaultExt.Left(end);
        defaultExt.TrimLeft("*.");
    }
    dlgFile.m_ofn.Flags |= lFlags;
    dlgFile.m_ofn.lpstrFilter = filter;
    dlgFile.m_ofn.lpstrTitle = title;
    dlgFile.m_ofn.lpstrDefExt = defaultExt.IsEmpty() ? nullptr : static_cast<LPCTSTR>(defaultExt);
    if (dlgFile.DoModal() != IDOK)
        return FALSE;
    fileName = dlgFile.GetPathName();
    return TRUE;
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

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    // Without document types there is still a dialog, with all files.
    if (!m_pDocManager)
        m_pDocManager = new CDocManager;
    return m_pDocManager->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
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
