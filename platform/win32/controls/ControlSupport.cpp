#include "platform/win32/controls/ControlSupport.h"

#include <vector>

#include "platform/win32/kernel/Locale.h"

namespace tw::controls {

DWORD StyleOf(HWND hwnd)
{
    return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
}

int ControlId(HWND hwnd)
{
    return GetDlgCtrlID(hwnd);
}

void NotifyParent(HWND hwnd, int code)
{
    HWND parent = GetParent(hwnd);
    if (!parent)
        return;
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(ControlId(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

HBRUSH ControlBrush(HWND hwnd, HDC hdc, UINT ctlColorMessage, HWND owner)
{
    HWND parent = owner ? owner : GetParent(hwnd);
    LRESULT brush = 0;
    if (parent)
        brush = SendMessage(parent, ctlColorMessage, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hwnd));
    if (!brush)
        brush = DefWindowProc(hwnd, ctlColorMessage, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hwnd));
    return reinterpret_cast<HBRUSH>(brush);
}

HFONT FontOrSystem(HFONT font)
{
    return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

int FontHeight(HFONT font)
{
    HDC hdc = GetDC(nullptr);
    TEXTMETRIC tm{};
    {
        FontScope scope(hdc, font);
        GetTextMetrics(hdc, &tm);
    }
    ReleaseDC(nullptr, hdc);
    return tm.tmHeight > 0 ? tm.tmHeight : 16;
}

int FontAverageWidth(HFONT font)
{
    HDC hdc = GetDC(nullptr);
    TEXTMETRIC tm{};
    {
        FontScope scope(hdc, font);
        GetTextMetrics(hdc, &tm);
    }
    ReleaseDC(nullptr, hdc);
    return tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 6;
}

std::string WindowTextOf(HWND hwnd)
{
    const int length = GetWindowTextLength(hwnd);
    if (length <= 0)
        return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const int got = GetWindowText(hwnd, buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
}

namespace {
bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
}  // namespace

size_t NextCharOffset(const std::string& text, size_t offset)
{
    if (offset >= text.size())
        return text.size();
    ++offset;
    while (offset < text.size() && IsContinuationByte(text[offset]))
        ++offset;
    return offset;
}

size_t PrevCharOffset(const std::string& text, size_t offset)
{
    if (offset == 0)
        return 0;
    offset = std::min(offset, text.size()) - 1;
    while (offset > 0 && IsContinuationByte(text[offset]))
        --offset;
    return offset;
}

size_t SnapToCharStart(const std::string& text, size_t offset)
{
    if (offset >= text.size())
        return text.size();
    while (offset > 0 && IsContinuationByte(text[offset]))
        --offset;
    return offset;
}

std::string EncodeUtf8(unsigned cp)
{
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x110000) {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

int CompareNoCase(const std::string& a, const std::string& b)
{
    const int result = CompareString(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                                     b.c_str(), static_cast<int>(b.size()));
    return result - CSTR_EQUAL;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (prefix.size() > text.size())
        return false;
    return CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

bool ClientContains(HWND hwnd, POINT pt)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    return PtInRect(&client, pt) != FALSE;
}

POINT PointFromLParam(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

bool IsKeyDown(int vk)
{
    return GetKeyState(vk) < 0;
}

}  // namespace tw::controls
