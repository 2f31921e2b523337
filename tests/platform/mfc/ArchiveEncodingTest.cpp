#include <gtest/gtest.h>

#include <string>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CFile.h"
#include "platform/mfc/CRect.h"
#include "tests/platform/mfc/ArchiveBytes.h"

using archive_bytes::FromHex;
using archive_bytes::Load;
using archive_bytes::Store;
using archive_bytes::ToHex;

namespace archive_encoding_test {

struct CountCase {
    DWORD_PTR count;
    const char* bytes;
};

class ArchiveCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(ArchiveCountTest, WritesTheShortOrEscapedFormAndReadsItBack)
{
    const CountCase& c = GetParam();
    const auto bytes = Store([&](CArchive& ar) { ar.WriteCount(c.count); });
    EXPECT_EQ(ToHex(bytes), c.bytes);
    Load(bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadCount(), c.count); });
}

INSTANTIATE_TEST_SUITE_P(Boundaries, ArchiveCountTest,
                         testing::Values(CountCase{0, "00 00"}, CountCase{5, "05 00"},
                                         CountCase{0xFFFE, "fe ff"},
                                         CountCase{0xFFFF, "ff ff ff ff 00 00"},
                                         CountCase{0x10000, "ff ff 00 00 01 00"}));

struct StringLengthCase {
    int length;
    const char* prefix;
};

class ArchiveStringLengthTest : public testing::TestWithParam<StringLengthCase> {};

TEST_P(ArchiveStringLengthTest, PrefixesTheLengthInItsFormAndReadsTheStringBack)
{
    const StringLengthCase& c = GetParam();
    const CString text(std::string(static_cast<size_t>(c.length), 'x').c_str());
    const auto bytes = Store([&](CArchive& ar) { ar << text; });

    const auto prefix = FromHex(c.prefix);
    ASSERT_EQ(bytes.size(), prefix.size() + static_cast<size_t>(c.length));
    EXPECT_EQ(ToHex(std::vector<BYTE>(bytes.begin(), bytes.begin() + static_cast<long>(prefix.size()))), c.prefix);

    Load(bytes, [&](CArchive& ar) {
        CString back;
        ar >> back;
        EXPECT_EQ(back.GetLength(), c.length);
        EXPECT_TRUE(back == text);
    });
}

INSTANTIATE_TEST_SUITE_P(Boundaries, ArchiveStringLengthTest,
                         testing::Values(StringLengthCase{0, "00"}, StringLengthCase{254, "fe"},
                                         StringLengthCase{255, "ff ff 00"},
                                         StringLengthCase{0xFFFD, "ff fd ff"},
                                         StringLengthCase{0xFFFE, "ff ff ff fe ff 00 00"},
                                         StringLengthCase{0x10000, "ff ff ff 00 00 01 00"}));

TEST(ArchiveEncoding, FixedSizeValuesAreLittleEndianInTheFrameworksWidths)
{
    const auto bytes = Store([](CArchive& ar) {
        ar << static_cast<BYTE>(0xAB) << static_cast<WORD>(0x1234) << -2 << static_cast<DWORD>(0x89ABCDEF)
           << static_cast<short>(-1) << 'A' << true << 1.0f << 1.0 << static_cast<LONGLONG>(-2)
           << static_cast<LONG>(7) << static_cast<UINT>(8);
    });
    EXPECT_EQ(ToHex(bytes),
              "ab 34 12 fe ff ff ff ef cd ab 89 ff ff 41 01 00 00 80 3f 00 00 00 00 00 00 f0 3f "
              "fe ff ff ff ff ff ff ff 07 00 00 00 08 00 00 00");

    Load(bytes, [](CArchive& ar) {
        BYTE by = 0;
        WORD w = 0;
        int i = 0;
        DWORD dw = 0;
        short s = 0;
        char ch = 0;
        bool b = false;
        float f = 0;
        double d = 0;
        LONGLONG ll = 0;
        LONG l = 0;
        UINT u = 0;
        ar >> by >> w >> i >> dw >> s >> ch >> b >> f >> d >> ll >> l >> u;
        EXPECT_EQ(by, 0xAB);
        EXPECT_EQ(w, 0x1234);
        EXPECT_EQ(i, -2);
        EXPECT_EQ(dw, 0x89ABCDEFu);
        EXPECT_EQ(s, -1);
        EXPECT_EQ(ch, 'A');
        EXPECT_TRUE(b);
        EXPECT_EQ(f, 1.0f);
        EXPECT_EQ(d, 1.0);
        EXPECT_EQ(ll, -2);
        EXPECT_EQ(l, 7);
        EXPECT_EQ(u, 8u);
    });
}

TEST(ArchiveEncoding, GeometryIsItsLongsInFieldOrder)
{
    const CRect rect(1, 2, 3, 4);
    const auto bytes = Store([&](CArchive& ar) { ar << rect << CPoint(-1, 5) << CSize(6, 7); });
    EXPECT_EQ(ToHex(bytes), "01 00 00 00 02 00 00 00 03 00 00 00 04 00 00 00 ff ff ff ff 05 00 00 00 "
                            "06 00 00 00 07 00 00 00");
    Load(bytes, [&](CArchive& ar) {
        CRect backRect;
        CPoint backPoint;
        CSize backSize;
        ar >> backRect >> backPoint >> backSize;
        EXPECT_TRUE(backRect == rect);
        EXPECT_TRUE(backPoint == CPoint(-1, 5));
        EXPECT_TRUE(backSize == CSize(6, 7));
    });
}

