// The tasks pane's layout, scrolling, collapsing and looks: the groups and
// tasks placed to the pixel, rows scrolled by the scroll bar and the scroll
// buttons within their bounds, a group collapsed at once or step by step on
// the virtual clock, and pictures of the pane in two looks.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/CImageList.h"
#include "tests/ui/controls/TasksPaneFixture.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager2003.h"

namespace {

using tw::test::TasksPaneTest;

class TasksPaneLayoutTest : public TasksPaneTest {
protected:
    // Task icons 16 pixels high, so that text tasks are 16 high whatever the font.
    void UseSixteenPixelIcons()
    {
        CImageList icons;
        ASSERT_TRUE(icons.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1));
        pane->SetIconsList(icons.GetSafeHandle());
    }
    // A group of n text tasks with commands 33000 and up.
    int AddGroupOfTasks(LPCTSTR name, int n, BOOL bBottom = FALSE)
    {
        const int g = pane->AddGroup(name, bBottom);
        for (int i = 0; i < n; i++)
            pane->AddTask(g, ("Task " + std::to_string(i + 1)).c_str(), -1, 33000 + (UINT)i);
        return g;
    }
    void Scroll(UINT nCode, UINT nPos = 0)
    {
        pane->SendMessage(WM_VSCROLL, MAKEWPARAM(nCode, nPos), (LPARAM)pane->GetScrollBar().GetSafeHwnd());
        Pump();
    }
    int MaxOffset() const { return pane->GetScrollTotal() - pane->GetScrollPage() + 1; }
};

// One named group with two text tasks in a 200 x 300 area, with the base look's metrics.
TEST_F(TasksPaneLayoutTest, TheBaseLayoutToThePixel)
{
    MakePane(200, 300);
    UseSixteenPixelIcons();
    const int g = AddGroupOfTasks("Files", 2);
    ASSERT_LE(globalData.m_nTextHeight, 16);
    ASSERT_EQ(pane->GetTasksArea(), CRect(0, 0, 200, 300));
    EXPECT_EQ(pane->GetGroup(g)->m_rect, CRect(12, 12, 188, 37));
    EXPECT_EQ(pane->GetTask(g, 0)->m_rect, CRect(24, 41, 176, 57));
    EXPECT_EQ(pane->GetTask(g, 1)->m_rect, CRect(24, 61, 176, 77));
    EXPECT_EQ(pane->GetGroup(g)->m_rectGroup, CRect(12, 37, 188, 81));
    EXPECT_EQ(pane->ReposTasks(TRUE), 89);
}

TEST_F(TasksPaneLayoutTest, GroupsWithoutNameOnOtherPagesAndAtTheBottom)
{
    MakePane(200, 300);
    UseSixteenPixelIcons();
    const int plain = pane->AddGroup("");
    pane->AddTask(plain, "No caption above", -1, 33100);
    const int page = pane->AddPage("Other");
    const int other = pane->AddGroup(page, "Elsewhere");
    pane->AddTask(other, "Hidden with its page", -1, 33101);
    const int bottom = AddGroupOfTasks("Details", 1, TRUE);

    // A group without a name has no caption: its tasks start at its top plus the task spacing.
    EXPECT_EQ(pane->GetGroup(plain)->m_rect.Height(), 0);
    EXPECT_EQ(pane->GetTask(plain, 0)->m_rect.top, 12 + 4);
    // The last group, flagged for the bottom, rests on the bottom margin while nothing scrolls.
    EXPECT_EQ(pane->GetGroup(bottom)->m_rectGroup.bottom, 300 - 12);
    EXPECT_EQ(pane->GetTask(bottom, 0)->m_rect.bottom, 300 - 12 - 4);

    // A click on a caption without a name collapses nothing.
    ClickAt(CPoint(100, pane->GetGroup(plain)->m_rect.top));
    EXPECT_FALSE(pane->GetGroup(plain)->m_bIsCollapsed);

    pane->SetActivePage(page);
    Pump();
    EXPECT_EQ(pane->GetGroup(other)->m_rect, CRect(12, 12, 188, 37));
    EXPECT_EQ(pane->GetScrollOffset(), 0);
}

