#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/platform/dmo/DmoTestSupport.h"

namespace dmoscript {

using namespace SQLDMO;
using dmotest::Text;

// A database with a table holding keys, an index, defaults and checks, a
// view, a procedure, a function and a trigger, named with "]", "'" and
// blanks.
class DmoScripts : public dmotest::ScriptFixture {
protected:
    void SetUp() override
    {
        Login();
        server->ExecuteImmediate("if db_id('DmoScripts') is null create database DmoScripts");
        OpenDatabase("DmoScripts");
        database->ExecuteImmediate(
            "create table [Par]]ent] (id int not null constraint [PK Par]]ent] primary key, label nvarchar(20) null)\n"
            "create table [O'Brien Lines] (line int identity(1,1) not null constraint PK_Lines primary key, "
            "parent int not null constraint [FK O'Brien] references [Par]]ent] (id), "
            "qty smallint null constraint [DF qty] default (1) constraint [CK qty] check (qty > 0), "
            "price decimal(10, 2) not null, note varchar(30) null)\n"
            "create index [IX O'Brien]]] on [O'Brien Lines] (parent, qty)\n"
            "create unique index [UX note] on [O'Brien Lines] (note, price)");
        database->ExecuteImmediate("create view [Line View] as select line, qty from [O'Brien Lines]");
        database->ExecuteImmediate("create procedure [Get 'Lines'] @p int as select * from [O'Brien Lines] "
                                   "where parent = @p");
        database->ExecuteImmediate("create function [Twice]]] (@v int) returns int as begin return @v * 2 end");
        database->ExecuteImmediate("create trigger [Keep Qty] on [O'Brien Lines] for update as "
                                   "if exists (select * from inserted where qty > 1000) rollback transaction");
    }

