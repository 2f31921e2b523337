// The outlook bar pane as its user meets it: more buttons than fit bring the
// corner scroll buttons, holding one scrolls on the process clock, a taller
// pane scrolls back, a pane too small shows none, and only outlook buttons
// may be dropped on it.
#include <gtest/gtest.h>

#include <memory>

#include "platform/win32/kernel/ProcessClock.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPOutlookBarPane.h"

namespace {

using tw::test::KtvControlTest;

class Pane : public CKtvPOutlookBarPane {
public:
    using CKtvPOutlookBarPane::m_btnDown;
    using CKtvPOutlookBarPane::m_btnUp;
    using CKtvPOutlookBarPane::m_iFirstVisibleButton;
    using CKtvPOutlookBarPane::m_nScrollOffset;
};

class OutlookBarPaneTest : public KtvControlTest {
protected:
    void TearDown() override
    {
        pane.reset();
        KtvControlTest::TearDown();
    }

    // nButtons buttons in a pane the given size.
    Pane* Make(int nButtons, CSize size)
    {
        pane = std::make_unique<Pane>();
        EXPECT_TRUE(pane->Create(&host, WS_CHILD | WS_VISIBLE | CBRS_LEFT, 1234, 0));
        for (int i = 0; i < nButtons; i++)
            pane->AddImageButton(-1, "", 100 + i);
        Resize(size);
        return pane.get();
    }
    void Resize(CSize size)
    {
        pane->SetWindowPos(nullptr, 10, 10, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        PumpFiltered();
    }
    int ButtonHeight() { return pane->GetButton(0)->m_rect.Height(); }
    CRect LastButton() { return pane->GetButton(pane->GetCount() - 1)->m_rect; }
    CRect ClientRect()
    {
        CRect rect;
        pane->GetClientRect(rect);
        return rect;
    }

    std::unique_ptr<Pane> pane;
};

TEST_F(OutlookBarPaneTest, HoldingTheDownButtonScrollsUntilTheLastButtonFits)
{
    Make(10, CSize(120, 100));
    const int h = ButtonHeight();
    ASSERT_GT(h, 0);
    Resize(CSize(120, 3 * h));
    ASSERT_TRUE(pane->m_btnDown.IsWindowVisible());
    EXPECT_FALSE(pane->m_btnUp.IsWindowVisible());
    CRect rectDown;
    pane->m_btnDown.GetWindowRect(rectDown);
    pane->ScreenToClient(rectDown);
    EXPECT_EQ(ClientRect().right - 5, rectDown.right);
    EXPECT_EQ(ClientRect().bottom - 5, rectDown.bottom);

    const POINT pt = ScreenPointOf(pane->m_btnDown.GetSafeHwnd(), 3, 3);
    input.MouseMove(pt.x, pt.y);
    input.ButtonDown(tw::display::MouseButton::Left, pt.x, pt.y);
    PumpFiltered();
    EXPECT_EQ(1, pane->m_iFirstVisibleButton) << "the press scrolls once";
    EXPECT_TRUE(pane->m_btnUp.IsWindowVisible());

    int nTicks = 0;
    while (LastButton().bottom > ClientRect().bottom && nTicks < 20) {
        tw::ProcessClock::Advance(200);
        PumpFiltered();
        nTicks++;
    }
    EXPECT_EQ(6, nTicks) << "one button every 200 ms";
    EXPECT_EQ(7, pane->m_iFirstVisibleButton);
    EXPECT_FALSE(pane->m_btnDown.IsWindowVisible());
    tw::ProcessClock::Advance(1000);
    PumpFiltered();
    EXPECT_EQ(7, pane->m_iFirstVisibleButton) << "nothing scrolls past the end";
    input.ButtonUp(tw::display::MouseButton::Left, pt.x, pt.y);
    PumpFiltered();

    // A taller pane brings the buttons back down.
    Resize(CSize(120, 6 * h));
    EXPECT_GE(LastButton().bottom, 6 * h);
    EXPECT_LT(pane->m_iFirstVisibleButton, 7);
    Resize(CSize(120, 12 * h));
    EXPECT_EQ(0, pane->m_nScrollOffset);
    EXPECT_EQ(0, pane->m_iFirstVisibleButton);
    EXPECT_FALSE(pane->m_btnUp.IsWindowVisible());
    EXPECT_FALSE(pane->m_btnDown.IsWindowVisible());
}

TEST_F(OutlookBarPaneTest, APaneTooSmallForAScrollButtonShowsNone)
{
    Make(10, CSize(12, 12));
    EXPECT_FALSE(pane->m_btnDown.IsWindowVisible());
    EXPECT_FALSE(pane->m_btnUp.IsWindowVisible());
}

TEST_F(OutlookBarPaneTest, OnlyOutlookButtonsMayBeDropped)
{
    Make(1, CSize(120, 100));
    CKtvPOutlookButton outlookButton;
    CKtvPToolBar plainBar;
    EXPECT_TRUE(outlookButton.CanBeDropped(pane.get()));
    EXPECT_FALSE(outlookButton.CanBeDropped(&plainBar));
    EXPECT_TRUE(pane->RemoveButton(100));
    EXPECT_FALSE(pane->RemoveButton(100));
    EXPECT_EQ(0, pane->GetCount());
}

}  // namespace
