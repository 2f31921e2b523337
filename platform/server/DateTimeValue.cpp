#include "platform/server/DateTimeValue.h"

#include "platform/win32/kernel/Time.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace tw::server {

namespace datetime_detail {


const int64_t kEpoch1900 = tw::DaysFromCivil(1900, 1, 1);
const char* const kMonths[] = {"January", "February", "March", "April", "May", "June", "July", "August",
                               "September", "October", "November", "December"};
const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

bool ValidDate(int y, int m, int d)
{
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1753 || y > 9999 || m < 1 || m > 12 || d < 1)
        return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= lengths[m - 1] + (m == 2 && leap ? 1 : 0);
}

std::string Canonical(const std::string& part)
{
    static const std::pair<const char*, const char*> aliases[] = {
        {"yy", "year"}, {"yyyy", "year"}, {"qq", "quarter"}, {"q", "quarter"}, {"mm", "month"}, {"m", "month"},
        {"dy", "dayofyear"}, {"y", "dayofyear"}, {"dd", "day"}, {"d", "day"}, {"wk", "week"}, {"ww", "week"},
        {"dw", "weekday"}, {"hh", "hour"}, {"mi", "minute"}, {"n", "minute"}, {"ss", "second"}, {"s", "second"},
        {"ms", "millisecond"}};
    for (const auto& [alias, name] : aliases)
        if (part == alias)
            return name;
    return part;
}

// Reads the time after a date: hh:mi[:ss[.mmm|:mmm]] [AM|PM].
bool ParseTime(const char*& p, int64_t& ms)
{
    while (*p == ' ' || *p == 'T')
        ++p;
    if (!*p)
        return true;
    int h = 0, mi = 0, s = 0, frac = 0, n = 0;
    if (std::sscanf(p, "%d:%d%n", &h, &mi, &n) < 2)
        return false;
    p += n;
    if (*p == ':') {
        ++p;
        if (std::sscanf(p, "%d%n", &s, &n) < 1)
            return false;
        p += n;
        if (*p == '.' || *p == ':') {
            ++p;
            int digits = 0;
            while (std::isdigit(static_cast<unsigned char>(*p))) {
                if (digits < 3) {
                    frac = frac * 10 + (*p - '0');
                    ++digits;
                }
                ++p;
            }
            while (digits++ < 3)
                frac *= 10;
        }
    }
    while (*p == ' ')
        ++p;
    if ((p[0] == 'P' || p[0] == 'p') && (p[1] == 'M' || p[1] == 'm')) {
        if (h < 12)
            h += 12;
        p += 2;
    } else if ((p[0] == 'A' || p[0] == 'a') && (p[1] == 'M' || p[1] == 'm')) {
        if (h == 12)
            h = 0;
        p += 2;
    }
    while (*p == ' ')
        ++p;
    if (*p || h > 23 || mi > 59 || s > 59)
        return false;
    ms = ((h * 60 + mi) * 60 + s) * 1000LL + frac;
    return true;
}

int MonthFromName(const char*& p)
{
    for (int i = 0; i < 12; ++i) {
        const std::string name = kMonths[i];
        size_t n = 0;
        while (p[n] && std::isalpha(static_cast<unsigned char>(p[n])))
            ++n;
        if (n < 3 || n > name.size())
            continue;
        bool same = true;
        for (size_t k = 0; k < n; ++k)
            if (std::tolower(static_cast<unsigned char>(p[k])) != std::tolower(static_cast<unsigned char>(name[k])))
                same = false;
        if (same) {
            p += n;
            return i + 1;
        }
    }
    return 0;
}

} // namespace datetime_detail


DateTimeValue DateTimeValue::FromCivil(int year, int month, int day, int64_t ms)
{
    return {tw::DaysFromCivil(year, month, day) - datetime_detail::kEpoch1900, ms};
}

DateTimeValue DateTimeValue::Now()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const int64_t millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    // Rounded to SQL Server's 1/300 s ticks: .000, .003, .007.
    const int64_t ticks = (millis * 300 + 500) / 1000;
    int64_t rounded = (ticks * 1000 + 150) / 300;
    if (rounded > 997)
        rounded = 997;
    return FromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                     ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 1000LL + rounded);
}

