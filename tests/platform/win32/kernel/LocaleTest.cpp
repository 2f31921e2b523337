#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/kernel/Locale.h"

namespace tw_locale_test {

std::string LocaleText(LCTYPE type)
{
    char buffer[128];
    const int n = GetLocaleInfo(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, n - 1) : "<failed>";
}

TEST(Locale, AnswersEnglishUnitedStates)
{
    EXPECT_EQ(GetUserDefaultLCID(), 1033u);
    EXPECT_EQ(GetSystemDefaultLCID(), 1033u);
    EXPECT_EQ(GetThreadLocale(), 1033u);
    struct Case {
        LCTYPE type;
        const char* text;
    };
    const Case cases[] = {
        {LOCALE_SSHORTDATE, "M/d/yyyy"},  {LOCALE_SLONGDATE, "dddd, MMMM dd, yyyy"},
        {LOCALE_STIMEFORMAT, "h:mm:ss tt"}, {LOCALE_S1159, "AM"},
        {LOCALE_S2359, "PM"},             {LOCALE_SDECIMAL, "."},
        {LOCALE_STHOUSAND, ","},          {LOCALE_SDATE, "/"},
        {LOCALE_STIME, ":"},              {LOCALE_ICURRDIGITS, "2"},
        {LOCALE_SCURRENCY, "$"},          {LOCALE_IDATE, "0"},
        {LOCALE_ITIME, "0"},              {LOCALE_SENGLANGUAGE, "English"},
        {LOCALE_SENGCOUNTRY, "United States"}, {LOCALE_SDAYNAME1, "Monday"},
        {LOCALE_SDAYNAME7, "Sunday"},     {LOCALE_SABBREVDAYNAME3, "Wed"},
        {LOCALE_SMONTHNAME1, "January"},  {LOCALE_SMONTHNAME12, "December"},
        {LOCALE_SABBREVMONTHNAME1 + 8, "Sep"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LocaleText(c.type), c.text) << std::hex << c.type;
}

TEST(Locale, UserValuesOverrideTheLocaleUnlessAskedNotTo)
{
    ASSERT_TRUE(SetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_IDATE, "1"));
    ASSERT_TRUE(SetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDATE, "."));
    EXPECT_EQ("1", LocaleText(LOCALE_IDATE));
    EXPECT_EQ(".", LocaleText(LOCALE_SDATE));
    char buffer[8];
    ASSERT_GT(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_IDATE | LOCALE_NOUSEROVERRIDE, buffer, sizeof buffer), 0);
    EXPECT_STREQ("0", buffer) << "the locale's own value";

    SetLastError(0);
    EXPECT_FALSE(SetLocaleInfo(LOCALE_USER_DEFAULT, 0x7FFF, "x")) << "no such setting";
    EXPECT_EQ((DWORD)ERROR_INVALID_FLAGS, GetLastError());
    EXPECT_FALSE(SetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDATE, nullptr));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());

    ASSERT_TRUE(SetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_IDATE, "0"));
    ASSERT_TRUE(SetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDATE, "/"));
    EXPECT_EQ("0", LocaleText(LOCALE_IDATE));
}

TEST(Locale, BufferSizesFollowThePlatform)
{
    EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, nullptr, 0), 9);
    char small[4];
    EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, small, sizeof small), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, 0x7777, small, sizeof small), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
    DWORD digits = 0;
    EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_ICURRDIGITS | LOCALE_RETURN_NUMBER,
                            reinterpret_cast<LPSTR>(&digits), sizeof digits / 2),
              2);
    EXPECT_EQ(digits, 2u);
}

std::string DateText(const SYSTEMTIME& st, DWORD flags, const char* picture)
{
    char buffer[128];
    const int n = GetDateFormat(LOCALE_USER_DEFAULT, flags, &st, picture, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, n - 1) : "<failed>";
}

std::string TimeText(const SYSTEMTIME& st, DWORD flags, const char* picture)
{
    char buffer[128];
    const int n = GetTimeFormat(LOCALE_USER_DEFAULT, flags, &st, picture, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, n - 1) : "<failed>";
}

