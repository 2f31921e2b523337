// The query document: one per query window. Its text lives in the window's
// Batch editor; opening a file fills that editor and saving writes it. The
// window title is kept when a save or a close check is refused.
#pragma once

#include "platform/mfc/CDocument.h"

class CTarnwickDoc : public CDocument {
    DECLARE_DYNCREATE(CTarnwickDoc)
public:
    CTarnwickDoc() = default;

    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    BOOL CanCloseFrame(CFrameWnd* pFrame) override;
    BOOL SaveModified() override;

protected:
    void OnFileSave();
    void OnFileSaveAs();
    DECLARE_MESSAGE_MAP()
};