std::optional<DateTimeValue> DateTimeValue::Parse(const std::string& input, const std::string& dateFormat)
{
    std::string text = input;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    const char* p = text.c_str();
    while (*p == ' ')
        ++p;
    int y = 0, m = 0, d = 0, n = 0;
    int64_t ms = 0;
    if (std::isalpha(static_cast<unsigned char>(*p))) {
        m = datetime_detail::MonthFromName(p);
        if (!m || std::sscanf(p, " %d%n", &d, &n) < 1)
            return std::nullopt;
        p += n;
        if (*p == ',')
            ++p;
        if (std::sscanf(p, " %d%n", &y, &n) < 1)
            return std::nullopt;
        p += n;
    } else if (std::sscanf(p, "%4d-%2d-%2d%n", &y, &m, &d, &n) == 3 && n >= 8) {
        p += n;
    } else if (std::isdigit(static_cast<unsigned char>(p[0])) && text.size() >= 8 &&
               std::sscanf(p, "%4d%2d%2d%n", &y, &m, &d, &n) == 3 && n == 8) {
        p += n;
    } else {
        int a = 0, b = 0, c = 0;
        char sep1 = 0, sep2 = 0;
        if (std::sscanf(p, "%d%c%d%c%d%n", &a, &sep1, &b, &sep2, &c, &n) < 5 || sep1 != sep2 ||
            (sep1 != '/' && sep1 != '-' && sep1 != '.'))
            return std::nullopt;
        p += n;
        if (a > 31) {
            y = a; m = b; d = c;
        } else if (dateFormat == "dmy") {
            d = a; m = b; y = c;
        } else if (dateFormat == "ymd") {
            y = a; m = b; d = c;
        } else {
            m = a; d = b; y = c;
        }
        if (y < 100)
            y += y < 50 ? 2000 : 1900;
    }
    if (!datetime_detail::ValidDate(y, m, d) || !datetime_detail::ParseTime(p, ms))
        return std::nullopt;
    return FromCivil(y, m, d, ms);
}

void DateTimeValue::ToCivil(int& year, int& month, int& day) const
{
    tw::CivilFromDays(days + datetime_detail::kEpoch1900, year, month, day);
}

std::string DateTimeValue::ToCanonical() const
{
    int y, m, d;
    ToCivil(y, m, d);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d", y, m, d,
                  static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60), static_cast<int>(ms / 1000 % 60),
                  static_cast<int>(ms % 1000));
    return buffer;
}

