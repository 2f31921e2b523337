// Buttons dragged between toolbars while they are customised: drags through
// the platform's drag loop with injected input, the drop index and marker,
// and the drop target's refusals.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/COleDataObject.h"
#include "platform/mfc/COleDataSource.h"
#include "platform/mfc/afxole.h"
#include "platform/ole/oleidl.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "tests/ui/commandbars/StripTestSupport.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarDropSource.h"

// A button kind that no bar takes.
class KtvRefusedDropButton : public CKtvPToolbarButton {
    DECLARE_SERIAL(KtvRefusedDropButton)
public:
    BOOL OnBeforeDrop(CKtvPToolBar*) override { return FALSE; }
};
IMPLEMENT_SERIAL(KtvRefusedDropButton, CKtvPToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace ktvbardroptest {

using tw::display::MouseButton;
using tw::test::OfferedData;
using tw::test::ToolBarTest;

class ToolBarDropTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        ASSERT_TRUE(AfxOleInit());   // the bars register their drop targets
        first = MakeBar({100, 101, 102}, TRUE, 0xE840);
        second = MakeBar({200, 201}, TRUE, 0xE841);
        ASSERT_TRUE(CKtvPToolBar::SetCustomizeMode(TRUE));
        Pump();
    }
    void TearDown() override
    {
        CKtvPToolBar::SetCustomizeMode(FALSE);
        ToolBarTest::TearDown();
    }

    POINT Screen(const CKtvPToolBar* pBar, CPoint client) { return ScreenPointOf(pBar->GetSafeHwnd(), client.x, client.y); }

    // Presses on a button of a bar, moves in steps to a screen point and
    // releases there (or presses Escape first); the bar's drag loop takes the
    // queued input.
    void DragButton(CKtvPToolBar* pBar, int iButton, POINT to, bool ctrl = false, bool escape = false)
    {
        const POINT from = Screen(pBar, Centre(pBar, iButton));
        if (ctrl)
            input.KeyDown(VK_CONTROL);
        input.MouseMove(from.x, from.y);
        input.ButtonDown(MouseButton::Left, from.x, from.y);
        for (int step = 1; step <= 4; step++)
            input.MouseMove(from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4);
        if (escape)
            input.KeyStroke(VK_ESCAPE);
        input.ButtonUp(MouseButton::Left, to.x, to.y);
        if (ctrl)
            input.KeyUp(VK_CONTROL);
        Pump(4);
    }

    // The left edge of a button: a drop there goes before it.
    POINT BeforeButton(const CKtvPToolBar* pBar, int i)
    {
        const CRect& r = pBar->GetButton(i)->m_rect;
        return Screen(pBar, CPoint(r.left + 3, r.CenterPoint().y));
    }

    CKtvPToolBar* first = nullptr;
    CKtvPToolBar* second = nullptr;
};

