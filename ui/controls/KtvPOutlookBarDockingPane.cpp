#include "ui/controls/KtvPOutlookBarDockingPane.h"

#include "ui/docking/KtvPOutlookBar.h"

IMPLEMENT_DYNCREATE(CKtvPOutlookBarDockingPane, CKtvPDockingCBWrapper)

BEGIN_MESSAGE_MAP(CKtvPOutlookBarDockingPane, CKtvPDockingCBWrapper)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CKtvPOutlookBarDockingPane::CKtvPOutlookBarDockingPane()
{
    SetTabbedControlBarRTC(RUNTIME_CLASS(CKtvPOutlookBar));
}

CKtvPOutlookBarDockingPane::~CKtvPOutlookBarDockingPane() = default;

void CKtvPOutlookBarDockingPane::OnNcDestroy()
{
    CKtvPDockingCBWrapper::OnNcDestroy();
    // The plain wrapper may already have gone with its window.
    if (!m_bAutoDelete)
        delete this;
}