std::string DateTimeValue::Format(int style) const
{
    int y, m, d;
    ToCivil(y, m, d);
    const int h = static_cast<int>(ms / 3600000), mi = static_cast<int>(ms / 60000 % 60);
    const int s = static_cast<int>(ms / 1000 % 60), milli = static_cast<int>(ms % 1000);
    const bool century = style >= 100;
    const int yy = century ? y : y % 100;
    const char* yfmt = century ? "%04d" : "%02d";
    char year[8];
    std::snprintf(year, sizeof year, yfmt, yy);
    const std::string mon = std::string(datetime_detail::kMonths[m - 1]).substr(0, 3);
    const int h12 = h % 12 == 0 ? 12 : h % 12;
    const char* ampm = h < 12 ? "AM" : "PM";
    char b[80];
    switch (style) {
    case 0: case 100:
        std::snprintf(b, sizeof b, "%s %2d %04d %2d:%02d%s", mon.c_str(), d, y, h12, mi, ampm); break;
    case 1: case 101: std::snprintf(b, sizeof b, "%02d/%02d/%s", m, d, year); break;
    case 2: case 102: std::snprintf(b, sizeof b, "%s.%02d.%02d", year, m, d); break;
    case 3: case 103: std::snprintf(b, sizeof b, "%02d/%02d/%s", d, m, year); break;
    case 4: case 104: std::snprintf(b, sizeof b, "%02d.%02d.%s", d, m, year); break;
    case 5: case 105: std::snprintf(b, sizeof b, "%02d-%02d-%s", d, m, year); break;
    case 6: case 106: std::snprintf(b, sizeof b, "%02d %s %s", d, mon.c_str(), year); break;
    case 7: case 107: std::snprintf(b, sizeof b, "%s %02d, %s", mon.c_str(), d, year); break;
    case 8: case 108: std::snprintf(b, sizeof b, "%02d:%02d:%02d", h, mi, s); break;
    case 9: case 109:
        std::snprintf(b, sizeof b, "%s %2d %04d %2d:%02d:%02d:%03d%s", mon.c_str(), d, y, h12, mi, s, milli, ampm);
        break;
    case 10: case 110: std::snprintf(b, sizeof b, "%02d-%02d-%s", m, d, year); break;
    case 11: case 111: std::snprintf(b, sizeof b, "%s/%02d/%02d", year, m, d); break;
    case 12: case 112: std::snprintf(b, sizeof b, "%s%02d%02d", year, m, d); break;
    case 13: case 113:
        std::snprintf(b, sizeof b, "%02d %s %04d %02d:%02d:%02d:%03d", d, mon.c_str(), y, h, mi, s, milli); break;
    case 14: case 114: std::snprintf(b, sizeof b, "%02d:%02d:%02d:%03d", h, mi, s, milli); break;
    case 20: case 120: std::snprintf(b, sizeof b, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, h, mi, s); break;
    case 21: case 121: return ToCanonical();
    case 126: std::snprintf(b, sizeof b, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", y, m, d, h, mi, s, milli); break;
    default: return {};
    }
    return b;
}

std::optional<int64_t> DateTimeValue::Part(const std::string& rawPart, int dateFirst) const
{
    const std::string part = datetime_detail::Canonical(rawPart);
    int y, m, d;
    ToCivil(y, m, d);
    const int64_t weekday = ((days + 1) % 7 + 7) % 7 + 1; // 1 = Sunday (1900-01-01 was a Monday)
    if (part == "year") return y;
    if (part == "quarter") return (m - 1) / 3 + 1;
    if (part == "month") return m;
    if (part == "dayofyear") return days - FromCivil(y, 1, 1).days + 1;
    if (part == "day") return d;
    if (part == "weekday") return ((weekday - 1 - dateFirst % 7 + 7) % 7) + 1;
    if (part == "week") {
        const DateTimeValue jan1 = FromCivil(y, 1, 1);
        const int64_t jan1Weekday = ((jan1.days + 1) % 7 + 7) % 7;
        return (days - jan1.days + jan1Weekday) / 7 + 1;
    }
    if (part == "hour") return ms / 3600000;
    if (part == "minute") return ms / 60000 % 60;
    if (part == "second") return ms / 1000 % 60;
    if (part == "millisecond") return ms % 1000;
    return std::nullopt;
}

std::optional<DateTimeValue> DateTimeValue::Add(const std::string& rawPart, int64_t amount) const
{
    const std::string part = datetime_detail::Canonical(rawPart);
    DateTimeValue r = *this;
    auto addMs = [&](int64_t delta) {
        int64_t total = r.days * 86400000LL + r.ms + delta;
        r.days = total >= 0 ? total / 86400000LL : -((-total + 86399999LL) / 86400000LL);
        r.ms = total - r.days * 86400000LL;
    };
    if (part == "year" || part == "quarter" || part == "month") {
        int y, m, d;
        ToCivil(y, m, d);
        const int64_t months = part == "year" ? amount * 12 : part == "quarter" ? amount * 3 : amount;
        int64_t total = static_cast<int64_t>(y) * 12 + (m - 1) + months;
        y = static_cast<int>(total / 12);
        m = static_cast<int>(total % 12) + 1;
        while (d > 28 && !datetime_detail::ValidDate(y, m, d))
            --d;
        if (!datetime_detail::ValidDate(y, m, d))
            return std::nullopt;
        return FromCivil(y, m, d, ms);
    }
    if (part == "day" || part == "dayofyear" || part == "weekday") addMs(amount * 86400000LL);
    else if (part == "week") addMs(amount * 7 * 86400000LL);
    else if (part == "hour") addMs(amount * 3600000LL);
    else if (part == "minute") addMs(amount * 60000LL);
    else if (part == "second") addMs(amount * 1000LL);
    else if (part == "millisecond") addMs(amount);
    else return std::nullopt;
    return r;
}

std::optional<int64_t> DateTimeValue::Diff(const std::string& rawPart, const DateTimeValue& a, const DateTimeValue& b)
{
    const std::string part = datetime_detail::Canonical(rawPart);
    int y1, m1, d1, y2, m2, d2;
    a.ToCivil(y1, m1, d1);
    b.ToCivil(y2, m2, d2);
    // DATEDIFF counts boundaries crossed, not elapsed units.
    if (part == "year") return y2 - y1;
    if (part == "quarter") return (y2 * 4 + (m2 - 1) / 3) - (y1 * 4 + (m1 - 1) / 3);
    if (part == "month") return (y2 * 12 + m2) - (y1 * 12 + m1);
    if (part == "day" || part == "dayofyear") return b.days - a.days;
    if (part == "week") return (b.days + 1 - ((b.days + 1) % 7 + 7) % 7 - (a.days + 1 - ((a.days + 1) % 7 + 7) % 7)) / 7;
    if (part == "hour") return (b.days * 24 + b.ms / 3600000) - (a.days * 24 + a.ms / 3600000);
    if (part == "minute") return (b.days * 1440 + b.ms / 60000) - (a.days * 1440 + a.ms / 60000);
    if (part == "second") return (b.days * 86400 + b.ms / 1000) - (a.days * 86400 + a.ms / 1000);
    if (part == "millisecond") return (b.days - a.days) * 86400000LL + (b.ms - a.ms);
    return std::nullopt;
}

std::string DateTimeValue::MonthName(int month) { return datetime_detail::kMonths[(month - 1) % 12]; }
std::string DateTimeValue::DayName(int weekday) { return datetime_detail::kDays[(weekday - 1) % 7]; }

} // namespace tw::server
