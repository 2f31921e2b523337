#include "platform/win32/user/KeyboardLayout.h"

#include <cctype>
#include <cstring>


namespace tw::user {

namespace keyboard_layout_detail {

struct KeyRow {
    UINT vk;
    UINT scan;
    bool extended;
};

// Navigation keys come before their numeric-pad twins so that a scan code
// maps back to the navigation key, as the platform does with Num Lock off.
const KeyRow kKeys[] = {
    {VK_ESCAPE, 0x01, false}, {'1', 0x02, false}, {'2', 0x03, false}, {'3', 0x04, false}, {'4', 0x05, false},
    {'5', 0x06, false}, {'6', 0x07, false}, {'7', 0x08, false}, {'8', 0x09, false}, {'9', 0x0A, false},
    {'0', 0x0B, false}, {VK_OEM_MINUS, 0x0C, false}, {VK_OEM_PLUS, 0x0D, false}, {VK_BACK, 0x0E, false},
    {VK_TAB, 0x0F, false}, {'Q', 0x10, false}, {'W', 0x11, false}, {'E', 0x12, false}, {'R', 0x13, false},
    {'T', 0x14, false}, {'Y', 0x15, false}, {'U', 0x16, false}, {'I', 0x17, false}, {'O', 0x18, false},
    {'P', 0x19, false}, {VK_OEM_4, 0x1A, false}, {VK_OEM_6, 0x1B, false}, {VK_RETURN, 0x1C, false},
    {VK_CONTROL, 0x1D, false}, {VK_LCONTROL, 0x1D, false}, {VK_RCONTROL, 0x1D, true}, {'A', 0x1E, false},
    {'S', 0x1F, false}, {'D', 0x20, false}, {'F', 0x21, false}, {'G', 0x22, false}, {'H', 0x23, false},
    {'J', 0x24, false}, {'K', 0x25, false}, {'L', 0x26, false}, {VK_OEM_1, 0x27, false}, {VK_OEM_7, 0x28, false},
    {VK_OEM_3, 0x29, false}, {VK_SHIFT, 0x2A, false}, {VK_LSHIFT, 0x2A, false}, {VK_OEM_5, 0x2B, false},
    {'Z', 0x2C, false}, {'X', 0x2D, false}, {'C', 0x2E, false}, {'V', 0x2F, false}, {'B', 0x30, false},
    {'N', 0x31, false}, {'M', 0x32, false}, {VK_OEM_COMMA, 0x33, false}, {VK_OEM_PERIOD, 0x34, false},
    {VK_OEM_2, 0x35, false}, {VK_RSHIFT, 0x36, false}, {VK_MULTIPLY, 0x37, false}, {VK_MENU, 0x38, false},
    {VK_LMENU, 0x38, false}, {VK_RMENU, 0x38, true}, {VK_SPACE, 0x39, false}, {VK_CAPITAL, 0x3A, false},
    {VK_F1, 0x3B, false}, {VK_F2, 0x3C, false}, {VK_F3, 0x3D, false}, {VK_F4, 0x3E, false}, {VK_F5, 0x3F, false},
    {VK_F6, 0x40, false}, {VK_F7, 0x41, false}, {VK_F8, 0x42, false}, {VK_F9, 0x43, false}, {VK_F10, 0x44, false},
    {VK_NUMLOCK, 0x45, true}, {VK_PAUSE, 0x45, false}, {VK_SCROLL, 0x46, false}, {VK_HOME, 0x47, true},
    {VK_UP, 0x48, true}, {VK_PRIOR, 0x49, true}, {VK_SUBTRACT, 0x4A, false}, {VK_LEFT, 0x4B, true},
    {VK_CLEAR, 0x4C, false}, {VK_RIGHT, 0x4D, true}, {VK_ADD, 0x4E, false}, {VK_END, 0x4F, true},
    {VK_DOWN, 0x50, true}, {VK_NEXT, 0x51, true}, {VK_INSERT, 0x52, true}, {VK_DELETE, 0x53, true},
    {VK_NUMPAD7, 0x47, false}, {VK_NUMPAD8, 0x48, false}, {VK_NUMPAD9, 0x49, false}, {VK_NUMPAD4, 0x4B, false},
    {VK_NUMPAD5, 0x4C, false}, {VK_NUMPAD6, 0x4D, false}, {VK_NUMPAD1, 0x4F, false}, {VK_NUMPAD2, 0x50, false},
    {VK_NUMPAD3, 0x51, false}, {VK_NUMPAD0, 0x52, false}, {VK_DECIMAL, 0x53, false}, {VK_SNAPSHOT, 0x37, true},
    {VK_DIVIDE, 0x35, true}, {VK_F11, 0x57, false}, {VK_F12, 0x58, false}, {VK_LWIN, 0x5B, true},
    {VK_RWIN, 0x5C, true}, {VK_APPS, 0x5D, true},
};

// Unshifted and shifted characters of the punctuation keys.
struct PunctRow {
    UINT vk;
    char plain;
    char shifted;
};
const PunctRow kPunct[] = {
    {VK_OEM_1, ';', ':'}, {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'}, {VK_OEM_3, '`', '~'}, {VK_OEM_4, '[', '{'},
    {VK_OEM_5, '\\', '|'}, {VK_OEM_6, ']', '}'}, {VK_OEM_7, '\'', '"'},
};
const char kShiftedDigits[] = ")!@#$%^&*(";

struct NameRow {
    UINT scan;
    bool extended;
    const char* name;
};
const NameRow kNames[] = {
    {0x01, false, "Esc"}, {0x0E, false, "Backspace"}, {0x0F, false, "Tab"}, {0x1C, false, "Enter"},
    {0x1D, false, "Ctrl"}, {0x2A, false, "Shift"}, {0x36, false, "Right Shift"}, {0x37, false, "Num *"},
    {0x38, false, "Alt"}, {0x39, false, "Space"}, {0x3A, false, "Caps Lock"}, {0x3B, false, "F1"},
    {0x3C, false, "F2"}, {0x3D, false, "F3"}, {0x3E, false, "F4"}, {0x3F, false, "F5"}, {0x40, false, "F6"},
    {0x41, false, "F7"}, {0x42, false, "F8"}, {0x43, false, "F9"}, {0x44, false, "F10"}, {0x45, false, "Pause"},
    {0x46, false, "Scroll Lock"}, {0x47, false, "Num 7"}, {0x48, false, "Num 8"}, {0x49, false, "Num 9"},
    {0x4A, false, "Num -"}, {0x4B, false, "Num 4"}, {0x4C, false, "Num 5"}, {0x4D, false, "Num 6"},
    {0x4E, false, "Num +"}, {0x4F, false, "Num 1"}, {0x50, false, "Num 2"}, {0x51, false, "Num 3"},
    {0x52, false, "Num 0"}, {0x53, false, "Num Del"}, {0x54, false, "Sys Req"}, {0x57, false, "F11"},
    {0x58, false, "F12"}, {0x1C, true, "Num Enter"}, {0x1D, true, "Right Ctrl"}, {0x35, true, "Num /"},
    {0x37, true, "Prnt Scrn"}, {0x38, true, "Right Alt"}, {0x45, true, "Num Lock"}, {0x46, true, "Break"},
    {0x47, true, "Home"}, {0x48, true, "Up"}, {0x49, true, "Page Up"}, {0x4B, true, "Left"}, {0x4D, true, "Right"},
    {0x4F, true, "End"}, {0x50, true, "Down"}, {0x51, true, "Page Down"}, {0x52, true, "Insert"},
    {0x53, true, "Delete"}, {0x5B, true, "Left Windows"}, {0x5C, true, "Right Windows"}, {0x5D, true, "Application"},
};

const KeyRow* FindVk(UINT vk)
{
    for (const KeyRow& row : kKeys) {
        if (row.vk == vk)
            return &row;
    }
    return nullptr;
}

}  // namespace keyboard_layout_detail

UINT KeyboardLayout::ScanCodeOf(UINT vk)
{
    const auto* row = keyboard_layout_detail::FindVk(vk);
    return row ? row->scan : 0;
}

bool KeyboardLayout::IsExtendedVk(UINT vk)
{
    const auto* row = keyboard_layout_detail::FindVk(vk);
    return row && row->extended;
}

UINT KeyboardLayout::VkOfScanCode(UINT scanCode)
{
    for (const auto& row : keyboard_layout_detail::kKeys) {
        if (row.scan == (scanCode & 0xFF))
            return row.vk == VK_CONTROL || row.vk == VK_MENU ? row.vk : (row.vk == VK_SHIFT ? VK_LSHIFT : row.vk);
    }
    return 0;
}

UINT KeyboardLayout::UnshiftedCharOf(UINT vk)
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return vk;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return '0' + (vk - VK_NUMPAD0);
    for (const auto& row : keyboard_layout_detail::kPunct) {
        if (row.vk == vk)
            return static_cast<UINT>(row.plain);
    }
    switch (vk) {
    case VK_BACK:
        return 8;
    case VK_TAB:
        return 9;
    case VK_RETURN:
        return 13;
    case VK_ESCAPE:
        return 27;
    case VK_SPACE:
        return ' ';
    case VK_MULTIPLY:
        return '*';
    case VK_ADD:
        return '+';
    case VK_SUBTRACT:
        return '-';
    case VK_DECIMAL:
        return '.';
    case VK_DIVIDE:
        return '/';
    default:
        return 0;
    }
}

int KeyboardLayout::CharOf(UINT vk, const BYTE* keyState)
{
    const bool shift = keyState[VK_SHIFT] & 0x80;
    const bool ctrl = keyState[VK_CONTROL] & 0x80;
    const bool alt = keyState[VK_MENU] & 0x80;
    const bool caps = keyState[VK_CAPITAL] & 1;
    if (ctrl && alt)
        return 0;  // no AltGr characters on the US layout
    if (ctrl) {
        if (vk >= 'A' && vk <= 'Z')
            return static_cast<int>(vk - 'A' + 1);
        switch (vk) {
        case VK_OEM_4:
            return 27;
        case VK_OEM_5:
            return 28;
        case VK_OEM_6:
            return 29;
        case VK_BACK:
            return 127;
        case VK_RETURN:
            return 10;
        case VK_SPACE:
            return ' ';
        case VK_ESCAPE:
            return 27;
        default:
            return 0;
        }
    }
    if (vk >= 'A' && vk <= 'Z')
        return (shift != caps) ? static_cast<int>(vk) : static_cast<int>(vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9')
        return shift ? keyboard_layout_detail::kShiftedDigits[vk - '0'] : static_cast<int>(vk);
    for (const auto& row : keyboard_layout_detail::kPunct) {
        if (row.vk == vk)
            return shift ? row.shifted : row.plain;
    }
    return static_cast<int>(UnshiftedCharOf(vk));
}

std::string KeyboardLayout::NameOf(UINT scanCode, bool extended, bool ignoreSide)
{
    scanCode &= 0xFF;
    if (ignoreSide) {
        if (scanCode == 0x36)
            scanCode = 0x2A;
        if ((scanCode == 0x1D || scanCode == 0x38) && extended)
            extended = false;
    }
    for (const auto& row : keyboard_layout_detail::kNames) {
        if (row.scan == scanCode && row.extended == extended)
            return row.name;
    }
    const UINT vk = VkOfScanCode(scanCode);
    const UINT ch = UnshiftedCharOf(vk);
    if (ch > ' ' && ch < 0x7F)
        return std::string(1, static_cast<char>(std::toupper(static_cast<int>(ch))));
    return {};
}

SHORT KeyboardLayout::VkOfChar(char ch)
{
    if (ch >= 'a' && ch <= 'z')
        return static_cast<SHORT>(ch - 'a' + 'A');
    if (ch >= 'A' && ch <= 'Z')
        return static_cast<SHORT>(0x100 | ch);
    if (ch >= '0' && ch <= '9')
        return ch;
    for (int digit = 0; digit < 10; ++digit) {
        if (keyboard_layout_detail::kShiftedDigits[digit] == ch)
            return static_cast<SHORT>(0x100 | ('0' + digit));
    }
    for (const auto& row : keyboard_layout_detail::kPunct) {
        if (row.plain == ch)
            return static_cast<SHORT>(row.vk);
        if (row.shifted == ch)
            return static_cast<SHORT>(0x100 | row.vk);
    }
    switch (ch) {
    case ' ':
        return VK_SPACE;
    case '\t':
        return VK_TAB;
    case '\r':
        return VK_RETURN;
    case '\b':
        return VK_BACK;
    case 27:
        return VK_ESCAPE;
    default:
        return -1;
    }
}

}  // namespace tw::user

using tw::user::KeyboardLayout;

UINT MapVirtualKey(UINT uCode, UINT uMapType)
{
    return MapVirtualKeyEx(uCode, uMapType, HKL_US);
}

UINT MapVirtualKeyEx(UINT uCode, UINT uMapType, HKL)
{
    switch (uMapType) {
    case MAPVK_VK_TO_VSC:
        return KeyboardLayout::ScanCodeOf(uCode);
    case MAPVK_VSC_TO_VK: {
        const UINT vk = KeyboardLayout::VkOfScanCode(uCode);
        if (vk == VK_LSHIFT || vk == VK_RSHIFT)
            return VK_SHIFT;
        return vk;
    }
    case MAPVK_VSC_TO_VK_EX:
        if ((uCode & 0xFF) == 0x36)
            return VK_RSHIFT;
        return KeyboardLayout::VkOfScanCode(uCode);
    case MAPVK_VK_TO_CHAR:
        return KeyboardLayout::UnshiftedCharOf(uCode);
    default:
        return 0;
    }
}

int GetKeyNameText(LONG lParam, LPSTR lpString, int cchSize)
{
    if (!lpString || cchSize <= 0)
        return 0;
    const UINT scan = (static_cast<DWORD>(lParam) >> 16) & 0xFF;
    const bool extended = (lParam >> 24) & 1;
    const bool ignoreSide = (lParam >> 25) & 1;
    const std::string name = KeyboardLayout::NameOf(scan, extended, ignoreSide);
    const size_t n = std::min(name.size(), static_cast<size_t>(cchSize - 1));
    std::memcpy(lpString, name.data(), n);
    lpString[n] = '\0';
    return static_cast<int>(n);
}

int ToAscii(UINT uVirtKey, UINT uScanCode, const BYTE* lpKeyState, LPWORD lpChar, UINT uFlags)
{
    return ToAsciiEx(uVirtKey, uScanCode, lpKeyState, lpChar, uFlags, HKL_US);
}

// No menu is ever active here, so the flag for it changes nothing.
int ToAsciiEx(UINT uVirtKey, UINT uScanCode, const BYTE* lpKeyState, LPWORD lpChar, UINT, HKL)
{
    if (!lpKeyState || !lpChar)
        return 0;
    if (uScanCode & 0x8000)
        return 0;  // a key release gives no character
    const int ch = KeyboardLayout::CharOf(uVirtKey & 0xFF, lpKeyState);
    if (ch <= 0)
        return 0;
    *lpChar = static_cast<WORD>(ch);
    return 1;
}

HKL GetKeyboardLayout(DWORD)
{
    return HKL_US;
}

SHORT VkKeyScan(CHAR ch)
{
    return KeyboardLayout::VkOfChar(ch);
}

BOOL TranslateMessage(const MSG* lpMsg)
{
    if (!lpMsg)
        return FALSE;
    const UINT message = lpMsg->message;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN)
        return (message == WM_KEYUP || message == WM_SYSKEYUP) ? TRUE : FALSE;
    BYTE state[256];
    GetKeyboardState(state);
    WORD ch = 0;
    const UINT scan = (static_cast<DWORD>(lpMsg->lParam) >> 16) & 0xFF;
    if (ToAscii(static_cast<UINT>(lpMsg->wParam), scan, state, &ch, 0) == 1)
        PostMessage(lpMsg->hwnd, message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, ch, lpMsg->lParam);
    return TRUE;
}
