#include "platform/mfc/CSplitterWnd.h"

#include <algorithm>

#include "platform/mfc/CCreateContext.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CView.h"
#include "platform/win32/kernel/kernel.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
END_MESSAGE_MAP()

BOOL CSplitterWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    cs.style |= WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    // Ids leave room for 16 columns a row.
    if (!pParentWnd || nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    m_nRows = nRows;
    m_nCols = nCols;
    m_rowInfo.assign(static_cast<size_t>(nRows), CRowColInfo{});
    m_colInfo.assign(static_cast<size_t>(nCols), CRowColInfo{});
    // Made empty: the parent's layout sizes it, and the panes with it, once they exist.
    return CreateEx(0, nullptr, nullptr, dwStyle | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CSplitterWnd::Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin, CCreateContext* pContext,
                          DWORD dwStyle, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass || nMaxRows < 1 || nMaxCols < 1 || nMaxRows > 2 || nMaxCols > 2) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!CreateStatic(pParentWnd, 1, 1, dwStyle, nID))
        return FALSE;
    m_nMaxRows = nMaxRows;
    m_nMaxCols = nMaxCols;
    m_sizeMin = sizeMin;
    m_pDynamicViewClass = pContext->m_pNewViewClass;
    m_rowInfo[0].nMinSize = sizeMin.cy;
    m_colInfo[0].nMinSize = sizeMin.cx;
    return CreateView(0, 0, m_pDynamicViewClass, CSize(0, 0), pContext);
}

// A new last row (or column) of panes showing the documents of the panes beside them.
BOOL CSplitterWnd::AddPanes(bool bRow)
{
    const int newIndex = bRow ? m_nRows : m_nCols;
    if (bRow) {
        m_rowInfo.push_back(CRowColInfo{m_sizeMin.cy, 0, 0});
        ++m_nRows;
    } else {
        m_colInfo.push_back(CRowColInfo{m_sizeMin.cx, 0, 0});
        ++m_nCols;
    }
    const int count = bRow ? m_nCols : m_nRows;
    for (int i = 0; i < count; ++i) {
        const int row = bRow ? newIndex : i;
        const int col = bRow ? i : newIndex;
        auto* pNeighbour = dynamic_cast<CView*>(GetPane(bRow ? row - 1 : row, bRow ? col : col - 1));
        CCreateContext context;
        context.m_pNewViewClass = m_pDynamicViewClass;
        context.m_pCurrentDoc = pNeighbour ? pNeighbour->GetDocument() : nullptr;
        context.m_pLastView = pNeighbour;
        const int keepIdeal = bRow ? m_rowInfo[static_cast<size_t>(row)].nIdealSize
                                   : m_colInfo[static_cast<size_t>(col)].nIdealSize;
        if (!CreateView(row, col, m_pDynamicViewClass, CSize(m_colInfo[static_cast<size_t>(col)].nIdealSize,
                                                              m_rowInfo[static_cast<size_t>(row)].nIdealSize),
                        &context))
            return FALSE;
        if (bRow)
            m_rowInfo[static_cast<size_t>(row)].nIdealSize = keepIdeal;
        else
            m_colInfo[static_cast<size_t>(col)].nIdealSize = keepIdeal;
        if (CWnd* pPane = GetPane(row, col))
            pPane->SendMessage(WM_INITIALUPDATE);
    }
    return TRUE;
}

BOOL CSplitterWnd::SplitRow(int cyBefore)
{
    if (!IsDynamic() || m_nRows >= m_nMaxRows || cyBefore < m_sizeMin.cy)
        return FALSE;
    m_rowInfo[static_cast<size_t>(m_nRows - 1)].nIdealSize = cyBefore;
    const BOOL bOK = AddPanes(true);
    RecalcLayout();
    return bOK;
}

BOOL CSplitterWnd::SplitColumn(int cxBefore)
{
    if (!IsDynamic() || m_nCols >= m_nMaxCols || cxBefore < m_sizeMin.cx)
        return FALSE;
    m_colInfo[static_cast<size_t>(m_nCols - 1)].nIdealSize = cxBefore;
    const BOOL bOK = AddPanes(false);
    RecalcLayout();
    return bOK;
}

// The panes of the row (column) go; those after it move up (left) and take its ids.
void CSplitterWnd::RemovePanes(bool bRow, int index)
{
    const int count = bRow ? m_nCols : m_nRows;
    for (int i = 0; i < count; ++i)
        DeleteView(bRow ? index : i, bRow ? i : index);
    const int last = bRow ? m_nRows : m_nCols;
    for (int moved = index + 1; moved < last; ++moved) {
        for (int i = 0; i < count; ++i) {
            if (CWnd* pPane = GetPane(bRow ? moved : i, bRow ? i : moved))
                pPane->SetDlgCtrlID(IdFromRowCol(bRow ? moved - 1 : i, bRow ? i : moved - 1));
        }
    }
    if (bRow) {
        m_rowInfo.erase(m_rowInfo.begin() + index);
        --m_nRows;
    } else {
        m_colInfo.erase(m_colInfo.begin() + index);
        --m_nCols;
    }
    RecalcLayout();
}

