// What the XP and 2003 looks draw on real bars: a toolbar free to float,
// docked in a row of a library frame, its gripper, separators, highlighted
// buttons and customise button; popup menus with their separators, borders and
// joined items; and the pieces drawn for bars the frame does not hold at the
// moment (tear-off captions, the customise sheet's command list, a docking
// pane's gripper title), drawn with the live bar objects on small canvases.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/menu/winmenu.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvLookSample.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/ui/frames/KtvPVisualManagerCanvas.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPFrameWnd.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPVisualManager2003.h"
#include "ui/frames/KtvPVisualManagerXP.h"

namespace {

using tw::test::KtvLookCanvas;
using tw::test::KtvLookSurface;
using tw::test::PenColor;

constexpr UINT kBarsToolBarId = 0xE800;
constexpr UINT kBarsPaneId = 0x2311;
constexpr UINT kBarsStandardToolBar = 131;  // the program's Standard toolbar and main menu
constexpr UINT kBarsCustomizeCmd = 0x8101;

enum class BarsLook { XP, Office2003 };

// Offers every command, so that the bars' buttons stay enabled through the idle update.
class LooksBarsFrame : public CKtvPFrameWnd {
protected:
    void OnUpdateAnyCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LooksBarsFrame, CKtvPFrameWnd)
    ON_UPDATE_COMMAND_UI_RANGE(1, 0xEFFF, OnUpdateAnyCommand)
END_MESSAGE_MAP()

const char* NameOf(BarsLook look) { return look == BarsLook::XP ? "XP" : "2003"; }

CKtvPVisualManagerXP* UseLook(BarsLook look)
{
    CKtvPVisualManager::SetDefaultManager(look == BarsLook::XP ? RUNTIME_CLASS(CKtvPVisualManagerXP)
                                                               : RUNTIME_CLASS(CKtvPVisualManager2003));
    return dynamic_cast<CKtvPVisualManagerXP*>(CKtvPVisualManager::GetInstance());
}

class LooksBarsTest : public tw::test::KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        KtvPrepareUiTest();
        KtvLookCanvas::ResetLook();
        CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
    }
    void TearDown() override
    {
        if (menu != nullptr && ::IsWindow(menuHwnd))
            menu->DestroyWindow();
        tw::test::DestroyTopLevelWindows();
        CKtvPMenuSound::Terminate();
        KtvControlTest::TearDown();
        KtvLookCanvas::ResetLook();
        globalData.m_nBitsPerPixel = 32;
        globalData.UpdateSysColors();
    }

    // A frame with the Standard toolbar docked in a row at the top, as the program docks its bars.
    void OpenFrame(CRect rect = CRect(20, 20, 660, 440))
    {
        frame = new LooksBarsFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Looks", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect));
        ASSERT_TRUE(toolBar.CreateEx(frame, TBSTYLE_FLAT,
                                     WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC,
                                     CRect(1, 1, 1, 1), kBarsToolBarId));
        ASSERT_TRUE(toolBar.LoadToolBar(kBarsStandardToolBar));
        toolBar.SetControlBarStyle(toolBar.GetControlBarStyle() | KTVP_CBRS_FLOAT);
        toolBar.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
        frame->DockControlBar(&toolBar);
        frame->RecalcLayout();
        PumpFiltered();
        ASSERT_TRUE(toolBar.IsDocked());
    }
    void Repaint()
    {
        CKtvPVisualManager::RedrawAll();
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (menu != nullptr && ::IsWindow(menuHwnd))
            menu->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFiltered();
    }
    CKtvPVisualManagerXP* Select(BarsLook look)
    {
        CKtvPVisualManagerXP* pManager = UseLook(look);
        Repaint();
        return pManager;
    }
    static COLORREF AtScreen(int x, int y) { return tw::display::Display::Instance().GetScreen().PixelColor(x, y); }
    // A pixel of a window in its window coordinates (the non-client area included).
    COLORREF WindowPixel(CWnd* pWnd, int x, int y)
    {
        CRect rectWindow;
        pWnd->GetWindowRect(rectWindow);
        CPoint ptClient(rectWindow.left + x, rectWindow.top + y);
        pWnd->ScreenToClient(&ptClient);
        return ScreenPixel(pWnd->GetSafeHwnd(), ptClient.x, ptClient.y);
    }
    COLORREF ClientPixel(CWnd* pWnd, int x, int y) { return ScreenPixel(pWnd->GetSafeHwnd(), x, y); }
    // The first button with the separator style, in the bar's client coordinates.
    static CRect FirstSeparator(CKtvPToolBar* pBar)
    {
        for (int i = 0; i < pBar->GetCount(); i++)
            if (pBar->GetButton(i)->m_nStyle & TBBS_SEPARATOR)
                return pBar->GetButton(i)->m_rect;
        return CRect();
    }
    // A popup menu of the frame, opened at a screen point.
    void OpenPopup(HMENU hMenu, int x, int y)
    {
        menu = new CKtvPPopupMenu;
        ASSERT_TRUE(menu->Create(frame, x, y, hMenu, FALSE, TRUE));
        menuHwnd = menu->GetSafeHwnd();
        PumpFiltered();
    }

    CKtvPFrameWnd* frame = nullptr;  // deletes itself with its window
    CKtvPToolBar toolBar;
    CKtvPPopupMenu* menu = nullptr;
    HWND menuHwnd = nullptr;
};

