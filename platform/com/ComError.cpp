#include "platform/com/ComError.h"

#include <cstdio>
#include <unordered_map>

namespace {

constexpr HRESULT kFirstWCodeResult = static_cast<HRESULT>(0x80040200L);
constexpr HRESULT kLastWCodeResult = static_cast<HRESULT>(0x8004FFFFL);

// The platform's English texts for the HRESULTs this system meets.
const std::unordered_map<ULONG, const char*>& SystemTexts()
{
    static const std::unordered_map<ULONG, const char*> texts = {
        {0x00000000UL, "The operation completed successfully."},
        {0x00000001UL, "Incorrect function."},
        {0x8000FFFFUL, "Catastrophic failure"},
        {0x80004001UL, "Not implemented"},
        {0x80004002UL, "No such interface supported"},
        {0x80004003UL, "Invalid pointer"},
        {0x80004004UL, "Operation aborted"},
        {0x80004005UL, "Unspecified error"},
        {0x8000000AUL, "The data necessary to complete this operation is not yet available."},
        {0x80070002UL, "The system cannot find the file specified."},
        {0x80070003UL, "The system cannot find the path specified."},
        {0x80070005UL, "Access is denied."},
        {0x80070006UL, "The handle is invalid."},
        {0x80070008UL, "Not enough storage is available to process this command."},
        {0x8007000EUL, "Not enough storage is available to complete this operation."},
        {0x80070020UL, "The process cannot access the file because it is being used by another process."},
        {0x80070050UL, "The file exists."},
        {0x80070057UL, "The parameter is incorrect."},
        {0x80070070UL, "There is not enough space on the disk."},
        {0x800700B7UL, "Cannot create a file when that file already exists."},
        {0x80020001UL, "Unknown interface."},
        {0x80020003UL, "Member not found."},
        {0x80020004UL, "Parameter not found."},
        {0x80020005UL, "Type mismatch."},
        {0x80020006UL, "Unknown name."},
        {0x80020007UL, "No named arguments."},
        {0x80020008UL, "Bad variable type."},
        {0x80020009UL, "Exception occurred."},
        {0x8002000AUL, "Out of present range."},
        {0x8002000BUL, "Invalid index."},
        {0x8002000CUL, "Unknown language."},
        {0x8002000DUL, "Memory is locked."},
        {0x8002000EUL, "Invalid number of parameters."},
        {0x8002000FUL, "Parameter not optional."},
        {0x80020010UL, "Invalid callee."},
        {0x80020011UL, "Does not support a collection."},
        {0x80020012UL, "Division by zero."},
        {0x80040154UL, "Class not registered"},
        {0x80040110UL, "Class does not support aggregation (or class object is remote)"},
        {0x80040111UL, "ClassFactory cannot supply requested class"},
        {0x800401F0UL, "CoInitialize has not been called."},
        {0x800401F3UL, "Invalid class string"},
        {0x80010106UL, "Cannot change thread mode after it is set."},
    };
    return texts;
}

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

std::string SystemErrorText(HRESULT hr)
{
    const auto& texts = SystemTexts();
    const auto found = texts.find(static_cast<ULONG>(hr));
    return found == texts.end() ? std::string() : std::string(found->second);
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
