#include "platform/mfc/CTime.h"

#include <cstdio>
#include <string>

namespace ctime_detail {

const char* const kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

// Seconds between 1/1/1601 (file times) and 1/1/1970.
constexpr LONGLONG kFileTimeEpochOffset = 11644473600LL;

void AppendNumber(std::string& out, long long value, int width, bool dropZeros)
{
    char digits[32];
    std::snprintf(digits, sizeof digits, "%0*lld", dropZeros ? 1 : width, value);
    out += digits;
}

std::string Name(const char* const* names, int count, int index, bool abbreviated)
{
    if (index < 0 || index >= count)
        return {};
    std::string name = names[index];
    return abbreviated ? name.substr(0, 3) : name;
}

// Week of the year with weeks starting on `firstDay` (0 Sunday, 1 Monday); days before the first such day are week 0.
int WeekOfYear(const struct tm& t, int firstDay)
{
    const int weekday = (t.tm_wday - firstDay + 7) % 7;
    return (t.tm_yday + 7 - weekday) / 7;
}

void AppendField(std::string& out, const struct tm& t, char code, bool alternate);

void AppendFormat(std::string& out, const struct tm& t, const char* format)
{
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        bool alternate = false;
        if (p[1] == '#') {
            alternate = true;
            ++p;
        }
        if (!p[1])
            break;
        AppendField(out, t, *++p, alternate);
    }
}

void AppendField(std::string& out, const struct tm& t, char code, bool alternate)
{
    const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    switch (code) {
    case 'a': out += Name(kDayNames, 7, t.tm_wday, true); break;
    case 'A': out += Name(kDayNames, 7, t.tm_wday, false); break;
    case 'b': out += Name(kMonthNames, 12, t.tm_mon, true); break;
    case 'B': out += Name(kMonthNames, 12, t.tm_mon, false); break;
    case 'c': AppendFormat(out, t, alternate ? "%A, %B %#d, %Y %H:%M:%S" : "%m/%d/%y %H:%M:%S"); break;
    case 'x': AppendFormat(out, t, alternate ? "%A, %B %#d, %Y" : "%m/%d/%y"); break;
    case 'X': AppendFormat(out, t, "%H:%M:%S"); break;
    case 'd': AppendNumber(out, t.tm_mday, 2, alternate); break;
    case 'H': AppendNumber(out, t.tm_hour, 2, alternate); break;
    case 'I': AppendNumber(out, hour12, 2, alternate); break;
    case 'j': AppendNumber(out, t.tm_yday + 1, 3, alternate); break;
    case 'm': AppendNumber(out, t.tm_mon + 1, 2, alternate); break;
    case 'M': AppendNumber(out, t.tm_min, 2, alternate); break;
    case 'S': AppendNumber(out, t.tm_sec, 2, alternate); break;
    case 'p': out += t.tm_hour < 12 ? "AM" : "PM"; break;
    case 'U': AppendNumber(out, WeekOfYear(t, 0), 2, alternate); break;
    case 'W': AppendNumber(out, WeekOfYear(t, 1), 2, alternate); break;
    case 'w': AppendNumber(out, t.tm_wday, 1, alternate); break;
    case 'y': AppendNumber(out, (t.tm_year + 1900) % 100, 2, alternate); break;
    case 'Y': AppendNumber(out, t.tm_year + 1900, 1, alternate); break;
    case 'z':
    case 'Z': out += t.tm_zone ? t.tm_zone : ""; break;
    case '%': out += '%'; break;
    default: break; // the run time prints nothing for a code it does not know
    }
}

} // namespace ctime_detail

namespace tw {

CString FormatTimeFields(const struct tm& fields, LPCTSTR format)
{
    std::string out;
    if (format)
        ctime_detail::AppendFormat(out, fields, format);
    return CString(out.data(), static_cast<int>(out.size()));
}

} // namespace tw

// --- CTimeSpan --------------------------------------------------------------

CTimeSpan::CTimeSpan(LONG days, int hours, int minutes, int seconds)
    : m_span(seconds + 60 * (minutes + 60 * (hours + 24 * static_cast<time_t>(days))))
{
}

