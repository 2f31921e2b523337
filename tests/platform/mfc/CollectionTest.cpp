#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc/CArray.h"
#include "platform/mfc/CByteArray.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CMap.h"
#include "platform/mfc/CMapPtrToPtr.h"
#include "platform/mfc/CMapStringToPtr.h"
#include "platform/mfc/CStringArray.h"
#include "platform/mfc/CStringList.h"

namespace collection_test {

bool ThrowsInvalidArg(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

std::string Joined(const CStringList& list)
{
    std::string text;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        text += std::string(list.GetNext(pos).GetString()) + ",";
    return text;
}

std::string JoinedBackwards(const CStringList& list)
{
    std::string text;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
        text += std::string(list.GetPrev(pos).GetString()) + ",";
    return text;
}

// --- lists -------------------------------------------------------------------

class StringListTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* item : {"b", "c", "d"})
            list.AddTail(item);
        list.AddHead("a");
    }
    CStringList list;
};

TEST_F(StringListTest, InsertsBeforeAndAfterAndKeepsBothDirectionsLinked)
{
    POSITION c = list.Find("c");
    list.InsertBefore(c, "b2");
    list.InsertAfter(c, "c2");
    list.InsertAfter(list.GetTailPosition(), "e");
    list.InsertBefore(list.GetHeadPosition(), "0");
    EXPECT_EQ(Joined(list), "0,a,b,b2,c,c2,d,e,");
    EXPECT_EQ(JoinedBackwards(list), "e,d,c2,c,b2,b,a,0,");
    EXPECT_EQ(list.GetCount(), 8);
}

TEST_F(StringListTest, RemovesAtHeadTailAndMiddle)
{
    EXPECT_STREQ(list.RemoveHead().GetString(), "a");
    EXPECT_STREQ(list.RemoveTail().GetString(), "d");
    list.RemoveAt(list.Find("b"));
    EXPECT_EQ(Joined(list), "c,");
    EXPECT_EQ(JoinedBackwards(list), "c,");
    list.RemoveAt(list.GetHeadPosition());
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
}

TEST_F(StringListTest, FindsAfterAPositionAndByIndex)
{
    list.AddTail("b");
    POSITION first = list.Find("b");
    POSITION second = list.Find("b", first);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(list.Find("b", second), nullptr);
    EXPECT_EQ(list.Find("zz"), nullptr);
    EXPECT_EQ(list.FindIndex(1), first);
    EXPECT_EQ(list.FindIndex(4), second);
    EXPECT_EQ(list.FindIndex(5), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
}

TEST_F(StringListTest, AddsWholeListsInOrderAndCanAppendItself)
{
    CStringList front;
    front.AddTail("x");
    front.AddTail("y");
    list.AddHead(&front);
    EXPECT_EQ(Joined(list), "x,y,a,b,c,d,");
    list.AddTail(&list);
    EXPECT_EQ(Joined(list), "x,y,a,b,c,d,x,y,a,b,c,d,");
}

TEST_F(StringListTest, SetAtReplacesAndGetAtReads)
{
    POSITION pos = list.FindIndex(2);
    list.SetAt(pos, "C");
    EXPECT_STREQ(list.GetAt(pos).GetString(), "C");
    EXPECT_STREQ(list.GetHead().GetString(), "a");
    EXPECT_STREQ(list.GetTail().GetString(), "d");
}

TEST(ListErrors, EmptyListsAndNullPositionsThrowInsteadOfCrashing)
{
    CList<int, int> list;
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.RemoveHead(); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.RemoveTail(); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.GetHead(); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.GetAt(nullptr); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.RemoveAt(nullptr); }));
    POSITION pos = nullptr;
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.GetNext(pos); }));
}

// --- arrays ------------------------------------------------------------------

TEST(Arrays, GrowShrinkInsertAndRemove)
{
    CWordArray array;
    array.SetSize(3, 16);
    EXPECT_EQ(array.GetSize(), 3);
    EXPECT_EQ(array.GetUpperBound(), 2);
    EXPECT_EQ(array[0], 0);  // new elements are zero
    array[1] = 7;
    array.InsertAt(1, 5, 2);
    EXPECT_EQ(std::vector<WORD>(array.GetData(), array.GetData() + array.GetSize()),
              (std::vector<WORD>{0, 5, 5, 7, 0}));
    array.RemoveAt(0, 2);
    EXPECT_EQ(std::vector<WORD>(array.GetData(), array.GetData() + array.GetSize()), (std::vector<WORD>{5, 7, 0}));
    array.InsertAt(5, 9);  // past the end: grows with zeros first
    EXPECT_EQ(std::vector<WORD>(array.GetData(), array.GetData() + array.GetSize()),
              (std::vector<WORD>{5, 7, 0, 0, 0, 9}));
    array.SetAtGrow(7, 1);
    EXPECT_EQ(array.GetSize(), 8);
    array.SetSize(2);
    array.FreeExtra();
    EXPECT_EQ(array.GetSize(), 2);
    array.RemoveAll();
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(array.GetData(), nullptr);
}

TEST(Arrays, AppendCopyAndInsertArrays)
{
    CStringArray array;
    array.Add("a");
    array.Add("b");
    EXPECT_EQ(array.Append(array), 2);
    CStringArray other;
    other.Copy(array);
    other.InsertAt(1, &array);
    std::string text;
    for (INT_PTR i = 0; i < other.GetSize(); ++i)
        text += other[i].GetString();
    EXPECT_EQ(text, "aababbab");
}

