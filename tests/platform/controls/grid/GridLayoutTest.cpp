// Grid layouts: the text form is read strictly, and the layouts the form
// templates keep load from the program's resources into working grids.
#include <gtest/gtest.h>

#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "platform/controls/grid/GridLayout.h"
#include "tests/platform/controls/grid/GridControlFixture.h"

namespace tw::grid {
namespace {

using namespace tw::grid::testing;

struct BrokenLayout {
    const char* text;
    const char* error;
};

TEST(GridLayoutText, MistakesAreReportedWithTheirLine)
{
    const BrokenLayout cases[] = {
        {"dataset 1\nkey Name", "line 2: "},
        {"field \"A\" number 4", "line 1: unknown field type 'number'"},
        {"field \"A\" string big", "line 1: a field size is a number"},
        {"column \"A\" editor=slider", "line 1: unknown editor 'slider'"},
        {"column \"A\" width=wide", "line 1: bad column option 'width=wide'"},
        {"column \"A\" shown", "line 1: unknown column option 'shown'"},
        {"\n\ncolumn \"A", "line 3: a quoted text is not closed"},
        {"rows 4", "line 1: not a layout statement: 'rows'"},
    };
    for (const BrokenLayout& broken : cases) {
        SCOPED_TRACE(broken.text);
        std::string error;
        EXPECT_FALSE(GridLayout::Parse(broken.text, error));
        EXPECT_EQ(error.substr(0, std::string(broken.error).size()), broken.error);
    }
}

TEST(GridLayoutText, QuotesCommentsAndOptionsAreRead)
{
    std::string error;
    const auto layout = GridLayout::Parse("# a grid\r\nkey \"Say \"\"hi\"\"\"\r\n"
                                          "column \"C\" caption=\"A b\" mask=\"00\" readonly hidden # why\r\n",
                                          error);
    ASSERT_TRUE(layout) << error;
    EXPECT_EQ(layout->keyField, "Say \"hi\"");
    ASSERT_EQ(layout->columns.size(), 1u);
    EXPECT_EQ(layout->columns[0].caption, "A b");
    EXPECT_EQ(layout->columns[0].mask, "00");
    EXPECT_FALSE(layout->columns[0].editable);
    EXPECT_FALSE(layout->columns[0].visible);
}

struct StoredLayout {
    int templateId;
    WORD controlId;
    int columns;
    int visibleColumns;
    int fields;
    const char* keyField;
    int column;  // one column to look at
    const char* name;
    const char* field;
    EditorKind editor;
    int width;
};

class StoredLayouts : public GridControlFixture, public ::testing::WithParamInterface<StoredLayout> {
protected:
    void SetUp() override
    {
        GridControlFixture::SetUp();
        RegisterResources(ProgramInstance(), TarnwickResources());
    }
};

TEST_P(StoredLayouts, LoadFromTheTemplatesResources)
{
    const StoredLayout& stored = GetParam();
    ASSERT_EQ(LoadGridLayout(grid, nullptr, MAKEINTRESOURCE(stored.templateId), stored.controlId), S_OK);
    EXPECT_EQ(int(Get(columns, 1)), stored.columns);
    EXPECT_EQ(int(Model().Columns().VisibleIndexes().size()), stored.visibleColumns);
    EXPECT_EQ(Model().Dataset().FieldCount(), stored.fields);
    EXPECT_EQ(Text(Get(grid, 10)), stored.keyField);
    EXPECT_EQ(int(Get(grid, 20)), 1);
    const GridColumn& column = *Model().Columns().Item(stored.column);
    EXPECT_EQ(column.name, stored.name);
    EXPECT_EQ(column.fieldName, stored.field);
    EXPECT_EQ(column.editor, stored.editor);
    EXPECT_EQ(column.width, stored.width);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, StoredLayouts,
    ::testing::Values(StoredLayout{196, 1106, 19, 4, 5, "Parameter Name", 13, "Currecy", "", EditorKind::Currency, 100},
                      StoredLayout{230, 1132, 2, 2, 2, "Name", 0, "Name", "Name", EditorKind::PickList, 160},
                      StoredLayout{231, 1120, 15, 15, 15, "", 8, "req_cryrefcnt", "req_cryrefcnt", EditorKind::Text, 68},
                      StoredLayout{237, 1118, 11, 11, 11, "SPID", 9, "COLUMNDisk I/O", "Disk I/O", EditorKind::Text, 46},
                      StoredLayout{188, 1250, 6, 5, 6, "ColumnName", 3, "Length", "Length", EditorKind::Spin, 56}),
    [](const ::testing::TestParamInfo<StoredLayout>& info) { return "Template" + std::to_string(info.param.templateId); });

TEST_F(StoredLayouts, TheParameterListTakesItsRowsAsTheDialogAppendsThem)
{
    ASSERT_EQ(LoadGridLayout(grid, nullptr, MAKEINTRESOURCE(196), 1106), S_OK);
    Call(dataset, 1028);
    Call(dataset, 1012);
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 5);
    const _variant_t values[] = {"@count", "int", _variant_t(short(0)), "", "Spin"};
    for (LONG i = 0; i < 5; ++i)
        SafeArrayPutElement(array, &i, const_cast<_variant_t*>(&values[i]));
    _variant_t record;
    record.vt = VT_ARRAY | VT_VARIANT;
    record.parray = array;
    Call(dataset, 1025, {record});
    Call(dataset, 1030);
    IDispatchPtr node = Object(Get(grid, 7, {0}));
    EXPECT_EQ(Text(Get(node, 27, {2})), "False");  // a false flag reads "False"
    for (int templateColumn = 3; templateColumn <= 16; ++templateColumn)
        EXPECT_EQ(Text(Get(node, 27, {templateColumn})), "");  // unbound template cells read empty
    // The dialog finds template columns by their own name, the monitor "SPID" by its field.
    EXPECT_EQ(int(Get(Object(Call(columns, 322, {"Lookup"})), 47)), 15);
    EXPECT_EQ(int(Get(Object(Call(columns, 322, {"Value"})), 47)), 18);
}

TEST_F(StoredLayouts, TheProcessListFindsTheSpidColumnByItsField)
{
    ASSERT_EQ(LoadGridLayout(grid, nullptr, MAKEINTRESOURCE(237), 1118), S_OK);
    IDispatchPtr spid = Object(Call(columns, 321, {"SPID"}));
    EXPECT_EQ(int(Get(spid, 47)), 0);
    EXPECT_EQ(Text(Get(spid, 4)), "SPID");
}

TEST_F(StoredLayouts, ATemplateWithoutALayoutLeavesTheGridAsItWas)
{
    EXPECT_EQ(LoadGridLayout(grid, nullptr, MAKEINTRESOURCE(196), 9999), S_FALSE);
    EXPECT_EQ(int(Get(columns, 1)), 3);
    IGridLayout* layout = nullptr;
    ASSERT_EQ(grid->QueryInterface(IID_IGridLayout, reinterpret_cast<void**>(&layout)), S_OK);
    const std::string damaged = "column \"A\" editor=slider";
    EXPECT_EQ(layout->LoadLayout(reinterpret_cast<const BYTE*>(damaged.data()), ULONG(damaged.size())), E_INVALIDARG);
    layout->Release();
    EXPECT_EQ(int(Get(columns, 1)), 3);
}

}  // namespace
}  // namespace tw::grid
