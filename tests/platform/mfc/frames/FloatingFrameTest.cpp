// A frame keeps its caption active while the user works in one of its
// synchronised floating frames, and only then.
#include <gtest/gtest.h>

#include "platform/mfc/afxwin.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace {

class FloatingFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw::ProcessClock::Freeze();
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300)));
        frameHwnd = frame->m_hWnd;
        frame->SetActiveWindow();
    }
    void TearDown() override
    {
        for (HWND hwnd : {otherHwnd, floatHwnd, frameHwnd}) {
            if (hwnd && IsWindow(hwnd))
                DestroyWindow(hwnd);
        }
        AfxDeleteTempMaps();
        tw::ProcessClock::Resume();
    }
    CMiniFrameWnd* MakeFloat(DWORD extraStyle)
    {
        auto* mini = new CMiniFrameWnd;
        EXPECT_TRUE(mini->Create(nullptr, "Float", WS_POPUP | WS_CAPTION | WS_VISIBLE | extraStyle,
                                 CRect(50, 50, 200, 150), frame));
        floatHwnd = mini->m_hWnd;
        return mini;
    }

    CFrameWnd* frame = nullptr;
    HWND frameHwnd = nullptr;
    HWND floatHwnd = nullptr;
    HWND otherHwnd = nullptr;
};

TEST_F(FloatingFrameTest, SynchronisedFloatKeepsTheOwnerCaptionActive)
{
    ASSERT_TRUE(frame->IsCaptionActive());
    CMiniFrameWnd* mini = MakeFloat(MFS_SYNCACTIVE);
    mini->SetActiveWindow();
    EXPECT_EQ(GetActiveWindow(), floatHwnd);
    EXPECT_TRUE(frame->IsCaptionActive());
    EXPECT_TRUE(frame->m_nFlags & WF_STAYACTIVE);
    EXPECT_TRUE(mini->IsCaptionActive());

    // Back to the owner: both captions active, and the float no longer holds it.
    frame->SetActiveWindow();
    EXPECT_TRUE(frame->IsCaptionActive());
    EXPECT_FALSE(frame->m_nFlags & WF_STAYACTIVE);
    EXPECT_TRUE(mini->IsCaptionActive());
}

TEST_F(FloatingFrameTest, UnrelatedWindowOrPlainFloatTakesTheCaption)
{
    CMiniFrameWnd* mini = MakeFloat(0);
    mini->SetActiveWindow();
    EXPECT_FALSE(frame->IsCaptionActive());

    frame->SetActiveWindow();
    auto* other = new CFrameWnd;
    ASSERT_TRUE(other->Create(nullptr, "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(300, 300, 500, 400)));
    otherHwnd = other->m_hWnd;
    other->SetActiveWindow();
    EXPECT_FALSE(frame->IsCaptionActive());
}

}  // namespace
