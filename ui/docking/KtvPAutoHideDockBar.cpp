#include "ui/docking/KtvPAutoHideDockBar.h"

#include "platform/mfc/CDC.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/docking/KtvPAutoHideToolBar.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_DYNCREATE(CKtvPAutoHideDockBar, CKtvPDockBar)

int CKtvPAutoHideDockBar::m_nRowExtraSpace = 2;

BEGIN_MESSAGE_MAP(CKtvPAutoHideDockBar, CKtvPDockBar)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CKtvPAutoHideDockBar::CKtvPAutoHideDockBar() : m_nOffsetStart(0) {}

CKtvPAutoHideDockBar::~CKtvPAutoHideDockBar() = default;

BOOL CKtvPAutoHideDockBar::CanAcceptBar(const CKtvPBaseControlBar* pBar) const
{
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKtvPAutoHideToolBar));
}

void CKtvPAutoHideDockBar::DockControlBar(CKtvPControlBar* pWnd, int, LPCRECT lpRect)
{
    if (pWnd == nullptr) {
        return;
    }
    const BOOL bHorz = IsHorizontal();
    const CSize size = pWnd->CalcFixedLayout(FALSE, bHorz);
    const int nThickness = (bHorz ? size.cy : size.cx) + m_nRowExtraSpace;
    if (m_lstControlBars.Find(pWnd) != nullptr) {
        return;
    }
    CKtvPDockBarRow* pRow = nullptr;
    if (m_lstDockBarRows.IsEmpty()) {
        pRow = AddRow(nullptr, nThickness);
        const DWORD dwAlignment = GetCurrentAlignment();
        pRow->SetExtra(m_nRowExtraSpace, (dwAlignment & (CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM)) != 0 ? 1 : 0);
    } else {
        pRow = static_cast<CKtvPDockBarRow*>(m_lstDockBarRows.GetHead());
    }
    pRow->AddControlBar(pWnd, KTVP_DM_RECT, lpRect, TRUE);
    ShowWindow(SW_SHOW);
    m_lstControlBars.AddTail(pWnd);
    RecalcFrameLayout();
    CRect rectClient;
    GetClientRect(rectClient);
    AdjustRowsToRect(rectClient);
}

void CKtvPAutoHideDockBar::AdjustRowsToRect(CRect)
{
    if (m_lstDockBarRows.IsEmpty()) {
        return;
    }
    auto* pRow = static_cast<CKtvPDockBarRow*>(m_lstDockBarRows.GetHead());
    pRow->ArrangeBars(m_nOffsetStart + globalData.m_nAutoHideStripMargin, globalData.m_nAutoHideStripGap);
}

namespace {

// Every group comes back once: through the toolbar that starts it.
void CollectGroupStarts(const CObList& lstBars, CObList& lstStarts)
{
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPControlBar*>(lstBars.GetNext(pos));
        if (pBar->IsFirstInGroup()) {
            lstStarts.AddTail(pBar);
        }
    }
}

}  // namespace

void CKtvPAutoHideDockBar::UnSetAutoHideMode(CKtvPAutoHideToolBar* pAutoHideToolbar)
{
    if (pAutoHideToolbar == nullptr) {
        CObList lstStarts;
        CollectGroupStarts(m_lstControlBars, lstStarts);
        for (POSITION pos = lstStarts.GetHeadPosition(); pos != nullptr;) {
            auto* pToolBar = dynamic_cast<CKtvPAutoHideToolBar*>(lstStarts.GetNext(pos));
            if (pToolBar != nullptr && m_lstControlBars.Find(pToolBar) != nullptr) {
                UnSetAutoHideMode(pToolBar);
            }
        }
        return;
    }
    CObList lstGroup;
    if (CKtvPDockBarRow* pRow = FindRowOfBar(pAutoHideToolbar)) {
        pRow->GetGroupBars(pAutoHideToolbar, lstGroup);
    }
    if (lstGroup.IsEmpty()) {
        pAutoHideToolbar->UnSetAutoHideMode(nullptr);
        return;
    }
    // The first bar of the group docks back to its place; the others become its tabs.
    CKtvPDockingControlBar* pFirstBar = nullptr;
    BOOL bFirst = TRUE;
    for (POSITION pos = lstGroup.GetHeadPosition(); pos != nullptr;) {
        auto* pToolBar = dynamic_cast<CKtvPAutoHideToolBar*>(lstGroup.GetNext(pos));
        if (pToolBar == nullptr) {
            continue;
        }
        if (bFirst) {
            bFirst = FALSE;
            pFirstBar = pToolBar->GetFirstAttachedBar();
            pToolBar->UnSetAutoHideMode(nullptr);
        } else {
            pToolBar->UnSetAutoHideMode(pFirstBar);
        }
    }
}

void CKtvPAutoHideDockBar::OnPaint()
{
    CPaintDC dcPaint(this);
    CKtvPMemDC memDC(dcPaint, this);
    CRect rectClient;
    GetClientRect(rectClient);
    CKtvPVisualManager::GetInstance()->OnFillBarBackground(&memDC.GetDC(), this, rectClient, rectClient, FALSE);
}
