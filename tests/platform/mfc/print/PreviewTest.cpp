// Print preview of a three-page document: the frame's view and bars give
// way to the preview and its bar, two pages are shown and named, Next and
// Prev move through them, zooming changes the scale, and Close gives the
// frame back as it was.
#include "tests/platform/mfc/print/PagesView.h"
#include "tests/platform/mfc/print/PrintTest.h"

namespace tw::mfc::print_test {
namespace {

constexpr UINT kStatusBarId = AFX_IDW_STATUS_BAR;

class PreviewTest : public PrintTest {
protected:
    void SetUp() override
    {
        pagesDoc = new PagesDoc;
        pagesDoc->SetTitle("Report");
        doc = pagesDoc;
        viewClass = RUNTIME_CLASS(PagesView);
        PrintTest::SetUp();
        view = static_cast<PagesView*>(frame->GetActiveView());
        // A bar of the frame's own, which the preview hides for its time.
        statusBar = CreateWindowEx(0, "Static", "status", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frameHwnd,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kStatusBarId)), nullptr, nullptr);
        menu = CreateMenu();
        AppendMenu(menu, MF_STRING, ID_FILE_PRINT, "&Print");
        SetMenu(frameHwnd, menu);
        frame->RecalcLayout();
    }
    CPreviewView* Preview() const { return DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()); }
    HWND Bar() const { return GetDlgItem(frameHwnd, AFX_IDW_PREVIEW_BAR); }
    HWND BarButton(int id) const { return GetDlgItem(Bar(), id); }
    // Presses a button of the bar with the mouse, as a user would.
    void Press(int id)
    {
        RECT r;
        GetWindowRect(BarButton(id), &r);
        input.Click(tw::display::MouseButton::Left, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        Pump();
    }
    void Idle()
    {
        frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        Pump();
    }
    void StartPreview()
    {
        view->numPreviewPages = 2;
        view->PrintNow(ID_FILE_PRINT_PREVIEW);
        Pump();
        frame->UpdateWindow();
        Idle();
    }
    std::vector<UINT> PreviewedPages() const
    {
        std::vector<UINT> pages;
        for (const auto& p : view->printed) {
            if (p.preview)
                pages.push_back(p.page);
        }
        return pages;
    }

    PagesDoc* pagesDoc = nullptr;
    PagesView* view = nullptr;
    HWND statusBar = nullptr;
    HMENU menu = nullptr;
};

TEST_F(PreviewTest, TwoPagesAreShownInPlaceOfTheViewAndBars)
{
    StartPreview();
    CPreviewView* preview = Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetPagesShown(), 2u);
    EXPECT_EQ(preview->GetCurrentPage(), 1u);
    EXPECT_EQ(PreviewedPages(), (std::vector<UINT>{1, 2}));
    EXPECT_FALSE(IsWindowVisible(view->m_hWnd));
    EXPECT_FALSE(IsWindowVisible(statusBar));
    EXPECT_EQ(GetMenu(frameHwnd), nullptr);
    ASSERT_NE(Bar(), nullptr);
    EXPECT_TRUE(IsWindowVisible(Bar()));
    EXPECT_EQ(frame->messageStrings.back(), "Pages 1-2");
    EXPECT_EQ(view->steps, (std::vector<std::string>{"prepare", "begin"}));

    // The pages lie side by side below the bar, inside the preview.
    RECT bar;
    GetWindowRect(Bar(), &bar);
    const CRect first = preview->GetPageRect(0);
    const CRect second = preview->GetPageRect(1);
    EXPECT_LT(first.right, second.left);
    EXPECT_EQ(first.Size(), second.Size());
    CPoint topLeft = first.TopLeft();
    preview->ClientToScreen(&topLeft);
    EXPECT_GE(topLeft.y, bar.bottom);
}

