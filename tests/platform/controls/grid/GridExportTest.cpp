#include <gtest/gtest.h>

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>

#include <string>
#include <vector>

#include "platform/controls/grid/GridExport.h"

namespace tw::grid {
namespace {

std::string ContentOf(xmlNode* node)
{
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    return text;
}

// Every element of the given name, depth first, with its text.
void Collect(xmlNode* node, const char* name, std::vector<xmlNode*>& found)
{
    for (; node; node = node->next) {
        if (node->type == XML_ELEMENT_NODE && xmlStrcmp(node->name, BAD_CAST name) == 0)
            found.push_back(node);
        Collect(node->children, name, found);
    }
}

// Text that markup must escape, a null cell, a control character and UTF-8.
class GridExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        model.Dataset().AddField({"Expr", FieldType::String, 40});
        model.Dataset().AddField({"Note", FieldType::String, 40});
        for (const char* field : {"Expr", "Note"}) {
            GridColumn* column = model.Columns().Item(model.Columns().Add());
            column->fieldName = field;
            column->caption = std::string(field) + " <&\">";
        }
        model.Dataset().Append({"a < b && \"c\" > d", std::nullopt});
        model.Dataset().Append({"bell\x07", "größe"});
    }
    GridModel model;
};

TEST_F(GridExportTest, XmlParsesStrictlyAndGivesBackEveryCell)
{
    const std::string xml = GridExport::Xml(model);
    xmlDoc* doc = xmlReadMemory(xml.data(), int(xml.size()), "rows.xml", nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR);
    ASSERT_NE(doc, nullptr) << xml;
    std::vector<xmlNode*> columns, rows, cells;
    xmlNode* root = xmlDocGetRootElement(doc);
    Collect(root, "column", columns);
    Collect(root, "row", rows);
    Collect(root, "cell", cells);
    ASSERT_EQ(columns.size(), 2u);
    xmlChar* caption = xmlGetProp(columns[0], BAD_CAST "caption");
    EXPECT_STREQ(reinterpret_cast<const char*>(caption), "Expr <&\">");
    xmlFree(caption);
    EXPECT_EQ(rows.size(), 2u);
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(ContentOf(cells[0]), "a < b && \"c\" > d");
    xmlChar* null = xmlGetProp(cells[1], BAD_CAST "null");
    EXPECT_STREQ(reinterpret_cast<const char*>(null), "true");
    xmlFree(null);
    EXPECT_EQ(ContentOf(cells[2]), "bell\xEF\xBF\xBD");
    EXPECT_EQ(ContentOf(cells[3]), "größe");
    xmlFreeDoc(doc);
}

TEST_F(GridExportTest, HtmlTableHoldsTheCaptionsAndCells)
{
    const std::string html = GridExport::Html(model);
    htmlDocPtr doc = htmlReadMemory(html.data(), int(html.size()), "rows.html", "UTF-8",
                                    HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING);
    ASSERT_NE(doc, nullptr);
    std::vector<xmlNode*> heads, cells;
    Collect(xmlDocGetRootElement(doc), "th", heads);
    Collect(xmlDocGetRootElement(doc), "td", cells);
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_EQ(ContentOf(heads[1]), "Note <&\">");
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(ContentOf(cells[0]), "a < b && \"c\" > d");
    EXPECT_EQ(ContentOf(cells[1]), "");
    EXPECT_EQ(ContentOf(cells[3]), "größe");
    xmlFreeDoc(doc);
}

TEST_F(GridExportTest, TextHasACaptionLineThenOneLinePerRow)
{
    EXPECT_EQ(GridExport::Text(model), "\"Expr <&\"\">\"\t\"Note <&\"\">\"\r\n"
                                       "\"a < b && \"\"c\"\" > d\"\t\r\n"
                                       "bell\x07\tgröße\r\n");
}

TEST_F(GridExportTest, AHiddenColumnIsLeftOutOfEveryExport)
{
    model.Columns().Item(0)->visible = false;
    EXPECT_EQ(GridExport::Text(model), "\"Note <&\"\">\"\r\n\r\ngröße\r\n");
    for (const std::string& markup : {GridExport::Html(model), GridExport::Xml(model)}) {
        EXPECT_EQ(markup.find("Expr"), std::string::npos) << markup;
        EXPECT_NE(markup.find("größe"), std::string::npos);
    }
}

}  // namespace
}  // namespace tw::grid
