// The catalogue procedures people and the program call: what each lists, and
// which of several same-named objects it picks.
#include "ServerFixture.h"

namespace tw::server::test {

namespace catalogue_procedure_detail {

// One column of the first result set, its cells joined by '|'.
std::string ColumnCells(const BufferedSink& sink, const std::string& column)
{
    if (sink.resultSets.empty())
        return "(no result set)";
    const ResultSet& r = sink.resultSets.front();
    size_t at = 0;
    while (at < r.columns.size() && r.columns[at].name != column)
        ++at;
    if (at == r.columns.size())
        return "(no column " + column + ")";
    std::string cells;
    for (const Row& row : r.rows)
        cells += (cells.empty() ? "" : "|") + row[at].ToText();
    return cells;
}

} // namespace catalogue_procedure_detail

using catalogue_procedure_detail::ColumnCells;

// The same procedure name under dbo and under another user.
class ProcedureOwnersTest : public ServerTest {
protected:
    static void SetUpTestSuite()
    {
        ServerTest::SetUpTestSuite();
        static bool made = false; // two suites share the objects
        if (made)
            return;
        made = true;
        auto s = TheServer().Connect([] {
            LoginInfo login;
            login.database = Server::kSampleDatabase;
            return login;
        }());
        BufferedSink sink;
        s->Execute("EXEC sp_addlogin 'mara', 'x', 'TarnSample' EXEC sp_adduser 'mara' "
                   "EXEC('CREATE PROCEDURE mara.usp_CustomerOrders @Region nvarchar(15), @Top int OUTPUT AS SELECT 1') "
                   "EXEC('CREATE PROCEDURE dbo.[usp_[x]]] @v int AS SELECT @v')",
                   sink);
        ASSERT_FALSE(sink.HasError()) << Describe(sink);
    }
};

struct SprocColumnsCase {
    const char* call;
    const char* owners;  // PROCEDURE_OWNER of each row
    const char* columns; // COLUMN_NAME of each row
};

class SprocColumnsTest : public ProcedureOwnersTest, public ::testing::WithParamInterface<SprocColumnsCase> {};

TEST_P(SprocColumnsTest, ListsTheParametersOfTheOwnerAsked)
{
    const BufferedSink sink = Run(GetParam().call);
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(ColumnCells(sink, "PROCEDURE_OWNER"), GetParam().owners);
    EXPECT_EQ(ColumnCells(sink, "COLUMN_NAME"), GetParam().columns);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, SprocColumnsTest,
    ::testing::Values(
        // sa acts as dbo: without an owner its own procedure wins over mara's.
        SprocColumnsCase{"EXEC sp_sproc_columns usp_CustomerOrders", "dbo|dbo|dbo",
                         "@RETURN_VALUE|@CustomerID|@OrderCount"},
        SprocColumnsCase{"EXEC sp_sproc_columns usp_customerorders, dbo", "dbo|dbo|dbo",
                         "@RETURN_VALUE|@CustomerID|@OrderCount"},
        SprocColumnsCase{"EXEC sp_sproc_columns usp_customerorders, MARA", "mara|mara|mara",
                         "@RETURN_VALUE|@Region|@Top"},
        SprocColumnsCase{"EXEC sp_sproc_columns @procedure_name = 'usp_CustomerOrders', @procedure_owner = '%'",
                         "dbo|dbo|dbo|mara|mara|mara", "@RETURN_VALUE|@CustomerID|@OrderCount|@RETURN_VALUE|@Region|@Top"},
        SprocColumnsCase{"EXEC sp_sproc_columns 'mara.usp_CustomerOrders'", "mara|mara|mara",
                         "@RETURN_VALUE|@Region|@Top"},
        SprocColumnsCase{"EXEC sp_sproc_columns usp_CustomerOrders, nobody", "", ""},
        SprocColumnsCase{"EXEC sp_sproc_columns usp_CustomerOrders, mara, TarnSample, '@reg%'", "mara", "@Region"},
        // A name holding pattern characters still finds itself.
        SprocColumnsCase{"EXEC sp_sproc_columns 'usp_[x]'", "dbo|dbo", "@RETURN_VALUE|@v"}),
    [](const ::testing::TestParamInfo<SprocColumnsCase>& info) { return "case" + std::to_string(info.index); });

TEST_F(ProcedureOwnersTest, SprocColumnsRefusesAnotherDatabasesQualifier)
{
    const BufferedSink sink = Run("EXEC sp_sproc_columns usp_CustomerOrders, dbo, master");
    EXPECT_EQ(Outcome(sink).substr(0, 6), "15250 ");
}

// A parent and a child table with every kind of constraint, the child's foreign key switched off.
class ConstraintTablesTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        const BufferedSink made = Run(
            "CREATE TABLE Shelf (ShelfID int NOT NULL CONSTRAINT PK_Shelf PRIMARY KEY, Code char(4) NOT NULL "
            "CONSTRAINT UQ_Shelf_Code UNIQUE NONCLUSTERED)\n"
            "CREATE TABLE Book (BookID int IDENTITY(1, 1) NOT NULL, ShelfID int NULL CONSTRAINT FK_Book_Shelf "
            "REFERENCES Shelf (ShelfID), Title nvarchar(40) NOT NULL, Price decimal(10, 2) NULL CONSTRAINT "
            "DF_Book_Price DEFAULT (0) CONSTRAINT CK_Book_Price CHECK (Price >= 0), Printed datetime NULL, "
            "CONSTRAINT CK_Book_Title CHECK (Title <> '' OR Price > 0))\n"
            "ALTER TABLE Book NOCHECK CONSTRAINT FK_Book_Shelf\n"
            "CREATE TABLE Loose (a int)\n");
        ASSERT_FALSE(made.HasError()) << Describe(made);
    }
    void TearDown() override { Run("DROP TABLE Book DROP TABLE Shelf DROP TABLE Loose"); }
};

