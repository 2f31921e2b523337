#include <gtest/gtest.h>

#include "tests/platform/dmo/DmoTestSupport.h"

namespace dmosample {

using namespace SQLDMO;
using dmotest::Text;

// The embedded server's own sample database: each object is scripted,
// dropped and made again from its script.
class DmoSample : public dmotest::ScriptFixture {
protected:
    void SetUp() override
    {
        Login();
        OpenDatabase("TarnSample");
    }
};

TEST_F(DmoSample, EveryKindOfObjectComesBackTheSame)
{
    ExpectScriptRecreates(_ViewPtr(database->GetViews()->Item("dbo.OrderTotals")), "OrderTotals");
    ExpectScriptRecreates(_StoredProcedurePtr(database->GetStoredProcedures()->Item("dbo.usp_CustomerOrders")),
                          "usp_CustomerOrders");
    ExpectScriptRecreates(_UserDefinedFunctionPtr(database->GetUserDefinedFunctions()->Item("dbo.fn_LineTotal")),
                          "fn_LineTotal");
    _TablePtr products = database->GetTables()->Item("dbo.Products");
    ExpectScriptRecreates(_TriggerPtr(products->GetTriggers()->Item("trg_Products_NoNegativeStock")),
                          "trg_Products_NoNegativeStock");
    // Nothing refers to the order lines: the table with a two-column key,
    // two foreign keys, a check, a default and an index can go and return.
    ExpectScriptRecreates(_TablePtr(database->GetTables()->Item("dbo.Order Details")), "Order Details");
}

TEST_F(DmoSample, TheTreeWalkOfTheExplorer)
{
    TablesPtr tables = database->GetTables();
    tables->Refresh();
    long userTables = 0;
    for (long i = 1; i <= tables->GetCount(); ++i) {
        _TablePtr table = tables->Item(i);
        if (table->GetSystemObject())
            continue;
        ++userTables;
        const std::string full = Text(table->GetOwner()) + "." + Text(table->GetName());
        EXPECT_EQ(_TablePtr(tables->Item(full.c_str()))->GetID(), table->GetID()) << full;
    }
    EXPECT_EQ(userTables, 4);
    _TablePtr orders = tables->Item("Orders");
    orders->RecalcSpaceUsage();
    EXPECT_EQ(orders->GetIndexes()->GetCount(), 2);
    KeysPtr keys = orders->GetKeys();
    long foreign = 0;
    for (long i = 1; i <= keys->GetCount(); ++i)
        foreign += (keys->Item(i)->GetType() & 3) == 3 ? 1 : 0;
    EXPECT_EQ(foreign, 1);
    EXPECT_EQ(orders->GetRows(), 200);
    _ViewPtr view = database->GetViews()->Item("dbo.OrderTotals");
    EXPECT_FALSE(view->GetSystemObject());
    EXPECT_TRUE(view->GetQuotedIdentifierStatus());
    EXPECT_FALSE(Text(view->GetCreateDate()).empty());
}

TEST_F(DmoSample, FiguresOfTheDatabaseReport)
{
    EXPECT_EQ(Text(database->GetName()), "TarnSample");
    EXPECT_FALSE(Text(database->GetOwner()).empty());
    EXPECT_GE(database->GetSize(), 0);
    EXPECT_GT(database->GetVersion(), 0);
    // The sample's tables hold rows, so their pages count; every index holds some too.
    EXPECT_GT(database->GetDataSpaceUsage(), 0.0f);
    EXPECT_GT(database->GetIndexSpaceUsage(), 0.0f);
    EXPECT_GE(database->GetSpaceAvailable(), 0);
    EXPECT_FALSE(database->GetSystemObject());
    EXPECT_EQ(Text(database->Script()), "CREATE DATABASE [TarnSample]\r\nGO\r\n");
}

TEST_F(DmoSample, KeysListTheirColumnsInKeyOrder)
{
    _TablePtr details = database->GetTables()->Item("Order Details");
    _KeyPtr primary = details->GetKeys()->Item("PK_Order_Details");
    EXPECT_EQ(primary->GetType(), SQLDMOKey_Primary);
    EXPECT_EQ(Text(primary->GetKeyColumns()->GetText()), "OrderID, ProductID");
    EXPECT_EQ(primary->GetReferencedColumns()->GetCount(), 0);
    EXPECT_EQ(Text(primary->GetReferencedTable()), "");
    _KeyPtr toProducts = details->GetKeys()->Item("FK_OrderDetails_Products");
    EXPECT_EQ(Text(toProducts->GetReferencedTable()), "[dbo].[Products]");
    EXPECT_EQ(Text(toProducts->GetReferencedColumns()->Item(1)), "ProductID");
    EXPECT_EQ(details->ListUserPermissions("public")->GetCount(), 0);
}

TEST_F(DmoSample, ResultColumnsReportTheirServerTypes)
{
    _QueryResultsPtr results = database->ExecuteWithResults(
        "select top 1 CustomerID, CompanyName, OrderDate = getdate(), Freight = cast(1.5 as money) from Customers");
    EXPECT_EQ(results->GetColumnType(1), SQLDMO_DTypeInt4);
    EXPECT_EQ(results->GetColumnType(3), SQLDMO_DTypeDateTime);
    EXPECT_EQ(results->GetColumnType(4), SQLDMO_DTypeMoney);
    // Dates read as the server writes them, not in the local format.
    const std::string date = Text(results->GetColumnString(1, 3));
    ASSERT_EQ(date.size(), 23u);
    EXPECT_EQ(date[4], '-');
    EXPECT_EQ(date[19], '.');
}

} // namespace dmosample

namespace dmosample {

// An identity column reports the seed and step it was made with; any other
// column reports zero for both.
TEST_F(DmoSample, ColumnsReportTheirIdentitySeedAndStep)
{
    database->ExecuteImmediate("CREATE TABLE dbo.SeedProbe (id int IDENTITY(100, 5) NOT NULL, note varchar(10) NULL)");
    _TablePtr table = database->GetTables()->Item("dbo.SeedProbe");
    ColumnsPtr columns = table->GetColumns();
    _ColumnPtr id = columns->Item("id");
    _ColumnPtr note = columns->Item("note");
    EXPECT_TRUE(id->GetIdentity());
    EXPECT_EQ(id->GetIdentitySeed(), 100);
    EXPECT_EQ(id->GetIdentityIncrement(), 5);
    EXPECT_FALSE(note->GetIdentity());
    EXPECT_EQ(note->GetIdentitySeed(), 0);
    EXPECT_EQ(note->GetIdentityIncrement(), 0);
    database->ExecuteImmediate("DROP TABLE dbo.SeedProbe");
}

}  // namespace dmosample
