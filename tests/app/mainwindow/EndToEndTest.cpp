// A newcomer's first minutes, through the program as it starts with an empty
// command line: the logon dialog comes up preset with the embedded server,
// Enter connects, a batch typed into the Batch tab runs with F5, and its rows
// and messages show in the grids, the Output pane and the status line.
#include <algorithm>
#include <filesystem>

#include "platform/display/Display.h"
#include "tests/app/mainwindow/StartupFixture.h"
#include "tests/session/querywindow/QueryWindowFixture.h"

namespace tw::test {
namespace {

using Lines = std::vector<std::string>;

class EndToEndTest : public StartupTestOn<querytest::QueryWindowTest> {};

TEST_F(EndToEndTest, LogOnTypeASelectPressF5AndReadTheRows)
{
    ASSERT_EQ(1u, logons.size());
    EXPECT_EQ("(embedded)", logons[0].server);
    EXPECT_EQ("TarnSample", logons[0].database);
    EXPECT_TRUE(logons[0].windowsAuthentication);
    CChildFrame* pWindow = ActiveQueryWindow();
    ASSERT_NE(nullptr, pWindow);

    // The logon filled the object tree: the server with its databases.
    CTreeCtrl& tree = frame->GetObjectTree();
    const HTREEITEM hServer = tree.GetRootItem();
    ASSERT_NE(nullptr, hServer);
    Lines databases;
    for (HTREEITEM h = tree.GetChildItem(hServer); h != nullptr; h = tree.GetNextSiblingItem(h))
        databases.push_back(std::string(tree.GetItemText(h)));
    EXPECT_NE(databases.end(), std::find(databases.begin(), databases.end(), "TarnSample"));
    EXPECT_NE(databases.end(), std::find(databases.begin(), databases.end(), "master"));
    ClearOutput();

    RunBatch(pWindow,
             "select CustomerID, City from Customers where CustomerID <= 2 order by CustomerID\n"
             "print 'two selects and a print'\n"
             "select count(*) as UkCustomers from Customers where Country = 'UK'\n");

    const auto grids = ResultGrids(pWindow);
    ASSERT_EQ(2u, grids.size());
    EXPECT_EQ((Lines{"CustomerID", "City"}), Captions(grids[0]));
    EXPECT_EQ((std::vector<Lines>{{"1", "London"}, {"2", "Madrid"}}), Cells(grids[0]));
    EXPECT_EQ((Lines{"UkCustomers"}), Captions(grids[1]));
    EXPECT_EQ((std::vector<Lines>{{"10"}}), Cells(grids[1]));
    EXPECT_EQ((Lines{"[2 row(s) affected (application specific)]", "two selects and a print",
                     "[1 row(s) affected (application specific)]"}),
              OutputLines());
    EXPECT_EQ("Query batch completed", std::string(pWindow->m_strStatus));
    for (const std::string& text : otherBoxes)
        ADD_FAILURE() << "unexpected box: " << text;

    // The screen as the newcomer sees it, kept for a look by hand.
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    EXPECT_TRUE(tw::display::Display::Instance().GetScreen().SavePng("end-to-end.png"));
}

}  // namespace
}  // namespace tw::test
