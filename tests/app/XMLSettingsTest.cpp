#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "tests/app/AppTestFiles.h"
#include "tests/support/ScopedAppNames.h"
#include "app/XMLSettings.h"
#include "platform/mfc/CException.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvRegPath.h"

namespace {



// Every test starts from empty trees and the application's names.
class XMLSettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories("data");
        apptest::WriteFileText("empty.dat", "<CURRENT_USER>\r\n</CURRENT_USER>\r\n");
        ASSERT_TRUE(CXMLSettings::LoadFromFile(FALSE, "empty.dat"));
        apptest::WriteFileText("empty.dat", "<LOCAL_MACHINE>\r\n</LOCAL_MACHINE>\r\n");
        ASSERT_TRUE(CXMLSettings::LoadFromFile(TRUE, "empty.dat"));
    }
    void TearDown() override { CKtvPRegistryFactory::SetRuntimeClass(nullptr); }

    tw::test::ScopedAppNames names_{"Tarnwick", "Corvane"};

    static CString SettingsPath() { return KtvGetRegPath("Settings"); }

    // The stored text of a value, as it goes to the file.
    static CString StoredText(LPCTSTR lpszPath, LPCTSTR lpszValueName)
    {
        CXMLSettings reg;
        reg.m_bReadOnly = TRUE;
        CString strValue;
        if (!reg.Open(lpszPath) || !reg.Read(lpszValueName, strValue))
            return "<missing>";
        return strValue;
    }
    static CString SavedText()
    {
        EXPECT_TRUE(CXMLSettings::SaveToFile(FALSE, "saved.dat"));
        const std::string bytes = apptest::FileText("saved.dat");
        return CString(bytes.c_str());
    }
};

// --- the file's bytes -------------------------------------------------------------

TEST_F(XMLSettingsTest, FixedSettingsAreWrittenAsTheGoldenFile)
{
    {
        CXMLSettings reg;
        ASSERT_TRUE(reg.CreateKey(SettingsPath() + "TabLayout\\"));
        ASSERT_TRUE(reg.Write("EnvironmentGeneral", "3"));
    }
    {
        CXMLSettings reg;
        ASSERT_TRUE(reg.CreateKey(SettingsPath() + "KtvPControlBar-59393\\"));
        CWordArray words;
        words.Add(1);
        words.Add(0xABCD);
        CStringList list;
        list.AddTail("Query");
        list.AddTail("a b");
        BYTE raw[] = {0x0A, 0xFF, 0x00};
        EXPECT_TRUE(reg.Write("Rect", CRect(1, 2, 3, 4)));
        EXPECT_TRUE(reg.Write("Point", CPoint(10, -3)));
        EXPECT_TRUE(reg.Write("Words", words));
        EXPECT_TRUE(reg.Write("Bytes", raw, 3));
        EXPECT_TRUE(reg.Write("Count", -1));
        EXPECT_TRUE(reg.Write("Flags", DWORD{4294967295u}));
        EXPECT_TRUE(reg.Write("List", list));
        EXPECT_TRUE(reg.Write("Object", static_cast<CObject*>(&list)));
        EXPECT_TRUE(reg.Write("Tool Command", "sqlcmd -Q \"select 1 < 2 & 3 > 0\"\r\nnext"));
    }
    ASSERT_TRUE(CXMLSettings::SaveToFile(FALSE, "data/PosImg.dat"));

    const std::string golden = TW_SOURCE_DIR "/tests/app/golden/PosImg.dat";
    if (getenv("TW_UPDATE_GOLDEN") != nullptr)
        apptest::WriteFileText(golden, apptest::FileText("data/PosImg.dat"));
    EXPECT_EQ(apptest::FileText("data/PosImg.dat"), apptest::FileText(golden));
}