// --- the docked toolbar -------------------------------------------------------------------------------------

// The 2003 look's pass over a docked toolbar's whole window: the shadow line along the bottom, the softened
// corners, and the dock bar behind it showing at the corners the band leaves out.
TEST_F(LooksBarsTest, DockedToolbarEdgePass2003)
{
    OpenFrame();
    auto* pManager = static_cast<CKtvPVisualManager2003*>(Select(BarsLook::Office2003));
    CRect rectWindow;
    toolBar.GetWindowRect(rectWindow);
    const int w = rectWindow.Width();
    const int h = rectWindow.Height();
    ASSERT_GT(w, 40);
    struct Case {
        const char* what;
        CPoint pt;
        COLORREF expected;
    } const cases[] = {
        {"top-left corner, top", {1, 0}, pManager->m_clrToolBarCorner1},
        {"top-left corner, left", {0, 1}, pManager->m_clrToolBarCorner1},
        {"top-right corner, top", {w - 2, 0}, pManager->m_clrToolBarCorner1},
        {"top-right corner, right", {w - 1, 1}, pManager->m_clrToolBarCorner1},
        {"bottom-left corner", {1, h - 2}, pManager->m_clrToolBarCorner2},
        {"bottom-right corner", {w - 2, h - 2}, pManager->m_clrToolBarCorner2},
        {"bottom line, start", {2, h - 1}, pManager->m_clrToolBarBottomLine},
        {"bottom line, middle", {w / 2, h - 1}, pManager->m_clrToolBarBottomLine},
        {"bottom line, end", {w - 2, h - 1}, pManager->m_clrToolBarBottomLine},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowPixel(&toolBar, c.pt.x, c.pt.y), c.expected) << c.what;

    // The far end's last column is a gradient from the bottom line's colour (at its foot) up to the band's.
    EXPECT_EQ(WindowPixel(&toolBar, w - 1, h - 2), pManager->m_clrToolBarBottomLine);
    // The outermost corner pixels are the dock bar's, painted behind the toolbar.
    CWnd* pDockBar = toolBar.GetParent();
    ASSERT_NE(pDockBar, nullptr);
    CPoint ptCorner(rectWindow.left, rectWindow.top);
    pDockBar->ScreenToClient(&ptCorner);
    EXPECT_EQ(WindowPixel(&toolBar, 0, 0),
              KtvLookBarFillAt(static_cast<CKtvPBaseControlBar*>(pDockBar), ptCorner));
}

