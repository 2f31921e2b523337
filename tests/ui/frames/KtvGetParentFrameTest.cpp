#include <gtest/gtest.h>

#include "platform/mfc/afxwin.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPGlobalData.h"

// A plain window whose class record says it is one of the docking library's
// floating frames: the walk goes by the record, and a real floating frame
// would need the docking code behind it.
class CTestFloatingFrame : public CWnd {
    DECLARE_DYNAMIC(CTestFloatingFrame)
};
IMPLEMENT_DYNAMIC(CTestFloatingFrame, CKtvPMiniFrameWnd)

namespace {

class TestFrame : public CWnd {
public:
    BOOL IsFrameWnd() const override { return TRUE; }
};

class KtvGetParentFrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        static CWinApp app("Tarnwick");
        ASSERT_TRUE(frame_.CreateEx(0, nullptr, "Frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 150), nullptr, 0));
        ASSERT_TRUE(pane_.CreateEx(0, nullptr, "Pane", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &frame_, 1));
        ASSERT_TRUE(inner_.CreateEx(0, nullptr, "Inner", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &pane_, 2));
        ASSERT_TRUE(mini_.CreateEx(0, nullptr, "Floating", WS_POPUP | WS_VISIBLE, CRect(300, 0, 400, 80), &frame_, 0));
        ASSERT_TRUE(floating_.CreateEx(0, nullptr, "Floating pane", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &mini_,
                                       3));
        ASSERT_TRUE(orphan_.CreateEx(0, nullptr, "Orphan", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    }
    void TearDown() override
    {
        for (CWnd* wnd : {static_cast<CWnd*>(&mini_), static_cast<CWnd*>(&frame_), &orphan_})
            wnd->DestroyWindow();
    }
    TestFrame frame_;
    CWnd pane_, inner_, floating_, orphan_;
    CTestFloatingFrame mini_;
};

TEST_F(KtvGetParentFrameTest, WalksUpToTheFrameAndAcrossFloatingFrames)
{
    EXPECT_EQ(KtvGetParentFrame(&frame_), &frame_);
    EXPECT_EQ(KtvGetParentFrame(&pane_), &frame_);
    EXPECT_EQ(KtvGetParentFrame(&inner_), &frame_);
    EXPECT_EQ(KtvGetParentFrame(&floating_), &frame_);
    EXPECT_EQ(KtvGetParentFrame(&mini_), &frame_);
    EXPECT_EQ(KtvGetParentFrame(&orphan_), nullptr);
    EXPECT_EQ(KtvGetParentFrame(nullptr), nullptr);
    CWnd unattached;
    EXPECT_EQ(KtvGetParentFrame(&unattached), nullptr);
}

}  // namespace
