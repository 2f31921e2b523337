// The find or replace dialog of an edit view. While it is open the window
// it disabled takes no input; whatever goes first, that window is enabled
// again when the dialog goes.
#pragma once

#include "platform/mfc/CFindReplaceDialog.h"

class CKtvPEditView;

class CKtvPFindReplaceDialog : public CFindReplaceDialog {
public:
    CKtvPFindReplaceDialog() = default;
    ~CKtvPFindReplaceDialog() override;

    // Disables the window (the application's main window) until the dialog goes.
    void DisableWhileOpen(CWnd* pWnd);

    CKtvPEditView* m_pEditView = nullptr;

private:
    HWND m_hWndDisabled = nullptr;
};
