// Names that need brackets and quotes in T-SQL (a "]", a "'" and blanks):
// typed in brackets they give the same lists and tips as plain names, and the
// server receives them quoted, with nothing else run.
#include "tests/sqleditor/CompletionNamesFixture.h"

#include <algorithm>

#include "sqleditor/FuncTipWnd.h"

using sqled_names_test::CompletionTest;

namespace {

class CompletionQuotedNames : public CompletionTest {
protected:
    void SetUp() override
    {
        CompletionTest::SetUp();
        Run("if db_id('odd ]''db') is null create database [odd ]]'db]");
        Run("use [odd ]]'db]; if object_id('[odd ]]''table]') is null "
            "create table [odd ]]'table] ([col one] int, [it's] varchar(10))");
        Run("use [odd ]]'db]; if object_id('[odd ]]''proc]') is null "
            "exec('create procedure [odd ]]''proc] @p int, @q varchar(5) as select 1')");
        frame->m_DatabaseList.AddTail("odd ]'db");
        SwitchDatabase("odd ]'db");
        recorder->Clear();
    }

    bool Offered(const std::string& text)
    {
        const std::vector<std::string> texts = ListTexts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};

} // namespace

TEST_F(CompletionQuotedNames, TheMapsKeepTheNamesUnquoted)
{
    EXPECT_EQ(Code("odd ]'table"), CompletionTable);
    EXPECT_EQ(Code("odd ]'proc"), CompletionProcedure);
    EXPECT_EQ(Code("odd ]'db."), CompletionDatabase);
    EXPECT_EQ(Code("odd ]'db.dbo."), CompletionDatabaseUser);
}

TEST_F(CompletionQuotedNames, ABracketedTableListsItsColumns)
{
    Type("select * from [odd ]]'table].");
    EXPECT_TRUE(Offered("col one"));
    EXPECT_TRUE(Offered("it's"));
    EXPECT_EQ(TakeBatches(), std::vector<std::string>{
                                 "use [odd ]]'db]; Select name From syscolumns Where id = object_id('[odd ]]''table]');"});
}

TEST_F(CompletionQuotedNames, ABracketedProcedureShowsItsTip)
{
    Type("exec [odd ]]'proc] ");
    ASSERT_NE(edit->m_pFuncTipWnd, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(edit->m_pFuncTipWnd->m_dlgTip.m_wndText.GetSignature())),
              "int odd ]'proc (@p int, @q varchar(5))");
    EXPECT_EQ(TakeBatches(),
              std::vector<std::string>{"use [odd ]]'db]; Execute sp_sproc_columns 'odd ]''proc';"});
}

TEST_F(CompletionQuotedNames, ABracketedDatabaseListsItsOwnersAndFromElsewhereItsObjects)
{
    Type("select * from [odd ]]'db].");
    EXPECT_TRUE(Offered("dbo"));
    EXPECT_TRUE(TakeBatches().empty());

    SwitchDatabase("TarnSample");
    recorder->Clear();
    CloseList();
    SetText("");
    Type("select * from [odd ]]'db]..");
    EXPECT_TRUE(Offered("odd ]'table."));
    EXPECT_TRUE(Offered("odd ]'proc."));
    const std::vector<std::string> batches = TakeBatches();
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_EQ(batches[0].rfind("use [odd ]]'db];select name,xtype,type from sysobjects where ", 0), 0u);
}

TEST_F(CompletionQuotedNames, BracketsInsideLiteralsAndUnclosedNamesOfferNothing)
{
    const char* typed[] = {"select '[odd ]]''table]'.", "select * from [odd ]]'table.", "select [odd ]]]."};
    for (const char* text : typed) {
        CloseList();
        SetText("");
        Type(text);
        EXPECT_TRUE(MemberEntries().empty()) << text;
        EXPECT_TRUE(TakeBatches().empty()) << text;
    }
}
