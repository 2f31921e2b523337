// One library frame in each look: a docked toolbar, a docking pane with its
// caption holding a tab strip, a status bar and an open popup menu. Each
// picture goes next to the test program (looks-<name>.png) for a person to
// look at; the test checks that what the screen shows after a change of look
// is what the new look draws.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/menu/winmenu.h"
#include "platform/mfc/CStatic.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvLookSample.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/ui/frames/KtvPVisualManagerCanvas.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPStatusBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPFrameWnd.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPVisualManager2003.h"
#include "ui/frames/KtvPVisualManagerXP.h"

namespace {

constexpr UINT kLooksToolBarId = 0xE800;
constexpr UINT kLooksStatusBarId = 0xE801;
constexpr UINT kLooksPaneId = 0x2301;
constexpr UINT kLooksStandardToolBar = 131;  // the program's Standard toolbar and main menu

const UINT kLooksIndicators[] = {0, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};

// A pane whose client is a tab strip of three pages.
class LooksPane : public CKtvPDockingControlBar {
public:
    BOOL MakeTabs()
    {
        if (!m_wndTabs.Create(CKtvPTabWnd::TABSTYLE_3D, CRect(0, 0, 10, 10), this, 1, CKtvPBaseTabWnd::LOCATION_BOTTOM))
            return FALSE;
        for (const char* label : {"Objects", "Templates", "Snippets"}) {
            auto page = std::make_unique<CStatic>();
            page->Create(label, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &m_wndTabs, 10 + (UINT)m_pages.size());
            m_wndTabs.AddTab(page.get(), label, (UINT)-1, FALSE);
            m_pages.push_back(std::move(page));
        }
        m_wndTabs.SetActiveTab(0);
        FitTabs();
        return TRUE;
    }
    void FitTabs()
    {
        CRect rect;
        GetClientRect(rect);
        m_wndTabs.SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CKtvPTabWnd m_wndTabs;
    std::vector<std::unique_ptr<CStatic>> m_pages;
};

struct LookCase {
    const char* name;
    CRuntimeClass* pClass;
    BOOL bLook2000;
};

class LooksScreenshotTest : public tw::test::KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        KtvPrepareUiTest();
        tw::test::KtvLookCanvas::ResetLook();
    }
    void TearDown() override
    {
        if (menu != nullptr && ::IsWindow(menuHwnd))
            menu->DestroyWindow();
        tw::test::DestroyTopLevelWindows();
        KtvControlTest::TearDown();
        tw::test::KtvLookCanvas::ResetLook();
    }

    void OpenFrame()
    {
        frame = new CKtvPFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Looks", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 660, 440)));
        ASSERT_TRUE(toolBar.CreateEx(frame, TBSTYLE_FLAT,
                                     WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC,
                                     CRect(1, 1, 1, 1), kLooksToolBarId));
        ASSERT_TRUE(toolBar.LoadToolBar(kLooksStandardToolBar));
        toolBar.SetWindowText("Standard");
        ASSERT_TRUE(statusBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, kLooksStatusBarId));
        ASSERT_TRUE(statusBar.SetIndicators(kLooksIndicators, 3));
        statusBar.SetPaneText(0, "Ready");
        ASSERT_TRUE(pane.Create("Object Browser", frame, CRect(0, 0, 200, 200), TRUE, kLooksPaneId,
                                WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_HIDE_INPLACE | WS_CAPTION, 0,
                                KTVP_CBRS_FLOAT | KTVP_CBRS_RESIZE | KTVP_CBRS_CLOSE | KTVP_CBRS_AUTOHIDE));
        toolBar.EnableDocking(CBRS_ALIGN_ANY);
        pane.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
        frame->DockControlBar(&toolBar);
        frame->DockControlBar(&pane);
        frame->RecalcLayout();
        ASSERT_TRUE(pane.MakeTabs());
        Pump();
    }
    // The popup menu of the frame's File menu, opened under the toolbar.
    void OpenMenu()
    {
        HMENU hMain = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(kLooksStandardToolBar));
        ASSERT_NE(nullptr, hMain);
        HMENU hFile = ::GetSubMenu(hMain, 0);
        ASSERT_NE(nullptr, hFile);
        CRect rect;
        toolBar.GetWindowRect(rect);
        menu = new CKtvPPopupMenu;
        ASSERT_TRUE(menu->Create(frame, rect.left + 260, rect.bottom + 30, hFile, FALSE, TRUE));
        menuHwnd = menu->GetSafeHwnd();
        ::DestroyMenu(hMain);
        Pump();
    }
    void SelectLook(const LookCase& look)
    {
        CKtvPVisualManager::SetDefaultManager(look.pClass);
        CKtvPVisualManager::GetInstance()->SetLook2000(look.bLook2000);
        CKtvPVisualManager::RedrawAll();
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (::IsWindow(menuHwnd))
            menu->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
    }
    CKtvPFrameWnd* frame = nullptr;  // deletes itself with its window
    CKtvPToolBar toolBar;
    CKtvPStatusBar statusBar;
    LooksPane pane;
    CKtvPPopupMenu* menu = nullptr;
    HWND menuHwnd = nullptr;
};

