#include <gtest/gtest.h>

#include <string>

#include "platform/com/OleAuto.h"

namespace {

TEST(Bstr, LengthComesFromThePrefixSoEmbeddedNulsSurvive)
{
    const OLECHAR text[] = {u'a', 0, u'b', u'c'};
    BSTR b = SysAllocStringLen(text, 4);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(b), 4u);
    EXPECT_EQ(SysStringByteLen(b), 8u);
    EXPECT_EQ(b[1], 0);
    EXPECT_EQ(b[3], u'c');
    EXPECT_EQ(b[4], 0) << "terminated after the counted characters";
    SysFreeString(b);
}

TEST(Bstr, NullIsTheEmptyString)
{
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysStringByteLen(nullptr), 0u);
    SysFreeString(nullptr);
    EXPECT_EQ(tw::BstrToUtf8(nullptr), "");
}

TEST(Bstr, ByteLengthKeepsOddCountsAndTerminates)
{
    BSTR b = SysAllocStringByteLen("abc", 3);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringByteLen(b), 3u);
    EXPECT_EQ(SysStringLen(b), 1u);
    EXPECT_EQ(reinterpret_cast<const char*>(b)[3], 0);
    EXPECT_EQ(b[2], 0) << "a wide NUL follows as well";
    SysFreeString(b);
}

TEST(Bstr, ReallocFromItsOwnTail)
{
    BSTR b = SysAllocString(u"hello world");
    ASSERT_TRUE(SysReAllocString(&b, b + 6));
    EXPECT_EQ(std::u16string(b), u"world");
    EXPECT_EQ(SysStringLen(b), 5u);
    SysFreeString(b);
}

TEST(Bstr, Utf8RoundTripKeepsSurrogatePairs)
{
    const char* text = "caf\xC3\xA9 \xF0\x9F\x98\x80";
    BSTR b = tw::SysAllocStringUtf8(text);
    EXPECT_EQ(SysStringLen(b), 7u) << "e-acute is one unit, the emoji two";
    EXPECT_EQ(tw::BstrToUtf8(b), text);
    SysFreeString(b);
}

TEST(Bstr, MalformedUtf8BecomesReplacementCharacters)
{
    BSTR b = tw::SysAllocStringUtf8("a\xC3(\xFF");
    EXPECT_EQ(std::u16string(b, SysStringLen(b)), u"a\uFFFD(\uFFFD");
    SysFreeString(b);
}

} // namespace
