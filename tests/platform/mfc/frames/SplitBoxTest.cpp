// A dynamic splitter that can still split shows a split box; dragging the box
// with the mouse splits where it is let go, and dragging a bar onto the edge
// joins the panes again.
#include <gtest/gtest.h>

#include <string>

#include "platform/display/Display.h"
#include "platform/display/InputInjector.h"
#include "platform/mfc/afxwin.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace {

class BoxPaneView : public CView {
    DECLARE_DYNCREATE(BoxPaneView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(BoxPaneView, CView)

class BoxSplitFrame : public CFrameWnd {
public:
    BoxSplitFrame(int maxRows, int maxCols) : m_maxRows(maxRows), m_maxCols(maxCols) {}
    CSplitterWnd splitter;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return splitter.Create(this, m_maxRows, m_maxCols, CSize(20, 20), pContext);
    }

private:
    int m_maxRows;
    int m_maxCols;
};

void PumpSplitBoxes()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

class SplitBoxTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (IsWindow(frameHwnd))
            DestroyWindow(frameHwnd);
        tw::display::Display::Instance().Input().Clear();
        PumpSplitBoxes();
        AfxDeleteTempMaps();
        tw::ProcessClock::Resume();
    }
    void Make(int maxRows, int maxCols)
    {
        tw::ProcessClock::Freeze();
        tw::display::Display::Instance().Input().Clear();
        doc = new CDocument;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(BoxPaneView);
        context.m_pCurrentDoc = doc;
        frame = new BoxSplitFrame(maxRows, maxCols);
        ASSERT_TRUE(frame->Create(nullptr, "Boxes", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 430, 430),
                                  nullptr, nullptr, 0, &context));
        frameHwnd = frame->m_hWnd;
        frame->InitialUpdateFrame(doc, TRUE);
        PumpSplitBoxes();
    }
    void Drag(CPoint from, CPoint to)
    {
        CSplitterWnd& split = frame->splitter;
        split.ClientToScreen(&from);
        split.ClientToScreen(&to);
        input.Drag(tw::display::MouseButton::Left, from, to, 3);
        PumpSplitBoxes();
    }
    CRect PaneRect(int row, int col) const
    {
        CRect rect;
        frame->splitter.GetPane(row, col)->GetWindowRect(&rect);
        frame->splitter.ScreenToClient(&rect);
        return rect;
    }

    CDocument* doc = nullptr;
    BoxSplitFrame* frame = nullptr;
    HWND frameHwnd = nullptr;
    tw::display::InputInjector input;
};

struct SplitBoxCase {
    const char* name;
    bool rows;      // the row box (along the top) or the column box (along the left)
    int dropAt;     // where the box is let go, along the split direction
    int panes;      // panes afterwards
    int firstSize;  // the first pane's size afterwards
};

class SplitBoxDrag : public SplitBoxTest, public ::testing::WithParamInterface<SplitBoxCase> {};

TEST_P(SplitBoxDrag, SplitsWhereTheBoxIsLetGo)
{
    const SplitBoxCase& c = GetParam();
    Make(c.rows ? 2 : 1, c.rows ? 1 : 2);
    CSplitterWnd& split = frame->splitter;
    const int gap = c.rows ? split.m_cySplitterGap : split.m_cxSplitterGap;
    // The single pane leaves the box's strip free.
    EXPECT_EQ(c.rows ? PaneRect(0, 0).top : PaneRect(0, 0).left, gap);

    const CPoint grab = c.rows ? CPoint(150, gap / 2) : CPoint(gap / 2, 150);
    const CPoint drop = c.rows ? CPoint(150, c.dropAt + gap / 2) : CPoint(c.dropAt + gap / 2, 150);
    Drag(grab, drop);

    EXPECT_EQ(c.rows ? split.GetRowCount() : split.GetColumnCount(), c.panes);
    EXPECT_EQ(GetCapture(), nullptr);
    if (c.panes == 1)
        return;
    int cur = 0, min = 0;
    if (c.rows)
        split.GetRowInfo(0, cur, min);
    else
        split.GetColumnInfo(0, cur, min);
    EXPECT_EQ(cur, c.firstSize);
    // No box once no further split is possible: the panes start at the edge.
    EXPECT_EQ(c.rows ? PaneRect(0, 0).top : PaneRect(0, 0).left, 0);
    CView* second = static_cast<CView*>(c.rows ? split.GetPane(1, 0) : split.GetPane(0, 1));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetDocument(), doc);
}

INSTANTIATE_TEST_SUITE_P(Boxes, SplitBoxDrag,
                         ::testing::Values(SplitBoxCase{"RowBox", true, 120, 2, 120},
                                           SplitBoxCase{"ColumnBox", false, 90, 2, 90},
                                           SplitBoxCase{"LetGoAboveTheMinimum", true, 10, 1, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SplitBoxTest, DraggingTheBarOntoAnEdgeJoinsThePanes)
{
    Make(2, 1);
    CSplitterWnd& split = frame->splitter;
    ASSERT_TRUE(split.SplitRow(150));
    CWnd* lower = split.GetPane(1, 0);
    const int gap = split.m_cySplitterGap;
    Drag(CPoint(100, 150 + gap / 2), CPoint(100, 5));
    EXPECT_EQ(split.GetRowCount(), 1);
    EXPECT_EQ(split.GetPane(0, 0), lower);
    // The box is back, ready for the next split.
    EXPECT_EQ(PaneRect(0, 0).top, gap);
}

COLORREF SplitterPixel(CSplitterWnd& split, int x, int y)
{
    CPoint pt(x, y);
    split.ClientToScreen(&pt);
    return tw::display::Display::Instance().GetScreen().PixelColor(pt.x, pt.y);
}

COLORREF Inverted(COLORREF colour)
{
    return RGB(255 - GetRValue(colour), 255 - GetGValue(colour), 255 - GetBValue(colour));
}

TEST_F(SplitBoxTest, TheTrackerFollowsTheDraggedBoxOverThePanes)
{
    Make(2, 1);
    CSplitterWnd& split = frame->splitter;
    const int gap = split.m_cySplitterGap;
    split.UpdateWindow();
    PumpSplitBoxes();
    const COLORREF at100 = SplitterPixel(split, 150, 100 + gap / 2);
    const COLORREF at150 = SplitterPixel(split, 150, 150 + gap / 2);

    CPoint grab(150, gap / 2);
    split.ClientToScreen(&grab);
    input.ButtonDown(tw::display::MouseButton::Left, grab.x, grab.y);
    input.MouseMove(grab.x, grab.y + 100);
    PumpSplitBoxes();
    EXPECT_EQ(SplitterPixel(split, 150, 100 + gap / 2), Inverted(at100));

    input.MouseMove(grab.x, grab.y + 150);
    PumpSplitBoxes();
    EXPECT_EQ(SplitterPixel(split, 150, 100 + gap / 2), at100) << "the old outline is taken away";
    EXPECT_EQ(SplitterPixel(split, 150, 150 + gap / 2), Inverted(at150));

    input.ButtonUp(tw::display::MouseButton::Left, grab.x, grab.y + 150);
    PumpSplitBoxes();
    EXPECT_EQ(split.GetRowCount(), 2);
    EXPECT_TRUE(split.GetStyle() & WS_CLIPCHILDREN);
}

}  // namespace
