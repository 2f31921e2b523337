// Our own install script in the style of the classic ones (samples/), run
// whole as a user pastes it, then every row and value it loaded is checked.
// It makes a user type, loads children before parents with their constraints
// off, and keeps procedures that set ROWCOUNT and walk a cursor.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ServerFixture.h"

namespace tw::server::test {

namespace {

const std::filesystem::path kSamples = std::filesystem::path(TW_SOURCE_DIR) / "tests/platform/server/samples";

std::string Fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

const char* CustomerOf(int order)
{
    static const char* const ids[] = {"ALFKI", "BONAP", "CHOPS"};
    return ids[order % 3];
}

} // namespace

class SampleScriptTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        Run("IF DB_ID('TarnShop') IS NOT NULL DROP DATABASE TarnShop");
        ASSERT_FALSE(Run("CREATE DATABASE TarnShop").HasError());
        session = NewSession("TarnShop");
        ASSERT_TRUE(session);
        const std::vector<std::string> batches = ScriptBatches(kSamples / "shop_install.sql");
        ASSERT_GT(batches.size(), 15u);
        for (const std::string& batch : batches) {
            const BufferedSink sink = Run(batch);
            ASSERT_FALSE(sink.HasError()) << Describe(sink) << "\nin:\n" << batch;
        }
    }
    void TearDown() override
    {
        session = NewSession("master");
        Run("DROP DATABASE TarnShop");
    }
};

TEST_F(SampleScriptTest, LoadsEveryRowWithItsValues)
{
    const ResultSet lines = Query("SELECT OrderID, ProductID, CAST(UnitPrice AS varchar(20)), Quantity, "
                                  "CAST(Discount AS varchar(20)) FROM [Order Lines] ORDER BY OrderID, ProductID");
    ASSERT_EQ(lines.rows.size(), 2000u);
    size_t row = 0;
    for (int order = 10000; order < 11000; ++order) {
        struct Line {
            int product;
            std::string price;
            int quantity;
            const char* discount;
        } expected[] = {{order % 40 + 1, Fixed(10.50 + order % 7, 2), order % 5 + 1, "0"},
                        {(order + 13) % 40 + 1, "3.25", 2, "0.05"}};
        if (expected[0].product > expected[1].product)
            std::swap(expected[0], expected[1]);
        for (const Line& line : expected) {
            const Row& r = lines.rows[row++];
            EXPECT_EQ(r[0].ToText(), std::to_string(order));
            EXPECT_EQ(r[1].ToText(), std::to_string(line.product)) << order;
            EXPECT_EQ(r[2].ToText(), line.price) << order;
            EXPECT_EQ(r[3].ToText(), std::to_string(line.quantity)) << order;
            EXPECT_EQ(r[4].ToText(), line.discount) << order;
        }
    }

    const ResultSet orders = Query("SELECT OrderID, CustomerID, DATEDIFF(day, '19960704', OrderDate), "
                                   "CAST(Freight AS varchar(20)) FROM Orders ORDER BY OrderID");
    ASSERT_EQ(orders.rows.size(), 1000u);
    for (int i = 0; i < 1000; ++i) {
        const int order = 10000 + i;
        const Row& r = orders.rows[static_cast<size_t>(i)];
        EXPECT_EQ(r[0].ToText(), std::to_string(order));
        EXPECT_EQ(r[1].ToText(), CustomerOf(order));
        EXPECT_EQ(r[2].ToText(), std::to_string(i));
        EXPECT_EQ(r[3].ToText(), Fixed(1.25 * (order % 10), 2));
    }

    const ResultSet products = Query("SELECT ProductID, ProductName, CAST(UnitPrice AS varchar(20)), "
                                     "CAST(Weight AS varchar(20)), Discontinued FROM Products ORDER BY ProductID");
    ASSERT_EQ(products.rows.size(), 40u);
    for (int p = 1; p <= 40; ++p) {
        const Row& r = products.rows[static_cast<size_t>(p - 1)];
        EXPECT_EQ(r[0].ToText(), std::to_string(p));
        EXPECT_EQ(r[1].ToText(), "Product " + std::to_string(p));
        EXPECT_EQ(r[2].ToText(), Fixed(2.5 * p, 2));
        EXPECT_EQ(r[3].ToText(), Fixed(0.125 * p, 3));
        EXPECT_EQ(r[4].ToText(), "0");
    }

    const ResultSet customers = Query("SELECT CustomerID, CompanyName, City FROM Customers ORDER BY CustomerID");
    ASSERT_EQ(customers.rows.size(), 3u);
    const char* const expected[3][3] = {{"ALFKI", "Alfreds Futterkiste", "Berlin"},
                                        {"BONAP", "Bon app'", "Marseille"},
                                        {"CHOPS", "Chop-suey Chinese", "Bern"}};
    for (size_t i = 0; i < 3; ++i)
        for (size_t j = 0; j < 3; ++j)
            EXPECT_EQ(customers.rows[i][j].ToText(), expected[i][j]);
}