std::string AllRows(const BufferedSink& sink, size_t set)
{
    if (set >= sink.resultSets.size())
        return "(no result set " + std::to_string(set) + ")";
    std::string rows;
    for (const std::string& row : Rows(sink.resultSets[set]))
        rows += row + "\n";
    return rows;
}

TEST_F(ConstraintTablesTest, HelpConstraintListsEachConstraintAndWhoReferencesTheTable)
{
    const BufferedSink book = Run("EXEC sp_helpconstraint Book");
    ASSERT_FALSE(book.HasError()) << Describe(book);
    EXPECT_EQ(AllRows(book, 0), "Book\n");
    EXPECT_EQ(AllRows(book, 1),
              "CHECK on column Price|CK_Book_Price|(n/a)|(n/a)|Enabled|Is_For_Replication|(Price >= 0)\n"
              "CHECK Table Level|CK_Book_Title|(n/a)|(n/a)|Enabled|Is_For_Replication|(Title <> '' OR Price > 0)\n"
              "DEFAULT on column Price|DF_Book_Price|(n/a)|(n/a)|(n/a)|(n/a)|((0))\n"
              "FOREIGN KEY|FK_Book_Shelf|No Action|No Action|Disabled|Is_For_Replication|ShelfID\n"
              " | | | | | |REFERENCES TarnSample.dbo.Shelf (ShelfID)\n");
    EXPECT_EQ(book.resultSets.size(), 2u) << "nothing references Book";

    const BufferedSink shelf = Run("EXEC sp_helpconstraint 'dbo.Shelf'");
    ASSERT_FALSE(shelf.HasError()) << Describe(shelf);
    EXPECT_EQ(AllRows(shelf, 1), "PRIMARY KEY (clustered)|PK_Shelf|(n/a)|(n/a)|(n/a)|(n/a)|ShelfID\n"
                                 "UNIQUE (non-clustered)|UQ_Shelf_Code|(n/a)|(n/a)|(n/a)|(n/a)|Code\n");
    EXPECT_EQ(AllRows(shelf, 2), "TarnSample.dbo.Book: FK_Book_Shelf\n");

    const BufferedSink loose = Run("EXEC sp_helpconstraint Loose");
    EXPECT_EQ(loose.resultSets.size(), 1u);
    EXPECT_NE(Describe(loose).find("No constraints have been defined for this object."), std::string::npos);
    EXPECT_EQ(Outcome(Run("EXEC sp_helpconstraint NoSuchTable")).substr(0, 6), "15009 ");
}

