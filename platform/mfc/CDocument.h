// The data behind one or more views: its path and title, its modified flag,
// loading and saving through an archive, and the prompt to save on close.
#pragma once

#include "platform/mfc/CCmdTarget.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CString.h"

class CArchive;
class CDocTemplate;
class CFile;
class CFileException;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    // The title becomes the file's name; bAddToMRU is kept for the recent-file list.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // --- views -----------------------------------------------------------------------------
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // Every view but pSender hears OnUpdate.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    virtual void OnChangedViewList();
    void UpdateFrameCounts();

    // --- life and storage ----------------------------------------------------------------------
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    void Serialize(CArchive& ar) override;
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
    // Asks "Save changes to <title>?" when modified; FALSE when the user cancels or saving failed.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // A NULL path (or bReplace with a read-only name) asks for a name first.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // The name to save under when the document has none; empty refuses.
    virtual CString AskSaveAsName();

    BOOL m_bAutoDelete = TRUE;  // deleted when its last view goes
    BOOL m_bEmbedded = FALSE;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    CString m_strTitle;
    CString m_strPathName;
    CPtrList m_viewList;
    CDocTemplate* m_pDocTemplate = nullptr;
    BOOL m_bModified = FALSE;

    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();
    DECLARE_MESSAGE_MAP()

    friend class CDocTemplate;
    friend class CMultiDocTemplate;

};
