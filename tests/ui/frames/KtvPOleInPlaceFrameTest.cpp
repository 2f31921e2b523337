// The in-place frames as ordinary frames: while one is active it stands in
// for the top-level frame, and deactivation or destruction hands that back
// to the frame that held it before, or to none when that one is gone; tab
// windows tell it, not the top-level frame, of their tab changes.
#include "platform/mfc/afxwin.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPOleDocIPFrameWnd.h"
#include "ui/frames/KtvPOleIPFrameWnd.h"

namespace {

// The bars' layout is not what these tests are about: the frame lays out nothing.
// It also counts the tab changes it hears of.
template <class TFrame>
class NoLayoutFrame : public TFrame {
public:
    void RecalcLayout(BOOL) override {}
    int tabChanges = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KTVM_ONCHANGE_ACTIVE_TAB && message != 0)
            tabChanges++;
        return TFrame::WindowProc(message, wParam, lParam);
    }
};

template <class TFrame>
class KtvPOleInPlaceFrameTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        g_pKtvTopLevelFrameOverride = nullptr;
    }
    void TearDown() override
    {
        g_pKtvTopLevelFrameOverride = nullptr;
        HeadlessWindowTest::TearDown();
    }

    static CFrameWnd* NewPlainFrame(const char* title, int x)
    {
        auto* frame = new CFrameWnd;
        EXPECT_TRUE(frame->Create(nullptr, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(x, 0, x + 200, 150)));
        return frame;
    }
    static NoLayoutFrame<TFrame>* NewInPlaceFrame()
    {
        auto* frame = new NoLayoutFrame<TFrame>;
        EXPECT_TRUE(frame->Create(nullptr, "In place", WS_OVERLAPPEDWINDOW, CRect(300, 0, 500, 150)));
        return frame;
    }
};

using InPlaceKinds = testing::Types<CKtvPOleIPFrameWnd, CKtvPOleDocIPFrameWnd>;
TYPED_TEST_SUITE(KtvPOleInPlaceFrameTest, InPlaceKinds);

TYPED_TEST(KtvPOleInPlaceFrameTest, ActivationTakesTheTopLevelRoleAndDeactivationHandsItBack)
{
    CFrameWnd* before = this->NewPlainFrame("Before", 0);
    CFrameWnd* other = this->NewPlainFrame("Other", 600);
    auto* inPlace = this->NewInPlaceFrame();
    g_pKtvTopLevelFrameOverride = before;

    inPlace->ShowWindow(SW_SHOW);
    inPlace->SetActiveWindow();
    this->Pump();
    EXPECT_EQ(g_pKtvTopLevelFrameOverride, inPlace);
    EXPECT_EQ(KtvGetFrameHooks(inPlace)->GetHookedFrame(), inPlace);

    other->SetActiveWindow();
    this->Pump();
    EXPECT_EQ(g_pKtvTopLevelFrameOverride, before);

    inPlace->DestroyWindow();
    other->DestroyWindow();
    before->DestroyWindow();
}

TYPED_TEST(KtvPOleInPlaceFrameTest, AFormerHolderThatIsGoneLeavesNoOverride)
{
    CFrameWnd* before = this->NewPlainFrame("Before", 0);
    auto* inPlace = this->NewInPlaceFrame();
    g_pKtvTopLevelFrameOverride = before;

    inPlace->ShowWindow(SW_SHOW);
    inPlace->SetActiveWindow();
    this->Pump();
    ASSERT_EQ(g_pKtvTopLevelFrameOverride, inPlace);

    before->DestroyWindow();
    inPlace->DestroyWindow();
    EXPECT_EQ(g_pKtvTopLevelFrameOverride, nullptr);
}

TYPED_TEST(KtvPOleInPlaceFrameTest, DestroyingTheActiveFrameHandsTheRoleBack)
{
    CFrameWnd* before = this->NewPlainFrame("Before", 0);
    auto* inPlace = this->NewInPlaceFrame();
    g_pKtvTopLevelFrameOverride = before;
    inPlace->ShowWindow(SW_SHOW);
    inPlace->SetActiveWindow();
    this->Pump();

    inPlace->DestroyWindow();
    EXPECT_EQ(g_pKtvTopLevelFrameOverride, before);
    before->DestroyWindow();
}

TYPED_TEST(KtvPOleInPlaceFrameTest, TabWindowsTellTheActiveFrameOfTheirTabChanges)
{
    // The tab window lives in the container's frame, as the server's windows do while it is active in place.
    CFrameWnd* container = this->NewPlainFrame("Container", 0);
    CKtvPTabWnd tabs;
    ASSERT_TRUE(tabs.Create(CKtvPTabWnd::TABSTYLE_3D, CRect(0, 0, 180, 120), container, 7));
    CWnd page;
    ASSERT_TRUE(page.CreateEx(0, nullptr, "page", WS_CHILD, CRect(0, 0, 10, 10), &tabs, 0));
    tabs.AddTab(&page, "Page", (UINT)-1, FALSE);

    auto* inPlace = this->NewInPlaceFrame();
    inPlace->ShowWindow(SW_SHOW);
    inPlace->SetActiveWindow();
    this->Pump();
    ASSERT_EQ(g_pKtvTopLevelFrameOverride, inPlace);
    inPlace->tabChanges = 0;
    tabs.RemoveAllTabs();  // the active tab becomes none, with no focus change
    EXPECT_EQ(inPlace->tabChanges, 1);

    inPlace->DestroyWindow();
    tabs.DestroyWindow();
    container->DestroyWindow();
}

}  // namespace
