#include "ServerFixture.h"

namespace tw::server::test {

TEST_F(ServerTest, SampleDatabaseAnswersAJoin)
{
    ResultSet r = Query("SELECT TOP 3 c.CompanyName, COUNT(*) AS Orders FROM Customers c JOIN Orders o "
                        "ON o.CustomerID = c.CustomerID GROUP BY c.CompanyName ORDER BY c.CompanyName");
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.columns[0].name, "CompanyName");
    EXPECT_EQ(r.columns[0].typeName, "nvarchar");
    EXPECT_EQ(r.columns[1].typeName, "int");
}

} // namespace tw::server::test
