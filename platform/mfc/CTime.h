// The framework's calendar time (seconds since 1970, shown in local time) and
// its span. Format codes are the platform run time's strftime codes in its
// default "C" locale, so "%c" gives "12/31/99 23:59:59".
#pragma once

#include <ctime>

#include "platform/mfc/CString.h"
#include "platform/win32/windef.h"

// The platform's headers define GetCurrentTime() as GetTickCount(); here it names the member.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

class CTimeSpan {
public:
    CTimeSpan() = default;
    CTimeSpan(time_t seconds) : m_span(seconds) {}
    CTimeSpan(LONG days, int hours, int minutes, int seconds);

    LONGLONG GetDays() const { return m_span / 86400; }
    LONGLONG GetTotalHours() const { return m_span / 3600; }
    LONGLONG GetTotalMinutes() const { return m_span / 60; }
    LONGLONG GetTotalSeconds() const { return m_span; }
    // The parts within the next larger unit: hours 0..23, minutes and seconds 0..59.
    LONG GetHours() const { return static_cast<LONG>(GetTotalHours() - GetDays() * 24); }
    LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60); }
    LONG GetSeconds() const { return static_cast<LONG>(GetTotalSeconds() - GetTotalMinutes() * 60); }
    time_t GetTimeSpan() const { return m_span; }

    // "%D" total days, "%H" "%M" "%S" two-digit parts, "%%" a percent sign.
    CString Format(LPCTSTR format) const;

    CTimeSpan operator+(CTimeSpan other) const { return CTimeSpan(m_span + other.m_span); }
    CTimeSpan operator-(CTimeSpan other) const { return CTimeSpan(m_span - other.m_span); }
    CTimeSpan operator-() const { return CTimeSpan(-m_span); }
    CTimeSpan& operator+=(CTimeSpan other);
    CTimeSpan& operator-=(CTimeSpan other);
    auto operator<=>(const CTimeSpan&) const = default;

private:
    time_t m_span = 0;
};

class CTime {
public:
    CTime() = default;
    CTime(time_t time) : m_time(time) {}
    // Local time; dst < 0 lets the run time decide whether daylight saving applies.
    CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);
    CTime(const SYSTEMTIME& time, int dst = -1);
    CTime(const FILETIME& time);

    static CTime GetCurrentTime();

    time_t GetTime() const { return m_time; }
    // Broken-down local (or UTC) time; NULL when the time cannot be represented.
    struct tm* GetLocalTm(struct tm* out) const;
    struct tm* GetGmtTm(struct tm* out) const;
    BOOL GetAsSystemTime(SYSTEMTIME& out) const;

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 = Sunday

    CString Format(LPCTSTR format) const;
    CString FormatGmt(LPCTSTR format) const;

    CTimeSpan operator-(CTime other) const { return CTimeSpan(m_time - other.m_time); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan span);
    CTime& operator-=(CTimeSpan span);
    auto operator<=>(const CTime&) const = default;

private:
    int LocalField(int tm::*field, int offset) const;

    time_t m_time = 0;
};

namespace tw {

// strftime over the platform's codes, names and "C"-locale layouts, with its
// '#' flag ("%#d" drops leading zeros, "%#c" and "%#x" give the long date).
CString FormatTimeFields(const struct tm& fields, LPCTSTR format);

} // namespace tw
