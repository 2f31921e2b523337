#include "platform/controls/browser/BrowserView.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/shell/shellapi.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/kernel/Files.h"
#include "platform/win32/user/ObjectWindow.h"

namespace tw::browser {

namespace browserview_detail {

constexpr int kLineStep = 20;

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = char(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string PercentDecoded(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            out += char(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string HtmlEscaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string LowerScheme(const std::string& address)
{
    const size_t colon = address.find(':');
    if (colon == std::string::npos)
        return {};
    std::string scheme = address.substr(0, colon);
    if (scheme.empty() || !std::all_of(scheme.begin(), scheme.end(), [](unsigned char c) {
            return std::isalnum(c) || c == '+' || c == '-' || c == '.';
        }))
        return {};
    std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return scheme;
}

// Splits "path#fragment" and turns a "file:" address into a path.
void SplitAddress(const std::string& address, std::string& path, std::string& fragment)
{
    std::string text = address;
    const size_t hash = text.find('#');
    fragment = hash == std::string::npos ? std::string() : text.substr(hash + 1);
    if (hash != std::string::npos)
        text.erase(hash);
    if (LowerScheme(text) == "file") {
        text.erase(0, 5);
        if (text.rfind("//", 0) == 0)
            text.erase(0, 2);  // "file:///x" and "file://x" both name a local path
        if (!text.empty() && text[0] != '/')
            text.insert(text.begin(), '/');
        text = PercentDecoded(text);
    }
    path = text;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace browserview_detail

using browserview_detail::FolderOf;
using browserview_detail::HtmlEscaped;
using browserview_detail::kLineStep;
using browserview_detail::LowerScheme;
using browserview_detail::PercentDecoded;
using browserview_detail::SplitAddress;

bool IsExternalAddress(const std::string& address)
{
    const std::string scheme = LowerScheme(address);
    return scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "mailto";
}

void BrowserView::RegisterWindowClass()
{
    static const bool registered = [] {
        WNDCLASS wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = Proc;
        wc.lpszClassName = kClassName;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        return RegisterClass(&wc) != 0;
    }();
    (void)registered;
}

BrowserView* BrowserView::FromHandle(HWND hwnd)
{
    return tw::WindowObject<BrowserView>(kObjectProp, hwnd);
}

BrowserView::BrowserView(HWND hwnd) : hwnd_(hwnd) {}

LRESULT CALLBACK BrowserView::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return tw::ObjectWindowProc<BrowserView>(kObjectProp, hwnd, message, wParam, lParam);
}

LRESULT BrowserView::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // painting covers the whole client
    case WM_SIZE:
        Relayout();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(scrollY_ - short(HIWORD(wParam)) / WHEEL_DELTA * 3 * kLineStep);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd_);
        return 0;
    case WM_LBUTTONUP: {
        const auto link = page_.Click(short(LOWORD(lParam)), short(HIWORD(lParam)) + scrollY_);
        if (link)
            FollowLink(*link);
        return 0;
    }
    case WM_MOUSEMOVE: {
        if (!trackingLeave_) {
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd_, 0};
            trackingLeave_ = TrackMouseEvent(&track) != FALSE;
        }
        if (page_.MouseMove(short(LOWORD(lParam)), short(HIWORD(lParam)) + scrollY_))
            InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    }
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        if (page_.MouseLeave())
            InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursor(nullptr, page_.Cursor() == "pointer" ? IDC_HAND : IDC_ARROW));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return DefWindowProc(hwnd_, message, wParam, lParam);
}

void BrowserView::Navigate(const std::string& address)
{
    if (IsExternalAddress(address)) {
        ShellExecute(hwnd_, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    history_.Visit(address);
    Show(address);
}

bool BrowserView::GoBack()
{
    std::string address;
    if (!history_.GoBack(address))
        return false;
    Show(address);
    return true;
}

bool BrowserView::GoForward()
{
    std::string address;
    if (!history_.GoForward(address))
        return false;
    Show(address);
    return true;
}

void BrowserView::Show(const std::string& address)
{
    std::string path, fragment;
    SplitAddress(address, path, fragment);
    if (path.empty() || tw::MapPath(path.c_str()) == path_) {
        // A fragment of the page already shown: only scroll.
        if (path.empty() && path_.empty())
            ShowError(address);
        else if (const auto top = page_.AnchorTop(fragment))
            ScrollTo(*top);
        else
            ScrollTo(0);
        return;
    }
    ShowFile(path, fragment);
}

void BrowserView::ShowFile(const std::string& address, const std::string& fragment)
{
    // The platform's path forms ("C:\...\Tutorial\overview.htm") name files here too.
    const std::string path = tw::MapPath(address.c_str());
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ShowError(address);
        return;
    }
    std::ostringstream text;
    text << file.rdbuf();
    path_ = path;
    found_ = true;
    page_.Load(text.str(), path);
    scrollY_ = 0;
    Relayout();
    if (const auto top = page_.AnchorTop(fragment))
        ScrollTo(*top);
}

void BrowserView::ShowError(const std::string& path)
{
    path_.clear();
    found_ = false;
    page_.Load("<html><head><title>Page not found</title></head><body><h2>The page cannot be shown</h2>"
               "<p>The file <b>" + HtmlEscaped(path) + "</b> cannot be read. Check that it exists and that you "
               "may read it.</p></body></html>",
               std::string());
    scrollY_ = 0;
    Relayout();
}

void BrowserView::FollowLink(const std::string& href)
{
    if (href.empty())
        return;
    if (IsExternalAddress(href)) {
        ShellExecute(hwnd_, "open", href.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    if (!LowerScheme(href).empty() && LowerScheme(href) != "file")
        return;  // addresses of other kinds are neither shown nor launched
    if (href[0] == '#') {
        Navigate(path_ + href);
        return;
    }
    std::string path, fragment;
    SplitAddress(href, path, fragment);
    if (LowerScheme(href) != "file" && (path.empty() || path[0] != '/'))
        path = FolderOf(path_) + PercentDecoded(path);
    Navigate(fragment.empty() ? path : path + "#" + fragment);
}

int BrowserView::ClientHeight() const
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    return client.bottom - client.top;
}

void BrowserView::Relayout()
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    page_.Layout(client.right - client.left, client.bottom - client.top);
    ScrollTo(scrollY_);
    UpdateScrollBar();
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void BrowserView::ScrollTo(int top)
{
    const int limit = std::max(0, page_.Height() - ClientHeight());
    top = std::clamp(top, 0, limit);
    if (top == scrollY_)
        return;
    scrollY_ = top;
    UpdateScrollBar();
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void BrowserView::UpdateScrollBar()
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, page_.Height() - 1);
    info.nPage = UINT(std::max(0, ClientHeight()));
    info.nPos = scrollY_;
    SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
}

void BrowserView::OnKeyDown(WPARAM key)
{
    const int page = std::max(kLineStep, ClientHeight() - kLineStep);
    switch (key) {
    case VK_UP: ScrollTo(scrollY_ - kLineStep); break;
    case VK_DOWN: ScrollTo(scrollY_ + kLineStep); break;
    case VK_PRIOR: ScrollTo(scrollY_ - page); break;
    case VK_NEXT:
    case VK_SPACE: ScrollTo(scrollY_ + page); break;
    case VK_HOME: ScrollTo(0); break;
    case VK_END: ScrollTo(page_.Height()); break;
    case VK_BACK: GoBack(); break;
    default: break;
    }
}

void BrowserView::OnVScroll(int code)
{
    const int page = std::max(kLineStep, ClientHeight() - kLineStep);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    switch (code) {
    case SB_LINEUP: ScrollTo(scrollY_ - kLineStep); break;
    case SB_LINEDOWN: ScrollTo(scrollY_ + kLineStep); break;
    case SB_PAGEUP: ScrollTo(scrollY_ - page); break;
    case SB_PAGEDOWN: ScrollTo(scrollY_ + page); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(page_.Height()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        if (GetScrollInfo(hwnd_, SB_VERT, &info))
            ScrollTo(info.nTrackPos);
        break;
    default: break;
    }
}

void BrowserView::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width > 0 && height > 0) {
        pixels_.assign(size_t(width) * size_t(height), 0);
        page_.Paint(pixels_.data(), width, height, 0, scrollY_);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down rows, as drawn
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, 0, 0, DWORD(width), DWORD(height), 0, 0, 0, UINT(height), pixels_.data(), &info,
                          DIB_RGB_COLORS);
    }
    EndPaint(hwnd_, &ps);
}

}  // namespace tw::browser
