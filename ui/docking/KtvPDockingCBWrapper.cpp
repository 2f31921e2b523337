#include "ui/docking/KtvPDockingCBWrapper.h"

#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvRegPath.h"

IMPLEMENT_DYNCREATE(CKtvPDockingCBWrapper, CKtvPDockingControlBar)

BEGIN_MESSAGE_MAP(CKtvPDockingCBWrapper, CKtvPDockingControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CKtvPDockingCBWrapper::CKtvPDockingCBWrapper()
    : m_rectInitial(30, 30, 180, 180), m_dwDefaultAlignment(CBRS_ALIGN_ANY), m_bAutoDelete(FALSE), m_pWnd(nullptr)
{
}

// The wrapped window is a child of the wrapper's window, never deleted here.
CKtvPDockingCBWrapper::~CKtvPDockingCBWrapper() = default;

namespace {

CString WrapperKey(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const CString strBase = KtvGetRegPath(CKtvPControlBar::m_szSection, lpszProfileName);
    CString strKey;
    if (uiID == (UINT)-1) {
        strKey.Format("%sKtvPDockingCBWrapper-%d", (LPCTSTR)strBase, nIndex);
    } else {
        strKey.Format("%sKtvPDockingCBWrapper-%d%x", (LPCTSTR)strBase, nIndex, uiID);
    }
    return strKey;
}

}  // namespace

// The name goes first; the bar's own state is saved even when the name could
// not be. The answer says whether both were.
BOOL CKtvPDockingCBWrapper::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const int nKeyIndex = nIndex == -1 ? GetDlgCtrlID() : nIndex;
    BOOL bNameSaved = FALSE;
    {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
        if (reg.CreateKey(WrapperKey(lpszProfileName, nKeyIndex, uiID))) {
            CString strName;
            GetWindowText(strName);
            bNameSaved = reg.Write("BarName", strName);
        }
    }
    const BOOL bBarSaved = CKtvPDockingControlBar::SaveState(lpszProfileName, nIndex, uiID);
    return bNameSaved && bBarSaved;
}

BOOL CKtvPDockingCBWrapper::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const int nKeyIndex = nIndex == -1 ? GetDlgCtrlID() : nIndex;
    {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
        if (!reg.Open(WrapperKey(lpszProfileName, nKeyIndex, uiID))) {
            return FALSE;
        }
        CString strName;
        if (reg.Read("BarName", strName) && !strName.IsEmpty()) {
            SetWindowText(strName);
        }
    }
    return CKtvPDockingControlBar::LoadState(lpszProfileName, nIndex, uiID);
}

BOOL CKtvPDockingCBWrapper::SetWrappedWnd(CWnd* pWnd)
{
    if (CWnd::GetSafeHwndOf(pWnd) == nullptr) {
        return FALSE;
    }
    pWnd->SetParent(this);
    m_pWnd = pWnd;
    if (!pWnd->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))) {
        EnableDocking(m_dwDefaultAlignment);
    } else {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(pWnd);
        EnableDocking(pBar->GetEnabledAlignment());
        m_bRecentVisibleState = pBar->GetRecentVisibleState();
        SetRestoredFromRegistry(pBar->IsRestoredFromRegistry());
        if (pWnd->IsKindOf(RUNTIME_CLASS(CKtvPControlBar))) {
            m_recentDockInfo.m_dockedLayout.m_rectBar =
                static_cast<CKtvPControlBar*>(pWnd)->GetRecentDockInfo().m_dockedLayout.m_rectBar;
        }
    }
    CRect rectClient;
    GetClientRect(rectClient);
    pWnd->SetWindowPos(nullptr, 0, 0, rectClient.Width(), rectClient.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void CKtvPDockingCBWrapper::OnSize(UINT nType, int cx, int cy)
{
    CKtvPDockingControlBar::OnSize(nType, cx, cy);
    if (CWnd::GetSafeHwndOf(m_pWnd) != nullptr) {
        m_pWnd->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CKtvPDockingCBWrapper::PostNcDestroy()
{
    if (m_bAutoDelete) {
        delete this;
    }
}
