// A datetime as SQL Server keeps it: days since 1900-01-01 and milliseconds
// of the day, with the text forms CONVERT produces and accepts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tw::server {

struct DateTimeValue {
    int64_t days = 0; // since 1900-01-01
    int64_t ms = 0;   // since midnight

    // Accepts the canonical "yyyy-mm-dd hh:mi:ss.mmm", "yyyymmdd", "mm/dd/yyyy",
    // "mon dd yyyy" and their time parts; `dateFormat` orders numeric dates ("mdy", "dmy", "ymd").
    static std::optional<DateTimeValue> Parse(const std::string& text, const std::string& dateFormat = "mdy");
    static DateTimeValue FromCivil(int year, int month, int day, int64_t ms = 0);
    static DateTimeValue Now();

    void ToCivil(int& year, int& month, int& day) const;
    // "yyyy-mm-dd hh:mi:ss.mmm": how the server stores and streams datetimes.
    std::string ToCanonical() const;
    // CONVERT(varchar, d, style); empty when the style is unknown.
    std::string Format(int style) const;

    // DATEPART, DATEADD, DATEDIFF with SQL Server's part names; nullopt for an unknown part.
    std::optional<int64_t> Part(const std::string& part, int dateFirst = 7) const;
    std::optional<DateTimeValue> Add(const std::string& part, int64_t amount) const;
    static std::optional<int64_t> Diff(const std::string& part, const DateTimeValue& from, const DateTimeValue& to);
    static std::string MonthName(int month);
    static std::string DayName(int weekday); // 1 = Sunday
};

} // namespace tw::server
