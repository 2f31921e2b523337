// _bstr_t: a shared, reference-counted BSTR. Copies share one string (the
// count is atomic, so copies may live on several threads); the UTF-8 form
// for `const char*` is made on first use and kept. A NULL _bstr_t reads as
// the empty string everywhere except operator!.
#pragma once

#include <atomic>

#include "platform/com/Bstr.h"

class _variant_t;

// Raises _com_error(hr); declared here so the value classes need not see it.
[[noreturn]] void _com_issue_error(HRESULT hr);

class _bstr_t {
public:
    _bstr_t() noexcept = default;
    _bstr_t(const _bstr_t& other) noexcept;
    _bstr_t(_bstr_t&& other) noexcept;
    _bstr_t(const char* utf8);
    _bstr_t(const WCHAR* text);
    _bstr_t(const _variant_t& value);
    // fCopy false takes ownership of the BSTR.
    _bstr_t(BSTR bstr, bool fCopy);
    ~_bstr_t();

    _bstr_t& operator=(const _bstr_t& other) noexcept;
    _bstr_t& operator=(_bstr_t&& other) noexcept;
    _bstr_t& operator=(const char* utf8);
    _bstr_t& operator=(const WCHAR* text);
    _bstr_t& operator=(const _variant_t& value);

    _bstr_t& operator+=(const _bstr_t& other);
    _bstr_t operator+(const _bstr_t& other) const;
    friend _bstr_t operator+(const char* left, const _bstr_t& right);
    friend _bstr_t operator+(const WCHAR* left, const _bstr_t& right);

    operator const WCHAR*() const noexcept;
    operator WCHAR*() const noexcept;
    operator const char*() const;
    operator char*() const;

    bool operator!() const noexcept;
    bool operator==(const _bstr_t& other) const noexcept;
    bool operator!=(const _bstr_t& other) const noexcept;
    bool operator<(const _bstr_t& other) const noexcept;
    bool operator>(const _bstr_t& other) const noexcept;
    bool operator<=(const _bstr_t& other) const noexcept;
    bool operator>=(const _bstr_t& other) const noexcept;

    // A new BSTR the caller frees (fCopy), or the shared one itself.
    BSTR copy(bool fCopy = true) const;
    unsigned int length() const noexcept;

    void Assign(BSTR text);
    BSTR& GetBSTR();
    // Frees the current string and answers the address for an [out] BSTR.
    BSTR* GetAddress();
    void Attach(BSTR text);
    BSTR Detach();

private:
    struct Data;

    int Compare(const _bstr_t& other) const noexcept;
    void Release() noexcept;
    BSTR Raw() const noexcept;

    Data* m_data = nullptr;
};

// Comparisons with literals would otherwise be ambiguous between the
// member operators and the pointer conversions.
bool operator==(const _bstr_t& left, const char* right);
bool operator==(const char* left, const _bstr_t& right);
bool operator!=(const _bstr_t& left, const char* right);
bool operator!=(const char* left, const _bstr_t& right);
bool operator==(const _bstr_t& left, const WCHAR* right);
bool operator==(const WCHAR* left, const _bstr_t& right);
bool operator!=(const _bstr_t& left, const WCHAR* right);
bool operator!=(const WCHAR* left, const _bstr_t& right);
