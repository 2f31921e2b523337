// Toolbars docked by a library frame, whether or not they may float: the frame
// finds each by its id (so its View command toggles it) and lays it out.
#include <gtest/gtest.h>

#include <memory>

#include "platform/mfc/CWinApp.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPFrameWnd.h"

namespace {

constexpr UINT kFixedBarPictures = 131;  // the program's Standard toolbar
constexpr UINT kFixedBarFirstId = 0xE800;

class DockFixedBarTest : public tw::test::KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        KtvPrepareUiTest();
        frame = new CKtvPFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Fixed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 660, 440)));
        ASSERT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
    }
    void TearDown() override
    {
        tw::test::DestroyTopLevelWindows();
        KtvControlTest::TearDown();
    }
    // A toolbar as `CreateEx` makes it (no docking style), given the float bit when asked.
    CKtvPToolBar* Bar(int i, bool bFloats)
    {
        barObjects[i] = std::make_unique<CKtvPToolBar>();
        CKtvPToolBar& bar = *barObjects[i];
        EXPECT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT,
                                 WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC,
                                 CRect(1, 1, 1, 1), kFixedBarFirstId + i));
        EXPECT_TRUE(bar.LoadToolBar(kFixedBarPictures));
        if (bFloats)
            bar.SetControlBarStyle(bar.GetControlBarStyle() | KTVP_CBRS_FLOAT);
        bar.EnableDocking(CBRS_ALIGN_ANY);
        return &bar;
    }
    void Layout()
    {
        frame->RecalcLayout();
        Pump();
    }
    CKtvPFrameWnd* frame = nullptr;  // deletes itself with its window
    std::unique_ptr<CKtvPToolBar> barObjects[3];
    CKtvPToolBar& Made(int i) { return *barObjects[i]; }
};

struct FixedBarCase {
    const char* name;
    bool bFloats[3];
};

// Bar 2 docked by the frame, bar 1 placed left of it, bar 0 left of bar 1: every
// mix of bars that may float and bars that may not.
TEST_F(DockFixedBarTest, BarsPlacedLeftOfAnotherAreFoundByTheFrameWhateverTheirFloatBit)
{
    const FixedBarCase cases[] = {
        {"none floats", {false, false, false}},
        {"only the first target floats", {false, false, true}},
        {"only the placed bars float", {true, true, false}},
        {"all float", {true, true, true}},
    };
    for (const FixedBarCase& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        for (int i = 0; i < 3; i++)
            Bar(i, c.bFloats[i]);
        frame->DockControlBar(&Made(2));
        EXPECT_TRUE(frame->m_dockManager.DockControlBarLeftOf(&Made(1), &Made(2)));
        EXPECT_TRUE(frame->m_dockManager.DockControlBarLeftOf(&Made(0), &Made(1)));
        Layout();
        for (int i = 0; i < 3; i++) {
            EXPECT_EQ(&Made(i), frame->GetControlBar(kFixedBarFirstId + i)) << "bar " << i;
            CRect rect;
            Made(i).GetWindowRect(rect);
            EXPECT_FALSE(rect.IsRectEmpty()) << "bar " << i << " is laid out";
        }
        // The framework's View command of a bar that cannot float hides and shows it.
        frame->SendMessage(WM_COMMAND, kFixedBarFirstId);
        Pump();
        EXPECT_FALSE(Made(0).IsVisible());
        frame->SendMessage(WM_COMMAND, kFixedBarFirstId);
        Pump();
        EXPECT_TRUE(Made(0).IsVisible());
    }
}

// A bar cannot be placed left of itself, nor of a bar the frame does not hold.
TEST_F(DockFixedBarTest, PlacingLeftOfItselfOrOfAnUnknownBarIsRefused)
{
    Bar(0, false);
    Bar(1, false);
    frame->DockControlBar(&Made(0));
    EXPECT_FALSE(frame->m_dockManager.DockControlBarLeftOf(&Made(0), &Made(0)));
    EXPECT_FALSE(frame->m_dockManager.DockControlBarLeftOf(&Made(0), &Made(1)));
    Layout();
    EXPECT_EQ(&Made(0), frame->GetControlBar(kFixedBarFirstId));
    EXPECT_EQ(nullptr, frame->GetControlBar(kFixedBarFirstId + 1));
}

}  // namespace
