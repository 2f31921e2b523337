// The docking wrapper the outlook window puts round a detachable page: a bar
// docked onto the floating page forms a new outlook bar with it.
#pragma once

#include "platform/mfc/afxmsg.h"
#include "ui/docking/KtvPDockingCBWrapper.h"

class CKtvPOutlookBarDockingPane : public CKtvPDockingCBWrapper {
    DECLARE_DYNCREATE(CKtvPOutlookBarDockingPane)
public:
    CKtvPOutlookBarDockingPane();
    ~CKtvPOutlookBarDockingPane() override;

protected:
    // Base handling, then the wrapper deletes itself: nobody else owns it.
    void OnNcDestroy();
    DECLARE_MESSAGE_MAP()
};
