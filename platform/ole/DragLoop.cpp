#include "platform/ole/DragLoop.h"

#include "platform/ole/DragCursors.h"
#include "platform/ole/DropTargets.h"

namespace tw::ole {

namespace drag_loop_detail {

constexpr char kTrackerClass[] = "TwOleDragTracker";
constexpr UINT_PTR kRepeatTimer = 1;

HWND MakeTracker()
{
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = kTrackerClass;
    RegisterClass(&wc);  // fails harmlessly once the class exists
    return CreateWindowEx(0, kTrackerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
}

bool IsMouseMessage(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

}  // namespace drag_loop_detail

DragLoop::DragLoop(IDataObject* data, IDropSource* source, DWORD okEffects)
    : data_(data), source_(source), okEffects_(okEffects)
{
    data_->AddRef();
    source_->AddRef();
}

DragLoop::~DragLoop()
{
    if (target_)
        target_->Release();
    if (tracker_ && IsWindow(tracker_)) {
        if (GetCapture() == tracker_)
            ReleaseCapture();
        DestroyWindow(tracker_);
    }
    source_->Release();
    data_->Release();
}

DWORD DragLoop::InitialKeys()
{
    DWORD keys = 0;
    const auto down = [](int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; };
    if (down(VK_LBUTTON))
        keys |= MK_LBUTTON;
    if (down(VK_RBUTTON))
        keys |= MK_RBUTTON;
    if (down(VK_MBUTTON))
        keys |= MK_MBUTTON;
    if (down(VK_SHIFT))
        keys |= MK_SHIFT;
    if (down(VK_CONTROL))
        keys |= MK_CONTROL;
    if (down(VK_MENU))
        keys |= MK_ALT;
    return keys;
}

void DragLoop::LeaveTarget()
{
    if (!target_)
        return;
    target_->DragLeave();
    target_->Release();
    target_ = nullptr;
    targetWindow_ = nullptr;
}

void DragLoop::Track(POINT pt)
{
    pt_ = pt;
    HWND owner = nullptr;
    IDropTarget* under = DropTargets::Instance().FindFor(WindowFromPoint(pt), &owner);
    if (under && owner == targetWindow_) {
        under->Release();
        effect_ = okEffects_;
        if (FAILED(target_->DragOver(keys_, Where(), &effect_)))
            effect_ = DROPEFFECT_NONE;
    } else {
        LeaveTarget();
        effect_ = DROPEFFECT_NONE;
        if (under) {
            target_ = under;
            targetWindow_ = owner;
            effect_ = okEffects_;
            if (FAILED(target_->DragEnter(data_, keys_, Where(), &effect_)))
                effect_ = DROPEFFECT_NONE;
        }
    }
    // A target may not take more than the source offers.
    effect_ &= okEffects_ | DROPEFFECT_SCROLL;
    GiveFeedback();
}

void DragLoop::GiveFeedback()
{
    if (source_->GiveFeedback(effect_) == DRAGDROP_S_USEDEFAULTCURSORS)
        SetCursor(DragCursorFor(effect_));
}

HRESULT DragLoop::AskSource()
{
    const HRESULT hr = source_->QueryContinueDrag(escape_ ? TRUE : FALSE, keys_);
    escape_ = false;
    return hr;
}

void DragLoop::OnKey(UINT vk, bool down)
{
    DWORD bit = 0;
    if (vk == VK_CONTROL || vk == VK_LCONTROL || vk == VK_RCONTROL)
        bit = MK_CONTROL;
    else if (vk == VK_SHIFT || vk == VK_LSHIFT || vk == VK_RSHIFT)
        bit = MK_SHIFT;
    else if (vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU)
        bit = MK_ALT;
    if (vk == VK_ESCAPE && down)
        escape_ = true;
    if (!bit)
        return;
    const DWORD before = keys_;
    keys_ = down ? (keys_ | bit) : (keys_ & ~bit);
    // A modifier changes the effect at once, as the target sees it.
    if (keys_ != before)
        Track(pt_);
}

bool DragLoop::Step()
{
    namespace d = drag_loop_detail;
    MSG msg;
    if (!GetMessage(&msg, nullptr, 0, 0)) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (d::IsMouseMessage(msg.message) && msg.message != WM_MOUSEWHEEL) {
        // The mouse messages carry the buttons and modifiers as they were then.
        keys_ = static_cast<DWORD>(msg.wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL)) |
                (keys_ & MK_ALT);
        const bool moved = msg.pt.x != pt_.x || msg.pt.y != pt_.y;
        if (msg.message == WM_MOUSEMOVE || moved)
            Track(msg.pt);
        return true;
    }
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        OnKey(static_cast<UINT>(msg.wParam), true);
        return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        OnKey(static_cast<UINT>(msg.wParam), false);
        return true;
    case WM_CHAR:
    case WM_SYSCHAR:
        return true;
    case WM_TIMER:
        if (msg.hwnd == tracker_) {
            if (target_)
                Track(pt_);
            return true;
        }
        break;
    default:
        break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    return true;
}

HRESULT DragLoop::Finish(HRESULT how, DWORD* effect)
{
    DWORD result = DROPEFFECT_NONE;
    if (how == DRAGDROP_S_DROP && target_ && (effect_ & ~DROPEFFECT_SCROLL) != DROPEFFECT_NONE) {
        // The target is offered what the source allows, as at every step.
        result = okEffects_;
        IDropTarget* target = target_;
        target_ = nullptr;
        targetWindow_ = nullptr;
        if (FAILED(target->Drop(data_, keys_, Where(), &result)))
            result = DROPEFFECT_NONE;
        target->Release();
        result &= okEffects_;
    } else {
        LeaveTarget();
    }
    *effect = how == DRAGDROP_S_DROP ? result : DROPEFFECT_NONE;
    return how;
}

HRESULT DragLoop::Run(DWORD* effect)
{
    tracker_ = drag_loop_detail::MakeTracker();
    if (!tracker_)
        return E_OUTOFMEMORY;
    SetCapture(tracker_);
    SetTimer(tracker_, drag_loop_detail::kRepeatTimer, kRepeatMs, nullptr);
    keys_ = InitialKeys();
    POINT start{};
    GetCursorPos(&start);
    Track(start);
    for (;;) {
        HRESULT hr = AskSource();
        if (hr != S_OK)
            return Finish(hr == DRAGDROP_S_DROP ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL, effect);
        if (GetCapture() != tracker_ || !Step())
            return Finish(DRAGDROP_S_CANCEL, effect);
    }
}

}  // namespace tw::ole

HRESULT DoDragDrop(LPDATAOBJECT pDataObj, LPDROPSOURCE pDropSource, DWORD dwOKEffects, LPDWORD pdwEffect)
{
    if (!pDataObj || !pDropSource || !pdwEffect)
        return E_INVALIDARG;
    *pdwEffect = DROPEFFECT_NONE;
    tw::ole::DragLoop loop(pDataObj, pDropSource, dwOKEffects);
    return loop.Run(pdwEffect);
}
