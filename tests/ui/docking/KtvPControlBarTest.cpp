// The bars' own values: the inner rectangle, the dock-target sensitivity, the stored state under its keys, the
// archive piece, and drags with injected mouse input.
#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMemFile.h"
#include "tests/support/ScopedAppNames.h"
#include "tests/support/ui/KtvTestDockFrame.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvRegPath.h"

namespace {

using tw::test::KtvTestBar;
using tw::test::KtvTestDockFrame;

using BarTest = tw::test::DockFrameTest;

TEST_F(BarTest, CalcInsideRectTakesBordersAndGripper)
{
    KtvTestBar* pBar = AddBar(1, 100, 30);
    DockAt(pBar, AFX_IDW_DOCKBAR_TOP, 0, 0);
    struct {
        DWORD dwExtraStyle;
        BOOL bHorz;
        CRect expected;
    } cases[] = {
        {CBRS_GRIPPER | CBRS_BORDER_ANY, TRUE, CRect(14, 3, 93, 27)},
        {CBRS_GRIPPER | CBRS_BORDER_ANY | CBRS_FLOATING, TRUE, CRect(7, 3, 93, 27)},
        {CBRS_BORDER_ANY, TRUE, CRect(7, 3, 93, 27)},
        {0, TRUE, CRect(6, 2, 94, 28)},
        {CBRS_GRIPPER, FALSE, CRect(2, 13, 98, 24)},
    };
    for (const auto& c : cases) {
        pBar->m_dwStyle = (pBar->m_dwStyle & CBRS_ALIGN_ANY) | c.dwExtraStyle;
        CRect rect(0, 0, 100, 30);
        pBar->CalcInsideRect(rect, c.bHorz);
        EXPECT_EQ(c.expected, rect) << std::hex << c.dwExtraStyle;
    }
}

// A toolbar-like bar: its non-client area, sized and painted by the border object.
class GripperBar : public KtvTestBar {
public:
    GripperBar() : KtvTestBar(100, 30), m_impl(this) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCCALCSIZE) {
            m_impl.CalcNcSize(reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
            return 0;
        }
        if (message == WM_NCPAINT) {
            m_impl.DrawNcArea();
            return 0;
        }
        return KtvTestBar::WindowProc(message, wParam, lParam);
    }

    CKtvPControlBarImpl m_impl;
};

// A docked bar with a gripper shows its border lines and two raised ridges across
// the middle of the gripper, lying across the bar whichever side it docks to.
TEST_F(BarTest, DockedBarPaintsItsBorderAndGripper)
{
    enum Shade { H, S };  // the bar highlight or shadow colour
    struct Pixel {
        int x;
        int y;
        Shade shade;
    };
    struct {
        UINT nDockBarID;
        CPoint pt;
        std::vector<Pixel> pixels;  // window coordinates of the 100 x 30 bar
    } cases[] = {
        // Gripper (0,0)-(13,30): ridges at x 4-6 and 8-10, rows 2-27, a highlight dot at the foot of each.
        {AFX_IDW_DOCKBAR_TOP,
         CPoint(0, 0),
         {{0, 10, H}, {50, 0, H}, {99, 10, S}, {50, 29, S}, {4, 10, H}, {6, 10, S}, {5, 2, H}, {5, 27, S}, {4, 27, H},
          {8, 10, H}, {10, 10, S}, {8, 27, H}}},
        // Gripper (0,0)-(30,13): ridges at rows 5-7 and 9-11, columns 2-27, a highlight dot at the far end of each.
        {AFX_IDW_DOCKBAR_LEFT,
         CPoint(0, 60),
         {{0, 50, H}, {10, 0, H}, {29, 50, S}, {10, 99, S}, {10, 5, H}, {10, 7, S}, {2, 6, H}, {27, 6, S}, {27, 5, H},
          {10, 9, H}, {10, 11, S}, {27, 9, H}}},
    };
    UINT nID = 1;
    for (const auto& c : cases) {
        auto* pBar = new GripperBar;
        ASSERT_TRUE(pBar->CreateBar(frame, nID++));
        pBar->SetBarStyle(pBar->GetBarStyle() | CBRS_GRIPPER);
        DockAt(pBar, c.nDockBarID, c.pt.x, c.pt.y);
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        CRect rect;
        pBar->GetWindowRect(rect);
        const auto& screen = tw::display::Display::Instance().GetScreen();
        for (const Pixel& pixel : c.pixels) {
            const COLORREF clr = pixel.shade == H ? globalData.clrBarHilite : globalData.clrBarShadow;
            EXPECT_EQ(clr, screen.PixelColor(rect.left + pixel.x, rect.top + pixel.y))
                << c.nDockBarID << " at " << pixel.x << "," << pixel.y;
        }
    }
}

