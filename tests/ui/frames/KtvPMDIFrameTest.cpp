// The library's MDI frame: what its creation sets up, its layout with bars on
// four sides and the MDI client with its tab strip in what is left, a full
// layout on maximise and restore and after an outline drag but none during a
// full-window border drag or while minimised, and a child that ignores the
// sizes it is sent while the MDI client destroys it.
#include <functional>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/afxwin.h"
#include "tests/support/ui/KtvTestFrameBars.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPMDIChildWnd.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

namespace {

using namespace tw::test;

// Counts its layouts and runs a test's step when it is being destroyed.
class WatchedChild : public CKtvPMDIChildWnd {
public:
    void RecalcLayout(BOOL bNotify) override
    {
        layouts++;
        CKtvPMDIChildWnd::RecalcLayout(bNotify);
    }
    int layouts = 0;
    std::function<void(WatchedChild&)> onDestroy;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DESTROY && onDestroy)
            onDestroy(*this);
        return CKtvPMDIChildWnd::WindowProc(message, wParam, lParam);
    }
};

class KtvPMDIFrameTest : public HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
    }
    void TearDown() override
    {
        ::SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
        HeadlessWindowTest::TearDown();
    }

    // A frame with a 600 x 400 client area, docking on every side.
    void CreateFrame(CKtvPMDIFrameWnd* pFrame = new CKtvPMDIFrameWnd)
    {
        frame = pFrame;
        CRect rect(20, 20, 620, 420);
        ::AdjustWindowRectEx(rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
        ASSERT_TRUE(frame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect));
        ASSERT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
    }
    template <class Child = CKtvPMDIChildWnd>
    Child* AddChild(const char* title)
    {
        auto* child = new Child;
        EXPECT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_OVERLAPPEDWINDOW,
                                  CFrameWnd::rectDefault, frame));
        child->InitialUpdateFrame(nullptr, TRUE);  // as a document template does
        Pump();
        return child;
    }
    void DockFourBars()
    {
        top = KtvDockBarAt(frame, frame, 1, AFX_IDW_DOCKBAR_TOP, 200, 24, 0, 0);
        KtvDockBarAt(frame, frame, 2, AFX_IDW_DOCKBAR_BOTTOM, 150, 20, 0, 380);
        KtvDockBarAt(frame, frame, 3, AFX_IDW_DOCKBAR_LEFT, 120, 30, 0, 40);
        KtvDockBarAt(frame, frame, 4, AFX_IDW_DOCKBAR_RIGHT, 100, 26, 570, 40);
        frame->RecalcLayout();
        Pump();
    }
    CWnd* Client() const { return CWnd::FromHandle(frame->m_hWndMDIClient); }
    CKtvPTabWnd& Tabs() const { return frame->m_wndClientArea.m_wndTab; }
    // The rectangle between the bars in the frame's client area.
    CRect Free() const
    {
        CRect client;
        frame->GetClientRect(client);
        return CRect(30, 24, client.right - 26, client.bottom - 20);
    }

    CKtvPMDIFrameWnd* frame = nullptr;
    KtvCountingBar* top = nullptr;
};