TEST_F(ConstraintTablesTest, ColumnsDescribesEachColumnAsOdbcDoes)
{
    const BufferedSink sink = Run("EXEC sp_columns Book");
    ASSERT_FALSE(sink.HasError()) << Describe(sink);
    EXPECT_EQ(ColumnCells(sink, "COLUMN_NAME"), "BookID|ShelfID|Title|Price|Printed");
    EXPECT_EQ(ColumnCells(sink, "TYPE_NAME"), "int identity|int|nvarchar|decimal|datetime");
    EXPECT_EQ(ColumnCells(sink, "PRECISION"), "10|10|40|10|23");
    EXPECT_EQ(ColumnCells(sink, "LENGTH"), "4|4|80|12|16");
    EXPECT_EQ(ColumnCells(sink, "SCALE"), "0|0|NULL|2|3");
    EXPECT_EQ(ColumnCells(sink, "NULLABLE"), "0|1|0|1|1");
    EXPECT_EQ(ColumnCells(sink, "COLUMN_DEF"), "NULL|NULL|NULL|((0))|NULL");
    EXPECT_EQ(ColumnCells(sink, "ORDINAL_POSITION"), "1|2|3|4|5");
    EXPECT_EQ(ColumnCells(Run("EXEC sp_columns @table_name = 'B%', @column_name = 'P%'"), "COLUMN_NAME"),
              "Price|Printed");
    EXPECT_EQ(ColumnCells(Run("EXEC sp_columns Book, nobody"), "COLUMN_NAME"), "");
}

TEST_F(ConstraintTablesTest, KeysAsOdbcCataloguesListThem)
{
    const BufferedSink pk = Run("EXEC sp_pkeys Shelf");
    ASSERT_FALSE(pk.HasError()) << Describe(pk);
    EXPECT_EQ(AllRows(pk, 0), "TarnSample|dbo|Shelf|ShelfID|1|PK_Shelf\n");
    EXPECT_EQ(ColumnCells(Run("EXEC sp_pkeys [Order Details]"), "COLUMN_NAME"), "OrderID|ProductID");
    EXPECT_EQ(ColumnCells(Run("EXEC sp_pkeys Loose"), "COLUMN_NAME"), "");

    const BufferedSink byParent = Run("EXEC sp_fkeys Shelf");
    ASSERT_FALSE(byParent.HasError()) << Describe(byParent);
    EXPECT_EQ(AllRows(byParent, 0), "TarnSample|dbo|Shelf|ShelfID|TarnSample|dbo|Book|ShelfID|1|1|1|FK_Book_Shelf|PK_Shelf|7\n");
    EXPECT_EQ(ColumnCells(Run("EXEC sp_fkeys @fktable_name = 'Order Details'"), "FK_NAME"),
              "FK_OrderDetails_Orders|FK_OrderDetails_Products");
    EXPECT_EQ(ColumnCells(Run("EXEC sp_fkeys @pktable_name = 'Shelf', @fktable_name = 'Loose'"), "FK_NAME"), "");
}