// The 2003 gripper: 2 x 2 dots every 4 pixels in a 4-pixel column at the gripper's right end, kept off the bar's
// ends by half of what a button is taller than its image.
TEST_F(LooksBarsTest, GripperDots2003)
{
    OpenFrame();
    auto* pManager = static_cast<CKtvPVisualManager2003*>(Select(BarsLook::Office2003));
    CRect rectWindow;
    toolBar.GetWindowRect(rectWindow);
    CRect rectClient;
    toolBar.GetClientRect(rectClient);
    toolBar.ClientToScreen(rectClient);
    // The gripper is the part of the window left of the client area.
    const int xGripperRight = rectClient.left - rectWindow.left - 1;
    ASSERT_GT(xGripperRight, 4);
    const int xBand = xGripperRight - 4;
    const int nInset = (CKtvPToolBar::m_sizeCurButton.cy - CKtvPToolBar::m_sizeCurImage.cy) / 2;
    ASSERT_GT(nInset, 0);
    const int nLength = rectWindow.Height() - 2 * nInset;
    const int nDots = (nLength - 4) / 4;
    const int nFirst = nInset + ((nLength - 4) % 4 + 4) / 2;
    ASSERT_GT(nDots, 1);

    std::vector<int> dotTops;
    for (int y = 0; y < rectWindow.Height(); y++) {
        const bool dark = WindowPixel(&toolBar, xBand, y) == pManager->m_clrToolBarGripper;
        const bool above = y > 0 && WindowPixel(&toolBar, xBand, y - 1) == pManager->m_clrToolBarGripper;
        if (dark && !above)
            dotTops.push_back(y);
    }
    ASSERT_EQ(static_cast<int>(dotTops.size()), nDots);
    for (int i = 0; i < nDots; i++) {
        SCOPED_TRACE(i);
        const int y = dotTops[i];
        EXPECT_EQ(y, nFirst + 4 * i);
        EXPECT_EQ(WindowPixel(&toolBar, xBand + 1, y + 1), pManager->m_clrToolBarGripper);
        EXPECT_EQ(WindowPixel(&toolBar, xBand + 2, y + 2), globalData.clrBtnHilite);
        EXPECT_EQ(WindowPixel(&toolBar, xBand + 2, y + 1), globalData.clrBtnHilite);
        EXPECT_NE(WindowPixel(&toolBar, xBand, y + 2), pManager->m_clrToolBarGripper);
    }
}

