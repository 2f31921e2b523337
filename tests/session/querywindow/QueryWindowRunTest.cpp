// Batches typed into a query window and run with F5: result tabs, their
// grids, the Output pane and the window's status.
#include "tests/session/querywindow/QueryWindowFixture.h"

namespace querytest {
namespace {

using Lines = std::vector<std::string>;

class QueryWindowRun : public QueryWindowTest {};

TEST_F(QueryWindowRun, TwoSelectsAndAPrintGiveTwoResultTabsAndTheirLinesInOrder)
{
    RunBatch(window, "select 1 as a, 'x' as b\nprint 'hello'\nselect 2 as c union all select 3\n");

    const auto grids = ResultGrids(window);
    ASSERT_EQ(grids.size(), 2u);
    EXPECT_EQ(Captions(grids[0]), (Lines{"a", "b"}));
    EXPECT_EQ(Cells(grids[0]), (std::vector<Lines>{{"1", "x"}}));
    EXPECT_EQ(Captions(grids[1]), (Lines{"c"}));
    EXPECT_EQ(Cells(grids[1]), (std::vector<Lines>{{"2"}, {"3"}}));
    EXPECT_EQ(OutputLines(), (Lines{"[1 row(s) affected (application specific)]", "hello",
                                    "[2 row(s) affected (application specific)]"}));
    EXPECT_EQ(window->m_strStatus, "Query batch completed");
}

}  // namespace
}  // namespace querytest

namespace querytest {
namespace {

struct BatchCase {
    const char* name;
    std::string batch;
    size_t resultTabs;
    std::vector<std::string> output;
    const char* status;
};

class QueryWindowBatches : public QueryWindowTest {};

TEST_F(QueryWindowBatches, EachBatchGivesItsResultTabsOutputAndStatus)
{
    const std::string affected1 = "[1 row(s) affected (application specific)]";
    const BatchCase cases[] = {
        {"nothing comes back", "declare @x int\n", 0, {"The command(s) completed successfully."}, "Query batch completed"},
        {"an empty result", "select name from sysobjects where 1 = 0\n", 0,
         {"[0 row(s) affected (application specific)]"}, "Query batch completed"},
        {"a print alone", "print 'only this'\n", 0, {"only this"}, "Query batch completed"},
        {"a failing statement does not hide what follows",
         "select 1 as a\nselect 1/0 as z\nprint 'after'\n", 1,
         {affected1, "Divide by zero error encountered.", "after"}, "Query batch completed with errors"},
        {"an unknown table ends the batch", "select * from NoSuchTable\nprint 'never'\n", 0,
         {"Invalid object name 'NoSuchTable'."}, "Query batch completed with errors"},
        {"a message of two lines gives two rows", "print 'one' + char(10) + 'two'\n", 0, {"one", "two"},
         "Query batch completed"},
    };
    for (const BatchCase& c : cases) {
        ClearOutput();
        RunBatch(window, c.batch);
        EXPECT_EQ(ResultGrids(window).size(), c.resultTabs) << c.name;
        EXPECT_EQ(OutputLines(), c.output) << c.name;
        EXPECT_EQ(std::string(window->m_strStatus), c.status) << c.name;
    }
}

TEST_F(QueryWindowBatches, CellsShowNullBinaryAndLongTextWhole)
{
    const std::string longText(300, 'w');
    RunBatch(window, "select 'short' as t, null as n, cast('ab' as varbinary(2)) as b\nunion all select '" +
                         longText + "', 5, null\n");
    const auto grids = ResultGrids(window);
    ASSERT_EQ(grids.size(), 1u);
    const auto cells = Cells(grids[0]);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0], (Lines{"short", "NULL", "(...)<Binary>/<Raw>"}));
    EXPECT_EQ(cells[1][0], longText);
    EXPECT_EQ(cells[1][1], "5");
}

TEST_F(QueryWindowBatches, TheTitleShowsTheStartOfTheRunningBatch)
{
    // Fifteen characters show whole; a sixteenth is cut with "...".
    RunBatch(window, "select 12345678");
    EXPECT_EQ(std::string(window->GetActiveDocument()->GetTitle()), "(embedded) - Untitled_1 - (select 12345678)");
    RunBatch(window, "select 123456789");
    EXPECT_EQ(std::string(window->GetActiveDocument()->GetTitle()),
              "(embedded) - Untitled_1 - (select 12345678...)");
}

}  // namespace
}  // namespace querytest
