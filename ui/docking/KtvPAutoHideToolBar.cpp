#include "ui/docking/KtvPAutoHideToolBar.h"

#include "platform/mfc/CDC.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/docking/KtvPAutoHideButton.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/docking/KtvPDockingControlBar.h"

IMPLEMENT_DYNCREATE(CKtvPAutoHideToolBar, CKtvPControlBar)

CRuntimeClass* CKtvPAutoHideToolBar::m_pButtonRTC = RUNTIME_CLASS(CKtvPAutoHideButton);
int CKtvPAutoHideToolBar::m_nHoverDelay = 400;

namespace {

constexpr UINT_PTR kHoverTimer = 1;

CKtvPAutoHideButton* ButtonAt(const CObList& lst, POSITION& pos)
{
    return static_cast<CKtvPAutoHideButton*>(lst.GetNext(pos));
}

}  // namespace

BEGIN_MESSAGE_MAP(CKtvPAutoHideToolBar, CKtvPControlBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CKtvPAutoHideToolBar::CKtvPAutoHideToolBar() : m_bHoverPending(FALSE), m_nHoverTimerID(0) {}

CKtvPAutoHideToolBar::~CKtvPAutoHideToolBar()
{
    // The hover timer belongs to the window, which is gone by now.
    CleanUpButtons();
}

CSize CKtvPAutoHideToolBar::CalcLayoutForLength(int, BOOL)
{
    CSize size(0, 0);
    if (!m_lstButtons.IsEmpty()) {
        static_cast<CKtvPAutoHideButton*>(m_lstButtons.GetTail())->GetSize(size);
    }
    if (GetSafeHwnd() != nullptr) {
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    }
    return size;
}

CSize CKtvPAutoHideToolBar::CalcFixedLayout(BOOL, BOOL)
{
    CRect rect(0, 0, 0, 0);
    if (GetSafeHwnd() != nullptr) {
        GetWindowRect(rect);
    }
    return rect.Size();
}

void CKtvPAutoHideToolBar::SetActiveInGroup(BOOL bActive)
{
    CKtvPControlBar::SetActiveInGroup(bActive);
    if (!bActive) {
        return;
    }
    CKtvPDockBar* pStrip = GetParentDockBar();
    CKtvPDockBarRow* pRow = pStrip != nullptr ? pStrip->FindRowOfBar(this) : nullptr;
    if (pRow == nullptr) {
        return;
    }
    CObList lstGroup;
    pRow->GetGroupBars(this, lstGroup);
    for (POSITION pos = lstGroup.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPControlBar*>(lstGroup.GetNext(pos));
        if (pBar != this) {
            pBar->SetActiveInGroup(FALSE);
        }
    }
    pStrip->AdjustRowsToRect(CRect(0, 0, 0, 0));
}

CKtvPAutoHideButton* CKtvPAutoHideToolBar::AddAutoHideWindow(CWnd* pBar, DWORD dwAlignment)
{
    if (pBar == nullptr || !pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)) || m_pButtonRTC == nullptr) {
        return nullptr;
    }
    CObject* pObject = m_pButtonRTC->CreateObject();
    auto* pButton = dynamic_cast<CKtvPAutoHideButton*>(pObject);
    if (pButton == nullptr) {
        delete pObject;
        return nullptr;
    }
    if (!pButton->Create(this, static_cast<CKtvPDockingControlBar*>(pBar), dwAlignment)) {
        delete pButton;
        return nullptr;
    }
    if (m_lstButtons.IsEmpty() && GetSafeHwnd() != nullptr) {
        CSize sizeButton;
        pButton->GetSize(sizeButton);
        CRect rect;
        GetWindowRect(rect);
        SetWindowPos(nullptr, 0, 0, rect.Width() + sizeButton.cx, rect.Height() + sizeButton.cy,
                     SWP_NOZORDER | SWP_NOMOVE);
    }
    m_lstButtons.AddTail(pButton);
    return pButton;
}

BOOL CKtvPAutoHideToolBar::RemoveAutoHideWindow(CKtvPDockingControlBar* pBar)
{
    if (m_nHoverTimerID != 0) {
        KillTimer(m_nHoverTimerID);
        m_nHoverTimerID = 0;
    }
    CKtvPAutoHideButton* pButton = FindButton(pBar);
    if (pButton == nullptr) {
        return FALSE;
    }
    m_lstButtons.RemoveAt(m_lstButtons.Find(pButton));
    // The bar no longer points at the button and toolbar that go now.
    if (pBar != nullptr && pBar->GetAutoHideButton() == pButton) {
        pBar->SetAutoHideParents(nullptr, nullptr);
    }
    delete pButton;
    if (!m_lstButtons.IsEmpty()) {
        // Buttons left still stand for their bars: the toolbar stays with them.
        return TRUE;
    }
    if (CKtvPDockBar* pStrip = GetParentDockBar()) {
        pStrip->RemoveControlBar(this);
        CRect rectClient;
        pStrip->GetClientRect(rectClient);
        pStrip->AdjustRowsToRect(rectClient);
    }
    DestroyWindow();  // the object goes with its window
    return TRUE;
}

BOOL CKtvPAutoHideToolBar::ShowAutoHideWindow(CKtvPDockingControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    CKtvPAutoHideButton* pButton = FindButton(pBar);
    if (pButton == nullptr) {
        return FALSE;
    }
    pButton->ShowButton(bShow);
    if (!bDelay) {
        UpdateVisibleState();
    }
    return TRUE;
}