// The 2003 customise button is drawn with its toolbar, reaching the window's far end: light edges on top,
// dark below, its arrow black inside.
TEST_F(LooksBarsTest, CustomizeButtonDrawnWithItsToolbar2003)
{
    OpenFrame();
    toolBar.EnableCustomizeButton(TRUE, kBarsCustomizeCmd, "Customize");
    toolBar.AdjustLayout();
    frame->RecalcLayout();
    auto* pManager = static_cast<CKtvPVisualManager2003*>(Select(BarsLook::Office2003));
    CKtvPToolbarButton* pButton = toolBar.GetButton(toolBar.GetCount() - 1);
    ASSERT_NE(pButton, nullptr);
    ASSERT_FALSE(pButton->m_rect.IsRectEmpty());

    CRect rectWindow;
    toolBar.GetWindowRect(rectWindow);
    CRect rectButton = pButton->m_rect;
    toolBar.ClientToScreen(rectButton);
    rectButton.OffsetRect(-rectWindow.left, -rectWindow.top);
    const int w = rectWindow.Width();
    const int h = rectWindow.Height();
    // From the button's left edge to the window's right edge, over the whole height.
    const int x0 = w - rectButton.Width() - (w - rectButton.right);
    const COLORREF c1 = pManager->m_clrCustomizeButtonGradient2;
    const COLORREF c2 = pManager->m_clrCustomizeButtonGradient1;
    struct Case {
        const char* what;
        CPoint pt;
        COLORREF expected;
    } const cases[] = {
        {"top edge", {x0 + 3, 0}, c1},
        {"top edge, second row", {x0 + 3, 1}, c1},
        {"top edge at the far end", {w - 3, 0}, c1},
        {"bottom edge", {x0 + 3, h - 1}, c2},
        {"bottom edge, second row", {x0 + 3, h - 2}, c2},
        {"bottom edge's ends", {x0, h - 1}, c1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowPixel(&toolBar, c.pt.x, c.pt.y), c.expected) << c.what;
    EXPECT_EQ(WindowPixel(&toolBar, x0, 0), CKtvPDrawManager::ScaleColor(c1, 90)) << "top-left corner";
    // Left of the button the toolbar's own band and bottom line go on.
    EXPECT_EQ(WindowPixel(&toolBar, x0 - 3, h - 1), pManager->m_clrToolBarBottomLine);
    int nBlack = 0;
    for (int y = 2; y < h - 2; y++)
        for (int x = x0 + 2; x < w - 2; x++)
            nBlack += WindowPixel(&toolBar, x, y) == RGB(0, 0, 0);
    EXPECT_GT(nBlack, 2) << "the customise arrow";
}

// Toolbar and menu separators in both looks: XP one line in its separator pen across the middle; in a popup
// menu from after the image column to the menu's edge.
TEST_F(LooksBarsTest, SeparatorsOfBarsAndMenus)
{
    OpenFrame();
    HMENU hMain = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(kBarsStandardToolBar));
    ASSERT_NE(hMain, nullptr);
    CRect rectToolBar;
    toolBar.GetWindowRect(rectToolBar);
    OpenPopup(::GetSubMenu(hMain, 0), rectToolBar.left + 260, rectToolBar.bottom + 30);
    ::DestroyMenu(hMain);
    CKtvPPopupMenuBar* pMenuBar = menu->GetMenuBar();
    ASSERT_NE(pMenuBar, nullptr);
    const CRect rectMenuSeparator = FirstSeparator(pMenuBar);
    ASSERT_FALSE(rectMenuSeparator.IsRectEmpty());
    const CRect rectBarSeparator = FirstSeparator(&toolBar);
    ASSERT_FALSE(rectBarSeparator.IsRectEmpty());

    for (BarsLook look : {BarsLook::XP, BarsLook::Office2003}) {
        SCOPED_TRACE(NameOf(look));
        CKtvPVisualManagerXP* pManager = Select(look);
        const COLORREF clrLine = PenColor(pManager->m_penSeparator);

        // In a popup menu: from image width + margin + 1 to the right edge, in both looks.
        const int y = (rectMenuSeparator.top + rectMenuSeparator.bottom) / 2;
        const int x0 = rectMenuSeparator.left + CKtvPToolBar::GetMenuImageSize().cx + pManager->GetMenuImageMargin() + 1;
        CRect rectMenuClient;
        pMenuBar->GetClientRect(rectMenuClient);
        EXPECT_EQ(ClientPixel(pMenuBar, x0, y), clrLine);
        EXPECT_EQ(ClientPixel(pMenuBar, rectMenuClient.right - 1, y), clrLine);
        EXPECT_NE(ClientPixel(pMenuBar, x0 - 1, y), clrLine) << "the image column";
        EXPECT_NE(ClientPixel(pMenuBar, x0 + 5, y - 1), clrLine);

        if (look == BarsLook::XP) {
            // On the toolbar: one vertical line at the middle, from the top to one above the bottom.
            const int x = (rectBarSeparator.left + rectBarSeparator.right) / 2;
            EXPECT_EQ(ClientPixel(&toolBar, x, rectBarSeparator.top), clrLine);
            EXPECT_EQ(ClientPixel(&toolBar, x, rectBarSeparator.bottom - 2), clrLine);
            EXPECT_NE(ClientPixel(&toolBar, x, rectBarSeparator.bottom - 1), clrLine);
            EXPECT_EQ(ClientPixel(&toolBar, x + 1, rectBarSeparator.CenterPoint().y), pManager->m_clrBarBkgnd);
            EXPECT_EQ(ClientPixel(&toolBar, x - 1, rectBarSeparator.CenterPoint().y), pManager->m_clrBarBkgnd);
        }
    }
}

