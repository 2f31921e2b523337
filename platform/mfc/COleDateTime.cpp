#include "platform/mfc/COleDateTime.h"

#include <cmath>
#include <string>

#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"
#include "platform/com/VariantConvert.h"
#include "platform/com/VariantDate.h"
#include "platform/mfc/CTime.h"
#include "platform/win32/kernel/PlatformPrintf.h"

namespace oledate_detail {

const char* const kInvalidText = "Invalid DateTime";

// A DATE before day zero counts its fraction forward from the (negative) day,
// so -1.25 is 6 AM on 12/29/1899. Linear days run straight: that time is -0.75.
double ToLinear(DATE value)
{
    const double whole = std::trunc(value);
    return whole + std::fabs(value - whole);
}

DATE FromLinear(double days)
{
    if (days >= 0)
        return days;
    const double whole = std::floor(days);
    const double fraction = days - whole;
    return fraction == 0 ? whole : whole - fraction;
}

// Dates are compared to the millisecond: sums of days and fractions are not
// exact in binary, and two times that read the same must compare equal.
long long Milliseconds(DATE value)
{
    return std::llround(ToLinear(value) * 86400000.0);
}

int DayOfYear(const SYSTEMTIME& parts)
{
    static const int daysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const int year = parts.wYear;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return daysBefore[parts.wMonth - 1] + parts.wDay + (leap && parts.wMonth > 2 ? 1 : 0);
}

CString FromBstr(BSTR text)
{
    return CString(static_cast<LPCWSTR>(text), static_cast<int>(SysStringLen(text)));
}

} // namespace oledate_detail

// --- COleDateTimeSpan -------------------------------------------------------

COleDateTimeSpan::COleDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    SetDateTimeSpan(days, hours, minutes, seconds);
}

void COleDateTimeSpan::SetDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    m_span = days + (hours + (minutes + seconds / 60.0) / 60.0) / 24.0;
    m_status = valid;
}

long long COleDateTimeSpan::RoundedSeconds() const
{
    return std::llround(m_span * 86400.0);
}

long COleDateTimeSpan::GetDays() const
{
    return static_cast<long>(RoundedSeconds() / 86400);
}

long COleDateTimeSpan::GetHours() const
{
    return static_cast<long>(RoundedSeconds() / 3600 % 24);
}

long COleDateTimeSpan::GetMinutes() const
{
    return static_cast<long>(RoundedSeconds() / 60 % 60);
}

long COleDateTimeSpan::GetSeconds() const
{
    return static_cast<long>(RoundedSeconds() % 60);
}

CString COleDateTimeSpan::Format(LPCTSTR format) const
{
    if (m_status == null)
        return CString();
    if (m_status == invalid)
        return CString(oledate_detail::kInvalidText);
    std::string out;
    for (const char* p = format ? format : ""; *p; ++p) {
        if (*p != '%' || !p[1]) {
            out += *p;
            continue;
        }
        switch (*++p) {
        case 'D': out += tw::FormatPrintf("%ld", static_cast<LONG>(GetDays())); break;
        case 'H': out += tw::FormatPrintf("%02ld", static_cast<LONG>(GetHours())); break;
        case 'M': out += tw::FormatPrintf("%02ld", static_cast<LONG>(GetMinutes())); break;
        case 'S': out += tw::FormatPrintf("%02ld", static_cast<LONG>(GetSeconds())); break;
        default: out += *p; break;
        }
    }
    return CString(out.data(), static_cast<int>(out.size()));
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const
{
    COleDateTimeSpan sum(m_span + other.m_span);
    sum.m_status = m_status != valid ? m_status : other.m_status;
    return sum;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& other) const
{
    return *this + -other;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan negated(-m_span);
    negated.m_status = m_status;
    return negated;
}

COleDateTimeSpan& COleDateTimeSpan::operator+=(const COleDateTimeSpan& other)
{
    return *this = *this + other;
}

COleDateTimeSpan& COleDateTimeSpan::operator-=(const COleDateTimeSpan& other)
{
    return *this = *this - other;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& other) const
{
    return m_status == other.m_status && m_span == other.m_span;
}

// --- COleDateTime -----------------------------------------------------------

COleDateTime::COleDateTime(DATE value) : m_dt(value) {}

COleDateTime::COleDateTime(const VARIANT& value)
{
    *this = value;
}

COleDateTime::COleDateTime(time_t value)
{
    SetFromTimeT(value);
}

COleDateTime::COleDateTime(const SYSTEMTIME& value)
{
    *this = value;
}

COleDateTime::COleDateTime(const FILETIME& value)
{
    *this = value;
}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    return COleDateTime(::time(nullptr));
}

void COleDateTime::SetFromTimeT(time_t value)
{
    struct tm local;
    if (!localtime_r(&value, &local)) {
        m_dt = 0;
        m_status = invalid;
        return;
    }
    SetDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME parts{};
    parts.wYear = static_cast<WORD>(year);
    parts.wMonth = static_cast<WORD>(month);
    parts.wDay = static_cast<WORD>(day);
    parts.wHour = static_cast<WORD>(hour);
    parts.wMinute = static_cast<WORD>(minute);
    parts.wSecond = static_cast<WORD>(second);
    // Negative or oversized parts must fail rather than wrap into range as WORDs.
    bool fits = true;
    for (const int part : {year, month, day, hour, minute, second})
        fits = fits && part >= 0 && part <= 0xFFFF;
    if (!fits || !SystemTimeToVariantTime(&parts, &m_dt)) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    m_status = valid;
    return 0;
}

int COleDateTime::SetDate(int year, int month, int day)
{
    return SetDateTime(year, month, day, 0, 0, 0);
}

