// Print preview from a view in a child window of a multiple-document frame:
// the preview takes the main frame's place of the child windows, its bar
// reaches it past the active child, and closing brings the children back.
#include "tests/platform/mfc/print/PagesView.h"
#include "tests/platform/mfc/print/PrintTest.h"

namespace tw::mfc::print_test {
namespace {

class MdiPreviewTest : public PrintTest {
protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        TheApp().m_pMainWnd = nullptr;
        main = new CMDIFrameWnd;
        ASSERT_TRUE(main->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500)));
        mainHwnd = main->m_hWnd;
        TheApp().m_pMainWnd = main;
        auto* pagesDoc = new PagesDoc;
        pagesDoc->SetTitle("Report");
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(PagesView);
        context.m_pCurrentDoc = pagesDoc;
        child = new CMDIChildWnd;
        ASSERT_TRUE(child->Create(nullptr, "Report", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                  CFrameWnd::rectDefault, main, nullptr, 0, &context));
        child->InitialUpdateFrame(pagesDoc, TRUE);
        view = static_cast<PagesView*>(child->GetActiveView());
        Pump();
    }
    void TearDown() override
    {
        if (IsWindow(mainHwnd))
            DestroyWindow(mainHwnd);
        PrintTest::TearDown();
    }
    void Command(UINT nID)
    {
        main->SendMessage(WM_COMMAND, nID, 0);
        Pump();
    }

    CMDIFrameWnd* main = nullptr;
    HWND mainHwnd = nullptr;
    CMDIChildWnd* child = nullptr;
    PagesView* view = nullptr;
};

TEST_F(MdiPreviewTest, ThePreviewReplacesTheChildWindowsUntilClosed)
{
    ASSERT_NE(view, nullptr);
    Command(ID_FILE_PRINT_PREVIEW);
    auto* preview = DYNAMIC_DOWNCAST(CPreviewView, main->GetActiveView());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(::GetParent(preview->m_hWnd), mainHwnd);
    EXPECT_FALSE(IsWindowVisible(main->m_hWndMDIClient));

    Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 2u) << "the bar's commands pass the active child";

    Command(AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(main->GetActiveView(), nullptr);
    EXPECT_TRUE(IsWindowVisible(main->m_hWndMDIClient));
    EXPECT_EQ(GetDlgCtrlID(main->m_hWndMDIClient), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(main->MDIGetActive(), child);
    EXPECT_EQ(child->GetActiveView(), view);
}

TEST_F(MdiPreviewTest, ClosingTheMainFrameDuringPreviewClosesOnlyThePreview)
{
    ASSERT_NE(view, nullptr);
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(DYNAMIC_DOWNCAST(CPreviewView, main->GetActiveView()), nullptr);
    main->SendMessage(WM_CLOSE);
    Pump();
    ASSERT_TRUE(IsWindow(mainHwnd));
    EXPECT_EQ(main->GetActiveView(), nullptr);
    EXPECT_EQ(main->MDIGetActive(), child) << "the child is not closed";
    EXPECT_TRUE(IsWindowVisible(main->m_hWndMDIClient));
}

}  // namespace
}  // namespace tw::mfc::print_test
