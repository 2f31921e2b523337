// The framework's currency value: a CY (a 64-bit integer of 1/10,000 units)
// with a status. Its text comes from the variant conversions, so an amount
// reads the same in a grid cell, a converted variant and here. Arithmetic that
// leaves the 64-bit range, or divides by zero, marks the result invalid.
#pragma once

#include "platform/com/OleTypes.h"
#include "platform/mfc/CString.h"

class COleCurrency {
public:
    enum CurrencyStatus { valid = 0, invalid = 1, null = 2 };

    COleCurrency() { m_cur.int64 = 0; }
    COleCurrency(CY value) : m_cur(value) {}
    COleCurrency(const VARIANT& value);
    // units and ten-thousandths, which add: (-1, -5000) is -1.5.
    COleCurrency(long units, long fractionalUnits);

    CurrencyStatus GetStatus() const { return m_status; }
    void SetStatus(CurrencyStatus status) { m_status = status; }
    operator CY() const { return m_cur; }

    void SetCurrency(long units, long fractionalUnits);
    // "1234.5": the variant conversion's text; "" when null, "Invalid Currency" when invalid.
    CString Format(DWORD flags = 0, LCID locale = LOCALE_USER_DEFAULT) const;
    // FALSE, with the status invalid, when the text is no amount.
    BOOL ParseCurrency(LPCTSTR text, DWORD flags = 0, LCID locale = LOCALE_USER_DEFAULT);

    COleCurrency& operator=(CY value);
    COleCurrency& operator=(const VARIANT& value);

    bool operator==(const COleCurrency& other) const;
    bool operator!=(const COleCurrency& other) const { return !(*this == other); }
    bool operator<(const COleCurrency& other) const { return m_cur.int64 < other.m_cur.int64; }
    bool operator>(const COleCurrency& other) const { return m_cur.int64 > other.m_cur.int64; }
    bool operator<=(const COleCurrency& other) const { return m_cur.int64 <= other.m_cur.int64; }
    bool operator>=(const COleCurrency& other) const { return m_cur.int64 >= other.m_cur.int64; }

    COleCurrency operator+(const COleCurrency& other) const;
    COleCurrency operator-(const COleCurrency& other) const;
    COleCurrency operator-() const;
    COleCurrency operator*(long factor) const;
    COleCurrency operator/(long divisor) const;
    COleCurrency& operator+=(const COleCurrency& other);
    COleCurrency& operator-=(const COleCurrency& other);
    COleCurrency& operator*=(long factor);
    COleCurrency& operator/=(long divisor);

    CY m_cur;
    CurrencyStatus m_status = valid;

private:
    static COleCurrency Invalid();
    CurrencyStatus CombinedStatus(const COleCurrency& other) const;
};
