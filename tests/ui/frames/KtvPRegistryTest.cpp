#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/frames/KtvPRegistry.h"

namespace regtest {

// A serialisable class that counts its constructions, to see whether a read
// made one.
class CRegTestShape : public CObject {
    DECLARE_SERIAL(CRegTestShape)
public:
    CRegTestShape() { ++s_nCreated; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_nSides;
        else
            ar >> m_nSides;
    }
    int m_nSides = 0;
    static int s_nCreated;
};
int CRegTestShape::s_nCreated = 0;
IMPLEMENT_SERIAL(CRegTestShape, CObject, 1)

class CRegTestOther : public CObject {
    DECLARE_SERIAL(CRegTestOther)
public:
    CRegTestOther() { ++s_nCreated; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_nSides;
        else
            ar >> m_nSides;
    }
    int m_nSides = 0;
    static int s_nCreated;
};
int CRegTestOther::s_nCreated = 0;
IMPLEMENT_SERIAL(CRegTestOther, CObject, 1)

}  // namespace regtest

namespace {

using Bytes = std::vector<BYTE>;
using regtest::CRegTestOther;
using regtest::CRegTestShape;

// Each test works below its own key of HKEY_CURRENT_USER.
class KtvPRegistryTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_strPath = "Software\\TarnwickTest\\";
        m_strPath += testing::UnitTest::GetInstance()->current_test_info()->name();
        m_strPath.Replace('/', '_');
        m_strPath += "\\";
    }
    void TearDown() override
    {
        CKtvPRegistry reg(FALSE, FALSE);
        reg.DeleteKey(m_strPath);
    }

    // The value as the registry holds it.
    Bytes StoredBytes(LPCTSTR lpszValueName, DWORD* pType = nullptr)
    {
        HKEY hKey = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, CKtvPRegistryTestPath(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return {};
        DWORD nSize = 0;
        DWORD dwType = 0;
        RegQueryValueEx(hKey, lpszValueName, nullptr, &dwType, nullptr, &nSize);
        Bytes bytes(nSize);
        RegQueryValueEx(hKey, lpszValueName, nullptr, &dwType, bytes.data(), &nSize);
        RegCloseKey(hKey);
        if (pType != nullptr)
            *pType = dwType;
        return bytes;
    }
    void StoreBytes(LPCTSTR lpszValueName, DWORD dwType, const Bytes& bytes)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, CKtvPRegistryTestPath(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                 &hKey, nullptr),
                  ERROR_SUCCESS);
        RegSetValueEx(hKey, lpszValueName, 0, dwType, bytes.data(), static_cast<DWORD>(bytes.size()));
        RegCloseKey(hKey);
    }
    CString CKtvPRegistryTestPath() const { return m_strPath.Left(m_strPath.GetLength() - 1); }

    CString m_strPath;
};

// --- encodings -------------------------------------------------------------------

struct EncodingCase {
    const char* name;
    std::function<BOOL(CKtvPRegistry&)> write;
    DWORD type;
    Bytes bytes;
};

