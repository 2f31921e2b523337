#include "ui/docking/KtvPDockBar.h"

#include "platform/mfc/afxmsg.h"
#include <cstdlib>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/docking/KtvPControlBar.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPNotBuilt.h"
#include "ui/frames/KtvPVisualManager.h"

namespace {

CKtvPDockBarRow* RowAt(const CObList& list, POSITION pos) { return static_cast<CKtvPDockBarRow*>(list.GetAt(pos)); }

}  // namespace

IMPLEMENT_DYNCREATE(CKtvPDockBar, CKtvPBaseControlBar)

BEGIN_MESSAGE_MAP(CKtvPDockBar, CKtvPBaseControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CKtvPDockBar::CKtvPDockBar() : m_nDockBarID(0) {}

CKtvPDockBar::~CKtvPDockBar()
{
    while (!m_lstDockBarRows.IsEmpty())
        delete m_lstDockBarRows.RemoveHead();
}

BOOL CKtvPDockBar::CanAcceptBar(const CKtvPBaseControlBar* pBar) const
{
    return pBar != nullptr && !pBar->IsResizable();
}
CSize CKtvPDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != nullptr;) {
        auto* pRow = static_cast<CKtvPDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        if (!pRow->IsVisible()) {
            continue;
        }
        CSize size;
        pRow->CalcFixedLayout(size, bStretch, bHorz);
        const int nThickness = pRow->IsHorizontal() ? size.cy : size.cx;
        if (nThickness != pRow->GetRowHeight() && !pRow->IsEmpty()) {
            ResizeRow(pRow, nThickness, FALSE);
        }
    }
    CRect rect;
    GetWindowRect(rect);
    return rect.Size();
}
void CKtvPDockBar::AdjustLayout()
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetNext(pos))->AdjustLayout();
    }
}
BOOL CKtvPDockBar::IsDragMode() const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CObject* pObj = m_lstControlBars.GetNext(pos);
        if (pObj->IsKindOf(RUNTIME_CLASS(CKtvPControlBar)) && static_cast<CKtvPControlBar*>(pObj)->IsDragMode()) {
            return TRUE;
        }
    }
    return FALSE;
}
CKtvPDockBarRow* CKtvPDockBar::CreateRow(CKtvPDockBar* pParentDockBar, int nOffset, int nRowHeight)
{
    return new CKtvPDockBarRow(pParentDockBar, nOffset, nRowHeight);
}
void CKtvPDockBar::DockControlBar(CKtvPControlBar* pWnd, int dockMethod, LPCRECT lpRect)
{
    if (pWnd == nullptr || m_lstControlBars.Find(pWnd) != nullptr) {
        return;
    }
    const BOOL bHorz = IsHorizontal();
    const CSize sizeBefore = pWnd->CalcFixedLayout(FALSE, bHorz);
    const int nThickness = bHorz ? sizeBefore.cy : sizeBefore.cx;

    CKtvPRecentDockInfo& recent = pWnd->GetRecentDockInfo();
    CKtvPDockBarRow* pRow = nullptr;
    BOOL bBefore = FALSE;
    CRect rectForRow;
    LPCRECT lpRectForRow = nullptr;

    if (dockMethod == KTVP_DM_MOUSE) {
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        pRow = RowFromPoint(ptCursor, bBefore);
        lpRectForRow = lpRect;
    } else if (dockMethod == KTVP_DM_DBL_CLICK || dockMethod == KTVP_DM_RECT) {
        if (dockMethod == KTVP_DM_DBL_CLICK && recent.m_pLastRow != nullptr &&
            m_lstDockBarRows.Find(recent.m_pLastRow) != nullptr) {
            pRow = recent.m_pLastRow;
        } else if (g_bKtvRestoringDockState) {
            // At most one row is added per bar, so a damaged index cannot grow the bar without end.
            const int nIndex = recent.m_nLastRowIndex < 0 ? 0 : recent.m_nLastRowIndex;
            if (nIndex >= m_lstDockBarRows.GetCount()) {
                pRow = AddRow(nullptr, nThickness);
            } else {
                pRow = RowAt(m_lstDockBarRows, m_lstDockBarRows.FindIndex(nIndex));
            }
        } else if (dockMethod == KTVP_DM_DBL_CLICK) {
            if (recent.m_nLastRowIndex >= 0 && recent.m_nLastRowIndex < m_lstDockBarRows.GetCount()) {
                pRow = RowAt(m_lstDockBarRows, m_lstDockBarRows.FindIndex(recent.m_nLastRowIndex));
            } else if (!recent.m_dockedLayout.m_rectBar.IsRectEmpty()) {
                CRect rectRecent = recent.m_dockedLayout.m_rectBar;
                ClientToScreen(rectRecent);
                pRow = RowFromPoint(rectRecent.TopLeft(), bBefore);
            }
        } else if (lpRect != nullptr) {
            pRow = RowFromPoint(CPoint(lpRect->left, lpRect->top), bBefore);
        }
        if (dockMethod == KTVP_DM_DBL_CLICK) {
            rectForRow = recent.m_dockedLayout.m_rectBar;
            rectForRow.NormalizeRect();
            ClientToScreen(rectForRow);
            lpRectForRow = rectForRow.IsRectEmpty() ? nullptr : &rectForRow;
        } else {
            lpRectForRow = lpRect;
        }
    }

    if (pRow == nullptr || pRow->IsExclusiveRow() || (!pWnd->AllowsSiblingBars() && !pRow->IsEmpty())) {
        POSITION posInsert = nullptr;
        if (pRow != nullptr) {
            POSITION posRow = m_lstDockBarRows.Find(pRow);
            if (bBefore) {
                posInsert = posRow;
            } else {
                posInsert = posRow;
                m_lstDockBarRows.GetNext(posInsert);
            }
        } else if (bBefore) {
            posInsert = m_lstDockBarRows.GetHeadPosition();
        }
        pRow = AddRow(posInsert, nThickness);
    }

    pRow->AddControlBar(pWnd, dockMethod, lpRectForRow, FALSE);
    const CSize sizeAfter = pWnd->CalcFixedLayout(FALSE, bHorz);
    if (sizeAfter != sizeBefore) {
        ResizeRow(pRow, bHorz ? sizeAfter.cy : sizeAfter.cx, TRUE);
    }

    m_lstControlBars.AddTail(pWnd);
    RecalcFrameLayout();
    ShowWindow(SW_SHOWNOACTIVATE);
}
BOOL CKtvPDockBar::DockControlBarLeftOf(CKtvPControlBar* pBarToDock, CKtvPControlBar* pTargetBar)
{
    CKtvPDockBarRow* pRow = FindRowOfBar(pTargetBar);
    if (pRow == nullptr || pBarToDock == nullptr) {
        return FALSE;
    }
    CRect rectTarget;
    pTargetBar->GetWindowRect(rectTarget);
    CRect rectBar;
    pBarToDock->GetWindowRect(rectBar);
    CRect rectNew;
    if (IsHorizontal()) {
        rectNew.SetRect(rectTarget.left - rectBar.Width() - 10, rectTarget.top, rectTarget.left - 10,
                        rectTarget.bottom);
    } else {
        rectNew.SetRect(rectTarget.left, rectTarget.top - rectBar.Height() - 10, rectTarget.right,
                        rectTarget.top - 10);
    }
    pBarToDock->AttachToDockBar(this, KTVP_DM_RECT);
    pRow->IgnoreBarVisibility(TRUE);
    pRow->AddControlBar(pBarToDock, KTVP_DM_RECT, rectNew, FALSE);
    pRow->IgnoreBarVisibility(FALSE);
    if (POSITION posTarget = m_lstControlBars.Find(pTargetBar)) {
        m_lstControlBars.InsertBefore(posTarget, pBarToDock);
    } else {
        m_lstControlBars.AddTail(pBarToDock);
    }
    RecalcFrameLayout();
    FixupVirtualRects();
    return TRUE;
}

