#include "ui/controls/KtvPTaskPaneMiniFrameWnd.h"

#include "platform/comctl/commctrl.h"
#include "resources/TasksPaneIds.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/controls/KtvPTasksPane.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/frames/KtvPCodes.h"

IMPLEMENT_SERIAL(CKtvPTaskPaneMiniFrameWnd, CKtvPMiniFrameWnd, VERSIONABLE_SCHEMA | 2)

BEGIN_MESSAGE_MAP(CKtvPTaskPaneMiniFrameWnd, CKtvPMiniFrameWnd)
    ON_WM_NCPAINT()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnNeedTipText)
END_MESSAGE_MAP()

CKtvPTaskPaneMiniFrameWnd::CKtvPTaskPaneMiniFrameWnd() : m_bMenuShown(FALSE) {}

CKtvPTaskPaneMiniFrameWnd::~CKtvPTaskPaneMiniFrameWnd() = default;

CKtvPTasksPane* CKtvPTaskPaneMiniFrameWnd::GetTaskPaneBar() const
{
    return dynamic_cast<CKtvPTasksPane*>(GetControlBar());
}

// The frame's own buttons by their bits, then always the pane's Back, Forward and pages menu.
void CKtvPTaskPaneMiniFrameWnd::SetCaptionButtons(DWORD dwButtons)
{
    RemoveButtons();
    CKtvPBaseControlBar* pBar = GetBar();
    if ((dwButtons & KTVP_CAPTION_BTN_CLOSE) != 0 && pBar != nullptr && pBar->CanBeClosed())
        AddButton(KTVP_HTCLOSE_FRAME);
    if ((dwButtons & KTVP_CAPTION_BTN_PIN) != 0)
        AddButton(KTVP_HTPIN);
    if ((dwButtons & KTVP_CAPTION_BTN_AUTOHIDE) != 0)
        AddButton(KTVP_HTAUTOHIDE_SECOND);
    AddButton(KTVP_HTBACK);
    AddButton(KTVP_HTFORWARD);
    AddButton(KTVP_HTMENU);
    m_dwCaptionButtons = dwButtons | 0x70;
    SyncTooltipTools();
    ArrangeCaptionButtons();
    if (GetSafeHwnd() != nullptr)
        SendMessage(WM_NCPAINT);
}

CKtvPCaptionButton* CKtvPTaskPaneMiniFrameWnd::AddButton(UINT nHit)
{
    if (CKtvPCaptionButton* pBtn = FindButton(nHit))
        return pBtn;
    CKtvPCaptionButton* pBtn = nullptr;
    switch (nHit) {
    case KTVP_HTBACK:
    case KTVP_HTFORWARD:
        pBtn = new CKtvPCaptionButton(nHit, TRUE);
        break;
    case KTVP_HTMENU:
        pBtn = new CKtvPCaptionMenuButton(nHit);
        break;
    default:
        return CKtvPMiniFrameWnd::AddButton(nHit);
    }
    m_lstCaptionButtons.AddHead(pBtn);
    return pBtn;
}

void CKtvPTaskPaneMiniFrameWnd::CalcBorderSize(CRect& rectBorderSize) const { rectBorderSize.SetRect(3, 3, 3, 3); }

LRESULT CKtvPTaskPaneMiniFrameWnd::OnMovingFrame(WPARAM wParam, LPARAM lParam)
{
    return CKtvPMiniFrameWnd::OnMovingFrame(wParam, lParam);
}

void CKtvPTaskPaneMiniFrameWnd::OnNcPaint()
{
    CKtvPTasksPane* pPane = GetTaskPaneBar();
    const BOOL bShow = pPane != nullptr && pPane->GetPageCount() > 1 && !pPane->IsNavigationToolbarEnabled();
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pBtn = static_cast<CKtvPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        switch (pBtn->GetHit()) {
        case KTVP_HTBACK:
            pBtn->m_bHidden = !bShow;
            pBtn->m_bEnabled = pPane != nullptr && pPane->GetActiveHistoryPos() > 0;
            break;
        case KTVP_HTFORWARD:
            pBtn->m_bHidden = !bShow;
            pBtn->m_bEnabled = pPane != nullptr && pPane->GetActiveHistoryPos() < pPane->GetHistoryLength() - 1;
            break;
        case KTVP_HTMENU:
            pBtn->m_bHidden = !bShow;
            break;
        default:
            break;
        }
    }
    ArrangeCaptionButtons();
    CKtvPMiniFrameWnd::OnNcPaint();
}

// Hidden buttons are not drawn; customisation mode leaves every button as it is.
void CKtvPTaskPaneMiniFrameWnd::DrawCaptionButtons(CDC* pDC)
{
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pBtn = static_cast<CKtvPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        if (pBtn->m_bHidden)
            continue;
        pBtn->OnDraw(pDC, FALSE, TRUE, !(pBtn->GetHit() == KTVP_HTPIN && m_bPinned), FALSE);
    }
}

void CKtvPTaskPaneMiniFrameWnd::OnPressButtonUp(UINT nHit)
{
    if (CKtvPTasksPane* pPane = GetTaskPaneBar()) {
        switch (nHit) {
        case KTVP_HTBACK:
            pPane->OnPressBackButton();
            break;
        case KTVP_HTFORWARD:
            pPane->OnPressForwardButton();
            break;
        case KTVP_HTMENU:
            m_bMenuShown = TRUE;
            pPane->OnPressOtherButton(dynamic_cast<CKtvPCaptionMenuButton*>(FindButton(KTVP_HTMENU)), this);
            m_bMenuShown = FALSE;
            break;
        default:
            break;
        }
    }
    CKtvPMiniFrameWnd::OnPressButtonUp(nHit);
}

void CKtvPTaskPaneMiniFrameWnd::OnTrackCaptionButtons(CPoint point)
{
    if (!m_bMenuShown)
        CKtvPMiniFrameWnd::OnTrackCaptionButtons(point);
}

void CKtvPTaskPaneMiniFrameWnd::StopCaptionButtonsTracking()
{
    if (!m_bMenuShown)
        CKtvPMiniFrameWnd::StopCaptionButtonsTracking();
}

BOOL CKtvPTaskPaneMiniFrameWnd::OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult)
{
    if (pNMH == nullptr)
        return FALSE;
    const UINT nTool = (UINT)pNMH->idFrom != 0 ? (UINT)pNMH->idFrom : id;
    if (nTool >= 1 && nTool <= (UINT)m_lstCaptionButtons.GetCount()) {
        auto* pBtn = static_cast<CKtvPCaptionButton*>(m_lstCaptionButtons.GetAt(m_lstCaptionButtons.FindIndex(nTool - 1)));
        UINT nString = 0;
        switch (pBtn->GetHit()) {
        case KTVP_HTBACK:
            nString = IDS_KTVP_TASKS_BACK;
            break;
        case KTVP_HTFORWARD:
            nString = IDS_KTVP_TASKS_FORWARD;
            break;
        case KTVP_HTMENU:
            nString = IDS_KTVP_OTHER_TASKS_PANE;
            break;
        default:
            break;
        }
        if (nString != 0) {
            static CString strTip;
            strTip.LoadString(nString);
            reinterpret_cast<TOOLTIPTEXTA*>(pNMH)->lpszText = const_cast<LPTSTR>((LPCTSTR)strTip);
            return TRUE;
        }
    }
    return CKtvPMiniFrameWnd::OnNeedTipText(id, pNMH, pResult);
}
