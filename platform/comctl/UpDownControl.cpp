#include "platform/comctl/UpDownControl.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>

#include "platform/comctl/ControlClasses.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::comctl {

namespace detail_updown {
constexpr const char* kUpDownProp = "tw.comctl.updown";
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeat = 500;
constexpr UINT kRepeat = 100;

// Buddies whose arrow keys an up-down takes (UDS_ARROWKEYS).
struct BuddyHook {
    WNDPROC oldProc = nullptr;
    HWND updown = nullptr;
};
std::mutex& BuddyLock()
{
    static std::mutex lock;
    return lock;
}
std::map<HWND, BuddyHook>& Buddies()
{
    static std::map<HWND, BuddyHook> map;
    return map;
}

LRESULT CALLBACK BuddyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    BuddyHook hook;
    {
        std::lock_guard lock(BuddyLock());
        auto it = Buddies().find(hwnd);
        if (it == Buddies().end())
            return DefWindowProc(hwnd, message, wParam, lParam);
        hook = it->second;
        if (message == WM_NCDESTROY) {
            SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook.oldProc));
            Buddies().erase(it);
        }
    }
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        auto* updown = static_cast<UpDownControl*>(GetProp(hook.updown, kUpDownProp));
        if (updown && updown->OnBuddyKey(UINT(wParam)))
            return 0;
    }
    return CallWindowProc(hook.oldProc, hwnd, message, wParam, lParam);
}

void HookBuddy(HWND buddy, HWND updown)
{
    std::lock_guard lock(BuddyLock());
    BuddyHook& hook = Buddies()[buddy];
    hook.updown = updown;
    if (!hook.oldProc)
        hook.oldProc =
            reinterpret_cast<WNDPROC>(SetWindowLongPtr(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BuddyProc)));
}

void UnhookBuddy(HWND buddy, HWND updown)
{
    std::lock_guard lock(BuddyLock());
    auto it = Buddies().find(buddy);
    if (it == Buddies().end() || it->second.updown != updown)
        return;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtr(buddy, GWLP_WNDPROC)) == &BuddyProc) {
        SetWindowLongPtr(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.oldProc));
        Buddies().erase(it);
    } else {
        it->second.updown = nullptr;  // a later subclass sits on top: ours stays and passes keys on
    }
}
}  // namespace detail_updown

using namespace detail_updown;

UpDownControl::UpDownControl(HWND hwnd) : hwnd_(hwnd), accels_{{0, 1}} {}

UpDownControl::~UpDownControl()
{
    if (buddy_)
        UnhookBuddy(buddy_, hwnd_);
}

std::string UpDownControl::FormatPosition(int pos, int base, bool thousands)
{
    char buffer[32];
    if (base == 16) {
        snprintf(buffer, sizeof buffer, "0x%04X", unsigned(pos));
        return buffer;
    }
    snprintf(buffer, sizeof buffer, "%d", pos);
    std::string digits = buffer;
    if (!thousands)
        return digits;
    const size_t start = digits[0] == '-' ? 1 : 0;
    for (int at = int(digits.size()) - 3; at > int(start); at -= 3)
        digits.insert(size_t(at), ",");
    return digits;
}

bool UpDownControl::ReadBuddy(int& value) const
{
    if (!buddy_)
        return false;
    char text[64] = {};
    GetWindowText(buddy_, text, sizeof text);
    std::string digits;
    for (const char* p = text; *p; ++p) {
        if (*p != ',')
            digits += *p;
    }
    if (digits.empty())
        return false;
    char* end = nullptr;
    const long parsed = std::strtol(digits.c_str(), &end, base_ == 16 ? 16 : 10);
    if (!end || *end != '\0')
        return false;
    value = int(parsed);
    return true;
}

void UpDownControl::ShowInBuddy()
{
    if (!buddy_ || !(Style() & UDS_SETBUDDYINT))
        return;
    SetWindowText(buddy_, FormatPosition(pos_, base_, !(Style() & UDS_NOTHOUSANDS)).c_str());
}

int UpDownControl::SetPos(int pos)
{
    const int old = pos_;
    pos_ = std::clamp(pos, Lowest(), Highest());
    ShowInBuddy();
    return old;
}