TEST_F(BarTest, DockedBarTakesTheDockBarsAlignmentAndBorders)
{
    KtvTestBar* pBar = AddBar(1, 100, 24);
    DockAt(pBar, AFX_IDW_DOCKBAR_LEFT, 0, 40);
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, pBar->GetCurrentAlignment());
    EXPECT_FALSE(pBar->IsHorizontal());
    EXPECT_EQ((DWORD)CBRS_BORDER_ANY, pBar->GetBarStyle() & CBRS_BORDER_ANY);
    EXPECT_EQ(manager->FindDockBar(CBRS_ALIGN_LEFT, TRUE), pBar->GetParentDockBar());
    EXPECT_EQ(manager->FindDockBar(CBRS_ALIGN_LEFT, TRUE), pBar->GetParent());
    EXPECT_TRUE(pBar->IsDocked());
    EXPECT_FALSE(pBar->IsFloating());
    CRect rect;
    pBar->GetWindowRect(rect);
    EXPECT_EQ(CSize(24, 100), rect.Size());

    // A bar that may not dock to a side is refused there.
    KtvTestBar* pTopOnly = new KtvTestBar(80, 20);
    ASSERT_TRUE(pTopOnly->CreateBar(frame, 2, CBRS_ALIGN_TOP));
    EXPECT_FALSE(pTopOnly->DockControlBar(manager->FindDockBar(CBRS_ALIGN_LEFT, TRUE), nullptr, KTVP_DM_RECT));
    EXPECT_EQ(nullptr, pTopOnly->GetParentDockBar());
}

// The effective sensitivity shrinks with the share of the bar between the cursor and its far edge.
TEST_F(BarTest, DockTargetAtCursorWeighsTheSensitivity)
{
    CKtvPDockBar* pLeft = manager->FindDockBar(CBRS_ALIGN_LEFT, TRUE);
    KtvTestBar* pDocked = AddBar(1, 100, 30);
    DockAt(pDocked, AFX_IDW_DOCKBAR_LEFT, 0, 50);
    CRect rectDockBar;
    pLeft->GetWindowRect(rectDockBar);

    KtvTestBar* pFree = AddBar(2, 100, 20);  // registered nowhere: a bar that may dock
    struct {
        int nGap;          // cursor distance right of the dock bar
        int nCursorInBar;  // cursor offset from the bar's left edge (bar width 100): the share in percent
        BOOL bExpected;
    } cases[] = {
        {10, 50, TRUE}, {11, 50, FALSE}, {15, 75, TRUE}, {16, 75, FALSE}, {19, 100, TRUE}, {1, 0, FALSE},
    };
    for (const auto& c : cases) {
        const CPoint ptCursor(rectDockBar.right + c.nGap, rectDockBar.top + 60);
        CRect rectBar;
        pFree->GetWindowRect(rectBar);
        CPoint ptBarInFrame(ptCursor.x - c.nCursorInBar, ptCursor.y - 5);
        frame->ScreenToClient(&ptBarInFrame);
        pFree->SetWindowPos(nullptr, ptBarInFrame.x, ptBarInFrame.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER, nullptr);
        ::SetCursorPos(ptCursor.x, ptCursor.y);
        CWnd* pTarget = nullptr;
        EXPECT_EQ(c.bExpected, pFree->GetDockTargetAtCursor(20, pTarget)) << c.nGap << " " << c.nCursorInBar;
        EXPECT_EQ(pLeft, pTarget);
    }
}

