#include "platform/com/VariantDate.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

#include "platform/win32/kernel/Time.h"

namespace tw::vardate {

namespace {

constexpr long kSecondsPerDay = 86400;


const long kEpochOffset = static_cast<long>(tw::DaysFromCivil(1899, 12, 30));

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// Splits a date into its day number and the second of that day, rounded.
bool SplitDate(DATE value, long& dayNumber, long& secondOfDay)
{
    if (!std::isfinite(value) || value < kMinimumDate || value > kMaximumDate + 0.5 / kSecondsPerDay)
        return false;
    double whole = std::trunc(value);
    long seconds = std::lround(std::floor(std::fabs(value - whole) * kSecondsPerDay + 0.5));
    dayNumber = static_cast<long>(whole);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        ++dayNumber;
    }
    secondOfDay = seconds;
    return true;
}

struct DateToken {
    enum Kind { Number, Word, Separator } kind;
    std::string text;
    int value = 0;
    int digits = 0;
};

bool Tokenize(std::string_view text, std::vector<DateToken>& tokens)
{
    size_t pos = 0;
    while (pos < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[pos]);
        if (std::isspace(c)) {
            ++pos;
        } else if (std::isdigit(c)) {
            DateToken token{DateToken::Number, {}};
            while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
                if (token.digits < 9)
                    token.value = token.value * 10 + (text[pos] - '0');
                ++token.digits;
                ++pos;
            }
            tokens.push_back(token);
        } else if (std::isalpha(c)) {
            DateToken token{DateToken::Word, {}};
            while (pos < text.size() && std::isalpha(static_cast<unsigned char>(text[pos])))
                token.text += static_cast<char>(std::tolower(static_cast<unsigned char>(text[pos++])));
            tokens.push_back(token);
        } else if (c == '/' || c == '-' || c == '.' || c == ',' || c == ':') {
            tokens.push_back(DateToken{DateToken::Separator, std::string(1, static_cast<char>(c))});
            ++pos;
        } else {
            return false;
        }
    }
    return true;
}

const char* const kMonthNames[] = {"january", "february", "march",     "april",   "may",      "june",
                                   "july",    "august",   "september", "october", "november", "december"};
const char* const kDayNames[] = {"sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"};

bool IsPrefixName(const std::string& word, const char* name)
{
    return word.size() >= 3 && std::string_view(name).substr(0, word.size()) == word;
}

int MonthFromWord(const std::string& word)
{
    for (int i = 0; i < 12; ++i) {
        if (IsPrefixName(word, kMonthNames[i]))
            return i + 1;
    }
    return 0;
}

bool IsDayName(const std::string& word)
{
    for (const char* name : kDayNames) {
        if (IsPrefixName(word, name))
            return true;
    }
    return false;
}

int ExpandYear(const DateToken& token)
{
    if (token.digits > 2)
        return token.value;
    return token.value < 30 ? 2000 + token.value : 1900 + token.value;
}

int CurrentYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

struct ParsedDateTime {
    std::vector<DateToken> dateNumbers;
    int monthWord = 0;
    bool hasTime = false;
    int hour = 0, minute = 0, second = 0;
    int meridiem = 0; // 0 none, 1 AM, 2 PM
};

bool IsSeparator(const std::vector<DateToken>& tokens, size_t i, char which)
{
    return i < tokens.size() && tokens[i].kind == DateToken::Separator && tokens[i].text[0] == which;
}

bool IsMeridiem(const std::vector<DateToken>& tokens, size_t i)
{
    if (i >= tokens.size() || tokens[i].kind != DateToken::Word)
        return false;
    const std::string& w = tokens[i].text;
    return w == "am" || w == "pm" || w == "a" || w == "p";
}

bool ReadTime(const std::vector<DateToken>& tokens, size_t& i, ParsedDateTime& parsed)
{
    if (parsed.hasTime)
        return false;
    parsed.hasTime = true;
    parsed.hour = tokens[i].value;
    if (!IsSeparator(tokens, i + 1, ':')) {
        ++i; // "3 PM": an hour alone before its meridiem
        return true;
    }
    if (i + 2 >= tokens.size() || tokens[i + 2].kind != DateToken::Number)
        return false;
    parsed.minute = tokens[i + 2].value;
    i += 3;
    if (IsSeparator(tokens, i, ':')) {
        if (i + 1 >= tokens.size() || tokens[i + 1].kind != DateToken::Number)
            return false;
        parsed.second = tokens[i + 1].value;
        i += 2;
    }
    return true;
}

