// Calling an automation object by dispatch id: COleDispatchDriver wraps an
// IDispatch, and InvokeHelper takes the arguments as a VTS_ string and a
// variable argument list, the way the framework's wrapper classes call it.
// Failures are thrown: COleDispatchException when the object raised an
// error, COleException for any other failed call.
//
// Arguments by VTS_ code: VTS_I2 short, VTS_I4 LONG, VTS_R4 float, VTS_R8 and
// VTS_DATE double, VTS_CY CY, VTS_BSTR LPCTSTR, VTS_WBSTR LPCOLESTR,
// VTS_DISPATCH LPDISPATCH, VTS_SCODE SCODE, VTS_BOOL BOOL, VTS_VARIANT
// const VARIANT*, VTS_UNKNOWN LPUNKNOWN, VTS_UI1 BYTE; the VTS_P forms take a
// pointer to the same type (VTS_PBOOL a BOOL*, VTS_PBSTR a BSTR*, VTS_PVARIANT a
// VARIANT*), written back by the call.
// Results by VARTYPE: VT_EMPTY none, VT_I2 short*, VT_I4 LONG*, VT_R4 float*,
// VT_R8 and VT_DATE double*, VT_CY CY*, VT_BSTR CString*, VT_DISPATCH and
// VT_UNKNOWN an owned pointer, VT_ERROR SCODE*, VT_BOOL BOOL*, VT_VARIANT
// VARIANT*, VT_UI1 BYTE*.
#pragma once

#include <cstdarg>

#include "platform/com/ComSupport.h"
#include "platform/mfc/COleException.h"

// By-reference arguments in VTS_ strings.
#define VT_MFCBYREF 0x40
// An LPCTSTR argument passed as a BSTR.
#define VT_BSTRA 14

#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_CY "\x06"
#define VTS_DATE "\x07"
#define VTS_WBSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_SCODE "\x0A"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UNKNOWN "\x0D"
#define VTS_BSTR "\x0E"
#define VTS_UI1 "\x11"
#define VTS_PI2 "\x42"
#define VTS_PI4 "\x43"
#define VTS_PR4 "\x44"
#define VTS_PR8 "\x45"
#define VTS_PCY "\x46"
#define VTS_PDATE "\x47"
#define VTS_PBSTR "\x48"
#define VTS_PDISPATCH "\x49"
#define VTS_PSCODE "\x4A"
#define VTS_PBOOL "\x4B"
#define VTS_PVARIANT "\x4C"
#define VTS_PUNKNOWN "\x4D"
#define VTS_PUI1 "\x51"

namespace tw::mfc {

// The body of every InvokeHelper: calls the member and stores the result.
void InvokeHelperV(IDispatch* pDispatch, DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                   const BYTE* pbParamInfo, va_list argList);
// SetProperty's body: a put (a put by reference for an interface) of one value.
void SetPropertyV(IDispatch* pDispatch, DISPID dwDispID, VARTYPE vtProp, va_list argList);

}  // namespace tw::mfc

class COleDispatchDriver {
public:
    COleDispatchDriver() = default;
    explicit COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    // Shares the object: both drivers hold a reference.
    COleDispatchDriver(const COleDispatchDriver& dispatchSrc);
    ~COleDispatchDriver();

    const COleDispatchDriver& operator=(const COleDispatchDriver& dispatchSrc);
    operator LPDISPATCH() { return m_lpDispatch; }

    // FALSE (with the reason in pError) when the class is not registered or
    // the object answers no IDispatch.
    BOOL CreateDispatch(REFCLSID clsid, COleException* pError = nullptr);
    // By ProgID or braced CLSID.
    BOOL CreateDispatch(LPCTSTR lpszProgID, COleException* pError = nullptr);
    void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    LPDISPATCH DetachDispatch();
    void ReleaseDispatch();

    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
    void SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);
    void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;

    LPDISPATCH m_lpDispatch = nullptr;
    BOOL m_bAutoRelease = TRUE;
};
