// A column's bound default and rule, computed text, row-GUID flag and
// collation, read from the sample database's order lines.
#include <gtest/gtest.h>

#include "tests/platform/dmo/DmoTestSupport.h"

namespace dmocolumns {

using namespace SQLDMO;
using dmotest::Text;

class DmoColumnProperties : public dmotest::ScriptFixture {
protected:
    void SetUp() override
    {
        Login();
        OpenDatabase("TarnSample");
    }

    _ColumnPtr Column(const char* table, const char* name)
    {
        _TablePtr item = database->GetTables()->Item(table);
        return item->GetColumns()->Item(name);
    }
};

TEST_F(DmoColumnProperties, CollationOnlyForCharacterColumns)
{
    struct Case {
        const char* table;
        const char* column;
        bool character;
    };
    const Case cases[] = {
        {"dbo.Products", "ProductName", true},
        {"dbo.Products", "ProductID", false},
        {"dbo.Order Details", "UnitPrice", false},
    };
    const std::string databaseCollation =
        Text(database->ExecuteWithResults("select DATABASEPROPERTYEX('TarnSample','Collation')")->GetColumnString(1, 1));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        EXPECT_EQ(Text(Column(c.table, c.column)->GetCollation()), c.character ? databaseCollation : "");
    }
}

// A DEFAULT constraint is not a bound default; no column of the sample has a
// rule, a row-GUID flag or a formula.
TEST_F(DmoColumnProperties, ConstraintDefaultsAreNotBoundDefaults)
{
    _TablePtr details = database->GetTables()->Item("dbo.Order Details");
    ColumnsPtr columns = details->GetColumns();
    long withConstraint = 0;
    for (long i = 1; i <= columns->GetCount(); ++i) {
        _ColumnPtr column = columns->Item(i);
        SCOPED_TRACE(Text(column->GetName()));
        const std::string query = "select count(*) from syscolumns where id = object_id('dbo.[Order Details]') and "
                                  "name = '" + Text(column->GetName()) + "' and cdefault <> 0";
        withConstraint += database->ExecuteWithResults(query.c_str())->GetColumnLong(1, 1);
        EXPECT_EQ(Text(column->GetDefault()), "");
        EXPECT_EQ(Text(column->GetRule()), "");
        EXPECT_EQ(column->GetIsComputed(), VARIANT_FALSE);
        EXPECT_EQ(Text(column->GetComputedText()), "");
        EXPECT_EQ(column->GetIsRowGuidCol(), VARIANT_FALSE);
    }
    EXPECT_GE(withConstraint, 1) << "the order lines keep a DEFAULT constraint";
}

// A column made by CoCreateInstance belongs to no table: asking raises.
TEST_F(DmoColumnProperties, ADetachedColumnRaises)
{
    _ColumnPtr column;
    ASSERT_TRUE(SUCCEEDED(column.CreateInstance(CLSID_Column)));
    EXPECT_THROW(column->GetCollation(), _com_error);
    EXPECT_THROW(column->GetDefault(), _com_error);
}

}  // namespace dmocolumns
