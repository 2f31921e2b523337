// The tool box: pages of tool buttons from a bitmap strip, their labels, the
// row layout with its overflow, scrolling by the outlook window's buttons, and
// one command per click.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "tests/support/ui/KtvTestDockFrame.h"
#include "ui/controls/KtvPButton.h"
#include "ui/controls/KtvPOutlookWnd.h"
#include "ui/controls/KtvPToolBox.h"
#include "resources/resource.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using tw::test::DockFrameTest;
using Labels = std::vector<std::string>;

// The browse edit's strip: three images of 16 x 16.
constexpr UINT kStripId = IDB_KTVP_BROWSE_IMAGES;
constexpr UINT kToolBoxId = 4711;

// Reaches the outlook window's protected scroll buttons through member
// pointers, so the window itself is never cast to a type it is not.
struct ScrollButtonsOf : CKtvPOutlookWnd {
    static CKtvPOutlookScrollButton& Up(CKtvPOutlookWnd* wnd) { return wnd->*(&ScrollButtonsOf::m_btnScrollUp); }
    static CKtvPOutlookScrollButton& Down(CKtvPOutlookWnd* wnd) { return wnd->*(&ScrollButtonsOf::m_btnScrollDown); }
};

Labels Split(const char* text)
{
    CStringList list;
    CKtvPToolBox::SplitLabels(text, list);
    Labels labels;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        labels.emplace_back(list.GetNext(pos));
    return labels;
}

