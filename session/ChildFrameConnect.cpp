// The query window's connection: its own ADO session, what the provider says
// about the server, and the current database kept in step with the box.
#include "app/MainFrame.h"
#include "platform/ado/ConnectionString.h"
#include "platform/com/ConnectionPoints.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "session/ChildFrame.h"
#include "session/ConnectionEvents.h"
#include "session/VariantText.h"

using namespace ADODB;

namespace {

CMainFrame* MainFrameOfQueryWindow() { return dynamic_cast<CMainFrame*>(AfxGetMainWnd()); }

void SetMainStatus(LPCTSTR lpszText)
{
    if (CMainFrame* pMainFrame = MainFrameOfQueryWindow(); pMainFrame && pMainFrame->m_wndStatusBar.GetSafeHwnd())
        pMainFrame->m_wndStatusBar.SetPaneText(0, lpszText);
}

CString PropertyText(const _ConnectionPtr& connection, LPCTSTR name)
{
    return VariantToText(connection->GetProperties()->GetItem(_variant_t(name))->GetValue());
}

// The name without its brackets: [My Db] is My Db to the provider.
CString WithoutBrackets(const CString& name)
{
    CString bare(name);
    if (bare.Find('[') >= 0)
        bare = bare.Mid(1);
    if (const int nClose = bare.Find(']'); nClose >= 0)
        bare = bare.Left(nClose);
    return bare;
}

BOOL IsOneOf(const CString& text, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (text.CompareNoCase(name) == 0)
            return TRUE;
    return FALSE;
}

}  // namespace

BOOL CChildFrame::Connect(LPCTSTR lpszConnectString, LPVOID, LPCTSTR lpszDatabase)
{
    CWaitCursor wait;
    SetMainStatus("Establishing new connection...");
    BOOL bResult = FALSE;
    BOOL bFromLoader = FALSE;
    CString failure;
    try {
        m_pConnection = nullptr;
        m_pCommand = nullptr;
        m_pRecordset = nullptr;
        HRESULT hr = m_pConnection.CreateInstance("ADODB.Connection");
        if (SUCCEEDED(hr))
            hr = m_pCommand.CreateInstance("ADODB.Command");
        if (SUCCEEDED(hr))
            hr = m_pRecordset.CreateInstance("ADODB.Recordset");
        if (FAILED(hr))
            _com_raise_error(hr);
        CString strGiven = lpszConnectString != nullptr && !m_bForceLogon ? lpszConnectString : "";
        if (strGiven.IsEmpty() && lpszConnectString != nullptr && !m_bForceLogon)
            return FALSE;  // a given but empty string ends the connect quietly
        if (strGiven.IsEmpty()) {
            // No string of its own: an auto-connect profile or the logon dialog gives one.
            CMainFrame* pMainFrame = MainFrameOfQueryWindow();
            if (pMainFrame != nullptr)
                strGiven = pMainFrame->LoadConnectionProfile();
            if (strGiven.IsEmpty()) {
                SetMainStatus("");
                return FALSE;
            }
            m_bForceLogon = FALSE;
            bFromLoader = TRUE;
        }
        m_strConnectString = strGiven;
        if (m_strConnectString.IsEmpty())
            return FALSE;
        m_dwStartTick = GetTickCount();
        m_pRun->pConnection = m_pConnection;
        m_pRun->pRecordset = m_pRecordset;
        hr = AdviseConnectionEvents();
        if (FAILED(hr))
            _com_raise_error(hr);
        m_pConnection->Open(_bstr_t(m_strConnectString), "", "", adOptionUnspecified);
        m_nConnectionState = m_pConnection->GetState();
        try {
            m_pCommand->PutRefActiveConnection(m_pConnection);
        } catch (const _com_error&) {
        }
        m_nQueryTimeOut = ClampQueryTimeOut(m_nQueryTimeOut);
        try {
            m_pConnection->PutCommandTimeout(m_nQueryTimeOut);
        } catch (const _com_error&) {
        }
        m_nCacheSize = ClampCacheSize(m_nCacheSize);
        try {
            m_pRecordset->PutCacheSize(m_nCacheSize);
        } catch (const _com_error&) {
        }
        ReadConnectionProperties(lpszDatabase);
        if (m_strDataSource.IsEmpty())
            m_strDataSource = "<Unknown>";
        m_strResultInfo = "_ConnectionPtr::State == adStateOpen";
        ShowPaneText(m_nResultInfoPane, m_strResultInfo);
        UpdateExecTime();
        bResult = TRUE;
    } catch (const _com_error& error) {
        failure = GetProviderErrorText();
        if (failure.IsEmpty())
            failure = GetComErrorText(error);
    } catch (CException* e) {
        char text[256] = {};
        e->GetErrorMessage(text, 255);
        failure = text;
        e->Delete();
    } catch (...) {
        failure = "Errors occurred.";
    }
    if (!bResult && !failure.IsEmpty()) {
        if (AfxMessageBox(failure, MB_RETRYCANCEL | MB_ICONQUESTION) == IDRETRY) {
            m_strConnectString.Empty();
            return Connect(nullptr, nullptr, nullptr);
        }
    }
    // A connection the logon road made is stored as a profile.
    if (bResult && bFromLoader) {
        int nSaved = SaveConnectionProfile(m_strConnectString);
        if (nSaved == 2)
            nSaved = SaveConnectionProfile(m_strConnectString);
        bResult = nSaved != 0;
    }
    SetMainStatus("");
    return bResult;
}

