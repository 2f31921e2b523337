#include "platform/mfc/CDocTemplate.h"

#include <algorithm>

#include "platform/mfc/CCreateContext.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxres.h"
#include "platform/win32/menu/winmenu.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

namespace doc_template_detail {

CString LowerCopy(CString text)
{
    text.MakeLower();
    return text;
}

// The extension of a path, with its dot, or empty.
CString ExtensionOf(const CString& path)
{
    const int dot = path.ReverseFind('.');
    const int slash = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
    return dot > slash ? path.Mid(dot) : CString();
}

bool SamePath(const CString& a, const CString& b)
{
    return !a.IsEmpty() && LowerCopy(a) == LowerCopy(b);
}

}  // namespace doc_template_detail


CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    m_strDocStrings.LoadString(nIDResource);
}

CDocTemplate::~CDocTemplate()
{
    if (m_hMenuShared)
        ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

void CDocTemplate::LoadTemplate()
{
    if (m_bLoaded)
        return;
    m_bLoaded = TRUE;
    HINSTANCE hInst = AfxGetResourceHandle();
    m_hMenuShared = ::LoadMenu(hInst, MAKEINTRESOURCE(m_nIDResource));
    m_hAccelTable = ::LoadAccelerators(hInst, MAKEINTRESOURCE(m_nIDResource));
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    int start = 0;
    for (int field = 0; field < static_cast<int>(index); ++field) {
        const int next = m_strDocStrings.Find('\n', start);
        if (next < 0)
            return FALSE;
        start = next + 1;
    }
    const int end = m_strDocStrings.Find('\n', start);
    rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = nullptr;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = nullptr;
    POSITION pos = GetFirstDocPosition();
    while (pos) {
        CDocument* pDoc = GetNextDoc(pos);
        if (doc_template_detail::SamePath(pDoc->GetPathName(), lpszPathName)) {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString extensions;
    if (!GetDocString(extensions, filterExt))
        return yesAttemptForeign;
    const CString ext = doc_template_detail::LowerCopy(doc_template_detail::ExtensionOf(lpszPathName));
    if (ext.IsEmpty())
        return yesAttemptForeign;
    // ".qry;.sql": any of the listed extensions.
    int start = 0;
    while (start <= extensions.GetLength()) {
        int end = extensions.Find(';', start);
        if (end < 0)
            end = extensions.GetLength();
        CString one = extensions.Mid(start, end - start);
        one.Trim();
        if (one.GetLength() > 0 && one[0] == '*')
            one = one.Mid(1);
        if (doc_template_detail::LowerCopy(one) == ext)
            return yesAttemptNative;
        start = end + 1;
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_pDocClass)
        return nullptr;
    auto* pDocument = dynamic_cast<CDocument*>(m_pDocClass->CreateObject());
    if (!pDocument)
        return nullptr;
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    if (!m_pFrameClass)
        return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    auto* pFrame = dynamic_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
    if (!pFrame)
        return nullptr;
    // A frame that fails has deleted itself (PostNcDestroy).
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos) {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    POSITION pos = GetFirstDocPosition();
    while (pos) {
        CDocument* pDoc = GetNextDoc(pos);  // the position has moved on before the document goes
        pDoc->OnCloseDocument();
    }
}

// --- CMultiDocTemplate ---------------------------------------------------------------------

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
    LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents outliving their template forget it.
    POSITION pos = m_docList.GetHeadPosition();
    while (pos)
        static_cast<CDocument*>(m_docList.GetNext(pos))->m_pDocTemplate = nullptr;
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return m_docList.GetHeadPosition();
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (POSITION pos = m_docList.Find(pDoc))
        m_docList.RemoveAt(pos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (GetDocString(title, docName)) {
        CString number;
        number.Format("%u", m_nUntitledCount + 1);
        title += number;
    } else if (!title.LoadString(AFX_IDS_UNTITLED)) {
        title = "Untitled";
    }
    pDocument->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (!pDocument) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }
    const BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;  // a failed frame must not take the document with it
    CFrameWnd* pFrame = CreateNewFrame(pDocument, nullptr);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (!pFrame) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete pDocument;
        return nullptr;
    }
    if (!lpszPathName) {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument()) {
            pFrame->DestroyWindow();
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        CWaitCursor wait;
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            // The frame goes, and with its last view the document.
            pFrame->DestroyWindow();
            return nullptr;
        }
        pDocument->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
