#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/controls/grid/GridColumns.h"
#include "platform/controls/grid/GridDataset.h"
#include "platform/controls/grid/GridModel.h"
#include "platform/controls/grid/GridSelection.h"

namespace tw::grid {
namespace {

class GridDatasetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(data.AddField({"Name", FieldType::String, 30}));
        ASSERT_TRUE(data.AddField({"Kind", FieldType::String, 10}));
        ASSERT_TRUE(data.AddField({"Size", FieldType::String, 0}));
    }
    GridDataset data;
};

TEST_F(GridDatasetTest, CellsReadBackAcrossRowsWithNullsAndEmptyTextApart)
{
    ASSERT_TRUE(data.Append({"orders", "U", "12"}));
    ASSERT_TRUE(data.Append({"", std::nullopt, "7"}));
    ASSERT_TRUE(data.Append({"größe ✓"}));  // the missing cells are null

    struct Cell {
        int row, field;
        const char* text;
        bool null;
    };
    const Cell cells[] = {
        {0, 0, "orders", false}, {0, 1, "U", false}, {0, 2, "12", false},
        {1, 0, "", false},       {1, 1, "", true},   {1, 2, "7", false},
        {2, 0, "größe ✓", false}, {2, 1, "", true},  {2, 2, "", true},
    };
    EXPECT_EQ(data.RowCount(), 3);
    for (const Cell& c : cells) {
        SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.field));
        EXPECT_EQ(data.Text(c.row, c.field), c.text);
        EXPECT_EQ(data.IsNull(c.row, c.field), c.null);
    }
}

TEST_F(GridDatasetTest, OutOfRangeCellsAreNullAndCannotBeSet)
{
    data.Append({"a", "b", "c"});
    for (auto [row, field] : std::vector<std::pair<int, int>>{{-1, 0}, {1, 0}, {0, -1}, {0, 3}}) {
        EXPECT_TRUE(data.IsNull(row, field));
        EXPECT_EQ(data.Text(row, field), "");
        EXPECT_FALSE(data.SetText(row, field, "x"));
    }
}

TEST_F(GridDatasetTest, RecordWiderThanTheFieldsIsRefusedWhole)
{
    EXPECT_FALSE(data.Append({"a", "b", "c", "d"}));
    EXPECT_EQ(data.RowCount(), 0);
    data.Append({"a", "b", "c"});
    EXPECT_EQ(data.Text(0, 0), "a");  // nothing of the refused record leaked into the arena
}

TEST_F(GridDatasetTest, FieldsAreFixedOnceRowsExistAndNamesAreUniqueIgnoringCase)
{
    EXPECT_FALSE(data.AddField({"NAME", FieldType::String, 5}));
    EXPECT_EQ(data.FieldIndex("size"), 2);
    EXPECT_EQ(data.FieldIndex("missing"), -1);
    data.Append({"a"});
    EXPECT_FALSE(data.AddField({"Extra", FieldType::String, 5}));
    EXPECT_EQ(data.FieldCount(), 3);
}

TEST_F(GridDatasetTest, EditedCellsChangeAloneAndCanBecomeNull)
{
    data.Append({"a", "b", "c"});
    data.Append({"d", "e", "f"});
    ASSERT_TRUE(data.SetText(0, 1, "longer than before"));
    ASSERT_TRUE(data.SetText(1, 0, std::nullopt));
    EXPECT_EQ(data.Text(0, 0), "a");
    EXPECT_EQ(data.Text(0, 1), "longer than before");
    EXPECT_EQ(data.Text(0, 2), "c");
    EXPECT_TRUE(data.IsNull(1, 0));
    EXPECT_EQ(data.Text(1, 1), "e");
}

TEST_F(GridDatasetTest, DeletingARowKeepsTheOthersInOrderWithTheirEdits)
{
    for (const char* name : {"a", "b", "c", "d"})
        data.Append({name});
    data.SetText(2, 1, "edited c");
    ASSERT_TRUE(data.Delete(1));
    EXPECT_FALSE(data.Delete(3));
    ASSERT_EQ(data.RowCount(), 3);
    EXPECT_EQ(data.Text(0, 0), "a");
    EXPECT_EQ(data.Text(1, 0), "c");
    EXPECT_EQ(data.Text(1, 1), "edited c");
    EXPECT_EQ(data.Text(2, 0), "d");
    data.Append({"e"});
    EXPECT_EQ(data.Text(3, 0), "e");
    while (data.RowCount() > 0)
        data.Delete(0);
    EXPECT_TRUE(data.IsNull(0, 0));
}

