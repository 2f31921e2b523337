// SDL scan codes (USB usage ids) to virtual keys and set-1 scan codes, for a
// US layout. Letters and digits use their own codes as virtual keys.
#include <SDL_scancode.h>

#include "platform/display/SdlBackend.h"

namespace tw::display {

namespace {

struct SdlKeyEntry {
    SDL_Scancode sdl;
    UINT vk;
    UINT scan;
    bool extended;
};

constexpr SdlKeyEntry kSdlKeys[] = {
    {SDL_SCANCODE_RETURN, 0x0D, 0x1C, false},    {SDL_SCANCODE_ESCAPE, 0x1B, 0x01, false},
    {SDL_SCANCODE_BACKSPACE, 0x08, 0x0E, false}, {SDL_SCANCODE_TAB, 0x09, 0x0F, false},
    {SDL_SCANCODE_SPACE, 0x20, 0x39, false},     {SDL_SCANCODE_MINUS, 0xBD, 0x0C, false},
    {SDL_SCANCODE_EQUALS, 0xBB, 0x0D, false},    {SDL_SCANCODE_LEFTBRACKET, 0xDB, 0x1A, false},
    {SDL_SCANCODE_RIGHTBRACKET, 0xDD, 0x1B, false}, {SDL_SCANCODE_BACKSLASH, 0xDC, 0x2B, false},
    {SDL_SCANCODE_SEMICOLON, 0xBA, 0x27, false}, {SDL_SCANCODE_APOSTROPHE, 0xDE, 0x28, false},
    {SDL_SCANCODE_GRAVE, 0xC0, 0x29, false},     {SDL_SCANCODE_COMMA, 0xBC, 0x33, false},
    {SDL_SCANCODE_PERIOD, 0xBE, 0x34, false},    {SDL_SCANCODE_SLASH, 0xBF, 0x35, false},
    {SDL_SCANCODE_CAPSLOCK, 0x14, 0x3A, false},  {SDL_SCANCODE_PRINTSCREEN, 0x2C, 0x37, true},
    {SDL_SCANCODE_SCROLLLOCK, 0x91, 0x46, false}, {SDL_SCANCODE_PAUSE, 0x13, 0x45, false},
    {SDL_SCANCODE_INSERT, 0x2D, 0x52, true},     {SDL_SCANCODE_HOME, 0x24, 0x47, true},
    {SDL_SCANCODE_PAGEUP, 0x21, 0x49, true},     {SDL_SCANCODE_DELETE, 0x2E, 0x53, true},
    {SDL_SCANCODE_END, 0x23, 0x4F, true},        {SDL_SCANCODE_PAGEDOWN, 0x22, 0x51, true},
    {SDL_SCANCODE_RIGHT, 0x27, 0x4D, true},      {SDL_SCANCODE_LEFT, 0x25, 0x4B, true},
    {SDL_SCANCODE_DOWN, 0x28, 0x50, true},       {SDL_SCANCODE_UP, 0x26, 0x48, true},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x90, 0x45, true}, {SDL_SCANCODE_KP_DIVIDE, 0x6F, 0x35, true},
    {SDL_SCANCODE_KP_MULTIPLY, 0x6A, 0x37, false}, {SDL_SCANCODE_KP_MINUS, 0x6D, 0x4A, false},
    {SDL_SCANCODE_KP_PLUS, 0x6B, 0x4E, false},   {SDL_SCANCODE_KP_ENTER, 0x0D, 0x1C, true},
    {SDL_SCANCODE_KP_1, 0x61, 0x4F, false},      {SDL_SCANCODE_KP_2, 0x62, 0x50, false},
    {SDL_SCANCODE_KP_3, 0x63, 0x51, false},      {SDL_SCANCODE_KP_4, 0x64, 0x4B, false},
    {SDL_SCANCODE_KP_5, 0x65, 0x4C, false},      {SDL_SCANCODE_KP_6, 0x66, 0x4D, false},
    {SDL_SCANCODE_KP_7, 0x67, 0x47, false},      {SDL_SCANCODE_KP_8, 0x68, 0x48, false},
    {SDL_SCANCODE_KP_9, 0x69, 0x49, false},      {SDL_SCANCODE_KP_0, 0x60, 0x52, false},
    {SDL_SCANCODE_KP_PERIOD, 0x6E, 0x53, false}, {SDL_SCANCODE_APPLICATION, 0x5D, 0x5D, true},
    {SDL_SCANCODE_LCTRL, 0x11, 0x1D, false},     {SDL_SCANCODE_LSHIFT, 0x10, 0x2A, false},
    {SDL_SCANCODE_LALT, 0x12, 0x38, false},      {SDL_SCANCODE_LGUI, 0x5B, 0x5B, true},
    {SDL_SCANCODE_RCTRL, 0x11, 0x1D, true},      {SDL_SCANCODE_RSHIFT, 0x10, 0x36, false},
    {SDL_SCANCODE_RALT, 0x12, 0x38, true},       {SDL_SCANCODE_RGUI, 0x5C, 0x5C, true},
};

// Set-1 scan codes of the letter keys in A..Z order.
constexpr UINT kSdlLetterScans[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
                                      0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

}  // namespace

bool TranslateSdlScancode(int sdlScancode, NativeKey& out)
{
    if (sdlScancode >= SDL_SCANCODE_A && sdlScancode <= SDL_SCANCODE_Z) {
        const int index = sdlScancode - SDL_SCANCODE_A;
        out = NativeKey{UINT('A' + index), kSdlLetterScans[index], false};
        return true;
    }
    if (sdlScancode >= SDL_SCANCODE_1 && sdlScancode <= SDL_SCANCODE_0) {
        const int index = sdlScancode - SDL_SCANCODE_1;  // 1..9 then 0
        out = NativeKey{UINT(index == 9 ? '0' : '1' + index), UINT(0x02 + index), false};
        return true;
    }
    if (sdlScancode >= SDL_SCANCODE_F1 && sdlScancode <= SDL_SCANCODE_F12) {
        const int index = sdlScancode - SDL_SCANCODE_F1;
        out = NativeKey{UINT(0x70 + index), UINT(index < 10 ? 0x3B + index : 0x57 + index - 10), false};
        return true;
    }
    for (const SdlKeyEntry& entry : kSdlKeys) {
        if (entry.sdl == sdlScancode) {
            out = NativeKey{entry.vk, entry.scan, entry.extended};
            return true;
        }
    }
    return false;
}

}  // namespace tw::display
