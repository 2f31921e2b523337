// The framework's automation date: a DATE (days since 12/30/1899, the fraction
// the time of day, counting forward even for days before that) with a status.
// Its default text is the variant conversion's, so a date reads the same in a
// grid cell, a converted variant and here.
#pragma once

#include <ctime>

#include "platform/com/OleTypes.h"
#include "platform/mfc/CString.h"

// The platform's headers define GetCurrentTime() as GetTickCount(); here it names the member.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

#define AFX_OLE_DATETIME_ERROR (-1)

class COleDateTimeSpan {
public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan() = default;
    COleDateTimeSpan(double days) : m_span(days) {}
    COleDateTimeSpan(long days, int hours, int minutes, int seconds);

    void SetDateTimeSpan(long days, int hours, int minutes, int seconds);
    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24; }
    double GetTotalMinutes() const { return m_span * 24 * 60; }
    double GetTotalSeconds() const { return m_span * 24 * 60 * 60; }
    // Whole days, then the parts within them, from the span rounded to the second.
    long GetDays() const;
    long GetHours() const;
    long GetMinutes() const;
    long GetSeconds() const;

    operator double() const { return m_span; }

    // "%D" days, "%H" "%M" "%S" two-digit parts, "%%" a percent sign.
    CString Format(LPCTSTR format) const;

    COleDateTimeSpan operator+(const COleDateTimeSpan& other) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& other) const;
    COleDateTimeSpan operator-() const;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& other);
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& other);
    bool operator==(const COleDateTimeSpan& other) const;
    bool operator!=(const COleDateTimeSpan& other) const { return !(*this == other); }
    bool operator<(const COleDateTimeSpan& other) const { return m_span < other.m_span; }
    bool operator>(const COleDateTimeSpan& other) const { return m_span > other.m_span; }
    bool operator<=(const COleDateTimeSpan& other) const { return m_span <= other.m_span; }
    bool operator>=(const COleDateTimeSpan& other) const { return m_span >= other.m_span; }

    double m_span = 0.0;
    DateTimeSpanStatus m_status = valid;

private:
    long long RoundedSeconds() const;
};

class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default; // the zero date, 12/30/1899 00:00:00
    COleDateTime(DATE value);
    COleDateTime(const VARIANT& value);
    COleDateTime(time_t value); // shown in local time
    COleDateTime(const SYSTEMTIME& value);
    COleDateTime(const FILETIME& value);
    COleDateTime(int year, int month, int day, int hour, int minute, int second);

    static COleDateTime GetCurrentTime();

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    operator DATE() const { return m_dt; }

    // 0 on success; 1, with the status invalid, for a date outside 1/1/100..12/31/9999 or a bad part.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day);
    int SetTime(int hour, int minute, int second);

    // Parts of a valid date, rounded to the second; AFX_OLE_DATETIME_ERROR otherwise.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 = Sunday
    int GetDayOfYear() const; // 1 = January 1
    BOOL GetAsSystemTime(SYSTEMTIME& out) const;

    // The locale's default text ("1/2/2003 4:05:06 PM", "12:00:00 AM" for the zero date).
    CString Format(DWORD flags = 0, LCID locale = LOCALE_USER_DEFAULT) const;
    // strftime codes; "%c" gives "01/02/03 16:05:06".
    CString Format(LPCTSTR format) const;
    // FALSE, with the status invalid, when the text is no date or time.
    BOOL ParseDateTime(LPCTSTR text, DWORD flags = 0, LCID locale = LOCALE_USER_DEFAULT);

    COleDateTime& operator=(DATE value);
    COleDateTime& operator=(time_t value);
    COleDateTime& operator=(const SYSTEMTIME& value);
    COleDateTime& operator=(const FILETIME& value);
    COleDateTime& operator=(const VARIANT& value);

    // Order and arithmetic follow the calendar, also for times before 12/30/1899.
    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const { return other < *this; }
    bool operator<=(const COleDateTime& other) const { return !(other < *this); }
    bool operator>=(const COleDateTime& other) const { return !(*this < other); }

    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span);
    COleDateTime& operator-=(const COleDateTimeSpan& span);
    COleDateTimeSpan operator-(const COleDateTime& other) const;

    DATE m_dt = 0.0;
    DateTimeStatus m_status = valid;

private:
    void SetFromTimeT(time_t value);
};