// The size change applied is returned: a side below the minimum is raised to it
// from the edge that stayed, unless the size is forced.
TEST_F(BarTest, ResizeToRectKeepsTheMinimumAndAnswersTheChangeApplied)
{
    KtvTestBar* pBar = AddBar(1, 100, 24);
    pBar->SetMinSize(CSize(40, 20));
    CRect s;
    pBar->GetWindowRect(s);
    const int l = s.left, t = s.top, r = s.right, b = s.bottom;
    struct {
        CRect rect;
        BOOL bForce;
        CSize delta;
        CRect expected;
    } cases[] = {
        {CRect(l, t, r + 50, b), FALSE, CSize(50, 0), CRect(l, t, r + 50, b)},
        {CRect(l, t, l + 10, b), FALSE, CSize(-60, 0), CRect(l, t, l + 40, b)},
        {CRect(r - 10, t, r, b), FALSE, CSize(-60, 0), CRect(r - 40, t, r, b)},
        {CRect(l, t, r, t + 5), FALSE, CSize(0, -4), CRect(l, t, r, t + 20)},
        {CRect(l, t, l + 10, b), TRUE, CSize(-90, 0), CRect(l, t, l + 10, b)},
    };
    for (const auto& c : cases) {
        pBar->ResizeToRect(s, TRUE);
        EXPECT_EQ(c.delta, pBar->ResizeToRect(c.rect, c.bForce)) << c.rect.left - l << "," << c.rect.Width();
        CRect rect;
        pBar->GetWindowRect(rect);
        EXPECT_EQ(c.expected, rect);
    }
}

// A bar docked elsewhere after its state was saved goes back, when that state is
// loaded and applied, to the side, row and place saved.
TEST_F(BarTest, RestoreRecentDockPosReturnsTheBarToItsSavedPlace)
{
    tw::test::ScopedAppNames names("Tarnwick", "TarnwickDockingTest");
    DockAt(AddBar(1, 120, 24), AFX_IDW_DOCKBAR_TOP, 0, 0);
    KtvTestBar* pBar = AddBar(0xE8B0, 100, 24);
    DockAt(pBar, AFX_IDW_DOCKBAR_TOP, 200, 60);
    CRect rectSaved;
    pBar->GetWindowRect(rectSaved);
    ASSERT_TRUE(pBar->SaveState(nullptr, -1, (UINT)-1));

    DockAt(pBar, AFX_IDW_DOCKBAR_LEFT, 0, 100);
    ASSERT_EQ(DockBar(CBRS_ALIGN_LEFT), pBar->GetParentDockBar());
    ASSERT_TRUE(pBar->LoadState(nullptr, -1, (UINT)-1));
    pBar->RestoreRecentDockPos(manager);
    EXPECT_EQ(DockBar(CBRS_ALIGN_TOP), pBar->GetParentDockBar());
    EXPECT_EQ(1, DockBar(CBRS_ALIGN_TOP)->FindRowIndex(pBar->GetDockBarRow()));
    EXPECT_EQ(0, DockBar(CBRS_ALIGN_LEFT)->GetDockBarRows().GetCount());
    CRect rect;
    pBar->GetWindowRect(rect);
    EXPECT_EQ(rectSaved, rect) << rect.left << "," << rect.top << " " << rectSaved.left << "," << rectSaved.top;
    EXPECT_TRUE(pBar->IsWindowVisible());
}