TEST_F(LooksScreenshotTest, OneFrameInEachLook)
{
    OpenFrame();
    OpenMenu();
    ASSERT_TRUE(::IsWindowVisible(menuHwnd));
    const LookCase looks[] = {
        {"base", RUNTIME_CLASS(CKtvPVisualManager), FALSE},
        {"look2000", RUNTIME_CLASS(CKtvPVisualManager), TRUE},
        {"xp", RUNTIME_CLASS(CKtvPVisualManagerXP), FALSE},
        {"2003", RUNTIME_CLASS(CKtvPVisualManager2003), FALSE},
    };
    const std::filesystem::path dir = std::filesystem::canonical("/proc/self/exe").parent_path();
    std::vector<COLORREF> statusFills;
    for (const LookCase& look : looks) {
        SelectLook(look);
        CRect rectScreen;
        frame->GetWindowRect(rectScreen);
        CRect rectMenu;
        menu->GetWindowRect(rectMenu);
        rectScreen.UnionRect(rectScreen, rectMenu);
        const std::string path = (dir / ("looks-" + std::string(look.name) + ".png")).string();
        EXPECT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(path, &rectScreen)) << path;

        // The status bar's free stretch right of its panes shows the new look's fill: no bar kept
        // a colour of the look before.
        CRect rectStatus;
        statusBar.GetClientRect(rectStatus);
        const CPoint pt(rectStatus.right - 40, rectStatus.top + 1);
        const COLORREF shown = ScreenPixel(statusBar.GetSafeHwnd(), pt.x, pt.y);
        EXPECT_EQ(KtvLookBarFillAt(&statusBar, pt), shown) << look.name;
        statusFills.push_back(shown);
        EXPECT_TRUE(::IsWindowVisible(menuHwnd)) << look.name;
    }
    // The base look keeps the button face.
    EXPECT_EQ(globalData.clrBarFace, statusFills[0]);
}

// In the XP and 2003 looks a popup menu's image column is image width + 2 x margin + 1 wide: left of it the
// column's colour, from there on the menu's light colour, along a row of an item without image.
TEST_F(LooksScreenshotTest, PopupImageColumnWidth)
{
    OpenFrame();
    OpenMenu();
    CKtvPPopupMenuBar* pMenuBar = menu->GetMenuBar();
    ASSERT_NE(nullptr, pMenuBar);
    int y = -1;
    for (int i = 0; i < pMenuBar->GetCount(); i++) {
        CKtvPToolbarButton* pButton = pMenuBar->GetButton(i);
        if (pButton->m_strText.Find("Close") >= 0)
            y = pButton->m_rect.top + 2;
    }
    ASSERT_GE(y, 0);
    const LookCase looks[] = {{"xp", RUNTIME_CLASS(CKtvPVisualManagerXP), FALSE},
                              {"2003", RUNTIME_CLASS(CKtvPVisualManager2003), FALSE}};
    for (const LookCase& look : looks) {
        SelectLook(look);
        const int w = CKtvPToolBar::GetMenuImageSize().cx + 2 * CKtvPVisualManager::GetInstance()->GetMenuImageMargin() + 1;
        CRect client;
        pMenuBar->GetClientRect(client);
        const COLORREF clrLight = ScreenPixel(pMenuBar->GetSafeHwnd(), client.right - 3, y);
        int x = 0;
        while (x < client.right && ScreenPixel(pMenuBar->GetSafeHwnd(), x, y) != clrLight)
            x++;
        EXPECT_EQ(w, x) << look.name;
        EXPECT_NE(clrLight, ScreenPixel(pMenuBar->GetSafeHwnd(), w - 1, y)) << look.name;
    }
}

