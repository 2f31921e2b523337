#include "platform/com/ComError.h"

#include <cstdio>

#include "platform/win32/kernel/ErrorText.h"

namespace {

constexpr HRESULT kFirstWCodeResult = static_cast<HRESULT>(0x80040200L);
constexpr HRESULT kLastWCodeResult = static_cast<HRESULT>(0x8004FFFFL);

void FillMessage(HRESULT hr, WORD wCode, std::string& message)
{
    message = tw::com::SystemErrorText(hr);
    if (!message.empty())
        return;
    char buffer[64];
    if (wCode != 0)
        std::snprintf(buffer, sizeof buffer, "IDispatch error #%d", static_cast<int>(wCode));
    else
        std::snprintf(buffer, sizeof buffer, "Unknown error 0x%0lX", static_cast<unsigned long>(static_cast<ULONG>(hr)));
    message = buffer;
}

} // namespace

namespace tw::com {

// The kernel's FormatMessage table; its texts end in a line break, which
// the error's message does not keep.
std::string SystemErrorText(HRESULT hr)
{
    const char* text = tw::SystemMessageText(static_cast<DWORD>(hr));
    std::string message = text ? text : "";
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return message;
}

} // namespace tw::com

_com_error::_com_error(HRESULT hr, IErrorInfo* perrinfo, bool fAddRef) : m_hresult(hr), m_perrinfo(perrinfo)
{
    if (m_perrinfo && fAddRef)
        m_perrinfo->AddRef();
}

_com_error::_com_error(const _com_error& other) : m_hresult(other.m_hresult), m_perrinfo(other.m_perrinfo)
{
    if (m_perrinfo)
        m_perrinfo->AddRef();
}

_com_error& _com_error::operator=(const _com_error& other)
{
    if (this != &other) {
        if (other.m_perrinfo)
            other.m_perrinfo->AddRef();
        if (m_perrinfo)
            m_perrinfo->Release();
        m_hresult = other.m_hresult;
        m_perrinfo = other.m_perrinfo;
        m_message.clear();
    }
    return *this;
}

_com_error::~_com_error()
{
    if (m_perrinfo)
        m_perrinfo->Release();
}

HRESULT _com_error::Error() const noexcept
{
    return m_hresult;
}

WORD _com_error::WCode() const noexcept
{
    return HRESULTToWCode(m_hresult);
}

IErrorInfo* _com_error::ErrorInfo() const noexcept
{
    if (m_perrinfo)
        m_perrinfo->AddRef();
    return m_perrinfo;
}

namespace {

template <class Getter>
_bstr_t ErrorInfoText(IErrorInfo* info, Getter getter)
{
    if (!info)
        return _bstr_t();
    BSTR text = nullptr;
    if (FAILED((info->*getter)(&text)))
        return _bstr_t();
    return _bstr_t(text, false);
}

} // namespace

_bstr_t _com_error::Description() const
{
    return ErrorInfoText(m_perrinfo, &IErrorInfo::GetDescription);
}

_bstr_t _com_error::Source() const
{
    return ErrorInfoText(m_perrinfo, &IErrorInfo::GetSource);
}

_bstr_t _com_error::HelpFile() const
{
    return ErrorInfoText(m_perrinfo, &IErrorInfo::GetHelpFile);
}

DWORD _com_error::HelpContext() const
{
    DWORD context = 0;
    if (m_perrinfo)
        m_perrinfo->GetHelpContext(&context);
    return context;
}

::GUID _com_error::GUID() const
{
    ::GUID guid = GUID_NULL;
    if (m_perrinfo)
        m_perrinfo->GetGUID(&guid);
    return guid;
}

const TCHAR* _com_error::ErrorMessage() const
{
    if (m_message.empty())
        FillMessage(m_hresult, WCode(), m_message);
    return m_message.c_str();
}

HRESULT _com_error::WCodeToHRESULT(WORD wCode) noexcept
{
    return wCode >= 0xFE00 ? kLastWCodeResult : static_cast<HRESULT>(kFirstWCodeResult + wCode);
}

WORD _com_error::HRESULTToWCode(HRESULT hr) noexcept
{
    const auto value = static_cast<ULONG>(hr);
    if (value < static_cast<ULONG>(kFirstWCodeResult) || value > static_cast<ULONG>(kLastWCodeResult))
        return 0;
    return static_cast<WORD>(value - static_cast<ULONG>(kFirstWCodeResult));
}

void _com_issue_error(HRESULT hr)
{
    throw _com_error(hr);
}

void _com_raise_error(HRESULT hr, IErrorInfo* perrinfo)
{
    throw _com_error(hr, perrinfo);
}

void _com_issue_errorex(HRESULT hr, IUnknown* punk, REFIID riid)
{
    IErrorInfo* info = nullptr;
    ISupportErrorInfo* support = nullptr;
    if (punk && SUCCEEDED(punk->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)))) {
        if (support->InterfaceSupportsErrorInfo(riid) == S_OK && GetErrorInfo(0, &info) != S_OK)
            info = nullptr;
        support->Release();
    }
    throw _com_error(hr, info);
}