TEST(ArchiveEncoding, ACStringIsWrittenAsAStringNotAsAPointer)
{
    EXPECT_EQ(ToHex(Store([](CArchive& ar) { ar << "ab"; })), "02 61 62");
}

TEST(ArchiveEncoding, Utf8TextIsStoredAsItsBytes)
{
    const auto bytes = Store([](CArchive& ar) { ar << CString("\xC3\xA9t\xC3\xA9"); });
    EXPECT_EQ(ToHex(bytes), "05 c3 a9 74 c3 a9");
}

TEST(ArchiveEncoding, ReadsTheUtf16FormOfStringsWrittenByWideBuilds)
{
    // 0xFF 0xFFFE marks UTF-16; then the length in characters: "é!".
    Load(FromHex("ff fe ff 02 e9 00 21 00"), [](CArchive& ar) {
        CString text;
        ar >> text;
        EXPECT_STREQ(text.GetString(), "\xC3\xA9!");
    });
}

TEST(ArchiveEncoding, RawBytesAndTextLines)
{
    const auto bytes = Store([](CArchive& ar) {
        ar.Write("\x01\x02", 2);
        ar.WriteString("one\r\ntwo\nthree");
    });
    EXPECT_EQ(ToHex(bytes), "01 02 " + archive_bytes::TextToHex("one\r\ntwo\nthree"));

    Load(bytes, [](CArchive& ar) {
        BYTE raw[2] = {};
        EXPECT_EQ(ar.Read(raw, 2), 2u);
        CString line;
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_STREQ(line.GetString(), "one");
        char buffer[8] = {};
        EXPECT_STREQ(ar.ReadString(buffer, 7), "two");
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_STREQ(line.GetString(), "three");
        EXPECT_FALSE(ar.ReadString(line));
        EXPECT_EQ(ar.ReadString(buffer, 7), nullptr);
    });
}

TEST(ArchiveEncoding, ImagesLargerThanTheBufferCrossItsBoundaries)
{
    std::string big(10000, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>('a' + i % 26);
    const auto bytes = Store([&](CArchive& ar) {
        for (int i = 0; i < 3000; ++i)
            ar << static_cast<DWORD>(i);
        ar << CString(big.c_str());
        ar << static_cast<WORD>(0xBEEF);
    });
    EXPECT_EQ(bytes.size(), 3000u * 4 + 3 + big.size() + 2);
    Load(bytes, [&](CArchive& ar) {
        for (int i = 0; i < 3000; ++i) {
            DWORD value = 0;
            ar >> value;
            ASSERT_EQ(value, static_cast<DWORD>(i));
        }
        CString text;
        WORD tail = 0;
        ar >> text >> tail;
        EXPECT_EQ(std::string(text.GetString()), big);
        EXPECT_EQ(tail, 0xBEEF);
    });
}

TEST(ArchiveEncoding, ReadingPastTheEndThrowsEndOfFile)
{
    const auto bytes = FromHex("01 02 03");
    EXPECT_EQ(archive_bytes::ArchiveCauseOf([&] {
                  Load(bytes, [](CArchive& ar) {
                      DWORD value = 0;
                      ar >> value;
                  });
              }),
              CArchiveException::endOfFile);
}

TEST(ArchiveEncoding, AStringLongerThanWhatIsLeftIsRefusedBeforeAllocating)
{
    // A length of 0x7FFFFFFF with three bytes behind it.
    const auto bytes = FromHex("ff ff ff ff ff ff 7f 61 62 63");
    EXPECT_EQ(archive_bytes::ArchiveCauseOf([&] {
                  Load(bytes, [](CArchive& ar) {
                      CString text;
                      ar >> text;
                  });
              }),
              CArchiveException::endOfFile);
}

TEST(ArchiveEncoding, WritingToALoadingArchiveAndReadingFromAStoringOneAreRefused)
{
    EXPECT_EQ(archive_bytes::ArchiveCauseOf([] { Load({}, [](CArchive& ar) { ar << 1; }); }),
              CArchiveException::readOnly);
    EXPECT_EQ(archive_bytes::ArchiveCauseOf([] {
                  Store([](CArchive& ar) {
                      int i = 0;
                      ar >> i;
                  });
              }),
              CArchiveException::writeOnly);
}

TEST(ArchiveEncoding, FlushOfALoadingArchiveLeavesTheFileAtTheNextUnreadByte)
{
    std::vector<BYTE> bytes = FromHex("01 02 03 04 05");
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    BYTE first = 0;
    ar >> first;
    ar.Flush();
    EXPECT_EQ(file.GetPosition(), 1u);
}

TEST(ArchiveEncoding, AClosedArchiveRefusesFurtherUse)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar << static_cast<BYTE>(1);
    ar.Close();
    EXPECT_EQ(file.GetLength(), 1u);
    EXPECT_EQ(archive_bytes::ArchiveCauseOf([&] { ar << static_cast<BYTE>(2); }), CArchiveException::genericException);
    EXPECT_EQ(ar.GetFile(), nullptr);
}

TEST(ArchiveEncoding, AbortDropsWhatIsBuffered)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<DWORD>(1);
        ar.Abort();
    }
    EXPECT_EQ(file.GetLength(), 0u);
}

}  // namespace archive_encoding_test
