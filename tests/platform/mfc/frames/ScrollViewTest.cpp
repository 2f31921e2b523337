// A scroll view larger than its window: bar ranges, scrolling by the bars'
// codes and the wheel within the total, the drawing origin moved, and sizes
// and positions in the fixed-measure mapping modes.
#include <gtest/gtest.h>

#include <string>

#include "platform/mfc/CPrintInfo.h"
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


// A view whose sizes the test sets, in any mapping mode.
class MeasuredView : public CScrollView {
    DECLARE_DYNCREATE(MeasuredView)
public:
    void OnDraw(CDC*) override {}
    using CScrollView::MM_SCALETOFIT;
};
IMPLEMENT_DYNCREATE(MeasuredView, CScrollView)

struct MappingCase {
    const char* name;
    int mode;
    CSize letterPage;  // 8.5 by 11 inches in the mode's units
    int oneInchDown;   // a logical y one inch below the top
};

class ScrollMapping : public ::testing::TestWithParam<MappingCase> {
protected:
    void SetUp() override
    {
        tw::ProcessClock::Freeze();
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(MeasuredView);
        auto* frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Measured", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 300),
                                  nullptr, nullptr, 0, &context));
        frameHwnd = frame->m_hWnd;
        frame->InitialUpdateFrame(nullptr, TRUE);
        view = static_cast<MeasuredView*>(frame->GetActiveView());
    }
    void TearDown() override
    {
        DestroyWindow(frameHwnd);
        AfxDeleteTempMaps();
        tw::ProcessClock::Resume();
    }
    HWND frameHwnd = nullptr;
    MeasuredView* view = nullptr;
};

TEST_P(ScrollMapping, SizesAndPositionsFollowTheMode)
{
    const MappingCase& c = GetParam();
    ASSERT_NE(view, nullptr);
    view->SetScrollSizes(c.mode, c.letterPage);
    int mode = 0;
    SIZE total{}, page{}, line{};
    view->GetDeviceScrollSizes(mode, total, page, line);
    EXPECT_EQ(mode, c.mode);
    // 8.5 by 11 inches at the screen's 96 pixels an inch.
    EXPECT_EQ(CSize(total), CSize(816, 1056));
    EXPECT_EQ(view->GetTotalSize(), c.letterPage);
    EXPECT_TRUE(view->GetStyle() & WS_VSCROLL);

    view->ScrollToPosition(CPoint(0, c.oneInchDown));
    EXPECT_EQ(view->GetDeviceScrollPosition(), CPoint(0, 96));
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, c.oneInchDown));
    view->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));
}

// What the view draws at a logical point lands on the window scaled by its mode.
TEST_P(ScrollMapping, DrawingIsScaledByTheMode)
{
    const MappingCase& c = GetParam();
    ASSERT_NE(view, nullptr);
    view->SetScrollSizes(c.mode, c.letterPage);
    view->ScrollToPosition(CPoint(0, c.oneInchDown));
    CClientDC dc(view);
    view->OnPrepareDC(&dc);
    CPoint oneInchInAndTwoDown(c.letterPage.cx * 2 / 17, 2 * c.oneInchDown);
    dc.LPtoDP(&oneInchInAndTwoDown);
    EXPECT_EQ(oneInchInAndTwoDown, CPoint(96, 96)) << "two inches down, seen from one inch down";
}

TEST_P(ScrollMapping, APrinterDcIsNotShiftedByTheWindowsScrolling)
{
    const MappingCase& c = GetParam();
    ASSERT_NE(view, nullptr);
    view->SetScrollSizes(c.mode, c.letterPage);
    view->ScrollToPosition(CPoint(0, c.oneInchDown));
    CDC printer;
    ASSERT_TRUE(printer.CreateCompatibleDC(nullptr));
    printer.m_bPrinting = TRUE;
    CPrintInfo info;
    view->OnPrepareDC(&printer, &info);
    EXPECT_EQ(printer.GetViewportOrg(), CPoint(0, 0));
    CPoint oneInchDown(0, c.oneInchDown);
    printer.LPtoDP(&oneInchDown);
    EXPECT_EQ(oneInchDown.y, 96) << "at the DC's own resolution";
}

INSTANTIATE_TEST_SUITE_P(Modes, ScrollMapping,
                         ::testing::Values(MappingCase{"Text", MM_TEXT, CSize(816, 1056), 96},
                                           MappingCase{"LoEnglish", MM_LOENGLISH, CSize(850, 1100), -100},
                                           MappingCase{"HiEnglish", MM_HIENGLISH, CSize(8500, 11000), -1000},
                                           MappingCase{"LoMetric", MM_LOMETRIC, CSize(2159, 2794), -254},
                                           MappingCase{"HiMetric", MM_HIMETRIC, CSize(21590, 27940), -2540},
                                           MappingCase{"Twips", MM_TWIPS, CSize(12240, 15840), -1440}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScrollMapping, RefusedModesKeepTheSizesAndScaleToFitHasNoBars)
{
    ASSERT_NE(view, nullptr);
    view->SetScrollSizes(MM_TEXT, CSize(900, 900));
    for (int refused : {MM_ISOTROPIC, MM_ANISOTROPIC, 42})
        view->SetScrollSizes(refused, CSize(10, 10));
    EXPECT_EQ(view->GetTotalSize(), CSize(900, 900));
    view->ScrollToPosition(CPoint(0, 300));

    view->SetScaleToFitSize(CSize(2000, 1000));
    int mode = 0;
    SIZE total{}, page{}, line{};
    view->GetDeviceScrollSizes(mode, total, page, line);
    EXPECT_EQ(mode, MeasuredView::MM_SCALETOFIT);
    EXPECT_EQ(view->GetTotalSize(), CSize(2000, 1000));
    EXPECT_FALSE(view->GetStyle() & (WS_VSCROLL | WS_HSCROLL));
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));
    view->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));

    CRect client;
    view->GetClientRect(&client);
    CClientDC dc(view);
    view->OnPrepareDC(&dc);
    CPoint farCorner(2000, 1000);
    dc.LPtoDP(&farCorner);
    EXPECT_EQ(farCorner, client.BottomRight()) << "the whole total fills the window";
}

}  // namespace
