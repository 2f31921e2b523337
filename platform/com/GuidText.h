// GUIDs as text: "{6A24B340-7634-11D3-A5B0-0050044A7E1A}", upper-case hex.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/OleTypes.h"

// Characters written with the NUL (39), or 0 when cchMax is too small.
int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);
// A CoTaskMemAlloc'd string the caller frees with CoTaskMemFree.
HRESULT StringFromCLSID(REFCLSID rclsid, LPOLESTR* lplpsz);
HRESULT StringFromIID(REFIID rclsid, LPOLESTR* lplpsz);
// E_INVALIDARG for text that is no braced GUID.
HRESULT IIDFromString(LPCOLESTR lpsz, LPIID lpiid);

namespace tw::com {

std::string GuidToString(REFGUID guid);
bool GuidFromString(std::string_view text, GUID& out);

} // namespace tw::com