TEST_F(XMLSettingsTest, ValuesAreStoredInTheirTextForms)
{
    CWordArray words;
    words.Add(3);
    BYTE raw[] = {0x0A, 0xFF, 0x00};
    CStringArray strings;
    strings.Add("x");
    struct Case {
        const char* name;
        std::function<BOOL(CXMLSettings&)> write;
        const char* text;
    };
    const Case cases[] = {
        {"int -1", [](CXMLSettings& r) { return r.Write("v", -1); }, "-1"},
        {"DWORD all bits", [](CXMLSettings& r) { return r.Write("v", DWORD{0xFFFFFFFF}); }, "-1"},
        {"DWORD", [](CXMLSettings& r) { return r.Write("v", DWORD{42}); }, "42"},
        {"string", [](CXMLSettings& r) { return r.Write("v", "a b"); }, "a b"},
        {"bytes", [&](CXMLSettings& r) { return r.Write("v", raw, 3); }, "0aff00"},
        {"no bytes", [&](CXMLSettings& r) { return r.Write("v", raw, 0); }, ""},
        {"rectangle", [](CXMLSettings& r) { return r.Write("v", CRect(1, 2, 3, 4)); },
         "01000000020000000300000004000000"},
        {"point", [](CXMLSettings& r) { return r.Write("v", CPoint(1, 2)); },
         "05000100000002000000000000000000000000000000"},
        {"word array", [&](CXMLSettings& r) { return r.Write("v", words); }, "010000000300"},
        {"string array", [&](CXMLSettings& r) { return r.Write("v", strings); }, "01000178"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CXMLSettings reg;
        ASSERT_TRUE(reg.CreateKey("K"));
        EXPECT_TRUE(c.write(reg));
        EXPECT_STREQ(StoredText("K", "v"), c.text);
    }
}

TEST_F(XMLSettingsTest, EveryKindComesBackThroughTheFile)
{
    CStringList list;
    list.AddTail("one");
    list.AddTail("two");
    {
        CXMLSettings reg;
        ASSERT_TRUE(reg.CreateKey(SettingsPath() + "Bar\\"));
        CWordArray words;
        words.Add(7);
        words.Add(0xFFFF);
        EXPECT_TRUE(reg.Write("Rect", CRect(-1, 2, 300, 40000)));
        EXPECT_TRUE(reg.Write("Point", CPoint(-5, 6)));
        EXPECT_TRUE(reg.Write("Words", words));
        EXPECT_TRUE(reg.Write("Object", static_cast<CObject*>(&list)));
        EXPECT_TRUE(reg.Write("Count", DWORD{4294967295u}));
        EXPECT_TRUE(reg.Write("Text", "plain"));
    }
    ASSERT_TRUE(CXMLSettings::SaveToFile(FALSE, "data/PosImg.dat"));
    SetUp();
    ASSERT_TRUE(CXMLSettings::LoadFromFile(FALSE, "data/PosImg.dat"));

    CXMLSettings reg;
    reg.m_bReadOnly = TRUE;
    ASSERT_TRUE(reg.Open(SettingsPath() + "Bar"));
    CRect rect;
    EXPECT_TRUE(reg.Read("Rect", rect));
    EXPECT_EQ(rect, CRect(-1, 2, 300, 40000));
    CPoint point;
    EXPECT_TRUE(reg.Read("Point", point));
    EXPECT_EQ(point, CPoint(-5, 6));
    CWordArray words;
    EXPECT_TRUE(reg.Read("Words", words));
    ASSERT_EQ(words.GetSize(), 2);
    EXPECT_EQ(words[1], 0xFFFF);
    CObject* pObj = nullptr;
    EXPECT_TRUE(reg.Read("Object", pObj, RUNTIME_CLASS(CStringList)));
    ASSERT_NE(pObj, nullptr);
    EXPECT_EQ(static_cast<CStringList*>(pObj)->GetCount(), 2);
    delete pObj;
    int nCount = 0;
    EXPECT_TRUE(reg.Read("Count", nCount));
    EXPECT_EQ(nCount, -1);
    DWORD dwCount = 0;
    EXPECT_TRUE(reg.Read("Count", dwCount));
    EXPECT_EQ(dwCount, 0xFFFFFFFFu);
}

TEST_F(XMLSettingsTest, LoadingTheSameFileTwiceGivesTheSameTree)
{
    {
        CXMLSettings reg;
        ASSERT_TRUE(reg.CreateKey("A\\B"));
        ASSERT_TRUE(reg.Write("v", 1));
    }
    const CString strFirst = SavedText();
    ASSERT_TRUE(CXMLSettings::LoadFromFile(FALSE, "saved.dat"));
    ASSERT_TRUE(CXMLSettings::LoadFromFile(FALSE, "saved.dat"));
    EXPECT_STREQ(SavedText(), strFirst);
}

// --- escaping -----------------------------------------------------------------------

TEST_F(XMLSettingsTest, ValuesAndNamesWithMarkupCharactersComeBackUnchanged)
{
    const char* const values[] = {
        "</v>",
        "<v>\"x\"</v>",
        "a & b < c > d \"e\"",
        "line one\r\nline two\nline three\r",
        "&amp; &lt; &#10;",
        "\"",
        "",
    };
    {
        CXMLSettings reg;
        ASSERT_TRUE(reg.CreateKey("Key<1>&\"2\""));
        for (size_t i = 0; i < std::size(values); ++i)
            ASSERT_TRUE(reg.Write(CString("v") + CString(std::to_string(i).c_str()), values[i]));
        ASSERT_TRUE(reg.Write("a>b", "named"));
    }
    const CString strText = SavedText();
    // Still one element a line.
    int nLines = 0;
    for (int i = 0; i < strText.GetLength(); ++i)
        nLines += strText[i] == '\n';
    // Root and key, each opened and closed, and one line a value.
    EXPECT_EQ(nLines, 4 + static_cast<int>(std::size(values)) + 1);

    SetUp();
    ASSERT_TRUE(CXMLSettings::LoadFromFile(FALSE, "saved.dat"));
    for (size_t i = 0; i < std::size(values); ++i) {
        SCOPED_TRACE(values[i]);
        EXPECT_STREQ(StoredText("Key<1>&\"2\"", CString("v") + CString(std::to_string(i).c_str())), values[i]);
    }
    EXPECT_STREQ(StoredText("Key<1>&\"2\"", "a>b"), "named");
}

// --- damaged files -------------------------------------------------------------------

TEST_F(XMLSettingsTest, DamagedFileKeepsWhatParsedAndIsSetAside)
{
    const std::string damaged =
        "<CURRENT_USER>\r\n<Good>\r\n<v>\"1\"</v>\r\n</Good>\r\n"
        "<Bad>\r\n<v>\"2\"</w>\r\n</Bad>\r\n"
        "<Later>\r\n<v>\"3\"</v>\r\n</Later>\r\n</CURRENT_USER>\r\n";
    apptest::WriteFileText("data/PosImg.dat", damaged);
    apptest::WriteFileText("data/PosImg.dat.bad", "an older copy");

    EXPECT_FALSE(CXMLSettings::LoadFromFile(FALSE, "data/PosImg.dat"));
    EXPECT_STREQ(StoredText("Good", "v"), "1");
    EXPECT_STREQ(StoredText("Bad", "v"), "<missing>");
    EXPECT_STREQ(StoredText("Later", "v"), "<missing>");
    EXPECT_EQ(apptest::FileText("data/PosImg.dat.bad"), damaged);
}

TEST_F(XMLSettingsTest, FilesThatLoadNothing)
{
    struct Case {
        const char* name;
        const char* text;
    };
    const Case cases[] = {
        {"truncated", "<CURRENT_USER>\r\n<A>\r\n<v>\"1\"</v>\r\n</A>\r\n"},
        {"leading blank", " <CURRENT_USER>\r\n<A>\r\n<v>\"1\"</v>\r\n</A>\r\n</CURRENT_USER>\r\n"},
        {"declaration", "<?xml version=\"1.0\"?>\r\n<CURRENT_USER>\r\n<A>\r\n<v>\"1\"</v>\r\n</A>\r\n</CURRENT_USER>\r\n"},
        {"empty", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        std::filesystem::remove("data/PosImg.dat.bad");
        apptest::WriteFileText("data/PosImg.dat", c.text);
        EXPECT_FALSE(CXMLSettings::LoadFromFile(FALSE, "data/PosImg.dat"));
        EXPECT_STREQ(StoredText("A", "v"), "<missing>");
        EXPECT_EQ(apptest::FileText("data/PosImg.dat.bad"), c.text);
    }
}

TEST_F(XMLSettingsTest, IndentedSiblingDropsItselfAndWhatFollows)
{
    apptest::WriteFileText("data/PosImg.dat",
                   "<CURRENT_USER>\r\n<A>\r\n<v>\"1\"</v>\r\n</A>\r\n<B>\r\n<v>\"2\"</v>\r\n  <w>\"3\"</w>\r\n</B>\r\n"
                   "<C>\r\n<v>\"4\"</v>\r\n</C>\r\n</CURRENT_USER>\r\n");
    EXPECT_FALSE(CXMLSettings::LoadFromFile(FALSE, "data/PosImg.dat"));
    EXPECT_STREQ(StoredText("A", "v"), "1");
    EXPECT_STREQ(StoredText("B", "v"), "<missing>");
    EXPECT_STREQ(StoredText("C", "v"), "<missing>");
}

TEST_F(XMLSettingsTest, MissingFileLeavesTheTreeAndSetsNothingAside)
{
    {
        CXMLSettings reg;
        ASSERT_TRUE(reg.CreateKey("Kept"));
        ASSERT_TRUE(reg.Write("v", 1));
    }
    EXPECT_FALSE(CXMLSettings::LoadFromFile(FALSE, "data/none.dat"));
    EXPECT_STREQ(StoredText("Kept", "v"), "1");
    EXPECT_FALSE(std::filesystem::exists("data/none.dat.bad"));
}

// --- saving -------------------------------------------------------------------------

int g_nErrorBoxes = 0;
CString g_strLastErrorBox;
int CountErrorBox(LPCTSTR text, UINT, UINT)
{
    ++g_nErrorBoxes;
    g_strLastErrorBox = text;
    return 1;
}

TEST_F(XMLSettingsTest, SaveThatCannotWriteAnswersFalseAfterTheFileErrorBox)
{
    g_nErrorBoxes = 0;
    const auto previous = tw::SetErrorBoxFunction(CountErrorBox);
    EXPECT_FALSE(CXMLSettings::SaveToFile(FALSE, "no-such-folder/PosImg.dat"));
    tw::SetErrorBoxFunction(previous);
    EXPECT_EQ(g_nErrorBoxes, 1);
    EXPECT_NE(g_strLastErrorBox.Find("PosImg.dat"), -1);
}

TEST_F(XMLSettingsTest, SaveReplacesTheOldFileWhole)
{
    std::filesystem::remove_all("data");
    std::filesystem::create_directories("data");
    apptest::WriteFileText("data/PosImg.dat", std::string(4096, 'x'));
    ASSERT_TRUE(CXMLSettings::SaveToFile(FALSE, "data/PosImg.dat"));
    EXPECT_EQ(apptest::FileText("data/PosImg.dat"), "<CURRENT_USER>\r\n</CURRENT_USER>\r\n");
    size_t nFiles = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("data"))
        ++nFiles;
    EXPECT_EQ(nFiles, 1u);  // no temporary left behind
}

// --- paths and keys -----------------------------------------------------------------

TEST_F(XMLSettingsTest, PathRules)
{
    {
        CXMLSettings reg;
        ASSERT_TRUE(reg.CreateKey("Tab Layout\\Sub Key\\"));
        ASSERT_TRUE(reg.Write("v", 1));
        CXMLSettings empty;
        ASSERT_TRUE(empty.CreateKey("A\\\\B"));
        ASSERT_TRUE(empty.Write("w", 2));
    }
    struct Case {
        const char* path;
        bool opens;
    };
    const Case cases[] = {
        {"TabLayout\\SubKey", true},   {"Tab Layout\\Sub Key\\", true}, {"T a b Layout\\SubKey", true},
        {"tablayout\\SubKey", false},  {"TabLayout\\Subkey", false},    {"A\\\\B\\", true},
        {"A\\B", false},               {"", true},                      {"Missing", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CXMLSettings reg;
        EXPECT_EQ(reg.Open(c.path), c.opens);
        EXPECT_STREQ(reg.m_strPath, c.path);
        EXPECT_EQ(reg.m_pCurrentNode != nullptr, c.opens);
    }
    CXMLSettings root;
    ASSERT_TRUE(root.Open(""));
    EXPECT_EQ(root.m_pCurrentNode, root.GetRootNode());
}

TEST_F(XMLSettingsTest, ValueNamesLoseTheirBlanksButDeleteValueComparesAsGiven)
{
    CXMLSettings reg;
    ASSERT_TRUE(reg.CreateKey("K"));
    ASSERT_TRUE(reg.Write("My Value", "x"));
    CString strValue;
    EXPECT_TRUE(reg.Read("MyValue", strValue));
    EXPECT_STREQ(strValue, "x");
    EXPECT_FALSE(reg.DeleteValue("My Value"));
    EXPECT_TRUE(reg.DeleteValue("MyValue"));
    EXPECT_FALSE(reg.Read("MyValue", strValue));
}

TEST_F(XMLSettingsTest, ReadOnlyObjectsRefuseChangesButOpenReadAndDeleteValues)
{
    {
        CXMLSettings reg;
        ASSERT_TRUE(reg.CreateKey("K"));
        ASSERT_TRUE(reg.Write("v", 5));
    }
    CXMLSettings reg;
    reg.m_bReadOnly = TRUE;
    ASSERT_TRUE(reg.Open("K"));
    CWordArray words;
    CStringList list;
    BYTE raw[1] = {1};
    const std::vector<std::pair<const char*, std::function<BOOL()>>> refused = {
        {"create key", [&] { return reg.CreateKey("New"); }},
        {"delete key", [&] { return reg.DeleteKey("K"); }},
        {"int", [&] { return reg.Write("x", 1); }},
        {"dword", [&] { return reg.Write("x", DWORD{1}); }},
        {"string", [&] { return reg.Write("x", "t"); }},
        {"bytes", [&] { return reg.Write("x", raw, 1); }},
        {"point", [&] { return reg.Write("x", CPoint(1, 2)); }},
        {"rectangle", [&] { return reg.Write("x", CRect()); }},
        {"word array", [&] { return reg.Write("x", words); }},
        {"string list", [&] { return reg.Write("x", list); }},
        {"object pointer", [&] { return reg.Write("x", static_cast<CObject*>(&list)); }},
    };
    for (const auto& [name, call] : refused) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(call());
    }
    int n = 0;
    EXPECT_TRUE(reg.Read("v", n));
    EXPECT_EQ(n, 5);
    EXPECT_STREQ(StoredText("K", "x"), "<missing>");
    CXMLSettings check;
    EXPECT_FALSE(check.Open("New"));
    EXPECT_TRUE(reg.DeleteValue("v"));
}

TEST_F(XMLSettingsTest, MissingKeysAndValues)
{
    CXMLSettings reg;
    EXPECT_TRUE(reg.VerifyKey("Nowhere"));
    EXPECT_TRUE(reg.VerifyValue("nothing"));
    EXPECT_FALSE(reg.Open("Nowhere"));
    EXPECT_EQ(reg.m_pCurrentNode, nullptr);
    int n = 7;
    CString str("old");
    EXPECT_FALSE(reg.Read("v", n));
    EXPECT_FALSE(reg.Read("v", str));
    EXPECT_EQ(n, 7);
    EXPECT_TRUE(str.IsEmpty());
    EXPECT_FALSE(reg.Write("v", 1));  // no current node to write into
    CStringArray names;
    EXPECT_FALSE(reg.ReadSubKeys(names));
    EXPECT_FALSE(reg.ReadValues(names));
}

TEST_F(XMLSettingsTest, CloseLeavesTheCurrentNode)
{
    CXMLSettings reg;
    ASSERT_TRUE(reg.CreateKey("K"));
    reg.Close();
    EXPECT_TRUE(reg.Write("after", 3));
    EXPECT_STREQ(StoredText("K", "after"), "3");
}

TEST_F(XMLSettingsTest, DamagedBinaryValuesReadAsFailures)
{
    CXMLSettings reg;
    ASSERT_TRUE(reg.CreateKey("K"));
    ASSERT_TRUE(reg.Write("odd", "abc"));
    ASSERT_TRUE(reg.Write("nothex", "zz"));
    ASSERT_TRUE(reg.Write("empty", ""));
    BYTE* pData = nullptr;
    UINT nBytes = 5;
    EXPECT_FALSE(reg.Read("odd", &pData, &nBytes));
    EXPECT_EQ(pData, nullptr);
    EXPECT_FALSE(reg.Read("nothex", &pData, &nBytes));
    EXPECT_EQ(pData, nullptr);
    EXPECT_TRUE(reg.Read("empty", &pData, &nBytes));
    EXPECT_EQ(nBytes, 0u);
    delete[] pData;
    CRect rect(9, 9, 9, 9);
    EXPECT_FALSE(reg.Read("empty", rect));
    EXPECT_EQ(rect, CRect(9, 9, 9, 9));

    // An edited count far beyond the bytes that follow is refused before
    // anything is allocated for it.
    ASSERT_TRUE(reg.Write("words", "ffffff7f0100"));
    CWordArray words;
    EXPECT_FALSE(reg.Read("words", words));
    EXPECT_EQ(words.GetSize(), 0);
    ASSERT_TRUE(reg.Write("list", "feff0161"));
    CStringList list;
    EXPECT_FALSE(reg.Read("list", list));
    CPoint point(1, 1);
    ASSERT_TRUE(reg.Write("point", "0500"));
    EXPECT_FALSE(reg.Read("point", point));
    EXPECT_EQ(point, CPoint(1, 1));
}

TEST_F(XMLSettingsTest, EditedObjectOfAnotherClassIsRefused)
{
    CStringArray other;
    other.Add("x");
    CXMLSettings reg;
    ASSERT_TRUE(reg.CreateKey("K"));
    ASSERT_TRUE(reg.Write("State", static_cast<CObject*>(&other)));
    CObject* pObj = nullptr;
    EXPECT_FALSE(reg.Read("State", pObj, RUNTIME_CLASS(CStringList)));
    EXPECT_EQ(pObj, nullptr);
}

TEST_F(XMLSettingsTest, DeleteKeyRemovesTheSubtreeInTheNamedTree)
{
    {
        CXMLSettings reg;
        ASSERT_TRUE(reg.CreateKey("A\\B\\C"));
        ASSERT_TRUE(reg.Write("v", 1));
    }
    CXMLSettings reg;
    EXPECT_FALSE(reg.DeleteKey("A\\B", TRUE));  // not in LOCAL_MACHINE
    EXPECT_TRUE(reg.DeleteKey("A\\B\\"));
    CXMLSettings check;
    EXPECT_TRUE(check.Open("A"));
    EXPECT_FALSE(check.Open("A\\B"));
    EXPECT_FALSE(reg.DeleteKey(""));
}

// The store does not enumerate, even a key that has both sub-keys and values:
// the library's key walks see FALSE and an array left as it was.
TEST_F(XMLSettingsTest, KeysAndValuesAreNeverEnumerated)
{
    {
        CXMLSettings reg;
        ASSERT_TRUE(reg.CreateKey("P\\k1"));
        ASSERT_TRUE(reg.Write("v", 1));
        CXMLSettings reg2;
        ASSERT_TRUE(reg2.CreateKey("P"));
        ASSERT_TRUE(reg2.Write("value", 2));
    }
    CKtvPRegistryFactory::SetRuntimeClass(RUNTIME_CLASS(CXMLSettings));
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
    ASSERT_TRUE(reg.Open("P"));
    CStringArray keys;
    keys.Add("before");
    CStringArray values;
    EXPECT_FALSE(reg.ReadSubKeys(keys));
    EXPECT_FALSE(reg.ReadValues(values));
    ASSERT_EQ(keys.GetSize(), 1);
    EXPECT_STREQ(keys[0], "before");
    EXPECT_EQ(values.GetSize(), 0);
    CKtvPRegistryFactory::SetRuntimeClass(nullptr);
}

TEST_F(XMLSettingsTest, AdminObjectsUseTheLocalMachineTreeWhichIsNeverSaved)
{
    CKtvPRegistryFactory::SetRuntimeClass(RUNTIME_CLASS(CXMLSettings));
    {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(TRUE, FALSE);
        ASSERT_TRUE(reg.IsKindOf(RUNTIME_CLASS(CXMLSettings)));
        ASSERT_TRUE(reg.CreateKey("Machine"));
        ASSERT_TRUE(reg.Write("v", 1));
    }
    {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
        EXPECT_FALSE(reg.Open("Machine"));
    }
    CKtvPRegistryFactory::SetRuntimeClass(nullptr);
    EXPECT_EQ(SavedText().Find("Machine"), -1);
}

}  // namespace
