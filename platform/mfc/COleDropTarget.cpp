#include "platform/mfc/COleDropTarget.h"

#include <algorithm>

#include "platform/mfc/CView.h"
#include "platform/mfc/CWnd.h"
#include "platform/win32/kernel/ProcessClock.h"

int COleDropTarget::nScrollInset = 11;
UINT COleDropTarget::nScrollDelay = 50;
UINT COleDropTarget::nScrollInterval = 50;

namespace ole_drop_target_detail {

constexpr UINT kNotScrolling = 0xFFFF;
constexpr BYTE kNoCode = 0xFF;

class DropTargetInterface final : public tw::ComObject<IDropTarget> {
public:
    explicit DropTargetInterface(COleDropTarget* owner) : owner_(owner) {}
    void Disconnect() { owner_ = nullptr; }

    HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (!pdwEffect)
            return E_INVALIDARG;
        *pdwEffect = owner_ ? owner_->DragEnter(pDataObj, grfKeyState, pt, *pdwEffect) : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (!pdwEffect)
            return E_INVALIDARG;
        *pdwEffect = owner_ ? owner_->DragOver(grfKeyState, pt, *pdwEffect) : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT DragLeave() override
    {
        if (owner_)
            owner_->DragLeave();
        return S_OK;
    }
    HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (!pdwEffect)
            return E_INVALIDARG;
        *pdwEffect = owner_ ? owner_->Drop(pDataObj, grfKeyState, pt, *pdwEffect) : DROPEFFECT_NONE;
        return S_OK;
    }

private:
    COleDropTarget* owner_;
};

// The target's answer within what the source allows: a copy becomes a move
// (or the reverse) when only that is allowed; anything else not allowed is none.
DROPEFFECT FilterEffect(DROPEFFECT effect, DROPEFFECT allowed)
{
    if (effect & allowed)
        return effect;
    switch (effect) {
    case DROPEFFECT_COPY:
        if (allowed & DROPEFFECT_MOVE)
            return DROPEFFECT_MOVE;
        break;
    case DROPEFFECT_MOVE:
        if (allowed & DROPEFFECT_COPY)
            return DROPEFFECT_COPY;
        break;
    default:
        break;
    }
    return DROPEFFECT_NONE;
}

DROPEFFECT EffectOfKeys(DWORD keys)
{
    if ((keys & (MK_CONTROL | MK_SHIFT)) == (MK_CONTROL | MK_SHIFT))
        return DROPEFFECT_LINK;
    if (keys & MK_CONTROL)
        return DROPEFFECT_COPY;
    return DROPEFFECT_MOVE;
}

}  // namespace ole_drop_target_detail

COleDropTarget::COleDropTarget() : m_pInterface(new ole_drop_target_detail::DropTargetInterface(this)) {}

COleDropTarget::~COleDropTarget()
{
    Revoke();
    static_cast<ole_drop_target_detail::DropTargetInterface*>(m_pInterface)->Disconnect();
    m_pInterface->Release();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (!hWnd || m_hWnd)
        return FALSE;
    if (FAILED(::RegisterDragDrop(hWnd, m_pInterface)))
        return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    ForgetData();
    m_nTimerID = ole_drop_target_detail::kNotScrolling;
    if (!m_hWnd)
        return;
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
}

CWnd* COleDropTarget::Window() const
{
    return CWnd::FromHandle(m_hWnd);
}

CPoint COleDropTarget::ClientPoint(POINTL pt) const
{
    CPoint point(static_cast<int>(pt.x), static_cast<int>(pt.y));
    ::ScreenToClient(m_hWnd, &point);
    return point;
}

void COleDropTarget::ForgetData()
{
    if (m_lpDataObject)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return static_cast<DROPEFFECT>(-1);
}

void COleDropTarget::OnDragLeave(CWnd*) {}

bool COleDropTarget::CanScroll(HWND hWnd, int bar, UINT code)
{
    if (code == ole_drop_target_detail::kNoCode)
        return false;
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    if (!::GetScrollInfo(hWnd, bar, &info) || info.nMax <= info.nMin)
        return false;
    const int last = info.nMax - std::max<int>(static_cast<int>(info.nPage) - 1, 0);
    return code == SB_LINEUP ? info.nPos > info.nMin : info.nPos < last;
}

void COleDropTarget::Scroll(HWND hWnd, UINT codes)
{
    const UINT horizontal = LOBYTE(codes);
    const UINT vertical = HIBYTE(codes);
    if (horizontal != ole_drop_target_detail::kNoCode)
        ::SendMessage(hWnd, WM_HSCROLL, MAKEWPARAM(horizontal, 0), 0);
    if (vertical != ole_drop_target_detail::kNoCode)
        ::SendMessage(hWnd, WM_VSCROLL, MAKEWPARAM(vertical, 0), 0);
}

