// Opening query windows, the profile loader with the logon dialog, the step
// after the server-management login, and the commands that reach them.
#include "app/MainFrame.h"
#include "app/TarnwickApp.h"
#include "platform/dmo/SqlQuoting.h"
#include "sqleditor/SqlNames.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CWinApp.h"
#include "session/ChildFrame.h"
#include "session/ConnectionString.h"
#include "session/DBListComboBox.h"
#include "session/LogonDlg.h"
#include "session/ProfileFile.h"
#include "session/ProfilesDlg.h"
#include "session/VelQryViews.h"

namespace {

// Windows opened without a file are numbered from 1 for the life of the process.
int g_nUntitledQueryWindows = 0;

constexpr int kMaxQueryWindows = 512;

}  // namespace

CDocument* CMainFrame::NewQueryWindow(LPCTSTR lpszConnectString, LPCTSTR lpszPathName, LPCTSTR lpszDatabase)
{
    CWaitCursor wait;
    SetStatusMessage("Establishing new connection...");
    // Every road out leaves the reuse request behind: it was for this request only.
    struct LeaveNewQueryWindow {
        CMainFrame* pFrame;
        ~LeaveNewQueryWindow()
        {
            pFrame->m_bReuseConnection = FALSE;
            pFrame->SetStatusMessage("");
        }
    } leave{this};

    if (m_QueryFrames.GetCount() >= kMaxQueryWindows) {
        AfxMessageBox("Connection limit reached. You must close some connections "
                      "before attempting to open any more connections.",
                      MB_OK | MB_ICONSTOP);
        return nullptr;
    }
    auto* pApp = dynamic_cast<CTarnwickApp*>(AfxGetApp());
    CMultiDocTemplate* pTemplate = pApp ? pApp->m_pQueryTemplate : nullptr;
    if (pTemplate == nullptr)
        return nullptr;
    CDocument* pDoc = pTemplate->CreateNewDocument();
    if (pDoc == nullptr)
        return nullptr;
    auto* pFrame = dynamic_cast<CChildFrame*>(pTemplate->CreateNewFrame(pDoc, nullptr));
    if (pFrame == nullptr) {
        delete pDoc;
        return nullptr;
    }
    BOOL bReady = FALSE;
    if (lpszPathName != nullptr) {
        CWaitCursor reading;
        bReady = pDoc->OnOpenDocument(lpszPathName);
        if (bReady)
            pDoc->SetPathName(lpszPathName);
    } else {
        bReady = pDoc->OnNewDocument();
    }
    if (!bReady) {
        pFrame->DestroyWindow();
        return nullptr;
    }
    if (m_bReuseConnection)
        pFrame->m_bForceLogon = TRUE;
    const BOOL bConnected = pFrame->Connect(lpszConnectString, nullptr, lpszDatabase);
    m_bReuseConnection = FALSE;
    if (!bConnected) {
        pFrame->DestroyWindow();
        return nullptr;
    }

    CString strTitle;
    if (lpszPathName == nullptr)
        strTitle.Format("%s_%d - (New Query)", "Untitled", ++g_nUntitledQueryWindows);
    else
        strTitle = pDoc->GetTitle();
    pDoc->SetTitle(pFrame->m_strDataSource + " - " + strTitle);

    pTemplate->InitialUpdateFrame(pFrame, pDoc, TRUE);
    if (pFrame->m_pQueryView != nullptr)
        pFrame->SetActiveView(pFrame->m_pQueryView);
    m_QueryFrames.AddTail(pFrame);
    if (m_QueryFrames.GetCount() == 1)
        MDIMaximize(pFrame);
    ShowConnectionCount();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return pDoc;
}

