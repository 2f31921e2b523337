#include "tests/platform/win32/user/MessageTrace.h"

#include <gtest/gtest.h>

#include "platform/win32/gdi/SystemColors.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tw::user::test {

namespace message_trace_detail {

MessageTrace* g_current = nullptr;

struct Named {
    UINT value;
    const char* name;
};

const Named kMessages[] = {
    {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"},
    {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"},
    {WM_ENABLE, "WM_ENABLE"}, {WM_SETREDRAW, "WM_SETREDRAW"}, {WM_SETTEXT, "WM_SETTEXT"},
    {WM_GETTEXT, "WM_GETTEXT"}, {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"}, {WM_PAINT, "WM_PAINT"},
    {WM_CLOSE, "WM_CLOSE"}, {WM_QUIT, "WM_QUIT"}, {WM_ERASEBKGND, "WM_ERASEBKGND"},
    {WM_SYSCOLORCHANGE, "WM_SYSCOLORCHANGE"}, {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
    {WM_SETTINGCHANGE, "WM_SETTINGCHANGE"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"}, {WM_CANCELMODE, "WM_CANCELMODE"},
    {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"}, {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
    {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"}, {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
    {WM_CONTEXTMENU, "WM_CONTEXTMENU"}, {WM_STYLECHANGING, "WM_STYLECHANGING"}, {WM_STYLECHANGED, "WM_STYLECHANGED"},
    {WM_GETICON, "WM_GETICON"}, {WM_SETICON, "WM_SETICON"}, {WM_NCCREATE, "WM_NCCREATE"},
    {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCCALCSIZE, "WM_NCCALCSIZE"}, {WM_NCHITTEST, "WM_NCHITTEST"},
    {WM_NCPAINT, "WM_NCPAINT"}, {WM_NCACTIVATE, "WM_NCACTIVATE"}, {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
    {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"}, {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"},
    {WM_NCLBUTTONDBLCLK, "WM_NCLBUTTONDBLCLK"}, {WM_NCRBUTTONDOWN, "WM_NCRBUTTONDOWN"},
    {WM_NCRBUTTONUP, "WM_NCRBUTTONUP"}, {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"}, {WM_CHAR, "WM_CHAR"},
    {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"}, {WM_SYSKEYUP, "WM_SYSKEYUP"}, {WM_SYSCHAR, "WM_SYSCHAR"},
    {WM_COMMAND, "WM_COMMAND"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"}, {WM_TIMER, "WM_TIMER"}, {WM_HSCROLL, "WM_HSCROLL"},
    {WM_VSCROLL, "WM_VSCROLL"}, {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
    {WM_LBUTTONUP, "WM_LBUTTONUP"}, {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"}, {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
    {WM_RBUTTONUP, "WM_RBUTTONUP"}, {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"}, {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
    {WM_MBUTTONUP, "WM_MBUTTONUP"}, {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"}, {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
    {WM_SIZING, "WM_SIZING"}, {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"}, {WM_MOVING, "WM_MOVING"},
    {WM_ENTERSIZEMOVE, "WM_ENTERSIZEMOVE"}, {WM_EXITSIZEMOVE, "WM_EXITSIZEMOVE"}, {WM_MOUSEHOVER, "WM_MOUSEHOVER"},
    {WM_MOUSELEAVE, "WM_MOUSELEAVE"}, {WM_DESTROYCLIPBOARD, "WM_DESTROYCLIPBOARD"},
    {WM_RENDERFORMAT, "WM_RENDERFORMAT"},
};

const Named kSwpFlags[] = {
    {SWP_NOSIZE, "NOSIZE"}, {SWP_NOMOVE, "NOMOVE"}, {SWP_NOZORDER, "NOZORDER"}, {SWP_NOREDRAW, "NOREDRAW"},
    {SWP_NOACTIVATE, "NOACTIVATE"}, {SWP_FRAMECHANGED, "FRAMECHANGED"}, {SWP_SHOWWINDOW, "SHOWWINDOW"},
    {SWP_HIDEWINDOW, "HIDEWINDOW"}, {SWP_NOCOPYBITS, "NOCOPYBITS"}, {SWP_NOOWNERZORDER, "NOOWNERZORDER"},
    {SWP_NOSENDCHANGING, "NOSENDCHANGING"}, {SWP_STATECHANGED, "STATECHANGED"},
};

std::string SwpFlags(UINT flags)
{
    std::string out;
    for (const Named& f : kSwpFlags) {
        if (flags & f.value) {
            if (!out.empty())
                out += '|';
            out += f.name;
        }
    }
    return out.empty() ? "0" : out;
}

std::string Fmt(const char* format, long a = 0, long b = 0, long c = 0, long d = 0)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, a, b, c, d);
    return buffer;
}

}  // namespace message_trace_detail

std::string MessageName(UINT message)
{
    for (const auto& m : message_trace_detail::kMessages) {
        if (m.value == message)
            return m.name;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%04X", message);
    return buffer;
}

MessageTrace::MessageTrace()
{
    message_trace_detail::g_current = this;
    for (const char* name : {kClassName, kDoubleClickClassName}) {
        WNDCLASS wc{};
        wc.style = std::string(name) == kDoubleClickClassName ? CS_DBLCLKS : 0;
        wc.lpfnWndProc = &MessageTrace::Proc;
        wc.lpszClassName = name;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        RegisterClass(&wc);
    }
}

MessageTrace::~MessageTrace()
{
    if (message_trace_detail::g_current == this)
        message_trace_detail::g_current = nullptr;
}

MessageTrace* MessageTrace::Current()
{
    return message_trace_detail::g_current;
}

HWND MessageTrace::Create(const std::string& name, DWORD style, DWORD exStyle, RECT rect, HWND parent, UINT_PTR id,
                          const char* className)
{
    // The name must be known before WM_CREATE arrives: CREATESTRUCT carries it.
    pendingName_ = name;
    HWND hwnd = CreateWindowEx(exStyle, className, name.c_str(), style, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(id), nullptr, nullptr);
    pendingName_.clear();
    if (hwnd)
        names_[hwnd] = name;
    return hwnd;
}

std::string MessageTrace::NameOf(HWND hwnd) const
{
    if (!hwnd)
        return "NULL";
    const auto it = names_.find(hwnd);
    if (it != names_.end())
        return it->second;
    if (hwnd == GetDesktopWindow())
        return "desktop";
    if (!pendingName_.empty())
        return pendingName_;
    return "?";
}

std::string MessageTrace::Describe(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const
{
    namespace d = message_trace_detail;
    std::string text = NameOf(hwnd) + " " + MessageName(message);
    switch (message) {
    case WM_SIZE:
        return text + d::Fmt(" type=%ld %ldx%ld", static_cast<long>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_MOVE:
        return text + d::Fmt(" %ld,%ld", GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_ACTIVATE:
        return text + d::Fmt(" state=%ld minimized=%ld", LOWORD(wParam), HIWORD(wParam)) + " other=" +
               NameOf(reinterpret_cast<HWND>(lParam));
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return text + " other=" + NameOf(reinterpret_cast<HWND>(wParam));
    case WM_CAPTURECHANGED:
        return text + " new=" + NameOf(reinterpret_cast<HWND>(lParam));
    case WM_SHOWWINDOW:
    case WM_NCACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_ENABLE:
    case WM_NCCALCSIZE:
        return text + d::Fmt(" %ld", static_cast<long>(wParam));
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        return text + " " + d::SwpFlags(pos->flags) + d::Fmt(" %ld,%ld %ldx%ld", pos->x, pos->y, pos->cx, pos->cy);
    }
    case WM_SYSCOMMAND:
        return text + d::Fmt(" 0x%04lX", static_cast<long>(wParam));
    case WM_PARENTNOTIFY:
        return text + " " + MessageName(LOWORD(wParam));
    case WM_MOUSEACTIVATE:
        return text + d::Fmt(" hit=%ld", static_cast<short>(LOWORD(lParam))) + " " + MessageName(HIWORD(lParam));
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE:
        return text + d::Fmt(" hit=%ld", static_cast<long>(wParam));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
        return text + d::Fmt(" %ld,%ld keys=%ld", GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), static_cast<long>(wParam));
    case WM_CONTEXTMENU:
        return text + " from=" + NameOf(reinterpret_cast<HWND>(wParam)) +
               d::Fmt(" %ld,%ld", GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_SIZING:
    case WM_MOVING: {
        const auto* r = reinterpret_cast<const RECT*>(lParam);
        return text + d::Fmt(" edge=%ld", static_cast<long>(wParam)) +
               d::Fmt(" %ld,%ld-%ld,%ld", r->left, r->top, r->right, r->bottom);
    }
    case WM_TIMER:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        return text + d::Fmt(" 0x%lX", static_cast<long>(wParam));
    default:
        return text;
    }
}

LRESULT CALLBACK MessageTrace::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MessageTrace* trace = Current();
    if (!trace)
        return DefWindowProc(hwnd, message, wParam, lParam);
    if (trace->recording_)
        trace->lines_.push_back(std::string(static_cast<size_t>(trace->depth_) * 2, ' ') +
                                trace->Describe(hwnd, message, wParam, lParam));
    ++trace->depth_;
    LRESULT result = 0;
    const auto handler = trace->handlers_.find({hwnd, message});
    const bool handled = handler != trace->handlers_.end() && handler->second(hwnd, message, wParam, lParam, &result);
    if (!handled)
        result = DefWindowProc(hwnd, message, wParam, lParam);
    --trace->depth_;
    return result;
}

std::string MessageTrace::Text() const
{
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\n";
    return text;
}

std::vector<std::string> MessageTrace::Messages(HWND hwnd) const
{
    std::vector<std::string> out;
    const std::string prefix = NameOf(hwnd) + " ";
    for (const std::string& line : lines_) {
        const size_t start = line.find_first_not_of(' ');
        if (line.compare(start, prefix.size(), prefix) != 0)
            continue;
        const std::string rest = line.substr(start + prefix.size());
        out.push_back(rest.substr(0, rest.find(' ')));
    }
    return out;
}

void MessageTrace::Pump()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void ExpectTrace(const std::string& name, const std::string& actual)
{
    const std::filesystem::path path =
        std::filesystem::path(TW_SOURCE_DIR) / "tests/platform/win32/user/traces" / (name + ".txt");
    if (const char* update = std::getenv("TW_UPDATE_TRACES"); update && *update == '1') {
        std::ofstream(path) << actual;
        return;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in.good()) << "missing expected trace " << path << "; actual:\n" << actual;
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(expected.str(), actual) << "trace " << name << " differs";
}

}  // namespace tw::user::test
