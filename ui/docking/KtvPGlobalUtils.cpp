#include "ui/docking/KtvPGlobalUtils.h"

#include "ui/frames/KtvPNotBuilt.h"

CKtvPGlobalUtils globalUtils;

CKtvPGlobalUtils::CKtvPGlobalUtils() : m_bDialogParent(FALSE), m_bUseCursorMonitor(FALSE) {}

CKtvPGlobalUtils::~CKtvPGlobalUtils() = default;

CKtvPDockManager* CKtvPGlobalUtils::GetDockManager(CWnd*) { KTVP_NOT_BUILT("CKtvPGlobalUtils::GetDockManager"); }

BOOL CKtvPGlobalUtils::CheckAlignment(CPoint, CKtvPBaseControlBar*, int, BOOL, DWORD&, DWORD, LPCRECT) const
{
    KTVP_NOT_BUILT("CKtvPGlobalUtils::CheckAlignment");
}

CRect& CKtvPGlobalUtils::RotateRect(CRect&, int) const { KTVP_NOT_BUILT("CKtvPGlobalUtils::RotateRect"); }

void CKtvPGlobalUtils::SetNewParent(CObList&, CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPGlobalUtils::SetNewParent"); }

void CKtvPGlobalUtils::CalcExpectedDockedRect(CKtvPBarContainerManager&, CWnd*, CPoint, CRect&, BOOL&,
                                              CKtvPDockingControlBar**)
{
    KTVP_NOT_BUILT("CKtvPGlobalUtils::CalcExpectedDockedRect");
}

BOOL CKtvPGlobalUtils::CanBeAttached(CWnd*) const { KTVP_NOT_BUILT("CKtvPGlobalUtils::CanBeAttached"); }

BOOL CKtvPGlobalUtils::CanJoinMultiMiniFrame(CWnd*) const
{
    KTVP_NOT_BUILT("CKtvPGlobalUtils::CanJoinMultiMiniFrame");
}

BOOL CKtvPGlobalUtils::FindTargetAtPoint(CKtvPBarContainerManager&, CPoint, CKtvPDockingControlBar**, DWORD&, BOOL&,
                                         BOOL&)
{
    KTVP_NOT_BUILT("CKtvPGlobalUtils::FindTargetAtPoint");
}

void CKtvPGlobalUtils::AdjustRectToWorkArea(CRect&, const CRect*)
{
    KTVP_NOT_BUILT("CKtvPGlobalUtils::AdjustRectToWorkArea");
}
