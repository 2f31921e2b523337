// UTF-8 <-> UTF-16 conversion for BSTRs and wide-character calls. Malformed
// input never fails: a bad sequence or a lone surrogate becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

#include "platform/win32/windef.h"

namespace tw::com {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Length of a NUL-terminated UTF-16 string; 0 for NULL.
size_t Utf16Length(const WCHAR* text);

} // namespace tw::com