TEST_F(BarTest, StateIsStoredUnderTheBarsKeysAndReadBack)
{
    tw::test::ScopedAppNames names("Tarnwick", "TarnwickDockingTest");
    KtvTestBar* pBar = AddBar(0xE800, 100, 24);
    DockAt(pBar, AFX_IDW_DOCKBAR_TOP, 0, 0);
    KtvTestBar* pSecond = AddBar(0xE801, 100, 24);
    DockAt(pSecond, AFX_IDW_DOCKBAR_TOP, 0, 60);  // a second row
    pSecond->SetMRUWidth(321);
    pSecond->SetPinState(1);
    ASSERT_TRUE(pSecond->SaveState(nullptr, -1, (UINT)-1));
    ASSERT_TRUE(pSecond->SaveState("Profile", 5, 0x1F));

    const CString strBase = KtvGetRegPath(CKtvPBaseControlBar::m_szSection, nullptr);
    const CString strBar = KtvGetRegPath(CKtvPControlBar::m_szSection, nullptr);
    {
        CKtvPRegistry reg(FALSE, TRUE);
        ASSERT_TRUE(reg.Open(strBase + "KtvPBaseControlBar-59393"));
        int nVisible = -1;
        EXPECT_TRUE(reg.Read("IsVisible", nVisible));
        EXPECT_EQ(1, nVisible);
    }
    {
        CKtvPRegistry reg(FALSE, TRUE);
        ASSERT_TRUE(reg.Open(KtvGetRegPath(CKtvPControlBar::m_szSection, "Profile") + "KtvPControlBar-51f"));
    }
    {
        CKtvPRegistry reg(FALSE, TRUE);
        ASSERT_TRUE(reg.Open(strBar + "KtvPControlBar-59393"));
        int nID = 0;
        int nRow = -1;
        int nFloating = -1;
        int nMRU = 0;
        int nPin = 0;
        DWORD dwAlignment = 0;
        CRect rectDocked;
        CRect rectFloat;
        EXPECT_TRUE(reg.Read("ID", nID));
        EXPECT_TRUE(reg.Read("RectRecentFloat", rectFloat));
        EXPECT_TRUE(reg.Read("RectRecentDocked", rectDocked));
        EXPECT_TRUE(reg.Read("RecentFrameAlignment", dwAlignment));
        EXPECT_TRUE(reg.Read("RecentRowIndex", nRow));
        EXPECT_TRUE(reg.Read("IsFloating", nFloating));
        EXPECT_TRUE(reg.Read("MRUWidth", nMRU));
        EXPECT_TRUE(reg.Read("PinState", nPin));
        EXPECT_EQ(0xE801, nID);
        EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, dwAlignment);
        EXPECT_EQ(1, nRow);
        EXPECT_EQ(0, nFloating);
        EXPECT_EQ(321, nMRU);
        EXPECT_EQ(1, nPin);
        EXPECT_EQ(CRect(0, 24, 100, 48), rectDocked) << "in the dock bar's client coordinates";
    }

    // A fresh bar of that id reads every value back.
    KtvTestBar* pLoaded = AddBar(0xE801, 100, 24);
    ASSERT_TRUE(pLoaded->LoadState(nullptr, -1, (UINT)-1));
    EXPECT_TRUE(pLoaded->IsRestoredFromRegistry());
    EXPECT_TRUE(pLoaded->GetRecentVisibleState());
    EXPECT_EQ(321, pLoaded->GetMRUWidth());
    EXPECT_EQ(1, pLoaded->GetPinState());
    EXPECT_EQ(1, pLoaded->GetRecentDockInfo().m_nLastRowIndex);
    EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, pLoaded->GetRecentDockInfo().m_dwLastAlignment);
    EXPECT_EQ(CRect(0, 24, 100, 48), pLoaded->GetRecentDockInfo().m_dockedLayout.m_rectBar);
    EXPECT_FALSE(pLoaded->GetRecentFloatingState());
}

TEST_F(BarTest, BarNeverSavedLoadsFalseAndKeepsItsFields)
{
    tw::test::ScopedAppNames names("Tarnwick", "TarnwickDockingTest");
    KtvTestBar* pBar = AddBar(0xE8AA, 100, 24);
    pBar->SetMRUWidth(77);
    const CRect rectFloat = pBar->GetRecentDockInfo().m_rectLastFloat;
    EXPECT_FALSE(pBar->LoadState(nullptr, -1, (UINT)-1));
    EXPECT_FALSE(pBar->IsRestoredFromRegistry());
    EXPECT_EQ(77, pBar->GetMRUWidth());
    EXPECT_EQ(rectFloat, pBar->GetRecentDockInfo().m_rectLastFloat);
    EXPECT_FALSE(pBar->CKtvPBaseControlBar::LoadState(nullptr, -1, (UINT)-1));
}

TEST_F(BarTest, StoredRectanglesAreNormalisedWhenLoaded)
{
    tw::test::ScopedAppNames names("Tarnwick", "TarnwickDockingTest");
    KtvTestBar* pBar = AddBar(0xE8AB, 100, 24);
    {
        CKtvPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(KtvGetRegPath(CKtvPControlBar::m_szSection, nullptr) + "KtvPControlBar-59563"));
        ASSERT_TRUE(reg.Write("RectRecentFloat", CRect(300, 200, 100, 50)));
        ASSERT_TRUE(reg.Write("RectRecentDocked", CRect(40, 24, 0, 0)));
    }
    {
        CKtvPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(KtvGetRegPath(CKtvPBaseControlBar::m_szSection, nullptr) + "KtvPBaseControlBar-59563"));
        ASSERT_TRUE(reg.Write("IsVisible", 1));
    }
    ASSERT_TRUE(pBar->LoadState(nullptr, -1, (UINT)-1));
    EXPECT_EQ(CRect(100, 50, 300, 200), pBar->GetRecentDockInfo().m_rectLastFloat);
    EXPECT_EQ(CRect(0, 0, 40, 24), pBar->GetRecentDockInfo().m_dockedLayout.m_rectBar);
}

