#include "platform/com/ErrorInfo.h"

#include <string>

#include "platform/com/Bstr.h"

namespace {

BSTR CopyText(const std::u16string& text)
{
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

std::u16string TextOf(LPOLESTR text)
{
    return text ? std::u16string(text) : std::u16string();
}

class ErrorObject : public tw::ComObject<IErrorInfo, ICreateErrorInfo> {
public:
    HRESULT GetGUID(GUID* pGUID) override
    {
        if (!pGUID)
            return E_INVALIDARG;
        *pGUID = m_guid;
        return S_OK;
    }
    HRESULT GetSource(BSTR* out) override { return Give(m_source, out); }
    HRESULT GetDescription(BSTR* out) override { return Give(m_description, out); }
    HRESULT GetHelpFile(BSTR* out) override { return Give(m_helpFile, out); }
    HRESULT GetHelpContext(DWORD* out) override
    {
        if (!out)
            return E_INVALIDARG;
        *out = m_helpContext;
        return S_OK;
    }

    HRESULT SetGUID(REFGUID rguid) override
    {
        m_guid = rguid;
        return S_OK;
    }
    HRESULT SetSource(LPOLESTR text) override
    {
        m_source = TextOf(text);
        return S_OK;
    }
    HRESULT SetDescription(LPOLESTR text) override
    {
        m_description = TextOf(text);
        return S_OK;
    }
    HRESULT SetHelpFile(LPOLESTR text) override
    {
        m_helpFile = TextOf(text);
        return S_OK;
    }
    HRESULT SetHelpContext(DWORD context) override
    {
        m_helpContext = context;
        return S_OK;
    }

private:
    static HRESULT Give(const std::u16string& text, BSTR* out)
    {
        if (!out)
            return E_INVALIDARG;
        *out = CopyText(text);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    GUID m_guid = GUID_NULL;
    std::u16string m_source;
    std::u16string m_description;
    std::u16string m_helpFile;
    DWORD m_helpContext = 0;
};

// The thread's pending error object; released when the thread ends.
struct ThreadErrorSlot {
    IErrorInfo* info = nullptr;
    ~ThreadErrorSlot()
    {
        if (info)
            info->Release();
    }
};

thread_local ThreadErrorSlot t_errorSlot;

} // namespace

HRESULT CreateErrorInfo(ICreateErrorInfo** pperrinfo)
{
    if (!pperrinfo)
        return E_INVALIDARG;
    *pperrinfo = new ErrorObject; // born with the one reference we hand over
    return S_OK;
}

HRESULT SetErrorInfo(ULONG dwReserved, IErrorInfo* perrinfo)
{
    if (dwReserved != 0)
        return E_INVALIDARG;
    if (perrinfo)
        perrinfo->AddRef();
    IErrorInfo* previous = t_errorSlot.info;
    t_errorSlot.info = perrinfo;
    if (previous)
        previous->Release();
    return S_OK;
}

HRESULT GetErrorInfo(ULONG dwReserved, IErrorInfo** pperrinfo)
{
    if (dwReserved != 0 || !pperrinfo)
        return E_INVALIDARG;
    *pperrinfo = t_errorSlot.info;
    t_errorSlot.info = nullptr;
    return *pperrinfo ? S_OK : S_FALSE;
}

namespace tw::com {

HRESULT ReportError(HRESULT hr, const char* source, const char* description, REFGUID iid)
{
    ICreateErrorInfo* creator = nullptr;
    if (FAILED(CreateErrorInfo(&creator)))
        return hr;
    BSTR sourceText = tw::SysAllocStringUtf8(source ? source : "");
    BSTR descriptionText = tw::SysAllocStringUtf8(description ? description : "");
    creator->SetGUID(iid);
    creator->SetSource(sourceText);
    creator->SetDescription(descriptionText);
    SysFreeString(sourceText);
    SysFreeString(descriptionText);
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    creator->Release();
    return hr;
}

} // namespace tw::com