    void TearDown() override
    {
        if (server)
            server->ExecuteImmediate("use master; drop database DmoScripts");
    }
};

TEST_F(DmoScripts, ModulesScriptDropAndComeBackTheSame)
{
    ExpectScriptRecreates(_ViewPtr(database->GetViews()->Item("dbo.Line View")), "Line View");
    ExpectScriptRecreates(_StoredProcedurePtr(database->GetStoredProcedures()->Item("[dbo].[Get 'Lines']")),
                          "Get 'Lines'");
    ExpectScriptRecreates(_UserDefinedFunctionPtr(database->GetUserDefinedFunctions()->Item("Twice]")), "Twice]");
    _TablePtr lines = database->GetTables()->Item("O'Brien Lines");
    ExpectScriptRecreates(_TriggerPtr(lines->GetTriggers()->Item("Keep Qty")), "Keep Qty");
}

TEST_F(DmoScripts, TablesScriptDropAndComeBackTheSame)
{
    ExpectScriptRecreates(_TablePtr(database->GetTables()->Item("dbo.O'Brien Lines")), "O'Brien Lines",
                          SQLDMOScript_Default | SQLDMOScript_Triggers);
    // The parent goes once nothing refers to it.
    _TablePtr(database->GetTables()->Item("O'Brien Lines"))->Remove();
    ExpectScriptRecreates(_TablePtr(database->GetTables()->Item("Par]ent")), "Par]ent");
}

TEST_F(DmoScripts, TableMembersReadFromTheCatalogue)
{
    _TablePtr lines = database->GetTables()->Item("O'Brien Lines");
    EXPECT_EQ(Text(lines->GetOwner()), "dbo");
    EXPECT_FALSE(lines->GetSystemObject());
    KeysPtr keys = lines->GetKeys();
    ASSERT_EQ(keys->GetCount(), 2);
    _KeyPtr foreign = keys->Item("FK O'Brien");
    EXPECT_EQ(foreign->GetType(), SQLDMOKey_Foreign);
    EXPECT_EQ(Text(foreign->GetKeyColumns()->Item(1)), "parent");
    EXPECT_EQ(Text(foreign->GetReferencedColumns()->Item(1)), "id");
    EXPECT_EQ(Text(foreign->GetReferencedTable()), "[dbo].[Par]]ent]");
    EXPECT_EQ(keys->Item("PK_Lines")->GetType(), SQLDMOKey_Primary);
    ChecksPtr checks = lines->GetChecks();
    ASSERT_EQ(checks->GetCount(), 1);
    EXPECT_NE(Text(checks->Item(1L)->GetText()).find("qty"), std::string::npos);
    EXPECT_NE(Text(lines->GetTriggers()->Item(1L)->GetText()).find("rollback"), std::string::npos);
    lines->RecalcSpaceUsage();
    IndexesPtr indexes = lines->GetIndexes();
    _IndexPtr index = indexes->Item("IX O'Brien]");
    EXPECT_EQ(Text(index->GetIndexedColumns()), "[parent], [qty]");
    EXPECT_EQ(lines->ListPermissions(SQLDMOPriv_Select | SQLDMOPriv_Insert)->GetCount(), 0);
}

TEST_F(DmoScripts, ProcedureTypesAndProperties)
{
    _StoredProcedurePtr procedure = database->GetStoredProcedures()->Item("Get 'Lines'");
    EXPECT_EQ(procedure->GetType(), SQLDMOProc_Standard);
    EXPECT_EQ(procedure->GetType() & 2, 0);
    EXPECT_FALSE(procedure->GetStartup());
    EXPECT_TRUE(procedure->GetAnsiNullsStatus());
    EXPECT_GT(procedure->GetID(), 0);
    EXPECT_EQ(_UserDefinedFunctionPtr(database->GetUserDefinedFunctions()->Item(1L))->GetType(), SQLDMOUDF_Scalar);
}

TEST_F(DmoScripts, ADropAndCreateScriptRunsTwice)
{
    _ViewPtr view = database->GetViews()->Item("Line View");
    const std::string script = Text(view->Script(SQLDMOScript_Drops | SQLDMOScript_PrimaryObject));
    EXPECT_NE(script.find("DROP VIEW [dbo].[Line View]"), std::string::npos);
    EXPECT_NE(script.find("object_id(N'[dbo].[Line View]')"), std::string::npos);
    RunScript(script);
    RunScript(script);
    EXPECT_EQ(database->GetViews()->GetCount(), 1);
    const std::string dropOnly = Text(database->GetViews()->Item(1L)->Script(SQLDMOScript_Drops));
    EXPECT_EQ(dropOnly.find("create view"), std::string::npos);
}

TEST_F(DmoScripts, NoDriLeavesKeysAndChecksOut)
{
    _TablePtr lines = database->GetTables()->Item("O'Brien Lines");
    const std::string bare = Text(lines->Script(SQLDMOScript_Default | SQLDMOScript_NoDRI));
    EXPECT_EQ(bare.find("CONSTRAINT [PK_Lines]"), std::string::npos);
    EXPECT_EQ(bare.find("CHECK"), std::string::npos);
    EXPECT_NE(bare.find("CONSTRAINT [DF qty] DEFAULT"), std::string::npos);
    EXPECT_NE(bare.find("CREATE INDEX [IX O'Brien]]]"), std::string::npos);
    EXPECT_NE(Text(lines->Script()).find("CONSTRAINT [CK qty] CHECK"), std::string::npos);
}

TEST_F(DmoScripts, AScriptGoesToTheFileNamedToo)
{
    _TablePtr parent = database->GetTables()->Item("Par]ent");
    const std::string script = Text(parent->Script(SQLDMOScript_Default, "parent.sql"));
    std::ifstream file("parent.sql", std::ios::binary);
    std::stringstream written;
    written << file.rdbuf();
    EXPECT_EQ(written.str(), script);
    EXPECT_THROW(parent->Script(SQLDMOScript_Default, "no/such/folder/parent.sql"), _com_error);
}

TEST_F(DmoScripts, RemovedObjectLeavesItsCollectionAtOnce)
{
    StoredProceduresPtr procedures = database->GetStoredProcedures();
    ASSERT_EQ(procedures->GetCount(), 1);
    procedures->Item(1L)->Remove();
    EXPECT_EQ(procedures->GetCount(), 0);
    EXPECT_EQ(database->GetStoredProcedures()->GetCount(), 0);
    _TablePtr lines = database->GetTables()->Item("O'Brien Lines");
    lines->GetTriggers()->Item("Keep Qty")->Remove();
    EXPECT_EQ(lines->GetTriggers()->GetCount(), 0);
}

TEST_F(DmoScripts, KeysAndChecksDropAsConstraints)
{
    _TablePtr lines = database->GetTables()->Item("O'Brien Lines");
    try {
        lines->GetKeys()->Item("FK O'Brien")->Remove();
    } catch (const _com_error& error) {
        if (Text(error.Description()).find("not supported") != std::string::npos)
            ADD_FAILURE() << "the embedded server refused ALTER TABLE ... DROP CONSTRAINT";
        throw;
    }
    EXPECT_EQ(lines->GetKeys()->GetCount(), 1);
    lines->GetChecks()->Item("CK qty")->Remove();
    EXPECT_EQ(lines->GetChecks()->GetCount(), 0);
}

TEST_F(DmoScripts, IndexesDropByTableAndName)
{
    _TablePtr lines = database->GetTables()->Item("O'Brien Lines");
    _IndexPtr index = lines->GetIndexes()->Item("IX O'Brien]");
    EXPECT_EQ(index->GetType() & (SQLDMOIndex_Unique | SQLDMOIndex_Clustered), 0);
    EXPECT_NE(Text(index->Script(SQLDMOScript_Drops)).find("DROP INDEX [dbo].[O'Brien Lines].[IX O'Brien]]]"),
              std::string::npos);
    EXPECT_EQ(_IndexPtr(lines->GetIndexes()->Item("UX note"))->GetType(), SQLDMOIndex_Unique);
    _IndexPtr primary = lines->GetIndexes()->Item("PK_Lines");
    EXPECT_EQ(primary->GetType(), SQLDMOIndex_Clustered | SQLDMOIndex_Unique | SQLDMOIndex_DRIPrimaryKey);
    index->Remove();
    lines->GetIndexes()->Refresh();
    EXPECT_EQ(lines->GetIndexes()->GetCount(), 2);
}

TEST_F(DmoScripts, StartupCannotBeSetWithoutTheServersProcedureOption)
{
    // The embedded server has no sp_procoption: the put fails with the
    // server's error rather than pretending.
    _StoredProcedurePtr procedure = database->GetStoredProcedures()->Item("Get 'Lines'");
    EXPECT_THROW(procedure->PutStartup(VARIANT_TRUE), _com_error);
    EXPECT_FALSE(procedure->GetStartup());
}

TEST_F(DmoScripts, ColumnsCarryTheirShapes)
{
    ColumnsPtr columns = _TablePtr(database->GetTables()->Item("O'Brien Lines"))->GetColumns();
    ASSERT_EQ(columns->GetCount(), 5);
    _ColumnPtr line = columns->Item(1L);
    EXPECT_EQ(Text(line->GetName()), "line");
    EXPECT_TRUE(line->GetIdentity());
    EXPECT_FALSE(line->GetAllowNulls());
    _ColumnPtr price = columns->Item("price");
    EXPECT_EQ(Text(price->GetDatatype()), "decimal");
    EXPECT_EQ(price->GetNumericPrecision(), 10);
    EXPECT_EQ(price->GetNumericScale(), 2);
    EXPECT_EQ(columns->Item("note")->GetLength(), 30);
}

TEST_F(DmoScripts, UsersDefaultsAndRulesOfTheDatabase)
{
    UsersPtr users = database->GetUsers();
    ASSERT_GE(users->GetCount(), 1);
    EXPECT_EQ(Text(users->Item("dbo")->GetName()), "dbo");
    // A column's DEFAULT constraint belongs to its table, not to Defaults.
    EXPECT_EQ(database->GetDefaults()->GetCount(), 0);
    EXPECT_EQ(database->GetRules()->GetCount(), 0);
}

TEST_F(DmoScripts, ObjectsOfOneNameUnderTwoOwnersStayTwo)
{
    server->ExecuteImmediate("if not exists (select * from master..syslogins where name = 'ann') "
                             "exec sp_addlogin 'ann'");
    database->ExecuteImmediate("exec sp_adduser 'ann'");
    database->ExecuteImmediate("create table ann.[Par]]ent] (other int null)");
    TablesPtr tables = database->GetTables();
    tables->Refresh();
    EXPECT_EQ(Text(_TablePtr(tables->Item("ann.Par]ent"))->GetOwner()), "ann");
    EXPECT_EQ(Text(_TablePtr(tables->Item("[dbo].[Par]]ent]"))->GetOwner()), "dbo");
    EXPECT_EQ(_TablePtr(tables->Item("ann.Par]ent"))->GetColumns()->GetCount(), 1);
    EXPECT_EQ(_TablePtr(tables->Item("dbo.Par]ent"))->GetColumns()->GetCount(), 2);
}

TEST_F(DmoScripts, ExtendedProcedureType)
{
    server->ExecuteImmediate("exec sp_addextendedproc 'xp_dmo probe', 'dmoprobe.dll'");
    OpenDatabase("master");
    StoredProceduresPtr procedures = database->GetStoredProcedures();
    _StoredProcedurePtr probe = procedures->Item("xp_dmo probe");
    // The tree tells an extended procedure by bit 2 of its type.
    EXPECT_EQ(probe->GetType(), SQLDMOProc_Extended);
    EXPECT_TRUE(probe->GetType() & 2);
    EXPECT_EQ(procedures->Item("dbo.xp_cmdshell")->GetType(), SQLDMOProc_Extended);
    EXPECT_NE(Text(probe->Script(SQLDMOScript_Default, vtMissing, 4)).find("'dmoprobe.dll'"), std::string::npos);
    ExpectScriptRecreates(probe, "xp_dmo probe");
    _QueryResultsPtr help = database->ExecuteWithResults("exec sp_helpextendedproc N'xp_dmo probe'");
    ASSERT_EQ(help->GetRows(), 1);
    EXPECT_EQ(Text(help->GetColumnString(1, 2)), "dmoprobe.dll");
    procedures->Refresh();
    _StoredProcedurePtr(procedures->Item("xp_dmo probe"))->Remove();
    EXPECT_EQ(database->ExecuteWithResults("exec sp_helpextendedproc N'xp_dmo probe'")->GetRows(), 0);
}

} // namespace dmoscript
