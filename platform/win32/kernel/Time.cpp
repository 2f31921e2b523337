#include "platform/win32/kernel/Time.h"

#include <chrono>
#include <ctime>

#include "platform/win32/winerror.h"
#include "platform/win32/kernel/KernelObjects.h"

namespace tw {
namespace time_detail {

constexpr int64_t kTicksPerSecond = 10'000'000;
// Seconds between 1601-01-01 and 1970-01-01.
constexpr int64_t kEpochDelta = 11'644'473'600LL;

int64_t Ticks(const FILETIME& ft)
{
    return static_cast<int64_t>((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

FILETIME FromTicks(int64_t ticks)
{
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(ticks) & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32);
    return ft;
}


bool IsLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

SYSTEMTIME FromUnix(int64_t seconds, int milliseconds)
{
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    int y, m, d;
    tw::CivilFromDays(days, y, m, d);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    st.wHour = static_cast<WORD>(rest / 3600);
    st.wMinute = static_cast<WORD>(rest / 60 % 60);
    st.wSecond = static_cast<WORD>(rest % 60);
    st.wMilliseconds = static_cast<WORD>(milliseconds);
    return st;
}

// Offset of local time from UTC, in seconds, at the given UTC instant.
int64_t LocalOffsetAt(int64_t unixSeconds)
{
    const time_t t = static_cast<time_t>(unixSeconds);
    struct tm local {};
    localtime_r(&t, &local);
    return local.tm_gmtoff;
}

}  // namespace time_detail

FILETIME UnixToFileTime(int64_t seconds, int64_t nanoseconds)
{
    return time_detail::FromTicks((seconds + time_detail::kEpochDelta) * time_detail::kTicksPerSecond +
                                  nanoseconds / 100);
}

int64_t FileTimeToUnixSeconds(const FILETIME& ft)
{
    return time_detail::Ticks(ft) / time_detail::kTicksPerSecond - time_detail::kEpochDelta;
}

}  // namespace tw

namespace td = tw::time_detail;

void GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime)
{
    struct timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);
    *lpSystemTimeAsFileTime = tw::UnixToFileTime(ts.tv_sec, ts.tv_nsec);
}

void GetSystemTime(LPSYSTEMTIME lpSystemTime)
{
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    FileTimeToSystemTime(&ft, lpSystemTime);
}

void GetLocalTime(LPSYSTEMTIME lpSystemTime)
{
    FILETIME ft, local;
    GetSystemTimeAsFileTime(&ft);
    FileTimeToLocalFileTime(&ft, &local);
    FileTimeToSystemTime(&local, lpSystemTime);
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* st, LPFILETIME lpFileTime)
{
    const bool valid = st && lpFileTime && st->wYear >= 1601 && st->wYear <= 30827 && st->wMonth >= 1 &&
                       st->wMonth <= 12 && st->wDay >= 1 && st->wDay <= td::DaysInMonth(st->wYear, st->wMonth) &&
                       st->wHour < 24 && st->wMinute < 60 && st->wSecond < 60 && st->wMilliseconds < 1000;
    if (!valid) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const int64_t days = tw::DaysFromCivil(st->wYear, st->wMonth, st->wDay);
    const int64_t seconds = days * 86400 + st->wHour * 3600 + st->wMinute * 60 + st->wSecond;
    *lpFileTime = tw::UnixToFileTime(seconds, static_cast<int64_t>(st->wMilliseconds) * 1'000'000);
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime)
{
    if (!lpFileTime || !lpSystemTime || td::Ticks(*lpFileTime) < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const int64_t ticks = td::Ticks(*lpFileTime);
    const int64_t seconds = ticks / td::kTicksPerSecond - td::kEpochDelta;
    const int ms = static_cast<int>(ticks % td::kTicksPerSecond / 10'000);
    *lpSystemTime = td::FromUnix(seconds, ms);
    return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime)
{
    if (!lpFileTime || !lpLocalFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const int64_t offset = td::LocalOffsetAt(tw::FileTimeToUnixSeconds(*lpFileTime));
    *lpLocalFileTime = td::FromTicks(td::Ticks(*lpFileTime) + offset * td::kTicksPerSecond);
    return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime)
{
    if (!lpFileTime || !lpLocalFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const int64_t offset = td::LocalOffsetAt(tw::FileTimeToUnixSeconds(*lpLocalFileTime));
    *lpFileTime = td::FromTicks(td::Ticks(*lpLocalFileTime) - offset * td::kTicksPerSecond);
    return TRUE;
}

LONG CompareFileTime(const FILETIME* a, const FILETIME* b)
{
    const int64_t ta = td::Ticks(*a), tb = td::Ticks(*b);
    return ta < tb ? -1 : (ta > tb ? 1 : 0);
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount)
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    lpPerformanceCount->QuadPart = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() / 100;
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency)
{
    lpFrequency->QuadPart = td::kTicksPerSecond;
    return TRUE;
}

int64_t tw::DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void tw::CivilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (month <= 2));
}
