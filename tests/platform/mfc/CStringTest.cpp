#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "platform/com/Bstr.h"
#include "platform/mfc/CString.h"

namespace {

std::string S(const CString& s)
{
    return std::string(static_cast<LPCTSTR>(s), static_cast<size_t>(s.GetLength()));
}

TEST(CStringConstruction, FromEverySource)
{
    EXPECT_EQ(S(CString()), "");
    EXPECT_EQ(S(CString(static_cast<LPCTSTR>(nullptr))), "");
    EXPECT_EQ(S(CString("abc")), "abc");
    EXPECT_EQ(S(CString("abcdef", 3)), "abc");
    EXPECT_EQ(CString("a\0b", 3).GetLength(), 3);
    EXPECT_EQ(S(CString('-', 4)), "----");
    EXPECT_EQ(S(CString('-', 0)), "");
    EXPECT_EQ(S(CString(u"Stra\u00dfe \U0001F600")), "Stra\u00dfe \U0001F600");
    EXPECT_EQ(S(CString(u"abc", 2)), "ab");
    EXPECT_EQ(S(CString(MAKEINTRESOURCE(101))), ""); // no string table yet
    const unsigned char bytes[] = "xy";
    EXPECT_EQ(S(CString(bytes)), "xy");
}

TEST(CStringConstruction, AssignAndAppendFromOwnText)
{
    CString s("hello world");
    s = static_cast<LPCTSTR>(s) + 6;
    EXPECT_EQ(S(s), "world");
    s += static_cast<LPCTSTR>(s);
    EXPECT_EQ(S(s), "worldworld");
    s.Format("%s-%s", static_cast<LPCTSTR>(s), "x");
    EXPECT_EQ(S(s), "worldworld-x");
    s.AppendFormat("[%s]", static_cast<LPCTSTR>(s));
    EXPECT_EQ(S(s), "worldworld-x[worldworld-x]");
}

TEST(CStringOperators, ConcatenationAndComparison)
{
    const CString a("ab");
    EXPECT_EQ(S(a + CString("c")), "abc");
    EXPECT_EQ(S(a + "c"), "abc");
    EXPECT_EQ(S("c" + a), "cab");
    EXPECT_EQ(S(a + 'c'), "abc");
    EXPECT_EQ(S('c' + a), "cab");
    EXPECT_TRUE(a == "ab" && "ab" == a && a == CString("ab"));
    EXPECT_TRUE(a != "aB" && "aB" != a);
    EXPECT_TRUE(a < "b" && "a" < a && a <= "ab" && a >= "aa" && a > "a" && "b" > a);
    EXPECT_EQ(a[1], 'b');
    EXPECT_EQ(a.GetAt(5), '\0');
}

struct CompareCase {
    const char* left;
    const char* right;
    int compare;
    int compareNoCase;
};

class CStringCompare : public testing::TestWithParam<CompareCase> {};

TEST_P(CStringCompare, OrdersLikeTheRunTime)
{
    const CompareCase& c = GetParam();
    const CString left(c.left);
    EXPECT_EQ(left.Compare(c.right), c.compare);
    EXPECT_EQ(left.Collate(c.right), c.compare);
    EXPECT_EQ(left.CompareNoCase(c.right), c.compareNoCase);
    EXPECT_EQ(left.CollateNoCase(c.right), c.compareNoCase);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CStringCompare,
    testing::Values(CompareCase{"abc", "abc", 0, 0}, CompareCase{"abc", "ABC", 1, 0}, CompareCase{"a", "ab", -1, -1},
                    // Without case, letters compare as lower case: '_' sorts before 'a'.
                    CompareCase{"_x", "Ax", 1, -1}, CompareCase{"\u00c4rger", "\u00e4RGER", -1, 0},
                    CompareCase{"\u0416", "\u0436", -1, 0}, CompareCase{"", "a", -1, -1}));

struct ExtractCase {
    int first;
    int count;
    const char* mid;
};

class CStringMid : public testing::TestWithParam<ExtractCase> {};

TEST_P(CStringMid, ClampsToTheString)
{
    const ExtractCase& c = GetParam();
    EXPECT_EQ(S(CString("abcdef").Mid(c.first, c.count)), c.mid);
}

INSTANTIATE_TEST_SUITE_P(Cases, CStringMid,
                         testing::Values(ExtractCase{1, 2, "bc"}, ExtractCase{-3, 2, "ab"}, ExtractCase{4, 10, "ef"},
                                         ExtractCase{6, 1, ""}, ExtractCase{9, 1, ""}, ExtractCase{2, -1, ""},
                                         ExtractCase{2, std::numeric_limits<int>::max(), "cdef"}));

TEST(CStringExtract, LeftRightAndSpans)
{
    const CString s("abcdef");
    EXPECT_EQ(S(s.Mid(3)), "def");
    EXPECT_EQ(S(s.Mid(-1)), "abcdef");
    EXPECT_EQ(S(s.Left(2)), "ab");
    EXPECT_EQ(S(s.Left(-1)), "");
    EXPECT_EQ(S(s.Left(99)), "abcdef");
    EXPECT_EQ(S(s.Right(2)), "ef");
    EXPECT_EQ(S(s.Right(99)), "abcdef");
    EXPECT_EQ(S(CString("123abc").SpanIncluding("0123456789")), "123");
    EXPECT_EQ(S(CString("abc").SpanIncluding("x")), "");
    EXPECT_EQ(S(CString("name;rest").SpanExcluding(";,")), "name");
    EXPECT_EQ(S(CString("none").SpanExcluding(";")), "none");
    // A set with "é" must not match the "è" that shares its lead byte.
    EXPECT_EQ(S(CString("\u00e9\u00e9\u00e8").SpanIncluding("\u00e9")), "\u00e9\u00e9");
}

TEST(CStringCase, UpperLowerAndReverseStepOverSequences)
{
    CString s("Gr\u00fc\u00dfe, \u00c9t\u00e9 \u00ff \u0394\u03b4 \u0416\u0436 \u0150\u0151 x");
    s.MakeUpper();
    EXPECT_EQ(S(s), "GR\u00dc\u00dfE, \u00c9T\u00c9 \u0178 \u0394\u0394 \u0416\u0416 \u0150\u0150 X");
    s.MakeLower();
    EXPECT_EQ(S(s), "gr\u00fc\u00dfe, \u00e9t\u00e9 \u00ff \u03b4\u03b4 \u0436\u0436 \u0151\u0151 x");

    CString r("a\u00e9\u20ac\U0001F600z");
    r.MakeReverse();
    EXPECT_EQ(S(r), "z\U0001F600\u20ac\u00e9a");

    // A stray byte that starts no sequence is kept as it is, not dropped.
    CString broken("a\xff" "b");
    broken.MakeUpper();
    EXPECT_EQ(S(broken), "A\xff" "B");
    broken.MakeReverse();
    EXPECT_EQ(S(broken), "B\xff" "A");
}

TEST(CStringEdit, ReplaceRemoveInsertDelete)
{
    CString s("a,b,,c");
    EXPECT_EQ(s.Replace(',', ';'), 3);
    EXPECT_EQ(S(s), "a;b;;c");
    EXPECT_EQ(s.Replace(";;", ";"), 1);
    EXPECT_EQ(S(s), "a;b;c");
    EXPECT_EQ(s.Replace(";", "<->"), 2);
    EXPECT_EQ(S(s), "a<->b<->c");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace("<->", nullptr), 2);
    EXPECT_EQ(S(s), "abc");
    EXPECT_EQ(s.Replace("zz", "y"), 0);

