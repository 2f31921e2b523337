// The Var*From* conversions between single automation values, with the same
// en-US answers and failures as VariantChangeType. Text input is a plain
// NUL-terminated wide string; text output is a new BSTR the caller frees.
#pragma once

#include "platform/com/OleTypes.h"
#include "platform/com/VariantDate.h"

// From text.
HRESULT VarUI1FromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, BYTE* pbOut);
HRESULT VarI2FromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, SHORT* psOut);
HRESULT VarI4FromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, LONG* plOut);
HRESULT VarI8FromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, LONGLONG* pi64Out);
HRESULT VarR4FromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, FLOAT* pfltOut);
HRESULT VarR8FromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, DOUBLE* pdblOut);
HRESULT VarCyFromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, CY* pcyOut);
HRESULT VarDecFromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, DECIMAL* pdecOut);
HRESULT VarDateFromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, DATE* pdateOut);
HRESULT VarBoolFromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, VARIANT_BOOL* pboolOut);

// To text. VarBstrFromBool gives "True"/"False"; VarBstrFromDate takes the
// VAR_TIMEVALUEONLY and VAR_DATEVALUEONLY flags.
HRESULT VarBstrFromUI1(BYTE bVal, LCID lcid, ULONG dwFlags, BSTR* pbstrOut);
HRESULT VarBstrFromI2(SHORT iVal, LCID lcid, ULONG dwFlags, BSTR* pbstrOut);
HRESULT VarBstrFromI4(LONG lIn, LCID lcid, ULONG dwFlags, BSTR* pbstrOut);
HRESULT VarBstrFromI8(LONGLONG i64In, LCID lcid, ULONG dwFlags, BSTR* pbstrOut);
HRESULT VarBstrFromR4(FLOAT fltIn, LCID lcid, ULONG dwFlags, BSTR* pbstrOut);
HRESULT VarBstrFromR8(DOUBLE dblIn, LCID lcid, ULONG dwFlags, BSTR* pbstrOut);
HRESULT VarBstrFromCy(CY cyIn, LCID lcid, ULONG dwFlags, BSTR* pbstrOut);
HRESULT VarBstrFromDec(const DECIMAL* pdecIn, LCID lcid, ULONG dwFlags, BSTR* pbstrOut);
HRESULT VarBstrFromDate(DATE dateIn, LCID lcid, ULONG dwFlags, BSTR* pbstrOut);
HRESULT VarBstrFromBool(VARIANT_BOOL boolIn, LCID lcid, ULONG dwFlags, BSTR* pbstrOut);

// Between numbers.
HRESULT VarI4FromR8(DOUBLE dblIn, LONG* plOut);
HRESULT VarI4FromCy(CY cyIn, LONG* plOut);
HRESULT VarI4FromDec(const DECIMAL* pdecIn, LONG* plOut);
HRESULT VarR8FromCy(CY cyIn, DOUBLE* pdblOut);
HRESULT VarR8FromDec(const DECIMAL* pdecIn, DOUBLE* pdblOut);
HRESULT VarCyFromR8(DOUBLE dblIn, CY* pcyOut);
HRESULT VarCyFromI4(LONG lIn, CY* pcyOut);
HRESULT VarCyFromDec(const DECIMAL* pdecIn, CY* pcyOut);
HRESULT VarDecFromR8(DOUBLE dblIn, DECIMAL* pdecOut);
HRESULT VarDecFromI4(LONG lIn, DECIMAL* pdecOut);
HRESULT VarDecFromCy(CY cyIn, DECIMAL* pdecOut);
HRESULT VarDateFromR8(DOUBLE dblIn, DATE* pdateOut);
