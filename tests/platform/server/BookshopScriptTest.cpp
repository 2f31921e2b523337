// A second install script of our own in the classic style (samples/
// bookshop_install.sql): it makes its own database, sets its options with
// sp_dboption, declares user types, checks keys with LIKE patterns, keeps a
// trigger that refuses bad rows, and reporting procedures that roll up and
// cube their groups. Run whole as a user pastes it, then every table is checked.
#include "ServerFixture.h"

namespace tw::server::test {

namespace {

const std::filesystem::path kBookshopScript =
    std::filesystem::path(TW_SOURCE_DIR) / "tests/platform/server/samples/bookshop_install.sql";

} // namespace

class BookshopScriptTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        session = NewSession("master");
        ASSERT_TRUE(session);
        Run("IF DB_ID('bookshop') IS NOT NULL DROP DATABASE bookshop");
        const std::vector<std::string> batches = ScriptBatches(kBookshopScript);
        ASSERT_GT(batches.size(), 40u);
        for (const std::string& batch : batches) {
            const BufferedSink sink = Run(batch);
            ASSERT_FALSE(sink.HasError()) << Describe(sink) << "\nin:\n" << batch;
        }
    }
    void TearDown() override
    {
        session = NewSession("master");
        Run("DROP DATABASE bookshop");
    }
};

TEST_F(BookshopScriptTest, LoadsEveryTable)
{
    EXPECT_EQ(Outcome(Run("SELECT DB_NAME(), (SELECT COUNT(*) FROM writers), (SELECT COUNT(*) FROM presses), "
                          "(SELECT COUNT(*) FROM books), (SELECT COUNT(*) FROM bookwriters), "
                          "(SELECT COUNT(*) FROM stores), (SELECT COUNT(*) FROM sales), "
                          "(SELECT COUNT(*) FROM roysched), (SELECT COUNT(*) FROM discounts), "
                          "(SELECT COUNT(*) FROM roles), (SELECT COUNT(*) FROM staff), "
                          "(SELECT COUNT(*) FROM press_info)")),
              "bookshop|5|8|6|6|4|2009|8|3|5|5|2");
    EXPECT_EQ(Outcome(Run("SELECT book_id, type, CAST(price AS varchar(20)), CONVERT(varchar(20), advance, 1), "
                          "royalty, ytd_sales, CASE WHEN book_id = 'MC3026' THEN DATEDIFF(day, pubdate, GETDATE()) "
                          "ELSE CONVERT(varchar(10), pubdate, 112) END FROM books ORDER BY book_id")),
              "BU1032|business    |19.99|5,000.00|10|4095|19910612;"
              "BU7832|business    |19.99|5,000.00|10|4095|19910622;"
              "MC3026|UNDECIDED   |NULL|NULL|NULL|NULL|0;"
              "PC8888|popular_comp|20.00|8,000.00|10|4095|19940612;"
              "PS7777|psychology  |7.99|4,000.00|10|3336|19910612;"
              "TC4203|trad_cook   |11.95|4,000.00|14|15096|19910612");
    EXPECT_EQ(Outcome(Run("SELECT wr_id, wr_lname, phone, city, contract FROM writers WHERE wr_id LIKE '[28]%' "
                          "ORDER BY wr_id")),
              "213-46-8915|Greene|415 986-7020|Oakland|1;238-95-7766|Carlsen|415 548-7723|Berkeley|1;"
              "899-46-2035|O'Leary|UNKNOWN     |NULL|0");
    EXPECT_EQ(Outcome(Run("SELECT discounttype, stor_id, lowqty, highqty, discount FROM discounts ORDER BY discount")),
              "Customer Discount|8042|NULL|NULL|5.00;Volume Discount|NULL|100|1000|6.70;"
              "Initial Customer|NULL|NULL|NULL|10.50");
    EXPECT_EQ(Outcome(Run("SELECT press_id, DATALENGTH(logo), DATALENGTH(pr_info) FROM press_info ORDER BY press_id")),
              "0736|119|137;0877|NULL|87");
    EXPECT_EQ(Outcome(Run("SELECT press_id, press_name, country FROM presses WHERE country <> 'USA' ORDER BY 1")),
              "9901|GGG&G|Germany;9999|Lucerne Publishing|France");
    EXPECT_EQ(Outcome(Run("SELECT staff_id, role_id, role_lvl, press_id, CONVERT(varchar(10), hire_date, 101) "
                          "FROM staff ORDER BY staff_id")),
              "H-B39728F|5|35|0877|09/21/1989;L-B31947F|1|10|0877|02/13/1991;PMA42628M|5|35|0877|08/27/1992;"
              "PSA89086M|4|200|1389|12/24/1990;VPA30890F|3|200|0877|09/13/1990");
    // The loop's two thousand orders, beside the nine written out.
    EXPECT_EQ(Outcome(Run("SELECT stor_id, COUNT(*), SUM(qty) FROM sales GROUP BY stor_id ORDER BY stor_id")),
              "7066|502|12625;7067|501|13010;7131|503|12565;8042|503|13055");
    EXPECT_EQ(Outcome(Run("SELECT MIN(ord_num), MAX(ord_num), CONVERT(varchar(10), MAX(ord_date), 120) FROM sales "
                          "WHERE ord_num LIKE 'B%'")),
              "B00001|B02000|2000-06-23");
}