void CKtvPAutoHideToolBar::UpdateVisibleState()
{
    CKtvPDockBar* pStrip = GetParentDockBar();
    if (pStrip == nullptr) {
        return;
    }
    if (GetVisibleCount() == 0) {
        pStrip->ShowBarInRow(this, FALSE, FALSE);
    } else if ((GetStyle() & WS_VISIBLE) == 0) {
        pStrip->ShowBarInRow(this, TRUE, FALSE);
    }
}

void CKtvPAutoHideToolBar::UnSetAutoHideMode(CKtvPDockingControlBar* pFirstBarInGroup)
{
    // The last button's bar takes this toolbar with it: the next button is taken
    // first, and nothing of the toolbar is touched once its window is gone.
    const HWND hWnd = GetSafeHwnd();
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        CKtvPAutoHideButton* pButton = ButtonAt(m_lstButtons, pos);
        pButton->UnSetAutoHideMode(pFirstBarInGroup);
        if (!::IsWindow(hWnd)) {
            return;
        }
    }
}

int CKtvPAutoHideToolBar::GetVisibleCount() const
{
    int nCount = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        if (ButtonAt(m_lstButtons, pos)->IsVisible()) {
            nCount++;
        }
    }
    return nCount;
}

CKtvPAutoHideButton* CKtvPAutoHideToolBar::FindButton(CWnd* pBar) const
{
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        CKtvPAutoHideButton* pButton = ButtonAt(m_lstButtons, pos);
        if (pButton->GetAutoHideWindow() == pBar) {
            return pButton;
        }
    }
    return nullptr;
}

CKtvPAutoHideButton* CKtvPAutoHideToolBar::ButtonFromPoint(CPoint pt) const
{
    for (BOOL bTopOnly : {TRUE, FALSE}) {
        for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
            CKtvPAutoHideButton* pButton = ButtonAt(m_lstButtons, pos);
            if ((!bTopOnly || pButton->IsTop()) && pButton->IsVisible() && pButton->GetRect().PtInRect(pt)) {
                return pButton;
            }
        }
    }
    return nullptr;
}

void CKtvPAutoHideToolBar::CleanUpButtons()
{
    while (!m_lstButtons.IsEmpty()) {
        delete static_cast<CKtvPAutoHideButton*>(m_lstButtons.RemoveHead());
    }
}

CKtvPDockingControlBar* CKtvPAutoHideToolBar::GetFirstAttachedBar() const
{
    return m_lstButtons.IsEmpty() ? nullptr
                                  : static_cast<CKtvPAutoHideButton*>(m_lstButtons.GetHead())->GetAutoHideWindow();
}

int CKtvPAutoHideToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct) { return CWnd::OnCreate(lpCreateStruct); }

void CKtvPAutoHideToolBar::OnPaint()
{
    CPaintDC dcPaint(this);
    CKtvPMemDC memDC(dcPaint, this);
    CDC* pDC = &memDC.GetDC();
    CKtvPAutoHideButton* pTopButton = nullptr;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        CKtvPAutoHideButton* pButton = ButtonAt(m_lstButtons, pos);
        if (!pButton->IsVisible()) {
            continue;
        }
        if (pButton->IsTop()) {
            pTopButton = pButton;
        } else {
            pButton->OnDraw(pDC);
        }
    }
    if (pTopButton != nullptr) {
        pTopButton->OnDraw(pDC);
    }
}

namespace {

CPoint CursorIn(const CWnd* pWnd)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    pWnd->ScreenToClient(&pt);
    return pt;
}

BOOL IsBarHidden(const CKtvPAutoHideButton* pButton)
{
    CKtvPDockingControlBar* pBar = pButton->GetAutoHideWindow();
    return pBar != nullptr && !pBar->IsWindowVisible();
}

}  // namespace

void CKtvPAutoHideToolBar::OnMouseMove(UINT, CPoint)
{
    CKtvPAutoHideButton* pButton = ButtonFromPoint(CursorIn(this));
    if (pButton == nullptr || m_bHoverPending || !IsBarHidden(pButton)) {
        return;
    }
    m_bHoverPending = TRUE;
    if (m_nHoverTimerID != 0) {
        KillTimer(m_nHoverTimerID);
    }
    m_nHoverTimerID = SetTimer(kHoverTimer, (UINT)m_nHoverDelay, nullptr);
}

void CKtvPAutoHideToolBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHoverTimer) {
        CKtvPAutoHideButton* pButton = ButtonFromPoint(CursorIn(this));
        KillTimer(m_nHoverTimerID);
        m_nHoverTimerID = 0;
        const BOOL bWasPending = m_bHoverPending;
        m_bHoverPending = FALSE;
        if (pButton != nullptr && bWasPending && IsBarHidden(pButton)) {
            pButton->ShowAttachedWindow(TRUE);
        }
    }
    CKtvPControlBar::OnTimer(nIDEvent);
}

void CKtvPAutoHideToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (CKtvPAutoHideButton* pButton = ButtonFromPoint(point)) {
        if (CKtvPDockingControlBar* pBar = pButton->GetAutoHideWindow()) {
            pBar->SetFocus();
        }
    }
    CKtvPControlBar::OnLButtonDown(nFlags, point);
}

void CKtvPAutoHideToolBar::OnNcDestroy()
{
    if (m_nHoverTimerID != 0) {
        KillTimer(m_nHoverTimerID);
        m_nHoverTimerID = 0;
    }
    CWnd::OnNcDestroy();
    delete this;
}