    CString aaa("aaaa");
    EXPECT_EQ(aaa.Replace("aa", "a"), 2); // left to right, no overlap, no rescanning
    EXPECT_EQ(S(aaa), "aa");

    CString spaced(" a b ");
    EXPECT_EQ(spaced.Remove(' '), 3);
    EXPECT_EQ(S(spaced), "ab");

    CString ins("ac");
    EXPECT_EQ(ins.Insert(1, 'b'), 3);
    EXPECT_EQ(ins.Insert(-5, "<"), 4);
    EXPECT_EQ(ins.Insert(99, ">"), 5);
    EXPECT_EQ(S(ins), "<abc>");
    EXPECT_EQ(ins.Delete(0), 4);
    EXPECT_EQ(ins.Delete(2, 99), 2);
    EXPECT_EQ(ins.Delete(9, 1), 2);
    EXPECT_EQ(ins.Delete(0, -1), 2);
    EXPECT_EQ(S(ins), "ab");
}

TEST(CStringEdit, ReplaceAndRemoveLeaveMultibyteCharactersWhole)
{
    // 0xA9 is the trail byte of "é" (C3 A9); as a single-byte character it must not match inside it.
    CString s("\u00e9\xa9");
    EXPECT_EQ(s.Replace('\xa9', '!'), 1);
    EXPECT_EQ(S(s), "\u00e9!");
    CString t("\u00e9\xa9\xa9");
    EXPECT_EQ(t.Remove('\xa9'), 2);
    EXPECT_EQ(S(t), "\u00e9");
}

