#include "platform/com/ComBstr.h"

#include <cstring>
#include <string>

#include "platform/win32/kernel/Utf8Text.h"

struct _bstr_t::Data {
    explicit Data(BSTR text) : wide(text) {}
    ~Data()
    {
        SysFreeString(wide);
        delete[] narrow.load();
    }

    // The UTF-8 form, made once; a racing second maker drops its copy.
    char* Narrow()
    {
        char* cached = narrow.load(std::memory_order_acquire);
        if (cached)
            return cached;
        const std::string utf8 = tw::BstrToUtf8(wide);
        char* made = new char[utf8.size() + 1];
        std::memcpy(made, utf8.c_str(), utf8.size() + 1);
        if (narrow.compare_exchange_strong(cached, made, std::memory_order_acq_rel))
            return made;
        delete[] made;
        return cached;
    }

    void DropNarrow()
    {
        delete[] narrow.exchange(nullptr);
    }

    BSTR wide;
    std::atomic<char*> narrow{nullptr};
    std::atomic<long> refCount{1};
};

namespace {

BSTR DuplicateBstr(BSTR text)
{
    if (!text)
        return nullptr;
    BSTR copy = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(text), SysStringByteLen(text));
    if (!copy)
        _com_issue_error(E_OUTOFMEMORY);
    return copy;
}

} // namespace

_bstr_t::_bstr_t(const _bstr_t& other) noexcept : m_data(other.m_data)
{
    if (m_data)
        ++m_data->refCount;
}

_bstr_t::_bstr_t(_bstr_t&& other) noexcept : m_data(other.m_data)
{
    other.m_data = nullptr;
}

_bstr_t::_bstr_t(const char* utf8)
{
    BSTR text = tw::SysAllocStringUtf8(utf8);
    if (utf8 && !text)
        _com_issue_error(E_OUTOFMEMORY);
    m_data = new Data(text);
}

_bstr_t::_bstr_t(const WCHAR* text)
{
    BSTR copy = SysAllocString(text);
    if (text && !copy)
        _com_issue_error(E_OUTOFMEMORY);
    m_data = new Data(copy);
}

_bstr_t::_bstr_t(BSTR bstr, bool fCopy)
{
    m_data = new Data(fCopy ? DuplicateBstr(bstr) : bstr);
}

_bstr_t::~_bstr_t()
{
    Release();
}

void _bstr_t::Release() noexcept
{
    if (m_data && --m_data->refCount == 0)
        delete m_data;
    m_data = nullptr;
}

BSTR _bstr_t::Raw() const noexcept
{
    return m_data ? m_data->wide : nullptr;
}

_bstr_t& _bstr_t::operator=(const _bstr_t& other) noexcept
{
    if (m_data != other.m_data) {
        if (other.m_data)
            ++other.m_data->refCount;
        Release();
        m_data = other.m_data;
    }
    return *this;
}

_bstr_t& _bstr_t::operator=(_bstr_t&& other) noexcept
{
    if (this != &other) {
        Release();
        m_data = other.m_data;
        other.m_data = nullptr;
    }
    return *this;
}

_bstr_t& _bstr_t::operator=(const char* utf8)
{
    return *this = _bstr_t(utf8);
}

_bstr_t& _bstr_t::operator=(const WCHAR* text)
{
    return *this = _bstr_t(text);
}

_bstr_t& _bstr_t::operator+=(const _bstr_t& other)
{
    return *this = *this + other;
}

_bstr_t _bstr_t::operator+(const _bstr_t& other) const
{
    const UINT leftBytes = SysStringByteLen(Raw());
    const UINT rightBytes = SysStringByteLen(other.Raw());
    if (!Raw() && !other.Raw())
        return _bstr_t();
    BSTR joined = SysAllocStringByteLen(nullptr, leftBytes + rightBytes);
    if (!joined)
        _com_issue_error(E_OUTOFMEMORY);
    if (leftBytes)
        std::memcpy(joined, Raw(), leftBytes);
    if (rightBytes)
        std::memcpy(reinterpret_cast<char*>(joined) + leftBytes, other.Raw(), rightBytes);
    return _bstr_t(joined, false);
}

_bstr_t operator+(const char* left, const _bstr_t& right)
{
    return _bstr_t(left) + right;
}

_bstr_t operator+(const WCHAR* left, const _bstr_t& right)
{
    return _bstr_t(left) + right;
}

_bstr_t::operator const WCHAR*() const noexcept
{
    return Raw();
}

_bstr_t::operator WCHAR*() const noexcept
{
    return Raw();
}

_bstr_t::operator const char*() const
{
    return m_data ? m_data->Narrow() : nullptr;
}

_bstr_t::operator char*() const
{
    return m_data ? m_data->Narrow() : nullptr;
}

bool _bstr_t::operator!() const noexcept
{
    return Raw() == nullptr;
}

// Code-unit order over the whole length; NULL equals "".
int _bstr_t::Compare(const _bstr_t& other) const noexcept
{
    const std::u16string_view left(Raw() ? Raw() : u"", length());
    const std::u16string_view right(other.Raw() ? other.Raw() : u"", other.length());
    return left.compare(right);
}

bool _bstr_t::operator==(const _bstr_t& other) const noexcept { return Compare(other) == 0; }
bool _bstr_t::operator!=(const _bstr_t& other) const noexcept { return Compare(other) != 0; }
bool _bstr_t::operator<(const _bstr_t& other) const noexcept { return Compare(other) < 0; }
bool _bstr_t::operator>(const _bstr_t& other) const noexcept { return Compare(other) > 0; }
bool _bstr_t::operator<=(const _bstr_t& other) const noexcept { return Compare(other) <= 0; }
bool _bstr_t::operator>=(const _bstr_t& other) const noexcept { return Compare(other) >= 0; }

BSTR _bstr_t::copy(bool fCopy) const
{
    return fCopy ? DuplicateBstr(Raw()) : Raw();
}

unsigned int _bstr_t::length() const noexcept
{
    return SysStringLen(Raw());
}

void _bstr_t::Assign(BSTR text)
{
    *this = _bstr_t(text, true);
}

BSTR& _bstr_t::GetBSTR()
{
    if (!m_data)
        m_data = new Data(nullptr);
    m_data->DropNarrow();
    return m_data->wide;
}

BSTR* _bstr_t::GetAddress()
{
    Release();
    m_data = new Data(nullptr);
    return &m_data->wide;
}

void _bstr_t::Attach(BSTR text)
{
    Release();
    m_data = new Data(text);
}

// Hands the BSTR over; a string still shared with other copies is copied.
BSTR _bstr_t::Detach()
{
    if (!m_data)
        return nullptr;
    BSTR text = nullptr;
    if (m_data->refCount == 1) {
        text = m_data->wide;
        m_data->wide = nullptr;
    } else {
        text = DuplicateBstr(m_data->wide);
    }
    Release();
    return text;
}

bool operator==(const _bstr_t& left, const char* right) { return left == _bstr_t(right); }
bool operator==(const char* left, const _bstr_t& right) { return _bstr_t(left) == right; }
bool operator!=(const _bstr_t& left, const char* right) { return !(left == right); }
bool operator!=(const char* left, const _bstr_t& right) { return !(left == right); }
bool operator==(const _bstr_t& left, const WCHAR* right) { return left == _bstr_t(right); }
bool operator==(const WCHAR* left, const _bstr_t& right) { return _bstr_t(left) == right; }
bool operator!=(const _bstr_t& left, const WCHAR* right) { return !(left == right); }
bool operator!=(const WCHAR* left, const _bstr_t& right) { return !(left == right); }