BOOL CChildFrame::ReadConnectionProperties(LPCTSTR lpszDatabase)
{
    try {
        m_pConnection->GetProperties()->Refresh();
        CString driver;
        auto read = [&](LPCTSTR name, CString& target) {
            try {
                target = PropertyText(m_pConnection, name);
            } catch (const _com_error&) {
            }
        };
        read("Provider Name", m_strProviderName);
        read("Data Source", m_strDataSource);
        if (m_strDataSource.IsEmpty())
            read("Current Catalog", m_strDataSource);
        try {
            _variant_t multiple = m_pConnection->GetProperties()->GetItem(_variant_t("Multiple Results"))->GetValue();
            _variant_t asBool;
            if (SUCCEEDED(VariantChangeType(&asBool, &multiple, 0, VT_BOOL)))
                m_bMultipleResults = asBool.boolVal != 0;
        } catch (const _com_error&) {
        }
        read("DBMS Name", m_strDbmsName);
        if (m_strProviderName.CompareNoCase("MSDASQL.DLL") == 0)
            read("Driver Name", driver);
        m_bJetDatabase = m_strDbmsName.CompareNoCase("MS Jet") == 0 ||
                         (m_strProviderName.CompareNoCase("MSDASQL.DLL") == 0 &&
                          driver.CompareNoCase("ODBCJT32.DLL") == 0);
        if (m_bJetDatabase ||
            IsOneOf(m_strProviderName, {"MSDAIPP.DLL", "Microsoft OLE DB Provider for Internet Publishing"}))
            m_bAsyncExecute = FALSE;
        m_bTransactSql = IsOneOf(m_strDbmsName, {"Sybase SQL Anywhere", "Adaptive Server Anywhere", "SQL Server",
                                                 "Microsoft SQL Server", "MS SQL Server"});
        m_pRun->bMultipleResults = m_bMultipleResults != FALSE;
        m_pRun->bTransactSql = m_bTransactSql != FALSE;
        if (m_bTransactSql) {
            if (lpszDatabase != nullptr && *lpszDatabase && CString(lpszDatabase).CompareNoCase("<No Data>") != 0)
                UseDatabase(lpszDatabase);
            FillDatabaseCombo();
        } else if (CKtvPToolbarComboBoxButton* pBox = CMainFrame::GetDatabaseCombo()) {
            pBox->RemoveAllItems();
            pBox->AddItem("<Not supported>", 0);
            pBox->SelectItem(0, FALSE);
        }
        return TRUE;
    } catch (const _com_error&) {
        return FALSE;
    }
}

HRESULT CChildFrame::AdviseConnectionEvents()
{
    auto* pSink = new CConnectionEvents(m_pRun);
    pSink->AddRef();
    DWORD cookie = 0;
    const HRESULT hr = tw::com::Advise(m_pConnection, pSink, IID_ConnectionEvents, &cookie);
    // The connection point holds the sink from here on.
    pSink->Release();
    if (FAILED(hr))
        return hr;
    m_pEventsSink = pSink;
    m_dwAdviseCookie = cookie;
    return S_OK;
}

HRESULT CChildFrame::UnadviseConnectionEvents()
{
    if (m_pConnection == nullptr || m_dwAdviseCookie == 0xFFFFFFFF)
        return E_FAIL;
    const HRESULT hr = tw::com::Unadvise(m_pConnection, IID_ConnectionEvents, m_dwAdviseCookie);
    m_dwAdviseCookie = 0xFFFFFFFF;
    return hr;
}

BOOL CChildFrame::UseDatabase(LPCTSTR lpszDatabase)
{
    try {
        CloseRecordset();
        m_pRecordset->Open(_bstr_t(CString("use ") + lpszDatabase),
                           _variant_t(static_cast<IDispatch*>(m_pConnection)), adOpenForwardOnly, adLockReadOnly,
                           adCmdText);
        CloseRecordset();
        m_pConnection->GetProperties()->GetItem(_variant_t("Current Catalog"))->PutValue(
            _variant_t(static_cast<const char*>(WithoutBrackets(lpszDatabase))));
        return TRUE;
    } catch (const _com_error&) {
        return FALSE;
    }
}

