// Completion, member lists, the catalogue and parameter tips of the SQL
// editor are written in their own files; until they are, these stand in.
// The few the typing path reaches on every key answer "nothing to offer",
// so that typing works; the rest stop the process when reached.
#include "sqleditor/CustomerEditCtrl.h"

#include "ui/frames/KtvPNotBuilt.h"

// ---- on the typing path: nothing offered yet
BOOL CCustomerEditCtrl::OnIntelliSenseChar(LPCTSTR, int, UINT, CString&)
{
    return FALSE;
}

BOOL CCustomerEditCtrl::FindWordBeforePos(LPCTSTR, int&, CString&)
{
    return FALSE;
}

void CCustomerEditCtrl::TrackFuncTipChar(UINT) {}

void CCustomerEditCtrl::TrackFuncTipKey(UINT) {}

void CCustomerEditCtrl::CloseFuncTip() {}

// ---- not reached without an offer
BOOL CCustomerEditCtrl::FillIntelliSenseList(CObList&, LPCTSTR)
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::FillIntelliSenseList");
}

BOOL CCustomerEditCtrl::FillFuncTipList(CObList&, LPCTSTR)
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::FillFuncTipList");
}

BOOL CCustomerEditCtrl::FillFuncTipListAt(int&, CObList&)
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::FillFuncTipListAt");
}

BOOL CCustomerEditCtrl::FindObjectBeforeParen(LPCTSTR, int&, CString&)
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::FindObjectBeforeParen");
}

BOOL CCustomerEditCtrl::ShowFuncTipWnd(CObList&, int, int)
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::ShowFuncTipWnd");
}

BOOL CCustomerEditCtrl::InvokeFuncTip()
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::InvokeFuncTip");
}

BOOL CCustomerEditCtrl::IsKnownObject(LPCTSTR)
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::IsKnownObject");
}

BOOL CCustomerEditCtrl::FindTipTrigger(LPCTSTR, int&, TCHAR&)
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::FindTipTrigger");
}

void CCustomerEditCtrl::RebuildNameMaps()
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::RebuildNameMaps");
}

BOOL CCustomerEditCtrl::GetQualifiedNameAt(LPCTSTR, int, CString&)
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::GetQualifiedNameAt");
}

BOOL CCustomerEditCtrl::GetPrevQualifiedName(LPCTSTR, int, CString&)
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::GetPrevQualifiedName");
}

int CCustomerEditCtrl::FillMemberList(CString)
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::FillMemberList");
}

void CCustomerEditCtrl::AddBuiltinNames()
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::AddBuiltinNames");
}

void CCustomerEditCtrl::AddMsdbNames()
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::AddMsdbNames");
}

int CCustomerEditCtrl::GetProcParams(CString)
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::GetProcParams");
}

BOOL CCustomerEditCtrl::IsOutsideQuotes()
{
    KTVP_NOT_BUILT("CCustomerEditCtrl::IsOutsideQuotes");
}
