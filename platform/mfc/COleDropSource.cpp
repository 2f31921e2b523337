#include "platform/mfc/COleDropSource.h"

#include "platform/mfc/CWnd.h"
#include "platform/win32/kernel/ProcessClock.h"

UINT COleDropSource::nDragMinDist = 2;
UINT COleDropSource::nDragDelay = 200;

namespace ole_drop_source_detail {

class DropSourceInterface final : public tw::ComObject<IDropSource> {
public:
    explicit DropSourceInterface(COleDropSource* owner) : owner_(owner) {}

    HRESULT QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override
    {
        return owner_->QueryContinueDrag(fEscapePressed, grfKeyState);
    }
    HRESULT GiveFeedback(DWORD dwEffect) override { return owner_->GiveFeedback(dwEffect); }

private:
    COleDropSource* owner_;
};

bool EndsThePress(const MSG& msg)
{
    switch (msg.message) {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        return true;
    case WM_KEYDOWN:
        return msg.wParam == VK_ESCAPE;
    default:
        return false;
    }
}

}  // namespace ole_drop_source_detail

LPDROPSOURCE COleDropSource::CreateInterface()
{
    return new ole_drop_source_detail::DropSourceInterface(this);
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed || (m_dwButtonCancel && (dwKeyState & m_dwButtonCancel)))
        return DRAGDROP_S_CANCEL;
    // A drag started without a press in OnBeginDrag drops on the left button.
    const DWORD dropButton = m_dwButtonDrop ? m_dwButtonDrop : MK_LBUTTON;
    if (!(dwKeyState & dropButton))
        return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

void COleDropSource::ChooseButtons()
{
    m_dwButtonCancel = 0;
    m_dwButtonDrop = 0;
    if (GetKeyState(VK_LBUTTON) < 0) {
        m_dwButtonDrop = MK_LBUTTON;
        m_dwButtonCancel = MK_RBUTTON;
    } else if (GetKeyState(VK_RBUTTON) < 0) {
        m_dwButtonDrop = MK_RBUTTON;
        m_dwButtonCancel = MK_LBUTTON;
    }
}

BOOL COleDropSource::OnBeginDrag(CWnd* pWnd)
{
    m_bDragStarted = FALSE;
    ChooseButtons();
    HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (!hWnd)
        return FALSE;
    const uint64_t start = tw::ProcessClock::NowMs();
    ::SetCapture(hWnd);
    while (!m_bDragStarted && ::GetCapture() == hWnd) {
        MSG msg;
        if (::PeekMessage(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) ||
            ::PeekMessage(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
            if (ole_drop_source_detail::EndsThePress(msg))
                break;
            m_bDragStarted = !m_rectStartDrag.PtInRect(msg.pt);
            continue;
        }
        if (tw::ProcessClock::NowMs() - start > nDragDelay) {
            m_bDragStarted = TRUE;
            break;
        }
        // Other messages are handled as usual; with none, sleep until something comes.
        if (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            continue;
        }
        ::WaitMessage();
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    return m_bDragStarted;
}
