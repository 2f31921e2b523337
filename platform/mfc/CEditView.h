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

    CEdit& GetEditCtrl() const { return *static_cast<CEdit*>(static_cast<CWnd*>(const_cast<CEditView*>(this))); }
    UINT GetBufferLength() const;
    // The text as bytes, without any framing: what the file holds is what the user typed.
    void SerializeRaw(CArchive& ar);
    void Serialize(CArchive& ar) override;

protected:
    BOOL OnEditChange();
    DECLARE_MESSAGE_MAP()
};
