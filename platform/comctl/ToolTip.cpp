#include "platform/comctl/ToolTip.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/comctl/ControlClasses.h"
#include "platform/win32/resource/ResourceLoader.h"

namespace tw::comctl {

namespace detail_tooltip {
constexpr const char* kTipProp = "tw.comctl.tooltip";
constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr int kBorder = 1;
constexpr int kPadding = 2;
constexpr int kCursorHeight = 20;  // the tip appears below the arrow cursor

// Windows subclassed for TTF_SUBCLASS tools: their old procedure and the
// tooltips their mouse messages go to.
struct Subclassed {
    WNDPROC oldProc = nullptr;
    std::vector<HWND> tips;
};
std::mutex& SubclassLock()
{
    static std::mutex lock;
    return lock;
}
std::map<HWND, Subclassed>& SubclassMap()
{
    static std::map<HWND, Subclassed> map;
    return map;
}

bool IsMouseMessage(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

LRESULT CALLBACK RelayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC oldProc = nullptr;
    std::vector<HWND> tips;
    {
        std::lock_guard lock(SubclassLock());
        auto it = SubclassMap().find(hwnd);
        if (it == SubclassMap().end())
            return DefWindowProc(hwnd, message, wParam, lParam);
        oldProc = it->second.oldProc;
        tips = it->second.tips;
        if (message == WM_NCDESTROY) {
            SubclassMap().erase(it);
            SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc));
        }
    }
    if (IsMouseMessage(message)) {
        MSG msg{hwnd, message, wParam, lParam, DWORD(GetMessageTime()), {}};
        const DWORD pos = GetMessagePos();
        msg.pt = POINT{short(LOWORD(pos)), short(HIWORD(pos))};
        for (HWND tip : tips) {
            if (ToolTip* tooltip = ToolTip::From(tip))
                tooltip->Relay(msg);
        }
    }
    return CallWindowProc(oldProc, hwnd, message, wParam, lParam);
}
}  // namespace detail_tooltip

using namespace detail_tooltip;

ToolTip::ToolTip(HWND hwnd)
    : hwnd_(hwnd),
      initialDelay_(GetDoubleClickTime()),
      autopopDelay_(GetDoubleClickTime() * 10),
      reshowDelay_(GetDoubleClickTime() / 5),
      background_(GetSysColor(COLOR_INFOBK)),
      textColor_(GetSysColor(COLOR_INFOTEXT))
{
    SetProp(hwnd, kTipProp, this);
    margin_ = RECT{kPadding, kPadding, kPadding, kPadding};
}

ToolTip::~ToolTip()
{
    for (const Tool& tool : tools_)
        Unsubclass(tool);
    RemoveProp(hwnd_, kTipProp);
}

ToolTip* ToolTip::From(HWND hwnd)
{
    return static_cast<ToolTip*>(GetProp(hwnd, kTipProp));
}

LRESULT CALLBACK ToolTip::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        new ToolTip(hwnd);
        // A tip is a borderless popup that is never activated, whatever the caller asked.
        SetWindowLong(hwnd, GWL_STYLE, LONG((GetWindowLong(hwnd, GWL_STYLE) & ~(WS_CHILD | WS_BORDER)) | WS_POPUP));
        SetWindowLong(hwnd, GWL_EXSTYLE,
                      GetWindowLong(hwnd, GWL_EXSTYLE) | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    ToolTip* self = From(hwnd);
    if (!self)
        return DefWindowProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        delete self;
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

bool ToolTip::InfoSizeOk(const TOOLINFO* info)
{
    return info && info->cbSize >= TTTOOLINFOA_V1_SIZE;
}

void ToolTip::StoreTool(Tool& tool, const TOOLINFO& info)
{
    tool.flags = info.uFlags;
    tool.hwnd = info.hwnd;
    tool.id = info.uId;
    tool.rect = info.rect;
    tool.hinst = info.hinst;
    tool.callback = info.lpszText == LPSTR_TEXTCALLBACK;
    tool.text.clear();
    if (!tool.callback && info.lpszText) {
        if (IS_INTRESOURCE(info.lpszText)) {
            char buffer[1024] = {};
            LoadString(info.hinst, UINT(reinterpret_cast<ULONG_PTR>(info.lpszText)), buffer, sizeof buffer);
            tool.text = buffer;
        } else {
            tool.text = info.lpszText;
        }
    }
    // The first form of the structure ends before lParam.
    tool.lParam = info.cbSize > TTTOOLINFOA_V1_SIZE ? info.lParam : 0;
}

void ToolTip::FillInfo(const Tool& tool, TOOLINFO& info)
{
    info.uFlags = tool.flags;
    info.hwnd = tool.hwnd;
    info.uId = tool.id;
    info.rect = tool.rect;
    info.hinst = tool.hinst;
    if (tool.callback) {
        info.lpszText = LPSTR_TEXTCALLBACK;
    } else if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACK) {
        // The caller's buffer; the platform assumes it holds 80 characters.
        std::strncpy(info.lpszText, tool.text.c_str(), 79);
        info.lpszText[79] = '\0';
    }
    if (info.cbSize > TTTOOLINFOA_V1_SIZE)
        info.lParam = tool.lParam;
}