UINT COleDropTarget::ScrollCodesAt(CWnd* pWnd, CPoint point) const
{
    namespace d = ole_drop_target_detail;
    CRect client;
    pWnd->GetClientRect(&client);
    CRect inner = client;
    inner.InflateRect(-nScrollInset, -nScrollInset);
    if (!client.PtInRect(point) || inner.PtInRect(point))
        return d::kNotScrolling;
    BYTE horizontal = d::kNoCode;
    BYTE vertical = d::kNoCode;
    if (point.x < inner.left)
        horizontal = SB_LINEUP;
    else if (point.x >= inner.right)
        horizontal = SB_LINEDOWN;
    if (point.y < inner.top)
        vertical = SB_LINEUP;
    else if (point.y >= inner.bottom)
        vertical = SB_LINEDOWN;
    // Only towards where there is something to show.
    if (!CanScroll(pWnd->m_hWnd, SB_HORZ, horizontal))
        horizontal = d::kNoCode;
    if (!CanScroll(pWnd->m_hWnd, SB_VERT, vertical))
        vertical = d::kNoCode;
    if (horizontal == d::kNoCode && vertical == d::kNoCode)
        return d::kNotScrolling;
    return MAKEWORD(horizontal, vertical);
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point)
{
    namespace d = ole_drop_target_detail;
    if (!pWnd || !pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        return DROPEFFECT_NONE;
    const UINT codes = ScrollCodesAt(pWnd, point);
    if (codes == d::kNotScrolling) {
        if (m_nTimerID != d::kNotScrolling) {
            // Back from the edge: the target sees the drag come in again.
            COleDataObject dataObject;
            dataObject.Attach(m_lpDataObject, FALSE);
            OnDragEnter(pWnd, &dataObject, dwKeyState, point);
            m_nTimerID = d::kNotScrolling;
        }
        return DROPEFFECT_NONE;
    }
    const DWORD now = GetTickCount();
    if (codes != m_nTimerID) {
        m_dwLastTick = now;
        m_nScrollDelay = nScrollDelay;
    }
    if (now - m_dwLastTick >= m_nScrollDelay) {
        Scroll(pWnd->m_hWnd, codes);
        m_dwLastTick = now;
        m_nScrollDelay = nScrollInterval;
    }
    if (m_nTimerID == d::kNotScrolling)
        OnDragLeave(pWnd);
    m_nTimerID = codes;
    return DROPEFFECT_SCROLL | d::EffectOfKeys(dwKeyState);
}

DROPEFFECT COleDropTarget::DragEnter(LPDATAOBJECT lpDataObject, DWORD dwKeyState, POINTL pt, DROPEFFECT allowed)
{
    CWnd* pWnd = Window();
    if (!pWnd)
        return DROPEFFECT_NONE;
    ForgetData();
    m_lpDataObject = lpDataObject;
    if (m_lpDataObject)
        m_lpDataObject->AddRef();
    m_nTimerID = ole_drop_target_detail::kNotScrolling;
    COleDataObject dataObject;
    dataObject.Attach(lpDataObject, FALSE);
    const DROPEFFECT effect = OnDragEnter(pWnd, &dataObject, dwKeyState, ClientPoint(pt));
    return ole_drop_target_detail::FilterEffect(effect, allowed);
}

DROPEFFECT COleDropTarget::DragOver(DWORD dwKeyState, POINTL pt, DROPEFFECT allowed)
{
    CWnd* pWnd = Window();
    if (!pWnd || !m_lpDataObject)
        return DROPEFFECT_NONE;
    const CPoint point = ClientPoint(pt);
    DROPEFFECT effect = OnDragScroll(pWnd, dwKeyState, point);
    if (!(effect & DROPEFFECT_SCROLL)) {
        COleDataObject dataObject;
        dataObject.Attach(m_lpDataObject, FALSE);
        effect = OnDragOver(pWnd, &dataObject, dwKeyState, point);
    }
    return ole_drop_target_detail::FilterEffect(effect, allowed);
}

void COleDropTarget::DragLeave()
{
    CWnd* pWnd = Window();
    m_nTimerID = ole_drop_target_detail::kNotScrolling;
    if (pWnd)
        OnDragLeave(pWnd);
    ForgetData();
}

DROPEFFECT COleDropTarget::Drop(LPDATAOBJECT lpDataObject, DWORD dwKeyState, POINTL pt, DROPEFFECT allowed)
{
    CWnd* pWnd = Window();
    m_nTimerID = ole_drop_target_detail::kNotScrolling;
    if (!pWnd) {
        ForgetData();
        return DROPEFFECT_NONE;
    }
    COleDataObject dataObject;
    dataObject.Attach(lpDataObject, FALSE);
    const CPoint point = ClientPoint(pt);
    // The drop's effect is what the target says at the drop point, not at the last move.
    DROPEFFECT effect =
        ole_drop_target_detail::FilterEffect(OnDragOver(pWnd, &dataObject, dwKeyState, point), allowed);
    const DROPEFFECT handled = OnDropEx(pWnd, &dataObject, effect, allowed, point);
    if (handled != static_cast<DROPEFFECT>(-1)) {
        effect = handled;
    } else if (effect != DROPEFFECT_NONE) {
        if (!OnDrop(pWnd, &dataObject, effect, point))
            effect = DROPEFFECT_NONE;
    } else {
        OnDragLeave(pWnd);
    }
    ForgetData();
    return effect;
}