HWND UpDownControl::SetBuddy(HWND buddy)
{
    HWND old = buddy_;
    if (old)
        UnhookBuddy(old, hwnd_);
    buddy_ = IsWindow(buddy) ? buddy : nullptr;
    if (buddy_ && (Style() & UDS_ARROWKEYS))
        HookBuddy(buddy_, hwnd_);
    AlignToBuddy();
    return old;
}

void UpDownControl::AlignToBuddy()
{
    const DWORD style = Style();
    if (!buddy_ || !(style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)))
        return;
    RECT buddyRect{};
    GetWindowRect(buddy_, &buddyRect);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&buddyRect), 2);
    RECT own{};
    GetWindowRect(hwnd_, &own);
    int width = own.right - own.left;
    if (width <= 0)
        width = GetSystemMetrics(SM_CXVSCROLL);
    const int height = buddyRect.bottom - buddyRect.top;
    if (style & UDS_ALIGNRIGHT) {
        MoveWindow(buddy_, buddyRect.left, buddyRect.top, buddyRect.right - buddyRect.left - width, height, TRUE);
        MoveWindow(hwnd_, buddyRect.right - width, buddyRect.top, width, height, TRUE);
    } else {
        MoveWindow(buddy_, buddyRect.left + width, buddyRect.top, buddyRect.right - buddyRect.left - width, height,
                   TRUE);
        MoveWindow(hwnd_, buddyRect.left, buddyRect.top, width, height, TRUE);
    }
}

void UpDownControl::OnCreate()
{
    if (Style() & UDS_AUTOBUDDY)
        SetBuddy(GetWindow(hwnd_, GW_HWNDPREV));
}

int UpDownControl::CurrentIncrement() const
{
    const unsigned long long heldSeconds = pressed_ ? (tw::ProcessClock::NowMs() - pressTime_) / 1000 : 0;
    UINT increment = accels_.empty() ? 1 : accels_.front().nInc;
    for (const UDACCEL& accel : accels_) {
        if (heldSeconds >= accel.nSec)
            increment = accel.nInc;
    }
    return int(increment);
}

void UpDownControl::Step(bool up, int steps)
{
    if (Style() & UDS_SETBUDDYINT) {
        int fromBuddy = 0;
        if (ReadBuddy(fromBuddy))
            pos_ = std::clamp(fromBuddy, Lowest(), Highest());
    }
    const int direction = (upper_ >= lower_) == up ? 1 : -1;
    NMUPDOWN nm{};
    nm.iPos = pos_;
    nm.iDelta = direction * CurrentIncrement() * steps;
    if (SendNotify(hwnd_, UDN_DELTAPOS, &nm.hdr))
        return;  // the parent refused the change
    long long next = static_cast<long long>(pos_) + nm.iDelta;
    if (next > Highest())
        next = (Style() & UDS_WRAP) ? Lowest() : Highest();
    else if (next < Lowest())
        next = (Style() & UDS_WRAP) ? Highest() : Lowest();
    if (int(next) == pos_)
        return;
    pos_ = int(next);
    ShowInBuddy();
    SendMessage(GetParent(hwnd_), Horizontal() ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos_),
                reinterpret_cast<LPARAM>(hwnd_));
}

bool UpDownControl::OnBuddyKey(UINT vk)
{
    if (!(Style() & UDS_ARROWKEYS) || !IsWindowEnabled(hwnd_))
        return false;
    Step(vk == VK_UP, 1);
    return true;
}

bool UpDownControl::UpperHalf(POINT point) const
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (Horizontal())
        return point.x >= (client.right - client.left) / 2;  // the right button counts up
    return point.y < (client.bottom - client.top) / 2;
}

void UpDownControl::Paint(HDC dc)
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    RECT first = client;
    RECT second = client;
    UINT firstGlyph = DFCS_SCROLLUP;
    UINT secondGlyph = DFCS_SCROLLDOWN;
    if (Horizontal()) {
        first.right = second.left = (client.left + client.right) / 2;
        firstGlyph = DFCS_SCROLLLEFT;
        secondGlyph = DFCS_SCROLLRIGHT;
    } else {
        first.bottom = second.top = (client.top + client.bottom) / 2;
    }
    // The first button counts up when vertical, down when horizontal.
    const bool firstPressed = Horizontal() ? pressed_ < 0 : pressed_ > 0;
    const bool secondPressed = Horizontal() ? pressed_ > 0 : pressed_ < 0;
    const UINT disabled = IsWindowEnabled(hwnd_) ? 0 : DFCS_INACTIVE;
    DrawFrameControl(dc, &first, DFC_SCROLL, firstGlyph | disabled | (firstPressed ? DFCS_PUSHED : 0));
    DrawFrameControl(dc, &second, DFC_SCROLL, secondGlyph | disabled | (secondPressed ? DFCS_PUSHED : 0));
}

