// A view that is a multi-line edit control: its text is the document's
// data, stored raw in the archive, and typing marks the document modified.
#pragma once

#include "platform/mfc/CCtrlView.h"
#include "platform/mfc/CEdit.h"

class CArchive;

class CEditView : public CCtrlView {
    DECLARE_DYNCREATE(CEditView)
public:
    CEditView();

    // The view's own window as an edit control (an object that shares the
    // handle: the view is no CEdit, so it cannot be cast to one).
    CEdit& GetEditCtrl() const
    {
        m_edit.m_hWnd = m_hWnd;
        return m_edit;
    }
    UINT GetBufferLength() const;
    // The text as bytes, without any framing: what the file holds is what the user typed.
    void SerializeRaw(CArchive& ar);
    void Serialize(CArchive& ar) override;

protected:
    BOOL OnEditChange();
    DECLARE_MESSAGE_MAP()

private:
    mutable CEdit m_edit;  // never in the handle map, so it never destroys the window
};