TEST_F(SampleScriptTest, ViewWithBracketedJoinsTotalsEveryOrder)
{
    const ResultSet totals = Query("SELECT OrderID, CompanyName, Total FROM [Order Totals] ORDER BY OrderID");
    ASSERT_EQ(totals.rows.size(), 1000u);
    const char* const names[] = {"Alfreds Futterkiste", "Bon app'", "Chop-suey Chinese"};
    for (int i = 0; i < 1000; ++i) {
        const int order = 10000 + i;
        const Row& r = totals.rows[static_cast<size_t>(i)];
        EXPECT_EQ(r[0].ToText(), std::to_string(order));
        EXPECT_EQ(r[1].ToText(), names[order % 3]);
        const double total = (10.50 + order % 7) * (order % 5 + 1) + 3.25 * 2;
        EXPECT_NEAR(std::stod(r[2].ToText()), total, 1e-9) << order;
    }
}

TEST_F(SampleScriptTest, ProcedureRowcountEndsWithTheProcedure)
{
    // The script switched NOCOUNT on for the session; counts are wanted here.
    const BufferedSink sink = Run("SET NOCOUNT OFF\nEXEC [Ten Most Expensive Products]\nSELECT COUNT(*) FROM Products\n"
                                  "UPDATE Products SET Discontinued = 0");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    ASSERT_EQ(sink.resultSets.size(), 2u);
    ASSERT_EQ(sink.resultSets[0].rows.size(), 10u);
    for (size_t i = 0; i < 10; ++i)
        EXPECT_EQ(sink.resultSets[0].rows[i][0].ToText(), "Product " + std::to_string(40 - i));
    EXPECT_EQ(sink.resultSets[1].rows[0][0].ToText(), "40");
    ASSERT_FALSE(sink.rowCounts.empty());
    EXPECT_EQ(sink.rowCounts.back(), 40);
}

TEST_F(SampleScriptTest, UserTypeColumnsAndACursorProcedure)
{
    const ResultSet columns = Query("SELECT OBJECT_NAME(c.id), t.name, c.isnullable FROM syscolumns c JOIN systypes t "
                                    "ON t.xusertype = c.xusertype WHERE c.name = 'CustomerID' ORDER BY 1");
    ASSERT_EQ(columns.rows.size(), 2u);
    EXPECT_EQ(columns.rows[0][0].ToText(), "Customers");
    EXPECT_EQ(columns.rows[0][1].ToText(), "CustomerCode");
    EXPECT_EQ(columns.rows[0][2].ToText(), "0");
    EXPECT_EQ(columns.rows[1][0].ToText(), "Orders");
    EXPECT_EQ(columns.rows[1][2].ToText(), "1");
    const ResultSet counts = Query("EXEC [Customer Order Counts]");
    ASSERT_EQ(counts.rows.size(), 3u);
    const char* const expected[3][2] = {{"ALFKI", "333"}, {"BONAP", "334"}, {"CHOPS", "333"}};
    for (size_t i = 0; i < 3; ++i)
        for (size_t j = 0; j < 2; ++j)
            EXPECT_EQ(counts.rows[i][j].ToText(), expected[i][j]);
}

TEST_F(SampleScriptTest, ConstraintsAreOnAgainAfterTheLoad)
{
    for (const char* constraint : {"FK_Orders_Customers", "FK_Order_Lines_Orders", "FK_Order_Lines_Products",
                                   "CK_Quantity"})
        EXPECT_EQ(Query(std::string("SELECT OBJECTPROPERTY(OBJECT_ID('") + constraint + "'), 'CnstIsDisabled')")
                      .rows[0][0].ToText(), "0") << constraint;
    EXPECT_EQ(Run("INSERT [Order Lines] VALUES (99999, 1, 1, 1, 0)").FirstError()->number, 547);
    EXPECT_EQ(Run("INSERT [Order Lines] VALUES (10000, 40, 1, 0, 0)").FirstError()->number, 547);
    EXPECT_EQ(Run("INSERT Orders VALUES (1, N'NOONE', NULL, 0)").FirstError()->number, 547);
    // Running the script again replaces everything, as the classic scripts do.
    for (const std::string& batch : ScriptBatches(kSamples / "shop_install.sql"))
        ASSERT_FALSE(Run(batch).HasError()) << batch;
    EXPECT_EQ(Query("SELECT COUNT(*) FROM [Order Lines]").rows[0][0].ToText(), "2000");
}

} // namespace tw::server::test
