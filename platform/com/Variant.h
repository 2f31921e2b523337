// VARIANT lifetime and conversion. Conversions answer as the platform does in
// en-US whatever the locale: numbers round half to even, text parses with
// "," thousands and "." decimals, dates show as "M/d/yyyy h:mm:ss AM".
// Failures: DISP_E_TYPEMISMATCH (no such conversion, VT_NULL, text that is no
// number), DISP_E_OVERFLOW (out of the target's range), DISP_E_BADVARTYPE.
// On failure the destination is left as it was.
#pragma once

#include "platform/com/OleTypes.h"

// VariantChangeType(Ex) flags.
#define VARIANT_NOVALUEPROP 0x01
#define VARIANT_ALPHABOOL 0x02
#define VARIANT_NOUSEROVERRIDE 0x04
#define VARIANT_CALENDAR_HIJRI 0x08
#define VARIANT_LOCALBOOL 0x10

void VariantInit(VARIANTARG* pvarg);
HRESULT VariantClear(VARIANTARG* pvarg);
HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc);
HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc);
// Source and destination may be the same variant. VT_BOOL becomes "True" or
// "False" with VARIANT_ALPHABOOL (or VARIANT_LOCALBOOL), "-1" or "0" without.
// An object converts through its value property unless VARIANT_NOVALUEPROP.
HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt);
HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID lcid, USHORT wFlags,
                            VARTYPE vt);
