#include "ui/controls/KtvPTaskPaneMiniFrameWnd.h"

#include "platform/comctl/commctrl.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CKtvPTaskPaneMiniFrameWnd, CKtvPMiniFrameWnd, VERSIONABLE_SCHEMA | 2)

BEGIN_MESSAGE_MAP(CKtvPTaskPaneMiniFrameWnd, CKtvPMiniFrameWnd)
    ON_WM_NCPAINT()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnNeedTipText)
END_MESSAGE_MAP()

CKtvPTaskPaneMiniFrameWnd::CKtvPTaskPaneMiniFrameWnd() : m_bMenuShown(FALSE) {}

CKtvPTaskPaneMiniFrameWnd::~CKtvPTaskPaneMiniFrameWnd() = default;

void CKtvPTaskPaneMiniFrameWnd::SetCaptionButtons(DWORD)
{
    KTVP_NOT_BUILT("CKtvPTaskPaneMiniFrameWnd::SetCaptionButtons");
}
void CKtvPTaskPaneMiniFrameWnd::CalcBorderSize(CRect&) const
{
    KTVP_NOT_BUILT("CKtvPTaskPaneMiniFrameWnd::CalcBorderSize");
}
void CKtvPTaskPaneMiniFrameWnd::DrawCaptionButtons(CDC*)
{
    KTVP_NOT_BUILT("CKtvPTaskPaneMiniFrameWnd::DrawCaptionButtons");
}
void CKtvPTaskPaneMiniFrameWnd::OnPressButtonUp(UINT) { KTVP_NOT_BUILT("CKtvPTaskPaneMiniFrameWnd::OnPressButtonUp"); }
CKtvPCaptionButton* CKtvPTaskPaneMiniFrameWnd::AddButton(UINT)
{
    KTVP_NOT_BUILT("CKtvPTaskPaneMiniFrameWnd::AddButton");
}
void CKtvPTaskPaneMiniFrameWnd::OnTrackCaptionButtons(CPoint)
{
    KTVP_NOT_BUILT("CKtvPTaskPaneMiniFrameWnd::OnTrackCaptionButtons");
}
void CKtvPTaskPaneMiniFrameWnd::StopCaptionButtonsTracking()
{
    KTVP_NOT_BUILT("CKtvPTaskPaneMiniFrameWnd::StopCaptionButtonsTracking");
}
LRESULT CKtvPTaskPaneMiniFrameWnd::OnMovingFrame(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPTaskPaneMiniFrameWnd::OnMovingFrame");
}
CKtvPTasksPane* CKtvPTaskPaneMiniFrameWnd::GetTaskPaneBar() const
{
    KTVP_NOT_BUILT("CKtvPTaskPaneMiniFrameWnd::GetTaskPaneBar");
}
void CKtvPTaskPaneMiniFrameWnd::OnNcPaint() { KTVP_NOT_BUILT("CKtvPTaskPaneMiniFrameWnd::OnNcPaint"); }
BOOL CKtvPTaskPaneMiniFrameWnd::OnNeedTipText(UINT, NMHDR*, LRESULT*)
{
    KTVP_NOT_BUILT("CKtvPTaskPaneMiniFrameWnd::OnNeedTipText");
}