// A group's icon taller than its caption pushes the caption down by the
// difference and is drawn standing on the caption's bottom.
TEST_F(TasksPaneLayoutTest, ATallGroupIconPushesItsCaptionDown)
{
    MakePane(200, 300);
    std::vector<DWORD> bits(40 * 40, 0xFFC00000u);
    HBITMAP color = ::CreateBitmap(40, 40, 1, 32, bits.data());
    std::vector<BYTE> maskBits((40 + 15) / 16 * 2 * 40, 0);
    HBITMAP mask = ::CreateBitmap(40, 40, 1, 1, maskBits.data());
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = color;
    info.hbmMask = mask;
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(color);
    ::DeleteObject(mask);
    ASSERT_NE(hIcon, nullptr);

    const int g = pane->AddGroup("Pictures", FALSE, FALSE, hIcon);
    pane->AddTask(g, "Show", -1, 33200);
    pane->RecalcLayout(TRUE);
    Pump();
    EXPECT_EQ(pane->GetGroup(g)->m_sizeIcon, CSize(40, 40));
    const CRect caption = pane->GetGroup(g)->m_rect;
    EXPECT_EQ(caption, CRect(12, 12 + 40 - 25, 188, 12 + 40));
    EXPECT_EQ(ScreenPixel(pane->GetSafeHwnd(), caption.left + 10, caption.bottom - 30), RGB(192, 0, 0));
    pane->DestroyWindow();
    pane = nullptr;
    ::DestroyIcon(hIcon);
}

// Rows scroll within 0 .. total - page + 1, by the scroll bar's requests.
TEST_F(TasksPaneLayoutTest, ScrollingByTheScrollBarClamps)
{
    MakePane(200, 150);
    pane->EnableScrollButtons(FALSE);
    AddGroupOfTasks("Many", 20);
    Pump();
    ASSERT_GT(pane->GetScrollTotal(), 0);
    EXPECT_TRUE(pane->GetScrollBar().IsWindowVisible());
    EXPECT_EQ(pane->GetTasksArea().right, 200 - ::GetSystemMetrics(SM_CXHSCROLL));

    struct ScrollCase {
        UINT nCode;
        UINT nPos;
        int (*expected)(int nMax, int nPage);
    };
    const ScrollCase cases[] = {
        {SB_LINEUP, 0, [](int, int) { return 0; }},
        {SB_LINEDOWN, 0, [](int, int) { return 1; }},
        {SB_THUMBTRACK, 3, [](int, int) { return 3; }},
        {SB_PAGEUP, 0, [](int, int) { return 0; }},
        {SB_PAGEDOWN, 0, [](int nMax, int nPage) { return std::min(nMax, nPage); }},
        {SB_BOTTOM, 0, [](int nMax, int) { return nMax; }},
        {SB_LINEDOWN, 0, [](int nMax, int) { return nMax; }},
        {SB_THUMBPOSITION, 500, [](int nMax, int) { return nMax; }},
        {SB_ENDSCROLL, 0, [](int nMax, int) { return nMax; }},
        {SB_TOP, 0, [](int, int) { return 0; }},
    };
    for (const ScrollCase& c : cases) {
        Scroll(c.nCode, c.nPos);
        EXPECT_EQ(pane->GetScrollOffset(), c.expected(MaxOffset(), pane->GetScrollPage())) << c.nCode;
        EXPECT_EQ(pane->GetScrollBar().GetScrollPos(), pane->GetScrollOffset()) << c.nCode;
    }
    // At the end the last task is in view.
    Scroll(SB_BOTTOM);
    EXPECT_LE(pane->GetTask(0, 19)->m_rect.bottom, pane->GetTasksArea().bottom);
}

// Paging down under the navigation toolbar skips no row: the task cut by the
// bottom edge is in view afterwards.
TEST_F(TasksPaneLayoutTest, APageBelowTheToolbarSkipsNoRow)
{
    MakePane(200, 200);
    pane->EnableScrollButtons(FALSE);
    pane->EnableNavigationToolbar(TRUE);
    pane->AddPage("Other");
    AddGroupOfTasks("Many", 30);
    Pump();
    ASSERT_FALSE(pane->GetToolbarArea().IsRectEmpty());
    const int g = 0;
    int firstCut = -1;
    for (int i = 0; i < 30 && firstCut < 0; i++) {
        if (pane->GetTask(g, i)->m_rect.bottom > pane->GetTasksArea().bottom)
            firstCut = i;
    }
    ASSERT_GE(firstCut, 1);
    Scroll(SB_PAGEDOWN);
    EXPECT_GE(pane->GetTask(g, firstCut)->m_rect.top, pane->GetTasksArea().top) << "task " << firstCut;
}

