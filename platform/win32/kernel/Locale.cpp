#include "platform/win32/kernel/Locale.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win32/kernel/Time.h"
#include "platform/win32/kernel/Utf8Text.h"

namespace tw {
namespace locale_detail {

constexpr LCID kEnUs = 0x0409;

const char* const kDayNames[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
const char* const kDayAbbrev[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
const char* const kMonthAbbrev[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

struct LocaleEntry {
    LCTYPE type;
    const char* value;
};

const LocaleEntry kLocaleData[] = {
    {LOCALE_ILANGUAGE, "0409"},
    {LOCALE_SLANGUAGE, "English (United States)"},
    {LOCALE_SABBREVLANGNAME, "ENU"},
    {LOCALE_SNATIVELANGNAME, "English"},
    {LOCALE_ICOUNTRY, "1"},
    {LOCALE_SCOUNTRY, "United States"},
    {LOCALE_SABBREVCTRYNAME, "USA"},
    {LOCALE_SNATIVECTRYNAME, "United States"},
    {LOCALE_IDEFAULTLANGUAGE, "0409"},
    {LOCALE_IDEFAULTCOUNTRY, "1"},
    {LOCALE_IDEFAULTCODEPAGE, "65001"},
    {LOCALE_IDEFAULTANSICODEPAGE, "65001"},
    {LOCALE_SLIST, ","},
    {LOCALE_IMEASURE, "1"},
    {LOCALE_SDECIMAL, "."},
    {LOCALE_STHOUSAND, ","},
    {LOCALE_SGROUPING, "3;0"},
    {LOCALE_IDIGITS, "2"},
    {LOCALE_ILZERO, "1"},
    {LOCALE_INEGNUMBER, "1"},
    {LOCALE_SNATIVEDIGITS, "0123456789"},
    {LOCALE_SCURRENCY, "$"},
    {LOCALE_SINTLSYMBOL, "USD"},
    {LOCALE_SMONDECIMALSEP, "."},
    {LOCALE_SMONTHOUSANDSEP, ","},
    {LOCALE_SMONGROUPING, "3;0"},
    {LOCALE_ICURRDIGITS, "2"},
    {LOCALE_IINTLCURRDIGITS, "2"},
    {LOCALE_ICURRENCY, "0"},
    {LOCALE_INEGCURR, "0"},
    {LOCALE_SDATE, "/"},
    {LOCALE_STIME, ":"},
    {LOCALE_SSHORTDATE, "M/d/yyyy"},
    {LOCALE_SLONGDATE, "dddd, MMMM dd, yyyy"},
    {LOCALE_STIMEFORMAT, "h:mm:ss tt"},
    {LOCALE_SYEARMONTH, "MMMM, yyyy"},
    {LOCALE_IDATE, "0"},
    {LOCALE_ILDATE, "0"},
    {LOCALE_ITIME, "0"},
    {LOCALE_ITIMEMARKPOSN, "0"},
    {LOCALE_ICENTURY, "1"},
    {LOCALE_ITLZERO, "0"},
    {LOCALE_IDAYLZERO, "0"},
    {LOCALE_IMONLZERO, "0"},
    {LOCALE_S1159, "AM"},
    {LOCALE_S2359, "PM"},
    {LOCALE_ICALENDARTYPE, "1"},
    {LOCALE_IFIRSTDAYOFWEEK, "6"},
    {LOCALE_IFIRSTWEEKOFYEAR, "0"},
    {LOCALE_SPOSITIVESIGN, ""},
    {LOCALE_SNEGATIVESIGN, "-"},
    {LOCALE_IPOSSIGNPOSN, "3"},
    {LOCALE_INEGSIGNPOSN, "0"},
    {LOCALE_SISO639LANGNAME, "en"},
    {LOCALE_SISO3166CTRYNAME, "US"},
    {LOCALE_SENGLANGUAGE, "English"},
    {LOCALE_SENGCOUNTRY, "United States"},
};

const char* const kShortDateFormats[] = {"M/d/yyyy", "M/d/yy", "MM/dd/yy", "MM/dd/yyyy", "yy/MM/dd", "yyyy-MM-dd",
                                         "dd-MMM-yy"};
const char* const kLongDateFormats[] = {"dddd, MMMM dd, yyyy", "MMMM dd, yyyy", "dddd, dd MMMM, yyyy",
                                        "dd MMMM, yyyy"};
const char* const kYearMonthFormats[] = {"MMMM, yyyy"};
const char* const kTimeFormats[] = {"h:mm:ss tt", "hh:mm:ss tt", "H:mm:ss", "HH:mm:ss"};

bool LookupLocale(LCTYPE type, std::string& value)
{
    if (type >= LOCALE_SDAYNAME1 && type <= LOCALE_SDAYNAME7) {
        value = kDayNames[type - LOCALE_SDAYNAME1];
        return true;
    }
    if (type >= LOCALE_SABBREVDAYNAME1 && type <= LOCALE_SABBREVDAYNAME7) {
        value = kDayAbbrev[type - LOCALE_SABBREVDAYNAME1];
        return true;
    }
    if (type >= LOCALE_SMONTHNAME1 && type <= LOCALE_SMONTHNAME12) {
        value = kMonthNames[type - LOCALE_SMONTHNAME1];
        return true;
    }
    if (type >= LOCALE_SABBREVMONTHNAME1 && type <= LOCALE_SABBREVMONTHNAME12) {
        value = kMonthAbbrev[type - LOCALE_SABBREVMONTHNAME1];
        return true;
    }
    for (const auto& entry : kLocaleData) {
        if (entry.type == type) {
            value = entry.value;
            return true;
        }
    }
    return false;
}

// Copies a result the way the NLS calls do: characters with the NUL; the
// size needed when the buffer size is 0.
int CopyResult(const std::string& text, LPSTR buffer, int size)
{
    const int needed = static_cast<int>(text.size()) + 1;
    if (size == 0)
        return needed;
    if (!buffer || size < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    memcpy(buffer, text.c_str(), text.size() + 1);
    return needed;
}

size_t RunLength(const char* p, char c)
{
    size_t n = 0;
    while (p[n] == c)
        ++n;
    return n;
}

// Copies a quoted literal starting after the opening quote; '' is a quote.
const char* CopyQuoted(const char* p, std::string& out)
{
    while (*p) {
        if (*p == '\'') {
            if (p[1] == '\'') {
                out += '\'';
                p += 2;
                continue;
            }
            return p + 1;
        }
        out += *p++;
    }
    return p;
}

void AppendNumber(std::string& out, int value, int width)
{
    char buffer[16];
    snprintf(buffer, sizeof buffer, "%0*d", width, value);
    out += buffer;
}

bool IsLeapYear(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

bool ValidDate(const SYSTEMTIME& st)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1)
        return false;
    const int limit = st.wMonth == 2 && IsLeapYear(st.wYear) ? 29 : days[st.wMonth - 1];
    return st.wDay <= limit;
}

// 0 = Sunday, as SYSTEMTIME counts.
int DayOfWeek(const SYSTEMTIME& st)
{
    SYSTEMTIME date = st;
    date.wHour = date.wMinute = date.wSecond = date.wMilliseconds = 0;
    FILETIME ft;
    SYSTEMTIME back;
    if (!SystemTimeToFileTime(&date, &ft) || !FileTimeToSystemTime(&ft, &back))
        return st.wDayOfWeek;
    return back.wDayOfWeek;
}

std::string FormatDate(const SYSTEMTIME& st, const char* picture)
{
    std::string out;
    const int weekday = DayOfWeek(st);  // 0 = Sunday
    for (const char* p = picture; *p;) {
        const char c = *p;
        if (c == '\'') {
            p = CopyQuoted(p + 1, out);
            continue;
        }
        const size_t n = (c == 'd' || c == 'M' || c == 'y' || c == 'g') ? RunLength(p, c) : 0;
        if (n == 0) {
            out += *p++;
            continue;
        }
        p += n;
        if (c == 'd') {
            if (n <= 2)
                AppendNumber(out, st.wDay, static_cast<int>(n));
            else
                out += n == 3 ? kDayAbbrev[(weekday + 6) % 7] : kDayNames[(weekday + 6) % 7];
        } else if (c == 'M') {
            if (n <= 2)
                AppendNumber(out, st.wMonth, static_cast<int>(n));
            else
                out += n == 3 ? kMonthAbbrev[st.wMonth - 1] : kMonthNames[st.wMonth - 1];
        } else if (c == 'y') {
            if (n == 1)
                AppendNumber(out, st.wYear % 100, 1);
            else if (n == 2)
                AppendNumber(out, st.wYear % 100, 2);
            else
                AppendNumber(out, st.wYear, 1);
        } else {
            out += "A.D.";
        }
    }
    return out;
}

std::string FormatTime(const SYSTEMTIME& st, const char* picture, DWORD flags)
{
    std::string out;
    size_t lastFieldEnd = 0;
    for (const char* p = picture; *p;) {
        const char c = *p;
        if (c == '\'') {
            p = CopyQuoted(p + 1, out);
            continue;
        }
        const bool field = c == 'h' || c == 'H' || c == 'm' || c == 's' || c == 't';
        if (!field) {
            out += *p++;
            continue;
        }
        const size_t n = RunLength(p, c);
        p += n;
        const bool dropped = ((flags & (TIME_NOSECONDS | TIME_NOMINUTESORSECONDS)) && c == 's') ||
                             ((flags & TIME_NOMINUTESORSECONDS) && c == 'm') ||
                             ((flags & (TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT)) && c == 't');
        if (dropped) {
            // The separator written since the last field goes with it.
            out.resize(lastFieldEnd);
            continue;
        }
        const int width = n >= 2 ? 2 : 1;
        switch (c) {
        case 'h':
            if (flags & TIME_FORCE24HOURFORMAT)
                AppendNumber(out, st.wHour, width);
            else
                AppendNumber(out, st.wHour % 12 == 0 ? 12 : st.wHour % 12, width);
            break;
        case 'H': AppendNumber(out, st.wHour, width); break;
        case 'm': AppendNumber(out, st.wMinute, width); break;
        case 's': AppendNumber(out, st.wSecond, width); break;
        case 't': {
            const char* marker = st.wHour < 12 ? "AM" : "PM";
            out += n == 1 ? std::string(1, marker[0]) : std::string(marker);
            break;
        }
        }
        lastFieldEnd = out.size();
    }
    return out;
}

bool CurrentTimeIfNull(const SYSTEMTIME* given, SYSTEMTIME& st)
{
    if (given) {
        st = *given;
        return true;
    }
    GetLocalTime(&st);
    return true;
}

template <class Proc>
BOOL Enumerate(Proc proc, const char* const* begin, const char* const* end)
{
    if (!proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    for (auto it = begin; it != end; ++it) {
        std::string copy = *it;
        if (!proc(copy.data()))
            break;
    }
    return TRUE;
}

// --- word sort ---------------------------------------------------------------

struct SortChar {
    uint64_t primary;
    uint8_t accent;
    uint8_t upper;
};

struct SortKey {
    std::vector<SortChar> chars;
    std::vector<std::pair<size_t, char32_t>> ignored;  // hyphens and apostrophes
};

// Latin-1 letters with a diacritic: their base letter and which diacritic.
bool DecomposeLatin1(char32_t c, char32_t& base, uint8_t& accent)
{
    struct Entry {
        char32_t from;
        char base;
        uint8_t accent;
    };
    static const Entry table[] = {
        {0xC0, 'A', 1}, {0xC1, 'A', 2}, {0xC2, 'A', 3}, {0xC3, 'A', 4}, {0xC4, 'A', 5}, {0xC5, 'A', 6},
        {0xC7, 'C', 7}, {0xC8, 'E', 1}, {0xC9, 'E', 2}, {0xCA, 'E', 3}, {0xCB, 'E', 5}, {0xCC, 'I', 1},
        {0xCD, 'I', 2}, {0xCE, 'I', 3}, {0xCF, 'I', 5}, {0xD1, 'N', 4}, {0xD2, 'O', 1}, {0xD3, 'O', 2},
        {0xD4, 'O', 3}, {0xD5, 'O', 4}, {0xD6, 'O', 5}, {0xD8, 'O', 8}, {0xD9, 'U', 1}, {0xDA, 'U', 2},
        {0xDB, 'U', 3}, {0xDC, 'U', 5}, {0xDD, 'Y', 2}, {0xE0, 'a', 1}, {0xE1, 'a', 2}, {0xE2, 'a', 3},
        {0xE3, 'a', 4}, {0xE4, 'a', 5}, {0xE5, 'a', 6}, {0xE7, 'c', 7}, {0xE8, 'e', 1}, {0xE9, 'e', 2},
        {0xEA, 'e', 3}, {0xEB, 'e', 5}, {0xEC, 'i', 1}, {0xED, 'i', 2}, {0xEE, 'i', 3}, {0xEF, 'i', 5},
        {0xF1, 'n', 4}, {0xF2, 'o', 1}, {0xF3, 'o', 2}, {0xF4, 'o', 3}, {0xF5, 'o', 4}, {0xF6, 'o', 5},
        {0xF8, 'o', 8}, {0xF9, 'u', 1}, {0xFA, 'u', 2}, {0xFB, 'u', 3}, {0xFC, 'u', 5}, {0xFD, 'y', 2},
        {0xFF, 'y', 5},
    };
    for (const auto& e : table) {
        if (e.from == c) {
            base = static_cast<char32_t>(static_cast<unsigned char>(e.base));
            accent = e.accent;
            return true;
        }
    }
    return false;
}

SortKey MakeSortKey(const char* s, size_t length, DWORD flags)
{
    SortKey key;
    const char* end = s + length;
    size_t index = 0;
    for (const char* p = s; p < end; ++index) {
        size_t n;
        const char32_t c = utf8::Decode(p, end, n);
        p += n;
        if (!(flags & SORT_STRINGSORT) && (c == '-' || c == '\'')) {
            key.ignored.emplace_back(index, c);
            continue;
        }
        char32_t base = c;
        uint8_t accent = 0;
        DecomposeLatin1(c, base, accent);
        SortChar sc{};
        if (c >= '0' && c <= '9') {
            sc.primary = (1ull << 32) | c;
        } else if (utf8::IsAlpha(base)) {
            sc.primary = (2ull << 32) | utf8::ToLower(base);
            sc.upper = utf8::IsUpper(base) ? 1 : 0;
        } else {
            if (flags & NORM_IGNORESYMBOLS)
                continue;
            sc.primary = c;
        }
        sc.accent = (flags & NORM_IGNORENONSPACE) ? 0 : accent;
        if (flags & NORM_IGNORECASE)
            sc.upper = 0;
        key.chars.push_back(sc);
    }
    return key;
}

template <class Field>
int CompareLevel(const SortKey& a, const SortKey& b, Field field)
{
    const size_t n = std::min(a.chars.size(), b.chars.size());
    for (size_t i = 0; i < n; ++i) {
        const auto x = field(a.chars[i]);
        const auto y = field(b.chars[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.chars.size() != b.chars.size())
        return a.chars.size() < b.chars.size() ? -1 : 1;
    return 0;
}

int CompareKeys(const SortKey& a, const SortKey& b)
{
    if (int r = CompareLevel(a, b, [](const SortChar& c) { return c.primary; }))
        return r;
    if (int r = CompareLevel(a, b, [](const SortChar& c) { return c.accent; }))
        return r;
    if (int r = CompareLevel(a, b, [](const SortChar& c) { return c.upper; }))
        return r;
    if (a.ignored.size() != b.ignored.size())
        return a.ignored.size() < b.ignored.size() ? -1 : 1;
    for (size_t i = 0; i < a.ignored.size(); ++i) {
        if (a.ignored[i] != b.ignored[i])
            return a.ignored[i] < b.ignored[i] ? 1 : -1;
    }
    return 0;
}

size_t LengthOf(const char* s, int count)
{
    if (count < 0)
        return strlen(s);
    // A count may run past a NUL; the platform stops there.
    const void* nul = memchr(s, '\0', static_cast<size_t>(count));
    return nul ? static_cast<size_t>(static_cast<const char*>(nul) - s) : static_cast<size_t>(count);
}

bool IsSingleCharacter(LPCSTR p)
{
    return (reinterpret_cast<uintptr_t>(p) >> 16) == 0;
}

bool IsAcpCodePage(UINT codePage)
{
    return codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_THREAD_ACP || codePage == CP_UTF8;
}

}  // namespace locale_detail
}  // namespace tw

namespace ld_ = tw::locale_detail;

LCID GetUserDefaultLCID()
{
    return ld_::kEnUs;
}

LCID GetSystemDefaultLCID()
{
    return ld_::kEnUs;
}

LCID GetThreadLocale()
{
    return ld_::kEnUs;
}

LANGID GetUserDefaultLangID()
{
    return static_cast<LANGID>(ld_::kEnUs);
}

LANGID GetSystemDefaultLangID()
{
    return static_cast<LANGID>(ld_::kEnUs);
}

namespace {

// The user's own settings over the locale's, for this process.
std::mutex& UserLocaleLock()
{
    static std::mutex lock;
    return lock;
}

std::map<LCTYPE, std::string>& UserLocaleValues()
{
    static std::map<LCTYPE, std::string> values;
    return values;
}

}  // namespace

int GetLocaleInfo(LCID, LCTYPE LCType, LPSTR lpLCData, int cchData)
{
    const LCTYPE type = LCType & ~(LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP | LOCALE_RETURN_NUMBER);
    std::string value;
    if (!ld_::LookupLocale(type, value)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    if (!(LCType & LOCALE_NOUSEROVERRIDE)) {
        std::lock_guard lock(UserLocaleLock());
        auto found = UserLocaleValues().find(type);
        if (found != UserLocaleValues().end())
            value = found->second;
    }
    if (LCType & LOCALE_RETURN_NUMBER) {
        // The number comes back as a DWORD in the buffer; sizes count in
        // two-byte units, as the platform's wide form does.
        const bool numeric = !value.empty() && value.find_first_not_of("0123456789") == std::string::npos;
        if (!numeric) {
            SetLastError(ERROR_INVALID_FLAGS);
            return 0;
        }
        const int units = static_cast<int>(sizeof(DWORD) / sizeof(WCHAR));
        if (cchData == 0)
            return units;
        if (cchData < units || !lpLCData) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        const DWORD number = static_cast<DWORD>(strtoul(value.c_str(), nullptr, type == LOCALE_ILANGUAGE ? 16 : 10));
        memcpy(lpLCData, &number, sizeof number);
        return units;
    }
    return ld_::CopyResult(value, lpLCData, cchData);
}

BOOL SetLocaleInfo(LCID, LCTYPE LCType, LPCSTR lpLCData)
{
    std::string current;
    if (!lpLCData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if ((LCType & (LOCALE_NOUSEROVERRIDE | LOCALE_RETURN_NUMBER)) || !ld_::LookupLocale(LCType, current)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return FALSE;
    }
    std::lock_guard lock(UserLocaleLock());
    UserLocaleValues()[LCType] = lpLCData;
    return TRUE;
}

int GetDateFormat(LCID, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCSTR lpFormat, LPSTR lpDateStr, int cchDate)
{
    const DWORD kinds = dwFlags & (DATE_SHORTDATE | DATE_LONGDATE | DATE_YEARMONTH);
    if ((lpFormat && kinds) || (kinds & (kinds - 1)) || cchDate < 0) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    SYSTEMTIME st;
    ld_::CurrentTimeIfNull(lpDate, st);
    if (!ld_::ValidDate(st)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const char* picture = lpFormat;
    if (!picture) {
        picture = kinds == DATE_LONGDATE ? "dddd, MMMM dd, yyyy" : (kinds == DATE_YEARMONTH ? "MMMM, yyyy" : "M/d/yyyy");
    }
    return ld_::CopyResult(ld_::FormatDate(st, picture), lpDateStr, cchDate);
}

int GetTimeFormat(LCID, DWORD dwFlags, const SYSTEMTIME* lpTime, LPCSTR lpFormat, LPSTR lpTimeStr, int cchTime)
{
    if (cchTime < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    SYSTEMTIME st;
    ld_::CurrentTimeIfNull(lpTime, st);
    if (st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59 || st.wMilliseconds > 999) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return ld_::CopyResult(ld_::FormatTime(st, lpFormat ? lpFormat : "h:mm:ss tt", dwFlags), lpTimeStr, cchTime);
}

BOOL EnumDateFormats(DATEFMT_ENUMPROC lpDateFmtEnumProc, LCID, DWORD dwFlags)
{
    switch (dwFlags & ~LOCALE_USE_CP_ACP) {
    case DATE_SHORTDATE:
        return ld_::Enumerate(lpDateFmtEnumProc, std::begin(ld_::kShortDateFormats), std::end(ld_::kShortDateFormats));
    case DATE_LONGDATE:
        return ld_::Enumerate(lpDateFmtEnumProc, std::begin(ld_::kLongDateFormats), std::end(ld_::kLongDateFormats));
    case DATE_YEARMONTH:
        return ld_::Enumerate(lpDateFmtEnumProc, std::begin(ld_::kYearMonthFormats),
                              std::end(ld_::kYearMonthFormats));
    default: SetLastError(ERROR_INVALID_FLAGS); return FALSE;
    }
}

BOOL EnumTimeFormats(TIMEFMT_ENUMPROC lpTimeFmtEnumProc, LCID, DWORD dwFlags)
{
    if (dwFlags & ~LOCALE_USE_CP_ACP) {
        SetLastError(ERROR_INVALID_FLAGS);
        return FALSE;
    }
    return ld_::Enumerate(lpTimeFmtEnumProc, std::begin(ld_::kTimeFormats), std::end(ld_::kTimeFormats));
}

int CompareString(LCID, DWORD dwCmpFlags, LPCSTR lpString1, int cchCount1, LPCSTR lpString2, int cchCount2)
{
    if (!lpString1 || !lpString2) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const auto a = ld_::MakeSortKey(lpString1, ld_::LengthOf(lpString1, cchCount1), dwCmpFlags);
    const auto b = ld_::MakeSortKey(lpString2, ld_::LengthOf(lpString2, cchCount2), dwCmpFlags);
    return ld_::CompareKeys(a, b) + 2;
}

int lstrcmp(LPCSTR lpString1, LPCSTR lpString2)
{
    return CompareString(LOCALE_USER_DEFAULT, 0, lpString1 ? lpString1 : "", -1, lpString2 ? lpString2 : "", -1) - 2;
}

int lstrcmpi(LPCSTR lpString1, LPCSTR lpString2)
{
    return CompareString(LOCALE_USER_DEFAULT, NORM_IGNORECASE, lpString1 ? lpString1 : "", -1,
                         lpString2 ? lpString2 : "", -1) -
           2;
}

LPSTR CharUpper(LPSTR lpsz)
{
    if (ld_::IsSingleCharacter(lpsz)) {
        const auto c = static_cast<char32_t>(reinterpret_cast<uintptr_t>(lpsz) & 0xFFFF);
        return reinterpret_cast<LPSTR>(static_cast<uintptr_t>(tw::utf8::ToUpper(c)));
    }
    tw::utf8::UpperInPlace(lpsz, strlen(lpsz));
    return lpsz;
}

LPSTR CharLower(LPSTR lpsz)
{
    if (ld_::IsSingleCharacter(lpsz)) {
        const auto c = static_cast<char32_t>(reinterpret_cast<uintptr_t>(lpsz) & 0xFFFF);
        return reinterpret_cast<LPSTR>(static_cast<uintptr_t>(tw::utf8::ToLower(c)));
    }
    tw::utf8::LowerInPlace(lpsz, strlen(lpsz));
    return lpsz;
}

DWORD CharUpperBuff(LPSTR lpsz, DWORD cchLength)
{
    if (!lpsz)
        return 0;
    tw::utf8::UpperInPlace(lpsz, cchLength);
    return cchLength;
}

DWORD CharLowerBuff(LPSTR lpsz, DWORD cchLength)
{
    if (!lpsz)
        return 0;
    tw::utf8::LowerInPlace(lpsz, cchLength);
    return cchLength;
}

BOOL IsCharLower(CHAR ch)
{
    return tw::utf8::IsLower(static_cast<unsigned char>(ch)) && static_cast<unsigned char>(ch) < 0x80;
}

BOOL IsCharUpper(CHAR ch)
{
    return tw::utf8::IsUpper(static_cast<unsigned char>(ch)) && static_cast<unsigned char>(ch) < 0x80;
}

BOOL IsCharAlpha(CHAR ch)
{
    return tw::utf8::IsAlpha(static_cast<unsigned char>(ch)) && static_cast<unsigned char>(ch) < 0x80;
}

BOOL IsCharAlphaNumeric(CHAR ch)
{
    return tw::utf8::IsAlnum(static_cast<unsigned char>(ch)) && static_cast<unsigned char>(ch) < 0x80;
}

LPSTR CharNext(LPCSTR lpsz)
{
    if (!*lpsz)
        return const_cast<LPSTR>(lpsz);
    size_t n;
    tw::utf8::Decode(lpsz, lpsz + strnlen(lpsz, 4), n);
    return const_cast<LPSTR>(lpsz + n);
}

LPSTR CharPrev(LPCSTR lpszStart, LPCSTR lpszCurrent)
{
    return const_cast<LPSTR>(tw::utf8::PreviousCharacter(lpszStart, lpszCurrent));
}

int lstrlen(LPCSTR lpString)
{
    return lpString ? static_cast<int>(strlen(lpString)) : 0;
}

LPSTR lstrcpy(LPSTR lpString1, LPCSTR lpString2)
{
    if (!lpString1 || !lpString2)
        return nullptr;
    return strcpy(lpString1, lpString2);
}

LPSTR lstrcpyn(LPSTR lpString1, LPCSTR lpString2, int iMaxLength)
{
    if (!lpString1 || !lpString2 || iMaxLength <= 0)
        return iMaxLength == 0 ? lpString1 : nullptr;
    const size_t limit = static_cast<size_t>(iMaxLength - 1);
    size_t length = strnlen(lpString2, limit);
    // Do not cut a multibyte character in two.
    if (length == limit && lpString2[length] != '\0') {
        const auto* s = reinterpret_cast<const unsigned char*>(lpString2);
        size_t start = length;
        while (start > 0 && length - start < 3 && (s[start] & 0xC0) == 0x80)
            --start;
        const size_t sequence = tw::utf8::SequenceLength(s[start]);
        if (start < length && start + sequence > length &&
            tw::utf8::IsValidSequence(lpString2 + start, lpString2 + start + strnlen(lpString2 + start, sequence)))
            length = start;
    }
    memcpy(lpString1, lpString2, length);
    lpString1[length] = '\0';
    return lpString1;
}

LPSTR lstrcat(LPSTR lpString1, LPCSTR lpString2)
{
    if (!lpString1 || !lpString2)
        return nullptr;
    return strcat(lpString1, lpString2);
}

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar)
{
    if (!ld_::IsAcpCodePage(CodePage) || !lpMultiByteStr || cbMultiByte == 0 || cchWideChar < 0 ||
        (cchWideChar > 0 && !lpWideCharStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t length = cbMultiByte < 0 ? strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    std::u16string wide;
    const char* end = lpMultiByteStr + length;
    for (const char* p = lpMultiByteStr; p < end;) {
        const bool valid = tw::utf8::IsValidSequence(p, end);
        size_t n;
        char32_t c = tw::utf8::Decode(p, end, n);
        if (!valid) {
            if (dwFlags & MB_ERR_INVALID_CHARS) {
                SetLastError(ERROR_NO_UNICODE_TRANSLATION);
                return 0;
            }
            c = 0xFFFD;
        }
        p += n;
        if (c >= 0x10000) {
            c -= 0x10000;
            wide += static_cast<char16_t>(0xD800 + (c >> 10));
            wide += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            wide += static_cast<char16_t>(c);
        }
    }
    const int needed = static_cast<int>(wide.size());
    if (cchWideChar == 0)
        return needed;
    if (cchWideChar < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    memcpy(lpWideCharStr, wide.data(), wide.size() * sizeof(char16_t));
    return needed;
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                        int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar)
{
    if (!ld_::IsAcpCodePage(CodePage) || !lpWideCharStr || cchWideChar == 0 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && !lpMultiByteStr) || (CodePage == CP_UTF8 && (lpDefaultChar || lpUsedDefaultChar))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (lpUsedDefaultChar)
        *lpUsedDefaultChar = FALSE;
    size_t length = 0;
    if (cchWideChar < 0) {
        while (lpWideCharStr[length])
            ++length;
        ++length;
    } else {
        length = static_cast<size_t>(cchWideChar);
    }
    std::string out;
    for (size_t i = 0; i < length; ++i) {
        char32_t c = lpWideCharStr[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && lpWideCharStr[i + 1] >= 0xDC00 &&
            lpWideCharStr[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (lpWideCharStr[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            if (dwFlags & WC_ERR_INVALID_CHARS) {
                SetLastError(ERROR_NO_UNICODE_TRANSLATION);
                return 0;
            }
            c = 0xFFFD;
        }
        tw::utf8::Append(c, out);
    }
    const int needed = static_cast<int>(out.size());
    if (cbMultiByte == 0)
        return needed;
    if (cbMultiByte < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    memcpy(lpMultiByteStr, out.data(), out.size());
    return needed;
}

UINT GetACP()
{
    return CP_UTF8;
}

UINT GetOEMCP()
{
    return CP_UTF8;
}

BOOL IsDBCSLeadByte(BYTE TestChar)
{
    return tw::utf8::SequenceLength(TestChar) > 1 ? TRUE : FALSE;
}
