// Toolbars loaded from toolbar resources and painted headless: sizes and
// images from the resource, and the pixels of hot, pressed, checked,
// disabled and cold buttons, separators, the selection frame and the
// insertion marker.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/display/Display.h"
#include "platform/win32/gdi/SystemColors.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPGlobalData.h"

namespace tw::test {
namespace {

using display::MouseButton;

class ToolBarLoadTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        tbres::Register();
        ToolBarTest::SetUp();
    }
    // A docked bar loaded from a resource; NULL when loading failed.
    CKtvPToolBar* Load(UINT uiResID, UINT uiColdResID = 0, BOOL bLocked = FALSE, UINT uiDisabledResID = 0,
                       UINT nID = 0xE840)
    {
        auto owned = std::make_unique<CKtvPToolBar>();
        CKtvPToolBar* pBar = owned.get();
        bars.push_back(std::move(owned));
        EXPECT_TRUE(pBar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, nID));
        if (!pBar->LoadToolBar(uiResID, uiColdResID, 0, bLocked, uiDisabledResID))
            return nullptr;
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
        pBar->AdjustLayout();
        Pump();
        return pBar;
    }
    // The colour at the centre of button i, as the screen shows it.
    COLORREF CentreColour(CKtvPToolBar* pBar, int i)
    {
        const CPoint c = Centre(pBar, i);
        return ScreenPixel(pBar->GetSafeHwnd(), c.x, c.y);
    }
    COLORREF PixelOf(CKtvPToolBar* pBar, int x, int y) { return ScreenPixel(pBar->GetSafeHwnd(), x, y); }
    void Repaint(CKtvPToolBar* pBar)
    {
        pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
    }
};

TEST_F(ToolBarLoadTest, TheResourceGivesTheSizesTheButtonsAndTheirImages)
{
    CKtvPToolBar* pBar = Load(tbres::kBar);
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(CKtvPToolBar::m_sizeButton, CSize(22, 21));
    EXPECT_EQ(CKtvPToolBar::m_sizeImage, CSize(16, 15));
    EXPECT_EQ(Layout(pBar), "101 102 | 103");
    EXPECT_EQ(pBar->m_uiOriginalResID, tbres::kBar);
    EXPECT_EQ(pBar->m_OrigButtons.GetCount(), 4);
    EXPECT_EQ(pBar->m_OrigResetButtons.GetCount(), 4);
    EXPECT_EQ(frame->resets, std::vector<UINT>{tbres::kBar}) << "the frame may replace buttons";

    int iImage = -1;
    ASSERT_TRUE(CKtvPToolBar::m_DefaultImages.Lookup(103, iImage));
    EXPECT_EQ(iImage, pBar->m_iImagesOffset + 2);
    EXPECT_EQ(pBar->GetButton(3)->m_iImage, iImage);

    for (int i : {0, 1, 3})
        EXPECT_EQ(CentreColour(pBar, i), tbres::kImage[i == 3 ? 2 : i]) << i;
}

TEST_F(ToolBarLoadTest, ALockedBarKeepsItsOwnImagesAndRegistersNoCommand)
{
    CKtvPToolBar* pBar = Load(tbres::kSecondBar, 0, TRUE);
    ASSERT_NE(pBar, nullptr);
    EXPECT_TRUE(pBar->m_bLocked);
    EXPECT_EQ(pBar->m_sizeButtonLocked, CSize(22, 21));
    EXPECT_EQ(CKtvPToolBar::m_DefaultImages.GetCount(), 0);
    EXPECT_EQ(CKtvPToolBar::m_Images.GetCount(), 0);
    EXPECT_EQ(pBar->m_ImagesLocked.GetCount(), 2);
    EXPECT_EQ(CentreColour(pBar, 1), tbres::kImage[1]);
}

TEST_F(ToolBarLoadTest, ImagesOfABarNeverShownStillGiveTheirCommandsImages)
{
    EXPECT_TRUE(CKtvPToolBar::AddToolBarForImageCollection(tbres::kSecondBar));
    int iImage = -1;
    ASSERT_TRUE(CKtvPToolBar::m_DefaultImages.Lookup(202, iImage));
    EXPECT_EQ(iImage, 1);
    EXPECT_EQ(CKtvPToolBar::m_Images.GetCount(), 2);
    EXPECT_TRUE(CKtvPToolBar::GetAllToolbars().IsEmpty()) << "the bar that read them is gone";
}