// A toolbar button under the mouse, and held down: framed in the item border colour, filled with the
// highlight (pressed: the darker highlight); the pixel right of the frame is the bar's.
TEST_F(LooksBarsTest, HighlightedAndPressedToolbarButtons)
{
    OpenFrame();
    int iButton = -1;
    for (int i = 0; i < toolBar.GetCount() && iButton < 0; i++)
        if (!(toolBar.GetButton(i)->m_nStyle & (TBBS_SEPARATOR | TBBS_DISABLED)))
            iButton = i;
    ASSERT_GE(iButton, 0);
    for (BarsLook look : {BarsLook::XP, BarsLook::Office2003}) {
        SCOPED_TRACE(NameOf(look));
        CKtvPVisualManagerXP* pManager = Select(look);
        const CRect rect = toolBar.GetButton(iButton)->m_rect;
        const POINT at = ScreenPointOf(toolBar.GetSafeHwnd(), rect.CenterPoint().x, rect.CenterPoint().y);
        input.MouseMove(at.x - 1, at.y);
        input.MouseMove(at.x, at.y);
        PumpFiltered();
        toolBar.UpdateWindow();
        ASSERT_TRUE(toolBar.IsButtonHighlighted(iButton));
        struct Step {
            const char* what;
            bool press;
            COLORREF fill;
        } const steps[] = {{"hot", false, pManager->m_clrHighlight}, {"pressed", true, pManager->m_clrHighlightDn}};
        for (const Step& s : steps) {
            SCOPED_TRACE(s.what);
            if (s.press) {
                input.ButtonDown(tw::display::MouseButton::Left, at.x, at.y);
                PumpFiltered();
                toolBar.UpdateWindow();
            }
            EXPECT_EQ(ClientPixel(&toolBar, rect.left, rect.top), pManager->m_clrMenuItemBorder);
            EXPECT_EQ(ClientPixel(&toolBar, rect.right - 2, rect.bottom - 2), pManager->m_clrMenuItemBorder);
            EXPECT_EQ(ClientPixel(&toolBar, rect.left + 1, rect.top + 1), s.fill);
            EXPECT_EQ(ClientPixel(&toolBar, rect.right - 3, rect.bottom - 3), s.fill);
            EXPECT_NE(ClientPixel(&toolBar, rect.right - 1, rect.CenterPoint().y), pManager->m_clrMenuItemBorder);
        }
        input.ButtonUp(tw::display::MouseButton::Left, at.x + 300, at.y + 200);
        input.MouseMove(at.x + 300, at.y + 200);
        PumpFiltered();
    }
}

// --- popup menus ---------------------------------------------------------------------------------------------

// XP: an item whose sub-menu drops down from it is, while that sub-menu is open, drawn joined to it: in the bar
// colour framed like the menu.
TEST_F(LooksBarsTest, ItemWithOpenSubMenuIsJoinedToItXP)
{
    OpenFrame();
    CKtvPVisualManagerXP* pManager = Select(BarsLook::XP);
    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenu(hSub, MF_STRING, 0x8201, "Inner");
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, 0x8202, "First");
    ::AppendMenu(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), "More");
    OpenPopup(hMenu, 200, 200);
    ::DestroyMenu(hMenu);
    CKtvPPopupMenuBar* pBar = menu->GetMenuBar();
    ASSERT_NE(pBar, nullptr);
    // The item opens its sub-menu as a drop-down, its arrow pointing down.
    auto* pDropItem = dynamic_cast<CKtvPToolbarMenuButton*>(pBar->GetButton(1));
    ASSERT_NE(pDropItem, nullptr);
    pDropItem->m_bArrowDown = TRUE;
    menu->SendMessage(WM_KEYDOWN, VK_HOME);
    menu->SendMessage(WM_KEYDOWN, VK_DOWN);
    menu->SendMessage(WM_KEYDOWN, VK_RIGHT);
    PumpFiltered();
    auto* pItem = dynamic_cast<CKtvPToolbarMenuButton*>(pBar->GetButton(1));
    ASSERT_NE(pItem, nullptr);
    ASSERT_NE(pItem->m_pPopupMenu, nullptr) << "the sub-menu is open";
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const CRect rect = pItem->m_rect;
    EXPECT_EQ(ClientPixel(pBar, rect.CenterPoint().x, rect.top), pManager->m_clrMenuBorder);
    EXPECT_EQ(ClientPixel(pBar, rect.CenterPoint().x, rect.bottom - 1), pManager->m_clrMenuBorder);
    EXPECT_EQ(ClientPixel(pBar, rect.right - 25, rect.top + 2), pManager->m_clrBarBkgnd);
}

