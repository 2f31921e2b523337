#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/app/AppTestFiles.h"
#include "app/RegistryExportCancel.h"
#include "app/RegistryValueText.h"
#include "app/RegistryXml.h"
#include "app/XmlElement.h"
#include "platform/mfc/CException.h"
#include "ui/frames/KtvPRegistry.h"

namespace {

using Bytes = std::vector<BYTE>;


struct RegValue {
    DWORD type = 0;
    Bytes data;
    bool operator==(const RegValue&) const = default;
};

// Message boxes of the import, collected.
std::vector<std::string> g_boxes;
int CollectBox(LPCTSTR text, UINT, UINT)
{
    g_boxes.emplace_back(text != nullptr ? text : "");
    return 1;
}

// A cancellation check that answers from a script and counts the questions.
class FakeCancel : public CRegistryExportCancel {
public:
    BOOL IsCancelRequested() override
    {
        ++m_nAsked;
        return m_nAsked == m_nCancelAt;
    }
    int m_nAsked = 0;
    int m_nCancelAt = 0;  // 0: never
};

// Each test works below its own key of HKEY_CURRENT_USER\Software\TwXml.
class RegistryXmlTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_strSub = "Software\\TwXml\\";
        m_strSub += testing::UnitTest::GetInstance()->current_test_info()->name();
        m_strSub += "\\Snippets";
        g_boxes.clear();
        m_previousBox = tw::SetErrorBoxFunction(CollectBox);
        std::filesystem::create_directories("data");
    }
    void TearDown() override
    {
        tw::SetErrorBoxFunction(m_previousBox);
        CRegistryExportCancel::Install(nullptr);
        CKtvPRegistry reg(FALSE, FALSE);
        reg.DeleteKey("Software\\TwXml");
    }

    std::string FullPath() const { return std::string("HKEY_CURRENT_USER\\") + m_strSub.GetString(); }

    void Set(const CString& strKey, LPCTSTR lpszName, DWORD dwType, const Bytes& data)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, strKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueEx(hKey, lpszName, 0, dwType, data.data(), static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
        RegCloseKey(hKey);
    }
    void SetText(const CString& strKey, LPCTSTR lpszName, const std::string& text)
    {
        Bytes data(text.begin(), text.end());
        data.push_back(0);
        Set(strKey, lpszName, REG_SZ, data);
    }
    void CreateKey(const CString& strKey)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, strKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(hKey);
    }
    // Type and data of a value; type 0 and no data when it is missing.
    RegValue Get(const CString& strKey, LPCTSTR lpszName)
    {
        RegValue value;
        HKEY hKey = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return value;
        DWORD nSize = 0;
        if (RegQueryValueEx(hKey, lpszName, nullptr, &value.type, nullptr, &nSize) == ERROR_SUCCESS) {
            value.data.resize(nSize);
            RegQueryValueEx(hKey, lpszName, nullptr, &value.type, value.data.data(), &nSize);
        }
        RegCloseKey(hKey);
        return value;
    }
    // Writes the file the way the snippet setup does.
    BOOL Export(const std::string& path, const std::string& keyPath, BOOL bKeysAsTags = FALSE)
    {
        CXmlWriter writer;
        writer.SetFilePath(path);
        CXmlElement registry("registry");
        registry.WriteStartTag(&writer, 1, TRUE, TRUE);
        const BOOL bExported = ExportRegistryToXml(&writer, bKeysAsTags, keyPath);
        registry.WriteEndTag(&writer, -1, TRUE, TRUE);
        writer.Close();
        return bExported;
    }
    BOOL Import(const std::string& path)
    {
        CXmlReader reader;
        return ImportRegistryFromXml(reader, path);
    }

    CString m_strSub;
    tw::ErrorBoxFunction m_previousBox = nullptr;
};

