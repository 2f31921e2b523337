#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CByteArray.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CStringArray.h"
#include "tests/platform/mfc/ArchiveBytes.h"

using archive_bytes::ArchiveCauseOf;
using archive_bytes::FromHex;
using archive_bytes::Load;
using archive_bytes::Store;
using archive_bytes::TextToHex;
using archive_bytes::ToHex;

// A serial class with one field (12 characters in its name).
class CArchiveItem : public CObject {
    DECLARE_SERIAL(CArchiveItem)
public:
    CArchiveItem() = default;
    explicit CArchiveItem(DWORD value) : m_value(value) {}
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_value;
        else
            ar >> m_value;
    }
    DWORD m_value = 0;
};
IMPLEMENT_SERIAL(CArchiveItem, CObject, 1)

// Another class, unrelated to the first.
class CArchiveOther : public CObject {
    DECLARE_SERIAL(CArchiveOther)
};
IMPLEMENT_SERIAL(CArchiveOther, CObject, 1)

// A versionable class whose Serialize reads its fields by stored schema.
class CTestUserTool : public CObject {
    DECLARE_SERIAL(CTestUserTool)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_strLabel << m_strCommand << m_strArguments << m_strDirectory << m_uiCmdId;
            return;
        }
        m_nLoadedSchema = ar.GetObjectSchema();
        ar >> m_strLabel >> m_strCommand >> m_strArguments >> m_strDirectory >> m_uiCmdId;
    }
    CString m_strLabel, m_strCommand, m_strArguments, m_strDirectory;
    UINT m_uiCmdId = 0;
    UINT m_nLoadedSchema = 0;
};
IMPLEMENT_SERIAL(CTestUserTool, CObject, VERSIONABLE_SCHEMA | 1)

// An object that holds another object and a reference back to itself.
class CArchiveNode : public CObject {
    DECLARE_SERIAL(CArchiveNode)
public:
    ~CArchiveNode() override { delete m_pChild; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_pChild << m_pSelf;
            return;
        }
        ar >> m_pChild >> m_pSelf;
    }
    CArchiveNode* m_pChild = nullptr;
    CArchiveNode* m_pSelf = nullptr;
};
IMPLEMENT_SERIAL(CArchiveNode, CObject, 1)

namespace archive_object_test {

const std::string kItemRecord = "ff ff 01 00 0c 00 " + TextToHex("CArchiveItem");

TEST(ArchiveObjects, NewClassTagThenClassReferenceThenObjectReference)
{
    CArchiveItem first(0x11);
    CArchiveItem second(0x22);
    const auto bytes = Store([&](CArchive& ar) { ar << &first << &second << &first << static_cast<CObject*>(nullptr); });

    // The class takes index 1, the first object 2, the second object 3.
    EXPECT_EQ(ToHex(bytes), kItemRecord + " 11 00 00 00 01 80 22 00 00 00 02 00 00 00");

    Load(bytes, [](CArchive& ar) {
        CObject* pFirst = nullptr;
        CObject* pSecond = nullptr;
        CObject* pAgain = nullptr;
        CObject* pNull = reinterpret_cast<CObject*>(1);
        ar >> pFirst >> pSecond >> pAgain >> pNull;
        std::unique_ptr<CObject> own1(pFirst), own2(pSecond);
        ASSERT_TRUE(pFirst->IsKindOf(RUNTIME_CLASS(CArchiveItem)));
        EXPECT_EQ(static_cast<CArchiveItem*>(pFirst)->m_value, 0x11u);
        EXPECT_EQ(static_cast<CArchiveItem*>(pSecond)->m_value, 0x22u);
        EXPECT_EQ(pAgain, pFirst);
        EXPECT_EQ(pNull, nullptr);
    });
}

TEST(ArchiveObjects, AListOfOneVersionableToolHasTheStoredLayoutOfTheToolsValue)
{
    CObList tools;
    CTestUserTool tool;
    tool.m_strLabel = "A";
    tool.m_strCommand = "B";
    tool.m_uiCmdId = 32806;
    tools.AddTail(&tool);

    const auto bytes = Store([&](CArchive& ar) { tools.Serialize(ar); });
    // The schema is stored without the versionable bit.
    EXPECT_EQ(ToHex(bytes), "01 00 ff ff 01 00 0d 00 " + TextToHex("CTestUserTool") + " 01 41 01 42 00 00 26 80 00 00");

    Load(bytes, [](CArchive& ar) {
        CObList loaded;
        loaded.Serialize(ar);
        ASSERT_EQ(loaded.GetCount(), 1);
        std::unique_ptr<CTestUserTool> back(static_cast<CTestUserTool*>(loaded.GetHead()));
        EXPECT_STREQ(back->m_strLabel.GetString(), "A");
        EXPECT_STREQ(back->m_strCommand.GetString(), "B");
        EXPECT_EQ(back->m_uiCmdId, 32806u);
        EXPECT_EQ(back->m_nLoadedSchema, 1u);
    });
}

TEST(ArchiveObjects, AVersionableClassAcceptsAnotherStoredSchemaAndReportsIt)
{
    const auto bytes = FromHex("ff ff 07 00 0d 00 " + TextToHex("CTestUserTool") + " 00 00 00 00 01 00 00 00");
    Load(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> pObject(ar.ReadObject(RUNTIME_CLASS(CTestUserTool)));
        EXPECT_EQ(static_cast<CTestUserTool*>(pObject.get())->m_nLoadedSchema, 7u);
        EXPECT_EQ(static_cast<CTestUserTool*>(pObject.get())->m_uiCmdId, 1u);
    });
}

