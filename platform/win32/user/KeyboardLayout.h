// The US keyboard layout: virtual keys, scan codes, characters and key
// names. The only layout the stand-in has, so stored shortcuts and the
// characters typed are the same on every machine.
#pragma once

#include <string>

#include "platform/win32/user/winuser.h"

namespace tw::user {

class KeyboardLayout {
public:
    static UINT ScanCodeOf(UINT vk);
    static bool IsExtendedVk(UINT vk);
    static UINT VkOfScanCode(UINT scanCode);
    // The character a key gives with the given state (0 for none).
    static int CharOf(UINT vk, const BYTE* keyState);
    static UINT UnshiftedCharOf(UINT vk);
    static std::string NameOf(UINT scanCode, bool extended, bool ignoreSide);
    static SHORT VkOfChar(char ch);
};

}  // namespace tw::user

#define HKL_US ((HKL)(ULONG_PTR)0x04090409)