TEST(Arrays, AddingAnElementOfTheArrayItselfSurvivesGrowth)
{
    CStringArray array;
    array.Add("a string longer than any small-string buffer");
    for (int i = 0; i < 40; ++i)
        array.Add(array[0]);
    EXPECT_STREQ(array[40].GetString(), "a string longer than any small-string buffer");
}

TEST(Arrays, IndicesOutsideTheArrayThrow)
{
    CDWordArray array;
    array.Add(1);
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.GetAt(1); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.SetAt(-1, 0); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.RemoveAt(0, 2); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.SetSize(-1); }));
    EXPECT_EQ(array.GetSize(), 1);
}

// --- maps --------------------------------------------------------------------

template <class Map, class Key, class Value>
std::vector<Key> KeysInOrder(const Map& map)
{
    std::vector<Key> keys;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        Key key{};
        Value value{};
        map.GetNextAssoc(pos, key, value);
        keys.push_back(key);
    }
    return keys;
}

TEST(Maps, IterateByBucketAndNewestFirstWithinABucket)
{
    // (key >> 4) % 17: 0x10 and 0x120 share bucket 1, 0x00 is in 0, 0x20 in 2.
    CMap<UINT, UINT, int, int> map;
    for (UINT key : {0x10u, 0x20u, 0x120u, 0x00u})
        map[key] = static_cast<int>(key);
    EXPECT_EQ((KeysInOrder<decltype(map), UINT, int>(map)), (std::vector<UINT>{0x00, 0x120, 0x10, 0x20}));
}

TEST(Maps, NegativeKeysHashTheirLow32Bits)
{
    // -1 is 0xFFFFFFFF: bucket (0x0FFFFFFF % 17) = 15, after a key in bucket 14.
    CMap<int, int, int, int> map;
    map[-1] = 1;
    map[14 << 4] = 2;
    EXPECT_EQ((KeysInOrder<decltype(map), int, int>(map)), (std::vector<int>{14 << 4, -1}));
}

TEST(Maps, StringKeysHashByteBySignedByte)
{
    EXPECT_EQ(HashKey<LPCTSTR>("ab"), 3299u);
    EXPECT_EQ(HashKey<LPCTSTR>("\xC3\xA9"), 4294965196u);  // bytes taken as -61 and -87

    // "a" -> 12, "b" -> 13, "q" -> 11, "ab" -> 3299 % 17 = 1.
    CMapStringToPtr map;
    for (const char* key : {"a", "b", "q", "ab"})
        map.SetAt(key, nullptr);
    std::string order;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        CString key;
        void* value = nullptr;
        map.GetNextAssoc(pos, key, value);
        order += std::string(key.GetString()) + ",";
    }
    EXPECT_EQ(order, "ab,q,a,b,");
}

TEST(Maps, LookupSetAtReplaceAndRemove)
{
    CMapStringToString map;
    map.SetAt("key", "one");
    map["key"] = "two";
    map.SetAt("Key", "other");  // keys compare with case
    CString value;
    EXPECT_TRUE(map.Lookup("key", value));
    EXPECT_STREQ(value.GetString(), "two");
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_TRUE(map.RemoveKey("key"));
    EXPECT_FALSE(map.RemoveKey("key"));
    EXPECT_FALSE(map.Lookup("key", value));
    EXPECT_STREQ(value.GetString(), "two");  // untouched by a failed lookup
    EXPECT_TRUE(map.RemoveKey("Key"));
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(Maps, TheReturnedKeyMayBeRemovedWhileIterating)
{
    CMapWordToPtr map;
    for (WORD key = 0; key < 100; ++key)
        map.SetAt(key, nullptr);
    int visited = 0;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        WORD key = 0;
        void* value = nullptr;
        map.GetNextAssoc(pos, key, value);
        EXPECT_TRUE(map.RemoveKey(key));
        ++visited;
    }
    EXPECT_EQ(visited, 100);
    EXPECT_TRUE(map.IsEmpty());
}

TEST(Maps, InitHashTableChangesTheBucketsOfAnEmptyMapOnly)
{
    CMap<UINT, UINT, int, int> map;
    map.InitHashTable(7);
    EXPECT_EQ(map.GetHashTableSize(), 7u);
    // 0x70 -> 7 % 7 = 0, 0x10 -> 1.
    map[0x10] = 1;
    map[0x70] = 2;
    EXPECT_EQ((KeysInOrder<decltype(map), UINT, int>(map)), (std::vector<UINT>{0x70, 0x10}));
    map.InitHashTable(17);
    EXPECT_EQ(map.GetHashTableSize(), 7u);
    EXPECT_EQ(map.GetCount(), 2);
}

TEST(Maps, PointerKeysShiftTheAddress)
{
    CMapPtrToPtr map;
    int cells[64] = {};
    for (int& cell : cells)
        map.SetAt(&cell, &cell);
    void* found = nullptr;
    EXPECT_TRUE(map.Lookup(&cells[33], found));
    EXPECT_EQ(found, &cells[33]);
    EXPECT_EQ(map.GetCount(), 64);
}

}  // namespace collection_test