int ToolTip::FindTool(HWND hwnd, UINT_PTR id) const
{
    for (size_t i = 0; i < tools_.size(); ++i) {
        if (tools_[i].hwnd == hwnd && tools_[i].id == id)
            return int(i);
    }
    return -1;
}

HWND ToolTip::ToolWindow(const Tool& tool)
{
    return (tool.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.id) : tool.hwnd;
}

int ToolTip::ToolAt(HWND hwnd, POINT clientPoint) const
{
    for (size_t i = 0; i < tools_.size(); ++i) {
        const Tool& tool = tools_[i];
        if (tool.flags & TTF_TRACK)
            continue;
        if (tool.flags & TTF_IDISHWND) {
            if (reinterpret_cast<HWND>(tool.id) == hwnd)
                return int(i);
        } else if (tool.hwnd == hwnd && PtInRect(&tool.rect, clientPoint)) {
            return int(i);
        }
    }
    return -1;
}

void ToolTip::Subclass(const Tool& tool)
{
    if (!(tool.flags & TTF_SUBCLASS))
        return;
    HWND window = ToolWindow(tool);
    if (!IsWindow(window))
        return;
    std::lock_guard lock(SubclassLock());
    Subclassed& entry = SubclassMap()[window];
    if (!entry.oldProc)
        entry.oldProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RelayProc)));
    if (std::find(entry.tips.begin(), entry.tips.end(), hwnd_) == entry.tips.end())
        entry.tips.push_back(hwnd_);
}

void ToolTip::Unsubclass(const Tool& tool)
{
    if (!(tool.flags & TTF_SUBCLASS))
        return;
    HWND window = ToolWindow(tool);
    // Another tool of this tooltip may still want the same window.
    for (const Tool& other : tools_) {
        if (&other != &tool && (other.flags & TTF_SUBCLASS) && ToolWindow(other) == window)
            return;
    }
    std::lock_guard lock(SubclassLock());
    auto it = SubclassMap().find(window);
    if (it == SubclassMap().end())
        return;
    auto& tips = it->second.tips;
    tips.erase(std::remove(tips.begin(), tips.end(), hwnd_), tips.end());
    // Only undone while ours is still the window's procedure; otherwise a later
    // subclass would lose its place, so the relay stays and forwards to no one.
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtr(window, GWLP_WNDPROC));
    if (tips.empty() && current == &RelayProc) {
        SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.oldProc));
        SubclassMap().erase(it);
    }
}

LRESULT ToolTip::Notify(const Tool& tool, UINT code, NMHDR* header)
{
    header->hwndFrom = hwnd_;
    header->idFrom = tool.id;
    header->code = code;
    return SendMessage(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(header));
}

std::string ToolTip::TextOf(Tool& tool)
{
    if (!tool.callback)
        return tool.text;
    NMTTDISPINFO info{};
    info.uFlags = tool.flags;
    info.lParam = tool.lParam;
    Notify(tool, TTN_GETDISPINFO, &info.hdr);
    std::string text;
    if (info.lpszText && IS_INTRESOURCE(info.lpszText)) {
        char buffer[1024] = {};
        LoadString(info.hinst, UINT(reinterpret_cast<ULONG_PTR>(info.lpszText)), buffer, sizeof buffer);
        text = buffer;
    } else if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACK) {
        text = info.lpszText;
    } else {
        text.assign(info.szText, strnlen(info.szText, sizeof info.szText));
    }
    if (info.uFlags & TTF_DI_SETITEM) {
        tool.callback = false;
        tool.text = text;
    }
    return text;
}

