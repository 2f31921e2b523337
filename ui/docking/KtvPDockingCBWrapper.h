// A docking bar whose only content is one wrapped window that fills its client
// area: how a tab that is not itself a bar becomes a pane when it is detached.
#pragma once

#include "ui/docking/KtvPDockingControlBar.h"

class CKtvPDockingCBWrapper : public CKtvPDockingControlBar {
    DECLARE_DYNCREATE(CKtvPDockingCBWrapper)
public:
    CKtvPDockingCBWrapper();
    ~CKtvPDockingCBWrapper() override;

    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;

    virtual BOOL SetWrappedWnd(CWnd* pWnd);
    virtual CWnd* GetWrappedWnd() const { return m_pWnd; }

    CRect m_rectInitial;
    DWORD m_dwDefaultAlignment;
    // Set for wrappers nobody else holds: the object goes with its window.
    BOOL m_bAutoDelete;

protected:
    void PostNcDestroy() override;
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    CWnd* m_pWnd;
};
