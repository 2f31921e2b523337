// The Project pane: a docking pane that holds an empty tree.
#pragma once

#include "platform/mfc/CTreeCtrl.h"
#include "ui/docking/KtvPDockingControlBar.h"

class CProjectBar : public CKtvPDockingControlBar {
    DECLARE_DYNAMIC(CProjectBar)
public:
    CProjectBar() = default;
    ~CProjectBar() override;

    CTreeCtrl m_wndTree;

    void AdjustLayout() override;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};