TEST_F(TasksPaneLayoutTest, ScrollButtonsAppearAndScrollWhileTheMouseRestsOnThem)
{
    MakePane(200, 150);
    AddGroupOfTasks("Many", 20);
    Pump();
    EXPECT_FALSE(pane->GetScrollBar().IsWindowVisible());
    EXPECT_TRUE(pane->GetScrollUpArea().IsRectEmpty()) << "nothing above to scroll to";
    const CRect rectDown = pane->GetScrollDownArea();
    ASSERT_FALSE(rectDown.IsRectEmpty());
    EXPECT_EQ(rectDown.bottom, 150);
    EXPECT_EQ(pane->GetTasksArea().bottom, rectDown.top - 1);

    MoveTo(rectDown.CenterPoint());
    Advance(80);
    EXPECT_EQ(pane->GetScrollOffset(), 1);
    Advance(80);
    EXPECT_EQ(pane->GetScrollOffset(), 2);
    ASSERT_FALSE(pane->GetScrollUpArea().IsRectEmpty()) << "something above now";
    EXPECT_EQ(pane->GetTasksArea().top, pane->GetScrollUpArea().bottom);

    // Resting long enough on the down button stops at the end.
    for (int i = 0; i < 40; i++) {
        if (pane->GetScrollDownArea().IsRectEmpty())
            break;
        MoveTo(pane->GetScrollDownArea().CenterPoint());
        Advance(80);
    }
    EXPECT_EQ(pane->GetScrollOffset(), MaxOffset());
    EXPECT_TRUE(pane->GetScrollDownArea().IsRectEmpty());

    // Away from the buttons the scrolling stops.
    MoveTo(CPoint(100, 75));
    const int nOffset = pane->GetScrollOffset();
    Advance(400);
    EXPECT_EQ(pane->GetScrollOffset(), nOffset);
}

TEST_F(TasksPaneLayoutTest, ACaptionClickCollapsesAndExpandsAtOnceWithoutAnimation)
{
    MakePane(200, 300);
    UseSixteenPixelIcons();
    const int g1 = AddGroupOfTasks("First", 2);
    const int g2 = AddGroupOfTasks("Second", 1);
    const CRect rectSecond = pane->GetGroup(g2)->m_rect;
    Pump();

    ClickCaption(g1);
    EXPECT_TRUE(pane->GetGroup(g1)->m_bIsCollapsed);
    EXPECT_EQ(pane->GetGroup(g1)->m_rectGroup.Height(), 0);
    EXPECT_TRUE(pane->GetTask(g1, 0)->m_rect.IsRectEmpty());
    EXPECT_EQ(pane->GetGroup(g2)->m_rect.top, 12 + 25 + 15) << "the next group moves up below the caption";

    ClickCaption(g1);
    EXPECT_FALSE(pane->GetGroup(g1)->m_bIsCollapsed);
    EXPECT_EQ(pane->GetGroup(g2)->m_rect, rectSecond);
    EXPECT_TRUE(commands.empty()) << "a caption posts no command";

    pane->EnableGroupCollapse(FALSE);
    ClickCaption(g1);
    EXPECT_FALSE(pane->GetGroup(g1)->m_bIsCollapsed) << "captions collapse nothing while collapsing is off";
}

// Each 30 ms tick takes one row off the animated group until it is gone, then
// the group collapses; expanding grows it back by rows.
TEST_F(TasksPaneLayoutTest, TheCollapseAnimationStepsOnTheClock)
{
    MakePane(200, 300);
    UseSixteenPixelIcons();
    const int g = AddGroupOfTasks("Animated", 3);
    Pump();
    pane->EnableAnimation(TRUE);
    CKtvPTasksGroup* pGroup = pane->GetGroup(g);
    const int nFullHeight = pGroup->m_rectGroup.Height();
    const int nCapBottom = pGroup->m_rect.bottom;

    ClickCaption(g);
    ASSERT_EQ(pane->GetAnimatedGroup(), pGroup);
    EXPECT_TRUE(pGroup->m_bIsCollapsed);
    EXPECT_EQ(pane->GetAnimatedGroupHeight(), nFullHeight);
    const int rh = pane->GetRowHeight();
    ASSERT_GT(rh, 0);

    int nTicks = 0;
    while (pane->GetAnimatedGroup() != nullptr && nTicks < 50) {
        const int nBefore = pane->GetAnimatedGroupHeight();
        Advance(30);
        nTicks++;
        if (pane->GetAnimatedGroup() == nullptr)
            break;
        EXPECT_EQ(pane->GetAnimatedGroupHeight(), nBefore - rh) << "tick " << nTicks;
        // The tasks are cut at the animated height.
        EXPECT_LE(pane->GetTask(g, 2)->m_rect.bottom, std::max<int>(pane->GetTask(g, 2)->m_rect.top,
                                                                   nCapBottom + pane->GetAnimatedGroupHeight() - 1));
        EXPECT_LE(pGroup->m_rectGroup.bottom, nCapBottom + pane->GetAnimatedGroupHeight());
    }
    EXPECT_EQ(nTicks, nFullHeight / rh + 1);
    EXPECT_EQ(pGroup->m_rectGroup.Height(), 0) << "collapsed once the animation ends";
    EXPECT_TRUE(pane->GetTask(g, 0)->m_rect.IsRectEmpty());

    ClickCaption(g);
    ASSERT_EQ(pane->GetAnimatedGroup(), pGroup);
    EXPECT_FALSE(pGroup->m_bIsCollapsed);
    for (nTicks = 0; pane->GetAnimatedGroup() != nullptr && nTicks < 50; nTicks++)
        Advance(30);
    EXPECT_LT(nTicks, 50);
    EXPECT_EQ(pGroup->m_rectGroup.Height(), nFullHeight);

    // In a remote session nothing animates.
    globalData.bIsRemoteSession = TRUE;
    pane->RecalcLayout(FALSE);
    ClickCaption(g);
    globalData.bIsRemoteSession = FALSE;
    EXPECT_EQ(pane->GetAnimatedGroup(), nullptr);
    EXPECT_TRUE(pGroup->m_bIsCollapsed);
    EXPECT_EQ(pGroup->m_rectGroup.Height(), 0);
}

