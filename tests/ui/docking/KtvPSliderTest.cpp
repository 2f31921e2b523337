// Sliders dragged with the mouse: the tracker follows within the limits that
// keep every pane at its minimum size, the release resizes the layout, a
// cancelled drag leaves windows and screen as they were; and the stored
// records of a slider with its layout round-trip byte for byte.
#include <gtest/gtest.h>

#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMemFile.h"
#include "tests/ui/docking/DockingPaneTest.h"

namespace {

using tw::display::MouseButton;
using tw::test::DockingPaneTest;
using tw::test::TestPane;


// Three panes on the left: A above, B and C side by side below.
class SliderTest : public DockingPaneTest {
protected:
    void SetUp() override
    {
        DockingPaneTest::SetUp();
        a = DockedPane(1, CBRS_ALIGN_LEFT, 240, 100);
        b = AddPane(2, 240, 200);
        ASSERT_TRUE(b->DockNextToBar(a, CBRS_ALIGN_BOTTOM, nullptr));
        c = AddPane(3, 120, 200);
        ASSERT_TRUE(c->DockNextToBar(b, CBRS_ALIGN_RIGHT, nullptr));
        Pump();
        BOOL bLeft = FALSE;
        between = a->GetDefaultSlider()->FindContainer(b, bLeft)->m_pSlider;
        ASSERT_NE(nullptr, between);
        ASSERT_FALSE(between->IsHorizontal());
    }

    TestPane* a = nullptr;
    TestPane* b = nullptr;
    TestPane* c = nullptr;
    CKtvPSlider* between = nullptr;
};

TEST_F(SliderTest, DraggingAnInnerSliderTradesSpaceBetweenItsParts)
{
    const int nB = ClientRectOf(b).Width();
    const int nC = ClientRectOf(c).Width();
    const CPoint pt = Rect(between).CenterPoint();
    Drag(pt, {CPoint(-10, 0), CPoint(-20, 0)});
    EXPECT_EQ(nB - 30, ClientRectOf(b).Width());
    EXPECT_EQ(nC + 30, ClientRectOf(c).Width());
    EXPECT_EQ(ClientRectOf(b).right, ClientRectOf(between).left);
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(SliderTest, AnInnerSliderStopsAtThePartsMinimum)
{
    b->SetMinSize(CSize(70, 20));
    const CPoint pt = Rect(between).CenterPoint();
    Drag(pt, {CPoint(-5, 0), CPoint(-300, 0)});
    // A vertical slider leaves the left part exactly its minimum width.
    EXPECT_EQ(70, ClientRectOf(b).Width());
    EXPECT_EQ(ClientRectOf(between).right, ClientRectOf(c).left);
}

TEST_F(SliderTest, DraggingTheDefaultSliderResizesTheWholeSide)
{
    CKtvPSlider* pDefault = a->GetDefaultSlider();
    const int nSide = ClientRectOf(a).Width();
    const CPoint pt = Rect(pDefault).CenterPoint();
    Drag(pt, {CPoint(10, 0), CPoint(40, 0)});
    EXPECT_EQ(nSide + 50, ClientRectOf(a).Width());
    EXPECT_EQ(ClientRectOf(a).right, ClientRectOf(pDefault).left);
    EXPECT_EQ(ClientRectOf(pDefault).right, manager->GetClientAreaBounds().left);
    EXPECT_EQ(ClientRectOf(b).left + ClientRectOf(b).Width() + 4 + ClientRectOf(c).Width(), ClientRectOf(a).right);
}

TEST_F(SliderTest, ACancelledDragLeavesWindowsAndScreenAsTheyWere)
{
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Pump();
    const std::vector<uint32_t> before = tw::test::ScreenPixels();
    const CRect rectB = Rect(b);
    const CPoint pt = Rect(between).CenterPoint();
    Drag(pt, {CPoint(-10, 0), CPoint(-20, 0)}, false);
    EXPECT_FALSE(tw::test::ScreenPixels() == before) << "the tracker shows";
    between->SendMessage(WM_CANCELMODE);
    Pump();
    input.ButtonUp(MouseButton::Left, pt.x - 30, pt.y);
    Pump();
    EXPECT_TRUE(tw::test::ScreenPixels() == before) << "the tracker is gone";
    EXPECT_EQ(rectB, Rect(b));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(SliderTest, TheRecordsOfASliderAndItsLayoutRoundTrip)
{
    CKtvPSlider* pDefault = a->GetDefaultSlider();
    const std::vector<BYTE> bytes = tw::test::StoreObject(*pDefault);

    auto* pLoaded = new CKtvPSlider(TRUE, frame);
    tw::test::LoadObject(*pLoaded, bytes);
    ASSERT_NE(nullptr, pLoaded->GetSafeHwnd());
    CKtvPBarContainerManager* pManager = pLoaded->GetContainerManager();
    ASSERT_NE(nullptr, pManager);
    EXPECT_EQ(3, pManager->GetControlBars().GetCount());
    EXPECT_EQ(3, pManager->GetNodeCount());
    EXPECT_EQ(2, pManager->GetSliders().GetCount());
    EXPECT_EQ(Rect(pDefault), Rect(pLoaded));
    BOOL bLeft = FALSE;
    EXPECT_NE(nullptr, pManager->FindContainer(c, bLeft));
    EXPECT_FALSE(bLeft);
    EXPECT_TRUE(tw::test::StoreObject(*pLoaded) == bytes) << "stored again, the same bytes";

    // A slider stored hidden comes back without WS_VISIBLE.
    between->ShowWindow(SW_HIDE);
    const std::vector<BYTE> hidden = tw::test::StoreObject(*between);
    auto* pHidden = new CKtvPSlider(FALSE, frame);
    tw::test::LoadObject(*pHidden, hidden);
    EXPECT_EQ(0u, pHidden->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(between->GetSliderID(), pHidden->GetSliderID());
    pHidden->DestroyWindow();
    pLoaded->DestroyWindow();
}

}  // namespace