TEST_F(PreviewTest, NextAndPrevMoveThroughThePagesAndStopAtTheEnds)
{
    StartPreview();
    EXPECT_FALSE(IsWindowEnabled(BarButton(AFX_ID_PREVIEW_PREV))) << "nothing before page 1";
    ASSERT_TRUE(IsWindowEnabled(BarButton(AFX_ID_PREVIEW_NEXT)));

    Press(AFX_ID_PREVIEW_NEXT);
    frame->UpdateWindow();
    Idle();
    EXPECT_EQ(Preview()->GetCurrentPage(), 2u);
    EXPECT_EQ(frame->messageStrings.back(), "Pages 2-3");
    EXPECT_FALSE(IsWindowEnabled(BarButton(AFX_ID_PREVIEW_NEXT))) << "page 3 is the last shown";
    EXPECT_TRUE(IsWindowEnabled(BarButton(AFX_ID_PREVIEW_PREV)));

    Press(AFX_ID_PREVIEW_PREV);
    Idle();
    EXPECT_EQ(Preview()->GetCurrentPage(), 1u);
    EXPECT_EQ(frame->messageStrings.back(), "Pages 1-2");

    Press(AFX_ID_PREVIEW_NUMPAGE);
    Idle();
    EXPECT_EQ(Preview()->GetPagesShown(), 1u);
    EXPECT_EQ(frame->messageStrings.back(), "Page 1");
    EXPECT_EQ(TextOf(BarButton(AFX_ID_PREVIEW_NUMPAGE)), "&Two Page") << "the button offers the other layout";
}

TEST_F(PreviewTest, ZoomingInEnlargesOnePageAndZoomingOutRestoresTheFit)
{
    StartPreview();
    const int fitWidth = Preview()->GetPageRect(0).Width();
    std::vector<int> widths;
    for (int step = 0; step < 2; ++step) {
        Press(AFX_ID_PREVIEW_ZOOMIN);
        Idle();
        EXPECT_EQ(Preview()->GetPagesShown(), 1u);
        widths.push_back(Preview()->GetPageRect(0).Width());
    }
    EXPECT_LT(fitWidth, widths[0]);
    EXPECT_LT(widths[0], widths[1]);
    EXPECT_FALSE(IsWindowEnabled(BarButton(AFX_ID_PREVIEW_ZOOMIN))) << "no closer than the closest";
    CRect client;
    Preview()->GetClientRect(&client);
    EXPECT_GT(Preview()->GetTotalSize().cy, client.Height()) << "the enlarged page scrolls";

    Press(AFX_ID_PREVIEW_ZOOMOUT);
    Press(AFX_ID_PREVIEW_ZOOMOUT);
    Idle();
    EXPECT_EQ(Preview()->GetZoomState(), UINT(CPreviewView::ZOOM_OUT));
    EXPECT_EQ(Preview()->GetPageRect(0).Width(), fitWidth);
    EXPECT_EQ(Preview()->GetPagesShown(), 2u);
}

TEST_F(PreviewTest, AClickOnTheSecondPageZoomsInOnIt)
{
    StartPreview();
    CPoint inside = Preview()->GetPageRect(1).CenterPoint();
    Preview()->ClientToScreen(&inside);
    input.Click(tw::display::MouseButton::Left, inside.x, inside.y);
    Pump();
    EXPECT_EQ(Preview()->GetZoomState(), UINT(CPreviewView::ZOOM_MIDDLE));
    EXPECT_EQ(Preview()->GetCurrentPage(), 2u);
    EXPECT_EQ(frame->messageStrings.back(), "Page 2");
}

TEST_F(PreviewTest, TheShownPageCarriesWhatTheViewPrinted)
{
    StartPreview();
    const CRect page = Preview()->GetPageRect(0);
    HDC dc = ::GetDC(Preview()->m_hWnd);
    int dark = 0;
    for (int y = page.top + 1; y < page.top + page.Height() / 4; ++y) {
        for (int x = page.left + 1; x < page.left + page.Width() / 2; ++x)
            dark += GetPixel(dc, x, y) != RGB(255, 255, 255);
    }
    const COLORREF paper = GetPixel(dc, page.right - 3, page.bottom - 3);
    ::ReleaseDC(Preview()->m_hWnd, dc);
    EXPECT_GT(dark, 0) << "the page's text is drawn, scaled down";
    EXPECT_EQ(paper, RGB(255, 255, 255));
    ASSERT_FALSE(view->printed.empty());
    for (const auto& p : view->printed)
        EXPECT_TRUE(p.dcPrinting) << "page " << p.page;
}