TEST(CStringTrim, WhitespaceCharAndSets)
{
    CString s(" \t\r\n text \v\f ");
    s.Trim();
    EXPECT_EQ(S(s), "text");

    CString quoted("\"\"name\"");
    quoted.TrimLeft('"');
    EXPECT_EQ(S(quoted), "name\"");
    quoted.TrimRight('"');
    EXPECT_EQ(S(quoted), "name");

    CString bracketed("[(x)]");
    bracketed.Trim("[]()");
    EXPECT_EQ(S(bracketed), "x");

    CString multibyte("\u00e9x\u00e9\u00e8");
    multibyte.TrimRight("\u00e8");
    EXPECT_EQ(S(multibyte), "\u00e9x\u00e9");
    multibyte.TrimLeft("\u00e9");
    EXPECT_EQ(S(multibyte), "x\u00e9");

    CString blank("   ");
    blank.TrimRight();
    EXPECT_TRUE(blank.IsEmpty());

    CString chained("  Key  ");
    EXPECT_EQ(chained.Trim().MakeUpper().Find('E'), 1);
    EXPECT_EQ(S(chained), "KEY");
}

TEST(CStringSearch, FindForms)
{
    const CString s("select * from t where a = 'b'");
    EXPECT_EQ(s.Find('*'), 7);
    EXPECT_EQ(s.Find('e', 2), 3);
    EXPECT_EQ(s.Find('e', 99), -1);
    EXPECT_EQ(s.Find('e', -4), 1);
    EXPECT_EQ(s.Find('\0'), -1);
    EXPECT_EQ(s.Find("from"), 9);
    EXPECT_EQ(s.Find("from", 10), -1);
    EXPECT_EQ(s.Find("", 3), 3);
    EXPECT_EQ(s.Find(static_cast<LPCTSTR>(nullptr)), -1);
    EXPECT_EQ(s.ReverseFind('e'), 20);
    EXPECT_EQ(s.ReverseFind('#'), -1);
    EXPECT_EQ(s.FindOneOf("'=*"), 7);
    EXPECT_EQ(s.FindOneOf("#"), -1);
    EXPECT_EQ(CString("a\u00e9b").FindOneOf("b\u00e9"), 1);
}

TEST(CStringFormat, UsesThePlatformForms)
{
    CString s;
    s.Format("%d rows, %le, %s, %S", 3, 10.0, "x", u"\u00e9");
    EXPECT_EQ(S(s), "3 rows, 1.000000e+001, x, \u00e9");
    s.AppendFormat(" %I64d", INT64(1) << 40);
    EXPECT_EQ(S(s), "3 rows, 1.000000e+001, x, \u00e9 1099511627776");
    s.Format("a%cb", 0);
    EXPECT_EQ(S(s), "a");
    const std::string big(5000, 'q');
    s.Format("<%s>", big.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
}

TEST(CStringBuffer, GetBufferAndRelease)
{
    CString s("abc");
    char* buffer = s.GetBuffer(10);
    EXPECT_STREQ(buffer, "abc");
    std::strcpy(buffer, "filled in");
    s.ReleaseBuffer();
    EXPECT_EQ(S(s), "filled in");

    buffer = s.GetBuffer(0);
    buffer[2] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ(S(s), "fi");

    buffer = s.GetBufferSetLength(4);
    EXPECT_EQ(buffer[4], '\0');
    std::memcpy(buffer, "wxyz", 4);
    s.ReleaseBuffer(3);
    EXPECT_EQ(S(s), "wxy");

    // A buffer filled to its end without a NUL is measured within the buffer only.
    buffer = s.GetBuffer(6);
    std::memset(buffer, 'k', 6);
    s.ReleaseBuffer();
    EXPECT_EQ(S(s), "kkkkkk");
    s.GetBuffer(2);
    s.ReleaseBuffer(50);
    EXPECT_EQ(s.GetLength(), 6);

    LPTSTR locked = s.LockBuffer();
    locked[0] = 'K';
    s.UnlockBuffer();
    s.FreeExtra();
    EXPECT_EQ(S(s), "Kkkkkk");
}

TEST(CStringElements, SetAtIgnoresIndicesOutsideTheString)
{
    CString s("ab");
    s.SetAt(1, 'B');
    s.SetAt(2, 'C');
    s.SetAt(-1, 'C');
    EXPECT_EQ(S(s), "aB");
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(static_cast<LPCTSTR>(s), "");
    EXPECT_FALSE(s.LoadString(1));
}

} // namespace

namespace {

TEST(CStringBstr, AllocAndSetSysStringCarryUtf16)
{
    const CString text("caf\u00e9 \U0001F600");
    BSTR bstr = text.AllocSysString();
    ASSERT_NE(bstr, nullptr);
    EXPECT_EQ(std::u16string(bstr, SysStringLen(bstr)), u"caf\u00e9 \U0001F600");
    EXPECT_EQ(S(CString(bstr)), "caf\u00e9 \U0001F600");

    const CString embedded("a\0b", 3);
    EXPECT_EQ(embedded.SetSysString(&bstr), bstr);
    EXPECT_EQ(SysStringLen(bstr), 3u);
    EXPECT_EQ(bstr[2], u'b');
    SysFreeString(bstr);

    BSTR empty = CString().AllocSysString();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SysStringLen(empty), 0u);
    SysFreeString(empty);
}

} // namespace
