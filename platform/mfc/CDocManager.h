// The application's document templates and the File New and File Open
// commands over them.
#pragma once

#include "platform/mfc/CObList.h"
#include "platform/mfc/CString.h"

class CDocTemplate;
class CDocument;

class CDocManager {
public:
    CDocManager() = default;
    virtual ~CDocManager();  // deletes the templates
    CDocManager(const CDocManager&) = delete;
    CDocManager& operator=(const CDocManager&) = delete;

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;

    // The document already open on the path, activated, or the file opened by the
    // template that knows its extension best; NULL when none could.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void OnFileNew();
    virtual void OnFileOpen();
    // Asks for a file with the open dialog, filtered by the templates' types.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual int GetOpenDocumentCount();

    // "Query Files (*.qry)\0*.qry\0...All Files (*.*)\0*.*\0\0", as the open dialog takes it.
    CString BuildFilter(CDocTemplate* pOnly) const;

protected:
    CPtrList m_templateList;
};
