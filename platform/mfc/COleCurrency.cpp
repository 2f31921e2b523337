#include "platform/mfc/COleCurrency.h"

#include <cstdint>
#include <string>

#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"
#include "platform/com/VariantConvert.h"
#include "platform/win32/kernel/PlatformPrintf.h"

namespace olecurrency_detail {

constexpr LONGLONG kScale = 10000;

bool Checked(bool overflowed, LONGLONG value, CY& out)
{
    if (overflowed)
        return false;
    out.int64 = value;
    return true;
}

} // namespace olecurrency_detail

COleCurrency::COleCurrency(const VARIANT& value)
{
    m_cur.int64 = 0;
    *this = value;
}

COleCurrency::COleCurrency(long units, long fractionalUnits)
{
    SetCurrency(units, fractionalUnits);
}

COleCurrency COleCurrency::Invalid()
{
    COleCurrency result;
    result.m_status = invalid;
    return result;
}

void COleCurrency::SetCurrency(long units, long fractionalUnits)
{
    LONGLONG scaled = 0;
    LONGLONG sum = 0;
    const bool overflowed = __builtin_mul_overflow(static_cast<LONGLONG>(units), olecurrency_detail::kScale, &scaled) ||
                            __builtin_add_overflow(scaled, static_cast<LONGLONG>(fractionalUnits), &sum);
    if (!olecurrency_detail::Checked(overflowed, sum, m_cur)) {
        *this = Invalid();
        return;
    }
    m_status = valid;
}

CString COleCurrency::Format(DWORD flags, LCID locale) const
{
    if (m_status == null)
        return CString();
    BSTR text = nullptr;
    if (m_status != valid || FAILED(VarBstrFromCy(m_cur, locale, flags, &text)))
        return CString("Invalid Currency");
    CString result(static_cast<LPCWSTR>(text), static_cast<int>(SysStringLen(text)));
    SysFreeString(text);
    return result;
}

BOOL COleCurrency::ParseCurrency(LPCTSTR text, DWORD flags, LCID locale)
{
    const std::u16string wide = tw::Utf8ToUtf16(text ? text : "");
    CY parsed;
    if (!text || FAILED(VarCyFromStr(wide.c_str(), locale, flags, &parsed))) {
        *this = Invalid();
        return FALSE;
    }
    m_cur = parsed;
    m_status = valid;
    return TRUE;
}

COleCurrency& COleCurrency::operator=(CY value)
{
    m_cur = value;
    m_status = valid;
    return *this;
}

COleCurrency& COleCurrency::operator=(const VARIANT& value)
{
    if (value.vt == VT_NULL) {
        m_cur.int64 = 0;
        m_status = null;
        return *this;
    }
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, &value, 0, VT_CY))) {
        *this = Invalid();
        return *this;
    }
    m_cur = V_CY(&converted);
    m_status = valid;
    VariantClear(&converted);
    return *this;
}

bool COleCurrency::operator==(const COleCurrency& other) const
{
    return m_status == other.m_status && m_cur.int64 == other.m_cur.int64;
}

COleCurrency::CurrencyStatus COleCurrency::CombinedStatus(const COleCurrency& other) const
{
    return m_status != valid ? m_status : other.m_status;
}

COleCurrency COleCurrency::operator+(const COleCurrency& other) const
{
    COleCurrency result;
    LONGLONG sum = 0;
    if (__builtin_add_overflow(m_cur.int64, other.m_cur.int64, &sum))
        return Invalid();
    result.m_cur.int64 = sum;
    result.m_status = CombinedStatus(other);
    return result;
}

COleCurrency COleCurrency::operator-(const COleCurrency& other) const
{
    COleCurrency result;
    LONGLONG difference = 0;
    if (__builtin_sub_overflow(m_cur.int64, other.m_cur.int64, &difference))
        return Invalid();
    result.m_cur.int64 = difference;
    result.m_status = CombinedStatus(other);
    return result;
}

COleCurrency COleCurrency::operator-() const
{
    return COleCurrency() - *this;
}

COleCurrency COleCurrency::operator*(long factor) const
{
    COleCurrency result;
    LONGLONG product = 0;
    if (__builtin_mul_overflow(m_cur.int64, static_cast<LONGLONG>(factor), &product))
        return Invalid();
    result.m_cur.int64 = product;
    result.m_status = m_status;
    return result;
}

COleCurrency COleCurrency::operator/(long divisor) const
{
    // The one quotient that overflows is the most negative amount over -1.
    if (divisor == 0 || (divisor == -1 && m_cur.int64 == INT64_MIN))
        return Invalid();
    COleCurrency result;
    result.m_cur.int64 = m_cur.int64 / divisor;
    result.m_status = m_status;
    return result;
}

COleCurrency& COleCurrency::operator+=(const COleCurrency& other)
{
    return *this = *this + other;
}

COleCurrency& COleCurrency::operator-=(const COleCurrency& other)
{
    return *this = *this - other;
}

COleCurrency& COleCurrency::operator*=(long factor)
{
    return *this = *this * factor;
}

COleCurrency& COleCurrency::operator/=(long divisor)
{
    return *this = *this / divisor;
}
