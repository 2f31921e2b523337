#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"
#include "platform/com/VariantConvert.h"
#include "platform/com/VariantDate.h"
#include "platform/mfc/COleDateTime.h"

namespace {

TEST(COleDateTimeZeroDate, IsDecember30Of1899)
{
    const COleDateTime zero;
    EXPECT_EQ(zero.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(zero.GetYear(), 1899);
    EXPECT_EQ(zero.GetMonth(), 12);
    EXPECT_EQ(zero.GetDay(), 30);
    EXPECT_EQ(zero.GetDayOfWeek(), 7); // a Saturday
    EXPECT_STREQ(zero.Format("%m/%d/%Y"), "12/30/1899");
    // The default text leaves out the date of day zero, as the variant conversion does.
    EXPECT_STREQ(zero.Format(), "12:00:00 AM");
}

struct PartsCase {
    int year, month, day, hour, minute, second;
    bool valid;
};

class COleDateTimeSetDateTime : public testing::TestWithParam<PartsCase> {};

TEST_P(COleDateTimeSetDateTime, AcceptsOnlyRealDatesInRange)
{
    const PartsCase& c = GetParam();
    COleDateTime date(2000, 1, 1, 0, 0, 0);
    EXPECT_EQ(date.SetDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second), c.valid ? 0 : 1);
    EXPECT_EQ(date.GetStatus(), c.valid ? COleDateTime::valid : COleDateTime::invalid);
    if (c.valid) {
        EXPECT_EQ(date.GetYear(), c.year);
        EXPECT_EQ(date.GetMonth(), c.month);
        EXPECT_EQ(date.GetDay(), c.day);
        EXPECT_EQ(date.GetHour(), c.hour);
        EXPECT_EQ(date.GetMinute(), c.minute);
        EXPECT_EQ(date.GetSecond(), c.second);
    } else {
        EXPECT_EQ(date.GetYear(), AFX_OLE_DATETIME_ERROR);
        EXPECT_EQ(date.GetDayOfYear(), AFX_OLE_DATETIME_ERROR);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, COleDateTimeSetDateTime,
    testing::Values(PartsCase{2024, 2, 29, 23, 59, 59, true}, PartsCase{2023, 2, 29, 0, 0, 0, false},
                    PartsCase{100, 1, 1, 0, 0, 0, true}, PartsCase{99, 12, 31, 0, 0, 0, false},
                    PartsCase{9999, 12, 31, 23, 59, 59, true}, PartsCase{10000, 1, 1, 0, 0, 0, false},
                    PartsCase{2000, 13, 1, 0, 0, 0, false}, PartsCase{2000, 1, 0, 0, 0, 0, false},
                    PartsCase{2000, 1, 1, 24, 0, 0, false}, PartsCase{2000, 1, 1, 0, 60, 0, false},
                    PartsCase{2000, 1, 1, 0, 0, -1, false},
                    // 65537 would wrap to 1 as a 16-bit field.
                    PartsCase{2000, 1, 65537, 0, 0, 0, false}, PartsCase{1899, 12, 29, 6, 0, 0, true}));

TEST(COleDateTimeParts, WeekdayAndDayOfYear)
{
    const COleDateTime leapEnd(2024, 12, 31, 12, 0, 0);
    EXPECT_EQ(leapEnd.GetDayOfYear(), 366);
    EXPECT_EQ(leapEnd.GetDayOfWeek(), 3); // a Tuesday
    EXPECT_EQ(COleDateTime(2023, 3, 1, 0, 0, 0).GetDayOfYear(), 60);
    EXPECT_DOUBLE_EQ(COleDateTime(2000, 1, 1, 12, 0, 0).m_dt, 36526.5);

    COleDateTime justBefore(DATE(36526.0 - 0.4 / 86400));
    EXPECT_EQ(justBefore.GetYear(), 2000); // rounded to the second
    EXPECT_EQ(justBefore.GetSecond(), 0);

    COleDateTime timeOnly;
    EXPECT_EQ(timeOnly.SetTime(18, 30, 0), 0);
    EXPECT_DOUBLE_EQ(timeOnly.m_dt, 0.770833333333333333);
    EXPECT_EQ(timeOnly.SetDate(2000, 1, 1), 0);
    EXPECT_DOUBLE_EQ(timeOnly.m_dt, 36526.0);
}

TEST(COleDateTimeFormat, DefaultTextAndCodes)
{
    const COleDateTime date(2003, 1, 2, 16, 5, 6);
    EXPECT_STREQ(date.Format(), "1/2/2003 4:05:06 PM");
    EXPECT_STREQ(date.Format(VAR_DATEVALUEONLY), "1/2/2003");
    EXPECT_STREQ(date.Format(VAR_TIMEVALUEONLY), "4:05:06 PM");
    EXPECT_STREQ(COleDateTime(2003, 1, 2, 0, 0, 0).Format(), "1/2/2003");
    EXPECT_STREQ(date.Format("%c"), "01/02/03 16:05:06");
    EXPECT_STREQ(date.Format("%a %b %B %d %m %Y %H %I %M %p %j"), "Thu Jan January 02 01 2003 16 04 05 PM 002");

    // The default text is the one a converted variant shows.
    BSTR viaVariant = nullptr;
    ASSERT_EQ(VarBstrFromDate(date.m_dt, LOCALE_USER_DEFAULT, 0, &viaVariant), S_OK);
    EXPECT_EQ(tw::BstrToUtf8(viaVariant), std::string(date.Format()));
    SysFreeString(viaVariant);
}

TEST(COleDateTimeStatus, InvalidAndNullDates)
{
    COleDateTime bad(2023, 2, 30, 0, 0, 0);
    EXPECT_EQ(bad.GetStatus(), COleDateTime::invalid);
    EXPECT_STREQ(bad.Format(), "Invalid DateTime");
    EXPECT_STREQ(bad.Format("%Y"), "Invalid DateTime");
    SYSTEMTIME parts;
    EXPECT_FALSE(bad.GetAsSystemTime(parts));

    COleDateTime empty;
    empty.SetStatus(COleDateTime::null);
    EXPECT_STREQ(empty.Format(), "");
    EXPECT_EQ(empty.GetHour(), AFX_OLE_DATETIME_ERROR);

    // A value set directly outside the calendar's range is refused, not shown.
    COleDateTime outside(DATE(5e6));
    EXPECT_EQ(outside.GetYear(), AFX_OLE_DATETIME_ERROR);
    EXPECT_STREQ(outside.Format(), "Invalid DateTime");

    const COleDateTimeSpan span = bad - COleDateTime(2000, 1, 1, 0, 0, 0);
    EXPECT_EQ(span.GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ((bad + COleDateTimeSpan(1.0)).GetStatus(), COleDateTime::invalid);
}

TEST(COleDateTimeParse, TextsAndFailures)
{
    COleDateTime date;
    ASSERT_TRUE(date.ParseDateTime("1/2/2003 4:05:06 PM"));
    EXPECT_EQ(date, COleDateTime(2003, 1, 2, 16, 5, 6));
    ASSERT_TRUE(date.ParseDateTime("1/2/2003 4:05:06 PM", VAR_DATEVALUEONLY));
    EXPECT_EQ(date, COleDateTime(2003, 1, 2, 0, 0, 0));
    ASSERT_TRUE(date.ParseDateTime("1/2/2003 4:05:06 PM", VAR_TIMEVALUEONLY));
    EXPECT_EQ(date.GetHour(), 16);
    EXPECT_EQ(date.GetYear(), 1899);

    EXPECT_FALSE(date.ParseDateTime("not a date"));
    EXPECT_EQ(date.GetStatus(), COleDateTime::invalid);
    EXPECT_FALSE(date.ParseDateTime(nullptr));
    ASSERT_TRUE(date.ParseDateTime("12/31/1999"));
    EXPECT_EQ(date.GetStatus(), COleDateTime::valid);
    EXPECT_STREQ(date.Format(), "12/31/1999");
}

TEST(COleDateTimeArithmetic, FollowsTheCalendarBeforeDayZero)
{
    // Before 12/30/1899 the fraction counts forward: 6 AM is -1.25, 6 PM is -1.75.
    const COleDateTime morning(1899, 12, 29, 6, 0, 0);
    const COleDateTime evening(1899, 12, 29, 18, 0, 0);
    EXPECT_DOUBLE_EQ(morning.m_dt, -1.25);
    EXPECT_DOUBLE_EQ(evening.m_dt, -1.75);
    EXPECT_TRUE(morning < evening);
    EXPECT_TRUE(evening > morning);
    EXPECT_DOUBLE_EQ((evening - morning).GetTotalHours(), 12.0);

    const COleDateTime next = evening + COleDateTimeSpan(0, 12, 0, 0);
    EXPECT_EQ(next, COleDateTime(1899, 12, 30, 6, 0, 0));
    const COleDateTime back = COleDateTime(1899, 12, 30, 6, 0, 0) - COleDateTimeSpan(0, 0, 30, 0);
    EXPECT_EQ(back, COleDateTime(1899, 12, 30, 5, 30, 0));
    EXPECT_EQ(COleDateTime(1899, 12, 30, 3, 0, 0) - COleDateTimeSpan(0, 6, 0, 0), evening + COleDateTimeSpan(0, 3, 0, 0));

    COleDateTime moving(2000, 2, 28, 23, 0, 0);
    moving += COleDateTimeSpan(1, 2, 0, 0);
    EXPECT_EQ(moving, COleDateTime(2000, 3, 1, 1, 0, 0));
    moving -= COleDateTimeSpan(0, 0, 0, 1);
    EXPECT_EQ(moving.GetSecond(), 59);
}

TEST(COleDateTimeSpanParts, SplitsRoundsAndFormats)
{
    const COleDateTimeSpan span(2, 3, 4, 5);
    EXPECT_EQ(span.GetDays(), 2);
    EXPECT_EQ(span.GetHours(), 3);
    EXPECT_EQ(span.GetMinutes(), 4);
    EXPECT_EQ(span.GetSeconds(), 5);
    EXPECT_NEAR(span.GetTotalSeconds(), 183845.0, 1e-6);
    EXPECT_STREQ(span.Format("%D:%H:%M:%S %%"), "2:03:04:05 %");
    EXPECT_EQ(COleDateTimeSpan(0.9999999).GetDays(), 1); // 86399.99 s rounds to a whole day
    const COleDateTimeSpan negative = -COleDateTimeSpan(0, 1, 30, 0);
    EXPECT_EQ(negative.GetHours(), -1);
    EXPECT_EQ(negative.GetMinutes(), -30);
    EXPECT_TRUE(negative < span && span + negative > negative);
}

class OleDateInZone : public testing::Test {
protected:
    void SetUp() override
    {
        const char* saved = std::getenv("TZ");
        m_saved = saved ? std::optional<std::string>(saved) : std::nullopt;
        setenv("TZ", "EST5", 1);
        tzset();
    }
    void TearDown() override
    {
        if (m_saved)
            setenv("TZ", m_saved->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> m_saved;
};

TEST_F(OleDateInZone, TimeValuesAreShownInLocalTime)
{
    const COleDateTime fromTimeT(time_t(946684800)); // 1/1/2000 00:00 UTC
    EXPECT_EQ(fromTimeT, COleDateTime(1999, 12, 31, 19, 0, 0));
    const ULONGLONG ticks = (946684800ULL + 11644473600ULL) * 10000000ULL;
    const FILETIME ft{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    EXPECT_EQ(COleDateTime(ft), fromTimeT);
    EXPECT_EQ(COleDateTime::GetCurrentTime().GetStatus(), COleDateTime::valid);
}

TEST(COleDateTimeVariant, ConvertsThroughTheVariantRules)
{
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = tw::SysAllocStringUtf8("12/31/1999 6:00 PM");
    const COleDateTime fromText(text);
    EXPECT_EQ(fromText, COleDateTime(1999, 12, 31, 18, 0, 0));
    VariantClear(&text);

    VARIANT nothing;
    VariantInit(&nothing);
    nothing.vt = VT_NULL;
    EXPECT_EQ(COleDateTime(nothing).GetStatus(), COleDateTime::null);

    VARIANT word;
    VariantInit(&word);
    word.vt = VT_BSTR;
    word.bstrVal = tw::SysAllocStringUtf8("soon");
    EXPECT_EQ(COleDateTime(word).GetStatus(), COleDateTime::invalid);
    VariantClear(&word);
}

} // namespace
