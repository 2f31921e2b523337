// The display text of a VARIANT (provider properties, the database box) and a
// search for a piece of text that ignores case.
#pragma once

#include "platform/com/ComSupport.h"
#include "platform/mfc/CString.h"

// Never fails: a type it cannot format is named instead ("VT_DISPATCH",
// "Array of VT_UI1", "<Unknown>").
CString VariantToText(const VARIANT& value);

// The byte index of the first occurrence of `piece` at or after `start`,
// case ignored, or -1.
int FindNoCase(const CString& text, LPCTSTR piece, int start);
