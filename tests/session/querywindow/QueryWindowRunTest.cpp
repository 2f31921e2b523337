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
