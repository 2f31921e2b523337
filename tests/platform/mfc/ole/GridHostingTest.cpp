// The data grid hosted by its CLSID: named in a form's and a dialog's
// template, made by CreateControl, called through InvokeHelper, and its
// events handled by the form's event sink map.
#include <gtest/gtest.h>

#include "platform/controls/grid/GridAutomation.h"
#include "platform/controls/grid/GridView.h"
#include "tests/platform/mfc/ole/OleWindowTest.h"
#include "tests/platform/mfc/ole/fixtures/OleFixtures.h"

namespace tw::mfc::ole_test {
namespace {

constexpr DISPID kGridCount = 9;
constexpr DISPID kGridKeyEvent = 53;

class GridDoc : public CDocument {
    DECLARE_DYNCREATE(GridDoc)
};
IMPLEMENT_DYNCREATE(GridDoc, CDocument)

class GridForm : public CFormView {
    DECLARE_DYNCREATE(GridForm)
public:
    GridForm() : CFormView(IDD_GRID_FORM) {}
    short lastKey = 0;
    short lastShift = -1;

protected:
    void OnGridKey(short* key, short shift)
    {
        lastKey = *key;
        lastShift = shift;
        *key = 0;
    }
    DECLARE_EVENTSINK_MAP()
};
IMPLEMENT_DYNCREATE(GridForm, CFormView)
BEGIN_EVENTSINK_MAP(GridForm, CFormView)
    ON_EVENT(GridForm, IDC_GRID, kGridKeyEvent, OnGridKey, VTS_PI2 VTS_I2)
END_EVENTSINK_MAP()

std::string ClassOf(HWND hwnd)
{
    char name[64] = {};
    ::GetClassName(hwnd, name, sizeof name);
    return name;
}

class GridHostingTest : public OleWindowTest {
protected:
    GridForm* MakeForm()
    {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(GridForm);
        context.m_pCurrentDoc = new GridDoc;
        auto* frame = new CFrameWnd;
        if (!frame->Create(nullptr, "Grid form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 400), nullptr,
                           nullptr, 0, &context))
            return nullptr;
        frame->InitialUpdateFrame(context.m_pCurrentDoc, TRUE);
        return dynamic_cast<GridForm*>(frame->GetActiveView());
    }
};

TEST_F(GridHostingTest, FormTemplateNamingTheClsidHostsTheGrid)
{
    GridForm* form = MakeForm();
    ASSERT_NE(form, nullptr);
    CWnd* grid = form->GetDlgItem(IDC_GRID);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(ClassOf(grid->m_hWnd), tw::grid::GridView::kClassName);
    EXPECT_TRUE(grid->IsWindowVisible());
    // Placed by the template's dialog units, as the edit box above it.
    CRect gridRect, nameRect;
    grid->GetWindowRect(&gridRect);
    form->GetDlgItem(IDC_GRID_NAME)->GetWindowRect(&nameRect);
    EXPECT_EQ(gridRect.left, nameRect.left);
    EXPECT_GT(gridRect.top, nameRect.bottom);
    EXPECT_GT(gridRect.Width(), nameRect.Width());

    LONG count = -1;
    grid->GetProperty(kGridCount, VT_I4, &count);
    EXPECT_EQ(count, 0);
    ASSERT_NE(grid->GetControlUnknown(), nullptr);
}

TEST_F(GridHostingTest, GridEventsReachTheFormsSinkMap)
{
    GridForm* form = MakeForm();
    ASSERT_NE(form, nullptr);
    HWND grid = form->GetDlgItem(IDC_GRID)->m_hWnd;
    ::SendMessage(grid, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(form->lastKey, 'A');
    EXPECT_EQ(form->lastShift, 0);
}

TEST_F(GridHostingTest, DialogTemplateHostsTheGridAndLetsGoOfItWithTheDialog)
{
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_GRID_DIALOG, nullptr));
    CWnd* grid = dialog.GetDlgItem(IDC_GRID);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(ClassOf(grid->m_hWnd), tw::grid::GridView::kClassName);
    IUnknown* object = grid->GetControlUnknown();
    ASSERT_NE(object, nullptr);
    object->AddRef();
    dialog.DestroyWindow();
    EXPECT_EQ(object->Release(), 0u);
}

TEST_F(GridHostingTest, CreateControlByProgIdAndByClsid)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "Parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                nullptr));
    CWnd byName;
    ASSERT_TRUE(byName.CreateControl("TwDataGrid.Grid", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &parent,
                                     1200));
    CWnd byId;
    ASSERT_TRUE(byId.CreateControl(CLSID_DataGrid, "", WS_CHILD | WS_VISIBLE, CRect(0, 100, 200, 200), &parent,
                                   1201));
    EXPECT_EQ(parent.GetDlgItem(1200)->m_hWnd, byName.m_hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(byId.m_hWnd), &byId);
    EXPECT_NE(byName.GetControlUnknown(), byId.GetControlUnknown());
    LONG count = -1;
    byId.GetProperty(kGridCount, VT_I4, &count);
    EXPECT_EQ(count, 0);
    // A second window for the same object is refused.
    EXPECT_FALSE(byId.CreateControl(CLSID_DataGrid, "", WS_CHILD, CRect(0, 0, 10, 10), &parent, 1202));
    // The control's object goes with its window.
    IUnknown* object = byName.GetControlUnknown();
    object->AddRef();
    byName.DestroyWindow();
    EXPECT_NE(byId.GetControlUnknown(), nullptr);
    EXPECT_EQ(object->Release(), 0u);
    parent.DestroyWindow();
}

}  // namespace
}  // namespace tw::mfc::ole_test