TEST_F(BookshopScriptTest, ProceduresAndViewsAnswer)
{
    BufferedSink q1 = Run("EXEC reptq1");
    ASSERT_EQ(q1.resultSets.size(), 1u) << Describe(q1);
    EXPECT_EQ(q1.resultSets[0].columns[0].typeName, "varchar");
    EXPECT_EQ(q1.resultSets[0].columns[1].typeName, "money");
    EXPECT_EQ(Outcome(q1), "0736|7.9900;0877|11.9500;1389|19.9933;ALL|15.9840");
    EXPECT_EQ(Outcome(Run("EXEC reptq3 $5, $50, 'business'")),
              "0877|ALL|1;0877|trad_cook|1;1389|ALL|2;1389|business|2;ALL|ALL|3;ALL|business|2;ALL|trad_cook|1");
    EXPECT_EQ(Outcome(Run("EXEC byroyalty 100")), "998-72-3567;213-46-8915;899-46-2035");
    EXPECT_EQ(Outcome(Run("SELECT title, wr_ord, wr_lname, price FROM bookview WHERE press_id = '1389' "
                          "ORDER BY title, wr_ord")),
              "Secrets of Silicon Valley|1|Carlsen|20.0000;Straight Talk About Computers|1|Greene|19.9900;"
              "The Busy Executive's Database Guide|1|Abbot|19.9900;The Busy Executive's Database Guide|2|Greene|19.9900");
}

TEST_F(BookshopScriptTest, TriggerAndChecksRefuseBadRows)
{
    EXPECT_EQ(Outcome(Run("insert staff values ('ABC12345M', 'Bad', 'X', 'Level', 1, 20, '0877', '02/13/91')")),
              "50000 Role id 1 expects the default level of 10.");
    EXPECT_EQ(Outcome(Run("insert staff values ('ABC12346M', 'Bad', 'X', 'Level', 5, 200, '0877', '02/13/91')")),
              "50000 The level for role_id:5 should be between 25 and 100.");
    EXPECT_EQ(Outcome(Run("insert writers values ('12-345-6789', 'Bad', 'Key', '0', NULL, NULL, NULL, NULL, 0)"))
                  .substr(0, 4),
              "547 ");
    EXPECT_EQ(Outcome(Run("SELECT COUNT(*) FROM staff\nSELECT COUNT(*) FROM writers")), "5;5");
}