// XP: a bar's menu that opens upward above its button leaves a gap in its bottom edge where it meets the
// button, and the button, grown toward it, keeps its sides and loses its top edge.
TEST_F(LooksBarsTest, MenuAboveItsButtonJoinsItXP)
{
    const int cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    OpenFrame(CRect(20, cyScreen - 200, 660, cyScreen));
    CKtvPMenuBar menuBar;
    ::SetMenu(frame->GetSafeHwnd(), ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(kBarsStandardToolBar)));
    ASSERT_TRUE(menuBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM));
    menuBar.SetControlBarStyle(menuBar.GetControlBarStyle() | KTVP_CBRS_FLOAT);
    menuBar.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&menuBar, AFX_IDW_DOCKBAR_BOTTOM);
    frame->RecalcLayout();
    PumpFiltered();
    CKtvPVisualManagerXP* pManager = Select(BarsLook::XP);

    ASSERT_TRUE(menuBar.TranslateChar('F'));
    PumpFiltered();
    CKtvPToolbarMenuButton* pButton = menuBar.GetDroppedDownMenu();
    ASSERT_NE(pButton, nullptr);
    CKtvPPopupMenu* pPopup = pButton->m_pPopupMenu;
    ASSERT_NE(pPopup, nullptr);
    ASSERT_EQ(pPopup->m_nDropDirection, CKtvPPopupMenu::DROP_DIRECTION_TOP);
    pPopup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    menuBar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    PumpFiltered();

    // The menu's bottom edge: a gap in the bar colour over the button, the border colour beyond it.
    CRect rectMenu;
    pPopup->GetWindowRect(rectMenu);
    CRect rectButton = pButton->m_rect;
    menuBar.ClientToScreen(rectButton);
    int yEdge = -1;
    for (int y = rectMenu.bottom - 1; y > rectMenu.top && yEdge < 0; y--)
        if (AtScreen(rectMenu.left, y) == pManager->m_clrMenuBorder)
            yEdge = y;
    ASSERT_GT(yEdge, 0);
    EXPECT_EQ(AtScreen(rectButton.left + 3, yEdge), pManager->m_clrBarBkgnd);
    EXPECT_EQ(AtScreen(rectButton.right - 4, yEdge), pManager->m_clrBarBkgnd);
    ASSERT_GT(rectMenu.right - 4, rectButton.right + 2) << "the menu is wider than its button";
    EXPECT_EQ(AtScreen(rectButton.right + 2, yEdge), pManager->m_clrMenuBorder);
    EXPECT_EQ(AtScreen(rectButton.left, yEdge), pManager->m_clrMenuBorder);

    // The button: no edge along its top, its sides in the menu's border colour, its inside the bar colour.
    const CRect rect = pButton->m_rect;
    EXPECT_EQ(ClientPixel(&menuBar, rect.CenterPoint().x, rect.top), pManager->m_clrBarBkgnd);
    EXPECT_EQ(ClientPixel(&menuBar, rect.left, rect.top), pManager->m_clrMenuBorder);
    EXPECT_EQ(ClientPixel(&menuBar, rect.right - 2, rect.top + 2), pManager->m_clrMenuBorder);
    EXPECT_EQ(ClientPixel(&menuBar, rect.CenterPoint().x, rect.bottom - 2), pManager->m_clrMenuBorder);
    pPopup->SendMessage(WM_CLOSE);
    PumpFiltered();
    menuBar.DestroyWindow();
}

}  // namespace

// --- pieces drawn with live bars on canvases ---------------------------------------------------------------