TEST(Locale, DatePictures)
{
    SYSTEMTIME st{};
    st.wYear = 2007;
    st.wMonth = 3;
    st.wDay = 4;  // a Sunday
    st.wDayOfWeek = 3;  // wrong on purpose: the weekday comes from the date
    struct Case {
        DWORD flags;
        const char* picture;
        const char* text;
    };
    const Case cases[] = {
        {DATE_SHORTDATE, nullptr, "3/4/2007"},
        {DATE_LONGDATE, nullptr, "Sunday, March 04, 2007"},
        {DATE_YEARMONTH, nullptr, "March, 2007"},
        {0, nullptr, "3/4/2007"},
        {0, "dd/MM/yy", "04/03/07"},
        {0, "ddd d MMM y", "Sun 4 Mar 7"},
        {0, "yyyy-MM-dd", "2007-03-04"},
        {0, "'Today is' dddd", "Today is Sunday"},
        {0, "'It''s' MMMM", "It's March"},
        {0, "gg yyyy", "A.D. 2007"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateText(st, c.flags, c.picture), c.text) << (c.picture ? c.picture : "(default)");
    EXPECT_EQ(DateText(st, DATE_SHORTDATE, "yyyy"), "<failed>");
    st.wMonth = 2;
    st.wDay = 30;
    EXPECT_EQ(DateText(st, 0, nullptr), "<failed>");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(Locale, TimePicturesAndFlags)
{
    SYSTEMTIME st{};
    st.wYear = 2007;
    st.wMonth = 3;
    st.wDay = 4;
    st.wHour = 13;
    st.wMinute = 5;
    st.wSecond = 9;
    struct Case {
        DWORD flags;
        const char* picture;
        const char* text;
    };
    const Case cases[] = {
        {0, nullptr, "1:05:09 PM"},
        {TIME_NOSECONDS, nullptr, "1:05 PM"},
        {TIME_NOMINUTESORSECONDS, nullptr, "1 PM"},
        {TIME_NOTIMEMARKER, nullptr, "1:05:09"},
        {TIME_FORCE24HOURFORMAT, nullptr, "13:05:09"},
        {0, "HH:mm", "13:05"},
        {0, "hh 'o''clock' t", "01 o'clock P"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeText(st, c.flags, c.picture), c.text) << c.flags;
    st.wHour = 0;
    EXPECT_EQ(TimeText(st, 0, nullptr), "12:05:09 AM");
    st.wHour = 24;
    EXPECT_EQ(TimeText(st, 0, nullptr), "<failed>");
}

std::vector<std::string> g_enumerated;

BOOL CALLBACK CollectFormat(LPSTR format)
{
    g_enumerated.push_back(format);
    return g_enumerated.size() < 2;
}

TEST(Locale, EnumeratedFormatsStartWithTheDefaultAndStopOnFalse)
{
    g_enumerated.clear();
    ASSERT_TRUE(EnumDateFormats(CollectFormat, LOCALE_USER_DEFAULT, DATE_SHORTDATE));
    EXPECT_EQ(g_enumerated, (std::vector<std::string>{"M/d/yyyy", "M/d/yy"}));
    g_enumerated.clear();
    ASSERT_TRUE(EnumDateFormats(CollectFormat, LOCALE_USER_DEFAULT, DATE_LONGDATE));
    EXPECT_EQ(g_enumerated.front(), "dddd, MMMM dd, yyyy");
    g_enumerated.clear();
    ASSERT_TRUE(EnumTimeFormats(CollectFormat, LOCALE_USER_DEFAULT, 0));
    EXPECT_EQ(g_enumerated.front(), "h:mm:ss tt");
}

struct OrderCase {
    const char* less;
    const char* greater;
    DWORD flags;
};

// Each pair must compare less-than one way and greater-than the other.
TEST(Locale, WordSortOrder)
{
    const OrderCase cases[] = {
        {"a", "A", 0},                   // lower case first on a case tie
        {"A", "b", 0},                   // but case only breaks ties
        {"ab", "abc", 0},                // a prefix first
        {"coop", "co-op", 0},            // a hyphen weighs nothing, then its presence
        {"co-op", "coops", 0},
        {"cant", "can't", 0},            // so does an apostrophe
        {"can't", "cants", 0},
        {"9z", "a", 0},                  // digits before letters
        {"10", "9", 0},                  // digit by digit
        {"!x", "0", 0},                  // symbols before digits
        {" z", "a", 0},                  // blanks too
        {"resume", "r\xC3\xA9sum\xC3\xA9", 0},   // accents break ties after letters
        {"r\xC3\xA9sum\xC3\xA9", "resumes", 0},
        {"apple", "Zebra", 0},
        {"co-op", "coop", SORT_STRINGSORT},       // string sort weighs the hyphen as a symbol
        {"Table_1", "Table1", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareString(LOCALE_USER_DEFAULT, c.flags, c.less, -1, c.greater, -1), CSTR_LESS_THAN)
            << c.less << " < " << c.greater;
        EXPECT_EQ(CompareString(LOCALE_USER_DEFAULT, c.flags, c.greater, -1, c.less, -1), CSTR_GREATER_THAN)
            << c.greater << " > " << c.less;
    }
    const OrderCase equal[] = {
        {"ABC", "abc", NORM_IGNORECASE},
        {"a.b", "ab", NORM_IGNORESYMBOLS},
        {"r\xC3\xA9sum\xC3\xA9", "resume", NORM_IGNORENONSPACE},
        {"same", "same", 0},
    };
    for (const auto& c : equal)
        EXPECT_EQ(CompareString(LOCALE_USER_DEFAULT, c.flags, c.less, -1, c.greater, -1), CSTR_EQUAL) << c.less;
    EXPECT_EQ(CompareString(LOCALE_USER_DEFAULT, 0, "abcX", 3, "abcY", 3), CSTR_EQUAL);
    EXPECT_LT(lstrcmp("a", "B"), 0);
    EXPECT_LT(lstrcmp("a", "A"), 0);
    EXPECT_EQ(lstrcmpi("Query", "QUERY"), 0);
    EXPECT_GT(lstrcmpi("b", "A"), 0);
}

TEST(Locale, CaseMappingOnUtf8)
{
    char text[] = "abc \xC3\xA9t\xC3\xA9 \xC3\x9F";  // "abc été ß"
    EXPECT_STREQ(CharUpper(text), "ABC \xC3\x89T\xC3\x89 \xC3\x9F");
    EXPECT_STREQ(CharLower(text), "abc \xC3\xA9t\xC3\xA9 \xC3\x9F");
    char partial[] = "abcd";
    EXPECT_EQ(CharUpperBuff(partial, 2), 2u);
    EXPECT_STREQ(partial, "ABcd");
    EXPECT_EQ(reinterpret_cast<uintptr_t>(CharUpper(reinterpret_cast<LPSTR>(uintptr_t{'q'}))), uintptr_t{'Q'});
    EXPECT_TRUE(IsCharLower('a'));
    EXPECT_FALSE(IsCharLower('A'));
    EXPECT_TRUE(IsCharUpper('Z'));
    EXPECT_TRUE(IsCharAlpha('x'));
    EXPECT_FALSE(IsCharAlpha('1'));
    EXPECT_TRUE(IsCharAlphaNumeric('1'));
}

TEST(Locale, CharNextAndPrevStepOverWholeSequences)
{
    const char* text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z";  // a é € 😀 z
    const char* p = text;
    std::vector<size_t> offsets;
    while (*p) {
        p = CharNext(p);
        offsets.push_back(static_cast<size_t>(p - text));
    }
    EXPECT_EQ(offsets, (std::vector<size_t>{1, 3, 6, 10, 11}));
    EXPECT_EQ(CharNext(p), p);
    EXPECT_EQ(CharPrev(text, text + 10) - text, 6);
    EXPECT_EQ(CharPrev(text, text + 3) - text, 1);
    EXPECT_EQ(CharPrev(text, text), text);
    EXPECT_TRUE(IsDBCSLeadByte(0xC3));
    EXPECT_FALSE(IsDBCSLeadByte('a'));
    EXPECT_FALSE(IsDBCSLeadByte(0xA9));
}

TEST(Locale, StringCopiesTerminateAndKeepCharactersWhole)
{
    char buffer[8];
    EXPECT_STREQ(lstrcpyn(buffer, "abcdefghij", 5), "abcd");
    EXPECT_STREQ(lstrcpyn(buffer, "ab", 5), "ab");
    EXPECT_STREQ(lstrcpyn(buffer, "abc\xC3\xA9", 5), "abc");  // é would be cut
    EXPECT_STREQ(lstrcpyn(buffer, "x", 1), "");
    EXPECT_EQ(lstrlen("abc"), 3);
    EXPECT_EQ(lstrlen(nullptr), 0);
    lstrcpy(buffer, "ab");
    EXPECT_STREQ(lstrcat(buffer, "cd"), "abcd");
}

TEST(Locale, WideConversionsRoundTripAndReportBadInput)
{
    const char* text = "caf\xC3\xA9 \xF0\x9F\x98\x80";
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), 8);  // 6 + surrogate pair... + NUL
    WCHAR wide[16];
    ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, 16), 8);
    EXPECT_EQ(wide[3], u'\u00e9');
    EXPECT_EQ(wide[5], 0xD83D);
    char back[32];
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, -1, back, sizeof back, nullptr, nullptr), 11);
    EXPECT_STREQ(back, text);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, -1, back, 3, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    const char bad[] = "a\xFFz";
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bad, 3, wide, 16), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, bad, 3, wide, 16), 3);
    EXPECT_EQ(wide[1], 0xFFFD);
    const WCHAR lone[] = {u'a', 0xD800, u'b'};
    ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, lone, 3, back, sizeof back, nullptr, nullptr), 5);
    EXPECT_EQ(std::string(back, 5), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(GetACP(), 65001u);
}

}  // namespace tw_locale_test