void CKtvPDockBar::RemoveControlBar(CKtvPBaseControlBar* pWnd)
{
    if (POSITION pos = m_lstControlBars.Find(pWnd)) {
        m_lstControlBars.RemoveAt(pos);
    }
    CKtvPDockBarRow* pRow = pWnd != nullptr ? pWnd->GetDockBarRow() : nullptr;
    if (pRow != nullptr && m_lstDockBarRows.Find(pRow) != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPControlBar))) {
        pRow->RemoveControlBar(static_cast<CKtvPControlBar*>(pWnd));
    }
}
BOOL CKtvPDockBar::MoveControlBar(CKtvPControlBar* pControlBar, UINT, CPoint ptOffset)
{
    CKtvPDockBarRow* pRow = pControlBar->GetDockBarRow();
    if (pRow == nullptr) {
        return FALSE;
    }
    CRect rectCandidate;
    pControlBar->GetVirtualRect(rectCandidate);

    CWnd* pTarget = nullptr;
    if (pControlBar->GetDockTargetAtCursor(CKtvPDockManager::m_nDockSensitivity, pTarget)) {
        pControlBar->FloatControlBar(rectCandidate, KTVP_DM_MOUSE, TRUE);
        return TRUE;
    }

    const BOOL bHorz = IsHorizontal();
    CRect rectRow;
    pRow->GetWindowRect(rectRow);
    // The cross distance: how far the bar has moved off its row (negative away from the frame edge).
    const int nThickness = bHorz ? rectCandidate.Height() : rectCandidate.Width();
    const int nFar = bHorz ? rectRow.bottom - rectCandidate.bottom : rectRow.right - rectCandidate.right;
    const int nNear = bHorz ? rectRow.top - rectCandidate.top : rectRow.left - rectCandidate.left;
    const int nDistance = std::abs(nFar) < std::abs(nNear) ? nFar : nNear;
    const int nThreshold = 2 * nThickness / 3;

    if (std::abs(nDistance) > nThreshold) {
        BOOL bBefore = FALSE;
        CKtvPDockBarRow* pOtherRow = RowFromPoint(rectCandidate.CenterPoint(), bBefore);
        if (pRow->GetBarCount() > 1 && std::abs(nDistance) < pRow->GetRowHeight() + nThickness &&
            (pOtherRow == nullptr || pOtherRow == pRow)) {
            // Off a shared row into a new row of its own on that side.
            POSITION posRow = m_lstDockBarRows.Find(pRow);
            POSITION posInsert = posRow;
            if (nDistance < 0) {
                POSITION posNext = posRow;
                GetNextVisibleRow(posNext, TRUE);
                posInsert = posNext;
            }
            pRow->RemoveControlBar(pControlBar);
            CKtvPDockBarRow* pNewRow = AddRow(posInsert, nThickness);
            pNewRow->AddControlBarFromRow(pControlBar, KTVP_DM_MOUSE);
            RecalcFrameLayout();
            return FALSE;
        }
        if (pOtherRow != nullptr && pOtherRow != pRow) {
            if (pRow->IsExclusiveRow() || pOtherRow->IsExclusiveRow()) {
                SwapRows(pRow, pOtherRow);
            } else {
                pRow->RemoveControlBar(pControlBar);
                pOtherRow->AddControlBarFromRow(pControlBar, KTVP_DM_MOUSE);
            }
            RecalcFrameLayout();
            return FALSE;
        }
    }
    if (std::abs(nDistance) >= pRow->GetRowHeight()) {
        return FALSE;
    }
    pRow->MoveBarInRow(pControlBar, ptOffset.x, ptOffset.y, TRUE);
    return FALSE;
}
void CKtvPDockBar::OnInsertRow(POSITION pos)
{
    if (pos == nullptr) {
        return;
    }
    const int nHeight = RowAt(m_lstDockBarRows, pos)->GetRowHeight();
    m_lstDockBarRows.GetNext(pos);
    while (pos != nullptr) {
        static_cast<CKtvPDockBarRow*>(m_lstDockBarRows.GetNext(pos))->OnRowMoved(nHeight);
    }
}
void CKtvPDockBar::OnRemoveRow(POSITION pos, BOOL bByShow)
{
    if (pos == nullptr) {
        return;
    }
    CKtvPDockBarRow* pRow = RowAt(m_lstDockBarRows, pos);
    if (!pRow->IsVisible() && !bByShow) {
        return;
    }
    const int nHeight = pRow->GetRowHeight();
    m_lstDockBarRows.GetNext(pos);
    while (pos != nullptr) {
        static_cast<CKtvPDockBarRow*>(m_lstDockBarRows.GetNext(pos))->OnRowMoved(-nHeight);
    }
}
int CKtvPDockBar::ResizeRowBy(CKtvPDockBarRow* pRow, int nOffset)
{
    POSITION pos = m_lstDockBarRows.Find(pRow);
    if (pos == nullptr) {
        return 0;
    }
    const int nApplied = pRow->Resize(nOffset);
    if (!pRow->IsVisible()) {
        return nApplied;
    }
    m_lstDockBarRows.GetNext(pos);
    while (pos != nullptr) {
        static_cast<CKtvPDockBarRow*>(m_lstDockBarRows.GetNext(pos))->OnRowMoved(nApplied);
    }
    return nApplied;
}
void CKtvPDockBar::OnShowRow(POSITION pos, BOOL bShow)
{
    if (bShow) {
        OnInsertRow(pos);
    } else {
        OnRemoveRow(pos, TRUE);
    }
}
void CKtvPDockBar::AdjustRowsToRect(CRect rectNew)
{
    CRect rectClient;
    GetClientRect(rectClient);
    const BOOL bHorz = IsHorizontal();
    const int nOld = bHorz ? rectClient.Width() : rectClient.Height();
    const int nNew = bHorz ? rectNew.Width() : rectNew.Height();
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != nullptr;) {
        auto* pRow = static_cast<CKtvPDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        if (rectNew.Size() == rectClient.Size()) {
            pRow->RepositionBars(rectNew);
        } else {
            pRow->MoveControlBar(rectNew, KTVP_DM_UNKNOWN, nNew > nOld, std::abs(nNew - nOld));
        }
    }
}
void CKtvPDockBar::FixupVirtualRects()
{
    CRect rectClient;
    GetClientRect(rectClient);
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != nullptr;) {
        static_cast<CKtvPDockBarRow*>(m_lstDockBarRows.GetNext(pos))->RepositionBars(rectClient);
    }
}
BOOL CKtvPDockBar::ShowBarInRow(CKtvPBaseControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    CKtvPDockBarRow* pRow = FindRowOfBar(pBar);
    if (pRow == nullptr) {
        return FALSE;
    }
    return pRow->ShowControlBar(pBar, bShow, bDelay);
}
CKtvPBaseControlBar* CKtvPDockBar::ControlBarFromPoint(CPoint pt)
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        CRect rect;
        pBar->GetWindowRect(rect);
        if (rect.PtInRect(pt)) {
            return pBar;
        }
    }
    return nullptr;
}
void CKtvPDockBar::RecalcFrameLayout()
{
    CWnd* pParent = GetParent();
    if (CKtvPFrameHooks* pHooks = KtvGetFrameHooks(pParent)) {
        pHooks->GetHookedFrame()->RecalcLayout();
        return;
    }
    globalUtils.GetDockManager(pParent);
}
HDWP CKtvPDockBar::SetDockBarPos(HDWP hdwp, const CRect& rect, UINT nFlags)
{
    return SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), nFlags | SWP_NOACTIVATE, hdwp);
}
BOOL CKtvPDockBar::Create(DWORD dwAlignment, const RECT& rect, CWnd* pParentWnd, DWORD dwControlBarStyle,
                          CCreateContext* pContext)
{
    return CreateEx(0, dwAlignment, rect, pParentWnd, dwControlBarStyle, pContext);
}
BOOL CKtvPDockBar::CreateEx(DWORD dwStyleEx, DWORD dwAlignment, const RECT&, CWnd* pParentWnd,
                            DWORD dwControlBarStyle, CCreateContext* pContext)
{
    if (pParentWnd == nullptr) {
        return FALSE;
    }
    const DWORD dwSide = dwAlignment & CBRS_ALIGN_ANY;
    EnableDocking(GetEnabledAlignment() | dwSide);
    SetBarAlignment(dwSide);
    const CString strClass = KtvRegisterBarWndClass("KtvDockBar");

    CRect rectInitial;
    pParentWnd->GetClientRect(rectInitial);
    switch (dwSide) {
    case CBRS_ALIGN_LEFT:
        rectInitial.right = 0;
        m_nDockBarID = AFX_IDW_DOCKBAR_LEFT;
        break;
    case CBRS_ALIGN_TOP:
        rectInitial.bottom = rectInitial.top;
        m_nDockBarID = AFX_IDW_DOCKBAR_TOP;
        break;
    case CBRS_ALIGN_RIGHT:
        rectInitial.left = rectInitial.right;
        m_nDockBarID = AFX_IDW_DOCKBAR_RIGHT;
        break;
    case CBRS_ALIGN_BOTTOM:
        rectInitial.top = rectInitial.bottom;
        m_nDockBarID = AFX_IDW_DOCKBAR_BOTTOM;
        break;
    default:
        return FALSE;
    }
    m_dwControlBarStyle = dwControlBarStyle;
    m_pDockSite = pParentWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pParentWnd) : nullptr;
    return CKtvPBaseControlBar::CreateEx(dwStyleEx, strClass, nullptr,
                                         dwSide | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rectInitial,
                                         pParentWnd, m_nDockBarID, dwControlBarStyle, pContext);
}