TEST_F(KtvPRegistryTest, ValuesAreStoredInTheirByteForms)
{
    CStringArray strings;
    strings.Add("ab");
    CWordArray words;
    words.Add(1);
    words.Add(0x0203);
    words.Add(0xFFFF);
    BYTE raw[] = {0x0A, 0xFF, 0x00};
    static CRegTestShape shape;
    shape.m_nSides = 3;

    const std::vector<EncodingCase> cases = {
        {"int", [](CKtvPRegistry& r) { return r.Write("v", -2); }, REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}},
        {"dword", [](CKtvPRegistry& r) { return r.Write("v", DWORD{0x01020304}); }, REG_DWORD, {4, 3, 2, 1}},
        {"string", [](CKtvPRegistry& r) { return r.Write("v", "hi"); }, REG_SZ, {'h', 'i', 0}},
        {"raw bytes", [&](CKtvPRegistry& r) { return r.Write("v", raw, 3); }, REG_BINARY, {0x0A, 0xFF, 0x00}},
        {"rectangle", [](CKtvPRegistry& r) { return r.Write("v", CRect(1, 2, 3, 4)); }, REG_BINARY,
         {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0}},
        {"point", [](CKtvPRegistry& r) { return r.Write("v", CPoint(7, -1)); }, REG_BINARY,
         {5, 0, 7, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"word array: 32-bit count", [&](CKtvPRegistry& r) { return r.Write("v", words); }, REG_BINARY,
         {3, 0, 0, 0, 1, 0, 3, 2, 0xFF, 0xFF}},
        {"string array: its own Serialize", [&](CKtvPRegistry& r) { return r.Write("v", strings); }, REG_BINARY,
         {1, 0, 2, 'a', 'b'}},
        {"object reference: no class record", [](CKtvPRegistry& r) { return r.Write("v", static_cast<CObject&>(shape)); },
         REG_BINARY, {3, 0, 0, 0}},
        {"object pointer: class record first", [](CKtvPRegistry& r) { return r.Write("v", static_cast<CObject*>(&shape)); },
         REG_BINARY, {0xFF, 0xFF, 1, 0, 13, 0, 'C', 'R', 'e', 'g', 'T', 'e', 's', 't', 'S', 'h', 'a', 'p', 'e', 3, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CKtvPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(m_strPath));
        EXPECT_TRUE(c.write(reg));
        DWORD dwType = 0;
        EXPECT_EQ(StoredBytes("v", &dwType), c.bytes);
        EXPECT_EQ(dwType, c.type);
    }
}

TEST_F(KtvPRegistryTest, EveryKindReadsBackWhatWasWritten)
{
    {
        CKtvPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(m_strPath));
        CWordArray words;
        words.Add(9);
        words.Add(0xFFFE);
        CStringList list;
        list.AddTail("one");
        list.AddTail("two");
        CRegTestShape shape;
        shape.m_nSides = 5;
        EXPECT_TRUE(reg.Write("rect", CRect(-1, 2, 300, 40000)));
        EXPECT_TRUE(reg.Write("point", CPoint(-5, 6)));
        EXPECT_TRUE(reg.Write("words", words));
        EXPECT_TRUE(reg.Write("list", list));
        EXPECT_TRUE(reg.Write("shape", static_cast<CObject*>(&shape)));
        EXPECT_TRUE(reg.Write("text", "a\\b"));
        EXPECT_TRUE(reg.Write("empty", ""));
        EXPECT_TRUE(reg.Write("big", DWORD{0xFFFFFFFF}));
    }
    CKtvPRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(m_strPath));
    CRect rect;
    EXPECT_TRUE(reg.Read("rect", rect));
    EXPECT_EQ(rect, CRect(-1, 2, 300, 40000));
    CPoint point;
    EXPECT_TRUE(reg.Read("point", point));
    EXPECT_EQ(point, CPoint(-5, 6));
    CWordArray words;
    words.Add(77);  // replaced, not appended to
    EXPECT_TRUE(reg.Read("words", words));
    ASSERT_EQ(words.GetSize(), 2);
    EXPECT_EQ(words[1], 0xFFFE);
    CStringList list;
    list.AddTail("old");
    EXPECT_TRUE(reg.Read("list", list));
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_STREQ(list.GetHead(), "one");
    CObject* pObj = nullptr;
    EXPECT_TRUE(reg.Read("shape", pObj, RUNTIME_CLASS(CRegTestShape)));
    ASSERT_NE(pObj, nullptr);
    EXPECT_EQ(static_cast<CRegTestShape*>(pObj)->m_nSides, 5);
    delete pObj;
    CString strText;
    EXPECT_TRUE(reg.Read("text", strText));
    EXPECT_STREQ(strText, "a\\b");
    strText = "x";
    EXPECT_TRUE(reg.Read("empty", strText));
    EXPECT_TRUE(strText.IsEmpty());
    int nBig = 0;
    EXPECT_TRUE(reg.Read("big", nBig));
    EXPECT_EQ(nBig, -1);
}

TEST_F(KtvPRegistryTest, MissingValuesKeepNumbersAndEmptyStrings)
{
    CKtvPRegistry reg(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(m_strPath));
    int nValue = 42;
    DWORD dwValue = 43;
    CString strValue("old");
    BYTE* pData = reinterpret_cast<BYTE*>(1);
    UINT nBytes = 9;
    EXPECT_FALSE(reg.Read("missing", nValue));
    EXPECT_FALSE(reg.Read("missing", dwValue));
    EXPECT_FALSE(reg.Read("missing", strValue));
    EXPECT_FALSE(reg.Read("missing", &pData, &nBytes));
    EXPECT_EQ(nValue, 42);
    EXPECT_EQ(dwValue, 43u);
    EXPECT_TRUE(strValue.IsEmpty());
    EXPECT_EQ(pData, nullptr);
    EXPECT_EQ(nBytes, 0u);
}

// --- damaged and foreign data ----------------------------------------------------

