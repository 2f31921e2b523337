#include "platform/mfc/CCmdTarget.h"

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CWinApp.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace tw::mfc {

const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return nullptr;
}

const AFX_MSGMAP_ENTRY* FindRegisteredEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
        if (lpEntry->nMessage == 0xC000 && *reinterpret_cast<const UINT*>(lpEntry->nSig) == nMsg)
            return lpEntry;
    }
    return nullptr;
}

BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig,
                    AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = pTarget;
        pHandlerInfo->pmf = pfn;
        return TRUE;
    }
    (void)nCode;
    auto* notify = static_cast<AFX_NOTIFY*>(pExtra);
    switch (nSig) {
    case AfxSigCmd_v:
        (pTarget->*pfn)();
        return TRUE;
    case AfxSigCmd_b:
        return (pTarget->*tw::mfc::PmfCast<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSigCmd_RANGE:
        (pTarget->*tw::mfc::PmfCast<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSigCmd_EX:
        return (pTarget->*tw::mfc::PmfCast<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSigCmdUI: {
        auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
        pCmdUI->m_bContinueRouting = FALSE;
        (pTarget->*tw::mfc::PmfCast<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
        return !pCmdUI->m_bContinueRouting;
    }
    case AfxSigNotify_v:
        (pTarget->*tw::mfc::PmfCast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(notify->pNMHDR, notify->pResult);
        return TRUE;
    case AfxSigNotify_b:
        return (pTarget->*tw::mfc::PmfCast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(notify->pNMHDR,
                                                                                       notify->pResult);
    case AfxSigNotify_RANGE:
        (pTarget->*tw::mfc::PmfCast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, notify->pNMHDR,
                                                                                       notify->pResult);
        return TRUE;
    case AfxSigNotify_EX:
        return (pTarget->*tw::mfc::PmfCast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(
            nID, notify->pNMHDR, notify->pResult);
    default:
        return FALSE;
    }
}

}  // namespace tw::mfc

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY noEntries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &noEntries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = 0;
    UINT code = static_cast<UINT>(nCode);
    if (code != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(code);
        code = LOWORD(code);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        const AFX_MSGMAP_ENTRY* entry = tw::mfc::FindMessageEntry(map->lpEntries, nMsg, code, nID);
        if (entry)
            return tw::mfc::DispatchCmdMsg(this, nID, nCode, entry->pfn, pExtra, entry->nSig, pHandlerInfo);
    }
    return FALSE;
}

void CCmdTarget::BeginWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(0);
}
