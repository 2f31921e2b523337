// The wrapper as its callers rely on it: creation by CLSID, failures raised
// as the framework's exceptions, sub-objects that let go of the control's
// objects, and calls made from a fetch worker's thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "platform/controls/grid/GridView.h"
#include "platform/mfc/COleException.h"
#include "tests/session/GridWrapperFixture.h"

namespace sessiontest {
namespace {

class GridWrapperTest : public GridWrapperFixture {
protected:
    void FillTwoRows() { Fill(grid, {"Name", "Owner"}, {{"alpha", "dbo"}, {"beta", "guest"}}); }
};

TEST_F(GridWrapperTest, CreateMakesTheControlByItsClsid)
{
    EXPECT_EQ(CdxDBGrid::GetClsid(), CLSID_DataGrid);
    CObject* object = RUNTIME_CLASS(CdxDBGrid)->CreateObject();
    ASSERT_NE(object, nullptr);
    ASSERT_TRUE(object->IsKindOf(RUNTIME_CLASS(CdxDBGrid)));
    auto* made = static_cast<CdxDBGrid*>(object);
    const CRect rect(4, 14, 204, 114);
    ASSERT_TRUE(made->Create("ignored", "ResultGrid", WS_CHILD | WS_VISIBLE, rect, &dialog, 7));
    EXPECT_EQ(dialog.GetDlgItem(7), made);
    char name[64] = {};
    ::GetWindowText(made->m_hWnd, name, sizeof name);
    EXPECT_STREQ(name, "ResultGrid");
    ::GetClassName(made->m_hWnd, name, sizeof name);
    EXPECT_STREQ(name, tw::grid::GridView::kClassName);
    CRect placed;
    made->GetWindowRect(&placed);
    dialog.ScreenToClient(&placed);
    EXPECT_EQ(placed, rect);
    EXPECT_TRUE(made->IsWindowVisible());
    // A fresh control: no stored state.
    EXPECT_EQ(made->GetCount(), 0);
    EXPECT_EQ(made->GetColumns().GetCount(), 0);

    // One window per wrapper, and none without a parent.
    EXPECT_FALSE(made->Create(nullptr, "Again", WS_CHILD, rect, &dialog, 8));
    CdxDBGrid orphan;
    EXPECT_FALSE(orphan.Create(nullptr, "Orphan", WS_CHILD, rect, nullptr, 9));
    EXPECT_EQ(orphan.m_hWnd, nullptr);
    made->DestroyWindow();
    delete made;
}

struct FailingCall {
    const char* what;
    std::function<void(CdxDBGrid&)> call;
    bool raisedByControl;  // COleDispatchException, else COleException
    SCODE scode;
};

// The wrapper catches nothing: every failure reaches the caller as the
// framework's exception, and the grid goes on working.
TEST_F(GridWrapperTest, FailuresReachTheCallerAsTheFrameworksOleExceptions)
{
    FillTwoRows();
    const FailingCall calls[] = {
        {"a row that does not exist", [](CdxDBGrid& g) { g.GetNode(99); }, true, DISP_E_BADINDEX},
        {"a cell that does not exist", [](CdxDBGrid& g) { g.GetNode(0).GetCellText(5); }, true, DISP_E_BADINDEX},
        {"an editor kind that does not exist", [](CdxDBGrid& g) { g.GetColumns().GetItem(0).SetProperty46(99); },
         true, DISP_E_OVERFLOW},
        {"a field defined twice", [](CdxDBGrid& g) { g.GetDataset().GetFieldDefs().Add("Name", 3, 10); }, true,
         E_FAIL},
        {"a field value outside edit state",
         [](CdxDBGrid& g) { g.GetDataset().SetFieldValue("Name", _variant_t("x")); }, true, E_FAIL},
        {"a record number that is no number", [](CdxDBGrid& g) { g.GetDataset().MoveToRecord(_variant_t("two")); },
         false, DISP_E_TYPEMISMATCH},
        {"a record that is no array", [](CdxDBGrid& g) { g.GetDataset().AppendRecord(_variant_t(5L)); }, true,
         DISP_E_TYPEMISMATCH},
        {"a recordset that is not one", [](CdxDBGrid& g) { g.SetRecordset(g.GetDataset().m_lpDispatch); }, false,
         DISP_E_TYPEMISMATCH},
    };
    for (const FailingCall& c : calls) {
        SCOPED_TRACE(c.what);
        try {
            c.call(grid);
            ADD_FAILURE() << "nothing raised";
        } catch (CException* e) {
            const bool fromControl = e->IsKindOf(RUNTIME_CLASS(COleDispatchException));
            EXPECT_EQ(fromControl, c.raisedByControl);
            EXPECT_EQ(COleException::Process(e), c.scode);
            if (fromControl)
                EXPECT_FALSE(static_cast<COleDispatchException*>(e)->m_strDescription.IsEmpty());
            else
                EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(COleException)));
            e->Delete();
        }
    }
    EXPECT_EQ(grid.GetCount(), 2);
    EXPECT_STREQ(grid.GetNode(1).GetCellText(0), "beta");
}