TEST_F(KtvPMDIFrameTest, CreationBindsTheDockManagerSubclassesTheClientAndMakesAHiddenTabStrip)
{
    struct ProbingFrame : CKtvPMDIFrameWnd {
        CKtvPDockManager* implManagerBeforeCreate = nullptr;
        CFrameWnd* siteBeforeCreate = this;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_NCCREATE) {
                implManagerBeforeCreate = m_Impl.m_pDockManager;
                siteBeforeCreate = m_dockManager.GetDockSiteFrameWnd();
            }
            return CKtvPMDIFrameWnd::WindowProc(message, wParam, lParam);
        }
    };
    auto* probing = new ProbingFrame;
    CreateFrame(probing);

    EXPECT_EQ(probing->implManagerBeforeCreate, &frame->m_dockManager) << "bound in PreCreateWindow";
    EXPECT_EQ(probing->siteBeforeCreate, nullptr) << "the window does not exist yet";
    EXPECT_EQ(frame->m_dockManager.GetDockSiteFrameWnd(), frame) << "attached in WM_CREATE";
    ASSERT_NE(frame->m_hWndMDIClient, nullptr);
    EXPECT_EQ(frame->m_wndClientArea.GetSafeHwnd(), frame->m_hWndMDIClient);

    // The tab strip is the frame's child, hidden until the tabs are switched on, set up for MDI use.
    CKtvPTabWnd& tabs = Tabs();
    ASSERT_TRUE(::IsWindow(tabs.GetSafeHwnd()));
    EXPECT_EQ(tabs.GetParent(), frame);
    EXPECT_FALSE(tabs.IsWindowVisible());
    EXPECT_TRUE(tabs.IsHideNoTabs());
    EXPECT_TRUE(tabs.IsActiveTabBoldFont());
    EXPECT_TRUE(tabs.IsDrawNoPrefix());
    EXPECT_FALSE(tabs.m_bAutoDestroyWindow);
    EXPECT_FALSE(tabs.m_bHideInactiveWnd);
    EXPECT_FALSE(tabs.m_bAutoSizeWindow);
    EXPECT_TRUE(tabs.m_bDontEraseBkgnd);
    EXPECT_TRUE(tabs.m_bTopEdge);
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(frame->m_wndClientArea.m_TabIcons.GetSafeHandle(), &cx, &cy));
    EXPECT_EQ(CSize(cx, cy), globalData.m_sizeSmallIcon);
}

TEST_F(KtvPMDIFrameTest, TheTabStripAndTheClientShareWhatTheBarsOnFourSidesLeave)
{
    CreateFrame();
    DockFourBars();
    frame->EnableMDITabs(TRUE, TRUE, CKtvPTabWnd::LOCATION_TOP, TRUE, CKtvPTabWnd::TABSTYLE_3D_SCROLLED);
    for (const char* title : {"One", "Two", "Three"})
        AddChild(title);

    EXPECT_EQ(KtvRectIn(frame, &Tabs()), Free());
    EXPECT_EQ(Tabs().GetTabsNum(), 3);
    EXPECT_TRUE(Tabs().IsWindowVisible());
    CRect content = Tabs().m_rectWndArea;
    Tabs().ClientToScreen(content);
    frame->ScreenToClient(content);
    EXPECT_EQ(KtvRectIn(frame, Client()), content) << "the children live in the strip's content area";
    EXPECT_GT(content.top, Free().top) << "the strip is on top";

    // With the tabs off the client takes the whole free rectangle.
    frame->EnableMDITabs(FALSE);
    EXPECT_FALSE(Tabs().IsWindowVisible());
    EXPECT_EQ(KtvRectIn(frame, Client()), Free());
}

TEST_F(KtvPMDIFrameTest, FullLayoutOnMaximiseRestoreAndOutlineDragsButNotDuringFullWindowDrags)
{
    CreateFrame();
    DockFourBars();

    top->layouts = 0;
    frame->ShowWindow(SW_MAXIMIZE);
    EXPECT_GT(top->layouts, 0);
    EXPECT_EQ(KtvRectIn(frame, Client()), Free());
    top->layouts = 0;
    frame->ShowWindow(SW_RESTORE);
    EXPECT_GT(top->layouts, 0);
    EXPECT_EQ(KtvRectIn(frame, Client()), Free());

    CRect window;
    frame->GetWindowRect(window);
    top->layouts = 0;
    KtvDragBorderTo(frame, window.Width() + 60, window.Height() + 40);
    EXPECT_EQ(top->layouts, 0) << "full-window dragging only adjusts the docking layout";
    EXPECT_EQ(KtvRectIn(frame, Client()), Free());

    ::SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
    KtvDragBorderTo(frame, window.Width() - 40, window.Height() - 30);
    EXPECT_GT(top->layouts, 0) << "after an outline drag the frame lays out fully";
    EXPECT_EQ(KtvRectIn(frame, Client()), Free());
}

TEST_F(KtvPMDIFrameTest, MinimisedFrameIgnoresLayout)
{
    CreateFrame();
    DockFourBars();
    frame->ShowWindow(SW_MINIMIZE);
    top->layouts = 0;
    frame->RecalcLayout(TRUE);
    EXPECT_EQ(top->layouts, 0);
    frame->ShowWindow(SW_RESTORE);
    EXPECT_EQ(KtvRectIn(frame, Client()), Free());
}