bool Classify(const std::vector<DateToken>& tokens, ParsedDateTime& parsed)
{
    size_t i = 0;
    while (i < tokens.size()) {
        const DateToken& token = tokens[i];
        if (token.kind == DateToken::Separator) {
            ++i;
        } else if (token.kind == DateToken::Number) {
            if (IsSeparator(tokens, i + 1, ':') || IsMeridiem(tokens, i + 1)) {
                if (!ReadTime(tokens, i, parsed))
                    return false;
            } else {
                parsed.dateNumbers.push_back(token);
                ++i;
            }
        } else if (IsMeridiem(tokens, i)) {
            if (parsed.meridiem != 0)
                return false;
            parsed.meridiem = token.text[0] == 'a' ? 1 : 2;
            ++i;
        } else if (int month = MonthFromWord(token.text); month != 0 && parsed.monthWord == 0) {
            parsed.monthWord = month;
            ++i;
        } else if (IsDayName(token.text)) {
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

bool LooksLikeYear(const DateToken& token)
{
    return token.digits >= 3 || token.value > 31;
}

bool ResolveDate(const ParsedDateTime& parsed, int& year, int& month, int& day)
{
    const auto& n = parsed.dateNumbers;
    if (parsed.monthWord != 0) {
        month = parsed.monthWord;
        if (n.size() == 2) {
            const bool yearFirst = LooksLikeYear(n[0]);
            year = ExpandYear(yearFirst ? n[0] : n[1]);
            day = (yearFirst ? n[1] : n[0]).value;
        } else if (n.size() == 1) {
            year = LooksLikeYear(n[0]) ? ExpandYear(n[0]) : CurrentYear();
            day = LooksLikeYear(n[0]) ? 1 : n[0].value;
        } else {
            return false;
        }
        return true;
    }
    if (n.size() == 3) {
        if (LooksLikeYear(n[0])) {
            year = ExpandYear(n[0]);
            month = n[1].value;
            day = n[2].value;
        } else {
            month = n[0].value;
            day = n[1].value;
            year = ExpandYear(n[2]);
        }
        return true;
    }
    if (n.size() == 2) {
        month = n[0].value;
        if (LooksLikeYear(n[1])) {
            year = ExpandYear(n[1]);
            day = 1;
        } else {
            year = CurrentYear();
            day = n[1].value;
        }
        return true;
    }
    return false;
}

bool ResolveTime(ParsedDateTime& parsed)
{
    if (parsed.meridiem != 0) {
        if (!parsed.hasTime || parsed.hour < 1 || parsed.hour > 12)
            return false;
        parsed.hour %= 12;
        if (parsed.meridiem == 2)
            parsed.hour += 12;
    }
    return parsed.hour < 24 && parsed.minute < 60 && parsed.second < 60;
}

} // namespace

bool FromParts(int year, int month, int day, int hour, int minute, int second, DATE& out)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    const long dayNumber = static_cast<long>(tw::DaysFromCivil(year, month, day)) - kEpochOffset;
    const double fraction = (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
    out = dayNumber >= 0 ? dayNumber + fraction : dayNumber - fraction;
    return true;
}

bool ToSystemTime(DATE value, SYSTEMTIME& out)
{
    long dayNumber = 0;
    long secondOfDay = 0;
    if (!SplitDate(value, dayNumber, secondOfDay))
        return false;
    int year = 0, month = 0, day = 0;
    const long civilDay = dayNumber + kEpochOffset;
    tw::CivilFromDays(civilDay, year, month, day);
    if (year > 9999)
        return false;
    out.wYear = static_cast<WORD>(year);
    out.wMonth = static_cast<WORD>(month);
    out.wDay = static_cast<WORD>(day);
    out.wDayOfWeek = static_cast<WORD>(((civilDay % 7) + 7 + 4) % 7); // 1/1/1970 was a Thursday
    out.wHour = static_cast<WORD>(secondOfDay / 3600);
    out.wMinute = static_cast<WORD>(secondOfDay / 60 % 60);
    out.wSecond = static_cast<WORD>(secondOfDay % 60);
    out.wMilliseconds = 0;
    return true;
}

HRESULT Format(DATE value, DWORD flags, std::string& out)
{
    SYSTEMTIME parts{};
    long dayNumber = 0;
    long secondOfDay = 0;
    if (!SplitDate(value, dayNumber, secondOfDay) || !ToSystemTime(value, parts))
        return E_INVALIDARG;
    bool showDate = dayNumber != 0;
    bool showTime = secondOfDay != 0 || !showDate;
    if (flags & VAR_TIMEVALUEONLY) {
        showDate = false;
        showTime = true;
    } else if (flags & VAR_DATEVALUEONLY) {
        showDate = true;
        showTime = false;
    }
    char buffer[64];
    out.clear();
    if (showDate) {
        std::snprintf(buffer, sizeof buffer, "%u/%u/%u", parts.wMonth, parts.wDay, parts.wYear);
        out = buffer;
    }
    if (showTime) {
        const unsigned hour12 = parts.wHour % 12 == 0 ? 12 : parts.wHour % 12;
        std::snprintf(buffer, sizeof buffer, "%u:%02u:%02u %s", hour12, parts.wMinute, parts.wSecond,
                      parts.wHour < 12 ? "AM" : "PM");
        if (!out.empty())
            out += ' ';
        out += buffer;
    }
    return S_OK;
}

HRESULT Parse(std::string_view text, DATE& out)
{
    std::vector<DateToken> tokens;
    ParsedDateTime parsed;
    if (!Tokenize(text, tokens) || tokens.empty() || !Classify(tokens, parsed) || !ResolveTime(parsed))
        return DISP_E_TYPEMISMATCH;
    const bool hasDate = parsed.monthWord != 0 || !parsed.dateNumbers.empty();
    if (!hasDate) {
        if (!parsed.hasTime)
            return DISP_E_TYPEMISMATCH;
        out = (parsed.hour * 3600.0 + parsed.minute * 60.0 + parsed.second) / kSecondsPerDay;
        return S_OK;
    }
    int year = 0, month = 0, day = 0;
    if (!ResolveDate(parsed, year, month, day))
        return DISP_E_TYPEMISMATCH;
    if (!FromParts(year, month, day, parsed.hour, parsed.minute, parsed.second, out))
        return DISP_E_TYPEMISMATCH;
    return S_OK;
}

} // namespace tw::vardate

INT SystemTimeToVariantTime(LPSYSTEMTIME systemTime, DATE* variantTime)
{
    if (!systemTime || !variantTime)
        return FALSE;
    const SYSTEMTIME& t = *systemTime;
    return tw::vardate::FromParts(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, *variantTime) ? TRUE
                                                                                                         : FALSE;
}

INT VariantTimeToSystemTime(DATE variantTime, LPSYSTEMTIME systemTime)
{
    if (!systemTime)
        return FALSE;
    return tw::vardate::ToSystemTime(variantTime, *systemTime) ? TRUE : FALSE;
}
