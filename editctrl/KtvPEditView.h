// The view that hosts one edit control filling its client area: the Edit
// commands, find and replace through the common dialog, the document's
// text loaded and stored through the control, and the document marked
// modified when the text changes. Editor views replace the control through
// CreateEdit.
#pragma once

#include "editctrl/KtvPEditCtrl.h"
#include "platform/mfc/CView.h"
#include "platform/mfc/afxres.h"

#ifndef ID_EDIT_COPY
#define ID_EDIT_COPY 57634
#endif
#ifndef ID_EDIT_CUT
#define ID_EDIT_CUT 57635
#endif
#ifndef ID_EDIT_FIND
#define ID_EDIT_FIND 57636
#endif
#ifndef ID_EDIT_PASTE
#define ID_EDIT_PASTE 57637
#endif
#ifndef ID_EDIT_REPLACE
#define ID_EDIT_REPLACE 57641
#endif
#ifndef ID_EDIT_SELECT_ALL
#define ID_EDIT_SELECT_ALL 57642
#endif
#ifndef ID_EDIT_UNDO
#define ID_EDIT_UNDO 57643
#endif
#ifndef ID_EDIT_REDO
#define ID_EDIT_REDO 57644
#endif

class CArchive;
class CKtvPFindReplaceDialog;

class CKtvPEditView : public CView {
    DECLARE_DYNCREATE(CKtvPEditView)
public:
    CKtvPEditView();
    ~CKtvPEditView() override;

    void OnDraw(CDC* pDC) override;
    // The base's preparation would end a print job of unknown length after
    // its first page; the control decides where the job ends.
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    // Runs one find, replace or replace-all request with the FR_ flags.
    virtual BOOL FindReplaceText(LPCTSTR lpszFind, DWORD dwFlags);
    // A search that found nothing; derived views may tell the person.
    virtual void OnTextNotFound(LPCTSTR lpszFind);
    // The selection when it is one line, else the word at the caret.
    virtual void GetFindInitialText(CString& strText);
    virtual CKtvPEditCtrl* CreateEdit();
    // The document's text loaded or stored through the control.
    void SerializeRaw(CArchive& ar);

    CKtvPEditCtrl* GetEditCtrl() const { return m_pEdit; }

    // Find state shared by every edit view for the life of the process.
    static CString GetLastFindText();
    static CString GetLastReplaceText();
    static DWORD GetLastFindFlags();
    static void SetLastFind(LPCTSTR lpszFind, LPCTSTR lpszReplace, DWORD dwFlags);

    CKtvPEditCtrl* m_pEdit = nullptr;
    CKtvPFindReplaceDialog* m_pFindReplaceDlg = nullptr;

protected:
    void OpenFindReplaceDialog(BOOL bFindOnly);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSetFocus(CWnd* pOldWnd);
    void OnDestroy();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditSelectAll();
    void OnEditUndo();
    // Previews the text in the library's preview view, the status bar kept.
    void OnFilePrintPreview();
    void OnEditRedo();
    void OnEditFind();
    void OnEditReplace();
    void OnUpdateEditCut(CCmdUI* pCmdUI);
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnUpdateEditRedo(CCmdUI* pCmdUI);
    LRESULT OnFindReplaceCmd(WPARAM wParam, LPARAM lParam);
    LRESULT OnEditChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