TEST_F(KtvPMDIFrameTest, ViewToolbarCommandTogglesTheBar)
{
    CreateFrame();
    KtvCountingBar* toolbar = KtvDockBarAt(frame, frame, AFX_IDW_TOOLBAR, AFX_IDW_DOCKBAR_TOP, 200, 24, 0, 0);
    frame->RecalcLayout();
    ASSERT_EQ(KtvRectIn(frame, Client()).top, 24);

    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(toolbar->IsWindowVisible());
    EXPECT_EQ(KtvRectIn(frame, Client()).top, 0);
    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(toolbar->IsWindowVisible());
    EXPECT_EQ(KtvRectIn(frame, Client()).top, 24);
}

TEST_F(KtvPMDIFrameTest, AChildIgnoresTheSizesItIsSentWhileTheClientDestroysIt)
{
    CreateFrame();
    frame->EnableMDITabs(TRUE, TRUE, CKtvPTabWnd::LOCATION_TOP, FALSE, CKtvPTabWnd::TABSTYLE_3D_SCROLLED);
    AddChild("Stays");
    auto* child = AddChild<WatchedChild>("Goes");
    const HWND hwnd = child->m_hWnd;

    // The same sizes reach a living child's layout.
    child->layouts = 0;
    child->SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(300, 200));
    EXPECT_GT(child->layouts, 0);

    // As a maximised child's neighbours may size it while it goes.
    int layoutsWhileDestroyed = -1;
    child->onDestroy = [&](WatchedChild& self) {
        const int before = self.layouts;
        self.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(300, 200));
        self.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 100));
        layoutsWhileDestroyed = self.layouts - before;
    };
    child->MDIDestroy();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(layoutsWhileDestroyed, 0);
}

TEST_F(KtvPMDIFrameTest, HelpThatCannotStartSaysSo)
{
    // Reads the message box it owns and closes it.
    struct HelpFrame : CKtvPMDIFrameWnd {
        std::string shown;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX) {
                const HWND box = reinterpret_cast<HWND>(lParam);
                for (HWND item = ::GetWindow(box, GW_CHILD); item != nullptr; item = ::GetWindow(item, GW_HWNDNEXT)) {
                    char text[256] = {};
                    ::GetWindowText(item, text, sizeof(text));
                    shown += text;
                    shown += "\n";
                }
                ::PostMessage(box, WM_COMMAND, IDOK, 0);
            }
            return CKtvPMDIFrameWnd::WindowProc(message, wParam, lParam);
        }
    };
    auto* helpFrame = new HelpFrame;
    CreateFrame(helpFrame);
    AfxGetApp()->m_pMainWnd = frame;
    frame->SetActiveWindow();

    frame->WinHelp(0x20000 + 12, HELP_CONTEXT);
    EXPECT_NE(helpFrame->shown.find("Failed to launch help"), std::string::npos) << helpFrame->shown;
    AfxGetApp()->m_pMainWnd = nullptr;
}

// --- the MDI tabs ----------------------------------------------------------------------------------

// A small icon of one colour; the frame's image list copies it.
HICON SolidIcon(COLORREF colour)
{
    const int cx = globalData.m_sizeSmallIcon.cx;
    const int cy = globalData.m_sizeSmallIcon.cy;
    HBITMAP mask = ::CreateBitmap(cx, cy, 1, 1, nullptr);
    HBITMAP image = ::CreateBitmap(cx, cy, 1, 32, nullptr);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, image);
    RECT rect{0, 0, cx, cy};
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &rect, brush);
    ::SelectObject(dc, old);
    ::DeleteObject(brush);
    ::DeleteDC(dc);
    ICONINFO info{TRUE, 0, 0, mask, image};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(mask);
    ::DeleteObject(image);
    return icon;
}

