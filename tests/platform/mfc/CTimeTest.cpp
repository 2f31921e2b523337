#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/mfc/CTime.h"

namespace {

// Local time is the zone the test chooses, so results do not depend on the machine.
class CTimeInZone : public testing::Test {
protected:
    void SetUp() override { UseZone("UTC0"); }
    void TearDown() override
    {
        if (m_saved.empty())
            unsetenv("TZ");
        else
            setenv("TZ", m_saved.c_str(), 1);
        tzset();
    }
    void UseZone(const char* zone)
    {
        if (!m_changed) {
            const char* saved = std::getenv("TZ");
            m_saved = saved ? saved : "";
            m_changed = true;
        }
        setenv("TZ", zone, 1);
        tzset();
    }

private:
    std::string m_saved;
    bool m_changed = false;
};

TEST_F(CTimeInZone, PartsAndFormatCodes)
{
    const CTime t(1999, 12, 31, 23, 5, 9);
    EXPECT_EQ(t.GetTime(), 946681509);
    EXPECT_EQ(t.GetYear(), 1999);
    EXPECT_EQ(t.GetMonth(), 12);
    EXPECT_EQ(t.GetDay(), 31);
    EXPECT_EQ(t.GetHour(), 23);
    EXPECT_EQ(t.GetMinute(), 5);
    EXPECT_EQ(t.GetSecond(), 9);
    EXPECT_EQ(t.GetDayOfWeek(), 6); // a Friday; Sunday is 1

    EXPECT_STREQ(t.Format("%c"), "12/31/99 23:05:09");
    EXPECT_STREQ(t.Format("%x|%X|%#x"), "12/31/99|23:05:09|Friday, December 31, 1999");
    EXPECT_STREQ(t.Format("%a %A %b %B %d %m %Y %y"), "Fri Friday Dec December 31 12 1999 99");
    EXPECT_STREQ(t.Format("%H %I %p %M %S %j %w %U %W %%"), "23 11 PM 05 09 365 5 52 52 %");
    EXPECT_STREQ(CTime(2000, 1, 2, 0, 0, 7).Format("%#d/%#m %I%p %#S %j %U %W"), "2/1 12AM 7 002 01 00");
    EXPECT_STREQ(t.Format("[%Q]"), "[]");
}

TEST_F(CTimeInZone, LocalAndUniversalDiffer)
{
    UseZone("EST5");
    const CTime t(1999, 12, 31, 23, 0, 0);
    EXPECT_EQ(t.GetTime(), 946699200);
    EXPECT_STREQ(t.Format("%H:%M"), "23:00");
    EXPECT_STREQ(t.FormatGmt("%d %H:%M"), "01 04:00");
    SYSTEMTIME st{};
    ASSERT_TRUE(t.GetAsSystemTime(st));
    EXPECT_EQ(st.wYear, 1999);
    EXPECT_EQ(st.wHour, 23);
    EXPECT_EQ(st.wDayOfWeek, 5);
    EXPECT_EQ(CTime(st).GetTime(), t.GetTime());
}

TEST_F(CTimeInZone, FileTimeIsAnInstant)
{
    UseZone("EST5");
    // 1/1/2000 00:00:00 UTC in 100 ns ticks since 1601.
    const ULONGLONG ticks = (946684800ULL + 11644473600ULL) * 10000000ULL;
    FILETIME ft{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    EXPECT_EQ(CTime(ft).GetTime(), 946684800);
}

TEST_F(CTimeInZone, ArithmeticWithSpans)
{
    CTime start(2024, 2, 28, 12, 0, 0);
    CTime end = start + CTimeSpan(1, 12, 0, 1);
    EXPECT_STREQ(end.Format("%m/%d %H:%M:%S"), "03/01 00:00:01"); // through a leap day
    const CTimeSpan between = end - start;
    EXPECT_EQ(between.GetTotalSeconds(), 129601);
    end -= CTimeSpan(0, 0, 0, 1);
    end += CTimeSpan(60);
    EXPECT_TRUE(end > start && start < end && end != start);
    EXPECT_EQ(end - CTimeSpan(60), start + CTimeSpan(1, 12, 0, 0));
    EXPECT_LE(CTime(0), CTime::GetCurrentTime());
}

TEST(CTimeSpanParts, SplitsAndFormats)
{
    // The elapsed-time pane splits whole seconds this way: days drop out of the hours.
    const CTimeSpan span(0, 0, 0, 25 * 3600 + 61);
    EXPECT_EQ(span.GetDays(), 1);
    EXPECT_EQ(span.GetHours(), 1);
    EXPECT_EQ(span.GetMinutes(), 1);
    EXPECT_EQ(span.GetSeconds(), 1);
    EXPECT_EQ(span.GetTotalHours(), 25);
    EXPECT_EQ(span.GetTotalMinutes(), 1501);
    EXPECT_STREQ(span.Format("%D days %H:%M:%S 100%%"), "1 days 01:01:01 100%");

    const CTimeSpan large(0, 0, 0, static_cast<int>(4294967295u / 1000));
    EXPECT_EQ(large.GetTotalSeconds(), 4294967);
    EXPECT_EQ(large.GetHours(), 17); // 49 days 17:02:47

    const CTimeSpan negative = -CTimeSpan(0, 1, 30, 0);
    EXPECT_EQ(negative.GetTotalMinutes(), -90);
    EXPECT_EQ(negative.GetMinutes(), -30);
    EXPECT_EQ((negative + CTimeSpan(5400)).GetTotalSeconds(), 0);
}

} // namespace
