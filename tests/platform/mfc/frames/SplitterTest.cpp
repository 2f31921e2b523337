// A frame split into two rows of views: pane ids, sizes by row, layout, the
// first pane found as the frame's view, and the bar dragged by the mouse.
#include <gtest/gtest.h>

#include <mutex>

#include "platform/display/Display.h"
#include "platform/display/InputInjector.h"
#include "platform/mfc/afxwin.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace {

class PaneView : public CView {
    DECLARE_DYNCREATE(PaneView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(PaneView, CView)

class SplitFrame : public CFrameWnd {
public:
    CSplitterWnd splitter;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return splitter.CreateStatic(this, 2, 1) &&
               splitter.CreateView(0, 0, RUNTIME_CLASS(PaneView), CSize(0, 100), pContext) &&
               splitter.CreateView(1, 0, RUNTIME_CLASS(PaneView), CSize(0, 50), pContext);
    }
};

void PumpSplitter()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

class SplitterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw::ProcessClock::Freeze();
        tw::display::Display::Instance().Input().Clear();
        doc = new CDocument;
        CCreateContext context;
        context.m_pCurrentDoc = doc;
        frame = new SplitFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Split", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 420, 420),
                                  nullptr, nullptr, 0, &context));
        frame->InitialUpdateFrame(doc, TRUE);
        frameHwnd = frame->m_hWnd;
        PumpSplitter();
    }
    void TearDown() override
    {
        if (IsWindow(frameHwnd))
            DestroyWindow(frameHwnd);
        PumpSplitter();
        AfxDeleteTempMaps();
        tw::ProcessClock::Resume();
    }
    CRect PaneRect(int row) const
    {
        CRect rect;
        frame->splitter.GetPane(row, 0)->GetWindowRect(&rect);
        frame->splitter.ScreenToClient(&rect);
        return rect;
    }

    CDocument* doc = nullptr;
    SplitFrame* frame = nullptr;
    HWND frameHwnd = nullptr;
};

TEST_F(SplitterTest, PanesTakeTheirRowsAndTheFirstIsTheFramesView)
{
    CSplitterWnd& split = frame->splitter;
    EXPECT_EQ(split.IdFromRowCol(0, 0), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(split.IdFromRowCol(1, 0), AFX_IDW_PANE_FIRST + 16);
    EXPECT_EQ(split.GetPane(0, 0), frame->GetActiveView());
    EXPECT_EQ(split.GetPane(2, 0), nullptr);
    EXPECT_EQ(static_cast<CView*>(split.GetPane(1, 0))->GetDocument(), doc);

    CRect client;
    split.GetClientRect(&client);
    int cur = 0, min = 0;
    split.GetRowInfo(0, cur, min);
    EXPECT_EQ(cur, 100);
    EXPECT_EQ(PaneRect(0), CRect(0, 0, client.right, 100));
    EXPECT_EQ(PaneRect(1), CRect(0, 100 + split.m_cySplitterGap, client.right, client.bottom));

    // A row below its minimum is hidden, and the other takes the space.
    split.SetRowInfo(0, 30, 40);
    split.RecalcLayout();
    split.GetRowInfo(0, cur, min);
    EXPECT_EQ(cur, 0);
    EXPECT_FALSE(split.GetPane(0, 0)->IsWindowVisible());
}

TEST_F(SplitterTest, DraggingTheBarWithTheMouseResizesTheRows)
{
    CSplitterWnd& split = frame->splitter;
    CPoint from(50, 100 + split.m_cySplitterGap / 2);
    CPoint to(50, 160 + split.m_cySplitterGap / 2);
    split.ClientToScreen(&from);
    split.ClientToScreen(&to);
    tw::display::InputInjector input;
    input.Drag(tw::display::MouseButton::Left, from, to, 3);
    PumpSplitter();
    int cur = 0, min = 0;
    split.GetRowInfo(0, cur, min);
    EXPECT_EQ(cur, 160);
    EXPECT_EQ(PaneRect(1).top, 160 + split.m_cySplitterGap);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SplitterTest, DeletingTheActivePaneActivatesAnother)
{
    CSplitterWnd& split = frame->splitter;
    CWnd* lower = split.GetPane(1, 0);
    split.DeleteView(0, 0);
    EXPECT_EQ(split.GetPane(0, 0), nullptr);
    EXPECT_EQ(frame->GetActiveView(), lower);
}

class DynamicSplitFrame : public CFrameWnd {
public:
    CSplitterWnd splitter;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return splitter.Create(this, 2, 1, CSize(10, 10), pContext);
    }
};

int ViewCount(CDocument* doc)
{
    int count = 0;
    for (POSITION pos = doc->GetFirstViewPosition(); pos; doc->GetNextView(pos))
        ++count;
    return count;
}

TEST(DynamicSplitterTest, SplitAddsPanesOnTheDocumentAndDeleteRenumbers)
{
    tw::ProcessClock::Freeze();
    auto* doc = new CDocument;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(PaneView);
    context.m_pCurrentDoc = doc;
    auto* frame = new DynamicSplitFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Dynamic", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 300), nullptr,
                              nullptr, 0, &context));
    HWND frameHwnd = frame->m_hWnd;
    frame->InitialUpdateFrame(doc, TRUE);
    CSplitterWnd& split = frame->splitter;
    EXPECT_TRUE(split.IsDynamic());
    EXPECT_EQ(split.GetRowCount(), 1);

    EXPECT_FALSE(split.SplitRow(5));  // below the minimum
    ASSERT_TRUE(split.SplitRow(80));
    EXPECT_EQ(split.GetRowCount(), 2);
    EXPECT_EQ(ViewCount(doc), 2);
    auto* lower = static_cast<CView*>(split.GetPane(1, 0));
    ASSERT_NE(lower, nullptr);
    EXPECT_EQ(lower->GetDocument(), doc);
    int cur = 0, min = 0;
    split.GetRowInfo(0, cur, min);
    EXPECT_EQ(cur, 80);
    EXPECT_EQ(min, 10);
    EXPECT_FALSE(split.SplitRow(40));  // two rows at most
    EXPECT_FALSE(split.SplitColumn(40));

    split.DeleteRow(0);
    EXPECT_EQ(split.GetRowCount(), 1);
    EXPECT_EQ(split.GetPane(0, 0), lower);
    EXPECT_EQ(lower->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(frame->GetActiveView(), lower);
    EXPECT_EQ(ViewCount(doc), 1);

    DestroyWindow(frameHwnd);
    AfxDeleteTempMaps();
    tw::ProcessClock::Resume();
}

}  // namespace
