// The floating frame of a tasks pane: besides its own caption buttons it
// shows the pane's Back, Forward and pages menu in its caption.
#pragma once

#include "platform/mfc/afxmsg.h"
#include "ui/docking/KtvPMiniFrameWnd.h"

class CKtvPTasksPane;

class CKtvPTaskPaneMiniFrameWnd : public CKtvPMiniFrameWnd {
    DECLARE_SERIAL(CKtvPTaskPaneMiniFrameWnd)
public:
    CKtvPTaskPaneMiniFrameWnd();
    ~CKtvPTaskPaneMiniFrameWnd() override;

    void SetCaptionButtons(DWORD dwButtons) override;
    void CalcBorderSize(CRect& rectBorderSize) const override;
    void DrawCaptionButtons(CDC* pDC) override;
    void OnPressButtonUp(UINT nHit) override;
    CKtvPCaptionButton* AddButton(UINT nHit) override;
    void OnTrackCaptionButtons(CPoint point) override;
    void StopCaptionButtonsTracking() override;
    LRESULT OnMovingFrame(WPARAM wParam, LPARAM lParam) override;

    BOOL IsMenuShown() const { return m_bMenuShown; }

protected:
    // The frame's bar as a tasks pane; NULL for any other bar.
    CKtvPTasksPane* GetTaskPaneBar() const;

    BOOL m_bMenuShown;  // while the pages menu is open

    void OnNcPaint();
    BOOL OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
