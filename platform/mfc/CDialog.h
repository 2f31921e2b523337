// Dialogs made from a template: modal (DoModal with the framework's own
// message loop) and modeless (Create), with data exchange through
// DoDataExchange and UpdateData.
#pragma once

#include "platform/mfc/CWnd.h"
#include "platform/win32/dialog/windlg.h"

class CDataExchange;

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Modeless.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // Modal: the button that ended it, or -1 when the dialog could not be made.
    virtual INT_PTR DoModal();
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    void EndDialog(int nResult);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;

    // FALSE when validation failed; the user has been told, and the focus is on the control.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    // Puts the strings of the template's dialog-init data into its list and
    // combo boxes; runs before OnInitDialog. FALSE when the data is malformed.
    BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
    virtual void OnSetFont(CFont* pFont);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    LPCTSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();

    DECLARE_MESSAGE_MAP()

private:
    LPCDLGTEMPLATE FindTemplate(LPCTSTR lpszTemplateName) const;
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, HWND hWndParent);
    HWND ModalOwner() const;
    void HandleOK() { OnOK(); }
    void HandleCancel() { OnCancel(); }
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
};

// The dialog procedure of framework dialogs: it only starts OnInitDialog,
// everything else goes through the dialog object's message map.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
