#include "ui/commandbars/KtvPBoxButtonSupport.h"

#include "platform/mfc/CDC.h"
#include "platform/mfc/CMenu.h"
#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPDropDownToolBar.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPWorkspace.h"

namespace ktvbox {

namespace {

// The loaded version of the workspace's state; FALSE without a workspace.
BOOL LoadedVersion(int& nMajor, int& nMinor)
{
    const CKtvPWorkspace* pWorkspace = KtvGetWorkspace();
    if (pWorkspace == nullptr)
        return FALSE;
    nMajor = pWorkspace->GetDataVersionMajor();
    nMinor = pWorkspace->GetDataVersionMinor();
    return TRUE;
}

}  // namespace

BOOL StoresMenuResID()
{
    int nMajor = 0, nMinor = 0;
    if (!LoadedVersion(nMajor, nMinor))
        return FALSE;
    if (nMajor == -1 && nMinor == -1)
        return TRUE;
    return (nMajor == 6 && nMinor >= 41) || nMajor >= 7;
}

BOOL StoresCalculatorFlag()
{
    int nMajor = 0, nMinor = 0;
    if (!LoadedVersion(nMajor, nMinor))
        return FALSE;
    return nMajor == -1 || (nMajor >= 6 && nMinor >= 72);
}

HBRUSH CtlColor(CDC* pDC)
{
    pDC->SetTextColor(globalData.clrWindowText);
    pDC->SetBkColor(globalData.clrWindow);
    return (HBRUSH)globalData.brWindow.GetSafeHandle();
}

BOOL ShowContextMenu(UINT uiMenuResID, CPoint point, CWnd* pOwner)
{
    CMenu menu;
    if (uiMenuResID == 0 || !menu.LoadMenu(uiMenuResID))
        return FALSE;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return FALSE;
    if (g_pContextMenuManager != nullptr) {
        g_pContextMenuManager->ShowPopupMenu(pPopup->Detach(), point.x, point.y, pOwner, TRUE);
        return TRUE;
    }
    pPopup->TrackPopupMenu(TPM_CENTERALIGN, point.x, point.y, pOwner);
    return TRUE;
}

void TrackMouseLeave(CWnd* pWnd, BOOL& bTracked)
{
    if (bTracked)
        return;
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = pWnd->GetSafeHwnd();
    bTracked = EmulateTrackMouseEvent(&tme);
}

CString WindowText(const CWnd* pWnd)
{
    CString strText;
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        pWnd->GetWindowText(strText);
    return strText;
}

}  // namespace ktvbox
