// A grid bound to a keyset recordset of the embedded server edits it live and
// sends the changes in one batch when saved, as the edit-mode grid uses it.
#include <gtest/gtest.h>

#include "tests/platform/ado/AdoTestSupport.h"
#include "tests/platform/controls/grid/GridControlFixture.h"
#include "tests/platform/controls/grid/GridEditingFixture.h"

namespace tw::grid {
namespace {

using namespace tw::grid::testing;
using namespace ADODB;

class GridRecordsetTest : public GridEditingFixture {
protected:
    void SetUp() override
    {
        GridEditingFixture::SetUp();
        // The server's files outlive a test: each test has its own table.
        static int tables = 0;
        table = "Stock" + std::to_string(++tables);
        writer = adotest::OpenEmbedded();
        Run("create table " + table + " (id int, name varchar(20), qty int)");
        Run("insert into " + table + " values (1, 'a', 10) insert into " + table + " values (2, 'b', 20) " +
            "insert into " + table + " values (3, 'c', 30)");
        recordset = _RecordsetPtr("ADODB.Recordset");
        recordset->Open(("select * from " + table + " order by id").c_str(), _variant_t(static_cast<IDispatch*>(writer)), adOpenKeyset,
                        adLockBatchOptimistic, adCmdText);
        // The edit-mode grid's sequence: the recordset, Active, then columns for its fields.
        Call(Object(Get(controlDispatch, 1)), 317);
        tw::com::InvokeOrRaise(controlDispatch, 55, DISPATCH_PROPERTYPUTREF,
                               {_variant_t(static_cast<IUnknown*>(recordset))});
        dataset = Object(Get(controlDispatch, 19));
        Put(dataset, 1001, {true});
        Call(Object(Get(controlDispatch, 1)), 332);
        settings = Object(Get(dataset, 1053));
        for (auto [id, value] : {std::pair{1104, 1}, {1105, 0}, {1106, 4}})
            Put(settings, id, {value});
        Pump();
    }

    void Run(const std::string& statement) { writer->Execute(statement.c_str(), nullptr, adCmdText); }

    std::vector<std::pair<long, long>> SeenByAnotherConnection()
    {
        _ConnectionPtr reader = adotest::OpenEmbedded();
        _RecordsetPtr rows = reader->Execute(("select id, qty from " + table + " order by id").c_str(), nullptr, adCmdText);
        std::vector<std::pair<long, long>> seen;
        for (; !rows->GetEOF(); rows->MoveNext())
            seen.emplace_back(long(rows->GetCollect(0L)), long(rows->GetCollect(1L)));
        return seen;
    }

    int Column(const char* field) { return Model().Columns().IndexByFieldName(field); }

    std::string table;
    _ConnectionPtr writer;
    _RecordsetPtr recordset;
    IDispatchPtr dataset, settings;
};

TEST_F(GridRecordsetTest, TheRecordsetsFieldsAndRowsAreShown)
{
    ASSERT_EQ(Model().Columns().Count(), 3);
    EXPECT_EQ(Model().Columns().Item(1)->caption, "name");
    EXPECT_EQ(int(Get(controlDispatch, 9)), 3);
    EXPECT_EQ(Cell(2, Column("qty")), "30");
}

TEST_F(GridRecordsetTest, EditsAppendsAndDeletesAreSeenByASecondConnectionOnlyAfterSave)
{
    EditWithF2(0, Column("qty"));
    Type("11");
    Key(VK_RETURN);
    ASSERT_EQ(grid->Editor(), nullptr);
    Call(dataset, 1024);
    Put(dataset, 1064, {"id", 4L});
    Put(dataset, 1064, {"name", "d"});
    Put(dataset, 1064, {"qty", 40L});
    Call(dataset, 1046);
    Call(dataset, 1039, {_variant_t(2L)});
    Call(dataset, 1027);

    using Rows = std::vector<std::pair<long, long>>;
    EXPECT_EQ(SeenByAnotherConnection(), (Rows{{1, 10}, {2, 20}, {3, 30}}));
    Call(settings, 1113, {0L});
    EXPECT_EQ(SeenByAnotherConnection(), (Rows{{1, 11}, {3, 30}, {4, 40}}));

    Run("update " + table + " set qty = 99 where id = 3");
    Call(settings, 1111);
    EXPECT_EQ(int(Get(controlDispatch, 9)), 3);
    EXPECT_EQ(Cell(1, Column("qty")), "99");
}

TEST_F(GridRecordsetTest, AValueTheFieldCannotHoldKeepsTheEditorOpen)
{
    EditWithF2(1, Column("qty"));
    Type("lots");
    Key(VK_RETURN);
    EXPECT_NE(grid->Editor(), nullptr);
    EXPECT_EQ(Cell(1, Column("qty")), "20");
    Key(VK_ESCAPE);
    Call(settings, 1113, {0L});
    EXPECT_EQ(SeenByAnotherConnection()[1].second, 20);
}

TEST_F(GridRecordsetTest, ASaveTheServerRefusesIsReportedAndKeepsTheEdits)
{
    EditWithF2(0, Column("qty"));
    Type("12");
    Key(VK_RETURN);
    Run("update " + table + " set qty = 15 where id = 1");  // changed meanwhile
    EXPECT_EQ(Failure(settings, 1113, DISPATCH_METHOD, {0L}), DISP_E_EXCEPTION);
    EXPECT_EQ(Cell(0, Column("qty")), "12");
}

TEST(GridRecordsetUnbound, RefreshAndSaveWithoutARecordsetFail)
{
    IDispatchPtr grid = CreateGridControl();
    IDispatchPtr settings = Object(Get(Object(Get(grid, 19)), 1053));
    EXPECT_EQ(Failure(settings, 1111, DISPATCH_METHOD), DISP_E_EXCEPTION);
    EXPECT_EQ(Failure(settings, 1113, DISPATCH_METHOD, {0L}), DISP_E_EXCEPTION);
}

}  // namespace
}  // namespace tw::grid
