// A scroll view larger than its window: bar ranges, scrolling by the bars'
// codes and the wheel within the total, and the drawing origin moved.
#include <gtest/gtest.h>

#include "platform/mfc/afxwin.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace {

class SheetView : public CScrollView {
    DECLARE_DYNCREATE(SheetView)
public:
    CPoint originSeen;
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override { SetScrollSizes(MM_TEXT, CSize(1000, 2000), CSize(0, 0), CSize(10, 20)); }
    CPoint OriginFor()
    {
        CClientDC dc(this);
        OnPrepareDC(&dc);
        return dc.GetViewportOrg();
    }
};
IMPLEMENT_DYNCREATE(SheetView, CScrollView)

class ScrollViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw::ProcessClock::Freeze();
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(SheetView);
        auto* frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Sheet", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 300),
                                  nullptr, nullptr, 0, &context));
        frameHwnd = frame->m_hWnd;
        frame->InitialUpdateFrame(nullptr, TRUE);
        view = static_cast<SheetView*>(frame->GetActiveView());
    }
    void TearDown() override
    {
        DestroyWindow(frameHwnd);
        AfxDeleteTempMaps();
        tw::ProcessClock::Resume();
    }
    HWND frameHwnd = nullptr;
    SheetView* view = nullptr;
};

TEST_F(ScrollViewTest, ScrollsWithinTheTotalAndMovesTheOrigin)
{
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetTotalSize(), CSize(1000, 2000));
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));
    CRect client;
    view->GetClientRect(&client);

    struct Step {
        UINT message;
        UINT code;
        CPoint expected;
    };
    const Step steps[] = {
        {WM_VSCROLL, SB_LINEDOWN, CPoint(0, 20)},
        {WM_HSCROLL, SB_LINEDOWN, CPoint(10, 20)},
        {WM_VSCROLL, SB_PAGEDOWN, CPoint(10, 20 + client.Height())},
        {WM_VSCROLL, SB_BOTTOM, CPoint(10, 2000 - client.Height())},
        {WM_VSCROLL, SB_LINEDOWN, CPoint(10, 2000 - client.Height())},  // stays at the end
        {WM_HSCROLL, SB_TOP, CPoint(0, 2000 - client.Height())},
        {WM_HSCROLL, SB_LINEUP, CPoint(0, 2000 - client.Height())},     // and at the start
    };
    for (const Step& step : steps) {
        view->SendMessage(step.message, MAKEWPARAM(step.code, 0), 0);
        EXPECT_EQ(view->GetScrollPosition(), step.expected) << step.message << " " << step.code;
    }
    EXPECT_EQ(view->OriginFor(), CPoint(0, -(2000 - client.Height())));

    view->ScrollToPosition(CPoint(5, 100));
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(5, 160));  // three lines a notch
}

TEST_F(ScrollViewTest, OtherMappingModesAreRefused)
{
    view->SetScrollSizes(MM_TEXT + 1, CSize(5, 5));
    EXPECT_EQ(view->GetTotalSize(), CSize(1000, 2000));
}

}  // namespace