TEST_F(GridDatasetTest, RowsCostTheirTextPlusAnOffsetPerField)
{
    data.Reserve(1000, 1000 * 9);
    for (int i = 0; i < 1000; ++i)
        data.Append({"abc", "def", "ghi"});
    EXPECT_LE(data.BytesUsed(), size_t(1000) * (9 + 3 * sizeof(uint64_t) + sizeof(uint32_t)));
    data.Clear();
    EXPECT_EQ(data.RowCount(), 0);
    EXPECT_TRUE(data.AddField({"Later", FieldType::String, 1}));
}

TEST(GridModelTest, EnablingControlsAfterABulkLoadGivesBackUnusedRoom)
{
    GridModel model;
    model.Dataset().AddField({"A", FieldType::String, 8});
    model.Dataset().AddField({"B", FieldType::String, 8});
    int announced = 0;
    model.SetChangeListener([&] { ++announced; });
    model.DisableControls();
    model.DisableControls();
    for (int i = 0; i < 3000; ++i)
        model.Dataset().Append({"abcdefgh", "ijklmnop"});
    model.EnableControls();
    EXPECT_EQ(announced, 0);
    model.EnableControls();
    EXPECT_EQ(announced, 1);
    const size_t packed = 3000 * (16 + 2 * sizeof(uint64_t) + sizeof(uint32_t));
    EXPECT_LE(model.Dataset().BytesUsed(), packed + packed / 4);
    EXPECT_EQ(model.Selection().Focused(), 0);
}

TEST(GridColumnsTest, ColumnsAreNamedInTurnAndFoundByNameOrField)
{
    GridColumns columns;
    EXPECT_EQ(columns.Add(), 0);
    EXPECT_EQ(columns.Add(), 1);
    EXPECT_EQ(columns.Item(1)->name, "Column2");
    columns.Item(0)->fieldName = "Amount";
    columns.Item(1)->name = "colKind";
    EXPECT_EQ(columns.IndexByFieldName("AMOUNT"), 0);
    EXPECT_EQ(columns.IndexByName("colkind"), 1);
    EXPECT_EQ(columns.IndexByName("Amount"), -1);
    EXPECT_EQ(columns.Item(2), nullptr);
    EXPECT_EQ(columns.Item(-1), nullptr);
}

TEST(GridColumnsTest, WidthsKeepAMinimumAndPlaceTheColumns)
{
    GridColumns columns;
    for (int i = 0; i < 3; ++i)
        columns.Add();
    columns.SetWidth(0, 50);
    columns.SetWidth(1, -20);
    columns.SetWidth(2, 30);
    EXPECT_EQ(columns.Item(1)->width, GridColumns::kMinWidth);
    EXPECT_EQ(columns.Left(2), 50 + GridColumns::kMinWidth);
    EXPECT_EQ(columns.TotalWidth(), 80 + GridColumns::kMinWidth);
    EXPECT_FALSE(columns.SetWidth(3, 10));
}

TEST(GridSelectionTest, RowsStayInTheOrderSelected)
{
    GridSelection selection;
    for (int row : {7, 2, 9, 2})
        selection.Select(row);
    selection.Toggle(4);
    selection.Toggle(2);
    EXPECT_EQ(selection.Rows(), (std::vector<int>{7, 9, 4}));
    EXPECT_TRUE(selection.IsSelected(9));
    EXPECT_FALSE(selection.IsSelected(2));
}

TEST(GridSelectionTest, RangeWalksFromItsFirstRowInEitherDirection)
{
    GridSelection selection;
    selection.SelectRange(5, 3);
    EXPECT_EQ(selection.Rows(), (std::vector<int>{5, 4, 3}));
    selection.SelectRange(4, 6);
    EXPECT_EQ(selection.Rows(), (std::vector<int>{5, 4, 3, 6}));
}

TEST(GridSelectionTest, TruncateForgetsRowsThatNoLongerExist)
{
    GridSelection selection;
    selection.SetFocused(8);
    selection.SelectRange(2, 8);
    selection.Truncate(5);
    EXPECT_EQ(selection.Rows(), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(selection.Focused(), 4);
    EXPECT_FALSE(selection.IsSelected(6));
}

}  // namespace
}  // namespace tw::grid