TEST(ArchiveObjects, ObjectsInsideAnObjectReferToItAndGetLaterIndices)
{
    CArchiveNode child;
    CArchiveNode parent;
    parent.m_pChild = &child;
    parent.m_pSelf = &parent;
    child.m_pSelf = &parent;
    const auto bytes = Store([&](CArchive& ar) { ar << &parent; });
    parent.m_pChild = nullptr;  // not owned here

    // parent: class 1, object 2; child: class reference, object 3.
    const std::string record = "ff ff 01 00 0c 00 " + TextToHex("CArchiveNode");
    EXPECT_EQ(ToHex(bytes), record + " 01 80 00 00 02 00 02 00");

    Load(bytes, [](CArchive& ar) {
        CArchiveNode* pParent = nullptr;
        ar >> pParent;
        std::unique_ptr<CArchiveNode> own(pParent);
        ASSERT_NE(pParent->m_pChild, nullptr);
        EXPECT_EQ(pParent->m_pSelf, pParent);
        EXPECT_EQ(pParent->m_pChild->m_pSelf, pParent);
        EXPECT_EQ(pParent->m_pChild->m_pChild, nullptr);
    });
}

TEST(ArchiveObjects, IndicesFrom0x7FFFOnUseTheBigTagWithADword)
{
    // Fill the index space so the class lands on 0x7FFF and its object on 0x8000.
    std::vector<CArchiveItem> fillers(0x7FFE);
    CArchiveItem first(1);
    CArchiveItem second(2);
    const auto bytes = Store([&](CArchive& ar) {
        for (const CArchiveItem& filler : fillers)
            ar.MapObject(&filler);
        ar << &first << &second << &first;
    });
    EXPECT_EQ(ToHex(bytes), kItemRecord + " 01 00 00 00 ff 7f ff 7f 00 80 02 00 00 00 ff 7f 00 80 00 00");

    Load(bytes, [&](CArchive& ar) {
        for (CArchiveItem& filler : fillers)
            ar.MapObject(&filler);
        CObject* pFirst = nullptr;
        CObject* pSecond = nullptr;
        CObject* pAgain = nullptr;
        ar >> pFirst >> pSecond >> pAgain;
        std::unique_ptr<CObject> own1(pFirst), own2(pSecond);
        EXPECT_EQ(static_cast<CArchiveItem*>(pSecond)->m_value, 2u);
        EXPECT_EQ(pAgain, pFirst);
    });
}

TEST(ArchiveObjects, SerializeClassWritesAClassRecordOnceAndChecksItOnLoading)
{
    const auto bytes = Store([](CArchive& ar) {
        ar.SerializeClass(RUNTIME_CLASS(CArchiveItem));
        ar.SerializeClass(RUNTIME_CLASS(CArchiveItem));
    });
    EXPECT_EQ(ToHex(bytes), kItemRecord + " 01 80");
    Load(bytes, [](CArchive& ar) {
        ar.SerializeClass(RUNTIME_CLASS(CArchiveItem));
        EXPECT_EQ(ar.GetObjectSchema(), 1u);
        EXPECT_EQ(ar.GetObjectSchema(), static_cast<UINT>(-1));
        ar.SerializeClass(RUNTIME_CLASS(CArchiveItem));
    });
    EXPECT_EQ(ArchiveCauseOf([&] { Load(bytes, [](CArchive& ar) { ar.SerializeClass(RUNTIME_CLASS(CArchiveOther)); }); }),
              CArchiveException::badClass);
}

TEST(ArchiveObjects, AClassThatCannotBeArchivedIsRefused)
{
    bool refused = false;
    try {
        Store([](CArchive& ar) { ar.WriteClass(RUNTIME_CLASS(CObject)); });
    } catch (CNotSupportedException* e) {
        refused = true;
        e->Delete();
    }
    EXPECT_TRUE(refused);
}

struct DamagedCase {
    const char* name;
    std::string bytes;
    int cause;
};

class DamagedObjectImageTest : public testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedObjectImageTest, ThrowsAnArchiveExceptionAndLeaksNothing)
{
    const DamagedCase& c = GetParam();
    EXPECT_EQ(ArchiveCauseOf([&] {
                  Load(FromHex(c.bytes), [](CArchive& ar) {
                      std::unique_ptr<CObject> pObject(ar.ReadObject(RUNTIME_CLASS(CArchiveItem)));
                      std::unique_ptr<CObject> pSecond(ar.ReadObject(RUNTIME_CLASS(CArchiveItem)));
                  });
              }),
              c.cause);
}