UINT ToolTip::TextFormat() const
{
    UINT format = DT_LEFT | DT_EXPANDTABS;
    if (GetWindowLong(hwnd_, GWL_STYLE) & TTS_NOPREFIX)
        format |= DT_NOPREFIX;
    // Only a tip with a maximum width breaks into lines.
    format |= maxWidth_ >= 0 ? DT_WORDBREAK : DT_SINGLELINE;
    return format;
}

SIZE ToolTip::Measure(const std::string& text)
{
    HDC dc = GetDC(hwnd_);
    HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    RECT rect{0, 0, maxWidth_ >= 0 ? maxWidth_ : 0, 0};
    DrawText(dc, text.c_str(), int(text.size()), &rect, TextFormat() | DT_CALCRECT);
    SelectObject(dc, oldFont);
    ReleaseDC(hwnd_, dc);
    return SIZE{rect.right - rect.left + margin_.left + margin_.right + 2 * kBorder,
                rect.bottom - rect.top + margin_.top + margin_.bottom + 2 * kBorder};
}

bool ToolTip::OwnerActive(const Tool& tool) const
{
    if (GetWindowLong(hwnd_, GWL_STYLE) & TTS_ALWAYSTIP)
        return true;
    HWND active = GetActiveWindow();
    return active && GetAncestor(tool.hwnd, GA_ROOT) == active;
}

void ToolTip::StartTimer(UINT_PTR id, UINT delay)
{
    SetTimer(hwnd_, id, std::max<UINT>(delay, 1), nullptr);
}

void ToolTip::Show(bool tracking)
{
    KillTimer(hwnd_, kShowTimer);
    if (current_ < 0 || !active_)
        return;
    Tool& tool = tools_[size_t(current_)];
    std::string text = TextOf(tool);
    if (text.empty()) {
        Pop();
        return;
    }
    shownText_ = text;
    const SIZE size = Measure(text);
    POINT at{};
    if (tracking) {
        at = trackPoint_;
    } else if (tool.flags & TTF_CENTERTIP) {
        RECT rect = tool.rect;
        if (tool.flags & TTF_IDISHWND)
            GetClientRect(ToolWindow(tool), &rect);
        MapWindowPoints(ToolWindow(tool), nullptr, reinterpret_cast<POINT*>(&rect), 2);
        at = POINT{(rect.left + rect.right - size.cx) / 2, rect.bottom + 2};
    } else {
        GetCursorPos(&at);
        at.y += kCursorHeight;
    }
    // Kept on the work area.
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    at.x = std::max(work.left, std::min(at.x, work.right - size.cx));
    at.y = std::max(work.top, std::min(at.y, work.bottom - size.cy));

    const bool wasShown = shown_;
    shown_ = true;
    NMHDR header{};
    const bool placedByOwner = !wasShown && Notify(tool, TTN_SHOW, &header) != 0;
    const UINT move = placedByOwner ? SWP_NOMOVE : 0;
    SetWindowPos(hwnd_, HWND_TOPMOST, at.x, at.y, size.cx, size.cy, move | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (!tracking)
        StartTimer(kPopTimer, autopopDelay_);
}

void ToolTip::Pop()
{
    KillTimer(hwnd_, kShowTimer);
    KillTimer(hwnd_, kPopTimer);
    if (!shown_)
        return;
    shown_ = false;
    if (current_ >= 0) {
        NMHDR header{};
        Notify(tools_[size_t(current_)], TTN_POP, &header);
    }
    ShowWindow(hwnd_, SW_HIDE);
}

void ToolTip::Relay(const MSG& msg)
{
    if (!active_ || tracking_)
        return;
    switch (msg.message) {
    case WM_MOUSEMOVE: {
        const POINT point{short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam))};
        const int hit = ToolAt(msg.hwnd, point);
        if (hit == current_) {
            if (hit >= 0 && !shown_ && !clicked_ && !IsWindowVisible(hwnd_))
                StartTimer(kShowTimer, initialDelay_);
            return;
        }
        const bool wasShown = shown_;
        Pop();
        current_ = hit;
        clicked_ = false;
        if (hit >= 0 && OwnerActive(tools_[size_t(hit)]))
            StartTimer(kShowTimer, wasShown ? reshowDelay_ : initialDelay_);
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        Pop();
        clicked_ = current_ >= 0;
        return;
    default:
        return;
    }
}