CString CMainFrame::LoadConnectionProfile()
{
    CConnectDlg dlg(this);
    ADODB::_RecordsetPtr profiles;
    BOOL bDecided = FALSE;
    CString strConnection;
    try {
        CProfileFile::Open(profiles);
        CProfileRow chosen;
        bDecided = CProfileFile::Find(profiles, [&](const CProfileRow& row) {
            if (row.m_Lock || (!row.m_AutoConn && !row.m_Default))
                return FALSE;
            chosen = row;
            return TRUE;
        });
        CProfileFile::Close(profiles);
        if (bDecided && chosen.m_AutoConn) {
            // Connects unseen; the stored database goes in as it is, even empty.
            strConnection = BuildConnectionString(chosen.m_Identified, chosen.m_UserName, chosen.m_PasswordName,
                                                  chosen.m_DatabaseName, chosen.m_ServerName);
            m_bSavePassword = chosen.m_Identified ? 0 : 1;
            m_strProfileNickName = chosen.m_NickName;
            return strConnection;
        }
        if (bDecided) {
            dlg.m_NickName = chosen.m_NickName;
            dlg.m_ServerName = chosen.m_ServerName;
            dlg.m_DatabaseName = chosen.m_DatabaseName;
            dlg.m_UserName = chosen.m_UserName;
            dlg.m_PasswordName = chosen.m_PasswordName;
            dlg.m_Identified = chosen.m_Identified;
            dlg.m_SavePwd = chosen.m_SavePwd;
        }
    } catch (const _com_error& error) {
        // Told once here; the logon goes on without profiles.
        CProfileFile::Close(profiles);
        dlg.m_bWithoutProfiles = TRUE;
        AfxMessageBox(CProfileFile::ErrorText(error), MB_OK | MB_ICONEXCLAMATION);
    }
    if (dlg.DoModal() != IDOK)
        return CString();
    m_strProfileNickName = dlg.m_NickName;
    m_bSavePassword = dlg.m_SavePwd;
    return dlg.m_strConnection;
}

void CMainFrame::AfterLogin()
{
    try {
        if (m_SQLServer == nullptr)
            return;
        const std::string login = static_cast<LPCTSTR>(m_SQLServer->GetLogin());
        const CString statement =
            CString("use master;Select dbname From syslogins Where name=") + SqlQuoteLiteral(login.c_str());
        m_QueryResults = m_SQLServer->ExecuteWithResults(static_cast<LPCTSTR>(statement));
        m_strLoginDefaultDatabase = static_cast<LPCTSTR>(m_QueryResults->GetColumnString(1, 1));
        BuildCompletionLists(m_strLoginDefaultDatabase);
    } catch (const _com_error&) {
        // The default database stays as it was.
    } catch (...) {
    }
}

BOOL CMainFrame::QueryResultsToRecordset(SQLDMO::_QueryResultsPtr pResults, ADODB::_RecordsetPtr& rs)
{
    try {
        rs->PutCursorLocation(ADODB::adUseClient);
        rs->PutCursorType(ADODB::adOpenStatic);
        rs->PutLockType(ADODB::adLockBatchOptimistic);
        const long nColumns = pResults->GetColumns();
        for (long k = 1; k <= nColumns; k++)
            rs->GetFields()->Append(pResults->GetColumnName(k), ADODB::adVarChar, pResults->GetColumnMaxLength(k) + 2,
                                    ADODB::adFldUnspecified);
        rs->Open(vtMissing, vtMissing, ADODB::adOpenStatic, ADODB::adLockBatchOptimistic, ADODB::adCmdUnspecified);
        const long nRows = pResults->GetRows();
        for (long r = 1; r <= nRows; r++) {
            rs->AddNew();
            for (long k = 1; k <= nColumns; k++)
                rs->GetFields()->GetItem(k - 1)->PutValue(_variant_t(pResults->GetColumnString(r, k)));
            rs->Update();
        }
        return TRUE;
    } catch (...) {
        // Every caller goes on without the copy; what was copied stays.
        return FALSE;
    }
}

void CMainFrame::OnFileNewQueryWindow() { NewQueryWindow(nullptr, nullptr, nullptr); }

void CMainFrame::OnConnect()
{
    try {
        CKtvPToolbarComboBoxButton* pBox = GetDatabaseCombo();
        if (pBox == nullptr) {
            AfxMessageBox("Errors occurred.", MB_OK);
            return;
        }
        LPCTSTR lpszSelected = pBox->GetItem();
        const CString strDatabase = lpszSelected != nullptr ? lpszSelected : "";
        auto* pActive = dynamic_cast<CChildFrame*>(MDIGetActive());
        if (pActive != nullptr && !pActive->m_strConnectString.IsEmpty()) {
            m_bReuseConnection = TRUE;
            NewQueryWindow(pActive->m_strConnectString, nullptr, strDatabase);
        } else {
            NewQueryWindow(nullptr, nullptr, strDatabase);
        }
    } catch (...) {
        m_bReuseConnection = FALSE;
        AfxMessageBox("Errors occurred.", MB_OK);
    }
}

void CMainFrame::OnUserConfiguration()
{
    // A saved toolbar layout may name the program's own database box.
    (void)RUNTIME_CLASS(CDBListComboBox);
    CLogonHistoryDlg dlg(this);
    dlg.DoModal();
}
