// A preview whose view cannot be made: the start fails, the frame gets its
// view and bars back, and the state stays the caller's to delete.
#include "tests/platform/mfc/print/PagesView.h"
#include "tests/platform/mfc/print/PrintTest.h"

namespace tw::mfc::print_test {
namespace {

class RefusingPreviewView : public CPreviewView {
    DECLARE_DYNCREATE(RefusingPreviewView)
protected:
    int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(RefusingPreviewView, CPreviewView)
BEGIN_MESSAGE_MAP(RefusingPreviewView, CPreviewView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class PreviewStartFailureTest : public PrintTest {
protected:
    void SetUp() override
    {
        doc = new PagesDoc;
        viewClass = RUNTIME_CLASS(PagesView);
        PrintTest::SetUp();
        view = static_cast<PagesView*>(frame->GetActiveView());
    }
    PagesView* view = nullptr;
};

TEST_F(PreviewStartFailureTest, AViewThatCannotBeMadeFailsTheStartAndLeavesTheFrameAsItWas)
{
    ASSERT_NE(view, nullptr);
    auto* pState = new CPrintPreviewState;
    EXPECT_FALSE(view->DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, view, RUNTIME_CLASS(RefusingPreviewView), pState));
    Pump();
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_TRUE(::IsWindowVisible(view->m_hWnd));
    EXPECT_EQ(::GetDlgItem(frameHwnd, AFX_IDW_PANE_FIRST), view->m_hWnd);
    EXPECT_EQ(::GetDlgItem(frameHwnd, AFX_IDW_PREVIEW_BAR), nullptr);
    EXPECT_EQ(pState->pViewActiveOld, view) << "the state is still there for its owner";
    delete pState;
}

}  // namespace
}  // namespace tw::mfc::print_test
