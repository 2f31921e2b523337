// The platform's English texts for the error codes and HRESULTs the program
// can meet, through FormatMessage. Each system text ends in "\r\n". An unknown
// code fails (0, ERROR_MR_MID_NOT_FOUND), so callers fall back to their own
// "unknown error" form.
#pragma once

#include <cstdarg>

#include "platform/win32/kernel/KernelObjects.h"

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_STRING 0x00000400
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000
#define FORMAT_MESSAGE_MAX_WIDTH_MASK 0x000000FF

#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_ENGLISH_US 0x01
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))

// With FORMAT_MESSAGE_ALLOCATE_BUFFER, lpBuffer is really an LPSTR* that
// receives a block to release with LocalFree. Inserts in a FROM_STRING
// message are %1..%99 (as strings, or with a printf form as %1!d!), %% and
// %n (line break); arguments come from va_list* or, with ARGUMENT_ARRAY, an
// array of DWORD_PTR.
DWORD FormatMessage(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId, LPSTR lpBuffer,
                    DWORD nSize, va_list* Arguments);

namespace tw {
// The system text for a code (with its "\r\n"), or null when it has none.
const char* SystemMessageText(DWORD code);
}  // namespace tw
