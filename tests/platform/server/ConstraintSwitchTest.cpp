// ALTER TABLE ... NOCHECK / CHECK CONSTRAINT: scripts that load children
// before their parents switch foreign keys and checks off and on again, per
// constraint or for the whole table, as on SQL Server.
#include "ServerFixture.h"

namespace tw::server::test {

class ConstraintSwitchTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        ASSERT_FALSE(Run("CREATE TABLE NwCustomers (CustomerID nchar(5) NOT NULL PRIMARY KEY, Name nvarchar(40))").HasError());
        ASSERT_FALSE(Run("CREATE TABLE NwOrders (OrderID int NOT NULL PRIMARY KEY, CustomerID nchar(5) NULL "
                         "CONSTRAINT FK_NwOrders_Customers REFERENCES NwCustomers (CustomerID))").HasError());
        ASSERT_FALSE(Run("CREATE TABLE NwLines (OrderID int NOT NULL, Quantity smallint NOT NULL, "
                         "CONSTRAINT FK_NwLines_Orders FOREIGN KEY (OrderID) REFERENCES NwOrders (OrderID), "
                         "CONSTRAINT CK_Quantity CHECK (Quantity > 0))").HasError());
    }
    void TearDown() override { Run("DROP TABLE NwLines DROP TABLE NwOrders DROP TABLE NwCustomers"); }
    int Error(const std::string& batch)
    {
        const BufferedSink sink = Run(batch);
        return sink.HasError() ? sink.FirstError()->number : 0;
    }
    std::string Value(const std::string& batch) { return Query(batch).rows.at(0).at(0).ToText(); }
    std::string Disabled(const std::string& constraint)
    {
        return Value("SELECT OBJECTPROPERTY(OBJECT_ID('" + constraint + "'), 'CnstIsDisabled')");
    }
};

TEST_F(ConstraintSwitchTest, ChildrenLoadBeforeParentsWithEveryConstraintOff)
{
    ASSERT_EQ(Error("ALTER TABLE NwLines NOCHECK CONSTRAINT ALL\nALTER TABLE [dbo].[NwOrders] NOCHECK CONSTRAINT ALL"), 0);
    EXPECT_EQ(Disabled("FK_NwOrders_Customers"), "1");
    EXPECT_EQ(Disabled("CK_Quantity"), "1");
    ASSERT_EQ(Error("INSERT NwLines VALUES (10248, 12) INSERT NwLines VALUES (10248, 0)\n"
                    "INSERT NwOrders VALUES (10248, N'VINET')\n"
                    "INSERT NwCustomers VALUES (N'VINET', N'Vins et alcools')"), 0);
    ASSERT_EQ(Error("ALTER TABLE NwLines CHECK CONSTRAINT ALL\nALTER TABLE NwOrders CHECK CONSTRAINT ALL"), 0);
    EXPECT_EQ(Disabled("FK_NwLines_Orders"), "0");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM NwLines"), "2");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM NwOrders"), "1");
    // On again: new rows are checked.
    EXPECT_EQ(Error("INSERT NwLines VALUES (99999, 1)"), 547);
    EXPECT_EQ(Error("INSERT NwLines VALUES (10248, -1)"), 547);
    EXPECT_EQ(Error("INSERT NwOrders VALUES (1, N'NOONE')"), 547);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM NwLines"), "2");
}

TEST_F(ConstraintSwitchTest, OneConstraintByNameLeavesTheOthersOn)
{
    ASSERT_EQ(Error("ALTER TABLE NwLines NOCHECK CONSTRAINT CK_Quantity"), 0);
    EXPECT_EQ(Disabled("CK_Quantity"), "1");
    EXPECT_EQ(Disabled("FK_NwLines_Orders"), "0");
    EXPECT_EQ(Error("INSERT NwLines VALUES (5, 1)"), 547); // the foreign key still holds
    ASSERT_EQ(Error("INSERT NwOrders VALUES (5, NULL) INSERT NwLines VALUES (5, -3)"), 0);
    // Switched on without WITH CHECK, the row already there stays.
    ASSERT_EQ(Error("ALTER TABLE NwLines CHECK CONSTRAINT CK_Quantity"), 0);
    EXPECT_EQ(Value("SELECT Quantity FROM NwLines"), "-3");
    EXPECT_EQ(Error("ALTER TABLE NwLines NOCHECK CONSTRAINT NoSuchConstraint"), 4917);
    EXPECT_EQ(Run("ALTER TABLE NwLines NOCHECK CONSTRAINT NoSuchConstraint").FirstError()->text,
              "Constraint 'NoSuchConstraint' does not exist.");
    // A primary key is no foreign key or check.
    EXPECT_EQ(Disabled("FK_NwOrders_Customers"), "0");
}

TEST_F(ConstraintSwitchTest, WithCheckRevalidatesTheRowsAndFailsOnOrphans)
{
    ASSERT_EQ(Error("ALTER TABLE NwOrders NOCHECK CONSTRAINT FK_NwOrders_Customers\n"
                    "INSERT NwOrders VALUES (1, N'GHOST')"), 0);
    EXPECT_EQ(Error("ALTER TABLE NwOrders WITH CHECK CHECK CONSTRAINT FK_NwOrders_Customers"), 547);
    // The failed statement changed nothing: the key is still off and the row still there.
    EXPECT_EQ(Disabled("FK_NwOrders_Customers"), "1");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM NwOrders"), "1");
    ASSERT_EQ(Error("INSERT NwCustomers VALUES (N'GHOST', N'Found')"), 0);
    EXPECT_EQ(Error("ALTER TABLE NwOrders WITH CHECK CHECK CONSTRAINT ALL"), 0);
    EXPECT_EQ(Disabled("FK_NwOrders_Customers"), "0");
}

TEST_F(ConstraintSwitchTest, WithNocheckAddsAConstraintOverRowsThatBreakIt)
{
    ASSERT_EQ(Error("INSERT NwOrders VALUES (1, NULL) INSERT NwLines VALUES (1, 7)"), 0);
    EXPECT_EQ(Error("ALTER TABLE NwLines ADD CONSTRAINT CK_Small CHECK (Quantity < 5)"), 547);
    EXPECT_EQ(Error("ALTER TABLE NwLines WITH NOCHECK ADD CONSTRAINT CK_Small CHECK (Quantity < 5)"), 0);
    EXPECT_EQ(Error("INSERT NwLines VALUES (1, 6)"), 547);
    // A disabled constraint can be dropped.
    ASSERT_EQ(Error("ALTER TABLE NwLines NOCHECK CONSTRAINT CK_Small"), 0);
    ASSERT_EQ(Error("ALTER TABLE NwLines DROP CONSTRAINT CK_Small"), 0);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM sysobjects WHERE name = 'CK_Small'"), "0");
    EXPECT_EQ(Error("INSERT NwLines VALUES (1, 6)"), 0);
}

TEST_F(ConstraintSwitchTest, SwitchingInsideATransactionRollsBack)
{
    ASSERT_EQ(Error("BEGIN TRAN ALTER TABLE NwLines NOCHECK CONSTRAINT ALL INSERT NwLines VALUES (42, 0)"), 0);
    EXPECT_EQ(Disabled("CK_Quantity"), "1");
    ASSERT_EQ(Error("ROLLBACK"), 0);
    EXPECT_EQ(Disabled("CK_Quantity"), "0");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM NwLines"), "0");
    EXPECT_EQ(Error("INSERT NwLines VALUES (42, 1)"), 547);
}

} // namespace tw::server::test
