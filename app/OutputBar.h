// The Output pane: a docking pane at the bottom of the main window whose list
// shows the server messages and row counts of the query windows, one line
// each, in the order they came. Lines can be selected and copied (Ctrl+C).
#pragma once

#include "platform/mfc/CListBox.h"
#include "ui/docking/KtvPDockingControlBar.h"

// The pane's list: copies the selected lines to the clipboard on Ctrl+C.
class COutputList : public CListBox {
public:
    // The selected lines joined by line breaks; FALSE when none is selected
    // or the clipboard cannot be opened.
    BOOL CopySelection();

protected:
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};

class COutputBar : public CKtvPDockingControlBar {
    DECLARE_DYNAMIC(COutputBar)
public:
    // Control id of the list inside the pane.
    static constexpr UINT kListId = 1;

    COutputBar() = default;

    // Appends one line; a hidden pane is shown (and activated) first, with the
    // frame laid out again. The new line's index, or LB_ERR.
    int AddLine(LPCTSTR lpszLine);

    COutputList m_wndList;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    DECLARE_MESSAGE_MAP()
};
