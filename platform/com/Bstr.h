// BSTR: a length-prefixed UTF-16 string. The 32-bit byte count sits just in
// front of the characters, which are followed by a NUL; NULL is the empty
// string. Embedded NULs are allowed, so length comes from the prefix.
#pragma once

#include <string>

#include "platform/com/OleTypes.h"

BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
BSTR SysAllocStringByteLen(LPCSTR bytes, UINT byteLength);
INT SysReAllocString(BSTR* target, const OLECHAR* text);
INT SysReAllocStringLen(BSTR* target, const OLECHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
UINT SysStringByteLen(BSTR text);

namespace tw {

// Conveniences for our own code: UTF-8 in and out.
BSTR SysAllocStringUtf8(const char* utf8);
std::string BstrToUtf8(BSTR text);

} // namespace tw
