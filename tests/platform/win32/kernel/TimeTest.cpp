#include <gtest/gtest.h>

#include "platform/win32/kernel/Time.h"

namespace tw_time_test {

TEST(Time, SystemTimeAndFileTimeConvertBothWays)
{
    SYSTEMTIME st{};
    st.wYear = 2001;
    st.wMonth = 9;
    st.wDay = 9;
    st.wHour = 1;
    st.wMinute = 46;
    st.wSecond = 40;
    st.wMilliseconds = 123;
    FILETIME ft{};
    ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
    // 1,000,000,000 seconds after 1970, in 100 ns units from 1601.
    const uint64_t ticks = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    EXPECT_EQ(ticks, (1'000'000'000ull + 11'644'473'600ull) * 10'000'000ull + 1'230'000ull);
    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
    EXPECT_EQ(back.wYear, 2001);
    EXPECT_EQ(back.wDay, 9);
    EXPECT_EQ(back.wDayOfWeek, 0);  // a Sunday
    EXPECT_EQ(back.wMilliseconds, 123);
    st.wMonth = 13;
    EXPECT_FALSE(SystemTimeToFileTime(&st, &ft));
}

TEST(Time, LocalTimeFollowsTheMachineZone)
{
    FILETIME now, local, utcAgain;
    GetSystemTimeAsFileTime(&now);
    ASSERT_TRUE(FileTimeToLocalFileTime(&now, &local));
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utcAgain));
    EXPECT_EQ(CompareFileTime(&now, &utcAgain), 0);
    SYSTEMTIME st;
    GetLocalTime(&st);
    EXPECT_GE(st.wYear, 2024);
    LARGE_INTEGER frequency, a, b;
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_EQ(frequency.QuadPart, 10'000'000);
    QueryPerformanceCounter(&a);
    QueryPerformanceCounter(&b);
    EXPECT_LE(a.QuadPart, b.QuadPart);
}

}  // namespace tw_time_test
