// What the toolbars count and ask about commands: the usage counter's
// refusals, rarely used commands, and the library's emulated mouse-leave.
#include <gtest/gtest.h>

#include "platform/win32/kernel/ProcessClock.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPDropDownToolBar.h"

namespace tw::test {
namespace {

using ToolBarCommandsTest = ToolBarTest;

TEST_F(ToolBarCommandsTest, TheCounterIgnoresBasicCommandsAndEverythingRunWhileCustomising)
{
    CKtvPCommandUsage usage;
    CKtvPToolBar::AddBasicCommand(500);
    CKtvPToolBar::AddBasicCommand(500);
    EXPECT_EQ(CKtvPToolBar::m_BasicCommands.GetCount(), 1);

    usage.AddCmd(500);
    usage.AddCmd(501);
    CKtvPToolBar::m_bCustomizeMode = TRUE;
    usage.AddCmd(501);
    CKtvPToolBar::m_bCustomizeMode = FALSE;
    EXPECT_EQ(usage.GetCount(500), 0u);
    EXPECT_EQ(usage.GetCount(501), 1u);
    EXPECT_EQ(usage.m_nTotalUsage, 1u);
}

TEST_F(ToolBarCommandsTest, RarelyUsedAsksOnlyAboutOrdinaryCommandsOnceBasicOnesExist)
{
    CKtvPToolBar::m_UsageCount.Reset();
    struct Case {
        UINT cmd;
        BOOL rarely;
    };
    EXPECT_FALSE(CKtvPToolBar::IsCommandRarelyUsed(600)) << "no basic commands: nothing is rare";

    CList<UINT, UINT> basics;
    basics.AddTail(500);
    CKtvPToolBar::SetBasicCommands(basics);
    for (int i = 0; i < 20; i++)
        CKtvPToolBar::AddCommandUsage(601);
    const Case cases[] = {
        {600, TRUE}, {601, FALSE}, {500, FALSE}, {0, FALSE}, {(UINT)-1, FALSE},
        {0xE110, FALSE}, {0xF020, FALSE}, {0xE210, FALSE}, {0xFF01, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CKtvPToolBar::IsCommandRarelyUsed(c.cmd), c.rarely) << c.cmd;

    CKtvPToolBar::m_bCustomizeMode = TRUE;
    EXPECT_FALSE(CKtvPToolBar::IsCommandRarelyUsed(600));
    CKtvPToolBar::m_UsageCount.Reset();
}

TEST_F(ToolBarCommandsTest, EmulatedMouseLeaveComesOnceThePointerHasLeft)
{
    CKtvPToolBar* pBar = MakeBar({1, 2});
    const CRect rect = pBar->GetButton(0)->m_rect;
    const POINT inside = ScreenPointOf(pBar->GetSafeHwnd(), rect.left + 2, rect.top + 2);
    input.MouseMove(inside.x, inside.y);
    Pump();
    // Only the emulation may report the leave.
    TRACKMOUSEEVENT cancel{sizeof(cancel), TME_LEAVE | TME_CANCEL, pBar->GetSafeHwnd(), 0};
    ::TrackMouseEvent(&cancel);
    pBar->m_iHighlighted = 0;
    pBar->m_bTracking = TRUE;

    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, pBar->GetSafeHwnd(), 0};
    ASSERT_TRUE(EmulateTrackMouseEvent(&tme));
    tw::ProcessClock::Advance(150);
    Pump();
    EXPECT_TRUE(pBar->m_bTracking) << "the pointer is still over the bar";

    const POINT away = ScreenPointOf(frame->GetSafeHwnd(), 300, 300);
    ::SetCursorPos(away.x, away.y);
    tw::ProcessClock::Advance(150);
    Pump();
    EXPECT_FALSE(pBar->m_bTracking);
    EXPECT_EQ(pBar->m_iHighlighted, -1);

    TRACKMOUSEEVENT small{8, TME_LEAVE, pBar->GetSafeHwnd(), 0};
    EXPECT_FALSE(EmulateTrackMouseEvent(&small));
    TRACKMOUSEEVENT gone{sizeof(tme), TME_LEAVE, nullptr, 0};
    EXPECT_FALSE(EmulateTrackMouseEvent(&gone));
}

}  // namespace
}  // namespace tw::test
