// _variant_t: a VARIANT that owns its value. Constructors give each C++ type
// its VT_ type; extractors convert with VariantChangeType and raise
// _com_error with its HRESULT when the value cannot become that type.
//
// LONG is int here, so int makes VT_I4. long is 64 bits on this platform:
// a long that fits in 32 bits makes VT_I4 (what code written for 32-bit longs
// expects), a larger one VT_I8, so no value is lost; long long is VT_I8.
#pragma once

#include "platform/com/ComBstr.h"
#include "platform/com/Unknown.h"
#include "platform/com/OleAuto.h"

class _variant_t : public tagVARIANT {
public:
    _variant_t() noexcept;
    _variant_t(const VARIANT& source);
    _variant_t(const VARIANT* source);
    _variant_t(const _variant_t& source);
    _variant_t(_variant_t&& source) noexcept;
    // fCopy false takes the value over and empties the source.
    _variant_t(VARIANT& source, bool fCopy);
    // vtSrc: VT_I2 or VT_BOOL.
    _variant_t(short value, VARTYPE vtSrc = VT_I2);
    // vtSrc: VT_I4, VT_INT, VT_ERROR or VT_BOOL.
    _variant_t(int value, VARTYPE vtSrc = VT_I4);
    _variant_t(long value);
    _variant_t(long long value);
    _variant_t(float value);
    // vtSrc: VT_R8 or VT_DATE.
    _variant_t(double value, VARTYPE vtSrc = VT_R8);
    _variant_t(const CY& value);
    _variant_t(const _bstr_t& value);
    _variant_t(const WCHAR* value);
    _variant_t(const char* value);
    _variant_t(IDispatch* value, bool fAddRef = true);
    _variant_t(IUnknown* value, bool fAddRef = true);
    _variant_t(bool value);
    _variant_t(const DECIMAL& value);
    _variant_t(BYTE value);
    _variant_t(char value);
    _variant_t(unsigned short value);
    _variant_t(unsigned int value);
    _variant_t(unsigned long value);
    _variant_t(unsigned long long value);
    ~_variant_t();

    _variant_t& operator=(const _variant_t& source);
    _variant_t& operator=(_variant_t&& source) noexcept;
    _variant_t& operator=(const VARIANT& source);
    _variant_t& operator=(const VARIANT* source);
    template <class T>
    _variant_t& operator=(const T& value)
    {
        return *this = _variant_t(value);
    }

    operator short() const;
    operator int() const;
    operator long() const;
    operator long long() const;
    operator unsigned short() const;
    operator unsigned int() const;
    operator unsigned long() const;
    operator unsigned long long() const;
    operator float() const;
    operator double() const;
    operator CY() const;
    operator bool() const;
    operator DECIMAL() const;
    operator BYTE() const;
    operator char() const;
    operator _bstr_t() const;
    // Both answer a new reference the caller releases, as the platform's do.
    operator IDispatch*() const;
    operator IUnknown*() const;

    // Same type and same value; strings compare whole, objects by pointer.
    bool operator==(const VARIANT& other) const;
    bool operator==(const VARIANT* other) const;
    bool operator!=(const VARIANT& other) const;
    bool operator!=(const VARIANT* other) const;

    void Clear();
    void Attach(VARIANT& source);
    VARIANT Detach() noexcept;
    VARIANT& GetVARIANT() noexcept;
    // Clears the value and answers the address for an [out] VARIANT.
    VARIANT* GetAddress();
    // Converts in place (or from pSrc) and raises on failure.
    void ChangeType(VARTYPE vartype, const _variant_t* pSrc = nullptr);
    void SetString(const char* utf8);

private:
    // The value converted to vt; raises _com_error on failure.
    _variant_t Converted(VARTYPE vt) const;
};

// The missing optional argument: VT_ERROR holding DISP_E_PARAMNOTFOUND.
inline _variant_t vtMissing(DISP_E_PARAMNOTFOUND, VT_ERROR);
