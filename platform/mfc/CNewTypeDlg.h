// File New's choice of document type when the program has several: a list
// of the templates' File New names. The program's own dialog resource
// AFX_IDD_NEWTYPEDLG (a list box AFX_IDC_LISTBOX, OK and Cancel) is used
// when it has one; otherwise the framework's own layout.
#pragma once

#include <vector>

#include "platform/mfc/CDialog.h"

class CDocTemplate;

class CNewTypeDlg : public CDialog {
public:
    // The templates offered, in order; only those with a File New name are listed.
    CNewTypeDlg(const std::vector<CDocTemplate*>& templates, CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;

    CDocTemplate* m_pSelectedTemplate = nullptr;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnListDoubleClick();
    DECLARE_MESSAGE_MAP()

private:
    std::vector<CDocTemplate*> m_templates;
    std::vector<BYTE> m_builtTemplate;
};
