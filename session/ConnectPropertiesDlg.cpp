#include "session/ConnectPropertiesDlg.h"

#include "app/MainFrame.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "session/ChildFrame.h"
#include "ui/frames/KtvPWorkspace.h"

BEGIN_MESSAGE_MAP(CConnectPropertiesDlg, CKtvPDialog)
    ON_BN_CLICKED(IDC_TW_PROPS_RESET, OnReset)
END_MESSAGE_MAP()

namespace {

VARIANT SessionPropBool(int nValue)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = nValue != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT SessionPropInt(int nValue)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = nValue;
    return v;
}

constexpr int kRowCountMax = 32765;

}  // namespace

CConnectPropertiesDlg::CConnectPropertiesDlg(CWnd* pParent) : CKtvPDialog(IDD, pParent) {}

void CConnectPropertiesDlg::DoDataExchange(CDataExchange* pDX)
{
    CKtvPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TW_PROPS_FRAME, m_wndFrame);
}

BOOL CConnectPropertiesDlg::OnInitDialog()
{
    CKtvPDialog::OnInitDialog();
    m_pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    m_pQueryWindow = m_pMainFrame != nullptr ? dynamic_cast<CChildFrame*>(m_pMainFrame->MDIGetActive()) : nullptr;
    m_Options = m_pQueryWindow != nullptr ? m_pQueryWindow->m_SessionOptions
                                          : CSessionOptions::FromMainFrame(m_pMainFrame);

    CRect rect;
    m_wndFrame.GetClientRect(rect);
    m_wndFrame.MapWindowPoints(this, rect);
    m_wndPropList.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, rect, this, static_cast<UINT>(-1));
    BuildPropertyList();
    ApplyListLook();
    OnReset();

    auto* pWorkspace = dynamic_cast<CKtvPWorkspace*>(AfxGetApp());
    const int nNetLook = pWorkspace != nullptr ? pWorkspace->GetSectionInt("APPLookNet", "EnvironmentGeneral", 0) : 0;
    m_wndPropList.SetNetLook(nNetLook != 0);
    return TRUE;
}

void CConnectPropertiesDlg::BuildPropertyList()
{
    if (m_wndPropList.GetPropertyCount() > 0)
        m_wndPropList.RemoveAll();
    auto* pQuery = new CKtvPProp(kSessionGroupQuery);
    auto* pAnsi = new CKtvPProp(kSessionGroupAnsi);
    int nRows = 0;
    const CSessionOptionRow* pRows = SessionOptionRows(&nRows);
    for (int i = 0; i < nRows; ++i) {
        const CSessionOptionRow& row = pRows[i];
        CKtvPProp* pProp = row.isCount ? new CKtvPProp(row.name, SessionPropInt(0), row.help)
                                       : new CKtvPProp(row.name, SessionPropBool(0), row.help);
        if (row.isCount)
            pProp->EnableSpinControl(TRUE, 0, kRowCountMax);
        (CString(row.group) == kSessionGroupQuery ? pQuery : pAnsi)->AddSubItem(pProp);
    }
    pQuery->Expand();
    pAnsi->Expand();
    m_wndPropList.AddProperty(pQuery, TRUE);
    m_wndPropList.AddProperty(pAnsi, TRUE);
    ApplyListLook();
}

void CConnectPropertiesDlg::ApplyListLook()
{
    m_wndPropList.EnableHeaderCtrl(FALSE);
    m_wndPropList.EnableDescriptionArea(TRUE);
    m_wndPropList.SetNetLook(FALSE);
    m_wndPropList.SetAlphabeticMode(FALSE);
    m_wndPropList.SetLiveColumnTracking(TRUE);
    SetListColors();
}

void CConnectPropertiesDlg::SetListColors()
{
    UpdateData(TRUE);
    m_wndPropList.SetCustomColors(RGB(228, 243, 254), RGB(0, 0, 0), RGB(200, 236, 209), RGB(33, 102, 49),
                                  RGB(255, 229, 216), RGB(128, 0, 0), RGB(159, 159, 255));
    m_wndPropList.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

CKtvPProp* CConnectPropertiesDlg::FindRow(const CSessionOptionRow& row) const
{
    for (int g = 0; g < m_wndPropList.GetPropertyCount(); ++g) {
        CKtvPProp* pGroup = m_wndPropList.GetProperty(g);
        if (pGroup->GetName() != row.group)
            continue;
        for (int i = 0; i < pGroup->GetSubItemsCount(); ++i)
            if (pGroup->GetSubItem(i)->GetName() == row.name)
                return pGroup->GetSubItem(i);
    }
    return nullptr;
}

void CConnectPropertiesDlg::OnReset()
{
    int nRows = 0;
    const CSessionOptionRow* pRows = SessionOptionRows(&nRows);
    for (int i = 0; i < nRows; ++i) {
        CKtvPProp* pProp = FindRow(pRows[i]);
        if (pProp == nullptr)
            continue;
        const int nValue = m_Options.*pRows[i].field;
        pProp->SetValue(pRows[i].isCount ? SessionPropInt(nValue) : SessionPropBool(nValue));
    }
    for (int g = 0; g < m_wndPropList.GetPropertyCount(); ++g) {
        CKtvPProp* pGroup = m_wndPropList.GetProperty(g);
        if (pGroup->GetName() != kSessionGroupQuery && pGroup->GetName() != kSessionGroupAnsi)
            continue;
        for (int i = 0; i < pGroup->GetSubItemsCount(); ++i)
            pGroup->GetSubItem(i)->Redraw();
    }
}

CSessionOptions CConnectPropertiesDlg::GridValues()
{
    CSessionOptions values = m_Options;
    int nRows = 0;
    const CSessionOptionRow* pRows = SessionOptionRows(&nRows);
    for (int i = 0; i < nRows; ++i) {
        const CSessionOptionRow& row = pRows[i];
        CKtvPProp* pProp = FindRow(row);
        if (pProp == nullptr)
            continue;
        if (row.isCount) {
            // A typed number not yet taken counts; a text the row refuses leaves RowCount as it was.
            if (pProp->GetEditor() != nullptr && !pProp->OnUpdateValue())
                continue;
            const VARIANT& value = pProp->GetValue();
            if (value.vt == VT_I4)
                values.*row.field = value.lVal;
            continue;
        }
        const VARIANT& value = pProp->GetValue();
        if (value.vt == VT_BOOL)
            values.*row.field = value.boolVal == VARIANT_TRUE ? 1 : 0;
    }
    return values;
}

CSessionSetText CConnectPropertiesDlg::BuildSetText() { return BuildSessionSetText(m_Options, GridValues()); }

void CConnectPropertiesDlg::OnOK()
{
    const CSessionOptions wanted = GridValues();
    if (wanted == m_Options) {
        CKtvPDialog::OnOK();
        return;
    }
    if (m_pQueryWindow == nullptr || !::IsWindow(m_pQueryWindow->GetSafeHwnd())) {
        AfxMessageBox(kNoQueryWindow, MB_OK | MB_ICONINFORMATION);
        return;
    }
    CString strError;
    const BOOL bApplied = m_pQueryWindow->ApplySessionOptions(wanted, strError);
    // The record holds what the session took; a refused change stays in the grid to be corrected.
    m_Options = m_pQueryWindow->m_SessionOptions;
    if (!bApplied) {
        AfxMessageBox(strError, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CKtvPDialog::OnOK();
}