CTimeSpan& CTimeSpan::operator+=(CTimeSpan other)
{
    m_span += other.m_span;
    return *this;
}

CTimeSpan& CTimeSpan::operator-=(CTimeSpan other)
{
    m_span -= other.m_span;
    return *this;
}

CString CTimeSpan::Format(LPCTSTR format) const
{
    std::string out;
    for (const char* p = format ? format : ""; *p; ++p) {
        if (*p != '%' || !p[1]) {
            out += *p;
            continue;
        }
        switch (*++p) {
        case 'D': ctime_detail::AppendNumber(out, GetDays(), 1, false); break;
        case 'H': ctime_detail::AppendNumber(out, GetHours(), 2, false); break;
        case 'M': ctime_detail::AppendNumber(out, GetMinutes(), 2, false); break;
        case 'S': ctime_detail::AppendNumber(out, GetSeconds(), 2, false); break;
        default: out += *p; break; // "%%" and unknown codes give the character itself
        }
    }
    return CString(out.data(), static_cast<int>(out.size()));
}

// --- CTime ------------------------------------------------------------------

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int dst)
{
    struct tm fields = {};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = dst;
    m_time = mktime(&fields);
}

CTime::CTime(const SYSTEMTIME& time, int dst)
    : CTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, dst)
{
}

CTime::CTime(const FILETIME& time)
{
    const ULONGLONG ticks = (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    m_time = static_cast<time_t>(ticks / 10000000ULL) - ctime_detail::kFileTimeEpochOffset;
}

CTime CTime::GetCurrentTime()
{
    return CTime(::time(nullptr));
}

struct tm* CTime::GetLocalTm(struct tm* out) const
{
    return out ? localtime_r(&m_time, out) : nullptr;
}

struct tm* CTime::GetGmtTm(struct tm* out) const
{
    return out ? gmtime_r(&m_time, out) : nullptr;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& out) const
{
    struct tm fields;
    if (!GetLocalTm(&fields) || fields.tm_year + 1900 < 1601 || fields.tm_year + 1900 > 30827)
        return FALSE;
    out.wYear = static_cast<WORD>(fields.tm_year + 1900);
    out.wMonth = static_cast<WORD>(fields.tm_mon + 1);
    out.wDayOfWeek = static_cast<WORD>(fields.tm_wday);
    out.wDay = static_cast<WORD>(fields.tm_mday);
    out.wHour = static_cast<WORD>(fields.tm_hour);
    out.wMinute = static_cast<WORD>(fields.tm_min);
    out.wSecond = static_cast<WORD>(fields.tm_sec);
    out.wMilliseconds = 0;
    return TRUE;
}

int CTime::LocalField(int tm::*field, int offset) const
{
    struct tm fields;
    return GetLocalTm(&fields) ? fields.*field + offset : -1;
}

int CTime::GetYear() const { return LocalField(&tm::tm_year, 1900); }
int CTime::GetMonth() const { return LocalField(&tm::tm_mon, 1); }
int CTime::GetDay() const { return LocalField(&tm::tm_mday, 0); }
int CTime::GetHour() const { return LocalField(&tm::tm_hour, 0); }
int CTime::GetMinute() const { return LocalField(&tm::tm_min, 0); }
int CTime::GetSecond() const { return LocalField(&tm::tm_sec, 0); }
int CTime::GetDayOfWeek() const { return LocalField(&tm::tm_wday, 1); }

CString CTime::Format(LPCTSTR format) const
{
    struct tm fields;
    return GetLocalTm(&fields) ? tw::FormatTimeFields(fields, format) : CString();
}

CString CTime::FormatGmt(LPCTSTR format) const
{
    struct tm fields;
    return GetGmtTm(&fields) ? tw::FormatTimeFields(fields, format) : CString();
}

CTime& CTime::operator+=(CTimeSpan span)
{
    m_time += span.GetTimeSpan();
    return *this;
}

CTime& CTime::operator-=(CTimeSpan span)
{
    m_time -= span.GetTimeSpan();
    return *this;
}