LRESULT UpDownControl::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case UDM_SETRANGE:
        upper_ = short(LOWORD(lParam));
        lower_ = short(HIWORD(lParam));
        pos_ = std::clamp(pos_, Lowest(), Highest());
        return 0;
    case UDM_GETRANGE:
        return MAKELONG(WORD(upper_), WORD(lower_));
    case UDM_SETRANGE32:
        lower_ = int(wParam);
        upper_ = int(lParam);
        pos_ = std::clamp(pos_, Lowest(), Highest());
        return 0;
    case UDM_GETRANGE32:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = lower_;
        if (lParam)
            *reinterpret_cast<int*>(lParam) = upper_;
        return 0;
    case UDM_SETPOS:
        return SetPos(short(LOWORD(lParam)));
    case UDM_SETPOS32:
        return SetPos(int(lParam));
    case UDM_GETPOS:
    case UDM_GETPOS32: {
        bool failed = false;
        if (buddy_ && (Style() & UDS_SETBUDDYINT)) {
            int fromBuddy = 0;
            failed = !ReadBuddy(fromBuddy);
            if (!failed)
                pos_ = std::clamp(fromBuddy, Lowest(), Highest());
        }
        if (message == UDM_GETPOS32) {
            if (lParam)
                *reinterpret_cast<BOOL*>(lParam) = failed;
            return pos_;
        }
        return MAKELONG(WORD(pos_), failed ? 1 : 0);
    }
    case UDM_SETBUDDY:
        return reinterpret_cast<LRESULT>(SetBuddy(reinterpret_cast<HWND>(wParam)));
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(buddy_);
    case UDM_SETACCEL: {
        const auto* given = reinterpret_cast<const UDACCEL*>(lParam);
        if (!given || wParam == 0)
            return FALSE;
        accels_.assign(given, given + wParam);
        return TRUE;
    }
    case UDM_GETACCEL: {
        auto* out = reinterpret_cast<UDACCEL*>(lParam);
        const size_t count = std::min(size_t(wParam), accels_.size());
        if (out)
            std::copy(accels_.begin(), accels_.begin() + count, out);
        return LRESULT(accels_.size());
    }
    case UDM_SETBASE: {
        if (wParam != 10 && wParam != 16)
            return 0;
        const int old = base_;
        base_ = int(wParam);
        ShowInBuddy();
        return old;
    }
    case UDM_GETBASE:
        return base_;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const POINT point{short(LOWORD(lParam)), short(HIWORD(lParam))};
        if (buddy_ && GetFocus() != buddy_)
            SetFocus(buddy_);
        pressed_ = UpperHalf(point) ? 1 : -1;
        pressTime_ = tw::ProcessClock::NowMs();
        SetCapture(hwnd_);
        InvalidateRect(hwnd_, nullptr, TRUE);
        Step(pressed_ > 0, 1);
        SetTimer(hwnd_, kRepeatTimer, kFirstRepeat, nullptr);
        return 0;
    }
    case WM_TIMER:
        if (wParam == kRepeatTimer && pressed_) {
            SetTimer(hwnd_, kRepeatTimer, kRepeat, nullptr);
            Step(pressed_ > 0, 1);
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (!pressed_)
            return 0;
        pressed_ = 0;
        KillTimer(hwnd_, kRepeatTimer);
        if (GetCapture() == hwnd_)
            ReleaseCapture();
        InvalidateRect(hwnd_, nullptr, TRUE);
        SendMessage(GetParent(hwnd_), Horizontal() ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, pos_),
                    reinterpret_cast<LPARAM>(hwnd_));
        return 0;
    case WM_KEYDOWN:
        if ((wParam == VK_UP || wParam == VK_DOWN) && (Style() & UDS_ARROWKEYS))
            Step(wParam == VK_UP, 1);
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    default:
        return DefWindowProc(hwnd_, message, wParam, lParam);
    }
}

LRESULT CALLBACK UpDownProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return tw::ObjectWindowProc<UpDownControl>(kUpDownProp, hwnd, message, wParam, lParam);
}

}  // namespace tw::comctl