TEST_F(ToolBarLoadTest, ARecordWithoutItsImagesOrMissingAltogetherFailsTheLoad)
{
    EXPECT_EQ(Load(tbres::kNoBitmap), nullptr);
    EXPECT_EQ(bars.back()->GetCount(), 0);
    EXPECT_EQ(Load(9999), nullptr);
    EXPECT_EQ(Load(tbres::kBar, 9998), nullptr) << "a cold strip that cannot be loaded";
}

TEST_F(ToolBarLoadTest, AButtonAtRestShowsItsColdImage_TheHotOneItsStandardImage)
{
    CKtvPToolBar* pBar = Load(tbres::kBar, tbres::kColdBitmap);
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(CentreColour(pBar, 0), tbres::kCold[0]);
    EXPECT_EQ(CentreColour(pBar, 1), tbres::kCold[1]);

    const CPoint c = Centre(pBar, 1);
    const POINT at = ScreenPointOf(pBar->GetSafeHwnd(), c.x, c.y);
    input.MouseMove(at.x, at.y);
    Pump();
    EXPECT_EQ(CentreColour(pBar, 1), tbres::kImage[1]);
    EXPECT_EQ(CentreColour(pBar, 0), tbres::kCold[0]);
}

TEST_F(ToolBarLoadTest, ADisabledButtonDrawsFromTheDisabledStrip_OrGreyedWithoutOne)
{
    CKtvPToolBar* pWith = Load(tbres::kBar, 0, FALSE, tbres::kDisabledBitmap);
    ASSERT_NE(pWith, nullptr);
    pWith->SetButtonStyle(1, TBBS_DISABLED);
    Repaint(pWith);
    EXPECT_EQ(CentreColour(pWith, 1), tbres::kDisabled[1]);
    EXPECT_EQ(CentreColour(pWith, 0), tbres::kImage[0]);

    CKtvPToolBar::m_DisabledImages.Clear();
    Repaint(pWith);
    const COLORREF greyed = CentreColour(pWith, 1);
    EXPECT_NE(greyed, tbres::kImage[1]);
    EXPECT_EQ(GetRValue(greyed), GetGValue(greyed)) << "greyed, not coloured";
    EXPECT_EQ(GetGValue(greyed), GetBValue(greyed));
}

TEST_F(ToolBarLoadTest, HotPressedAndCheckedButtonsDrawTheirBorders)
{
    CKtvPToolBar* pBar = Load(tbres::kBar);
    ASSERT_NE(pBar, nullptr);
    const CRect rect = pBar->GetButton(0)->m_rect;
    const COLORREF face = PixelOf(pBar, rect.left, rect.top);
    EXPECT_EQ(face, globalData.clrBarFace) << "a button at rest has no border";

    const CPoint c = Centre(pBar, 0);
    const POINT at = ScreenPointOf(pBar->GetSafeHwnd(), c.x, c.y);
    input.MouseMove(at.x, at.y);
    Pump();
    const COLORREF hotTopLeft = PixelOf(pBar, rect.left, rect.top);
    const COLORREF hotBottomRight = PixelOf(pBar, rect.right - 1, rect.bottom - 1);
    EXPECT_NE(hotTopLeft, face);
    EXPECT_NE(hotBottomRight, face);

    input.ButtonDown(MouseButton::Left, at.x, at.y);
    Pump();
    EXPECT_EQ(PixelOf(pBar, rect.left, rect.top), hotBottomRight) << "pressed: the shadow moves to the top left";
    input.ButtonUp(MouseButton::Left, at.x, at.y);
    input.MouseMove(5, 5);
    Pump();

    pBar->SetButtonStyle(1, TBBS_CHECKBOX | TBBS_CHECKED);
    Repaint(pBar);
    const CRect rect1 = pBar->GetButton(1)->m_rect;
    EXPECT_EQ(PixelOf(pBar, rect1.left, rect1.top), hotBottomRight) << "checked looks pushed in";
}