TEST_F(ConstraintTablesTest, ForEachTableRunsEachCommandWithTheTablesName)
{
    const BufferedSink off = Run("EXEC sp_MSforeachtable @command1 = 'ALTER TABLE ? NOCHECK CONSTRAINT ALL', "
                                 "@whereand = 'AND o.name IN (''Book'', ''Shelf'')'\n"
                                 "SELECT COUNT(*) FROM sysobjects WHERE OBJECTPROPERTY(id, 'CnstIsDisabled') = 1 "
                                 "AND parent_obj = OBJECT_ID('Book')\n"
                                 "SELECT COUNT(*) FROM sysobjects WHERE OBJECTPROPERTY(id, 'CnstIsDisabled') = 1 "
                                 "AND parent_obj = OBJECT_ID('Orders')");
    EXPECT_EQ(Outcome(off), "3;0") << "Book's foreign key and two checks; Orders is not named";
    const BufferedSink on = Run("EXEC sp_MSforeachtable 'ALTER TABLE ? CHECK CONSTRAINT ALL'\n"
                                "SELECT COUNT(*) FROM sysobjects WHERE OBJECTPROPERTY(id, 'CnstIsDisabled') = 1");
    EXPECT_EQ(Outcome(on), "0");

    const BufferedSink names = Run("EXEC sp_MSforeachtable @command1 = 'PRINT ''#''', @replacechar = '#', "
                                   "@whereand = 'AND o.name LIKE ''Sh%'''");
    EXPECT_NE(Describe(names).find("[dbo].[Shelf]"), std::string::npos) << Describe(names);
    EXPECT_EQ(Outcome(Run("EXEC sp_MSforeachdb 'IF ''?'' = ''TarnSample'' SELECT COUNT(*) FROM ?..Shelf'")), "0");
}

TEST_F(ServerTest, HelpFileAndOpenTransactions)
{
    const BufferedSink files = Run("EXEC sp_helpfile");
    ASSERT_FALSE(files.HasError()) << Describe(files);
    EXPECT_EQ(ColumnCells(files, "fileid"), "1|2");
    EXPECT_EQ(ColumnCells(files, "usage"), "data only|log only");

    const BufferedSink stats = Run("DBCC SHOWFILESTATS");
    ASSERT_FALSE(stats.HasError()) << Describe(stats);
    EXPECT_EQ(ColumnCells(stats, "Fileid"), "1");
    ASSERT_EQ(stats.resultSets.size(), 1u);
    EXPECT_GE(std::stoll(stats.resultSets[0].rows[0][2].ToText()), std::stoll(stats.resultSets[0].rows[0][3].ToText()))
        << "a file holds no more extents than it has";
    EXPECT_GT(std::stoll(stats.resultSets[0].rows[0][3].ToText()), 0) << "the sample database fills some";

    EXPECT_NE(Describe(Run("DBCC OPENTRAN")).find("No active open transactions."), std::string::npos);
    const BufferedSink open = Run("BEGIN TRAN DBCC OPENTRAN ROLLBACK");
    EXPECT_NE(Describe(open).find("SPID (server process ID) : " + std::to_string(session->Spid())), std::string::npos)
        << Describe(open);
}

TEST_F(ServerTest, HelpTriggerListsEachTriggersEvents)
{
    ASSERT_FALSE(Run("CREATE TABLE Watched (a int)").HasError());
    ASSERT_FALSE(Run("CREATE TRIGGER trg_Watched_Changes ON Watched FOR INSERT, DELETE AS SELECT 1").HasError());
    const std::string all = Outcome(Run("EXEC sp_helptrigger Watched"));
    const std::string updates = Outcome(Run("EXEC sp_helptrigger 'Watched', 'UPDATE'"));
    const std::string deletes = Outcome(Run("EXEC sp_helptrigger 'Watched', 'DELETE'"));
    Run("DROP TABLE Watched");
    EXPECT_EQ(all, "trg_Watched_Changes|dbo|0|1|1|1|0");
    EXPECT_EQ(updates, "");
    EXPECT_EQ(deletes, all);
    EXPECT_EQ(Outcome(Run("EXEC sp_helptrigger Products")), "trg_Products_NoNegativeStock|dbo|1|0|0|1|0");
}