namespace {

class LooksPiecesTest : public KtvLookCanvas {
protected:
    // The colour a left-to-right gradient of 64 bands over a width gives the column x.
    static COLORREF GradientColumn(COLORREF clrStart, COLORREF clrFinish, int nWidth, int x)
    {
        int iBand = 0;
        for (int i = 0; i < 64; i++)
            if ((nWidth * i >> 6) <= x && x < (nWidth * (i + 1) >> 6))
                iBand = i;
        const auto mix = [iBand](int a, int b) { return (a * (64 - iBand) + b * iBand) >> 6; };
        return RGB(mix(GetRValue(clrStart), GetRValue(clrFinish)), mix(GetGValue(clrStart), GetGValue(clrFinish)),
                   mix(GetBValue(clrStart), GetBValue(clrFinish)));
    }
};

// Tear-off captions in both looks, active and not: the menu's light ring, the fill, the active frame, and the
// grip: XP a striped strip 20 pixels wide in the middle, 2003 dots along the bottom.
TEST_F(LooksPiecesTest, TearOffCaptions)
{
    const CRect rect(0, 0, 60, 12);
    for (BarsLook look : {BarsLook::XP, BarsLook::Office2003}) {
        for (BOOL bActive : {FALSE, TRUE}) {
            SCOPED_TRACE(std::string(NameOf(look)) + (bActive ? " active" : " inactive"));
            CKtvPVisualManagerXP* pManager = UseLook(look);
            auto* p2003 = dynamic_cast<CKtvPVisualManager2003*>(pManager);
            Clear();
            pManager->OnDrawTearOffCaption(&dc, rect, bActive);
            EXPECT_EQ(At(0, 0), pManager->m_clrMenuLight);
            EXPECT_EQ(At(59, 11), pManager->m_clrMenuLight);
            EXPECT_EQ(At(60, 5), kWhite);
            const COLORREF clrFrame = look == BarsLook::XP ? globalData.clrBarDkShadow : pManager->m_clrMenuBorder;
            const COLORREF clrFill = bActive ? pManager->m_clrHighlight
                                     : look == BarsLook::XP ? pManager->m_clrBarBkgnd
                                                            : globalData.clrBarFace;
            EXPECT_EQ(At(1, 1), bActive ? clrFrame : clrFill);
            EXPECT_EQ(At(58, 10), bActive ? clrFrame : clrFill);
            EXPECT_EQ(At(3, 3), clrFill);
            if (look == BarsLook::XP) {
                // Stripes only in the middle strip (20 columns, or twice the image width when that is more than
                // 18), one pixel off the fill's ends (two when active).
                const COLORREF clrStripe = bActive ? globalData.clrBarDkShadow : globalData.clrBarShadow;
                const int cxImage = CKtvPToolBar::GetMenuImageSize().cx;
                const int nStrip = 2 * cxImage > 18 ? 2 * cxImage : 20;
                const int xStrip = 30 - nStrip / 2;
                const int yFirst = bActive ? 3 : 2;
                EXPECT_GT(Count(CRect(xStrip, yFirst, xStrip + nStrip, 12 - yFirst), clrStripe), nStrip);
                EXPECT_EQ(Count(CRect(2, 2, xStrip, 10), clrStripe), 0);
                EXPECT_EQ(Count(CRect(xStrip + nStrip, 2, 58, 10), clrStripe), 0);
                EXPECT_EQ(Count(CRect(xStrip, 2, xStrip + nStrip, yFirst), clrStripe), 0);
            } else {
                // The inner rectangle is 58 wide: 13 dots from 3 pixels in, along its last four rows.
                ASSERT_NE(p2003, nullptr);
                const COLORREF clrDot = p2003->m_clrToolBarGripper;
                std::vector<int> lefts;
                for (int x = 1; x < 59; x++)
                    if (At(x, 7) == clrDot && At(x - 1, 7) != clrDot)
                        lefts.push_back(x);
                ASSERT_EQ(lefts.size(), 13u);
                EXPECT_EQ(lefts.front(), 1 + 3);
                EXPECT_EQ(lefts.back(), 1 + 3 + 12 * 4);
                EXPECT_EQ(At(lefts.front() + 2, 9), globalData.clrBtnHilite);
            }
        }
    }
}

// The customise sheet's command list: a selected row framed and filled with the highlight, its text in white or
// black by the highlight's darkness; a plain row light with the image column in the bar colour.
TEST_F(LooksPiecesTest, CommandsListRows)
{
    const CRect rect(0, 0, 100, 20);
    for (BarsLook look : {BarsLook::XP, BarsLook::Office2003}) {
        SCOPED_TRACE(NameOf(look));
        CKtvPVisualManagerXP* pManager = UseLook(look);
        const int xColumnEnd = pManager->GetMenuImageMargin() + CKtvPToolBar::GetMenuImageSize().cx + 2;

        // The image column: XP in the bar colour, 2003 a gradient across it from the light toolbar colour.
        auto* p2003 = dynamic_cast<CKtvPVisualManager2003*>(pManager);
        const auto column = [&](int x) {
            return p2003 == nullptr ? pManager->m_clrBarBkgnd
                                    : GradientColumn(p2003->m_clrToolBarGradient2, p2003->m_clrToolBarGradient1,
                                                     xColumnEnd, x);
        };
        Clear();
        EXPECT_EQ(pManager->OnFillCommandsListBackground(&dc, rect, FALSE), globalData.clrBarText);
        EXPECT_EQ(At(0, 10), column(0));
        EXPECT_EQ(At(xColumnEnd / 2, 10), column(xColumnEnd / 2));
        EXPECT_EQ(At(xColumnEnd - 1, 10), column(xColumnEnd - 1));
        EXPECT_EQ(At(xColumnEnd, 10), pManager->m_clrMenuLight);
        EXPECT_EQ(At(99, 19), pManager->m_clrMenuLight);

        Clear();
        const COLORREF hl = pManager->m_clrHighlight;
        const bool dark = GetRValue(hl) < 129 || GetGValue(hl) < 129 || GetBValue(hl) < 129;
        EXPECT_EQ(pManager->OnFillCommandsListBackground(&dc, rect, TRUE), dark ? RGB(255, 255, 255) : RGB(0, 0, 0));
        EXPECT_EQ(At(0, 0), pManager->m_clrMenuItemBorder);
        EXPECT_EQ(At(99, 19), pManager->m_clrMenuItemBorder);
        EXPECT_EQ(At(1, 1), hl);
        EXPECT_EQ(At(50, 10), hl);
    }
}

// XP: a docking pane's gripper band carries the pane's title, on an opaque bar-coloured background in the bar's
// text colour, left-aligned; the dots run on right of it.
TEST_F(LooksPiecesTest, DockingPaneGripperTitleXP)
{
    auto* pHost = new CKtvPFrameWnd;  // deletes itself with its window
    ASSERT_TRUE(pHost->Create(nullptr, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 400, 300)));
    CKtvPDockingControlBar pane;
    ASSERT_TRUE(pane.Create("Pane", pHost, CRect(0, 0, 200, 200), TRUE, kBarsPaneId, WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0,
                            KTVP_CBRS_FLOAT | KTVP_CBRS_RESIZE));
    CKtvPVisualManagerXP* pManager = UseLook(BarsLook::XP);