void ToolTip::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    HBRUSH back = CreateSolidBrush(background_);
    FillRect(dc, &client, back);
    DeleteObject(back);
    FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
    HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColor_);
    RECT text{client.left + kBorder + margin_.left, client.top + kBorder + margin_.top,
              client.right - kBorder - margin_.right, client.bottom - kBorder - margin_.bottom};
    DrawText(dc, shownText_.c_str(), int(shownText_.size()), &text, TextFormat());
    SelectObject(dc, oldFont);
    EndPaint(hwnd_, &ps);
}

LRESULT ToolTip::OnToolMessage(UINT message, WPARAM wParam, TOOLINFO* info)
{
    if (!InfoSizeOk(info))
        return 0;
    const int index = FindTool(info->hwnd, info->uId);
    switch (message) {
    case TTM_ADDTOOL: {
        if (index >= 0)
            return FALSE;
        Tool tool;
        StoreTool(tool, *info);
        tools_.push_back(tool);
        Subclass(tool);
        return TRUE;
    }
    case TTM_DELTOOL:
        if (index < 0)
            return 0;
        if (index == current_) {
            Pop();
            current_ = -1;
        } else if (index < current_) {
            --current_;
        }
        {
            const Tool removed = tools_[size_t(index)];
            tools_.erase(tools_.begin() + index);
            tools_.push_back(removed);
            Unsubclass(tools_.back());
            tools_.pop_back();
        }
        return 0;
    case TTM_NEWTOOLRECT:
        if (index >= 0)
            tools_[size_t(index)].rect = info->rect;
        return 0;
    case TTM_GETTOOLINFO:
        if (index < 0)
            return FALSE;
        FillInfo(tools_[size_t(index)], *info);
        return TRUE;
    case TTM_SETTOOLINFO:
        if (index >= 0)
            StoreTool(tools_[size_t(index)], *info);
        return 0;
    case TTM_UPDATETIPTEXT:
        if (index < 0)
            return 0;
        {
            Tool& tool = tools_[size_t(index)];
            tool.callback = info->lpszText == LPSTR_TEXTCALLBACK;
            tool.hinst = info->hinst;
            TOOLINFO copy = *info;
            copy.uFlags = tool.flags;
            copy.rect = tool.rect;
            copy.lParam = tool.lParam;
            copy.cbSize = sizeof(TOOLINFO);
            StoreTool(tool, copy);
        }
        if (shown_ && index == current_)
            Show(tracking_);
        return 0;
    case TTM_GETTEXT:
        if (index >= 0 && info->lpszText) {
            const std::string text = TextOf(tools_[size_t(index)]);
            const size_t room = wParam ? size_t(wParam) : 80;
            std::strncpy(info->lpszText, text.c_str(), room - 1);
            info->lpszText[room - 1] = '\0';
        }
        return 0;
    case TTM_TRACKACTIVATE:
        if (index < 0)
            return 0;
        if (wParam) {
            Pop();
            current_ = index;
            tracking_ = true;
            Show(true);
        } else if (tracking_ && index == current_) {
            Pop();
            tracking_ = false;
            current_ = -1;
        }
        return 0;
    default:
        return 0;
    }
}