// The options a database keeps (its recovery) are set and read back; the
// ones the server cannot keep are refused unless they already have the value asked.
TEST_F(BookshopScriptTest, DatabaseOptions)
{
    EXPECT_EQ(Outcome(Run("SELECT DATABASEPROPERTYEX('bookshop', 'Recovery')")), "SIMPLE");
    EXPECT_EQ(Outcome(Run("EXEC sp_dboption 'bookshop'")),
              "auto create statistics;auto update statistics;torn page detection;trunc. log on chkpt.");
    EXPECT_EQ(Outcome(Run("EXEC sp_dboption 'bookshop', 'trunc', 'false'\n"
                          "EXEC sp_dboption 'bookshop', 'select into', 'true'\n"
                          "EXEC sp_dboption 'bookshop', 'trunc. log on chkpt.'\n"
                          "SELECT DATABASEPROPERTYEX('bookshop', 'Recovery')")),
              "trunc. log on chkpt.|OFF;BULK_LOGGED");
    struct Case {
        const char* call;
        const char* expected;
    };
    for (const Case& c : {Case{"sp_dboption 'bookshop', 'autoclose', 'false'", ""},
                          Case{"sp_dboption 'bookshop', 'torn page detection', 'on'", ""},
                          Case{"sp_dboption 'nowhere', 'autoclose', 'false'",
                               "15010 The database 'nowhere' does not exist. Use sp_helpdb to show available "
                               "databases."},
                          Case{"sp_dboption 'bookshop', 'fast', 'true'",
                               "15011 Database option 'fast' does not exist. Specify a valid database option."},
                          Case{"sp_dboption 'bookshop', 'auto', 'true'", "15242 Database option 'auto' is not unique."},
                          Case{"sp_dboption 'bookshop', 'trunc', 'maybe'",
                               "15241 Usage: sp_dboption [dbname [,optname [,'true' | 'false']]]"},
                          Case{"sp_dboption 'bookshop', 'read only', 'true'",
                               "40000 Setting the database option 'read only' to true is not supported by the "
                               "embedded server."}})
        EXPECT_EQ(Outcome(Run(std::string("EXEC ") + c.call)), c.expected) << c.call;
}

} // namespace tw::server::test

namespace tw::server::test {

// The procedures a DBA runs first on a database someone else loaded.
TEST_F(BookshopScriptTest, IndexAndSpaceReports)
{
    EXPECT_EQ(Outcome(Run("EXEC sp_helpindex 'sales'")),
              "bookidind|nonclustered located on PRIMARY|book_id;"
              "UPKCL_sales|clustered, unique, primary key located on PRIMARY|stor_id, ord_num, book_id");
    EXPECT_EQ(Outcome(Run("EXEC sp_helpindex 'dbo.staff'")),
              "employee_ind|nonclustered located on PRIMARY|lname, fname, minit;"
              "PK_staff_id|nonclustered, unique, primary key located on PRIMARY|staff_id");
    BufferedSink none = Run("EXEC sp_helpindex 'discounts'");
    EXPECT_FALSE(none.HasError());
    EXPECT_TRUE(none.resultSets.empty());
    ASSERT_FALSE(none.messages.empty());
    EXPECT_EQ(none.messages.back().text, "The object does not have any indexes.");
    EXPECT_EQ(Outcome(Run("EXEC sp_helpindex 'nothing'")),
              "15009 The object 'nothing' does not exist in database 'bookshop' or is invalid for this operation.");

    // sysindexes counts a page for every fifty rows, and sp_spaceused reports the same pages.
    EXPECT_EQ(Outcome(Run("EXEC sp_spaceused 'sales'")), "sales|2009|656 KB|328 KB|328 KB|0 KB");
    EXPECT_EQ(Outcome(Run("SELECT SUM(reserved) * 8, SUM(CASE WHEN indid < 2 THEN dpages END) * 8 FROM sysindexes "
                          "WHERE id = OBJECT_ID('sales')")),
              "656|328");
    BufferedSink database = Run("EXEC sp_spaceused");
    ASSERT_EQ(database.resultSets.size(), 2u) << Describe(database);
    EXPECT_EQ(database.resultSets[0].rows[0][0].ToText(), "bookshop");
    EXPECT_EQ(database.resultSets[1].columns[0].name, "reserved");
    EXPECT_EQ(Outcome(Run("EXEC sp_spaceused 'bookview'")).substr(0, 6), "15009 ");

    // sp_helpdb reports the recovery the script chose with sp_dboption.
    BufferedSink help = Run("EXEC sp_helpdb 'bookshop'");
    ASSERT_EQ(help.resultSets.size(), 1u) << Describe(help);
    EXPECT_NE(help.resultSets[0].rows[0][5].ToText().find("Recovery=SIMPLE"), std::string::npos);
}

} // namespace tw::server::test