TEST_F(ToolBarLoadTest, SeparatorsTheSelectionFrameAndTheInsertionMarker)
{
    CKtvPToolBar* pBar = Load(tbres::kBar);
    ASSERT_NE(pBar, nullptr);
    const CRect sep = pBar->GetButton(2)->m_rect;
    ASSERT_EQ(sep.Width(), 8);
    bool etched = false;
    for (int x = sep.left; x < sep.right; x++)
        etched = etched || PixelOf(pBar, x, sep.CenterPoint().y) == globalData.clrBarShadow;
    EXPECT_TRUE(etched) << "the separator draws a line";

    CKtvPToolBar::SetCustomizeMode(TRUE);
    CKtvPToolBar::m_pSelToolbar = pBar;
    pBar->m_iSelected = 1;
    Repaint(pBar);
    const CRect sel = pBar->GetButton(1)->m_rect;
    for (CPoint p : {sel.TopLeft(), CPoint(sel.left + 1, sel.top + 1), CPoint(sel.right - 1, sel.bottom - 1),
                     CPoint(sel.CenterPoint().x, sel.bottom - 2)})
        EXPECT_EQ(PixelOf(pBar, p.x, p.y), globalData.clrBtnText) << p.x << "," << p.y;
    EXPECT_NE(PixelOf(pBar, sel.left + 2, sel.top + 2), globalData.clrBtnText) << "two pixels wide";

    pBar->m_iSelected = -1;
    pBar->m_iDragIndex = 1;
    pBar->m_rectDrag = CRect(pBar->GetButton(1)->m_rect.left - 3, 0, pBar->GetButton(1)->m_rect.left + 3, 22);
    Repaint(pBar);
    const CRect& m = pBar->m_rectDrag;
    const int xMid = m.left + m.Width() / 2;
    EXPECT_EQ(PixelOf(pBar, xMid - 1, m.CenterPoint().y), globalData.clrBtnText);
    EXPECT_EQ(PixelOf(pBar, xMid, m.CenterPoint().y), globalData.clrBtnText);
    EXPECT_EQ(PixelOf(pBar, m.left, m.top), globalData.clrBtnText) << "the serif";
    pBar->m_iDragIndex = -1;
    pBar->m_rectDrag.SetRectEmpty();
}

TEST_F(ToolBarLoadTest, AFrameWithALabelledBarAndALockedBar)
{
    CKtvPToolBar* pLabelled = Load(tbres::kBar, tbres::kColdBitmap);
    ASSERT_NE(pLabelled, nullptr);
    pLabelled->InsertButton(new CKtvPToolbarButton(tbres::kOpenCommand, 0, nullptr, FALSE, TRUE));
    pLabelled->EnableTextLabels();
    CKtvPToolBar* pLocked = Load(tbres::kSecondBar, 0, TRUE, 0, 0xE841);
    ASSERT_NE(pLocked, nullptr);

    // The labelled bar keeps the rows it is given: two buttons to a row.
    pLabelled->SetBarStyle((pLabelled->GetBarStyle() & ~CBRS_SIZE_DYNAMIC) | CBRS_SIZE_FIXED);
    const int nRows = pLabelled->WrapToolBar(2 * pLabelled->GetColumnWidth() + 4);
    EXPECT_GE(nRows, 2);
    frame->RecalcLayout();
    Pump();
    const CRect top = pLabelled->GetButton(0)->m_rect;
    const CRect bottom = pLabelled->GetButton(pLabelled->GetCount() - 1)->m_rect;
    EXPECT_GE(bottom.top, top.bottom) << "the last button is on a row of its own below the first";
    CRect rectWrapped;
    pLabelled->GetClientRect(rectWrapped);
    EXPECT_GE(rectWrapped.bottom, bottom.bottom) << "the docked bar is as tall as its rows";

    const CRect first = pLabelled->GetButton(0)->m_rect;
    const CRect open = pLabelled->GetButton(pLabelled->CommandToIndex(tbres::kOpenCommand))->m_rect;
    EXPECT_GT(first.Height(), 22) << "room for the label under the image";
    EXPECT_EQ(open.Height(), first.Height()) << "every button of the row is as tall";
    EXPECT_EQ(pLabelled->GetButton(pLabelled->CommandToIndex(tbres::kOpenCommand))->m_strText, "Open");
    EXPECT_EQ(CentreColour(pLocked, 0), tbres::kImage[0]);

    if (const char* path = std::getenv("TARNWICK_TOOLBAR_SHOT"))
        display::Display::Instance().GetScreen().SavePng(path);
    EXPECT_TRUE(display::Display::Instance().GetScreen().SavePng(std::string(TW_COMMANDBARS_TEST_BINARY_DIR) +
                                                                 "/wrapped-labels-and-locked.png"));
}

}  // namespace
}  // namespace tw::test
