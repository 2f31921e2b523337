#include "explorer/ObjectDialogs.h"

#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CWinApp.h"

void CReturnRowsDlg::DoDataExchange(CDataExchange* pDX)
{
    CKtvPDialog::DoDataExchange(pDX);
    DDX_Text(pDX, 1104, m_nRows);
    DDV_MinMaxUInt(pDX, m_nRows, 0, kMaxRows);
}

void CRenameObjectDlg::DoDataExchange(CDataExchange* pDX)
{
    CKtvPDialog::DoDataExchange(pDX);
    DDX_Text(pDX, 1107, m_strNewName);
    DDV_MaxChars(pDX, m_strNewName, kMaxName);
}

void CRenameObjectDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // A blank name would only come back from the server as an error, or
    // worse, as an object nobody can name: ask again.
    CString trimmed = m_strNewName;
    trimmed.Trim();
    if (trimmed.IsEmpty()) {
        AfxMessageBox("Input the name in the edit,please", MB_OK);
        if (CWnd* pEdit = GetDlgItem(1107))
            pEdit->SetFocus();
        return;
    }
    m_strResult = m_strNewName;
    EndDialog(IDOK);
}

void CTableOptionDlg::DoDataExchange(CDataExchange* pDX)
{
    CKtvPDialog::DoDataExchange(pDX);
    DDX_Text(pDX, 1112, m_nTextInRow);
    DDX_Check(pDX, 1109, m_bPinTable);
    DDX_Check(pDX, 1111, m_bTextInRow);
    DDX_Check(pDX, 1110, m_bTableLockOnBulkLoad);
}

void CTableOptionDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_nTextInRow >= kMinTextInRow && m_nTextInRow <= kMaxTextInRow) {
        EndDialog(IDOK);
        return;
    }
    if (m_nTextInRow == 0) {
        // No limit: the option is switched off whatever the box says.
        m_bTextInRow = FALSE;
        EndDialog(IDOK);
        return;
    }
    AfxMessageBox("Text in row must be between 24 and 7000,input,please!", MB_OK);
}

void CObjectPropertiesDlg::DoDataExchange(CDataExchange* pDX)
{
    CKtvPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, 1103, m_PropList);
}

namespace {

const char* ObjectDialogOnOff(VARIANT_BOOL value) { return value == VARIANT_TRUE ? "On" : "Off"; }

const char* ObjectDialogProcType(long nType)
{
    static const char* const kNames[] = {"Unknown", "Standard", "Extended", "Macro", "ReplicationFilter"};
    return nType >= 0 && nType < 5 ? kNames[nType] : "Unknown";
}

CString ObjectDialogText(const _bstr_t& value)
{
    const char* text = static_cast<const char*>(value);
    return text != nullptr ? CString(text) : CString();
}

}  // namespace

BOOL CObjectPropertiesDlg::OnInitDialog()
{
    CKtvPDialog::OnInitDialog();
    m_PropList.InsertColumn(0, "Property List", LVCFMT_LEFT, 145);
    m_PropList.InsertColumn(1, "Value", LVCFMT_LEFT, 150);
    CString id;
    id.Format("%u", m_nID);
    struct Row {
        const char* name;
        CString value;
    };
    const Row rows[] = {
        {"ID", id},
        {"Owner", ObjectDialogText(m_bstrOwner)},
        {"Ansi_Nulls", ObjectDialogOnOff(m_bAnsiNulls)},
        {"Quoted_Identifier", ObjectDialogOnOff(m_bQuotedIdentifier)},
        {"Create Date", ObjectDialogText(m_bstrCreateDate)},
        {"System Object", m_bSystemObject == VARIANT_TRUE ? "Yes" : "No"},
        {"Type", ObjectDialogProcType(m_nProcType)},
        {"Autorun with database is started", ObjectDialogOnOff(m_bStartup)},
    };
    const int nRows = m_nProcType == kNoProcType ? 6 : 8;
    for (int i = 0; i < nRows; ++i) {
        const int nItem = m_PropList.InsertItem(i, rows[i].name);
        m_PropList.SetItemData(nItem, static_cast<DWORD_PTR>(i));
        m_PropList.SetItemText(nItem, 1, rows[i].value);
    }
    m_PropList.SetExtendedStyle(0x121);
    SetWindowText(m_strTitle);
    return TRUE;
}
