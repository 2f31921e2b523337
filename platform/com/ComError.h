// _com_error: the exception a failed COM call raises, with the HRESULT and
// the error object the failing interface left. Not derived from any other
// exception class: handlers catch it by name.
#pragma once

#include <string>

#include "platform/com/ComBstr.h"
#include "platform/com/ErrorInfo.h"

class _com_error {
public:
    // Takes over perrinfo's reference unless fAddRef asks for a new one.
    _com_error(HRESULT hr, IErrorInfo* perrinfo = nullptr, bool fAddRef = false);
    _com_error(const _com_error& other);
    _com_error& operator=(const _com_error& other);
    virtual ~_com_error();

    HRESULT Error() const noexcept;
    // The dispatch exception code for HRESULTs 0x80040201-0x8004FFFF, else 0.
    WORD WCode() const noexcept;
    // A new reference the caller releases, or NULL.
    IErrorInfo* ErrorInfo() const noexcept;

    _bstr_t Description() const;
    _bstr_t Source() const;
    _bstr_t HelpFile() const;
    DWORD HelpContext() const;
    ::GUID GUID() const;

    // The system's text for the HRESULT without its line break; when it has
    // none, "IDispatch error #<wcode>" for a dispatch exception code, else
    // "Unknown error 0x<hr>".
    const TCHAR* ErrorMessage() const;

    static HRESULT WCodeToHRESULT(WORD wCode) noexcept;
    static WORD HRESULTToWCode(HRESULT hr) noexcept;

private:
    HRESULT m_hresult;
    IErrorInfo* m_perrinfo;
    mutable std::string m_message;
};

// Raise _com_error; the ex form picks up the error object the interface
// left on this thread when the object says it supports error objects.
[[noreturn]] void _com_issue_error(HRESULT hr);
[[noreturn]] void _com_issue_errorex(HRESULT hr, IUnknown* punk, REFIID riid);
[[noreturn]] void _com_raise_error(HRESULT hr, IErrorInfo* perrinfo = nullptr);

namespace tw::com {

// The system text for an HRESULT without its line break, or "" when the
// system has none. The one place the text lookup is made.
std::string SystemErrorText(HRESULT hr);

} // namespace tw::com