TEST_F(ToolBarDropTest, DragsMoveCopyDeleteOrKeepTheButton)
{
    struct Case {
        const char* name;
        bool ctrl, escape, outside, lockedTarget;
        const char* firstAfter;
        const char* secondAfter;
    } const cases[] = {
        {"move", false, false, false, false, "101 102", "200 100 201"},
        {"copy with Ctrl", true, false, false, false, "100 101 102", "200 100 201"},
        {"dropped outside every bar", false, false, true, false, "101 102", "200 201"},
        {"Escape", false, true, false, false, "100 101 102", "200 201"},
        {"locked target", false, false, false, true, "100 101 102", "200 201"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        first->SetButtons(std::vector<UINT>{100, 101, 102}.data(), 3, TRUE);
        second->SetButtons(std::vector<UINT>{200, 201}.data(), 2, TRUE);
        first->AdjustLayout();
        second->AdjustLayout();
        second->m_bLocked = c.lockedTarget;
        Pump();

        POINT to = BeforeButton(second, 1);
        if (c.outside) {
            CRect rectFrame;
            frame->GetClientRect(rectFrame);
            to = ScreenPointOf(frame->GetSafeHwnd(), rectFrame.CenterPoint().x, rectFrame.bottom - 20);
        }
        DragButton(first, 0, to, c.ctrl, c.escape);
        EXPECT_EQ(Layout(first), c.firstAfter);
        EXPECT_EQ(Layout(second), c.secondAfter);
        second->m_bLocked = FALSE;
    }
}

TEST_F(ToolBarDropTest, MovingWithinABarReordersIt)
{
    const CRect& last = first->GetButton(2)->m_rect;
    DragButton(first, 0, Screen(first, CPoint(last.right - 3, last.CenterPoint().y)));
    EXPECT_EQ(Layout(first), "101 102 100");
}

TEST_F(ToolBarDropTest, ShortDragOntoItsOwnPlaceStartsOrEndsAGroup)
{
    const POINT start = Screen(first, Centre(first, 1));
    DragButton(first, 1, POINT{start.x + 10, start.y});
    EXPECT_EQ(Layout(first), "100 | 101 102");

    const POINT moved = Screen(first, Centre(first, 2));
    DragButton(first, 2, POINT{moved.x - 10, moved.y});
    EXPECT_EQ(Layout(first), "100 101 102");

    const POINT again = Screen(first, Centre(first, 1));
    DragButton(first, 1, POINT{again.x + 5, again.y});
    EXPECT_EQ(Layout(first), "100 101 102");
}

// Drop-target calls with a data object as the drag loop hands them over.
class DropTargetCallTest : public ToolBarDropTest {
protected:
    void Offer(CKtvPToolbarButton& button) { ASSERT_TRUE(offered.Button(button)); }
    void OfferText() { offered.Text(); }
    CPoint LeftOf(const CKtvPToolBar* pBar, int i)
    {
        const CRect& r = pBar->GetButton(i)->m_rect;
        return CPoint(r.left + 2, r.CenterPoint().y);
    }

    OfferedData offered;
    COleDataObject& data = offered.data;
};

TEST_F(DropTargetCallTest, OnlyButtonsAreTakenAndOnlyWhileCustomising)
{
    CKtvPToolbarDropTarget& target = second->m_DropTarget;
    CKtvPToolbarButton button(300, 1, nullptr, FALSE, TRUE);

    OfferText();
    EXPECT_EQ(target.OnDragEnter(second, &data, 0, LeftOf(second, 0)), static_cast<DROPEFFECT>(DROPEFFECT_NONE));

    Offer(button);
    EXPECT_EQ(target.OnDragEnter(second, &data, 0, LeftOf(second, 0)), static_cast<DROPEFFECT>(DROPEFFECT_MOVE));
    EXPECT_EQ(target.OnDragOver(second, &data, MK_CONTROL, LeftOf(second, 1)), static_cast<DROPEFFECT>(DROPEFFECT_COPY));
    target.OnDragLeave(second);

    CKtvPToolBar::SetCustomizeMode(FALSE);
    EXPECT_EQ(target.OnDragOver(second, &data, 0, LeftOf(second, 0)), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_EQ(target.OnDropEx(second, &data, DROPEFFECT_MOVE, DROPEFFECT_MOVE, LeftOf(second, 0)),
              static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_EQ(Layout(second), "200 201");
}

TEST_F(DropTargetCallTest, DroppedButtonLandsAtTheMarkerAndRefusalsReportNoEffect)
{
    CKtvPToolBar::m_NonPermittedCommands.AddTail(301);
    struct Case {
        const char* name;
        UINT id;
        bool refusingKind;
        const char* text;
        DROPEFFECT expected;
        const char* layout;
    } const cases[] = {
        {"plain", 300, false, "Cut\tCtrl+X", DROPEFFECT_MOVE, "200 300 201"},
        {"kind refuses", 300, true, "", DROPEFFECT_NONE, "200 201"},
        {"command not permitted", 301, false, "", DROPEFFECT_NONE, "200 201"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CKtvPToolbarButton> button(c.refusingKind ? new KtvRefusedDropButton
                                                                  : new CKtvPToolbarButton);
        button->m_nID = c.id;
        button->m_bLocked = TRUE;
        button->SetImage(1);
        button->m_strText = c.text;
        Offer(*button);
        CKtvPToolbarDropTarget& target = second->m_DropTarget;
        target.OnDragEnter(second, &data, 0, LeftOf(second, 1));
        EXPECT_EQ(target.OnDropEx(second, &data, DROPEFFECT_MOVE, DROPEFFECT_MOVE, LeftOf(second, 1)), c.expected);
        EXPECT_EQ(Layout(second), c.layout);
        if (second->GetCount() == 3) {
            EXPECT_STREQ(second->GetButton(1)->m_strText, "Cut");   // the shortcut text stays behind
            second->RemoveButton(1);
        }
    }
}

TEST_F(DropTargetCallTest, DropIndexFollowsThePointAlongTheBar)
{
    const CRect r0 = first->GetButton(0)->m_rect;
    const CRect r2 = first->GetButton(2)->m_rect;
    struct Case {
        const char* name;
        CPoint point;
        int index;
        int markerEdge;
    } const cases[] = {
        {"left half of the first", CPoint(r0.left + 2, r0.top + 5), 0, r0.left},
        {"right half of the first", CPoint(r0.right - 2, r0.top + 5), 1, r0.right},
        {"right half of the last", CPoint(r2.right - 2, r2.top + 5), 3, r2.right},
        {"past the last", CPoint(r2.right + 30, r2.top + 5), 3, r2.right},
        {"above the bar", CPoint(r0.left + 2, -7), 0, r0.left},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRect rectMarker;
        EXPECT_EQ(first->FindDropIndex(c.point, rectMarker), c.index);
        EXPECT_EQ(rectMarker.Width(), 6);
        EXPECT_EQ(rectMarker.left, std::max<int>(c.markerEdge - 3, 0));
        EXPECT_EQ(rectMarker.top, r0.top);
        EXPECT_EQ(rectMarker.bottom, r0.bottom);
    }

    // Rows the bar does not have take nothing.
    CRect rectMarker;
    EXPECT_EQ(first->FindDropIndex(CPoint(r0.left + 2, r0.bottom + 200), rectMarker), -1);
    EXPECT_TRUE(rectMarker.IsRectEmpty());
}

TEST_F(DropTargetCallTest, EmptyBarTakesTheDropOverItsWholeClientArea)
{
    CKtvPToolBar* empty = MakeBar({}, TRUE, 0xE842);
    CRect rectClient;
    empty->GetClientRect(rectClient);
    CRect rectMarker;
    EXPECT_EQ(empty->FindDropIndex(CPoint(3, 3), rectMarker), 0);
    EXPECT_EQ(rectMarker, rectClient);
}

TEST_F(DropTargetCallTest, DragMarkerIsABarWithSerifs)
{
    striptest::Canvas canvas(20, 30, RGB(255, 255, 255));
    first->m_penDrag.DeleteObject();
    first->m_penDrag.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    first->m_rectDrag = CRect(4, 2, 10, 24);
    first->DrawDragMarker(canvas.Dc());
    const striptest::Palette palette{{'.', RGB(255, 255, 255)}, {'#', RGB(0, 0, 0)}};
    const std::vector<std::string> expected = {
        "######",   // serif, top row
        ".####.",   // second pass one in
        "..##..",   // the bar: two columns at the centre
    };
    const auto rows = canvas.Read(4, 2, 6, 3, palette);
    EXPECT_EQ(rows, expected);
    const auto bottom = canvas.Read(4, 21, 6, 3, palette);
    EXPECT_EQ(bottom, (std::vector<std::string>{"..##..", ".####.", "######"}));
}

}  // namespace ktvbardroptest
