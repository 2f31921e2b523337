// The query window's session options and its Select Database command.
#include "session/ChildFrame.h"

#include "app/MainFrame.h"
#include "platform/mfc/CWinApp.h"
#include "session/SelectDBDlg.h"
#include "sqleditor/SqlNames.h"

namespace {

constexpr const char* kSessionBusy = "The query window is running a batch. Try again when it has finished.";
constexpr const char* kSessionClosed = "The query window is not connected.";

// The name as the database box lists it: bracketed when it holds a blank.
CString DatabaseBoxText(const CString& strName)
{
    return strName.Find(' ') >= 0 ? "[" + strName + "]" : strName;
}

}  // namespace

BOOL CChildFrame::ExecuteOnSession(const CString& strText, CString& strError)
{
    if (m_pConnection == nullptr || m_nConnectionState != adStateOpen) {
        strError = kSessionClosed;
        return FALSE;
    }
    if (m_bExecuting) {
        strError = kSessionBusy;
        return FALSE;
    }
    try {
        m_pConnection->Execute(_bstr_t(strText), nullptr, adCmdText | adExecuteNoRecords);
        return TRUE;
    } catch (const _com_error& error) {
        strError = GetProviderErrorText();
        if (strError.IsEmpty())
            strError = GetComErrorText(error);
        return FALSE;
    }
}

BOOL CChildFrame::ApplySessionOptions(const CSessionOptions& wanted, CString& strError)
{
    const CSessionSetText text = BuildSessionSetText(m_SessionOptions, wanted);
    if (!text.strOptions.IsEmpty()) {
        if (!ExecuteOnSession(text.strOptions, strError)) {
            // Statements before the refused one may have run: put them back,
            // so that the session is what the record says.
            CSessionOptions back = wanted;
            back.m_ShowPlan_Text = m_SessionOptions.m_ShowPlan_Text;
            const CSessionSetText undo = BuildSessionSetText(back, m_SessionOptions);
            CString ignored;
            if (!undo.strOptions.IsEmpty() && strError != kSessionBusy && strError != kSessionClosed)
                ExecuteOnSession(undo.strOptions, ignored);
            return FALSE;
        }
        const int nShowPlan = m_SessionOptions.m_ShowPlan_Text;
        m_SessionOptions = wanted;
        m_SessionOptions.m_ShowPlan_Text = nShowPlan;
    }
    if (!text.strShowPlan.IsEmpty()) {
        if (!ExecuteOnSession(text.strShowPlan, strError))
            return FALSE;
        m_SessionOptions.m_ShowPlan_Text = wanted.m_ShowPlan_Text;
    }
    return TRUE;
}

BOOL CChildFrame::SwitchToDatabase(const CString& strDatabase, CString& strError)
{
    if (m_bExecuting) {
        strError = kSessionBusy;
        return FALSE;
    }
    if (m_pConnection == nullptr || m_nConnectionState != adStateOpen) {
        strError = kSessionClosed;
        return FALSE;
    }
    CKtvPToolbarComboBoxButton* pBox = CMainFrame::GetDatabaseCombo();
    const CString boxText = DatabaseBoxText(strDatabase);
    try {
        CloseRecordset();
        m_pRecordset->Open(_bstr_t("use " + SqlQuoteName(strDatabase)),
                           _variant_t(static_cast<IDispatch*>(m_pConnection)), adOpenForwardOnly, adLockReadOnly,
                           adCmdText);
        CloseRecordset();
        m_pConnection->GetProperties()->GetItem(_variant_t("Current Catalog"))->PutValue(
            _variant_t(static_cast<const char*>(strDatabase)));
        m_strCurrentDatabase = boxText;
    } catch (const _com_error& error) {
        CloseRecordset();
        strError = GetProviderErrorText();
        if (strError.IsEmpty())
            strError = GetComErrorText(error);
        return FALSE;
    }
    // A database made since the box was filled: the box lists again, so that it names the window's database.
    if (pBox != nullptr && !pBox->SelectItemByText(m_strCurrentDatabase))
        FillDatabaseCombo();
    return TRUE;
}

void CChildFrame::OnSelectDatabase()
{
    if (m_bExecuting)
        return;
    CSelectDatabaseDlg dlg(this);
    dlg.m_pQueryWindow = this;
    dlg.DoModal();
}