TEST_F(TasksPaneLayoutTest, HostedWindowsShowInTheirTaskPlaceOnTheirPageOnly)
{
    MakePane(200, 300);
    const int g = pane->AddGroup("Search");
    CWnd* pEdit = new CWnd;
    ASSERT_TRUE(pEdit->Create("EDIT", "", WS_CHILD | WS_BORDER, CRect(0, 0, 10, 10), pane, 700));
    ASSERT_EQ(pane->AddWindow(g, pEdit->GetSafeHwnd(), 30, TRUE), 0);
    Pump();
    EXPECT_TRUE(pEdit->IsWindowVisible());
    CRect rect;
    pEdit->GetWindowRect(rect);
    pane->ScreenToClient(rect);
    EXPECT_EQ(rect, pane->GetTask(g, 0)->m_rect);
    EXPECT_EQ(rect, CRect(24, 12 + 25 + 4, 176, 12 + 25 + 4 + 30));

    const int page = pane->AddPage("Other");
    pane->SetActivePage(page);
    EXPECT_FALSE(pEdit->IsWindowVisible());
    pane->OnPressBackButton();
    EXPECT_TRUE(pEdit->IsWindowVisible());
    ClickCaption(g);
    EXPECT_FALSE(pEdit->IsWindowVisible()) << "a collapsed group hides its windows";
    const HWND hEdit = pEdit->GetSafeHwnd();
    pane->RemoveGroup(g);
    EXPECT_FALSE(::IsWindow(hEdit)) << "the task took its window along";
    delete pEdit;
}

// Pictures of a pane with an open and a collapsed group, in the base and the
// 2003 look (tasks-pane-base.png, tasks-pane-2003.png next to the test
// program), and of the floating pane (tasks-pane-floating.png).
TEST_F(TasksPaneLayoutTest, ScreenshotsInTwoLooksAndFloating)
{
    struct LookCase {
        CRuntimeClass* pLook;
        const char* file;
    };
    const LookCase looks[] = {{RUNTIME_CLASS(CKtvPVisualManager), "tasks-pane-base.png"},
                              {RUNTIME_CLASS(CKtvPVisualManager2003), "tasks-pane-2003.png"}};
    MakePane(200, 300);
    const int open = AddGroupOfTasks("File and Folder Tasks", 3);
    pane->AddSeparator(open);
    pane->AddLabel(open, "Three files selected");
    const int closed = AddGroupOfTasks("Other Places", 2);
    pane->SetGroupSpecial(open, TRUE);
    pane->CollapseGroup(closed);
    pane->EnableTask(open, 2, FALSE);
    const auto dir = std::filesystem::canonical("/proc/self/exe").parent_path();
    for (const LookCase& look : looks) {
        CKtvPVisualManager::SetDefaultManager(look.pLook);
        pane->RecalcLayout(TRUE);
        MoveTo(pane->GetTask(open, 0)->m_rect.CenterPoint());
        Pump();
        EXPECT_EQ(pane->GetHotTask(), pane->GetTask(open, 0));
        CRect rect;
        pane->GetWindowRect(rect);
        const std::string path = (dir / look.file).string();
        ASSERT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(path, &rect)) << path;
        // The collapsed group shows its caption and no tasks.
        EXPECT_TRUE(pane->GetTask(closed, 0)->m_rect.IsRectEmpty()) << look.file;
        MoveTo(CPoint(2, 290));
    }

    pane->AddPage("Search");
    pane->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(pane->DockToFrameWindow(CBRS_ALIGN_LEFT));
    Pump();
    ASSERT_TRUE(pane->FloatControlBar(CRect(250, 100, 470, 380), KTVP_DM_DBL_CLICK, TRUE));
    Pump();
    CWnd* pFrame = pane->GetParentMiniFrame();
    ASSERT_NE(pFrame, nullptr);
    pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    CRect rect;
    pFrame->GetWindowRect(rect);
    const std::string path = (dir / "tasks-pane-floating.png").string();
    ASSERT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(path, &rect)) << path;
}

}  // namespace
