#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/mfc/CByteArray.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CMap.h"
#include "platform/mfc/CMapStringToPtr.h"
#include "platform/mfc/CObArray.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CStringArray.h"
#include "platform/mfc/CStringList.h"
#include "tests/platform/mfc/ArchiveBytes.h"

using archive_bytes::ArchiveCauseOf;
using archive_bytes::FromHex;
using archive_bytes::Load;
using archive_bytes::Store;
using archive_bytes::TextToHex;
using archive_bytes::ToHex;

class CSerializedTag : public CObject {
    DECLARE_SERIAL(CSerializedTag)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_tag;
        else
            ar >> m_tag;
    }
    BYTE m_tag = 0;
};
IMPLEMENT_SERIAL(CSerializedTag, CObject, 2)

namespace collection_serialize_test {

template <class Collection>
std::string RoundTripHex(const std::vector<BYTE>& bytes)
{
    Collection loaded;
    Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    return ToHex(Store([&](CArchive& ar) { loaded.Serialize(ar); }));
}

TEST(CollectionImages, ByteWordAndDwordArraysAreACountAndLittleEndianElements)
{
    const auto bytes = Store([](CArchive& ar) {
        CByteArray a;
        a.Add(0x0A);
        a.Add(0xFF);
        CWordArray w;
        w.Add(1);
        w.Add(0x8002);
        CDWordArray d;
        d.Add(0x01020304);
        a.Serialize(ar);
        w.Serialize(ar);
        d.Serialize(ar);
    });
    EXPECT_EQ(ToHex(bytes), "02 00 0a ff 02 00 01 00 02 80 01 00 04 03 02 01");
}

TEST(CollectionImages, APointIsAFiveElementDwordArrayOf22Bytes)
{
    CDWordArray point;
    point.SetSize(5);
    point[0] = 10;
    point[1] = static_cast<DWORD>(-3);
    const auto bytes = Store([&](CArchive& ar) { point.Serialize(ar); });
    EXPECT_EQ(bytes.size(), 22u);
    EXPECT_EQ(ToHex(bytes), "05 00 0a 00 00 00 fd ff ff ff 00 00 00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(RoundTripHex<CDWordArray>(bytes), ToHex(bytes));
}

TEST(CollectionImages, StringArraysAndListsAreACountAndStrings)
{
    CStringArray array;
    array.Add("a");
    array.Add("bc");
    CStringList list;
    list.AddTail("a");
    list.AddTail("bc");
    const std::string expected = "02 00 01 61 02 62 63";
    const auto arrayBytes = Store([&](CArchive& ar) { array.Serialize(ar); });
    const auto listBytes = Store([&](CArchive& ar) { list.Serialize(ar); });
    EXPECT_EQ(ToHex(arrayBytes), expected);
    EXPECT_EQ(ToHex(listBytes), expected);
    EXPECT_EQ(RoundTripHex<CStringArray>(arrayBytes), expected);
    EXPECT_EQ(RoundTripHex<CStringList>(listBytes), expected);
}

TEST(CollectionImages, ATemplateListOfCommandIdsIsACountAndDwords)
{
    CList<UINT, UINT> commands;
    commands.AddTail(40001);
    commands.AddTail(40002);
    const auto bytes = Store([&](CArchive& ar) { commands.Serialize(ar); });
    EXPECT_EQ(ToHex(bytes), "02 00 41 9c 00 00 42 9c 00 00");
    using UintList = CList<UINT, UINT>;
    EXPECT_EQ(RoundTripHex<UintList>(bytes), ToHex(bytes));
}

TEST(CollectionImages, ObjectListsAndArraysWriteEachObjectWithItsClassRecord)
{
    CSerializedTag first;
    first.m_tag = 0x31;
    CSerializedTag second;
    second.m_tag = 0x32;
    CObList list;
    list.AddTail(&first);
    list.AddTail(&second);
    list.AddTail(&first);
    list.AddTail(static_cast<CObject*>(nullptr));
    CObArray array;
    array.Add(&second);

    const auto bytes = Store([&](CArchive& ar) {
        list.Serialize(ar);
        array.Serialize(ar);
    });
    const std::string record = "ff ff 02 00 0e 00 " + TextToHex("CSerializedTag");
    // The array, in the same archive, refers back to the second object (index 3).
    EXPECT_EQ(ToHex(bytes), "04 00 " + record + " 31 01 80 32 02 00 00 00 01 00 03 00");

    Load(bytes, [](CArchive& ar) {
        CObList loadedList;
        CObArray loadedArray;
        loadedList.Serialize(ar);
        loadedArray.Serialize(ar);
        ASSERT_EQ(loadedList.GetCount(), 4);
        POSITION pos = loadedList.GetHeadPosition();
        CObject* pFirst = loadedList.GetNext(pos);
        CObject* pSecond = loadedList.GetNext(pos);
        std::unique_ptr<CObject> own1(pFirst), own2(pSecond);
        EXPECT_EQ(static_cast<CSerializedTag*>(pSecond)->m_tag, 0x32);
        EXPECT_EQ(loadedList.GetNext(pos), pFirst);
        EXPECT_EQ(loadedList.GetNext(pos), nullptr);
        ASSERT_EQ(loadedArray.GetSize(), 1);
        EXPECT_EQ(loadedArray[0], pSecond);
    });
}

TEST(CollectionImages, StringMapsStoreKeyAndValueInIterationOrder)
{
    CMapStringToString map;
    map.SetAt("b", "2");  // bucket 98 % 17 = 13
    map.SetAt("a", "1");  // bucket 12
    const auto bytes = Store([&](CArchive& ar) { map.Serialize(ar); });
    EXPECT_EQ(ToHex(bytes), "02 00 01 61 01 31 01 62 01 32");
    EXPECT_EQ(RoundTripHex<CMapStringToString>(bytes), ToHex(bytes));
}

TEST(CollectionImages, AnUnsignedMapStoresItsPairsInBucketOrder)
{
    // Buckets (key >> 4) % 17: 40001 -> 1, 32771 -> 8, 100 -> 6, 2 -> 0.
    CMap<UINT, UINT, UINT, UINT> usage;
    usage[40001] = 3;
    usage[32771] = 1;
    usage[100] = 2;
    usage[2] = 9;
    const auto bytes = Store([&](CArchive& ar) { usage.Serialize(ar); });
    EXPECT_EQ(ToHex(bytes), "04 00 02 00 00 00 09 00 00 00 41 9c 00 00 03 00 00 00 64 00 00 00 02 00 00 00 "
                            "03 80 00 00 01 00 00 00");
    using UsageMap = CMap<UINT, UINT, UINT, UINT>;
    EXPECT_EQ(RoundTripHex<UsageMap>(bytes), ToHex(bytes));
}

TEST(CollectionImages, PointerCollectionsStoreNothing)
{
    CPtrList list;
    list.AddTail(&list);
    CMapStringToPtr map;
    map.SetAt("x", &map);
    const auto bytes = Store([&](CArchive& ar) {
        list.Serialize(ar);
        map.Serialize(ar);
    });
    EXPECT_TRUE(bytes.empty());
}

struct DamagedCountCase {
    const char* name;
    std::function<void(CArchive&)> load;
    std::string bytes;
};

class DamagedCollectionImageTest : public testing::TestWithParam<DamagedCountCase> {};

TEST_P(DamagedCollectionImageTest, ACountBeyondTheBytesLeftThrowsBeforeAllocating)
{
    const DamagedCountCase& c = GetParam();
    EXPECT_EQ(ArchiveCauseOf([&] { Load(FromHex(c.bytes), c.load); }), CArchiveException::endOfFile);
}

template <class Collection>
std::function<void(CArchive&)> Loading()
{
    return [](CArchive& ar) {
        Collection collection;
        collection.Serialize(ar);
    };
}

INSTANTIATE_TEST_SUITE_P(
    Images, DamagedCollectionImageTest,
    testing::Values(DamagedCountCase{"DWordArrayHugeCount", Loading<CDWordArray>(), "ff ff ff ff ff 7f 01 00 00 00"},
                    DamagedCountCase{"DWordArrayOneShort", Loading<CDWordArray>(), "03 00 01 00 00 00 02 00 00 00"},
                    DamagedCountCase{"ByteArrayHugeCount", Loading<CByteArray>(), "ff ff ff ff ff ff 01"},
                    DamagedCountCase{"StringArrayHugeCount", Loading<CStringArray>(), "ff ff 00 00 00 40 00"},
                    DamagedCountCase{"StringListHugeCount", Loading<CStringList>(), "fe ff 00 00"},
                    DamagedCountCase{"ObjectListHugeCount", Loading<CObList>(), "ff ff 00 00 00 10 00 00"},
                    DamagedCountCase{"ObjectArrayHugeCount", Loading<CObArray>(), "ff ff 00 00 00 10 00 00"},
                    DamagedCountCase{"StringMapHugeCount", Loading<CMapStringToString>(), "ff ff 00 00 01 00 00 00"},
                    DamagedCountCase{"SixtyFourBitCount", Loading<CWordArray>(),
                                     "ff ff ff ff ff ff 00 00 00 00 00 01 00 00"}),
    [](const testing::TestParamInfo<DamagedCountCase>& info) { return std::string(info.param.name); });

}  // namespace collection_serialize_test