TEST_F(KtvPRegistryTest, ObjectPointerReadRefusesAnotherClassBeforeCreatingIt)
{
    {
        CKtvPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(m_strPath));
        CRegTestOther other;
        ASSERT_TRUE(reg.Write("state", static_cast<CObject*>(&other)));
    }
    CKtvPRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(m_strPath));
    const int nCreatedBefore = CRegTestOther::s_nCreated;
    CObject* pObj = reinterpret_cast<CObject*>(1);
    EXPECT_FALSE(reg.Read("state", pObj, RUNTIME_CLASS(CRegTestShape)));
    EXPECT_EQ(pObj, nullptr);
    EXPECT_EQ(CRegTestOther::s_nCreated, nCreatedBefore);
    // Without a class to expect nothing is read at all.
    EXPECT_FALSE(reg.Read("state", pObj, nullptr));
    EXPECT_EQ(CRegTestOther::s_nCreated, nCreatedBefore);
    // The base class accepts what derives from it.
    EXPECT_TRUE(reg.Read("state", pObj, RUNTIME_CLASS(CObject)));
    delete pObj;
}

TEST_F(KtvPRegistryTest, DamagedImagesReadAsFailures)
{
    const std::vector<std::pair<const char*, Bytes>> damaged = {
        {"word count beyond the bytes", {0xFF, 0xFF, 0xFF, 0x7F, 1, 0}},
        {"word array cut short", {3, 0, 0, 0, 1, 0}},
        {"rectangle cut short", {1, 0, 0, 0, 2, 0, 0, 0}},
        {"string count beyond the bytes", {0xFE, 0xFF, 1, 'a'}},
    };
    for (const auto& [name, bytes] : damaged)
        StoreBytes(name, REG_BINARY, bytes);

    CKtvPRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(m_strPath));
    CWordArray words;
    EXPECT_FALSE(reg.Read("word count beyond the bytes", words));
    EXPECT_EQ(words.GetSize(), 0);
    EXPECT_FALSE(reg.Read("word array cut short", words));
    CRect rect(5, 5, 5, 5);
    EXPECT_FALSE(reg.Read("rectangle cut short", rect));
    EXPECT_EQ(rect, CRect(5, 5, 5, 5));
    CStringArray strings;
    EXPECT_FALSE(reg.Read("string count beyond the bytes", strings));
}

TEST_F(KtvPRegistryTest, PointMustBeBinary)
{
    StoreBytes("p", REG_SZ, {'1', 0});
    CKtvPRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(m_strPath));
    CPoint point(3, 4);
    EXPECT_FALSE(reg.Read("p", point));
    EXPECT_EQ(point, CPoint(3, 4));
}

// --- keys ------------------------------------------------------------------------

TEST_F(KtvPRegistryTest, ReadOnlyRefusesEveryWriteCreateAndDelete)
{
    {
        CKtvPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(m_strPath + "Sub"));
        ASSERT_TRUE(reg.Write("keep", 1));
    }
    CKtvPRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(m_strPath + "Sub"));
    CObList obList;
    CByteArray bytes;
    CWordArray words;
    CDWordArray dwords;
    CStringArray strings;
    CStringList list;
    CRegTestShape shape;
    BYTE raw[1] = {1};
    const std::vector<std::pair<const char*, std::function<BOOL()>>> refused = {
        {"object pointer", [&] { return reg.Write("x", static_cast<CObject*>(&shape)); }},
        {"object", [&] { return reg.Write("x", static_cast<CObject&>(shape)); }},
        {"object list", [&] { return reg.Write("x", obList); }},
        {"raw bytes", [&] { return reg.Write("x", raw, 1); }},
        {"point", [&] { return reg.Write("x", CPoint(1, 1)); }},
        {"rectangle", [&] { return reg.Write("x", CRect()); }},
        {"word array", [&] { return reg.Write("x", words); }},
        {"byte array", [&] { return reg.Write("x", bytes); }},
        {"dword array", [&] { return reg.Write("x", dwords); }},
        {"string array", [&] { return reg.Write("x", strings); }},
        {"string list", [&] { return reg.Write("x", list); }},
        {"string", [&] { return reg.Write("x", "t"); }},
        {"dword", [&] { return reg.Write("x", DWORD{1}); }},
        {"int", [&] { return reg.Write("x", 1); }},
        {"create key", [&] { return reg.CreateKey("New"); }},
        {"delete key", [&] { return reg.DeleteKey(m_strPath + "Sub"); }},
    };
    for (const auto& [name, call] : refused) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(call());
    }
    EXPECT_FALSE(reg.VerifyValue("x"));
    EXPECT_TRUE(reg.VerifyKey(""));
    // The flag is not what stops DeleteValue: the key opened for reading is.
    EXPECT_FALSE(reg.DeleteValue("keep"));
    EXPECT_EQ(reg.m_lLastResult, ERROR_ACCESS_DENIED);
    CKtvPRegistry writable(FALSE, FALSE);
    ASSERT_TRUE(writable.Open(m_strPath + "Sub"));
    writable.m_bReadOnly = TRUE;
    EXPECT_TRUE(writable.DeleteValue("keep"));
    EXPECT_FALSE(writable.VerifyValue("keep"));
}

