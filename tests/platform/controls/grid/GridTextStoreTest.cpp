#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/controls/grid/GridDataset.h"

namespace tw::grid {
namespace {

// Cells whose text fits the rest of an allocation, starts the next one,
// fills one exactly, or spans several block positions, read back intact
// after everything is stored and with nulls and empty text kept apart.
TEST(GridTextStoreTest, CellsOfEverySizeReadBackWhereverTheirTextLanded)
{
    const size_t block = size_t(GridTextStore::kBlock);
    const std::vector<std::optional<size_t>> sizes = {
        3000, 2000, 0, std::nullopt, 4096, 1, block + block / 2, 7, block - 7, 3 * block, 0,
        std::nullopt, 12, block, 5,
    };
    GridDataset data;
    ASSERT_TRUE(data.AddField({"Text", FieldType::String, 0}));
    std::vector<std::optional<std::string>> expected;
    for (size_t i = 0; i < sizes.size(); ++i) {
        std::optional<std::string> text;
        if (sizes[i])
            text = std::string(*sizes[i], char('a' + i % 26));
        expected.push_back(text);
        ASSERT_TRUE(data.Append({text ? std::optional<std::string_view>(*text) : std::nullopt}));
    }
    // Many short rows after the large ones cross several more blocks.
    for (int i = 0; i < 300000; ++i) {
        expected.push_back("row " + std::to_string(i));
        ASSERT_TRUE(data.Append({std::string_view(*expected.back())}));
    }
    ASSERT_EQ(data.RowCount(), int(expected.size()));
    for (size_t row = 0; row < expected.size(); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(data.IsNull(int(row), 0), !expected[row].has_value());
        const std::string_view text = data.Text(int(row), 0);
        ASSERT_EQ(text.size(), expected[row] ? expected[row]->size() : 0);
        if (expected[row])
            ASSERT_TRUE(text == *expected[row]);
    }
    // Text is held about once, not up to twice over as a doubling buffer would.
    size_t textBytes = 0;
    for (const auto& text : expected)
        textBytes += text ? text->size() : 0;
    const size_t offsets = expected.size() * 2 * (sizeof(uint64_t) + sizeof(uint32_t));
    EXPECT_LT(data.BytesUsed(), textBytes + textBytes / 8 + offsets + block);
}

// Cleared and refilled, the store starts small again and reads back right.
TEST(GridTextStoreTest, ClearedStoreRefillsFromNothing)
{
    GridDataset data;
    ASSERT_TRUE(data.AddField({"A", FieldType::String, 0}));
    ASSERT_TRUE(data.AddField({"B", FieldType::String, 0}));
    const std::string large(3 * size_t(GridTextStore::kBlock) / 2, 'x');
    data.Append({large, "after"});
    data.Clear();
    EXPECT_LT(data.BytesUsed(), size_t(GridTextStore::kBlock));
    data.Append({"first", std::nullopt});
    data.Append({"", "second"});
    EXPECT_EQ(data.Text(0, 0), "first");
    EXPECT_TRUE(data.IsNull(0, 1));
    EXPECT_FALSE(data.IsNull(1, 0));
    EXPECT_EQ(data.Text(1, 1), "second");
    EXPECT_LT(data.BytesUsed(), size_t(16384));
}

// Rows show in the order they were stored until one is deleted; deleting
// several at once, one alone, or none keeps the rest in order with their text.
TEST(GridTextStoreTest, DeletedRowsLeaveTheRestInOrder)
{
    GridDataset data;
    ASSERT_TRUE(data.AddField({"N", FieldType::String, 0}));
    for (int i = 0; i < 10; ++i)
        data.Append({std::to_string(i)});
    EXPECT_EQ(data.DeleteRows({}), 0);
    EXPECT_EQ(data.RowCount(), 10);
    EXPECT_EQ(data.DeleteRows({0, 3, 4, 9, 12}), 4);
    ASSERT_TRUE(data.Delete(1));  // "2"
    data.Append({"10"});
    const std::vector<std::string> expected = {"1", "5", "6", "7", "8", "10"};
    ASSERT_EQ(data.RowCount(), int(expected.size()));
    for (size_t row = 0; row < expected.size(); ++row)
        EXPECT_EQ(data.Text(int(row), 0), expected[row]) << row;
    data.Clear();
    data.Append({"again"});
    EXPECT_EQ(data.RowCount(), 1);
    EXPECT_EQ(data.Text(0, 0), "again");
}

}  // namespace
}  // namespace tw::grid
