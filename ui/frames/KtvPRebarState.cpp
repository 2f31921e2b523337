#include "ui/frames/KtvPRebarState.h"

#include "ui/frames/KtvPNotBuilt.h"

BOOL CKtvPRebarState::LoadRebarState(LPCTSTR, CFrameWnd*)
{
    KTVP_NOT_BUILT("CKtvPRebarState::LoadRebarState");
}

BOOL CKtvPRebarState::SaveRebarState(LPCTSTR, CFrameWnd*)
{
    KTVP_NOT_BUILT("CKtvPRebarState::SaveRebarState");
}

BOOL CALLBACK CKtvPRebarState::LoadRebarStateProc(HWND, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPRebarState::LoadRebarStateProc");
}

BOOL CALLBACK CKtvPRebarState::SaveRebarStateProc(HWND, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPRebarState::SaveRebarStateProc");
}