TEST_F(RegistryXmlTest, ExportWritesKeyAndValueElementsLineByLine)
{
    m_strSub = "Software\\TwXml\\Export\\Snippets";
    SetText(m_strSub, "b", "x<y & \"z\" > 'q'");
    Set(m_strSub, "A", REG_DWORD, {1, 0, 0, 0});
    CreateKey(m_strSub + "\\Empty");
    Set(m_strSub + "\\Sub", "bin", REG_BINARY, {0x0A, 0xFF});
    Set(m_strSub + "\\Sub", "", REG_SZ, {'d', 0});

    ASSERT_TRUE(Export("data/SnsDap.dll", FullPath()));
    EXPECT_EQ(apptest::FileText("data/SnsDap.dll"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              " <registry>\r\n"
              "  <k name=\"HKEY_CURRENT_USER\">\r\n"
              "   <k name=\"Software\">\r\n"
              "    <k name=\"TwXml\">\r\n"
              "     <k name=\"Export\">\r\n"
              "      <k name=\"Snippets\">\r\n"
              "       <v name=\"A\" value=\"0x00000001 (1)\" type=\"REG_DWORD\"/>\r\n"
              "       <v name=\"b\" value=\"x&lt;y &amp; &quot;z&quot; > 'q'\"/>\r\n"
              "       <k name=\"Empty\"/>\r\n"
              "       <k name=\"Sub\">\r\n"
              "        <v name=\"(Default)\" value=\"d\"/>\r\n"
              "        <v name=\"bin\" value=\"0a ff\" type=\"REG_BINARY\"/>\r\n"
              "       </k>\r\n"
              "      </k>\r\n"
              "     </k>\r\n"
              "    </k>\r\n"
              "   </k>\r\n"
              "  </k>\r\n"
              " </registry>\r\n");
}

TEST_F(RegistryXmlTest, TagFormPutsValuesIntoTheKeysElement)
{
    m_strSub = "Software\\TwXml\\Tags\\Snippets";
    SetText(m_strSub, "n", "1");
    SetText(m_strSub + "\\Leaf", "t", "a&b");
    ASSERT_TRUE(Export("tags.xml", FullPath(), TRUE));
    EXPECT_EQ(apptest::FileText("tags.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              " <registry>\r\n"
              "  <HKEY_CURRENT_USER>\r\n"
              "   <Software>\r\n"
              "    <TwXml>\r\n"
              "     <Tags>\r\n"
              "      <Snippets n=\"1\">\r\n"
              "       <Leaf t=\"a&amp;b\"/>\r\n"
              "      </Snippets>\r\n"
              "     </Tags>\r\n"
              "    </TwXml>\r\n"
              "   </Software>\r\n"
              "  </HKEY_CURRENT_USER>\r\n"
              " </registry>\r\n");
}

TEST_F(RegistryXmlTest, EveryValueKindComesBackThroughExportAndImport)
{
    const std::string sql = "SELECT 'it''s' AS [a<b], \"q\" & 1 > 0\r\nFROM t\r\n\r\nWHERE x = '&amp;'";
    struct Case {
        const char* name;
        RegValue value;
    };
    Bytes sqlData(sql.begin(), sql.end());
    sqlData.push_back(0);
    const Case cases[] = {
        {"sql", {REG_SZ, sqlData}},
        {"entity text", {REG_SZ, {'&', 'a', 'm', 'p', ';', 0}}},
        {"expand", {REG_EXPAND_SZ, {'%', 'X', '%', 0}}},
        {"dword one", {REG_DWORD, {1, 0, 0, 0}}},
        {"dword minus one", {REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}}},
        {"big endian", {REG_DWORD_BIG_ENDIAN, {0, 0, 1, 2}}},
        {"qword", {REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}}},
        {"binary", {REG_BINARY, {0x0A, 0xFF}}},
        {"empty binary", {REG_BINARY, {}}},
        {"multi", {REG_MULTI_SZ, {'a', 0, 'b', 'c', 0, 0}}},
        {"empty multi", {REG_MULTI_SZ, {}}},
        {"resource list", {REG_RESOURCE_LIST, {1, 2}}},
        {"full resource descriptor", {REG_FULL_RESOURCE_DESCRIPTOR, {3, 4, 0}}},
        {"requirements", {REG_RESOURCE_REQUIREMENTS_LIST, {5}}},
        {"", {REG_SZ, {'d', 'e', 'f', 0}}},
    };
    for (const Case& c : cases)
        Set(m_strSub + "\\Kinds", c.name, c.value.type, c.value.data);

    ASSERT_TRUE(Export("data/SnsDap.dll", FullPath()));
    CKtvPRegistry remover(FALSE, FALSE);
    ASSERT_TRUE(remover.DeleteKey(m_strSub));
    ASSERT_TRUE(Import("data/SnsDap.dll"));
    EXPECT_TRUE(g_boxes.empty());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Get(m_strSub + "\\Kinds", c.name), c.value);
    }
}