CKtvPDockBarRow* CKtvPDockBar::AddRow(POSITION posInsertBefore, int nRowHeight)
{
    int nOffset = 0;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != nullptr && pos != posInsertBefore;) {
        auto* pRow = static_cast<CKtvPDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        if (pRow->IsVisible()) {
            nOffset += pRow->GetRowHeight();
        }
    }
    GrowDockBar(nRowHeight, TRUE);
    CKtvPDockBarRow* pRow = CreateRow(this, nOffset, nRowHeight);
    if (posInsertBefore != nullptr) {
        OnInsertRow(m_lstDockBarRows.InsertBefore(posInsertBefore, pRow));
    } else {
        m_lstDockBarRows.AddTail(pRow);
    }
    return pRow;
}
void CKtvPDockBar::RemoveRow(CKtvPDockBarRow* pRow)
{
    POSITION pos = m_lstDockBarRows.Find(pRow);
    if (pos == nullptr) {
        return;
    }
    if (pRow->IsVisible()) {
        GrowDockBar(-pRow->GetRowHeight(), TRUE);
    }
    OnRemoveRow(pos);
    m_lstDockBarRows.RemoveAt(pos);
    delete pRow;
}
void CKtvPDockBar::ShowRow(CKtvPDockBarRow* pRow, BOOL bShow, BOOL bAdjustLayout)
{
    POSITION pos = m_lstDockBarRows.Find(pRow);
    if (pos == nullptr) {
        return;
    }
    OnShowRow(pos, bShow);
    GrowDockBar(bShow ? pRow->GetRowHeight() : -pRow->GetRowHeight(), bAdjustLayout);
}
void CKtvPDockBar::SwapRows(CKtvPDockBarRow* pFirstRow, CKtvPDockBarRow* pSecondRow)
{
    POSITION posFirst = m_lstDockBarRows.Find(pFirstRow);
    POSITION posSecond = m_lstDockBarRows.Find(pSecondRow);
    if (posFirst == nullptr || posSecond == nullptr || pFirstRow == pSecondRow) {
        return;
    }
    POSITION posNext = posFirst;
    POSITION posPrev = posFirst;
    CKtvPDockBarRow* pNext = GetNextVisibleRow(posNext, TRUE);
    CKtvPDockBarRow* pPrev = GetNextVisibleRow(posPrev, FALSE);
    if (pSecondRow != pNext && pSecondRow != pPrev) {
        return;
    }
    // The row nearer the edge moves out by the other's height, the other in by its.
    CKtvPDockBarRow* pNear = pSecondRow == pNext ? pFirstRow : pSecondRow;
    CKtvPDockBarRow* pFar = pSecondRow == pNext ? pSecondRow : pFirstRow;
    const int nNearHeight = pNear->GetRowHeight();
    const int nFarHeight = pFar->GetRowHeight();
    pNear->OnRowMoved(nFarHeight);
    pFar->OnRowMoved(-nNearHeight);
    m_lstDockBarRows.SetAt(posFirst, pSecondRow);
    m_lstDockBarRows.SetAt(posSecond, pFirstRow);
    FixupVirtualRects();
}
int CKtvPDockBar::GrowDockBar(int nOffset, BOOL bRecalcLayout)
{
    if (nOffset == 0) {
        return 0;
    }
    CRect rect;
    GetWindowRect(rect);
    if (CWnd* pParent = GetParent()) {
        pParent->ScreenToClient(rect);
    }
    switch (GetCurrentAlignment()) {
    case CBRS_ALIGN_LEFT:
        rect.right += nOffset;
        break;
    case CBRS_ALIGN_TOP:
        rect.bottom += nOffset;
        break;
    case CBRS_ALIGN_RIGHT:
        rect.left -= nOffset;
        break;
    case CBRS_ALIGN_BOTTOM:
        rect.top -= nOffset;
        break;
    default:
        break;
    }
    CKtvPBaseControlBar::MoveControlBar(rect, TRUE, nullptr);
    if (bRecalcLayout) {
        RecalcFrameLayout();
    }
    return nOffset;
}
int CKtvPDockBar::ResizeRow(CKtvPDockBarRow* pRow, int nNewSize, BOOL bAdjustLayout)
{
    if (!pRow->IsEmpty()) {
        CSize sizeFixed;
        pRow->CalcFixedLayout(sizeFixed, FALSE, pRow->IsHorizontal());
        const int nMin = pRow->IsHorizontal() ? sizeFixed.cy : sizeFixed.cx;
        if (nNewSize < nMin) {
            return 0;
        }
    }
    const int nApplied = ResizeRowBy(pRow, nNewSize - pRow->GetRowHeight());
    if (pRow->IsVisible()) {
        GrowDockBar(nApplied, bAdjustLayout);
    }
    return nApplied;
}
CKtvPDockBarRow* CKtvPDockBar::RowFromPoint(CPoint pt, BOOL& bBeforeRow)
{
    bBeforeRow = FALSE;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != nullptr;) {
        auto* pRow = static_cast<CKtvPDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        if (!pRow->IsVisible()) {
            continue;
        }
        CRect rect;
        pRow->GetWindowRect(rect);
        if (rect.PtInRect(pt)) {
            return pRow;
        }
    }
    CRect rectWindow;
    GetWindowRect(rectWindow);
    bBeforeRow = IsHorizontal() ? pt.y < rectWindow.top : pt.x < rectWindow.left;
    return nullptr;
}
CKtvPDockBarRow* CKtvPDockBar::GetNextVisibleRow(POSITION& pos, BOOL bForward)
{
    if (pos == nullptr) {
        pos = bForward ? m_lstDockBarRows.GetHeadPosition() : m_lstDockBarRows.GetTailPosition();
    } else if (bForward) {
        m_lstDockBarRows.GetNext(pos);
    } else {
        m_lstDockBarRows.GetPrev(pos);
    }
    while (pos != nullptr) {
        CKtvPDockBarRow* pRow = RowAt(m_lstDockBarRows, pos);
        if (pRow->IsVisible()) {
            return pRow;
        }
        if (bForward) {
            m_lstDockBarRows.GetNext(pos);
        } else {
            m_lstDockBarRows.GetPrev(pos);
        }
    }
    return nullptr;
}
int CKtvPDockBar::FindRowIndex(CKtvPDockBarRow* pRow) const
{
    int nIndex = 0;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != nullptr; ++nIndex) {
        if (m_lstDockBarRows.GetNext(pos) == pRow) {
            return nIndex;
        }
    }
    return -1;
}