TEST_F(GridWrapperTest, AGridWithoutItsControlRaisesOnEveryCall)
{
    grid.DestroyWindow();
    CdxDBGrid never;
    for (CdxDBGrid* target : {&grid, &never}) {
        try {
            target->GetCount();
            ADD_FAILURE() << "nothing raised";
        } catch (COleException* e) {
            EXPECT_EQ(e->m_sc, E_NOINTERFACE);
            e->Delete();
        }
    }
}

// Each getter hands out a driver holding one reference; when it and its
// copies go out of scope the control's object is gone, and so are the
// references it held on the grid's rows.
TEST_F(GridWrapperTest, SubObjectsReleaseTheirDispatchWhenTheyGoOutOfScope)
{
    FillTwoRows();
    Model(grid).Selection().Select(1);
    const std::shared_ptr<tw::grid::GridModel>& model = Control(grid).Model();
    struct Getter {
        const char* member;
        std::function<COleDispatchDriver()> get;
    };
    const Getter getters[] = {
        {"CdxDBGrid::GetColumns", [&] { return grid.GetColumns(); }},
        {"CdxDBGrid::GetProperty2", [&] { return grid.GetProperty2(); }},
        {"CdxDBGrid::GetNode", [&] { return grid.GetNode(1); }},
        {"CdxDBGrid::GetView", [&] { return grid.GetView(); }},
        {"CdxDBGrid::GetSelection", [&] { return grid.GetSelection(); }},
        {"CdxDBGrid::GetDataset", [&] { return grid.GetDataset(); }},
        {"CdxDBGridDataset::GetSettings", [&] { return grid.GetDataset().GetSettings(); }},
        {"CdxDBGridDataset::GetFieldDefs", [&] { return grid.GetDataset().GetFieldDefs(); }},
        {"CdxDBGridColumns::GetItem", [&] { return grid.GetColumns().GetItem(1); }},
        {"CdxDBGridColumns::Add", [&] { return grid.GetColumns().Add(0); }},
        {"CdxDBGridColumns::ColumnByName", [&] { return grid.GetColumns().ColumnByName("Owner"); }},
        {"CdxDBGridColumns::ColumnByFieldName", [&] { return grid.GetColumns().ColumnByFieldName("Name"); }},
        {"CdxDBGridColumn::GetProperty49", [&] { return grid.GetColumns().GetItem(0).GetProperty49(); }},
        {"CdxDBGridColumn::GetProperty50", [&] { return grid.GetColumns().GetItem(0).GetProperty50(); }},
        {"CdxDBGridColumn::GetEditor", [&] { return grid.GetColumns().GetItem(0).GetEditor(); }},
        {"CdxDBGridColumnEditor::GetItems", [&] { return grid.GetColumns().GetItem(0).GetEditor().GetItems(); }},
        {"CdxDBGridSelection::GetItem", [&] { return grid.GetSelection().GetItem(0); }},
        {"CdxDBGridSelection::GetProperty135", [&] { return grid.GetSelection().GetProperty135(); }},
    };
    const long before = model.use_count();
    for (const Getter& getter : getters) {
        SCOPED_TRACE(getter.member);
        LPDISPATCH object = nullptr;
        {
            COleDispatchDriver driver = getter.get();
            object = driver.m_lpDispatch;
            ASSERT_NE(object, nullptr);
            object->AddRef();
            {
                COleDispatchDriver copy(driver);
                EXPECT_EQ(copy.m_lpDispatch, object);
            }
            EXPECT_GT(model.use_count(), before);
        }
        EXPECT_EQ(object->Release(), 0u);
        EXPECT_EQ(model.use_count(), before);
    }
}

// The fetch worker fills a result grid from its own thread while the
// grid's window belongs to the query window's thread, which keeps pumping.
TEST_F(GridWrapperTest, AWorkerThreadFillsTheGridThroughTheWrapper)
{
    std::atomic<bool> done{false};
    std::string failure;
    std::thread worker([&] {
        try {
            std::vector<std::vector<std::string>> rows;
            for (int r = 0; r < 50; ++r)
                rows.push_back({"name" + std::to_string(r), std::to_string(r * 2)});
            Fill(grid, {"Name", "Doubled"}, rows);
            grid.GetView().CallMethod214();
        } catch (CException* e) {
            char text[256] = {};
            e->GetErrorMessage(text, sizeof text);
            failure = text;
            e->Delete();
        }
        done = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done && std::chrono::steady_clock::now() < deadline) {
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(done) << "the worker did not finish";
    worker.join();
    EXPECT_EQ(failure, "");
    EXPECT_EQ(grid.GetCount(), 50);
    EXPECT_STREQ(grid.GetNode(49).GetCellText(1), "98");
    EXPECT_EQ(Model(grid).Selection().Focused(), 0);
}

}  // namespace
}  // namespace sessiontest
