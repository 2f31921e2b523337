// The base of the framework's wrappers of the platform's common dialogs.
// The platform builds and runs each dialog; the wrapper object is attached
// to the dialog's window from the first message of its hook, so the
// framework's message map, PreTranslateMessage and the handle maps see it.
#pragma once

#include "platform/comctl/dialogs/commdlg.h"
#include "platform/mfc/CDialog.h"

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);

    // The hook every wrapper installs; it attaches the wrapper waiting in
    // PreModal (or in a modeless Create) to the dialog's window.
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // The dialog's own procedure decides what OK and Cancel do.
    void OnOK() override;
    void OnCancel() override;

    // Copies text into a buffer of `size` bytes, cut at a whole character.
    static void CopyText(TCHAR* buffer, size_t size, LPCTSTR text);

    // The top-level window that owns the dialog, with this object made the
    // one the hook attaches; PostModal undoes the latter.
    HWND PreModal();
    void PostModal();

private:
    CWnd* m_pOuterInit = nullptr;
    bool m_bOuterIsDialog = false;
};