BOOL CChildFrame::FillDatabaseCombo()
{
    CKtvPToolbarComboBoxButton* pBox = CMainFrame::GetDatabaseCombo();
    if (pBox == nullptr)
        return SyncCurrentDatabase();
    pBox->RemoveAllItems();
    try {
        _RecordsetPtr catalogs = m_pConnection->OpenSchema(adSchemaCatalogs);
        if (catalogs->GetBOF()) {
            pBox->AddItem("<No Data>", 0);
            pBox->SelectItem(0, FALSE);
        } else {
            for (; !catalogs->GetEOF(); catalogs->MoveNext()) {
                CString name = VariantToText(catalogs->GetFields()->GetItem(_variant_t(0L))->GetValue());
                if (name.Find(' ') >= 0)
                    name = "[" + name + "]";
                pBox->AddItem(name, 0);
            }
        }
        pBox->AddItem("<Refresh>", DWORD_PTR(pBox->GetCount()));
        pBox->SelectItemByText(m_strCurrentDatabase);
    } catch (const _com_error&) {
        pBox->AddItem(GetProviderErrorText().IsEmpty() ? "_com_error" : "Provider Error", 0);
        pBox->SelectItem(0, FALSE);
        return FALSE;
    }
    if (pBox->GetCount() > 0)
        SyncCurrentDatabase();
    return TRUE;
}

BOOL CChildFrame::SyncCurrentDatabase()
{
    try {
        m_pConnection->GetProperties()->Refresh();
        const CString current = PropertyText(m_pConnection, "Current Catalog");
        m_pConnection->PutDefaultDatabase(_bstr_t(current));
        m_strCurrentDatabase = current.Find(' ') >= 0 ? "[" + current + "]" : current;
        if (CKtvPToolbarComboBoxButton* pBox = CMainFrame::GetDatabaseCombo())
            pBox->SelectItemByText(m_strCurrentDatabase);
        return TRUE;
    } catch (const _com_error&) {
        return FALSE;
    }
}

BOOL CChildFrame::RefreshCurrentDatabase()
{
    BOOL bResult = TRUE;
    try {
        CloseRecordset();
        m_pRecordset->Open("select db_name()", _variant_t(static_cast<IDispatch*>(m_pConnection)),
                           adOpenForwardOnly, adLockReadOnly, adCmdText);
        if (m_pRecordset->GetState() == adStateOpen && !m_pRecordset->GetBOF()) {
            const CString name = VariantToText(m_pRecordset->GetFields()->GetItem(_variant_t(0L))->GetValue());
            m_pConnection->GetProperties()->Refresh();
            m_pConnection->GetProperties()->GetItem(_variant_t("Current Catalog"))->PutValue(
                _variant_t(static_cast<const char*>(name)));
            m_strCurrentDatabase = name.Find(' ') >= 0 ? "[" + name + "]" : name;
            if (CKtvPToolbarComboBoxButton* pBox = CMainFrame::GetDatabaseCombo())
                pBox->SelectItemByText(m_strCurrentDatabase);
        }
    } catch (const _com_error&) {
        bResult = FALSE;
    }
    CloseRecordset();
    return bResult;
}

void CChildFrame::OnDatabaseComboChange()
{
    CWaitCursor wait;
    CKtvPToolbarComboBoxButton* pBox = CMainFrame::GetDatabaseCombo();
    if (pBox == nullptr || m_bExecuting)
        return;
    const CString chosen = pBox->GetItem(-1) ? CString(pBox->GetItem(-1)) : CString();
    if (chosen == "<No Data>" || chosen == "<Not supported>" || chosen.IsEmpty() || chosen == m_strCurrentDatabase)
        return;
    if (chosen == "<Refresh>") {
        FillDatabaseCombo();
        return;
    }
    try {
        CloseRecordset();
        m_pRecordset->Open(_bstr_t(CString("use ") + chosen), _variant_t(static_cast<IDispatch*>(m_pConnection)),
                           adOpenForwardOnly, adLockReadOnly, adCmdText);
        CloseRecordset();
        m_pConnection->GetProperties()->GetItem(_variant_t("Current Catalog"))->PutValue(
            _variant_t(static_cast<const char*>(WithoutBrackets(chosen))));
        m_strCurrentDatabase = chosen;
        pBox->SelectItemByText(m_strCurrentDatabase);
        RefreshEditorNames();
    } catch (const _com_error& error) {
        pBox->SelectItemByText(m_strCurrentDatabase);
        CString text = GetProviderErrorText();
        AfxMessageBox(text.IsEmpty() ? GetComErrorText(error) : text);
    }
}

CString CChildFrame::GetProviderErrorText() { return CString(m_pRun->ProviderErrorText().c_str()); }

CString CChildFrame::GetComErrorText(const _com_error& error) { return ComErrorText(error); }