    const CRect rectGripper(0, 0, 120, 20);
    pManager->OnDrawBarGripper(&dc, rectGripper, TRUE, &pane);
    CFont* pOld = dc.SelectObject(CKtvPMenuBar::GetMenuFont(TRUE));
    const CSize sizeText = dc.GetTextExtent(" Pane ");
    dc.SelectObject(pOld);
    ASSERT_LT(4 + sizeText.cx, 110);
    const int yText = (20 - sizeText.cy - 1) / 2;
    const CRect rectText(4, yText, 4 + sizeText.cx, yText + sizeText.cy);

    // Outside the band (4 pixels in from each end) nothing is drawn.
    EXPECT_EQ(Count(CRect(0, 0, 4, 20), kWhite), 4 * 20);
    EXPECT_EQ(Count(CRect(116, 0, 120, 20), kWhite), 4 * 20);
    // The title's box holds no dot and its first row is the bar's face; its letters are in the text colour.
    EXPECT_EQ(Count(rectText, pManager->m_clrGripper), 0);
    EXPECT_EQ(At(rectText.left, rectText.top), globalData.clrBarFace);
    EXPECT_TRUE(TextIn(rectText, globalData.clrBarText));
    // Right of the title: dots in every other column on the bar's face.
    const int x = rectText.right + 4;
    const COLORREF a = At(x, 10);
    const COLORREF b = At(x + 1, 10);
    EXPECT_EQ(std::set<COLORREF>({a, b}), std::set<COLORREF>({pManager->m_clrGripper, globalData.clrBarFace}));
    EXPECT_EQ(At(x + 2, 10), a);
    EXPECT_EQ(At(x, 3), a);
    pane.DestroyWindow();
    pHost->DestroyWindow();
}

}  // namespace