void CSplitterWnd::DeleteRow(int rowDelete)
{
    if (!IsDynamic() || m_nRows <= 1 || rowDelete < 0 || rowDelete >= m_nRows)
        return;
    RemovePanes(true, rowDelete);
}

void CSplitterWnd::DeleteColumn(int colDelete)
{
    if (!IsDynamic() || m_nCols <= 1 || colDelete < 0 || colDelete >= m_nCols)
        return;
    RemovePanes(false, colDelete);
}

int CSplitterWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return CWnd::OnCreate(lpcs);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext)
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || !pViewClass || GetPane(row, col))
        return FALSE;
    m_rowInfo[static_cast<size_t>(row)].nIdealSize = sizeInit.cy;
    m_colInfo[static_cast<size_t>(col)].nIdealSize = sizeInit.cx;
    auto* pWnd = dynamic_cast<CWnd*>(pViewClass->CreateObject());
    if (!pWnd)
        return FALSE;
    // The bars draw the separation: panes have no border of their own.
    const DWORD dwStyle = AFX_WS_DEFAULT_VIEW & ~WS_BORDER;
    // A failed view has deleted itself.
    return pWnd->Create(nullptr, nullptr, dwStyle, CRect(0, 0, 0, 0), this, static_cast<UINT>(IdFromRowCol(row, col)),
                        pContext);
}