TEST_F(ServerTest, StoredProceduresListsRoutinesByNamePattern)
{
    const BufferedSink all = Run("EXEC sp_stored_procedures");
    ASSERT_FALSE(all.HasError()) << Describe(all);
    EXPECT_EQ(ColumnCells(all, "PROCEDURE_NAME"), "fn_LineTotal;0|usp_CustomerOrders;1");
    EXPECT_EQ(Outcome(Run("EXEC sp_stored_procedures 'usp%', 'dbo'")), "TarnSample|dbo|usp_CustomerOrders;1|-1|-1|-1|NULL|2");
    EXPECT_EQ(Outcome(Run("EXEC sp_stored_procedures @sp_name = 'usp%', @sp_owner = 'nobody'")), "");
}

TEST_F(ServerTest, HelpUserListsTheDatabasesUsersAndTheirLogins)
{
    ASSERT_FALSE(Run("EXEC sp_addlogin 'vera', 'x', 'TarnSample' EXEC sp_adduser 'vera'").HasError());
    const BufferedSink all = Run("EXEC sp_helpuser");
    const std::string one = Outcome(Run("EXEC sp_helpuser 'VERA'"));
    const std::string unknown = Outcome(Run("EXEC sp_helpuser 'nobody'"));
    Run("EXEC sp_dropuser 'vera' EXEC sp_droplogin 'vera'");
    ASSERT_FALSE(all.HasError()) << Describe(all);
    EXPECT_EQ(ColumnCells(all, "UserName"), "dbo|guest|vera");
    EXPECT_EQ(ColumnCells(all, "LoginName"), "sa|NULL|vera");
    EXPECT_EQ(ColumnCells(all, "GroupName"), "db_owner|public|public");
    EXPECT_EQ(one.substr(0, one.find("|", one.find("|") + 1)), "vera|public");
    EXPECT_NE(one.find("|vera|TarnSample|"), std::string::npos) << one;
    EXPECT_EQ(unknown, "15198 The name supplied (nobody) is not a user, role, or aliased login.");
}

TEST_F(ServerTest, DependsListsWhatAnObjectUsesAndWhatUsesIt)
{
    const BufferedSink view = Run("EXEC sp_depends 'OrderTotals'");
    ASSERT_FALSE(view.HasError()) << Describe(view);
    ASSERT_EQ(view.resultSets.size(), 1u);
    EXPECT_EQ(ColumnCells(view, "name"), "dbo.Order Details|dbo.Orders");
    EXPECT_EQ(ColumnCells(view, "type"), "user table|user table");

    const BufferedSink table = Run("EXEC sp_depends 'dbo.Orders'");
    ASSERT_EQ(table.resultSets.size(), 1u) << Describe(table);
    EXPECT_EQ(ColumnCells(table, "name"), "dbo.OrderTotals|dbo.usp_CustomerOrders");
    EXPECT_EQ(ColumnCells(table, "type"), "view|stored procedure");

    ASSERT_FALSE(Run("CREATE TABLE Alone (a int)").HasError());
    const BufferedSink alone = Run("EXEC sp_depends Alone");
    Run("DROP TABLE Alone");
    EXPECT_TRUE(alone.resultSets.empty());
    EXPECT_NE(Describe(alone).find("Object does not reference any object, and no objects reference it."),
              std::string::npos);
}