// The text colour of a button of the frame's toolbar under the mouse: checked or pressed, the XP and 2003
// looks write it in the highlight text colour; otherwise, and when disabled, the base look decides.
TEST_F(LooksScreenshotTest, HighlightedButtonText)
{
    OpenFrame();
    CKtvPToolbarButton* pButton = toolBar.GetButton(0);
    ASSERT_NE(nullptr, pButton);
    struct Case {
        UINT nStyle;
        ButtonState state;
        bool hilite;
    } cases[] = {
        {TBBS_CHECKED, ButtonsIsHighlighted, true},
        {TBBS_PRESSED, ButtonsIsHighlighted, true},
        {0, ButtonsIsHighlighted, false},
        {TBBS_CHECKED, ButtonsIsRegular, false},
        {TBBS_CHECKED | TBBS_DISABLED, ButtonsIsHighlighted, false},
    };
    const UINT nStyleBefore = pButton->m_nStyle;
    for (CRuntimeClass* pLook : {RUNTIME_CLASS(CKtvPVisualManagerXP), RUNTIME_CLASS(CKtvPVisualManager2003)}) {
        CKtvPVisualManager::SetDefaultManager(pLook);
        for (const Case& c : cases) {
            pButton->m_nStyle = c.nStyle;
            const COLORREF clr = CKtvPVisualManager::GetInstance()->GetToolbarButtonTextColor(pButton, c.state);
            CKtvPVisualManager base(TRUE);
            const COLORREF clrBase = base.GetToolbarButtonTextColor(pButton, c.state);
            EXPECT_EQ(c.hilite ? globalData.clrTextHilite : clrBase, clr)
                << pLook->m_lpszClassName << " style " << c.nStyle << " state " << (int)c.state;
        }
    }
    pButton->m_nStyle = nStyleBefore;
}

// In the 2003 look a docked toolbar's separators keep from its edges half of what a button is taller than its
// image (15 pixels in the Standard toolbar's strip), so they line up with the images, not the bar.
TEST_F(LooksScreenshotTest, ToolBarSizedSeparators2003)
{
    OpenFrame();
    SelectLook({"2003", RUNTIME_CLASS(CKtvPVisualManager2003), FALSE});
    CRect rectSeparator;
    for (int i = 0; i < toolBar.GetCount() && rectSeparator.IsRectEmpty(); i++)
        if (toolBar.GetButton(i)->m_nStyle & TBBS_SEPARATOR)
            rectSeparator = toolBar.GetButton(i)->m_rect;
    ASSERT_FALSE(rectSeparator.IsRectEmpty());
    const int x = (rectSeparator.left + rectSeparator.right) / 2 - 1;
    const COLORREF clrLine = ScreenPixel(toolBar.GetSafeHwnd(), x, rectSeparator.CenterPoint().y);
    int first = -1, last = -1;
    for (int y = rectSeparator.top; y < rectSeparator.bottom; y++)
        if (ScreenPixel(toolBar.GetSafeHwnd(), x, y) == clrLine) {
            if (first < 0)
                first = y;
            last = y;
        }
    const int inset = (rectSeparator.Height() - 15) / 2;
    ASSERT_GT(inset, 0);
    EXPECT_EQ(rectSeparator.top + inset, first);
    EXPECT_EQ(rectSeparator.bottom - inset - 2, last);  // the dark line of the etched pair ends one short
    // Its light partner runs one pixel lower, right of it.
    EXPECT_NE(clrLine, ScreenPixel(toolBar.GetSafeHwnd(), x + 1, rectSeparator.CenterPoint().y));
}

}  // namespace