void CSplitterWnd::DeleteView(int row, int col)
{
    CWnd* pPane = GetPane(row, col);
    if (!pPane)
        return;
    if (CFrameWnd* pFrame = GetParentFrame()) {
        if (pFrame->GetActiveView() == pPane) {
            // The next pane, if any, becomes the active view.
            CView* pNext = nullptr;
            for (int r = 0; r < m_nRows && !pNext; ++r) {
                for (int c = 0; c < m_nCols && !pNext; ++c) {
                    if (r != row || c != col)
                        pNext = dynamic_cast<CView*>(GetPane(r, c));
                }
            }
            pFrame->SetActiveView(pNext);
        }
    }
    pPane->DestroyWindow();
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return nullptr;
    return CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

int CSplitterWnd::IdFromRowCol(int row, int col) const
{
    return AFX_IDW_PANE_FIRST + row * 16 + col;
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol)
{
    if (!pWnd || ::GetParent(pWnd->m_hWnd) != m_hWnd)
        return FALSE;
    const int nID = ::GetDlgCtrlID(pWnd->m_hWnd) - AFX_IDW_PANE_FIRST;
    const int row = nID / 16;
    const int col = nID % 16;
    if (nID < 0 || row >= m_nRows || col >= m_nCols)
        return FALSE;
    if (pRow)
        *pRow = row;
    if (pCol)
        *pCol = col;
    return TRUE;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    if (row < 0 || row >= m_nRows)
        return;
    m_rowInfo[static_cast<size_t>(row)].nIdealSize = std::max(cyIdeal, 0);
    m_rowInfo[static_cast<size_t>(row)].nMinSize = std::max(cyMin, 0);
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    if (row < 0 || row >= m_nRows) {
        cyCur = cyMin = 0;
        return;
    }
    cyCur = m_rowInfo[static_cast<size_t>(row)].nCurSize;
    cyMin = m_rowInfo[static_cast<size_t>(row)].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    if (col < 0 || col >= m_nCols)
        return;
    m_colInfo[static_cast<size_t>(col)].nIdealSize = std::max(cxIdeal, 0);
    m_colInfo[static_cast<size_t>(col)].nMinSize = std::max(cxMin, 0);
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    if (col < 0 || col >= m_nCols) {
        cxCur = cxMin = 0;
        return;
    }
    cxCur = m_colInfo[static_cast<size_t>(col)].nCurSize;
    cxMin = m_colInfo[static_cast<size_t>(col)].nMinSize;
}

// Every row but the last gets its ideal size while it fits (hidden below its
// minimum); the last takes what is left.
void CSplitterWnd::LayoutRowCol(std::vector<CRowColInfo>& info, int nSize, int nGap)
{
    int remaining = std::max(nSize, 0);
    for (size_t i = 0; i < info.size(); ++i) {
        if (i + 1 == info.size()) {
            info[i].nCurSize = remaining;
            break;
        }
        int cur = std::min(info[i].nIdealSize, std::max(remaining - nGap, 0));
        if (cur < info[i].nMinSize)
            cur = 0;
        info[i].nCurSize = cur;
        remaining = std::max(remaining - cur - nGap, 0);
    }
}

int CSplitterWnd::RowBoxHeight() const
{
    return IsDynamic() && m_nRows < m_nMaxRows ? m_cySplitterGap : 0;
}

int CSplitterWnd::ColBoxWidth() const
{
    return IsDynamic() && m_nCols < m_nMaxCols ? m_cxSplitterGap : 0;
}

CRect CSplitterWnd::RowBoxRect() const
{
    CRect client;
    GetClientRect(&client);
    return RowBoxHeight() ? CRect(ColBoxWidth(), 0, client.right, RowBoxHeight()) : CRect();
}

CRect CSplitterWnd::ColBoxRect() const
{
    CRect client;
    GetClientRect(&client);
    return ColBoxWidth() ? CRect(0, RowBoxHeight(), ColBoxWidth(), client.bottom) : CRect();
}

int CSplitterWnd::BarStart(bool bRows, int index) const
{
    const std::vector<CRowColInfo>& info = bRows ? m_rowInfo : m_colInfo;
    const int gap = bRows ? m_cySplitterGap : m_cxSplitterGap;
    int pos = bRows ? RowBoxHeight() : ColBoxWidth();
    for (int i = 0; i <= index; ++i)
        pos += info[static_cast<size_t>(i)].nCurSize + (i < index ? gap : 0);
    return pos;
}

void CSplitterWnd::RecalcLayout()
{
    if (!m_hWnd || m_nRows == 0)
        return;
    CRect client;
    GetClientRect(&client);
    const int top = RowBoxHeight();
    const int left = ColBoxWidth();
    LayoutRowCol(m_rowInfo, client.Height() - top, m_cySplitterGap);
    LayoutRowCol(m_colInfo, client.Width() - left, m_cxSplitterGap);
    int y = top;
    for (int row = 0; row < m_nRows; ++row) {
        const int cy = m_rowInfo[static_cast<size_t>(row)].nCurSize;
        int x = left;
        for (int col = 0; col < m_nCols; ++col) {
            const int cx = m_colInfo[static_cast<size_t>(col)].nCurSize;
            if (CWnd* pPane = GetPane(row, col)) {
                const bool bShow = cx > 0 && cy > 0;
                ::SetWindowPos(pPane->m_hWnd, nullptr, x, y, cx, cy,
                               SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
            }
            x += cx + m_cxSplitterGap;
        }
        y += cy + m_cySplitterGap;
    }
    Invalidate();
}

void CSplitterWnd::OnSize(UINT nType, int, int)
{
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    for (const CRect& box : {RowBoxRect(), ColBoxRect()}) {
        if (!box.IsRectEmpty())
            dc.Draw3dRect(&box, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }
}

CSplitterWnd::HitKind CSplitterWnd::HitTest(CPoint pt, int* pIndex) const
{
    *pIndex = -1;
    if (RowBoxRect().PtInRect(pt))
        return hitRowBox;
    if (ColBoxRect().PtInRect(pt))
        return hitColBox;
    for (int row = 0; row + 1 < m_nRows; ++row) {
        const int top = BarStart(true, row);
        if (pt.y >= top && pt.y < top + m_cySplitterGap) {
            *pIndex = row;
            return hitRowBar;
        }
    }
    for (int col = 0; col + 1 < m_nCols; ++col) {
        const int left = BarStart(false, col);
        if (pt.x >= left && pt.x < left + m_cxSplitterGap) {
            *pIndex = col;
            return hitColBar;
        }
    }
    return hitNone;
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && pWnd == this) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        int index = -1;
        const HitKind kind = m_trackKind != hitNone ? m_trackKind : HitTest(pt, &index);
        if (kind != hitNone) {
            const bool bRows = kind == hitRowBar || kind == hitRowBox;
            ::SetCursor(::LoadCursor(nullptr, bRows ? IDC_SIZENS : IDC_SIZEWE));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint pt)
{
    int index = -1;
    const HitKind kind = HitTest(pt, &index);
    if (kind == hitNone)
        return;
    m_trackKind = kind;
    m_trackIndex = index;
    switch (kind) {
    case hitRowBox:
        m_trackOffset = pt.y;
        break;
    case hitColBox:
        m_trackOffset = pt.x - ColBoxRect().left;
        break;
    case hitRowBar:
        m_trackOffset = pt.y - BarStart(true, index);
        break;
    default:
        m_trackOffset = pt.x - BarStart(false, index);
        break;
    }
    SetCapture();
    if (kind == hitRowBox || kind == hitColBox) {
        // The tracker is drawn over the panes, so they must not clip it away meanwhile.
        ModifyStyle(WS_CLIPCHILDREN, 0);
        m_rectTracker = BoxTrackerRect(pt);
        InvertTracker(m_rectTracker);
    }
}

// The pane before the bar is resized live as the bar follows the mouse.
void CSplitterWnd::OnMouseMove(UINT, CPoint pt)
{
    // A split box splits where it is let go; meanwhile its tracker follows the mouse.
    if (m_trackKind == hitRowBox || m_trackKind == hitColBox) {
        const CRect next = BoxTrackerRect(pt);
        if (next != m_rectTracker) {
            InvertTracker(m_rectTracker);
            m_rectTracker = next;
            InvertTracker(m_rectTracker);
        }
        return;
    }
    if (m_trackKind != hitRowBar && m_trackKind != hitColBar)
        return;
    const bool bRows = m_trackKind == hitRowBar;
    const int barPos = (bRows ? pt.y : pt.x) - m_trackOffset;
    const int before = m_trackIndex == 0 ? (bRows ? RowBoxHeight() : ColBoxWidth())
                                         : BarStart(bRows, m_trackIndex - 1) + (bRows ? m_cySplitterGap : m_cxSplitterGap);
    const int newSize = std::max(barPos - before, 0);
    std::vector<CRowColInfo>& info = bRows ? m_rowInfo : m_colInfo;
    info[static_cast<size_t>(m_trackIndex)].nIdealSize = newSize;
    RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT nFlags, CPoint pt)
{
    if (m_trackKind == hitNone)
        return;
    OnMouseMove(nFlags, pt);
    EndTracking(pt);
}

void CSplitterWnd::EndTracking(CPoint pt)
{
    const HitKind kind = m_trackKind;
    const int index = m_trackIndex;
    m_trackKind = hitNone;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (kind == hitRowBox || kind == hitColBox) {
        InvertTracker(m_rectTracker);
        m_rectTracker.SetRectEmpty();
        ModifyStyle(0, WS_CLIPCHILDREN);
    }
    switch (kind) {
    case hitRowBox:
        SplitRow(pt.y - m_trackOffset);  // refused above the minimum size: nothing splits
        break;
    case hitColBox:
        SplitColumn(pt.x - m_trackOffset);
        break;
    case hitRowBar:
        JoinIfTooSmall(true, index);
        break;
    case hitColBar:
        JoinIfTooSmall(false, index);
        break;
    default:
        break;
    }
}

// A dynamic splitter's bar dragged (nearly) onto an edge takes the pane it
// squeezed below its minimum away.
void CSplitterWnd::JoinIfTooSmall(bool bRows, int index)
{
    if (!IsDynamic())
        return;
    const std::vector<CRowColInfo>& info = bRows ? m_rowInfo : m_colInfo;
    const CRowColInfo& before = info[static_cast<size_t>(index)];
    const CRowColInfo& after = info[static_cast<size_t>(index + 1)];
    int removed = -1;
    if (before.nCurSize < before.nMinSize || before.nCurSize == 0)
        removed = index;
    else if (after.nCurSize < after.nMinSize || after.nCurSize == 0)
        removed = index + 1;
    if (removed < 0)
        return;
    if (bRows)
        DeleteRow(removed);
    else
        DeleteColumn(removed);
}

CRect CSplitterWnd::BoxTrackerRect(CPoint pt) const
{
    CRect client;
    GetClientRect(&client);
    if (m_trackKind == hitRowBox) {
        const int top = std::clamp(static_cast<int>(pt.y) - m_trackOffset, 0, std::max(client.bottom - m_cySplitterGap, 0));
        return CRect(client.left, top, client.right, top + m_cySplitterGap);
    }
    const int left = std::clamp(static_cast<int>(pt.x) - m_trackOffset, 0, std::max(client.right - m_cxSplitterGap, 0));
    return CRect(left, client.top, left + m_cxSplitterGap, client.bottom);
}

// Inverting twice puts the pixels back, so drawing the same rectangle again erases it.
void CSplitterWnd::InvertTracker(const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    CClientDC dc(this);
    dc.PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), DSTINVERT);
}

void CSplitterWnd::OnCancelMode()
{
    if (m_trackKind == hitRowBox || m_trackKind == hitColBox) {
        InvertTracker(m_rectTracker);
        m_rectTracker.SetRectEmpty();
        ModifyStyle(0, WS_CLIPCHILDREN);
    }
    m_trackKind = hitNone;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CWnd::OnCancelMode();
}
