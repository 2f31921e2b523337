#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/app/AppTestFiles.h"
#include "app/XmlElement.h"
#include "app/XmlWriter.h"

namespace {


TEST(XmlWriterTest, DeclarationFirstThenElementsIndentedByTheirDepth)
{
    CXmlWriter writer;
    writer.SetFilePath("doc.xml");
    CXmlElement registry("registry");
    ASSERT_TRUE(registry.WriteStartTag(&writer, 1, TRUE, TRUE));
    CXmlElement key("k");
    key.SetAttribute("name", "first");
    key.SetAttribute("name", "A");  // replaces the first value
    key.SetAttribute("other", "B");
    ASSERT_TRUE(key.WriteStartTag(&writer, 1, TRUE, TRUE));
    CXmlElement value("v");
    value.SetAttribute("name", "n");
    ASSERT_TRUE(value.WriteEmptyElement(&writer, 1, TRUE, TRUE));
    ASSERT_TRUE(value.WriteEmptyElement(&writer, 1, FALSE, FALSE));
    ASSERT_TRUE(key.WriteEndTag(&writer, -1, TRUE, TRUE));
    ASSERT_TRUE(registry.WriteEndTag(&writer, -1, TRUE, TRUE));
    EXPECT_EQ(writer.GetDepth(), 0);
    writer.SetFilePath("ignored.xml");
    EXPECT_TRUE(writer.Close());

    EXPECT_EQ(apptest::FileText("doc.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              " <registry>\r\n"
              "  <k name=\"A\" other=\"B\">\r\n"
              "   <v name=\"n\"/>\r\n"
              "<v name=\"n\"/>"
              "  </k>\r\n"
              " </registry>\r\n");
    EXPECT_FALSE(std::filesystem::exists("ignored.xml"));
}

TEST(XmlWriterTest, FileAppearsOnlyWhenClosedAndADiscardedOneKeepsTheOld)
{
    { std::ofstream("keep.xml") << "old"; }
    CXmlWriter writer;
    writer.SetFilePath("keep.xml");
    ASSERT_TRUE(writer.Write("<new/>"));
    EXPECT_EQ(apptest::FileText("keep.xml"), "old");
    writer.Discard();
    EXPECT_FALSE(writer.Close());
    EXPECT_EQ(apptest::FileText("keep.xml"), "old");
    EXPECT_FALSE(std::filesystem::exists("keep.xml.tmp"));

    // The same writer may write the file again after a Close.
    ASSERT_TRUE(writer.Write("<new/>"));
    EXPECT_TRUE(writer.Close());
    EXPECT_EQ(apptest::FileText("keep.xml"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<new/>");
}

TEST(XmlWriterTest, DestructorCompletesTheFile)
{
    {
        CXmlWriter writer;
        writer.SetFilePath("auto.xml");
        ASSERT_TRUE(writer.Write("<a/>"));
    }
    EXPECT_EQ(apptest::FileText("auto.xml"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a/>");
}

TEST(XmlWriterTest, FileThatCannotBeCreatedFailsEveryWrite)
{
    CXmlWriter writer;
    writer.SetFilePath("no-such-folder/x.xml");
    EXPECT_FALSE(writer.Write("<a/>"));
    EXPECT_FALSE(writer.Write("<b/>"));
    EXPECT_TRUE(writer.Close());
    EXPECT_FALSE(std::filesystem::exists("no-such-folder"));
}

}  // namespace
