// The hive's text form, in the style of a ".reg" export:
//
//   Tarnwick Registry 1
//
//   [HKEY_CURRENT_USER\Software\Corvane]
//   @="the default value"
//   "Name"="text with \" \\ \n escapes"
//   "Count"=dword:0000002a
//   "Big"=qword:0000000100000000
//   "Path"=str(2):"%TEMP%\\x"
//   "Bytes"=hex:0a,ff
//   "List"=hex(7):61,00,00
//
// Every key has its own section, also when it holds nothing, parents before
// children, sub-keys in their enumeration order. A saved sub-tree names its
// top key "[]" and the others relative to it.
#pragma once

#include <string>
#include <string_view>

#include "platform/win32/registry/RegistryKey.h"

namespace tw::reg {

// The text of everything below top (and top's own values as "[]" when
// withTop). Volatile keys are left out.
std::string WriteRegistryText(const RegKey& top, bool withTop);

// Reads text into top, merging with what is there. Returns the number of
// lines that could not be read (they are skipped); -1 when the text does not
// start with the header line. Empty text is an empty hive.
int ReadRegistryText(std::string_view text, RegKey& top);

}  // namespace tw::reg
