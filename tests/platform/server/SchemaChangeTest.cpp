// Changes to a database's schema and its security: dropping indexes, owners
// other than dbo, constraints added and dropped, permissions, identity
// properties and awkward database names.
#include "ServerFixture.h"

namespace tw::server::test {

namespace schemachange_detail {

std::string Cell(const BufferedSink& sink, size_t set = 0, size_t row = 0, size_t column = 0)
{
    if (sink.resultSets.size() <= set || sink.resultSets[set].rows.size() <= row ||
        sink.resultSets[set].rows[row].size() <= column)
        return "<none>";
    return sink.resultSets[set].rows[row][column].ToText();
}

int ErrorNumber(const BufferedSink& sink)
{
    const Message* error = sink.FirstError();
    return error ? error->number : 0;
}

} // namespace schemachange_detail

using schemachange_detail::Cell;
using schemachange_detail::ErrorNumber;

TEST_F(ServerTest, DropIndexByTableAndNameRemovesItFromTheCatalogue)
{
    ASSERT_FALSE(Run("CREATE TABLE DropIx (a int NOT NULL, b int NULL)\n"
                     "CREATE INDEX IX_a ON DropIx (a)\nCREATE UNIQUE INDEX UX_b ON DropIx (b)").HasError());
    BufferedSink dropped = Run("DROP INDEX DropIx.IX_a, [dbo].[DropIx].[UX_b]");
    EXPECT_FALSE(dropped.HasError()) << Describe(dropped);
    EXPECT_EQ(Cell(Run("SELECT COUNT(*) FROM sysindexes WHERE id = object_id('DropIx') AND indid > 0")), "0");
    EXPECT_FALSE(Run("INSERT INTO DropIx VALUES (1, NULL) INSERT INTO DropIx VALUES (2, NULL)").HasError());
    EXPECT_EQ(ErrorNumber(Run("DROP INDEX DropIx.IX_a")), 3701);
    // Inside a transaction the drop rolls back with it.
    ASSERT_FALSE(Run("CREATE INDEX IX_a ON DropIx (a)").HasError());
    BufferedSink rolled = Run("BEGIN TRAN DROP INDEX DropIx.IX_a ROLLBACK");
    EXPECT_FALSE(rolled.HasError()) << Describe(rolled);
    EXPECT_EQ(Cell(Run("SELECT name FROM sysindexes WHERE id = object_id('DropIx') AND indid > 0")), "IX_a");
    EXPECT_FALSE(Run("DROP TABLE DropIx").HasError());
}

} // namespace tw::server::test