class KtvPMDITabsTest : public KtvPMDIFrameTest {
protected:
    void SetUp() override
    {
        KtvPMDIFrameTest::SetUp();
        CreateFrame();
        frame->EnableMDITabs(TRUE, TRUE, CKtvPTabWnd::LOCATION_TOP, TRUE, CKtvPTabWnd::TABSTYLE_3D_SCROLLED);
    }
    std::vector<std::string> Labels() const
    {
        std::vector<std::string> labels;
        for (int i = 0; i < Tabs().GetTabsNum(); i++) {
            CString label;
            Tabs().GetTabLabel(i, label);
            labels.emplace_back(static_cast<LPCTSTR>(label));
        }
        return labels;
    }
    int IconOf(int iTab) const { return static_cast<int>(Tabs().GetTabIcon(iTab)); }
    int ImageCount() const { return frame->m_wndClientArea.m_TabIcons.GetImageCount(); }
};

TEST_F(KtvPMDITabsTest, EachNewChildGetsTheLastTabAndTheActiveTabFollowsActivation)
{
    CKtvPMDIChildWnd* first = AddChild("First");
    EXPECT_EQ(Tabs().GetActiveTab(), 0);
    AddChild("Second");
    EXPECT_EQ(Tabs().GetActiveTab(), 1);
    AddChild("Third");
    EXPECT_EQ(Labels(), (std::vector<std::string>{"First", "Second", "Third"}));
    EXPECT_EQ(Tabs().GetActiveTab(), 2);

    frame->MDIActivate(first);
    EXPECT_EQ(Tabs().GetActiveTab(), 0);
    EXPECT_EQ(Tabs().GetActiveWnd(), first);
}

TEST_F(KtvPMDITabsTest, RenamesAndIconsChangeOnlyTheirOwnTabAndIconsAreSharedByHandle)
{
    CKtvPMDIChildWnd* a = AddChild("A");
    CKtvPMDIChildWnd* b = AddChild("B");
    CKtvPMDIChildWnd* c = AddChild("C");
    HICON red = SolidIcon(RGB(200, 0, 0));
    HICON blue = SolidIcon(RGB(0, 0, 200));
    a->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(red));
    b->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(red));
    c->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(blue));
    EXPECT_EQ(ImageCount(), 2) << "one entry per icon handle";
    EXPECT_EQ(IconOf(0), IconOf(1));
    EXPECT_NE(IconOf(0), IconOf(2));
    EXPECT_EQ(Tabs().GetImageList()->GetSafeHandle(), frame->m_wndClientArea.m_TabIcons.GetSafeHandle());

    b->SetWindowText("B & more");
    EXPECT_EQ(Labels(), (std::vector<std::string>{"A", "B & more", "C"}));

    const int iconOfA = IconOf(0);
    HICON green = SolidIcon(RGB(0, 200, 0));
    b->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(green));
    EXPECT_EQ(ImageCount(), 3);
    EXPECT_EQ(IconOf(0), iconOfA);
    EXPECT_EQ(IconOf(1), 2);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"A", "B & more", "C"}));
}

TEST_F(KtvPMDITabsTest, RenamingAChildBringsTheActiveTabBackIntoView)
{
    CKtvPMDIChildWnd* last = nullptr;
    for (int i = 0; i < 12; i++) {
        CString title;
        title.Format("A rather long query window title %d", i);
        last = AddChild(title);
    }
    ASSERT_EQ(Tabs().GetActiveTab(), 11);
    auto activeInView = [&]() {
        CRect strip, tab;
        Tabs().GetTabsRect(strip);
        Tabs().GetTabRect(11, tab);
        return tab.left >= strip.left && tab.right <= strip.right;
    };
    Tabs().EnsureVisible(0);  // the user scrolls back to the first tab
    ASSERT_FALSE(activeInView());

    last->SetWindowText("Renamed");
    EXPECT_TRUE(activeInView());
}

TEST_F(KtvPMDITabsTest, ClosingTheLastChildHidesTheStripWithOneLayout)
{
    DockFourBars();
    CKtvPMDIChildWnd* only = AddChild("Only");
    ASSERT_GT(KtvRectIn(frame, Client()).top, Free().top);

    top->layouts = 0;
    only->MDIDestroy();
    EXPECT_EQ(Tabs().GetTabsNum(), 0);
    EXPECT_EQ(Tabs().GetTabsHeight(), 0);
    EXPECT_EQ(top->layouts, 1);
    EXPECT_EQ(KtvRectIn(frame, Client()).top, Free().top) << "the client takes the strip's place";
}