TEST(ToolBoxLabels, SplitAtNewLines)
{
    struct SplitCase {
        const char* text;
        Labels labels;
    };
    const SplitCase cases[] = {
        {"", {}},
        {"Pointer", {"Pointer"}},
        {"Pointer\nButton", {"Pointer", "Button"}},
        {"Pointer\nButton\n", {"Pointer", "Button"}},
        {"Pointer\n\nButton", {"Pointer", "", "Button"}},
        {"\n", {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Split(c.text), c.labels) << '"' << c.text << '"';
}

class ToolBoxTest : public DockFrameTest {
protected:
    void SetUp() override
    {
        DockFrameTest::SetUp();
        KtvPrepareUiTest();
        box = new CKtvPToolBox;
        ASSERT_TRUE(box->Create("Toolbox", frame, CRect(0, 0, 200, 300), TRUE, kToolBoxId,
                                WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0x20, KTVP_CBRS_FLOAT | KTVP_CBRS_RESIZE | KTVP_CBRS_CLOSE));
        Pump();
    }
    void TearDown() override
    {
        if (::IsWindow(box->GetSafeHwnd()))
            box->DestroyWindow();
        delete box;
        DockFrameTest::TearDown();
    }
    // A left click on a tool, pumping by hand: the tool box posts its command
    // to its parent frame, counted here.
    void ClickTool(CKtvPButton* tool)
    {
        CRect rect;
        tool->GetWindowRect(rect);
        tw::ProcessClock::Advance(GetDoubleClickTime() + 1);  // a single click each time
        input.Click(tw::display::MouseButton::Left, rect.CenterPoint().x, rect.CenterPoint().y);
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_COMMAND && msg.hwnd == frame->GetSafeHwnd() &&
                (HWND)msg.lParam == box->GetSafeHwnd() && msg.wParam == kToolBoxId)
                commands++;
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    CKtvPToolBoxPage* AddPage(const char* title, const char* labels)
    {
        EXPECT_TRUE(box->AddToolsPage(title, kStripId, 16, labels, RUNTIME_CLASS(CKtvPToolBoxPage),
                                      RUNTIME_CLASS(CKtvPButton)));
        Pump();
        return box->GetPage(box->GetActivePage());
    }
    CKtvPOutlookWnd* Outlook() { return dynamic_cast<CKtvPOutlookWnd*>(box->GetPagesBarTabWnd()); }
    static std::string Text(CWnd* wnd)
    {
        CString text;
        wnd->GetWindowText(text);
        return std::string(text);
    }
    static CRect PlaceOf(CKtvPToolBoxPage* page, int tool)
    {
        CRect rect;
        page->GetButton(tool)->GetWindowRect(rect);
        page->ScreenToClient(rect);
        return rect;
    }

    CKtvPToolBox* box = nullptr;
    int commands = 0;
};

TEST_F(ToolBoxTest, APageHasOneToolPerImageWithItsLabelAndTheFirstSelected)
{
    CKtvPToolBoxPage* page = AddPage("Controls", "Pointer\nButton\n");
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->GetToolsCount(), 3);
    const Labels expected = {"Pointer", "Button", ""};
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(Text(page->GetButton(i)), expected[size_t(i)]) << i;
    EXPECT_EQ(page->GetSelected(), 0);
    EXPECT_EQ(page->GetButton(0)->SendMessage(BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(Text(page), "Controls");
}

TEST_F(ToolBoxTest, ANewPageBecomesActiveWithTheUpButtonDisabled)
{
    CKtvPToolBoxPage* first = AddPage("Controls", "A");
    CKtvPToolBoxPage* second = AddPage("Data", "B");
    AddPage("Dialog", "C");
    EXPECT_EQ(box->GetActivePage(), 2);
    EXPECT_EQ(box->GetPageIndex(first), 0);
    EXPECT_EQ(box->GetPageIndex(second), 1);
    EXPECT_EQ(box->GetPage(3), nullptr);
    ASSERT_NE(Outlook(), nullptr);
    EXPECT_FALSE(ScrollButtonsOf::Up(Outlook()).IsWindowEnabled());
}

TEST_F(ToolBoxTest, FailuresAddNoPage)
{
    EXPECT_FALSE(box->AddToolsPage("Missing", 65000, 16, "", RUNTIME_CLASS(CKtvPToolBoxPage),
                                   RUNTIME_CLASS(CKtvPButton)));
    EXPECT_FALSE(box->AddToolsPage("Not a page", kStripId, 16, "", RUNTIME_CLASS(CKtvPButton),
                                   RUNTIME_CLASS(CKtvPButton)));
    EXPECT_EQ(box->GetActivePage() < 0 || box->GetPage(box->GetActivePage()) == nullptr, true);
}

TEST_F(ToolBoxTest, RowsThatDoNotFitAreHiddenAndTheOutlookButtonsScrollThem)
{
    CKtvPToolBoxPage* page = AddPage("Controls", "A\nB\nC");
    const int h = std::max(globalData.m_nTextHeight, 16 + 6);
    // The tool box made so short that two rows fit exactly: the second ends
    // at the page's client bottom.
    CRect pageClient;
    page->GetClientRect(pageClient);
    CRect boxRect;
    box->GetWindowRect(boxRect);
    box->SetWindowPos(nullptr, 0, 0, boxRect.Width(), boxRect.Height() - (pageClient.Height() - (6 + 2 * h)),
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    page->GetClientRect(pageClient);
    ASSERT_EQ(pageClient.Height(), 6 + 2 * h);
    const int w = pageClient.Width();
    EXPECT_EQ(PlaceOf(page, 0), CRect(0, 6, w, 6 + h));
    EXPECT_EQ(PlaceOf(page, 1), CRect(0, 6 + h, w, 6 + 2 * h));
    EXPECT_EQ(PlaceOf(page, 2).Size(), CSize(0, 0));
    EXPECT_EQ(page->m_nOverflowRows, 2);

    CKtvPOutlookWnd* outlook = Outlook();
    ASSERT_NE(outlook, nullptr);
    CKtvPOutlookScrollButton& down = ScrollButtonsOf::Down(outlook);
    ASSERT_TRUE(down.IsWindowEnabled());
    // The scroll button's click notification.
    outlook->SendMessage(WM_COMMAND, MAKEWPARAM(down.GetDlgCtrlID(), BN_CLICKED), (LPARAM)down.GetSafeHwnd());
    Pump();
    EXPECT_EQ(page->m_iFirstVisibleTool, 1);
    EXPECT_EQ(PlaceOf(page, 0).Size(), CSize(0, 0));
    EXPECT_EQ(PlaceOf(page, 1).top, 6);
    EXPECT_EQ(PlaceOf(page, 2).top, 6 + h);
    EXPECT_EQ(page->m_nOverflowRows, 1) << "the down button stays enabled";
    EXPECT_TRUE(down.IsWindowEnabled());
    EXPECT_TRUE(ScrollButtonsOf::Up(outlook).IsWindowEnabled());
}

TEST_F(ToolBoxTest, EachClickOnAToolSendsOneCommandAndSelectsIt)
{
    CKtvPToolBoxPage* page = AddPage("Controls", "A\nB\nC");
    Pump();
    ClickTool(page->GetButton(2));
    EXPECT_EQ(commands, 1);
    EXPECT_EQ(page->GetSelected(), 2);
    EXPECT_EQ(page->GetButton(2)->SendMessage(BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(page->GetButton(0)->SendMessage(BM_GETCHECK), BST_UNCHECKED);

    // The selected tool clicked again tells again.
    ClickTool(page->GetButton(2));
    EXPECT_EQ(commands, 2);
}

// A picture of a tool box of three pages for a person to look at
// (toolbox-screenshot.png next to the test program).
TEST_F(ToolBoxTest, AScreenshotOfThreePages)
{
    AddPage("Pointer tools", "Browse\nOpen folder\nCalculator");
    AddPage("Data tools", "Table\nView");
    CKtvPToolBoxPage* page = AddPage("Dialog tools", "Button\nEdit\nList");
    box->SetWindowPos(nullptr, 0, 0, 200, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    box->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    CRect rect;
    box->GetWindowRect(rect);
    const std::string path =
        (std::filesystem::canonical("/proc/self/exe").parent_path() / "toolbox-screenshot.png").string();
    ASSERT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(path, &rect)) << path;
    EXPECT_TRUE(page->GetButton(0)->IsWindowVisible());
    EXPECT_GT(PlaceOf(page, 0).Height(), 0);
}

}  // namespace
