#include <gtest/gtest.h>

#include "platform/dmo/DmoInterfaces.h"

using namespace SQLDMO;

namespace dmoscript {

std::string Text(const _bstr_t& text) { return static_cast<const char*>(text); }

// A database with a table holding keys, an index, defaults and checks, a
// view, a procedure, a function and a trigger, named with "]", "'" and
// blanks.
class DmoScripts : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw::dmo::RegisterClasses();
        server.CreateInstance(CLSID_SQLServer);
        server->Connect("(embedded)", "sa", "");
        server->ExecuteImmediate("if db_id('DmoScripts') is null create database DmoScripts");
        const _DatabasePtr item = server->GetDatabases()->Item("DmoScripts");
        // Queried by hand: assigning across interfaces goes through the smart
        // pointer's move assignment, which does not compile yet.
        item->QueryInterface(IID__Database2, reinterpret_cast<void**>(&database));

        database->ExecuteImmediate(
            "create table [Par]]ent] (id int not null constraint [PK Par]]ent] primary key, label nvarchar(20) null)\n"
            "create table [O'Brien Lines] (line int identity(1,1) not null constraint PK_Lines primary key, "
            "parent int not null constraint [FK O'Brien] references [Par]]ent] (id), "
            "qty smallint null constraint [DF qty] default (1) constraint [CK qty] check (qty > 0), "
            "price decimal(10, 2) not null, note varchar(30) null)\n"
            "create index [IX O'Brien]]] on [O'Brien Lines] (parent, qty)");
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

    // The catalogue rows of one object, free of ids and dates that a
    // re-creation changes.
    std::string CatalogueRows(const std::string& name)
    {
        const std::string literal = "N'" + Doubled(name) + "'";
        std::string rows;
        const char* queries[] = {
            "select o.name, o.xtype, isnull(object_name(o.parent_obj), '') from sysobjects o "
            "where o.name = %s or o.parent_obj = object_id(%s) order by o.name",
            "select c.name, c.xtype, c.length, c.prec, c.scale, c.isnullable, c.colid, c.colstat, "
            "isnull(object_name(c.cdefault), '') from syscolumns c where c.id = object_id(%s) order by c.colid",
            "select i.name, i.indid, i.keycnt from sysindexes i where i.id = object_id(%s) order by i.indid",
            "select c.text from syscomments c join sysobjects o on o.id = c.id "
            "where o.name = %s or o.parent_obj = object_id(%s) order by o.name, c.colid",
        };
        for (const char* pattern : queries) {
            std::string query = pattern;
            for (size_t at = query.find("%s"); at != std::string::npos; at = query.find("%s"))
                query.replace(at, 2, literal);
            _QueryResultsPtr results = database->ExecuteWithResults(query.c_str());
            for (long r = 1; r <= results->GetRows(); ++r) {
                for (long c = 1; c <= results->GetColumns(); ++c)
                    rows += Text(results->GetColumnString(r, c)) + "|";
                rows += "\n";
            }
            rows += "--\n";
        }
        return rows;
    }

    static std::string Doubled(const std::string& text)
    {
        std::string out;
        for (char c : text)
            out += c == '\'' ? std::string("''") : std::string(1, c);
        return out;
    }

    // Runs a script the way a query window does: batch by batch at "GO".
    void RunScript(const std::string& script)
    {
        std::string batch;
        size_t start = 0;
        while (start < script.size()) {
            size_t end = script.find('\n', start);
            if (end == std::string::npos)
                end = script.size();
            std::string line = script.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line == "GO") {
                database->ExecuteImmediate(batch.c_str());
                batch.clear();
            } else {
                batch += (batch.empty() ? "" : "\n") + line;
            }
            start = end + 1;
        }
        if (batch.find_first_not_of(" \r\n\t") != std::string::npos)
            database->ExecuteImmediate(batch.c_str());
    }

    template <class Ptr>
    void ExpectScriptRecreates(Ptr object, const std::string& name, long scriptType = SQLDMOScript_Default)
    {
        const std::string before = CatalogueRows(name);
        const std::string script = Text(object->Script(scriptType, vtMissing, 4));
        ASSERT_FALSE(script.empty());
        object->Remove();
        EXPECT_EQ(CatalogueRows(name).find(name + "|"), std::string::npos) << "not removed: " << name;
        RunScript(script);
        EXPECT_EQ(CatalogueRows(name), before) << script;
    }

    _SQLServerPtr server;
    _Database2Ptr database;
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

TEST_F(DmoScripts, ObjectsOfOneNameUnderTwoOwnersStayTwo)
{
    GTEST_SKIP() << "the embedded server keeps every object under dbo: it has no CREATE SCHEMA/sp_adduser owners; "
                    "the lookup itself is covered by DmoNameLookup";
}

TEST_F(DmoScripts, ExtendedProcedureType)
{
    GTEST_SKIP() << "the embedded server has no extended procedures (sp_addextendedproc)";
}

} // namespace dmoscript
