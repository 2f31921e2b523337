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

} // namespace tw::server::test