CKtvPDockBarRow* CKtvPDockBar::FindRowOfBar(CKtvPBaseControlBar* pBar) const
{
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != nullptr;) {
        auto* pRow = static_cast<CKtvPDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        if (pRow->GetControlBarList().Find(pBar) != nullptr) {
            return pRow;
        }
    }
    return nullptr;
}
CKtvPBaseControlBar* CKtvPDockBar::FindBarByID(UINT nID)
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        if ((UINT)pBar->GetDlgCtrlID() == nID) {
            return pBar;
        }
    }
    return nullptr;
}
void CKtvPDockBar::OnPaint()
{
    CPaintDC dc(this);
}
BOOL CKtvPDockBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(rectClient);
    CKtvPVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rectClient, rectClient, FALSE);
    return TRUE;
}
void CKtvPDockBar::OnContextMenu(CWnd*, CPoint point)
{
    if (CKtvPToolBar::m_bCustomizeMode || IsDragMode()) {
        return;
    }
    CFrameWnd* pTarget = g_pKtvTopLevelFrameOverride != nullptr ? g_pKtvTopLevelFrameOverride : GetTopLevelFrame();
    if (pTarget != nullptr) {
        pTarget->SendMessage(KTVM_TOOLBARMENU, 0, MAKELPARAM(point.x, point.y));
    }
}
void CKtvPDockBar::OnDestroy()
{
    RemoveBarFromDockSite(this, FALSE, FALSE, FALSE);
    CKtvPBaseControlBar::OnDestroy();
}
void CKtvPDockBar::OnNcDestroy()
{
    CWnd::OnNcDestroy();
    delete this;
}