TEST_F(PreviewTest, CloseGivesTheFrameItsViewBarsAndMenuBack)
{
    StartPreview();
    Press(AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_TRUE(IsWindowVisible(view->m_hWnd));
    EXPECT_EQ(GetDlgCtrlID(view->m_hWnd), AFX_IDW_PANE_FIRST);
    EXPECT_TRUE(IsWindowVisible(statusBar));
    EXPECT_EQ(GetMenu(frameHwnd), menu);
    EXPECT_EQ(Bar(), nullptr);
    EXPECT_EQ(view->steps, (std::vector<std::string>{"prepare", "begin", "end"}));
    RECT client, pane;
    GetClientRect(frameHwnd, &client);
    GetClientRect(view->m_hWnd, &pane);
    EXPECT_GT(pane.bottom, client.bottom / 2) << "the view fills the frame again";
}

TEST_F(PreviewTest, PrintFromThePreviewClosesItAndPrintsThroughTheDialog)
{
    StartPreview();
    OnIdle([&](HWND, int count) {
        if (count == 1)
            Key(VK_RETURN);
    });
    view->printed.clear();
    Press(AFX_ID_PREVIEW_PRINT);
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_EQ(view->printed.size(), 3u);
}

TEST_F(PreviewTest, DestroyingTheFrameDuringPreviewEndsThePrintingFirst)
{
    std::vector<std::string> steps;
    view->stepsCopy = &steps;  // the view goes with the frame
    StartPreview();
    frame->DestroyWindow();
    Pump();
    EXPECT_FALSE(IsWindow(frameHwnd));
    EXPECT_EQ(steps, (std::vector<std::string>{"prepare", "begin", "end"}));
}

TEST_F(PreviewTest, ClosingTheFrameDuringPreviewClosesOnlyThePreview)
{
    StartPreview();
    frame->SendMessage(WM_CLOSE);
    Pump();
    ASSERT_TRUE(IsWindow(frameHwnd));
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_EQ(GetMenu(frameHwnd), menu);
    EXPECT_EQ(view->steps, (std::vector<std::string>{"prepare", "begin", "end"}));

    frame->SendMessage(WM_CLOSE);
    Pump();
    EXPECT_FALSE(IsWindow(frameHwnd)) << "without a preview the frame closes";
}

TEST_F(PreviewTest, TheApplicationKeepsTheNumberOfPagesShown)
{
    TheApp().m_nNumPreviewPages = 2;
    view->PrintNow(ID_FILE_PRINT_PREVIEW);
    Pump();
    ASSERT_NE(Preview(), nullptr);
    EXPECT_NE(Preview()->GetPageRect(1), CRect()) << "two pages by the application's default";

    Press(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(TheApp().m_nNumPreviewPages, 1u) << "the choice is kept for the next preview";
    Press(AFX_ID_PREVIEW_CLOSE);
    TheApp().m_nNumPreviewPages = 0;
}

TEST_F(PreviewTest, ADocumentThatEndsWhilePrintingShowsOnlyItsPages)
{
    pagesDoc->lastPageFoundWhilePrinting = 1;
    StartPreview();
    ASSERT_NE(Preview(), nullptr);
    EXPECT_EQ(frame->messageStrings.back(), "Page 1") << "page 1 turned out to be the last";
    EXPECT_FALSE(IsWindowEnabled(BarButton(AFX_ID_PREVIEW_NEXT)));
    EXPECT_EQ(PreviewedPages(), (std::vector<UINT>{1}));
}

TEST_F(PreviewTest, AViewThatDeclinesToPrintLeavesTheFrameAsItWas)
{
    view->declinePrinting = true;
    StartPreview();
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_TRUE(IsWindowVisible(view->m_hWnd));
    EXPECT_TRUE(IsWindowVisible(statusBar));
    EXPECT_EQ(GetMenu(frameHwnd), menu);
    EXPECT_EQ(Bar(), nullptr);
    EXPECT_TRUE(TheApp().prompts.empty());
}

TEST_F(PreviewTest, APreviewClassThatIsNoPreviewViewFailsWithoutTouchingTheFrame)
{
    CPrintPreviewState state;
    EXPECT_FALSE(view->DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, view, RUNTIME_CLASS(PagesView), &state));
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_TRUE(IsWindowVisible(statusBar));
    EXPECT_EQ(GetMenu(frameHwnd), menu);
    EXPECT_EQ(Bar(), nullptr);
}

}  // namespace
}  // namespace tw::mfc::print_test
