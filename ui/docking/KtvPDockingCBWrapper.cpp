#include "ui/docking/KtvPDockingCBWrapper.h"

#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPDockingCBWrapper, CKtvPDockingControlBar)

BEGIN_MESSAGE_MAP(CKtvPDockingCBWrapper, CKtvPDockingControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CKtvPDockingCBWrapper::CKtvPDockingCBWrapper()
    : m_rectInitial(30, 30, 180, 180), m_dwDefaultAlignment(CBRS_ALIGN_ANY), m_pWnd(nullptr)
{
}

// The wrapped window is a child of the wrapper's window, never deleted here.
CKtvPDockingCBWrapper::~CKtvPDockingCBWrapper() = default;

BOOL CKtvPDockingCBWrapper::LoadState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPDockingCBWrapper::LoadState"); }
BOOL CKtvPDockingCBWrapper::SaveState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPDockingCBWrapper::SaveState"); }
BOOL CKtvPDockingCBWrapper::SetWrappedWnd(CWnd*) { KTVP_NOT_BUILT("CKtvPDockingCBWrapper::SetWrappedWnd"); }
void CKtvPDockingCBWrapper::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPDockingCBWrapper::OnSize"); }
