#include "scripts/SnippetNameDlg.h"

#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CWinApp.h"
#include "scripts/SnippetStore.h"
#include "ui/frames/KtvPRegistry.h"

namespace {
constexpr const char* kNameDuplicate = "This name has been existed!";

// The sub-key names of the key; empty when it cannot be opened.
void SnippetNameSiblings(const CString& strKey, CStringArray& names)
{
    CKtvPRegistry registry(FALSE, TRUE);
    if (registry.Open(strKey))
        registry.ReadSubKeys(names);
}
}  // namespace

CSnippetNameDlg::CSnippetNameDlg(CWnd* pParent) : CKtvPDialog(IDD, pParent) {}

void CSnippetNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CKtvPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LABEL, m_wndLabel);
    DDX_Text(pDX, IDC_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, kMaxName);
    DDX_Text(pDX, IDC_LABEL, m_strLabel);
}

BOOL CSnippetNameDlg::OnInitDialog()
{
    CKtvPDialog::OnInitDialog();
    SetWindowText(m_strCaption);
    if (CWnd* pEdit = GetDlgItem(IDC_NAME))
        pEdit->SendMessage(EM_LIMITTEXT, kMaxName, 0);
    UpdateData(FALSE);
    return TRUE;
}

CString CSnippetNameDlg::CheckName(const CString& strName, int nMode, const CString& strContext,
                                   const CString& strPage)
{
    if (strName.IsEmpty())
        return "Input the name in the edit,please";
    CString trimmed = strName;
    trimmed.Trim(' ');
    trimmed.Trim('\t');
    if (trimmed.IsEmpty())
        return "The name is space or tab,this is invalid,please";
    // A "\" would make a key path of its own under the parent.
    if (strName.Find('\\') >= 0)
        return "The name can not include \\,please";
    CString key;
    switch (nMode) {
    case kNewPage: key = snippets::kRootKey; break;
    case kNewItem: key = snippets::PageKey(strContext); break;
    case kRenameItem:
        if (strName != strContext)
            key = snippets::PageKey(strPage);
        break;
    case kRenamePage:
        if (strName != strContext)
            key = snippets::kRootKey;
        break;
    default: break;
    }
    if (key.IsEmpty())
        return CString();
    CStringArray siblings;
    SnippetNameSiblings(key, siblings);
    for (INT_PTR i = 0; i < siblings.GetSize(); i++)
        if (siblings[i] == strName)
            return kNameDuplicate;
    return CString();
}

void CSnippetNameDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const CString message = CheckName(m_strName, m_nMode, m_strContext, m_strPage);
    if (!message.IsEmpty()) {
        AfxMessageBox(message, message == kNameDuplicate ? MB_OK | MB_ICONERROR : MB_OK);
        return;
    }
    EndDialog(IDOK);
}
