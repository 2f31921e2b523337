// Every member of the data-grid wrapper called once, in the order a program
// builds, fills, reads and edits a grid, each checked by what the control
// then holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "tests/platform/ado/AdoTestSupport.h"
#include "tests/session/GridWrapperFixture.h"

namespace sessiontest {
namespace {

using tw::grid::DataState;
using tw::grid::EditorKind;
using tw::grid::FieldType;

std::string FileText(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct MemberStep {
    const char* member;
    std::function<void()> call;
    std::function<void()> check;
};

void RunSteps(const std::vector<MemberStep>& steps)
{
    for (const MemberStep& step : steps) {
        SCOPED_TRACE(step.member);
        try {
            step.call();
        } catch (CException* e) {
            char text[256] = {};
            e->GetErrorMessage(text, sizeof text);
            e->Delete();
            FAIL() << "raised: " << text;
        }
        step.check();
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

class GridMembersTest : public GridWrapperFixture {
protected:
    tw::grid::GridModel& M() { return Model(grid); }
    tw::grid::GridColumn& ColumnAt(int index) { return *M().Columns().Item(index); }
    std::string Cell(int row, int field) { return std::string(M().Dataset().Text(row, field)); }
    int Focused() { return M().Selection().Focused(); }
    bool OptionValue(int index)
    {
        bool value = false;
        EXPECT_TRUE(Control(grid).Option(index, value)) << "option " << index << " not set";
        return value;
    }
    IDispatch* ControlDispatch() { return &Control(grid); }
};

TEST_F(GridMembersTest, EveryMemberReachesTheControl)
{
    CdxDBGridColumns columns;
    CdxDBGridColumn name, owner, part;
    CdxDBGridColumnEditor editor;
    CdxDBGridStrings strings;
    CdxDBGridDataset dataset;
    CdxDBGridFieldDefs fieldDefs;
    CdxDBGridNode node;
    CdxDBGridSelection selection;
    CdxDBGridView view;
    CdxDBGridProperty2 look;
    LONG number = -1;
    CString text;

    const std::vector<MemberStep> steps = {
        // --- the grid's own properties ---
        {"CdxDBGrid::SetDatasetType", [&] { grid.SetDatasetType(1); },
         [&] { EXPECT_EQ(long(Read(ControlDispatch(), 20)), 1); }},
        {"CdxDBGrid::SetOptionIndex", [&] { grid.SetOptionIndex(67); },
         [&] {
             // The next value lands on the option chosen.
             Write(ControlDispatch(), 4, false);
             EXPECT_FALSE(OptionValue(67));
         }},
        {"CdxDBGrid::SetOptionValue",
         [&] {
             Write(ControlDispatch(), 3, 18L);
             grid.SetOptionValue(TRUE);
         },
         [&] { EXPECT_TRUE(OptionValue(18)); }},
        {"CdxDBGrid::SetOptionExIndex", [&] { grid.SetOptionExIndex(1); },
         [&] {
             Write(ControlDispatch(), 6, true);
             bool value = false;
             EXPECT_TRUE(Control(grid).OptionEx(1, value) && value);
         }},
        {"CdxDBGrid::SetOptionExValue",
         [&] {
             Write(ControlDispatch(), 5, 2L);
             grid.SetOptionExValue(FALSE);
         },
         [&] {
             bool value = true;
             EXPECT_TRUE(Control(grid).OptionEx(2, value));
             EXPECT_FALSE(value);
         }},
        {"CdxDBGrid::SetProperty41", [&] { grid.SetProperty41(1); },
         [&] {
             const _variant_t value = Read(ControlDispatch(), 41);
             EXPECT_EQ(value.vt, VT_I4);
             EXPECT_EQ(long(value), 1);
         }},
        {"CdxDBGrid::SetProperty46", [&] { grid.SetProperty46(TRUE); },
         [&] {
             const _variant_t value = Read(ControlDispatch(), 46);
             EXPECT_EQ(value.vt, VT_BOOL);
             EXPECT_EQ(value.boolVal, VARIANT_TRUE);
         }},
        {"CdxDBGrid::SetKeyField", [&] { grid.SetKeyField("Name"); },
         [&] { EXPECT_STREQ(static_cast<const char*>(_bstr_t(Read(ControlDispatch(), 10))), "Name"); }},

        // --- columns and field definitions ---
        {"CdxDBGrid::GetColumns", [&] { columns = grid.GetColumns(); },
         [&] { EXPECT_EQ(long(Read(columns.m_lpDispatch, 1)), 0); }},
        {"CdxDBGridColumns::Add", [&] { name = columns.Add(1); },
         [&] {
             EXPECT_EQ(M().Columns().Count(), 1);
             EXPECT_EQ(long(Read(name.m_lpDispatch, 47)), 0);
         }},
        {"CdxDBGridColumn::SetFieldName", [&] { name.SetFieldName("Name"); },
         [&] { EXPECT_EQ(ColumnAt(0).fieldName, "Name"); }},
        {"CdxDBGridColumn::SetCaption", [&] { name.SetCaption("Object name"); },
         [&] { EXPECT_EQ(ColumnAt(0).caption, "Object name"); }},
        {"CdxDBGridColumn::SetName", [&] { name.SetName("Name"); }, [&] { EXPECT_EQ(ColumnAt(0).name, "Name"); }},
        {"CdxDBGridColumn::SetProperty25", [&] { name.SetProperty25(0); },
         [&] { EXPECT_EQ(ColumnAt(0).numbered.count(25), 1u); }},
        {"CdxDBGridColumn::SetProperty19", [&] { name.SetProperty19(1); },
         [&] { EXPECT_EQ(ColumnAt(0).numbered[19], 1); }},
        {"CdxDBGridColumn::SetProperty1", [&] { name.SetProperty1(1); },
         [&] { EXPECT_EQ(ColumnAt(0).numbered[1], 1); }},
        {"CdxDBGridColumn::SetProperty24", [&] { name.SetProperty24(FALSE); },
         [&] { EXPECT_FALSE(ColumnAt(0).editable); }},
        {"CdxDBGridColumn::SetProperty46", [&] { name.SetProperty46(7); },
         [&] { EXPECT_EQ(ColumnAt(0).editor, EditorKind::PickList); }},
        {"CdxDBGridColumn::SetWidth", [&] { name.SetWidth(128); }, [&] { EXPECT_EQ(ColumnAt(0).width, 128); }},
        {"CdxDBGridColumn::GetWidth",
         [&] {
             M().Columns().SetWidth(0, 96);
             number = name.GetWidth();
         },
         [&] { EXPECT_EQ(number, 96); }},
        {"CdxDBGridColumn::GetCaption", [&] { text = name.GetCaption(); },
         [&] { EXPECT_STREQ(text, "Object name"); }},
        {"CdxDBGrid::GetDataset", [&] { dataset = grid.GetDataset(); },
         [&] { EXPECT_EQ(bool(Read(dataset.m_lpDispatch, 1001)), false); }},
        {"CdxDBGridDataset::GetFieldDefs", [&] { fieldDefs = dataset.GetFieldDefs(); },
         [&] { EXPECT_NE(fieldDefs.m_lpDispatch, nullptr); }},
        {"CdxDBGridFieldDefs::Add",
         [&] {
             fieldDefs.Add("Name", 3, 26);
             fieldDefs.Add("Owner", 4, 10);
         },
         [&] {
             ASSERT_EQ(M().Dataset().FieldCount(), 2);
             EXPECT_EQ(M().Dataset().Field(0).name, "Name");
             EXPECT_EQ(M().Dataset().Field(0).type, FieldType::String);
             EXPECT_EQ(M().Dataset().Field(0).size, 26);
             EXPECT_EQ(M().Dataset().Field(1).type, FieldType::Boolean);
         }},
        {"CdxDBGridColumns::GetCount",
         [&] {
             // A second column whose own name differs from its field's.
             owner = columns.Add(1);
             owner.SetFieldName("Owner");
             owner.SetName("COLUMNOwner");
             owner.SetCaption("Owner");
             number = columns.GetCount();
         },
         [&] { EXPECT_EQ(number, 2); }},
        {"CdxDBGridColumn::GetIndex", [&] { number = owner.GetIndex(); }, [&] { EXPECT_EQ(number, 1); }},
        {"CdxDBGridColumns::GetItem", [&] { text = columns.GetItem(1).GetCaption(); },
         [&] { EXPECT_STREQ(text, "Owner"); }},
        {"CdxDBGridColumns::ColumnByName", [&] { number = columns.ColumnByName("Owner").GetIndex(); },
         [&] { EXPECT_EQ(number, 1); }},
        {"CdxDBGridColumns::ColumnByFieldName", [&] { number = columns.ColumnByFieldName("COLUMNOwner").GetIndex(); },
         [&] { EXPECT_EQ(number, 1); }},
        {"CdxDBGridColumn::GetProperty49", [&] { part = name.GetProperty49(); },
         [&] { EXPECT_NE(part.m_lpDispatch, nullptr); }},
        {"CdxDBGridColumn::SetProperty105", [&] { part.SetProperty105(1); },
         [&] { EXPECT_EQ(long(Read(part.m_lpDispatch, 105)), 1); }},
        {"CdxDBGridColumn::GetProperty50", [&] { part = name.GetProperty50(); },
         [&] { EXPECT_EQ(long(Read(part.m_lpDispatch, 115)), 0); }},
        {"CdxDBGridColumn::SetProperty115", [&] { part.SetProperty115(TRUE); },
         [&] { EXPECT_NE(long(Read(part.m_lpDispatch, 115)), 0); }},
        {"CdxDBGridColumn::CallMethod64", [&] { name.CallMethod64(); },
         [&] { EXPECT_EQ(ColumnAt(0).numbered[64], 1); }},
        {"CdxDBGridColumn::GetEditor", [&] { editor = name.GetEditor(); },
         [&] { EXPECT_NE(editor.m_lpDispatch, nullptr); }},
        {"CdxDBGridColumnEditor::SetProperty152", [&] { editor.SetProperty152(TRUE); },
         [&] { EXPECT_NE(ColumnAt(0).numbered[152], 0); }},
        {"CdxDBGridColumnEditor::SetProperty153", [&] { editor.SetProperty153(FALSE); },
         [&] {
             ASSERT_EQ(ColumnAt(0).numbered.count(153), 1u);
             EXPECT_EQ(ColumnAt(0).numbered[153], 0);
         }},
        {"CdxDBGridColumnEditor::GetItems", [&] { strings = editor.GetItems(); },
         [&] { EXPECT_EQ(long(Read(strings.m_lpDispatch, 1)), 0); }},
        {"CdxDBGridStrings::Add",
         [&] {
             strings.Add("bigint");
             number = strings.Add("smallint");
         },
         [&] {
             EXPECT_EQ(number, 1);
             EXPECT_EQ(ColumnAt(0).pickList, (std::vector<std::string>{"bigint", "smallint"}));
         }},
        {"CdxDBGridStrings::GetCount", [&] { number = strings.GetCount(); }, [&] { EXPECT_EQ(number, 2); }},
        {"CdxDBGridStrings::Clear", [&] { strings.Clear(); }, [&] { EXPECT_TRUE(ColumnAt(0).pickList.empty()); }},

        // --- filling and moving ---
        {"CdxDBGridDataset::DisableControls", [&] { dataset.DisableControls(); },
         [&] { EXPECT_TRUE(M().ControlsDisabled()); }},
        {"CdxDBGridDataset::Open", [&] { dataset.Open(); }, [&] { EXPECT_TRUE(M().Active()); }},
        {"CdxDBGridDataset::AppendRecord",
         [&] {
             for (const char* row : {"alpha", "beta", "gamma"})
                 dataset.AppendRecord(Record({row, "0"}));
         },
         [&] {
             ASSERT_EQ(M().Dataset().RowCount(), 3);
             EXPECT_EQ(Cell(1, 0), "beta");
             EXPECT_EQ(Cell(2, 1), "False");
         }},
        {"CdxDBGridDataset::EnableControls", [&] { dataset.EnableControls(); },
         [&] { EXPECT_FALSE(M().ControlsDisabled()); }},
        {"CdxDBGridDataset::First", [&] { dataset.First(); }, [&] { EXPECT_EQ(Focused(), 0); }},
        {"CdxDBGridDataset::Next", [&] { dataset.Next(); }, [&] { EXPECT_EQ(Focused(), 1); }},
        {"CdxDBGridDataset::Prior", [&] { dataset.Prior(); }, [&] { EXPECT_EQ(Focused(), 0); }},
        {"CdxDBGridDataset::Last", [&] { dataset.Last(); }, [&] { EXPECT_EQ(Focused(), 2); }},
        {"CdxDBGridDataset::MoveToRecord", [&] { dataset.MoveToRecord(_variant_t(2L)); },
         [&] { EXPECT_EQ(Focused(), 1); }},
        {"CdxDBGridDataset::GetRecordCount", [&] { number = dataset.GetRecordCount(); },
         [&] { EXPECT_EQ(number, 3); }},
        {"CdxDBGrid::GetCount", [&] { number = grid.GetCount(); }, [&] { EXPECT_EQ(number, 3); }},
        {"CdxDBGrid::GetNode", [&] { node = grid.GetNode(2); }, [&] { EXPECT_EQ(long(Read(node.m_lpDispatch, 17)), 2); }},
        {"CdxDBGridNode::GetCellText", [&] { text = node.GetCellText(0); }, [&] { EXPECT_STREQ(text, "gamma"); }},
        {"CdxDBGridNode::GetProperty17", [&] { number = grid.GetNode(1).GetProperty17(); },
         [&] { EXPECT_EQ(number, 1); }},

        // --- editing the records ---
        {"CdxDBGridDataset::Edit", [&] { dataset.Edit(); }, [&] { EXPECT_EQ(M().State(), DataState::Edit); }},
        {"CdxDBGridDataset::SetFieldValue", [&] { dataset.SetFieldValue("Name", _variant_t("BETA")); },
         [&] { EXPECT_EQ(Cell(1, 0), "BETA"); }},
        {"CdxDBGridDataset::Post", [&] { dataset.Post(); }, [&] { EXPECT_EQ(M().State(), DataState::Browse); }},
        {"CdxDBGridDataset::Append", [&] { dataset.Append(); },
         [&] {
             EXPECT_EQ(M().Dataset().RowCount(), 4);
             EXPECT_EQ(Focused(), 3);
             EXPECT_EQ(M().State(), DataState::Insert);
         }},
        {"CdxDBGridDataset::Delete", [&] { dataset.Delete(); },
         [&] {
             EXPECT_EQ(M().Dataset().RowCount(), 3);
             EXPECT_EQ(Focused(), 2);
         }},

        // --- selection and the view ---
        {"CdxDBGrid::GetSelection",
         [&] {
             M().Selection().Clear();
             M().Selection().Select(0);
             M().Selection().Select(2);
             M().Selection().SetFocused(2);
             selection = grid.GetSelection();
         },
         [&] { EXPECT_NE(selection.m_lpDispatch, nullptr); }},
        {"CdxDBGridSelection::GetCount", [&] { number = selection.GetCount(); }, [&] { EXPECT_EQ(number, 2); }},
        {"CdxDBGridSelection::GetItem", [&] { number = selection.GetItem(1).GetProperty17(); },
         [&] { EXPECT_EQ(number, 2); }},
        {"CdxDBGridSelection::GetProperty135", [&] { text = selection.GetProperty135().GetCellText(0); },
         [&] { EXPECT_STREQ(text, "gamma"); }},
        {"CdxDBGrid::GetView", [&] { view = grid.GetView(); }, [&] { EXPECT_NE(view.m_lpDispatch, nullptr); }},
        {"CdxDBGridView::CallMethod214",
         [&] {
             M().Columns().SetWidth(0, 400);
             view.CallMethod214();
         },
         [&] {
             // Fitted to "Object name" and the short cells below it.
             EXPECT_LT(ColumnAt(0).width, 400);
             EXPECT_GT(ColumnAt(0).width, 20);
         }},
        {"CdxDBGridView::SaveToText", [&] { view.SaveToText("rows.txt"); },
         [&] { EXPECT_NE(FileText("rows.txt").find("BETA"), std::string::npos); }},
        {"CdxDBGridView::SaveToHtml", [&] { view.SaveToHtml("rows.html"); },
         [&] { EXPECT_NE(FileText("rows.html").find("gamma"), std::string::npos); }},
        {"CdxDBGridView::SaveToExcel", [&] { view.SaveToExcel("rows.xlsx"); },
         [&] { EXPECT_EQ(FileText("rows.xlsx").substr(0, 2), "PK"); }},
        {"CdxDBGridView::SaveToXml", [&] { view.SaveToXml("rows.xml"); },
         [&] { EXPECT_NE(FileText("rows.xml").find("alpha"), std::string::npos); }},
        {"CdxDBGridView::DeleteSelection", [&] { view.DeleteSelection(); },
         [&] {
             ASSERT_EQ(M().Dataset().RowCount(), 1);
             EXPECT_EQ(Cell(0, 0), "BETA");
         }},
        {"CdxDBGrid::GetProperty2", [&] { look = grid.GetProperty2(); },
         [&] { EXPECT_EQ(long(Read(look.m_lpDispatch, 2)), 0); }},
        {"CdxDBGridProperty2::CallMethod2", [&] { look.CallMethod2(6); },
         [&] { EXPECT_EQ(long(Read(look.m_lpDispatch, 2)), 6); }},

        // --- taking the grid down ---
        {"CdxDBGridDataset::Close", [&] { dataset.Close(); },
         [&] {
             EXPECT_FALSE(M().Active());
             EXPECT_EQ(M().Dataset().RowCount(), 0);
         }},
        {"CdxDBGridColumns::DestroyColumns", [&] { columns.DestroyColumns(); },
         [&] { EXPECT_EQ(M().Columns().Count(), 0); }},
    };
    RunSteps(steps);
}

// The edit-mode grid: a recordset of the embedded server shown, edited and
// saved through the grid.
TEST_F(GridMembersTest, RecordsetMembersReachTheControl)
{
    ADODB::_ConnectionPtr connection = adotest::OpenEmbedded();
    connection->Execute("create table tempdb..WrapperStock (id int, name varchar(20), qty int)", nullptr,
                        ADODB::adCmdText);
    connection->Execute("insert tempdb..WrapperStock values (1, 'a', 10) insert tempdb..WrapperStock values (2, 'b', 20)",
                        nullptr, ADODB::adCmdText);
    ADODB::_RecordsetPtr recordset("ADODB.Recordset");
    recordset->Open("select * from tempdb..WrapperStock order by id", _variant_t(static_cast<IDispatch*>(connection)),
                    ADODB::adOpenKeyset, ADODB::adLockBatchOptimistic, ADODB::adCmdText);
    auto quantityOnServer = [] {
        ADODB::_ConnectionPtr reader = adotest::OpenEmbedded();
        return long(reader->Execute("select qty from tempdb..WrapperStock where id = 1", nullptr, ADODB::adCmdText)
                        ->GetCollect(0L));
    };

    CdxDBGridDataset dataset;
    CdxDBGridDatasetSettings settings;
    const std::vector<MemberStep> steps = {
        {"CdxDBGrid::SetRecordset", [&] { grid.SetRecordset(recordset); },
         [&] {
             EXPECT_TRUE(M().Bound());
             EXPECT_EQ(M().Dataset().FieldCount(), 3);
         }},
        {"CdxDBGridDataset::SetActive",
         [&] {
             dataset = grid.GetDataset();
             dataset.SetActive(TRUE);
         },
         [&] {
             EXPECT_TRUE(M().Active());
             EXPECT_EQ(M().Dataset().RowCount(), 2);
         }},
        {"CdxDBGridColumns::CallMethod332", [&] { grid.GetColumns().CallMethod332(); },
         [&] {
             ASSERT_EQ(M().Columns().Count(), 3);
             EXPECT_EQ(ColumnAt(2).fieldName, "qty");
         }},
        {"CdxDBGridDataset::GetSettings", [&] { settings = dataset.GetSettings(); },
         [&] { EXPECT_NE(settings.m_lpDispatch, nullptr); }},
        {"CdxDBGridDatasetSettings::SetProperty1104", [&] { settings.SetProperty1104(1); },
         [&] { EXPECT_EQ(long(Read(settings.m_lpDispatch, 1104)), 1); }},
        {"CdxDBGridDatasetSettings::SetProperty1105", [&] { settings.SetProperty1105(7); },
         [&] { EXPECT_EQ(long(Read(settings.m_lpDispatch, 1105)), 7); }},
        {"CdxDBGridDatasetSettings::SetProperty1106", [&] { settings.SetProperty1106(4); },
         [&] { EXPECT_EQ(long(Read(settings.m_lpDispatch, 1106)), 4); }},
        {"CdxDBGridDatasetSettings::CallMethod1113",
         [&] {
             dataset.First();
             dataset.Edit();
             dataset.SetFieldValue("qty", _variant_t(11L));
             dataset.Post();
             ASSERT_EQ(quantityOnServer(), 10);  // kept by the recordset until saved
             settings.CallMethod1113(0);
         },
         [&] { EXPECT_EQ(quantityOnServer(), 11); }},
        {"CdxDBGridDatasetSettings::CallMethod1111",
         [&] {
             connection->Execute("update tempdb..WrapperStock set name = 'changed' where id = 2", nullptr,
                                 ADODB::adCmdText);
             settings.CallMethod1111();
         },
         [&] { EXPECT_EQ(Cell(1, 1), "changed"); }},
    };
    RunSteps(steps);
    connection->Execute("drop table tempdb..WrapperStock", nullptr, ADODB::adCmdText);
}

}  // namespace
}  // namespace sessiontest