TEST_F(ServerTest, ConfigureListsTheOptionsAndRefusesWhatItCannotChange)
{
    const BufferedSink all = Run("EXEC sp_configure");
    ASSERT_FALSE(all.HasError()) << Describe(all);
    EXPECT_EQ(ColumnCells(all, "name"), "allow updates|default language|max text repl size (B)|nested triggers|"
                                        "show advanced options|two digit year cutoff|user options");
    EXPECT_EQ(Outcome(Run("EXEC sp_configure 'two digit'")), "two digit year cutoff|1753|9999|2049|2049");
    struct Refusal {
        const char* call;
        const char* outcome;
    } const refusals[] = {
        {"EXEC sp_configure 'nested triggers', 0",
         "15129 The embedded server cannot change the configuration option 'nested triggers': it stays 1."},
        {"EXEC sp_configure 'nested triggers', 2", "15129 '2' is not a valid value for configuration option 'nested triggers'."},
        {"EXEC sp_configure 'no such option'",
         "15123 The configuration option 'no such option' does not exist, or it may be an advanced option."},
        {"EXEC sp_configure 'fill factor (%)'",
         "15123 The configuration option 'fill factor (%)' does not exist, or it may be an advanced option."},
        {"EXEC sp_configure 'options'", "15123 The configuration option 'options' is not unique."},
    };
    for (const Refusal& r : refusals)
        EXPECT_EQ(Outcome(Run(r.call)), r.outcome) << r.call;
    // The same value again is no change.
    EXPECT_FALSE(Run("EXEC sp_configure 'nested triggers', 1").HasError());

    // Advanced options show once the switch is installed.
    ASSERT_FALSE(Run("EXEC sp_configure 'show advanced options', 1").HasError());
    EXPECT_EQ(Outcome(Run("EXEC sp_configure 'show advanced options'")), "show advanced options|0|1|1|0");
    EXPECT_EQ(Outcome(Run("EXEC sp_configure 'fill factor (%)'")).substr(0, 6), "15123 ");
    ASSERT_FALSE(Run("RECONFIGURE WITH OVERRIDE").HasError());
    EXPECT_EQ(Outcome(Run("EXEC sp_configure 'fill factor (%)'")), "fill factor (%)|0|100|0|0");
    Run("EXEC sp_configure 'show advanced options', 0 RECONFIGURE");
    EXPECT_EQ(Outcome(Run("EXEC sp_configure 'show advanced options'")), "show advanced options|0|1|0|0");
}

TEST_F(ServerTest, DbccReportsLogSpaceAndTableContiguity)
{
    const BufferedSink log = Run("DBCC SQLPERF(LOGSPACE)");
    ASSERT_FALSE(log.HasError()) << Describe(log);
    ASSERT_EQ(log.resultSets.size(), 1u);
    const ResultSet& space = log.resultSets[0];
    ASSERT_EQ(space.columns.size(), 4u);
    EXPECT_EQ(space.columns[1].name, "Log Size (MB)");
    EXPECT_EQ(space.columns[1].typeName, "real");
    EXPECT_NE(ColumnCells(log, "Database Name").find("TarnSample"), std::string::npos);
    EXPECT_EQ(Outcome(Run("DBCC SQLPERF(WAITSTATS)")).substr(0, 5), "2526 ");

    const BufferedSink text = Run("DBCC SHOWCONTIG ('Orders')");
    ASSERT_FALSE(text.HasError()) << Describe(text);
    EXPECT_NE(Describe(text).find("DBCC SHOWCONTIG scanning 'Orders' table..."), std::string::npos);
    EXPECT_NE(Describe(text).find("- Pages Scanned"), std::string::npos);

    const BufferedSink rows = Run("DBCC SHOWCONTIG (Orders) WITH TABLERESULTS SELECT COUNT(*) FROM Orders");
    ASSERT_FALSE(rows.HasError()) << Describe(rows);
    ASSERT_EQ(rows.resultSets.size(), 2u);
    EXPECT_EQ(ColumnCells(rows, "ObjectName"), "Orders");
    EXPECT_EQ(ColumnCells(rows, "Rows"), rows.resultSets[1].rows[0][0].ToText());
    EXPECT_EQ(Outcome(Run("DBCC SHOWCONTIG (NoSuchTable)")).substr(0, 5), "2501 ");
}

} // namespace tw::server::test