TEST_F(RegistryXmlTest, ValueTexts)
{
    struct Case {
        DWORD type;
        Bytes data;
        const char* text;
    };
    const Case cases[] = {
        {REG_DWORD, {1, 0, 0, 0}, "0x00000001 (1)"},
        {REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, "0xffffffff (-1)"},
        {REG_DWORD_BIG_ENDIAN, {0, 0, 1, 2}, "0x00000102 (258)"},
        {REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0x80}, "0x8000000000000001"},
        {REG_BINARY, {0x0A, 0xFF}, "0a ff"},
        {REG_MULTI_SZ, {'a', 0, 'b', 0, 0}, "a\r\nb"},
        {REG_LINK, {'L', 0, 'n', 0, 0, 0}, "Ln"},
        {REG_NONE, {'t', 0}, "t"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_STREQ(CRegistryValueText::DataToText(c.type, c.data.data(), static_cast<DWORD>(c.data.size())),
                     c.text);
    }
    const std::pair<DWORD, const char*> names[] = {
        {REG_NONE, "REG_SZ"},        {REG_LINK, "REG_SZ"},
        {REG_DWORD_BIG_ENDIAN, "REG_DWORD_BIG_ENDIAN"},
        {REG_FULL_RESOURCE_DESCRIPTOR, "REG_FULL_RESOURCE_DESCRIPTOR"},
        {12, ""},
    };
    for (const auto& [type, name] : names)
        EXPECT_STREQ(CRegistryValueText::TypeName(type), name);
    EXPECT_EQ(CRegistryValueText::TypeFromName("reg_dword"), DWORD{REG_DWORD});
    EXPECT_EQ(CRegistryValueText::TypeFromName("REG_UNKNOWN"), DWORD{REG_SZ});
    EXPECT_STREQ(CRegistryValueText::Unescape("&amp;lt; &lt;&quot;"), "&lt; <\"");
}

TEST_F(RegistryXmlTest, UnsetDefaultWritesNoValueElement)
{
    CreateKey(m_strSub + "\\Only\\Bare");
    Set(m_strSub + "\\Only\\Child", "", REG_SZ, {});
    ASSERT_TRUE(Export("d.xml", FullPath() + "\\Only"));
    const std::string text = apptest::FileText("d.xml");
    EXPECT_EQ(text.find("<v "), std::string::npos);
    EXPECT_NE(text.find("        <k name=\"Bare\"/>\r\n"), std::string::npos);
    EXPECT_NE(text.find("        <k name=\"Child\">\r\n        </k>\r\n"), std::string::npos);
}

TEST_F(RegistryXmlTest, ImportMergesAndCreatesMissingKeys)
{
    std::ofstream("in.xml", std::ios::binary)
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
           " <registry>\r\n"
           "  <k name=\"hkey_current_user\">\r\n"
           "   <k name=\"" << m_strSub.Left(m_strSub.Find('\\')).GetString() << "\">\r\n"
           "    <k name=\"" << m_strSub.Mid(m_strSub.Find('\\') + 1).GetString() << "\">\r\n"
           "     <v name=\"new\" value=\"1\"/>\r\n"
           "     <k name=\"Fresh\">\r\n"
           "      <v name=\"(default)\" value=\"0x0000002a (42)\" type=\"REG_DWORD\"/>\r\n"
           "     </k>\r\n"
           "    </k>\r\n"
           "   </k>\r\n"
           "  </k>\r\n"
           " </registry>\r\n";
    SetText(m_strSub, "old", "kept");
    ASSERT_TRUE(Import("in.xml"));
    EXPECT_EQ(Get(m_strSub, "old"), (RegValue{REG_SZ, {'k', 'e', 'p', 't', 0}}));
    EXPECT_EQ(Get(m_strSub, "new"), (RegValue{REG_SZ, {'1', 0}}));
    EXPECT_EQ(Get(m_strSub + "\\Fresh", ""), (RegValue{REG_DWORD, {42, 0, 0, 0}}));
}

