#include <gtest/gtest.h>

#include <libxml/parser.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/controls/grid/GridWorkbook.h"

namespace tw::grid {
namespace {

// One member of the workbook's zip, by the system's unzip; empty when absent.
std::string ZipMember(const std::string& zip, const std::string& member)
{
    const std::string command = "unzip -p '" + zip + "' '" + member + "' 2>/dev/null";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, got);
        pclose(pipe);
    }
    return out;
}

// The cells of a sheet, row by row, with their inline text ("" for none).
std::vector<std::vector<std::string>> SheetCells(const std::string& xml)
{
    std::vector<std::vector<std::string>> rows;
    xmlDoc* doc = xmlReadMemory(xml.data(), int(xml.size()), "sheet.xml", nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR);
    if (!doc)
        return rows;
    auto walk = [&](auto&& self, xmlNode* node) -> void {
        for (; node; node = node->next) {
            if (node->type == XML_ELEMENT_NODE && xmlStrcmp(node->name, BAD_CAST "row") == 0)
                rows.emplace_back();
            if (node->type == XML_ELEMENT_NODE && xmlStrcmp(node->name, BAD_CAST "c") == 0 && !rows.empty()) {
                xmlChar* text = xmlNodeGetContent(node);
                xmlChar* ref = xmlGetProp(node, BAD_CAST "r");
                rows.back().push_back(std::string(reinterpret_cast<const char*>(ref)) + "=" +
                                      reinterpret_cast<const char*>(text));
                xmlFree(ref);
                xmlFree(text);
                continue;
            }
            self(self, node->children);
        }
    };
    walk(walk, xmlDocGetRootElement(doc));
    xmlFreeDoc(doc);
    return rows;
}

class GridWorkbookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (system("command -v unzip > /dev/null") != 0)
            GTEST_SKIP() << "unzip is not installed";
        for (const char* field : {"Name", "Size"}) {
            model.Dataset().AddField({field, FieldType::String, 20});
            GridColumn* column = model.Columns().Item(model.Columns().Add());
            column->fieldName = field;
            column->caption = std::string("The ") + field;
        }
    }
    GridModel model;
};

TEST_F(GridWorkbookTest, SheetHoldsTheCaptionsThenTheRowsLeavingNullCellsOut)
{
    model.Dataset().Append({"orders & <items>", "12"});
    model.Dataset().Append({std::nullopt, "größe"});
    std::string error;
    ASSERT_TRUE(GridWorkbook::Write(model, "rows.xlsx", error)) << error;
    const auto rows = SheetCells(ZipMember("rows.xlsx", "xl/worksheets/sheet1.xml"));
    const std::vector<std::vector<std::string>> expected{
        {"A1=The Name", "B1=The Size"},
        {"A2=orders & <items>", "B2=12"},
        {"B3=größe"},
    };
    EXPECT_EQ(rows, expected);
}

TEST_F(GridWorkbookTest, AnUnwritablePathIsReportedAsAFailure)
{
    std::string error;
    EXPECT_FALSE(GridWorkbook::Write(model, "no-such-folder/rows.xlsx", error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace tw::grid
