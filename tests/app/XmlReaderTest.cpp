#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/XmlReader.h"
#include "platform/mfc/CException.h"

namespace {

// Every node a reader gives for a file, as "kind:name=value" texts; the kind
// 0 steps are left out.
std::vector<std::string> Nodes(const std::string& text, CString* pError = nullptr)
{
    { std::ofstream("read.xml", std::ios::binary) << text; }
    CXmlReader reader;
    reader.SetFilePath("read.xml");
    std::vector<std::string> nodes;
    while (reader.Read()) {
        switch (reader.GetNodeKind()) {
        case CXmlReader::nodeStartElement:
            nodes.push_back(std::string("start:") + reader.GetElementName().GetString());
            break;
        case CXmlReader::nodeEndElement:
            nodes.push_back(std::string("end:") + reader.GetElementName().GetString());
            break;
        case CXmlReader::nodeAttribute:
            nodes.push_back(std::string("attr:") + reader.GetAttributeName().GetString() + "=" +
                            reader.GetAttributeValue().GetString());
            break;
        case CXmlReader::nodeText:
            nodes.push_back(std::string("text:") + reader.GetText().GetString());
            break;
        case CXmlReader::nodeDeclaration:
            nodes.push_back(std::string("decl:") + reader.GetDeclarationName().GetString());
            break;
        case CXmlReader::nodeComment:
            nodes.push_back("comment");
            break;
        case CXmlReader::nodeCData:
            nodes.push_back("cdata");
            break;
        default:
            break;
        }
    }
    if (pError != nullptr)
        *pError = reader.GetErrorText();
    return nodes;
}

TEST(XmlReaderTest, ReadsWhatTheExportWrites)
{
    const std::vector<std::string> expected = {
        "decl:?xml", "attr:version=1.0", "attr:encoding=UTF-8", "text: ", "start:registry", "text:  ",
        "start:k",   "attr:name=A",      "text:   ",            "start:v", "attr:name=n",    "attr:value=x>'y'",
        "end:v",     "text:  ",          "end:k",               "text: ",  "end:registry",
    };
    EXPECT_EQ(Nodes("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                    " <registry>\r\n"
                    "  <k name=\"A\">\r\n"
                    "   <v name=\"n\" value=\"x>'y'\"/>\r\n"
                    "  </k>\r\n"
                    " </registry>\r\n"),
              expected);
}

TEST(XmlReaderTest, AttributeValueForms)
{
    struct Case {
        const char* text;
        std::vector<std::string> nodes;
    };
    const Case cases[] = {
        {"<a x='say \"hi\"'/>", {"start:a", "attr:x=say \"hi\"", "end:a"}},
        {"<a x=plain>", {"start:a", "attr:x=plain"}},
        {"<a x=\r\n  \"later\"/>", {"start:a", "attr:x=later", "end:a"}},
        {"<a x=\"one\r\ntwo\r\n\r\nthree\"/>", {"start:a", "attr:x=one\r\ntwo\r\n\r\nthree", "end:a"}},
        {"<a><!-- note\r\n more --><b/></a>", {"start:a", "comment", "comment", "start:b", "end:b", "end:a"}},
        {"<a><![CDATA[x]]>t</a>", {"start:a", "cdata", "text:t", "end:a"}},
        {"\xEF\xBB\xBF<a/>", {"start:a", "end:a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Nodes(c.text), c.nodes);
    }
}

int g_nParseErrorBoxes = 0;
int CountParseErrorBox(LPCTSTR, UINT, UINT)
{
    ++g_nParseErrorBoxes;
    return 1;
}

TEST(XmlReaderTest, ParseErrorsNameTheLineAndTheFault)
{
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"text before any tag", "Parse error in line 1 : (Syntax error)"},
        {"<a>\r\n<b <c>", "Parse error in line 2 : (Bad '<' symbol)"},
        {"<a>\r\n\r\n<", "Parse error in line 3 : ('<' symbol not allowed at the end of a line)"},
        {"<>", "Parse error in line 1 : (Empty element name)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CString strError;
        Nodes(c.text, &strError);
        EXPECT_STREQ(strError, c.error);
    }
}

TEST(XmlReaderTest, ParseErrorsGoToTheErrorBoxOnlyWhenAsked)
{
    { std::ofstream("bad.xml") << "oops"; }
    const auto previous = tw::SetErrorBoxFunction(CountParseErrorBox);
    g_nParseErrorBoxes = 0;
    for (BOOL bShow : {FALSE, TRUE}) {
        CXmlReader reader;
        reader.SetFilePath("bad.xml");
        reader.SetShowErrors(bShow);
        EXPECT_FALSE(reader.Read());
    }
    CXmlReader missing;
    missing.SetShowErrors(TRUE);
    missing.SetFilePath("missing.xml");
    EXPECT_FALSE(missing.Read());
    tw::SetErrorBoxFunction(previous);
    EXPECT_EQ(g_nParseErrorBoxes, 1);
}

}  // namespace
