// Document templates: a document type's classes (document, frame, view), its
// resources (menu, keys, the seven-field document string), and the making of
// documents with their frames. CMultiDocTemplate keeps any number open.
#pragma once

#include "platform/mfc/CCmdTarget.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CString.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    // The fields of the document string, separated by '\n'.
    enum DocStringIndex {
        windowTitle,     // the frame's title (single-document programs)
        docName,         // the root of untitled names ("Query" gives "Query1")
        fileNewName,     // the name offered by File New
        filterName,      // the open dialog's filter text, "Query Files (*.qry)"
        filterExt,       // the extension, ".qry"; several separated by ';'
        regFileTypeId,   // the registry's type id
        regFileTypeName  // the registry's type name
    };
    enum Confidence {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };

    ~CDocTemplate() override;

    UINT GetResourceID() const { return m_nIDResource; }
    virtual void LoadTemplate();
    // FALSE when the field is missing or empty.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);
    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    // A NULL path makes a new, untitled document.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

    HMENU m_hMenuShared = nullptr;
    HACCEL m_hAccelTable = nullptr;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    BOOL m_bLoaded = FALSE;
};

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    void SetDefaultTitle(CDocument* pDocument) override;
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;

    CPtrList m_docList;
    UINT m_nUntitledCount = 0;
};