TEST_F(RegistryXmlTest, ImportFailures)
{
    const std::string head = "<?xml version=\"1.0\"?>\r\n<registry>\r\n";
    struct Case {
        const char* name;
        std::string text;
        BOOL result;
        std::vector<std::string> boxes;
    };
    const CString strKey = m_strSub;
    const std::string keyOpen = "<k name=\"HKEY_CURRENT_USER\">\r\n<k name=\"" + std::string(strKey.GetString()) +
                                "\">\r\n";
    const Case cases[] = {
        {"unknown root", head + "<k name=\"HKEY_NOWHERE\">\r\n<k name=\"x\">\r\n", FALSE, {}},
        {"key that cannot be created", head + keyOpen + "<k name=\"" + std::string(300, 'x') + "\">\r\n", FALSE,
         {"couldn't create key HKEY_CURRENT_USER\\" + std::string(strKey.GetString()) + "\\" +
          std::string(300, 'x')}},
        {"bad value goes on",
         head + keyOpen + "<v name=\"n1\" value=\"zz\" type=\"REG_DWORD\"/>\r\n<v name=\"n2\" value=\"2\"/>\r\n",
         TRUE, {"couldn't set value n1"}},
        {"parse error ends the loop, not the result", head + keyOpen + "<v name=\"n3\" value=\"3\"/>\r\n<v <\r\n",
         TRUE, {"Parse error in line 6 : (Bad '<' symbol)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_boxes.clear();
        std::ofstream("bad.xml", std::ios::binary) << c.text;
        EXPECT_EQ(Import("bad.xml"), c.result);
        EXPECT_EQ(g_boxes, c.boxes);
    }
    EXPECT_EQ(Get(m_strSub, "n1").type, 0u);
    EXPECT_EQ(Get(m_strSub, "n2"), (RegValue{REG_SZ, {'2', 0}}));
    EXPECT_EQ(Get(m_strSub, "n3"), (RegValue{REG_SZ, {'3', 0}}));
    g_boxes.clear();
    EXPECT_TRUE(Import("missing.xml"));
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(RegistryXmlTest, FailedExportKeepsTheOldFile)
{
    std::ofstream("data/SnsDap.dll") << "old copy";
    EXPECT_FALSE(Export("data/SnsDap.dll", "HKEY_CURRENT_USER\\Software\\TwXml\\Missing"));
    EXPECT_FALSE(Export("data/SnsDap.dll", "HKEY_NOWHERE\\Software"));
    EXPECT_FALSE(Export("data/SnsDap.dll", ""));
    EXPECT_EQ(apptest::FileText("data/SnsDap.dll"), "old copy");
    EXPECT_FALSE(std::filesystem::exists("data/SnsDap.dll.tmp"));
}

// Any 50 keys dumped in a row hold exactly one cancel check, wherever the
// run's count of dumped keys stands.
TEST_F(RegistryXmlTest, CancelIsAskedOnceEveryFiftyKeysAndKeepsTheOldFile)
{
    for (int i = 1; i < 100; ++i) {
        char szName[16];
        snprintf(szName, sizeof szName, "k%03d", i);
        CreateKey(m_strSub + "\\" + szName);
    }
    FakeCancel cancel;
    CRegistryExportCancel::Install(&cancel);
    ASSERT_TRUE(Export("data/RepTrDa.dll", FullPath()));  // 100 keys
    EXPECT_EQ(cancel.m_nAsked, 2);
    const std::string complete = apptest::FileText("data/RepTrDa.dll");

    cancel.m_nAsked = 0;
    cancel.m_nCancelAt = 2;
    EXPECT_FALSE(Export("data/RepTrDa.dll", FullPath()));
    EXPECT_EQ(cancel.m_nAsked, 2);
    EXPECT_EQ(apptest::FileText("data/RepTrDa.dll"), complete);
    EXPECT_FALSE(std::filesystem::exists("data/RepTrDa.dll.tmp"));
}

}  // namespace