// A key that cannot be made is a failed save, for the base bar and the control bar alike.
TEST_F(BarTest, SaveStateFailsWhenTheKeyCannotBeCreated)
{
    KtvTestBar* pBar = AddBar(0xE8AC, 100, 24);
    EXPECT_FALSE(pBar->SaveState("", -1, (UINT)-1));
    EXPECT_FALSE(pBar->CKtvPBaseControlBar::SaveState("", -1, (UINT)-1));
}

TEST_F(BarTest, ArchivePieceReplacesTheAlignment)
{
    KtvTestBar* pBar = AddBar(1, 100, 24);
    DockAt(pBar, AFX_IDW_DOCKBAR_LEFT, 0, 40);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pBar->CKtvPBaseControlBar::Serialize(ar);
        ar.Close();
    }
    KtvTestBar* pOther = AddBar(2, 100, 24);
    pOther->SetBarAlignment(CBRS_ALIGN_TOP);
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        pOther->CKtvPBaseControlBar::Serialize(ar);
    }
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, pOther->GetBarStyle() & CBRS_ALIGN_ANY) << "not LEFT | TOP";
    EXPECT_TRUE(pOther->GetRecentVisibleState());
}

// Immediate mode: the bar follows the mouse along its row and into a new row.
TEST_F(BarTest, ImmediateDragMovesTheBarAlongAndBetweenRows)
{
    KtvTestBar* pA = AddBar(1, 120, 24);
    KtvTestBar* pB = AddBar(2, 120, 24);
    pA->SetDockMode(KTVP_DT_IMMEDIATE);
    DockAt(pA, AFX_IDW_DOCKBAR_TOP, 0, 0);
    DockAt(pB, AFX_IDW_DOCKBAR_TOP, 300, 0);
    CKtvPDockBar* pTop = manager->FindDockBar(CBRS_ALIGN_TOP, TRUE);
    ASSERT_EQ(1, pTop->GetDockBarRows().GetCount());

    const CPoint ptStart = ScreenPointOf(pA->GetSafeHwnd(), 10, 12);
    input.MouseMove(ptStart.x, ptStart.y);
    input.ButtonDown(tw::display::MouseButton::Left, ptStart.x, ptStart.y);
    Pump();
    input.MouseMove(ptStart.x + 40, ptStart.y);
    Pump();
    CRect rectA;
    pA->GetWindowRect(rectA);
    frame->ScreenToClient(rectA);
    EXPECT_EQ(40, rectA.left) << "moved along its row";
    EXPECT_EQ(0, rectA.top);

    // 16 pixels across a 24-pixel row is not enough; 17 and more leaves it.
    input.MouseMove(ptStart.x + 40, ptStart.y + 16);
    Pump();
    EXPECT_EQ(1, pTop->GetDockBarRows().GetCount());
    input.MouseMove(ptStart.x + 40, ptStart.y + 17);
    Pump();
    input.ButtonUp(tw::display::MouseButton::Left, ptStart.x, ptStart.y);
    Pump();
    EXPECT_EQ(2, pTop->GetDockBarRows().GetCount());
    EXPECT_NE(pA->GetDockBarRow(), pB->GetDockBarRow());
    EXPECT_EQ(48, manager->GetClientAreaBounds().top);
    EXPECT_FALSE(pA->IsDragMode());
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(BarTest, EscapeEndsAnImmediateDragAndReleasesTheMouse)
{
    KtvTestBar* pA = AddBar(1, 120, 24);
    pA->SetDockMode(KTVP_DT_IMMEDIATE);
    DockAt(pA, AFX_IDW_DOCKBAR_TOP, 0, 0);
    const CPoint ptStart = ScreenPointOf(pA->GetSafeHwnd(), 10, 12);
    input.MouseMove(ptStart.x, ptStart.y);
    input.ButtonDown(tw::display::MouseButton::Left, ptStart.x, ptStart.y);
    Pump();
    EXPECT_TRUE(pA->IsDragMode());
    pA->SendMessage(WM_CHAR, VK_ESCAPE, 0);
    EXPECT_FALSE(pA->IsDragMode());
    EXPECT_EQ(nullptr, ::GetCapture());
    input.ButtonUp(tw::display::MouseButton::Left, ptStart.x, ptStart.y);
    Pump();
}

}  // namespace