LRESULT ToolTip::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TTM_ADDTOOL:
    case TTM_DELTOOL:
    case TTM_NEWTOOLRECT:
    case TTM_GETTOOLINFO:
    case TTM_SETTOOLINFO:
    case TTM_UPDATETIPTEXT:
    case TTM_GETTEXT:
    case TTM_TRACKACTIVATE:
        return OnToolMessage(message, wParam, reinterpret_cast<TOOLINFO*>(lParam));
    case TTM_RELAYEVENT:
        if (lParam)
            Relay(*reinterpret_cast<const MSG*>(lParam));
        return 0;
    case TTM_ACTIVATE:
        active_ = wParam != 0;
        if (!active_)
            Pop();
        return 0;
    case TTM_POP:
        Pop();
        return 0;
    case TTM_UPDATE:
        if (shown_)
            Show(tracking_);
        return 0;
    case TTM_GETTOOLCOUNT:
        return LRESULT(tools_.size());
    case TTM_ENUMTOOLS: {
        auto* info = reinterpret_cast<TOOLINFO*>(lParam);
        if (wParam >= tools_.size() || !InfoSizeOk(info))
            return FALSE;
        FillInfo(tools_[wParam], *info);
        return TRUE;
    }
    case TTM_GETCURRENTTOOL: {
        auto* info = reinterpret_cast<TOOLINFO*>(lParam);
        if (!shown_ || current_ < 0)
            return FALSE;
        if (InfoSizeOk(info))
            FillInfo(tools_[size_t(current_)], *info);
        return TRUE;
    }
    case TTM_HITTEST: {
        auto* hit = reinterpret_cast<TTHITTESTINFO*>(lParam);
        if (!hit)
            return FALSE;
        const int index = ToolAt(hit->hwnd, hit->pt);
        if (index < 0)
            return FALSE;
        if (hit->ti.cbSize >= TTTOOLINFOA_V1_SIZE)
            FillInfo(tools_[size_t(index)], hit->ti);
        return TRUE;
    }
    case TTM_SETDELAYTIME: {
        const int value = short(LOWORD(lParam));
        const UINT delay = value < 0 ? GetDoubleClickTime() : UINT(value);
        switch (wParam) {
        case TTDT_AUTOMATIC:
            initialDelay_ = delay;
            autopopDelay_ = delay * 10;
            reshowDelay_ = delay / 5;
            break;
        case TTDT_INITIAL:
            initialDelay_ = value < 0 ? GetDoubleClickTime() : delay;
            break;
        case TTDT_AUTOPOP:
            autopopDelay_ = value < 0 ? GetDoubleClickTime() * 10 : delay;
            break;
        case TTDT_RESHOW:
            reshowDelay_ = value < 0 ? GetDoubleClickTime() / 5 : delay;
            break;
        default:
            break;
        }
        return 0;
    }
    case TTM_GETDELAYTIME:
        switch (wParam) {
        case TTDT_INITIAL:
            return initialDelay_;
        case TTDT_AUTOPOP:
            return autopopDelay_;
        case TTDT_RESHOW:
            return reshowDelay_;
        default:
            return 0;
        }
    case TTM_SETMAXTIPWIDTH: {
        const int old = maxWidth_;
        maxWidth_ = int(lParam);
        return old;
    }
    case TTM_GETMAXTIPWIDTH:
        return maxWidth_;
    case TTM_TRACKPOSITION:
        trackPoint_ = POINT{short(LOWORD(lParam)), short(HIWORD(lParam))};
        if (tracking_ && shown_)
            SetWindowPos(hwnd_, nullptr, trackPoint_.x, trackPoint_.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    case TTM_SETTIPBKCOLOR:
        background_ = COLORREF(wParam);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case TTM_SETTIPTEXTCOLOR:
        textColor_ = COLORREF(wParam);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case TTM_GETTIPBKCOLOR:
        return background_;
    case TTM_GETTIPTEXTCOLOR:
        return textColor_;
    case TTM_SETMARGIN:
        if (lParam)
            margin_ = *reinterpret_cast<const RECT*>(lParam);
        return 0;
    case TTM_GETMARGIN:
        if (lParam)
            *reinterpret_cast<RECT*>(lParam) = margin_;
        return 0;
    case WM_TIMER:
        if (wParam == kShowTimer) {
            KillTimer(hwnd_, kShowTimer);
            if (current_ >= 0 && !clicked_ && OwnerActive(tools_[size_t(current_)]))
                Show(false);
        } else if (wParam == kPopTimer) {
            Pop();
        }
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        Paint();
        return 0;
    default:
        return DefWindowProc(hwnd_, message, wParam, lParam);
    }
}

LRESULT CALLBACK ToolTipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ToolTip::Proc(hwnd, message, wParam, lParam);
}

}  // namespace tw::comctl
