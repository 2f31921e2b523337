// The Object pane: the docking pane that holds the server's object tree.
#pragma once

#include "explorer/ObjectBrowseTreeCtrl.h"
#include "ui/docking/KtvPDockingControlBar.h"

class CObjectBrowseBar : public CKtvPDockingControlBar {
    DECLARE_DYNAMIC(CObjectBrowseBar)
public:
    // Control id of the tree inside the pane.
    static constexpr UINT kTreeId = 2;
    // Child, visible, clip siblings and children, buttons, lines, lines at root, selection always shown.
    static constexpr DWORD kTreeStyle = 0x56000027;

    CObjectBrowseBar() = default;
    ~CObjectBrowseBar() override;

    CObjectBrowseTreeCtrl m_wndTree;

    // Puts the tree inside the client area, one pixel in from every side.
    void AdjustLayout() override;
    // Creates the hosted tree and lays it out; -1 when it cannot be made.
    static int CreateHostedTree(CWnd& bar, CTreeCtrl& tree);
    // Moves the tree to the bar's client area less a pixel on every side.
    static void LayOutHostedTree(CWnd& bar, CWnd& tree);
    // The one-pixel frame in the button-shadow colour around the tree.
    static void PaintHostedTreeFrame(CWnd& bar, CWnd& tree);

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};
