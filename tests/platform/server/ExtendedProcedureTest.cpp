// Extended procedures: registered in master by name and library, listed and
// dropped as SQL Server does; running one fails as a library that cannot be
// loaded does, since this server never loads code.
#include "ServerFixture.h"

namespace tw::server::test {

class ExtendedProcedureTest : public ServerTest {
protected:
    void TearDown() override
    {
        Run("IF object_id('master..xp_tw_probe') IS NOT NULL EXEC sp_dropextendedproc 'xp_tw_probe'");
    }
};

TEST_F(ExtendedProcedureTest, AddedOneIsInMastersCatalogueWithItsLibrary)
{
    // Added from a user database: the procedure still belongs to master.
    BufferedSink added = Run("EXEC sp_addextendedproc 'xp_tw_probe', 'twprobe.dll'");
    ASSERT_FALSE(added.HasError()) << Describe(added);

    EXPECT_TRUE(Query("SELECT name FROM sysobjects WHERE name = 'xp_tw_probe'").rows.empty());
    ResultSet row = Query("USE master SELECT name, xtype, OBJECTPROPERTY(id, 'IsExtendedProc') FROM sysobjects "
                          "WHERE name = 'xp_tw_probe'");
    ASSERT_EQ(row.rows.size(), 1u);
    EXPECT_EQ(row.rows[0][1].ToText(), "X ");
    EXPECT_EQ(row.rows[0][2].integer, 1);

    ResultSet help = Query("EXEC sp_helpextendedproc xp_tw_probe");
    ASSERT_EQ(help.rows.size(), 1u);
    EXPECT_EQ(help.columns[help.ColumnIndex("dll")].name, "dll");
    EXPECT_EQ(help.rows[0][help.ColumnIndex("dll")].ToText(), "twprobe.dll");
    EXPECT_EQ(Query("EXEC sp_helpextendedproc xp_cmdshell").rows[0][1].ToText(), "xplog70.dll");
}

TEST_F(ExtendedProcedureTest, RunningOneFailsAsAnUnloadableLibrary)
{
    Run("EXEC sp_addextendedproc 'xp_tw_probe', 'twprobe.dll'");
    BufferedSink sink = Run("EXEC master..xp_tw_probe 'argument'\nSELECT @@ERROR");
    ASSERT_TRUE(sink.HasError());
    EXPECT_EQ(sink.FirstError()->number, 17750);
    EXPECT_EQ(sink.FirstError()->severity, 16);
    EXPECT_EQ(sink.FirstError()->text, "Could not load the DLL twprobe.dll, or one of the DLLs it references. "
                                       "Reason: 126(The specified module could not be found.).");
    // The batch goes on, as after any statement error.
    ASSERT_EQ(sink.resultSets.size(), 1u);
    EXPECT_EQ(sink.resultSets[0].rows[0][0].integer, 17750);
    // Outside master an unqualified name is not found, as on SQL Server 2000.
    EXPECT_EQ(Run("EXEC xp_tw_probe").FirstError()->number, 2812);
}

struct ExtendedProcedureErrorCase {
    const char* batch;
    int number;
    const char* text;
};

class ExtendedProcedureErrorTest : public ExtendedProcedureTest,
                                   public ::testing::WithParamInterface<ExtendedProcedureErrorCase> {};

TEST_P(ExtendedProcedureErrorTest, RefusedWithSqlServersError)
{
    Run("EXEC sp_addextendedproc 'xp_tw_probe', 'twprobe.dll'");
    const ExtendedProcedureErrorCase& c = GetParam();
    BufferedSink sink = Run(c.batch);
    ASSERT_TRUE(sink.HasError()) << c.batch;
    EXPECT_EQ(sink.FirstError()->number, c.number) << c.batch;
    EXPECT_EQ(sink.FirstError()->text, c.text) << c.batch;
    Run("WHILE @@TRANCOUNT > 0 ROLLBACK");
    // Whatever was refused left the registered procedure as it was.
    EXPECT_EQ(Query("EXEC sp_helpextendedproc 'xp_tw_probe'").rows.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, ExtendedProcedureErrorTest,
    ::testing::Values(
        ExtendedProcedureErrorCase{"EXEC sp_addextendedproc 'xp_tw_probe', 'other.dll'", 2714,
                                   "There is already an object named 'xp_tw_probe' in the database."},
        ExtendedProcedureErrorCase{"EXEC sp_addextendedproc 'xp_tw_nodll', NULL", 15600,
                                   "An invalid parameter or option was specified for procedure 'sp_addextendedproc'."},
        ExtendedProcedureErrorCase{"EXEC sp_dropextendedproc 'xp_tw_missing'", 3701,
                                   "Cannot drop the procedure 'xp_tw_missing', because it does not exist or you do "
                                   "not have permission."},
        ExtendedProcedureErrorCase{"BEGIN TRAN EXEC sp_dropextendedproc 'xp_tw_probe'", 15002,
                                   "The procedure 'sp_dropextendedproc' cannot be executed within a transaction."}));

TEST_F(ExtendedProcedureTest, DroppedOneIsGone)
{
    Run("EXEC sp_addextendedproc 'xp_tw_probe', 'twprobe.dll'");
    BufferedSink dropped = Run("EXEC sp_dropextendedproc 'xp_tw_probe'");
    ASSERT_FALSE(dropped.HasError()) << Describe(dropped);
    EXPECT_TRUE(Query("EXEC sp_helpextendedproc 'xp_tw_probe'").rows.empty());
    EXPECT_EQ(Run("EXEC master..xp_tw_probe").FirstError()->number, 2812);
}

TEST_F(ExtendedProcedureTest, FreeingALibraryAnswersAsDbccDoes)
{
    // Freeing a library that is not loaded is not an error on SQL Server either.
    for (const char* batch : {"DBCC twprobe (FREE)", "DBCC xplog70(FREE)"}) {
        BufferedSink sink = Run(batch);
        EXPECT_FALSE(sink.HasError()) << batch << "\n" << Describe(sink);
        ASSERT_EQ(sink.messages.size(), 1u) << batch;
        EXPECT_EQ(sink.messages[0].number, 2528);
    }
    EXPECT_EQ(Run("DBCC dbo.xp_tw_probe (FREE)").FirstError()->number, 102);
}

} // namespace tw::server::test