int COleDateTime::SetTime(int hour, int minute, int second)
{
    // A time alone lies on day zero, 12/30/1899.
    return SetDateTime(1899, 12, 30, hour, minute, second);
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& out) const
{
    return m_status == valid && VariantTimeToSystemTime(m_dt, &out);
}

namespace oledate_detail {

int Part(const COleDateTime& date, WORD SYSTEMTIME::*field, int offset = 0)
{
    SYSTEMTIME parts;
    return date.GetAsSystemTime(parts) ? parts.*field + offset : AFX_OLE_DATETIME_ERROR;
}

} // namespace oledate_detail

int COleDateTime::GetYear() const { return oledate_detail::Part(*this, &SYSTEMTIME::wYear); }
int COleDateTime::GetMonth() const { return oledate_detail::Part(*this, &SYSTEMTIME::wMonth); }
int COleDateTime::GetDay() const { return oledate_detail::Part(*this, &SYSTEMTIME::wDay); }
int COleDateTime::GetHour() const { return oledate_detail::Part(*this, &SYSTEMTIME::wHour); }
int COleDateTime::GetMinute() const { return oledate_detail::Part(*this, &SYSTEMTIME::wMinute); }
int COleDateTime::GetSecond() const { return oledate_detail::Part(*this, &SYSTEMTIME::wSecond); }
int COleDateTime::GetDayOfWeek() const { return oledate_detail::Part(*this, &SYSTEMTIME::wDayOfWeek, 1); }

int COleDateTime::GetDayOfYear() const
{
    SYSTEMTIME parts;
    return GetAsSystemTime(parts) ? oledate_detail::DayOfYear(parts) : AFX_OLE_DATETIME_ERROR;
}

CString COleDateTime::Format(DWORD flags, LCID locale) const
{
    if (m_status == null)
        return CString();
    BSTR text = nullptr;
    if (m_status != valid || FAILED(VarBstrFromDate(m_dt, locale, flags, &text)))
        return CString(oledate_detail::kInvalidText);
    CString result = oledate_detail::FromBstr(text);
    SysFreeString(text);
    return result;
}

CString COleDateTime::Format(LPCTSTR format) const
{
    if (m_status == null)
        return CString();
    SYSTEMTIME parts;
    if (!GetAsSystemTime(parts))
        return CString(oledate_detail::kInvalidText);
    struct tm fields = {};
    fields.tm_year = parts.wYear - 1900;
    fields.tm_mon = parts.wMonth - 1;
    fields.tm_mday = parts.wDay;
    fields.tm_hour = parts.wHour;
    fields.tm_min = parts.wMinute;
    fields.tm_sec = parts.wSecond;
    fields.tm_wday = parts.wDayOfWeek;
    fields.tm_yday = oledate_detail::DayOfYear(parts) - 1;
    return tw::FormatTimeFields(fields, format);
}

BOOL COleDateTime::ParseDateTime(LPCTSTR text, DWORD flags, LCID locale)
{
    const std::u16string wide = tw::Utf8ToUtf16(text ? text : "");
    DATE parsed = 0;
    if (!text || FAILED(VarDateFromStr(wide.c_str(), locale, flags, &parsed))) {
        m_dt = 0;
        m_status = invalid;
        return FALSE;
    }
    if (flags & VAR_DATEVALUEONLY)
        parsed = std::trunc(parsed);
    else if (flags & VAR_TIMEVALUEONLY)
        parsed = std::fabs(parsed - std::trunc(parsed));
    m_dt = parsed;
    m_status = valid;
    return TRUE;
}

COleDateTime& COleDateTime::operator=(DATE value)
{
    m_dt = value;
    m_status = valid;
    return *this;
}

COleDateTime& COleDateTime::operator=(time_t value)
{
    SetFromTimeT(value);
    return *this;
}

COleDateTime& COleDateTime::operator=(const SYSTEMTIME& value)
{
    SetDateTime(value.wYear, value.wMonth, value.wDay, value.wHour, value.wMinute, value.wSecond);
    return *this;
}

COleDateTime& COleDateTime::operator=(const FILETIME& value)
{
    SetFromTimeT(CTime(value).GetTime());
    return *this;
}

COleDateTime& COleDateTime::operator=(const VARIANT& value)
{
    if (value.vt == VT_NULL) {
        m_dt = 0;
        m_status = null;
        return *this;
    }
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, &value, 0, VT_DATE))) {
        m_dt = 0;
        m_status = invalid;
        return *this;
    }
    m_dt = V_DATE(&converted);
    m_status = valid;
    VariantClear(&converted);
    return *this;
}

bool COleDateTime::operator==(const COleDateTime& other) const
{
    return m_status == other.m_status && oledate_detail::Milliseconds(m_dt) == oledate_detail::Milliseconds(other.m_dt);
}

bool COleDateTime::operator<(const COleDateTime& other) const
{
    return oledate_detail::Milliseconds(m_dt) < oledate_detail::Milliseconds(other.m_dt);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const
{
    COleDateTime sum(oledate_detail::FromLinear(oledate_detail::ToLinear(m_dt) + span.m_span));
    sum.m_status = m_status != valid ? m_status : span.m_status == COleDateTimeSpan::valid ? valid : invalid;
    return sum;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const
{
    return *this + -span;
}

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& span)
{
    return *this = *this + span;
}

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& span)
{
    return *this = *this - span;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const
{
    COleDateTimeSpan difference(oledate_detail::ToLinear(m_dt) - oledate_detail::ToLinear(other.m_dt));
    if (m_status != valid || other.m_status != valid)
        difference.m_status = COleDateTimeSpan::invalid;
    return difference;
}
