// The platform C run time's printf forms where they differ from glibc's:
// three-digit exponents ("1.000000e+001"), "1.#INF" / "-1.#IND" / "1.#QNAN"
// for infinities and NaNs, "%I64d", "%ld" taking a 32-bit LONG, "%S" taking a
// UTF-16 string, "(null)" for a NULL "%s". Everything else reads as in C.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/win32/kernel/Utf8Text.h"
#include "platform/win32/windef.h"

namespace tw {

// Appends the formatted text to `out`; the one formatter behind every form below.
void AppendPrintf(std::string& out, const char* format, va_list args);
std::string FormatPrintf(const char* format, ...);

} // namespace tw

// C99 semantics: the result is always NUL-terminated (when size > 0) and the
// return value is the length the whole text needs.
int tw_vsnprintf(char* buffer, size_t size, const char* format, va_list args);
int tw_snprintf(char* buffer, size_t size, const char* format, ...);

// The platform's own names: -1 when the text and its terminating NUL do not
// fit (callers grow their buffer and try again), else the length written.
// Unlike the platform's, a truncated buffer is still NUL-terminated.
int _vsnprintf(char* buffer, size_t count, const char* format, va_list args);
int _snprintf(char* buffer, size_t count, const char* format, ...);
