// The root of every class that receives commands: its message map and the
// search of that map for a command, an update request or a notification.
#pragma once

#include "platform/mfc/CObject.h"
#include "platform/mfc/afxmsg.h"

// Filled instead of calling the handler when a caller only asks whether one exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// What OnCmdMsg receives in pExtra for a WM_NOTIFY.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // nCode is CN_COMMAND, CN_UPDATE_COMMAND_UI, or MAKELONG(notification, WM_COMMAND
    // or WM_NOTIFY or either plus WM_REFLECT_BASE). TRUE when a handler took it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    static const AFX_MSGMAP* GetThisMessageMap();

protected:
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

namespace tw::mfc {
// Calls a command-map handler in the shape its entry names.
BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig,
                    AFX_CMDHANDLERINFO* pHandlerInfo);
}  // namespace tw::mfc