namespace {

// Commands of a bar's controls reach the bar's owner; the help hit test names the bar.
class OwnerRecorder : public CWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        m_nLastCommand = LOWORD(wParam);
        return TRUE;
    }
    UINT m_nLastCommand = 0;
};

TEST_F(BarTest, CommandsGoToTheOwnerAndHelpHitTestNamesTheBar)
{
    // A child window has no owner of its own: its parent stands for it.
    OwnerRecorder owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, CRect(0, 0, 200, 50), nullptr, 0));
    auto* pBar = new KtvTestBar(100, 24);
    ASSERT_TRUE(pBar->Create(nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 24), &owner, 0x1234, KTVP_CBRS_FLOAT));
    pBar->SendMessage(WM_COMMAND, MAKEWPARAM(4711, 0), 0);
    EXPECT_EQ(4711u, owner.m_nLastCommand);

    EXPECT_EQ((LRESULT)(0x1234 | 0x50000), pBar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 5)));
    KtvTestBar* pNoId = AddBar(0, 100, 24);
    EXPECT_EQ(0, pNoId->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 5)));
    owner.DestroyWindow();
}

// With the multi-threaded flag set a bar paints inside the library's painting
// section: another thread cannot take the section while the bar paints.
class SectionProbeBar : public KtvTestBar {
public:
    SectionProbeBar() : KtvTestBar(100, 24) {}
    void DoPaint(CDC*) override
    {
        std::thread other([this] {
            m_bOtherTookIt = ::TryEnterCriticalSection(&CKtvPBaseControlBar::GetPaintSection());
            if (m_bOtherTookIt)
                ::LeaveCriticalSection(&CKtvPBaseControlBar::GetPaintSection());
        });
        other.join();
        ++m_nPaints;
    }
    int m_nPaints = 0;
    BOOL m_bOtherTookIt = TRUE;
};

TEST_F(BarTest, MultiThreadedPaintingHoldsTheLibrarySection)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 50),
                               nullptr, 0));
    auto* pBar = new SectionProbeBar;
    ASSERT_TRUE(pBar->Create(nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 24), &owner, 0x1235, KTVP_CBRS_FLOAT));
    pBar->UpdateWindow();
    const int nPaintsBefore = pBar->m_nPaints;
    CKtvPBaseControlBar::m_bMultiThreaded = TRUE;
    pBar->Invalidate();
    pBar->UpdateWindow();
    CKtvPBaseControlBar::m_bMultiThreaded = FALSE;
    EXPECT_EQ(nPaintsBefore + 1, pBar->m_nPaints);
    EXPECT_FALSE(pBar->m_bOtherTookIt);
    // Left again after the paint.
    std::thread([] {
        EXPECT_TRUE(::TryEnterCriticalSection(&CKtvPBaseControlBar::GetPaintSection()));
        ::LeaveCriticalSection(&CKtvPBaseControlBar::GetPaintSection());
    }).join();
    owner.DestroyWindow();
}

TEST_F(BarTest, DockingStatusIsASideNearTheDockAreaAndNothingElsewhere)
{
    struct {
        CPoint ptClient;
        DWORD dwEnabled;
        int nExpected;
    } cases[] = {
        {CPoint(300, 5), CBRS_ALIGN_ANY, KTVP_CS_DELAY_DOCK},
        {CPoint(300, 5), CBRS_ALIGN_LEFT, KTVP_CS_NOTHING},
        {CPoint(5, 200), CBRS_ALIGN_LEFT, KTVP_CS_DELAY_DOCK},
        {CPoint(300, 200), CBRS_ALIGN_ANY, KTVP_CS_NOTHING},
    };
    for (const auto& c : cases) {
        CPoint pt = c.ptClient;
        frame->ClientToScreen(&pt);
        CKtvPBaseControlBar* pTarget = reinterpret_cast<CKtvPBaseControlBar*>(1);
        EXPECT_EQ(c.nExpected, manager->CalcDockingStatus(pt, 15, c.dwEnabled, &pTarget, nullptr, nullptr))
            << c.ptClient.x << "," << c.ptClient.y;
        EXPECT_EQ(nullptr, pTarget);
    }
}

}  // namespace

