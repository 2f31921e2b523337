// Rich error information: the error object an interface leaves for its
// caller (source, description, help), kept per thread as the platform keeps
// it. GetErrorInfo hands the object over and clears the slot.
#pragma once

#include "platform/com/Unknown.h"

DEFINE_GUID(IID_IErrorInfo, 0x1CF2B120, 0x547D, 0x101B, 0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19);
DEFINE_GUID(IID_ICreateErrorInfo, 0x22F03340, 0x547D, 0x101B, 0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19);
DEFINE_GUID(IID_ISupportErrorInfo, 0xDF0B3D60, 0x548F, 0x101B, 0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19);

struct IErrorInfo : public IUnknown {
    virtual HRESULT GetGUID(GUID* pGUID) = 0;
    virtual HRESULT GetSource(BSTR* pBstrSource) = 0;
    virtual HRESULT GetDescription(BSTR* pBstrDescription) = 0;
    virtual HRESULT GetHelpFile(BSTR* pBstrHelpFile) = 0;
    virtual HRESULT GetHelpContext(DWORD* pdwHelpContext) = 0;

protected:
    ~IErrorInfo() = default;
};

struct ICreateErrorInfo : public IUnknown {
    virtual HRESULT SetGUID(REFGUID rguid) = 0;
    virtual HRESULT SetSource(LPOLESTR szSource) = 0;
    virtual HRESULT SetDescription(LPOLESTR szDescription) = 0;
    virtual HRESULT SetHelpFile(LPOLESTR szHelpFile) = 0;
    virtual HRESULT SetHelpContext(DWORD dwHelpContext) = 0;

protected:
    ~ICreateErrorInfo() = default;
};

struct ISupportErrorInfo : public IUnknown {
    virtual HRESULT InterfaceSupportsErrorInfo(REFIID riid) = 0;

protected:
    ~ISupportErrorInfo() = default;
};

TW_INTERFACE_ID(IErrorInfo, IID_IErrorInfo);
TW_INTERFACE_ID(ICreateErrorInfo, IID_ICreateErrorInfo);
TW_INTERFACE_ID(ISupportErrorInfo, IID_ISupportErrorInfo);

HRESULT CreateErrorInfo(ICreateErrorInfo** pperrinfo);
// dwReserved must be 0. SetErrorInfo(0, NULL) clears the thread's error.
HRESULT SetErrorInfo(ULONG dwReserved, IErrorInfo* perrinfo);
// S_FALSE with *pperrinfo = NULL when the thread has none.
HRESULT GetErrorInfo(ULONG dwReserved, IErrorInfo** pperrinfo);

namespace tw::com {

// Leaves an error object with this source and description (UTF-8) for the
// calling thread and answers hr, for `return ReportError(...)` in methods.
HRESULT ReportError(HRESULT hr, const char* source, const char* description, REFGUID iid = GUID_NULL);

} // namespace tw::com