TEST_F(KtvPMDITabsTest, AChildBeingDestroyedNeverGetsATabAgain)
{
    AddChild("Stays");
    auto* goes = AddChild<WatchedChild>("Goes");
    goes->onDestroy = [this](WatchedChild&) {
        frame->m_wndClientArea.SendMessage(KTVP_WM_UPDATE_MDI_TABS);
        EXPECT_EQ(Labels(), std::vector<std::string>{"Stays"});
    };
    goes->MDIDestroy();
    EXPECT_EQ(Labels(), std::vector<std::string>{"Stays"});
}

TEST_F(KtvPMDITabsTest, WithoutTabsMinimisedChildrenKeepTheirDistanceToTheBottomEdge)
{
    frame->EnableMDITabs(FALSE);
    CKtvPMDIChildWnd* child = AddChild("Icon");
    AddChild("Open");
    child->ShowWindow(SW_MINIMIZE);
    Pump();
    auto distance = [&]() {
        CRect client;
        Client()->GetClientRect(client);
        return client.bottom - KtvRectIn(Client(), child).bottom;
    };
    const int before = distance();

    CRect window;
    frame->GetWindowRect(window);
    KtvDragBorderTo(frame, window.Width(), window.Height() - 60);
    EXPECT_EQ(distance(), before);
    KtvDragBorderTo(frame, window.Width(), window.Height() + 40);
    EXPECT_EQ(distance(), before);
}

TEST_F(KtvPMDITabsTest, SwitchingTabsOfAClosingFrameLeavesItsDrawingAlone)
{
    struct RedrawRecorder : CKtvPMDIFrameWnd {
        int redrawOff = 0;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_SETREDRAW && wParam == FALSE)
                redrawOff++;
            return CKtvPMDIFrameWnd::WindowProc(message, wParam, lParam);
        }
    };
    frame->DestroyWindow();
    auto* recorder = new RedrawRecorder;
    CreateFrame(recorder);
    frame->EnableMDITabs(TRUE, TRUE, CKtvPTabWnd::LOCATION_TOP, FALSE, CKtvPTabWnd::TABSTYLE_3D_SCROLLED);
    AddChild("One");
    AddChild("Two");

    recorder->redrawOff = 0;
    Tabs().SetActiveTab(0);
    EXPECT_EQ(recorder->redrawOff, 1);

    frame->m_bClosing = TRUE;
    recorder->redrawOff = 0;
    Tabs().SetActiveTab(1);
    EXPECT_EQ(recorder->redrawOff, 0);
    EXPECT_EQ(Tabs().GetActiveTab(), 1);
    frame->m_bClosing = FALSE;
}

TEST_F(KtvPMDITabsTest, ScreenshotOfAFrameWithBarsOnEverySideAndThreeTabbedChildren)
{
    ::ShowWindow(parent, SW_HIDE);
    DockFourBars();
    const COLORREF colours[] = {RGB(200, 60, 60), RGB(60, 160, 60), RGB(60, 60, 200), RGB(200, 160, 40)};
    for (UINT id = 1; id <= 4; id++) {
        auto* bar = static_cast<KtvCountingBar*>(frame->GetControlBar(id));
        bar->fill = colours[id - 1];
        bar->Invalidate();
    }
    AddChild("Query 1");
    AddChild("Query 2");
    CKtvPMDIChildWnd* third = AddChild("Query 3");
    frame->MDIActivate(third);
    third->RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();

    // The active tab is drawn in bold: its label is wider than the same label in the regular font.
    CRect rectActive, rectOther;
    ASSERT_TRUE(Tabs().GetTabRect(2, rectActive));
    ASSERT_TRUE(Tabs().GetTabRect(1, rectOther));
    EXPECT_GT(rectActive.Width(), rectOther.Width());
    EXPECT_LT(rectActive.bottom, KtvRectIn(&Tabs(), third).top + 1) << "the tabs are above the children";

    const std::string path = std::string(TW_FRAMES_TEST_BINARY_DIR) + "/mdi-tabs.png";
    EXPECT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(path));
}

}  // namespace