namespace {

// A bar that wants its row for itself, dragged onto the next row, swaps the two rows.
TEST_F(BarTest, ExclusiveRowsSwapInsteadOfJoining)
{
    KtvTestBar* pA = AddBar(1, 120, 24);
    KtvTestBar* pB = AddBar(2, 120, 24);
    pA->SetExclusiveRow(TRUE);
    pA->SetDockMode(KTVP_DT_IMMEDIATE);
    DockAt(pA, AFX_IDW_DOCKBAR_TOP, 0, 0);
    DockAt(pB, AFX_IDW_DOCKBAR_TOP, 0, 60);
    CKtvPDockBar* pTop = DockBar(CBRS_ALIGN_TOP);
    ASSERT_EQ(2, pTop->GetDockBarRows().GetCount());
    ASSERT_EQ(0, pTop->FindRowIndex(pA->GetDockBarRow()));

    const CPoint ptStart = ScreenPointOf(pA->GetSafeHwnd(), 10, 12);
    input.MouseMove(ptStart.x, ptStart.y);
    input.ButtonDown(tw::display::MouseButton::Left, ptStart.x, ptStart.y);
    Pump();
    input.MouseMove(ptStart.x, ptStart.y + 20);
    Pump();
    input.ButtonUp(tw::display::MouseButton::Left, ptStart.x, ptStart.y + 20);
    Pump();

    EXPECT_EQ(2, pTop->GetDockBarRows().GetCount());
    EXPECT_NE(pA->GetDockBarRow(), pB->GetDockBarRow()) << "no joining an exclusive row";
    EXPECT_EQ(1, pTop->FindRowIndex(pA->GetDockBarRow()));
    EXPECT_EQ(0, pTop->FindRowIndex(pB->GetDockBarRow()));
    CRect rectA;
    pA->GetWindowRect(rectA);
    CRect rectB;
    pB->GetWindowRect(rectB);
    EXPECT_EQ(rectB.bottom, rectA.top);
}

}  // namespace

namespace {

// Records the toolbar-menu requests the frame receives.
class MenuRecordingFrame : public KtvTestDockFrame {
public:
    std::vector<std::pair<WPARAM, LPARAM>> menus;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KTVM_TOOLBARMENU) {
            menus.emplace_back(wParam, lParam);
        }
        return KtvTestDockFrame::WindowProc(message, wParam, lParam);
    }
};

// A right click on a bar asks the frame for the toolbar menu naming that bar; one
// on the bare dock bar names no bar. Both carry the screen point.
TEST_F(BarTest, RightClickAsksTheFrameForTheToolbarMenu)
{
    auto* pFrame = new MenuRecordingFrame;
    ASSERT_TRUE(pFrame->CreateFrame(40, 40, 500, 300));
    ASSERT_TRUE(pFrame->m_dockManager.EnableDocking(CBRS_ALIGN_ANY));
    auto* pBar = new KtvTestBar(120, 24);
    ASSERT_TRUE(pBar->CreateBar(pFrame, 7));
    CRect rect(0, 0, 120, 24);
    pFrame->ClientToScreen(rect);
    pFrame->m_dockManager.DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP, rect);
    Pump();
    const HWND hwndDockBar = pFrame->m_dockManager.FindDockBar(CBRS_ALIGN_TOP, TRUE)->GetSafeHwnd();
    struct {
        HWND hwnd;
        CPoint ptClient;
        WPARAM wExpected;
    } cases[] = {
        {pBar->GetSafeHwnd(), CPoint(30, 10), (WPARAM)pBar->GetSafeHwnd()},
        {hwndDockBar, CPoint(300, 10), 0},
    };
    for (const auto& c : cases) {
        const POINT pt = ScreenPointOf(c.hwnd, c.ptClient.x, c.ptClient.y);
        input.MouseMove(pt.x, pt.y);
        input.ButtonDown(tw::display::MouseButton::Right, pt.x, pt.y);
        input.ButtonUp(tw::display::MouseButton::Right, pt.x, pt.y);
        Pump();
        ASSERT_EQ(1u, pFrame->menus.size()) << c.ptClient.x;
        EXPECT_EQ(c.wExpected, pFrame->menus[0].first);
        EXPECT_EQ((LPARAM)MAKELPARAM(pt.x, pt.y), pFrame->menus[0].second);
        pFrame->menus.clear();
    }
}

}  // namespace
