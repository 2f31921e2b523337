#include "platform/win32/user/InputRouter.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/display/Display.h"
#include "platform/display/InputEvent.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/user/DroppedFiles.h"
#include "platform/win32/user/Hooks.h"
#include "platform/win32/user/UserInternal.h"
#include "platform/win32/user/WindowTree.h"

namespace tw::user {

namespace input_router_detail {

constexpr int kDoubleClickSlop = 2;  // half of SM_CXDOUBLECLK
constexpr int kHoverSlop = 2;        // half of SM_CXMOUSEHOVER

bool OwnsVisibleTopLevel(DWORD threadId)
{
    UserGuard guard(UserMutex());
    for (const Window* top : Tree().Desktop()->children) {
        if (top->threadId == threadId && (top->style & WS_VISIBLE))
            return true;
    }
    return false;
}

int ButtonIndex(tw::display::MouseButton button)
{
    switch (button) {
    case tw::display::MouseButton::Left:
        return 0;
    case tw::display::MouseButton::Right:
        return 1;
    case tw::display::MouseButton::Middle:
        return 2;
    default:
        return -1;
    }
}

const UINT kButtonVk[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
const UINT kClientDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
const UINT kNonClientDown[3] = {WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN};

bool IsDown(const BYTE* keys, int vk)
{
    return (keys[vk] & 0x80) != 0;
}

// The length of the well-formed UTF-8 sequence at text[at], 0 when it is not one.
size_t Utf8SequenceLength(const std::string& text, size_t at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = 0;
    if (lead < 0x80)
        length = 1;
    else if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || at + length > text.size())
        return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

}  // namespace input_router_detail

InputRouter& InputRouter::Instance()
{
    static InputRouter router;
    return router;
}

InputRouter::InputRouter() = default;

bool InputRouter::IsDisplayThread() const
{
    return displayThread_ == MessageQueue::CurrentThreadId();
}

void InputRouter::PumpDisplay()
{
    auto& display = tw::display::Display::Instance();
    const DWORD self = MessageQueue::CurrentThreadId();
    bool displayThread;
    {
        std::lock_guard lock(mutex_);
        // The display thread is the first to read its queue with a window on
        // the screen: the program's main thread, not a worker with a hidden window.
        if (displayThread_ == 0 && input_router_detail::OwnsVisibleTopLevel(self))
            displayThread_ = self;
        displayThread = displayThread_ == self;
    }
    // Events are handed out one at a time, each once the one before reached
    // a window: what the earlier ones caused (capture, focus, a new window
    // under the mouse) decides where the later ones go, as on the platform.
    tw::display::InputEvent event;
    if (displayThread) {
        std::lock_guard pumping(pumpMutex_);
        while (display.PollInput(event)) {
            if (Route(event))
                return;
        }
        return;
    }
    // Other threads only take input that is already queued, and only from the
    // headless screen: the desktop backend belongs to the display thread.
    if (!display.IsHeadless() || display.Input().Empty())
        return;
    std::lock_guard pumping(pumpMutex_);
    while (display.Input().TryPop(event)) {
        if (Route(event))
            return;
    }
}

POINT InputRouter::CursorPos()
{
    std::lock_guard lock(mutex_);
    return cursor_;
}

void InputRouter::MoveCursor(POINT pt)
{
    tw::display::InputEvent event;
    event.kind = tw::display::InputKind::MouseMove;
    event.pos = pt;
    event.timeMs = tw::ProcessClock::NowMs();
    Route(event);
}

bool InputRouter::SetClip(const RECT* rect)
{
    std::lock_guard lock(mutex_);
    clipped_ = rect != nullptr;
    if (rect)
        clip_ = *rect;
    return true;
}

RECT InputRouter::Clip()
{
    std::lock_guard lock(mutex_);
    if (clipped_)
        return clip_;
    UserGuard guard(UserMutex());
    return Tree().Desktop()->rect;
}

SHORT InputRouter::KeyState(int vk)
{
    std::lock_guard lock(mutex_);
    const BYTE k = syncKeys_[vk & 0xFF];
    return static_cast<SHORT>(((k & 0x80) ? 0x8000 : 0) | (k & 1));
}

SHORT InputRouter::AsyncKeyState(int vk)
{
    std::lock_guard lock(mutex_);
    return (asyncKeys_[vk & 0xFF] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
}

void InputRouter::CopyKeyState(BYTE* state)
{
    std::lock_guard lock(mutex_);
    std::memcpy(state, syncKeys_, sizeof syncKeys_);
}

void InputRouter::SetKeyState(const BYTE* state)
{
    std::lock_guard lock(mutex_);
    std::memcpy(syncKeys_, state, sizeof syncKeys_);
}

HWND InputRouter::MouseTarget(POINT pt)
{
    UserGuard guard(UserMutex());
    if (Tree().capture)
        return Tree().capture;
    return WindowUnderPoint(pt, nullptr);
}

WPARAM InputRouter::MouseKeys(unsigned modifiers)
{
    namespace d = input_router_detail;
    WPARAM keys = 0;
    if (d::IsDown(asyncKeys_, VK_LBUTTON))
        keys |= MK_LBUTTON;
    if (d::IsDown(asyncKeys_, VK_RBUTTON))
        keys |= MK_RBUTTON;
    if (d::IsDown(asyncKeys_, VK_MBUTTON))
        keys |= MK_MBUTTON;
    if (d::IsDown(asyncKeys_, VK_SHIFT) || (modifiers & tw::display::ModShift))
        keys |= MK_SHIFT;
    if (d::IsDown(asyncKeys_, VK_CONTROL) || (modifiers & tw::display::ModControl))
        keys |= MK_CONTROL;
    return keys;
}

bool InputRouter::Route(const tw::display::InputEvent& event)
{
    using tw::display::InputKind;
    switch (event.kind) {
    case InputKind::MouseMove:
    case InputKind::ButtonDown:
    case InputKind::ButtonUp:
    case InputKind::Wheel:
        return RouteMouse(event);
    case InputKind::KeyDown:
    case InputKind::KeyUp:
        return RouteKey(event);
    case InputKind::Text:
        return RouteText(event);
    case InputKind::Quit: {
        HWND main = GetActiveWindow();
        if (!main) {
            UserGuard guard(UserMutex());
            if (!Tree().Desktop()->children.empty())
                main = Tree().Desktop()->children.front()->handle;
        }
        return main && PostMessage(main, WM_CLOSE, 0, 0);
    }
    case InputKind::DropFiles:
        return DeliverDroppedFiles(event.pos, event.files);
    case InputKind::DropText:
        return DeliverDroppedText(event.pos, event.text);
    }
    return false;
}

bool InputRouter::RouteMouse(const tw::display::InputEvent& event)
{
    namespace d = input_router_detail;
    using tw::display::InputKind;
    RawInput input;
    {
        std::lock_guard lock(mutex_);
        POINT pt = event.pos;
        const RECT clip = Clip();
        pt.x = std::clamp<LONG>(pt.x, clip.left, clip.right - 1);
        pt.y = std::clamp<LONG>(pt.y, clip.top, clip.bottom - 1);
        cursor_ = pt;
        input.pt = pt;
        input.time = static_cast<DWORD>(event.timeMs ? event.timeMs : tw::ProcessClock::NowMs());
        const int button = d::ButtonIndex(event.button);
        if (event.kind == InputKind::ButtonDown || event.kind == InputKind::ButtonUp) {
            if (button < 0)
                return false;
            const bool down = event.kind == InputKind::ButtonDown;
            asyncKeys_[d::kButtonVk[button]] = down ? 0x80 : 0;
            input.kind = RawInput::Kind::MouseButton;
            input.button = button;
            input.down = down;
        } else if (event.kind == InputKind::Wheel) {
            if (event.wheelHorizontal)
                return false;  // the horizontal wheel message is newer than the platform the program targets
            input.kind = RawInput::Kind::MouseWheel;
            input.wheelDelta = event.wheelDelta;
        }
        input.keys = MouseKeys(event.modifiers);
    }
    HWND target = input.kind == RawInput::Kind::MouseWheel ? GetFocus() : MouseTarget(input.pt);
    if (input.kind == RawInput::Kind::MouseWheel && !target)
        target = GetActiveWindow();
    std::shared_ptr<MessageQueue> queue;
    {
        UserGuard guard(UserMutex());
        Window* window = Tree().Find(target);
        if (!window)
            return false;
        queue = window->queue;
    }
    input.target = target;
    queue->PostInput(input);
    return true;
}

bool InputRouter::RouteKey(const tw::display::InputEvent& event)
{
    RawInput input;
    input.kind = RawInput::Kind::Key;
    input.down = event.kind == tw::display::InputKind::KeyDown;
    input.vk = event.vk & 0xFF;
    input.scanCode = event.scanCode ? event.scanCode : MapVirtualKey(input.vk, MAPVK_VK_TO_VSC);
    input.extended = event.extendedKey;
    input.time = static_cast<DWORD>(event.timeMs ? event.timeMs : tw::ProcessClock::NowMs());
    {
        std::lock_guard lock(mutex_);
        input.repeat = input.down && (asyncKeys_[input.vk] & 0x80);
        asyncKeys_[input.vk] = input.down ? 0x80 : 0;
        // The generic modifier follows either of its left and right keys.
        const auto generic = [&](UINT vk, UINT left, UINT right) {
            if (input.vk == left || input.vk == right)
                asyncKeys_[vk] = (asyncKeys_[left] | asyncKeys_[right]) & 0x80;
        };
        generic(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
        generic(VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
        generic(VK_MENU, VK_LMENU, VK_RMENU);
        // The Alt key's own release still counts as a system key.
        const bool isAlt = input.vk == VK_MENU || input.vk == VK_LMENU || input.vk == VK_RMENU;
        input.altDown = (asyncKeys_[VK_MENU] & 0x80) || isAlt || (event.modifiers & tw::display::ModAlt);
        input.ctrlDown = (asyncKeys_[VK_CONTROL] & 0x80) || (event.modifiers & tw::display::ModControl);
    }
    // The queue is the focus thread's; the window is bound when the thread reads the key.
    auto queue = KeyboardQueue(&input.target);
    if (!queue)
        return false;
    queue->PostInput(input);
    return true;
}

std::shared_ptr<MessageQueue> InputRouter::KeyboardQueue(HWND* target)
{
    *target = GetFocus();
    if (!*target)
        *target = GetActiveWindow();
    UserGuard guard(UserMutex());
    Window* window = Tree().Find(*target);
    return window ? window->queue : nullptr;
}

bool InputRouter::RouteText(const tw::display::InputEvent& event)
{
    namespace d = input_router_detail;
    RawInput input;
    input.kind = RawInput::Kind::Char;
    input.time = static_cast<DWORD>(event.timeMs ? event.timeMs : tw::ProcessClock::NowMs());
    auto queue = KeyboardQueue(&input.target);
    if (!queue)
        return false;
    bool posted = false;
    for (size_t at = 0; at < event.text.size();) {
        const size_t length = d::Utf8SequenceLength(event.text, at);
        if (length == 0) {
            ++at;  // a broken sequence would leave a reader waiting for bytes that never come
            continue;
        }
        // ASCII comes from the key that typed it, through TranslateMessage.
        if (length > 1) {
            for (size_t i = at; i < at + length; ++i) {
                input.charByte = static_cast<BYTE>(event.text[i]);
                queue->PostInput(input);
            }
            posted = true;
        }
        at += length;
    }
    return posted;
}

bool InputRouter::Translate(const RawInput& input, MSG* msg, bool remove)
{
    if (input.kind == RawInput::Kind::Key)
        return TranslateKey(input, msg, remove);
    if (input.kind == RawInput::Kind::Char)
        return TranslateChar(input, msg);
    return TranslateMouse(input, msg, remove);
}

UINT InputRouter::DoubleClickMessage(HWND hwnd, int hit, const RawInput& input, bool remove)
{
    namespace d = input_router_detail;
    const UINT down = hit == HTCLIENT ? d::kClientDown[input.button] : d::kNonClientDown[input.button];
    bool classWantsDouble = true;
    if (hit == HTCLIENT) {
        UserGuard guard(UserMutex());
        Window* window = Tree().Find(hwnd);
        classWantsDouble = window && window->cls && (window->cls->style & CS_DBLCLKS);
    }
    std::lock_guard lock(mutex_);
    const bool isDouble = classWantsDouble && !lastClickWasDouble_ && lastClickHwnd_ == hwnd &&
                          lastClickButton_ == input.button && input.time - lastClickTime_ <= doubleClickTime &&
                          std::abs(input.pt.x - lastClickPt_.x) <= d::kDoubleClickSlop &&
                          std::abs(input.pt.y - lastClickPt_.y) <= d::kDoubleClickSlop;
    if (remove) {
        lastClickHwnd_ = hwnd;
        lastClickButton_ = input.button;
        lastClickTime_ = input.time;
        lastClickPt_ = input.pt;
        lastClickWasDouble_ = isDouble;
    }
    return isDouble ? down + 2 : down;  // DOWN, UP, DBLCLK follow one another
}

void InputRouter::TrackLeaveAndHover(HWND hwnd, int hit, POINT screenPt)
{
    namespace d = input_router_detail;
    auto queue = MessageQueue::Current();
    MouseTracking tracking = queue->Tracking();
    if (!tracking.hwnd)
        return;
    const bool wantsNonClient = (tracking.flags & TME_NONCLIENT) != 0;
    const bool inside = hwnd == tracking.hwnd && ((hit == HTCLIENT) != wantsNonClient);
    if (!inside) {
        if (tracking.flags & TME_LEAVE)
            PostMessage(tracking.hwnd, wantsNonClient ? 0x02A2 /* WM_NCMOUSELEAVE */ : WM_MOUSELEAVE, 0, 0);
        queue->SetTracking(MouseTracking{});
        return;
    }
    if (!(tracking.flags & TME_HOVER))
        return;
    POINT pt = screenPt;
    if (!wantsNonClient)
        ScreenToClient(hwnd, &pt);
    if (std::abs(pt.x - tracking.hoverPoint.x) > d::kHoverSlop ||
        std::abs(pt.y - tracking.hoverPoint.y) > d::kHoverSlop) {
        tracking.hoverPoint = pt;
        tracking.hoverDue = tw::ProcessClock::NowMs() + tracking.hoverTime;
        queue->SetTracking(tracking);
    }
}

// A disabled window (the owner of a modal dialog) takes no mouse input: the
// cursor says so, and a press brings its enabled popup to the front instead.
void InputRouter::RefuseDisabled(HWND hwnd, const RawInput& input, bool remove)
{
    namespace d = input_router_detail;
    if (!remove)
        return;
    const UINT message = input.kind == RawInput::Kind::MouseButton && input.down ? d::kClientDown[input.button]
                                                                                   : WM_MOUSEMOVE;
    SendMessage(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(static_cast<WORD>(HTERROR), message));
    if (input.kind != RawInput::Kind::MouseButton || !input.down)
        return;
    if (HWND popup = GetWindow(GetAncestor(hwnd, GA_ROOT), GW_ENABLEDPOPUP))
        SetActiveWindow(popup);
}

// A press in a child window is announced to its ancestors first
// (WM_PARENTNOTIFY), unless the child asked for silence.
void InputRouter::NotifyParentsOfPress(HWND hwnd, UINT downMessage, POINT screenPt)
{
    for (HWND child = hwnd;;) {
        HWND parent;
        {
            UserGuard guard(UserMutex());
            Window* w = Tree().Find(child);
            if (!w || !(w->style & WS_CHILD) || (w->exStyle & WS_EX_NOPARENTNOTIFY) || w->parent == Tree().Desktop())
                return;
            parent = w->parent->handle;
        }
        POINT local = screenPt;
        ScreenToClient(parent, &local);
        SendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(downMessage, 0), MAKELPARAM(local.x, local.y));
        child = parent;
    }
}

bool InputRouter::TranslateMouse(const RawInput& input, MSG* msg, bool remove)
{
    namespace d = input_router_detail;
    HWND hwnd = input.target;
    if (!IsWindow(hwnd))
        return false;
    const bool wheel = input.kind == RawInput::Kind::MouseWheel;
    const bool captured = GetCapture() == hwnd;
    if (!captured && !wheel && !IsWindowEnabled(hwnd)) {
        RefuseDisabled(hwnd, input, remove);
        return false;
    }
    int hit = HTCLIENT;
    if (!captured && !wheel) {
        // Windows that call themselves transparent pass the mouse to what lies
        // beneath, leaving out every one that did so (a group box under a tab
        // control's page area hands it on to the button it frames).
        std::vector<HWND> transparent;
        for (int guard = 0; guard < 16; ++guard) {
            hit = static_cast<int>(SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(input.pt.x, input.pt.y)));
            if (hit != HTTRANSPARENT)
                break;
            transparent.push_back(hwnd);
            HWND below = WindowUnderPoint(input.pt, transparent);
            if (!below || GetWindowThreadProcessId(below, nullptr) != MessageQueue::CurrentThreadId())
                return false;
            hwnd = below;
        }
    }

    const bool client = hit == HTCLIENT || wheel;
    UINT message = client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
    if (wheel) {
        message = WM_MOUSEWHEEL;
    } else if (input.kind == RawInput::Kind::MouseButton) {
        const UINT down = client ? d::kClientDown[input.button] : d::kNonClientDown[input.button];
        message = input.down ? DoubleClickMessage(hwnd, hit, input, remove) : down + 1;
    }

    MOUSEHOOKSTRUCT hookInfo{input.pt, hwnd, static_cast<UINT>(hit), input.extraInfo};
    if (Hooks::Instance().CallMouseChain(remove ? HC_ACTION : HC_NOREMOVE, message, &hookInfo) != 0)
        return false;

    bool eaten = false;
    if (remove && input.kind == RawInput::Kind::MouseButton && input.down) {
        HWND top = GetAncestor(hwnd, GA_ROOT);
        // Only the active window itself is clicked without asking: a child
        // window is never the active one, so its parents (views in a frame)
        // hear of every press.
        const bool topActive = top == GetActiveWindow();
        if (top && (!topActive || hwnd != top)) {
            const LRESULT answer =
                SendMessage(hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top), MAKELPARAM(hit, message));
            if (!topActive && (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT))
                ActivateWindow(top, WA_CLICKACTIVE);
            eaten = answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT;
        }
    }
    if (remove && input.kind == RawInput::Kind::MouseButton && input.down && IsWindow(hwnd))
        NotifyParentsOfPress(hwnd, d::kClientDown[input.button], input.pt);
    if (remove && !captured && !wheel && IsWindow(hwnd)) {
        const UINT setCursorMessage = input.kind == RawInput::Kind::MouseButton && !input.down ? WM_MOUSEMOVE : message;
        SendMessage(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(hit, setCursorMessage));
    }
    if (remove) {
        TrackLeaveAndHover(hwnd, hit, input.pt);
        std::lock_guard lock(mutex_);
        if (input.kind == RawInput::Kind::MouseButton)
            syncKeys_[d::kButtonVk[input.button]] = input.down ? 0x80 : 0;
    }
    if (eaten || !IsWindow(hwnd))
        return false;

    msg->hwnd = hwnd;
    msg->message = message;
    msg->time = input.time;
    msg->pt = input.pt;
    if (wheel) {
        msg->wParam = MAKEWPARAM(input.keys, static_cast<WORD>(static_cast<SHORT>(input.wheelDelta)));
        msg->lParam = MAKELPARAM(input.pt.x, input.pt.y);
    } else if (client) {
        POINT local = input.pt;
        ScreenToClient(hwnd, &local);
        msg->wParam = input.keys;
        msg->lParam = MAKELPARAM(local.x, local.y);
    } else {
        msg->wParam = static_cast<WPARAM>(hit);
        msg->lParam = MAKELPARAM(input.pt.x, input.pt.y);
    }
    SetCurrentMessageExtraInfo(static_cast<LPARAM>(input.extraInfo));
    return true;
}

bool InputRouter::TranslateKey(const RawInput& input, MSG* msg, bool remove)
{
    namespace d = input_router_detail;
    HWND hwnd = input.target;
    if (!IsWindow(hwnd))
        return false;
    const bool altDown = input.altDown;
    const bool ctrlDown = input.ctrlDown;
    // With no focus the active window gets its keys as system keys.
    const bool system = (altDown && !ctrlDown) || input.vk == VK_F10 || GetFocus() == nullptr;
    UINT message = input.down ? WM_KEYDOWN : WM_KEYUP;
    if (system)
        message += WM_SYSKEYDOWN - WM_KEYDOWN;
    LPARAM lParam = 1 | (static_cast<LPARAM>(input.scanCode & 0xFF) << 16);
    if (input.extended)
        lParam |= 1 << 24;
    if (altDown && !ctrlDown)
        lParam |= 1 << 29;
    if (input.repeat || !input.down)
        lParam |= 1 << 30;
    if (!input.down)
        lParam |= static_cast<LPARAM>(1u << 31);
    if (remove) {
        std::lock_guard lock(mutex_);
        BYTE& state = syncKeys_[input.vk];
        if (input.down && !(state & 0x80))
            state ^= 1;  // the toggle bit flips on each fresh press
        state = static_cast<BYTE>((state & 1) | (input.down ? 0x80 : 0));
        const auto generic = [&](UINT vk, UINT left, UINT right) {
            if (input.vk == left || input.vk == right)
                syncKeys_[vk] = static_cast<BYTE>((syncKeys_[vk] & 1) | ((syncKeys_[left] | syncKeys_[right]) & 0x80));
        };
        generic(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
        generic(VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
        generic(VK_MENU, VK_LMENU, VK_RMENU);
    }
    *msg = MSG{hwnd, message, input.vk, static_cast<LPARAM>(static_cast<DWORD>(lParam)), input.time, CursorPos()};
    return true;
}

bool InputRouter::TranslateChar(const RawInput& input, MSG* msg)
{
    if (!IsWindow(input.target))
        return false;
    *msg = MSG{input.target, WM_CHAR, input.charByte, 1, input.time, CursorPos()};
    return true;
}

}  // namespace tw::user

namespace tw::user {

HWND KeyboardInputTarget(DWORD threadId)
{
    const auto ownWindow = [&](HWND hwnd) {
        return hwnd && GetWindowThreadProcessId(hwnd, nullptr) == threadId ? hwnd : nullptr;
    };
    if (HWND focus = ownWindow(GetFocus()))
        return focus;
    return ownWindow(GetActiveWindow());
}

bool TranslateRawInput(const RawInput& input, MSG* msg, bool remove)
{
    return InputRouter::Instance().Translate(input, msg, remove);
}

}  // namespace tw::user

BOOL GetCursorPos(LPPOINT lpPoint)
{
    if (!lpPoint)
        return FALSE;
    *lpPoint = tw::user::InputRouter::Instance().CursorPos();
    return TRUE;
}

BOOL SetCursorPos(int X, int Y)
{
    tw::user::InputRouter::Instance().MoveCursor(POINT{X, Y});
    return TRUE;
}

BOOL ClipCursor(const RECT* lpRect)
{
    return tw::user::InputRouter::Instance().SetClip(lpRect) ? TRUE : FALSE;
}

BOOL GetClipCursor(LPRECT lpRect)
{
    if (!lpRect)
        return FALSE;
    *lpRect = tw::user::InputRouter::Instance().Clip();
    return TRUE;
}

UINT GetDoubleClickTime()
{
    return tw::user::InputRouter::Instance().doubleClickTime;
}

BOOL SetDoubleClickTime(UINT uInterval)
{
    tw::user::InputRouter::Instance().doubleClickTime = uInterval ? uInterval : 500;
    return TRUE;
}

SHORT GetKeyState(int nVirtKey)
{
    return tw::user::InputRouter::Instance().KeyState(nVirtKey);
}

SHORT GetAsyncKeyState(int vKey)
{
    return tw::user::InputRouter::Instance().AsyncKeyState(vKey);
}

BOOL GetKeyboardState(PBYTE lpKeyState)
{
    if (!lpKeyState)
        return FALSE;
    tw::user::InputRouter::Instance().CopyKeyState(lpKeyState);
    return TRUE;
}

BOOL SetKeyboardState(LPBYTE lpKeyState)
{
    if (!lpKeyState)
        return FALSE;
    tw::user::InputRouter::Instance().SetKeyState(lpKeyState);
    return TRUE;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack)
{
    if (!lpEventTrack || lpEventTrack->cbSize != sizeof(TRACKMOUSEEVENT))
        return FALSE;
    auto queue = tw::user::MessageQueue::Current();
    if (lpEventTrack->dwFlags & TME_QUERY) {
        const tw::user::MouseTracking tracking = queue->Tracking();
        lpEventTrack->dwFlags = tracking.flags;
        lpEventTrack->hwndTrack = tracking.hwnd;
        lpEventTrack->dwHoverTime = tracking.hoverTime;
        return TRUE;
    }
    if (!IsWindow(lpEventTrack->hwndTrack))
        return FALSE;
    tw::user::MouseTracking tracking = queue->Tracking();
    if (lpEventTrack->dwFlags & TME_CANCEL) {
        if (tracking.hwnd == lpEventTrack->hwndTrack)
            tracking.flags &= ~(lpEventTrack->dwFlags & (TME_HOVER | TME_LEAVE));
        if (!(tracking.flags & (TME_HOVER | TME_LEAVE)))
            tracking = tw::user::MouseTracking{};
        queue->SetTracking(tracking);
        return TRUE;
    }
    // Tracking a window the mouse is not over ends at once with a leave.
    const POINT cursor = tw::user::InputRouter::Instance().CursorPos();
    HWND under = tw::user::WindowUnderPoint(cursor, nullptr);
    const bool wantsNonClient = (lpEventTrack->dwFlags & TME_NONCLIENT) != 0;
    bool inside = under == lpEventTrack->hwndTrack;
    if (inside && !wantsNonClient) {
        RECT client;
        GetClientRect(lpEventTrack->hwndTrack, &client);
        POINT local = cursor;
        ScreenToClient(lpEventTrack->hwndTrack, &local);
        inside = local.x >= client.left && local.x < client.right && local.y >= client.top && local.y < client.bottom;
    }
    if (!inside) {
        if (lpEventTrack->dwFlags & TME_LEAVE)
            PostMessage(lpEventTrack->hwndTrack, wantsNonClient ? 0x02A2 : WM_MOUSELEAVE, 0, 0);
        return TRUE;
    }
    if (tracking.hwnd != lpEventTrack->hwndTrack)
        tracking = tw::user::MouseTracking{};
    tracking.hwnd = lpEventTrack->hwndTrack;
    tracking.flags |= lpEventTrack->dwFlags & (TME_HOVER | TME_LEAVE | TME_NONCLIENT);
    if (lpEventTrack->dwFlags & TME_HOVER) {
        tracking.hoverTime = lpEventTrack->dwHoverTime == HOVER_DEFAULT ? 400 : lpEventTrack->dwHoverTime;
        tracking.hoverDue = tw::ProcessClock::NowMs() + tracking.hoverTime;
        POINT local = cursor;
        if (!wantsNonClient)
            ScreenToClient(lpEventTrack->hwndTrack, &local);
        tracking.hoverPoint = local;
    }
    queue->SetTracking(tracking);
    return TRUE;
}