TEST_F(KtvPRegistryTest, OpenWithOrWithoutTrailingBackslashAndKeepsThePathAsPassed)
{
    {
        CKtvPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(m_strPath + "K\\"));
        ASSERT_TRUE(reg.Write("n", 5));
    }
    for (const CString& strPath : {m_strPath + "K", m_strPath + "K\\"}) {
        CKtvPRegistry reg(FALSE, TRUE);
        ASSERT_TRUE(reg.Open(strPath));
        EXPECT_STREQ(reg.m_strPath, strPath);
        int n = 0;
        EXPECT_TRUE(reg.Read("n", n));
        EXPECT_EQ(n, 5);
    }
    CKtvPRegistry missing(FALSE, TRUE);
    EXPECT_FALSE(missing.Open(m_strPath + "Nope\\"));
    EXPECT_STREQ(missing.m_strPath, m_strPath + "Nope\\");
}

TEST_F(KtvPRegistryTest, DeleteKeyRemovesNestedSubKeysOfAnyDepth)
{
    {
        CKtvPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(m_strPath + "Top\\A\\B\\C"));
        CKtvPRegistry reg2(FALSE, FALSE);
        ASSERT_TRUE(reg2.CreateKey(m_strPath + "Top\\A2"));
        ASSERT_TRUE(reg2.Write("v", 1));
        CKtvPRegistry reg3(FALSE, FALSE);
        ASSERT_TRUE(reg3.CreateKey(m_strPath + "Stay"));
    }
    CKtvPRegistry reg(FALSE, FALSE);
    EXPECT_TRUE(reg.DeleteKey(m_strPath + "Top\\"));
    CKtvPRegistry check(FALSE, TRUE);
    EXPECT_FALSE(check.VerifyKey(m_strPath + "Top"));
    EXPECT_TRUE(check.VerifyKey(m_strPath + "Stay"));
    EXPECT_FALSE(reg.DeleteKey(m_strPath + "Top"));
}

TEST_F(KtvPRegistryTest, ReadSubKeysAndValuesListNamesAndReportFailures)
{
    {
        CKtvPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(m_strPath + "P\\b"));
        CKtvPRegistry reg2(FALSE, FALSE);
        ASSERT_TRUE(reg2.CreateKey(m_strPath + "P\\a"));
        ASSERT_TRUE(reg2.Write("v1", 1));
        ASSERT_TRUE(reg2.Write("v2", "x"));
    }
    CKtvPRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(m_strPath + "P"));
    CStringArray names;
    EXPECT_TRUE(reg.ReadSubKeys(names));
    ASSERT_EQ(names.GetSize(), 2);
    EXPECT_STREQ(names[0], "a");
    EXPECT_STREQ(names[1], "b");
    CStringArray noValues;
    EXPECT_FALSE(reg.ReadValues(noValues));

    CKtvPRegistry leaf(FALSE, TRUE);
    ASSERT_TRUE(leaf.Open(m_strPath + "P\\a"));
    CStringArray values;
    EXPECT_TRUE(leaf.ReadValues(values));
    EXPECT_EQ(values.GetSize(), 2);
    CStringArray none;
    EXPECT_FALSE(leaf.ReadSubKeys(none));

    // A closed key cannot be enumerated: that is a failure, not success.
    leaf.Close();
    CStringArray afterClose;
    EXPECT_FALSE(leaf.ReadSubKeys(afterClose));
    EXPECT_FALSE(leaf.ReadValues(afterClose));
    EXPECT_EQ(afterClose.GetSize(), 0);
}

TEST_F(KtvPRegistryTest, AdminObjectsWorkBelowLocalMachine)
{
    CKtvPRegistry reg(TRUE, FALSE);
    EXPECT_EQ(reg.m_hKey, HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.CreateKey(m_strPath + "M"));
    ASSERT_TRUE(reg.Write("n", 1));
    CKtvPRegistry user(FALSE, TRUE);
    EXPECT_FALSE(user.VerifyKey(m_strPath + "M"));
    CKtvPRegistry remover(FALSE, FALSE);
    EXPECT_FALSE(remover.DeleteKey(m_strPath + "M", FALSE));
    EXPECT_TRUE(remover.DeleteKey(m_strPath + "M", TRUE));
}

}  // namespace