INSTANTIATE_TEST_SUITE_P(
    Images, DamagedObjectImageTest,
    testing::Values(
        DamagedCase{"Empty", "", CArchiveException::endOfFile},
        DamagedCase{"ClassNameCutShort", "ff ff 01 00 0c 00 " + TextToHex("CArch"), CArchiveException::badClass},
        DamagedCase{"UnknownClass", "ff ff 01 00 05 00 " + TextToHex("CNone"), CArchiveException::badClass},
        DamagedCase{"ClassNameTooLong", "ff ff 01 00 ff 00", CArchiveException::badClass},
        DamagedCase{"WrongSchema", "ff ff 02 00 0c 00 " + TextToHex("CArchiveItem") + " 00 00 00 00",
                    CArchiveException::badSchema},
        DamagedCase{"UnexpectedClass", "ff ff 01 00 0d 00 " + TextToHex("CArchiveOther"), CArchiveException::badClass},
        DamagedCase{"ClassReferenceToNothing", "05 80", CArchiveException::badIndex},
        DamagedCase{"ObjectReferenceToNothing", "05 00", CArchiveException::badIndex},
        DamagedCase{"BigObjectReferenceToNothing", "ff 7f 00 00 01 00", CArchiveException::badIndex},
        DamagedCase{"ObjectReferenceToAClass", kItemRecord + " 01 00 00 00 01 00", CArchiveException::badIndex},
        DamagedCase{"ClassReferenceToAnObject", kItemRecord + " 01 00 00 00 02 80", CArchiveException::badIndex},
        DamagedCase{"ObjectCutShort", kItemRecord + " 01 00", CArchiveException::endOfFile}),
    [](const testing::TestParamInfo<DamagedCase>& info) { return std::string(info.param.name); });

TEST(ArchiveObjects, AReferenceToAnObjectOfAnotherClassIsRefused)
{
    CArchiveItem item(1);
    const auto bytes = Store([&](CArchive& ar) { ar << &item << &item; });
    EXPECT_EQ(ArchiveCauseOf([&] {
                  Load(bytes, [](CArchive& ar) {
                      std::unique_ptr<CObject> pFirst(ar.ReadObject(nullptr));
                      ar.ReadObject(RUNTIME_CLASS(CArchiveOther));
                  });
              }),
              CArchiveException::badClass);
}

// Every truncation and every single-byte change of a valid image must load
// or throw a CException: never crash, overrun or allocate without bound
// (run under the sanitizers to see the memory side).
class DamagedImageSweepTest : public testing::Test {
protected:
    static std::vector<BYTE> ValidImage()
    {
        CArchiveItem first(1);
        CArchiveItem second(0x300);
        CObList items;
        items.AddTail(&first);
        items.AddTail(&second);
        items.AddTail(&first);
        CStringArray names;
        names.Add("alpha");
        names.Add(std::string(300, 'n').c_str());
        CDWordArray point;
        point.SetSize(5);
        return Store([&](CArchive& ar) {
            items.Serialize(ar);
            names.Serialize(ar);
            point.Serialize(ar);
            ar << &second;
        });
    }

    // True when the image loaded completely.
    static bool LoadsWithoutHarm(const std::vector<BYTE>& image)
    {
        CObList items;
        std::set<CObject*> made;
        bool loaded = false;
        try {
            Load(image, [&](CArchive& ar) {
                try {
                    items.Serialize(ar);
                } catch (...) {
                    for (POSITION pos = items.GetHeadPosition(); pos != nullptr;)
                        made.insert(items.GetNext(pos));
                    throw;
                }
                for (POSITION pos = items.GetHeadPosition(); pos != nullptr;)
                    made.insert(items.GetNext(pos));
                CStringArray names;
                CDWordArray point;
                names.Serialize(ar);
                point.Serialize(ar);
                CObject* pLast = nullptr;
                ar >> pLast;
                made.insert(pLast);
            });
            loaded = true;
        } catch (CException* e) {
            e->Delete();
        }
        made.erase(nullptr);
        for (CObject* pObject : made)
            delete pObject;
        return loaded;
    }
};

TEST_F(DamagedImageSweepTest, EveryTruncationThrowsInsteadOfLoading)
{
    const std::vector<BYTE> image = ValidImage();
    ASSERT_TRUE(LoadsWithoutHarm(image));
    for (size_t length = 0; length < image.size(); ++length)
        EXPECT_FALSE(LoadsWithoutHarm(std::vector<BYTE>(image.begin(), image.begin() + static_cast<long>(length))))
            << "cut at " << length;
}

TEST_F(DamagedImageSweepTest, EverySingleByteChangeLoadsOrThrows)
{
    const std::vector<BYTE> image = ValidImage();
    for (size_t at = 0; at < image.size(); ++at) {
        for (BYTE value : {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF}) {
            std::vector<BYTE> damaged = image;
            damaged[at] = value;
            LoadsWithoutHarm(damaged);
        }
    }
}

}  // namespace archive_object_test
